#pragma once
// The desktop record: the property list com.apple.desktop.plist in the
// preferences folder. It keeps, per screen and keyed by the screen's name, the
// picture path and its placement, and for the main screen also a
// Background / default dictionary, the part the placement query reads:
//
//   <dict>
//     <key>Background</key>
//     <dict><key>default</key>
//       <dict><key>ImageFilePath</key><string>...</string>
//             <key>Placement</key><string>Tiled</string></dict></dict>
//     <key>Screens</key>
//     <array><dict><key>Name</key><string>DP-1</string>
//                  <key>ImageFilePath</key>... <key>Placement</key>...</dict></array>
//   </dict>
//
// The screens are an array, not a dictionary, so that the query's dictionary
// path can never reach them. Keys it does not know are kept as they are. A
// picture whose file name is not UTF-8 is kept as its file URI
// ("file:///p/caf%E9.jpg"), since a property-list string holds text only.
// Written as XML, atomically, and only when something changed. A record that
// cannot be parsed reads as empty and is moved aside to "<name>.bad" (or
// "<name>.bad-2", "-3", ... when that is taken) before it is first written
// over, so nothing is lost.
#include <QString>

#include "framework/desktop/PropertyList.h"

class DesktopRecord {
public:
    // The record's file; empty when there is no preferences folder.
    static QString defaultPath();
    // Its name in the preferences folder.
    static QString fileName() { return QStringLiteral("com.apple.desktop.plist"); }

    explicit DesktopRecord(const QString& path = defaultPath());
    // A record read from bytes, bound to no file (save writes nothing).
    static DesktopRecord fromBytes(const QByteArray& bytes);

    // The screen's picture; for the main screen without an entry of its own,
    // the Background / default picture. Empty when nothing is recorded.
    QString picture(const QString& screenName, bool mainScreen) const;
    // The placement text ("Crop", "SizeToFit", "FillScreen", "Centered",
    // "Tiled"), empty when none is recorded.
    QString placement(const QString& screenName, bool mainScreen) const;

    void setPicture(const QString& screenName, bool mainScreen, const QString& path);
    // An empty placement removes it.
    void setPlacement(const QString& screenName, bool mainScreen, const QString& placement);

    bool changed() const { return dirty_; }
    // Writes the record when it changed. False when it could not be written,
    // or when an existing file could not be read (it is left alone).
    bool save();
    QByteArray toXml() const;

private:
    struct Unbound {};
    explicit DesktopRecord(Unbound) {}
    void adopt(PlistPtr root);
    plist_t screenEntry(const QString& screenName, bool create);
    plist_t defaultEntry(bool create);
    QString valueOf(const QString& screenName, bool mainScreen, const char* key) const;
    void setValue(const QString& screenName, bool mainScreen, const char* key, const QString& value);

    QString path_;
    PlistPtr root_;
    PropertyList::Status status_ = PropertyList::Status::Missing;
    bool dirty_ = false;
};
