// ExtPopupMenuWndInput.cpp - the keyboard and mouse handling of a tracking popup menu.

#include "stdafx.h"
#include <algorithm>
#include "ExtPopupMenuWnd.h"
#include "ExtPaintManager.h"
#include "ExtCmdManager.h"
#include "ExtCmdItem.h"
#include "ExtSoundPlayer.h"

using std::max;
using std::min;

namespace
{

bool IsKeyDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Keyboard

bool CExtPopupMenuWnd::OnHookKeyInEdit(UINT nChar, int nEditIndex, bool& bNoEat)
{
    MENUITEMDATA& mi = m_items_all[nEditIndex];
    CWnd* pEdit = mi.m_pWndInplaceEdit;
    if (pEdit == NULL || pEdit->GetSafeHwnd() == NULL)
        return true;
    const bool bCtrl = IsKeyDown(VK_CONTROL), bShift = IsKeyDown(VK_SHIFT);
    if (IsKeyDown(VK_MENU))
    {
        PostMessage(WM_CANCELMODE);
        return true;
    }
    switch (nChar)
    {
    case VK_ESCAPE:
        SetFocus();
        return true;
    case VK_INSERT:
        if (bCtrl)
        {
            pEdit->SendMessage(WM_COPY);
            return true;
        }
        if (bShift)
        {
            pEdit->SendMessage(WM_PASTE);
            return true;
        }
        break;
    case VK_DELETE:
        if (bShift)
        {
            pEdit->SendMessage(WM_CUT);
            return true;
        }
        pEdit->SendMessage(CExtInPlaceEditWndMessages::g_nMsgDeleteSelection);
        return true;
    case 'C':
        if (bCtrl)
        {
            pEdit->SendMessage(WM_COPY);
            return true;
        }
        break;
    case 'V':
        if (bCtrl)
        {
            pEdit->SendMessage(WM_PASTE);
            return true;
        }
        break;
    case 'X':
        if (bCtrl)
        {
            pEdit->SendMessage(WM_CUT);
            return true;
        }
        break;
    case 'A':
        if (bCtrl)
        {
            pEdit->SendMessage(CExtInPlaceEditWndMessages::g_nMsgSelectAll);
            return true;
        }
        break;
    default:
        break;
    }
    bNoEat = true;
    return false;
}

// Enter on item nIndex; TRUE when handled.
bool CExtPopupMenuWnd::DoKeyActivate(int nIndex, bool& bNoEat)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return true;
    MENUITEMDATA& mi = m_items_all[nIndex];
    if (!mi.IsEnabled())
        return true;
    if (mi.IsInplaceEdit())
    {
        CWnd* pEdit = mi.m_pWndInplaceEdit;
        if (pEdit != NULL && pEdit->GetSafeHwnd() != NULL && pEdit->IsWindowVisible())
        {
            bNoEat = true;
            return false;
        }
        ShowInplaceEdit(nIndex);
        return true;
    }
    if (mi.m_pCbItemClick != NULL && !IsNotifySuppressed())
    {
        mi.m_pCbItemClick(this, &mi);
        if (GetSafeHwnd() != NULL)
        {
            Invalidate(FALSE);
            UpdateWindow();
        }
        return true;
    }
    if (mi.IsCommand() || mi.IsChildSpecialPopup())
    {
        if (mi.m_pCbCmdDeliver != NULL && mi.m_pCbCmdDeliver(this, &mi))
            return true;
        if (GetSafeHwnd() != NULL)
            EndWithCommand(mi.m_nCmdID, mi.m_hWndSpecCmdReceiver);
        return true;
    }
    if (mi.IsPopup())
    {
        if (IsChildWindowOpen(mi))
            return true;
        SelectItem(IDX_NOTHING);
        ExpandSubMenu(nIndex, true, true, true);
    }
    return true;
}

bool CExtPopupMenuWnd::ActivateItem(int nIndex)
{
    bool bNoEat = false;
    return DoKeyActivate(nIndex, bNoEat);
}

// Selects the item and expands the hidden items when the expand button comes next.
void CExtPopupMenuWnd::MoveSelection(int nNewIndex)
{
    if (nNewIndex == IDX_EXPAND)
    {
        const int nPrev = m_nCurIndex;
        NotifyMenuExpanded();
        if (GetSafeHwnd() == NULL)
            return;
        if (nPrev >= 0)
            ExpandSubMenu(nPrev, false, true, false);
        int nNext = FindNextSelectableItem(FIND_NEXT);
        if (nNext >= 0 && nNext != m_nCurIndex)
            ExpandSubMenu(nNext, false, true, false);
        return;
    }
    if (nNewIndex >= 0 && nNewIndex != m_nCurIndex)
        ExpandSubMenu(nNewIndex, false, true, false);
}

