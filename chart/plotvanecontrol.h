#pragma once

#include "propertybag.h"

#include "platform/automation/dispatch.h"

class QWidget;

namespace plotvane {

/// One chart control placed in a container, as a factory hands it out. Header-only: a container
/// uses it without linking the control library. Destroy it before unloading the library.
class PlotvaneControl
{
public:
    virtual ~PlotvaneControl() = default;
    /// The control's client area, a child of the parent it was created with; null for a control
    /// that draws on a recording. Owned by its parent widget.
    virtual QWidget* widget() = 0;
    /// The members of _Plotvane by dispatch identifier; valid as long as this object.
    virtual platform::Dispatch& dispatch() = 0;
    /// The properties to save with the container's form, in their order.
    virtual PropertyBag saveProperties() const = 0;
};

} // namespace plotvane
