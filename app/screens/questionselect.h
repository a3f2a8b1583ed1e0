#pragma once

#include "data/cataloguerecord.h"

#include <QWidget>

#include <cstdint>
#include <memory>

namespace Ui {
class questionselect;
}

namespace quizmark {

class ScreenHost;

// The attempt set-up screen: the candidate types how many questions to take, at one minute each,
// and starts the exam.
class questionselect : public QWidget
{
    Q_OBJECT

public:
    explicit questionselect(ScreenHost& host, QWidget* parent = nullptr);
    ~questionselect() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool readExam();
    void Text2_Change();
    void Command1_Click();
    void startAttempt(bool weakPractice);

    std::unique_ptr<Ui::questionselect> m_ui;
    ScreenHost& m_host;
    CatalogueRecord ExamRecord;
    std::int16_t TimeGiven = 0;
};

} // namespace quizmark
