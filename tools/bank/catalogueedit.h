#pragma once

#include "bankexam.h"
#include "datadirectory.h"

#include <QHash>
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
    // holds it when replace is set, and is refused otherwise, as is a bank name that a file there
    // bears which no exam names. False when anything was refused.
    bool add(const QList<BankExam>& exams, bool replace);
    // Removes the exam of that number (from 1) or name; false when there is none.
    bool remove(const QString& exam);
    bool write();
    // For the test of interruptions: the process ends itself after that many renames.
    void stopAfterRenames(int count) { m_stopAfterRenames = count; }

    // Why writing these exams' banks into the directory would replace a file that no exam of its
    // catalogue names, one line each; empty when none would. The tool writes only its own files
    // without --replace.
    static QStringList strangersReplaced(const DataDirectory& directory, const QList<BankExam>& exams);

    const QStringList& errors() const { return m_errors; }
    // What was done, one line each, for the user.
    const QStringList& notes() const { return m_notes; }

private:
    qsizetype examIndex(const QString& exam) const;
    qsizetype bankIndex(const QString& bank) const;
    qsizetype nameIndex(const QString& name) const;
    // The places of the banks and names, looked up by their keys instead of one by one.
    void index();
    void indexRecord(qsizetype at);
    static QString bankKey(const QString& bank);
    static QString nameKey(const QString& name);

    DataDirectory m_directory;
    QList<CatalogueRecord> m_catalogue;
    QList<BankExam> m_added;
    QString m_removedBank;
    QHash<QString, qsizetype> m_banks;
    QHash<QString, qsizetype> m_names;
    int m_stopAfterRenames = -1;
    QStringList m_errors;
    QStringList m_notes;
};

} // namespace quizmark
