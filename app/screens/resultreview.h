#pragma once

#include "attemptstate.h"

#include "data/questionrecord.h"

#include <QDateTime>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

class QCheckBox;

namespace platform {
class FileTable;
}

namespace Ui {
class resultreview;
}

namespace quizmark {

class OptionCheckBox;
class ScreenHost;

// The answer review: one question of a finished attempt with its correct options, the
// candidate's ticks and the explanation, and the way on to the attempt's other questions in order.
// It only shows; the results screen, or the score history for a past attempt, waits for ReviewDone.
class resultreview : public QWidget
{
    Q_OBJECT

public:
    explicit resultreview(ScreenHost& host, QWidget* parent = nullptr);
    ~resultreview() override;

    // Set False by the results screen once this screen shows; True when the candidate is done.
    bool ReviewDone = false;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape is "Back To Results".
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showPosition(std::int16_t position);
    void fill();
    void moveBy(int step);
    void nameBoxes();
    OptionCheckBox* optionBox(int option) const;
    QCheckBox* answerBox(int option) const;
    void Command1_Click();
    void takeAttempt();
    void saveReport_Click();

    std::unique_ptr<Ui::resultreview> m_ui;
    ScreenHost& m_host;
    // Held apart from the host: the main window may be gone by the time this screen is deleted.
    platform::FileTable& m_files;
    std::int16_t m_position = 0;
    QuestionRecord m_record;
    bool m_bankOpen = false;
    // The attempt shown: the one just finished, or a past attempt opened from the score history.
    AttemptState m_attempt;
    // Its questions as they were asked; empty where only the bank holds them.
    std::vector<QuestionRecord> m_asked;
    bool m_past = false;
    QDateTime m_ended;
};

} // namespace quizmark
