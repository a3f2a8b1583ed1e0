#include "bankfiles.h"

#include <QFileInfo>

using namespace banktest;

namespace {

QString testFile(const char* name)
{
    return QStringLiteral(BANK_FORMAT_FILES "/") + QString::fromUtf8(name);
}

QJsonObject dumpedExam(const QString& dat)
{
    const Outcome dump = run({ QStringLiteral("dump"), dat });
    return QJsonDocument::fromJson(dump.out.toUtf8()).object().value(u"exams").toArray().at(0).toObject();
}

// The domains dump shows, one per record, empty for a record without one.
QStringList dumpedDomains(const QString& dat)
{
    QStringList domains;
    for (const QJsonValue& question : dumpedExam(dat).value(u"questions").toArray())
        domains.append(question.toObject().value(u"domain").toString());
    return domains;
}

// A source of each format with domains, the exam it names and the bytes of its bank's sidecar.
struct Source
{
    const char* file;
    const char* exam;
    const char* bank;
    const char* domains;
};

void PrintTo(const Source& source, std::ostream* out)
{
    *out << source.file;
}

class DomainSources : public testing::TestWithParam<Source>
{
};

TEST_P(DomainSources, GiveEachRecordItsDomainBesideTheBank)
{
    QTemporaryDir dir;
    const Outcome built
        = run({ QStringLiteral("build"), testFile(GetParam().file), QStringLiteral("-o"), dir.filePath("dat") });
    ASSERT_EQ(built.code, 0) << built.err.toStdString();
    const QString bank = dir.filePath("dat/") + QString::fromUtf8(GetParam().bank);
    EXPECT_EQ(dumpedExam(dir.filePath("dat")).value(u"name").toString(), QString::fromUtf8(GetParam().exam));
    EXPECT_EQ(readFile(bank + QStringLiteral(".domains")), QByteArray(GetParam().domains));
    const QStringList lines = QString::fromUtf8(GetParam().domains).split(u'\n');
    EXPECT_EQ(dumpedDomains(dir.filePath("dat")), lines.mid(0, lines.size() - 1));
    EXPECT_EQ(run({ QStringLiteral("check"), dir.filePath("dat") }).out, QString());
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DomainSources,
    testing::Values(Source{ "domains.gift", "Netexam", "netexam.dat", "Addressing\nRouting/Static\n\nAddressing\n" },
                    Source{ "domains.xml", "Netexam", "netexam.dat", "Routing\nTCP/IP\n" },
                    Source{ "domains.csv", "domains", "domains.dat", "Subnetting\n\nAdressierung, IPv6\n" },
                    Source{ "domains.json", "Netexam", "netexam.dat",
                            "Adressierung \xe2\x80\x93 \xc3\x9c"
                            "berblick\n\nRouting/Static\n" }));

// A GIFT source's categories, the command line's options, and the exam and domains they make.
struct Categories
{
    const char* gift;
    const char* option;
    const char* exam;
    // Empty when the bank has no sidecar.
    const char* domains;
};

void PrintTo(const Categories& categories, std::ostream* out)
{
    *out << categories.gift;
}

class CategoryRules : public testing::TestWithParam<Categories>
{
};

TEST_P(CategoryRules, NameTheExamAfterTheCommonPathAndTheDomainsAfterTheRest)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("topics.gift"));
    writeFile(source, GetParam().gift);
    QStringList arguments{ QStringLiteral("build"),  source,
                           QStringLiteral("--bank"), QStringLiteral("t.dat"),
                           QStringLiteral("-o"),     dir.filePath("dat") };
    if (*GetParam().option)
        arguments << QStringLiteral("--name") << QString::fromUtf8(GetParam().option);
    const Outcome built = run(arguments);
    ASSERT_EQ(built.code, 0) << built.err.toStdString();
    EXPECT_EQ(dumpedExam(dir.filePath("dat")).value(u"name").toString(), QString::fromUtf8(GetParam().exam));
    const QString sidecar = dir.filePath(QStringLiteral("dat/t.dat.domains"));
    if (*GetParam().domains)
        EXPECT_EQ(readFile(sidecar), QByteArray(GetParam().domains));
    else
        EXPECT_FALSE(QFileInfo::exists(sidecar)) << "a bank without domains has no sidecar";
}

constexpr auto Question = "\n\nWhich? {=a ~b ~c ~d}\n\n";

