#pragma once

#include "imagesurface.h"
#include "plotvane.h"
#include "plotvanedispatch.h"

#include "support/fakeservices.h"

namespace plotvane {
class PropertyBag;
}

namespace quizmark_bench {

// A chart control drawing on an image surface, reached through its dispatch interface as a
// container reaches it; saved null makes a new control.
class ChartOnImage
{
public:
    ChartOnImage(QSize pixels, double ratio, const plotvane::PropertyBag* saved = nullptr);

    platform::Dispatch& dispatch() { return m_dispatch; }
    QImage image() const { return m_surface.image(); }

private:
    plotvane::ImageSurface m_surface;
    testing_support::ScriptedMessageBoxes m_messages;
    plotvane::Plotvane m_control;
    plotvane::PlotvaneDispatch m_dispatch;
};

} // namespace quizmark_bench
