// Reads a Aiken file of any contents and checks what it gives as an import.
#include "importcheck.h"

#include "tools/bank/aikenformat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkImport(quizmark::AikenFormat::read(fuzzInput(data, size), QStringLiteral("fuzz")), QStringLiteral("aiken"));
    return 0;
}
