#include "framework/desktop/PlasmaDesktop.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QUrl>

#include "framework/files/FileNames.h"

namespace {

// Where plasmashell saves its desktops and their wallpapers.
QString appletsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc");
}

const QString kService = QStringLiteral("org.kde.PlasmaShell");
const QString kPath = QStringLiteral("/PlasmaShell");
const QString kInterface = QStringLiteral("org.kde.PlasmaShell");
constexpr int kTimeoutMs = 5000;

// Qt Quick's Image.fillMode, which the org.kde.image wallpaper stores as FillMode.
enum FillMode { Stretch = 0, PreserveAspectFit = 1, PreserveAspectCrop = 2, Tile = 3, Pad = 6 };

// Opens the loop over the screen's desktops (one per activity) as d.
QString forEachDesktop(int32_t plasmaScreen) {
    return QStringLiteral(
               "var all = desktops();\n"
               "for (var i = 0; i < all.length; ++i) {\n"
               "    var d = all[i];\n"
               "    if (d.screen != %1) continue;\n")
        .arg(plasmaScreen);
}

QString localPathOf(const QString& image) {
    if (image.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        return FileNameFromUrl(QUrl(image));  // every percent-escaped byte of the name kept
    }
    return QDir::isAbsolutePath(image) ? image : QString();  // a wallpaper package's name is no file
}

}  // namespace

std::unique_ptr<DesktopBackend> PlasmaDesktop::detect(const SessionDesktops& desktops) {
    return detect(QDBusConnection::sessionBus(), desktops);
}

std::unique_ptr<PlasmaDesktop> PlasmaDesktop::detect(const QDBusConnection& bus, const SessionDesktops& desktops) {
    if (!desktops.names(KnownDesktop::Kde) || !bus.isConnected() || !bus.interface()) return nullptr;
    if (!bus.interface()->isServiceRegistered(kService).value()) return nullptr;
    return std::make_unique<PlasmaDesktop>(bus);
}

std::optional<QString> PlasmaDesktop::evaluate(const QString& script) const {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("evaluateScript"));
    call << script;
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return std::nullopt;
    return reply.arguments().constFirst().toString();
}

std::optional<DesktopShown> PlasmaDesktop::picture(int32_t screen) {
    if (screen < 1) return std::nullopt;
    const FileStamp stamp = FileStamp::of(appletsFile());
    if (const auto k = kept_.find(screen); k != kept_.end() && k->second.stamp == stamp) return k->second.shown;
    const auto reply = evaluate(readScript(screen - 1));
    const std::optional<DesktopShown> shown = reply ? parseReadReply(*reply) : std::nullopt;
    // Only an answer from a settled, existing file is kept.
    if (shown && stamp.exists && stamp.settled) kept_[screen] = Kept{stamp, shown};
    else kept_.erase(screen);
    return shown;
}

bool PlasmaDesktop::setPicture(int32_t screen, const QString& path) { return setPicture(screen, path, QString()); }

bool PlasmaDesktop::setPicture(int32_t screen, const QString& path, const QString& placement) {
    if (screen < 1 || !QDir::isAbsolutePath(path)) return false;
    kept_.erase(screen);
    const auto reply = evaluate(setScript(screen - 1, path, placement));
    // The script prints how many desktops it changed: none means no such screen.
    return reply && reply->trimmed().toInt() > 0;
}

QString PlasmaDesktop::setScript(int32_t plasmaScreen, const QString& path, const QString& placement) {
    // A name that is not UTF-8 keeps its bytes as percent-escapes; Qt's own URL would put U+FFFD there.
    const QString url = FileNameIsText(path) ? QUrl::fromLocalFile(path).toString() : UrlFromFileName(path).toString();
    const int mode = fillModeFor(placement);
    QString script = QStringLiteral("var changed = 0;\n") + forEachDesktop(plasmaScreen) +
                     QStringLiteral(
                         "    d.wallpaperPlugin = \"org.kde.image\";\n"
                         "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
                         "    d.writeConfig(\"Image\", %1);\n")
                         .arg(stringLiteral(url));
    if (mode >= 0) script += QStringLiteral("    d.writeConfig(\"FillMode\", %1);\n").arg(mode);
    return script + QStringLiteral("    ++changed;\n}\nprint(changed);\n");
}

QString PlasmaDesktop::readScript(int32_t plasmaScreen) {
    // The first desktop of the screen answers; JSON keeps the answer parseable
    // whatever the path holds.
    return QStringLiteral("var shown = null;\n") + forEachDesktop(plasmaScreen) +
           QStringLiteral(
               "    shown = {plugin: String(d.wallpaperPlugin)};\n"
               "    if (shown.plugin == \"org.kde.image\") {\n"
               "        d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
               "        shown.image = d.readConfig(\"Image\");\n"
               "        shown.fillMode = d.readConfig(\"FillMode\");\n"
               "    }\n"
               "    break;\n"
               "}\n"
               "print(JSON.stringify(shown));\n");
}

std::optional<DesktopShown> PlasmaDesktop::parseReadReply(const QString& reply) {
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(reply.trimmed().toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !json.isObject()) return std::nullopt;
    const QJsonObject shown = json.object();
    if (!shown.value(QLatin1String("plugin")).isString()) return std::nullopt;
    DesktopShown result;
    if (shown.value(QLatin1String("plugin")).toString() != QLatin1String("org.kde.image")) return result;
    result.path = localPathOf(shown.value(QLatin1String("image")).toString());
    // readConfig may give the number or its text.
    const QJsonValue mode = shown.value(QLatin1String("fillMode"));
    bool ok = mode.isDouble();
    const int number = ok ? mode.toInt(-1) : mode.toString().trimmed().toInt(&ok);
    if (ok) result.placement = placementFor(number);
    return result;
}

QString PlasmaDesktop::stringLiteral(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            out += QLatin1Char('\\');
            out += c;
        } else if (u >= 0x20 && u < 0x7F) {
            out += c;
        } else {
            // Line breaks (U+2028 and U+2029 among them), controls and every
            // non-ASCII unit, surrogate halves included, as \uXXXX.
            out += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
        }
    }
    return out + QLatin1Char('"');
}

int PlasmaDesktop::fillModeFor(const QString& placement) {
    if (placement.compare(QLatin1String("Crop"), Qt::CaseInsensitive) == 0) return PreserveAspectFit;
    if (placement.compare(QLatin1String("SizeToFit"), Qt::CaseInsensitive) == 0) return PreserveAspectCrop;
    if (placement.compare(QLatin1String("FillScreen"), Qt::CaseInsensitive) == 0) return Stretch;
    if (placement.compare(QLatin1String("Centered"), Qt::CaseInsensitive) == 0) return Pad;
    if (placement.compare(QLatin1String("Tiled"), Qt::CaseInsensitive) == 0) return Tile;
    return -1;
}

QString PlasmaDesktop::placementFor(int fillMode) {
    switch (fillMode) {
        case PreserveAspectFit: return QStringLiteral("Crop");
        case PreserveAspectCrop: return QStringLiteral("SizeToFit");
        case Stretch: return QStringLiteral("FillScreen");
        case Pad: return QStringLiteral("Centered");
        case Tile: return QStringLiteral("Tiled");
        default: return QString();  // tiled in one direction only has no placement
    }
}
