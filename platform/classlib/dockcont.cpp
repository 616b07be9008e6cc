// dockcont.cpp - CDockContext: dragging a bar with the mouse to a side of its
// frame or into a floating frame, resizing a floating bar, toggling between the
// last docked and floating places.

#include "afxwnd.h"
#include <algorithm>

namespace
{

BOOL IsHorzStyle(DWORD dwStyle)
{
    return (dwStyle & CBRS_ORIENT_HORZ) != 0;
}

BOOL IsVertStyle(DWORD dwStyle)
{
    return (dwStyle & CBRS_ORIENT_VERT) != 0;
}

// Moves rect so that it holds pt (keeps it where it is when it does).
void KeepPointInside(CRect& rect, CPoint pt)
{
    if (pt.x >= rect.right)
        rect.OffsetRect(pt.x - rect.right + 1, 0);
    else if (pt.x < rect.left)
        rect.OffsetRect(pt.x - rect.left, 0);
    if (pt.y >= rect.bottom)
        rect.OffsetRect(0, pt.y - rect.bottom + 1);
    else if (pt.y < rect.top)
        rect.OffsetRect(0, pt.y - rect.top);
}

const int CX_FLOAT_OUTLINE = 3;     // outline of a floating frame
const int CX_DOCK_OUTLINE = 1;      // outline of a docked place

} // namespace

// A dock context of a bar, with no drag under way and no remembered place yet.
CDockContext::CDockContext(CControlBar* pBar)
{
    m_pBar = pBar;
    m_pDockSite = pBar->m_pDockSite;
    m_uMRUDockID = 0;
    m_rectMRUDockPos.SetRectEmpty();
    m_dwMRUFloatStyle = 0;
    m_ptMRUFloatPos = CPoint(0, 0);
    m_dwDockStyle = 0;
    m_dwOverDockStyle = 0;
    m_dwStyle = 0;
    m_bFlip = FALSE;
    m_bForceFrame = FALSE;
    m_bDragging = FALSE;
    m_nHitTest = HTNOWHERE;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_pDC = NULL;
}

CDockContext::~CDockContext()
{
}

/////////////////////////////////////////////////////////////////////////////
// The modal loop

