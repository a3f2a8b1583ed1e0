#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace testing_support {

// A reader of a named pipe, there before anyone writes, so a writer neither blocks nor is lost.
class PipeReader
{
public:
    explicit PipeReader(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK))
    {
        // Room for all a test writes, so the writer never waits for this reader.
        ::fcntl(m_fd, F_SETPIPE_SZ, 1 << 20);
    }
    ~PipeReader()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    PipeReader(const PipeReader&) = delete;
    PipeReader& operator=(const PipeReader&) = delete;
    QByteArray received() const
    {
        QByteArray all;
        char buffer[4096];
        for (ssize_t n; (n = ::read(m_fd, buffer, sizeof buffer)) > 0;)
            all.append(buffer, n);
        return all;
    }

private:
    int m_fd;
};

// A device that is always full. As root, a node of its own in folder: a write that wrongly renamed
// over its target must never replace the system's /dev/full.
inline QString fullDevice(const QString& folder)
{
    if (::geteuid() != 0)
        return QStringLiteral("/dev/full");
    const QString node = folder + QStringLiteral("/full");
    ::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 7));
    return node;
}

} // namespace testing_support
