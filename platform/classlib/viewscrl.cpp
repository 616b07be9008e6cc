// viewscrl.cpp - CScrollView: document size in a mapping mode, scroll bars,
// scroll position and the DC mapping that follows it.

#include "afxctrls.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = { 0, 0 };

namespace
{

// Logical size to pixels for a fixed mapping mode (through the screen).
CSize LogicalToDeviceSize(int nMapMode, SIZE size)
{
    CSize sizeDev(size);
    if (nMapMode == MM_TEXT || nMapMode == MM_SCALETOFIT)
        return sizeDev;
    HDC hDC = ::GetDC(NULL);
    ::SetMapMode(hDC, nMapMode);
    POINT pt = { size.cx, size.cy };
    POINT ptOrigin = { 0, 0 };
    ::LPtoDP(hDC, &pt, 1);
    ::LPtoDP(hDC, &ptOrigin, 1);
    ::ReleaseDC(NULL, hDC);
    sizeDev.cx = abs(pt.x - ptOrigin.x);
    sizeDev.cy = abs(pt.y - ptOrigin.y);
    return sizeDev;
}

} // namespace

CScrollView::CScrollView()
{
    m_nMapMode = MM_TEXT;
    m_totalLog = CSize(0, 0);
    m_totalDev = CSize(0, 0);
    m_pageDev = CSize(0, 0);
    m_lineDev = CSize(0, 0);
    m_bCenter = FALSE;
    m_bInsideUpdate = FALSE;
}

CScrollView::~CScrollView()
{
}

/////////////////////////////////////////////////////////////////////////////
// Sizes

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    int nOldMapMode = m_nMapMode;
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    if (m_totalLog.cx < 0)
        m_totalLog.cx = 0;
    if (m_totalLog.cy < 0)
        m_totalLog.cy = 0;

    m_totalDev = LogicalToDeviceSize(nMapMode, m_totalLog);
    m_pageDev = LogicalToDeviceSize(nMapMode, sizePage);
    m_lineDev = LogicalToDeviceSize(nMapMode, sizeLine);

    // defaults: a page is a tenth of the whole, a line a tenth of a page
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;

    if (m_hWnd != NULL)
    {
        UpdateBars();
        if (nOldMapMode != m_nMapMode)
            Invalidate(TRUE);
    }
}

