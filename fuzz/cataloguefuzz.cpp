// Reads a catalogue file of any contents as the exam selection does: count, then every record.
#include "recordfileinput.h"

#include "data/cataloguerecord.h"
#include "platform/runtimeerror.h"

#include <cstdlib>

using quizmark::CatalogueRecord;

namespace {

void checkRecord(const CatalogueRecord& record, const QByteArray& bytes)
{
    if (record.ExamName.size() != CatalogueRecord::ExamNameWidth
        || record.BankFile.size() != CatalogueRecord::BankFileWidth
        || record.Description.size() != CatalogueRecord::DescriptionWidth)
        std::abort();
    if (record.bankFileName().endsWith(u' '))
        std::abort();
    if (bytes.size() == CatalogueRecord::Length && encodable(bytes) && record.toBytes() != bytes)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static RecordFileInput input("index.dat");
    try {
        auto file = input.open(data, size, CatalogueRecord::Length, platform::RecordAccess::ReadOnly);
        const std::int16_t count = CatalogueRecord::count(file->length());
        for (std::int16_t i = 1; i <= count; ++i)
            checkRecord(CatalogueRecord::read(*file, i), file->read(i));
        // One past the end reads as a blank record.
        checkRecord(CatalogueRecord::read(*file, count + 1), {});
    } catch (const platform::RuntimeError& e) {
        if (!isRecordFileError(e.number()))
            std::abort();
    }
    return 0;
}
