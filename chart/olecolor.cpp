#include "olecolor.h"

#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace plotvane {

namespace {

constexpr std::uint32_t SystemColorFlag = 0x80000000u;

// The system colour indexes 0 to 24 in the palette roles that play their parts here.
constexpr QPalette::ColorRole SystemRoles[] = {
    QPalette::Mid, // scroll bar
    QPalette::Window, // desktop
    QPalette::Highlight, // active caption
    QPalette::Mid, // inactive caption
    QPalette::Window, // menu
    QPalette::Base, // window
    QPalette::Shadow, // window frame
    QPalette::WindowText, // menu text
    QPalette::Text, // window text
    QPalette::HighlightedText, // caption text
    QPalette::Window, // active border
    QPalette::Window, // inactive border
    QPalette::Dark, // application workspace
    QPalette::Highlight, // highlight
    QPalette::HighlightedText, // highlighted text
    QPalette::Button, // button face
    QPalette::Dark, // button shadow
    QPalette::PlaceholderText, // grey text
    QPalette::ButtonText, // button text
    QPalette::WindowText, // inactive caption text
    QPalette::Light, // button highlight
    QPalette::Shadow, // 3-D dark shadow
    QPalette::Midlight, // 3-D light
    QPalette::ToolTipText, // tooltip text
    QPalette::ToolTipBase, // tooltip background
};

double relativeLuminance(const QColor& colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

} // namespace

bool isSystemColor(std::int32_t oleColor)
{
    return (std::uint32_t(oleColor) & SystemColorFlag) != 0;
}

double contrastRatio(const QColor& first, const QColor& second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor toQColor(std::int32_t oleColor)
{
    const std::uint32_t value = std::uint32_t(oleColor);
    if (value & SystemColorFlag) {
        const std::uint32_t index = value & 0xFFu;
        const QPalette palette = QGuiApplication::palette();
        if (index < std::size(SystemRoles))
            return palette.color(SystemRoles[index]);
        return palette.color(QPalette::WindowText);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace plotvane