INSTANTIATE_TEST_SUITE_P(
    Gift, CategoryRules,
    testing::Values(
        // One category names the exam and makes no domains, whatever its depth.
        Categories{ "$CATEGORY: $course$/top/Netexam/Routing\n\nWhich? {=a ~b ~c ~d}\n", "", "Routing", "" },
        // Only the path all categories share names the exam; the rest is each question's domain.
        Categories{ "$CATEGORY: Net/Routing/Static\n\nWhich? {=a ~b ~c ~d}\n\n$CATEGORY: Net/Routing/Dynamic\n\n"
                    "Which? {=a ~b ~c ~d}\n\n$CATEGORY: Net/Addressing\n\nWhich? {=a ~b ~c ~d}\n",
                    "", "Net", "Routing/Static\nRouting/Dynamic\nAddressing\n" },
        // Nothing in common: the file's name stands in, and each domain is its whole path.
        Categories{ "$CATEGORY: Net/Routing\n\nWhich? {=a ~b ~c ~d}\n\n$CATEGORY: Web/HTTP\n\nWhich? {=a ~b ~c ~d}\n",
                    "", "topics", "Net/Routing\nWeb/HTTP\n" },
        // Moodle's context ("$course$/top") is no category of the exam's.
        Categories{ "$CATEGORY: $course$/top/Routing\n\nWhich? {=a ~b ~c ~d}\n\n$CATEGORY: $course$/top/Addressing\n\n"
                    "Which? {=a ~b ~c ~d}\n",
                    "", "topics", "Routing\nAddressing\n" },
        // A question in the common category itself, or before any category, has no domain.
        Categories{ "Which? {=a ~b ~c ~d}\n\n$CATEGORY: Net\n\nWhich? {=a ~b ~c ~d}\n\n$CATEGORY: Net/Routing\n\n"
                    "Which? {=a ~b ~c ~d}\n",
                    "", "Net", "\n\nRouting\n" },
        // A category declared without questions still counts: the export writes the exam's own first.
        Categories{ "$CATEGORY: Net\n\n$CATEGORY: Net/Routing\n\nWhich? {=a ~b ~c ~d}\n", "", "Net", "Routing\n" },
        // --name wins over the categories, which still make the domains.
        Categories{ "$CATEGORY: Net/Routing\n\nWhich? {=a ~b ~c ~d}\n\n$CATEGORY: Net/Addressing\n\n"
                    "Which? {=a ~b ~c ~d}\n",
                    "Chosen", "Chosen", "Routing\nAddressing\n" }));

// Domain names the sidecar cannot hold refuse their question, with its place, as other unfit input does.
TEST(DomainNames, ThatCannotBeWrittenRefuseTheirQuestionWithItsPlace)
{
    QTemporaryDir dir;
    const QByteArray tooLong(121, 'x');
    const QString gift = dir.filePath(QStringLiteral("long.gift"));
    writeFile(gift,
              "$CATEGORY: Net/" + tooLong
                  + "\n\nWhich? {=a ~b ~c ~d}\n\n$CATEGORY: Net/Fine\n\nWhich? {=a ~b ~c ~d}\n");
    const QString csv = dir.filePath(QStringLiteral("tab.csv"));
    writeFile(csv, "question,option1,option2,option3,option4,correct,domain\nWhich?,a,b,c,d,1,\"A\tB\"\n");
    QJsonObject exam = banktest::exam(QStringLiteral("Json"), QStringLiteral("json.dat"), 2);
    QJsonArray questions = exam.value(u"questions").toArray();
    QJsonObject second = questions[1].toObject();
    second.insert(QStringLiteral("domain"), QStringLiteral("Line\nbreak"));
    questions[1] = second;
    QJsonObject first = questions[0].toObject();
    first.insert(QStringLiteral("domain"), 7);
    questions[0] = first;
    exam.insert(QStringLiteral("questions"), questions);
    const QString json = writeSource(dir, QStringLiteral("json.json"), { exam });

    const Outcome refused
        = run({ QStringLiteral("build"), gift, csv, json, QStringLiteral("-o"), dir.filePath("dat") });
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err.split(u'\n', Qt::SkipEmptyParts),
              QStringList({
                  gift + QStringLiteral(":3: a domain name is longer than 120 characters"),
                  csv + QStringLiteral(":2: a domain name holds a line break or another control character"),
                  json + QStringLiteral(": exam 1 \"Json\", question 1, field \"domain\": expected a text"),
                  json
                      + QStringLiteral(": exam 1 \"Json\", question 2, field \"domain\": a domain name holds a line "
                                       "break or another control character"),
                  QStringLiteral("Nothing written."),
              }));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("dat")));

    const Outcome skipped = run(
        { QStringLiteral("build"), gift, QStringLiteral("--skip-unfit"), QStringLiteral("-o"), dir.filePath("dat") });
    ASSERT_EQ(skipped.code, 0) << skipped.err.toStdString();
    EXPECT_EQ(skipped.err,
              QStringLiteral("left out: ") + gift
                  + QStringLiteral(":3: a domain name is longer than 120 characters\n"));
    EXPECT_EQ(readFile(dir.filePath("dat/net.dat.domains")), QByteArray("Fine\n"));
}

