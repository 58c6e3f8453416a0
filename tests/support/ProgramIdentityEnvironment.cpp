// Linked into the test programs of the program's own code: the framework
// knows the program as start-up tells it (name, folders, resources).
#include <gtest/gtest.h>

#include "app/ProgramIdentity.h"

namespace {

class ProgramIdentityEnvironment : public ::testing::Environment {
public:
    void SetUp() override { SetAppIdentity(ProgramIdentity()); }
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new ProgramIdentityEnvironment);

}  // namespace
