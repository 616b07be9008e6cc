// ExtDynDockMarkerWnd.cpp - dock marker windows, their highlight and the marker sets of
// a drag.

#include "ExtDynDockMarkerWnd.h"
#include "ExtControlBar.h"
#include "ExtDockBar.h"
#include "ExtDynTabControlBar.h"
#include "afxpriv.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"

#include <algorithm>

static const TCHAR g_szMarkerClass[] = _T("Baymoor-DynDockMarker");
static const TCHAR g_szHighlightClass[] = _T("Baymoor-DynDockHighlightWnd");

namespace
{

CWnd* s_pOwnerWnd = NULL;
HWND s_hWndInnerTarget = NULL;

bool RegisterGlobalClass(LPCTSTR lpszName)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASS wc;
    if (::GetClassInfo(hInst, lpszName, &wc))
        return true;
    ::ZeroMemory(&wc, sizeof(wc));
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = hInst;
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = lpszName;
    return ::RegisterClass(&wc) != 0;
}

CExtDynDockMarkerWnd* LinkCreateMarker(HWND hWndValue, int nMarkerType, HBITMAP hBmpNormal,
                                       HBITMAP hBmpHot, HRGN hRgn, const RECT& rcScreen)
{
    CExtDynDockMarkerWnd* pWnd =
        new CExtDynDockMarkerWnd(hWndValue, nMarkerType, hBmpHot, hBmpNormal, hRgn, rcScreen);
    if (pWnd->m_hWnd == NULL)
    {
        delete pWnd;
        return NULL;
    }
    return pWnd;
}

void LinkDestroyMarkers(CPtrArray& arr)
{
    CExtDynDockMarkerWnd::DestroyMarkerArray(arr);
}

struct MarkerLinksInit
{
    MarkerLinksInit()
    {
        CExtPaintManager::g_BarLinks.m_pfnCreateDockMarkerWnd = LinkCreateMarker;
        CExtPaintManager::g_BarLinks.m_pfnDestroyMarkerArray = LinkDestroyMarkers;
    }
};
const MarkerLinksInit s_markerLinksInit;

bool IsMarkerWindow(HWND hWnd)
{
    CPtrArray* arrs[2] = { &CExtControlBar::g_arrDockMarkersOuter,
                           &CExtControlBar::g_arrDockMarkersInner };
    for (CPtrArray* pArr : arrs)
        for (INT_PTR i = 0; i < pArr->GetSize(); i++)
            if (((CExtDynDockMarkerWnd*)pArr->GetAt(i))->m_hWnd == hWnd)
                return true;
    return false;
}

bool ScreenRectHolds(HWND hWnd, const POINT& pt)
{
    CRect rc;
    return ::IsWindow(hWnd) && ::IsWindowVisible(hWnd) && ::GetWindowRect(hWnd, &rc) &&
           rc.PtInRect(pt);
}

