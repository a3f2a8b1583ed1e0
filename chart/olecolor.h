#pragma once

#include "plotvane_export.h"

#include <QColor>

#include <cstdint>

namespace plotvane {

/// The colour a 32-bit value stands for: 0x00BBGGRR, or with the top bit set the platform's
/// system colour of that index, taken from the application palette.
PLOTVANE_EXPORT QColor toQColor(std::int32_t oleColor);

} // namespace plotvane
