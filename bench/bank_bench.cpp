// The bank tool's limits before work: a JSON source of 32,767 exams read and built, and a source
// of 10^6 questions refused, each run as a user runs the tool, in a process of its own whose peak
// memory is counted beside its time.
#include "tools/bank/banksource.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <functional>
#include <vector>

extern char** environ;

namespace {

const QByteArray Question = R"({"question":"Which of these are even?","options":["one","two","three","four"],)"
                            R"("correct":[2,4],"explanation":"Two and four divide by two."})";

const QTemporaryDir& folder()
{
    static const QTemporaryDir dir;
    return dir;
}

QString writeOnce(const QString& name, const std::function<void(QFile&)>& fill)
{
    const QString path = folder().filePath(name);
    if (!QFile::exists(path)) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        fill(file);
    }
    return path;
}

QString manyExams()
{
    return writeOnce(QStringLiteral("exams.json"), [](QFile& file) {
        file.write("{\"exams\": [");
        for (int e = 1; e <= 32767; ++e)
            file.write(QStringLiteral("%1{\"name\":\"Exam %2\",\"bank\":\"exam%2.dat\",\"questions\":[")
                           .arg(e > 1 ? QStringLiteral(",") : QString())
                           .arg(e)
                           .toUtf8()
                       + Question + "]}");
        file.write("]}");
    });
}

QString millionQuestions()
{
    return writeOnce(QStringLiteral("questions.json"), [](QFile& file) {
        file.write(R"({"exams": [{"name":"Big","bank":"big.dat","questions":[)");
        for (int q = 0; q < 1000000; ++q)
            file.write(q > 0 ? "," + Question : Question);
        file.write("]}]}");
    });
}

struct ChildRun
{
    int status = -1;
    long peakKilobytes = 0;
};

// The tool in a process of its own, its output dropped; its peak memory from the system.
ChildRun runTool(const QStringList& arguments)
{
    std::vector<QByteArray> words{ QByteArray(QUIZMARK_BANK_TOOL) };
    for (const QString& argument : arguments)
        words.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    ChildRun run;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        rusage usage{};
        int status = 0;
        ::wait4(child, &status, 0, &usage);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.peakKilobytes = usage.ru_maxrss;
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

void readManyExams(benchmark::State& state)
{
    const QString source = manyExams();
    for (auto _ : state) {
        quizmark::BankSource reader;
        if (!reader.read(source) || reader.exams().size() != 32767)
            state.SkipWithError("the source was not read whole");
    }
}
BENCHMARK(readManyExams)->Unit(benchmark::kMillisecond);

void buildManyExams(benchmark::State& state)
{
    const QString source = manyExams();
    int round = 0;
    long peak = 0;
    for (auto _ : state) {
        const QString out = folder().filePath(QStringLiteral("built%1").arg(++round));
        const ChildRun run = runTool({ QStringLiteral("build"), source, QStringLiteral("-o"), out });
        if (run.status != 0)
            state.SkipWithError("build failed");
        peak = std::max(peak, run.peakKilobytes);
        state.PauseTiming();
        QDir(out).removeRecursively();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = double(peak) / 1024;
}
BENCHMARK(buildManyExams)->Unit(benchmark::kMillisecond)->UseRealTime();

void refuseMillionQuestions(benchmark::State& state)
{
    const QString source = millionQuestions();
    long peak = 0;
    for (auto _ : state) {
        const ChildRun run = runTool(
            { QStringLiteral("build"), source, QStringLiteral("-o"), folder().filePath(QStringLiteral("no")) });
        if (run.status != 1)
            state.SkipWithError("the source was not refused");
        peak = std::max(peak, run.peakKilobytes);
    }
    state.counters["peak_MB"] = double(peak) / 1024;
    state.counters["source_MB"] = double(QFile(source).size()) / (1024 * 1024);
}
BENCHMARK(refuseMillionQuestions)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