// The innermost visible resizable bar under the point inside a container (a tab group
// counts as one bar).
CExtControlBar* InnermostBar(CExtControlBar* pBar, const POINT& pt)
{
    for (int nGuard = 0; nGuard < 16; nGuard++)
    {
        CExtControlBar* pGroup = pBar->GetTabbedContainer();
        if (pGroup != NULL)
            return pGroup;
        CExtDynControlBar* pDyn = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
        if (pDyn == NULL || pDyn->m_pWndDynDockBar == NULL)
            return pBar;
        CExtControlBar* pInner = NULL;
        for (INT_PTR i = 0; i < pDyn->m_pWndDynDockBar->m_arrBars.GetSize() && pInner == NULL; i++)
        {
            void* p = pDyn->m_pWndDynDockBar->m_arrBars[i];
            if (p == NULL || (UINT_PTR)p <= 0xFFFF)
                continue;
            CExtControlBar* pMember = DYNAMIC_DOWNCAST(CExtControlBar, (CObject*)p);
            if (pMember != NULL && !pMember->IsFixedSize() && ScreenRectHolds(pMember->m_hWnd, pt))
                pInner = pMember;
        }
        if (pInner == NULL)
            return pBar;
        pBar = pInner;
    }
    return pBar;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CExtDynDockMarkerWnd

CExtDynDockMarkerWnd::CExtDynDockMarkerWnd(HWND hWndTarget, int nMarkerType, HBITMAP hbmpHot,
                                           HBITMAP hbmpNormal, HRGN hRgn, const RECT& rcScreen)
    : m_pHighlight(NULL), m_hWndTarget(hWndTarget), m_nMarkerType(nMarkerType), m_nState(0),
      m_nPaints(0)
{
    if (hbmpHot != NULL)
        m_bmpHot.Attach(hbmpHot);
    if (hbmpNormal != NULL)
        m_bmpNormal.Attach(hbmpNormal);
    if (hRgn != NULL)
        m_rgn.Attach(hRgn);
    if (!RegisterGlobalClass(g_szMarkerClass))
        return;
    CWnd* pOwner = GetOwnerWnd(true);
    if (pOwner == NULL)
        return;
    if (!CreateEx(WS_EX_TOPMOST, g_szMarkerClass, "", WS_POPUP, rcScreen, pOwner, 0))
        return;
    if (m_rgn.GetSafeHandle() != NULL)
    {
        // the window takes a copy: the marker keeps its own region for hit-testing
        CRgn rgnCopy;
        rgnCopy.CreateRectRgn(0, 0, 0, 0);
        rgnCopy.CopyRgn(&m_rgn);
        if (::SetWindowRgn(m_hWnd, (HRGN)rgnCopy.GetSafeHandle(), FALSE))
            rgnCopy.Detach();
    }
    SetTimer(TIMER_STATE, 50, NULL);
}

CExtDynDockMarkerWnd::~CExtDynDockMarkerWnd()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

// The hidden topmost popup that owns every marker and highlight, made on first need when
// bCreate; NULL when it cannot be made.
CWnd* CExtDynDockMarkerWnd::GetOwnerWnd(bool bCreate)
{
    if (s_pOwnerWnd != NULL && s_pOwnerWnd->m_hWnd != NULL)
        return s_pOwnerWnd;
    if (!bCreate)
        return NULL;
    if (!RegisterGlobalClass(g_szMarkerClass))
        return NULL;
    CWnd* pWnd = new CWnd;
    if (!pWnd->CreateEx(WS_EX_TOPMOST, g_szMarkerClass, "", WS_POPUP, CRect(0, 0, 0, 0),
                        CWnd::GetDesktopWindow(), 0))
    {
        delete pWnd;
        return NULL;
    }
    s_pOwnerWnd = pWnd;
    return pWnd;
}

HWND CExtDynDockMarkerWnd::GetInnerTarget() { return s_hWndInnerTarget; }

bool CExtDynDockMarkerWnd::IsDockingMarker() const
{
    return (m_nMarkerType >= 0 && m_nMarkerType <= 3) || m_nMarkerType == 8;
}

// The drag state the marker stands for (14-17 an outer frame side, 18-21 an inner one,
// 22-25 a side of the target bar, 26 a tab in it); 0 for a marker that docks nothing.
int CExtDynDockMarkerWnd::GetDragStateKind() const
{
    if (!IsDockingMarker())
        return 0;
    int nBase;
    if (m_hWndTarget == NULL)
        nBase = 14;
    else
    {
        CExtControlBar* pBar =
            DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(m_hWndTarget));
        nBase = pBar != NULL ? 22 : 18;
        if (m_nMarkerType == 8)
            return pBar != NULL ? 26 : 0;
    }
    if (m_nMarkerType == 8)
        return 0;
    return nBase + m_nMarkerType;
}

