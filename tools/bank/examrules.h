#pragma once

#include "bankexam.h"

#include <QStringList>

namespace quizmark {

// What makes an exam unusable beyond the limits of its fields: the same rules for writing a
// source and for checking files already written.
class ExamRules
{
public:
    // One reason per blank text the candidate would need: the question, or a correct option.
    static QStringList emptyTexts(const QuestionRecord& record);
    // Why the exam offers no question, or empty when it offers at least one.
    static QString noQuestions(const BankExam& exam);
    // Exam names compare as the selection list shows them: trailing blanks do not count.
    static bool sameName(const QString& first, const QString& second);
};

} // namespace quizmark
