// Reading pictures from files and writing them as JPEG: the FolderItem
// operations that belong to pictures.
#include <QFile>
#include <QImageReader>

#include "framework/files/FolderItem.h"
#include "framework/files/RegularFile.h"
#include "framework/graphics/JpegCodec.h"
#include "framework/graphics/Picture.h"
#include "framework/graphics/QTGraphicsExporter.h"

namespace {
// A picture larger than this many pixels is refused rather than decoded
// (16384 x 16384, 1 GiB at 32 bits): no screen needs more.
constexpr qint64 kMaxPixels = qint64(16384) * 16384;

// Nothing is transparent unless the file says so: opaque pictures stay RGB32.
QImage Drawable(const QImage& image) {
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

}  // namespace

std::shared_ptr<Picture> FolderItem::OpenAsPicture() const {
    // Only a regular file (a FIFO would block), opened by its exact bytes.
    QFile file;
    if (OpenRegularFile(file, path_) != ReadProblem::None) return nullptr;
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPixels) return nullptr;
    // A plain JPEG goes straight into a 32-bit buffer; one to be turned, or one
    // TurboJPEG cannot read, takes Qt's way.
    if (size.isValid() && reader.format() == "jpeg" && reader.transformation() == QImageIOHandler::TransformationNone) {
        if (const uchar* bytes = file.map(0, file.size())) {
            QImage image = DecodeJpeg(bytes, size_t(file.size()));
            file.unmap(const_cast<uchar*>(bytes));
            if (!image.isNull()) return std::make_shared<Picture>(std::move(image));
        }
        file.seek(0);
        reader.setDevice(&file);
    }
    QImageReader::setAllocationLimit(int(kMaxPixels * 4 / (1024 * 1024)));
    const QImage image = reader.read();
    if (image.isNull()) return nullptr;
    return std::make_shared<Picture>(Drawable(image));
}

bool FolderItem::SaveAsJPEG(const std::shared_ptr<Picture>& picture) {
    if (!picture) return false;
    picture->EndGraphics();
    return WriteImageFile(path_, picture->Image(), "jpg");
}
