#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace quizmark {

// The 8-bit code page of the record files' text fields: Windows-1252.
class Codepage {
public:
    static QString decode(QByteArrayView bytes);
    // Empty when some character has no Windows-1252 byte.
    static std::optional<QByteArray> encode(const QString& text);
    // The first character of text that cannot be encoded, or -1.
    static qsizetype firstUnencodable(const QString& text);
};

}
