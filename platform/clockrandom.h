#pragma once

#include "randomsource.h"

#include <random>

namespace platform {

// A Mersenne Twister seeded from the system clock.
class ClockRandom : public RandomSource {
public:
    ClockRandom();
    void Randomize() override;
    result_type next() override;

private:
    std::mt19937 m_engine;
};

}
