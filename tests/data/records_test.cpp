#include "data/bankdomains.h"
#include "data/cataloguerecord.h"
#include "data/codepage.h"
#include "data/questionrecord.h"
#include "data/scorerecord.h"

#include "platform/diskrecordfilesystem.h"
#include "platform/filetable.h"
#include "platform/runtimeerror.h"
#include "support/fakerecordfilesystem.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace quizmark;
using platform::RecordAccess;

TEST(CatalogueRecord, CountsRecordsToTheNearestWhole)
{
    EXPECT_EQ(CatalogueRecord::count(0), 0);
    EXPECT_EQ(CatalogueRecord::count(153), 0);
    EXPECT_EQ(CatalogueRecord::count(154), 1);
    EXPECT_EQ(CatalogueRecord::count(614), 2);
    EXPECT_EQ(CatalogueRecord::count(767), 2);
    EXPECT_EQ(CatalogueRecord::count(768), 3);
    EXPECT_EQ(CatalogueRecord::count(qint64(32767) * 307), 32767);
    EXPECT_THROW(CatalogueRecord::count(qint64(32768) * 307), platform::RuntimeError);
}

TEST(CatalogueRecord, LaysOutItsFieldsAtTheirOffsets)
{
    CatalogueRecord record;
    record.ExamName = QStringLiteral("Networking Essentials");
    record.BankFile = QStringLiteral("net.dat");
    record.QuestionTotal = 0x0102;
    record.Description = QStringLiteral("Caf\u00e9 & co");
    const QByteArray bytes = record.toBytes();
    ASSERT_EQ(bytes.size(), 307);
    EXPECT_EQ(bytes.left(25), QByteArray("Networking Essentials    "));
    EXPECT_EQ(bytes.mid(25, 80), QByteArray("net.dat").leftJustified(80, ' '));
    EXPECT_EQ(bytes[105], char(0x02));
    EXPECT_EQ(bytes[106], char(0x01));
    EXPECT_EQ(bytes.mid(107, 10), QByteArray("Caf\xe9 & co "));

    const CatalogueRecord back = CatalogueRecord::fromBytes(bytes);
    EXPECT_EQ(back.ExamName, QStringLiteral("Networking Essentials    "));
    EXPECT_EQ(back.QuestionTotal, 0x0102);
    EXPECT_EQ(back.Description.left(9), QStringLiteral("Caf\u00e9 & co"));
    EXPECT_EQ(back.Description.size(), 200);
}

TEST(CatalogueRecord, BankFileNameDropsTrailingBlanksOnly)
{
    QByteArray bytes(307, ' ');
    bytes.replace(25, 9, "linux.dat");
    EXPECT_EQ(CatalogueRecord::fromBytes(bytes).bankFileName(), QStringLiteral("linux.dat"));
    bytes.replace(25, 12, " my bank.dat");
    EXPECT_EQ(CatalogueRecord::fromBytes(bytes).bankFileName(), QStringLiteral(" my bank.dat"));
    QByteArray exact(307, ' ');
    exact.replace(0, 25, QByteArray(25, 'N'));
    EXPECT_EQ(CatalogueRecord::fromBytes(exact).ExamName, QString(25, u'N'));
}

TEST(CatalogueRecord, ATrailingFragmentReadsAsBlanksAndZeroBeyondTheEnd)
{
    testing_support::FakeRecordFileSystem files;
    QByteArray bytes(768, 'x');
    bytes.replace(614, 25, "Third exam               ");
    files.setFile(QStringLiteral("/d/index.dat"), bytes);
    auto file = files.open(QStringLiteral("/d/index.dat"), CatalogueRecord::Length, RecordAccess::ReadOnly);
    ASSERT_EQ(CatalogueRecord::count(file->length()), 3);
    const CatalogueRecord third = CatalogueRecord::read(*file, 3);
    EXPECT_EQ(third.ExamName, QStringLiteral("Third exam               "));
    EXPECT_EQ(third.BankFile, QString(80, u'x'));
    EXPECT_EQ(third.QuestionTotal, 0x7878);
    // 154 bytes reach 47 characters into the description; the rest lies beyond the end.
    EXPECT_EQ(third.Description, QString(47, u'x') + QString(153, u' '));
}

