#include "datadirectorychoice.h"

#include "data/bankdomains.h"
#include "data/cataloguerecord.h"

#include "platform/datafolders.h"
#include "platform/filewriteset.h"
#include "platform/folderlock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace quizmark {

namespace {

const QString CatalogueName = QStringLiteral("index.dat");
// Beside the user's dat folder: the bank names of every sample once offered, so an exam the user
// removed does not come back on the next start.
const QString OfferedSamplesName = QStringLiteral("offered-samples");

QByteArray readWhole(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whole records only: the bytes are copied as they stand, never re-encoded.
QList<QByteArray> catalogueRecords(const QByteArray& bytes)
{
    QList<QByteArray> records;
    for (qsizetype at = 0; at + CatalogueRecord::Length <= bytes.size(); at += CatalogueRecord::Length)
        records.append(bytes.mid(at, CatalogueRecord::Length));
    return records;
}

bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != u'.' && name != QStringLiteral("..") && !name.contains(u'/')
        && !name.contains(u'\\');
}

// The folder that holds the user's dat folder and the list of samples offered.
QString userRoot(const QString& userFolder)
{
    return QDir::cleanPath(userFolder + QStringLiteral("/.."));
}

QString offeredSamplesPath(const QString& userFolder)
{
    return QDir(userRoot(userFolder)).filePath(OfferedSamplesName);
}

QSet<QString> offeredSamples(const QString& userFolder)
{
    QSet<QString> names;
    for (const QByteArray& line : readWhole(offeredSamplesPath(userFolder)).split('\n'))
        if (!line.isEmpty())
            names.insert(QString::fromUtf8(line));
    return names;
}

// Takes the data directory's lock and finishes a write the bank tool or an earlier start left
// cut off there; false when another start or command holds it all the while.
bool settle(platform::FolderLock& lock, const QStringList& folders)
{
    if (!lock.lock())
        return false;
    for (const QString& folder : folders)
        platform::FileWriteSet::finishPending(folder);
    return true;
}

// The domains beside a sample's bank go with it, in the same set; a file of their name that is
// there already, even a link leading nowhere, stays what it is.
bool addDomains(platform::FileWriteSet& files, const QDir& source, const QDir& target, const QString& bank)
{
    const QString domains = BankDomains::pathFor(bank);
    const QFileInfo there(target.filePath(domains));
    if (!QFileInfo(source.filePath(domains)).isFile() || there.exists() || there.isSymLink())
        return true;
    QFile file(source.filePath(domains));
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QDir root(userRoot(target.path()));
    return files.add(root.relativeFilePath(there.filePath()), file.readAll(), target.path());
}

} // namespace

DataDirectoryChoice::DataDirectoryChoice(const platform::DataFolders& folders)
    : m_folders(folders)
{
}

QString DataDirectoryChoice::choose() const
{
    const QString beside = m_folders.besideProgram();
    if (m_folders.isWritableDirectory(beside)) {
        platform::FolderLock lock(beside);
        settle(lock, { beside });
        return beside;
    }
    const QString user = m_folders.perUser();
    // Without a folder of its own the program still shows what lies beside it, read only.
    if (!QDir().mkpath(user))
        return beside;
    // One start copies the samples at a time; a start that cannot have the lock reads what is there.
    platform::FolderLock lock(user);
    if (!settle(lock, { userRoot(user), user }))
        return user;
    const QString source = samplesSource();
    if (!source.isEmpty())
        addNewSamples(source, user);
    return user;
}

// The installed samples; a read-only dat beside the program serves when nothing was installed.
QString DataDirectoryChoice::samplesSource() const
{
    for (const QString& folder : { m_folders.installedSamples(), m_folders.besideProgram() })
        if (QFileInfo::exists(QDir(folder).filePath(CatalogueName)))
            return folder;
    return {};
}

// The rules of adding an exam to a catalogue: only a new bank name is added, its bank is copied
// beside the others, and no file that is there already is replaced. The banks, the catalogue and
// the list of samples offered are written together, all or none, and none through a link that
// leads out of its folder.
bool DataDirectoryChoice::addNewSamples(const QString& from, const QString& to) const
{
    const QDir source(from);
    const QDir target(to);
    const QDir root(userRoot(to));
    platform::FileWriteSet files(root.path());
    QByteArray catalogue = readWhole(target.filePath(CatalogueName));
    // A damaged catalogue would shift every record appended to it; it stays as the user left it.
    if (catalogue.size() % CatalogueRecord::Length != 0)
        return false;
    const QSet<QString> offeredBefore = offeredSamples(to);
    QSet<QString> offered = offeredBefore;
    QSet<QString> known = offered;
    for (const QByteArray& record : catalogueRecords(catalogue))
        known.insert(CatalogueRecord::fromBytes(record).bankFileName());

    bool added = false;
    for (const QByteArray& record : catalogueRecords(readWhole(source.filePath(CatalogueName)))) {
        const QString bank = CatalogueRecord::fromBytes(record).bankFileName();
        if (!isPlainFileName(bank) || known.contains(bank))
            continue;
        known.insert(bank);
        // A link that leads nowhere may lead out: that sample is not offered.
        if (!target.exists(bank) && QFileInfo(target.filePath(bank)).isSymLink())
            continue;
        // A file of that name that is there already stays what it is.
        if (!target.exists(bank)) {
            QFile bankFile(source.filePath(bank));
            if (!bankFile.open(QIODevice::ReadOnly))
                continue;
            if (!files.add(root.relativeFilePath(target.filePath(bank)), bankFile.readAll(), to))
                return false;
            if (!addDomains(files, source, target, bank))
                return false;
        }
        offered.insert(bank);
        catalogue.append(record);
        added = true;
    }
    if (added && !files.add(root.relativeFilePath(target.filePath(CatalogueName)), catalogue, to))
        return false;
    if (offered != offeredBefore) {
        QStringList names(offered.begin(), offered.end());
        names.sort();
        if (!files.add(OfferedSamplesName, names.join(u'\n').toUtf8() + '\n'))
            return false;
    }
    return files.commit();
}

} // namespace quizmark
