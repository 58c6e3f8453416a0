#pragma once
// What the first item of a drop carries: a file and/or a picture.
#include <memory>

#include "framework/files/FolderItem.h"
#include "framework/graphics/Picture.h"

class DragItem;
using DragItemPtr = std::shared_ptr<DragItem>;

class DragItem {
public:
    DragItem(FolderItemPtr file, PicturePtr picture) : file_(std::move(file)), picture_(std::move(picture)) {}
    bool FolderItemAvailable() const { return file_ != nullptr; }
    FolderItemPtr FolderItem() const { return file_; }
    bool PictureAvailable() const { return picture_ != nullptr; }
    PicturePtr Picture() const { return picture_; }

private:
    FolderItemPtr file_;
    PicturePtr picture_;
};
