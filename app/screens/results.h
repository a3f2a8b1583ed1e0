#pragma once

#include "attemptscore.h"

#include "data/questionrecord.h"

#include <QDateTime>
#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <vector>

class QProgressBar;

namespace Ui {
class results;
}

namespace quizmark {

class ScreenHost;

// The results screen: scores the finished attempt when it loads, adds it to the score history (a
// practice retry excepted) and leads on to the answer review, the score history, a retry of the
// questions that went wrong, a new exam, a saved report, printing or the end.
class results : public QMainWindow
{
    Q_OBJECT

public:
    explicit results(ScreenHost& host, QWidget* parent = nullptr);
    ~results() override;

    // The attempt position chosen in List1; the answer review reads it while it loads.
    std::int16_t ReviewQuestion = 0;

    // Whether this attempt was a practice retry, which the score history does not take.
    bool isPracticeRetry() const { return m_practice; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void scoreAttempt();
    void scoreFromBank();
    void checkBankIsThere();
    void finishJournal(std::int16_t scoreRecord);
    void showScore();
    void colourVerdict();
    void showDomainScores();
    void writeHistory();
    void reportSaveFailure();
    void requestReview();
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void print_Click();
    void retryIncorrect_Click();
    void saveReport_Click();

    std::unique_ptr<Ui::results> m_ui;
    ScreenHost& m_host;
    AttemptScore m_score;
    // The attempt's questions in attempt order, for the report.
    std::vector<QuestionRecord> m_questions;
    QDateTime m_finished;
    bool m_practice = false;
    QString m_saveFailure;
    // Messages for the candidate once the screen shows.
    QStringList m_notices;
    bool m_reviewPending = false;
    bool m_reviewing = false;
};

} // namespace quizmark
