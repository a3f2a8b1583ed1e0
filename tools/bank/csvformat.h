#pragma once

#include "bankexam.h"
#include "importedexam.h"

#include <QByteArray>

namespace quizmark {

// Comma-separated values as RFC 4180 describes them, in UTF-8 with or without a byte order mark:
// a header row question,option1,option2,option3,option4,correct,explanation, then one row a
// question; "correct" lists option numbers or letters apart by blanks, commas or semicolons.
class CsvFormat
{
public:
    static ImportedExam read(const QByteArray& bytes, const QString& origin);
    static QByteArray write(const BankExam& exam);
};

} // namespace quizmark
