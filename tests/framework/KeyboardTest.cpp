// Keyboard state, the menu-bar height and ShowURL: the small platform queries.
#include <gtest/gtest.h>

#include "framework/system/Keyboard.h"
#include "framework/system/MenuBarHeight.h"
#include "framework/system/Screens.h"
#include "framework/system/ShowURL.h"
#include "tests/support/FakePlatform.h"

TEST(Keyboard, OptionKeyFollowsThePlatform) {
    FakePlatform platform;
    EXPECT_FALSE(Keyboard::AsyncOptionKey());  // nothing is held in a headless test
    platform.SetOptionKey(true);
    EXPECT_TRUE(Keyboard::AsyncOptionKey());
    platform.SetOptionKey(false);
    EXPECT_FALSE(Keyboard::AsyncOptionKey());
    platform.SetOptionKey(std::nullopt);
    EXPECT_FALSE(Keyboard::AsyncOptionKey());
}

TEST(MenuBarHeight, TopInsetOfTheMainScreenInDevicePixelsElse22) {
    FakePlatform platform;
    ScreenInfo main, other;
    main.topInset = 27;
    other.topInset = 40;  // only the main screen counts
    platform.SetScreens(std::vector<ScreenInfo>{main, other});
    MemoryBlockPtr block = NewMemoryBlock(10);
    EXPECT_EQ(GetThemeMenuBarHeight(block), 0);
    EXPECT_EQ(block->Short(0), 27);

    main.devicePixelRatio = 2.0;
    main.topInset = 54;  // as the platform measures it, not the logical inset scaled
    platform.SetScreens(std::vector<ScreenInfo>{main});
    EXPECT_EQ(GetThemeMenuBarHeight(block), 0);
    EXPECT_EQ(block->Short(0), 54);

    main.devicePixelRatio = 1.0;
    main.topInset = 0;  // no panel at the top
    platform.SetScreens(std::vector<ScreenInfo>{main});
    EXPECT_EQ(GetThemeMenuBarHeight(block), 0);
    EXPECT_EQ(block->Short(0), 22);
    platform.SetScreens(std::nullopt);

    // The offscreen platform reports no inset.
    EXPECT_EQ(GetThemeMenuBarHeight(block), 0);
    EXPECT_EQ(block->Short(0), 22);

    MemoryBlockPtr tiny = NewMemoryBlock(1);
    EXPECT_EQ(GetThemeMenuBarHeight(tiny), -50);
    EXPECT_EQ(GetThemeMenuBarHeight(nullptr), -50);
}

TEST(ShowURL, GoesToThePlatform) {
    FakePlatform platform;
    ShowURL(QStringLiteral("https://zentravelle.example/help"));
    ShowURL(QStringLiteral("file:///usr/share/doc/zentravelle/index.html"));
    EXPECT_EQ(platform.TakeShownURLs(), (std::vector<QString>{QStringLiteral("https://zentravelle.example/help"),
                                                              QStringLiteral("file:///usr/share/doc/zentravelle/index.html")}));
    EXPECT_TRUE(platform.TakeShownURLs().empty());
}
