#include "runtimemath.h"

#include "platform/runtimeerror.h"

namespace plotvane {

double divide(double dividend, double divisor)
{
    using platform::ErrorNumber::DivisionByZero;
    using platform::ErrorNumber::Overflow;
    if (divisor == 0)
        throw platform::RuntimeError(dividend == 0 ? Overflow : DivisionByZero);
    return dividend / divisor;
}

}
