#pragma once
// Reading a picture file: its header first (the picture's size), then its
// bytes, once, through the descriptor. Nothing is mapped, so a file cut short
// meanwhile gives a short read rather than a fault; a file far larger than its
// picture could need is refused before it is read.
#include <QFile>
#include <QImageReader>
#include <QSize>

#include "framework/graphics/Picture.h"

class PictureFile {
public:
    // Opens a regular file and reads its header.
    explicit PictureFile(const QString& path);
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;

    // The picture's own size, turned as the file says; after Read, that of the
    // picture read. Invalid when the file is no readable picture, is refused,
    // or its header tells no size.
    QSize Size() const { return size_; }

    // The picture; Nil when the file is no readable picture or changed since
    // its header was read. A plain JPEG is read into memory whole and decoded
    // there, scaled down to the smallest of 1/2, 1/4 and 1/8 that still gives at
    // least `drawn` pixels both ways; any other picture is decoded whole, as
    // Qt reads it from the file. Read once.
    PicturePtr Read(QSize drawn = QSize());

private:
    QFile file_;
    QImageReader reader_;
    QSize size_;
    qint64 bytes_ = 0;  // the file's length when the header was read
    bool readable_ = false;
    bool plainJpeg_ = false;
};
