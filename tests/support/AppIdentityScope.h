#pragma once
// Hands the framework another identity for the life of the object, then gives
// the one before back.
#include "framework/core/AppIdentity.h"

class AppIdentityScope {
public:
    explicit AppIdentityScope(const AppIdentity& identity) : saved_(CurrentAppIdentity()) { SetAppIdentity(identity); }
    ~AppIdentityScope() { SetAppIdentity(saved_); }
    AppIdentityScope(const AppIdentityScope&) = delete;
    AppIdentityScope& operator=(const AppIdentityScope&) = delete;

private:
    AppIdentity saved_;
};
