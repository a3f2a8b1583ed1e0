#include "imagesurface.h"

#include "canvaspainter.h"
#include "olecolor.h"
#include "pixelbatch.h"
#include "plainglyphs.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <optional>
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

} // namespace

struct ImageSurface::Private
{
    QSize logical;
    double twipsPerPixel = 15;
    double ratio = 1;
    double scale = 1.0 / 15; // device pixels per twip
    QImage image;
    QImage measuring{ 1, 1, QImage::Format_ARGB32_Premultiplied };
    bool fast = true;
    std::function<void()> listener;
    bool notified = false;

    // Texts, outlines and the batch's segments share one painter until the pixels are handed on.
    CanvasPainter canvasPainter{ image };
    // The colour run being gathered.
    PixelBatch batch{ image, canvasPainter };

    // The last colour resolved, since a run of primitives shares one.
    std::int32_t lastOleColor = 0;
    QRgb lastRgb = toQColor(0).rgba();
    // What one font gives, held by the font's attributes: the font object may change under us.
    struct FontMeasures
    {
        platform::FontObject key;
        QFont font;
        QFontMetricsF metrics;
        double lineHeight; // one line's height
        QHash<QString, double> widths; // of each text asked for
        std::optional<double> ascent; // on the image, which has a resolution of its own
        // Number texts, measured and drawn without shaping each: learnt at the first of them.
        std::optional<PlainGlyphs> plainMeasured;
        std::optional<PlainGlyphs> plainDrawn; // on the image
    };
    // A chart switches between its title's font and its own at every refresh: both stay known.
    static constexpr std::size_t FontsKept = 4;
    std::vector<std::shared_ptr<FontMeasures>> fonts;
    FontMeasures* current = nullptr;

    // Drawing waits, in the order it came, until someone looks at the image: a surface cleared
    // again before that (a chart refreshed twice in a row) spends nothing on pixels nobody sees.
    enum class Step : std::uint8_t { Clear, Line, Fill, Box, Text, Series };
    struct Waiting
    {
        Step step;
        QRgb color;
        float x1, y1, x2, y2;
        std::size_t index; // of the text or series
    };
    struct WaitingText
    {
        QString text;
        std::shared_ptr<FontMeasures> font;
    };
    struct WaitingSeries
    {
        std::vector<std::int32_t> xs, ys;
        bool boxes = false;
        double boxSide = 0, half = 0;
    };
    std::vector<Waiting> waiting;
    QColor clearColor; // of the Clear that can only come first
    // Pools kept from one drawing to the next, used from the front.
    std::vector<WaitingText> texts;
    std::size_t textsUsed = 0;
    std::vector<WaitingSeries> seriesPool;
    std::size_t seriesUsed = 0;
    QRgb rgb(std::int32_t oleColor)
    {
        if (oleColor != lastOleColor) {
            lastOleColor = oleColor;
            lastRgb = toQColor(oleColor).rgba();
        }
        return lastRgb;
    }

    static bool sameFont(const platform::FontObject& a, const platform::FontObject& b)
    {
        return a.Name == b.Name && a.Size == b.Size && a.Bold == b.Bold && a.Italic == b.Italic
            && a.Underline == b.Underline && a.Strikethrough == b.Strikethrough;
    }

    FontMeasures& measuresFor(const platform::FontObject& font)
    {
        if (current && sameFont(current->key, font))
            return *current;
        const auto known = std::find_if(fonts.begin(), fonts.end(),
                                        [&font](const auto& kept) { return sameFont(kept->key, font); });
        if (known != fonts.end()) {
            current = known->get();
            return *current;
        }
        if (fonts.size() >= FontsKept)
            fonts.erase(fonts.begin());
        const QFont qfont = font.toQFont();
        const QFontMetricsF metrics(qfont, &measuring);
        fonts.push_back(std::make_shared<FontMeasures>(
            FontMeasures{ font, qfont, metrics, metrics.height(), {}, std::nullopt, std::nullopt, std::nullopt }));
        current = fonts.back().get();
        return *current;
    }

