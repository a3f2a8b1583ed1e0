#include "mdiform1.h"
#include "module1.h"
#include "screens/exam.h"
#include "startup.h"

#include "attempt/attemptjournal.h"
#include "data/questionrecord.h"
#include "data/scorerecord.h"
#include "platform/messageboxes.h"
#include "platform/runtimeerror.h"
#include "support/fakeservices.h"
#include "support/screentesting.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace quizmark;
using testing_support::flushDeletes;
using testing_support::padded;

namespace {

const QString DataDir = QStringLiteral("/quizmark/dat/");
const QString IndexPath = DataDir + QStringLiteral("index.dat");
const QString BankPath = DataDir + QStringLiteral("bank.dat");
const QString ResultsPath = DataDir + QStringLiteral("results.dat");

QByteArray catalogue(int total)
{
    CatalogueRecord record;
    record.ExamName = padded(QStringLiteral("Alpha exam"), CatalogueRecord::ExamNameWidth);
    record.BankFile = padded(QStringLiteral("bank.dat"), CatalogueRecord::BankFileWidth);
    record.QuestionTotal = static_cast<std::int16_t>(total);
    return record.toBytes();
}

// Record r asks "Question r" (or the given stem), options 1 and 2 correct.
QByteArray bank(int count, const QString& stem = QStringLiteral("Question"))
{
    QByteArray bytes;
    for (int r = 1; r <= count; ++r) {
        QuestionRecord record;
        record.Question = padded(QStringLiteral("%1 %2").arg(stem).arg(r), QuestionRecord::QuestionWidth);
        for (int k = 1; k <= 4; ++k)
            record.option(k) = padded(QStringLiteral("%1.%2").arg(r).arg(k), QuestionRecord::OptionWidth);
        record.CorrectOptions = { 1, 2, 0, 0 };
        bytes += record.toBytes();
    }
    return bytes;
}

} // namespace

class JournalScreensTest : public QObject
{
    Q_OBJECT

    // One run of the program: its own journal object and main window over services and a journal
    // file that outlive it, as the disk outlives a process.
    struct Run
    {
        testing_support::FakeServices& fakes;
        AttemptJournal journal;
        MDIForm1 window{ fakes.services() };
        bool ended = false;
        Run(testing_support::FakeServices& services, const QString& journalPath)
            : fakes(services)
            , journal(journalPath)
        {
            window.setJournal(&journal);
            registerScreens(window);
            window.setEndHandler([this] { ended = true; });
            window.show();
        }
        // The process ends: whatever it held open is closed with it.
        ~Run()
        {
            flushDeletes();
            fakes.files.closeAll();
        }
        enum class Mode
        {
            Timed,
            Study,
            WeakPractice
        };
        exam* start(int take, Mode mode = Mode::Timed)
        {
            Module1 = AttemptState();
            Module1.StudyMode = mode == Mode::Study;
            Module1.WeakPractice = mode == Mode::WeakPractice;
            Module1.DataDirectory = DataDir;
            Module1.IndexFilePath = IndexPath;
            Module1.SelectedExam = 1;
            Module1.QuestionsToTake = static_cast<std::int16_t>(take);
            Module1.ExamMinutes = static_cast<std::int16_t>(take);
            Module1.CurrentQuestion = 1;
            Module1.DrawFromWholeBank = true;
            auto* screen = qobject_cast<exam*>(window.loadScreen(QStringLiteral("exam")));
            window.showScreen(screen);
            return screen;
        }
        exam* shownExam() { return window.findChild<exam*>(QStringLiteral("exam")); }
        // Ends the attempt as the candidate does, confirming End Exam.
        QWidget* endExam()
        {
            fakes.messages.answerNext(platform::MsgBoxResult::OK);
            click(QStringLiteral("Command3"));
            QWidget* results = nullptr;
            for (int round = 0; round < 50 && !results; ++round) {
                QCoreApplication::processEvents();
                results = window.findChild<QWidget*>(QStringLiteral("results"));
            }
            return results;
        }
        // Answers every question right except those whose question number is listed, and ends.
        QWidget* answerAllBut(const QList<int>& missed)
        {
            const int take = Module1.QuestionsToTake;
            for (int position = 1; position <= take; ++position) {
                const int number = question().section(u' ', 1).toInt();
                tick(missed.contains(number) ? 3 : 1);
                if (!missed.contains(number))
                    tick(2);
                if (position < take)
                    click(QStringLiteral("Command1"));
            }
            return endExam();
        }
        template <typename T> T* control(const QString& name) { return shownExam()->findChild<T*>(name); }
        void click(const QString& name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
        void tick(int n) { QTest::mouseClick(control<QCheckBox>(QStringLiteral("Check%1").arg(n)), Qt::LeftButton); }
        QList<int> ticked()
        {
            QList<int> boxes;
            for (int n = 1; n <= 4; ++n)
                if (control<QCheckBox>(QStringLiteral("Check%1").arg(n))->isChecked())
                    boxes.append(n);
            return boxes;
        }
        QString question() { return control<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText().trimmed(); }
    };

