// ExtMiniDockFrameWnd.cpp - the floating frame of the framework's bars: its own border and
// caption, the hit test, moving by the bar's drag, the resizing loop and keeping the
// caption on the screen.

#include "ExtMiniDockFrameWnd.h"
#include "ExtDockBar.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "uiframework/foundation/ExtMemoryDC.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtMiniDockFrameWnd, CMiniDockFrameWnd)

namespace
{

const UINT ID_TIMER_LAYOUT_BUTTONS = 1;
const UINT ID_TIMER_CLOSE_HOT = 2;
const UINT ID_TIMER_BTN_HOVER = 4;
bool s_bInResizeStep = false;
bool s_bInCaptionCorrection = false;

int FrameCX() { return ::GetSystemMetrics(SM_CXFRAME); }
int FrameCY() { return ::GetSystemMetrics(SM_CYFRAME); }
int CaptionCY() { return ::GetSystemMetrics(SM_CYSMCAPTION); }

CRect WorkAreaOf(const CRect& rc)
{
    CExtPaintManager::MonitorInfo_t mi;
    CExtPaintManager::GetMonitorInfoByRect(mi, rc);
    return mi.m_rcWorkArea;
}

} // namespace

const DWORD CExtMiniDockFrameWnd::g_dwRemovedStyles = WS_CAPTION | WS_THICKFRAME | MFS_4THICKFRAME;
const DWORD CExtMiniDockFrameWnd::g_dwRemovedExStyles =
    WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;

CExtMiniDockFrameWnd::CExtMiniDockFrameWnd()
    : m_rcBtnClose(0, 0, 0, 0), m_bBtnHot(false), m_bBtnPressed(false), m_rcCaption(0, 0, 0, 0),
      m_ptResizeLast(-1, -1), m_nResizingHT(0), m_rcResizeStart(0, 0, 0, 0),
      m_ptResizePress(0, 0)
{
}

CExtMiniDockFrameWnd::~CExtMiniDockFrameWnd()
{
}

BOOL CExtMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    if (!CMiniDockFrameWnd::Create(pParent, dwBarStyle))
        return FALSE;
    ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    m_wndDockBar.ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    RemoveSystemFrame(false);
    SetTimer(ID_TIMER_LAYOUT_BUTTONS, 1, NULL);
    EnableToolTips(TRUE);
    return TRUE;
}

// Tool tips of the bar's caption buttons, asked of the bar in its own coordinates; none
// while no button shows.
INT_PTR CExtMiniDockFrameWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    CExtMiniDockFrameWnd* pThis = const_cast<CExtMiniDockFrameWnd*>(this);
    CExtControlBar* pBar = pThis->GetExtBar();
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return -1;
    bool bShown = false;
    for (INT_PTR i = 0; i < pBar->m_arrNcButtons.GetSize() && !bShown; i++)
        bShown = pBar->m_arrNcButtons[i]->IsDisplayed();
    if (!bShown)
        return -1;
    CPoint pt(point);
    ClientToScreen(&pt);
    pBar->ScreenToClient(&pt);
    return pBar->OnToolHitTest(pt, pTI);
}

// Drops the system caption and sizing frame styles (the frame draws its own), with a
// frame change only when one was set.
void CExtMiniDockFrameWnd::RemoveSystemFrame(bool bRedraw)
{
    if (m_hWnd == NULL)
        return;
    DWORD dwStyle = (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE);
    DWORD dwExStyle = (DWORD)::GetWindowLongA(m_hWnd, GWL_EXSTYLE);
    if ((dwStyle & g_dwRemovedStyles) == 0 && (dwExStyle & g_dwRemovedExStyles) == 0)
        return;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, (LONG)(dwStyle & ~g_dwRemovedStyles));
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, (LONG)(dwExStyle & ~g_dwRemovedExStyles));
    UINT nFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    if (!bRedraw)
        nFlags |= SWP_NOREDRAW;
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, nFlags);
}

void CExtMiniDockFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT)
{
    lpClientRect->left -= FrameCX();
    lpClientRect->right += FrameCX();
    lpClientRect->top -= FrameCY() + CaptionCY();
    lpClientRect->bottom += FrameCY();
}

CControlBar* CExtMiniDockFrameWnd::GetBar()
{
    if (m_hWnd == NULL || m_wndDockBar.m_hWnd == NULL)
        return NULL;
    for (INT_PTR i = 0; i < m_wndDockBar.m_arrBars.GetSize(); i++)
    {
        void* p = m_wndDockBar.m_arrBars[i];
        if (p == NULL || (UINT_PTR)p < 0x10000)
            continue;
        return (CControlBar*)p;
    }
    return NULL;
}

CExtControlBar* CExtMiniDockFrameWnd::GetExtBar()
{
    return DYNAMIC_DOWNCAST(CExtControlBar, GetBar());
}

void CExtMiniDockFrameWnd::RecalcCaptionRects()
{
    if (m_hWnd == NULL)
        return;
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    m_rcCaption.SetRect(FrameCX(), FrameCY(), rcWnd.Width() - FrameCX(), FrameCY() + CaptionCY());
    if (m_rcCaption.right < m_rcCaption.left)
        m_rcCaption.right = m_rcCaption.left;
    int nBtn = ::GetSystemMetrics(SM_CXSMSIZE);
    m_rcBtnClose.SetRect(m_rcCaption.right - nBtn, m_rcCaption.top + 2, m_rcCaption.right - 3,
                         m_rcCaption.bottom - 2);
}

