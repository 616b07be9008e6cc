// ExtMenuControlBar.cpp - CExtMenuControlBar and its MDI buttons.

#include "ExtMenuControlBar.h"
#include "uiframework/foundation/ExtCmdManager.h"
#include "uiframework/foundation/ExtCmdItem.h"
#include "uiframework/foundation/ExtResourceManager.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "afxpriv.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtMenuControlBar, CExtToolControlBar)
IMPLEMENT_DYNCREATE(CExtBarMdiDocButton, CExtBarButton)
IMPLEMENT_DYNCREATE(CExtBarMdiRightButton, CExtBarMdiDocButton)

BOOL CExtMenuControlBar::g_bIgnoreAltUp = FALSE;

namespace
{

CExtMenuControlBar* MenuBarOf(CExtBarButton* pTBB)
{
    return pTBB != NULL ? DYNAMIC_DOWNCAST(CExtMenuControlBar, pTBB->GetBar()) : NULL;
}

bool IsDroppedCombo(HWND hWnd)
{
    for (HWND h = hWnd; h != NULL; h = ::GetParent(h))
    {
        char szClass[32] = { 0 };
        ::GetClassNameA(h, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, "ComboBox") == 0)
            return ::SendMessageA(h, CB_GETDROPPEDSTATE, 0, 0) != 0;
        if ((::GetWindowLongA(h, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return false;
}

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
// CExtBarMdiDocButton

CExtBarMdiDocButton::CExtBarMdiDocButton(CExtToolControlBar* pBar, UINT nCmdID, HWND hWndChild)
    : CExtBarButton(pBar, nCmdID, 0), m_hWndActiveMdiChild(hWndChild)
{
}

void CExtBarMdiDocButton::SetStyle(UINT nStyle)
{
    CExtBarButton::SetStyle(nStyle & ~BS_DISABLED);
}

void CExtBarMdiDocButton::SetChild(HWND hWndChild)
{
    if (hWndChild == m_hWndActiveMdiChild)
        return;
    m_hWndActiveMdiChild = hWndChild;
    m_icon.Empty();
}

CExtCmdIcon* CExtBarMdiDocButton::GetIcon()
{
    if (!m_icon.IsEmpty())
        return &m_icon;
    HWND hWnd = m_hWndActiveMdiChild;
    if (hWnd == NULL || !::IsWindow(hWnd))
        return NULL;
    HICON hIcon = (HICON)::SendMessageA(hWnd, CExtControlBar::g_nMsgQueryIcon, 0, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::SendMessageA(hWnd, WM_GETICON, ICON_BIG, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtrA(hWnd, GCLP_HICONSM);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtrA(hWnd, GCLP_HICON);
    if (hIcon == NULL)
        return NULL;
    CExtCmdIcon iconSrc;
    iconSrc.AssignHIcon(hIcon, true);
    if (!m_icon.AssignScaled(iconSrc, 16, 16))
        return NULL;
    return &m_icon;
}

CSize CExtBarMdiDocButton::CalcSize(CDC&, CSize sizeDefault, BOOL bHorz)
{
    m_size = bHorz ? CSize(16 + 6, sizeDefault.cy) : CSize(sizeDefault.cx, 16 + 6);
    return m_size;
}

void CExtBarMdiDocButton::Paint(CDC& dc, BOOL bHorz)
{
    CRect rc = GetDisplayRect();
    if (rc.IsRectEmpty() || !IsVisible() || (m_nStyle & BS_HIDDEN))
        return;
    bool bTracking = CExtToolControlBar::g_bMenuTracking != FALSE;
    CExtPaintManager::PushButtonArgs_t args(this, bHorz != FALSE, rc, "", GetIcon(), true,
                                            !bTracking && (IsHover() || IsMenuTracking()),
                                            IsPressed() != FALSE, false, true, false, false,
                                            false, 5, NULL, false, 0, false);
    g_CurrentPaintManager->DrawPushButton(dc, args);
}

BOOL CExtBarMdiDocButton::IsMenuButton(BOOL) const
{
    return m_hWndActiveMdiChild != NULL && ::IsWindow(m_hWndActiveMdiChild) &&
           ::GetSystemMenu(m_hWndActiveMdiChild, FALSE) != NULL;
}

void CExtBarMdiDocButton::GetDisplayText(CString& strText) const
{
    strText.Empty();
}

void CExtBarMdiDocButton::OnUpdateCmdUI(CFrameWnd*, BOOL, int) {}

void CExtBarMdiDocButton::OnClick(CPoint point, BOOL bDown)
{
    if (m_pBar == NULL || m_pBar->IsButtonInputBlocked() || !bDown)
        return;
    CExtToolControlBar::EndAllButtonTracking();
    CExtToolControlBar::g_bMenuExpanded = FALSE;
    TrackButtonPopup(point, FALSE, FALSE);
}

int CExtBarMdiDocButton::TrackButtonPopup(CPoint point, BOOL bSelectFirst, BOOL bNoAnimation)
{
    CExtMenuControlBar* pMenuBar = MenuBarOf(this);
    if (pMenuBar == NULL)
        return CExtBarButton::TrackButtonPopup(point, bSelectFirst, bNoAnimation);
    if (pMenuBar->IsButtonInputBlocked() || !IsMenuButton())
        return -1;
    int nIndex = pMenuBar->GetButtonIndex(this);
    if (CExtToolControlBar::g_bMenuTracking && pMenuBar->GetTrackingIndex() == nIndex)
        return -1;
    CExtToolControlBar::EndAllButtonTracking();
    int nAlign = 4;
    if (pMenuBar->IsDockedAtLeft())
        nAlign = 1;
    else if (pMenuBar->IsDockedAtRight())
        nAlign = 3;
    else if (pMenuBar->IsDockedAtBottom())
        nAlign = 6;
    if (bNoAnimation)
        nAlign |= 0x8000;
    CRect rc = GetDisplayRect();
    pMenuBar->ClientToScreen(&rc);
    CPoint pt = rc.CenterPoint();
    pMenuBar->SetTrackingButton(nIndex);
    if (!pMenuBar->TrackSystemMenu(CWnd::FromHandle(m_hWndActiveMdiChild), &pt, bSelectFirst,
                                   &rc, nAlign, TRUE))
        pMenuBar->SetTrackingButton(-1);
    return -1;
}

BOOL CExtBarMdiDocButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
    if (pPopup == NULL || m_hWndActiveMdiChild == NULL)
        return FALSE;
    HMENU hSysMenu = ::GetSystemMenu(m_hWndActiveMdiChild, FALSE);
    if (hSysMenu == NULL)
        return FALSE;
    CString strText;
    if (!g_ResourceManagerHolder->LoadString(strText, 30003))
        strText = "Active document";
    CExtCmdIcon* pIcon = GetIcon();
    if (!pPopup->InsertNewSubMenu((UINT)-1, -1, strText,
                                  pIcon != NULL ? pIcon->GetHIcon() : NULL, m_hWndActiveMdiChild))
        return FALSE;
    CExtPopupMenuWnd* pSub = pPopup->GetItemPopup(pPopup->GetItemCount() - 1);
    if (pSub != NULL)
        pSub->UpdateFromHMENU(m_hWndActiveMdiChild, hSysMenu, false, false);
    pPopup->InsertCommandItem(0, -1);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CExtBarMdiRightButton

CExtBarMdiRightButton::CExtBarMdiRightButton(CExtToolControlBar* pBar, UINT nCmdID,
                                             HWND hWndChild)
    : CExtBarMdiDocButton(pBar, nCmdID, hWndChild)
{
}

BOOL CExtBarMdiRightButton::IsMenuButton(BOOL) const { return FALSE; }

CSize CExtBarMdiRightButton::CalcSize(CDC&, CSize sizeDefault, BOOL bHorz)
{
    CExtMenuControlBar* pMenuBar = MenuBarOf(this);
    CExtMenuControlBar::MdiButtonsInfo_t info;
    if (pMenuBar == NULL || !pMenuBar->GetActiveMdiChildInfo(info, this, bHorz))
    {
        m_size = CSize(1, 1);
        return m_size;
    }
    m_size = info.m_size;
    if (bHorz)
        m_size.cy = std::max((int)m_size.cy, (int)sizeDefault.cy);
    else
        m_size.cx = std::max((int)m_size.cx, (int)sizeDefault.cx);
    return m_size;
}

UINT CExtBarMdiRightButton::HitTestGlyph(CPoint point)
{
    CExtMenuControlBar* pMenuBar = MenuBarOf(this);
    CExtMenuControlBar::MdiButtonsInfo_t info;
    if (pMenuBar == NULL || !pMenuBar->GetActiveMdiChildInfo(info, this, pMenuBar->IsHorizontalLayout()))
        return 0;
    if (info.m_bHelp && info.m_rcHelp.PtInRect(point))
        return SC_CONTEXTHELP;
    if (info.m_bMin && info.m_rcMin.PtInRect(point))
        return SC_MINIMIZE;
    if (info.m_bMin && info.m_rcRestore.PtInRect(point))
        return SC_RESTORE;
    if (info.m_bMax && !info.m_bMin && info.m_rcMax.PtInRect(point))
        return SC_MAXIMIZE;
    if (info.m_rcClose.PtInRect(point))
        return SC_CLOSE;
    return 0;
}

void CExtBarMdiRightButton::Paint(CDC& dc, BOOL bHorz)
{
    CRect rc = GetDisplayRect();
    if (rc.IsRectEmpty() || !IsVisible() || (m_nStyle & BS_HIDDEN))
        return;
    CExtMenuControlBar* pMenuBar = MenuBarOf(this);
    CExtMenuControlBar::MdiButtonsInfo_t info;
    if (pMenuBar == NULL || !pMenuBar->GetActiveMdiChildInfo(info, this, bHorz))
        return;
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    pMenuBar->ScreenToClient(&ptCursor);
    bool bLButton = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    struct Glyph_t
    {
        bool bShow;
        CRect rc;
        UINT nCmd;
        bool bEnabled;
    } glyphs[] = {
        { info.m_bHelp, info.m_rcHelp, SC_CONTEXTHELP, true },
        { info.m_bMin, info.m_rcMin, SC_MINIMIZE, true },
        { info.m_bMin, info.m_rcRestore, SC_RESTORE, true },
        { info.m_bMax && !info.m_bMin, info.m_rcMax, SC_MAXIMIZE, true },
        { true, info.m_rcClose, SC_CLOSE, info.m_bClose },
    };
    for (const Glyph_t& g : glyphs)
    {
        if (!g.bShow)
            continue;
        bool bOver = g.rc.PtInRect(ptCursor) != FALSE && IsHover();
        CExtPaintManager::PushButtonArgs_t args(this, bHorz != FALSE, g.rc, "", NULL, true,
                                                bOver, bOver && bLButton, false, g.bEnabled,
                                                false, false, false, 5, NULL, false, g.nCmd,
                                                false);
        g_CurrentPaintManager->DrawPushButton(dc, args);
    }
}

void CExtBarMdiRightButton::OnClick(CPoint point, BOOL bDown)
{
    CExtMenuControlBar* pMenuBar = MenuBarOf(this);
    if (pMenuBar == NULL || bDown || pMenuBar->IsButtonInputBlocked())
        return;
    UINT nCmd = HitTestGlyph(point);
    HWND hWndChild = m_hWndActiveMdiChild;
    if (nCmd == 0 || hWndChild == NULL || !::IsWindow(hWndChild))
        return;
    CPoint ptScreen = point;
    pMenuBar->ClientToScreen(&ptScreen);
    if (nCmd == SC_MAXIMIZE)
        ::PostMessageA(pMenuBar->GetMdiClient(), WM_MDIRESTORE, (WPARAM)hWndChild, 0);
    else
        ::PostMessageA(hWndChild, WM_SYSCOMMAND, nCmd, MAKELPARAM(ptScreen.x, ptScreen.y));
    if (nCmd == SC_MINIMIZE || nCmd == SC_RESTORE)
    {
        ModifyStyle(BS_HIDDEN, 0);
        CExtBarButton* pDoc = pMenuBar->GetButton(0);
        if (pDoc != NULL && pDoc->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)) &&
            !pDoc->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)))
            pDoc->ModifyStyle(BS_HIDDEN, 0);
        pMenuBar->PostRebuildMenuButtons();
    }
}

int CExtBarMdiRightButton::TrackButtonPopup(CPoint, BOOL, BOOL) { return -1; }

INT_PTR CExtBarMdiRightButton::OnToolHitTest(CPoint point, TOOLINFO* pTI)
{
    CExtMenuControlBar* pMenuBar = MenuBarOf(this);
    CExtMenuControlBar::MdiButtonsInfo_t info;
    UINT nCmd = HitTestGlyph(point);
    if (pMenuBar == NULL || nCmd == 0 ||
        !pMenuBar->GetActiveMdiChildInfo(info, this, pMenuBar->IsHorizontalLayout()))
        return -1;
    UINT nString = 0;
    CRect rc;
    switch (nCmd)
    {
    case SC_CONTEXTHELP: nString = ID_CONTEXT_HELP; rc = info.m_rcHelp; break;
    case SC_MINIMIZE: nString = AFX_IDS_SCMINIMIZE; rc = info.m_rcMin; break;
    case SC_RESTORE: nString = AFX_IDS_SCRESTORE; rc = info.m_rcRestore; break;
    case SC_MAXIMIZE: nString = AFX_IDS_SCMAXIMIZE; rc = info.m_rcMax; break;
    default: nString = AFX_IDS_SCCLOSE; rc = info.m_rcClose; break;
    }
    CString strText;
    g_ResourceManagerHolder->LoadString(strText, nString);
    int nNewLine = strText.Find('\n');
    if (nNewLine >= 0)
        strText = strText.Mid(nNewLine + 1);
    if (pTI != NULL)
    {
        pTI->rect = rc;
        pTI->uId = nString;
        pTI->hwnd = pMenuBar->m_hWnd;
        pTI->lpszText = AllocTipText(strText);
    }
    return (INT_PTR)nString;
}

int CExtBarMdiRightButton::OnHelpHitTest(CPoint point)
{
    INT_PTR n = OnToolHitTest(point, NULL);
    return (int)n;
}

BOOL CExtBarMdiRightButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
    CExtMenuControlBar* pMenuBar = MenuBarOf(this);
    CExtMenuControlBar::MdiButtonsInfo_t info;
    if (pPopup == NULL || pMenuBar == NULL ||
        !pMenuBar->GetActiveMdiChildInfo(info, this, TRUE))
        return FALSE;
    int nCount = pPopup->GetItemCount();
    if (nCount > 0 && pPopup->GetItemCmdID(nCount - 1) != 0)
        pPopup->InsertCommandItem(0, -1);
    if (info.m_bMin)
    {
        pPopup->InsertCommandItem(SC_MINIMIZE, -1, NULL, NULL, NULL, 0, m_hWndActiveMdiChild);
        pPopup->InsertCommandItem(SC_RESTORE, -1, NULL, NULL, NULL, 0, m_hWndActiveMdiChild);
    }
    else if (info.m_bMax)
        pPopup->InsertCommandItem(SC_MAXIMIZE, -1, NULL, NULL, NULL, 0, m_hWndActiveMdiChild);
    pPopup->InsertCommandItem(SC_CLOSE, -1, NULL, NULL, NULL, 0, m_hWndActiveMdiChild);
    return TRUE;
}

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

CSize CExtMenuControlBar::CalcLayoutSize(DWORD dwMode, int nLength)
{
    if (IsDockedMultiLine() && nLength < 0 && (dwMode & LM_VERTDOCK) == 0 && IsHorizontalLayout())
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

/////////////////////////////////////////////////////////////////////////////
// Tracking

BOOL CExtMenuControlBar::TrackButtonMenu(int nIndex, BOOL bSelectFirst, BOOL, BOOL bNoAnimation)
{
    if (g_bMenuTracking && m_nTrackingIndex == nIndex && nIndex >= 0)
        return TRUE;
    if (m_hWnd == NULL || !IsWindowVisible())
        return FALSE;
    LeaveKeyboardMode(false);
    PostMessage(g_nMsgTrackButtonMenu, (WPARAM)nIndex,
                (LPARAM)((bNoAnimation ? 1 : 0) | (bSelectFirst ? 2 : 0)));
    return TRUE;
}

void CExtMenuControlBar::OnTrackButtonMenuMsg(WPARAM wParam, LPARAM lParam)
{
    CFrameWnd* pFrame = GetParentFrame();
    if ((pFrame != NULL && !pFrame->IsWindowEnabled()) || GetButtonCount() == 0)
        return;
    int nIndex = (int)wParam;
    CExtBarButton* pTBB = GetButton(nIndex);
    if (pTBB == NULL)
    {
        LeaveKeyboardMode();
        EndAllButtonTracking();
        return;
    }
    bool bOpen = pTBB->IsMenuButton() && ((lParam & 2) != 0 || g_bMenuTracking ||
                                          CExtPopupMenuWnd::IsTrackingActive());
    if (bOpen)
    {
        CExtToolControlBar::TrackButtonMenu(nIndex, TRUE, FALSE, (lParam & 1) != 0);
        return;
    }
    EnterKeyboardMode(nIndex);
}

void CExtMenuControlBar::EnterKeyboardMode(int nIndex)
{
    EndAllButtonTracking();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (!m_bKeyboardMode)
    {
        HWND hWndFocus = ::GetFocus();
        if (hWndFocus != NULL)
            ::SendMessageA(hWndFocus, WM_CANCELMODE, 0, 0);
    }
    m_bKeyboardMode = true;
    m_nKeyboardIndex = nIndex;
    SyncKeyboardSelection(TRUE);
}

void CExtMenuControlBar::LeaveKeyboardMode(bool bRedraw)
{
    if (!m_bKeyboardMode && m_nKeyboardHighlight < 0)
        return;
    m_bKeyboardMode = false;
    SyncKeyboardSelection(bRedraw ? TRUE : FALSE);
}

void CExtMenuControlBar::SyncKeyboardSelection(BOOL bRedraw)
{
    if (m_nKeyboardHighlight < 0 && m_nKeyboardIndex < 0)
        m_bKeyboardMode = false;
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus != NULL && IsDroppedCombo(hWndFocus))
    {
        for (HWND h = hWndFocus; h != NULL; h = ::GetParent(h))
        {
            char szClass[32] = { 0 };
            ::GetClassNameA(h, szClass, sizeof(szClass));
            if (lstrcmpiA(szClass, "ComboBox") == 0)
            {
                ::SendMessageA(h, CB_SHOWDROPDOWN, FALSE, 0);
                break;
            }
        }
    }
    if (m_bKeyboardMode)
    {
        CExtBarButton* pOld = GetButton(m_nKeyboardHighlight);
        if (pOld != NULL && m_nKeyboardHighlight != m_nKeyboardIndex)
        {
            pOld->ModifyStyle(0, CExtBarButton::BS_PRESSED | CExtBarButton::BS_CHECKED);
            if (bRedraw)
                pOld->RedrawButton();
        }
        CExtBarButton* pNew = GetButton(m_nKeyboardIndex);
        if (pNew != NULL)
        {
            pNew->ModifyStyle(CExtBarButton::BS_PRESSED, 0);
            if (bRedraw)
                pNew->RedrawButton();
        }
        m_nKeyboardHighlight = m_nKeyboardIndex;
    }
    else
    {
        CExtBarButton* pOld = GetButton(m_nKeyboardHighlight);
        if (pOld != NULL && m_nKeyboardHighlight != m_nTrackingIndex)
        {
            pOld->ModifyStyle(0, CExtBarButton::BS_PRESSED);
            if (bRedraw)
                pOld->RedrawButton();
        }
        m_nKeyboardHighlight = m_nKeyboardIndex = -1;
    }
    if (bRedraw && m_hWnd != NULL)
        UpdateWindow();
}

BOOL CExtMenuControlBar::TrackSystemMenu(CWnd* pWnd, POINT* pt, BOOL bSelectFirst,
                                         RECT* pExclude, int nAlign, BOOL bPaintButton)
{
    LeaveKeyboardMode();
    if (pWnd == NULL || pWnd->m_hWnd == NULL)
        return FALSE;
    HMENU hSysMenu = ::GetSystemMenu(pWnd->m_hWnd, FALSE);
    if (hSysMenu == NULL)
        return FALSE;
    if (nAlign == -1)
        nAlign = 6;
    bool bWasTracking = g_bMenuTracking != FALSE;
    int nTracking = m_nTrackingIndex;
    EndAllButtonTracking();
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->UpdateFromHMENU(pWnd->m_hWnd, hSysMenu, false, true))
    {
        delete pPopup;
        return FALSE;
    }
    CPoint ptTrack;
    if (pt != NULL)
        ptTrack = *pt;
    else
    {
        ptTrack = CPoint(0, 0);
        pWnd->ClientToScreen(&ptTrack);
        ptTrack.x += ::GetSystemMetrics(SM_CXFRAME);
    }
    DWORD dwFlags = (DWORD)nAlign | 0x820 | (bWasTracking ? 0x100 : 0);
    if (bSelectFirst)
        dwFlags |= 0x40;
    pWnd->SetFocus();
    if (nTracking >= 0 && bPaintButton)
        SetTrackingButton(nTracking);
    CExtBarButton* pTBB = bPaintButton ? GetButton(nTracking) : NULL;
    if (!pPopup->StartTracking(dwFlags, ptTrack.x, ptTrack.y, pExclude, pTBB,
                               pTBB != NULL ? CExtBarButton::stat_PaintButtonInPopup : NULL,
                               NULL, pTBB != NULL))
    {
        // the popup stays ours when it could not track
        delete pPopup;
        EndAllButtonTracking();
        return FALSE;
    }
    g_bMenuTracking = TRUE;
    m_bSystemMenuTracking = true;
    return TRUE;
}

