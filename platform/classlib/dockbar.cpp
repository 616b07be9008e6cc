// dockbar.cpp - CDockBar: the rows of docked bars of one side of a frame (or of
// a floating frame), their layout, docking and removing bars, placeholders.

#include "afxwnd.h"
#include <algorithm>

namespace
{

// Entries below 0x10000 are the ids of bars that floated away.
BOOL IsPlaceHolder(void* p)
{
    return p != NULL && (UINT_PTR)p < 0x10000;
}

void* PlaceHolderOf(CControlBar* pBar)
{
    return (void*)(UINT_PTR)(WORD)pBar->GetDlgCtrlID();
}

} // namespace

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_NCCALCSIZE()
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating)
{
    m_bFloating = bFloating;
    m_bLayoutQuery = FALSE;
    m_rectLayout.SetRectEmpty();
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
    m_arrBars.Add(NULL);
}

CDockBar::~CDockBar()
{
    // the bars still docked here no longer have a dock bar
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = GetDockedControlBar((int)i);
        if (pBar != NULL && pBar->m_pDockBar == this)
            pBar->m_pDockBar = NULL;
    }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    CRect rect(0, 0, 0, 0);
    return CWnd::Create(NULL, NULL, dwStyle & ~CBRS_ALL, rect, pParentWnd, nID);
}

BOOL CDockBar::IsDockBar() const
{
    return TRUE;
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // the docked bars update themselves
}

void CDockBar::DoPaint(CDC*)
{
}

void CDockBar::DrawGripper(CDC*, const CRect&)
{
    // dock bars have none
}

/////////////////////////////////////////////////////////////////////////////
// Entries

int CDockBar::GetDockedCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        if (GetDockedControlBar((int)i) != NULL)
            nCount++;
    }
    return nCount;
}

int CDockBar::GetDockedVisibleCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = GetDockedControlBar((int)i);
        if (pBar != NULL && pBar->IsVisible())
            nCount++;
    }
    return nCount;
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
    if (nPos < 0 || nPos >= m_arrBars.GetSize())
        return NULL;
    void* p = m_arrBars[nPos];
    return IsPlaceHolder(p) ? NULL : (CControlBar*)p;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude)
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        if ((int)i != nPosExclude && m_arrBars[i] == pBar)
            return (int)i;
    }
    return -1;
}

void CDockBar::RemoveEntry(int nPos)
{
    m_arrBars.RemoveAt(nPos);
    // an empty row goes with it
    if (nPos > 0 && nPos < m_arrBars.GetSize() && m_arrBars[nPos - 1] == NULL && m_arrBars[nPos] == NULL)
        m_arrBars.RemoveAt(nPos);
}

void CDockBar::TidyRows()
{
    if (m_arrBars.GetSize() == 0 || m_arrBars[0] != NULL)
        m_arrBars.InsertAt(0, (void*)NULL);
    for (INT_PTR i = m_arrBars.GetSize() - 1; i > 0; i--)
    {
        if (m_arrBars[i] == NULL && m_arrBars[i - 1] == NULL)
            m_arrBars.RemoveAt(i);
    }
    if (m_arrBars[m_arrBars.GetSize() - 1] != NULL)
        m_arrBars.Add(NULL);
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    void* pPlaceHolder = PlaceHolderOf(pBar);
    if (pPlaceHolder == NULL)
        return;
    int nPos;
    while ((nPos = FindBar((CControlBar*)pPlaceHolder)) > 0)
        RemoveEntry(nPos);
}

/////////////////////////////////////////////////////////////////////////////
// Docking

