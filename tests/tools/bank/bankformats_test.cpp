#include "bankfiles.h"

#include <QFileInfo>

using namespace banktest;

namespace {

QString testFile(const char* name)
{
    return QStringLiteral(BANK_FORMAT_FILES "/") + QString::fromUtf8(name);
}

QJsonObject dumpedExam(const QString& dat, int number = 1)
{
    const Outcome dump = run({ QStringLiteral("dump"), dat });
    return QJsonDocument::fromJson(dump.out.toUtf8()).object().value(u"exams").toArray().at(number - 1).toObject();
}

// One file of another program's format, the exam its fit questions make and the questions left out.
struct Import
{
    const char* file;
    const char* exam;
    const char* leftOut;
};

void PrintTo(const Import& import, std::ostream* out)
{
    *out << import.file;
}

class Imports : public testing::TestWithParam<Import>
{
};

TEST_P(Imports, TurnEveryFitQuestionIntoARecordAndListTheRest)
{
    QTemporaryDir dir;
    const QString source = testFile(GetParam().file);
    const QStringList leftOut = QString::fromUtf8(GetParam().leftOut).split(u'\n', Qt::SkipEmptyParts);

    const Outcome refused = run({ QStringLiteral("build"), source, QStringLiteral("-o"), dir.filePath("refused") });
    EXPECT_EQ(refused.code, 1);
    for (const QString& question : leftOut)
        EXPECT_TRUE(refused.err.contains(source + question)) << refused.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("refused/index.dat")));

    const Outcome skipped = run(
        { QStringLiteral("build"), source, QStringLiteral("--skip-unfit"), QStringLiteral("-o"), dir.filePath("dat") });
    ASSERT_EQ(skipped.code, 0) << skipped.err.toStdString();
    QStringList expectedLeftOut;
    for (const QString& question : leftOut)
        expectedLeftOut.append(QStringLiteral("left out: ") + source + question);
    EXPECT_EQ(skipped.err.split(u'\n', Qt::SkipEmptyParts), expectedLeftOut);
    EXPECT_EQ(dumpedExam(dir.filePath("dat")), QJsonDocument::fromJson(GetParam().exam).object());
}

INSTANTIATE_TEST_SUITE_P(
    Formats, Imports,
    testing::Values(Import{ "sample.gift", R"({
    "name": "Protocols/Ports", "bank": "gifted.dat", "questionTotal": 5,
    "description": "Questions in GIFT: escapes, weights and markup.",
    "questions": [
        { "question": "Which port does HTTPS use by default?", "options": ["80", "443", "8080", "22"],
          "correct": [2], "explanation": "Right: TLS on 443." },
        { "question": "Which numbers are even?", "options": ["2", "3", "4", "5"],
          "correct": [1, 3], "explanation": "Two and four divide by two." },
        { "question": "Escapes: a {brace}, a ~tilde~, a = sign and a # hash?",
          "options": ["Yes, all \\ fine", "No", "Maybe\nnot", "Never"],
          "correct": [1], "explanation": "Escaped { } = ~ # : stay as text." },
        { "question": "Which tag makes text bold & strong?", "options": ["<b>", "<i>", "<u>", "<s>"],
          "correct": [1], "explanation": "The <b> tag.\nCaf\u00e9." },
        { "question": "Is this markdown?", "options": ["yes", "no", "perhaps", "never"],
          "correct": [1], "explanation": "" }
    ]})",
                            ":41: a true/false question\n:43: a short-answer question\n:45: a matching "
                            "question\n:47: a numerical question\n:49: an essay question\n:51: 3 options; a "
                            "record holds exactly 4" },
                    Import{ "sample.xml", R"({
    "name": "Web & Markup", "bank": "web-markup.dat", "questionTotal": 2, "description": "HTML in Moodle XML.",
    "questions": [
        { "question": "What does <br> do?\nChoose one \u2013 only one.",
          "options": ["Breaks a line", "Makes text bold", "Adds a <b>border</b>", "Nothing & nobody"],
          "correct": [1], "explanation": "It breaks the line." },
        { "question": "Which are block elements?", "options": ["<div>", "<span>", "<p>", "<em>"],
          "correct": [1, 3], "explanation": "A block.\nAlso a block." }
    ]})",
                            ": question 3 (line 26): a question of type \"truefalse\"\n: question 4 (line "
                            "32): no correct option" },
                    Import{ "sample.aiken", R"({
    "name": "sample", "bank": "sample.dat", "questionTotal": 3, "description": "",
    "questions": [
        { "question": "What is the capital of France?", "options": ["Berlin", "Paris", "Rome", "Madrid"],
          "correct": [2], "explanation": "" },
        { "question": "Which planet is the largest?", "options": ["Mars", "Venus", "Jupiter", "Mercury"],
          "correct": [3], "explanation": "" },
        { "question": "Which sea lies between Europe and Africa?",
          "options": ["The Baltic Sea", "The North Sea", "The Mediterranean Sea", "The Caspian Sea"],
          "correct": [3], "explanation": "" }
    ]})",
                            ":21: 3 options; a record holds exactly 4" },
                    Import{ "sample.csv", R"({
    "name": "sample", "bank": "sample.dat", "questionTotal": 4, "description": "",
    "questions": [
        { "question": "Plain question", "options": ["one", "two", "three", "four"],
          "correct": [2], "explanation": "Because two." },
        { "question": "Quoted, with a comma", "options": ["a \"quoted\" word", "b", "c", "d"],
          "correct": [1, 3], "explanation": "Line one\r\nline two" },
        { "question": "Letters and numbers", "options": ["w", "x", "y", "z"], "correct": [2, 4], "explanation": "" },
        { "question": "Caf\u00e9 \u20ac question", "options": ["\u00e9", "\u00e8", "\u00ea", "\u00eb"],
          "correct": [1, 2, 3, 4], "explanation": "Euro sign." }
    ]})",
                            ":7: no correct option\n:8: \"7\" in correct is no option 1 to 4 or A to D" }));

