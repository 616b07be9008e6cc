// ExtBarButton.cpp - CExtBarButton and the chevron CExtBarContentExpandButton.

#include "ExtBarButton.h"
#include "ExtToolControlBar.h"
#include "uiframework/foundation/ExtCmdManager.h"
#include "uiframework/foundation/ExtCmdItem.h"
#include "uiframework/foundation/ExtCmdIcon.h"
#include "uiframework/foundation/ExtResourceManager.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "afxpriv.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CExtBarButton, CObject)
IMPLEMENT_DYNCREATE(CExtBarContentExpandButton, CExtBarButton)

namespace
{
// first flag byte
const BYTE F1_OWN_MENU = 0x01, F1_MDI_LIST = 0x02, F1_SEPARATED = 0x04, F1_PLAIN_CLICK = 0x08,
           F1_ARROW_PRESS = 0x10, F1_NO_ROTATE = 0x20, F1_CTRL_VERT = 0x40, F1_TRACKING = 0x80;
// second flag byte
const BYTE F2_VISIBLE = 0x08, F2_HOVER = 0x10, F2_CTRL_SELF_DELETE = 0x20, F2_VERTICAL = 0x40,
           F2_SUB_POPUP = 0x80;
const int ARROW_PART = 5 + 6;

// A command's text in a popup: its menu text, else its toolbar text, its tool tip or, for a
// command with none of them, its status prompt.
CString PopupTextOf(const CExtCmdItem* pItem)
{
    if (pItem == NULL)
        return CString();
    for (const CString* p : { &pItem->m_strMenuText, &pItem->m_strAltText, &pItem->m_strTipText,
                              &pItem->m_strStatusTipText })
    {
        if (!p->IsEmpty())
            return *p;
    }
    return CString();
}

} // namespace

CExtBarButton::CExtBarButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
    : m_pBar(pBar), m_nCmdID(nCmdID), m_nEffectiveCmdID(nCmdID), m_nStyle(nStyle), m_size(0, 0),
      m_rc(0, 0, 0, 0), m_pCtrl(NULL), m_hMenu(NULL), m_nFlags1(0), m_nFlags2(F2_VISIBLE)
{
    if (nCmdID == 0)
        m_nStyle |= BS_SEPARATOR;
    else
        m_nStyle &= ~BS_SEPARATOR;
}

CExtBarButton::~CExtBarButton()
{
    if (m_hMenu != NULL && (m_nFlags1 & F1_OWN_MENU) && ::IsMenu(m_hMenu))
        ::DestroyMenu(m_hMenu);
    m_hMenu = NULL;
    SetCtrl(NULL);
}

LPCTSTR CExtBarButton::GetProfileName() const
{
    if (m_pBar == NULL || m_pBar->m_hWnd == NULL)
        return NULL;
    return g_CmdManagerHolder->FindProfileNameForWindow(m_pBar->m_hWnd);
}

LPSTR CExtBarButton::AllocTipText(const CString& strText)
{
    size_t cb = (size_t)strText.GetLength() + 1;
    LPSTR p = (LPSTR)malloc(cb);
    if (p == NULL)
        return LPSTR_TEXTCALLBACK;
    memcpy(p, (LPCTSTR)strText, cb);
    return p;
}

/////////////////////////////////////////////////////////////////////////////
// State

void CExtBarButton::SyncControlVisibility()
{
    if (m_pCtrl == NULL || m_pCtrl->GetSafeHwnd() == NULL)
        return;
    bool bShow = IsVisible() && (m_nStyle & BS_HIDDEN) == 0 &&
                 ((m_nFlags2 & F2_VERTICAL) == 0 || IsCtrlVisibleInLayout());
    m_pCtrl->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    m_pCtrl->EnableWindow(!IsDisabled());
    if (m_pCtrl->IsKindOf(RUNTIME_CLASS(CButton)))
    {
        int nCheck = (m_nStyle & (BS_PRESSED | BS_CHECKED)) ? 1 : (IsIndeterminate() ? 2 : 0);
        m_pCtrl->SendMessage(BM_SETCHECK, nCheck);
    }
}

BOOL CExtBarButton::IsLargeIcon() const
{
    return (IsSeparator() || m_pBar == NULL) ? FALSE : m_pBar->QueryLargeIcons();
}

BOOL CExtBarButton::IsTooltipEnabled() const
{
    return (IsSeparator() || m_pBar == NULL) ? FALSE : m_pBar->QueryShowTooltips();
}

BOOL CExtBarButton::IsAccelInTooltip() const
{
    return (IsSeparator() || m_pBar == NULL) ? FALSE : m_pBar->QueryAccelInTooltips();
}

UINT CExtBarButton::GetCmdID(BOOL bEffective) const
{
    return bEffective ? m_nEffectiveCmdID : m_nCmdID;
}

// Sets the command the button runs (its own id too unless bEffectiveOnly; id 0 makes a
// separator) and lays the bar out anew when the shown command changed.
void CExtBarButton::SetCmdID(UINT nID, BOOL bEffectiveOnly, BOOL bRedraw)
{
    UINT nOldEffective = m_nEffectiveCmdID;
    m_nEffectiveCmdID = nID;
    if (!bEffectiveOnly)
    {
        m_nCmdID = nID;
        if (nID == 0)
            m_nStyle |= BS_SEPARATOR;
        else
            m_nStyle &= ~BS_SEPARATOR;
    }
    if (bRedraw && nOldEffective != nID && m_pBar != NULL && m_pBar->m_hWnd != NULL)
    {
        m_pBar->Invalidate();
        CFrameWnd* pFrame = m_pBar->GetParentFrame();
        if (pFrame != NULL)
            pFrame->RecalcLayout();
        else
            m_pBar->RecalcButtonLayout();
    }
}

