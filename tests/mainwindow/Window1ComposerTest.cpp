// The composer: what SetMainDesktop draws, where it writes the picture, and
// what the desktop record and the window's records hold afterwards. Checked on
// the written files' pixels, on small screens wherever the size does not matter.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTimer>

#include <optional>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

#include "app/DesktopScripts.h"
#include "app/ImageFiles.h"
#include "framework/desktop/DesktopService.h"
#include "tests/mainwindow/MainWindowFixture.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

namespace {

const QColor kStrip(0, 0, 255);      // currentColor
const QColor kBack(200, 0, 200);     // currentBackColor
const QColor kBlank(255, 255, 255);  // a new canvas, where nothing is drawn
const QColor kText(255, 0, 0);       // the strip text
// The test source's quarters; the lower right one is transparent, so that it
// shows whatever lies beneath it (the background fill, or the blank canvas).
const QColor kTopLeft(0, 160, 0), kTopRight(240, 200, 0), kBottomLeft(0, 160, 160);
const QColor kSolid(30, 140, 60);

constexpr int kBarH = 10;  // menuheight in the placement cases, no adjustment

QImage QuarteredImage(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.fillRect(0, 0, w / 2, h / 2, kTopLeft);
    p.fillRect(w / 2, 0, w - w / 2, h / 2, kTopRight);
    p.fillRect(0, h / 2, w / 2, h - h / 2, kBottomLeft);
    return image;
}

QImage SolidImage(int w, int h, const QColor& c = kSolid) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

QString WriteText(const QString& relativePath, const QByteArray& bytes) {
    const QString path = TestEnvironment::Home() + QLatin1Char('/') + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

void UseScreen(int w, int h) { FakePlatform::Current().SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), w, h)}); }

QString PicturesPath(const QString& name) { return TestEnvironment::Home() + QStringLiteral("/Pictures/") + name; }
QString ComposedJpeg() { return PicturesPath(QStringLiteral("ZentravelleDesktopPicture.jpg")); }
QString ComposedPng() { return PicturesPath(QStringLiteral("ZentravelleDesktopPicture.png")); }

QString Shown(int32_t screen) { return GetDesktopPicture({Variant(screen)}); }
void Show(int32_t screen, const QString& path) { SetAnyDesktopPicture({Variant(screen), Variant(path)}); }

bool Near(const QColor& a, const QColor& b, int tolerance = 6) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

std::string Describe(const QColor& c) {
    return "(" + std::to_string(c.red()) + "," + std::to_string(c.green()) + "," + std::to_string(c.blue()) + ")";
}

QImage Load(const QString& path) {
    QImage image(path);
    EXPECT_FALSE(image.isNull()) << "cannot read " << path.toStdString();
    return image.convertToFormat(QImage::Format_RGB32);
}

bool IsText(const QColor& c) { return c.red() > 150 && c.green() < 90 && c.blue() < 120; }