    // A chart asks for the widths of the same labels at every refresh; shaping one costs far more.
    double advance(const platform::FontObject& font, const QString& text)
    {
        FontMeasures& measures = measuresFor(font);
        if (PlainGlyphs::isNumberText(text)) {
            if (!measures.plainMeasured)
                measures.plainMeasured.emplace(QFont(measures.font, &measuring));
            if (measures.plainMeasured->isPlain())
                return measures.plainMeasured->width(text);
        }
        if (const auto known = measures.widths.constFind(text); known != measures.widths.cend())
            return *known;
        constexpr qsizetype Remembered = 16384; // beyond any chart's labels; only bounds the memory
        if (measures.widths.size() >= Remembered)
            measures.widths.clear();
        return *measures.widths.insert(text, measures.metrics.horizontalAdvance(text));
    }

    void setUp(QSize size, double tpp, double dpr)
    {
        // What waits was placed at the old resolution.
        drawWaiting();
        logical = size;
        twipsPerPixel = tpp;
        ratio = dpr;
        scale = dpr / tpp;
        const double logicalDpi = TwipsPerInch / tpp;
        measuring.setDotsPerMeterX(dotsPerMetre(logicalDpi));
        measuring.setDotsPerMeterY(dotsPerMetre(logicalDpi));
        // Metrics hold the resolution they were made for.
        current = nullptr;
        fonts.clear();
        QImage next(QSize(int(std::lround(size.width() * dpr)), int(std::lround(size.height() * dpr))),
                    QImage::Format_ARGB32_Premultiplied);
        next.fill(Qt::transparent);
        next.setDotsPerMeterX(dotsPerMetre(logicalDpi * dpr));
        next.setDotsPerMeterY(dotsPerMetre(logicalDpi * dpr));
        if (!image.isNull()) {
            flushLines();
            canvasPainter.end();
            // Pixel for pixel, whatever the ratios.
            image.setDevicePixelRatio(1);
            QPainter p(&next);
            p.drawImage(0, 0, image);
        }
        // Set once here: on an image someone holds, setting it would copy every pixel.
        next.setDevicePixelRatio(dpr);
        image = std::move(next);
    }

