#include "framework/graphics/JpegCodec.h"

#include <turbojpeg.h>

#include "framework/graphics/PictureBuffers.h"

namespace {

struct Handle {
    tjhandle h;
    ~Handle() {
        if (h) tjDestroy(h);
    }
};

// TurboJPEG's pixel format of QImage's 32-bit formats in memory on this machine.
constexpr TJPF kPixelFormat = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TJPF_BGRA : TJPF_ARGB;
constexpr TJPF kPixelFormatIgnoringAlpha = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TJPF_BGRX : TJPF_XRGB;

}  // namespace

QSize JpegDecodedSize(int width, int height, QSize atLeast) {
    if (atLeast.isValid() && atLeast.width() > 0 && atLeast.height() > 0) {
        for (int denominator : {8, 4, 2}) {
            // Rounded up, as the decoder scales.
            const int w = (width + denominator - 1) / denominator, h = (height + denominator - 1) / denominator;
            if (w >= atLeast.width() && h >= atLeast.height()) return QSize(w, h);
        }
    }
    return QSize(width, height);
}

QImage DecodeJpeg(const uchar* data, size_t size, QSize atLeast, QSize* fullSize) {
    Handle d{tjInitDecompress()};
    if (!d.h || !data) return QImage();
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(d.h, data, static_cast<unsigned long>(size), &width, &height, &subsampling, &colorspace) != 0)
        return QImage();
    if (colorspace == TJCS_CMYK || colorspace == TJCS_YCCK) return QImage();
    const QSize scaled = JpegDecodedSize(width, height, atLeast);
    QImage image = NewImageBuffer(scaled.width(), scaled.height(), QImage::Format_RGB32);
    if (image.isNull()) return QImage();
    // The alpha byte of TJPF_BGRA is 0xFF on decoding, as RGB32 wants it. The
    // decoder takes the largest scaling that fits the size asked for: this one.
    if (tjDecompress2(d.h, data, static_cast<unsigned long>(size), image.bits(), scaled.width(),
                      int(image.bytesPerLine()), scaled.height(), kPixelFormat, 0) != 0)
        return QImage();
    if (fullSize) *fullSize = QSize(width, height);
    return image;
}

bool EncodeJpeg(const QImage& rgb32, int quality, const std::function<bool(const uchar*, size_t)>& write) {
    if (rgb32.format() != QImage::Format_RGB32 || rgb32.isNull()) return false;
    Handle c{tjInitCompress()};
    if (!c.h) return false;
    const unsigned long capacity = tjBufSize(rgb32.width(), rgb32.height(), TJSAMP_420);
    // Only the pages the encoder writes become resident.
    if (capacity == 0 || capacity > 0x7fffffffUL) return false;
    unsigned char* out = tjAlloc(int(capacity));
    if (!out) return false;
    unsigned long size = capacity;
    const bool encoded = tjCompress2(c.h, rgb32.constBits(), rgb32.width(), int(rgb32.bytesPerLine()),
                                     rgb32.height(), kPixelFormatIgnoringAlpha, &out, &size, TJSAMP_420, quality,
                                     TJFLAG_NOREALLOC | TJFLAG_ACCURATEDCT) == 0;
    const bool written = encoded && write(out, size);
    tjFree(out);
    return written;
}
