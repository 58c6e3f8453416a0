// Window rectangles: stored as signed 16-bit values, restored inside the main
// screen's available area one property at a time, then kept on their screen.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "framework/core/MemoryBlock.h"
#include "framework/system/Screens.h"
#include "prefs/PrefsManager.h"
#include "tests/support/FakePlatform.h"

namespace {

// A window that remembers its rectangle and the changes made to it, in order.
class TestWindow : public WindowBounds {
public:
    TestWindow(int32_t top, int32_t left, int32_t height, int32_t width)
        : top_(top), left_(left), height_(height), width_(width) {}
    int32_t Top() const override { return top_; }
    int32_t Left() const override { return left_; }
    int32_t Height() const override { return height_; }
    int32_t Width() const override { return width_; }
    void SetTop(int32_t v) override { change("Top", top_, v); }
    void SetLeft(int32_t v) override { change("Left", left_, v); }
    void SetHeight(int32_t v) override { change("Height", height_, v); }
    void SetWidth(int32_t v) override { change("Width", width_, v); }

    std::vector<std::string> changes;
    std::function<void()> afterChange;

private:
    void change(const char* what, int32_t& field, int32_t v) {
        field = v;
        changes.push_back(what + (" " + std::to_string(v)));
        if (afterChange) afterChange();
    }
    int32_t top_, left_, height_, width_;
};

ScreenInfo mainScreen(int32_t top, int32_t left, int32_t width, int32_t height) {
    ScreenInfo s;
    s.availableTop = top;
    s.availableLeft = left;
    s.availableWidth = width;
    s.availableHeight = height;
    return s;
}

class PrefsWindow : public ::testing::Test {
protected:
    void SetUp() override { platform.SetScreens(std::vector<ScreenInfo>{mainScreen(22, 0, 1440, 878)}); }
    PrefsManager p{nullptr};
    FakePlatform platform;
};

TEST_F(PrefsWindow, StoresTopLeftHeightWidthAsShorts) {
    p.Set("mainwindow", TestWindow(44, -1200, 600, 800));
    ASSERT_EQ(p.theTypes[1], 34);
    const MemoryBlockPtr block = p.thePrefs[1].ToObject<MemoryBlock>();
    ASSERT_TRUE(block);
    EXPECT_EQ(block->Size(), 8);
    EXPECT_EQ(block->Bytes().toHex(), QByteArray("002cfb5002580320"));
}

TEST_F(PrefsWindow, ValuesAreNarrowedTo16Bits) {
    p.Set("w", TestWindow(70000, -40000, 65535, 32768));
    const MemoryBlockPtr block = p.thePrefs[1].ToObject<MemoryBlock>();
    ASSERT_TRUE(block);
    EXPECT_EQ(block->Short(0), 70000 - 65536);
    EXPECT_EQ(block->Short(2), -40000 + 65536);
    EXPECT_EQ(block->Short(4), -1);
    EXPECT_EQ(block->Short(6), -32768);
}

TEST_F(PrefsWindow, ASecondSetWritesIntoTheSameBlock) {
    p.Set("w", TestWindow(1, 2, 3, 4));
    const MemoryBlockPtr first = p.thePrefs[1].ToObject<MemoryBlock>();
    p.Set("W", TestWindow(50, 60, 70, 80));
    EXPECT_EQ(p.thePrefs[1].ToObject<MemoryBlock>(), first);
    EXPECT_EQ(first->Short(0), 50);
    EXPECT_EQ(first->Short(6), 80);

    p.Set("w", 5);  // another type, then a window again: a new block
    p.Set("w", TestWindow(9, 9, 9, 9));
    EXPECT_NE(p.thePrefs[1].ToObject<MemoryBlock>(), first);
    EXPECT_EQ(p.Count(), 1);
}

TEST_F(PrefsWindow, GetWindowClampsToTheMainScreenInOrder) {
    p.Set("w", TestWindow(10, -1200, 500, 2000));
    TestWindow w(0, 0, 0, 0);
    ASSERT_TRUE(p.GetWindow("W", w));
    // Below the available top; a window left of the main screen comes to its edge.
    EXPECT_EQ(w.changes, (std::vector<std::string>{"Top 22", "Left 0", "Height 500", "Width 1440"}));
}

TEST_F(PrefsWindow, GetWindowPositionLeavesTheSizeAlone) {
    platform.SetScreens(std::vector<ScreenInfo>{mainScreen(30, 50, 100, 100)});
    p.Set("mainwindow", TestWindow(10, 10, 900, 900));
    TestWindow w(1, 1, 321, 654);
    ASSERT_TRUE(p.GetWindowPosition("mainwindow", w));
    // Larger than the area: its top-left corner goes on the area's.
    EXPECT_EQ(w.changes, (std::vector<std::string>{"Top 30", "Left 50"}));
}

TEST_F(PrefsWindow, TheMainScreenIsAskedAnewForEveryStep) {
    p.Set("w", TestWindow(0, 0, 2000, 2000));
    TestWindow w(0, 0, 0, 0);
    // Moving the window makes another screen the main one.
    w.afterChange = [this] { platform.SetScreens(std::vector<ScreenInfo>{mainScreen(100, 200, 300, 400)}); };
    ASSERT_TRUE(p.GetWindow("w", w));
    // The last step brings the top onto the new main screen's area.
    EXPECT_EQ(w.changes, (std::vector<std::string>{"Top 22", "Left 200", "Height 400", "Width 300", "Top 100"}));
}

TEST_F(PrefsWindow, AWindowReachingPastItsScreenComesBackOntoIt) {
    using Rect = std::array<int32_t, 4>;  // Top, Left, Height, Width
    const ScreenInfo main = mainScreen(22, 0, 1440, 878), right = mainScreen(0, 1440, 1920, 1080);
    ScreenInfo hidpi = mainScreen(0, 0, 720, 450);  // 1440 x 900 device pixels
    hidpi.devicePixelRatio = 2.0;
    // GetWindowPosition of a window 500 high and 400 wide, or with size GetWindow.
    const struct { std::vector<ScreenInfo> screens; bool size; Rect stored, expected; } cases[] = {
        {{main}, false, {800, 1300, 0, 0}, {400, 1040, 500, 400}},         // near the bottom right corner
        {{hidpi}, false, {800, 1300, 0, 0}, {0, 320, 500, 400}},            // at 2x, taller than the area
        {{main, right}, false, {1000, 3000, 0, 0}, {580, 2960, 500, 400}},  // mostly on the right screen
        {{main, right}, false, {3000, 5000, 0, 0}, {400, 1040, 500, 400}},  // where no screen reaches
        {{main, mainScreen(0, -1920, 1920, 1080)}, false, {100, -1500, 0, 0}, {100, 0, 500, 400}},  // left edge first
        {{mainScreen(0, 0, 1920, 1080), mainScreen(0, 1920, 800, 600)}, true, {100, 2000, 900, 1000}, {0, 1920, 600, 800}},
    };
    for (const auto& c : cases) {
        platform.SetScreens(c.screens);
        p.Set("w", TestWindow(c.stored[0], c.stored[1], c.stored[2], c.stored[3]));
        TestWindow w(0, 0, 500, 400);
        ASSERT_TRUE(c.size ? p.GetWindow("w", w) : p.GetWindowPosition("w", w));
        EXPECT_EQ((Rect{w.Top(), w.Left(), w.Height(), w.Width()}), c.expected) << "row " << &c - cases;
    }
}

TEST_F(PrefsWindow, NoRectangleMeansFalseAndAnUntouchedWindow) {
    p.Set("text", "not a window");
    TestWindow w(1, 2, 3, 4);
    EXPECT_FALSE(p.GetWindow("text", w));
    EXPECT_FALSE(p.GetWindowPosition("text", w));
    EXPECT_FALSE(p.GetWindow("missing", w));
    EXPECT_TRUE(p.Exists("text"));

    p.Set("gone", TestWindow(5, 5, 5, 5));
    p.Delete("gone");
    EXPECT_FALSE(p.GetWindowPosition("gone", w));
    EXPECT_TRUE(w.changes.empty());
}

}  // namespace
