#include "chartfixture.h"

#include "platform/runtimeerror.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

using namespace plotvane;
using chart_test::ChartFixture;
using platform::Variant;

namespace {

constexpr const char* Fore = "0x80000012";

QStringList toList(std::initializer_list<const char*> lines)
{
    QStringList list;
    for (const char* line : lines)
        list.append(QString::fromLatin1(line));
    return list;
}

// Runs Refresh and returns the error it raised.
platform::RuntimeError refreshError(ChartFixture& chart)
{
    try {
        chart.refresh();
    } catch (const platform::RuntimeError& error) {
        return error;
    }
    ADD_FAILURE() << "Refresh raised no error";
    return platform::RuntimeError(0);
}

} // namespace

// Surface 7200 x 4800, text lines 195 high, data 0 to 8, interval 2, five points, empty labels.
TEST(Refresh, WorkedExampleDrawsTicksFrameAndLines)
{
    ChartFixture chart;
    chart.put(DispChartType, ChartTypes::Line);
    chart.put(DispVerticalTickInterval, std::int16_t(2));
    chart.registerData(ChartFixture::table({ { 0, 2, 8, 4, 6 } }));
    chart.refresh();

    // Labels "0" to "8" are 100 wide: the frame starts at 120 + 100; points stand 1715 apart.
    const QStringList expected = toList({
        "cls 0x8000000F",
        "line 220 4410 280 4410 0x80000012",
        "print 60 4312.5 \"0\"",
        "line 220 3308 280 3308 0x80000012",
        "print 60 3210.5 \"2\"",
        "line 220 2205 280 2205 0x80000012",
        "print 60 2107.5 \"4\"",
        "line 220 1102 280 1102 0x80000012",
        "print 60 1004.5 \"6\"",
        "line 220 0 280 0 0x80000012",
        "print 60 -97.5 \"8\"",
        "box 220 0 7080 4410 0x80000012",
        "line 220 4410 220 4350 0x80000012",
        "line 1935 4410 1935 4350 0x80000012",
        "line 3650 4410 3650 4350 0x80000012",
        "line 5365 4410 5365 4350 0x80000012",
        "line 7080 4410 7080 4350 0x80000012",
        // 2 lies at 3292.5 - 15, rounded to even; 6 at 1087.5 to 1088.
        "line 1935 3307 220 4410 0x00000000",
        "line 3650 0 1935 3307 0x00000000",
        "line 5365 2205 3650 0 0x00000000",
        "line 7080 1103 5365 2205 0x00000000",
    });
    EXPECT_EQ(chart.log, expected);
    EXPECT_EQ(chart.get(DispHighScale).toDouble(), 8);
    EXPECT_EQ(chart.control.state().PlotRight, 7080);
    EXPECT_EQ(chart.control.state().PlotTop, 0);
}

TEST(Refresh, LowScaleBelowAMultipleStartsAtTheMultipleBelow)
{
    ChartFixture chart;
    chart.put(DispVerticalTickInterval, std::int16_t(2));
    chart.put(DispLowScale, -5.0);
    chart.registerData(ChartFixture::table({ { 0, 4 } }));
    chart.refresh();

    const QStringList ticks = chart.drawn(QStringLiteral("print"));
    ASSERT_EQ(ticks.size(), 6);
    EXPECT_TRUE(ticks.front().endsWith(QStringLiteral("\"-6\"")));
    EXPECT_TRUE(ticks.back().endsWith(QStringLiteral("\"4\"")));
    // -6 stands on the frame's bottom edge, 4 on its top; "-6" widens the frame's left to 320.
    EXPECT_TRUE(chart.log.contains(QStringLiteral("line 320 4410 380 4410 0x80000012")));
    EXPECT_TRUE(chart.log.contains(QStringLiteral("line 320 0 380 0 0x80000012")));
    EXPECT_EQ(chart.get(DispLowScale).toDouble(), -5);
}

