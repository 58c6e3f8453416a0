#include "app/AboutWindow.h"

#include <climits>

#include "app/App.h"
#include "app/BuildControl.h"
#include "app/WindowRecord.h"
#include "framework/runtime/NilObjectException.h"
#include "framework/ui/LayoutRecord.h"

namespace {

constexpr Color kBlack = RGB(0, 0, 0);

QByteArray WindowRecord() {
    return MakeWindowRecord({.width = 300,
                             .height = 300,
                             .frame = 1,
                             .title = QStringLiteral("About"),
                             .liveResize = false,
                             .minimizeButton = false});
}

// This window's records store the kind's own entries first, then the shared ones in reverse.
void SharedEntries(LayoutRecord& r, const char* name, int32_t left, int32_t top, int32_t width, int32_t height) {
    r.Bool("LockBottom", false)
        .Bool("LockRight", false)
        .Bool("LockTop", false)
        .Bool("LockLeft", false)
        .Bool("AutoDeactivate", true)
        .Str("DisabledBalloonHelp", QString())
        .Str("BalloonHelp", QString())
        .Str("HelpTag", QString())
        .Str("InitialParent", QString())
        .Int("Height", height)
        .Int("Width", width)
        .Int("Top", top)
        .Int("Left", left)
        .Bool("Visible", true)
        .Int("TabPanelIndex", 0)
        .Int("Index", INT32_MIN)
        .Str("Name", QString::fromLatin1(name));
}

QByteArray PushButtonRecord() {
    LayoutRecord r;
    r.Bool("Enabled", true)
        .Bool("Cancel", false)
        .Bool("Default", true)
        .Str("Caption", QStringLiteral("OK"))
        .Bool("Underline", false)
        .Bool("Italic", false)
        .Bool("Bold", false)
        .Int("TextSize", 12)
        .Str("TextFont", QStringLiteral("System"));
    SharedEntries(r, "PushButton1", 122, 259, 60, 20);
    return r.Bytes();
}

QByteArray CanvasRecord() {
    LayoutRecord r;
    r.Bool("AcceptTabs", false).Bool("AcceptFocus", false).Bool("UseFocusRing", true).Bool("Enabled", true);
    SharedEntries(r, "Canvas1", 87, 13, 128, 128);
    return r.Bytes();
}

QByteArray StaticTextRecord(const char* name, int32_t top, int32_t height, const char* font, bool bold,
                            bool multiLine) {
    LayoutRecord r;
    r.Str("DataField", QString())
        .Str("DataSource", QString())
        .Bool("Enabled", true)
        .Bool("MultiLine", multiLine)
        .Col("TextColor", kBlack)
        .Int("TextAlign", 1)
        .Str("Text", QString())
        .Bool("Underline", false)
        .Bool("Italic", false)
        .Bool("Bold", bold)
        .Int("TextSize", 10)
        .Str("TextFont", QString::fromLatin1(font));
    SharedEntries(r, name, 5, top, 290, height);
    return r.Bytes();
}

template <class Kind>
std::shared_ptr<Kind> Found(Window& w, const char* name) {
    auto control = std::dynamic_pointer_cast<Kind>(RuntimeWindowControlByName(w, QString::fromLatin1(name)));
    if (!control) throw NilObjectException(name);
    return control;
}

}  // namespace

std::shared_ptr<class AboutWindow> AboutWindow() {
    if (auto open = std::dynamic_pointer_cast<class AboutWindow>(_GetImplicitWindow(QStringLiteral("AboutWindow.AboutWindow"))))
        return open;
    return NewWindow<class AboutWindow>(QStringLiteral("AboutWindow.AboutWindow"));
}

void AboutWindow::Layout() { _SetProperties(*this, WindowRecord()); }

void AboutWindow::CreateControls() { _CreateControls0(); }

void AboutWindow::_CreateControls0() {
    BuildControl<PushButton>(*this, "PushButton1", PushButtonRecord(),
                             {{"Action", Delegate(this, &AboutWindow::PushButton1_Action)}});
    BuildControl<Canvas>(*this, "Canvas1", CanvasRecord());
    BuildControl<StaticText>(*this, "StaticText1", StaticTextRecord("StaticText1", 154, 16, "Geneva", true, false));
    BuildControl<StaticText>(*this, "StaticText2", StaticTextRecord("StaticText2", 185, 59, "System", false, true));
}

void AboutWindow::PushButton1_Action() { Close(); }

void AboutWindow::AddMenuHandlers() {}

void AboutWindow::Event_Open() {
    auto app = App();
    if (!app) throw NilObjectException("App");
    Found<StaticText>(*this, "StaticText1")->SetText(app->appName + app->ShortVersion());
    Found<StaticText>(*this, "StaticText2")->SetText(app->AppCopyRight);
    Found<Canvas>(*this, "Canvas1")->SetBackdrop(app->AboutImage);
    SetTitle(QStringLiteral("About ") + app->appName);
}
