#include "clockrandom.h"

#include <chrono>

namespace platform {

ClockRandom::ClockRandom()
{
    Randomize();
}

void ClockRandom::Randomize()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seed { std::uint32_t(ticks), std::uint32_t(std::uint64_t(ticks) >> 32) };
    m_engine.seed(seed);
}

ClockRandom::result_type ClockRandom::next()
{
    return m_engine();
}

}
