#include <gtest/gtest.h>

#include "app/ImageFiles.h"
#include "framework/files/FileTypeRegistry.h"

TEST(ImageFiles, AllNamesTheFourTypesEachFollowedBySemicolon) {
    EXPECT_EQ(ImageFiles::All(), QStringLiteral("JPEG image;TIFF image;PNG image;GIF image;"));
}

TEST(ImageFiles, InitializeMakesAndRegistersTheFourTypes) {
    ImageFiles::_Initialize();
    ASSERT_TRUE(ImageFiles::pJPEGFiles && ImageFiles::pTIFFFiles && ImageFiles::pPNGFiles && ImageFiles::pGIFImage);
    EXPECT_EQ(ImageFiles::pJPEGFiles->Extensions(), QStringLiteral("jpg;jpeg"));
    EXPECT_EQ(ImageFiles::pTIFFFiles->Extensions(), QStringLiteral("tiff;tif"));
    EXPECT_EQ(ImageFiles::pPNGFiles->MacType(), QStringLiteral("PNG "));
    EXPECT_EQ(ImageFiles::pGIFImage->MacType(), QStringLiteral("GIF"));
    EXPECT_EQ(ImageFiles::pGIFImage->MacCreator(), QStringLiteral("????"));
    for (const char* name : {"JPEG image", "TIFF image", "PNG image", "GIF image"})
        EXPECT_TRUE(LookupFileType(QString::fromLatin1(name)).has_value()) << name;

    // Releasing a type withdraws its registration.
    ImageFiles::pGIFImage = nullptr;
    EXPECT_FALSE(LookupFileType(QStringLiteral("GIF image")).has_value());
    ImageFiles::pJPEGFiles = ImageFiles::pTIFFFiles = ImageFiles::pPNGFiles = nullptr;
}
