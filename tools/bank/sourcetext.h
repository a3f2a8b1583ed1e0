#pragma once

#include <QByteArray>
#include <QString>

namespace quizmark {

// The text of a source file: UTF-8 with or without a byte order mark, or UTF-16 or UTF-32 with one.
class SourceText
{
public:
    // Lines end in LF, whichever of CR, LF or CRLF ended them. A byte sequence the encoding does
    // not allow is named in problem, with its line.
    static QString decode(const QByteArray& bytes, QString* problem = nullptr);
    // The line ends left as they stand, for a format that keeps them within its fields.
    static QString decodeKeepingLineEnds(const QByteArray& bytes, QString* problem = nullptr);
};

} // namespace quizmark
