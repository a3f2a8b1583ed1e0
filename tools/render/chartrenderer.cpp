#include "chartrenderer.h"

#include "chartscript.h"

#include "imagesurface.h"
#include "recordingsurface.h"

#include "platform/filewrite.h"

#include <QFile>
#include <QImage>
#include <QImageWriter>

#include <cmath>
#include <optional>

namespace plotvane_render {

namespace {

constexpr double TwipsPerPixel = 15;
// The largest picture drawn: a side of 16,384 pixels, and 64 M pixels (256 MB) in all.
constexpr double MaximumSide = 16384;
constexpr double MaximumPixels = 64.0 * 1024 * 1024;

bool writeLog(const QString& path, const QStringList& lines, QString& errors)
{
    platform::FileWrite file(path);
    bool written = file.open();
    for (const QString& line : lines)
        written = written && file.write((line + u'\n').toUtf8());
    if (written && file.commit())
        return true;
    errors = file.errorString();
    return false;
}

bool writePng(const QString& path, const QImage& image, QString& errors)
{
    platform::FileWrite file(path);
    if (file.open()) {
        QImageWriter writer(file.device(), "png");
        if (!writer.write(image)) {
            // The file's own failure names the reason better than the encoder's; nothing is committed.
            const auto* device = static_cast<const QFileDevice*>(file.device());
            errors = QStringLiteral("cannot write %1: %2")
                         .arg(path,
                              device->error() != QFileDevice::NoError ? device->errorString() : writer.errorString());
            return false;
        }
        if (file.commit())
            return true;
    }
    errors = file.errorString();
    return false;
}

// The picture's size in pixels, or nothing (with the reason) when it is too large to draw.
std::optional<QSize> pictureSize(const QSizeF& twips, QString& errors)
{
    const double width = std::round(twips.width() / TwipsPerPixel);
    const double height = std::round(twips.height() / TwipsPerPixel);
    if (!(width <= MaximumSide && height <= MaximumSide && width * height <= MaximumPixels)) {
        errors = QStringLiteral("the picture would be %1 x %2 pixels; a picture is at most %3 pixels on a side "
                                "and %4 pixels (64 M) in all")
                     .arg(width, 0, 'f', 0)
                     .arg(height, 0, 'f', 0)
                     .arg(MaximumSide, 0, 'f', 0)
                     .arg(MaximumPixels, 0, 'f', 0);
        return std::nullopt;
    }
    return QSize(int(width), int(height)).expandedTo(QSize(1, 1));
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
    // Refused before any drawing, so nothing of a picture too large is ever allocated.
    const std::optional<QSize> pixels
        = commandLine.png.isEmpty() ? QSize(1, 1) : pictureSize(script->innerSize(), errors);
    if (!pixels)
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
        plotvane::ImageSurface surface(*pixels, TwipsPerPixel);
        script->run(surface, nullptr);
        if (!writePng(commandLine.png, surface.image(), errors))
            return 1;
    }
    return 0;
}

} // namespace plotvane_render
