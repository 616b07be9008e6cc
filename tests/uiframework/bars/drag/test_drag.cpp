// Drag decisions for given frame layouts and whole drags driven by posted mouse messages.
#include "drag_support.h"

namespace
{

typedef CExtControlBar::InternalDraggingState_t State;

int CountFrameBars(CFrameWnd* pFrame)
{
    return (int)pFrame->m_listControlBars.GetCount();
}

// Posts the moves and the release, then runs the drag from ptStart.
void DragBar(CExtControlBar* pBar, CPoint ptStart, const std::vector<CPoint>& moves,
             bool bRelease = true)
{
    for (const CPoint& pt : moves)
        PostMouseAt(pBar, WM_MOUSEMOVE, pt);
    if (bRelease)
        PostMouseAt(pBar, WM_LBUTTONUP, moves.empty() ? ptStart : moves.back(), 0);
    pBar->StartDragging(ptStart, CPoint(0, 0), 0, 0);
    PumpPendingMessages();
}

// Posts a key-down to a window when its own message comes: a key typed during a drag.
class CKeyLater : public CWnd
{
public:
    HWND m_hWndTarget = NULL;
    UINT m_nKey = VK_ESCAPE;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP + 8)
        {
            ::PostQuitMessage(7);
            return 0;
        }
        if (message == WM_APP + 7)
        {
            ::PostMessageA(m_hWndTarget, WM_KEYDOWN, m_nKey, 0);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

CPoint CaptionPoint(CExtControlBar* pBar)
{
    CRect rc = ScreenRect(pBar);
    return CPoint(rc.left + 30, rc.top + 8);
}

} // namespace

class DragTest : public UiBarsTest
{
protected:
    void SetUp() override
    {
        UiBarsTest::SetUp();
        SetCtrlHeld(false);
        m_pA = NewBar(0xE901, "A");
        m_pB = NewBar(0xE902, "B");
        ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
        ASSERT_TRUE(m_pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
    }
    void TearDown() override
    {
        SetCtrlHeld(false);
        UiBarsTest::TearDown();
    }
    CTestResizableBar* m_pA = NULL;
    CTestResizableBar* m_pB = NULL;
};

TEST_F(DragTest, EdgeTypesAtTheirDistancesAndNoDockBarsMadeWhileHitTesting)
{
    CRect I = InnerDockingArea(m_pFrame);
    ASSERT_FALSE(I.IsRectEmpty());
    int nBars = CountFrameBars(m_pFrame);
    State st(m_pB);
    CPoint ptMidX(I.CenterPoint().x, 0);

    // no resizable bar at the top: 10 outside the top edge is the outer edge, 8 inside the inner
    st.CalcStateAtPoint(CPoint(ptMidX.x, I.top - 10), FALSE);
    EXPECT_FALSE(st.m_bEmpty);
    EXPECT_EQ(st.m_eType, 9);
    EXPECT_EQ(st.m_nCircle, 1);
    EXPECT_EQ(st.m_rc.top, I.top);
    EXPECT_EQ(st.m_rc.Height(), m_pB->m_sizeDockedH.cy);
    st.CalcStateAtPoint(CPoint(ptMidX.x, I.top + 8), FALSE);
    EXPECT_EQ(st.m_eType, 5);
    st.CalcStateAtPoint(CPoint(ptMidX.x, I.bottom + 10), FALSE);
    EXPECT_EQ(st.m_eType, 10);
    st.CalcStateAtPoint(CPoint(ptMidX.x, I.bottom - 8), FALSE);
    EXPECT_EQ(st.m_eType, 6);
    // 13 pixels outside is no edge any more: floats
    st.CalcStateAtPoint(CPoint(ptMidX.x, I.top - 13), FALSE);
    EXPECT_EQ(st.m_eType, 0);

    // a bar whose dock style leaves out the top gets no top type
    DWORD dwOld = m_pB->m_dwDockStyle;
    m_pB->m_dwDockStyle = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
    st.CalcStateAtPoint(CPoint(ptMidX.x, I.top - 10), FALSE);
    EXPECT_EQ(st.m_eType, 0);
    m_pB->m_dwDockStyle = dwOld;

    // forced floating and Ctrl give the float outline at the cursor
    st.CalcStateAtPoint(CPoint(ptMidX.x, I.top + 8), TRUE);
    EXPECT_EQ(st.m_eType, 0);
    SetCtrlHeld(true);
    st.CalcStateAtPoint(CPoint(ptMidX.x, I.top + 8), FALSE);
    EXPECT_EQ(st.m_eType, 0);
    EXPECT_EQ(st.m_rc.TopLeft(), CPoint(ptMidX.x - m_pB->m_nDragOffsetFloatX,
                                        I.top + 8 - m_pB->m_nDragOffsetFloatY));
    SetCtrlHeld(false);

    EXPECT_EQ(CountFrameBars(m_pFrame), nBars);
}

TEST_F(DragTest, DockedTargetsAndTheBarItself)
{
    CRect rcA = ScreenRect(m_pA);
    CRect rcB = ScreenRect(m_pB);
    State st(m_pB);
    // the top strip of A: beside it on top, half of A as outline
    st.CalcStateAtPoint(CPoint(rcA.CenterPoint().x, rcA.top + 28), FALSE);
    EXPECT_EQ(st.m_eType, 1);
    EXPECT_EQ(st.m_pBarTarget, (CExtControlBar*)m_pA);
    EXPECT_EQ(st.m_rc.left, rcA.left);
    EXPECT_EQ(st.m_rc.top, rcA.top);
    EXPECT_EQ(st.m_rc.right, rcA.right);
    EXPECT_EQ(st.m_rc.bottom, rcA.top + rcA.Height() / 2);
    st.CalcStateAtPoint(CPoint(rcA.CenterPoint().x, rcA.bottom - 10), FALSE);
    EXPECT_EQ(st.m_eType, 2);
    st.CalcStateAtPoint(CPoint(rcA.left + 13, rcA.CenterPoint().y), FALSE);
    EXPECT_EQ(st.m_eType, 3);
    EXPECT_EQ(st.m_rc.Width(), rcA.Width() / 2);
    st.CalcStateAtPoint(CPoint(rcA.right - 13, rcA.CenterPoint().y), FALSE);
    EXPECT_EQ(st.m_eType, 4);
    // over its own window: no move
    st.CalcStateAtPoint(rcB.CenterPoint(), FALSE);
    EXPECT_EQ(st.m_eType, 13);
    EXPECT_EQ(st.m_pBarTarget, (CExtControlBar*)NULL);
    // equal states compare equal, another point differs
    State st2(m_pB);
    st2.CalcStateAtPoint(rcB.CenterPoint(), FALSE);
    EXPECT_TRUE(st.IsEqual(st2));
    st2.CalcStateAtPoint(CPoint(rcA.CenterPoint().x, rcA.top + 28), FALSE);
    EXPECT_FALSE(st.IsEqual(st2));
}

TEST_F(DragTest, InnerEdgeCircleChoice)
{
    CRect I = InnerDockingArea(m_pFrame);
    CWnd* pPane = m_pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    ASSERT_TRUE(pPane != NULL);
    CRect V = ScreenRect(pPane);
    State st(m_pB);
    // B sits in circle 1; the top's innermost circle is 1: a new circle 2
    st.CalcStateAtPoint(CPoint(V.CenterPoint().x, V.top + 5), FALSE);
    ASSERT_EQ(st.m_eType, 5);
    EXPECT_EQ(st.m_nCircle, 2);
    // three circles and a floating bar: circle 3 is taken when its sides hold no bar
    m_pB->FloatAtPosition(CPoint(600, 500));
    ASSERT_GE(CExtDockBar::CreateInnerCircle(m_pFrame), 2);
    ASSERT_GE(CExtDockBar::CreateInnerCircle(m_pFrame), 3);
    m_pFrame->RecalcLayout();
    V = ScreenRect(pPane);
    State stF(m_pB);
    stF.CalcStateAtPoint(CPoint(V.CenterPoint().x, V.top + 5), FALSE);
    ASSERT_EQ(stF.m_eType, 5);
    int c = DYNAMIC_DOWNCAST(CExtDockBar, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP))
                ->GetInnermost()->GetCircleNo();
    EXPECT_GE(c, 3);
    EXPECT_EQ(stF.m_nCircle, c);
    // with a bar in the left dock bar of that circle: one further in
    CTestResizableBar* pC = NewBar(0xE903, "C");
    ASSERT_TRUE(pC->DockToFrameSideLevel(AFX_IDW_DOCKBAR_LEFT, (UINT)c));
    m_pFrame->RecalcLayout();
    V = ScreenRect(pPane);
    stF.CalcStateAtPoint(CPoint(V.CenterPoint().x, V.top + 5), FALSE);
    ASSERT_EQ(stF.m_eType, 5);
    int c2 = DYNAMIC_DOWNCAST(CExtDockBar, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP))
                 ->GetInnermost()->GetCircleNo();
    EXPECT_EQ(pC->m_pDockBar, (CDockBar*)CExtDockBar::FindCircleDockBar(m_pFrame, c2,
                                                                        AFX_IDW_DOCKBAR_LEFT, false));
    EXPECT_EQ(stF.m_nCircle, c2 + 1);
    (void)I;
}

