#pragma once
// The four picture file types that the open dialog, the save dialog and the
// picture well's drops filter by.
#include <QString>
#include <memory>

#include "framework/files/FileType.h"

namespace ImageFiles {

extern std::shared_ptr<FileType> pJPEGFiles;
extern std::shared_ptr<FileType> pTIFFFiles;
extern std::shared_ptr<FileType> pPNGFiles;
extern std::shared_ptr<FileType> pGIFImage;

// Creates and registers the four types; called once at start-up.
void _Initialize();
// "JPEG image;TIFF image;PNG image;GIF image;"
QString All();

}  // namespace ImageFiles
