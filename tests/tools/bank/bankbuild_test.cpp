#include "bankfiles.h"

#include "tools/bank/banksource.h"

using namespace banktest;
using quizmark::CatalogueRecord;
using quizmark::QuestionRecord;

namespace {

// One refusal: how the valid exam is spoiled, and the message that must name it.
struct Refusal
{
    const char* label;
    void (*spoil)(QJsonObject& exam);
    const char* message;
};

void setQuestionField(QJsonObject& exam, const QString& key, const QJsonValue& value)
{
    QJsonArray questions = exam.value(u"questions").toArray();
    QJsonObject first = questions[0].toObject();
    first.insert(key, value);
    questions[0] = first;
    exam.insert(QStringLiteral("questions"), questions);
}

void setOption(QJsonObject& exam, int k, const QString& text)
{
    QJsonArray options = question().value(u"options").toArray();
    options[k - 1] = text;
    setQuestionField(exam, QStringLiteral("options"), options);
}

void setBank(QJsonObject& exam, const char* bank)
{
    exam.insert(QStringLiteral("bank"), QString::fromUtf8(bank));
}

class BuildRefuses : public testing::TestWithParam<Refusal>
{
};

TEST_P(BuildRefuses, NamingTheExamQuestionAndFieldAndWritesNothing)
{
    QTemporaryDir dir;
    QJsonObject spoilt = exam(QStringLiteral("Parity"), QStringLiteral("parity.dat"));
    GetParam().spoil(spoilt);
    const QString good
        = writeSource(dir, QStringLiteral("good.json"), { exam(QStringLiteral("Good"), QStringLiteral("good.dat")) });
    const QString bad = writeSource(dir, QStringLiteral("bad.json"),
                                    { exam(QStringLiteral("Other"), QStringLiteral("other.dat")), spoilt });
    const QString out = dir.filePath(QStringLiteral("dat"));

    const Outcome outcome = run({ QStringLiteral("build"), good, bad, QStringLiteral("-o"), out });

    EXPECT_EQ(outcome.code, 1);
    EXPECT_TRUE(outcome.err.contains(QString::fromUtf8(GetParam().message))) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(out)) << "refused build wrote " << out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BuildRefuses,
    testing::Values(
        Refusal{ "NameTooLong", [](QJsonObject& e) { e.insert(QStringLiteral("name"), QString(26, u'N')); },
                 "bad.json: exam 2 \"NNNNNNNNNNNNNNNNNNNNNNNNNN\", field \"name\": 26 characters; the field holds 25" },
        Refusal{ "DescriptionTooLong",
                 [](QJsonObject& e) { e.insert(QStringLiteral("description"), QString(201, u'd')); },
                 "exam 2 \"Parity\", field \"description\": 201 characters; the field holds 200" },
        Refusal{ "BankTooLong", [](QJsonObject& e) { e.insert(QStringLiteral("bank"), QString(81, u'b')); },
                 "field \"bank\": 81 characters; the field holds 80" },
        Refusal{ "QuestionTooLong",
                 [](QJsonObject& e) { setQuestionField(e, QStringLiteral("question"), QString(501, u'q')); },
                 "bad.json: exam 2 \"Parity\", question 1, field \"question\": 501 characters; the field holds 500" },
        Refusal{ "OptionTooLong", [](QJsonObject& e) { setOption(e, 3, QString(256, u'o')); },
                 "bad.json: exam 2 \"Parity\", question 1, option 3: 256 characters; the field holds 255" },
        Refusal{ "ExplanationTooLong",
                 [](QJsonObject& e) { setQuestionField(e, QStringLiteral("explanation"), QString(501, u'e')); },
                 "question 1, field \"explanation\": 501 characters; the field holds 500" },
        Refusal{ "NotInTheCodePage", [](QJsonObject& e) { setOption(e, 2, QStringLiteral("caf\u00e9 \u0101")); },
                 "question 1, option 2: character U+0101 at position 6 has no Windows-1252 code" },
        Refusal{ "EmojiInTheName",
                 [](QJsonObject& e) { e.insert(QStringLiteral("name"), QStringLiteral("Smile \U0001F600")); },
                 "field \"name\": character U+1f600 at position 7 has no Windows-1252 code" }),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Options, BuildRefuses,
    testing::Values(
        Refusal{ "ThreeOptions",
                 [](QJsonObject& e) {
                     setQuestionField(e, QStringLiteral("options"), QJsonArray{ "a", "b", "c" });
                 },
                 "question 1, field \"options\": expected an array of exactly 4 options, found 3" },
        Refusal{ "FiveOptions",
                 [](QJsonObject& e) {
                     setQuestionField(e, QStringLiteral("options"), QJsonArray{ "a", "b", "c", "d", "e" });
                 },
                 "found 5" },
        Refusal{ "CorrectEmpty", [](QJsonObject& e) { setQuestionField(e, QStringLiteral("correct"), QJsonArray{}); },
                 "question 1, field \"correct\": expected a list of 1 to 4 option numbers" },
        Refusal{ "CorrectZero", [](QJsonObject& e) { setQuestionField(e, QStringLiteral("correct"), QJsonArray{ 0 }); },
                 "field \"correct\": element 1 is not an option number 1 to 4" },
        Refusal{ "CorrectFive",
                 [](QJsonObject& e) {
                     setQuestionField(e, QStringLiteral("correct"), QJsonArray{ 1, 5 });
                 },
                 "field \"correct\": element 2 is not an option number 1 to 4" },
        Refusal{ "CorrectFraction",
                 [](QJsonObject& e) { setQuestionField(e, QStringLiteral("correct"), QJsonArray{ 1.5 }); },
                 "element 1 is not an option number" },
        Refusal{ "CorrectDescending",
                 [](QJsonObject& e) {
                     setQuestionField(e, QStringLiteral("correct"), QJsonArray{ 4, 2 });
                 },
                 "field \"correct\": option 2 after 4: the numbers must ascend" },
        Refusal{ "CorrectRepeated",
                 [](QJsonObject& e) {
                     setQuestionField(e, QStringLiteral("correct"), QJsonArray{ 2, 2 });
                 },
                 "field \"correct\": option 2 is repeated" },
        Refusal{ "CorrectTooMany",
                 [](QJsonObject& e) {
                     setQuestionField(e, QStringLiteral("correct"), QJsonArray{ 1, 2, 3, 4, 4 });
                 },
                 "field \"correct\": expected a list of 1 to 4 option numbers" },
        Refusal{ "CorrectNotAList", [](QJsonObject& e) { setQuestionField(e, QStringLiteral("correct"), 2); },
                 "field \"correct\": expected a list" }),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    BankNames, BuildRefuses,
    testing::Values(
        Refusal{ "Separator", [](QJsonObject& e) { setBank(e, "a/b.dat"); },
                 "exam 2 \"Parity\", field \"bank\": \"a/b.dat\" is not a plain file name: it holds a path separator" },
        Refusal{ "Backslash", [](QJsonObject& e) { setBank(e, "a\\b.dat"); }, "holds a path separator" },
        Refusal{ "Parent", [](QJsonObject& e) { setBank(e, ".."); },
                 "\"..\" is not a plain file name: it names a directory" },
        Refusal{ "Absolute", [](QJsonObject& e) { setBank(e, "/abs.dat"); }, "\"/abs.dat\" is not a plain file name" },
        Refusal{ "Empty", [](QJsonObject& e) { setBank(e, ""); }, "\"\" is not a plain file name: it is empty" },
        Refusal{ "Drive", [](QJsonObject& e) { setBank(e, "c:abs.dat"); }, "holds a drive colon" },
        Refusal{ "TrailingBlank", [](QJsonObject& e) { setBank(e, "parity.dat "); }, "ends in a blank" },
        Refusal{ "TheCatalogue", [](QJsonObject& e) { setBank(e, "INDEX.dat"); }, "is the name of the catalogue" },
        Refusal{ "TakenByAnotherExam", [](QJsonObject& e) { setBank(e, "Good.dat"); },
                 "field \"bank\": \"Good.dat\" is already the bank of " }),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Structure, BuildRefuses,
    testing::Values(
        Refusal{ "TotalAboveQuestions", [](QJsonObject& e) { e.insert(QStringLiteral("questionTotal"), 3); },
                 "field \"questionTotal\": expected a whole number from 0 to the 2 questions given" },
        Refusal{ "NegativeTotal", [](QJsonObject& e) { e.insert(QStringLiteral("questionTotal"), -1); },
                 "field \"questionTotal\"" },
        Refusal{ "UnknownField",
                 [](QJsonObject& e) { setQuestionField(e, QStringLiteral("explantion"), QStringLiteral("x")); },
                 "question 1: unknown field \"explantion\"" },
        Refusal{ "MissingQuestion",
                 [](QJsonObject& e) { setQuestionField(e, QStringLiteral("question"), QJsonValue()); },
                 "question 1, field \"question\": expected a text" },
        Refusal{ "QuestionsNotAList",
                 [](QJsonObject& e) { e.insert(QStringLiteral("questions"), QStringLiteral("none")); },
                 "field \"questions\": expected an array of questions" }),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Build, ARefusedBuildLeavesAnEarlierBuildAsItWas)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("dat"));
    const QString good
        = writeSource(dir, QStringLiteral("good.json"), { exam(QStringLiteral("Good"), QStringLiteral("good.dat")) });
    ASSERT_EQ(run({ QStringLiteral("build"), good, QStringLiteral("-o"), out }).code, 0);
    const QByteArray index = readFile(out + QStringLiteral("/index.dat"));

    QJsonObject spoilt = exam(QStringLiteral("Changed"), QStringLiteral("good.dat"));
    setQuestionField(spoilt, QStringLiteral("correct"), QJsonArray{ 3, 1 });
    const QString bad = writeSource(dir, QStringLiteral("bad.json"),
                                    { exam(QStringLiteral("Fine"), QStringLiteral("fine.dat")), spoilt });
    EXPECT_EQ(run({ QStringLiteral("build"), bad, QStringLiteral("-o"), out }).code, 1);

    EXPECT_EQ(readFile(out + QStringLiteral("/index.dat")), index);
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList({ QStringLiteral("good.dat"), QStringLiteral("index.dat") }));
}

