#include "pixelbatch.h"

#include "canvaspainter.h"

#include <QPainter>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <system_error>
#include <thread>

namespace plotvane {

namespace {

// Bits first..first+count-1 set; count from 1 to 64.
std::uint64_t bitRange(int first, int count)
{
    const std::uint64_t ones = count >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << count) - 1;
    return ones << first;
}

} // namespace

QImage deviceCanvas(QImage& image)
{
    QImage canvas(image.bits(), image.width(), image.height(), image.bytesPerLine(), image.format());
    canvas.setDotsPerMeterX(image.dotsPerMeterX());
    canvas.setDotsPerMeterY(image.dotsPerMeterY());
    return canvas;
}

PixelBatch::PixelBatch(QImage& image, CanvasPainter& painter)
    : m_image(image)
    , m_painter(painter)
{
}

void PixelBatch::begin(QRgb color)
{
    endColor();
    const int wordsPerRow = (m_image.width() + 63) / 64;
    if (wordsPerRow != m_wordsPerRow || m_image.height() != m_height) {
        // A new size: whatever waited was written into the image before it changed.
        m_layers.clear();
        m_waiting = 0;
        m_wordsPerRow = wordsPerRow;
        m_height = m_image.height();
        m_band.assign(std::size_t(m_height), 0);
    }
    m_width = m_image.width();
    m_open = true;
    m_color = color;
    m_dense = false;
    m_lastRect = QRect();
    m_lastLine = QLine();
}

void PixelBatch::addFill(const QRect& rect)
{
    if (rect == m_lastRect)
        return;
    m_lastRect = rect;
    const int left = std::max(rect.left(), 0);
    const int right = std::min(rect.right(), m_width - 1);
    const int top = std::max(rect.top(), 0);
    const int bottom = std::min(rect.bottom(), m_height - 1);
    if (left <= right && top <= bottom)
        cover(left, right, top, bottom);
}

PixelBatch::WordColumns PixelBatch::wordColumns(int left, int right, int imageWidth)
{
    if (left < 0 || right >= imageWidth || left > right || left / 64 != right / 64)
        return {};
    return { left / 64, bitRange(left % 64, right - left + 1) };
}

