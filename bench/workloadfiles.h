#pragma once

#include "module1.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace quizmark_bench {

// The files of the measured workloads, written once into a temporary folder: a bank of 1000
// questions, an attempt that drew them all, and a score history of 32,767 attempts at one exam, the most it holds.
class WorkloadFiles
{
public:
    static constexpr int Questions = 1000;
    static constexpr int ScoreRecords = 32767;
    static constexpr std::int16_t Exam = 1;

    WorkloadFiles();

    QString bankPath() const;
    QString historyPath() const;
    // A finished attempt at every question of the bank, in a shuffled order, some answered wrong.
    const quizmark::AttemptState& attempt() const { return *m_attempt; }

private:
    void writeBank();
    void writeHistory();
    void finishAttempt();

    QTemporaryDir m_folder;
    std::unique_ptr<quizmark::AttemptState> m_attempt;
};

} // namespace quizmark_bench