    // The offer comes once the selection has been painted: events run until then and after.
    static void settle()
    {
        for (int round = 0; round < 4; ++round) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }

    QTemporaryDir m_dir;
    QString journalPath() const { return m_dir.filePath(QStringLiteral("journal.db")); }

    QString crashPath() const { return m_dir.filePath(QStringLiteral("crash.db")); }

    void removeJournal()
    {
        for (const char* suffix : { "", "-wal", "-shm" }) {
            QFile::remove(journalPath() + QLatin1String(suffix));
            QFile::remove(crashPath() + QLatin1String(suffix));
        }
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { removeJournal(); }
    void cleanup() { flushDeletes(); }

    void aResumeRestoresDrawOrderTicksMarksPositionAndSeconds()
    {
        testing_support::FakeServices fakes;
        fakes.recordFiles.setFile(IndexPath, catalogue(6));
        fakes.recordFiles.setFile(BankPath, bank(6));
        AttemptState before;
        {
            Run first(fakes, journalPath());
            exam* screen = first.start(4);
            first.tick(2);
            first.click(QStringLiteral("Command1"));
            first.tick(1);
            first.tick(4);
            QTest::mouseClick(first.control<QCheckBox>(QStringLiteral("markForReview")), Qt::LeftButton, {},
                              QPoint(6, 6));
            first.click(QStringLiteral("Command1"));
            for (int second = 0; second < 13; ++second)
                screen->Timer1_Timer();
            // The clock of the last 3 seconds is not yet kept: a resume goes back to the last 10.
            QCOMPARE(screen->secondsLeft(), 4 * 60 - 13);
            before = Module1;
            // A crash here: the disk holds what the journal committed, nothing the program does after.
            QVERIFY(QFile::copy(journalPath(), crashPath()));
            QVERIFY(QFile::copy(journalPath() + QStringLiteral("-wal"), crashPath() + QStringLiteral("-wal")));
        }
        Module1 = AttemptState();
        Run second(fakes, crashPath());
        fakes.messages.answerNext(0);
        loadStartScreen(second.window);
        settle();
        QCOMPARE(fakes.messages.shown.back().prompt,
                 QStringLiteral("An unfinished attempt at \"Alpha exam\" was found: question 3 of 4, 3:50 left. "
                                "Resume it?"));
        QCOMPARE(fakes.messages.shown.back().line, QStringLiteral("Resume|Discard"));
        exam* resumed = second.shownExam();
        QVERIFY(resumed);
        QCOMPARE(resumed->secondsLeft(), 4 * 60 - 10);
        QCOMPARE(Module1.QuestionsToTake, 4);
        for (int position = 1; position <= 4; ++position) {
            QCOMPARE(Module1.QuestionOrder(position), before.QuestionOrder(position));
            QCOMPARE(Module1.MarkedForReview(position), position == 2);
        }
        QCOMPARE(Module1.CurrentQuestion, 3);
        QCOMPARE(second.question(), QStringLiteral("Question %1").arg(before.QuestionOrder(3)));
        second.click(QStringLiteral("Command2"));
        QCOMPARE(second.ticked(), (QList<int>{ 1, 4 }));
        QVERIFY(second.control<QCheckBox>(QStringLiteral("markForReview"))->isChecked());
        second.click(QStringLiteral("Command2"));
        QCOMPARE(second.ticked(), (QList<int>{ 2 }));
        resumed->Timer1_Timer();
        QCOMPARE(resumed->secondsLeft(), 4 * 60 - 11);
    }

    void aPauseHidesTheQuestionStopsTheClockAndIsKept()
    {
        testing_support::FakeServices fakes;
        fakes.recordFiles.setFile(IndexPath, catalogue(2));
        fakes.recordFiles.setFile(BankPath, bank(2));
        {
            Run run(fakes, journalPath());
            exam* screen = run.start(2);
            screen->Timer1_Timer();
            auto* pause = run.control<QPushButton>(QStringLiteral("pauseButton"));
            QCOMPARE(pause->text(), QStringLiteral("Pa&use"));
            run.click(QStringLiteral("pauseButton"));
            QVERIFY(screen->isPaused());
            QVERIFY(!run.control<QWidget>(QStringLiteral("Text2"))->isVisible());
            QVERIFY(!run.control<QWidget>(QStringLiteral("Frame1"))->isVisible());
            QVERIFY(run.control<QLabel>(QStringLiteral("pausedLabel"))->isVisible());
            QCOMPARE(pause->text(), QStringLiteral("Res&ume"));
            for (int second = 0; second < 30; ++second)
                screen->Timer1_Timer();
            QCOMPARE(screen->secondsLeft(), 119);
            QCOMPARE(run.control<QLabel>(QStringLiteral("minutesSecondsLabel"))->text(), QStringLiteral("1:59"));
        }
        // The program ended while paused: the attempt comes back paused, with its seconds.
        Run again(fakes, journalPath());
        fakes.messages.answerNext(0);
        loadStartScreen(again.window);
        settle();
        exam* resumed = again.shownExam();
        QVERIFY(resumed);
        QVERIFY(resumed->isPaused());
        QCOMPARE(resumed->secondsLeft(), 119);
        QCOMPARE(again.control<QPushButton>(QStringLiteral("pauseButton"))->text(), QStringLiteral("Res&ume"));
        again.click(QStringLiteral("pauseButton"));
        QVERIFY(!resumed->isPaused());
        QVERIFY(again.control<QWidget>(QStringLiteral("Text2"))->isVisible());
        resumed->Timer1_Timer();
        QCOMPARE(resumed->secondsLeft(), 118);
    }

    void quittingDuringAnAttemptAsksAndCancelKeepsIt()
    {
        testing_support::FakeServices fakes;
        fakes.recordFiles.setFile(IndexPath, catalogue(2));
        fakes.recordFiles.setFile(BankPath, bank(2));
        Run run(fakes, journalPath());
        run.start(2);
        QAction* exit = run.shownExam()->findChild<QAction*>(QStringLiteral("Exit"));
        QCOMPARE(exit->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
        exit->trigger();
        QCOMPARE(fakes.messages.shown.size(), std::size_t(1));
        QCOMPARE(fakes.messages.shown.back().prompt,
                 QStringLiteral("End the program? Your attempt is kept and can be resumed at the next start."));
        QVERIFY(!run.ended);
        QVERIFY(run.shownExam());
        // Closing the main window asks the same.
        QVERIFY(!run.window.close());
        QCOMPARE(fakes.messages.shown.size(), std::size_t(2));
        fakes.messages.answerNext(0);
        exit->trigger();
        QVERIFY(run.ended);
    }

    void outsideAnAttemptExitAsksNothing()
    {
        testing_support::FakeServices fakes;
        fakes.recordFiles.setFile(IndexPath, catalogue(2));
        fakes.recordFiles.setFile(BankPath, bank(2));
        Run run(fakes, journalPath());
        exam* screen = run.start(1);
        for (int second = 0; second <= 60; ++second)
            screen->Timer1_Timer();
        flushDeletes();
        fakes.messages.shown.clear();
        QVERIFY(run.window.close());
        QVERIFY(fakes.messages.shown.empty());
    }

    void discardKeepsTheAttemptUnscoredAndNeverOffersItAgain()
    {
        testing_support::FakeServices fakes;
        fakes.recordFiles.setFile(IndexPath, catalogue(3));
        fakes.recordFiles.setFile(BankPath, bank(3));
        {
            Run run(fakes, journalPath());
            run.start(3);
        }
        {
            Run run(fakes, journalPath());
            fakes.messages.answerNext(1);
            loadStartScreen(run.window);
            settle();
            QVERIFY(!run.shownExam());
        }
        fakes.messages.shown.clear();
        Run later(fakes, journalPath());
        loadStartScreen(later.window);
        settle();
        QVERIFY(fakes.messages.shown.empty());
        QVERIFY(!fakes.recordFiles.exists(ResultsPath));
        QSqlDatabase check = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        check.setDatabaseName(journalPath());
        QVERIFY(check.open());
        QSqlQuery query(QStringLiteral("SELECT status, score FROM attempt"), check);
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), int(AttemptStatus::Abandoned));
        QVERIFY(query.value(1).isNull());
        query.finish();
        check.close();
        check = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
    }

