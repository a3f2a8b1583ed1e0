// The program's hot paths, each beside the plain work it is measured against in the same run:
// the exam start and the scoring of 1000 questions against plain reads of the same bytes, the
// score history's load with 32,767 records (a full history) against one plain read of the file, the history
// chart's Refresh against a bare painter drawing as many texts, and the results list of 1000
// lines with and without uniform item sizes.
#include "chartonimage.h"
#include "workloadfiles.h"
#include "workloads.h"

#include "attempt/attemptscore.h"
#include "screens/history.h"

#include "data/questionrecord.h"
#include "platform/automation/safearray.h"
#include "platform/diskrecordfilesystem.h"
#include "platform/recordfile.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QListWidget>

#include <fcntl.h>
#include <unistd.h>

namespace {

using quizmark_bench::ChartOnImage;
using quizmark_bench::WorkloadFiles;
using quizmark_bench::Workloads;

// The chart's place on the score history screen, in pixels.
constexpr QSize HistoryChart(600, 420);
// The history chart draws one value label per score from 0 to 2600, then title and legend.
constexpr int HistoryTexts = 2601 + 3;

const WorkloadFiles& files()
{
    static const WorkloadFiles written;
    return written;
}

class OpenFile
{
public:
    explicit OpenFile(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY))
    {
    }
    ~OpenFile() { ::close(m_fd); }
    int fd() const { return m_fd; }

private:
    int m_fd;
};

void examStart(benchmark::State& state)
{
    platform::DiskRecordFileSystem disk;
    const auto bank = disk.open(files().bankPath(), 2030, platform::RecordAccess::ReadOnly);
    for (auto _ : state)
        benchmark::DoNotOptimize(Workloads::examStart(*bank, files().attempt()));
}

void examStartPlainRead(benchmark::State& state)
{
    const OpenFile bank(files().bankPath());
    for (auto _ : state)
        benchmark::DoNotOptimize(Workloads::plainRead(bank.fd(), files().attempt(), true));
}

void scoring(benchmark::State& state)
{
    platform::DiskRecordFileSystem disk;
    const auto bank = disk.open(files().bankPath(), 2030, platform::RecordAccess::ReadOnly);
    for (auto _ : state)
        benchmark::DoNotOptimize(Workloads::scoring(*bank, files().attempt()).score());
}

void scoringPlainRead(benchmark::State& state)
{
    const OpenFile bank(files().bankPath());
    for (auto _ : state)
        benchmark::DoNotOptimize(Workloads::plainRead(bank.fd(), files().attempt(), false));
}

void historyLoad(benchmark::State& state)
{
    platform::DiskRecordFileSystem disk;
    const plotvane::PropertyBag saved = quizmark::history::savedChartProperties();
    for (auto _ : state) {
        state.PauseTiming();
        ChartOnImage chart(HistoryChart, 1, &saved);
        state.ResumeTiming();
        benchmark::DoNotOptimize(Workloads::historyLoad(disk, files().historyPath(), chart));
    }
}

void historyPlainRead(benchmark::State& state)
{
    const OpenFile history(files().historyPath());
    QByteArray bytes(WorkloadFiles::ScoreRecords * 8, Qt::Uninitialized);
    for (auto _ : state)
        benchmark::DoNotOptimize(Workloads::historyPlainRead(history.fd(), bytes.data(), bytes.size()));
}

void historyRefresh(benchmark::State& state)
{
    platform::DiskRecordFileSystem disk;
    const plotvane::PropertyBag saved = quizmark::history::savedChartProperties();
    ChartOnImage chart(HistoryChart, double(state.range(0)), &saved);
    Workloads::historyLoad(disk, files().historyPath(), chart);
    for (auto _ : state)
        Workloads::historyRefresh(chart);
}

void historyBareTexts(benchmark::State& state)
{
    const double ratio = double(state.range(0));
    QImage image(HistoryChart * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    for (auto _ : state)
        Workloads::bareTexts(image, HistoryTexts);
}

void resultsList(benchmark::State& state)
{
    const quizmark::AttemptScore score = quizmark::AttemptScore::of(files().attempt(), [](std::int16_t) {
        return quizmark::QuestionRecord::CorrectOptionList{ 1, 0, 0, 0 };
    });
    for (auto _ : state) {
        QListWidget list;
        list.setUniformItemSizes(state.range(0) != 0);
        list.resize(300, 300);
        list.addItems(score.lines());
        benchmark::DoNotOptimize(list.grab());
    }
}

} // namespace

BENCHMARK(examStart)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(examStartPlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(scoring)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(scoringPlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(historyLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(historyPlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(historyRefresh)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(historyBareTexts)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
// Argument 1: uniform item sizes, as the results screen has them; 0: each line measured.
BENCHMARK(resultsList)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