BOOL CExtBarButton::IsSeparatedDropDown() const { return (m_nFlags1 & F1_SEPARATED) != 0; }
void CExtBarButton::SetSeparatedDropDown(BOOL bSet)
{
    m_nFlags1 = bSet ? (m_nFlags1 | F1_SEPARATED) : (m_nFlags1 & ~F1_SEPARATED);
}
BOOL CExtBarButton::IsPlainClickMenu() const { return (m_nFlags1 & F1_PLAIN_CLICK) != 0; }
void CExtBarButton::SetPlainClickMenu(BOOL bSet)
{
    m_nFlags1 = bSet ? (m_nFlags1 | F1_PLAIN_CLICK) : (m_nFlags1 & ~F1_PLAIN_CLICK);
}
BOOL CExtBarButton::IsNoRotate() const { return (m_nFlags1 & F1_NO_ROTATE) != 0; }
void CExtBarButton::SetNoRotate(BOOL bSet)
{
    m_nFlags1 = bSet ? (m_nFlags1 | F1_NO_ROTATE) : (m_nFlags1 & ~F1_NO_ROTATE);
}
BOOL CExtBarButton::IsCtrlVisibleInLayout() const { return (m_nFlags1 & F1_CTRL_VERT) != 0; }
void CExtBarButton::SetCtrlVisibleInLayout(BOOL bSet)
{
    m_nFlags1 = bSet ? (m_nFlags1 | F1_CTRL_VERT) : (m_nFlags1 & ~F1_CTRL_VERT);
}

CWnd* CExtBarButton::GetCtrl() { return m_pCtrl; }

// Puts a control in the button's place; the old control is destroyed, and deleted unless
// it deletes itself.
void CExtBarButton::SetCtrl(CWnd* pCtrl, BOOL bCtrlDeletesItself)
{
    if (m_pCtrl != NULL && m_pCtrl != pCtrl)
    {
        CWnd* pOld = m_pCtrl;
        bool bSelfDelete = (m_nFlags2 & F2_CTRL_SELF_DELETE) != 0;
        m_pCtrl = NULL;
        if (pOld->GetSafeHwnd() != NULL)
            pOld->DestroyWindow();
        if (!bSelfDelete)
            delete pOld;
    }
    m_pCtrl = pCtrl;
    m_nFlags2 = bCtrlDeletesItself ? (m_nFlags2 | F2_CTRL_SELF_DELETE)
                                   : (m_nFlags2 & ~F2_CTRL_SELF_DELETE);
    SyncControlVisibility();
}

UINT CExtBarButton::GetStyle() const { return m_nStyle; }

void CExtBarButton::SetStyle(UINT nStyle)
{
    m_nStyle = nStyle;
    if ((nStyle & BS_PRESSED) == 0)
        UnmarkMenuTracking();
    if (nStyle & BS_SEPARATOR)
        m_nCmdID = m_nEffectiveCmdID = 0;
    SyncControlVisibility();
}

void CExtBarButton::ModifyStyle(UINT nAdd, UINT nRemove)
{
    SetStyle((m_nStyle & ~nRemove) | nAdd);
}

void CExtBarButton::MarkMenuTracking() { m_nFlags1 |= F1_TRACKING; }
void CExtBarButton::UnmarkMenuTracking() { m_nFlags1 &= ~F1_TRACKING; }
BOOL CExtBarButton::IsMenuTracking() const { return (m_nFlags1 & F1_TRACKING) != 0; }

void CExtBarButton::SetVertical(BOOL bVertical)
{
    m_nFlags2 = bVertical ? (m_nFlags2 | F2_VERTICAL) : (m_nFlags2 & ~F2_VERTICAL);
}

BOOL CExtBarButton::IsWrap(int nState) const
{
    return nState >= 0 && nState <= 2 && (m_nFlags2 & (1 << nState)) != 0;
}

void CExtBarButton::SetWrap(int nState, BOOL bWrap)
{
    if (nState < 0 || nState > 2)
        return;
    BYTE nBit = (BYTE)(1 << nState);
    m_nFlags2 = bWrap ? (m_nFlags2 | nBit) : (m_nFlags2 & ~nBit);
}

BOOL CExtBarButton::IsSeparator() const { return (m_nStyle & BS_SEPARATOR) != 0; }
BOOL CExtBarButton::IsDisabled() const { return (m_nStyle & BS_DISABLED) != 0; }
BOOL CExtBarButton::IsIndeterminate() const { return (m_nStyle & BS_INDETERMINATE) != 0; }
BOOL CExtBarButton::IsPressed() const { return (m_nStyle & (BS_PRESSED | BS_CHECKED)) != 0; }

void CExtBarButton::SetVisible(BOOL bVisible)
{
    m_nFlags2 = bVisible ? (m_nFlags2 | F2_VISIBLE) : (m_nFlags2 & ~F2_VISIBLE);
    SyncControlVisibility();
}

BOOL CExtBarButton::IsVisible() const { return (m_nFlags2 & F2_VISIBLE) != 0; }

void CExtBarButton::SetHover(BOOL bHover)
{
    m_nFlags2 = bHover ? (m_nFlags2 | F2_HOVER) : (m_nFlags2 & ~F2_HOVER);
}

BOOL CExtBarButton::IsHover() const { return (m_nFlags2 & F2_HOVER) != 0; }

void CExtBarButton::GetDisplayText(CString& strText) const
{
    strText.Empty();
    if (IsSeparator())
        return;
    CExtCmdItem* pItem = g_CmdManagerHolder->FindCommand(GetProfileName(), m_nEffectiveCmdID);
    if (pItem == NULL)
        return;
    strText = pItem->m_strAltText;
    int nTab = strText.Find('\t');
    if (nTab >= 0)
        strText = strText.Left(nTab);
}

