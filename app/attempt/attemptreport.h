#pragma once

#include "attemptscore.h"

#include "data/questionrecord.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

class QTextDocument;

namespace quizmark {

struct AttemptState;

// The report of a finished attempt that a candidate can keep or send: the exam, when it was taken,
// the score and the verdict, then every question with the candidate's and the correct answers and
// the explanation. Texts from the question bank go in as plain text, never as markup.
class AttemptReport
{
public:
    // The questions are the attempt's records in attempt order, position 1 first.
    AttemptReport(const AttemptState& state, const AttemptScore& score, std::vector<QuestionRecord> questions,
                  QDateTime finished);

    // Why the attempt added no score record, as the results say it: "Study mode: not added to the
    // score history." and the like; empty for a timed exam, which added one.
    static QString practiceNote(const AttemptState& state);

    std::unique_ptr<QTextDocument> document() const;
    // The exam's name and the date of the attempt, with characters no file name may hold replaced.
    QString fileName() const;

    // The exam's name as a heading shows it: without its fixed-width padding.
    static QString examName(const AttemptState& state);
    // "Question 3 of 10: Incorrect"
    static QString positionLine(int position, int total, bool correct);
    // The same with the points of a question that earned some but not all of them:
    // "Question 3 of 10: Incorrect (1 of 2 points)".
    static QString positionLine(int position, int total, std::int16_t points, std::int16_t worth);

private:
    struct Question
    {
        QuestionRecord record;
        std::array<bool, 4> yours{};
        std::array<bool, 4> correct{};
        bool answeredCorrectly = false;
    };

    QString m_examName;
    QDateTime m_finished;
    QString m_practiceNote;
    AttemptScore m_score;
    std::vector<Question> m_questions;
};

} // namespace quizmark
