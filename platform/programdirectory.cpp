#include "programdirectory.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

QString ProgramDirectory::filePath(const QString& relative) const
{
    const QString dir = path();
    return dir.endsWith(u'/') ? dir + relative : dir + u'/' + relative;
}

QString ExecutableDirectory::path() const
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

QString ExecutableDirectory::dataPath() const
{
    return m_dataPath.isEmpty() ? ProgramDirectory::dataPath() : QDir::cleanPath(m_dataPath);
}

FixedDirectory::FixedDirectory(QString path)
    : m_path(QDir::cleanPath(path))
{
}

} // namespace platform
