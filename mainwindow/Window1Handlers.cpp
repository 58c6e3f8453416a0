// The control handlers of Window1 and the advanced group. Clicks on the picture
// well and the three swatches arm on mouse-down and act on mouse-up only while
// armed; a value changed here counts at the next composition.
#include "app/HelpPage.h"
#include "app/ImageFiles.h"
#include "common/CommonLib.h"
#include "framework/core/Strings.h"
#include "framework/files/SpecialFolders.h"
#include "framework/shell/Shell.h"
#include "framework/system/Dialogs.h"
#include "framework/system/Keyboard.h"
#include "framework/system/ShowURL.h"
#include "mainwindow/Window1.h"

namespace {

// How far the window grows or shrinks when the advanced group opens or closes.
constexpr int32_t kAdvancedGroupHeight = 60;


}  // namespace

QString Window1::HeightLabel(int32_t adjust) {
    return kHeightLabel + Format(adjust, QStringLiteral("+#0"));
}

bool Window1::ImageWell1_MouseDown(int32_t, int32_t) {
    imageWellClick = true;
    return true;
}

void Window1::ImageWell1_MouseUp(int32_t, int32_t) {
    if (!imageWellClick) return;
    FolderItemPtr f = CommonLib::GetFileSelection(QStringLiteral("Select Image"), QStringLiteral("Choose a desktop image"),
                                                  ImageFiles::All(), SpecialFolder::Pictures(),
                                                  QStringLiteral("Select"), QStringLiteral("Cancel"));
    if (f) LoadImage(f);
    imageWellClick = false;
}

void Window1::ImageWell1_MouseExit() { imageWellClick = false; }

// Only the first item of a drop counts. A file wins over a picture; a dropped
// picture is kept in a new temporary JPEG file, which stays as the source.
void Window1::ImageWell1_DropObject(DragItemPtr obj, int32_t) {
    if (!obj) return;
    if (obj->FolderItemAvailable()) {
        LoadImage(obj->FolderItem());
    } else if (obj->PictureAvailable()) {
        FolderItemPtr f = GetTemporaryFolderItem();
        if (!f) return;
        // A picture that could not be kept leaves the source as it was, and its
        // reserved file goes (one left behind is empty, in the cache: harmless).
        if (!f->SaveAsJPEG(obj->Picture())) {
            f->Delete();
            return;
        }
        LoadImage(f);
    }
}

bool Window1::RoundRectangle1_MouseDown(int32_t, int32_t) {
    colorClick = true;
    return true;
}

// The strip swatch has no MouseExit: a press is acted on wherever it is released.
void Window1::RoundRectangle1_MouseUp(int32_t, int32_t) {
    if (!colorClick) return;
    Color c = currentColor;
    if (SelectColor(c, QStringLiteral("Choose a menubar color"))) {
        RoundRectangle1->SetFillColor(c);
        currentColor = c;
    }
    colorClick = false;
}

void Window1::PushButton1_Action() {
    if (Keyboard::AsyncOptionKey()) {
        SaveImageOnly = true;
        SetMainDesktop();
        SaveImageOnly = false;
    } else {
        SetMainDesktop();
    }
}

// Only "Fit to Screen" and "Center" leave canvas uncovered, so only they need a background colour.
void Window1::PopupMenu1_Change() {
    const int32_t mode = PopupMenu1->ListIndex();
    Rectangle1->SetVisible(mode == 0 || mode == 3);
}

bool Window1::Rectangle1_MouseDown(int32_t, int32_t) {
    backColorClick = true;
    return true;
}

void Window1::Rectangle1_MouseExit() { backColorClick = false; }

void Window1::Rectangle1_MouseUp(int32_t, int32_t) {
    if (!backColorClick) return;
    Color c = currentBackColor;
    if (SelectColor(c, QStringLiteral("Choose a background color"))) {
        Rectangle1->SetFillColor(c);
        currentBackColor = c;
    }
    backColorClick = false;
}

void Window1::CheckBox3_Action() {
    if (noUpdateDoc) return;
    Shell shell;
    if (CheckBox3->Value())
        shell.Execute(QStringLiteral("defaults write com.apple.dock no-glass -boolean YES"));
    else
        shell.Execute(QStringLiteral("defaults write com.apple.dock no-glass -boolean NO"));
    shell.Execute(QStringLiteral("killall Dock"));
}

void Window1::PushButton2_Action() { RevertDesktop(); }

// Ticking runs no check itself: the first comes one period later.
void Window1::CheckBox4_Action() { Timer1->SetMode(CheckBox4->Value() ? 2 : 0); }

void Window1::UpDownArrows1_Up() {
    if (menuBarAdjust < 10) {
        menuBarAdjust = menuBarAdjust + 1;
        StaticText3->SetText(HeightLabel(menuBarAdjust));
    }
}

void Window1::UpDownArrows1_Down() {
    if (menuBarAdjust > -10) {
        menuBarAdjust = menuBarAdjust - 1;
        StaticText3->SetText(HeightLabel(menuBarAdjust));
    }
}

void Window1::Timer1_Action() {
    ++watcherTicks;
    inBackground = true;
    CheckScreens();
    inBackground = false;
}

void Window1::BevelButton1_Action() {
    const QString page = HelpPageAddress();
    if (!ShowURL(page)) MsgBox(HelpPageNotOpened(page));  // no browser, no opener: say so
}

void Window1::DisclosureTriangle1_Action() { ShowHideAdvanced(); }

bool Window1::Rectangle2_MouseDown(int32_t, int32_t) {
    textColorClick = true;
    return true;
}

void Window1::Rectangle2_MouseExit() { textColorClick = false; }

void Window1::Rectangle2_MouseUp(int32_t, int32_t) {
    if (!textColorClick) return;
    Color c = currentTextColor;
    if (SelectColor(c, QStringLiteral("Choose a text color"))) {
        Rectangle2->SetFillColor(c);
        currentTextColor = c;
        EditField1->SetTextColor(c);
    }
    textColorClick = false;
}

// The application hides and shows this window as it is deactivated and activated.
void Window1::Event_Deactivate() {}
void Window1::Event_Activate() {}

// Opens or closes the advanced group. The bottom-locked controls follow the
// window's new height; the upper group is put back where it was.
void Window1::ShowHideAdvanced() {
    const bool v = DisclosureTriangle1->Value();
    if (v == advancedState) return;
    StaticText5->SetVisible(v);
    StaticText3->SetVisible(v);
    UpDownArrows1->SetVisible(v);
    PopupMenu2->SetVisible(v);
    Separator2->SetVisible(!v);
    const int32_t delta = v ? kAdvancedGroupHeight : -kAdvancedGroupHeight;
    SetHeight(Height() + delta);
    for (const RectControlPtr& c : std::initializer_list<RectControlPtr>{
             PopupMenu1, Rectangle1, CheckBox1, CheckBox2, DisclosureTriangle1, StaticText4, Separator2})
        c->SetTop(c->Top() - delta);
    advancedState = v;
}
