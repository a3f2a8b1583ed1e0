#include "bankfiles.h"

#include "tools/bank/bankchecker.h"

using namespace banktest;
using quizmark::QuestionRecord;

namespace {

class DataFiles : public testing::Test
{
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) { writeFile(path(name), bytes); }
    Outcome check() const { return run({ QStringLiteral("check"), m_dir.path() }); }
    QStringList findings() const { return check().out.split(u'\n', Qt::SkipEmptyParts); }

    QTemporaryDir m_dir;
};

// One question's CorrectOptions and the finding check must give for it; empty when sound.
struct Answerability
{
    std::array<std::int16_t, 4> correct;
    const char* finding;
};

// Names each case by its options in the test list, instead of its bytes.
void PrintTo(const Answerability& answerability, std::ostream* out)
{
    *out << "CorrectOptions " << answerability.correct[0] << ", " << answerability.correct[1] << ", "
         << answerability.correct[2] << ", " << answerability.correct[3];
}

class CheckAnswerability : public DataFiles, public testing::WithParamInterface<Answerability>
{
};

TEST_P(CheckAnswerability, ReportsAQuestionNoCandidateCanAnswer)
{
    write(QStringLiteral("index.dat"), catalogueRecord(QStringLiteral("Exam"), QStringLiteral("exam.dat"), 2));
    write(QStringLiteral("exam.dat"), questionRecord({ 1, 0, 0, 0 }) + questionRecord(GetParam().correct));
    const Outcome outcome = check();
    const QString expected = QString::fromUtf8(GetParam().finding);
    if (expected.isEmpty()) {
        EXPECT_EQ(outcome.code, 0);
        EXPECT_EQ(outcome.out, QString());
    } else {
        EXPECT_EQ(outcome.code, 1);
        EXPECT_EQ(outcome.out, expected + u'\n');
    }
    EXPECT_TRUE(outcome.err.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    CorrectOptions, CheckAnswerability,
    testing::Values(
        Answerability{ { 2, 4, 0, 0 }, "" }, Answerability{ { 1, 2, 3, 4 }, "" }, Answerability{ { 3, 0, 0, 0 }, "" },
        Answerability{ { 0, 3, 0, 0 },
                       "exam.dat question 2: cannot be answered correctly: CorrectOptions 0, 3, 0, 0: the correct "
                       "options do not come first" },
        Answerability{ { 2, 0, 4, 0 },
                       "exam.dat question 2: cannot be answered correctly: CorrectOptions 2, 0, 4, 0: the correct "
                       "options do not come first" },
        Answerability{
            { 4, 2, 0, 0 },
            "exam.dat question 2: cannot be answered correctly: CorrectOptions 4, 2, 0, 0: they do not ascend" },
        Answerability{
            { 2, 2, 0, 0 },
            "exam.dat question 2: cannot be answered correctly: CorrectOptions 2, 2, 0, 0: an option is repeated" },
        Answerability{ { 7, 0, 0, 0 },
                       "exam.dat question 2: cannot be answered correctly: CorrectOptions 7, 0, 0, 0: a number lies "
                       "outside 1 to 4" },
        Answerability{ { -1, 2, 0, 0 },
                       "exam.dat question 2: cannot be answered correctly: CorrectOptions -1, 2, 0, 0: the correct "
                       "options do not come first; "
                       "a number lies outside 1 to 4" },
        Answerability{ { 0, 3, 1, 0 },
                       "exam.dat question 2: cannot be answered correctly: CorrectOptions 0, 3, 1, 0: the correct "
                       "options do not come first; "
                       "they do not ascend" },
        Answerability{ { 0, 0, 0, 0 }, "exam.dat question 2: no correct option (CorrectOptions 0, 0, 0, 0)" },
        Answerability{ { -2, 0, 0, 0 }, "exam.dat question 2: no correct option (CorrectOptions -2, 0, 0, 0)" }));

TEST_F(DataFiles, CheckReportsTotalsAboveTheBankAndLooksOnlyAtTheQuestionsDrawn)
{
    write(QStringLiteral("index.dat"),
          catalogueRecord(QStringLiteral("Short"), QStringLiteral("short.dat"), 3)
              + catalogueRecord(QStringLiteral("Partly used"), QStringLiteral("partly.dat"), 1));
    write(QStringLiteral("short.dat"), questionRecord({ 1, 0, 0, 0 }) + questionRecord({ 2, 0, 0, 0 }));
    // The draw never reaches the second record, so its fault cannot reach a candidate.
    write(QStringLiteral("partly.dat"), questionRecord({ 1, 0, 0, 0 }) + questionRecord({ 0, 0, 0, 0 }));
    EXPECT_EQ(
        findings(),
        QStringList{ QStringLiteral("exam 1 \"Short\": QuestionTotal 3 is above the 2 whole records of short.dat") });
    EXPECT_EQ(check().code, 1);
}

TEST_F(DataFiles, CheckReportsMissingBanksAndNamesThatLeaveTheDirectory)
{
    QByteArray index;
    int number = 0;
    for (const char* bank : { "missing.dat", "../outside.dat", "/abs.dat", "sub/inner.dat", "", "index.dat" })
        index += catalogueRecord(QStringLiteral("E%1").arg(++number), QString::fromUtf8(bank), 1);
    write(QStringLiteral("index.dat"), index);
    QDir(m_dir.path()).mkpath(QStringLiteral("sub"));
    write(QStringLiteral("sub/inner.dat"), questionRecord({ 1, 0, 0, 0 }));
    EXPECT_EQ(findings(),
              QStringList({
                  QStringLiteral("exam 1 \"E1\": bank file missing.dat is missing"),
                  QStringLiteral("exam 2 \"E2\": bank name \"../outside.dat\" climbs out through \"..\": not a file "
                                 "name inside the data directory"),
                  QStringLiteral("exam 3 \"E3\": bank name \"/abs.dat\" is an absolute path: not a file name "
                                 "inside the data directory"),
                  QStringLiteral("exam 5 \"E5\": bank name \"\" is empty: not a file name inside the data directory"),
                  QStringLiteral("exam 6 \"E6\": bank name \"index.dat\" is the name of the catalogue or the score "
                                 "history: not a file name inside the data directory"),
              }));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("missing.dat")))) << "check must not create what it looks for";
}

