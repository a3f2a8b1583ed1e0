#include "bankfiles.h"

#include <QFileInfo>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace banktest;

namespace {

class HostileFiles : public testing::Test
{
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString dat() const { return path(QStringLiteral("dat")); }
    QString inDat(const QString& name) const { return dat() + u'/' + name; }
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(dat())); }
    Outcome check() const { return run({ QStringLiteral("check"), dat() }); }
    QStringList findings() const { return check().out.split(u'\n', Qt::SkipEmptyParts); }
    void oneExam(std::int16_t total, const QString& bank = QStringLiteral("bank.dat"))
    {
        writeFile(inDat(QStringLiteral("index.dat")), catalogueRecord(QStringLiteral("Exam"), bank, total));
    }

    QTemporaryDir m_dir;
};

TEST_F(HostileFiles, CheckReportsABankThatLeadsOutsideAndDumpRefusesToPrintIt)
{
    oneExam(1);
    writeFile(path(QStringLiteral("secret.dat")), questionRecord({ 1, 0, 0, 0 }, QStringLiteral("Outside text")));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("secret.dat")), inDat(QStringLiteral("bank.dat"))));
    const Outcome checked = check();
    EXPECT_EQ(checked.code, 1);
    EXPECT_EQ(checked.out,
              QStringLiteral("exam 1 \"Exam\": bank file bank.dat is a link that leads outside the data directory\n"));

    const Outcome dumped = run({ QStringLiteral("dump"), dat() });
    EXPECT_EQ(dumped.code, 1);
    EXPECT_FALSE(dumped.out.contains(QStringLiteral("Outside text")));
    EXPECT_TRUE(dumped.err.contains(QStringLiteral("leads outside the data directory"))) << dumped.err.toStdString();
}

TEST_F(HostileFiles, ALinkToABankInsideTheDirectoryIsSound)
{
    oneExam(1);
    writeFile(inDat(QStringLiteral("real.dat")), questionRecord({ 1, 0, 0, 0 }));
    ASSERT_TRUE(QFile::link(inDat(QStringLiteral("real.dat")), inDat(QStringLiteral("bank.dat"))));
    const Outcome checked = check();
    EXPECT_EQ(checked.out, QStringLiteral("real.dat: no exam of index.dat names this bank file\n"));
}

struct Total
{
    std::int16_t total;
    const char* finding;
};

class CheckTotals : public HostileFiles, public testing::WithParamInterface<Total>
{
};

TEST_P(CheckTotals, ReportsEveryTotalTheProgramRefuses)
{
    oneExam(GetParam().total);
    writeFile(inDat(QStringLiteral("bank.dat")), questionRecord({ 1, 0, 0, 0 }) + questionRecord({ 2, 0, 0, 0 }));
    EXPECT_EQ(findings(), QString::fromUtf8(GetParam().finding).split(u'\n', Qt::SkipEmptyParts));
}

INSTANTIATE_TEST_SUITE_P(
    QuestionTotal, CheckTotals,
    testing::Values(Total{ 1, "" }, Total{ 2, "" },
                    Total{ 0, "exam 1 \"Exam\": QuestionTotal 0 is below 1: the program refuses the exam" },
                    Total{ -1, "exam 1 \"Exam\": QuestionTotal -1 is below 1: the program refuses the exam" },
                    Total{ -32768, "exam 1 \"Exam\": QuestionTotal -32768 is below 1: the program refuses the exam" },
                    Total{ 3, "exam 1 \"Exam\": QuestionTotal 3 is above the 2 whole records of bank.dat" }));

