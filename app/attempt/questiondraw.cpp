#include "questiondraw.h"

#include "platform/randomsource.h"

#include <algorithm>
#include <numeric>
#include <ranges>

namespace quizmark {

QuestionDraw::QuestionDraw(platform::RandomSource& random)
    : m_random(random)
{
}

std::vector<std::int16_t> QuestionDraw::firstRecords(int count)
{
    std::vector<std::int16_t> records(static_cast<std::size_t>(std::max(count, 0)));
    std::iota(records.begin(), records.end(), std::int16_t(1));
    return shuffled(std::move(records));
}

std::vector<std::int16_t> QuestionDraw::fromWholeBank(int count, int bankTotal)
{
    // The first records of a random order of the whole bank are a uniform draw, already in random order.
    std::vector<std::int16_t> records = firstRecords(bankTotal);
    records.resize(std::min(records.size(), static_cast<std::size_t>(std::max(count, 0))));
    return records;
}

std::vector<std::int16_t> QuestionDraw::shuffled(std::vector<std::int16_t> records)
{
    std::ranges::shuffle(records, m_random);
    return records;
}

} // namespace quizmark
