#include "framework/system/MouseButtons.h"

#include "framework/system/Platform.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

#include <cstdlib>

namespace {

// The pointer's button state as the X server knows it; known is false off X11.
int x11ButtonState(bool& known) {
    known = false;
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb")) return 0;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return 0;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen) return 0;
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, screen->root), nullptr);
    if (!reply) return 0;
    const int mask = reply->mask;
    std::free(reply);
    known = true;
    return mask;
}

}  // namespace

bool MouseButtonHeld() { return CurrentPlatform().MouseButtonHeld(); }

bool DisplayMouseButtonHeld() {
    bool known = false;
    const int mask = x11ButtonState(known);
    if (known)
        return mask & (XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3);
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    return QGuiApplication::mouseButtons() != Qt::NoButton;
}
