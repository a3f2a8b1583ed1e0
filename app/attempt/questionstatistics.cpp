#include "questionstatistics.h"

#include <algorithm>

// Inlined: the fingerprint needs no shared library at run time.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace quizmark {

// XXH3 gives the same value on every platform and release, so fingerprints kept in the journal stay valid across builds.
quint64 QuestionStatistics::fingerprint(QByteArrayView record)
{
    return XXH3_64bits(record.data(), std::size_t(record.size()));
}

int QuestionStatistics::daysUntilDue(int box)
{
    return 1 << (std::clamp(box, 1, TopBox) - 1);
}

void QuestionStatistics::count(std::int16_t recordNumber, quint64 fingerprint, bool fullyRight, const QDateTime& when)
{
    QuestionStanding& standing = m_standings[Key{ recordNumber, fingerprint }];
    ++standing.seen;
    standing.lastSeen = when;
    if (fullyRight) {
        ++standing.right;
        ++standing.rightSinceMiss;
    } else {
        standing.rightSinceMiss = 0;
    }
    placeInBox(standing);
}

void QuestionStatistics::set(std::int16_t recordNumber, quint64 fingerprint, int seen, int right,
                             const QDateTime& lastSeen, int rightSinceMiss)
{
    QuestionStanding& standing = m_standings[Key{ recordNumber, fingerprint }];
    standing.seen = seen;
    standing.right = right;
    standing.lastSeen = lastSeen;
    standing.rightSinceMiss = rightSinceMiss;
    placeInBox(standing);
}

// The answer that brought the question to box b + 1 was given in box b, which is due after 2^(b-1)
// days; a miss leaves it in box 1, due at once.
void QuestionStatistics::placeInBox(QuestionStanding& standing)
{
    standing.box = std::min(1 + standing.rightSinceMiss, TopBox);
    standing.due = standing.rightSinceMiss == 0
        ? standing.lastSeen
        : standing.lastSeen.addDays(daysUntilDue(std::min(standing.rightSinceMiss, TopBox)));
}

const QuestionStanding* QuestionStatistics::find(std::int16_t recordNumber, quint64 fingerprint) const
{
    const auto found = m_standings.find(Key{ recordNumber, fingerprint });
    return found == m_standings.end() ? nullptr : &found->second;
}

} // namespace quizmark
