#include "imagesurface.h"

#include "olecolor.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace plotvane {

namespace {

constexpr double TwipsPerInch = 1440;
constexpr double MetresPerInch = 0.0254;

int dotsPerMetre(double dotsPerInch)
{
    return int(std::lround(dotsPerInch / MetresPerInch));
}

QPen hairline(const QColor& color)
{
    QPen pen(color, 1);
    pen.setCosmetic(true);
    return pen;
}

}

struct ImageSurface::Private {
    QSize logical;
    double twipsPerPixel = 15;
    double ratio = 1;
    double scale = 1.0 / 15; // device pixels per twip
    QImage image;
    QImage measuring { 1, 1, QImage::Format_ARGB32_Premultiplied };
    bool fast = true;
    std::function<void()> listener;
    bool notified = false;

    // The colour run being gathered: order within one colour cannot change a pixel.
    bool batchOpen = false;
    QRgb batchColor = 0;
    std::vector<QLine> lines;
    bool runOpen = false; // a vertical span merged from consecutive segments in one column
    int runX = 0, runTop = 0, runBottom = 0;
    QLine lastLine;
    QRect lastRect;

    void setUp(QSize size, double tpp, double dpr)
    {
        logical = size;
        twipsPerPixel = tpp;
        ratio = dpr;
        scale = dpr / tpp;
        const double logicalDpi = TwipsPerInch / tpp;
        measuring.setDotsPerMeterX(dotsPerMetre(logicalDpi));
        measuring.setDotsPerMeterY(dotsPerMetre(logicalDpi));
        QImage next(QSize(int(std::lround(size.width() * dpr)), int(std::lround(size.height() * dpr))),
            QImage::Format_ARGB32_Premultiplied);
        next.fill(Qt::transparent);
        next.setDotsPerMeterX(dotsPerMetre(logicalDpi * dpr));
        next.setDotsPerMeterY(dotsPerMetre(logicalDpi * dpr));
        if (!image.isNull()) {
            flushLines();
            QPainter p(&next);
            p.drawImage(0, 0, image);
        }
        image = std::move(next);
    }

    int device(float twips) const { return int(std::floor(double(twips) * scale + 0.5)); }
    QPoint device(float x, float y) const { return QPoint(device(x), device(y)); }

    void changed()
    {
        if (!notified && listener) {
            notified = true;
            listener();
        }
    }

    void join(QRgb color)
    {
        if (batchOpen && color == batchColor)
            return;
        flushLines();
        batchOpen = true;
        batchColor = color;
        lastRect = QRect();
        lastLine = QLine();
    }

    void addLine(QPoint a, QPoint b)
    {
        if (a.x() == b.x()) {
            const int top = std::min(a.y(), b.y());
            const int bottom = std::max(a.y(), b.y());
            if (runOpen && runX == a.x() && top <= runBottom + 1 && bottom >= runTop - 1) {
                runTop = std::min(runTop, top);
                runBottom = std::max(runBottom, bottom);
                return;
            }
            closeRun();
            runOpen = true;
            runX = a.x();
            runTop = top;
            runBottom = bottom;
            return;
        }
        const QLine segment(a, b);
        if (segment == lastLine || segment == QLine(b, a))
            return;
        lastLine = segment;
        lines.push_back(segment);
    }

    void closeRun()
    {
        if (runOpen)
            lines.emplace_back(runX, runTop, runX, runBottom);
        runOpen = false;
    }

    void flushLines()
    {
        closeRun();
        if (!lines.empty()) {
            QPainter p(&image);
            p.setPen(hairline(QColor::fromRgba(batchColor)));
            p.drawLines(lines.data(), int(lines.size()));
            lines.clear();
        }
        batchOpen = false;
    }

    void discardLines()
    {
        lines.clear();
        runOpen = false;
        batchOpen = false;
    }

    // A solid opaque fill needs no blending: the pixels are written as they are.
    void fillDirect(const QRect& rect, QRgb color)
    {
        const QRect clipped = rect & image.rect();
        if (clipped.isEmpty())
            return;
        uchar* bits = image.bits();
        const qsizetype stride = image.bytesPerLine();
        for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride);
            std::fill(row + clipped.left(), row + clipped.right() + 1, color);
        }
    }
};

