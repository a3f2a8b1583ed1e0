#pragma once

#include <QString>

namespace platform {

class ProgramDirectory;

// The places the program's data may live: beside the program, installed with it, or the user's own.
class DataFolders
{
public:
    virtual ~DataFolders() = default;
    // The dat folder beside the program: the data directory of a portable copy.
    virtual QString besideProgram() const = 0;
    // The sample exams installed with the program, found relative to it so a moved install still works.
    virtual QString installedSamples() const = 0;
    // The user's own dat folder, for an installed program that the user cannot write beside.
    virtual QString perUser() const = 0;
    virtual bool isWritableDirectory(const QString& path) const = 0;
};

// The folders of the running program and of the logged-in user.
class SystemDataFolders : public DataFolders
{
public:
    explicit SystemDataFolders(const ProgramDirectory& program);
    QString besideProgram() const override;
    QString installedSamples() const override;
    QString perUser() const override;
    bool isWritableDirectory(const QString& path) const override;

private:
    const ProgramDirectory& m_program;
};

} // namespace platform
