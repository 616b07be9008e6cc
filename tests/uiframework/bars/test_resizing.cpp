// Row and column resizing through the modal loop: Esc cancels, a release applies, the
// quit message ends the loop and stays for the outer loop.
#include "resize_support.h"

TEST_F(UiBarsResizeTest, EscapeCancelsAndLeavesEveryThicknessUnchanged)
{
    int nTop = m_pTop->m_sizeDockedH.cy, nInner = m_pInner->m_sizeDockedH.cy;
    CRect rcWnd = WindowRect(m_pTop);
    m_pFrame->m_nTrackedAreas = 0;
    PostMouseMoveToScreen(m_pTop, CPoint(rcWnd.left + 30, rcWnd.bottom + 60));
    m_pTop->PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    PressRowStrip(m_pTop);
    EXPECT_FALSE(m_pTop->m_bRowResizing);
    EXPECT_NE(::GetCapture(), m_pTop->m_hWnd);
    // the move was tracked (tracker drawn, erased, drawn, erased at the end)
    EXPECT_GE(m_pFrame->m_nTrackedAreas, 3);
    EXPECT_EQ(m_pTop->m_nTrackerValue, nTop + 60 + m_pTop->m_rcRowResizer.Height() / 2);
    EXPECT_EQ(m_pTop->m_sizeDockedH.cy, nTop);
    EXPECT_EQ(m_pInner->m_sizeDockedH.cy, nInner);
    EXPECT_EQ(WindowRect(m_pTop), rcWnd);
    PumpPendingMessages();
}

TEST_F(UiBarsResizeTest, ReleaseAppliesAndTheNextRowGivesTheSameAmount)
{
    int nTop = m_pTop->m_sizeDockedH.cy, nInner = m_pInner->m_sizeDockedH.cy;
    CRect rcWnd = WindowRect(m_pTop);
    int nHalf = m_pTop->m_rcRowResizer.Height() / 2;
    PostMouseMoveToScreen(m_pTop, CPoint(rcWnd.left + 30, rcWnd.bottom + 40));
    CPoint ptUp(30, 0);
    m_pTop->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptUp.x, ptUp.y));
    PressRowStrip(m_pTop);
    EXPECT_FALSE(m_pTop->m_bRowResizing);
    int nExpected = (rcWnd.bottom + 40 - rcWnd.top) + nHalf;
    EXPECT_EQ(m_pTop->m_sizeDockedH.cy, nExpected);
    EXPECT_EQ(m_pInner->m_sizeDockedH.cy, nInner - (nExpected - nTop));
    EXPECT_EQ(WindowRect(m_pTop).Height(), nExpected);
}

TEST_F(UiBarsResizeTest, ThicknessNeverGoesBelowTwiceTheMinimum)
{
    CRect rcWnd = WindowRect(m_pTop);
    PostMouseMoveToScreen(m_pTop, CPoint(rcWnd.left + 30, rcWnd.top + 2));
    m_pTop->PostMessage(WM_LBUTTONUP, 0, 0);
    PressRowStrip(m_pTop);
    EXPECT_EQ(m_pTop->m_sizeDockedH.cy, 2 * m_pTop->CalcMinHeight());
}

TEST_F(UiBarsResizeTest, QuitMessageEndsTheLoopAndStaysQueued)
{
    int nTop = m_pTop->m_sizeDockedH.cy;
    ::PostQuitMessage(7);
    PressRowStrip(m_pTop);
    EXPECT_FALSE(m_pTop->m_bRowResizing);
    EXPECT_EQ(m_pTop->m_sizeDockedH.cy, nTop);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, (WPARAM)7);
}

