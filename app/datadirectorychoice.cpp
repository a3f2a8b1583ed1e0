#include "datadirectorychoice.h"

#include "data/cataloguerecord.h"

#include "platform/datafolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

// The installed copy may be read-only; the user's copy is the user's to change.
bool copyBank(const QString& from, const QString& to)
{
    return QFile::copy(from, to)
        && QFile::setPermissions(to,
                                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                                     | QFile::ReadGroup | QFile::ReadOther);
}

bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != u'.' && name != QStringLiteral("..") && !name.contains(u'/')
        && !name.contains(u'\\');
}

QString offeredSamplesPath(const QString& userFolder)
{
    return QDir::cleanPath(userFolder + QStringLiteral("/../") + OfferedSamplesName);
}

QSet<QString> offeredSamples(const QString& userFolder)
{
    QSet<QString> names;
    for (const QByteArray& line : readWhole(offeredSamplesPath(userFolder)).split('\n'))
        if (!line.isEmpty())
            names.insert(QString::fromUtf8(line));
    return names;
}

bool writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

DataDirectoryChoice::DataDirectoryChoice(const platform::DataFolders& folders)
    : m_folders(folders)
{
}

QString DataDirectoryChoice::choose() const
{
    const QString beside = m_folders.besideProgram();
    if (m_folders.isWritableDirectory(beside))
        return beside;
    const QString user = m_folders.perUser();
    // Without a folder of its own the program still shows what lies beside it, read only.
    if (!QDir().mkpath(user))
        return beside;
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
// beside the others, and no file that is there already is replaced.
bool DataDirectoryChoice::addNewSamples(const QString& from, const QString& to) const
{
    const QDir source(from);
    const QDir target(to);
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
        if (!target.exists(bank) && !copyBank(source.filePath(bank), target.filePath(bank)))
            continue;
        offered.insert(bank);
        catalogue.append(record);
        added = true;
    }
    if (added && !writeWhole(target.filePath(CatalogueName), catalogue))
        return false;
    if (offered == offeredBefore)
        return true;
    QStringList names(offered.begin(), offered.end());
    names.sort();
    return writeWhole(offeredSamplesPath(to), names.join(u'\n').toUtf8() + '\n');
}

} // namespace quizmark
