// The bank tool's build of the largest bank a catalogue can name (32,767 questions) from its
// JSON source: source read, every record checked and both files written. Taken out of the tests,
// whose machines may be loaded; the figure to hold is about 2 s.
#include "tools/bank/bankcommandline.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

constexpr int LargestBank = 32767;

QJsonObject question()
{
    return {
        { QStringLiteral("question"), QStringLiteral("Which of these are even?") },
        { QStringLiteral("options"),
          QJsonArray{ QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"), QStringLiteral("four") } },
        { QStringLiteral("correct"), QJsonArray{ 2, 4 } },
        { QStringLiteral("explanation"), QStringLiteral("Two and four divide by two.") },
    };
}

QByteArray largestSource()
{
    QJsonArray questions;
    for (int i = 0; i < LargestBank; ++i)
        questions.append(question());
    const QJsonObject exam{
        { QStringLiteral("name"), QStringLiteral("Big") },
        { QStringLiteral("bank"), QStringLiteral("big.dat") },
        { QStringLiteral("description"), QStringLiteral("Numbers and their parity.") },
        { QStringLiteral("questions"), questions },
    };
    return QJsonDocument(QJsonObject{ { QStringLiteral("exams"), QJsonArray{ exam } } }).toJson();
}

void bankBuildLargest(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("big.json"));
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly) || file.write(largestSource()) < 0) {
        state.SkipWithError("the source could not be written");
        return;
    }
    file.close();
    const QString out = dir.filePath(QStringLiteral("dat"));
    for (auto _ : state) {
        QString messages;
        QTextStream stream(&messages);
        const int code
            = quizmark::BankCommandLine(stream, stream, {})
                  .run({ QStringLiteral("quizmark-bank"), QStringLiteral("build"), source, QStringLiteral("-o"), out });
        if (code != 0) {
            state.SkipWithError(qPrintable(messages));
            return;
        }
    }
}

} // namespace

BENCHMARK(bankBuildLargest)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
