#include "plainglyphs.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <QVarLengthArray>

#include <cmath>
#include <iterator>
#include <string_view>

namespace plotvane {

namespace {

// What numbers are written with, in any locale's decimal sign, and what printing a number adds.
constexpr char16_t Characters[] = u"0123456789 .,-+E";
constexpr std::size_t SlotTableSize = 128;

// Each character's place in Characters; those of no number are past the end.
constexpr std::array<std::uint8_t, SlotTableSize> slotTable(std::uint8_t unknown)
{
    std::array<std::uint8_t, SlotTableSize> table{};
    table.fill(unknown);
    for (std::size_t i = 0; i + 1 < std::size(Characters); ++i)
        table[Characters[i]] = std::uint8_t(i);
    return table;
}

// The raster engine draws larger glyphs as outlines, by a path of its own for each way in.
constexpr qreal LargestCachedGlyph = 64;

// Every ordered pair of the characters side by side, once each: their Lyndon words in order (a de
// Bruijn sequence), the first character again at the end. It starts and ends with a digit: spaces
// at either end of a line would be laid out apart.
QString everyPair()
{
    const std::u16string_view characters(Characters);
    QString text;
    for (std::size_t first = 0; first < characters.size(); ++first) {
        text.append(QChar(characters[first]));
        for (std::size_t second = first + 1; second < characters.size(); ++second)
            text.append(QChar(characters[first])).append(QChar(characters[second]));
    }
    return text.append(QChar(characters.front()));
}

} // namespace

PlainGlyphs::PlainGlyphs(const QFont& font)
{
    learn(font);
}

std::size_t PlainGlyphs::slot(char16_t c)
{
    static_assert(std::size(Characters) - 1 == CharacterCount);
    static constexpr std::array<std::uint8_t, SlotTableSize> Slots = slotTable(std::uint8_t(Unknown));
    return c < SlotTableSize ? Slots[c] : Unknown;
}

bool PlainGlyphs::isNumberText(QStringView text)
{
    for (QChar c : text)
        if (slot(c.unicode()) == Unknown)
            return false;
    return true;
}

void PlainGlyphs::learn(const QFont& font)
{
    const QFontMetricsF metrics(font);
    for (std::size_t i = 0; i < CharacterCount; ++i)
        m_advances[i] = metrics.horizontalAdvance(QString(QChar(Characters[i])));

    const QString pairs = everyPair();
    QTextLayout layout(pairs, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid())
        return;
    const QList<QGlyphRun> runs = line.glyphRuns();
    if (runs.size() != 1 || runs.front().glyphIndexes().size() != pairs.size())
        return;
    const QList<quint32> glyphs = runs.front().glyphIndexes();
    const QList<QPointF> positions = runs.front().positions();
    std::array<bool, CharacterCount> seen{};
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        const std::size_t s = slot(pairs[i].unicode());
        if (!seen[s]) {
            seen[s] = true;
            m_glyphs[s] = glyphs[i];
        }
        const double next = i + 1 < pairs.size() ? positions[i + 1].x() : line.naturalTextWidth();
        // Kerning moves a neighbour, a ligature or a contextual form changes a glyph.
        if (glyphs[i] != m_glyphs[s] || next - positions[i].x() != m_advances[s]
            || positions[i].y() != positions[0].y())
            return;
    }
    m_plain = true;
    m_run.setRawFont(runs.front().rawFont());
    m_drawable = !font.underline() && !font.strikeOut() && !font.overline()
        && m_run.rawFont().pixelSize() <= LargestCachedGlyph && !qEnvironmentVariableIsSet("QT_MAX_CACHED_GLYPH_SIZE");
}

double PlainGlyphs::width(QStringView text) const
{
    double sum = 0; // of multiples of 1/64: exact, as the shaper's fixed-point sum is
    for (QChar c : text)
        sum += m_advances[slot(c.unicode())];
    return sum;
}

bool PlainGlyphs::draw(QPainter& painter, const QPointF& origin, QStringView text)
{
    // Text drawn right to left, on a background, transformed or invisible goes the shaper's way. A
    // number has no character of a direction of its own: left to right, unless told otherwise.
    if (!m_drawable || painter.layoutDirection() == Qt::RightToLeft || painter.backgroundMode() != Qt::TransparentMode
        || !painter.worldTransform().isIdentity() || painter.viewTransformEnabled()
        || painter.pen().style() == Qt::NoPen)
        return false;
    // The shaper places the first glyph at the origin cut to 64ths towards zero and adds fixed-point
    // advances; the glyph run adds its positions to its origin as reals, so the origin is cut here
    // and every sum stays exact.
    constexpr double Farthest = 1 << 20; // pixels: far past any image, well inside fixed point
    if (!(std::abs(origin.x()) < Farthest))
        return false;
    const QPointF start(std::trunc(origin.x() * 64) / 64, origin.y());
    const qsizetype count = text.size();
    QVarLengthArray<quint32, 64> glyphs(count);
    QVarLengthArray<QPointF, 64> positions(count);
    double x = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const std::size_t s = slot(text[i].unicode());
        glyphs[i] = m_glyphs[s];
        positions[i] = QPointF(x, 0);
        x += m_advances[s];
    }
    m_run.setRawData(glyphs.constData(), positions.constData(), int(count));
    painter.drawGlyphRun(start, m_run);
    m_run.setRawData(nullptr, nullptr, 0); // the arrays end here
    return true;
}

} // namespace plotvane
