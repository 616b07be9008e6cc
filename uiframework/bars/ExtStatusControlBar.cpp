// ExtStatusControlBar.cpp - CExtStatusControlBar: panes, painting, grip, tips, controls.

#include "ExtStatusControlBar.h"
#include "ExtControlBar.h"
#include "uiframework/foundation/ExtCmdManager.h"
#include "uiframework/foundation/ExtResourceManager.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "uiframework/foundation/ExtMemoryDC.h"
#include "afxpriv.h"

IMPLEMENT_DYNAMIC(CExtStatusControlBar, CStatusBar)

bool CExtStatusControlBar::g_bHideSizeGrip = false;

CExtStatusControlBar::CExtStatusControlBar()
    : m_dwStatusStyle(STAT_PAINT_MANAGER | STAT_HIDE_DISABLED_TEXT),
      m_nDefaultTextFormat(DT_SINGLELINE | DT_VCENTER), m_clrFace((COLORREF)-1),
      m_clrText(::GetSysColor(COLOR_BTNTEXT)), m_clrTextDisabled(::GetSysColor(COLOR_BTNSHADOW)),
      m_bPaintingGuard(false), m_nDroppedPaints(0), m_mapExtData(10)
{
    m_mapExtData.InitHashTable(17);
}

// Hides the pane controls (destroying those the bar was told to) and frees them and the
// panes' extra data.
CExtStatusControlBar::~CExtStatusControlBar()
{
    for (INT_PTR i = 0; i < m_arrPaneControls.GetSize(); i++)
    {
        _STATUSBAR_PANE_CTRL_* pCtrl = m_arrPaneControls[i];
        if (pCtrl->m_hWnd != NULL && ::IsWindow(pCtrl->m_hWnd))
        {
            ::ShowWindow(pCtrl->m_hWnd, SW_HIDE);
            if (pCtrl->m_bDestroyOnRemove)
                ::DestroyWindow(pCtrl->m_hWnd);
        }
        delete pCtrl;
    }
    m_arrPaneControls.RemoveAll();
    POSITION pos = m_mapExtData.GetStartPosition();
    while (pos != NULL)
    {
        UINT nID = 0;
        _ED_* pED = NULL;
        m_mapExtData.GetNextAssoc(pos, nID, pED);
        delete pED;
    }
    m_mapExtData.RemoveAll();
}

BOOL CExtStatusControlBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    if (!CStatusBar::CreateEx(pParentWnd, dwCtrlStyle, dwStyle, nID))
        return FALSE;
    EnableToolTips(TRUE);
    ModifyStyle(0, WS_CLIPCHILDREN);
    SetWindowPos(NULL, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SyncColors();
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Panes

BOOL CExtStatusControlBar::SetPanesFromStringIds(const UINT* pIDs, int nCount)
{
    if (nCount < 0 || !AllocElements(nCount, sizeof(AFX_STATUSPANE)))
        return FALSE;
    if (pIDs == NULL)
        return TRUE;
    BOOL bResult = TRUE;
    CClientDC dc(this);
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, GetBarFont());
    for (int i = 0; i < nCount; i++)
    {
        AFX_STATUSPANE* pPane = _GetPanePtr(i);
        pPane->nID = pIDs[i];
        pPane->nFlags |= SBPF_UPDATE;
        if (pPane->nID == 0)
        {
            pPane->cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0)
                pPane->nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
            continue;
        }
        CString strText;
        if (!g_ResourceManagerHolder->LoadString(strText, pPane->nID))
            strText.Empty();
        CSize size = dc.GetTextExtent(strText);
        pPane->cxText = size.cx;
        pPane->strText = strText;
    }
    ::SelectObject(dc.m_hDC, hOldFont);
    UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

UINT CExtStatusControlBar::GetPaneCommandId(int nIndex) const
{
    if (m_hWnd == NULL || nIndex < 0 || nIndex >= m_nCount)
        return 0;
    return _GetPanePtr(nIndex)->nID;
}

void CExtStatusControlBar::EnablePaneControl(int nIndex, BOOL bEnable)
{
    UINT nID = GetPaneCommandId(nIndex);
    for (INT_PTR i = 0; i < m_arrPaneControls.GetSize(); i++)
    {
        _STATUSBAR_PANE_CTRL_* pCtrl = m_arrPaneControls[i];
        if (pCtrl->m_nID == nID && pCtrl->m_hWnd != NULL && ::IsWindow(pCtrl->m_hWnd))
            ::EnableWindow(pCtrl->m_hWnd, bEnable);
    }
    RedrawStatusBar();
}

