#pragma once

namespace plotvane {

// The runtime's floating division: x / 0 is error 11 "Division by zero", 0 / 0 error 6 "Overflow".
double divide(double dividend, double divisor);

}
