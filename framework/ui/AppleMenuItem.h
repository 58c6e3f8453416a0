#pragma once
// The application's About item: shown where it was appended (no application menu here).
#include "framework/ui/MenuItem.h"

class AppleMenuItem : public MenuItem {
public:
    using MenuItem::MenuItem;
};
