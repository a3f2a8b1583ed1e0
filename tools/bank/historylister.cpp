#include "historylister.h"

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
    if (!QFileInfo::exists(m_directory.filePath(DataDirectory::ResultsFile)))
        return QStringList();
    QString error;
    const auto bytes = m_directory.read(DataDirectory::ResultsFile, &error);
    if (!bytes) {
        m_failure = QStringLiteral("%1 %2").arg(m_directory.filePath(DataDirectory::ResultsFile), error);
        return std::nullopt;
    }
    std::int16_t count = 0;
    try {
        count = ScoreRecord::count(bytes->size());
    } catch (const platform::RuntimeError&) {
        m_failure = QStringLiteral("%1 holds more records than the program can count").arg(DataDirectory::ResultsFile);
        return std::nullopt;
    }
    const QStringList names = examNames();
    QStringList lines;
    for (qint64 n = 1; n <= count; ++n) {
        const ScoreRecord record = ScoreRecord::fromBytes(DataDirectory::record(*bytes, n, ScoreRecord::Length));
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
    return lines;
}

QString HistoryLister::passMark(std::int16_t maximumScore)
{
    return platform::singleText(float(double(maximumScore) / 100.0 * PassPercent));
}

QStringList HistoryLister::examNames() const
{
    QStringList names;
    const auto index = m_directory.read(DataDirectory::IndexFile);
    if (!index)
        return names;
    const qint64 count = DataDirectory::recordCount(index->size(), CatalogueRecord::Length);
    for (qint64 n = 1; n <= count; ++n)
        names.append(FixedField::trimmedRight(
            CatalogueRecord::fromBytes(DataDirectory::record(*index, n, CatalogueRecord::Length)).ExamName));
    return names;
}

} // namespace quizmark