// Goes to the item whose mnemonic the key types: a unique one is activated, a shared one only
// selected (the next press moves on); false when the key types no character.
bool CExtPopupMenuWnd::HandleMnemonicKey(UINT nChar, bool& /*bNoEat*/)
{
    BYTE arrKeys[256];
    if (!::GetKeyboardState(arrKeys))
        return false;
    WORD wChar = 0;
    UINT nScan = ::MapVirtualKeyA(nChar, 0);
    int n = ::ToAsciiEx(nChar, nScan, arrKeys, &wChar, 0, ::GetKeyboardLayout(0));
    if (n != 1)
        return false;
    const TCHAR ch = (TCHAR)(wChar & 0xFF);
    const int nFound = FindItemByMnemonic(ch, m_nCurIndex);
    if (nFound < 0)
    {
        if (m_nCurIndex >= 0 && m_items_all[m_nCurIndex].IsDisplayed()
            && m_items_all[m_nCurIndex].GetAccelChar() != 0
            && FindItemByMnemonic(ch, -1) == m_nCurIndex)
            ActivateItem(m_nCurIndex);
        return true;
    }
    const bool bUnique = FindItemByMnemonic(ch, nFound) < 0;
    if (bUnique)
    {
        ExpandSubMenu(nFound, false, true, false);
        if (GetSafeHwnd() != NULL)
            ActivateItem(nFound);
        return true;
    }
    SelectItem(IDX_NOTHING);
    ExpandSubMenu(nFound, true, true, false);
    return true;
}

