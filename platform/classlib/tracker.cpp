// tracker.cpp - CRectTracker: handles, hit tests, cursors, drawing and the
// modal loops that move and size the rectangle with the mouse.

#include "afxext.h"
#include <windowsx.h>

namespace
{

// Where handle n sits: its corner or side, as a fraction (0, 1 or 2 halves)
// of the rectangle's width and height.
struct CHandlePlace
{
    int nHalvesX;       // 0 left, 1 centre, 2 right
    int nHalvesY;       // 0 top, 1 centre, 2 bottom
};

const CHandlePlace s_handlePlaces[8] =
{
    { 0, 0 },   // hitTopLeft
    { 2, 0 },   // hitTopRight
    { 2, 2 },   // hitBottomRight
    { 0, 2 },   // hitBottomLeft
    { 1, 0 },   // hitTop
    { 2, 1 },   // hitRight
    { 1, 2 },   // hitBottom
    { 0, 1 },   // hitLeft
};

// The handle that takes the place of another when the rectangle is flipped
// horizontally or vertically.
const int s_flipX[9] = { 1, 0, 3, 2, 4, 7, 6, 5, 8 };
const int s_flipY[9] = { 3, 2, 1, 0, 6, 5, 4, 7, 8 };

// Cursors of the hits: corners diagonal, sides straight, middle all ways.
LPCTSTR CursorOfHit(int nHit)
{
    switch (nHit)
    {
    case CRectTracker::hitTopLeft:
    case CRectTracker::hitBottomRight:
        return IDC_SIZENWSE;
    case CRectTracker::hitTopRight:
    case CRectTracker::hitBottomLeft:
        return IDC_SIZENESW;
    case CRectTracker::hitTop:
    case CRectTracker::hitBottom:
        return IDC_SIZENS;
    case CRectTracker::hitRight:
    case CRectTracker::hitLeft:
        return IDC_SIZEWE;
    default:
        return IDC_SIZEALL;
    }
}

// The 8 x 8 hatch of hatched borders and insides.
CBrush* GetHatchBrush()
{
    static CBrush* s_pBrush = NULL;
    if (s_pBrush == NULL)
    {
        WORD pattern[8];
        for (int i = 0; i < 8; i++)
            pattern[i] = (WORD)(0x1111 << (i % 4));
        HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
        s_pBrush = new CBrush;
        s_pBrush->Attach(::CreatePatternBrush(hBitmap));
        ::DeleteObject(hBitmap);
    }
    return s_pBrush;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Construction

CRectTracker::CRectTracker()
{
    Construct();
}

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle)
{
    Construct();
    m_rect.CopyRect(lpSrcRect);
    m_nStyle = nStyle;
}

void CRectTracker::Construct()
{
    m_nStyle = 0;
    m_rect.SetRectEmpty();
    m_nHandleSize = 4;
    m_sizeMin = CSize(m_nHandleSize * 2, m_nHandleSize * 2);
    m_bAllowInvert = FALSE;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bErase = FALSE;
    m_bFinalErase = FALSE;
}

CRectTracker::~CRectTracker()
{
}

/////////////////////////////////////////////////////////////////////////////
// Geometry

int CRectTracker::GetHandleSize(LPCRECT lpRect) const
{
    if (lpRect == NULL)
        lpRect = &m_rect;
    int nSize = m_nHandleSize;
    if (!(m_nStyle & resizeOutside))
    {
        // handles inside a small rectangle take at most half of it
        int nWidth = abs(lpRect->right - lpRect->left);
        int nHeight = abs(lpRect->bottom - lpRect->top);
        int nMax = nWidth < nHeight ? nWidth : nHeight;
        if (nSize * 2 > nMax)
            nSize = nMax / 2;
    }
    return nSize;
}

UINT CRectTracker::GetHandleMask() const
{
    // corners always; the side handles where there is room between them
    UINT nMask = 0x0F;
    int nRoom = m_nHandleSize * 3;
    if (abs(m_rect.Width()) - nRoom > 4)
        nMask |= 0x50;  // top and bottom
    if (abs(m_rect.Height()) - nRoom > 4)
        nMask |= 0xA0;  // left and right
    return nMask;
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const
{
    CRect rect = m_rect;
    rect.NormalizeRect();
    int nInflate = 0;
    if (m_nStyle & (resizeOutside | hatchedBorder))
        nInflate += GetHandleSize() - 1;
    if (m_nStyle & (solidLine | dottedLine))
        nInflate += 1;
    rect.InflateRect(nInflate, nInflate);
    *lpTrueRect = rect;
}

// Where a handle sits on the outline, for drawing and hit testing; empty for no handle.
void CRectTracker::GetHandleRect(int nHandle, CRect* pHandleRect) const
{
    // the rectangle the handles sit in: the outline's, widened for outside handles
    CRect rect = m_rect;
    rect.NormalizeRect();
    if (m_nStyle & (solidLine | dottedLine))
        rect.InflateRect(1, 1);
    int nSize = GetHandleSize();
    if (m_nStyle & resizeOutside)
        rect.InflateRect(nSize - 1, nSize - 1);

    // the handle of the normalized rectangle that the caller's handle is
    nHandle = NormalizeHit(nHandle);
    if (nHandle < 0 || nHandle > 7)
    {
        pHandleRect->SetRectEmpty();
        return;
    }
    const CHandlePlace& place = s_handlePlaces[nHandle];
    int x = rect.left + place.nHalvesX * (rect.Width() - nSize) / 2;
    int y = rect.top + place.nHalvesY * (rect.Height() - nSize) / 2;
    pHandleRect->SetRect(x, y, x + nSize, y + nSize);
}

int CRectTracker::NormalizeHit(int nHandle) const
{
    if (nHandle < 0 || nHandle > 8)
        return nHandle;
    if (m_rect.Width() < 0)
        nHandle = s_flipX[nHandle];
    if (m_rect.Height() < 0)
        nHandle = s_flipY[nHandle];
    return nHandle;
}

// Which coordinates of the rectangle a handle moves, and their values now.
void CRectTracker::GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy, LONG* px, LONG* py)
{
    LONG* pxMod = NULL;
    LONG* pyMod = NULL;
    switch (nHandle)
    {
    case hitTopLeft: pxMod = &m_rect.left; pyMod = &m_rect.top; break;
    case hitTopRight: pxMod = &m_rect.right; pyMod = &m_rect.top; break;
    case hitBottomRight: pxMod = &m_rect.right; pyMod = &m_rect.bottom; break;
    case hitBottomLeft: pxMod = &m_rect.left; pyMod = &m_rect.bottom; break;
    case hitTop: pyMod = &m_rect.top; break;
    case hitRight: pxMod = &m_rect.right; break;
    case hitBottom: pyMod = &m_rect.bottom; break;
    case hitLeft: pxMod = &m_rect.left; break;
    case hitMiddle: pxMod = &m_rect.left; pyMod = &m_rect.top; break;
    default: break;
    }
    *ppx = pxMod;
    *ppy = pyMod;
    if (px != NULL)
        *px = pxMod != NULL ? *pxMod : 0;
    if (py != NULL)
        *py = pyMod != NULL ? *pyMod : 0;
}

/////////////////////////////////////////////////////////////////////////////
// Hit tests and the cursor

int CRectTracker::HitTestHandles(CPoint point) const
{
    CRect rect;
    GetTrueRect(&rect);
    if (!rect.PtInRect(point))
        return hitNothing;

    UINT nMask = GetHandleMask();
    for (int i = 0; i < 8; i++)
    {
        if (nMask & (1u << i))
        {
            GetHandleRect(i, &rect);
            if (rect.PtInRect(point))
                return i;
        }
    }

    // between the handles, outside the rectangle: a hit only on a hatched border
    if (!(m_nStyle & hatchedBorder))
    {
        rect = m_rect;
        rect.NormalizeRect();
        if (m_nStyle & (solidLine | dottedLine))
            rect.InflateRect(1, 1);
        if (!rect.PtInRect(point))
            return hitNothing;
    }
    return hitMiddle;
}

int CRectTracker::HitTest(CPoint point) const
{
    CRect rect;
    GetTrueRect(&rect);
    if (!rect.PtInRect(point))
        return hitNothing;
    if (m_nStyle & (resizeInside | resizeOutside))
        return HitTestHandles(point);
    return hitMiddle;
}

BOOL CRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const
{
    if (nHitTest != HTCLIENT)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    pWnd->ScreenToClient(&point);
    int nHandle = HitTestHandles(point);
    if (nHandle < 0)
        return FALSE;
    nHandle = NormalizeHit(nHandle);
    ::SetCursor(::LoadCursor(NULL, CursorOfHit(nHandle)));
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Drawing

void CRectTracker::Draw(CDC* pDC) const
{
    // device units: the rectangle is in the window's client pixels
    int nSaved = pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetViewportOrg(0, 0);
    pDC->SetWindowOrg(0, 0);

    CRect rect = m_rect;
    rect.NormalizeRect();

    // the outline
    if (m_nStyle & (solidLine | dottedLine))
    {
        CPen pen(m_nStyle & dottedLine ? PS_DOT : PS_SOLID, 0, RGB(0, 0, 0));
        CPen* pOldPen = pDC->SelectObject(&pen);
        CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
        int nOldRop = pDC->SetROP2(R2_COPYPEN);
        int nOldBkMode = pDC->SetBkMode(TRANSPARENT);
        CRect rectOutline = rect;
        rectOutline.InflateRect(1, 1);
        pDC->Rectangle(&rectOutline);
        pDC->SetBkMode(nOldBkMode);
        pDC->SetROP2(nOldRop);
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
    }

    // hatching inside and in the border (dark lines over what is there)
    if (m_nStyle & (hatchInside | hatchedBorder))
    {
        CBrush* pOldBrush = pDC->SelectObject(GetHatchBrush());
        COLORREF clrOldText = pDC->SetTextColor(RGB(255, 255, 255));
        COLORREF clrOldBk = pDC->SetBkColor(RGB(0, 0, 0));
        pDC->SetBrushOrg(rect.left % 8, rect.top % 8);
        const DWORD dwRop = 0x00A000C9;     // pattern AND destination
        if (m_nStyle & hatchInside)
            pDC->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), dwRop);
        if (m_nStyle & hatchedBorder)
        {
            int nSize = GetHandleSize(&rect) - 1;
            if (nSize > 0)
            {
                CRect rectOut = rect;
                rectOut.InflateRect(nSize, nSize);
                pDC->PatBlt(rectOut.left, rectOut.top, rectOut.Width(), nSize, dwRop);
                pDC->PatBlt(rectOut.left, rect.bottom, rectOut.Width(), nSize, dwRop);
                pDC->PatBlt(rectOut.left, rect.top, nSize, rect.Height(), dwRop);
                pDC->PatBlt(rect.right, rect.top, nSize, rect.Height(), dwRop);
            }
        }
        pDC->SetBkColor(clrOldBk);
        pDC->SetTextColor(clrOldText);
        pDC->SelectObject(pOldBrush);
    }

