#include "bankfiles.h"

#include "attemptjournal.h"

using namespace banktest;

namespace {

QJsonObject dumped(const Outcome& outcome)
{
    return QJsonDocument::fromJson(outcome.out.toUtf8()).object();
}

TEST(Dump, ShowsTheStoredFieldsWithoutTrailingBlanks)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("index.dat")),
              catalogueRecord(QStringLiteral("  Indented"), QStringLiteral("bank.dat"), 99) + QByteArray(100, 'z'));
    writeFile(dir.filePath(QStringLiteral("bank.dat")),
              questionRecord({ 4, 2, 0, 0 }, QStringLiteral("Caf\u00e9?   ")) + questionRecord({ 0, 3, 0, 0 })
                  + questionRecord({ 0, 0, 0, 0 }) + questionRecord({ 1, 0, -1, 0 }));
    const Outcome outcome = run({ QStringLiteral("dump"), dir.path() });
    ASSERT_EQ(outcome.code, 0) << outcome.err.toStdString();

    const QJsonArray exams = dumped(outcome).value(u"exams").toArray();
    ASSERT_EQ(exams.size(), 1) << "a fragment below half a record is no exam";
    const QJsonObject exam = exams[0].toObject();
    EXPECT_EQ(exam.value(u"name").toString(), QStringLiteral("  Indented"));
    EXPECT_EQ(exam.value(u"bank").toString(), QStringLiteral("bank.dat"));
    EXPECT_EQ(exam.value(u"description").toString(), QStringLiteral("About   Indented"));
    EXPECT_EQ(exam.value(u"questionTotal").toInt(), 99) << "the stored figure, not the records";
    const QJsonArray questions = exam.value(u"questions").toArray();
    ASSERT_EQ(questions.size(), 4);
    EXPECT_EQ(questions[0].toObject().value(u"question").toString(), QStringLiteral("Caf\u00e9?"));
    EXPECT_EQ(questions[0].toObject().value(u"options").toArray(),
              QJsonArray({ QStringLiteral("Option 1"), QStringLiteral("Option 2"), QStringLiteral("Option 3"),
                           QStringLiteral("Option 4") }));
    EXPECT_EQ(questions[0].toObject().value(u"explanation").toString(), QStringLiteral("Because."));
    EXPECT_EQ(questions[0].toObject().value(u"correct").toArray(), QJsonArray({ 4, 2 }));
    EXPECT_EQ(questions[1].toObject().value(u"correct").toArray(), QJsonArray({ 0, 3 }));
    EXPECT_EQ(questions[2].toObject().value(u"correct").toArray(), QJsonArray());
    EXPECT_EQ(questions[3].toObject().value(u"correct").toArray(), QJsonArray({ 1, 0, -1 }));
}

TEST(Dump, LeavesOutBanksItCannotReadAndSaysSo)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("index.dat")),
              catalogueRecord(QStringLiteral("Gone"), QStringLiteral("gone.dat"), 1)
                  + catalogueRecord(QStringLiteral("Out"), QStringLiteral("../out.dat"), 1));
    writeFile(dir.filePath(QStringLiteral("../out.dat")), questionRecord({ 1, 0, 0, 0 }));
    const Outcome outcome = run({ QStringLiteral("dump"), dir.path() });
    EXPECT_EQ(outcome.code, 1);
    const QJsonArray exams = dumped(outcome).value(u"exams").toArray();
    ASSERT_EQ(exams.size(), 2);
    EXPECT_TRUE(exams[0].toObject().value(u"questions").toArray().isEmpty());
    EXPECT_TRUE(exams[1].toObject().value(u"questions").toArray().isEmpty()) << "read outside the data directory";
    EXPECT_TRUE(outcome.err.contains(QStringLiteral("exam 1 \"Gone\": bank file"))) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains(QStringLiteral("exam 2 \"Out\": bank name \"../out.dat\"")));

    const Outcome nothing = run({ QStringLiteral("dump"), dir.filePath(QStringLiteral("none")) });
    EXPECT_EQ(nothing.code, 2);
    EXPECT_TRUE(nothing.out.isEmpty());
}

