#include "controlinstance.h"

#include "charttable.h"
#include "drawingsurface.h"
#include "plotvane.h"
#include "plotvanedispatch.h"
#include "refreshreporter.h"
#include "surfacewidget.h"

namespace plotvane {

ControlInstance::ControlInstance(std::shared_ptr<DrawingSurface> surface, SurfaceWidget* widget,
                                 platform::MessageBoxes& messages, EventSink* sink,
                                 std::shared_ptr<platform::FontObject> ambientFont, const PropertyBag* savedProperties)
    : m_surface(std::move(surface))
    , m_widget(widget)
    , m_control(std::make_unique<Plotvane>(*m_surface, messages, sink, std::move(ambientFont)))
    , m_dispatch(std::make_unique<PlotvaneDispatch>(*m_control))
    , m_reporter(std::make_unique<RefreshReporter>(*m_dispatch, [this] {
        if (m_widget)
            m_widget->setTable(ChartTable::of(m_control->state()));
    }))
{
    if (savedProperties)
        m_control->ReadProperties(*savedProperties);
    else
        m_control->InitNew();
    if (m_widget)
        m_widget->setEventHandler([this](int eventId, std::vector<platform::Variant>& arguments) {
            m_control->raiseEvent(eventId, arguments);
        });
}

ControlInstance::~ControlInstance()
{
    if (m_widget)
        m_widget->setEventHandler({});
}

QWidget* ControlInstance::widget()
{
    return m_widget;
}

platform::Dispatch& ControlInstance::dispatch()
{
    return *m_reporter;
}

PropertyBag ControlInstance::saveProperties() const
{
    PropertyBag bag;
    m_control->WriteProperties(bag);
    return bag;
}

} // namespace plotvane
