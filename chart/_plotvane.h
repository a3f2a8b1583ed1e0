#pragma once

#include "platform/automation/fontobject.h"
#include "platform/automation/safearray.h"
#include "platform/automation/variant.h"

#include <cstdint>
#include <memory>

namespace plotvane {

// Status of an operation; a failure carries its error through the control's error info.
using HRESULT = long;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = long(0x80004005u);

// 0x00BBGGRR, or 0x80000000 + n for the platform's system colour n.
using OLE_COLOR = std::int32_t;

/// The control's default interface. Operations stand in the order of its table of operations;
/// each returns a status and passes its value as the last argument.
class _Plotvane
{
public:
    virtual ~_Plotvane() = default;

    virtual HRESULT get_BackColor(OLE_COLOR* BackColor) = 0;
    virtual HRESULT put_BackColor(OLE_COLOR New_BackColor) = 0;
    virtual HRESULT get_ForeColor(OLE_COLOR* ForeColor) = 0;
    virtual HRESULT put_ForeColor(OLE_COLOR New_ForeColor) = 0;
    virtual HRESULT get_HighScale(double* HighScale) = 0;
    virtual HRESULT put_HighScale(double New_HighScale) = 0;
    virtual HRESULT get_LowScale(double* LowScale) = 0;
    virtual HRESULT put_LowScale(double New_LowScale) = 0;
    virtual HRESULT get_Enabled(bool* Enabled) = 0;
    virtual HRESULT put_Enabled(bool New_Enabled) = 0;
    virtual HRESULT get_Font(std::shared_ptr<platform::FontObject>* Font) = 0;
    virtual HRESULT putref_Font(std::shared_ptr<platform::FontObject> New_Font) = 0;
    virtual HRESULT get_ChartType(std::int32_t* ChartType) = 0;
    virtual HRESULT put_ChartType(std::int32_t New_ChartType) = 0;
    /// PlotColor and Legend may be null for an omitted argument.
    virtual HRESULT SetSeriesOptions(const std::int16_t* Series, const OLE_COLOR* PlotColor, const QString* Legend) = 0;
    virtual HRESULT Refresh(platform::Variant* result) = 0;
    virtual HRESULT get_DisplayLegend(bool* DisplayLegend) = 0;
    virtual HRESULT put_DisplayLegend(bool New_DisplayLegend) = 0;
    /// The table is copied; the caller keeps its own.
    virtual HRESULT RegisterData(const platform::SafeArray* RegData) = 0;
    virtual HRESULT get_PlotPoints(bool* PlotPoints) = 0;
    virtual HRESULT put_PlotPoints(bool New_PlotPoints) = 0;
    virtual HRESULT get_Title(QString* Title) = 0;
    virtual HRESULT put_Title(QString New_Title) = 0;
    virtual HRESULT get_VerticalTickInterval(platform::Variant* VerticalTickInterval) = 0;
    virtual HRESULT put_VerticalTickInterval(platform::Variant New_VerticalTickInterval) = 0;
    virtual HRESULT get_HorizontalTickFrequency(platform::Variant* HorizontalTickFrequency) = 0;
    virtual HRESULT put_HorizontalTickFrequency(platform::Variant New_HorizontalTickFrequency) = 0;
    virtual HRESULT get_TitleFont(std::shared_ptr<platform::FontObject>* TitleFont) = 0;
    virtual HRESULT putref_TitleFont(std::shared_ptr<platform::FontObject> New_TitleFont) = 0;
};

} // namespace plotvane
