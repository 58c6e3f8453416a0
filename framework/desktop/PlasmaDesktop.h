#pragma once
// KDE Plasma's desktop picture, through the shell's scripting interface on the
// session bus (org.kde.PlasmaShell /PlasmaShell evaluateScript). Every screen
// has its own desktop containment (one per activity) and its own picture.
//
// Screens: our screen N (1 = Qt's primary) is Plasma's screen N-1. Plasma
// numbers the primary screen 0, as Qt puts the primary first; the other screens
// keep the numbers Plasma gave them when they were first connected, which is
// Qt's order on a set-up that was not rearranged since.
//
// Paths reach the script only as JavaScript string literals built by
// stringLiteral, never spliced in raw.
#include <QDBusConnection>
#include <QString>
#include <map>
#include <memory>

#include "framework/desktop/DesktopBackend.h"
#include "framework/desktop/SessionDesktops.h"
#include "framework/files/FileStamp.h"

class PlasmaDesktop : public DesktopBackend {
public:
    // The backend when the session's desktops name KDE and plasmashell is on the
    // session bus; else nullptr.
    static std::unique_ptr<DesktopBackend> detect(const SessionDesktops& desktops);
    // The same decision on a given bus (tests use a private bus).
    static std::unique_ptr<PlasmaDesktop> detect(const QDBusConnection& bus, const SessionDesktops& desktops);

    explicit PlasmaDesktop(const QDBusConnection& bus) : bus_(bus) {}

    QString name() const override { return QStringLiteral("KDE Plasma"); }
    bool perScreen() const override { return true; }
    std::optional<DesktopShown> picture(int32_t screen) override;
    // Sets the image and keeps the screen's FillMode, the user's choice there.
    bool setPicture(int32_t screen, const QString& path) override;
    // Also sets the FillMode of placement when it has one on Plasma.
    bool setPicture(int32_t screen, const QString& path, const QString& placement);

    // The scripts, for screen N's Plasma number N-1.
    static QString setScript(int32_t plasmaScreen, const QString& path, const QString& placement);
    static QString readScript(int32_t plasmaScreen);
    // The read script's answer; nothing when it names no desktop or is garbled.
    static std::optional<DesktopShown> parseReadReply(const QString& reply);
    // A double-quoted JavaScript literal that evaluates to text exactly: only
    // printable ASCII stays as it is, everything else is a \u escape.
    static QString stringLiteral(const QString& text);
    // The image wallpaper's FillMode (Qt Quick's Image.fillMode) of a placement
    // text, -1 for none; and back, "" for modes with no placement.
    static int fillModeFor(const QString& placement);
    static QString placementFor(int fillMode);

private:
    std::optional<QString> evaluate(const QString& script) const;

    // Plasma saves every desktop's wallpaper in its applets file: while that
    // file stays the same, so does each screen's answer. Asking plasmashell
    // costs it a fresh script engine, far too much for the watcher's ticks.
    struct Kept {
        FileStamp stamp;
        std::optional<DesktopShown> shown;
    };
    std::map<int32_t, Kept> kept_;
    QDBusConnection bus_;
};
