#include "attemptjournal.h"
#include "attemptstate.h"
#include "questionstatistics.h"
#include "weakdraw.h"

#include "data/questionrecord.h"
#include "platform/randomsource.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace quizmark;

namespace {

const QDateTime Day0 = QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC);

// A fixed sequence, so the order of equal questions is the same on every run.
class SteppingRandom : public platform::RandomSource
{
public:
    void Randomize() override { }
    result_type next() override
    {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state;
    }

private:
    result_type m_state = 7;
};

QByteArray recordWithAnswer(std::int16_t correct, const QString& question = QStringLiteral("Which one?"))
{
    QuestionRecord record;
    record.Question = question.leftJustified(QuestionRecord::QuestionWidth);
    record.CorrectOptions = { correct, 0, 0, 0 };
    return record.toBytes();
}

TEST(QuestionStatistics, AnswersRightMoveUpABoxAndAMissSendsItBackToTheFirst)
{
    QuestionStatistics statistics;
    const quint64 print = QuestionStatistics::fingerprint(recordWithAnswer(1));
    EXPECT_EQ(statistics.find(4, print), nullptr);

    const int expectedDays[] = { 1, 2, 4, 8, 16, 16 };
    QDateTime when = Day0;
    for (int answer = 0; answer < 6; ++answer) {
        statistics.count(4, print, true, when);
        const QuestionStanding* standing = statistics.find(4, print);
        ASSERT_NE(standing, nullptr);
        EXPECT_EQ(standing->box, std::min(answer + 2, QuestionStatistics::TopBox)) << "answer " << answer;
        EXPECT_EQ(standing->due, when.addDays(expectedDays[answer])) << "answer " << answer;
        when = standing->due;
    }
    statistics.count(4, print, false, when);
    const QuestionStanding* standing = statistics.find(4, print);
    EXPECT_EQ(standing->box, 1);
    EXPECT_EQ(standing->due, when);
    EXPECT_EQ(standing->lastSeen, when);
    EXPECT_EQ(standing->seen, 7);
    EXPECT_EQ(standing->right, 6);
    // The same number with other bytes is another question.
    EXPECT_EQ(statistics.find(4, QuestionStatistics::fingerprint(recordWithAnswer(2))), nullptr);
    EXPECT_EQ(statistics.find(5, print), nullptr);
}

TEST(WeakDraw, AsksSeenAndDueThenNeverSeenThenTheRestByDueDate)
{
    // Records 1 to 8 of a bank, each with its own bytes.
    std::vector<quint64> prints;
    for (int n = 1; n <= 8; ++n)
        prints.push_back(QuestionStatistics::fingerprint(recordWithAnswer(1, QStringLiteral("Question %1").arg(n))));
    const auto print = [&prints](int record) { return prints[std::size_t(record - 1)]; };
    QuestionStatistics statistics;
    // 3: missed once, right once before: box 1, half right, due.
    statistics.count(3, print(3), true, Day0);
    statistics.count(3, print(3), false, Day0.addDays(1));
    // 6: missed only: box 1, never right, due.
    statistics.count(6, print(6), false, Day0.addDays(1));
    // 1: right, then right again two days later: box 3, due two days after that, not due yet.
    statistics.count(1, print(1), true, Day0);
    statistics.count(1, print(1), true, Day0.addDays(2));
    // 8: right once: box 2, due a day later, due by now.
    statistics.count(8, print(8), true, Day0);
    // 5: right once two days later: box 2, due a day after that, not due yet.
    statistics.count(5, print(5), true, Day0.addDays(2));
    // 2: seen under other bytes (an edited question): counts as never seen.
    statistics.count(2, QuestionStatistics::fingerprint("old bytes"), false, Day0);
    const QDateTime now = Day0.addDays(2).addSecs(3600);

    SteppingRandom random;
    const std::vector<std::int16_t> all = WeakDraw(random).draw(8, prints, statistics, now);
    ASSERT_EQ(all.size(), std::size_t(8));
    EXPECT_EQ(all[0], 6); // box 1, 0 % right
    EXPECT_EQ(all[1], 3); // box 1, 50 % right
    EXPECT_EQ(all[2], 8); // box 2, due
    // Never seen, in random order: 2, 4 and 7.
    EXPECT_EQ(std::set<std::int16_t>(all.begin() + 3, all.begin() + 6), (std::set<std::int16_t>{ 2, 4, 7 }));
    // Not due yet, soonest first: 5 (due on day 3) before 1 (due on day 4).
    EXPECT_EQ(all[6], 5);
    EXPECT_EQ(all[7], 1);

    // A shorter draw takes the head of the same order, and never more than the bank holds.
    EXPECT_EQ(WeakDraw(random).draw(2, prints, statistics, now), (std::vector<std::int16_t>{ 6, 3 }));
    EXPECT_EQ(WeakDraw(random).draw(20, prints, statistics, now).size(), std::size_t(8));
    EXPECT_TRUE(WeakDraw(random).draw(0, prints, statistics, now).empty());
}

