#include "datadirectorychoice.h"

#include "data/cataloguerecord.h"

#include "platform/datafolders.h"
#include "platform/programdirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace quizmark;

namespace {

// Real folders below a temporary directory; a folder can be marked read-only for the choice,
// since permission bits do not stop a test that runs as root.
class TemporaryDataFolders : public platform::DataFolders
{
public:
    explicit TemporaryDataFolders(const QString& root)
        : m_root(root)
    {
    }
    QString besideProgram() const override { return m_root + QStringLiteral("/usr/bin/dat"); }
    QString installedSamples() const override { return m_root + QStringLiteral("/usr/share/quizmark/dat"); }
    QString perUser() const override { return m_root + QStringLiteral("/home/.local/share/quizmark/dat"); }
    bool isWritableDirectory(const QString& path) const override
    {
        return QFileInfo(path).isDir() && !readOnly.contains(path);
    }

    QSet<QString> readOnly;

private:
    QString m_root;
};

QByteArray exam(const QString& name, const QString& bank)
{
    CatalogueRecord record;
    record.ExamName = name;
    record.BankFile = bank;
    record.QuestionTotal = 1;
    record.Description = QStringLiteral("About ") + name;
    return record.toBytes();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every file below a folder with its bytes, to see that nothing there changed.
QMap<QString, QByteArray> contents(const QString& folder)
{
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        files.insert(name, readFile(dir.filePath(name)));
    return files;
}

class DataDirectoryChoiceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        samplesCatalogue = exam(QStringLiteral("Networking"), QStringLiteral("net.dat"))
            + exam(QStringLiteral("Linux"), QStringLiteral("linux.dat"))
            + exam(QStringLiteral("C++"), QStringLiteral("cpp.dat"));
    }

    void installSamples(const QString& folder)
    {
        writeFile(folder + QStringLiteral("/index.dat"), samplesCatalogue);
        for (const char* bank : { "net.dat", "linux.dat", "cpp.dat" })
            writeFile(folder + u'/' + QLatin1String(bank), QByteArray("questions of ") + bank);
    }

    QString choose() const { return DataDirectoryChoice(folders).choose(); }
    QString user(const QString& name) const { return folders.perUser() + u'/' + name; }

    QTemporaryDir root;
    TemporaryDataFolders folders{ root.path() };
    QByteArray samplesCatalogue;
};

TEST_F(DataDirectoryChoiceTest, AWritableDatBesideTheProgramIsUsedAndNothingIsCopied)
{
    installSamples(folders.besideProgram());
    installSamples(folders.installedSamples());

    EXPECT_EQ(choose(), folders.besideProgram());
    EXPECT_FALSE(QFileInfo::exists(folders.perUser()));
}

TEST_F(DataDirectoryChoiceTest, TheFirstStartCopiesTheInstalledSamplesAndALaterStartKeepsTheUsersChanges)
{
    installSamples(folders.installedSamples());

    EXPECT_EQ(choose(), folders.perUser());
    EXPECT_EQ(readFile(user(QStringLiteral("index.dat"))), samplesCatalogue);
    EXPECT_EQ(readFile(user(QStringLiteral("linux.dat"))), QByteArray("questions of linux.dat"));
    EXPECT_FALSE(QFileInfo::exists(user(QStringLiteral("results.dat"))));
    EXPECT_TRUE(QFileInfo(user(QStringLiteral("cpp.dat"))).isWritable());

    // The user drops one sample, adds an exam of their own, edits a bank and takes an attempt.
    const QByteArray own = exam(QStringLiteral("Networking"), QStringLiteral("net.dat"))
        + exam(QStringLiteral("Mine"), QStringLiteral("mine.dat"))
        + exam(QStringLiteral("C++"), QStringLiteral("cpp.dat"));
    writeFile(user(QStringLiteral("index.dat")), own);
    writeFile(user(QStringLiteral("mine.dat")), "my questions");
    writeFile(user(QStringLiteral("cpp.dat")), "edited");
    writeFile(user(QStringLiteral("results.dat")), QByteArray(8, '\1'));
    QFile::remove(user(QStringLiteral("linux.dat")));
    const auto before = contents(folders.perUser());

    EXPECT_EQ(choose(), folders.perUser());
    EXPECT_EQ(contents(folders.perUser()), before);
}

