#pragma once
// A picture: a 32-bit Qt image. Held by std::shared_ptr; Nil is nullptr.
#include <QImage>
#include <cstdint>
#include <memory>

#include "framework/core/Color.h"

class Graphics;
class Picture;
using PicturePtr = std::shared_ptr<Picture>;

class Picture {
public:
    explicit Picture(QImage image);
    ~Picture();
    int32_t Width() const { return image_.width(); }
    int32_t Height() const { return image_.height(); }
    const QImage& Image() const { return image_; }
    QImage& Image() { return image_; }
    // Drawing on the picture; the same object until EndGraphics.
    ::Graphics& Graphics();
    // Ends drawing (the painter lets go of the pixels, so they are read without a copy).
    void EndGraphics();

private:
    QImage image_;
    std::unique_ptr<::Graphics> graphics_;
};

// A new picture (opaque white, RGB32: nothing drawn is transparent); Nil when it
// cannot be made (non-positive or huge sizes, or no memory). Depth is accepted
// for the caller's sake; pictures are 32-bit.
PicturePtr NewPicture(int32_t width, int32_t height, int32_t depth = 32);
// The same, filled with another colour (one pass over the pixels instead of two).
PicturePtr NewPicture(int32_t width, int32_t height, int32_t depth, Color fill);
// Whether NewPicture accepts the size (it may still find no memory).
bool PictureSizeAllowed(int32_t width, int32_t height);
