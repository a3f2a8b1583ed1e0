#include "countdownbar.h"
#include "mdiform1.h"
#include "module1.h"
#include "optioncheckbox.h"
#include "screens/exam.h"
#include "screens/resultreview.h"
#include "screens/review.h"
#include "startup.h"

#include "data/questionrecord.h"
#include "support/fakeservices.h"
#include "support/screentesting.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTest>

#include <set>

using namespace quizmark;
using testing_support::flushDeletes;
using testing_support::padded;

namespace {

// Catalogue entry 2 is the exam taken; its bank has `questions` records, record r asking
// "Question r" with the correct option (r - 1) % 4 + 1.
QByteArray catalogue(int questions)
{
    QByteArray bytes;
    for (const auto& name : { QStringLiteral("Warm Up"), QStringLiteral("Networking") }) {
        CatalogueRecord record;
        record.ExamName = padded(name, CatalogueRecord::ExamNameWidth);
        record.BankFile = padded(QStringLiteral("bank.dat"), CatalogueRecord::BankFileWidth);
        record.QuestionTotal = static_cast<std::int16_t>(questions);
        record.Description = padded(QStringLiteral("About ") + name, CatalogueRecord::DescriptionWidth);
        bytes += record.toBytes();
    }
    return bytes;
}

QByteArray bank(int questions)
{
    QByteArray bytes;
    for (int r = 1; r <= questions; ++r) {
        QuestionRecord record;
        record.Question = padded(QStringLiteral("Question %1").arg(r), QuestionRecord::QuestionWidth);
        for (int k = 1; k <= 4; ++k)
            record.option(k) = padded(QStringLiteral("Option %1.%2").arg(r).arg(k), QuestionRecord::OptionWidth);
        record.CorrectOptions = { std::int16_t((r - 1) % 4 + 1), 0, 0, 0 };
        record.Explanation = padded(QStringLiteral("Because %1").arg(r), QuestionRecord::ExplanationWidth);
        bytes += record.toBytes();
    }
    return bytes;
}

int correctOptionAt(int position)
{
    return (Module1.QuestionOrder(position) - 1) % 4 + 1;
}

// What the accessibility tree of a screen shows that a screen reader user would miss.
struct TreeFaults
{
    QStringList unnamed;
    QStringList padded;
    // Labels and read-only boxes whose name leaves out the text they show.
    QStringList hidden;
    // Menu titles without a mnemonic, or with one that a control of the screen uses too.
    QStringList menus;
};

// The text a label or a read-only box shows, without the blanks around it; empty for other widgets.
QString shownText(QObject* object)
{
    // A label with a buddy shows its mnemonic underlined, not as "&".
    if (auto* label = qobject_cast<QLabel*>(object))
        return label->buddy() ? QString(label->text()).remove(QRegularExpression(QStringLiteral("&(?!&)"))).trimmed()
                              : label->text().trimmed();
    if (auto* line = qobject_cast<QLineEdit*>(object); line && line->isReadOnly())
        return line->text().trimmed();
    if (auto* box = qobject_cast<QPlainTextEdit*>(object); box && box->isReadOnly())
        return box->toPlainText().trimmed();
    return {};
}

bool candidateUses(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::List:
    case QAccessible::ListItem:
    case QAccessible::EditableText:
    case QAccessible::ProgressBar:
    case QAccessible::Chart:
    case QAccessible::Table:
        return true;
    default:
        return false;
    }
}

void walk(QAccessibleInterface* node, const QString& path, TreeFaults& faults)
{
    if (!node || !node->isValid() || node->state().invisible)
        return;
    const QString name = node->text(QAccessible::Name);
    const QString where = path + QLatin1Char('/') + (node->object() ? node->object()->objectName() : QString())
        + QStringLiteral("[%1]").arg(int(node->role()));
    if (candidateUses(node->role()) && name.trimmed().isEmpty())
        faults.unnamed.append(where);
    if (name.endsWith(u' ') || node->text(QAccessible::Description).endsWith(u' '))
        faults.padded.append(where + QStringLiteral(" \"") + name + QLatin1Char('"'));
    if (const QString shown = shownText(node->object()); !shown.isEmpty() && !name.contains(shown))
        faults.hidden.append(where + QStringLiteral(" \"") + name + QStringLiteral("\" shows \"") + shown
                             + QLatin1Char('"'));
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), where, faults);
}

