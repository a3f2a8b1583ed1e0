#include "attemptjournal.h"
#include "datadirectorychoice.h"
#include "mdiform1.h"
#include "startup.h"

#include "platform/datafolders.h"
#include "platform/runtimeapplication.h"
#include "platform/runtimeerror.h"
#include "platform/systemservices.h"

#include <QDir>

#include <cstdlib>

int main(int argc, char** argv)
{
    platform::RuntimeApplication application(argc, argv);
    quizmark::describeApplication();

    platform::SystemServices system(QStringLiteral("Quizmark"));
    const platform::SystemDataFolders folders(system.programDirectory());
    system.programDirectory().setDataPath(quizmark::DataDirectoryChoice(folders).choose());
    application.setErrorHandler([&system](const platform::RuntimeError& error) {
        platform::showStandardErrorBox(error, system.messageBoxes(), system.services().files);
        std::quick_exit(EXIT_FAILURE);
    });

    // Declared before the window: the screens it holds write to the journal as they close.
    quizmark::AttemptJournal journal(QDir(system.programDirectory().dataPath()).filePath(
        QString::fromLatin1(quizmark::AttemptJournal::FileName)));
    quizmark::MDIForm1 window(system.services());
    window.setJournal(&journal);
    system.messageBoxes().setParent(&window);
    window.show();
    quizmark::registerScreens(window);
    quizmark::postStartScreen(window);
    return application.exec();
}