// Every file under the test home, for "nothing was written" checks.
QStringList FilesUnderHome() {
    QStringList files;
    QDirIterator it(TestEnvironment::Home(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) files << it.next();
    files.sort();
    return files;
}

// Where the whole source lands: one rectangle, or one per tile in drawing order.
struct Rect {
    int x, y, w, h;
};

std::vector<Rect> Grid(std::vector<int> xs, std::vector<int> ys, int w, int h) {
    std::vector<Rect> tiles;
    for (int x : xs)
        for (int y : ys) tiles.push_back({x, y, w, h});
    return tiles;
}

struct Placement {
    const char* name;
    int screenW, screenH;
    int sw, sh;  // the quartered source's size
    int32_t mode;
    bool belowMenubar;
    std::vector<Rect> drawn;
    bool filled;  // the background colour under everything
    int margin;   // pixels left unchecked beside every edge (scaled drawing blends there)
    int step;     // sampling step
};

// What a pixel of the composed picture must be, or nothing for a pixel too
// close to an edge to judge.
std::optional<QColor> ExpectedAt(const Placement& c, int x, int y) {
    auto near = [&](int p, double edge) { return p + 1 > edge - c.margin && p < edge + c.margin; };
    if (near(y, kBarH)) return std::nullopt;
    if (y < kBarH) return kStrip;
    const QColor beneath = c.filled ? kBack : kBlank;
    for (const Rect& r : c.drawn) {
        const double midX = r.x + r.w * double(c.sw / 2) / c.sw, midY = r.y + r.h * double(c.sh / 2) / c.sh;
        for (double e : {double(r.x), midX, double(r.x + r.w)})
            if (near(x, e)) return std::nullopt;
        for (double e : {double(r.y), midY, double(r.y + r.h)})
            if (near(y, e)) return std::nullopt;
    }
    const double px = x + 0.5, py = y + 0.5;
    for (auto r = c.drawn.rbegin(); r != c.drawn.rend(); ++r) {  // the last tile drawn is on top
        if (px < r->x || px >= r->x + r->w || py < r->y || py >= r->y + r->h) continue;
        const bool left = px < r->x + r->w * double(c.sw / 2) / c.sw;
        const bool top = py < r->y + r->h * double(c.sh / 2) / c.sh;
        if (top) return left ? kTopLeft : kTopRight;
        return left ? kBottomLeft : beneath;
    }
    return beneath;
}

class Window1Composer : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        UseScreen(200, 100);
        window->menuheight = kBarH;
        window->menuBarAdjust = 0;
        window->currentColor = RGB(kStrip.red(), kStrip.green(), kStrip.blue());
        window->currentBackColor = RGB(kBack.red(), kBack.green(), kBack.blue());
        window->CheckBox1->SetValue(false);
        window->CheckBox2->SetValue(false);
        window->PopupMenu1->SetListIndex(2);
        window->PopupMenu2->SetListIndex(1);  // PNG: pixels are exact
        window->EditField1->SetText(QString());
        window->scrOriginal = QStringList{QString()};
        window->scrName = QStringList{QString()};
    }

    void UseSource(const QString& path) {
        window->currentImage = GetFolderItem(path, 0);
        ASSERT_TRUE(window->currentImage);
    }

    // Composes over a solid source stretched below the strip and gives the result.
    QImage ComposeOverSolid() {
        UseSource(WritePicture(QStringLiteral("solid.png"), SolidImage(40, 40)));
        window->PopupMenu1->SetListIndex(2);
        window->SetMainDesktop();
        return Load(ComposedPng());
    }

    static std::vector<ShownDialog> MsgBoxes(const std::vector<ShownDialog>& shown) {
        std::vector<ShownDialog> boxes;
        for (const auto& d : shown)
            if (d.kind == DialogKind::MsgBox) boxes.push_back(d);
        return boxes;
    }
};

// ---- Nothing to compose ------------------------------------------------------

TEST_F(Window1Composer, NoSourceSaysSoAndTouchesNothing) {
    const QString before = WritePicture(QStringLiteral("before.png"), SolidImage(4, 4));
    Show(1, before);
    window->scrOriginal = QStringList{before};
    window->currentImage = nullptr;

    platform.AnswerMsgBox();
    window->SetMainDesktop();
    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, DialogKind::MsgBox);
    EXPECT_EQ(shown[0].text, QStringLiteral("First select an image"));

    // In the background the same return, without a word.
    window->inBackground = true;
    window->SetMainDesktop();
    EXPECT_TRUE(platform.TakeShown().empty());

    EXPECT_EQ(Shown(1), before);
    EXPECT_EQ(window->scrOriginal, QStringList{before});
    EXPECT_FALSE(QFileInfo::exists(ComposedJpeg()));
    EXPECT_FALSE(QFileInfo::exists(ComposedPng()));
}

TEST_F(Window1Composer, UnreadableSourceIsReportedAfterTheDesktopShowsIt) {
    const QString notAPicture = WriteText(QStringLiteral("Notizen über Bilder/not a picture.png"), "just text\n");
    UseSource(notAPicture);

    platform.AnswerMsgBox();
    window->SetMainDesktop();
    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Couldn't open the selected image."));
    // The plain source was set before the source was opened; no composed file follows.
    EXPECT_EQ(Shown(1), notAPicture);
    EXPECT_EQ(window->scrOriginal.value(0), notAPicture);
    EXPECT_FALSE(QFileInfo::exists(ComposedPng()));

    window->inBackground = true;
    window->SetMainDesktop();
    EXPECT_TRUE(platform.TakeShown().empty());
}

TEST_F(Window1Composer, ScreenWithoutPixelsCannotGiveACanvas) {
    platform.SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), 0, 0)});
    UseSource(WritePicture(QStringLiteral("src.png"), SolidImage(8, 8)));
    platform.AnswerMsgBox();
    window->SetMainDesktop();
    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Sorry, could not create desktop image."));
    EXPECT_FALSE(QFileInfo::exists(ComposedPng()));
}

