#pragma once

#include <QWidget>

namespace quizmark {

// The countdown's bar: drawn as the style draws a progress bar, but quiet towards assistive
// technology. A progress bar reports every change of its value, which would make a screen reader
// speak once a second; the countdown decides itself when the time left is worth announcing.
class CountdownBar : public QWidget
{
    Q_OBJECT

public:
    explicit CountdownBar(QWidget* parent = nullptr);

    int maximum() const { return m_maximum; }
    int value() const { return m_value; }
    void setMaximum(int maximum);
    void setValue(int value);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_maximum = 100;
    int m_value = 0;
};

} // namespace quizmark
