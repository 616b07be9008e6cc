// ExtDynTabControlBar.cpp - tab groups of resizable bars: the group, its stacking dock
// bar and its tab strip.

#include "ExtDynTabControlBar.h"
#include "ExtBarLayout.h"
#include "afxpriv.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "uiframework/foundation/ExtCmdManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtDynTabWnd, CExtTabWnd)
IMPLEMENT_DYNCREATE(CExtDockDynTabBar, CExtDockDynBar)
IMPLEMENT_DYNCREATE(CExtDynTabControlBar, CExtDynControlBar)

namespace
{

bool IsBarWindowVisible(CControlBar* pBar)
{
    return pBar != NULL && pBar->m_hWnd != NULL && (pBar->GetStyle() & WS_VISIBLE) != 0;
}

CExtControlBar* EntryBar(void* p)
{
    if (p == NULL || ExtBarLayout::IsPlaceholder(p))
        return NULL;
    return DYNAMIC_DOWNCAST(CExtControlBar, (CObject*)p);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CExtDynTabWnd

bool CExtDynTabWnd::g_bRegisterDropTarget = true;

CExtDynTabWnd::CExtDynTabWnd() : m_dropTarget(this), m_nDragStartTab(-1)
{
    m_nState &= ~STATE_SIZEPARENT;
}

CExtDynTabControlBar* CExtDynTabWnd::GetGroup() const
{
    return m_hWnd != NULL ? DYNAMIC_DOWNCAST(CExtDynTabControlBar, GetParent()) : NULL;
}

// Puts a dragged-away bar's tab back where the drag started, for a drag that came to
// nothing.
void CExtDynTabWnd::RestoreDraggedTab(CExtControlBar* pBar)
{
    int nTab = FindItemByData((LPARAM)pBar);
    if (nTab != m_nDragStartTab)
    {
        if (nTab >= 0)
            RemoveItems(nTab, 1, false);
        DWORD dwFlags = IsBarWindowVisible(pBar) ? 0 : __ETWI_HIDDEN;
        int nIndex = m_nDragStartTab;
        if (nIndex < 0 || nIndex > GetItemCount())
            nIndex = -1;
        InsertItem(NULL, NULL, false, dwFlags, nIndex, (LPARAM)pBar, false);
    }
    m_nDragStartTab = -1;
    UpdateTabWnd(true);
}

// Dragging a tab drags its bar out of the group, the tab marked detached while the drag
// lasts; the strip's own tab dragging never runs.
bool CExtDynTabWnd::IsItemDragAllowed(int nIndex)
{
    TAB_ITEM_INFO* pItem = GetItem(nIndex);
    if (pItem == NULL)
        return false;
    CExtControlBar* pBar = (CExtControlBar*)pItem->m_lParam;
    CancelTracking(true);
    ResetHoverItem(true);
    pItem->ModifyFlags(0, __ETWI_DETACHED);
    HWND hWnd = m_hWnd;
    CPoint pt;
    ::GetCursorPos(&pt);
    m_nDragStartTab = nIndex;
    pBar->StartDragging(pt, CPoint(0, 0), 0, 0);
    // a drag that goes on after the call keeps the mark until it ends
    if (::IsWindow(hWnd) && !pBar->m_bDragging)
        for (int i = 0; i < GetItemCount(); i++)
            m_arrItems[i]->ModifyFlags(__ETWI_DETACHED, 0);
    return true;
}

bool CExtDynTabWnd::TrackItemDrag(int) { return false; }

bool CExtDynTabWnd::OnItemMouseClick(int nIndex, bool bPressed, int nMouseButton, UINT nFlags)
{
    if (nMouseButton != MK_LBUTTON)
        return false;
    return CExtTabWnd::OnItemMouseClick(nIndex, bPressed, nMouseButton, nFlags);
}

// A newly selected tab brings its bar to the top with the focus and gives the group (and a
// floating group's mini frame) the bar's caption.
bool CExtDynTabWnd::OnSelectionChange(int nOld, int nNew, bool bPreSelect)
{
    bool bResult = CExtTabWnd::OnSelectionChange(nOld, nNew, bPreSelect);
    if (bPreSelect || !bResult)
        return bResult;
    TAB_ITEM_INFO* pItem = GetItem(nNew);
    CExtDynTabControlBar* pGroup = GetGroup();
    if (pItem == NULL || !pItem->IsVisible() || pGroup == NULL)
        return bResult;
    CExtControlBar* pBar = (CExtControlBar*)pItem->m_lParam;
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return bResult;
    pBar->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (pGroup->IsWindowVisible() && pBar->IsWindowVisible())
        pBar->SetFocus();
    pGroup->RecalcNcFrame();
    CExtDockDynTabBar* pDock = pGroup->GetTabDockBar();
    if (pDock != NULL)
        pDock->StackMembers(true);
    CString sText;
    pBar->GetWindowText(sText);
    pGroup->SetWindowText(sText);
    if (pGroup->m_pDockBar != NULL && pGroup->m_pDockBar->m_bFloating)
    {
        CWnd* pMini = pGroup->m_pDockBar->GetParent();
        if (pMini != NULL)
        {
            pMini->SetWindowText(sText);
            pMini->SendMessage(WM_NCPAINT, 1);
        }
    }
    return bResult;
}

CExtCmdIcon* CExtDynTabWnd::GetItemIcon(TAB_ITEM_INFO* pItem)
{
    CExtControlBar* pBar = (CExtControlBar*)pItem->m_lParam;
    return WindowItemIcon(pItem, pBar != NULL ? pBar->m_pDockSite : NULL);
}

CString CExtDynTabWnd::GetItemText(TAB_ITEM_INFO* pItem)
{
    CExtControlBar* pBar = (CExtControlBar*)pItem->m_lParam;
    CString s;
    if (pBar != NULL && pBar->m_hWnd != NULL)
        pBar->GetBarCaptionText(s);
    else
        s = pItem->m_sText;
    return s;
}

// While a tab is dragged away, the first tab of the detached run is drawn as the selected
// one.
void CExtDynTabWnd::PaintItem(CDC& dc, int nIndex, TAB_ITEM_INFO* pItem, const RECT& rcItem)
{
    bool bAnyDetached = FindItemByFlags(__ETWI_DETACHED, 0) >= 0;
    if (!bAnyDetached)
    {
        CExtTabWnd::PaintItem(dc, nIndex, pItem, rcItem);
        return;
    }
    // while a tab is dragged away only the first marked tab of a run looks selected
    DWORD dwSaved = pItem->m_dwFlags;
    bool bShowSelected = pItem->IsDetached() &&
                         (pItem->m_pPrev == NULL || !pItem->m_pPrev->IsDetached());
    if (bShowSelected)
        pItem->m_dwFlags |= __ETWI_SELECTED;
    else
        pItem->m_dwFlags &= ~__ETWI_SELECTED;
    CExtTabWnd::PaintItem(dc, nIndex, pItem, rcItem);
    pItem->m_dwFlags = dwSaved;
}

bool CExtDynTabWnd::HandleSwitchKey(MSG* pMsg)
{
    bool bForward = true;
    if (!IsSwitchKey(pMsg, bForward) || m_nVisibleCount == 0 || m_nSelIndex < 0)
        return false;
    int n = FindNextItem(m_nSelIndex, bForward, [](TAB_ITEM_INFO* pItem) {
        return IsBarWindowVisible((CControlBar*)pItem->m_lParam);
    });
    if (n >= 0)
        SetSelection(n, true, true);
    return true;
}

BOOL CExtDynTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (HandleSwitchKey(pMsg))
        return TRUE;
    return CExtTabWnd::PreTranslateMessage(pMsg);
}

// Registers the strip as a drop target, floats a tab's bar on a double click and lists the
// group's bars on a right click; the right button does not select.
LRESULT CExtDynTabWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
    {
        LRESULT lResult = CExtTabWnd::WindowProc(message, wParam, lParam);
        if (lResult != -1)
            m_dropTarget.RegisterIfAllowed(g_bRegisterDropTarget);
        return lResult;
    }
    if (message == WM_LBUTTONDBLCLK)
    {
        LRESULT lResult = CExtTabWnd::WindowProc(message, wParam, lParam);
        int nHit = HitTest(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        TAB_ITEM_INFO* pItem = GetItem(nHit);
        if (pItem != NULL && !pItem->IsDetached())
        {
            CExtControlBar* pBar = (CExtControlBar*)pItem->m_lParam;
            CPoint pt;
            ::GetCursorPos(&pt);
            if (pBar != NULL)
                pBar->FloatAtPosition(pt, CBRS_ALIGN_TOP);
        }
        return lResult;
    }
    if (message == WM_CONTEXTMENU)
    {
        CExtDynTabControlBar* pGroup = GetGroup();
        CFrameWnd* pFrame = pGroup != NULL ? pGroup->m_pDockSite : NULL;
        if (pFrame == NULL || pFrame->m_bHelpMode)
            return 0;
        CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
        if (!pPopup->InitAsEmptyPopup(pFrame->m_hWnd))
        {
            delete pPopup;
            return 0;
        }
        for (int i = 0; i < GetItemCount(); i++)
        {
            CExtControlBar* pBar = (CExtControlBar*)m_arrItems[i]->m_lParam;
            if (pBar != NULL && pBar->m_hWnd != NULL)
                pPopup->InsertCommandItem((UINT)pBar->GetDlgCtrlID(), -1,
                                          GetItemText(m_arrItems[i]));
        }
        CExtControlBar::POPUP_MENU_EVENT_DATA data(9, pPopup, this, pt, WM_CONTEXTMENU, this);
        if (!data.NotifyTarget(false) || pPopup->GetItemCount() == 0)
        {
            CExtPopupMenuWnd::SafeDeletePopup(pPopup);
            return 0;
        }
        data.NotifyTarget(true);
        pPopup->StartTracking(CExtPopupMenuWnd::TPMX_DO_MESSAGE_LOOP, pt.x, pt.y);
        return 0;
    }
    if (message == WM_RBUTTONUP || message == WM_RBUTTONDOWN)
        return CWnd::WindowProc(message, wParam, lParam);
    return CExtTabWnd::WindowProc(message, wParam, lParam);
}

/////////////////////////////////////////////////////////////////////////////
// CExtDockDynTabBar

CExtDockDynTabBar::CExtDockDynTabBar() : CExtDockDynBar(0) {}

CExtDynTabControlBar* CExtDockDynTabBar::GetGroup() const
{
    return m_hWnd != NULL ? DYNAMIC_DOWNCAST(CExtDynTabControlBar, GetParent()) : NULL;
}

BOOL CExtDockDynTabBar::PreTranslateMessage(MSG* pMsg)
{
    CExtDynTabControlBar* pGroup = GetGroup();
    if (pGroup != NULL && pGroup->PreTranslateMessage(pMsg))
        return TRUE;
    return CExtDockDynBar::PreTranslateMessage(pMsg);
}

void CExtDockDynTabBar::GetMemberBars(ExtControlBarVector_t& arr) const
{
    arr.RemoveAll();
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = EntryBar(m_arrBars[i]);
        if (pBar != NULL && pBar->m_hWnd != NULL)
            arr.Add(pBar);
    }
}