// The menus now in the main window's bar: each title has a mnemonic, and none is one that a control
// of the active screen takes.
void checkMenus(QWidget* screen, QStringList& faults)
{
    auto* window = qobject_cast<QMainWindow*>(screen->window());
    if (!window || !window->menuBar())
        return;
    QSet<QKeySequence> taken;
    for (QAbstractButton* button : screen->findChildren<QAbstractButton*>())
        if (button->isVisible())
            taken.insert(QKeySequence::mnemonic(button->text()));
    for (QAction* menu : window->menuBar()->actions()) {
        const QKeySequence key = QKeySequence::mnemonic(menu->text());
        if (key.isEmpty())
            faults.append(menu->text() + QStringLiteral(": no mnemonic"));
        else if (taken.contains(key))
            faults.append(menu->text() + QStringLiteral(": ") + key.toString() + QStringLiteral(" taken"));
    }
}

// Walks a screen's tree; every widget that can take the focus must be named too, whatever its role.
TreeFaults faultsOf(QWidget* screen)
{
    TreeFaults faults;
    walk(QAccessible::queryAccessibleInterface(screen), screen->objectName(), faults);
    checkMenus(screen, faults.menus);
    for (QWidget* widget : screen->findChildren<QWidget*>())
        if (widget->isVisible() && widget->focusPolicy() != Qt::NoFocus
            && QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name).trimmed().isEmpty())
            faults.unnamed.append(widget->objectName());
    return faults;
}

// A button pressed by its Alt key clicks once its pressed look has been shown.
constexpr int AnimatedClickMs = 250;

// Accessibility events sent while a test listens, by the object they are about.
std::vector<QPointer<QObject>> g_eventObjects;

void recordEvent(QAccessibleEvent* event)
{
    g_eventObjects.emplace_back(event->object());
}

} // namespace

class KeyboardTest : public QObject
{
    Q_OBJECT

    struct Road
    {
        testing_support::FakeServices fakes{ QCoreApplication::applicationDirPath() };
        MDIForm1 window{ fakes.services() };
        const QString dat = QCoreApplication::applicationDirPath() + QStringLiteral("/dat/");

        explicit Road(int questions = 3)
        {
            fakes.recordFiles.setFile(dat + QStringLiteral("index.dat"), catalogue(questions));
            fakes.recordFiles.setFile(dat + QStringLiteral("bank.dat"), bank(questions));
            registerScreens(window);
            window.setEndHandler([] {});
            window.resize(1100, 900);
            window.show();
            QApplication::setActiveWindow(&window);
            if (!QTest::qWaitForWindowActive(&window))
                qWarning("the main window did not become active");
            loadStartScreen(window);
            settle();
        }
        ~Road() { flushDeletes(); }

        static void settle()
        {
            QCoreApplication::processEvents();
            flushDeletes();
        }
        template <typename T = QWidget> T* screen(const char* name)
        {
            return window.findChild<T*>(QLatin1String(name));
        }
        static QWidget* focus() { return QApplication::focusWidget(); }
        static QString focusName() { return focus() ? focus()->objectName() : QString(); }
        // A key as the candidate presses it, to whatever has the focus.
        static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
        {
            QWidget* target = focus();
            QVERIFY2(target, "nothing has the focus");
            QTest::keyClick(target, key, modifiers);
            // A button's Alt key presses it the way a click would look: a moment later.
            if (modifiers & Qt::AltModifier)
                QTest::qWait(AnimatedClickMs);
            settle();
        }
        // Tab until the named control has the focus.
        static bool tabTo(const QString& name)
        {
            for (int i = 0; i < 30 && focusName() != name; ++i)
                QTest::keyClick(focus(), Qt::Key_Tab);
            return focusName() == name;
        }
        // Exam selection to the first question, by keys: the second exam, `take` questions.
        exam* startExam(int take)
        {
            press(Qt::Key_Down);
            press(Qt::Key_Return);
            for (QChar digit : QString::number(take))
                press(Qt::Key(Qt::Key_0 + digit.digitValue()));
            press(Qt::Key_Return);
            return screen<exam>("exam");
        }
    };

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup()
    {
        QAccessible::installUpdateHandler(nullptr);
        g_eventObjects.clear();
        flushDeletes();
    }

