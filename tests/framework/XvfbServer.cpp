#include "tests/framework/XvfbServer.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

int lastError = 0;
int noteError(Display*, XErrorEvent* event) {
    lastError = event->error_code;
    return 0;
}

Display* dpy(void* connection) { return static_cast<Display*>(connection); }

}  // namespace

XvfbServer::XvfbServer(int width, int height) {
    // Xvfb picks a free display and writes its number to standard output.
    process_.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                    QStringLiteral("%1x%2x24").arg(width).arg(height), QStringLiteral("-noreset"),
                    QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!process_.waitForStarted(5000)) return;
    while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
    }
    const QByteArray number = process_.readLine().trimmed();
    if (number.isEmpty()) return;
    display_ = ':' + number;
    connection_ = XOpenDisplay(display_.constData());
    if (!connection_) display_.clear();
    previousHandler_ = reinterpret_cast<void*>(XSetErrorHandler(noteError));
}

XvfbServer::~XvfbServer() {
    if (connection_) XCloseDisplay(dpy(connection_));
    XSetErrorHandler(reinterpret_cast<int (*)(Display*, XErrorEvent*)>(previousHandler_));
    process_.kill();  // our own child, by its PID
    process_.waitForFinished(5000);
}

QRgb XvfbServer::rootPixel(int x, int y) const {
    Display* d = dpy(connection_);
    XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return qRgb(int((pixel >> 16) & 0xff), int((pixel >> 8) & 0xff), int(pixel & 0xff));  // Xvfb's 24-bit TrueColor
}

uint64_t XvfbServer::rootProperty(const char* atom) const {
    Display* d = dpy(connection_);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    uint64_t pixmap = 0;
    if (XGetWindowProperty(d, DefaultRootWindow(d), XInternAtom(d, atom, False), 0, 1, False, XA_PIXMAP, &type,
                           &format, &count, &after, &data) == Success &&
        type == XA_PIXMAP && count == 1)
        pixmap = *reinterpret_cast<const Pixmap*>(data);
    if (data) XFree(data);
    return pixmap;
}

bool XvfbServer::pixmapExists(uint64_t pixmap) const {
    Display* d = dpy(connection_);
    Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    lastError = 0;
    const Status found = XGetGeometry(d, Pixmap(pixmap), &root, &x, &y, &width, &height, &border, &depth);
    XSync(d, False);
    return found && lastError == 0;
}

uint64_t XvfbServer::publishOwnPixmap(QRgb colour) {
    Display* d = dpy(connection_);
    const int screen = DefaultScreen(d);
    const Window root = RootWindow(d, screen);
    const Pixmap pixmap = XCreatePixmap(d, root, unsigned(DisplayWidth(d, screen)), unsigned(DisplayHeight(d, screen)),
                                        unsigned(DefaultDepth(d, screen)));
    const GC gc = XCreateGC(d, pixmap, 0, nullptr);
    XSetForeground(d, gc, (unsigned long)(colour & 0xffffff));
    XFillRectangle(d, pixmap, gc, 0, 0, unsigned(DisplayWidth(d, screen)), unsigned(DisplayHeight(d, screen)));
    XFreeGC(d, gc);
    XChangeProperty(d, root, XInternAtom(d, "_XROOTPMAP_ID", False), XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
    XSync(d, False);
    return pixmap;
}

uint64_t XvfbServer::publishOwnWindow() {
    Display* d = dpy(connection_);
    const Window window = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 10, 10, 0, 0, 0);
    for (const char* atom : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"})
        XChangeProperty(d, DefaultRootWindow(d), XInternAtom(d, atom, False), XA_PIXMAP, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&window), 1);
    XSync(d, False);
    return window;
}
