// The Qt platform for each combination of the session's variables.
#include <gtest/gtest.h>

#include <QProcessEnvironment>

#include "framework/runtime/PlatformChoice.h"

TEST(PlatformChoice, XcbOnlyOnWaylandWithXWaylandAndNoChoiceOfTheUsers) {
    struct Row {
        const char* sessionType;     // XDG_SESSION_TYPE, nullptr: unset
        const char* waylandDisplay;  // WAYLAND_DISPLAY
        const char* display;         // DISPLAY
        const char* qpa;             // QT_QPA_PLATFORM
        const char* expected;
    };
    const Row rows[] = {
        {"wayland", "wayland-0", ":0", nullptr, "xcb"},
        {"wayland", nullptr, ":0", nullptr, "xcb"},
        {nullptr, "wayland-0", ":0", nullptr, "xcb"},
        {"tty", "wayland-0", ":1", "", "xcb"},  // an empty choice is no choice
        {"wayland", "wayland-0", nullptr, nullptr, ""},  // no XWayland: Wayland it is
        {"wayland", "wayland-0", "", nullptr, ""},
        {"wayland", "wayland-0", ":0", "wayland", ""},  // the user's choice stands
        {"wayland", "wayland-0", ":0", "offscreen", ""},
        {"x11", nullptr, ":0", nullptr, ""},  // X11 sessions are Qt's choice already
        {nullptr, nullptr, ":0", nullptr, ""},
        {nullptr, nullptr, nullptr, nullptr, ""},
    };
    for (const Row& row : rows) {
        QProcessEnvironment env;
        const auto set = [&env](const char* name, const char* value) {
            if (value) env.insert(QString::fromLatin1(name), QString::fromLatin1(value));
        };
        set("XDG_SESSION_TYPE", row.sessionType);
        set("WAYLAND_DISPLAY", row.waylandDisplay);
        set("DISPLAY", row.display);
        set("QT_QPA_PLATFORM", row.qpa);
        EXPECT_EQ(ChooseQtPlatform(env).toStdString(), row.expected)
            << "session " << (row.sessionType ? row.sessionType : "-") << ", WAYLAND_DISPLAY "
            << (row.waylandDisplay ? row.waylandDisplay : "-") << ", DISPLAY " << (row.display ? row.display : "-")
            << ", QT_QPA_PLATFORM " << (row.qpa ? row.qpa : "-");
    }
}
