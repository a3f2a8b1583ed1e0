#include "drawingsurface.h"

#include "olecolor.h"

#include "platform/runtimeerror.h"

namespace plotvane {

DrawingSurface::DrawingSurface()
    : m_font(std::make_shared<platform::FontObject>())
{
}

DrawingSurface::~DrawingSurface() = default;

void DrawingSurface::setFont(std::shared_ptr<platform::FontObject> font)
{
    const bool changed = font != m_font;
    m_font = std::move(font);
    if (changed && m_font)
        fontChanged();
}

const platform::FontObject& DrawingSurface::currentFont() const
{
    if (!m_font)
        throw platform::RuntimeError(platform::ErrorNumber::ObjectVariableNotSet);
    return *m_font;
}

std::int32_t DrawingSurface::inkColor() const
{
    // A colour the container chose stays; so does any colour on a transparent surface, which
    // shows a container whose colour the chart does not know.
    if (!isSystemColor(m_foreColor) || m_backStyle == 0)
        return m_foreColor;
    // Resolved once a pair of colours, as the surfaces resolve each colour once.
    if (m_ink.fore != m_foreColor || m_ink.back != m_backColor) {
        m_ink.fore = m_foreColor;
        m_ink.back = m_backColor;
        m_ink.color = readableOn(toQColor(m_foreColor), toQColor(m_backColor)) ? m_foreColor : plainInkOn(m_backColor);
    }
    return m_ink.color;
}

bool DrawingSurface::readableOn(const QColor& text, const QColor& background)
{
    return contrastRatio(text, background) >= MinimumTextContrast;
}

std::int32_t DrawingSurface::plainInkOn(std::int32_t backColor)
{
    constexpr std::int32_t Black = 0x000000;
    constexpr std::int32_t White = 0xFFFFFF;
    const QColor back = toQColor(backColor);
    return contrastRatio(QColor(Qt::black), back) >= contrastRatio(QColor(Qt::white), back) ? Black : White;
}

void DrawingSurface::Cls()
{
    clear(m_backColor);
    m_currentX = 0;
    m_currentY = 0;
}

void DrawingSurface::series(const std::int32_t* xs, const std::int32_t* ys, std::size_t count, bool boxes,
                            double boxSide, double half, std::int32_t color)
{
    for (std::size_t j = 0; j < count; ++j) {
        const std::int32_t x = xs[j];
        const std::int32_t y = ys[j];
        if (boxes)
            fillBox(float(x), float(y), float(x + boxSide), float(y + boxSide), color);
        if (j != 0)
            line(float(x + half), float(y + half), float(xs[j - 1] + half), float(ys[j - 1] + half), color);
    }
}

bool DrawingSurface::printText(const platform::Variant& item, QString& text)
{
    using Type = platform::Variant::Type;
    switch (item.type()) {
    case Type::Empty:
        return false;
    case Type::Integer:
    case Type::Long:
    case Type::Single:
    case Type::Double: {
        const QString digits = item.toString();
        text = (digits.startsWith(u'-') ? digits : u' ' + digits) + u' ';
        return true;
    }
    default:
        text = item.toString();
        return true;
    }
}

void DrawingSurface::Print(const platform::Variant& item)
{
    // Without a font nothing is drawn, not even the first text.
    currentFont();
    QString text;
    const bool draws = printText(item, text);
    if (draws)
        drawText(m_currentX, m_currentY, text);
    m_currentY += TextHeight(draws ? text : QStringLiteral("X"));
    m_currentX = 0;
}

} // namespace plotvane
