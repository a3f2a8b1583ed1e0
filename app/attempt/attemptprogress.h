#pragma once

#include <QString>

#include <cstdint>

namespace quizmark {

struct AttemptState;

// Where the candidate stands in an attempt, counted from the attempt state: what the exam screen
// and the item review tell about position, time, incomplete and marked questions.
class AttemptProgress
{
public:
    // Positions 1 to QuestionsToTake, each counted as the item review counts it.
    explicit AttemptProgress(const AttemptState& state);

    // True when the position holds as many stored options as its question has correct ones.
    static bool isComplete(const AttemptState& state, int position);
    // "Question 3 of 10".
    static QString positionText(int position, int questions);
    // Seconds as minutes and seconds, "9:59"; nothing below 0:00.
    static QString clockText(int seconds);

    int questions() const { return m_questions; }
    int incomplete() const { return m_incomplete; }
    int marked() const { return m_marked; }
    // "2 of 10 questions are incomplete. 1 is marked for review.", each part only when its count
    // is not 0; empty when both are.
    QString endExamLine() const;

private:
    int m_questions = 0;
    int m_incomplete = 0;
    int m_marked = 0;
};

} // namespace quizmark
