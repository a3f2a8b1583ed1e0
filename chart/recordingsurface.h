#pragma once

#include "drawingsurface.h"
#include "plotvane_export.h"

#include <QSizeF>
#include <QStringList>

#include <memory>

namespace plotvane {

/// A surface that draws nothing and logs every primitive, one line each:
/// `cls C`, `line X1 Y1 X2 Y2 C`, `box ...`, `fill ...`, `print X Y "TEXT"`, `font NAME SIZE`.
/// Numbers are written in their shortest exact form, colours as 0x%08X of the value given.
class PLOTVANE_EXPORT RecordingSurface : public DrawingSurface
{
public:
    /// Text measured in the current font, as on a screen of 15 twips per pixel.
    RecordingSurface(QSizeF innerSizeTwips, QStringList* log);
    /// Every character charWidth twips wide and every text textHeight twips high.
    RecordingSurface(QSizeF innerSizeTwips, QStringList* log, float charWidth, float textHeight);
    ~RecordingSurface() override;

    float ScaleWidth() const override;
    float ScaleHeight() const override;
    float TextWidth(const QString& text) const override;
    float TextHeight(const QString& text) const override;
    void line(float x1, float y1, float x2, float y2, std::int32_t color) override;
    void box(float x1, float y1, float x2, float y2, std::int32_t color) override;
    void fillBox(float x1, float y1, float x2, float y2, std::int32_t color) override;

    /// The shortest decimal text that reads back as exactly this value.
    static QString number(double value);
    static QString number(float value);
    static QString color(std::int32_t value);

protected:
    void clear(std::int32_t backColor) override;
    void drawText(float x, float y, const QString& text) override;
    void fontChanged() override;

private:
    void shape(const char* kind, float x1, float y1, float x2, float y2, std::int32_t color);
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace plotvane
