// PlasmaDesktop against a stand-in for plasmashell (which cannot run here): a
// private dbus-daemon, and an org.kde.PlasmaShell object that runs each script
// in a JavaScript engine over three fake desktops, as plasmashell runs them
// over its containments. The scripts are thereby parsed and run for real.
#include <gtest/gtest.h>

#include <QFile>

#include <QDir>

#include <QFileInfo>

#include <QThread>

#include <QStandardPaths>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusError>
#include <QJSEngine>
#include <QMutex>
#include <QProcess>
#include <QThread>

#include "framework/desktop/PlasmaDesktop.h"
#include "framework/files/FileNames.h"

namespace {

const char* const kFakeShell = R"JS(
var output = [];
function print(text) { output.push(String(text)); }
function Desktop(screen) {
    this.screen = screen;
    this.wallpaperPlugin = "org.kde.color";
    this.currentConfigGroup = [];
    this.config = {};
}
Desktop.prototype.writeConfig = function(key, value) {
    this.config[this.currentConfigGroup.join("/") + "/" + key] = value;
};
Desktop.prototype.readConfig = function(key) {
    return this.config[this.currentConfigGroup.join("/") + "/" + key];
};
// Plasma's screen 1 has two activities, so two desktops.
var fakeDesktops = [new Desktop(0), new Desktop(1), new Desktop(1)];
function desktops() { return fakeDesktops; }
)JS";

class PlasmaShellStandIn : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")

public:
    QStringList scripts() {
        QMutexLocker lock(&mutex_);
        return scripts_;
    }
    // Evaluated in the stand-in's thread, where its engine lives.
    QString inspect(const QString& expression) {
        QString result;
        QMetaObject::invokeMethod(
            this, [&] { result = engine().evaluate(expression).toString(); }, Qt::BlockingQueuedConnection);
        return result;
    }

public slots:
    QString evaluateScript(const QString& script) {
        {
            QMutexLocker lock(&mutex_);
            scripts_ << script;
        }
        engine().evaluate(QStringLiteral("output = [];"));
        const QJSValue result = engine().evaluate(script);
        if (result.isError()) {
            sendErrorReply(QDBusError::Failed, result.toString());
            return QString();
        }
        return engine().evaluate(QStringLiteral("output.join('')")).toString();  // plasmashell runs the printed texts together
    }

private:
    QJSEngine& engine() {
        // Made on first use, in the thread that runs the scripts.
        if (!engine_) {
            engine_ = std::make_unique<QJSEngine>();
            engine_->evaluate(QString::fromLatin1(kFakeShell));
        }
        return *engine_;
    }

    QMutex mutex_;
    QStringList scripts_;
    std::unique_ptr<QJSEngine> engine_;
};

// A private session bus with the stand-in on it, in a thread of its own so
// that the backend's blocking calls get their answers.
class PlasmaDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        ASSERT_TRUE(daemon_.waitForStarted(5000)) << "dbus-daemon is missing (package dbus)";
        while (!daemon_.canReadLine() && daemon_.waitForReadyRead(5000)) {
        }
        const QString address = QString::fromUtf8(daemon_.readLine()).trimmed();
        ASSERT_FALSE(address.isEmpty());
        service_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, QStringLiteral("standin")));
        client_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, QStringLiteral("client")));
        ASSERT_TRUE(service_->isConnected() && client_->isConnected());
        standIn_.moveToThread(&thread_);
        thread_.start();
        ASSERT_TRUE(service_->registerObject(QStringLiteral("/PlasmaShell"), &standIn_,
                                             QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service_->registerService(QStringLiteral("org.kde.PlasmaShell")));
    }

    void TearDown() override {
        if (service_) service_->unregisterObject(QStringLiteral("/PlasmaShell"));
        service_.reset();
        client_.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("standin"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        thread_.quit();
        thread_.wait();
        daemon_.kill();  // our own child, by its PID
        daemon_.waitForFinished(5000);
    }

    QProcess daemon_;
    QThread thread_;
    PlasmaShellStandIn standIn_;
    std::unique_ptr<QDBusConnection> service_;
    std::unique_ptr<QDBusConnection> client_;
};

