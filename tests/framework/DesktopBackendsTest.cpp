// The desktop backends for real, where their services run here: GNOME, Cinnamon
// and MATE on GSettings' keyfile back end in the test's own folders, Xfce on a
// real xfconfd on a private D-Bus session bus. The tests play the desktop's
// part: they show pictures and choose placements the way the desktop's own
// settings would, and look at what the desktop was told.
//
// GIO first: its headers use "signals" as a name, which Qt defines as a macro.
#include <gio/gio.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <functional>
#include <map>
#include <sys/stat.h>

#include "framework/desktop/DesktopBackend.h"
#include "framework/desktop/DesktopRecord.h"
#include "framework/desktop/DesktopService.h"
#include "framework/desktop/GSettingsDesktop.h"
#include "framework/desktop/XfceDesktop.h"
#include "framework/files/FileNames.h"
#include "framework/shell/XmlDocument.h"
#include "framework/system/Screens.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestEnvironment.h"

namespace {

const char* const kMeanings[] = {"Crop", "SizeToFit", "FillScreen", "Centered", "Tiled", ""};

QString queriedPlacement() {
    XmlDocument doc(GetFolderItem(DesktopRecord::defaultPath(), 0));
    const auto nodes = doc.DocumentElement()->Xql(
        QStringLiteral("/plist/dict[key=\"Background\"]/dict[key=\"default\"]/dict[key=\"Placement\"]/key[. = "
                       "\"Placement\"]/following-sibling::string[1]"));
    return nodes->Length() ? nodes->Item(nodes->Length() - 1)->ToString() : QString();
}

QString expectedQuery(const char* meaning) {
    return *meaning ? QStringLiteral("<string>%1</string>").arg(QLatin1String(meaning)) : QString();
}

// A program's printed answer; "<failed>" when it did not run or failed.
QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("<failed: %1>").arg(QString::fromUtf8(p.readAllStandardError()).trimmed());
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

void ranWell(const QString& answer) {
    EXPECT_FALSE(answer.startsWith(QLatin1String("<failed"))) << answer.toStdString();
}

// Found once, before a test empties PATH.
QString tool(const char* name) {
    static std::map<std::string, QString> found;
    auto it = found.find(name);
    if (it == found.end()) it = found.emplace(name, QStandardPaths::findExecutable(QLatin1String(name))).first;
    EXPECT_FALSE(it->second.isEmpty()) << name << " is missing: scripts/setup.sh installs it";
    return it->second;
}

// ---- The desktops, as the tests drive them -------------------------------------

struct DesktopSide {
    const char* session;  // XDG_CURRENT_DESKTOP
    QString backend;      // the backend's name
    bool perScreen;
    std::function<void()> prepare;                  // a fresh desktop
    std::function<void(int, const QString&)> show;  // the desktop shows a picture
    std::function<QString(int)> shown;              // the path the desktop was told
    std::function<void(int, const char*)> place;    // the desktop's placement, by meaning
};

// GSettings as the desktop's own settings see it: the same default back end as the
// program's (keyfile here). Changes made by other processes are tested apart.
DesktopSide gsettingsSide(const char* session, const GSettingsFlavour& flavour) {
    auto settings = [flavour] {
        return std::shared_ptr<GSettings>(g_settings_new(flavour.schema.constData()), g_object_unref);
    };
    DesktopSide side{session, flavour.name, false, {}, {}, {}, {}};
    side.prepare = [=] {
        // The keyfile back end keeps its values across the tests of this program:
        // start from the schema's defaults, written to the fresh home.
        QDir().mkpath(TestEnvironment::Home() + QStringLiteral("/.config/glib-2.0/settings"));
        auto s = settings();
        for (const QByteArray& key : {flavour.pictureKey, flavour.darkKey, QByteArray("picture-options")})
            if (!key.isEmpty()) g_settings_reset(s.get(), key.constData());
        g_settings_sync();
    };
    side.show = [=](int, const QString& path) {
        const QString value = flavour.pictureIsUri ? GSettingsDesktop::uriFromPath(path) : path;
        ASSERT_TRUE(
            g_settings_set_string(settings().get(), flavour.pictureKey.constData(), value.toUtf8().constData()));
    };
    // Read by another process: what reached the store, not only this process's view.
    side.shown = [=](int) {
        const QString printed = run(tool("gsettings"), {QStringLiteral("get"), QString::fromLatin1(flavour.schema),
                                                        QString::fromLatin1(flavour.pictureKey)});
        GVariant* v = g_variant_parse(G_VARIANT_TYPE_STRING, printed.toUtf8().constData(), nullptr, nullptr, nullptr);
        if (!v) return QStringLiteral("<unreadable %1>").arg(printed);
        const QString value = QString::fromUtf8(g_variant_get_string(v, nullptr));
        g_variant_unref(v);
        return flavour.pictureIsUri ? GSettingsDesktop::pathFromUri(value) : value;
    };
    side.place = [=](int, const char* meaning) {
        static const std::map<std::string, const char*> options = {
            {"Crop", "scaled"},       {"SizeToFit", "zoom"},  {"FillScreen", "stretched"},
            {"Centered", "centered"}, {"Tiled", "wallpaper"}, {"", "spanned"}};
        ASSERT_TRUE(g_settings_set_string(settings().get(), "picture-options", options.at(meaning)));
    };
    return side;
}

QString connectorOf(int screen) { return Screen(screen - 1)->name; }

// xfconf through its own command-line client, on the private bus.
QString xfconf(const QStringList& args) { return run(tool("xfconf-query"), args); }
QString lastImage(int screen, int workspace) {
    return XfceDesktop::monitorBase(connectorOf(screen)) + QStringLiteral("/workspace%1/last-image").arg(workspace);
}

DesktopSide xfceSide() {
    DesktopSide side{"XFCE", QStringLiteral("Xfce"), true, {}, {}, {}, {}};
    const auto channel = [](const char* name) { return QStringList{QStringLiteral("-c"), QLatin1String(name)}; };
    side.prepare = [=] {
        ASSERT_FALSE(PrivateBus::address().isEmpty()) << "no private D-Bus session bus (dbus-daemon)";
        xfconf(channel("xfce4-desktop") << QStringLiteral("-p") << QStringLiteral("/backdrop") << QStringLiteral("-r")
                                        << QStringLiteral("-R"));
        // Two workspaces, and a third one that only screen 1's backdrop still names.
        ranWell(xfconf(channel("xfwm4") << QStringLiteral("-p") << QStringLiteral("/general/workspace_count")
                                        << QStringLiteral("-n") << QStringLiteral("-t") << QStringLiteral("int")
                                        << QStringLiteral("-s") << QStringLiteral("2")));
        ranWell(xfconf(channel("xfce4-desktop")
                       << QStringLiteral("-p") << lastImage(1, 3) << QStringLiteral("-n") << QStringLiteral("-t")
                       << QStringLiteral("string") << QStringLiteral("-s") << QStringLiteral("/old/three.jpg")));
    };
    side.show = [=](int screen, const QString& path) {
        ranWell(xfconf(channel("xfce4-desktop")
                       << QStringLiteral("-p") << lastImage(screen, 0) << QStringLiteral("-n") << QStringLiteral("-t")
                       << QStringLiteral("string") << QStringLiteral("-s") << path));
    };
    // Every workspace of the monitor shows the same picture, or the answer says which differs.
    side.shown = [=](int screen) {
        const QString first = xfconf(channel("xfce4-desktop") << QStringLiteral("-p") << lastImage(screen, 0));
        for (int n : {1, screen == 1 ? 3 : 0}) {
            const QString other = xfconf(channel("xfce4-desktop") << QStringLiteral("-p") << lastImage(screen, n));
            if (other != first) return QStringLiteral("workspace%1 shows %2").arg(n).arg(other);
        }
        return first;
    };
    side.place = [=](int screen, const char* meaning) {
        static const std::map<std::string, int> styles = {{"Crop", 4},     {"SizeToFit", 5}, {"FillScreen", 3},
                                                          {"Centered", 1}, {"Tiled", 2},     {"", 0}};
        const QString property =
            XfceDesktop::monitorBase(connectorOf(screen)) + QStringLiteral("/workspace0/image-style");
        ranWell(xfconf(channel("xfce4-desktop")
                       << QStringLiteral("-p") << property << QStringLiteral("-n") << QStringLiteral("-t")
                       << QStringLiteral("int") << QStringLiteral("-s") << QString::number(styles.at(meaning))));
    };
    return side;
}

std::vector<DesktopSide> desktops() {
    return {gsettingsSide("ubuntu:GNOME", GSettingsFlavour::gnome()),
            gsettingsSide("X-Cinnamon", GSettingsFlavour::cinnamon()), gsettingsSide("MATE", GSettingsFlavour::mate()),
            xfceSide()};
}

ScreenInfo screen(const QString& connector, const QString& maker) {
    ScreenInfo s;
    s.name = connector;
    s.manufacturer = maker;
    return s;
}

class DesktopBackendsTest : public ::testing::Test {
protected:
    FakePlatform platform;
    void SetUp() override {
        TestEnvironment::ResetHome();
        qputenv("GSETTINGS_BACKEND", "keyfile");
        tool("gsettings");
        tool("xfconf-query");
        platform.SetScreens(std::vector<ScreenInfo>{screen(QStringLiteral("DP-1"), QStringLiteral("DEL")),
                                                     screen(QStringLiteral("HDMI-1"), QString())});
    }
    void TearDown() override {
        qunsetenv("XDG_CURRENT_DESKTOP");
        DesktopBackends::reset();
    }
    static QString home(const QString& name) { return TestEnvironment::Home() + QLatin1Char('/') + name; }
    static void useSession(const char* session) {
        qputenv("XDG_CURRENT_DESKTOP", session);
        DesktopBackends::reset();
    }
};

// Processes the program's events (as its watcher's timer does) until the answer comes.
bool eventually(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > 5000) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

// The main screen reads as path with the placement of meaning, once the
// program has seen the desktop's change.
testing::AssertionResult reads(const QString& path, const char* meaning) {
    QString picture, placement;
    if (eventually([&] {
            picture = DesktopService::picture(1);
            placement = queriedPlacement();
            return picture == path && placement == expectedQuery(meaning);
        }))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "reads " << picture.toStdString() << " placed " << placement.toStdString();
}

}  // namespace

