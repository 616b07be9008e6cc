// SelectionTracker.cpp - the selection kept by the document's tracker: handles, hit tests,
// cursors and the move and resize loops.

#include "SelectionTracker.h"
#include "Element.h"
#include "VarnelDoc.h"

#include "afxwin.h"

#include <windowsx.h>

// Style 17 (solid outline, handles outside) and handle size 5; the document sets 16.
CSelectionTracker::CSelectionTracker()
    : m_pCurrent(NULL)
{
    m_nStyle = solidLine | resizeOutside;
    m_nHandleSize = 5;
}

CSelectionTracker::~CSelectionTracker()
{
    ClearDeviceRects();
}

void CSelectionTracker::Add(CElement* pElement)
{
    m_arrSelected.Add(pElement);
    m_pCurrent = pElement;
}

void CSelectionTracker::Remove(const CElement* pElement)
{
    for (INT_PTR i = m_arrSelected.GetSize() - 1; i >= 0; i--)
    {
        if (m_arrSelected[i] == pElement)
            m_arrSelected.RemoveAt(i);
    }
    if (m_arrSelected.GetSize() == 0)
        RemoveAll();
    else if (m_pCurrent == pElement)
        m_pCurrent = m_arrSelected[m_arrSelected.GetSize() - 1];
}

void CSelectionTracker::RemoveAll()
{
    m_arrSelected.RemoveAll();
    m_arrSelected.FreeExtra();
    m_rect.SetRectEmpty();
    m_pCurrent = NULL;
}

BOOL CSelectionTracker::IsSelected(const CElement* pElement) const
{
    for (INT_PTR i = 0; i < m_arrSelected.GetSize(); i++)
    {
        if (m_arrSelected[i] == pElement)
            return TRUE;
    }
    return FALSE;
}

void ViewDeviceToLogical(CView* pView, CPoint& point)
{
    CClientDC dc(pView);
    pView->OnPrepareDC(&dc);
    dc.DPtoLP(&point);
}

void ViewLogicalToDevice(CView* pView, CPoint& point)
{
    CClientDC dc(pView);
    pView->OnPrepareDC(&dc);
    dc.LPtoDP(&point);
}

void ViewLogicalToDeviceRect(CView* pView, CRect& rect)
{
    CClientDC dc(pView);
    pView->OnPrepareDC(&dc);
    dc.LPtoDP(&rect);
    rect.NormalizeRect();
}

// Drawing

void CSelectionTracker::DrawSelection(CDC* pDC)
{
    const CRect rectSaved = m_rect;
    for (INT_PTR i = 0; i < m_arrSelected.GetSize(); i++)
    {
        CElement* pElement = m_arrSelected[i];
        m_rect = pElement->GetRect();
        pDC->LPtoDP(&m_rect);
        m_rect.NormalizeRect();
        if (pElement->m_bLocked)
            DrawLockedHandles(pDC, TRUE);
        else
            Draw(pDC);
    }
    m_rect = rectSaved;
}

// Paints the resize handles solid, red for a locked element and black otherwise, in device pixels.
void CSelectionTracker::DrawLockedHandles(CDC* pDC, BOOL bLocked)
{
    if ((m_nStyle & (resizeInside | resizeOutside)) == 0)
        return;
    const int nSaved = pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetViewportOrg(0, 0);
    pDC->SetWindowOrg(0, 0);

    const CRect rectSaved = m_rect;
    m_rect.NormalizeRect();
    const UINT nMask = GetHandleMask();
    for (int i = 0; i < 8; i++)
    {
        if (nMask & (1u << i))
        {
            CRect rectHandle;
            GetHandleRect(i, &rectHandle);
            pDC->FillSolidRect(&rectHandle, bLocked ? RGB(255, 0, 0) : RGB(0, 0, 0));
        }
    }
    m_rect = rectSaved;
    pDC->RestoreDC(nSaved);
}

// Hit tests

