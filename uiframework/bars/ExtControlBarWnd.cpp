// ExtControlBarWnd.cpp - CExtControlBar's window procedure: the message map, the
// non-client area (strips, caption, caption buttons), painting, mouse input, showing
// and hiding with the row upkeep, bringing a bar to the front, context menus.

#include "ExtControlBar.h"
#include "ExtDynTabControlBar.h"
#include "ExtBarLayout.h"
#include "uiframework/foundation/ExtCmdManager.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "uiframework/foundation/ExtMemoryDC.h"

#include <algorithm>

bool ExtBarsIsOfClassName(const CObject* pObj, LPCSTR lpszName);

namespace
{
const UINT_PTR ID_TIMER_FULL_REDRAW = 0x1005;
} // namespace

BEGIN_MESSAGE_MAP(CExtControlBar, CControlBar)
    ON_MESSAGE(WM_SETFOCUS, OnSetFocusMsg)
    ON_MESSAGE(WM_SETTEXT, OnSetTextMsg)
    ON_MESSAGE(WM_SIZE, OnSizeMsg)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParentMsg)
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChangeMsg)
    ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChangeMsg)
    ON_MESSAGE(WM_CANCELMODE, OnCancelModeMsg)
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChangedMsg)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMoveMsg)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDownMsg)
    ON_MESSAGE(WM_LBUTTONUP, OnLButtonUpMsg)
    ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClkMsg)
    ON_MESSAGE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClkMsg)
    ON_MESSAGE(WM_NCHITTEST, OnNcHitTestMsg)
    ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDownMsg)
    ON_MESSAGE(WM_NCLBUTTONUP, OnNcLButtonUpMsg)
    ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSizeMsg)
    ON_MESSAGE(WM_NCPAINT, OnNcPaintMsg)
    ON_MESSAGE(WM_SHOWWINDOW, OnShowWindowMsg)
    ON_MESSAGE(WM_RBUTTONUP, OnRButtonUpMsg)
    ON_MESSAGE(WM_CONTEXTMENU, OnContextMenuMsg)
    ON_MESSAGE(WM_NCRBUTTONUP, OnNcRButtonUpMsg)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTestMsg)
END_MESSAGE_MAP()

/////////////////////////////////////////////////////////////////////////////
// Window procedure

LRESULT CExtControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_CREATE:
        if (!IsFixedSize())
        {
            CWnd* pWnd = GetParent();
            while (pWnd != NULL && !pWnd->IsFrameWnd())
                pWnd = pWnd->GetParent();
            CFrameWnd* pFrame = (CFrameWnd*)pWnd;
            if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
                pFrame = pFrame->GetParentFrame();
            if (pFrame != NULL)
            {
                CControlBar* pTop = pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
                if (pTop == NULL || !pTop->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
                    SetupFrameDocking(pFrame, CBRS_ALIGN_ANY, TRUE);
            }
        }
        break;
    case WM_DESTROY:
        m_bClosing = true;
        break;
    case WM_CLOSE:
        {
            // derived bars may handle it in their maps; the bar itself never closes
            LRESULT lResult = 0;
            if (OnWndMsg(message, wParam, lParam, &lResult))
                return lResult;
            return 0;
        }
    case WM_ERASEBKGND:
        if (!m_bEraseBackground)
            return 1;
        CExtPaintManager::ExcludeChildAreas((HDC)wParam, m_hWnd);
        break;
    case WM_WINDOWPOSCHANGING:
        if (IsDocked() || m_pDockBar != NULL)
        {
            WINDOWPOS* pWP = (WINDOWPOS*)lParam;
            if (!(pWP->flags & SWP_NOSIZE) || !(pWP->flags & SWP_NOMOVE))
                pWP->flags |= SWP_FRAMECHANGED;
        }
        break;
    case WM_WINDOWPOSCHANGED:
        {
            LRESULT lResult = CControlBar::WindowProc(message, wParam, lParam);
            if (m_pDockBar != NULL && !m_bClosing)
            {
                WINDOWPOS* pWP = (WINDOWPOS*)lParam;
                if (!IsFixedSize())
                    SyncRowAndContainers();
                if (pWP->flags & SWP_FRAMECHANGED)
                    LayoutNcAreaButtons();
            }
            return lResult;
        }
    case WM_NCDESTROY:
        m_bClosing = true;
        NcButtonsDestroy();
        break;
    case WM_TIMER:
        if (wParam == ID_TIMER_FULL_REDRAW)
        {
            KillTimer(ID_TIMER_FULL_REDRAW);
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN |
                         RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
            return 0;
        }
        break;
    default:
        break;
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}

