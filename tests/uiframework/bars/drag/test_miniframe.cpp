// The floating mini frame: its frame metrics, hit test, caption drag, resizing loop and
// keeping the caption on the screen; live moves of a fixed-size bar.
#include "drag_support.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"

namespace
{

CExtMiniDockFrameWnd* MiniOf(CExtControlBar* pBar)
{
    return DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pBar->GetParentFrame());
}

} // namespace

class MiniFrameTest : public UiBarsTest
{
protected:
    void SetUp() override
    {
        UiBarsTest::SetUp();
        m_pBar = NewBar(0xE910, "Floating");
        ASSERT_TRUE(m_pBar->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
        m_pBar->m_sizeFloated = CSize(220, 160);
        m_pBar->FloatAtPosition(CPoint(300, 200));
        PumpPendingMessages();
        m_pMini = MiniOf(m_pBar);
        ASSERT_TRUE(m_pMini != NULL);
    }
    CTestResizableBar* m_pBar = NULL;
    CExtMiniDockFrameWnd* m_pMini = NULL;
};

TEST_F(MiniFrameTest, OwnFrameReplacesTheSystemOne)
{
    DWORD dwStyle = m_pMini->GetStyle();
    EXPECT_EQ(dwStyle & (WS_CAPTION | WS_THICKFRAME | MFS_4THICKFRAME), 0u);
    EXPECT_NE(dwStyle & WS_CLIPCHILDREN, 0u);
    EXPECT_EQ(m_pMini->GetExStyle() & (WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE), 0u);
    // a style change brings no system frame back
    ::SetWindowLongA(m_pMini->m_hWnd, GWL_STYLE, (LONG)(dwStyle | WS_CAPTION));
    m_pMini->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                          SWP_NOACTIVATE | SWP_FRAMECHANGED);
    EXPECT_EQ(m_pMini->GetStyle() & WS_CAPTION, 0u);
    // client = window less the frame and the small caption
    CRect rcWnd = ScreenRect(m_pMini), rcClient;
    m_pMini->GetClientRect(&rcClient);
    int cx = ::GetSystemMetrics(SM_CXFRAME), cy = ::GetSystemMetrics(SM_CYFRAME);
    EXPECT_EQ(rcClient.Width(), rcWnd.Width() - 2 * cx);
    EXPECT_EQ(rcClient.Height(), rcWnd.Height() - 2 * cy - ::GetSystemMetrics(SM_CYSMCAPTION));
    // the frame is as large as the bar's floating size
    EXPECT_EQ(rcClient.Size(), m_pBar->m_sizeFloated);
    EXPECT_EQ(rcWnd.TopLeft(), CPoint(300, 200));
}

TEST_F(MiniFrameTest, HitTestBandsAndCorners)
{
    CRect rc = ScreenRect(m_pMini);
    int cx = ::GetSystemMetrics(SM_CXFRAME), cy = ::GetSystemMetrics(SM_CYFRAME);
    int cap = ::GetSystemMetrics(SM_CYSMCAPTION);
    EXPECT_EQ(m_pMini->HitTestAt(CPoint(rc.left - 1, rc.top + 5)), (UINT)HTNOWHERE);
    EXPECT_EQ(m_pMini->HitTestAt(CPoint(rc.left + cap - 1, rc.top)), (UINT)HTTOPLEFT);
    EXPECT_EQ(m_pMini->HitTestAt(CPoint(rc.right - 10, rc.top)), cy <= 10 ? (UINT)HTTOP
                                                                           : (UINT)HTTOPRIGHT);
    EXPECT_EQ(m_pMini->HitTestAt(CPoint(rc.CenterPoint().x, rc.top)), (UINT)HTTOP);
    EXPECT_EQ(m_pMini->HitTestAt(CPoint(rc.CenterPoint().x, rc.bottom - 1)), (UINT)HTBOTTOM);
    EXPECT_EQ(m_pMini->HitTestAt(CPoint(rc.right - 1, rc.bottom - 1)), (UINT)HTBOTTOMRIGHT);
    EXPECT_EQ(m_pMini->HitTestAt(CPoint(rc.left, rc.CenterPoint().y)), (UINT)HTLEFT);
    EXPECT_EQ(m_pMini->HitTestAt(CPoint(rc.right - 1, rc.CenterPoint().y)), (UINT)HTRIGHT);
    EXPECT_EQ(m_pMini->HitTestAt(CPoint(rc.left + 30, rc.top + cy + cap / 2)), (UINT)HTCAPTION);
    EXPECT_EQ(m_pMini->HitTestAt(rc.CenterPoint()), (UINT)HTCLIENT);
    (void)cx;
    // the window answers the same through its message
    CPoint pt(rc.left + 30, rc.top + cy + cap / 2);
    EXPECT_EQ(m_pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)), (LRESULT)HTCAPTION);
}