    // the handles
    if (m_nStyle & (resizeInside | resizeOutside))
    {
        UINT nMask = GetHandleMask();
        for (int i = 0; i < 8; i++)
        {
            if (nMask & (1u << i))
            {
                CRect rectHandle;
                GetHandleRect(i, &rectHandle);
                pDC->FillSolidRect(&rectHandle, RGB(0, 0, 0));
            }
        }
    }

    pDC->RestoreDC(nSaved);
}

// Draws the tracking outline, erasing the last one in the same step.
void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    CRect rect = *lpRect;
    rect.NormalizeRect();
    if (pWndClipTo != NULL)
    {
        pWnd->ClientToScreen(&rect);
        pWndClipTo->ScreenToClient(&rect);
    }

    // a frame one border thick, or as thick as the hatched border; none when erasing for good
    CSize size(0, 0);
    if (!m_bFinalErase)
    {
        if (m_nStyle & hatchedBorder)
        {
            int nSize = GetHandleSize(&rect) - 1;
            size.cx = size.cy = nSize > 1 ? nSize : 1;
            rect.InflateRect(size);
        }
        else
        {
            size.cx = ::GetSystemMetrics(SM_CXBORDER);
            size.cy = ::GetSystemMetrics(SM_CYBORDER);
        }
    }

    // the old frame goes and the new one comes in one step
    if (m_bFinalErase || !m_bErase)
        pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast);
    m_rectLast = rect;
    m_sizeLast = size;
}

