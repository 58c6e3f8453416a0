#pragma once
// A top-level window: a Qt widget with an optional menu bar above its content
// area. Width and Height are the content area's; controls are placed in its
// coordinates. The framework builds a window (NewWindow), keeps it while it is
// open and raises its events: Open once after it is built, Close once when it
// closes (its close button, Close(), or Quit), Activate and Deactivate as it
// gains and loses the focus.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "framework/core/Color.h"
#include "framework/ui/Control.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/PropertyObject.h"
#include "framework/ui/WindowBounds.h"

class QMenuBar;
class QEventLoop;
class WindowWidget;
class Window;
using WindowPtr = std::shared_ptr<Window>;

class Window : public WindowBounds, public PropertyObject, public std::enable_shared_from_this<Window> {
public:
    Window();
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Events, called by the framework; the defaults do nothing.
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void AddMenuHandlers() {}
    virtual void Event_Open() {}
    virtual void Event_Close() {}
    virtual void Event_Activate() {}
    virtual void Event_Deactivate() {}

    // Properties.
    int32_t Placement() const { return placement_; }
    void SetPlacement(int32_t v) { placement_ = v; }
    int32_t Width() const override { return width_; }
    void SetWidth(int32_t v) override;
    // Setting the height moves every control locked to the bottom (and not to
    // the top) by the change; the others keep their Top.
    int32_t Height() const override { return height_; }
    void SetHeight(int32_t v) override;
    int32_t Top() const override;
    void SetTop(int32_t v) override;
    int32_t Left() const override;
    void SetLeft(int32_t v) override;
    int32_t MinWidth() const { return minWidth_; }
    void SetMinWidth(int32_t v);
    int32_t MinHeight() const { return minHeight_; }
    void SetMinHeight(int32_t v);
    int32_t MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int32_t v);
    int32_t MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int32_t v);
    // 0 a document window, 1 a movable modal dialog.
    int32_t Frame() const { return frame_; }
    void SetFrame(int32_t v);
    bool Composite() const { return composite_; }
    void SetComposite(bool v) { composite_ = v; }
    bool HasBackColor() const { return hasBackColor_; }
    void SetHasBackColor(bool v);
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color c);
    QString Title() const { return title_; }
    void SetTitle(const QString& v);
    // Visible True shows the window (once it is built), False hides it.
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool FullScreen() const { return fullScreen_; }
    void SetFullScreen(bool v);
    bool MenuBarVisible() const { return menuBarVisible_; }
    void SetMenuBarVisible(bool v);
    bool CloseButton() const { return closeButton_; }
    void SetCloseButton(bool v);
    // False: the user cannot resize the window; code still can.
    bool Resizeable() const { return resizeable_; }
    void SetResizeable(bool v);
    bool LiveResize() const { return liveResize_; }
    void SetLiveResize(bool v) { liveResize_ = v; }
    bool MaximizeButton() const { return maximizeButton_; }
    void SetMaximizeButton(bool v);
    bool MinimizeButton() const { return minimizeButton_; }
    void SetMinimizeButton(bool v);
    QString BalloonHelp() const { return balloonHelp_; }
    void SetBalloonHelp(const QString& v) { balloonHelp_ = v; }
    int32_t MacProcID() const { return macProcID_; }
    void SetMacProcID(int32_t v) { macProcID_ = v; }

    // Show restores a minimized window, shows it and brings it to the front.
    void Show();
    // Minimizes the window to the task bar (there is no Dock to bring a hidden
    // window back); Show or the task bar restores it.
    void Hide();
    // Shows the window application-modal and returns when it has closed.
    void ShowModal();
    // Closes the window: raises Close once, then hides it and lets it go.
    void Close();
    bool isClosed() const { return closed_; }
    bool isMinimized() const;

    void SetMenuBar(MenuBarPtr bar);
    MenuBarPtr MenuBar() const { return menuBar_; }
    // Window-level menu handlers, asked before the application's.
    void _AddMenuHandler(const QString& itemName, std::function<bool()> handler);
    bool handleMenu(const QString& itemName);

    // A new control of that kind for this window (not yet registered by name).
    template <class T>
    std::shared_ptr<T> __New() {
        auto control = std::make_shared<T>();
        control->attachToWindow(this);
        return control;
    }
    // Registers a control under its name, in order.
    void _AddControl(const QString& name, ControlPtr control);
    // Nil when there is none (names compared without regard to case).
    ControlPtr controlByName(const QString& name) const;
    const std::vector<ControlPtr>& controls() const { return controls_; }

    QString className() const { return className_; }
    QString describe() const override;
    QWidget* widget() const;
    // The area the controls sit on.
    QWidget* contentWidget() const;
    QMenuBar* qtMenuBar() const;

    // Used by the runtime and the window's widget.
    void setClassName(const QString& name) { className_ = name; }
    void setBuilding(bool building) { building_ = building; }
    void widgetResized(int32_t width, int32_t height);
    void userClose();
    void widgetActivated(bool active);
    // Return or Enter: the default button; Escape: the cancel button, else a
    // dialog (Frame 1) closes as by its close button. True when the key was used.
    bool handleDefaultKey(int key);
    // Gives the focus to the first visible, enabled text field (a window opens ready for typing).
    void focusFirstTextField();

private:
    void applyFlags();
    void applySize();
    void applyBackColor();
    void rebuildMenuBar();
    void finishClose();
    int32_t menuBarHeight() const;

    WindowWidget* widget_;
    QWidget* content_;
    QMenuBar* qmenuBar_ = nullptr;
    MenuBarPtr menuBar_;
    std::map<QString, std::function<bool()>> menuHandlers_;
    std::vector<ControlPtr> controls_;
    QString className_;
    QEventLoop* modalLoop_ = nullptr;
    bool building_ = false, closed_ = false;

    int32_t placement_ = 0, width_ = 300, height_ = 300;
    int32_t minWidth_ = 64, minHeight_ = 64, maxWidth_ = 32000, maxHeight_ = 32000;
    int32_t frame_ = 0;
    bool composite_ = false, hasBackColor_ = false;
    Color backColor_ = RGB(255, 255, 255);
    QString title_;
    bool visible_ = true, fullScreen_ = false, menuBarVisible_ = true, closeButton_ = true;
    bool resizeable_ = true, liveResize_ = true, maximizeButton_ = true, minimizeButton_ = true;
    QString balloonHelp_;
    int32_t macProcID_ = 0;
};

// Builds a window of that class: registers it as the implicit window of the
// class, runs Layout, CreateControls and AddMenuHandlers, then raises its Open
// and after it shows the window when Visible (at once while the runtime runs,
// else when _RuntimeRun starts). The framework keeps the window until it closes.
void buildWindow(const WindowPtr& window, const QString& className);
template <class T>
std::shared_ptr<T> NewWindow(const QString& className) {
    auto window = std::make_shared<T>();
    buildWindow(window, className);
    return window;
}
// The open window built for that class; Nil when none is open.
WindowPtr _GetImplicitWindow(const QString& className);
// The open windows, in the order they were built.
std::vector<WindowPtr> openWindows();
// Drops the framework's lists of implicit and open windows (shut-down).
void releaseWindowLists();

// The window's control of that name; Nil when there is none.
ControlPtr RuntimeWindowControlByName(Window& window, const QString& name);