TEST_F(DataDirectoryChoiceTest, AReadOnlyDatBesideTheProgramIsCopiedForTheUserAndLeftAsItWas)
{
    installSamples(folders.besideProgram());
    folders.readOnly.insert(folders.besideProgram());
    const auto before = contents(folders.besideProgram());

    EXPECT_EQ(choose(), folders.perUser());
    EXPECT_EQ(readFile(user(QStringLiteral("index.dat"))), samplesCatalogue);
    EXPECT_EQ(readFile(user(QStringLiteral("net.dat"))), QByteArray("questions of net.dat"));
    EXPECT_EQ(contents(folders.besideProgram()), before);
}

TEST_F(DataDirectoryChoiceTest, ANewerInstallAddsOnlyExamsWithNewBankNamesAndReplacesNoFile)
{
    installSamples(folders.installedSamples());
    choose();
    writeFile(user(QStringLiteral("net.dat")), "edited");
    writeFile(user(QStringLiteral("index.dat")),
              readFile(user(QStringLiteral("index.dat"))).left(2 * CatalogueRecord::Length));

    // The next version renames one sample, ships a new one, and one whose bank the user already has.
    const QByteArray newer = exam(QStringLiteral("Networking 2"), QStringLiteral("net.dat"))
        + exam(QStringLiteral("Shell"), QStringLiteral("shell.dat"))
        + exam(QStringLiteral("Notes"), QStringLiteral("notes.dat"))
        + exam(QStringLiteral("Escape"), QStringLiteral("../escape.dat"));
    writeFile(folders.installedSamples() + QStringLiteral("/index.dat"), samplesCatalogue + newer);
    writeFile(folders.installedSamples() + QStringLiteral("/net.dat"), "new questions");
    writeFile(folders.installedSamples() + QStringLiteral("/shell.dat"), "shell questions");
    writeFile(folders.installedSamples() + QStringLiteral("/notes.dat"), "shipped notes");
    writeFile(folders.installedSamples() + QStringLiteral("/../escape.dat"), "outside");
    writeFile(user(QStringLiteral("notes.dat")), "the user's notes");

    EXPECT_EQ(choose(), folders.perUser());
    // cpp.dat was offered before and dropped by the user: it stays dropped.
    EXPECT_EQ(readFile(user(QStringLiteral("index.dat"))),
              samplesCatalogue.left(2 * CatalogueRecord::Length)
                  + exam(QStringLiteral("Shell"), QStringLiteral("shell.dat"))
                  + exam(QStringLiteral("Notes"), QStringLiteral("notes.dat")));
    EXPECT_EQ(readFile(user(QStringLiteral("net.dat"))), QByteArray("edited"));
    EXPECT_EQ(readFile(user(QStringLiteral("shell.dat"))), QByteArray("shell questions"));
    EXPECT_EQ(readFile(user(QStringLiteral("notes.dat"))), QByteArray("the user's notes"));
    EXPECT_FALSE(QFileInfo::exists(folders.perUser() + QStringLiteral("/../escape.dat")));
}

