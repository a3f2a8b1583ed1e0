#include "history.h"
#include "ui_history.h"

#include "attemptjournal.h"
#include "attemptscore.h"
#include "bankfilepath.h"
#include "resultreview.h"
#include "valuetickinterval.h"

#include "accessibletext.h"
#include "chartloader.h"
#include "chartplacement.h"
#include "module1.h"
#include "screenhost.h"
#include "webaddresses.h"

#include "chart/plotvaneidentity.h"
#include "data/scorerecord.h"
#include "platform/automation/dispatch.h"
#include "platform/automation/fontobject.h"
#include "platform/automation/safearray.h"
#include "platform/conversions.h"
#include "platform/eventwait.h"
#include "platform/filetable.h"
#include "platform/messageboxes.h"
#include "platform/runtimeerror.h"
#include "platform/services.h"
#include "platform/webbrowser.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QListWidget>
#include <QPointer>
#include <QResizeEvent>
#include <QStringList>
#include <QTimeZone>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <unordered_set>
#include <vector>

namespace quizmark {

namespace {

using platform::InvokeKind;
using platform::Variant;

constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Blue = 0xFF0000;
constexpr std::int32_t Red = 0x0000FF;
// The top of an empty chart's scale: the axes need a range to stand on.
constexpr double EmptyScaleTop = 1.0;
// Title above the plot and two lines of category labels below it take this many text heights.
constexpr int TextLinesBesidePlot = 3;

std::shared_ptr<platform::FontObject> formFont()
{
    return std::make_shared<platform::FontObject>(QStringLiteral("MS Sans Serif"), 8.25);
}

} // namespace

history::history(ScreenHost& host, ChartLoader& charts, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::history>())
    , m_host(host)
{
    m_ui->setupUi(this);
    connect(m_ui->Command1, &QPushButton::clicked, this, &history::Command1_Click);
    connect(m_ui->Picture1, &BannerPicture::clicked, this,
            [this] { m_host.services().web.open(QString::fromLatin1(WebAddress::HistoryBanner)); });
    connect(m_ui->pastAttempts, &QListWidget::itemActivated, this, &history::openPastAttempt);
    connect(m_ui->questionStatistics, &QPushButton::clicked, this, &history::openStatistics);
    if (!placeChart(charts) || !showScores()) {
        setProperty(ScreenHost::RefusedProperty, true);
        return;
    }
    listPastAttempts();
    m_ui->Command1->setFocus(Qt::OtherFocusReason);
}

// The zone comes in once for the whole list: asking the system for each line costs more than the rest.
QString history::pastAttemptLine(const PastAttempt& attempt, const QTimeZone& zone)
{
    const QDateTime local = attempt.ended.toTimeZone(zone);
    const QDate day = local.date();
    const QTime time = local.time();
    QString line = QStringLiteral("%1 \u00b7 %2 \u00b7 %3")
                       .arg(QString::asprintf("%04d-%02d-%02d %02d:%02d", day.year(), day.month(), day.day(),
                                              time.hour(), time.minute()),
                            AttemptScore::shareText(attempt.end.score, attempt.end.maximumScore),
                            attempt.end.passed ? QStringLiteral("Pass") : QStringLiteral("Fail"));
    if (attempt.kind == AttemptKind::PracticeRetry)
        line += QStringLiteral(" \u00b7 Practice");
    else if (attempt.kind == AttemptKind::WeakPractice)
        line += QStringLiteral(" \u00b7 Weak-question practice");
    if (attempt.study)
        line += QStringLiteral(" \u00b7 Study mode");
    return line;
}

QString history::earlierAttemptLine(const ScoreRecord& record)
{
    return QStringLiteral("Earlier attempt \u00b7 %1 \u00b7 %2")
        .arg(AttemptScore::shareText(record.Score, record.MaximumScore),
             record.Passed ? QStringLiteral("Pass") : QStringLiteral("Fail"));
}

// The journal's attempts, newest first, then the score records from before the journal, which
// hold no answers to open.
void history::listPastAttempts()
{
    QStringList lines;
    std::vector<qint64> ids;
    std::unordered_set<qint64> journaledRecords;
    if (AttemptJournal* journal = m_host.journal()) {
        const QTimeZone zone = QTimeZone::systemTimeZone();
        for (const PastAttempt& attempt : journal->finishedAttempts(Module1.SelectedExam)) {
            lines.append(pastAttemptLine(attempt, zone));
            ids.push_back(attempt.id);
            if (attempt.end.scoreRecord > 0)
                journaledRecords.insert(attempt.end.scoreRecord);
        }
    }
    platform::FileTable& files = m_host.services().files;
    if (files.isOpen(FileNumber::ScoreHistory)) {
        platform::RecordFile& scores = files.file(FileNumber::ScoreHistory);
        const std::vector<ScoreRecord> all = ScoreRecord::readFirst(scores, ScoreRecord::count(scores.length()));
        for (qint64 number = qint64(all.size()); number >= 1; --number) {
            const ScoreRecord& record = all[std::size_t(number - 1)];
            if (record.ExamNumber == Module1.SelectedExam && !journaledRecords.count(number)) {
                lines.append(earlierAttemptLine(record));
                ids.push_back(0);
            }
        }
    }
    m_ui->pastAttempts->addItems(lines);
    for (int row = 0; row < int(ids.size()); ++row)
        m_ui->pastAttempts->item(row)->setData(Qt::UserRole, ids[std::size_t(row)]);
    AccessibleText::nameEntries(m_ui->pastAttempts);
}

// The review shows the attempt from the journal, its questions as they were asked, and the
// history waits for it as the results screen waits for its own.
void history::openPastAttempt(QListWidgetItem* item)
{
    AttemptJournal* journal = m_host.journal();
    const qint64 id = item ? item->data(Qt::UserRole).toLongLong() : 0;
    if (!journal || id == 0 || m_pastReview)
        return;
    const std::optional<JournaledAttempt> found = journal->attempt(id);
    if (!found)
        return;
    m_pastReview = std::make_unique<PastReview>();
    found->restoreInto(m_pastReview->attempt);
    m_pastReview->attempt.JournalId = 0;
    m_pastReview->ended = found->end.ended;
    QPointer<QWidget> review = m_host.loadScreen(QStringLiteral("resultreview"));
    auto* shown = qobject_cast<resultreview*>(review.data());
    if (!shown)
        throw platform::RuntimeError(platform::ErrorNumber::ObjectRequired, QStringLiteral("resultreview"));
    const QPointer<history> self(this);
    m_host.hideScreen(this);
    m_host.showScreen(review);
    shown->ReviewDone = false;
    ScreenHost* host = &m_host;
    m_host.services().wait.waitUntil([&] {
        return !self || !review || qobject_cast<resultreview*>(review.data())->ReviewDone || host->programEnded();
    });
    if (!self || host->programEnded())
        return;
    m_pastReview.reset();
    if (review) {
        m_host.hideScreen(review);
        m_host.unloadScreen(review);
    }
    m_host.showScreen(this);
    m_ui->pastAttempts->setFocus(Qt::OtherFocusReason);
}

// The statistics take this screen's place; it stays loaded, hidden, and comes back as it was.
void history::openStatistics()
{
    QWidget* statistics = m_host.loadScreen(QStringLiteral("questionstatistics"));
    // A bank that cannot be read has been named; the history stays.
    if (statistics->property(ScreenHost::RefusedProperty).toBool()) {
        m_host.unloadScreen(statistics);
        return;
    }
    m_host.hideScreen(this);
    m_host.showScreen(statistics);
}

void history::returnFromStatistics()
{
    m_host.showScreen(this);
    m_ui->questionStatistics->setFocus(Qt::OtherFocusReason);
}

QString history::chartDescription(const platform::SafeArray& data)
{
    const int attempts = data.upperBound(2);
    if (attempts < 1)
        return QStringLiteral("No attempts at this exam yet.");
    QStringList lines;
    for (int n = 1; n <= attempts; ++n)
        lines.append(QStringLiteral("Attempt %1: your score %2, passing score %3.")
                         .arg(n)
                         .arg(platform::integerText(data(1, n).toInteger()))
                         .arg(platform::singleText(data(2, n).toSingle())));
    return lines.join(u' ');
}

history::~history() = default;

plotvane::PropertyBag history::savedChartProperties()
{
    plotvane::PropertyBag saved;
    saved.set(QStringLiteral("BorderStyle"), std::int16_t(1));
    saved.set(QStringLiteral("PlotPoints"), true);
    saved.set(QStringLiteral("Font"), Variant(std::shared_ptr<platform::AutomationObject>(formFont())));
    saved.set(QStringLiteral("TitleFont"), Variant(std::shared_ptr<platform::AutomationObject>(formFont())));
    return saved;
}

bool history::placeChart(ChartLoader& charts)
{
    Plotvane1 = ChartPlacement::load(charts, m_ui->chartArea, savedChartProperties(), m_host.services().messages,
                                     QStringLiteral("The score history chart cannot be shown"));
    if (!Plotvane1)
        return false;
    if (QWidget* chart = Plotvane1->widget()) {
        chart->setObjectName(QStringLiteral("Plotvane1"));
        ChartPlacement::place(this, chart, { layout(), m_ui->chartLayout });
    }
    return true;
}

// Every road out of here either shows the chart or has told the candidate why it cannot.
bool history::showScores()
{
    platform::Services& services = m_host.services();
    std::shared_ptr<platform::SafeArray> data;
    try {
        data = readScoreHistory();
    } catch (const platform::RuntimeError& error) {
        services.files.close(FileNumber::ScoreHistory);
        services.messages.MsgBox(QStringLiteral("The score history could not be read:\n%1\n\n%2")
                                     .arg(Module1.ResultsFilePath, error.message()),
                                 platform::MsgBoxStyle::Exclamation);
        return false;
    }
    try {
        configureChart(Plotvane1->dispatch(), data, valueTickInterval(*data));
        if (QWidget* chart = Plotvane1->widget()) {
            chart->setAccessibleName(QStringLiteral("Exam history chart"));
            chart->setAccessibleDescription(chartDescription(*data));
        }
    } catch (const platform::RuntimeError& error) {
        services.files.close(FileNumber::ScoreHistory);
        services.messages.MsgBox(
            QStringLiteral("The score history chart could not be drawn.\n\n%1").arg(error.message()),
            platform::MsgBoxStyle::Exclamation);
        return false;
    }
    return true;
}

// The screen only reads the history; one that does not exist yet holds no attempts.
std::shared_ptr<platform::SafeArray> history::readScoreHistory()
{
    platform::FileTable& files = m_host.services().files;
    const BankFilePath target = BankFilePath::inFolderOf(Module1.ResultsFilePath);
    if (!target.isSafe())
        throw platform::RuntimeError(platform::ErrorNumber::PathFileAccessError, target.problem());
    try {
        files.open(FileNumber::ScoreHistory, Module1.ResultsFilePath, ScoreRecord::Length,
                   platform::RecordAccess::ReadOnly);
    } catch (const platform::RuntimeError& error) {
        if (error.number() != platform::ErrorNumber::FileNotFound)
            throw;
        return newChartData(0);
    }
    return readChartData(files.file(FileNumber::ScoreHistory), Module1.SelectedExam);
}

std::shared_ptr<platform::SafeArray> history::newChartData(std::int16_t attempts)
{
    // A line needs two points: without attempts the chart still gets its frame from a second zero point.
    const int points = std::max<int>(attempts, 1);
    auto data = std::make_shared<platform::SafeArray>(0, 2, 0, points);
    (*data)(1, 0) = std::int16_t(0);
    (*data)(2, 0) = std::int16_t(0);
    if (attempts == 0) {
        (*data)(1, 1) = std::int16_t(0);
        (*data)(2, 1) = std::int16_t(0);
    }
    return data;
}

std::shared_ptr<platform::SafeArray> history::readChartData(platform::RecordFile& scores, std::int16_t exam)
{
    // A counted fragment at the end reads as its bytes followed by zeros, as the file layer reads it.
    // The counter is wider than the count, so a full file of 32,767 records ends the loop.
    // The whole file comes in one read.
    const std::vector<ScoreRecord> all = ScoreRecord::readFirst(scores, ScoreRecord::count(scores.length()));
    std::int16_t n = 0;
    for (const ScoreRecord& record : all)
        if (record.ExamNumber == exam)
            ++n;

    auto data = newChartData(n);
    n = 0;
    for (const ScoreRecord& record : all) {
        if (record.ExamNumber != exam)
            continue;
        ++n;
        (*data)(1, n) = record.Score;
        (*data)(2, n) = record.MaximumScore / 100.0 * 70.0;
    }
    return data;
}

double history::highestValue(const platform::SafeArray& data)
{
    double highest = 0;
    for (int row = 1; row <= data.upperBound(1); ++row)
        for (int point = data.lowerBound(2); point <= data.upperBound(2); ++point)
            highest = std::max(highest, data(row, point).toDouble());
    return highest;
}

std::int16_t history::valueTickInterval(const platform::SafeArray& data) const
{
    const QFontMetricsF metrics(formFont()->toQFont());
    const double labelHeight = metrics.height();
    const double axisHeight = m_ui->chartArea->height() - TextLinesBesidePlot * labelHeight;
    return ValueTickInterval::forScale(highestValue(data), axisHeight, labelHeight);
}

void history::configureChart(platform::Dispatch& chart, const std::shared_ptr<platform::SafeArray>& data,
                             std::int16_t tickInterval)
{
    using namespace plotvane;
    platform::invoke(chart, DispChartType, InvokeKind::PropertyPut, { std::int32_t(ChartTypes::Line) });
    platform::invoke(chart, DispRegisterData, InvokeKind::Method, { data });
    // Nothing above zero leaves the chart no scale; an empty one still shows its axes.
    if (!(highestValue(*data) > 0))
        platform::invoke(chart, DispHighScale, InvokeKind::PropertyPut, { EmptyScaleTop });
    platform::invoke(chart, DispRefresh, InvokeKind::Method);
    platform::invoke(chart, DispBackColor, InvokeKind::PropertyPut, { White });
    platform::invoke(chart, DispSetSeriesOptions, InvokeKind::Method,
                     { std::int16_t(0), Blue, QStringLiteral("Your Score") });
    platform::invoke(chart, DispSetSeriesOptions, InvokeKind::Method,
                     { std::int16_t(1), Red, QStringLiteral("Passing Score") });
    platform::invoke(chart, DispTitle, InvokeKind::PropertyPut, { QStringLiteral("Exam History") });
    platform::invoke(chart, DispLowScale, InvokeKind::PropertyPut, { 0.0 });
    platform::invoke(chart, DispVerticalTickInterval, InvokeKind::PropertyPut, { tickInterval });
    platform::invoke(chart, DispHorizontalTickFrequency, InvokeKind::PropertyPut, { std::int16_t(1) });
    platform::invoke(chart, DispDisplayLegend, InvokeKind::PropertyPut, { true });
    platform::invoke(chart, DispRefresh, InvokeKind::Method);
}

void history::Command1_Click()
{
    returnToResults();
    m_host.unloadScreen(this);
}

void history::returnToResults()
{
    if (m_returned)
        return;
    m_returned = true;
    m_host.hideScreen(this);
    if (QWidget* results = m_host.window()->findChild<QWidget*>(QStringLiteral("results")))
        m_host.showScreen(results);
    m_host.services().files.close(FileNumber::ScoreHistory);
}

void history::closeEvent(QCloseEvent* event)
{
    returnToResults();
    event->accept();
}

} // namespace quizmark
