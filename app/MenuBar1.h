#pragma once
// The menu bar: File (About, Quit) and Edit. One instance for the run.
#include <memory>

#include "framework/ui/MenuBar.h"

class MenuBar1 : public MenuBar {
public:
    MenuBar1();
    void Untitled0();  // builds the File menu
    void Untitled1();  // builds the Edit menu

    static std::shared_ptr<MenuBar1> _implicitInstance;
};

// The single menu bar; the first call builds it.
std::shared_ptr<MenuBar1> MenuBar1();
