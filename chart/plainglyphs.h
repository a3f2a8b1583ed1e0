#pragma once

#include <QFont>
#include <QGlyphRun>

#include <array>
#include <cstdint>

class QPainter;
class QPointF;

namespace plotvane {

// What shaping gives a font's characters of written numbers (digits, signs, points, the exponent's
// "E", spaces), learnt once with one shaping of every pair of them. When no pair kerns, joins or
// changes another, a text of those characters needs no shaping of its own: its width is the sum
// of its characters' advances, and its glyphs go where the shaper would have put them. A chart's
// value labels are all different, and shaping each twice (to measure, to draw) was most of a
// large chart's cost.
class PlainGlyphs
{
public:
    // font: resolved for the device it measures or draws on (QFont(font, device), or a painter's).
    explicit PlainGlyphs(const QFont& font);

    // Whether text has only characters numbers are written with.
    static bool isNumberText(QStringView text);
    // Whether the font shapes those characters plainly.
    bool isPlain() const { return m_plain; }
    // Of a number text in a plain font: what QFontMetricsF::horizontalAdvance gives.
    double width(QStringView text) const;
    // Draws a number text in a plain font as painter.drawText(origin, text) does, on a painter whose font is the
    // one learnt; false, with nothing drawn, where that cannot be promised.
    bool draw(QPainter& painter, const QPointF& origin, QStringView text);

private:
    static constexpr std::size_t CharacterCount = 16;
    static constexpr std::size_t Unknown = CharacterCount;

    void learn(const QFont& font);
    static std::size_t slot(char16_t c);

    std::array<quint32, CharacterCount> m_glyphs{};
    std::array<double, CharacterCount> m_advances{};
    QGlyphRun m_run; // holds the font engine the shaper used; its glyphs are set for each text
    bool m_plain = false;
    bool m_drawable = false;
};

} // namespace plotvane
