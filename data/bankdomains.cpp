#include "bankdomains.h"

#include "platform/filetable.h"
#include "platform/recordfile.h"
#include "platform/runtimeerror.h"

#include <QStringDecoder>

#include <algorithm>

namespace quizmark {

BankDomains BankDomains::parse(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (text.endsWith(u'\n'))
        text.chop(1);
    if (text.isEmpty() && bytes.isEmpty())
        return {};
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return BankDomains(std::move(lines));
}

namespace {

BankDomains readWhole(platform::RecordFile& file)
{
    const qint64 length = file.length();
    if (length <= 0 || length > BankDomains::MaxFileBytes)
        return {};
    return BankDomains::parse(file.readRecords(1, length));
}

} // namespace

// The sidecar is read as a file of one-byte records so it comes through the same service, and
// the same checks, as the bank beside it.
BankDomains BankDomains::read(platform::FileTable& files, int fileNumber, const QString& bankPath)
{
    BankDomains domains;
    try {
        domains = readWhole(files.open(fileNumber, pathFor(bankPath), 1, platform::RecordAccess::ReadOnly));
    } catch (const platform::RuntimeError&) {
    }
    files.close(fileNumber);
    return domains;
}

QByteArray BankDomains::toBytes() const
{
    QByteArray bytes;
    for (const QString& line : m_lines) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    return bytes;
}

QString BankDomains::of(qint64 record) const
{
    if (record < 1 || record > m_lines.size())
        return {};
    return m_lines.at(record - 1);
}

bool BankDomains::isEmpty() const
{
    return std::all_of(m_lines.begin(), m_lines.end(), [](const QString& line) { return line.isEmpty(); });
}

QString BankDomains::problemWith(const QString& domain)
{
    if (domain.size() > MaxLength)
        return QStringLiteral("a domain name is longer than %1 characters").arg(MaxLength);
    const bool control = std::any_of(domain.begin(), domain.end(), [](QChar c) {
        return c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
    });
    if (control)
        return QStringLiteral("a domain name holds a line break or another control character");
    if (domain.contains(QChar::ReplacementCharacter))
        return QStringLiteral("a domain name is not UTF-8");
    return {};
}

} // namespace quizmark
