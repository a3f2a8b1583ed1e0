#pragma once

#include "fixedarray.h"

#include "data/cataloguerecord.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace quizmark {

constexpr int MaxPositions = 1000;
constexpr int OptionSlots = 4;
// An attempt's seconds must fit an Integer: 546 minutes is 32,760 seconds.
constexpr int MaxExamMinutes = 546;

// The runtime file numbers, each always used for the same file.
namespace FileNumber {
constexpr int Catalogue = 1;
constexpr int QuestionBank = 2;
constexpr int ScoreHistory = 3;
// The domains beside the question bank, open only while they are read.
constexpr int BankDomains = 4;
} // namespace FileNumber

// The variables through which the screens hand one attempt on. Booleans keep the runtime's
// meaning (True = -1) only on disk; in memory they are bool.
struct AttemptState
{
    QString IndexFilePath;
    QString DataDirectory;
    QString ResultsFilePath;
    std::int16_t SelectedExam = 0;
    CatalogueRecord CurrentExam;
    std::int16_t QuestionsToTake = 0;
    std::int16_t ExamMinutes = 0;
    FixedArray<std::int16_t, 1, MaxPositions> QuestionOrder;
    FixedArray<std::int16_t, 1, MaxPositions> CorrectCount;
    FixedArray2D<std::int16_t, 1, MaxPositions, 1, OptionSlots> Selections;
    FixedArray<bool, 1, MaxPositions> Completed;
    // Positions the candidate marked to come back to; only the item review and End Exam read them.
    FixedArray<bool, 1, MaxPositions> MarkedForReview;
    std::int16_t CurrentQuestion = 0;
    // Set by the set-up screen: draw the questions from the whole bank, not only its first records.
    bool DrawFromWholeBank = false;
    // The attempt ended because its time ran out, not by End Exam.
    bool TimeRanOut = false;
    // The bank records of a practice retry, handed from the results screen to the next exam start,
    // which draws exactly these (RetryCount of them) and sets RetryCount back to 0.
    FixedArray<std::int16_t, 1, MaxPositions> RetryRecords;
    std::int16_t RetryCount = 0;
    // Set by exam start: whether the attempt is a practice retry, which adds no score record.
    bool PracticeRetry = false;
    // Set by the set-up screen: the next attempt asks the candidate's weakest questions and adds
    // no score record.
    bool WeakPractice = false;
    // Set by the set-up screen: the attempt runs without a countdown, each answer can be checked as
    // the candidate goes, and it adds no score record.
    bool StudyMode = false;
    // Study mode: the positions whose answer was checked; their ticks are locked.
    FixedArray<bool, 1, MaxPositions> Checked;
    // Set by exam start: each drawn question's bank record as it was asked, position 1 first. The
    // attempt is scored, reviewed and reported from these, whatever becomes of the bank meanwhile.
    std::vector<QByteArray> AskedRecords;
    // Set by exam start beside AskedRecords: each drawn question's domain, empty for none.
    std::vector<QString> AskedDomains;
    // The attempt's entry in the journal; 0 while it has none.
    qint64 JournalId = 0;
    // Set by the resume at start: the next exam start goes on with the attempt the state holds,
    // with these seconds left and paused or not, instead of drawing a new one.
    bool Resuming = false;
    int ResumeSecondsLeft = 0;
    bool ResumePaused = false;
};

} // namespace quizmark
