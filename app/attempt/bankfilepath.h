#pragma once

#include <QString>

namespace quizmark {

// Where a file named by the program's data lives: a question bank named by a catalogue record, or
// the catalogue and the score history themselves. A name from a data file is trusted only to name a
// file inside the data directory, in a sub-folder or not, and only where it still stands inside once
// every link on the way is followed.
class BankFilePath
{
public:
    BankFilePath(const QString& dataDirectory, const QString& bankField);
    // The same check for a file the program names itself, such as dat/results.dat.
    static BankFilePath inFolderOf(const QString& path);

    bool isSafe() const { return m_problem.isEmpty(); }
    // The full path; meaningful only when isSafe().
    const QString& path() const { return m_path; }
    // Why the name was refused, for the candidate.
    const QString& problem() const { return m_problem; }

private:
    QString m_path;
    QString m_problem;
};

} // namespace quizmark
