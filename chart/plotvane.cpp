#include "plotvane.h"

#include "chartpainter.h"
#include "drawingsurface.h"
#include "eventsink.h"
#include "plotvaneidentity.h"
#include "propertybag.h"

#include "platform/conversions.h"
#include "platform/messageboxes.h"
#include "platform/runtimeerror.h"

#include <limits>
#include <new>

namespace plotvane {

using platform::RuntimeError;
using platform::Variant;
namespace ErrorNumber = platform::ErrorNumber;

namespace {

// The runtime's 16-colour palette, as 0x00BBGGRR.
constexpr std::int32_t QBColor[ChartState::SeriesLimit]
    = { 0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF };

// A table's last index must fit 16 bits; the copy counts past it with wider counters, so a table
// whose last index is 32,767 (a full score history and its zero point) copies whole.
constexpr int LastCountable = std::numeric_limits<std::int16_t>::max();

const QString TooManySeries = QStringLiteral("Too many data series -- limit is 15");

} // namespace

struct Plotvane::Private
{
    DrawingSurface& surface;
    platform::MessageBoxes& messages;
    EventSink* sink;
    std::shared_ptr<platform::FontObject> ambientFont;
    ChartState state;
    platform::ExceptionInfo error;

    void notify(const char* name)
    {
        if (sink)
            sink->propertyChanged(QString::fromLatin1(name));
    }

    // Runs one operation; an error becomes the control's error info and a failure status.
    template <typename Body> HRESULT guarded(Body body)
    {
        int number = 0;
        QString description;
        QString source;
        try {
            body();
            return S_OK;
        } catch (const RuntimeError& e) {
            number = e.number();
            description = e.description();
            source = e.source();
        } catch (const std::bad_alloc&) {
            number = ErrorNumber::OutOfMemory;
            description = RuntimeError::standardMessage(number);
        }
        error = { number, source.isEmpty() ? QString::fromLatin1(Identity::ErrorSource) : source, description };
        return E_FAIL;
    }

    template <typename T, typename Value> HRESULT let(T& field, Value value, const char* name)
    {
        field = std::move(value);
        notify(name);
        return S_OK;
    }

