#pragma once

#include "plotvane_export.h"

#include "platform/automation/fontobject.h"
#include "platform/automation/variant.h"

#include <QColor>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace plotvane {

/// The control's drawing surface, in twips with the origin at the top left of the inner area.
/// It holds the surface settings and the text position; concrete surfaces draw the primitives.
class PLOTVANE_EXPORT DrawingSurface
{
public:
    static constexpr std::int32_t DefaultBackColor = std::int32_t(0x8000000Fu);
    static constexpr std::int32_t DefaultForeColor = std::int32_t(0x80000012u);

    DrawingSurface();
    virtual ~DrawingSurface();
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    std::int32_t BackColor() const { return m_backColor; }
    void setBackColor(std::int32_t color) { m_backColor = color; }
    std::int32_t ForeColor() const { return m_foreColor; }
    void setForeColor(std::int32_t color) { m_foreColor = color; }
    /// The colour texts, axes and frame are drawn in: ForeColor, unless it is a system colour that
    /// stands out from an opaque BackColor by less than MinimumTextContrast (a dark palette's light
    /// text on a white chart); then black or white, whichever stands out more.
    std::int32_t inkColor() const;
    /// The least contrast of text with its background that stays readable: WCAG's 4.5 : 1.
    static constexpr double MinimumTextContrast = 4.5;
    /// Whether a text colour stands out from a background by at least MinimumTextContrast.
    static bool readableOn(const QColor& text, const QColor& background);
    /// Black or white, whichever stands out more from the background.
    static std::int32_t plainInkOn(std::int32_t backColor);
    bool Enabled() const { return m_enabled; }
    virtual void setEnabled(bool enabled) { m_enabled = enabled; }
    /// 0 transparent, 1 opaque.
    std::int16_t BackStyle() const { return m_backStyle; }
    void setBackStyle(std::int16_t style) { m_backStyle = style; }
    /// 0 none, 1 fixed single.
    std::int16_t BorderStyle() const { return m_borderStyle; }
    virtual void setBorderStyle(std::int16_t style) { m_borderStyle = style; }

    /// The surface's font, shared by reference with whoever set it; null once set to Nothing.
    const std::shared_ptr<platform::FontObject>& Font() const { return m_font; }
    void setFont(std::shared_ptr<platform::FontObject> font);
    /// The font text is measured and drawn in; error 91 while the font is Nothing.
    const platform::FontObject& currentFont() const;

    float CurrentX() const { return m_currentX; }
    float CurrentY() const { return m_currentY; }
    void setCurrentX(float x) { m_currentX = x; }
    void setCurrentY(float y) { m_currentY = y; }

    /// Width and height of the inner area in twips.
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;
    /// Extent of a text in the current font, in twips; the height of "X" is one text line.
    virtual float TextWidth(const QString& text) const = 0;
    virtual float TextHeight(const QString& text) const = 0;

    /// Fills the surface with the background colour and puts the text position at (0, 0).
    void Cls();
    /// A segment between two points, both ends included.
    virtual void line(float x1, float y1, float x2, float y2, std::int32_t color) = 0;
    /// A rectangle outline between two corners.
    virtual void box(float x1, float y1, float x2, float y2, std::int32_t color) = 0;
    /// A rectangle filled and outlined in one colour.
    virtual void fillBox(float x1, float y1, float x2, float y2, std::int32_t color) = 0;
    /// A line series through points (xs[i], ys[i]): for each point a box of side boxSide from it
    /// when boxes is set, then a segment from the point offset by half to the point before it, offset
    /// alike. The same primitives in the same order as one box() and line() call each; a surface may
    /// draw them faster.
    virtual void series(const std::int32_t* xs, const std::int32_t* ys, std::size_t count, bool boxes,
                        double boxSide, double half, std::int32_t color);
    /// Draws one item at the text position in the foreground colour, then moves to the start of
    /// the next line. Numbers get the runtime's leading and trailing spaces; Empty draws nothing.
    void Print(const platform::Variant& item);

    /// The text Print draws for an item; false for an item that draws nothing.
    static bool printText(const platform::Variant& item, QString& text);

protected:
    virtual void clear(std::int32_t backColor) = 0;
    virtual void drawText(float x, float y, const QString& text) = 0;
    virtual void fontChanged() { }

private:
    std::int32_t m_backColor = DefaultBackColor;
    std::int32_t m_foreColor = DefaultForeColor;
    struct InkChoice
    {
        std::int32_t fore = 0;
        std::int32_t back = 0;
        std::int32_t color = 0;
    };
    mutable InkChoice m_ink{ 0, 0, 0 };
    bool m_enabled = true;
    std::int16_t m_backStyle = 1;
    std::int16_t m_borderStyle = 1;
    std::shared_ptr<platform::FontObject> m_font;
    float m_currentX = 0;
    float m_currentY = 0;
};

} // namespace plotvane
