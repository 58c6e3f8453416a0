#include "framework/ui/QuitMenuItem.h"

#include "framework/runtime/Runtime.h"

bool QuitMenuItem::_DefaultAction() {
    Quit(0);
    return true;
}
