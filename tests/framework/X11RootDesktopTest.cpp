// X11RootDesktop on an Xvfb server of the test's own, with two screens side by
// side on its root window.
#include <gtest/gtest.h>

#include <QImage>

#include "framework/desktop/X11RootDesktop.h"
#include "framework/system/Screens.h"
#include "tests/framework/XvfbServer.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestEnvironment.h"

namespace {

QString picture(const QString& name, QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = TestEnvironment::Home() + QLatin1Char('/') + name;
    EXPECT_TRUE(image.save(path));
    return path;
}

struct TwoScreens {
    TwoScreens() {
        ScreenInfo left, right;
        left.name = QStringLiteral("DP-1");
        left.width = right.width = 720;
        right.name = QStringLiteral("DP-2");
        right.left = 720;
        platform.SetScreens(std::vector<ScreenInfo>{left, right});
    }
    FakePlatform platform;
};

TEST(X11RootDesktop, EachScreensPictureBecomesTheRootPixmapAndOutlivesTheSetter) {
    XvfbServer server(1440, 900);
    ASSERT_FALSE(server.display().isEmpty()) << "Xvfb did not start (package xvfb)";
    const TwoScreens screens;
    X11RootDesktop desktop(server.display());
    EXPECT_TRUE(desktop.perScreen());
    EXPECT_FALSE(desktop.picture(1));  // the record answers

    // Another program's pixmap, named by _XROOTPMAP_ID alone: kept, and what
    // the other screen goes on showing.
    const uint64_t foreign = server.publishOwnPixmap(qRgb(0, 255, 0));
    const QString red = picture(QStringLiteral("red.png"), {720, 900}, Qt::red);
    ASSERT_TRUE(desktop.setPicture(1, red));
    const uint64_t first = server.rootProperty("_XROOTPMAP_ID");
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, foreign);
    EXPECT_EQ(server.rootProperty("ESETROOT_PMAP_ID"), first);
    EXPECT_TRUE(server.pixmapExists(foreign));
    // The setter's connection is closed: the pixmap lives on.
    EXPECT_TRUE(server.pixmapExists(first));
    EXPECT_EQ(server.rootPixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(server.rootPixel(719, 899), qRgb(255, 0, 0));
    EXPECT_EQ(server.rootPixel(720, 0), qRgb(0, 255, 0));

    // Screen 2, from a picture of another size (stretched to the screen): the
    // previous pixmap is freed, screen 1 keeps its picture.
    const QString blue = picture(QStringLiteral("blue.jpg"), {100, 50}, Qt::blue);
    ASSERT_TRUE(desktop.setPicture(2, blue));
    const uint64_t second = server.rootProperty("_XROOTPMAP_ID");
    EXPECT_NE(second, first);
    EXPECT_EQ(server.rootProperty("ESETROOT_PMAP_ID"), second);
    EXPECT_FALSE(server.pixmapExists(first));
    EXPECT_TRUE(server.pixmapExists(second));
    EXPECT_EQ(server.rootPixel(700, 450), qRgb(255, 0, 0));
    const QRgb shown = server.rootPixel(1439, 899);
    EXPECT_LT(qRed(shown) + qGreen(shown), 20);  // JPEG: nearly pure blue
    EXPECT_GT(qBlue(shown), 235);

    // Nothing to show: refused, and the desktop stays as it was.
    EXPECT_FALSE(desktop.setPicture(3, red));
    EXPECT_FALSE(desktop.setPicture(1, TestEnvironment::Home() + QStringLiteral("/missing.png")));
    EXPECT_FALSE(X11RootDesktop(":no-such-display").setPicture(1, red));
    EXPECT_EQ(server.rootProperty("_XROOTPMAP_ID"), second);
    EXPECT_TRUE(server.pixmapExists(second));

    // Another program sets _XROOTPMAP_ID alone: ours, left named by
    // ESETROOT_PMAP_ID, is freed with the next picture; theirs is kept.
    const uint64_t other = server.publishOwnPixmap(qRgb(0, 0, 255));
    ASSERT_TRUE(desktop.setPicture(1, red));
    EXPECT_FALSE(server.pixmapExists(second));
    EXPECT_TRUE(server.pixmapExists(other));

    // Both naming a window of the test's own connection (standing for the
    // program's): nobody is killed, or the test would end here.
    const uint64_t window = server.publishOwnWindow();
    ASSERT_TRUE(desktop.setPicture(1, red));
    EXPECT_TRUE(server.pixmapExists(window));
}

TEST(X11RootDesktop, DesktopsThatDrawTheirOwnBackgroundAreKnown) {
    for (const char* name : {"GNOME", "ubuntu:GNOME", "KDE", "XFCE", "X-Cinnamon", "MATE", "LXQt", "Budgie:GNOME"})
        EXPECT_TRUE(SessionDesktops(QLatin1String(name)).namesKnownDesktop()) << name;
    for (const char* name : {"", "i3", "openbox", "sway:wlroots", "Hyprland"})
        EXPECT_FALSE(SessionDesktops(QLatin1String(name)).namesKnownDesktop()) << name;
}

}  // namespace

TEST(X11RootDesktop, OnlyAnX11SessionOfNoKnownDesktopGetsTheRootPixmap) {
    XvfbServer server(640, 480);
    ASSERT_FALSE(server.display().isEmpty()) << "Xvfb did not start (package xvfb)";
    qputenv("DISPLAY", server.display());
    const struct {
        const char* desktop;
        const char* waylandDisplay;  // set: XWayland inside a Wayland session
        bool chosen;
    } table[] = {{"", "", true}, {"openbox", "", true}, {"XFCE", "", false}, {"sway", "wayland-1", false}, {"", "wayland-0", false}};
    for (const auto& row : table) {
        qputenv("WAYLAND_DISPLAY", row.waylandDisplay);
        EXPECT_EQ(X11RootDesktop::detect(SessionDesktops(QLatin1String(row.desktop))) != nullptr, row.chosen)
            << row.desktop << " " << row.waylandDisplay;
    }
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
}
