#include "datadirectory.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace quizmark {

DataDirectory::DataDirectory(QString path)
    : m_path(std::move(path))
{
}

bool DataDirectory::exists() const
{
    return QFileInfo(m_path).isDir();
}

QString DataDirectory::filePath(const QString& name) const
{
    return QDir(m_path).filePath(readableName(name));
}

bool DataDirectory::isPresent(const QString& name) const
{
    const QFileInfo info(filePath(name));
    return info.exists() || info.isSymLink();
}

std::optional<RecordStream> DataDirectory::open(const QString& name, int recordLength, QString* error) const
{
    const QString path = filePath(name);
    const QFileInfo info(path);
    QString reason;
    auto file = std::make_unique<QFile>(path);
    if (!isPresent(name))
        reason = QStringLiteral("is missing");
    else if (!resolvesInside(name))
        reason = QStringLiteral("is a link that leads outside the data directory");
    // A folder, a pipe or a device is no record file: a pipe would block the reader for ever.
    else if (!info.isFile())
        reason = QStringLiteral("is not a regular file");
    else if (!file->open(QIODevice::ReadOnly))
        reason = QStringLiteral("cannot be read: %1").arg(file->errorString());
    if (!reason.isEmpty()) {
        if (error)
            *error = reason;
        return std::nullopt;
    }
    return RecordStream(std::move(file), recordLength);
}

QStringList DataDirectory::bankFiles() const
{
    QStringList banks;
    const QStringList names = QDir(m_path).entryList({ QStringLiteral("*.dat") }, QDir::Files | QDir::Hidden);
    for (const QString& name : names)
        if (name != IndexFile && name != ResultsFile)
            banks.append(name);
    return banks;
}

QStringList DataDirectory::domainFiles() const
{
    return QDir(m_path).entryList({ QStringLiteral("*.dat") + QLatin1String(BankDomains::Suffix) },
                                  QDir::Files | QDir::Hidden);
}

std::optional<BankDomains> DataDirectory::domains(const QString& bank, QString* error) const
{
    const QString name = BankDomains::pathFor(bank);
    if (!isPresent(name))
        return BankDomains();
    // Read as one record of the largest size allowed, through the same checks as the bank.
    auto file = open(name, int(BankDomains::MaxFileBytes), error);
    if (!file)
        return std::nullopt;
    if (file->length() > BankDomains::MaxFileBytes) {
        if (error)
            *error = QStringLiteral("is larger than %1 bytes").arg(BankDomains::MaxFileBytes);
        return std::nullopt;
    }
    return BankDomains::parse(file->record(1));
}

bool DataDirectory::resolvesInside(const QString& name) const
{
    const QFileInfo info(filePath(name));
    // A link anywhere on the way, the file's own or a folder's, may lead out.
    if (!info.isSymLink() && !info.exists())
        return true;
    const QString target = info.canonicalFilePath();
    const QString directory = QDir(m_path).canonicalPath();
    return !target.isEmpty() && !directory.isEmpty() && target.startsWith(directory + u'/');
}

QString DataDirectory::bankNameProblem(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("is empty");
    if (name.contains(u'/') || name.contains(u'\\'))
        return QStringLiteral("holds a path separator");
    // A drive letter would make the name absolute or relative to another drive's directory.
    if (name.contains(u':'))
        return QStringLiteral("holds a drive colon");
    if (name == u"." || name == u"..")
        return QStringLiteral("names a directory");
    if (name.endsWith(u' '))
        return QStringLiteral("ends in a blank, which the program drops");
    for (QChar c : name)
        if (c.unicode() < 0x20)
            return QStringLiteral("holds a control character");
    if (name.compare(IndexFile, Qt::CaseInsensitive) == 0 || name.compare(ResultsFile, Qt::CaseInsensitive) == 0)
        return QStringLiteral("is the name of the catalogue or the score history");
    return {};
}

QString DataDirectory::readableName(const QString& name)
{
    QString readable = name;
    return readable.replace(u'\\', u'/');
}

QString DataDirectory::readableBankNameProblem(const QString& name)
{
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    const QString readable = readableName(name);
    if (readable.isEmpty())
        return QStringLiteral("is empty");
    if (QDir::isAbsolutePath(readable))
        return QStringLiteral("is an absolute path");
    if (drive.match(readable).hasMatch())
        return QStringLiteral("carries a drive");
    if (readable.split(u'/').contains(QStringLiteral("..")))
        return QStringLiteral("climbs out through \"..\"");
    if (readable.compare(IndexFile, Qt::CaseInsensitive) == 0
        || readable.compare(ResultsFile, Qt::CaseInsensitive) == 0)
        return QStringLiteral("is the name of the catalogue or the score history");
    return {};
}

} // namespace quizmark
