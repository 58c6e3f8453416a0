#pragma once
// The About box: the About picture, the product name and version, the notice
// line and an "OK" button. Modal; built anew each time it is shown.
#include <memory>

#include "framework/ui/Canvas.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/StaticText.h"
#include "framework/ui/Window.h"

class AboutWindow : public Window {
public:
    void Layout() override;
    void CreateControls() override;
    void _CreateControls0();
    void PushButton1_Action();
    void AddMenuHandlers() override;
    void Event_Open() override;
};

// The open About window, or else a new one.
std::shared_ptr<AboutWindow> AboutWindow();