TEST(Refresh, TopOfScaleBetweenTicksHasNoTick)
{
    ChartFixture chart;
    chart.registerData(ChartFixture::table({ { 1, 7.5, 3 } }));
    chart.refresh();

    EXPECT_EQ(chart.get(DispHighScale).toDouble(), 7.5);
    const QStringList ticks = chart.drawn(QStringLiteral("print"));
    ASSERT_EQ(ticks.size(), 8);
    EXPECT_TRUE(ticks.back().endsWith(QStringLiteral("\"7\"")));
    // 7 of 7.5 up a 4410 frame: 4410 - 4116.
    EXPECT_TRUE(chart.log.contains(QStringLiteral("line 220 294 280 294 0x80000012")));
}

TEST(Refresh, ScaleStaysWidenedAndSecondRefreshDrawsTheSame)
{
    ChartFixture chart;
    chart.registerData(ChartFixture::table({ { 1, 9 } }));
    chart.refresh();
    const QStringList first = chart.log;
    chart.registerData(ChartFixture::table({ { 1, 2 } }));
    chart.refresh();
    EXPECT_EQ(chart.get(DispHighScale).toDouble(), 9);
    chart.refresh();
    EXPECT_EQ(chart.drawn(QStringLiteral("print")), QStringList(first.filter(QStringLiteral("print"))));
}

TEST(Refresh, LegendRowsStandOneEmptyLineApart)
{
    ChartFixture chart;
    chart.put(DispDisplayLegend, true);
    chart.call(DispSetSeriesOptions, { std::int16_t(0), std::int32_t(0xFF0000), QStringLiteral("Your Score") });
    chart.call(DispSetSeriesOptions, { std::int16_t(1), std::int32_t(0x0000FF), QStringLiteral("Passing Score") });
    chart.registerData(ChartFixture::table({ { 1, 2 }, { 2, 1 } }));
    chart.refresh();

    // The wider legend text (1300) leaves 180 at the right: LegendLeft 5720, the block of four
    // lines of 315 centred from 1770.
    const QStringList legend = chart.log.mid(1, 4);
    EXPECT_EQ(legend,
              toList({
                  "fill 5720 2032.5 5780 2092.5 0x00FF0000",
                  "print 5840 1965 \"Your Score\"",
                  "fill 5720 2422.5 5780 2482.5 0x000000FF",
                  "print 5840 2355 \"Passing Score\"",
              }));
    EXPECT_EQ(chart.control.state().PlotRight, 5540);
}

TEST(Refresh, LegendWithoutSeriesOnlyMovesTheFrame)
{
    ChartFixture chart;
    chart.put(DispDisplayLegend, true);
    chart.put(DispHighScale, 4.0);
    chart.put(DispChartType, ChartTypes::Line);
    auto labelsOnly = std::make_shared<platform::SafeArray>(0, 0, 0, 2);
    chart.registerData(labelsOnly);
    chart.refresh();
    EXPECT_EQ(chart.control.state().PlotRight, 7200 - 180);
    EXPECT_TRUE(chart.drawn(QStringLiteral("fill")).isEmpty());
}

TEST(Refresh, TitleMovesTheFrameBelowItsLine)
{
    ChartFixture chart;
    chart.put(DispTitle, QStringLiteral("Scores"));
    chart.registerData(ChartFixture::table({ { 1, 2 } }));
    chart.refresh();
    EXPECT_EQ(chart.log.at(1), QStringLiteral("print 3300 0 \"Scores\""));
    EXPECT_EQ(chart.control.state().PlotTop, 195);
    EXPECT_EQ(chart.drawn(QStringLiteral("box")), QStringList(QStringLiteral("box 220 195 7080 4410 0x80000012")));
}