    void registerData(const platform::SafeArray& source);
    static void emptyFrom(platform::SafeArray& table, int row, int point);
    void colourSeriesOfRow(int row);
};

void Plotvane::Private::registerData(const platform::SafeArray& source)
{
    const int lastRow = source.upperBound(1);
    const int lastPoint = source.upperBound(2);
    if (lastRow >= 0 && lastPoint >= 0 && std::int64_t(lastRow + 1) * (lastPoint + 1) > ChartState::CellLimit)
        throw RuntimeError(ErrorNumber::OutOfMemory);
    // A table of the same shape that nobody else holds is overwritten rather than made anew;
    // whatever the copy does not reach is emptied, as in a new table.
    const bool reusable = state.GraphData && state.GraphData.use_count() == 1
        && state.GraphData->upperBound(1) == lastRow && state.GraphData->upperBound(2) == lastPoint;
    // A table that starts at 0 and stays within the counters and the series copies whole: cell by cell
    // it would come out the same.
    if (source.lowerBound(1) == 0 && source.lowerBound(2) == 0 && lastRow <= LastCountable && lastPoint <= LastCountable
        && lastRow <= ChartState::SeriesLimit) {
        if (reusable)
            *state.GraphData = source;
        else
            state.GraphData = source.clone();
        for (int i = 1; i <= lastRow; ++i)
            colourSeriesOfRow(i);
        return;
    }
    if (!reusable)
        state.GraphData = std::make_shared<platform::SafeArray>(0, lastRow, 0, lastPoint);
    platform::SafeArray& table = *state.GraphData;
    int nextRow = 0;
    int nextPoint = 0;
    try {
        const std::int16_t rowEnd = platform::CInt(lastRow);
        for (int i = 0; i <= rowEnd; ++i) {
            nextRow = i;
            nextPoint = 0;
            const std::int16_t pointEnd = platform::CInt(lastPoint);
            for (int j = 0; j <= pointEnd; ++j) {
                table(i, j) = source(i, j);
                nextPoint = j + 1;
                if (i > 0)
                    colourSeriesOfRow(i);
            }
            nextRow = i + 1;
            nextPoint = 0;
        }
    } catch (...) {
        if (reusable)
            emptyFrom(table, nextRow, nextPoint);
        throw;
    }
}

void Plotvane::Private::emptyFrom(platform::SafeArray& table, int row, int point)
{
    for (int i = row; i <= table.upperBound(1); ++i)
        for (int j = i == row ? point : 0; j <= table.upperBound(2); ++j)
            table(i, j) = Variant();
}

void Plotvane::Private::colourSeriesOfRow(int row)
{
    const int series = row - 1;
    if (series >= ChartState::SeriesLimit)
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    if (state.SeriesColor[std::size_t(series)] == ChartState::NoColorChosen)
        state.SeriesColor[std::size_t(series)] = QBColor[series];
}

Plotvane::Plotvane(DrawingSurface& surface, platform::MessageBoxes& messages, EventSink* sink,
                   std::shared_ptr<platform::FontObject> ambientFont)
    : d(std::make_unique<Private>(
        Private{ surface,
                 messages,
                 sink,
                 ambientFont ? std::move(ambientFont) : std::make_shared<platform::FontObject>(),
                 {},
                 {} }))
{
}

Plotvane::~Plotvane() = default;

void Plotvane::InitNew()
{
    putref_Font(d->ambientFont);
    ChartState& s = d->state;
    s.ChartType = ChartTypes::Bar;
    s.DisplayLegend = false;
    s.PlotPoints = false;
    s.Title.clear();
    s.SeriesColor.fill(ChartState::NoColorChosen);
    s.VerticalTickInterval = Variant(std::int16_t(1));
    s.HorizontalTickFrequency = Variant(std::int16_t(1));
    s.TitleFont = d->ambientFont;
}

void Plotvane::ReadProperties(const PropertyBag& bag)
{
    DrawingSurface& surface = d->surface;
    ChartState& s = d->state;
    const Variant ambient(std::shared_ptr<platform::AutomationObject>(d->ambientFont));
    surface.setBackColor(bag.read(QStringLiteral("BackColor"), DrawingSurface::DefaultBackColor).toLong());
    surface.setForeColor(bag.read(QStringLiteral("ForeColor"), DrawingSurface::DefaultForeColor).toLong());
    surface.setEnabled(bag.read(QStringLiteral("Enabled"), true).toBoolean());
    putref_Font(platform::FontObject::from(bag.read(QStringLiteral("Font"), ambient)));
    surface.setBackStyle(bag.read(QStringLiteral("BackStyle"), std::int16_t(1)).toInteger());
    surface.setBorderStyle(bag.read(QStringLiteral("BorderStyle"), std::int16_t(0)).toInteger());
    s.ChartType = bag.read(QStringLiteral("ChartType"), std::int16_t(0)).toLong();
    s.DisplayLegend = bag.read(QStringLiteral("DisplayLegend"), false).toBoolean();
    s.PlotPoints = bag.read(QStringLiteral("PlotPoints"), false).toBoolean();
    s.Title = bag.read(QStringLiteral("Title"), QString()).toString();
    s.VerticalTickInterval = bag.read(QStringLiteral("VerticalTickInterval"), std::int16_t(1));
    s.HorizontalTickFrequency = bag.read(QStringLiteral("HorizontalTickFrequency"), std::int16_t(1));
    s.TitleFont = platform::FontObject::from(bag.read(QStringLiteral("TitleFont"), ambient));
}

void Plotvane::WriteProperties(PropertyBag& bag) const
{
    const DrawingSurface& surface = d->surface;
    const ChartState& s = d->state;
    const Variant ambient(std::shared_ptr<platform::AutomationObject>(d->ambientFont));
    const auto object = [](const std::shared_ptr<platform::FontObject>& font) {
        return Variant(std::shared_ptr<platform::AutomationObject>(font));
    };
    bag.write(QStringLiteral("BackColor"), surface.BackColor(), DrawingSurface::DefaultBackColor);
    bag.write(QStringLiteral("ForeColor"), surface.ForeColor(), DrawingSurface::DefaultForeColor);
    bag.write(QStringLiteral("Enabled"), surface.Enabled(), true);
    bag.write(QStringLiteral("Font"), object(surface.Font()), ambient);
    bag.write(QStringLiteral("BackStyle"), surface.BackStyle(), std::int16_t(1));
    bag.write(QStringLiteral("BorderStyle"), surface.BorderStyle(), std::int16_t(0));
    bag.write(QStringLiteral("ChartType"), s.ChartType, std::int16_t(0));
    bag.write(QStringLiteral("DisplayLegend"), s.DisplayLegend, false);
    bag.write(QStringLiteral("PlotPoints"), s.PlotPoints, false);
    bag.write(QStringLiteral("Title"), s.Title, QString());
    bag.write(QStringLiteral("VerticalTickInterval"), s.VerticalTickInterval, std::int16_t(1));
    bag.write(QStringLiteral("HorizontalTickFrequency"), s.HorizontalTickFrequency, std::int16_t(1));
    bag.write(QStringLiteral("TitleFont"), object(s.TitleFont), ambient);
}

void Plotvane::raiseEvent(int eventId, std::vector<Variant>& arguments)
{
    if (d->sink)
        d->sink->raiseEvent(eventId, arguments);
}

const platform::ExceptionInfo& Plotvane::errorInfo() const
{
    return d->error;
}

const ChartState& Plotvane::state() const
{
    return d->state;
}

DrawingSurface& Plotvane::surface() const
{
    return d->surface;
}

HRESULT Plotvane::get_BackColor(OLE_COLOR* BackColor)
{
    *BackColor = d->surface.BackColor();
    return S_OK;
}

HRESULT Plotvane::put_BackColor(OLE_COLOR New_BackColor)
{
    d->surface.setBackColor(New_BackColor);
    d->notify("BackColor");
    return S_OK;
}

HRESULT Plotvane::get_ForeColor(OLE_COLOR* ForeColor)
{
    *ForeColor = d->surface.ForeColor();
    return S_OK;
}

HRESULT Plotvane::put_ForeColor(OLE_COLOR New_ForeColor)
{
    d->surface.setForeColor(New_ForeColor);
    d->notify("ForeColor");
    return S_OK;
}

HRESULT Plotvane::get_HighScale(double* HighScale)
{
    *HighScale = d->state.HighScale;
    return S_OK;
}

HRESULT Plotvane::put_HighScale(double New_HighScale)
{
    return d->let(d->state.HighScale, New_HighScale, "HighScale");
}

HRESULT Plotvane::get_LowScale(double* LowScale)
{
    *LowScale = d->state.LowScale;
    return S_OK;
}

HRESULT Plotvane::put_LowScale(double New_LowScale)
{
    return d->let(d->state.LowScale, New_LowScale, "LowScale");
}

HRESULT Plotvane::get_Enabled(bool* Enabled)
{
    *Enabled = d->surface.Enabled();
    return S_OK;
}

HRESULT Plotvane::put_Enabled(bool New_Enabled)
{
    d->surface.setEnabled(New_Enabled);
    d->notify("Enabled");
    return S_OK;
}

HRESULT Plotvane::get_Font(std::shared_ptr<platform::FontObject>* Font)
{
    *Font = d->surface.Font();
    return S_OK;
}

HRESULT Plotvane::putref_Font(std::shared_ptr<platform::FontObject> New_Font)
{
    d->surface.setFont(std::move(New_Font));
    d->notify("Font");
    return S_OK;
}

HRESULT Plotvane::get_ChartType(std::int32_t* ChartType)
{
    *ChartType = d->state.ChartType;
    return S_OK;
}

HRESULT Plotvane::put_ChartType(std::int32_t New_ChartType)
{
    return d->let(d->state.ChartType, New_ChartType, "ChartType");
}

HRESULT Plotvane::SetSeriesOptions(const std::int16_t* Series, const OLE_COLOR* PlotColor, const QString* Legend)
{
    return d->guarded([&] {
        if (!Series)
            throw RuntimeError(ErrorNumber::WrongNumberOfArguments);
        if (*Series < 0 || *Series >= ChartState::SeriesLimit) {
            d->messages.MsgBox(TooManySeries, platform::MsgBoxStyle::OKOnly,
                               QString::fromLatin1(Identity::ApplicationTitle));
            return;
        }
        const std::size_t series = std::size_t(*Series);
        if (Legend && Legend->size() > 0)
            d->state.SeriesLegend[series] = *Legend;
        if (PlotColor)
            d->state.SeriesColor[series] = *PlotColor;
    });
}

HRESULT Plotvane::Refresh(Variant* result)
{
    if (result)
        *result = Variant();
    return d->guarded([&] { ChartPainter(d->state, d->surface).Refresh(); });
}

HRESULT Plotvane::get_DisplayLegend(bool* DisplayLegend)
{
    *DisplayLegend = d->state.DisplayLegend;
    return S_OK;
}

HRESULT Plotvane::put_DisplayLegend(bool New_DisplayLegend)
{
    return d->let(d->state.DisplayLegend, New_DisplayLegend, "DisplayLegend");
}

HRESULT Plotvane::RegisterData(const platform::SafeArray* RegData)
{
    return d->guarded([&] {
        if (!RegData)
            throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
        d->registerData(*RegData);
    });
}

HRESULT Plotvane::get_PlotPoints(bool* PlotPoints)
{
    *PlotPoints = d->state.PlotPoints;
    return S_OK;
}

HRESULT Plotvane::put_PlotPoints(bool New_PlotPoints)
{
    return d->let(d->state.PlotPoints, New_PlotPoints, "PlotPoints");
}

HRESULT Plotvane::get_Title(QString* Title)
{
    *Title = d->state.Title;
    return S_OK;
}

HRESULT Plotvane::put_Title(QString New_Title)
{
    return d->let(d->state.Title, std::move(New_Title), "Title");
}

HRESULT Plotvane::get_VerticalTickInterval(Variant* VerticalTickInterval)
{
    *VerticalTickInterval = d->state.VerticalTickInterval;
    return S_OK;
}

HRESULT Plotvane::put_VerticalTickInterval(Variant New_VerticalTickInterval)
{
    return d->let(d->state.VerticalTickInterval, std::move(New_VerticalTickInterval), "VerticalTickInterval");
}

HRESULT Plotvane::get_HorizontalTickFrequency(Variant* HorizontalTickFrequency)
{
    *HorizontalTickFrequency = d->state.HorizontalTickFrequency;
    return S_OK;
}

HRESULT Plotvane::put_HorizontalTickFrequency(Variant New_HorizontalTickFrequency)
{
    return d->let(d->state.HorizontalTickFrequency, std::move(New_HorizontalTickFrequency), "HorizontalTickFrequency");
}

HRESULT Plotvane::get_TitleFont(std::shared_ptr<platform::FontObject>* TitleFont)
{
    *TitleFont = d->state.TitleFont;
    return S_OK;
}

HRESULT Plotvane::putref_TitleFont(std::shared_ptr<platform::FontObject> New_TitleFont)
{
    return d->let(d->state.TitleFont, std::move(New_TitleFont), "TitleFont");
}

} // namespace plotvane
