// Layout of a frame with bars: the pane gets what the toolbar and the status
// bar leave, docking moves a bar into the dock bar of a side and the pane
// gives way, rows of several bars, showing and hiding with and without delay.

#include "bartest.h"

namespace
{

CDockBar* DockBarOf(CFrameWnd* pFrame, UINT nID)
{
    CControlBar* pBar = pFrame->GetControlBar(nID);
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CDockBar)) ? (CDockBar*)pBar : NULL;
}

} // namespace

TEST_F(BarsTest, PaneTakesWhatTheToolbarAndStatusBarLeave)
{
    CRect rectClient;
    m_pFrame->GetClientRect(rectClient);
    CRect rectTool = m_pFrame->ChildRect(&m_pFrame->m_wndToolBar);
    CRect rectTool2 = m_pFrame->ChildRect(&m_pFrame->m_wndToolBar2);
    CRect rectStatus = m_pFrame->ChildRect(&m_pFrame->m_wndStatusBar);
    CRect rectPane = m_pFrame->PaneRect();

    // the toolbars stack at the top over the full width, the status bar at the bottom
    EXPECT_EQ(rectClient.top, rectTool.top);
    EXPECT_EQ(rectClient.Width(), rectTool.Width());
    EXPECT_EQ(rectTool.bottom, rectTool2.top);
    EXPECT_EQ(rectClient.bottom, rectStatus.bottom);
    EXPECT_EQ(rectClient.Width(), rectStatus.Width());
    EXPECT_GT(rectStatus.Height(), 10);
    EXPECT_GT(rectTool.Height(), 22);       // a button and the borders

    EXPECT_EQ(CRect(rectClient.left, rectTool2.bottom, rectClient.right, rectStatus.top), rectPane);

    // the frame's list knows its bars; GetControlBar finds them by id
    EXPECT_EQ(&m_pFrame->m_wndToolBar, m_pFrame->GetControlBar(AFX_IDW_TOOLBAR));
    EXPECT_EQ(&m_pFrame->m_wndStatusBar, m_pFrame->GetControlBar(AFX_IDW_STATUS_BAR));
    EXPECT_EQ(m_pFrame, m_pFrame->m_wndToolBar.m_pDockSite);
    EXPECT_TRUE(m_pFrame->GetControlBar(0xE8F0) == NULL);
}

TEST_F(BarsTest, LayoutFollowsTheFrameSize)
{
    m_pFrame->SetWindowPos(NULL, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    CRect rectClient;
    m_pFrame->GetClientRect(rectClient);
    CRect rectStatus = m_pFrame->ChildRect(&m_pFrame->m_wndStatusBar);
    EXPECT_EQ(rectClient.bottom, rectStatus.bottom);
    EXPECT_EQ(rectClient.Width(), rectStatus.Width());
    EXPECT_EQ(rectStatus.top, m_pFrame->PaneRect().bottom);
}

TEST_F(BarsTest, EnableDockingMakesTheFourDockBarsOnce)
{
    m_pFrame->m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    const UINT ids[] = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT };
    const DWORD aligns[] = { CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT };
    CDockBar* pDockBars[4];
    for (int i = 0; i < 4; i++)
    {
        pDockBars[i] = DockBarOf(m_pFrame, ids[i]);
        ASSERT_TRUE(pDockBars[i] != NULL) << i;
        EXPECT_EQ(aligns[i], pDockBars[i]->m_dwStyle & CBRS_ALIGN_ANY);
        EXPECT_FALSE(pDockBars[i]->m_bFloating);
        EXPECT_EQ(0, pDockBars[i]->GetDockedCount());
    }
    EXPECT_TRUE(m_pFrame->m_pFloatingFrameClass == RUNTIME_CLASS(CMiniDockFrameWnd));
    // a floating-frame class installed meanwhile stays through the next call
    m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CTestMiniFrame);
    INT_PTR nBars = m_pFrame->m_listControlBars.GetCount();
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    EXPECT_EQ(nBars, m_pFrame->m_listControlBars.GetCount());
    EXPECT_EQ(pDockBars[0], DockBarOf(m_pFrame, AFX_IDW_DOCKBAR_TOP));
    EXPECT_TRUE(m_pFrame->m_pFloatingFrameClass == RUNTIME_CLASS(CTestMiniFrame));
    m_pFrame->FloatControlBar(&m_pFrame->m_wndToolBar, CPoint(300, 250));
    ASSERT_TRUE(m_pFrame->m_wndToolBar.IsFloating());
    EXPECT_TRUE(m_pFrame->m_wndToolBar.GetDockingFrame()->IsKindOf(RUNTIME_CLASS(CTestMiniFrame)));
    // the bar's owner is its frame from now on
    EXPECT_EQ(m_pFrame, m_pFrame->m_wndToolBar.GetOwner());
    EXPECT_TRUE(m_pFrame->m_wndToolBar.m_pDockContext != NULL);
}

