#pragma once
// Shows a picture, centred and scaled down to fit when it is larger than the well.
#include "framework/graphics/Picture.h"
#include "framework/ui/RectControl.h"

class ImageWell : public RectControl {
public:
    ImageWell();
    QString KindName() const override { return QStringLiteral("ImageWell"); }
    PicturePtr Image() const { return image_; }
    void SetImage(PicturePtr image);

private:
    PicturePtr image_;
};
using ImageWellPtr = std::shared_ptr<ImageWell>;