TEST_F(DataFiles, CheckReadsBanksInSubFoldersButNotThroughAFolderLinkLeadingOut)
{
    QTemporaryDir outside;
    writeFile(outside.filePath(QStringLiteral("away.dat")), questionRecord({ 1, 0, 0, 0 }));
    ASSERT_TRUE(QFile::link(outside.path(), path(QStringLiteral("elsewhere"))));
    QDir(m_dir.path()).mkpath(QStringLiteral("sub"));
    write(QStringLiteral("sub/inner.dat"), questionRecord({ 1, 0, 0, 0 }));
    write(QStringLiteral("index.dat"),
          catalogueRecord(QStringLiteral("Slash"), QStringLiteral("sub/inner.dat"), 1)
              + catalogueRecord(QStringLiteral("Backslash"), QStringLiteral("sub\\inner.dat"), 1)
              + catalogueRecord(QStringLiteral("Away"), QStringLiteral("elsewhere/away.dat"), 1));
    EXPECT_EQ(findings(),
              QStringList{ QStringLiteral("exam 3 \"Away\": bank file elsewhere/away.dat is a link that leads outside "
                                          "the data directory") });
}

TEST_F(DataFiles, CheckReportsTrailingFragmentsInEveryFile)
{
    // 154 bytes or more of a catalogue record count as a record, so exam 2 is read from them.
    write(QStringLiteral("index.dat"),
          catalogueRecord(QStringLiteral("One"), QStringLiteral("one.dat"), 2)
              + catalogueRecord(QStringLiteral("Two"), QStringLiteral("two.dat"), 1).left(160));
    // The second question record is a fragment of more than half a record: the program still
    // counts only the whole one, and never reads the fragment.
    write(QStringLiteral("one.dat"), questionRecord({ 1, 0, 0, 0 }) + questionRecord({ 0, 2, 0, 0 }).left(1600));
    write(QStringLiteral("results.dat"), QByteArray(8 * 3 + 5, '\0'));
    EXPECT_EQ(findings(),
              QStringList({
                  QStringLiteral("index.dat: trailing fragment of 160 bytes at offset 307 (records are 307 bytes)"),
                  QStringLiteral("one.dat: trailing fragment of 1600 bytes at offset 2030 (records are 2030 bytes)"),
                  QStringLiteral("exam 1 \"One\": QuestionTotal 2 is above the 1 whole records of one.dat"),
                  QStringLiteral("exam 2 \"Two\": bank file two.dat is missing"),
                  QStringLiteral("results.dat: trailing fragment of 5 bytes at offset 24 (records are 8 bytes)"),
              }));
}

TEST_F(DataFiles, CheckReadsNothingBeyondTheEndOfDamagedFiles)
{
    // A short catalogue fragment is no record; a bank fragment below half a record is none either,
    // so the total of 2 is above what the program can read.
    write(QStringLiteral("index.dat"),
          catalogueRecord(QStringLiteral("Cut"), QStringLiteral("cut.dat"), 2) + QByteArray(153, 'z'));
    write(QStringLiteral("cut.dat"), questionRecord({ 1, 0, 0, 0 }) + questionRecord({ 1, 0, 0, 0 }).left(1014));
    EXPECT_EQ(findings(),
              QStringList({
                  QStringLiteral("index.dat: trailing fragment of 153 bytes at offset 307 (records are 307 bytes)"),
                  QStringLiteral("cut.dat: trailing fragment of 1014 bytes at offset 2030 (records are 2030 bytes)"),
                  QStringLiteral("exam 1 \"Cut\": QuestionTotal 2 is above the 1 whole records of cut.dat"),
              }));
}

