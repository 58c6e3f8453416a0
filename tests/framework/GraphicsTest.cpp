// Drawing on pictures: a large scaled draw, drawn in bands on several threads,
// gives the pixels one painter gives.
#include <gtest/gtest.h>

#include <QPainter>

#include "framework/graphics/Graphics.h"

namespace {

TEST(Graphics, ALargeScaledDrawGivesThePixelsOfOnePainter) {
    QImage source(2501, 1703, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qPremultiply(qRgba((x * 7) ^ y, (y * 13) ^ x, (x * y) & 255, (x + y) & 255)));
    const auto picture = std::make_shared<Picture>(source);
    // Partly off the canvas, as Fill and Fit with "below" draw.
    const QRect target(-37, 11, 1700, 1111), part(3, 5, 2490, 1690);
    QImage expected(1600, 1000, QImage::Format_RGB32);
    expected.fill(Qt::darkCyan);
    QImage drawn = expected;
    {
        QPainter p(&expected);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(target, source, part);
    }
    Graphics(drawn).DrawPicture(picture, target.x(), target.y(), target.width(), target.height(), part.x(), part.y(),
                                part.width(), part.height());
    EXPECT_TRUE(drawn == expected);
}

}  // namespace
