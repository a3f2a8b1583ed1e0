// Reads a score history of any contents as the history screen does, then appends one attempt as
// the results screen does: every whole record already there must read back unchanged, and the
// new one must read back at the number the append reported.
#include "recordfileinput.h"

#include "data/scorerecord.h"
#include "platform/runtimeerror.h"

#include <cstdlib>
#include <vector>

using quizmark::ScoreRecord;

namespace {

bool same(const ScoreRecord& a, const ScoreRecord& b)
{
    return a.ExamNumber == b.ExamNumber && a.MaximumScore == b.MaximumScore && a.Score == b.Score
        && a.Passed == b.Passed;
}

std::vector<ScoreRecord> readAll(platform::RecordFile& file)
{
    std::vector<ScoreRecord> records;
    const std::int16_t count = ScoreRecord::count(file.length());
    for (std::int16_t r = 1; r <= count; ++r)
        records.push_back(ScoreRecord::read(file, r));
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static RecordFileInput input("results.dat");
    try {
        auto file = input.open(data, size, ScoreRecord::Length, platform::RecordAccess::ReadWrite);
        const std::vector<ScoreRecord> before = readAll(*file);
        const qint64 wholeBefore = file->length() / ScoreRecord::Length;
        const ScoreRecord attempt{ 3, 20, 15, ScoreRecord::True };
        const std::int16_t number = ScoreRecord::append(*file, attempt);
        if (number < 1 || !same(ScoreRecord::read(*file, number), attempt))
            std::abort();
        const std::vector<ScoreRecord> after = readAll(*file);
        for (qint64 r = 0; r < wholeBefore && r < number - 1; ++r)
            if (!same(before[std::size_t(r)], after[std::size_t(r)]))
                std::abort();
    } catch (const platform::RuntimeError& e) {
        if (!isRecordFileError(e.number()))
            std::abort();
    }
    return 0;
}