TEST(QuestionRecord, RoundTripsEveryFieldAtItsOffset)
{
    QuestionRecord record;
    record.Reserved = -2;
    record.Question = QStringLiteral("Which of a < b, <b> and & show as typed?");
    record.Option1 = QStringLiteral("one");
    record.Option2 = QStringLiteral("two");
    record.Option3 = QStringLiteral("three");
    record.Option4 = QStringLiteral("four");
    record.CorrectOptions = { 2, 4, 0, 0 };
    record.Explanation = QStringLiteral("because");
    const QByteArray bytes = record.toBytes();
    ASSERT_EQ(bytes.size(), 2030);
    EXPECT_EQ(bytes.mid(0, 2), QByteArray("\xfe\xff", 2));
    EXPECT_EQ(bytes.mid(502, 3), QByteArray("one"));
    EXPECT_EQ(bytes.mid(757, 3), QByteArray("two"));
    EXPECT_EQ(bytes.mid(1012, 5), QByteArray("three"));
    EXPECT_EQ(bytes.mid(1267, 4), QByteArray("four"));
    EXPECT_EQ(bytes.mid(1522, 8), QByteArray("\x02\x00\x04\x00\x00\x00\x00\x00", 8));
    EXPECT_EQ(bytes.mid(1530, 7), QByteArray("because"));

    const QuestionRecord back = QuestionRecord::fromBytes(bytes);
    EXPECT_EQ(back.Reserved, -2);
    EXPECT_EQ(back.Question.size(), 500);
    EXPECT_TRUE(back.Question.startsWith(record.Question));
    EXPECT_EQ(back.option(3).left(5), QStringLiteral("three"));
    EXPECT_EQ(back.correctOption(2), 4);
    EXPECT_EQ(back.correctCount(), 2);
    EXPECT_THROW(back.option(5), platform::RuntimeError);
    EXPECT_THROW(back.correctOption(0), platform::RuntimeError);
}

TEST(QuestionRecord, CountsEveryPositiveElementWhereverItStands)
{
    QuestionRecord record;
    record.CorrectOptions = { 4, 2, 0, 0 };
    EXPECT_EQ(record.correctCount(), 2);
    record.CorrectOptions = { 0, 3, 0, 0 };
    EXPECT_EQ(record.correctCount(), 1);
    record.CorrectOptions = { 0, 0, 0, 0 };
    EXPECT_EQ(record.correctCount(), 0);
    record.CorrectOptions = { 1, 2, 3, 4 };
    EXPECT_EQ(record.correctCount(), 4);
    record.CorrectOptions = { -1, 9, 0, 0 };
    EXPECT_EQ(record.correctCount(), 1);
}

TEST(ScoreRecord, StoresTheExampleAttemptAsItsEightBytes)
{
    const ScoreRecord record{ 3, 10, 8, ScoreRecord::True };
    EXPECT_EQ(record.toBytes(), QByteArray("\x03\x00\x0a\x00\x08\x00\xff\xff", 8));
    const ScoreRecord back = ScoreRecord::fromBytes(record.toBytes());
    EXPECT_EQ(back.ExamNumber, 3);
    EXPECT_EQ(back.MaximumScore, 10);
    EXPECT_EQ(back.Score, 8);
    EXPECT_EQ(back.Passed, -1);
}

TEST(ScoreRecord, AppendNumbersAndCountsFollowTheFileLength)
{
    EXPECT_EQ(ScoreRecord::appendNumber(0), 1);
    EXPECT_EQ(ScoreRecord::count(0), 0);
    EXPECT_EQ(ScoreRecord::appendNumber(24), 4);
    EXPECT_EQ(ScoreRecord::count(24), 3);
    EXPECT_EQ(ScoreRecord::appendNumber(12), 2);
    EXPECT_EQ(ScoreRecord::count(12), 2);
    EXPECT_EQ(ScoreRecord::appendNumber(20), 4);
    EXPECT_EQ(ScoreRecord::count(20), 2);
    EXPECT_EQ(ScoreRecord::appendNumber(40), 6);
    EXPECT_EQ(ScoreRecord::appendNumber(qint64(32766) * 8), 32767);
    EXPECT_THROW(ScoreRecord::appendNumber(qint64(32767) * 8), platform::RuntimeError);
}