/////////////////////////////////////////////////////////////////////////////
// Focus, text, size

LRESULT CExtControlBar::OnSetFocusMsg(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    if (!IsFixedSize())
    {
        if (m_pDockBar != NULL && !IsFloating() && IsAtMinimum())
            MaximizeInRow();
        CWnd* pChild = GetWindow(GW_CHILD);
        if (pChild != NULL && pChild->IsWindowVisible() && pChild->IsWindowEnabled())
            pChild->SetFocus();
    }
    return lResult;
}

// A new caption text reaches the floating frame's caption too, and the non-client area
// is measured and painted again.
LRESULT CExtControlBar::OnSetTextMsg(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    if (IsFloating())
    {
        CString strText;
        GetWindowText(strText);
        if (m_pDockBar != NULL && m_pDockBar->m_hWnd != NULL)
            AfxSetWindowText(m_pDockBar->m_hWnd, strText);
        CFrameWnd* pMini = GetParentFrame();
        if (pMini != NULL && pMini->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        {
            AfxSetWindowText(pMini->m_hWnd, strText);
            pMini->DelayRecalcLayout();
            pMini->SendMessage(WM_NCPAINT);
        }
    }
    bool bHorz = false, bCaption = false;
    QueryGripper(&bHorz, &bCaption);
    if (!IsFixedSize() && !IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
        RecalcNcFrame();
    if (bCaption)
        SendMessage(WM_NCPAINT);
    return lResult;
}

LRESULT CExtControlBar::OnSizeMsg(WPARAM, LPARAM lParam)
{
    Default();
    if (m_bUpdatingLayout)
        return 0;
    RepositionChildWindow((short)LOWORD(lParam), (short)HIWORD(lParam), true);
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    {
        LayoutNcAreaButtons();
        pFrame->SendMessage(WM_NCPAINT);
    }
    return 0;
}

LRESULT CExtControlBar::OnSizeParentMsg(WPARAM wParam, LPARAM lParam)
{
    if (!m_bTakesPartInLayout)
        return 0;
    return CControlBar::OnSizeParent(wParam, lParam);
}

LRESULT CExtControlBar::OnSysColorChangeMsg(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    g_CurrentPaintManager.OnSysColorChange(this);
    g_CmdManagerHolder->OnSysColorChange();
    DelayFrameRecalcLayout();
    return lResult;
}

LRESULT CExtControlBar::OnSettingChangeMsg(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = Default();
    g_CurrentPaintManager.OnSettingChange(this, (UINT)wParam, (LPCTSTR)lParam);
    g_CmdManagerHolder->OnSettingChange((UINT)wParam, (LPCTSTR)lParam);
    DelayFrameRecalcLayout();
    return lResult;
}

/////////////////////////////////////////////////////////////////////////////
// Modal states and the mouse

LRESULT CExtControlBar::OnCancelModeMsg(WPARAM, LPARAM)
{
    if (m_bRowResizing)
        StopRowResizing(TRUE);
    else if (m_bColumnResizing)
        StopColumnResizing(TRUE);
    else if (m_bDragging)
        StopDragging(TRUE);
    CExtPopupMenuWnd::CancelTracking();
    CWnd::CancelToolTips();
    if (m_bNcButtonHover)
    {
        m_bNcButtonHover = false;
        PostMessage(WM_NCPAINT);
    }
    return Default();
}

LRESULT CExtControlBar::OnCaptureChangedMsg(WPARAM, LPARAM lParam)
{
    if ((HWND)lParam != m_hWnd)
    {
        if (m_bRowResizing)
            StopRowResizing(TRUE);
        else if (m_bColumnResizing)
            StopColumnResizing(TRUE);
    }
    return Default();
}

// Moves feed the running modal state (row or column resizing, dragging); TRUE when one
// took the move or the cursor is over a caption button.
BOOL CExtControlBar::HandleMouseMove(UINT, CPoint ptClient)
{
    UpdateBarCursor(ptClient);
    if (m_bNcButtonHover)
        return TRUE;
    CPoint ptScreen(ptClient);
    ClientToScreen(&ptScreen);
    if (m_bRowResizing)
    {
        TrackRowResizing(ptScreen);
        return TRUE;
    }
    if (m_bColumnResizing)
    {
        TrackColumnResizing(ptScreen);
        return TRUE;
    }
    if (m_bDragging)
    {
        TrackDragging(ptScreen, (::GetKeyState(VK_CONTROL) & 0x8000) != 0);
        return TRUE;
    }
    return FALSE;
}

LRESULT CExtControlBar::OnMouseMoveMsg(WPARAM wParam, LPARAM lParam)
{
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    if (HandleMouseMove((UINT)wParam, pt))
        return 0;
    return Default();
}

// The cursor for the state and place: sizing arrows while resizing, the fixed-size
// bar's move kind while dragging, the move cursor over a docked caption.
void CExtControlBar::UpdateBarCursor(CPoint ptClient)
{
    if (IsFrameInHelpMode(this))
        return;
    HCURSOR hCursor = NULL;
    HCURSOR hClassCursor = (HCURSOR)::GetClassLongPtrA(m_hWnd, GCLP_HCURSOR);
    if (m_bInPlainWindow)
        hCursor = hClassCursor;
    else if (m_bRowResizing || m_bColumnResizing)
    {
        bool bVert = IsDockedVertically();
        if (m_bColumnResizing)
            hCursor = bVert ? g_hCursorSizeNS : g_hCursorSizeWE;
        else
            hCursor = bVert ? g_hCursorSizeWE : g_hCursorSizeNS;
    }
    else if (m_bDragging)
    {
        if (IsFixedSize())
        {
            int nKind = g_DragStateCurrent.m_nCursorKind;
            hCursor = nKind == 1 ? g_hCursorSizeWE
                                  : (nKind == 2 ? g_hCursorSizeNS : g_hCursorSizeAll);
        }
        else
            hCursor = hClassCursor;
    }
    else if (IsFloating())
        hCursor = hClassCursor;
    else
    {
        CPoint ptScreen(ptClient);
        ClientToScreen(&ptScreen);
        CRect rcWnd;
        GetWindowRect(&rcWnd);
        CPoint ptWnd = ptScreen - rcWnd.TopLeft();
        if (!m_rcCaption.IsRectEmpty() && m_rcCaption.PtInRect(ptWnd))
        {
            for (INT_PTR i = 0; i < m_arrNcButtons.GetSize() && hCursor == NULL; i++)
            {
                if (m_arrNcButtons[i]->IsDisplayed())
                    hCursor = m_arrNcButtons[i]->OnQueryCursor(ptWnd);
            }
            if (hCursor == NULL)
                hCursor = g_hCursorSizeAll;
        }
        else
            hCursor = hClassCursor;
    }
    if (hCursor != NULL && hCursor != ::GetCursor())
        ::SetCursor(hCursor);
    m_hCursorLast = hCursor;
}

// A press in a bar starts its drag once the mouse moves (a fixed-size bar without live
// docking through its dock context); floating, it acts as a press on the frame's caption.
LRESULT CExtControlBar::OnLButtonDownMsg(WPARAM wParam, LPARAM lParam)
{
    if (m_pDockBar == NULL || CExtPopupMenuWnd::IsTrackingActive())
        return Default();
    (void)wParam;
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    ClientToScreen(&pt);
    if (IsFixedSize() && !IsLiveDragDocking())
    {
        if (m_pDockContext != NULL)
            m_pDockContext->StartDrag(pt);
        return 0;
    }
    if (IsFloating())
    {
        CFrameWnd* pMini = GetParentFrame();
        if (pMini != NULL && ExtBarsIsOfClassName(pMini, "CExtMiniDockFrameWnd"))
        {
            pMini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
            return 0;
        }
    }
    if (!IsFixedSize())
        SetFocus();
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    StartDragging(pt, pt - rcWnd.TopLeft(), ::GetSystemMetrics(SM_CXDRAG),
                  ::GetSystemMetrics(SM_CYDRAG));
    return 0;
}

LRESULT CExtControlBar::OnLButtonUpMsg(WPARAM, LPARAM)
{
    if (m_bRowResizing)
        StopRowResizing(FALSE);
    else if (m_bColumnResizing)
        StopColumnResizing(FALSE);
    else if (m_bDragging)
        StopDragging(FALSE);
    else
        return Default();
    return 0;
}

LRESULT CExtControlBar::OnLButtonDblClkMsg(WPARAM, LPARAM)
{
    if (m_pDockBar != NULL)
        ToggleDockedFloating();
    return 0;
}

LRESULT CExtControlBar::OnNcLButtonDblClkMsg(WPARAM wParam, LPARAM)
{
    if (m_pDockBar != NULL && wParam == HTCAPTION)
        ToggleDockedFloating();
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Dragging hooks (the drag loop is in ExtControlBarDrag.cpp)

void CExtControlBar::OnDraggingStarted()
{
    CWnd::CancelToolTips();
    CExtPopupMenuWnd::CancelTracking();
    CWnd* pOwner = GetOwner();
    if (pOwner != NULL)
        pOwner->SendMessage(WM_SETMESSAGESTRING, 30057);
    CExtDynTabControlBar::OnMemberDraggingStarted(this);
}

void CExtControlBar::OnDraggingFinished(InternalDraggingState_t*,
                                        InternalDraggingState_t* pCandidate, BOOL bCancel)
{
    CWnd* pOwner = GetOwner();
    if (pOwner != NULL)
        pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    CExtDynTabControlBar::OnMemberDraggingFinished(this, pCandidate, bCancel != FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// Non-client area

bool CExtControlBar::QueryGripper(bool* pbHorizontalCaption, bool* pbHasCaption)
{
    if (pbHorizontalCaption != NULL)
        *pbHorizontalCaption = false;
    if (pbHasCaption != NULL)
        *pbHasCaption = false;
    if (m_hWnd == NULL || (m_dwStyle & CBRS_GRIPPER) == 0 || IsFloating())
        return false;
    CWnd* pParent = GetParent();
    if (!m_bAutoHidden && pParent != NULL && ExtBarsIsOfClassName(pParent, "CExtDockDynTabBar"))
        return false;
    bool bHorz = m_bCaptionAlwaysHorizontal || IsDockedVertically();
    if (pbHorizontalCaption != NULL)
        *pbHorizontalCaption = bHorz;
    if (pbHasCaption != NULL)
        *pbHasCaption = true;
    return true;
}

// The non-client area: a floating bar's thin border, or a docked bar's resizing strips,
// caption and caption buttons (their rectangles kept in window coordinates).
LRESULT CExtControlBar::OnNcCalcSizeMsg(WPARAM wParam, LPARAM lParam)
{
    RECT* prc = wParam ? &((NCCALCSIZE_PARAMS*)lParam)->rgrc[0] : (RECT*)lParam;
    bool bDocked = m_pDockBar != NULL && !IsFloating();
    if (IsFloating())
    {
        if (!IsFixedSize())
            ::InflateRect(prc, -1, -1);
        if (prc->right < prc->left)
            prc->right = prc->left;
        if (prc->bottom < prc->top)
            prc->bottom = prc->top;
        return 0;
    }
    if (!bDocked && !m_bInPlainWindow)
        return Default();

    CRect rcWnd(*prc);
    CRect rc(*prc);
    bool bLeft = true, bTop = true, bRight = true, bBottom = true;
    GetSplitterEdges(bLeft, bTop, bRight, bBottom);
    m_rcCaption.SetRectEmpty();
    m_rcRowResizer.SetRectEmpty();
    m_rcColumnResizerNext.SetRectEmpty();
    m_rcColumnResizerPrev.SetRectEmpty();
    m_nNcExtraX = m_nSplitterCX;
    m_nNcExtraY = m_nSplitterCY;
    bool bHorzCaption = false, bHasCaption = false;
    QueryGripper(&bHorzCaption, &bHasCaption);

    if (IsFixedSize())
        g_CurrentPaintManager->AdjustBarNcRect(this, &rc);
    else if (bDocked)
        PlaceDockedResizers(rc, bLeft, bTop, bRight, bBottom);

    if (bHasCaption)
        PlaceCaptionRect(rc, bHorzCaption);

    // window coordinates
    CPoint ptOrg = rcWnd.TopLeft();
    CRect* arrRects[4] = { &m_rcCaption, &m_rcRowResizer, &m_rcColumnResizerNext,
                           &m_rcColumnResizerPrev };
    for (CRect* p : arrRects)
    {
        if (!p->IsRectEmpty())
            p->OffsetRect(-ptOrg.x, -ptOrg.y);
    }

    CreateNcAreaButtons();
    LayoutNcAreaButtons();

    if (bHasCaption)
    {
        if (bHorzCaption)
            rc.top += m_nCaptionHeight + 1;
        else
            rc.left += m_nCaptionWidth + 1;
    }
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    *prc = rc;
    return 0;
}

// The resizing strips of a docked resizable bar, taken off rc: the row strip on the side
// towards the view, the column strip after the bar, and one before it when a fixed-size
// bar sits between it and a resizable one.
void CExtControlBar::PlaceDockedResizers(CRect& rc, bool bLeft, bool bTop, bool bRight,
                                         bool bBottom)
{
    const int cx = m_nSplitterCX, cy = m_nSplitterCY;
    bool bLeading = HasLeadingColumnResizer();
    UINT nSide = GetSafeDockBarDlgCtrlID();
    switch (nSide)
    {
    case AFX_IDW_DOCKBAR_TOP:
    case AFX_IDW_DOCKBAR_BOTTOM:
        if (nSide == AFX_IDW_DOCKBAR_TOP ? bBottom : bTop)
        {
            if (nSide == AFX_IDW_DOCKBAR_TOP)
            {
                m_rcRowResizer.SetRect(rc.left, rc.bottom - cy, rc.right, rc.bottom);
                rc.bottom -= cy;
            }
            else
            {
                m_rcRowResizer.SetRect(rc.left, rc.top, rc.right, rc.top + cy);
                rc.top += cy;
            }
        }
        if (bRight)
        {
            m_rcColumnResizerNext.SetRect(rc.right - cx, rc.top, rc.right, rc.bottom);
            rc.right -= cx;
        }
        if (bLeading)
        {
            m_rcColumnResizerPrev.SetRect(rc.left, rc.top, rc.left + cx, rc.bottom);
            rc.left += cx;
        }
        break;
    default:
        if (nSide == AFX_IDW_DOCKBAR_LEFT ? bRight : bLeft)
        {
            if (nSide == AFX_IDW_DOCKBAR_LEFT)
            {
                m_rcRowResizer.SetRect(rc.right - cx, rc.top, rc.right, rc.bottom);
                rc.right -= cx;
            }
            else
            {
                m_rcRowResizer.SetRect(rc.left, rc.top, rc.left + cx, rc.bottom);
                rc.left += cx;
            }
        }
        if (bBottom)
        {
            m_rcColumnResizerNext.SetRect(rc.left, rc.bottom - cy, rc.right, rc.bottom);
            rc.bottom -= cy;
        }
        if (bLeading)
        {
            m_rcColumnResizerPrev.SetRect(rc.left, rc.top, rc.right, rc.top + cy);
            rc.top += cy;
        }
        break;
    }
}

// Whether the visible bar before this one in its row is fixed-size with a resizable one
// before it: the column strip between them then belongs to this bar.
bool CExtControlBar::HasLeadingColumnResizer()
{
    bool bLeading = false;
    CPtrArray& arr = m_pDockBar->m_arrBars;
    int nPos = ExtBarLayout::FindEntry(arr, this);
    int nFirst = 0, nLast = 0;
    if (ExtBarLayout::GetRowBounds(arr, nPos, nFirst, nLast))
    {
        int i = nPos - 1;
        CControlBar* pPrev = NULL;
        for (; i >= nFirst; i--)
        {
            void* p = arr[i];
            if (ExtBarLayout::IsPlaceholder(p) || ((CControlBar*)p)->m_hWnd == NULL)
                continue;
            if (((CControlBar*)p)->IsVisible())
            {
                pPrev = (CControlBar*)p;
                break;
            }
        }
        CExtControlBar* pPrevExt = DYNAMIC_DOWNCAST(CExtControlBar, pPrev);
        if (pPrev != NULL && (pPrevExt == NULL || pPrevExt->IsFixedSize()))
        {
            for (int k = i - 1; k >= nFirst && !bLeading; k--)
            {
                CExtControlBar* pExt = ExtBarLayout::IsPlaceholder(arr[k]) ? NULL
                    : DYNAMIC_DOWNCAST(CExtControlBar, (CObject*)(CControlBar*)arr[k]);
                if (pExt != NULL && pExt->m_hWnd != NULL && !pExt->IsFixedSize() &&
                    pExt->IsVisible())
                    bLeading = true;
            }
        }
    }
    return bLeading;
}

// The caption at the start of rc (along it or across it), counted in the extra
// non-client size.
void CExtControlBar::PlaceCaptionRect(const CRect& rc, bool bHorzCaption)
{
    m_rcCaption = rc;
    if (bHorzCaption)
    {
        m_rcCaption.bottom = std::min((int)rc.bottom, (int)rc.top + m_nCaptionHeight);
        m_nNcExtraY += m_nCaptionHeight;
    }
    else
    {
        m_rcCaption.right = std::min((int)rc.right, (int)rc.left + m_nCaptionWidth);
        m_nNcExtraX += m_nCaptionWidth;
    }
    if (IsFixedSize())
    {
        if (bHorzCaption)
            m_rcCaption.DeflateRect(1, 0);
        else
            m_rcCaption.DeflateRect(0, 1);
    }
}

// The non-client hit code: caption buttons first, the floating frame's border, then the
// resizing strips of a docked resizable bar where they may be used.
LRESULT CExtControlBar::OnNcHitTestMsg(WPARAM, LPARAM lParam)
{
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    CExtBarNcAreaButton* pBtn = NULL;
    UINT nHit = NcButtonsHitTest(pt, &pBtn);
    bool bHover = pBtn != NULL;
    if (bHover != m_bNcButtonHover)
    {
        m_bNcButtonHover = bHover;
        SendMessage(WM_NCPAINT);
    }
    if (pBtn != NULL)
        return nHit;
    if (GetDraggedBar() != NULL)
        return HTNOWHERE;
    // floating, the margin about the content is the frame's border
    UINT nFrameHit = FloatingFrameBorderHit(pt);
    if (nFrameHit != HTNOWHERE)
        return nFrameHit;
    if (IsFixedSize() || IsFloating() || GetDockingFrame() == NULL || m_pDockBar == NULL)
        return HTCLIENT;
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    CPoint ptWnd = pt - rcWnd.TopLeft();
    bool bHorz = IsDockedHorizontally();
    if (m_rcRowResizer.PtInRect(ptWnd))
        return bHorz ? HTBOTTOM : HTRIGHT;
    if (m_rcColumnResizerNext.PtInRect(ptWnd))
    {
        if (!IsLastInRow(true) && IsRowResizable())
            return bHorz ? HTRIGHT : HTBOTTOM;
        return HTCLIENT;
    }
    if (m_rcColumnResizerPrev.PtInRect(ptWnd))
    {
        if (!IsFirstInRow(false) && IsColumnResizable())
            return bHorz ? HTLEFT : HTTOP;
        return HTCLIENT;
    }
    return HTCLIENT;
}

UINT CExtControlBar::FloatingFrameBorderHit(CPoint ptScreen)
{
    if (!IsFloating() || IsFixedSize())
        return HTNOWHERE;
    CFrameWnd* pMini = GetParentFrame();
    if (pMini == NULL || !ExtBarsIsOfClassName(pMini, "CExtMiniDockFrameWnd"))
        return HTNOWHERE;
    UINT nHit = (UINT)pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    return nHit >= HTLEFT && nHit <= HTBOTTOMRIGHT ? nHit : HTNOWHERE;
}

// A press on the non-client area: a caption button shows pushed, a floating border
// resizes the frame, a strip starts resizing and the caption starts the drag.
LRESULT CExtControlBar::OnNcLButtonDownMsg(WPARAM wParam, LPARAM lParam)
{
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    CExtBarNcAreaButton* pBtn = NULL;
    if (NcButtonsHitTest(pt, &pBtn) != HTCLIENT && pBtn != NULL)
    {
        // the button shows pushed; the click comes with the release
        NcButtonsHitTest(pt, NULL);
        return 0;
    }
    UINT nHit = (UINT)wParam;
    if (nHit >= HTLEFT && nHit <= HTBOTTOMRIGHT && FloatingFrameBorderHit(pt) == nHit)
    {
        // the floating frame resizes itself
        GetParentFrame()->SendMessage(WM_NCLBUTTONDOWN, nHit, lParam);
        return 0;
    }
    if (IsFixedSize() || IsFloating() || m_pDockBar == NULL)
        return Default();
    if (nHit != HTLEFT && nHit != HTBOTTOM && !IsAtMinimum())
        SetFocus();
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    CPoint ptWnd = pt - rcWnd.TopLeft();
    m_ptResizeStart = pt;
    if (m_rcRowResizer.PtInRect(ptWnd))
    {
        StartRowResizing();
        return 0;
    }
    if (m_rcColumnResizerNext.PtInRect(ptWnd))
    {
        m_bResizingLeadingStrip = false;
        if (IsRowResizable())
            StartColumnResizing();
        return 0;
    }
    if (m_rcColumnResizerPrev.PtInRect(ptWnd))
    {
        if (IsColumnResizable())
        {
            m_bResizingLeadingStrip = true;
            StartColumnResizing();
        }
        return 0;
    }
    if (nHit == HTCAPTION || (!m_rcCaption.IsRectEmpty() && m_rcCaption.PtInRect(ptWnd)))
        StartDragging(pt, CPoint(0, 0), ::GetSystemMetrics(SM_CXDRAG),
                      ::GetSystemMetrics(SM_CYDRAG));
    return 0;
}

// The release clicks the caption button under it, or ends a running row or column
// resize.
LRESULT CExtControlBar::OnNcLButtonUpMsg(WPARAM, LPARAM lParam)
{
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    if (m_bNcButtonHover)
    {
        CWnd* pHost = NULL;
        CRect rcCaption;
        bool bHorz = true;
        GetCaptionInfo(pHost, rcCaption, bHorz);
        CPoint ptWnd(pt);
        if (pHost != NULL)
        {
            CRect rcHost;
            pHost->GetWindowRect(&rcHost);
            ptWnd -= rcHost.TopLeft();
        }
        for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
        {
            CExtBarNcAreaButton* pBtn = m_arrNcButtons[i];
            if (pBtn->IsDisplayed() && pBtn->OnClick(ptWnd))
            {
                m_bNcButtonHover = false;
                if (m_hWnd != NULL)
                    SendMessage(WM_NCPAINT);
                return 0;
            }
        }
        return 0;
    }
    if (m_bRowResizing)
        StopRowResizing(FALSE);
    else if (m_bColumnResizing)
        StopColumnResizing(FALSE);
    else if (!m_bDragging)
        return Default();
    return 0;
}

// Paints a docked bar's frame, strips, caption and caption buttons through the paint
// manager, off screen; floating bars leave it to their frame.
LRESULT CExtControlBar::OnNcPaintMsg(WPARAM, LPARAM)
{
    if (m_pDockBar == NULL || IsFloating())
        return Default();
    CWindowDC dcWnd(this);
    CRect rcWnd, rcClient;
    GetWindowRect(&rcWnd);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWnd.left, -rcWnd.top);
    rcWnd.OffsetRect(-rcWnd.left, -rcWnd.top);
    dcWnd.ExcludeClipRect(&rcClient);
    {
        CExtMemoryDC dcMem(&dcWnd, &rcWnd, 3);
        CDC& dc = dcMem.IsMemDC() ? (CDC&)dcMem : (CDC&)dcWnd;
        CExtPaintManager* pPM = g_CurrentPaintManager.GetPaintManager();
        if (!(pPM->WantsParentBackground(this) && pPM->DrawParentBackground(false, dc, this)))
            dc.FillSolidRect(&rcWnd, pPM->GetColor(CExtPaintManager::LC_FACE_NORMAL, this));
        CExtPaintManager::BarFrameArgs_t bfa(this, rcWnd, rcClient, false, !IsFixedSize(),
                                             IsFixedSize());
        pPM->DrawBarFrame(dc, bfa);

        bool bHorzCaption = false, bHasCaption = false;
        QueryGripper(&bHorzCaption, &bHasCaption);
        if (bHasCaption && !IsFloating() && !m_rcCaption.IsRectEmpty())
        {
            CRect rcGrip(m_rcCaption);
            CRect rcText(rcGrip);
            if (!bHorzCaption || !IsDockedHorizontally())
            {
                if (bHorzCaption)
                    rcText.DeflateRect(2, 0);
                else
                    rcText.DeflateRect(0, 2);
            }
            else
            {
                rcText.DeflateRect(0, 2);
                rcText.OffsetRect(-2, 0);
            }
            ExcludeNcButtonsFromCaption(rcText);
            CString strCaption;
            GetBarCaptionText(strCaption);
            int nSaved = dc.SaveDC();
            dc.IntersectClipRect(&rcGrip);
            CExtPaintManager::BarCaptionArgs_t bca(this, rcGrip, rcText, m_bActive, false,
                                                   !bHorzCaption, !IsFixedSize(),
                                                   strCaption);
            pPM->DrawBarCaption(dc, bca);
            dc.RestoreDC(nSaved);
            nSaved = dc.SaveDC();
            dc.IntersectClipRect(&rcGrip);
            PaintNcAreaButtons(dc);
            dc.RestoreDC(nSaved);
        }
    }
    g_CurrentPaintManager->OnPaintSessionComplete(this);
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Showing, hiding and the row upkeep

LRESULT CExtControlBar::OnShowWindowMsg(WPARAM, LPARAM lParam)
{
    LRESULT lResult = Default();
    if (lParam == 0)
        SyncRowAndContainers();
    return lResult;
}

// After the bar shows or hides: its row length comes back, its container shows or hides
// with it, and a floating frame lays out; not while a docking operation runs.
void CExtControlBar::SyncRowAndContainers()
{
    // a docking operation that moves the bar hides and shows it on the way: no upkeep then
    if (m_bSyncingRow || m_bAutoHidden || m_bUpdatingLayout || m_hWnd == NULL)
        return;
    if (m_bRowResizing || m_bColumnResizing)
        return;
    CExtControlBar* pDragged = GetDraggedBar();
    if (pDragged != NULL && pDragged->IsFixedSize())
        return;
    if (IsFixedSize() || IsFixedDragMode() || m_pDockSite == NULL || m_pDockBar == NULL)
        return;
    if (IsFrameInPrintPreview())
        return;
    m_bSyncingRow = true;
    RestoreRowPlace();
    CExtDockDynBar* pDyn = DYNAMIC_DOWNCAST(CExtDockDynBar, m_pDockBar);
    if (pDyn != NULL)
    {
        CExtDynControlBar* pContainer = pDyn->GetContainer();
        if (pContainer != NULL && pContainer->m_hWnd != NULL && pContainer->m_pDockSite != NULL)
        {
            bool bVisible = IsVisible() != FALSE;
            if (bVisible && !pContainer->IsVisible())
                pContainer->m_pDockSite->ShowControlBar(pContainer, TRUE, TRUE);
            else if (!bVisible && pDyn->GetDockedVisibleCount() == 0 && pContainer->IsVisible())
                pContainer->m_pDockSite->ShowControlBar(pContainer, FALSE, TRUE);
        }
    }
    CExtDynControlBar* pSelfContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, this);
    if (pSelfContainer != NULL && !IsVisible() && pSelfContainer->m_pWndDynDockBar != NULL)
    {
        CPtrArray& arr = pSelfContainer->m_pWndDynDockBar->m_arrBars;
        for (INT_PTR i = 0; i < arr.GetSize(); i++)
        {
            if (arr[i] == NULL || ExtBarLayout::IsPlaceholder(arr[i]))
                continue;
            CExtDynControlBar* pInner = DYNAMIC_DOWNCAST(CExtDynControlBar,
                                                          (CObject*)(CControlBar*)arr[i]);
            if (pInner != NULL && pInner->m_hWnd != NULL && m_pDockSite != NULL)
                m_pDockSite->ShowControlBar(pInner, FALSE, TRUE);
        }
    }
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pParentFrame->RecalcLayout();
    m_bSyncingRow = false;
}

// Shows the bar and gives it the focus, its floating frame on top; with bToggle a shown
// bar hides instead (fixed-drag bars always toggle).
void CExtControlBar::BringBarToFront(BOOL bToggle)
{
    if (m_hWnd == NULL)
        return;
    CFrameWnd* pSite = m_pDockSite;
    if (IsFixedDragMode() || (bToggle && IsWindowVisible()))
    {
        if (pSite != NULL)
            pSite->ShowControlBar(this, !IsWindowVisible(), FALSE);
        return;
    }
    if (!IsWindowVisible() && pSite != NULL)
        pSite->ShowControlBar(this, TRUE, FALSE);
    CFrameWnd* pParentFrame = GetParentFrame();
    if (IsFloating() && pParentFrame != NULL &&
        ExtBarsIsOfClassName(pParentFrame, "CExtMiniDockFrameWnd"))
    {
        SyncRowAndContainers();
        pParentFrame->RecalcLayout();
    }
    if (pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pParentFrame->BringWindowToTop();
    SetFocus();
}

/////////////////////////////////////////////////////////////////////////////
// Context menus and help

LRESULT CExtControlBar::OnRButtonUpMsg(WPARAM, LPARAM)
{
    DoContextMenu(POPUP_MENU_EVENT_DATA::KIND_BAR_CONTEXT, WM_RBUTTONUP, CPoint(-1, -1));
    return 0;
}

LRESULT CExtControlBar::OnContextMenuMsg(WPARAM, LPARAM lParam)
{
    // only the keyboard sentinel (-1, -1) asks for the cursor position
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    if (lParam == (LPARAM)-1 || (pt.x == -1 && pt.y == -1))
        pt = CPoint(-1, -1);
    DoContextMenu(POPUP_MENU_EVENT_DATA::KIND_BAR_CONTEXT, WM_CONTEXTMENU, pt);
    return 0;
}

LRESULT CExtControlBar::OnNcRButtonUpMsg(WPARAM, LPARAM)
{
    DoContextMenu(POPUP_MENU_EVENT_DATA::KIND_BAR_NC_CONTEXT, WM_NCRBUTTONUP, CPoint(-1, -1));
    return 0;
}

LRESULT CExtControlBar::OnHelpHitTestMsg(WPARAM wParam, LPARAM lParam)
{
    if (::GetCapture() == m_hWnd)
        SendMessage(WM_CANCELMODE);
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    int n = HelpHitTest(pt);
    if (n == -3)
        return 0;
    if (n == -2)
        return -1;
    if (n == -1)
        return CControlBar::OnHelpHitTest(wParam, lParam);
    return 0x10000 + n;
}
