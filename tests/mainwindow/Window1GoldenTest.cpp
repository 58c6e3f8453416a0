// The composer's pixels, pinned: every placement (with and without "below",
// rounded and square strip, with text) on small photo-like sources, compared
// pixel for pixel with canvases the composer made before its speed work.
// A JPEG canvas may differ by the encoder's rounding only (±2 per channel); a
// source decoded scaled, as kScaledTolerance says.
// ZEN_UPDATE_GOLDEN=1 writes the pictures anew instead of comparing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "tests/mainwindow/MainWindowFixture.h"

namespace {

enum class Source { Jpeg, Png, AlphaPng };

struct GoldenCase {
    const char* name;
    int screenW, screenH;
    int sw, sh;
    Source source;
    int32_t mode;  // the placement menu's row
    bool below, rounded, text;
    int32_t exportRow;  // 0 JPEG, 1 PNG
    int tolerance = 0;  // per channel, besides the JPEG encoder's rounding
    double beyond = 0;  // the share of pixels that may differ by more
};

// Smooth colour fields with a hard-edged disc: photo-like, yet a few KB as PNG.
QImage PhotoLike(int w, int h, bool alpha) {
    QImage image(w, h, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double u = double(x) / w, v = double(y) / h;
            int r = int(120 + 100 * std::sin(6 * u + 2 * v)), g = int(110 + 90 * std::cos(5 * v - 3 * u)),
                b = int(140 + 80 * std::sin(4 * (u + v)));
            const double dx = u - 0.35, dy = v - 0.6;
            if (dx * dx + dy * dy < 0.04) r = 250, g = 240, b = 40;
            int a = 255;
            if (alpha && u > 0.7 && v < 0.4) a = int(255 * (v / 0.4));  // a see-through corner
            image.setPixel(x, y, qRgba(r, g, b, a));
        }
    }
    return image;
}

QString Golden(const char* name) {
    return qEnvironmentVariable("ZEN_SOURCE_DIR") + QStringLiteral("/tests/mainwindow/golden/") +
           QString::fromLatin1(name) + QStringLiteral(".png");
}

// A source decoded scaled: within 4 per channel but along hard edges, where
// the decoder's averaging and the smooth drawing of the whole picture differ
// most (up to some 60); those are at most 2% of the canvas.
constexpr int kScaledTolerance = 4;
constexpr double kScaledEdges = 0.02;

class Window1Golden : public MainWindowTest {};

TEST_F(Window1Golden, EveryPlacementMatchesTheComposerBeforeItsSpeedWork) {
    const std::vector<GoldenCase> cases = {
        {"fit-enlarged-square-text", 160, 100, 40, 30, Source::Jpeg, 0, false, false, true, 1},
        {"fit-shrunk-below-rounded", 160, 100, 300, 90, Source::Png, 0, true, true, false, 1},
        {"fill-rounded-text", 160, 100, 50, 40, Source::Png, 1, false, true, true, 1},
        {"fill-below-square", 160, 100, 90, 20, Source::Jpeg, 1, true, false, false, 1},
        {"stretch-square", 160, 100, 37, 53, Source::Jpeg, 2, false, false, false, 1},
        {"stretch-below-rounded-text", 160, 100, 200, 170, Source::AlphaPng, 2, true, true, true, 1},
        {"center-rounded", 160, 100, 61, 41, Source::AlphaPng, 3, false, true, false, 1},
        {"center-below-square-text", 160, 100, 200, 150, Source::Png, 3, true, false, true, 1},
        {"tile-square", 160, 100, 23, 17, Source::Jpeg, 4, false, false, false, 1},
        {"tile-below-rounded-text", 160, 100, 1, 1, Source::Png, 4, true, true, true, 1},
        {"tile-wide-below", 160, 100, 200, 13, Source::AlphaPng, 4, true, false, false, 1},
        {"fit-jpeg-out-text", 160, 100, 64, 48, Source::Jpeg, 0, true, true, true, 0},
        // Drawn at half the source's size or less: decoded scaled (here to a
        // quarter and to a half), which averages where the full decode was
        // sampled when drawn smaller.
        {"fit-scaled-quarter-text", 160, 100, 640, 400, Source::Jpeg, 0, false, false, true, 1, kScaledTolerance,
         kScaledEdges},
        {"fill-scaled-half-below-rounded", 160, 100, 400, 220, Source::Jpeg, 1, true, true, false, 1,
         kScaledTolerance, kScaledEdges},
    };
    const bool update = qEnvironmentVariableIsSet("ZEN_UPDATE_GOLDEN");
    window->menuheight = 12;
    window->menuBarAdjust = 0;
    window->currentColor = RGB(30, 60, 200);
    window->currentBackColor = RGB(200, 30, 160);
    window->EditField1->SetTextColor(RGB(250, 250, 250));
    window->scrOriginal = QStringList{QString()};
    window->scrName = QStringList{QString()};

    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.name);
        platform.SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), c.screenW, c.screenH)});
        const bool jpeg = c.source == Source::Jpeg;
        const QString src = TestEnvironment::Home() + QStringLiteral("/golden-") + QString::fromLatin1(c.name) +
                            (jpeg ? QStringLiteral(".jpg") : QStringLiteral(".png"));
        ASSERT_TRUE(PhotoLike(c.sw, c.sh, c.source == Source::AlphaPng).save(src, jpeg ? "JPEG" : "PNG", 90));
        window->currentImage = GetFolderItem(src, 0);
        window->PopupMenu1->SetListIndex(c.mode);
        window->PopupMenu2->SetListIndex(c.exportRow);
        window->CheckBox1->SetValue(c.rounded);
        window->CheckBox2->SetValue(c.below);
        window->EditField1->SetText(c.text ? QStringLiteral("Zen 12:15") : QString());
        window->SetMainDesktop();

        const QString out = TestEnvironment::Home() + QStringLiteral("/Pictures/ZentravelleDesktopPicture") +
                            (c.exportRow == 0 ? QStringLiteral(".jpg") : QStringLiteral(".png"));
        const QImage canvas = QImage(out).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(canvas.size(), QSize(c.screenW, c.screenH));
        if (update) {
            QDir().mkpath(QFileInfo(Golden(c.name)).absolutePath());
            ASSERT_TRUE(canvas.convertToFormat(QImage::Format_RGB888).save(Golden(c.name), "PNG", 0));
            continue;
        }
        const QImage golden = QImage(Golden(c.name)).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(golden.size(), canvas.size()) << Golden(c.name).toStdString();
        const int tolerance = c.tolerance + (c.exportRow == 0 ? 2 : 0);
        int wrong = 0, largest = 0;
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                const QRgb a = canvas.pixel(x, y), b = golden.pixel(x, y);
                const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                        std::abs(qBlue(a) - qBlue(b))});
                largest = std::max(largest, d);
                if (d > tolerance && ++wrong <= 3 && c.beyond == 0)
                    ADD_FAILURE() << "pixel (" << x << "," << y << ") differs by " << d;
            }
        }
        EXPECT_LE(wrong, int(c.beyond * canvas.width() * canvas.height())) << "largest difference " << largest;
    }
}

}  // namespace
