// Floating bars: a floating bar lives in a mini frame owned by its frame, goes
// back to its side (and to its old place in the row), the mini frame goes when
// its last bar leaves and hides with its bars; dragging with the mouse docks
// or floats a bar where it is dropped, Esc cancels.

#include "bartest.h"

namespace
{

class FloatingTest : public BarsTest
{
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        if (m_pFrame == NULL || m_pFrame->m_hWnd == NULL)
            return;
        m_pFrame->m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->m_wndToolBar2.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(&m_pFrame->m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
        m_pFrame->DockControlBar(&m_pFrame->m_wndToolBar2, AFX_IDW_DOCKBAR_TOP);
        m_pFrame->RecalcLayout();
    }

    CDockBar* DockBar(UINT nID)
    {
        return (CDockBar*)m_pFrame->GetControlBar(nID);
    }

    // A drag with the mouse from ptFrom to ptTo (the bar's client coordinates),
    // the messages queued before the drag's loop reads them.
    void Drag(CControlBar* pBar, CPoint ptFrom, CPoint ptTo, BOOL bCancel = FALSE)
    {
        HWND hWnd = pBar->m_hWnd;
        CPoint ptMid((ptFrom.x + ptTo.x) / 2, (ptFrom.y + ptTo.y) / 2);
        ::PostMessageA(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptMid.x, ptMid.y));
        ::PostMessageA(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptTo.x, ptTo.y));
        if (bCancel)
            ::PostMessageA(hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        else
            ::PostMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(ptTo.x, ptTo.y));
        CPoint ptScreen = ptFrom;
        pBar->ClientToScreen(&ptScreen);
        pBar->m_pDockContext->StartDrag(ptScreen);
    }
};

} // namespace

TEST_F(FloatingTest, FloatingMakesAMiniFrameAndDockingBackDestroysIt)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    CRect rectPaneDocked = m_pFrame->PaneRect();
    m_pFrame->FloatControlBar(&bar, CPoint(300, 250));
    m_pFrame->RecalcLayout();

    ASSERT_TRUE(bar.IsFloating());
    CFrameWnd* pMini = bar.GetDockingFrame();
    ASSERT_TRUE(pMini != NULL);
    ASSERT_TRUE(pMini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    HWND hWndMini = pMini->m_hWnd;
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_EQ(m_pFrame->m_hWnd, ::GetWindow(hWndMini, GW_OWNER));
    EXPECT_EQ(&((CMiniDockFrameWnd*)pMini)->m_wndDockBar, bar.m_pDockBar);
    EXPECT_EQ(AFX_IDW_DOCKBAR_FLOAT, bar.m_pDockBar->GetDlgCtrlID());
    EXPECT_TRUE((bar.GetBarStyle() & CBRS_FLOATING) != 0);
    CString strCaption;
    pMini->GetWindowText(strCaption);
    EXPECT_STREQ("Standard", strCaption);

    // the frame sits at the point, sized to the bar
    CRect rectMini;
    pMini->GetWindowRect(rectMini);
    EXPECT_EQ(CPoint(300, 250), rectMini.TopLeft());
    CRect rectBar;
    bar.GetWindowRect(rectBar);
    CRect rectMiniClient;
    pMini->GetClientRect(rectMiniClient);
    EXPECT_EQ(rectBar.Size(), rectMiniClient.Size());

    // the top row is left to the other bar: the pane moves up by one row
    EXPECT_LT(m_pFrame->PaneRect().top, rectPaneDocked.top);
    EXPECT_EQ(-1, DockBar(AFX_IDW_DOCKBAR_TOP)->FindBar(&bar));

    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->RecalcLayout();
    EXPECT_FALSE(::IsWindow(hWndMini));
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT), bar.m_pDockBar);
    EXPECT_EQ(0, bar.GetBarStyle() & CBRS_FLOATING);
    EXPECT_TRUE(bar.IsWindowVisible());
}

