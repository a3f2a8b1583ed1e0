#pragma once

#include "bankexam.h"
#include "importedexam.h"

#include <QByteArray>

namespace quizmark {

// Moodle's GIFT text format: one question a paragraph, answers in braces, = correct, ~ wrong or
// weighted (~%50%), # feedback, #### general feedback. Comment lines "// bank:", "// description:"
// and "// questionTotal:" carry what the catalogue needs beside the questions; Moodle ignores them.
class GiftFormat
{
public:
    static ImportedExam read(const QByteArray& bytes, const QString& origin);
    static QByteArray write(const BankExam& exam);
};

} // namespace quizmark
