#pragma once

#include "journaledattempt.h"

#include <QDateTime>

#include <cstdint>
#include <vector>

namespace quizmark {

// One attempt's score as a share of its maximum, for a chart of the trend.
struct AttemptShare
{
    QDateTime ended;
    std::int16_t score = 0;
    std::int16_t maximumScore = 0;
    // score / maximumScore × 100, unrounded.
    double percent = 0;
};

// The shares of the finished attempts at one exam that measure the candidate against the exam: the
// timed exam attempts. A practice retry and a weak-question practice ask the questions missed
// before, and a study attempt shows each answer as it goes, so their shares run high or low against
// the pass mark; they are left out as they are left out of the score history.
class AttemptShares
{
public:
    static constexpr double PassPercent = 70.0;

    static bool counts(const PastAttempt& attempt);
    // newestFirst as the journal lists them; the shares come oldest first, each dated and worth
    // something.
    static std::vector<AttemptShare> of(const std::vector<PastAttempt>& newestFirst);
    // Every how many points a category label fits beside the next: points spread over plotWidth,
    // each label labelWidth wide with a gap of its own height's worth.
    static int labelStep(int points, double plotWidth, double labelWidth, double gap);
};

} // namespace quizmark
