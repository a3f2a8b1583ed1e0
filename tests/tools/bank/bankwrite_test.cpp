#include "bankfiles.h"

#include "support/specialfiles.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace banktest;

using testing_support::fullDevice;
using testing_support::PipeReader;

namespace {

// The tool as a user starts it: a process of its own, with its own standard output.
QString tool()
{
    const QString chosen = qEnvironmentVariable("BANK_TOOL_UNDER_TEST");
    return chosen.isEmpty() ? QStringLiteral(QUIZMARK_BANK_TOOL) : chosen;
}

struct ProcessOutcome
{
    QProcess::ExitStatus status = QProcess::NormalExit;
    int code = -1;
    QString err;
};

ProcessOutcome runTool(const QStringList& arguments, const QString& standardOutput = {},
                       const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!standardOutput.isEmpty())
        process.setStandardOutputFile(standardOutput);
    process.start(tool(), arguments);
    process.waitForFinished(60000);
    return { process.exitStatus(), process.exitCode(), QString::fromUtf8(process.readAllStandardError()) };
}

class BankWrites : public testing::Test
{
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString dat() const { return path(QStringLiteral("dat")); }
    QString inDat(const QString& name) const { return dat() + u'/' + name; }
    QString source(const QString& name, const QJsonArray& exams) const { return writeSource(m_dir, name, exams); }
    void buildSamples()
    {
        const QString samples = source(QStringLiteral("samples.json"),
                                       { exam(QStringLiteral("One"), QStringLiteral("one.dat"), 1),
                                         exam(QStringLiteral("Two"), QStringLiteral("two.dat"), 2) });
        ASSERT_EQ(run({ QStringLiteral("build"), samples, QStringLiteral("-o"), dat() }).code, 0);
    }
    // Every file below the data directory with its bytes.
    QMap<QString, QByteArray> contents() const
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(dat(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            files.insert(QDir(dat()).relativeFilePath(file), readFile(file));
        }
        return files;
    }

    QTemporaryDir m_dir;
};

TEST_F(BankWrites, AFileNoExamNamesIsReplacedOnlyWithReplace)
{
    buildSamples();
    writeFile(inDat(QStringLiteral("notes.dat")), "mine\n");
    const QString mine
        = source(QStringLiteral("mine.json"), { exam(QStringLiteral("Mine"), QStringLiteral("notes.dat")) });

    const Outcome added = run({ QStringLiteral("add"), dat(), mine });
    EXPECT_EQ(added.code, 1);
    EXPECT_TRUE(added.err.contains(QStringLiteral("bank notes.dat is already a file in"))) << added.err.toStdString();
    EXPECT_EQ(readFile(inDat(QStringLiteral("notes.dat"))), QByteArray("mine\n"));

    const Outcome built = run({ QStringLiteral("build"), mine, QStringLiteral("-o"), dat() });
    EXPECT_EQ(built.code, 1);
    EXPECT_EQ(readFile(inDat(QStringLiteral("notes.dat"))), QByteArray("mine\n"));

    // The banks the catalogue names are the tool's own: a build over them needs no --replace.
    EXPECT_EQ(run({ QStringLiteral("build"),
                    source(QStringLiteral("again.json"), { exam(QStringLiteral("One"), QStringLiteral("one.dat"), 3) }),
                    QStringLiteral("-o"), dat() })
                  .code,
              0);
    const Outcome replaced = run({ QStringLiteral("add"), dat(), mine, QStringLiteral("--replace") });
    EXPECT_EQ(replaced.code, 0) << replaced.err.toStdString();
    EXPECT_EQ(readFile(inDat(QStringLiteral("notes.dat"))).size(), 2 * quizmark::QuestionRecord::Length);
}

