// window_test_environment.h - the environment of test programs that open windows
// and dialogs.

#pragma once

#include <windows.h>

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

// The same for programs that draw: GDI+ runs for the whole program, and OLE too when
// asked.
class CDrawingTestEnvironment : public CWindowTestEnvironment
{
public:
    explicit CDrawingTestEnvironment(bool bOle) : m_bOle(bOle) {}
    void SetUp() override;
    void TearDown() override;

private:
    bool m_bOle;
    ULONG_PTR m_nGdiplusToken = 0;
};

} // namespace testsupport

// Dispatches every message queued for this thread (a quit message is dropped).
void PumpPendingMessages();