// Shows (bHot) the highlight of where the bar would land, taking it from every other
// marker, or removes it; false when the highlight window cannot be made.
bool CExtDynDockMarkerWnd::SetHot(bool bHot)
{
    if (m_pHighlight != NULL)
    {
        CExtDynDockHighlightWnd* p = m_pHighlight;
        m_pHighlight = NULL;
        if (p->m_hWnd != NULL)
            p->DestroyWindow();
        delete p;
    }
    if (!bHot)
        return true;
    UnhotOthers(CExtControlBar::g_arrDockMarkersOuter, this, false);
    UnhotOthers(CExtControlBar::g_arrDockMarkersInner, this, true);
    CExtDynDockHighlightWnd* pHighlight = new CExtDynDockHighlightWnd(this);
    if (pHighlight->m_hWnd == NULL)
    {
        delete pHighlight;
        SetHot(false);
        return false;
    }
    m_pHighlight = pHighlight;
    return true;
}

BOOL CExtDynDockMarkerWnd::DestroyWindow()
{
    SetHot(false);
    return CWnd::DestroyWindow();
}

// Follows the cursor to show the marker hot or normal; when its target window is gone it
// hides the inner markers and posts a move to the dragged bar so they are made anew.
void CExtDynDockMarkerWnd::OnStateTimer()
{
    if (!IsWindowVisible())
        return;
    if (m_hWndTarget != NULL && !::IsWindow(m_hWndTarget))
    {
        ShowMarkerArray(CExtControlBar::g_arrDockMarkersInner, false);
        CExtPaintManager::PumpPaintMessages(true, true, true);
        CExtControlBar* pDragged = CExtControlBar::GetDraggedBar();
        if (pDragged != NULL && pDragged->m_hWnd != NULL)
        {
            CPoint pt;
            ::GetCursorPos(&pt);
            pDragged->ScreenToClient(&pt);
            WPARAM wFlags = (::GetKeyState(VK_CONTROL) & 0x8000) ? (MK_CONTROL | MK_LBUTTON) : 0;
            pDragged->PostMessage(WM_MOUSEMOVE, wFlags, MAKELPARAM(pt.x, pt.y));
        }
        return;
    }
    int nState = 2;
    CPoint pt;
    if (::GetCursorPos(&pt) && ::WindowFromPoint(pt) == m_hWnd)
        nState = 1;
    if (nState == m_nState)
        return;
    m_nState = nState;
    if (nState != 1)
        SetHot(false);
    Invalidate();
    UpdateWindow();
}