TEST_F(DragTest, DraggingToEachSideAndToFloat)
{
    // to the top: 8 pixels inside the inner edge
    CPoint ptStart = CaptionPoint(m_pB);
    CWnd* pPane = m_pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    CRect V = ScreenRect(pPane);
    DragBar(m_pB, ptStart, { CPoint(ptStart.x - 50, ptStart.y + 20), CPoint(V.CenterPoint().x, V.top + 5) });
    EXPECT_FALSE(m_pB->m_bDragging);
    EXPECT_TRUE(m_pB->IsDockedAtTop());
    EXPECT_TRUE(CExtControlBar::g_DragStateCurrent.m_bEmpty);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    ExpectAllArraysSound();
    // to the bottom
    m_pFrame->RecalcLayout();
    V = ScreenRect(pPane);
    DragBar(m_pB, CaptionPoint(m_pB), { CPoint(V.CenterPoint().x, V.bottom - 5) });
    EXPECT_TRUE(m_pB->IsDockedAtBottom());
    // to the left, next to A
    m_pFrame->RecalcLayout();
    V = ScreenRect(pPane);
    DragBar(m_pB, CaptionPoint(m_pB), { CPoint(V.left + 5, V.CenterPoint().y) });
    EXPECT_TRUE(m_pB->IsDockedAtLeft());
    // to the right outer edge
    m_pFrame->RecalcLayout();
    CRect I = InnerDockingArea(m_pFrame);
    DragBar(m_pB, CaptionPoint(m_pB), { CPoint(I.right + 8, I.CenterPoint().y) });
    EXPECT_TRUE(m_pB->IsDockedAtRight());
    ExpectAllArraysSound();
    // beside A, below it: a container holds both
    CRect rcA = ScreenRect(m_pA);
    DragBar(m_pB, CaptionPoint(m_pB), { CPoint(rcA.CenterPoint().x, rcA.bottom - 10) });
    EXPECT_EQ(m_pB->m_pDockBar, m_pA->m_pDockBar);
    EXPECT_TRUE(DYNAMIC_DOWNCAST(CExtDockDynBar, m_pB->m_pDockBar) != NULL);
    ExpectAllArraysSound();
    // out of the frame: floats where the cursor holds it
    CPoint ptStart2 = CaptionPoint(m_pB);
    CPoint ptDrop(ScreenRect(m_pFrame).right + 60, 300);
    DragBar(m_pB, ptStart2, { ptDrop });
    ASSERT_TRUE(m_pB->IsFloating());
    CFrameWnd* pMini = m_pB->GetParentFrame();
    ASSERT_TRUE(pMini != NULL);
    EXPECT_TRUE(pMini->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
    CRect rcMini = ScreenRect(pMini);
    EXPECT_EQ(rcMini.TopLeft(), CPoint(ptDrop.x - m_pB->m_nDragOffsetFloatX,
                                       ptDrop.y - m_pB->m_nDragOffsetFloatY));
    ExpectAllArraysSound();
}

TEST_F(DragTest, EscQuitAndThresholdLeaveTheBarWhereItWas)
{
    CRect rcB = ScreenRect(m_pB);
    CPoint ptStart = CaptionPoint(m_pB);
    CRect I = InnerDockingArea(m_pFrame);
    int nBars = CountFrameBars(m_pFrame);

    // Esc during the drag
    CKeyLater wndKey;
    ASSERT_TRUE(wndKey.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 1, 1), NULL, 0));
    wndKey.m_hWndTarget = m_pB->m_hWnd;
    PostMouseAt(m_pB, WM_MOUSEMOVE, CPoint(I.CenterPoint().x, I.top - 10));
    ::PostMessageA(wndKey.m_hWnd, WM_APP + 7, 0, 0);
    m_pB->StartDragging(ptStart, CPoint(0, 0), 0, 0);
    EXPECT_FALSE(m_pB->m_bDragging);
    PumpPendingMessages();
    EXPECT_TRUE(m_pB->IsDockedAtRight());
    EXPECT_EQ(ScreenRect(m_pB), rcB);
    EXPECT_EQ(CountFrameBars(m_pFrame), nBars);

    // the quit message cancels, comes back and the loop leaves
    PostMouseAt(m_pB, WM_MOUSEMOVE, CPoint(I.CenterPoint().x, I.top - 10));
    ::PostMessageA(wndKey.m_hWnd, WM_APP + 8, 0, 0);
    m_pB->StartDragging(ptStart, CPoint(0, 0), 0, 0);
    EXPECT_FALSE(m_pB->m_bDragging);
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, (WPARAM)7);
    PumpPendingMessages();
    EXPECT_TRUE(m_pB->IsDockedAtRight());

    // press and release within the thresholds: no drag
    PostMouseAt(m_pB, WM_MOUSEMOVE, ptStart + CPoint(2, 1));
    PostMouseAt(m_pB, WM_LBUTTONUP, ptStart + CPoint(2, 1), 0);
    m_pB->StartDragging(ptStart, CPoint(0, 0), 4, 4);
    EXPECT_FALSE(m_pB->m_bDragging);
    PumpPendingMessages();
    EXPECT_TRUE(m_pB->IsDockedAtRight());
    EXPECT_EQ(ScreenRect(m_pB), rcB);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    wndKey.DestroyWindow();
}

