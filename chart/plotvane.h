#pragma once

#include "_plotvane.h"
#include "chartstate.h"
#include "plotvane_export.h"

#include "platform/automation/dispatch.h"

#include <memory>
#include <vector>

namespace platform {
class MessageBoxes;
}

namespace plotvane {

class DrawingSurface;
class EventSink;
class PropertyBag;

/// The chart control: its state, its saved properties and the operations of _Plotvane.
/// It draws on a surface it does not own, and only when Refresh is called.
class PLOTVANE_EXPORT Plotvane : public _Plotvane
{
public:
    /// surface and messages must outlive the control; sink may be null; a null ambientFont
    /// stands for a default font of the container's.
    Plotvane(DrawingSurface& surface, platform::MessageBoxes& messages, EventSink* sink,
             std::shared_ptr<platform::FontObject> ambientFont = {});
    ~Plotvane() override;

    /// A control placed on a form for the first time.
    void InitNew();
    /// A control loaded from its container's saved form.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    /// Passes an event of the surface on to the container.
    void raiseEvent(int eventId, std::vector<platform::Variant>& arguments);
    /// The error of the last operation that failed.
    const platform::ExceptionInfo& errorInfo() const;
    const ChartState& state() const;
    DrawingSurface& surface() const;

    HRESULT get_BackColor(OLE_COLOR* BackColor) override;
    HRESULT put_BackColor(OLE_COLOR New_BackColor) override;
    HRESULT get_ForeColor(OLE_COLOR* ForeColor) override;
    HRESULT put_ForeColor(OLE_COLOR New_ForeColor) override;
    HRESULT get_HighScale(double* HighScale) override;
    HRESULT put_HighScale(double New_HighScale) override;
    HRESULT get_LowScale(double* LowScale) override;
    HRESULT put_LowScale(double New_LowScale) override;
    HRESULT get_Enabled(bool* Enabled) override;
    HRESULT put_Enabled(bool New_Enabled) override;
    HRESULT get_Font(std::shared_ptr<platform::FontObject>* Font) override;
    HRESULT putref_Font(std::shared_ptr<platform::FontObject> New_Font) override;
    HRESULT get_ChartType(std::int32_t* ChartType) override;
    HRESULT put_ChartType(std::int32_t New_ChartType) override;
    HRESULT SetSeriesOptions(const std::int16_t* Series, const OLE_COLOR* PlotColor, const QString* Legend) override;
    HRESULT Refresh(platform::Variant* result) override;
    HRESULT get_DisplayLegend(bool* DisplayLegend) override;
    HRESULT put_DisplayLegend(bool New_DisplayLegend) override;
    HRESULT RegisterData(const platform::SafeArray* RegData) override;
    HRESULT get_PlotPoints(bool* PlotPoints) override;
    HRESULT put_PlotPoints(bool New_PlotPoints) override;
    HRESULT get_Title(QString* Title) override;
    HRESULT put_Title(QString New_Title) override;
    HRESULT get_VerticalTickInterval(platform::Variant* VerticalTickInterval) override;
    HRESULT put_VerticalTickInterval(platform::Variant New_VerticalTickInterval) override;
    HRESULT get_HorizontalTickFrequency(platform::Variant* HorizontalTickFrequency) override;
    HRESULT put_HorizontalTickFrequency(platform::Variant New_HorizontalTickFrequency) override;
    HRESULT get_TitleFont(std::shared_ptr<platform::FontObject>* TitleFont) override;
    HRESULT putref_TitleFont(std::shared_ptr<platform::FontObject> New_TitleFont) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace plotvane
