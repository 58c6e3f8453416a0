// Window1's class and layout: the window record, the 25 controls created in
// order from their layout records, and the binding of each control event to the
// window's handler of the same name.
#include <climits>

#include "app/BuildControl.h"
#include "app/MenuBar1.h"
#include "app/WindowRecord.h"
#include "framework/core/Strings.h"
#include "framework/ui/LayoutRecord.h"
#include "mainwindow/Window1.h"

namespace {

constexpr int32_t kNoControlArray = INT32_MIN;
constexpr bool kBottomLocked = true;
constexpr bool kFloating = false;
constexpr Color kBlack = RGB(0, 0, 0);
constexpr Color kWhite = RGB(255, 255, 255);

// The entries every control record begins with.
LayoutRecord Placed(const char* name, int32_t left, int32_t top, int32_t width, int32_t height, bool lockBottom) {
    LayoutRecord r;
    r.Str("Name", QString::fromLatin1(name))
        .Int("Index", kNoControlArray)
        .Int("Left", left)
        .Int("Top", top)
        .Int("Width", width)
        .Int("Height", height)
        .Bool("LockLeft", false)
        .Bool("LockTop", false)
        .Bool("LockRight", false)
        .Bool("LockBottom", lockBottom)
        .Int("TabPanelIndex", 0);
    return r;
}

void SystemFont(LayoutRecord& r, int32_t size = 0, bool bold = false) {
    r.Str("TextFont", QStringLiteral("System")).Int("TextSize", size).Bool("Bold", bold).Bool("Italic", false).Bool(
        "Underline", false);
}

void NoDataBinding(LayoutRecord& r) { r.Str("DataSource", QString()).Str("DataField", QString()); }

// ImageWell and Separator; UpDownArrows, DisclosureTriangle and BevelButton begin so too.
LayoutRecord Plain(LayoutRecord r, bool visible = true, const QString& helpTag = QString()) {
    r.Str("InitialParent", QString())
        .Bool("Visible", visible)
        .Str("HelpTag", helpTag)
        .Bool("AutoDeactivate", true)
        .Bool("Enabled", true);
    return r;
}

QByteArray RoundRectangleRecord(LayoutRecord r, const QString& helpTag) {
    r.Bool("Visible", true)
        .Str("HelpTag", helpTag)
        .Bool("AutoDeactivate", true)
        .Bool("Enabled", true)
        .Col("FillColor", kWhite)
        .Int("BorderWidth", 1)
        .Col("BorderColor", kBlack)
        .Int("OvalWidth", 16)
        .Int("OvalHeight", 16)
        .Str("InitialParent", QString());
    return r.Bytes();
}

QByteArray RectangleRecord(LayoutRecord r, bool visible, const QString& helpTag) {
    r.Bool("Visible", visible)
        .Str("HelpTag", helpTag)
        .Bool("AutoDeactivate", true)
        .Bool("Enabled", true)
        .Col("FillColor", kWhite)
        .Int("BorderWidth", 1)
        .Col("TopLeftColor", kBlack)
        .Col("BottomRightColor", kBlack)
        .Str("InitialParent", QString());
    return r.Bytes();
}

QByteArray PushButtonRecord(LayoutRecord r, const QString& caption, bool isDefault, bool enabled,
                            const QString& helpTag) {
    r.Str("Caption", caption)
        .Bool("Default", isDefault)
        .Bool("Cancel", false)
        .Bool("Enabled", enabled)
        .Bool("Visible", true)
        .Str("HelpTag", helpTag)
        .Bool("AutoDeactivate", true);
    SystemFont(r);
    r.Str("InitialParent", QString());
    return r.Bytes();
}

QByteArray StaticTextRecord(LayoutRecord r, const QString& text, int32_t textAlign = 0, int32_t textSize = 0) {
    r.Str("Text", text)
        .Int("TextAlign", textAlign)
        .Col("TextColor", kBlack)
        .Bool("Multiline", false)
        .Bool("Enabled", true)
        .Bool("Visible", true)
        .Str("HelpTag", QString())
        .Bool("AutoDeactivate", true);
    SystemFont(r, textSize);
    NoDataBinding(r);
    r.Str("InitialParent", QString());
    return r.Bytes();
}

QByteArray CheckBoxRecord(LayoutRecord r, const QString& caption, const QString& helpTag) {
    r.Str("Caption", caption)
        .Bool("Enabled", true)
        .Bool("Visible", true)
        .Str("HelpTag", helpTag)
        .Bool("AutoDeactivate", true);
    SystemFont(r);
    r.Bool("Value", false);
    NoDataBinding(r);
    r.Str("InitialParent", QString());
    return r.Bytes();
}

// Rows are each ended by a carriage return, the last one too.
QByteArray PopupMenuRecord(LayoutRecord r, const QStringList& rows, int32_t listIndex, const QString& helpTag) {
    QString initialValue;
    for (const QString& row : rows) initialValue += row + QChar(13);
    r.Bool("Enabled", true)
        .Str("InitialValue", initialValue)
        .Int("ListIndex", listIndex)
        .Bool("Visible", true)
        .Str("HelpTag", helpTag)
        .Bool("AutoDeactivate", true);
    SystemFont(r);
    NoDataBinding(r);
    r.Str("InitialParent", QString());
    return r.Bytes();
}

QByteArray UpDownArrowsRecord(LayoutRecord r) {
    r = Plain(r);
    r.Bool("AcceptFocus", false);
    return r.Bytes();
}

QByteArray DisclosureTriangleRecord(LayoutRecord r) {
    r = Plain(r);
    r.Bool("Value", true).Int("Facing", 0).Bool("AcceptFocus", false);
    return r.Bytes();
}

QByteArray BevelButtonRecord(LayoutRecord r, const QString& caption) {
    r = Plain(r);
    r.Str("Caption", caption)
        .Int("CaptionAlign", 3)
        .Int("CaptionPlacement", 1)
        .Int("CaptionDelta", 0)
        .Int("IconAlign", 0)
        .Int("IconDX", 0)
        .Int("IconDY", 0)
        .Int("Bevel", 5)
        .Int("HasMenu", 0)
        .Bool("Value", false)
        .Int("MenuValue", 0)
        .Int("ButtonType", 0)
        .Bool("AcceptFocus", false);
    SystemFont(r, 13, true);
    return r.Bytes();
}

QByteArray EditFieldRecord(LayoutRecord r) {
    r.Bool("Border", true)
        .Bool("Multiline", false)
        .Bool("ScrollbarHorizontal", false)
        .Bool("ScrollbarVertical", true)
        .Bool("Styled", true)
        .Bool("Password", false)
        .Bool("UseFocusRing", false)
        .Col("TextColor", kBlack)
        .Col("BackColor", kWhite)
        .Bool("Enabled", true)
        .Str("Format", QString())
        .Bool("Visible", true)
        .Str("HelpTag", QString())
        .Bool("AutoDeactivate", true);
    SystemFont(r);
    r.Str("Text", QString())
        .Str("Mask", QString())
        .Bool("ReadOnly", false)
        .Int("LimitText", 0)
        .Bool("AcceptTabs", false)
        .Int("Alignment", 2);
    NoDataBinding(r);
    r.Str("InitialParent", QString());
    return r.Bytes();
}

QByteArray TimerRecord() { return LayoutRecord().Int("Mode", 0).Int("Period", 2000).Bytes(); }

QByteArray WindowRecord() {
    return MakeWindowRecord({.width = 340,
                             .height = 547,
                             .frame = 0,
                             .title = QStringLiteral("Zentravelle"),
                             .liveResize = true,
                             .minimizeButton = true});
}

}  // namespace

