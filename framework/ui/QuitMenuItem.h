#pragma once
// Quits through Quit(), so every window's Close and the application's Close run.
#include "framework/ui/MenuItem.h"

class QuitMenuItem : public MenuItem {
public:
    using MenuItem::MenuItem;
    bool defaultAction() override;
};
