#include "platform/filewrite.h"
#include "platform/filewriteset.h"

#include "support/specialfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using platform::FileWrite;
using platform::FileWriteSet;

using testing_support::fullDevice;
using testing_support::PipeReader;

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

bool writeWhole(FileWrite& file, const QByteArray& bytes)
{
    return file.open() && file.write(bytes) && file.commit();
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

TEST(FileWrite, ReplacesARegularFileWholeKeepingWhoMayReadIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    writeFile(path, "old");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    FileWrite file(path);
    ASSERT_TRUE(writeWhole(file, "new contents")) << file.errorString().toStdString();
    EXPECT_FALSE(file.isInPlace());
    EXPECT_EQ(readFile(path), QByteArray("new contents"));
    // Owner, group and others: read and write for the owner only, as before.
    EXPECT_EQ(QFile::permissions(path) & 0x7077, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(entries(dir.path()), QStringList{ QStringLiteral("report.pdf") });

    // A write that is never committed leaves the file as it was.
    {
        FileWrite abandoned(path);
        ASSERT_TRUE(abandoned.open() && abandoned.write("half"));
    }
    EXPECT_EQ(readFile(path), QByteArray("new contents"));
    EXPECT_EQ(entries(dir.path()), QStringList{ QStringLiteral("report.pdf") });
}

TEST(FileWrite, APipeIsWrittenInPlaceAndAFullDeviceIsAFailureWithItsReason)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const PipeReader reader(pipe);
    FileWrite file(pipe);
    EXPECT_TRUE(writeWhole(file, "through the pipe")) << file.errorString().toStdString();
    const QByteArray received = reader.received();
    EXPECT_TRUE(file.isInPlace());
    EXPECT_EQ(received, QByteArray("through the pipe"));
    EXPECT_FALSE(QFileInfo(pipe).isFile());

    const QString device = fullDevice(dir.path());
    FileWrite full(device);
    EXPECT_FALSE(writeWhole(full, "anything"));
    EXPECT_TRUE(full.isInPlace());
    EXPECT_EQ(full.errorString(), QStringLiteral("cannot write %1: No space left on device").arg(device));

    FileWrite folder(dir.path());
    EXPECT_FALSE(writeWhole(folder, "anything"));
    EXPECT_EQ(folder.errorString(), QStringLiteral("cannot write %1: it is a folder").arg(dir.path()));
}

// Confined to a folder, a link is followed only where it stays inside; a sibling folder whose name
// begins with the folder's is outside.
TEST(FileWrite, ConfinedLinksStayInside)
{
    QTemporaryDir root;
    const QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath(QStringLiteral("dat/sub")) && dir.mkpath(QStringLiteral("dat2")));
    writeFile(dir.filePath(QStringLiteral("dat/real.dat")), "inside");
    writeFile(dir.filePath(QStringLiteral("dat2/evil.dat")), "sibling");
    ASSERT_TRUE(
        QFile::link(dir.filePath(QStringLiteral("dat/real.dat")), dir.filePath(QStringLiteral("dat/near.dat"))));
    ASSERT_TRUE(
        QFile::link(dir.filePath(QStringLiteral("dat2/evil.dat")), dir.filePath(QStringLiteral("dat/evil.dat"))));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("dat2")), dir.filePath(QStringLiteral("dat/sibling"))));
    ASSERT_TRUE(
        QFile::link(dir.filePath(QStringLiteral("gone.dat")), dir.filePath(QStringLiteral("dat/dangling.dat"))));
    const QString folder = dir.filePath(QStringLiteral("dat"));

    for (const char* name : { "evil.dat", "sibling/evil.dat", "sibling/new.dat", "dangling.dat" }) {
        FileWrite file(dir.filePath(QStringLiteral("dat/") + QLatin1String(name)));
        file.confineTo(folder);
        EXPECT_FALSE(writeWhole(file, "written")) << name;
        EXPECT_TRUE(file.errorString().contains(QStringLiteral("it is a link that leads outside"))) << name;
    }
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("dat2/evil.dat"))), QByteArray("sibling"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("dat2/new.dat"))));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("gone.dat"))));

    FileWrite near(dir.filePath(QStringLiteral("dat/near.dat")));
    near.confineTo(folder);
    ASSERT_TRUE(writeWhole(near, "through the link")) << near.errorString().toStdString();
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("dat/near.dat"))).isSymLink());
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("dat/real.dat"))), QByteArray("through the link"));
}

