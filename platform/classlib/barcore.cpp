// barcore.cpp - CControlBar: borders and gripper, layout through WM_SIZEPARENT,
// delayed show and hide, idle updates, owner notifications, dragging; and the
// CWnd helpers of bars (UpdateDialogControls, PreTranslateInput).

#include "afxwnd.h"
#include <algorithm>

namespace
{

const int CX_BORDER2 = 2;           // thickness of a CBRS_BORDER_* line pair
const int CX_GRIPPER = 3;           // gripper bar
const int CX_BORDER_GRIPPER = 2;    // room on each side of the gripper
const UINT_PTR ID_TIMER_FLYBY = 0xE000;  // the status prompt follows the mouse

} // namespace

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

CControlBar::CControlBar()
{
    m_dwStyle = 0;
    m_dwDockStyle = 0;
    m_pDockSite = NULL;
    m_pDockBar = NULL;
    m_pDockContext = NULL;
    m_bAutoDelete = FALSE;
    m_cxLeftBorder = m_cxRightBorder = 6;
    m_cyTopBorder = m_cyBottomBorder = 1;
    m_cxDefaultGap = 2;
    m_cyDefaultGap = 2;
    m_nMRUWidth = 32767;
    m_nStateFlags = 0;
    m_nCount = 0;
    m_pData = NULL;
    m_nFlyByHit = -1;
}

CControlBar::~CControlBar()
{
    // a bar whose window outlives it leaves its places now (the window goes quietly)
    if (m_hWnd != NULL)
        DetachFromSite();
    delete m_pDockContext;
    m_pDockContext = NULL;
    free(m_pData);
    m_pData = NULL;
}

