#include "framework/ui/Window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QResizeEvent>
#include <QTimer>
#include <algorithm>
#include <stdexcept>

#include "framework/runtime/HandlerScope.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/EditField.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/RectControl.h"

// The top-level widget: the menu bar on top, the content area below it.
class WindowWidget : public QWidget {
public:
    WindowWidget(Window* window) : window_(window), content(new QWidget(this)) {
        content->setObjectName(QStringLiteral("content"));
    }

    void layoutChildren() {
        const int bar = menuBar ? barHeight : 0;
        if (menuBar) menuBar->setGeometry(0, 0, width(), bar);
        content->setGeometry(0, bar, width(), std::max(0, height() - bar));
    }

    Window* window_;
    QWidget* content;
    QMenuBar* menuBar = nullptr;
    int barHeight = 0;  // what the menu bar takes of the height; 0 while it is hidden

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        layoutChildren();
        window_->widgetResized(content->width(), content->height());
    }

    void closeEvent(QCloseEvent* event) override {
        if (handlerRunning()) {
            // The close button pressed while a handler yields: close once it has returned.
            event->ignore();
            runAfterHandlers([weak = window_->weak_from_this()] {
                if (WindowPtr w = weak.lock()) w->userClose();
            });
            return;
        }
        window_->userClose();
        event->accept();
    }

    bool event(QEvent* event) override {
        if (event->type() == QEvent::WindowActivate) window_->widgetActivated(true);
        else if (event->type() == QEvent::WindowDeactivate) window_->widgetActivated(false);
        return QWidget::event(event);
    }
};

// Return and Enter press the window's default button, Escape its cancel button
// (or closes a dialog that has none), whatever control has the focus and
// whatever the platform's theme lets focused buttons and check boxes do with
// Return; a multi-line text field keeps Return (it marks itself with the
// property below), and an open popup list is a window of its own. Auto-repeat
// never presses the default button again.
class DefaultKeyFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool press = event->type() == QEvent::KeyPress;
        if ((!press && event->type() != QEvent::KeyRelease) || !watched->isWidgetType()) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        const bool isReturn = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (mods != Qt::NoModifier || (!isReturn && key->key() != Qt::Key_Escape)) return false;
        auto* widget = static_cast<QWidget*>(watched);
        auto* top = dynamic_cast<WindowWidget*>(widget->window());
        if (!top || widget->property(EditField::kTakesReturnProperty).toBool()) return false;
        // X11 repeats a held key as a release and a press with the same time; Qt
        // tells them apart only while it reads the events as they come, not when
        // they waited in the queue during a handler.
        const bool repeat = key->isAutoRepeat() || (key->timestamp() != 0 && key->timestamp() == lastRelease_);
        if (!press) {
            lastRelease_ = key->timestamp();
            return false;
        }
        if (repeat) return isReturn;
        return top->window_->handleDefaultKey(key->key());
    }

private:
    quint64 lastRelease_ = 0;  // the time of the last release of Return, Enter or Escape
};

namespace {

struct Registry {
    std::vector<WindowPtr> open;               // in the order they were built
    std::map<QString, WindowPtr> implicit;     // by class name
    std::vector<WindowPtr> closed;             // let go at the next turn of the event loop
};

// Never destroyed: widgets must not outlive the QApplication, so whatever is
// left at exit is left alone rather than deleted after it.
Registry& registry() {
    static Registry* r = new Registry;
    return *r;
}

// Drops the closed windows; runs from the event loop, never inside a window's own event.
void releaseClosed() {
    std::vector<WindowPtr> closed;
    closed.swap(registry().closed);
}

void forget(Window* window) {
    Registry& r = registry();
    for (auto it = r.implicit.begin(); it != r.implicit.end();) {
        if (it->second.get() == window) it = r.implicit.erase(it);
        else ++it;
    }
    r.open.erase(std::remove_if(r.open.begin(), r.open.end(), [window](const WindowPtr& w) { return w.get() == window; }),
                 r.open.end());
}

}  // namespace

