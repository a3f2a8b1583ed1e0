#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace quizmark {

// What the set-up screen makes of the number typed into Text2, without any widget.
class QuestionCountRule
{
public:
    explicit QuestionCountRule(int questionTotal);

    // The largest number of questions an attempt may take: the bank's total, but never more than
    // the attempt state holds (positions, and minutes whose seconds fit an Integer).
    int cap() const { return m_cap; }
    // True when the text must be wiped: above the cap, reading as 0, converting to 0 questions,
    // too far below zero for an Integer to hold, or too large to read as a number at all.
    bool wipes(const QString& text) const;
    // The minutes the text gives, one per question; 0 for a text that reads as no number or as
    // one an Integer cannot hold.
    static std::int16_t timeGiven(const QString& text);
    // The number of questions "Start Exam" takes from the text, or nothing when it refuses.
    std::optional<std::int16_t> questionsToTake(const QString& text) const;

private:
    int m_cap;
};

} // namespace quizmark