    void aChangedBankOffersOnlyDiscard()
    {
        testing_support::FakeServices fakes;
        fakes.recordFiles.setFile(IndexPath, catalogue(3));
        fakes.recordFiles.setFile(BankPath, bank(3));
        {
            Run run(fakes, journalPath());
            run.start(3);
        }
        fakes.recordFiles.setFile(BankPath, bank(3, QStringLiteral("Rewritten question")));
        Run run(fakes, journalPath());
        loadStartScreen(run.window);
        settle();
        QVERIFY(fakes.messages.shown.back().prompt.endsWith(
            QStringLiteral("Its question bank has changed or is missing since, so it cannot be resumed.")));
        QCOMPARE(fakes.messages.shown.back().line, QStringLiteral("Discard"));
        QVERIFY(!run.shownExam());
    }

    // Study mode: each answer is judged when the candidate asks, its ticks are locked from then
    // on, no countdown runs, and the attempt counts in the statistics but not in the score history.
    void studyModeChecksAnAnswerLocksItsTicksAndAddsNoScoreRecord()
    {
        testing_support::FakeServices fakes;
        fakes.recordFiles.setFile(IndexPath, catalogue(2));
        fakes.recordFiles.setFile(BankPath, bank(2));
        Run run(fakes, journalPath());
        exam* screen = run.start(2, Run::Mode::Study);
        QVERIFY(screen);
        QVERIFY(!screen->isCountingDown());
        QCOMPARE(run.control<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("Study mode"));
        QVERIFY(run.control<QPushButton>(QStringLiteral("checkAnswer"))->isVisibleTo(screen));
        QVERIFY(!run.control<QWidget>(QStringLiteral("studyFeedback"))->isVisibleTo(screen));

        const QString first = run.question();
        run.tick(1);
        run.click(QStringLiteral("checkAnswer"));
        QCOMPARE(run.control<QLabel>(QStringLiteral("answerVerdict"))->text(), QStringLiteral("Incorrect"));
        QVERIFY(run.control<QWidget>(QStringLiteral("studyFeedback"))->isVisibleTo(screen));
        QVERIFY(run.control<QPlainTextEdit>(QStringLiteral("explanationText"))->isVisibleTo(screen));
        QVERIFY(run.control<QCheckBox>(QStringLiteral("Check1"))->font().bold());
        QVERIFY(run.control<QCheckBox>(QStringLiteral("Check2"))->font().bold());
        QVERIFY(!run.control<QCheckBox>(QStringLiteral("Check3"))->font().bold());
        // Locked: neither a click nor an option key changes the ticks, nor does coming back.
        run.tick(2);
        QTest::keyClick(screen, Qt::Key_2);
        QCOMPARE(run.ticked(), QList<int>({ 1 }));
        QVERIFY(!run.control<QPushButton>(QStringLiteral("checkAnswer"))->isEnabled());
        run.click(QStringLiteral("Command1"));
        QVERIFY(!run.control<QWidget>(QStringLiteral("studyFeedback"))->isVisibleTo(screen));
        QVERIFY(run.control<QCheckBox>(QStringLiteral("Check2"))->isEnabled());
        QVERIFY(!run.control<QCheckBox>(QStringLiteral("Check2"))->font().bold());
        run.tick(1);
        run.tick(2);
        run.click(QStringLiteral("checkAnswer"));
        QCOMPARE(run.control<QLabel>(QStringLiteral("answerVerdict"))->text(), QStringLiteral("Correct"));
        run.click(QStringLiteral("Command2"));
        QCOMPARE(run.question(), first);
        QCOMPARE(run.ticked(), QList<int>({ 1 }));
        QVERIFY(!run.control<QCheckBox>(QStringLiteral("Check2"))->isEnabled());
        QCOMPARE(run.control<QLabel>(QStringLiteral("answerVerdict"))->text(), QStringLiteral("Incorrect"));

        const qint64 id = Module1.JournalId;
        QVERIFY(run.journal.attempt(id)->questions[0].checked);
        QWidget* results = run.endExam();
        QVERIFY(results);
        QVERIFY(!fakes.recordFiles.exists(ResultsPath) || fakes.recordFiles.contents(ResultsPath).isEmpty());
        auto* note = results->findChild<QLabel*>(QStringLiteral("practiceNote"));
        QVERIFY(note->isVisibleTo(results));
        QCOMPARE(note->text(), QStringLiteral("Study mode: not added to the score history."));
        const std::optional<JournaledAttempt> kept = run.journal.attempt(id);
        QCOMPARE(kept->status, AttemptStatus::Finished);
        QVERIFY(kept->study);
        QCOMPARE(run.journal.statistics(QStringLiteral("bank.dat")).size(), std::size_t(2));
    }

