#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

class QFileDevice;
class QIODevice;

namespace platform {

// The one way a file is written: whole or not at all where that can be, and never quietly.
// A regular file, or one not there yet, is written to a temporary beside it and renamed over it
// only once every byte is written and flushed. A target that is no regular file (a pipe, a device,
// standard output named "-" or /dev/stdout) is opened and written in place, never renamed over.
// A link is followed, but only into the folder the write is confined to, when it is.
class FileWrite
{
public:
    explicit FileWrite(QString path);
    ~FileWrite();
    FileWrite(const FileWrite&) = delete;
    FileWrite& operator=(const FileWrite&) = delete;

    // Only a regular file inside this folder (or below it) may be written, links followed: what
    // the program keeps in its data directory. A pipe or device there is refused, not written.
    void confineTo(const QString& folder);
    bool open();
    // The open device, for writers that want one (a PDF or image writer, a text stream).
    QIODevice* device() const;
    bool write(QByteArrayView bytes);
    // Flushes and, for a regular file, renames the temporary into place. False, with the reason,
    // when any write or the flush failed; the target is then as it was, where it was a regular file.
    bool commit();
    // Whether the target is written in place (a pipe, a device, standard output).
    bool isInPlace() const { return m_inPlace; }
    // "cannot write PATH: reason"; empty while nothing failed.
    const QString& errorString() const { return m_error; }

    // Where a write of path ends up once its links are followed; path itself when it is no link.
    static QString resolvedPath(const QString& path);
    // Whether path lies in folder or below it once every link on the way is followed; a path not
    // there yet counts by its folder.
    static bool staysInside(const QString& path, const QString& folder);

private:
    bool fail(const QString& reason);
    bool openInPlace(const QString& target);

    QString m_path;
    QString m_confinement;
    std::unique_ptr<QFileDevice> m_device;
    bool m_inPlace = false;
    QString m_error;
};

} // namespace platform
