#include "bankbuilder.h"

#include "datadirectory.h"

#include "data/bankdomains.h"

#include "platform/filewriteset.h"

#include <QDir>

namespace quizmark {

BankBuilder::BankBuilder(QList<BankExam> exams)
    : m_banks(std::move(exams))
{
    for (const BankExam& exam : m_banks)
        m_catalogue.append(exam.catalogue);
}

BankBuilder::BankBuilder(QList<CatalogueRecord> catalogue, QList<BankExam> banks)
    : m_catalogue(std::move(catalogue))
    , m_banks(std::move(banks))
{
}

QByteArray BankBuilder::catalogueBytes(const QList<CatalogueRecord>& catalogue)
{
    QByteArray index;
    index.reserve(qsizetype(catalogue.size()) * CatalogueRecord::Length);
    for (const CatalogueRecord& record : catalogue)
        index.append(record.toBytes());
    return index;
}

QByteArray BankBuilder::bankBytes(const QList<QuestionRecord>& questions)
{
    QByteArray bank;
    bank.reserve(qsizetype(questions.size()) * QuestionRecord::Length);
    for (const QuestionRecord& question : questions)
        bank.append(question.toBytes());
    return bank;
}

QByteArray BankBuilder::domainBytes(const BankExam& exam)
{
    QStringList lines;
    lines.reserve(exam.questions.size());
    for (qsizetype q = 0; q < exam.questions.size(); ++q)
        lines.append(exam.domain(q));
    return BankDomains(std::move(lines)).toBytes();
}

bool BankBuilder::write(const QString& directory, QString* error) const
{
    if (!QDir().mkpath(directory)) {
        *error = QStringLiteral("cannot create the directory %1").arg(directory);
        return false;
    }
    platform::FileWriteSet files(directory);
    files.stopAfterRenames(m_stopAfterRenames);
    const DataDirectory there(directory);
    // The catalogue goes last, so that it never names a bank that is not in place yet.
    for (const BankExam& exam : m_banks) {
        const QString bank = exam.catalogue.bankFileName();
        files.add(bank, bankBytes(exam.questions));
        // A bank without domains has no sidecar: one left from an earlier build would name the
        // domains of other questions.
        if (exam.hasDomains())
            files.add(BankDomains::pathFor(bank), domainBytes(exam));
        else if (there.isPresent(BankDomains::pathFor(bank)))
            files.removeOnCommit(BankDomains::pathFor(bank));
    }
    files.add(DataDirectory::IndexFile, catalogueBytes(m_catalogue));
    if (!m_removedBank.isEmpty()) {
        files.removeOnCommit(m_removedBank);
        if (there.isPresent(BankDomains::pathFor(m_removedBank)))
            files.removeOnCommit(BankDomains::pathFor(m_removedBank));
    }
    if (!files.commit()) {
        *error = files.errorString();
        return false;
    }
    return true;
}

} // namespace quizmark
