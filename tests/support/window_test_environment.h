// window_test_environment.h - the environment of test programs that open windows
// and dialogs.

#pragma once

#include <gtest/gtest.h>

namespace testsupport
{

// No dialog waits for a user: the windows are on a desktop of their own (focus and
// activation are not shared with other test programs), a dialog nobody ends is
// cancelled after 3 s, and the failures of dialog scripts are test failures.
class CWindowTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override;
};

} // namespace testsupport

// Dispatches every message queued for this thread (a quit message is dropped).
void PumpPendingMessages();
