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
    start.kind = state.PracticeRetry ? AttemptKind::PracticeRetry
        : state.WeakPractice         ? AttemptKind::WeakPractice
                                     : AttemptKind::Exam;
    start.study = state.StudyMode;
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
        question.checked = state.Checked(position);
        if (std::size_t(position - 1) < state.AskedDomains.size())
            question.domain = state.AskedDomains[std::size_t(position - 1)];
        start.questions.push_back(std::move(question));
    }
    return start;
}

bool AskedQuestion::answeredFully() const
{
    const QuestionRecord::CorrectOptionList correct = QuestionRecord::fromBytes(record).CorrectOptions;
    const int count = std::min<int>(QuestionRecord::correctCount(correct), QuestionRecord::OptionCount);
    for (int slot = 0; slot < count; ++slot)
        if (selection[std::size_t(slot)] != correct[std::size_t(slot)])
            return false;
    return true;
}

void JournaledAttempt::restoreInto(AttemptState& state) const
{
    const auto count = static_cast<std::int16_t>(questions.size());
    state.SelectedExam = examNumber;
    state.CurrentExam = exam;
    state.QuestionsToTake = count;
    state.ExamMinutes = static_cast<std::int16_t>(examSeconds / 60);
    state.PracticeRetry = kind == AttemptKind::PracticeRetry;
    state.WeakPractice = kind == AttemptKind::WeakPractice;
    state.StudyMode = study;
    state.TimeRanOut = false;
    state.AskedRecords.clear();
    state.AskedDomains.clear();
    for (int position = 1; position <= count; ++position) {
        const AskedQuestion& question = questions[std::size_t(position - 1)];
        state.QuestionOrder(position) = question.recordNumber;
        state.CorrectCount(position) = QuestionRecord::fromBytes(question.record).correctCount();
        for (int slot = 1; slot <= OptionSlots; ++slot)
            state.Selections(position, slot) = question.selection[std::size_t(slot - 1)];
        state.Completed(position) = question.completed;
        state.MarkedForReview(position) = question.marked;
        state.Checked(position) = question.checked;
        state.AskedRecords.push_back(question.record);
        state.AskedDomains.push_back(question.domain);
    }
    state.CurrentQuestion = static_cast<std::int16_t>(std::clamp<int>(position, 1, std::max<int>(count, 1)));
    state.JournalId = id;
}

} // namespace quizmark
