#include "framework/graphics/Picture.h"

#include "framework/graphics/Graphics.h"

Picture::Picture(QImage image) : image_(std::move(image)) {}
Picture::~Picture() = default;

::Graphics& Picture::Graphics() {
    if (!graphics_) graphics_ = std::make_unique<::Graphics>(image_);
    return *graphics_;
}

PicturePtr NewPicture(int32_t width, int32_t height, int32_t) {
    // 16384 x 16384 is more than any screen; it also keeps a canvas below 1 GiB.
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return nullptr;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return nullptr;
    image.fill(Qt::white);
    return std::make_shared<Picture>(std::move(image));
}
