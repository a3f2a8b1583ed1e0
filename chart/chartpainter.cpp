#include "chartpainter.h"

#include "drawingsurface.h"
#include "plotvaneidentity.h"
#include "runtimemath.h"

#include "platform/conversions.h"
#include "platform/runtimeerror.h"

#include <QScopeGuard>

#include <cmath>
#include <limits>
#include <new>

namespace plotvane {

using platform::CInt;
using platform::CLng;
using platform::RuntimeError;
using platform::Variant;
namespace ErrorNumber = platform::ErrorNumber;

namespace {

constexpr double Margin = 120; // left of the frame, right of the surface, legend box to its text
constexpr double LegendGap = 180; // between the frame and the legend, and right of the legend text
constexpr double TickLength = 60;
constexpr double LegendBox = 60;
constexpr double PointBox = 30;
constexpr double HalfPoint = 15;
constexpr double BarGap = 30;
constexpr std::int16_t NarrowestBar = 15;

// Runs step for every value-axis tick from first up to the scale's top, as a counted loop of
// 64-bit floats whose end is taken once. An interval too small to move a value as large as the
// scale's (1 added to 1e17 gives 1e17) is refused like any other interval that never ends.
template <typename Step> void forEachTick(double first, double last, double interval, Step step)
{
    for (double t = first; t <= last;) {
        step(t);
        const double next = t + interval;
        if (!(next > t))
            throw RuntimeError(ErrorNumber::InvalidProcedureCall);
        t = next;
    }
}

} // namespace

ChartPainter::ChartPainter(ChartState& state, DrawingSurface& surface)
    : m_state(state)
    , m_surface(surface)
{
}

void ChartPainter::Refresh()
{
    m_surface.Cls();
    m_state.PlotRight = CLng(double(m_surface.ScaleWidth()) - Margin);
    m_state.PlotTop = 0;
    if (m_state.Title.size() > 0)
        DrawTitle();
    if (m_state.DisplayLegend)
        trapped(" plotting legend: ", [this] { DrawLegend(); });
    trapped(" plotting graph: ", [this] { DrawGraph(); });
}

// Error 9 ends the step quietly (so a chart without data draws only its frame of nothing);
// any other error reaches the container as the control's own drawing error.
template <typename Step> void ChartPainter::trapped(const char* what, Step step)
{
    int number = 0;
    try {
        step();
        return;
    } catch (const RuntimeError& error) {
        number = error.number();
    } catch (const std::bad_alloc&) {
        number = ErrorNumber::OutOfMemory;
    }
    if (number == ErrorNumber::SubscriptOutOfRange)
        return;
    const QString description = QStringLiteral("Error ") + QString::number(number) + QLatin1String(what)
        + RuntimeError::standardMessage(number);
    throw RuntimeError(DrawingError, description, QString::fromLatin1(Identity::ErrorSource), true);
}

void ChartPainter::DrawTitle()
{
    if (!m_state.TitleFont)
        throw RuntimeError(ErrorNumber::ObjectVariableNotSet);
    const auto remembered = m_surface.Font();
    m_surface.setFont(m_state.TitleFont);
    m_surface.setCurrentX(float((double(m_surface.ScaleWidth()) - m_surface.TextWidth(m_state.Title)) / 2));
    m_surface.Print(Variant(m_state.Title));
    m_state.PlotTop = CLng(m_surface.CurrentY());
    m_surface.setFont(remembered);
}

void ChartPainter::DrawLegend()
{
    std::int32_t legendLeft = CLng(m_surface.ScaleWidth());
    if (!m_state.DisplayLegend)
        return;
    const int seriesCount = graphData().upperBound(1);
    const double width = m_surface.ScaleWidth();
    for (int s = 0; s < seriesCount; ++s) {
        const double left = width - (m_surface.TextWidth(seriesLegend(s)) + LegendGap);
        if (left < legendLeft)
            legendLeft = CLng(left);
    }
    m_state.PlotRight = legendLeft - std::int32_t(LegendGap);
    m_surface.setCurrentY(float((m_surface.ScaleHeight() - (lineHeight() + Margin) * (seriesCount + 2)) / 2));
    for (int s = 0; s < seriesCount; ++s) {
        const std::int32_t rowY = CLng(m_surface.CurrentY() + lineHeight());
        const QString& legend = seriesLegend(s);
        const double boxTop = (m_surface.TextHeight(legend) - LegendBox) / 2 + rowY;
        m_surface.fillBox(float(legendLeft), float(boxTop), float(legendLeft + LegendBox), float(boxTop + LegendBox),
                          seriesColor(s));
        m_surface.setCurrentX(float(legendLeft + Margin));
        m_surface.setCurrentY(float(rowY));
        m_surface.Print(Variant(legend));
    }
}

void ChartPainter::DrawGraph()
{
    const platform::SafeArray& data = graphData();
    const int seriesCount = data.upperBound(1);
    const int lastPoint = data.upperBound(2);
    const std::int32_t pointCount = lastPoint + 1;

    readValues(data, seriesCount, pointCount);

    std::int32_t plotLeft = std::int32_t(Margin);
    const std::int32_t plotBottom = CLng(m_surface.ScaleHeight() - 2 * lineHeight());
    const double first = firstTick();
    checkTickCount(first);
    m_tickTexts.clear();
    m_tickWidths.clear();
    forEachTick(first, m_state.HighScale, m_state.VerticalTickInterval.toDouble(), [&](double t) {
        m_tickTexts.push_back(platform::doubleText(t));
        m_tickWidths.push_back(m_surface.TextWidth(m_tickTexts.back()));
        const double width = m_tickWidths.back() + Margin;
        if (width > plotLeft)
            plotLeft = CLng(width);
    });
    const double labelHalf = textWidth(data(0, 0).toString()) / 2 + TickLength;
    if (labelHalf > plotLeft)
        plotLeft = CLng(labelHalf);

    drawValueAxis(plotLeft, plotBottom, first);
    m_surface.box(float(plotLeft), float(m_state.PlotTop), float(m_state.PlotRight), float(plotBottom),
                  m_surface.inkColor());
    drawCategoryAxis(data, plotLeft, plotBottom);

    const std::int16_t width = m_state.ChartType == ChartTypes::Bar ? barWidth(seriesCount, pointCount, plotLeft) : 0;
    for (int i = 1; i <= seriesCount; ++i)
        drawSeries(data, i, plotLeft, plotBottom, first, width);
}

// The values as numbers, kept for drawing: converting them again would give the same.
void ChartPainter::readValues(const platform::SafeArray& data, int seriesCount, std::int32_t pointCount)
{
    m_values.resize(std::size_t(std::max(seriesCount, 0)) * std::size_t(pointCount));
    m_pointXsPlaced = false;
    // The scale is kept in locals while reading, where the values written cannot alias it, and
    // written back even when a value does not convert.
    double high = m_state.HighScale;
    double low = m_state.LowScale;
    const auto keepScale = qScopeGuard([&] {
        m_state.HighScale = high;
        m_state.LowScale = low;
    });
    for (int i = 1; i <= seriesCount && pointCount > 0; ++i) {
        const platform::Variant* cells = &data(i, 0); // a row's cells lie one after another
        double* values = m_values.data() + std::size_t(i - 1) * std::size_t(pointCount);
        for (std::int32_t j = 0; j < pointCount; ++j) {
            const double value = cells[j].toDouble();
            values[j] = value;
            if (high < value)
                high = value;
            if (low > value)
                low = value;
        }
    }
}

double ChartPainter::firstTick() const
{
    const double quotient = divide(m_state.LowScale, m_state.VerticalTickInterval.toDouble());
    const double whole = std::floor(quotient);
    if (whole == quotient)
        return m_state.LowScale;
    return m_state.VerticalTickInterval.toDouble() * whole;
}

void ChartPainter::checkTickCount(double firstTick) const
{
    const double interval = m_state.VerticalTickInterval.toDouble();
    if (!(interval > 0) || !((m_state.HighScale - firstTick) / interval < TickLimit))
        throw RuntimeError(ErrorNumber::InvalidProcedureCall);
}

void ChartPainter::drawValueAxis(std::int32_t& plotLeft, std::int32_t plotBottom, double first)
{
    const double height = plotBottom - m_state.PlotTop;
    const double span = m_state.HighScale - first;
    const double halfLine = lineHeight() * 0.5; // one font throughout
    std::size_t tick = 0;
    forEachTick(first, m_state.HighScale, m_state.VerticalTickInterval.toDouble(), [&](double t) {
        const QString& tickString = m_tickTexts[tick];
        const double tickWidth = m_tickWidths[tick++];
        const std::int32_t y = CLng(plotBottom - divide(t - first, span) * height);
        m_surface.line(float(plotLeft), float(y), float(plotLeft + TickLength), float(y), m_surface.inkColor());
        m_surface.setCurrentX(float(plotLeft - (tickWidth + TickLength)));
        m_surface.setCurrentY(float(y - halfLine));
        m_surface.Print(Variant(tickString));
    });
}

void ChartPainter::drawCategoryAxis(const platform::SafeArray& data, std::int32_t plotLeft, std::int32_t plotBottom)
{
    const std::int32_t pointCount = data.upperBound(2) + 1;
    const std::int64_t frequency = std::max<std::int32_t>(1, m_state.HorizontalTickFrequency.toLong());
    const double labelTop = lineHeight() * 0.5 + plotBottom; // one font throughout
    for (std::int64_t j = 0; j <= pointCount - 1; j += frequency) {
        const std::int32_t x = CLng(divide(m_state.PlotRight - plotLeft, pointCount - 1) * double(j) + plotLeft);
        m_surface.line(float(x), float(plotBottom), float(x), float(plotBottom - TickLength), m_surface.inkColor());
        const Variant& label = data(0, int(j));
        // An empty label prints nothing; the pen it would move is set afresh before it is read again.
        if (label.isEmpty())
            continue;
        m_surface.setCurrentX(float(x - textWidth(label.toString()) / 2));
        m_surface.setCurrentY(float(labelTop));
        m_surface.Print(label);
    }
}

std::int16_t ChartPainter::barWidth(int seriesCount, std::int32_t pointCount, std::int32_t plotLeft) const
{
    const std::int64_t slotCount = std::int64_t(seriesCount) * pointCount;
    if (slotCount > std::numeric_limits<std::int32_t>::max())
        throw RuntimeError(ErrorNumber::Overflow);
    const std::int16_t width = CInt(divide(m_state.PlotRight - (plotLeft + TickLength), double(slotCount)) - BarGap);
    return width <= NarrowestBar ? std::int16_t(2 * NarrowestBar) : width;
}

void ChartPainter::drawSeries(const platform::SafeArray& data, int row, std::int32_t plotLeft, std::int32_t plotBottom,
                              double first, std::int16_t barWidth)
{
    const int lastPoint = data.upperBound(2);
    const std::int32_t pointCount = lastPoint + 1;
    if (m_state.ChartType == ChartTypes::Line) {
        drawLineSeries(row, pointCount, plotLeft, plotBottom, first);
        return;
    }
    const double plotWidth = m_state.PlotRight - plotLeft;
    const double height = plotBottom - m_state.PlotTop;
    const double span = m_state.HighScale - first;
    const bool bars = m_state.ChartType == ChartTypes::Bar;
    // Loop invariants: each would fail, if at all, at the first point, before anything is drawn.
    const std::int32_t color = seriesColor(row - 1);
    const double pointStep = divide(plotWidth, pointCount - 1);
    const double slotStep = bars ? divide(plotWidth, pointCount) : 0;
    const double* values = m_values.data() + std::size_t(row - 1) * std::size_t(pointCount);
    for (int j = 0; j <= lastPoint; ++j) {
        const double value = values[j];
        // Placed even where nothing is drawn: a point that cannot be placed is an error all the same.
        roundToLong(pointStep * j + plotLeft - HalfPoint);
        const std::int32_t y = value == first
            ? std::int32_t(plotBottom - HalfPoint)
            : roundToLong(plotBottom - divide(value - first, span) * height - HalfPoint);
        if (bars) {
            const std::int32_t slotX = roundToLong(slotStep * j + plotLeft - HalfPoint);
            const double barLeft = slotX + BarGap + double(row - 1) * (barWidth + BarGap);
            m_surface.fillBox(float(barLeft), float(y), float(barLeft + barWidth), float(plotBottom - HalfPoint),
                              color);
        }
    }
}

// The points are placed first and drawn in one call; a point that cannot be placed ends the series
// there, after the points before it are drawn, as drawing them one by one would.
void ChartPainter::drawLineSeries(int row, std::int32_t pointCount, std::int32_t plotLeft, std::int32_t plotBottom,
                                  double first)
{
    const double plotWidth = m_state.PlotRight - plotLeft;
    const double height = plotBottom - m_state.PlotTop;
    const double span = m_state.HighScale - first;
    const std::int32_t color = seriesColor(row - 1);
    const double pointStep = divide(plotWidth, pointCount - 1);
    const double* values = m_values.data() + std::size_t(row - 1) * std::size_t(pointCount);
    m_pointXs.resize(std::size_t(pointCount));
    m_pointYs.resize(std::size_t(pointCount));
    std::size_t placed = 0;
    const auto draw = [&] {
        m_surface.series(m_pointXs.data(), m_pointYs.data(), placed, m_state.PlotPoints, PointBox, HalfPoint, color);
    };
    const auto placeY = [&](double value) {
        return value == first ? std::int32_t(plotBottom - HalfPoint)
                              : roundToLong(plotBottom - divide(value - first, span) * height - HalfPoint);
    };
    try {
        if (m_pointXsPlaced) {
            placed = placeYs(values, std::size_t(pointCount), plotBottom, first, span, height);
            for (std::int32_t j = std::int32_t(placed); j < pointCount; ++j, ++placed)
                m_pointYs[placed] = placeY(values[j]);
        } else {
            for (std::int32_t j = 0; j < pointCount; ++j, ++placed) {
                m_pointXs[placed] = roundToLong(pointStep * j + plotLeft - HalfPoint);
                m_pointYs[placed] = placeY(values[j]);
            }
            // Every series shares the points' places along the axis.
            m_pointXsPlaced = true;
        }
    } catch (...) {
        draw();
        throw;
    }
    draw();
}

// The places of a run of values up to the first that needs the checked way (a division by zero, a
// place beyond the counter); kept free of calls, so that the divisions overlap.
std::size_t ChartPainter::placeYs(const double* values, std::size_t count, std::int32_t plotBottom, double first,
                                  double span, double height)
{
    if (span == 0)
        return 0;
    constexpr double Shift = 4503599627370496.0; // as roundToLong rounds
    const double atFirst = plotBottom - HalfPoint;
    std::int32_t* ys = m_pointYs.data();
    for (std::size_t j = 0; j < count; ++j) {
        const double value = values[j];
        const double place = value == first ? atFirst : plotBottom - (value - first) / span * height - HalfPoint;
        if (!(place > -2147483648.0 && place < 2147483647.0))
            return j;
        ys[j] = std::int32_t(place >= 0 ? (place + Shift) - Shift : (place - Shift) + Shift);
    }
    return count;
}

const platform::SafeArray& ChartPainter::graphData() const
{
    if (!m_state.GraphData)
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    return *m_state.GraphData;
}

std::int32_t ChartPainter::seriesColor(int series) const
{
    if (series < 0 || series >= ChartState::SeriesLimit)
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    return m_state.SeriesColor[std::size_t(series)];
}

const QString& ChartPainter::seriesLegend(int series) const
{
    if (series < 0 || series >= ChartState::SeriesLimit)
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    return m_state.SeriesLegend[std::size_t(series)];
}

// An empty text is as wide as nothing: no need to ask the surface.
double ChartPainter::textWidth(const QString& text) const
{
    return text.isEmpty() ? 0.0 : double(m_surface.TextWidth(text));
}

double ChartPainter::lineHeight() const
{
    return m_surface.TextHeight(QStringLiteral("X"));
}

} // namespace plotvane
