#include "chartloader.h"
#include "mdiform1.h"
#include "module1.h"
#include "screens/history.h"
#include "screens/questionstatistics.h"
#include "startup.h"

#include "attempt/attemptjournal.h"
#include "chart/plotvaneidentity.h"
#include "data/questionrecord.h"
#include "platform/automation/dispatch.h"
#include "platform/automation/safearray.h"
#include "support/fakeservices.h"
#include "support/screentesting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace quizmark;
using platform::InvokeKind;
using platform::Variant;
using testing_support::flushDeletes;
using testing_support::padded;

namespace {

const QString DataDir = QStringLiteral("/quizmark/dat/");
const QString BankPath = DataDir + QStringLiteral("bank.dat");
const QDateTime Day0(QDate(2026, 12, 1), QTime(9, 30), Qt::UTC);

// Record r asks "Question r about the network", option 1 correct, explained "Because r".
QuestionRecord question(int r, const QString& stem = QStringLiteral("about the network"))
{
    QuestionRecord record;
    record.Question = padded(QStringLiteral("Question %1 %2").arg(r).arg(stem), QuestionRecord::QuestionWidth);
    for (int k = 1; k <= 4; ++k)
        record.option(k) = padded(QStringLiteral("Answer %1.%2").arg(r).arg(k), QuestionRecord::OptionWidth);
    record.CorrectOptions = { 1, 0, 0, 0 };
    record.Explanation = padded(QStringLiteral("Because %1").arg(r), QuestionRecord::ExplanationWidth);
    return record;
}

QByteArray bank(int count)
{
    QByteArray bytes;
    for (int r = 1; r <= count; ++r)
        bytes += question(r).toBytes();
    return bytes;
}

// Records answered in one finished attempt at exam 1: record number, its bytes as asked, fully right.
struct Asked
{
    int number;
    QByteArray bytes;
    bool right;
};

void finish(AttemptJournal& journal, AttemptKind kind, bool study, const QDateTime& ended,
            const std::vector<Asked>& asked)
{
    AttemptStart start;
    start.examNumber = 1;
    start.exam.ExamName = padded(QStringLiteral("Netexam"), CatalogueRecord::ExamNameWidth);
    start.exam.BankFile = padded(QStringLiteral("bank.dat"), CatalogueRecord::BankFileWidth);
    start.kind = kind;
    start.study = study;
    start.started = ended.addSecs(-300);
    start.examSeconds = 600;
    AttemptEnd end;
    for (const Asked& one : asked) {
        AskedQuestion question;
        question.recordNumber = static_cast<std::int16_t>(one.number);
        question.record = one.bytes;
        start.questions.push_back(question);
        end.fullyRight.push_back(one.right);
        end.score = static_cast<std::int16_t>(end.score + (one.right ? 1 : 0));
    }
    end.maximumScore = static_cast<std::int16_t>(asked.size());
    end.passed = end.score >= 0.7 * end.maximumScore;
    end.ended = ended;
    const qint64 id = journal.begin(start);
    QVERIFY(id > 0);
    QVERIFY(journal.finish(id, end));
}

// The journal the tests share: two timed attempts, a practice retry, a weak-question practice and a
// study attempt; record 3 was asked before it was edited.
void fillJournal(AttemptJournal& journal)
{
    const QByteArray r1 = question(1).toBytes();
    const QByteArray r2 = question(2).toBytes();
    const QByteArray r4 = question(4).toBytes();
    finish(journal, AttemptKind::Exam, false, Day0, { { 1, r1, false }, { 2, r2, true } });
    finish(journal, AttemptKind::Exam, false, Day0.addDays(1),
           { { 1, r1, false },
             { 3, question(3, QStringLiteral("before it was edited")).toBytes(), true },
             { 4, r4, true } });
    finish(journal, AttemptKind::PracticeRetry, false, Day0.addDays(2), { { 1, r1, true } });
    finish(journal, AttemptKind::WeakPractice, false, Day0.addDays(3), { { 1, r1, false } });
    finish(journal, AttemptKind::Exam, true, Day0.addDays(4), { { 2, r2, true } });
}

// A chart that only notes what it is told: each call's member, kind and arguments.
class RecordingChart : public plotvane::PlotvaneControl, public platform::Dispatch
{
public:
    struct Call
    {
        int dispid;
        InvokeKind kind;
        std::vector<Variant> arguments;
    };
    explicit RecordingChart(std::vector<Call>& calls)
        : m_calls(calls)
    {
    }
    QWidget* widget() override { return nullptr; }
    platform::Dispatch& dispatch() override { return *this; }
    plotvane::PropertyBag saveProperties() const override { return {}; }
    long GetIDsOfNames(const QString&, int&) const override { return platform::DispatchStatus::UnknownName; }
    long Invoke(int dispid, InvokeKind kind, std::vector<Variant>& arguments, Variant&,
                platform::ExceptionInfo&) override
    {
        m_calls.push_back({ dispid, kind, arguments });
        return platform::DispatchStatus::Ok;
    }

private:
    std::vector<Call>& m_calls;
};

class RecordingChartLoader : public ChartLoader
{
public:
    std::unique_ptr<plotvane::PlotvaneControl> create(QWidget*, const plotvane::PropertyBag&, platform::MessageBoxes&,
                                                      QString&) override
    {
        calls.clear();
        return std::make_unique<RecordingChart>(calls);
    }
    QString libraryPath() const override { return QStringLiteral("/quizmark/libplotvane.so"); }
    // What the chart made last was told.
    std::vector<RecordingChart::Call> calls;