TEST(PlasmaDesktopScript, PathsBecomeLiteralsThatEvaluateToThemExactly) {
    const QString hostile[] = {
        QStringLiteral("/home/a/plain.png"),
        QStringLiteral("/home/a/\"); desktops()[0].wallpaperPlugin = \"x\"; (\".png"),
        QStringLiteral("/home/a/back\\slash\\\\u0041 and 'single'.png"),
        QStringLiteral("/home/a/new\nline\r\ttab.png"),
        QString::fromUtf8("/home/a/sep\u2028ara\u2029tors.png"),
        QString::fromUtf8("/home/a/Bilder für den Desktop/éñ 日本 \U0001F600.png"),
        QStringLiteral("/home/a/nul") + QChar(0) + QStringLiteral("7 del") + QChar(0x7F),
        QStringLiteral("/home/a/lone") + QChar(0xD800) + QStringLiteral(".png"),
        QString(),
    };
    QJSEngine js;
    for (const QString& path : hostile) {
        const QString literal = PlasmaDesktop::stringLiteral(path);
        for (const QChar c : literal) EXPECT_TRUE(c.unicode() >= 0x20 && c.unicode() < 0x7F) << literal.toStdString();
        const QJSValue value = js.evaluate(literal);
        ASSERT_FALSE(value.isError()) << literal.toStdString() << ": " << value.toString().toStdString();
        EXPECT_EQ(value.toString(), path) << literal.toStdString();
    }
}

TEST(PlasmaDesktopScript, FillModesMapByMeaningBothWays) {
    // Qt Quick's Image.fillMode, as the image wallpaper's configuration stores it.
    const struct {
        const char* placement;
        int mode;
    } table[] = {{"FillScreen", 0}, {"Crop", 1}, {"SizeToFit", 2}, {"Tiled", 3}, {"Centered", 6}};
    for (const auto& row : table) {
        EXPECT_EQ(PlasmaDesktop::fillModeFor(QLatin1String(row.placement)), row.mode) << row.placement;
        EXPECT_EQ(PlasmaDesktop::placementFor(row.mode), QLatin1String(row.placement)) << row.mode;
    }
    EXPECT_EQ(PlasmaDesktop::fillModeFor(QString()), -1);
    EXPECT_EQ(PlasmaDesktop::placementFor(4), QString());  // tiled vertically only
    EXPECT_EQ(PlasmaDesktop::placementFor(5), QString());
}