void CExtStatusControlBar::SetPaneInfoAndEnable(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    SetPaneInfo(nIndex, nID, nStyle, cxWidth);
    EnablePaneControl(nIndex, (nStyle & SBPS_DISABLED) == 0);
}

void CExtStatusControlBar::RedrawStatusBar()
{
    if (m_hWnd == NULL)
        return;
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW |
                                 RDW_ERASENOW);
}

CExtStatusControlBar::_ED_& CExtStatusControlBar::PaneData(UINT nID)
{
    _ED_* pED = NULL;
    if (!m_mapExtData.Lookup(nID, pED))
    {
        pED = new _ED_;
        m_mapExtData.SetAt(nID, pED);
    }
    return *pED;
}

UINT CExtStatusControlBar::GetPaneTextFormat(int nIndex)
{
    _ED_* pED = NULL;
    if (nIndex >= 0 && nIndex < m_nCount && m_mapExtData.Lookup(_GetPanePtr(nIndex)->nID, pED))
        return pED->m_nDrawTextFormat;
    return m_nDefaultTextFormat;
}

CString CExtStatusControlBar::GetPaneTipText(int nIndex)
{
    _ED_* pED = NULL;
    if (nIndex >= 0 && nIndex < m_nCount && m_mapExtData.Lookup(_GetPanePtr(nIndex)->nID, pED))
        return pED->m_strTipText;
    return CString();
}

BOOL CExtStatusControlBar::AddPaneControl(HWND hWnd, UINT nID, BOOL bDestroyOnRemove)
{
    if (hWnd == NULL || !::IsWindow(hWnd) || CommandToIndex(nID) < 0)
        return FALSE;
    _STATUSBAR_PANE_CTRL_* pCtrl = new _STATUSBAR_PANE_CTRL_;
    pCtrl->m_hWnd = hWnd;
    pCtrl->m_nID = nID;
    pCtrl->m_bDestroyOnRemove = bDestroyOnRemove;
    m_arrPaneControls.Add(pCtrl);
    RepositionControls();
    return TRUE;
}

// Stores or loads the panes' extra data (each pane id's text format and tip); loading adds
// to what is there.
void CExtStatusControlBar::SerializeExtData(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << (DWORD)m_mapExtData.GetCount();
        POSITION pos = m_mapExtData.GetStartPosition();
        while (pos != NULL)
        {
            UINT nID = 0;
            _ED_* pED = NULL;
            m_mapExtData.GetNextAssoc(pos, nID, pED);
            ar << (DWORD)nID << (DWORD)pED->m_nDrawTextFormat << pED->m_strTipText;
        }
        return;
    }
    DWORD nCount = 0;
    ar >> nCount;
    for (DWORD i = 0; i < nCount; i++)
    {
        DWORD nID = 0, nFormat = 0;
        CString strTip;
        ar >> nID >> nFormat >> strTip;
        _ED_& ed = PaneData(nID);
        ed.m_nDrawTextFormat = nFormat;
        ed.m_strTipText = strTip;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Geometry

CRect CExtStatusControlBar::GetPanePaintRect(int nIndex)
{
    CRect rc(0, 0, 0, 0);
    if (m_hWnd == NULL || nIndex < 0 || nIndex >= m_nCount)
        return rc;
    GetItemRect(nIndex, &rc);
    if (nIndex == m_nCount - 1)
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        AFX_STATUSPANE* pPane = _GetPanePtr(nIndex);
        if (pPane->nStyle & SBPS_STRETCH)
        {
            rc.right = rcClient.right;
            if (GetStyle() & SBARS_SIZEGRIP)
                rc.right -= ::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CXSMICON);
        }
        else
            rc.right = rc.left + pPane->cxText + 3 * ::GetSystemMetrics(SM_CXEDGE);
    }
    return rc;
}

CRect CExtStatusControlBar::GripRect()
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rc = rcClient;
    rc.left = rc.right - ::GetSystemMetrics(SM_CXVSCROLL);
    return rc;
}

// The pane under a client point; -1 for none, or where another window covers the bar.
int CExtStatusControlBar::HitTestPane(CPoint point)
{
    if (m_hWnd == NULL)
        return -1;
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    HWND hWndAt = ::WindowFromPoint(ptScreen);
    if (hWndAt != m_hWnd && !::IsChild(m_hWnd, hWndAt))
        return -1;
    for (int i = 0; i < m_nCount; i++)
    {
        CRect rc;
        GetItemRect(i, &rc);
        if (rc.PtInRect(point))
            return i;
    }
    return -1;
}

/////////////////////////////////////////////////////////////////////////////
// Colours and painting