    // The arguments of the calls to that member.
    std::vector<std::vector<Variant>> argumentsOf(int dispid) const
    {
        std::vector<std::vector<Variant>> found;
        for (const auto& call : calls)
            if (call.dispid == dispid)
                found.push_back(call.arguments);
        return found;
    }
    std::shared_ptr<platform::SafeArray> table() const
    {
        const auto registered = argumentsOf(plotvane::DispRegisterData);
        return registered.size() == 1 ? registered.front().front().toArray() : nullptr;
    }
};

} // namespace

class QuestionStatisticsTest : public QObject
{
    Q_OBJECT

    // The score history of exam 1 is up, as the results screen opened it.
    struct Road
    {
        testing_support::FakeServices fakes;
        MDIForm1 window{ fakes.services() };
        RecordingChartLoader charts;
        QPointer<QWidget> history;
        // Odd records are about addressing, even ones about routing; a bank without domains has no sidecar.
        explicit Road(AttemptJournal* journal, int records = 12, bool withDomains = true)
        {
            fakes.recordFiles.setFile(BankPath, bank(records));
            QByteArray domains;
            for (int r = 1; r <= records; ++r)
                domains += r % 2 ? "Addressing\n" : "Routing\n";
            if (withDomains)
                fakes.recordFiles.setFile(BankPath + QStringLiteral(".domains"), domains);
            window.setJournal(journal);
            registerScreens(window);
            window.registerScreen(QStringLiteral("history"),
                                  [this](ScreenHost& h) { return new quizmark::history(h, charts); });
            window.registerScreen(QStringLiteral("questionstatistics"),
                                  [this](ScreenHost& h) { return new questionstatistics(h, charts); });
            window.show();
            Module1 = AttemptState();
            Module1.DataDirectory = DataDir;
            Module1.ResultsFilePath = DataDir + QStringLiteral("results.dat");
            Module1.SelectedExam = 1;
            Module1.CurrentExam.ExamName = padded(QStringLiteral("Netexam"), CatalogueRecord::ExamNameWidth);
            Module1.CurrentExam.BankFile = padded(QStringLiteral("bank.dat"), CatalogueRecord::BankFileWidth);
            Module1.CurrentExam.QuestionTotal = static_cast<std::int16_t>(records);
            history = window.loadScreen(QStringLiteral("history"));
            window.showScreen(history);
        }
        ~Road()
        {
            flushDeletes();
            fakes.files.closeAll();
        }
        // Presses "Question Statistics" on the history; the statistics screen, or null when refused.
        questionstatistics* open()
        {
            QTest::mouseClick(history->findChild<QPushButton*>(QStringLiteral("questionStatistics")), Qt::LeftButton);
            flushDeletes();
            return window.findChild<questionstatistics*>(QStringLiteral("questionstatistics"));
        }
        template <typename T> static T* control(QWidget* screen, const char* name)
        {
            return screen->findChild<T*>(QLatin1String(name));
        }
    };

