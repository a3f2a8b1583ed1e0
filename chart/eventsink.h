#pragma once

#include "platform/automation/variant.h"

#include <QString>

#include <vector>

namespace plotvane {

// The container's side of a control: the events of __Plotvane and the property-changed
// notification. Header-only, implemented by the container.
class EventSink
{
public:
    virtual ~EventSink() = default;
    // One event by its identifier (Click = 1 ... MouseUp = 8); the arguments are passed by
    // reference, but the control does not read back what a handler changes.
    virtual void raiseEvent(int eventId, std::vector<platform::Variant>& arguments) = 0;
    // A let or set of the named property stored a value.
    virtual void propertyChanged(const QString& propertyName) = 0;
};

} // namespace plotvane
