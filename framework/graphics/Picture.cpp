#include "framework/graphics/Picture.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/PictureBuffers.h"

Picture::Picture(QImage image) : image_(std::move(image)) {}
Picture::~Picture() = default;

::Graphics& Picture::Graphics() {
    if (!graphics_) graphics_ = std::make_unique<::Graphics>(image_);
    return *graphics_;
}

void Picture::EndGraphics() { graphics_.reset(); }

bool PictureSizeAllowed(int32_t width, int32_t height) {
    // 16384 x 16384 is more than any screen; it also keeps a canvas below 1 GiB.
    return width > 0 && height > 0 && width <= 16384 && height <= 16384;
}

PicturePtr NewPicture(int32_t width, int32_t height, int32_t depth) {
    return NewPicture(width, height, depth, RGB(255, 255, 255));
}

PicturePtr NewPicture(int32_t width, int32_t height, int32_t, Color fill) {
    if (!PictureSizeAllowed(width, height)) return nullptr;
    QImage image = NewImageBuffer(width, height, QImage::Format_RGB32);
    if (image.isNull()) return nullptr;
    image.fill(QColor(fill.red, fill.green, fill.blue));
    return std::make_shared<Picture>(std::move(image));
}
