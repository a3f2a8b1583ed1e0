#include "chartcellaccessible.h"

#include "charttable.h"
#include "surfacewidget.h"

#include <QWidget>
#include <QWindow>

namespace plotvane {

ChartCellAccessible::ChartCellAccessible(SurfaceWidget* chart, int row, int column)
    : m_chart(chart)
    , m_row(row)
    , m_column(column)
{
}

bool ChartCellAccessible::isValid() const
{
    return m_chart && m_row < m_chart->table().rowCount() && m_column < m_chart->table().columnCount();
}

QWindow* ChartCellAccessible::window() const
{
    return m_chart ? m_chart->window()->windowHandle() : nullptr;
}

QAccessibleInterface* ChartCellAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_chart.data());
}

QString ChartCellAccessible::text(QAccessible::Text kind) const
{
    if (!isValid())
        return {};
    const ChartTable& table = m_chart->table();
    switch (kind) {
    case QAccessible::Name:
        return table.value(m_row, m_column);
    case QAccessible::Description:
        return table.columnHeading(m_column) + QStringLiteral(", ") + table.rowHeading(m_row);
    default:
        return {};
    }
}

// The chart draws its points where its scale puts them; the cell stands for the whole chart area.
QRect ChartCellAccessible::rect() const
{
    if (!m_chart)
        return {};
    return QRect(m_chart->mapToGlobal(QPoint(0, 0)), m_chart->size());
}

QAccessible::State ChartCellAccessible::state() const
{
    QAccessible::State state;
    state.readOnly = true;
    if (!m_chart || !m_chart->isVisible())
        state.invisible = true;
    return state;
}

void* ChartCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
}

} // namespace plotvane
