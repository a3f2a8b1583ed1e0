#pragma once

#include <QDateTime>

#include <cstdint>
#include <vector>

namespace platform {
class RandomSource;
}

namespace quizmark {

class QuestionStatistics;

// The questions a weak-question practice asks, in the order it asks them: first the questions seen
// and due, lowest box first, then lowest share right; then the questions never seen; then the rest
// by due date. Questions that stand equal come in random order.
class WeakDraw
{
public:
    explicit WeakDraw(platform::RandomSource& random);

    // fingerprints holds the fingerprint of every record of the bank as it is now, record 1 first.
    std::vector<std::int16_t> draw(int count, const std::vector<quint64>& fingerprints,
                                   const QuestionStatistics& statistics, const QDateTime& now);

private:
    platform::RandomSource& m_random;
};

} // namespace quizmark
