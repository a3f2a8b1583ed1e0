#include "accessibletext.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QListWidget>
#include <QStringList>

#include <algorithm>
#include <mutex>

namespace quizmark {

namespace {

constexpr char CaptionLeadsProperty[] = "quizmarkCaptionLeads";

// The name of a label marked by leadWithCaption, made when a reader asks for it.
class CaptionedLabel : public QAccessibleWidget
{
public:
    explicit CaptionedLabel(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        const auto* label = static_cast<const QLabel*>(widget());
        return label->accessibleName() + QStringLiteral(": ") + label->text().trimmed();
    }
};

QAccessibleInterface* captionedLabels(const QString& className, QObject* object)
{
    auto* label = qobject_cast<QLabel*>(object);
    if (!label || className != QLatin1String(label->metaObject()->className())
        || !label->property(CaptionLeadsProperty).toBool())
        return nullptr;
    return new CaptionedLabel(label);
}

} // namespace

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

void AccessibleText::nameWithCaption(QWidget* widget, const QString& caption, const QString& text)
{
    widget->setAccessibleName(caption + QStringLiteral(": ") + withoutPadding(text).trimmed());
}

void AccessibleText::leadWithCaption(QLabel* label)
{
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(&captionedLabels); });
    label->setProperty(CaptionLeadsProperty, true);
    // Naming the label in its form made an interface of the plain kind already; the next comes from the factory.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(label))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
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
