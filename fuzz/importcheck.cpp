#include "importcheck.h"

#include "tools/bank/banksource.h"

#include "data/bankdomains.h"
#include "data/fixedfield.h"

#include <cstdlib>

using quizmark::QuestionRecord;

namespace {

void checkQuestion(const QuestionRecord& record)
{
    const QuestionRecord back = QuestionRecord::fromBytes(record.toBytes());
    if (back.toBytes() != record.toBytes())
        std::abort();
    const std::int16_t correct = record.correctCount();
    if (correct < 1 || correct > QuestionRecord::OptionCount)
        std::abort();
    for (std::int16_t option : record.CorrectOptions)
        if (option < 0 || option > QuestionRecord::OptionCount)
            std::abort();
}

void checkSource(const quizmark::ImportedExam& imported, const QString& format, bool skipUnfit)
{
    quizmark::BankSource source;
    quizmark::SourceOptions options;
    options.format = format;
    options.skipUnfit = skipUnfit;
    const bool accepted = source.addImported(imported, QStringLiteral("fuzz"), options);
    if (accepted != source.errors().isEmpty() || accepted != (source.exams().size() == 1))
        std::abort();
    for (const QString& error : source.errors())
        if (error.isEmpty())
            std::abort();
    for (const quizmark::BankExam& exam : source.exams()) {
        if (exam.questions.isEmpty() || exam.catalogue.QuestionTotal < 1)
            std::abort();
        for (const QuestionRecord& question : exam.questions)
            checkQuestion(question);
        // One domain per record or none at all, each one the domains file can hold.
        if (!exam.domains.isEmpty() && exam.domains.size() != exam.questions.size())
            std::abort();
        for (const QString& domain : exam.domains)
            if (!quizmark::BankDomains::problemWith(domain).isEmpty())
                std::abort();
    }
}

} // namespace

void checkImport(const quizmark::ImportedExam& imported, const QString& format)
{
    for (const quizmark::ImportedQuestion& question : imported.questions)
        for (int correct : question.correct)
            if (question.unfit.isEmpty() && (correct < 1 || correct > question.options.size()))
                std::abort();
    checkSource(imported, format, false);
    checkSource(imported, format, true);
}
