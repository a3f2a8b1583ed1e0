#include "fakerecordfilesystem.h"

#include "platform/runtimeerror.h"

#include <QFileInfo>

namespace testing_support {

using platform::ErrorNumber::DiskFull;
using platform::ErrorNumber::DeviceIoError;
using platform::ErrorNumber::FileNotFound;
using platform::ErrorNumber::PathNotFound;
using platform::RuntimeError;
using platform::ErrorNumber::PermissionDenied;

class FakeRecordFile : public platform::RecordFile {
public:
    FakeRecordFile(FakeRecordFileSystem& owner, QString path, int recordLength, std::shared_ptr<QByteArray> bytes,
                   bool writable)
        : m_owner(owner)
        , m_path(std::move(path))
        , m_recordLength(recordLength)
        , m_bytes(std::move(bytes))
        , m_writable(writable)
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
        if (!m_writable)
            throw RuntimeError(PermissionDenied, m_path);
        m_owner.takeStep(FakeRecordFileSystem::Step::Write, m_path);
        if (m_owner.m_writesFail)
            throw RuntimeError(DiskFull, m_path);
        const qint64 offset = (record - 1) * m_recordLength;
        if (m_bytes->size() < offset + bytes.size())
            m_bytes->resize(offset + bytes.size(), '\0');
        m_bytes->replace(offset, bytes.size(), bytes);
    }

    void lockExclusive() override
    {
        m_owner.takeStep(FakeRecordFileSystem::Step::Lock, m_path);
        ++m_owner.m_locks;
    }
    void unlock() override { }
    void sync() override
    {
        m_owner.takeStep(FakeRecordFileSystem::Step::Sync, m_path);
        ++m_owner.m_syncs;
    }

private:
    FakeRecordFileSystem& m_owner;
    QString m_path;
    int m_recordLength;
    std::shared_ptr<QByteArray> m_bytes;
    bool m_writable;
};

std::unique_ptr<platform::RecordFile> FakeRecordFileSystem::open(const QString& path, int recordLength,
    platform::RecordAccess access)
{
    const QString folder = QFileInfo(path).path();
    if (!m_directories.isEmpty() && !m_directories.contains(folder))
        throw RuntimeError(PathNotFound, path);
    if (const auto error = m_openErrors.find(path); error != m_openErrors.end())
        throw RuntimeError(error.value(), path);
    const bool writable = access == platform::RecordAccess::ReadWrite;
    if (writable && m_readOnly.contains(path))
        throw RuntimeError(PermissionDenied, path);
    takeStep(Step::Open, path);
    auto it = m_files.find(path);
    if (it == m_files.end()) {
        if (access == platform::RecordAccess::ReadOnly)
            throw RuntimeError(FileNotFound, path);
        it = m_files.insert(path, std::make_shared<QByteArray>());
    }
    ++m_opens;
    return std::make_unique<FakeRecordFile>(*this, path, recordLength, it.value(), writable);
}

void FakeRecordFileSystem::failStep(Step step, int nth, const QString& path)
{
    m_failAt[{ path, step }] = nth > 0 ? stepCount(step, path) + nth : 0;
}

int FakeRecordFileSystem::stepCount(Step step, const QString& path) const
{
    const auto it = m_stepCalls.find({ path, step });
    return it == m_stepCalls.end() ? 0 : it->second;
}

void FakeRecordFileSystem::takeStep(Step step, const QString& path)
{
    const int call = ++m_stepCalls[{ path, step }];
    const auto armed = m_failAt.find({ path, step });
    if (armed != m_failAt.end() && call == armed->second)
        throw RuntimeError(DeviceIoError, path);
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
