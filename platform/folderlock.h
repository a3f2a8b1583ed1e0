#pragma once

#include <QLockFile>
#include <QString>

#include <chrono>

namespace platform {

// The lock that the program's first start and the bank tool's commands take on a data directory
// before they finish an interrupted write there, read it whole, or write it: one at a time.
class FolderLock
{
public:
    static inline const QString FileName = QStringLiteral(".quizmark.lock");
    // How long a second writer waits for the first before it goes on without the lock.
    static constexpr std::chrono::seconds PatientWait{ 30 };

    explicit FolderLock(const QString& folder);
    // False when the lock could not be had in that time, or cannot be made in a read-only folder.
    bool lock(std::chrono::milliseconds wait = PatientWait);
    bool isLocked() const { return m_file.isLocked(); }
    // Whether another process held the lock all that time; otherwise the folder takes no lock file.
    bool isHeldElsewhere() const { return m_file.error() == QLockFile::LockFailedError; }

private:
    QLockFile m_file;
};

} // namespace platform