int CDockBar::Insert(CControlBar* pBar, CRect, CPoint ptMid)
{
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    int nAcross = bHorz ? ptMid.y : ptMid.x;
    int nAlong = bHorz ? ptMid.x : ptMid.y;

    // walk the rows; a row spans the visible bars' extent across
    INT_PTR nRowStart = 1;
    while (nRowStart < m_arrBars.GetSize())
    {
        INT_PTR nRowEnd = nRowStart;
        int nMin = INT_MAX, nMax = INT_MIN;
        while (nRowEnd < m_arrBars.GetSize() && m_arrBars[nRowEnd] != NULL)
        {
            CControlBar* pOther = GetDockedControlBar((int)nRowEnd);
            if (pOther != NULL && pOther != pBar && pOther->IsVisible())
            {
                CRect rectOther;
                pOther->GetWindowRect(&rectOther);
                ScreenToClient(&rectOther);
                nMin = std::min(nMin, bHorz ? (int)rectOther.top : (int)rectOther.left);
                nMax = std::max(nMax, bHorz ? (int)rectOther.bottom : (int)rectOther.right);
            }
            nRowEnd++;
        }
        if (nMin <= nMax && nAcross < nMax)
        {
            if (nAcross < nMin)
            {
                // a new row before this one
                m_arrBars.InsertAt(nRowStart, (void*)NULL);
                m_arrBars.InsertAt(nRowStart, pBar);
                return (int)nRowStart;
            }
            // into this row, before the first bar of the line under the point
            // whose middle lies beyond the point (a wrapped row has several lines)
            INT_PTR nPos = -1;
            INT_PTR nAfterLine = -1;
            for (INT_PTR n = nRowStart; n < nRowEnd && nPos < 0; n++)
            {
                CControlBar* pOther = GetDockedControlBar((int)n);
                if (pOther == NULL || pOther == pBar || !pOther->IsVisible())
                    continue;
                CRect rectOther;
                pOther->GetWindowRect(&rectOther);
                ScreenToClient(&rectOther);
                int nFrom = bHorz ? rectOther.top : rectOther.left;
                int nTo = bHorz ? rectOther.bottom : rectOther.right;
                if (nAcross < nFrom || nAcross >= nTo)
                    continue;
                int nMid = bHorz ? (rectOther.left + rectOther.right) / 2
                                 : (rectOther.top + rectOther.bottom) / 2;
                if (nAlong < nMid)
                    nPos = n;
                else
                    nAfterLine = n + 1;
            }
            if (nPos < 0)
                nPos = nAfterLine >= 0 ? nAfterLine : nRowEnd;
            m_arrBars.InsertAt(nPos, pBar);
            return (int)nPos;
        }
        nRowStart = nRowEnd + 1;
    }

    // a new last row
    if (m_arrBars.GetSize() == 0 || m_arrBars[m_arrBars.GetSize() - 1] != NULL)
        m_arrBars.Add(NULL);
    m_arrBars.Add(pBar);
    m_arrBars.Add(NULL);
    return (int)m_arrBars.GetSize() - 2;
}

// Puts a bar in this dock bar at a point or at the end, taking it out of its old place.
void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;

    // a floating frame takes several bars when the bar asks for it; the dock bar
    // sizes like its bars and carries a single bar's title
    if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
        m_dwStyle |= CBRS_FLOAT_MULTI;
    m_dwStyle &= ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    m_dwStyle |= pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    if ((m_dwStyle & CBRS_FLOAT_MULTI) == 0)
    {
        CString strTitle;
        pBar->GetWindowText(strTitle);
        AfxSetWindowText(m_hWnd, strTitle);
    }

    // the dock bar's side, all borders, floating exactly in a floating frame
    DWORD dwStyle = pBar->GetBarStyle();
    dwStyle &= ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING);
    dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (m_bFloating)
        dwStyle |= CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);

    // hidden while it moves to another dock bar
    BOOL bShow = FALSE;
    if (pBar->m_pDockBar != this && pBar->IsWindowVisible())
    {
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER |
                           SWP_NOACTIVATE | SWP_HIDEWINDOW);
        bShow = TRUE;
    }

    int nPos = -1;
    if (lpRect != NULL)
    {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        CPoint ptMid(rect.left + rect.Width() / 2, rect.top + rect.Height() / 2);
        nPos = Insert(pBar, rect, ptMid);
        pBar->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    else
    {
        // a new last row, starting at the row's beginning
        if (m_arrBars.GetSize() == 0 || m_arrBars[m_arrBars.GetSize() - 1] != NULL)
            m_arrBars.Add(NULL);
        m_arrBars.Add(pBar);
        m_arrBars.Add(NULL);
        nPos = (int)m_arrBars.GetSize() - 2;
        pBar->SetWindowPos(NULL, -2, -2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                           SWP_NOCOPYBITS);
    }

    // the bar moves over, then leaves its old place (a floating frame it leaves
    // empty is destroyed, so the bar must be out of it first)
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    pBar->m_pDockBar = this;
    if (pOldDockBar == this)
    {
        int nOldPos = FindBar(pBar, nPos);
        if (nOldPos > 0)
        {
            RemoveEntry(nOldPos);
            TidyRows();
        }
    }
    else if (pOldDockBar != NULL)
    {
        // a side dock bar keeps the place of a bar that starts to float
        pOldDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pOldDockBar->m_bFloating ? 1 : 0);
    }

    // the place of its last docking, for the way back
    if (!m_bFloating && pBar->m_pDockContext != NULL)
    {
        pBar->m_pDockContext->m_uMRUDockID = (UINT)GetDlgCtrlID();
        CRect rectBar;
        pBar->GetWindowRect(&rectBar);
        ScreenToClient(&rectBar);
        pBar->m_pDockContext->m_rectMRUDockPos = rectBar;
    }

    if (bShow)
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER |
                           SWP_NOACTIVATE | SWP_SHOWWINDOW);

    RemovePlaceHolder(pBar);

    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
    {
        pFrame->DelayRecalcLayout();
        // a hidden floating frame shows with a shown bar that joins it
        if (m_bFloating && pFrame != m_pDockSite && pBar->IsVisible() &&
            (!pFrame->IsWindowVisible() || pFrame->m_nShowDelay == SW_HIDE))
            pFrame->m_nShowDelay = SW_SHOWNA;
    }
}

