#pragma once

#include <QString>

#include <cstdint>

namespace quizmark {

class AttemptJournal;
class ScreenHost;
struct JournaledAttempt;

// At start, an unfinished attempt that no running instance holds is offered to the candidate:
// resumed as it stood, or discarded (kept in the journal, never scored).
class AttemptResume
{
public:
    explicit AttemptResume(ScreenHost& host);

    // Offers each unfinished attempt in turn; true when one was resumed and its exam screen shows
    // in place of the exam selection.
    bool offer();

    // "An unfinished attempt at "Alpha exam" was found: question 3 of 5, 4:47 left."
    static QString foundText(const JournaledAttempt& attempt);

private:
    bool offerOne(AttemptJournal& journal, qint64 id);
    bool bankUnchanged(const JournaledAttempt& attempt);
    bool resume(const JournaledAttempt& attempt);
    void tellMovedAside(AttemptJournal& journal);
    QString dataDirectory() const;

    ScreenHost& m_host;
};

} // namespace quizmark
