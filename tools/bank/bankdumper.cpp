#include "bankdumper.h"

#include "data/cataloguerecord.h"
#include "data/fixedfield.h"
#include "data/questionrecord.h"

#include <QJsonArray>
#include <QJsonObject>

namespace quizmark {

namespace {
QJsonArray correctList(const QuestionRecord& record)
{
    qsizetype used = QuestionRecord::OptionCount;
    while (used > 0 && record.CorrectOptions[std::size_t(used - 1)] == 0)
        --used;
    QJsonArray list;
    for (qsizetype k = 0; k < used; ++k)
        list.append(int(record.CorrectOptions[std::size_t(k)]));
    return list;
}

QJsonObject questionObject(const QuestionRecord& record)
{
    QJsonArray options;
    for (int k = 1; k <= QuestionRecord::OptionCount; ++k)
        options.append(FixedField::trimmedRight(record.option(k)));
    return {
        { QStringLiteral("question"), FixedField::trimmedRight(record.Question) },
        { QStringLiteral("options"), options },
        { QStringLiteral("correct"), correctList(record) },
        { QStringLiteral("explanation"), FixedField::trimmedRight(record.Explanation) },
    };
}
} // namespace

BankDumper::BankDumper(DataDirectory directory)
    : m_directory(std::move(directory))
{
}

std::optional<QJsonDocument> BankDumper::dump()
{
    QString error;
    const auto index = m_directory.read(DataDirectory::IndexFile, &error);
    if (!index) {
        m_warnings.append(QStringLiteral("%1 %2").arg(m_directory.filePath(DataDirectory::IndexFile), error));
        return std::nullopt;
    }
    QJsonArray exams;
    const qint64 count = DataDirectory::recordCount(index->size(), CatalogueRecord::Length);
    for (qint64 n = 1; n <= count; ++n) {
        const CatalogueRecord record
            = CatalogueRecord::fromBytes(DataDirectory::record(*index, n, CatalogueRecord::Length));
        const QString name = FixedField::trimmedRight(record.ExamName);
        exams.append(QJsonObject{
            { QStringLiteral("name"), name },
            { QStringLiteral("bank"), record.bankFileName() },
            { QStringLiteral("description"), FixedField::trimmedRight(record.Description) },
            { QStringLiteral("questionTotal"), int(record.QuestionTotal) },
            { QStringLiteral("questions"),
              questions(record.bankFileName(), QStringLiteral("exam %1 \"%2\"").arg(n).arg(name)) },
        });
    }
    return QJsonDocument(QJsonObject{ { QStringLiteral("exams"), exams } });
}

QJsonArray BankDumper::questions(const QString& bank, const QString& exam)
{
    const QString problem = DataDirectory::bankNameProblem(bank);
    if (!problem.isEmpty()) {
        m_warnings.append(
            QStringLiteral("%1: bank name \"%2\" %3; its questions are left out").arg(exam, bank, problem));
        return {};
    }
    QString error;
    const auto bytes = m_directory.read(bank, &error);
    if (!bytes) {
        m_warnings.append(QStringLiteral("%1: bank file %2 %3").arg(exam, m_directory.filePath(bank), error));
        return {};
    }
    QJsonArray list;
    const qint64 count = DataDirectory::recordCount(bytes->size(), QuestionRecord::Length);
    for (qint64 r = 1; r <= count; ++r)
        list.append(
            questionObject(QuestionRecord::fromBytes(DataDirectory::record(*bytes, r, QuestionRecord::Length))));
    return list;
}

} // namespace quizmark