TEST_F(BarsTest, DockingToEachSideMovesTheBarAndThePane)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->m_wndToolBar2.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&m_pFrame->m_wndToolBar2, AFX_IDW_DOCKBAR_TOP);
    CRect rectClient;
    m_pFrame->GetClientRect(rectClient);

    struct Side { UINT nID; DWORD dwAlign; };
    const Side sides[] = {
        { AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT }, { AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT },
        { AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM }, { AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP },
    };
    for (const Side& side : sides)
    {
        m_pFrame->DockControlBar(&bar, side.nID);
        m_pFrame->RecalcLayout();
        CDockBar* pDockBar = DockBarOf(m_pFrame, side.nID);
        ASSERT_TRUE(pDockBar != NULL);
        EXPECT_EQ(pDockBar, bar.m_pDockBar) << side.nID;
        EXPECT_EQ(pDockBar, bar.GetParent()) << side.nID;
        EXPECT_EQ(side.dwAlign, bar.GetBarStyle() & CBRS_ALIGN_ANY) << side.nID;
        EXPECT_FALSE(bar.IsFloating());
        EXPECT_EQ(m_pFrame, bar.GetDockingFrame());
        EXPECT_TRUE(bar.IsWindowVisible());

        CRect rectDock = m_pFrame->ChildRect(pDockBar);
        CRect rectBar = m_pFrame->ChildRect(&bar);
        CRect rectPane = m_pFrame->PaneRect();
        CRect rectStatus = m_pFrame->ChildRect(&m_pFrame->m_wndStatusBar);
        EXPECT_TRUE(rectDock.PtInRect(rectBar.TopLeft())) << side.nID;
        switch (side.nID)
        {
        case AFX_IDW_DOCKBAR_LEFT:
            EXPECT_EQ(rectClient.left, rectDock.left);
            EXPECT_EQ(rectDock.right, rectPane.left);
            EXPECT_GT(rectBar.Height(), rectBar.Width());   // a column of buttons
            break;
        case AFX_IDW_DOCKBAR_RIGHT:
            EXPECT_EQ(rectClient.right, rectDock.right);
            EXPECT_EQ(rectDock.left, rectPane.right);
            EXPECT_EQ(rectClient.left, rectPane.left);
            EXPECT_GT(rectBar.Height(), rectBar.Width());
            break;
        case AFX_IDW_DOCKBAR_BOTTOM:
            EXPECT_EQ(rectStatus.top, rectDock.bottom);     // the status bar stays outermost
            EXPECT_EQ(rectDock.top, rectPane.bottom);
            EXPECT_EQ(rectClient.right, rectPane.right);
            EXPECT_GT(rectBar.Width(), rectBar.Height());
            break;
        default:
            EXPECT_EQ(rectClient.top, rectDock.top);
            EXPECT_EQ(rectDock.bottom, rectPane.top);
            EXPECT_EQ(rectStatus.top, rectPane.bottom);
            EXPECT_GT(rectBar.Width(), rectBar.Height());
            break;
        }
        // only the dock bar holding it has it
        for (const Side& other : sides)
        {
            if (other.nID != side.nID)
            {
                EXPECT_EQ(-1, DockBarOf(m_pFrame, other.nID)->FindBar(&bar));
            }
        }
    }
}

