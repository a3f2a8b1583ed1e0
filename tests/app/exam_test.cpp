#include "countdownbar.h"
#include "mdiform1.h"
#include "module1.h"
#include "optioncheckbox.h"
#include "attempt/bankfilepath.h"
#include "programicon.h"
#include "screens/exam.h"
#include "screens/frmabout.h"
#include "screens/review.h"
#include "startup.h"
#include "webaddresses.h"

#include "data/questionrecord.h"
#include "platform/messageboxes.h"
#include "support/fakeservices.h"
#include "support/screentesting.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <set>
#include <utility>

using namespace quizmark;
using testing_support::flushDeletes;
using testing_support::padded;

namespace {

const QString DataDir = QStringLiteral("/quizmark/dat/");
const QString IndexPath = DataDir + QStringLiteral("index.dat");
const QString BankPath = DataDir + QStringLiteral("bank.dat");

QByteArray catalogueFor(const QString& bankName, int total)
{
    CatalogueRecord record;
    record.ExamName = padded(QStringLiteral("Sample"), CatalogueRecord::ExamNameWidth);
    record.BankFile = padded(bankName, CatalogueRecord::BankFileWidth);
    record.QuestionTotal = static_cast<std::int16_t>(total);
    return record.toBytes();
}

// Record r asks "Question r" with options "r.1" to "r.4"; correct lists its correct options.
QuestionRecord question(int r, std::array<std::int16_t, 4> correct = { 1, 0, 0, 0 })
{
    QuestionRecord record;
    record.Question = padded(QStringLiteral("Question %1").arg(r), QuestionRecord::QuestionWidth);
    for (int k = 1; k <= 4; ++k)
        record.option(k) = padded(QStringLiteral("%1.%2").arg(r).arg(k), QuestionRecord::OptionWidth);
    record.CorrectOptions = correct;
    return record;
}

QByteArray bankOf(const std::vector<QuestionRecord>& records)
{
    QByteArray bytes;
    for (const QuestionRecord& record : records)
        bytes += record.toBytes();
    return bytes;
}

// True when the icon draws any pixel that is not fully transparent.
bool showsSomething(const QIcon& icon)
{
    const QImage image = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}

QByteArray plainBank(int count)
{
    std::vector<QuestionRecord> records;
    for (int r = 1; r <= count; ++r)
        records.push_back(question(r));
    return bankOf(records);
}

}

class ExamTest : public QObject {
    Q_OBJECT

    struct Attempt {
        testing_support::FakeServices fakes;
        MDIForm1 window { fakes.services() };
        int resultsLoaded = 0;
        bool ended = false;
        // How start() sets the attempt up beyond its arguments: the draw, and a catalogue total
        // other than the bank's records where it is not negative.
        bool wholeBank = false;
        int questionTotal = -1;
        Attempt()
        {
            registerScreens(window);
            window.registerScreen(QStringLiteral("results"), [this](ScreenHost&) {
                ++resultsLoaded;
                auto* results = new QWidget;
                results->setObjectName(QStringLiteral("results"));
                return results;
            });
            window.setEndHandler([this] { ended = true; });
            window.show();
        }
        ~Attempt() { flushDeletes(); } // screens unloaded last go while the services still stand
        // Starts an attempt as the set-up screen does, on a catalogue of one exam.
        exam* start(const QByteArray& bank, int take, int minutes, const QString& bankName = QStringLiteral("bank.dat"))
        {
            fakes.recordFiles.setFile(
                IndexPath,
                catalogueFor(bankName, questionTotal >= 0 ? questionTotal : bank.size() / QuestionRecord::Length));
            if (!bank.isNull())
                fakes.recordFiles.setFile(DataDir + bankName, bank);
            Module1.DataDirectory = DataDir;
            Module1.IndexFilePath = IndexPath;
            Module1.SelectedExam = 1;
            Module1.QuestionsToTake = static_cast<std::int16_t>(take);
            Module1.ExamMinutes = static_cast<std::int16_t>(minutes);
            Module1.CurrentQuestion = 1;
            Module1.DrawFromWholeBank = wholeBank;
            auto* screen = qobject_cast<exam*>(window.loadScreen(QStringLiteral("exam")));
            window.showScreen(screen);
            return screen;
        }
        template <typename T> T* control(const QString& name)
        {
            QWidget* form = window.findChild<QWidget*>(QStringLiteral("exam"));
            return form ? form->findChild<T*>(name) : nullptr;
        }
        QString label(const QString& name) { return control<QLabel>(name)->text(); }
        QCheckBox* mark() { return control<QCheckBox>(QStringLiteral("markForReview")); }
        // On its box, not the empty stretch right of its text.
        void toggleMark() { QTest::mouseClick(mark(), Qt::LeftButton, {}, QPoint(6, mark()->height() / 2)); }
        // Opens the item review, lets the test look at its list, then picks the entry of a position.
        void review(std::function<void(QListWidget*)> look, int pick)
        {
            fakes.wait.actions.push_back([this, look, pick] {
                auto* list = window.findChild<quizmark::review*>()->findChild<QListWidget*>("List1");
                look(list);
                list->setCurrentRow(pick - 1);
                QTest::keyClick(list, Qt::Key_Return);
            });
            click(QStringLiteral("Command4"));
        }
        OptionCheckBox* box(int n) { return control<OptionCheckBox>(QStringLiteral("Check%1").arg(n)); }
        void click(const QString& button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
        void tick(int n) { QTest::mouseClick(box(n), Qt::LeftButton); }
        QList<int> ticked()
        {
            QList<int> boxes;
            for (int n = 1; n <= 4; ++n)
                if (box(n)->isChecked())
                    boxes.append(n);
            return boxes;
        }
        QList<int> stored(int position)
        {
            QList<int> values;
            for (int k = 1; k <= 4; ++k)
                values.append(Module1.Selections(position, k));
            return values;
        }
        QString shownQuestion() { return control<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText().trimmed(); }
        // The record shown at a position, from the draw.
        QString questionAt(int position) { return QStringLiteral("Question %1").arg(Module1.QuestionOrder(position)); }
    };

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { flushDeletes(); }

