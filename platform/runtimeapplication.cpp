#include "runtimeapplication.h"

#include "filetable.h"
#include "messageboxes.h"
#include "runtimeerror.h"

#include <cstdio>

namespace platform {

void showStandardErrorBox(const RuntimeError& error, MessageBoxes& messages, FileTable& files)
{
    files.closeAll();
    messages.MsgBox(QStringLiteral("Run-time error '%1':\n\n%2").arg(error.number()).arg(error.message()),
        MsgBoxStyle::Critical);
}

RuntimeApplication::RuntimeApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool RuntimeApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const RuntimeError& error) {
        if (m_errorHandler) {
            m_errorHandler(error);
        } else {
            std::fprintf(stderr, "%s\n", error.what());
            std::quick_exit(error.number());
        }
    } catch (const std::bad_alloc&) {
        const RuntimeError error(ErrorNumber::OutOfMemory);
        if (m_errorHandler)
            m_errorHandler(error);
        else
            std::quick_exit(error.number());
    }
    return false;
}

}
