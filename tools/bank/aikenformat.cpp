#include "aikenformat.h"

#include "sourcetext.h"

#include "data/fixedfield.h"

#include <QRegularExpression>

namespace quizmark {

namespace {
// A letter, then "." or ")", then the option; authors often leave out the space.
const QRegularExpression OptionLine(QStringLiteral("^([A-Z])[.)]\\s*(.*)$"));
const QRegularExpression AnswerLine(QStringLiteral("^ANSWER:\\s*([A-Z])\\s*$"));

ImportedQuestion question(const QStringList& lines, int first, const QString& origin)
{
    ImportedQuestion question;
    question.where = QStringLiteral("%1:%2").arg(origin).arg(first);
    question.question = lines.value(0).trimmed();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (const auto option = OptionLine.match(line); option.hasMatch()) {
            if (option.captured(1)[0].unicode() - u'A' != question.options.size())
                question.unfit = QStringLiteral("option %1 out of order").arg(option.captured(1));
            question.options.append(option.captured(2).trimmed());
        } else if (const auto answer = AnswerLine.match(line); answer.hasMatch()) {
            question.correct = { answer.captured(1)[0].unicode() - u'A' + 1 };
            if (question.unfit.isEmpty() && question.correct.first() > question.options.size())
                question.unfit = QStringLiteral("line %1: ANSWER %2 names no option; the question has %3")
                                     .arg(first + i)
                                     .arg(answer.captured(1))
                                     .arg(question.options.size());
            else if (i + 1 != lines.size())
                question.unfit = QStringLiteral("lines after the ANSWER line");
            return question;
        } else {
            question.unfit = QStringLiteral("line %1 is neither an option nor the ANSWER line").arg(first + i);
            return question;
        }
    }
    question.unfit = QStringLiteral("no ANSWER line");
    return question;
}
} // namespace

ImportedExam AikenFormat::read(const QByteArray& bytes, const QString& origin)
{
    ImportedExam exam;
    QString problem;
    const QStringList lines = SourceText::decode(bytes, &problem).split(u'\n');
    if (!problem.isEmpty())
        exam.errors.append(QStringLiteral("%1:%2").arg(origin, problem));
    QStringList block;
    int first = 0;
    for (int n = 0; n <= lines.size(); ++n) {
        const QString line = n < lines.size() ? lines[n] : QString();
        if (line.trimmed().isEmpty()) {
            if (!block.isEmpty())
                exam.questions.append(question(block, first, origin));
            block.clear();
            continue;
        }
        if (block.isEmpty())
            first = n + 1;
        block.append(line);
        // An ANSWER line ends a question even without a blank line after it.
        if (AnswerLine.match(line.trimmed()).hasMatch()) {
            exam.questions.append(question(block, first, origin));
            block.clear();
        }
    }
    return exam;
}

QByteArray AikenFormat::write(const BankExam& exam, QString* problem)
{
    QString aiken;
    int number = 0;
    for (const QuestionRecord& record : exam.questions) {
        ++number;
        if (record.correctCount() != 1 || record.CorrectOptions[0] < 1
            || record.CorrectOptions[0] > QuestionRecord::OptionCount) {
            *problem
                = QStringLiteral("question %1 has other than one correct option; Aiken holds exactly one").arg(number);
            return {};
        }
        aiken += FixedField::trimmedRight(record.Question) + u'\n';
        for (int k = 1; k <= QuestionRecord::OptionCount; ++k)
            aiken
                += QStringLiteral("%1. %2\n").arg(QChar(u'A' + k - 1)).arg(FixedField::trimmedRight(record.option(k)));
        aiken += QStringLiteral("ANSWER: %1\n\n").arg(QChar(u'A' + record.CorrectOptions[0] - 1));
    }
    return aiken.toUtf8();
}

} // namespace quizmark
