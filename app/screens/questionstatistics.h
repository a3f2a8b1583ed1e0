#pragma once

#include "attemptshares.h"
#include "questionstatisticstable.h"

#include "data/bankdomains.h"

#include "chart/plotvanecontrol.h"

#include <QByteArray>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QTimeZone;

namespace Ui {
class questionstatistics;
}

namespace platform {
class Dispatch;
class SafeArray;
} // namespace platform

namespace quizmark {

class ChartLoader;
class ScreenHost;

// The question statistics of the exam the score history shows: each domain's share right, a row per
// question of the bank with what the journal holds of it, each question on its own with its options
// and explanation, and a chart of each exam attempt's share against the pass line. Opened from the
// score history, which it shows again when the candidate goes back.
class questionstatistics : public QWidget
{
    Q_OBJECT

public:
    questionstatistics(ScreenHost& host, ChartLoader& charts, QWidget* parent = nullptr);
    ~questionstatistics() override;

    // The chart's table: row 0 the attempts' dates, row 1 their shares in percent, row 2 the pass
    // line; a single attempt stands at both of two points, as a line needs two. Without attempts
    // the pass line alone is series 0.
    static std::shared_ptr<platform::SafeArray> chartData(const std::vector<AttemptShare>& shares,
                                                          const QTimeZone& zone);
    // Sets the chart up for the table, member by member, on a scale from 0 to 100.
    static void configureChart(platform::Dispatch& chart, const std::shared_ptr<platform::SafeArray>& data,
                               std::int16_t tickInterval, std::int16_t labelStep);
    // The shares as a screen reader reads them.
    static QString chartDescription(const std::vector<AttemptShare>& shares, const QTimeZone& zone);

protected:
    // Closing the window frame goes back to the score history as the button does.
    void closeEvent(QCloseEvent* event) override;
    // Escape goes back: from a question to the list, from the list to the score history.
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::optional<BankDomains> readBank();
    // Says why the screen cannot be shown, and marks it refused.
    void refuse(const QString& reason);
    QuestionStatistics readJournal();
    void fillDomains();
    void fillTable(std::int16_t currentNumber);
    void sortRows();
    void sortByColumn(int column);
    std::int16_t currentNumber() const;
    void showQuestion(int row);
    void backToList();
    bool placeChart(ChartLoader& charts);
    bool showChart();
    void backToHistory();
    void leave();

    std::unique_ptr<Ui::questionstatistics> m_ui;
    ScreenHost& m_host;
    // The bank's records as the file holds them, record 1 first.
    std::vector<QByteArray> m_records;
    std::optional<QuestionStatisticsTable> m_table;
    std::vector<AttemptShare> m_shares;
    std::unique_ptr<plotvane::PlotvaneControl> m_chart;
    bool m_left = false;
};

} // namespace quizmark
