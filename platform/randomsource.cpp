#include "randomsource.h"

namespace platform {

static float unitFloat(std::uint32_t bits)
{
    // 24 bits fill a float's mantissa exactly, so the result never rounds up to 1.
    return float(bits >> 8) / float(1u << 24);
}

float RandomSource::Rnd()
{
    return unitFloat(next());
}

}
