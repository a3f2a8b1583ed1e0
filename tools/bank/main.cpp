#include "bankcommandline.h"

#include "platform/datafolders.h"
#include "platform/programdirectory.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// The folder the program itself reads: the tool is installed and built beside it, and the user's
// own folder is the program's, so it is looked up under the program's name.
QString programDataDirectory()
{
    const platform::ExecutableDirectory program;
    const platform::SystemDataFolders folders(program);
    if (folders.isWritableDirectory(folders.besideProgram()))
        return folders.besideProgram();
    QCoreApplication::setApplicationName(QStringLiteral("quizmark"));
    return folders.perUser();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QString dataDirectory = programDataDirectory();
    QCoreApplication::setApplicationName(QStringLiteral("quizmark-bank"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return quizmark::BankCommandLine(out, err, dataDirectory).run(QCoreApplication::arguments());
}
