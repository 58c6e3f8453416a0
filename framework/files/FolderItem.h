#pragma once
// A file or folder, named by its absolute path. Held by std::shared_ptr; Nil is nullptr.
#include <QSize>
#include <QString>
#include <memory>

#include "framework/files/BinaryStream.h"

class Picture;

class FolderItem;
using FolderItemPtr = std::shared_ptr<FolderItem>;

class FolderItem {
public:
    explicit FolderItem(const QString& absolutePath);

    // The item of that name inside this folder; Nil for a name that cannot
    // name a file (empty, ".", "..", or containing "/" or a NUL).
    FolderItemPtr Child(const QString& name) const;
    FolderItemPtr Parent() const;
    bool Exists() const;
    bool Directory() const;
    // Deletes the file (or empty folder); False when it could not.
    bool Delete();
    QString AbsolutePath() const { return path_; }
    QString Name() const;

    // A new, empty file of this name (replacing any earlier one when the
    // stream is closed); Nil when it cannot be created. The type name is kept
    // for the caller's sake and has no effect on the content.
    BinaryStreamPtr CreateBinaryFile(const QString& fileType);
    // Nil when the file cannot be opened.
    BinaryStreamPtr OpenAsBinaryFile(bool readWrite);

    // The file's picture (JPEG, PNG, TIFF or GIF; the first frame of an
    // animation); Nil when it is not a readable picture or is too large to
    // hold (see graphics/PictureFile.h). A picture to be drawn no larger than
    // `drawn` may come smaller than its own size, as a JPEG is decoded scaled.
    std::shared_ptr<Picture> OpenAsPicture(QSize drawn = QSize()) const;
    // Writes the picture into this file as a JPEG, atomically; False on failure.
    bool SaveAsJPEG(const std::shared_ptr<Picture>& picture);

private:
    QString path_;
};

// GetFolderItem(path, 0): the item for an absolute path; Nil for an empty or relative path.
FolderItemPtr GetFolderItem(const QString& path, int pathMode = 0);