// The visible border of the frame: its own frame and, around the content of a resizable
// bar, the bar's edge and the margin it leaves about its child window (window rectangle
// less the border on each side; the top border is the frame's, the caption lies below it).
CRect CExtMiniDockFrameWnd::BorderWidths()
{
    CRect rcBorder(FrameCX(), FrameCY(), FrameCX(), FrameCY());
    CExtControlBar* pBar = GetExtBar();
    if (pBar == NULL || pBar->m_hWnd == NULL || pBar->IsFixedSize() || !pBar->IsWindowVisible())
        return rcBorder;
    CRect rcWnd, rcContent;
    GetWindowRect(&rcWnd);
    CWnd* pChild = pBar->GetWindow(GW_CHILD);
    if (pChild != NULL && pChild->IsWindowVisible())
        pChild->GetWindowRect(&rcContent);
    else
    {
        pBar->GetClientRect(&rcContent);
        pBar->ClientToScreen(&rcContent);
    }
    // a border never takes more than a quarter of the frame
    const int nMaxX = std::max((int)FrameCX(), rcWnd.Width() / 4);
    const int nMaxY = std::max((int)FrameCY(), rcWnd.Height() / 4);
    rcBorder.left = std::min(nMaxX, std::max((int)rcBorder.left, (int)(rcContent.left - rcWnd.left)));
    rcBorder.right = std::min(nMaxX, std::max((int)rcBorder.right, (int)(rcWnd.right - rcContent.right)));
    rcBorder.bottom = std::min(nMaxY, std::max((int)rcBorder.bottom, (int)(rcWnd.bottom - rcContent.bottom)));
    return rcBorder;
}

// The hit code of a screen point: edges, corners and caption of the drawn frame, the
// bar's caption buttons first; a fixed-size bar's corners answer one edge only.
UINT CExtMiniDockFrameWnd::HitTestAt(CPoint pt)
{
    if (m_hWnd == NULL)
        return HTNOWHERE;
    CRect rc;
    GetWindowRect(&rc);
    if (!rc.PtInRect(pt))
        return HTNOWHERE;
    const CRect rcBorder = BorderWidths();
    int cy = FrameCY(), cap = CaptionCY();
    UINT nHit = HTCLIENT;
    if (pt.y < rc.top + rcBorder.top)
    {
        nHit = HTTOP;
        if (pt.x < rc.left + cap)
            nHit = HTTOPLEFT;
        else if (pt.x >= rc.right - cy)
            nHit = HTTOPRIGHT;
    }
    else if (pt.y >= rc.bottom - rcBorder.bottom)
    {
        nHit = HTBOTTOM;
        if (pt.x < rc.left + std::max(cap, (int)rcBorder.left))
            nHit = HTBOTTOMLEFT;
        else if (pt.x >= rc.right - std::max(cy, (int)rcBorder.right))
            nHit = HTBOTTOMRIGHT;
    }
    else if (pt.x < rc.left + rcBorder.left)
    {
        nHit = HTLEFT;
        if (pt.y < rc.top + cap)
            nHit = HTTOPLEFT;
        else if (pt.y >= rc.bottom - std::max(cap, (int)rcBorder.bottom))
            nHit = HTBOTTOMLEFT;
    }
    else if (pt.x >= rc.right - rcBorder.right)
    {
        nHit = HTRIGHT;
        if (pt.y < rc.top + cap)
            nHit = HTTOPRIGHT;
        else if (pt.y >= rc.bottom - std::max(cap, (int)rcBorder.bottom))
            nHit = HTBOTTOMRIGHT;
    }
    else if (pt.y < rc.top + cy + cap)
        nHit = HTCAPTION;

    CExtControlBar* pBar = GetExtBar();
    if (pBar != NULL)
    {
        CExtBarNcAreaButton* pBtn = NULL;
        UINT nBtnHit = pBar->NcButtonsHitTest(pt, &pBtn);
        if (pBtn != NULL && nBtnHit != HTCLIENT)
        {
            pBar->m_bNcButtonHover = true;
            SetTimer(ID_TIMER_BTN_HOVER, 20, NULL);
            return nBtnHit;
        }
        pBar->m_bNcButtonHover = false;
        if (pBar->IsFixedSize() && nHit != HTCLIENT && nHit != HTCAPTION)
        {
            // a fixed-size bar changes one extent at a time: a corner answers the edge of
            // the band it lies in, so that the side edges size the width along their whole
            // height
            const bool bSideBand = pt.y >= rc.top + rcBorder.top && pt.y < rc.bottom - rcBorder.bottom;
            if (pBar->IsWrappable() == false && pBar->IsFullRowBar())
                nHit = HTCAPTION;
            else if (nHit == HTTOPLEFT || nHit == HTBOTTOMLEFT)
                nHit = bSideBand ? HTLEFT : (nHit == HTTOPLEFT ? HTTOP : HTBOTTOM);
            else if (nHit == HTTOPRIGHT || nHit == HTBOTTOMRIGHT)
                nHit = bSideBand ? HTRIGHT : (nHit == HTTOPRIGHT ? HTTOP : HTBOTTOM);
        }
    }
    return nHit;
}