    // A study attempt comes back as it was left: in study mode, its checked answer still locked.
    void aStudyAttemptResumesInStudyModeWithItsChecksKept()
    {
        testing_support::FakeServices fakes;
        fakes.recordFiles.setFile(IndexPath, catalogue(3));
        fakes.recordFiles.setFile(BankPath, bank(3));
        QString first;
        {
            Run run(fakes, journalPath());
            run.start(3, Run::Mode::Study);
            first = run.question();
            run.tick(1);
            run.tick(2);
            run.click(QStringLiteral("checkAnswer"));
            run.click(QStringLiteral("Command1"));
        }
        Module1 = AttemptState();
        Run second(fakes, journalPath());
        fakes.messages.answerNext(0);
        loadStartScreen(second.window);
        settle();
        QCOMPARE(fakes.messages.shown.back().prompt,
                 QStringLiteral("An unfinished attempt at \"Alpha exam\" was found: question 2 of 3, in study mode. "
                                "Resume it?"));
        exam* resumed = second.shownExam();
        QVERIFY(resumed);
        QVERIFY(!resumed->isCountingDown());
        QVERIFY(second.control<QPushButton>(QStringLiteral("checkAnswer"))->isVisibleTo(resumed));
        second.click(QStringLiteral("Command2"));
        QCOMPARE(second.question(), first);
        QCOMPARE(second.control<QLabel>(QStringLiteral("answerVerdict"))->text(), QStringLiteral("Correct"));
        QVERIFY(!second.control<QCheckBox>(QStringLiteral("Check1"))->isEnabled());
    }

