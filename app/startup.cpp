#include "startup.h"

#include "attemptresume.h"
#include "pluginchartloader.h"
#include "programicon.h"
#include "screenhost.h"
#include "screens/exam.h"
#include "screens/examselect.h"
#include "screens/history.h"
#include "screens/questionstatistics.h"
#include "screens/questionselect.h"
#include "screens/resultreview.h"
#include "screens/results.h"
#include "screens/review.h"

#include "platform/programdirectory.h"
#include "platform/services.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <utility>

namespace quizmark {

namespace {

const QString ChartLibraryName = QStringLiteral("libplotvane.so");

// The build and a portable copy keep the chart library beside the program; an install keeps it in
// a private plugin folder, found relative to the program.
QString chartLibraryPath(const platform::ProgramDirectory& program)
{
    const QString beside = program.filePath(ChartLibraryName);
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(program.filePath(QStringLiteral(QUIZMARK_PLUGINS_FROM_PROGRAM "/") + ChartLibraryName));
}

// Runs an action once, after the widget's first paint: the event that painted it is over by then.
// A widget that is never painted (a minimised window) gets it after a while all the same.
class AfterFirstPaint : public QObject
{
public:
    AfterFirstPaint(QWidget* widget, std::function<void()> action)
        : QObject(widget)
        , m_action(std::move(action))
    {
        widget->installEventFilter(this);
        QTimer::singleShot(UnpaintedDelayMs, this, [this] { run(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(this, [this] { run(); }, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

private:
    static constexpr int UnpaintedDelayMs = 2000;

    void run()
    {
        if (!m_action)
            return;
        const std::function<void()> action = std::exchange(m_action, nullptr);
        deleteLater();
        action();
    }

    std::function<void()> m_action;
};

} // namespace

void registerScreens(ScreenHost& host)
{
    // One line per screen: host.registerScreen("name", [](ScreenHost& h) { return new name(h); });
    host.registerScreen(QStringLiteral("examselect"), [](ScreenHost& h) { return new examselect(h); });
    host.registerScreen(QStringLiteral("questionselect"), [](ScreenHost& h) { return new questionselect(h); });
    host.registerScreen(QStringLiteral("exam"), [](ScreenHost& h) { return new exam(h); });
    host.registerScreen(QStringLiteral("review"), [](ScreenHost& h) { return new review(h); });
    host.registerScreen(QStringLiteral("results"), [](ScreenHost& h) { return new results(h); });
    host.registerScreen(QStringLiteral("resultreview"), [](ScreenHost& h) { return new resultreview(h); });
    auto charts = std::make_shared<PluginChartLoader>(chartLibraryPath(host.services().programDirectory));
    host.registerScreen(QStringLiteral("history"), [charts](ScreenHost& h) { return new history(h, *charts); });
    host.registerScreen(QStringLiteral("questionstatistics"),
                        [charts](ScreenHost& h) { return new questionstatistics(h, *charts); });
}

// The selection shows first; an unfinished attempt is offered once it has been painted, so the
// journal costs the start nothing before the first screen is up.
void loadStartScreen(ScreenHost& host)
{
    QWidget* selection = host.loadScreen(QStringLiteral("examselect"));
    host.showScreen(selection);
    new AfterFirstPaint(selection, [&host] { AttemptResume(host).offer(); });
}

void postStartScreen(ScreenHost& host)
{
    QTimer::singleShot(0, host.window(), [&host] { loadStartScreen(host); });
}

void describeApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("quizmark"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUIZMARK_VERSION));
    // Message boxes and other windows without an icon of their own take this one.
    QGuiApplication::setWindowIcon(programIcon());
}

}
