#include "platform/diskrecordfilesystem.h"
#include "platform/filetable.h"
#include "platform/runtimeerror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

class DiskRecordFiles : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    void writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    int errorOpening(const QString& name, RecordAccess access)
    {
        try {
            m_fileSystem.open(path(name), 8, access);
        } catch (const RuntimeError& error) {
            EXPECT_TRUE(error.detail().contains(name)) << error.what();
            return error.number();
        }
        return 0;
    }

    QTemporaryDir m_dir;
    DiskRecordFileSystem m_fileSystem;
};

}

TEST_F(DiskRecordFiles, ReadOnlyOpenOfAMissingFileFailsAndCreatesNothing)
{
    EXPECT_EQ(errorOpening(QStringLiteral("index.dat"), RecordAccess::ReadOnly), ErrorNumber::FileNotFound);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("index.dat"))));
    EXPECT_EQ(errorOpening(QStringLiteral("nodir/index.dat"), RecordAccess::ReadOnly), ErrorNumber::PathNotFound);
    EXPECT_EQ(errorOpening(QStringLiteral("nodir/results.dat"), RecordAccess::ReadWrite), ErrorNumber::PathNotFound);
    EXPECT_FALSE(QDir(path(QStringLiteral("nodir"))).exists());
}

TEST_F(DiskRecordFiles, ReadWriteOpenCreatesAnEmptyFile)
{
    auto file = m_fileSystem.open(path(QStringLiteral("results.dat")), 8, RecordAccess::ReadWrite);
    EXPECT_EQ(file->length(), 0);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("results.dat"))));
    EXPECT_TRUE(file->read(1).isEmpty());
}

TEST_F(DiskRecordFiles, RecordsAreAddressedFromOneAndFragmentsReadShort)
{
    writeFile(QStringLiteral("a.dat"), QByteArray("AAAABBBBCC"));
    auto file = m_fileSystem.open(path(QStringLiteral("a.dat")), 4, RecordAccess::ReadOnly);
    EXPECT_EQ(file->length(), 10);
    EXPECT_EQ(file->read(1), QByteArray("AAAA"));
    EXPECT_EQ(file->read(2), QByteArray("BBBB"));
    EXPECT_EQ(file->read(3), QByteArray("CC"));
    EXPECT_TRUE(file->read(4).isEmpty());
    EXPECT_THROW(file->read(0), RuntimeError);
}

TEST_F(DiskRecordFiles, WritesLandAtTheirRecordAndReadOnlyFilesRefuseThem)
{
    auto file = m_fileSystem.open(path(QStringLiteral("w.dat")), 4, RecordAccess::ReadWrite);
    file->write(2, QByteArray("WXYZ"));
    file->sync();
    EXPECT_EQ(file->length(), 8);
    EXPECT_EQ(file->read(2), QByteArray("WXYZ"));
    EXPECT_THROW(file->write(1, QByteArray("toolong")), RuntimeError);

    auto readOnly = m_fileSystem.open(path(QStringLiteral("w.dat")), 4, RecordAccess::ReadOnly);
    EXPECT_THROW(readOnly->write(1, QByteArray("ABCD")), RuntimeError);
    EXPECT_EQ(readOnly->read(1), QByteArray(4, '\0'));
}

// A named pipe or a device in place of a record file is refused at once, never waited on.
TEST_F(DiskRecordFiles, OnlyRegularFilesOpen)
{
    const QString pipe = path(QStringLiteral("index.dat"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const RecordAccess access : { RecordAccess::ReadOnly, RecordAccess::ReadWrite }) {
        auto opening
            = std::async(std::launch::async, [&] { return errorOpening(QStringLiteral("index.dat"), access); });
        if (opening.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            // Give the stuck open a writer so the test can end, then fail.
            const int writer = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
            opening.wait();
            ::close(writer);
            FAIL() << "opening a named pipe waited for a writer";
        }
        EXPECT_EQ(opening.get(), ErrorNumber::PathFileAccessError);
    }
    try {
        m_fileSystem.open(QStringLiteral("/dev/null"), 8, RecordAccess::ReadOnly);
        ADD_FAILURE() << "a device opened as a record file";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::PathFileAccessError);
    }
}

TEST_F(DiskRecordFiles, FileTableKeepsFilesByNumber)
{
    writeFile(QStringLiteral("index.dat"), QByteArray(307, ' '));
    FileTable table(m_fileSystem);
    table.open(1, path(QStringLiteral("index.dat")), 307, RecordAccess::ReadOnly);
    EXPECT_TRUE(table.isOpen(1));
    EXPECT_EQ(table.file(1).length(), 307);
    try {
        table.open(1, path(QStringLiteral("index.dat")), 307, RecordAccess::ReadOnly);
        FAIL() << "opened twice";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::FileAlreadyOpen);
    }
    table.closeAll();
    EXPECT_FALSE(table.isOpen(1));
    try {
        table.file(1);
        FAIL() << "closed file still served";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::BadFileNameOrNumber);
        EXPECT_EQ(error.description(), QStringLiteral("Bad file name or number"));
    }
}

// Reads of a field and of a run of records give the bytes that reads of whole records give, at every
// file length around a fragment and for every record from the first to beyond the end.
class DiskRecordRuns : public DiskRecordFiles, public ::testing::WithParamInterface<int>
{
};

TEST_P(DiskRecordRuns, FieldAndRunReadsAgreeWithRecordReads)
{
    const int fileLength = GetParam();
    QByteArray bytes;
    for (int i = 0; i < fileLength; ++i)
        bytes += char('a' + i % 26);
    writeFile(QStringLiteral("r.dat"), bytes);
    auto file = m_fileSystem.open(path(QStringLiteral("r.dat")), 4, RecordAccess::ReadOnly);
    QByteArray wholeRecords;
    for (int record = 1; record <= 5; ++record) {
        const QByteArray whole = file->read(record);
        for (int offset = 0; offset <= 4; ++offset)
            for (int length = 0; length <= 5; ++length)
                EXPECT_EQ(file->read(record, offset, length), whole.mid(offset, length))
                    << "record " << record << " offset " << offset << " length " << length;
        if (wholeRecords.size() == (record - 1) * 4)
            wholeRecords += whole;
        EXPECT_EQ(file->readRecords(1, record), wholeRecords) << "records 1 to " << record;
        EXPECT_EQ(file->readRecords(record, 1), whole) << "record " << record;
    }
    EXPECT_THROW(file->readRecords(0, 1), RuntimeError);
}

INSTANTIATE_TEST_SUITE_P(DiskRecordFiles, DiskRecordRuns, ::testing::Values(0, 1, 3, 4, 6, 8, 10, 12, 13));
