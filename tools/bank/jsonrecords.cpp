#include "jsonrecords.h"

#include "data/cataloguerecord.h"
#include "data/fixedfield.h"
#include "data/questionrecord.h"

#include <QJsonArray>

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
} // namespace

QJsonObject JsonRecords::question(const QuestionRecord& record, const QString& domain)
{
    QJsonArray options;
    for (int k = 1; k <= QuestionRecord::OptionCount; ++k)
        options.append(FixedField::trimmedRight(record.option(k)));
    QJsonObject question{
        { QStringLiteral("question"), FixedField::trimmedRight(record.Question) },
        { QStringLiteral("options"), options },
        { QStringLiteral("correct"), correctList(record) },
        { QStringLiteral("explanation"), FixedField::trimmedRight(record.Explanation) },
    };
    if (!domain.isEmpty())
        question.insert(QStringLiteral("domain"), domain);
    return question;
}

QJsonObject JsonRecords::exam(const CatalogueRecord& record)
{
    return {
        { QStringLiteral("name"), FixedField::trimmedRight(record.ExamName) },
        { QStringLiteral("bank"), record.bankFileName() },
        { QStringLiteral("description"), FixedField::trimmedRight(record.Description) },
        { QStringLiteral("questionTotal"), int(record.QuestionTotal) },
    };
}

} // namespace quizmark