    // Nearest pixel, halves up. Shifted to be positive, truncation is the floor: cheaper than
    // std::floor, which is a library call here.
    int device(float twips) const
    {
        constexpr double Far = 4194304; // 2^22: far outside any image, with 2^-30 precision left
        const double t = std::clamp(double(twips) * scale + 0.5, -Far, Far);
        return int(std::int64_t(t + Far) - std::int64_t(Far));
    }
    QRect deviceRect(float x1, float y1, float x2, float y2) const
    {
        const int left = device(x1), top = device(y1), right = device(x2), bottom = device(y2);
        return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                     QPoint(std::max(left, right), std::max(top, bottom)));
    }
    QPoint device(float x, float y) const { return QPoint(device(x), device(y)); }

    void changed()
    {
        if (!notified && listener) {
            notified = true;
            listener();
        }
    }

    // A setting shows at once, whether or not a drawing is already waiting to be shown.
    void settingChanged()
    {
        if (listener)
            listener();
    }

    std::shared_ptr<FontMeasures> sharedMeasures(const FontMeasures& measures) const
    {
        for (const auto& kept : fonts)
            if (kept.get() == &measures)
                return kept;
        return nullptr;
    }

    void wait(Step step, QRgb color, float x1, float y1, float x2, float y2, std::size_t index = 0)
    {
        waiting.push_back(Waiting{ step, color, x1, y1, x2, y2, index });
    }

    void waitForClear(const QColor& color)
    {
        forgetWaiting();
        batch.discard();
        canvasPainter.end();
        clearColor = color;
        wait(Step::Clear, 0, 0, 0, 0, 0);
    }

    void waitForText(float x, float y, const QString& text, FontMeasures& font, QRgb color)
    {
        if (textsUsed == texts.size())
            texts.emplace_back();
        WaitingText& kept = texts[textsUsed];
        kept.text = text;
        kept.font = sharedMeasures(font);
        wait(Step::Text, color, x, y, 0, 0, textsUsed++);
    }

    void waitForSeries(const std::int32_t* xs, const std::int32_t* ys, std::size_t count, bool boxes,
                       double boxSide, double half, QRgb color)
    {
        if (seriesUsed == seriesPool.size())
            seriesPool.emplace_back();
        WaitingSeries& kept = seriesPool[seriesUsed];
        kept.xs.assign(xs, xs + count);
        kept.ys.assign(ys, ys + count);
        kept.boxes = boxes;
        kept.boxSide = boxSide;
        kept.half = half;
        wait(Step::Series, color, 0, 0, 0, 0, seriesUsed++);
    }

    void forgetWaiting()
    {
        waiting.clear();
        for (std::size_t i = 0; i < textsUsed; ++i)
            texts[i].font.reset();
        textsUsed = 0;
        seriesUsed = 0;
    }

    // Out of memory on the way leaves the image as far as it got: there is no caller to tell.
    void drawWaiting()
    {
        try {
            for (const Waiting& next : waiting)
                draw(next);
        } catch (const std::bad_alloc&) {
        }
        forgetWaiting();
    }

    void draw(const Waiting& next)
    {
        switch (next.step) {
        case Step::Clear:
            batch.discard();
            canvasPainter.end();
            image.fill(clearColor);
            break;
        case Step::Line:
            join(next.color);
            batch.addLine(device(next.x1, next.y1), device(next.x2, next.y2));
            break;
        case Step::Fill:
            join(next.color);
            batch.addFill(deviceRect(next.x1, next.y1, next.x2, next.y2));
            break;
        case Step::Box:
            drawBox(next.x1, next.y1, next.x2, next.y2, QColor::fromRgba(next.color));
            break;
        case Step::Text:
            drawText(next.x1, next.y1, texts[next.index].text, *texts[next.index].font, next.color);
            break;
        case Step::Series:
            drawSeries(seriesPool[next.index], next.color);
            break;
        }
    }

    void drawBox(float x1, float y1, float x2, float y2, const QColor& color)
    {
        flushLines();
        const QRect corners = deviceRect(x1, y1, x2, y2);
        QPainter& p = canvasPainter.painter();
        p.setPen(hairline(color));
        p.drawRect(QRect(corners.topLeft(), corners.size() - QSize(1, 1)));
    }

    void drawText(float x, float y, const QString& text, FontMeasures& font, QRgb color)
    {
        flushLines();
        QPainter& p = canvasPainter.textPainter(font.font, color);
        if (!font.ascent)
            font.ascent = QFontMetricsF(font.font, &canvasPainter.canvas()).ascent();
        const QPointF origin(double(x) * scale, double(y) * scale + *font.ascent);
        if (PlainGlyphs::isNumberText(text)) {
            if (!font.plainDrawn)
                font.plainDrawn.emplace(p.font());
            if (font.plainDrawn->isPlain() && font.plainDrawn->draw(p, origin, text))
                return;
        }
        p.drawText(origin, text);
    }

    // The series of one chart share their points' places along the axis: the columns are found once.
    struct SeriesColumns
    {
        std::vector<std::int32_t> of; // the places they were found for
        double scale = 0, boxSide = 0, half = 0;
        int width = 0; // the image's
        std::vector<int> boxLeft, boxRight, segment;
        std::vector<PixelBatch::WordColumns> boxWord;
    };
    SeriesColumns columns;

    const SeriesColumns& columnsFor(const WaitingSeries& series)
    {
        if (columns.scale == scale && columns.width == image.width() && columns.boxSide == series.boxSide
            && columns.half == series.half && columns.of == series.xs)
            return columns;
        const std::size_t count = series.xs.size();
        columns.boxLeft.resize(count);
        columns.boxRight.resize(count);
        columns.segment.resize(count);
        columns.boxWord.resize(count);
        for (std::size_t j = 0; j < count; ++j) {
            const std::int32_t x = series.xs[j];
            const int left = device(float(x)), right = device(float(x + series.boxSide));
            columns.boxLeft[j] = std::min(left, right);
            columns.boxRight[j] = std::max(left, right);
            columns.segment[j] = device(float(x + series.half));
            columns.boxWord[j] = PixelBatch::wordColumns(columns.boxLeft[j], columns.boxRight[j], image.width());
        }
        columns.of = series.xs;
        columns.scale = scale;
        columns.width = image.width();
        columns.boxSide = series.boxSide;
        columns.half = series.half;
        return columns;
    }

    // Whole places up and down, turned into pixels once for the range every series of a chart uses.
    struct SeriesRows
    {
        std::int64_t first = 0;
        double scale = 0;
        std::vector<int> pixels;
    };
    SeriesRows rows;
    static constexpr std::int64_t RowsKept = std::int64_t(1) << 20;

    // The rows of the places low..high, from rows.first on, or null when they are too far apart to keep.
    const int* rowsFor(std::int64_t low, std::int64_t high)
    {
        const std::int64_t last = rows.first + std::int64_t(rows.pixels.size()) - 1;
        if (rows.scale == scale && !rows.pixels.empty() && low >= rows.first && high <= last)
            return rows.pixels.data();
        if (rows.scale == scale && !rows.pixels.empty()) {
            low = std::min(low, rows.first);
            high = std::max(high, last);
        }
        if (high - low >= RowsKept)
            return nullptr;
        rows.first = low;
        rows.scale = scale;
        rows.pixels.resize(std::size_t(high - low + 1));
        for (std::int64_t place = low; place <= high; ++place)
            rows.pixels[std::size_t(place - low)] = device(float(place));
        return rows.pixels.data();
    }

    // The primitives of a long series go straight into the batch: one colour, no call per primitive,
    // and each place turned into pixels once.
    void drawSeries(const WaitingSeries& series, QRgb color)
    {
        join(color);
        const SeriesColumns& at = columnsFor(series);
        const std::int32_t* ys = series.ys.data();
        const std::size_t count = series.ys.size();
        const auto box = std::int64_t(series.boxSide);
        const auto half = std::int64_t(series.half);
        if (count > 0 && double(box) == series.boxSide && double(half) == series.half && box >= 0 && half >= 0) {
            const auto [low, high] = std::minmax_element(ys, ys + count);
            if (const int* row = rowsFor(*low, std::int64_t(*high) + std::max(box, half))) {
                const std::int64_t first = rows.first;
                drawPoints(series, at, [=](std::int32_t y) {
                    const int* place = row + (std::int64_t(y) - first);
                    return PointRows{ place[0], place[box], place[half] };
                });
                return;
            }
        }
        drawPoints(series, at, [&](std::int32_t y) {
            return PointRows{ device(float(y)), device(float(y + series.boxSide)), device(float(y + series.half)) };
        });
    }

    // A point's box from row top to bottom (either way round), its segments' ends on row segment.
    struct PointRows
    {
        int top, bottom, segment;
    };

    template <typename RowsOf> void drawPoints(const WaitingSeries& series, const SeriesColumns& at, RowsOf rowsOf)
    {
        const std::int32_t* ys = series.ys.data();
        const std::size_t count = series.ys.size();
        const int height = image.height();
        const bool boxes = series.boxes;
        int previousSegmentY = 0;
        for (std::size_t j = 0; j < count; ++j) {
            const PointRows place = rowsOf(ys[j]);
            if (boxes) {
                const int top = std::min(place.top, place.bottom), bottom = std::max(place.top, place.bottom);
                if (at.boxWord[j].word >= 0 && top >= 0 && bottom < height)
                    batch.addWordFill(at.boxWord[j], top, bottom);
                else
                    batch.addFill(QRect(QPoint(at.boxLeft[j], top), QPoint(at.boxRight[j], bottom)));
            }
            if (j != 0)
                batch.addLine(QPoint(at.segment[j], place.segment), QPoint(at.segment[j - 1], previousSegmentY));
            previousSegmentY = place.segment;
        }
    }

    void join(QRgb color)
    {
        if (!batch.isOpen() || batch.color() != color)
            batch.begin(color);
    }

    void flushLines() { batch.flush(); }
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
    d->drawWaiting();
    d->flushLines();
    d->canvasPainter.end();
    d->notified = false;
    return d->image;
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
    d->drawWaiting();
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
    d->settingChanged();
}

