#include "framework/graphics/Graphics.h"

namespace {
QColor ToQColor(Color c) { return QColor(c.red, c.green, c.blue); }
}  // namespace

Graphics::Graphics(QImage& target) : painter_(&target) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_.setPen(Qt::NoPen);
}

Graphics::~Graphics() { painter_.end(); }

void Graphics::SetUseOldRenderer(bool v) {
    useOldRenderer_ = v;
    painter_.setRenderHint(QPainter::Antialiasing, !v);
}

void Graphics::FillRect(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return;
    painter_.fillRect(QRect(x, y, width, height), ToQColor(foreColor_));
}

void Graphics::FillRoundRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t ovalWidth,
                             int32_t ovalHeight) {
    if (width <= 0 || height <= 0) return;
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(ToQColor(foreColor_));
    painter_.drawRoundedRect(QRectF(x, y, width, height), ovalWidth / 2.0, ovalHeight / 2.0);
    painter_.setBrush(Qt::NoBrush);
}

void Graphics::DrawPicture(const PicturePtr& picture, int32_t x, int32_t y, int32_t width, int32_t height,
                           int32_t sourceX, int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight) {
    if (!picture || width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return;
    painter_.drawImage(QRect(x, y, width, height), picture->Image(), QRect(sourceX, sourceY, sourceWidth, sourceHeight));
}