void CExtStatusControlBar::SyncColors()
{
    COLORREF clrFace = g_CurrentPaintManager->GetColor(1000, this);
    if (clrFace != m_clrFace && m_hWnd != NULL)
    {
        m_clrFace = clrFace;
        ::SendMessageA(m_hWnd, SB_SETBKCOLOR, 0, (LPARAM)clrFace);
    }
    m_clrText = g_CurrentPaintManager->GetColor(COLOR_BTNTEXT, this);
    m_clrTextDisabled = g_CurrentPaintManager->GetColor(COLOR_BTNSHADOW, this);
}

void CExtStatusControlBar::DrawBackground(CDC& dc, const RECT& rcClient)
{
    if ((m_dwStatusStyle & STAT_PAINT_MANAGER) != 0 &&
        g_CurrentPaintManager->WantsParentBackground(this) &&
        g_CurrentPaintManager->DrawParentBackground(true, dc, this))
        return;
    dc.FillSolidRect(&rcClient, m_clrFace);
}

void CExtStatusControlBar::OnPaintPane(CDC&, int, const RECT&) {}

COLORREF CExtStatusControlBar::GetPaneTextColor(int) { return (COLORREF)-1; }

bool CExtStatusControlBar::IsSizeGripVisible() { return !g_bHideSizeGrip; }

// Draws a pane's icon, text (in its state's colour) and border the framework's way; the
// plain style only frames the pane over what the control drew.
void CExtStatusControlBar::DrawPaneContent(CDC& dc, int nIndex, const RECT& rcPane, UINT nStyle,
                                           HICON hIcon, LPCTSTR sText, UINT nFormat)
{
    bool bFramework = (m_dwStatusStyle & STAT_PAINT_MANAGER) != 0;
    bool bSeparators = (m_dwStatusStyle & STAT_SEPARATORS) != 0;
    CRect rcText = rcPane;
    if (bFramework)
    {
        if (hIcon != NULL)
        {
            int cxIcon = ::GetSystemMetrics(SM_CXSMICON), cyIcon = ::GetSystemMetrics(SM_CYSMICON);
            int y = rcText.top + (rcText.Height() - cyIcon) / 2;
            ::DrawIconEx(dc.m_hDC, rcText.left + 1, y, hIcon, cxIcon, cyIcon, 0, NULL, DI_NORMAL);
            rcText.left += cxIcon + 1;
        }
        bool bDisabled = (nStyle & SBPS_DISABLED) != 0;
        if (sText != NULL && *sText != 0 &&
            !(bDisabled && (m_dwStatusStyle & STAT_HIDE_DISABLED_TEXT)))
        {
            COLORREF clr = GetPaneTextColor(nIndex);
            if (clr == (COLORREF)-1)
                clr = bDisabled ? m_clrTextDisabled : m_clrText;
            COLORREF clrOld = dc.SetTextColor(clr);
            rcText.DeflateRect(2, 0);
            dc.DrawText(sText, -1, &rcText, nFormat);
            dc.SetTextColor(clrOld);
        }
        bool bBorder = nIndex == 0 ? (m_dwStatusStyle & STAT_DRAW_FIRST_BORDER) != 0
                                   : (nStyle & SBPS_NOBORDERS) == 0;
        if (bBorder && !(bFramework && bSeparators))
        {
            CExtPaintManager::BarBordersArgs_t bba(this, 2, 0, rcPane);
            g_CurrentPaintManager->DrawBarBorders(dc, bba);
        }
        return;
    }
    CRect rcFrame = rcPane;
    dc.Draw3dRect(&rcFrame, m_clrFace, m_clrFace);
}

void CExtStatusControlBar::DrawSizeGrip(CDC& dc, const RECT& rcGrip)
{
    if ((m_dwStatusStyle & STAT_PAINT_MANAGER) == 0)
        dc.FillSolidRect(&rcGrip, m_clrFace);
    if (!IsSizeGripVisible())
        return;
    CRect rc = rcGrip;
    rc.OffsetRect(-2, -2);
    g_CurrentPaintManager->DrawSizeGrip(dc, rc, this);
}

void CExtStatusControlBar::DrawPaneSeparator(CDC& dc, int, const RECT& rcPrev, const RECT& rcCur)
{
    CRect rc(rcPrev.right, rcCur.top + 1, rcCur.left, rcCur.bottom - 1);
    if (rc.Width() < 2)
    {
        rc.left -= 1;
        rc.right += 1;
    }
    g_CurrentPaintManager->DrawSeparator(dc, rc, false, true, this);
}

