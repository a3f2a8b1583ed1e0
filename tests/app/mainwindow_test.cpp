#include "mdiform1.h"
#include "module1.h"
#include "startup.h"
#include "webaddresses.h"

#include "platform/filetable.h"
#include "platform/messageboxes.h"
#include "platform/runtimeapplication.h"
#include "platform/runtimeerror.h"
#include "support/fakeservices.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <optional>

using namespace quizmark;

namespace {

// A child screen with a menu bar of its own, as the exam and results screens have.
QMainWindow* screenWithOwnMenus()
{
    auto* screen = new QMainWindow;
    auto* file = screen->menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("file"));
    file->addAction(QStringLiteral("Print Results"));
    screen->menuBar()->addMenu(QStringLiteral("Help"))->addAction(QStringLiteral("About"));
    return screen;
}

QAction* findAction(QMenuBar* bar, const QString& text)
{
    for (QAction* menu : bar->actions())
        if (menu->menu())
            for (QAction* item : menu->menu()->actions())
                if (item->text() == text)
                    return item;
    return nullptr;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void startsWithCaptionMenusAndThePathSetting()
    {
        testing_support::FakeServices fakes(QStringLiteral("/opt/quizmark"));
        MDIForm1 window(fakes.services());
        QCOMPARE(window.windowTitle(), QStringLiteral("Quizmark Exam Simulator"));
        QCOMPARE(window.menuTitles(), (QStringList{ QStringLiteral("File"), QStringLiteral("Help") }));
        QVERIFY(window.findChild<QAction*>(QStringLiteral("Exit")));
        QCOMPARE(window.findChild<QAction*>(QStringLiteral("Exit"))->text(), QStringLiteral("Exit"));
        QCOMPARE(window.findChild<QAction*>(QStringLiteral("Homepage"))->text(), QStringLiteral("Homepage"));
        QCOMPARE(fakes.settings.values.value(QStringLiteral("quizmark/settings/Path")),
                 QStringLiteral("/opt/quizmark"));
        QCOMPARE(fakes.settings.values.size(), 1);
    }

    void aProgramInTheRootWritesTheRootAndASecondStartReplacesTheValue()
    {
        testing_support::FakeServices fakes(QStringLiteral("/"));
        MDIForm1 first(fakes.services());
        MDIForm1 second(fakes.services());
        QCOMPARE(fakes.settings.values.value(QStringLiteral("quizmark/settings/Path")), QStringLiteral("/"));
        QCOMPARE(fakes.settings.values.size(), 1);
        QCOMPARE(fakes.settings.writes, 2);
    }

    void homepageOpensTheHomePageAndExitClosesFilesAndEnds()
    {
        testing_support::FakeServices fakes;
        MDIForm1 window(fakes.services());
        bool ended = false;
        window.setEndHandler([&] { ended = true; });
        fakes.recordFiles.setFile(QStringLiteral("/quizmark/dat/index.dat"), QByteArray(307, ' '));
        fakes.files.open(FileNumber::Catalogue, QStringLiteral("/quizmark/dat/index.dat"), 307,
                         platform::RecordAccess::ReadOnly);

        window.findChild<QAction*>(QStringLiteral("Homepage"))->trigger();
        QCOMPARE(fakes.web.opened, QStringList{ QString::fromLatin1(WebAddress::Homepage) });
        QVERIFY(fakes.messages.shown.empty());

        window.findChild<QAction*>(QStringLiteral("Exit"))->trigger();
        QVERIFY(ended);
        QVERIFY(!fakes.files.isOpen(FileNumber::Catalogue));
    }

    void anActiveChildWithMenusShowsThemInPlaceOfTheMainMenus()
    {
        testing_support::FakeServices fakes;
        MDIForm1 window(fakes.services());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto* plain = new QWidget;
        window.showScreen(plain);
        QCOMPARE(window.menuTitles(), (QStringList{ QStringLiteral("File"), QStringLiteral("Help") }));
        QVERIFY(!findAction(window.menuBar(), QStringLiteral("About")));

        QMainWindow* withMenus = screenWithOwnMenus();
        window.showScreen(withMenus);
        QVERIFY(findAction(window.menuBar(), QStringLiteral("About")));
        QVERIFY(findAction(window.menuBar(), QStringLiteral("Print Results")));
        QVERIFY(!findAction(window.menuBar(), QStringLiteral("Homepage")));
        QVERIFY(!withMenus->menuBar()->isVisible());

        window.unloadScreen(withMenus);
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(findAction(window.menuBar(), QStringLiteral("Homepage")));
        QVERIFY(!findAction(window.menuBar(), QStringLiteral("About")));
        window.unloadScreen(plain);
    }

    void childScreensStandAHundredTwipsIn()
    {
        testing_support::FakeServices fakes;
        MDIForm1 window(fakes.services());
        window.show();
        auto* screen = new QWidget;
        window.showScreen(screen);
        const int offset = 100 * window.logicalDpiX() / 1440;
        QCOMPARE(window.subWindowOf(screen)->pos(), QPoint(offset, offset));
    }

    void theWindowStartsWithinTheScreen()
    {
        testing_support::FakeServices fakes;
        MDIForm1 window(fakes.services());
        const QSize room = window.screen()->availableSize();
        QVERIFY2(window.width() <= room.width() && window.height() <= room.height(),
                 qPrintable(QStringLiteral("%1x%2 on %3x%4")
                                .arg(window.width())
                                .arg(window.height())
                                .arg(room.width())
                                .arg(room.height())));
    }

    // A screen larger than the client area is scrolled to, not cut off: its far corner comes into view.
    void aChildScreenLargerThanTheClientAreaCanBeScrolledIntoView()
    {
        testing_support::FakeServices fakes;
        MDIForm1 window(fakes.services());
        window.setWindowState(Qt::WindowNoState);
        window.resize(400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* screen = new QWidget;
        screen->setMinimumSize(700, 500);
        auto* corner = new QPushButton(QStringLiteral("Far"), screen);
        corner->setGeometry(620, 460, 70, 30);
        window.showScreen(screen);
        auto* area = window.findChild<QMdiArea*>(QStringLiteral("ClientArea"));
        QCoreApplication::processEvents();

        QVERIFY(area->horizontalScrollBar()->isVisible());
        QVERIFY(area->verticalScrollBar()->isVisible());
        area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        QCoreApplication::processEvents();
        const QRect shown(corner->mapTo(area->viewport(), QPoint(0, 0)), corner->size());
        QVERIFY2(area->viewport()->rect().contains(shown),
                 qPrintable(QStringLiteral("button at %1,%2").arg(shown.x()).arg(shown.y())));
        QCOMPARE(window.subWindowOf(screen)->size().expandedTo(QSize(700, 500)), window.subWindowOf(screen)->size());
    }

    void loadingAnUnknownScreenIsObjectRequired()
    {
        testing_support::FakeServices fakes;
        MDIForm1 window(fakes.services());
        int made = 0;
        window.registerScreen(QStringLiteral("blank"), [&](ScreenHost&) {
            ++made;
            return new QWidget;
        });
        std::unique_ptr<QWidget> blank(window.loadScreen(QStringLiteral("blank")));
        QCOMPARE(made, 1);
        try {
            window.loadScreen(QStringLiteral("results"));
            QFAIL("no error");
        } catch (const platform::RuntimeError& error) {
            QCOMPARE(error.number(), platform::ErrorNumber::ObjectRequired);
        }
    }

    void theAttemptStateKeepsItsBoundsAndInitialValues()
    {
        AttemptState state;
        QCOMPARE(state.SelectedExam, 0);
        QCOMPARE(state.QuestionOrder(1), 0);
        QCOMPARE(state.Selections(1000, 4), 0);
        QCOMPARE(state.Completed(1000), false);
        QVERIFY(state.IndexFilePath.isEmpty());
        QCOMPARE(state.CurrentExam.ExamName, QString(25, u' '));
        state.Selections(3, 2) = 4;
        QCOMPARE(state.Selections(3, 2), 4);
        QCOMPARE(state.Selections(2, 2), 0);
        QCOMPARE(state.Selections(3, 3), 0);
        const auto outOfRange = [](const std::function<void()>& access) {
            try {
                access();
            } catch (const platform::RuntimeError& error) {
                return error.number() == platform::ErrorNumber::SubscriptOutOfRange;
            }
            return false;
        };
        QVERIFY(outOfRange([&] { state.QuestionOrder(0); }));
        QVERIFY(outOfRange([&] { state.QuestionOrder(1001); }));
        QVERIFY(outOfRange([&] { state.CorrectCount(-1); }));
        QVERIFY(outOfRange([&] { state.Selections(1, 5); }));
        QVERIFY(outOfRange([&] { state.Selections(1001, 1); }));
        QVERIFY(outOfRange([&] { state.Completed(0); }));
    }

    void anUnhandledErrorShowsTheStandardBoxAndClosesFiles()
    {
        testing_support::FakeServices fakes;
        fakes.recordFiles.setFile(QStringLiteral("/q/results.dat"), {});
        fakes.files.open(FileNumber::ScoreHistory, QStringLiteral("/q/results.dat"), 8,
                         platform::RecordAccess::ReadWrite);
        auto* application = static_cast<platform::RuntimeApplication*>(QCoreApplication::instance());
        std::optional<int> ended;
        application->setErrorHandler([&](const platform::RuntimeError& error) {
            platform::showStandardErrorBox(error, fakes.messages, fakes.files);
            ended = error.number();
        });
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [] {
            throw platform::RuntimeError(platform::ErrorNumber::PathNotFound, QStringLiteral("/q/dat"));
        });
        timer.start(0);
        QTRY_VERIFY(ended.has_value());
        QCOMPARE(*ended, 76);
        QCOMPARE(fakes.messages.shown.size(), std::size_t(1));
        QCOMPARE(fakes.messages.shown[0].prompt, QStringLiteral("Run-time error '76':\n\nPath not found: /q/dat"));
        QCOMPARE(fakes.messages.shown[0].buttons, platform::MsgBoxStyle::Critical);
        QVERIFY(!fakes.files.isOpen(FileNumber::ScoreHistory));
        application->setErrorHandler({});
    }

    // The toolkit adds the application's display name to every window title when one is set.
    void windowsCarryExactlyTheirOwnCaptions()
    {
        QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("quizmark"));
        testing_support::FakeServices fakes;
        MDIForm1 window(fakes.services());
        QCOMPARE(window.windowTitle(), QStringLiteral("Quizmark Exam Simulator"));
    }

    void theStartScreenLoadsUnderTheErrorHandling()
    {
        testing_support::FakeServices fakes;
        MDIForm1 window(fakes.services());
        window.registerScreen(QStringLiteral("examselect"), [](ScreenHost&) -> QWidget* {
            throw platform::RuntimeError(platform::ErrorNumber::PermissionDenied, QStringLiteral("/q/dat/index.dat"));
        });
        auto* application = static_cast<platform::RuntimeApplication*>(QCoreApplication::instance());
        std::optional<int> ended;
        application->setErrorHandler([&](const platform::RuntimeError& error) { ended = error.number(); });
        postStartScreen(window);
        QVERIFY(!ended);
        QTRY_VERIFY(ended.has_value());
        QCOMPARE(*ended, platform::ErrorNumber::PermissionDenied);
        application->setErrorHandler({});
    }

    void childScreensCannotBeMinimisedOutOfSight()
    {
        testing_support::FakeServices fakes;
        MDIForm1 window(fakes.services());
        window.show();
        auto* screen = new QWidget;
        window.showScreen(screen);
        QMdiSubWindow* frame = window.subWindowOf(screen);
        QVERIFY(!(frame->windowFlags() & Qt::WindowMinimizeButtonHint));
        for (QAction* action : frame->systemMenu()->actions())
            if (action->text().contains(QStringLiteral("Min")))
                QVERIFY2(!action->isVisible() || !action->isEnabled(), qPrintable(action->text()));
        window.unloadScreen(screen);
    }
};

int main(int argc, char** argv)
{
    platform::RuntimeApplication application(argc, argv);
    describeApplication();
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "mainwindow_test.moc"
