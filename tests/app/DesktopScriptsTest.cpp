// The three desktop scripts as the program calls them: the wrappers, the
// scripts compiled into the program and the desktop service behind them.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "app/DesktopScripts.h"
#include "framework/desktop/DesktopRecord.h"
#include "framework/desktop/ResourceFork.h"
#include "framework/system/Screens.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestEnvironment.h"

namespace {

std::vector<ScreenInfo> twoScreens() {
    ScreenInfo main, side;
    main.name = QStringLiteral("eDP-1");
    main.manufacturer = QStringLiteral("BOE");
    main.model = QStringLiteral("0x0AD1");
    main.serialNumber = QStringLiteral("123");
    side.name = QStringLiteral("DP-3");
    side.width = 2560;
    side.height = 1440;
    return {main, side};
}

class DesktopScripts : public ::testing::Test {
protected:
    void SetUp() override {
        TestEnvironment::ResetHome();
        qunsetenv("XDG_CURRENT_DESKTOP");
        platform.SetScreens(twoScreens());
    }
    void TearDown() override {
        qunsetenv("XDG_CURRENT_DESKTOP");
        qunsetenv("GSETTINGS_BACKEND");
    }
    static QString home(const QString& name) { return TestEnvironment::Home() + QLatin1Char('/') + name; }
    FakePlatform platform;
};

}  // namespace

TEST_F(DesktopScripts, ScriptsAndAboutPictureAreCompiledIntoTheProgram) {
    const ResourceForkPtr fork = ApplicationResourceFork();
    ASSERT_NE(fork, nullptr);
    for (int id : {168, 169, 170}) EXPECT_TRUE(fork->GetResource(QStringLiteral("scpt"), id).has_value()) << id;
    const PicturePtr about = fork->GetPicture(168);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->Width(), 128);
    EXPECT_EQ(about->Height(), 128);
}

TEST_F(DesktopScripts, EachScreenKeepsThePictureSetForIt) {
    EXPECT_EQ(GetDesktopPicture({Variant(1)}), QString());
    SetAnyDesktopPicture({Variant(1), Variant(home(QStringLiteral("main.jpg")))});
    SetAnyDesktopPicture({Variant(2), Variant(home(QStringLiteral("side.png")))});
    EXPECT_EQ(GetDesktopPicture({Variant(1)}), home(QStringLiteral("main.jpg")));
    EXPECT_EQ(GetDesktopPicture({Variant(2)}), home(QStringLiteral("side.png")));
    // Without parameters the script reads the main screen.
    EXPECT_EQ(GetDesktopPicture({}), home(QStringLiteral("main.jpg")));
    // Screens that are not there: nothing, and nothing is set.
    EXPECT_EQ(GetDesktopPicture({Variant(3)}), QString());
    SetAnyDesktopPicture({Variant(0), Variant(home(QStringLiteral("zero.jpg")))});
    EXPECT_EQ(GetDesktopPicture({Variant(1)}), home(QStringLiteral("main.jpg")));
    // An empty path, as an unrecorded original can be, leaves the screen as it is.
    SetAnyDesktopPicture({Variant(2), Variant(QString())});
    EXPECT_EQ(GetDesktopPicture({Variant(2)}), home(QStringLiteral("side.png")));
}

TEST_F(DesktopScripts, NamesAreStableAndTellScreensApart) {
    const QString one = GetDesktopName({Variant(1)});
    const QString two = GetDesktopName({Variant(2)});
    EXPECT_EQ(one, QStringLiteral("BOE 0x0AD1 123"));
    EXPECT_EQ(two, QStringLiteral("DP-3"));
    // The next start sees the same screens, possibly in another order.
    platform.SetScreens(std::nullopt);
    auto swapped = twoScreens();
    std::swap(swapped[0], swapped[1]);
    platform.SetScreens(swapped);
    EXPECT_EQ(GetDesktopName({Variant(2)}), one);
    EXPECT_EQ(GetDesktopName({Variant(1)}), two);
    EXPECT_EQ(GetDesktopName({Variant(3)}), QString());
}

TEST_F(DesktopScripts, PicturesSurviveTheNextStart) {
    SetAnyDesktopPicture({Variant(2), Variant(home(QStringLiteral("kept.jpg")))});
    // A new run reads the record from its file: same screens, same answer.
    platform.SetScreens(std::nullopt);
    platform.SetScreens(twoScreens());
    EXPECT_EQ(GetDesktopPicture({Variant(2)}), home(QStringLiteral("kept.jpg")));
    EXPECT_TRUE(QFileInfo::exists(DesktopRecord::defaultPath()));
}

TEST_F(DesktopScripts, PathsWithAnyCharactersReachTheDesktopUnchanged) {
    const QString marker = home(QStringLiteral("pwned"));
    const QString path = home(QString::fromUtf8("Ferien 2024/Strand \"Süd\" – it's $(touch %1);\nzweite Zeile 😀.jpg")
                                  .arg(marker));
    SetAnyDesktopPicture({Variant(1), Variant(path)});
    EXPECT_EQ(GetDesktopPicture({Variant(1)}), path);
    EXPECT_FALSE(QFileInfo::exists(marker));
}

TEST_F(DesktopScripts, NonIntegerScreenNumbersArePassedAsText) {
    // VarType 2 only is an integer parameter; a Double goes as its text and is
    // not a screen number the service reads.
    SetAnyDesktopPicture({Variant(1), Variant(home(QStringLiteral("a.jpg")))});
    EXPECT_EQ(GetDesktopPicture({Variant(QStringLiteral("1"))}), home(QStringLiteral("a.jpg")));
    EXPECT_EQ(GetDesktopPicture({Variant(1.5)}), QString());
}

TEST_F(DesktopScripts, GnomeDesktopGetsTheMainScreensPicture) {
    const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (gsettings.isEmpty()) GTEST_SKIP() << "gsettings is not installed";
    qputenv("GSETTINGS_BACKEND", "keyfile");
    auto get = [&](const char* key) -> std::optional<QString> {
        QProcess p;
        p.start(gsettings, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.background"), QLatin1String(key)});
        if (!p.waitForFinished(10000) || p.exitCode() != 0) return std::nullopt;
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    };
    if (!get("picture-uri")) GTEST_SKIP() << "the schema org.gnome.desktop.background is not installed";
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");

    const QString first = home(QString::fromUtf8("Plain source ü.jpg"));
    const QString composed = home(QStringLiteral("ZentravelleDesktopPicture.jpg"));
    SetAnyDesktopPicture({Variant(1), Variant(first)});
    SetAnyDesktopPicture({Variant(1), Variant(composed)});
    const QString uri = QStringLiteral("'%1'").arg(QString::fromUtf8(QUrl::fromLocalFile(composed).toEncoded()));
    EXPECT_EQ(get("picture-uri"), uri);
    EXPECT_EQ(get("picture-uri-dark"), uri);
    EXPECT_EQ(GetDesktopPicture({Variant(1)}), composed);
    // The next request sets the source and then the composed file again: GNOME sees a change each time.
    SetAnyDesktopPicture({Variant(1), Variant(first)});
    EXPECT_EQ(GetDesktopPicture({Variant(1)}), first);
    SetAnyDesktopPicture({Variant(1), Variant(composed)});
    EXPECT_EQ(GetDesktopPicture({Variant(1)}), composed);
}
