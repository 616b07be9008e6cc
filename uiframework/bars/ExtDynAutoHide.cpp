// ExtDynAutoHide.cpp - CExtDynAutoHideArea: the auto-hide strips along a frame's edges (the
// slider that shows an auto-hidden bar is in ExtDynAutoHideSlider.cpp).

#include "ExtDynAutoHide.h"
#include "ExtDockBar.h"
#include "ExtDynTabControlBar.h"
#include "afxpriv.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "uiframework/foundation/ExtCmdManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtDynAutoHideArea, CExtTabWnd)

int CExtDynAutoHideArea::g_nSlideSteps = 5;
int CExtDynAutoHideArea::g_nSlideStepTime = 10;
bool CExtDynAutoHideArea::g_bNoAnimationOut = false;
bool CExtDynAutoHideArea::g_bNoAnimationBack = false;
int CExtDynAutoHideArea::g_nTabStyle = -1;
bool CExtDynAutoHideArea::g_bKeyboardSwitching = true;
bool CExtDynAutoHideArea::g_bRegisterDropTarget = true;

// The frame edges in the order of FindAreas.
static const UINT g_arrSideIDs[4] = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM,
                                      AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT };

namespace
{

int SideIndex(UINT nDockBarID)
{
    for (int i = 0; i < 4; i++)
        if (g_arrSideIDs[i] == nDockBarID)
            return i;
    return -1;
}

bool IsWindowInFrame(HWND hWnd, CFrameWnd* pFrame)
{
    if (hWnd == NULL || pFrame == NULL || pFrame->m_hWnd == NULL)
        return false;
    return hWnd == pFrame->m_hWnd || ::IsChild(pFrame->m_hWnd, hWnd);
}

// The frame edge (dock bar id) a bar docks at: the id of its outermost framework holder.
UINT BarSideID(CExtControlBar* pBar)
{
    CControlBar* p = pBar;
    for (int nGuard = 0; p != NULL && nGuard < 32; nGuard++)
    {
        CDockBar* pDock = p->m_pDockBar;
        if (pDock == NULL)
            return 0;
        CExtDockDynBar* pDyn = DYNAMIC_DOWNCAST(CExtDockDynBar, pDock);
        if (pDyn == NULL)
            return (UINT)pDock->GetDlgCtrlID();
        p = pDyn->GetContainer();
    }
    return 0;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CExtDynAutoHideArea

CExtDynAutoHideArea::CExtDynAutoHideArea()
    : m_dropTarget(this), m_pSlider(NULL), m_nAreaFlags(0), m_rcLastWnd(0, 0, 0, 0), m_nAnimFlags(0)
{
}

CExtDynAutoHideArea::~CExtDynAutoHideArea() {}

CFrameWnd* CExtDynAutoHideArea::GetFrame() const
{
    return m_hWnd != NULL ? DYNAMIC_DOWNCAST(CFrameWnd, GetParent()) : NULL;
}

UINT CExtDynAutoHideArea::GetDockBarID() const
{
    return m_hWnd != NULL ? (UINT)GetDlgCtrlID() : 0;
}

// Creates the strip of one frame edge and tells that edge's dock bars; it is laid out first.
bool CExtDynAutoHideArea::CreateForFrame(CFrameWnd* pFrame, CExtDynAutoHideSlider* pSlider,
                                         UINT nDockBarID)
{
    int nSide = SideIndex(nDockBarID);
    if (pFrame == NULL || nSide < 0)
        return false;
    m_pSlider = pSlider;
    static const DWORD s_orient[4] = { __ETWS_ORIENT_TOP, __ETWS_ORIENT_BOTTOM,
                                       __ETWS_ORIENT_LEFT, __ETWS_ORIENT_RIGHT };
    DWORD dwStyle = s_orient[nSide] | __ETWS_HOVER_FOCUS | __ETWS_AUTOHIDE_SCROLL |
                    __ETWS_GROUPED;
    int nTabStyle = g_nTabStyle;
    if (nTabStyle == -1)
        nTabStyle = g_CurrentPaintManager->GetAutoHideTabStyle();
    if (nTabStyle == 1)
        dwStyle |= __ETWS_GROUPED_EXPAND_ITEMS;
    if (!Create(pFrame, CRect(0, 0, 0, 0), nDockBarID, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                dwStyle))
        return false;
    // every dock bar of the edge knows its area
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL)
    {
        CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar,
                                              (CObject*)pFrame->m_listControlBars.GetNext(pos));
        if (pDock != NULL && pDock->m_hWnd != NULL && (UINT)pDock->GetDlgCtrlID() == nDockBarID)
            pDock->m_pAutoHideArea = this;
    }
    m_dropTarget.RegisterIfAllowed(g_bRegisterDropTarget);
    // the strips are laid out first, so they take the very edge
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateTabWndVisibility();
    return true;
}