Window::Window() : widget_(new WindowWidget(this)), content_(widget_->content) {
    static QPointer<DefaultKeyFilter> keyFilter;
    if (!keyFilter && QCoreApplication::instance()) {
        keyFilter = new DefaultKeyFilter(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(keyFilter);
    }
    widget_->setAttribute(Qt::WA_DeleteOnClose, false);
    DeclareInt32("Placement", &Window::Placement, &Window::SetPlacement);
    DeclareInt32("Width", &Window::Width, &Window::SetWidth);
    DeclareInt32("Height", &Window::Height, &Window::SetHeight);
    DeclareInt32("MinWidth", &Window::MinWidth, &Window::SetMinWidth);
    DeclareInt32("MinHeight", &Window::MinHeight, &Window::SetMinHeight);
    DeclareInt32("MaxWidth", &Window::MaxWidth, &Window::SetMaxWidth);
    DeclareInt32("MaxHeight", &Window::MaxHeight, &Window::SetMaxHeight);
    DeclareInt32("Frame", &Window::Frame, &Window::SetFrame);
    DeclareBoolean("Composite", &Window::Composite, &Window::SetComposite);
    DeclareBoolean("HasBackColor", &Window::HasBackColor, &Window::SetHasBackColor);
    DeclareColor("BackColor", &Window::BackColor, &Window::SetBackColor);
    DeclareString("Title", &Window::Title, &Window::SetTitle);
    DeclareBoolean("Visible", &Window::Visible, &Window::SetVisible);
    DeclareBoolean("FullScreen", &Window::FullScreen, &Window::SetFullScreen);
    DeclareBoolean("MenuBarVisible", &Window::MenuBarVisible, &Window::SetMenuBarVisible);
    DeclareBoolean("CloseButton", &Window::CloseButton, &Window::SetCloseButton);
    DeclareBoolean("Resizeable", &Window::Resizeable, &Window::SetResizeable);
    DeclareBoolean("LiveResize", &Window::LiveResize, &Window::SetLiveResize);
    DeclareBoolean("MaximizeButton", &Window::MaximizeButton, &Window::SetMaximizeButton);
    DeclareBoolean("MinimizeButton", &Window::MinimizeButton, &Window::SetMinimizeButton);
    DeclareString("BalloonHelp", &Window::BalloonHelp, &Window::SetBalloonHelp);
    DeclareInt32("MacProcID", &Window::MacProcID, &Window::SetMacProcID);
    applyFlags();
    applySize();
}

Window::~Window() {
    if (modalLoop_) modalLoop_->exit(0);
    controls_.clear();  // their widgets live on the content area
    delete widget_;
}

QString Window::describe() const { return className_.isEmpty() ? QStringLiteral("a window") : className_; }

QWidget* Window::widget() const { return widget_; }

QWidget* Window::contentWidget() const { return content_; }

QMenuBar* Window::qtMenuBar() const { return qmenuBar_; }

bool Window::isMinimized() const { return widget_->isMinimized(); }

// ---- size and place ----

int32_t Window::menuBarHeight() const {
    return qmenuBar_ && menuBarVisible_ ? qmenuBar_->sizeHint().height() : 0;
}

void Window::applySize() {
    const int bar = menuBarHeight();
    widget_->barHeight = bar;
    if (qmenuBar_) qmenuBar_->setVisible(menuBarVisible_);
    const QSize total(std::max(0, width_), std::max(0, height_) + bar);
    if (resizeable_) {
        widget_->setMinimumSize(std::max(0, minWidth_), std::max(0, minHeight_) + bar);
        widget_->setMaximumSize(std::clamp(maxWidth_, 0, QWIDGETSIZE_MAX),
                                std::clamp(maxHeight_, 0, QWIDGETSIZE_MAX - bar) + bar);
        widget_->resize(total);
    } else {
        widget_->setFixedSize(total);
    }
    // A hidden widget gets its resize event only when shown; place the parts now.
    if (qmenuBar_) qmenuBar_->setGeometry(0, 0, total.width(), bar);
    content_->setGeometry(0, bar, total.width(), total.height() - bar);
}

void Window::SetWidth(int32_t v) {
    const int32_t delta = v - width_;
    width_ = v;
    for (const ControlPtr& c : controls_)
        if (auto* rc = dynamic_cast<RectControl*>(c.get())) rc->followWindowResize(delta, 0);
    applySize();
}

void Window::SetHeight(int32_t v) {
    const int32_t delta = v - height_;
    height_ = v;
    for (const ControlPtr& c : controls_)
        if (auto* rc = dynamic_cast<RectControl*>(c.get())) rc->followWindowResize(0, delta);
    applySize();
}

void Window::widgetResized(int32_t width, int32_t height) {
    // Our own resizes arrive with the size already recorded; anything else is the user's.
    if (width == width_ && height == height_) return;
    const int32_t dw = width - width_, dh = height - height_;
    width_ = width;
    height_ = height;
    for (const ControlPtr& c : controls_)
        if (auto* rc = dynamic_cast<RectControl*>(c.get())) rc->followWindowResize(dw, dh);
}

// Top and Left are the content area's, like Width and Height: the frame the
// window manager adds (and learns only once the window is shown) is left out,
// and the client is placed with a static gravity, so a rectangle read and set
// again comes back to the same place with or without a window manager.
int32_t Window::Top() const { return widget_->geometry().y() + widget_->barHeight; }

void Window::SetTop(int32_t v) {
    const QRect g = widget_->geometry();
    widget_->setGeometry(g.x(), v - widget_->barHeight, g.width(), g.height());
}

int32_t Window::Left() const { return widget_->geometry().x(); }

void Window::SetLeft(int32_t v) {
    const QRect g = widget_->geometry();
    widget_->setGeometry(v, g.y(), g.width(), g.height());
}

void Window::SetMinWidth(int32_t v) {
    minWidth_ = v;
    applySize();
}

void Window::SetMinHeight(int32_t v) {
    minHeight_ = v;
    applySize();
}

void Window::SetMaxWidth(int32_t v) {
    maxWidth_ = v;
    applySize();
}

void Window::SetMaxHeight(int32_t v) {
    maxHeight_ = v;
    applySize();
}

void Window::SetResizeable(bool v) {
    resizeable_ = v;
    if (v) {
        widget_->setMinimumSize(0, 0);
        widget_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    applySize();
    applyFlags();
}

// ---- frame and look ----

void Window::applyFlags() {
    Qt::WindowFlags flags = frame_ == 1 ? Qt::Dialog : Qt::Window;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (closeButton_) flags |= Qt::WindowCloseButtonHint;
    if (minimizeButton_) flags |= Qt::WindowMinimizeButtonHint;
    if (maximizeButton_ && resizeable_) flags |= Qt::WindowMaximizeButtonHint;
    const Qt::WindowModality modality = frame_ == 1 ? Qt::ApplicationModal : Qt::NonModal;
    if (widget_->windowFlags() == flags && widget_->windowModality() == modality) return;
    const bool shown = widget_->isVisible();
    if (shown) widget_->hide();  // modality can only change while hidden
    widget_->setWindowFlags(flags);
    widget_->setWindowModality(modality);
    if (shown) widget_->show();
}

void Window::SetFrame(int32_t v) {
    frame_ = v;
    applyFlags();
}

void Window::SetCloseButton(bool v) {
    closeButton_ = v;
    applyFlags();
}

void Window::SetMaximizeButton(bool v) {
    maximizeButton_ = v;
    applyFlags();
}

void Window::SetMinimizeButton(bool v) {
    minimizeButton_ = v;
    applyFlags();
}

void Window::applyBackColor() {
    if (hasBackColor_) {
        QPalette palette = widget_->palette();
        palette.setColor(QPalette::Window, QColor(backColor_.red, backColor_.green, backColor_.blue));
        widget_->setPalette(palette);
        widget_->setAutoFillBackground(true);
    } else {
        widget_->setPalette(QPalette());
        widget_->setAutoFillBackground(false);
    }
}

void Window::SetHasBackColor(bool v) {
    hasBackColor_ = v;
    applyBackColor();
}

void Window::SetBackColor(Color c) {
    backColor_ = c;
    applyBackColor();
}

void Window::SetTitle(const QString& v) {
    title_ = v;
    widget_->setWindowTitle(v);
}

void Window::SetFullScreen(bool v) {
    fullScreen_ = v;
    if (building_ || closed_ || !widget_->isVisible()) return;
    if (v) widget_->showFullScreen();
    else widget_->showNormal();
}

void Window::SetMenuBarVisible(bool v) {
    menuBarVisible_ = v;
    applySize();
}

// ---- showing, hiding, closing ----

void Window::SetVisible(bool v) {
    visible_ = v;
    if (building_ || closed_) return;
    if (v) Show();
    else widget_->hide();
}

void Window::Show() {
    if (closed_) return;
    visible_ = true;
    if (fullScreen_) {
        widget_->showFullScreen();
    } else {
        widget_->setWindowState(widget_->windowState() & ~(Qt::WindowMinimized | Qt::WindowFullScreen));
        widget_->show();
    }
    widget_->raise();
    widget_->activateWindow();
}

void Window::Hide() {
    if (closed_) return;
    widget_->showMinimized();
}

void Window::ShowModal() {
    if (closed_) return;
    const WindowPtr self = weak_from_this().lock();  // closing lets the framework drop it
    if (widget_->windowModality() != Qt::ApplicationModal) {
        widget_->hide();
        widget_->setWindowModality(Qt::ApplicationModal);
    }
    Show();
    if (closed_) return;
    QEventLoop loop;
    modalLoop_ = &loop;
    registerModalLoop(&loop);
    {
        const ModalLoopScope modal;
        loop.exec();
    }
    unregisterModalLoop(&loop);
    modalLoop_ = nullptr;
    rethrowPendingException();
}

void Window::Close() {
    if (closed_) return;
    closed_ = true;
    try {
        Event_Close();
    } catch (...) {
        finishClose();
        throw;
    }
    finishClose();
}

void Window::finishClose() {
    widget_->hide();
    if (modalLoop_) modalLoop_->exit(0);
    // Keep the object until control is back in the event loop: we may be inside its own widget's event.
    if (WindowPtr self = weak_from_this().lock()) {
        registry().closed.push_back(self);
        QTimer::singleShot(0, qApp, releaseClosed);
    }
    forget(this);
}

void Window::userClose() {
    if (closed_) return;
    const WindowPtr self = weak_from_this().lock();
    runGuarded([this] { Close(); });
}

void Window::widgetActivated(bool active) {
    if (closed_) return;
    if (handlerRunning()) {
        // Activation while a handler yields: raised once that handler has returned.
        runAfterHandlers([weak = weak_from_this(), active] {
            if (WindowPtr w = weak.lock()) w->widgetActivated(active);
        });
        return;
    }
    runGuarded([this, active] {
        if (active) Event_Activate();
        else Event_Deactivate();
    });
}

void Window::focusFirstTextField() {
    for (const ControlPtr& c : controls_) {
        auto* field = dynamic_cast<EditField*>(c.get());
        if (field && field->Visible() && field->Enabled() && field->widget()) {
            field->widget()->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

bool Window::handleDefaultKey(int key) {
    if (closed_) return false;
    const bool isReturn = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!isReturn && key != Qt::Key_Escape) return false;
    for (const ControlPtr& c : controls_) {
        auto* button = dynamic_cast<PushButton*>(c.get());
        if (!button || !button->Visible() || !button->Enabled()) continue;
        if (isReturn ? button->Default() : button->Cancel()) {
            button->Push();
            return true;
        }
    }
    // A dialog without a cancel button closes on Escape, as the platform's
    // message boxes do: the way its close button closes it.
    if (!isReturn && frame_ == 1 && closeButton_) {
        widget_->close();
        return true;
    }
    return false;
}

// ---- menus ----

namespace {

void addItems(QMenu* menu, const MenuItemPtr& parent, Window* window) {
    for (int32_t i = 0; i < parent->Count(); ++i) {
        const MenuItemPtr item = parent->Item(i);
        if (item->IsSeparator()) {
            menu->addSeparator();
        } else if (item->Count() > 0) {
            QMenu* sub = menu->addMenu(item->Text());
            sub->setObjectName(item->Name());
            addItems(sub, item, window);
        } else {
            QAction* action = menu->addAction(item->Text());
            action->setObjectName(item->Name());
            action->setShortcut(item->shortcut());
            action->setEnabled(item->Enabled());
            QObject::connect(action, &QAction::triggered, action,
                             [item, window] { runGuarded([&] { chooseMenuItem(item, window); }); });
        }
    }
}

}  // namespace

void Window::rebuildMenuBar() {
    delete qmenuBar_;
    qmenuBar_ = nullptr;
    widget_->menuBar = nullptr;
    if (menuBar_) {
        qmenuBar_ = new QMenuBar(widget_);
        qmenuBar_->setNativeMenuBar(false);
        for (int32_t i = 0; i < menuBar_->Count(); ++i) {
            const MenuItemPtr menu = menuBar_->Item(i);
            if (menu->Count() > 0 || !menu->Name().isEmpty()) {
                QMenu* m = qmenuBar_->addMenu(menu->Text());
                m->setObjectName(menu->Name());
                addItems(m, menu, this);
            }
        }
        widget_->menuBar = qmenuBar_;
    }
    applySize();
}

void Window::SetMenuBar(MenuBarPtr bar) {
    menuBar_ = std::move(bar);
    rebuildMenuBar();
}

void Window::_AddMenuHandler(const QString& itemName, std::function<bool()> handler) {
    menuHandlers_[itemName.toLower()] = std::move(handler);
}

bool Window::handleMenu(const QString& itemName) {
    auto it = menuHandlers_.find(itemName.toLower());
    if (it == menuHandlers_.end() || !it->second) return false;
    auto handler = it->second;
    return handler();
}

// ---- controls ----

void Window::_AddControl(const QString& name, ControlPtr control) {
    if (!control) throw std::invalid_argument(QStringLiteral("%1: control \"%2\" is Nil").arg(describe(), name).toStdString());
    control->SetName(name);
    controls_.push_back(std::move(control));
}

ControlPtr Window::controlByName(const QString& name) const {
    for (const ControlPtr& c : controls_)
        if (c->Name().compare(name, Qt::CaseInsensitive) == 0) return c;
    return nullptr;
}

ControlPtr RuntimeWindowControlByName(Window& window, const QString& name) { return window.controlByName(name); }

// ---- the framework's windows ----

void buildWindow(const WindowPtr& window, const QString& className) {
    if (!window) throw std::invalid_argument("cannot build a Nil window");
    window->setClassName(className);
    Registry& r = registry();
    r.implicit[className] = window;
    r.open.push_back(window);
    window->setBuilding(true);
    try {
        window->Layout();
        window->CreateControls();
        window->AddMenuHandlers();
    } catch (...) {
        window->setBuilding(false);
        forget(window.get());
        throw;
    }
    window->setBuilding(false);
    window->focusFirstTextField();  // a window opens ready for typing
    // A window appears once its Open has run, so the place and size Open
    // restores reach the window manager with the first map, not as a move after it.
    std::weak_ptr<Window> weak = window;
    const auto open = [weak] {
        WindowPtr w = weak.lock();
        if (!w || w->isClosed()) return;
        w->Event_Open();
        if (!w->isClosed() && w->Visible() && !w->widget()->isVisible()) w->Show();
    };
    if (runtimeRunning()) open();
    else queueWindowOpen(open);
}

WindowPtr _GetImplicitWindow(const QString& className) {
    Registry& r = registry();
    auto it = r.implicit.find(className);
    if (it == r.implicit.end() || it->second->isClosed()) return nullptr;
    return it->second;
}

std::vector<WindowPtr> openWindows() { return registry().open; }

void releaseWindowLists() {
    Registry& r = registry();
    r.implicit.clear();
    std::vector<WindowPtr> open;
    open.swap(r.open);
    open.clear();
    releaseClosed();
}
