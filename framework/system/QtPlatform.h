#pragma once
// The platform as Qt gives it: its screens, the keyboard's modifiers, Qt's
// own (non-native) dialogs and QDesktopServices. Without a GUI application
// there is one 1440 x 900 screen, no key is held and no dialog shows.
#include "framework/system/Platform.h"

class QtPlatform : public Platform {
public:
    std::vector<ScreenInfo> Screens() override;
    bool AltKeyDown() override;
    void ShowMessage(const DialogRequest& request) override;
    std::optional<Color> ChooseColor(const DialogRequest& request) override;
    FolderItemPtr ChooseFileToOpen(const DialogRequest& request) override;
    FolderItemPtr ChooseFileToSave(const DialogRequest& request) override;
    bool OpenURL(const QString& address) override;
    bool MouseButtonHeld() override;
};
