#pragma once
// Drawing on a picture. Scaled drawing is smooth; UseOldRenderer turns
// anti-aliasing off (square-edged shapes, as the strip's corners want).
#include <QPainter>
#include <memory>

#include "framework/core/Color.h"
#include "framework/graphics/Picture.h"

class Graphics {
public:
    explicit Graphics(QImage& target);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    Color ForeColor() const { return foreColor_; }
    void SetForeColor(Color c) { foreColor_ = c; }
    bool UseOldRenderer() const { return useOldRenderer_; }
    void SetUseOldRenderer(bool v);

    void FillRect(int32_t x, int32_t y, int32_t width, int32_t height);
    // ovalWidth, ovalHeight: the size of the corner ovals (twice the radii).
    void FillRoundRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t ovalWidth, int32_t ovalHeight);
    // Draws the source rectangle of the picture scaled into the target rectangle.
    void DrawPicture(const PicturePtr& picture, int32_t x, int32_t y, int32_t width, int32_t height, int32_t sourceX,
                     int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight);

    // Covers the target rectangle with copies of the picture at its own size, one
    // of them with its top left at (originX, originY): the same pixels as drawing
    // each copy on its own.
    void DrawTiledPicture(const PicturePtr& picture, int32_t x, int32_t y, int32_t width, int32_t height,
                          int32_t originX, int32_t originY);

    QPainter& Painter() { return painter_; }

private:
    QImage& target_;
    QPainter painter_;
    Color foreColor_;
    bool useOldRenderer_ = false;
};

using GraphicsPtr = std::shared_ptr<Graphics>;
