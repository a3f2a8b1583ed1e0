#include "mdiform1.h"
#include "module1.h"
#include "screens/resultreview.h"
#include "screens/results.h"
#include "startup.h"
#include "webaddresses.h"

#include "data/questionrecord.h"
#include "platform/diskrecordfilesystem.h"
#include "platform/runtimeapplication.h"
#include "support/fakeservices.h"
#include "support/screentesting.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace quizmark;
using testing_support::flushDeletes;
using testing_support::padded;

namespace {

using Four = std::array<std::int16_t, 4>;

const QString DataDirectory = QStringLiteral("/quizmark/dat/");
const QString BankPath = QStringLiteral("/quizmark/dat/network.dat");
const QString HistoryPath = QStringLiteral("/quizmark/dat/results.dat");
const QString IndexPath = QStringLiteral("/quizmark/dat/index.dat");

QuestionRecord question(int number, Four correct)
{
    QuestionRecord record;
    record.Question = padded(QStringLiteral("What does item %1 do?").arg(number), QuestionRecord::QuestionWidth);
    for (int k = 1; k <= 4; ++k)
        record.option(k)
            = padded(QStringLiteral("Answer %1 to item %2").arg(k).arg(number), QuestionRecord::OptionWidth);
    record.CorrectOptions = correct;
    record.Explanation = padded(QStringLiteral("Because of item %1.").arg(number), QuestionRecord::ExplanationWidth);
    return record;
}

QByteArray bytesOf(const QList<QuestionRecord>& bank)
{
    QByteArray bytes;
    for (const QuestionRecord& record : bank)
        bytes += record.toBytes();
    return bytes;
}

QByteArray scoreBytes(int exam, int maximum, int score, bool passed)
{
    ScoreRecord record;
    record.ExamNumber = std::int16_t(exam);
    record.MaximumScore = std::int16_t(maximum);
    record.Score = std::int16_t(score);
    record.Passed = passed ? ScoreRecord::True : ScoreRecord::False;
    return record.toBytes();
}

// One position of an attempt: the bank record drawn there and the ticks stored for it.
struct Position
{
    std::int16_t record;
    Four selections;
};

// What the answer review showed while the results screen waited for it.
struct ReviewSeen
{
    bool resultsHidden = false;
    bool bankOpen = false;
    bool level = false;
    QString question;
    QString explanation;
    Qt::TextFormat format = Qt::AutoText;
    QStringList options;
    QList<bool> correct;
    QList<bool> yours;
    QString title;
};

} // namespace

class ResultsTest : public QObject
{
    Q_OBJECT

    struct Road
    {
        testing_support::FakeServices fakes;
        MDIForm1 window{ fakes.services() };
        bool ended = false;
        bool refuseHistory = false;
        QPointer<QWidget> history;

        Road()
        {
            registerScreens(window);
            window.registerScreen(QStringLiteral("results"), [](ScreenHost& h) { return new results(h); });
            window.registerScreen(QStringLiteral("resultreview"), [](ScreenHost& h) { return new resultreview(h); });
            window.registerScreen(QStringLiteral("history"), [this](ScreenHost&) {
                history = new QWidget;
                history->setObjectName(QStringLiteral("history"));
                history->setProperty(ScreenHost::RefusedProperty, refuseHistory);
                return history.data();
            });
            window.setEndHandler([this] { ended = true; });
            window.resize(1000, 760);
            window.show();
        }

        // The attempt state as the exam screen leaves it, over a bank of the given records.
        void attempt(const QList<QuestionRecord>& bank, const QList<Position>& positions)
        {
            fakes.recordFiles.setFile(BankPath, bytesOf(bank));
            Module1 = AttemptState{};
            Module1.DataDirectory = DataDirectory;
            Module1.CurrentExam.BankFile = padded(QStringLiteral("network.dat"), CatalogueRecord::BankFileWidth);
            Module1.SelectedExam = 2;
            Module1.QuestionsToTake = std::int16_t(positions.size());
            for (int p = 1; p <= positions.size(); ++p) {
                const Position& position = positions[p - 1];
                Module1.QuestionOrder(p) = position.record;
                Module1.CorrectCount(p) = bank[position.record - 1].correctCount();
                for (int k = 1; k <= 4; ++k)
                    Module1.Selections(p, k) = position.selections[std::size_t(k - 1)];
            }
        }

        // An attempt of `maximum` one-option questions of which the first `score` were answered right.
        void attemptScoring(int maximum, int score)
        {
            QList<QuestionRecord> bank;
            QList<Position> positions;
            for (int n = 1; n <= maximum; ++n) {
                bank.append(question(n, { 2, 0, 0, 0 }));
                positions.append(Position{ std::int16_t(n), Four{ std::int16_t(n <= score ? 2 : 3), 0, 0, 0 } });
            }
            attempt(bank, positions);
        }

