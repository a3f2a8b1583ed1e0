#include "attempt/attemptjournal.h"
#include "attempt/valuetickinterval.h"
#include "chartloader.h"
#include "data/questionrecord.h"
#include "mdiform1.h"
#include "module1.h"
#include "screens/history.h"
#include "startup.h"

#include "chart/plotvanefactory.h"
#include "chart/plotvaneidentity.h"
#include "data/scorerecord.h"
#include "platform/automation/dispatch.h"
#include "platform/automation/fontobject.h"
#include "platform/automation/safearray.h"
#include "platform/runtimeerror.h"
#include "support/fakeservices.h"
#include "support/screentesting.h"

#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPluginLoader>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace quizmark;
using platform::InvokeKind;
using platform::Variant;
using testing_support::flushDeletes;
using testing_support::padded;

namespace {

const QString ResultsPath = QStringLiteral("/quizmark/dat/results.dat");

QByteArray scores(const std::vector<std::array<int, 3>>& attempts) // exam, maximum, score
{
    QByteArray bytes;
    for (const auto& [exam, maximum, score] : attempts) {
        ScoreRecord record;
        record.ExamNumber = static_cast<std::int16_t>(exam);
        record.MaximumScore = static_cast<std::int16_t>(maximum);
        record.Score = static_cast<std::int16_t>(score);
        bytes += record.toBytes();
    }
    return bytes;
}

QString describe(const Variant& value)
{
    switch (value.type()) {
    case Variant::Type::Empty:
        return QStringLiteral("empty");
    case Variant::Type::Integer:
        return QStringLiteral("i2 ") + value.toString();
    case Variant::Type::Long:
        return QStringLiteral("i4 ") + value.toString();
    case Variant::Type::Double:
        return QStringLiteral("r8 ") + value.toString();
    case Variant::Type::String:
        return QStringLiteral("str ") + value.toString();
    case Variant::Type::Boolean:
        return value.toBoolean() ? QStringLiteral("bool True") : QStringLiteral("bool False");
    case Variant::Type::Array:
        return QStringLiteral("table");
    default:
        return QStringLiteral("other");
    }
}

// Passes every call on to the chart and notes it, arguments with their types.
class RecordingDispatch : public platform::Dispatch
{
public:
    RecordingDispatch(platform::Dispatch& inner, QStringList& calls,
                      std::vector<std::shared_ptr<platform::SafeArray>>& tables)
        : calls(calls)
        , tables(tables)
        , m_inner(inner)
    {
    }
    long GetIDsOfNames(const QString& name, int& dispid) const override { return m_inner.GetIDsOfNames(name, dispid); }
    long Invoke(int dispid, InvokeKind kind, std::vector<Variant>& arguments, Variant& result,
                platform::ExceptionInfo& exception) override
    {
        QStringList parts{ QString::number(dispid, 16), QString::number(int(kind)) };
        for (const Variant& argument : arguments)
            parts.append(describe(argument));
        calls.append(parts.join(u'|'));
        if (!arguments.empty() && arguments.front().type() == Variant::Type::Array)
            tables.push_back(arguments.front().toArray());
        if (dispid == failing) {
            exception = { 32007, QStringLiteral("PlotvaneProject.Plotvane"),
                          QStringLiteral("Error 6 plotting graph: Overflow") };
            return platform::DispatchStatus::Exception;
        }
        return m_inner.Invoke(dispid, kind, arguments, result, exception);
    }
    // A member that raises the chart's drawing error instead of running; 0 for none.
    int failing = 0;
    QStringList& calls;
    std::vector<std::shared_ptr<platform::SafeArray>>& tables;

private:
    platform::Dispatch& m_inner;
};

// The real chart library, loaded as the program loads it, drawing on a recording.
class RecordingChartLoader : public ChartLoader
{
public:
    class Control : public plotvane::PlotvaneControl
    {
    public:
        Control(std::unique_ptr<plotvane::PlotvaneControl> inner, RecordingChartLoader& loader)
            : m_inner(std::move(inner))
            , recorder(m_inner->dispatch(), loader.calls, loader.tables)
        {
        }
        QWidget* widget() override { return nullptr; }
        platform::Dispatch& dispatch() override { return recorder; }
        plotvane::PropertyBag saveProperties() const override { return m_inner->saveProperties(); }

