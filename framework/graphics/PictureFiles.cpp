// Reading pictures from files and writing them as JPEG: the FolderItem
// operations that belong to pictures.
#include <QImageReader>

#include "framework/files/FolderItem.h"
#include "framework/graphics/Picture.h"
#include "framework/graphics/QTGraphicsExporter.h"

namespace {
// A picture larger than this many pixels is refused rather than decoded
// (16384 x 16384, 1 GiB at 32 bits): no screen needs more.
constexpr qint64 kMaxPixels = qint64(16384) * 16384;
}  // namespace

std::shared_ptr<Picture> FolderItem::OpenAsPicture() const {
    QImageReader reader(path_);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPixels) return nullptr;
    QImageReader::setAllocationLimit(int(kMaxPixels * 4 / (1024 * 1024)));
    QImage image = reader.read();
    if (image.isNull()) return nullptr;
    return std::make_shared<Picture>(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

bool FolderItem::SaveAsJPEG(const std::shared_ptr<Picture>& picture) {
    if (!picture) return false;
    return WriteImageFile(path_, picture->Image(), "jpg");
}
