// The common routines over tables of cases.
#include <gtest/gtest.h>

#include <QTimer>

#include <limits>

#include "common/CommonLib.h"
#include "framework/runtime/Yield.h"

namespace {

using CommonLib::GetFileBaseName;
using CommonLib::RInStr;
using CommonLib::ScaleProportionalToFit;

TEST(RInStr, FindsTheLastOccurrence) {
    struct Case {
        const char* text;
        const char* part;
        int32_t expected;
    };
    const Case cases[] = {
        {"a.b.c", ".", 4},
        {"abc", ".", 0},
        {"ab", "abcd", -1},  // a longer part gives the start position, 0 or less
        {"abc", "abcd", 0},
        {"abc", "abc", 1},
        {"abc", "", 4},  // an empty part matches at once, past the end
        {"", "", 1},
        {"", "x", 0},
        {"aaaa", "aa", 3},
        {"x.jpg.JPG", ".jpg", 6},  // equality ignores case
        {"été.été", "é", 7},     // positions count characters
        {"a\xF0\x9F\x98\x80.b", ".", 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RInStr(QString::fromUtf8(c.text), QString::fromUtf8(c.part)), c.expected)
            << c.text << " / " << c.part;
    }
}

TEST(RInStr, LetsTheEventLoopRunWhileSearching) {
    SetYieldInterval(0);
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    EXPECT_EQ(RInStr(QStringLiteral("no dot in here"), QStringLiteral(".")), 0);
    SetYieldInterval(10);
    EXPECT_TRUE(fired);
}

TEST(GetFileBaseName, DropsTheLastExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"photo.jpg", "photo"},
        {"a.b.c", "a.b"},
        {"noext", "noext"},
        {"file.", "file"},
        {".hidden", ""},
        {"", ""},
        {"my photo 'é'.tiff", "my photo 'é'"},
    };
    for (const auto& [name, base] : cases) {
        EXPECT_EQ(GetFileBaseName(QString::fromUtf8(name)), QString::fromUtf8(base)) << name;
    }
}

TEST(ScaleProportionalToFit, FitsTheBoxKeepingTheAspectRatio) {
    struct Case {
        int32_t srcW, srcH, boxW, boxH, fitW, fitH;
    };
    const Case cases[] = {
        {1600, 1200, 1440, 900, 1200, 900},
        {1920, 1080, 1440, 878, 1440, 810},
        {1000, 1000, 1440, 878, 878, 878},
        {800, 600, 1440, 878, 1171, 878},    // enlarged; 1170.67 rounds to 1171
        {1200, 1600, 1440, 878, 659, 878},   // 877.9999999999999 stays 878
        {1440, 878, 1440, 878, 1440, 878},
        {1, 1, 5120, 2880, 2880, 2880},
        {3, 2, 0, 100, 0, 0},                // an empty box
    };
    for (const Case& c : cases) {
        int32_t w = c.boxW, h = c.boxH;
        ScaleProportionalToFit(c.srcW, c.srcH, w, h);
        EXPECT_EQ(w, c.fitW) << c.srcW << "x" << c.srcH << " into " << c.boxW << "x" << c.boxH;
        EXPECT_EQ(h, c.fitH) << c.srcW << "x" << c.srcH << " into " << c.boxW << "x" << c.boxH;
    }
}

TEST(ScaleProportionalToFit, ASourceWithoutAreaLeavesTheBox) {
    for (const auto& [srcW, srcH] : {std::pair{0, 100}, {100, 0}, {0, 0}, {-5, 10}, {10, -5}}) {
        int32_t w = 1440, h = 878;
        ScaleProportionalToFit(srcW, srcH, w, h);
        EXPECT_EQ(w, 1440) << srcW << "x" << srcH;
        EXPECT_EQ(h, 878) << srcW << "x" << srcH;
    }
}

TEST(ScaleProportionalToFit, OneVariableForBothEndsWithTheWidth) {
    int32_t both = 900;
    ScaleProportionalToFit(1600, 800, both, both);  // 900x900 box: 900 by 450
    EXPECT_EQ(both, 900);
    both = 900;
    ScaleProportionalToFit(800, 1600, both, both);  // 450 by 900: the width is written last
    EXPECT_EQ(both, 450);
}

TEST(ScaleProportionalToFit, HugeSizesSaturateInsteadOfOverflowing) {
    int32_t w = std::numeric_limits<int32_t>::max(), h = std::numeric_limits<int32_t>::max();
    ScaleProportionalToFit(1, 2, w, h);
    EXPECT_EQ(h, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(w, 1073741824);  // 1073741823.5, rounded away from zero
}

}  // namespace