// A key while the popup tracks: Enter activates, arrows move through items, sub-menus and the
// bar's menus, Escape and Alt close; other keys are mnemonics. True when the key is used.
bool CExtPopupMenuWnd::OnHookKey(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/, bool& bNoEat)
{
    TrackingSite_t& site = g_TrackingSite;
    if (GetSafeHwnd() == NULL || !IsWindowVisible() || site.m_pWndRoot == NULL
        || site.IsEnding() || site.m_pWndAnimation != NULL)
        return true;
    CSelfLock lock(this);
    int nEditIndex = -1;
    if (IsFocusInInplaceEdit(&nEditIndex)
        && !(nChar == VK_RETURN && nEditIndex == m_nCurIndex))
        return OnHookKeyInEdit(nChar, nEditIndex, bNoEat);

    switch (nChar)
    {
    case VK_RETURN:
        if (m_nCurIndex < 0)
            return true;
        return DoKeyActivate(m_nCurIndex, bNoEat);
    case VK_RIGHT:
    {
        if (m_nCurIndex >= 0 && m_items_all[m_nCurIndex].IsPopup())
        {
            if (IsChildWindowOpen(m_items_all[m_nCurIndex]))
                return true;
            SelectItem(IDX_NOTHING);
            ExpandSubMenu(m_nCurIndex, true, true, true);
            return true;
        }
        if (GetItemCount() == 0)
            return true;
        if (IsMenuTrackingOfBars() && m_hWndCmdReceiver != NULL)
            ::PostMessageA(m_hWndCmdReceiver, g_nMsgPopupNext, 0, (LPARAM)this);
        return true;
    }
    case VK_LEFT:
    {
        CExtPopupMenuWnd* pParent = m_pWndParentMenu;
        if (pParent != NULL)
        {
            int nParentIndex = -1;
            for (int i = 0; i < pParent->GetItemCount(); i++)
            {
                if (pParent->m_items_all[i].m_pWndChild == this)
                    nParentIndex = i;
            }
            CloseMenuTree(false);
            if (pParent->GetSafeHwnd() == NULL)
                return true;
            if (nParentIndex >= 0)
            {
                pParent->ExpandSubMenu(nParentIndex, false, true, false);
                if (nParentIndex < pParent->GetItemCount())
                    pParent->m_items_all[nParentIndex].SetFlag(ITEM_SELECTED, true);
                if (pParent->GetSafeHwnd() != NULL)
                {
                    pParent->Invalidate(FALSE);
                    pParent->UpdateWindow();
                }
            }
            if (pParent->GetSafeHwnd() != NULL)
                pParent->SetAsHookTarget();
            return true;
        }
        if (IsMenuTrackingOfBars() && m_hWndCmdReceiver != NULL)
            ::PostMessageA(m_hWndCmdReceiver, g_nMsgPopupPrev, 0, (LPARAM)this);
        return true;
    }
    case VK_ESCAPE:
    case VK_MENU:
        EndWithCommand(0);
        return true;
    case VK_SPACE:
        return true;
    case VK_UP:
        MoveSelection(FindNextSelectableItem(FIND_PREV));
        return true;
    case VK_DOWN:
        if (IsKeyDown(VK_CONTROL))
        {
            ExpandHiddenItems();
            return true;
        }
        MoveSelection(FindNextSelectableItem(FIND_NEXT));
        return true;
    case VK_PRIOR:
    case VK_NEXT:
        if (m_nCurIndex < 0)
            MoveSelection(FindNextSelectableItem(FIND_CURRENT));
        return true;
    default:
        break;
    }
    if (IsKeyDown(VK_SHIFT) || IsKeyDown(VK_CONTROL))
        return false;
    HandleMnemonicKey(nChar, bNoEat);
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// Mouse

bool CExtPopupMenuWnd::OnHookMouseWheel(WPARAM /*wParam*/, LPARAM /*lParam*/, bool& bNoEat)
{
    bNoEat = false;
    return true;
}

// Follows the mouse over the items (the parent popup's too): selects and opens what it passes,
// starts the hover expansion or the scroll; true when it handled the move.
bool CExtPopupMenuWnd::OnHookMouseMove(UINT nFlags, CPoint point, bool& bNoEat)
{
    TrackingSite_t& site = g_TrackingSite;
    if (GetSafeHwnd() == NULL || !IsWindowVisible() || site.m_pWndRoot == NULL
        || site.IsEnding() || site.m_pWndAnimation != NULL)
        return false;
    CSelfLock lock(this);
    bool bOverEdit = false;
    int nHit = HitTestItem(point, &bOverEdit);
    if (nHit >= 0 && bOverEdit)
    {
        if (nHit != m_nCurIndex)
            ExpandSubMenu(nHit, false, true, false);
        bNoEat = true;
        return false;
    }
    if (IsFocusInInplaceEdit())
        return false;

    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point))
    {
        if (m_pWndParentMenu != NULL && m_pWndParentMenu->GetSafeHwnd() != NULL)
        {
            CPoint ptParent(point);
            ClientToScreen(&ptParent);
            m_pWndParentMenu->ScreenToClient(&ptParent);
            bool bParentNoEat = false;
            if (m_pWndParentMenu->OnHookMouseMove(nFlags, ptParent, bParentNoEat))
            {
                m_nLastMousePick = IDX_NOTHING;
                return true;
            }
        }
        if (GetSafeHwnd() != NULL && site.m_pWndHookTarget == this && m_nCurIndex >= 0
            && m_nLastMousePick >= 0)
        {
            MENUITEMDATA& mi = m_items_all[m_nCurIndex];
            bool bKeep = mi.IsPopup() && mi.m_pWndChild != NULL
                && mi.m_pWndChild->GetCurrentIndex() >= 0;
            if (!bKeep)
                DeselectCurrentItem(true);
        }
        m_nLastMousePick = IDX_NOTHING;
        return false;
    }
    if (nHit == IDX_EXPAND)
    {
        if (m_nCurIndex >= 0)
            DeselectCurrentItem(true);
        if (GetSafeHwnd() != NULL && g_bMenuExpandOnHover)
        {
            SetAsHookTarget();
            if (m_nExpandHoverCounter == 0)
            {
                m_nExpandHoverCounter = 1;
                SetTimer(ID_TIMER_EXPAND_HOVER, ID_PERIOD_EXPAND_HOVER);
            }
        }
        return false;
    }
    if (nHit == IDX_SCROLL_TOP || nHit == IDX_SCROLL_BOTTOM)
    {
        StartAutoScroll();
        return false;
    }
    if (nHit < 0 || nHit == m_nCurIndex)
        return false;
    MENUITEMDATA& mi = m_items_all[nHit];
    if (mi.IsSeparator() || !mi.IsEnabled())
        return false;
    SelectItem(IDX_NOTHING);
    SetAsHookTarget();
    ExpandSubMenu(nHit, false, true, false);
    if (GetSafeHwnd() == NULL)
        return true;
    m_nLastMousePick = nHit;
    if (mi.IsPopup())
    {
        m_wndMenuTip.Hide();
        if (!IsChildWindowOpen(mi))
            SelectItem(nHit);
    }
    else
        ShowItemTip(nHit);
    return true;
}