// A marker takes no activation and no click and paints its normal or hot bitmap; its
// timer keeps the state in step with the cursor.
LRESULT CExtDynDockMarkerWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_NCCALCSIZE:
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATEANDEAT;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
    {
        CPaintDC dc(this);
        m_nPaints++;
        CBitmap& bmp = m_nState == 1 ? m_bmpHot : m_bmpNormal;
        if (bmp.GetSafeHandle() == NULL)
            return 0;
        CRect rc;
        GetClientRect(&rc);
        CDC dcMem;
        dcMem.CreateCompatibleDC(&dc);
        CBitmap* pOld = dcMem.SelectObject(&bmp);
        dc.BitBlt(0, 0, rc.Width(), rc.Height(), &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
        return 0;
    }
    case WM_TIMER:
        if (wParam == TIMER_STATE)
        {
            OnStateTimer();
            return 0;
        }
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CExtDynDockMarkerWnd::DestroyMarkerArray(CPtrArray& arr)
{
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
    {
        CExtDynDockMarkerWnd* p = (CExtDynDockMarkerWnd*)arr[i];
        if (p->m_hWnd != NULL)
            p->DestroyWindow();
        delete p;
    }
    arr.RemoveAll();
}

// Shows or hides a set of markers without activating them (a hidden one loses its
// highlight), then paints at once so the drag sees the change.
void CExtDynDockMarkerWnd::ShowMarkerArray(CPtrArray& arr, bool bShow)
{
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
    {
        CExtDynDockMarkerWnd* p = (CExtDynDockMarkerWnd*)arr[i];
        if (p->m_hWnd == NULL)
            continue;
        bool bVisible = (p->GetStyle() & WS_VISIBLE) != 0;
        if (bShow && !bVisible)
            p->ShowWindow(SW_SHOWNA);
        else if (!bShow && bVisible)
        {
            p->SetHot(false);
            p->ShowWindow(SW_HIDE);
        }
    }
    CExtPaintManager::PumpPaintMessages(true, true, true);
}

void CExtDynDockMarkerWnd::UnhotOthers(CPtrArray& arr, CExtDynDockMarkerWnd* pExcept, bool bPump)
{
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
    {
        CExtDynDockMarkerWnd* p = (CExtDynDockMarkerWnd*)arr[i];
        if (p != pExcept && p->m_pHighlight != NULL)
            p->SetHot(false);
    }
    if (bPump)
        CExtPaintManager::PumpPaintMessages(true, true, true);
}

void CExtDynDockMarkerWnd::ShowAllMarkers(bool bShow)
{
    ShowMarkerArray(CExtControlBar::g_arrDockMarkersOuter, bShow);
    ShowMarkerArray(CExtControlBar::g_arrDockMarkersInner, bShow);
}

void CExtDynDockMarkerWnd::DestroyAllMarkers()
{
    DestroyMarkerArray(CExtControlBar::g_arrDockMarkersOuter);
    DestroyMarkerArray(CExtControlBar::g_arrDockMarkersInner);
    if (s_pOwnerWnd != NULL)
    {
        if (s_pOwnerWnd->m_hWnd != NULL)
            s_pOwnerWnd->DestroyWindow();
        delete s_pOwnerWnd;
        s_pOwnerWnd = NULL;
    }
    s_hWndInnerTarget = NULL;
}

// The screen rectangle the outer markers surround: the frame's client area less what the
// bars before the inner dock circles take of it in the frame's layout.
CRect CExtDynDockMarkerWnd::CalcOuterArea(CFrameWnd* pFrame)
{
    CRect rc(0, 0, 0, 0);
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return rc;
    pFrame->GetClientRect(&rc);
    for (HWND h = ::GetWindow(pFrame->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        if (::GetDlgCtrlID(h) == AFX_IDW_PANE_FIRST || !::IsWindowVisible(h))
            continue;
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        CExtDockBar* pDock = pWnd != NULL ? DYNAMIC_DOWNCAST(CExtDockBar, pWnd) : NULL;
        if (pDock != NULL && pDock->GetCircleNo() >= 1)
            break;
        if (pWnd != NULL)
        {
            CExtControlBar::QueryRepositionCalcEffect_t query;
            query.m_nQueryKind = 1;
            query.m_dwFlags = 0;
            query.m_nIDFirst = 0;
            query.m_nIDLast = 0xFFFF;
            query.m_nIDLeftOver = AFX_IDW_PANE_FIRST;
            query.m_rc = rc;
            ::SendMessage(h, CExtControlBar::g_nMsgQueryRepositionCalcEffect, (WPARAM)&query, 0);
            if (query.m_dwFlags & 0x10)
                continue;
        }
        AFX_SIZEPARENTPARAMS layout;
        ::ZeroMemory(&layout, sizeof(layout));
        layout.hDWP = NULL;
        layout.rect = rc;
        layout.bStretch = TRUE;
        ::SendMessage(h, WM_SIZEPARENT, 0, (LPARAM)&layout);
        rc = layout.rect;
    }
    pFrame->ClientToScreen(&rc);
    return rc;
}

void CExtDynDockMarkerWnd::CreateOuterMarkers(CFrameWnd* pFrame, bool bShow)
{
    CRect rc = CalcOuterArea(pFrame);
    if (rc.IsRectEmpty())
        return;
    g_CurrentPaintManager->CreateDockMarkerWnd(NULL, 5, rc, &CExtControlBar::g_arrDockMarkersOuter);
    ShowMarkerArray(CExtControlBar::g_arrDockMarkersOuter, bShow);
}

// Puts the inner markers on what the dragged bar could dock to under the cursor (a floating
// bar, a docked bar, the view); they stay while the cursor is on a marker or the same target.
void CExtDynDockMarkerWnd::UpdateInnerMarkers(CFrameWnd* pFrame, bool bShow,
                                              const POINT* pptCursor)
{
    CExtControlBar* pDragged = CExtControlBar::GetDraggedBar();
    if (pDragged == NULL || pFrame == NULL || pFrame->m_hWnd == NULL)
        return;
    CPoint pt;
    if (pptCursor != NULL)
        pt = *pptCursor;
    else if (!::GetCursorPos(&pt))
        return;
    if (HitTestMarkers(pt) != NULL || IsMarkerWindow(::WindowFromPoint(pt)))
        return;

    HWND hTarget = NULL;
    int nKind = 7;
    // floating bars under the cursor first
    ExtControlBarVector_t bars;
    CExtControlBar::FindFrameBars(pDragged, pFrame, bars);
    for (INT_PTR i = 0; i < bars.GetSize() && hTarget == NULL; i++)
    {
        CExtControlBar* pBar = bars[i];
        if (pBar == pDragged || pBar->IsFixedSize() || pBar->IsFixedDragMode() ||
            !pBar->IsFloating() || !ScreenRectHolds(pBar->m_hWnd, pt))
            continue;
        hTarget = InnermostBar(pBar, pt)->m_hWnd;
    }
    for (HWND h = ::GetWindow(pFrame->m_hWnd, GW_CHILD); h != NULL && hTarget == NULL;
         h = ::GetWindow(h, GW_HWNDNEXT))
    {
        if (!ScreenRectHolds(h, pt))
            continue;
        if (h == s_hWndInnerTarget)
        {
            hTarget = h;
            nKind = -1;
            break;
        }
        if (::GetDlgCtrlID(h) == AFX_IDW_PANE_FIRST)
        {
            hTarget = h;
            nKind = 6;
            break;
        }
        CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, CWnd::FromHandlePermanent(h));
        if (pDock == NULL || pDock->GetCircleNo() < 1)
            continue;
        for (HWND hc = ::GetWindow(h, GW_CHILD); hc != NULL; hc = ::GetWindow(hc, GW_HWNDNEXT))
        {
            CExtControlBar* pBar =
                DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hc));
            if (pBar == NULL || pBar == pDragged || !ScreenRectHolds(hc, pt))
                continue;
            hTarget = InnermostBar(pBar, pt)->m_hWnd;
            if (hTarget == pDragged->m_hWnd)
                hTarget = NULL;
            break;
        }
        break;
    }
    if (s_hWndInnerTarget != NULL && !::IsWindow(s_hWndInnerTarget))
        s_hWndInnerTarget = NULL;
    if (nKind == -1 || hTarget == s_hWndInnerTarget)
        return;
    DestroyMarkerArray(CExtControlBar::g_arrDockMarkersInner);
    s_hWndInnerTarget = hTarget;
    if (hTarget == NULL)
        return;
    CRect rc;
    ::GetWindowRect(hTarget, &rc);
    g_CurrentPaintManager->CreateDockMarkerWnd(hTarget, nKind, rc,
                                               &CExtControlBar::g_arrDockMarkersInner);
    ShowMarkerArray(CExtControlBar::g_arrDockMarkersInner, bShow);
}