    // Two attempts miss the same two questions: a weak-question practice of two asks exactly those.
    void weakPracticeAsksTheQuestionsMissedAndAddsNoScoreRecord()
    {
        testing_support::FakeServices fakes;
        fakes.recordFiles.setFile(IndexPath, catalogue(6));
        fakes.recordFiles.setFile(BankPath, bank(6));
        Run run(fakes, journalPath());
        for (int attempt = 0; attempt < 2; ++attempt) {
            run.start(4);
            QWidget* results = run.answerAllBut({ 2, 5 });
            QVERIFY(results);
            run.window.unloadScreen(results);
            flushDeletes();
        }
        const int before = fakes.recordFiles.contents(ResultsPath).size();
        QCOMPARE(before, 2 * ScoreRecord::Length);
        QSet<int> asked;
        for (const PastAttempt& past : run.journal.finishedAttempts(1)) {
            const std::optional<JournaledAttempt> kept = run.journal.attempt(past.id);
            for (const AskedQuestion& question : kept->questions)
                asked.insert(question.recordNumber);
        }
        QVERIFY2(asked.contains(2) && asked.contains(5), "the draws asked both missed questions");

        run.start(2, Run::Mode::WeakPractice);
        QSet<QString> weak;
        weak.insert(run.question());
        run.click(QStringLiteral("Command1"));
        weak.insert(run.question());
        QCOMPARE(weak, QSet<QString>({ QStringLiteral("Question 2"), QStringLiteral("Question 5") }));
        QVERIFY(run.shownExam()->isCountingDown());
        QWidget* results = run.endExam();
        QVERIFY(results);
        QCOMPARE(fakes.recordFiles.contents(ResultsPath).size(), before);
        QCOMPARE(results->findChild<QLabel*>(QStringLiteral("practiceNote"))->text(),
                 QStringLiteral("Weak-question practice: not added to the score history."));
        QCOMPARE(run.journal.finishedAttempts(1).front().kind, AttemptKind::WeakPractice);
    }

