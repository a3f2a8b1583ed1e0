#include "weakdraw.h"

#include "questionstatistics.h"

#include "platform/randomsource.h"

#include <algorithm>
#include <numeric>
#include <tuple>

namespace quizmark {

namespace {

enum class Group
{
    SeenAndDue = 0,
    NeverSeen = 1,
    NotYetDue = 2
};

struct Candidate
{
    std::int16_t record = 0;
    Group group = Group::NeverSeen;
    int box = 0;
    double shareRight = 0;
    qint64 due = 0;

    auto rank() const
    {
        switch (group) {
        case Group::SeenAndDue:
            return std::make_tuple(int(group), box, shareRight, qint64(0));
        case Group::NotYetDue:
            return std::make_tuple(int(group), 0, 0.0, due);
        case Group::NeverSeen:
            break;
        }
        return std::make_tuple(int(group), 0, 0.0, qint64(0));
    }
};

Candidate candidateOf(std::int16_t record, const QuestionStanding* standing, qint64 now)
{
    Candidate candidate;
    candidate.record = record;
    if (!standing)
        return candidate;
    candidate.due = standing->due.toMSecsSinceEpoch();
    candidate.group = candidate.due <= now ? Group::SeenAndDue : Group::NotYetDue;
    candidate.box = standing->box;
    candidate.shareRight = standing->shareRight();
    return candidate;
}

} // namespace

WeakDraw::WeakDraw(platform::RandomSource& random)
    : m_random(random)
{
}

std::vector<std::int16_t> WeakDraw::draw(int count, const std::vector<quint64>& fingerprints,
                                         const QuestionStatistics& statistics, const QDateTime& now)
{
    const qint64 nowMs = now.toMSecsSinceEpoch();
    std::vector<Candidate> candidates;
    candidates.reserve(fingerprints.size());
    for (std::size_t i = 0; i < fingerprints.size(); ++i) {
        const auto record = static_cast<std::int16_t>(i + 1);
        candidates.push_back(candidateOf(record, statistics.find(record, fingerprints[i]), nowMs));
    }
    // Shuffled first, so the sort leaves equal questions in random order.
    std::ranges::shuffle(candidates, m_random);
    const std::size_t taken = std::min(candidates.size(), std::size_t(std::max(count, 0)));
    std::ranges::partial_sort(candidates, candidates.begin() + std::ptrdiff_t(taken),
                              [](const Candidate& a, const Candidate& b) { return a.rank() < b.rank(); });
    std::vector<std::int16_t> records;
    records.reserve(taken);
    for (std::size_t i = 0; i < taken; ++i)
        records.push_back(candidates[i].record);
    return records;
}

} // namespace quizmark
