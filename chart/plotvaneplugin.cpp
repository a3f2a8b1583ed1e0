#include "plotvaneplugin.h"

#include "controlinstance.h"
#include "imagesurface.h"
#include "recordingsurface.h"
#include "surfacewidget.h"

namespace plotvane {

std::unique_ptr<PlotvaneControl> PlotvanePlugin::create(QWidget* parent, const PropertyBag* savedProperties,
                                                        platform::MessageBoxes& messages, EventSink* sink,
                                                        std::shared_ptr<platform::FontObject> ambientFont)
{
    auto surface = std::make_shared<ImageSurface>(QSize(1, 1));
    auto* widget = new SurfaceWidget(surface, parent);
    return std::make_unique<ControlInstance>(surface, widget, messages, sink, std::move(ambientFont), savedProperties);
}

std::unique_ptr<PlotvaneControl> PlotvanePlugin::createRecording(QSizeF innerSizeTwips,
                                                                 const PropertyBag* savedProperties,
                                                                 platform::MessageBoxes& messages, EventSink* sink,
                                                                 QStringList* log, QSizeF fixedCharMetrics,
                                                                 std::shared_ptr<platform::FontObject> ambientFont)
{
    std::shared_ptr<RecordingSurface> surface = fixedCharMetrics.isEmpty()
        ? std::make_shared<RecordingSurface>(innerSizeTwips, log)
        : std::make_shared<RecordingSurface>(innerSizeTwips, log, float(fixedCharMetrics.width()),
                                             float(fixedCharMetrics.height()));
    return std::make_unique<ControlInstance>(surface, nullptr, messages, sink, std::move(ambientFont), savedProperties);
}

} // namespace plotvane