ImageSurface::ImageSurface(QSize logicalSize, double twipsPerPixel, double devicePixelRatio)
    : d(std::make_unique<Private>())
{
    d->setUp(logicalSize, twipsPerPixel, devicePixelRatio);
}

ImageSurface::~ImageSurface() = default;

void ImageSurface::resize(QSize logicalSize, double twipsPerPixel, double devicePixelRatio)
{
    d->setUp(logicalSize, twipsPerPixel, devicePixelRatio);
}

QImage ImageSurface::image() const
{
    d->flushLines();
    d->notified = false;
    QImage shown = d->image;
    shown.setDevicePixelRatio(d->ratio);
    return shown;
}

QSize ImageSurface::logicalSize() const
{
    return d->logical;
}

double ImageSurface::twipsPerPixel() const
{
    return d->twipsPerPixel;
}

double ImageSurface::devicePixelRatio() const
{
    return d->ratio;
}

void ImageSurface::setFastPath(bool on)
{
    d->flushLines();
    d->fast = on;
}

void ImageSurface::setChangeListener(std::function<void()> listener)
{
    d->listener = std::move(listener);
    d->notified = false;
}

void ImageSurface::setEnabled(bool enabled)
{
    DrawingSurface::setEnabled(enabled);
    d->changed();
}

void ImageSurface::setBorderStyle(std::int16_t style)
{
    DrawingSurface::setBorderStyle(style);
    d->changed();
}

float ImageSurface::ScaleWidth() const
{
    return float(d->logical.width() * d->twipsPerPixel);
}

float ImageSurface::ScaleHeight() const
{
    return float(d->logical.height() * d->twipsPerPixel);
}

float ImageSurface::TextWidth(const QString& text) const
{
    return float(QFontMetricsF(Font()->toQFont(), &d->measuring).horizontalAdvance(text) * d->twipsPerPixel);
}

float ImageSurface::TextHeight(const QString&) const
{
    return float(QFontMetricsF(Font()->toQFont(), &d->measuring).height() * d->twipsPerPixel);
}

void ImageSurface::line(float x1, float y1, float x2, float y2, std::int32_t color)
{
    const QPoint a = d->device(x1, y1);
    const QPoint b = d->device(x2, y2);
    const QRgb rgb = toQColor(color).rgba();
    if (d->fast) {
        d->join(rgb);
        d->addLine(a, b);
    } else {
        QPainter p(&d->image);
        p.setPen(hairline(QColor::fromRgba(rgb)));
        p.drawLine(a, b);
    }
    d->changed();
}

void ImageSurface::box(float x1, float y1, float x2, float y2, std::int32_t color)
{
    d->flushLines();
    const QRect corners = QRect(d->device(x1, y1), d->device(x2, y2)).normalized();
    QPainter p(&d->image);
    p.setPen(hairline(toQColor(color)));
    p.drawRect(QRect(corners.topLeft(), corners.size() - QSize(1, 1)));
    d->changed();
}

void ImageSurface::fillBox(float x1, float y1, float x2, float y2, std::int32_t color)
{
    const QRect rect = QRect(d->device(x1, y1), d->device(x2, y2)).normalized();
    const QRgb rgb = toQColor(color).rgba();
    if (d->fast) {
        d->join(rgb);
        if (rect != d->lastRect) {
            d->lastRect = rect;
            d->fillDirect(rect, rgb);
        }
    } else {
        QPainter p(&d->image);
        p.fillRect(rect, QColor::fromRgba(rgb));
    }
    d->changed();
}

void ImageSurface::clear(std::int32_t backColor)
{
    d->discardLines();
    d->image.fill(BackStyle() == 0 ? QColor(Qt::transparent) : toQColor(backColor));
    d->changed();
}

void ImageSurface::drawText(float x, float y, const QString& text)
{
    d->flushLines();
    const QFont font = Font()->toQFont();
    QPainter p(&d->image);
    p.setFont(font);
    p.setPen(toQColor(ForeColor()));
    const double ascent = QFontMetricsF(font, &d->image).ascent();
    p.drawText(QPointF(double(x) * d->scale, double(y) * d->scale + ascent), text);
    d->changed();
}

}
