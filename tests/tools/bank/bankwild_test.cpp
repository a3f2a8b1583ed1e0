// Question files as learning-management systems export them and authors write them: code listings,
// images, tables, lists, format markers, options without a space, other encodings and line ends.
#include "bankfiles.h"

#include <QStringEncoder>

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

QStringList lines(const QString& text)
{
    return text.split(u'\n', Qt::SkipEmptyParts);
}

// One file, the exam it builds and what the build lists on standard error.
struct WildFile
{
    const char* file;
    QStringList arguments;
    const char* exam;
    QStringList listing;
};

void PrintTo(const WildFile& wild, std::ostream* out)
{
    *out << wild.file;
}

class WildFiles : public testing::TestWithParam<WildFile>
{
};

TEST_P(WildFiles, BuildTheirRecordsAndListWhatWasReplacedOrLeftOut)
{
    QTemporaryDir dir;
    const QString source = testFile(GetParam().file);
    const Outcome built = run(QStringList{ QStringLiteral("build"), source } + GetParam().arguments
                              + QStringList{ QStringLiteral("-o"), dir.filePath("dat") });
    ASSERT_EQ(built.code, 0) << built.err.toStdString();
    QStringList listing;
    for (const QString& line : GetParam().listing)
        listing.append(QString(line).replace(QStringLiteral("FILE"), source));
    EXPECT_EQ(lines(built.err).join(u'\n').toStdString(), listing.join(u'\n').toStdString());
    QJsonParseError error;
    const QJsonDocument expected = QJsonDocument::fromJson(GetParam().exam, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << " at " << error.offset;
    EXPECT_EQ(QJsonDocument(dumpedExam(dir.filePath("dat"))).toJson().toStdString(), expected.toJson().toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Formats, WildFiles,
    testing::Values(
        WildFile{ "codelisting.gift",
                  {},
                  R"json({
    "name": "Programming", "bank": "programming.dat", "description": "", "questionTotal": 7,
    "questions": [
        { "question": "What does this loop print?\nfor (int i = 0; i < 3; ++i)\n    print(i);",
          "options": ["0 1 2", "1 2 3", "0 1 2 3", "nothing & never"], "correct": [1],
          "explanation": "Right: it stops before 3." },
        { "question": "Which values satisfy x > 1 & x < 2?", "options": ["1", "1.5", "2", "3"], "correct": [2],
          "explanation": "Only 1.5 lies strictly between." },
        { "question": "Which device is shown?\n[a router with four ports]",
          "options": ["a router", "a switch", "a hub", "a modem"], "correct": [1], "explanation": "" },
        { "question": "[image] What does the photo show?", "options": ["a cat", "a dog", "a bird", "a fish"],
          "correct": [2], "explanation": "" },
        { "question": "Port\tProtocol\n22\t?\nWhich protocol fills the gap?", "options": ["SSH", "HTTP", "FTP", "DNS"],
          "correct": [1], "explanation": "" },
        { "question": "Put in order:\n1. plan\n  - draft\n  - review\n2. build\nWhich comes first?",
          "options": ["plan", "build", "draft", "review"], "correct": [1], "explanation": "" },
        { "question": "Which call prints hello?\nprint(\"hello\")", "options": ["print", "echo", "say", "write"],
          "correct": [1], "explanation": "The listing calls print." }
    ]})json",
                  { QStringLiteral("warning: FILE:21: image replaced by its alt text"),
                    QStringLiteral("warning: FILE:28: image replaced by [image]") } },
        WildFile{ "shellscripts.xml",
                  {},
                  R"json({
    "name": "Shell scripts", "bank": "shell-scripts.dat", "description": "Reading shell scripts.", "questionTotal": 3,
    "questions": [
        { "question": "What does this script write?\nif [ \"$n\" -lt 2 ]; then\n    echo \"small\" > out.txt\nfi",
          "options": ["small, into out.txt", "small, on the screen", "nothing", "an error: 2 < n"], "correct": [1],
          "explanation": "The > operator replaces the file." },
        { "question": "Which shape is drawn?\n[a red & blue triangle]",
          "options": ["a triangle", "a square", "a circle", "a line"], "correct": [1], "explanation": "" },
        { "question": "Which options does allow?",
          "options": ["- copying\n- changing\n  - with notice", "sharing it", "selling", "hiding"], "correct": [1, 2],
          "explanation": "" }
    ]})json",
                  { QStringLiteral("warning: FILE:29: image replaced by its alt text"),
                    QStringLiteral("warning: FILE:38: external entity &licence; is not read: left out of the text") } },
        WildFile{ "handwritten.aiken",
                  { QStringLiteral("--skip-unfit") },
                  R"json({
    "name": "handwritten", "bank": "handwritten.dat", "description": "", "questionTotal": 2,
    "questions": [
        { "question": "What is the capital of France?", "options": ["Berlin", "Paris", "Rome", "Madrid"],
          "correct": [2], "explanation": "" },
        { "question": "Which planet is the largest?", "options": ["Mars", "Venus", "Jupiter", "Mercury"],
          "correct": [3], "explanation": "" }
    ]})json",
                  { QStringLiteral("left out: FILE:15: line 20: ANSWER E names no option; the question has 4") } }));

