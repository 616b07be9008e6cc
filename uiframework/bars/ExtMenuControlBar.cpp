// ExtMenuControlBar.cpp - CExtMenuControlBar: the menus, the buttons built from them, the
// MDI child's buttons on the bar, the layout, and the frame, client and child hooks.

#include "ExtMenuControlBar.h"
#include "uiframework/foundation/ExtCmdManager.h"
#include "uiframework/foundation/ExtCmdItem.h"
#include "uiframework/foundation/ExtResourceManager.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "afxpriv.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtMenuControlBar, CExtToolControlBar)

BOOL CExtMenuControlBar::g_bIgnoreAltUp = FALSE;

namespace
{

CString StripAmpersands(const CString& str)
{
    CString s = str;
    s.Remove('&');
    s.TrimLeft();
    s.TrimRight();
    return s;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CExtMenuControlBar

CExtMenuControlBar::MdiButtonsInfo_t::MdiButtonsInfo_t()
    : m_bValid(false), m_bClose(false), m_bMax(false), m_bMin(false), m_bHelp(false),
      m_cxButton(0), m_cyButton(0), m_size(0, 0), m_rcHelp(0, 0, 0, 0), m_rcMin(0, 0, 0, 0),
      m_rcRestore(0, 0, 0, 0), m_rcMax(0, 0, 0, 0), m_rcClose(0, 0, 0, 0), m_hWndChild(NULL)
{
}

CExtMenuControlBar::CExtMenuControlBar()
    : m_nMdiButtonsCmdID(0), m_hWndHooked(NULL), m_bKeyboardMode(false),
      m_bSystemMenuTracking(false), m_nKeyboardIndex(-1), m_nKeyboardHighlight(-1),
      m_dwMenuBarFlags(MBF_MULTILINE | MBF_KEYBOARD_NO_ANIMATION | MBF_FRAME_SYSMENU |
                       MBF_CHILD_SYSMENU),
      m_bDefaultMenuOwned(false), m_bHostedOutside(false), m_bFrameDestroying(false),
      m_nSystemMenuKind(0),
      m_hWndMdiClient(NULL), m_hWndFrameHooked(NULL), m_hWndTopHooked(NULL)
{
    m_bPanelsMenuInChevron = false;
}

CExtMenuControlBar::~CExtMenuControlBar()
{
    RemoveHookFromAll();
    ReleaseMenus();
}

void CExtMenuControlBar::ReleaseMenus()
{
    // borrowed menus belong to the frame or the document template
    if (m_menuDefault.GetSafeHmenu() != NULL)
    {
        if (m_bDefaultMenuOwned)
            m_menuDefault.DestroyMenu();
        else
            m_menuDefault.Detach();
    }
    m_bDefaultMenuOwned = false;
    if (m_menuMdiSet.GetSafeHmenu() != NULL)
        m_menuMdiSet.Detach();
}

CFrameWnd* CExtMenuControlBar::GetHostFrame() const
{
    return m_bHostedOutside ? NULL : m_pDockSite;
}

CSize CExtMenuControlBar::GetDefaultButtonSize() const { return CSize(23, 20); }

BOOL CExtMenuControlBar::IsDockedMultiLine() const
{
    if (m_hWnd == NULL || m_pDockSite == NULL || m_pDockBar == NULL || IsFloating() ||
        m_bFixedWrapping || m_bHostedOutside)
        return FALSE;
    return (m_dwMenuBarFlags & MBF_MULTILINE) != 0;
}

bool CExtMenuControlBar::IsFullRowBar() const { return true; }
bool CExtMenuControlBar::IsDynamicDockingAllowed() const { return false; }
BOOL CExtMenuControlBar::IsMdiMode() const { return (m_dwMenuBarFlags & MBF_MDI) != 0; }
BOOL CExtMenuControlBar::IsMdiButtonsEnabled() const { return TRUE; }

CMenu* CExtMenuControlBar::GetCurrentMenu()
{
    if (m_menuMdiSet.GetSafeHmenu() != NULL)
        return &m_menuMdiSet;
    if (m_menuDefault.GetSafeHmenu() != NULL)
        return &m_menuDefault;
    return NULL;
}

void CExtMenuControlBar::SetMdiWindowPopupName(LPCTSTR lpszName)
{
    m_strMdiWindowPopupName = lpszName != NULL ? lpszName : "";
    m_strMdiWindowPopupName.Remove('&');
}

BOOL CExtMenuControlBar::LoadMenuBar(UINT nMenuResID)
{
    if (m_pDockSite != NULL && !m_bHostedOutside && m_hWnd == NULL)
        return FALSE;
    ReleaseMenus();
    if (!g_ResourceManagerHolder->LoadMenu(&m_menuDefault, nMenuResID))
        return FALSE;
    m_bDefaultMenuOwned = true;
    if (m_hWnd != NULL)
        g_CmdManagerHolder->UpdateFromMenuHandle(
            g_CmdManagerHolder->FindProfileNameForWindow(m_hWnd), m_menuDefault.GetSafeHmenu(),
            false, true);
    return RebuildMenuButtons(TRUE);
}

int CExtMenuControlBar::FindMdiButton(CRuntimeClass* pClass) const
{
    for (int i = 0; i < GetButtonCount(); i++)
    {
        if (m_arrButtons[i]->GetRuntimeClass() == pClass)
            return i;
    }
    return -1;
}

int CExtMenuControlBar::GetFirstMenuIndex() const
{
    return (GetButtonCount() > 1 && FindMdiButton(RUNTIME_CLASS(CExtBarMdiDocButton)) == 0) ? 1 : 0;
}

// One button per item of the current menu (popups get a fresh command id), then the MDI buttons.
BOOL CExtMenuControlBar::RebuildMenuButtons(BOOL bRecalc)
{
    if (m_hWnd == NULL)
        return FALSE;
    LPCTSTR lpszProfile = g_CmdManagerHolder->FindProfileNameForWindow(m_hWnd);
    RemoveAllButtons();
    m_nKeyboardIndex = m_nKeyboardHighlight = -1;
    m_bKeyboardMode = false;
    g_CmdManagerHolder->RemoveCommandsByFlags(lpszProfile, CExtCmdItem::STATE_POPUP_COMMAND);
    CMenu* pMenu = GetCurrentMenu();
    if (pMenu != NULL)
    {
        int nCount = ::GetMenuItemCount(pMenu->GetSafeHmenu());
        for (int i = 0; i < nCount; i++)
        {
            char szText[1024] = { 0 };
            MENUITEMINFOA mii;
            ::ZeroMemory(&mii, sizeof(mii));
            mii.cbSize = sizeof(mii);
            mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
            mii.dwTypeData = szText;
            mii.cch = sizeof(szText) - 1;
            if (!::GetMenuItemInfoA(pMenu->GetSafeHmenu(), (UINT)i, TRUE, &mii))
                return FALSE;
            CString strText = szText;
            UINT nCmdID = 0;
            bool bWindowList = false;
            if (mii.hSubMenu != NULL)
            {
                CExtCmdItem* pItem = g_CmdManagerHolder->AllocateCommand(lpszProfile, 0);
                if (pItem == NULL)
                    return FALSE;
                pItem->SetPopupCommand(true);
                nCmdID = pItem->m_nCmdID;
                bWindowList = IsMdiMode() && !m_strMdiWindowPopupName.IsEmpty() &&
                              StripAmpersands(strText) == m_strMdiWindowPopupName;
            }
            else
                nCmdID = (mii.fType & MFT_SEPARATOR) ? 0 : mii.wID;
            if (nCmdID != 0)
            {
                CExtCmdItem* pItem = g_CmdManagerHolder->FindCommand(lpszProfile, nCmdID);
                if (pItem == NULL)
                {
                    CExtCmdItem item(nCmdID);
                    g_CmdManagerHolder->SetCommand(lpszProfile, &item);
                    pItem = g_CmdManagerHolder->FindCommand(lpszProfile, nCmdID);
                }
                if (pItem == NULL)
                    return FALSE;
                if (pItem->m_strMenuText.IsEmpty())
                    pItem->m_strMenuText = strText;
                if (pItem->m_strAltText.IsEmpty())
                    pItem->m_strAltText = strText;
            }
            CExtBarButton* pTBB = CreateButton(nCmdID, 0);
            if (pTBB == NULL)
                return FALSE;
            m_arrButtons.Add(pTBB);
            if (mii.hSubMenu != NULL)
            {
                pTBB->SetMenu(mii.hSubMenu, FALSE, FALSE);
                if (bWindowList)
                    pTBB->SetAppendMdiWindowsMenu(TRUE);
            }
        }
    }
    if ((m_dwMenuBarFlags & MBF_MULTILINE) == 0)
    {
        m_pExpandButton = CreateContentExpandButton();
        if (m_pExpandButton != NULL)
            m_arrButtons.Add(m_pExpandButton);
    }
    if (IsMdiMode())
    {
        SyncMdiButtons(FALSE);
        CheckActiveMdiChild();
    }
    if (bRecalc)
    {
        Invalidate();
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != NULL)
            pFrame->RecalcLayout();
        // the bar's size may stay the same (a whole row): its buttons move all the same
        RecalcButtonLayout();
        UpdateWindow();
        CFrameWnd* pHost = GetHostFrame();
        if (pHost != NULL && pHost->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
            pHost->SetWindowPos(NULL, 0, 0, 0, 0,
                                SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                                    SWP_FRAMECHANGED);
    }
    return TRUE;
}

HWND CExtMenuControlBar::GetActiveMdiChild(BOOL* pbMaximized)
{
    if (pbMaximized != NULL)
        *pbMaximized = FALSE;
    if (!IsMdiMode() || m_hWndMdiClient == NULL || !::IsWindow(m_hWndMdiClient))
        return NULL;
    BOOL bMax = FALSE;
    HWND hWnd = (HWND)::SendMessageA(m_hWndMdiClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMax);
    if (hWnd == NULL || !::IsWindowVisible(hWnd))
        return NULL;
    if (pbMaximized != NULL)
        *pbMaximized = bMax || ::IsZoomed(hWnd);
    return hWnd;
}

// Adds the document and caption buttons while the active child is maximised, else removes them.
BOOL CExtMenuControlBar::SyncMdiButtons(BOOL bRecalc)
{
    BOOL bMax = FALSE;
    HWND hWndChild = GetActiveMdiChild(&bMax);
    bool bChanged = false;
    int nDoc = FindMdiButton(RUNTIME_CLASS(CExtBarMdiDocButton));
    int nRight = FindMdiButton(RUNTIME_CLASS(CExtBarMdiRightButton));
    if (hWndChild != NULL && bMax && IsMdiButtonsEnabled())
    {
        LPCTSTR lpszProfile = g_CmdManagerHolder->FindProfileNameForWindow(m_hWnd);
        if (m_nMdiButtonsCmdID == 0)
        {
            CExtCmdItem* pItem = g_CmdManagerHolder->AllocateCommand(lpszProfile, 0);
            if (pItem != NULL)
                m_nMdiButtonsCmdID = pItem->m_nCmdID;
        }
        if (nRight < 0)
        {
            int nPos = GetButtonCount();
            if (m_pExpandButton != NULL)
                nPos = GetButtonIndex(m_pExpandButton);
            m_arrButtons.InsertAt(nPos, new CExtBarMdiRightButton(this, m_nMdiButtonsCmdID,
                                                                  hWndChild));
            bChanged = true;
        }
        if (nDoc < 0 && ::GetSystemMenu(hWndChild, FALSE) != NULL)
        {
            m_arrButtons.InsertAt(0, new CExtBarMdiDocButton(this, m_nMdiButtonsCmdID,
                                                             hWndChild));
            bChanged = true;
        }
        nDoc = FindMdiButton(RUNTIME_CLASS(CExtBarMdiDocButton));
        nRight = FindMdiButton(RUNTIME_CLASS(CExtBarMdiRightButton));
        if (nDoc >= 0)
        {
            CExtBarMdiDocButton* p = (CExtBarMdiDocButton*)m_arrButtons[nDoc];
            p->SetChild(hWndChild);
            p->ModifyStyle(0, CExtBarButton::BS_HIDDEN);
        }
        if (nRight >= 0)
        {
            CExtBarMdiRightButton* p = (CExtBarMdiRightButton*)m_arrButtons[nRight];
            p->SetChild(hWndChild);
            p->ModifyStyle(0, CExtBarButton::BS_HIDDEN);
        }
    }
    else
    {
        if (nRight >= 0)
        {
            delete m_arrButtons[nRight];
            m_arrButtons.RemoveAt(nRight);
            bChanged = true;
        }
        nDoc = FindMdiButton(RUNTIME_CLASS(CExtBarMdiDocButton));
        if (nDoc >= 0)
        {
            delete m_arrButtons[nDoc];
            m_arrButtons.RemoveAt(nDoc);
            bChanged = true;
        }
    }
    if (bChanged)
    {
        m_nTrackingIndex = m_nPressedIndex = m_nHoverIndex = -1;
        m_nKeyboardIndex = m_nKeyboardHighlight = -1;
        m_bKeyboardMode = false;
    }
    if (bRecalc || bChanged)
    {
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != NULL && bRecalc)
            pFrame->RecalcLayout();
        RecalcButtonLayout();
        Invalidate();
    }
    return bChanged ? TRUE : FALSE;
}

void CExtMenuControlBar::CheckActiveMdiChild()
{
    if (m_bHostedOutside || GetDraggedBar() != NULL || m_hWnd == NULL || !IsWindowVisible())
        return;
    HWND hWndChild = GetActiveMdiChild();
    if (hWndChild == m_hWndHooked)
        return;
    if (m_hWndHooked != NULL && ::IsWindow(m_hWndHooked))
        SetupHookWndSink(m_hWndHooked, true);
    m_hWndHooked = hWndChild;
    if (hWndChild != NULL)
        SetupHookWndSink(hWndChild, false);
    SyncMdiButtons(TRUE);
}

// Which caption buttons the active child has, and each glyph's place inside pTBB's rectangle.
BOOL CExtMenuControlBar::GetActiveMdiChildInfo(MdiButtonsInfo_t& info, CExtBarButton* pTBB,
                                              BOOL bHorz)
{
    BOOL bMax = FALSE;
    HWND hWndChild = GetActiveMdiChild(&bMax);
    if (hWndChild == NULL)
        return FALSE;
    info.m_hWndChild = hWndChild;
    int cx = ::GetSystemMetrics(SM_CXSIZE) - 2;
    int cy = ::GetSystemMetrics(SM_CYSIZE) - 2;
    info.m_cxButton = cx;
    info.m_cyButton = cy;
    info.m_bValid = true;
    HMENU hSysMenu = ::GetSystemMenu(hWndChild, FALSE);
    UINT nState = hSysMenu != NULL ? ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND) : MF_GRAYED;
    info.m_bClose = nState != (UINT)-1 && (nState & (MF_GRAYED | MF_DISABLED)) == 0;
    DWORD dwStyle = (DWORD)::GetWindowLongA(hWndChild, GWL_STYLE);
    DWORD dwExStyle = (DWORD)::GetWindowLongA(hWndChild, GWL_EXSTYLE);
    info.m_bMax = (dwStyle & WS_MAXIMIZEBOX) != 0;
    info.m_bMin = (dwStyle & WS_MINIMIZEBOX) != 0;
    info.m_bHelp = info.m_bMax && (dwExStyle & WS_EX_CONTEXTHELP) != 0;
    int nAlong = 2;
    if (info.m_bMin)
        nAlong = 2 * cx + 6;
    else if (info.m_bMax)
        nAlong += cx + 2;
    if (info.m_bHelp)
        nAlong += cx + 2;
    nAlong += cx + 2;
    info.m_size = bHorz ? CSize(nAlong, cy + 2) : CSize(cy + 2, nAlong);
    CRect rcGroup = pTBB != NULL ? pTBB->GetDisplayRect() : CRect(0, 0, 0, 0);
    int nPos = (bHorz ? rcGroup.left : rcGroup.top) + 2;
    int nAcross = bHorz ? rcGroup.top + (rcGroup.Height() - cy) / 2
                        : rcGroup.left + (rcGroup.Width() - cx) / 2;
    auto place = [&](CRect& rc) {
        rc = bHorz ? CRect(nPos, nAcross, nPos + cx, nAcross + cy)
                   : CRect(nAcross, nPos, nAcross + cx, nPos + cy);
        nPos += (bHorz ? cx : cy) + 2;
    };
    if (info.m_bHelp)
        place(info.m_rcHelp);
    if (info.m_bMin)
    {
        place(info.m_rcMin);
        place(info.m_rcRestore);
    }
    else if (info.m_bMax)
        place(info.m_rcMax);
    place(info.m_rcClose);
    (void)bMax;
    return TRUE;
}