class FileWriteSetTest : public testing::Test
{
protected:
    void SetUp() override
    {
        writeFile(m_dir.filePath(QStringLiteral("a.dat")), "old a");
        writeFile(m_dir.filePath(QStringLiteral("index.dat")), "old index");
    }
    void stage(FileWriteSet& files)
    {
        ASSERT_TRUE(files.add(QStringLiteral("a.dat"), "new a"));
        ASSERT_TRUE(files.add(QStringLiteral("b.dat"), "new b"));
        ASSERT_TRUE(files.add(QStringLiteral("index.dat"), "new index"));
        files.removeOnCommit(QStringLiteral("gone.dat"));
    }
    QString state() const
    {
        return QString::fromUtf8(readFile(m_dir.filePath(QStringLiteral("a.dat"))) + '|'
                                 + readFile(m_dir.filePath(QStringLiteral("b.dat"))) + '|'
                                 + readFile(m_dir.filePath(QStringLiteral("index.dat"))) + '|'
                                 + readFile(m_dir.filePath(QStringLiteral("gone.dat"))));
    }

    QTemporaryDir m_dir;
};

TEST_F(FileWriteSetTest, WritesAllOrNone)
{
    writeFile(m_dir.filePath(QStringLiteral("gone.dat")), "to go");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder.dat")));
    {
        FileWriteSet files(m_dir.path());
        ASSERT_TRUE(files.add(QStringLiteral("a.dat"), "new a"));
        EXPECT_FALSE(files.add(QStringLiteral("folder.dat"), "never"));
        EXPECT_FALSE(files.commit());
        EXPECT_EQ(files.errorString(),
                  QStringLiteral("cannot write %1: it is a folder").arg(m_dir.filePath(QStringLiteral("folder.dat"))));
    }
    EXPECT_EQ(state(), QStringLiteral("old a|<missing>|old index|to go"));
    EXPECT_EQ(entries(m_dir.path()).size(), 4) << entries(m_dir.path()).join(u' ').toStdString();

    FileWriteSet files(m_dir.path());
    stage(files);
    ASSERT_TRUE(files.commit()) << files.errorString().toStdString();
    EXPECT_EQ(state(), QStringLiteral("new a|new b|new index|<missing>"));
    EXPECT_EQ(entries(m_dir.path()).size(), 4) << entries(m_dir.path()).join(u' ').toStdString();
}

// A process of its own commits and is killed after each number of renames in turn; what it left is
// finished by the next, and is then the whole new set, or the old one when it died before the journal.
TEST_F(FileWriteSetTest, ARunCutOffAmongItsRenamesIsFinishedByTheNext)
{
    writeFile(m_dir.filePath(QStringLiteral("gone.dat")), "to go");
    for (int renames = 0; renames <= 4; ++renames) {
        SetUp();
        writeFile(m_dir.filePath(QStringLiteral("gone.dat")), "to go");
        QFile::remove(m_dir.filePath(QStringLiteral("b.dat")));
        EXPECT_EXIT(
            {
                FileWriteSet files(m_dir.path());
                stage(files);
                files.stopAfterRenames(renames);
                files.commit();
                std::exit(0);
            },
            testing::KilledBySignal(SIGKILL), "");
        ASSERT_TRUE(FileWriteSet::finishPending(m_dir.path()));
        EXPECT_EQ(state(),
                  renames == 0 ? QStringLiteral("old a|<missing>|old index|to go")
                               : QStringLiteral("new a|new b|new index|<missing>"))
            << "after " << renames << " renames";
        EXPECT_EQ(entries(m_dir.path()).size(), 3) << entries(m_dir.path()).join(u' ').toStdString();
    }
}

} // namespace
