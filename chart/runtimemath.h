#pragma once

namespace plotvane {

[[noreturn]] void raiseDivisionError(double dividend);

// The runtime's floating division: x / 0 is error 11 "Division by zero", 0 / 0 error 6 "Overflow".
inline double divide(double dividend, double divisor)
{
    if (divisor == 0)
        raiseDivisionError(dividend);
    return dividend / divisor;
}

}