TEST(Dump, BuildingTheDumpGivesTheSameBytes)
{
    QTemporaryDir dir;
    QJsonObject first = exam(QStringLiteral("Caf\u00e9 \u20ac tests"), QStringLiteral("first.dat"), 3);
    first.insert(QStringLiteral("questionTotal"), 2);
    QJsonObject second = exam(QString(25, u'x'), QStringLiteral(" lead.dat"), 1);
    second.insert(QStringLiteral("description"), QString(200, u'd'));
    const QString source = writeSource(dir, QStringLiteral("s.json"),
                                       { first, second, exam(QStringLiteral("Single"), QStringLiteral("e.dat"), 1) });
    const QString original = dir.filePath(QStringLiteral("original"));
    ASSERT_EQ(run({ QStringLiteral("build"), source, QStringLiteral("-o"), original }).code, 0);

    const Outcome dump = run({ QStringLiteral("dump"), original });
    ASSERT_EQ(dump.code, 0);
    writeFile(dir.filePath(QStringLiteral("dump.json")), dump.out.toUtf8());
    const QString rebuilt = dir.filePath(QStringLiteral("rebuilt"));
    const Outcome build
        = run({ QStringLiteral("build"), dir.filePath(QStringLiteral("dump.json")), QStringLiteral("-o"), rebuilt });
    ASSERT_EQ(build.code, 0) << build.err.toStdString();

    const QStringList files = QDir(original).entryList(QDir::Files);
    EXPECT_EQ(files, QDir(rebuilt).entryList(QDir::Files));
    for (const QString& file : files)
        EXPECT_EQ(readFile(original + u'/' + file), readFile(rebuilt + u'/' + file)) << file.toStdString();
}

TEST(History, ListsEveryAttemptWithItsExamAndPassMark)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("index.dat")),
              catalogueRecord(QStringLiteral("Networking"), QStringLiteral("n.dat"), 1)
                  + catalogueRecord(QStringLiteral("Linux"), QStringLiteral("l.dat"), 1));
    writeFile(dir.filePath(QStringLiteral("results.dat")),
              QByteArray("\x01\x00\x0a\x00\x08\x00\xff\xff"
                         "\x02\x00\x03\x00\x02\x00\x00\x00"
                         "\x02\x00\x19\x00\x12\x00\xff\xff"
                         "\x07\x00\x01\x00\x00\x00\x00\x00",
                         32));
    const Outcome outcome = run({ QStringLiteral("history"), dir.path() });
    EXPECT_EQ(outcome.code, 0);
    EXPECT_EQ(outcome.out,
              QStringLiteral("1\t1\tNetworking\t10\t8\t7\tPass\n"
                             "2\t2\tLinux\t3\t2\t2.1\tFail\n"
                             "3\t2\tLinux\t25\t18\t17.5\tPass\n"
                             "4\t7\t\t1\t0\t0.7\tFail\n"));
}

TEST(History, ListsTheJournalsFinishedAttemptsAfterTheScoreRecords)
{
    using namespace quizmark;
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("index.dat")),
              catalogueRecord(QStringLiteral("Networking"), QStringLiteral("n.dat"), 1));
    writeFile(dir.filePath(QStringLiteral("results.dat")), QByteArray("\x01\x00\x0a\x00\x08\x00\xff\xff", 8));
    {
        AttemptJournal journal(dir.filePath(QStringLiteral("journal.db")));
        AttemptStart start;
        start.examNumber = 1;
        start.started = QDateTime(QDate(2026, 12, 9), QTime(14, 0), Qt::UTC);
        start.examSeconds = 60;
        start.questions.push_back({ 4, QByteArray(2030, ' '), {}, false, false, false, {} });
        AttemptEnd end;
        end.score = 8;
        end.maximumScore = 10;
        end.passed = true;
        end.ended = QDateTime(QDate(2026, 12, 9), QTime(14, 1), Qt::UTC);
        end.scoreRecord = 1;
        ASSERT_TRUE(journal.finish(journal.begin(start), end));
        start.kind = AttemptKind::PracticeRetry;
        end.score = 1;
        end.passed = false;
        end.scoreRecord = 0;
        ASSERT_TRUE(journal.finish(journal.begin(start), end));
        start.kind = AttemptKind::WeakPractice;
        ASSERT_TRUE(journal.finish(journal.begin(start), end));
        start.kind = AttemptKind::Exam;
        start.study = true;
        ASSERT_TRUE(journal.finish(journal.begin(start), end));
        // A running attempt is no past attempt.
        ASSERT_NE(journal.begin(start), 0);
    }
    const Outcome outcome = run({ QStringLiteral("history"), dir.path() });
    EXPECT_EQ(outcome.code, 0);
    EXPECT_EQ(outcome.out,
              QStringLiteral("1\t1\tNetworking\t10\t8\t7\tPass\n"
                             "journal:1\t1\tNetworking\t10\t8\t7\tPass\t2026-12-09T14:01:00Z\tExam\t1\n"
                             "journal:2\t1\tNetworking\t10\t1\t7\tFail\t2026-12-09T14:01:00Z\tPractice\t-\n"
                             "journal:3\t1\tNetworking\t10\t1\t7\tFail\t2026-12-09T14:01:00Z\tWeak practice\t-\n"
                             "journal:4\t1\tNetworking\t10\t1\t7\tFail\t2026-12-09T14:01:00Z\tStudy\t-\n"));
}