    void aWholeAttemptTakesTheKeyboardOnly()
    {
        Road road;
        QCOMPARE(road.focusName(), QStringLiteral("List1"));
        road.press(Qt::Key_Down);
        QCOMPARE(Module1.SelectedExam, 2);
        QVERIFY(road.screen("examselect")); // moving through the exams chooses none
        road.press(Qt::Key_Return);
        QVERIFY(!road.screen("examselect"));
        QCOMPARE(road.focusName(), QStringLiteral("Text2"));
        road.press(Qt::Key_Return); // an empty number starts nothing
        QVERIFY(road.screen("questionselect"));
        road.press(Qt::Key_3);
        road.press(Qt::Key_Return);
        exam* screen = road.screen<exam>("exam");
        QVERIFY(screen);
        QCOMPARE(Module1.QuestionsToTake, 3);

        // One key answers, one key moves on, and the focus is on the new question's first option.
        QCOMPARE(road.focusName(), QStringLiteral("Check1"));
        road.press(Qt::Key(Qt::Key_0 + correctOptionAt(1)));
        road.press(Qt::Key_PageDown);
        QCOMPARE(Module1.CurrentQuestion, 2);
        QCOMPARE(road.focusName(), QStringLiteral("Check1"));
        road.press(Qt::Key(Qt::Key_0 + correctOptionAt(2)));
        road.press(Qt::Key_N, Qt::AltModifier);
        QCOMPARE(Module1.CurrentQuestion, 3);
        road.press(Qt::Key_P, Qt::AltModifier);
        QCOMPARE(Module1.CurrentQuestion, 2);
        QVERIFY(screen->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(correctOptionAt(2)))->isChecked());
        road.press(Qt::Key_PageUp);
        QCOMPARE(Module1.CurrentQuestion, 1);
        road.press(Qt::Key_PageDown);
        road.press(Qt::Key_PageDown);
        QCOMPARE(Module1.CurrentQuestion, 3);
        QCOMPARE(road.focusName(), QStringLiteral("Check1"));
        road.press(Qt::Key(Qt::Key_0 + (correctOptionAt(3) % 4 + 1))); // a wrong answer

        // The item review: walk to the first entry, pick it with Enter.
        road.fakes.wait.actions.push_back([&] {
            road.settle();
            QCOMPARE(road.focusName(), QStringLiteral("List1"));
            road.press(Qt::Key_End);
            road.press(Qt::Key_Up);
            road.press(Qt::Key_Home);
            QVERIFY(!road.screen<review>("review")->ItemChosen);
            road.press(Qt::Key_Return);
        });
        road.press(Qt::Key_R, Qt::AltModifier);
        QCOMPARE(road.fakes.wait.waits, 1);
        QCOMPARE(Module1.CurrentQuestion, 1);
        QCOMPARE(road.focusName(), QStringLiteral("Check1"));

