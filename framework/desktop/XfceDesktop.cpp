#include "framework/desktop/XfceDesktop.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QRegularExpression>
#include <QSet>

#include "framework/system/Screens.h"

namespace {

const QString kService = QStringLiteral("org.xfce.Xfconf");
const QString kPath = QStringLiteral("/org/xfce/Xfconf");
const QString kInterface = QStringLiteral("org.xfce.Xfconf");
const QString kChannel = QStringLiteral("xfce4-desktop");
// xfconfd is started on the first call when it is not running yet.
constexpr int kTimeoutMs = 3000;

QString connectorOf(int32_t screen) {
    const ScreenPtr s = Screen(screen - 1);
    return s ? s->name.trimmed() : QString();
}

}  // namespace

std::unique_ptr<DesktopBackend> XfceDesktop::detect(const QDBusConnection& bus) {
    if (!bus.isConnected() || !bus.interface()) return nullptr;
    const auto registered = bus.interface()->isServiceRegistered(kService);
    if (!(registered.isValid() && registered.value())) {
        const auto startable = bus.interface()->activatableServiceNames();
        if (!startable.isValid() || !startable.value().contains(kService)) return nullptr;
    }
    return std::unique_ptr<DesktopBackend>(new XfceDesktop(bus));
}

QString XfceDesktop::monitorBase(const QString& connector) {
    return QStringLiteral("/backdrop/screen0/monitor") + connector;
}

QString XfceDesktop::placementFor(int style) {
    switch (style) {
        case 4: return QStringLiteral("Crop");        // scaled
        case 5: return QStringLiteral("SizeToFit");   // zoomed
        case 3: return QStringLiteral("FillScreen");  // stretched
        case 1: return QStringLiteral("Centered");
        case 2: return QStringLiteral("Tiled");
        default: return QString();
    }
}

QVariant XfceDesktop::property(const QString& channel, const QString& name) const {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetProperty"));
    call << channel << name;
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return QVariant();
    const QVariant value = reply.arguments().constFirst();
    return value.canConvert<QDBusVariant>() ? value.value<QDBusVariant>().variant() : value;
}

bool XfceDesktop::setProperty(const QString& name, const QVariant& value) const {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("SetProperty"));
    call << kChannel << name << QVariant::fromValue(QDBusVariant(value));
    return bus_.call(call, QDBus::Block, kTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

QList<int> XfceDesktop::workspaces(const QString& base) const {
    QSet<int> numbers{0};
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetAllProperties"));
    call << kChannel << base;
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        const auto all = qdbus_cast<QVariantMap>(reply.arguments().constFirst());
        static const QRegularExpression workspace(QStringLiteral("^/workspace(\\d+)/"));
        for (auto it = all.keyBegin(); it != all.keyEnd(); ++it) {
            const auto match = workspace.match(it->mid(base.size()));
            if (match.hasMatch()) numbers.insert(match.captured(1).toInt());
        }
    }
    bool ok = false;
    const int count = property(QStringLiteral("xfwm4"), QStringLiteral("/general/workspace_count")).toInt(&ok);
    for (int n = 0; ok && n < qMin(count, 64); ++n) numbers.insert(n);
    QList<int> list(numbers.begin(), numbers.end());
    std::sort(list.begin(), list.end());
    return list;
}

std::optional<DesktopShown> XfceDesktop::picture(int32_t screen) {
    const QString connector = connectorOf(screen);
    if (connector.isEmpty()) return std::nullopt;
    const QString workspace = monitorBase(connector) + QStringLiteral("/workspace0/");
    const QVariant image = property(kChannel, workspace + QStringLiteral("last-image"));
    if (!image.isValid()) return std::nullopt;  // never set here: the record answers
    DesktopShown shown;
    const QString path = image.toString();
    shown.path = path.startsWith(QLatin1Char('/')) ? path : QString();
    bool ok = false;
    const int style = property(kChannel, workspace + QStringLiteral("image-style")).toInt(&ok);
    if (ok) shown.placement = placementFor(style);
    return shown;
}

bool XfceDesktop::setPicture(int32_t screen, const QString& path) {
    const QString connector = connectorOf(screen);
    if (connector.isEmpty() || path.isEmpty()) return false;
    const QString base = monitorBase(connector);
    bool ok = true;
    for (const int n : workspaces(base))
        ok = setProperty(base + QStringLiteral("/workspace%1/last-image").arg(n), path) && ok;
    return ok;
}
