// Learning from attempts: each question's statistics from the journal, and the weak-question draw
// over a bank of 1,000 questions.
#include "attemptjournal.h"
#include "questionstatistics.h"
#include "weakdraw.h"

#include "data/questionrecord.h"
#include "platform/randomsource.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

using namespace quizmark;

namespace {

constexpr int BankQuestions = 1000;
constexpr int Attempts = 1000;
// A certification exam's usual length: 60,000 questions asked in all.
constexpr int QuestionsPerAttempt = 60;
constexpr int WeakDrawQuestions = 60;
const QString BankFile = QStringLiteral("bank.dat");
const QDateTime FirstDay(QDate(2026, 1, 1), QTime(9, 0), Qt::UTC);

class FixedRandom : public platform::RandomSource
{
public:
    void Randomize() override { }
    result_type next() override { return m_engine(); }

private:
    std::mt19937 m_engine{ 29 };
};

std::vector<QByteArray> bankRecords()
{
    std::vector<QByteArray> records;
    for (int n = 1; n <= BankQuestions; ++n) {
        QuestionRecord record;
        record.Question = QStringLiteral("Question %1").arg(n).leftJustified(QuestionRecord::QuestionWidth);
        record.CorrectOptions = { std::int16_t(n % 4 + 1), 0, 0, 0 };
        records.push_back(record.toBytes());
    }
    return records;
}

// A year of attempts, a few a day, each asking 60 questions of the bank and getting most right.
void journalAttempts(AttemptJournal& journal, const std::vector<QByteArray>& records)
{
    std::mt19937 engine(7);
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        AttemptStart start;
        start.examNumber = 1;
        start.exam.BankFile = BankFile.leftJustified(CatalogueRecord::BankFileWidth);
        start.started = FirstDay.addSecs(qint64(attempt) * 8 * 3600);
        start.examSeconds = QuestionsPerAttempt * 60;
        AttemptEnd end;
        end.ended = start.started.addSecs(start.examSeconds);
        for (int position = 0; position < QuestionsPerAttempt; ++position) {
            const auto record = std::int16_t(engine() % BankQuestions + 1);
            start.questions.push_back({ record, records[std::size_t(record - 1)], {}, false, false, false, {} });
            end.fullyRight.push_back(engine() % 4 != 0);
        }
        journal.finish(journal.begin(start), end);
    }
}

void statisticsOfTheBank(benchmark::State& state)
{
    QTemporaryDir dir;
    AttemptJournal journal(dir.filePath(QStringLiteral("journal.db")));
    journalAttempts(journal, bankRecords());
    for (auto _ : state) {
        const QuestionStatistics statistics = journal.statistics(BankFile);
        if (statistics.size() == 0)
            state.SkipWithError("no statistics");
        benchmark::DoNotOptimize(statistics.size());
    }
}

// One more attempt begun and finished on top of that year: the cost its outcomes add at its end.
void attemptFinished(benchmark::State& state)
{
    QTemporaryDir dir;
    AttemptJournal journal(dir.filePath(QStringLiteral("journal.db")));
    const std::vector<QByteArray> records = bankRecords();
    journalAttempts(journal, records);
    AttemptStart start;
    start.examNumber = 1;
    start.exam.BankFile = BankFile.leftJustified(CatalogueRecord::BankFileWidth);
    start.examSeconds = QuestionsPerAttempt * 60;
    AttemptEnd end;
    for (int position = 0; position < QuestionsPerAttempt; ++position) {
        const auto record = std::int16_t(position * 7 % BankQuestions + 1);
        start.questions.push_back({ record, records[std::size_t(record - 1)], {}, false, false, false, {} });
        end.fullyRight.push_back(position % 3 != 0);
    }
    QDateTime when = FirstDay.addDays(400);
    for (auto _ : state) {
        state.PauseTiming();
        start.started = when;
        end.ended = when.addSecs(60);
        when = when.addSecs(3600);
        const qint64 id = journal.begin(start);
        state.ResumeTiming();
        if (!journal.finish(id, end))
            state.SkipWithError("the end was not kept");
    }
}

QuestionStatistics statisticsOf(const std::vector<quint64>& fingerprints)
{
    QuestionStatistics statistics;
    std::mt19937 engine(11);
    for (int attempt = 0; attempt < Attempts; ++attempt)
        for (int position = 0; position < QuestionsPerAttempt; ++position) {
            const auto record = std::int16_t(engine() % BankQuestions + 1);
            statistics.count(record, fingerprints[std::size_t(record - 1)], engine() % 4 != 0,
                             FirstDay.addSecs(qint64(attempt) * 8 * 3600));
        }
    return statistics;
}

// The bank's records fingerprinted as the exam screen reads them, then ordered and drawn.
void weakDraw(benchmark::State& state)
{
    QByteArray bank;
    for (const QByteArray& record : bankRecords())
        bank += record;
    std::vector<quint64> fingerprints;
    for (int n = 0; n < BankQuestions; ++n)
        fingerprints.push_back(QuestionStatistics::fingerprint(
            QByteArrayView(bank).sliced(qsizetype(n) * QuestionRecord::Length, QuestionRecord::Length)));
    const QuestionStatistics statistics = statisticsOf(fingerprints);
    const QDateTime now = FirstDay.addDays(340);
    FixedRandom random;
    for (auto _ : state) {
        std::vector<quint64> prints;
        prints.reserve(BankQuestions);
        for (qsizetype offset = 0; offset < bank.size(); offset += QuestionRecord::Length)
            prints.push_back(
                QuestionStatistics::fingerprint(QByteArrayView(bank).sliced(offset, QuestionRecord::Length)));
        const std::vector<std::int16_t> drawn = WeakDraw(random).draw(WeakDrawQuestions, prints, statistics, now);
        benchmark::DoNotOptimize(drawn.data());
    }
}

} // namespace

BENCHMARK(statisticsOfTheBank)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(attemptFinished)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(weakDraw)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