TEST_F(MiniFrameTest, CaptionDragMovesTheFrameWithTheCursor)
{
    CRect rc = ScreenRect(m_pMini);
    int cy = ::GetSystemMetrics(SM_CYFRAME);
    CPoint ptPress(rc.left + 40, rc.top + cy + 5);
    // inside its own frame and then out of the main frame: the frame follows the cursor
    CPoint ptEnd(ptPress.x + 37, ptPress.y + 21);
    PostMouseAt(m_pBar, WM_MOUSEMOVE, ptPress + CPoint(10, 5));
    PostMouseAt(m_pBar, WM_MOUSEMOVE, ptEnd);
    PostMouseAt(m_pBar, WM_LBUTTONUP, ptEnd, 0);
    m_pMini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptPress.x, ptPress.y));
    PumpPendingMessages();
    ASSERT_TRUE(m_pBar->IsFloating());
    EXPECT_EQ(MiniOf(m_pBar), m_pMini);
    EXPECT_EQ(ScreenRect(m_pMini).TopLeft(), rc.TopLeft() + CPoint(37, 21));
    EXPECT_FALSE(m_pBar->m_bDragging);
}

TEST_F(MiniFrameTest, ResizingLoopFollowsTheEdgeAndKeepsTheMinimum)
{
    CRect rc = ScreenRect(m_pMini);
    // the right edge 40 pixels out
    CPoint ptPress(rc.right - 1, rc.CenterPoint().y);
    PostMouseAt(m_pMini, WM_MOUSEMOVE, ptPress + CPoint(20, 0));
    PostMouseAt(m_pMini, WM_MOUSEMOVE, ptPress + CPoint(40, 0));
    PostMouseAt(m_pMini, WM_LBUTTONUP, ptPress + CPoint(40, 0), 0);
    m_pMini->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptPress.x, ptPress.y));
    PumpPendingMessages();
    CRect rc2 = ScreenRect(m_pMini);
    EXPECT_FALSE(m_pMini->IsResizing());
    EXPECT_EQ(rc2.left, rc.left);
    EXPECT_EQ(rc2.right, rc.right + 40);     // the edge keeps its distance from the cursor
    EXPECT_EQ(rc2.Height(), rc.Height());
    CRect rcClient;
    m_pMini->GetClientRect(&rcClient);
    EXPECT_EQ(m_pBar->m_sizeFloated, rcClient.Size());
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    // the top-left corner far past the opposite edges: the minimal floating size stays
    CPoint ptCorner(rc2.left, rc2.top);
    PostMouseAt(m_pMini, WM_MOUSEMOVE, CPoint(rc2.right + 100, rc2.bottom + 100));
    PostMouseAt(m_pMini, WM_LBUTTONUP, CPoint(rc2.right + 100, rc2.bottom + 100), 0);
    m_pMini->SendMessage(WM_NCLBUTTONDOWN, HTTOPLEFT, MAKELPARAM(ptCorner.x, ptCorner.y));
    PumpPendingMessages();
    CRect rc3 = ScreenRect(m_pMini);
    EXPECT_EQ(rc3.right, rc2.right);
    EXPECT_EQ(rc3.bottom, rc2.bottom);
    m_pMini->GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.Width(), std::max(80, m_pBar->CalcMinWidth()));
    EXPECT_EQ(rcClient.Height(), std::max(60, m_pBar->CalcMinHeight()));
    // Esc ends a resize where it stands
    CRect rc4 = ScreenRect(m_pMini);
    ::PostMessageA(m_pMini->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMouseAt(m_pMini, WM_MOUSEMOVE, CPoint(rc4.right + 50, rc4.CenterPoint().y));
    m_pMini->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(rc4.right - 1, rc4.CenterPoint().y));
    PumpPendingMessages();
    EXPECT_EQ(ScreenRect(m_pMini), rc4);
    EXPECT_FALSE(m_pMini->IsResizing());
}

