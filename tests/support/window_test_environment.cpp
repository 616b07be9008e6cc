// window_test_environment.cpp - CWindowTestEnvironment.

#include "window_test_environment.h"
#include "dialog_script.h"
#include "afxole.h"

#include <objidl.h>
#include <gdiplus.h>

#include <stdio.h>

namespace
{
void AFXAPI ReportDialogFailure(LPCTSTR lpszText)
{
    ADD_FAILURE() << "dialog script: " << lpszText;
}
} // namespace

namespace testsupport
{

void CWindowTestEnvironment::SetUp()
{
    if (!CDialogScript::UsePrivateDesktop())
        printf("no private desktop: error %lu\n", ::GetLastError());
    CDialogScript::SetWatchdog(3000);
    CDialogScript::SetFailureHandler(ReportDialogFailure);
}

void CDrawingTestEnvironment::SetUp()
{
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_nGdiplusToken, &input, NULL));
    CWindowTestEnvironment::SetUp();
    if (m_bOle)
        AfxOleInit();
}

void CDrawingTestEnvironment::TearDown()
{
    if (m_bOle)
        AfxOleTerm();
    Gdiplus::GdiplusShutdown(m_nGdiplusToken);
}

} // namespace testsupport

void PumpPendingMessages()
{
    // Each message is taken off the queue by the peek itself: a hook (a tracking popup's)
    // may swallow a message, and a blocking get after a peek would then wait for the next.
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT || msg.message == WM_KICKIDLE)
            continue;
        CWinThread* pThread = AfxGetThread();
        MSG* pMsg = pThread != NULL ? &pThread->m_msgCur : &AfxGetThreadState()->m_msgCur;
        *pMsg = msg;
        const BOOL bTaken = pThread != NULL ? pThread->PreTranslateMessage(pMsg)
                                            : CWnd::WalkPreTranslateTree(NULL, pMsg);
        if (!bTaken)
        {
            ::TranslateMessage(pMsg);
            ::DispatchMessageA(pMsg);
        }
    }
}