// Sets the button's rectangle and centres its visible control across it at the control's
// own size.
void CExtBarButton::SetRect(const RECT& rc)
{
    m_rc = rc;
    if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL && m_pCtrl->IsWindowVisible())
    {
        CRect rcCtrl;
        m_pCtrl->GetWindowRect(&rcCtrl);
        CRect rcNew = m_rc;
        if (m_nFlags2 & F2_VERTICAL)
        {
            rcNew.left += (m_rc.Width() - rcCtrl.Width()) / 2;
            rcNew.right = rcNew.left + rcCtrl.Width();
            rcNew.bottom = rcNew.top + rcCtrl.Height();
        }
        else
        {
            rcNew.top += (m_rc.Height() - rcCtrl.Height()) / 2;
            rcNew.bottom = rcNew.top + rcCtrl.Height();
            rcNew.right = rcNew.left + rcCtrl.Width();
        }
        m_pCtrl->MoveWindow(&rcNew);
    }
}

// Where the button paints: its rectangle, moved out by the bar's extent for the chevron of
// a docked flat toolbar that shows its parent's background.
CRect CExtBarButton::GetDisplayRect() const
{
    CRect rc = m_rc;
    if (m_pBar != NULL && IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton)) &&
        !m_pBar->IsMenuBar() && !m_pBar->IsFloating() && m_pBar->m_pDockBar != NULL &&
        g_CurrentPaintManager->WantsParentBackground(m_pBar) &&
        g_CurrentPaintManager->IsFlatStyle())
    {
        CSize sizeExtent(0, 0);
        g_CurrentPaintManager->GetBarButtonExtent(&sizeExtent);
        if (m_pBar->IsHorizontalLayout())
            rc.OffsetRect(sizeExtent.cx, 0);
        else
            rc.OffsetRect(0, sizeExtent.cy);
    }
    return rc;
}

CRect CExtBarButton::CalcDropDownRect() const
{
    CRect rc = GetDisplayRect();
    bool bHorz = m_pBar == NULL || m_pBar->IsHorizontalLayout() || IsNoRotate();
    if (bHorz)
        rc.left = std::max((int)rc.left, (int)rc.right - ARROW_PART);
    else
        rc.top = std::max((int)rc.top, (int)rc.bottom - ARROW_PART);
    return rc;
}

CSize CExtBarButton::GetSize() const { return m_size; }

void CExtBarButton::SetMenu(HMENU hMenu, BOOL bSubPopup, BOOL bOwnMenu)
{
    if (m_hMenu != NULL && m_hMenu != hMenu && (m_nFlags1 & F1_OWN_MENU) && ::IsMenu(m_hMenu))
        ::DestroyMenu(m_hMenu);
    m_hMenu = hMenu;
    if (hMenu != NULL && m_pBar != NULL && m_pBar->m_hWnd != NULL)
        g_CmdManagerHolder->UpdateFromMenuHandle(GetProfileName(), hMenu, false, true);
    m_nFlags2 = bSubPopup ? (m_nFlags2 | F2_SUB_POPUP) : (m_nFlags2 & ~F2_SUB_POPUP);
    m_nFlags1 = bOwnMenu ? (m_nFlags1 | F1_OWN_MENU) : (m_nFlags1 & ~F1_OWN_MENU);
    m_nStyle &= ~BS_DISABLED;
}

HMENU CExtBarButton::GetMenu() const { return m_hMenu; }

void CExtBarButton::SetAppendMdiWindowsMenu(BOOL bSet)
{
    m_nFlags1 = bSet ? (m_nFlags1 | F1_MDI_LIST) : (m_nFlags1 & ~F1_MDI_LIST);
}

BOOL CExtBarButton::IsAppendMdiWindowsMenu() const { return (m_nFlags1 & F1_MDI_LIST) != 0; }
BOOL CExtBarButton::IsDropDown() const { return IsMenuButton(FALSE); }

BOOL CExtBarButton::IsMenuButton(BOOL) const
{
    return m_hMenu != NULL || IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton));
}

BOOL CExtBarButton::IsMenuSubPopup() const { return (m_nFlags2 & F2_SUB_POPUP) != 0; }

BOOL CExtBarButton::IsPlainCommandButton() const
{
    return !IsSeparator() && (m_pCtrl == NULL || m_pCtrl->GetSafeHwnd() == NULL);
}

/////////////////////////////////////////////////////////////////////////////
// Measuring and painting