// Paints the whole bar off screen: background, the control's own drawing in the plain style,
// the panes, their separators and the size grip.
void CExtStatusControlBar::PaintAll(CDC& dcPaint)
{
    SyncColors();
    CRect rcClient;
    GetClientRect(&rcClient);
    bool bFramework = (m_dwStatusStyle & STAT_PAINT_MANAGER) != 0;
    CExtMemoryDC dc(&dcPaint, &rcClient, 3);
    UpdateAllPanes(FALSE, TRUE);
    DrawBackground(dc, rcClient);
    if (!bFramework)
    {
        m_bPaintingGuard = true;
        ::SendMessageA(m_hWnd, WM_PRINTCLIENT, (WPARAM)dc.m_hDC, PRF_CLIENT);
        m_bPaintingGuard = false;
    }
    CWnd* pParent = GetParent();
    CRect rcPanes = rcClient;
    bool bGripArea = pParent != NULL && !pParent->IsZoomed() &&
                     (pParent->GetStyle() & (WS_BORDER | WS_THICKFRAME)) != 0;
    if (bGripArea)
        rcPanes.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    CFont* pOldFont = NULL;
    if (bFramework)
    {
        pOldFont = dc.SelectObject(&g_CurrentPaintManager->m_FontNormal);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(m_clrText);
    }
    int nSaved = dc.SaveDC();
    dc.IntersectClipRect(&rcPanes);
    CRect rcPrev(0, 0, 0, 0);
    for (int i = 0; i < m_nCount; i++)
    {
        AFX_STATUSPANE* pPane = _GetPanePtr(i);
        CRect rc = GetPanePaintRect(i);
        if (rc.IsRectEmpty())
            continue;
        HICON hIcon = NULL;
        if ((m_dwStatusStyle & STAT_NO_ICONS) == 0)
            hIcon = (HICON)::SendMessageA(m_hWnd, SB_GETICON, (WPARAM)i, 0);
        DrawPaneContent(dc, i, rc, pPane->nStyle, hIcon, pPane->strText, GetPaneTextFormat(i));
        OnPaintPane(dc, i, rc);
        if (bFramework && (m_dwStatusStyle & STAT_SEPARATORS) && i > 0)
            DrawPaneSeparator(dc, i, rcPrev, rc);
        rcPrev = rc;
    }
    dc.RestoreDC(nSaved);
    if (bGripArea)
        DrawSizeGrip(dc, GripRect());
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
    g_CurrentPaintManager->OnPaintSessionComplete(this);
}

// Fits each pane control inside its pane's border in one deferred move, then redraws.
void CExtStatusControlBar::RepositionControls()
{
    if (m_hWnd == NULL)
        return;
    // without pane controls the bar is still redrawn: other children (a progress bar in a
    // pane) lay themselves out again when they are erased
    if (m_arrPaneControls.GetSize() == 0)
    {
        RedrawStatusBar();
        return;
    }
    HDWP hDWP = ::BeginDeferWindowPos((int)m_arrPaneControls.GetSize());
    int cxEdge = ::GetSystemMetrics(SM_CXEDGE), cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    for (INT_PTR i = 0; i < m_arrPaneControls.GetSize(); i++)
    {
        _STATUSBAR_PANE_CTRL_* pCtrl = m_arrPaneControls[i];
        int nIndex = CommandToIndex(pCtrl->m_nID);
        if (nIndex < 0 || pCtrl->m_hWnd == NULL || !::IsWindow(pCtrl->m_hWnd))
            continue;
        CRect rc = GetPanePaintRect(nIndex);
        if ((_GetPanePtr(nIndex)->nStyle & SBPS_NOBORDERS) ||
            (m_dwStatusStyle & STAT_SEPARATORS))
        {
            rc.bottom -= 1;
            rc.DeflateRect(cxEdge, 0);
        }
        else
            rc.DeflateRect(cxEdge, cyEdge);
        if (hDWP != NULL)
            hDWP = ::DeferWindowPos(hDWP, pCtrl->m_hWnd, NULL, rc.left, rc.top, rc.Width(),
                                    rc.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW |
                                        SWP_FRAMECHANGED | SWP_NOCOPYBITS |
                                        SWP_NOOWNERZORDER);
    }
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
    RedrawStatusBar();
}

/////////////////////////////////////////////////////////////////////////////
// Tips