void PixelBatch::addLineBeyondRun(QPoint a, QPoint b)
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
    if (a.y() == b.y()) {
        // A level segment covers its row from end to end, as a one-row fill would.
        addFill(QRect(QPoint(std::min(a.x(), b.x()), a.y()), QPoint(std::max(a.x(), b.x()), a.y())));
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

void PixelBatch::closeBand()
{
    if (m_bandBottom < m_bandTop) {
        m_bandWord = -1;
        return;
    }
    Layer& layer = m_layer ? *m_layer : openLayer();
    const auto stride = std::size_t(m_wordsPerRow);
    std::uint64_t* word = layer.bits.data() + std::size_t(m_bandTop) * stride + std::size_t(m_bandWord);
    for (int y = m_bandTop; y <= m_bandBottom; ++y, word += stride) {
        *word |= m_band[std::size_t(y)];
        m_band[std::size_t(y)] = 0;
    }
    widen(layer, m_bandTop, m_bandBottom, m_bandWord, m_bandWord);
    m_bandWord = -1;
    m_bandTop = std::numeric_limits<int>::max();
    m_bandBottom = -1;
}

void PixelBatch::closeRun()
{
    if (!m_runOpen)
        return;
    m_runOpen = false;
    const int top = std::max(m_runTop, 0);
    const int bottom = std::min(m_runBottom, m_height - 1);
    if (m_runX >= 0 && m_runX < m_width && top <= bottom)
        addWordFill(wordColumns(m_runX, m_runX, m_width), top, bottom);
}

PixelBatch::Layer& PixelBatch::openLayer()
{
    if (m_layers.size() <= m_waiting)
        m_layers.emplace_back();
    Layer& layer = m_layers[m_waiting];
    if (layer.bits.empty())
        layer.bits.assign(std::size_t(m_wordsPerRow) * std::size_t(m_image.height()), 0);
    layer.color = m_color;
    m_layer = &layer;
    return layer;
}

void PixelBatch::cover(int left, int right, int top, int bottom)
{
    Layer& layer = m_layer ? *m_layer : openLayer();
    const int firstWord = left / 64, lastWord = right / 64;
    std::uint64_t* word = layer.bits.data() + std::size_t(top) * std::size_t(m_wordsPerRow) + firstWord;
    if (firstWord == lastWord) {
        const std::uint64_t bits = bitRange(left % 64, right - left + 1);
        for (int y = top; y <= bottom; ++y, word += m_wordsPerRow)
            *word |= bits;
    } else {
        const std::uint64_t leftBits = bitRange(left % 64, 64 - left % 64);
        const std::uint64_t rightBits = bitRange(0, right % 64 + 1);
        const int between = lastWord - firstWord - 1;
        for (int y = top; y <= bottom; ++y, word += m_wordsPerRow) {
            word[0] |= leftBits;
            std::fill(word + 1, word + 1 + between, ~std::uint64_t(0));
            word[between + 1] |= rightBits;
        }
    }
    widen(layer, top, bottom, firstWord, lastWord);
}

// Segments for the raster engine cannot wait: everything below them is written first.
void PixelBatch::endColor()
{
    if (!m_open)
        return;
    closeRun();
    closeBand();
    m_open = false;
    m_layer = nullptr;
    const bool covered = m_waiting < m_layers.size() && !m_layers[m_waiting].empty();
    if (covered)
        ++m_waiting;
    if (m_lines.empty() && m_waiting < LayerLimit)
        return;
    writeLayers();
    if (!m_lines.empty()) {
        QPainter& painter = m_painter.painter();
        QPen pen(QColor::fromRgba(m_color), 1);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawLines(m_lines.data(), int(m_lines.size()));
        m_lines.clear();
    }
}

void PixelBatch::writeLayers()
{
    if (m_waiting == 0)
        return;
    int top = m_layers[0].top, bottom = m_layers[0].bottom, left = m_layers[0].left, right = m_layers[0].right;
    for (std::size_t i = 1; i < m_waiting; ++i) {
        top = std::min(top, m_layers[i].top);
        bottom = std::max(bottom, m_layers[i].bottom);
        left = std::min(left, m_layers[i].left);
        right = std::max(right, m_layers[i].right);
    }
    // Rows apart are apart in the image and in every layer: a large area is written in two halves
    // at once, on a second processor where there is one.
    uchar* const pixels = m_image.bits(); // detached here, before any other thread writes
    const auto rowWords = std::int64_t(bottom - top + 1) * (right - left + 1) * std::int64_t(m_waiting);
    if (rowWords >= ParallelWords && std::thread::hardware_concurrency() > 1) {
        const int middle = top + (bottom - top + 1) / 2;
        try {
            std::thread lower(&PixelBatch::writeRowsAside, this, pixels, middle, bottom, left, right);
            writeRows(pixels, top, middle - 1, left, right);
            lower.join();
            top = bottom + 1;
        } catch (const std::system_error&) {
            // No thread to be had: the rows left are written here.
        }
    }
    writeRows(pixels, top, bottom, left, right);
    for (Layer& layer : m_layers) {
        layer.top = 0;
        layer.bottom = -1;
    }
    m_waiting = 0;
}

// The second thread's share, under a name of its own, so that instruction counts can find it.
void PixelBatch::writeRowsAside(uchar* pixels, int top, int bottom, int left, int right)
{
    writeRows(pixels, top, bottom, left, right);
}

// Writes rows top..bottom of words left..right into the image and clears them in the layers.
void PixelBatch::writeRows(uchar* pixels, int top, int bottom, int left, int right)
{
    const auto bytesPerLine = std::size_t(m_image.bytesPerLine());
    for (int y = top; y <= bottom; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(pixels + std::size_t(y) * bytesPerLine);
        const std::size_t rowStart = std::size_t(y) * std::size_t(m_wordsPerRow);
        for (int w = left; w <= right; ++w)
            writeWord(row + w * 64, rowStart + std::size_t(w));
        for (std::size_t i = 0; i < m_waiting; ++i) {
            Layer& layer = m_layers[i];
            if (y >= layer.top && y <= layer.bottom)
                std::fill(layer.bits.begin() + std::ptrdiff_t(rowStart) + layer.left,
                          layer.bits.begin() + std::ptrdiff_t(rowStart) + layer.right + 1, 0);
        }
    }
}

// A solid opaque colour needs no blending: pixels are written as they are.
void PixelBatch::writeWord(QRgb* pixels, std::size_t at)
{
    std::uint64_t open = ~std::uint64_t(0);
    for (std::size_t i = m_waiting; i-- > 0 && open != 0;) {
        std::uint64_t bits = m_layers[i].bits[at] & open;
        open &= ~bits;
        const QRgb color = m_layers[i].color;
        while (bits != 0) {
            const int column = std::countr_zero(bits);
            pixels[column] = color;
            bits &= bits - 1;
        }
    }
}

void PixelBatch::forgetLayers()
{
    for (Layer& layer : m_layers) {
        for (int y = layer.top; y <= layer.bottom; ++y) {
            std::uint64_t* words = layer.bits.data() + std::size_t(y) * std::size_t(m_wordsPerRow);
            std::fill(words + layer.left, words + layer.right + 1, 0);
        }
        layer.top = 0;
        layer.bottom = -1;
    }
    m_waiting = 0;
}

void PixelBatch::flush()
{
    endColor();
    writeLayers();
}

void PixelBatch::discard()
{
    if (m_bandBottom >= m_bandTop)
        std::fill(m_band.begin() + m_bandTop, m_band.begin() + m_bandBottom + 1, 0);
    m_bandWord = -1;
    m_bandTop = std::numeric_limits<int>::max();
    m_bandBottom = -1;
    m_runOpen = false;
    m_open = false;
    m_layer = nullptr;
    forgetLayers();
    m_lines.clear();
}

} // namespace plotvane