TEST(PlasmaDesktopScript, ReadRepliesAreParsedSafely) {
    const struct {
        const char* reply;
        bool answers;
        const char* path;
        const char* placement;
    } table[] = {
        {R"({"plugin":"org.kde.image","image":"file:///a/b%20c.png","fillMode":1})", true, "/a/b c.png", "Crop"},
        {R"({"plugin":"org.kde.image","image":"/a/plain.png","fillMode":"3"})", true, "/a/plain.png", "Tiled"},
        {R"({"plugin":"org.kde.image","image":"Next","fillMode":2})", true, "", "SizeToFit"},  // a package name
        {R"({"plugin":"org.kde.image","image":"https://x/y.png","fillMode":1.5})", true, "", ""},
        {R"({"plugin":"org.kde.color"})", true, "", ""},
        {"null", false, "", ""},
        {"", false, "", ""},
        {"{\"plugin\":", false, "", ""},
        {"[\"org.kde.image\"]", false, "", ""},
        {"ReferenceError: desktops is not defined", false, "", ""},
    };
    for (const auto& row : table) {
        const auto shown = PlasmaDesktop::parseReadReply(QString::fromUtf8(row.reply));
        ASSERT_EQ(shown.has_value(), row.answers) << row.reply;
        if (!shown) continue;
        EXPECT_EQ(shown->path, QString::fromUtf8(row.path)) << row.reply;
        EXPECT_EQ(shown->placement, QLatin1String(row.placement)) << row.reply;
    }
}

TEST_F(PlasmaDesktopTest, SetsAndReadsEachScreensPictureThroughTheShell) {
    EXPECT_FALSE(PlasmaDesktop::detect(*client_, SessionDesktops(QStringLiteral("GNOME"))));
    auto plasma = PlasmaDesktop::detect(*client_, SessionDesktops(QStringLiteral("KDE")));
    ASSERT_TRUE(plasma);
    EXPECT_TRUE(plasma->perScreen());

    // Before any setting, the colour wallpaper shows no file.
    auto shown = plasma->picture(1);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->path, QString());

    // Screen 2 is Plasma's screen 1: both of its desktops change, screen 1's does not.
    const QString path = QString::fromUtf8("/home/a/Bilder für \"den\" Desktop/it's\\ \u2028 #1.png");
    ASSERT_TRUE(plasma->setPicture(2, path, QStringLiteral("Crop")));
    EXPECT_EQ(standIn_.inspect(QStringLiteral("fakeDesktops.map(function(d) { return d.wallpaperPlugin; }).join()")),
              QStringLiteral("org.kde.color,org.kde.image,org.kde.image"));
    EXPECT_EQ(standIn_.inspect(QStringLiteral("fakeDesktops[2].config['Wallpaper/org.kde.image/General/FillMode']")),
              QStringLiteral("1"));
    shown = plasma->picture(2);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->path, path);
    EXPECT_EQ(shown->placement, QStringLiteral("Crop"));

    // Without a placement the screen keeps the fill mode chosen in Plasma. A
    // name that is not UTF-8 goes as a URL with its bytes escaped, and comes back.
    ASSERT_TRUE(plasma->setPicture(2, DecodeFileName("/home/a/caf\xE9.png")));
    EXPECT_EQ(standIn_.inspect(QStringLiteral("fakeDesktops[2].config['Wallpaper/org.kde.image/General/Image']")),
              QStringLiteral("file:///home/a/caf%E9.png"));
    shown = plasma->picture(2);
    ASSERT_TRUE(shown);
    EXPECT_EQ(EncodeFileName(shown->path), QByteArray("/home/a/caf\xE9.png"));
    EXPECT_EQ(shown->placement, QStringLiteral("Crop"));
    EXPECT_EQ(standIn_.inspect(QStringLiteral("fakeDesktops[0].wallpaperPlugin")), QStringLiteral("org.kde.color"));

    // A screen Plasma has no desktop for: refused, and unreadable so the record answers.
    EXPECT_FALSE(plasma->setPicture(3, path, QStringLiteral("Tiled")));
    EXPECT_FALSE(plasma->picture(3));
    EXPECT_FALSE(plasma->setPicture(1, QStringLiteral("relative.png")));
    EXPECT_EQ(standIn_.scripts().size(), 7);  // the relative path never reached the shell
    for (const QString& script : standIn_.scripts()) EXPECT_FALSE(script.contains(QChar(0x2028)));

    // While Plasma's applets file stays the same, a read asks the shell nothing;
    // a change of the file, or a setting of ours, asks again.
    const QString applets = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                            QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc");
    const auto writeApplets = [&](const QByteArray& text) {
        QDir().mkpath(QFileInfo(applets).absolutePath());
        QFile file(applets);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        QThread::msleep(150);  // only a settled file's stamp is trusted
    };
    writeApplets("[Containments][1]\n");
    const auto asked = [&] { return standIn_.scripts().size(); };
    plasma->picture(2);
    const qsizetype once = asked();
    EXPECT_EQ(plasma->picture(2)->path, DecodeFileName("/home/a/caf\xE9.png"));
    EXPECT_EQ(asked(), once) << "the kept answer";
    writeApplets("[Containments][2]\n");
    plasma->picture(2);
    EXPECT_EQ(asked(), once + 1) << "the file changed";
    ASSERT_TRUE(plasma->setPicture(2, path));
    EXPECT_EQ(plasma->picture(2)->path, path) << "our own setting is read back";
    QFile::remove(applets);

    // plasmashell gone: no backend, and calls fail instead of hanging.
    service_->unregisterService(QStringLiteral("org.kde.PlasmaShell"));
    EXPECT_FALSE(PlasmaDesktop::detect(*client_, SessionDesktops(QStringLiteral("KDE"))));
    EXPECT_FALSE(plasma->picture(2));
    EXPECT_FALSE(plasma->setPicture(2, path));
}

}  // namespace

#include "PlasmaDesktopTest.moc"
