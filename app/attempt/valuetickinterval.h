#pragma once

#include <cstdint>

namespace quizmark {

// The step between the value labels of a chart: the smallest of 1, 2, 5, 10, 20, 50, ... at which
// labels one text height tall stand clear of each other along the value axis.
class ValueTickInterval
{
public:
    // highest: the top of the scale (the scale starts at 0); axisHeight and labelHeight in one unit.
    static std::int16_t forScale(double highest, double axisHeight, double labelHeight);
};

} // namespace quizmark