TEST(History, CountsADamagedFileAsTheProgramDoes)
{
    QTemporaryDir dir;
    // 12 bytes count as 1.5 records, rounded to 2: the second is read from the 4 bytes there.
    writeFile(dir.filePath(QStringLiteral("results.dat")),
              QByteArray("\x01\x00\x0a\x00\x0a\x00\xff\xff\x02\x00\x04\x00", 12));
    EXPECT_EQ(run({ QStringLiteral("history"), dir.path() }).out,
              QStringLiteral("1\t1\t\t10\t10\t7\tPass\n2\t2\t\t4\t0\t2.8\tFail\n"));
    // 20 bytes are 2.5 records, rounded to the even 2.
    writeFile(dir.filePath(QStringLiteral("results.dat")), QByteArray(20, '\0'));
    EXPECT_EQ(run({ QStringLiteral("history"), dir.path() }).out.count(u'\n'), 2);

    QFile::remove(dir.filePath(QStringLiteral("results.dat")));
    const Outcome none = run({ QStringLiteral("history"), dir.path() });
    EXPECT_EQ(none.code, 0);
    EXPECT_TRUE(none.out.isEmpty() && none.err.isEmpty());
    EXPECT_EQ(run({ QStringLiteral("history"), dir.filePath(QStringLiteral("none")) }).code, 2);
}

TEST(CommandLine, AnswersHelpAndRefusesMisuse)
{
    const Outcome tool = run({ QStringLiteral("--help") });
    EXPECT_EQ(tool.code, 0);
    for (const char* command : { "build", "dump", "check", "history" }) {
        EXPECT_TRUE(tool.out.contains(QStringLiteral("  %1 ").arg(QString::fromUtf8(command)))) << command;
        const Outcome help = run({ QString::fromUtf8(command), QStringLiteral("--help") });
        EXPECT_EQ(help.code, 0) << command;
        EXPECT_TRUE(
            help.out.startsWith(QStringLiteral("Usage: quizmark-bank [options] %1").arg(QString::fromUtf8(command))))
            << help.out.toStdString();
        EXPECT_TRUE(help.err.isEmpty());
    }
    EXPECT_EQ(run({}).code, 2);
    EXPECT_EQ(run({ QStringLiteral("frobnicate") }).code, 2);
    EXPECT_EQ(run({ QStringLiteral("check") }).code, 2);
    EXPECT_EQ(run({ QStringLiteral("check"), QStringLiteral("a"), QStringLiteral("b") }).code, 2);
    EXPECT_EQ(run({ QStringLiteral("dump"), QStringLiteral("--bogus"), QStringLiteral("a") }).code, 2);
    const Outcome noOutput = run({ QStringLiteral("build"), QStringLiteral("a.json") });
    EXPECT_EQ(noOutput.code, 2);
    EXPECT_TRUE(noOutput.err.startsWith(QStringLiteral("build needs -o DIR.")));
    EXPECT_EQ(run({ QStringLiteral("build"), QStringLiteral("-o"), QStringLiteral("x") }).code, 2);
}

} // namespace
