#pragma once

#include "data/cataloguerecord.h"
#include "data/questionrecord.h"

#include <QList>

namespace quizmark {

// One exam as the tool writes it: its catalogue record and the records of its question bank.
struct BankExam
{
    CatalogueRecord catalogue;
    QList<QuestionRecord> questions;
};

} // namespace quizmark