    private:
        std::unique_ptr<plotvane::PlotvaneControl> m_inner;

    public:
        RecordingDispatch recorder;
    };

    std::unique_ptr<plotvane::PlotvaneControl> create(QWidget*, const plotvane::PropertyBag& saved,
                                                      platform::MessageBoxes& messages, QString& problem) override
    {
        if (fails) {
            problem = QStringLiteral("The file was not found.");
            return nullptr;
        }
        if (!factory) {
            loader.setFileName(libraryPath());
            factory = qobject_cast<plotvane::PlotvaneFactory*>(loader.instance());
        }
        savedGiven = saved;
        calls.clear();
        tables.clear();
        drawing.clear();
        auto control = std::make_unique<Control>(
            factory->createRecording(QSizeF(7200, 4800), &saved, messages, nullptr, &drawing, QSizeF(100, 200)), *this);
        control->recorder.failing = failing;
        return control;
    }
    QString libraryPath() const override
    {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/libplotvane.so");
    }

    bool fails = false;
    int failing = 0;
    QPluginLoader loader;
    plotvane::PlotvaneFactory* factory = nullptr;
    plotvane::PropertyBag savedGiven;
    QStringList drawing;
    // What the chart made last was asked, kept after the screen is gone.
    QStringList calls;
    std::vector<std::shared_ptr<platform::SafeArray>> tables;
};

} // namespace

class HistoryTest : public QObject
{
    Q_OBJECT

    struct Road
    {
        testing_support::FakeServices fakes;
        MDIForm1 window{ fakes.services() };
        RecordingChartLoader charts;
        QWidget* results = nullptr;
        Road()
        {
            registerScreens(window);
            window.registerScreen(QStringLiteral("history"), [this](ScreenHost& h) { return new history(h, charts); });
            Module1.ResultsFilePath = ResultsPath;
            results = new QWidget;
            results->setObjectName(QStringLiteral("results"));
            window.showScreen(results);
            window.show();
        }
        ~Road() { flushDeletes(); }
        // Opens the history as the results screen does.
        QPointer<QWidget> open(int exam)
        {
            Module1.SelectedExam = static_cast<std::int16_t>(exam);
            QWidget* screen = window.loadScreen(QStringLiteral("history"));
            if (screen->property(ScreenHost::RefusedProperty).toBool()) {
                window.unloadScreen(screen);
                return nullptr;
            }
            window.hideScreen(results);
            window.showScreen(screen);
            return screen;
        }
    };

    static QList<QString> row(const platform::SafeArray& data, int r)
    {
        QList<QString> cells;
        for (int p = data.lowerBound(2); p <= data.upperBound(2); ++p)
            cells.append(describe(data(r, p)));
        return cells;
    }

    static platform::SafeArray chartData(const QByteArray& bytes, int exam)
    {
        testing_support::FakeRecordFileSystem files;
        files.setFile(ResultsPath, bytes);
        auto file = files.open(ResultsPath, ScoreRecord::Length, platform::RecordAccess::ReadWrite);
        return *history::readChartData(*file, static_cast<std::int16_t>(exam));
    }

