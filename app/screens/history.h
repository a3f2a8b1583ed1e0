#pragma once

#include "chart/plotvanecontrol.h"
#include "chart/propertybag.h"

#include <QWidget>

#include <memory>

namespace Ui {
class history;
}

namespace platform {
class Dispatch;
class RecordFile;
class SafeArray;
}

namespace quizmark {

class ChartLoader;
class ScreenHost;

// The score history: a line chart of every attempt at the exam just taken, with its pass marks.
class history : public QWidget {
    Q_OBJECT

public:
    history(ScreenHost& host, ChartLoader& charts, QWidget* parent = nullptr);
    ~history() override;

    // The properties the chart on this screen is stored with.
    static plotvane::PropertyBag savedChartProperties();
    // The table the chart draws: row 1 the scores, row 2 the pass marks, from a zero point.
    static std::shared_ptr<platform::SafeArray> readChartData(platform::RecordFile& scores, std::int16_t exam);
    // Sets the chart up for the table, member by member in a fixed order.
    static void configureChart(platform::Dispatch& chart, const std::shared_ptr<platform::SafeArray>& data);
    // The table as a screen reader reads it: each attempt's score and passing score.
    static QString chartDescription(const platform::SafeArray& data);

protected:
    // Closing the window frame returns to the results as the button does.
    void closeEvent(QCloseEvent* event) override;

private:
    bool placeChart(ChartLoader& charts);
    void Command1_Click();
    void returnToResults();

    std::unique_ptr<Ui::history> m_ui;
    ScreenHost& m_host;
    std::unique_ptr<plotvane::PlotvaneControl> Plotvane1;
    bool m_returned = false;
};

}
