#pragma once

#include <QImage>
#include <QPainter>

#include <optional>

namespace plotvane {

// One painter over an image's pixels at ratio 1, kept open from one primitive to the next: opening
// a painter costs more than drawing a short text with it. Each user sets the pen and font it needs.
// It must be ended before anyone else takes the image's pixels (a copy, a resize, a fill).
class CanvasPainter
{
public:
    explicit CanvasPainter(QImage& image);
    ~CanvasPainter();
    CanvasPainter(const CanvasPainter&) = delete;
    CanvasPainter& operator=(const CanvasPainter&) = delete;

    QPainter& painter();
    // The painter, set up for text in this font and colour; setting an unchanged font again would
    // throw away the font's resolved engine, the dearest part of a short text.
    QPainter& textPainter(const QFont& font, QRgb color);
    // The canvas the painter draws on, valid while it is open.
    const QImage& canvas();
    void end();

private:
    QImage& m_image;
    QImage m_canvas;
    std::optional<QPainter> m_painter;
    QFont m_textFont; // the font last set on the open painter, if any
    bool m_textFontSet = false;
};

} // namespace plotvane
