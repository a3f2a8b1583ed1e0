#pragma once

#include "screenhost.h"

#include <QList>
#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QMdiSubWindow;

namespace platform {
struct Services;
}

namespace Ui {
class MDIForm1;
}

namespace quizmark {

// The main window: the frame of every child screen, with the "File" and "Help" menus. While the
// active child screen has a menu bar of its own, its menus stand in place of these.
class MDIForm1 : public QMainWindow, public ScreenHost
{
    Q_OBJECT

public:
    explicit MDIForm1(platform::Services& services, QWidget* parent = nullptr);
    ~MDIForm1() override;

    void registerScreen(const QString& name, Factory factory) override;
    QWidget* loadScreen(const QString& name) override;
    void showScreen(QWidget* screen) override;
    void unloadScreen(QWidget* screen) override;
    void hideScreen(QWidget* screen) override;
    void endProgram() override;
    bool programEnded() const override { return m_ended; }
    platform::Services& services() override { return m_services; }
    QWidget* window() override { return this; }
    AttemptJournal* journal() override { return m_journal; }
    void setAttemptRunning(bool running) override { m_attemptRunning = running; }
    void requestEnd() override;

    // The journal the screens keep attempts in; it must outlive this window.
    void setJournal(AttemptJournal* journal) { m_journal = journal; }

    // What Exit does after closing the files; the program quits its event loops, tests record it.
    void setEndHandler(std::function<void()> handler) { m_end = std::move(handler); }
    // The menus now in the menu bar, by title; for the program's own checks and tests.
    QStringList menuTitles() const;
    QMdiSubWindow* subWindowOf(QWidget* screen) const;

protected:
    // Closing the main window during an attempt asks as Exit does.
    void closeEvent(QCloseEvent* event) override;

private:
    bool confirmEndDuringAttempt();
    void fitToScreen();
    void showMenusOf(QMdiSubWindow* active);
    void OpenWebPage(const QString& address);

    std::unique_ptr<Ui::MDIForm1> m_ui;
    platform::Services& m_services;
    QList<QAction*> m_ownMenus;
    std::function<void()> m_end;
    std::map<QString, Factory> m_factories;
    bool m_ended = false;
    AttemptJournal* m_journal = nullptr;
    bool m_attemptRunning = false;
};

} // namespace quizmark
