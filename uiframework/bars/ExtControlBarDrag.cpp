// ExtControlBarDrag.cpp - dragging a bar: the modal drag loop, the drag decisions for a
// cursor position, the outline on the screen and the drop.
//
// Notes
// - Every rectangle of a drag state is in screen coordinates.
// - Hit-testing never creates dock bars; the drop creates what it needs.
// - Resizable bars move on the drop only; fixed-size bars move live at every step.

#include "ExtDockBar.h"
#include "ExtBarLayout.h"
#include "ExtDynDockMarkerWnd.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"

#include <algorithm>
#include <vector>

bool ExtBarsIsOfClassName(const CObject* pObj, LPCSTR lpszName);

namespace
{

const UINT ID_TIMER_DRAG = 0x1004;
bool s_bTrackBusy = false;

const UINT s_sideIDs[4] = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                            AFX_IDW_DOCKBAR_RIGHT };
const DWORD s_sideAligns[4] = { CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT,
                                CBRS_ALIGN_RIGHT };

bool IsCtrlHeld()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

// The frame whose docking the drag works on.
CFrameWnd* DragFrameOf(CExtControlBar* pBar)
{
    if (pBar == NULL)
        return NULL;
    if (pBar->m_pDockSite != NULL)
        return pBar->m_pDockSite;
    if (pBar->m_hWnd == NULL)
        return NULL;
    CFrameWnd* pFrame = pBar->GetParentFrame();
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    return pFrame;
}

CExtDockBar* EdgeDockBar(CFrameWnd* pFrame, UINT nID)
{
    if (pFrame == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(nID));
}

bool IsKeyMessage(UINT nMsg)
{
    return nMsg >= WM_KEYFIRST && nMsg <= WM_KEYLAST;
}

// Keyboard messages waiting before a drag; they go back to the queue afterwards.
struct SavedKeys_t
{
    std::vector<MSG> m_msgs;
    bool m_bQuit = false;
    int m_nQuitCode = 0;
    void Take()
    {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                // a filtered peek may hand out the quit message too
                m_bQuit = true;
                m_nQuitCode = (int)msg.wParam;
                break;
            }
            m_msgs.push_back(msg);
        }
    }
    void Restore()
    {
        for (const MSG& msg : m_msgs)
        {
            if (msg.hwnd == NULL || ::IsWindow(msg.hwnd))
                ::PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
        }
        m_msgs.clear();
    }
};

// The next message without removing it; a pending quit is seen before the timers,
// which would otherwise keep a modal loop busy for ever.
bool PeekDragMessage(MSG& msg)
{
    if (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE))
        return true;
    return ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE) != FALSE;
}

// The window rectangle of a floating frame around a client of the size.
CRect FloatFrameRect(CPoint ptTopLeft, CSize sizeClient)
{
    int cx = ::GetSystemMetrics(SM_CXFRAME), cy = ::GetSystemMetrics(SM_CYFRAME);
    return CRect(ptTopLeft, CSize(sizeClient.cx + 2 * cx,
                                  sizeClient.cy + 2 * cy + ::GetSystemMetrics(SM_CYSMCAPTION)));
}

// The area the bars leave to the view (screen), or rcInner when there is no pane.
CRect ViewArea(CFrameWnd* pFrame, const CRect& rcInner)
{
    CWnd* pPane = pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pPane == NULL || !pPane->IsWindowVisible())
        return rcInner;
    CRect rc;
    pPane->GetWindowRect(&rc);
    return rc;
}

bool IsVisibleDockedResizable(CExtControlBar* pBar, CFrameWnd* pFrame)
{
    return pBar->m_hWnd != NULL && pBar->m_pDockSite == pFrame && !pBar->IsFixedSize() &&
           !pBar->IsFixedDragMode() && pBar->IsVisible() && pBar->m_pDockBar != NULL &&
           pBar->IsWindowVisible();
}

// The dock bar lays its rows out again; the frame follows when its thickness changed.
void RelayoutDockBar(CFrameWnd* pFrame, CDockBar* pDockBar)
{
    if (pFrame == NULL || pDockBar == NULL || pDockBar->m_hWnd == NULL)
        return;
    pDockBar->Invalidate(TRUE);
    pFrame->RecalcLayout();
    g_CurrentPaintManager->PumpPaintMessages(true, true, true);
}

// The row of pBar moves to the other side of the row of pOther (one dock bar).
void SwapBarRows(CDockBar* pDockBar, CControlBar* pBar, CControlBar* pOther)
{
    CPtrArray& arr = pDockBar->m_arrBars;
    int nA = ExtBarLayout::FindEntry(arr, pBar), nB = ExtBarLayout::FindEntry(arr, pOther);
    int a1, a2, b1, b2;
    if (nA <= 0 || nB <= 0 || !ExtBarLayout::GetRowBounds(arr, nA, a1, a2) ||
        !ExtBarLayout::GetRowBounds(arr, nB, b1, b2) || a1 == b1)
        return;
    CPtrArray row;
    for (int i = a1; i <= a2; i++)
        row.Add(arr[i]);
    row.Add(NULL);
    bool bBefore = a1 < b1;
    arr.RemoveAt(a1, a2 - a1 + 2);
    nB = ExtBarLayout::FindEntry(arr, pOther);
    ExtBarLayout::GetRowBounds(arr, nB, b1, b2);
    int nAt = bBefore ? b2 + 2 : b1;
    for (INT_PTR i = 0; i < row.GetSize(); i++)
        arr.InsertAt(nAt + (int)i, row[i]);
    ExtBarLayout::NormalizeBarArray(arr);
    pDockBar->Invalidate(TRUE);
}

// A bar moved along its row of a frame-edge dock bar: a record that the layout filled in
// (its flag set) or one that is as long as the dock bar is dropped, and a bar without a
// record in use becomes the most recent of its row.
void TakeRecordForMove(CExtControlBar* pBar, CDockBar* pDockBar, bool bHorz)
{
    CExtDockOuterBar* pOuter = DYNAMIC_DOWNCAST(CExtDockOuterBar, pDockBar);
    CExtControlBar::OuterLayoutData_t* pData = pBar->GetOuterLayoutData();
    if (pOuter == NULL || pData == NULL || !pBar->IsFixedSize())
        return;
    if (pData->IsInUse() && !pBar->IsFullRowBar())
    {
        CRect rcClient;
        pDockBar->GetClientRect(&rcClient);
        bool bLong = bHorz ? pData->m_rcRemembered.Width() >= rcClient.Width()
                           : pData->m_rcRemembered.Height() >= rcClient.Height();
        if (pData->m_bFlag || bLong)
        {
            pData->Reset();
            pData->m_bFlag = false;
        }
    }
    if (!pData->IsInUse())
        pOuter->MakeMostRecent(pBar);
}

