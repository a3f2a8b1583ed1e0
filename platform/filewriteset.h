#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

// Several files of one folder written together, all or none. Each goes to a temporary beside
// it; only when every one is whole are they renamed into place, in the order they were added,
// and the files to remove removed. Just before the first rename a journal listing the renames
// is put in the folder: a run cut off among them is finished by the next finishPending(), so a
// reader that finishes first sees either every old file or every new one.
class FileWriteSet
{
public:
    static inline const QString JournalName = QStringLiteral(".quizmark-renames");

    // folder holds the journal; every file of the set lies in it or below it.
    explicit FileWriteSet(QString folder);
    // Removes the temporaries of a set that was not committed.
    ~FileWriteSet();
    FileWriteSet(const FileWriteSet&) = delete;
    FileWriteSet& operator=(const FileWriteSet&) = delete;

    // Writes the bytes to a temporary beside name, a path relative to the folder. Links are
    // followed only where they stay inside confinement (the set's folder when empty); a target
    // that is no regular file is refused.
    bool add(const QString& name, QByteArrayView bytes, const QString& confinement = {});
    // A file removed once the renames are done.
    void removeOnCommit(const QString& name);
    bool commit();
    // "cannot write PATH: reason" for the first failure; empty while nothing failed.
    const QString& errorString() const { return m_error; }
    // For the test of interruptions: the process kills itself once that many renames (the
    // journal's counted) are done; 0 kills it before the first.
    void stopAfterRenames(int count) { m_stopAfter = count; }

    // Finishes the renames of a set whose run was cut off in folder, and removes temporaries that
    // such a run left without a journal; false, with the reason, when that cannot be done. Call it
    // only while holding the folder's lock, before reading or writing anything there.
    static bool finishPending(const QString& folder, QString* error = nullptr);

private:
    struct Rename
    {
        QString temporary;
        QString target;
    };

    bool fail(const QString& path, const QString& reason);
    bool syncFolder();
    bool rename(const QString& from, const QString& to);
    void renamed();
    bool writeJournal();
    QString relative(const QString& path) const;

    QString m_folder;
    // The folder as the system names it, links followed; found once.
    QString m_canonicalFolder;
    QList<Rename> m_renames;
    QStringList m_removals;
    QString m_error;
    int m_stopAfter = -1;
    int m_renamed = 0;
    bool m_committed = false;
};

} // namespace platform
