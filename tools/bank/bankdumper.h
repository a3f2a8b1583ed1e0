#pragma once

#include "datadirectory.h"

#include <QStringList>
#include <QTextStream>

namespace quizmark {

struct CatalogueRecord;

// The catalogue of a data directory and every bank it names, in the source format of the tool.
// Written as it is read, one record at a time, so memory stays bounded whatever the files hold.
class BankDumper
{
public:
    explicit BankDumper(DataDirectory directory);

    // False, writing nothing, when index.dat cannot be read; banks that cannot be read dump
    // without questions and are named in warnings().
    bool dump(QTextStream& out);
    const QStringList& warnings() const { return m_warnings; }

private:
    void writeExam(QTextStream& out, qint64 number, const CatalogueRecord& record);
    void writeQuestions(QTextStream& out, const QString& bank, const QString& exam);

    DataDirectory m_directory;
    QStringList m_warnings;
};

} // namespace quizmark
