// A narrow main window: the docked Properties bar gives up width before the design view
// does, down to its minimum, and gets it back when the window grows again.

#include "doc_program.h"
#include "app/MainFrm.h"
#include "app/PropertiesBar.h"

namespace
{

CRect WindowRectIn(CWnd* pFrame, HWND hWnd)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    pFrame->ScreenToClient(&rect);
    return rect;
}

} // namespace

TEST(NarrowMainWindow, PropertiesBarGivesUpWidthBeforeTheDesignView)
{
    CMessageBoxRecorder boxes;
    CDocProgram program;
    ASSERT_TRUE(program.m_bStarted);
    CMainFrame* pFrame = DYNAMIC_DOWNCAST(CMainFrame, program.m_pApp->m_pMainWnd);
    ASSERT_TRUE(pFrame != NULL && pFrame->m_pPropertiesBar != NULL);
    ASSERT_TRUE(program.NewShownDoc() != NULL);
    CVarnelView* pView = program.ActiveView();
    ASSERT_TRUE(pView != NULL);
    CPropertiesBar* pBar = pFrame->m_pPropertiesBar;
    auto resize = [&](int cx) {
        pFrame->SetWindowPos(NULL, 0, 0, cx, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        PumpPendingMessages();
        pFrame->RecalcLayout();
        PumpPendingMessages();
    };
    resize(900);
    const int nBarWide = WindowRectIn(pFrame, pBar->m_hWnd).Width();
    CRect rectView;
    pView->GetClientRect(&rectView);
    ASSERT_GT(rectView.Width(), 300);

    for (int cx : { 420, 340, 290 })
    {
        SCOPED_TRACE(testing::Message() << "main window " << cx << " pixels wide");
        resize(cx);
        const CRect rectBar = WindowRectIn(pFrame, pBar->m_hWnd);
        const CRect rectClient = WindowRectIn(pFrame, pFrame->m_hWndMDIClient);
        pView->GetClientRect(&rectView);
        // the bar gives up width first: the publications keep 240 pixels while the bar is
        // wider than its minimum, and the view a usable width
        EXPECT_LT(rectBar.Width(), nBarWide);
        EXPECT_GE(rectBar.Width(), pBar->GetThicknessMinimum());
        EXPECT_TRUE(rectClient.Width() >= 240 || rectBar.Width() == pBar->GetThicknessMinimum())
            << rectClient.Width() << " pixels beside a bar of " << rectBar.Width();
        EXPECT_GE(rectView.Width(), 100);
        EXPECT_GT(rectBar.Width(), 0);
        EXPECT_LE(rectClient.right, rectBar.left);
        EXPECT_TRUE(pBar->IsWindowVisible());
    }
    // wide again: the bar has its width back
    resize(900);
    EXPECT_EQ(WindowRectIn(pFrame, pBar->m_hWnd).Width(), nBarWide);
}
