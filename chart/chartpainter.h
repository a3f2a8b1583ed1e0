#pragma once

#include "chartstate.h"
#include "plotvane_export.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace plotvane {

class DrawingSurface;

/// Draws the chart of a state on a surface, as Refresh does: title, legend, then the graph.
/// Measures with the surface, so one drawing fits every kind of surface.
class PLOTVANE_EXPORT ChartPainter
{
public:
    static constexpr int DrawingError = 32007;
    // Beyond this many value-axis ticks an interval is refused rather than drawn for ever.
    static constexpr double TickLimit = 10000;

    ChartPainter(ChartState& state, DrawingSurface& surface);

    /// Clears and redraws; a drawing error comes out as a platform::RuntimeError, number 32007
    /// for the legend and the graph.
    void Refresh();

    void DrawTitle();
    void DrawLegend();
    void DrawGraph();

private:
    template <typename Step> void trapped(const char* what, Step step);
    const platform::SafeArray& graphData() const;
    std::int32_t seriesColor(int series) const;
    const QString& seriesLegend(int series) const;
    double textWidth(const QString& text) const;
    double lineHeight() const;
    void readValues(const platform::SafeArray& data, int seriesCount, std::int32_t pointCount);
    double firstTick() const;
    void checkTickCount(double firstTick) const;
    void drawValueAxis(std::int32_t& plotLeft, std::int32_t plotBottom, double firstTick);
    void drawCategoryAxis(const platform::SafeArray& data, std::int32_t plotLeft, std::int32_t plotBottom);
    std::int16_t barWidth(int seriesCount, std::int32_t pointCount, std::int32_t plotLeft) const;
    void drawSeries(const platform::SafeArray& data, int row, std::int32_t plotLeft, std::int32_t plotBottom,
                    double firstTick, std::int16_t barWidth);
    std::size_t placeYs(const double* values, std::size_t count, std::int32_t plotBottom, double first, double span,
                        double height);
    void drawLineSeries(int row, std::int32_t pointCount, std::int32_t plotLeft, std::int32_t plotBottom,
                        double firstTick);

    ChartState& m_state;
    DrawingSurface& m_surface;
    std::vector<double> m_values; // series values by row, then point
    std::vector<std::int32_t> m_pointXs, m_pointYs; // one line series' points, for drawing in one go
    bool m_pointXsPlaced = false; // the places along the axis, the same for every series of a graph
    // The value-axis labels and their widths, measured once for placing the axis and drawn after.
    std::vector<QString> m_tickTexts;
    std::vector<float> m_tickWidths;
};

} // namespace plotvane
