// HTML and Markdown question texts turned into the plain text a record holds, with what was lost.
#include "tools/bank/markup.h"

#include <gtest/gtest.h>

namespace {

struct Conversion
{
    const char* name;
    const char* html;
    const char* text;
    // Each note as "LINE: what", one a line.
    const char* notes;
};

void PrintTo(const Conversion& conversion, std::ostream* out)
{
    *out << conversion.name;
}

std::string notes(const quizmark::PlainText& plain)
{
    std::string listed;
    for (const quizmark::MarkupNote& note : plain.notes)
        listed += std::to_string(note.line) + ": " + note.what.toStdString() + "\n";
    return listed;
}

class HtmlTexts : public testing::TestWithParam<Conversion>
{
};

TEST_P(HtmlTexts, BecomePlainTextWithTheirNotes)
{
    const quizmark::PlainText plain = quizmark::Markup::htmlToPlain(QString::fromUtf8(GetParam().html));
    EXPECT_EQ(plain.text.toStdString(), GetParam().text);
    EXPECT_EQ(notes(plain), GetParam().notes);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, HtmlTexts,
    testing::Values(
        Conversion{ "bare_less_than", "a<b and 1 < 2 <", "a<b and 1 < 2 <", "" },
        Conversion{ "references", "2 &lt; 3 &amp;&amp; &unknown; &#0; &#150; &eacute; &#x41;&#66",
                    "2 < 3 && &unknown; &#0; \xe2\x80\x93 \xc3\xa9 AB", "" },
        Conversion{ "line_breaks", "one<br>two<br><br>three<p>four</p>five", "one\ntwo\n\nthree\nfour\nfive", "" },
        Conversion{ "preformatted", "x<pre>\n  a  b\n\tc</pre>d  e", "x\n  a  b\n\tc\nd e", "" },
        Conversion{ "image_alt", "<p>See</p>\n<img src='n.png' alt='a &amp; b'>", "See\n[a & b]",
                    "2: image replaced by its alt text\n" },
        Conversion{ "image_without_alt", "line one\n<img src=x alt=\"\"> and <IMG SRC=y>",
                    "line one [image] and [image]", "2: image replaced by [image]\n2: image replaced by [image]\n" },
        Conversion{ "open_comment", "kept\n<!-- never closed", "kept",
                    "2: a comment that is not closed left out with the rest of the text\n" },
        Conversion{ "script", "<script>if (a<b) x();</script>shown", "shown", "1: <script> element left out\n" },
        Conversion{ "invented_characters", "a&nbsp;&nbsp;b&#8232;c&#xFFFC;d\xef\xbf\xbc\xe2\x80\x8b", "a  b\ncd", "" },
        Conversion{ "quoted_greater_than", "<a title=\"x>y\">link</a>", "link", "" },
        Conversion{ "unclosed_quote", "<a title=\"x>y>link", "y>link", "" },
        Conversion{ "lists_and_tables",
                    "<ol><li>a<ul><li>b</li></ul></li><li>c</li></ol><table><tr><td>1</td><td>2</td></tr></table>",
                    "1. a\n  - b\n2. c\n1\t2", "" }));

TEST(Markup, DeepNestingOfEveryKindConvertsWithoutExhaustingTheStack)
{
    for (const char* element : { "div", "li", "pre", "table", "b" }) {
        const QString open = QStringLiteral("<%1>").arg(QString::fromUtf8(element));
        const QString close = QStringLiteral("</%1>").arg(QString::fromUtf8(element));
        const QString html = open.repeated(100'000) + QStringLiteral("deep") + close.repeated(100'000);
        EXPECT_EQ(quizmark::Markup::htmlToPlain(html).text.trimmed().right(4), QStringLiteral("deep")) << element;
    }
}

TEST(Markup, MarkdownGoesThroughTheSameHtmlRules)
{
    const quizmark::PlainText plain = quizmark::Markup::markdownToPlain(
        QStringLiteral("**Bold** and `code`\n\n```\nif (x < 1)\n    y();\n```\n\n![a plan](p.png) <pre>raw</pre>"));
    EXPECT_EQ(plain.text.toStdString(), "Bold and code\nif (x < 1)\n    y();\n[a plan]\nraw");
    EXPECT_EQ(notes(plain), "1: image replaced by its alt text\n");
}

} // namespace
