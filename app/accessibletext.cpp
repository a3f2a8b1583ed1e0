#include "accessibletext.h"

#include <QListWidget>
#include <QStringList>

#include <algorithm>

namespace quizmark {

QString AccessibleText::withoutPadding(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

void AccessibleText::nameAfter(QWidget* widget, const QString& text)
{
    widget->setAccessibleName(withoutPadding(text));
}

void AccessibleText::nameEntries(QListWidget* list)
{
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* entry = list->item(row);
        entry->setData(Qt::AccessibleTextRole, withoutPadding(entry->text()));
    }
}

QString AccessibleText::timeLeft(int seconds)
{
    seconds = std::max(seconds, 0);
    const int minutes = seconds / 60;
    const int rest = seconds % 60;
    QStringList parts;
    if (minutes > 0)
        parts.append(minutes == 1 ? QStringLiteral("1 minute") : QStringLiteral("%1 minutes").arg(minutes));
    if (rest > 0 || minutes == 0)
        parts.append(rest == 1 ? QStringLiteral("1 second") : QStringLiteral("%1 seconds").arg(rest));
    return parts.join(u' ') + QStringLiteral(" left");
}

void AccessibleText::tellChanged(QWidget* widget, QAccessible::Event change)
{
    QAccessibleEvent event(widget, change);
    QAccessible::updateAccessibility(&event);
}

bool AccessibleText::announcesTimeLeft(int seconds)
{
    return (seconds > 0 && seconds % 60 == 0) || seconds == 30 || seconds == 10;
}

} // namespace quizmark