// The visible docking marker under a screen point, inner markers first and within their
// shape; NULL when none.
CExtDynDockMarkerWnd* CExtDynDockMarkerWnd::HitTestMarkers(CPoint ptScreen)
{
    CPtrArray* arrs[2] = { &CExtControlBar::g_arrDockMarkersInner,
                           &CExtControlBar::g_arrDockMarkersOuter };
    for (CPtrArray* pArr : arrs)
    {
        for (INT_PTR i = 0; i < pArr->GetSize(); i++)
        {
            CExtDynDockMarkerWnd* p = (CExtDynDockMarkerWnd*)pArr->GetAt(i);
            if (p->m_hWnd == NULL || !p->IsDockingMarker() || !p->IsWindowVisible())
                continue;
            CRect rc;
            p->GetWindowRect(&rc);
            if (!rc.PtInRect(ptScreen))
                continue;
            if (p->m_rgn.GetSafeHandle() != NULL &&
                !p->m_rgn.PtInRegion(ptScreen.x - rc.left, ptScreen.y - rc.top))
                continue;
            return p;
        }
    }
    return NULL;
}

// One step of a drag over the markers: makes the outer set, moves the inner one, lights the
// marker under the cursor and answers its drag state (0 for none) and target.
int CExtDynDockMarkerWnd::TrackDragStep(CFrameWnd* pFrame, CPoint ptScreen, HWND* phWndTarget)
{
    if (phWndTarget != NULL)
        *phWndTarget = NULL;
    if (pFrame == NULL || CExtControlBar::GetDraggedBar() == NULL)
        return 0;
    if (CExtControlBar::g_arrDockMarkersOuter.GetSize() == 0)
        CreateOuterMarkers(pFrame, true);
    UpdateInnerMarkers(pFrame, true, &ptScreen);
    CExtDynDockMarkerWnd* pHit = HitTestMarkers(ptScreen);
    if (pHit == NULL)
    {
        UnhotOthers(CExtControlBar::g_arrDockMarkersOuter, NULL, false);
        UnhotOthers(CExtControlBar::g_arrDockMarkersInner, NULL, true);
        return 0;
    }
    if (!pHit->IsHot())
        pHit->SetHot(true);
    if (phWndTarget != NULL)
        *phWndTarget = pHit->m_hWndTarget;
    return pHit->GetDragStateKind();
}