    void startUpDrawsAPermutationOfTheFirstRecordsAndShowsTheFirst_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("take");
        QTest::newRow("whole bank") << 30 << 30;
        QTest::newRow("part of the bank") << 30 << 7;
        QTest::newRow("one question") << 5 << 1;
        QTest::newRow("a thousand") << 1000 << 1000;
    }

    void startUpDrawsAPermutationOfTheFirstRecordsAndShowsTheFirst()
    {
        QFETCH(int, records);
        QFETCH(int, take);
        Attempt attempt;
        for (int k = 1; k <= 4; ++k)
            Module1.Selections(1, k) = 3; // left over from an earlier attempt
        Module1.Completed(1) = true;
        exam* screen = attempt.start(plainBank(records), take, 30);
        QVERIFY(screen);
        QCOMPARE(attempt.fakes.random.randomizeCalls, 1);
        std::set<int> drawn;
        for (int i = 1; i <= take; ++i)
            drawn.insert(Module1.QuestionOrder(i));
        QCOMPARE(int(drawn.size()), take);
        QCOMPARE(*drawn.begin(), 1);
        QCOMPARE(*drawn.rbegin(), take);
        QCOMPARE(attempt.stored(1), (QList<int> { 0, 0, 0, 0 }));
        QVERIFY(!Module1.Completed(1));
        QCOMPARE(Module1.CurrentQuestion, 1);
        QCOMPARE(attempt.shownQuestion(), attempt.questionAt(1));
        QCOMPARE(attempt.box(3)->caption(), padded(QStringLiteral("%1.3").arg(Module1.QuestionOrder(1)), 255));
        QCOMPARE(attempt.control<QLabel>("Text1")->text(), QStringLiteral("1800"));
        QCOMPARE(attempt.control<CountdownBar>("ProgressBar1")->maximum(), 1800);
        QCOMPARE(attempt.control<CountdownBar>("ProgressBar1")->value(), 1800);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Quizmark Practice Exam."));
        QVERIFY(attempt.fakes.files.isOpen(FileNumber::Catalogue));
        QVERIFY(attempt.fakes.files.isOpen(FileNumber::QuestionBank));
    }

    void correctCountsComeFromEveryPositiveElement()
    {
        Attempt attempt;
        attempt.start(bankOf({ question(1, { 0, 0, 0, 0 }), question(2, { 2, 4, 0, 0 }), question(3, { 0, 3, 0, 1 }),
                          question(4, { 1, 2, 3, 4 }) }),
            4, 4);
        for (int i = 1; i <= 4; ++i) {
            const int expected[] = { 0, 2, 2, 4 };
            QCOMPARE(int(Module1.CorrectCount(i)), expected[Module1.QuestionOrder(i) - 1]);
        }
    }

    void theTickLimitKeepsNoMoreTicksThanCorrectOptions()
    {
        Attempt attempt;
        attempt.start(bankOf({ question(1, { 1, 3, 0, 0 }), question(2, { 0, 0, 0, 0 }) }), 1, 1);
        const bool twoAnswers = Module1.QuestionOrder(1) == 1;
        QVERIFY(twoAnswers);
        attempt.tick(1);
        attempt.tick(3);
        attempt.tick(4);
        QCOMPARE(attempt.ticked(), (QList<int> { 1, 3 }));
        attempt.tick(1); // unticking is never undone
        QCOMPARE(attempt.ticked(), (QList<int> { 3 }));
        attempt.tick(4);
        QCOMPARE(attempt.ticked(), (QList<int> { 3, 4 }));
    }

    void aQuestionWithoutCorrectOptionsKeepsNoTick()
    {
        Attempt attempt;
        attempt.start(bankOf({ question(1, { 0, 0, 0, 0 }) }), 1, 1);
        QCOMPARE(int(Module1.CorrectCount(1)), 0);
        attempt.tick(2);
        QCOMPARE(attempt.ticked(), QList<int> {});
    }

    void ticksAreStoredInBoxOrderAndComeBack()
    {
        Attempt attempt;
        std::vector<QuestionRecord> two;
        for (int r = 1; r <= 5; ++r)
            two.push_back(question(r, { 1, 2, 0, 0 }));
        attempt.start(bankOf(two), 5, 5);
        attempt.tick(4);
        attempt.tick(2);
        attempt.click("Command1");
        QCOMPARE(attempt.stored(1), (QList<int> { 2, 4, 0, 0 }));
        QCOMPARE(Module1.CurrentQuestion, 2);
        QCOMPARE(attempt.ticked(), QList<int> {});
        QCOMPARE(attempt.shownQuestion(), attempt.questionAt(2));
        attempt.click("Command2");
        QCOMPARE(attempt.ticked(), (QList<int> { 2, 4 }));
        QCOMPARE(attempt.shownQuestion(), attempt.questionAt(1));

        // A slot the candidate emptied is cleared, so the unticked option does not come back.
        attempt.tick(4);
        attempt.click("Command1");
        QCOMPARE(attempt.stored(1), (QList<int> { 2, 0, 0, 0 }));
        attempt.click("Command2");
        QCOMPARE(attempt.ticked(), (QList<int> { 2 }));
    }

    void navigationDoesNothingAtEitherEnd()
    {
        Attempt attempt;
        attempt.start(plainBank(5), 5, 5);
        attempt.click("Command2");
        QCOMPARE(Module1.CurrentQuestion, 1);
        QCOMPARE(attempt.shownQuestion(), attempt.questionAt(1));
        for (int i = 0; i < 6; ++i)
            attempt.click("Command1");
        QCOMPARE(Module1.CurrentQuestion, 5);
        attempt.tick(3);
        attempt.click("Command1"); // at the last position Next stores nothing
        QCOMPARE(attempt.stored(5), (QList<int> { 0, 0, 0, 0 }));
        QCOMPARE(attempt.ticked(), (QList<int> { 3 }));
        QCOMPARE(attempt.shownQuestion(), attempt.questionAt(5));
        // Next stays in its place at the last position, but is not offered.
        QVERIFY(attempt.control<QPushButton>("Command1")->isVisible());
        QVERIFY(!attempt.control<QPushButton>("Command1")->isEnabled());
    }