TEST(Build, WritesTheRecordsOfEverySourceInOrder)
{
    QTemporaryDir dir;
    QJsonObject first = exam(QStringLiteral("First"), QStringLiteral("first.dat"), 3);
    first.insert(QStringLiteral("questionTotal"), 2);
    QJsonObject second = exam(QString(25, u'S'), QStringLiteral(" second.dat"), 1);
    setQuestionField(second, QStringLiteral("correct"), QJsonArray{ 1, 2, 3, 4 });
    second.remove(QStringLiteral("description"));
    const QString a = writeSource(dir, QStringLiteral("a.json"), { first });
    const QString b = writeSource(dir, QStringLiteral("b.json"),
                                  { second, exam(QStringLiteral("Caf\u00e9"), QStringLiteral("third.dat"), 1) });
    const QString out = dir.filePath(QStringLiteral("new/dat"));

    const Outcome outcome = run({ QStringLiteral("build"), a, b, QStringLiteral("-o"), out });
    ASSERT_EQ(outcome.code, 0) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.isEmpty() && outcome.err.isEmpty());

    const QByteArray index = readFile(out + QStringLiteral("/index.dat"));
    ASSERT_EQ(index.size(), 3 * CatalogueRecord::Length);
    EXPECT_EQ(index.left(25), QByteArray("First").leftJustified(25, ' '));
    EXPECT_EQ(index.mid(25, 80), QByteArray("first.dat").leftJustified(80, ' '));
    EXPECT_EQ(index.mid(105, 2), QByteArray("\x02\x00", 2));
    EXPECT_EQ(index.mid(107, 200), QByteArray("Numbers and their parity.").leftJustified(200, ' '));
    EXPECT_EQ(index.mid(307, 25), QByteArray(25, 'S'));
    EXPECT_EQ(index.mid(307 + 25, 12), QByteArray(" second.dat "));
    EXPECT_EQ(index.mid(307 + 105, 2), QByteArray("\x01\x00", 2));
    EXPECT_EQ(index.mid(307 + 107, 200), QByteArray(200, ' '));
    EXPECT_EQ(index.mid(614, 25), QByteArray("Caf\xe9").leftJustified(25, ' '));
    EXPECT_EQ(index.mid(614 + 105, 2), QByteArray("\x01\x00", 2));

    const QByteArray bank = readFile(out + QStringLiteral("/first.dat"));
    ASSERT_EQ(bank.size(), 3 * QuestionRecord::Length);
    EXPECT_EQ(bank.left(2), QByteArray("\x00\x00", 2));
    EXPECT_EQ(bank.mid(2, 500), QByteArray("Which of these are even?").leftJustified(500, ' '));
    EXPECT_EQ(bank.mid(502 + 255, 255), QByteArray("two").leftJustified(255, ' '));
    EXPECT_EQ(bank.mid(1522, 8), QByteArray("\x02\x00\x04\x00\x00\x00\x00\x00", 8));
    EXPECT_EQ(bank.mid(1530, 500), QByteArray("Two and four divide by two.").leftJustified(500, ' '));
    EXPECT_EQ(readFile(out + QStringLiteral("/ second.dat")).mid(1522, 8),
              QByteArray("\x01\x00\x02\x00\x03\x00\x04\x00", 8));
    EXPECT_TRUE(QFileInfo(out + QStringLiteral("/third.dat")).isFile());
    EXPECT_EQ(QFileInfo(out + QStringLiteral("/third.dat")).size(), QuestionRecord::Length);
    EXPECT_EQ(QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 4)
        << "staging left behind";
}