// ---- Placement ---------------------------------------------------------------

TEST_F(Window1Composer, EachPlacementPutsTheSourceWhereItBelongs) {
    // Canvas 200 x 100, strip 10 high unless said otherwise.
    const std::vector<Placement> cases = {
        // Fit: the largest size of the source's aspect, enlarging as well as shrinking.
        {"fit, enlarged", 200, 100, 40, 40, 0, false, {{50, 0, 100, 100}}, true, 2, 3},
        {"fit, shrunk", 200, 100, 400, 100, 0, false, {{0, 25, 200, 50}}, true, 2, 3},
        // Box 200 x 90; centred on the whole canvas, then moved down by the strip.
        {"fit, below menubar", 200, 100, 40, 40, 0, true, {{55, 15, 90, 90}}, true, 2, 3},
        // Fill: the smallest size of the source's aspect that covers the canvas.
        {"fill", 200, 100, 40, 40, 1, false, {{0, -50, 200, 200}}, false, 2, 3},
        // s = 4.5: 360 x 90 at (-80, 15); rows 10..14 keep the blank canvas.
        {"fill, below menubar", 200, 100, 80, 20, 1, true, {{-80, 15, 360, 90}}, false, 2, 3},
        {"stretch", 200, 100, 40, 30, 2, false, {{0, 0, 200, 100}}, false, 2, 3},
        {"stretch, below menubar", 200, 100, 40, 30, 2, true, {{0, 10, 200, 90}}, false, 2, 3},
        // Natural size; (200 - 41) / 2 = 79.5 rounds away from zero.
        {"center", 200, 100, 41, 41, 3, false, {{80, 30, 41, 41}}, true, 0, 1},
        {"center, below menubar", 200, 100, 41, 41, 3, true, {{80, 40, 41, 41}}, true, 0, 1},
        {"center, larger than the screen", 200, 100, 300, 150, 3, false, {{-50, -25, 300, 150}}, true, 0, 1},
        // Tile: the centre tile at (70, 30), 5 columns and 3 rows around it.
        {"tile", 200, 100, 60, 40, 4, false, Grid({-50, 10, 70, 130, 190}, {-10, 30, 70}, 60, 40), false, 0, 1},
        // Rows are counted on the whole canvas height: 100 / 30 gives 5 rows around (70, 45), the top one
        // covering the band below the strip.
        {"tile, below menubar", 200, 100, 60, 30, 4, true,
         Grid({-50, 10, 70, 130, 190}, {-15, 15, 45, 75, 105}, 60, 30), false, 0, 1},
        {"tile, 500 wide on 1440", 1440, 60, 500, 20, 4, false, Grid({-30, 470, 970}, {0, 20, 40}, 500, 20), false,
         0, 3},
        {"tile, 720 wide on 1440", 1440, 60, 720, 20, 4, false, Grid({-360, 360, 1080}, {0, 20, 40}, 720, 20), false,
         0, 3},
        {"tile, wider than the screen", 1440, 60, 1500, 20, 4, false, Grid({-30}, {0, 20, 40}, 1500, 20), false, 0,
         3},
    };
    for (const Placement& c : cases) {
        SCOPED_TRACE(c.name);
        UseScreen(c.screenW, c.screenH);
        UseSource(WritePicture(QStringLiteral("sources/%1 x %2.png").arg(c.sw).arg(c.sh), QuarteredImage(c.sw, c.sh)));
        window->PopupMenu1->SetListIndex(c.mode);
        window->CheckBox2->SetValue(c.belowMenubar);
        window->SetMainDesktop();

        const QImage out = Load(ComposedPng());
        ASSERT_EQ(out.size(), QSize(c.screenW, c.screenH));
        int checked = 0, wrong = 0;
        for (int y = 0; y < out.height(); y += c.step) {
            for (int x = 0; x < out.width(); x += c.step) {
                const auto expected = ExpectedAt(c, x, y);
                if (!expected) continue;
                ++checked;
                const QColor actual = out.pixelColor(x, y);
                if (!Near(actual, *expected) && ++wrong <= 5)
                    ADD_FAILURE() << "pixel (" << x << "," << y << ") is " << Describe(actual) << ", expected "
                                  << Describe(*expected);
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_GT(checked, 500);
    }
}

TEST_F(Window1Composer, FitBelowMenubarOnAFullSizeScreen) {
    // 1440 x 1000 into the box 1440 x 878: 1264 x 878 at (88, 33); the lowest 11 rows fall off the canvas.
    UseScreen(1440, 900);
    window->menuheight = 22;
    UseSource(WritePicture(QStringLiteral("tall.png"), SolidImage(1440, 1000)));
    window->PopupMenu1->SetListIndex(0);
    window->CheckBox2->SetValue(true);
    window->SetMainDesktop();

    const QImage out = Load(ComposedPng());
    ASSERT_EQ(out.size(), QSize(1440, 900));
    for (int y : {40, 450, 899}) {
        SCOPED_TRACE(y);
        EXPECT_TRUE(Near(out.pixelColor(87, y), kBack)) << Describe(out.pixelColor(87, y));
        EXPECT_TRUE(Near(out.pixelColor(88, y), kSolid)) << Describe(out.pixelColor(88, y));
        EXPECT_TRUE(Near(out.pixelColor(1351, y), kSolid)) << Describe(out.pixelColor(1351, y));
        EXPECT_TRUE(Near(out.pixelColor(1352, y), kBack)) << Describe(out.pixelColor(1352, y));
    }
    for (int x : {88, 720, 1351}) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(Near(out.pixelColor(x, 21), kStrip));
        EXPECT_TRUE(Near(out.pixelColor(x, 22), kBack));
        EXPECT_TRUE(Near(out.pixelColor(x, 32), kBack));
        EXPECT_TRUE(Near(out.pixelColor(x, 33), kSolid));
    }
}

// ---- The strip and its text --------------------------------------------------

TEST_F(Window1Composer, SquareStripIsAsHighAsTheMenubarPlusTheAdjustment) {
    for (int adjust : {3, -4}) {
        SCOPED_TRACE(adjust);
        window->menuBarAdjust = adjust;
        const QImage out = ComposeOverSolid();
        const int barH = kBarH + adjust;
        for (int x : {0, 1, 100, 198, 199}) {
            EXPECT_TRUE(Near(out.pixelColor(x, 0), kStrip)) << x;
            EXPECT_TRUE(Near(out.pixelColor(x, barH - 1), kStrip)) << x;
            EXPECT_TRUE(Near(out.pixelColor(x, barH), kSolid)) << x;
        }
    }
}

TEST_F(Window1Composer, RoundedStripIsBlackOutsideItsUpperCurves) {
    window->menuheight = 20;
    window->menuBarAdjust = 2;  // barH 22: corner ovals 18 x 18, lower half square from row 11
    window->CheckBox1->SetValue(true);
    const QImage out = ComposeOverSolid();
    const QColor black(0, 0, 0);
    for (auto [x, y] : {std::pair{0, 0}, {1, 1}, {0, 4}, {4, 0}, {199, 0}, {198, 1}, {199, 4}})
        EXPECT_TRUE(Near(out.pixelColor(x, y), black, 0)) << x << "," << y << " " << Describe(out.pixelColor(x, y));
    for (auto [x, y] : {std::pair{100, 0}, {9, 0}, {5, 5}, {194, 5}, {0, 9}, {0, 11}, {0, 21}, {199, 21}, {100, 21}})
        EXPECT_TRUE(Near(out.pixelColor(x, y), kStrip, 0)) << x << "," << y << " " << Describe(out.pixelColor(x, y));
    EXPECT_TRUE(Near(out.pixelColor(0, 22), kSolid));
    EXPECT_TRUE(Near(out.pixelColor(100, 22), kSolid));

    // An odd height: half of 21 rounds to 11, so the square half reaches one row past the strip.
    window->menuheight = 21;
    window->menuBarAdjust = 0;
    const QImage odd = ComposeOverSolid();
    EXPECT_TRUE(Near(odd.pixelColor(0, 20), kStrip, 0));
    EXPECT_TRUE(Near(odd.pixelColor(0, 21), kStrip, 0)) << Describe(odd.pixelColor(0, 21));
    EXPECT_TRUE(Near(odd.pixelColor(0, 22), kSolid));
}

TEST_F(Window1Composer, StripTextIsDrawnInACentredBlockWithinTheStrip) {
    window->menuheight = 20;
    window->EditField1->SetTextColor(RGB(kText.red(), kText.green(), kText.blue()));
    // Long enough to wrap: only the lines that fit the strip may show.
    window->EditField1->SetText(QStringLiteral("MMMM MMMM MMMM MMMM MMMM MMMM MMMM MMMM MMMM MMMM MMMM MMMM"));

    std::optional<int> firstLeft;
    for (int width : {600, 601}) {
        SCOPED_TRACE(width);
        UseScreen(width, 60);
        const QImage out = ComposeOverSolid();
        const int blockLeft = width / 2 - 127;  // 173 for both widths
        int textPixels = 0, minX = width, maxX = -1;
        for (int y = 0; y < out.height(); ++y) {
            for (int x = 0; x < out.width(); ++x) {
                if (!IsText(out.pixelColor(x, y))) continue;
                ++textPixels;
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                EXPECT_LT(y, 20) << "text below the strip at " << x << "," << y;
                if (y >= 20) return;
            }
        }
        // The field centres its lines: the first one is centred in the block and
        // wraps within its 254 pixels, having filled most of them.
        EXPECT_GT(textPixels, 50);
        EXPECT_GE(minX, blockLeft);
        EXPECT_LT(maxX, blockLeft + 254);
        EXPECT_GT(maxX - minX, 180);
        EXPECT_NEAR((minX + maxX) / 2.0, blockLeft + 127, 3.0);
        if (!firstLeft) firstLeft = minX;
        else EXPECT_EQ(minX, *firstLeft);  // a 601-wide canvas puts the block where a 600-wide one does
    }
}

TEST_F(Window1Composer, EmptyStripFieldDrawsNoText) {
    window->EditField1->SetTextColor(RGB(kText.red(), kText.green(), kText.blue()));
    window->EditField1->SetText(QStringLiteral("Zen"));
    window->EditField1->SetText(QString());
    UseScreen(600, 40);
    window->menuheight = 20;
    const QImage out = ComposeOverSolid();
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            ASSERT_FALSE(IsText(out.pixelColor(x, y))) << x << "," << y;
    EXPECT_TRUE(Near(out.pixelColor(300, 10), kStrip));
}

// ---- Writing and setting -----------------------------------------------------

TEST_F(Window1Composer, SaveFormatChoosesTheComposedFileAndTheDesktopShowsIt) {
    const QString source = WritePicture(QStringLiteral("Urlaub am Meer/Strand & Sonne.png"), SolidImage(40, 40));
    UseSource(source);

    window->PopupMenu2->SetListIndex(0);
    window->SetMainDesktop();
    EXPECT_EQ(Shown(1), ComposedJpeg());
    EXPECT_EQ(QImageReader(ComposedJpeg()).format(), QByteArray("jpeg"));
    EXPECT_EQ(QImageReader(ComposedJpeg()).size(), QSize(200, 100));
    EXPECT_FALSE(QFileInfo::exists(ComposedPng()));
    EXPECT_EQ(window->scrOriginal.value(0), source);

    window->PopupMenu2->SetListIndex(1);
    window->SetMainDesktop();
    EXPECT_EQ(Shown(1), ComposedPng());
    EXPECT_EQ(QImageReader(ComposedPng()).format(), QByteArray("png"));
    EXPECT_TRUE(Near(Load(ComposedPng()).pixelColor(100, 50), kSolid));
    EXPECT_EQ(window->scrOriginal.value(0), source);
}

TEST_F(Window1Composer, DesktopShowsThePlainSourceBeforeEachComposedPicture) {
    const QString source = WritePicture(QStringLiteral("Fotos/Bergsee früh.png"), SolidImage(60, 40));
    UseSource(source);
    window->PopupMenu1->SetListIndex(4);  // Tile: yields while drawing
    window->scrOriginal = QStringList{QStringLiteral("/somewhere/else.png"), QStringLiteral("/second/screen.png")};

    // What screen 1 shows, each time the composer lets the event loop run.
    QStringList seen;
    auto look = [&] {
        const QString now = DesktopService::picture(1);
        if (seen.isEmpty() || seen.last() != now) seen << now;
    };
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, look);
    watch.start(0);
    window->SetMainDesktop();
    window->SetMainDesktop();
    watch.stop();
    look();
    seen.removeAll(QString());

    EXPECT_EQ(seen, (QStringList{source, ComposedPng(), source, ComposedPng()}));
    EXPECT_EQ(Shown(1), ComposedPng());
    EXPECT_EQ(window->scrOriginal,
              (QStringList{source, QStringLiteral("/second/screen.png")}));  // only the main screen's record
}

