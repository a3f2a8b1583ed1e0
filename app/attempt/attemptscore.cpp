#include "attemptscore.h"

#include "attemptstate.h"

#include "data/questionrecord.h"
#include "platform/conversions.h"
#include "platform/runtimeerror.h"

#include <algorithm>

namespace quizmark {

namespace {
constexpr double PassPercent = 70.0;
constexpr double Hundred = 100.0;
constexpr int PassPercentBelow = 69;
constexpr int FullPercentBelow = 99;

bool isFullMatch(std::int16_t matchCount, std::int16_t correctCount)
{
    return matchCount >= correctCount;
}
} // namespace

AttemptScore AttemptScore::of(const AttemptState& state, const RecordReader& readRecord)
{
    return of(state, [&readRecord](std::int16_t number) { return readRecord(number).CorrectOptions; });
}

AttemptScore AttemptScore::of(const AttemptState& state, const CorrectOptionsReader& readCorrectOptions)
{
    AttemptScore result;
    result.m_lines.reserve(state.QuestionsToTake);
    for (int n = 1; n <= state.QuestionsToTake; ++n)
        result.add(n, matchCount(state, n, readCorrectOptions(state.QuestionOrder(n))), state.CorrectCount(n));
    return result;
}

std::int16_t AttemptScore::matchCount(const AttemptState& state, int position, const QuestionRecord& record)
{
    return matchCount(state, position, record.CorrectOptions);
}

std::int16_t AttemptScore::matchCount(const AttemptState& state, int position,
                                      const std::array<std::int16_t, 4>& correctOptions)
{
    std::int16_t matches = 0;
    for (int k = 1; k <= state.CorrectCount(position); ++k) {
        if (k > QuestionRecord::OptionCount)
            throw platform::RuntimeError(platform::ErrorNumber::SubscriptOutOfRange);
        if (state.Selections(position, k) == correctOptions[std::size_t(k - 1)])
            matches = platform::addInteger(matches, 1);
    }
    return matches;
}

bool AttemptScore::answeredCorrectly(const AttemptState& state, int position, const QuestionRecord& record)
{
    return isFullMatch(matchCount(state, position, record), state.CorrectCount(position));
}

QString AttemptScore::line(int position, std::int16_t matchCount, std::int16_t correctCount)
{
    const auto verdict
        = isFullMatch(matchCount, correctCount) ? QStringLiteral("  Correct") : QStringLiteral(" Incorrect");
    return QStringLiteral("Question ") + platform::integerText(position) + verdict;
}

// Computed in double and stored as a Single, so 3 questions give 2.1 rounded to a float.
float AttemptScore::passMarkOf(std::int16_t maximumScore)
{
    return float(double(maximumScore) / Hundred * PassPercent);
}

// Rounded to the nearest whole percent, then kept on the side of the pass mark, of a full score and
// of nothing that the points themselves are on: 139 of 200 is "69 %", not a failing "70 %".
QString AttemptScore::shareText(std::int16_t score, std::int16_t maximumScore)
{
    const QString points = QStringLiteral("%1 of %2 points").arg(score).arg(maximumScore);
    if (maximumScore <= 0)
        return points;
    int percent = qRound(Hundred * score / maximumScore);
    if (float(score) < passMarkOf(maximumScore))
        percent = std::min(percent, PassPercentBelow);
    if (score < maximumScore)
        percent = std::min(percent, FullPercentBelow);
    if (score > 0)
        percent = std::max(percent, 1);
    return points + QStringLiteral(" (%1 %)").arg(percent);
}

std::vector<int> AttemptScore::incorrectPositions() const
{
    std::vector<int> positions;
    for (std::size_t i = 0; i < m_correct.size(); ++i)
        if (!m_correct[i])
            positions.push_back(int(i) + 1);
    return positions;
}

void AttemptScore::add(int position, std::int16_t matchCount, std::int16_t correctCount)
{
    m_lines.append(line(position, matchCount, correctCount));
    m_correct.push_back(isFullMatch(matchCount, correctCount));
    m_score = platform::addInteger(m_score, matchCount);
    m_maximumScore = platform::addInteger(m_maximumScore, correctCount);
}

ScoreRecord AttemptScore::record(std::int16_t examNumber) const
{
    ScoreRecord record;
    record.ExamNumber = examNumber;
    record.MaximumScore = m_maximumScore;
    record.Score = m_score;
    record.Passed = passed() ? ScoreRecord::True : ScoreRecord::False;
    return record;
}

} // namespace quizmark
