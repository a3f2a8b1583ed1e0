#include "bankfiles.h"

#include <QDirIterator>
#include <QProcess>

using namespace banktest;

namespace {

QString tool()
{
    const QString chosen = qEnvironmentVariable("BANK_TOOL_UNDER_TEST");
    return chosen.isEmpty() ? QStringLiteral(QUIZMARK_BANK_TOOL) : chosen;
}

// The regular files of a folder and its sub-folders with their bytes; the lock file aside.
QMap<QString, QByteArray> contents(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (!file.endsWith(QStringLiteral(".quizmark.lock")))
            files.insert(QDir(folder).relativeFilePath(file), readFile(file));
    }
    return files;
}

void copyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(QDir::Files | QDir::Hidden))
        ASSERT_TRUE(QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name)));
}

// A command of the tool, run in a process of its own that kills itself after a number of renames.
struct Interrupted
{
    bool killed = false;
    int code = -1;
    QString err;
};

Interrupted runStoppedAfter(const QStringList& arguments, int renames)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (renames >= 0)
        environment.insert(QStringLiteral("QUIZMARK_BANK_STOP_AFTER_RENAMES"), QString::number(renames));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(tool(), arguments);
    process.waitForFinished(60000);
    return { process.exitStatus() == QProcess::CrashExit, process.exitCode(),
             QString::fromUtf8(process.readAllStandardError()) };
}

// The exam with a domain for each question, so its bank has a domains file beside it.
QJsonObject withDomains(QJsonObject exam)
{
    QJsonArray questions = exam.value(u"questions").toArray();
    for (qsizetype q = 0; q < questions.size(); ++q) {
        QJsonObject question = questions[q].toObject();
        question.insert(QStringLiteral("domain"), QStringLiteral("Topic %1").arg(q % 2));
        questions[q] = question;
    }
    exam.insert(QStringLiteral("questions"), questions);
    return exam;
}

struct Command
{
    const char* label;
    // The command's arguments after the tool's name, with DIR and SOURCE for the folder and sources.
    QStringList arguments;
};

class Interruption : public testing::TestWithParam<Command>
{
protected:
    void SetUp() override
    {
        // The old state: two exams with their banks, the first with its domains; the new one changes
        // a bank and drops its domains, adds two, one with domains, and the catalogue, or removes an
        // exam, its bank and their domains.
        const QString samples = writeSource(m_dir, QStringLiteral("samples.json"),
                                            { withDomains(exam(QStringLiteral("One"), QStringLiteral("one.dat"), 4)),
                                              exam(QStringLiteral("Two"), QStringLiteral("two.dat"), 2) });
        ASSERT_EQ(run({ QStringLiteral("build"), samples, QStringLiteral("-o"), original() }).code, 0);
        writeSource(m_dir, QStringLiteral("replace.json"),
                    { exam(QStringLiteral("One"), QStringLiteral("one.dat"), 1) });
        writeSource(m_dir, QStringLiteral("more.json"),
                    { withDomains(exam(QStringLiteral("Three"), QStringLiteral("three.dat"), 3)),
                      exam(QStringLiteral("Four"), QStringLiteral("four.dat"), 1) });
    }
    QString original() const { return m_dir.filePath(QStringLiteral("original")); }
    QStringList arguments(const QString& folder) const
    {
        QStringList filled;
        for (const QString& argument : GetParam().arguments)
            filled.append(argument == u"DIR"                               ? folder
                              : argument.endsWith(QStringLiteral(".json")) ? m_dir.filePath(argument)
                                                                           : argument);
        return filled;
    }

    QTemporaryDir m_dir;
};

// Cut off before the first rename, between every two and after the last, the command leaves the
// old catalogue with its old banks or, once the next command has finished the renames, the new
// catalogue with its new banks: never a catalogue with banks it does not describe.
TEST_P(Interruption, LeavesTheOldFilesOrTheNewNeverAMix)
{
    const QMap<QString, QByteArray> old = contents(original());
    const QString complete = m_dir.filePath(QStringLiteral("complete"));
    copyFolder(original(), complete);
    const Interrupted whole = runStoppedAfter(arguments(complete), -1);
    ASSERT_FALSE(whole.killed);
    ASSERT_EQ(whole.code, 0) << whole.err.toStdString();
    const QMap<QString, QByteArray> finished = contents(complete);
    ASSERT_NE(finished, old);

    int cutOff = 0;
    for (int renames = 0; renames < 20; ++renames) {
        const QString folder = m_dir.filePath(QStringLiteral("cut%1").arg(renames));
        copyFolder(original(), folder);
        const Interrupted run = runStoppedAfter(arguments(folder), renames);
        if (!run.killed) {
            EXPECT_EQ(contents(folder), finished);
            break;
        }
        ++cutOff;
        // What the folder holds as it was left, temporaries and journal aside: old or new files
        // per name, and the catalogue old or new.
        const QMap<QString, QByteArray> left = contents(folder);
        EXPECT_TRUE(left.value(QStringLiteral("index.dat")) == old.value(QStringLiteral("index.dat"))
                    || left.value(QStringLiteral("index.dat")) == finished.value(QStringLiteral("index.dat")))
            << "after " << renames << " renames";
        // The next command, a reader, finishes what was cut off first.
        const Interrupted reader = runStoppedAfter({ QStringLiteral("check"), folder }, -1);
        EXPECT_EQ(reader.err, QString()) << "after " << renames << " renames";
        const QMap<QString, QByteArray> after = contents(folder);
        EXPECT_TRUE(after == old || after == finished)
            << "after " << renames << " renames the folder holds " << after.keys().join(u' ').toStdString();
    }
    // The journal and the catalogue at least, and every bank written: renames to be cut between.
    EXPECT_GE(cutOff, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, Interruption,
    testing::Values(Command{ "AddReplace",
                             { QStringLiteral("add"), QStringLiteral("DIR"), QStringLiteral("replace.json"),
                               QStringLiteral("more.json"), QStringLiteral("--replace") } },
                    Command{ "Build",
                             { QStringLiteral("build"), QStringLiteral("replace.json"), QStringLiteral("more.json"),
                               QStringLiteral("-o"), QStringLiteral("DIR") } },
                    Command{ "Remove", { QStringLiteral("remove"), QStringLiteral("DIR"), QStringLiteral("One") } }),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