TEST_F(UiBarsResizeTest, CancelModeEndsAColumnResize)
{
    // both bars in one row: the first one's trailing strip resizes against the second
    CExtDockBar* pDock = (CExtDockBar*)m_pTop->m_pDockBar;
    pDock->m_arrBars.RemoveAll();
    pDock->m_arrBars.Add(NULL);
    pDock->m_arrBars.Add(m_pTop);
    pDock->m_arrBars.Add(m_pInner);
    pDock->m_arrBars.Add(NULL);
    m_pFrame->RecalcLayout();
    m_pTop->RecalcNcFrame();
    int nTop = m_pTop->m_sizeDockedH.cx, nInner = m_pInner->m_sizeDockedH.cx;
    ASSERT_FALSE(m_pTop->m_rcColumnResizerNext.IsRectEmpty());
    CRect rcWnd = WindowRect(m_pTop);
    CPoint ptStrip = rcWnd.TopLeft() + m_pTop->m_rcColumnResizerNext.CenterPoint();
    PostMouseMoveToScreen(m_pTop, CPoint(ptStrip.x - 50, ptStrip.y));
    m_pTop->PostMessage(WM_CANCELMODE);
    m_pTop->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptStrip.x, ptStrip.y));
    EXPECT_FALSE(m_pTop->m_bColumnResizing);
    EXPECT_EQ(m_pTop->m_sizeDockedH.cx, nTop);
    EXPECT_EQ(m_pInner->m_sizeDockedH.cx, nInner);
    PumpPendingMessages();

    // now applied: this bar gives 50 pixels to its neighbour
    PostMouseMoveToScreen(m_pTop, CPoint(ptStrip.x - 50, ptStrip.y));
    m_pTop->PostMessage(WM_LBUTTONUP, 0, 0);
    m_pTop->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptStrip.x, ptStrip.y));
    EXPECT_EQ(m_pTop->m_sizeDockedH.cx + m_pInner->m_sizeDockedH.cx, nTop + nInner);
    EXPECT_EQ(m_pTop->m_sizeDockedH.cx, nTop - 50);
}

TEST_F(UiBarsTest, LeftRowResizeChangesTheWidth)
{
    CTestResizableBar* pBar = NewBar(0xE8B0, "Left");
    ASSERT_TRUE(pBar->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    m_pFrame->RecalcLayout();
    CRect rcWnd = WindowRect(pBar);
    CPoint ptStrip = rcWnd.TopLeft() + pBar->m_rcRowResizer.CenterPoint();
    EXPECT_EQ((UINT)pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptStrip.x, ptStrip.y)),
              (UINT)HTRIGHT);
    PostMouseMoveToScreen(pBar, CPoint(rcWnd.right + 70, rcWnd.top + 40));
    pBar->PostMessage(WM_LBUTTONUP, 0, 0);
    pBar->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptStrip.x, ptStrip.y));
    int nExpected = rcWnd.Width() + 70 + pBar->m_rcRowResizer.Width() / 2;
    EXPECT_EQ(pBar->m_sizeDockedV.cx, nExpected);
    EXPECT_EQ(WindowRect(pBar).Width(), nExpected);
    CRect rcPane;
    m_pFrame->m_wndPane.GetWindowRect(&rcPane);
    // the view follows, beyond the dock bar's border line
    EXPECT_GE(rcPane.left, WindowRect(pBar).right);
    EXPECT_LE(rcPane.left, WindowRect(pBar).right + 2);
}

