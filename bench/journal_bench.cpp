// The attempt journal: one change as the exam screen makes it, beside a plain SQLite insert, and
// the score history's list of 10,000 past attempts.
#include "attemptjournal.h"
#include "screens/history.h"

#include <QApplication>
#include <QListWidget>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimeZone>

#include <benchmark/benchmark.h>

using namespace quizmark;

namespace {

constexpr int Questions = 10;
constexpr int PastAttempts = 10000;

AttemptStart attemptOf(int questions)
{
    AttemptStart start;
    start.examNumber = 1;
    start.started = QDateTime::currentDateTimeUtc();
    start.examSeconds = questions * 60;
    for (int n = 1; n <= questions; ++n)
        start.questions.push_back({ std::int16_t(n), QByteArray(2030, ' '), {}, false, false, false, {} });
    return start;
}

void journaledChange(benchmark::State& state)
{
    QTemporaryDir dir;
    AttemptJournal journal(dir.filePath(QStringLiteral("journal.db")));
    const qint64 id = journal.begin(attemptOf(Questions));
    int change = 0;
    for (auto _ : state) {
        ++change;
        const auto option = std::int16_t(change % 4 + 1);
        // Each change differs from what the row held: the same value again could cost less.
        if (!journal.saveSelections(id, change % Questions + 1, { option, std::int16_t(change % 3), 0, 0 }))
            state.SkipWithError("the change was not kept");
    }
}

// The floor: one row inserted through the same driver and settings, nothing else.
void plainSqliteInsert(benchmark::State& state)
{
    QTemporaryDir dir;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("plain"));
        database.setDatabaseName(dir.filePath(QStringLiteral("plain.db")));
        database.open();
        QSqlQuery query(database);
        query.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        query.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
        query.exec(QStringLiteral("CREATE TABLE t (a INTEGER, b INTEGER)"));
        query.prepare(QStringLiteral("INSERT INTO t VALUES (?, ?)"));
        int n = 0;
        for (auto _ : state) {
            query.addBindValue(++n);
            query.addBindValue(n);
            query.exec();
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("plain"));
}

void pastAttemptsListed(benchmark::State& state)
{
    QTemporaryDir dir;
    AttemptJournal journal(dir.filePath(QStringLiteral("journal.db")));
    AttemptEnd end;
    end.maximumScore = 10;
    for (int n = 0; n < PastAttempts; ++n) {
        end.score = std::int16_t(n % 11);
        end.passed = end.score >= 7;
        end.ended = QDateTime::currentDateTimeUtc();
        journal.finish(journal.begin(attemptOf(1)), end);
    }
    for (auto _ : state) {
        QListWidget list;
        list.setUniformItemSizes(true);
        QStringList lines;
        const QTimeZone zone = QTimeZone::systemTimeZone();
        for (const PastAttempt& attempt : journal.finishedAttempts(1))
            lines.append(history::pastAttemptLine(attempt, zone));
        list.addItems(lines);
        benchmark::DoNotOptimize(list.count());
    }
}

}

BENCHMARK(journaledChange)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(plainSqliteInsert)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(pastAttemptsListed)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
