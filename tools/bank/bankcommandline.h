#pragma once

#include "bankexam.h"
#include "datadirectory.h"

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <optional>

namespace platform {
class FolderLock;
}

namespace quizmark {

// The commands of quizmark-bank: build, add, remove, dump, check and history, each with its own --help.
class BankCommandLine
{
public:
    static constexpr int Success = 0;
    // Build refused its input, check found problems, dump left banks out.
    static constexpr int Problems = 1;
    // The directory could not be read, or the command line was wrong.
    static constexpr int Unusable = 2;

    // defaultDirectory stands in for a DIR the command line leaves out; empty, DIR is required.
    BankCommandLine(QTextStream& out, QTextStream& err, QString defaultDirectory = {});

    // arguments as main receives them, the program's name first.
    int run(const QStringList& arguments);
    // For the test of interruptions: a command that writes the data directory ends its own process
    // after that many renames.
    void stopAfterRenames(int count) { m_stopAfterRenames = count; }

private:
    int build(const QStringList& arguments);
    int add(const QStringList& arguments);
    int remove(const QStringList& arguments);
    int exportExam(const QStringList& arguments);
    int dump(const QStringList& arguments);
    int check(const QStringList& arguments);
    int history(const QStringList& arguments);
    // The exit code when the command has been answered already: help shown, or misuse.
    // operands counts DIR for a command whose first operand is the data directory.
    std::optional<int> parse(QCommandLineParser& parser, const QStringList& arguments, qsizetype operands,
                             bool moreOperands = false, bool directoryFirst = false);
    // Whether the operands leave DIR out, so that the default directory stands in for it.
    bool leavesOutDirectory(qsizetype operands, bool moreOperands) const;
    // The exams of the source operands from that place on, or nothing when any was refused.
    std::optional<QList<BankExam>> readSources(const QCommandLineParser& parser, qsizetype first);
    // The options that say how to read sources of other formats.
    static void addSourceOptions(QCommandLineParser& parser);
    // The data directory operand, the first.
    DataDirectory directoryOperand() const;
    // Takes the directory's lock and finishes a write that was cut off there. False, with the
    // reason told, when another command holds it or the cut-off write cannot be finished.
    bool settle(const QString& directory, platform::FolderLock& lock);
    // Writes what a command prints: to the output stream, or to the file of its -o option, which
    // print's false leaves as it was.
    bool writeOutput(const QString& path, const std::function<bool(QTextStream&)>& print);
    bool report(const QStringList& errors);
    QString toolHelp() const;
    static QString commandHelp(const QCommandLineParser& parser);

    QTextStream& m_out;
    QTextStream& m_err;
    QString m_defaultDirectory;
    int m_stopAfterRenames = -1;
    // The operands after the command, DIR filled in where it was left out.
    QStringList m_operands;
};

} // namespace quizmark