// Makes the slider and each missing edge strip of the frame; a frame with all four stays as is.
bool CExtDynAutoHideArea::SetupFrame(CFrameWnd* pFrame)
{
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return false;
    CExtDynAutoHideArea* arr[4];
    FindAreas(pFrame->m_hWnd, arr);
    if (arr[0] != NULL && arr[1] != NULL && arr[2] != NULL && arr[3] != NULL)
        return true;
    CExtDynAutoHideSlider* pSlider = new CExtDynAutoHideSlider;
    if (!pSlider->Create(pFrame))
    {
        delete pSlider;
        return false;
    }
    for (int i = 0; i < 4; i++)
    {
        if (arr[i] != NULL)
            continue;
        CExtDynAutoHideArea* pArea = new CExtDynAutoHideArea;
        if (!pArea->CreateForFrame(pFrame, pSlider, g_arrSideIDs[i]))
        {
            delete pArea;
            return false;
        }
    }
    pFrame->RecalcLayout();
    return true;
}

// Looks through the frame's child windows for the strips, keeping the first one of each edge.
void CExtDynAutoHideArea::FindAreas(HWND hWndInFrame, CExtDynAutoHideArea* arrAreas[4])
{
    for (int i = 0; i < 4; i++)
        arrAreas[i] = NULL;
    CWnd* pWnd = CWnd::FromHandle(hWndInFrame);
    CFrameWnd* pFrame = pWnd != NULL ? DYNAMIC_DOWNCAST(CFrameWnd, pWnd) : NULL;
    if (pFrame == NULL && pWnd != NULL)
        pFrame = pWnd->GetParentFrame();
    if (pFrame == NULL)
        return;
    for (HWND h = ::GetWindow(pFrame->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        CExtDynAutoHideArea* pArea =
            DYNAMIC_DOWNCAST(CExtDynAutoHideArea, CWnd::FromHandlePermanent(h));
        if (pArea == NULL)
            continue;
        int n = SideIndex(pArea->GetDockBarID());
        if (n >= 0 && arrAreas[n] == NULL)
            arrAreas[n] = pArea;
    }
}

CExtDynAutoHideArea* CExtDynAutoHideArea::FindAreaForSide(CFrameWnd* pFrame, UINT nDockBarID)
{
    int n = SideIndex(nDockBarID);
    if (pFrame == NULL || n < 0)
        return NULL;
    CExtDynAutoHideArea* arr[4];
    FindAreas(pFrame->m_hWnd, arr);
    return arr[n];
}

CExtDynAutoHideArea* CExtDynAutoHideArea::FindAreaForBar(CExtControlBar* pBar)
{
    if (pBar == NULL)
        return NULL;
    return FindAreaForSide(pBar->m_pDockSite, BarSideID(pBar));
}

// The strip that has an item for the bar, and that item's index.
CExtDynAutoHideArea* CExtDynAutoHideArea::FindBarArea(CExtControlBar* pBar, int* pnItem)
{
    if (pnItem != NULL)
        *pnItem = -1;
    if (pBar == NULL || pBar->m_pDockSite == NULL)
        return NULL;
    CExtDynAutoHideArea* arr[4];
    FindAreas(pBar->m_pDockSite->m_hWnd, arr);
    for (int i = 0; i < 4; i++)
    {
        if (arr[i] == NULL)
            continue;
        int n = arr[i]->FindItemByData((LPARAM)pBar);
        if (n >= 0)
        {
            if (pnItem != NULL)
                *pnItem = n;
            return arr[i];
        }
    }
    return NULL;
}

// Hides the bar into the strip (a tab group as one item group), then shows it unless bNoSlide.
void CExtDynAutoHideArea::AppendBar(CExtControlBar* pBar, bool bNoSlide)
{
    if (pBar == NULL || m_hWnd == NULL)
        return;
    CExtDynTabControlBar* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar);
    CExtControlBar* pShow = pBar;
    int nSelect = -1;
    if (pGroup != NULL)
    {
        CExtControlBar* pSelected = pGroup->GetSelectedBar();
        bool bFirst = true;
        for (int i = 0; i < pGroup->m_wndTabs.GetItemCount(); i++)
        {
            CExtTabWnd::TAB_ITEM_INFO* pTab = pGroup->m_wndTabs.GetItem(i);
            CExtControlBar* pMember = (CExtControlBar*)pTab->m_lParam;
            if (pMember == NULL || pTab->IsDetached())
                continue;
            InsertItem(NULL, NULL, false, bFirst ? __ETWI_GROUP_START : 0, -1, (LPARAM)pMember);
            if (pMember == pSelected || nSelect < 0)
                nSelect = GetItemCount() - 1;
            pMember->m_bAutoHidden = true;
            bFirst = false;
        }
        if (nSelect >= 0)
            pShow = (CExtControlBar*)GetItem(nSelect)->m_lParam;
        pGroup->m_bAutoHidden = true;
    }
    else
    {
        InsertItem(NULL, NULL, false, __ETWI_GROUP_START, -1, (LPARAM)pBar);
        nSelect = GetItemCount() - 1;
        pBar->m_bAutoHidden = true;
    }
    if (pBar->m_pDockSite != NULL)
        pBar->m_pDockSite->ShowControlBar(pBar, FALSE, FALSE);
    m_nAreaFlags |= 1;
    SetSelection(nSelect, true, false);
    SetSelection(-1, false, false);
    m_nAreaFlags &= ~1;
    UpdateTabWndVisibility();
    UpdateTabWnd(true);
    CFrameWnd* pFrame = GetFrame();
    if (!bNoSlide && pFrame != NULL && m_pSlider != NULL)
    {
        pFrame->RecalcLayout();
        m_pSlider->SlideBar(pShow, true, false);
    }
}