    // Which of Previous and Next each position offers: (previous, next).
    void previousAndNextAreOfferedWhereTheyLead()
    {
        {
            Attempt attempt;
            attempt.start(plainBank(3), 3, 5);
            const auto offered = [&] {
                return std::pair(attempt.control<QPushButton>("Command2")->isEnabled(),
                                 attempt.control<QPushButton>("Command1")->isEnabled());
            };
            QCOMPARE(offered(), std::pair(false, true));
            attempt.click("Command1");
            QCOMPARE(offered(), std::pair(true, true));
            attempt.click("Command1");
            QCOMPARE(Module1.CurrentQuestion, 3);
            QCOMPARE(offered(), std::pair(true, false));
            attempt.click("Command2");
            QCOMPARE(offered(), std::pair(true, true));
            attempt.review([](QListWidget*) {}, 1);
            QCOMPARE(Module1.CurrentQuestion, 1);
            QCOMPARE(offered(), std::pair(false, true));
            attempt.review([](QListWidget*) {}, 3);
            QCOMPARE(Module1.CurrentQuestion, 3);
            QCOMPARE(offered(), std::pair(true, false));
            attempt.review([](QListWidget*) {}, 2);
            QCOMPARE(offered(), std::pair(true, true));
        }
        flushDeletes();
        Attempt single;
        single.start(plainBank(1), 1, 1);
        QCOMPARE(std::pair(single.control<QPushButton>("Command2")->isEnabled(),
                           single.control<QPushButton>("Command1")->isEnabled()),
                 std::pair(false, false));
    }

    void theCountdownRunsFromSixtyToZeroAndEndsOnTheNextTick()
    {
        Attempt attempt;
        QPointer<exam> screen = attempt.start(bankOf({ question(1, { 2, 0, 0, 0 }) }), 1, 1);
        auto* seconds = attempt.control<QLabel>("Text1");
        auto* bar = attempt.control<CountdownBar>("ProgressBar1");
        QCOMPARE(seconds->text(), QStringLiteral("60"));
        screen->Timer1_Timer();
        QCOMPARE(seconds->text(), QStringLiteral("59"));
        QCOMPARE(bar->value(), 59);
        attempt.tick(2);
        for (int i = 2; i <= 60; ++i)
            screen->Timer1_Timer();
        QCOMPARE(seconds->text(), QStringLiteral("0"));
        QCOMPARE(bar->value(), 0);
        QCOMPARE(attempt.resultsLoaded, 0);
        screen->Timer1_Timer();
        QCOMPARE(attempt.resultsLoaded, 1);
        QCOMPARE(attempt.stored(1), (QList<int> { 2, 0, 0, 0 })); // the ticks on screen are scored
        QVERIFY(attempt.fakes.messages.shown.empty());
        QVERIFY(!attempt.fakes.files.isOpen(FileNumber::Catalogue));
        QVERIFY(!attempt.fakes.files.isOpen(FileNumber::QuestionBank));
        flushDeletes();
        QVERIFY(!screen);
        QVERIFY(attempt.window.findChild<QWidget*>("results"));
    }

    void noMinutesEndOnTheFirstTick()
    {
        Attempt attempt;
        exam* screen = attempt.start(plainBank(1), 1, 0);
        QCOMPARE(attempt.control<QLabel>("Text1")->text(), QStringLiteral("0"));
        screen->Timer1_Timer();
        QCOMPARE(attempt.resultsLoaded, 1);
    }

    void endExamAsksAndCancelGoesOn()
    {
        Attempt attempt;
        QPointer<exam> screen = attempt.start(bankOf({ question(1, { 1, 2, 0, 0 }), question(2) }), 2, 2);
        attempt.tick(2);
        attempt.fakes.messages.answerNext(platform::MsgBoxResult::Cancel);
        attempt.click("Command3");
        QCOMPARE(attempt.fakes.messages.shown.size(), std::size_t(1));
        QCOMPARE(attempt.fakes.messages.shown[0].prompt, QStringLiteral("Are you sure you want to end exam ?"));
        QCOMPARE(attempt.fakes.messages.shown[0].title, QStringLiteral("End Exam"));
        QCOMPARE(attempt.fakes.messages.shown[0].buttons, platform::MsgBoxStyle::OKCancel);
        QCOMPARE(attempt.resultsLoaded, 0);
        QCOMPARE(attempt.ticked(), (QList<int> { 2 }));
        QCOMPARE(screen->secondsLeft(), 120);

        attempt.fakes.messages.answerNext(platform::MsgBoxResult::OK);
        attempt.click("Command3");
        QCOMPARE(attempt.resultsLoaded, 1);
        QCOMPARE(attempt.stored(1), (QList<int> { 2, 0, 0, 0 }));
        flushDeletes();
        QVERIFY(!screen);
    }

    void closingTheExamByItsFrameAsksAsEndExamDoes()
    {
        Attempt attempt;
        QPointer<exam> screen = attempt.start(bankOf({ question(1, { 1, 2, 0, 0 }), question(2) }), 2, 2);
        attempt.tick(2);
        QMdiSubWindow* frame = attempt.window.subWindowOf(screen);
        attempt.fakes.messages.answerNext(platform::MsgBoxResult::Cancel);
        frame->close();
        flushDeletes();
        QVERIFY(screen);
        QVERIFY(screen->isVisible());
        QCOMPARE(attempt.fakes.messages.shown.size(), std::size_t(1));
        QCOMPARE(attempt.fakes.messages.shown[0].prompt, QStringLiteral("Are you sure you want to end exam ?"));
        QCOMPARE(attempt.fakes.messages.shown[0].title, QStringLiteral("End Exam"));
        QCOMPARE(attempt.resultsLoaded, 0);
        QCOMPARE(attempt.ticked(), (QList<int>{ 2 }));
        QVERIFY(attempt.fakes.files.isOpen(FileNumber::QuestionBank));

        attempt.fakes.messages.answerNext(platform::MsgBoxResult::OK);
        frame->close();
        QCOMPARE(attempt.resultsLoaded, 1);
        QCOMPARE(attempt.stored(1), (QList<int>{ 2, 0, 0, 0 }));
        flushDeletes();
        QVERIFY(!screen);
        QVERIFY(!attempt.fakes.files.isOpen(FileNumber::QuestionBank));
    }