TEST_F(MiniFrameTest, CaptionIsKeptOnTheWorkArea)
{
    CRect rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    m_pMini->SetWindowPos(NULL, 100, rcWork.top - 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(ScreenRect(m_pMini).top, rcWork.top);
    m_pMini->SetWindowPos(NULL, 100, rcWork.bottom - 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    int nCaptionBottom = ScreenRect(m_pMini).top + ::GetSystemMetrics(SM_CYFRAME) +
                         ::GetSystemMetrics(SM_CYSMCAPTION);
    EXPECT_EQ(nCaptionBottom, rcWork.bottom);
    EXPECT_EQ(ScreenRect(m_pMini).left, 100);
}

TEST_F(MiniFrameTest, DoubleClickOnTheCaptionDocksTheBar)
{
    CRect rc = ScreenRect(m_pMini);
    HWND hWndMini = m_pMini->m_hWnd;
    CPoint pt(rc.left + 30, rc.top + ::GetSystemMetrics(SM_CYFRAME) + 4);
    m_pMini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    PumpPendingMessages();
    EXPECT_FALSE(m_pBar->IsFloating());
    EXPECT_TRUE(m_pBar->IsDocked());
    EXPECT_FALSE(::IsWindow(hWndMini));
    ExpectAllArraysSound();
}

class FixedDragTest : public UiBarsTest
{
protected:
    CTestFixedBar* NewFixed(UINT nID)
    {
        CTestFixedBar* pBar = new CTestFixedBar;
        m_fixed.push_back(pBar);
        EXPECT_TRUE(pBar->CreateTestBar(m_pFrame, nID));
        return pBar;
    }
    void TearDown() override
    {
        UiBarsTest::TearDown();
        for (CTestFixedBar* p : m_fixed)
            delete p;
    }
    std::vector<CTestFixedBar*> m_fixed;
};

TEST_F(FixedDragTest, LiveMovesOwnRowOtherSideAndFloat)
{
    CTestFixedBar* pT1 = NewFixed(0xE920);
    CTestFixedBar* pT2 = NewFixed(0xE921);
    m_pFrame->DockControlBar(pT1, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(pT2, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    CDockBar* pTop = (CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    ASSERT_EQ(pT1->m_pDockBar, pTop);
    ASSERT_EQ(pT2->m_pDockBar, pTop);
    ASSERT_GE(ScreenRect(pT2).top, ScreenRect(pT1).bottom);   // two rows

    // alone in its row, dragged up into the row above that has room: joins it
    CRect rc1 = ScreenRect(pT1);
    CRect rc0 = ScreenRect(pT2);
    CPoint ptJoin(rc1.right + 60, rc1.CenterPoint().y);
    PostMouseAt(pT2, WM_MOUSEMOVE, ptJoin);
    PostMouseAt(pT2, WM_LBUTTONUP, ptJoin, 0);
    pT2->StartDragging(CPoint(rc0.left + 5, rc0.top + 5), CPoint(5, 5), 0, 0);
    PumpPendingMessages();
    EXPECT_EQ(ScreenRect(pT2).top, ScreenRect(pT1).top);
    EXPECT_GE(ScreenRect(pT2).left, ScreenRect(pT1).right);
    ExpectAllArraysSound();

    // below its row's band: T2 becomes a row of its own after the row
    CRect rc2 = ScreenRect(pT2);
    CPoint ptStart(rc2.left + 5, rc2.top + 5);
    PostMouseAt(pT2, WM_MOUSEMOVE, CPoint(ptStart.x + 3, rc2.bottom + 4));
    PostMouseAt(pT2, WM_LBUTTONUP, CPoint(ptStart.x + 3, rc2.bottom + 4), 0);
    pT2->StartDragging(ptStart, CPoint(5, 5), 0, 0);
    PumpPendingMessages();
    EXPECT_EQ(pT2->m_pDockBar, pTop);
    int n1 = ExtBarLayout::FindEntry(pTop->m_arrBars, pT1);
    int n2 = ExtBarLayout::FindEntry(pTop->m_arrBars, pT2);
    ASSERT_GT(n1, 0);
    ASSERT_GT(n2, n1);
    EXPECT_EQ(pTop->m_arrBars[n1 + 1], (void*)NULL);    // separate rows
    EXPECT_GE(ScreenRect(pT2).top, ScreenRect(pT1).bottom);
    ExpectAllArraysSound();

    // to the left dock bar, live
    CRect rcL = ScreenRect(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    rc2 = ScreenRect(pT2);
    ptStart = CPoint(rc2.left + 5, rc2.top + 5);
    CPoint ptLeft(rcL.left + 4, rcL.top + 150);
    PostMouseAt(pT2, WM_MOUSEMOVE, ptLeft);
    PostMouseAt(pT2, WM_LBUTTONUP, ptLeft, 0);
    pT2->StartDragging(ptStart, CPoint(5, 5), 0, 0);
    PumpPendingMessages();
    EXPECT_TRUE(pT2->IsDockedAtLeft());
    EXPECT_GT(ScreenRect(pT2).Height(), ScreenRect(pT2).Width());
    ExpectAllArraysSound();

    // out of the frame: floats at the cursor, and Esc afterwards leaves it there
    rc2 = ScreenRect(pT2);
    ptStart = CPoint(rc2.left + 5, rc2.top + 5);
    CPoint ptOut(ScreenRect(m_pFrame).right + 40, 200);
    PostMouseAt(pT2, WM_MOUSEMOVE, ptOut);
    PostMouseAt(pT2, WM_LBUTTONUP, ptOut, 0);
    pT2->StartDragging(ptStart, CPoint(5, 5), 0, 0);
    PumpPendingMessages();
    ASSERT_TRUE(pT2->IsFloating());
    CExtMiniDockFrameWnd* pMini = MiniOf(pT2);
    ASSERT_TRUE(pMini != NULL);
    EXPECT_EQ(ScreenRect(pMini).TopLeft(), CPoint(ptOut.x - pT2->m_nDragOffsetFloatX,
                                                  ptOut.y - pT2->m_nDragOffsetFloatY));
    // a floating fixed-size bar answers the top edge in its top corners
    CRect rcMini = ScreenRect(pMini);
    EXPECT_EQ(pMini->HitTestAt(CPoint(rcMini.left + 1, rcMini.top)), (UINT)HTTOP);
    EXPECT_EQ(pMini->HitTestAt(CPoint(rcMini.right - 1, rcMini.bottom - 1)), (UINT)HTBOTTOM);
    ExpectAllArraysSound();

    // by the floating frame's caption back into the top dock bar, beside T1
    HWND hWndMini = pMini->m_hWnd;
    CPoint ptCaption(rcMini.left + 12, rcMini.top + ::GetSystemMetrics(SM_CYFRAME) + 4);
    CRect rcT1 = ScreenRect(pT1);
    CPoint ptBack(rcT1.right + 40, rcT1.CenterPoint().y);
    PostMouseAt(pT2, WM_MOUSEMOVE, ptBack);
    PostMouseAt(pT2, WM_LBUTTONUP, ptBack, 0);
    pMini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
    PumpPendingMessages();
    EXPECT_FALSE(pT2->IsFloating());
    EXPECT_EQ(pT2->m_pDockBar, pTop);
    EXPECT_EQ(ScreenRect(pT2).top, ScreenRect(pT1).top);
    EXPECT_FALSE(::IsWindow(hWndMini) && ::IsWindowVisible(hWndMini));
    ExpectAllArraysSound();
}

TEST_F(MiniFrameTest, CaptionButtonsShowInTheFrameCaptionWithTips)
{
    PumpPendingMessages();
    m_pMini->SendMessage(WM_TIMER, 1);
    ASSERT_GT(m_pBar->m_arrNcButtons.GetSize(), 0);
    CExtBarNcAreaButton* pClose = m_pBar->m_arrNcButtons[0];
    ASSERT_TRUE(pClose->IsDisplayed());
    CRect rcMini = ScreenRect(m_pMini);
    // the button lies in the frame's caption, at its right end
    EXPECT_GE(pClose->m_rc.top, ::GetSystemMetrics(SM_CYFRAME));
    EXPECT_LE(pClose->m_rc.bottom, ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSMCAPTION));
    EXPECT_GT(pClose->m_rc.left, rcMini.Width() / 2);
    CPoint ptScreen = rcMini.TopLeft() + pClose->m_rc.CenterPoint();
    // the hit test answers the button, the click on it hides the bar
    UINT nHit = m_pMini->HitTestAt(ptScreen);
    EXPECT_NE(nHit, (UINT)HTCAPTION);
    EXPECT_NE(nHit, (UINT)HTCLIENT);
    CPoint ptClient(ptScreen);
    m_pMini->ScreenToClient(&ptClient);
    TOOLINFO ti;
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = sizeof(ti);
    EXPECT_NE(m_pMini->OnToolHitTest(ptClient, &ti), (INT_PTR)-1);
    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
        free(ti.lpszText);
    CRect rcClient;
    m_pMini->GetClientRect(&rcClient);
    EXPECT_EQ(m_pMini->OnToolHitTest(rcClient.CenterPoint(), &ti), (INT_PTR)-1);
    m_pMini->SendMessage(WM_NCLBUTTONDOWN, nHit, MAKELPARAM(ptScreen.x, ptScreen.y));
    m_pMini->SendMessage(WM_NCLBUTTONUP, nHit, MAKELPARAM(ptScreen.x, ptScreen.y));
    PumpPendingMessages();
    EXPECT_FALSE(m_pBar->IsWindowVisible());
}

TEST_F(FixedDragTest, RowsSwapWhenTheNeighbouringRowHasNoRoom)
{
    CTestFixedBar* pWide = new CTestFixedBar(700, 26);
    m_fixed.push_back(pWide);
    ASSERT_TRUE(pWide->CreateTestBar(m_pFrame, 0xE922));
    CTestFixedBar* pT = NewFixed(0xE923);
    m_pFrame->DockControlBar(pWide, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(pT, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    CDockBar* pTop = (CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    ASSERT_LT(ExtBarLayout::FindEntry(pTop->m_arrBars, pWide), ExtBarLayout::FindEntry(pTop->m_arrBars, pT));
    ASSERT_GE(ScreenRect(pT).top, ScreenRect(pWide).bottom);
    // T dragged up over the wide bar's row: no room there, the rows change places
    CRect rcT = ScreenRect(pT);
    CRect rcW = ScreenRect(pWide);
    CPoint ptUp(rcT.left + 10, rcW.top + 3);
    PostMouseAt(pT, WM_MOUSEMOVE, ptUp);
    PostMouseAt(pT, WM_LBUTTONUP, ptUp, 0);
    pT->StartDragging(CPoint(rcT.left + 5, rcT.top + 5), CPoint(5, 5), 0, 0);
    PumpPendingMessages();
    EXPECT_LT(ExtBarLayout::FindEntry(pTop->m_arrBars, pT), ExtBarLayout::FindEntry(pTop->m_arrBars, pWide));
    EXPECT_GE(ScreenRect(pWide).top, ScreenRect(pT).bottom);
    ExpectAllArraysSound();
}

TEST_F(FixedDragTest, RowsOfUnequalThicknessSwapOnlyWhenTheCursorPassesTheOtherRow)
{
    // a thick full row over a thin bar's row
    CTestFixedBar* pWide = new CTestFixedBar(700, 52);
    m_fixed.push_back(pWide);
    ASSERT_TRUE(pWide->CreateTestBar(m_pFrame, 0xE924));
    CTestFixedBar* pT = NewFixed(0xE925);
    m_pFrame->DockControlBar(pWide, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(pT, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    CDockBar* pTop = (CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    auto tFirst = [&]() {
        return ExtBarLayout::FindEntry(pTop->m_arrBars, pT) <
               ExtBarLayout::FindEntry(pTop->m_arrBars, pWide);
    };
    auto dragTo = [&](int y) {
        CRect rcT = ScreenRect(pT);
        CPoint pt(rcT.left + 10, y);
        PostMouseAt(pT, WM_MOUSEMOVE, pt);
        PostMouseAt(pT, WM_LBUTTONUP, pt, 0);
        pT->StartDragging(CPoint(rcT.left + 5, rcT.top + 5), CPoint(5, 5), 0, 0);
        PumpPendingMessages();
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
    };
    ASSERT_FALSE(tFirst());
    CRect rcW = ScreenRect(pWide), rcT = ScreenRect(pT);
    ASSERT_EQ(rcW.Height(), 52);
    ASSERT_EQ(rcT.Height(), 26);
    ASSERT_EQ(rcT.top, rcW.bottom);
    // into the lower half of the thick row: after a swap the cursor would lie in the thick
    // row again, so the rows stay
    dragTo(rcW.bottom - 10);
    EXPECT_FALSE(tFirst());
    EXPECT_EQ(ScreenRect(pT).top, rcW.bottom);
    // above the line a thin row at the top would end at: they swap
    dragTo(rcW.top + 10);
    ASSERT_TRUE(tFirst());
    rcW = ScreenRect(pWide);
    rcT = ScreenRect(pT);
    EXPECT_EQ(rcW.top, rcT.bottom);
    // back down into the upper part of the thick row: no swap back
    dragTo(rcW.top + 10);
    EXPECT_TRUE(tFirst());
    EXPECT_EQ(ScreenRect(pWide).top, rcT.bottom);
    // past where the thick row would end at the top: they swap back
    dragTo(rcW.bottom - 10);
    EXPECT_FALSE(tFirst());
    EXPECT_EQ(ScreenRect(pT).top, ScreenRect(pWide).bottom);
    ExpectAllArraysSound();
}

namespace
{

void PumpMs(DWORD nMs)
{
    const DWORD nStart = ::GetTickCount();
    do
    {
        CExtPopupMenuWnd::PumpPendingMessages(false);
        ::Sleep(2);
    } while (::GetTickCount() - nStart < nMs);
    CExtPopupMenuWnd::PumpPendingMessages(false);
}

void SendButton(DWORD dwFlags)
{
    INPUT in;
    memset(&in, 0, sizeof(in));
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = dwFlags;
    ::SendInput(1, &in, sizeof(INPUT));
}

// Mouse input sent by a thread of its own, the way a user gives it, while this thread
// runs whatever modal loop the input starts. A step moves the cursor (pt set) or sends
// button flags, then waits its pause.
struct InputStep_t
{
    CPoint pt;
    DWORD dwFlags;
    DWORD nPause;
};

struct InputScript_t
{
    std::vector<InputStep_t> m_steps;
    HDESK m_hDesk = NULL;
    volatile LONG m_bDone = 0;
    InputScript_t& Move(CPoint pt, DWORD nPause = 20)
    {
        m_steps.push_back({ pt, MOUSEEVENTF_MOVE, nPause });
        return *this;
    }
    InputScript_t& Button(DWORD dwFlags, DWORD nPause)
    {
        m_steps.push_back({ CPoint(-1, -1), dwFlags, nPause });
        return *this;
    }
    // A key press and release (the flags field holds the key with bit 31 set).
    InputScript_t& Key(WORD wVk, DWORD nPause)
    {
        m_steps.push_back({ CPoint(-1, -1), 0x80000000u | wVk, nPause });
        return *this;
    }
    static DWORD WINAPI Run(LPVOID p)
    {
        InputScript_t* pScript = (InputScript_t*)p;
        ::SetThreadDesktop(pScript->m_hDesk);
        for (const InputStep_t& step : pScript->m_steps)
        {
            if (step.pt.x >= 0)
                ::SetCursorPos(step.pt.x, step.pt.y);
            if (step.dwFlags & 0x80000000u)
            {
                INPUT key[2];
                memset(key, 0, sizeof(key));
                key[0].type = key[1].type = INPUT_KEYBOARD;
                key[0].ki.wVk = key[1].ki.wVk = (WORD)(step.dwFlags & 0xFFFF);
                key[1].ki.dwFlags = KEYEVENTF_KEYUP;
                ::SendInput(2, key, sizeof(INPUT));
            }
            else
                SendButton(step.dwFlags);
            ::Sleep(step.nPause);
        }
        ::InterlockedExchange(&pScript->m_bDone, 1);
        return 0;
    }
    // Sends the steps and dispatches this thread's messages until they are all given
    // and nSettle milliseconds more have passed.
    void Play(DWORD nSettle = 60)
    {
        m_hDesk = ::GetThreadDesktop(::GetCurrentThreadId());
        HANDLE hThread = ::CreateThread(NULL, 0, Run, this, 0, NULL);
        ASSERT_TRUE(hThread != NULL);
        while (::WaitForSingleObject(hThread, 0) != WAIT_OBJECT_0)
        {
            CExtPopupMenuWnd::PumpPendingMessages(false);
            ::MsgWaitForMultipleObjects(1, &hThread, FALSE, 5, QS_ALLINPUT);
        }
        ::CloseHandle(hThread);
        PumpMs(nSettle);
    }
};

void MoveTo(CPoint pt)
{
    InputScript_t().Move(pt).Play(20);
}

// A drag with the left button.
void DragWithInput(CPoint ptFrom, CPoint ptTo)
{
    InputScript_t()
        .Move(ptFrom)
        .Button(MOUSEEVENTF_LEFTDOWN, 30)
        .Move(CPoint((ptFrom.x + ptTo.x) / 2, (ptFrom.y + ptTo.y) / 2), 30)
        .Move(ptTo, 30)
        .Button(MOUSEEVENTF_LEFTUP, 30)
        .Play();
}

// Button messages that windows of the frame's client area (not the floating frame or its
// bar) receive: the window procedures of the watched window and its children are wrapped,
// so that a message taken off the queue and thrown away is not counted, one that reaches
// a window is.
struct ClickSpy_t
{
    static ClickSpy_t* s_pSpy;
    std::vector<std::pair<HWND, WNDPROC>> m_procs;
    std::vector<UINT> m_msgs;
    explicit ClickSpy_t(HWND hWnd)
    {
        s_pSpy = this;
        Wrap(hWnd);
        ::EnumChildWindows(hWnd, [](HWND hChild, LPARAM) -> BOOL { s_pSpy->Wrap(hChild); return TRUE; }, 0);
    }
    ~ClickSpy_t()
    {
        for (const auto& proc : m_procs)
        {
            if (::IsWindow(proc.first))
                ::SetWindowLongPtrA(proc.first, GWLP_WNDPROC, (LONG_PTR)proc.second);
        }
        s_pSpy = NULL;
    }
    void Wrap(HWND hWnd)
    {
        m_procs.emplace_back(hWnd, (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)Proc));
    }
    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        WNDPROC pOld = NULL;
        for (const auto& proc : s_pSpy->m_procs)
        {
            if (proc.first == hWnd)
                pOld = proc.second;
        }
        if (nMsg >= WM_LBUTTONDOWN && nMsg <= WM_MBUTTONDBLCLK)
            s_pSpy->m_msgs.push_back(nMsg);
        return pOld != NULL ? ::CallWindowProcA(pOld, hWnd, nMsg, wParam, lParam)
                            : ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    }
};
ClickSpy_t* ClickSpy_t::s_pSpy = NULL;

} // namespace

TEST_F(MiniFrameTest, DoubleClickWithInputDocksAfterResizesAndPopups)
{
    const UINT nDblTime = ::GetDoubleClickTime();
    ASSERT_GT(nDblTime, 200u);
    const DWORD gaps[] = { 20, 50, 80, 150, nDblTime / 2 };
    m_pFrame->SetForegroundWindow();
    m_pFrame->SetActiveWindow();
    int nRound = 0;
    for (DWORD nGap : gaps)
    {
        SCOPED_TRACE(testing::Message() << "gap " << nGap << " ms");
        if (!m_pBar->IsFloating())
        {
            m_pBar->FloatAtPosition(CPoint(300, 200));
            PumpMs(30);
        }
        CExtMiniDockFrameWnd* pMini = MiniOf(m_pBar);
        ASSERT_TRUE(pMini != NULL);
        ClickSpy_t spy(m_pFrame->m_wndPane.m_hWnd);
        // resize by the right and the bottom edges, a caption popup closed with Esc
        CRect rc = ScreenRect(pMini);
        DragWithInput(CPoint(rc.right - 2, rc.CenterPoint().y),
                      CPoint(rc.right + 30 + 7 * nRound, rc.CenterPoint().y));
        rc = ScreenRect(pMini);
        DragWithInput(CPoint(rc.CenterPoint().x, rc.bottom - 2),
                      CPoint(rc.CenterPoint().x, rc.bottom - 25));
        rc = ScreenRect(pMini);
        CPoint ptCaption(rc.left + 40, rc.top + ::GetSystemMetrics(SM_CYFRAME) +
                                           ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
        InputScript_t()
            .Move(ptCaption)
            .Button(MOUSEEVENTF_RIGHTDOWN, 30)
            .Button(MOUSEEVENTF_RIGHTUP, 80)
            .Play();
        // the popup is up and done opening
        for (int i = 0; i < 100 && (g_TrackingSite.m_pWndRoot == NULL ||
                                    g_TrackingSite.m_pWndAnimation != NULL ||
                                    !g_TrackingSite.m_pWndRoot->IsWindowVisible());
             i++)
            PumpMs(5);
        ASSERT_TRUE(g_TrackingSite.m_pWndRoot != NULL);
        EXPECT_TRUE(pMini->IsWindowVisible());
        // a click in the bar's own window closes the popup
        CRect rcBarWnd = ScreenRect(m_pBar);
        InputScript_t()
            .Move(rcBarWnd.CenterPoint())
            .Button(MOUSEEVENTF_LEFTDOWN, 20)
            .Button(MOUSEEVENTF_LEFTUP, 60)
            .Play();
        EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
        ASSERT_TRUE(m_pBar->IsFloating());
        ASSERT_EQ(MiniOf(m_pBar), pMini);
        EXPECT_EQ(ScreenRect(pMini).TopLeft(), rc.TopLeft());

        // the double click: two press and release pairs
        InputScript_t()
            .Move(ptCaption)
            .Button(MOUSEEVENTF_LEFTDOWN, 10)
            .Button(MOUSEEVENTF_LEFTUP, nGap)
            .Button(MOUSEEVENTF_LEFTDOWN, 10)
            .Button(MOUSEEVENTF_LEFTUP, 10)
            .Play(100);
        EXPECT_FALSE(m_pBar->IsFloating());
        EXPECT_TRUE(m_pBar->IsDocked());
        EXPECT_FALSE(m_pBar->m_bDragging);
        EXPECT_EQ(::GetCapture(), (HWND)NULL);
        EXPECT_TRUE(spy.m_msgs.empty()) << spy.m_msgs.size() << " button messages, first 0x"
                                        << std::hex << (spy.m_msgs.empty() ? 0 : spy.m_msgs[0]);
        nRound++;
    }
    ExpectAllArraysSound();
}

namespace
{

// What Wine's X11 driver does to an activated frame: it raises the frame over the windows
// it owns (and tells the window manager so a moment later).
void RaiseOverOwnedWindows(CWnd* pFrame, CWnd* pOwned)
{
    ::SetWindowLongPtrA(pOwned->m_hWnd, GWLP_HWNDPARENT, 0);
    ::SetWindowPos(pOwned->m_hWnd, pFrame->m_hWnd, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowLongPtrA(pOwned->m_hWnd, GWLP_HWNDPARENT, (LONG_PTR)pFrame->m_hWnd);
}

bool IsAbove(HWND hWnd, HWND hOther)
{
    for (HWND h = ::GetWindow(hOther, GW_HWNDPREV); h != NULL; h = ::GetWindow(h, GW_HWNDPREV))
    {
        if (h == hWnd)
            return true;
    }
    return false;
}

} // namespace

TEST_F(MiniFrameTest, FloatingFrameGoesBackAboveTheFrameRaisedOverIt)
{
    CRect rc = ScreenRect(m_pMini);
    CPoint ptCaption(rc.left + 40, rc.top + ::GetSystemMetrics(SM_CYFRAME) +
                                       ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
    CRect rcPane = ScreenRect(&m_pFrame->m_wndPane);
    ASSERT_TRUE(rcPane.PtInRect(ptCaption));
    CPoint ptPane(rcPane.left + 10, rcPane.bottom - 10);
    ASSERT_FALSE(rc.PtInRect(ptPane));
    ClickSpy_t spy(m_pFrame->m_wndPane.m_hWnd);

    // raised over it before the frame is activated: the activation puts it back
    InputScript_t().Move(ptCaption).Button(MOUSEEVENTF_LEFTDOWN, 20).Button(MOUSEEVENTF_LEFTUP, 60)
        .Play();
    EXPECT_EQ(::GetActiveWindow(), m_pMini->m_hWnd);
    RaiseOverOwnedWindows(m_pFrame, m_pMini);
    ASSERT_FALSE(IsAbove(m_pMini->m_hWnd, m_pFrame->m_hWnd));
    InputScript_t().Move(ptPane).Button(MOUSEEVENTF_RIGHTDOWN, 20).Button(MOUSEEVENTF_RIGHTUP, 60)
        .Play();
    EXPECT_EQ(::GetActiveWindow(), m_pFrame->m_hWnd);
    EXPECT_TRUE(IsAbove(m_pMini->m_hWnd, m_pFrame->m_hWnd));

    // raised over it once the frame is active, the way the driver does it
    InputScript_t().Move(ptCaption).Button(MOUSEEVENTF_LEFTDOWN, 20).Button(MOUSEEVENTF_LEFTUP, 60)
        .Play();
    InputScript_t().Move(ptPane).Button(MOUSEEVENTF_RIGHTDOWN, 20).Button(MOUSEEVENTF_RIGHTUP, 20)
        .Play(10);
    RaiseOverOwnedWindows(m_pFrame, m_pMini);
    PumpMs(150);
    EXPECT_TRUE(IsAbove(m_pMini->m_hWnd, m_pFrame->m_hWnd));
    EXPECT_EQ(::WindowFromPoint(ptCaption), m_pMini->m_hWnd);
    spy.m_msgs.clear();

    // a double click on the caption docks the bar; nothing reaches the pane below
    InputScript_t()
        .Move(ptCaption)
        .Button(MOUSEEVENTF_LEFTDOWN, 10)
        .Button(MOUSEEVENTF_LEFTUP, 60)
        .Button(MOUSEEVENTF_LEFTDOWN, 10)
        .Button(MOUSEEVENTF_LEFTUP, 10)
        .Play(100);
    EXPECT_TRUE(m_pBar->IsDocked());
    EXPECT_TRUE(spy.m_msgs.empty()) << spy.m_msgs.size() << " button messages in the pane";
    ExpectAllArraysSound();
}

namespace
{

void PumpFor(DWORD nMs)
{
    const DWORD nStart = ::GetTickCount();
    do
    {
        PumpPendingMessages();
        ::Sleep(5);
    } while (::GetTickCount() - nStart < nMs);
    PumpPendingMessages();
}

std::vector<COLORREF> PixelsOf(CWnd* pWnd, const CRect& rcWindow)
{
    CWindowDC dc(pWnd);
    std::vector<COLORREF> v;
    for (int y = rcWindow.top; y < rcWindow.bottom; y++)
        for (int x = rcWindow.left; x < rcWindow.right; x++)
            v.push_back(dc.GetPixel(x, y));
    return v;
}

int CountDifferent(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b)
{
    int n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); i++)
        n += a[i] != b[i];
    return n;
}

} // namespace

// A bar of the class library, no framework bar, floating in the framework's frame.
class PlainMiniFrameTest : public UiBarsTest
{
protected:
    void SetUp() override
    {
        UiBarsTest::SetUp();
        m_pToolBar = new CToolBar;
        ASSERT_TRUE(m_pToolBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE921));
        m_pToolBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->FloatControlBar(m_pToolBar, CPoint(320, 240));
        PumpPendingMessages();
        m_pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, m_pToolBar->GetParentFrame());
        ASSERT_TRUE(m_pMini != NULL);
        ASSERT_TRUE(m_pMini->GetExtBar() == NULL);
        m_pMini->SetWindowPos(NULL, 0, 0, 180, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        PumpPendingMessages();
    }
    void TearDown() override
    {
        ::SetCursorPos(2000, 2000);
        UiBarsTest::TearDown();
        delete m_pToolBar;
    }
    CToolBar* m_pToolBar = NULL;
    CExtMiniDockFrameWnd* m_pMini = NULL;
};

TEST_F(PlainMiniFrameTest, CloseButtonLightsWhileTheCursorIsOnIt)
{
    ::SetCursorPos(2000, 2000);
    m_pMini->SendMessage(WM_NCPAINT);
    CRect rcBtn = m_pMini->m_rcBtnClose;
    ASSERT_FALSE(rcBtn.IsRectEmpty());
    std::vector<COLORREF> off = PixelsOf(m_pMini, rcBtn);
    // the cursor comes onto the button
    CRect rcMini = ScreenRect(m_pMini);
    CPoint ptOn = rcMini.TopLeft() + rcBtn.CenterPoint();
    ::SetCursorPos(ptOn.x, ptOn.y);
    ::PostMessageA(m_pMini->m_hWnd, WM_NCMOUSEMOVE, m_pMini->HitTestAt(ptOn),
                   MAKELPARAM(ptOn.x, ptOn.y));
    PumpFor(60);
    std::vector<COLORREF> on = PixelsOf(m_pMini, rcBtn);
    EXPECT_GT(CountDifferent(off, on), rcBtn.Width() * rcBtn.Height() / 4);
    // it leaves the frame at once: no message comes, the timer notices
    ::SetCursorPos(2000, 2000);
    PumpFor(120);
    EXPECT_EQ(CountDifferent(off, PixelsOf(m_pMini, rcBtn)), 0);
    // a move over the caption beside the button lights nothing
    CPoint ptBeside(rcMini.left + m_pMini->m_rcCaption.left + 10, ptOn.y);
    ::SetCursorPos(ptBeside.x, ptBeside.y);
    ::PostMessageA(m_pMini->m_hWnd, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(ptBeside.x, ptBeside.y));
    PumpFor(60);
    EXPECT_EQ(CountDifferent(off, PixelsOf(m_pMini, rcBtn)), 0);
}

TEST_F(PlainMiniFrameTest, CloseButtonHidesTheBarWhenPressedAndReleasedOnIt)
{
    CRect rcMini = ScreenRect(m_pMini);
    CPoint ptOn = rcMini.TopLeft() + m_pMini->m_rcBtnClose.CenterPoint();
    CPoint ptBeside(rcMini.left + m_pMini->m_rcCaption.left + 10, ptOn.y);
    UINT nHit = m_pMini->HitTestAt(ptOn);
    // pressed on it, released beside it: nothing
    ::PostMessageA(m_pMini->m_hWnd, WM_NCLBUTTONDOWN, nHit, MAKELPARAM(ptOn.x, ptOn.y));
    ::PostMessageA(m_pMini->m_hWnd, WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(ptBeside.x, ptBeside.y));
    PumpFor(30);
    EXPECT_TRUE(m_pToolBar->IsWindowVisible());
    EXPECT_EQ(ScreenRect(m_pMini), rcMini);
    // pressed and released on it: the bar and its frame hide
    ::PostMessageA(m_pMini->m_hWnd, WM_NCLBUTTONDOWN, nHit, MAKELPARAM(ptOn.x, ptOn.y));
    ::PostMessageA(m_pMini->m_hWnd, WM_NCLBUTTONUP, nHit, MAKELPARAM(ptOn.x, ptOn.y));
    PumpFor(30);
    EXPECT_FALSE(m_pToolBar->IsWindowVisible());
    EXPECT_FALSE(m_pMini->IsWindowVisible());
}
