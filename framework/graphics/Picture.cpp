#include "framework/graphics/Picture.h"

PicturePtr NewPicture(int32_t width, int32_t height, int32_t) {
    // 16384 x 16384 is more than any screen; it also keeps a canvas below 1 GiB.
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return nullptr;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return nullptr;
    image.fill(Qt::white);
    return std::make_shared<Picture>(std::move(image));
}
