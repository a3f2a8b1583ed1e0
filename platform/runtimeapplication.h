#pragma once

#include <QApplication>

#include <functional>

namespace platform {

class FileTable;
class MessageBoxes;
class RuntimeError;

// Shows the runtime's standard error box for an error no handler took and closes every open file.
void showStandardErrorBox(const RuntimeError& error, MessageBoxes& messages, FileTable& files);

// The application object: an error that escapes an event handler ends the program with the
// standard error box instead of unwinding through Qt.
class RuntimeApplication : public QApplication {
public:
    RuntimeApplication(int& argc, char** argv);

    // What ends the program after an unhandled error; tests replace it.
    void setErrorHandler(std::function<void(const RuntimeError&)> handler) { m_errorHandler = std::move(handler); }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::function<void(const RuntimeError&)> m_errorHandler;
};

}
