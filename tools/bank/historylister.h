#pragma once

#include "datadirectory.h"

#include "journaledattempt.h"

#include <QStringList>

#include <optional>

namespace quizmark {

// The score history of a data directory, one line per attempt.
class HistoryLister
{
public:
    explicit HistoryLister(DataDirectory directory);

    // Tab-separated: record number, exam number, exam name, maximum score, score, pass mark,
    // Pass or Fail; then the journal's finished attempts, "journal:ID" first and the end time (UTC),
    // its kind (see kindText) and the score record it added ("-" for none) after. Empty when the directory
    // or results.dat cannot be read, with the reason in failure().
    std::optional<QStringList> lines();
    const QString& failure() const { return m_failure; }

    // The pass mark as the results screen shows it: 70 % of the maximum, as a single.
    static QString passMark(std::int16_t maximumScore);
    static QString kindText(const PastAttempt& attempt);

private:
    QStringList examNames() const;
    QStringList journalLines(const QStringList& names) const;

    DataDirectory m_directory;
    QString m_failure;
};

} // namespace quizmark
