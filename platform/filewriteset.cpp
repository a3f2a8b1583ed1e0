#include "filewriteset.h"

#include "filewrite.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

const QString TemporaryMark = QStringLiteral(".new-");
// The temporaries a set writes: a dot, the target's name, the mark and six hex digits.
const QRegularExpression TemporaryName(QStringLiteral("^\\..+\\.new-[0-9a-f]{6}$"));
constexpr int NameTries = 16;

bool systemRename(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// A name the journal may hold: relative, with no way up and out.
bool isPlainRelative(const QString& name)
{
    return !name.isEmpty() && !QDir::isAbsolutePath(name) && !name.split(u'/').contains(QStringLiteral(".."));
}

QString canonicalFolder(const QString& folder)
{
    return QFileInfo(folder).canonicalFilePath();
}

// The target's own name in its folder as the system sees it, links on the way followed.
QString canonicalTarget(const QString& target)
{
    const QFileInfo info(target);
    return canonicalFolder(info.absolutePath()) + u'/' + info.fileName();
}

} // namespace

FileWriteSet::FileWriteSet(QString folder)
    : m_folder(std::move(folder))
{
}

FileWriteSet::~FileWriteSet()
{
    if (m_committed)
        return;
    for (const Rename& rename : m_renames)
        QFile::remove(rename.temporary);
}

bool FileWriteSet::add(const QString& name, QByteArrayView bytes, const QString& confinement)
{
    if (!m_error.isEmpty())
        return false;
    const QString path = QDir(m_folder).filePath(name);
    if (m_canonicalFolder.isEmpty())
        m_canonicalFolder = canonicalFolder(m_folder);
    const QFileInfo direct(path);
    QString target;
    // A plain name in the folder itself that is no link needs no links followed: the common case,
    // thousands of times for a large catalogue.
    if (!name.contains(u'/') && !direct.isSymLink() && confinement.isEmpty() && !m_canonicalFolder.isEmpty()) {
        target = m_canonicalFolder + u'/' + name;
    } else {
        if (!FileWrite::staysInside(path, confinement.isEmpty() ? m_folder : confinement))
            return fail(path,
                        QStringLiteral("it is a link that leads outside %1")
                            .arg(QDir::toNativeSeparators(confinement.isEmpty() ? m_folder : confinement)));
        target = canonicalTarget(FileWrite::resolvedPath(path));
    }
    const QFileInfo existing(target);
    if (existing.isDir())
        return fail(path, QStringLiteral("it is a folder"));
    if (existing.exists() && !existing.isFile())
        return fail(path, QStringLiteral("it is not a regular file"));

    QFile file;
    for (int tries = 0; tries < NameTries && !file.isOpen(); ++tries) {
        const QString suffix
            = QString::number(QRandomGenerator::global()->bounded(0x1000000), 16).rightJustified(6, u'0');
        file.setFileName(QFileInfo(target).absolutePath() + QStringLiteral("/.") + QFileInfo(target).fileName()
                         + TemporaryMark + suffix);
        // Only a name that is taken is worth another try.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !QFileInfo::exists(file.fileName()))
            break;
    }
    if (!file.isOpen())
        return fail(path, QStringLiteral("no temporary file can be made beside it: %1").arg(file.errorString()));
    m_renames.append({ file.fileName(), target });
    // A replaced file keeps who may read it.
    if (existing.exists())
        file.setPermissions(existing.permissions());
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush())
        return fail(path, file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        return fail(path, file.errorString());
    return true;
}

void FileWriteSet::removeOnCommit(const QString& name)
{
    m_removals.append(QDir(m_folder).filePath(name));
}

bool FileWriteSet::commit()
{
    if (!m_error.isEmpty())
        return false;
    if (m_stopAfter == 0)
        ::kill(::getpid(), SIGKILL);
    // Every temporary on disk before any rename, in one call for the file system instead of one
    // for each of thousands of banks.
    if (!syncFolder())
        return false;
    // One rename needs no journal: it is whole or not there by itself.
    const bool journalled = m_renames.size() + m_removals.size() > 1;
    if (journalled && !writeJournal())
        return false;
    m_committed = true;
    for (const Rename& step : m_renames)
        if (!rename(step.temporary, step.target))
            return false;
    // The new files are in place: a file that cannot be removed is left, not a failure.
    for (const QString& removal : m_removals)
        if (QFileInfo(removal).isFile())
            QFile::remove(removal);
    if (journalled)
        QFile::remove(QDir(m_folder).filePath(JournalName));
    return true;
}