TEST_F(BankWrites, ACommandThatFailsAtItsLastFileWritesNone)
{
    buildSamples();
    // The folder's name sorts after the bank replaced, so a write in name order meets it last.
    ASSERT_TRUE(QDir().mkpath(inDat(QStringLiteral("third.dat"))));
    const auto before = contents();
    const QString first
        = source(QStringLiteral("first.json"), { exam(QStringLiteral("One"), QStringLiteral("one.dat"), 5) });
    const QString second
        = source(QStringLiteral("second.json"), { exam(QStringLiteral("Folder"), QStringLiteral("third.dat")) });

    const Outcome added = run({ QStringLiteral("add"), dat(), first, second, QStringLiteral("--replace") });
    EXPECT_EQ(added.code, 1);
    EXPECT_TRUE(added.err.contains(QStringLiteral("third.dat: it is a folder"))) << added.err.toStdString();
    EXPECT_EQ(contents(), before);

    const Outcome built = run({ QStringLiteral("build"), first, second, QStringLiteral("-o"), dat() });
    EXPECT_EQ(built.code, 1);
    EXPECT_EQ(contents(), before) << "build left the directory half built";
}

TEST_F(BankWrites, NoFileOfTheDataDirectoryIsWrittenThroughALinkLeadingOut)
{
    buildSamples();
    writeFile(path(QStringLiteral("outside.dat")), "outside\n");
    // A sibling folder whose name begins with the data folder's is outside too.
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("dat2"))));
    writeFile(path(QStringLiteral("dat2/evil.dat")), "sibling\n");
    const QString three
        = source(QStringLiteral("three.json"), { exam(QStringLiteral("Three"), QStringLiteral("three.dat")) });
    const QString evil
        = source(QStringLiteral("evil.json"), { exam(QStringLiteral("Evil"), QStringLiteral("evil.dat")) });
    ASSERT_TRUE(QFile::link(path(QStringLiteral("dat2/evil.dat")), inDat(QStringLiteral("evil.dat"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("outside.dat")), inDat(QStringLiteral("three.dat"))));

    EXPECT_EQ(run({ QStringLiteral("add"), dat(), three, QStringLiteral("--replace") }).code, 1);
    EXPECT_EQ(run({ QStringLiteral("add"), dat(), evil, QStringLiteral("--replace") }).code, 1);
    EXPECT_EQ(run({ QStringLiteral("build"), evil, QStringLiteral("-o"), dat(), QStringLiteral("--replace") }).code, 1);
    EXPECT_EQ(readFile(path(QStringLiteral("outside.dat"))), QByteArray("outside\n"));
    EXPECT_EQ(readFile(path(QStringLiteral("dat2/evil.dat"))), QByteArray("sibling\n"));

    // The catalogue itself as a link leading out: add, build and remove all refuse it.
    writeFile(path(QStringLiteral("elsewhere.dat")), readFile(inDat(QStringLiteral("index.dat"))));
    const QByteArray elsewhere = readFile(path(QStringLiteral("elsewhere.dat")));
    QFile::remove(inDat(QStringLiteral("index.dat")));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("elsewhere.dat")), inDat(QStringLiteral("index.dat"))));
    const QString four
        = source(QStringLiteral("four.json"), { exam(QStringLiteral("Four"), QStringLiteral("four.dat")) });
    EXPECT_EQ(run({ QStringLiteral("add"), dat(), four }).code, 1);
    EXPECT_EQ(run({ QStringLiteral("build"), four, QStringLiteral("-o"), dat() }).code, 1);
    EXPECT_EQ(run({ QStringLiteral("remove"), dat(), QStringLiteral("One") }).code, 1);
    EXPECT_EQ(readFile(path(QStringLiteral("elsewhere.dat"))), elsewhere);
    EXPECT_FALSE(QFileInfo::exists(inDat(QStringLiteral("four.dat"))));
}