// Lays every member bar over the whole client area, one on top of the other, clipping each
// other.
void CExtDockDynTabBar::StackMembers(bool bRepositionChildren)
{
    if (m_hWnd == NULL)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    ExtControlBarVector_t arr;
    GetMemberBars(arr);
    // stacked siblings must clip each other, or a lower one paints over the top one
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        if ((arr[i]->GetStyle() & WS_CLIPSIBLINGS) == 0)
            arr[i]->ModifyStyle(0, WS_CLIPSIBLINGS);
    HDWP hDWP = ::BeginDeferWindowPos((int)arr.GetSize());
    for (INT_PTR i = 0; i < arr.GetSize() && hDWP != NULL; i++)
        hDWP = ::DeferWindowPos(hDWP, arr[i]->m_hWnd, NULL, rcClient.left, rcClient.top,
                                rcClient.Width(), rcClient.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
    if (bRepositionChildren)
        for (INT_PTR i = 0; i < arr.GetSize(); i++)
            arr[i]->RepositionChildWindow();
}

void CExtDockDynTabBar::LayoutInClient()
{
    if (m_hWnd == NULL || m_bSuspended)
        return;
    StackMembers(true);
}

// The tab dock bar fills its window: it stacks the members there and gives each the
// group's remembered sizes.
CSize CExtDockDynTabBar::CalcFixedLayout(BOOL, BOOL)
{
    CRect rc(0, 0, 0, 0);
    if (m_hWnd != NULL)
        GetWindowRect(&rc);
    if (!m_bBusy && rc.Width() > 0 && rc.Height() > 0)
        StackMembers(true);
    CExtDynTabControlBar* pGroup = GetGroup();
    if (!m_bBusy && pGroup != NULL)
    {
        // the group's remembered sizes go to every member
        ExtControlBarVector_t arr;
        GetMemberBars(arr);
        for (INT_PTR i = 0; i < arr.GetSize(); i++)
        {
            arr[i]->m_sizeDockedH = pGroup->m_sizeDockedH;
            arr[i]->m_sizeDockedV = pGroup->m_sizeDockedV;
            arr[i]->m_sizeFloated = pGroup->m_sizeFloated;
        }
    }
    return rc.Size();
}

// After members came or went: the group goes with its last member, otherwise its tabs and
// layout follow.
void CExtDockDynTabBar::RecalcContainers()
{
    if (m_bSuspended)
        return;
    ExtBarLayout::NormalizeBarArray(m_arrBars);
    if (ExtBarLayout::CountBars(m_arrBars) == 0)
    {
        // the last member left: the group goes
        CExtDockDynBar::RecalcContainers();
        return;
    }
    CExtDynTabControlBar* pGroup = GetGroup();
    if (pGroup != NULL && !pGroup->m_bSyncing)
    {
        pGroup->SyncTabs(true);
        pGroup->RepositionChildWindow();
        if (pGroup->m_pDockSite != NULL)
            pGroup->m_pDockSite->DelayRecalcLayout();
    }
}

/////////////////////////////////////////////////////////////////////////////
// CExtDynTabControlBar

CExtDynTabControlBar::CExtDynTabControlBar() : m_bSyncing(false) {}
CExtDynTabControlBar::~CExtDynTabControlBar() {}

CExtDockDynBar* CExtDynTabControlBar::OnCreateDynamicDockBarObject()
{
    return new CExtDockDynTabBar;
}

CExtDockDynTabBar* CExtDynTabControlBar::GetTabDockBar() const
{
    return DYNAMIC_DOWNCAST(CExtDockDynTabBar, m_pWndDynDockBar);
}

CExtControlBar* CExtDynTabControlBar::GetTabbedContainer() { return this; }

// Makes the tab strip along the bottom on creation, gives a floating group a thin border and
// passes the focus on to the selected bar.
LRESULT CExtDynTabControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_CREATE:
    {
        LRESULT lResult = CExtDynControlBar::WindowProc(message, wParam, lParam);
        if (lResult == -1)
            return -1;
        CRect rc;
        GetClientRect(&rc);
        rc.top = std::max(rc.top, rc.bottom - 14);
        rc.right = std::max(rc.right, rc.left + 10);
        if (!m_wndTabs.Create(this, rc, (UINT)-1, WS_CHILD | WS_VISIBLE,
                              __ETWS_ORIENT_BOTTOM | __ETWS_EQUAL_WIDTHS))
            return -1;
        return lResult;
    }
    case WM_NCCALCSIZE:
        if (m_pDockBar != NULL && m_pDockBar->m_bFloating && lParam != 0)
        {
            RECT* pRc = (RECT*)lParam;
            ::InflateRect(pRc, -1, -1);
            return 0;
        }
        break;
    case WM_SETFOCUS:
    {
        CExtControlBar* pBar = GetSelectedBar();
        if (pBar != NULL && pBar->IsWindowVisible())
        {
            pBar->SetFocus();
            return 0;
        }
        break;
    }
    }
    return CExtDynControlBar::WindowProc(message, wParam, lParam);
}

