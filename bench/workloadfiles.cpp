#include "workloadfiles.h"

#include "data/questionrecord.h"
#include "data/scorerecord.h"

#include <QFile>

#include <stdexcept>

namespace quizmark_bench {

using quizmark::QuestionRecord;
using quizmark::ScoreRecord;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

// The correct options of question q: one to four of them, ascending, then 0.
QuestionRecord::CorrectOptionList correctOptionsOf(int q)
{
    QuestionRecord::CorrectOptionList options{};
    int slot = 0;
    for (std::int16_t option = 1; option <= QuestionRecord::OptionCount; ++option)
        if ((q + option) % 3 != 0 || option == 4)
            options[std::size_t(slot++)] = option;
    return options;
}

} // namespace

WorkloadFiles::WorkloadFiles()
    : m_attempt(std::make_unique<quizmark::AttemptState>())
{
    if (!m_folder.isValid())
        throw std::runtime_error("no temporary folder");
    writeBank();
    writeHistory();
    finishAttempt();
}

QString WorkloadFiles::bankPath() const
{
    return m_folder.filePath(QStringLiteral("bank.dat"));
}

QString WorkloadFiles::historyPath() const
{
    return m_folder.filePath(QStringLiteral("results.dat"));
}

void WorkloadFiles::writeBank()
{
    QByteArray bank;
    bank.reserve(Questions * QuestionRecord::Length);
    for (int q = 1; q <= Questions; ++q) {
        QuestionRecord record;
        record.Question = QStringLiteral("Which of these statements about item %1 hold?").arg(q);
        for (int k = 1; k <= QuestionRecord::OptionCount; ++k)
            record.option(k) = QStringLiteral("Statement %1 of item %2").arg(k).arg(q);
        record.CorrectOptions = correctOptionsOf(q);
        record.Explanation = QStringLiteral("Item %1 is explained here.").arg(q);
        bank += record.toBytes();
    }
    writeFile(bankPath(), bank);
}

// Scores up to 2600 of 2600, so the chart has some 2600 value labels; every eighth record is
// another exam's.
void WorkloadFiles::writeHistory()
{
    QByteArray history;
    history.reserve(ScoreRecords * ScoreRecord::Length);
    for (int r = 1; r <= ScoreRecords; ++r) {
        ScoreRecord record;
        record.ExamNumber = r % 8 == 0 ? std::int16_t(2) : Exam;
        record.MaximumScore = 2600;
        record.Score = std::int16_t(r * 7919 % 2601);
        record.Passed = record.Score >= 1820 ? ScoreRecord::True : ScoreRecord::False;
        history += record.toBytes();
    }
    writeFile(historyPath(), history);
}

void WorkloadFiles::finishAttempt()
{
    quizmark::AttemptState& state = *m_attempt;
    state.SelectedExam = Exam;
    state.QuestionsToTake = Questions;
    for (int n = 1; n <= Questions; ++n) {
        const int q = (n * 337) % Questions + 1; // 337 and 1000 share no factor: every question once
        state.QuestionOrder(n) = std::int16_t(q);
        const QuestionRecord::CorrectOptionList options = correctOptionsOf(q);
        state.CorrectCount(n) = QuestionRecord::correctCount(options);
        for (int k = 1; k <= state.CorrectCount(n); ++k)
            state.Selections(n, k) = n % 5 == 0 ? std::int16_t(0) : options[std::size_t(k - 1)];
    }
}

} // namespace quizmark_bench
