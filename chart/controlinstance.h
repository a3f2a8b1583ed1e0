#pragma once

#include "eventsink.h"
#include "plotvanecontrol.h"

#include "platform/messageboxes.h"

#include <QPointer>

#include <memory>

namespace plotvane {

class DrawingSurface;
class Plotvane;
class PlotvaneDispatch;
class RefreshReporter;
class SurfaceWidget;

/// A control with the surface it draws on, as the plugin hands it to a container.
class ControlInstance : public PlotvaneControl
{
public:
    /// widget may be null (a recording); surface is shared with it.
    ControlInstance(std::shared_ptr<DrawingSurface> surface, SurfaceWidget* widget, platform::MessageBoxes& messages,
                    EventSink* sink, std::shared_ptr<platform::FontObject> ambientFont,
                    const PropertyBag* savedProperties);
    ~ControlInstance() override;

    QWidget* widget() override;
    platform::Dispatch& dispatch() override;
    PropertyBag saveProperties() const override;

private:
    std::shared_ptr<DrawingSurface> m_surface;
    QPointer<SurfaceWidget> m_widget;
    std::unique_ptr<Plotvane> m_control;
    std::unique_ptr<PlotvaneDispatch> m_dispatch;
    std::unique_ptr<RefreshReporter> m_reporter;
};

} // namespace plotvane
