#include "framework/ui/QuitMenuItem.h"

#include "framework/runtime/Runtime.h"

bool QuitMenuItem::defaultAction() {
    Quit(0);
    return true;
}
