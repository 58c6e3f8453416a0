#pragma once
// A control of a window: a named object with properties and events. Events are
// bound per instance by name (_InstallInstanceEventHandler); a control raises an
// event only when a handler is bound to it.
#include <QString>
#include <cstdint>
#include <map>
#include <memory>

#include "framework/ui/EventHandler.h"
#include "framework/ui/PropertyObject.h"

class Window;
class Control;
using ControlPtr = std::shared_ptr<Control>;

class Control : public PropertyObject {
public:
    Control();
    ~Control() override;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    QString Name() const { return name_; }
    void SetName(const QString& name) { name_ = name; }
    // -2147483648 when the control is not part of a control array.
    int32_t Index() const { return index_; }
    void SetIndex(int32_t index) { index_ = index; }
    // The window the control belongs to; nullptr before Window::__New attached it.
    Window* TrueWindow() const { return window_; }

    // The kind's name: "PushButton", "Timer"...
    virtual QString KindName() const = 0;
    QString describe() const override;

    bool HasEvent(const QString& eventName) const;
    // Throws std::invalid_argument when the control has no such event or the
    // handler's signature is not the event's.
    void installHandler(const QString& eventName, EventHandler handler);
    bool hasHandler(const QString& eventName) const;

    // Called once by Window::__New.
    virtual void attachToWindow(Window* window) { window_ = window; }

protected:
    enum class EventKind { Plain, MouseDown, MouseXY, Drop };
    void DeclareEvent(const char* eventName, EventKind kind);

    // Run the bound handler, if any; exceptions pass to the caller.
    void Raise(const QString& eventName);
    bool RaiseMouseDown(const QString& eventName, int32_t x, int32_t y);  // False when unbound
    void RaiseXY(const QString& eventName, int32_t x, int32_t y);
    void RaiseDrop(const QString& eventName, DragItemPtr item, int32_t action);
    // From a Qt signal or event: an exception goes to the runtime's unhandled-error path.
    void RaiseFromUser(const QString& eventName);

private:
    struct Event {
        EventKind kind;
        EventHandler handler;
        bool bound = false;
    };
    Event* findEvent(const QString& eventName);
    const Event* findEvent(const QString& eventName) const;

    QString name_;
    int32_t index_ = INT32_MIN;
    Window* window_ = nullptr;
    std::map<QString, Event> events_;  // keyed by the lower-case name
};

// Binds a handler to the named event of that one control; throws as installHandler does,
// and std::invalid_argument for a Nil control.
void _InstallInstanceEventHandler(ControlPtr control, const QString& eventName, EventHandler handler);
