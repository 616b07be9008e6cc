// Docking under the conditions the frame's bars meet: delayed shows of bars in
// hidden floating frames, bars kept hidden by the print preview, dock bars of
// derived classes, drags refused for a held mouse, narrow floating bars, rows
// that wrap and join again, the mini frame's style bits, and a long random run
// of docking, floating, hiding, showing and resizing.

#include "bartest.h"
#include <map>
#include <random>
#include <vector>

namespace
{

// A resizable bar that is no toolbar: it takes the size it is given.
class CSizingTestBar : public CControlBar
{
public:
    CSize m_sizeDocked = CSize(120, 40);    // along x across for a horizontal dock
    CSize m_sizeFloat = CSize(150, 90);

    BOOL CreateBar(CWnd* pParent, UINT nID, DWORD dwBarStyle)
    {
        m_dwStyle = dwBarStyle & CBRS_ALL;
        return CreateEx(0, NULL, "Sizing", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID);
    }

    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode) override
    {
        if (dwMode & LM_HORZDOCK)
            return m_sizeDocked;
        if (dwMode & LM_VERTDOCK)
            return CSize(m_sizeDocked.cy, m_sizeDocked.cx);
        CSize size = m_sizeFloat;
        if (nLength > 0)
        {
            if (dwMode & LM_LENGTHY)
                size.cy = nLength;
            else
                size.cx = nLength;
            if (dwMode & LM_COMMIT)
                m_sizeFloat = size;
        }
        return size;
    }
    virtual CSize CalcFixedLayout(BOOL, BOOL bHorz) override
    {
        return bHorz ? m_sizeDocked : CSize(m_sizeDocked.cy, m_sizeDocked.cx);
    }
    virtual void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

// A dock bar of its own class that counts what reaches it. The two operations
// are not marked override on purpose: they must be reached through the base.
class CCountingDockBar : public CDockBar
{
public:
    int m_nDocked = 0;
    int m_nRemoved = 0;
    virtual void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL)
    {
        m_nDocked++;
        CDockBar::DockControlBar(pBar, lpRect);
    }
    virtual BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0)
    {
        m_nRemoved++;
        return CDockBar::RemoveControlBar(pBar, nPosExclude, nAddPlaceHolder);
    }
};

class DockingTest : public BarsTest
{
protected:
    void EnableAll()
    {
        m_pFrame->m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->m_wndToolBar2.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    }

    CDockBar* DockBar(UINT nID)
    {
        return (CDockBar*)m_pFrame->GetControlBar(nID);
    }

    // Rows of a dock bar as text: bars by their ids, "|" ends a row, "#id" a kept place.
    static CString Rows(CDockBar* pDockBar)
    {
        CString str;
        for (INT_PTR i = 0; i < pDockBar->m_arrBars.GetSize(); i++)
        {
            void* p = pDockBar->m_arrBars[i];
            CString strEntry;
            if (p == NULL)
                strEntry = "|";
            else if ((UINT_PTR)p < 0x10000)
                strEntry.Format("#%u ", (UINT)(UINT_PTR)p);
            else
                strEntry.Format("%d ", ((CControlBar*)p)->GetDlgCtrlID());
            str += strEntry;
        }
        return str;
    }
};

} // namespace

TEST_F(DockingTest, InstalledFloatingFrameClassSurvivesEnableDocking)
{
    m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CTestMiniFrame);
    EnableAll();
    EXPECT_TRUE(m_pFrame->m_pFloatingFrameClass == RUNTIME_CLASS(CTestMiniFrame));
    m_pFrame->FloatControlBar(&m_pFrame->m_wndToolBar, CPoint(300, 250));
    CFrameWnd* pMini = m_pFrame->m_wndToolBar.GetDockingFrame();
    ASSERT_TRUE(pMini != NULL);
    EXPECT_TRUE(pMini->IsKindOf(RUNTIME_CLASS(CTestMiniFrame)));
}