CSize CExtBarButton::CalcSize(CDC& dc, CSize sizeDefault, BOOL bHorz)
{
    if (IsNoRotate())
        bHorz = TRUE;
    if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL &&
        (bHorz || IsCtrlVisibleInLayout()))
    {
        CRect rc;
        m_pCtrl->GetWindowRect(&rc);
        m_size = CSize(rc.Width(), std::max((int)rc.Height(), (int)sizeDefault.cy));
        return m_size;
    }
    if (IsSeparator())
    {
        m_size = bHorz ? CSize(6, sizeDefault.cy) : CSize(sizeDefault.cx, 6);
        return m_size;
    }
    LPCTSTR lpszProfile = GetProfileName();
    CExtCmdItem* pItem = g_CmdManagerHolder->FindCommand(lpszProfile, m_nEffectiveCmdID);
    if (pItem == NULL)
    {
        m_size = sizeDefault;
        return m_size;
    }
    CSize sizeIcon(0, 0);
    CExtCmdIcon* pIcon = GetIcon();
    if (pIcon != NULL && !pIcon->IsEmpty())
    {
        sizeIcon = pIcon->GetSize();
        if (IsLargeIcon())
            sizeIcon = CSize(sizeIcon.cx * 2, sizeIcon.cy * 2);
    }
    CString strText;
    GetDisplayText(strText);
    CString strMeasure;
    for (int i = 0; i < strText.GetLength(); i++)
    {
        if (strText[i] == '&')
        {
            if (i + 1 < strText.GetLength() && strText[i + 1] == '&')
            {
                strMeasure += '&';
                i++;
            }
            continue;
        }
        strMeasure += strText[i];
    }
    CSize sizeText(0, 0);
    if (!strMeasure.IsEmpty())
    {
        CRect rcText(0, 0, 0, 0);
        dc.DrawText(strMeasure, &rcText, DT_CALCRECT | DT_SINGLELINE);
        sizeText = rcText.Size();
    }
    CSize size;
    if (bHorz)
        size = CSize(sizeIcon.cx + sizeText.cx + 6,
                     std::max((int)sizeIcon.cy, (int)sizeText.cy) + 6);
    else
        size = CSize(std::max((int)sizeIcon.cx, (int)sizeText.cy) + 6,
                     sizeIcon.cy + sizeText.cx + 3 + 6);
    size.cx = std::max((int)size.cx, (int)sizeDefault.cx);
    size.cy = std::max((int)size.cy, (int)sizeDefault.cy);
    if (IsMenuButton(FALSE) && m_pBar != NULL && !m_pBar->IsMenuBar())
    {
        if (bHorz)
            size.cx += ARROW_PART;
        else
            size.cy += ARROW_PART;
    }
    m_size = size;
    return m_size;
}

CExtCmdIcon* CExtBarButton::GetIcon()
{
    if (m_pBar == NULL || m_pBar->m_hWnd == NULL)
        return NULL;
    return g_CmdManagerHolder->FindCommandIcon(GetProfileName(), m_nEffectiveCmdID);
}

CWnd* CExtBarButton::GetCmdTargetWnd() const
{
    if (m_pBar == NULL)
        return NULL;
    CWnd* pOwner = m_pBar->GetOwner();
    return pOwner != NULL ? pOwner : m_pBar->GetParent();
}

// Draws the button through the paint manager in its state (hover, pressed, disabled, the
// drop-down part); a button whose control shows is left to the control.
void CExtBarButton::Paint(CDC& dc, BOOL bHorz)
{
    CRect rc = GetDisplayRect();
    if (rc.IsRectEmpty() || !IsVisible() || (m_nStyle & BS_HIDDEN))
        return;
    CRect rcClip;
    if (dc.GetClipBox(&rcClip) != NULLREGION && !CRect().IntersectRect(&rcClip, &rc))
        return;
    if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL && m_pCtrl->IsWindowVisible())
        return;
    if (IsNoRotate())
        bHorz = TRUE;
    CString strText;
    GetDisplayText(strText);
    CExtCmdIcon* pIcon = GetIcon();
    CExtCmdIcon iconLarge;
    if (pIcon != NULL && !pIcon->IsEmpty() && IsLargeIcon())
    {
        CSize size = pIcon->GetSize();
        if (iconLarge.AssignScaled(*pIcon, size.cx * 2, size.cy * 2))
            pIcon = &iconLarge;
    }
    bool bBlocked = m_pBar != NULL && m_pBar->IsButtonInputBlocked();
    bool bMenuTracking = CExtToolControlBar::g_bMenuTracking != FALSE;
    bool bHover = !bBlocked && !bMenuTracking && (IsHover() || IsMenuTracking());
    bool bPushed = !bBlocked && IsPressed();
    bool bEnabled = bBlocked || !IsDisabled();
    CFont* pFont = m_pBar != NULL ? m_pBar->GetButtonFont(!bHorz) : NULL;
    bool bDropDown = IsMenuButton(FALSE) && m_pBar != NULL && !m_pBar->IsMenuBar();
    CExtPaintManager::PushButtonArgs_t args(this, bHorz != FALSE, rc, strText, pIcon, true,
                                            bHover, bPushed, !bBlocked && IsIndeterminate(),
                                            bEnabled, false, false, false, 5,
                                            pFont != NULL ? (HFONT)pFont->GetSafeHandle() : NULL,
                                            bDropDown, 0, false);
    if (IsSeparatedDropDown())
    {
        args.m_bSeparatedDropDown = true;
        if (IsPressed() && ((m_nFlags1 & F1_ARROW_PRESS) || bMenuTracking))
            args.m_bPushedDropDown = true;
    }
    g_CurrentPaintManager->DrawPushButton(dc, args);
}

void CExtBarButton::RedrawButton(BOOL bUpdateNow)
{
    if (m_pBar == NULL || m_pBar->m_hWnd == NULL || !IsVisible() || (m_nStyle & BS_HIDDEN))
        return;
    CRect rc = GetDisplayRect();
    m_pBar->InvalidateRect(&rc);
    if (bUpdateNow)
        m_pBar->UpdateWindow();
}

