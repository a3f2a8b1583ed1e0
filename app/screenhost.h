#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace platform {
struct Services;
}

namespace quizmark {

class AttemptJournal;

// The frame that child screens load into, and what they reach through it.
class ScreenHost {
public:
    using Factory = std::function<QWidget*(ScreenHost&)>;
    static constexpr char BorderlessProperty[] = "quizmarkBorderless";
    // Set on a screen whose load had to be refused (and said why): the caller does not show it.
    static constexpr char RefusedProperty[] = "quizmarkRefused";

    virtual ~ScreenHost() = default;

    // Makes a screen loadable by its name, such as "results".
    virtual void registerScreen(const QString& name, Factory factory) = 0;
    // Loads (creates) the named screen without showing it; error 424 "Object required" when no
    // screen of that name is known.
    virtual QWidget* loadScreen(const QString& name) = 0;

    // Places a loaded screen as a child window, at Left 100, Top 100 twips, and shows it. A screen
    // whose BorderlessProperty is true gets neither border nor title bar.
    virtual void showScreen(QWidget* screen) = 0;
    // Closes and deletes a screen that moved on; safe to call from the screen's own handlers.
    virtual void unloadScreen(QWidget* screen) = 0;
    virtual void hideScreen(QWidget* screen) = 0;
    // Ends the program at once: open files are closed and no further handler runs.
    virtual void endProgram() = 0;
    // True once endProgram ran: a handler resuming from a wait must not go on.
    virtual bool programEnded() const = 0;
    virtual platform::Services& services() = 0;
    // The attempt journal; null where none is kept.
    virtual AttemptJournal* journal() { return nullptr; }
    // Set while an attempt runs: ending the program then asks first.
    virtual void setAttemptRunning(bool running) { (void)running; }
    // Exit as the menus give it: during an attempt it asks before it ends the program.
    virtual void requestEnd() { endProgram(); }
    virtual QWidget* window() = 0;
};

}