TEST(Import, NamesBankAndDescriptionComeFromTheOptionsWhenTheSourceGivesNone)
{
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("capitals.txt"));
    ASSERT_TRUE(QFile::copy(testFile("sample.aiken"), text));
    const Outcome unknown = run({ QStringLiteral("build"), text, QStringLiteral("-o"), dir.filePath("none") });
    EXPECT_EQ(unknown.code, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("no known format"))) << unknown.err.toStdString();

    const Outcome named = run({ QStringLiteral("build"), text, QStringLiteral("--format"), QStringLiteral("aiken"),
                                QStringLiteral("--skip-unfit"), QStringLiteral("--name"), QStringLiteral("Capitals"),
                                QStringLiteral("--description"), QStringLiteral("Cities."), QStringLiteral("-o"),
                                dir.filePath("dat") });
    ASSERT_EQ(named.code, 0) << named.err.toStdString();
    const QJsonObject exam = dumpedExam(dir.filePath("dat"));
    EXPECT_EQ(exam.value(u"name").toString(), QStringLiteral("Capitals"));
    EXPECT_EQ(exam.value(u"bank").toString(), QStringLiteral("capitals.dat"));
    EXPECT_EQ(exam.value(u"description").toString(), QStringLiteral("Cities."));

    // The option goes before the file's own name.
    ASSERT_EQ(run({ QStringLiteral("build"), testFile("sample.xml"), QStringLiteral("--skip-unfit"),
                    QStringLiteral("--name"), QStringLiteral("Other"), QStringLiteral("--bank"),
                    QStringLiteral("web.dat"), QStringLiteral("-o"), dir.filePath("xml") })
                  .code,
              0);
    EXPECT_EQ(dumpedExam(dir.filePath("xml")).value(u"name").toString(), QStringLiteral("Other"));
    EXPECT_EQ(dumpedExam(dir.filePath("xml")).value(u"bank").toString(), QStringLiteral("web.dat"));
}

TEST(Import, TextsTheRecordCannotHoldAreListed)
{
    QTemporaryDir dir;
    const QString gift = dir.filePath(QStringLiteral("long.gift"));
    writeFile(gift,
              "Too long " + QByteArray(500, 'x')
                  + " {=a ~b ~c ~d}\n\n"
                    "Greek \xce\xb1? {=a ~b ~c ~d}\n\n"
                    "Blank correct option? {=%50% ~%50%b ~c ~d}\n");
    const Outcome outcome = run({ QStringLiteral("build"), gift, QStringLiteral("-o"), dir.filePath("dat") });
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(
        outcome.err.split(u'\n', Qt::SkipEmptyParts),
        QStringList({ gift + QStringLiteral(":1: question: 509 characters; the field holds 500"),
                      gift + QStringLiteral(":3: question: character U+03b1 at position 7 has no Windows-1252 code"),
                      gift + QStringLiteral(":5: correct option 1 has an empty text"),
                      QStringLiteral("Nothing written.") }));
}

