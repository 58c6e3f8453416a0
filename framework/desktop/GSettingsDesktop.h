#pragma once
// GNOME-family, Cinnamon and MATE backgrounds through GSettings, in process
// (GIO): one schema each, one picture for all screens. Reads and writes go
// through GIO's default settings back end (dconf in a session, or whatever
// GSETTINGS_BACKEND names), so no process is started.
#include <QString>
#include <memory>

#include "framework/desktop/DesktopBackend.h"

struct GSettingsFlavour {
    QString name;         // "GNOME", "Cinnamon", "MATE"
    QByteArray schema;    // org.gnome.desktop.background, ...
    QByteArray pictureKey;
    QByteArray darkKey;   // set too where the schema has it; empty for none
    bool pictureIsUri;    // picture-uri holds a URI, MATE's picture-filename a path

    static const GSettingsFlavour& gnome();
    static const GSettingsFlavour& cinnamon();
    static const GSettingsFlavour& mate();
};

class GSettingsDesktop : public DesktopBackend {
public:
    // The backend when the flavour's schema and picture key are installed; else nullptr.
    static std::unique_ptr<DesktopBackend> detect(const GSettingsFlavour& flavour);
    ~GSettingsDesktop() override;

    QString name() const override { return flavour_.name; }
    bool perScreen() const override { return false; }
    std::optional<DesktopShown> picture(int32_t screen) override;
    bool setPicture(int32_t screen, const QString& path) override;

    // The record's placement text for a picture-options value, "" for none (none, spanned).
    static QString placementFor(const QString& option);
    // The local path a picture URI names: file URIs with an empty host or
    // "localhost", percent-escapes decoded in the file-name encoding; "" for
    // anything else.
    static QString pathFromUri(const QString& uri);
    static QString uriFromPath(const QString& path);
    // MATE's picture-filename: a path as text, a name that is not UTF-8 in
    // GLib's file-name encoding (G_FILENAME_ENCODING); "" when it has none.
    static QString textFromPath(const QString& path);
    static QString pathFromText(const QString& text);

private:
    GSettingsDesktop(const GSettingsFlavour& flavour, void* settings, bool hasDark, bool hasOptions);

    GSettingsFlavour flavour_;
    void* settings_;  // GSettings*, kept out of this header so GIO's names stay in one file
    bool hasDark_;
    bool hasOptions_;
};
