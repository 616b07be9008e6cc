// Dock markers of a drag: outer and inner marker sets, hit-testing, drag-state kinds,
// the highlight and a target that disappears.
#include "../uibars_support.h"
#include "uiframework/bars/ExtDynDockMarkerWnd.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"

namespace
{

class MarkerTest : public UiBarsTest
{
protected:
    CTestResizableBar* m_pDragged = NULL;
    CTestResizableBar* m_pDocked = NULL;

    void SetUp() override
    {
        UiBarsTest::SetUp();
        m_pDragged = NewBar(0xE820, "Dragged");
        m_pDocked = NewBar(0xE821, "Docked");
        ASSERT_TRUE(m_pDragged->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
        ASSERT_TRUE(m_pDocked->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
        m_pFrame->RecalcLayout();
        m_pDragged->m_bDragging = true;
    }
    void TearDown() override
    {
        CExtControlBar::g_nDockingUIStyle = -1;
        if (m_pDragged != NULL && m_pDragged->m_bDragging)
            m_pDragged->StopDragging(TRUE);
        CExtDynDockMarkerWnd::DestroyAllMarkers();
        if (m_pDragged != NULL)
            m_pDragged->m_bDragging = false;
        UiBarsTest::TearDown();
    }
    static CExtDynDockMarkerWnd* FindType(CPtrArray& arr, int nType)
    {
        for (INT_PTR i = 0; i < arr.GetSize(); i++)
            if (((CExtDynDockMarkerWnd*)arr[i])->m_nMarkerType == nType)
                return (CExtDynDockMarkerWnd*)arr[i];
        return NULL;
    }
    static CPoint ShapePoint(CExtDynDockMarkerWnd* p)
    {
        // a point of the marker's own shape
        CRect rc;
        p->GetWindowRect(&rc);
        CRect rcBox;
        p->m_rgn.GetRgnBox(&rcBox);
        for (int y = rcBox.top; y < rcBox.bottom; y++)
            for (int x = rcBox.left; x < rcBox.right; x++)
                if (p->m_rgn.PtInRegion(x, y) && p->m_rgn.PtInRegion(x + 1, y + 1) &&
                    x >= rcBox.left + rcBox.Width() / 3 && y >= rcBox.top + rcBox.Height() / 3)
                    return CPoint(rc.left + x, rc.top + y);
        return rc.CenterPoint();
    }
};

} // namespace

TEST_F(MarkerTest, OuterMarkersSurroundTheFreeAreaAndHitTest)
{
    EXPECT_EQ(CExtControlBar::g_nDockingUIStyle, -1);
    EXPECT_EQ(g_CurrentPaintManager->GetDockingMarkerStyle(), 0);
    CExtDynDockMarkerWnd::CreateOuterMarkers(m_pFrame, true);
    CPtrArray& arr = CExtControlBar::g_arrDockMarkersOuter;
    ASSERT_GE(arr.GetSize(), 4);
    CRect rcArea = CExtDynDockMarkerWnd::CalcOuterArea(m_pFrame);
    CRect rcFrameClient;
    m_pFrame->GetClientRect(&rcFrameClient);
    m_pFrame->ClientToScreen(&rcFrameClient);
    EXPECT_EQ(rcArea, rcFrameClient);   // no toolbars: the outer dock bars are empty
    for (int nType = 0; nType < 4; nType++)
    {
        CExtDynDockMarkerWnd* p = FindType(arr, nType);
        ASSERT_TRUE(p != NULL) << nType;
        ASSERT_TRUE(p->m_hWnd != NULL);
        EXPECT_TRUE(p->IsWindowVisible());
        EXPECT_TRUE(p->GetExStyle() & WS_EX_TOPMOST);
        char szClass[64] = {0};
        ::GetClassNameA(p->m_hWnd, szClass, 63);
        EXPECT_STREQ(szClass, "Baymoor-DynDockMarker");
        EXPECT_EQ(p->GetDragStateKind(), 14 + nType);
        EXPECT_TRUE(p->IsDockingMarker());
        CRect rc;
        p->GetWindowRect(&rc);
        EXPECT_TRUE(rcArea.PtInRect(rc.CenterPoint()));
        EXPECT_EQ(CExtDynDockMarkerWnd::HitTestMarkers(ShapePoint(p)), p) << nType;
    }
    // each marker sits at its own edge
    CRect rcTop, rcBottom, rcLeft, rcRight;
    FindType(arr, 0)->GetWindowRect(&rcTop);
    FindType(arr, 1)->GetWindowRect(&rcBottom);
    FindType(arr, 2)->GetWindowRect(&rcLeft);
    FindType(arr, 3)->GetWindowRect(&rcRight);
    EXPECT_LT(rcTop.top, rcBottom.top);
    EXPECT_LT(rcLeft.left, rcRight.left);
    EXPECT_TRUE(CExtDynDockMarkerWnd::HitTestMarkers(rcArea.CenterPoint()) == NULL);
    // hidden markers are not hit
    CExtDynDockMarkerWnd::ShowAllMarkers(false);
    EXPECT_FALSE(FindType(arr, 0)->IsWindowVisible());
    EXPECT_TRUE(CExtDynDockMarkerWnd::HitTestMarkers(ShapePoint(FindType(arr, 0))) == NULL);
    CExtDynDockMarkerWnd::DestroyAllMarkers();
    EXPECT_EQ(arr.GetSize(), 0);
    EXPECT_TRUE(CExtDynDockMarkerWnd::GetOwnerWnd(false) == NULL);
}

TEST_F(MarkerTest, InnerMarkersFollowTheTargetUnderTheCursor)
{
    CRect rcBar;
    m_pDocked->GetWindowRect(&rcBar);
    CPoint ptBar = rcBar.CenterPoint();
    CExtDynDockMarkerWnd::UpdateInnerMarkers(m_pFrame, true, &ptBar);
    CPtrArray& arr = CExtControlBar::g_arrDockMarkersInner;
    ASSERT_GT(arr.GetSize(), 0);
    EXPECT_EQ(CExtDynDockMarkerWnd::GetInnerTarget(), m_pDocked->m_hWnd);
    CExtDynDockMarkerWnd* pCentre = FindType(arr, 8);
    ASSERT_TRUE(pCentre != NULL);
    EXPECT_EQ(pCentre->GetDragStateKind(), 26);
    for (int nType = 0; nType < 4; nType++)
    {
        CExtDynDockMarkerWnd* p = FindType(arr, nType);
        ASSERT_TRUE(p != NULL);
        EXPECT_EQ(p->GetDragStateKind(), 22 + nType);
        EXPECT_EQ(CExtDynDockMarkerWnd::HitTestMarkers(ShapePoint(p)), p);
    }
    // the same target keeps its markers
    CExtDynDockMarkerWnd* pFirst = (CExtDynDockMarkerWnd*)arr[0];
    CPoint ptOther(ptBar.x, rcBar.top + 3);
    CExtDynDockMarkerWnd::UpdateInnerMarkers(m_pFrame, true, &ptOther);
    ASSERT_GT(arr.GetSize(), 0);
    EXPECT_EQ(arr[0], (void*)pFirst);

    // over the view: the view's markers, whose centre maps to no drag state
    CRect rcView;
    m_pFrame->m_wndPane.GetWindowRect(&rcView);
    CPoint ptView = rcView.CenterPoint();
    CExtDynDockMarkerWnd::UpdateInnerMarkers(m_pFrame, true, &ptView);
    EXPECT_EQ(CExtDynDockMarkerWnd::GetInnerTarget(), m_pFrame->m_wndPane.m_hWnd);
    ASSERT_GT(arr.GetSize(), 0);
    for (int nType = 0; nType < 4; nType++)
    {
        CExtDynDockMarkerWnd* p = FindType(arr, nType);
        ASSERT_TRUE(p != NULL);
        EXPECT_EQ(p->GetDragStateKind(), 18 + nType);
    }
    CExtDynDockMarkerWnd* pViewCentre = FindType(arr, 8);
    if (pViewCentre != NULL)
        EXPECT_EQ(pViewCentre->GetDragStateKind(), 0);

    // the dragged bar itself is no target
    CRect rcDragged;
    m_pDragged->GetWindowRect(&rcDragged);
    CPoint ptDragged = rcDragged.CenterPoint();
    CExtDynDockMarkerWnd::UpdateInnerMarkers(m_pFrame, true, &ptDragged);
    EXPECT_TRUE(CExtDynDockMarkerWnd::GetInnerTarget() == NULL);
    EXPECT_EQ(arr.GetSize(), 0);

    // nothing happens while no bar is dragged
    m_pDragged->m_bDragging = false;
    CExtDynDockMarkerWnd::UpdateInnerMarkers(m_pFrame, true, &ptBar);
    EXPECT_EQ(arr.GetSize(), 0);
}

TEST_F(MarkerTest, HotMarkerShowsOneHighlightSizedByTheDraggedBar)
{
    CExtDynDockMarkerWnd::CreateOuterMarkers(m_pFrame, true);
    CPtrArray& arr = CExtControlBar::g_arrDockMarkersOuter;
    CExtDynDockMarkerWnd* pTop = FindType(arr, 0);
    CExtDynDockMarkerWnd* pLeft = FindType(arr, 2);
    ASSERT_TRUE(pTop != NULL && pLeft != NULL);
    m_pDragged->m_sizeDockedH.cy = 10;
    ASSERT_TRUE(pTop->SetHot(true));
    ASSERT_TRUE(pTop->m_pHighlight != NULL && pTop->m_pHighlight->m_hWnd != NULL);
    CRect rcHigh;
    pTop->m_pHighlight->GetWindowRect(&rcHigh);
    EXPECT_EQ(rcHigh.Height(), 30);
    char szClass[64] = {0};
    ::GetClassNameA(pTop->m_pHighlight->m_hWnd, szClass, 63);
    EXPECT_STREQ(szClass, "Baymoor-DynDockHighlightWnd");
    pTop->m_pHighlight->UpdateWindow();

    m_pDragged->m_sizeDockedH.cy = 90;
    ASSERT_TRUE(pTop->SetHot(true));
    pTop->m_pHighlight->GetWindowRect(&rcHigh);
    EXPECT_EQ(rcHigh.Height(), 90);

    // another hot marker takes the highlight away from the first
    m_pDragged->m_sizeDockedV.cx = 120;
    ASSERT_TRUE(pLeft->SetHot(true));
    EXPECT_TRUE(pTop->m_pHighlight == NULL);
    pLeft->m_pHighlight->GetWindowRect(&rcHigh);
    EXPECT_EQ(rcHigh.Width(), 120);
    EXPECT_TRUE(pLeft->SetHot(false));
    EXPECT_TRUE(pLeft->m_pHighlight == NULL);

    // over a bar the highlight is half of the bar
    CRect rcBar;
    m_pDocked->GetWindowRect(&rcBar);
    CPoint ptBar = rcBar.CenterPoint();
    CExtDynDockMarkerWnd::UpdateInnerMarkers(m_pFrame, true, &ptBar);
    CExtDynDockMarkerWnd* pBottom = FindType(CExtControlBar::g_arrDockMarkersInner, 1);
    ASSERT_TRUE(pBottom != NULL);
    ASSERT_TRUE(pBottom->SetHot(true));
    pBottom->m_pHighlight->GetWindowRect(&rcHigh);
    EXPECT_EQ(rcHigh.bottom, rcBar.bottom);
    EXPECT_EQ(rcHigh.Height(), rcBar.Height() / 2);

    // without a dragged bar no highlight can be made
    m_pDragged->m_bDragging = false;
    EXPECT_FALSE(pTop->SetHot(true));
    EXPECT_TRUE(pTop->m_pHighlight == NULL);
}

TEST_F(MarkerTest, LostTargetHidesTheMarkersAndRepeatsTheMoveWithItsFlags)
{
    CWnd wndTarget;
    ASSERT_TRUE(wndTarget.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(200, 100, 400, 300),
                                   m_pFrame, 0x4321));
    CRect rc;
    wndTarget.GetWindowRect(&rc);
    ASSERT_TRUE(g_CurrentPaintManager->CreateDockMarkerWnd(wndTarget.m_hWnd, 7, rc,
                                                           &CExtControlBar::g_arrDockMarkersInner));
    CPtrArray& arr = CExtControlBar::g_arrDockMarkersInner;
    ASSERT_GT(arr.GetSize(), 0);
    CExtDynDockMarkerWnd::ShowMarkerArray(arr, true);
    CExtDynDockMarkerWnd* pMarker = (CExtDynDockMarkerWnd*)arr[0];
    // only the ticks sent below may act (a real tick in between would use up the hide)
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        ((CWnd*)arr[i])->KillTimer(CExtDynDockMarkerWnd::TIMER_STATE);
    wndTarget.DestroyWindow();
    PumpPendingMessages();