TEST(Build, ABuildReplacesTheFilesOfAnEarlierOneAndLeavesTheHistory)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("dat"));
    QDir().mkpath(out);
    writeFile(out + QStringLiteral("/index.dat"), QByteArray(5000, 'x'));
    writeFile(out + QStringLiteral("/results.dat"), QByteArray("\x01\x00\x0a\x00\x08\x00\xff\xff", 8));
    const QString source
        = writeSource(dir, QStringLiteral("s.json"), { exam(QStringLiteral("One"), QStringLiteral("one.dat"), 1) });
    ASSERT_EQ(run({ QStringLiteral("build"), source, QStringLiteral("-o"), out }).code, 0);
    EXPECT_EQ(QFileInfo(out + QStringLiteral("/index.dat")).size(), CatalogueRecord::Length);
    EXPECT_EQ(readFile(out + QStringLiteral("/results.dat")).size(), 8);
}

TEST(Build, BadJsonIsRefusedNamingTheFileAndTheError)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.json"));
    const QString out = dir.filePath(QStringLiteral("dat"));
    for (const QByteArray& text : { QByteArray("{\"exams\": [ {\"name\": \"x\", }"), QByteArray(), QByteArray("[1, 2]"),
                                    QByteArray("{\"exams\": [3]}"), QByteArray("\xff\xfe{}") }) {
        writeFile(path, text);
        const Outcome outcome = run({ QStringLiteral("build"), path, QStringLiteral("-o"), out });
        EXPECT_EQ(outcome.code, 1) << text.constData();
        EXPECT_TRUE(outcome.err.startsWith(path + QStringLiteral(": "))) << outcome.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out));
    }
    writeFile(path, "{\"exams\": [ {\"name\": \"x\", }");
    EXPECT_TRUE(run({ QStringLiteral("build"), path, QStringLiteral("-o"), out })
                    .err.contains(QStringLiteral("not valid JSON at offset")));
    const Outcome missing
        = run({ QStringLiteral("build"), dir.filePath(QStringLiteral("none.json")), QStringLiteral("-o"), out });
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("none.json: cannot be read")));
}

