#pragma once
// An Xvfb server of the test's own, and what the X11 desktop tests read back
// from it through Xlib (kept out of the tests' files: Xlib's Screen type
// clashes with the framework's Screen()).
#include <QByteArray>
#include <QProcess>
#include <QRgb>
#include <cstdint>

class XvfbServer {
public:
    // Starts Xvfb with one screen of the size; display() is empty when it did not start.
    XvfbServer(int width, int height);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    QByteArray display() const { return display_; }
    // The pixel the root window shows.
    QRgb rootPixel(int x, int y) const;
    // The pixmap a root window property names; 0 for none.
    uint64_t rootProperty(const char* atom) const;
    // True while the pixmap (or window) exists on the server.
    bool pixmapExists(uint64_t pixmap) const;
    // A pixmap of the test's own connection, filled with colour and named by
    // _XROOTPMAP_ID alone, as a program that draws the root itself leaves it.
    uint64_t publishOwnPixmap(QRgb colour);
    // A window of the test's own connection, named by both root pixmap properties.
    uint64_t publishOwnWindow();

private:
    QProcess process_;
    QByteArray display_;
    void* connection_ = nullptr;  // the test's own Display*, open while the server runs
    void* previousHandler_ = nullptr;  // Xlib's error handler before ours
};
