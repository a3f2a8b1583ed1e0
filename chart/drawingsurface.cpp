#include "drawingsurface.h"

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

void DrawingSurface::Cls()
{
    clear(m_backColor);
    m_currentX = 0;
    m_currentY = 0;
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
