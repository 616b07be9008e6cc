// Test environment of the data tests: the data-source and data-entry dialogs run, and
// none may wait for a user.

#include "test_support.h"

namespace
{

::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new testsupport::CWindowTestEnvironment);

} // namespace