INT_PTR CExtStatusControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (CExtPopupMenuWnd::IsTrackingActive())
        return -1;
    CExtStatusControlBar* pThis = const_cast<CExtStatusControlBar*>(this);
    int nIndex = pThis->HitTestPane(point);
    if (nIndex < 0)
        return -1;
    CString strTip = pThis->GetPaneTipText(nIndex);
    if (strTip.IsEmpty())
        return -1;
    UINT nID = _GetPanePtr(nIndex)->nID;
    if (pTI != NULL)
    {
        CRect rc;
        GetItemRect(nIndex, &rc);
        pTI->hwnd = m_hWnd;
        pTI->uId = nID;
        pTI->rect = rc;
        // freed by the class library's tool-tip code with free()
        size_t cb = (size_t)strTip.GetLength() + 1;
        LPSTR p = (LPSTR)malloc(cb);
        if (p != NULL)
            memcpy(p, (LPCTSTR)strTip, cb);
        pTI->lpszText = p != NULL ? p : LPSTR_TEXTCALLBACK;
    }
    return nID;
}

/////////////////////////////////////////////////////////////////////////////
// Messages

LRESULT CExtStatusControlBar::GuardedDefault(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_bPaintingGuard = true;
    LRESULT lResult = CStatusBar::WindowProc(message, wParam, lParam);
    m_bPaintingGuard = false;
    if (m_hWnd != NULL)
    {
        Invalidate(FALSE);
        UpdateWindow();
    }
    return lResult;
}

// Paints the bar itself (dropping nested paints), repaints after the control's own drawing,
// frames the non-client area, hides the grip's hit when it is off, offers the bars menu.
LRESULT CExtStatusControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(m_hWnd, &ps);
        if (m_bPaintingGuard)
        {
            // dropped, but the update region goes: otherwise the paint would repeat
            m_nDroppedPaints++;
            ::EndPaint(m_hWnd, &ps);
            return 0;
        }
        m_bPaintingGuard = true;
        CDC* pDC = CDC::FromHandle(hDC);
        PaintAll(*pDC);
        m_bPaintingGuard = false;
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return TRUE;
    case SB_SETTEXTA:
    case SB_SETICON:
        if (m_bPaintingGuard)
            return CStatusBar::WindowProc(message, wParam, lParam);
        return GuardedDefault(message, wParam, lParam);
    case WM_NCPAINT:
    {
        CWindowDC dc(this);
        CRect rcWnd, rcClient;
        GetWindowRect(&rcWnd);
        GetClientRect(&rcClient);
        ClientToScreen(&rcClient);
        rcClient.OffsetRect(-rcWnd.left, -rcWnd.top);
        rcWnd.OffsetRect(-rcWnd.left, -rcWnd.top);
        dc.ExcludeClipRect(&rcClient);
        dc.FillSolidRect(&rcWnd, g_CurrentPaintManager->GetColor(1000, this));
        CExtPaintManager::BarBordersArgs_t bba(this, 1, m_dwStyle, rcWnd);
        g_CurrentPaintManager->DrawBarBorders(dc, bba);
        return 0;
    }
    case WM_NCHITTEST:
    {
        LRESULT lResult = CStatusBar::WindowProc(message, wParam, lParam);
        if (lResult == HTCLIENT || IsSizeGripVisible())
            return lResult;
        return HTCLIENT;
    }
    case WM_SIZE:
    {
        LRESULT lResult = CStatusBar::WindowProc(message, wParam, lParam);
        RepositionControls();
        return lResult;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    {
        if (message == WM_SYSCOLORCHANGE)
        {
            g_CurrentPaintManager.OnSysColorChange(this);
            g_CmdManagerHolder->OnSysColorChange();
        }
        else
        {
            g_CurrentPaintManager.OnSettingChange(this, (UINT)wParam, (LPCTSTR)lParam);
            g_CmdManagerHolder->OnSettingChange((UINT)wParam, (LPCTSTR)lParam);
        }
        LRESULT lResult = CStatusBar::WindowProc(message, wParam, lParam);
        SyncColors();
        RedrawStatusBar();
        return lResult;
    }
    case WM_CONTEXTMENU:
    {
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
            pFrame = pFrame->GetParentFrame();
        if (pFrame == NULL || CExtControlBar::IsFrameInHelpMode(this))
            break;
        CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        if (lParam == (LPARAM)-1)
            ::GetCursorPos(&pt);
        CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
        if (!pPopup->InitAsEmptyPopup(pFrame->m_hWnd) ||
            !CExtControlBar::BuildBarsMenu(pFrame, pPopup, 3, NULL, 0, this) ||
            pPopup->GetItemCount() == 0)
        {
            delete pPopup;
            return 0;
        }
        CWnd* pOwner = GetOwner();
        if (pOwner != NULL)
            pOwner->SetFocus();
        if (!pPopup->StartTracking(0x800, pt.x, pt.y))
            delete pPopup;
        return 0;
    }
    default:
        break;
    }
    return CStatusBar::WindowProc(message, wParam, lParam);
}
