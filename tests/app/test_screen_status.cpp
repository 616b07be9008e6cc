// The status bar's progress control while the main window changes size: it stays in its
// pane, over none of the others.

#include "doc_program.h"
#include "test_support.h"
#include "window_test_environment.h"
#include "app/MainFrm.h"
#include "afxbars.h"

namespace
{

TEST(ScreenStatus, ProgressBarFollowsItsPaneAsTheMainWindowNarrowsAndWidens)
{
    CDocProgram program;
    CMainFrame* pMain = (CMainFrame*)AfxGetMainWnd();
    ASSERT_TRUE(pMain != NULL);
    pMain->SetWindowPos(NULL, 0, 0, 900, 600, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpPendingMessages();
    ASSERT_TRUE(pMain->BeginProgress(100));
    pMain->StepProgress();
    CStatusBar* pBar = DYNAMIC_DOWNCAST(CStatusBar, pMain->GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE));
    ASSERT_TRUE(pBar != NULL);

    for (int nWidth : {500, 700, 300, 1000})
    {
        pMain->SetWindowPos(NULL, 0, 0, nWidth, 600, SWP_NOZORDER | SWP_NOACTIVATE);
        PumpPendingMessages();
        CRect rectPane, rectProgress;
        pBar->GetItemRect(0, &rectPane);
        pMain->m_wndProgressBar.GetWindowRect(&rectProgress);
        pBar->ScreenToClient(&rectProgress);
        // no label and the whole width: the pane less a tenth of its height above and below
        EXPECT_EQ(rectPane.left, rectProgress.left) << nWidth;
        EXPECT_EQ(rectPane.right, rectProgress.right) << nWidth;
        EXPECT_EQ(rectPane.top + rectPane.Height() / 10, rectProgress.top) << nWidth;
    }
    pMain->m_wndProgressBar.Clear();
}

} // namespace