// A wrappable bar that ends its line at the end of a frame-edge dock bar keeps that end
// while dragged along the row: the movement changes its wanted length instead (within its
// minimal and full length), and it becomes the most recent bar of its row. A whole bar
// dragged back towards the row start moves as any other. FALSE when the bar moves.
bool ChangeLengthAtLineEnd(CExtControlBar* pBar, CDockBar* pDockBar, int nFirst, int nLast,
                           bool bHorz, int nDelta)
{
    CExtControlBar::OuterLayoutData_t* pData = pBar->GetOuterLayoutData();
    if (pData == NULL || nDelta == 0 || !pBar->IsWrappable() || pBar->IsFullRowBar() ||
        !pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
        return false;
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    pDockBar->ScreenToClient(&rcBar);
    const CPtrArray& arr = pDockBar->m_arrBars;
    for (int i = nFirst; i <= nLast; i++)
    {
        CControlBar* p = (CControlBar*)arr[i];
        if (p == NULL || p == pBar || ExtBarLayout::IsPlaceholder(p) || !p->IsVisible())
            continue;
        CRect rc;
        p->GetWindowRect(&rc);
        pDockBar->ScreenToClient(&rc);
        // the bars of one line start at the same line position
        bool bSameLine = bHorz ? rc.top == rcBar.top : rc.left == rcBar.left;
        if (bSameLine && (bHorz ? rc.left > rcBar.left : rc.top > rcBar.top))
            return false;
    }
    CRect rcClient;
    pDockBar->GetClientRect(&rcClient);
    if ((bHorz ? rcBar.right : rcBar.bottom) < (bHorz ? rcClient.right : rcClient.bottom) - 1)
        return false;
    int nLength = bHorz ? rcBar.Width() : rcBar.Height();
    CSize sizeFull = pBar->CalcDynamicLayout(-1, bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
    int nFull = bHorz ? sizeFull.cx : sizeFull.cy;
    if (nDelta < 0 && nLength >= nFull)
        return false;
    CSize sizeMin = pBar->GetMinDockedSize();
    int nMin = std::min(nFull, (int)(bHorz ? sizeMin.cx : sizeMin.cy));
    int nWanted = std::max(nMin, std::min(nFull, nLength - nDelta));
    pBar->SyncOuterLayoutData();
    if (!pData->IsInUse())
        return false;
    CRect rc(rcBar);
    if (bHorz)
    {
        rc.left = rc.right - nWanted;
        pData->m_nLengthHorz = nWanted;
    }
    else
    {
        rc.top = rc.bottom - nWanted;
        pData->m_nLengthVert = nWanted;
    }
    pData->m_rcRemembered = rc;
    return true;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// The state record

void CExtControlBar::InternalDraggingState_t::SetTarget(CExtControlBar* pBar)
{
    if (m_pBarTarget != pBar)
        m_nTabIndex = 0;
    m_pBarTarget = pBar;
}

void CExtControlBar::InternalDraggingState_t::Reset()
{
    m_bEmpty = true;
    m_bFlag2 = false;
    m_eType = 0;
    m_nCircle = 0;
    m_nCursorKind = 0;
    m_rc.SetRectEmpty();
    SetTarget(NULL);
    m_nTabIndex = 0;
}

// The drop a resizable bar would get at the screen point: a hot marker, a side of a
// floating or docked bar, an edge of the docking area, or else the float outline.
void CExtControlBar::InternalDraggingState_t::CalcStateAtPoint(CPoint pt, BOOL bForceFloat)
{
    CExtControlBar* pBar = m_pBarSource;
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    if (pBar->IsFixedDragMode())
    {
        CalcFixedStateAtPoint(pt, bForceFloat);
        return;
    }
    m_rc.SetRectEmpty();
    m_eType = 0;
    m_nCircle = 0;
    m_bFlag2 = false;
    SetTarget(NULL);
    m_bEmpty = false;
    int nMinW = std::max(8, pBar->CalcMinWidth());
    int nMinH = std::max(8, pBar->CalcMinHeight());
    CFrameWnd* pFrame = DragFrameOf(pBar);
    bool bDynamic = pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar));

    // a floating bar dragged inside its own frame only moves it
    if (!bForceFloat && pBar->IsFloating() && (bDynamic || !pBar->IsLiveDragDocking()))
    {
        CFrameWnd* pMini = pBar->GetParentFrame();
        if (pMini != NULL && pMini->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        {
            CRect rcMini;
            pMini->GetWindowRect(&rcMini);
            if (rcMini.PtInRect(pt))
                bForceFloat = TRUE;
        }
    }

    if (CalcMarkerStateAtPoint(pt, pFrame, bForceFloat))
        return;

    if (pFrame != NULL && pFrame->m_hWnd != NULL && !bForceFloat && !IsCtrlHeld())
        CalcDockedStateAtPoint(pt, pFrame, nMinW, nMinH);

    if (m_eType == 0)
        CalcFloatStateAtPoint(pt, pFrame, nMinW, nMinH);
}

// With the marker interface only a hot marker docks: TRUE when one does (the state is
// set); otherwise the bar floats, so bForceFloat turns on.
bool CExtControlBar::InternalDraggingState_t::CalcMarkerStateAtPoint(CPoint pt, CFrameWnd* pFrame,
                                                                     BOOL& bForceFloat)
{
    CExtControlBar* pBar = m_pBarSource;
    int nMarkerStyle = g_nDockingUIStyle != -1 ? g_nDockingUIStyle
                                              : g_CurrentPaintManager->GetDockingMarkerStyle();
    if (nMarkerStyle == 1 && !pBar->IsFixedSize() && pFrame != NULL && pFrame->m_hWnd != NULL)
    {
        if (bForceFloat || IsCtrlHeld())
            CExtDynDockMarkerWnd::ShowAllMarkers(false);
        else
        {
            CExtDynDockMarkerWnd::ShowAllMarkers(true);
            HWND hTarget = NULL;
            int nKind = CExtDynDockMarkerWnd::TrackDragStep(pFrame, pt, &hTarget);
            if (nKind != 0)
            {
                m_eType = nKind;
                SetTarget(hTarget != NULL ? DYNAMIC_DOWNCAST(CExtControlBar,
                                                             CWnd::FromHandlePermanent(hTarget))
                                          : NULL);
                return true;
            }
        }
        bForceFloat = TRUE;
    }
    return false;
}

// The docking places tried in turn until one takes the point: beside a floating bar,
// the outer edges of the docking area, the edges next to the view, beside a docked bar.
void CExtControlBar::InternalDraggingState_t::CalcDockedStateAtPoint(CPoint pt, CFrameWnd* pFrame,
                                                                     int nMinW, int nMinH)
{
    CExtControlBar* pBar = m_pBarSource;
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    DWORD dwDockStyle = pBar->m_dwDockStyle;

    // a. beside a floating resizable bar, inside its frame
    if (pBar->IsDynamicDockingAllowed())
        CalcStateBesideFloatingBar(pt, pFrame, nMinW, nMinH);

    // b. the outer edges of the docking area, circle 1
    CRect rcInner(0, 0, 0, 0);
    CExtDockBar* pEdges[4];
    for (int k = 0; k < 4; k++)
        pEdges[k] = EdgeDockBar(pFrame, s_sideIDs[k]);
    if (pEdges[0] != NULL && pEdges[1] != NULL && pEdges[2] != NULL && pEdges[3] != NULL)
    {
        CRect rcT, rcB, rcL, rcR;
        pEdges[0]->GetWindowRect(&rcT);
        pEdges[1]->GetWindowRect(&rcB);
        pEdges[2]->GetWindowRect(&rcL);
        pEdges[3]->GetWindowRect(&rcR);
        rcInner.SetRect(rcL.right, rcT.bottom, rcR.left, rcB.top);
    }
    if (m_eType == 0 && !rcInner.IsRectEmpty())
        CalcStateAtOuterEdges(pt, rcInner, dwDockStyle);

    // c. the inner edges, next to the view
    CRect rcFrameOut(rcFrame);
    rcFrameOut.InflateRect(32, 32);
    if (m_eType == 0 && !rcInner.IsRectEmpty() && rcFrameOut.PtInRect(pt))
        CalcStateAtInnerEdges(pt, pFrame, rcInner, pEdges, dwDockStyle);

    // d. beside a docked resizable bar under the cursor
    if (m_eType == 0)
        CalcStateBesideDockedBar(pt, pFrame, nMinW, nMinH, dwDockStyle);
}

// A side of a floating resizable bar's frame under the point: the bar would share that
// frame with it, taking half of it (when both bars' minima fit there).
void CExtControlBar::InternalDraggingState_t::CalcStateBesideFloatingBar(CPoint pt, CFrameWnd* pFrame,
                                                                         int nMinW, int nMinH)
{
    CExtControlBar* pBar = m_pBarSource;
    CSingleLock lock(&g_csAllBars, TRUE);
    for (INT_PTR i = 0; i < g_arrAllBars.GetSize() && m_eType == 0; i++)
    {
        CExtControlBar* pOther = g_arrAllBars[i];
        if (pOther == pBar || pOther->m_hWnd == NULL || pOther->m_pDockSite != pFrame ||
            pOther->IsFixedSize() || !pOther->IsFloating() || !pOther->IsWindowVisible())
            continue;
        CFrameWnd* pMini = pOther->GetParentFrame();
        if (pMini == NULL || pMini == pFrame)
            continue;
        CRect R;
        pMini->GetWindowRect(&R);
        if (!R.PtInRect(pt))
            continue;
        int nOtherMinW = std::max(8, pOther->CalcMinWidth());
        int nOtherMinH = std::max(8, pOther->CalcMinHeight());
        int h = R.Height() / 2, w = R.Width() / 2;
        if (R.Width() >= nMinW && h >= nMinH && h >= nOtherMinH)
        {
            if (pt.y < R.top + 32)
            {
                m_eType = 1;
                m_rc.SetRect(R.left, R.top, R.right, R.top + h);
            }
            else if (pt.y >= R.bottom - 32)
            {
                m_eType = 2;
                m_rc.SetRect(R.left, R.bottom - h, R.right, R.bottom);
            }
        }
        if (m_eType == 0 && R.Height() >= nMinH && w >= nMinW && w >= nOtherMinW)
        {
            if (pt.x < R.left + 32)
            {
                m_eType = 3;
                m_rc.SetRect(R.left, R.top, R.left + w, R.bottom);
            }
            else if (pt.x >= R.right - 32)
            {
                m_eType = 4;
                m_rc.SetRect(R.right - w, R.top, R.right, R.bottom);
            }
        }
        if (m_eType != 0)
        {
            if (m_rc.Width() < nMinW || m_rc.Height() < nMinH)
            {
                m_eType = 0;
                m_rc.SetRectEmpty();
                continue;
            }
            m_bFlag2 = true;
            SetTarget(pOther);
        }
    }
}

// A strip along an outer edge of the docking area (rcInner, screen) under the point: the
// bar would dock in circle 1 of that side, across the whole edge.
void CExtControlBar::InternalDraggingState_t::CalcStateAtOuterEdges(CPoint pt, const CRect& rcInner,
                                                                    DWORD dwDockStyle)
{
    CExtControlBar* pBar = m_pBarSource;
    CRect rcOut(rcInner);
    rcOut.InflateRect(12, 12);
    if (!rcOut.PtInRect(pt))
        return;
    for (int k = 0; k < 4 && m_eType == 0; k++)
    {
        if ((dwDockStyle & s_sideAligns[k]) == 0)
            continue;
        bool bHit = false;
        CRect rc(rcInner);
        switch (k)
        {
        case 0:
            bHit = pt.y >= rcOut.top && pt.y < rcInner.top + 4;
            rc.bottom = rc.top + pBar->m_sizeDockedH.cy;
            break;
        case 1:
            bHit = pt.y < rcOut.bottom && pt.y >= rcInner.bottom - 4;
            rc.top = rc.bottom - pBar->m_sizeDockedH.cy;
            break;
        case 2:
            bHit = pt.x >= rcOut.left && pt.x < rcInner.left + 4;
            rc.right = rc.left + pBar->m_sizeDockedV.cx;
            break;
        default:
            bHit = pt.x < rcOut.right && pt.x >= rcInner.right - 4;
            rc.left = rc.right - pBar->m_sizeDockedV.cx;
            break;
        }
        if (bHit)
        {
            m_eType = 9 + k;
            m_nCircle = 1;
            m_rc = rc;
            m_bFlag2 = true;
        }
    }
}

// A strip along an edge of the view under the point: the bar would dock next to the
// view, in a circle inside those already there (at most three quarters of the view).
void CExtControlBar::InternalDraggingState_t::CalcStateAtInnerEdges(CPoint pt, CFrameWnd* pFrame,
                                                                    const CRect& rcInner,
                                                                    CExtDockBar* const pEdges[4],
                                                                    DWORD dwDockStyle)
{
    CExtControlBar* pBar = m_pBarSource;
    CRect V = ViewArea(pFrame, rcInner);
    if (!V.PtInRect(pt))
        return;
    for (int k = 0; k < 4 && m_eType == 0; k++)
    {
        if ((dwDockStyle & s_sideAligns[k]) == 0)
            continue;
        bool bHit = false;
        CRect rc(V);
        switch (k)
        {
        case 0:
            bHit = pt.y < V.top + 12;
            rc.bottom = rc.top + std::min((int)pBar->m_sizeDockedH.cy, V.Height() * 3 / 4);
            break;
        case 1:
            bHit = pt.y >= V.bottom - 12;
            rc.top = rc.bottom - std::min((int)pBar->m_sizeDockedH.cy, V.Height() * 3 / 4);
            break;
        case 2:
            bHit = pt.x < V.left + 12;
            rc.right = rc.left + std::min((int)pBar->m_sizeDockedV.cx, V.Width() * 3 / 4);
            break;
        default:
            bHit = pt.x >= V.right - 12;
            rc.left = rc.right - std::min((int)pBar->m_sizeDockedV.cx, V.Width() * 3 / 4);
            break;
        }
        if (!bHit)
            continue;
        m_eType = 5 + k;
        m_rc = rc;
        m_bFlag2 = true;
        m_nCircle = CalcInnerEdgeCircle(pFrame, pEdges[k], k);
    }
}

// The circle a drop next to the view on side k lands in: a new innermost one unless the
// side circles of the innermost one there are free.
int CExtControlBar::InternalDraggingState_t::CalcInnerEdgeCircle(CFrameWnd* pFrame,
                                                                 CExtDockBar* pEdge, int k)
{
    CExtControlBar* pBar = m_pBarSource;
    CExtDockBar* pInnermost = pEdge->GetInnermost();
    int c = pInnermost != NULL ? pInnermost->GetCircleNo() : 0;
    CExtDockBar* pOwn = DYNAMIC_DOWNCAST(CExtDockBar, pBar->m_pDockBar);
    int nOwn = (pOwn != NULL && !pBar->IsFloating()) ? pOwn->GetCircleNo() : 0;
    if (c == 0 || c <= nOwn + 2)
        return c + 1;
    // no dock bars are made while hit-testing: a missing one holds no bar
    UINT nPerp1 = k < 2 ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP;
    UINT nPerp2 = k < 2 ? AFX_IDW_DOCKBAR_RIGHT : AFX_IDW_DOCKBAR_BOTTOM;
    CExtDockBar* p1 = CExtDockBar::FindCircleDockBar(pFrame, c, nPerp1, false);
    CExtDockBar* p2 = CExtDockBar::FindCircleDockBar(pFrame, c, nPerp2, false);
    bool bFree = (p1 == NULL || p1->IsEmpty()) && (p2 == NULL || p2->IsEmpty());
    return bFree ? c : c + 1;
}

// A side of the one docked resizable bar under the point: the bar would dock beside it
// (the dragged bar over itself is type 13, no move). Nothing when bars overlap there.
void CExtControlBar::InternalDraggingState_t::CalcStateBesideDockedBar(CPoint pt, CFrameWnd* pFrame,
                                                                       int nMinW, int nMinH,
                                                                       DWORD dwDockStyle)
{
    CExtControlBar* pBar = m_pBarSource;
    std::vector<CExtControlBar*> found;
    {
        CSingleLock lock(&g_csAllBars, TRUE);
        for (INT_PTR i = 0; i < g_arrAllBars.GetSize(); i++)
        {
            CExtControlBar* pOther = g_arrAllBars[i];
            if (!IsVisibleDockedResizable(pOther, pFrame) || pOther->IsFloating() ||
                pOther->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
                continue;
            CRect rc;
            pOther->GetWindowRect(&rc);
            if (rc.PtInRect(pt))
                found.push_back(pOther);
        }
    }
    if (found.size() != 1)
        return;
    CExtControlBar* pTarget = found[0];
    if (pTarget == pBar)
    {
        m_eType = 13;
        return;
    }
    if (pTarget->m_pDockBar == NULL)
        return;
    UINT nSide = pTarget->GetSafeDockBarDlgCtrlID();
    DWORD dwSideAlign = 0;
    for (int k = 0; k < 4; k++)
        if (s_sideIDs[k] == nSide)
            dwSideAlign = s_sideAligns[k];
    if (pTarget->GetParent() != NULL &&
        pTarget->GetParent()->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)))
        dwSideAlign = 0;   // inside a container: any side of the bar
    if (dwSideAlign == 0 || (dwDockStyle & dwSideAlign) != 0)
        CalcStateAtTargetSides(pt, pTarget, nMinW, nMinH);
}

// The half of the docked target bar on the side the point is near (within 32 pixels of
// its edge); none when either bar's minimum does not fit the half.
void CExtControlBar::InternalDraggingState_t::CalcStateAtTargetSides(CPoint pt,
                                                                     CExtControlBar* pTarget,
                                                                     int nMinW, int nMinH)
{
    CRect R;
    pTarget->GetWindowRect(&R);
    int nTargetMinW = std::max(8, pTarget->CalcMinWidth());
    int nTargetMinH = std::max(8, pTarget->CalcMinHeight());
    if (R.Width() >= nMinW && nMinH <= 64 && nTargetMinH <= 64)
    {
        if (pt.y < R.top + 32)
        {
            m_eType = 1;
            m_rc.SetRect(R.left, R.top, R.right, R.top + R.Height() / 2);
        }
        else if (pt.y >= R.bottom - 32)
        {
            m_eType = 2;
            m_rc.SetRect(R.left, R.bottom - R.Height() / 2, R.right, R.bottom);
        }
    }
    if (m_eType == 0 && R.Height() >= nMinH && nMinW <= 64 && nTargetMinW <= 64)
    {
        if (pt.x < R.left + 32)
        {
            m_eType = 3;
            m_rc.SetRect(R.left, R.top, R.left + R.Width() / 2, R.bottom);
        }
        else if (pt.x >= R.right - 32)
        {
            m_eType = 4;
            m_rc.SetRect(R.right - R.Width() / 2, R.top, R.right, R.bottom);
        }
    }
    if (m_eType != 0)
    {
        bool bAlong = m_eType <= 2;
        if ((bAlong && m_rc.Width() < nMinW) || (!bAlong && m_rc.Height() < nMinH))
        {
            m_eType = 0;
            m_rc.SetRectEmpty();
        }
        else
        {
            SetTarget(pTarget);
            m_bFlag2 = !pTarget->IsSingleInRow(false, false);
        }
    }
}

// The float outline: the frame lands where the cursor holds the bar, at the size of its
// present mini frame or of its floating size (no smaller than its minimum).
void CExtControlBar::InternalDraggingState_t::CalcFloatStateAtPoint(CPoint pt, CFrameWnd* pFrame,
                                                                    int nMinW, int nMinH)
{
    CExtControlBar* pBar = m_pBarSource;
    SetTarget(NULL);
    m_nTabIndex = 0;
    m_nCircle = 0;
    m_bFlag2 = true;
    CPoint ptTopLeft(pt.x - pBar->m_nDragOffsetFloatX, pt.y - pBar->m_nDragOffsetFloatY);
    CFrameWnd* pMini = pBar->IsFloating() ? pBar->GetParentFrame() : NULL;
    if (pMini != NULL && pMini != pFrame)
    {
        CRect rcMini;
        pMini->GetWindowRect(&rcMini);
        m_rc.SetRect(ptTopLeft, ptTopLeft + rcMini.Size());
    }
    else
    {
        CSize size(std::max((int)pBar->m_sizeFloated.cx, nMinW),
                   std::max((int)pBar->m_sizeFloated.cy, nMinH));
        m_rc = FloatFrameRect(ptTopLeft, size);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Fixed-size bars: live moves

void CExtControlBar::InternalDraggingState_t::CalcFixedStateAtPoint(CPoint pt, BOOL bForceFloat)
{
    CExtControlBar* pBar = m_pBarSource;
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    m_rc.SetRectEmpty();
    m_eType = 0;
    m_bEmpty = false;
    SetTarget(NULL);
    CFrameWnd* pFrame = DragFrameOf(pBar);
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return;
    if (!bForceFloat && !IsCtrlHeld())
    {
        CRect rcFrame;
        pFrame->GetWindowRect(&rcFrame);
        CRect rcTest(rcFrame);
        rcTest.InflateRect(2 * ::GetSystemMetrics(SM_CXBORDER), 2 * ::GetSystemMetrics(SM_CYBORDER));
        if (rcTest.PtInRect(pt))
        {
            CExtDockBar* pEdges[4];
            CRect zones[4];
            bool bHit[4];
            for (int k = 0; k < 4; k++)
            {
                pEdges[k] = EdgeDockBar(pFrame, s_sideIDs[k]);
                bHit[k] = false;
            }
            CRect rcClient;
            pFrame->GetClientRect(&rcClient);
            pFrame->ClientToScreen(&rcClient);
            for (int k = 0; k < 4; k++)
            {
                if (pEdges[k] == NULL)
                    continue;
                CRect rc;
                if (pEdges[k]->IsWindowVisible())
                    pEdges[k]->GetWindowRect(&rc);
                else
                {
                    // the client edge, inside the edge's auto-hide strip when one shows
                    CRect rcEdge(rcClient);
                    int nStrip = std::max(pEdges[k]->m_nAutoHideAreaThickness, 0);
                    switch (k)
                    {
                    case 0: rcEdge.top += nStrip; break;
                    case 1: rcEdge.bottom -= nStrip; break;
                    case 2: rcEdge.left += nStrip; break;
                    default: rcEdge.right -= nStrip; break;
                    }
                    switch (k)
                    {
                    case 0: rc.SetRect(rcEdge.left, rcEdge.top, rcEdge.right, rcEdge.top); break;
                    case 1: rc.SetRect(rcEdge.left, rcEdge.bottom, rcEdge.right, rcEdge.bottom); break;
                    case 2: rc.SetRect(rcEdge.left, rcEdge.top, rcEdge.left, rcEdge.bottom); break;
                    default: rc.SetRect(rcEdge.right, rcEdge.top, rcEdge.right, rcEdge.bottom); break;
                    }
                }
                switch (k)
                {
                case 0: rc.top = rcFrame.top; rc.bottom += 12; break;
                case 1: rc.bottom = rcFrame.bottom; rc.top -= 12; break;
                case 2: rc.left = rcFrame.left; rc.right += 12; break;
                default: rc.right = rcFrame.right; rc.left -= 12; break;
                }
                zones[k] = rc;
            }
            for (int k = 2; k < 4; k++)
            {
                zones[k].top = zones[0].bottom - 12;
                zones[k].bottom = zones[1].top + 12;
            }
            for (int k = 0; k < 4; k++)
            {
                CRect rc(zones[k]);
                rc.InflateRect(18, 18);
                bHit[k] = pEdges[k] != NULL && rc.PtInRect(pt);
            }
            // the present dock bar first, then the visible ones, then the hidden ones
            for (int k = 0; k < 4; k++)
                if (bHit[k] && pBar->m_pDockBar == pEdges[k] && CalcFixedStateInDockBar(pt, pEdges[k]))
                    return;
            for (int nPass = 0; nPass < 2; nPass++)
            {
                for (int k = 0; k < 4; k++)
                {
                    if (!bHit[k] || pBar->m_pDockBar == pEdges[k])
                        continue;
                    if ((pEdges[k]->IsWindowVisible() != FALSE) != (nPass == 0))
                        continue;
                    if (CalcFixedStateInDockBar(pt, pEdges[k]))
                        return;
                }
            }
        }
    }
    // floats live at the cursor
    CPoint ptTopLeft(pt.x - pBar->m_nDragOffsetFloatX, pt.y - pBar->m_nDragOffsetFloatY);
    CSize size = pBar->CalcFixedLayout(FALSE, TRUE);
    m_rc = FloatFrameRect(ptTopLeft, size);
    m_eType = 0;
    if (pBar->IsFloating())
    {
        CFrameWnd* pMini = pBar->GetParentFrame();
        CRect rcMini;
        pMini->GetWindowRect(&rcMini);
        if (rcMini.TopLeft() != ptTopLeft)
            pMini->SetWindowPos(NULL, ptTopLeft.x, ptTopLeft.y, 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_rc = CRect(ptTopLeft, rcMini.Size());
    }
    else
        pBar->FloatAtPosition(ptTopLeft, CBRS_ALIGN_TOP);
    if (pBar->m_pDockContext != NULL)
        pBar->m_pDockContext->m_ptMRUFloatPos = ptTopLeft;
}

// A fixed-size bar's move in the dock bar it is already in: the decision's locals and
// its steps.
struct CExtControlBar::InternalDraggingState_t::FixedRowMove_t
{
    InternalDraggingState_t* pState;    // the decision being made
    CExtControlBar* pBar;
    CDockBar* pDockBar;
    CFrameWnd* pFrame;
    CPtrArray& arr;         // the dock bar's entries
    CPoint pt;              // the cursor (screen)
    CPoint ptTopLeft;       // where the bar's top left corner would go (screen)
    bool bHorz;
    int nPos;               // the bar's entry
    int nFirst, nLast;      // its row's entries
    CRect rcRow;            // its row's visible bars (screen)
    int nDir;               // -1: the cursor is before the row, 1: after it

    bool MoveAlongRow();
    bool MoveToOwnRow();
    bool MoveToNeighbourRow();
    bool SwapRows(int nN1, int nN2, CControlBar* pFirstOther);
};

// A fixed-size bar dragged over a frame-edge dock bar moves there live: docked at the
// cursor from elsewhere, or moved in or across the rows it is in. FALSE when it does not fit.
bool CExtControlBar::InternalDraggingState_t::CalcFixedStateInDockBar(CPoint pt, CDockBar* pDockBar)
{
    CExtControlBar* pBar = m_pBarSource;
    if (pBar == NULL || pDockBar == NULL || pDockBar->m_hWnd == NULL)
        return false;
    if ((pBar->m_dwDockStyle & pDockBar->m_dwStyle & CBRS_ALIGN_ANY) == 0)
        return false;
    g_DragStateCurrent.m_nCursorKind = 0;
    CFrameWnd* pFrame = DragFrameOf(pBar);
    UINT nID = (UINT)pDockBar->GetDlgCtrlID();
    bool bHorz = nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM;
    CPoint ptTopLeft = pt - CPoint(pBar->m_nDragOffsetX, pBar->m_nDragOffsetY);
    m_eType = 5 + (nID == AFX_IDW_DOCKBAR_BOTTOM ? 1 : nID == AFX_IDW_DOCKBAR_LEFT ? 2
                                                    : nID == AFX_IDW_DOCKBAR_RIGHT ? 3 : 0);
    m_nCircle = 0;

    if (pBar->m_pDockBar != pDockBar)
        return DockFixedFromElsewhere(pDockBar, pFrame, ptTopLeft, bHorz);

    // already here: along its row, out to a row of its own, or into the next row
    CPtrArray& arr = pDockBar->m_arrBars;
    int nPos = ExtBarLayout::FindEntry(arr, pBar);
    int nFirst = 0, nLast = 0;
    if (nPos <= 0 || !ExtBarLayout::GetRowBounds(arr, nPos, nFirst, nLast))
        return false;
    CRect rcRow(0, 0, 0, 0);
    int nOthers = 0;
    for (int i = nFirst; i <= nLast; i++)
    {
        CControlBar* p = (CControlBar*)arr[i];
        if (ExtBarLayout::IsPlaceholder(p) || p == NULL || !p->IsVisible())
            continue;
        CRect rc;
        p->GetWindowRect(&rc);
        rcRow.UnionRect(rcRow.IsRectEmpty() ? rc : rcRow, rc);
        if (p != pBar)
            nOthers++;
    }
    CRect rcBand(rcRow);
    if (bHorz)
        rcBand.InflateRect(0, 1);
    else
        rcBand.InflateRect(1, 0);
    switch (nID)
    {
    case AFX_IDW_DOCKBAR_TOP: rcBand.top += 2; break;
    case AFX_IDW_DOCKBAR_LEFT: rcBand.left += 2; break;
    case AFX_IDW_DOCKBAR_RIGHT: rcBand.right -= 2; break;
    default: rcBand.bottom -= 2; break;
    }
    int nAcross = bHorz ? pt.y : pt.x;
    int nFrom = bHorz ? rcBand.top : rcBand.left;
    int nTo = bHorz ? rcBand.bottom : rcBand.right;
    FixedRowMove_t m = { this, pBar, pDockBar, pFrame, arr, pt, ptTopLeft, bHorz,
                         nPos, nFirst, nLast, rcRow, 0 };
    if (nAcross > nFrom && nAcross < nTo)
        return m.MoveAlongRow();
    m.nDir = nAcross <= nFrom ? -1 : 1;
    if (nOthers > 0)
        return m.MoveToOwnRow();
    return m.MoveToNeighbourRow();
}

// A fixed-size bar from another dock bar or a floating frame docks at the cursor; its
// old mini frame lays out again unless the move destroyed it.
bool CExtControlBar::InternalDraggingState_t::DockFixedFromElsewhere(CDockBar* pDockBar,
                                                                     CFrameWnd* pFrame,
                                                                     CPoint ptTopLeft, bool bHorz)
{
    CExtControlBar* pBar = m_pBarSource;
    CSize size = pBar->CalcFixedLayout(FALSE, bHorz ? TRUE : FALSE);
    if (!bHorz)
        size = pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
    CRect rc(ptTopLeft, size);
    pBar->ResetOuterLayoutData();
    // the floating frame goes when the bar leaves it empty: kept by its handle
    CFrameWnd* pOldMini = pBar->IsFloating() ? pBar->GetParentFrame() : NULL;
    HWND hWndOldMini = pOldMini != NULL ? pOldMini->m_hWnd : NULL;
    pDockBar->DockControlBar(pBar, &rc);
    if (pBar->IsButtonInputBlocked() && !pBar->IsSingleInRow(false, false))
    {
        CExtDockBar* pExt = DYNAMIC_DOWNCAST(CExtDockBar, pDockBar);
        int nPos = ExtBarLayout::FindEntry(pDockBar->m_arrBars, pBar);
        if (pExt != NULL && nPos > 0)
        {
            ExtBarLayout::InsertRowBreakBefore(pDockBar->m_arrBars, nPos + 1);
            ExtBarLayout::InsertRowBreakBefore(pDockBar->m_arrBars, nPos);
            ExtBarLayout::NormalizeBarArray(pDockBar->m_arrBars);
        }
    }
    pBar->SyncOuterLayoutData();
    pFrame->RecalcLayout();
    if (hWndOldMini != NULL && CWnd::FromHandlePermanent(hWndOldMini) == pOldMini)
        pOldMini->RecalcLayout();
    pDockBar->GetWindowRect(&m_rc);
    return true;
}

// Along its own row the bar is placed at the cursor: it swaps places with the neighbours
// it passes the middle of, or a wrapped bar at the line end changes its wanted length.
bool CExtControlBar::InternalDraggingState_t::FixedRowMove_t::MoveAlongRow()
{
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    int nDelta = bHorz ? ptTopLeft.x - rcBar.left : ptTopLeft.y - rcBar.top;
    if (nDelta == 0)
        return true;
    TakeRecordForMove(pBar, pDockBar, bHorz);
    if (ChangeLengthAtLineEnd(pBar, pDockBar, nFirst, nLast, bHorz, nDelta))
    {
        g_DragStateCurrent.m_nCursorKind = bHorz ? 1 : 2;
        pState->m_nCursorKind = bHorz ? 1 : 2;
        RelayoutDockBar(pFrame, pDockBar);
        return true;
    }
    CPoint ptMid = rcBar.CenterPoint();
    if (bHorz)
        ptMid.x += nDelta;
    else
        ptMid.y += nDelta;
    // neighbours swap when the bar passes their middle
    for (int i = nFirst; i <= nLast; i++)
    {
        CControlBar* p = (CControlBar*)arr[i];
        if (p == NULL || p == pBar || ExtBarLayout::IsPlaceholder(p) || !p->IsVisible())
            continue;
        CRect rc;
        p->GetWindowRect(&rc);
        int nMid = bHorz ? rc.CenterPoint().x : rc.CenterPoint().y;
        int nOld = bHorz ? rcBar.CenterPoint().x : rcBar.CenterPoint().y;
        int nNew = bHorz ? ptMid.x : ptMid.y;
        if ((i < nPos && nNew < nMid && nOld >= nMid) || (i > nPos && nNew > nMid && nOld <= nMid))
        {
            arr[nPos] = p;
            arr[i] = pBar;
            nPos = i;
        }
    }
    OuterLayoutData_t* pData = pBar->GetOuterLayoutData();
    if (pData != NULL)
    {
        CRect rcClient;
        pDockBar->GetClientRect(&rcClient);
        CRect rc(rcBar);
        pDockBar->ScreenToClient(&rc);
        if (bHorz)
            rc.OffsetRect(nDelta, 0);
        else
            rc.OffsetRect(0, nDelta);
        if (bHorz && rc.right > rcClient.right)
            rc.OffsetRect(rcClient.right - rc.right, 0);
        if (!bHorz && rc.bottom > rcClient.bottom)
            rc.OffsetRect(0, rcClient.bottom - rc.bottom);
        if (rc.left < 0)
            rc.OffsetRect(-rc.left, 0);
        if (rc.top < 0)
            rc.OffsetRect(0, -rc.top);
        pData->m_rcRemembered = rc;
    }
    g_DragStateCurrent.m_nCursorKind = bHorz ? 1 : 2;
    pState->m_nCursorKind = bHorz ? 1 : 2;
    RelayoutDockBar(pFrame, pDockBar);
    return true;
}

// A bar that shares its row and is dragged across it gets a row of its own before or
// after that row.
bool CExtControlBar::InternalDraggingState_t::FixedRowMove_t::MoveToOwnRow()
{
    // a row of its own before or after the row it sat in
    pBar->ResetOuterLayoutData();
    ExtBarLayout::RemoveEntryAt(arr, nPos);
    int nFirst2 = 0, nLast2 = 0;
    // the row still starts at nFirst (the next bar moved up when the bar was first)
    if (!ExtBarLayout::GetRowBounds(arr, nFirst, nFirst2, nLast2))
        return false;
    int nInsert = nDir < 0 ? nFirst2 : nLast2 + 1;
    if (nDir < 0)
    {
        arr.InsertAt(nInsert, (void*)NULL);
        arr.InsertAt(nInsert, pBar);
    }
    else
    {
        arr.InsertAt(nInsert + 1, pBar);
        arr.InsertAt(nInsert + 2, (void*)NULL);
    }
    ExtBarLayout::NormalizeBarArray(arr);
    pBar->SyncOuterLayoutData();
    RelayoutDockBar(pFrame, pDockBar);
    return true;
}

// A bar alone in its row dragged across it joins the neighbouring row when that row has
// room for its minimum, else the rows swap; without a neighbouring row it moves along.
bool CExtControlBar::InternalDraggingState_t::FixedRowMove_t::MoveToNeighbourRow()
{
    // alone: into the neighbouring row when it has room, else the rows swap
    int nN1 = 0, nN2 = 0;
    int nProbe = nDir < 0 ? nFirst - 2 : nLast + 2;
    if (nProbe <= 0 || nProbe >= arr.GetSize() || !ExtBarLayout::GetRowBounds(arr, nProbe, nN1, nN2))
        return MoveAlongRow();     // no neighbouring row
    CRect rcClient;
    pDockBar->GetClientRect(&rcClient);
    int nAvail = bHorz ? rcClient.Width() : rcClient.Height();
    int nUsed = 0;
    CControlBar* pFirstOther = NULL;
    for (int i = nN1; i <= nN2; i++)
    {
        CControlBar* p = (CControlBar*)arr[i];
        if (p == NULL || ExtBarLayout::IsPlaceholder(p) || !p->IsVisible())
            continue;
        if (pFirstOther == NULL)
            pFirstOther = p;
        CExtControlBar* pE = DYNAMIC_DOWNCAST(CExtControlBar, p);
        CSize sz = pE != NULL ? pE->GetMinDockedSize() : CSize(0, 0);
        CRect rc;
        p->GetWindowRect(&rc);
        nUsed += pE != NULL ? (bHorz ? sz.cx : sz.cy) : (bHorz ? rc.Width() : rc.Height());
    }
    CSize szMin = pBar->GetMinDockedSize();
    int nMine = bHorz ? szMin.cx : szMin.cy;
    if (pFirstOther != NULL && !pBar->IsButtonInputBlocked() && nUsed + nMine < nAvail)
    {
        CRect rc(ptTopLeft, bHorz ? CSize(nMine, 1) : CSize(1, nMine));
        CRect rcN;
        pFirstOther->GetWindowRect(&rcN);
        if (bHorz)
        {
            rc.top = rcN.top;
            rc.bottom = rcN.bottom;
        }
        else
        {
            rc.left = rcN.left;
            rc.right = rcN.right;
        }
        pBar->ResetOuterLayoutData();
        ExtBarLayout::RemoveEntryAt(arr, nPos);
        pDockBar->DockControlBar(pBar, &rc);
        pBar->SyncOuterLayoutData();
        RelayoutDockBar(pFrame, pDockBar);
        return true;
    }
    if (pFirstOther == NULL)
        return MoveAlongRow();
    return SwapRows(nN1, nN2, pFirstOther);
}

// The bar's row and the neighbouring row (entries nN1..nN2) swap once the cursor has
// passed far enough into that row; before that the bar moves along its own row.
bool CExtControlBar::InternalDraggingState_t::FixedRowMove_t::SwapRows(int nN1, int nN2,
                                                                       CControlBar* pFirstOther)
{
    CExtDockBar* pExt = DYNAMIC_DOWNCAST(CExtDockBar, pDockBar);
    // the rows swap only once the cursor would lie in the bar's row after the swap: the
    // neighbouring row, moved across by the difference of its thickness and the own row's,
    // keeps the bar in its row, so that rows of unequal thickness do not swap back and forth
    CRect rcN(0, 0, 0, 0);
    for (int i = nN1; i <= nN2; i++)
    {
        CControlBar* p = (CControlBar*)arr[i];
        if (p == NULL || ExtBarLayout::IsPlaceholder(p) || !p->IsVisible())
            continue;
        CRect rc;
        p->GetWindowRect(&rc);
        rcN.UnionRect(rcN.IsRectEmpty() ? rc : rcN, rc);
    }
    CRect rcDockWnd;
    pDockBar->GetWindowRect(&rcDockWnd);
    CRect rcSwapBand(rcN);
    if (bHorz)
    {
        rcSwapBand.left = rcDockWnd.left;
        rcSwapBand.right = rcDockWnd.right;
        rcSwapBand.OffsetRect(0, nDir < 0 ? rcRow.bottom - rcN.bottom : rcRow.top - rcN.top);
    }
    else
    {
        rcSwapBand.top = rcDockWnd.top;
        rcSwapBand.bottom = rcDockWnd.bottom;
        rcSwapBand.OffsetRect(nDir < 0 ? rcRow.right - rcN.right : rcRow.left - rcN.left, 0);
    }
    if (rcSwapBand.PtInRect(pt))
        return MoveAlongRow();
    if (pExt != NULL)
    {
        pBar->SyncOuterLayoutData();
        SwapBarRows(pDockBar, pBar, pFirstOther);
        RelayoutDockBar(pFrame, pDockBar);
    }
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// The outline

void CExtControlBar::InternalDraggingState_t::DrawTracker(BOOL bErase)
{
    CExtControlBar* pBar = m_pBarSource;
    if (pBar == NULL || m_bEmpty || m_eType == 13 || pBar->IsFixedSize() || pBar->IsFixedDragMode())
        return;
    if (m_rc.IsRectEmpty())
        return;
    CRect rc(m_rc);
    if (m_pBarTarget != NULL && m_pBarTarget->m_pDockBar != NULL && !m_pBarTarget->IsFloating())
    {
        CRect rcDock;
        m_pBarTarget->m_pDockBar->GetWindowRect(&rcDock);
        if (!rc.IntersectRect(rc, rcDock))
            return;
    }
    int cxMin = 2 * ::GetSystemMetrics(SM_CXFRAME) + 1;
    int cyMin = 2 * ::GetSystemMetrics(SM_CYFRAME) + 1;
    if (rc.Width() < cxMin || rc.Height() < cyMin)
        return;
    // an inverted frame on the desktop: drawing it twice removes it
    HWND hWnd = ::GetDesktopWindow();
    HDC hDC = ::GetDCEx(hWnd, NULL, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (hDC == NULL)
        return;
    CFrameWnd* pFrame = DragFrameOf(pBar);
    TrackedAreaData_t data;
    data.m_pBar = pBar;
    data.m_pDC = CDC::FromHandle(hDC);
    data.m_nAreaKind = 2;
    data.m_rc = rc;
    data.m_nFlags = bErase ? 1 : 0;
    if (pFrame != NULL && pFrame->m_hWnd != NULL)
        pFrame->SendMessage(g_nMsgDrawTackedArea, (WPARAM)&data);
    if ((data.m_nFlags & 2) == 0)
    {
        CBrush* pBrush = CDC::GetHalftoneBrush();
        HGDIOBJ hOld = ::SelectObject(hDC, pBrush != NULL ? pBrush->GetSafeHandle()
                                                          : ::GetStockObject(GRAY_BRUSH));
        int cx = ::GetSystemMetrics(SM_CXFRAME), cy = ::GetSystemMetrics(SM_CYFRAME);
        ::PatBlt(hDC, rc.left, rc.top, rc.Width(), cy, PATINVERT);
        ::PatBlt(hDC, rc.left, rc.bottom - cy, rc.Width(), cy, PATINVERT);
        ::PatBlt(hDC, rc.left, rc.top + cy, cx, rc.Height() - 2 * cy, PATINVERT);
        ::PatBlt(hDC, rc.right - cx, rc.top + cy, cx, rc.Height() - 2 * cy, PATINVERT);
        ::SelectObject(hDC, hOld);
    }
    ::ReleaseDC(hWnd, hDC);
}

/////////////////////////////////////////////////////////////////////////////
// The drag loop

// The modal drag of the bar: waits for the mouse to leave the thresholds, then tracks
// it until the drop or a cancel; keys typed before it and a quit are handed back after.
void CExtControlBar::StartDragging(CPoint ptScreen, CPoint ptOffset, int cxThreshold,
                                   int cyThreshold)
{
    if (m_hWnd == NULL || m_bDragging || GetDraggedBar() != NULL || s_bTrackBusy)
        return;
    CFrameWnd* pSite = DragFrameOf(this);
    if (pSite != NULL && IsFrameSerializing(pSite))
        return;
    HWND hWnd = m_hWnd;
    SavedKeys_t keys;
    keys.Take();
    if (keys.m_bQuit)
    {
        // the program is ending: no drag
        keys.Restore();
        ::PostQuitMessage(keys.m_nQuitCode);
        return;
    }
    SetCapture();
    bool bQuit = false;
    int nQuitCode = 0;

    if (cxThreshold > 0 && cyThreshold > 0)
    {
        bool bStart = WaitForDragThreshold(hWnd, ptScreen, cxThreshold, cyThreshold, bQuit,
                                           nQuitCode);
        if (!bStart)
        {
            if (::IsWindow(hWnd) && ::GetCapture() == hWnd)
                ::ReleaseCapture();
            keys.Restore();
            if (bQuit)
                ::PostQuitMessage(nQuitCode);
            return;
        }
    }

    // a live drag docks the bar into every dock bar it crosses: a bar that ends floating
    // keeps the place it was docked at before the drag as the one to return to
    const UINT nMRUDockID = m_pDockContext != NULL ? m_pDockContext->m_uMRUDockID : 0;
    const CRect rcMRUDock = m_pDockContext != NULL ? m_pDockContext->m_rectMRUDockPos : CRect();

    g_DragStateCandidate.Reset();
    g_DragStateCurrent.Reset();
    g_DragStateCandidate.m_bEmpty = false;
    g_DragStateCandidate.m_pBarSource = this;
    g_DragStateCurrent.m_pBarSource = this;
    OnDraggingStarted();
    m_bDragging = true;

    SetDragGrabOffsets(ptOffset);
    m_ptLastDragPos = CPoint(-1, -1);
    TrackDragging(ptScreen, IsCtrlHeld());
    if (::IsWindow(hWnd))
        SetTimer(ID_TIMER_DRAG, 50, NULL);

    RunDragLoop(hWnd, bQuit, nQuitCode);
    if (::IsWindow(hWnd))
        ::KillTimer(hWnd, ID_TIMER_DRAG);
    if (m_bDragging && ::IsWindow(hWnd))
        StopDragging(TRUE);
    if (::IsWindow(hWnd) && IsFloating() && m_pDockContext != NULL && nMRUDockID != 0 &&
        nMRUDockID != AFX_IDW_DOCKBAR_FLOAT)
    {
        m_pDockContext->m_uMRUDockID = nMRUDockID;
        m_pDockContext->m_rectMRUDockPos = rcMRUDock;
    }
    keys.Restore();
    if (bQuit)
        ::PostQuitMessage(nQuitCode);
}

// The wait before a drag: TRUE once the mouse moved beyond the thresholds (ptScreen is
// then where it went); FALSE when the press ended first, another input came or a quit.
bool CExtControlBar::WaitForDragThreshold(HWND hWnd, CPoint& ptScreen, int cxThreshold,
                                          int cyThreshold, bool& bQuit, int& nQuitCode)
{
    bool bStart = false;
    while (!bStart && ::IsWindow(hWnd))
    {
        MSG msg;
        if (!PeekDragMessage(msg))
        {
            // nothing queued and the button already up: the press ended, no drag
            if ((::GetAsyncKeyState(::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) & 0x8000) == 0)
                break;
            ::WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT)
        {
            ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
            bQuit = true;
            nQuitCode = (int)msg.wParam;
            break;
        }
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == hWnd)
        {
            ::PeekMessageA(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(hWnd, &pt);
            if (abs(pt.x - ptScreen.x) > cxThreshold || abs(pt.y - ptScreen.y) > cyThreshold)
            {
                bStart = true;
                ptScreen = pt;
            }
            continue;
        }
        if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_CONTROL)
        {
            ::PeekMessageA(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
            continue;
        }
        bool bEnd = IsKeyMessage(msg.message) ||
                    (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
                    (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCXBUTTONDBLCLK) ||
                    msg.message == WM_ACTIVATEAPP || msg.message == WM_CANCELMODE ||
                    msg.message == WM_CONTEXTMENU ||
                    (msg.message == WM_CAPTURECHANGED && (HWND)msg.lParam != hWnd);
        if (bEnd)
            break;
        if (!AfxPumpMessage())
        {
            bQuit = true;
            break;
        }
    }
    return bStart;
}

// Where the cursor holds the bar while dragged: the caller's offset, or a point in the
// caption near its start.
void CExtControlBar::SetDragGrabOffsets(CPoint ptOffset)
{
    CRect rcCaption(m_rcCaption);
    CWnd* pHost = NULL;
    bool bHorzCaption = true;
    CRect rcHostCaption;
    if (GetCaptionInfo(pHost, rcHostCaption, bHorzCaption))
        rcCaption = rcHostCaption;
    int e = std::min(rcCaption.Width(), rcCaption.Height());
    CPoint ptGrab = e > 2 ? CPoint(e, e / 2)
                          : CPoint(::GetSystemMetrics(SM_CYSMCAPTION) / 2,
                                   ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
    m_nDragOffsetX = m_nDragOffsetFloatX = ptGrab.x;
    m_nDragOffsetY = m_nDragOffsetFloatY = ptGrab.y;
    if (ptOffset != CPoint(0, 0))
    {
        if (IsFloating() || m_pDockBar == NULL)
        {
            m_nDragOffsetFloatX = ptOffset.x;
            m_nDragOffsetFloatY = ptOffset.y;
        }
        else
        {
            m_nDragOffsetX = ptOffset.x;
            m_nDragOffsetY = ptOffset.y;
        }
    }
}

// The loop of the drag: moves (and the timer's replays of the cursor) track, Ctrl
// switches docking off or on, the release drops; keys, other buttons or a lost capture
// cancel. A quit ends it and is posted again by the caller.
void CExtControlBar::RunDragLoop(HWND hWnd, bool& bQuit, int& nQuitCode)
{
    while (m_bDragging && ::IsWindow(hWnd))
    {
        MSG msg;
        if (!PeekDragMessage(msg))
        {
            ::WaitMessage();
            continue;
        }
        UINT nMsg = msg.message;
        if (nMsg == WM_QUIT)
        {
            ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
            bQuit = true;
            nQuitCode = (int)msg.wParam;
            StopDragging(TRUE);
            break;
        }
        if (nMsg == WM_TIMER && msg.wParam == ID_TIMER_DRAG && msg.hwnd == hWnd)
        {
            ::PeekMessageA(&msg, hWnd, WM_TIMER, WM_TIMER, PM_REMOVE);
            CPoint pt;
            ::GetCursorPos(&pt);
            ::ScreenToClient(hWnd, &pt);
            ::PostMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
            continue;
        }
        if (nMsg == WM_MOUSEMOVE)
        {
            MSG last = msg;
            while (::PeekMessageA(&msg, NULL, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
                last = msg;
            CPoint pt((short)LOWORD(last.lParam), (short)HIWORD(last.lParam));
            if (last.hwnd != NULL && last.hwnd != hWnd)
            {
                ::ClientToScreen(last.hwnd, &pt);
                ::ScreenToClient(hWnd, &pt);
            }
            HandleMouseMove((UINT)last.wParam, pt);
            continue;
        }
        if ((nMsg == WM_KEYDOWN || nMsg == WM_KEYUP) && msg.wParam == VK_CONTROL)
        {
            if (!s_bTrackBusy)
            {
                CPoint pt;
                ::GetCursorPos(&pt);
                if (m_ptLastDragPos == pt)
                    m_ptLastDragPos.x--;
                ::ScreenToClient(hWnd, &pt);
                ::PostMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
            }
            if (!AfxPumpMessage())
                bQuit = true;
            continue;
        }
        if (IsKeyMessage(nMsg) || nMsg == WM_ACTIVATEAPP || nMsg == WM_CANCELMODE ||
            nMsg == WM_CONTEXTMENU || nMsg == WM_NCLBUTTONUP || nMsg == WM_NCRBUTTONDOWN ||
            nMsg == WM_NCRBUTTONUP || nMsg == WM_NCMBUTTONDOWN || nMsg == WM_NCMBUTTONUP ||
            nMsg == WM_RBUTTONDOWN || nMsg == WM_MBUTTONDOWN || nMsg == WM_MBUTTONUP)
        {
            if (IsKeyMessage(nMsg))
                ::PeekMessageA(&msg, msg.hwnd, nMsg, nMsg, PM_REMOVE);  // the Esc is used up
            StopDragging(TRUE);
            break;
        }
        if (::GetCapture() != hWnd)
        {
            StopDragging(TRUE);
            break;
        }
        // the release reaches the bar this way and drops it
        if (!AfxPumpMessage())
            bQuit = true;
    }
}

// One step of the drag: the decision at the point, and the outline redrawn only when it
// changed (never re-entered, and not twice at one point).
void CExtControlBar::TrackDragging(CPoint ptScreen, BOOL bForceFloat)
{
    if (s_bTrackBusy || ptScreen == m_ptLastDragPos || !m_bDragging)
        return;
    m_ptLastDragPos = ptScreen;
    s_bTrackBusy = true;
    g_DragStateCandidate.m_pBarSource = this;
    g_DragStateCandidate.CalcStateAtPoint(ptScreen, bForceFloat);
    if (!g_DragStateCandidate.IsEqual(g_DragStateCurrent))
    {
        if (!g_DragStateCurrent.m_bEmpty)
        {
            g_CurrentPaintManager->PumpPaintMessages(true, true, true);
            g_DragStateCurrent.DrawTracker(TRUE);
        }
        if (!g_DragStateCandidate.m_bEmpty)
        {
            g_CurrentPaintManager->PumpPaintMessages(true, true, true);
            g_DragStateCandidate.DrawTracker(FALSE);
        }
        g_DragStateCurrent = g_DragStateCandidate;
    }
    if (m_hWnd != NULL && ::GetCapture() != m_hWnd && m_bDragging)
        SetCapture();
    s_bTrackBusy = false;
}

// Ends the drag: the outline and markers go, and the last decision applies unless
// cancelled (a live drag has moved the bar already, apart from a marker's decision).
void CExtControlBar::StopDragging(BOOL bCancel)
{
    if (!m_bDragging)
        return;
    m_bDragging = false;
    m_ptLastDragPos = CPoint(-1, -1);
    InternalDraggingState_t state(g_DragStateCandidate);
    InternalDraggingState_t current(g_DragStateCurrent);
    bool bLive = IsLiveDragDocking();
    if (!g_DragStateCurrent.m_bEmpty)
        g_DragStateCurrent.DrawTracker(TRUE);
    g_DragStateCurrent.Reset();
    g_DragStateCandidate.Reset();
    HWND hWnd = m_hWnd;
    if (hWnd != NULL && ::GetCapture() == hWnd)
        ::ReleaseCapture();
    CExtDynDockMarkerWnd::DestroyAllMarkers();
    if (!state.m_bEmpty)
    {
        OnDraggingFinished(&current, &state, bCancel);
        // a marker's decision is applied at the drop, also with live dragging
        if (!bCancel && (!bLive || state.m_eType >= 14))
            ApplyDraggingState(state, TRUE);
    }
    if (!::IsWindow(hWnd))
        return;
    if (IsFloating() && !bLive)
        RedrawWindow(NULL, NULL, RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
    if (bCancel)
    {
        CFrameWnd* pSite = DragFrameOf(this);
        if (pSite != NULL)
            pSite->DelayRecalcLayout();
    }
}

// Carries out a drag decision: float (the row's neighbour takes the length left), dock
// beside a bar, at an edge of the docking area or by a marker; FALSE when it cannot.
bool CExtControlBar::ApplyDraggingState(InternalDraggingState_t& state, BOOL)
{
    if (state.m_bEmpty || IsFixedDragMode() || m_hWnd == NULL)
        return false;
    CFrameWnd* pFrame = DragFrameOf(this);
    if (pFrame == NULL)
        return false;
    CFrameWnd* pOldParent = GetParentFrame();
    HWND hWndOldParent = pOldParent != NULL && pOldParent != pFrame ? pOldParent->m_hWnd : NULL;
    bool bHadDockBar = m_pDockBar != NULL;
    int nType = state.m_eType;
    switch (nType)
    {
    case 0:
        if (m_pDockBar != NULL && !IsFloating())
        {
            // the nearest resizable bar of the row takes over the length it leaves
            CExtControlBar* pHeir = (CExtControlBar*)FindRowNeighbour(false, true);
            if (pHeir == NULL)
                pHeir = (CExtControlBar*)FindRowNeighbour(true, true);
            if (pHeir != NULL)
            {
                CRect rcOwn;
                GetWindowRect(&rcOwn);
                if (IsDockedHorizontally())
                    pHeir->m_sizeDockedH.cx += rcOwn.Width();
                else
                    pHeir->m_sizeDockedV.cy += rcOwn.Height();
            }
        }
        FloatAtPosition(state.m_rc.TopLeft(), CBRS_ALIGN_TOP);
        if (m_pDockContext != NULL)
            m_pDockContext->m_ptMRUFloatPos = state.m_rc.TopLeft();
        pFrame->RecalcLayout();
        return true;
    case 1: case 2: case 3: case 4:
        {
            static const UINT sides[4] = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM,
                                           AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT };
            if (state.m_pBarTarget == NULL)
                return false;
            return DockBesideBar(50, state.m_pBarTarget, sides[nType - 1], TRUE);
        }
    case 5: case 6: case 7: case 8:
    case 9: case 10: case 11: case 12:
        {
            int k = (nType - 5) % 4;
            UINT nSide = s_sideIDs[k];
            if (k < 2)
                m_sizeDockedH.cy = std::max(state.m_rc.Height(), 8);
            else
                m_sizeDockedV.cx = std::max(state.m_rc.Width(), 8);
            CExtDockBar* pDock = NULL;
            bool bInnerEnd = nType <= 8;
            if (nType >= 9)
            {
                if (k >= 2)
                    CExtDockBar::InsertCircle(pFrame, 1);
                pDock = CExtDockBar::FindCircleDockBar(pFrame, 1, nSide, true);
            }
            else
            {
                int nCircle = std::max(1, state.m_nCircle);
                pDock = CExtDockBar::FindCircleDockBar(pFrame, nCircle, nSide, true);
            }
            if (pDock == NULL)
                return false;
            m_bUpdatingLayout = true;
            pDock->InsertBarAsRow(this, bInnerEnd);
            m_bUpdatingLayout = false;
            if (bHadDockBar)
                pFrame->RecalcLayout();
            if (hWndOldParent != NULL && ::IsWindow(hWndOldParent))
            {
                CFrameWnd* pOld = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWndOldParent));
                if (pOld != NULL)
                {
                    if (ExtBarsIsOfClassName(pOld, "CExtMiniDockFrameWnd"))
                        pOld->RecalcLayout();
                    else
                        pOld->DelayRecalcLayout();
                }
            }
            CExtDockBar::CompactCircles(pFrame);
            pFrame->RecalcLayout();
            if (m_hWnd != NULL)
            {
                ShowWindow(SW_SHOWNA);
                SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER |
                             SWP_NOACTIVATE | SWP_FRAMECHANGED);
                RepositionChildWindow();
            }
            return true;
        }
    case 13:
        pFrame->DelayRecalcLayout();
        return true;
    default:
        if (nType >= 14 && nType <= 26)
            return CExtDynDockMarkerWnd::ApplyMarkerKind(
                this, nType, state.m_pBarTarget != NULL ? state.m_pBarTarget->m_hWnd : NULL);
        break;
    }
    return false;
}
