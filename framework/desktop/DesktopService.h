#pragma once
// The desktop service behind the desktop scripts: reads and sets a screen's
// desktop picture and names screens. Screens are numbered from 1 (the main
// screen) as the scripts number them.
//
// The desktop record (DesktopRecord) always keeps every screen's picture. The
// session's desktop backend (DesktopBackends::current()) also shows it: every
// screen's on a desktop with a picture per screen, the main screen's on one
// that shows one picture on all; what the desktop shows, and its placement, is
// mirrored into the record. With no backend the record is the desktop, so the
// program works with no desktop at all.
//
// Defined answers: a screen number outside 1..ScreenCount() reads as "" and
// setting it does nothing; an empty or relative path changes nothing; a screen
// with nothing recorded reads as "" (the main screen falls back to the
// record's Background / default picture first).
#include <QString>
#include <cstdint>

namespace DesktopService {

QString picture(int32_t screen);
// False when nothing was set: a bad screen or path, the desktop refused the
// picture (the record then keeps what the desktop still shows), or the record
// could not be written.
bool setPicture(int32_t screen, const QString& path);
// A name that stays the same from one start to the next: the screen's maker,
// model and serial number as far as reported (with the connector name added
// when no serial number tells identical screens apart), else its connector
// name; "" for a screen number outside 1..ScreenCount().
QString screenName(int32_t screen);

}  // namespace DesktopService