// Docks the bar as a marker's drag state says: to a frame side, beside the target bar or as
// a tab of it; false when the state does not apply.
bool CExtDynDockMarkerWnd::ApplyMarkerKind(CExtControlBar* pBar, int nKind, HWND hWndTarget)
{
    static const UINT s_sides[4] = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM,
                                     AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT };
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return false;
    CExtControlBar* pTarget = hWndTarget != NULL
        ? DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hWndTarget)) : NULL;
    if (nKind >= 14 && nKind <= 17)
        return pBar->DockToFrameSide(s_sides[nKind - 14], FALSE);
    if (nKind >= 18 && nKind <= 21)
        return pBar->DockToFrameSide(s_sides[nKind - 18], TRUE);
    if (nKind >= 22 && nKind <= 25 && pTarget != NULL && pTarget != pBar)
        return pBar->DockBesideBar(50, pTarget, s_sides[nKind - 22]);
    if (nKind == 26 && pTarget != NULL && pTarget != pBar)
        return pTarget->DockAsTab(pBar);
    return false;
}

/////////////////////////////////////////////////////////////////////////////
// CExtDynDockHighlightWnd

CRect CExtDynDockHighlightWnd::CalcArea(CExtDynDockMarkerWnd* pMarker)
{
    CRect rcEmpty(0, 0, 0, 0);
    CExtControlBar* pDragged = CExtControlBar::GetDraggedBar();
    if (pMarker == NULL || pDragged == NULL)
        return rcEmpty;
    CRect rc;
    CExtControlBar* pTargetBar = NULL;
    if (pMarker->m_hWndTarget != NULL)
    {
        if (!::GetWindowRect(pMarker->m_hWndTarget, &rc))
            return rcEmpty;
        pTargetBar = DYNAMIC_DOWNCAST(CExtControlBar,
                                      CWnd::FromHandlePermanent(pMarker->m_hWndTarget));
    }
    else
    {
        CPtrArray& arr = CExtControlBar::g_arrDockMarkersOuter;
        if (arr.GetSize() < 4)
            return rcEmpty;
        CRect r[4];
        for (int i = 0; i < 4; i++)
            ((CWnd*)arr[i])->GetWindowRect(&r[i]);
        rc.SetRect(r[2].left, r[0].top, r[3].right, r[1].bottom);
    }
    int nHeight = std::max(30, (int)pDragged->m_sizeDockedH.cy);
    int nWidth = std::max(30, (int)pDragged->m_sizeDockedV.cx);
    switch (pMarker->m_nMarkerType)
    {
    case 0:
        if (pTargetBar != NULL)
            rc.bottom = rc.top + rc.Height() / 2;
        else
            rc.bottom = rc.top + nHeight;
        break;
    case 1:
        if (pTargetBar != NULL)
            rc.top = rc.bottom - rc.Height() / 2;
        else
            rc.top = rc.bottom - nHeight;
        break;
    case 2:
        if (pTargetBar != NULL)
            rc.right = rc.left + rc.Width() / 2;
        else
            rc.right = rc.left + nWidth;
        break;
    case 3:
        if (pTargetBar != NULL)
            rc.left = rc.right - rc.Width() / 2;
        else
            rc.left = rc.right - nWidth;
        break;
    case 8:
        break;
    default:
        return rcEmpty;
    }
    return rc;
}