class Statistics : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("journal.db")); }

    static AttemptStart startOf(const QString& bank, const std::vector<QByteArray>& records, QDateTime started,
                                AttemptKind kind = AttemptKind::Exam)
    {
        AttemptStart start;
        start.examNumber = 1;
        start.exam.BankFile = bank.leftJustified(CatalogueRecord::BankFileWidth);
        start.kind = kind;
        start.started = std::move(started);
        start.examSeconds = 600;
        for (std::size_t i = 0; i < records.size(); ++i) {
            AskedQuestion question;
            question.recordNumber = static_cast<std::int16_t>(i + 1);
            question.record = records[i];
            start.questions.push_back(question);
        }
        return start;
    }

    // Ticks option 1 of every position and finishes: a record whose answer is 1 is right.
    static void answerAndFinish(AttemptJournal& journal, qint64 id, const AttemptStart& start, QDateTime ended)
    {
        AttemptEnd end;
        end.ended = std::move(ended);
        for (std::size_t i = 0; i < start.questions.size(); ++i) {
            ASSERT_TRUE(journal.saveSelections(id, int(i + 1), { 1, 0, 0, 0 })) << journal.problem().toStdString();
            AskedQuestion asked = start.questions[i];
            asked.selection = { 1, 0, 0, 0 };
            end.fullyRight.push_back(asked.answeredFully());
        }
        ASSERT_TRUE(journal.finish(id, end)) << journal.problem().toStdString();
    }
};

TEST_F(Statistics, CountFinishedAttemptsOfTheBankPracticeIncludedAndAbandonedOnesNot)
{
    AttemptJournal journal(path());
    ASSERT_TRUE(journal.isUsable()) << journal.problem().toStdString();
    const std::vector<QByteArray> bank{ recordWithAnswer(1, QStringLiteral("A")),
                                        recordWithAnswer(2, QStringLiteral("B")) };

    const AttemptStart first = startOf("net.dat", bank, Day0);
    answerAndFinish(journal, journal.begin(first), first, Day0.addSecs(300));
    const AttemptStart retry = startOf("net.dat", bank, Day0.addDays(1), AttemptKind::PracticeRetry);
    answerAndFinish(journal, journal.begin(retry), retry, Day0.addDays(1));
    const AttemptStart other = startOf("other.dat", bank, Day0.addDays(1));
    answerAndFinish(journal, journal.begin(other), other, Day0.addDays(1));
    const qint64 abandoned = journal.begin(startOf("net.dat", bank, Day0.addDays(2)));
    ASSERT_TRUE(journal.saveSelections(abandoned, 2, { 2, 0, 0, 0 }));
    ASSERT_TRUE(journal.abandon(abandoned));
    journal.begin(startOf("net.dat", bank, Day0.addDays(3))); // still running

    const QuestionStatistics statistics = journal.statistics(QStringLiteral("net.dat"));
    const QuestionStanding* a = statistics.find(1, QuestionStatistics::fingerprint(bank[0]));
    const QuestionStanding* b = statistics.find(2, QuestionStatistics::fingerprint(bank[1]));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->seen, 2);
    EXPECT_EQ(a->right, 2);
    EXPECT_EQ(a->box, 3);
    EXPECT_EQ(a->lastSeen, Day0.addDays(1));
    EXPECT_EQ(b->seen, 2);
    EXPECT_EQ(b->right, 0);
    EXPECT_EQ(b->box, 1);
    EXPECT_EQ(statistics.size(), std::size_t(2));
}

TEST_F(Statistics, AQuestionChangedByARebuildStartsAfresh)
{
    AttemptJournal journal(path());
    const std::vector<QByteArray> before{ recordWithAnswer(2, QStringLiteral("Old wording")) };
    const AttemptStart old = startOf("net.dat", before, Day0);
    answerAndFinish(journal, journal.begin(old), old, Day0);

    const std::vector<QByteArray> rebuilt{ recordWithAnswer(1, QStringLiteral("New wording")) };
    const QuestionStatistics statistics = journal.statistics(QStringLiteral("net.dat"));
    EXPECT_EQ(statistics.find(1, QuestionStatistics::fingerprint(rebuilt[0])), nullptr);
    EXPECT_EQ(statistics.find(1, QuestionStatistics::fingerprint(before[0]))->seen, 1);

    const AttemptStart next = startOf("net.dat", rebuilt, Day0.addDays(1));
    answerAndFinish(journal, journal.begin(next), next, Day0.addDays(1));
    const QuestionStatistics after = journal.statistics(QStringLiteral("net.dat"));
    const QuestionStanding* fresh = after.find(1, QuestionStatistics::fingerprint(rebuilt[0]));
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->seen, 1);
    EXPECT_EQ(fresh->right, 1);
    EXPECT_EQ(fresh->box, 2);
}

