#include "framework/ui/Control.h"

#include <stdexcept>

#include "framework/runtime/Runtime.h"

namespace {

const char* kindSignature(int index) {
    switch (index) {
    case 0: return "no arguments";
    case 1: return "(x, y) returning Boolean";
    case 2: return "(x, y)";
    default: return "(DragItem, action)";
    }
}

}  // namespace

Control::Control() {
    DeclareString("Name", &Control::Name, &Control::SetName);
    DeclareInt32("Index", &Control::Index, &Control::SetIndex);
}

Control::~Control() = default;

QString Control::describe() const {
    return name_.isEmpty() ? KindName() : QStringLiteral("%1 (%2)").arg(name_, KindName());
}

void Control::DeclareEvent(const char* eventName, EventKind kind) {
    events_[QString::fromLatin1(eventName).toLower()] = Event{kind, {}, false};
}

Control::Event* Control::findEvent(const QString& eventName) {
    auto it = events_.find(eventName.toLower());
    return it == events_.end() ? nullptr : &it->second;
}

const Control::Event* Control::findEvent(const QString& eventName) const {
    auto it = events_.find(eventName.toLower());
    return it == events_.end() ? nullptr : &it->second;
}

bool Control::HasEvent(const QString& eventName) const { return findEvent(eventName) != nullptr; }

bool Control::hasHandler(const QString& eventName) const {
    const Event* e = findEvent(eventName);
    return e && e->bound;
}

void Control::installHandler(const QString& eventName, EventHandler handler) {
    Event* e = findEvent(eventName);
    if (!e)
        throw std::invalid_argument(
            QStringLiteral("%1 has no event \"%2\"").arg(describe(), eventName).toStdString());
    const int wanted = int(e->kind);
    if (int(handler.index()) != wanted)
        throw std::invalid_argument(QStringLiteral("the handler for \"%1\" of %2 must take %3, not %4")
                                        .arg(eventName, describe(), QLatin1String(kindSignature(wanted)),
                                             QLatin1String(kindSignature(int(handler.index()))))
                                        .toStdString());
    if (std::visit([](const auto& f) { return !f; }, handler))
        throw std::invalid_argument(
            QStringLiteral("an empty handler for \"%1\" of %2").arg(eventName, describe()).toStdString());
    e->handler = std::move(handler);
    e->bound = true;
}

void Control::Raise(const QString& eventName) {
    Event* e = findEvent(eventName);
    if (!e || !e->bound) return;
    auto f = std::get<std::function<void()>>(e->handler);  // a copy: the handler may rebind itself
    f();
}

bool Control::RaiseMouseDown(const QString& eventName, int32_t x, int32_t y) {
    Event* e = findEvent(eventName);
    if (!e || !e->bound) return false;
    auto f = std::get<std::function<bool(int32_t, int32_t)>>(e->handler);
    return f(x, y);
}

void Control::RaiseXY(const QString& eventName, int32_t x, int32_t y) {
    Event* e = findEvent(eventName);
    if (!e || !e->bound) return;
    auto f = std::get<std::function<void(int32_t, int32_t)>>(e->handler);
    f(x, y);
}

void Control::RaiseDrop(const QString& eventName, DragItemPtr item, int32_t action) {
    Event* e = findEvent(eventName);
    if (!e || !e->bound) return;
    auto f = std::get<std::function<void(DragItemPtr, int32_t)>>(e->handler);
    f(std::move(item), action);
}

void Control::RaiseFromUser(const QString& eventName) {
    runGuarded([&] { Raise(eventName); });
}

void _InstallInstanceEventHandler(ControlPtr control, const QString& eventName, EventHandler handler) {
    if (!control)
        throw std::invalid_argument(
            QStringLiteral("cannot bind \"%1\": the control is Nil").arg(eventName).toStdString());
    control->installHandler(eventName, std::move(handler));
}
