#pragma once
// Window1, the main window: the one window in which the user picks the source
// picture, the strip colour and text, the placement, the background colour, the
// height adjustment, the save format, auto-apply and the Dock option, and from
// which "Set Desktop" and "Revert Desktop" run.
//
// One class, split into files by concern:
//   Window1Layout.cpp     the window record, the 25 controls and their event bindings
//   Window1Settings.cpp   Open and Close: restoring and saving every setting
//   Window1Composer.cpp   SetMainDesktop, the composition of the tinted picture
//   Window1Watcher.cpp    LoadImage, CheckScreens, GetLongDesktopName, RevertDesktop
//   Window1Handlers.cpp   the control handlers and the advanced group
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "framework/core/Color.h"
#include "framework/files/FolderItem.h"
#include "framework/ui/BevelButton.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/DisclosureTriangle.h"
#include "framework/ui/EditField.h"
#include "framework/ui/ImageWell.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Rectangle.h"
#include "framework/ui/RoundRectangle.h"
#include "framework/ui/Separator.h"
#include "framework/ui/StaticText.h"
#include "framework/ui/Timer.h"
#include "framework/ui/UpDownArrows.h"
#include "framework/ui/Window.h"

class Window1 : public Window {
public:
    Window1();

    // Building (Window1Layout.cpp).
    void Layout() override;
    void CreateControls() override;
    void _CreateControls0();

    // Control handlers (Window1Handlers.cpp).
    bool ImageWell1_MouseDown(int32_t x, int32_t y);
    void ImageWell1_MouseUp(int32_t x, int32_t y);
    void ImageWell1_MouseExit();
    void ImageWell1_DropObject(DragItemPtr obj, int32_t action);
    bool RoundRectangle1_MouseDown(int32_t x, int32_t y);
    void RoundRectangle1_MouseUp(int32_t x, int32_t y);
    void PushButton1_Action();
    void PopupMenu1_Change();
    bool Rectangle1_MouseDown(int32_t x, int32_t y);
    void Rectangle1_MouseExit();
    void Rectangle1_MouseUp(int32_t x, int32_t y);
    void CheckBox3_Action();
    void PushButton2_Action();
    void CheckBox4_Action();
    void UpDownArrows1_Up();
    void UpDownArrows1_Down();
    void Timer1_Action();
    void BevelButton1_Action();
    void DisclosureTriangle1_Action();
    bool Rectangle2_MouseDown(int32_t x, int32_t y);
    void Rectangle2_MouseExit();
    void Rectangle2_MouseUp(int32_t x, int32_t y);

    // The menu items of the window's menu bar, by name (Window1Layout.cpp).
    MenuItemPtr EditMenu();
    MenuItemPtr EditSelectAll();
    MenuItemPtr UntitledMenu0();
    MenuItemPtr EditClear();
    MenuItemPtr EditPaste();
    MenuItemPtr EditCopy();
    MenuItemPtr EditCut();
    MenuItemPtr UntitledMenu1();
    MenuItemPtr EditUndo();
    MenuItemPtr FileMenu();
    MenuItemPtr FileQuit();
    MenuItemPtr FileAboutZentravelle();
    void AddMenuHandlers() override;

    // Window events.
    void Event_Open() override;        // Window1Settings.cpp
    void Event_Close() override;       // Window1Settings.cpp
    void Event_Deactivate() override;  // Window1Handlers.cpp
    void Event_Activate() override;    // Window1Handlers.cpp
    // Every setting into the application's store: Close, and the session's save request.
    void writeSettings();              // Window1Settings.cpp

    void LoadImage(FolderItemPtr f);           // Window1Watcher.cpp
    void CheckScreens();                       // Window1Watcher.cpp
    void SetMainDesktop();                     // Window1Composer.cpp
    QString GetLongDesktopName(int32_t i);     // Window1Watcher.cpp
    void RevertDesktop();                      // Window1Watcher.cpp
    void ShowHideAdvanced();                   // Window1Handlers.cpp
    static QString DesktopPicture(int32_t screen);  // what screen (from 1) shows now; Window1Watcher.cpp
    static QString HeightLabel(int32_t adjust);     // the height adjustment's label; Window1Handlers.cpp
    static inline const QString kHeightLabel = QStringLiteral("Adjust menubar height:   ");

    // The window's own state.
    FolderItemPtr currentImage;
    bool imageWellClick = false;
    bool colorClick = false;
    Color currentColor;
    bool backColorClick = false;
    Color currentBackColor;
    bool noUpdateDoc = false;
    int32_t menuheight = 0;
    int32_t menuBarAdjust = 0;
    QStringList scrOriginal;
    QStringList scrName;
    bool inBackground = false;
    bool SaveImageOnly = false;
    bool advancedState = false;
    bool textColorClick = false;
    Color currentTextColor;

    // The controls, in creation order; set as each one is created.
    ImageWellPtr ImageWell1;
    RoundRectanglePtr RoundRectangle1;
    PushButtonPtr PushButton1;
    StaticTextPtr StaticText1;
    StaticTextPtr StaticText2;
    CheckBoxPtr CheckBox1;
    PopupMenuPtr PopupMenu1;
    CheckBoxPtr CheckBox2;
    RectanglePtr Rectangle1;
    SeparatorPtr Separator1;
    CheckBoxPtr CheckBox3;
    PushButtonPtr PushButton2;
    CheckBoxPtr CheckBox4;
    UpDownArrowsPtr UpDownArrows1;
    StaticTextPtr StaticText3;
    TimerPtr Timer1;
    BevelButtonPtr BevelButton1;
    DisclosureTrianglePtr DisclosureTriangle1;
    StaticTextPtr StaticText4;
    StaticTextPtr StaticText5;
    PopupMenuPtr PopupMenu2;
    SeparatorPtr Separator2;
    EditFieldPtr EditField1;
    StaticTextPtr StaticText6;
    RectanglePtr Rectangle2;

private:
    MenuItemPtr MenuItemNamed(const QString& name);
    bool checkingScreens = false;  // a CheckScreens call is under way

    // A composition that failed: the watcher does not try the same again at
    // once (Window1Composer.cpp). A picture that could not be written is tried
    // again once the composed file's place changed; one the desktop refused, once
    // the desktop shows something else or the back-off has passed.
    struct PicturesState {
        bool writable = false, targetBlocked = false;
        qint64 freeBytes = 0;
    };
    struct FailedCompose {
        QString settings;
        PicturesState state;
        std::optional<QString> refusedWhileShowing;  // what the main screen showed after the refusal
        int64_t retryTick = 0;
    };
    std::optional<FailedCompose> failedCompose;
    int64_t watcherTicks = 0;  // Timer1's ticks so far: the clock of the back-off
    int32_t refusalsInARow = 0;
    int64_t RefusalBackoffTicks() const;
    QString ComposeSettings(const QString& source) const;
    FolderItemPtr ComposedFile() const;
    bool ComposeWouldFailAgain(const QString& source) const;
    static PicturesState PicturesStateOf(const FolderItemPtr& file);
};

// The main window: the open one, or else a new one.
std::shared_ptr<Window1> Window1();
// The main window when it is open; Nil otherwise (it is not built).
std::shared_ptr<class Window1> OpenWindow1();
