#pragma once

#include <QString>

namespace quizmark {

// Texts marked up for a web page, turned into the plain text a record holds.
class Markup
{
public:
    // Tags dropped, entities decoded, <br> and paragraphs as line breaks.
    static QString htmlToPlain(const QString& html);
    static QString markdownToPlain(const QString& markdown);
};

} // namespace quizmark
