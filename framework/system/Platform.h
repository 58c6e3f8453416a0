#pragma once
// Everything the program asks of the platform that a person would otherwise
// have to answer or a desktop provide: the screens, the keyboard's state, the
// modal dialogs, opening an address. One implementation is current, chosen
// once at start-up: the Qt one (QtPlatform) unless another is installed. The
// desktop service has a backend interface of its own (DesktopBackend.h).
#include <QString>
#include <optional>
#include <vector>

#include "framework/core/Color.h"
#include "framework/files/FolderItem.h"
#include "framework/system/Screens.h"

enum class DialogKind { MsgBox, SelectColor, OpenDialog, SaveDialog };

// What a modal dialog is asked to show.
struct DialogRequest {
    DialogKind kind = DialogKind::MsgBox;
    QString text{};  // MsgBox text, SelectColor prompt
    QString title{}, prompt{}, filter{}, actionCaption{}, cancelCaption{};
    QString initialDirectory{};  // path, empty when none was given
    QString defaultName{};       // save dialog
    Color color{};               // colour the picker starts on
};

class Platform {
public:
    virtual ~Platform() = default;

    // Main screen first; never empty.
    virtual std::vector<ScreenInfo> Screens() = 0;
    // Whether the Alt key is held at this moment.
    virtual bool AltKeyDown() = 0;

    // Each returns when the user has closed the dialog.
    virtual void ShowMessage(const DialogRequest& request) = 0;
    // The colour chosen; nothing on cancel.
    virtual std::optional<Color> ChooseColor(const DialogRequest& request) = 0;
    // The file chosen; Nil on cancel.
    virtual FolderItemPtr ChooseFileToOpen(const DialogRequest& request) = 0;
    virtual FolderItemPtr ChooseFileToSave(const DialogRequest& request) = 0;

    // Opens an address with the desktop's default handler; false when nothing
    // could open it (no opener, or the opener found no program for it).
    virtual bool OpenURL(const QString& address) = 0;
    // Whether a mouse button is down anywhere on the display, pressed over our
    // windows or another application's (a drag from a file manager).
    virtual bool MouseButtonHeld() = 0;
};

// The current platform.
Platform& CurrentPlatform();
// Makes platform the current one (not owned; nullptr: the Qt platform) and
// returns the one it replaces, so that the caller can put it back.
Platform* InstallPlatform(Platform* platform);
