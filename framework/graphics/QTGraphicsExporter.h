#pragma once
// Writes pictures to files in one format: "JPEG" or "PNGf" (PNG). Files are
// written atomically: into a temporary file beside the target, then renamed
// over it, so a failed write leaves the old file whole.
#include <QString>
#include <memory>

#include "framework/files/AtomicFile.h"
#include "framework/files/FolderItem.h"
#include "framework/graphics/Picture.h"

class QTGraphicsExporter {
public:
    explicit QTGraphicsExporter(QString formatCode) : format_(std::move(formatCode)) {}
    QString FormatCode() const { return format_; }
    QString OutputFileType() const { return fileType_; }
    void SetOutputFileType(const QString& v) { fileType_ = v; }
    QString OutputFileCreator() const { return fileCreator_; }
    void SetOutputFileCreator(const QString& v) { fileCreator_ = v; }
    // True when the whole file was written. How a link at the file's place is
    // treated is the caller's choice (see AtomicFile.h).
    bool SavePicture(const FolderItemPtr& file, const PicturePtr& picture,
                     AtomicTarget target = AtomicTarget::FollowLinks) const;

private:
    QString format_, fileType_, fileCreator_;
};

using QTGraphicsExporterPtr = std::shared_ptr<QTGraphicsExporter>;

// An exporter for "JPEG" or "PNGf"; Nil for a format it cannot write.
QTGraphicsExporterPtr GetQTGraphicsExporter(const QString& formatCode);

// Writes an image to a path in a Qt format ("jpg", "png") atomically; True on success.
bool WriteImageFile(const QString& path, const QImage& image, const char* format,
                    AtomicTarget target = AtomicTarget::FollowLinks);
