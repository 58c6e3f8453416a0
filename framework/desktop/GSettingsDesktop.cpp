// GIO first: its headers use "signals" as a name, which Qt defines as a macro.
#include <gio/gio.h>

#include "framework/desktop/GSettingsDesktop.h"

#include <QtGlobal>

#include <sys/stat.h>

#include "framework/files/FileNames.h"

namespace {

QString takeString(gchar* text) {
    const QString out = QString::fromUtf8(text);
    g_free(text);
    return out;
}

GSettings* gsettings(void* p) { return static_cast<GSettings*>(p); }

}  // namespace

const GSettingsFlavour& GSettingsFlavour::gnome() {
    static const GSettingsFlavour f{QStringLiteral("GNOME"), "org.gnome.desktop.background", "picture-uri",
                                    "picture-uri-dark", true};
    return f;
}

const GSettingsFlavour& GSettingsFlavour::cinnamon() {
    static const GSettingsFlavour f{QStringLiteral("Cinnamon"), "org.cinnamon.desktop.background", "picture-uri",
                                    QByteArray(), true};
    return f;
}

const GSettingsFlavour& GSettingsFlavour::mate() {
    static const GSettingsFlavour f{QStringLiteral("MATE"), "org.mate.background", "picture-filename", QByteArray(),
                                    false};
    return f;
}

std::unique_ptr<DesktopBackend> GSettingsDesktop::detect(const GSettingsFlavour& flavour) {
    // g_settings_new aborts the process on a schema that is not installed: look first.
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source) return nullptr;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, flavour.schema.constData(), TRUE);
    if (!schema) return nullptr;
    const bool hasPicture = g_settings_schema_has_key(schema, flavour.pictureKey.constData());
    const bool hasDark = !flavour.darkKey.isEmpty() && g_settings_schema_has_key(schema, flavour.darkKey.constData());
    const bool hasOptions = g_settings_schema_has_key(schema, "picture-options");
    GSettings* settings = hasPicture ? g_settings_new_full(schema, nullptr, nullptr) : nullptr;
    g_settings_schema_unref(schema);
    if (!settings) return nullptr;
    return std::unique_ptr<DesktopBackend>(new GSettingsDesktop(flavour, settings, hasDark, hasOptions));
}

GSettingsDesktop::GSettingsDesktop(const GSettingsFlavour& flavour, void* settings, bool hasDark, bool hasOptions)
    : flavour_(flavour), settings_(settings), hasDark_(hasDark), hasOptions_(hasOptions) {}

GSettingsDesktop::~GSettingsDesktop() { g_object_unref(gsettings(settings_)); }

std::optional<DesktopShown> GSettingsDesktop::picture(int32_t screen) {
    if (screen != 1) return std::nullopt;
    const QString value = takeString(g_settings_get_string(gsettings(settings_), flavour_.pictureKey.constData()));
    DesktopShown shown;
    shown.path = flavour_.pictureIsUri ? pathFromUri(value) : pathFromText(value);
    if (hasOptions_)
        shown.placement = placementFor(takeString(g_settings_get_string(gsettings(settings_), "picture-options")));
    return shown;
}

bool GSettingsDesktop::setPicture(int32_t screen, const QString& path) {
    if (screen != 1 || path.isEmpty()) return false;
    // Empty when the name cannot be written as the key's text: refused.
    const QString value = flavour_.pictureIsUri ? uriFromPath(path) : textFromPath(path);
    if (value.isEmpty()) return false;
    const QByteArray utf8 = value.toUtf8();
    // False when the key is locked down (not writable).
    bool ok = g_settings_set_string(gsettings(settings_), flavour_.pictureKey.constData(), utf8.constData());
    if (hasDark_)
        ok = g_settings_set_string(gsettings(settings_), flavour_.darkKey.constData(), utf8.constData()) && ok;
    // Writes are queued (dconf): wait until they reached the store, so the
    // desktop has them before the caller's next step.
    g_settings_sync();
    return ok;
}

QString GSettingsDesktop::placementFor(const QString& option) {
    if (option == QLatin1String("scaled")) return QStringLiteral("Crop");
    if (option == QLatin1String("zoom")) return QStringLiteral("SizeToFit");
    if (option == QLatin1String("stretched")) return QStringLiteral("FillScreen");
    if (option == QLatin1String("centered")) return QStringLiteral("Centered");
    if (option == QLatin1String("wallpaper")) return QStringLiteral("Tiled");
    return QString();
}

QString GSettingsDesktop::pathFromUri(const QString& uri) {
    if (uri.isEmpty()) return QString();
    gchar* host = nullptr;
    gchar* file = g_filename_from_uri(uri.toUtf8().constData(), &host, nullptr);
    const bool local = file && (!host || !*host || g_ascii_strcasecmp(host, "localhost") == 0);
    const QString path = local ? DecodeFileName(QByteArray(file)) : QString();
    g_free(host);
    g_free(file);
    return path;
}

QString GSettingsDesktop::uriFromPath(const QString& path) {
    gchar* uri = g_filename_to_uri(EncodeFileName(path).constData(), nullptr, nullptr);
    return uri ? takeString(uri) : QString();
}

// A GSettings string is UTF-8 text: a name that is not is converted as GLib
// converts file names for display, as MATE converts them back.
QString GSettingsDesktop::textFromPath(const QString& path) {
    if (!path.startsWith(QLatin1Char('/'))) return QString();
    if (FileNameIsText(path)) return path;
    const QByteArray bytes = EncodeFileName(path);
    gchar* text = g_filename_to_utf8(bytes.constData(), bytes.size(), nullptr, nullptr, nullptr);
    return text ? takeString(text) : QString();
}

QString GSettingsDesktop::pathFromText(const QString& text) {
    if (!text.startsWith(QLatin1Char('/'))) return QString();
    // As MATE reads it: the text itself when it names a file, else the text in the file-name encoding.
    const QByteArray utf8 = text.toUtf8();
    struct stat st;
    if (::stat(utf8.constData(), &st) == 0) return text;
    gsize length = 0;
    gchar* bytes = g_filename_from_utf8(utf8.constData(), utf8.size(), nullptr, &length, nullptr);
    const QString path = bytes ? DecodeFileName(QByteArray(bytes, qsizetype(length))) : text;
    g_free(bytes);
    return path;
}
