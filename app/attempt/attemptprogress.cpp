#include "attemptprogress.h"

#include "attemptstate.h"

#include <QStringList>

#include <algorithm>

namespace quizmark {

AttemptProgress::AttemptProgress(const AttemptState& state)
    : m_questions(state.QuestionsToTake)
{
    for (int position = 1; position <= m_questions; ++position) {
        if (!isComplete(state, position))
            ++m_incomplete;
        if (state.MarkedForReview(position))
            ++m_marked;
    }
}

bool AttemptProgress::isComplete(const AttemptState& state, int position)
{
    int stored = 0;
    for (int slot = 1; slot <= OptionSlots; ++slot)
        if (state.Selections(position, slot) > 0)
            ++stored;
    return stored == state.CorrectCount(position);
}

QString AttemptProgress::positionText(int position, int questions)
{
    return QStringLiteral("Question %1 of %2").arg(position).arg(questions);
}

QString AttemptProgress::clockText(int seconds)
{
    seconds = std::max(seconds, 0);
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString AttemptProgress::endExamLine() const
{
    QStringList parts;
    if (m_incomplete > 0)
        parts.append((m_questions == 1        ? QStringLiteral("%1 of %2 question is incomplete.")
                          : m_incomplete == 1 ? QStringLiteral("%1 of %2 questions is incomplete.")
                                              : QStringLiteral("%1 of %2 questions are incomplete."))
                         .arg(m_incomplete)
                         .arg(m_questions));
    // After the incomplete count the marked one reads on from it; alone it names what it counts.
    if (m_marked > 0 && m_incomplete > 0)
        parts.append(
            (m_marked == 1 ? QStringLiteral("%1 is marked for review.") : QStringLiteral("%1 are marked for review."))
                .arg(m_marked));
    else if (m_marked > 0)
        parts.append((m_marked == 1 ? QStringLiteral("%1 question is marked for review.")
                                    : QStringLiteral("%1 questions are marked for review."))
                         .arg(m_marked));
    return parts.join(u' ');
}

} // namespace quizmark