// Builds the JSON source, exports its exam in the format and imports the export again.
struct RoundTrip
{
    const char* source;
    const char* format;
    // The export holds the catalogue record as well as the questions.
    bool wholeExam;
};

void PrintTo(const RoundTrip& trip, std::ostream* out)
{
    *out << trip.source << " as " << trip.format;
}

class RoundTrips : public testing::TestWithParam<RoundTrip>
{
};

TEST_P(RoundTrips, ImportingAnExportGivesTheSameBytes)
{
    QTemporaryDir dir;
    const QString source = testFile(GetParam().source);
    ASSERT_EQ(run({ QStringLiteral("build"), source, QStringLiteral("-o"), dir.filePath("original") }).code, 0);
    const QString format = QString::fromUtf8(GetParam().format);
    const QString exported
        = dir.filePath(QStringLiteral("exam.") + (format == u"moodle-xml" ? QStringLiteral("xml") : format));
    const Outcome out = run({ QStringLiteral("export"), dir.filePath("original"), QStringLiteral("1"),
                              QStringLiteral("--format"), format, QStringLiteral("-o"), exported });
    ASSERT_EQ(out.code, 0) << out.err.toStdString();

    const QString bank = dumpedExam(dir.filePath("original")).value(u"bank").toString();
    const QString name = dumpedExam(dir.filePath("original")).value(u"name").toString();
    const Outcome back = run({ QStringLiteral("add"), dir.filePath("back"), exported, QStringLiteral("--bank"), bank,
                               QStringLiteral("--name"), name });
    ASSERT_EQ(back.code, 0) << back.err.toStdString();
    EXPECT_EQ(readFile(dir.filePath("back/") + bank), readFile(dir.filePath("original/") + bank));
    const QString domains = bank + QStringLiteral(".domains");
    EXPECT_EQ(QFileInfo::exists(dir.filePath("back/") + domains),
              QFileInfo::exists(dir.filePath("original/") + domains));
    EXPECT_EQ(readFile(dir.filePath("back/") + domains), readFile(dir.filePath("original/") + domains));
    if (GetParam().wholeExam) {
        EXPECT_EQ(readFile(dir.filePath("back/index.dat")), readFile(dir.filePath("original/index.dat")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, RoundTrips,
    testing::Values(RoundTrip{ "networking.json", "json", true }, RoundTrip{ "networking.json", "gift", true },
                    RoundTrip{ "networking.json", "moodle-xml", false }, RoundTrip{ "networking.json", "csv", false },
                    RoundTrip{ "escapes.json", "json", true }, RoundTrip{ "escapes.json", "gift", true },
                    RoundTrip{ "escapes.json", "moodle-xml", false }, RoundTrip{ "escapes.json", "csv", false },
                    RoundTrip{ "capitals.json", "aiken", false }, RoundTrip{ "capitals.json", "gift", true },
                    RoundTrip{ "domains.json", "json", true }, RoundTrip{ "domains.json", "gift", true },
                    RoundTrip{ "domains.json", "moodle-xml", false }, RoundTrip{ "domains.json", "csv", false }));

TEST(Export, RefusesAFormatThatCannotHoldTheExam)
{
    QTemporaryDir dir;
    ASSERT_EQ(
        run({ QStringLiteral("build"), testFile("networking.json"), QStringLiteral("-o"), dir.filePath("dat") }).code,
        0);
    const Outcome aiken = run({ QStringLiteral("export"), dir.filePath("dat"), QStringLiteral("Computer Networking"),
                                QStringLiteral("--format"), QStringLiteral("aiken") });
    EXPECT_EQ(aiken.code, 1);
    EXPECT_TRUE(aiken.out.isEmpty());
    EXPECT_TRUE(aiken.err.contains(QStringLiteral("other than one correct option"))) << aiken.err.toStdString();

    QJsonObject leading = exam(QStringLiteral("Lead"), QStringLiteral("lead.dat"), 1);
    QJsonArray questions = leading.value(u"questions").toArray();
    QJsonObject first = questions[0].toObject();
    first.insert(QStringLiteral("question"), QStringLiteral("  Indented question"));
    questions[0] = first;
    leading.insert(QStringLiteral("questions"), questions);
    ASSERT_EQ(run({ QStringLiteral("build"), writeSource(dir, QStringLiteral("l.json"), { leading }),
                    QStringLiteral("-o"), dir.filePath("lead") })
                  .code,
              0);
    const Outcome gift = run({ QStringLiteral("export"), dir.filePath("lead"), QStringLiteral("1"),
                               QStringLiteral("--format"), QStringLiteral("gift") });
    EXPECT_EQ(gift.code, 1);
    EXPECT_TRUE(gift.err.contains(QStringLiteral("gift cannot hold question 1"))) << gift.err.toStdString();
    EXPECT_EQ(run({ QStringLiteral("export"), dir.filePath("lead"), QStringLiteral("1"), QStringLiteral("--format"),
                    QStringLiteral("csv") })
                  .code,
              0)
        << "CSV keeps leading blanks";
    EXPECT_EQ(run({ QStringLiteral("export"), dir.filePath("lead"), QStringLiteral("2"), QStringLiteral("--format"),
                    QStringLiteral("csv") })
                  .code,
              1);
}

// A domain that a format would give back otherwise refuses the export, naming its question.
TEST(Export, RefusesAFormatThatWouldChangeADomain)
{
    QTemporaryDir dir;
    QJsonObject spaced = exam(QStringLiteral("Spaced"), QStringLiteral("spaced.dat"), 2);
    QJsonArray questions = spaced.value(u"questions").toArray();
    QJsonObject second = questions[1].toObject();
    second.insert(QStringLiteral("domain"), QStringLiteral("Routing "));
    questions[1] = second;
    spaced.insert(QStringLiteral("questions"), questions);
    ASSERT_EQ(run({ QStringLiteral("build"), writeSource(dir, QStringLiteral("s.json"), { spaced }),
                    QStringLiteral("-o"), dir.filePath("dat") })
                  .code,
              0);
    for (const char* format : { "gift", "moodle-xml" }) {
        const Outcome refused = run({ QStringLiteral("export"), dir.filePath("dat"), QStringLiteral("1"),
                                      QStringLiteral("--format"), QString::fromUtf8(format) });
        EXPECT_EQ(refused.code, 1) << format;
        EXPECT_TRUE(refused.err.contains(QStringLiteral("cannot hold question 2")) && refused.err.contains(u"Routing "))
            << refused.err.toStdString();
    }
    for (const char* format : { "json", "csv" })
        EXPECT_EQ(run({ QStringLiteral("export"), dir.filePath("dat"), QStringLiteral("1"), QStringLiteral("--format"),
                        QString::fromUtf8(format) })
                      .code,
                  0)
            << format;
    ASSERT_EQ(
        run({ QStringLiteral("build"), testFile("domains.json"), QStringLiteral("-o"), dir.filePath("single") }).code,
        0);
    const Outcome aiken = run({ QStringLiteral("export"), dir.filePath("single"), QStringLiteral("1"),
                                QStringLiteral("--format"), QStringLiteral("aiken") });
    EXPECT_EQ(aiken.code, 0);
    EXPECT_TRUE(aiken.err.contains(QStringLiteral("Aiken holds no domains"))) << aiken.err.toStdString();
}

TEST(SampleExams, TheGiftSampleBuildsTheBytesOfItsJsonSource)
{
    QTemporaryDir dir;
    ASSERT_EQ(
        run({ QStringLiteral("build"), testFile("networking.json"), QStringLiteral("-o"), dir.filePath("json") }).code,
        0);
    const Outcome gift = run({ QStringLiteral("build"), QStringLiteral(SAMPLE_EXAMS "/networking.gift"),
                               QStringLiteral("-o"), dir.filePath("gift") });
    ASSERT_EQ(gift.code, 0) << gift.err.toStdString();
    for (const char* file : { "/index.dat", "/networking.dat", "/networking.dat.domains" }) {
        const QByteArray json = readFile(dir.filePath("json") + QString::fromUtf8(file));
        EXPECT_FALSE(json.isEmpty());
        EXPECT_EQ(readFile(dir.filePath("gift") + QString::fromUtf8(file)), json) << file;
    }
}

} // namespace
