#include "bankchecker.h"

#include "data/cataloguerecord.h"
#include "data/fixedfield.h"
#include "data/questionrecord.h"
#include "data/scorerecord.h"

#include <limits>

namespace quizmark {

namespace {
constexpr qint64 CountLimit = std::numeric_limits<std::int16_t>::max();

QString elements(const QuestionRecord& record)
{
    QStringList numbers;
    for (std::int16_t element : record.CorrectOptions)
        numbers.append(QString::number(element));
    return numbers.join(QStringLiteral(", "));
}
} // namespace

BankChecker::BankChecker(DataDirectory directory)
    : m_directory(std::move(directory))
{
}

std::optional<QStringList> BankChecker::check()
{
    if (!m_directory.exists()) {
        m_failure = QStringLiteral("%1 is not a directory").arg(m_directory.path());
        return std::nullopt;
    }
    QString error;
    const auto index = m_directory.read(DataDirectory::IndexFile, &error);
    if (!index) {
        m_failure = QStringLiteral("%1 %2").arg(m_directory.filePath(DataDirectory::IndexFile), error);
        return std::nullopt;
    }
    m_findings.clear();
    checkFragment(DataDirectory::IndexFile, index->size(), CatalogueRecord::Length);
    qint64 count = DataDirectory::recordCount(index->size(), CatalogueRecord::Length);
    if (count > CountLimit) {
        m_findings.append(QStringLiteral("%1: %2 records; the program counts at most %3")
                              .arg(DataDirectory::IndexFile)
                              .arg(count)
                              .arg(CountLimit));
        count = CountLimit;
    }
    for (qint64 n = 1; n <= count; ++n)
        checkExam(n, CatalogueRecord::fromBytes(DataDirectory::record(*index, n, CatalogueRecord::Length)));
    checkResults();
    return m_findings;
}

QString BankChecker::answerProblem(const QuestionRecord& record)
{
    // The readers compare the first CorrectCount elements with ticks held in ascending order, so
    // the positive elements must come first, ascend and name real options.
    bool nonPositiveSeen = false;
    bool notFirst = false;
    bool outside = false;
    QList<std::int16_t> positives;
    for (std::int16_t element : record.CorrectOptions) {
        notFirst = notFirst || (nonPositiveSeen && element > 0);
        nonPositiveSeen = nonPositiveSeen || element <= 0;
        outside = outside || element < 0 || element > QuestionRecord::OptionCount;
        if (element > 0)
            positives.append(element);
    }
    bool descending = false;
    bool repeated = false;
    for (qsizetype k = 1; k < positives.size(); ++k) {
        descending = descending || positives[k] < positives[k - 1];
        repeated = repeated || positives[k] == positives[k - 1];
    }
    QStringList reasons;
    if (notFirst)
        reasons.append(QStringLiteral("the correct options do not come first"));
    if (descending)
        reasons.append(QStringLiteral("they do not ascend"));
    if (repeated)
        reasons.append(QStringLiteral("an option is repeated"));
    if (outside)
        reasons.append(QStringLiteral("a number lies outside 1 to 4"));
    if (reasons.isEmpty())
        return {};
    return QStringLiteral("CorrectOptions %1: %2").arg(elements(record), reasons.join(QStringLiteral("; ")));
}

void BankChecker::checkExam(qint64 number, const CatalogueRecord& record)
{
    const QString exam = QStringLiteral("exam %1 \"%2\"").arg(number).arg(FixedField::trimmedRight(record.ExamName));
    const QString bank = record.bankFileName();
    const QString problem = DataDirectory::bankNameProblem(bank);
    if (!problem.isEmpty()) {
        m_findings.append(QStringLiteral("%1: bank name \"%2\" %3: not a plain file name in the data directory")
                              .arg(exam, bank, problem));
        return;
    }
    checkBank(exam, record);
}

void BankChecker::checkBank(const QString& exam, const CatalogueRecord& record)
{
    const QString bank = record.bankFileName();
    QString error;
    const auto bytes = m_directory.read(bank, &error);
    if (!bytes) {
        m_findings.append(QStringLiteral("%1: bank file %2 %3").arg(exam, bank, error));
        return;
    }
    checkFragment(bank, bytes->size(), QuestionRecord::Length);
    const qint64 records = DataDirectory::recordCount(bytes->size(), QuestionRecord::Length);
    if (record.QuestionTotal > records)
        m_findings.append(QStringLiteral("%1: QuestionTotal %2 is above the %3 records of %4")
                              .arg(exam)
                              .arg(record.QuestionTotal)
                              .arg(records)
                              .arg(bank));
    // The draw takes records 1 to QuestionTotal at most; a candidate never meets the others.
    const qint64 drawn = std::min<qint64>(record.QuestionTotal, records);
    for (qint64 r = 1; r <= drawn; ++r) {
        const QuestionRecord question
            = QuestionRecord::fromBytes(DataDirectory::record(*bytes, r, QuestionRecord::Length));
        const QString where = QStringLiteral("%1 question %2").arg(bank).arg(r);
        if (question.correctCount() == 0)
            m_findings.append(
                QStringLiteral("%1: no correct option (CorrectOptions %2)").arg(where, elements(question)));
        else if (const QString problem = answerProblem(question); !problem.isEmpty())
            m_findings.append(QStringLiteral("%1: cannot be answered correctly: %2").arg(where, problem));
    }
}

void BankChecker::checkFragment(const QString& file, qint64 length, int recordLength)
{
    const qint64 fragment = length % recordLength;
    if (fragment != 0)
        m_findings.append(QStringLiteral("%1: trailing fragment of %2 bytes at offset %3 (records are %4 bytes)")
                              .arg(file)
                              .arg(fragment)
                              .arg(length - fragment)
                              .arg(recordLength));
}

void BankChecker::checkResults()
{
    if (!m_directory.hasFile(DataDirectory::ResultsFile))
        return;
    QString error;
    const auto bytes = m_directory.read(DataDirectory::ResultsFile, &error);
    if (!bytes) {
        m_findings.append(QStringLiteral("%1 %2").arg(DataDirectory::ResultsFile, error));
        return;
    }
    checkFragment(DataDirectory::ResultsFile, bytes->size(), ScoreRecord::Length);
}

} // namespace quizmark