TEST_F(DockingTest, DelayedShowOfAFloatingBarShowsItsHiddenFrame)
{
    EnableAll();
    CToolBar& bar = m_pFrame->m_wndToolBar;
    m_pFrame->FloatControlBar(&bar, CPoint(300, 250));
    HWND hWndMini = bar.GetDockingFrame()->m_hWnd;
    m_pFrame->ShowControlBar(&bar, FALSE, FALSE);
    ASSERT_FALSE(::IsWindowVisible(hWndMini));

    // the restore of a stored layout shows every bar this way
    m_pFrame->ShowControlBar(&bar, TRUE, TRUE);
    EXPECT_TRUE(bar.IsVisible());
    RunIdle();
    RunIdle();
    EXPECT_TRUE(::IsWindowVisible(hWndMini));
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(-1, bar.GetDockingFrame()->m_nShowDelay);

    // and a delayed hide hides it again
    m_pFrame->ShowControlBar(&bar, FALSE, TRUE);
    RunIdle();
    EXPECT_FALSE(::IsWindowVisible(hWndMini));
    EXPECT_FALSE(bar.IsVisible());
}

TEST_F(DockingTest, PreviewKeepsTheBarsTemporarilyHidden)
{
    EnableAll();
    CToolBar& bar1 = m_pFrame->m_wndToolBar;
    CToolBar& bar2 = m_pFrame->m_wndToolBar2;
    m_pFrame->DockControlBar(&bar1, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->FloatControlBar(&bar2, CPoint(400, 300));
    m_pFrame->RecalcLayout();
    HWND hWndMini = bar2.GetDockingFrame()->m_hWnd;

    CPrintPreviewState state;
    m_pFrame->OnSetPreviewMode(TRUE, &state);
    m_pFrame->RecalcLayout();
    EXPECT_TRUE(bar1.m_nStateFlags & CControlBar::tempHide);
    EXPECT_TRUE(bar2.m_nStateFlags & CControlBar::tempHide);
    EXPECT_FALSE(m_pFrame->m_wndStatusBar.m_nStateFlags & CControlBar::tempHide);
    // the floating bar's window keeps its style, yet it is not shown
    EXPECT_FALSE(bar1.IsVisible());
    EXPECT_FALSE(bar2.IsVisible());
    EXPECT_TRUE(m_pFrame->m_wndStatusBar.IsVisible());

    // a hide asked for during the preview holds after it; layouts and idle
    // turns meanwhile show nothing
    m_pFrame->ShowControlBar(&bar1, FALSE, TRUE);
    m_pFrame->ShowControlBar(&bar2, TRUE, TRUE);
    RunIdle();
    m_pFrame->RecalcLayout();
    EXPECT_FALSE(bar1.IsWindowVisible());
    EXPECT_FALSE(::IsWindowVisible(hWndMini));

    m_pFrame->OnSetPreviewMode(FALSE, &state);
    m_pFrame->RecalcLayout();
    RunIdle();
    EXPECT_EQ(0u, bar1.m_nStateFlags & CControlBar::tempHide);
    EXPECT_EQ(0u, bar2.m_nStateFlags & CControlBar::tempHide);
    EXPECT_FALSE(bar1.IsWindowVisible());
    EXPECT_FALSE(bar1.IsVisible());
    EXPECT_TRUE(bar2.IsVisible());
    EXPECT_TRUE(::IsWindowVisible(hWndMini));
    EXPECT_TRUE(bar2.IsWindowVisible());
}

TEST_F(DockingTest, TheFramesCallsReachADerivedDockBar)
{
    CCountingDockBar* pTop = new CCountingDockBar;
    ASSERT_TRUE(pTop->Create(m_pFrame, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | CBRS_TOP,
                             AFX_IDW_DOCKBAR_TOP));
    pTop->m_bAutoDelete = TRUE;
    EnableAll();
    ASSERT_EQ((CDockBar*)pTop, DockBar(AFX_IDW_DOCKBAR_TOP));

    CToolBar& bar = m_pFrame->m_wndToolBar;
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(1, pTop->m_nDocked);
    EXPECT_EQ((CDockBar*)pTop, bar.m_pDockBar);

    m_pFrame->FloatControlBar(&bar, CPoint(300, 250));
    EXPECT_EQ(1, pTop->m_nRemoved);
    EXPECT_TRUE(bar.IsFloating());
    bar.m_pDockContext->ToggleDocking();
    EXPECT_EQ((CDockBar*)pTop, bar.m_pDockBar);
}

TEST_F(DockingTest, ARefusedDragLeavesNoDeviceContextAndNoOutline)
{
    EnableAll();
    CToolBar& bar = m_pFrame->m_wndToolBar;
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    CRect rectBefore = m_pFrame->ChildRect(&bar);

    // another window holds the mouse
    m_pFrame->m_wndPane.SetCapture();
    CPoint pt(-4, 4);
    bar.ClientToScreen(&pt);
    bar.m_pDockContext->StartDrag(pt);
    EXPECT_TRUE(bar.m_pDockContext->m_pDC == NULL);
    EXPECT_EQ(CSize(0, 0), bar.m_pDockContext->m_sizeLast);
    EXPECT_TRUE(bar.m_pDockContext->m_rectLast.IsRectEmpty());
    EXPECT_EQ(m_pFrame->m_wndPane.m_hWnd, ::GetCapture());
    EXPECT_EQ(rectBefore, m_pFrame->ChildRect(&bar));

    // the same for a resize of the floating bar
    ::ReleaseCapture();
    m_pFrame->FloatControlBar(&bar, CPoint(300, 250));
    m_pFrame->m_wndPane.SetCapture();
    bar.m_pDockContext->StartResize(HTRIGHT, CPoint(320, 260));
    EXPECT_TRUE(bar.m_pDockContext->m_pDC == NULL);
    EXPECT_EQ(CSize(0, 0), bar.m_pDockContext->m_sizeLast);
    EXPECT_EQ(m_pFrame->m_wndPane.m_hWnd, ::GetCapture());
    ::ReleaseCapture();
}

TEST_F(DockingTest, ANarrowFloatingToolbarSitsInAFrameOfItsWidth)
{
    EnableAll();
    CToolBar& bar = m_pFrame->m_wndToolBar;
    m_pFrame->FloatControlBar(&bar, CPoint(300, 250));
    CFrameWnd* pMini = bar.GetDockingFrame();
    CRect rectBar;
    bar.GetWindowRect(rectBar);

    // drag the right edge to leave room for a single button
    int nNarrow = 30;
    CPoint ptFrom(rectBar.right, rectBar.top + 5);
    CPoint ptTo(rectBar.left + nNarrow, ptFrom.y);
    CPoint ptClient = ptTo;
    bar.ScreenToClient(&ptClient);
    ::PostMessageA(bar.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
    ::PostMessageA(bar.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
    bar.m_pDockContext->StartResize(HTRIGHT, ptFrom);

    bar.GetWindowRect(rectBar);
    EXPECT_LE(rectBar.Width(), nNarrow);
    CRect rectClient;
    pMini->GetClientRect(rectClient);
    EXPECT_EQ(rectBar.Width(), rectClient.Width());
    EXPECT_EQ(rectBar.Height(), rectClient.Height());
    CRect rectMini;
    pMini->GetWindowRect(rectMini);
    EXPECT_LT(rectMini.Width(), ::GetSystemMetrics(SM_CXMINTRACK));
}

TEST_F(DockingTest, WrappedRowsJoinAgainWhenRoomComesBack)
{
    EnableAll();
    CToolBar& bar1 = m_pFrame->m_wndToolBar;
    CToolBar& bar2 = m_pFrame->m_wndToolBar2;
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(&bar1, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    CRect rectDrop;
    bar1.GetWindowRect(rectDrop);
    rectDrop.OffsetRect(rectDrop.Width() + 40, 0);
    m_pFrame->DockControlBar(&bar2, pTop, rectDrop);
    m_pFrame->RecalcLayout();
    CString strRows = Rows(pTop);
    ASSERT_EQ(4, pTop->m_arrBars.GetSize()) << (LPCTSTR)strRows;
    CRect rect1 = m_pFrame->ChildRect(&bar1);
    CRect rect2 = m_pFrame->ChildRect(&bar2);
    ASSERT_EQ(rect1.top, rect2.top);

    // a measuring pass in little room changes neither rows nor windows
    CRect rectQuery(0, 0, rect1.Width() + 10, 400);
    CRect rectResult;
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectResult, &rectQuery);
    EXPECT_EQ(strRows, Rows(pTop));
    EXPECT_EQ(rect2, m_pFrame->ChildRect(&bar2));

    // too narrow: the second bar goes below on the screen, the row stays one
    CRect rectFrame;
    m_pFrame->GetWindowRect(rectFrame);
    int nNarrow = rect1.Width() + rect2.Width() / 2 + 2 * ::GetSystemMetrics(SM_CXFRAME) + 8;
    m_pFrame->SetWindowPos(NULL, 0, 0, nNarrow, rectFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->RecalcLayout();
    EXPECT_GE(m_pFrame->ChildRect(&bar2).top, m_pFrame->ChildRect(&bar1).bottom);
    EXPECT_EQ(strRows, Rows(pTop));

    // wide again: one row
    m_pFrame->SetWindowPos(NULL, 0, 0, rectFrame.Width(), rectFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->RecalcLayout();
    rect1 = m_pFrame->ChildRect(&bar1);
    rect2 = m_pFrame->ChildRect(&bar2);
    EXPECT_EQ(rect1.top, rect2.top);
    EXPECT_GE(rect2.left, rect1.right);
    EXPECT_EQ(strRows, Rows(pTop));
    EXPECT_EQ(rect1.bottom + 2, m_pFrame->PaneRect().top);
}

TEST_F(DockingTest, TheMiniFrameKeepsItsStyleRules)
{
    EnableAll();
    // a toolbar changes its shape: sized by the edges, not the corners
    CToolBar& bar = m_pFrame->m_wndToolBar;
    m_pFrame->FloatControlBar(&bar, CPoint(300, 250));
    CFrameWnd* pMini = bar.GetDockingFrame();
    DWORD dwStyle = pMini->GetStyle();
    EXPECT_TRUE(dwStyle & MFS_4THICKFRAME);
    EXPECT_FALSE(dwStyle & MFS_MOVEFRAME);
    EXPECT_TRUE(dwStyle & MFS_BLOCKSYSMENU);
    EXPECT_TRUE(dwStyle & WS_THICKFRAME);
    CRect rect;
    pMini->GetWindowRect(rect);
    EXPECT_EQ(HTTOP, (int)pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rect.left, rect.top)));
    EXPECT_EQ(HTBOTTOM, (int)pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rect.right - 1, rect.bottom - 1)));
    EXPECT_EQ(HTRIGHT, (int)pMini->SendMessage(WM_NCHITTEST, 0,
                                              MAKELPARAM(rect.right - 1, (rect.top + rect.bottom) / 2)));

    // a bar of a fixed size: the edges move the frame
    CSizingTestBar* pFixed = new CSizingTestBar;
    pFixed->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pFixed->CreateBar(m_pFrame, AFX_IDW_TOOLBAR + 30, CBRS_TOP));
    pFixed->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->FloatControlBar(pFixed, CPoint(200, 100));
    CFrameWnd* pFixedMini = pFixed->GetDockingFrame();
    ASSERT_TRUE(pFixedMini != NULL && pFixedMini != m_pFrame);
    EXPECT_TRUE(pFixedMini->GetStyle() & MFS_MOVEFRAME);
    pFixedMini->GetWindowRect(rect);
    EXPECT_EQ(HTCAPTION, (int)pFixedMini->SendMessage(WM_NCHITTEST, 0,
                                                     MAKELPARAM(rect.left, (rect.top + rect.bottom) / 2)));
}

