#include "fixedfield.h"

#include "codepage.h"

#include <QtEndian>

namespace quizmark {

QString FixedField::text(const QByteArray& record, int offset, int width)
{
    QByteArray bytes = record.mid(offset, width);
    bytes.append(width - bytes.size(), ' ');
    return Codepage::decode(bytes);
}

std::int16_t FixedField::integer(const QByteArray& record, int offset)
{
    unsigned char bytes[2] = { 0, 0 };
    for (int i = 0; i < 2; ++i)
        if (offset + i < record.size())
            bytes[i] = static_cast<unsigned char>(record[offset + i]);
    return qFromLittleEndian<std::int16_t>(bytes);
}

void FixedField::putText(QByteArray& record, int offset, int width, const QString& text)
{
    QByteArray bytes = Codepage::encode(text).value_or(QByteArray()).left(width);
    bytes.append(width - bytes.size(), ' ');
    record.replace(offset, width, bytes);
}

void FixedField::putInteger(QByteArray& record, int offset, std::int16_t value)
{
    unsigned char bytes[2];
    qToLittleEndian(value, bytes);
    record[offset] = char(bytes[0]);
    record[offset + 1] = char(bytes[1]);
}

QString FixedField::trimmedRight(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.left(end);
}

}
