#include "chartplacement.h"

#include "platform/messageboxes.h"

#include <QCoreApplication>
#include <QLayout>
#include <QResizeEvent>
#include <QWidget>

namespace quizmark {

std::unique_ptr<plotvane::PlotvaneControl> ChartPlacement::load(ChartLoader& charts, QWidget* area,
                                                                const plotvane::PropertyBag& saved,
                                                                platform::MessageBoxes& messages,
                                                                const QString& cannotBeShown)
{
    QString problem;
    std::unique_ptr<plotvane::PlotvaneControl> control = charts.create(area, saved, messages, problem);
    if (!control)
        messages.MsgBox(QStringLiteral("%1: the chart library could not be loaded.\n%2\n\n%3")
                            .arg(cannotBeShown, charts.libraryPath(), problem),
                        platform::MsgBoxStyle::Exclamation);
    return control;
}

// The chart draws only when told to, at the size it has then, so it gets its place first; hidden
// widgets lay out only when asked, each level in turn, and hear of a new size only once shown.
void ChartPlacement::place(QWidget* screen, QWidget* chart, std::initializer_list<QLayout*> layouts)
{
    QLayout* own = *(layouts.end() - 1);
    own->addWidget(chart);
    screen->resize(screen->sizeHint().expandedTo(screen->size()));
    for (QLayout* layout : layouts)
        layout->activate();
    chart->setFixedSize(chart->size());
    QResizeEvent placed(chart->size(), QSize());
    QCoreApplication::sendEvent(chart, &placed);
}

} // namespace quizmark