    static QStringList rowTexts(QTableWidget* table, int row)
    {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells.append(table->item(row, column)->text());
        return cells;
    }
    static QList<int> numbers(QTableWidget* table)
    {
        QList<int> shown;
        for (int row = 0; row < table->rowCount(); ++row)
            shown.append(table->item(row, 0)->text().toInt());
        return shown;
    }
    static QString local(const QDateTime& time)
    {
        return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    }

    QTemporaryDir m_dir;
    QString journalPath() const { return m_dir.filePath(QStringLiteral("journal.db")); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup()
    {
        flushDeletes();
        for (const char* suffix : { "", "-wal", "-shm" })
            QFile::remove(journalPath() + QLatin1String(suffix));
    }

    void theRowsShowTheJournalMostMissedFirstWithEachDomain()
    {
        AttemptJournal journal(journalPath());
        fillJournal(journal);
        Road road(&journal);
        questionstatistics* screen = road.open();
        QVERIFY(screen);
        QVERIFY(screen->isVisible());
        QVERIFY(!road.history->isVisible());
        QCOMPARE(screen->windowTitle(), QStringLiteral("Question Statistics"));
        QVERIFY(road.fakes.messages.shown.empty());
        QVERIFY(!road.fakes.files.isOpen(FileNumber::QuestionBank));
        QVERIFY(!road.fakes.files.isOpen(FileNumber::BankDomains));

        auto* table = Road::control<QTableWidget>(screen, "questionTable");
        QCOMPARE(table->rowCount(), 12);
        // Record 1: missed three times of four (the practice attempts count); 2 and 4 never missed;
        // 3 was answered before it was edited, so it stands with the questions never seen.
        QCOMPARE(numbers(table), (QList<int>{ 1, 2, 4, 3, 5, 6, 7, 8, 9, 10, 11, 12 }));
        const QString dash(QChar(0x2014));
        QCOMPARE(rowTexts(table, 0),
                 (QStringList{ "1", QStringLiteral("Question 1 about the network"), "Addressing", "4", "1", "25 %", "1",
                               local(Day0.addDays(3)) }));
        QCOMPARE(rowTexts(table, 1),
                 (QStringList{ "2", QStringLiteral("Question 2 about the network"), "Routing", "2", "2", "100 %", "3",
                               local(Day0.addDays(4)) }));
        QCOMPARE(rowTexts(table, 2),
                 (QStringList{ "4", QStringLiteral("Question 4 about the network"), "Routing", "1", "1", "100 %", "2",
                               local(Day0.addDays(1)) }));
        QCOMPARE(rowTexts(table, 3),
                 (QStringList{ "3", QStringLiteral("Question 3 about the network"), "Addressing", "0", "0", dash, dash,
                               dash }));
        QCOMPARE(table->currentRow(), 0);
        QCOMPARE(screen->focusWidget(), table);
        QVERIFY(!table->isColumnHidden(2));

        auto* domains = Road::control<QListWidget>(screen, "domainSummary");
        QStringList lines;
        for (int row = 0; row < domains->count(); ++row)
            lines.append(domains->item(row)->text());
        QCOMPARE(lines, (QStringList{ "Addressing: 6 questions, 25 % right", "Routing: 6 questions, 100 % right" }));
    }

    void aNumberColumnSortsAsNumbersFromTheKeyboard()
    {
        AttemptJournal journal(journalPath());
        fillJournal(journal);
        Road road(&journal);
        questionstatistics* screen = road.open();
        QVERIFY(screen);
        auto* table = Road::control<QTableWidget>(screen, "questionTable");
        auto* sortBy = Road::control<QComboBox>(screen, "sortColumn");
        auto* descending = Road::control<QCheckBox>(screen, "sortDescending");
        QCOMPARE(Road::control<QLabel>(screen, "sortLabel")->buddy(), sortBy);
        QCOMPARE(sortBy->currentText(), QStringLiteral("Misses"));
        QVERIFY(descending->isChecked());

        sortBy->setFocus();
        QTest::keyClick(sortBy, Qt::Key_Down);
        QCOMPARE(sortBy->currentText(), QStringLiteral("Number"));
        // 12, 11 and 10 before 9: as texts they would follow it.
        QCOMPARE(numbers(table), (QList<int>{ 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1 }));
        // The question that was current stays current.
        QCOMPARE(table->currentRow(), 11);
        QTest::keyClick(descending, Qt::Key_Space);
        QVERIFY(!descending->isChecked());
        QCOMPARE(numbers(table), (QList<int>{ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 }));
        QCOMPARE(table->currentRow(), 0);

        // Seen, ascending: the never-seen questions (0) first, then 1, 2 and 4 times.
        QTest::keyClick(sortBy, Qt::Key_Down);
        QTest::keyClick(sortBy, Qt::Key_Down);
        QTest::keyClick(sortBy, Qt::Key_Down);
        QCOMPARE(sortBy->currentText(), QStringLiteral("Seen"));
        QCOMPARE(numbers(table).mid(8), (QList<int>{ 12, 4, 2, 1 }));

        // A click on a column's header sorts by it, ascending, and a second click turns it round.
        QHeaderView* header = table->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
        QCOMPARE(sortBy->currentText(), QStringLiteral("Number"));
        QCOMPARE(numbers(table).front(), 1);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
        QVERIFY(descending->isChecked());
        QCOMPARE(numbers(table).front(), 12);
    }

    void enterShowsTheQuestionAndEscapeReturnsToItsRow()
    {
        AttemptJournal journal(journalPath());
        fillJournal(journal);
        Road road(&journal);
        questionstatistics* screen = road.open();
        QVERIFY(screen);
        auto* table = Road::control<QTableWidget>(screen, "questionTable");
        auto* pages = Road::control<QStackedWidget>(screen, "pages");
        auto* detail = Road::control<QPlainTextEdit>(screen, "questionDetail");
        table->setFocus();
        table->setCurrentCell(2, 0);
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("questionPage"));
        QCOMPARE(Road::control<QLabel>(screen, "questionHeading")->text(), QStringLiteral("Question 4 \u00b7 Routing"));
        QCOMPARE(detail->toPlainText(),
                 QStringLiteral("Seen 1 time, right 1 time (100 %), box 2, last seen %1.\n\n"
                                "Question 4 about the network\n\n"
                                "1. Answer 4.1 (correct answer)\n2. Answer 4.2\n3. Answer 4.3\n4. Answer 4.4\n\n"
                                "Explanation: Because 4")
                     .arg(local(Day0.addDays(1))));
        QCOMPARE(screen->focusWidget(), detail);
        QTest::keyClick(detail, Qt::Key_Escape);
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("tablePage"));
        QCOMPARE(screen->focusWidget(), table);
        QCOMPARE(table->currentRow(), 2);
        QVERIFY(screen->isVisible());

