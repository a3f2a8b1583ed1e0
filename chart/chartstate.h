#pragma once

#include "platform/automation/fontobject.h"
#include "platform/automation/safearray.h"
#include "platform/automation/variant.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>

namespace plotvane {

// The control's own state, in the order it is declared; surface settings live on the surface.
struct ChartState
{
    static constexpr int SeriesLimit = 16;
    static constexpr std::int32_t NoColorChosen = -1;
    // The most cells a data table may hold: far beyond any chart's needs; a larger table would be
    // an allocation the machine cannot make.
    static constexpr std::int64_t CellLimit = std::int64_t(1) << 22;

    std::shared_ptr<platform::FontObject> TitleFont;
    platform::Variant VerticalTickInterval;
    platform::Variant HorizontalTickFrequency;
    QString Title;
    bool PlotPoints = false;
    bool DisplayLegend = false;
    double LowScale = 0;
    double HighScale = 0;
    std::int32_t ChartType = 0;
    // Rows are series + 1 (row 0 holds the category labels), columns the points; null until
    // the first RegisterData.
    std::shared_ptr<platform::SafeArray> GraphData;
    std::array<std::int32_t, SeriesLimit> SeriesColor{};
    std::array<QString, SeriesLimit> SeriesLegend;
    std::int32_t PlotRight = 0;
    std::int32_t PlotTop = 0;
};

} // namespace plotvane
