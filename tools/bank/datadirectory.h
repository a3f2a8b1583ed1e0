#pragma once

#include "recordstream.h"

#include "data/bankdomains.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quizmark {

// The data directory as the program finds it: index.dat, the banks it names and results.dat.
// Files are read a record at a time, and only when they are regular files that resolve inside
// the directory, as the program requires.
class DataDirectory
{
public:
    static inline const QString IndexFile = QStringLiteral("index.dat");
    static inline const QString ResultsFile = QStringLiteral("results.dat");

    explicit DataDirectory(QString path);

    const QString& path() const { return m_path; }
    bool exists() const;
    QString filePath(const QString& name) const;
    // Whether anything, a dangling link included, stands under that name.
    bool isPresent(const QString& name) const;
    // The file's records; nothing, with the reason in error, when the program would not read it.
    std::optional<RecordStream> open(const QString& name, int recordLength, QString* error = nullptr) const;
    // The regular files ending in .dat, catalogue and score history excepted: the candidate banks.
    QStringList bankFiles() const;
    // The regular files ending in .dat.domains: the candidate domains of banks.
    QStringList domainFiles() const;
    // The domains beside that bank; none when it has no such file. Nothing, with the reason in
    // error, when the program would not read the file or it is larger than any bank needs.
    std::optional<BankDomains> domains(const QString& bank, QString* error = nullptr) const;

    // Why the program would not find a bank of that name in the directory itself, or empty when
    // it is a plain file name there.
    static QString bankNameProblem(const QString& name);
    // Why the program would refuse to read a bank of that catalogue name, or empty when it would
    // look for it: the name may lead into a sub-folder, but not out of the directory.
    static QString readableBankNameProblem(const QString& name);
    // The name as the program reads it: either slash separates folders.
    static QString readableName(const QString& name);

private:
    bool resolvesInside(const QString& name) const;

    QString m_path;
};

} // namespace quizmark
