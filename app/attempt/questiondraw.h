#pragma once

#include <cstdint>
#include <vector>

namespace platform {
class RandomSource;
}

namespace quizmark {

// Which bank records an attempt asks, in the order it asks them; the result fills QuestionOrder.
class QuestionDraw
{
public:
    explicit QuestionDraw(platform::RandomSource& random);

    // Records 1..count, each once, in random order.
    std::vector<std::int16_t> firstRecords(int count);
    // count different records drawn uniformly from 1..bankTotal, in random order; never more
    // records than the bank holds.
    std::vector<std::int16_t> fromWholeBank(int count, int bankTotal);
    // The given records in random order.
    std::vector<std::int16_t> shuffled(std::vector<std::int16_t> records);

private:
    platform::RandomSource& m_random;
};

} // namespace quizmark
