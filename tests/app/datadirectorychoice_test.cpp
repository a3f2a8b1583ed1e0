#include "datadirectorychoice.h"

#include "data/cataloguerecord.h"

#include "platform/datafolders.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

} // namespace
