#include "chartfixture.h"
#include "runtimemath.h"

#include "platform/runtimeerror.h"

#include <gtest/gtest.h>

using namespace plotvane;
using chart_test::ChartFixture;
using platform::InvokeKind;
using platform::Variant;
namespace Status = platform::DispatchStatus;

namespace {

int raisedError(const std::function<void()>& action)
{
    try {
        action();
    } catch (const platform::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

} // namespace

TEST(Control, NewInstanceStartsWithItsInitialValues)
{
    ChartFixture chart;
    EXPECT_EQ(chart.get(DispChartType).toLong(), 0);
    EXPECT_FALSE(chart.get(DispDisplayLegend).toBoolean());
    EXPECT_FALSE(chart.get(DispPlotPoints).toBoolean());
    EXPECT_EQ(chart.get(DispTitle).toString(), QString());
    EXPECT_EQ(chart.get(DispVerticalTickInterval).type(), Variant::Type::Integer);
    EXPECT_EQ(chart.get(DispHorizontalTickFrequency).toLong(), 1);
    EXPECT_EQ(chart.get(DispHighScale).toDouble(), 0);
    EXPECT_EQ(chart.get(DispLowScale).toDouble(), 0);
    EXPECT_EQ(chart.surface.BorderStyle(), 1);
    EXPECT_EQ(chart.get(DispBackColor).toLong(), std::int32_t(0x8000000F));
    // The title font is the very font the container handed in.
    EXPECT_EQ(chart.get(DispTitleFont).toObject(), chart.get(DispFont).toObject());
}

TEST(Control, EveryLetAndSetNotifiesAndNothingRedraws)
{
    ChartFixture chart;
    const auto font = std::make_shared<platform::FontObject>(QStringLiteral("Serif"), 12);
    const Variant fontValue{ std::shared_ptr<platform::AutomationObject>(font) };
    chart.put(DispBackColor, std::int32_t(0xFFFFFF));
    chart.put(DispForeColor, std::int32_t(0));
    chart.put(DispHighScale, 10.0);
    chart.put(DispLowScale, -1.0);
    chart.put(DispEnabled, false);
    platform::invoke(chart.dispatch, DispFont, InvokeKind::PropertyPutRef, { fontValue });
    chart.put(DispChartType, std::int32_t(5));
    chart.put(DispDisplayLegend, true);
    chart.put(DispPlotPoints, true);
    chart.put(DispTitle, QStringLiteral("T"));
    chart.put(DispVerticalTickInterval, -2.5);
    chart.put(DispHorizontalTickFrequency, QStringLiteral("x"));
    platform::invoke(chart.dispatch, DispTitleFont, InvokeKind::PropertyPutRef, { fontValue });
    EXPECT_EQ(chart.sink.changed,
              QStringList({ "BackColor", "ForeColor", "HighScale", "LowScale", "Enabled", "Font", "ChartType",
                            "DisplayLegend", "PlotPoints", "Title", "VerticalTickInterval", "HorizontalTickFrequency",
                            "TitleFont" }));
    EXPECT_EQ(chart.log, QStringList(QStringLiteral("font Serif 12")));
    EXPECT_EQ(chart.get(DispChartType).toLong(), 5);
    EXPECT_EQ(chart.get(DispHorizontalTickFrequency).type(), Variant::Type::String);
    EXPECT_EQ(chart.get(DispTitleFont).toObject(), font);
}

// Setting a font to Nothing is stored like any other set; only drawing that needs the font fails.
TEST(Control, FontsSetToNothingAreStoredAndDrawingThatNeedsThemFails)
{
    const Variant nothing{ std::shared_ptr<platform::AutomationObject>() };
    const auto setNothing = [&](ChartFixture& chart, int dispid) {
        platform::invoke(chart.dispatch, dispid, InvokeKind::PropertyPutRef, { nothing });
    };
    const auto data = ChartFixture::table({ { 1, 2 } });
    {
        ChartFixture chart;
        setNothing(chart, DispTitleFont);
        EXPECT_EQ(chart.sink.changed, QStringList(QStringLiteral("TitleFont")));
        const Variant stored = chart.get(DispTitleFont);
        EXPECT_EQ(stored.type(), Variant::Type::Object);
        EXPECT_EQ(stored.toObject(), nullptr);
        // Without a title the title font is never needed.
        chart.registerData(data);
        EXPECT_NO_THROW(chart.refresh());
        chart.put(DispTitle, QStringLiteral("Scores"));
        EXPECT_EQ(raisedError([&] { chart.refresh(); }), platform::ErrorNumber::ObjectVariableNotSet);
    }
    {
        ChartFixture chart;
        setNothing(chart, DispFont);
        EXPECT_EQ(chart.sink.changed, QStringList(QStringLiteral("Font")));
        EXPECT_EQ(chart.get(DispFont).toObject(), nullptr);
        chart.registerData(data);
        try {
            chart.refresh();
            ADD_FAILURE() << "Refresh drew text without a font";
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.number(), 32007);
            EXPECT_EQ(error.description(),
                      QStringLiteral("Error 91 plotting graph: Object variable or With block variable not set"));
        }
        // A font set again draws as before.
        platform::invoke(chart.dispatch, DispFont, InvokeKind::PropertyPutRef,
                         { Variant(std::shared_ptr<platform::AutomationObject>(
                             std::make_shared<platform::FontObject>(QStringLiteral("Serif"), 10))) });
        EXPECT_NO_THROW(chart.refresh());
    }
    {
        // Saved and loaded again, Nothing stays Nothing.
        ChartFixture chart;
        setNothing(chart, DispFont);
        setNothing(chart, DispTitleFont);
        PropertyBag bag;
        chart.control.WriteProperties(bag);
        ChartFixture loaded(&bag);
        EXPECT_EQ(loaded.get(DispFont).toObject(), nullptr);
        EXPECT_EQ(loaded.get(DispTitleFont).toObject(), nullptr);
    }
    {
        // An object that is not a font is still refused.
        ChartFixture chart;
        const Variant other{ std::make_shared<platform::AutomationObject>() };
        EXPECT_EQ(
            raisedError([&] { platform::invoke(chart.dispatch, DispFont, InvokeKind::PropertyPutRef, { other }); }),
            platform::ErrorNumber::TypeMismatch);
    }
}

TEST(Control, SavingANewInstanceStoresOnlyTheBorder)
{
    ChartFixture chart;
    PropertyBag bag;
    chart.control.WriteProperties(bag);
    ASSERT_EQ(bag.entries().size(), 1u);
    EXPECT_EQ(bag.entries().front().first, QStringLiteral("BorderStyle"));
    EXPECT_EQ(bag.entries().front().second.toLong(), 1);
}

TEST(Control, SavedKeysComeInTheirOrderAndReloadWithoutRunTimeState)
{
    ChartFixture chart;
    chart.put(DispTitle, QStringLiteral("History"));
    chart.put(DispForeColor, std::int32_t(0xFF));
    chart.put(DispPlotPoints, true);
    chart.put(DispChartType, ChartTypes::Line);
    chart.put(DispVerticalTickInterval, 10.0);
    chart.put(DispHighScale, 50.0);
    chart.registerData(ChartFixture::table({ { 1, 2 } }));
    PropertyBag bag;
    chart.control.WriteProperties(bag);
    QStringList keys;
    for (const auto& entry : bag.entries())
        keys.append(entry.first);
    EXPECT_EQ(keys,
              QStringList({ "ForeColor", "BorderStyle", "ChartType", "PlotPoints", "Title", "VerticalTickInterval" }));
    EXPECT_EQ(bag.read(QStringLiteral("VerticalTickInterval"), {}).type(), Variant::Type::Double);

    ChartFixture reloaded(&bag);
    EXPECT_EQ(reloaded.get(DispTitle).toString(), QStringLiteral("History"));
    EXPECT_EQ(reloaded.get(DispForeColor).toLong(), 0xFF);
    EXPECT_EQ(reloaded.get(DispHighScale).toDouble(), 0);
    EXPECT_EQ(reloaded.control.state().GraphData, nullptr);
}

TEST(Control, BagKeysIgnoreLetterCaseAndMissingKeysTakeDefaults)
{
    PropertyBag bag;
    bag.set(QStringLiteral("plotpoints"), true);
    bag.set(QStringLiteral("TITLE"), QStringLiteral("Lower"));
    ChartFixture chart(&bag);
    EXPECT_TRUE(chart.get(DispPlotPoints).toBoolean());
    EXPECT_EQ(chart.get(DispTitle).toString(), QStringLiteral("Lower"));
    EXPECT_EQ(chart.surface.BorderStyle(), 0);
    EXPECT_EQ(chart.get(DispVerticalTickInterval).type(), Variant::Type::Integer);
    EXPECT_EQ(chart.get(DispVerticalTickInterval).toLong(), 1);
    // Only the font goes through its public set when loading.
    ChartFixture notified;
    notified.control.ReadProperties(bag);
    EXPECT_EQ(notified.sink.changed, QStringList(QStringLiteral("Font")));
}

TEST(Control, DefaultSeriesColoursOnlyForANewInstance)
{
    ChartFixture fresh;
    fresh.registerData(ChartFixture::table({ { 1 }, { 2 }, { 3 } }));
    const auto& colors = fresh.control.state().SeriesColor;
    EXPECT_EQ(colors[0], 0x000000);
    EXPECT_EQ(colors[1], 0x800000);
    EXPECT_EQ(colors[2], 0x008000);
    EXPECT_EQ(colors[3], -1);

    PropertyBag bag;
    ChartFixture loaded(&bag);
    loaded.registerData(ChartFixture::table({ { 1 }, { 2 }, { 3 } }));
    for (int s = 0; s < 3; ++s)
        EXPECT_EQ(loaded.control.state().SeriesColor[std::size_t(s)], 0);
}

TEST(Control, ChosenColoursSurviveRegisterData)
{
    ChartFixture chart;
    chart.call(DispSetSeriesOptions, { std::int16_t(1), std::int32_t(0xFF) });
    chart.registerData(ChartFixture::table({ { 1 }, { 2 } }));
    chart.call(DispSetSeriesOptions, { std::int16_t(0), std::int32_t(0xFF00) });
    EXPECT_EQ(chart.control.state().SeriesColor[0], 0xFF00);
    EXPECT_EQ(chart.control.state().SeriesColor[1], 0xFF);
}

TEST(Control, SeriesOutsideTheLimitShowsTheMessageAndChangesNothing)
{
    ChartFixture chart;
    for (std::int16_t series : { std::int16_t(16), std::int16_t(-1) })
        chart.call(DispSetSeriesOptions, { series, std::int32_t(0xFF), QStringLiteral("L") });
    ASSERT_EQ(chart.messages.shown.size(), 2u);
    EXPECT_EQ(chart.messages.shown[0].prompt, QStringLiteral("Too many data series -- limit is 15"));
    EXPECT_EQ(chart.messages.shown[0].buttons, platform::MsgBoxStyle::OKOnly);

    chart.call(DispSetSeriesOptions, { std::int16_t(15), std::int32_t(0xFF), QStringLiteral("Last") });
    chart.call(DispSetSeriesOptions, { std::int16_t(15), Variant(), QString() });
    EXPECT_EQ(chart.messages.shown.size(), 2u);
    EXPECT_EQ(chart.control.state().SeriesColor[15], 0xFF);
    EXPECT_EQ(chart.control.state().SeriesLegend[15], QStringLiteral("Last"));
    EXPECT_EQ(chart.control.state().SeriesColor[14], -1);
}

TEST(Control, RegisterDataReplacesTheWholeTable)
{
    ChartFixture chart;
    chart.registerData(ChartFixture::table({ { 1, 2, 3 }, { 4, 5, 6 } }));
    chart.registerData(ChartFixture::table({ { 7, 8 } }));
    const auto& table = *chart.control.state().GraphData;
    EXPECT_EQ(table.upperBound(1), 1);
    EXPECT_EQ(table.upperBound(2), 1);
    EXPECT_EQ(table(1, 1).toDouble(), 8);
}

TEST(Control, RegisterDataFailsAsTheCopyingLoopsDo)
{
    {
        // Seventeen series: rows 0 to 16 and the first value of row 17 arrive before error 9.
        ChartFixture chart;
        auto data = std::make_shared<platform::SafeArray>(0, 17, 0, 1);
        (*data)(16, 1) = 16.0;
        (*data)(17, 0) = 17.0;
        (*data)(17, 1) = 17.5;
        EXPECT_EQ(raisedError([&] { chart.registerData(data); }), 9);
        const auto& table = *chart.control.state().GraphData;
        EXPECT_EQ(table.upperBound(1), 17);
        EXPECT_EQ(table(16, 1).toDouble(), 16);
        EXPECT_EQ(table(17, 0).toDouble(), 17);
        EXPECT_TRUE(table(17, 1).isEmpty());
    }
    {
        // The last index a 16-bit count reaches, as a full score history with its zero point has:
        // the whole table arrives.
        ChartFixture chart;
        auto data = std::make_shared<platform::SafeArray>(0, 1, 0, 32767);
        (*data)(0, 32767) = 1.0;
        (*data)(1, 0) = 2.0;
        (*data)(1, 32767) = 3.0;
        EXPECT_EQ(raisedError([&] { chart.registerData(data); }), 0);
        EXPECT_EQ((*chart.control.state().GraphData)(0, 32767).toDouble(), 1);
        EXPECT_EQ((*chart.control.state().GraphData)(1, 0).toDouble(), 2);
        EXPECT_EQ((*chart.control.state().GraphData)(1, 32767).toDouble(), 3);
    }
    {
        ChartFixture chart;
        auto data = std::make_shared<platform::SafeArray>(0, 1, 0, 32768);
        (*data)(0, 0) = 1.0;
        EXPECT_EQ(raisedError([&] { chart.registerData(data); }), 6);
        EXPECT_TRUE((*chart.control.state().GraphData)(0, 0).isEmpty());
    }
    {
        ChartFixture chart;
        auto data = std::make_shared<platform::SafeArray>(1, 2, 0, 1);
        EXPECT_EQ(raisedError([&] { chart.registerData(data); }), 9);
        EXPECT_EQ(chart.control.state().GraphData->upperBound(1), 2);
    }
    {
        ChartFixture chart;
        EXPECT_EQ(raisedError([&] { chart.call(DispRegisterData, { QStringLiteral("table") }); }), 13);
    }
    {
        // A second table of the same shape that fails half-way leaves no value of the first.
        ChartFixture chart;
        auto first = std::make_shared<platform::SafeArray>(0, 17, 0, 1);
        for (int i = 0; i <= 17; ++i)
            for (int j = 0; j <= 1; ++j)
                (*first)(i, j) = 1.0;
        EXPECT_EQ(raisedError([&] { chart.registerData(first); }), 9);
        auto second = std::make_shared<platform::SafeArray>(0, 17, 0, 1);
        (*second)(17, 0) = 2.0;
        EXPECT_EQ(raisedError([&] { chart.registerData(second); }), 9);
        const auto& table = *chart.control.state().GraphData;
        EXPECT_TRUE(table(0, 0).isEmpty());
        EXPECT_EQ(table(17, 0).toDouble(), 2);
        EXPECT_TRUE(table(17, 1).isEmpty());
    }
}

TEST(Drawing, RoundingMatchesTheRuntimesLong)
{
    for (double v : { 0.5, 1.5, 2.5, -0.5, -1.5, -2.5, 3307.5, 1102.5, -97.5, 0.49999999999999994, 1e9 + 0.5,
                      -2147483648.4, 2147483646.5, 12.25, -12.75 })
        EXPECT_EQ(plotvane::roundToLong(v), platform::CLng(v)) << v;
    EXPECT_EQ(raisedError([] { plotvane::roundToLong(2147483647.5); }), 6);
}

TEST(Dispatch, NamesAreFoundWithoutRegardToCase)
{
    ChartFixture chart;
    int dispid = 0;
    EXPECT_EQ(chart.dispatch.GetIDsOfNames(QStringLiteral("highscale"), dispid), Status::Ok);
    EXPECT_EQ(dispid, 0x68030009);
    EXPECT_EQ(chart.dispatch.GetIDsOfNames(QStringLiteral("FONT"), dispid), Status::Ok);
    EXPECT_EQ(dispid, -512);
    EXPECT_EQ(chart.dispatch.GetIDsOfNames(QStringLiteral("Refreshed"), dispid), Status::UnknownName);
}

TEST(Dispatch, WrongKindsAndCountsAreRefused)
{
    ChartFixture chart;
    std::vector<Variant> none;
    std::vector<Variant> one{ Variant(1.0) };
    std::vector<Variant> two{ Variant(1.0), Variant(2.0) };
    Variant result;
    platform::ExceptionInfo info;
    EXPECT_EQ(chart.dispatch.Invoke(DispTitle, InvokeKind::PropertyPutRef, one, result, info), Status::MemberNotFound);
    EXPECT_EQ(chart.dispatch.Invoke(DispFont, InvokeKind::PropertyPut, one, result, info), Status::MemberNotFound);
    EXPECT_EQ(chart.dispatch.Invoke(DispRefresh, InvokeKind::PropertyGet, none, result, info), Status::MemberNotFound);
    EXPECT_EQ(chart.dispatch.Invoke(DispTitle, InvokeKind::PropertyPut, two, result, info), Status::BadParamCount);
    EXPECT_EQ(chart.dispatch.Invoke(DispRefresh, InvokeKind::Method, one, result, info), Status::BadParamCount);
    EXPECT_EQ(chart.dispatch.Invoke(12345, InvokeKind::Method, none, result, info), Status::MemberNotFound);
    // A get asked for as a call, as late-bound callers do.
    EXPECT_EQ(chart.dispatch.Invoke(DispChartType, InvokeKind::Method, none, result, info), Status::Ok);
    EXPECT_EQ(result.type(), Variant::Type::Long);
}

TEST(Dispatch, FailuresComeBackAsExceptionInfo)
{
    ChartFixture chart;
    chart.registerData(ChartFixture::table({ { 5 } }));
    std::vector<Variant> none;
    Variant result(1.0);
    platform::ExceptionInfo info;
    EXPECT_EQ(chart.dispatch.Invoke(DispRefresh, InvokeKind::Method, none, result, info), Status::Exception);
    EXPECT_EQ(info.number, 32007);
    EXPECT_EQ(info.source, QStringLiteral("PlotvaneProject.Plotvane"));
    EXPECT_TRUE(result.isEmpty());

    std::vector<Variant> text{ Variant(QStringLiteral("abc")) };
    EXPECT_EQ(chart.dispatch.Invoke(DispHighScale, InvokeKind::PropertyPut, text, result, info), Status::Exception);
    EXPECT_EQ(info.number, 13);
}
