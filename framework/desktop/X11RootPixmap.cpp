#include "framework/desktop/X11RootPixmap.h"

#include <QCoreApplication>
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

// Probes may fail (a window that is gone, an id of another kind) without
// spoiling the error state of the call around them.
class KeepError {
public:
    KeepError() : saved_(lastError) {}
    ~KeepError() { lastError = saved_; }
    KeepError(const KeepError&) = delete;
    KeepError& operator=(const KeepError&) = delete;

private:
    int saved_;
};

// The one id of type a window's property holds; 0 for none or an error.
XID idProperty(Display* display, Window window, Atom atom, Atom type) {
    const KeepError keep;
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XID id = 0;
    if (XGetWindowProperty(display, window, atom, 0, 1, False, type, &actualType, &format, &count, &after, &data) ==
            Success &&
        actualType == type && format == 32 && count == 1 && data)
        id = *reinterpret_cast<const XID*>(data);  // 32-bit items come as longs
    if (data) XFree(data);
    return id;
}

void setIdProperty(Display* display, Window window, Atom atom, Atom type, XID id) {
    XChangeProperty(display, window, atom, type, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&id), 1);
}

// A drawable that is no window. Killing the client of any other id (a window,
// a font, ...) could take down a program that is still running, us included.
bool isPixmap(Display* display, XID id) {
    const KeepError keep;
    Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    lastError = 0;
    if (!XGetGeometry(display, id, &root, &x, &y, &width, &height, &border, &depth) || lastError) return false;
    XWindowAttributes attributes;
    return !XGetWindowAttributes(display, id, &attributes);
}

// Our own record of the pixmap we retained: the root's property names a
// marker window made on the pixmap's connection, whose property names the
// pixmap. The marker dies with that connection, so an id the server handed
// out again to another client after ours was killed is never taken for ours.
QByteArray keeperName() {
    const QByteArray application = QCoreApplication::applicationName().toUtf8();
    return '_' + (application.isEmpty() ? QByteArrayLiteral("ROOT") : application) + "_PMAP_KEEPER";
}

Pixmap ourRetainedPixmap(Display* display, Window root, Atom keeperAtom) {
    const Window keeper = idProperty(display, root, keeperAtom, XA_WINDOW);
    const Pixmap pixmap = keeper ? idProperty(display, keeper, keeperAtom, XA_PIXMAP) : 0;
    return pixmap && isPixmap(display, pixmap) ? pixmap : 0;
}

void recordRetained(Display* display, Window root, Atom keeperAtom, Pixmap pixmap) {
    XSetWindowAttributes attributes;
    attributes.override_redirect = True;  // no window manager takes it up
    const Window keeper = XCreateWindow(display, root, -1, -1, 1, 1, 0, 0, InputOnly, CopyFromParent,
                                        CWOverrideRedirect, &attributes);
    setIdProperty(display, keeper, keeperAtom, XA_PIXMAP, pixmap);
    setIdProperty(display, root, keeperAtom, XA_WINDOW, keeper);
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
    const Atom keeperAtom = XInternAtom(display, keeperName().constData(), False);
    const Pixmap old = idProperty(display, root, rootAtom, XA_PIXMAP);
    const Pixmap oldEsetroot = idProperty(display, root, esetrootAtom, XA_PIXMAP);
    const Pixmap ours = ourRetainedPixmap(display, root, keeperAtom);

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
        // Another setter's pixmap goes with the client that kept it, but only
        // when both properties name it (the esetroot convention): a lone
        // _XROOTPMAP_ID may belong to a program that is still running.
        if (old && old == oldEsetroot && old != ours && isPixmap(display, old)) {
            XKillClient(display, old);
            XSync(display, False);
            lastError = 0;  // already gone is fine
        }
        setIdProperty(display, root, rootAtom, XA_PIXMAP, pixmap);
        setIdProperty(display, root, esetrootAtom, XA_PIXMAP, pixmap);
        XSetWindowBackgroundPixmap(display, root, pixmap);
        XClearWindow(display, root);
        XSync(display, False);
        ok = lastError == 0;
    }
    if (ok) {
        recordRetained(display, root, keeperAtom, pixmap);
        // Ours goes once it is nobody's background, whatever ESETROOT_PMAP_ID
        // says (another program may have set _XROOTPMAP_ID alone since).
        if (ours && idProperty(display, root, rootAtom, XA_PIXMAP) != ours) XKillClient(display, ours);
        XSync(display, False);  // a record that failed costs a leak, not the background shown
    }
    // Only a pixmap in use outlives this connection.
    XSetCloseDownMode(display, ok ? RetainPermanent : DestroyAll);
    XSync(display, False);
    return ok;
}

}  // namespace X11RootPixmap
