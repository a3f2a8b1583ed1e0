#pragma once

#include "plotvanefactory.h"

#include <QObject>

namespace plotvane {

// The library's entry point for containers that load it at run time.
class PlotvanePlugin : public QObject, public PlotvaneFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PlotvaneFactory_iid FILE "plotvane.json")
    Q_INTERFACES(plotvane::PlotvaneFactory)
public:
    std::unique_ptr<PlotvaneControl> create(QWidget* parent, const PropertyBag* savedProperties,
                                            platform::MessageBoxes& messages, EventSink* sink,
                                            std::shared_ptr<platform::FontObject> ambientFont) override;
    std::unique_ptr<PlotvaneControl> createRecording(QSizeF innerSizeTwips, const PropertyBag* savedProperties,
                                                     platform::MessageBoxes& messages, EventSink* sink,
                                                     QStringList* log, QSizeF fixedCharMetrics,
                                                     std::shared_ptr<platform::FontObject> ambientFont) override;
};

} // namespace plotvane
