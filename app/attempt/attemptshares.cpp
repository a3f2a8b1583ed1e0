#include "attemptshares.h"

#include <algorithm>
#include <cmath>

namespace quizmark {

namespace {
constexpr double Hundred = 100.0;
} // namespace

bool AttemptShares::counts(const PastAttempt& attempt)
{
    return attempt.kind == AttemptKind::Exam && !attempt.study;
}

std::vector<AttemptShare> AttemptShares::of(const std::vector<PastAttempt>& newestFirst)
{
    std::vector<AttemptShare> shares;
    for (auto attempt = newestFirst.rbegin(); attempt != newestFirst.rend(); ++attempt) {
        if (!counts(*attempt) || !attempt->ended.isValid() || attempt->end.maximumScore <= 0)
            continue;
        shares.push_back({ attempt->ended, attempt->end.score, attempt->end.maximumScore,
                           Hundred * attempt->end.score / attempt->end.maximumScore });
    }
    // By their dates, should the journal's order and the clock ever disagree.
    std::stable_sort(shares.begin(), shares.end(), [](const auto& a, const auto& b) { return a.ended < b.ended; });
    return shares;
}

int AttemptShares::labelStep(int points, double plotWidth, double labelWidth, double gap)
{
    if (points < 2 || !(plotWidth > 0))
        return 1;
    const double apart = plotWidth / (points - 1);
    return std::clamp(int(std::ceil((labelWidth + gap) / apart)), 1, points);
}

} // namespace quizmark