// A journal kept by the first version of the program: its finished attempts count at once.
TEST_F(Statistics, AJournalOfTheFirstVersionIsUpgradedWithItsAttemptsCounted)
{
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("first"));
        database.setDatabaseName(path());
        ASSERT_TRUE(database.open());
        QSqlQuery query(database);
        for (const char* statement :
             { "CREATE TABLE attempt (id INTEGER PRIMARY KEY, exam_number INTEGER NOT NULL, exam BLOB NOT NULL,"
               " kind INTEGER NOT NULL, started INTEGER NOT NULL, exam_seconds INTEGER NOT NULL,"
               " status INTEGER NOT NULL, position INTEGER NOT NULL, seconds_left INTEGER NOT NULL,"
               " paused INTEGER NOT NULL DEFAULT 0, score INTEGER, maximum_score INTEGER, pass_mark REAL,"
               " passed INTEGER, ended INTEGER, seconds_used INTEGER, time_ran_out INTEGER, score_record INTEGER)",
               "CREATE TABLE asked (attempt INTEGER NOT NULL REFERENCES attempt(id), position INTEGER NOT NULL,"
               " record_number INTEGER NOT NULL, record BLOB NOT NULL, selection1 INTEGER NOT NULL DEFAULT 0,"
               " selection2 INTEGER NOT NULL DEFAULT 0, selection3 INTEGER NOT NULL DEFAULT 0,"
               " selection4 INTEGER NOT NULL DEFAULT 0, completed INTEGER NOT NULL DEFAULT 0,"
               " marked INTEGER NOT NULL DEFAULT 0, PRIMARY KEY (attempt, position)) WITHOUT ROWID",
               "CREATE INDEX attempt_by_exam ON attempt (exam_number, status)", "PRAGMA user_version = 1" })
            ASSERT_TRUE(query.exec(QString::fromLatin1(statement))) << statement;
        CatalogueRecord exam;
        exam.BankFile = QStringLiteral("net.dat").leftJustified(CatalogueRecord::BankFileWidth);
        // Attempt 1 finished with record 5 right and record 6 wrong; attempt 2 abandoned.
        for (int id : { 1, 2 }) {
            query.prepare(QStringLiteral("INSERT INTO attempt VALUES (?, 1, ?, 0, 0, 600, ?, 1, 0, 0, 1, 2, 1.4, 0,"
                                         " ?, 10, 0, 0)"));
            query.addBindValue(id);
            query.addBindValue(exam.toBytes());
            query.addBindValue(id == 1 ? 1 : 2);
            query.addBindValue(Day0.toMSecsSinceEpoch());
            ASSERT_TRUE(query.exec());
            for (int position : { 1, 2 }) {
                query.prepare(QStringLiteral("INSERT INTO asked VALUES (?, ?, ?, ?, 3, 0, 0, 0, 1, 0)"));
                query.addBindValue(id);
                query.addBindValue(position);
                query.addBindValue(position + 4);
                query.addBindValue(recordWithAnswer(position == 1 ? 3 : 1));
                ASSERT_TRUE(query.exec());
            }
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("first"));

    AttemptJournal journal(path());
    ASSERT_TRUE(journal.isUsable()) << journal.problem().toStdString();
    const QuestionStatistics statistics = journal.statistics(QStringLiteral("net.dat"));
    const QuestionStanding* right = statistics.find(5, QuestionStatistics::fingerprint(recordWithAnswer(3)));
    const QuestionStanding* wrong = statistics.find(6, QuestionStatistics::fingerprint(recordWithAnswer(1)));
    ASSERT_TRUE(right && wrong);
    EXPECT_EQ(right->seen, 1);
    EXPECT_EQ(right->right, 1);
    EXPECT_EQ(wrong->seen, 1);
    EXPECT_EQ(wrong->right, 0);
    // The upgraded journal takes new attempts.
    EXPECT_NE(journal.begin(startOf("net.dat", { recordWithAnswer(1) }, Day0.addDays(1))), 0);
}

TEST_F(Statistics, StudyAndWeakPracticeAttemptsKeepWhatTheyAre)
{
    AttemptJournal journal(path());
    AttemptStart start
        = startOf("net.dat", { recordWithAnswer(1), recordWithAnswer(2) }, Day0, AttemptKind::WeakPractice);
    start.study = true;
    start.questions[1].domain = QStringLiteral("Routing");
    const qint64 id = journal.begin(start);
    ASSERT_NE(id, 0);
    ASSERT_TRUE(journal.saveChecked(id, 2));
    const std::optional<JournaledAttempt> found = journal.attempt(id);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->kind, AttemptKind::WeakPractice);
    EXPECT_TRUE(found->study);
    EXPECT_FALSE(found->questions[0].checked);
    EXPECT_TRUE(found->questions[1].checked);
    EXPECT_EQ(found->questions[1].domain, "Routing");
    AttemptState state;
    found->restoreInto(state);
    EXPECT_TRUE(state.StudyMode);
    EXPECT_TRUE(state.WeakPractice);
    EXPECT_TRUE(state.Checked(2));
    EXPECT_EQ(state.AskedDomains.at(1), "Routing");
}

} // namespace