TEST_F(Window1Composer, ALinkInPlaceOfTheComposedPictureIsReplacedNotWrittenThrough) {
    UseSource(WritePicture(QStringLiteral("src.png"), SolidImage(40, 40)));
    const QString notes = TestEnvironment::Home() + QStringLiteral("/notes.txt");
    PutFile(notes, "my notes");
    ASSERT_TRUE(QDir().mkpath(PicturesPath(QString())));
    ASSERT_TRUE(QFile::link(notes, ComposedJpeg()));
    window->PopupMenu2->SetListIndex(0);
    window->SetMainDesktop();
    EXPECT_EQ(FileBytes(notes, "<unreadable>"), QByteArray("my notes"));
    EXPECT_EQ(QImageReader(ComposedJpeg()).format(), QByteArray("jpeg"));
    EXPECT_EQ(Shown(1), ComposedJpeg());
}

TEST_F(Window1Composer, FailedWriteOfTheComposedPictureIsNotSetAsTheDesktop) {
    const QString source = WritePicture(QStringLiteral("src.png"), SolidImage(40, 40));
    UseSource(source);
    window->PopupMenu2->SetListIndex(0);
    ASSERT_TRUE(QDir().mkpath(ComposedJpeg()));  // a folder where the picture should go

    platform.AnswerMsgBox();
    window->SetMainDesktop();
    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Sorry, could not save the desktop image."));
    EXPECT_EQ(Shown(1), source);
    EXPECT_EQ(window->scrOriginal.value(0), source);
    EXPECT_TRUE(QFileInfo(ComposedJpeg()).isDir());

    window->inBackground = true;
    window->SetMainDesktop();
    EXPECT_TRUE(platform.TakeShown().empty());
    EXPECT_EQ(Shown(1), source);
}