void CControlBar::DetachFromSite()
{
    if (m_pDockBar != NULL)
    {
        int nPos = m_pDockBar->FindBar(this);
        if (nPos > 0)
            m_pDockBar->RemoveEntry(nPos);
        m_pDockBar = NULL;
    }
    if (m_pDockSite != NULL)
        m_pDockSite->RemoveControlBar(this);
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxGetControlBarClassName();
    return CWnd::PreCreateWindow(cs);
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CControlBar::DestroyWindow()
{
    // a floating bar goes with its frame
    if (m_hWnd != NULL && IsFloating() && !IsDockBar())
    {
        CFrameWnd* pFrame = GetDockingFrame();
        if (pFrame != NULL && pFrame != m_pDockSite)
            return pFrame->DestroyWindow();
    }
    return CWnd::DestroyWindow();
}

BOOL CControlBar::AllocElements(int nElements, int cbElement)
{
    free(m_pData);
    m_pData = NULL;
    m_nCount = 0;
    if (nElements > 0)
    {
        m_pData = calloc((size_t)nElements, (size_t)cbElement);
        if (m_pData == NULL)
            return FALSE;
    }
    m_nCount = nElements;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Attributes

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle == dwStyle)
        return;
    DWORD dwOldStyle = m_dwStyle;
    m_dwStyle = dwStyle;
    OnBarStyleChange(dwOldStyle, dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    // borders, gripper and orientation change the non-client area
    if (m_hWnd != NULL && ((dwOldStyle ^ dwNewStyle) & CBRS_TOOLTIPS) != 0)
        EnableToolTips((dwNewStyle & CBRS_TOOLTIPS) != 0);
    const DWORD dwFrameBits = CBRS_BORDER_ANY | CBRS_ALIGN_ANY | CBRS_GRIPPER | CBRS_FLOATING;
    if (m_hWnd != NULL && ((dwOldStyle ^ dwNewStyle) & dwFrameBits) != 0)
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     SWP_FRAMECHANGED);
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CControlBar::SetBorders(LPCRECT lpRect)
{
    SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

CRect CControlBar::GetBorders() const
{
    return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL)
        pFrame = m_pDockSite;
    return pFrame;
}

BOOL CControlBar::IsDockBar() const
{
    return FALSE;
}

BOOL CControlBar::IsFloating() const
{
    if (IsDockBar())
        return ((const CDockBar*)this)->m_bFloating;
    return m_pDockBar != NULL && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsVisible() const
{
    // hidden by the print preview
    if (m_nStateFlags & tempHide)
        return FALSE;
    if (m_nStateFlags & delayHide)
        return FALSE;
    if ((m_nStateFlags & delayShow) != 0 || (GetStyle() & WS_VISIBLE) != 0)
        return TRUE;
    return FALSE;
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (m_pDockContext == NULL)
        m_pDockContext = new CDockContext(this);
    // commands and notifications of a bar that moves around go to its frame
    if (m_hWndOwner == NULL && m_hWnd != NULL)
        m_hWndOwner = ::GetParent(m_hWnd);
}

/////////////////////////////////////////////////////////////////////////////
// Layout

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size;
    size.cx = (bStretch && bHorz) ? 32767 : 0;
    size.cy = (bStretch && !bHorz) ? 32767 : 0;
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

// Shrinks a bar's rectangle by its borders and gripper, turned for a vertical bar.
void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    DWORD dwStyle = m_dwStyle;
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += CX_BORDER2;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += CX_BORDER2;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= CX_BORDER2;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= CX_BORDER2;

    // a vertical bar turns its borders with it
    const int nGripper = CX_GRIPPER + 2 * CX_BORDER_GRIPPER;
    BOOL bGripper = (dwStyle & CBRS_GRIPPER) != 0 && (dwStyle & CBRS_FLOATING) == 0;
    if (bHorz)
    {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
        if (bGripper)
            rect.left += nGripper;
    }
    else
    {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
        if (bGripper)
            rect.top += nGripper;
    }
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    // a bar hidden by the print preview is shown underneath
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0 || (m_nStateFlags & tempHide) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

// Applies a show or hide that waited for the layout, and says whether the bar is visible.
DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    DWORD dwStyle = (m_dwStyle & CBRS_ALL) | (GetStyle() & WS_VISIBLE);
    // the print preview keeps the bar hidden; a pending show or hide waits for its end
    if (m_nStateFlags & tempHide)
        return dwStyle & ~WS_VISIBLE;
    if ((m_nStateFlags & (delayHide | delayShow)) == 0)
        return dwStyle;
    BOOL bShow = (m_nStateFlags & delayShow) != 0;
    if (bShow)
        dwStyle |= WS_VISIBLE;
    else
        dwStyle &= ~WS_VISIBLE;
    if (lpLayout == NULL || lpLayout->hDWP != NULL)
    {
        // the layout places windows: the show or hide happens now
        m_nStateFlags &= ~(delayHide | delayShow);
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
    return dwStyle;
}

// Takes the bar's room from the frame's client area during the frame's layout.
LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    DWORD dwStyle = RecalcDelayShow(lpLayout);
    if ((dwStyle & WS_VISIBLE) == 0 || (dwStyle & CBRS_ALIGN_ANY) == 0)
        return 0;

    CRect rect(lpLayout->rect);
    CSize sizeAvail(std::max(0, (int)rect.Width()), std::max(0, (int)rect.Height()));

    DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else if (dwStyle & CBRS_ORIENT_HORZ)
        dwMode |= LM_HORZ | LM_HORZDOCK;
    else
        dwMode |= LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, dwMode);
    size.cx = std::max(0, std::min((int)size.cx, (int)sizeAvail.cx));
    size.cy = std::max(0, std::min((int)size.cy, (int)sizeAvail.cy));

    if (dwStyle & CBRS_ORIENT_HORZ)
    {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
        if (dwStyle & CBRS_ALIGN_TOP)
        {
            lpLayout->rect.top += size.cy;
        }
        else
        {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    }
    else
    {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
        if (dwStyle & CBRS_ALIGN_LEFT)
        {
            lpLayout->rect.left += size.cx;
        }
        else
        {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (lpLayout->hDWP != NULL)
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Window messages

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // a bar made in a frame is laid out by it
    CWnd* pParent = GetParent();
    if (pParent != NULL && pParent->IsFrameWnd())
    {
        m_pDockSite = (CFrameWnd*)pParent;
        m_pDockSite->AddControlBar(this);
    }
    if (m_dwStyle & CBRS_TOOLTIPS)
        EnableToolTips(TRUE);
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_nFlyByHit != -1)
        KillTimer(ID_TIMER_FLYBY);
    CancelToolTips();
    DetachFromSite();
    CWnd::OnDestroy();
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CControlBar::DoPaint(CDC*)
{
    // the class brush fills the client area; the borders are non-client
}

// Leaves room for the borders and gripper around the client area.
void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || (m_dwStyle & CBRS_FLOATING) != 0);
    RECT& rc = lpncsp->rgrc[0];
    rc.left += rect.left;
    rc.top += rect.top;
    rc.right += rect.right;
    rc.bottom += rect.bottom;
    // never inverted
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
}

void CControlBar::OnNcPaint()
{
    EraseNonClient();
}

// Paints the bar's non-client frame: background, borders and gripper.
void CControlBar::EraseNonClient()
{
    CWindowDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    ScreenToClient(rectWindow);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(rectClient);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.FillSolidRect(rectWindow, ::GetSysColor(COLOR_BTNFACE));
    DrawBorders(&dc, rectWindow);
    DrawGripper(&dc, rectWindow);
}

// Draws the etched borders the style asks for and shrinks the rectangle by them.
void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    DWORD dwStyle = m_dwStyle;
    if ((dwStyle & CBRS_BORDER_ANY) == 0)
        return;
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    CRect rc(rect);
    // an etched line pair on each side with a border
    if (dwStyle & CBRS_BORDER_TOP)
    {
        pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, clrShadow);
        pDC->FillSolidRect(rc.left, rc.top + 1, rc.Width(), 1, clrHilite);
        rect.top += CX_BORDER2;
    }
    if (dwStyle & CBRS_BORDER_BOTTOM)
    {
        pDC->FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, clrShadow);
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrHilite);
        rect.bottom -= CX_BORDER2;
    }
    if (dwStyle & CBRS_BORDER_LEFT)
    {
        pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), clrShadow);
        pDC->FillSolidRect(rc.left + 1, rc.top, 1, rc.Height(), clrHilite);
        rect.left += CX_BORDER2;
    }
    if (dwStyle & CBRS_BORDER_RIGHT)
    {
        pDC->FillSolidRect(rc.right - 2, rc.top, 1, rc.Height(), clrShadow);
        pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrHilite);
        rect.right -= CX_BORDER2;
    }
}

