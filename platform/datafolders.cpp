#include "datafolders.h"

#include "programdirectory.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

SystemDataFolders::SystemDataFolders(const ProgramDirectory& program)
    : m_program(program)
{
}

QString SystemDataFolders::besideProgram() const
{
    return m_program.filePath(QStringLiteral("dat"));
}

QString SystemDataFolders::installedSamples() const
{
    return QDir::cleanPath(m_program.filePath(QStringLiteral(QUIZMARK_SAMPLES_FROM_PROGRAM)));
}

QString SystemDataFolders::perUser() const
{
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/dat"));
}

bool SystemDataFolders::isWritableDirectory(const QString& path) const
{
    const QFileInfo folder(path);
    return folder.isDir() && folder.isWritable();
}

} // namespace platform