// The bytes of a two-record bank's domains file and what check finds in them; empty when sound.
struct Sidecar
{
    const char* name;
    QByteArray bytes;
    const char* findings;
};

void PrintTo(const Sidecar& sidecar, std::ostream* out)
{
    *out << sidecar.name;
}

class CheckDomains : public DataFiles, public testing::WithParamInterface<Sidecar>
{
};

TEST_P(CheckDomains, ReportsADomainsFileThatDoesNotMatchItsBank)
{
    write(QStringLiteral("index.dat"), catalogueRecord(QStringLiteral("Exam"), QStringLiteral("exam.dat"), 2));
    write(QStringLiteral("exam.dat"), questionRecord({ 1, 0, 0, 0 }) + questionRecord({ 2, 0, 0, 0 }));
    write(QStringLiteral("exam.dat.domains"), GetParam().bytes);
    const QStringList expected = QString::fromUtf8(GetParam().findings).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(findings(), expected);
    EXPECT_EQ(check().code, expected.isEmpty() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Sidecars, CheckDomains,
    testing::Values(
        Sidecar{ "sound", "Routing\n\n", "" },
        Sidecar{ "line ends of another system", "Routing\r\nAddressing\r\n", "" },
        Sidecar{ "fewer lines", "Routing\n",
                 "exam.dat.domains: 1 line for the 2 records of exam.dat; a domains file has one line per record" },
        Sidecar{ "more lines", "Routing\n\nAddressing\n",
                 "exam.dat.domains: 3 lines for the 2 records of exam.dat; a domains file has one line per record" },
        Sidecar{ "no lines", "",
                 "exam.dat.domains: 0 lines for the 2 records of exam.dat; a domains file has one line per record" },
        Sidecar{ "bad UTF-8", "Routing\nAdress\xfc\x65rung\n", "exam.dat.domains line 2: a domain name is not UTF-8" },
        Sidecar{ "too long", QByteArray(121, 'x') + "\nRouting\n",
                 "exam.dat.domains line 1: a domain name is longer than 120 characters" },
        Sidecar{ "control characters", "Rou\tting\nAddressing\x1b\n",
                 "exam.dat.domains line 1: a domain name holds a line break or another control character\n"
                 "exam.dat.domains line 2: a domain name holds a line break or another control character" },
        Sidecar{ "a line separator", "Routing\xe2\x80\xa8Static\n\n",
                 "exam.dat.domains line 1: a domain name holds a line break or another control character" }));

TEST_F(DataFiles, CheckReportsDomainsFilesNoExamsBankOwnsOrThatCannotBeRead)
{
    write(QStringLiteral("index.dat"), catalogueRecord(QStringLiteral("Exam"), QStringLiteral("exam.dat"), 1));
    write(QStringLiteral("exam.dat"), questionRecord({ 1, 0, 0, 0 }));
    write(QStringLiteral("gone.dat.domains"), "Routing\n");
    QDir(m_dir.path()).mkpath(QStringLiteral("exam.dat.domains"));
    EXPECT_EQ(findings(),
              QStringList({
                  QStringLiteral("exam.dat.domains is not a regular file: the domains of exam.dat cannot be read"),
                  QStringLiteral("gone.dat.domains: no exam of index.dat names its bank gone.dat"),
              }));
}

TEST_F(DataFiles, CheckExitsTwoWhenTheDirectoryCannotBeRead)
{
    const Outcome noIndex = check();
    EXPECT_EQ(noIndex.code, 2);
    EXPECT_TRUE(noIndex.out.isEmpty());
    EXPECT_TRUE(noIndex.err.contains(QStringLiteral("index.dat is missing"))) << noIndex.err.toStdString();

    const Outcome noDirectory = run({ QStringLiteral("check"), path(QStringLiteral("nowhere")) });
    EXPECT_EQ(noDirectory.code, 2);
    EXPECT_TRUE(noDirectory.err.contains(QStringLiteral("is not a directory")));

    write(QStringLiteral("index.dat"), QByteArray());
    const Outcome empty = check();
    EXPECT_EQ(empty.code, 0) << "an empty catalogue is one the program reads";
    EXPECT_TRUE(empty.out.isEmpty() && empty.err.isEmpty());
}

} // namespace
