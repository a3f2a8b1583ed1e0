#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>

namespace Ui {
class review;
}

namespace quizmark {

class ScreenHost;

// The item review: every question of the attempt, Completed or Incomplete and flagged where marked
// for review, to jump to. The exam screen waits while it is shown and reads the pick from
// ItemChosen and ChosenQuestion.
class review : public QWidget {
    Q_OBJECT

public:
    explicit review(ScreenHost& host, QWidget* parent = nullptr);
    ~review() override;

    bool ItemChosen = false;
    std::int16_t ChosenQuestion = 0;

protected:
    // A close by any other means than a pick returns to the question that was on screen.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillList();
    void markEntries();
    void List1_Click(int row);
    void pick(std::int16_t position);

    std::unique_ptr<Ui::review> m_ui;
    ScreenHost& m_host;
};

}