// build, add and remove keep each bank's sidecar with it: written in the same set, and gone
// when the bank has no domains any more or goes itself.
class Sidecars : public testing::Test
{
protected:
    QString dat(const QString& name = {}) const { return m_dir.filePath(QStringLiteral("dat/") + name); }
    QString withDomains(const QString& name, const QString& bank, const QStringList& domains)
    {
        QJsonObject exam = banktest::exam(name, bank, int(domains.size()));
        QJsonArray questions = exam.value(u"questions").toArray();
        for (qsizetype q = 0; q < questions.size(); ++q) {
            QJsonObject question = questions[q].toObject();
            if (!domains[q].isEmpty())
                question.insert(QStringLiteral("domain"), domains[q]);
            questions[q] = question;
        }
        exam.insert(QStringLiteral("questions"), questions);
        return writeSource(m_dir, QStringLiteral("source%1.json").arg(++m_sources), { exam });
    }

    QTemporaryDir m_dir;
    int m_sources = 0;
};

TEST_F(Sidecars, FollowTheirBankThroughBuildAddAndRemove)
{
    const QString topics = withDomains(QStringLiteral("Topics"), QStringLiteral("topics.dat"),
                                       { QStringLiteral("Routing"), QString(), QStringLiteral("Addressing") });
    ASSERT_EQ(run({ QStringLiteral("build"), topics, QStringLiteral("-o"), dat() }).code, 0);
    EXPECT_EQ(readFile(dat(QStringLiteral("topics.dat.domains"))), QByteArray("Routing\n\nAddressing\n"));

    // Built again without domains: the old sidecar would name the domains of other questions.
    const QString plain = withDomains(QStringLiteral("Topics"), QStringLiteral("topics.dat"), { QString(), QString() });
    ASSERT_EQ(run({ QStringLiteral("build"), plain, QStringLiteral("-o"), dat() }).code, 0);
    EXPECT_FALSE(QFileInfo::exists(dat(QStringLiteral("topics.dat.domains"))));

    ASSERT_EQ(run({ QStringLiteral("add"), dat(), topics, QStringLiteral("--replace") }).code, 0);
    EXPECT_EQ(readFile(dat(QStringLiteral("topics.dat.domains"))), QByteArray("Routing\n\nAddressing\n"));
    ASSERT_EQ(run({ QStringLiteral("add"), dat(), plain, QStringLiteral("--replace") }).code, 0);
    EXPECT_FALSE(QFileInfo::exists(dat(QStringLiteral("topics.dat.domains"))));

    const QString other = withDomains(QStringLiteral("Other"), QStringLiteral("other.dat"), { QStringLiteral("Web") });
    ASSERT_EQ(run({ QStringLiteral("add"), dat(), other }).code, 0);
    EXPECT_EQ(readFile(dat(QStringLiteral("other.dat.domains"))), QByteArray("Web\n"));
    EXPECT_EQ(run({ QStringLiteral("check"), dat() }).out, QString());

    const Outcome removed = run({ QStringLiteral("remove"), dat(), QStringLiteral("Other") });
    ASSERT_EQ(removed.code, 0) << removed.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dat(QStringLiteral("other.dat"))));
    EXPECT_FALSE(QFileInfo::exists(dat(QStringLiteral("other.dat.domains"))));
    EXPECT_EQ(run({ QStringLiteral("check"), dat() }).out, QString());
}

TEST_F(Sidecars, StayWhileAnotherExamNamesTheBank)
{
    const QString topics
        = withDomains(QStringLiteral("Topics"), QStringLiteral("topics.dat"), { QStringLiteral("Routing") });
    ASSERT_EQ(run({ QStringLiteral("build"), topics, QStringLiteral("-o"), dat() }).code, 0);
    QByteArray index = readFile(dat(QStringLiteral("index.dat")));
    index += catalogueRecord(QStringLiteral("Again"), QStringLiteral("topics.dat"), 1);
    writeFile(dat(QStringLiteral("index.dat")), index);

    ASSERT_EQ(run({ QStringLiteral("remove"), dat(), QStringLiteral("Topics") }).code, 0);
    EXPECT_EQ(readFile(dat(QStringLiteral("topics.dat.domains"))), QByteArray("Routing\n"));
}

// A sidecar of a bank with no exam left, where a remove must still take it out.
TEST_F(Sidecars, AreRemovedWithTheirExamEvenWhenTheBankIsGone)
{
    const QString topics
        = withDomains(QStringLiteral("Topics"), QStringLiteral("topics.dat"), { QStringLiteral("Routing") });
    ASSERT_EQ(run({ QStringLiteral("build"), topics, QStringLiteral("-o"), dat() }).code, 0);
    ASSERT_TRUE(QFile::remove(dat(QStringLiteral("topics.dat"))));
    ASSERT_EQ(run({ QStringLiteral("remove"), dat(), QStringLiteral("1") }).code, 0);
    EXPECT_FALSE(QFileInfo::exists(dat(QStringLiteral("topics.dat.domains"))));
}

} // namespace
