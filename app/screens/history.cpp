#include "history.h"
#include "ui_history.h"

#include "chartloader.h"
#include "module1.h"
#include "screenhost.h"
#include "webaddresses.h"

#include "chart/plotvaneidentity.h"
#include "data/scorerecord.h"
#include "platform/automation/dispatch.h"
#include "platform/automation/fontobject.h"
#include "platform/automation/safearray.h"
#include "platform/conversions.h"
#include "platform/filetable.h"
#include "platform/messageboxes.h"
#include "platform/services.h"
#include "platform/webbrowser.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QResizeEvent>
#include <QStringList>
#include <QVBoxLayout>

namespace quizmark {

namespace {

using platform::InvokeKind;
using platform::Variant;

constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Blue = 0xFF0000;
constexpr std::int32_t Red = 0x0000FF;

std::shared_ptr<platform::FontObject> formFont()
{
    return std::make_shared<platform::FontObject>(QStringLiteral("MS Sans Serif"), 8.25);
}

}

history::history(ScreenHost& host, ChartLoader& charts, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::history>())
    , m_host(host)
{
    m_ui->setupUi(this);
    connect(m_ui->Command1, &QPushButton::clicked, this, &history::Command1_Click);
    connect(m_ui->Picture1, &BannerPicture::clicked, this,
        [this] { m_host.services().web.open(QString::fromLatin1(WebAddress::HistoryBanner)); });
    if (!placeChart(charts)) {
        setProperty(ScreenHost::RefusedProperty, true);
        return;
    }
    platform::RecordFile& scores = m_host.services().files.open(
        FileNumber::ScoreHistory, Module1.ResultsFilePath, ScoreRecord::Length, platform::RecordAccess::ReadWrite);
    const std::shared_ptr<platform::SafeArray> data = readChartData(scores, Module1.SelectedExam);
    configureChart(Plotvane1->dispatch(), data);
    if (QWidget* chart = Plotvane1->widget()) {
        chart->setAccessibleName(QStringLiteral("Exam history chart"));
        chart->setAccessibleDescription(chartDescription(*data));
    }
    m_ui->Command1->setFocus(Qt::OtherFocusReason);
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
    QString problem;
    Plotvane1 = charts.create(m_ui->chartArea, savedChartProperties(), m_host.services().messages, problem);
    if (!Plotvane1) {
        m_host.services().messages.MsgBox(
            QStringLiteral("The score history chart cannot be shown: the chart library could not be loaded.\n%1\n\n%2")
                .arg(charts.libraryPath(), problem),
            platform::MsgBoxStyle::Exclamation);
        return false;
    }
    if (QWidget* chart = Plotvane1->widget()) {
        chart->setObjectName(QStringLiteral("Plotvane1"));
        m_ui->chartLayout->addWidget(chart);
        // The chart draws only when told to, at the size it has then, so it gets its place first;
        // a hidden widget would hear of its new size only once shown.
        resize(sizeHint().expandedTo(size()));
        layout()->activate();
        m_ui->chartLayout->activate();
        chart->setFixedSize(chart->size());
        QResizeEvent placed(chart->size(), QSize());
        QCoreApplication::sendEvent(chart, &placed);
    }
    return true;
}

std::shared_ptr<platform::SafeArray> history::readChartData(platform::RecordFile& scores, std::int16_t exam)
{
    // A counted fragment at the end reads as its bytes followed by zeros, as the file layer reads it.
    const std::int16_t records = ScoreRecord::count(scores.length());
    std::int16_t n = 0;
    for (std::int16_t r = 1; r <= records; ++r)
        if (ScoreRecord::read(scores, r).ExamNumber == exam)
            ++n;

    auto data = std::make_shared<platform::SafeArray>(0, 2, 0, n);
    (*data)(1, 0) = std::int16_t(0);
    (*data)(2, 0) = std::int16_t(0);
    n = 0;
    for (std::int16_t r = 1; r <= records; ++r) {
        const ScoreRecord record = ScoreRecord::read(scores, r);
        if (record.ExamNumber != exam)
            continue;
        ++n;
        (*data)(1, n) = record.Score;
        (*data)(2, n) = record.MaximumScore / 100.0 * 70.0;
    }
    return data;
}

void history::configureChart(platform::Dispatch& chart, const std::shared_ptr<platform::SafeArray>& data)
{
    using namespace plotvane;
    platform::invoke(chart, DispChartType, InvokeKind::PropertyPut, { std::int32_t(ChartTypes::Line) });
    platform::invoke(chart, DispRegisterData, InvokeKind::Method, { data });
    platform::invoke(chart, DispRefresh, InvokeKind::Method);
    platform::invoke(chart, DispBackColor, InvokeKind::PropertyPut, { White });
    platform::invoke(chart, DispSetSeriesOptions, InvokeKind::Method,
        { std::int16_t(0), Blue, QStringLiteral("Your Score") });
    platform::invoke(chart, DispSetSeriesOptions, InvokeKind::Method,
        { std::int16_t(1), Red, QStringLiteral("Passing Score") });
    platform::invoke(chart, DispTitle, InvokeKind::PropertyPut, { QStringLiteral("Exam History") });
    platform::invoke(chart, DispLowScale, InvokeKind::PropertyPut, { 0.0 });
    platform::invoke(chart, DispVerticalTickInterval, InvokeKind::PropertyPut, { std::int16_t(1) });
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

}
