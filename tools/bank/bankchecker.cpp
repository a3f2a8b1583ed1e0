#include "bankchecker.h"

#include "data/bankdomains.h"
#include "data/cataloguerecord.h"
#include "data/fixedfield.h"
#include "data/questionrecord.h"
#include "data/scorerecord.h"
#include "examrules.h"
#include "progressline.h"

#include "platform/runtimeerror.h"

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
    auto index = m_directory.open(DataDirectory::IndexFile, CatalogueRecord::Length, &error);
    if (!index) {
        m_failure = QStringLiteral("%1 %2").arg(m_directory.filePath(DataDirectory::IndexFile), error);
        return std::nullopt;
    }
    m_findings.clear();
    m_named.clear();
    m_names.clear();
    checkFragment(DataDirectory::IndexFile, *index);
    qint64 count = index->roundedRecords();
    if (count > CountLimit) {
        m_findings.append(QStringLiteral("%1: %2 records; the program counts at most %3")
                              .arg(DataDirectory::IndexFile)
                              .arg(count)
                              .arg(CountLimit));
        count = CountLimit;
    }
    ProgressLine progress(QStringLiteral("checking"), count, QStringLiteral("exams"));
    for (qint64 n = 1; n <= count; ++n) {
        checkExam(n, CatalogueRecord::fromBytes(index->record(n)));
        progress.advance(n);
    }
    checkResults();
    checkUnnamedBanks();
    checkUnnamedDomains();
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
    if (record.QuestionTotal < 1)
        m_findings.append(QStringLiteral("%1: QuestionTotal %2 is below 1: the program refuses the exam")
                              .arg(exam)
                              .arg(record.QuestionTotal));
    const QString name = FixedField::trimmedRight(record.ExamName);
    if (const auto first = m_names.constFind(name); first != m_names.cend())
        m_findings.append(QStringLiteral("%1: exam %2 has the same name").arg(exam).arg(*first));
    else
        m_names.insert(name, number);
    const QString bank = record.bankFileName();
    const QString problem = DataDirectory::readableBankNameProblem(bank);
    if (!problem.isEmpty()) {
        m_findings.append(QStringLiteral("%1: bank name \"%2\" %3: not a file name inside the data directory")
                              .arg(exam, bank, problem));
        return;
    }
    m_named.insert(bank);
    checkBank(exam, record);
}

void BankChecker::checkBank(const QString& exam, const CatalogueRecord& record)
{
    const QString bank = record.bankFileName();
    QString error;
    auto records = m_directory.open(bank, QuestionRecord::Length, &error);
    if (!records) {
        m_findings.append(QStringLiteral("%1: bank file %2 %3").arg(exam, bank, error));
        return;
    }
    checkFragment(bank, *records);
    checkDomains(bank, records->wholeRecords());
    // The program draws from whole records only and refuses an attempt that would reach a fragment.
    const qint64 whole = records->wholeRecords();
    if (record.QuestionTotal > whole)
        m_findings.append(QStringLiteral("%1: QuestionTotal %2 is above the %3 whole records of %4")
                              .arg(exam)
                              .arg(record.QuestionTotal)
                              .arg(whole)
                              .arg(bank));
    // The draw takes records 1 to QuestionTotal at most; a candidate never meets the others.
    const qint64 drawn = std::min<qint64>(record.QuestionTotal, whole);
    for (qint64 r = 1; r <= drawn; ++r) {
        const QuestionRecord question = QuestionRecord::fromBytes(records->record(r));
        const QString where = QStringLiteral("%1 question %2").arg(bank).arg(r);
        if (question.correctCount() == 0)
            m_findings.append(
                QStringLiteral("%1: no correct option (CorrectOptions %2)").arg(where, elements(question)));
        else if (const QString problem = answerProblem(question); !problem.isEmpty())
            m_findings.append(QStringLiteral("%1: cannot be answered correctly: %2").arg(where, problem));
        for (const QString& empty : ExamRules::emptyTexts(question))
            m_findings.append(QStringLiteral("%1: %2").arg(where, empty));
    }
}

void BankChecker::checkDomains(const QString& bank, qint64 records)
{
    const QString file = BankDomains::pathFor(bank);
    QString error;
    const auto domains = m_directory.domains(bank, &error);
    if (!domains) {
        m_findings.append(QStringLiteral("%1 %2: the domains of %3 cannot be read").arg(file, error, bank));
        return;
    }
    if (!m_directory.isPresent(file))
        return;
    const qsizetype lines = domains->lines().size();
    if (lines != records)
        m_findings.append(QStringLiteral("%1: %2 %3 for the %4 records of %5; a domains file has one line per record")
                              .arg(file)
                              .arg(lines)
                              .arg(lines == 1 ? QStringLiteral("line") : QStringLiteral("lines"))
                              .arg(records)
                              .arg(bank));
    for (qsizetype n = 0; n < lines; ++n)
        if (const QString problem = BankDomains::problemWith(domains->lines().at(n)); !problem.isEmpty())
            m_findings.append(QStringLiteral("%1 line %2: %3").arg(file).arg(n + 1).arg(problem));
}

void BankChecker::checkFragment(const QString& file, const RecordStream& records)
{
    if (records.fragment() != 0)
        m_findings.append(QStringLiteral("%1: trailing fragment of %2 bytes at offset %3 (records are %4 bytes)")
                              .arg(file)
                              .arg(records.fragment())
                              .arg(records.length() - records.fragment())
                              .arg(records.recordLength()));
}

void BankChecker::checkResults()
{
    if (!m_directory.isPresent(DataDirectory::ResultsFile))
        return;
    QString error;
    const auto records = m_directory.open(DataDirectory::ResultsFile, ScoreRecord::Length, &error);
    if (!records) {
        m_findings.append(
            QStringLiteral("%1 %2: the program cannot keep scores").arg(DataDirectory::ResultsFile, error));
        return;
    }
    checkFragment(DataDirectory::ResultsFile, *records);
    try {
        if (ScoreRecord::count(records->length()) == CountLimit)
            m_findings.append(
                QStringLiteral("%1: holds %2 records, the most the program keeps: no further score can be saved")
                    .arg(DataDirectory::ResultsFile)
                    .arg(CountLimit));
    } catch (const platform::RuntimeError&) {
        m_findings.append(QStringLiteral("%1: %2 bytes hold more than the %3 records the program can count")
                              .arg(DataDirectory::ResultsFile)
                              .arg(records->length())
                              .arg(CountLimit));
    }
}

void BankChecker::checkUnnamedBanks()
{
    for (const QString& file : m_directory.bankFiles())
        if (!m_named.contains(file))
            m_findings.append(
                QStringLiteral("%1: no exam of %2 names this bank file").arg(file, DataDirectory::IndexFile));
}

void BankChecker::checkUnnamedDomains()
{
    for (const QString& file : m_directory.domainFiles()) {
        const QString bank = file.chopped(qsizetype(qstrlen(BankDomains::Suffix)));
        if (!m_named.contains(bank))
            m_findings.append(
                QStringLiteral("%1: no exam of %2 names its bank %3").arg(file, DataDirectory::IndexFile, bank));
    }
}

} // namespace quizmark