// A click while the popup tracks: commands fire on the release, sub-menus open, a click outside
// closes the tree (or goes to the parent popup); true when the click is used.
bool CExtPopupMenuWnd::OnHookMouseClick(UINT nMessage, CPoint point, bool& bNoEat)
{
    if (GetSafeHwnd() == NULL)
        return false;
    CSelfLock lock(this);
    bool bOverEdit = false, bOverSplit = false;
    int nHit = HitTestItem(point, &bOverEdit, &bOverSplit);
    if (nHit >= 0 && bOverEdit)
    {
        if (nHit != m_nCurIndex)
            ExpandSubMenu(nHit, false, true, false);
        bNoEat = true;
        return false;
    }
    const bool bRelease = nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP;
    CRect rcClient;
    GetClientRect(&rcClient);
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    if (bRelease && !rcClient.PtInRect(point))
    {
        if (m_wndMenuTip.GetSafeHwnd() != NULL && m_wndMenuTip.IsWindowVisible())
        {
            CRect rcTip;
            m_wndMenuTip.GetWindowRect(&rcTip);
            if (rcTip.PtInRect(ptScreen))
                return true;
        }
        if (m_pWndParentMenu != NULL && m_pWndParentMenu->GetSafeHwnd() != NULL)
        {
            CPoint ptParent(ptScreen);
            m_pWndParentMenu->ScreenToClient(&ptParent);
            return m_pWndParentMenu->OnHookMouseClick(nMessage, ptParent, bNoEat);
        }
        if (nMessage == WM_NCLBUTTONUP)
        {
            CloseMenuTree(false);
            return true;
        }
        if (IsMenuTrackingOfBars())
        {
            if (g_BarLinks.m_pfnIsPointOverTrackedButton == NULL
                || !g_BarLinks.m_pfnIsPointOverTrackedButton(ptScreen))
                CloseMenuTree(false);
        }
        return true;
    }
    if (nHit == IDX_SCROLL_TOP || nHit == IDX_SCROLL_BOTTOM)
    {
        if (bRelease)
            StartAutoScroll();
        return true;
    }
    if (bRelease && nHit == IDX_EXPAND)
    {
        if (HasHiddenItems() && !IsExpanded())
            NotifyMenuExpanded();
        return true;
    }
    if (nHit < 0)
    {
        if (nMessage == WM_NCLBUTTONUP)
        {
            CloseMenuTree(false);
            return true;
        }
        if (!bRelease && IsTopLevel() && m_bCombineWithEA && m_pWndParentMenu == NULL
            && m_rcExcludeArea.PtInRect(ptScreen))
        {
            CloseMenuTree(false);
            return true;
        }
        return false;
    }
    if (!bRelease)
        return true;    // commands fire on the release
    MENUITEMDATA& mi = m_items_all[nHit];
    if (!mi.IsEnabled() || !mi.IsDisplayed())
        return true;
    if (mi.IsInplaceEdit() && !bOverSplit && !IsNotifySuppressed())
    {
        SetAsHookTarget();
        if (nHit != m_nCurIndex)
            ExpandSubMenu(nHit, false, true, false);
        if (GetSafeHwnd() != NULL)
            ShowInplaceEdit(nHit);
        return true;
    }
    if (mi.IsPopup() && !mi.IsChildSpecialPopup())
    {
        if (mi.IsInplaceEdit() && bOverSplit)
            DeselectCurrentItem(true);
        if (GetSafeHwnd() == NULL)
            return true;
        if (!IsChildWindowOpen(mi))
        {
            SelectItem(IDX_NOTHING);
            ExpandSubMenu(nHit, true, true, false);
        }
        return true;
    }
    if (mi.m_pCbItemClick != NULL)
    {
        if (!IsNotifySuppressed())
        {
            mi.m_pCbItemClick(this, &mi);
            if (GetSafeHwnd() != NULL)
            {
                Invalidate(FALSE);
                UpdateWindow();
            }
            return true;
        }
        CloseMenuTree(false);
        return true;
    }
    if (mi.IsCommand() || mi.IsChildSpecialPopup())
    {
        if (mi.m_pCbCmdDeliver != NULL && mi.m_pCbCmdDeliver(this, &mi))
            return true;
        if (GetSafeHwnd() != NULL)
            EndWithCommand(mi.m_nCmdID, mi.m_hWndSpecCmdReceiver);
        return true;
    }
    CloseMenuTree(false);
    return true;
}
