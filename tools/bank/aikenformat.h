#pragma once

#include "bankexam.h"
#include "importedexam.h"

#include <QByteArray>

namespace quizmark {

// The Aiken format: a question on one line, its options "A." or "A)" on the lines below, then one
// "ANSWER: X" line; questions apart by blank lines. It holds one correct option and no explanation.
class AikenFormat
{
public:
    static ImportedExam read(const QByteArray& bytes, const QString& origin);
    // Empty, with the reason in problem, when a question has other than one correct option.
    static QByteArray write(const BankExam& exam, QString* problem);
};

} // namespace quizmark