TEST(ScoreRecord, AppendLocksWritesTheNextRecordAndSyncs)
{
    testing_support::FakeRecordFileSystem files;
    auto file = files.open(QStringLiteral("/d/results.dat"), ScoreRecord::Length, RecordAccess::ReadWrite);
    EXPECT_EQ(ScoreRecord::append(*file, { 1, 5, 4, ScoreRecord::True }), 1);
    EXPECT_EQ(ScoreRecord::append(*file, { 2, 5, 1, ScoreRecord::False }), 2);
    EXPECT_EQ(files.contents(QStringLiteral("/d/results.dat")).size(), 16);
    EXPECT_EQ(ScoreRecord::read(*file, 2).ExamNumber, 2);
    EXPECT_EQ(files.lockCount(), 2);
    EXPECT_EQ(files.syncCount(), 2);
    // A record partly beyond the end reads as zeros there.
    files.setFile(QStringLiteral("/d/short.dat"), QByteArray("\x07\x00\x09", 3));
    auto fragment = files.open(QStringLiteral("/d/short.dat"), ScoreRecord::Length, RecordAccess::ReadOnly);
    const ScoreRecord partial = ScoreRecord::read(*fragment, 1);
    EXPECT_EQ(partial.ExamNumber, 7);
    EXPECT_EQ(partial.MaximumScore, 9);
    EXPECT_EQ(partial.Score, 0);
}

TEST(Codepage, EncodesWindows1252AndFindsWhatItCannot)
{
    EXPECT_EQ(Codepage::encode(QStringLiteral("\u20ac \u00e9 \u2019")).value(), QByteArray("\x80 \xe9 \x92"));
    EXPECT_EQ(Codepage::decode(QByteArray("\x80\x93\x94")), QStringLiteral("\u20ac\u201c\u201d"));
    EXPECT_FALSE(Codepage::encode(QStringLiteral("x \u4e2d")).has_value());
    EXPECT_EQ(Codepage::firstUnencodable(QStringLiteral("ab\u4e2dc")), 2);
    EXPECT_EQ(Codepage::firstUnencodable(QStringLiteral("ab\U0001F600")), 2);
    EXPECT_EQ(Codepage::firstUnencodable(QStringLiteral("plain")), -1);
}

