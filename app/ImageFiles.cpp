#include "app/ImageFiles.h"

namespace ImageFiles {

std::shared_ptr<FileType> pJPEGFiles;
std::shared_ptr<FileType> pTIFFFiles;
std::shared_ptr<FileType> pPNGFiles;
std::shared_ptr<FileType> pGIFImage;

namespace {

std::shared_ptr<FileType> Registered(const char* name, const char* extensions, const char* macType) {
    auto type = std::make_shared<FileType>();
    type->SetName(QString::fromLatin1(name));
    type->SetExtensions(QString::fromLatin1(extensions));
    type->SetMacType(QString::fromLatin1(macType));
    type->SetMacCreator(QStringLiteral("????"));
    (void)type->ToString();  // converting a type to String registers it
    return type;
}

}  // namespace

void _Initialize() {
    pJPEGFiles = Registered("JPEG image", "jpg;jpeg", "JPEG");
    pTIFFFiles = Registered("TIFF image", "tiff;tif", "TIFF");
    pPNGFiles = Registered("PNG image", "png", "PNG ");
    pGIFImage = Registered("GIF image", "gif", "GIF");
}

QString All() { return QStringLiteral("JPEG image;TIFF image;PNG image;GIF image;"); }

}  // namespace ImageFiles
