#include "answerticks.h"

#include "attemptstate.h"

#include "data/questionrecord.h"

namespace quizmark {

namespace {
// Option numbers outside 1 to 4 (a blank slot is 0) tick nothing.
void tick(std::array<bool, 4>& boxes, int option)
{
    if (option >= 1 && option <= int(boxes.size()))
        boxes[std::size_t(option - 1)] = true;
}
} // namespace

AnswerTicks AnswerTicks::of(const AttemptState& state, int position, const QuestionRecord& record)
{
    AnswerTicks ticks;
    for (int k = 1; k <= state.CorrectCount(position); ++k) {
        tick(ticks.yours, state.Selections(position, k));
        tick(ticks.correct, record.correctOption(k));
    }
    return ticks;
}

} // namespace quizmark
