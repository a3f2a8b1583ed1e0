#include "valuetickinterval.h"

#include <array>

namespace quizmark {

namespace {
// The largest step of the 1-2-5 series that an Integer property can hold.
constexpr std::int16_t LargestStep = 20000;
} // namespace

std::int16_t ValueTickInterval::forScale(double highest, double axisHeight, double labelHeight)
{
    if (!(highest > 0) || !(labelHeight > 0))
        return 1;
    for (int decade = 1; decade <= LargestStep; decade *= 10) {
        for (const int factor : std::array{ 1, 2, 5 }) {
            const int step = decade * factor;
            if (step > LargestStep)
                return LargestStep;
            // Labels stand at the ticks; the distance between neighbours must hold one label.
            if (step / highest * axisHeight >= labelHeight)
                return static_cast<std::int16_t>(step);
        }
    }
    return LargestStep;
}

} // namespace quizmark
