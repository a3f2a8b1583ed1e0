#pragma once

#include "platform/automation/dispatch.h"

#include <functional>

namespace plotvane {

/// A control's dispatch as its container reaches it: every call passes on unchanged, and each
/// Refresh that succeeded is reported, so that what the chart shows can be told in words too.
class RefreshReporter : public platform::Dispatch
{
public:
    RefreshReporter(platform::Dispatch& inner, std::function<void()> refreshed);

    long GetIDsOfNames(const QString& name, int& dispid) const override;
    long Invoke(int dispid, platform::InvokeKind kind, std::vector<platform::Variant>& arguments,
                platform::Variant& result, platform::ExceptionInfo& exception) override;

private:
    platform::Dispatch& m_inner;
    std::function<void()> m_refreshed;
};

} // namespace plotvane
