// Reads a GIFT file of any contents and checks what it gives as an import.
#include "importcheck.h"

#include "tools/bank/giftformat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkImport(quizmark::GiftFormat::read(fuzzInput(data, size), QStringLiteral("fuzz")), QStringLiteral("gift"));
    return 0;
}
