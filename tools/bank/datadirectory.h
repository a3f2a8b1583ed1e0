#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace quizmark {

// The data directory as the program finds it: index.dat, the banks it names and results.dat.
// Files are read whole, so every record is cut from bytes that are there.
class DataDirectory
{
public:
    static inline const QString IndexFile = QStringLiteral("index.dat");
    static inline const QString ResultsFile = QStringLiteral("results.dat");

    explicit DataDirectory(QString path);

    const QString& path() const { return m_path; }
    bool exists() const;
    QString filePath(const QString& name) const;
    bool hasFile(const QString& name) const;
    // The file's bytes; empty with a reason in error when it is missing or cannot be read.
    std::optional<QByteArray> read(const QString& name, QString* error = nullptr) const;

    // Why the program would not find a bank of that name in the directory itself, or empty when
    // it is a plain file name there.
    static QString bankNameProblem(const QString& name);

    // Record n (from 1) of a file of fixed-length records: short for a trailing fragment.
    static QByteArray record(const QByteArray& file, qint64 n, int length);
    // Records in a catalogue or bank of that many bytes: a fragment of half a record or more counts,
    // since the program reads it as a record. Not bounded by the program's 16-bit count.
    static qint64 recordCount(qint64 length, int recordLength);

private:
    QString m_path;
};

} // namespace quizmark