// The side the button's popup opens to: away from the edge its bar is docked or aligned at,
// below for a floating bar.
int CExtBarButton::GetTrackAlignment() const
{
    if (m_pBar == NULL)
        return CExtPopupMenuWnd::TPMX_BOTTOMALIGN;
    if (m_pBar->IsHostedOutsideFrame())
    {
        DWORD dw = m_pBar->m_dwStyle;
        if (dw & CBRS_ALIGN_RIGHT)
            return CExtPopupMenuWnd::TPMX_LEFTALIGN;
        if (dw & CBRS_ALIGN_LEFT)
            return CExtPopupMenuWnd::TPMX_RIGHTALIGN;
        if (dw & CBRS_ALIGN_BOTTOM)
            return CExtPopupMenuWnd::TPMX_TOPALIGN;
        return CExtPopupMenuWnd::TPMX_BOTTOMALIGN;
    }
    if (m_pBar->IsFloating())
        return CExtPopupMenuWnd::TPMX_BOTTOMALIGN;
    if (m_pBar->IsDockedAtLeft())
        return CExtPopupMenuWnd::TPMX_RIGHTALIGN;
    if (m_pBar->IsDockedAtRight())
        return CExtPopupMenuWnd::TPMX_LEFTALIGN;
    if (m_pBar->IsDockedAtBottom())
        return CExtPopupMenuWnd::TPMX_TOPALIGN;
    return CExtPopupMenuWnd::TPMX_BOTTOMALIGN;
}

BOOL CExtBarButton::OnQueryCursor(CPoint) { return FALSE; }

/////////////////////////////////////////////////////////////////////////////
// Mouse and commands

void CExtBarButton::OnHover(CPoint point, BOOL, BOOL bEnter)
{
    if (m_pBar == NULL || m_pBar->IsButtonInputBlocked())
        return;
    HWND hWndBar = m_pBar->m_hWnd;
    if (!CExtControlBar::IsFrameInHelpMode(m_pBar))
    {
        CExtPopupMenuWnd::ItemCoveringNotification_t icn(
            NULL, this,
            bEnter ? CExtPopupMenuWnd::ItemCoveringNotification_t::ICN_ITEM_ENTER
                   : CExtPopupMenuWnd::ItemCoveringNotification_t::ICN_ITEM_LEAVE,
            -1);
        icn.Notify();
        if (!::IsWindow(hWndBar))
            return;
    }
    if (!bEnter)
    {
        CExtControlBar::ShowCommandStatusText(m_pBar, AFX_IDS_IDLEMESSAGE);
        if (::GetCapture() == hWndBar)
            ::ReleaseCapture();
        return;
    }
    if (CExtToolControlBar::g_bMenuTracking)
    {
        TrackButtonPopup(point, FALSE, TRUE);
        return;
    }
    UINT nStatus = m_nEffectiveCmdID;
    if (m_pBar->IsMenuBar() || IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton)) ||
        g_CmdManagerHolder->FindCommand(GetProfileName(), nStatus) == NULL)
        nStatus = AFX_IDS_IDLEMESSAGE;
    CExtControlBar::ShowCommandStatusText(m_pBar, nStatus);
    if (m_pCtrl == NULL || m_pCtrl->GetSafeHwnd() == NULL || !m_pCtrl->IsWindowVisible())
        m_pBar->SetCapture();
}

// A press opens a drop-down (or its arrow part) or shows the command's status text; the
// release runs the command, unless it is a menu button or a shown control.
void CExtBarButton::OnClick(CPoint point, BOOL bDown)
{
    if (m_pBar == NULL || m_pBar->IsButtonInputBlocked())
        return;
    bool bOnArrow = IsDropDown() && IsSeparatedDropDown() && CalcDropDownRect().PtInRect(point);
    if (IsDisabled() && !(IsDropDown() && bOnArrow))
        return;
    if (bDown)
    {
        CExtToolControlBar::EndAllButtonTracking();
        if (IsSeparatedDropDown())
            m_nFlags1 = bOnArrow ? (m_nFlags1 | F1_ARROW_PRESS) : (m_nFlags1 & ~F1_ARROW_PRESS);
        if (!IsDropDown() || (IsSeparatedDropDown() && !bOnArrow))
        {
            CExtControlBar::ShowCommandStatusText(m_pBar, m_nEffectiveCmdID);
            return;
        }
        CExtToolControlBar::g_bMenuExpanded = FALSE;
        TrackButtonPopup(point, FALSE, FALSE);
        return;
    }
    CExtControlBar::ShowCommandStatusText(m_pBar, AFX_IDS_IDLEMESSAGE);
    bool bArrowPressed = (m_nFlags1 & F1_ARROW_PRESS) != 0;
    m_nFlags1 &= ~F1_ARROW_PRESS;
    if (IsMenuButton(FALSE) && (!IsSeparatedDropDown() || bArrowPressed))
        return;
    if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL && m_pCtrl->IsWindowVisible())
    {
        if (::GetCapture() == m_pBar->m_hWnd)
            m_pBar->SendMessage(WM_CANCELMODE);
        return;
    }
    DeliverCommand();
}

void CExtBarButton::DeliverCommand()
{
    if ((int)m_nCmdID <= 0 || m_pBar == NULL)
        return;
    CExtCmdItem* pItem = g_CmdManagerHolder->FindCommand(GetProfileName(), m_nEffectiveCmdID);
    if (pItem != NULL)
        pItem->DeliverToOwnerOf(m_pBar, true);
}