// Takes the bar or its tab group off the strip, sliding it back first, and docks it visibly again.
void CExtDynAutoHideArea::RemoveBar(CExtControlBar* pBar, bool bQuiet)
{
    if (pBar == NULL)
        return;
    CExtDynTabControlBar* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar);
    if (pGroup == NULL)
    {
        CExtControlBar* pOwner = pBar->GetTabbedContainer();
        if (pOwner != NULL && pOwner != pBar)
            pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pOwner);
    }
    if (m_pSlider != NULL && m_pSlider->IsShown())
    {
        CExtControlBar* pShown = m_pSlider->GetBar();
        if (pShown == pBar || (pGroup != NULL && pShown != NULL &&
                               pShown->GetTabbedContainer() == pGroup))
            m_pSlider->SlideBar(pShown, false, false);
    }
    CFrameWnd* pFrame = GetFrame();
    if (pGroup != NULL)
    {
        CExtControlBar* pRemembered = NULL;
        for (int i = GetItemCount() - 1; i >= 0; i--)
        {
            CExtControlBar* pMember = (CExtControlBar*)GetItem(i)->m_lParam;
            if (pMember == NULL || pMember->GetTabbedContainer() != pGroup)
                continue;
            if (GetItem(i)->IsInGroupActive())
                pRemembered = pMember;
            pMember->m_bAutoHidden = false;
            RemoveItems(i, 1, false);
        }
        pGroup->m_bAutoHidden = false;
        if (pFrame != NULL)
            pFrame->ShowControlBar(pGroup, TRUE, TRUE);
        if (pRemembered != NULL && !bQuiet)
            pGroup->SelectBarTab(pRemembered);
    }
    else
    {
        int n = FindItemByData((LPARAM)pBar);
        if (n >= 0)
            RemoveItems(n, 1, false);
        pBar->m_bAutoHidden = false;
        if (!bQuiet && pFrame != NULL)
            pFrame->ShowControlBar(pBar, TRUE, TRUE);
    }
    UpdateTabWndVisibility();
    UpdateTabWnd(true);
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();
}