// Lays out as a toolbar, then puts the caption buttons at the far end and the chevron before them.
void CExtMenuControlBar::RecalcButtonLayout()
{
    CExtToolControlBar::RecalcButtonLayout();
    int nRight = FindMdiButton(RUNTIME_CLASS(CExtBarMdiRightButton));
    if (nRight < 0 || m_hWnd == NULL)
        return;
    CExtBarButton* pRight = m_arrButtons[nRight];
    if (!pRight->IsVisible())
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    bool bHorz = IsHorizontalLayout();
    CRect rc = pRight->GetDisplayRect();
    int nEnd = (bHorz ? rcClient.right : rcClient.bottom) - 1;
    if (m_pExpandButton != NULL && m_pExpandButton->IsVisible())
    {
        // the chevron goes before the group
        CRect rcChevron = m_pExpandButton->GetDisplayRect();
        int nLen = bHorz ? rc.Width() : rc.Height();
        if (bHorz)
            rcChevron.OffsetRect(nEnd - nLen - rcChevron.right, 0);
        else
            rcChevron.OffsetRect(0, nEnd - nLen - rcChevron.bottom);
        m_pExpandButton->SetRect(rcChevron);
    }
    if (bHorz)
        rc.OffsetRect(nEnd - rc.right, 0);
    else
        rc.OffsetRect(0, nEnd - rc.bottom);
    pRight->SetRect(rc);
}

