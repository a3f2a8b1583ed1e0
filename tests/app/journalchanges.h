#pragma once

#include "attemptjournal.h"

#include <QByteArray>
#include <QDateTime>

#include <array>

// A fixed sequence of changes to one attempt, the same in the program that makes them and in the
// test that checks what a journal holds after any number of them.
namespace JournalChanges {

constexpr int Questions = 5;
constexpr int ExamSeconds = 300;

struct State {
    std::array<quizmark::Selection, Questions> selections {};
    std::array<bool, Questions> marked {};
    int position = 1;
    int secondsLeft = ExamSeconds;
    bool paused = false;
    bool operator==(const State&) const = default;
};

inline quizmark::AttemptStart start()
{
    quizmark::AttemptStart start;
    start.examNumber = 1;
    start.started = QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC);
    start.examSeconds = ExamSeconds;
    for (int n = 1; n <= Questions; ++n) {
        quizmark::AskedQuestion question;
        question.recordNumber = static_cast<std::int16_t>(n * 3);
        question.record = QByteArray(2030, char('a' + n));
        start.questions.push_back(question);
    }
    return start;
}

// Change n touches one thing only, in turn ticks, a mark, the position and the clock.
inline void applyTo(State& state, long n)
{
    const int position = int(n % Questions);
    switch (n % 4) {
    case 0:
        state.selections[std::size_t(position)] = { std::int16_t(1 + n % 4), std::int16_t(n % 3), 0, 0 };
        break;
    case 1:
        state.marked[std::size_t(position)] = n % 2 == 1 && n % 3 != 0;
        break;
    case 2:
        state.position = position + 1;
        break;
    default:
        state.secondsLeft = int(ExamSeconds - n % ExamSeconds);
        state.paused = n % 7 == 0;
        break;
    }
}

inline bool apply(quizmark::AttemptJournal& journal, qint64 id, long n)
{
    State after;
    applyTo(after, n);
    const int position = int(n % Questions);
    switch (n % 4) {
    case 0:
        return journal.saveSelections(id, position + 1, after.selections[std::size_t(position)]);
    case 1:
        return journal.saveMarked(id, position + 1, after.marked[std::size_t(position)]);
    case 2:
        return journal.savePosition(id, after.position);
    default:
        return journal.saveClock(id, after.secondsLeft, after.paused);
    }
}

inline State after(long changes)
{
    State state;
    for (long n = 1; n <= changes; ++n)
        applyTo(state, n);
    return state;
}

inline State of(const quizmark::JournaledAttempt& attempt)
{
    State state;
    for (int n = 0; n < Questions && n < int(attempt.questions.size()); ++n) {
        state.selections[std::size_t(n)] = attempt.questions[std::size_t(n)].selection;
        state.marked[std::size_t(n)] = attempt.questions[std::size_t(n)].marked;
    }
    state.position = attempt.position;
    state.secondsLeft = attempt.secondsLeft;
    state.paused = attempt.paused;
    return state;
}

}