TEST_F(DesktopBackendsTest, TheSessionChoosesTheBackendOnce) {
    ASSERT_FALSE(PrivateBus::address().isEmpty()) << "no private D-Bus session bus (dbus-daemon)";
    const struct {
        const char* session;
        const char* backend;  // "" for the record alone
    } table[] = {{"GNOME", "GNOME"},
                 {"ubuntu:GNOME", "GNOME"},
                 {"GNOME-Flashback:GNOME", "GNOME"},
                 {"Budgie:GNOME", "GNOME"},
                 {"Unity", "GNOME"},
                 {"Pantheon", "GNOME"},
                 {"X-Cinnamon", "Cinnamon"},
                 {"MATE", "MATE"},
                 {"XFCE", "Xfce"},
                 {"Sway", ""},
                 {"", ""}};
    for (const auto& row : table) {
        useSession(row.session);
        DesktopBackend* backend = DesktopBackends::current();
        EXPECT_EQ(backend ? backend->name() : QString(), QLatin1String(row.backend)) << row.session;
        qputenv("XDG_CURRENT_DESKTOP", "MATE");
        EXPECT_EQ(DesktopBackends::current(), backend) << row.session << ": chosen again";
    }
}

TEST_F(DesktopBackendsTest, PictureUrisAreReadAsUris) {
    const struct {
        const char* uri;
        const char* path;
    } table[] = {{"file:///a%20b/c.jpg", "/a b/c.jpg"},
                 {"file://localhost/usr/share/b%C3%BCro.png", "/usr/share/büro.png"},
                 {"FILE:///upper/case.jpg", "/upper/case.jpg"},
                 {"file://elsewhere/x.jpg", ""},
                 {"resource:///org/gnome/shell/theme/noise.png", ""},
                 {"https://example.org/x.jpg", ""},
                 {"/plain/path.jpg", ""},
                 {"", ""}};
    for (const auto& row : table)
        EXPECT_EQ(GSettingsDesktop::pathFromUri(QString::fromUtf8(row.uri)), QString::fromUtf8(row.path)) << row.uri;
    const QString odd = QString::fromUtf8("/a b/'q' \"d\"\n%41 ü😀.jpg");
    EXPECT_EQ(GSettingsDesktop::pathFromUri(GSettingsDesktop::uriFromPath(odd)), odd);
}

