#include "runtimemath.h"

#include "platform/runtimeerror.h"

namespace plotvane {

void raiseDivisionError(double dividend)
{
    using platform::ErrorNumber::DivisionByZero;
    using platform::ErrorNumber::Overflow;
    throw platform::RuntimeError(dividend == 0 ? Overflow : DivisionByZero);
}

} // namespace plotvane