TEST_F(UiBarsTest, FixedBarBetweenTwoResizableBarsGivesTheSecondALeadingStrip)
{
    class CFixedInRow : public CExtControlBar
    {
    public:
        CFixedInRow() { m_bFixedSize = true; }
        CSize CalcDynamicLayout(int, DWORD) override { return CSize(60, 24); }
        CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(60, 24); }
    };
    CTestResizableBar* pA = NewBar(0xE8B1, "A");
    CTestResizableBar* pB = NewBar(0xE8B2, "B");
    ASSERT_TRUE(pA->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    CFixedInRow* pFixed = new CFixedInRow;
    ASSERT_TRUE(pFixed->Create("Fixed", m_pFrame, 0xE8B3, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    CExtDockBar* pDock = (CExtDockBar*)pA->m_pDockBar;
    pFixed->SetParent(pDock);
    pFixed->m_pDockBar = pDock;
    pDock->m_arrBars.RemoveAll();
    pDock->m_arrBars.Add(NULL);
    pDock->m_arrBars.Add(pA);
    pDock->m_arrBars.Add(pFixed);
    pDock->m_arrBars.Add(pB);
    pDock->m_arrBars.Add(NULL);
    m_pFrame->RecalcLayout();
    pB->RecalcNcFrame();
    pA->RecalcNcFrame();
    EXPECT_FALSE(pB->m_rcColumnResizerPrev.IsRectEmpty());
    EXPECT_TRUE(pA->m_rcColumnResizerPrev.IsRectEmpty());
    EXPECT_EQ(pB->m_rcColumnResizerPrev.Width(), pB->m_nSplitterCX);
    CRect rcB = WindowRect(pB);
    CPoint ptLead = rcB.TopLeft() + pB->m_rcColumnResizerPrev.CenterPoint();
    EXPECT_EQ((UINT)pB->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptLead.x, ptLead.y)),
              (UINT)HTLEFT);
    // the three bars fill the row without overlapping
    CRect rcA = m_pFrame->ChildRect(pA), rcF = m_pFrame->ChildRect(pFixed);
    CRect rcBc = m_pFrame->ChildRect(pB);
    EXPECT_EQ(rcA.right, rcF.left);
    EXPECT_EQ(rcF.right, rcBc.left);
    pDock->m_arrBars.RemoveAt(2);
    pFixed->m_pDockBar = NULL;
    pFixed->DestroyWindow();
    delete pFixed;
}

TEST_F(UiBarsTest, BesideOnTopMakesAColumnContainer)
{
    CTestResizableBar* pA = NewBar(0xE8B4, "A");
    CTestResizableBar* pB = NewBar(0xE8B5, "B");
    ASSERT_TRUE(pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    pB->FloatAtPosition(CPoint(300, 300));
    m_pFrame->RecalcLayout();
    CRect rcOld = WindowRect(pA);
    ASSERT_TRUE(pB->DockBesideBar(50, pA, AFX_IDW_DOCKBAR_TOP));
    CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, pA->m_pDockBar);
    ASSERT_TRUE(pInner != NULL);
    EXPECT_EQ(pInner->GetDlgCtrlID(), AFX_IDW_DOCKBAR_LEFT);
    EXPECT_TRUE(pA->IsDockedVertically());
    CRect rcA = WindowRect(pA), rcB = WindowRect(pB);
    EXPECT_EQ(rcB.bottom, rcA.top);
    EXPECT_EQ(rcA.left, rcB.left);
    EXPECT_LE(abs(rcA.Height() - rcB.Height()), 8);
    EXPECT_LE(rcA.Height() + rcB.Height(), rcOld.Height());
    // the floating frame it came from is gone
    EXPECT_FALSE(pB->IsFloating());
    ExpectAllArraysSound();
}

TEST_F(UiBarsResizeTest, ColumnResizePastTheNeighboursMinimumStopsThere)
{
    CExtDockBar* pDock = (CExtDockBar*)m_pTop->m_pDockBar;
    pDock->m_arrBars.RemoveAll();
    pDock->m_arrBars.Add(NULL);
    pDock->m_arrBars.Add(m_pTop);
    pDock->m_arrBars.Add(m_pInner);
    pDock->m_arrBars.Add(NULL);
    m_pFrame->RecalcLayout();
    m_pTop->RecalcNcFrame();
    int nSum = m_pTop->m_sizeDockedH.cx + m_pInner->m_sizeDockedH.cx;
    CRect rcWnd = WindowRect(m_pTop);
    CPoint ptStrip = rcWnd.TopLeft() + m_pTop->m_rcColumnResizerNext.CenterPoint();
    PostMouseMoveToScreen(m_pTop, CPoint(ptStrip.x + 5000, ptStrip.y));
    m_pTop->PostMessage(WM_LBUTTONUP, 0, 0);
    m_pTop->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptStrip.x, ptStrip.y));
    EXPECT_EQ(m_pInner->m_sizeDockedH.cx, m_pInner->CalcMinWidth());
    EXPECT_EQ(m_pTop->m_sizeDockedH.cx + m_pInner->m_sizeDockedH.cx, nSum);
    m_pFrame->RecalcLayout();
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(WindowRect(m_pTop).Width() + WindowRect(m_pInner).Width(), rcClient.Width());
}