/////////////////////////////////////////////////////////////////////////////
// A random run

namespace
{

class RandomDockingTest : public DockingTest
{
protected:
    std::vector<CControlBar*> m_bars;
    std::map<CControlBar*, BOOL> m_shown;

    void SetUp() override
    {
        DockingTest::SetUp();
        if (m_pFrame == NULL || m_pFrame->m_hWnd == NULL)
            return;
        m_pSizing = new CSizingTestBar;
        m_pSizing->m_bAutoDelete = TRUE;
        ASSERT_TRUE(m_pSizing->CreateBar(m_pFrame, AFX_IDW_TOOLBAR + 40, CBRS_TOP | CBRS_SIZE_DYNAMIC));
        m_bars = { &m_pFrame->m_wndToolBar, &m_pFrame->m_wndToolBar2, m_pSizing };
        for (CControlBar* pBar : m_bars)
        {
            pBar->EnableDocking(CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
            m_shown[pBar] = TRUE;
        }
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(&m_pFrame->m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
        // one floating frame with two bars
        m_pFrame->FloatControlBar(&m_pFrame->m_wndToolBar2, CPoint(500, 300), CBRS_ALIGN_TOP | CBRS_FLOAT_MULTI);
        CDockBar* pFloat = m_pFrame->m_wndToolBar2.m_pDockBar;
        ASSERT_TRUE(pFloat != NULL && pFloat->m_bFloating);
        m_pFrame->DockControlBar(m_pSizing, pFloat, NULL);
        m_pFrame->RecalcLayout();
    }

    std::vector<CDockBar*> AllDockBars()
    {
        std::vector<CDockBar*> result;
        POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition();
        while (pos != NULL)
        {
            CWnd* pWnd = (CWnd*)m_pFrame->m_listControlBars.GetNext(pos);
            if (pWnd->m_hWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CDockBar)))
                result.push_back((CDockBar*)pWnd);
        }
        return result;
    }

