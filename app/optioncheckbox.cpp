#include "optioncheckbox.h"

#include "accessibletext.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace quizmark {

namespace {

constexpr int TextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
constexpr int WidestLineChars = 60;

}

OptionCheckBox::OptionCheckBox(QWidget* parent)
    : QCheckBox(parent)
{
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void OptionCheckBox::setCaption(const QString& caption)
{
    m_caption = caption;
    // The button's own text only serves accessibility; doubling '&' keeps it from becoming a shortcut.
    setText(QString(caption).replace(u'&', QStringLiteral("&&")));
    // An option without text is no choice (a true/false question leaves two blank): no box for it.
    setHidden(caption.trimmed().isEmpty());
    AccessibleText::nameAfter(this, caption);
    updateGeometry();
    update();
}

QRect OptionCheckBox::indicatorRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
}

int OptionCheckBox::textLeft() const
{
    return indicatorRect().right() + 1 + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, this);
}

QRect OptionCheckBox::textRect(int width) const
{
    const QString text = m_caption.trimmed().isEmpty() ? QStringLiteral(" ") : m_caption.trimmed();
    const int left = textLeft();
    return fontMetrics().boundingRect(QRect(left, 0, std::max(1, width - left), 100000), TextFlags, text);
}

int OptionCheckBox::heightForWidth(int width) const
{
    return std::max(indicatorRect().height(), textRect(width).height()) + 2;
}

QSize OptionCheckBox::sizeHint() const
{
    const int width = textLeft() + fontMetrics().averageCharWidth() * WidestLineChars;
    return { width, heightForWidth(width) };
}

QSize OptionCheckBox::minimumSizeHint() const
{
    const int width = textLeft() + fontMetrics().averageCharWidth() * 12;
    return { width, indicatorRect().height() + 2 };
}

void OptionCheckBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect = indicatorRect();
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QRect text(textLeft(), 1, width() - textLeft(), height() - 1);
    painter.drawText(text, TextFlags, m_caption.trimmed());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = textRect(width()).adjusted(-1, 0, 1, 1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

// The whole caption is clickable, as with an ordinary check box.
bool OptionCheckBox::hitButton(const QPoint& position) const
{
    return rect().contains(position);
}

}