void CDockContext::InitLoop()
{
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bFlip = FALSE;
    m_bForceFrame = FALSE;
    m_pDockSite = m_pBar->m_pDockSite;
    // the outline is drawn on the screen over all windows
    m_pDC = CWnd::GetDesktopWindow()->GetDCEx(NULL, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
}

void CDockContext::CancelLoop()
{
    DrawFocusRect(TRUE);
    if (CWnd::GetCapture() == m_pBar)
        ::ReleaseCapture();
    if (m_pDC != NULL)
    {
        CWnd::GetDesktopWindow()->ReleaseDC(m_pDC);
        m_pDC = NULL;
    }
}

// The mouse loop of a drag or resize, until the button is released or the drag is cancelled.
BOOL CDockContext::Track()
{
    if (::GetCapture() != NULL)
    {
        // refused: the outline goes and the screen DC with it
        CancelLoop();
        return FALSE;
    }
    m_pBar->SetCapture();

    while (CWnd::GetCapture() == m_pBar)
    {
        MSG msg;
        if (!::GetMessageA(&msg, NULL, 0, 0))
        {
            AfxPostQuitMessage((int)msg.wParam);
            break;
        }
        switch (msg.message)
        {
        case WM_LBUTTONUP:
            if (m_bDragging)
                EndDrag();
            else
                EndResize();
            return TRUE;
        case WM_MOUSEMOVE:
            {
                CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
                ::ClientToScreen(msg.hwnd, &pt);
                if (m_bDragging)
                    Move(pt);
                else
                    Stretch(pt);
            }
            break;
        case WM_KEYUP:
            if (m_bDragging)
                OnKey((int)msg.wParam, FALSE);
            break;
        case WM_KEYDOWN:
            if (m_bDragging)
                OnKey((int)msg.wParam, TRUE);
            if (msg.wParam == VK_ESCAPE)
            {
                CancelLoop();
                return FALSE;
            }
            break;
        case WM_RBUTTONDOWN:
            CancelLoop();
            return FALSE;
        default:
            ::DispatchMessageA(&msg);
            break;
        }
    }
    CancelLoop();
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Dragging

CRect CDockContext::FrameRectFor(const CRect& rectBar) const
{
    // the floating frame around a bar of that size, the bar staying in place
    CRect rect(rectBar);
    ::AdjustWindowRectEx(&rect, WS_POPUP | WS_CAPTION | WS_THICKFRAME, FALSE, WS_EX_TOOLWINDOW);
    return rect;
}

// Starts dragging a bar: its outlines docked either way and floating, then the tracking loop.
void CDockContext::StartDrag(CPoint pt)
{
    // another window holds the mouse: no drag, nothing drawn
    if (::GetCapture() != NULL)
        return;
    m_bDragging = TRUE;
    InitLoop();

    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle;

    // the outlines of the bar docked in either orientation and floating
    CRect rect;
    m_pBar->GetWindowRect(rect);
    m_ptLast = pt;
    CSize sizeHorz, sizeVert, sizeFloatHorz, sizeFloatVert;
    if (m_dwStyle & CBRS_SIZE_DYNAMIC)
    {
        sizeHorz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
        sizeVert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
        sizeFloatHorz = sizeFloatVert = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    }
    else
    {
        sizeHorz = m_pBar->CalcFixedLayout(FALSE, TRUE);
        sizeVert = m_pBar->CalcFixedLayout(FALSE, FALSE);
        sizeFloatHorz = sizeHorz;
        sizeFloatVert = sizeVert;
    }
    m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
    m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
    m_rectFrameDragHorz = FrameRectFor(CRect(rect.TopLeft(), sizeFloatHorz));
    m_rectFrameDragVert = FrameRectFor(CRect(rect.TopLeft(), sizeFloatVert));
    // a floating bar keeps its frame's place
    if (m_pBar->IsFloating())
    {
        CFrameWnd* pFrame = m_pBar->GetDockingFrame();
        if (pFrame != NULL)
        {
            CRect rectFrame;
            pFrame->GetWindowRect(rectFrame);
            m_rectFrameDragHorz.OffsetRect(rectFrame.TopLeft() - m_rectFrameDragHorz.TopLeft());
            m_rectFrameDragVert.OffsetRect(rectFrame.TopLeft() - m_rectFrameDragVert.TopLeft());
        }
    }
    KeepPointInside(m_rectDragHorz, pt);
    KeepPointInside(m_rectDragVert, pt);
    KeepPointInside(m_rectFrameDragHorz, pt);
    KeepPointInside(m_rectFrameDragVert, pt);

    m_dwOverDockStyle = CanDock();
    DrawFocusRect();
    Track();
}

void CDockContext::Move(CPoint pt)
{
    CPoint ptOffset = pt - m_ptLast;
    m_rectDragHorz.OffsetRect(ptOffset);
    m_rectDragVert.OffsetRect(ptOffset);
    m_rectFrameDragHorz.OffsetRect(ptOffset);
    m_rectFrameDragVert.OffsetRect(ptOffset);
    m_ptLast = pt;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown)
{
    if (nChar == VK_CONTROL)
        m_bForceFrame = bDown;
    else if (nChar == VK_SHIFT)
        m_bFlip = bDown;
    else
        return;
    Move(m_ptLast);
}

// The side the dragged outline would dock to, trying the bar's orientation first; 0 to float.
DWORD CDockContext::CanDock()
{
    if (m_pDockSite == NULL)
        return 0;
    // the present orientation first, then the other one
    BOOL bHorz = IsHorzStyle(m_dwStyle);
    if (m_bFlip)
        bHorz = !bHorz;
    DWORD dwDock = 0;
    if (bHorz && IsHorzStyle(m_dwDockStyle))
        dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
    else if (!bHorz && IsVertStyle(m_dwDockStyle))
        dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
    if (dwDock == 0 && !m_bFlip)
    {
        if (bHorz && IsVertStyle(m_dwDockStyle))
            dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
        else if (!bHorz && IsHorzStyle(m_dwDockStyle))
            dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
    }
    return dwDock;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle)
{
    CDockBar* pDockBar = NULL;
    if (IsHorzStyle(dwOverDockStyle))
        m_pDockSite->CanDock(m_rectDragHorz, dwOverDockStyle & ~CBRS_ORIENT_VERT, &pDockBar);
    if (pDockBar == NULL && IsVertStyle(dwOverDockStyle))
        m_pDockSite->CanDock(m_rectDragVert, dwOverDockStyle & ~CBRS_ORIENT_HORZ, &pDockBar);
    return pDockBar;
}

// Draws the drag outline (thin over a dock bar, thick when floating), removing the last one.
void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    if (m_pDC == NULL)
        return;
    CRect rect;
    CSize size;
    if (IsHorzStyle(m_dwOverDockStyle))
    {
        rect = m_rectDragHorz;
        size = CSize(CX_DOCK_OUTLINE, CX_DOCK_OUTLINE);
    }
    else if (IsVertStyle(m_dwOverDockStyle))
    {
        rect = m_rectDragVert;
        size = CSize(CX_DOCK_OUTLINE, CX_DOCK_OUTLINE);
    }
    else
    {
        BOOL bHorz = IsHorzStyle(m_dwStyle) || (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
        if (m_bFlip)
            bHorz = !bHorz;
        rect = bHorz ? m_rectFrameDragHorz : m_rectFrameDragVert;
        size = CSize(CX_FLOAT_OUTLINE, CX_FLOAT_OUTLINE);
    }
    if (bRemoveRect)
        size = CSize(0, 0);
    // drawing over the last outline removes it
    m_pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast);
    m_rectLast = rect;
    m_sizeLast = size;
    if (bRemoveRect)
        m_rectLast.SetRectEmpty();
}

// Ends a drag: docks where the outline was, or floats the bar there, remembering the place.
void CDockContext::EndDrag()
{
    CancelLoop();
    if (m_dwOverDockStyle != 0)
    {
        CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
        if (pDockBar == NULL)
            return;
        CRect rect = IsVertStyle(m_dwOverDockStyle) && !IsHorzStyle(m_dwOverDockStyle)
                         ? m_rectDragVert : m_rectDragHorz;
        UINT uID = (UINT)pDockBar->GetDlgCtrlID();
        if (uID >= AFX_IDW_DOCKBAR_TOP && uID <= AFX_IDW_DOCKBAR_BOTTOM)
        {
            m_uMRUDockID = uID;
            m_rectMRUDockPos = rect;
            pDockBar->ScreenToClient(&m_rectMRUDockPos);
        }
        m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
        m_pDockSite->RecalcLayout();
        return;
    }

    BOOL bHorz = IsHorzStyle(m_dwStyle) || (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
    if (m_bFlip)
        bHorz = !bHorz;
    m_dwMRUFloatStyle = (bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = bHorz ? m_rectFrameDragHorz.TopLeft() : m_rectFrameDragVert.TopLeft();
    CFrameWnd* pOldFrame = m_pBar->IsFloating() ? NULL : m_pDockSite;
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    if (pOldFrame != NULL)
        pOldFrame->RecalcLayout();
}

/////////////////////////////////////////////////////////////////////////////
// Resizing a floating bar

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    if (::GetCapture() != NULL)
        return;
    m_bDragging = FALSE;
    InitLoop();
    m_nHitTest = nHitTest;
    m_dwStyle = m_pBar->m_dwStyle;
    CRect rect;
    m_pBar->GetWindowRect(rect);
    m_ptLast = pt;
    m_rectRequestedSize = rect;
    m_rectActualSize = rect;
    CFrameWnd* pFrame = m_pBar->GetDockingFrame();
    if (pFrame != NULL)
        pFrame->GetWindowRect(m_rectActualFrameSize);
    else
        m_rectActualFrameSize = FrameRectFor(rect);
    m_dwOverDockStyle = 0;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    // the outline is the frame
    if (m_pDC != NULL)
    {
        m_pDC->DrawDragRect(&m_rectActualFrameSize, CSize(CX_FLOAT_OUTLINE, CX_FLOAT_OUTLINE),
                            &m_rectLast, m_sizeLast);
        m_rectLast = m_rectActualFrameSize;
        m_sizeLast = CSize(CX_FLOAT_OUTLINE, CX_FLOAT_OUTLINE);
    }
    Track();
}

// Moves the dragged edges with the mouse and fits the outline to the size the bar allows.
void CDockContext::Stretch(CPoint pt)
{
    CPoint ptOffset = pt - m_ptLast;
    m_ptLast = pt;
    // the dragged edges follow the mouse
    switch (m_nHitTest)
    {
    case HTLEFT: case HTTOPLEFT: case HTBOTTOMLEFT:
        m_rectRequestedSize.left += ptOffset.x;
        break;
    case HTRIGHT: case HTTOPRIGHT: case HTBOTTOMRIGHT:
        m_rectRequestedSize.right += ptOffset.x;
        break;
    default:
        break;
    }
    switch (m_nHitTest)
    {
    case HTTOP: case HTTOPLEFT: case HTTOPRIGHT:
        m_rectRequestedSize.top += ptOffset.y;
        break;
    case HTBOTTOM: case HTBOTTOMLEFT: case HTBOTTOMRIGHT:
        m_rectRequestedSize.bottom += ptOffset.y;
        break;
    default:
        break;
    }

    // the bar answers the size of its layout for the asked length
    BOOL bByHeight = (m_nHitTest == HTTOP || m_nHitTest == HTBOTTOM);
    int nLength = bByHeight ? m_rectRequestedSize.Height() : m_rectRequestedSize.Width();
    DWORD dwMode = LM_HORZ | (bByHeight ? LM_LENGTHY : 0);
    CSize size = m_pBar->CalcDynamicLayout(std::max(nLength, 0), dwMode);

    CRect rect(m_rectRequestedSize.TopLeft(), size);
    // the edge opposite to the dragged one stays
    if (m_nHitTest == HTLEFT || m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT)
        rect.OffsetRect(m_rectRequestedSize.right - rect.right, 0);
    if (m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT)
        rect.OffsetRect(0, m_rectRequestedSize.bottom - rect.bottom);
    m_rectActualSize = rect;
    m_rectActualFrameSize = FrameRectFor(rect);
    if (m_pDC != NULL)
    {
        CSize sizeOutline(CX_FLOAT_OUTLINE, CX_FLOAT_OUTLINE);
        m_pDC->DrawDragRect(&m_rectActualFrameSize, sizeOutline, &m_rectLast, m_sizeLast);
        m_rectLast = m_rectActualFrameSize;
        m_sizeLast = sizeOutline;
    }
}

void CDockContext::EndResize()
{
    CancelLoop();
    BOOL bByHeight = (m_nHitTest == HTTOP || m_nHitTest == HTBOTTOM);
    int nLength = bByHeight ? m_rectRequestedSize.Height() : m_rectRequestedSize.Width();
    m_pBar->CalcDynamicLayout(std::max(nLength, 0), LM_HORZ | LM_COMMIT | (bByHeight ? LM_LENGTHY : 0));
    CFrameWnd* pFrame = m_pBar->GetDockingFrame();
    if (pFrame != NULL && pFrame != m_pDockSite)
    {
        pFrame->SetWindowPos(NULL, m_rectActualFrameSize.left, m_rectActualFrameSize.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pFrame->RecalcLayout();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Docked <-> floating

void CDockContext::ToggleDocking()
{
    m_pDockSite = m_pBar->m_pDockSite;
    if (m_pDockSite == NULL)
        return;
    if (m_pBar->IsFloating())
    {
        // back to the side and place where it was docked last
        CDockBar* pDockBar = NULL;
        if (m_uMRUDockID != 0)
        {
            CControlBar* pFound = m_pDockSite->GetControlBar(m_uMRUDockID);
            if (pFound != NULL && pFound->IsKindOf(RUNTIME_CLASS(CDockBar)))
                pDockBar = (CDockBar*)pFound;
        }
        if (pDockBar != NULL)
        {
            CRect rect(m_rectMRUDockPos);
            pDockBar->ClientToScreen(&rect);
            m_pDockSite->ReDockControlBar(m_pBar, pDockBar, &rect);
        }
        else
        {
            m_pDockSite->DockControlBar(m_pBar);
        }
        m_pDockSite->RecalcLayout();
        return;
    }

    // float where it floated last (first time: at the bar's place)
    if (m_pBar->m_pDockBar != NULL)
    {
        m_uMRUDockID = (UINT)m_pBar->m_pDockBar->GetDlgCtrlID();
        m_pBar->GetWindowRect(m_rectMRUDockPos);
        m_pBar->m_pDockBar->ScreenToClient(&m_rectMRUDockPos);
    }
    if (m_dwMRUFloatStyle == 0)
    {
        CRect rect;
        m_pBar->GetWindowRect(rect);
        m_ptMRUFloatPos = FrameRectFor(rect).TopLeft();
        m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI);
    }
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    m_pDockSite->RecalcLayout();
}
