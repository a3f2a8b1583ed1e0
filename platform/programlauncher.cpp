#include "programlauncher.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

bool ProcessLauncher::Shell(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool ProcessLauncher::fileExists(const QString& path) const
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

QString ProcessLauncher::findProgram(const QString& name) const
{
    return QStandardPaths::findExecutable(name);
}

}