// A docked horizontal menu bar wraps within the frame's width and takes the whole row.
CSize CExtMenuControlBar::CalcLayoutSize(DWORD dwMode, int nLength)
{
    if (IsDockedMultiLine() && nLength < 0 && (dwMode & (LM_HORZ | LM_HORZDOCK)) != 0 &&
        (dwMode & LM_VERTDOCK) == 0 && IsHorizontalLayout())
    {
        // a docked menu bar wraps within the frame's width
        int nAvail = AvailableDockedLength(true);
        if (nAvail > 0)
        {
            CRect rcInside(0, 0, 0, 0);
            AdjustInsideRect(rcInside, TRUE);
            // the frame's width less the reserve, the non-client frame and the borders
            int nWanted = std::max(1, nAvail - 6 - (int)(rcInside.left - rcInside.right) -
                                          m_cxLeftBorder - m_cxRightBorder);
            if (!m_bInNestedLayout)
                m_bWrappedInRow = false;
            ApplyWrapping(nWanted, FALSE);
            CSize size = MeasureButtons(FALSE);
            size.cx += rcInside.left - rcInside.right;
            size.cy += rcInside.top - rcInside.bottom;
            size.cx = nAvail;
            m_sizeDockedH = size;
            return size;
        }
    }
    return CExtToolControlBar::CalcLayoutSize(dwMode, nLength);
}

