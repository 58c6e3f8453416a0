#pragma once
// Xfce's backdrops through xfconf over D-Bus (org.xfce.Xfconf), in process:
// channel xfce4-desktop, one picture per monitor, keyed by the monitor's
// connector name (QScreen::name()):
//   /backdrop/screen0/monitor<connector>/workspace<n>/last-image   the path
//   /backdrop/screen0/monitor<connector>/workspace<n>/image-style  the placement
// A picture is set on every workspace of the monitor; it is read from workspace0.
// What was read is kept until xfconf announces a change of the channel, so an
// idle watcher tick asks nothing of the bus.
#include <QDBusConnection>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <map>
#include <memory>

#include "framework/desktop/DesktopBackend.h"

class XfconfChanges;

class XfceDesktop : public DesktopBackend {
public:
    // The backend when xfconf runs or can be started on bus; else nullptr.
    static std::unique_ptr<DesktopBackend> detect(const QDBusConnection& bus = QDBusConnection::sessionBus());
    ~XfceDesktop() override;

    QString name() const override { return QStringLiteral("Xfce"); }
    bool perScreen() const override { return true; }
    std::optional<DesktopShown> picture(int32_t screen) override;
    bool setPicture(int32_t screen, const QString& path) override;

    // The record's placement text for an image-style value, "" for none.
    static QString placementFor(int style);
    // The property folder of a monitor: /backdrop/screen0/monitor<connector>.
    static QString monitorBase(const QString& connector);

private:
    explicit XfceDesktop(const QDBusConnection& bus);
    std::optional<DesktopShown> read(const QString& connector) const;
    // The property's value; an invalid QVariant when it is not set or xfconf did not answer.
    QVariant property(const QString& channel, const QString& property) const;
    bool setProperty(const QString& property, const QVariant& value) const;
    // Every property under base, by its full name; nothing when xfconf did not answer.
    std::optional<QVariantMap> properties(const QString& base) const;
    // The workspace numbers to set: those the monitor has, and those the window manager counts.
    QList<int> workspaces(const QString& base) const;

    QDBusConnection bus_;
    std::unique_ptr<XfconfChanges> changes_;  // empties the cache below on xfconf's change signals
    std::map<QString, std::optional<DesktopShown>> shown_;  // by connector
};
