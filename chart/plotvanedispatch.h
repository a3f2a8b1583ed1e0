#pragma once

#include "plotvane_export.h"

#include "platform/automation/dispatch.h"

namespace plotvane {

class Plotvane;

/// Late-bound access to a control: any member by its dispatch identifier, with Variant
/// arguments, and identifiers looked up by member name.
class PLOTVANE_EXPORT PlotvaneDispatch : public platform::Dispatch
{
public:
    explicit PlotvaneDispatch(Plotvane& control);

    long GetIDsOfNames(const QString& name, int& dispid) const override;
    /// A get may also be asked for as a method call without arguments.
    long Invoke(int dispid, platform::InvokeKind kind, std::vector<platform::Variant>& arguments,
                platform::Variant& result, platform::ExceptionInfo& exception) override;

private:
    long invokeProperty(int dispid, int access, std::vector<platform::Variant>& arguments, platform::Variant& result);
    long invokeMethod(int dispid, std::vector<platform::Variant>& arguments, platform::Variant& result);
    long get(int dispid, platform::Variant& result);
    long put(int dispid, const platform::Variant& value);

    Plotvane& m_control;
};

} // namespace plotvane
