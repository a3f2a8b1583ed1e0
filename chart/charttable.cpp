#include "charttable.h"

#include "chartstate.h"

#include "platform/runtimeerror.h"

namespace plotvane {

namespace {

// A cell that holds no text, such as an object, reads as nothing rather than failing the reader.
QString cellText(const platform::Variant& cell)
{
    try {
        return cell.toString().trimmed();
    } catch (const platform::RuntimeError&) {
        return {};
    }
}

} // namespace

ChartTable ChartTable::of(const ChartState& state)
{
    ChartTable table;
    table.m_title = state.Title;
    if (!state.GraphData)
        return table;
    const platform::SafeArray& data = *state.GraphData;
    const int firstRow = data.lowerBound(1);
    const int series = std::min(data.upperBound(1) - firstRow, ChartState::SeriesLimit);
    const int firstPoint = data.lowerBound(2);
    const int points = data.upperBound(2) - firstPoint + 1;
    for (int s = 0; s < series; ++s) {
        const QString& legend = state.SeriesLegend[std::size_t(s)];
        table.m_series.append(legend.isEmpty() ? QStringLiteral("Series %1").arg(s + 1) : legend);
    }
    for (int p = 0; p < points; ++p) {
        const QString label = cellText(data(firstRow, firstPoint + p));
        table.m_points.append(label.isEmpty() ? QStringLiteral("Point %1").arg(p + 1) : label);
        QStringList values;
        for (int s = 0; s < series; ++s)
            values.append(cellText(data(firstRow + 1 + s, firstPoint + p)));
        table.m_values.push_back(values);
    }
    return table;
}

QString ChartTable::value(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return m_values[std::size_t(row)].value(column);
}

QString ChartTable::summary() const
{
    QStringList sentences;
    if (!m_title.trimmed().isEmpty())
        sentences.append(m_title.trimmed() + QLatin1Char('.'));
    for (int column = 0; column < columnCount(); ++column) {
        QStringList values;
        for (int row = 0; row < rowCount(); ++row)
            values.append(value(row, column).isEmpty() ? QStringLiteral("none") : value(row, column));
        sentences.append(columnHeading(column) + QStringLiteral(": ") + values.join(QStringLiteral(", "))
                         + QLatin1Char('.'));
    }
    if (columnCount() == 0)
        sentences.append(QStringLiteral("No data."));
    return sentences.join(u' ');
}

} // namespace plotvane