// Draws the border, the caption (a container shows its first visible bar's text) and
// the caption buttons, or the own close button of a frame without a framework bar.
void CExtMiniDockFrameWnd::PaintNonClient()
{
    if (m_hWnd == NULL)
        return;
    CWindowDC dcWnd(this);
    CRect rcWnd, rcClient;
    GetWindowRect(&rcWnd);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWnd.left, -rcWnd.top);
    rcWnd.OffsetRect(-rcWnd.left, -rcWnd.top);
    dcWnd.ExcludeClipRect(&rcClient);
    RecalcCaptionRects();
    CExtControlBar* pBar = GetExtBar();
    {
        CExtMemoryDC dcMem(&dcWnd, &rcWnd, 3);
        CDC& dc = dcMem.IsMemDC() ? (CDC&)dcMem : (CDC&)dcWnd;
        CExtPaintManager* pPM = g_CurrentPaintManager.GetPaintManager();
        dc.FillSolidRect(&rcWnd, pPM->GetColor(CExtPaintManager::LC_FACE_NORMAL, this));
        CExtPaintManager::BarFrameArgs_t bfa(pBar != NULL ? (CObject*)pBar : (CObject*)this,
                                             rcWnd, rcClient, false,
                                             pBar != NULL && !pBar->IsFixedSize(), false);
        pPM->DrawBarFrame(dc, bfa);
        CString strText;
        CExtDynControlBar* pDyn = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
        if (pDyn != NULL && pDyn->m_pWndDynDockBar != NULL)
        {
            CPtrArray& arr = pDyn->m_pWndDynDockBar->m_arrBars;
            for (INT_PTR i = 0; i < arr.GetSize() && strText.IsEmpty(); i++)
            {
                CExtControlBar* p = (arr[i] != NULL && (UINT_PTR)arr[i] >= 0x10000)
                                        ? DYNAMIC_DOWNCAST(CExtControlBar, (CObject*)arr[i])
                                        : NULL;
                if (p != NULL && p->IsVisible() && !p->IsFixedSize())
                    p->GetBarCaptionText(strText);
            }
        }
        else if (pBar != NULL)
            pBar->GetBarCaptionText(strText);
        if (strText.IsEmpty())
            GetWindowText(strText);
        CRect rcText(m_rcCaption);
        if (pBar != NULL)
            pBar->ExcludeNcButtonsFromCaption(rcText);
        else
            rcText.right = m_rcBtnClose.left;
        rcText.DeflateRect(2, 0);
        HWND hFocus = ::GetFocus();
        bool bActive = hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
        CExtPaintManager::BarCaptionArgs_t bca(pBar != NULL ? (CObject*)pBar : (CObject*)this,
                                               m_rcCaption, rcText, bActive, true, false,
                                               pBar == NULL || !pBar->IsFixedSize(), strText);
        pPM->DrawBarCaption(dc, bca);
        if (pBar != NULL)
            pBar->PaintNcAreaButtons(dc);
        else
        {
            CExtPaintManager::NcButtonArgs_t nba(this, m_rcBtnClose, 1, m_bBtnHot, false, true,
                                                 true, bActive, true);
            pPM->DrawNcAreaButton(dc, nba);
        }
    }
    g_CurrentPaintManager->OnPaintSessionComplete(this);
}

// Follows the cursor over the own close button on a timer while it is there, and
// repaints when the hot state changes.
void CExtMiniDockFrameWnd::TrackCloseButtonHot()
{
    if (m_hWnd == NULL)
        return;
    bool bHot = false;
    if (GetExtBar() == NULL && !CExtPopupMenuWnd::IsTrackingActive())
    {
        CPoint pt;
        CRect rcWnd;
        ::GetCursorPos(&pt);
        GetWindowRect(&rcWnd);
        RecalcCaptionRects();
        bHot = ::WindowFromPoint(pt) == m_hWnd &&
               m_rcBtnClose.PtInRect(CPoint(pt.x - rcWnd.left, pt.y - rcWnd.top));
    }
    if (bHot)
        SetTimer(ID_TIMER_CLOSE_HOT, 20, NULL);
    else
        KillTimer(ID_TIMER_CLOSE_HOT);
    if (bHot != m_bBtnHot)
    {
        m_bBtnHot = bHot;
        SendMessage(WM_NCPAINT);
    }
}

