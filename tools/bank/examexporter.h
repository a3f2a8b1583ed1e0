#pragma once

#include "bankexam.h"
#include "datadirectory.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

namespace quizmark {

// One exam of a data directory written in a format another program imports. Every export is read
// back before it is handed out: a format that cannot hold the exam as it stands is refused.
class ExamExporter
{
public:
    static inline const QStringList Formats
        = { QStringLiteral("json"), QStringLiteral("gift"), QStringLiteral("moodle-xml"), QStringLiteral("aiken"),
            QStringLiteral("csv") };

    explicit ExamExporter(DataDirectory directory);

    // The exam of that number (from 1) or name with all whole records of its bank.
    std::optional<BankExam> load(const QString& exam);
    std::optional<QByteArray> write(const BankExam& exam, const QString& format);
    const QString& failure() const { return m_failure; }
    // What the format leaves out by its nature, for the user.
    const QStringList& notes() const { return m_notes; }

private:
    QByteArray encode(const BankExam& exam, const QString& format);
    // Why the bytes do not read back as the exam, or empty when they do.
    QString readBackProblem(const BankExam& exam, const QString& format, const QByteArray& bytes);
    // What the format cannot hold by its nature, found before writing it.
    static QString formatProblem(const QuestionRecord& record, const QString& format);
    // The refusal, naming the question by its number and first words.
    static QString cannotHold(const QString& format, qsizetype index, const QuestionRecord& record,
                              const QString& problem);
    static QString difference(const QuestionRecord& expected, const QuestionRecord& back);

    DataDirectory m_directory;
    QString m_failure;
    QStringList m_notes;
};

} // namespace quizmark