// Tracks the button's popup against the button; a plain-click menu tracks to its end and
// its choice becomes the button's command. False, the popup deleted, when it cannot track.
bool CExtBarButton::StartPopupTracking(CExtPopupMenuWnd* pPopup, CPoint ptScreen,
                                       BOOL bSelectFirst, BOOL bNoAnimation)
{
    CRect rcExclude = GetDisplayRect();
    m_pBar->ClientToScreen(&rcExclude);
    DWORD dwFlags = (DWORD)GetTrackAlignment() | (bSelectFirst ? 0x860 : 0x820);
    if (CExtToolControlBar::g_bMenuExpanded)
        dwFlags |= 0x100;
    if (bNoAnimation)
        dwFlags |= 0x8000;
    int nIndex = m_pBar->GetButtonIndex(this);
    m_pBar->SetTrackingButton(nIndex);
    HWND hWndBar = m_pBar->m_hWnd;
    if (!IsPlainClickMenu() || CExtControlBar::IsFrameInHelpMode(m_pBar))
    {
        if (pPopup->StartTracking(dwFlags, ptScreen.x, ptScreen.y, &rcExclude, this,
                                  stat_PaintButtonInPopup, NULL, true))
        {
            CExtToolControlBar::g_bMenuTracking = TRUE;
            return true;
        }
        // a popup that could not track stays ours
        delete pPopup;
        CExtToolControlBar::EndAllButtonTracking();
        return false;
    }
    UINT nResult = 0;
    if (!pPopup->StartTracking(dwFlags | 0x280, ptScreen.x, ptScreen.y, &rcExclude, this,
                               stat_PaintButtonInPopup, &nResult, true))
    {
        delete pPopup;
        CExtToolControlBar::EndAllButtonTracking();
        return false;
    }
    if (nResult != 0 && ::IsWindow(hWndBar))
    {
        SetCmdID(nResult, TRUE, TRUE);
        RedrawButton();
        DeliverCommand();
        if (::IsWindow(hWndBar))
            OnUpdateCmdUI(m_pBar->GetParentFrame(), TRUE, nIndex);
    }
    return true;
}

// Opens the button's menu (or hands the tracking to its control), a floating bar's frame
// brought up first; always -1, the popup reports its own end.
int CExtBarButton::TrackButtonPopup(CPoint point, BOOL bSelectFirst, BOOL bNoAnimation)
{
    if (m_pBar == NULL || m_pBar->IsButtonInputBlocked())
        return -1;
    if (IsDisabled() && !IsDropDown())
        return -1;
    if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL)
    {
        m_pCtrl->SendMessage(CExtToolControlBar::g_nMsgContinueTrackMenu, (WPARAM)this,
                             bSelectFirst);
        return -1;
    }
    if (!IsMenuButton(FALSE))
        return -1;
    int nIndex = m_pBar->GetButtonIndex(this);
    if (CExtToolControlBar::g_bMenuTracking && m_pBar->GetTrackingIndex() == nIndex)
        return -1;
    CExtToolControlBar::EndAllButtonTracking();
    if (m_pBar->IsFloating())
    {
        CWnd* pTop = m_pBar->GetTopLevelParent();
        if (pTop != NULL)
            pTop->SetActiveWindow();
        CFrameWnd* pFrame = m_pBar->GetParentFrame();
        if (pFrame != NULL)
            pFrame->BringWindowToTop();
    }
    CWnd* pTarget = GetCmdTargetWnd();
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->UpdateFromHMENU(pTarget != NULL ? pTarget->m_hWnd : NULL, m_hMenu,
                                 IsMenuSubPopup() != FALSE, true))
    {
        delete pPopup;
        return -1;
    }
    if (IsAppendMdiWindowsMenu())
        pPopup->AppendMdiWindowsList(pTarget);
    CPoint ptScreen = point;
    m_pBar->ClientToScreen(&ptScreen);
    StartPopupTracking(pPopup, ptScreen, bSelectFirst, bNoAnimation);
    return -1;
}

// Draws the button unpressed in the popup's window where it lies beneath, so the popup joins
// it; not the chevron of a bar over its parent's background on a deep-colour screen.
void CExtBarButton::stat_PaintButtonInPopup(LPVOID pCookie, CDC& dc, const CWnd& wndMenu,
                                            const CRect& rcExclude, int)
{
    CExtBarButton* pTBB = (CExtBarButton*)pCookie;
    if (pTBB == NULL || pTBB->m_pBar == NULL || pTBB->m_pBar->m_hWnd == NULL)
        return;
    CExtToolControlBar* pBar = pTBB->m_pBar;
    if (pTBB->IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton)) && !pBar->IsMenuBar() &&
        pBar->m_pDockSite != NULL && g_CurrentPaintManager->WantsParentBackground(pBar) &&
        dc.GetDeviceCaps(BITSPIXEL) > 8)
        return;
    BYTE nFlags2 = pTBB->m_nFlags2;
    UINT nStyle = pTBB->m_nStyle;
    pTBB->m_nFlags2 &= ~F2_HOVER;
    pTBB->m_nStyle &= ~(BS_PRESSED | BS_CHECKED | BS_CHECKSTYLE);
    CRect rcMenu;
    wndMenu.GetWindowRect(&rcMenu);
    CRect rcBar;
    pBar->GetClientRect(&rcBar);
    pBar->ClientToScreen(&rcBar);
    (void)rcExclude;
    CPoint ptOld = dc.SetViewportOrg(rcBar.left - rcMenu.left, rcBar.top - rcMenu.top);
    g_CurrentPaintManager->OnToolBarPainted(pBar);
    pTBB->Paint(dc, pBar->IsHorizontalLayout());
    dc.SetViewportOrg(ptOld);
    pTBB->m_nFlags2 = nFlags2;
    pTBB->m_nStyle = nStyle;
}

// The button's tip: the command's tip text, with its shortcut when the bar shows them; -1
// when there is none.
INT_PTR CExtBarButton::OnToolHitTest(CPoint, TOOLINFO* pTI)
{
    if (!IsTooltipEnabled())
        return -1;
    CExtCmdItem* pItem = g_CmdManagerHolder->FindCommand(GetProfileName(), m_nEffectiveCmdID);
    if (pItem == NULL || pItem->m_strTipText.IsEmpty())
        return -1;
    CString strTip = pItem->m_strTipText;
    if (IsAccelInTooltip() && !pItem->m_strAccelText.IsEmpty())
    {
        strTip += " (";
        strTip += pItem->m_strAccelText;
        strTip += ")";
    }
    if (pTI != NULL)
    {
        pTI->rect = GetDisplayRect();
        pTI->uId = m_nEffectiveCmdID;
        pTI->hwnd = m_pBar->m_hWnd;
        pTI->lpszText = AllocTipText(strTip);
    }
    return (INT_PTR)m_nEffectiveCmdID;
}

