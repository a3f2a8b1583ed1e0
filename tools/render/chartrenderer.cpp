#include "chartrenderer.h"

#include "chartscript.h"

#include "imagesurface.h"
#include "recordingsurface.h"

#include <QFile>
#include <QImage>

#include <cmath>
#include <cstdio>

namespace plotvane_render {

namespace {

constexpr double TwipsPerPixel = 15;

bool writeLog(const QString& path, const QStringList& lines, QString& errors)
{
    QFile file;
    const bool opened = path == QStringLiteral("-")
        ? file.open(stdout, QIODevice::WriteOnly)
        : (file.setFileName(path), file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    if (!opened) {
        errors = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    for (const QString& line : lines)
        file.write((line + u'\n').toUtf8());
    return true;
}

} // namespace

int renderChart(const RenderCommandLine& commandLine, QString& errors)
{
    QFile file(commandLine.script);
    if (!file.open(QIODevice::ReadOnly)) {
        errors = QStringLiteral("cannot read %1").arg(commandLine.script);
        return 2;
    }
    const std::optional<ChartScript> script = ChartScript::parse(file.readAll(), errors);
    if (!script)
        return 2;

    if (!commandLine.log.isEmpty()) {
        QStringList log;
        const auto surface = commandLine.fixedMetrics
            ? std::make_unique<plotvane::RecordingSurface>(script->innerSize(), &log,
                                                           float(commandLine.fixedMetrics->width()),
                                                           float(commandLine.fixedMetrics->height()))
            : std::make_unique<plotvane::RecordingSurface>(script->innerSize(), &log);
        script->run(*surface, &log);
        if (!writeLog(commandLine.log, log, errors))
            return 1;
    }
    if (!commandLine.png.isEmpty()) {
        const QSize pixels(int(std::lround(script->innerSize().width() / TwipsPerPixel)),
                           int(std::lround(script->innerSize().height() / TwipsPerPixel)));
        plotvane::ImageSurface surface(pixels.expandedTo(QSize(1, 1)), TwipsPerPixel);
        script->run(surface, nullptr);
        if (!surface.image().save(commandLine.png, "PNG")) {
            errors = QStringLiteral("cannot write %1").arg(commandLine.png);
            return 1;
        }
    }
    return 0;
}

} // namespace plotvane_render
