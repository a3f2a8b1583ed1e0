#include "mdiform1.h"
#include "module1.h"
#include "screens/exam.h"
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
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
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

// The contrast of two colours as the web's accessibility guidelines reckon it, 1 to 21.
double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return std::max(la, lb) / std::min(la, lb);
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
    QString line;
    bool previousEnabled = false;
    bool nextEnabled = false;
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
            CatalogueRecord exam;
            exam.ExamName = padded(QStringLiteral("Networks"), CatalogueRecord::ExamNameWidth);
            exam.BankFile = padded(QStringLiteral("network.dat"), CatalogueRecord::BankFileWidth);
            exam.QuestionTotal = std::int16_t(bank.size());
            fakes.recordFiles.setFile(IndexPath, CatalogueRecord().toBytes() + exam.toBytes());
            Module1 = AttemptState{};
            Module1.DataDirectory = DataDirectory;
            Module1.IndexFilePath = IndexPath;
            Module1.CurrentExam = exam;
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
                seen = look();
                leave(review());
            });
        }

        // The review on screen as the candidate sees it.
        ReviewSeen look()
        {
            QCoreApplication::processEvents(); // lays the screen out
            ReviewSeen seen;
            resultreview* form = review();
            {
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
                seen.line = form->findChild<QLabel*>(QStringLiteral("positionLabel"))->text();
                seen.previousEnabled = form->findChild<QPushButton*>(QStringLiteral("previousQuestion"))->isEnabled();
                seen.nextEnabled = form->findChild<QPushButton*>(QStringLiteral("nextQuestion"))->isEnabled();
            }
            return seen;
        }
        // Ends the exam on screen without further answers, confirming the question it asks.
        void endExam()
        {
            QWidget* exam = window.findChild<QWidget*>(QStringLiteral("exam"));
            QVERIFY(exam);
            QTest::mouseClick(exam->findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
            QCoreApplication::processEvents();
            flushDeletes();
        }
        void press(const QString& name)
        {
            QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton);
            QCoreApplication::processEvents();
            flushDeletes();
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
                    if (QString(item->text()).remove(u'&') == text)
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
        QTest::newRow("a link to a device outside dat") << "full"
                                                        << "outside the data directory";
        QTest::newRow("a link to a file outside dat") << "outside"
                                                      << "outside the data directory";
        QTest::newRow("a named pipe") << "pipe"
                                      << "not a regular file";
    }

    void aScoreHistoryOnDiskThatCannotTakeTheRecord()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir program;
        QVERIFY(QDir(program.path()).mkdir(QStringLiteral("dat")));
        const QString history = program.filePath(QStringLiteral("dat/results.dat"));
        const QString outside = program.filePath(QStringLiteral("outside.dat"));
        const QByteArray outsideBytes("kept as it was");
        if (kind == "folder") {
            QVERIFY(QDir().mkdir(history));
        } else if (kind == "pipe") {
            QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), { history }), 0);
        } else if (kind == "outside") {
            QFile file(outside);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(outsideBytes);
            file.close();
            QVERIFY(QFile::link(outside, history));
        } else if (!QFile::link(QStringLiteral("/dev/full"), history)) {
            QSKIP("no /dev/full to link to");
        }

        testing_support::FakeServices fakes(program.path());
        platform::DiskRecordFileSystem disk;
        platform::FileTable files(disk);
        platform::Services services{
            files,      fakes.settings, fakes.messages, fakes.random, fakes.web, fakes.programs, fakes.programDirectory,
            fakes.wait, fakes.printer,  fakes.registry, fakes.clock
        };
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
        if (kind == "outside") {
            QFile file(outside);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), outsideBytes);
        }
    }

    void aFullHistoryRefusesTheAppendAndKeepsEveryRecord_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("saved");
        QTest::newRow("32,766 records: the last one fits") << 32766 << true;
        QTest::newRow("32,767 records: full") << 32767 << false;
    }

    void aFullHistoryRefusesTheAppendAndKeepsEveryRecord()
    {
        QFETCH(int, records);
        QFETCH(bool, saved);
        Road road;
        QByteArray before;
        for (int r = 0; r < records; ++r)
            before += scoreBytes(1 + r % 3, 10, r % 11, false);
        road.fakes.recordFiles.setFile(HistoryPath, before);
        road.attemptScoring(10, 8);
        road.finish();
        const QByteArray after = road.fakes.recordFiles.contents(HistoryPath);
        QCOMPARE(after.left(before.size()), before);
        if (saved) {
            QVERIFY(road.fakes.messages.shown.empty());
            QCOMPARE(after.mid(before.size()), scoreBytes(2, 10, 8, true));
            return;
        }
        QCOMPARE(after.size(), before.size());
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
        const QString prompt = road.fakes.messages.shown[0].prompt;
        QVERIFY2(prompt.contains("could not be saved") && prompt.contains("32,767"), qPrintable(prompt));
        QCOMPARE(road.text("Text1"), QStringLiteral("8"));
    }

    void anAppendThatFailsAtAnyStepKeepsTheRecordsAndTheNextOneLands_data()
    {
        QTest::addColumn<int>("step");
        QTest::newRow("open") << int(testing_support::FakeRecordFileSystem::Step::Open);
        QTest::newRow("lock") << int(testing_support::FakeRecordFileSystem::Step::Lock);
        QTest::newRow("write") << int(testing_support::FakeRecordFileSystem::Step::Write);
        QTest::newRow("sync") << int(testing_support::FakeRecordFileSystem::Step::Sync);
    }

    // Three attempts in a row over a history of three records; the nth call of the step fails, for
    // every n the appends reach and one beyond.
    void anAppendThatFailsAtAnyStepKeepsTheRecordsAndTheNextOneLands()
    {
        using Step = testing_support::FakeRecordFileSystem::Step;
        QFETCH(int, step);
        constexpr int Attempts = 3;
        const QByteArray earlier = scoreBytes(1, 4, 4, true) + scoreBytes(2, 6, 1, false) + scoreBytes(3, 8, 8, true);
        for (int nth = 1; nth <= Attempts + 1; ++nth) {
            Road road;
            road.fakes.recordFiles.setFile(HistoryPath, earlier);
            road.fakes.recordFiles.failStep(Step(step), nth, HistoryPath);
            QByteArray expected = earlier;
            for (int attempt = 1; attempt <= Attempts; ++attempt) {
                road.attemptScoring(10, attempt);
                const std::size_t told = road.fakes.messages.shown.size();
                results* screen = road.finish();
                const bool failed = attempt == nth;
                // A record written but not confirmed on the device stays, and the candidate is told.
                if (!failed || Step(step) == Step::Sync)
                    expected += scoreBytes(2, 10, attempt, false);
                const QString where = QStringLiteral("fault at call %1, attempt %2").arg(nth).arg(attempt);
                QCOMPARE(road.fakes.recordFiles.contents(HistoryPath), expected);
                QVERIFY2(road.fakes.messages.shown.size() == told + (failed ? 1 : 0), qPrintable(where));
                if (failed)
                    QVERIFY2(road.fakes.messages.shown.back().prompt.contains("could not be saved"), qPrintable(where));
                QVERIFY(!road.fakes.files.isOpen(FileNumber::ScoreHistory));
                road.window.unloadScreen(screen);
                flushDeletes();
            }
            QCOMPARE(road.fakes.recordFiles.stepCount(Step(step), HistoryPath), Attempts);
        }
    }

    void aHistoryCutAtAnyByteKeepsItsWholeRecords_data()
    {
        QTest::addColumn<int>("length");
        for (int length = 0; length <= 3 * ScoreRecord::Length; ++length)
            QTest::newRow(qPrintable(QStringLiteral("%1 bytes").arg(length))) << length;
    }

    void aHistoryCutAtAnyByteKeepsItsWholeRecords()
    {
        QFETCH(int, length);
        const QByteArray whole = scoreBytes(1, 4, 4, true) + scoreBytes(2, 6, 1, false) + scoreBytes(3, 8, 8, true);
        const QByteArray cut = whole.left(length);
        const int wholeBytes = length / ScoreRecord::Length * ScoreRecord::Length;
        Road road;
        road.fakes.recordFiles.setFile(HistoryPath, cut);
        QByteArray lengthBefore = cut;
        for (int attempt = 1; attempt <= 2; ++attempt) {
            road.attemptScoring(10, attempt + 2);
            results* screen = road.finish();
            const int number = ScoreRecord::appendNumber(lengthBefore.size());
            const QByteArray after = road.fakes.recordFiles.contents(HistoryPath);
            QCOMPARE(after.left(wholeBytes), whole.left(wholeBytes));
            QCOMPARE(after.size(), number * ScoreRecord::Length);
            QCOMPARE(after.mid((number - 1) * ScoreRecord::Length), scoreBytes(2, 10, attempt + 2, false));
            QVERIFY(road.fakes.messages.shown.empty());
            lengthBefore = after;
            road.window.unloadScreen(screen);
            flushDeletes();
        }
    }

    void closingTheResultsByTheFrameTakesANewExam()
    {
        Road road;
        road.fakes.recordFiles.setFile(IndexPath, QByteArray(CatalogueRecord::Length, ' '));
        road.attemptScoring(2, 1);
        QPointer<results> screen = road.finish();
        road.window.subWindowOf(screen)->close();
        flushDeletes();
        QVERIFY(!screen);
        QWidget* selection = road.window.findChild<QWidget*>(QStringLiteral("examselect"));
        QVERIFY(selection);
        QVERIFY(selection->isVisible());
        QCOMPARE(road.fakes.recordFiles.contents(HistoryPath), scoreBytes(2, 2, 1, false));
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

    void theExamNameAndTheShareOfPointsAreShown_data()
    {
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("share");
        QTest::addColumn<bool>("retry");
        QTest::newRow("0 of 0") << 0 << 0 << "0 of 0 points" << false;
        QTest::newRow("5 of 14") << 14 << 5 << "5 of 14 points (36 %)" << true;
        QTest::newRow("14 of 14") << 14 << 14 << "14 of 14 points (100 %)" << false;
    }

    void theExamNameAndTheShareOfPointsAreShown()
    {
        QFETCH(int, maximum);
        QFETCH(int, score);
        QFETCH(QString, share);
        QFETCH(bool, retry);
        Road road;
        if (maximum == 0)
            road.attempt({ question(1, { 0, 0, 0, 0 }) }, { { 1, { 0, 0, 0, 0 } } });
        else
            road.attemptScoring(maximum, score);
        road.finish();
        auto* name = road.control<QLabel>("examName");
        auto* headline = road.control<QLabel>("Label6");
        QCOMPARE(name->text(), QStringLiteral("Networks"));
        QCOMPARE(name->textFormat(), Qt::PlainText);
        QVERIFY2(name->mapTo(road.screen(), QPoint()).y() < headline->mapTo(road.screen(), QPoint()).y(),
                 "the exam's name is the first line");
        auto* points = road.control<QLabel>("scoreShare");
        QCOMPARE(points->text(), share);
        QVERIFY(points->isVisible());
        QCOMPARE(road.control<QPushButton>("retryIncorrect")->isEnabled(), retry);
        QVERIFY(!road.control<QLabel>("practiceNote")->isVisible());
    }

    void passAndFailTakeThePalettesPositiveAndNegativeColours_data()
    {
        QTest::addColumn<bool>("passed");
        QTest::addColumn<bool>("darkFirst");
        QTest::newRow("pass, light then dark") << true << false;
        QTest::newRow("fail, light then dark") << false << false;
        QTest::newRow("pass, dark then light") << true << true;
        QTest::newRow("fail, dark then light") << false << true;
    }

    void passAndFailTakeThePalettesPositiveAndNegativeColours()
    {
        QFETCH(bool, passed);
        QFETCH(bool, darkFirst);
        QPalette light;
        light.setColor(QPalette::Window, QColor(0xef, 0xef, 0xef));
        light.setColor(QPalette::WindowText, Qt::black);
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x2a, 0x2a, 0x2a));
        dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));

        Road road;
        road.window.setPalette(darkFirst ? dark : light);
        road.attemptScoring(10, passed ? 8 : 3);
        road.finish();
        auto* headline = road.control<QLabel>("Label6");
        QCOMPARE(headline->text(), passed ? QStringLiteral("Pass") : QStringLiteral("Fail"));
        for (const QPalette* palette : { darkFirst ? &dark : &light, darkFirst ? &light : &dark }) {
            road.window.setPalette(*palette);
            QCoreApplication::processEvents();
            const QColor shown = headline->palette().color(headline->foregroundRole());
            const QColor window = headline->palette().color(QPalette::Window);
            QCOMPARE(window, palette->color(QPalette::Window));
            if (passed)
                QVERIFY2(shown.green() > shown.red() && shown.green() > shown.blue(), qPrintable(shown.name()));
            else
                QVERIFY2(shown.red() > shown.green() && shown.red() > shown.blue(), qPrintable(shown.name()));
            QVERIFY2(contrast(shown, window) >= 4.5, qPrintable(shown.name() + u' ' + window.name()));
        }
    }

    void aRetryAsksExactlyTheQuestionsThatWentWrongAndKeepsNoScore()
    {
        Road road;
        const QList<QuestionRecord> bank{ question(1, { 1, 0, 0, 0 }), question(2, { 2, 0, 0, 0 }),
                                          question(3, { 1, 3, 0, 0 }), question(4, { 4, 0, 0, 0 }),
                                          question(5, { 2, 0, 0, 0 }), question(6, { 3, 0, 0, 0 }) };
        // Records 6 and 2 answered right; 5 and 1 wrong; 3 only half right.
        road.attempt(bank,
                     { { 6, { 3, 0, 0, 0 } },
                       { 5, { 1, 0, 0, 0 } },
                       { 2, { 2, 0, 0, 0 } },
                       { 1, { 4, 0, 0, 0 } },
                       { 3, { 1, 0, 0, 0 } } });
        road.finish();
        const QByteArray history = road.fakes.recordFiles.contents(HistoryPath);
        QCOMPARE(history, scoreBytes(2, 6, 3, false));
        const auto drawn = [] {
            std::vector<int> records;
            for (int p = 1; p <= Module1.QuestionsToTake; ++p)
                records.push_back(Module1.QuestionOrder(p));
            std::sort(records.begin(), records.end());
            return records;
        };

        for (int round = 1; round <= 2; ++round) {
            road.press(QStringLiteral("retryIncorrect"));
            QVERIFY(!road.screen());
            auto* exam = road.window.findChild<quizmark::exam*>(QStringLiteral("exam"));
            QVERIFY(exam && exam->isVisible());
            QCOMPARE(Module1.QuestionsToTake, 3);
            QCOMPARE(drawn(), (std::vector<int>{ 1, 3, 5 }));
            QCOMPARE(exam->secondsLeft(), 3 * 60);
            QCOMPARE(Module1.Selections(1, 1), 0);

            road.endExam();
            QVERIFY(road.screen() && road.screen()->isVisible());
            QVERIFY(road.screen()->isPracticeRetry());
            auto* note = road.control<QLabel>("practiceNote");
            QVERIFY(note->isVisible());
            QCOMPARE(note->text(), QStringLiteral("Practice retry: not added to the score history."));
            QCOMPARE(road.lines(),
                     (QStringList{ "Question 1 Incorrect", "Question 2 Incorrect", "Question 3 Incorrect" }));
            QCOMPARE(road.control<QLabel>("scoreShare")->text(), QStringLiteral("0 of 4 points (0 %)"));
            QCOMPARE(road.fakes.recordFiles.contents(HistoryPath), history);
            QVERIFY(road.fakes.messages.shown.size() == std::size_t(round)); // only each End Exam question
        }

        // The history shows as it stands.
        road.press(QStringLiteral("Command1"));
        QVERIFY(road.history && road.history->isVisible());
        QCOMPARE(Module1.ResultsFilePath, HistoryPath);
        QCOMPARE(road.fakes.recordFiles.contents(HistoryPath), history);
        road.window.unloadScreen(road.history);
        road.window.showScreen(road.screen());
        flushDeletes();

        // The next whole attempt counts again.
        Module1.QuestionsToTake = 2;
        Module1.ExamMinutes = 2;
        QWidget* next = road.window.loadScreen(QStringLiteral("exam"));
        road.window.showScreen(next);
        road.window.unloadScreen(road.screen());
        flushDeletes();
        QCOMPARE(drawn(), (std::vector<int>{ 1, 2 }));
        road.endExam();
        QVERIFY(!road.screen()->isPracticeRetry());
        QVERIFY(!road.control<QLabel>("practiceNote")->isVisible());
        QCOMPARE(road.fakes.recordFiles.contents(HistoryPath), history + scoreBytes(2, 2, 0, false));
    }

    void aRetryTheExamCannotStartLeavesTheResults()
    {
        Road road;
        road.attemptScoring(3, 1);
        road.finish();
        road.fakes.recordFiles.setFile(BankPath, QByteArray()); // the bank went away meanwhile
        road.press(QStringLiteral("retryIncorrect"));
        QVERIFY(road.screen() && road.screen()->isVisible());
        QVERIFY(!road.window.findChild<QWidget*>(QStringLiteral("exam")));
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
        QCOMPARE(Module1.RetryCount, 0);
        QCOMPARE(Module1.QuestionsToTake, 3); // the results shown are still those of the whole attempt
        QCOMPARE(Module1.QuestionOrder(3), 3);
        QVERIFY(!road.fakes.files.isOpen(FileNumber::QuestionBank));
        QVERIFY(!road.fakes.files.isOpen(FileNumber::Catalogue));
    }

    void theReviewMovesThroughTheAttemptInOrder()
    {
        Road road;
        QuestionRecord wrapped = question(3, { 1, 0, 0, 0 });
        wrapped.Option2 = padded(QStringLiteral("A long answer that wraps ").repeated(9), QuestionRecord::OptionWidth);
        road.attempt({ question(1, { 1, 0, 0, 0 }), question(2, { 2, 4, 0, 0 }), wrapped },
                     { { 3, { 1, 0, 0, 0 } }, { 2, { 2, 0, 0, 0 } }, { 1, { 1, 0, 0, 0 } } });
        road.finish();

        std::vector<ReviewSeen> walk;
        road.fakes.wait.actions.push_back([&] {
            auto press = [&](const char* name) {
                QTest::mouseClick(road.review()->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
                walk.push_back(road.look());
            };
            walk.push_back(road.look());
            press("nextQuestion");
            press("nextQuestion"); // the last question: nothing further
            press("previousQuestion");
            press("previousQuestion");
            press("previousQuestion"); // the first question: nothing before it
            Road::pressBack(road.review());
        });
        road.clickLine(1);

        // Question 2 has two correct options and one of them ticked: one of its two points.
        const QStringList lines{
            "Question 2 of 3: Incorrect (1 of 2 points)", "Question 3 of 3: Correct", "Question 3 of 3: Correct",
            "Question 2 of 3: Incorrect (1 of 2 points)", "Question 1 of 3: Correct", "Question 1 of 3: Correct"
        };
        const QList<int> records{ 2, 1, 1, 2, 3, 3 };
        QCOMPARE(walk.size(), std::size_t(lines.size()));
        for (std::size_t i = 0; i < walk.size(); ++i) {
            const ReviewSeen& seen = walk[i];
            QCOMPARE(seen.line, lines[int(i)]);
            QCOMPARE(seen.question, question(records[int(i)], {}).Question);
            QVERIFY2(seen.level, qPrintable(seen.line));
            QCOMPARE(seen.previousEnabled, !seen.line.startsWith(QStringLiteral("Question 1 ")));
            QCOMPARE(seen.nextEnabled, !seen.line.startsWith(QStringLiteral("Question 3 ")));
        }
        QCOMPARE(walk[0].yours, (QList<bool>{ false, true, false, false }));
        QCOMPARE(walk[0].correct, (QList<bool>{ false, true, false, true }));
        QCOMPARE(walk[4].yours, (QList<bool>{ true, false, false, false }));
        QCOMPARE(walk[4].correct, (QList<bool>{ true, false, false, false }));
        QCOMPARE(walk[4].options[1], padded(QStringLiteral("A long answer that wraps ").repeated(9), 255));
        QVERIFY(!road.review());
        QVERIFY(road.screen()->isVisible());
        QVERIFY(!road.fakes.files.isOpen(FileNumber::QuestionBank));
    }

    void theReportIsSavedFromTheFileMenu_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("succeeds");
        QTest::newRow("saved") << "/home/c/report.pdf" << true;
        QTest::newRow("cancelled") << "" << true;
        QTest::newRow("not writable") << "/home/c/report.pdf" << false;
    }

    void theReportIsSavedFromTheFileMenu()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, succeeds);
        Road road;
        QuestionRecord marked = question(2, { 2, 0, 0, 0 });
        marked.Question = padded(QStringLiteral("Is <b>this</b> & that bold?"), QuestionRecord::QuestionWidth);
        road.attempt({ question(1, { 1, 3, 0, 0 }), marked }, { { 1, { 1, 3, 0, 0 } }, { 2, { 4, 0, 0, 0 } } });
        road.fakes.printer.pdfPath = chosen;
        road.fakes.printer.documentSaveSucceeds = succeeds;
        road.finish();
        QVERIFY(QTest::qWaitForWindowActive(&road.window));
        QAction* save = fileItem(road.window, "Save Report...");
        QVERIFY(save);
        QCOMPARE(save->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QTest::keyClick(&road.window, Qt::Key_S, Qt::ControlModifier);

        QCOMPARE(road.fakes.printer.suggestedNames, QStringList{ QStringLiteral("Networks 2026-03-14.pdf") });
        QCOMPARE(road.fakes.printer.dialogTitles, QStringList{ QStringLiteral("Save Report") });
        QVERIFY(road.fakes.printer.printed.empty());
        if (chosen.isEmpty() || !succeeds) {
            QVERIFY(road.fakes.printer.savedDocuments.empty());
            QCOMPARE(road.fakes.messages.shown.size(), std::size_t(succeeds ? 0 : 1));
            if (!succeeds)
                QCOMPARE(road.fakes.messages.shown[0].prompt,
                         QStringLiteral("The report could not be saved to:\n%1\n\ncannot write %1: Permission denied")
                             .arg(chosen));
            return;
        }
        QCOMPARE(road.fakes.printer.savedDocuments.size(), std::size_t(1));
        const auto& report = road.fakes.printer.savedDocuments[0];
        QCOMPARE(report.path, chosen);
        QCOMPARE(report.title, QStringLiteral("Networks"));
        const QStringList lines = report.text.split(QChar::ParagraphSeparator).join(u'\n').split(u'\n');
        QCOMPARE(lines.first(), QStringLiteral("Networks"));
        for (const QString& expected :
             { QStringLiteral("Fail"), QStringLiteral("Your Score: 2 of 3 points (67 %)"),
               QStringLiteral("Minimum Passing Score: 2.1"), QStringLiteral("Maximum Score: 3"),
               QStringLiteral("Question 1 of 2: Correct"), QStringLiteral("What does item 1 do?"),
               QStringLiteral("1. Answer 1 to item 1   [your answer] [correct answer]"),
               QStringLiteral("2. Answer 2 to item 1"), QStringLiteral("Because of item 1."),
               QStringLiteral("Question 2 of 2: Incorrect"), QStringLiteral("Is <b>this</b> & that bold?"),
               QStringLiteral("2. Answer 2 to item 2   [correct answer]"),
               QStringLiteral("4. Answer 4 to item 2   [your answer]"), QStringLiteral("Because of item 2.") })
            QVERIFY2(lines.contains(expected), qPrintable(expected + u'\n' + lines.join(u'\n')));
        QVERIFY2(lines.indexOf(QStringLiteral("Question 1 of 2: Correct"))
                     < lines.indexOf(QStringLiteral("Question 2 of 2: Incorrect")),
                 "the questions follow the attempt's order");
        // The candidate is told where the report went.
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
        QCOMPARE(road.fakes.messages.shown[0].prompt, QStringLiteral("The report was saved to:\n%1").arg(chosen));
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
