#pragma once

#include "data/cataloguerecord.h"
#include "data/questionrecord.h"

#include <QList>
#include <QStringList>

#include <algorithm>

namespace quizmark {

// One exam as the tool writes it: its catalogue record, the records of its question bank and
// their domains.
struct BankExam
{
    CatalogueRecord catalogue;
    QList<QuestionRecord> questions;
    // One per question, empty for a question without one; an empty list when none has one.
    QStringList domains;

    QString domain(qsizetype question) const { return domains.value(question); }
    bool hasDomains() const
    {
        return std::any_of(domains.begin(), domains.end(), [](const QString& domain) { return !domain.isEmpty(); });
    }
};

} // namespace quizmark