// Set, read back, placement read, revert, on each desktop that runs here.
TEST_F(DesktopBackendsTest, EachDesktopRoundTrips) {
    const QString original = home(QString::fromUtf8("Ursprung/Alpen früh.jpg"));
    const QString odd = home(QString::fromUtf8("Bild mit 'Quote' \"zwei\"\nund ü%20.jpg"));
    const QString second = home(QStringLiteral("second screen.png"));
    for (const DesktopSide& desktop : desktops()) {
        SCOPED_TRACE(desktop.backend.toStdString());
        TestEnvironment::ResetHome();
        desktop.prepare();
        useSession(desktop.session);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", TestEnvironment::Home().toUtf8());  // the service finds no tool to start
        ASSERT_NE(DesktopBackends::current(), nullptr);
        EXPECT_EQ(DesktopBackends::current()->name(), desktop.backend);

        // The desktop shows the user's picture: the program reads it, and its placement.
        desktop.show(1, original);
        desktop.place(1, "Centered");
        EXPECT_TRUE(reads(original, "Centered"));

        // Set and read back, whatever the path holds.
        EXPECT_TRUE(DesktopService::setPicture(1, odd));
        EXPECT_EQ(desktop.shown(1), odd);
        EXPECT_EQ(DesktopService::picture(1), odd);
        EXPECT_EQ(DesktopRecord().picture(DesktopService::screenName(1), true), odd);
        EXPECT_EQ(queriedPlacement(), expectedQuery("Centered"));

        // Screen 2: its own picture where the desktop has one per screen, else the record's.
        EXPECT_TRUE(DesktopService::setPicture(2, second));
        EXPECT_EQ(DesktopService::picture(2), second);
        EXPECT_EQ(desktop.shown(1), odd);
        if (desktop.perScreen) {
            EXPECT_EQ(desktop.shown(2), second);
        }

        // Each placement the desktop offers reads as the placement of the same meaning.
        for (const char* meaning : kMeanings) {
            desktop.place(1, meaning);
            EXPECT_TRUE(reads(odd, meaning)) << meaning;
        }

        // Revert: the original picture set again through the service.
        EXPECT_TRUE(DesktopService::setPicture(1, original));
        EXPECT_EQ(desktop.shown(1), original);
        EXPECT_EQ(DesktopService::picture(1), original);
        qputenv("PATH", path);
    }
}

