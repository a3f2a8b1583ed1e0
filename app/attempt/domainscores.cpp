#include "domainscores.h"

#include "attemptscore.h"
#include "attemptstate.h"

#include "data/questionrecord.h"

#include <algorithm>
#include <map>

namespace quizmark {

const QString& DomainScores::otherQuestions()
{
    static const QString name = QStringLiteral("Other questions");
    return name;
}

DomainScores DomainScores::of(const AttemptState& state, const std::vector<QuestionRecord>& records)
{
    DomainScores scores;
    const int positions = std::min<int>(state.QuestionsToTake, int(records.size()));
    const bool anyDomain = std::any_of(state.AskedDomains.begin(), state.AskedDomains.end(),
                                       [](const QString& domain) { return !domain.isEmpty(); });
    if (!anyDomain)
        return scores;
    std::map<QString, Domain> byName;
    Domain other{ otherQuestions() };
    bool anyOther = false;
    for (int position = 1; position <= positions; ++position) {
        const QString domain = std::size_t(position - 1) < state.AskedDomains.size()
            ? state.AskedDomains[std::size_t(position - 1)]
            : QString();
        anyOther = anyOther || domain.isEmpty();
        Domain& counted = domain.isEmpty() ? other : byName[domain];
        counted.name = domain.isEmpty() ? otherQuestions() : domain;
        counted.score += AttemptScore::matchCount(state, position, records[std::size_t(position - 1)]);
        counted.maximumScore += state.CorrectCount(position);
    }
    for (auto& [name, domain] : byName)
        scores.m_domains.push_back(std::move(domain));
    if (anyOther)
        scores.m_domains.push_back(other);
    return scores;
}

QStringList DomainScores::lines() const
{
    QStringList lines;
    for (const Domain& domain : m_domains)
        lines.append(domain.name + QStringLiteral(": ")
                     + AttemptScore::shareText(std::int16_t(domain.score), std::int16_t(domain.maximumScore)));
    return lines;
}

} // namespace quizmark
