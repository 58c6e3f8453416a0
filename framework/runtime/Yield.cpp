#include "framework/runtime/Yield.h"

#include <QCoreApplication>

void Yield() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}
