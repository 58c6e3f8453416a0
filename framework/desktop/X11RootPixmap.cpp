#include "framework/desktop/X11RootPixmap.h"

#include <QRect>
#include <QtGlobal>

#include <cstdlib>
#include <cstring>

// Xlib last: its macros (None, Bool, Status, ...) would clash with Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// Xlib reports errors through one process-wide handler; ours only notes them
// while a call of ours runs (the default one would exit the program).
int lastError = 0;
int noteError(Display*, XErrorEvent* event) {
    lastError = event->error_code;
    return 0;
}

class ErrorTrap {
public:
    ErrorTrap() : previous_(XSetErrorHandler(noteError)) { lastError = 0; }
    ~ErrorTrap() { XSetErrorHandler(previous_); }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

private:
    int (*previous_)(Display*, XErrorEvent*);
};

class Connection {
public:
    explicit Connection(const QByteArray& name) : display_(XOpenDisplay(name.isEmpty() ? nullptr : name.constData())) {}
    ~Connection() {
        if (display_) XCloseDisplay(display_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    Display* get() const { return display_; }

private:
    Display* display_;
};

Pixmap pixmapProperty(Display* display, Window root, Atom atom) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Pixmap pixmap = 0;
    if (XGetWindowProperty(display, root, atom, 0, 1, False, XA_PIXMAP, &type, &format, &count, &after, &data) ==
            Success &&
        type == XA_PIXMAP && format == 32 && count == 1 && data)
        pixmap = *reinterpret_cast<const Pixmap*>(data);  // 32-bit items come as longs
    if (data) XFree(data);
    return pixmap;
}

unsigned long channel(int value, unsigned long mask) {
    int shift = 0;
    while (mask && !((mask >> shift) & 1)) ++shift;
    const unsigned long bits = mask >> shift;
    return ((static_cast<unsigned long>(value) * bits + 127) / 255) << shift;
}

// picture (QImage::Format_RGB32) as an XImage of the default visual; nullptr
// when that visual is not TrueColor.
XImage* toXImage(Display* display, int screen, const QImage& picture) {
    Visual* visual = DefaultVisual(display, screen);
    if (visual->c_class != TrueColor) return nullptr;
    XImage* out = XCreateImage(display, visual, unsigned(DefaultDepth(display, screen)), ZPixmap, 0, nullptr,
                               unsigned(picture.width()), unsigned(picture.height()), 32, 0);
    if (!out) return nullptr;
    out->data = static_cast<char*>(std::malloc(size_t(out->bytes_per_line) * size_t(picture.height())));
    if (!out->data) {
        XDestroyImage(out);
        return nullptr;
    }
    const bool sameLayout = out->bits_per_pixel == 32 && visual->red_mask == 0xff0000 &&
                            visual->green_mask == 0xff00 && visual->blue_mask == 0xff &&
                            out->byte_order == (Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? LSBFirst : MSBFirst);
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        if (sameLayout) {
            std::memcpy(out->data + size_t(y) * size_t(out->bytes_per_line), row, size_t(picture.width()) * 4);
            continue;
        }
        for (int x = 0; x < picture.width(); ++x)
            XPutPixel(out, x, y,
                      channel(qRed(row[x]), visual->red_mask) | channel(qGreen(row[x]), visual->green_mask) |
                          channel(qBlue(row[x]), visual->blue_mask));
    }
    return out;
}

}  // namespace

namespace X11RootPixmap {

bool available(const QByteArray& display) { return Connection(display).get() != nullptr; }

bool show(const QByteArray& name, const QImage& picture, QPoint position) {
    // A connection of its own: its close-down mode keeps the pixmap alive.
    const Connection connection(name);
    Display* const display = connection.get();
    if (!display || picture.isNull()) return false;
    const ErrorTrap trap;
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    const QRect rootRect(0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen));
    const QRect target = QRect(position, picture.size()).intersected(rootRect);
    if (target.isEmpty()) return false;
    XImage* image = toXImage(display, screen, picture.convertToFormat(QImage::Format_RGB32).copy(target.translated(-position)));
    if (!image) return false;

    const unsigned depth = unsigned(DefaultDepth(display, screen));
    const Atom rootAtom = XInternAtom(display, "_XROOTPMAP_ID", False);
    const Atom esetrootAtom = XInternAtom(display, "ESETROOT_PMAP_ID", False);
    const Pixmap old = pixmapProperty(display, root, rootAtom);
    const Pixmap oldEsetroot = pixmapProperty(display, root, esetrootAtom);

    const Pixmap pixmap = XCreatePixmap(display, root, unsigned(rootRect.width()), unsigned(rootRect.height()), depth);
    const GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XSetForeground(display, gc, BlackPixel(display, screen));
    XFillRectangle(display, pixmap, gc, 0, 0, unsigned(rootRect.width()), unsigned(rootRect.height()));
    XSync(display, False);
    const bool made = lastError == 0;
    // Elsewhere the new pixmap shows what the old one did; an old pixmap that
    // is gone or of another depth leaves black there.
    Window ignoredRoot = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, oldDepth = 0;
    if (made && old && XGetGeometry(display, old, &ignoredRoot, &x, &y, &width, &height, &border, &oldDepth) &&
        oldDepth == depth)
        XCopyArea(display, old, pixmap, gc, 0, 0, width, height, 0, 0);
    XSync(display, False);
    lastError = made ? 0 : lastError;
    XPutImage(display, pixmap, gc, image, 0, 0, target.x(), target.y(), unsigned(target.width()),
              unsigned(target.height()));
    XFreeGC(display, gc);
    XDestroyImage(image);
    XSync(display, False);
    bool ok = lastError == 0;
    if (ok) {
        // The previous setter's pixmap goes with the client that kept it, but
        // only when both properties name it (the esetroot convention): a lone
        // _XROOTPMAP_ID may belong to a program that is still running.
        if (old && old == oldEsetroot) {
            XKillClient(display, old);
            XSync(display, False);
            lastError = 0;  // already gone is fine
        }
        XChangeProperty(display, root, rootAtom, XA_PIXMAP, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pixmap), 1);
        XChangeProperty(display, root, esetrootAtom, XA_PIXMAP, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pixmap), 1);
        XSetWindowBackgroundPixmap(display, root, pixmap);
        XClearWindow(display, root);
        XSync(display, False);
        ok = lastError == 0;
    }
    // Only a pixmap in use outlives this connection.
    XSetCloseDownMode(display, ok ? RetainPermanent : DestroyAll);
    XSync(display, False);
    return ok;
}

}  // namespace X11RootPixmap
