#include "codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace quizmark {

namespace {
constexpr char Name[] = "windows-1252";
}

namespace {

// Outside 0x80-0x9F, Windows-1252 and Latin-1 give every byte the same character; most text is
// in that range, and Latin-1 needs no converter.
bool sharedWithLatin1(char16_t c)
{
    return c < 0x80 || (c >= 0xA0 && c <= 0xFF);
}

}

QString Codepage::decode(QByteArrayView bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char b) { return sharedWithLatin1(static_cast<unsigned char>(b)); }))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(Name);
    return decoder.decode(bytes);
}

std::optional<QByteArray> Codepage::encode(const QString& text)
{
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return sharedWithLatin1(c.unicode()); }))
        return text.toLatin1();
    QStringEncoder encoder(Name, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    // One byte per character that decodes back to itself: nothing was replaced on the way.
    if (encoder.hasError() || bytes.size() != text.size() || decode(bytes) != text)
        return std::nullopt;
    return bytes;
}

qsizetype Codepage::firstUnencodable(const QString& text)
{
    if (encode(text))
        return -1;
    // Each character on its own, so the position of the offending one is known.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QStringEncoder encoder(Name, QStringConverter::Flag::Stateless);
        const QByteArray bytes = encoder.encode(QStringView(text).mid(i, width));
        if (encoder.hasError() || bytes.size() != 1 || decode(bytes) != QStringView(text).mid(i, width))
            return i;
        i += width - 1;
    }
    return -1;
}

}
