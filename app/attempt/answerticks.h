#pragma once

#include <array>

namespace quizmark {

struct AttemptState;
struct QuestionRecord;

// Which of the four options the answer review ticks for one attempt position: those the candidate
// stored and those the record gives as correct, each looked at in slots 1 to CorrectCount only.
struct AnswerTicks
{
    // Index 0 to 3 for options 1 to 4.
    std::array<bool, 4> yours{};
    std::array<bool, 4> correct{};

    static AnswerTicks of(const AttemptState& state, int position, const QuestionRecord& record);
};

} // namespace quizmark
