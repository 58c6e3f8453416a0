// Reading pictures from files and writing them as JPEG: the FolderItem
// operations that belong to pictures.
#include "framework/files/FolderItem.h"
#include "framework/graphics/Picture.h"
#include "framework/graphics/PictureFile.h"
#include "framework/graphics/QTGraphicsExporter.h"

std::shared_ptr<Picture> FolderItem::OpenAsPicture(QSize drawn) const { return PictureFile(path_).Read(drawn); }

bool FolderItem::SaveAsJPEG(const std::shared_ptr<Picture>& picture) {
    if (!picture) return false;
    picture->EndGraphics();
    return WriteImageFile(path_, picture->Image(), "jpg");
}
