// ExtPopupMenuTipWnd.cpp - the balloon tip of popup menu items.

#include "stdafx.h"
#include "ExtPopupMenuTipWnd.h"
#include "ExtPaintManager.h"
#include "ExtStatics.h"

IMPLEMENT_DYNCREATE(CExtPopupMenuTipWnd, CExtPopupBaseWnd)

CExtPopupMenuTipWnd::CExtPopupMenuTipWnd()
    : m_sizeIcon(16, 16), m_hIcon(::LoadIcon(NULL, IDI_INFORMATION)), m_nPlacement(0),
      m_ptTarget(0, 0), m_pWndParentForMonitor(NULL)
{
    SetAnimationFinished(true);
    m_nAnimationType = ANIM_NONE;
}

CExtPopupMenuTipWnd::~CExtPopupMenuTipWnd()
{
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
    m_hIcon = NULL;
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
}

void CExtPopupMenuTipWnd::SetText(LPCTSTR sText)
{
    m_strText = (sText != NULL) ? sText : _T("");
}

// Shows the tip balloon pointing at an item, creating the window on first use.
bool CExtPopupMenuTipWnd::Show(CWnd* pWndParent, const RECT& rcItem)
{
    if (GetSafeHwnd() == NULL)
    {
        LPCTSTR sClass = ::AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(NULL, IDC_ARROW),
                                               (HBRUSH)(COLOR_BTNFACE + 1), NULL);
        HWND hWndOwner = (pWndParent != NULL) ? pWndParent->GetSafeHwnd() : NULL;
        if (!CWnd::CreateEx(WS_EX_TOPMOST, sClass, _T(""), WS_POPUP, 0, 0, 0, 0, hWndOwner,
                            NULL))
            return false;
    }
    m_rcExcludeArea = rcItem;
    m_rcExcludeArea.NormalizeRect();
    m_ptTarget = CPoint(m_rcExcludeArea.left + 6, m_rcExcludeArea.top + 6);

    HRGN hRgn = NULL;
    SIZE size = { 0, 0 };
    {
        CClientDC dc(this);
        m_pWndParentForMonitor = pWndParent;
        CalcRegion(&dc, hRgn, size);
        m_pWndParentForMonitor = NULL;
    }
    if (hRgn != NULL)
        SetWindowRgn(hRgn, TRUE);   // the window owns the region from now on

    if ((m_nPlacement & TIP_POINTER_LEFT) != 0)
        m_ptTarget.x += m_rcExcludeArea.Width() + size.cx - 36;
    if ((m_nPlacement & TIP_BELOW_TARGET) != 0)
        m_ptTarget.y += m_rcExcludeArea.Height() + size.cy - 36;
    int x = m_ptTarget.x - size.cx + 12;
    int y = m_ptTarget.y - size.cy + 10;
    SetWindowPos(&CWnd::wndTopMost, x, y, size.cx, size.cy, SWP_NOACTIVATE);
    MoveWindow(x, y, size.cx, size.cy, TRUE);
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    SetTimer(ID_TIMER_DELAY_SHOW, ID_DELAY_SHOW);
    return true;
}

void CExtPopupMenuTipWnd::Hide()
{
    if (GetSafeHwnd() != NULL)
    {
        KillTimer(ID_TIMER_DELAY_SHOW);
        ShowWindow(SW_HIDE);
    }
    m_rcExcludeArea.SetRectEmpty();
}

