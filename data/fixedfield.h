#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace quizmark {

// Reading and writing the fields of a fixed-length record. Bytes that lie beyond the end of a
// short record read as blanks in text and as zero in integers.
class FixedField {
public:
    static QString text(const QByteArray& record, int offset, int width);
    static std::int16_t integer(const QByteArray& record, int offset);

    // Writes text padded with blanks; the caller has checked that it fits and can be encoded.
    static void putText(QByteArray& record, int offset, int width, const QString& text);
    static void putInteger(QByteArray& record, int offset, std::int16_t value);

    static QString blanks(int width) { return QString(width, u' '); }
    // The text without its trailing blanks, as a file name or an edited text is used.
    static QString trimmedRight(const QString& text);
};

}