TEST_F(DragTest, KeysTypedBeforeTheDragStayQueued)
{
    CWnd* pPane = m_pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    CRect V = ScreenRect(pPane);
    ::PostMessageA(pPane->m_hWnd, WM_CHAR, 'q', 0);
    DragBar(m_pB, CaptionPoint(m_pB), { CPoint(V.CenterPoint().x, V.top + 5) }, true);
    // not cancelled by the key, and the key is still there
    EXPECT_TRUE(m_pB->IsDockedAtTop());
    // DragBar pumped the queue: the character reached the pane instead of being dropped
    ::PostMessageA(pPane->m_hWnd, WM_CHAR, 'r', 0);
    PostMouseAt(m_pB, WM_MOUSEMOVE, CaptionPoint(m_pB) + CPoint(0, 300));
    PostMouseAt(m_pB, WM_LBUTTONUP, CaptionPoint(m_pB) + CPoint(0, 300), 0);
    m_pB->StartDragging(CaptionPoint(m_pB), CPoint(0, 0), 0, 0);
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, pPane->m_hWnd, WM_CHAR, WM_CHAR, PM_REMOVE));
    EXPECT_EQ(msg.wParam, (WPARAM)'r');
}

TEST_F(DragTest, CtrlDuringTheDragFloats)
{
    CWnd* pPane = m_pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    CRect V = ScreenRect(pPane);
    CPoint ptDrop(V.CenterPoint().x, V.top + 5);
    SetCtrlHeld(true);
    DragBar(m_pB, CaptionPoint(m_pB), { ptDrop });
    SetCtrlHeld(false);
    ASSERT_TRUE(m_pB->IsFloating());
    CRect rcMini = ScreenRect(m_pB->GetParentFrame());
    EXPECT_EQ(rcMini.TopLeft(), CPoint(ptDrop.x - m_pB->m_nDragOffsetFloatX,
                                       ptDrop.y - m_pB->m_nDragOffsetFloatY));
}

