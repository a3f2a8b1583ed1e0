#include "diskrecordfilesystem.h"

#include "runtimeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

namespace {

class DiskRecordFile : public RecordFile {
public:
    DiskRecordFile(const QString& path, int recordLength)
        : m_file(path)
        , m_recordLength(recordLength)
    {
    }

    void open(RecordAccess access)
    {
        const QFileInfo info(m_file.fileName());
        if (!info.dir().exists())
            throw RuntimeError(ErrorNumber::PathNotFound, m_file.fileName());
        if (info.isDir())
            throw RuntimeError(ErrorNumber::PathFileAccessError, m_file.fileName());
        if (access == RecordAccess::ReadOnly) {
            if (!info.exists())
                throw RuntimeError(ErrorNumber::FileNotFound, m_file.fileName());
            if (!m_file.open(QIODevice::ReadOnly))
                throw RuntimeError(ErrorNumber::PermissionDenied, m_file.fileName());
            return;
        }
        if (!m_file.open(QIODevice::ReadWrite))
            throw RuntimeError(ErrorNumber::PermissionDenied, m_file.fileName());
    }

    ~DiskRecordFile() override
    {
        if (m_locked)
            unlock();
    }

    QString path() const override { return m_file.fileName(); }
    int recordLength() const override { return m_recordLength; }
    qint64 length() const override { return m_file.size(); }

    QByteArray read(qint64 record) override
    {
        checkRecordNumber(record);
        const qint64 offset = (record - 1) * m_recordLength;
        if (offset >= m_file.size())
            return {};
        if (!m_file.seek(offset))
            throw RuntimeError(ErrorNumber::DeviceIoError, path());
        return m_file.read(m_recordLength);
    }

    void write(qint64 record, const QByteArray& bytes) override
    {
        checkRecordNumber(record);
        checkRecordBytes(*this, bytes);
        if (!m_file.isWritable())
            throw RuntimeError(ErrorNumber::PermissionDenied, path());
        if (!m_file.seek((record - 1) * m_recordLength))
            throw RuntimeError(ErrorNumber::DeviceIoError, path());
        const qint64 written = m_file.write(bytes);
        if (written != bytes.size() || !m_file.flush()) {
            const bool full = m_file.error() == QFileDevice::ResourceError;
            throw RuntimeError(full ? ErrorNumber::DiskFull : ErrorNumber::DeviceIoError,
                QStringLiteral("%1: %2").arg(path(), m_file.errorString()));
        }
    }

    void lockExclusive() override
    {
        while (::flock(m_file.handle(), LOCK_EX) != 0) {
            if (errno != EINTR)
                throw RuntimeError(ErrorNumber::PermissionDenied, path());
        }
        m_locked = true;
    }

    void unlock() override
    {
        ::flock(m_file.handle(), LOCK_UN);
        m_locked = false;
    }

    void sync() override
    {
        if (!m_file.flush() || ::fdatasync(m_file.handle()) != 0)
            throw RuntimeError(ErrorNumber::DeviceIoError, path());
    }

private:
    QFile m_file;
    int m_recordLength;
    bool m_locked = false;
};

}

std::unique_ptr<RecordFile> DiskRecordFileSystem::open(const QString& path, int recordLength, RecordAccess access)
{
    auto file = std::make_unique<DiskRecordFile>(path, recordLength);
    file->open(access);
    return file;
}

}
