#include "typelibrary.h"

#include "plotvaneidentity.h"

namespace plotvane {

namespace {

using A = TypeLibrary::Access;

constexpr TypeLibrary::Member Members[] = {
    { DispBackColor, "BackColor", A::Get | A::Let,
      "Returns/sets the background color used to display text and graphics in an object." },
    { DispForeColor, "ForeColor", A::Get | A::Let,
      "Returns/sets the foreground color used to display text and graphics in an object." },
    { DispHighScale, "HighScale", A::Get | A::Let, "" },
    { DispLowScale, "LowScale", A::Get | A::Let, "" },
    { DispEnabled, "Enabled", A::Get | A::Let, "" },
    { DispFont, "Font", A::Get | A::SetByReference, "Returns a Font object." },
    { DispChartType, "ChartType", A::Get | A::Let, "" },
    { DispSetSeriesOptions, "SetSeriesOptions", A::Call, "" },
    { DispRefresh, "Refresh", A::Call, "" },
    { DispDisplayLegend, "DisplayLegend", A::Get | A::Let, "" },
    { DispRegisterData, "RegisterData", A::Call, "" },
    { DispPlotPoints, "PlotPoints", A::Get | A::Let, "" },
    { DispTitle, "Title", A::Get | A::Let, "" },
    { DispVerticalTickInterval, "VerticalTickInterval", A::Get | A::Let, "" },
    { DispHorizontalTickFrequency, "HorizontalTickFrequency", A::Get | A::Let, "" },
    { DispTitleFont, "TitleFont", A::Get | A::SetByReference, "" },
};

constexpr TypeLibrary::Event Events[] = {
    { EventClick, "Click", "", "Occurs when the user presses and then releases a mouse button over an object." },
    { EventDblClick, "DblClick", "",
      "Occurs when the user presses and releases a mouse button and then presses and releases it again over an "
      "object." },
    { EventKeyDown, "KeyDown", "KeyCode As Integer, Shift As Integer",
      "Occurs when the user presses a key while an object has the focus." },
    { EventKeyPress, "KeyPress", "KeyAscii As Integer", "Occurs when the user presses and releases an ANSI key." },
    { EventKeyUp, "KeyUp", "KeyCode As Integer, Shift As Integer",
      "Occurs when the user releases a key while an object has the focus." },
    { EventMouseDown, "MouseDown", "Button As Integer, Shift As Integer, x As Single, y As Single",
      "Occurs when the user presses the mouse button while an object has the focus." },
    { EventMouseMove, "MouseMove", "Button As Integer, Shift As Integer, x As Single, y As Single",
      "Occurs when the user moves the mouse." },
    { EventMouseUp, "MouseUp", "Button As Integer, Shift As Integer, x As Single, y As Single",
      "Occurs when the user releases the mouse button while an object has the focus." },
};

} // namespace

std::span<const TypeLibrary::Member> TypeLibrary::members()
{
    return Members;
}

std::span<const TypeLibrary::Event> TypeLibrary::events()
{
    return Events;
}

const TypeLibrary::Member* TypeLibrary::member(const QString& name)
{
    for (const Member& m : Members)
        if (name.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0)
            return &m;
    return nullptr;
}

const TypeLibrary::Member* TypeLibrary::member(int dispid)
{
    for (const Member& m : Members)
        if (m.dispid == dispid)
            return &m;
    return nullptr;
}

} // namespace plotvane
