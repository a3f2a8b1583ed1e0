#pragma once

#include "data/questionrecord.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;

namespace Ui {
class exam;
}

namespace quizmark {

class AttemptJournal;
class ScreenHost;
class review;

// The exam screen: one question at a time against the countdown, until the candidate ends the
// exam or the time runs out. A start it had to refuse leaves ScreenHost::RefusedProperty set.
class exam : public QMainWindow
{
    Q_OBJECT

public:
    explicit exam(ScreenHost& host, QWidget* parent = nullptr);
    ~exam() override;

    // The countdown tick, once a second while the screen is loaded.
    void Timer1_Timer();
    std::int16_t secondsLeft() const { return SecondsLeft; }
    bool isPaused() const { return m_paused; }
    bool isCountingDown() const { return Timer1.isActive(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool openFiles(bool resuming);
    void keepAskedRecords();
    void beginJournal(int examSeconds);
    void keep(const std::function<bool(AttemptJournal&, qint64)>& change);
    void tellJournalProblem(AttemptJournal& journal);
    void keepTicks();
    void keepClock();
    void setPaused(bool paused);
    bool refuseBank(const QString& path, const QString& reason);
    int recordsToDrawFrom() const;
    void drawQuestionOrder();
    std::vector<std::int16_t> drawWeakQuestions();
    void resetAttempt(std::int16_t questions);
    void setUpStudyMode();
    void checkAnswer();
    void showCheckedAnswer();

    void ShowQuestion();
    void showPosition();
    void announceQuestion();
    void announceTimeLeft();
    void addKeys();
    void StoreTicks();
    void untickAll();
    void RestoreTicks();
    void TickLimit(int box);
    void FinishAttempt();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void moveTo(std::int16_t position);
    QCheckBox* optionBox(int n) const;

    std::unique_ptr<Ui::exam> m_ui;
    ScreenHost& m_host;
    QTimer Timer1;
    std::int16_t SecondsLeft = 0;
    std::int16_t TimeFloor = 0;
    QuestionRecord QuestionBuffer;
    int Confirmation = 0;
    QPointer<review> m_review;
    bool m_finished = false;
    bool m_paused = false;
    // Held apart from the host: the main window may be gone by the time this screen is deleted.
    AttemptJournal* m_journal = nullptr;
};

} // namespace quizmark
