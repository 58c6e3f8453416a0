#pragma once
// The GNOME-family desktop's background, through the gsettings tool: the
// schema org.gnome.desktop.background, keys picture-uri, picture-uri-dark and
// picture-options. gsettings is always run with an argument list, never
// through a shell, so a path reaches it unchanged.
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class GnomeDesktop {
public:
    // The desktop when the session names GNOME or a GNOME-family desktop
    // (XDG_CURRENT_DESKTOP) and the background schema is installed; else Nil.
    static std::unique_ptr<GnomeDesktop> detect();
    static bool sessionIsGnomeFamily(const QString& currentDesktop);

    // The local file shown: its path; "" when the picture is not a local file;
    // nothing when gsettings could not be read.
    std::optional<QString> picture() const;
    // picture-options ("zoom", "wallpaper", ...), empty when unreadable.
    QString pictureOptions() const;
    // Sets picture-uri and, where the schema has it, picture-uri-dark.
    bool setPicture(const QString& path) const;

    // The placement text of the desktop record for a picture-options value,
    // empty for options without one (none, spanned).
    static QString placementFor(const QString& option);
    // GVariant text of a string ('...' or "..." with escapes), as gsettings
    // prints it; nothing when the text is not one.
    static std::optional<QString> parseStringLiteral(const QString& text);
    static QString stringLiteral(const QString& value);

private:
    GnomeDesktop(QString program, bool hasDarkKey) : program_(std::move(program)), hasDarkKey_(hasDarkKey) {}
    static std::optional<QString> run(const QString& program, const QStringList& arguments);

    QString program_;
    bool hasDarkKey_;
};