// A picture whose name is not UTF-8 (the bytes "caf\xE9.jpg"): a desktop told by
// URI keeps every byte and gives them back; one whose setting is text (MATE
// under GLib's default UTF-8 file names, Xfce) refuses it rather than show
// another name, and keeps what it showed.
TEST_F(DesktopBackendsTest, ANameThatIsNotUtf8IsKeptOrRefused) {
    const QString original = home(QStringLiteral("plain.jpg"));
    const QByteArray bytes = EncodeFileName(home(QStringLiteral("caf"))) + "\xE9.jpg";
    const std::map<QString, bool> takesIt = {
        {QStringLiteral("GNOME"), true}, {QStringLiteral("Cinnamon"), true},
        {QStringLiteral("MATE"), false}, {QStringLiteral("Xfce"), false}};
    for (const DesktopSide& desktop : desktops()) {
        SCOPED_TRACE(desktop.backend.toStdString());
        TestEnvironment::ResetHome();
        desktop.prepare();
        useSession(desktop.session);
        ASSERT_TRUE(DesktopService::setPicture(1, original));
        const bool taken = takesIt.at(desktop.backend);
        EXPECT_EQ(DesktopService::setPicture(1, DecodeFileName(bytes)), taken);
        const QByteArray shown = taken ? bytes : EncodeFileName(original);
        EXPECT_EQ(EncodeFileName(desktop.shown(1)), shown);
        EXPECT_EQ(EncodeFileName(DesktopService::picture(1)), shown);
        EXPECT_EQ(EncodeFileName(DesktopRecord().picture(DesktopService::screenName(1), true)), shown);
        // Read again, the same picture leaves the record's file alone.
        struct stat before {}, after {};
        ASSERT_EQ(::stat(EncodeFileName(DesktopRecord::defaultPath()).constData(), &before), 0);
        DesktopService::picture(1);
        ASSERT_EQ(::stat(EncodeFileName(DesktopRecord::defaultPath()).constData(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
    }
}

TEST_F(DesktopBackendsTest, GnomeSeesWhatAnotherProgramSets) {
    const DesktopSide gnome = desktops().front();
    gnome.prepare();
    useSession("GNOME");
    const QString mine = home(QStringLiteral("mine.jpg"));
    ASSERT_TRUE(DesktopService::setPicture(1, mine));
    const QString gsettings = tool("gsettings");
    const QStringList get = {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.background")};
    EXPECT_EQ(run(gsettings, get + QStringList{QStringLiteral("picture-uri-dark")}),
              run(gsettings, get + QStringList{QStringLiteral("picture-uri")}));

    // Another program changes the setting; the program sees it once its events ran.
    const QStringList set = {QStringLiteral("set"), QStringLiteral("org.gnome.desktop.background"),
                             QStringLiteral("picture-uri")};
    ranWell(run(gsettings, set + QStringList{QStringLiteral("'file://localhost/srv/b%C3%BCro%20one.jpg'")}));
    EXPECT_TRUE(eventually([] { return DesktopService::picture(1) == QString::fromUtf8("/srv/büro one.jpg"); }))
        << DesktopService::picture(1).toStdString();

    // A picture that is no local file reads as none; the record keeps the last file.
    ranWell(run(gsettings, set + QStringList{QStringLiteral("'resource:///org/gnome/shell/theme/noise.png'")}));
    EXPECT_TRUE(eventually([] { return DesktopService::picture(1).isEmpty(); }));
    EXPECT_EQ(DesktopRecord().picture(DesktopService::screenName(1), true), QString::fromUtf8("/srv/büro one.jpg"));
}

namespace {

// A desktop that refuses every picture, and shows one of its own.
class RefusingDesktop : public DesktopBackend {
public:
    QString name() const override { return QStringLiteral("Refusing"); }
    bool perScreen() const override { return false; }
    std::optional<DesktopShown> picture(int32_t) override {
        return DesktopShown{QStringLiteral("/desktop/own.jpg"), QStringLiteral("Tiled")};
    }
    bool setPicture(int32_t, const QString&) override { return false; }
};

}  // namespace

TEST_F(DesktopBackendsTest, ARefusedPictureIsNotRecordedAsShown) {
    DesktopBackends::install(std::make_unique<RefusingDesktop>());
    EXPECT_FALSE(DesktopService::setPicture(1, home(QStringLiteral("new.jpg"))));
    EXPECT_EQ(DesktopRecord().picture(DesktopService::screenName(1), true), QString());
    EXPECT_EQ(DesktopService::picture(1), QStringLiteral("/desktop/own.jpg"));
    EXPECT_EQ(queriedPlacement(), expectedQuery("Tiled"));
    // A screen the desktop does not show is the record's alone.
    EXPECT_TRUE(DesktopService::setPicture(2, home(QStringLiteral("two.jpg"))));
    EXPECT_EQ(DesktopService::picture(2), home(QStringLiteral("two.jpg")));
}