// A posted rebuild lays the frame out with the new menus: until it comes nothing is laid out
// with the old ones. A bar-state load or store keeps its frame's layout to itself. Otherwise
// the base lays a visible floating frame out at once and delays a docked bar's frame layout.
void CExtMenuControlBar::DelayFrameRecalcLayout()
{
    if ((m_dwMenuBarFlags & MBF_REBUILD_POSTED) != 0)
        return;
    if (m_pDockSite != NULL && IsFrameSerializing(m_pDockSite))
        return;
    CExtToolControlBar::DelayFrameRecalcLayout();
}

/////////////////////////////////////////////////////////////////////////////
// Frame, client and child hooks

void CExtMenuControlBar::CaptureFrameMenu()
{
    CFrameWnd* pFrame = GetHostFrame();
    if (pFrame == NULL || pFrame->m_hWnd == NULL || m_bFrameDestroying)
        return;
    HMENU hMenu = ::GetMenu(pFrame->m_hWnd);
    if (hMenu == NULL)
        return;
    ::SetMenu(pFrame->m_hWnd, NULL);
    PostRebuildMenuButtons();
}

void CExtMenuControlBar::PostActiveChildCheck()
{
    if ((m_dwMenuBarFlags & MBF_CHECK_POSTED) || m_hWnd == NULL)
        return;
    m_dwMenuBarFlags |= MBF_CHECK_POSTED;
    PostMessage(WM_TIMER, ID_TIMER_CHECK_CHILD);
}

