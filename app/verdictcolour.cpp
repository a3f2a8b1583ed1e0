#include "verdictcolour.h"

#include <QPalette>

namespace quizmark {

namespace {

constexpr int DarkBelowLightness = 128;
constexpr QColor PositiveOnLight(0x1b, 0x6e, 0x2f);
constexpr QColor NegativeOnLight(0xb0, 0x1f, 0x1a);
constexpr QColor PositiveOnDark(0x7f, 0xd6, 0x8e);
constexpr QColor NegativeOnDark(0xff, 0x8f, 0x85);

} // namespace

QColor verdictColour(const QPalette& palette, bool passed)
{
    const bool dark = palette.color(QPalette::Window).lightness() < DarkBelowLightness;
    if (dark)
        return passed ? PositiveOnDark : NegativeOnDark;
    return passed ? PositiveOnLight : NegativeOnLight;
}

} // namespace quizmark
