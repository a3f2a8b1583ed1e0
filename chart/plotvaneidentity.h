#pragma once

// Fixed identity of the chart control library. A container stores the class and interface
// identifiers with its form, so these values never change.

namespace plotvane {

namespace Identity {
constexpr const char* ProgId = "Plotvane98.Plotvane";
constexpr const char* LibraryName = "Plotvane98";
constexpr const char* LibraryHelp = "Lightweight charting control";
constexpr int LibraryMajorVersion = 2;
constexpr int LibraryMinorVersion = 0;
constexpr int LibraryLocale = 0x409;
constexpr const char* LibraryId = "{F8911BD2-9127-46AA-B4E6-65F42EEE02F7}";
constexpr const char* ClassId = "{8B4795A8-2CEB-4F2C-9808-9367FEC6E286}";
constexpr const char* InterfaceId = "{64A9613A-373B-46FC-AEAF-57743AFF32A9}";
constexpr const char* EventInterfaceId = "{AF3FBD9F-61A7-42B0-8F06-B835C063008E}";
constexpr const char* ChartTypesId = "{0DBE94FA-692E-41B0-A3BE-01D9B223FC91}";
// Source of the errors the control raises to its container.
constexpr const char* ErrorSource = "PlotvaneProject.Plotvane";
constexpr const char* ApplicationTitle = "PlotvaneProject";
} // namespace Identity

// Dispatch identifiers of the members of _Plotvane.
enum DispId : int
{
    DispBackColor = 0x6803000B,
    DispForeColor = 0x6803000A,
    DispHighScale = 0x68030009,
    DispLowScale = 0x68030008,
    DispEnabled = 0x68030007,
    DispFont = -512,
    DispChartType = 0x68030006,
    DispSetSeriesOptions = 0x60030014,
    DispRefresh = 0x60030018,
    DispDisplayLegend = 0x68030005,
    DispRegisterData = 0x60030019,
    DispPlotPoints = 0x68030004,
    DispTitle = 0x68030003,
    DispVerticalTickInterval = 0x68030002,
    DispHorizontalTickFrequency = 0x68030001,
    DispTitleFont = 0x68030000,
};

// Dispatch identifiers of the events of __Plotvane.
enum EventId : int
{
    EventClick = 1,
    EventDblClick = 2,
    EventKeyDown = 3,
    EventKeyPress = 4,
    EventKeyUp = 5,
    EventMouseDown = 6,
    EventMouseMove = 7,
    EventMouseUp = 8,
};

enum ChartTypes : int
{
    Bar = 0,
    Line = 1,
};

} // namespace plotvane
