#include "canvaspainter.h"

#include "pixelbatch.h"

namespace plotvane {

CanvasPainter::CanvasPainter(QImage& image)
    : m_image(image)
{
}

CanvasPainter::~CanvasPainter()
{
    end();
}

QPainter& CanvasPainter::painter()
{
    if (!m_painter) {
        m_canvas = deviceCanvas(m_image);
        m_painter.emplace(&m_canvas);
        m_textFontSet = false;
    }
    return *m_painter;
}

QPainter& CanvasPainter::textPainter(const QFont& font, QRgb color)
{
    QPainter& p = painter();
    if (!m_textFontSet || !font.isCopyOf(m_textFont)) {
        p.setFont(font);
        m_textFont = font;
        m_textFontSet = true;
    }
    // Outlines and segments set pens of their own between two texts.
    const QPen& pen = p.pen();
    if (pen.color().rgba() != color || pen.style() != Qt::SolidLine || pen.brush().style() != Qt::SolidPattern)
        p.setPen(QColor::fromRgba(color));
    return p;
}

const QImage& CanvasPainter::canvas()
{
    painter();
    return m_canvas;
}

void CanvasPainter::end()
{
    m_painter.reset();
    m_canvas = QImage();
}

} // namespace plotvane