TEST_F(DragTest, DroppingOnAFloatingBarsFrameGroupsThemThere)
{
    m_pA->m_sizeFloated = CSize(240, 200);
    m_pA->FloatAtPosition(CPoint(250, 150));
    PumpPendingMessages();
    CFrameWnd* pMiniA = m_pA->GetParentFrame();
    ASSERT_TRUE(pMiniA != NULL && pMiniA->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
    CRect R = ScreenRect(pMiniA);
    // the decision first: the 32-pixel strip at the frame's left
    State st(m_pB);
    st.CalcStateAtPoint(CPoint(R.left + 10, R.CenterPoint().y), FALSE);
    EXPECT_EQ(st.m_eType, 3);
    EXPECT_EQ(st.m_pBarTarget, (CExtControlBar*)m_pA);
    EXPECT_EQ(st.m_rc, CRect(R.left, R.top, R.left + R.Width() / 2, R.bottom));
    // the drop puts both into one container in that frame
    DragBar(m_pB, CaptionPoint(m_pB), { CPoint(R.left + 10, R.CenterPoint().y) });
    EXPECT_EQ(m_pB->m_pDockBar, m_pA->m_pDockBar);
    EXPECT_TRUE(DYNAMIC_DOWNCAST(CExtDockDynBar, m_pB->m_pDockBar) != NULL);
    EXPECT_TRUE(m_pB->IsWindowVisible());
    EXPECT_LT(ScreenRect(m_pB).left, ScreenRect(m_pA).left);
    ExpectAllArraysSound();
}

TEST_F(DragTest, FloatingABarGivesItsLengthToTheNextBarOfItsRow)
{
    // A, B and C in one row at the top, 150, 250 and 350 pixels long
    CTestResizableBar* pC = NewBar(0xE903, "C");
    ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    ASSERT_TRUE(m_pB->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    ASSERT_TRUE(pC->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    CDockBar* pDock = m_pA->m_pDockBar;
    ASSERT_EQ(pDock, m_pB->m_pDockBar);
    ASSERT_EQ(pDock, pC->m_pDockBar);
    pDock->m_arrBars.RemoveAll();
    pDock->m_arrBars.Add(NULL);
    pDock->m_arrBars.Add(m_pA);
    pDock->m_arrBars.Add(m_pB);
    pDock->m_arrBars.Add(pC);
    pDock->m_arrBars.Add(NULL);
    CRect rcDock;
    pDock->GetClientRect(&rcDock);
    int nRow = rcDock.Width();
    m_pA->m_sizeDockedH.cx = nRow / 6;
    m_pB->m_sizeDockedH.cx = nRow / 3;
    pC->m_sizeDockedH.cx = nRow - nRow / 6 - nRow / 3;
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    int nA = ScreenRect(m_pA).Width(), nB = ScreenRect(m_pB).Width(), nC = ScreenRect(pC).Width();
    ASSERT_LT(nA, nB);
    ASSERT_LT(nB, nC);
    // B dragged out of the frame: C, the bar after it, takes its length; A keeps its own
    CPoint ptDrop(ScreenRect(m_pFrame).right + 60, 300);
    DragBar(m_pB, CaptionPoint(m_pB), { ptDrop });
    ASSERT_TRUE(m_pB->IsFloating());
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    EXPECT_EQ(ScreenRect(m_pA).Width(), nA);
    EXPECT_EQ(ScreenRect(pC).Width(), nB + nC);
    // C, now last, dragged out: A before it takes its length
    DragBar(pC, CaptionPoint(pC), { CPoint(ScreenRect(m_pFrame).right + 60, 200) });
    ASSERT_TRUE(pC->IsFloating());
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    EXPECT_EQ(ScreenRect(m_pA).Width(), nA + nB + nC);
    ExpectAllArraysSound();
}