    // The rows of every dock bar are sound and every bar sits in exactly one.
    void CheckInvariant(int nStep, BOOL bAfterIdle)
    {
        std::map<CControlBar*, int> found;
        for (CDockBar* pDockBar : AllDockBars())
        {
            CPtrArray& arr = pDockBar->m_arrBars;
            CString strRows = Rows(pDockBar);
            ASSERT_GT(arr.GetSize(), 0) << nStep;
            ASSERT_TRUE(arr[0] == NULL) << nStep << " " << (LPCTSTR)strRows;
            ASSERT_TRUE(arr[arr.GetSize() - 1] == NULL) << nStep << " " << (LPCTSTR)strRows;
            std::map<UINT_PTR, int> places;
            for (INT_PTR i = 1; i < arr.GetSize(); i++)
            {
                void* p = arr[i];
                ASSERT_FALSE(p == NULL && arr[i - 1] == NULL) << nStep << " empty row " << (LPCTSTR)strRows;
                if (p == NULL)
                    continue;
                if ((UINT_PTR)p < 0x10000)
                {
                    ASSERT_EQ(0, places[(UINT_PTR)p]++) << nStep << " place kept twice " << (LPCTSTR)strRows;
                    continue;
                }
                CControlBar* pBar = (CControlBar*)p;
                ASSERT_TRUE(m_shown.count(pBar) == 1) << nStep << " unknown entry " << (LPCTSTR)strRows;
                found[pBar]++;
                ASSERT_EQ(pDockBar, pBar->m_pDockBar) << nStep;
                ASSERT_EQ(pDockBar->m_hWnd, ::GetParent(pBar->m_hWnd)) << nStep;
                ASSERT_EQ(pDockBar->m_bFloating, pBar->IsFloating()) << nStep;
            }
            // a bar has no kept place where it sits
            for (INT_PTR i = 1; i < arr.GetSize(); i++)
            {
                CControlBar* pBar = pDockBar->GetDockedControlBar((int)i);
                if (pBar != NULL)
                {
                    ASSERT_EQ(0, places[(UINT_PTR)(WORD)pBar->GetDlgCtrlID()]) << nStep << " " << (LPCTSTR)strRows;
                }
            }
            if (pDockBar->m_bFloating)
            {
                // a floating frame holds bars, and shows exactly while one of them does
                CWnd* pMini = pDockBar->GetParent();
                ASSERT_TRUE(pMini != NULL && pMini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) << nStep;
                ASSERT_GT(pDockBar->GetDockedCount(), 0) << nStep;
                if (bAfterIdle)
                {
                    ASSERT_EQ(pDockBar->GetDockedVisibleCount() > 0, (BOOL)pMini->IsWindowVisible())
                        << nStep << " " << (LPCTSTR)strRows;
                }
            }
        }
        for (CControlBar* pBar : m_bars)
        {
            ASSERT_EQ(1, found[pBar]) << nStep << " bar " << pBar->GetDlgCtrlID();
            ASSERT_EQ(m_shown[pBar], pBar->IsVisible()) << nStep << " bar " << pBar->GetDlgCtrlID();
            if (bAfterIdle)
            {
                BOOL bOnScreen = pBar->IsWindowVisible();
                ASSERT_EQ(m_shown[pBar], bOnScreen) << nStep << " bar " << pBar->GetDlgCtrlID();
            }
        }
    }

