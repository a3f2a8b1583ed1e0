#pragma once

#include "bankexam.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

namespace quizmark {

// Writes the catalogue and the banks of checked exams into a data directory.
class BankBuilder
{
public:
    explicit BankBuilder(QList<BankExam> exams);
    // A catalogue as given, of which only the banks of the exams given are written.
    BankBuilder(QList<CatalogueRecord> catalogue, QList<BankExam> banks);

    // Every file to write, index.dat included, by file name.
    QMap<QString, QByteArray> files() const;
    // Writes all files or, on failure, leaves the directory as it was (up to the final renames);
    // the reason in error.
    bool write(const QString& directory, QString* error) const;

private:
    QList<CatalogueRecord> m_catalogue;
    QList<BankExam> m_banks;
};

} // namespace quizmark
