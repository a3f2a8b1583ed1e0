#pragma once

#include "data/cataloguerecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace quizmark {

struct AttemptState;

// The options stored for one position, in the slots the exam screen stores them in.
using Selection = std::array<std::int16_t, 4>;

enum class AttemptKind
{
    Exam = 0,
    PracticeRetry = 1,
    WeakPractice = 2
};
enum class AttemptStatus
{
    Running = 0,
    Finished = 1,
    Abandoned = 2
};

// One drawn question: its bank record as it was asked, and what the candidate did with it.
struct AskedQuestion
{
    std::int16_t recordNumber = 0;
    QByteArray record;
    Selection selection{};
    bool completed = false;
    bool marked = false;
    // Study mode: the answer was checked and its ticks are locked.
    bool checked = false;
    QString domain;

    // Whether the selection matches every correct option of the record, as the scoring counts it.
    bool answeredFully() const;
};

// What the journal keeps when an attempt starts.
struct AttemptStart
{
    std::int16_t examNumber = 0;
    CatalogueRecord exam;
    AttemptKind kind = AttemptKind::Exam;
    bool study = false;
    QDateTime started;
    int examSeconds = 0;
    std::vector<AskedQuestion> questions;

    // The attempt the state holds: positions 1 to QuestionsToTake with their records as asked.
    static AttemptStart of(const AttemptState& state, QDateTime started, int examSeconds);
};

// What the journal keeps when an attempt ends.
struct AttemptEnd
{
    std::int16_t score = 0;
    std::int16_t maximumScore = 0;
    float passMark = 0;
    bool passed = false;
    QDateTime ended;
    // Counted by the journal from the clock the exam screen left.
    int secondsUsed = 0;
    bool timeRanOut = false;
    // The attempt's record number in results.dat; 0 when it added none.
    qint64 scoreRecord = 0;
    // Whether each position, 1 first, was answered fully right; the question statistics count these.
    std::vector<bool> fullyRight;
};

// An attempt as the journal holds it.
struct JournaledAttempt
{
    qint64 id = 0;
    std::int16_t examNumber = 0;
    CatalogueRecord exam;
    AttemptKind kind = AttemptKind::Exam;
    bool study = false;
    AttemptStatus status = AttemptStatus::Running;
    QDateTime started;
    int examSeconds = 0;
    int position = 1;
    int secondsLeft = 0;
    bool paused = false;
    std::vector<AskedQuestion> questions;
    AttemptEnd end;

    // Puts the attempt back into the state as the exam screen left it: exam, draw, records asked,
    // ticks, marks, completed flags and position.
    void restoreInto(AttemptState& state) const;
};

// One line of the past attempts.
struct PastAttempt
{
    qint64 id = 0;
    std::int16_t examNumber = 0;
    QString examName;
    AttemptKind kind = AttemptKind::Exam;
    bool study = false;
    QDateTime ended;
    AttemptEnd end;
};

} // namespace quizmark