// Draws the gripper of a docked bar, along the edge its orientation calls for.
void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (m_dwStyle & CBRS_ORIENT_HORZ)
    {
        // a raised bar along the left edge
        pDC->Draw3dRect(rect.left + CX_BORDER_GRIPPER, rect.top + m_cyTopBorder, CX_GRIPPER,
                        rect.Height() - m_cyTopBorder - m_cyBottomBorder, clrHilite, clrShadow);
    }
    else
    {
        // a raised bar along the top edge
        pDC->Draw3dRect(rect.left + m_cyTopBorder, rect.top + CX_BORDER_GRIPPER,
                        rect.Width() - m_cyTopBorder - m_cyBottomBorder, CX_GRIPPER,
                        clrHilite, clrShadow);
    }
}

UINT CControlBar::OnNcHitTest(CPoint)
{
    // borders and gripper answer like the client area: a press there drags the bar
    return HTCLIENT;
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // a press beside the items starts a drag
    if (m_pDockContext != NULL && OnToolHitTest(point, NULL) == -1)
    {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockContext != NULL && OnToolHitTest(point, NULL) == -1)
    {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    INT_PTR nID = OnToolHitTest(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)), NULL);
    if (nID != -1)
        return HID_BASE_COMMAND + nID;
    nID = GetDlgCtrlID();
    return nID != 0 ? HID_BASE_CONTROL + nID : 0;
}

/////////////////////////////////////////////////////////////////////////////
// Idle updates

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    // only a bar that shows, in a dock bar that shows
    if ((GetStyle() & WS_VISIBLE) == 0)
        return 0;
    if (m_pDockBar != NULL && (m_pDockBar->GetStyle() & WS_VISIBLE) == 0)
        return 0;
    CFrameWnd* pTarget = NULL;
    CWnd* pOwner = GetOwner();
    if (pOwner != NULL && pOwner->IsFrameWnd())
        pTarget = (CFrameWnd*)pOwner;
    else if (m_pDockSite != NULL)
        pTarget = m_pDockSite;
    else
        pTarget = GetParentFrame();
    if (pTarget != NULL)
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Messages of the bar's controls and the status prompts

