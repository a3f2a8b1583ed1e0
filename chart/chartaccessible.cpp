#include "chartaccessible.h"

#include "chartcellaccessible.h"
#include "charttable.h"
#include "surfacewidget.h"

namespace plotvane {

ChartAccessible::ChartAccessible(SurfaceWidget* widget)
    : QAccessibleWidget(widget, QAccessible::Chart)
{
}

ChartAccessible::~ChartAccessible()
{
    forgetCells();
}

// Registered once while the library is loaded, and taken back before it goes.
void ChartAccessible::install()
{
    static const struct Registration
    {
        Registration() { QAccessible::installFactory(&ChartAccessible::create); }
        ~Registration() { QAccessible::removeFactory(&ChartAccessible::create); }
    } registration;
}

QAccessibleInterface* ChartAccessible::create(const QString& className, QObject* object)
{
    if (className != QLatin1String(SurfaceWidget::staticMetaObject.className()))
        return nullptr;
    auto* widget = qobject_cast<SurfaceWidget*>(object);
    return widget ? new ChartAccessible(widget) : nullptr;
}

const ChartTable& ChartAccessible::table() const
{
    return static_cast<SurfaceWidget*>(widget())->table();
}

QString ChartAccessible::text(QAccessible::Text kind) const
{
    QString given = QAccessibleWidget::text(kind);
    if (!given.isEmpty())
        return given;
    switch (kind) {
    case QAccessible::Name:
        return table().title().trimmed().isEmpty() ? QStringLiteral("Chart") : table().title().trimmed();
    case QAccessible::Description:
        return table().summary();
    default:
        return {};
    }
}

int ChartAccessible::childCount() const
{
    return rowCount() * columnCount();
}

QAccessibleInterface* ChartAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return cellAt(index / columnCount(), index % columnCount());
}

int ChartAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    auto* cell = child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    if (!cell || child->parent() != this)
        return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QAccessibleInterface* ChartAccessible::childAt(int, int) const
{
    return nullptr;
}

void* ChartAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* ChartAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    const auto key = std::make_pair(row, column);
    auto found = m_cells.find(key);
    if (found != m_cells.end())
        if (QAccessibleInterface* cell = QAccessible::accessibleInterface(found->second))
            return cell;
    auto* cell = new ChartCellAccessible(static_cast<SurfaceWidget*>(widget()), row, column);
    m_cells[key] = QAccessible::registerAccessibleInterface(cell);
    return cell;
}

QString ChartAccessible::columnDescription(int column) const
{
    return table().columnHeading(column);
}

QString ChartAccessible::rowDescription(int row) const
{
    return table().rowHeading(row);
}

int ChartAccessible::columnCount() const
{
    return table().columnCount();
}

int ChartAccessible::rowCount() const
{
    return table().rowCount();
}

void ChartAccessible::modelChange(QAccessibleTableModelChangeEvent*)
{
    forgetCells();
}

void ChartAccessible::forgetCells()
{
    for (const auto& [position, id] : m_cells)
        if (QAccessible::accessibleInterface(id))
            QAccessible::deleteAccessibleInterface(id);
    m_cells.clear();
}

} // namespace plotvane
