#include "workloads.h"

#include "chartonimage.h"

#include "module1.h"
#include "screens/history.h"

#include "chart/plotvaneidentity.h"
#include "data/questionrecord.h"
#include "data/scorerecord.h"
#include "platform/automation/dispatch.h"
#include "platform/automation/safearray.h"
#include "platform/recordfile.h"

#include <QPainter>

#include <cmath>

#include <unistd.h>

namespace quizmark_bench {

using quizmark::QuestionRecord;

namespace {
constexpr int CorrectOptionsOffset = 1522;
constexpr int CorrectOptionsLength = 8;
} // namespace

std::int32_t Workloads::examStart(platform::RecordFile& bank, const quizmark::AttemptState& attempt)
{
    std::int32_t counted = 0;
    for (int n = 1; n <= attempt.QuestionsToTake; ++n)
        counted += QuestionRecord::correctCount(QuestionRecord::readCorrectOptions(bank, attempt.QuestionOrder(n)));
    const QuestionRecord shown = QuestionRecord::read(bank, attempt.QuestionOrder(1));
    return counted + std::int32_t(shown.Question.size());
}

std::int32_t Workloads::plainRead(int bank, const quizmark::AttemptState& attempt, bool firstRecord)
{
    std::int32_t read = 0;
    char options[CorrectOptionsLength];
    for (int n = 1; n <= attempt.QuestionsToTake; ++n) {
        const off_t offset = off_t(attempt.QuestionOrder(n) - 1) * QuestionRecord::Length + CorrectOptionsOffset;
        read += std::int32_t(::pread(bank, options, sizeof options, offset));
    }
    if (!firstRecord)
        return read;
    char record[QuestionRecord::Length];
    read += std::int32_t(
        ::pread(bank, record, sizeof record, off_t(attempt.QuestionOrder(1) - 1) * QuestionRecord::Length));
    return read;
}

quizmark::AttemptScore Workloads::scoring(platform::RecordFile& bank, const quizmark::AttemptState& attempt)
{
    return quizmark::AttemptScore::of(
        attempt, [&bank](std::int16_t number) { return QuestionRecord::readCorrectOptions(bank, number); });
}

std::shared_ptr<platform::SafeArray> Workloads::historyLoad(platform::RecordFileSystem& files, const QString& path,
                                                            ChartOnImage& chart)
{
    const std::unique_ptr<platform::RecordFile> scores
        = files.open(path, quizmark::ScoreRecord::Length, platform::RecordAccess::ReadOnly);
    auto data = quizmark::history::readChartData(*scores, 1);
    // Every value labelled, as a one-point step gives: the dearest the screen can ask for.
    quizmark::history::configureChart(chart.dispatch(), data, 1);
    chart.image();
    return data;
}

qint64 Workloads::historyPlainRead(int history, char* into, qint64 length)
{
    return ::pread(history, into, std::size_t(length), 0);
}

void Workloads::historyRefresh(ChartOnImage& chart)
{
    platform::invoke(chart.dispatch(), plotvane::DispRefresh, platform::InvokeKind::Method);
    chart.image();
}

void Workloads::bareTexts(QImage& image, int count)
{
    QPainter painter(&image);
    painter.setPen(Qt::black);
    const int rows = image.height() / 12;
    for (int i = 0; i < count; ++i)
        painter.drawText(QPointF(4 + (i / rows) % 10 * 40, 12 + i % rows * 12), QString::number(i));
}

double Workloads::chartValue(int series, int point)
{
    return 50 + 40 * std::sin(point * 0.002 * (series + 1) + series) + (point * 7919 % 17) * 0.5;
}

std::shared_ptr<platform::SafeArray> Workloads::chartTable()
{
    auto data = std::make_shared<platform::SafeArray>(0, ChartSeries, 0, ChartPoints - 1);
    for (int i = 1; i <= ChartSeries; ++i)
        for (int j = 0; j < ChartPoints; ++j)
            (*data)(i, j) = chartValue(i - 1, j);
    return data;
}

void Workloads::setUpChart(platform::Dispatch& chart)
{
    using platform::InvokeKind;
    platform::invoke(chart, plotvane::DispChartType, InvokeKind::PropertyPut, { std::int32_t(plotvane::Line) });
    platform::invoke(chart, plotvane::DispPlotPoints, InvokeKind::PropertyPut, { true });
    platform::invoke(chart, plotvane::DispVerticalTickInterval, InvokeKind::PropertyPut, { std::int16_t(10) });
}

void Workloads::chartRefresh(ChartOnImage& chart, const platform::Variant& data)
{
    platform::invoke(chart.dispatch(), plotvane::DispRegisterData, platform::InvokeKind::Method, { data });
    platform::invoke(chart.dispatch(), plotvane::DispRefresh, platform::InvokeKind::Method);
    chart.image();
}

} // namespace quizmark_bench
