#include "recordingsurface.h"

#include <QFontMetricsF>
#include <QImage>

#include <charconv>
#include <optional>

namespace plotvane {

namespace {
constexpr double TwipsPerPixel = 15;
}

struct RecordingSurface::Private
{
    QSizeF size;
    QStringList* log;
    std::optional<QSizeF> fixedMetrics;
    // Measuring needs a device of the screen's resolution; a 96 dpi image is one.
    QImage measuringDevice{ 1, 1, QImage::Format_ARGB32_Premultiplied };

    void append(QString line)
    {
        if (log)
            log->append(std::move(line));
    }
    QFontMetricsF metrics(const platform::FontObject& font) const
    {
        return QFontMetricsF(font.toQFont(), &measuringDevice);
    }
};

RecordingSurface::RecordingSurface(QSizeF innerSizeTwips, QStringList* log)
    : d(std::make_unique<Private>(Private{ innerSizeTwips, log, std::nullopt }))
{
}

RecordingSurface::RecordingSurface(QSizeF innerSizeTwips, QStringList* log, float charWidth, float textHeight)
    : d(std::make_unique<Private>(Private{ innerSizeTwips, log, QSizeF(charWidth, textHeight) }))
{
}

RecordingSurface::~RecordingSurface() = default;

float RecordingSurface::ScaleWidth() const
{
    return float(d->size.width());
}

float RecordingSurface::ScaleHeight() const
{
    return float(d->size.height());
}

float RecordingSurface::TextWidth(const QString& text) const
{
    const platform::FontObject& font = currentFont();
    if (d->fixedMetrics)
        return float(d->fixedMetrics->width() * text.size());
    return float(d->metrics(font).horizontalAdvance(text) * TwipsPerPixel);
}

float RecordingSurface::TextHeight(const QString&) const
{
    const platform::FontObject& font = currentFont();
    if (d->fixedMetrics)
        return float(d->fixedMetrics->height());
    return float(d->metrics(font).height() * TwipsPerPixel);
}

void RecordingSurface::line(float x1, float y1, float x2, float y2, std::int32_t c)
{
    shape("line", x1, y1, x2, y2, c);
}

void RecordingSurface::box(float x1, float y1, float x2, float y2, std::int32_t c)
{
    shape("box", x1, y1, x2, y2, c);
}

void RecordingSurface::fillBox(float x1, float y1, float x2, float y2, std::int32_t c)
{
    shape("fill", x1, y1, x2, y2, c);
}

void RecordingSurface::shape(const char* kind, float x1, float y1, float x2, float y2, std::int32_t c)
{
    d->append(QStringLiteral("%1 %2 %3 %4 %5 %6")
                  .arg(QLatin1String(kind), number(x1), number(y1), number(x2), number(y2), color(c)));
}

void RecordingSurface::clear(std::int32_t backColor)
{
    d->append(QStringLiteral("cls ") + color(backColor));
}

void RecordingSurface::drawText(float x, float y, const QString& text)
{
    d->append(QStringLiteral("print %1 %2 \"%3\"").arg(number(x), number(y), text));
}

void RecordingSurface::fontChanged()
{
    d->append(QStringLiteral("font %1 %2").arg(Font()->Name, number(Font()->Size)));
}

template <typename T> static QString shortest(T value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

QString RecordingSurface::number(double value)
{
    return shortest(value);
}

QString RecordingSurface::number(float value)
{
    return shortest(value);
}

QString RecordingSurface::color(std::int32_t value)
{
    return QString::asprintf("0x%08X", unsigned(value));
}

} // namespace plotvane
