#pragma once

#include "drawingsurface.h"
#include "plotvane_export.h"

#include <QImage>
#include <QSize>

#include <functional>
#include <memory>

namespace plotvane {

/// A surface that keeps its drawing in an image, twips mapped to pixels at a given resolution.
/// Lines use a cosmetic one-pixel pen. By default consecutive primitives of one colour are
/// gathered, and those that cannot change a pixel are never sent to the raster engine.
class PLOTVANE_EXPORT ImageSurface : public DrawingSurface
{
public:
    /// logicalSize in device-independent pixels; twipsPerPixel 15 is a 96 dpi screen.
    explicit ImageSurface(QSize logicalSize, double twipsPerPixel = 15, double devicePixelRatio = 1);
    ~ImageSurface() override;

    /// A new size or resolution; what was drawn stays at the top left.
    void resize(QSize logicalSize, double twipsPerPixel, double devicePixelRatio);
    /// The drawing so far, in device pixels, with its device pixel ratio set.
    QImage image() const;
    QSize logicalSize() const;
    double twipsPerPixel() const;
    double devicePixelRatio() const;
    /// Off: every primitive is one raster call of its own (the slow reference the fast path matches).
    void setFastPath(bool on);
    /// Called after something was drawn or a setting that shows changed; at most once until the
    /// next image().
    void setChangeListener(std::function<void()> listener);

    void setEnabled(bool enabled) override;
    void setBorderStyle(std::int16_t style) override;
    float ScaleWidth() const override;
    float ScaleHeight() const override;
    float TextWidth(const QString& text) const override;
    float TextHeight(const QString& text) const override;
    void line(float x1, float y1, float x2, float y2, std::int32_t color) override;
    void box(float x1, float y1, float x2, float y2, std::int32_t color) override;
    void fillBox(float x1, float y1, float x2, float y2, std::int32_t color) override;
    void series(const std::int32_t* xs, const std::int32_t* ys, std::size_t count, bool boxes, double boxSide,
                double half, std::int32_t color) override;

protected:
    void clear(std::int32_t backColor) override;
    void drawText(float x, float y, const QString& text) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace plotvane
