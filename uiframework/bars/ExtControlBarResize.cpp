// ExtControlBarResize.cpp - the row helpers of CExtControlBar and row and column
// resizing: which edges carry strips, the modal loop, the trackers, applying the result.

#include "ExtControlBar.h"
#include "ExtBarLayout.h"
#include "uiframework/foundation/ExtPaintManager.h"

#include <algorithm>

bool ExtBarsIsOfClassName(const CObject* pObj, LPCSTR lpszName);

namespace
{

CExtControlBar* EntryAsExtBar(void* p)
{
    if (p == NULL || ExtBarLayout::IsPlaceholder(p))
        return NULL;
    CControlBar* pBar = (CControlBar*)p;
    if (pBar->m_hWnd == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CExtControlBar, pBar);
}

CControlBar* EntryAsBar(void* p)
{
    if (p == NULL || ExtBarLayout::IsPlaceholder(p))
        return NULL;
    CControlBar* pBar = (CControlBar*)p;
    return pBar->m_hWnd != NULL ? pBar : NULL;
}

// The bars take amount pixels from the others, one at a time, round-robin, none below its
// minimum; answers the amount taken.
int TakeRoomFrom(ExtControlBarVector_t& arr, int nAmount)
{
    std::vector<int> values, mins;
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
    {
        values.push_back(arr[i]->GetRowLength());
        mins.push_back(arr[i]->GetRowMinimum());
    }
    int nLeft = ExtBarLayout::DistributeRoundRobin(values, mins, -nAmount);
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        arr[i]->SetRowLength(values[i]);
    return nAmount + nLeft;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Row helpers

void CExtControlBar::GetRowBars(ExtControlBarVector_t& arr, bool bResizableOnly,
                                bool bVisibleOnly)
{
    arr.RemoveAll();
    if (m_pDockBar == NULL)
        return;
    CPtrArray& bars = m_pDockBar->m_arrBars;
    int nFirst = 0, nLast = 0;
    if (!ExtBarLayout::GetRowBounds(bars, ExtBarLayout::FindEntry(bars, this), nFirst, nLast))
        return;
    for (int i = nFirst; i <= nLast; i++)
    {
        CExtControlBar* pBar = EntryAsExtBar(bars[i]);
        if (pBar == NULL)
            continue;
        if (bResizableOnly && pBar->IsFixedSize())
            continue;
        if (bVisibleOnly && !pBar->IsVisible())
            continue;
        arr.Add(pBar);
    }
}

bool CExtControlBar::IsAtMinimum()
{
    if (IsFixedSize() || m_pDockBar == NULL || IsFloating())
        return false;
    return GetRowLength() <= GetRowMinimum();
}

// The nearest visible bar (resizable when asked) before or after this one in its row,
// NULL when there is none.
CControlBar* CExtControlBar::FindRowNeighbour(bool bBefore, bool bResizableOnly)
{
    if (m_pDockBar == NULL)
        return NULL;
    CPtrArray& bars = m_pDockBar->m_arrBars;
    int nPos = ExtBarLayout::FindEntry(bars, this);
    int nFirst = 0, nLast = 0;
    if (!ExtBarLayout::GetRowBounds(bars, nPos, nFirst, nLast))
        return NULL;
    // nearest first
    int nStep = bBefore ? -1 : 1;
    for (int i = nPos + nStep; bBefore ? i >= nFirst : i <= nLast; i += nStep)
    {
        CControlBar* pBar = EntryAsBar(bars[i]);
        if (pBar == NULL || !pBar->IsVisible())
            continue;
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        if (bResizableOnly && (pExt == NULL || pExt->IsFixedSize()))
            continue;
        return pBar;
    }
    return NULL;
}

bool CExtControlBar::HasRowNeighbour(bool bBefore, bool bResizableOnly)
{
    return FindRowNeighbour(bBefore, bResizableOnly) != NULL;
}

bool CExtControlBar::IsFirstInRow(bool bResizableOnly)
{
    return !HasRowNeighbour(true, bResizableOnly);
}

bool CExtControlBar::IsLastInRow(bool bResizableOnly)
{
    return !HasRowNeighbour(false, bResizableOnly);
}

// Whether this is the only visible bar of its row, counting only fixed-size or only
// resizable bars when asked; a bar that is not docked counts as single.
bool CExtControlBar::IsSingleInRow(bool bFixedOnly, bool bResizableOnly)
{
    if (m_pDockBar == NULL)
        return true;
    CPtrArray& bars = m_pDockBar->m_arrBars;
    int nFirst = 0, nLast = 0;
    if (!ExtBarLayout::GetRowBounds(bars, ExtBarLayout::FindEntry(bars, this), nFirst, nLast))
        return true;
    int nCount = 0;
    for (int i = nFirst; i <= nLast; i++)
    {
        CControlBar* pBar = EntryAsBar(bars[i]);
        if (pBar == NULL || !pBar->IsVisible())
            continue;
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        bool bFixed = pExt == NULL || pExt->IsFixedSize();
        if (bFixedOnly && !bFixed)
            continue;
        if (bResizableOnly && !bFixedOnly && bFixed)
            continue;
        nCount++;
    }
    return nCount == 1;
}

// The sides of a docked resizable bar that carry a resizing strip: towards the frame's
// middle and between neighbours, none at the row's outer ends or in a tab group.
void CExtControlBar::GetSplitterEdges(bool& bLeft, bool& bTop, bool& bRight, bool& bBottom)
{
    bLeft = bTop = bRight = bBottom = true;
    CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, m_pDockBar);
    if (IsFixedSize() || m_pDockBar == NULL || IsFloating() || pDock == NULL)
        return;
    if (ExtBarsIsOfClassName(pDock, "CExtDockDynTabBar"))
    {
        bLeft = bTop = bRight = bBottom = false;
        return;
    }
    CPtrArray& bars = pDock->m_arrBars;
    if (ExtBarLayout::CountBars(bars) <= 1 && bars.GetSize() <= 3)
        return;
    int nPos = ExtBarLayout::FindEntry(bars, this);
    int nFirst = 0, nLast = 0;
    if (!ExtBarLayout::GetRowBounds(bars, nPos, nFirst, nLast))
        return;
    bool bFirst = IsFirstInRow(false);
    bool bLast = IsLastInRow(false);
    bool bRowsBefore = false, bRowsAfter = false;
    for (int i = 0; i < nFirst; i++)
    {
        CControlBar* pBar = EntryAsBar(bars[i]);
        if (pBar != NULL && pBar->IsVisible())
            bRowsBefore = true;
    }
    for (int i = nLast + 1; i < bars.GetSize(); i++)
    {
        CControlBar* pBar = EntryAsBar(bars[i]);
        if (pBar != NULL && pBar->IsVisible())
            bRowsAfter = true;
    }
    UINT nID = (UINT)pDock->GetDlgCtrlID();
    if (pDock->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)))
    {
        if (nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM)
        {
            bTop = bRowsBefore;
            bBottom = bRowsAfter;
            if (bFirst)
                bLeft = false;
            if (bLast)
                bRight = false;
        }
        else
        {
            bLeft = bRowsBefore;
            bRight = bRowsAfter;
            if (bFirst)
                bTop = false;
            if (bLast)
                bBottom = false;
        }
        return;
    }
    if (pDock->GetCircleNo() == 0)
        return;
    // the strip towards the frame's middle, and none at the row's outer ends
    switch (nID)
    {
    case AFX_IDW_DOCKBAR_TOP:
    case AFX_IDW_DOCKBAR_BOTTOM:
        if (nID == AFX_IDW_DOCKBAR_TOP)
            bTop = bRowsBefore;
        else
            bBottom = bRowsAfter;
        bLeft = bLeft && !bFirst;
        bRight = bRight && !bLast;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
    case AFX_IDW_DOCKBAR_RIGHT:
        if (nID == AFX_IDW_DOCKBAR_LEFT)
            bLeft = bRowsBefore;
        else
            bRight = bRowsAfter;
        bTop = bTop && !bFirst;
        bBottom = bBottom && !bLast;
        break;
    default:
        break;
    }
}