// Docks a bar back into the place it kept here, or anew when no place is kept.
void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    void* pPlaceHolder = PlaceHolderOf(pBar);
    int nPos = pPlaceHolder != NULL ? FindBar((CControlBar*)pPlaceHolder) : -1;
    if (nPos <= 0)
    {
        DockControlBar(pBar, lpRect);
        return;
    }

    // the bar takes its old entry back
    DWORD dwStyle = pBar->GetBarStyle();
    dwStyle &= ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING);
    dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    pBar->SetBarStyle(dwStyle);
    BOOL bShow = FALSE;
    if (pBar->IsWindowVisible())
    {
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER |
                           SWP_NOACTIVATE | SWP_HIDEWINDOW);
        bShow = TRUE;
    }
    m_arrBars[nPos] = pBar;
    if (lpRect != NULL)
    {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        pBar->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    pBar->m_pDockBar = this;
    if (pOldDockBar != NULL && pOldDockBar != this)
        pOldDockBar->RemoveControlBar(pBar);
    if (bShow)
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER |
                           SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RemovePlaceHolder(pBar);    // any other one
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();
}

// Takes a bar out, optionally keeping its place for a later re-dock; FALSE if it is not here.
BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;
    void* pPlaceHolder = PlaceHolderOf(pBar);
    if (nAddPlaceHolder == 1 && pPlaceHolder != NULL)
    {
        RemovePlaceHolder(pBar);    // one place only
        nPos = FindBar(pBar, nPosExclude);
        m_arrBars[nPos] = pPlaceHolder;
    }
    else
    {
        RemoveEntry(nPos);
    }
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = NULL;
    OnBarRemoved();
    return TRUE;
}

// After a bar left: the frame lays out again, and a floating frame left empty goes or hides.
void CDockBar::OnBarRemoved()
{
    if (!m_bFloating)
    {
        CFrameWnd* pFrame = GetDockingFrame();
        if (pFrame != NULL)
            pFrame->DelayRecalcLayout();
        return;
    }
    // a floating frame without bars goes; without visible ones it hides
    CWnd* pFrame = GetParent();
    if (pFrame == NULL || !pFrame->IsFrameWnd())
        return;
    if (GetDockedCount() == 0)
    {
        pFrame->DestroyWindow();    // this object goes with it
        return;
    }
    if (GetDockedVisibleCount() == 0)
    {
        ((CFrameWnd*)pFrame)->m_nShowDelay = -1;
        pFrame->ShowWindow(SW_HIDE);
    }
    else
        ((CFrameWnd*)pFrame)->DelayRecalcLayout();
}

void CDockBar::ShowAll(BOOL bShow)
{
    CFrameWnd* pFrame = m_pDockSite;
    if (pFrame == NULL)
        return;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = GetDockedControlBar((int)i);
        if (pBar != NULL)
            pFrame->ShowControlBar(pBar, bShow, FALSE);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Layout

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    // the rows are laid out in the room the layout gives
    BOOL bLayoutQuery = m_bLayoutQuery;
    CRect rectLayout = m_rectLayout;
    m_bLayoutQuery = (lpLayout->hDWP == NULL);
    m_rectLayout = lpLayout->rect;
    LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = bLayoutQuery;
    m_rectLayout = rectLayout;
    return lResult;
}

void CDockBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    // an empty dock bar has no borders
    if (GetDockedVisibleCount() > 0)
        CControlBar::OnNcCalcSize(bCalcValidRects, lpncsp);
}

