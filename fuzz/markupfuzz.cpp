// Turns any text, as HTML and as Markdown, into plain text: no crash, and none of the characters a
// converter invents (object replacement, line and paragraph separators, no-break spaces, CR) in it.
#include "importcheck.h"

#include "tools/bank/markup.h"

#include <cstdlib>

namespace {
void checkPlain(const quizmark::PlainText& plain)
{
    for (QChar c : plain.text)
        if (c == QChar(0xFFFC) || c == QChar(0x2028) || c == QChar(0x2029) || c == QChar(0x00A0) || c == u'\r')
            std::abort();
    if (plain.text != plain.text.trimmed())
        std::abort();
    for (const quizmark::MarkupNote& note : plain.notes)
        if (note.line < 1 || note.what.isEmpty())
            std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(fuzzInput(data, size));
    checkPlain(quizmark::Markup::htmlToPlain(text));
    checkPlain(quizmark::Markup::markdownToPlain(text));
    return 0;
}
