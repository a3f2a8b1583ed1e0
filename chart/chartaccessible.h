#pragma once

#include <QAccessibleWidget>

#include <map>

namespace plotvane {

class ChartTable;
class SurfaceWidget;

/// What assistive technology sees of the chart: a chart named after its title (or the name its
/// container gives it), described by its data, and a table of that data with one row per point
/// and one column per series. The table is the one of the last Refresh.
class ChartAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit ChartAccessible(SurfaceWidget* widget);
    ~ChartAccessible() override;

    /// Makes every chart widget of this library answer with this interface.
    static void install();

    QString text(QAccessible::Text kind) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    static QAccessibleInterface* create(const QString& className, QObject* object);
    const ChartTable& table() const;
    void forgetCells();

    // Cells are made when asked for and live in the accessibility cache until the data changes.
    mutable std::map<std::pair<int, int>, QAccessible::Id> m_cells;
};

} // namespace plotvane
