#pragma once

#include <QObject>

class QWidget;

namespace quizmark {

// The exam screen's keys besides its buttons' own: the digits 1 to 4 for the options, Page Down and
// Page Up for the next and the previous question. Like the buttons' Alt keys they act only while the
// screen is the active one and has no message box open over it.
class ExamKeys : public QObject
{
    Q_OBJECT

public:
    explicit ExamKeys(QWidget* screen);

signals:
    void optionKey(int option);
    void nextKey();
    void previousKey();
};

} // namespace quizmark