void CExtMenuControlBar::PostRebuildMenuButtons()
{
    if ((m_dwMenuBarFlags & MBF_REBUILD_POSTED) || m_hWnd == NULL)
        return;
    m_dwMenuBarFlags |= MBF_REBUILD_POSTED;
    m_dwMenuBarFlags &= ~MBF_CHECK_POSTED;
    PostMessage(WM_TIMER, ID_TIMER_REBUILD);
}

void CExtMenuControlBar::HookMdiClient(HWND hWndMdiClient)
{
    m_hWndMdiClient = hWndMdiClient;
    SetupHookWndSink(hWndMdiClient, false);
    ::SetWindowPos(hWndMdiClient, NULL, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    CheckActiveMdiChild();
}

// Finds the frame's MDI client among its children by class name and hooks it.
bool CExtMenuControlBar::FindMdiClient()
{
    CFrameWnd* pFrame = GetHostFrame();
    if (pFrame == NULL)
        return false;
    for (HWND h = ::GetWindow(pFrame->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        char szClass[64] = { 0 };
        ::GetClassNameA(h, szClass, sizeof(szClass));
        CString strClass = szClass;
        strClass.MakeLower();
        if (strClass.Find("mdiclient") >= 0)
        {
            HookMdiClient(h);
            return true;
        }
    }
    return false;
}

// Takes over the frame's menu, hooks frame, top-level parent and MDI client; outside, the parent.
void CExtMenuControlBar::OnCreateMenuBar()
{
    CFrameWnd* pFrame = m_pDockSite;
    if (pFrame == NULL)
    {
        m_bHostedOutside = true;
        CWnd* pParent = GetParent();
        if (pParent != NULL)
        {
            m_hWndHooked = pParent->m_hWnd;
            SetupHookWndSink(pParent->m_hWnd, false);
        }
        return;
    }
    // the buttons' commands need a profile: a frame without one gets the default profile
    if (g_CmdManagerHolder->FindProfileNameForWindow(m_hWnd) == NULL)
        g_CmdManagerHolder->EnsureProfile(NULL, pFrame->m_hWnd);
    if ((pFrame->GetStyle() & WS_CHILD) == 0)
    {
        HMENU hMenu = ::GetMenu(pFrame->m_hWnd);
        if (hMenu != NULL)
        {
            ReleaseMenus();
            m_menuDefault.Attach(hMenu);
            // a frame that keeps the menu as its default one destroys it itself; a menu
            // that only its window held is the bar's from now on
            m_bDefaultMenuOwned = pFrame->m_hMenuDefault != hMenu;
        }
    }
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        m_dwMenuBarFlags |= MBF_MDI;
    RebuildMenuButtons(FALSE);
    if (::GetMenu(pFrame->m_hWnd) != NULL)
        ::SetMenu(pFrame->m_hWnd, NULL);
    CWnd* pTop = pFrame->GetTopLevelParent();
    if (pTop != NULL && pTop != pFrame)
    {
        m_hWndTopHooked = pTop->m_hWnd;
        SetupHookWndSink(pTop->m_hWnd, false);
    }
    m_hWndFrameHooked = pFrame->m_hWnd;
    SetupHookWndSink(pFrame->m_hWnd, false);
    if (IsMdiMode() && !FindMdiClient())
        SetTimer(ID_TIMER_FIND_CLIENT, 10, NULL);
    CExtPopupMenuWnd::PumpPendingMessages(false);
}

// Leaves the list of all bars, frees the MDI buttons' command and unhooks before the window goes.
void CExtMenuControlBar::OnDestroyMenuBar()
{
    {
        CSingleLock lock(&g_csAllBars, TRUE);
        for (INT_PTR i = 0; i < g_arrAllBars.GetSize(); i++)
        {
            if (g_arrAllBars[i] == this)
            {
                g_arrAllBars.RemoveAt(i);
                break;
            }
        }
    }
    LeaveKeyboardMode(false);
    if (m_nMdiButtonsCmdID != 0)
    {
        g_CmdManagerHolder->RemoveCommand(g_CmdManagerHolder->FindProfileNameForWindow(m_hWnd),
                                          m_nMdiButtonsCmdID);
        m_nMdiButtonsCmdID = 0;
    }
    RemoveHookFromAll();
    m_hWndHooked = m_hWndMdiClient = m_hWndFrameHooked = m_hWndTopHooked = NULL;
    ReleaseMenus();
}

// Hands each hooked window's messages to the MDI client, frame or child handler.
bool CExtMenuControlBar::OnHookWndMsg(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam,
                                      LPARAM& lParam)
{
    if (m_hWnd == NULL || GetDraggedBar() != NULL)
        return CExtHookSink::OnHookWndMsg(lResult, hWnd, nMessage, wParam, lParam);
    if (hWnd == m_hWndMdiClient && m_hWndMdiClient != NULL)
    {
        if (OnClientHookMsg(lResult, nMessage, wParam, lParam))
            return true;
    }
    else if (hWnd == m_hWndFrameHooked || hWnd == m_hWndTopHooked ||
             (m_bHostedOutside && hWnd == m_hWndHooked))
    {
        if (OnFrameHookMsg(lResult, nMessage, wParam, lParam))
            return true;
    }
    else if (hWnd == m_hWndHooked)
    {
        if (OnChildHookMsg(lResult, nMessage, wParam, lParam))
            return true;
    }
    return CExtHookSink::OnHookWndMsg(lResult, hWnd, nMessage, wParam, lParam);
}

// Frame: ends tracking on size, activation and commands, opens the system menu, passes keys on.
bool CExtMenuControlBar::OnFrameHookMsg(LRESULT& lResult, UINT nMessage, WPARAM wParam,
                                        LPARAM lParam)
{
    switch (nMessage)
    {
    case WM_DESTROY:
    case WM_NCDESTROY:
        // the frame gives its menu back to its window to destroy it with the window
        m_bFrameDestroying = true;
        return false;
    case WM_SIZE:
    case WM_ACTIVATEAPP:
    case WM_SYSCOMMAND:
        LeaveKeyboardMode();
        EndAllButtonTracking();
        return false;
    case WM_COMMAND:
        if (lParam == 0)
        {
            LeaveKeyboardMode();
            EndAllButtonTracking();
        }
        return false;
    case WM_PARENTNOTIFY:
        if (CExtPopupMenuWnd::IsTrackingActive())
        {
            lResult = 0;
            return true;
        }
        return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        if (!m_bHostedOutside && wParam == HTSYSMENU)
        {
            lResult = 0;
            return true;
        }
        return false;
    case WM_NCRBUTTONUP:
    case WM_NCLBUTTONUP:
        if (!m_bHostedOutside && !IsButtonInputBlocked() &&
            ((nMessage == WM_NCRBUTTONUP && (wParam == HTCAPTION || wParam == HTSYSMENU)) ||
             (nMessage == WM_NCLBUTTONUP && wParam == HTSYSMENU)))
        {
            CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
            TrackFrameSystemMenu(nMessage == WM_NCRBUTTONUP ? &pt : NULL, FALSE);
            lResult = 0;
            return true;
        }
        return false;
    default:
        break;
    }
    if (nMessage == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed)
    {
        m_bSystemMenuTracking = false;
        return false;
    }
    if (nMessage == CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded)
    {
        g_bMenuExpanded = TRUE;
        return false;
    }
    if (nMessage == CExtPopupMenuWnd::g_nMsgPopupNext ||
        nMessage == CExtPopupMenuWnd::g_nMsgPopupPrev)
    {
        MoveMenu(nMessage == CExtPopupMenuWnd::g_nMsgPopupNext);
        lResult = 0;
        return true;
    }
    if (!m_bHostedOutside)
        CaptureFrameMenu();
    MSG msg;
    ::ZeroMemory(&msg, sizeof(msg));
    msg.hwnd = m_hWndFrameHooked;
    msg.message = nMessage;
    msg.wParam = wParam;
    msg.lParam = lParam;
    if (nMessage >= WM_KEYFIRST && nMessage <= WM_KEYLAST && PreTranslateFrameMessage(&msg))
    {
        lResult = 0;
        return true;
    }
    return false;
}

// MDI client: the bars menu on a right click, child checks, and its WM_MDISETMENU menu kept.
bool CExtMenuControlBar::OnClientHookMsg(LRESULT& lResult, UINT nMessage, WPARAM wParam,
                                         LPARAM lParam)
{
    switch (nMessage)
    {
    case WM_CONTEXTMENU:
        if (!IsFrameInHelpMode(this) && GetHostFrame() != NULL)
        {
            CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
            if (lParam == (LPARAM)-1)
                ::GetCursorPos(&pt);
            CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
            CFrameWnd* pFrame = GetHostFrame();
            if (!pPopup->InitAsEmptyPopup(pFrame->m_hWnd) ||
                !BuildBarsMenu(pFrame, pPopup, 3, NULL, 0, this) || pPopup->GetItemCount() == 0 ||
                !pPopup->StartTracking(0x800, pt.x, pt.y))
                delete pPopup;
            lResult = 0;
            return true;
        }
        return false;
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
    case WM_MDINEXT:
        PostActiveChildCheck();
        return false;
    case WM_MDISETMENU:
    {
        HMENU hOld = m_menuMdiSet.Detach();
        HMENU hNew = (HMENU)wParam;
        if (hNew != NULL)
        {
            if (hNew == m_menuDefault.GetSafeHmenu())
                hNew = NULL;    // the frame's own menu: the default one shows again
            else
                m_menuMdiSet.Attach(hNew);
        }
        CFrameWnd* pFrame = GetHostFrame();
        if (pFrame != NULL && ::GetMenu(pFrame->m_hWnd) != NULL)
            ::SetMenu(pFrame->m_hWnd, NULL);
        PostRebuildMenuButtons();
        CallPrevWndProcWithMsg(WM_MDISETMENU, 0, 0);
        PostActiveChildCheck();
        lResult = (LRESULT)hOld;
        return true;
    }
    default:
        break;
    }
    return false;
}

// Active child: rebuilds when it is maximised or restored, opens its system menu from its caption.
bool CExtMenuControlBar::OnChildHookMsg(LRESULT& lResult, UINT nMessage, WPARAM wParam,
                                        LPARAM lParam)
{
    switch (nMessage)
    {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case WM_ACTIVATE:
    case WM_MDIACTIVATE:
    {
        if (nMessage != WM_WINDOWPOSCHANGED)
        {
            LeaveKeyboardMode();
            if (g_bMenuTracking && !m_bSystemMenuTracking)
                EndAllButtonTracking();
        }
        BOOL bMax = FALSE;
        HWND hWndChild = GetActiveMdiChild(&bMax);
        bool bHasDoc = FindMdiButton(RUNTIME_CLASS(CExtBarMdiDocButton)) >= 0;
        if (hWndChild != NULL && (bMax != FALSE) != bHasDoc)
            PostRebuildMenuButtons();
        else if (hWndChild == NULL && bHasDoc)
            PostRebuildMenuButtons();
        return false;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
    {
        HWND hWndChild = m_hWndHooked;
        if (hWndChild == NULL || IsButtonInputBlocked())
            return false;
        UINT nHit = (UINT)wParam;
        bool bIcon = nHit == HTSYSMENU;
        bool bCaption = nHit == HTCAPTION;
        bool bOpen = false;
        CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        bool bAtCursor = false;
        if (nMessage == WM_NCLBUTTONDOWN)
        {
            if (bCaption && ::IsIconic(hWndChild))
                bOpen = true;
            else if (bIcon)
            {
                if ((m_dwMenuBarFlags & MBF_CHILD_SYSMENU) == 0)
                    return false;
                lResult = 0;
                return true;
            }
        }
        else if (nMessage == WM_NCRBUTTONDOWN)
        {
            if (bIcon)
            {
                lResult = 0;
                return true;
            }
        }
        else if (nMessage == WM_NCRBUTTONUP)
        {
            bOpen = bCaption || bIcon;
            bAtCursor = true;
        }
        else
            bOpen = bIcon;
        if (!bOpen)
            return false;
        if (TrackSystemMenu(CWnd::FromHandle(hWndChild), bAtCursor ? &pt : NULL, FALSE, NULL, -1,
                            FALSE))
            m_nSystemMenuKind = 2;
        lResult = 0;
        return true;
    }
    default:
        break;
    }
    if (nMessage == CExtPopupMenuWnd::g_nMsgPopupNext ||
        nMessage == CExtPopupMenuWnd::g_nMsgPopupPrev)
    {
        MoveMenu(nMessage == CExtPopupMenuWnd::g_nMsgPopupNext);
        return true;
    }
    if (nMessage == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed)
        m_bSystemMenuTracking = false;
    return false;
}

void CExtMenuControlBar::OnDraggingStarted()
{
    LeaveKeyboardMode();
    EndAllButtonTracking();
    CExtToolControlBar::OnDraggingStarted();
}

void CExtMenuControlBar::OnDraggingFinished(InternalDraggingState_t* pCurrent,
                                            InternalDraggingState_t* pCandidate, BOOL bCancel)
{
    CExtToolControlBar::OnDraggingFinished(pCurrent, pCandidate, bCancel);
    if (IsMdiMode())
    {
        SyncMdiButtons(FALSE);
        RecalcButtonLayout();
    }
}

// Creation and destruction, the posted checks and rebuilds, and the mouse in keyboard mode.
LRESULT CExtMenuControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_CREATE:
    {
        LRESULT lResult = CExtToolControlBar::WindowProc(message, wParam, lParam);
        if (lResult != -1)
            OnCreateMenuBar();
        return lResult;
    }
    case WM_DESTROY:
        OnDestroyMenuBar();
        break;
    case WM_TIMER:
        if (wParam == ID_TIMER_CHECK_CHILD)
        {
            m_dwMenuBarFlags &= ~MBF_CHECK_POSTED;
            CheckActiveMdiChild();
            return 0;
        }
        if (wParam == ID_TIMER_REBUILD)
        {
            m_dwMenuBarFlags &= ~MBF_REBUILD_POSTED;
            RebuildMenuButtons(TRUE);
            return 0;
        }
        if (wParam == ID_TIMER_FIND_CLIENT)
        {
            if (FindMdiClient())
                KillTimer(ID_TIMER_FIND_CLIENT);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        if (!m_bKeyboardMode)
        {
            CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
            int nHit = HitTestButton(pt);
            if (nHit >= 0 && nHit == m_nTrackingIndex && g_bMenuTracking)
                return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (m_bKeyboardMode)
        {
            LeaveKeyboardMode();
            Invalidate();
        }
        break;
    case WM_MOUSEMOVE:
        if (m_bKeyboardMode)
        {
            CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
            int nHit = HitTestButton(pt);
            if (nHit >= 0 && nHit != m_nKeyboardIndex && GetButton(nHit)->IsMenuButton())
            {
                CExtToolControlBar::TrackButtonMenu(nHit, FALSE, FALSE, TRUE);
                return 0;
            }
        }
        break;
    default:
        if (message == g_nMsgTrackButtonMenu)
        {
            OnTrackButtonMenuMsg(wParam, lParam);
            return 0;
        }
        break;
    }
    return CExtToolControlBar::WindowProc(message, wParam, lParam);
}
