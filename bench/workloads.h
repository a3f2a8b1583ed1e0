#pragma once

#include "attempt/attemptscore.h"

#include "platform/automation/variant.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>

namespace platform {
class Dispatch;
class RecordFile;
class RecordFileSystem;
class SafeArray;
} // namespace platform

namespace quizmark {
struct AttemptState;
}

namespace quizmark_bench {
class ChartOnImage;
}

namespace quizmark_bench {

// The measured steps, each with the plain work it is compared with. The benchmarks time them and
// the regression gate counts their instructions, so each is one function of this class.
class Workloads
{
public:
    // The exam start's reading: the correct options of every drawn question, and the first question.
    static std::int32_t examStart(platform::RecordFile& bank, const quizmark::AttemptState& attempt);
    // A plain read of the same bytes: each drawn question's correct options, then (for the exam
    // start) the first record whole.
    static std::int32_t plainRead(int bank, const quizmark::AttemptState& attempt, bool firstRecord);

    static quizmark::AttemptScore scoring(platform::RecordFile& bank, const quizmark::AttemptState& attempt);

    // The score history screen's load: open the history, read the chart's table, configure and
    // draw the chart twice, and take the picture to show, as the screen's first paint does.
    static std::shared_ptr<platform::SafeArray> historyLoad(platform::RecordFileSystem& files, const QString& path,
                                                            ChartOnImage& chart);
    // A plain read of the whole history file.
    static qint64 historyPlainRead(int history, char* into, qint64 length);

    // One Refresh of the history's chart, and the picture it gives.
    static void historyRefresh(ChartOnImage& chart);
    // A bare painter drawing as many numbers as the chart draws value labels.
    static void bareTexts(QImage& image, int count);

    // The chart benchmark: 16 series of 32,766 points, a line chart with point markers.
    static constexpr int ChartSeries = 16;
    static constexpr int ChartPoints = 32766;
    static double chartValue(int series, int point);
    static std::shared_ptr<platform::SafeArray> chartTable();
    static void setUpChart(platform::Dispatch& chart);
    // RegisterData and Refresh of the chart benchmark, and the picture they give.
    static void chartRefresh(ChartOnImage& chart, const platform::Variant& data);
};

} // namespace quizmark_bench
