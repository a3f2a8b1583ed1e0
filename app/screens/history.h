#pragma once

#include "attemptstate.h"
#include "journaledattempt.h"

#include "chart/plotvanecontrol.h"
#include "chart/propertybag.h"

#include <QDateTime>
#include <QWidget>

#include <memory>

class QListWidgetItem;
class QTimeZone;

namespace Ui {
class history;
}

namespace platform {
class Dispatch;
class RecordFile;
class SafeArray;
} // namespace platform

namespace quizmark {

struct ScoreRecord;

// A past attempt that the score history hands to the answer review.
struct PastReview
{
    AttemptState attempt;
    QDateTime ended;
};

class ChartLoader;
class ScreenHost;

// The score history: a line chart of every attempt at the exam just taken, with its pass marks.
class history : public QWidget
{
    Q_OBJECT

public:
    history(ScreenHost& host, ChartLoader& charts, QWidget* parent = nullptr);
    ~history() override;

    // The properties the chart on this screen is stored with.
    static plotvane::PropertyBag savedChartProperties();
    // The table the chart draws: row 1 the scores, row 2 the pass marks, from a zero point.
    static std::shared_ptr<platform::SafeArray> readChartData(platform::RecordFile& scores, std::int16_t exam);
    // A table for that many attempts, its zero point set; without attempts it has two zero points.
    static std::shared_ptr<platform::SafeArray> newChartData(std::int16_t attempts);
    // The largest score or pass mark in the table, 0 when there is none.
    static double highestValue(const platform::SafeArray& data);
    // Sets the chart up for the table, member by member in a fixed order.
    static void configureChart(platform::Dispatch& chart, const std::shared_ptr<platform::SafeArray>& data,
                               std::int16_t tickInterval);
    // The table as a screen reader reads it: each attempt's score and passing score.
    static QString chartDescription(const platform::SafeArray& data);
    // "2026-12-09 14:03 · 7 of 10 points (70 %) · Pass", in local time; a practice retry ends
    // "· Practice".
    static QString pastAttemptLine(const PastAttempt& attempt, const QTimeZone& zone);
    // "Earlier attempt · 7 of 10 points (70 %) · Pass", for a score record the journal does not hold.
    static QString earlierAttemptLine(const ScoreRecord& record);

    // The past attempt the answer review is to show; null while none is being opened.
    const PastReview* pastReview() const { return m_pastReview.get(); }
    // Shows this screen again as it was when "Question Statistics" took its place.
    void returnFromStatistics();

protected:
    // Closing the window frame returns to the results as the button does.
    void closeEvent(QCloseEvent* event) override;

private:
    bool placeChart(ChartLoader& charts);
    bool showScores();
    std::shared_ptr<platform::SafeArray> readScoreHistory();
    std::int16_t valueTickInterval(const platform::SafeArray& data) const;
    void Command1_Click();
    void returnToResults();
    void listPastAttempts();
    void openPastAttempt(QListWidgetItem* item);
    void openStatistics();

    std::unique_ptr<Ui::history> m_ui;
    ScreenHost& m_host;
    std::unique_ptr<plotvane::PlotvaneControl> Plotvane1;
    bool m_returned = false;
    std::unique_ptr<PastReview> m_pastReview;
};

} // namespace quizmark