BOOL CExtMenuControlBar::TrackFrameSystemMenu(POINT* pt, BOOL bSelectFirst)
{
    if ((m_dwMenuBarFlags & MBF_FRAME_SYSMENU) == 0)
        return FALSE;
    CFrameWnd* pFrame = GetHostFrame();
    CWnd* pTop = pFrame != NULL ? pFrame->GetTopLevelFrame() : GetTopLevelParent();
    if (pTop == NULL)
        return FALSE;
    g_bMenuTracking = TRUE;
    SetTrackingButton(-1);
    if (!TrackSystemMenu(pTop, pt, bSelectFirst, NULL, -1, FALSE))
        return FALSE;
    m_nSystemMenuKind = 1;
    return TRUE;
}

BOOL CExtMenuControlBar::TrackMdiChildSystemMenu(POINT* pt, BOOL bSelectFirst)
{
    if ((m_dwMenuBarFlags & MBF_CHILD_SYSMENU) == 0 || !IsMdiMode())
        return FALSE;
    CExtBarButton* pFirst = GetButton(0);
    if (pFirst != NULL && pFirst->GetRuntimeClass() == RUNTIME_CLASS(CExtBarMdiDocButton))
    {
        HWND hWndFocus = ::GetFocus();
        if (hWndFocus != NULL)
            ::SendMessageA(hWndFocus, WM_CANCELMODE, 0, 0);
        CRect rc = pFirst->GetDisplayRect();
        pFirst->TrackButtonPopup(rc.CenterPoint(), bSelectFirst, TRUE);
        if (m_bSystemMenuTracking)
            m_nSystemMenuKind = 2;
        return m_bSystemMenuTracking ? TRUE : FALSE;
    }
    HWND hWndChild = GetActiveMdiChild();
    if (hWndChild == NULL)
        return FALSE;
    if (!TrackSystemMenu(CWnd::FromHandle(hWndChild), pt, bSelectFirst, NULL, -1, FALSE))
        return FALSE;
    m_nSystemMenuKind = 2;
    return TRUE;
}

