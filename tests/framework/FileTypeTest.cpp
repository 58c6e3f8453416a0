// A file type registers itself once, when it is first converted to String,
// and withdraws when it is released.
#include <gtest/gtest.h>

#include "framework/files/FileType.h"
#include "framework/files/FileTypeRegistry.h"

TEST(FileTypeTest, RegistersOnceAndWithdrawsWhenReleased) {
    auto type = std::make_shared<FileType>();
    type->SetName(QStringLiteral("PNG image"));
    type->SetExtensions(QStringLiteral("png"));
    type->SetMacType(QStringLiteral("PNG "));
    type->SetMacCreator(QStringLiteral("????"));
    EXPECT_EQ(type->MacType(), QStringLiteral("PNG ")) << "the trailing blank is kept";
    EXPECT_FALSE(LookupFileType(QStringLiteral("PNG image")).has_value()) << "not before the conversion";

    const QString name = *type;
    EXPECT_EQ(name, QStringLiteral("PNG image"));
    ASSERT_TRUE(LookupFileType(QStringLiteral("PNG image")).has_value());
    EXPECT_EQ(FileTypeExtensions(QStringLiteral("PNG image")), QStringList({"png"}));

    // Converting again registers nothing new: a change of extensions after the
    // first conversion does not reach the platform.
    type->SetExtensions(QStringLiteral("png;apng"));
    EXPECT_EQ(type->ToString(), QStringLiteral("PNG image"));
    EXPECT_EQ(FileTypeExtensions(QStringLiteral("PNG image")), QStringList({"png"}));

    type.reset();
    EXPECT_FALSE(LookupFileType(QStringLiteral("PNG image")).has_value());
}

TEST(FileTypeTest, AnUnconvertedTypeWithdrawsNothing) {
    FileType registered;
    registered.SetName(QStringLiteral("GIF image"));
    registered.SetExtensions(QStringLiteral("gif"));
    registered.ToString();
    {
        FileType shadow;  // same name, never converted
        shadow.SetName(QStringLiteral("GIF image"));
    }
    EXPECT_TRUE(LookupFileType(QStringLiteral("GIF image")).has_value());
}

TEST(FileTypeTest, ANewerTypeOfTheSameNameOutlivesTheOlder) {
    auto older = std::make_shared<FileType>();
    older->SetName(QStringLiteral("Shared image"));
    older->SetExtensions(QStringLiteral("shi"));
    (void)older->ToString();
    auto newer = std::make_shared<FileType>();
    newer->SetName(QStringLiteral("Shared image"));
    newer->SetExtensions(QStringLiteral("shi"));
    (void)newer->ToString();

    older.reset();
    EXPECT_TRUE(LookupFileType(QStringLiteral("Shared image")).has_value());
    newer.reset();
    EXPECT_FALSE(LookupFileType(QStringLiteral("Shared image")).has_value());
}
