// Reads a JSON exam source of any contents; whatever the reader accepts must fit the record
// formats exactly: every record written from it reads back field for field.
#include "tools/bank/banksource.h"

#include "data/fixedfield.h"

#include <cstdlib>

using quizmark::CatalogueRecord;
using quizmark::QuestionRecord;

namespace {

// A text field as it reads back: padded with blanks, which the reader's texts may not yet be.
bool sameField(const QString& read, const QString& given)
{
    return quizmark::FixedField::trimmedRight(read) == quizmark::FixedField::trimmedRight(given);
}

void checkCatalogue(const CatalogueRecord& record)
{
    const QByteArray bytes = record.toBytes();
    const CatalogueRecord back = CatalogueRecord::fromBytes(bytes);
    if (bytes.size() != CatalogueRecord::Length || !sameField(back.ExamName, record.ExamName)
        || !sameField(back.BankFile, record.BankFile) || back.QuestionTotal != record.QuestionTotal
        || !sameField(back.Description, record.Description) || record.bankFileName().isEmpty())
        std::abort();
}

void checkQuestion(const QuestionRecord& record)
{
    const QByteArray bytes = record.toBytes();
    const QuestionRecord back = QuestionRecord::fromBytes(bytes);
    if (bytes.size() != QuestionRecord::Length || !sameField(back.Question, record.Question)
        || !sameField(back.Explanation, record.Explanation) || back.CorrectOptions != record.CorrectOptions)
        std::abort();
    for (int k = 1; k <= QuestionRecord::OptionCount; ++k)
        if (!sameField(back.option(k), record.option(k)))
            std::abort();
    const std::int16_t correct = record.correctCount();
    if (correct < 1 || correct > QuestionRecord::OptionCount)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    quizmark::BankSource source;
    const bool accepted
        = source.parse(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), QStringLiteral("fuzz.json"));
    if (accepted != source.errors().isEmpty())
        std::abort();
    if (!accepted)
        return 0;
    for (const quizmark::BankExam& exam : source.exams()) {
        checkCatalogue(exam.catalogue);
        for (const QuestionRecord& question : exam.questions)
            checkQuestion(question);
    }
    return 0;
}