TEST_F(FloatingTest, FloatingAgainOnlyMovesTheMiniFrame)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    m_pFrame->FloatControlBar(&bar, CPoint(300, 250));
    HWND hWndMini = bar.GetDockingFrame()->m_hWnd;
    m_pFrame->FloatControlBar(&bar, CPoint(200, 120));
    EXPECT_EQ(hWndMini, bar.GetDockingFrame()->m_hWnd);
    CRect rectMini;
    ::GetWindowRect(hWndMini, rectMini);
    EXPECT_EQ(CPoint(200, 120), rectMini.TopLeft());
}

TEST_F(FloatingTest, ToggleDockingReturnsToTheOldPlaceInTheRow)
{
    CToolBar& bar1 = m_pFrame->m_wndToolBar;
    CToolBar& bar2 = m_pFrame->m_wndToolBar2;
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    ASSERT_EQ(5, pTop->m_arrBars.GetSize());        // NULL bar1 NULL bar2 NULL

    bar1.m_pDockContext->ToggleDocking();
    ASSERT_TRUE(bar1.IsFloating());
    // its place stays in the row: the placeholder is the bar's id
    EXPECT_EQ((void*)(UINT_PTR)AFX_IDW_TOOLBAR, pTop->m_arrBars[1]);
    EXPECT_EQ(1, pTop->GetDockedCount());
    EXPECT_TRUE(pTop->GetDockedControlBar(1) == NULL);
    HWND hWndMini = bar1.GetDockingFrame()->m_hWnd;

    // the toggle back puts it before bar2 again
    bar1.m_pDockContext->ToggleDocking();
    EXPECT_FALSE(::IsWindow(hWndMini));
    EXPECT_FALSE(bar1.IsFloating());
    ASSERT_EQ(5, pTop->m_arrBars.GetSize());
    EXPECT_EQ((void*)&bar1, pTop->m_arrBars[1]);
    EXPECT_EQ((void*)&bar2, pTop->m_arrBars[3]);
    EXPECT_LT(m_pFrame->ChildRect(&bar1).top, m_pFrame->ChildRect(&bar2).top);

    // and floats again where it floated before
    CRect rectMini;
    bar1.m_pDockContext->ToggleDocking();
    ASSERT_TRUE(bar1.IsFloating());
    bar1.GetDockingFrame()->GetWindowRect(rectMini);
    CPoint ptFirst = rectMini.TopLeft();
    bar1.m_pDockContext->ToggleDocking();
    bar1.m_pDockContext->ToggleDocking();
    bar1.GetDockingFrame()->GetWindowRect(rectMini);
    EXPECT_EQ(ptFirst, rectMini.TopLeft());
}

TEST_F(FloatingTest, HidingAFloatingBarHidesItsFrame)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    m_pFrame->FloatControlBar(&bar, CPoint(300, 250));
    CFrameWnd* pMini = bar.GetDockingFrame();
    HWND hWndMini = pMini->m_hWnd;

    m_pFrame->ShowControlBar(&bar, FALSE, FALSE);
    EXPECT_FALSE(::IsWindowVisible(hWndMini));
    EXPECT_TRUE(::IsWindow(hWndMini));
    m_pFrame->ShowControlBar(&bar, TRUE, FALSE);
    EXPECT_TRUE(::IsWindowVisible(hWndMini));
    EXPECT_TRUE(bar.IsWindowVisible());

    // with a delay: at the next idle turn
    m_pFrame->ShowControlBar(&bar, FALSE, TRUE);
    EXPECT_TRUE(::IsWindowVisible(hWndMini));
    RunIdle();
    EXPECT_FALSE(::IsWindowVisible(hWndMini));
    EXPECT_FALSE(bar.IsWindowVisible());

    // the close box of the mini frame hides the bar, the frame stays
    m_pFrame->ShowControlBar(&bar, TRUE, FALSE);
    ::SendMessageA(hWndMini, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(hWndMini));
    EXPECT_FALSE(::IsWindowVisible(hWndMini));
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_TRUE(bar.IsFloating());
}

