#include "bankfiles.h"

#include <QFileInfo>

using namespace banktest;
using quizmark::QuestionRecord;

namespace {

class AddRemove : public testing::Test
{
protected:
    QString dat() const { return m_dir.filePath(QStringLiteral("dat")); }
    QString source(const QString& name, const QJsonArray& exams) const { return writeSource(m_dir, name, exams); }
    QByteArray file(const QString& name) const { return readFile(dat() + u'/' + name); }
    QStringList examNames() const
    {
        QStringList names;
        const QByteArray index = file(QStringLiteral("index.dat"));
        for (qsizetype at = 0; at + 307 <= index.size(); at += 307)
            names.append(QString::fromLatin1(index.mid(at, 25)).trimmed());
        return names;
    }
    void buildSamples()
    {
        const QString samples = source(QStringLiteral("samples.json"),
                                       { exam(QStringLiteral("One"), QStringLiteral("one.dat"), 1),
                                         exam(QStringLiteral("Two"), QStringLiteral("two.dat"), 2) });
        ASSERT_EQ(run({ QStringLiteral("build"), samples, QStringLiteral("-o"), dat() }).code, 0);
    }

    QTemporaryDir m_dir;
};

TEST_F(AddRemove, AddKeepsTheExamsThereAndPutsTheNewOnesAfter)
{
    buildSamples();
    const QByteArray twoBefore = file(QStringLiteral("two.dat"));
    const QString added
        = source(QStringLiteral("added.json"), { exam(QStringLiteral("Three"), QStringLiteral("three.dat"), 3) });
    const Outcome outcome = run({ QStringLiteral("add"), dat(), added });
    ASSERT_EQ(outcome.code, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.out, QStringLiteral("exam 3 \"Three\" added\n"));
    EXPECT_EQ(examNames(), QStringList({ QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three") }));
    EXPECT_EQ(file(QStringLiteral("two.dat")), twoBefore);
    EXPECT_EQ(file(QStringLiteral("three.dat")).size(), 3 * QuestionRecord::Length);
    EXPECT_EQ(run({ QStringLiteral("check"), dat() }).out, QString());
}

TEST_F(AddRemove, EveryCommandWorksOnTheProgramsDirectoryWhenDirIsLeftOut)
{
    buildSamples();
    const QString added
        = source(QStringLiteral("added.json"), { exam(QStringLiteral("Three"), QStringLiteral("three.dat"), 3) });
    const Outcome add = run({ QStringLiteral("add"), added }, dat());
    ASSERT_EQ(add.code, 0) << add.err.toStdString();
    EXPECT_EQ(examNames(), QStringList({ QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three") }));
    EXPECT_EQ(run({ QStringLiteral("check") }, dat()).code, 0);
    EXPECT_TRUE(run({ QStringLiteral("dump") }, dat()).out.contains(u"\"Three\""));
    EXPECT_TRUE(
        run({ QStringLiteral("export"), QStringLiteral("Three"), QStringLiteral("--format"), QStringLiteral("gift") },
            dat())
            .out.contains(u"Three"));
    EXPECT_EQ(run({ QStringLiteral("history") }, dat()).code, 0);
    ASSERT_EQ(run({ QStringLiteral("remove"), QStringLiteral("One") }, dat()).code, 0);
    EXPECT_EQ(examNames(), QStringList({ QStringLiteral("Two"), QStringLiteral("Three") }));

    // A DIR that is given still wins, and without a default it is still required.
    QTemporaryDir other;
    EXPECT_EQ(run({ QStringLiteral("add"), other.path(), added }, dat()).code, 0);
    EXPECT_TRUE(QFileInfo::exists(other.filePath(QStringLiteral("three.dat"))));
    EXPECT_EQ(examNames(), QStringList({ QStringLiteral("Two"), QStringLiteral("Three") }));
    EXPECT_EQ(run({ QStringLiteral("check") }).code, 2);
}

TEST_F(AddRemove, AddCreatesAMissingDirectory)
{
    const QString added
        = source(QStringLiteral("a.json"), { exam(QStringLiteral("First"), QStringLiteral("first.dat")) });
    EXPECT_EQ(run({ QStringLiteral("add"), dat(), added }).code, 0);
    EXPECT_EQ(examNames(), QStringList{ QStringLiteral("First") });
}

TEST_F(AddRemove, ATakenBankOrNameIsRefusedAndNothingIsWritten)
{
    buildSamples();
    const QByteArray indexBefore = file(QStringLiteral("index.dat"));
    const QByteArray oneBefore = file(QStringLiteral("one.dat"));
    const QString clash = source(QStringLiteral("clash.json"),
                                 { exam(QStringLiteral("Fresh"), QStringLiteral("fresh.dat")),
                                   exam(QStringLiteral("Other"), QStringLiteral("ONE.dat"), 4) });
    const Outcome taken = run({ QStringLiteral("add"), dat(), clash });
    EXPECT_EQ(taken.code, 1);
    EXPECT_TRUE(taken.err.contains(QStringLiteral("Other: bank ONE.dat is already used by exam 1 \"One\"")))
        << taken.err.toStdString();
    EXPECT_EQ(file(QStringLiteral("index.dat")), indexBefore);
    EXPECT_EQ(file(QStringLiteral("one.dat")), oneBefore);
    EXPECT_FALSE(QFileInfo::exists(dat() + QStringLiteral("/fresh.dat")));

    const QString sameName
        = source(QStringLiteral("name.json"), { exam(QStringLiteral("Two"), QStringLiteral("new.dat")) });
    const Outcome named = run({ QStringLiteral("add"), dat(), sameName });
    EXPECT_EQ(named.code, 1);
    EXPECT_TRUE(named.err.contains(QStringLiteral("exam 2 already has this name"))) << named.err.toStdString();
    EXPECT_EQ(file(QStringLiteral("index.dat")), indexBefore);
}

TEST_F(AddRemove, ReplaceKeepsTheExamsPlace)
{
    buildSamples();
    const QString again
        = source(QStringLiteral("again.json"), { exam(QStringLiteral("One, again"), QStringLiteral("one.dat"), 5) });
    const Outcome outcome = run({ QStringLiteral("add"), dat(), again, QStringLiteral("--replace") });
    ASSERT_EQ(outcome.code, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.out, QStringLiteral("exam 1 \"One, again\" replaced\n"));
    EXPECT_EQ(examNames(), QStringList({ QStringLiteral("One, again"), QStringLiteral("Two") }));
    EXPECT_EQ(file(QStringLiteral("one.dat")).size(), 5 * QuestionRecord::Length);
}

TEST_F(AddRemove, RemoveTakesOutTheExamAndItsBank)
{
    buildSamples();
    const QString third
        = source(QStringLiteral("t.json"), { exam(QStringLiteral("Three"), QStringLiteral("three.dat")) });
    ASSERT_EQ(run({ QStringLiteral("add"), dat(), third }).code, 0);

    const Outcome byName = run({ QStringLiteral("remove"), dat(), QStringLiteral("Two") });
    ASSERT_EQ(byName.code, 0) << byName.err.toStdString();
    EXPECT_EQ(byName.out, QStringLiteral("exam 2 \"Two\" removed\n"));
    EXPECT_EQ(examNames(), QStringList({ QStringLiteral("One"), QStringLiteral("Three") }));
    EXPECT_FALSE(QFileInfo::exists(dat() + QStringLiteral("/two.dat")));

    EXPECT_EQ(run({ QStringLiteral("remove"), dat(), QStringLiteral("1") }).code, 0);
    EXPECT_EQ(examNames(), QStringList{ QStringLiteral("Three") });
    EXPECT_EQ(run({ QStringLiteral("check"), dat() }).out, QString());

    const QByteArray before = file(QStringLiteral("index.dat"));
    for (const char* missing : { "2", "0", "Nope" }) {
        const Outcome none = run({ QStringLiteral("remove"), dat(), QString::fromUtf8(missing) });
        EXPECT_EQ(none.code, 1) << missing;
        EXPECT_TRUE(none.err.contains(QStringLiteral("no exam"))) << none.err.toStdString();
    }
    EXPECT_EQ(file(QStringLiteral("index.dat")), before);
}

TEST_F(AddRemove, ADamagedCatalogueIsLeftAlone)
{
    ASSERT_TRUE(QDir().mkpath(dat()));
    writeFile(dat() + QStringLiteral("/index.dat"), QByteArray(400, 'x'));
    const QString added
        = source(QStringLiteral("a.json"), { exam(QStringLiteral("First"), QStringLiteral("first.dat")) });
    const Outcome outcome = run({ QStringLiteral("add"), dat(), added });
    EXPECT_EQ(outcome.code, 1);
    EXPECT_TRUE(outcome.err.contains(QStringLiteral("is damaged"))) << outcome.err.toStdString();
    EXPECT_EQ(file(QStringLiteral("index.dat")), QByteArray(400, 'x'));
}

} // namespace
