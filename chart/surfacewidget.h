#pragma once

#include "charttable.h"
#include "plotvane_export.h"

#include "platform/automation/variant.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace plotvane {

class ImageSurface;

/// The control's client area on screen: shows the retained drawing of an image surface, keeps
/// the surface at its inner size and the screen's resolution, and reports mouse and key events
/// with the arguments of __Plotvane (coordinates in twips).
class PLOTVANE_EXPORT SurfaceWidget : public QWidget
{
    Q_OBJECT
public:
    using EventHandler = std::function<void(int eventId, std::vector<platform::Variant>& arguments)>;

    SurfaceWidget(std::shared_ptr<ImageSurface> surface, QWidget* parent = nullptr);
    ~SurfaceWidget() override;

    ImageSurface& surface() const { return *m_surface; }
    void setEventHandler(EventHandler handler) { m_handler = std::move(handler); }
    /// The data of the last Refresh as assistive technology reads it.
    const ChartTable& table() const { return m_table; }
    /// Takes the data of a Refresh and tells assistive technology that it changed.
    void setTable(ChartTable table);
    /// The runtime's key code of a Qt key (letters and digits as their capitals' codes).
    static int keyCode(int qtKey);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    int border() const;
    void fitSurface();
    void raise(int eventId, std::vector<platform::Variant> arguments);
    void raiseMouse(int eventId, QMouseEvent* event, Qt::MouseButtons buttons);
    static std::int16_t shiftState(Qt::KeyboardModifiers modifiers);

    std::shared_ptr<ImageSurface> m_surface;
    EventHandler m_handler;
    ChartTable m_table;
};

} // namespace plotvane
