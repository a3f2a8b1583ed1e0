#pragma once

#include "eventsink.h"
#include "plotvane.h"
#include "plotvanedispatch.h"
#include "plotvaneidentity.h"
#include "propertybag.h"
#include "recordingsurface.h"

#include "support/fakeservices.h"

#include "platform/automation/safearray.h"

#include <QRegularExpression>
#include <QStringList>

#include <memory>
#include <vector>

namespace chart_test {

// Notes what the control tells its container.
class RecordingSink : public plotvane::EventSink
{
public:
    void raiseEvent(int eventId, std::vector<platform::Variant>& arguments) override
    {
        events.push_back({ eventId, arguments });
    }
    void propertyChanged(const QString& name) override { changed.append(name); }

    std::vector<std::pair<int, std::vector<platform::Variant>>> events;
    QStringList changed;
};

// A 7200 x 4800 twip chart whose characters are 100 twips wide and whose lines are 195 high.
class ChartFixture
{
public:
    static constexpr float CharWidth = 100;
    static constexpr float LineHeight = 195;

    explicit ChartFixture(const plotvane::PropertyBag* saved = nullptr, float width = 7200, float height = 4800)
        : surface(QSizeF(width, height), &log, CharWidth, LineHeight)
        , control(surface, messages, &sink)
        , dispatch(control)
    {
        if (saved)
            control.ReadProperties(*saved);
        else
            control.InitNew();
        log.clear();
        sink.changed.clear();
    }

    platform::Variant call(int dispid, std::vector<platform::Variant> arguments = {})
    {
        return platform::invoke(dispatch, dispid, platform::InvokeKind::Method, std::move(arguments));
    }
    platform::Variant get(int dispid) { return platform::invoke(dispatch, dispid, platform::InvokeKind::PropertyGet); }
    void put(int dispid, platform::Variant value)
    {
        platform::invoke(dispatch, dispid, platform::InvokeKind::PropertyPut, { std::move(value) });
    }

    // Row 0 the labels (Empty), then one row per series.
    static std::shared_ptr<platform::SafeArray> table(const std::vector<std::vector<double>>& series)
    {
        const int points = series.empty() ? 1 : int(series.front().size());
        auto data = std::make_shared<platform::SafeArray>(0, int(series.size()), 0, points - 1);
        for (std::size_t i = 0; i < series.size(); ++i)
            for (int j = 0; j < points; ++j)
                (*data)(int(i) + 1, j) = series[i][std::size_t(j)];
        return data;
    }
    void registerData(const std::shared_ptr<platform::SafeArray>& data) { call(plotvane::DispRegisterData, { data }); }
    void refresh()
    {
        log.clear();
        call(plotvane::DispRefresh);
    }
    // The drawing lines that start with the kind given.
    QStringList drawn(const QString& kind) const { return log.filter(QRegularExpression(u'^' + kind + u' ')); }

    QStringList log;
    testing_support::ScriptedMessageBoxes messages;
    RecordingSink sink;
    plotvane::RecordingSurface surface;
    plotvane::Plotvane control;
    plotvane::PlotvaneDispatch dispatch;
};

} // namespace chart_test