BOOL CExtDynTabControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndTabs.m_hWnd != NULL && m_wndTabs.HandleSwitchKey(pMsg))
        return TRUE;
    return CExtDynControlBar::PreTranslateMessage(pMsg);
}

bool CExtDynTabControlBar::QueryGripper(bool* pbHorizontalCaption, bool* pbHasCaption)
{
    bool bAloneInMini = m_pDockBar != NULL && m_pDockBar->m_bFloating &&
                        m_pDockBar->GetDockedCount() == 1;
    if (pbHorizontalCaption != NULL)
        *pbHorizontalCaption = true;
    if (pbHasCaption != NULL)
        *pbHasCaption = !bAloneInMini;
    return !bAloneInMini;
}

// The group's caption: the selected bar's, else its first member's.
void CExtDynTabControlBar::GetBarCaptionText(CString& strText)
{
    strText.Empty();
    CExtControlBar* pBar = GetSelectedBar();
    if (pBar == NULL)
    {
        CExtDockDynTabBar* pDock = GetTabDockBar();
        ExtControlBarVector_t arr;
        if (pDock != NULL)
            pDock->GetMemberBars(arr);
        if (arr.GetSize() > 0)
            pBar = arr[0];
    }
    if (pBar != NULL)
        pBar->GetBarCaptionText(strText);
}

