#include "scorerecord.h"

#include "fixedfield.h"

#include "platform/conversions.h"
#include "platform/recordfile.h"
#include "platform/runtimeerror.h"

#include <limits>

namespace quizmark {

namespace {
constexpr int ExamNumberOffset = 0;
constexpr int MaximumScoreOffset = 2;
constexpr int ScoreOffset = 4;
constexpr int PassedOffset = 6;

// Holds the lock for the span of one append, released on every way out.
class ExclusiveLock {
public:
    explicit ExclusiveLock(platform::RecordFile& file)
        : m_file(file)
    {
        m_file.lockExclusive();
    }
    ~ExclusiveLock() { m_file.unlock(); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    platform::RecordFile& m_file;
};
}

ScoreRecord ScoreRecord::fromBytes(const QByteArray& bytes)
{
    return fromBytes(bytes, 0);
}

ScoreRecord ScoreRecord::fromBytes(const QByteArray& bytes, qsizetype at)
{
    ScoreRecord record;
    record.ExamNumber = FixedField::integer(bytes, int(at) + ExamNumberOffset);
    record.MaximumScore = FixedField::integer(bytes, int(at) + MaximumScoreOffset);
    record.Score = FixedField::integer(bytes, int(at) + ScoreOffset);
    record.Passed = FixedField::integer(bytes, int(at) + PassedOffset);
    return record;
}

QByteArray ScoreRecord::toBytes() const
{
    QByteArray bytes(Length, '\0');
    FixedField::putInteger(bytes, ExamNumberOffset, ExamNumber);
    FixedField::putInteger(bytes, MaximumScoreOffset, MaximumScore);
    FixedField::putInteger(bytes, ScoreOffset, Score);
    FixedField::putInteger(bytes, PassedOffset, Passed);
    return bytes;
}

ScoreRecord ScoreRecord::read(platform::RecordFile& file, qint64 record)
{
    return fromBytes(file.read(record));
}

std::vector<ScoreRecord> ScoreRecord::readFirst(platform::RecordFile& file, qint64 count)
{
    std::vector<ScoreRecord> records;
    if (count <= 0)
        return records;
    const QByteArray bytes = file.readRecords(1, count);
    records.reserve(std::size_t(count));
    for (qint64 r = 0; r < count; ++r)
        records.push_back(fromBytes(bytes, r * Length));
    return records;
}

std::int16_t ScoreRecord::count(qint64 fileLength)
{
    return platform::CInt(double(fileLength) / Length);
}

std::int16_t ScoreRecord::appendNumber(qint64 fileLength)
{
    if (fileLength == 0)
        return 1;
    const double number = double(fileLength) / Length + 1;
    // Record numbers are Integers: the file ends at record 32,767.
    if (number >= std::numeric_limits<std::int16_t>::max() + 0.5)
        throw platform::RuntimeError(
            platform::ErrorNumber::Overflow,
            QStringLiteral("the score history already holds 32,767 records, the most it can hold"));
    return platform::CInt(number);
}

std::int16_t ScoreRecord::append(platform::RecordFile& file, const ScoreRecord& record)
{
    ExclusiveLock lock(file);
    // The number is taken under the lock, so a second program appending at once cannot take it too.
    const std::int16_t number = appendNumber(file.length());
    file.write(number, record.toBytes());
    file.sync();
    return number;
}

}
