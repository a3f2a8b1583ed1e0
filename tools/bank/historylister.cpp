#include "historylister.h"

#include "attemptjournal.h"

#include "data/cataloguerecord.h"
#include "data/fixedfield.h"
#include "data/scorerecord.h"

#include "platform/conversions.h"
#include "platform/runtimeerror.h"

#include <QFileInfo>

namespace quizmark {

namespace {
constexpr double PassPercent = 70.0;
}

HistoryLister::HistoryLister(DataDirectory directory)
    : m_directory(std::move(directory))
{
}

std::optional<QStringList> HistoryLister::lines()
{
    if (!m_directory.exists()) {
        m_failure = QStringLiteral("%1 is not a directory").arg(m_directory.path());
        return std::nullopt;
    }
    // No history yet is an empty history: the first finished attempt creates the file.
    if (!m_directory.isPresent(DataDirectory::ResultsFile))
        return QStringList();
    QString error;
    auto records = m_directory.open(DataDirectory::ResultsFile, ScoreRecord::Length, &error);
    if (!records) {
        m_failure = QStringLiteral("%1 %2").arg(m_directory.filePath(DataDirectory::ResultsFile), error);
        return std::nullopt;
    }
    std::int16_t count = 0;
    try {
        count = ScoreRecord::count(records->length());
    } catch (const platform::RuntimeError&) {
        m_failure = QStringLiteral("%1 holds more records than the program can count").arg(DataDirectory::ResultsFile);
        return std::nullopt;
    }
    const QStringList names = examNames();
    QStringList lines;
    for (qint64 n = 1; n <= count; ++n) {
        const ScoreRecord record = ScoreRecord::fromBytes(records->record(n));
        lines.append(QStringList{
            QString::number(n),
            QString::number(record.ExamNumber),
            names.value(record.ExamNumber - 1),
            QString::number(record.MaximumScore),
            QString::number(record.Score),
            passMark(record.MaximumScore),
            record.Passed != ScoreRecord::False ? QStringLiteral("Pass") : QStringLiteral("Fail"),
        }
                         .join(u'\t'));
    }
    lines.append(journalLines(names));
    return lines;
}

// Attempts the journal finished, after the score records: each with when it ended, its kind and
// the score record it added. A directory without a journal is left without one.
QStringList HistoryLister::journalLines(const QStringList& names) const
{
    QStringList lines;
    const QString path = m_directory.filePath(QString::fromLatin1(AttemptJournal::FileName));
    if (!QFileInfo::exists(path))
        return lines;
    AttemptJournal journal(path);
    for (const PastAttempt& attempt : journal.allFinishedAttempts()) {
        const QString name = names.value(attempt.examNumber - 1, attempt.examName);
        lines.append(QStringList{
            QStringLiteral("journal:%1").arg(attempt.id),
            QString::number(attempt.examNumber),
            name,
            QString::number(attempt.end.maximumScore),
            QString::number(attempt.end.score),
            passMark(attempt.end.maximumScore),
            attempt.end.passed ? QStringLiteral("Pass") : QStringLiteral("Fail"),
            attempt.ended.toUTC().toString(Qt::ISODate),
            kindText(attempt),
            attempt.end.scoreRecord > 0 ? QString::number(attempt.end.scoreRecord) : QStringLiteral("-"),
        }
                         .join(u'\t'));
    }
    return lines;
}

// "Exam", "Practice" (a retry), "Weak practice", and "Study" for a study attempt at the exam or
// " study" after a practice's kind.
QString HistoryLister::kindText(const PastAttempt& attempt)
{
    QString kind;
    switch (attempt.kind) {
    case AttemptKind::PracticeRetry:
        kind = QStringLiteral("Practice");
        break;
    case AttemptKind::WeakPractice:
        kind = QStringLiteral("Weak practice");
        break;
    case AttemptKind::Exam:
        return attempt.study ? QStringLiteral("Study") : QStringLiteral("Exam");
    }
    return attempt.study ? kind + QStringLiteral(" study") : kind;
}

QString HistoryLister::passMark(std::int16_t maximumScore)
{
    return platform::singleText(float(double(maximumScore) / 100.0 * PassPercent));
}

QStringList HistoryLister::examNames() const
{
    QStringList names;
    auto index = m_directory.open(DataDirectory::IndexFile, CatalogueRecord::Length);
    if (!index)
        return names;
    const qint64 count = index->roundedRecords();
    for (qint64 n = 1; n <= count; ++n)
        names.append(FixedField::trimmedRight(CatalogueRecord::fromBytes(index->record(n)).ExamName));
    return names;
}

} // namespace quizmark