// The help id under the point in help mode: the command's, or what the user then picks in a
// menu button's menu; -1 for none, -3 for a menu button outside help mode.
int CExtBarButton::OnHelpHitTest(CPoint point)
{
    if (IsSeparator())
        return -1;
    if (IsMenuButton(FALSE))
    {
        if (m_pBar == NULL || !CExtControlBar::IsFrameInHelpMode(m_pBar))
            return -3;
        // the menu opens and the help loop takes what the user points at in it
        CExtToolControlBar* pBar = m_pBar;
        TrackButtonPopup(point, FALSE, TRUE);
        return CExtToolControlBar::TrackHelpLoop(pBar);
    }
    if (g_CmdManagerHolder->FindCommand(GetProfileName(), m_nEffectiveCmdID) != NULL)
        return (int)m_nCmdID;
    return -1;
}

// Asks the frame for the command's enabled and checked state; a menu bar's menus and
// separators have none.
void CExtBarButton::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler, int nIndex)
{
    if (IsSeparator() || m_pBar == NULL)
        return;
    if (IsMenuButton(FALSE) && m_pBar->IsMenuBar())
        return;
    if (pTarget == NULL)
        return;
    CExtToolControlBar::CExtToolControlBarCmdUI state;
    state.m_pOther = m_pBar;
    state.m_nIndex = (UINT)nIndex;
    state.m_nIndexMax = (UINT)m_pBar->GetButtonCount();
    state.m_nID = m_nCmdID;
    state.DoUpdate(pTarget, bDisableIfNoHndler);
}