        // A double click opens a row too; "Back To List" returns.
        const QRect cell = table->visualItemRect(table->item(0, 1));
        // The first press of the two, then the double click as the test library sends it.
        QTest::mousePress(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("questionPage"));
        QVERIFY(detail->toPlainText().contains(QStringLiteral("Explanation: Because 1")));
        QTest::mouseClick(Road::control<QPushButton>(screen, "backToList"), Qt::LeftButton);
        QCOMPARE(table->currentRow(), 0);
        QCOMPARE(screen->focusWidget(), table);
    }

    void theChartShowsEachExamAttemptsShareAgainstThePassLine()
    {
        AttemptJournal journal(journalPath());
        fillJournal(journal);
        Road road(&journal);
        QVERIFY(road.open());
        // Only the two timed attempts: 1 of 2 and 2 of 3, oldest first, each against 70.
        const std::shared_ptr<platform::SafeArray> table = road.charts.table();
        QVERIFY(table);
        QCOMPARE(table->upperBound(1), 2);
        QCOMPARE(table->upperBound(2), 1);
        QCOMPARE((*table)(1, 0).toDouble(), 50.0);
        QCOMPARE((*table)(1, 1).toDouble(), 200.0 / 3);
        QCOMPARE((*table)(2, 0).toDouble(), 70.0);
        QCOMPARE((*table)(2, 1).toDouble(), 70.0);
        const auto dateOf = [](const QDateTime& time) {
            return time.toTimeZone(QTimeZone::systemTimeZone()).toString(QStringLiteral("MM-dd"));
        };
        QCOMPARE((*table)(0, 0).toString(), dateOf(Day0));
        QCOMPARE((*table)(0, 1).toString(), dateOf(Day0.addDays(1)));

        using namespace plotvane;
        QCOMPARE(road.charts.argumentsOf(DispChartType).front().front().toLong(), std::int32_t(ChartTypes::Line));
        QCOMPARE(road.charts.argumentsOf(DispLowScale).front().front().toDouble(), 0.0);
        QCOMPARE(road.charts.argumentsOf(DispHighScale).front().front().toDouble(), 100.0);
        const auto series = road.charts.argumentsOf(DispSetSeriesOptions);
        QCOMPARE(int(series.size()), 2);
        QCOMPARE(series[0][0].toInteger(), 0);
        QCOMPARE(series[0][2].toString(), QStringLiteral("Your Score"));
        QCOMPARE(series[1][0].toInteger(), 1);
        QCOMPARE(series[1][1].toLong(), 255);
        QCOMPARE(series[1][2].toString(), QStringLiteral("Passing Score (70 %)"));
        QVERIFY(road.charts.argumentsOf(DispDisplayLegend).front().front().toBoolean());
        QVERIFY(!road.charts.argumentsOf(DispTitle).front().front().toString().isEmpty());
        QCOMPARE(road.charts.calls.back().dispid, int(DispRefresh));
        // The table comes before the scale it is drawn on, and the drawing after both.
        QCOMPARE(road.charts.calls[1].dispid, int(DispRegisterData));

        const std::vector<AttemptShare> one{ { Day0, 3, 4, 75.0 } };
        const auto single = questionstatistics::chartData(one, QTimeZone::utc());
        // A line needs two points: a single attempt stands at both, labelled once.
        QCOMPARE(single->upperBound(2), 1);
        QCOMPARE((*single)(1, 1).toDouble(), 75.0);
        QCOMPARE((*single)(0, 0).toString(), QStringLiteral("12-01"));
        QCOMPARE((*single)(0, 1).type(), Variant::Type::Empty);
    }

    void withoutAJournalEveryQuestionIsNeverSeenAndTheChartHasOnlyThePassLine_data()
    {
        QTest::addColumn<bool>("journalGiven");
        QTest::newRow("no journal") << false;
        QTest::newRow("a journal that cannot be opened") << true;
    }

    void withoutAJournalEveryQuestionIsNeverSeenAndTheChartHasOnlyThePassLine()
    {
        QFETCH(bool, journalGiven);
        AttemptJournal unusable(m_dir.filePath(QStringLiteral("no such folder/journal.db")));
        Road road(journalGiven ? &unusable : nullptr, 3);
        questionstatistics* screen = road.open();
        QVERIFY(screen);
        QVERIFY(road.fakes.messages.shown.empty());
        auto* table = Road::control<QTableWidget>(screen, "questionTable");
        QCOMPARE(numbers(table), (QList<int>{ 1, 2, 3 }));
        const QString dash(QChar(0x2014));
        QCOMPARE(rowTexts(table, 0).mid(3), (QStringList{ "0", "0", dash, dash, dash }));
        QCOMPARE(Road::control<QListWidget>(screen, "domainSummary")->item(0)->text(),
                 QStringLiteral("Addressing: 2 questions, not seen yet"));
        const std::shared_ptr<platform::SafeArray> chart = road.charts.table();
        QVERIFY(chart);
        QCOMPARE(chart->upperBound(1), 1);
        QCOMPARE((*chart)(1, 0).toDouble(), 70.0);
        QCOMPARE((*chart)(1, 1).toDouble(), 70.0);
        const auto series = road.charts.argumentsOf(plotvane::DispSetSeriesOptions);
        QCOMPARE(int(series.size()), 1);
        QCOMPARE(series[0][2].toString(), QStringLiteral("Passing Score (70 %)"));
    }

    void backToHistoryEscapeAndTheFrameReturnToTheHistoryAsItWas_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Back To History") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("the window frame") << 2;
    }

    void backToHistoryEscapeAndTheFrameReturnToTheHistoryAsItWas()
    {
        QFETCH(int, way);
        AttemptJournal journal(journalPath());
        Road road(&journal, 3);
        const QByteArray before = road.fakes.recordFiles.contents(BankPath);
        QPointer<questionstatistics> screen = road.open();
        QVERIFY(screen);
        if (way == 0)
            QTest::mouseClick(Road::control<QPushButton>(screen, "backToHistory"), Qt::LeftButton);
        else if (way == 1)
            QTest::keyClick(Road::control<QTableWidget>(screen, "questionTable"), Qt::Key_Escape);
        else
            road.window.subWindowOf(screen)->close();
        flushDeletes();
        QVERIFY(!screen);
        QVERIFY(road.history->isVisible());
        QCOMPARE(road.history->focusWidget()->objectName(), QStringLiteral("questionStatistics"));
        QVERIFY(!road.fakes.files.isOpen(FileNumber::QuestionBank));
        QCOMPARE(road.fakes.recordFiles.contents(BankPath), before);
        // And again.
        QVERIFY(road.open());
    }

    void aBankThatCannotBeReadIsNamedAndTheHistoryStays_data()
    {
        QTest::addColumn<QString>("bankField");
        QTest::addColumn<QString>("named");
        QTest::newRow("a name outside the data folder")
            << QStringLiteral("../elsewhere.dat") << QStringLiteral("not a file name inside the data directory");
        QTest::newRow("a missing bank") << QStringLiteral("gone.dat") << QStringLiteral("The file was not found.");
    }

    void aBankThatCannotBeReadIsNamedAndTheHistoryStays()
    {
        QFETCH(QString, bankField);
        QFETCH(QString, named);
        Road road(nullptr, 3);
        Module1.CurrentExam.BankFile = padded(bankField, CatalogueRecord::BankFileWidth);
        QVERIFY(!road.open());
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
        QVERIFY2(road.fakes.messages.shown[0].prompt.contains(named), qPrintable(road.fakes.messages.shown[0].prompt));
        QVERIFY(road.history->isVisible());
        QVERIFY(!road.fakes.files.isOpen(FileNumber::QuestionBank));
    }

    // An 800 x 560 client area, as the other screens are held to; a bank without domains.
    void theScreenFitsASmallClientArea()
    {
        Road road(nullptr, 3, false);
        auto* area = road.window.findChild<QMdiArea*>(QStringLiteral("ClientArea"));
        road.window.setWindowState(Qt::WindowNoState);
        const QSize wanted(800, 560);
        for (int i = 0; i < 2; ++i) {
            road.window.resize(road.window.size() + wanted - area->viewport()->size());
            QCoreApplication::processEvents();
        }
        QCOMPARE(area->viewport()->size(), wanted);
        questionstatistics* screen = road.open();
        QVERIFY(screen);
        QCoreApplication::processEvents();
        QCOMPARE(Road::control<QListWidget>(screen, "domainSummary")->item(0)->text(),
                 QStringLiteral("All questions: 3 questions, not seen yet"));
        QVERIFY(Road::control<QTableWidget>(screen, "questionTable")->isColumnHidden(2));
        const QRect frame = road.window.subWindowOf(screen)->geometry();
        QVERIFY2(
            area->viewport()->rect().contains(frame),
            qPrintable(
                QStringLiteral("%1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())));
        for (const char* name : { "backToHistory", "showQuestion", "sortColumn", "questionTable", "chartArea" }) {
            auto* widget = Road::control<QWidget>(screen, name);
            const QRect place(widget->mapTo(area->viewport(), QPoint(0, 0)), widget->size());
            QVERIFY2(area->viewport()->rect().contains(place), name);
        }
    }
};

QTEST_MAIN(QuestionStatisticsTest)
#include "questionstatistics_test.moc"
