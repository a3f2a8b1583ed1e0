#pragma once

#include "plotvane_export.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace plotvane {

struct ChartState;

/// The data of the last Refresh as text, for those who cannot see the chart: one row per point,
/// one column per series, with the series' legends and the points' labels as headings.
class PLOTVANE_EXPORT ChartTable
{
public:
    ChartTable() = default;
    /// The table of the data a state holds now.
    static ChartTable of(const ChartState& state);

    const QString& title() const { return m_title; }
    int rowCount() const { return int(m_points.size()); }
    int columnCount() const { return int(m_series.size()); }
    /// The heading of a point: its label, or "Point n" when it has none.
    QString rowHeading(int row) const { return m_points.value(row); }
    /// The heading of a series: its legend, or "Series n" when it has none.
    QString columnHeading(int column) const { return m_series.value(column); }
    QString value(int row, int column) const;
    /// The whole table in a few sentences: each series' values in point order.
    QString summary() const;

private:
    QString m_title;
    QStringList m_series;
    QStringList m_points;
    std::vector<QStringList> m_values; // by point, then series
};

} // namespace plotvane
