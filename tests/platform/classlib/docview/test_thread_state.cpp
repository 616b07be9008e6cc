// The class library's per-thread state: every thread has its own handle maps
// and modal-loop script, and a thread that ends frees them without harm.

#include "docdemo.h"
#include "test_support.h"
#include <gtest/gtest.h>

namespace
{

struct CThreadResult
{
    _AFX_THREAD_STATE* pState = NULL;
    int nPermanentWithWindow = -1;
    int nPermanentAfter = -1;
    int nTemporary = -1;
    CModalLoopScript* pScriptSeen = (CModalLoopScript*)1;
};

// Makes a window, a temporary object and a modal-loop script, then ends
// without cleaning the temporary map.
DWORD WINAPI WindowThread(LPVOID pParam)
{
    CThreadResult* pResult = (CThreadResult*)pParam;
    pResult->pState = AfxGetThreadState();
    pResult->pScriptSeen = CModalLoopScript::GetCurrent();

    CWnd wnd;
    LPCTSTR lpszClass = AfxRegisterWndClass(0);
    if (!wnd.CreateEx(0, lpszClass, "Thread", WS_POPUP, 0, 0, 10, 10, NULL, NULL))
        return 1;
    pResult->nPermanentWithWindow = AfxGetPermanentWindowCount();
    CWnd::FromHandle(::GetDesktopWindow());
    pResult->nTemporary = AfxGetTemporaryWindowCount();
    {
        CModalLoopScript script;
    }
    wnd.DestroyWindow();
    pResult->nPermanentAfter = AfxGetPermanentWindowCount();
    return 0;
}

} // namespace

TEST(ThreadState, EveryThreadHasItsOwnStateAndEndsCleanly)
{
    _AFX_THREAD_STATE* pMainState = AfxGetThreadState();
    int nMainWindows = AfxGetPermanentWindowCount();
    CModalLoopScript mainScript;

    for (int i = 0; i < 25; i++)
    {
        CThreadResult result;
        HANDLE hThread = ::CreateThread(NULL, 0, WindowThread, &result, 0, NULL);
        ASSERT_TRUE(hThread != NULL);
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, 10000));
        DWORD dwExit = 99;
        ::GetExitCodeThread(hThread, &dwExit);
        ::CloseHandle(hThread);

        EXPECT_EQ(0u, dwExit);
        EXPECT_NE(pMainState, result.pState);
        EXPECT_EQ(NULL, result.pScriptSeen) << "the main thread's script is not the thread's";
        EXPECT_EQ(1, result.nPermanentWithWindow);
        EXPECT_EQ(1, result.nTemporary);
        EXPECT_EQ(0, result.nPermanentAfter);
    }

    // the main thread's state is untouched
    EXPECT_EQ(pMainState, AfxGetThreadState());
    EXPECT_EQ(pMainState, AfxGetThreadStateIfAlive());
    EXPECT_EQ(nMainWindows, AfxGetPermanentWindowCount());
    EXPECT_EQ(&mainScript, CModalLoopScript::GetCurrent());
}
