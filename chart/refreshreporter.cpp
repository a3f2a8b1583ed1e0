#include "refreshreporter.h"

#include "plotvaneidentity.h"

namespace plotvane {

RefreshReporter::RefreshReporter(platform::Dispatch& inner, std::function<void()> refreshed)
    : m_inner(inner)
    , m_refreshed(std::move(refreshed))
{
}

long RefreshReporter::GetIDsOfNames(const QString& name, int& dispid) const
{
    return m_inner.GetIDsOfNames(name, dispid);
}

long RefreshReporter::Invoke(int dispid, platform::InvokeKind kind, std::vector<platform::Variant>& arguments,
                             platform::Variant& result, platform::ExceptionInfo& exception)
{
    const long status = m_inner.Invoke(dispid, kind, arguments, result, exception);
    if (status == platform::DispatchStatus::Ok && dispid == DispRefresh && m_refreshed)
        m_refreshed();
    return status;
}

} // namespace plotvane