TEST_F(BarsTest, BarsDockInRowsAndJoinARowAtARectangle)
{
    CToolBar& bar1 = m_pFrame->m_wndToolBar;
    CToolBar& bar2 = m_pFrame->m_wndToolBar2;
    bar1.EnableDocking(CBRS_ALIGN_ANY);
    bar2.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&bar1, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(&bar2, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    CDockBar* pTop = DockBarOf(m_pFrame, AFX_IDW_DOCKBAR_TOP);

    // two rows: NULL, bar1, NULL, bar2, NULL
    ASSERT_EQ(5, pTop->m_arrBars.GetSize());
    EXPECT_TRUE(pTop->m_arrBars[0] == NULL);
    EXPECT_EQ((void*)&bar1, pTop->m_arrBars[1]);
    EXPECT_TRUE(pTop->m_arrBars[2] == NULL);
    EXPECT_EQ((void*)&bar2, pTop->m_arrBars[3]);
    CRect rect1 = m_pFrame->ChildRect(&bar1);
    CRect rect2 = m_pFrame->ChildRect(&bar2);
    CRect rectDock = m_pFrame->ChildRect(pTop);
    EXPECT_EQ(rect1.bottom, rect2.top);
    EXPECT_EQ(rectDock.top, rect1.top);
    EXPECT_EQ(rectDock.bottom, m_pFrame->PaneRect().top);
    EXPECT_EQ(2, rectDock.bottom - rect2.bottom);          // the dock bar's border line

    // bar2 dropped right of bar1 on bar1's row joins it
    CRect rectDrop;
    bar1.GetWindowRect(rectDrop);
    rectDrop.OffsetRect(rectDrop.Width() + 40, 0);
    m_pFrame->DockControlBar(&bar2, pTop, rectDrop);
    m_pFrame->RecalcLayout();
    ASSERT_EQ(4, pTop->m_arrBars.GetSize());
    EXPECT_EQ((void*)&bar1, pTop->m_arrBars[1]);
    EXPECT_EQ((void*)&bar2, pTop->m_arrBars[2]);
    rect1 = m_pFrame->ChildRect(&bar1);
    rect2 = m_pFrame->ChildRect(&bar2);
    EXPECT_EQ(rect1.top, rect2.top);
    EXPECT_GE(rect2.left, rect1.right);
    EXPECT_EQ(rect1.bottom + 2, m_pFrame->PaneRect().top); // one row high

    // a frame too narrow for both wraps the second into a row of its own
    int nNarrow = rect1.Width() + rect2.Width() / 2 + 2 * ::GetSystemMetrics(SM_CXFRAME) + 8;
    m_pFrame->SetWindowPos(NULL, 0, 0, nNarrow, 400, SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->RecalcLayout();
    rect1 = m_pFrame->ChildRect(&bar1);
    rect2 = m_pFrame->ChildRect(&bar2);
    EXPECT_GE(rect2.top, rect1.bottom);
    CRect rectClient;
    m_pFrame->GetClientRect(rectClient);
    EXPECT_LE(rect1.right, rectClient.right);
}

TEST_F(BarsTest, ShowControlBarHidesAndShowsWithLayout)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->m_wndToolBar2.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(&m_pFrame->m_wndToolBar2, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->RecalcLayout();
    CRect rectClient;
    m_pFrame->GetClientRect(rectClient);
    CRect rectPaneDocked = m_pFrame->PaneRect();
    ASSERT_GT(rectPaneDocked.top, rectClient.top);

    m_pFrame->ShowControlBar(&bar, FALSE, FALSE);
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_FALSE(bar.IsVisible());
    EXPECT_EQ(rectClient.top, m_pFrame->PaneRect().top);   // the empty top dock bar takes no room

    m_pFrame->ShowControlBar(&bar, TRUE, FALSE);
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(rectPaneDocked, m_pFrame->PaneRect());

    // the status bar too, and the view command toggles it
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(m_pFrame->m_wndStatusBar.IsWindowVisible());
    EXPECT_EQ(rectClient.bottom, m_pFrame->PaneRect().bottom);
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(m_pFrame->m_wndStatusBar.IsWindowVisible());
    EXPECT_EQ(rectPaneDocked, m_pFrame->PaneRect());
}

TEST_F(BarsTest, DelayedShowWaitsForTheNextLayout)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    CRect rectPane = m_pFrame->PaneRect();

    m_pFrame->ShowControlBar(&bar, FALSE, TRUE);
    EXPECT_TRUE(bar.IsWindowVisible());     // still shown...
    EXPECT_FALSE(bar.IsVisible());          // ...but on its way out
    EXPECT_EQ(rectPane, m_pFrame->PaneRect());

    // a measuring layout leaves it alone
    CRect rectQuery(0, 0, 0, 0);
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectQuery);
    EXPECT_TRUE(bar.IsWindowVisible());

    RunIdle();      // the frame's idle work lays out
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_FALSE(bar.IsVisible());
    EXPECT_LT(m_pFrame->PaneRect().top, rectPane.top);

    m_pFrame->ShowControlBar(&bar, TRUE, TRUE);
    EXPECT_TRUE(bar.IsVisible());
    EXPECT_FALSE(bar.IsWindowVisible());
    RunIdle();
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(rectPane, m_pFrame->PaneRect());
}

