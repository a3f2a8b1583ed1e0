// RegisterData plus Refresh of 16 series x 32,766 points with point markers on a 1000 x 700
// pixel surface, against QtCharts replacing the points of 16 line series and rendering its view.
#include "chartonimage.h"
#include "plotvaneidentity.h"
#include "workloads.h"

#include "platform/automation/safearray.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <cmath>

namespace {

using quizmark_bench::Workloads;
constexpr int Series = Workloads::ChartSeries;
constexpr int Points = Workloads::ChartPoints;
constexpr QSize Pixels(1000, 700);

void plotvaneChart(benchmark::State& state)
{
    const double ratio = double(state.range(0));
    quizmark_bench::ChartOnImage chart(Pixels, ratio);
    Workloads::setUpChart(chart.dispatch());
    const platform::Variant data(Workloads::chartTable());
    for (auto _ : state)
        Workloads::chartRefresh(chart, data);
}

void qtChartsChart(benchmark::State& state)
{
    const double ratio = double(state.range(0));
    auto* chart = new QChart;
    std::vector<QLineSeries*> series;
    std::vector<QList<QPointF>> points(Series);
    for (int s = 0; s < Series; ++s) {
        series.push_back(new QLineSeries);
        series.back()->setPointsVisible(true);
        chart->addSeries(series.back());
        for (int j = 0; j < Points; ++j)
            points[std::size_t(s)].append(QPointF(j, Workloads::chartValue(s, j)));
    }
    chart->createDefaultAxes();
    chart->axes(Qt::Horizontal).first()->setRange(0, Points - 1);
    chart->axes(Qt::Vertical).first()->setRange(0, 100);
    chart->legend()->hide();
    QChartView view(chart);
    view.setRenderHint(QPainter::Antialiasing, false);
    view.resize(Pixels);
    // The chart lays itself out only once its view has been shown.
    view.show();
    QCoreApplication::processEvents();
    QImage image(Pixels * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        for (int s = 0; s < Series; ++s)
            series[std::size_t(s)]->replace(points[std::size_t(s)]);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        view.render(&painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

void plotvaneRegisterOnly(benchmark::State& state)
{
    quizmark_bench::ChartOnImage chart(Pixels, 1);
    const platform::Variant data(Workloads::chartTable());
    for (auto _ : state)
        platform::invoke(chart.dispatch(), plotvane::DispRegisterData, platform::InvokeKind::Method, { data });
}
BENCHMARK(plotvaneRegisterOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(plotvaneChart)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(qtChartsChart)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
