#include "mainwindow/PreviewCache.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QImageWriter>

#include "framework/files/AtomicFile.h"
#include "framework/files/FileNames.h"
#include "framework/files/FileStamp.h"
#include "framework/files/RegularFile.h"
#include "framework/files/SpecialFolders.h"

namespace {

const char* const kKeyText = "Source";
constexpr qint64 kMaxPreviewBytes = qint64(4) << 20;

QString PreviewPath() {
    const FolderItemPtr dir = ApplicationCacheFolder();
    return dir ? dir->AbsolutePath() + QLatin1Char('/') + kPreviewFileName : QString();
}

// Every byte of the name and every field of the stamp, and the size drawn at.
QString KeyOf(const QString& source, const FileStamp& s, QSize size) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(EncodeFileName(source));
    for (qint64 v : {qint64(s.device), qint64(s.inode), qint64(s.size), qint64(s.modified.tv_sec),
                     qint64(s.modified.tv_nsec), qint64(size.width()), qint64(size.height())})
        hash.addData(QByteArray::number(v).append(' '));
    return QString::fromLatin1(hash.result().toHex());
}

}  // namespace

PicturePtr CachedPreview(const QString& source, QSize size) {
    const FileStamp stamp = FileStamp::of(source);
    const QString path = PreviewPath();
    if (!stamp.exists || !stamp.settled || path.isEmpty()) return nullptr;
    ReadProblem problem;
    QImage image = QImage::fromData(ReadRegularFile(path, kMaxPreviewBytes, &problem), "PNG");
    if (image.isNull() || image.size() != size || image.text(QLatin1String(kKeyText)) != KeyOf(source, stamp, size))
        return nullptr;
    return std::make_shared<Picture>(image.convertToFormat(QImage::Format_RGB32));
}

void KeepPreview(const QString& source, const PicturePtr& preview) {
    const FileStamp stamp = FileStamp::of(source);
    const QString path = PreviewPath();
    if (!preview || !stamp.exists || !stamp.settled || path.isEmpty()) return;
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QImageWriter writer(&bytes, "png");
    writer.setText(QLatin1String(kKeyText), KeyOf(source, stamp, preview->Image().size()));
    writer.setCompression(1);
    // A preview that cannot be kept is drawn anew next time.
    if (writer.write(preview->Image())) WriteFileAtomically(path, bytes.data());
}
