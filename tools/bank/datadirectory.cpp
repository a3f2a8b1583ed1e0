#include "datadirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    return QDir(m_path).filePath(name);
}

bool DataDirectory::hasFile(const QString& name) const
{
    return QFileInfo(filePath(name)).isFile();
}

std::optional<QByteArray> DataDirectory::read(const QString& name, QString* error) const
{
    const QString path = filePath(name);
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QFileInfo::exists(path) ? QStringLiteral("cannot be read") : QStringLiteral("is missing");
        return std::nullopt;
    }
    return file.readAll();
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

QByteArray DataDirectory::record(const QByteArray& file, qint64 n, int length)
{
    return file.mid((n - 1) * length, length);
}

qint64 DataDirectory::recordCount(qint64 length, int recordLength)
{
    return (length + recordLength / 2) / recordLength;
}

} // namespace quizmark