// The first selected element whose handles or rectangle the point hits becomes current;
// else the first whose own hit test takes the point (the rectangle of a level or upright
// line is empty), with the middle as hit: the element moves.
int CSelectionTracker::HitTestSelection(CPoint point, CView* pView, BOOL bHandlesOnly)
{
    const CPoint ptDoc = point;
    if (pView != NULL)
        ViewLogicalToDevice(pView, point);
    for (INT_PTR i = 0; i < m_arrSelected.GetSize(); i++)
    {
        CElement* pElement = m_arrSelected[i];
        m_rect = pElement->GetRect();
        if (pView != NULL)
            ViewLogicalToDeviceRect(pView, m_rect);
        const int nHit = bHandlesOnly ? CRectTracker::HitTestHandles(point) : CRectTracker::HitTest(point);
        if (nHit != hitNothing)
        {
            m_pCurrent = pElement;
            return nHit;
        }
    }
    for (INT_PTR i = 0; i < m_arrSelected.GetSize(); i++)
    {
        CElement* pElement = m_arrSelected[i];
        if (pElement->HitTest(ptDoc))
        {
            m_rect = pElement->GetRect();
            if (pView != NULL)
                ViewLogicalToDeviceRect(pView, m_rect);
            m_pCurrent = pElement;
            return hitMiddle;
        }
    }
    return hitNothing;
}

int CSelectionTracker::HitTest(CPoint point, CView* pView)
{
    return HitTestSelection(point, pView, FALSE);
}

int CSelectionTracker::HitTestHandles(CPoint point, CView* pView)
{
    return HitTestSelection(point, pView, TRUE);
}

// Cursors

BOOL CSelectionTracker::SetCursor(CView* pView, UINT nHitTest)
{
    const CRect rectSaved = m_rect;
    BOOL bSet = FALSE;
    for (INT_PTR i = 0; i < m_arrSelected.GetSize() && !bSet; i++)
    {
        m_rect = m_arrSelected[i]->GetRect();
        bSet = SetCursorForCurrent(pView, nHitTest);
    }
    m_rect = rectSaved;
    if (!bSet && nHitTest == HTCLIENT)
    {
        // over a selected element that its own hit test takes: the move cursor
        CPoint point;
        ::GetCursorPos(&point);
        pView->ScreenToClient(&point);
        ViewDeviceToLogical(pView, point);
        for (INT_PTR i = 0; i < m_arrSelected.GetSize() && !bSet; i++)
            bSet = m_arrSelected[i]->HitTest(point);
        if (bSet)
            ::SetCursor(::LoadCursorA(NULL, IDC_SIZEALL));
    }
    return bSet;
}

// m_rect is the element's rectangle in document units.
BOOL CSelectionTracker::SetCursorForCurrent(CView* pView, UINT nHitTest)
{
    if (nHitTest != HTCLIENT)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    pView->ScreenToClient(&point);

    // handles are tested in pixels, as they are drawn
    const CRect rectDoc = m_rect;
    ViewLogicalToDeviceRect(pView, m_rect);
    int nHit = CRectTracker::HitTestHandles(point);
    m_rect = rectDoc;
    if (nHit == hitNothing)
        return FALSE;
    nHit = NormalizeHit(nHit);

    LPCSTR pszCursor = IDC_SIZEALL;
    switch (nHit)
    {
    case hitTopLeft:
    case hitBottomRight:
        pszCursor = IDC_SIZENWSE;
        break;
    case hitTopRight:
    case hitBottomLeft:
        pszCursor = IDC_SIZENESW;
        break;
    case hitTop:
    case hitBottom:
        pszCursor = IDC_SIZENS;
        break;
    case hitRight:
    case hitLeft:
        pszCursor = IDC_SIZEWE;
        break;
    default:
        break;
    }
    ::SetCursor(::LoadCursorA(NULL, pszCursor));
    return TRUE;
}

// Tracking

BOOL CSelectionTracker::Track(CView* pView, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo)
{
    if (m_arrSelected.GetSize() == 0)
        return FALSE;
    const int nHit = HitTestHandles(point, pView);
    if (nHit == hitNothing)
        return FALSE;
    if (nHit == hitMiddle)
        return TrackMoveAll(pView, point, pWndClipTo);

    // a handle: only the current element stays selected and is resized
    CElement* pElement = m_pCurrent;
    m_arrSelected.RemoveAll();
    m_arrSelected.Add(pElement);
    m_rect = pElement->GetRect();
    m_bAllowInvert = bAllowInvert;
    const BOOL bChanged = TrackHandle(nHit, pView, point, pWndClipTo);
    if (bChanged && !pElement->m_bLocked)
    {
        CRect rect = m_rect;
        rect.NormalizeRect();
        pElement->ResizeRect(rect.left, rect.top, rect.right, rect.bottom);
    }
    m_rect = pElement->GetRect();
    return bChanged && !pElement->m_bLocked;
}

