// Test environment of the bar tests: windows on a desktop of their own, no
// dialog waits for a user.

#include "afxdlgs.h"
#include "test_support.h"
#include <gtest/gtest.h>

namespace
{

::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new testsupport::CWindowTestEnvironment);

} // namespace