// A bank's domains live beside it: they come with the bank they belong to, and only with it.
TEST_F(DataDirectoryChoiceTest, TheDomainsOfASampleAreCopiedWithItsBankAndReplaceNoFile)
{
    installSamples(folders.installedSamples());
    const QString installed = folders.installedSamples() + u'/';
    writeFile(installed + QStringLiteral("net.dat.domains"), "Addressing\n\nRouting\n");
    writeFile(installed + QStringLiteral("cpp.dat.domains"), "Templates\n");
    writeFile(user(QStringLiteral("cpp.dat.domains")), "the user's own");
    writeFile(installed + QStringLiteral("linux.dat.domains"), "Shells\n");
    ASSERT_TRUE(QFile::link(root.path() + QStringLiteral("/planted"), user(QStringLiteral("linux.dat.domains"))));

    EXPECT_EQ(choose(), folders.perUser());
    EXPECT_FALSE(QFileInfo::exists(root.path() + QStringLiteral("/planted"))) << "written through a link leading out";
    EXPECT_EQ(readFile(user(QStringLiteral("linux.dat"))), QByteArray("questions of linux.dat"));
    EXPECT_EQ(readFile(user(QStringLiteral("net.dat.domains"))), QByteArray("Addressing\n\nRouting\n"));
    EXPECT_EQ(readFile(user(QStringLiteral("cpp.dat"))), QByteArray("questions of cpp.dat"));
    EXPECT_EQ(readFile(user(QStringLiteral("cpp.dat.domains"))), QByteArray("the user's own"));

    // A newer install: the domains of a new sample come along; those of a bank the user has do not.
    writeFile(user(QStringLiteral("notes.dat")), "the user's notes");
    writeFile(installed + QStringLiteral("index.dat"),
              samplesCatalogue + exam(QStringLiteral("Shell"), QStringLiteral("shell.dat"))
                  + exam(QStringLiteral("Notes"), QStringLiteral("notes.dat")));
    writeFile(installed + QStringLiteral("shell.dat"), "shell questions");
    writeFile(installed + QStringLiteral("shell.dat.domains"), "Quoting\n");
    writeFile(installed + QStringLiteral("notes.dat"), "shipped notes");
    writeFile(installed + QStringLiteral("notes.dat.domains"), "Shipped\n");
    QFile::remove(user(QStringLiteral("net.dat.domains")));

    EXPECT_EQ(choose(), folders.perUser());
    EXPECT_EQ(readFile(user(QStringLiteral("shell.dat.domains"))), QByteArray("Quoting\n"));
    EXPECT_FALSE(QFileInfo::exists(user(QStringLiteral("notes.dat.domains"))));
    EXPECT_FALSE(QFileInfo::exists(user(QStringLiteral("net.dat.domains"))))
        << "a sample offered before is not copied again";
}

TEST_F(DataDirectoryChoiceTest, ADamagedCatalogueOfTheUserIsNotAppendedTo)
{
    writeFile(user(QStringLiteral("index.dat")), exam(QStringLiteral("Mine"), QStringLiteral("mine.dat")).left(200));
    installSamples(folders.installedSamples());

    EXPECT_EQ(choose(), folders.perUser());
    EXPECT_EQ(readFile(user(QStringLiteral("index.dat"))).size(), 200);
}

TEST_F(DataDirectoryChoiceTest, WithoutAUserFolderTheDatBesideTheProgramIsStillShown)
{
    installSamples(folders.besideProgram());
    folders.readOnly.insert(folders.besideProgram());
    // A file where the user's folder should be keeps it from being made.
    writeFile(root.path() + QStringLiteral("/home/.local/share/quizmark"), "not a folder");

    EXPECT_EQ(choose(), folders.besideProgram());
}

// Every file the first start writes refuses a link that leads out of its folder, and writes
// nothing then: the catalogue, the list of samples offered, and a bank.
TEST_F(DataDirectoryChoiceTest, NoFileIsWrittenThroughALinkLeadingOut)
{
    installSamples(folders.installedSamples());
    // Someone else's catalogue, whole records, so that it would be appended to.
    const QByteArray theirs = exam(QStringLiteral("Theirs"), QStringLiteral("theirs.dat"));
    const QString elsewhere = root.path() + QStringLiteral("/elsewhere");
    writeFile(elsewhere, theirs);
    for (const QString& name : { QStringLiteral("index.dat"), QStringLiteral("../offered-samples") }) {
        QDir(root.path() + QStringLiteral("/home")).removeRecursively();
        QDir().mkpath(folders.perUser());
        ASSERT_TRUE(QFile::link(elsewhere, QDir::cleanPath(user(name))));

        EXPECT_EQ(choose(), folders.perUser());
        EXPECT_EQ(readFile(elsewhere), theirs) << name.toStdString();
        EXPECT_FALSE(QFileInfo::exists(user(QStringLiteral("net.dat")))) << "half a copy beside " << name.toStdString();
    }

    // A bank's name that is a link leading nowhere outside: that sample alone is not offered.
    QDir(root.path() + QStringLiteral("/home")).removeRecursively();
    QDir().mkpath(folders.perUser());
    ASSERT_TRUE(QFile::link(root.path() + QStringLiteral("/planted.dat"), user(QStringLiteral("net.dat"))));
    EXPECT_EQ(choose(), folders.perUser());
    EXPECT_FALSE(QFileInfo::exists(root.path() + QStringLiteral("/planted.dat")));
    EXPECT_EQ(readFile(user(QStringLiteral("index.dat"))), samplesCatalogue.mid(CatalogueRecord::Length));
}