void ImageSurface::setBorderStyle(std::int16_t style)
{
    DrawingSurface::setBorderStyle(style);
    d->settingChanged();
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
    return float(d->advance(currentFont(), text) * d->twipsPerPixel);
}

float ImageSurface::TextHeight(const QString&) const
{
    return float(d->measuresFor(currentFont()).lineHeight * d->twipsPerPixel);
}

void ImageSurface::line(float x1, float y1, float x2, float y2, std::int32_t color)
{
    const QRgb rgb = d->rgb(color);
    if (d->fast) {
        d->wait(Private::Step::Line, rgb, x1, y1, x2, y2);
    } else {
        QImage canvas = deviceCanvas(d->image);
        QPainter p(&canvas);
        p.setPen(hairline(QColor::fromRgba(rgb)));
        p.drawLine(d->device(x1, y1), d->device(x2, y2));
    }
    d->changed();
}

void ImageSurface::box(float x1, float y1, float x2, float y2, std::int32_t color)
{
    if (d->fast)
        d->wait(Private::Step::Box, toQColor(color).rgba(), x1, y1, x2, y2);
    else
        d->drawBox(x1, y1, x2, y2, toQColor(color));
    d->changed();
}

void ImageSurface::fillBox(float x1, float y1, float x2, float y2, std::int32_t color)
{
    const QRgb rgb = d->rgb(color);
    if (d->fast) {
        d->wait(Private::Step::Fill, rgb, x1, y1, x2, y2);
    } else {
        QImage canvas = deviceCanvas(d->image);
        QPainter p(&canvas);
        p.fillRect(d->deviceRect(x1, y1, x2, y2), QColor::fromRgba(rgb));
    }
    d->changed();
}

