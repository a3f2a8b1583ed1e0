// Reads a question bank of any contents record by record, as the exam and the answer review do.
#include "recordfileinput.h"

#include "data/questionrecord.h"
#include "platform/runtimeerror.h"

#include <cstdlib>

using quizmark::QuestionRecord;

namespace {

void checkRecord(const QuestionRecord& record, const QByteArray& bytes)
{
    if (record.Question.size() != QuestionRecord::QuestionWidth
        || record.Explanation.size() != QuestionRecord::ExplanationWidth)
        std::abort();
    for (int k = 1; k <= QuestionRecord::OptionCount; ++k)
        if (record.option(k).size() != QuestionRecord::OptionWidth)
            std::abort();
    const std::int16_t correct = record.correctCount();
    if (correct < 0 || correct > QuestionRecord::OptionCount)
        std::abort();
    if (bytes.size() == QuestionRecord::Length && encodable(bytes) && record.toBytes() != bytes)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static RecordFileInput input("bank.dat");
    try {
        auto file = input.open(data, size, QuestionRecord::Length, platform::RecordAccess::ReadOnly);
        const qint64 records = file->length() / QuestionRecord::Length + 2;
        for (qint64 i = 1; i <= records; ++i)
            checkRecord(QuestionRecord::read(*file, i), file->read(i));
    } catch (const platform::RuntimeError& e) {
        if (!isRecordFileError(e.number()))
            std::abort();
    }
    return 0;
}
