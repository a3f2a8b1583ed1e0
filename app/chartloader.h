#pragma once

#include "chart/plotvanecontrol.h"
#include "chart/propertybag.h"

#include <QString>

#include <memory>

class QWidget;

namespace platform {
class MessageBoxes;
}

namespace quizmark {

// Places chart controls on screens. The chart library is found and loaded at run time, so a
// machine without it still runs every screen but the chart.
class ChartLoader {
public:
    virtual ~ChartLoader() = default;
    // A control loaded from its saved properties, child of parent; null when the library cannot
    // serve one, with the reason in problem.
    virtual std::unique_ptr<plotvane::PlotvaneControl> create(
        QWidget* parent, const plotvane::PropertyBag& saved, platform::MessageBoxes& messages, QString& problem)
        = 0;
    // The file the controls come from, for messages.
    virtual QString libraryPath() const = 0;
};

}
