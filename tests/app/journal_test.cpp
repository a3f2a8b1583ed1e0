#include "journalchanges.h"

#include "attemptjournal.h"
#include "attemptstate.h"
#include "data/questionrecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <map>
#include <optional>

using namespace quizmark;

namespace {

QString childProgram()
{
    return QDir(QStringLiteral(QUIZMARK_TEST_BIN_DIR)).filePath(QStringLiteral("journalchild"));
}

struct ChildOutput {
    std::optional<qint64> begun;
    long lastChange = 0;
};

ChildOutput parse(const QByteArray& output)
{
    ChildOutput parsed;
    for (const QByteArray& line : output.split('\n')) {
        if (line.startsWith("begun "))
            parsed.begun = line.mid(6).toLongLong();
        else if (!line.isEmpty())
            parsed.lastChange = line.toLong();
    }
    return parsed;
}

class Journal : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("journal.db")); }
};

TEST_F(Journal, KeepsAnAttemptAsItWasAskedAndChanged)
{
    AttemptJournal journal(path());
    ASSERT_TRUE(journal.isUsable()) << journal.problem().toStdString();
    const qint64 id = journal.begin(JournalChanges::start());
    ASSERT_NE(id, 0);
    EXPECT_TRUE(JournalChanges::apply(journal, id, 4));
    EXPECT_TRUE(JournalChanges::apply(journal, id, 5));
    EXPECT_TRUE(journal.saveCompleted(id, { true, false, true }));
    EXPECT_TRUE(journal.savePosition(id, 4));
    EXPECT_TRUE(journal.saveClock(id, 123, true));

    const std::optional<JournaledAttempt> found = journal.attempt(id);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->status, AttemptStatus::Running);
    EXPECT_EQ(found->examSeconds, JournalChanges::ExamSeconds);
    EXPECT_EQ(found->started, QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC));
    ASSERT_EQ(found->questions.size(), std::size_t(JournalChanges::Questions));
    EXPECT_EQ(found->questions[2].recordNumber, 9);
    EXPECT_EQ(found->questions[2].record, QByteArray(2030, 'd'));
    EXPECT_EQ(found->questions[4].selection, (Selection { 1, 1, 0, 0 }));
    EXPECT_TRUE(found->questions[0].marked);
    EXPECT_TRUE(found->questions[0].completed);
    EXPECT_FALSE(found->questions[1].completed);
    EXPECT_TRUE(found->questions[2].completed);
    EXPECT_EQ(found->position, 4);
    EXPECT_EQ(found->secondsLeft, 123);
    EXPECT_TRUE(found->paused);

    AttemptEnd end;
    end.score = 3;
    end.maximumScore = 5;
    end.passMark = 3.5f;
    end.ended = QDateTime::fromSecsSinceEpoch(1'800'000'600, Qt::UTC);
    end.scoreRecord = 7;
    ASSERT_TRUE(journal.finish(id, end));
    // A finished attempt takes no further change and is never offered.
    EXPECT_TRUE(journal.savePosition(id, 1));
    EXPECT_EQ(journal.attempt(id)->position, 4);
    EXPECT_TRUE(journal.claimUnheldRunning().empty());
    const std::vector<PastAttempt> past = journal.finishedAttempts(1);
    ASSERT_EQ(past.size(), std::size_t(1));
    EXPECT_EQ(past[0].end.score, 3);
    EXPECT_EQ(journal.allFinishedAttempts().at(0).end.secondsUsed, JournalChanges::ExamSeconds - 123);
    EXPECT_EQ(past[0].end.scoreRecord, 7);
    EXPECT_EQ(past[0].ended, end.ended);
    EXPECT_TRUE(journal.finishedAttempts(2).empty());
}

TEST_F(Journal, AnAttemptRestoresIntoTheStateTheExamScreenLeft)
{
    AttemptJournal journal(path());
    const qint64 id = journal.begin(JournalChanges::start());
    ASSERT_TRUE(JournalChanges::apply(journal, id, 8));
    AttemptState state;
    state.Selections(5, 1) = 4; // a position the attempt does not reach is left alone
    journal.attempt(id)->restoreInto(state);
    EXPECT_EQ(state.QuestionsToTake, JournalChanges::Questions);
    EXPECT_EQ(state.ExamMinutes, 5);
    EXPECT_EQ(state.QuestionOrder(3), 9);
    EXPECT_EQ(state.AskedRecords.size(), std::size_t(JournalChanges::Questions));
    EXPECT_EQ(state.Selections(4, 1), 1);
    EXPECT_EQ(state.Selections(4, 2), 2);
    EXPECT_EQ(state.JournalId, id);
    EXPECT_EQ(state.CurrentQuestion, 1);
}

TEST_F(Journal, ADamagedJournalIsMovedAsideEveryTimeAndNeverOverwritten)
{
    for (const char* suffix : { ".damaged", ".damaged-2" }) {
        QFile damaged(path());
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("SQLite format 3\0 this is no database page at all", 48);
        damaged.write(QByteArray(4000, '\x7f'));
        damaged.close();
        AttemptJournal journal(path());
        EXPECT_TRUE(journal.isUsable()) << journal.problem().toStdString();
        EXPECT_EQ(journal.movedAside(), path() + QLatin1String(suffix));
        EXPECT_EQ(QFileInfo(path() + QLatin1String(suffix)).size(), 4048);
        EXPECT_NE(journal.begin(JournalChanges::start()), 0);
    }
}

