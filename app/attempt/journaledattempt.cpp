#include "journaledattempt.h"

#include "attemptstate.h"

#include <algorithm>

#include "data/questionrecord.h"

namespace quizmark {

AttemptStart AttemptStart::of(const AttemptState& state, QDateTime started, int examSeconds)
{
    AttemptStart start;
    start.examNumber = state.SelectedExam;
    start.exam = state.CurrentExam;
    start.kind = state.PracticeRetry ? AttemptKind::PracticeRetry : AttemptKind::Exam;
    start.started = std::move(started);
    start.examSeconds = examSeconds;
    for (int position = 1; position <= state.QuestionsToTake; ++position) {
        AskedQuestion question;
        question.recordNumber = state.QuestionOrder(position);
        question.record = state.AskedRecords.at(std::size_t(position - 1));
        for (int slot = 1; slot <= OptionSlots; ++slot)
            question.selection[std::size_t(slot - 1)] = state.Selections(position, slot);
        question.completed = state.Completed(position);
        question.marked = state.MarkedForReview(position);
        start.questions.push_back(std::move(question));
    }
    return start;
}

void JournaledAttempt::restoreInto(AttemptState& state) const
{
    const auto count = static_cast<std::int16_t>(questions.size());
    state.SelectedExam = examNumber;
    state.CurrentExam = exam;
    state.QuestionsToTake = count;
    state.ExamMinutes = static_cast<std::int16_t>(examSeconds / 60);
    state.PracticeRetry = kind == AttemptKind::PracticeRetry;
    state.TimeRanOut = false;
    state.AskedRecords.clear();
    for (int position = 1; position <= count; ++position) {
        const AskedQuestion& question = questions[std::size_t(position - 1)];
        state.QuestionOrder(position) = question.recordNumber;
        state.CorrectCount(position) = QuestionRecord::fromBytes(question.record).correctCount();
        for (int slot = 1; slot <= OptionSlots; ++slot)
            state.Selections(position, slot) = question.selection[std::size_t(slot - 1)];
        state.Completed(position) = question.completed;
        state.MarkedForReview(position) = question.marked;
        state.AskedRecords.push_back(question.record);
    }
    state.CurrentQuestion = static_cast<std::int16_t>(std::clamp<int>(position, 1, std::max<int>(count, 1)));
    state.JournalId = id;
}

} // namespace quizmark
