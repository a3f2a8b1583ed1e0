#pragma once

#include "platform/conversions.h"

#include <cstdint>

namespace plotvane {

[[noreturn]] void raiseDivisionError(double dividend);

// The runtime's floating division: x / 0 is error 11 "Division by zero", 0 / 0 error 6 "Overflow".
inline double divide(double dividend, double divisor)
{
    if (divisor == 0)
        raiseDivisionError(dividend);
    return dividend / divisor;
}

// platform::CLng for the drawing's inner loops: adding and taking away 2^52 leaves a double
// rounded to the nearest whole number, halves to even, as the current rounding mode does.
inline std::int32_t roundToLong(double value)
{
    constexpr double Shift = 4503599627370496.0;
    if (value > -2147483648.0 && value < 2147483647.0)
        return std::int32_t(value >= 0 ? (value + Shift) - Shift : (value - Shift) + Shift);
    return platform::CLng(value);
}

} // namespace plotvane
