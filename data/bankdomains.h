#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {
class FileTable;
}

namespace quizmark {

// The domains of a question bank's records. The record has no room for them, so they live beside
// the bank in "<bank file>.domains": UTF-8, one line per record, an empty line for a record
// without one. A bank without domains has no such file.
class BankDomains
{
public:
    static constexpr auto Suffix = ".domains";
    // Longer names are refused by the bank tool; a certification domain name is a short title.
    static constexpr int MaxLength = 120;
    // A file longer than any bank could need is not read at all.
    static constexpr qint64 MaxFileBytes = 32767LL * (4 * MaxLength + 2);

    BankDomains() = default;
    explicit BankDomains(QStringList lines)
        : m_lines(std::move(lines))
    {
    }

    static QString pathFor(const QString& bankPath) { return bankPath + QLatin1String(Suffix); }
    // Every line as written, a trailing carriage return dropped; bytes that are no UTF-8 become U+FFFD.
    static BankDomains parse(const QByteArray& bytes);
    // The sidecar of the bank at that path through the runtime's file table, under that file number,
    // closed again after; none when there is no such file, it cannot be read or it is longer than
    // MaxFileBytes.
    static BankDomains read(platform::FileTable& files, int fileNumber, const QString& bankPath);

    // One line per record, each ended by a line feed.
    QByteArray toBytes() const;
    // The domain of record n from 1; empty for none or beyond the lines.
    QString of(qint64 record) const;
    const QStringList& lines() const { return m_lines; }
    // True when no record has a domain: then the bank has no sidecar.
    bool isEmpty() const;

    // Why a domain name cannot be written: too long, or holding a line break or another control
    // character; empty when it can.
    static QString problemWith(const QString& domain);

private:
    QStringList m_lines;
};

} // namespace quizmark
