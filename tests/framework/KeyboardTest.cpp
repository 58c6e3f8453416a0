// Keyboard state, the menu-bar height and ShowURL: the small platform queries.
#include <gtest/gtest.h>

#include "framework/system/Keyboard.h"
#include "framework/system/MenuBarHeight.h"
#include "framework/system/Screens.h"
#include "framework/system/ShowURL.h"

TEST(Keyboard, OptionKeyFollowsTheTestOverride) {
    EXPECT_FALSE(Keyboard::AsyncOptionKey());  // nothing is held in a headless test
    Keyboard::SetOptionKeyForTesting(true);
    EXPECT_TRUE(Keyboard::AsyncOptionKey());
    Keyboard::SetOptionKeyForTesting(false);
    EXPECT_FALSE(Keyboard::AsyncOptionKey());
    Keyboard::SetOptionKeyForTesting(std::nullopt);
    EXPECT_FALSE(Keyboard::AsyncOptionKey());
}

TEST(MenuBarHeight, TopInsetOfTheMainScreenInDevicePixelsElse22) {
    ScreenInfo main, other;
    main.top = 0;
    main.availableTop = 27;
    other.availableTop = 40;  // only the main screen counts
    SetScreensForTesting(std::vector<ScreenInfo>{main, other});
    MemoryBlockPtr block = NewMemoryBlock(10);
    EXPECT_EQ(GetThemeMenuBarHeight(block), 0);
    EXPECT_EQ(block->Short(0), 27);

    main.devicePixelRatio = 2.0;
    SetScreensForTesting(std::vector<ScreenInfo>{main});
    EXPECT_EQ(GetThemeMenuBarHeight(block), 0);
    EXPECT_EQ(block->Short(0), 54);

    main.devicePixelRatio = 1.0;
    main.availableTop = 0;  // no panel at the top
    SetScreensForTesting(std::vector<ScreenInfo>{main});
    EXPECT_EQ(GetThemeMenuBarHeight(block), 0);
    EXPECT_EQ(block->Short(0), 22);
    SetScreensForTesting(std::nullopt);

    // The offscreen platform reports no inset.
    EXPECT_EQ(GetThemeMenuBarHeight(block), 0);
    EXPECT_EQ(block->Short(0), 22);

    MemoryBlockPtr tiny = NewMemoryBlock(1);
    EXPECT_EQ(GetThemeMenuBarHeight(tiny), -50);
    EXPECT_EQ(GetThemeMenuBarHeight(nullptr), -50);
}

TEST(ShowURL, RecordsInsteadOfOpeningWhenHeadless) {
    EXPECT_TRUE(ShowURLSeam::Recording());
    ShowURLSeam::TakeShown();
    ShowURL(QStringLiteral("https://zentravelle.example/help"));
    ShowURL(QStringLiteral("file:///usr/share/doc/zentravelle/index.html"));
    EXPECT_EQ(ShowURLSeam::TakeShown(), (std::vector<QString>{QStringLiteral("https://zentravelle.example/help"),
                                                              QStringLiteral("file:///usr/share/doc/zentravelle/index.html")}));
    EXPECT_TRUE(ShowURLSeam::TakeShown().empty());
}