// Two first starts at once, each a process of its own: every sample ends up in the catalogue once,
// with its bank, and in the list of samples offered.
TEST_F(DataDirectoryChoiceTest, TwoFirstStartsAtOnceCopyEverySampleOnce)
{
    const QStringList banks{ QStringLiteral("cpp.dat"), QStringLiteral("linux.dat"), QStringLiteral("net.dat") };
    for (int round = 0; round < 8; ++round) {
        QTemporaryDir place;
        const QString samples = place.path() + QStringLiteral("/usr/share/quizmark/dat");
        installSamples(samples);
        QProcess first;
        QProcess second;
        first.start(QStringLiteral(QUIZMARK_FIRST_START), { place.path() });
        second.start(QStringLiteral(QUIZMARK_FIRST_START), { place.path() });
        ASSERT_TRUE(first.waitForFinished(30000) && second.waitForFinished(30000));
        EXPECT_EQ(first.exitCode(), 0);
        EXPECT_EQ(second.exitCode(), 0);

        const QString dat = place.path() + QStringLiteral("/home/.local/share/quizmark/dat/");
        QByteArray catalogue = readFile(dat + QStringLiteral("index.dat"));
        QStringList named;
        for (qsizetype at = 0; at + CatalogueRecord::Length <= catalogue.size(); at += CatalogueRecord::Length)
            named.append(CatalogueRecord::fromBytes(catalogue.mid(at, CatalogueRecord::Length)).bankFileName());
        named.sort();
        EXPECT_EQ(named, banks) << "round " << round;
        EXPECT_EQ(readFile(dat + QStringLiteral("../offered-samples")), banks.join(u'\n').toUtf8() + '\n')
            << "round " << round;
        for (const QString& bank : banks)
            EXPECT_EQ(readFile(dat + bank), QByteArray("questions of ") + bank.toUtf8()) << "round " << round;
    }
}

// The real folders of the program: a dat folder beside it that the user cannot write is not the
// data directory. Permission bits do not stop root, so as root the check runs as nobody.
TEST(SystemDataFolders, ADatBesideTheProgramThatCannotBeWrittenIsNotUsed)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir().mkpath(root.path() + QStringLiteral("/usr/bin/dat")));
    ASSERT_TRUE(QDir().mkpath(root.path() + QStringLiteral("/portable/dat")));
    writeFile(root.path() + QStringLiteral("/usr/bin/dat/index.dat"),
              exam(QStringLiteral("One"), QStringLiteral("one.dat")));
    writeFile(root.path() + QStringLiteral("/usr/bin/dat/one.dat"), "questions");
    const QFileDevice::Permissions open = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
        | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    const QFileDevice::Permissions readOnly
        = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther;
    for (const QString& folder : { QString(), QStringLiteral("/usr"), QStringLiteral("/portable"),
                                   QStringLiteral("/portable/dat"), QStringLiteral("/usr/bin") })
        ASSERT_TRUE(QFile::setPermissions(root.path() + folder, open));
    ASSERT_TRUE(QFile::setPermissions(root.path() + QStringLiteral("/usr/bin/dat"), readOnly));

    const auto checks = [&root] {
        qputenv("XDG_DATA_HOME", (root.path() + QStringLiteral("/home")).toLocal8Bit());
        QCoreApplication::setApplicationName(QStringLiteral("quizmark"));
        const platform::FixedDirectory installed(root.path() + QStringLiteral("/usr/bin"));
        const platform::FixedDirectory portable(root.path() + QStringLiteral("/portable"));
        const platform::SystemDataFolders installedFolders(installed);
        const platform::SystemDataFolders portableFolders(portable);
        const QString chosen = DataDirectoryChoice(installedFolders).choose();
        return !installedFolders.isWritableDirectory(installedFolders.besideProgram())
            && portableFolders.isWritableDirectory(portableFolders.besideProgram())
            && chosen == installedFolders.perUser()
            && DataDirectoryChoice(portableFolders).choose() == portableFolders.besideProgram()
            && QFileInfo::exists(chosen + QStringLiteral("/one.dat"));
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(checks());
        return;
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        constexpr uid_t Nobody = 65534;
        const bool dropped = ::setgid(Nobody) == 0 && ::setuid(Nobody) == 0;
        ::_exit(dropped ? (checks() ? 0 : 1) : 3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the choice was wrong as nobody; 3: nobody could not be become";
    ::chmod(QFile::encodeName(root.path() + QStringLiteral("/usr/bin/dat")).constData(), 0755);
}

} // namespace
