#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Starting other programs and testing for files, as the about box needs them.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts a program in a normal window with focus; false when it could not be started.
    virtual bool Shell(const QString& program, const QStringList& arguments = {}) = 0;
    virtual bool fileExists(const QString& path) const = 0;
    // The full path of a program on the search path, or empty.
    virtual QString findProgram(const QString& name) const = 0;
};

class ProcessLauncher : public ProgramLauncher {
public:
    bool Shell(const QString& program, const QStringList& arguments = {}) override;
    bool fileExists(const QString& path) const override;
    QString findProgram(const QString& name) const override;
};

}
