#include "framework/graphics/PictureFile.h"

#include <QBuffer>

#include "framework/files/RegularFile.h"
#include "framework/graphics/JpegCodec.h"

namespace {

// A picture larger than this many pixels is refused rather than decoded
// (16384 x 16384, 1 GiB at 32 bits): no screen needs more.
constexpr qint64 kMaxPixels = qint64(16384) * 16384;

// The most bytes a file of a w x h picture may hold: 16-bit RGBA stored raw
// (8 bytes a pixel) is the most any format read here spends on the pixels,
// and metadata, thumbnails and further frames get a generous allowance.
constexpr qint64 kBytesPerPixel = 8;
constexpr qint64 kMetadataAllowance = qint64(64) << 20;

// Nothing is transparent unless the file says so: opaque pictures stay RGB32.
QImage Drawable(const QImage& image) {
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

PicturePtr Decoded(QImageReader& reader) {
    QImageReader::setAllocationLimit(int(kMaxPixels * 4 / (1024 * 1024)));
    const QImage image = reader.read();
    return image.isNull() ? nullptr : std::make_shared<Picture>(Drawable(image));
}

}  // namespace

PictureFile::PictureFile(const QString& path) {
    // Only a regular file (a FIFO would block), opened by its exact bytes.
    if (OpenRegularFile(file_, path) != ReadProblem::None) return;
    bytes_ = file_.size();
    reader_.setDevice(&file_);
    reader_.setAutoTransform(true);
    if (!reader_.canRead()) return;
    // A header that tells no size is held to the largest picture allowed.
    const QSize stored = reader_.size();
    const qint64 pixels = stored.isValid() ? qint64(stored.width()) * stored.height() : kMaxPixels;
    if (pixels > kMaxPixels || bytes_ > pixels * kBytesPerPixel + kMetadataAllowance) return;
    readable_ = true;
    if (!stored.isValid()) return;
    const bool turned = reader_.transformation() & QImageIOHandler::TransformationRotate90;
    size_ = turned ? stored.transposed() : stored;
    // A JPEG to be turned takes Qt's way.
    plainJpeg_ = reader_.format() == "jpeg" && reader_.transformation() == QImageIOHandler::TransformationNone;
}

PicturePtr PictureFile::Read(QSize drawn) {
    if (!readable_) return nullptr;
    PicturePtr picture;
    if (plainJpeg_) {
        if (!file_.seek(0)) return nullptr;
        QByteArray bytes = file_.read(bytes_);
        // Cut short since the header was read: not the picture that was sized.
        if (bytes.size() != bytes_) return nullptr;
        QSize full;
        QImage image = DecodeJpeg(reinterpret_cast<const uchar*>(bytes.constData()), size_t(bytes.size()), drawn, &full);
        if (!image.isNull()) {
            size_ = full;
            return std::make_shared<Picture>(std::move(image));
        }
        // One TurboJPEG cannot read (CMYK, damaged): Qt, from the same bytes.
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader fromMemory(&buffer, "jpeg");
        fromMemory.setAutoTransform(true);
        picture = Decoded(fromMemory);
    } else {
        picture = Decoded(reader_);
    }
    size_ = picture ? QSize(picture->Width(), picture->Height()) : QSize();
    return picture;
}