// Shows the whole document in the client area, without scroll bars.
void CScrollView::SetScaleToFitSize(SIZE sizeTotal)
{
    m_nMapMode = MM_SCALETOFIT;
    m_totalLog = sizeTotal;
    if (m_hWnd != NULL)
    {
        // no scroll bars: the whole client area shows the whole document
        SetScrollRange(SB_HORZ, 0, 0, FALSE);
        SetScrollRange(SB_VERT, 0, 0, FALSE);
        ShowScrollBar(SB_BOTH, FALSE);
        CRect rect;
        GetClientRect(&rect);
        m_totalDev = rect.Size();
        Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

/////////////////////////////////////////////////////////////////////////////
// Positions

CPoint CScrollView::GetDeviceScrollPosition() const
{
    CPoint pt(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
    return pt;
}

// The scroll position in logical units of the mapping mode.
CPoint CScrollView::GetScrollPosition() const
{
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode != MM_TEXT && m_nMapMode != MM_SCALETOFIT)
    {
        // pixels to logical units of the mapping mode, origin at the document's corner
        HDC hDC = ::GetDC(NULL);
        ::SetMapMode(hDC, m_nMapMode);
        POINT ptOrigin = { 0, 0 };
        ::DPtoLP(hDC, &pt, 1);
        ::DPtoLP(hDC, &ptOrigin, 1);
        ::ReleaseDC(NULL, hDC);
        pt.x -= ptOrigin.x;
        pt.y -= ptOrigin.y;
    }
    return pt;
}

// Scrolls to a logical position.
void CScrollView::ScrollToPosition(POINT pt)
{
    if (m_nMapMode != MM_TEXT && m_nMapMode != MM_SCALETOFIT)
    {
        HDC hDC = ::GetDC(NULL);
        ::SetMapMode(hDC, m_nMapMode);
        POINT ptOrigin = { 0, 0 };
        ::LPtoDP(hDC, &pt, 1);
        ::LPtoDP(hDC, &ptOrigin, 1);
        ::ReleaseDC(NULL, hDC);
        pt.x = abs(pt.x - ptOrigin.x);
        pt.y = abs(pt.y - ptOrigin.y);
    }
    ScrollToDevicePosition(pt);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    // within the scroll ranges
    int xMax = GetScrollLimit(SB_HORZ);
    int yMax = GetScrollLimit(SB_VERT);
    ptDev.x = ptDev.x < 0 ? 0 : (ptDev.x > xMax ? xMax : ptDev.x);
    ptDev.y = ptDev.y < 0 ? 0 : (ptDev.y > yMax ? yMax : ptDev.y);

    int xOrig = GetScrollPos(SB_HORZ);
    int yOrig = GetScrollPos(SB_VERT);
    SetScrollPos(SB_HORZ, ptDev.x);
    SetScrollPos(SB_VERT, ptDev.y);
    ScrollWindow(xOrig - ptDev.x, yOrig - ptDev.y);
}

void CScrollView::CenterOnPoint(CPoint ptCenter)
{
    CRect rect;
    GetClientRect(&rect);
    CPoint pt = GetDeviceScrollPosition();
    pt.x += ptCenter.x - rect.Width() / 2;
    pt.y += ptCenter.y - rect.Height() / 2;
    ScrollToDevicePosition(pt);
}

/////////////////////////////////////////////////////////////////////////////
// Scroll bars

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || m_hWnd == NULL || m_nMapMode == MM_SCALETOFIT)
        return;
    m_bInsideUpdate = TRUE;

    // the client area as it would be without scroll bars
    CRect rectClient;
    GetClientRect(&rectClient);
    CSize sizeClient = rectClient.Size();
    CSize sizeSb(::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL));
    DWORD dwStyle = GetStyle();
    if (dwStyle & WS_VSCROLL)
        sizeClient.cx += sizeSb.cx;
    if (dwStyle & WS_HSCROLL)
        sizeClient.cy += sizeSb.cy;

    // the bars needed; one bar may make the other one necessary
    BOOL bNeedH = m_totalDev.cx > sizeClient.cx;
    BOOL bNeedV = m_totalDev.cy > sizeClient.cy;
    if (bNeedH && !bNeedV && m_totalDev.cy > sizeClient.cy - sizeSb.cy)
        bNeedV = TRUE;
    if (bNeedV && !bNeedH && m_totalDev.cx > sizeClient.cx - sizeSb.cx)
        bNeedH = TRUE;
    if (bNeedV)
        sizeClient.cx -= sizeSb.cx;
    if (bNeedH)
        sizeClient.cy -= sizeSb.cy;
    if (sizeClient.cx < 0)
        sizeClient.cx = 0;
    if (sizeClient.cy < 0)
        sizeClient.cy = 0;

    // the position stays within what can be scrolled
    CPoint ptOld = GetDeviceScrollPosition();
    CPoint ptNew = ptOld;
    int xMax = bNeedH ? m_totalDev.cx - sizeClient.cx : 0;
    int yMax = bNeedV ? m_totalDev.cy - sizeClient.cy : 0;
    if (ptNew.x > xMax)
        ptNew.x = xMax;
    if (ptNew.y > yMax)
        ptNew.y = yMax;
    if (ptNew.x < 0)
        ptNew.x = 0;
    if (ptNew.y < 0)
        ptNew.y = 0;

    SCROLLINFO si;
    memset(&si, 0, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
    si.nMin = 0;
    si.nMax = bNeedH ? m_totalDev.cx - 1 : 0;
    si.nPage = bNeedH ? (UINT)sizeClient.cx : 0;
    si.nPos = ptNew.x;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
    si.nMax = bNeedV ? m_totalDev.cy - 1 : 0;
    si.nPage = bNeedV ? (UINT)sizeClient.cy : 0;
    si.nPos = ptNew.y;
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
    ::ShowScrollBar(m_hWnd, SB_HORZ, bNeedH);
    ::ShowScrollBar(m_hWnd, SB_VERT, bNeedV);

    if (ptNew != ptOld)
        ScrollWindow(ptOld.x - ptNew.x, ptOld.y - ptNew.y);
    m_bInsideUpdate = FALSE;
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_nMapMode == MM_SCALETOFIT)
    {
        m_totalDev = CSize(cx, cy);
        Invalidate(TRUE);
    }
    else
    {
        UpdateBars();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Drawing

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_nMapMode == MM_SCALETOFIT)
    {
        // the whole document in the client area
        pDC->SetMapMode(MM_ANISOTROPIC);
        pDC->SetWindowExt(m_totalLog.cx > 0 ? m_totalLog.cx : 1, m_totalLog.cy > 0 ? m_totalLog.cy : 1);
        pDC->SetViewportExt(m_totalDev.cx > 0 ? m_totalDev.cx : 1, m_totalDev.cy > 0 ? m_totalDev.cy : 1);
    }
    else
    {
        pDC->SetMapMode(m_nMapMode);
    }

    CPoint ptVpOrg(0, 0);
    if (!pDC->IsPrinting())
    {
        ptVpOrg = -GetDeviceScrollPosition();
        if (m_bCenter && m_hWnd != NULL)
        {
            // a document smaller than the view sits in its middle
            CRect rect;
            GetClientRect(&rect);
            if (m_totalDev.cx < rect.Width())
                ptVpOrg.x = (rect.Width() - m_totalDev.cx) / 2;
            if (m_totalDev.cy < rect.Height())
                ptVpOrg.y = (rect.Height() - m_totalDev.cy) / 2;
        }
    }
    pDC->SetViewportOrg(ptVpOrg);
    CView::OnPrepareDC(pDC, pInfo);
}