TEST_F(Journal, AJournalThatCannotBeOpenedSaysWhyOnce)
{
    AttemptJournal missing(dir.filePath(QStringLiteral("no-such-folder/journal.db")));
    EXPECT_FALSE(missing.isUsable());
    EXPECT_EQ(missing.begin(JournalChanges::start()), 0);
    const QString reason = missing.takeProblemToTell();
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(reason.endsWith(u'.'));
    EXPECT_TRUE(missing.takeProblemToTell().isEmpty());
    EXPECT_TRUE(missing.movedAside().isEmpty());
}

TEST_F(Journal, ALinkLeadingOutOfTheDataFolderIsRefused)
{
    QTemporaryDir elsewhere;
    const QString outside = elsewhere.filePath(QStringLiteral("theirs.db"));
    {
        QFile theirs(outside);
        ASSERT_TRUE(theirs.open(QIODevice::WriteOnly));
        theirs.write("not ours");
    }
    ASSERT_TRUE(QFile::link(outside, path()));
    AttemptJournal journal(path());
    EXPECT_FALSE(journal.isUsable());
    QFile theirs(outside);
    ASSERT_TRUE(theirs.open(QIODevice::ReadOnly));
    EXPECT_EQ(theirs.readAll(), QByteArray("not ours"));
}

TEST_F(Journal, ALaterSchemaIsNotWrittenTo)
{
    {
        AttemptJournal journal(path());
        ASSERT_TRUE(journal.isUsable());
    }
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("later"));
        database.setDatabaseName(path());
        ASSERT_TRUE(database.open());
        QSqlQuery(QStringLiteral("PRAGMA user_version = 99"), database);
        database.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("later"));
    AttemptJournal journal(path());
    EXPECT_FALSE(journal.isUsable());
    EXPECT_TRUE(journal.movedAside().isEmpty());
}

// Another instance of the program holds its running attempt: this one never offers it, and takes
// it over only once that process has gone.
TEST_F(Journal, TwoInstancesNeverOfferEachOthersRunningAttempt)
{
    QProcess other;
    other.start(childProgram(), { path(), QStringLiteral("hold") });
    ASSERT_TRUE(other.waitForStarted());
    ASSERT_TRUE(other.waitForReadyRead(20000));
    const ChildOutput held = parse(other.readAllStandardOutput());
    ASSERT_TRUE(held.begun);
    {
        AttemptJournal journal(path());
        EXPECT_TRUE(journal.claimUnheldRunning().empty());
        AttemptJournal second(path());
        const qint64 own = second.begin(JournalChanges::start());
        ASSERT_NE(own, 0);
        // Claimed by the instance that began it, within one process as between two.
        EXPECT_TRUE(journal.claimUnheldRunning().empty());
    }
    other.kill();
    other.waitForFinished();
    AttemptJournal after(path());
    const std::vector<qint64> claimed = after.claimUnheldRunning();
    ASSERT_EQ(claimed.size(), std::size_t(2));
    EXPECT_EQ(claimed.back(), *held.begun);
}

// A program killed at any moment leaves the journal as of its last committed change: never a torn
// attempt, never a change half made, and nothing earlier lost.
TEST_F(Journal, AKillAtAnyMomentLeavesTheLastCommittedState)
{
    constexpr int Kills = 200;
    QRandomGenerator random(20261209);
    std::map<qint64, JournalChanges::State> verified;
    int killedMidway = 0;
    for (int round = 0; round < Kills; ++round) {
        QProcess child;
        child.start(childProgram(), { path(), QStringLiteral("churn") });
        ASSERT_TRUE(child.waitForStarted());
        // Sometimes before the attempt is begun, mostly while it changes.
        if (random.bounded(4) == 0)
            QThread::usleep(random.bounded(20000u));
        else if (child.waitForReadyRead(20000))
            QThread::usleep(random.bounded(30000u));
        child.kill();
        child.waitForFinished();
        const ChildOutput output = parse(child.readAllStandardOutput());

        AttemptJournal journal(path());
        ASSERT_TRUE(journal.isUsable()) << journal.problem().toStdString();
        for (const auto& [id, state] : verified)
            ASSERT_EQ(JournalChanges::of(*journal.attempt(id)), state) << "attempt " << id << " changed";
        if (!output.begun)
            continue;
        const std::optional<JournaledAttempt> found = journal.attempt(*output.begun);
        ASSERT_TRUE(found);
        ASSERT_EQ(found->questions.size(), std::size_t(JournalChanges::Questions));
        for (const AskedQuestion& question : found->questions)
            ASSERT_EQ(question.record.size(), 2030);
        const JournalChanges::State state = JournalChanges::of(*found);
        // The change in flight when the kill came may have committed without being told.
        const bool asPrinted = state == JournalChanges::after(output.lastChange);
        ASSERT_TRUE(asPrinted || state == JournalChanges::after(output.lastChange + 1))
            << "round " << round << ": a state of no whole number of changes after " << output.lastChange;
        killedMidway += output.lastChange > 0;
        verified[*output.begun] = state;
    }
    EXPECT_GT(killedMidway, Kills / 2);
}

} // namespace
