#include "markup.h"

#include "htmltotext.h"

#include <md4c-html.h>

namespace quizmark {

namespace {
void appendHtml(const MD_CHAR* text, MD_SIZE size, void* html)
{
    static_cast<QByteArray*>(html)->append(text, qsizetype(size));
}
} // namespace

PlainText Markup::htmlToPlain(const QString& html)
{
    return HtmlToText(html).convert();
}

PlainText Markup::markdownToPlain(const QString& markdown)
{
    // The notes keep the text's first line: the HTML's lines are not the Markdown's.
    const QByteArray utf8 = markdown.toUtf8();
    QByteArray html;
    md_html(utf8.constData(), MD_SIZE(utf8.size()), appendHtml, &html, MD_FLAG_TABLES | MD_FLAG_STRIKETHROUGH, 0);
    PlainText plain = htmlToPlain(QString::fromUtf8(html));
    for (MarkupNote& note : plain.notes)
        note.line = 1;
    return plain;
}

} // namespace quizmark
