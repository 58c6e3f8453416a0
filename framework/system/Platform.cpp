#include "framework/system/Platform.h"

#include "framework/system/QtPlatform.h"

namespace {

QtPlatform& qtPlatform() {
    static QtPlatform platform;
    return platform;
}

Platform*& current() {
    static Platform* platform = nullptr;
    return platform;
}

}  // namespace

Platform& CurrentPlatform() { return current() ? *current() : qtPlatform(); }

Platform* InstallPlatform(Platform* platform) {
    Platform* before = current() ? current() : &qtPlatform();
    current() = platform == &qtPlatform() ? nullptr : platform;
    return before;
}
