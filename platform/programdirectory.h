#pragma once

#include <QString>

namespace platform {

// The folder of the program file, and paths inside it.
class ProgramDirectory
{
public:
    virtual ~ProgramDirectory() = default;
    // No trailing separator, except at the root of the file system.
    virtual QString path() const = 0;
    // The path of a file below the program directory, such as "dat/index.dat".
    QString filePath(const QString& relative) const;
    // The data directory in use: dat below the program directory unless another was chosen.
    virtual QString dataPath() const { return filePath(QStringLiteral("dat")); }
};

// The directory of the running executable.
class ExecutableDirectory : public ProgramDirectory
{
public:
    QString path() const override;
    QString dataPath() const override;
    // Chosen once at start-up, before any screen loads.
    void setDataPath(const QString& path) { m_dataPath = path; }

private:
    QString m_dataPath;
};

// A fixed directory, for tests and tools.
class FixedDirectory : public ProgramDirectory
{
public:
    explicit FixedDirectory(QString path);
    QString path() const override { return m_path; }

private:
    QString m_path;
};

} // namespace platform