// Shows the strip only while it has items and the frame is not in print preview.
void CExtDynAutoHideArea::UpdateTabWndVisibility()
{
    if (m_hWnd == NULL)
        return;
    bool bShow = GetItemCount() > 0;
    CFrameWnd* pFrame = GetFrame();
    if (bShow && pFrame != NULL)
    {
        CView* pView = pFrame->GetActiveView();
        if (pView != NULL && pView->IsKindOf(RUNTIME_CLASS(CPreviewView)))
            bShow = false;
    }
    bool bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow != bVisible)
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// A chosen item slides its bar out once the focus is in the frame; the bar out slides back first.
bool CExtDynAutoHideArea::OnSelectionChange(int nOld, int nNew, bool bPreSelect)
{
    bool bSuppressed = (m_nAreaFlags & 1) != 0;
    if (bPreSelect)
    {
        if (nNew >= 0 && nNew == nOld && m_pSlider != NULL && m_pSlider->IsShown())
            return false;
        if (nNew >= 0 && !bSuppressed && !(m_nAreaFlags & 2))
        {
            CFrameWnd* pFrame = GetFrame();
            HWND hFocus = ::GetFocus();
            bool bFocusOk = IsWindowInFrame(hFocus, pFrame);
            if (!bFocusOk && pFrame != NULL)
            {
                CWnd* pFocus = CWnd::FromHandle(hFocus);
                CFrameWnd* pFocusFrame = pFocus != NULL ? pFocus->GetParentFrame() : NULL;
                bFocusOk = pFocusFrame != NULL && pFocusFrame->GetParentFrame() == pFrame;
            }
            if (!bFocusOk)
                return false;
        }
        if (nNew >= 0 && !bSuppressed && m_pSlider != NULL && m_pSlider->IsShown())
            m_pSlider->SlideBar(m_pSlider->GetBar(), false, false);
        return true;
    }
    if (bSuppressed || m_pSlider == NULL)
        return true;
    TAB_ITEM_INFO* pItem = GetItem(nNew);
    if (pItem == NULL || !pItem->IsVisible() || pItem->IsDetached())
        return true;
    CExtControlBar* pBar = (CExtControlBar*)pItem->m_lParam;
    if (pBar == NULL || pBar->m_hWnd == NULL || pBar->IsButtonInputBlocked())
        return true;
    bool bAnimate = (m_nAnimFlags & 1) == 0;
    m_nAnimFlags &= ~1;
    m_pSlider->SlideBar(pBar, true, bAnimate);
    return true;
}

int CExtDynAutoHideArea::CDynDropTarget::SelectItemAt(CPoint ptClient)
{
    // a drag selects without the focus test: the focus is wherever the drag began
    CExtDynAutoHideArea* pArea = (CExtDynAutoHideArea*)GetTabWnd();
    if (pArea == NULL)
        return -1;
    BYTE nOld = pArea->m_nAreaFlags;
    pArea->m_nAreaFlags |= 2;
    int n = CExtTabWndDropTarget::SelectItemAt(ptClient);
    if (pArea->m_hWnd != NULL)
        pArea->m_nAreaFlags = (BYTE)((pArea->m_nAreaFlags & ~2) | (nOld & 2));
    return n;
}

CExtCmdIcon* CExtDynAutoHideArea::GetItemIcon(TAB_ITEM_INFO* pItem)
{
    return WindowItemIcon(pItem, GetFrame());
}

CString CExtDynAutoHideArea::GetItemText(TAB_ITEM_INFO* pItem)
{
    CExtControlBar* pBar = (CExtControlBar*)pItem->m_lParam;
    CString s;
    if (pBar != NULL && pBar->m_hWnd != NULL)
        pBar->GetBarCaptionText(s);
    return s;
}

void CExtDynAutoHideArea::OnItemInserted(int, TAB_ITEM_INFO*)
{
    m_nState |= STATE_DIRTY;
}

// Leaves a corner at each end of a top or bottom strip where a side strip shows.
void CExtDynAutoHideArea::GetItemMargins(int& nBefore, int& nAfter, int& nOuter)
{
    CExtTabWnd::GetItemMargins(nBefore, nAfter, nOuter);
    nOuter = 0;
    if (!IsHorizontal())
        return;
    // a corner at each end where a side strip shows
    CExtDynAutoHideArea* arr[4];
    FindAreas(m_hWnd, arr);
    int nThick = std::max(m_nThickness, 20);
    if (arr[2] != NULL && arr[2]->GetItemCount() > 0)
        nBefore += nThick;
    if (arr[3] != NULL && arr[3]->GetItemCount() > 0)
        nAfter += nThick;
}

// Ctrl+Page Up/Down select the next bar that is not shown and focus its content.
bool CExtDynAutoHideArea::HandleSwitchKey(MSG* pMsg)
{
    bool bForward = true;
    if (!g_bKeyboardSwitching || !IsSwitchKey(pMsg, bForward) || GetSelection() < 0)
        return false;
    // the next bar that is not shown
    int n = FindNextItem(GetSelection(), bForward, [](TAB_ITEM_INFO* pItem) {
        CExtControlBar* pBar = (CExtControlBar*)pItem->m_lParam;
        return pBar != NULL && pBar->m_hWnd != NULL && (pBar->GetStyle() & WS_VISIBLE) == 0;
    });
    if (n < 0)
        return true;
    m_nAnimFlags |= 1;
    m_nAreaFlags |= 2;
    SetSelection(n, true, true);
    m_nAreaFlags &= ~2;
    if (m_pSlider != NULL && m_pSlider->m_hWndContent != NULL &&
        ::IsWindowEnabled(m_pSlider->m_hWndContent) &&
        ::IsWindowVisible(m_pSlider->m_hWndContent))
        ::SetFocus(m_pSlider->m_hWndContent);
    return true;
}

