#include "pixelbatch.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace plotvane {

PixelBatch::PixelBatch(QImage& image)
    : m_image(image)
{
}

void PixelBatch::begin(QRgb color)
{
    flush();
    m_open = true;
    m_color = color;
    m_pixels = m_image.bits();
    m_stride = m_image.bytesPerLine();
    m_dense = false;
    m_lastRect = QRect();
    m_lastLine = QLine();
    if (m_spans.size() != std::size_t(m_image.height()))
        m_spans.assign(std::size_t(m_image.height()), Span());
}

void PixelBatch::addFill(const QRect& rect)
{
    if (rect == m_lastRect)
        return;
    m_lastRect = rect;
    const int left = std::max(rect.left(), 0);
    const int right = std::min(rect.right(), m_image.width() - 1);
    const int top = std::max(rect.top(), 0);
    const int bottom = std::min(rect.bottom(), m_image.height() - 1);
    if (left > right || top > bottom)
        return;
    Span* span = m_spans.data() + top;
    for (int y = top; y <= bottom; ++y, ++span) {
        const bool open = span->right >= span->left;
        if (open && left <= span->right + 1 && right >= span->left - 1) {
            span->left = std::min(span->left, left);
            span->right = std::max(span->right, right);
            continue;
        }
        if (open)
            writeSpan(y, span->left, span->right);
        *span = { left, right };
    }
    if (m_spanBottom < m_spanTop) {
        m_spanTop = top;
        m_spanBottom = bottom;
    } else {
        m_spanTop = std::min(m_spanTop, top);
        m_spanBottom = std::max(m_spanBottom, bottom);
    }
}

void PixelBatch::addLine(QPoint a, QPoint b)
{
    if (a.x() == b.x()) {
        m_dense = m_dense || a.y() != b.y();
        addRun(a.x(), std::min(a.y(), b.y()), std::max(a.y(), b.y()));
        return;
    }
    if (m_dense && std::abs(a.x() - b.x()) == 1) {
        // A steep step to the neighbouring column: half the rise in each.
        const int middle = (a.y() + b.y()) / 2;
        const QPoint first = a.x() == m_runX ? a : b;
        const QPoint second = first == a ? b : a;
        addRun(first.x(), std::min(first.y(), middle), std::max(first.y(), middle));
        addRun(second.x(), std::min(middle, second.y()), std::max(middle, second.y()));
        return;
    }
    const QLine segment(a, b);
    if (segment == m_lastLine || segment == QLine(b, a))
        return;
    m_lastLine = segment;
    m_lines.push_back(segment);
}

void PixelBatch::addRun(int x, int top, int bottom)
{
    if (m_runOpen && m_runX == x && top <= m_runBottom + 1 && bottom >= m_runTop - 1) {
        m_runTop = std::min(m_runTop, top);
        m_runBottom = std::max(m_runBottom, bottom);
        return;
    }
    closeRun();
    m_runOpen = true;
    m_runX = x;
    m_runTop = top;
    m_runBottom = bottom;
}

void PixelBatch::closeRun()
{
    if (m_runOpen)
        writeRun(m_runX, m_runTop, m_runBottom);
    m_runOpen = false;
}

// A solid opaque colour needs no blending: pixels are written as they are.
void PixelBatch::writeRun(int x, int top, int bottom)
{
    if (x < 0 || x >= m_image.width())
        return;
    top = std::max(top, 0);
    bottom = std::min(bottom, m_image.height() - 1);
    uchar* pixel = m_pixels + top * m_stride + x * qsizetype(sizeof(QRgb));
    for (int y = top; y <= bottom; ++y, pixel += m_stride)
        *reinterpret_cast<QRgb*>(pixel) = m_color;
}

void PixelBatch::writeSpan(int y, int left, int right)
{
    QRgb* row = reinterpret_cast<QRgb*>(m_pixels + y * m_stride);
    std::fill(row + left, row + right + 1, m_color);
}

void PixelBatch::closeSpans()
{
    for (int y = m_spanTop; y <= m_spanBottom; ++y) {
        Span& span = m_spans[std::size_t(y)];
        if (span.right >= span.left && m_pixels)
            writeSpan(y, span.left, span.right);
        span = Span();
    }
    m_spanTop = 0;
    m_spanBottom = -1;
}

void PixelBatch::flush()
{
    if (!m_open)
        return;
    closeRun();
    closeSpans();
    if (!m_lines.empty()) {
        QPainter painter(&m_image);
        QPen pen(QColor::fromRgba(m_color), 1);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawLines(m_lines.data(), int(m_lines.size()));
        m_lines.clear();
    }
    m_open = false;
    m_pixels = nullptr;
}

void PixelBatch::discard()
{
    m_runOpen = false;
    m_pixels = nullptr;
    closeSpans();
    m_lines.clear();
    m_open = false;
}

} // namespace plotvane