    void aTimeOutWhileEndExamIsOpenEndsTheAttemptOnce()
    {
        Attempt attempt;
        QPointer<exam> screen = attempt.start(plainBank(1), 1, 0);
        attempt.fakes.messages.whileNextIsOpen([&] {
            screen->Timer1_Timer();
            flushDeletes(); // the exam screen may be gone when the box returns
        });
        attempt.fakes.messages.answerNext(platform::MsgBoxResult::OK);
        attempt.click("Command3");
        QCOMPARE(attempt.resultsLoaded, 1);
        QCOMPARE(attempt.fakes.messages.closeRequests, 1);
    }

    void theItemReviewListsEveryPositionAndJumps()
    {
        Attempt attempt;
        attempt.start(bankOf({ question(1, { 1, 3, 0, 0 }), question(2, { 1, 3, 0, 0 }), question(3, { 0, 0, 0, 0 }),
                          question(4, { 2, 0, 0, 0 }) }),
            4, 4);
        const int noneCorrect = int(std::find(&Module1.QuestionOrder(1), &Module1.QuestionOrder(1) + 4, 3)
            - &Module1.QuestionOrder(1)) + 1;
        QStringList entries;
        int picked = 0;
        attempt.fakes.wait.actions.push_back([&] {
            auto* list = attempt.window.findChild<review*>()->findChild<QListWidget*>("List1");
            for (int row = 0; row < list->count(); ++row)
                entries.append(list->item(row)->text());
            QVERIFY(!attempt.window.findChild<exam*>()->isVisible());
            QVERIFY(list->selectedItems().isEmpty());
            picked = noneCorrect == 3 ? 2 : 3;
            list->setCurrentRow(picked - 1);
            QTest::keyClick(list, Qt::Key_Return);
        });
        // The ticks on screen are stored first, so their own entry counts them.
        attempt.tick(1);
        attempt.click("Command4");
        QCOMPARE(entries.size(), 4);
        for (int i = 1; i <= 4; ++i) {
            int stored = 0;
            for (int k = 1; k <= 4; ++k)
                stored += Module1.Selections(i, k) > 0;
            const bool completed = stored == Module1.CorrectCount(i);
            QCOMPARE(entries[i - 1], QStringLiteral(" %1 %2").arg(i).arg(completed ? "Completed" : "Incomplete"));
        }
        QCOMPARE(entries[noneCorrect - 1], QStringLiteral(" %1 Completed").arg(noneCorrect));
        QCOMPARE(Module1.CurrentQuestion, picked);
        QCOMPARE(attempt.shownQuestion(), attempt.questionAt(picked));
        QVERIFY(attempt.window.findChild<exam*>()->isVisible());
        flushDeletes();
        QVERIFY(!attempt.window.findChild<review*>());
    }

    void reviewEntriesFollowTheStoredSlots()
    {
        Attempt attempt;
        attempt.start(bankOf({ question(1, { 1, 3, 0, 0 }), question(2, { 1, 3, 0, 0 }), question(3, { 1, 3, 0, 0 }) }), 3, 3);
        attempt.tick(1);
        attempt.tick(3);
        QStringList entries;
        attempt.fakes.wait.actions.push_back([&] {
            auto* list = attempt.window.findChild<review*>()->findChild<QListWidget*>("List1");
            for (int row = 0; row < list->count(); ++row)
                entries.append(list->item(row)->text());
            list->setCurrentRow(0);
            QTest::keyClick(list, Qt::Key_Return);
        });
        attempt.click("Command4");
        QCOMPARE(entries, (QStringList { " 1 Completed", " 2 Incomplete", " 3 Incomplete" }));
        QCOMPARE(attempt.ticked(), (QList<int> { 1, 3 })); // back on the same question with its ticks
        QCOMPARE(attempt.shownQuestion(), attempt.questionAt(1));
    }

    void closingTheReviewWithoutAPickReturnsToTheSameQuestion()
    {
        Attempt attempt;
        std::vector<QuestionRecord> two(3, question(0, { 2, 3, 0, 0 }));
        attempt.start(bankOf(two), 3, 3);
        attempt.click("Command1");
        attempt.tick(3);
        attempt.fakes.wait.actions.push_back([&] {
            attempt.window.subWindowOf(attempt.window.findChild<review*>())->close();
        });
        attempt.click("Command4");
        QCOMPARE(Module1.CurrentQuestion, 2);
        QCOMPARE(attempt.ticked(), (QList<int> { 3 }));
        QVERIFY(attempt.window.findChild<exam*>()->isVisible());
    }

    void aTimeOutDuringTheReviewEndsTheAttemptAndKeepsTheTicks()
    {
        Attempt attempt;
        QPointer<exam> screen = attempt.start(bankOf({ question(1, { 2, 0, 0, 0 }), question(2, { 2, 0, 0, 0 }) }), 2, 0);
        attempt.tick(2);
        QPointer<review> list;
        attempt.fakes.wait.actions.push_back([&] {
            list = attempt.window.findChild<review*>();
            screen->Timer1_Timer();
        });
        attempt.click("Command4");
        QCOMPARE(attempt.resultsLoaded, 1);
        QCOMPARE(attempt.stored(1), (QList<int> { 2, 0, 0, 0 }));
        flushDeletes();
        QVERIFY(!list);
        QVERIFY(!screen);
    }

    void exitAsksThenEndsTheProgramWithoutScoring()
    {
        Attempt attempt;
        attempt.start(plainBank(3), 3, 3);
        QCOMPARE(attempt.window.menuTitles(), (QStringList { "File", "Help" }));
        auto* exit = attempt.window.findChild<exam*>()->findChild<QAction*>("Exit");
        QCOMPARE(exit->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
        QVERIFY(attempt.window.menuBar()->actions().contains(
            attempt.window.findChild<exam*>()->findChild<QMenu*>("file")->menuAction()));
        // Cancel is the default: the attempt goes on.
        exit->trigger();
        QVERIFY(!attempt.ended);
        QCOMPARE(attempt.fakes.messages.shown.back().line, QStringLiteral("Quit|Cancel"));
        QVERIFY(attempt.window.findChild<exam*>()->isVisible());
        attempt.fakes.messages.answerNext(0);
        exit->trigger();
        QVERIFY(attempt.ended);
        QCOMPARE(attempt.resultsLoaded, 0);
        QVERIFY(!attempt.fakes.files.isOpen(FileNumber::QuestionBank));
        QVERIFY(!attempt.fakes.recordFiles.exists(DataDir + QStringLiteral("results.dat")));
    }

    void aboutOpensOneAboutBoxAndTheAttemptGoesOn()
    {
        Attempt attempt;
        exam* screen = attempt.start(plainBank(2), 2, 2);
        auto* about = screen->findChild<QAction*>("about");
        about->trigger();
        about->trigger();
        const auto boxes = attempt.window.findChildren<frmAbout*>() + [] {
            QList<frmAbout*> tops;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<frmAbout*>(widget); box && box->isVisible())
                    tops.append(box);
            return tops;
        }();
        QCOMPARE(QSet<frmAbout*>(boxes.begin(), boxes.end()).size(), 1);
        screen->Timer1_Timer();
        QCOMPARE(screen->secondsLeft(), 119);
        for (frmAbout* box : boxes)
            box->close();
    }

