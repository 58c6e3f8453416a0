#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "framework/desktop/DesktopRecord.h"
#include "framework/desktop/DesktopService.h"
#include "framework/shell/XmlDocument.h"
#include "framework/system/Screens.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"

namespace {

const QString kPlacementQuery = QStringLiteral(
    "/plist/dict[key=\"Background\"]/dict[key=\"default\"]/dict[key=\"Placement\"]/key[. = \"Placement\"]/following-sibling::string[1]");

ScreenInfo screen(const QString& connector, const QString& maker, const QString& model, const QString& serial,
                  int32_t width = 1440, int32_t height = 900) {
    ScreenInfo s;
    s.name = connector;
    s.manufacturer = maker;
    s.model = model;
    s.serialNumber = serial;
    s.width = s.availableWidth = width;
    s.height = s.availableHeight = height;
    return s;
}

// The placement the main window would take over from the record.
QString queriedPlacement() {
    XmlDocument doc(GetFolderItem(DesktopRecord::defaultPath(), 0));
    const auto nodes = doc.DocumentElement()->Xql(kPlacementQuery);
    return nodes->Length() ? nodes->Item(nodes->Length() - 1)->ToString() : QString();
}

class Desktop : public ::testing::Test {
protected:
    void SetUp() override {
        TestEnvironment::ResetHome();
        qunsetenv("XDG_CURRENT_DESKTOP");
        platform.SetScreens(std::vector<ScreenInfo>{
            screen(QStringLiteral("DP-1"), QStringLiteral("DEL"), QStringLiteral("U2415"), QStringLiteral("7MT0185")),
            screen(QStringLiteral("HDMI-1"), QString(), QString(), QString(), 1920, 1080)});
    }
    void TearDown() override {
        qunsetenv("XDG_CURRENT_DESKTOP");
    }
    QString picturePath(const QString& name) const { return TestEnvironment::Home() + QLatin1Char('/') + name; }
    FakePlatform platform;
};

}  // namespace

TEST_F(Desktop, NamesComeFromMakerModelAndSerialElseTheConnector) {
    EXPECT_EQ(DesktopService::screenName(1), QStringLiteral("DEL U2415 7MT0185"));
    EXPECT_EQ(DesktopService::screenName(2), QStringLiteral("HDMI-1"));
    EXPECT_EQ(DesktopService::screenName(0), QString());
    EXPECT_EQ(DesktopService::screenName(3), QString());

    // Identical screens without serial numbers stay apart by their connectors.
    platform.SetScreens(std::vector<ScreenInfo>{
        screen(QStringLiteral("DP-1"), QStringLiteral("DEL"), QStringLiteral("U2415"), QString()),
        screen(QStringLiteral("DP-2"), QStringLiteral("DEL"), QStringLiteral("U2415"), QString())});
    EXPECT_EQ(DesktopService::screenName(1), QStringLiteral("DEL U2415 DP-1"));
    EXPECT_EQ(DesktopService::screenName(2), QStringLiteral("DEL U2415 DP-2"));
}

TEST_F(Desktop, PicturesRoundTripPerScreenAndFollowTheScreenNotItsNumber) {
    EXPECT_EQ(DesktopService::picture(1), QString());  // nothing recorded yet
    DesktopService::setPicture(1, picturePath(QStringLiteral("one.jpg")));
    DesktopService::setPicture(2, picturePath(QStringLiteral("two.png")));
    EXPECT_EQ(DesktopService::picture(1), picturePath(QStringLiteral("one.jpg")));
    EXPECT_EQ(DesktopService::picture(2), picturePath(QStringLiteral("two.png")));
    EXPECT_TRUE(FileBytes(DesktopRecord::defaultPath()).startsWith("<?xml"));

    // The other screen becomes the main one: each keeps its own picture.
    platform.SetScreens(std::vector<ScreenInfo>{
        screen(QStringLiteral("HDMI-1"), QString(), QString(), QString(), 1920, 1080),
        screen(QStringLiteral("DP-1"), QStringLiteral("DEL"), QStringLiteral("U2415"), QStringLiteral("7MT0185"))});
    EXPECT_EQ(DesktopService::picture(1), picturePath(QStringLiteral("two.png")));
    EXPECT_EQ(DesktopService::picture(2), picturePath(QStringLiteral("one.jpg")));
}