CExtDynDockHighlightWnd::CExtDynDockHighlightWnd(CExtDynDockMarkerWnd* pMarker)
    : m_pMarker(pMarker), m_sizeShadow(0, 0)
{
    CRect rc = CalcArea(pMarker);
    if (rc.IsRectEmpty() || !RegisterGlobalClass(g_szHighlightClass))
        return;
    CWnd* pOwner = CExtDynDockMarkerWnd::GetOwnerWnd(true);
    if (pOwner == NULL)
        return;
    if (!CreateEx(WS_EX_TOPMOST, g_szHighlightClass, "", WS_POPUP, rc, pOwner, 0))
        return;
    SetWindowPos(pOwner, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

CExtDynDockHighlightWnd::~CExtDynDockHighlightWnd()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

void CExtDynDockHighlightWnd::PostNcDestroy()
{
    // owned by the marker, deleted there
}

// The highlight takes no activation or click; it shows the screen beneath it, captured once
// and darkened around the outline of the place (with a tab's shape for a tab drop).
LRESULT CExtDynDockHighlightWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_NCCALCSIZE:
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATEANDEAT;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        if (rc.IsRectEmpty())
            return 0;
        CDC dcMem;
        dcMem.CreateCompatibleDC(&dc);
        if (m_bmpShadow.GetSafeHandle() == NULL)
        {
            // what lies beneath, darkened around the area once
            BITMAPINFO bmi;
            ::ZeroMemory(&bmi, sizeof(bmi));
            bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
            bmi.bmiHeader.biWidth = rc.Width();
            bmi.bmiHeader.biHeight = -rc.Height();
            bmi.bmiHeader.biPlanes = 1;
            bmi.bmiHeader.biBitCount = 32;
            bmi.bmiHeader.biCompression = BI_RGB;
            COLORREF* pBits = NULL;
            HBITMAP hBmp = ::CreateDIBSection(dc.GetSafeHdc(), &bmi, DIB_RGB_COLORS,
                                              (void**)&pBits, NULL, 0);
            if (hBmp == NULL || pBits == NULL)
                return 0;
            m_bmpShadow.Attach(hBmp);
            m_sizeShadow = rc.Size();
            CBitmap* pOld = dcMem.SelectObject(&m_bmpShadow);
            CRect rcScreen;
            GetWindowRect(&rcScreen);
            HDC hScreen = ::GetDC(NULL);
            ::BitBlt(dcMem.GetSafeHdc(), 0, 0, rc.Width(), rc.Height(), hScreen, rcScreen.left,
                     rcScreen.top, SRCCOPY);
            ::ReleaseDC(NULL, hScreen);
            dcMem.SelectObject(pOld);
            CRect rcOutline(rc), rcTab(0, 0, 0, 0);
            bool bTab = m_pMarker != NULL && m_pMarker->m_nMarkerType == 8;
            if (bTab)
            {
                int nTabHeight = rc.Height() <= 35 ? rc.Height() / 2 : 18;
                int nTabWidth = rc.Width() < 36 + 8 ? rc.Width() / 2 : 36;
                rcOutline.bottom -= nTabHeight;
                rcTab.SetRect(8, rcOutline.bottom, 8 + nTabWidth, rc.bottom);
            }
            g_CurrentPaintManager->RenderShadowPixels(pBits, rc.Width(), rc.Height(), bTab,
                                                      &rcOutline, &rcTab, (COLORREF)-1,
                                                      (COLORREF)-1, 2);
        }
        CBitmap* pOld = dcMem.SelectObject(&m_bmpShadow);
        dc.BitBlt(0, 0, m_sizeShadow.cx, m_sizeShadow.cy, &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
        return 0;
    }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
