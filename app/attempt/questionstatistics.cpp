#include "questionstatistics.h"

#include <algorithm>

// Inlined: the fingerprint needs no shared library at run time.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace quizmark {

// XXH3 is fixed by its specification, so fingerprints kept in the journal stay valid across builds.
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
        standing.due = when.addDays(daysUntilDue(standing.box));
        standing.box = std::min(standing.box + 1, TopBox);
    } else {
        standing.box = 1;
        standing.due = when;
    }
}

const QuestionStanding* QuestionStatistics::find(std::int16_t recordNumber, quint64 fingerprint) const
{
    const auto found = m_standings.find(Key{ recordNumber, fingerprint });
    return found == m_standings.end() ? nullptr : &found->second;
}

} // namespace quizmark
