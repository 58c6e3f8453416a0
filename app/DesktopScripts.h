#pragma once
// The three desktop scripts, resources 168, 169 and 170 of the application,
// run by the framework's script service. Screen numbers come first, as
// integers from 1 (the main screen); a picture path comes second.
#include <QString>
#include <vector>

#include "framework/core/Variant.h"

// 168: the path of a screen's desktop picture.
QString GetDesktopPicture(const std::vector<Variant>& params);
// 169: a name of a screen's desktop, the same at the next start.
QString GetDesktopName(const std::vector<Variant>& params);
// 170: makes a file the desktop picture of a screen.
void SetAnyDesktopPicture(const std::vector<Variant>& params);