// How fast it builds is bench/bank_bench.cpp's to say.
TEST(Build, TheLargestBankBuilds)
{
    QTemporaryDir dir;
    QJsonObject big = exam(QStringLiteral("Big"), QStringLiteral("big.dat"), 32767);
    const QString source = writeSource(dir, QStringLiteral("big.json"), { big });
    const QString out = dir.filePath(QStringLiteral("dat"));
    const Outcome outcome = run({ QStringLiteral("build"), source, QStringLiteral("-o"), out });
    ASSERT_EQ(outcome.code, 0) << outcome.err.toStdString();
    EXPECT_EQ(QFileInfo(out + QStringLiteral("/big.dat")).size(), qint64(32767) * QuestionRecord::Length);
    EXPECT_EQ(readFile(out + QStringLiteral("/index.dat")).mid(105, 2), QByteArray("\xff\x7f", 2));

    big.insert(QStringLiteral("questions"),
               exam(QStringLiteral("Big"), QStringLiteral("big.dat"), 32768).value(u"questions"));
    const QString tooBig = writeSource(dir, QStringLiteral("toobig.json"), { big });
    const Outcome refused
        = run({ QStringLiteral("build"), tooBig, QStringLiteral("-o"), dir.filePath(QStringLiteral("more")) });
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains(
        QStringLiteral("field \"questions\": more than 32767 questions; a bank holds at most 32767")));
}

} // namespace