int CExtDynTabControlBar::CalcMinWidth()
{
    int n = CExtDynControlBar::CalcMinWidth();
    CExtDockDynTabBar* pDock = GetTabDockBar();
    ExtControlBarVector_t arr;
    if (pDock != NULL)
        pDock->GetMemberBars(arr);
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        if (IsBarWindowVisible(arr[i]))
            n = std::max(n, arr[i]->CalcMinWidth());
    return n;
}

int CExtDynTabControlBar::CalcMinHeight()
{
    int n = CExtDynControlBar::CalcMinHeight();
    CExtDockDynTabBar* pDock = GetTabDockBar();
    ExtControlBarVector_t arr;
    if (pDock != NULL)
        pDock->GetMemberBars(arr);
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        if (IsBarWindowVisible(arr[i]))
            n = std::max(n, arr[i]->CalcMinHeight());
    return n;
}

int CExtDynTabControlBar::CalcStripHeight()
{
    if (m_wndTabs.m_hWnd == NULL)
        return 0;
    CRect rc;
    GetClientRect(&rc);
    CRect rcBand = m_wndTabs.CalcStripRect(rc);
    return rcBand.Height() + 6;
}

bool CExtDynTabControlBar::IsTabStripVisible() const
{
    return m_wndTabs.m_hWnd != NULL && (m_wndTabs.GetStyle() & WS_VISIBLE) != 0;
}

CExtControlBar* CExtDynTabControlBar::GetSelectedBar()
{
    CExtTabWnd::TAB_ITEM_INFO* pItem = m_wndTabs.GetItem(m_wndTabs.GetSelection());
    return pItem != NULL ? (CExtControlBar*)pItem->m_lParam : NULL;
}

// Puts the tab strip along the bottom (shown for two visible tabs or more) and the stacked
// members above it.
void CExtDynTabControlBar::RepositionChildWindow(int cx, int cy, bool)
{
    CExtDockDynTabBar* pDock = GetTabDockBar();
    if (m_wndTabs.m_hWnd == NULL || pDock == NULL || pDock->m_hWnd == NULL)
        return;
    CRect rc(0, 0, cx, cy);
    if (cx < 0 || cy < 0)
        GetClientRect(&rc);
    if (m_pDockBar != NULL && m_pDockBar->GetDlgCtrlID() == AFX_IDW_DOCKBAR_FLOAT)
        rc.DeflateRect(1, 1);
    int h = CalcStripHeight();
    m_wndTabs.SetWindowPos(NULL, rc.left, rc.bottom - h - 1, rc.Width(), h + 1,
                           SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_wndTabs.GetVisibleItemCount() > 1)
    {
        m_wndTabs.ShowWindow(SW_SHOWNA);
        rc.bottom -= h + 1;
    }
    else
        m_wndTabs.ShowWindow(SW_HIDE);
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    pDock->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                        SWP_NOZORDER | SWP_NOACTIVATE);
    pDock->StackMembers(true);
    m_wndTabs.UpdateTabWnd(true);
    m_wndTabs.Invalidate();
}