// The readers that fetch less than whole records agree with whole-record reads on the disk files and
// in memory, at lengths that cut a record anywhere, and for records beyond the end.
class PartialReads : public ::testing::TestWithParam<int>
{
protected:
    static QByteArray pattern(int length)
    {
        QByteArray bytes;
        for (int i = 0; i < length; ++i)
            bytes += char(i * 37 % 11 + 1);
        return bytes;
    }
    std::vector<std::unique_ptr<platform::RecordFile>> open(const QByteArray& bytes, int recordLength)
    {
        QFile file(m_dir.filePath(QStringLiteral("f.dat")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        m_memory.setFile(QStringLiteral("/d/f.dat"), bytes);
        std::vector<std::unique_ptr<platform::RecordFile>> files;
        files.push_back(m_disk.open(file.fileName(), recordLength, RecordAccess::ReadOnly));
        files.push_back(m_memory.open(QStringLiteral("/d/f.dat"), recordLength, RecordAccess::ReadOnly));
        return files;
    }

    QTemporaryDir m_dir;
    platform::DiskRecordFileSystem m_disk;
    testing_support::FakeRecordFileSystem m_memory;
};

TEST_P(PartialReads, ScoreRecordsReadInOnePieceAsOneByOne)
{
    const int length = GetParam() % 41;
    for (const auto& file : open(pattern(length), ScoreRecord::Length)) {
        for (qint64 count = 0; count <= length / ScoreRecord::Length + 2; ++count) {
            const std::vector<ScoreRecord> records = ScoreRecord::readFirst(*file, count);
            ASSERT_EQ(records.size(), std::size_t(count));
            for (qint64 r = 1; r <= count; ++r) {
                const ScoreRecord one = ScoreRecord::read(*file, r);
                const ScoreRecord& many = records[std::size_t(r - 1)];
                EXPECT_EQ(many.toBytes(), one.toBytes()) << "length " << length << " record " << r;
            }
        }
    }
}

TEST_P(PartialReads, CorrectOptionsReadAloneAsInTheWholeRecord)
{
    const int length = QuestionRecord::Length + GetParam() * 4;
    for (const auto& file : open(pattern(length), QuestionRecord::Length))
        for (qint64 r = 1; r <= 3; ++r)
            EXPECT_EQ(QuestionRecord::readCorrectOptions(*file, r), QuestionRecord::read(*file, r).CorrectOptions)
                << "length " << length << " record " << r;
}

// 1520 to 1532 in steps of 4 bytes cut the second record around its correct options.
INSTANTIATE_TEST_SUITE_P(Records, PartialReads,
                         ::testing::Values(0, 3, 7, 8, 12, 17, 24, 32, 36, 40, 380, 381, 382, 383, 507));

TEST(BankDomains, ReadsOneLinePerRecordAndWritesTheSameBytes)
{
    const QByteArray bytes = QByteArrayLiteral("Addressing\n\nRouting \xE2\x80\x94 static\n");
    const BankDomains domains = BankDomains::parse(bytes);
    EXPECT_EQ(domains.lines(), QStringList({ "Addressing", "", QStringLiteral("Routing \u2014 static") }));
    EXPECT_EQ(domains.of(1), "Addressing");
    EXPECT_EQ(domains.of(2), "");
    EXPECT_EQ(domains.of(4), "");
    EXPECT_EQ(domains.of(0), "");
    EXPECT_EQ(domains.toBytes(), bytes);
    EXPECT_FALSE(domains.isEmpty());

    // A file saved by an editor on another system reads the same; a last line without its line feed too.
    EXPECT_EQ(BankDomains::parse("Addressing\r\n\r\nRouting").lines(), QStringList({ "Addressing", "", "Routing" }));
    EXPECT_TRUE(BankDomains::parse("\n\n").isEmpty());
    EXPECT_EQ(BankDomains::parse("\n\n").lines().size(), 2);
    EXPECT_TRUE(BankDomains::parse("").lines().isEmpty());
}

TEST(BankDomains, IsReadBesideTheBankAndMissingMeansNone)
{
    testing_support::FakeRecordFileSystem disk;
    platform::FileTable files(disk);
    constexpr int Number = 4;
    disk.setFile("/quizmark/dat/net.dat.domains", "Addressing\nRouting\n");
    EXPECT_EQ(BankDomains::read(files, Number, "/quizmark/dat/net.dat").of(2), "Routing");
    EXPECT_FALSE(files.isOpen(Number));
    EXPECT_TRUE(BankDomains::read(files, Number, "/quizmark/dat/other.dat").lines().isEmpty());
    disk.setFile("/quizmark/dat/empty.dat.domains", "");
    EXPECT_TRUE(BankDomains::read(files, Number, "/quizmark/dat/empty.dat").lines().isEmpty());
}

TEST(BankDomains, RefusesNamesThatWouldBreakTheLines)
{
    EXPECT_EQ(BankDomains::problemWith("Network Security"), "");
    EXPECT_NE(BankDomains::problemWith("Two\nlines"), "");
    EXPECT_NE(BankDomains::problemWith("Tab\there"), "");
    EXPECT_NE(BankDomains::problemWith(QStringLiteral("Line\u2028separator")), "");
    EXPECT_NE(BankDomains::problemWith(QString(BankDomains::MaxLength + 1, u'x')), "");
    EXPECT_EQ(BankDomains::problemWith(QString(BankDomains::MaxLength, u'x')), "");
    EXPECT_NE(BankDomains::problemWith(QString(QChar::ReplacementCharacter)), "");
}