// Keeps the rectangle at its smallest size while an edge is dragged.
void CRectTracker::AdjustRect(int nHandle, LPRECT)
{
    if (nHandle == hitMiddle)
        return;

    // the moved edges keep the rectangle at its smallest size
    LONG* px = NULL;
    LONG* py = NULL;
    GetModifyPointers(nHandle, &px, &py, NULL, NULL);
    if (px != NULL)
    {
        int nWidth = m_rect.right - m_rect.left;
        int nAbs = m_bAllowInvert ? abs(nWidth) : nWidth;
        if (nAbs < m_sizeMin.cx)
        {
            int nSign = (m_bAllowInvert && nWidth < 0) ? -1 : 1;
            if (px == &m_rect.left)
                m_rect.left = m_rect.right - nSign * m_sizeMin.cx;
            else
                m_rect.right = m_rect.left + nSign * m_sizeMin.cx;
        }
    }
    if (py != NULL)
    {
        int nHeight = m_rect.bottom - m_rect.top;
        int nAbs = m_bAllowInvert ? abs(nHeight) : nHeight;
        if (nAbs < m_sizeMin.cy)
        {
            int nSign = (m_bAllowInvert && nHeight < 0) ? -1 : 1;
            if (py == &m_rect.top)
                m_rect.top = m_rect.bottom - nSign * m_sizeMin.cy;
            else
                m_rect.bottom = m_rect.top + nSign * m_sizeMin.cy;
        }
    }
}

