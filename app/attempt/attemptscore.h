#pragma once

#include "data/scorerecord.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace quizmark {

struct AttemptState;
struct QuestionRecord;

// The score of a finished attempt: one point for each slot of a position whose stored selection
// equals the same element of the correct options, and a pass at 70 % of the correct options drawn.
class AttemptScore
{
public:
    // Reads the bank record with the given number.
    using RecordReader = std::function<QuestionRecord(std::int16_t recordNumber)>;
    // Reads only the correct options of the bank record with the given number.
    using CorrectOptionsReader = std::function<std::array<std::int16_t, 4>(std::int16_t recordNumber)>;

    // Scores positions 1 to QuestionsToTake in order, reading record QuestionOrder(n) for each.
    static AttemptScore of(const AttemptState& state, const RecordReader& readRecord);
    static AttemptScore of(const AttemptState& state, const CorrectOptionsReader& readCorrectOptions);

    // Slots 1 to CorrectCount(position) compared with the record's correct options, element by element.
    static std::int16_t matchCount(const AttemptState& state, int position, const QuestionRecord& record);
    // Whether every correct option of the position was matched.
    static bool answeredCorrectly(const AttemptState& state, int position, const QuestionRecord& record);
    static std::int16_t matchCount(const AttemptState& state, int position,
                                   const std::array<std::int16_t, 4>& correctOptions);
    static QString line(int position, std::int16_t matchCount, std::int16_t correctCount);
    static float passMarkOf(std::int16_t maximumScore);
    // "5 of 14 points (36 %)"; the share never claims a pass mark, a full score or nothing that
    // the points do not bear out. An attempt worth nothing gives no share.
    static QString shareText(std::int16_t score, std::int16_t maximumScore);

    // Counts one position in, with the runtime's Integer overflow check.
    void add(int position, std::int16_t matchCount, std::int16_t correctCount);

    std::int16_t score() const { return m_score; }
    std::int16_t maximumScore() const { return m_maximumScore; }
    float passMark() const { return passMarkOf(m_maximumScore); }
    bool passed() const { return float(m_score) >= passMark(); }
    // "Question n  Correct" or "Question n Incorrect", one per position added.
    const QStringList& lines() const { return m_lines; }
    // Whether every correct option of the position was matched; positions from 1.
    bool isCorrect(int position) const { return m_correct.at(std::size_t(position - 1)); }
    // The positions not fully correct, in attempt order.
    std::vector<int> incorrectPositions() const;
    QString shareText() const { return shareText(m_score, m_maximumScore); }
    ScoreRecord record(std::int16_t examNumber) const;

private:
    std::int16_t m_score = 0;
    std::int16_t m_maximumScore = 0;
    QStringList m_lines;
    std::vector<bool> m_correct;
};

} // namespace quizmark
