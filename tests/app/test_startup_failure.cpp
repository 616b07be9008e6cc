// Start-up when the system refuses the main window (as a display that is not ready
// does): the program ends with a message instead of crashing.

#include "doc_program.h"
#include "test_support.h"

namespace
{
const char kRefuseWindows[] = "STW_REFUSE_WINDOWS";

// Refuses the child windows this thread tries to make: the main frame's window is made
// and destroyed again when it cannot make its own children.
LRESULT CALLBACK RefuseWindows(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && (((CBT_CREATEWNDA*)lParam)->lpcs->style & WS_CHILD) != 0)
        return 1;
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}
} // namespace

// Run only by the test below, in a process of its own: a crash there cannot take the
// test program with it.
TEST(StartUpWithoutWindows, DISABLED_StartStep)
{
    ASSERT_GT(::GetEnvironmentVariableA(kRefuseWindows, NULL, 0), 0u);
    CMessageBoxRecorder boxes;
    const HHOOK hHook = ::SetWindowsHookExA(WH_CBT, RefuseWindows, NULL, ::GetCurrentThreadId());
    ASSERT_TRUE(hHook != NULL);
    {
        CDocProgram program;
        ::UnhookWindowsHookEx(hHook);
        EXPECT_FALSE(program.m_bStarted);
        EXPECT_TRUE(program.m_pApp->m_pMainWnd == NULL);
    }
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("Stickwell cannot start: the system refused to create its main window.\n"
                 "The display may not be ready yet; please start Stickwell again.",
                 boxes.GetCall(0).m_strText);
    EXPECT_EQ((UINT)MB_ICONSTOP, boxes.GetCall(0).m_nType & MB_ICONMASK);
}

TEST(StartUpWithoutWindows, TheProgramEndsWithAMessageInsteadOfCrashing)
{
    char szExe[MAX_PATH];
    ::GetModuleFileNameA(NULL, szExe, MAX_PATH);
    ::SetEnvironmentVariableA(kRefuseWindows, "1");
    const DWORD dwCode = RunTestInChild(szExe, "StartUpWithoutWindows.DISABLED_StartStep");
    ::SetEnvironmentVariableA(kRefuseWindows, NULL);
    // 0: started, refused, told and ended; a crash ends with an exception code
    EXPECT_EQ(0u, dwCode) << std::hex << dwCode;
}
