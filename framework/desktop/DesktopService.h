#pragma once
// The desktop service behind the desktop scripts: reads and sets a screen's
// desktop picture and names screens. Screens are numbered from 1 (the main
// screen) as the scripts number them.
//
// The desktop record (DesktopRecord) always keeps every screen's picture. On a
// GNOME-family desktop (GnomeDesktop) the main screen's picture is also read
// from and set in GNOME's background settings, and GNOME's picture-options is
// mirrored into the record's placement. Everywhere else the record is the
// desktop, so the program works with no desktop at all.
//
// Defined answers: a screen number outside 1..ScreenCount() reads as "" and
// setting it does nothing; an empty or relative path changes nothing; a screen
// with nothing recorded reads as "" (the main screen falls back to the
// record's Background / default picture first).
#include <QString>
#include <cstdint>

namespace DesktopService {

QString picture(int32_t screen);
void setPicture(int32_t screen, const QString& path);
// A name that stays the same from one start to the next: the screen's maker,
// model and serial number as far as reported (with the connector name added
// when no serial number tells identical screens apart), else its connector
// name; "" for a screen number outside 1..ScreenCount().
QString screenName(int32_t screen);

}  // namespace DesktopService
