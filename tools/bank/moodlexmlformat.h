#pragma once

#include "bankexam.h"
#include "importedexam.h"

#include <QByteArray>

namespace quizmark {

// Moodle XML: <quiz> of <question> elements. A "category" entry names the exam and its <info>
// describes it; "multichoice" entries are the questions, an answer with a positive fraction correct.
class MoodleXmlFormat
{
public:
    static ImportedExam read(const QByteArray& bytes, const QString& origin);
    static QByteArray write(const BankExam& exam);
};

} // namespace quizmark
