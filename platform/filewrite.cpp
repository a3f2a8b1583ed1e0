#include "filewrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace platform {

namespace {

// As the system gives up on a chain of links.
constexpr int MaximumLinks = 40;

bool isStandardOutput(const QString& path)
{
    return path == u"-" || path == u"/dev/stdout";
}

// Devices and the files a process has open: whatever stands there is written where it stands.
bool namesADeviceOrOpenFile(const QString& path)
{
    return path.startsWith(QStringLiteral("/dev/")) || path.startsWith(QStringLiteral("/proc/"));
}

bool isWithin(const QString& canonicalFolder, const QString& canonicalPath)
{
    return !canonicalFolder.isEmpty() && !canonicalPath.isEmpty()
        && (canonicalPath == canonicalFolder || canonicalPath.startsWith(canonicalFolder + u'/')
            || canonicalFolder == u"/");
}

} // namespace

FileWrite::FileWrite(QString path)
    : m_path(std::move(path))
{
}

FileWrite::~FileWrite() = default;

void FileWrite::confineTo(const QString& folder)
{
    m_confinement = folder;
}

QString FileWrite::resolvedPath(const QString& path)
{
    QFileInfo info(path);
    for (int links = 0; links < MaximumLinks && info.isSymLink(); ++links)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.absoluteFilePath();
}

bool FileWrite::staysInside(const QString& path, const QString& folder)
{
    const QString inside = QFileInfo(folder).canonicalFilePath();
    const QFileInfo target(resolvedPath(path));
    if (target.exists())
        return isWithin(inside, target.canonicalFilePath()) && target.canonicalFilePath() != inside;
    return isWithin(inside, QFileInfo(target.absolutePath()).canonicalFilePath());
}

bool FileWrite::open()
{
    m_error.clear();
    if (isStandardOutput(m_path) && m_confinement.isEmpty()) {
        m_inPlace = true;
        auto file = std::make_unique<QFile>();
        // Unbuffered on the descriptor: every write reaches the system at once, so a full disk is
        // seen at that write; what the process printed before goes first.
        std::fflush(stdout);
        if (!file->open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
            return fail(file->errorString());
        m_device = std::move(file);
        return true;
    }
    if (!m_confinement.isEmpty() && !staysInside(m_path, m_confinement))
        return fail(QStringLiteral("it is a link that leads outside %1").arg(QDir::toNativeSeparators(m_confinement)));
    const QString target = resolvedPath(m_path);
    const QFileInfo info(target);
    if (info.isSymLink())
        return fail(QStringLiteral("it is a chain of links that leads nowhere"));
    if (info.isDir())
        return fail(QStringLiteral("it is a folder"));
    const bool special = info.exists() && !info.isFile();
    if (special || (m_confinement.isEmpty() && (namesADeviceOrOpenFile(m_path) || namesADeviceOrOpenFile(target)))) {
        // The program's own files are records, never a pipe or a device.
        if (!m_confinement.isEmpty())
            return fail(QStringLiteral("it is not a regular file"));
        return openInPlace(target);
    }
    auto file = std::make_unique<QSaveFile>(target);
    file->setDirectWriteFallback(false);
    if (!file->open(QIODevice::WriteOnly))
        return fail(file->errorString());
    m_device = std::move(file);
    return true;
}

bool FileWrite::openInPlace(const QString& target)
{
    m_inPlace = true;
    auto file = std::make_unique<QFile>(target);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file->errorString());
    m_device = std::move(file);
    return true;
}

QIODevice* FileWrite::device() const
{
    return m_device.get();
}

bool FileWrite::write(QByteArrayView bytes)
{
    if (!m_device)
        return m_error.isEmpty() ? fail(QStringLiteral("it is not open")) : false;
    if (m_device->write(bytes.data(), bytes.size()) != bytes.size())
        return fail(m_device->errorString());
    return true;
}

bool FileWrite::commit()
{
    if (!m_device)
        return m_error.isEmpty() ? fail(QStringLiteral("it is not open")) : false;
    if (auto* save = qobject_cast<QSaveFile*>(m_device.get())) {
        if (!save->commit())
            return fail(save->errorString());
        return m_error.isEmpty();
    }
    auto* file = static_cast<QFile*>(m_device.get());
    if (!file->flush() || file->error() != QFileDevice::NoError)
        return fail(file->errorString());
    file->close();
    if (file->error() != QFileDevice::NoError)
        return fail(file->errorString());
    return m_error.isEmpty();
}

bool FileWrite::fail(const QString& reason)
{
    if (m_error.isEmpty())
        m_error
            = QStringLiteral("cannot write %1: %2")
                  .arg(m_path == u"-" ? QStringLiteral("standard output") : QDir::toNativeSeparators(m_path), reason);
    if (auto* save = qobject_cast<QSaveFile*>(m_device.get()))
        save->cancelWriting();
    return false;
}

} // namespace platform
