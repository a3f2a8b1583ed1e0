// HTML and Markdown to plain text as the bank tool converts question texts: 100 KB and 500 KB of
// elements nested as deep as the text allows, of several kinds. Linear conversion shows as a time
// per byte that does not grow with the size.
#include "tools/bank/markup.h"

#include <benchmark/benchmark.h>

namespace {

QString nested(const QString& open, const QString& close, qsizetype bytes)
{
    const qsizetype depth = bytes / (open.size() + close.size());
    return open.repeated(depth) + QStringLiteral("x") + close.repeated(depth);
}

void convert(benchmark::State& state, const QString& html)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(quizmark::Markup::htmlToPlain(html));
    state.SetBytesProcessed(state.iterations() * html.size());
}

void nestedDivs(benchmark::State& state)
{
    convert(state, nested(QStringLiteral("<div>"), QStringLiteral("</div>"), state.range(0)));
}

void nestedListItems(benchmark::State& state)
{
    convert(state, nested(QStringLiteral("<ul><li>a"), QStringLiteral("</li></ul>"), state.range(0)));
}

void nestedPre(benchmark::State& state)
{
    convert(state, nested(QStringLiteral("<pre> <b>"), QStringLiteral("</b></pre>"), state.range(0)));
}

void nestedTables(benchmark::State& state)
{
    convert(state, nested(QStringLiteral("<table><tr><td>"), QStringLiteral("</td></tr></table>"), state.range(0)));
}

void unclosedTags(benchmark::State& state)
{
    // Every '<' opens a tag that a quote keeps from ending.
    convert(state, QStringLiteral("<a b=\"").repeated(state.range(0) / 6));
}

void nestedQuotes(benchmark::State& state)
{
    const QString markdown = QStringLiteral("> ").repeated(state.range(0) / 2) + QStringLiteral("x");
    for (auto _ : state)
        benchmark::DoNotOptimize(quizmark::Markup::markdownToPlain(markdown));
    state.SetBytesProcessed(state.iterations() * markdown.size());
}

} // namespace

BENCHMARK(nestedDivs)->Arg(100'000)->Arg(500'000)->Unit(benchmark::kMillisecond);
BENCHMARK(nestedListItems)->Arg(100'000)->Arg(500'000)->Unit(benchmark::kMillisecond);
BENCHMARK(nestedPre)->Arg(100'000)->Arg(500'000)->Unit(benchmark::kMillisecond);
BENCHMARK(nestedTables)->Arg(100'000)->Arg(500'000)->Unit(benchmark::kMillisecond);
BENCHMARK(unclosedTags)->Arg(100'000)->Arg(500'000)->Unit(benchmark::kMillisecond);
BENCHMARK(nestedQuotes)->Arg(100'000)->Arg(500'000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
