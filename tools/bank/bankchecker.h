#pragma once

#include "datadirectory.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <optional>

namespace quizmark {

struct CatalogueRecord;
struct QuestionRecord;

// Reads a data directory as the program does and names every problem a candidate would meet.
class BankChecker
{
public:
    explicit BankChecker(DataDirectory directory);

    // One line per problem; empty when the directory or its index.dat cannot be read, with the
    // reason in failure().
    std::optional<QStringList> check();
    const QString& failure() const { return m_failure; }

    // Why a question cannot be answered correctly, or empty when its CorrectOptions are sound.
    static QString answerProblem(const QuestionRecord& record);

private:
    void checkExam(qint64 number, const CatalogueRecord& record);
    void checkBank(const QString& exam, const CatalogueRecord& record);
    void checkFragment(const QString& file, const RecordStream& records);
    void checkDomains(const QString& bank, qint64 records);
    void checkResults();
    void checkUnnamedBanks();
    void checkUnnamedDomains();

    DataDirectory m_directory;
    QStringList m_findings;
    // The bank files the catalogue names, to find those it does not.
    QSet<QString> m_named;
    // Each exam name met so far, with the number of the first exam that bore it.
    QHash<QString, qint64> m_names;
    QString m_failure;
};

} // namespace quizmark
