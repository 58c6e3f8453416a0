#include "framework/system/Screens.h"

#include <QGuiApplication>
#include <QScreen>

#include "framework/core/Convert.h"

namespace {

std::optional<std::vector<ScreenInfo>>& testScreens() {
    static std::optional<std::vector<ScreenInfo>> screens;
    return screens;
}

std::vector<ScreenInfo> realScreens() {
    std::vector<ScreenInfo> out;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return {ScreenInfo{}};
    QList<QScreen*> list = QGuiApplication::screens();
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        list.removeAll(primary);
        list.prepend(primary);
    }
    for (QScreen* s : list) {
        const double dpr = s->devicePixelRatio();
        const QRect g = s->geometry(), a = s->availableGeometry();
        ScreenInfo info;
        info.name = s->name();
        info.manufacturer = s->manufacturer();
        info.model = s->model();
        info.serialNumber = s->serialNumber();
        info.left = g.x();
        info.top = g.y();
        info.width = Int(g.width() * dpr);
        info.height = Int(g.height() * dpr);
        info.availableLeft = a.x();
        info.availableTop = a.y();
        info.availableWidth = a.width();
        info.availableHeight = a.height();
        info.devicePixelRatio = dpr;
        out.push_back(info);
    }
    if (out.empty()) out.push_back(ScreenInfo{});
    return out;
}

std::vector<ScreenInfo> screens() { return testScreens() ? *testScreens() : realScreens(); }

}  // namespace

int32_t ScreenCount() { return int32_t(screens().size()); }

ScreenPtr Screen(int32_t index) {
    const auto all = screens();
    if (index < 0 || index >= int32_t(all.size())) return nullptr;
    return std::make_shared<const ScreenInfo>(all[size_t(index)]);
}

void SetScreensForTesting(std::optional<std::vector<ScreenInfo>> list) { testScreens() = std::move(list); }