// Places the docked bars in rows within the room the frame gives and returns the dock bar's size.
CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeMax;
    if (!m_rectLayout.IsRectEmpty())
    {
        sizeMax = m_rectLayout.Size();
    }
    else
    {
        CRect rectParent;
        CWnd* pParent = GetParent();
        if (pParent != NULL)
            pParent->GetClientRect(&rectParent);
        else
            rectParent.SetRectEmpty();
        sizeMax = rectParent.Size();
    }
    if (m_bFloating)
        sizeMax = CSize(32767, 32767);

    // the borders count only around bars
    BOOL bAny = GetDockedVisibleCount() > 0;
    CRect rectInside(0, 0, 0, 0);
    if (bAny)
        CalcInsideRect(rectInside, bHorz);
    int nBorderAlong = bHorz ? rectInside.left - rectInside.right : rectInside.top - rectInside.bottom;
    int nBorderAcross = bHorz ? rectInside.top - rectInside.bottom : rectInside.left - rectInside.right;
    int nLengthMax = (bHorz ? sizeMax.cx : sizeMax.cy) - nBorderAlong;

    AFX_SIZEPARENTPARAMS layout;
    memset(&layout, 0, sizeof(layout));
    layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos((int)m_arrBars.GetSize());

    int nAcross = 0;        // start of the current row
    int nRowThick = 0;      // thickest bar of the row
    int nNext = 0;          // first free place along the row
    int nLongest = 0;
    BOOL bRowHasBar = FALSE;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        void* pEntry = m_arrBars[i];
        if (pEntry == NULL)
        {
            // the row ends
            if (bRowHasBar)
                nAcross += nRowThick;
            nRowThick = 0;
            nNext = 0;
            bRowHasBar = FALSE;
            continue;
        }
        if (IsPlaceHolder(pEntry))
            continue;
        CControlBar* pBar = (CControlBar*)pEntry;
        if ((pBar->RecalcDelayShow(&layout) & WS_VISIBLE) == 0)
            continue;

        // the bar's size for this side
        CSize size;
        if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
        {
            DWORD dwMode = m_bFloating ? (LM_HORZ | LM_MRUWIDTH)
                                       : (bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
            size = pBar->CalcDynamicLayout(-1, dwMode);
        }
        else
        {
            size = pBar->CalcFixedLayout(FALSE, bHorz);
        }
        int nLength = bHorz ? size.cx : size.cy;
        int nThick = bHorz ? size.cy : size.cx;

        // the bar keeps its place along the row unless it overlaps or sticks out
        CRect rectBar;
        pBar->GetWindowRect(&rectBar);
        ScreenToClient(&rectBar);
        int nPos = std::max(bHorz ? (int)rectBar.left : (int)rectBar.top, nNext);
        if (!m_bFloating && nPos + nLength > nLengthMax)
        {
            if (bRowHasBar && nNext + nLength > nLengthMax)
            {
                // no room left: the rest of the row goes on below, on the screen
                // only (the entries stay, so the row is one again when room comes)
                nAcross += nRowThick;
                nRowThick = 0;
                nNext = 0;
                nPos = 0;
            }
            else
            {
                nPos = std::max(nNext, nLengthMax - nLength);
            }
        }

        CRect rect;
        if (bHorz)
            rect.SetRect(nPos, nAcross, nPos + nLength, nAcross + nThick);
        else
            rect.SetRect(nAcross, nPos, nAcross + nThick, nPos + nLength);
        if (!m_bLayoutQuery)
            AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);

        nNext = nPos + nLength;
        nRowThick = std::max(nRowThick, nThick);
        nLongest = std::max(nLongest, nNext);
        bRowHasBar = TRUE;
    }
    if (bRowHasBar)
        nAcross += nRowThick;
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);

    if (!bAny)
        return bStretch ? (bHorz ? CSize(sizeMax.cx, 0) : CSize(0, sizeMax.cy)) : CSize(0, 0);
    CSize sizeResult;
    if (bHorz)
    {
        sizeResult.cx = bStretch && !m_bFloating ? sizeMax.cx : nLongest + nBorderAlong;
        sizeResult.cy = nAcross + nBorderAcross;
    }
    else
    {
        sizeResult.cx = nAcross + nBorderAcross;
        sizeResult.cy = bStretch && !m_bFloating ? sizeMax.cy : nLongest + nBorderAlong;
    }
    return sizeResult;
}
