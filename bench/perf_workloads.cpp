// Runs one fixed workload once, for the regression gate to count its instructions:
//   perf_workloads examstart|scoring|history|chart
// The counted part is the one call into Workloads; the files and controls are set up before it.
#include "chartonimage.h"
#include "workloadfiles.h"
#include "workloads.h"

#include "screens/history.h"

#include "platform/automation/safearray.h"
#include "platform/diskrecordfilesystem.h"
#include "platform/recordfile.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

using quizmark_bench::ChartOnImage;
using quizmark_bench::WorkloadFiles;
using quizmark_bench::Workloads;

constexpr QSize HistoryChart(600, 420);
constexpr QSize BenchmarkChart(1000, 700);

int run(const char* name)
{
    platform::DiskRecordFileSystem disk;
    if (std::strcmp(name, "chart") == 0) {
        ChartOnImage chart(BenchmarkChart, 1);
        Workloads::setUpChart(chart.dispatch());
        const platform::Variant data(Workloads::chartTable());
        Workloads::chartRefresh(chart, data);
        return 0;
    }
    const WorkloadFiles files;
    if (std::strcmp(name, "history") == 0) {
        const plotvane::PropertyBag saved = quizmark::history::savedChartProperties();
        ChartOnImage chart(HistoryChart, 1, &saved);
        Workloads::historyLoad(disk, files.historyPath(), chart);
        return 0;
    }
    const auto bank = disk.open(files.bankPath(), 2030, platform::RecordAccess::ReadOnly);
    if (std::strcmp(name, "examstart") == 0)
        return Workloads::examStart(*bank, files.attempt()) > 0 ? 0 : 1;
    if (std::strcmp(name, "scoring") == 0)
        return Workloads::scoring(*bank, files.attempt()).score() > 0 ? 0 : 1;
    std::fprintf(stderr, "perf_workloads: unknown workload %s\n", name);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: perf_workloads examstart|scoring|history|chart\n");
        return 2;
    }
    return run(argv[1]);
}
