#include "surfacewidget.h"

#include "chartaccessible.h"
#include "imagesurface.h"
#include "plotvaneidentity.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace plotvane {

namespace {

constexpr double TwipsPerInch = 1440;

std::int16_t buttonState(Qt::MouseButtons buttons)
{
    return std::int16_t((buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
                        | (buttons & Qt::MiddleButton ? 4 : 0));
}

} // namespace

SurfaceWidget::SurfaceWidget(std::shared_ptr<ImageSurface> surface, QWidget* parent)
    : QWidget(parent)
    , m_surface(std::move(surface))
{
    ChartAccessible::install();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, m_surface->BackStyle() != 0);
    m_surface->setChangeListener([this] {
        setEnabled(m_surface->Enabled());
        fitSurface();
        update();
    });
    fitSurface();
}

void SurfaceWidget::setTable(ChartTable table)
{
    m_table = std::move(table);
    QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
    if (accessibleDescription().isEmpty()) {
        QAccessibleEvent described(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&described);
    }
}

SurfaceWidget::~SurfaceWidget()
{
    m_surface->setChangeListener({});
}

int SurfaceWidget::border() const
{
    return m_surface->BorderStyle() == 1 ? 1 : 0;
}

void SurfaceWidget::fitSurface()
{
    const QSize inner = (size() - 2 * QSize(border(), border())).expandedTo(QSize(1, 1));
    const double tpp = TwipsPerInch / logicalDpiX();
    const double ratio = devicePixelRatioF();
    if (inner != m_surface->logicalSize() || tpp != m_surface->twipsPerPixel()
        || ratio != m_surface->devicePixelRatio())
        m_surface->resize(inner, tpp, ratio);
}

void SurfaceWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int b = border();
    p.drawImage(QPoint(b, b), m_surface->image());
    // Filled, so the border is a whole pixel wide at any ratio: a hairline would leave what lay
    // below showing beside it.
    if (b) {
        const QColor frame = palette().color(QPalette::WindowText);
        const int w = width(), h = height();
        p.fillRect(0, 0, w, b, frame);
        p.fillRect(0, h - b, w, b, frame);
        p.fillRect(0, b, b, h - 2 * b, frame);
        p.fillRect(w - b, b, b, h - 2 * b, frame);
    }
}

void SurfaceWidget::resizeEvent(QResizeEvent*)
{
    fitSurface();
}

void SurfaceWidget::raise(int eventId, std::vector<platform::Variant> arguments)
{
    if (m_handler)
        m_handler(eventId, arguments);
}

void SurfaceWidget::raiseMouse(int eventId, QMouseEvent* event, Qt::MouseButtons buttons)
{
    const double tpp = m_surface->twipsPerPixel();
    const QPointF inner = event->position() - QPointF(border(), border());
    raise(eventId,
          { buttonState(buttons), shiftState(event->modifiers()), float(inner.x() * tpp), float(inner.y() * tpp) });
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event)
{
    raiseMouse(EventMouseDown, event, event->button());
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* event)
{
    raiseMouse(EventMouseUp, event, event->button());
    if (rect().contains(event->position().toPoint()))
        raise(EventClick, {});
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* event)
{
    raiseMouse(EventMouseMove, event, event->buttons());
}

void SurfaceWidget::mouseDoubleClickEvent(QMouseEvent*)
{
    raise(EventDblClick, {});
}

void SurfaceWidget::keyPressEvent(QKeyEvent* event)
{
    raise(EventKeyDown, { std::int16_t(keyCode(event->key())), shiftState(event->modifiers()) });
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).unicode() < 256)
        raise(EventKeyPress, { std::int16_t(text.at(0).unicode()) });
}

void SurfaceWidget::keyReleaseEvent(QKeyEvent* event)
{
    raise(EventKeyUp, { std::int16_t(keyCode(event->key())), shiftState(event->modifiers()) });
}

std::int16_t SurfaceWidget::shiftState(Qt::KeyboardModifiers modifiers)
{
    return std::int16_t((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
                        | (modifiers & Qt::AltModifier ? 4 : 0));
}

int SurfaceWidget::keyCode(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        || qtKey == Qt::Key_Space)
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 0x70 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Tab:
        return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 0x0D;
    case Qt::Key_Shift:
        return 0x10;
    case Qt::Key_Control:
        return 0x11;
    case Qt::Key_Alt:
        return 0x12;
    case Qt::Key_Pause:
        return 0x13;
    case Qt::Key_CapsLock:
        return 0x14;
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Down:
        return 0x28;
    case Qt::Key_Insert:
        return 0x2D;
    case Qt::Key_Delete:
        return 0x2E;
    default:
        return 0;
    }
}

} // namespace plotvane