TEST_F(BarsTest, ViewCommandsCheckTheBarsState)
{
    CCmdUI state;
    struct CCheckCmdUI : public CCmdUI
    {
        int m_nCheck = -1;
        virtual void SetCheck(int nCheck) override { m_nCheck = nCheck; }
        virtual void Enable(BOOL) override { m_bEnableChanged = TRUE; }
    };
    CCheckCmdUI check;
    check.m_nID = ID_VIEW_TOOLBAR;
    check.DoUpdate(m_pFrame, TRUE);
    EXPECT_EQ(1, check.m_nCheck);
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(m_pFrame->m_wndToolBar.IsWindowVisible());
    check.DoUpdate(m_pFrame, TRUE);
    EXPECT_EQ(0, check.m_nCheck);
    // a frame without such a bar leaves the command to others
    m_pFrame->m_wndToolBar.SetDlgCtrlID(AFX_IDW_TOOLBAR + 20);
    check.m_nCheck = -1;
    check.DoUpdate(m_pFrame, FALSE);
    EXPECT_EQ(-1, check.m_nCheck);
}

TEST(BarsMdiTest, MdiClientTakesWhatTheDockedBarsLeave)
{
    CWinApp* pApp = new CWinApp("Bars MDI Tests");
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR)"", SW_SHOW);
    CMDIFrameWnd* pFrame = new CMDIFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "MDI", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 700, 520)));
    CToolBar* pBar = new CToolBar;
    CStatusBar* pStatus = new CStatusBar;
    ASSERT_TRUE(pBar->CreateEx(pFrame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER));
    ASSERT_TRUE(pBar->LoadToolBar(IDR_TESTBAR));
    static const UINT ids[] = { ID_SEPARATOR, ID_INDICATOR_CAPS };
    ASSERT_TRUE(pStatus->Create(pFrame));
    ASSERT_TRUE(pStatus->SetIndicators(ids, 2));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_RIGHT);
    pFrame->RecalcLayout();

    CRect rectClient, rectMdi, rectDock, rectStatus;
    pFrame->GetClientRect(rectClient);
    ::GetWindowRect(pFrame->m_hWndMDIClient, rectMdi);
    pFrame->ScreenToClient(rectMdi);
    pFrame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT)->GetWindowRect(rectDock);
    pFrame->ScreenToClient(rectDock);
    pStatus->GetWindowRect(rectStatus);
    pFrame->ScreenToClient(rectStatus);
    EXPECT_EQ(rectClient.right, rectDock.right);
    EXPECT_EQ(rectDock.left, rectMdi.right);
    EXPECT_EQ(rectStatus.top, rectMdi.bottom);
    EXPECT_EQ(rectClient.top, rectMdi.top);

    // a new size keeps the MDI client off the bars
    pFrame->SetWindowPos(NULL, 0, 0, 560, 420, SWP_NOMOVE | SWP_NOZORDER);
    pFrame->GetClientRect(rectClient);
    ::GetWindowRect(pFrame->m_hWndMDIClient, rectMdi);
    pFrame->ScreenToClient(rectMdi);
    pStatus->GetWindowRect(rectStatus);
    pFrame->ScreenToClient(rectStatus);
    EXPECT_EQ(rectStatus.top, rectMdi.bottom);
    EXPECT_EQ(rectClient.bottom, rectStatus.bottom);
    EXPECT_LT(rectMdi.right, rectClient.right);

    pFrame->DestroyWindow();    // the frame deletes itself, the bars are the test's
    delete pBar;
    delete pStatus;
    PumpPendingMessages();
    delete pApp;
}