void CExtMenuControlBar::MoveMenu(bool bNext)
{
    int nSysKind = GetSystemMenuKind();
    int nCount = GetButtonCount();
    // the top-level menus in bar order (the document button counts as the child's menu)
    int nFirst = -1, nLast = -1;
    for (int i = 0; i < nCount; i++)
    {
        CExtBarButton* pTBB = m_arrButtons[i];
        if (!pTBB->IsMenuButton() || pTBB == m_pExpandButton || !pTBB->IsVisible() ||
            pTBB->GetRuntimeClass() == RUNTIME_CLASS(CExtBarMdiDocButton))
            continue;
        if (nFirst < 0)
            nFirst = i;
        nLast = i;
    }
    HWND hWndChild = IsMdiMode() ? GetActiveMdiChild() : NULL;
    if (nSysKind == 1)
    {
        if (bNext)
        {
            if (hWndChild != NULL)
                TrackMdiChildSystemMenu(NULL, TRUE);
            else if (nFirst >= 0)
                CExtToolControlBar::TrackButtonMenu(nFirst, TRUE, FALSE, TRUE);
        }
        else if (nLast >= 0)
            CExtToolControlBar::TrackButtonMenu(nLast, TRUE, FALSE, TRUE);
        return;
    }
    if (nSysKind == 2)
    {
        if (bNext && nFirst >= 0)
            CExtToolControlBar::TrackButtonMenu(nFirst, TRUE, FALSE, TRUE);
        else if (!bNext)
            TrackFrameSystemMenu(NULL, TRUE);
        return;
    }
    int nCur = m_nTrackingIndex;
    if (nCur < 0)
        return;
    if (bNext && nCur >= nLast)
    {
        TrackFrameSystemMenu(NULL, TRUE);
        return;
    }
    if (!bNext && nCur <= nFirst)
    {
        if (hWndChild != NULL)
            TrackMdiChildSystemMenu(NULL, TRUE);
        else
            TrackFrameSystemMenu(NULL, TRUE);
        return;
    }
    int nNew = nCur;
    for (int i = nCur + (bNext ? 1 : -1); i >= nFirst && i <= nLast; i += bNext ? 1 : -1)
    {
        CExtBarButton* pTBB = m_arrButtons[i];
        if (pTBB->IsMenuButton() && pTBB->IsVisible() && pTBB != m_pExpandButton &&
            pTBB->GetRuntimeClass() != RUNTIME_CLASS(CExtBarMdiDocButton))
        {
            nNew = i;
            break;
        }
    }
    if (nNew != nCur)
        CExtToolControlBar::TrackButtonMenu(nNew, TRUE, FALSE, TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// Keyboard

BOOL CExtMenuControlBar::PreTranslateFrameMessage(MSG* pMsg)
{
    if (m_hWnd == NULL || pMsg == NULL)
        return FALSE;
    UINT nMsg = pMsg->message;
    if (nMsg == WM_ACTIVATE || nMsg == WM_SETFOCUS || nMsg == WM_KILLFOCUS ||
        nMsg == WM_ACTIVATEAPP)
    {
        g_bIgnoreAltUp = TRUE;
        return FALSE;
    }
    bool bBlocked = IsButtonInputBlocked();
    if (IsMdiMode())
    {
        UINT nCmd = LOWORD(pMsg->wParam);
        if ((nMsg == WM_COMMAND &&
             ((nCmd >= ID_WINDOW_NEW && nCmd <= ID_WINDOW_SPLIT) || nCmd == ID_NEXT_PANE ||
              nCmd == ID_PREV_PANE)) ||
            (nMsg >= WM_MDIACTIVATE && nMsg <= WM_MDIICONARRANGE))
        {
            if (bBlocked)
                return TRUE;
        }
    }
    bool bPreview = IsFrameInPrintPreview();
    bool bCombo = IsDroppedCombo(::GetFocus());
    if (nMsg == WM_COMMAND)
    {
        if (HIWORD(pMsg->wParam) == 0 && pMsg->lParam == 0)
            g_bIgnoreAltUp = (::GetKeyState(VK_MENU) & 0x8000) != 0;
        return FALSE;
    }
    if (nMsg == WM_CONTEXTMENU)
        return (g_bMenuTracking || m_bKeyboardMode || bBlocked) ? TRUE : FALSE;
    bool bKeyMsg = nMsg == WM_KEYDOWN || nMsg == WM_KEYUP || nMsg == WM_SYSKEYDOWN ||
                   nMsg == WM_SYSKEYUP;
    if (!bKeyMsg)
    {
        bool bMouse = (nMsg >= WM_LBUTTONDOWN && nMsg <= WM_MOUSELAST && nMsg != WM_MOUSEMOVE) ||
                      (nMsg >= WM_NCLBUTTONDOWN && nMsg <= WM_NCMBUTTONDBLCLK);
        if (m_bKeyboardMode && bMouse)
            LeaveKeyboardMode();
        return FALSE;
    }
    bool bUp = nMsg == WM_KEYUP || nMsg == WM_SYSKEYUP;
    bool bSysKey = nMsg == WM_SYSKEYDOWN || nMsg == WM_SYSKEYUP;
    UINT nVK = (UINT)pMsg->wParam;
    bool bAlt = (pMsg->lParam & (1 << 29)) != 0 || (::GetKeyState(VK_MENU) & 0x8000) != 0;
    bool bCtrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    bool bShift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;

    // Alt alone
    if (nVK == VK_MENU && !bCtrl && !bShift)
    {
        if (bBlocked)
            return TRUE;
        if (bPreview || bCombo)
            return FALSE;
        if (m_bKeyboardMode)
        {
            if (bUp)
                LeaveKeyboardMode();
            return TRUE;
        }
        if (!bUp)
        {
            g_bIgnoreAltUp = FALSE;
            return FALSE;
        }
        if (g_bIgnoreAltUp || g_bMenuTracking || CExtPopupMenuWnd::IsTrackingActive())
        {
            g_bIgnoreAltUp = FALSE;
            return FALSE;
        }
        CFrameWnd* pFrame = GetHostFrame();
        if (pFrame != NULL && (pFrame->GetStyle() & WS_CHILD))
        {
            HWND hWndFore = ::GetForegroundWindow();
            if (hWndFore != pFrame->m_hWnd && !::IsChild(pFrame->m_hWnd, hWndFore))
                return FALSE;
        }
        g_bMenuExpanded = FALSE;
        TrackButtonMenu(0);
        return TRUE;
    }
    if (bAlt && !bCtrl && !m_bHostedOutside &&
        (nVK == VK_SPACE ||
         (IsMdiMode() && bSysKey && (nVK == VK_OEM_MINUS || nVK == VK_SUBTRACT))))
    {
        if (bUp || bBlocked)
            return TRUE;
        CFrameWnd* pFrame = GetHostFrame();
        HWND hWndActive = ::GetActiveWindow();
        if (pFrame != NULL && hWndActive != pFrame->m_hWnd &&
            (::GetWindowLongA(hWndActive, GWL_STYLE) & WS_POPUP) != 0)
            return FALSE;
        g_bMenuExpanded = FALSE;
        LeaveKeyboardMode();
        if (nVK == VK_SPACE)
        {
            TrackFrameSystemMenu(NULL, TRUE);
            return TRUE;
        }
        if (GetActiveMdiChild() == NULL)
        {
            g_bIgnoreAltUp = TRUE;
            return TRUE;
        }
        TrackMdiChildSystemMenu(NULL, TRUE);
        return TRUE;
    }
    if (bPreview || bCombo)
        return FALSE;
    bool bNavKey = nVK == VK_RETURN || nVK == VK_ESCAPE || nVK == VK_LEFT || nVK == VK_RIGHT ||
                   nVK == VK_UP || nVK == VK_DOWN;
    if (bAlt || (m_bKeyboardMode && !bNavKey))
    {
        if (bUp)
            return TRUE;
        BYTE ks[256] = { 0 };
        WORD wChar = 0;
        UINT nScan = (UINT)((pMsg->lParam >> 16) & 0xFF);
        int nChars = ::ToAsciiEx(nVK, nScan, ks, &wChar, 0, ::GetKeyboardLayout(0));
        if (nChars <= 0)
        {
            g_bIgnoreAltUp = TRUE;
            return m_bKeyboardMode ? TRUE : FALSE;
        }
        TCHAR ch = (TCHAR)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)wChar);
        CExtMenuControlBar* pFound = NULL;
        int nFound = FindButtonByMnemonic(ch);
        if (nFound >= 0)
            pFound = this;
        else
        {
            CSingleLock lock(&g_csAllBars, TRUE);
            for (INT_PTR i = 0; i < g_arrAllBars.GetSize() && pFound == NULL; i++)
            {
                CExtMenuControlBar* pOther = DYNAMIC_DOWNCAST(CExtMenuControlBar, g_arrAllBars[i]);
                if (pOther == NULL || pOther == this || pOther->m_hWnd == NULL)
                    continue;
                bool bSame = m_bHostedOutside
                                 ? (pOther->GetParent() == GetParent() && pOther->IsWindowVisible())
                                 : pOther->m_pDockSite == m_pDockSite;
                if (!bSame)
                    continue;
                int n = pOther->FindButtonByMnemonic(ch);
                if (n >= 0)
                {
                    pFound = pOther;
                    nFound = n;
                }
            }
        }
        if (pFound == NULL)
        {
            g_bIgnoreAltUp = TRUE;
            return FALSE;
        }
        CExtBarButton* pTBB = pFound->GetButton(nFound);
        if (pTBB->IsMenuButton())
        {
            HWND hWndFocus = ::GetFocus();
            if (hWndFocus != NULL)
                ::SendMessageA(hWndFocus, WM_CANCELMODE, 0, 0);
            pFound->LeaveKeyboardMode();
            pFound->TrackButtonMenu(nFound, TRUE, FALSE,
                                    (pFound->m_dwMenuBarFlags & MBF_KEYBOARD_NO_ANIMATION) != 0);
        }
        else
        {
            pFound->LeaveKeyboardMode();
            pTBB->DeliverCommand();
        }
        return TRUE;
    }
    if (m_bKeyboardMode && !bBlocked)
    {
        if (bUp)
            return TRUE;
        CExtBarButton* pTBB = GetButton(m_nKeyboardIndex);
        switch (nVK)
        {
        case VK_RETURN:
        case VK_UP:
        case VK_DOWN:
            if (pTBB != NULL && pTBB->IsMenuButton())
            {
                int nIndex = m_nKeyboardIndex;
                LeaveKeyboardMode(false);
                CExtToolControlBar::TrackButtonMenu(
                    nIndex, TRUE, FALSE, (m_dwMenuBarFlags & MBF_KEYBOARD_NO_ANIMATION) != 0);
            }
            else if (pTBB != NULL && nVK == VK_RETURN && pTBB->IsPlainCommandButton())
            {
                LeaveKeyboardMode();
                pTBB->DeliverCommand();
            }
            break;
        case VK_ESCAPE:
            LeaveKeyboardMode();
            break;
        case VK_LEFT:
        case VK_RIGHT:
        {
            int nNext = GetNextMenuButton(m_nKeyboardIndex, nVK == VK_RIGHT, TRUE);
            if (nNext >= 0)
            {
                m_nKeyboardIndex = nNext;
                SyncKeyboardSelection(TRUE);
            }
            break;
        }
        default:
            break;
        }
        return TRUE;
    }
    return FALSE;
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
