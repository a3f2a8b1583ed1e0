#pragma once

#include "bankexam.h"
#include "datadirectory.h"

#include <QList>
#include <QStringList>

namespace quizmark {

// The catalogue of a data directory as it stands, changed one exam at a time: exams added after
// those there, or one removed. Writes through BankBuilder, so the old catalogue stays whole until
// the new one is complete.
class CatalogueEdit
{
public:
    explicit CatalogueEdit(DataDirectory directory);

    // Reads the catalogue there, if any; false with the reason in errors() when it cannot be used.
    bool load();
    // Adds the exams after the others; an exam whose bank name is taken replaces the exam that
    // holds it when replace is set, and is refused otherwise. False when anything was refused.
    bool add(const QList<BankExam>& exams, bool replace);
    // Removes the exam of that number (from 1) or name; false when there is none.
    bool remove(const QString& exam);
    bool write();

    const QStringList& errors() const { return m_errors; }
    // What was done, one line each, for the user.
    const QStringList& notes() const { return m_notes; }

private:
    qsizetype examIndex(const QString& exam) const;
    qsizetype bankIndex(const QString& bank) const;
    qsizetype nameIndex(const QString& name) const;

    DataDirectory m_directory;
    QList<CatalogueRecord> m_catalogue;
    QList<BankExam> m_added;
    QString m_removedBank;
    QStringList m_errors;
    QStringList m_notes;
};

} // namespace quizmark
