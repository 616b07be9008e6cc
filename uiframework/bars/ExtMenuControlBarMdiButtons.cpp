// ExtMenuControlBarMdiButtons.cpp - the buttons of the maximised MDI child on the menu bar:
// CExtBarMdiDocButton (its system menu) and CExtBarMdiRightButton (its caption buttons).

#include "ExtMenuControlBar.h"
#include "uiframework/foundation/ExtResourceManager.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtBarMdiDocButton, CExtBarButton)
IMPLEMENT_DYNCREATE(CExtBarMdiRightButton, CExtBarMdiDocButton)

namespace
{

CExtMenuControlBar* MenuBarOf(CExtBarButton* pTBB)
{
    return pTBB != NULL ? DYNAMIC_DOWNCAST(CExtMenuControlBar, pTBB->GetBar()) : NULL;
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

// The child's small icon, asked of the window first, then of its class, scaled to 16x16 and kept.
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

// Opens the child's system menu below the button, aligned to the side the bar is docked at.
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

// Lists the child's system menu as the "Active document" submenu of the chevron's popup.
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

// The caption group's size, at least one default button thick; 1x1 without an active child.
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

// Tests the glyphs the child shows in their order: help, minimise, restore, maximise, close.
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

// Draws each glyph the child has, hot and pressed under the mouse; close greyed when disabled.
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

// Sends the glyph's command to the child on release; minimise and restore rebuild the buttons.
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

// The tip of the glyph under the point: its system command's text after the newline.
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

// Lists the child's minimise and restore (or maximise) and close in the chevron's popup.
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
