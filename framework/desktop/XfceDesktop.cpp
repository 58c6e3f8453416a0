#include "framework/desktop/XfceDesktop.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QRegularExpression>
#include <QSet>

#include <functional>

#include "framework/files/FileNames.h"
#include "framework/system/Screens.h"

namespace {

const QString kService = QStringLiteral("org.xfce.Xfconf");
const QString kPath = QStringLiteral("/org/xfce/Xfconf");
const QString kInterface = QStringLiteral("org.xfce.Xfconf");
const QString kChannel = QStringLiteral("xfce4-desktop");
// xfconfd is started on the first call when it is not running yet.
constexpr int kTimeoutMs = 3000;

QVariant unwrap(const QVariant& value) {
    return value.canConvert<QDBusVariant>() ? value.value<QDBusVariant>().variant() : value;
}

QString connectorOf(int32_t screen) {
    const ScreenPtr s = Screen(screen - 1);
    return s ? s->name.trimmed() : QString();
}

}  // namespace

// Forgets what was read when the channel changes or xfconfd comes or goes.
class XfconfChanges : public QObject {
    Q_OBJECT
public:
    XfconfChanges(const QDBusConnection& bus, std::function<void()> forget)
        : watcher_(kService, bus, QDBusServiceWatcher::WatchForOwnerChange), forget_(std::move(forget)) {
        QDBusConnection connection(bus);
        listening_ = connection.connect(kService, kPath, kInterface, QStringLiteral("PropertyChanged"), this,
                                        SLOT(changed(QDBusMessage))) &&
                     connection.connect(kService, kPath, kInterface, QStringLiteral("PropertyRemoved"), this,
                                        SLOT(changed(QDBusMessage)));
        connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this, [this] { forget_(); });
    }
    // False when the signals could not be subscribed: then nothing may be kept.
    bool listening() const { return listening_; }

private slots:
    // PropertyChanged (channel, property, value) and PropertyRemoved (channel, property).
    void changed(const QDBusMessage& message) {
        const QList<QVariant> args = message.arguments();
        if (!args.isEmpty() && args.constFirst().toString() == kChannel) forget_();
    }

private:
    QDBusServiceWatcher watcher_;
    std::function<void()> forget_;
    bool listening_ = false;
};

XfceDesktop::XfceDesktop(const QDBusConnection& bus)
    : bus_(bus), changes_(std::make_unique<XfconfChanges>(bus, [this] { shown_.clear(); })) {}

XfceDesktop::~XfceDesktop() = default;

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
    return unwrap(reply.arguments().constFirst());
}

bool XfceDesktop::setProperty(const QString& name, const QVariant& value) const {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("SetProperty"));
    call << kChannel << name << QVariant::fromValue(QDBusVariant(value));
    return bus_.call(call, QDBus::Block, kTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

std::optional<QVariantMap> XfceDesktop::properties(const QString& base) const {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetAllProperties"));
    call << kChannel << base;
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return std::nullopt;
    return qdbus_cast<QVariantMap>(reply.arguments().constFirst());
}

QList<int> XfceDesktop::workspaces(const QString& base) const {
    QSet<int> numbers{0};
    static const QRegularExpression workspace(QStringLiteral("^/workspace(\\d+)/"));
    const QVariantMap all = properties(base).value_or(QVariantMap());
    for (auto it = all.keyBegin(); it != all.keyEnd(); ++it) {
        const auto match = workspace.match(it->mid(base.size()));
        if (match.hasMatch()) numbers.insert(match.captured(1).toInt());
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
    if (const auto kept = shown_.find(connector); kept != shown_.end()) return kept->second;
    const auto shown = read(connector);
    if (changes_->listening()) shown_[connector] = shown;
    return shown;
}

std::optional<DesktopShown> XfceDesktop::read(const QString& connector) const {
    // One call for the workspace's picture and placement: the watcher asks on every tick.
    const QString workspace = monitorBase(connector) + QStringLiteral("/workspace0");
    const auto all = properties(workspace);
    const auto image = all ? all->constFind(workspace + QStringLiteral("/last-image")) : QVariantMap::const_iterator();
    if (!all || image == all->constEnd()) return std::nullopt;  // never set here: the record answers
    DesktopShown shown;
    const QString path = unwrap(*image).toString();
    shown.path = path.startsWith(QLatin1Char('/')) ? path : QString();
    const auto style = all->constFind(workspace + QStringLiteral("/image-style"));
    bool ok = false;
    const int value = style == all->constEnd() ? 0 : unwrap(*style).toInt(&ok);
    if (ok) shown.placement = placementFor(value);
    return shown;
}

bool XfceDesktop::setPicture(int32_t screen, const QString& path) {
    const QString connector = connectorOf(screen);
    // xfconf holds text (D-Bus strings are UTF-8): a name that is not cannot be told to it.
    if (connector.isEmpty() || path.isEmpty() || !FileNameIsText(path)) return false;
    const QString base = monitorBase(connector);
    shown_.erase(connector);
    bool ok = true;
    for (const int n : workspaces(base))
        ok = setProperty(base + QStringLiteral("/workspace%1/last-image").arg(n), path) && ok;
    return ok;
}

#include "XfceDesktop.moc"