// Moves the frame so that its caption lies in the work area (across, enough of it to be
// grabbed); never while resizing or from within its own move.
void CExtMiniDockFrameWnd::KeepCaptionOnScreen()
{
    if (m_hWnd == NULL || s_bInCaptionCorrection || m_nResizingHT != 0)
        return;
    CRect rc;
    GetWindowRect(&rc);
    CRect rcWork = WorkAreaOf(rc);
    if (rcWork.IsRectEmpty())
        return;
    // the caption's height inside the work area, and enough of its width to grab it
    int nCaptionBottom = rc.top + FrameCY() + CaptionCY();
    int dy = 0;
    if (rc.top < rcWork.top)
        dy = rcWork.top - rc.top;
    else if (nCaptionBottom > rcWork.bottom)
        dy = rcWork.bottom - nCaptionBottom;
    const int nGrab = std::min(rc.Width(), 4 * CaptionCY());
    int dx = 0;
    if (rc.left > rcWork.right - nGrab)
        dx = rcWork.right - nGrab - rc.left;
    else if (rc.right < rcWork.left + nGrab)
        dx = rcWork.left + nGrab - rc.right;
    if (dx == 0 && dy == 0)
        return;
    s_bInCaptionCorrection = true;
    SetWindowPos(NULL, rc.left + dx, rc.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    s_bInCaptionCorrection = false;
    CExtControlBar* pBar = GetExtBar();
    if (pBar != NULL)
        pBar->LayoutNcAreaButtons();
    SendMessage(WM_NCPAINT);
    CExtPaintManager::PumpPaintMessages(true, true, true);
}

/////////////////////////////////////////////////////////////////////////////
// Resizing

void CExtMiniDockFrameWnd::StartResizing(UINT nHitTest, CPoint ptPress)
{
    if (m_hWnd == NULL || m_nResizingHT != 0 || nHitTest < HTLEFT || nHitTest > HTBOTTOMRIGHT)
        return;
    HWND hWnd = m_hWnd;
    m_nResizingHT = nHitTest;
    CExtControlBar* pBar = GetExtBar();
    bool bResizable = pBar != NULL && !pBar->IsFixedSize();
    if (bResizable)
        ModifyStyle(FWS_SNAPTOBARS, 0);
    BringWindowToTop();
    SetCapture();
    GetWindowRect(&m_rcResizeStart);
    m_ptResizePress = ptPress;
    m_ptResizeLast = CPoint(-1, -1);
    bool bQuit = false;
    int nQuitCode = 0;
    while (m_nResizingHT != 0 && ::IsWindow(hWnd))
    {
        MSG msg;
        // a pending quit first: the timers would otherwise keep the loop busy
        if (!::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE) &&
            !::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
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
            break;
        }
        if (nMsg == WM_ACTIVATEAPP || nMsg == WM_COMMAND ||
            (nMsg >= WM_KEYFIRST && nMsg <= WM_KEYLAST))
        {
            if (nMsg != WM_ACTIVATEAPP)
                ::PeekMessageA(&msg, msg.hwnd, nMsg, nMsg, PM_REMOVE);
            break;
        }
        if (nMsg == WM_MOUSEMOVE)
        {
            MSG last = msg;
            while (::PeekMessageA(&msg, NULL, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
                last = msg;
            CPoint pt((short)LOWORD(last.lParam), (short)HIWORD(last.lParam));
            if (last.hwnd != NULL)
                ::ClientToScreen(last.hwnd, &pt);
            ResizeStep(pt);
            continue;
        }
        if (nMsg == WM_LBUTTONUP || nMsg == WM_NCLBUTTONUP || nMsg == WM_RBUTTONDOWN)
        {
            ::PeekMessageA(&msg, msg.hwnd, nMsg, nMsg, PM_REMOVE);
            break;
        }
        if (!AfxPumpMessage())
        {
            bQuit = true;
            break;
        }
        if (::GetCapture() != hWnd)
            break;
    }
    if (::IsWindow(hWnd))
    {
        if (bResizable)
            ModifyStyle(0, FWS_SNAPTOBARS);
        StopResizing();
    }
    if (bQuit)
        ::PostQuitMessage(nQuitCode);
}

void CExtMiniDockFrameWnd::StopResizing()
{
    UINT nWas = m_nResizingHT;
    m_nResizingHT = 0;
    m_ptResizeLast = CPoint(-1, -1);
    if (m_hWnd != NULL && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (nWas != 0 && m_hWnd != NULL)
        SetTimer(ID_TIMER_LAYOUT_BUTTONS, 1, NULL);
}

// One step of the resizing loop: the dragged edges follow the cursor, within the bar's
// minimum and the work area; a fixed-size bar picks its own shape for the dragged length.
void CExtMiniDockFrameWnd::ResizeStep(CPoint pt)
{
    if (s_bInResizeStep || m_nResizingHT == 0 || pt == m_ptResizeLast)
        return;
    s_bInResizeStep = true;
    m_ptResizeLast = pt;
    CControlBar* pPlain = GetBar();
    CExtControlBar* pBar = GetExtBar();
    UINT nHit = m_nResizingHT;
    bool bLeft = nHit == HTLEFT || nHit == HTTOPLEFT || nHit == HTBOTTOMLEFT;
    bool bRight = nHit == HTRIGHT || nHit == HTTOPRIGHT || nHit == HTBOTTOMRIGHT;
    bool bTop = nHit == HTTOP || nHit == HTTOPLEFT || nHit == HTTOPRIGHT;
    bool bBottom = nHit == HTBOTTOM || nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT;
    CRect rcStart(m_rcResizeStart);
    CRect rcWork = WorkAreaOf(rcStart);
    int nExtraX = 2 * FrameCX(), nExtraY = 2 * FrameCY() + CaptionCY();
    // where the dragged edges are asked to go: moved as far as the cursor moved
    const CSize sizeMoved = pt - m_ptResizePress;
    if (bLeft || bRight)
        pt.x = (bLeft ? rcStart.left : rcStart.right) + sizeMoved.cx;
    if (bTop || bBottom)
        pt.y = (bTop ? rcStart.top : rcStart.bottom) + sizeMoved.cy;

    if (pBar != NULL && pBar->IsFixedSize())
    {
        // the bar chooses its shape for the dragged length; the opposite edge stays
        if (bTop || bBottom)
            bLeft = bRight = false;
        CRect rc(rcStart);
        CSize size;
        if (bLeft || bRight)
        {
            int nWidth = bRight ? pt.x - rcStart.left : rcStart.right - pt.x;
            size = pBar->CalcDynamicLayout(std::max(nWidth - nExtraX, 1), LM_HORZ | LM_COMMIT);
        }
        else
        {
            int nHeight = bBottom ? pt.y - rcStart.top : rcStart.bottom - pt.y;
            size = pBar->CalcDynamicLayout(std::max(nHeight - nExtraY, 1),
                                           LM_HORZ | LM_LENGTHY | LM_COMMIT);
        }
        CRect rcNew(rc.left, rc.top, rc.left + size.cx + nExtraX, rc.top + size.cy + nExtraY);
        if (bLeft)
            rcNew.OffsetRect(rc.right - rcNew.right, 0);
        if (bTop)
            rcNew.OffsetRect(0, rc.bottom - rcNew.bottom);
        CRect rcNow;
        GetWindowRect(&rcNow);
        if (rcNew != rcNow)
        {
            pBar->m_sizeFloated = size;
            SetWindowPos(NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            RecalcLayout();
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
        }
        s_bInResizeStep = false;
        return;
    }

    CSize sizeMin(8, 8);
    if (pBar != NULL)
    {
        CSize sizeFloatMin = pBar->GetMinFloatingSize();
        sizeMin.cx = std::max(std::max(pBar->CalcMinWidth(), (int)sizeFloatMin.cx), 8);
        sizeMin.cy = std::max(std::max(pBar->CalcMinHeight(), (int)sizeFloatMin.cy), 8);
    }
    CRect rc(rcStart);
    if (bLeft)
        rc.left = std::min(pt.x, rc.right - nExtraX - sizeMin.cx);
    if (bRight)
        rc.right = std::max(pt.x, rc.left + nExtraX + sizeMin.cx);
    if (bTop)
        rc.top = std::min(pt.y, rc.bottom - nExtraY - sizeMin.cy);
    if (bBottom)
        rc.bottom = std::max(pt.y, rc.top + nExtraY + sizeMin.cy);
    if (!rcWork.IsRectEmpty())
    {
        if (rc.Width() > rcWork.Width())
        {
            if (bLeft)
                rc.left = rc.right - rcWork.Width();
            else
                rc.right = rc.left + rcWork.Width();
        }
        if (rc.Height() > rcWork.Height())
        {
            if (bTop)
                rc.top = rc.bottom - rcWork.Height();
            else
                rc.bottom = rc.top + rcWork.Height();
        }
    }
    if (pBar != NULL)
        pBar->m_sizeFloated = CSize(rc.Width() - nExtraX, rc.Height() - nExtraY);
    else if (pPlain == NULL)
    {
        s_bInResizeStep = false;
        return;
    }
    SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    RecalcLayout();
    if (pBar != NULL)
        pBar->RepositionChildWindow();
    SetTimer(ID_TIMER_LAYOUT_BUTTONS, 1, NULL);
    s_bInResizeStep = false;
}

/////////////////////////////////////////////////////////////////////////////
// Messages

namespace
{

// How long a release already seen by the button's state may take to reach the queue.
const DWORD kReleaseGraceMs = 150;

// After a caption double click moved the bar, the release of the second click belongs to
// the caption that is no longer under the cursor: the bar's window takes it (and the
// moves before it), so that the window now under the cursor gets no click.
void TakeReleaseOfDoubleClick(HWND hWndBar)
{
    if (hWndBar == NULL || !::IsWindow(hWndBar) || (::GetKeyState(VK_LBUTTON) & 0x8000) == 0)
        return;
    ::SetCapture(hWndBar);
    CWinThread* pThread = AfxGetThread();
    bool bQuit = false;
    int nQuitCode = 0;
    DWORD nUpSince = 0;
    while (::IsWindow(hWndBar) && ::GetCapture() == hWndBar)
    {
        MSG msg;
        if (!::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            // Nothing queued and the button is up: its release may still be on its way to
            // the queue (the button's state changes first); after a short wait it is not
            // coming.
            if ((::GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0)
            {
                const DWORD nNow = ::GetTickCount();
                if (nUpSince == 0)
                    nUpSince = nNow;
                else if (nNow - nUpSince >= kReleaseGraceMs)
                    break;
                ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
                continue;
            }
            nUpSince = 0;
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
            continue;
        }
        const UINT nMsg = msg.message;
        if (nMsg == WM_QUIT)
        {
            ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
            bQuit = true;
            nQuitCode = (int)msg.wParam;
            break;
        }
        if (nMsg == WM_LBUTTONUP || nMsg == WM_NCLBUTTONUP)
        {
            ::PeekMessageA(&msg, msg.hwnd, nMsg, nMsg, PM_REMOVE);
            break;
        }
        if (nMsg == WM_MOUSEMOVE || nMsg == WM_NCMOUSEMOVE)
        {
            ::PeekMessageA(&msg, msg.hwnd, nMsg, nMsg, PM_REMOVE);
            continue;
        }
        if ((nMsg >= WM_MOUSEFIRST && nMsg <= WM_MOUSELAST) ||
            (nMsg >= WM_NCMOUSEMOVE && nMsg <= WM_NCXBUTTONDBLCLK) ||
            (nMsg >= WM_KEYFIRST && nMsg <= WM_KEYLAST) || nMsg == WM_CANCELMODE ||
            nMsg == WM_ACTIVATEAPP)
            break;
        if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            continue;
        if (msg.message == WM_QUIT)
        {
            bQuit = true;
            nQuitCode = (int)msg.wParam;
            break;
        }
        if (pThread == NULL || !pThread->PreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (::IsWindow(hWndBar) && ::GetCapture() == hWndBar)
        ::ReleaseCapture();
    if (bQuit)
        ::PostQuitMessage(nQuitCode);
}

} // namespace

// A press on the frame: the own close button, the caption (the bar's drag or the dock
// context's) or an edge (the frame's resize or the dock context's).
LRESULT CExtMiniDockFrameWnd::OnNcLButtonDown(UINT nHit, CPoint pt)
{
    CControlBar* pPlain = GetBar();
    CExtControlBar* pBar = GetExtBar();
    if (pBar == NULL)
    {
        CRect rcWnd;
        GetWindowRect(&rcWnd);
        m_bBtnPressed = m_rcBtnClose.PtInRect(CPoint(pt.x - rcWnd.left, pt.y - rcWnd.top));
        if (m_bBtnPressed)
            return 0;
    }
    if (nHit == HTCAPTION)
    {
        CWnd* pTop = GetTopLevelParent();
        if (pTop != NULL && pTop != this)
            pTop->ActivateTopParent();
        if (pBar == NULL || !pBar->IsButtonInputBlocked())
            BringWindowToTop();
        if (pBar != NULL && (!pBar->IsFixedSize() || pBar->IsLiveDragDocking()))
        {
            CRect rcWnd;
            GetWindowRect(&rcWnd);
            // the frame keeps its place under the cursor while it moves
            CPoint ptOffset = pt - rcWnd.TopLeft();
            if (ptOffset == CPoint(0, 0))
                ptOffset = CPoint(1, 1);
            // a click without a move (the first half of a double click) moves nothing
            pBar->StartDragging(pt, ptOffset, std::max(1, ::GetSystemMetrics(SM_CXDRAG)),
                                std::max(1, ::GetSystemMetrics(SM_CYDRAG)));
        }
        else if (pPlain != NULL && pPlain->m_pDockContext != NULL)
            pPlain->m_pDockContext->StartDrag(pt);
        return 0;
    }
    if (nHit >= HTLEFT && nHit <= HTBOTTOMRIGHT)
    {
        CWnd* pTop = GetTopLevelParent();
        if (pTop != NULL && pTop != this)
            pTop->ActivateTopParent();
        if (pBar != NULL && (!pBar->IsFixedSize() || pBar->IsLiveDragDocking()))
            StartResizing(nHit, pt);
        else if (pPlain != NULL && pPlain->m_pDockContext != NULL)
            pPlain->m_pDockContext->StartResize(nHit, pt);
        else
            return CMiniDockFrameWnd::WindowProc(WM_NCLBUTTONDOWN, nHit, MAKELPARAM(pt.x, pt.y));
        return 0;
    }
    return 0;
}

// The frame's messages, one handler each; what a handler leaves goes on to the default
// processing of the docking frame.
LRESULT CExtMiniDockFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    switch (message)
    {
    case WM_NCCALCSIZE:
        return OnNcCalcSizeMsg(lParam);
    case WM_NCHITTEST:
        return OnNcHitTestMsg(lParam);
    case WM_NCPAINT:
        PaintNonClient();
        return 0;
    case WM_NCACTIVATE:
        return OnNcActivateMsg(wParam, lParam);
    case WM_NCLBUTTONDOWN:
        return OnNcLButtonDownMsg(wParam, lParam);
    case WM_NCLBUTTONUP:
        if (OnNcLButtonUpMsg(wParam, lParam, lResult))
            return lResult;
        break;
    case WM_NCLBUTTONDBLCLK:
        if (OnNcLButtonDblClkMsg(wParam))
            return 0;
        break;
    case WM_NCRBUTTONDOWN:
        if (OnNcRButtonDownMsg(wParam, lParam))
            return 0;
        break;
    case WM_NCMOUSEMOVE:
        if (m_nResizingHT == 0 && GetExtBar() == NULL)
            TrackCloseButtonHot();
        break;
    case WM_MOUSEMOVE:
        if (OnMouseMoveMsg(lParam))
            return 0;
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
        if (m_nResizingHT != 0)
        {
            StopResizing();
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (m_nResizingHT != 0 && (HWND)lParam != m_hWnd)
            StopResizing();
        break;
    case WM_CANCELMODE:
        OnCancelModeMsg();
        break;
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfoMsg(wParam, lParam);
    case WM_WINDOWPOSCHANGING:
        return OnWindowPosChangingMsg(wParam, lParam);
    case WM_WINDOWPOSCHANGED:
        return OnWindowPosChangedMsg(wParam, lParam);
    case WM_SIZE:
        return OnSizeMsg(wParam, lParam);
    case WM_TIMER:
        if (OnTimerMsg(wParam))
            return 0;
        break;
    case WM_PAINT:
        ValidateRect(NULL);
        return 0;
    default:
        break;
    }
    return CMiniDockFrameWnd::WindowProc(message, wParam, lParam);
}

// The client area: inside the drawn border and caption, never negative.
LRESULT CExtMiniDockFrameWnd::OnNcCalcSizeMsg(LPARAM lParam)
{
    RECT* prc = (RECT*)lParam;   // the first rectangle in both forms
    prc->left += FrameCX();
    prc->right -= FrameCX();
    prc->top += FrameCY() + CaptionCY();
    prc->bottom -= FrameCY();
    if (prc->right < prc->left)
        prc->right = prc->left;
    if (prc->bottom < prc->top)
        prc->bottom = prc->top;
    return 0;
}

// The frame's own hit test; nothing answers while a menu tracks.
LRESULT CExtMiniDockFrameWnd::OnNcHitTestMsg(LPARAM lParam)
{
    if (CExtPopupMenuWnd::IsTrackingActive())
        return HTNOWHERE;
    if (GetStyle() & MFS_MOVEFRAME)
        ModifyStyle(MFS_MOVEFRAME, 0);
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    return HitTestAt(pt);
}

// The caption repaints in its new active state, and the bar with it on activation.
LRESULT CExtMiniDockFrameWnd::OnNcActivateMsg(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CMiniDockFrameWnd::WindowProc(WM_NCACTIVATE, wParam, lParam);
    PaintNonClient();
    CExtControlBar* pBar = GetExtBar();
    if (wParam && pBar != NULL && pBar->m_hWnd != NULL)
        pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return lResult;
}

// A press on the caption buttons goes to the bar; elsewhere it moves or resizes the frame.
LRESULT CExtMiniDockFrameWnd::OnNcLButtonDownMsg(WPARAM wParam, LPARAM lParam)
{
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    if (wParam == HTSYSMENU || wParam == HTMINBUTTON || wParam == HTMAXBUTTON)
        return 0;
    CExtControlBar* pBar = GetExtBar();
    if (pBar != NULL && pBar->m_bNcButtonHover)
        return pBar->SendMessage(WM_NCLBUTTONDOWN, wParam, lParam);
    return OnNcLButtonDown((UINT)wParam, pt);
}

// The release ends a resize, reaches the bar's caption buttons, or clicks the frame's own
// close button; FALSE leaves it to the default processing.
bool CExtMiniDockFrameWnd::OnNcLButtonUpMsg(WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    if (m_nResizingHT != 0)
    {
        StopResizing();
        return true;
    }
    CExtControlBar* pBar = GetExtBar();
    if (pBar != NULL && pBar->m_bNcButtonHover)
    {
        lResult = pBar->SendMessage(WM_NCLBUTTONUP, wParam, lParam);
        return true;
    }
    if (m_bBtnPressed)
    {
        // pressed and released on the own close button: the bar hides
        m_bBtnPressed = false;
        CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        CRect rcWnd;
        GetWindowRect(&rcWnd);
        CControlBar* pPlain = GetBar();
        if (pBar == NULL && pPlain != NULL && pPlain->m_pDockSite != NULL &&
            m_rcBtnClose.PtInRect(CPoint(pt.x - rcWnd.left, pt.y - rcWnd.top)))
        {
            pPlain->m_pDockSite->ShowControlBar(pPlain, FALSE, FALSE);
            return true;
        }
    }
    return false;
}

// A double click on the caption docks a floating resizable bar at its last side (the right
// one at first) or toggles other bars between docked and floating.
bool CExtMiniDockFrameWnd::OnNcLButtonDblClkMsg(WPARAM wParam)
{
    CExtControlBar* pBar = GetExtBar();
    if (wParam == HTCAPTION && pBar != NULL)
    {
        HWND hWndBar = pBar->m_hWnd;
        if (!pBar->IsFixedSize() && pBar->IsFloating())
        {
            UINT nSide = AFX_IDW_DOCKBAR_RIGHT;
            if (pBar->m_pDockContext != NULL && pBar->m_pDockContext->m_uMRUDockID != 0 &&
                pBar->m_pDockContext->m_uMRUDockID != AFX_IDW_DOCKBAR_FLOAT)
                nSide = pBar->m_pDockContext->m_uMRUDockID;
            pBar->DockToFrameSide(nSide);
        }
        else
            pBar->ToggleDockedFloating();
        // this frame may be gone now: only the bar's handle is used
        TakeReleaseOfDoubleClick(hWndBar);
        return true;
    }
    return false;
}

// A right press on the caption opens the bar's menu, as on a docked bar's caption.
bool CExtMiniDockFrameWnd::OnNcRButtonDownMsg(WPARAM wParam, LPARAM lParam)
{
    CExtControlBar* pBar = GetExtBar();
    if (wParam == HTCAPTION && pBar != NULL)
    {
        pBar->SendMessage(WM_NCRBUTTONUP, wParam, lParam);
        return true;
    }
    return false;
}

// While resizing, each move resizes the frame.
bool CExtMiniDockFrameWnd::OnMouseMoveMsg(LPARAM lParam)
{
    if (m_nResizingHT != 0)
    {
        CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        ClientToScreen(&pt);
        ResizeStep(pt);
        return true;
    }
    return false;
}

// Menus, tool tips and a resize end with the mode.
void CExtMiniDockFrameWnd::OnCancelModeMsg()
{
    CExtPopupMenuWnd::CancelTracking();
    CWnd::CancelToolTips();
    if (m_nResizingHT != 0)
        StopResizing();
}

// The frame is never tracked larger than the work area of its monitor.
LRESULT CExtMiniDockFrameWnd::OnGetMinMaxInfoMsg(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CMiniDockFrameWnd::WindowProc(WM_GETMINMAXINFO, wParam, lParam);
    MINMAXINFO* pMMI = (MINMAXINFO*)lParam;
    CRect rc;
    GetWindowRect(&rc);
    CRect rcWork = WorkAreaOf(rc);
    if (!rcWork.IsRectEmpty())
    {
        pMMI->ptMaxTrackSize.x = std::min((int)pMMI->ptMaxTrackSize.x, rcWork.Width());
        pMMI->ptMaxTrackSize.y = std::min((int)pMMI->ptMaxTrackSize.y, rcWork.Height());
    }
    return lResult;
}

// The system caption and frame styles stay removed whatever the move sets.
LRESULT CExtMiniDockFrameWnd::OnWindowPosChangingMsg(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CMiniDockFrameWnd::WindowProc(WM_WINDOWPOSCHANGING, wParam, lParam);
    DWORD dwStyle = (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE);
    DWORD dwExStyle = (DWORD)::GetWindowLongA(m_hWnd, GWL_EXSTYLE);
    if ((dwStyle & g_dwRemovedStyles) != 0)
        ::SetWindowLongA(m_hWnd, GWL_STYLE, (LONG)(dwStyle & ~g_dwRemovedStyles));
    if ((dwExStyle & g_dwRemovedExStyles) != 0)
        ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, (LONG)(dwExStyle & ~g_dwRemovedExStyles));
    return lResult;
}

// A moved frame of a framework bar keeps its caption on the screen (not while resizing).
LRESULT CExtMiniDockFrameWnd::OnWindowPosChangedMsg(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CMiniDockFrameWnd::WindowProc(WM_WINDOWPOSCHANGED, wParam, lParam);
    WINDOWPOS* pWP = (WINDOWPOS*)lParam;
    bool bSizeOnly = (pWP->flags & SWP_NOMOVE) != 0;
    if (!bSizeOnly && GetExtBar() != NULL && m_nResizingHT == 0)
        KeepCaptionOnScreen();
    return lResult;
}

// A frame larger than the work area shrinks to it; otherwise the caption rectangles and
// the bar's caption buttons follow the new size.
LRESULT CExtMiniDockFrameWnd::OnSizeMsg(WPARAM wParam, LPARAM lParam)
{
    CRect rc;
    GetWindowRect(&rc);
    CRect rcWork = WorkAreaOf(rc);
    if (!rcWork.IsRectEmpty() && (rc.Width() > rcWork.Width() || rc.Height() > rcWork.Height()))
    {
        SetWindowPos(NULL, 0, 0, std::min(rc.Width(), rcWork.Width()),
                     std::min(rc.Height(), rcWork.Height()),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    LRESULT lResult = CMiniDockFrameWnd::WindowProc(WM_SIZE, wParam, lParam);
    RecalcCaptionRects();
    CExtControlBar* pBar = GetExtBar();
    if (pBar != NULL)
    {
        pBar->CreateNcAreaButtons();
        pBar->LayoutNcAreaButtons();
    }
    return lResult;
}

// The frame's timers: the delayed layout of the caption buttons, the own close button's
// hot state, and the end of the hover on the bar's caption buttons.
bool CExtMiniDockFrameWnd::OnTimerMsg(WPARAM wParam)
{
    if (wParam == ID_TIMER_LAYOUT_BUTTONS)
    {
        KillTimer(ID_TIMER_LAYOUT_BUTTONS);
        CExtControlBar* pBar = GetExtBar();
        if (pBar != NULL)
            pBar->LayoutNcAreaButtons();
        if (IsWindowVisible())
            SendMessage(WM_NCPAINT);
        return true;
    }
    if (wParam == ID_TIMER_CLOSE_HOT)
    {
        TrackCloseButtonHot();
        return true;
    }
    if (wParam == ID_TIMER_BTN_HOVER)
    {
        if (CExtPopupMenuWnd::IsTrackingActive())
            return true;
        CExtControlBar* pBar = GetExtBar();
        CPoint pt;
        ::GetCursorPos(&pt);
        bool bOn = false;
        if (pBar != NULL && pBar->m_bNcButtonHover)
        {
            CExtBarNcAreaButton* pBtn = NULL;
            bOn = pBar->NcButtonsHitTest(CPoint(pt.x, pt.y), &pBtn) != HTCLIENT && pBtn != NULL;
            if (!bOn)
            {
                pBar->m_bNcButtonHover = false;
                SendMessage(WM_NCPAINT);
            }
        }
        if (!bOn)
            KillTimer(ID_TIMER_BTN_HOVER);
        return true;
    }
    return false;
}