// Adds the button to a popup (the chevron's): a menu button as a submenu of its menu, a
// command with its text, shortcut, icon and state; a control may add itself.
BOOL CExtBarButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
    if (pPopup == NULL)
        return FALSE;
    if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL &&
        m_pCtrl->SendMessage(CExtControlBar::g_nMsgPutToPopupMenu, (WPARAM)pPopup) != 0)
        return TRUE;
    CWnd* pTarget = GetCmdTargetWnd();
    HWND hWndTarget = pTarget != NULL ? pTarget->m_hWnd : NULL;
    if (IsMenuButton(FALSE))
    {
        CString strText =
            PopupTextOf(g_CmdManagerHolder->FindCommand(GetProfileName(), m_nEffectiveCmdID));
        CExtCmdIcon* pIcon = GetIcon();
        HICON hIcon = (pIcon != NULL && !pIcon->IsEmpty()) ? pIcon->GetHIcon() : NULL;
        if (!pPopup->InsertNewSubMenu((UINT)-1, -1, strText, hIcon, hWndTarget))
            return FALSE;
        CExtPopupMenuWnd* pSub = pPopup->GetItemPopup(pPopup->GetItemCount() - 1);
        if (pSub != NULL && m_hMenu != NULL)
            pSub->UpdateFromHMENU(hWndTarget, m_hMenu, IsMenuSubPopup() != FALSE, false);
        return TRUE;
    }
    // The item carries the command's text and icon and the button's state: a popup of
    // the bar's target would not find the command in its own profile.
    CExtCmdItem* pItem = g_CmdManagerHolder->FindCommand(GetProfileName(), m_nEffectiveCmdID);
    CString strText = PopupTextOf(pItem), strAccel;
    if (pItem != NULL)
        strAccel = pItem->m_strAccelText;
    if (strText.IsEmpty())
        GetDisplayText(strText);
    CExtCmdIcon* pIcon = GetIcon();
    int nCheckType = 0;
    if ((m_nStyle & BS_INDETERMINATE) != 0)
        nCheckType = 2;
    else if ((m_nStyle & BS_CHECKED) != 0)
        nCheckType = 1;
    if (!pPopup->InsertCommandItem(m_nEffectiveCmdID, -1, strText, strAccel,
                                   (pIcon != NULL && !pIcon->IsEmpty()) ? pIcon : NULL,
                                   nCheckType, hWndTarget))
        return FALSE;
    if (IsDisabled())
    {
        CExtPopupMenuWnd::MENUITEMDATA& mi = pPopup->GetItemAt(pPopup->GetItemCount() - 1);
        mi.m_wFlags &= ~(WORD)(CExtPopupMenuWnd::ITEM_ENABLED |
                               CExtPopupMenuWnd::ITEM_FORCE_ENABLED);
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CExtBarContentExpandButton

CExtBarContentExpandButton::CExtBarContentExpandButton(CExtToolControlBar* pBar)
    : CExtBarButton(pBar, ID_CHEVRON, 0), m_bLaidOut(false)
{
    m_nStyle = 0;
}

CSize CExtBarContentExpandButton::CalcSize(CDC&, CSize sizeDefault, BOOL bHorz)
{
    m_size = bHorz ? CSize(11, sizeDefault.cy) : CSize(sizeDefault.cx, 11);
    return m_size;
}

void CExtBarContentExpandButton::Paint(CDC& dc, BOOL bHorz)
{
    CRect rc = GetDisplayRect();
    if (rc.IsRectEmpty() || !IsVisible() || (m_nStyle & BS_HIDDEN))
        return;
    bool bPanels = m_pBar != NULL && m_pBar->m_bPanelsMenuInChevron;
    bool bNothingHidden = m_arrHiddenButtons.GetSize() == 0;
    bool bEnabled = !IsDisabled();
    bool bPushed = IsPressed() && (!bNothingHidden || bPanels);
    bool bHover = IsHover() && bEnabled && !CExtToolControlBar::g_bMenuTracking;
    g_CurrentPaintManager->DrawToolBarChevron(dc, rc, bHorz != FALSE, bNothingHidden, bEnabled,
                                              bPushed, bHover, m_pBar);
}

void CExtBarContentExpandButton::OnHover(CPoint point, BOOL bSelected, BOOL bEnter)
{
    if (m_pBar == NULL || m_pBar->IsButtonInputBlocked())
        return;
    CExtBarButton::OnHover(point, bSelected, bEnter);
}

void CExtBarContentExpandButton::OnClick(CPoint point, BOOL bDown)
{
    if (!bDown || m_pBar == NULL || m_pBar->IsButtonInputBlocked())
        return;
    CExtToolControlBar::g_bMenuExpanded = FALSE;
    TrackButtonPopup(point, FALSE, FALSE);
}

// The chevron's tip, from the string table (a fixed text when it is missing).
INT_PTR CExtBarContentExpandButton::OnToolHitTest(CPoint, TOOLINFO* pTI)
{
    if (m_pBar == NULL)
        return -1;
    CString strTip;
    if (!g_ResourceManagerHolder->LoadString(strTip, 30045))
        strTip = "Where are buttons?";
    if (pTI != NULL)
    {
        pTI->rect = GetDisplayRect();
        pTI->uId = AFX_IDS_IDLEMESSAGE;
        pTI->hwnd = m_pBar->m_hWnd;
        pTI->lpszText = AllocTipText(strTip);
    }
    return AFX_IDS_IDLEMESSAGE;
}

// Fills the chevron's popup with the hidden buttons and, when the bar asks for it, a submenu
// of the frame's bars; the bar's owner may fill or add to it. False when it stays empty.
bool CExtBarContentExpandButton::FillChevronPopup(CExtPopupMenuWnd* pPopup)
{
    CExtControlBar::POPUP_MENU_EVENT_DATA data(12, pPopup, m_pBar, CPoint(-1, -1),
                                               WM_LBUTTONDOWN, this);
    if (data.NotifyTarget(false))
        return pPopup->GetItemCount() > 0;
    int nAdded = 0;
    for (INT_PTR i = 0; i < m_arrHiddenButtons.GetSize(); i++)
    {
        CExtBarButton* pTBB = m_arrHiddenButtons[i];
        if (pTBB->IsSeparator())
        {
            if (nAdded == 0)
                continue;
            pPopup->InsertCommandItem(0, -1);
            continue;
        }
        if (pTBB->PutToPopupMenu(pPopup))
            nAdded++;
    }
    CFrameWnd* pFrame = m_pBar->m_pDockSite;
    if (m_pBar->m_bPanelsMenuInChevron && pFrame != NULL)
    {
        if (nAdded > 0)
            pPopup->InsertCommandItem(0, -1);
        CString strPanels;
        if (!g_ResourceManagerHolder->LoadString(strPanels, 30009))
            strPanels = "&Show/hide panels";
        CExtControlBar::POPUP_MENU_EVENT_DATA data13(13, pPopup, m_pBar, CPoint(-1, -1),
                                                     WM_LBUTTONDOWN, this);
        if (!data13.NotifyTarget(false))
        {
            pPopup->InsertNewSubMenu((UINT)-1, -1, strPanels, NULL, pFrame->m_hWnd);
            int nSub = pPopup->GetItemCount() - 1;
            CExtPopupMenuWnd* pSub = pPopup->GetItemPopup(nSub);
            bool bFilled = pSub != NULL &&
                           CExtControlBar::BuildBarsMenu(pFrame, pSub, 14, m_pBar, 0, this) &&
                           pSub->GetItemCount() > 0;
            if (!bFilled)
            {
                pPopup->DeleteItem(nSub);
                // the separator before it goes too
                int nLast = pPopup->GetItemCount() - 1;
                if (nLast >= 0 && pPopup->GetItemCmdID(nLast) == 0)
                    pPopup->DeleteItem(nLast);
            }
        }
    }
    data.NotifyTarget(true);
    return pPopup->GetItemCount() > 0;
}

// Opens the chevron's popup unless it has nothing to list; always -1, as for other buttons.
int CExtBarContentExpandButton::TrackButtonPopup(CPoint point, BOOL bSelectFirst,
                                                 BOOL bNoAnimation)
{
    if (m_pBar == NULL || m_pBar->IsButtonInputBlocked() || IsDisabled())
        return -1;
    int nIndex = m_pBar->GetButtonIndex(this);
    if (CExtToolControlBar::g_bMenuTracking && m_pBar->GetTrackingIndex() == nIndex)
        return -1;
    if (m_arrHiddenButtons.GetSize() == 0 && !m_pBar->m_bPanelsMenuInChevron)
        return -1;
    CExtToolControlBar::EndAllButtonTracking();
    if (m_pBar->IsFloating())
    {
        CFrameWnd* pFrame = m_pBar->GetParentFrame();
        if (pFrame != NULL)
            pFrame->BringWindowToTop();
    }
    CWnd* pTarget = GetCmdTargetWnd();
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->InitAsEmptyPopup(pTarget != NULL ? pTarget->m_hWnd : NULL) ||
        !FillChevronPopup(pPopup))
    {
        delete pPopup;
        return -1;
    }
    CPoint ptScreen = point;
    m_pBar->ClientToScreen(&ptScreen);
    StartPopupTracking(pPopup, ptScreen, bSelectFirst, bNoAnimation);
    return -1;
}
