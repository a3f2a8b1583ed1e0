#pragma once

#include <QString>

namespace platform {

// The folder of the program file, and paths inside it.
class ProgramDirectory {
public:
    virtual ~ProgramDirectory() = default;
    // No trailing separator, except at the root of the file system.
    virtual QString path() const = 0;
    // The path of a file below the program directory, such as "dat/index.dat".
    QString filePath(const QString& relative) const;
};

// The directory of the running executable.
class ExecutableDirectory : public ProgramDirectory {
public:
    QString path() const override;
};

// A fixed directory, for tests and tools.
class FixedDirectory : public ProgramDirectory {
public:
    explicit FixedDirectory(QString path);
    QString path() const override { return m_path; }

private:
    QString m_path;
};

}