    // The main window's frame, the frame of every screen within it and the About box's carry
    // Quizmark's icon, not the toolkit's.
    void everyFrameCarriesTheProgramIcon()
    {
        const QImage expected = programIcon().pixmap(16, 16).toImage();
        QVERIFY(!expected.isNull());
        const auto drawn = [](const QIcon& icon) { return icon.pixmap(16, 16).toImage(); };
        Attempt attempt;
        QCOMPARE(drawn(attempt.window.windowIcon()), expected);
        exam* screen = attempt.start(plainBank(2), 2, 2);
        QCOMPARE(drawn(attempt.window.subWindowOf(screen)->windowIcon()), expected);
        QImage reviewIcon;
        attempt.review(
            [&](QListWidget*) {
                reviewIcon = drawn(attempt.window.subWindowOf(attempt.window.findChild<review*>())->windowIcon());
            },
            1);
        QCOMPARE(reviewIcon, expected);
        screen->findChild<QAction*>("about")->trigger();
        auto* box = [] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* about = qobject_cast<frmAbout*>(widget); about && about->isVisible())
                    return about;
            return static_cast<frmAbout*>(nullptr);
        }();
        QVERIFY(box);
        QCOMPARE(drawn(box->windowIcon()), expected);
        box->close();
    }

    void exitDuringTheReviewEndsTheProgramWithoutGoingBack()
    {
        Attempt attempt;
        attempt.start(plainBank(3), 3, 3);
        attempt.fakes.wait.actions.push_back([&] {
            attempt.fakes.messages.answerNext(0);
            attempt.window.findChild<exam*>()->findChild<QAction*>("Exit")->trigger();
        });
        attempt.click("Command4"); // going back would read the closed bank: error 52
        QVERIFY(attempt.ended);
        QCOMPARE(attempt.resultsLoaded, 0);
        QVERIFY(!attempt.fakes.files.isOpen(FileNumber::QuestionBank));
    }

    void theBannerOpensItsLink()
    {
        Attempt attempt;
        attempt.start(plainBank(1), 1, 1);
        QTest::mouseClick(attempt.control<QWidget>("Picture1"), Qt::LeftButton);
        QCOMPARE(attempt.fakes.web.opened, QStringList { QString::fromLatin1(WebAddress::ExamBanner) });
    }

    void bankTextsShowAsPlainText()
    {
        Attempt attempt;
        QuestionRecord record = question(1);
        record.Question = padded(QStringLiteral("Is a < b? <b>bold</b> <img src=\"/etc/x.png\">"), 500);
        record.Option2 = padded(QStringLiteral("Tom & Jerry"), 255);
        attempt.start(bankOf({ record }), 1, 1);
        QCOMPARE(attempt.shownQuestion(), QStringLiteral("Is a < b? <b>bold</b> <img src=\"/etc/x.png\">"));
        QCOMPARE(attempt.box(2)->caption().trimmed(), QStringLiteral("Tom & Jerry"));
        QVERIFY(QKeySequence::mnemonic(attempt.box(2)->text()).isEmpty());
    }

    void optionsWithoutTextShowNoBox()
    {
        Attempt attempt;
        QuestionRecord trueFalse = question(1);
        trueFalse.Option1 = padded(QStringLiteral("True"), QuestionRecord::OptionWidth);
        trueFalse.Option2 = padded(QStringLiteral("False"), QuestionRecord::OptionWidth);
        trueFalse.Option3 = padded(QString(), QuestionRecord::OptionWidth);
        trueFalse.Option4 = padded(QString(), QuestionRecord::OptionWidth);
        attempt.start(bankOf({ trueFalse, question(2) }), 2, 2);
        const bool trueFalseFirst = Module1.QuestionOrder(1) == 1;
        const QList<bool> trueFalseBoxes { true, true, false, false };
        const QList<bool> fourBoxes { true, true, true, true };
        auto shown = [&attempt] {
            QList<bool> visible;
            for (int n = 1; n <= 4; ++n)
                visible.append(attempt.box(n)->isVisible());
            return visible;
        };
        QCOMPARE(shown(), trueFalseFirst ? trueFalseBoxes : fourBoxes);
        attempt.click(QStringLiteral("Command1"));
        QCOMPARE(shown(), trueFalseFirst ? fourBoxes : trueFalseBoxes);
    }

    void aBankInASubFolderOfTheDataDirectoryServesTheAttempt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("slash") << "sub/cpp.dat";
        QTest::newRow("backslash") << "sub\\cpp.dat";
        QTest::newRow("two levels") << "sub/deeper/cpp.dat";
    }

    void aBankInASubFolderOfTheDataDirectoryServesTheAttempt()
    {
        QFETCH(QString, name);
        Attempt attempt;
        QString stored = name;
        stored.replace(u'\\', u'/');
        attempt.fakes.recordFiles.setFile(DataDir + stored, plainBank(3));
        QPointer<exam> screen = attempt.start(QByteArray(), 3, 3, name);
        QVERIFY(!screen->property(ScreenHost::RefusedProperty).toBool());
        QVERIFY(attempt.fakes.messages.shown.empty());
        QCOMPARE(attempt.shownQuestion(), attempt.questionAt(1));
    }

    void aBankThatCannotServeTheAttemptIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bank");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << "bank.dat" << "not found";
        QTest::newRow("too short") << plainBank(3) << "bank.dat" << "holds 3 whole questions; this attempt needs 5";
        QTest::newRow("fragment") << plainBank(5).chopped(1) << "bank.dat" << "holds 4 whole questions";
        QTest::newRow("parent") << plainBank(5) << "../bank.dat" << "not a file name inside the data directory";
        QTest::newRow("parent in a folder") << plainBank(5) << "sub/../../bank.dat"
                                            << "not a file name inside the data directory";
        QTest::newRow("parent with backslashes") << plainBank(5) << "sub\\..\\..\\bank.dat"
                                                 << "not a file name inside the data directory";
        QTest::newRow("absolute") << plainBank(5) << "/etc/passwd" << "not a file name inside the data directory";
        QTest::newRow("a drive") << plainBank(5) << "C:\\bank.dat" << "not a file name inside the data directory";
        QTest::newRow("blank") << plainBank(5) << "" << "gives no file name";
    }

    void aBankThatCannotServeTheAttemptIsRefused()
    {
        QFETCH(QByteArray, bank);
        QFETCH(QString, name);
        QFETCH(QString, reason);
        Attempt attempt;
        QWidget* setup = attempt.window.loadScreen(QStringLiteral("examselect"));
        attempt.window.showScreen(setup);
        attempt.fakes.recordFiles.setFile(IndexPath, catalogueFor(name, 5));
        if (!bank.isNull() && !name.contains(QLatin1String("..")) && !name.contains(u':') && !name.startsWith(u'/')
            && !name.isEmpty())
            attempt.fakes.recordFiles.setFile(DataDir + name, bank);
        Module1.SelectedExam = 1;
        Module1.QuestionsToTake = 5;
        Module1.ExamMinutes = 5;
        QWidget* screen = attempt.window.loadScreen(QStringLiteral("exam"));
        QVERIFY(screen->property(ScreenHost::RefusedProperty).toBool());
        QCOMPARE(attempt.fakes.messages.shown.size(), std::size_t(1));
        QVERIFY2(attempt.fakes.messages.shown[0].prompt.contains(reason), qPrintable(attempt.fakes.messages.shown[0].prompt));
        QVERIFY(attempt.fakes.messages.shown[0].prompt.contains(name.isEmpty() ? DataDir
                                                                               : QString(name).replace(u'\\', u'/')));
        QVERIFY(!attempt.fakes.files.isOpen(FileNumber::Catalogue));
        QVERIFY(!attempt.fakes.files.isOpen(FileNumber::QuestionBank));
        QVERIFY(!attempt.fakes.recordFiles.exists(BankPath) || !bank.isNull());
        delete screen;
    }

    void aRefusedStartReturnsToTheExamSelection()
    {
        Attempt attempt;
        attempt.fakes.recordFiles.setFile(IndexPath, catalogueFor(QStringLiteral("gone.dat"), 20));
        loadStartScreen(attempt.window);
        QTest::mouseClick(attempt.window.findChild<QWidget*>("examselect")->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        flushDeletes();
        QTest::keyClicks(attempt.window.findChild<QWidget*>("questionselect")->findChild<QLineEdit*>("Text2"), "5");
        QTest::mouseClick(attempt.window.findChild<QWidget*>("questionselect")->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        flushDeletes();
        QCOMPARE(attempt.fakes.messages.shown.size(), std::size_t(1));
        QVERIFY(attempt.window.findChild<QWidget*>("examselect"));
        QVERIFY(!attempt.window.findChild<exam*>());
        QVERIFY(!attempt.window.findChild<QWidget*>("questionselect"));
        QVERIFY(!attempt.fakes.recordFiles.exists(DataDir + QStringLiteral("gone.dat")));
    }

    void twoAttemptsInOneRunEachStartAfresh()
    {
        Attempt attempt;
        // The candidate unticked the whole-bank draw in an earlier run.
        attempt.fakes.settings.values.insert(QStringLiteral("quizmark/settings/Draw From Whole Bank"),
                                             QStringLiteral("False"));
        attempt.fakes.recordFiles.setFile(BankPath, plainBank(12));
        attempt.fakes.recordFiles.setFile(IndexPath, catalogueFor(QStringLiteral("bank.dat"), 12));
        for (const int take : { 10, 5 }) {
            loadStartScreen(attempt.window);
            QTest::mouseClick(attempt.window.findChild<QWidget*>("examselect")->findChild<QPushButton*>("Command1"), Qt::LeftButton);
            flushDeletes();
            QTest::keyClicks(attempt.window.findChild<QWidget*>("questionselect")->findChild<QLineEdit*>("Text2"), QString::number(take));
            QTest::mouseClick(attempt.window.findChild<QWidget*>("questionselect")->findChild<QPushButton*>("Command1"), Qt::LeftButton);
            flushDeletes();
            QCOMPARE(attempt.control<QLabel>("Text1")->text(), QString::number(take * 60));
            for (int i = 1; i <= take; ++i)
                QVERIFY(Module1.QuestionOrder(i) >= 1 && Module1.QuestionOrder(i) <= take);
            attempt.tick(1);
            attempt.click("Command1");
            attempt.click("Command3");
            flushDeletes();
            QVERIFY(!attempt.window.findChild<exam*>());
            delete attempt.window.findChild<QWidget*>("results");
        }
        QCOMPARE(attempt.resultsLoaded, 2);
        QCOMPARE(int(Module1.QuestionsToTake), 5);
        QCOMPARE(attempt.stored(1).first(), 1);
    }

    void aBankLinkThatLeavesTheDataDirectoryIsRefused()
    {
        QTemporaryDir root;
        QDir(root.path()).mkdir(QStringLiteral("dat"));
        const QString data = root.filePath(QStringLiteral("dat")) + u'/';
        QFile outside(root.filePath(QStringLiteral("secret.dat")));
        QVERIFY(outside.open(QIODevice::WriteOnly));
        outside.close();
        QVERIFY(QFile::link(outside.fileName(), data + QStringLiteral("away.dat")));
        QFile inside(data + QStringLiteral("real.dat"));
        QVERIFY(inside.open(QIODevice::WriteOnly));
        inside.close();
        QVERIFY(QFile::link(inside.fileName(), data + QStringLiteral("near.dat")));

        QVERIFY(!BankFilePath(data, padded(QStringLiteral("away.dat"), 80)).isSafe());
        QVERIFY(BankFilePath(data, padded(QStringLiteral("near.dat"), 80)).isSafe());
        const BankFilePath plain(data, padded(QStringLiteral("real.dat"), 80));
        QVERIFY(plain.isSafe());
        QCOMPARE(plain.path(), data + QStringLiteral("real.dat"));
    }

    void aWholeBankDrawTakesDifferentRecordsFromTheWholeBank()
    {
        std::set<int> seen;
        for (int run = 0; run < 20; ++run) {
            Attempt attempt;
            attempt.wholeBank = true;
            // Each run starts further on in the fake's fixed sequence, as a new seed would.
            for (int skip = 0; skip < run * 7; ++skip)
                attempt.fakes.random.next();
            QVERIFY(attempt.start(plainBank(52), 10, 10));
            std::set<int> drawn;
            for (int i = 1; i <= 10; ++i) {
                QVERIFY(Module1.QuestionOrder(i) >= 1 && Module1.QuestionOrder(i) <= 52);
                drawn.insert(Module1.QuestionOrder(i));
            }
            QCOMPARE(int(drawn.size()), 10);
            QCOMPARE(attempt.shownQuestion(), attempt.questionAt(1));
            seen.insert(drawn.begin(), drawn.end());
            flushDeletes();
        }
        // 200 records drawn of 52 reach far past the first ten.
        QVERIFY2(*seen.rbegin() > 40 && seen.size() > 40, qPrintable(QString::number(seen.size())));
    }

    void anUntickedDrawUsesTheFirstRecordsOnly()
    {
        for (int run = 0; run < 20; ++run) {
            Attempt attempt;
            for (int skip = 0; skip < run * 7; ++skip)
                attempt.fakes.random.next();
            QVERIFY(attempt.start(plainBank(52), 10, 10));
            std::set<int> drawn;
            for (int i = 1; i <= 10; ++i)
                drawn.insert(Module1.QuestionOrder(i));
            QCOMPARE(drawn, (std::set<int>{ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 }));
            flushDeletes();
        }
    }

    // A whole-bank draw needs every record the catalogue counts, however few questions it takes.
    void aWholeBankDrawRefusesABankShorterThanItsTotal()
    {
        Attempt attempt;
        attempt.wholeBank = true;
        attempt.questionTotal = 52;
        exam* screen = attempt.start(plainBank(30), 10, 10);
        QVERIFY(screen->property(ScreenHost::RefusedProperty).toBool());
        QCOMPARE(attempt.fakes.messages.shown.size(), std::size_t(1));
        QVERIFY2(attempt.fakes.messages.shown.front().prompt.endsWith(
                     QStringLiteral("It holds 30 whole questions; a draw from the whole bank needs 52.")),
                 qPrintable(attempt.fakes.messages.shown.front().prompt));
        QVERIFY(!attempt.fakes.files.isOpen(FileNumber::QuestionBank));
    }

    void thePositionFollowsEveryMove()
    {
        Attempt attempt;
        attempt.start(plainBank(5), 5, 5);
        QCOMPARE(attempt.label("positionLabel"), QStringLiteral("Question 1 of 5"));
        attempt.click("Command2");
        QCOMPARE(attempt.label("positionLabel"), QStringLiteral("Question 1 of 5"));
        attempt.click("Command1");
        attempt.click("Command1");
        QCOMPARE(attempt.label("positionLabel"), QStringLiteral("Question 3 of 5"));
        attempt.click("Command2");
        QCOMPARE(attempt.label("positionLabel"), QStringLiteral("Question 2 of 5"));
        attempt.review([](QListWidget*) {}, 5);
        QCOMPARE(attempt.label("positionLabel"), QStringLiteral("Question 5 of 5"));
        QCOMPARE(attempt.shownQuestion(), attempt.questionAt(5));
        attempt.click("Command1");
        QCOMPARE(attempt.label("positionLabel"), QStringLiteral("Question 5 of 5"));
    }

    // An 800 x 560 client area, a 1024 x 600 netbook's once a window manager has drawn its frame,
    // with the longest texts the fields hold: the clock row and the buttons stay in sight.
    void theClockAndTheButtonsStayInSightOnASmallScreen()
    {
        Attempt attempt;
        auto* area = attempt.window.findChild<QMdiArea*>(QStringLiteral("ClientArea"));
        attempt.window.setWindowState(Qt::WindowNoState);
        const QSize wanted(800, 560);
        for (int i = 0; i < 2; ++i) {
            attempt.window.resize(attempt.window.size() + wanted - area->viewport()->size());
            QCoreApplication::processEvents();
        }
        QCOMPARE(area->viewport()->size(), wanted);
        QuestionRecord record = question(1);
        QString text;
        for (int n = 1; text.size() < QuestionRecord::QuestionWidth - 20; ++n)
            text += QStringLiteral("Sentence %1 of a question long enough to fill its box. ").arg(n);
        record.Question = padded(text, QuestionRecord::QuestionWidth);
        // Options as long as their field holds, each wrapping over several lines.
        for (int k = 1; k <= 4; ++k)
            record.option(k) = QStringLiteral("Option %1, a long answer that wraps. ")
                                   .arg(k)
                                   .repeated(8)
                                   .left(QuestionRecord::OptionWidth);
        attempt.start(bankOf({ record }), 1, 1);
        QCoreApplication::processEvents();
        QWidget* viewport = area->viewport();
        for (const char* name : { "Text1", "minutesSecondsLabel", "ProgressBar1", "Command1", "Command2", "Command3",
                                  "Command4", "markForReview", "Check1", "Check4" }) {
            auto* widget = attempt.control<QWidget>(QLatin1String(name));
            const QRect place(widget->mapTo(viewport, QPoint(0, 0)), widget->size());
            QVERIFY2(viewport->rect().contains(place),
                     qPrintable(QStringLiteral("%1 at %2,%3 %4x%5")
                                    .arg(name)
                                    .arg(place.x())
                                    .arg(place.y())
                                    .arg(place.width())
                                    .arg(place.height())));
        }
        // The screen's frame fits whole: nothing waits below the fold.
        QMdiSubWindow* frame = attempt.window.subWindowOf(attempt.window.findChild<exam*>());
        QVERIFY(viewport->rect().contains(frame->geometry()));
    }

    void theClockShowsTheSecondsAsMinutesAndSeconds()
    {
        Attempt attempt;
        exam* screen = attempt.start(plainBank(10), 10, 10);
        QCOMPARE(attempt.control<QLabel>("Text1")->text(), QStringLiteral("600"));
        QCOMPARE(attempt.label("minutesSecondsLabel"), QStringLiteral("10:00"));
        screen->Timer1_Timer();
        QCOMPARE(attempt.control<QLabel>("Text1")->text(), QStringLiteral("599"));
        QCOMPARE(attempt.label("minutesSecondsLabel"), QStringLiteral("9:59"));
        for (int tick = 0; tick < 540; ++tick)
            screen->Timer1_Timer();
        QCOMPARE(attempt.label("minutesSecondsLabel"), QStringLiteral("0:59"));
    }

    void marksStayWithTheirPositionsAndShowInTheItemReview()
    {
        Attempt attempt;
        for (int p = 1; p <= 4; ++p)
            Module1.MarkedForReview(p) = true; // left over from an earlier attempt
        attempt.start(plainBank(4), 4, 4);
        QVERIFY(!attempt.mark()->isChecked());
        for (int p = 1; p <= 4; ++p)
            QVERIFY(!Module1.MarkedForReview(p));

        attempt.tick(1);
        attempt.toggleMark();
        attempt.click("Command1");
        QVERIFY(!attempt.mark()->isChecked());
        attempt.click("Command1");
        // The mark's key works as a click does, a moment later.
        QApplication::setActiveWindow(&attempt.window);
        QVERIFY(QTest::qWaitForWindowActive(&attempt.window));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::AltModifier);
        QTRY_VERIFY(attempt.mark()->isChecked());
        attempt.click("Command2");
        attempt.click("Command2");
        QVERIFY(attempt.mark()->isChecked());
        QCOMPARE(attempt.ticked(), (QList<int>{ 1 })); // the mark leaves the ticks alone

        QStringList texts;
        QStringList names;
        QList<bool> flagged;
        bool sameRowHeights = false;
        attempt.review(
            [&](QListWidget* list) {
                for (int row = 0; row < list->count(); ++row) {
                    texts.append(list->item(row)->text());
                    flagged.append(showsSomething(list->item(row)->icon()));
                    QAccessibleInterface* entry = QAccessible::queryAccessibleInterface(list)->child(row);
                    names.append(entry ? entry->text(QAccessible::Name) : QString());
                }
                // A flag leaves every row as tall as the others.
                sameRowHeights
                    = list->visualItemRect(list->item(0)).height() == list->visualItemRect(list->item(1)).height();
            },
            3);
        QCOMPARE(texts, (QStringList{ " 1 Completed", " 2 Incomplete", " 3 Incomplete", " 4 Incomplete" }));
        QCOMPARE(flagged, (QList<bool>{ true, false, true, false }));
        for (int row = 0; row < names.size(); ++row)
            QCOMPARE(names[row].endsWith(QStringLiteral(", marked for review")), flagged[row]);
        QVERIFY(sameRowHeights);
        QVERIFY(attempt.mark()->isChecked());
        attempt.toggleMark();
        QVERIFY(!Module1.MarkedForReview(3));
        QCOMPARE(attempt.stored(1), (QList<int>{ 1, 0, 0, 0 }));
    }

    void endExamTellsWhatIsLeft_data()
    {
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<QString>("line");
        QTest::newRow("nothing answered") << QList<int>{} << QList<int>{} << "3 of 3 questions are incomplete.";
        QTest::newRow("all answered") << QList<int>{ 1, 2, 3 } << QList<int>{} << "";
        QTest::newRow("all answered, one marked")
            << QList<int>{ 1, 2, 3 } << QList<int>{ 2 } << "1 question is marked for review.";
        QTest::newRow("one left, two marked")
            << QList<int>{ 1, 3 } << QList<int>{ 1, 3 } << "1 of 3 questions is incomplete. 2 are marked for review.";
        QTest::newRow("two left, one marked")
            << QList<int>{ 3 } << QList<int>{ 2 } << "2 of 3 questions are incomplete. 1 is marked for review.";
    }

    // The last question is still on screen when End Exam is pressed: its ticks count.
    void endExamTellsWhatIsLeft()
    {
        QFETCH(QList<int>, ticked);
        QFETCH(QList<int>, marked);
        QFETCH(QString, line);
        Attempt attempt;
        attempt.start(plainBank(3), 3, 3);
        for (int p = 1; p <= 3; ++p) {
            if (ticked.contains(p))
                attempt.tick(1);
            if (marked.contains(p))
                attempt.toggleMark();
            if (p < 3)
                attempt.click("Command1");
        }
        attempt.fakes.messages.answerNext(platform::MsgBoxResult::Cancel);
        attempt.click("Command3");
        QCOMPARE(attempt.fakes.messages.shown.size(), std::size_t(1));
        const auto& box = attempt.fakes.messages.shown.front();
        QCOMPARE(box.prompt, QStringLiteral("Are you sure you want to end exam ?"));
        QCOMPARE(box.title, QStringLiteral("End Exam"));
        QCOMPARE(box.buttons, platform::MsgBoxStyle::OKCancel);
        QCOMPARE(box.line, line);
        QCOMPARE(attempt.ticked(), ticked.contains(3) ? QList<int>{ 1 } : QList<int>{});
        QCOMPARE(attempt.label("positionLabel"), QStringLiteral("Question 3 of 3"));
    }

    void onlyATimeOutSaysTheTimeRanOut()
    {
        {
            Attempt attempt;
            exam* screen = attempt.start(plainBank(2), 2, 0);
            screen->Timer1_Timer();
            flushDeletes();
            QCOMPARE(attempt.resultsLoaded, 1);
            QVERIFY(Module1.TimeRanOut);
        }
        Attempt attempt;
        attempt.start(plainBank(2), 2, 1);
        QVERIFY(!Module1.TimeRanOut);
        attempt.click("Command3");
        flushDeletes();
        QCOMPARE(attempt.resultsLoaded, 1);
        QVERIFY(!Module1.TimeRanOut);
    }
};

QTEST_MAIN(ExamTest)
#include "exam_test.moc"
