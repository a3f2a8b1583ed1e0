#pragma once

#include <QImage>
#include <QLine>
#include <QRect>

#include <vector>

namespace plotvane {

// The primitives of one colour, in device pixels, on their way to an image. Within one colour
// the order of drawing cannot change a pixel, so fills are merged into row spans, vertical
// segments into column runs, and only what is left goes to the raster engine, once per colour.
// Segments that lead to the next column are drawn as two half runs once the run shows that
// several points share a column (never so when there are fewer points than columns).
class PixelBatch
{
public:
    explicit PixelBatch(QImage& image);

    bool isOpen() const { return m_open; }
    QRgb color() const { return m_color; }
    void begin(QRgb color);
    // Both corners belong to the rectangle.
    void addFill(const QRect& rect);
    // Both ends belong to the segment.
    void addLine(QPoint a, QPoint b);
    // Writes everything gathered and closes the batch.
    void flush();
    // Forgets everything gathered, as when the surface is cleared.
    void discard();

private:
    void addRun(int x, int top, int bottom);
    void closeRun();
    void writeRun(int x, int top, int bottom);
    void writeSpan(int y, int left, int right);
    void closeSpans();

    QImage& m_image;
    bool m_open = false;
    QRgb m_color = 0;
    uchar* m_pixels = nullptr;
    qsizetype m_stride = 0;
    bool m_dense = false;
    // The open column run.
    bool m_runOpen = false;
    int m_runX = 0, m_runTop = 0, m_runBottom = 0;
    // The open span of every row (right < left when none), and the rows that have one.
    struct Span
    {
        int left = 0;
        int right = -1;
    };
    std::vector<Span> m_spans;
    int m_spanTop = 0, m_spanBottom = -1;
    QRect m_lastRect;
    QLine m_lastLine;
    std::vector<QLine> m_lines;
};

} // namespace plotvane
