#pragma once

#include <cstdint>
#include <limits>

namespace platform {

// The runtime's pseudo-random numbers. It also serves as a uniform random bit generator, so
// standard algorithms such as std::shuffle can draw from it.
class RandomSource {
public:
    using result_type = std::uint32_t;
    static constexpr result_type min() { return 0; }
    static constexpr result_type max() { return std::numeric_limits<result_type>::max(); }

    virtual ~RandomSource() = default;
    // Seeds the generator from the system clock.
    virtual void Randomize() = 0;
    virtual result_type next() = 0;
    // A uniform single-precision number in [0, 1).
    float Rnd();

    result_type operator()() { return next(); }
};

}