TEST_F(Window1Composer, FullDiskKeepsTheOldPictureAndTheDesktopOnThePlainSource) {
    // A noisy source: its composed picture is far larger than the file size limit.
    QImage noise(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x) noise.setPixel(x, y, qRgb((x * 37 + y * 91) % 251, (x * y) % 253, (x ^ y) & 255));
    const QString source = WritePicture(QStringLiteral("noise.png"), noise);
    UseScreen(400, 300);
    UseSource(source);
    for (int32_t row : {0, 1}) {
        SCOPED_TRACE(row);
        window->PopupMenu2->SetListIndex(row);
        const QString composed = row == 0 ? ComposedJpeg() : ComposedPng();
        window->SetMainDesktop();  // the picture a full disk must not spoil
        QFile before(composed);
        ASSERT_TRUE(before.open(QIODevice::ReadOnly));
        const QByteArray old = before.readAll();
        ASSERT_GT(old.size(), 40 * 1024);
        ASSERT_EQ(Shown(1), composed);

        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = rlim_t(old.size() - 2048);  // only the last buffered bytes find no room
        setrlimit(RLIMIT_FSIZE, &small);
        platform.AnswerMsgBox();
        window->SetMainDesktop();
        window->inBackground = true;
        window->SetMainDesktop();  // the watcher's try: no message
        window->inBackground = false;
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);

        const auto boxes = MsgBoxes(platform.TakeShown());
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, QStringLiteral("Sorry, could not save the desktop image."));
        EXPECT_EQ(Shown(1), source);
        QFile after(composed);
        ASSERT_TRUE(after.open(QIODevice::ReadOnly));
        EXPECT_TRUE(after.readAll() == old);
        for (const QString& name : QDir(PicturesPath(QString())).entryList(QDir::Files | QDir::Hidden))
            EXPECT_TRUE(name.startsWith(QStringLiteral("ZentravelleDesktopPicture."))) << "left behind: " << name.toStdString();
    }
}

