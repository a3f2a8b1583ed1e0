#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quizmark {

// One question as another program's format gives it, before it is checked against the record.
struct ImportedQuestion
{
    // The file and line, or the file and question number, for messages.
    QString where;
    QString question;
    QStringList options;
    // Option numbers from 1, ascending.
    QList<int> correct;
    QString explanation;
    // The question's topic, such as the rest of its category path; empty for none.
    QString domain;
    // Why the format's question cannot be a record at all, such as its type; empty when it can.
    QString unfit;
};

// The exam a file of another format holds; fields the format does not carry stay empty.
struct ImportedExam
{
    QString name;
    QString bank;
    QString description;
    std::optional<int> questionTotal;
    QList<ImportedQuestion> questions;
    // Problems with the file as a whole, such as malformed syntax, with their places.
    QStringList errors;
    // What was read with something left out or replaced, such as an image by its alt text, with its place.
    QStringList warnings;
};

} // namespace quizmark
