#pragma once
// A menu bar: its children are the menus. A window shows it as its QMenuBar.
#include "framework/ui/MenuItem.h"

class MenuBar;
using MenuBarPtr = std::shared_ptr<MenuBar>;

class MenuBar : public MenuItem {
public:
    using MenuItem::MenuItem;
};
