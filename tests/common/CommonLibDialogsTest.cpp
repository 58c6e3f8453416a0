#include <gtest/gtest.h>

#include "common/CommonLib.h"
#include "tests/support/FakePlatform.h"

namespace {

class GetFileSelection : public ::testing::Test {
protected:
    void SetUp() override {
        platform.SetUnansweredHandler([](DialogKind) { ADD_FAILURE() << "a dialog was shown with no answer"; });
    }
    FakePlatform platform;
};

}  // namespace

TEST_F(GetFileSelection, PassesEveryArgumentToTheOpenDialogAndReturnsItsChoice) {
    const FolderItemPtr pictures = GetFolderItem(QStringLiteral("/home/u/Pictures"), 0);
    const FolderItemPtr chosen = GetFolderItem(QStringLiteral("/home/u/Pictures/sea.jpg"), 0);
    platform.AnswerOpenDialog(chosen);
    EXPECT_EQ(CommonLib::GetFileSelection(QStringLiteral("Select Image"), QStringLiteral("Choose a desktop image"),
                                          QStringLiteral("JPEG image;TIFF image;PNG image;GIF image;"), pictures,
                                          QStringLiteral("Select"), QStringLiteral("Cancel")),
              chosen);
    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, DialogKind::OpenDialog);
    EXPECT_EQ(shown[0].title, QStringLiteral("Select Image"));
    EXPECT_EQ(shown[0].prompt, QStringLiteral("Choose a desktop image"));
    EXPECT_EQ(shown[0].filter, QStringLiteral("JPEG image;TIFF image;PNG image;GIF image;"));
    EXPECT_EQ(shown[0].initialDirectory, QStringLiteral("/home/u/Pictures"));
    EXPECT_EQ(shown[0].actionCaption, QStringLiteral("Select"));
    EXPECT_EQ(shown[0].cancelCaption, QStringLiteral("Cancel"));
}

TEST_F(GetFileSelection, EmptyCaptionsAndNilFolderLeaveThePlatformsOwnAndCancelGivesNil) {
    platform.CancelOpenDialog();
    EXPECT_EQ(CommonLib::GetFileSelection(QString(), QString(), QString(), nullptr, QString(), QString()), nullptr);
    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].initialDirectory.isEmpty());
    EXPECT_TRUE(shown[0].actionCaption.isEmpty());
    EXPECT_TRUE(shown[0].cancelCaption.isEmpty());
}
