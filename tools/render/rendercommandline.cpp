#include "rendercommandline.h"

#include <QCommandLineParser>

namespace plotvane_render {

namespace {

std::optional<QSizeF> metricsFrom(const QString& text)
{
    if (!text.startsWith(QStringLiteral("fixed:")))
        return std::nullopt;
    const QStringList parts = text.mid(6).split(u',');
    bool okWidth = false;
    bool okHeight = false;
    if (parts.size() != 2)
        return std::nullopt;
    const double width = parts[0].toDouble(&okWidth);
    const double height = parts[1].toDouble(&okHeight);
    if (!okWidth || !okHeight || width < 0 || height < 0)
        return std::nullopt;
    return QSizeF(width, height);
}

} // namespace

std::optional<RenderCommandLine> RenderCommandLine::parse(const QStringList& arguments, QString& error)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("script"), QStringLiteral("The chart script (JSON)."));
    parser.addOption({ QStringLiteral("png"), QStringLiteral("Write the chart as PNG."), QStringLiteral("file") });
    parser.addOption({ QStringLiteral("log"), QStringLiteral("Write the drawing log ('-' for standard output)."),
                       QStringLiteral("file") });
    parser.addOption({ QStringLiteral("metrics"), QStringLiteral("fixed:W,H for text W twips a character, H high."),
                       QStringLiteral("metrics") });
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }
    if (parser.positionalArguments().size() != 1) {
        error = QStringLiteral(
            "usage: plotvane-render SCRIPT.json [--png OUT.png] [--log OUT.txt|-] [--metrics fixed:W,H]");
        return std::nullopt;
    }
    RenderCommandLine line;
    line.script = parser.positionalArguments().front();
    line.png = parser.value(QStringLiteral("png"));
    line.log = parser.value(QStringLiteral("log"));
    if (parser.isSet(QStringLiteral("metrics"))) {
        line.fixedMetrics = metricsFrom(parser.value(QStringLiteral("metrics")));
        if (!line.fixedMetrics) {
            error = QStringLiteral("--metrics takes fixed:W,H");
            return std::nullopt;
        }
    }
    if (line.png.isEmpty() && line.log.isEmpty())
        line.log = QStringLiteral("-");
    return line;
}

} // namespace plotvane_render