TEST(WildFiles, AnExamEveryQuestionOfWhichIsUnfitListsThemAllAndWritesNothing)
{
    QTemporaryDir dir;
    const QString source = testFile("allunfit.gift");
    const Outcome skipped = run(
        { QStringLiteral("build"), source, QStringLiteral("--skip-unfit"), QStringLiteral("-o"), dir.filePath("dat") });
    EXPECT_EQ(skipped.code, 1);
    EXPECT_EQ(
        lines(skipped.err),
        QStringList({ QStringLiteral("left out: ") + source + QStringLiteral(":3: a true/false question"),
                      QStringLiteral("left out: ") + source + QStringLiteral(":5: a short-answer question"),
                      QStringLiteral("left out: ") + source + QStringLiteral(":7: a numerical question"),
                      QStringLiteral("left out: ") + source + QStringLiteral(":9: 3 options; a record holds exactly 4"),
                      source + QStringLiteral(": exam \"Quick checks\": has no questions"),
                      QStringLiteral("Nothing written.") }));
    EXPECT_FALSE(QFile::exists(dir.filePath("dat/index.dat")));
}

TEST(WildFiles, NameBankAndDescriptionGivenOnTheCommandLineWinOverTheFile)
{
    QTemporaryDir dir;
    for (const char* file : { "codelisting.gift", "shellscripts.xml" }) {
        const QString dat = dir.filePath(QString::fromUtf8(file));
        const Outcome built
            = run({ QStringLiteral("build"), testFile(file), QStringLiteral("--name"), QStringLiteral("Mine"),
                    QStringLiteral("--bank"), QStringLiteral("mine.dat"), QStringLiteral("--description"),
                    QStringLiteral("My own."), QStringLiteral("-o"), dat });
        ASSERT_EQ(built.code, 0) << built.err.toStdString();
        const QJsonObject exam = dumpedExam(dat);
        EXPECT_EQ(exam.value(u"name").toString(), QStringLiteral("Mine")) << file;
        EXPECT_EQ(exam.value(u"bank").toString(), QStringLiteral("mine.dat")) << file;
        EXPECT_EQ(exam.value(u"description").toString(), QStringLiteral("My own.")) << file;
    }
}

// A file saved in UTF-16 with its byte order mark, or with old Mac line ends, builds the same bytes
// as the same file in UTF-8 with LF.
struct Encoding
{
    const char* name;
    const char* format;
    const char* text;
    QStringConverter::Encoding encoding;
    bool carriageReturns;
};

void PrintTo(const Encoding& encoding, std::ostream* out)
{
    *out << encoding.name;
}

class Encodings : public testing::TestWithParam<Encoding>
{
};