LRESULT CControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        {
            // the bar (and the control by reflection) first, then the owner
            LRESULT lResult = 0;
            if (OnWndMsg(nMsg, wParam, lParam, &lResult))
                return lResult;
            CWnd* pOwner = GetOwner();
            if (pOwner != NULL && pOwner->m_hWnd != m_hWnd)
                return pOwner->SendMessage(nMsg, wParam, lParam);
            return DefWindowProc(nMsg, wParam, lParam);
        }
    default:
        break;
    }
    return CWnd::WindowProc(nMsg, wParam, lParam);
}

// Fly-by prompts, then the owning frames' accelerators before the bar's own dialog keys.
BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;

    UINT nMsg = pMsg->message;
    if ((m_dwStyle & CBRS_FLYBY) && nMsg == WM_MOUSEMOVE && pMsg->hwnd == m_hWnd)
    {
        // the status bar shows the prompt of the item under the mouse
        CPoint point((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        INT_PTR nHit = OnToolHitTest(point, NULL);
        if (nHit != m_nFlyByHit)
        {
            SetStatusText(nHit);
            if (m_nFlyByHit == -1)
                SetTimer(ID_TIMER_FLYBY, 200);
            m_nFlyByHit = nHit;
        }
    }

    // no dialog keys in context-help mode
    CFrameWnd* pFrame = GetTopLevelFrame();
    if (pFrame != NULL && pFrame->m_bHelpMode)
        return FALSE;

    // the frames' accelerators come before the dialog keys of the bar's controls
    for (CWnd* pOwner = GetOwner(); pOwner != NULL; pOwner = pOwner->GetParentFrame())
    {
        if (pOwner->m_hWnd == m_hWnd)
            break;
        if (pOwner->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return PreTranslateInput(pMsg);
}

// Notices that the mouse has left the bar and puts the idle prompt back.
void CControlBar::OnTimer(UINT nIDEvent)
{
    if (nIDEvent != ID_TIMER_FLYBY)
    {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    // the mouse left the bar: the idle prompt comes back
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rect;
    GetWindowRect(rect);
    if (!rect.PtInRect(pt) || !IsWindowVisible())
    {
        KillTimer(ID_TIMER_FLYBY);
        SetStatusText(-1);
        m_nFlyByHit = -1;
    }
}

// Shows the prompt of a command in the status bar, or the idle text again for -1.
BOOL CControlBar::SetStatusText(INT_PTR nHit)
{
    CWnd* pOwner = GetOwner();
    if (pOwner == NULL)
        return FALSE;
    if (nHit == -1)
    {
        if (m_nStateFlags & statusSet)
        {
            pOwner->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
            m_nStateFlags &= ~statusSet;
        }
        return TRUE;
    }
    pOwner->SendMessage(WM_SETMESSAGESTRING, (WPARAM)nHit);
    m_nStateFlags |= statusSet;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CWnd helpers of bars and dialogs

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    CWnd wndTemp;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        state.m_nID = (UINT)(WORD)::GetDlgCtrlID(hWndChild);
        if (state.m_nID == 0 || state.m_nID == 0xFFFF)
            continue;   // no id, or a static
        CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
        if (pChild == NULL)
        {
            wndTemp.m_hWnd = hWndChild;     // borrowed for the update only
            pChild = &wndTemp;
        }
        state.m_pOther = pChild;
        // only push buttons are disabled for lack of a handler
        BOOL bDisable = bDisableIfNoHndler;
        if (bDisable)
        {
            UINT nCode = (UINT)::SendMessageA(hWndChild, WM_GETDLGCODE, 0, 0);
            bDisable = (nCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
        }
        state.DoUpdate(pTarget, bDisable);
    }
    wndTemp.m_hWnd = NULL;
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    if ((lpMsg->message < WM_KEYFIRST || lpMsg->message > WM_KEYLAST) &&
        (lpMsg->message < WM_MOUSEFIRST || lpMsg->message > WM_MOUSELAST))
        return FALSE;
    if (lpMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, lpMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, lpMsg);
}