void ImageSurface::series(const std::int32_t* xs, const std::int32_t* ys, std::size_t count, bool boxes,
                          double boxSide, double half, std::int32_t color)
{
    if (!d->fast || count == 0) {
        DrawingSurface::series(xs, ys, count, boxes, boxSide, half, color);
        return;
    }
    d->waitForSeries(xs, ys, count, boxes, boxSide, half, d->rgb(color));
    d->changed();
}

void ImageSurface::clear(std::int32_t backColor)
{
    const QColor color = BackStyle() == 0 ? QColor(Qt::transparent) : toQColor(backColor);
    if (d->fast) {
        d->waitForClear(color);
    } else {
        d->batch.discard();
        d->canvasPainter.end();
        d->image.fill(color);
    }
    d->changed();
}

void ImageSurface::drawText(float x, float y, const QString& text)
{
    if (text.isEmpty()) {
        d->changed();
        return;
    }
    Private::FontMeasures& measures = d->measuresFor(currentFont());
    if (d->fast) {
        d->waitForText(x, y, text, measures, d->rgb(inkColor()));
        d->changed();
        return;
    }
    // The reference: a painter of its own, set up afresh for this one text.
    const QFont& font = measures.font;
    d->canvasPainter.end();
    QImage canvas = deviceCanvas(d->image);
    QPainter own(&canvas);
    own.setFont(font);
    own.setPen(toQColor(inkColor()));
    own.drawText(QPointF(double(x) * d->scale, double(y) * d->scale + QFontMetricsF(font, &canvas).ascent()), text);
    d->changed();
}

} // namespace plotvane
