#pragma once

#include <QByteArray>
#include <QString>

namespace quizmark {

// The text of a source file: UTF-8 with or without a byte order mark, lines ending in LF.
class SourceText
{
public:
    static QString decode(const QByteArray& bytes);
};

} // namespace quizmark