Window1::Window1() = default;

std::shared_ptr<class Window1> OpenWindow1() {
    return std::dynamic_pointer_cast<class Window1>(_GetImplicitWindow(QStringLiteral("Window1.Window1")));
}

std::shared_ptr<class Window1> Window1() {
    if (auto open = OpenWindow1()) return open;
    return NewWindow<class Window1>(QStringLiteral("Window1.Window1"));
}

void Window1::Layout() {
    SetMenuBar(MenuBar1());
    _SetProperties(*this, WindowRecord());
}

void Window1::CreateControls() { _CreateControls0(); }

void Window1::_CreateControls0() {
    ImageWell1 = BuildControl<ImageWell>(*this, 
        "ImageWell1",
        Plain(Placed("ImageWell1", 20, 112, 300, 159, kFloating), true,
              QStringLiteral("Main screen image. A copy of this image will be modified by Zentravelle."))
            .Bytes(),
        {{"MouseDown", Delegate(this, &Window1::ImageWell1_MouseDown)},
         {"MouseUp", Delegate(this, &Window1::ImageWell1_MouseUp)},
         {"MouseExit", Delegate(this, &Window1::ImageWell1_MouseExit)},
         {"DropObject", Delegate(this, &Window1::ImageWell1_DropObject)}});
    RoundRectangle1 = BuildControl<RoundRectangle>(*this, 
        "RoundRectangle1",
        RoundRectangleRecord(Placed("RoundRectangle1", 20, 26, 298, 18, kFloating),
                             QStringLiteral("Click to set menubar color")),
        {{"MouseDown", Delegate(this, &Window1::RoundRectangle1_MouseDown)},
         {"MouseUp", Delegate(this, &Window1::RoundRectangle1_MouseUp)}});
    PushButton1 = BuildControl<PushButton>(*this, 
        "PushButton1",
        PushButtonRecord(Placed("PushButton1", 187, 442, 130, 20, kBottomLocked), QStringLiteral("Set Desktop"),
                         true, false, QStringLiteral("Update the desktop picture with these settings")),
        {{"Action", Delegate(this, &Window1::PushButton1_Action)}});
    StaticText1 = BuildControl<StaticText>(*this, 
        "StaticText1", StaticTextRecord(Placed("StaticText1", 20, 3, 247, 20, kFloating),
                                        QStringLiteral("Click to select a menubar background color"), 0, 10));
    StaticText2 = BuildControl<StaticText>(*this, 
        "StaticText2",
        StaticTextRecord(Placed("StaticText2", 20, 93, 297, 20, kFloating),
                         QStringLiteral("Click to select a desktop image, or drag an image file here"), 0, 10));
    CheckBox1 = BuildControl<CheckBox>(*this, "CheckBox1", CheckBoxRecord(Placed("CheckBox1", 73, 339, 155, 20, kBottomLocked),
                                                            QStringLiteral("Round-off corners"),
                                                            QStringLiteral("Give the menubar rounded corners")));
    PopupMenu1 = BuildControl<PopupMenu>(*this, 
        "PopupMenu1",
        PopupMenuRecord(Placed("PopupMenu1", 66, 284, 208, 20, kBottomLocked),
                        {QStringLiteral("Fit to Screen"), QStringLiteral("Fill Screen"),
                         QStringLiteral("Stretch to Fill Screen"), QStringLiteral("Center"), QStringLiteral("Tile")},
                        2, QStringLiteral("Choose how to draw the picture")),
        {{"Change", Delegate(this, &Window1::PopupMenu1_Change)}});
    CheckBox2 = BuildControl<CheckBox>(*this, "CheckBox2",
                                CheckBoxRecord(Placed("CheckBox2", 73, 313, 218, 20, kBottomLocked),
                                               QStringLiteral("Keep image below menubar"),
                                               QStringLiteral("Don't cover any of the image with the menubar")));
    Rectangle1 = BuildControl<Rectangle>(*this, "Rectangle1",
                                  RectangleRecord(Placed("Rectangle1", 281, 285, 36, 20, kBottomLocked), false,
                                                  QStringLiteral("Select the background color")),
                                  {{"MouseDown", Delegate(this, &Window1::Rectangle1_MouseDown)},
                                   {"MouseExit", Delegate(this, &Window1::Rectangle1_MouseExit)},
                                   {"MouseUp", Delegate(this, &Window1::Rectangle1_MouseUp)}});
    Separator1 = BuildControl<Separator>(*this, "Separator1", Plain(Placed("Separator1", 20, 497, 300, 13, kBottomLocked)).Bytes());
    CheckBox3 = BuildControl<CheckBox>(*this, "CheckBox3",
                                CheckBoxRecord(Placed("CheckBox3", 93, 513, 186, 20, kBottomLocked),
                                               QStringLiteral("Fix my dock, too"),
                                               QStringLiteral("Changes dock to a flat appearance")),
                                {{"Action", Delegate(this, &Window1::CheckBox3_Action)}});
    PushButton2 = BuildControl<PushButton>(*this, 
        "PushButton2",
        PushButtonRecord(Placed("PushButton2", 20, 442, 130, 20, kBottomLocked), QStringLiteral("Revert Desktop"),
                         false, true, QStringLiteral("Remove Zentravelle effects from the desktop")),
        {{"Action", Delegate(this, &Window1::PushButton2_Action)}});
    CheckBox4 = BuildControl<CheckBox>(*this, "CheckBox4",
                                CheckBoxRecord(Placed("CheckBox4", 65, 472, 233, 20, kBottomLocked),
                                               QStringLiteral("Automatically apply to changes"), QString()),
                                {{"Action", Delegate(this, &Window1::CheckBox4_Action)}});
    UpDownArrows1 = BuildControl<UpDownArrows>(*this, "UpDownArrows1",
                                        UpDownArrowsRecord(Placed("UpDownArrows1", 250, 405, 13, 23, kBottomLocked)),
                                        {{"Up", Delegate(this, &Window1::UpDownArrows1_Up)},
                                         {"Down", Delegate(this, &Window1::UpDownArrows1_Down)}});
    StaticText3 = BuildControl<StaticText>(*this, "StaticText3",
                                    StaticTextRecord(Placed("StaticText3", 57, 406, 188, 20, kBottomLocked),
                                                     kHeightLabel + QLatin1Char('0'), 2));
    Timer1 = BuildControl<Timer>(*this, "Timer1", TimerRecord(), {{"Action", Delegate(this, &Window1::Timer1_Action)}});
    BevelButton1 = BuildControl<BevelButton>(*this, "BevelButton1",
                                      BevelButtonRecord(Placed("BevelButton1", 0, 511, 38, 22, kBottomLocked),
                                                        QStringLiteral("?")),
                                      {{"Action", Delegate(this, &Window1::BevelButton1_Action)}});
    DisclosureTriangle1 = BuildControl<DisclosureTriangle>(*this, 
        "DisclosureTriangle1", DisclosureTriangleRecord(Placed("DisclosureTriangle1", 20, 357, 18, 18, kBottomLocked)),
        {{"Action", Delegate(this, &Window1::DisclosureTriangle1_Action)}});
    StaticText4 = BuildControl<StaticText>(*this, 
        "StaticText4", StaticTextRecord(Placed("StaticText4", 35, 357, 151, 20, kBottomLocked), QStringLiteral("Advanced")));
    StaticText5 = BuildControl<StaticText>(*this, "StaticText5",
                                    StaticTextRecord(Placed("StaticText5", 52, 381, 146, 20, kBottomLocked),
                                                     QStringLiteral("Image save format:"), 2));
    PopupMenu2 = BuildControl<PopupMenu>(*this, "PopupMenu2",
                                  PopupMenuRecord(Placed("PopupMenu2", 204, 380, 80, 20, kBottomLocked),
                                                  {QStringLiteral("JPEG"), QStringLiteral("PNG")}, 0, QString()));
    Separator2 =
        BuildControl<Separator>(*this, "Separator2", Plain(Placed("Separator2", 102, 367, 218, 2, kBottomLocked), false).Bytes());
    EditField1 = BuildControl<EditField>(*this, "EditField1", EditFieldRecord(Placed("EditField1", 20, 65, 254, 22, kFloating)));
    StaticText6 = BuildControl<StaticText>(*this, "StaticText6",
                                    StaticTextRecord(Placed("StaticText6", 20, 46, 263, 20, kFloating),
                                                     QStringLiteral("Text to center in menubar"), 0, 10));
    Rectangle2 = BuildControl<Rectangle>(*this, "Rectangle2",
                                  RectangleRecord(Placed("Rectangle2", 281, 66, 36, 20, kFloating), true, QString()),
                                  {{"MouseDown", Delegate(this, &Window1::Rectangle2_MouseDown)},
                                   {"MouseExit", Delegate(this, &Window1::Rectangle2_MouseExit)},
                                   {"MouseUp", Delegate(this, &Window1::Rectangle2_MouseUp)}});
}