// Adds a tab for the bar (for each visible member of a dynamic bar), marked hidden or
// detached as the bar is.
void CExtDynTabControlBar::InsertBar(CExtControlBar* pBar, int nIndex, bool bUpdate,
                                     bool bDetached)
{
    if (pBar == NULL)
        return;
    if (nIndex < 0 || nIndex > m_wndTabs.GetItemCount())
        nIndex = m_wndTabs.GetItemCount();
    CExtDynControlBar* pDyn = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
    if (pDyn != NULL && pDyn->m_pWndDynDockBar != NULL)
    {
        for (INT_PTR i = 0; i < pDyn->m_pWndDynDockBar->m_arrBars.GetSize(); i++)
        {
            CExtControlBar* pMember = EntryBar(pDyn->m_pWndDynDockBar->m_arrBars[i]);
            if (pMember == NULL || !IsBarWindowVisible(pMember))
                continue;
            int nBefore = m_wndTabs.GetItemCount();
            InsertBar(pMember, nIndex, false, bDetached);
            nIndex += m_wndTabs.GetItemCount() - nBefore;
        }
    }
    else if (m_wndTabs.FindItemByData((LPARAM)pBar) < 0)
    {
        DWORD dwFlags = IsBarWindowVisible(pBar) ? 0 : __ETWI_HIDDEN;
        if (bDetached)
            dwFlags |= __ETWI_DETACHED;
        m_wndTabs.InsertItem(NULL, NULL, false, dwFlags, nIndex, (LPARAM)pBar, false);
    }
    m_wndTabs.UpdateTabWnd(bUpdate);
}

// Takes the bar out of its old dock bar's entries; an emptied floating dock bar's mini frame
// goes, a docked one lays out anew.
void CExtDynTabControlBar::DetachFromDockBar(CExtControlBar* pBar, CDockBar* pExcept)
{
    CDockBar* pOld = pBar->m_pDockBar;
    if (pOld == NULL || pOld == pExcept)
        return;
    int nOld = ExtBarLayout::FindEntry(pOld->m_arrBars, pBar);
    if (nOld > 0)
        ExtBarLayout::RemoveEntryAt(pOld->m_arrBars, nOld);
    pBar->m_pDockBar = NULL;
    CExtDockBar* pOldExt = DYNAMIC_DOWNCAST(CExtDockBar, pOld);
    if (pOld->m_bFloating)
    {
        if (pOld->GetDockedCount() == 0)
        {
            CWnd* pMini = pOld->GetParent();
            if (pMini != NULL && pMini->IsFrameWnd())
                pMini->DestroyWindow();
        }
    }
    else if (pOldExt != NULL)
    {
        ExtBarLayout::NormalizeBarArray(pOldExt->m_arrBars);
        pOldExt->RecalcContainers();
    }
}

// Moves a bar (or each visible member of a dynamic bar) into the group's dock bar and tabs,
// sized to the page; false for the group itself or a group without its dock bar.
bool CExtDynTabControlBar::DockBarIntoGroup(CExtControlBar* pBar, int nIndex, bool bUpdate)
{
    CExtDockDynTabBar* pDock = GetTabDockBar();
    if (pBar == NULL || pBar == this || pDock == NULL)
        return false;
    m_wndTabs.RemoveDetachedItems(false);
    CExtDynControlBar* pDyn = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
    if (pDyn != NULL && pDyn->m_pWndDynDockBar != NULL)
    {
        ExtControlBarVector_t arr;
        for (INT_PTR i = 0; i < pDyn->m_pWndDynDockBar->m_arrBars.GetSize(); i++)
        {
            CExtControlBar* pMember = EntryBar(pDyn->m_pWndDynDockBar->m_arrBars[i]);
            if (pMember != NULL && IsBarWindowVisible(pMember))
                arr.Add(pMember);
        }
        pDyn->m_pWndDynDockBar->m_bBusy = true;
        for (INT_PTR i = 0; i < arr.GetSize(); i++)
        {
            DockBarIntoGroup(arr[i], nIndex < 0 ? -1 : nIndex, false);
            if (nIndex >= 0)
                nIndex++;
        }
        if (::IsWindow(pDyn->m_hWnd) && pDyn->m_pWndDynDockBar != NULL)
            pDyn->m_pWndDynDockBar->m_bBusy = false;
    }
    else
    {
        bool bVisible = IsBarWindowVisible(pBar);
        m_bSyncing = true;
        pBar->m_bUpdatingLayout = true;
        if (bVisible)
            pBar->ShowWindow(SW_HIDE);
        // re-parented first: an emptied mini frame is destroyed with its children
        CDockBar* pOldDock = pBar->m_pDockBar;
        pBar->SetParent(pDock);
        pBar->m_pDockBar = pOldDock;
        DetachFromDockBar(pBar, pDock);
        pBar->m_pDockBar = pDock;
        pBar->m_dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING)) |
                          CBRS_ALIGN_TOP | CBRS_BORDER_ANY;
        if (ExtBarLayout::FindEntry(pDock->m_arrBars, pBar) <= 0)
        {
            // one row: the bar goes before the row's closing separator
            ExtBarLayout::NormalizeBarArray(pDock->m_arrBars);
            INT_PTR nAt = pDock->m_arrBars.GetSize();
            if (nAt > 1 && pDock->m_arrBars[nAt - 1] == NULL)
                nAt--;
            if (nAt == 0)
            {
                pDock->m_arrBars.Add(NULL);
                nAt = 1;
            }
            pDock->m_arrBars.InsertAt(nAt, pBar);
            ExtBarLayout::NormalizeBarArray(pDock->m_arrBars);
        }
        CRect rc;
        pDock->GetClientRect(&rc);
        if (!IsTabStripVisible())
            rc.bottom = std::max(rc.top, rc.bottom - CalcStripHeight());
        pBar->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        pBar->RepositionChildWindow();
        if (bVisible)
            pBar->ShowWindow(SW_SHOWNA);
        pBar->m_bUpdatingLayout = false;
        m_bSyncing = false;
        InsertBar(pBar, nIndex, false);
    }
    if (bUpdate)
    {
        if (m_pDockSite != NULL)
            m_pDockSite->RecalcLayout();
        RepositionChildWindow();
        CExtPaintManager::PumpPaintMessages(true, true, true);
    }
    return true;
}

