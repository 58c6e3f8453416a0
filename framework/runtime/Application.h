#pragma once
// The application object: one per run, registered with _RuntimeRegisterAppObject.
// Its events: Open before any window's Open, Close once when the program quits,
// Activate and Deactivate when the application gains or loses the front (it is
// active while one of its windows, dialogs included, is active), CommitData when
// the session asks the program to save what it would save on quitting (a
// logout, or the end of the display connection: the program may not get to quit).
#include <QString>
#include <functional>
#include <map>
#include <memory>

#include "framework/ui/MenuBar.h"

class Application {
public:
    virtual ~Application() = default;

    virtual void Event_Open() {}
    virtual void Event_Close() {}
    virtual void Event_Activate() {}
    virtual void Event_Deactivate() {}
    virtual void Event_CommitData() {}

    MenuBarPtr MenuBar() const { return menuBar_; }
    void SetMenuBar(MenuBarPtr bar) { menuBar_ = std::move(bar); }
    // The project's version ("1.0.0").
    QString ShortVersion() const;

    // A handler for the menu item of that name; it returns True when it handled the choice.
    void _AddMenuHandler(const QString& itemName, std::function<bool()> handler);
    // Runs the item's handler; False when there is none or it returned False.
    bool handleMenu(const QString& itemName);

private:
    MenuBarPtr menuBar_;
    std::map<QString, std::function<bool()>> menuHandlers_;  // keyed by the lower-case name
};
using ApplicationPtr = std::shared_ptr<Application>;