    CSizingTestBar* m_pSizing = NULL;
};

const UINT s_sides[4] = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                          AFX_IDW_DOCKBAR_RIGHT };

} // namespace

TEST_F(RandomDockingTest, DockFloatHideShowAndResizeKeepTheRowsSound)
{
    std::mt19937 rng(1717);
    auto pick = [&rng](int n) { return (int)(rng() % (unsigned)n); };
    CheckInvariant(-1, FALSE);
    CString strHistory;
    for (int nStep = 0; nStep < 400; nStep++)
    {
        CControlBar* pBar = m_bars[pick((int)m_bars.size())];
        int nOp = pick(11);
        switch (nOp)
        {
        case 0:     // to a side, as a new row
            m_pFrame->DockControlBar(pBar, s_sides[pick(4)]);
            break;
        case 1:     // into a side at a point, joining a row there when one is
            {
                CDockBar* pDockBar = DockBar(s_sides[pick(4)]);
                CRect rectDock;
                pDockBar->GetWindowRect(rectDock);
                CRect rectBar;
                pBar->GetWindowRect(rectBar);
                CPoint pt(rectDock.left + pick(std::max(1, (int)rectDock.Width())),
                          rectDock.top + pick(std::max(1, (int)rectDock.Height())));
                CRect rect(pt, rectBar.Size());
                m_pFrame->DockControlBar(pBar, pDockBar, &rect);
            }
            break;
        case 2:     // float at a point
            m_pFrame->FloatControlBar(pBar, CPoint(50 + pick(600), 50 + pick(500)),
                                      CBRS_ALIGN_TOP | CBRS_FLOAT_MULTI);
            break;
        case 3:     // join a floating frame of another bar
            for (CControlBar* pOther : m_bars)
            {
                if (pOther != pBar && pOther->IsFloating() && pOther->m_pDockBar != pBar->m_pDockBar)
                {
                    m_pFrame->DockControlBar(pBar, pOther->m_pDockBar, NULL);
                    break;
                }
            }
            break;
        case 4:     // show or hide at once
            m_shown[pBar] = !m_shown[pBar];
            m_pFrame->ShowControlBar(pBar, m_shown[pBar], FALSE);
            break;
        case 5:     // show or hide at the next idle turn
            m_shown[pBar] = !m_shown[pBar];
            m_pFrame->ShowControlBar(pBar, m_shown[pBar], TRUE);
            break;
        case 6:     // back and forth between the last docked and floating places
            pBar->m_pDockContext->ToggleDocking();
            break;
        case 7:     // the frame's size
            m_pFrame->SetWindowPos(NULL, 0, 0, 200 + pick(700), 250 + pick(450), SWP_NOMOVE | SWP_NOZORDER);
            break;
        case 8:     // the resizable bar's sizes, floating and docked
            m_pSizing->CalcDynamicLayout(40 + pick(260), LM_HORZ | LM_COMMIT | (pick(2) ? LM_LENGTHY : 0));
            m_pSizing->m_sizeDocked = CSize(40 + pick(300), 20 + pick(60));
            if (m_pSizing->IsFloating())
                m_pSizing->GetDockingFrame()->RecalcLayout();
            else
                m_pFrame->DelayRecalcLayout();
            break;
        case 9:
            m_pFrame->RecalcLayout();
            break;
        default:
            break;
        }
        BOOL bIdle = (nOp == 10 || pick(3) == 0);
        if (bIdle)
            RunIdle();
        CheckInvariant(nStep, bIdle);
        CString strStep;
        strStep.Format("step %d op %d bar %d%s; ", nStep, nOp, pBar->GetDlgCtrlID(), bIdle ? " idle" : "");
        strHistory += strStep;
        if (strHistory.GetLength() > 400)
            strHistory = strHistory.Right(400);
        if (HasFatalFailure())
        {
            ADD_FAILURE() << (LPCTSTR)strHistory;
            return;
        }
    }
}