// The balloon's region and size around the text and icon, turned to stay on the screen.
void CExtPopupMenuTipWnd::CalcRegion(CDC* pDC, HRGN& hRgn, SIZE& size)
{
    m_nPlacement = 0;
    CRect rcText(0, 0, 0, 0);
    CFont* pOldFont = pDC->SelectObject(&g_CurrentPaintManager->m_FontNormal);
    pDC->DrawText(m_strText, &rcText, DT_CALCRECT);
    pDC->SelectObject(pOldFont);
    rcText.InflateRect(12, 10);
    if (m_hIcon != NULL)
    {
        rcText.right += m_sizeIcon.cx + 5;
        if (rcText.Height() < m_sizeIcon.cy)
            rcText.bottom = rcText.top + m_sizeIcon.cy;
    }
    const int W = rcText.Width(), H = rcText.Height();
    POINT pts[3] = { { W - 12, H - 10 }, { W - 12, H + 15 }, { W - 37, H - 10 } };

    CExtPaintManager::MonitorInfo_t mi;
    CExtPaintManager::GetMonitorInfoByPoint(mi, m_ptTarget);
    if (m_pWndParentForMonitor != NULL && m_pWndParentForMonitor->GetSafeHwnd() != NULL)
        CExtPaintManager::GetMonitorInfoByWindow(mi, m_pWndParentForMonitor);
    const CRect rcArea = g_bPopupsUseWorkArea ? mi.m_rcWorkArea : mi.m_rcMonitor;
    if (m_ptTarget.x - W < rcArea.left)
    {
        m_nPlacement |= TIP_POINTER_LEFT;
        pts[0].x = 12;
        pts[1].x = 12;
        pts[2].x = 37;
    }
    if (m_ptTarget.y - H - 20 < rcArea.top)
    {
        m_nPlacement |= TIP_BELOW_TARGET;
        pts[0].y = 10;
        pts[2].y = 10;
        pts[1].y = -15;
    }
    hRgn = ::CreateRoundRectRgn(0, 0, W, H, 12, 10);
    HRGN hRgnPointer = ::CreatePolygonRgn(pts, 3, ALTERNATE);
    if (hRgn != NULL && hRgnPointer != NULL)
        ::CombineRgn(hRgn, hRgn, hRgnPointer, RGN_OR);
    if (hRgnPointer != NULL)
        ::DeleteObject(hRgnPointer);
    if (hRgn != NULL && (m_nPlacement & TIP_BELOW_TARGET) != 0)
        ::OffsetRgn(hRgn, 0, 25);
    size.cx = W;
    size.cy = H + 25;
}

// Paints the balloon: framed region, icon and text.
void CExtPopupMenuTipWnd::PaintContent(CDC& dc, bool /*bUseMemDC*/)
{
    CExtPaintManager* pPM = g_CurrentPaintManager.GetPaintManager();
    CBrush brushFill(pPM->GetColor(COLOR_INFOBK, this));
    CBrush brushFace(pPM->GetColor(COLOR_3DFACE, this));
    CBrush brushDark(pPM->GetColor(COLOR_3DDKSHADOW, this));
    CRgn rgn;
    if (rgn.CreateRectRgn(0, 0, 0, 0) && GetWindowRgn((HRGN)rgn.GetSafeHandle()) != ERROR)
    {
        dc.FillRgn(&rgn, &brushFill);
        dc.FrameRgn(&rgn, &brushFace, 3, 3);
        dc.FrameRgn(&rgn, &brushDark, 1, 1);
    }
    CRect rcText;
    GetClientRect(&rcText);
    rcText.left += (m_hIcon != NULL) ? (m_sizeIcon.cx + 17) : 12;
    rcText.top += 10;
    int nIconTop = 10;
    if ((m_nPlacement & TIP_BELOW_TARGET) != 0)
    {
        rcText.OffsetRect(0, 25);
        nIconTop = 35;
    }
    CFont* pOldFont = dc.SelectObject(&pPM->m_FontNormal);
    int nOldBkMode = dc.SetBkMode(TRANSPARENT);
    COLORREF clrOld = dc.SetTextColor(pPM->GetColor(COLOR_INFOTEXT, this));
    dc.DrawText(m_strText, &rcText, 0);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldBkMode);
    dc.SelectObject(pOldFont);
    if (m_hIcon != NULL)
        ::DrawIconEx(dc.GetSafeHdc(), 12, nIconTop, m_hIcon, m_sizeIcon.cx, m_sizeIcon.cy, 0,
                     NULL, DI_NORMAL);
}