// Brings the tabs in step with the members: tabs of bars that left go (detached ones stay),
// new members get one, hidden ones are marked, and a visible tab stays selected.
void CExtDynTabControlBar::SyncTabs(bool bUpdate)
{
    CExtDockDynTabBar* pDock = GetTabDockBar();
    if (pDock == NULL || m_wndTabs.m_hWnd == NULL)
        return;
    ExtControlBarVector_t arr;
    pDock->GetMemberBars(arr);
    CExtControlBar* pSelected = GetSelectedBar();
    for (int i = m_wndTabs.GetItemCount() - 1; i >= 0; i--)
    {
        CExtTabWnd::TAB_ITEM_INFO* pItem = m_wndTabs.GetItem(i);
        bool bMember = false;
        for (INT_PTR k = 0; k < arr.GetSize() && !bMember; k++)
            bMember = (LPARAM)arr[k] == pItem->m_lParam;
        if (!bMember && !pItem->IsDetached())
            m_wndTabs.RemoveItems(i, 1, false);
    }
    for (INT_PTR k = 0; k < arr.GetSize(); k++)
    {
        int nTab = m_wndTabs.FindItemByData((LPARAM)arr[k]);
        if (nTab < 0)
        {
            InsertBar(arr[k], (int)k, false);
            continue;
        }
        bool bHidden = !IsBarWindowVisible(arr[k]);
        CExtTabWnd::TAB_ITEM_INFO* pItem = m_wndTabs.GetItem(nTab);
        if (bHidden != !pItem->IsVisible())
            pItem->ModifyFlags(bHidden ? 0 : __ETWI_HIDDEN, bHidden ? __ETWI_HIDDEN : 0);
    }
    CExtTabWnd::TAB_ITEM_INFO* pSel = m_wndTabs.GetItem(m_wndTabs.GetSelection());
    if (pSel == NULL || !pSel->IsVisible())
    {
        int nNext = m_wndTabs.FindItemByFlags(0, __ETWI_HIDDEN | __ETWI_DETACHED);
        if (pSelected != NULL && pSel == NULL)
            nNext = std::max(nNext, -1);
        m_wndTabs.SetSelection(nNext, true, false);
    }
    m_wndTabs.UpdateTabWnd(bUpdate);
}

// A member shown or hidden: its tab follows; a hidden selected member hands the selection
// to the next visible one, a member shown again takes it.
void CExtDynTabControlBar::OnMemberShowChanged(CExtControlBar* pBar)
{
    int nTab = m_wndTabs.FindItemByData((LPARAM)pBar);
    if (nTab < 0)
        return;
    CExtTabWnd::TAB_ITEM_INFO* pItem = m_wndTabs.GetItem(nTab);
    bool bVisible = IsBarWindowVisible(pBar);
    bool bWasHidden = !pItem->IsVisible();
    if (!bVisible && m_wndTabs.GetSelection() == nTab)
    {
        pItem->ModifyFlags(0, __ETWI_HIDDEN);
        // the next visible member takes the selection
        int nNext = -1;
        int nCount = m_wndTabs.GetItemCount();
        for (int k = 1; k < nCount && nNext < 0; k++)
        {
            int i = (nTab + k) % nCount;
            CExtTabWnd::TAB_ITEM_INFO* p = m_wndTabs.GetItem(i);
            if (p->IsVisible() && IsBarWindowVisible((CControlBar*)p->m_lParam))
                nNext = i;
        }
        m_wndTabs.SetSelection(nNext, true, false);
    }
    pItem->ModifyFlags(bVisible ? __ETWI_HIDDEN : 0, bVisible ? 0 : __ETWI_HIDDEN);
    if (bVisible && bWasHidden)
        m_wndTabs.SetSelection(nTab, true, false);
    m_wndTabs.UpdateTabWnd(true);
    if (m_pDockSite != NULL)
        m_pDockSite->DelayRecalcLayout();
    RepositionChildWindow();
}

