#pragma once

#include <QImage>
#include <QLine>
#include <QRect>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace plotvane {

class CanvasPainter;

// The image's pixels as a paint device of ratio 1, so that a painter on it draws in device
// pixels whatever ratio the image shows at. It writes into the image (detaching it first when
// shared) and must not outlive the painter that uses it.
QImage deviceCanvas(QImage& image);

// The primitives of one colour, in device pixels, on their way to an image. Within one colour
// the order of drawing cannot change a pixel, so fills and vertical segments are marked in a
// coverage bitmap (those within one bitmap word gather first in that word's column, whose rows
// lie side by side), and the other segments go to the raster engine once per colour. The bitmaps
// of consecutive colours wait in layers until something else must be drawn: then every
// covered pixel is written once, in the colour of the topmost layer that covers it, row after
// row. Segments that lead to the next column are drawn as two half runs once the run shows
// that several points share a column (never so when there are fewer points than columns).
class PixelBatch
{
public:
    // Segments are drawn through painter, which may stay open after.
    PixelBatch(QImage& image, CanvasPainter& painter);

    bool isOpen() const { return m_open; }
    QRgb color() const { return m_color; }
    // Ends the colour before, keeping its layer waiting when it can.
    void begin(QRgb color);
    // Both corners belong to the rectangle.
    void addFill(const QRect& rect);
    // Columns left..right as one bitmap word and the columns' bits in it, when they lie inside
    // the image within one word, as a point's box mostly does; word -1 otherwise.
    struct WordColumns
    {
        int word = -1;
        std::uint64_t bits = 0;
    };
    static WordColumns wordColumns(int left, int right, int imageWidth);
    // A fill of columns inside one word and of rows top..bottom inside the image.
    void addWordFill(WordColumns columns, int top, int bottom);
    // Both ends belong to the segment.
    void addLine(QPoint a, QPoint b)
    {
        // A segment down the column of the open run mostly extends it.
        if (a.x() == b.x() && m_runOpen && a.x() == m_runX) {
            const int top = std::min(a.y(), b.y()), bottom = std::max(a.y(), b.y());
            if (top <= m_runBottom + 1 && bottom >= m_runTop - 1) {
                m_dense = m_dense || top != bottom;
                m_runTop = std::min(m_runTop, top);
                m_runBottom = std::max(m_runBottom, bottom);
                return;
            }
        }
        addLineBeyondRun(a, b);
    }
    // Writes everything gathered into the image and closes the batch.
    void flush();
    // Forgets everything gathered, as when the surface is cleared.
    void discard();

private:
    // The covered pixels of one colour: rows of wordsPerRow words, bit 0 the leftmost column of
    // its word, and the rows and words that hold any (last < first when none).
    struct Layer
    {
        QRgb color = 0;
        std::vector<std::uint64_t> bits;
        int top = 0, bottom = -1, left = 0, right = -1;
        bool empty() const { return bottom < top; }
    };
    // As many layers as a chart has series.
    static constexpr std::size_t LayerLimit = 16;

    void endColor();
    void closeBand();
    void addLineBeyondRun(QPoint a, QPoint b);
    void widen(Layer& layer, int top, int bottom, int leftWord, int rightWord);
    void addRun(int x, int top, int bottom);
    void closeRun();
    // Columns left..right of rows top..bottom, all inside the image.
    void cover(int left, int right, int top, int bottom);
    Layer& openLayer();
    void writeLayers();
    void writeRows(uchar* pixels, int top, int bottom, int left, int right);
    [[gnu::noinline]] void writeRowsAside(uchar* pixels, int top, int bottom, int left, int right);
    // Below this many words to look at in all layers, a second thread costs more than it saves.
    static constexpr std::int64_t ParallelWords = 1 << 16;
    // The 64 pixels of bitmap word at, from the topmost waiting layer down.
    void writeWord(QRgb* pixels, std::size_t at);
    void forgetLayers();

    QImage& m_image;
    CanvasPainter& m_painter;
    bool m_open = false;
    QRgb m_color = 0;
    bool m_dense = false;
    // The open column run.
    bool m_runOpen = false;
    int m_runX = 0, m_runTop = 0, m_runBottom = 0;
    std::vector<Layer> m_layers;
    // One word's column of the open colour, row after row, gathered where rows lie side by side
    // in memory and then added to the layer at once (rows m_bandTop..m_bandBottom, when any).
    int m_bandWord = -1;
    int m_bandTop = std::numeric_limits<int>::max(), m_bandBottom = -1;
    std::vector<std::uint64_t> m_band;
    Layer* m_layer = nullptr; // the open colour's, once it covers anything
    std::size_t m_waiting = 0; // layers before the open one, not yet written
    int m_wordsPerRow = 0;
    int m_width = 0; // the image's, while a colour is open
    int m_height = 0;
    QRect m_lastRect;
    QLine m_lastLine;
    std::vector<QLine> m_lines;
};

inline void PixelBatch::widen(Layer& layer, int top, int bottom, int leftWord, int rightWord)
{
    if (layer.empty()) {
        layer.top = top;
        layer.bottom = bottom;
        layer.left = leftWord;
        layer.right = rightWord;
    } else {
        layer.top = std::min(layer.top, top);
        layer.bottom = std::max(layer.bottom, bottom);
        layer.left = std::min(layer.left, leftWord);
        layer.right = std::max(layer.right, rightWord);
    }
}

inline void PixelBatch::addWordFill(WordColumns columns, int top, int bottom)
{
    if (columns.word != m_bandWord) {
        closeBand();
        m_bandWord = columns.word;
    }
    for (int y = top; y <= bottom; ++y)
        m_band[std::size_t(y)] |= columns.bits;
    m_bandTop = std::min(m_bandTop, top);
    m_bandBottom = std::max(m_bandBottom, bottom);
}

} // namespace plotvane
