#pragma once

#include "eventsink.h"
#include "plotvanecontrol.h"
#include "propertybag.h"

#include "platform/automation/fontobject.h"
#include "platform/messageboxes.h"

#include <QSizeF>
#include <QStringList>
#include <QtPlugin>

#include <memory>

class QWidget;

namespace plotvane {

/// What the control library's plugin offers a container that loads it with QPluginLoader.
/// The plugin's metadata ("MetaData" in QPluginLoader::metaData()) carries "ProgID"
/// ("Plotvane98.Plotvane"), "CLSID", "IID", "EventIID", "LibraryID" and "Version".
/// Header-only: the container does not link the library.
class PlotvaneFactory
{
public:
    virtual ~PlotvaneFactory() = default;

    /// A control on a widget surface, child of parent. savedProperties null makes a new instance
    /// (initialised as when first placed on a form); otherwise the instance is loaded from them.
    /// messages shows the control's message boxes; sink (may be null) receives events and
    /// property-changed notifications; a null ambientFont stands for a default font. messages
    /// and sink must outlive the control. Throws platform::RuntimeError for a bag it cannot read.
    virtual std::unique_ptr<PlotvaneControl> create(QWidget* parent, const PropertyBag* savedProperties,
                                                    platform::MessageBoxes& messages, EventSink* sink,
                                                    std::shared_ptr<platform::FontObject> ambientFont = {})
        = 0;

    /// The same control drawing on a recording surface of innerSizeTwips: every primitive is
    /// appended to *log as one line ("cls C", "line X1 Y1 X2 Y2 C", "box ...", "fill ...",
    /// "print X Y \"TEXT\"", "font NAME SIZE"). With fixedCharMetrics (width, height) every
    /// character is that many twips wide and every text that high; empty measures in the font.
    virtual std::unique_ptr<PlotvaneControl> createRecording(QSizeF innerSizeTwips, const PropertyBag* savedProperties,
                                                             platform::MessageBoxes& messages, EventSink* sink,
                                                             QStringList* log, QSizeF fixedCharMetrics = {},
                                                             std::shared_ptr<platform::FontObject> ambientFont = {})
        = 0;
};

} // namespace plotvane

#define PlotvaneFactory_iid "org.quizmark.Plotvane98.PlotvaneFactory/2.0"
Q_DECLARE_INTERFACE(plotvane::PlotvaneFactory, PlotvaneFactory_iid)