TEST_F(BankWrites, AnExportToAPipeOrADeviceIsWrittenInPlace)
{
    buildSamples();
    const QString pipe = path(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const PipeReader reader(pipe);
    const ProcessOutcome exported
        = runTool({ QStringLiteral("export"), dat(), QStringLiteral("1"), QStringLiteral("--format"),
                    QStringLiteral("gift"), QStringLiteral("-o"), pipe });
    const QByteArray received = reader.received();
    EXPECT_EQ(exported.code, 0) << exported.err.toStdString();
    EXPECT_FALSE(QFileInfo(pipe).isFile()) << "the pipe was replaced by a file";
    EXPECT_TRUE(received.contains("Which of these are even?"));

    // A link to a device: the device stays, the link stays. (A node of its own, never /dev/null.)
    if (::geteuid() == 0) {
        const QString device = path(QStringLiteral("null"));
        ASSERT_EQ(::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
        ASSERT_TRUE(QFile::link(device, path(QStringLiteral("link"))));
        const ProcessOutcome linked
            = runTool({ QStringLiteral("export"), dat(), QStringLiteral("1"), QStringLiteral("--format"),
                        QStringLiteral("json"), QStringLiteral("-o"), path(QStringLiteral("link")) });
        EXPECT_EQ(linked.code, 0) << linked.err.toStdString();
        struct stat status
        {
        };
        ASSERT_EQ(::lstat(QFile::encodeName(device).constData(), &status), 0);
        EXPECT_TRUE(S_ISCHR(status.st_mode)) << "the device was replaced by a file";
        EXPECT_TRUE(QFileInfo(path(QStringLiteral("link"))).isSymLink());
    }
}

TEST_F(BankWrites, AFullOutputIsAFailureNamingItsReason)
{
    buildSamples();
    for (const QStringList& arguments :
         { QStringList{ QStringLiteral("export"), dat(), QStringLiteral("1"), QStringLiteral("--format"),
                        QStringLiteral("json") },
           QStringList{ QStringLiteral("dump"), dat() }, QStringList{ QStringLiteral("history"), dat() } }) {
        writeFile(inDat(QStringLiteral("results.dat")), QByteArray("\x01\x00\x02\x00\x01\x00\x00\x00", 8));
        const ProcessOutcome full = runTool(arguments, QStringLiteral("/dev/full"));
        EXPECT_EQ(full.status, QProcess::NormalExit);
        EXPECT_NE(full.code, 0) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(full.err.contains(QStringLiteral("cannot write standard output: No space left on device")))
            << full.err.toStdString();
    }
    const QString device = fullDevice(m_dir.path());
    const ProcessOutcome named = runTool({ QStringLiteral("dump"), dat(), QStringLiteral("-o"), device });
    EXPECT_NE(named.code, 0);
    EXPECT_TRUE(named.err.contains(QStringLiteral("cannot write %1: No space left on device").arg(device)))
        << named.err.toStdString();
}

// The JSON source as its limits allow: one exam or question too many is refused at once, before
// the rest is read, so a broken rest is never reached.
TEST(SourceLimits, AreCheckedWhileReading)
{
    QTemporaryDir dir;
    const QByteArray questionText = QJsonDocument(question()).toJson(QJsonDocument::Compact);
    QByteArray questions = "{\"exams\": [{\"name\": \"Big\", \"bank\": \"big.dat\", \"questions\": [";
    for (int q = 0; q < 32768; ++q)
        questions += questionText + ',';
    writeFile(dir.filePath(QStringLiteral("questions.json")), questions + "this is never read");
    const Outcome manyQuestions = run({ QStringLiteral("build"), dir.filePath(QStringLiteral("questions.json")),
                                        QStringLiteral("-o"), dir.filePath(QStringLiteral("dat")) });
    EXPECT_EQ(manyQuestions.code, 1);
    EXPECT_TRUE(manyQuestions.err.contains(
        QStringLiteral("exam 1 \"Big\", field \"questions\": more than 32767 questions; a bank holds at most 32767")))
        << manyQuestions.err.left(300).toStdString();

    QByteArray exams = "{\"exams\": [";
    for (int e = 0; e < 32768; ++e)
        exams += QJsonDocument(exam(QStringLiteral("E%1").arg(e), QStringLiteral("e%1.dat").arg(e), 1))
                     .toJson(QJsonDocument::Compact)
            + ',';
    writeFile(dir.filePath(QStringLiteral("exams.json")), exams + "this is never read");
    const Outcome manyExams = run({ QStringLiteral("build"), dir.filePath(QStringLiteral("exams.json")),
                                    QStringLiteral("-o"), dir.filePath(QStringLiteral("dat")) });
    EXPECT_EQ(manyExams.code, 1);
    EXPECT_TRUE(manyExams.err.contains(QStringLiteral("exams.json: a catalogue holds at most 32767 exams")))
        << manyExams.err.left(300).toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("dat/index.dat"))));
}

} // namespace