TEST_F(HostileFiles, AHalfRecordAtABanksEndIsNoQuestion)
{
    // Exactly half a record: the catalogue's rounding would count it, the bank's reader does not.
    oneExam(2);
    writeFile(inDat(QStringLiteral("bank.dat")),
              questionRecord({ 1, 0, 0, 0 }) + questionRecord({ 1, 0, 0, 0 }).left(1015));
    EXPECT_EQ(findings(),
              QStringList({
                  QStringLiteral("bank.dat: trailing fragment of 1015 bytes at offset 2030 (records are 2030 bytes)"),
                  QStringLiteral("exam 1 \"Exam\": QuestionTotal 2 is above the 1 whole records of bank.dat"),
              }));
}

struct History
{
    const char* name;
    // Makes results.dat in the data directory given.
    void (*make)(const QString& dat, const QString& outside);
    const char* finding;
};

void PrintTo(const History& history, std::ostream* out)
{
    *out << history.name;
}

class CheckHistory : public HostileFiles, public testing::WithParamInterface<History>
{
};

TEST_P(CheckHistory, ReportsAScoreHistoryTheProgramCannotUse)
{
    oneExam(1);
    writeFile(inDat(QStringLiteral("bank.dat")), questionRecord({ 1, 0, 0, 0 }));
    GetParam().make(dat(), path(QStringLiteral("outside.dat")));
    const Outcome checked = check();
    const QString expected = QString::fromUtf8(GetParam().finding);
    EXPECT_EQ(checked.out, expected.isEmpty() ? QString() : expected + u'\n');
    EXPECT_EQ(checked.code, expected.isEmpty() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    ResultsFile, CheckHistory,
    testing::Values(
        History{ "Absent", [](const QString&, const QString&) {}, "" },
        History{ "Records32766",
                 [](const QString& dat, const QString&) {
                     writeFile(dat + QStringLiteral("/results.dat"), QByteArray(32766 * 8, '\0'));
                 },
                 "" },
        History{ "Records32767",
                 [](const QString& dat, const QString&) {
                     writeFile(dat + QStringLiteral("/results.dat"), QByteArray(32767 * 8, '\0'));
                 },
                 "results.dat: holds 32767 records, the most the program keeps: no further score can be saved" },
        History{ "Records32768",
                 [](const QString& dat, const QString&) {
                     writeFile(dat + QStringLiteral("/results.dat"), QByteArray(32768 * 8, '\0'));
                 },
                 "results.dat: 262144 bytes hold more than the 32767 records the program can count" },
        History{ "Folder", [](const QString& dat, const QString&) { QDir(dat).mkdir(QStringLiteral("results.dat")); },
                 "results.dat is not a regular file: the program cannot keep scores" },
        History{ "LinkOutside",
                 [](const QString& dat, const QString& outside) {
                     writeFile(outside, QByteArray(8, '\0'));
                     QFile::link(outside, dat + QStringLiteral("/results.dat"));
                 },
                 "results.dat is a link that leads outside the data directory: the program cannot keep scores" }));

TEST_F(HostileFiles, CheckListsBankFilesNoExamNames)
{
    oneExam(1);
    writeFile(inDat(QStringLiteral("bank.dat")), questionRecord({ 1, 0, 0, 0 }));
    writeFile(inDat(QStringLiteral("old.dat")), questionRecord({ 1, 0, 0, 0 }));
    writeFile(inDat(QStringLiteral("notes.txt")), "not a bank");
    writeFile(inDat(QStringLiteral("results.dat")), QByteArray());
    EXPECT_EQ(findings(), QStringList{ QStringLiteral("old.dat: no exam of index.dat names this bank file") });
}

TEST_F(HostileFiles, CheckReportsEmptyTextsAndExamsOfOneName)
{
    writeFile(inDat(QStringLiteral("index.dat")),
              catalogueRecord(QStringLiteral("Twin"), QStringLiteral("a.dat"), 2)
                  + catalogueRecord(QStringLiteral("Twin   "), QStringLiteral("b.dat"), 1));
    quizmark::QuestionRecord blankCorrect = quizmark::QuestionRecord::fromBytes(questionRecord({ 1, 3, 0, 0 }));
    blankCorrect.Option3 = QStringLiteral("   ");
    blankCorrect.Option4 = QString();
    writeFile(inDat(QStringLiteral("a.dat")), questionRecord({ 1, 0, 0, 0 }, QString()) + blankCorrect.toBytes());
    writeFile(inDat(QStringLiteral("b.dat")), questionRecord({ 1, 0, 0, 0 }));
    EXPECT_EQ(findings(),
              QStringList({
                  QStringLiteral("a.dat question 1: the question text is empty"),
                  QStringLiteral("a.dat question 2: correct option 3 has an empty text"),
                  QStringLiteral("exam 2 \"Twin\": exam 1 has the same name"),
              }));
}

// Runs the command in a child process whose address space is capped that many bytes above its
// present size, so that reading a whole large file fails there; the child's exit code.
int runCapped(const QStringList& arguments, qint64 headroom)
{
    const pid_t child = fork();
    if (child == 0) {
        QFile vm(QStringLiteral("/proc/self/statm"));
        vm.open(QIODevice::ReadOnly);
        const qint64 pages = vm.readAll().split(' ').value(0).toLongLong();
        const rlim_t cap = rlim_t(pages * sysconf(_SC_PAGESIZE) + headroom);
        const rlimit limit{ cap, cap };
        setrlimit(RLIMIT_AS, &limit);
        QFile sink(QStringLiteral("/dev/null"));
        sink.open(QIODevice::WriteOnly);
        QTextStream out(&sink);
        QString errors;
        QTextStream err(&errors);
        QStringList all = arguments;
        all.prepend(QStringLiteral("quizmark-bank"));
        int code = 99;
        try {
            code = quizmark::BankCommandLine(out, err).run(all);
            out.flush();
        } catch (const std::bad_alloc&) {
            code = 98;
        }
        _exit(code);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool AddressSpaceCapWorks = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool AddressSpaceCapWorks = false;
#else
constexpr bool AddressSpaceCapWorks = true;
#endif
#else
constexpr bool AddressSpaceCapWorks = true;
#endif

TEST_F(HostileFiles, CheckReadsOnlyTheRecordsDrawnFromAHugeSparseBank)
{
    if (!AddressSpaceCapWorks)
        GTEST_SKIP() << "the sanitizer reserves more address space than any cap";
    oneExam(1);
    QFile bank(inDat(QStringLiteral("bank.dat")));
    ASSERT_TRUE(bank.open(QIODevice::WriteOnly));
    ASSERT_GT(bank.write(questionRecord({ 1, 0, 0, 0 })), 0);
    ASSERT_TRUE(bank.resize((qint64(1) << 30) / 2030 * 2030));
    bank.close();
    EXPECT_EQ(runCapped({ QStringLiteral("check"), dat() }, 32 * 1024 * 1024), 0);
}

TEST_F(HostileFiles, DumpStreamsABankLargerThanItsMemory)
{
    if (!AddressSpaceCapWorks)
        GTEST_SKIP() << "the sanitizer reserves more address space than any cap";
    // Many exams naming one bank of 48 MiB: dumped in full for each, within 32 MiB.
    QByteArray index;
    for (int n = 0; n < 3; ++n)
        index += catalogueRecord(QStringLiteral("Exam %1").arg(n), QStringLiteral("bank.dat"), 1);
    writeFile(inDat(QStringLiteral("index.dat")), index);
    QFile bank(inDat(QStringLiteral("bank.dat")));
    ASSERT_TRUE(bank.open(QIODevice::WriteOnly));
    const QByteArray record = questionRecord({ 1, 0, 0, 0 });
    for (int r = 0; r < 48 * 1024 * 1024 / 2030; ++r)
        ASSERT_EQ(bank.write(record), record.size());
    bank.close();
    EXPECT_EQ(runCapped({ QStringLiteral("dump"), dat() }, 32 * 1024 * 1024), 0);
}

} // namespace
