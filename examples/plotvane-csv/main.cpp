// Draws a line chart of a CSV file with the plotvane chart control, loaded through its plugin
// interface: the first line names the series, each further line is a label and one value per series.
//   plotvane-csv FILE.csv [--png OUT.png]
#include <plotvane/plotvanefactory.h>
#include <plotvane/plotvaneidentity.h>

#include <plotvane/platform/automation/dispatch.h>
#include <plotvane/platform/automation/safearray.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPluginLoader>
#include <QTextStream>

#include <cstdio>
#include <iterator>

namespace {

class DialogMessages : public platform::MessageBoxes
{
public:
    int MsgBox(const QString& prompt, int, const QString& title) override
    {
        QMessageBox::information(nullptr, title, prompt);
        return platform::MsgBoxResult::OK;
    }
    void closeOpenBoxes() override { }
};

// Blue, red, green, magenta, then the same darker: 0x00BBGGRR.
constexpr std::int32_t SeriesColours[] = { 0xFF0000, 0x0000FF, 0x008000, 0x800080, 0x800000, 0x000080, 0x004000 };

struct CsvTable
{
    QStringList series;
    QList<QStringList> rows;
};

CsvTable readCsv(const QString& path)
{
    CsvTable table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return table;
    QTextStream in(&file);
    table.series = in.readLine().split(u',').mid(1);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty())
            table.rows.append(line.split(u','));
    }
    return table;
}

// Row 0 holds the labels, row r the values of series r - 1.
std::shared_ptr<platform::SafeArray> chartData(const CsvTable& table)
{
    const int points = int(table.rows.size());
    auto data = std::make_shared<platform::SafeArray>(0, int(table.series.size()), 0, points - 1);
    for (int p = 0; p < points; ++p) {
        const QStringList& row = table.rows[p];
        (*data)(0, p) = row.value(0);
        for (int s = 1; s <= table.series.size(); ++s)
            (*data)(s, p) = row.value(s).toDouble();
    }
    return data;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: plotvane-csv FILE.csv [--png OUT.png]\n");
        return 2;
    }
    const CsvTable table = readCsv(args[1]);
    if (table.series.isEmpty() || table.rows.isEmpty()) {
        std::fprintf(stderr, "%s: no series or no rows\n", qPrintable(args[1]));
        return 1;
    }

    QPluginLoader loader(QStringLiteral(PLOTVANE_PLUGIN));
    auto* factory = qobject_cast<plotvane::PlotvaneFactory*>(loader.instance());
    if (!factory) {
        std::fprintf(stderr, "cannot load the chart control: %s\n", qPrintable(loader.errorString()));
        return 1;
    }
    DialogMessages messages;
    QWidget window;
    window.setWindowTitle(QStringLiteral("plotvane-csv"));
    window.resize(640, 420);
    auto control = factory->create(&window, nullptr, messages, nullptr);
    control->widget()->setGeometry(window.rect());

    using namespace plotvane;
    platform::Dispatch& chart = control->dispatch();
    platform::invoke(chart, DispChartType, platform::InvokeKind::PropertyPut, { std::int32_t(ChartTypes::Line) });
    platform::invoke(chart, DispRegisterData, platform::InvokeKind::Method, { chartData(table) });
    for (int s = 0; s < table.series.size(); ++s)
        platform::invoke(chart, DispSetSeriesOptions, platform::InvokeKind::Method,
                         { std::int16_t(s), SeriesColours[s % std::size(SeriesColours)], table.series[s] });
    platform::invoke(chart, DispTitle, platform::InvokeKind::PropertyPut, { QFileInfo(args[1]).completeBaseName() });
    platform::invoke(chart, DispDisplayLegend, platform::InvokeKind::PropertyPut, { true });
    platform::invoke(chart, DispRefresh, platform::InvokeKind::Method);

    const qsizetype png = args.indexOf(QStringLiteral("--png"));
    if (png > 0 && png + 1 < args.size())
        return control->widget()->grab().save(args[png + 1]) ? 0 : 1;
    window.show();
    return app.exec();
}