void CRectTracker::OnChangedRect(const CRect&)
{
}

/////////////////////////////////////////////////////////////////////////////
// Tracking

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo)
{
    int nHandle = HitTestHandles(point);
    if (nHandle < 0)
        return FALSE;
    m_bAllowInvert = bAllowInvert;
    return TrackHandle(nHandle, pWnd, point, pWndClipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert)
{
    m_bAllowInvert = bAllowInvert;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    return TrackHandle(hitBottomRight, pWnd, point, NULL);
}

// Tracks the mouse while a handle is dragged; FALSE if cancelled or nothing moved.
BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo)
{
    // someone else tracks the mouse already
    if (::GetCapture() != NULL)
        return FALSE;

    AfxLockTempMaps();
    pWnd->SetCapture();
    pWnd->UpdateWindow();
    if (pWndClipTo != NULL)
        pWndClipTo->UpdateWindow();

    CRect rectSave = m_rect;
    int nWidth = m_rect.Width();
    int nHeight = m_rect.Height();

    // the moved edges keep their distance to the mouse
    LONG* px = NULL;
    LONG* py = NULL;
    LONG xStart = 0;
    LONG yStart = 0;
    GetModifyPointers(nHandle, &px, &py, &xStart, &yStart);
    int xDiff = point.x - xStart;
    int yDiff = point.y - yStart;

    CDC* pDrawDC = pWndClipTo != NULL ? pWndClipTo->GetDCEx(NULL, DCX_CACHE) : pWnd->GetDC();
    BOOL bMoved = FALSE;

    for (;;)
    {
        MSG msg;
        if (::GetMessageA(&msg, NULL, 0, 0) <= 0)
        {
            // the quit message belongs to the pump outside
            if (msg.message == WM_QUIT)
                ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (::GetCapture() != pWnd->m_hWnd)
            break;      // the capture was taken away

        BOOL bCancel = FALSE;
        switch (msg.message)
        {
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
        {
            CRect rectOld = m_rect;
            if (px != NULL)
                *px = GET_X_LPARAM(msg.lParam) - xDiff;
            if (py != NULL)
                *py = GET_Y_LPARAM(msg.lParam) - yDiff;
            if (nHandle == hitMiddle)
            {
                // a move keeps the size
                m_rect.right = m_rect.left + nWidth;
                m_rect.bottom = m_rect.top + nHeight;
            }
            AdjustRect(nHandle, &m_rect);

            m_bFinalErase = (msg.message == WM_LBUTTONUP);
            if (!rectOld.EqualRect(&m_rect) || m_bFinalErase)
            {
                if (bMoved)
                {
                    m_bErase = TRUE;
                    DrawTrackerRect(&rectOld, pWndClipTo, pDrawDC, pWnd);
                }
                OnChangedRect(rectOld);
                if (msg.message != WM_LBUTTONUP)
                    bMoved = TRUE;
            }
            if (m_bFinalErase)
                goto ExitLoop;
            if (!rectOld.EqualRect(&m_rect))
            {
                m_bErase = FALSE;
                DrawTrackerRect(&m_rect, pWndClipTo, pDrawDC, pWnd);
            }
            break;
        }

        case WM_KEYDOWN:
            bCancel = msg.wParam == VK_ESCAPE;
            break;

        case WM_RBUTTONDOWN:
            bCancel = TRUE;
            break;

        default:
            ::DispatchMessageA(&msg);
            break;
        }

        if (bCancel)
        {
            // Esc or the right button: the outline goes and the rectangle comes back
            if (bMoved)
            {
                m_bErase = m_bFinalErase = TRUE;
                DrawTrackerRect(&m_rect, pWndClipTo, pDrawDC, pWnd);
            }
            m_rect = rectSave;
            goto ExitLoop;
        }
    }

ExitLoop:
    if (pWndClipTo != NULL)
        pWndClipTo->ReleaseDC(pDrawDC);
    else
        pWnd->ReleaseDC(pDrawDC);
    if (::GetCapture() == pWnd->m_hWnd)
        ::ReleaseCapture();
    AfxUnlockTempMaps(FALSE);

    // a press and release without a move leaves the rectangle as it was
    if (!bMoved)
        m_rect = rectSave;
    m_bFinalErase = FALSE;
    m_bErase = FALSE;
    return !rectSave.EqualRect(&m_rect);
}