namespace
{

// Ends a tracking loop on a quit message, leaving it for the pump outside.
BOOL NextTrackingMessage(MSG& msg)
{
    if (::GetMessageA(&msg, NULL, 0, 0) <= 0)
    {
        if (msg.message == WM_QUIT)
            ::PostQuitMessage((int)msg.wParam);
        return FALSE;
    }
    return TRUE;
}

// Draws or, drawn a second time, erases the outline of a pixel rectangle of the view.
void XorOutline(CDC* pDC, CView* pView, CWnd* pWndClipTo, const CRect& rectPixels)
{
    CRect rect = rectPixels;
    rect.NormalizeRect();
    if (pWndClipTo != NULL)
    {
        pView->ClientToScreen(&rect);
        pWndClipTo->ScreenToClient(&rect);
    }
    const CSize size(::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER));
    pDC->DrawDragRect(&rect, size, NULL, size);
}

CVarnelDoc* DocumentOf(CView* pView)
{
    return DYNAMIC_DOWNCAST(CVarnelDoc, pView->GetDocument());
}

} // namespace

// The rectangle is adjusted in document units; its outline is drawn in pixels.
BOOL CSelectionTracker::TrackHandle(int nHandle, CView* pView, CPoint point, CWnd* pWndClipTo)
{
    if (::GetCapture() != NULL)
        return FALSE;

    AfxLockTempMaps();
    pView->SetCapture();
    pView->UpdateWindow();
    if (pWndClipTo != NULL)
        pWndClipTo->UpdateWindow();

    const CRect rectSave = m_rect;
    const int nWidth = m_rect.Width();
    const int nHeight = m_rect.Height();
    LONG* px = NULL;
    LONG* py = NULL;
    LONG xStart = 0;
    LONG yStart = 0;
    GetModifyPointers(nHandle, &px, &py, &xStart, &yStart);
    const int xDiff = point.x - xStart;
    const int yDiff = point.y - yStart;

    CDC* pDrawDC = pWndClipTo != NULL ? pWndClipTo->GetDCEx(NULL, DCX_CACHE) : pView->GetDC();
    BOOL bDrawn = FALSE;
    CRect rectDrawn;
    BOOL bCancelled = FALSE;

    for (;;)
    {
        MSG msg;
        if (!NextTrackingMessage(msg))
        {
            bCancelled = TRUE;
            break;
        }
        if (::GetCapture() != pView->m_hWnd)
        {
            bCancelled = TRUE;
            break;
        }

        BOOL bCancel = FALSE;
        BOOL bDone = FALSE;
        switch (msg.message)
        {
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
        {
            CPoint ptMouse(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ViewDeviceToLogical(pView, ptMouse);
            const CRect rectOld = m_rect;
            if (px != NULL)
                *px = ptMouse.x - xDiff;
            if (py != NULL)
                *py = ptMouse.y - yDiff;
            if (nHandle == hitMiddle)
            {
                m_rect.right = m_rect.left + nWidth;
                m_rect.bottom = m_rect.top + nHeight;
            }
            AdjustRect(nHandle, &m_rect);
            if (!rectOld.EqualRect(&m_rect))
                OnChangedRect(rectOld);

            const BOOL bRelease = msg.message == WM_LBUTTONUP;
            if (bDrawn && (bRelease || !rectOld.EqualRect(&m_rect)))
            {
                XorOutline(pDrawDC, pView, pWndClipTo, rectDrawn);
                bDrawn = FALSE;
            }
            if (bRelease)
            {
                bDone = TRUE;
                break;
            }
            if (!bDrawn && !rectSave.EqualRect(&m_rect))
            {
                rectDrawn = m_rect;
                ViewLogicalToDeviceRect(pView, rectDrawn);
                XorOutline(pDrawDC, pView, pWndClipTo, rectDrawn);
                bDrawn = TRUE;
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
            bCancelled = TRUE;
            break;
        }
        if (bDone)
            break;
    }

    if (bDrawn)
        XorOutline(pDrawDC, pView, pWndClipTo, rectDrawn);
    if (pWndClipTo != NULL)
        pWndClipTo->ReleaseDC(pDrawDC);
    else
        pView->ReleaseDC(pDrawDC);
    if (::GetCapture() == pView->m_hWnd)
        ::ReleaseCapture();
    AfxUnlockTempMaps(FALSE);

    if (bCancelled)
        m_rect = rectSave;
    const BOOL bChanged = !rectSave.EqualRect(&m_rect);
    if (bChanged && m_pCurrent != NULL && !m_pCurrent->m_bLocked)
    {
        if (CVarnelDoc* pDoc = DocumentOf(pView))
            pDoc->PushUndo();
    }
    return bChanged;
}

void CSelectionTracker::SaveDeviceRects(CView* pView)
{
    ClearDeviceRects();
    for (INT_PTR i = 0; i < m_arrSelected.GetSize(); i++)
    {
        CRect* pRect = new CRect(m_arrSelected[i]->GetRect());
        ViewLogicalToDeviceRect(pView, *pRect);
        m_arrDeviceRects.Add(pRect);
    }
}

void CSelectionTracker::ClearDeviceRects()
{
    for (INT_PTR i = 0; i < m_arrDeviceRects.GetSize(); i++)
        delete m_arrDeviceRects[i];
    m_arrDeviceRects.RemoveAll();
}

// Outlines follow the mouse in pixels; on release the whole pixel offset is converted to
// document units once and applied to every unlocked element.
BOOL CSelectionTracker::TrackMoveAll(CView* pView, CPoint point, CWnd* pWndClipTo)
{
    if (::GetCapture() != NULL)
        return FALSE;

    pView->SetCapture();
    AfxLockTempMaps();
    pView->UpdateWindow();
    if (pWndClipTo != NULL)
        pWndClipTo->UpdateWindow();

    CPoint ptPress = point;
    ViewLogicalToDevice(pView, ptPress);
    CPoint ptLast = ptPress;
    SaveDeviceRects(pView);

    CDC* pDrawDC = pWndClipTo != NULL ? pWndClipTo->GetDCEx(NULL, DCX_CACHE) : pView->GetDC();
    BOOL bDrawn = FALSE;
    BOOL bReleased = FALSE;

    auto drawAll = [&]() {
        for (INT_PTR i = 0; i < m_arrDeviceRects.GetSize(); i++)
            XorOutline(pDrawDC, pView, pWndClipTo, *m_arrDeviceRects[i]);
    };

    while (::GetCapture() == pView->m_hWnd)
    {
        MSG msg;
        if (!NextTrackingMessage(msg))
            break;
        if (::GetCapture() != pView->m_hWnd)
            break;
        BOOL bEnd = FALSE;
        switch (msg.message)
        {
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        {
            const CPoint ptMouse(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            const CSize offset = ptMouse - ptLast;
            if (offset != CSize(0, 0) || msg.message == WM_LBUTTONUP)
            {
                if (bDrawn)
                {
                    drawAll();
                    bDrawn = FALSE;
                }
                for (INT_PTR i = 0; i < m_arrDeviceRects.GetSize(); i++)
                    m_arrDeviceRects[i]->OffsetRect(offset);
                if (msg.message == WM_MOUSEMOVE)
                {
                    drawAll();
                    bDrawn = TRUE;
                }
            }
            ptLast = ptMouse;
            if (msg.message == WM_LBUTTONUP)
            {
                bReleased = TRUE;
                bEnd = TRUE;
            }
            break;
        }
        case WM_KEYDOWN:
            bEnd = msg.wParam == VK_ESCAPE;
            break;
        case WM_RBUTTONDOWN:
            bEnd = TRUE;
            break;
        default:
            ::DispatchMessageA(&msg);
            break;
        }
        if (bEnd)
            break;
    }
    if (bDrawn)
        drawAll();

    if (pWndClipTo != NULL)
        pWndClipTo->ReleaseDC(pDrawDC);
    else
        pView->ReleaseDC(pDrawDC);
    if (::GetCapture() == pView->m_hWnd)
        ::ReleaseCapture();
    AfxUnlockTempMaps(FALSE);
    ClearDeviceRects();

    if (!bReleased || ptLast == ptPress)
        return FALSE;

    // one offset in document units for every element
    CPoint ptFrom = ptPress;
    CPoint ptTo = ptLast;
    ViewDeviceToLogical(pView, ptFrom);
    ViewDeviceToLogical(pView, ptTo);
    const CSize offset = ptTo - ptFrom;
    if (offset == CSize(0, 0))
        return FALSE;

    BOOL bAnyUnlocked = FALSE;
    for (INT_PTR i = 0; i < m_arrSelected.GetSize(); i++)
        bAnyUnlocked |= !m_arrSelected[i]->m_bLocked;
    if (!bAnyUnlocked)
        return FALSE;

    if (CVarnelDoc* pDoc = DocumentOf(pView))
        pDoc->PushUndo();
    for (INT_PTR i = 0; i < m_arrSelected.GetSize(); i++)
    {
        CElement* pElement = m_arrSelected[i];
        if (pElement->m_bLocked)
            continue;
        CRect rect = pElement->GetRect();
        rect.OffsetRect(offset);
        pElement->SetRect(rect.left, rect.top, rect.right, rect.bottom);
    }
    return TRUE;
}