TEST(Refresh, BarsStandSideBySideAndNarrowBarsBecomeThirty)
{
    ChartFixture chart;
    chart.put(DispPlotPoints, true);
    chart.registerData(ChartFixture::table({ { 2, 2 }, { 1, 1 } }));
    chart.refresh();
    // (7080 - 280) / 4 - 30 = 1670 wide; slots of 6860 / 2 from 205.
    const QStringList bars = chart.drawn(QStringLiteral("fill"));
    EXPECT_EQ(bars,
              toList({
                  "fill 235 -15 1905 4395 0x00000000",
                  "fill 3665 -15 5335 4395 0x00000000",
                  "fill 1935 2190 3605 4395 0x00800000",
                  "fill 5365 2190 7035 4395 0x00800000",
              }));

    ChartFixture crowded;
    crowded.registerData(ChartFixture::table({ std::vector<double>(120, 1.0), std::vector<double>(120, 1.0) }));
    crowded.refresh();
    const QStringList narrow = crowded.drawn(QStringLiteral("fill"));
    ASSERT_EQ(narrow.size(), 240);
    const QStringList first = narrow.front().split(u' ');
    EXPECT_EQ(first.at(3).toDouble() - first.at(1).toDouble(), 30);
}

TEST(Refresh, LineSeriesAreNotJoinedToEachOther)
{
    ChartFixture chart;
    chart.put(DispChartType, ChartTypes::Line);
    chart.put(DispPlotPoints, true);
    chart.registerData(ChartFixture::table({ { 0, 8, 4 }, { 8, 0, 4 } }));
    chart.refresh();
    const QStringList series0 = chart.log.filter(QStringLiteral(" 0x00000000"));
    const QStringList series1 = chart.log.filter(QStringLiteral(" 0x00800000"));
    EXPECT_EQ(series0.filter(QRegularExpression(QStringLiteral("^line "))).size(), 2);
    EXPECT_EQ(series1.filter(QRegularExpression(QStringLiteral("^line "))).size(), 2);
    EXPECT_EQ(series0.filter(QRegularExpression(QStringLiteral("^fill "))).size(), 3);
    // Series 1's first point (8, at the top) is drawn as a square only.
    EXPECT_EQ(series1.at(0), QStringLiteral("fill 205 -15 235 15 0x00800000"));
    EXPECT_TRUE(series1.at(1).startsWith(QStringLiteral("fill ")));
}

TEST(Refresh, OtherChartTypesDrawAxesButNoData)
{
    ChartFixture chart;
    chart.put(DispChartType, std::int32_t(2));
    EXPECT_EQ(chart.get(DispChartType).toLong(), 2);
    chart.registerData(ChartFixture::table({ { 0, 8 } }));
    chart.refresh();
    EXPECT_TRUE(chart.drawn(QStringLiteral("fill")).isEmpty());
    EXPECT_TRUE(chart.log.last().startsWith(QStringLiteral("line 7080 4410 7080 4350")));
}

TEST(Refresh, CategoryLabelsArePrintedAsThePrintStatementWritesThem)
{
    ChartFixture chart;
    auto data = ChartFixture::table({ { 1, 2, 3 } });
    (*data)(0, 0) = std::int16_t(1);
    (*data)(0, 1) = QStringLiteral("May");
    chart.registerData(data);
    chart.refresh();
    const QStringList labels = chart.drawn(QStringLiteral("print")).filter(QStringLiteral(" 4507.5 "));
    // Centred by the digits' width alone; the spaces of a number come on top. Empty draws nothing.
    EXPECT_EQ(labels, toList({ "print 170 4507.5 \" 1 \"", "print 3500 4507.5 \"May\"" }));
}

TEST(Refresh, HorizontalTickFrequencyStepsThroughCategories)
{
    struct Case
    {
        Variant frequency;
        int ticks;
    };
    for (const Case& c : { Case{ std::int16_t(2), 3 }, Case{ 0.4, 5 }, Case{ std::int16_t(-3), 5 } }) {
        ChartFixture chart;
        chart.put(DispHorizontalTickFrequency, c.frequency);
        chart.registerData(ChartFixture::table({ { 1, 2, 3, 4, 5 } }));
        chart.refresh();
        EXPECT_EQ(chart.drawn(QStringLiteral("line")).filter(QStringLiteral(" 4350 ")).size(), c.ticks)
            << c.frequency.toDouble();
    }
}