    BYTE keys[256];
    ::GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    pMarker->SendMessage(WM_TIMER, CExtDynDockMarkerWnd::TIMER_STATE);
    keys[VK_CONTROL] = saved;
    ::SetKeyboardState(keys);
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        EXPECT_FALSE(((CWnd*)arr[i])->IsWindowVisible());
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, m_pDragged->m_hWnd, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
    EXPECT_EQ(msg.wParam, (WPARAM)(MK_CONTROL | MK_LBUTTON));
    EXPECT_EQ(msg.wParam, 9u);

    // without Ctrl the move carries no flags
    CExtDynDockMarkerWnd::ShowMarkerArray(arr, true);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    pMarker->SendMessage(WM_TIMER, CExtDynDockMarkerWnd::TIMER_STATE);
    keys[VK_CONTROL] = saved;
    ::SetKeyboardState(keys);
    ASSERT_TRUE(::PeekMessage(&msg, m_pDragged->m_hWnd, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(MarkerTest, StateTimerMakesTheMarkerUnderTheCursorHot)
{
    CExtDynDockMarkerWnd::CreateOuterMarkers(m_pFrame, true);
    CExtDynDockMarkerWnd* pTop = FindType(CExtControlBar::g_arrDockMarkersOuter, 0);
    ASSERT_TRUE(pTop != NULL);
    CPoint pt = ShapePoint(pTop);
    ::SetCursorPos(pt.x, pt.y);
    pTop->SendMessage(WM_TIMER, CExtDynDockMarkerWnd::TIMER_STATE);
    if (::WindowFromPoint(pt) == pTop->m_hWnd)
        EXPECT_EQ(pTop->m_nState, 1);
    ::SetCursorPos(0, 0);
    ASSERT_TRUE(pTop->SetHot(true));
    pTop->SendMessage(WM_TIMER, CExtDynDockMarkerWnd::TIMER_STATE);
    EXPECT_EQ(pTop->m_nState, 2);
    EXPECT_TRUE(pTop->m_pHighlight == NULL);
}

TEST_F(MarkerTest, DragStepsOverMarkersDockTheBar)
{
    // over the docked bar's centre marker: a drop makes a tab group
    CRect rcBar;
    m_pDocked->GetWindowRect(&rcBar);
    CPoint ptBar = rcBar.CenterPoint();
    HWND hTarget = NULL;
    CExtDynDockMarkerWnd::TrackDragStep(m_pFrame, ptBar, &hTarget);
    EXPECT_GT(CExtControlBar::g_arrDockMarkersOuter.GetSize(), 0);
    CExtDynDockMarkerWnd* pCentre = FindType(CExtControlBar::g_arrDockMarkersInner, 8);
    ASSERT_TRUE(pCentre != NULL);
    CPoint ptCentre = ShapePoint(pCentre);
    EXPECT_EQ(CExtDynDockMarkerWnd::TrackDragStep(m_pFrame, ptCentre, &hTarget), 26);
    EXPECT_EQ(hTarget, m_pDocked->m_hWnd);
    EXPECT_TRUE(pCentre->IsHot());
    // off every marker nothing is hot
    CPoint ptAway(rcBar.left + 2, rcBar.bottom - 2);
    if (CExtDynDockMarkerWnd::HitTestMarkers(ptAway) == NULL)
    {
        EXPECT_EQ(CExtDynDockMarkerWnd::TrackDragStep(m_pFrame, ptAway, &hTarget), 0);
        EXPECT_FALSE(pCentre->IsHot());
    }
    CExtDynDockMarkerWnd::DestroyAllMarkers();
    m_pDragged->m_bDragging = false;
    ASSERT_TRUE(CExtDynDockMarkerWnd::ApplyMarkerKind(m_pDragged, 26, m_pDocked->m_hWnd));
    EXPECT_TRUE(m_pDragged->GetTabbedContainer() != NULL);
    EXPECT_EQ(m_pDragged->GetTabbedContainer(), m_pDocked->GetTabbedContainer());

    // an outer bottom marker docks it at the frame's bottom edge
    ASSERT_TRUE(CExtDynDockMarkerWnd::ApplyMarkerKind(m_pDragged, 15, NULL));
    m_pFrame->RecalcLayout();
    EXPECT_TRUE(m_pDragged->IsDockedAtBottom());
    EXPECT_EQ(m_pDragged->GetTabbedContainer(), (CExtControlBar*)NULL);
    EXPECT_FALSE(CExtDynDockMarkerWnd::ApplyMarkerKind(m_pDragged, 7, NULL));
    ExpectAllArraysSound();
}

namespace
{

void PostMouseAt(CWnd* pWnd, UINT nMsg, CPoint ptScreen, WPARAM wFlags = MK_LBUTTON)
{
    pWnd->ScreenToClient(&ptScreen);
    pWnd->PostMessage(nMsg, wFlags, MAKELPARAM(ptScreen.x, ptScreen.y));
}

// Looks at the markers while the drag loop runs and moves on to the centre marker.
class CDragProbe : public CWnd
{
public:
    CExtControlBar* m_pBar = NULL;
    INT_PTR m_nOuter = 0, m_nInner = 0;
    bool m_bCentreVisible = false, m_bCentreHot = false;
    int m_nKindOverCentre = -1;
    CExtControlBar* m_pTargetOverCentre = NULL;
    CPoint m_ptCentre;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP + 1)
        {
            m_nOuter = CExtControlBar::g_arrDockMarkersOuter.GetSize();
            m_nInner = CExtControlBar::g_arrDockMarkersInner.GetSize();
            CExtDynDockMarkerWnd* pCentre = NULL;
            for (INT_PTR i = 0; i < m_nInner; i++)
            {
                CExtDynDockMarkerWnd* p =
                    (CExtDynDockMarkerWnd*)CExtControlBar::g_arrDockMarkersInner[i];
                if (p->m_nMarkerType == 8)
                    pCentre = p;
            }
            if (pCentre == NULL)
            {
                PostMouseAt(m_pBar, WM_LBUTTONUP, CPoint(0, 0), 0);
                return 0;
            }
            m_bCentreVisible = pCentre->IsWindowVisible() != FALSE;
            CRect rc;
            pCentre->GetWindowRect(&rc);
            m_ptCentre = rc.CenterPoint();
            ::SetCursorPos(m_ptCentre.x, m_ptCentre.y);
            PostMouseAt(m_pBar, WM_MOUSEMOVE, m_ptCentre);
            PostMessage(WM_APP + 2);
            return 0;
        }
        if (message == WM_APP + 2)
        {
            m_nKindOverCentre = CExtControlBar::g_DragStateCandidate.m_eType;
            m_pTargetOverCentre = CExtControlBar::g_DragStateCandidate.m_pBarTarget;
            CExtDynDockMarkerWnd* pHit = CExtDynDockMarkerWnd::HitTestMarkers(m_ptCentre);
            m_bCentreHot = pHit != NULL && pHit->IsHot();
            PostMouseAt(m_pBar, WM_LBUTTONUP, m_ptCentre, 0);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST_F(MarkerTest, DragWithTheMarkerInterfaceDocksAsATab)
{
    m_pDragged->m_bDragging = false;
    CRect rcDragged, rcBar;
    m_pDragged->GetWindowRect(&rcDragged);
    m_pDocked->GetWindowRect(&rcBar);

    CDragProbe probe;
    ASSERT_TRUE(probe.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 1, 1), NULL, 0));
    probe.m_pBar = m_pDragged;

    // the delivered style: a drag makes no marker at all
    ::SetCursorPos(rcBar.CenterPoint().x, rcBar.CenterPoint().y);
    PostMouseAt(m_pDragged, WM_MOUSEMOVE, rcBar.CenterPoint());
    probe.PostMessage(WM_APP + 1);
    m_pDragged->StartDragging(rcDragged.CenterPoint(), CPoint(0, 0), 0, 0);
    PumpPendingMessages();
    EXPECT_FALSE(m_pDragged->m_bDragging);
    EXPECT_EQ(probe.m_nOuter, 0);
    EXPECT_EQ(probe.m_nInner, 0);
    EXPECT_EQ(m_pDragged->GetTabbedContainer(), (CExtControlBar*)NULL);
    EXPECT_TRUE(m_pDragged->IsFloating());   // dropped over the bar without markers: floats

    // the marker interface: markers come with the drag and a hot centre marker decides
    CExtControlBar::g_nDockingUIStyle = 1;
    m_pDragged->GetWindowRect(&rcDragged);
    m_pDocked->GetWindowRect(&rcBar);
    ::SetCursorPos(rcBar.CenterPoint().x, rcBar.CenterPoint().y);
    PostMouseAt(m_pDragged, WM_MOUSEMOVE, rcBar.CenterPoint());
    probe.PostMessage(WM_APP + 1);
    m_pDragged->StartDragging(rcDragged.CenterPoint(), CPoint(0, 0), 0, 0);
    PumpPendingMessages();
    EXPECT_FALSE(m_pDragged->m_bDragging);
    EXPECT_GE(probe.m_nOuter, 4);
    EXPECT_GT(probe.m_nInner, 0);
    EXPECT_TRUE(probe.m_bCentreVisible);
    EXPECT_EQ(probe.m_nKindOverCentre, 26);
    EXPECT_EQ(probe.m_pTargetOverCentre, (CExtControlBar*)m_pDocked);
    EXPECT_TRUE(probe.m_bCentreHot);
    EXPECT_EQ(CExtControlBar::g_arrDockMarkersOuter.GetSize(), 0);
    EXPECT_EQ(CExtControlBar::g_arrDockMarkersInner.GetSize(), 0);
    EXPECT_TRUE(CExtDynDockMarkerWnd::GetOwnerWnd(false) == NULL);
    probe.DestroyWindow();
    ASSERT_TRUE(m_pDragged->GetTabbedContainer() != NULL);
    EXPECT_EQ(m_pDragged->GetTabbedContainer(), m_pDocked->GetTabbedContainer());
    ExpectAllArraysSound();
}

TEST_F(MarkerTest, WithTheMarkerInterfaceOnlyAHotMarkerDocks)
{
    // the top strip of the docked bar docks beside it with the outline tracker
    CRect rcBar;
    m_pDocked->GetWindowRect(&rcBar);
    CPoint ptStrip(rcBar.CenterPoint().x, rcBar.top + 28);
    CExtControlBar::InternalDraggingState_t st(m_pDragged);
    st.CalcStateAtPoint(ptStrip, FALSE);
    EXPECT_EQ(st.m_eType, 1);
    EXPECT_EQ(st.m_pBarTarget, (CExtControlBar*)m_pDocked);

    // with markers the same point, off every marker, gives the float outline
    CExtControlBar::g_nDockingUIStyle = 1;
    st.CalcStateAtPoint(ptStrip, FALSE);
    ASSERT_TRUE(CExtDynDockMarkerWnd::HitTestMarkers(ptStrip) == NULL);
    EXPECT_GT(CExtControlBar::g_arrDockMarkersOuter.GetSize(), 0);
    EXPECT_EQ(st.m_eType, 0);
    EXPECT_TRUE(st.m_pBarTarget == NULL);
    EXPECT_FALSE(st.m_rc.IsRectEmpty());

    // over the centre marker it groups as a tab
    CExtDynDockMarkerWnd* pCentre = FindType(CExtControlBar::g_arrDockMarkersInner, 8);
    ASSERT_TRUE(pCentre != NULL);
    st.CalcStateAtPoint(ShapePoint(pCentre), FALSE);
    EXPECT_EQ(st.m_eType, 26);
    EXPECT_EQ(st.m_pBarTarget, (CExtControlBar*)m_pDocked);
}