MenuItemPtr Window1::MenuItemNamed(const QString& name) {
    MenuBarPtr bar = MenuBar();
    if (!bar) return nullptr;
    for (int32_t i = 0; i < bar->Count(); ++i) {
        MenuItemPtr menu = bar->Item(i);
        if (StringsEqual(menu->Name(), name)) return menu;
        if (MenuItemPtr item = menu->Child(name)) return item;
    }
    return nullptr;
}

MenuItemPtr Window1::EditMenu() { return MenuItemNamed(QStringLiteral("EditMenu")); }
MenuItemPtr Window1::EditSelectAll() { return MenuItemNamed(QStringLiteral("EditSelectAll")); }
MenuItemPtr Window1::UntitledMenu0() { return MenuItemNamed(QStringLiteral("UntitledMenu0")); }
MenuItemPtr Window1::EditClear() { return MenuItemNamed(QStringLiteral("EditClear")); }
MenuItemPtr Window1::EditPaste() { return MenuItemNamed(QStringLiteral("EditPaste")); }
MenuItemPtr Window1::EditCopy() { return MenuItemNamed(QStringLiteral("EditCopy")); }
MenuItemPtr Window1::EditCut() { return MenuItemNamed(QStringLiteral("EditCut")); }
MenuItemPtr Window1::UntitledMenu1() { return MenuItemNamed(QStringLiteral("UntitledMenu1")); }
MenuItemPtr Window1::EditUndo() { return MenuItemNamed(QStringLiteral("EditUndo")); }
MenuItemPtr Window1::FileMenu() { return MenuItemNamed(QStringLiteral("FileMenu")); }
MenuItemPtr Window1::FileQuit() { return MenuItemNamed(QStringLiteral("FileQuit")); }
MenuItemPtr Window1::FileAboutZentravelle() { return MenuItemNamed(QStringLiteral("FileAboutZentravelle")); }

// The program's only menu handler belongs to App.
void Window1::AddMenuHandlers() {}
