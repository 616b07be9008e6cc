// Print preview and bars: the frame hides its docked and floating bars (the
// status bar stays for the page numbers) and shows them again afterwards.

#include "bartest.h"

TEST_F(BarsTest, PreviewHidesTheBarsAndGivesThemBack)
{
    CToolBar& bar1 = m_pFrame->m_wndToolBar;
    CToolBar& bar2 = m_pFrame->m_wndToolBar2;
    bar1.EnableDocking(CBRS_ALIGN_ANY);
    bar2.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&bar1, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->FloatControlBar(&bar2, CPoint(400, 300));
    m_pFrame->RecalcLayout();
    HWND hWndMini = bar2.GetDockingFrame()->m_hWnd;
    ASSERT_TRUE(::IsWindowVisible(hWndMini));

    CPrintPreviewState state;
    m_pFrame->OnSetPreviewMode(TRUE, &state);
    m_pFrame->RecalcLayout();
    EXPECT_FALSE(bar1.IsWindowVisible());
    EXPECT_FALSE(::IsWindowVisible(hWndMini));
    EXPECT_TRUE(m_pFrame->m_wndStatusBar.IsWindowVisible());
    CRect rectClient;
    m_pFrame->GetClientRect(rectClient);
    CRect rectStatus = m_pFrame->ChildRect(&m_pFrame->m_wndStatusBar);
    EXPECT_EQ(rectClient.bottom, rectStatus.bottom);

    m_pFrame->OnSetPreviewMode(FALSE, &state);
    m_pFrame->RecalcLayout();
    EXPECT_TRUE(bar1.IsWindowVisible());
    EXPECT_TRUE(::IsWindowVisible(hWndMini));
    EXPECT_TRUE(bar2.IsWindowVisible());
    EXPECT_TRUE(bar2.IsFloating());
    EXPECT_EQ(m_pFrame->ChildRect(bar1.m_pDockBar).right, m_pFrame->PaneRect().left);
}
