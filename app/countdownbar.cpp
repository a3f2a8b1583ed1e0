#include "countdownbar.h"

#include <QStyleOptionProgressBar>
#include <QStylePainter>

#include <algorithm>

namespace quizmark {

namespace {

// The height of a progress bar in most styles; the width follows the layout.
constexpr int PreferredWidth = 160;

} // namespace

CountdownBar::CountdownBar(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CountdownBar::setMaximum(int maximum)
{
    m_maximum = std::max(maximum, 0);
    m_value = std::clamp(m_value, 0, m_maximum);
    update();
}

void CountdownBar::setValue(int value)
{
    value = std::clamp(value, 0, m_maximum);
    if (value == m_value)
        return;
    m_value = value;
    update();
}

QSize CountdownBar::sizeHint() const
{
    return { PreferredWidth, fontMetrics().height() + 6 };
}

QSize CountdownBar::minimumSizeHint() const
{
    return { fontMetrics().height(), fontMetrics().height() + 6 };
}

void CountdownBar::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionProgressBar option;
    option.initFrom(this);
    option.minimum = 0;
    // A maximum of 0 would draw a busy indicator; an attempt without time shows an empty bar.
    option.maximum = std::max(m_maximum, 1);
    option.progress = m_value;
    option.textVisible = false;
    option.state |= QStyle::State_Horizontal;
    painter.drawControl(QStyle::CE_ProgressBar, option);
}

} // namespace quizmark