// The bar takes all the length its row's resizable bars can give, leaving them at their
// minimum.
void CExtControlBar::MaximizeInRow()
{
    if (IsFloating() || m_pDockBar == NULL || IsFixedSize())
        return;
    ExtControlBarVector_t arr;
    GetRowBars(arr, true, false);
    if (arr.GetSize() <= 1)
        return;
    int nGained = 0;
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
    {
        CExtControlBar* pBar = arr[i];
        if (pBar == this)
            continue;
        int nMin = pBar->GetRowMinimum();
        int nLen = pBar->GetRowLength();
        if (nLen > nMin)
        {
            nGained += nLen - nMin;
            pBar->SetRowLength(nMin);
        }
    }
    SetRowLength(GetRowLength() + nGained);
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
        pFrame->RecalcLayout();
}

// A bar shown again takes back the length it had in its row from its visible neighbours;
// a hidden one only remembers its length.
void CExtControlBar::RestoreRowPlace()
{
    if (m_pDockBar == NULL || m_bAutoHidden || IsFixedSize() || IsFixedDragMode() ||
        m_pDockSite == NULL || IsFloating() || IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
        return;
    if (!IsVisible())
    {
        m_nSavedRowExtent = GetRowLength();
        return;
    }
    int nSaved = m_nSavedRowExtent;
    m_nSavedRowExtent = 0;
    if (nSaved == 0)
        return;
    ExtControlBarVector_t arrAll, arrOthers;
    GetRowBars(arrAll, true, false);
    if (arrAll.GetSize() <= 1)
        return;
    for (INT_PTR i = 0; i < arrAll.GetSize(); i++)
    {
        if (arrAll[i] != this && arrAll[i]->IsVisible())
            arrOthers.Add(arrAll[i]);
    }
    int nTaken = TakeRoomFrom(arrOthers, nSaved);
    SetRowLength(std::max(GetRowMinimum(), nTaken));
}

// A hidden bar about to show gets its length from the row's other resizable bars and
// their thickness, so that it fits in beside them.
void CExtControlBar::MakeRoomInRow()
{
    if (IsVisible() || IsFloating() || m_pDockBar == NULL)
        return;
    int nLength = GetRowLength();
    if (nLength == 0)
    {
        nLength = GetRowMinimum();
        SetRowLength(nLength);
    }
    ExtControlBarVector_t arrAll, arrOthers;
    GetRowBars(arrAll, true, true);
    for (INT_PTR i = 0; i < arrAll.GetSize(); i++)
    {
        if (arrAll[i] != this && !arrAll[i]->IsFixedDragMode())
            arrOthers.Add(arrAll[i]);
    }
    if (arrOthers.GetSize() == 0)
        return;
    TakeRoomFrom(arrOthers, nLength);
    SetRowThickness(arrOthers[0]->GetRowThickness());
}

bool CExtControlBar::IsRowResizable()
{
    ExtControlBarVector_t arr;
    GetRowBars(arr, true, true);
    CExtControlBar* pNext = NULL;
    for (INT_PTR i = 0; i + 1 < arr.GetSize(); i++)
    {
        if (arr[i] == this)
            pNext = arr[i + 1];
    }
    return !(IsAtMinimum() && (pNext == NULL || pNext->IsAtMinimum()));
}

bool CExtControlBar::IsColumnResizable()
{
    return IsRowResizable();
}

/////////////////////////////////////////////////////////////////////////////
// The modal loop

void CExtControlBar::RunResizingLoop(bool bRow)
{
    HWND hWnd = m_hWnd;
    for (;;)
    {
        MSG msg;
        while ((bRow ? m_bRowResizing : m_bColumnResizing) &&
               ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (!::IsWindow(hWnd))
                return;
            UINT m = msg.message;
            if (m == WM_QUIT)
            {
                // leave the loop and let the outer loop see the quit
                ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
                if (bRow)
                    StopRowResizing(TRUE);
                else
                    StopColumnResizing(TRUE);
                ::PostQuitMessage((int)msg.wParam);
                return;
            }
            bool bCancel = m == WM_ACTIVATEAPP || m == WM_CANCELMODE || m == WM_CONTEXTMENU ||
                           m == WM_NCRBUTTONDOWN || m == WM_NCRBUTTONUP ||
                           m == WM_NCMBUTTONDOWN || m == WM_NCMBUTTONUP ||
                           (m >= WM_KEYDOWN && m <= WM_SYSDEADCHAR) || m == WM_RBUTTONDOWN ||
                           m == WM_MBUTTONDOWN || m == WM_MBUTTONUP ||
                           (bRow && m == WM_NCLBUTTONUP) || (!bRow && m == WM_NCLBUTTONDOWN);
            if (bCancel)
            {
                if (bRow)
                    StopRowResizing(TRUE);
                else
                    StopColumnResizing(TRUE);
                return;
            }
            if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
                break;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (!::IsWindow(hWnd) || !(bRow ? m_bRowResizing : m_bColumnResizing))
            return;
        ::WaitMessage();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Trackers

CFrameWnd* CExtControlBar::GetTrackerFrame() const
{
    CFrameWnd* pFrame = m_pDockSite;
    if (pFrame == NULL)
        pFrame = GetTopLevelFrame();
    while (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    return pFrame;
}

// Draws (or erases: the drawing inverts) a resizing tracker over the frame, unless the
// frame draws the tracked area itself.
void CExtControlBar::DrawTrackerRect(const CRect& rcScreen, BOOL bErasing)
{
    CFrameWnd* pFrame = GetTrackerFrame();
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return;
    CRect rcFrameWnd;
    pFrame->GetWindowRect(&rcFrameWnd);
    CRect rc(rcScreen);
    rc.OffsetRect(-rcFrameWnd.left, -rcFrameWnd.top);
    HDC hDC = ::GetDCEx(pFrame->m_hWnd, NULL,
                        DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
    if (hDC == NULL)
        return;
    CDC* pDC = CDC::FromHandle(hDC);
    TrackedAreaData_t data;
    data.m_pBar = this;
    data.m_pDC = pDC;
    data.m_nAreaKind = 0;
    data.m_rc = rc;
    data.m_nFlags = bErasing ? 1 : 0;
    pFrame->SendMessage(g_nMsgDrawTackedArea, (WPARAM)&data);
    if ((data.m_nFlags & 2) == 0)
    {
        CBrush* pBrush = CDC::GetHalftoneBrush();
        HGDIOBJ hOld = ::SelectObject(hDC, pBrush != NULL ? pBrush->GetSafeHandle()
                                                          : ::GetStockObject(GRAY_BRUSH));
        ::PatBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), PATINVERT);
        ::SelectObject(hDC, hOld);
    }
    ::ReleaseDC(pFrame->m_hWnd, hDC);
}

// The row resizing tracker: a strip across the whole dock bar at the tracked position.
void CExtControlBar::DrawRowResizingTracker(BOOL bErasing)
{
    if (m_pDockBar == NULL)
        return;
    CRect rcDock;
    m_pDockBar->GetWindowRect(&rcDock);
    CRect rc;
    if (IsDockedHorizontally())
    {
        int h = std::max(1, (int)m_rcRowResizer.Height());
        rc.SetRect(rcDock.left, m_nTrackerPos - h / 2, rcDock.right, m_nTrackerPos - h / 2 + h);
    }
    else
    {
        int w = std::max(1, (int)m_rcRowResizer.Width());
        rc.SetRect(m_nTrackerPos - w / 2, rcDock.top, m_nTrackerPos - w / 2 + w, rcDock.bottom);
    }
    DrawTrackerRect(rc, bErasing);
}

// The column resizing tracker: a strip across the bar at the tracked position.
void CExtControlBar::DrawColumnResizingTracker(BOOL bErasing)
{
    CRect rcBar;
    GetWindowRect(&rcBar);
    const CRect& rcStrip = m_bResizingLeadingStrip ? m_rcColumnResizerPrev : m_rcColumnResizerNext;
    CRect rc;
    if (IsDockedHorizontally())
    {
        int w = std::max(1, (int)rcStrip.Width());
        rc.SetRect(m_nTrackerPos - w / 2, rcBar.top, m_nTrackerPos - w / 2 + w, rcBar.bottom);
    }
    else
    {
        int h = std::max(1, (int)rcStrip.Height());
        rc.SetRect(rcBar.left, m_nTrackerPos - h / 2, rcBar.right, m_nTrackerPos - h / 2 + h);
    }
    DrawTrackerRect(rc, bErasing);
}

/////////////////////////////////////////////////////////////////////////////
// Row resizing

void CExtControlBar::StartRowResizing()
{
    if (m_bRowResizing || m_bColumnResizing || m_bDragging || m_pDockBar == NULL)
        return;
    CWnd::CancelToolTips();
    m_bRowResizing = true;
    SetCapture();
    NcButtonsHitTest(CPoint(-32000, -32000));
    m_nTrackerValue = GetRowThickness();
    if (!IsRowResizingLive())
    {
        CPoint pt = m_ptResizeStart;
        if (pt == CPoint(0, 0))
            ::GetCursorPos(&pt);
        m_nTrackerPos = IsDockedHorizontally() ? pt.y : pt.x;
        DrawRowResizingTracker(FALSE);
    }
    RunResizingLoop(true);
}

void CExtControlBar::ApplyRowThickness(int nThickness)
{
    ExtControlBarVector_t arr;
    GetRowBars(arr, true, false);
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        arr[i]->SetRowThickness(nThickness);
}

// One step of row resizing: the new thickness at the cursor, kept within the frame and
// the view's minimum; applied at once when live, else the tracker moves.
void CExtControlBar::TrackRowResizing(CPoint ptScreen)
{
    if (!m_bRowResizing || m_pDockBar == NULL)
        return;
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame == NULL)
        return;
    CRect rcFrame;
    pFrame->GetClientRect(&rcFrame);
    int nLimitH = rcFrame.Height() - CalcMinHeight();
    int nLimitW = rcFrame.Width() - CalcMinWidth();
    if (nLimitH <= 0 || nLimitW <= 0)
        return;
    bool bHorz = IsDockedHorizontally();
    int nThickness = GetRowThickness();
    // the view keeps at least a minimal extent
    CWnd* pView = pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pView != NULL)
    {
        CRect rcView;
        pView->GetWindowRect(&rcView);
        int nViewExtent = bHorz ? rcView.Height() : rcView.Width();
        int nViewMin = bHorz ? CalcMinHeight() : CalcMinWidth();
        int nGrowMax = std::max(0, nViewExtent - nViewMin);
        if (bHorz)
            nLimitH = std::min(nLimitH, nThickness + nGrowMax);
        else
            nLimitW = std::min(nLimitW, nThickness + nGrowMax);
    }
    CRect rcBar;
    GetWindowRect(&rcBar);
    int nNew;
    if (bHorz)
    {
        int d = ptScreen.y - rcBar.top;
        int h = m_rcRowResizer.Height() / 2;
        int nCandidate = IsDockedAtTop() ? d + h : nThickness + h - d;
        nCandidate = std::max(nCandidate, 2 * CalcMinHeight());
        nNew = std::min(nCandidate, nLimitH);
    }
    else
    {
        int d = ptScreen.x - rcBar.left;
        int h = m_rcRowResizer.Width() / 2;
        int nCandidate = IsDockedAtLeft() ? d + h : nThickness + h - d;
        nCandidate = std::max(nCandidate, 2 * CalcMinWidth());
        nNew = std::min(nCandidate, nLimitW);
    }
    m_nTrackerValue = nNew;
    if (nNew == nThickness)
        return;
    if (IsRowResizingLive())
    {
        ApplyRowThickness(nNew);
        pFrame->RecalcLayout();
        return;
    }
    DrawRowResizingTracker(TRUE);
    if (bHorz)
        m_nTrackerPos = IsDockedAtTop() ? rcBar.top + nNew - m_rcRowResizer.Height() / 2
                                        : rcBar.bottom - nNew + m_rcRowResizer.Height() / 2;
    else
        m_nTrackerPos = IsDockedAtLeft() ? rcBar.left + nNew - m_rcRowResizer.Width() / 2
                                         : rcBar.right - nNew + m_rcRowResizer.Width() / 2;
    DrawRowResizingTracker(FALSE);
}

// Ends row resizing: unless cancelled the new thickness applies and the next visible row
// gives or takes the difference (never below its minimum).
void CExtControlBar::StopRowResizing(BOOL bCancel)
{
    if (!m_bRowResizing)
        return;
    m_bRowResizing = false;
    m_ptResizeStart = CPoint(0, 0);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (IsRowResizingLive() || m_pDockBar == NULL)
        return;
    DrawRowResizingTracker(TRUE);
    int nOld = GetRowThickness();
    if (!bCancel && m_nTrackerValue != nOld)
    {
        ExtControlBarVector_t arr;
        GetRowBars(arr, true, false);
        int d = (arr.GetSize() > 0 ? arr[0]->GetRowThickness() : nOld) - m_nTrackerValue;
        ApplyRowThickness(m_nTrackerValue);
        if (d != 0)
        {
            // the neighbouring row gives or takes the same amount, never below its minimum
            CPtrArray& bars = m_pDockBar->m_arrBars;
            int nPos = ExtBarLayout::FindEntry(bars, this);
            int nFirst = 0, nLast = 0;
            ExtBarLayout::GetRowBounds(bars, nPos, nFirst, nLast);
            bool bForward = IsDockedAtTop() || IsDockedAtLeft();
            int nStep = bForward ? 1 : -1;
            int i = bForward ? nLast + 2 : nFirst - 2;
            while (i > 0 && i < bars.GetSize())
            {
                int nRowFirst = 0, nRowLast = 0;
                if (!ExtBarLayout::GetRowBounds(bars, i, nRowFirst, nRowLast))
                {
                    i += nStep;
                    continue;
                }
                bool bAnyVisible = false;
                for (int k = nRowFirst; k <= nRowLast; k++)
                {
                    CExtControlBar* pBar = EntryAsExtBar(bars[k]);
                    if (pBar == NULL || pBar->IsFixedSize() || !pBar->IsVisible())
                        continue;
                    bAnyVisible = true;
                    int nMin = pBar->GetThicknessMinimum();
                    pBar->SetRowThickness(std::max(nMin, pBar->GetRowThickness() + d));
                }
                if (bAnyVisible)
                    break;
                i = bForward ? nRowLast + 2 : nRowFirst - 2;
            }
        }
        CFrameWnd* pFrame = GetDockingFrame();
        if (pFrame != NULL)
            pFrame->RecalcLayout();
    }
    if (m_pDockBar != NULL && m_pDockBar->m_hWnd != NULL)
        m_pDockBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN |
                                 RDW_UPDATENOW | RDW_ERASENOW | RDW_NOFRAME);
}

/////////////////////////////////////////////////////////////////////////////
// Column resizing

void CExtControlBar::StartColumnResizing()
{
    if (m_bRowResizing || m_bColumnResizing || m_bDragging || m_pDockBar == NULL)
        return;
    CWnd::CancelToolTips();
    m_bColumnResizing = true;
    SetCapture();
    NcButtonsHitTest(CPoint(-32000, -32000));
    if (!IsColumnResizingLive())
    {
        CPoint pt = m_ptResizeStart;
        if (pt == CPoint(0, 0))
            ::GetCursorPos(&pt);
        m_nTrackerPos = IsDockedHorizontally() ? pt.x : pt.y;
        m_nTrackerValue = 0;
        DrawColumnResizingTracker(FALSE);
    }
    RunResizingLoop(false);
}

// One step of column resizing: the new length at the cursor; the tracker stays where the
// row's other bars keep their minimum (live resizing applies at once).
void CExtControlBar::TrackColumnResizing(CPoint ptScreen)
{
    if (!m_bColumnResizing || m_pDockBar == NULL)
        return;
    bool bHorz = IsDockedHorizontally();
    CRect rcBar;
    GetWindowRect(&rcBar);
    const CRect& rcStrip = m_bResizingLeadingStrip ? m_rcColumnResizerPrev : m_rcColumnResizerNext;
    int p = bHorz ? ptScreen.x - rcBar.left : ptScreen.y - rcBar.top;
    int h = (bHorz ? rcStrip.Width() : rcStrip.Height()) / 2;
    int L = GetRowLength();
    int m = GetRowMinimum();
    int nCandidate = m_bResizingLeadingStrip ? L + h - p : p + h;
    nCandidate = std::max(nCandidate, m);
    m_nTrackerValue = L - nCandidate;
    if (m_nTrackerValue == 0)
        return;
    if (IsColumnResizingLive())
    {
        StopColumnResizing(FALSE);
        return;
    }
    // the band's bounds along the row
    CRect rcDock;
    m_pDockBar->GetWindowRect(&rcDock);
    CPtrArray& bars = m_pDockBar->m_arrBars;
    int nPos = ExtBarLayout::FindEntry(bars, this);
    int nFirst = 0, nLast = 0;
    ExtBarLayout::GetRowBounds(bars, nPos, nFirst, nLast);
    auto minOf = [bHorz](CControlBar* pBar) {
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        if (pExt != NULL && !pExt->IsFixedSize())
            return pExt->GetRowMinimum();
        CRect rc;
        pBar->GetWindowRect(&rc);
        return bHorz ? (int)rc.Width() : (int)rc.Height();
    };
    int nLower, nUpper;
    if (!m_bResizingLeadingStrip)
    {
        nLower = (bHorz ? rcBar.left : rcBar.top) + m;
        nUpper = bHorz ? rcDock.right : rcDock.bottom;
        for (int i = nPos + 1; i <= nLast; i++)
        {
            CControlBar* pBar = EntryAsBar(bars[i]);
            if (pBar != NULL && pBar->IsVisible())
                nUpper -= minOf(pBar);
        }
    }
    else
    {
        nLower = bHorz ? rcDock.left : rcDock.top;
        for (int i = nFirst; i <= nPos; i++)
        {
            CControlBar* pBar = EntryAsBar(bars[i]);
            if (pBar != NULL && pBar->IsVisible())
                nLower += minOf(pBar);
        }
        nUpper = (bHorz ? rcBar.right : rcBar.bottom) - m;
    }
    DrawColumnResizingTracker(TRUE);
    int nCoord = bHorz ? ptScreen.x : ptScreen.y;
    if (nUpper < nLower)
        nUpper = nLower;
    m_nTrackerPos = std::min(std::max(nCoord, nLower), nUpper);
    DrawColumnResizingTracker(FALSE);
}

// Applies the tracked length change unless cancelled: the neighbour beside the strip
// takes the difference, never below its minimum; live resizing goes on after it.
void CExtControlBar::StopColumnResizing(BOOL bCancel)
{
    if (!m_bColumnResizing)
        return;
    bool bLive = IsColumnResizingLive();
    if (!bLive)
    {
        m_bColumnResizing = false;
        m_ptResizeStart = CPoint(0, 0);
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        DrawColumnResizingTracker(TRUE);
    }
    if (bCancel || m_nTrackerValue == 0 || m_pDockBar == NULL)
    {
        if (bLive)
        {
            m_bColumnResizing = false;
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
        }
        return;
    }
    ExtControlBarVector_t arr;
    GetRowBars(arr, true, true);
    CExtControlBar* pNeighbour = NULL;
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
    {
        if (arr[i] != this)
            continue;
        if (!m_bResizingLeadingStrip && i + 1 < arr.GetSize())
            pNeighbour = arr[i + 1];
        else if (m_bResizingLeadingStrip && i > 0)
            pNeighbour = arr[i - 1];
    }
    int nValue = m_nTrackerValue;
    if (pNeighbour != NULL)
    {
        int nLen = pNeighbour->GetRowLength() + nValue;
        int nMin = pNeighbour->GetRowMinimum();
        if (nLen < nMin)
        {
            nValue += nMin - nLen;
            nLen = nMin;
        }
        pNeighbour->SetRowLength(nLen);
    }
    SetRowLength(std::max(GetRowLength() - nValue, GetRowMinimum()));
    m_nTrackerValue = 0;
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
        pFrame->RecalcLayout();
}