// Fills the client area right of and below the document.
void CScrollView::FillOutsideRect(CDC* pDC, CBrush* pBrush)
{
    // the client area right of and below the document
    CRect rect;
    GetClientRect(&rect);
    CPoint ptScroll = GetDeviceScrollPosition();
    CRect rectDoc(-ptScroll.x, -ptScroll.y, m_totalDev.cx - ptScroll.x, m_totalDev.cy - ptScroll.y);
    int nSaved = pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetViewportOrg(0, 0);
    pDC->SetWindowOrg(0, 0);
    if (rectDoc.right < rect.right)
    {
        CRect rectRight(rectDoc.right, rect.top, rect.right, rect.bottom);
        pDC->FillRect(&rectRight, pBrush);
    }
    if (rectDoc.bottom < rect.bottom)
    {
        CRect rectBottom(rect.left, rectDoc.bottom, rectDoc.right < rect.right ? rectDoc.right : rect.right,
                         rect.bottom);
        pDC->FillRect(&rectBottom, pBrush);
    }
    pDC->RestoreDC(nSaved);
}

// Sizes the parent frame to show the whole document.
void CScrollView::ResizeParentToFit(BOOL bShrinkOnly)
{
    // the parent frame's size that shows the whole document
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL)
        return;
    CRect rectClient;
    GetWindowRect(&rectClient);
    CRect rect = rectClient;
    CalcWindowRect(&rect);
    rectClient.left += rectClient.left - rect.left;
    rectClient.top += rectClient.top - rect.top;
    rectClient.right -= rect.right - rectClient.right;
    rectClient.bottom -= rect.bottom - rectClient.bottom;
    rectClient.OffsetRect(-rectClient.left, -rectClient.top);

    CRect rectView(0, 0, m_totalDev.cx, m_totalDev.cy);
    if (bShrinkOnly)
    {
        if (rectClient.right < rectView.right)
            rectView.right = rectClient.right;
        if (rectClient.bottom < rectView.bottom)
            rectView.bottom = rectClient.bottom;
    }
    CalcWindowRect(&rectView, CWnd::adjustOutside);
    CRect rectFrame;
    pFrame->GetWindowRect(&rectFrame);
    CRect rectViewWnd;
    GetWindowRect(&rectViewWnd);
    CSize sizeExtra(rectFrame.Width() - rectViewWnd.Width(), rectFrame.Height() - rectViewWnd.Height());
    pFrame->SetWindowPos(NULL, 0, 0, rectView.Width() + sizeExtra.cx, rectView.Height() + sizeExtra.cy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

/////////////////////////////////////////////////////////////////////////////
// Scrolling

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    // low byte: horizontal code, high byte: vertical code (0xFF: none)
    int x = GetScrollPos(SB_HORZ);
    int xOrig = x;
    switch (LOBYTE(nScrollCode))
    {
    case SB_TOP: x = 0; break;
    case SB_BOTTOM: x = INT_MAX; break;
    case SB_LINEUP: x -= m_lineDev.cx; break;
    case SB_LINEDOWN: x += m_lineDev.cx; break;
    case SB_PAGEUP: x -= m_pageDev.cx; break;
    case SB_PAGEDOWN: x += m_pageDev.cx; break;
    case SB_THUMBTRACK: x = (int)nPos; break;
    default: break;
    }

    int y = GetScrollPos(SB_VERT);
    int yOrig = y;
    switch (HIBYTE(nScrollCode))
    {
    case SB_TOP: y = 0; break;
    case SB_BOTTOM: y = INT_MAX; break;
    case SB_LINEUP: y -= m_lineDev.cy; break;
    case SB_LINEDOWN: y += m_lineDev.cy; break;
    case SB_PAGEUP: y -= m_pageDev.cy; break;
    case SB_PAGEDOWN: y += m_pageDev.cy; break;
    case SB_THUMBTRACK: y = (int)nPos; break;
    default: break;
    }

    return OnScrollBy(CSize(x - xOrig, y - yOrig), bDoScroll);
}