bool FileWriteSet::syncFolder()
{
    const int folder = ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = folder >= 0 && ::syncfs(folder) == 0;
    const int reason = errno;
    if (folder >= 0)
        ::close(folder);
    return synced || fail(m_folder, QString::fromLocal8Bit(std::strerror(reason)));
}

bool FileWriteSet::rename(const QString& from, const QString& to)
{
    if (!systemRename(from, to))
        return fail(to, QString::fromLocal8Bit(std::strerror(errno)));
    renamed();
    return true;
}

void FileWriteSet::renamed()
{
    ++m_renamed;
    if (m_stopAfter > 0 && m_renamed >= m_stopAfter)
        ::kill(::getpid(), SIGKILL);
}

QString FileWriteSet::relative(const QString& path) const
{
    return QDir(m_canonicalFolder).relativeFilePath(path);
}

bool FileWriteSet::writeJournal()
{
    QJsonArray renames;
    for (const Rename& step : m_renames)
        renames.append(QJsonArray{ relative(step.temporary), relative(step.target) });
    QJsonArray removals;
    for (const QString& removal : m_removals)
        removals.append(relative(canonicalTarget(removal)));
    const QByteArray journal
        = QJsonDocument(QJsonObject{ { QStringLiteral("renames"), renames }, { QStringLiteral("removals"), removals } })
              .toJson();
    const QString path = QDir(m_folder).filePath(JournalName);
    const QString temporary = path + TemporaryMark + QStringLiteral("000000");
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(journal) != journal.size()
        || !file.flush()) {
        fail(path, file.errorString());
        QFile::remove(temporary);
        return false;
    }
    ::fdatasync(file.handle());
    file.close();
    // The journal in place is the moment the new files win.
    return rename(temporary, path);
}

bool FileWriteSet::fail(const QString& path, const QString& reason)
{
    if (m_error.isEmpty())
        m_error = QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason);
    return false;
}

bool FileWriteSet::finishPending(const QString& folder, QString* error)
{
    const QDir dir(folder);
    const QString journalPath = dir.filePath(JournalName);
    QStringList pending;
    if (QFileInfo(journalPath).isFile()) {
        QFile journal(journalPath);
        const QJsonObject steps
            = journal.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(journal.readAll()).object() : QJsonObject();
        for (const QJsonValue& value : steps.value(u"renames").toArray()) {
            const QString from = value.toArray().at(0).toString();
            const QString to = value.toArray().at(1).toString();
            // A temporary no longer there was renamed before the run was cut off.
            if (!isPlainRelative(from) || !isPlainRelative(to) || !QFileInfo(dir.filePath(from)).isFile())
                continue;
            if (!FileWrite::staysInside(dir.filePath(to), folder)
                || !systemRename(dir.filePath(from), dir.filePath(to)))
                pending.append(to);
        }
        for (const QJsonValue& value : steps.value(u"removals").toArray()) {
            const QString name = value.toString();
            if (isPlainRelative(name) && QFileInfo(dir.filePath(name)).isFile()
                && FileWrite::staysInside(dir.filePath(name), folder))
                QFile::remove(dir.filePath(name));
        }
        if (pending.isEmpty())
            QFile::remove(journalPath);
    }
    if (!pending.isEmpty()) {
        if (error)
            *error = QStringLiteral("cannot finish the write that was cut off in %1: %2 could not be put in place")
                         .arg(QDir::toNativeSeparators(folder), pending.join(QStringLiteral(", ")));
        return false;
    }
    // Temporaries of a run cut off before its journal, in the folder and the folders right below it.
    QStringList folders{ folder };
    for (const QString& sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks))
        folders.append(dir.filePath(sub));
    for (const QString& place : folders)
        for (const QString& name : QDir(place).entryList(QDir::Files | QDir::Hidden | QDir::System))
            if (TemporaryName.match(name).hasMatch() && name != JournalName)
                QFile::remove(QDir(place).filePath(name));
    return true;
}

} // namespace platform
