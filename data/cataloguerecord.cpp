#include "cataloguerecord.h"

#include "fixedfield.h"

#include "platform/conversions.h"
#include "platform/recordfile.h"

namespace quizmark {

namespace {
constexpr int ExamNameOffset = 0;
constexpr int BankFileOffset = 25;
constexpr int QuestionTotalOffset = 105;
constexpr int DescriptionOffset = 107;
}

CatalogueRecord CatalogueRecord::fromBytes(const QByteArray& bytes)
{
    CatalogueRecord record;
    record.ExamName = FixedField::text(bytes, ExamNameOffset, ExamNameWidth);
    record.BankFile = FixedField::text(bytes, BankFileOffset, BankFileWidth);
    record.QuestionTotal = FixedField::integer(bytes, QuestionTotalOffset);
    record.Description = FixedField::text(bytes, DescriptionOffset, DescriptionWidth);
    return record;
}

QByteArray CatalogueRecord::toBytes() const
{
    QByteArray bytes(Length, ' ');
    FixedField::putText(bytes, ExamNameOffset, ExamNameWidth, ExamName);
    FixedField::putText(bytes, BankFileOffset, BankFileWidth, BankFile);
    FixedField::putInteger(bytes, QuestionTotalOffset, QuestionTotal);
    FixedField::putText(bytes, DescriptionOffset, DescriptionWidth, Description);
    return bytes;
}

QString CatalogueRecord::bankFileName() const
{
    return FixedField::trimmedRight(BankFile);
}

CatalogueRecord CatalogueRecord::read(platform::RecordFile& file, qint64 record)
{
    return fromBytes(file.read(record));
}

std::int16_t CatalogueRecord::count(qint64 fileLength)
{
    return platform::CInt(double(fileLength) / Length);
}

}
