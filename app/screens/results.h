#pragma once

#include "attemptscore.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>

class QProgressBar;

namespace Ui {
class results;
}

namespace quizmark {

class ScreenHost;

// The results screen: scores the finished attempt when it loads, adds it to the score history and
// leads on to the answer review, the score history, a new exam, printing or the end.
class results : public QMainWindow
{
    Q_OBJECT

public:
    explicit results(ScreenHost& host, QWidget* parent = nullptr);
    ~results() override;

    // The attempt position chosen in List1; the answer review reads it while it loads.
    std::int16_t ReviewQuestion = 0;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void scoreAttempt();
    void showScore();
    void writeHistory();
    void reportSaveFailure();
    void requestReview();
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void print_Click();

    std::unique_ptr<Ui::results> m_ui;
    ScreenHost& m_host;
    AttemptScore m_score;
    QString m_saveFailure;
    bool m_reviewPending = false;
    bool m_reviewing = false;
};

} // namespace quizmark