void CExtDynTabControlBar::RemoveSelectedTab()
{
    int nSel = m_wndTabs.GetSelection();
    if (nSel >= 0)
        m_wndTabs.RemoveItems(nSel, 1, false);
}

void CExtDynTabControlBar::SelectBarTab(CExtControlBar* pBar)
{
    int nTab = m_wndTabs.FindItemByData((LPARAM)pBar);
    if (nTab < 0)
        return;
    m_wndTabs.SetSelection(nTab, true, true);
    if (pBar->m_hWnd != NULL && pBar->IsWindowVisible())
        pBar->SetFocus();
}

// Selects the n-th visible tab (the n-th tab when there are fewer visible ones).
void CExtDynTabControlBar::SelectVisibleTab(int n, bool bEnsureVisible, bool bUpdate)
{
    int nSeen = 0;
    for (int i = 0; i < m_wndTabs.GetItemCount(); i++)
    {
        if (!m_wndTabs.GetItem(i)->IsVisible())
            continue;
        if (nSeen++ == n)
        {
            m_wndTabs.SetSelection(i, bEnsureVisible, bUpdate);
            return;
        }
    }
    m_wndTabs.SetSelection(n, bEnsureVisible, bUpdate);
}

namespace
{

bool IsBarAlive(const CExtControlBar* pBar)
{
    CSingleLock lock(&CExtControlBar::g_csAllBars, TRUE);
    for (INT_PTR i = 0; i < CExtControlBar::g_arrAllBars.GetSize(); i++)
        if (CExtControlBar::g_arrAllBars[i] == pBar)
            return true;
    return false;
}

} // namespace

CExtDynTabControlBar* CExtDynTabControlBar::NewGroupForFrame(CFrameWnd* pFrame,
                                                             CExtControlBar* pBar)
{
    CREATE_TABBED_BAR_DATA data = { NULL, pBar };
    if (pFrame != NULL && pFrame->m_hWnd != NULL)
        pFrame->SendMessage(g_nMsgCreateTabbedBar, (WPARAM)&data);
    if (data.m_pGroup != NULL && data.m_pGroup->m_hWnd == NULL)
        return data.m_pGroup;
    return new CExtDynTabControlBar;
}

// The group that takes pThis's place in its dock bar, with pThis as its first tab.
CExtDynTabControlBar* CExtDynTabControlBar::MakeGroupAround(CExtControlBar* pThis,
                                                            CFrameWnd* pSite)
{
    CDockBar* pDockBar = pThis->m_pDockBar;
    if (pSite == NULL || pDockBar == NULL || pThis->m_hWnd == NULL || pDockBar->m_hWnd == NULL)
        return NULL;
    CRect rcThis;
    pThis->GetWindowRect(&rcThis);
    pDockBar->ScreenToClient(&rcThis);

    // the frame may give a group of its own
    CExtDynTabControlBar* pGroup = CExtDynTabControlBar::NewGroupForFrame(pSite, pThis);
    pGroup->m_sizeDockedH = pThis->m_sizeDockedH;
    pGroup->m_sizeDockedV = pThis->m_sizeDockedV;
    pGroup->m_sizeFloated = pThis->m_sizeFloated;
    DWORD dwStyle = (pThis->GetStyle() & 0xFFFF0000 & ~(WS_VISIBLE)) |
                    (pThis->m_dwStyle & CBRS_ALIGN_ANY) | CBRS_GRIPPER | CBRS_BORDER_ANY |
                    CBRS_TOOLTIPS;
    UINT nID = (UINT)pDockBar->GetDlgCtrlID();
    if (!pGroup->Create(NULL, pSite, nID, dwStyle | WS_CHILD))
    {
        // a window that failed in its creation has deleted its object already
        if (IsBarAlive(pGroup) && pGroup->m_hWnd == NULL)
            delete pGroup;
        return NULL;
    }
    CExtDockDynTabBar* pInner = pGroup->GetTabDockBar();
    if (pInner == NULL || pInner->m_hWnd == NULL)
    {
        pGroup->DestroyWindow();
        return NULL;
    }
    pGroup->m_dwStyle = (pGroup->m_dwStyle & ~CBRS_ALIGN_ANY) | (pThis->m_dwStyle & CBRS_ALIGN_ANY);
    pGroup->m_pDockSite = pSite;
    pGroup->m_pDockBar = pDockBar;
    pGroup->EnableDocking(CBRS_ALIGN_ANY);
    if (pDockBar->m_bFloating)
        pGroup->m_dwStyle |= CBRS_FLOATING;
    else
        pGroup->m_dwStyle &= ~CBRS_FLOATING;
    pInner->m_pDockSite = pSite;

    // the group takes the bar's entry and place, the bar becomes its first tab
    int nPos = ExtBarLayout::FindEntry(pDockBar->m_arrBars, pThis);
    if (nPos > 0)
        pDockBar->m_arrBars[nPos] = pGroup;
    pGroup->SetParent(pDockBar);
    pGroup->SetWindowPos(NULL, rcThis.left, rcThis.top, rcThis.Width(), rcThis.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    pThis->m_bUpdatingLayout = true;
    pThis->SetParent(pInner);
    pThis->m_pDockBar = pInner;
    pThis->m_dwStyle = (pThis->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING)) |
                       CBRS_ALIGN_TOP | CBRS_BORDER_ANY;
    pInner->m_arrBars.RemoveAll();
    pInner->m_arrBars.Add(NULL);
    pInner->m_arrBars.Add(pThis);
    pInner->m_arrBars.Add(NULL);
    pThis->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    pThis->m_bUpdatingLayout = false;
    pGroup->InsertBar(pThis, 0, false);
    return pGroup;
}

