#include "framework/ui/KeepOnScreen.h"

#include <QRect>
#include <algorithm>

#include "framework/system/Screens.h"

namespace {

QRect availableArea(const ScreenInfo& s) {
    return QRect(s.AvailableLeft(), s.AvailableTop(), s.AvailableWidth(), s.AvailableHeight());
}

// The available area that holds most of the rectangle; the main screen's when
// none holds any of it, and on a tie the screen that comes first.
QRect areaHolding(const QRect& rect) {
    const ScreenPtr main = Screen(0);
    if (!main) return QRect();
    QRect best = availableArea(*main);
    int64_t most = 0;
    for (int32_t i = 0; i < ScreenCount(); ++i) {
        const ScreenPtr s = Screen(i);
        if (!s) continue;
        const QRect common = availableArea(*s) & rect;
        const int64_t held = int64_t(common.width()) * common.height();
        if (held > most) {
            most = held;
            best = availableArea(*s);
        }
    }
    return best;
}

// Moves the span [start, start + length) back inside [low, low + extent): its
// end first, then its start, so a span longer than the extent starts at low.
int32_t inside(int32_t start, int32_t length, int32_t low, int32_t extent) {
    return std::max(std::min(start, low + extent - length), low);
}

}  // namespace

void keepOnScreen(WindowBounds& window, bool resize) {
    const int32_t width = std::max(0, window.Width()), height = std::max(0, window.Height());
    const QRect area = areaHolding(QRect(window.Left(), window.Top(), std::max(1, width), std::max(1, height)));
    if (!area.isValid()) return;
    const int32_t newWidth = resize ? std::min(width, area.width()) : width;
    const int32_t newHeight = resize ? std::min(height, area.height()) : height;
    const int32_t top = inside(window.Top(), newHeight, area.top(), area.height());
    const int32_t left = inside(window.Left(), newWidth, area.left(), area.width());
    if (newHeight != height) window.SetHeight(newHeight);
    if (newWidth != width) window.SetWidth(newWidth);
    if (top != window.Top()) window.SetTop(top);
    if (left != window.Left()) window.SetLeft(left);
}