    // Certification exams score by domain: the results give one line per domain of the questions asked.
    void theResultsShowOneLinePerDomain()
    {
        testing_support::FakeServices fakes;
        fakes.recordFiles.setFile(IndexPath, catalogue(3));
        fakes.recordFiles.setFile(BankPath, bank(3));
        fakes.recordFiles.setFile(BankPath + QStringLiteral(".domains"), "Routing\nAddressing\nRouting\n");
        Run run(fakes, journalPath());
        run.start(3);
        QWidget* results = run.answerAllBut({ 3 });
        QVERIFY(results);
        auto* lines = results->findChild<QLabel*>(QStringLiteral("domainScores"));
        QVERIFY(lines->isVisibleTo(results));
        QCOMPARE(lines->text(), QStringLiteral("Addressing: 2 of 2 points (100 %)\nRouting: 2 of 4 points (50 %)"));
        const std::optional<JournaledAttempt> kept = run.journal.attempt(run.journal.finishedAttempts(1).front().id);
        for (const AskedQuestion& question : kept->questions)
            QCOMPARE(question.domain,
                     question.recordNumber == 2 ? QStringLiteral("Addressing") : QStringLiteral("Routing"));
    }

    void aBankRemovedMidAttemptIsScoredFromTheQuestionsAsAsked()
    {
        testing_support::FakeServices fakes;
        fakes.recordFiles.setFile(IndexPath, catalogue(2));
        fakes.recordFiles.setFile(BankPath, bank(2));
        Run run(fakes, journalPath());
        run.start(2);
        run.tick(1);
        run.tick(2);
        fakes.recordFiles.setOpenError(BankPath, platform::ErrorNumber::FileNotFound);
        fakes.messages.answerNext(platform::MsgBoxResult::OK);
        run.click(QStringLiteral("Command3"));
        QTRY_VERIFY(run.window.findChild<QWidget*>(QStringLiteral("results")));
        settle();
        QVERIFY(fakes.messages.shown.back().prompt.startsWith(
            QStringLiteral("The question bank of this exam could not be read at the end of the attempt:")));
        QVERIFY(fakes.messages.shown.back().prompt.endsWith(
            QStringLiteral("Your attempt was scored from the questions as they were asked.")));
        const QByteArray history = fakes.recordFiles.contents(ResultsPath);
        QCOMPARE(history.size(), ScoreRecord::Length);
        const ScoreRecord record = ScoreRecord::fromBytes(history);
        QCOMPARE(record.MaximumScore, 4);
        QCOMPARE(record.Score, 2);
    }

    void aJournalThatCannotBeWrittenNeverStopsTheAttempt()
    {
        testing_support::FakeServices fakes;
        fakes.recordFiles.setFile(IndexPath, catalogue(2));
        fakes.recordFiles.setFile(BankPath, bank(2));
        Run run(fakes, journalPath());
        // Another program holds the journal's write lock for as long as the attempt lasts.
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(journalPath());
        QVERIFY(other.open());
        QSqlQuery lock(other);
        QVERIFY(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        exam* screen = run.start(2);
        QVERIFY(screen);
        QCOMPARE(fakes.messages.shown.back().prompt,
                 QStringLiteral("Your answers cannot be kept for resuming: database is locked."));
        const std::size_t told = fakes.messages.shown.size();
        run.tick(1);
        screen->Timer1_Timer();
        QCOMPARE(screen->secondsLeft(), 119);
        QCOMPARE(fakes.messages.shown.size(), told);
        lock.exec(QStringLiteral("ROLLBACK"));
        lock.finish();
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
    }

    void aDamagedJournalIsMovedAsideAndTold()
    {
        {
            QFile damaged(journalPath());
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write(QByteArray(8192, 'x'));
        }
        testing_support::FakeServices fakes;
        fakes.recordFiles.setFile(IndexPath, catalogue(2));
        fakes.recordFiles.setFile(BankPath, bank(2));
        Run run(fakes, journalPath());
        QVERIFY(run.journal.isUsable());
        loadStartScreen(run.window);
        settle();
        QCOMPARE(fakes.messages.shown.front().prompt,
                 QStringLiteral("The attempt journal was damaged and has been moved to:\n%1.damaged\n\n"
                                "A new journal has been started.")
                     .arg(journalPath()));
        QFile aside(journalPath() + QStringLiteral(".damaged"));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), QByteArray(8192, 'x'));
        QFile::remove(aside.fileName());
    }
};

QTEST_MAIN(JournalScreensTest)
#include "journalscreens_test.moc"
