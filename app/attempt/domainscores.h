#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace quizmark {

struct AttemptState;
struct QuestionRecord;

// An attempt's points by domain, as certification exams report them: each position's points count
// toward the domain its question was asked under.
class DomainScores
{
public:
    struct Domain
    {
        QString name;
        int score = 0;
        int maximumScore = 0;
    };

    // The positions 1 to QuestionsToTake with their records as asked, records[0] first; an attempt
    // whose questions have no domain has none.
    static DomainScores of(const AttemptState& state, const std::vector<QuestionRecord>& records);

    const std::vector<Domain>& domains() const { return m_domains; }
    // "Addressing: 2 of 2 points (100 %)", one per domain in alphabetical order; questions without a
    // domain in an attempt that has some come last as "Other questions".
    QStringList lines() const;

    static const QString& otherQuestions();

private:
    std::vector<Domain> m_domains;
};

} // namespace quizmark
