#include "diskrecordfilesystem.h"

#include "runtimeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

class DiskRecordFile : public RecordFile {
public:
    DiskRecordFile(const QString& path, int recordLength)
        : m_path(path)
        , m_recordLength(recordLength)
    {
    }

    void open(RecordAccess access)
    {
        const QFileInfo info(m_path);
        if (!info.dir().exists())
            throw RuntimeError(ErrorNumber::PathNotFound, m_path);
        if (info.isDir())
            throw RuntimeError(ErrorNumber::PathFileAccessError, m_path);
        if (access == RecordAccess::ReadOnly && !info.exists())
            throw RuntimeError(ErrorNumber::FileNotFound, m_path);
        const int descriptor = openRegularFile(access);
        const QIODevice::OpenMode mode = access == RecordAccess::ReadOnly ? QIODevice::ReadOnly : QIODevice::ReadWrite;
        if (!m_file.open(descriptor, mode, QFileDevice::AutoCloseHandle)) {
            ::close(descriptor);
            throw RuntimeError(ErrorNumber::PathFileAccessError, m_path);
        }
    }

    ~DiskRecordFile() override
    {
        if (m_locked)
            unlock();
    }

    QString path() const override { return m_path; }
    int recordLength() const override { return m_recordLength; }
    qint64 length() const override { return m_file.size(); }

    QByteArray read(qint64 record) override { return read(record, 0, m_recordLength); }

    QByteArray read(qint64 record, int offset, int length) override
    {
        checkRecordNumber(record);
        if (offset < 0 || length < 0)
            throw RuntimeError(ErrorNumber::BadRecordNumber, path());
        const int inRecord = std::min(length, std::max(m_recordLength - offset, 0));
        return readAt((record - 1) * m_recordLength + offset, inRecord);
    }

    QByteArray readRecords(qint64 first, qint64 count) override
    {
        checkRecordNumber(first);
        if (count <= 0)
            return {};
        return readAt((first - 1) * m_recordLength, count * m_recordLength);
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
    // Opened without waiting, so a named pipe or a device cannot hold the program in open(); only
    // a regular file is kept, and from then on it is read and written as usual.
    int openRegularFile(RecordAccess access) const
    {
        const int flags = (access == RecordAccess::ReadOnly ? O_RDONLY : O_RDWR | O_CREAT) | O_NONBLOCK | O_CLOEXEC;
        const int descriptor = ::open(QFile::encodeName(m_path).constData(), flags, 0666);
        if (descriptor < 0)
            throw RuntimeError(errorForOpen(errno), m_path);
        struct stat status
        {
        };
        if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
            ::close(descriptor);
            throw RuntimeError(ErrorNumber::PathFileAccessError, m_path + QStringLiteral(" (not a regular file)"));
        }
        ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
        return descriptor;
    }

    static int errorForOpen(int error)
    {
        switch (error) {
        case ENOENT:
            return ErrorNumber::FileNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
            return ErrorNumber::PermissionDenied;
        case ENOSPC:
            return ErrorNumber::DiskFull;
        case EIO:
            return ErrorNumber::DeviceIoError;
        default:
            return ErrorNumber::PathFileAccessError;
        }
    }

    // Opened from a descriptor, the file keeps no name of its own.
    QString m_path;

    // One positioned read, past the file's own buffer: the bytes the file holds from offset on,
    // fewer at its end.
    QByteArray readAt(qint64 offset, qint64 length)
    {
        const qint64 available = std::min(length, std::max<qint64>(m_file.size() - offset, 0));
        QByteArray bytes(available, Qt::Uninitialized);
        qint64 done = 0;
        while (done < available) {
            const ssize_t got
                = ::pread(m_file.handle(), bytes.data() + done, std::size_t(available - done), off_t(offset + done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                throw RuntimeError(ErrorNumber::DeviceIoError, path());
            if (got == 0)
                break;
            done += got;
        }
        bytes.truncate(done);
        return bytes;
    }

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
