#pragma once
// What the program tells the framework about itself at start-up.
#include "framework/core/AppIdentity.h"

AppIdentity ProgramIdentity();
