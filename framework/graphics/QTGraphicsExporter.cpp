#include "framework/graphics/QTGraphicsExporter.h"

#include <QImageWriter>

#include "framework/files/AtomicFile.h"
#include "framework/graphics/JpegCodec.h"
#include "framework/graphics/PngWriter.h"

namespace {

const char* QtFormatFor(const QString& code) {
    if (code == QLatin1String("JPEG")) return "jpg";
    if (code == QLatin1String("PNGf")) return "png";
    return nullptr;
}

constexpr int kJpegQuality = 75;  // Qt's writer's default, kept for the same files

}  // namespace

bool WriteImageFile(const QString& path, const QImage& image, const char* format, AtomicTarget target) {
    const bool png = qstrcmp(format, "png") == 0;
    // JPEG has no alpha; flatten onto opaque pixels so the result never depends
    // on the writer's treatment of transparency. An RGB32 picture (every
    // canvas) is written as it is, without a copy.
    const QImage opaque = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_RGB32) : image;
    return WriteFileAtomically(path, [&](QIODevice& out) {
        if (opaque.format() == QImage::Format_RGB32) {
            if (png) return WritePng(opaque, out);
            return EncodeJpeg(opaque, kJpegQuality, [&out](const uchar* bytes, size_t size) {
                return out.write(reinterpret_cast<const char*>(bytes), qint64(size)) == qint64(size);
            });
        }
        // Grey and indexed pictures (a dropped one) as Qt writes them.
        QImageWriter writer(&out, format);
        if (png) writer.setQuality(80);
        return writer.write(opaque);  // errorString() is unreliable after success: judge by the result
    }, target);
}

QTGraphicsExporterPtr GetQTGraphicsExporter(const QString& formatCode) {
    if (!QtFormatFor(formatCode)) return nullptr;
    return std::make_shared<QTGraphicsExporter>(formatCode);
}

bool QTGraphicsExporter::SavePicture(const FolderItemPtr& file, const PicturePtr& picture, AtomicTarget target) const {
    const char* format = QtFormatFor(format_);
    if (!file || !picture || !format) return false;
    picture->EndGraphics();
    return WriteImageFile(file->AbsolutePath(), picture->Image(), format, target);
}
