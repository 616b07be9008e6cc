// dockmini.cpp - CMiniDockFrameWnd: the floating frame of bars.

#include "afxwnd.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_MOUSEACTIVATE()
    ON_WM_NCHITTEST()
    ON_WM_GETMINMAXINFO()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

namespace
{

const DWORD MFS_ALL = MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_THICKFRAME | MFS_MOVEFRAME |
                      MFS_BLOCKSYSMENU;

} // namespace

CMiniDockFrameWnd::CMiniDockFrameWnd()
    : m_wndDockBar(TRUE)
{
    m_wndDockBar.m_bAutoDelete = FALSE;
}

CMiniDockFrameWnd::~CMiniDockFrameWnd()
{
}

// Creates the floating frame and its dock bar (made in the dock site, then moved here).
BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    m_bInRecalcLayout = FALSE;
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME |
                    MFS_SYNCACTIVE | MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    if (dwBarStyle & CBRS_SIZE_DYNAMIC)
        dwStyle &= ~MFS_MOVEFRAME;
    CRect rect(0, 0, 0, 0);
    if (!CMiniFrameWnd::CreateEx(0, NULL, "", dwStyle, rect, pParent))
        return FALSE;
    // the mini frame bits stay in the window style: the hit test and whoever
    // changes the frame later read them there
    ::SetWindowLongA(m_hWnd, GWL_STYLE, (LONG)(GetStyle() | (dwStyle & MFS_ALL)));

    // the dock bar is made in the dock site (so that it is one of the site's bars)
    // and then moved into this frame
    m_wndDockBar.m_bFloating = TRUE;
    if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_ALL), AFX_IDW_DOCKBAR_FLOAT))
        return FALSE;
    m_wndDockBar.SetParent(this);
    m_wndDockBar.SetOwner(pParent);
    return TRUE;
}

BOOL CMiniDockFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMiniFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;     // the bars fill the frame edge to edge
    return TRUE;
}

CControlBar* CMiniDockFrameWnd::GetFirstBar() const
{
    for (INT_PTR i = 0; i < m_wndDockBar.m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = m_wndDockBar.GetDockedControlBar((int)i);
        if (pBar != NULL)
            return pBar;
    }
    return NULL;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout)
        return;
    CMiniFrameWnd::RecalcLayout(bNotify);
    // the caption is the single bar's title
    if (m_wndDockBar.m_hWnd != NULL && (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) == 0)
    {
        CString strTitle;
        m_wndDockBar.GetWindowText(strTitle);
        AfxSetWindowText(m_hWnd, strTitle);
    }
}

void CMiniDockFrameWnd::OnClose()
{
    // the close box hides the bars; the frame stays for them
    m_wndDockBar.ShowAll(FALSE);
}

// The caption drags a single bar and the edges resize a dynamic one, through the bar's dock context.
void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstBar();
    if (nHitTest == HTCAPTION)
    {
        ActivateTopParent();
        // the caption drags a single bar
        if ((m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) == 0 && pBar != NULL &&
            pBar->m_pDockContext != NULL)
        {
            pBar->m_pDockContext->StartDrag(point);
            return;
        }
    }
    else if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST)
    {
        ActivateTopParent();
        // a bar that changes its shape is resized by its dock context
        if (pBar != NULL && pBar->m_pDockContext != NULL && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC))
        {
            pBar->m_pDockContext->StartResize((int)nHitTest, point);
            return;
        }
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstBar();
    if (nHitTest == HTCAPTION && (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) == 0 &&
        pBar != NULL && pBar->m_pDockContext != NULL)
    {
        pBar->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

int CMiniDockFrameWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    // a click into the bars leaves the application's frame active
    if (nHitTest == HTCLIENT)
        return MA_NOACTIVATE;
    return CMiniFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

// Maps edge hits to what the frame style allows: moving only, or sizing by edges only.
UINT CMiniDockFrameWnd::OnNcHitTest(CPoint point)
{
    UINT nHit = CMiniFrameWnd::OnNcHitTest(point);
    DWORD dwStyle = GetStyle();
    if (nHit < HTSIZEFIRST || nHit > HTSIZELAST)
        return nHit;
    // edges that only move the frame
    if (dwStyle & MFS_MOVEFRAME)
        return HTCAPTION;
    // sizing by the edges only: a corner sizes the height
    if (dwStyle & MFS_4THICKFRAME)
    {
        if (nHit == HTTOPLEFT || nHit == HTTOPRIGHT)
            return HTTOP;
        if (nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT)
            return HTBOTTOM;
    }
    return nHit;
}

void CMiniDockFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CMiniFrameWnd::OnGetMinMaxInfo(lpMMI);
    // the frame follows its bars down to a bar of no size: its borders and caption
    CRect rect(0, 0, 0, 0);
    ::AdjustWindowRectEx(&rect, GetStyle() & ~MFS_ALL, FALSE, GetExStyle());
    lpMMI->ptMinTrackSize.x = rect.Width();
    lpMMI->ptMinTrackSize.y = rect.Height();
}

void CMiniDockFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    // no system menu, from the keyboard or the caption
    UINT nCommand = nID & 0xFFF0;
    if ((GetStyle() & MFS_BLOCKSYSMENU) && (nCommand == SC_KEYMENU || nCommand == SC_MOUSEMENU))
        return;
    CMiniFrameWnd::OnSysCommand(nID, lParam);
}
