#include "bannerpicture.h"

#include <QMouseEvent>

namespace quizmark {

BannerPicture::BannerPicture(QWidget* parent)
    : QLabel(parent)
{
    setPixmap(QPixmap(QStringLiteral(":/images/banner.png")));
    setCursor(Qt::PointingHandCursor);
    setFrameShape(QFrame::Box);
}

// A release inside the picture counts, as for a button: dragging off it cancels the click.
void BannerPicture::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

}
