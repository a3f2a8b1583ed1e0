#include "questionstatistics.h"
#include "ui_questionstatistics.h"

#include "attemptjournal.h"
#include "attemptscore.h"
#include "bankfilepath.h"
#include "history.h"
#include "valuetickinterval.h"

#include "accessibletext.h"
#include "chartloader.h"
#include "chartplacement.h"
#include "module1.h"
#include "screenhost.h"

#include "chart/plotvaneidentity.h"
#include "data/bankdomains.h"
#include "data/questionrecord.h"
#include "platform/automation/dispatch.h"
#include "platform/automation/fontobject.h"
#include "platform/automation/safearray.h"
#include "platform/filetable.h"
#include "platform/messageboxes.h"
#include "platform/runtimeerror.h"
#include "platform/services.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QResizeEvent>
#include <QTableWidget>
#include <QTimeZone>

#include <algorithm>

namespace quizmark {

namespace {

using platform::InvokeKind;
using platform::Variant;

constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Blue = 0xFF0000;
constexpr std::int32_t Red = 0x0000FF;
constexpr double ScaleTop = 100.0;
// Record numbers are 16-bit: a bank longer than this is listed as far as they reach.
constexpr qint64 MostRecords = 32767;
// The domain lines shown without scrolling.
constexpr int DomainLinesShown = 3;
// Title above the plot and two lines of category labels below it take this many text heights.
constexpr int TextLinesBesidePlot = 3;
// What the legend and the value labels take of the chart's width besides their texts, in pixels.
constexpr double PlotMarginsBesideTexts = 40.0;

const QString ScoreLegend = QStringLiteral("Your Score");
const QString PassLegend = QStringLiteral("Passing Score (70 %)");
// The widest value label of a scale from 0 to 100.
const QString WidestValue = QStringLiteral("100");
// Category labels are month and day: the same width for every attempt.
const QString WidestDate = QStringLiteral("12-31");

// A text as wide as each column needs, column 0 first; the question takes the width that is left.
constexpr const char* ColumnWidths[QuestionStatisticsTable::ColumnCount]
    = { "32767", nullptr, "A typical domain", "Seen", "Right", "Share", "Box", "2026-12-31 23:59" };

QString dateLabel(const QDateTime& time, const QTimeZone& zone)
{
    const QDate day = time.toTimeZone(zone).date();
    return QString::asprintf("%02d-%02d", day.month(), day.day());
}

bool isNumberColumn(int column)
{
    using Key = QuestionStatisticsTable::SortKey;
    switch (QuestionStatisticsTable::keyOfColumn(column)) {
    case Key::Number:
    case Key::Seen:
    case Key::Right:
    case Key::Share:
    case Key::Box:
        return true;
    default:
        return false;
    }
}

} // namespace

questionstatistics::questionstatistics(ScreenHost& host, ChartLoader& charts, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::questionstatistics>())
    , m_host(host)
{
    m_ui->setupUi(this);
    QHeaderView* header = m_ui->questionTable->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(int(QuestionStatisticsTable::SortKey::Question) - 1, QHeaderView::Stretch);
    const QFontMetrics metrics(m_ui->questionTable->font());
    const int padding = 2 * metrics.averageCharWidth() + 8;
    for (int column = 0; column < QuestionStatisticsTable::ColumnCount; ++column)
        if (const char* widest = ColumnWidths[column])
            header->resizeSection(column, metrics.horizontalAdvance(QLatin1String(widest)) + padding);
    m_ui->questionTable->verticalHeader()->setDefaultSectionSize(metrics.height() + 6);

    connect(m_ui->backToHistory, &QPushButton::clicked, this, &questionstatistics::backToHistory);
    connect(m_ui->backToList, &QPushButton::clicked, this, &questionstatistics::backToList);
    connect(m_ui->showQuestion, &QPushButton::clicked, this,
            [this] { showQuestion(m_ui->questionTable->currentRow()); });
    // Enter and a double click both activate a row.
    connect(m_ui->questionTable, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { showQuestion(index.row()); });
    connect(m_ui->sortColumn, &QComboBox::currentIndexChanged, this, &questionstatistics::sortRows);
    connect(m_ui->sortDescending, &QCheckBox::toggled, this, &questionstatistics::sortRows);
    connect(header, &QHeaderView::sectionClicked, this, &questionstatistics::sortByColumn);

    const std::optional<BankDomains> domains = readBank();
    if (!domains)
        return;
    m_table.emplace(m_records, *domains, readJournal());
    fillDomains();
    fillTable(0);
    if (!placeChart(charts) || !showChart()) {
        setProperty(ScreenHost::RefusedProperty, true);
        return;
    }
    m_ui->questionTable->setFocus(Qt::OtherFocusReason);
}

questionstatistics::~questionstatistics() = default;

// The bank is read whole and closed again: the rows are the records it holds now, each one as many
// bytes as the journal fingerprinted when it was asked. No domains where it has none.
std::optional<BankDomains> questionstatistics::readBank()
{
    platform::FileTable& files = m_host.services().files;
    const BankFilePath bank(Module1.DataDirectory, Module1.CurrentExam.BankFile);
    if (!bank.isSafe()) {
        refuse(bank.problem());
        return std::nullopt;
    }
    bool opened = false;
    try {
        platform::RecordFile& file = files.open(FileNumber::QuestionBank, bank.path(), QuestionRecord::Length,
                                                platform::RecordAccess::ReadOnly);
        opened = true;
        const qint64 count = std::min(file.length() / QuestionRecord::Length, MostRecords);
        const QByteArray bytes = count > 0 ? file.readRecords(1, count) : QByteArray();
        files.close(FileNumber::QuestionBank);
        for (qint64 start = 0; start + QuestionRecord::Length <= bytes.size(); start += QuestionRecord::Length)
            m_records.push_back(bytes.mid(start, QuestionRecord::Length));
    } catch (const platform::RuntimeError& error) {
        if (opened)
            files.close(FileNumber::QuestionBank);
        refuse(QStringLiteral("%1\n\n%2")
                   .arg(bank.path(),
                        error.number() == platform::ErrorNumber::FileNotFound
                            ? QStringLiteral("The file was not found.")
                            : error.message()));
        return std::nullopt;
    }
    return BankDomains::read(files, FileNumber::BankDomains, bank.path());
}

// A journal that is missing or cannot be read leaves every question never seen and the chart empty.
QuestionStatistics questionstatistics::readJournal()
{
    AttemptJournal* journal = m_host.journal();
    if (!journal || !journal->isUsable())
        return {};
    m_shares = AttemptShares::of(journal->finishedAttempts(Module1.SelectedExam));
    return journal->statistics(Module1.CurrentExam.bankFileName());
}

void questionstatistics::refuse(const QString& reason)
{
    setProperty(ScreenHost::RefusedProperty, true);
    m_host.services().messages.MsgBox(
        QStringLiteral("The question statistics cannot be shown: the question bank of this exam cannot be read.\n%1")
            .arg(reason),
        platform::MsgBoxStyle::Exclamation);
}

// The list shows whole lines, as many as there are up to a few; more scroll.
void questionstatistics::fillDomains()
{
    QListWidget* list = m_ui->domainSummary;
    list->clear();
    list->addItems(m_table->domainLines());
    AccessibleText::nameEntries(list);
    list->setCurrentRow(0);
    const int shown = std::clamp(list->count(), 1, DomainLinesShown);
    const int line = std::max(list->sizeHintForRow(0), list->fontMetrics().height());
    list->setFixedHeight(shown * line + 2 * list->frameWidth());
    // A bank without domains leaves the question more room.
    m_ui->questionTable->setColumnHidden(int(QuestionStatisticsTable::SortKey::Domain) - 1, !m_table->hasDomains());
}

// The rows in the table's order; the row of that question stays current, the first where it is 0.
void questionstatistics::fillTable(std::int16_t currentNumber)
{
    QTableWidget* table = m_ui->questionTable;
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const std::vector<QuestionStatisticsRow>& rows = m_table->rows();
    table->setUpdatesEnabled(false);
    table->clearContents();
    table->setRowCount(int(rows.size()));
    int current = 0;
    for (int r = 0; r < int(rows.size()); ++r) {
        const QStringList cells = QuestionStatisticsTable::cells(rows[std::size_t(r)], zone);
        for (int column = 0; column < QuestionStatisticsTable::ColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (isNumberColumn(column))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, column, item);
        }
        if (rows[std::size_t(r)].number == currentNumber)
            current = r;
    }
    table->setUpdatesEnabled(true);
    if (!rows.empty())
        table->setCurrentCell(current, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

std::int16_t questionstatistics::currentNumber() const
{
    const int row = m_ui->questionTable->currentRow();
    if (!m_table || row < 0 || row >= int(m_table->rows().size()))
        return 0;
    return m_table->rows()[std::size_t(row)].number;
}

void questionstatistics::sortRows()
{
    if (!m_table)
        return;
    const auto key = QuestionStatisticsTable::SortKey(m_ui->sortColumn->currentIndex());
    const bool descending = m_ui->sortDescending->isChecked();
    const std::int16_t current = currentNumber();
    m_table->sort(key, descending);
    fillTable(current);
    QHeaderView* header = m_ui->questionTable->horizontalHeader();
    header->setSortIndicatorShown(key != QuestionStatisticsTable::SortKey::Misses);
    header->setSortIndicator(int(key) - 1, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

// A click on a column's header sorts by it, ascending; a second click turns the order round.
void questionstatistics::sortByColumn(int column)
{
    const int key = int(QuestionStatisticsTable::keyOfColumn(column));
    const QSignalBlocker blockKey(m_ui->sortColumn);
    const QSignalBlocker blockOrder(m_ui->sortDescending);
    if (m_ui->sortColumn->currentIndex() == key) {
        m_ui->sortDescending->setChecked(!m_ui->sortDescending->isChecked());
    } else {
        m_ui->sortColumn->setCurrentIndex(key);
        m_ui->sortDescending->setChecked(false);
    }
    sortRows();
}

void questionstatistics::showQuestion(int row)
{
    if (!m_table || row < 0 || row >= int(m_table->rows().size()))
        return;
    const QuestionStatisticsRow& shown = m_table->rows()[std::size_t(row)];
    const QuestionRecord record = QuestionRecord::fromBytes(m_records.at(std::size_t(shown.number - 1)));
    const QString text = QuestionStatisticsTable::detailText(record, shown, QTimeZone::systemTimeZone());
    m_ui->questionHeading->setText(QuestionStatisticsTable::heading(shown));
    m_ui->questionDetail->setPlainText(text);
    AccessibleText::nameAfter(m_ui->questionDetail, text);
    m_ui->pages->setCurrentWidget(m_ui->questionPage);
    m_ui->questionDetail->setFocus(Qt::OtherFocusReason);
}

void questionstatistics::backToList()
{
    m_ui->pages->setCurrentWidget(m_ui->tablePage);
    m_ui->questionTable->setFocus(Qt::OtherFocusReason);
}

bool questionstatistics::placeChart(ChartLoader& charts)
{
    m_chart = ChartPlacement::load(charts, m_ui->chartArea, history::savedChartProperties(), m_host.services().messages,
                                   QStringLiteral("The question statistics cannot be shown"));
    if (!m_chart)
        return false;
    if (QWidget* chart = m_chart->widget()) {
        chart->setObjectName(QStringLiteral("shareChart"));
        ChartPlacement::place(this, chart,
                              { layout(), m_ui->pages->layout(), m_ui->tablePageLayout, m_ui->chartLayout });
    }
    return true;
}

bool questionstatistics::showChart()
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const std::shared_ptr<platform::SafeArray> data = chartData(m_shares, zone);
    const QFontMetricsF metrics(
        platform::FontObject::from(history::savedChartProperties().read(QStringLiteral("Font"), {}))->toQFont());
    const double axisHeight = m_ui->chartArea->height() - TextLinesBesidePlot * metrics.height();
    const double plotWidth = m_ui->chartArea->width() - metrics.horizontalAdvance(PassLegend)
        - metrics.horizontalAdvance(WidestValue) - PlotMarginsBesideTexts;
    const int step = AttemptShares::labelStep(data->upperBound(2) + 1, plotWidth, metrics.horizontalAdvance(WidestDate),
                                              metrics.height());
    try {
        configureChart(m_chart->dispatch(), data, ValueTickInterval::forScale(ScaleTop, axisHeight, metrics.height()),
                       static_cast<std::int16_t>(step));
        if (QWidget* chart = m_chart->widget()) {
            chart->setAccessibleName(QStringLiteral("Score in percent chart"));
            chart->setAccessibleDescription(chartDescription(m_shares, zone));
        }
    } catch (const platform::RuntimeError& error) {
        m_host.services().messages.MsgBox(
            QStringLiteral("The question statistics chart could not be drawn.\n\n%1").arg(error.message()),
            platform::MsgBoxStyle::Exclamation);
        return false;
    }
    return true;
}

std::shared_ptr<platform::SafeArray> questionstatistics::chartData(const std::vector<AttemptShare>& shares,
                                                                   const QTimeZone& zone)
{
    const int count = int(shares.size());
    if (count == 0) {
        auto data = std::make_shared<platform::SafeArray>(0, 1, 0, 1);
        (*data)(1, 0) = AttemptShares::PassPercent;
        (*data)(1, 1) = AttemptShares::PassPercent;
        return data;
    }
    const int points = std::max(count, 2);
    auto data = std::make_shared<platform::SafeArray>(0, 2, 0, points - 1);
    for (int point = 0; point < points; ++point) {
        const AttemptShare& share = shares[std::size_t(std::min(point, count - 1))];
        if (point < count)
            (*data)(0, point) = dateLabel(share.ended, zone);
        (*data)(1, point) = share.percent;
        (*data)(2, point) = AttemptShares::PassPercent;
    }
    return data;
}

void questionstatistics::configureChart(platform::Dispatch& chart, const std::shared_ptr<platform::SafeArray>& data,
                                        std::int16_t tickInterval, std::int16_t labelStep)
{
    using namespace plotvane;
    const bool scores = data->upperBound(1) >= 2;
    platform::invoke(chart, DispChartType, InvokeKind::PropertyPut, { std::int32_t(ChartTypes::Line) });
    platform::invoke(chart, DispRegisterData, InvokeKind::Method, { data });
    platform::invoke(chart, DispLowScale, InvokeKind::PropertyPut, { 0.0 });
    platform::invoke(chart, DispHighScale, InvokeKind::PropertyPut, { ScaleTop });
    platform::invoke(chart, DispBackColor, InvokeKind::PropertyPut, { White });
    if (scores) {
        platform::invoke(chart, DispSetSeriesOptions, InvokeKind::Method, { std::int16_t(0), Blue, ScoreLegend });
        platform::invoke(chart, DispSetSeriesOptions, InvokeKind::Method, { std::int16_t(1), Red, PassLegend });
    } else {
        platform::invoke(chart, DispSetSeriesOptions, InvokeKind::Method, { std::int16_t(0), Red, PassLegend });
    }
    platform::invoke(chart, DispTitle, InvokeKind::PropertyPut, { QStringLiteral("Exam Attempts in Percent") });
    platform::invoke(chart, DispVerticalTickInterval, InvokeKind::PropertyPut, { tickInterval });
    platform::invoke(chart, DispHorizontalTickFrequency, InvokeKind::PropertyPut, { labelStep });
    platform::invoke(chart, DispDisplayLegend, InvokeKind::PropertyPut, { true });
    platform::invoke(chart, DispRefresh, InvokeKind::Method);
}

QString questionstatistics::chartDescription(const std::vector<AttemptShare>& shares, const QTimeZone& zone)
{
    if (shares.empty())
        return QStringLiteral("No exam attempts with a date yet. Passing score 70 %.");
    QStringList lines;
    for (std::size_t n = 0; n < shares.size(); ++n)
        lines.append(QStringLiteral("Attempt %1, %2: %3.")
                         .arg(n + 1)
                         .arg(QuestionStatisticsTable::dateTimeText(shares[n].ended, zone),
                              AttemptScore::shareText(shares[n].score, shares[n].maximumScore)));
    lines.append(QStringLiteral("Passing score 70 %."));
    return lines.join(u' ');
}

void questionstatistics::backToHistory()
{
    leave();
    m_host.unloadScreen(this);
}

// The score history stayed loaded, hidden, as it was; it comes back with its own focus.
void questionstatistics::leave()
{
    if (m_left)
        return;
    m_left = true;
    m_host.hideScreen(this);
    if (auto* scoreHistory = m_host.window()->findChild<history*>(QStringLiteral("history")))
        scoreHistory->returnFromStatistics();
}

void questionstatistics::closeEvent(QCloseEvent* event)
{
    leave();
    event->accept();
}

void questionstatistics::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_ui->pages->currentWidget() == m_ui->questionPage)
            backToList();
        else
            backToHistory();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace quizmark
