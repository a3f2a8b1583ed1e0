#pragma once

#include <QList>
#include <QString>

namespace quizmark {

// Something the conversion left out or replaced, on a line counted from 1 within the marked-up text.
struct MarkupNote
{
    int line = 1;
    QString what;
};

struct PlainText
{
    QString text;
    QList<MarkupNote> notes;
};

// Texts marked up for a web page, turned into the plain text a record holds.
class Markup
{
public:
    // Tags dropped, entities decoded, blocks and <br> as line breaks, images as their alt text.
    static PlainText htmlToPlain(const QString& html);
    // Through HTML: the Markdown becomes HTML, which becomes plain text as above.
    static PlainText markdownToPlain(const QString& markdown);
};

} // namespace quizmark
