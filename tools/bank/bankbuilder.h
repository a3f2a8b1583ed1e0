#pragma once

#include "bankexam.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace quizmark {

// Writes the catalogue and the banks of checked exams into a data directory, all or none.
class BankBuilder
{
public:
    explicit BankBuilder(QList<BankExam> exams);
    // A catalogue as given, of which only the banks of the exams given are written.
    BankBuilder(QList<CatalogueRecord> catalogue, QList<BankExam> banks);

    // A bank file, and its domains, removed once the new catalogue is in place.
    void removeBank(const QString& name) { m_removedBank = name; }
    // For the test of interruptions: the process ends itself after that many renames.
    void stopAfterRenames(int count) { m_stopAfterRenames = count; }
    // Every bank goes to a temporary beside it, then the catalogue; only when all are whole are
    // they renamed into place, banks first and the catalogue last. A run cut off among the renames
    // is finished by the next command. On failure nothing is replaced; the reason in error.
    bool write(const QString& directory, QString* error) const;

    static QByteArray catalogueBytes(const QList<CatalogueRecord>& catalogue);
    static QByteArray bankBytes(const QList<QuestionRecord>& questions);
    // The sidecar of the exam's bank: one line per question.
    static QByteArray domainBytes(const BankExam& exam);

private:
    QList<CatalogueRecord> m_catalogue;
    QList<BankExam> m_banks;
    QString m_removedBank;
    int m_stopAfterRenames = -1;
};

} // namespace quizmark
