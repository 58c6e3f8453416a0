#include "framework/system/ShowURL.h"

#include "framework/system/Platform.h"

bool ShowURL(const QString& address) { return CurrentPlatform().OpenURL(address); }