BOOL CExtDynAutoHideArea::PreTranslateMessage(MSG* pMsg)
{
    if (HandleSwitchKey(pMsg))
        return TRUE;
    return CExtTabWnd::PreTranslateMessage(pMsg);
}

// Closes the slider when the strip moves, tells the dock bars its thickness, lists the bars.
LRESULT CExtDynAutoHideArea::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    {
        LRESULT lResult = CExtTabWnd::WindowProc(message, wParam, lParam);
        CRect rc;
        GetWindowRect(&rc);
        if (rc != m_rcLastWnd)
        {
            m_rcLastWnd = rc;
            if (m_pSlider != NULL && m_pSlider->IsShown() && m_pSlider->m_nResizeState == 1 &&
                !(m_pSlider->m_nFlags & CExtDynAutoHideSlider::STATE_SLIDING) &&
                m_pSlider->GetArea() == this)
                m_pSlider->SendMessage(WM_CANCELMODE);
        }
        return lResult;
    }
    case WM_SIZEPARENT:
    {
        AFX_SIZEPARENTPARAMS* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
        CRect rcBefore(0, 0, 0, 0);
        if (pLayout != NULL)
            rcBefore = pLayout->rect;
        LRESULT lResult = CExtTabWnd::WindowProc(message, wParam, lParam);
        if (pLayout == NULL)
            return lResult;
        // the dock bars of this edge learn the strip's thickness (0 when hidden)
        const CRect& rcAfter = pLayout->rect;
        int nThick = 0;
        switch (GetDockBarID())
        {
        case AFX_IDW_DOCKBAR_TOP: nThick = rcAfter.top - rcBefore.top; break;
        case AFX_IDW_DOCKBAR_BOTTOM: nThick = rcBefore.bottom - rcAfter.bottom; break;
        case AFX_IDW_DOCKBAR_LEFT: nThick = rcAfter.left - rcBefore.left; break;
        case AFX_IDW_DOCKBAR_RIGHT: nThick = rcBefore.right - rcAfter.right; break;
        }
        if (!IsWindowVisible())
            nThick = 0;
        CFrameWnd* pFrame = GetFrame();
        if (pFrame != NULL)
        {
            POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
            while (pos != NULL)
            {
                CExtDockBar* pDock = DYNAMIC_DOWNCAST(
                    CExtDockBar, (CObject*)pFrame->m_listControlBars.GetNext(pos));
                if (pDock != NULL && pDock->m_hWnd != NULL &&
                    (UINT)pDock->GetDlgCtrlID() == GetDockBarID())
                    pDock->m_nAutoHideAreaThickness = std::max(nThick, 0);
            }
        }
        return lResult;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_CONTEXTMENU:
    {
        CFrameWnd* pFrame = GetFrame();
        if (pFrame == NULL || pFrame->m_bHelpMode || m_nHoverSelectIndex >= 0 ||
            (m_pSlider != NULL && (m_pSlider->m_nFlags & CExtDynAutoHideSlider::STATE_SLIDING)))
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
            CExtControlBar* pBar = (CExtControlBar*)GetItem(i)->m_lParam;
            if (pBar == NULL || pBar->m_hWnd == NULL)
                continue;
            if (i > 0 && GetItem(i)->IsGroupStart())
                pPopup->InsertCommandItem(ID_SEPARATOR);
            pPopup->InsertCommandItem((UINT)pBar->GetDlgCtrlID(), -1, GetItemText(GetItem(i)));
        }
        CExtControlBar::POPUP_MENU_EVENT_DATA data(8, pPopup, this, pt, WM_CONTEXTMENU, this);
        if (!data.NotifyTarget(false) || pPopup->GetItemCount() == 0)
        {
            CExtPopupMenuWnd::SafeDeletePopup(pPopup);
            return 0;
        }
        data.NotifyTarget(true);
        pPopup->StartTracking(CExtPopupMenuWnd::TPMX_DO_MESSAGE_LOOP, pt.x, pt.y);
        return 0;
    }
    }
    return CExtTabWnd::WindowProc(message, wParam, lParam);
}