TEST_P(Encodings, ReadTheSameRecordsAsUtf8)
{
    QTemporaryDir dir;
    const QString text = QString::fromUtf8(GetParam().text);
    const QString suffix = QStringLiteral(".") + QString::fromUtf8(GetParam().format);
    writeFile(dir.filePath(QStringLiteral("plain") + suffix), text.toUtf8());
    QString saved = text;
    if (GetParam().carriageReturns)
        saved.replace(u'\n', u'\r');
    QStringEncoder encoder(GetParam().encoding, QStringConverter::Flag::WriteBom);
    writeFile(dir.filePath(QStringLiteral("saved") + suffix), encoder.encode(saved));

    const Outcome plain
        = run({ QStringLiteral("build"), dir.filePath(QStringLiteral("plain") + suffix), QStringLiteral("--name"),
                QStringLiteral("Same"), QStringLiteral("-o"), dir.filePath("plain") });
    ASSERT_EQ(plain.code, 0) << plain.err.toStdString();
    const Outcome saved16
        = run({ QStringLiteral("build"), dir.filePath(QStringLiteral("saved") + suffix), QStringLiteral("--name"),
                QStringLiteral("Same"), QStringLiteral("-o"), dir.filePath("saved") });
    ASSERT_EQ(saved16.code, 0) << saved16.err.toStdString();
    EXPECT_TRUE(saved16.err.isEmpty()) << saved16.err.toStdString();
    EXPECT_EQ(readFile(dir.filePath("saved/same.dat")), readFile(dir.filePath("plain/same.dat")));
    EXPECT_EQ(readFile(dir.filePath("saved/index.dat")), readFile(dir.filePath("plain/index.dat")));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, Encodings,
    testing::Values(
        Encoding{ "gift_utf16le", "gift", "Caf\xc3\xa9 or tea? {\n=caf\xc3\xa9\n~tea\n~water\n~milk\n}\n",
                  QStringConverter::Utf16LE, false },
        Encoding{ "aiken_utf16be", "aiken", "Caf\xc3\xa9 or tea?\nA)caf\xc3\xa9\nB)tea\nC)water\nD)milk\nANSWER: A\n",
                  QStringConverter::Utf16BE, false },
        Encoding{
            "csv_utf16le", "csv",
            "question,option1,option2,option3,option4,correct\nCaf\xc3\xa9 or tea?,caf\xc3\xa9,tea,water,milk,1\n",
            QStringConverter::Utf16LE, false },
        Encoding{ "csv_carriage_returns", "csv",
                  "question,option1,option2,option3,option4,correct,explanation\nFirst?,a,b,c,d,1,one\n"
                  "Second?,a,b,c,d,B,two\n",
                  QStringConverter::Utf8, true }));

TEST(WildFiles, ExportRefusalsNameTheQuestionByNumberAndFirstWords)
{
    QTemporaryDir dir;
    QJsonObject withBreak = question({ 2 });
    withBreak.insert(QStringLiteral("question"), QStringLiteral("Which of these numbers\nis even, as written here?"));
    QJsonObject twoCorrect = question({ 2, 4 });
    twoCorrect.insert(QStringLiteral("question"), QStringLiteral("Which are even?"));
    QJsonObject one = exam(QStringLiteral("Parity"), QStringLiteral("parity.dat"), 0);
    one.insert(QStringLiteral("questions"), QJsonArray{ question({ 2 }), withBreak });
    QJsonObject other = exam(QStringLiteral("Pairs"), QStringLiteral("pairs.dat"), 0);
    other.insert(QStringLiteral("questions"), QJsonArray{ question({ 2 }), question({ 2 }), twoCorrect });
    ASSERT_EQ(run({ QStringLiteral("build"), writeSource(dir, QStringLiteral("p.json"), { one, other }),
                    QStringLiteral("-o"), dir.filePath("dat") })
                  .code,
              0);

    const Outcome lineBreak = run({ QStringLiteral("export"), dir.filePath("dat"), QStringLiteral("1"),
                                    QStringLiteral("--format"), QStringLiteral("aiken") });
    EXPECT_EQ(lineBreak.code, 1);
    EXPECT_EQ(lines(lineBreak.err),
              QStringList{ QStringLiteral("aiken cannot hold question 2 (\"Which of these numbers is even,...\"): its "
                                          "question text has a line break; Aiken holds each on one line") });
    const Outcome correct = run({ QStringLiteral("export"), dir.filePath("dat"), QStringLiteral("2"),
                                  QStringLiteral("--format"), QStringLiteral("aiken") });
    EXPECT_EQ(lines(correct.err),
              QStringList{ QStringLiteral("aiken cannot hold question 3 (\"Which are even?\"): it has other than one "
                                          "correct option; Aiken holds exactly one") });
}

} // namespace