    // A finished attempt at exam 1 whose one question was asked with the given text.
    static qint64 journalAttempt(AttemptJournal& journal, const QString& asked, AttemptKind kind, QDateTime ended,
                                 std::int16_t score, qint64 scoreRecord)
    {
        AttemptStart start;
        start.examNumber = 1;
        start.exam.ExamName = padded(QStringLiteral("Alpha exam"), CatalogueRecord::ExamNameWidth);
        start.exam.BankFile = padded(QStringLiteral("bank.dat"), CatalogueRecord::BankFileWidth);
        start.kind = kind;
        start.started = ended.addSecs(-60);
        start.examSeconds = 60;
        QuestionRecord record;
        record.Question = padded(asked, QuestionRecord::QuestionWidth);
        record.Explanation = padded(QStringLiteral("As it was explained"), QuestionRecord::ExplanationWidth);
        record.CorrectOptions = { 1, 3, 0, 0 };
        AskedQuestion question;
        question.recordNumber = 1;
        question.record = record.toBytes();
        question.selection = { 1, 0, 0, 0 };
        start.questions.push_back(question);
        const qint64 id = journal.begin(start);
        AttemptEnd end;
        end.score = score;
        end.maximumScore = 2;
        end.passMark = 1.4f;
        end.passed = score >= 2;
        end.ended = ended;
        end.scoreRecord = scoreRecord;
        journal.finish(id, end);
        return id;
    }

private slots:
    // Attempts that add no score record say which kind they were, so their scores are not taken
    // for timed exams.
    void pastAttemptsNameWhatKindOfPracticeTheyWere()
    {
        PastAttempt attempt;
        attempt.ended = QDateTime(QDate(2026, 12, 9), QTime(14, 3), Qt::UTC);
        attempt.end.score = 1;
        attempt.end.maximumScore = 2;
        const QTimeZone utc = QTimeZone::utc();
        const QString start = QStringLiteral("2026-12-09 14:03 \u00b7 1 of 2 points (50 %) \u00b7 Fail");
        QCOMPARE(history::pastAttemptLine(attempt, utc), start);
        attempt.kind = AttemptKind::WeakPractice;
        QCOMPARE(history::pastAttemptLine(attempt, utc), start + QStringLiteral(" \u00b7 Weak-question practice"));
        attempt.study = true;
        QCOMPARE(history::pastAttemptLine(attempt, utc),
                 start + QStringLiteral(" \u00b7 Weak-question practice \u00b7 Study mode"));
        attempt.kind = AttemptKind::Exam;
        QCOMPARE(history::pastAttemptLine(attempt, utc), start + QStringLiteral(" \u00b7 Study mode"));
    }

    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void pastAttemptsListTheJournalNewestFirstThenEarlierRecordsAndOpenAsAsked()
    {
        QTemporaryDir dir;
        AttemptJournal journal(dir.filePath(QStringLiteral("journal.db")));
        Road road;
        road.window.setJournal(&journal);
        ScoreRecord earlier;
        earlier.ExamNumber = 1;
        earlier.MaximumScore = 10;
        earlier.Score = 7;
        earlier.Passed = true;
        road.fakes.recordFiles.setFile(ResultsPath, earlier.toBytes() + scores({ { 1, 2, 1 }, { 2, 5, 5 } }));
        const QDateTime first(QDate(2026, 12, 9), QTime(14, 3), Qt::UTC);
        journalAttempt(journal, QStringLiteral("Question as asked"), AttemptKind::Exam, first, 1, 2);
        journalAttempt(journal, QStringLiteral("Asked in practice"), AttemptKind::PracticeRetry, first.addDays(1), 2,
                       0);
        // The bank has been rebuilt since: the review must not read it.
        road.fakes.recordFiles.setFile(QStringLiteral("/quizmark/dat/bank.dat"), QByteArray(2030, 'z'));

        QPointer<QWidget> screen = road.open(1);
        QVERIFY(screen);
        auto* list = screen->findChild<QListWidget*>(QStringLiteral("pastAttempts"));
        QVERIFY(list);
        const auto local
            = [](const QDateTime& time) { return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")); };
        QStringList lines;
        for (int row = 0; row < list->count(); ++row)
            lines.append(list->item(row)->text());
        QCOMPARE(
            lines,
            (QStringList{
                local(first.addDays(1)) + QStringLiteral(" \u00b7 2 of 2 points (100 %) \u00b7 Pass \u00b7 Practice"),
                local(first) + QStringLiteral(" \u00b7 1 of 2 points (50 %) \u00b7 Fail"),
                QStringLiteral("Earlier attempt \u00b7 7 of 10 points (70 %) \u00b7 Pass"),
            }));

        QString shown;
        bool reportOffered = false;
        road.fakes.wait.actions.push_back([&] {
            QWidget* review = road.window.findChild<QWidget*>(QStringLiteral("resultreview"));
            QVERIFY(review);
            shown = review->findChild<QLabel*>(QStringLiteral("Label2"))->text().trimmed();
            reportOffered = review->findChild<QPushButton*>(QStringLiteral("saveReport"))->isVisible();
            QTest::mouseClick(review->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        });
        list->setCurrentRow(1);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(shown, QStringLiteral("Question as asked"));
        QVERIFY(reportOffered);
        QVERIFY(screen->isVisible());
        // An attempt from before the journal holds no answers to open.
        const int waits = road.fakes.wait.waits;
        list->setCurrentRow(2);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(road.fakes.wait.waits, waits);
    }

    void theFirstAttemptGivesAZeroPointAndOneMore()
    {
        const platform::SafeArray data = chartData(scores({ { 1, 10, 8 } }), 1);
        QCOMPARE(data.lowerBound(1), 0);
        QCOMPARE(data.upperBound(1), 2);
        QCOMPARE(row(data, 0), (QList<QString>{ "empty", "empty" }));
        QCOMPARE(row(data, 1), (QList<QString>{ "i2 0", "i2 8" }));
        QCOMPARE(row(data, 2), (QList<QString>{ "i2 0", "r8 7" }));
    }

    void onlyTheAttemptsAtTheExamCountWithTheirOwnPassMarks()
    {
        const platform::SafeArray data
            = chartData(scores({ { 2, 10, 5 }, { 1, 4, 4 }, { 2, 10, 7 }, { 3, 8, 1 }, { 2, 10, 9 } }), 2);
        QCOMPARE(row(data, 1), (QList<QString>{ "i2 0", "i2 5", "i2 7", "i2 9" }));
        QCOMPARE(row(data, 2), (QList<QString>{ "i2 0", "r8 7", "r8 7", "r8 7" }));
        const platform::SafeArray sizes = chartData(scores({ { 1, 3, 2 }, { 1, 25, 20 } }), 1);
        QCOMPARE(sizes(2, 1).toDouble(), 3 / 100.0 * 70);
        QCOMPARE(sizes(2, 2).toDouble(), 25 / 100.0 * 70);
        QCOMPARE(sizes(2, 1).toString(), QStringLiteral("2.1"));
        QCOMPARE(sizes(2, 2).toString(), QStringLiteral("17.5"));
    }

    void aDamagedTailCountsAsTheFileLayerReadsIt()
    {
        // 12 bytes count as 2 records; the second is its 4 bytes, then zeros.
        const platform::SafeArray data = chartData(scores({ { 1, 10, 6 } }) + QByteArray("\x01\x00\x0a\x00", 4), 1);
        QCOMPARE(row(data, 1), (QList<QString>{ "i2 0", "i2 6", "i2 0" }));
        QCOMPARE(row(data, 2), (QList<QString>{ "i2 0", "r8 7", "r8 7" }));
        // 11 bytes count as 1: the short tail is no record at all.
        const platform::SafeArray shorter = chartData(scores({ { 1, 10, 6 } }) + QByteArray("\x01\x00\x0a", 3), 1);
        QCOMPARE(shorter.upperBound(2), 1);
    }

    // How fast they are read is the history load benchmark's and the performance gate's to say.
    void thousandsOfAttemptsRead()
    {
        std::vector<std::array<int, 3>> many;
        for (int i = 0; i < 30000; ++i)
            many.push_back({ 1 + i % 3, 40, i % 41 });
        const QByteArray bytes = scores(many);
        const platform::SafeArray data = chartData(bytes, 2);
        QCOMPARE(data.upperBound(2), 10000);
        QCOMPARE(data(1, 10000).toInteger(), 29998 % 41);
    }

    void theChartIsConfiguredInOrderWithItsTypes()
    {
        Road road;
        road.fakes.recordFiles.setFile(ResultsPath, scores({ { 1, 10, 8 }, { 1, 10, 5 }, { 1, 10, 9 } }));
        QVERIFY(road.open(1));
        using namespace plotvane;
        auto hex = [](int id) { return QString::number(id, 16); };
        const QStringList expected{
            hex(DispChartType) + "|4|i4 1",
            hex(DispRegisterData) + "|1|table",
            hex(DispRefresh) + "|1",
            hex(DispBackColor) + "|4|i4 16777215",
            hex(DispSetSeriesOptions) + "|1|i2 0|i4 16711680|str Your Score",
            hex(DispSetSeriesOptions) + "|1|i2 1|i4 255|str Passing Score",
            hex(DispTitle) + "|4|str Exam History",
            hex(DispLowScale) + "|4|r8 0",
            hex(DispVerticalTickInterval) + "|4|i2 1",
            hex(DispHorizontalTickFrequency) + "|4|i2 1",
            hex(DispDisplayLegend) + "|4|bool True",
            hex(DispRefresh) + "|1",
        };
        QCOMPARE(road.charts.calls, expected);
        QCOMPARE(row(*road.charts.tables.front(), 1), (QList<QString>{ "i2 0", "i2 8", "i2 5", "i2 9" }));

        // The saved form: a border, points plotted, and the form's font for text and title.
        QCOMPARE(road.charts.savedGiven.read("borderstyle", {}).toInteger(), 1);
        QVERIFY(road.charts.savedGiven.read("PlotPoints", {}).toBoolean());
        auto font = platform::FontObject::from(road.charts.savedGiven.read("TitleFont", {}));
        QCOMPARE(font->Name, QStringLiteral("MS Sans Serif"));
        QCOMPARE(font->Size, 8.25);

        // What the chart drew: its title and both legend entries.
        const QString drawing = road.charts.drawing.join(u'\n');
        QVERIFY2(drawing.contains("\"Exam History\""), qPrintable(drawing));
        QVERIFY(drawing.contains("\"Your Score\""));
        QVERIFY(drawing.contains("\"Passing Score\""));
        QVERIFY(road.fakes.files.isOpen(FileNumber::ScoreHistory));
    }

    void returnToResultsBringsTheResultsBackAndWritesNothing()
    {
        Road road;
        const QByteArray before = scores({ { 1, 10, 8 } });
        road.fakes.recordFiles.setFile(ResultsPath, before);
        for (int visit = 0; visit < 2; ++visit) {
            QPointer<QWidget> screen = road.open(1);
            QVERIFY(screen);
            QCOMPARE(screen->windowTitle(), QStringLiteral("Results History"));
            QVERIFY(!road.results->isVisible());
            QTest::mouseClick(screen->findChild<QPushButton*>("Command1"), Qt::LeftButton);
            flushDeletes();
            QVERIFY(!screen);
            QVERIFY(road.results->isVisible());
            QVERIFY(!road.fakes.files.isOpen(FileNumber::ScoreHistory));
        }
        QCOMPARE(road.fakes.recordFiles.contents(ResultsPath), before);
        QCOMPARE(road.charts.tables.front()->upperBound(2), 1);
    }

    void closingTheFrameActsLikeReturnToResults()
    {
        Road road;
        road.fakes.recordFiles.setFile(ResultsPath, scores({ { 1, 10, 8 } }));
        QPointer<QWidget> screen = road.open(1);
        road.window.subWindowOf(screen)->close();
        flushDeletes();
        QVERIFY(!screen);
        QVERIFY(road.results->isVisible());
        QVERIFY(!road.fakes.files.isOpen(FileNumber::ScoreHistory));
        QVERIFY(road.open(1)); // the score history opens again
    }

    void aMissingChartLibraryIsNamedAndTheResultsStay()
    {
        Road road;
        road.charts.fails = true;
        road.fakes.recordFiles.setFile(ResultsPath, scores({ { 1, 10, 8 } }));
        QVERIFY(!road.open(1));
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
        QVERIFY(road.fakes.messages.shown[0].prompt.contains(road.charts.libraryPath()));
        QVERIFY(road.results->isVisible());
        QVERIFY(!road.fakes.files.isOpen(FileNumber::ScoreHistory));
    }

    void theBannerOpensTheHistoryLink()
    {
        Road road;
        road.fakes.recordFiles.setFile(ResultsPath, scores({ { 1, 10, 8 } }));
        QPointer<QWidget> screen = road.open(1);
        QTest::mouseClick(screen->findChild<QWidget*>("Picture1"), Qt::LeftButton);
        QCOMPARE(road.fakes.web.opened.size(), 1);
        QVERIFY(road.fakes.web.opened.front().contains("history"));
    }

    void everyCountTheFileCanHoldOpens_data()
    {
        QTest::addColumn<int>("records");
        QTest::newRow("one") << 1;
        QTest::newRow("32,766") << 32766;
        QTest::newRow("32,767, the most it holds") << 32767;
    }

    void everyCountTheFileCanHoldOpens()
    {
        QFETCH(int, records);
        Road road;
        std::vector<std::array<int, 3>> attempts(records, { 2, 10, 6 });
        attempts.back() = { 1, 10, 9 };
        road.fakes.recordFiles.setFile(ResultsPath, scores(attempts));
        QVERIFY(road.open(1));
        QVERIFY(road.fakes.messages.shown.empty());
        QCOMPARE(row(*road.charts.tables.front(), 1), (QList<QString>{ "i2 0", "i2 9" }));
        QTest::mouseClick(road.window.findChild<QWidget*>("history")->findChild<QPushButton*>("Command1"),
                          Qt::LeftButton);
        flushDeletes();
        QVERIFY(road.open(2));
        QCOMPARE(road.charts.tables.front()->upperBound(2), std::max(records - 1, 1));
    }

    // The most the file holds, every attempt at the one exam: the chart gets points 0 to 32,767
    // and draws them all.
    void aFullHistoryOfOneExamOpensAndDraws()
    {
        Road road;
        std::vector<std::array<int, 3>> attempts(32767, { 1, 10, 6 });
        attempts.back() = { 1, 10, 9 };
        road.fakes.recordFiles.setFile(ResultsPath, scores(attempts));
        QVERIFY(road.open(1));
        QVERIFY2(road.fakes.messages.shown.empty(),
                 qPrintable(road.fakes.messages.shown.empty() ? QString() : road.fakes.messages.shown[0].prompt));
        const platform::SafeArray& table = *road.charts.tables.front();
        QCOMPARE(table.upperBound(2), 32767);
        QCOMPARE(describe(table(1, 32767)), QStringLiteral("i2 9"));
        // The last Refresh drew the title, the legend and both lines to their last points.
        QVERIFY(road.charts.drawing.filter(QStringLiteral("\"Exam History\"")).size() == 1);
        QVERIFY(road.charts.drawing.filter(QStringLiteral("\"Passing Score\"")).size() == 1);
        QVERIFY(road.charts.drawing.size() > 2 * 32767);
    }

    void moreRecordsThanTheFileCanCountAreToldAndTheResultsStay()
    {
        Road road;
        road.fakes.recordFiles.setFile(ResultsPath, scores(std::vector<std::array<int, 3>>(32768, { 1, 10, 6 })));
        QVERIFY(!road.open(1));
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
        QVERIFY(road.fakes.messages.shown[0].prompt.contains(ResultsPath));
        QVERIFY(road.results->isVisible());
        QVERIFY(!road.fakes.files.isOpen(FileNumber::ScoreHistory));
    }

    void theHistoryIsOnlyRead()
    {
        Road road;
        const QByteArray before = scores({ { 1, 10, 8 } });
        road.fakes.recordFiles.setFile(ResultsPath, before);
        road.fakes.recordFiles.setReadOnly(ResultsPath);
        QVERIFY(road.open(1));
        QVERIFY(road.fakes.messages.shown.empty());
        QCOMPARE(road.fakes.recordFiles.contents(ResultsPath), before);
    }

    void nothingToScaleDrawsAnEmptyChartWithItsAxes_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QByteArray>("history");
        QTest::newRow("no history yet") << false << QByteArray();
        QTest::newRow("an empty history") << true << QByteArray();
        QTest::newRow("only other exams") << true << scores({ { 2, 10, 8 }, { 3, 4, 1 } });
        QTest::newRow("every maximum is 0") << true << scores({ { 1, 0, 0 }, { 1, 0, 0 } });
    }

    void nothingToScaleDrawsAnEmptyChartWithItsAxes()
    {
        QFETCH(bool, fileExists);
        QFETCH(QByteArray, history);
        Road road;
        if (fileExists)
            road.fakes.recordFiles.setFile(ResultsPath, history);
        QVERIFY(road.open(1));
        QVERIFY(road.fakes.messages.shown.empty());
        QCOMPARE(road.fakes.recordFiles.exists(ResultsPath), fileExists);
        const QString drawing = road.charts.drawing.join(u'\n');
        QVERIFY2(drawing.contains("\"Exam History\""), qPrintable(drawing));
        QVERIFY(drawing.contains("\"Passing Score\""));
        // The value axis is labelled from 0 up.
        QVERIFY2(drawing.contains("\"0\"") && drawing.contains("\"1\""), qPrintable(drawing));
        QCOMPARE(road.charts.tables.front()->lowerBound(2), 0);
        QVERIFY(road.charts.tables.front()->upperBound(2) >= 1);
    }

    void aHistoryThatCannotBeOpenedIsNamedAndTheResultsStay_data()
    {
        QTest::addColumn<int>("error");
        QTest::newRow("a folder") << platform::ErrorNumber::PathFileAccessError;
        QTest::newRow("no read permission") << platform::ErrorNumber::PermissionDenied;
        QTest::newRow("a device error") << platform::ErrorNumber::DeviceIoError;
    }

    void aHistoryThatCannotBeOpenedIsNamedAndTheResultsStay()
    {
        QFETCH(int, error);
        Road road;
        road.fakes.recordFiles.setOpenError(ResultsPath, error);
        QVERIFY(!road.open(1));
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
        const QString prompt = road.fakes.messages.shown[0].prompt;
        QVERIFY2(prompt.contains(ResultsPath), qPrintable(prompt));
        QVERIFY2(prompt.contains(platform::RuntimeError::standardMessage(error)), qPrintable(prompt));
        QVERIFY(road.results->isVisible());
        QVERIFY(!road.fakes.files.isOpen(FileNumber::ScoreHistory));
    }

    void aChartErrorIsShownAndTheResultsStay()
    {
        Road road;
        road.charts.failing = plotvane::DispRefresh;
        road.fakes.recordFiles.setFile(ResultsPath, scores({ { 1, 10, 8 } }));
        QVERIFY(!road.open(1));
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
        QVERIFY2(road.fakes.messages.shown[0].prompt.contains("Error 6 plotting graph: Overflow"),
                 qPrintable(road.fakes.messages.shown[0].prompt));
        QVERIFY(road.results->isVisible());
        QVERIFY(!road.fakes.files.isOpen(FileNumber::ScoreHistory));
        road.charts.failing = 0;
        QVERIFY(road.open(1));
    }

    void theValueLabelsStandClearOfEachOther_data()
    {
        QTest::addColumn<double>("highest");
        QTest::addColumn<double>("axisHeight");
        QTest::addColumn<double>("labelHeight");
        QTest::addColumn<int>("interval");
        QTest::newRow("ten in a tall chart") << 10.0 << 4800.0 << 195.0 << 1;
        QTest::newRow("55 in 320 pixels") << 55.0 << 320.0 << 13.0 << 5;
        QTest::newRow("exactly one label apart") << 20.0 << 260.0 << 13.0 << 1;
        QTest::newRow("just short of it") << 20.0 << 259.0 << 13.0 << 2;
        QTest::newRow("a pass mark of 17.5") << 17.5 << 100.0 << 13.0 << 5;
        QTest::newRow("hundreds") << 700.0 << 300.0 << 13.0 << 50;
        QTest::newRow("nothing to scale") << 0.0 << 300.0 << 13.0 << 1;
        QTest::newRow("no room at all") << 32767.0 << 0.0 << 13.0 << 20000;
    }

    void theValueLabelsStandClearOfEachOther()
    {
        QFETCH(double, highest);
        QFETCH(double, axisHeight);
        QFETCH(double, labelHeight);
        QFETCH(int, interval);
        QCOMPARE(int(ValueTickInterval::forScale(highest, axisHeight, labelHeight)), interval);
    }

    void aBigExamGetsAWiderValueStep()
    {
        Road road;
        road.fakes.recordFiles.setFile(ResultsPath, scores({ { 1, 400, 300 }, { 1, 400, 380 } }));
        QVERIFY(road.open(1));
        const QString step = road.charts.calls.filter(QString::number(plotvane::DispVerticalTickInterval, 16)).join("");
        QVERIFY2(!step.endsWith("|i2 1") && step.contains("|i2 "), qPrintable(step));
    }
};

QTEST_MAIN(HistoryTest)
#include "history_test.moc"
