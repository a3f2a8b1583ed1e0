// Reads a CSV file of any contents and checks what it gives as an import.
#include "importcheck.h"

#include "tools/bank/csvformat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkImport(quizmark::CsvFormat::read(fuzzInput(data, size), QStringLiteral("fuzz")), QStringLiteral("csv"));
    return 0;
}
