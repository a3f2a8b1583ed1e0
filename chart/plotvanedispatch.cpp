#include "plotvanedispatch.h"

#include "plotvane.h"
#include "plotvaneidentity.h"
#include "typelibrary.h"

#include "platform/runtimeerror.h"

#include <optional>

namespace plotvane {

using platform::InvokeKind;
using platform::RuntimeError;
using platform::Variant;
namespace Status = platform::DispatchStatus;

namespace {

Variant object(std::shared_ptr<platform::FontObject> font)
{
    return Variant(std::shared_ptr<platform::AutomationObject>(std::move(font)));
}

bool has(int flags, InvokeKind kind)
{
    return (flags & int(kind)) != 0;
}

} // namespace

PlotvaneDispatch::PlotvaneDispatch(Plotvane& control)
    : m_control(control)
{
}

long PlotvaneDispatch::GetIDsOfNames(const QString& name, int& dispid) const
{
    const TypeLibrary::Member* member = TypeLibrary::member(name);
    if (!member)
        return Status::UnknownName;
    dispid = member->dispid;
    return Status::Ok;
}

long PlotvaneDispatch::Invoke(int dispid, InvokeKind kind, std::vector<Variant>& arguments, Variant& result,
                              platform::ExceptionInfo& exception)
{
    const TypeLibrary::Member* member = TypeLibrary::member(dispid);
    if (!member)
        return Status::MemberNotFound;
    long status = Status::Ok;
    try {
        if (member->access == TypeLibrary::Call) {
            if (!has(int(kind), InvokeKind::Method))
                return Status::MemberNotFound;
            status = invokeMethod(dispid, arguments, result);
        } else {
            status = invokeProperty(dispid, int(kind), arguments, result);
        }
    } catch (const RuntimeError& error) {
        // An argument that does not convert to the member's type.
        exception = { error.number(), QString::fromLatin1(Identity::ErrorSource), error.description() };
        return Status::Exception;
    }
    if (status == Status::Exception)
        exception = m_control.errorInfo();
    return status;
}

long PlotvaneDispatch::invokeProperty(int dispid, int flags, std::vector<Variant>& arguments, Variant& result)
{
    const TypeLibrary::Member& member = *TypeLibrary::member(dispid);
    const bool byReference = member.access & TypeLibrary::SetByReference;
    if (has(flags, InvokeKind::PropertyGet) || (has(flags, InvokeKind::Method) && arguments.empty()))
        return arguments.empty() ? get(dispid, result) : Status::BadParamCount;
    const bool assigns = byReference ? has(flags, InvokeKind::PropertyPutRef) : has(flags, InvokeKind::PropertyPut);
    if (!assigns)
        return Status::MemberNotFound;
    if (arguments.size() != 1)
        return Status::BadParamCount;
    return put(dispid, arguments.back());
}

long PlotvaneDispatch::get(int dispid, Variant& result)
{
    Plotvane& c = m_control;
    switch (dispid) {
    case DispBackColor:
    case DispForeColor: {
        OLE_COLOR color = 0;
        dispid == DispBackColor ? c.get_BackColor(&color) : c.get_ForeColor(&color);
        result = Variant(color);
        break;
    }
    case DispHighScale:
    case DispLowScale: {
        double value = 0;
        dispid == DispHighScale ? c.get_HighScale(&value) : c.get_LowScale(&value);
        result = Variant(value);
        break;
    }
    case DispEnabled:
    case DispDisplayLegend:
    case DispPlotPoints: {
        bool value = false;
        dispid == DispEnabled             ? c.get_Enabled(&value)
            : dispid == DispDisplayLegend ? c.get_DisplayLegend(&value)
                                          : c.get_PlotPoints(&value);
        result = Variant(value);
        break;
    }
    case DispFont:
    case DispTitleFont: {
        std::shared_ptr<platform::FontObject> font;
        dispid == DispFont ? c.get_Font(&font) : c.get_TitleFont(&font);
        // Nothing comes back as Nothing, an object reference like any other.
        result = object(std::move(font));
        break;
    }
    case DispChartType: {
        std::int32_t type = 0;
        c.get_ChartType(&type);
        result = Variant(type);
        break;
    }
    case DispTitle: {
        QString title;
        c.get_Title(&title);
        result = Variant(title);
        break;
    }
    case DispVerticalTickInterval:
        c.get_VerticalTickInterval(&result);
        break;
    case DispHorizontalTickFrequency:
        c.get_HorizontalTickFrequency(&result);
        break;
    default:
        return Status::MemberNotFound;
    }
    return Status::Ok;
}

long PlotvaneDispatch::put(int dispid, const Variant& value)
{
    Plotvane& c = m_control;
    switch (dispid) {
    case DispBackColor:
        return c.put_BackColor(value.toLong());
    case DispForeColor:
        return c.put_ForeColor(value.toLong());
    case DispHighScale:
        return c.put_HighScale(value.toDouble());
    case DispLowScale:
        return c.put_LowScale(value.toDouble());
    case DispEnabled:
        return c.put_Enabled(value.toBoolean());
    case DispFont:
        return c.putref_Font(platform::FontObject::from(value));
    case DispChartType:
        return c.put_ChartType(value.toLong());
    case DispDisplayLegend:
        return c.put_DisplayLegend(value.toBoolean());
    case DispPlotPoints:
        return c.put_PlotPoints(value.toBoolean());
    case DispTitle:
        return c.put_Title(value.toString());
    case DispVerticalTickInterval:
        return c.put_VerticalTickInterval(value);
    case DispHorizontalTickFrequency:
        return c.put_HorizontalTickFrequency(value);
    case DispTitleFont:
        return c.putref_TitleFont(platform::FontObject::from(value));
    default:
        return Status::MemberNotFound;
    }
}

// An omitted optional argument is either absent or Empty.
long PlotvaneDispatch::invokeMethod(int dispid, std::vector<Variant>& arguments, Variant& result)
{
    Plotvane& c = m_control;
    HRESULT status = S_OK;
    switch (dispid) {
    case DispSetSeriesOptions: {
        if (arguments.empty() || arguments.size() > 3)
            return Status::BadParamCount;
        const std::int16_t series = arguments[0].toInteger();
        std::optional<OLE_COLOR> color;
        std::optional<QString> legend;
        if (arguments.size() > 1 && !arguments[1].isEmpty())
            color = arguments[1].toLong();
        if (arguments.size() > 2 && !arguments[2].isEmpty())
            legend = arguments[2].toString();
        status = c.SetSeriesOptions(&series, color ? &*color : nullptr, legend ? &*legend : nullptr);
        break;
    }
    case DispRefresh:
        if (!arguments.empty())
            return Status::BadParamCount;
        status = c.Refresh(&result);
        break;
    case DispRegisterData: {
        if (arguments.size() != 1)
            return Status::BadParamCount;
        const auto table = arguments[0].toArray();
        status = c.RegisterData(table.get());
        break;
    }
    default:
        return Status::MemberNotFound;
    }
    return status == S_OK ? Status::Ok : Status::Exception;
}

} // namespace plotvane