TEST_F(Window1Composer, FifoAsTheSourceNeverBlocks) {
    const QString fifo = TestEnvironment::Home() + QStringLiteral("/Pictures/pipe.jpg");
    QDir().mkpath(QFileInfo(fifo).absolutePath());
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    window->LoadImage(GetFolderItem(fifo, 0));  // would wait for a writer forever if it opened the FIFO
    platform.AnswerMsgBox();
    window->SetMainDesktop();
    const auto boxes = MsgBoxes(platform.TakeShown());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Couldn't open the selected image."));
}

// ---- Save-only mode (Option key) ---------------------------------------------

TEST_F(Window1Composer, SaveOnlyWritesTheChosenFileAndLeavesTheDesktopAlone) {
    const QString before = WritePicture(QStringLiteral("before.png"), SolidImage(4, 4));
    Show(1, before);
    window->scrOriginal = QStringList{before};
    const QString source = WritePicture(QStringLiteral("Fotos/Abend am Fluß.png"), SolidImage(40, 40));
    UseSource(source);
    const QString chosen = TestEnvironment::Home() + QStringLiteral("/Gespeichert hier/mein \"Bild\" é.png");
    QDir().mkpath(QFileInfo(chosen).absolutePath());

    platform.SetOptionKey(true);
    platform.AnswerSaveDialog(GetFolderItem(chosen, 0));
    window->PushButton1_Action();

    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, DialogKind::SaveDialog);
    EXPECT_EQ(shown[0].defaultName, QStringLiteral("Abend am Fluß-ZenMod.png"));
    EXPECT_EQ(shown[0].filter, ImageFiles::All());
    EXPECT_EQ(QImageReader(chosen).format(), QByteArray("png"));
    const QImage out = Load(chosen);
    EXPECT_EQ(out.size(), QSize(200, 100));
    EXPECT_TRUE(Near(out.pixelColor(100, 5), kStrip));
    EXPECT_TRUE(Near(out.pixelColor(100, 50), kSolid));

    EXPECT_EQ(Shown(1), before);
    EXPECT_EQ(window->scrOriginal, QStringList{before});
    EXPECT_FALSE(QFileInfo::exists(ComposedPng()));
    EXPECT_FALSE(QFileInfo::exists(ComposedJpeg()));
    EXPECT_FALSE(window->SaveImageOnly);
}