// Docks pTarget as a tab of pThis: into pThis when it is a group, into its group when it has
// one, else into a new group made in pThis's place.
bool CExtDynTabControlBar::DockAsTabImpl(CExtControlBar* pThis, CExtControlBar* pTarget,
                                         int nIndex, CFrameWnd* pDockSite, BOOL bRecalc)
{
    CExtDynTabControlBar* pGroupThis = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pThis);
    if (pGroupThis != NULL)
    {
        if (!pGroupThis->DockBarIntoGroup(pTarget, nIndex, false))
            return false;
        pGroupThis->SelectBarTab(pTarget);
        pGroupThis->RepositionChildWindow();
        if (pGroupThis->m_pDockSite != NULL)
        {
            CExtDockBar::CompactCircles(pGroupThis->m_pDockSite);
            pGroupThis->m_pDockSite->RecalcLayout();
        }
        return true;
    }
    CExtControlBar* pOwnGroup = pThis->GetTabbedContainer();
    if (pOwnGroup != NULL && pOwnGroup != pThis)
        return pOwnGroup->DockAsTab(pTarget, nIndex, pDockSite, bRecalc);

    CFrameWnd* pSite = pDockSite != NULL ? pDockSite : pThis->m_pDockSite;
    if (pTarget->m_hWnd == NULL)
        return false;
    CExtDynTabControlBar* pGroup = MakeGroupAround(pThis, pSite);
    if (pGroup == NULL)
        return false;
    pGroup->DockBarIntoGroup(pTarget, -1, false);

    CExtDockBar::CompactCircles(pSite);
    pGroup->RepositionChildWindow();
    pGroup->SelectVisibleTab(0, true, false);
    CFrameWnd* pParentFrame = pGroup->GetParentFrame();
    if (pParentFrame != NULL && pParentFrame != pSite)
        pParentFrame->RecalcLayout();
    pGroup->CreateNcAreaButtons();
    pGroup->LayoutNcAreaButtons();
    if (bRecalc)
        pSite->RecalcLayout();
    else
        pSite->DelayRecalcLayout();
    pGroup->RepositionChildWindow();
    return true;
}

void CExtDynTabControlBar::OnMemberDraggingStarted(CExtControlBar* pBar)
{
    CExtDynTabControlBar* pGroup = pBar != NULL
        ? DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar->GetTabbedContainer()) : NULL;
    if (pGroup == NULL || pGroup == pBar || pGroup->m_wndTabs.m_hWnd == NULL)
        return;
    pGroup->m_wndTabs.m_nDragStartTab = pGroup->m_wndTabs.FindItemByData((LPARAM)pBar);
}

// After a member's drag the tabs drop their detached marks: a cancelled drag puts the tab
// back and selects it, a finished one syncs the tabs; a target group drops its preview tab.
void CExtDynTabControlBar::OnMemberDraggingFinished(
    CExtControlBar* pBar, CExtControlBar::InternalDraggingState_t* pCandidate, bool bCancel)
{
    if (pBar == NULL)
        return;
    CExtDynTabControlBar* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar->GetTabbedContainer());
    if (pGroup != NULL && pGroup != pBar && pGroup->m_wndTabs.m_hWnd != NULL)
    {
        pGroup->m_wndTabs.RemoveDetachedItems(false);
        if (bCancel)
        {
            pGroup->m_wndTabs.RestoreDraggedTab(pBar);
            pGroup->SelectBarTab(pBar);
        }
        else
            pGroup->SyncTabs(false);    // a member that stays keeps a tab
        pGroup->m_wndTabs.m_nDragStartTab = -1;
        pGroup->m_wndTabs.UpdateTabWnd(true);
    }
    if (bCancel && pCandidate != NULL && pCandidate->m_pBarTarget != NULL)
    {
        CExtDynTabControlBar* pTargetGroup = DYNAMIC_DOWNCAST(
            CExtDynTabControlBar, pCandidate->m_pBarTarget->GetTabbedContainer());
        if (pTargetGroup != NULL && pTargetGroup != pGroup && pTargetGroup->m_wndTabs.m_hWnd != NULL)
            pTargetGroup->m_wndTabs.RemoveDetachedItems(true);
    }
}
