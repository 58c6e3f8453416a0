#include "framework/system/ShowURL.h"

#include "framework/system/Platform.h"

void ShowURL(const QString& address) { CurrentPlatform().OpenURL(address); }
