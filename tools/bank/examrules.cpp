#include "examrules.h"

#include "data/fixedfield.h"

namespace quizmark {

namespace {
bool blank(const QString& text)
{
    return text.trimmed().isEmpty();
}
} // namespace

QStringList ExamRules::emptyTexts(const QuestionRecord& record)
{
    QStringList reasons;
    if (blank(record.Question))
        reasons.append(QStringLiteral("the question text is empty"));
    for (std::int16_t option : record.CorrectOptions)
        if (option >= 1 && option <= QuestionRecord::OptionCount && blank(record.option(option)))
            reasons.append(QStringLiteral("correct option %1 has an empty text").arg(option));
    return reasons;
}

QString ExamRules::noQuestions(const BankExam& exam)
{
    if (exam.questions.isEmpty())
        return QStringLiteral("has no questions");
    if (exam.catalogue.QuestionTotal < 1)
        return QStringLiteral("questionTotal %1 lets no attempt take a question").arg(exam.catalogue.QuestionTotal);
    return {};
}

bool ExamRules::sameName(const QString& first, const QString& second)
{
    return FixedField::trimmedRight(first) == FixedField::trimmedRight(second);
}

} // namespace quizmark