TEST(Refresh, BeforeAnyDataOnlyClears)
{
    ChartFixture chart;
    chart.put(DispDisplayLegend, true);
    EXPECT_NO_THROW(chart.refresh());
    EXPECT_EQ(chart.log, QStringList(QStringLiteral("cls 0x8000000F")));
}

TEST(Refresh, DrawingErrorsReachTheContainerAsTheControlsOwnError)
{
    struct Case
    {
        const char* name;
        std::function<void(ChartFixture&)> setUp;
        const char* description;
    };
    const auto data = [](std::vector<std::vector<double>> series) {
        return [series](ChartFixture& chart) { chart.registerData(ChartFixture::table(series)); };
    };
    const std::vector<Case> cases = {
        { "one point", data({ { 3 } }), "Error 11 plotting graph: Division by zero" },
        { "all zero", data({ { 0, 0 } }), "Error 6 plotting graph: Overflow" },
        { "zero interval",
          [&](ChartFixture& chart) {
              chart.put(DispVerticalTickInterval, 0.0);
              chart.put(DispLowScale, -1.0);
              data({ { 1, 2 } })(chart);
          },
          "Error 11 plotting graph: Division by zero" },
        { "negative interval",
          [&](ChartFixture& chart) {
              chart.put(DispVerticalTickInterval, -1.0);
              data({ { 1, 2 } })(chart);
          },
          "Error 5 plotting graph: Invalid procedure call or argument" },
        { "too many ticks",
          [&](ChartFixture& chart) {
              chart.put(DispVerticalTickInterval, 0.001);
              data({ { 1, 10 } })(chart);
          },
          "Error 5 plotting graph: Invalid procedure call or argument" },
        { "bars without series",
          [](ChartFixture& chart) {
              chart.put(DispHighScale, 10.0);
              chart.registerData(std::make_shared<platform::SafeArray>(0, 0, 0, 3));
          },
          "Error 11 plotting graph: Division by zero" },
        { "text value",
          [&](ChartFixture& chart) {
              auto table = ChartFixture::table({ { 1, 2 } });
              (*table)(1, 1) = QStringLiteral("many");
              chart.registerData(table);
          },
          "Error 13 plotting graph: Type mismatch" },
        { "text that only a locale reads as a number",
          [&](ChartFixture& chart) {
              auto table = ChartFixture::table({ { 1, 2, 3 } });
              (*table)(1, 1) = QStringLiteral("nan");
              (*table)(1, 2) = QStringLiteral("inf");
              chart.registerData(table);
          },
          "Error 13 plotting graph: Type mismatch" },
        { "interval too small to move the values",
          [&](ChartFixture& chart) {
              chart.put(DispLowScale, 1e17);
              chart.registerData(ChartFixture::table({ { 1e17, 1e17 + 4992 } }));
          },
          "Error 5 plotting graph: Invalid procedure call or argument" },
        { "interval that stops moving partway up the scale",
          [&](ChartFixture& chart) {
              // Below 2^53 a step of 1 moves the value; above it, 1 is half a step and rounds away.
              chart.put(DispLowScale, 9007199254740990.0);
              chart.registerData(ChartFixture::table({ { 9007199254740990.0, 9007199254741000.0 } }));
          },
          "Error 5 plotting graph: Invalid procedure call or argument" },
    };
    for (const Case& c : cases) {
        ChartFixture chart;
        c.setUp(chart);
        const platform::RuntimeError error = refreshError(chart);
        EXPECT_EQ(error.number(), 32007) << c.name;
        EXPECT_EQ(error.source(), QStringLiteral("PlotvaneProject.Plotvane")) << c.name;
        EXPECT_EQ(error.description(), QString::fromLatin1(c.description)) << c.name;
    }
}

TEST(Refresh, ExactlyTenThousandTicksAreDrawn)
{
    ChartFixture chart;
    chart.put(DispVerticalTickInterval, 1.0);
    chart.registerData(ChartFixture::table({ { 0, 9999 } }));
    chart.refresh();
    EXPECT_EQ(chart.drawn(QStringLiteral("print")).size(), 10000);
}
