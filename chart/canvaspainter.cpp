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
    }
    return *m_painter;
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
