#pragma once

#include "plotvane_export.h"

#include <QColor>

#include <cstdint>

namespace plotvane {

/// The colour a 32-bit value stands for: 0x00BBGGRR, or with the top bit set the platform's
/// system colour of that index, taken from the application palette.
PLOTVANE_EXPORT QColor toQColor(std::int32_t oleColor);

/// Whether the value names a system colour, which follows the palette, rather than a fixed one.
PLOTVANE_EXPORT bool isSystemColor(std::int32_t oleColor);

/// The contrast ratio of two colours as WCAG 2 defines it, from 1 (the same) to 21 (black and white).
PLOTVANE_EXPORT double contrastRatio(const QColor& first, const QColor& second);

} // namespace plotvane