TEST_F(Desktop, OutOfRangeScreensAndEmptyPathsChangeNothing) {
    DesktopService::setPicture(0, picturePath(QStringLiteral("x.jpg")));
    DesktopService::setPicture(3, picturePath(QStringLiteral("x.jpg")));
    DesktopService::setPicture(-1, picturePath(QStringLiteral("x.jpg")));
    EXPECT_FALSE(QFileInfo::exists(DesktopRecord::defaultPath()));
    EXPECT_EQ(DesktopService::picture(3), QString());

    DesktopService::setPicture(1, picturePath(QStringLiteral("kept.jpg")));
    const QByteArray before = FileBytes(DesktopRecord::defaultPath());
    DesktopService::setPicture(1, QString());
    DesktopService::setPicture(1, QStringLiteral("relative/path.jpg"));
    EXPECT_EQ(FileBytes(DesktopRecord::defaultPath()), before);
    EXPECT_EQ(DesktopService::picture(1), picturePath(QStringLiteral("kept.jpg")));
}

TEST_F(Desktop, PathsReachTheRecordUnchanged) {
    const QString odd = picturePath(QString::fromUtf8("a b 'single' \"double\" $(touch pwned) ;`x`\nzweite Zeile ü€😀.jpg"));
    DesktopService::setPicture(2, odd);
    EXPECT_EQ(DesktopService::picture(2), odd);
    EXPECT_EQ(DesktopRecord().picture(DesktopService::screenName(2), false), odd);
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("pwned")));
}

TEST_F(Desktop, MainScreenFallsBackToTheDefaultPictureAndKeepsItUpToDate) {
    const QString record = DesktopRecord::defaultPath();
    {
        QFile f(record);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Background</key><dict>"
                "<key>default</key><dict><key>ImageFilePath</key><string>/old/sea.jpg</string>"
                "<key>Placement</key><string>Centered</string></dict></dict>"
                "<key>Other</key><string>kept</string></dict></plist>");
    }
    EXPECT_EQ(DesktopService::picture(1), QStringLiteral("/old/sea.jpg"));
    EXPECT_EQ(DesktopService::picture(2), QString());

    DesktopService::setPicture(1, QStringLiteral("/new/lake.jpg"));
    DesktopRecord reread;
    EXPECT_EQ(reread.picture(QStringLiteral("no such screen"), true), QStringLiteral("/new/lake.jpg"));
    EXPECT_EQ(queriedPlacement(), QStringLiteral("<string>Centered</string>"));
    EXPECT_TRUE(FileBytes(record).contains("<string>kept</string>"));
}

TEST_F(Desktop, ScreenEntriesNeverReachThePlacementQuery) {
    DesktopRecord record;
    record.setPicture(QStringLiteral("default"), false, QStringLiteral("/a.jpg"));  // a screen named "default"
    record.setPlacement(QStringLiteral("default"), false, QStringLiteral("Tiled"));
    record.setPicture(QStringLiteral("Main"), true, QStringLiteral("/b.jpg"));
    record.setPlacement(QStringLiteral("Main"), true, QStringLiteral("Centered"));
    ASSERT_TRUE(record.save());
    EXPECT_EQ(queriedPlacement(), QStringLiteral("<string>Centered</string>"));

    for (const char* p : {"Crop", "SizeToFit", "FillScreen", "Centered", "Tiled"}) {
        DesktopRecord r;
        r.setPlacement(QStringLiteral("Main"), true, QString::fromLatin1(p));
        ASSERT_TRUE(r.save());
        EXPECT_EQ(queriedPlacement(), QStringLiteral("<string>%1</string>").arg(QLatin1String(p)));
    }
    DesktopRecord cleared;
    cleared.setPlacement(QStringLiteral("Main"), true, QString());
    ASSERT_TRUE(cleared.save());
    EXPECT_EQ(queriedPlacement(), QString());
}

TEST_F(Desktop, ACorruptRecordReadsAsEmptyAndIsKeptAside) {
    const QString record = DesktopRecord::defaultPath();
    {
        QFile f(record);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("bplist00 garbage that is no property list");
    }
    EXPECT_EQ(DesktopService::picture(1), QString());
    EXPECT_EQ(FileBytes(record), QByteArray("bplist00 garbage that is no property list"));  // reading writes nothing
    DesktopService::setPicture(1, QStringLiteral("/p/new.jpg"));
    EXPECT_EQ(DesktopService::picture(1), QStringLiteral("/p/new.jpg"));
    EXPECT_EQ(FileBytes(record + QStringLiteral(".bad")), QByteArray("bplist00 garbage that is no property list"));
}