TEST_F(Window1Composer, SaveOnlyCancelledWritesNothing) {
    const QString before = WritePicture(QStringLiteral("before.png"), SolidImage(4, 4));
    Show(1, before);
    window->scrOriginal = QStringList{before};
    UseSource(WritePicture(QStringLiteral("src.png"), SolidImage(40, 40)));
    const QStringList filesBefore = FilesUnderHome();

    window->SaveImageOnly = true;
    platform.CancelSaveDialog();
    window->SetMainDesktop();
    window->SaveImageOnly = false;

    EXPECT_EQ(platform.TakeShown().size(), 1u);  // the dialog, and no message after it
    EXPECT_EQ(FilesUnderHome(), filesBefore);
    EXPECT_EQ(Shown(1), before);
    EXPECT_EQ(window->scrOriginal, QStringList{before});
}

TEST_F(Window1Composer, SaveOnlyProposesTheSourceNameWithTheFormatsSuffix) {
    const bool tiff = QImageWriter::supportedImageFormats().contains("tiff");
    struct Case {
        QString file;
        const char* format;
        int32_t exportRow;
        QString proposed;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("sunset.tiff"), tiff ? "TIFF" : "PNG", 1, QStringLiteral("sunset-ZenMod.png")},
        {QStringLiteral("sunset.tiff"), tiff ? "TIFF" : "PNG", 0, QStringLiteral("sunset-ZenMod.jpg")},
        {QStringLiteral("Sunset"), "PNG", 0, QStringLiteral("Sunset-ZenMod.jpg")},
        {QStringLiteral("été.2024.final.png"), "PNG", 1, QStringLiteral("été.2024.final-ZenMod.png")},
    };
    window->SaveImageOnly = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        UseSource(WritePicture(QStringLiteral("named/") + c.file, SolidImage(8, 8), c.format));
        window->PopupMenu2->SetListIndex(c.exportRow);
        platform.CancelSaveDialog();
        window->SetMainDesktop();
        const auto shown = platform.TakeShown();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].defaultName, c.proposed);
    }
    window->SaveImageOnly = false;
}

TEST_F(Window1Composer, SaveOnlyToAnUnwritablePlaceSaysSo) {
    UseSource(WritePicture(QStringLiteral("src.png"), SolidImage(40, 40)));
    const QString chosen = TestEnvironment::Home() + QStringLiteral("/no such folder/out.png");
    window->SaveImageOnly = true;
    platform.AnswerSaveDialog(GetFolderItem(chosen, 0));
    platform.AnswerMsgBox();
    window->SetMainDesktop();
    window->SaveImageOnly = false;
    const auto boxes = MsgBoxes(platform.TakeShown());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Sorry, could not save the desktop image."));
    EXPECT_FALSE(QFileInfo::exists(chosen));
}

}  // namespace
