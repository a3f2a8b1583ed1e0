#pragma once

#include "chartloader.h"

#include <QString>

#include <initializer_list>
#include <memory>

class QLayout;
class QWidget;

namespace quizmark {

// Loads a chart control into a screen and gives it its place there before it first draws.
class ChartPlacement
{
public:
    // The control from the saved properties, a child of area; null when the library cannot serve
    // one, after a message that begins with what cannot be shown.
    static std::unique_ptr<plotvane::PlotvaneControl> load(ChartLoader& charts, QWidget* area,
                                                           const plotvane::PropertyBag& saved,
                                                           platform::MessageBoxes& messages,
                                                           const QString& cannotBeShown);
    // Adds the chart to its layout and fixes it at the size the screen lays out for it. The
    // layouts from the screen's own down to the chart's are given outermost first.
    static void place(QWidget* screen, QWidget* chart, std::initializer_list<QLayout*> layouts);
};

} // namespace quizmark
