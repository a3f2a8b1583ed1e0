#include "attemptscore.h"

#include "module1.h"

#include "data/questionrecord.h"
#include "platform/conversions.h"
#include "platform/runtimeerror.h"

namespace quizmark {

namespace {
constexpr double PassPercent = 70.0;
constexpr double Hundred = 100.0;
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

QString AttemptScore::line(int position, std::int16_t matchCount, std::int16_t correctCount)
{
    const auto verdict = matchCount >= correctCount ? QStringLiteral("  Correct") : QStringLiteral(" Incorrect");
    return QStringLiteral("Question ") + platform::integerText(position) + verdict;
}

// Computed in double and stored as a Single, so 3 questions give 2.1 rounded to a float.
float AttemptScore::passMarkOf(std::int16_t maximumScore)
{
    return float(double(maximumScore) / Hundred * PassPercent);
}

void AttemptScore::add(int position, std::int16_t matchCount, std::int16_t correctCount)
{
    m_lines.append(line(position, matchCount, correctCount));
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