        // The end of the attempt hands over to the results screen.
        results* finish()
        {
            QWidget* screen = window.loadScreen(QStringLiteral("results"));
            window.showScreen(screen);
            QCoreApplication::processEvents();
            return qobject_cast<results*>(screen);
        }

        results* screen() const { return window.findChild<results*>(QStringLiteral("results")); }
        resultreview* review() const { return window.findChild<resultreview*>(QStringLiteral("resultreview")); }
        template <typename T> T* control(const QString& name) const { return screen()->findChild<T*>(name); }
        QString text(const QString& name) const { return control<QLineEdit>(name)->text(); }
        double share(const QString& bar) const
        {
            auto* progress = control<QProgressBar>(bar);
            return double(progress->value() - progress->minimum()) / (progress->maximum() - progress->minimum());
        }
        QStringList lines() const
        {
            QStringList all;
            auto* list = control<QListWidget>(QStringLiteral("List1"));
            for (int i = 0; i < list->count(); ++i)
                all.append(list->item(i)->text());
            return all;
        }

        void clickLine(int row)
        {
            auto* list = control<QListWidget>(QStringLiteral("List1"));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
            QCoreApplication::processEvents();
            flushDeletes();
        }

        // The next review: what it shows is noted, then `leave` ends it.
        void whenReviewShows(ReviewSeen& seen, std::function<void(resultreview*)> leave)
        {
            fakes.wait.actions.push_back([this, &seen, leave] {
                QCoreApplication::processEvents(); // lays the screen out as the candidate sees it
                resultreview* form = review();
                seen.resultsHidden = !screen()->isVisible();
                seen.bankOpen = fakes.files.isOpen(FileNumber::QuestionBank);
                seen.title = form->windowTitle();
                auto* label = form->findChild<QLabel*>(QStringLiteral("Label2"));
                seen.question = label->text();
                seen.format = label->textFormat();
                seen.explanation = form->findChild<QLabel*>(QStringLiteral("Label1"))->text();
                seen.level = true;
                for (int k = 1; k <= 4; ++k) {
                    auto* option = form->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(k));
                    auto* answer = form->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(k + 4));
                    seen.options.append(option->text());
                    seen.correct.append(option->isChecked());
                    seen.yours.append(answer->isChecked());
                    seen.level = seen.level && option->mapTo(form, QPoint()).y() == answer->mapTo(form, QPoint()).y()
                        && option->height() == answer->height();
                }
                leave(form);
            });
        }
        static void pressBack(resultreview* form)
        {
            QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        }
    };

    static QAction* fileItem(MDIForm1& window, const QString& text)
    {
        for (QAction* menu : window.menuBar()->actions())
            if (menu->menu())
                for (QAction* item : menu->menu()->actions())
                    if (item->text() == text)
                        return item;
        return nullptr;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void theScoreIsShownAndOneRecordIsAdded_data()
    {
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("passMark");
        QTest::addColumn<QString>("headline");
        QTest::newRow("10, 7") << 10 << 7 << "7"
                               << "Pass";
        QTest::newRow("10, 6") << 10 << 6 << "7"
                               << "Fail";
        QTest::newRow("3, 2") << 3 << 2 << "2.1"
                              << "Fail";
        QTest::newRow("3, 3") << 3 << 3 << "2.1"
                              << "Pass";
        QTest::newRow("25, 17") << 25 << 17 << "17.5"
                                << "Fail";
        QTest::newRow("25, 18") << 25 << 18 << "17.5"
                                << "Pass";
        QTest::newRow("1, 1") << 1 << 1 << "0.7"
                              << "Pass";
        QTest::newRow("1, 0") << 1 << 0 << "0.7"
                              << "Fail";
    }

    void theScoreIsShownAndOneRecordIsAdded()
    {
        QFETCH(int, maximum);
        QFETCH(int, score);
        QFETCH(QString, passMark);
        QFETCH(QString, headline);
        Road road;
        road.attemptScoring(maximum, score);
        road.finish();

        QCOMPARE(road.screen()->windowTitle(), QStringLiteral("Exam Result"));
        QCOMPARE(road.control<QLabel>("Label6")->text(), headline);
        QCOMPARE(road.text("Text1"), QString::number(score));
        QCOMPARE(road.text("Text2"), passMark);
        QCOMPARE(road.text("Text3"), QString::number(maximum));
        // The bars draw in thousandths.
        QVERIFY(qAbs(road.share("ProgressBar1") - double(score) / maximum) <= 0.0005);
        QCOMPARE(road.share("ProgressBar2"), 0.7);
        QCOMPARE(road.lines().size(), maximum);
        QCOMPARE(road.lines().first(),
                 score > 0 ? QStringLiteral("Question 1  Correct") : QStringLiteral("Question 1 Incorrect"));
        if (maximum >= 12)
            QCOMPARE(road.lines()[11], QStringLiteral("Question 12  Correct"));
        if (score < maximum)
            QCOMPARE(road.lines().last(), QStringLiteral("Question %1 Incorrect").arg(maximum));

        QCOMPARE(road.fakes.recordFiles.contents(HistoryPath), scoreBytes(2, maximum, score, headline == "Pass"));
        QCOMPARE(Module1.ResultsFilePath, HistoryPath);
        QCOMPARE(road.fakes.recordFiles.lockCount(), 1);
        QCOMPARE(road.fakes.recordFiles.syncCount(), 1);
        QVERIFY(!road.fakes.files.isOpen(FileNumber::QuestionBank));
        QVERIFY(!road.fakes.files.isOpen(FileNumber::ScoreHistory));
        QVERIFY(road.fakes.messages.shown.empty());
    }

    void partMatchesEarnPartOfTheOptions()
    {
        Road road;
        const Four oneAndThree{ 1, 3, 0, 0 };
        road.attempt({ question(1, oneAndThree), question(2, { 0, 0, 0, 0 }) },
                     { { 1, { 1, 3, 0, 0 } },
                       { 1, { 3, 0, 0, 0 } },
                       { 1, { 1, 0, 0, 0 } },
                       { 1, { 2, 3, 0, 0 } },
                       { 2, { 0, 0, 0, 0 } } });
        road.finish();
        QCOMPARE(road.lines(),
                 (QStringList{ "Question 1  Correct", "Question 2 Incorrect", "Question 3 Incorrect",
                               "Question 4 Incorrect", "Question 5  Correct" }));
        QCOMPARE(road.text("Text1"), QStringLiteral("4")); // 2 + 0 + 1 + 1 + 0
        QCOMPARE(road.text("Text3"), QStringLiteral("8"));
        QCOMPARE(road.text("Text2"), QStringLiteral("5.6"));
        QCOMPARE(road.control<QLabel>("Label6")->text(), QStringLiteral("Fail"));
    }

    void theRecordNumberFollowsTheFileLength_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("recordNumber");
        QTest::newRow("no file: record 1") << 0 << false << 1;
        QTest::newRow("empty file: record 1") << 0 << true << 1;
        QTest::newRow("40 bytes: record 6") << 40 << true << 6;
        QTest::newRow("damaged 12 bytes: record 2") << 12 << true << 2;
    }

    void theRecordNumberFollowsTheFileLength()
    {
        QFETCH(int, length);
        QFETCH(bool, present);
        QFETCH(int, recordNumber);
        Road road;
        QByteArray earlier;
        for (int i = 0; i < length; ++i)
            earlier.append(char(0x40 + i));
        if (present)
            road.fakes.recordFiles.setFile(HistoryPath, earlier);
        road.attemptScoring(10, 8);
        road.finish();
        const QByteArray after = road.fakes.recordFiles.contents(HistoryPath);
        const int offset = (recordNumber - 1) * ScoreRecord::Length;
        QCOMPARE(after.size(), offset + ScoreRecord::Length);
        QCOMPARE(after.left(offset), earlier.left(offset));
        QCOMPARE(after.mid(offset), QByteArray::fromHex("02000a000800ffff"));
    }

    void aMaximumOfNothingShowsEmptyBars()
    {
        Road road;
        road.attempt({ question(1, { 0, 0, 0, 0 }) }, { { 1, { 0, 0, 0, 0 } }, { 1, { 0, 0, 0, 0 } } });
        road.finish();
        for (const char* name : { "ProgressBar1", "ProgressBar2" }) {
            auto* bar = road.control<QProgressBar>(name);
            QVERIFY2(bar->maximum() > bar->minimum(), "a range of nothing draws a busy bar");
            QCOMPARE(bar->value(), bar->minimum());
        }
        QCOMPARE(road.text("Text1"), QStringLiteral("0"));
        QCOMPARE(road.text("Text2"), QStringLiteral("0"));
        QCOMPARE(road.text("Text3"), QStringLiteral("0"));
        QCOMPARE(road.control<QLabel>("Label6")->text(), QStringLiteral("Pass"));
        QCOMPARE(road.lines(), (QStringList{ "Question 1  Correct", "Question 2  Correct" }));
        QVERIFY(road.fakes.messages.shown.empty());
        QCOMPARE(road.fakes.recordFiles.contents(HistoryPath), scoreBytes(2, 0, 0, true));
    }

    void aScoreThatCannotBeSavedIsToldAndStillShown_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("reason");
        QTest::newRow("disk full") << "full"
                                   << "Disk full";
        QTest::newRow("no dat directory") << "directory"
                                          << "Path not found";
    }

    void aScoreThatCannotBeSavedIsToldAndStillShown()
    {
        QFETCH(QString, failure);
        QFETCH(QString, reason);
        Road road;
        road.attemptScoring(10, 8);
        if (failure == "full") {
            road.fakes.recordFiles.setWritesFail(true);
        } else {
            // The bank elsewhere, so only the score history's folder is missing.
            Module1.DataDirectory = QStringLiteral("/banks/");
            road.fakes.recordFiles.setFile(QStringLiteral("/banks/network.dat"),
                                           road.fakes.recordFiles.contents(BankPath));
            road.fakes.recordFiles.addDirectory(QStringLiteral("/banks"));
        }
        QWidget* screen = road.window.loadScreen(QStringLiteral("results"));
        QVERIFY2(road.fakes.messages.shown.empty(), "told only once the score is on screen");
        road.window.showScreen(screen);
        QCoreApplication::processEvents();

        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
        const auto& box = road.fakes.messages.shown[0];
        QVERIFY2(box.prompt.contains(QStringLiteral("could not be saved")), qPrintable(box.prompt));
        QVERIFY2(box.prompt.contains(reason), qPrintable(box.prompt));
        QVERIFY(road.screen()->isVisible());
        QCOMPARE(road.text("Text1"), QStringLiteral("8"));
        QCOMPARE(road.control<QLabel>("Label6")->text(), QStringLiteral("Pass"));
        QCOMPARE(road.fakes.recordFiles.contents(HistoryPath), QByteArray());
        QVERIFY(!road.fakes.files.isOpen(FileNumber::ScoreHistory));

        ReviewSeen seen;
        road.whenReviewShows(seen, Road::pressBack);
        road.clickLine(0);
        QVERIFY(seen.resultsHidden);
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
    }

    void aScoreHistoryOnDiskThatCannotTakeTheRecord_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("results.dat is a folder") << "folder"
                                                 << "Path/File access error";
        QTest::newRow("the device refuses the write") << "full"
                                                      << "Device I/O error";
    }

    void aScoreHistoryOnDiskThatCannotTakeTheRecord()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir program;
        QVERIFY(QDir(program.path()).mkdir(QStringLiteral("dat")));
        const QString history = program.filePath(QStringLiteral("dat/results.dat"));
        if (kind == "folder")
            QVERIFY(QDir().mkdir(history));
        else if (!QFile::link(QStringLiteral("/dev/full"), history))
            QSKIP("no /dev/full to write to");

        testing_support::FakeServices fakes(program.path());
        platform::DiskRecordFileSystem disk;
        platform::FileTable files(disk);
        platform::Services services{ files,         fakes.settings, fakes.messages,         fakes.random,
                                     fakes.web,     fakes.programs, fakes.programDirectory, fakes.wait,
                                     fakes.printer, fakes.registry };
        MDIForm1 window(services);
        window.registerScreen(QStringLiteral("results"), [](ScreenHost& h) { return new results(h); });

        QFile bank(program.filePath(QStringLiteral("dat/network.dat")));
        QVERIFY(bank.open(QIODevice::WriteOnly));
        bank.write(question(1, { 1, 0, 0, 0 }).toBytes());
        bank.close();
        Module1 = AttemptState{};
        Module1.DataDirectory = program.filePath(QStringLiteral("dat/"));
        Module1.CurrentExam.BankFile = padded(QStringLiteral("network.dat"), CatalogueRecord::BankFileWidth);
        Module1.QuestionsToTake = 1;
        Module1.QuestionOrder(1) = 1;
        Module1.CorrectCount(1) = 1;
        Module1.Selections(1, 1) = 1;

        window.show();
        window.showScreen(window.loadScreen(QStringLiteral("results")));
        QCoreApplication::processEvents();
        QCOMPARE(fakes.messages.shown.size(), std::size_t(1));
        QVERIFY2(fakes.messages.shown[0].prompt.contains(reason), qPrintable(fakes.messages.shown[0].prompt));
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral("1"));
        QVERIFY(!files.isOpen(FileNumber::ScoreHistory));
    }

    void theReviewShowsTheQuestionAndComesBack()
    {
        Road road;
        QuestionRecord marked = question(2, { 2, 4, 0, 0 });
        marked.Question = padded(QStringLiteral("Which <b>tag</b> & which entity?"), QuestionRecord::QuestionWidth);
        marked.Option1 = padded(QStringLiteral("Salt & &pepper"), QuestionRecord::OptionWidth);
        marked.Explanation = padded(QStringLiteral("<i>Both</i> & more"), QuestionRecord::ExplanationWidth);
        // Long enough to wrap: its answer box must still stand level with it.
        marked.Option3 = padded(QStringLiteral("A long answer ").repeated(12), QuestionRecord::OptionWidth);
        road.attempt({ question(1, { 1, 0, 0, 0 }), marked }, { { 1, { 1, 0, 0, 0 } }, { 2, { 2, 3, 0, 0 } } });
        road.finish();
        const QByteArray history = road.fakes.recordFiles.contents(HistoryPath);
        const QStringList lines = road.lines();

        ReviewSeen seen;
        road.whenReviewShows(seen, Road::pressBack);
        road.clickLine(1);

        QCOMPARE(road.fakes.wait.waits, 1);
        QVERIFY(seen.resultsHidden);
        QVERIFY(seen.bankOpen);
        QCOMPARE(seen.title, QStringLiteral("Results Review"));
        QCOMPARE(seen.question, marked.Question);
        QCOMPARE(seen.format, Qt::PlainText);
        QCOMPARE(seen.explanation, marked.Explanation);
        QCOMPARE(seen.options[0], padded(QStringLiteral("Salt & &pepper"), 255).replace("&", "&&"));
        QCOMPARE(seen.options[3], marked.Option4);
        QCOMPARE(seen.correct, (QList<bool>{ false, true, false, true }));
        QCOMPARE(seen.yours, (QList<bool>{ false, true, true, false }));
        QVERIFY2(seen.level, "each answer box stands level with its option");

        QVERIFY(!road.review());
        QVERIFY(road.screen()->isVisible());
        QVERIFY(!road.fakes.files.isOpen(FileNumber::QuestionBank));
        QCOMPARE(road.screen()->ReviewQuestion, 2);
        QCOMPARE(road.lines(), lines);
        QCOMPARE(road.fakes.recordFiles.contents(HistoryPath), history);
        QCOMPARE(road.window.menuTitles(), QStringList{ QStringLiteral("File") });
    }

    void theSameQuestionCanBeReviewedAgainAndTheKeysChooseToo()
    {
        Road road;
        road.attempt({ question(1, { 1, 3, 0, 0 }), question(2, { 4, 0, 0, 0 }) },
                     { { 2, { 4, 0, 0, 0 } }, { 1, { 3, 0, 0, 0 } } });
        road.finish();
        auto* list = road.control<QListWidget>("List1");
        list->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QCOMPARE(road.fakes.wait.waits, 0); // taking the focus chooses nothing

        ReviewSeen first, again, next;
        road.whenReviewShows(first, Road::pressBack);
        road.clickLine(1);
        road.whenReviewShows(again, Road::pressBack);
        road.clickLine(1);
        QCOMPARE(road.fakes.wait.waits, 2);
        QCOMPARE(again.question, first.question);
        QCOMPARE(again.correct, first.correct);
        QCOMPARE(again.yours, first.yours);
        QCOMPARE(first.correct, (QList<bool>{ true, false, true, false }));
        QCOMPARE(first.yours, (QList<bool>{ false, false, true, false }));

        QTest::keyClick(list, Qt::Key_Up);
        QCoreApplication::processEvents();
        QCOMPARE(road.fakes.wait.waits, 2); // moving to another line opens nothing
        road.whenReviewShows(next, Road::pressBack);
        QTest::keyClick(list, Qt::Key_Return);
        QCoreApplication::processEvents();
        flushDeletes();
        QCOMPARE(road.fakes.wait.waits, 3);
        QCOMPARE(next.question, question(2, {}).Question);
        QCOMPARE(next.yours, (QList<bool>{ false, false, false, true }));
        QVERIFY(road.screen()->isVisible());
    }

    void aReleaseArrivingAfterTheReviewOpenedOpensNoSecondOne()
    {
        Road road;
        road.attemptScoring(2, 1);
        road.finish();
        auto* list = road.control<QListWidget>("List1");
        const QPoint line = list->visualItemRect(list->item(1)).center();
        int reviews = 0;
        ReviewSeen seen;
        road.whenReviewShows(seen, [&](resultreview* form) {
            // The event loop ran between press and release: the review is up when the release comes.
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, line);
            QCoreApplication::processEvents();
            reviews = int(road.window.findChildren<resultreview*>().size());
            Road::pressBack(form);
        });
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, line);
        QCoreApplication::processEvents();
        flushDeletes();
        QCOMPARE(reviews, 1);
        QCOMPARE(road.fakes.wait.waits, 1);
        QVERIFY(road.screen()->isVisible());
        QVERIFY(!road.fakes.files.isOpen(FileNumber::QuestionBank));
    }

    void closingTheReviewByItsFrameIsBackToResults()
    {
        Road road;
        road.attemptScoring(2, 1);
        road.finish();
        ReviewSeen seen;
        road.whenReviewShows(seen, [&road](resultreview* form) { road.window.subWindowOf(form)->close(); });
        road.clickLine(0);
        QVERIFY(seen.bankOpen);
        QVERIFY(!road.review());
        QVERIFY(road.screen()->isVisible());
        QVERIFY(!road.fakes.files.isOpen(FileNumber::QuestionBank));
        QVERIFY(road.fakes.messages.shown.empty());
    }

    void exitDuringAReviewEndsWithoutComingBack()
    {
        Road road;
        road.attemptScoring(2, 1);
        road.finish();
        ReviewSeen seen;
        road.whenReviewShows(seen, [&road](resultreview*) {
            fileItem(road.window, "Exit")->trigger(); // the main window's own File menu is back
        });
        road.clickLine(0);
        QVERIFY(seen.bankOpen);
        QVERIFY(road.ended);
        QVERIFY(!road.fakes.files.isOpen(FileNumber::QuestionBank));
        QVERIFY(!road.screen()->isVisible());
    }

    void aHistoryThatCannotShowLeavesTheResults()
    {
        Road road;
        road.refuseHistory = true;
        road.attemptScoring(2, 2);
        road.finish();
        QTest::mouseClick(road.control<QPushButton>("Command1"), Qt::LeftButton);
        flushDeletes();
        QVERIFY(!road.history);
        QVERIFY(road.screen()->isVisible());
        QCOMPARE(road.window.menuTitles(), QStringList{ "File" });
    }

    void theHistoryOpensAndComingBackWritesNothing()
    {
        Road road;
        road.attemptScoring(4, 3);
        road.finish();
        const QByteArray history = road.fakes.recordFiles.contents(HistoryPath);
        QTest::mouseClick(road.control<QPushButton>("Command1"), Qt::LeftButton);
        QVERIFY(road.history);
        QVERIFY(road.history->isVisible());
        QVERIFY(!road.screen()->isVisible());
        QCOMPARE(road.window.menuTitles(), (QStringList{ "File", "Help" }));

        road.window.unloadScreen(road.history);
        road.window.showScreen(road.screen());
        flushDeletes();
        QCOMPARE(road.window.menuTitles(), QStringList{ "File" });
        QCOMPARE(road.fakes.recordFiles.contents(HistoryPath), history);
        QCOMPARE(road.lines().size(), 4);
        QCOMPARE(road.share("ProgressBar1"), 0.75);
        QCOMPARE(road.text("Text2"), QStringLiteral("2.8"));
    }

    void theFileMenuPrintsAndEnds()
    {
        Road road;
        road.attemptScoring(3, 3);
        road.fakes.files.open(FileNumber::Catalogue, HistoryPath, ScoreRecord::Length,
                              platform::RecordAccess::ReadWrite);
        road.finish();
        QVERIFY(QTest::qWaitForWindowActive(&road.window));
        QCOMPARE(road.window.menuTitles(), QStringList{ "File" });
        QAction* print = fileItem(road.window, "Print Results");
        QAction* exit = fileItem(road.window, "Exit");
        QVERIFY(print && exit);
        QCOMPARE(print->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
        QCOMPARE(exit->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
        QVERIFY(!fileItem(road.window, "Homepage"));

        QTest::keyClick(&road.window, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(road.fakes.printer.printed.size(), std::size_t(1));
        QCOMPARE(road.fakes.printer.printed[0].size(), road.screen()->grab().toImage().size());
        QVERIFY(road.fakes.messages.shown.empty());

        road.fakes.printer.printSucceeds = false;
        print->trigger();
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
        QVERIFY(road.fakes.messages.shown[0].prompt.contains("could not be printed"));

        QTest::keyClick(&road.window, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(road.ended);
        QVERIFY(!road.fakes.files.isOpen(FileNumber::Catalogue));
    }

    void withoutAPrinterTheResultsCanBeSavedAsPdf_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("saved");
        QTest::newRow("yes") << int(platform::MsgBoxResult::Yes) << "/home/c/result.pdf"
                             << QStringList{ "/home/c/result.pdf" };
        QTest::newRow("yes, then cancelled") << int(platform::MsgBoxResult::Yes) << "" << QStringList{};
        QTest::newRow("no") << int(platform::MsgBoxResult::No) << "/home/c/result.pdf" << QStringList{};
    }

    void withoutAPrinterTheResultsCanBeSavedAsPdf()
    {
        QFETCH(int, answer);
        QFETCH(QString, chosen);
        QFETCH(QStringList, saved);
        Road road;
        road.attemptScoring(3, 1);
        road.finish();
        road.fakes.printer.printerPresent = false;
        road.fakes.printer.pdfPath = chosen;
        road.fakes.messages.answerNext(answer);
        fileItem(road.window, "Print Results")->trigger();
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
        QCOMPARE(road.fakes.messages.shown[0].buttons & 0x0F, platform::MsgBoxStyle::YesNo);
        QVERIFY(road.fakes.messages.shown[0].prompt.contains("PDF"));
        QCOMPARE(road.fakes.printer.savedPdfs, saved);
        QVERIFY(road.fakes.printer.printed.empty());
    }

    void theBannerOpensTheResultsLink()
    {
        Road road;
        road.attemptScoring(1, 1);
        road.finish();
        auto* banner = road.control<QLabel>("Picture1");
        QTest::mouseClick(banner, Qt::LeftButton);
        QCOMPARE(road.fakes.web.opened, QStringList{ QString::fromLatin1(WebAddress::ResultsBanner) });
        QCOMPARE(road.control<QLabel>("Label7")->text(), QStringLiteral("Search For New/Used Certification Books"));
    }

    void theWholeRoadFromTheSelectionBackToANewExam()
    {
        Road road;
        CatalogueRecord exam;
        exam.ExamName = padded(QStringLiteral("Networks"), CatalogueRecord::ExamNameWidth);
        exam.BankFile = padded(QStringLiteral("network.dat"), CatalogueRecord::BankFileWidth);
        exam.QuestionTotal = 3;
        road.fakes.recordFiles.setFile(IndexPath, CatalogueRecord().toBytes() + exam.toBytes());
        const QList<QuestionRecord> bank{ question(1, { 1, 0, 0, 0 }), question(2, { 2, 3, 0, 0 }),
                                          question(3, { 4, 0, 0, 0 }) };
        road.fakes.recordFiles.setFile(BankPath, bytesOf(bank));
        const auto on
            = [&road](const char* screen) { return road.window.findChild<QWidget*>(QString::fromLatin1(screen)); };
        const auto click = [](QWidget* screen, const char* name) {
            QTest::mouseClick(screen->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
            flushDeletes();
        };

        loadStartScreen(road.window);
        auto* exams = on("examselect")->findChild<QListWidget*>(QStringLiteral("List1"));
        QTest::mouseClick(exams->viewport(), Qt::LeftButton, {}, exams->visualItemRect(exams->item(1)).center());
        click(on("examselect"), "Command1");
        QTest::keyClicks(on("questionselect")->findChild<QLineEdit*>(QStringLiteral("Text2")), QStringLiteral("3"));
        click(on("questionselect"), "Command1");

        // On the first question shown the candidate ticks its one correct option; the rest stay blank.
        QWidget* examScreen = on("exam");
        QVERIFY(examScreen);
        const int first = Module1.QuestionOrder(1);
        const int option = bank[first - 1].correctOption(1);
        QTest::mouseClick(examScreen->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(option)), Qt::LeftButton);
        click(examScreen, "Command3");
        QCoreApplication::processEvents();
        flushDeletes();

        QVERIFY(road.screen() && road.screen()->isVisible());
        QVERIFY(!on("exam"));
        QVERIFY(!road.fakes.files.isOpen(FileNumber::Catalogue));
        QVERIFY(!road.fakes.files.isOpen(FileNumber::QuestionBank));
        QCOMPARE(road.lines(), (QStringList{ "Question 1  Correct", "Question 2 Incorrect", "Question 3 Incorrect" }));
        QCOMPARE(road.text("Text1"), QStringLiteral("1"));
        QCOMPARE(road.text("Text3"), QStringLiteral("4"));
        QCOMPARE(road.text("Text2"), QStringLiteral("2.8"));
        QCOMPARE(road.control<QLabel>("Label6")->text(), QStringLiteral("Fail"));
        QCOMPARE(road.fakes.recordFiles.contents(HistoryPath), scoreBytes(2, 4, 1, false));

        ReviewSeen seen;
        road.whenReviewShows(seen, Road::pressBack);
        road.clickLine(0);
        QCOMPARE(seen.question, bank[first - 1].Question);
        QCOMPARE(seen.yours, seen.correct);
        QCOMPARE(seen.correct.count(true), 1);

        click(road.screen(), "Command2");
        QVERIFY(!road.screen());
        QVERIFY(on("examselect") && on("examselect")->isVisible());
        QCOMPARE(road.window.menuTitles(), (QStringList{ "File", "Help" }));
        QCOMPARE(road.fakes.recordFiles.contents(HistoryPath).size(), ScoreRecord::Length);
    }
    void aTimeOutIsToldAndTheScoreStillSaved_data()
    {
        QTest::addColumn<bool>("timedOut");
        QTest::newRow("the time ran out") << true;
        QTest::newRow("the candidate ended the exam") << false;
    }

    void aTimeOutIsToldAndTheScoreStillSaved()
    {
        QFETCH(bool, timedOut);
        Road road;
        road.attemptScoring(3, 2);
        Module1.TimeRanOut = timedOut;
        road.finish();
        auto* line = road.control<QLabel>("timeOutLabel");
        QVERIFY(line);
        QCOMPARE(line->isVisible(), timedOut);
        QCOMPARE(line->text(), QStringLiteral("Time ran out."));
        QCOMPARE(road.fakes.recordFiles.contents(HistoryPath), scoreBytes(2, 3, 2, false));
    }

    // Record r of this bank has option (r - 1) mod 4 + 1 as its one correct option, so only the
    // drawn records themselves score the candidate's ticks as right.
    void aWholeBankAttemptIsScoredAndReviewedOnItsDrawnRecords()
    {
        Road road;
        CatalogueRecord exam;
        exam.ExamName = padded(QStringLiteral("Networks"), CatalogueRecord::ExamNameWidth);
        exam.BankFile = padded(QStringLiteral("network.dat"), CatalogueRecord::BankFileWidth);
        exam.QuestionTotal = 40;
        road.fakes.recordFiles.setFile(IndexPath, CatalogueRecord().toBytes() + exam.toBytes());
        QList<QuestionRecord> bank;
        for (int r = 1; r <= 40; ++r)
            bank.append(question(r, { std::int16_t((r - 1) % 4 + 1), 0, 0, 0 }));
        road.fakes.recordFiles.setFile(BankPath, bytesOf(bank));
        const auto on
            = [&road](const char* screen) { return road.window.findChild<QWidget*>(QString::fromLatin1(screen)); };
        const auto click = [](QWidget* screen, const char* name) {
            QTest::mouseClick(screen->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
            flushDeletes();
        };

        loadStartScreen(road.window);
        auto* exams = on("examselect")->findChild<QListWidget*>(QStringLiteral("List1"));
        QTest::mouseClick(exams->viewport(), Qt::LeftButton, {}, exams->visualItemRect(exams->item(1)).center());
        click(on("examselect"), "Command1");
        QVERIFY(on("questionselect")->findChild<QCheckBox*>(QStringLiteral("wholeBankDraw"))->isChecked());
        QTest::keyClicks(on("questionselect")->findChild<QLineEdit*>(QStringLiteral("Text2")), QStringLiteral("3"));
        click(on("questionselect"), "Command1");

        QWidget* examScreen = on("exam");
        QVERIFY(examScreen);
        QVERIFY(Module1.DrawFromWholeBank);
        QVERIFY(std::max({ Module1.QuestionOrder(1), Module1.QuestionOrder(2), Module1.QuestionOrder(3) }) > 3);
        for (int p = 1; p <= 3; ++p) {
            const int option = bank[Module1.QuestionOrder(p) - 1].correctOption(1);
            QTest::mouseClick(examScreen->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(option)), Qt::LeftButton);
            click(examScreen, "Command1");
        }
        click(examScreen, "Command3");
        QCoreApplication::processEvents();
        flushDeletes();

        QCOMPARE(road.lines(), (QStringList{ "Question 1  Correct", "Question 2  Correct", "Question 3  Correct" }));
        QCOMPARE(road.text("Text1"), QStringLiteral("3"));
        QCOMPARE(road.fakes.recordFiles.contents(HistoryPath), scoreBytes(2, 3, 3, true));
        QVERIFY(!road.control<QLabel>("timeOutLabel")->isVisible());

        for (int row = 0; row < 3; ++row) {
            ReviewSeen seen;
            road.whenReviewShows(seen, Road::pressBack);
            road.clickLine(row);
            QCOMPARE(seen.question, bank[Module1.QuestionOrder(row + 1) - 1].Question);
            QCOMPARE(seen.yours, seen.correct);
        }
    }
};

int main(int argc, char** argv)
{
    platform::RuntimeApplication application(argc, argv);
    ResultsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "results_test.moc"
