// Reads a Moodle XML file of any contents and checks what it gives as an import.
#include "importcheck.h"

#include "tools/bank/moodlexmlformat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkImport(quizmark::MoodleXmlFormat::read(fuzzInput(data, size), QStringLiteral("fuzz")),
                QStringLiteral("moodle-xml"));
    return 0;
}
