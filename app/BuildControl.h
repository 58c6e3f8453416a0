#pragma once
// How a window of the program builds each of its controls, in this order:
// create a control of its kind for the window, register it under its name, look
// it up by name and apply its layout record, then bind each of its events to the
// window's handler (looking it up again for each). Layout values are applied
// before any handler is bound, so they raise no events.
#include <QByteArray>
#include <initializer_list>
#include <memory>

#include "framework/runtime/NilObjectException.h"
#include "framework/ui/EventHandler.h"
#include "framework/ui/LayoutRecord.h"
#include "framework/ui/Window.h"

struct EventBinding {
    const char* event;
    EventHandler handler;
};

template <class Kind>
std::shared_ptr<Kind> BuildControl(Window& window, const char* name, const QByteArray& record,
                                   std::initializer_list<EventBinding> bindings = {}) {
    const QString controlName = QString::fromLatin1(name);
    window._AddControl(controlName, window.__New<Kind>());
    _SetProperties(*RuntimeWindowControlByName(window, controlName), record);
    for (const EventBinding& b : bindings)
        _InstallInstanceEventHandler(RuntimeWindowControlByName(window, controlName), QString::fromLatin1(b.event),
                                     b.handler);
    auto control = std::dynamic_pointer_cast<Kind>(RuntimeWindowControlByName(window, controlName));
    if (!control) throw NilObjectException(name);
    return control;
}