// Scrolls by a device size within the ranges; FALSE when nothing moves.
BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    // no scrolling in a direction without a visible, enabled bar
    DWORD dwStyle = GetStyle();
    SCROLLBARINFO sbi;
    sbi.cbSize = sizeof(sbi);
    if (!(dwStyle & WS_VSCROLL) ||
        (::GetScrollBarInfo(m_hWnd, OBJID_VSCROLL, &sbi) && (sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE)))
        sizeScroll.cy = 0;
    if (!(dwStyle & WS_HSCROLL) ||
        (::GetScrollBarInfo(m_hWnd, OBJID_HSCROLL, &sbi) && (sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE)))
        sizeScroll.cx = 0;

    int xOrig = GetScrollPos(SB_HORZ);
    int x = xOrig;
    int xMax = GetScrollLimit(SB_HORZ);
    long long xNew = (long long)x + sizeScroll.cx;
    x = xNew < 0 ? 0 : (xNew > xMax ? xMax : (int)xNew);

    int yOrig = GetScrollPos(SB_VERT);
    int y = yOrig;
    int yMax = GetScrollLimit(SB_VERT);
    long long yNew = (long long)y + sizeScroll.cy;
    y = yNew < 0 ? 0 : (yNew > yMax ? yMax : (int)yNew);

    if (x == xOrig && y == yOrig)
        return FALSE;

    if (bDoScroll)
    {
        ScrollWindow(xOrig - x, yOrig - y);
        if (x != xOrig)
            SetScrollPos(SB_HORZ, x);
        if (y != yOrig)
            SetScrollPos(SB_VERT, y);
    }
    return TRUE;
}

// Horizontal bar messages, or the thumb of a bar control.
void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && pScrollBar->SendChildNotifyLastMsg())
        return;     // the control handled it
    if (pScrollBar != GetScrollBarCtrl(SB_HORZ))
        return;     // another control's
    if (nSBCode == SB_THUMBTRACK || nSBCode == SB_THUMBPOSITION)
    {
        // the 32-bit track position
        SCROLLINFO si;
        si.cbSize = sizeof(si);
        si.fMask = SIF_TRACKPOS;
        if (::GetScrollInfo(m_hWnd, SB_HORZ, &si))
            nPos = (UINT)si.nTrackPos;
        nSBCode = SB_THUMBTRACK;
    }
    OnScroll(MAKEWORD(nSBCode, 0xFF), nPos);
}

// Vertical bar messages, or the thumb of a bar control.
void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && pScrollBar->SendChildNotifyLastMsg())
        return;
    if (pScrollBar != GetScrollBarCtrl(SB_VERT))
        return;
    if (nSBCode == SB_THUMBTRACK || nSBCode == SB_THUMBPOSITION)
    {
        SCROLLINFO si;
        si.cbSize = sizeof(si);
        si.fMask = SIF_TRACKPOS;
        if (::GetScrollInfo(m_hWnd, SB_VERT, &si))
            nPos = (UINT)si.nTrackPos;
        nSBCode = SB_THUMBTRACK;
    }
    OnScroll(MAKEWORD(0xFF, nSBCode), nPos);
}

// Wheel notches scroll by lines (or pages) on the bar there is.
BOOL CScrollView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    // lines of the system setting per notch, vertically when there is a vertical bar
    UINT nLines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    DWORD dwStyle = GetStyle();
    if (!(dwStyle & (WS_VSCROLL | WS_HSCROLL)))
        return CView::OnMouseWheel(nFlags, zDelta, pt);

    BOOL bHorz = !(dwStyle & WS_VSCROLL);
    int nLine = bHorz ? m_lineDev.cx : m_lineDev.cy;
    int nPage = bHorz ? m_pageDev.cx : m_pageDev.cy;
    int nToScroll;
    if (nLines == WHEEL_PAGESCROLL)
        nToScroll = ::MulDiv(-zDelta, nPage, WHEEL_DELTA);
    else
        nToScroll = ::MulDiv(-zDelta, (int)nLines * nLine, WHEEL_DELTA);
    if (nToScroll == 0)
        return FALSE;
    BOOL bResult = bHorz ? OnScrollBy(CSize(nToScroll, 0), TRUE) : OnScrollBy(CSize(0, nToScroll), TRUE);
    if (bResult)
        UpdateWindow();
    return bResult;
}
