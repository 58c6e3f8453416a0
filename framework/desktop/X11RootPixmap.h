#pragma once
// The X11 root window's background pixmap, through Xlib, kept apart from the
// rest of the framework (Xlib's macros and its Screen type clash with ours).
#include <QByteArray>
#include <QImage>
#include <QPoint>

namespace X11RootPixmap {

// True when the display (empty: $DISPLAY) can be opened.
bool available(const QByteArray& display);
// Makes a new root pixmap that shows picture at position (root coordinates)
// over what the current one shows elsewhere, publishes it as _XROOTPMAP_ID and
// ESETROOT_PMAP_ID and keeps it after the connection closes. Frees the one it
// kept before once that is no longer _XROOTPMAP_ID, and another program's
// pixmap only when both properties name it. False when the server refused.
bool show(const QByteArray& display, const QImage& picture, QPoint position);

}  // namespace X11RootPixmap
