#pragma once

#include <QString>

namespace quizmark {

// Where the question bank named by a catalogue record lives. The name comes from a data file, so
// it is trusted only as one plain file name inside the data directory.
class BankFilePath {
public:
    BankFilePath(const QString& dataDirectory, const QString& bankField);

    bool isSafe() const { return m_problem.isEmpty(); }
    // The full path; meaningful only when isSafe().
    const QString& path() const { return m_path; }
    // Why the name was refused, for the candidate.
    const QString& problem() const { return m_problem; }

private:
    QString m_path;
    QString m_problem;
};

}