TEST_F(FloatingTest, DraggingAwayFloatsAndDraggingOntoASideDocks)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    // away from the frame: the bar floats where the outline was
    CRect rectFrame;
    m_pFrame->GetWindowRect(rectFrame);
    CPoint ptFrom(-4, 4);   // the gripper, beside the buttons
    ASSERT_EQ(-1, bar.OnToolHitTest(ptFrom, NULL));
    CPoint ptTo = ptFrom + CPoint(0, rectFrame.Height() + 60);
    Drag(&bar, ptFrom, ptTo);
    ASSERT_TRUE(bar.IsFloating());
    CFrameWnd* pMini = bar.GetDockingFrame();
    CRect rectMini;
    pMini->GetWindowRect(rectMini);
    EXPECT_GT(rectMini.top, rectFrame.bottom);
    EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, (int)bar.m_pDockContext->m_uMRUDockID);
    EXPECT_EQ(rectMini.TopLeft(), bar.m_pDockContext->m_ptMRUFloatPos);

    // from the mini frame onto the frame's left edge: docks on the left
    CRect rectLeft;
    CDockBar* pLeft = DockBar(AFX_IDW_DOCKBAR_LEFT);
    pLeft->GetWindowRect(rectLeft);
    CRect rectBar;
    bar.GetWindowRect(rectBar);
    CPoint ptGrab(rectBar.left + 4, rectBar.top + 4);       // screen
    CPoint ptTarget(rectLeft.left + 4, rectLeft.top + 40);  // screen, on the left edge line
    CPoint ptFromClient = ptGrab;
    bar.ScreenToClient(&ptFromClient);
    CPoint ptToClient = ptTarget;
    bar.ScreenToClient(&ptToClient);
    HWND hWndMini = pMini->m_hWnd;
    Drag(&bar, ptFromClient, ptToClient);
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_EQ(pLeft, bar.m_pDockBar);
    EXPECT_FALSE(::IsWindow(hWndMini));
    EXPECT_EQ(CBRS_ALIGN_LEFT, bar.GetBarStyle() & CBRS_ALIGN_ANY);
    EXPECT_EQ(m_pFrame->ChildRect(pLeft).right, m_pFrame->PaneRect().left);
}

TEST_F(FloatingTest, EscapeCancelsADrag)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    CRect rectBefore = m_pFrame->ChildRect(&bar);
    Drag(&bar, CPoint(-4, 4), CPoint(-4, 700), TRUE);
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_EQ(pTop, bar.m_pDockBar);
    EXPECT_EQ(rectBefore, m_pFrame->ChildRect(&bar));
    EXPECT_TRUE(CWnd::GetCapture() == NULL);
}

TEST_F(FloatingTest, TheDockBarLeavesTheFrameWhenItsFrameGoes)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    m_pFrame->FloatControlBar(&bar, CPoint(300, 250));
    CDockBar* pFloatDock = bar.m_pDockBar;
    ASSERT_TRUE(m_pFrame->m_listControlBars.Find(pFloatDock) != NULL);
    // docking back destroys the mini frame and its dock bar leaves the frame's list
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    EXPECT_TRUE(m_pFrame->m_listControlBars.Find(pFloatDock) == NULL);
    EXPECT_TRUE(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_FLOAT) == NULL);
}

TEST_F(FloatingTest, DestroyingTheFrameTakesTheFloatingFramesWithIt)
{
    m_pFrame->FloatControlBar(&m_pFrame->m_wndToolBar, CPoint(300, 250));
    HWND hWndMini = m_pFrame->m_wndToolBar.GetDockingFrame()->m_hWnd;
    m_pApp->m_pMainWnd = NULL;
    m_pFrame->DestroyWindow();
    m_pFrame = NULL;
    EXPECT_FALSE(::IsWindow(hWndMini));
}
