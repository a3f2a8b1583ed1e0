#include "fakerecordfilesystem.h"

#include "platform/runtimeerror.h"

#include <QFileInfo>

namespace testing_support {

using platform::ErrorNumber::DiskFull;
using platform::ErrorNumber::FileNotFound;
using platform::ErrorNumber::PathNotFound;
using platform::RuntimeError;

class FakeRecordFile : public platform::RecordFile {
public:
    FakeRecordFile(FakeRecordFileSystem& owner, QString path, int recordLength, std::shared_ptr<QByteArray> bytes)
        : m_owner(owner)
        , m_path(std::move(path))
        , m_recordLength(recordLength)
        , m_bytes(std::move(bytes))
    {
    }

    QString path() const override { return m_path; }
    int recordLength() const override { return m_recordLength; }
    qint64 length() const override { return m_bytes->size(); }

    QByteArray read(qint64 record) override
    {
        platform::checkRecordNumber(record);
        return m_bytes->mid((record - 1) * m_recordLength, m_recordLength);
    }

    void write(qint64 record, const QByteArray& bytes) override
    {
        platform::checkRecordNumber(record);
        platform::checkRecordBytes(*this, bytes);
        if (m_owner.m_writesFail)
            throw RuntimeError(DiskFull, m_path);
        const qint64 offset = (record - 1) * m_recordLength;
        if (m_bytes->size() < offset + bytes.size())
            m_bytes->resize(offset + bytes.size(), '\0');
        m_bytes->replace(offset, bytes.size(), bytes);
    }

    void lockExclusive() override { ++m_owner.m_locks; }
    void unlock() override { }
    void sync() override { ++m_owner.m_syncs; }

private:
    FakeRecordFileSystem& m_owner;
    QString m_path;
    int m_recordLength;
    std::shared_ptr<QByteArray> m_bytes;
};

std::unique_ptr<platform::RecordFile> FakeRecordFileSystem::open(const QString& path, int recordLength,
    platform::RecordAccess access)
{
    const QString folder = QFileInfo(path).path();
    if (!m_directories.isEmpty() && !m_directories.contains(folder))
        throw RuntimeError(PathNotFound, path);
    auto it = m_files.find(path);
    if (it == m_files.end()) {
        if (access == platform::RecordAccess::ReadOnly)
            throw RuntimeError(FileNotFound, path);
        it = m_files.insert(path, std::make_shared<QByteArray>());
    }
    ++m_opens;
    return std::make_unique<FakeRecordFile>(*this, path, recordLength, it.value());
}

void FakeRecordFileSystem::setFile(const QString& path, const QByteArray& bytes)
{
    m_files.insert(path, std::make_shared<QByteArray>(bytes));
}

QByteArray FakeRecordFileSystem::contents(const QString& path) const
{
    const auto it = m_files.find(path);
    return it == m_files.end() ? QByteArray() : *it.value();
}

bool FakeRecordFileSystem::exists(const QString& path) const
{
    return m_files.contains(path);
}

}