        road.fakes.messages.answerNext(platform::MsgBoxResult::Cancel);
        road.press(Qt::Key_E, Qt::AltModifier);
        QVERIFY(road.screen("exam"));
        road.press(Qt::Key_E, Qt::AltModifier);
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(2));
        QCOMPARE(road.fakes.messages.shown[1].title, QStringLiteral("End Exam"));
        QVERIFY(!road.screen("exam"));

        // The results: two of three right; the third line's review opens with Enter, Escape closes it.
        QWidget* results = road.screen("results");
        QVERIFY(results);
        QCOMPARE(road.focusName(), QStringLiteral("List1"));
        auto* lines = results->findChild<QListWidget*>(QStringLiteral("List1"));
        QCOMPARE(lines->item(2)->text(), QStringLiteral("Question 3 Incorrect"));
        road.press(Qt::Key_Down);
        road.press(Qt::Key_Down);
        road.press(Qt::Key_Down);
        QCOMPARE(lines->currentRow(), 2);
        QCOMPARE(road.fakes.wait.waits, 1);
        QString reviewed;
        road.fakes.wait.actions.push_back([&] {
            road.settle();
            reviewed = road.screen("resultreview")->findChild<QLabel*>(QStringLiteral("Label2"))->text().trimmed();
            road.press(Qt::Key_Escape);
        });
        road.press(Qt::Key_Return);
        road.settle();
        QCOMPARE(road.fakes.wait.waits, 2);
        QCOMPARE(reviewed, QStringLiteral("Question %1").arg(Module1.QuestionOrder(3)));
        QVERIFY(results->isVisible());
        QCOMPARE(road.focusName(), QStringLiteral("List1"));

        // The history and back, then a new exam.
        QVERIFY(road.tabTo(QStringLiteral("Command1")));
        road.press(Qt::Key_Space);
        QWidget* history = road.screen("history");
        QVERIFY(history && history->isVisible());
        QCOMPARE(road.focusName(), QStringLiteral("Command1"));
        // The question statistics: a question opens with Enter, Escape steps back twice.
        road.press(Qt::Key_Q, Qt::AltModifier);
        QWidget* statistics = road.screen("questionstatistics");
        QVERIFY(statistics && statistics->isVisible());
        QCOMPARE(road.focusName(), QStringLiteral("questionTable"));
        road.press(Qt::Key_Down);
        road.press(Qt::Key_Return);
        QCOMPARE(road.focusName(), QStringLiteral("questionDetail"));
        road.press(Qt::Key_Escape);
        QCOMPARE(road.focusName(), QStringLiteral("questionTable"));
        road.press(Qt::Key_S, Qt::AltModifier);
        QCOMPARE(road.focusName(), QStringLiteral("sortColumn"));
        road.press(Qt::Key_Escape);
        QVERIFY(!road.screen("questionstatistics"));
        QVERIFY(history->isVisible());
        QCOMPARE(road.focusName(), QStringLiteral("questionStatistics"));
        QVERIFY(road.tabTo(QStringLiteral("Command1")));
        road.press(Qt::Key_Space);
        QVERIFY(!road.screen("history"));
        QVERIFY(results->isVisible());
        QVERIFY(road.tabTo(QStringLiteral("Command2")));
        road.press(Qt::Key_Space);
        QVERIFY(road.screen("examselect"));
        QCOMPARE(road.focusName(), QStringLiteral("List1"));
        QVERIFY(road.startExam(2));
        QCOMPARE(Module1.QuestionsToTake, 2);
    }

    void everyEntryOfTheItemReviewIsReachedBeforeAPick_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("picked");
        QTest::newRow("down to the last") << QList<int>(9, Qt::Key_Down) << 10;
        QTest::newRow("end, then up to the first") << (QList<int>{ Qt::Key_End } + QList<int>(9, Qt::Key_Up)) << 1;
        QTest::newRow("home, end, up") << QList<int>{ Qt::Key_Home, Qt::Key_End, Qt::Key_Up } << 9;
        QTest::newRow("typed number") << QList<int>{ Qt::Key_7 } << 7;
        QTest::newRow("typed two digits") << QList<int>{ Qt::Key_1, Qt::Key_0 } << 10;
    }

    void everyEntryOfTheItemReviewIsReachedBeforeAPick()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, picked);
        Road road(10);
        road.startExam(10);
        std::set<int> reached;
        road.fakes.wait.actions.push_back([&] {
            road.settle();
            auto* list = road.screen<review>("review")->findChild<QListWidget*>(QStringLiteral("List1"));
            road.press(Qt::Key_Home);
            reached.insert(list->currentRow());
            for (int key : keys) {
                road.press(Qt::Key(key));
                reached.insert(list->currentRow());
                QVERIFY2(!road.screen<review>("review")->ItemChosen, "moving picked an entry");
            }
            road.press(Qt::Key_Space);
        });
        road.press(Qt::Key_R, Qt::AltModifier);
        QCOMPARE(Module1.CurrentQuestion, picked);
        QCOMPARE(road.focusName(), QStringLiteral("Check1"));
        if (keys.size() == 9)
            QCOMPARE(int(reached.size()), 10);
    }

    void escapeLeavesTheItemReviewOnTheSameQuestion()
    {
        Road road(10);
        road.startExam(10);
        road.press(Qt::Key_PageDown);
        road.press(Qt::Key(Qt::Key_0 + correctOptionAt(2)));
        road.fakes.wait.actions.push_back([&] {
            road.settle();
            road.press(Qt::Key_Down);
            road.press(Qt::Key_Down);
            road.press(Qt::Key_Escape);
        });
        road.press(Qt::Key_R, Qt::AltModifier);
        QCOMPARE(Module1.CurrentQuestion, 2);
        QVERIFY(road.screen<exam>("exam")
                    ->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(correctOptionAt(2)))
                    ->isChecked());
        flushDeletes();
        QVERIFY(!road.screen("review"));
    }

    void digitsAnswerUnderTheTickLimit()
    {
        Road road;
        exam* screen = road.startExam(3);
        const int right = correctOptionAt(1);
        const int other = right % 4 + 1;
        road.press(Qt::Key(Qt::Key_0 + other));
        road.press(Qt::Key(Qt::Key_0 + right)); // one correct option: a second tick is undone
        const auto box = [screen](int n) { return screen->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(n)); };
        QVERIFY(box(other)->isChecked());
        QVERIFY(!box(right)->isChecked());
        road.press(Qt::Key(Qt::Key_0 + other)); // unticks
        road.press(Qt::Key(Qt::Key_0 + right));
        QVERIFY(box(right)->isChecked());
        QVERIFY(!box(other)->isChecked());
        road.press(Qt::Key_5);
        road.press(Qt::Key_0);
        QCOMPARE(Module1.CurrentQuestion, 1);
    }

    void theExamKeysRestWhileTheItemReviewIsUp()
    {
        Road road;
        exam* screen = road.startExam(3);
        road.fakes.wait.actions.push_back([&] {
            road.settle();
            road.press(Qt::Key_PageDown);
            road.press(Qt::Key_2);
            road.press(Qt::Key_N, Qt::AltModifier);
            QCOMPARE(Module1.CurrentQuestion, 1);
            QVERIFY(!road.screen<review>("review")->ItemChosen);
            road.press(Qt::Key_Escape);
        });
        road.press(Qt::Key_R, Qt::AltModifier);
        QCOMPARE(Module1.CurrentQuestion, 1);
        for (int n = 1; n <= 4; ++n)
            QVERIFY(!screen->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(n))->isChecked());
    }

    void theResultsListOpensOnlyWhatIsPicked()
    {
        Road road(10);
        road.startExam(10);
        road.fakes.messages.answerNext(platform::MsgBoxResult::OK);
        road.press(Qt::Key_E, Qt::AltModifier);
        auto* lines = road.screen("results")->findChild<QListWidget*>(QStringLiteral("List1"));
        QCOMPARE(lines->count(), 10);
        std::set<int> reached;
        road.press(Qt::Key_Home);
        for (int i = 0; i < 10; ++i) {
            reached.insert(lines->currentRow());
            road.press(Qt::Key_Down);
        }
        QCOMPARE(int(reached.size()), 10);
        QCOMPARE(road.fakes.wait.waits, 0);
        road.press(Qt::Key_8);
        QCOMPARE(lines->currentRow(), 7);
        QCOMPARE(road.fakes.wait.waits, 0);
        int reviewed = 0;
        road.fakes.wait.actions.push_back([&] {
            road.settle();
            reviewed = Module1.QuestionOrder(8);
            QCOMPARE(road.screen("resultreview")->findChild<QLabel*>(QStringLiteral("Label2"))->text().trimmed(),
                     QStringLiteral("Question %1").arg(reviewed));
            QVERIFY(road.tabTo(QStringLiteral("Command1")));
            road.press(Qt::Key_Space);
        });
        road.press(Qt::Key_Return);
        QCOMPARE(road.fakes.wait.waits, 1);
        QVERIFY(reviewed > 0);
    }

    void everyScreenNamesWhatTheCandidateUses()
    {
        Road road;
        QMap<QString, TreeFaults> faults;
        faults["examselect"] = faultsOf(road.screen("examselect"));
        QCOMPARE(QAccessible::queryAccessibleInterface(
                     road.screen("examselect")->findChild<QListWidget*>(QStringLiteral("List1")))
                     ->text(QAccessible::Name),
                 QStringLiteral("Exams"));
        road.press(Qt::Key_Down);
        road.press(Qt::Key_Return);
        faults["questionselect"] = faultsOf(road.screen("questionselect"));
        road.press(Qt::Key_3);
        road.press(Qt::Key_Return);
        exam* screen = road.screen<exam>("exam");
        faults["exam"] = faultsOf(screen);
        QCOMPARE(QAccessible::queryAccessibleInterface(screen->findChild<QWidget*>(QStringLiteral("Text1")))
                     ->text(QAccessible::Name),
                 QStringLiteral("Seconds left: 180"));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(screen->findChild<QWidget*>(QStringLiteral("minutesSecondsLabel")))
                ->text(QAccessible::Name),
            QStringLiteral("Time left: 3:00"));
        screen->Timer1_Timer();
        QCOMPARE(
            QAccessible::queryAccessibleInterface(screen->findChild<QWidget*>(QStringLiteral("minutesSecondsLabel")))
                ->text(QAccessible::Name),
            QStringLiteral("Time left: 2:59"));
        // Alt+F opens the File menu.
        road.press(Qt::Key_F, Qt::AltModifier);
        QVERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        road.press(Qt::Key_Escape);
        QVERIFY(!QApplication::activePopupWidget());
        // The menu bar keeps the keyboard until Escape leaves it too.
        if (road.focus() != screen->findChild<QWidget*>(QStringLiteral("Check1")))
            road.press(Qt::Key_Escape);
        QCOMPARE(road.focusName(), QStringLiteral("Check1"));
        QCOMPARE(QAccessible::queryAccessibleInterface(screen->findChild<QWidget*>(QStringLiteral("Check2")))
                     ->text(QAccessible::Name),
                 QStringLiteral("Option %1.2").arg(Module1.QuestionOrder(1)));
        road.press(Qt::Key(Qt::Key_0 + correctOptionAt(1)));
        road.fakes.wait.actions.push_back([&] {
            road.settle();
            faults["review"] = faultsOf(road.screen("review"));
            road.press(Qt::Key_Return);
        });
        road.press(Qt::Key_R, Qt::AltModifier);
        road.press(Qt::Key_E, Qt::AltModifier);
        QWidget* results = road.screen("results");
        faults["results"] = faultsOf(results);
        for (const char* name : { "Text1", "Text2", "Text3", "ProgressBar1", "ProgressBar2", "List1" })
            QVERIFY2(!QAccessible::queryAccessibleInterface(results->findChild<QWidget*>(QLatin1String(name)))
                          ->text(QAccessible::Name)
                          .isEmpty(),
                     name);
        QStringList yours;
        road.fakes.wait.actions.push_back([&] {
            road.settle();
            QWidget* review = road.screen("resultreview");
            faults["resultreview"] = faultsOf(review);
            for (int n = 5; n <= 8; ++n)
                yours.append(
                    QAccessible::queryAccessibleInterface(review->findChild<QWidget*>(QStringLiteral("Check%1").arg(n)))
                        ->text(QAccessible::Name));
            road.press(Qt::Key_Escape);
        });
        road.press(Qt::Key_Return);
        QStringList expected;
        for (int n = 1; n <= 4; ++n)
            expected.append(
                QStringLiteral("Your answer: option %1, %2")
                    .arg(n)
                    .arg(n == correctOptionAt(1) ? QStringLiteral("ticked") : QStringLiteral("not ticked")));
        QCOMPARE(yours, expected);
        QVERIFY(road.tabTo(QStringLiteral("Command1")));
        road.press(Qt::Key_Space);
        QWidget* history = road.screen("history");
        faults["history"] = faultsOf(history);
        QAccessibleInterface* chart
            = QAccessible::queryAccessibleInterface(history->findChild<QWidget*>(QStringLiteral("Plotvane1")));
        QCOMPARE(chart->text(QAccessible::Name), QStringLiteral("Exam history chart"));
        QCOMPARE(chart->text(QAccessible::Description), QStringLiteral("Attempt 1: your score 1, passing score 2.1."));
        road.press(Qt::Key_Q, Qt::AltModifier);
        QWidget* statistics = road.screen("questionstatistics");
        QVERIFY(statistics);
        faults["questionstatistics"] = faultsOf(statistics);
        QCOMPARE(QAccessible::queryAccessibleInterface(statistics->findChild<QWidget*>(QStringLiteral("shareChart")))
                     ->text(QAccessible::Name),
                 QStringLiteral("Score in percent chart"));
        road.press(Qt::Key_Return);
        faults["questionstatistics question"] = faultsOf(statistics);
        QVERIFY(QAccessible::queryAccessibleInterface(statistics->findChild<QWidget*>(QStringLiteral("questionDetail")))
                    ->text(QAccessible::Name)
                    .contains(QStringLiteral("(correct answer)")));

        for (auto it = faults.cbegin(); it != faults.cend(); ++it) {
            QVERIFY2(it->unnamed.isEmpty(),
                     qPrintable(it.key() + QStringLiteral(" unnamed: ") + it->unnamed.join(", ")));
            QVERIFY2(it->padded.isEmpty(), qPrintable(it.key() + QStringLiteral(" padded: ") + it->padded.join(", ")));
            QVERIFY2(it->hidden.isEmpty(), qPrintable(it.key() + QStringLiteral(" hidden: ") + it->hidden.join(", ")));
            QVERIFY2(it->menus.isEmpty(), qPrintable(it.key() + QStringLiteral(" menus: ") + it->menus.join(", ")));
        }
    }

    void theCountdownSpeaksNowAndThen_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("afterSixtyTicks");
        QTest::newRow("the last minute") << 1 << QStringLiteral("10 seconds left");
        QTest::newRow("a longer exam") << 30 << QStringLiteral("29 minutes left");
    }

    void theCountdownSpeaksNowAndThen()
    {
        QFETCH(int, minutes);
        QFETCH(QString, afterSixtyTicks);
        Road road(30);
        exam* screen = road.startExam(minutes);
        QWidget* seconds = screen->findChild<QWidget*>(QStringLiteral("Text1"));
        QCOMPARE(QAccessible::queryAccessibleInterface(seconds)->text(QAccessible::Description),
                 AccessibleTextOf(minutes * 60));
        // Widgets report their changes only while assistive technology listens, through the
        // platform's accessibility bus; without one there is nothing to count.
        if (QGuiApplication::platformName() == QLatin1String("offscreen")
            || !QTest::qWaitFor([] { return QAccessible::isActive(); }, 3000))
            QSKIP("no accessibility bus: run under tests/app/with-accessibility-bus.sh");
        QAccessible::installUpdateHandler(&recordEvent);
        for (int tick = 1; tick <= 60; ++tick)
            screen->Timer1_Timer();
        QAccessible::installUpdateHandler(nullptr);
        int fromScreen = 0;
        for (const QPointer<QObject>& object : g_eventObjects)
            for (QObject* o = object; o; o = o->parent())
                if (o == screen) {
                    ++fromScreen;
                    break;
                }
        QVERIFY2(fromScreen < 5, qPrintable(QString::number(fromScreen)));
        QVERIFY(fromScreen >= 1);
        QCOMPARE(QAccessible::queryAccessibleInterface(seconds)->text(QAccessible::Description), afterSixtyTicks);
    }

private:
    static QString AccessibleTextOf(int seconds)
    {
        return seconds % 60 == 0 ? QStringLiteral("%1 minute%2 left").arg(seconds / 60).arg(seconds == 60 ? "" : "s")
                                 : QString();
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
