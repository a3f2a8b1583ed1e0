#include "mdiform1.h"

#include "programicon.h"
#include "ui_mdiform1.h"
#include "attemptjournal.h"
#include "webaddresses.h"

#include "platform/filetable.h"
#include "platform/messageboxes.h"
#include "platform/programdirectory.h"
#include "platform/runtimeerror.h"
#include "platform/services.h"
#include "platform/settingsstore.h"
#include "platform/webbrowser.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>

namespace quizmark {

namespace {
// Child screens stand 100 twips from the client area's top left corner: 100 / 1440 of an inch.
constexpr int ScreenOffsetTwips = 100;
constexpr int TwipsPerInch = 1440;

QMainWindow* screenWithMenus(QMdiSubWindow* window)
{
    auto* screen = window ? qobject_cast<QMainWindow*>(window->widget()) : nullptr;
    if (!screen || !screen->menuWidget())
        return nullptr;
    auto* bar = qobject_cast<QMenuBar*>(screen->menuWidget());
    return bar && !bar->actions().isEmpty() ? screen : nullptr;
}
} // namespace

MDIForm1::MDIForm1(platform::Services& services, QWidget* parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::MDIForm1>())
    , m_services(services)
{
    m_ui->setupUi(this);
    setWindowIcon(programIcon());
    m_ownMenus = m_ui->menubar->actions();
    connect(m_ui->Exit, &QAction::triggered, this, &MDIForm1::requestEnd);
    connect(m_ui->Homepage, &QAction::triggered, this,
            [this] { OpenWebPage(QString::fromLatin1(WebAddress::Homepage)); });
    connect(m_ui->ClientArea, &QMdiArea::subWindowActivated, this, &MDIForm1::showMenusOf);

    m_services.settings.SaveSetting(QStringLiteral("quizmark"), QStringLiteral("settings"), QStringLiteral("Path"),
                                    m_services.programDirectory.path());
    fitToScreen();
}

// On a small screen or at a large scale the window's own size would leave parts of it off screen;
// it starts maximised then, and its client area scrolls to whatever does not fit.
void MDIForm1::fitToScreen()
{
    const QSize room = screen()->availableSize();
    if (width() <= room.width() && height() <= room.height())
        return;
    resize(size().boundedTo(room));
    setWindowState(windowState() | Qt::WindowMaximized);
}

MDIForm1::~MDIForm1()
{
    // The client area activates its remaining child windows as it deletes them; this window is gone by then.
    disconnect(m_ui->ClientArea, nullptr, this, nullptr);
}

void MDIForm1::OpenWebPage(const QString& address)
{
    m_services.web.open(address);
}

void MDIForm1::registerScreen(const QString& name, Factory factory)
{
    m_factories[name] = std::move(factory);
}

QWidget* MDIForm1::loadScreen(const QString& name)
{
    const auto it = m_factories.find(name);
    if (it == m_factories.end())
        throw platform::RuntimeError(platform::ErrorNumber::ObjectRequired, name);
    return it->second(*this);
}

void MDIForm1::showScreen(QWidget* screen)
{
    QMdiSubWindow* window = subWindowOf(screen);
    if (!window) {
        const Qt::WindowFlags frame = screen->property(BorderlessProperty).toBool()
            ? Qt::FramelessWindowHint
            // No minimise: a minimised screen would leave an empty workspace, the exam's clock hidden in it.
            : Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        window = m_ui->ClientArea->addSubWindow(screen, Qt::SubWindow | frame);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowIcon(windowIcon());
        const int offset = ScreenOffsetTwips * logicalDpiX() / TwipsPerInch;
        // On a small client area a screen gives up the room its own parts can spare (the exam its
        // question box) before the area scrolls; a child window is not held to its screen's minimum
        // size by itself, so the screen would be clipped below it.
        const QSize room = m_ui->ClientArea->viewport()->size() - QSize(offset, offset);
        window->resize(window->sizeHint().boundedTo(room).expandedTo(window->minimumSizeHint()));
        window->move(offset, offset);
    }
    window->show();
    screen->show();
    m_ui->ClientArea->setActiveSubWindow(window);
    showMenusOf(window);
    // The keyboard goes to the control the screen chose while it was loading.
    if (QWidget* chosen = screen->focusWidget())
        chosen->setFocus(Qt::ActiveWindowFocusReason);
}

void MDIForm1::hideScreen(QWidget* screen)
{
    if (QMdiSubWindow* window = subWindowOf(screen))
        window->hide();
    showMenusOf(m_ui->ClientArea->activeSubWindow());
}

void MDIForm1::unloadScreen(QWidget* screen)
{
    QMdiSubWindow* window = subWindowOf(screen);
    if (!window) {
        screen->deleteLater();
        return;
    }
    window->hide();
    m_ui->ClientArea->removeSubWindow(window);
    window->deleteLater();
    showMenusOf(m_ui->ClientArea->activeSubWindow());
}

// An attempt the journal keeps can be resumed at the next start; one it cannot keep is lost.
bool MDIForm1::confirmEndDuringAttempt()
{
    if (!m_attemptRunning || m_ended)
        return true;
    const bool kept = m_journal && m_journal->isUsable();
    const QString prompt = kept
        ? QStringLiteral("End the program? Your attempt is kept and can be resumed at the next start.")
        : QStringLiteral("End the program? Your answers cannot be kept: this attempt will be lost.");
    enum Button { Quit, Cancel };
    const int answer = m_services.messages.MsgBoxChoice(
        prompt, { QStringLiteral("Quit"), QStringLiteral("Cancel") }, Cancel, Cancel, QStringLiteral("Exit"));
    return answer == Quit && !m_ended;
}

void MDIForm1::requestEnd()
{
    if (confirmEndDuringAttempt())
        endProgram();
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    if (!confirmEndDuringAttempt()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MDIForm1::endProgram()
{
    m_ended = true;
    m_services.files.closeAll();
    if (m_end) {
        m_end();
        return;
    }
    QApplication::closeAllWindows();
    QApplication::exit(0);
}

QStringList MDIForm1::menuTitles() const
{
    QStringList titles;
    for (QAction* action : m_ui->menubar->actions())
        titles.append(QString(action->text())
                          .remove(QRegularExpression(QStringLiteral("&(?=[^&])")))
                          .replace(QStringLiteral("&&"), QStringLiteral("&")));
    return titles;
}

QMdiSubWindow* MDIForm1::subWindowOf(QWidget* screen) const
{
    for (QMdiSubWindow* window : m_ui->ClientArea->subWindowList())
        if (window->widget() == screen)
            return window;
    return nullptr;
}

void MDIForm1::showMenusOf(QMdiSubWindow* active)
{
    if (active && !active->isVisible())
        active = nullptr;
    QList<QAction*> wanted = m_ownMenus;
    if (QMainWindow* screen = screenWithMenus(active)) {
        auto* bar = qobject_cast<QMenuBar*>(screen->menuWidget());
        bar->hide();
        wanted = bar->actions();
    }
    if (m_ui->menubar->actions() == wanted)
        return;
    for (QAction* action : m_ui->menubar->actions())
        m_ui->menubar->removeAction(action);
    m_ui->menubar->addActions(wanted);
}

} // namespace quizmark
