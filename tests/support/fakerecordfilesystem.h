#pragma once

#include "platform/recordfile.h"

#include <QHash>

#include <memory>

namespace testing_support {

// Record files held in memory by path; a test can look at the bytes or make writes fail.
class FakeRecordFileSystem : public platform::RecordFileSystem {
public:
    std::unique_ptr<platform::RecordFile> open(const QString& path, int recordLength,
        platform::RecordAccess access) override;

    void setFile(const QString& path, const QByteArray& bytes);
    QByteArray contents(const QString& path) const;
    bool exists(const QString& path) const;
    // Folders that exist; a file in any other folder is error 76. Empty means every folder exists.
    void addDirectory(const QString& path) { m_directories.append(path); }
    void setWritesFail(bool fail) { m_writesFail = fail; }
    int openCount() const { return m_opens; }
    int lockCount() const { return m_locks; }
    int syncCount() const { return m_syncs; }

private:
    friend class FakeRecordFile;
    QHash<QString, std::shared_ptr<QByteArray>> m_files;
    QStringList m_directories;
    bool m_writesFail = false;
    int m_opens = 0;
    int m_locks = 0;
    int m_syncs = 0;
};

}
