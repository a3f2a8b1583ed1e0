#pragma once

#include "importedexam.h"

#include <QList>
#include <QStringList>

namespace quizmark {

// The categories of a GIFT or Moodle XML source and what they make of the exam. With one category
// its last part names the exam. With several, the last part of their longest common path names
// the exam and the rest of each question's own path is its domain: "Netexam/Addressing" and
// "Netexam/Routing" make the exam "Netexam" with the domains "Addressing" and "Routing".
class CategoryPaths
{
public:
    // A category as the source writes it; the questions that follow are in it.
    void declare(const QString& path);
    // A question read: it is in the category declared last, or in none before the first.
    void addQuestion();
    // Sets the exam's name, when the categories give one, and the domain of each question.
    void apply(ImportedExam& exam) const;

    // The parts of a path apart by single slashes, each trimmed; Moodle writes a slash within a
    // name as two.
    static QStringList parts(const QString& path);

private:
    // The path without Moodle's leading context, such as "$course$/top".
    static QStringList withoutContext(QStringList parts);
    QStringList commonPath() const;

    // Every distinct path declared, in parts, in the order first declared.
    QList<QStringList> m_paths;
    qsizetype m_current = -1;
    // For each question read, the index of its path, or -1.
    QList<qsizetype> m_questions;
};

} // namespace quizmark
