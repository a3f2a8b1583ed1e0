#include "sourcetext.h"

#include <QStringDecoder>

namespace quizmark {

QString SourceText::decode(const QByteArray& bytes, QString* problem)
{
    QString text = decodeKeepingLineEnds(bytes, problem);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QString SourceText::decodeKeepingLineEnds(const QByteArray& bytes, QString* problem)
{
    // A byte order mark names the encoding; without one the text is UTF-8.
    const auto encoding = QStringConverter::encodingForData(bytes).value_or(QStringConverter::Utf8);
    QStringDecoder decoder(encoding, QStringConverter::Flag::Default);
    QString text = decoder.decode(bytes);
    if (decoder.hasError() && problem) {
        const qsizetype bad = text.indexOf(QChar::ReplacementCharacter);
        const qsizetype line = 1 + QStringView(text).left(std::max<qsizetype>(bad, 0)).count(u'\n');
        *problem = QStringLiteral("%1: not valid %2; save the file as UTF-8")
                       .arg(line)
                       .arg(QLatin1String(QStringConverter::nameForEncoding(encoding)));
    }
    return text;
}

} // namespace quizmark
