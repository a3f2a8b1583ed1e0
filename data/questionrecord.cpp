#include "questionrecord.h"

#include "fixedfield.h"

#include "platform/recordfile.h"
#include "platform/runtimeerror.h"

namespace quizmark {

namespace {
constexpr int ReservedOffset = 0;
constexpr int QuestionOffset = 2;
constexpr int FirstOptionOffset = 502;
constexpr int CorrectOptionsOffset = 1522;
constexpr int ExplanationOffset = 1530;

QuestionRecord::CorrectOptionList correctOptionsOf(const QByteArray& bytes, int offset)
{
    QuestionRecord::CorrectOptionList options;
    for (int k = 0; k < QuestionRecord::OptionCount; ++k)
        options[std::size_t(k)] = FixedField::integer(bytes, offset + 2 * k);
    return options;
}

void checkOption(int k)
{
    if (k < 1 || k > QuestionRecord::OptionCount)
        throw platform::RuntimeError(platform::ErrorNumber::SubscriptOutOfRange);
}
}

const QString& QuestionRecord::option(int k) const
{
    checkOption(k);
    const QString* options[] = { &Option1, &Option2, &Option3, &Option4 };
    return *options[k - 1];
}

QString& QuestionRecord::option(int k)
{
    return const_cast<QString&>(std::as_const(*this).option(k));
}

std::int16_t QuestionRecord::correctOption(int k) const
{
    checkOption(k);
    return CorrectOptions[std::size_t(k - 1)];
}

std::int16_t QuestionRecord::correctCount(const CorrectOptionList& options)
{
    std::int16_t count = 0;
    for (std::int16_t element : options)
        if (element > 0)
            ++count;
    return count;
}

QuestionRecord QuestionRecord::fromBytes(const QByteArray& bytes)
{
    QuestionRecord record;
    record.Reserved = FixedField::integer(bytes, ReservedOffset);
    record.Question = FixedField::text(bytes, QuestionOffset, QuestionWidth);
    for (int k = 1; k <= OptionCount; ++k)
        record.option(k) = FixedField::text(bytes, FirstOptionOffset + (k - 1) * OptionWidth, OptionWidth);
    record.CorrectOptions = correctOptionsOf(bytes, CorrectOptionsOffset);
    record.Explanation = FixedField::text(bytes, ExplanationOffset, ExplanationWidth);
    return record;
}

QByteArray QuestionRecord::toBytes() const
{
    QByteArray bytes(Length, ' ');
    FixedField::putInteger(bytes, ReservedOffset, Reserved);
    FixedField::putText(bytes, QuestionOffset, QuestionWidth, Question);
    for (int k = 1; k <= OptionCount; ++k)
        FixedField::putText(bytes, FirstOptionOffset + (k - 1) * OptionWidth, OptionWidth, option(k));
    for (int k = 0; k < OptionCount; ++k)
        FixedField::putInteger(bytes, CorrectOptionsOffset + 2 * k, CorrectOptions[std::size_t(k)]);
    FixedField::putText(bytes, ExplanationOffset, ExplanationWidth, Explanation);
    return bytes;
}

QuestionRecord QuestionRecord::read(platform::RecordFile& file, qint64 record)
{
    return fromBytes(file.read(record));
}

QuestionRecord::CorrectOptionList QuestionRecord::readCorrectOptions(platform::RecordFile& file, qint64 record)
{
    return correctOptionsOf(file.read(record, CorrectOptionsOffset, 2 * OptionCount), 0);
}

} // namespace quizmark
