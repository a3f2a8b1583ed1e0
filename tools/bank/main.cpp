#include "bankcommandline.h"

#include "platform/datafolders.h"
#include "platform/filewrite.h"
#include "platform/programdirectory.h"

#include <QCoreApplication>

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
    // What the tool prints is checked like any file it writes: a full disk is no success.
    platform::FileWrite standardOutput(QStringLiteral("-"));
    QTextStream err(stderr);
    if (!standardOutput.open()) {
        err << standardOutput.errorString() << u'\n';
        return quizmark::BankCommandLine::Problems;
    }
    QTextStream out(standardOutput.device());
    quizmark::BankCommandLine commandLine(out, err, dataDirectory);
    // Read by this tool only, for the test that cuts a command off between two renames.
    bool stop = false;
    const int renames = qEnvironmentVariableIntValue("QUIZMARK_BANK_STOP_AFTER_RENAMES", &stop);
    if (stop)
        commandLine.stopAfterRenames(renames);
    const int status = commandLine.run(QCoreApplication::arguments());
    out.flush();
    if (!standardOutput.commit() || out.status() != QTextStream::Ok) {
        err << (standardOutput.errorString().isEmpty() ? QStringLiteral("cannot write standard output")
                                                       : standardOutput.errorString())
            << u'\n';
        return status == quizmark::BankCommandLine::Success ? quizmark::BankCommandLine::Problems : status;
    }
    return status;
}
