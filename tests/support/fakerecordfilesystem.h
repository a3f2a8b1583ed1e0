#pragma once

#include "platform/recordfile.h"

#include <QHash>

#include <map>
#include <memory>
#include <utility>

namespace testing_support {

// Record files held in memory by path; a test can look at the bytes or make any step fail.
class FakeRecordFileSystem : public platform::RecordFileSystem {
public:
    // The steps a file goes through, each of which a test can make fail.
    enum class Step
    {
        Open,
        Lock,
        Write,
        Sync
    };

    std::unique_ptr<platform::RecordFile> open(const QString& path, int recordLength,
        platform::RecordAccess access) override;

    void setFile(const QString& path, const QByteArray& bytes);
    QByteArray contents(const QString& path) const;
    bool exists(const QString& path) const;
    // Folders that exist; a file in any other folder is error 76. Empty means every folder exists.
    void addDirectory(const QString& path) { m_directories.append(path); }
    void setWritesFail(bool fail) { m_writesFail = fail; }
    // Every open of the path fails with that runtime error, as a folder or an unreadable file does.
    void setOpenError(const QString& path, int errorNumber) { m_openErrors.insert(path, errorNumber); }
    // The path opens for reading only; an open for writing is refused as a read-only file is.
    void setReadOnly(const QString& path) { m_readOnly.append(path); }
    // The nth call of the step on the path from now on (1 = the next) fails with a device error;
    // 0 disarms it.
    void failStep(Step step, int nth, const QString& path);
    // How many times the step was called on the path since the file system was made.
    int stepCount(Step step, const QString& path) const;
    int openCount() const { return m_opens; }
    int lockCount() const { return m_locks; }
    int syncCount() const { return m_syncs; }

private:
    friend class FakeRecordFile;
    QHash<QString, std::shared_ptr<QByteArray>> m_files;
    QStringList m_directories;
    // Counts the call and raises the device error when it is the one armed to fail.
    void takeStep(Step step, const QString& path);

    bool m_writesFail = false;
    QHash<QString, int> m_openErrors;
    QStringList m_readOnly;
    std::map<std::pair<QString, Step>, int> m_stepCalls;
    std::map<std::pair<QString, Step>, int> m_failAt;
    int m_opens = 0;
    int m_locks = 0;
    int m_syncs = 0;
};

}
