// ExtTabMdiWnd.cpp - the MDI tab strip: following the children of the MDI client.

#include "ExtTabMdiWnd.h"
#include "ExtControlBar.h"
#include "afxpriv.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CExtTabMdiWnd, CExtTabWnd)

template <class TBase>
CExtTMWI<TBase>::CExtTMWI()
    : CExtHookSink(true), m_nBusy(0), m_nOuterLeft(0), m_nOuterTop(0), m_nOuterRight(0),
      m_nOuterBottom(0), m_nInnerLeft(0), m_nInnerTop(0), m_nInnerRight(0), m_nInnerBottom(0)
{
    this->m_nMdiFlags |= 1;
}

template <class TBase>
CExtTMWI<TBase>::~CExtTMWI()
{
    RemoveHookFromAll();
    m_iconCache.Empty();
}

template <class TBase>
bool CExtTMWI<TBase>::IsMdiTabWindow() const { return true; }

template <class TBase>
HWND CExtTMWI<TBase>::GetFrameHwnd()
{
    CWnd* pParent = this->GetParent();
    return pParent != NULL ? pParent->m_hWnd : NULL;
}

// The MDI client the strip follows: the MDI frame's, or the parent's child of the MDI client
// class.
template <class TBase>
HWND CExtTMWI<TBase>::GetMdiClientHwnd()
{
    CWnd* pParent = this->GetParent();
    if (pParent == NULL)
        return NULL;
    CMDIFrameWnd* pMdi = DYNAMIC_DOWNCAST(CMDIFrameWnd, pParent);
    if (pMdi != NULL)
        return pMdi->m_hWndMDIClient;
    for (HWND h = ::GetWindow(pParent->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        char szClass[513] = {0};
        ::GetClassNameA(h, szClass, 512);
        CharLowerA(szClass);
        if (strstr(szClass, "mdiclient") != NULL)
            return h;
    }
    return NULL;
}

template <class TBase>
int CExtTMWI<TBase>::FindItemByHwnd(HWND hWnd)
{
    return this->FindItemByData((LPARAM)hWnd, -1, false, false);
}

template <class TBase>
void CExtTMWI<TBase>::OnPreMdiClientNcCalcSize() {}

template <class TBase>
void CExtTMWI<TBase>::OnDrawMdiClientNcArea(CDC*, const RECT&, const RECT&) {}

template <class TBase>
BOOL CExtTMWI<TBase>::Create(CWnd* pParent, const RECT& rc, UINT nID, DWORD dwWindowStyle,
                             DWORD dwTabStyle, CCreateContext* pContext)
{
    if (!TBase::Create(pParent, rc, nID, dwWindowStyle, dwTabStyle, pContext))
        return FALSE;
    HWND hClient = GetMdiClientHwnd();
    if (hClient == NULL)
        return FALSE;
    if (!IsHookedTo(hClient) && !SetupHookWndSink(hClient, false, true))
        return FALSE;
    this->SetTimer(TIMER_SYNC, 10, NULL);
    return TRUE;
}

// Hides the strip without children or in print preview; else shows it and has the MDI
// client redo its frame for the strip's side.
template <class TBase>
void CExtTMWI<TBase>::UpdateTabWndVisibility()
{
    if (this->m_hWnd == NULL)
        return;
    bool bShow = this->GetItemCount() > 0;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, this->GetParent());
    if (bShow && pFrame != NULL)
    {
        CView* pView = pFrame->GetActiveView();
        if (pView != NULL && pView->IsKindOf(RUNTIME_CLASS(CPreviewView)))
            bShow = false;
    }
    if (!bShow)
    {
        this->SetWindowPos(NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE |
                           SWP_NOSIZE | SWP_NOZORDER);
        this->m_nFirstVisible = this->m_nLastVisible = -1;
        return;
    }
    this->SetWindowPos(NULL, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE |
                       SWP_NOSIZE | SWP_NOZORDER);
    HWND hClient = GetMdiClientHwnd();
    if (hClient != NULL)
        ::SetWindowPos(hClient, NULL, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE |
                       SWP_NOZORDER | SWP_NOACTIVATE);
}

// Shows or hides the strip and, when that changed, has the frame lay out anew.
template <class TBase>
void CExtTMWI<TBase>::UpdateVisibilityAndLayout()
{
    if (this->m_hWnd == NULL)
        return;
    bool bWasVisible = this->IsWindowVisible() != FALSE;
    UpdateTabWndVisibility();
    bool bVisible = this->IsWindowVisible() != FALSE;
    if (bWasVisible != bVisible)
    {
        CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, this->GetParent());
        if (pFrame != NULL)
            pFrame->DelayRecalcLayout(TRUE);
    }
    this->UpdateTabWnd(bVisible);
}

// Brings the items in step with the MDI client's children: adds new ones, selects the
// active one, drops those whose window is gone.
template <class TBase>
void CExtTMWI<TBase>::SyncWithMdiChildren()
{
    if (IsBusy() || IsDraggingItem())
        return;
    m_nBusy |= 1;
    HWND hClient = GetMdiClientHwnd();
    HWND hActive = NULL;
    CMDIFrameWnd* pMdi = DYNAMIC_DOWNCAST(CMDIFrameWnd, this->GetParent());
    if (pMdi != NULL)
    {
        CMDIChildWnd* pChild = pMdi->MDIGetActive();
        hActive = pChild != NULL ? pChild->m_hWnd : NULL;
    }
    else if (hClient != NULL)
        hActive = (HWND)::SendMessage(hClient, WM_MDIGETACTIVE, 0, 0);
    if (hClient == NULL || hActive == NULL)
    {
        m_nBusy &= ~1;
        if (this->GetItemCount() > 0 && hClient != NULL &&
            ::GetWindow(hClient, GW_CHILD) == NULL)
            this->RemoveAllItems(false);
        UpdateVisibilityAndLayout();
        return;
    }
    for (HWND h = ::GetWindow(hClient, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        int n = FindItemByHwnd(h);
        if (n < 0)
        {
            this->InsertItem(NULL, NULL, false, 0, -1, (LPARAM)h, false);
            n = this->GetItemCount() - 1;
        }
        if (h == hActive)
            this->SetSelection(n, true, false);
    }
    for (int i = this->GetItemCount() - 1; i >= 0; i--)
        if (!::IsWindow((HWND)this->m_arrItems[i]->m_lParam))
            this->RemoveItems(i, 1, false);
    m_nBusy &= ~1;
    UpdateVisibilityAndLayout();
}

// The close and help buttons act on the selected child when released over them: close it,
// or ask it for context help.
template <class TBase>
bool CExtTMWI<TBase>::OnStripButtonClick(int nHitCode, bool bPressed, int nMouseButton,
                                         UINT nFlags)
{
    if (nMouseButton != MK_LBUTTON)
        return false;
    bool bTracked = this->m_nTrackHitCode == nHitCode;
    TBase::OnStripButtonClick(nHitCode, bPressed, nMouseButton, nFlags);
    if (!bPressed && bTracked &&
        (nHitCode == CExtTabWnd::HT_BTN_CLOSE || nHitCode == CExtTabWnd::HT_BTN_HELP))
    {
        CExtTabWnd::TAB_ITEM_INFO* pItem = this->GetItem(this->GetSelection());
        HWND hChild = pItem != NULL ? (HWND)pItem->m_lParam : NULL;
        if (hChild != NULL && ::IsWindow(hChild))
        {
            this->PostMessage(WM_CANCELMODE);
            if (nHitCode == CExtTabWnd::HT_BTN_CLOSE)
                ::PostMessage(hChild, WM_CLOSE, 0, 0);
            else
            {
                CPoint pt;
                ::GetCursorPos(&pt);
                ::PostMessage(hChild, WM_SYSCOMMAND, SC_CONTEXTHELP, MAKELPARAM(pt.x, pt.y));
            }
        }
    }
    return true;
}

template <class TBase>
bool CExtTMWI<TBase>::OnItemMouseClick(int nIndex, bool bPressed, int nMouseButton, UINT nFlags)
{
    if (nMouseButton != MK_LBUTTON)
        return false;
    return TBase::OnItemMouseClick(nIndex, bPressed, nMouseButton, nFlags);
}

// Activates the child of a newly selected item (not while the strip syncs or drags) and
// has the MDI client redo its frame.
template <class TBase>
bool CExtTMWI<TBase>::OnSelectionChange(int nOld, int nNew, bool bPreSelect)
{
    TBase::OnSelectionChange(nOld, nNew, bPreSelect);
    HWND hClient = GetMdiClientHwnd();
    if (!bPreSelect && !IsBusy() && !IsDraggingItem() && hClient != NULL)
    {
        CExtTabWnd::TAB_ITEM_INFO* pItem = this->GetItem(nNew);
        if (pItem != NULL && ::IsWindow((HWND)pItem->m_lParam))
            ::SendMessage(hClient, WM_MDIACTIVATE, (WPARAM)pItem->m_lParam, 0);
    }
    if (hClient != NULL)
        ::SetWindowPos(hClient, NULL, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE |
                       SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

// The child's small icon (its own, else its class's) scaled to 16 pixels; NULL when it has
// none.
template <class TBase>
CExtCmdIcon* CExtTMWI<TBase>::GetItemIcon(CExtTabWnd::TAB_ITEM_INFO* pItem)
{
    HWND hWnd = pItem != NULL ? (HWND)pItem->m_lParam : NULL;
    if (hWnd == NULL || !::IsWindow(hWnd))
        return NULL;
    HICON hIcon = (HICON)::SendMessage(hWnd, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::SendMessage(hWnd, WM_GETICON, ICON_BIG, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtr(hWnd, GCLP_HICONSM);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtr(hWnd, GCLP_HICON);
    if (hIcon == NULL)
        return NULL;
    CExtCmdIcon icon(hIcon, true);
    if (!m_iconCache.AssignScaled(icon, 16, 16))
        return NULL;
    return &m_iconCache;
}

// An item's text: the child's document title with its window number, else the frame's
// title, else the window text.
template <class TBase>
CString CExtTMWI<TBase>::GetItemText(CExtTabWnd::TAB_ITEM_INFO* pItem)
{
    CString sText;
    HWND hWnd = pItem != NULL ? (HWND)pItem->m_lParam : NULL;
    if (hWnd == NULL || !::IsWindow(hWnd))
        return sText;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWnd));
    if (pFrame != NULL)
    {
        CDocument* pDoc = pFrame->GetActiveDocument();
        if (pDoc != NULL)
            sText = pDoc->GetTitle();
        if (sText.IsEmpty())
            sText = pFrame->GetTitle();
        if (!sText.IsEmpty() && pFrame->m_nWindow > 0)
        {
            CString sNum;
            sNum.Format(_T(":%d"), pFrame->m_nWindow);
            sText += sNum;
        }
    }
    if (sText.IsEmpty())
    {
        int nLen = ::GetWindowTextLength(hWnd);
        if (nLen > 0)
        {
            ::GetWindowText(hWnd, sText.GetBuffer(nLen + 1), nLen + 1);
            sText.ReleaseBuffer();
        }
    }
    return sText;
}

template <class TBase>
void CExtTMWI<TBase>::OnItemInserted(int nIndex, CExtTabWnd::TAB_ITEM_INFO* pItem)
{
    TBase::OnItemInserted(nIndex, pItem);
    if (!IsBusy() && !IsDraggingItem() && this->GetItemCount() == 1)
        UpdateVisibilityAndLayout();
}

template <class TBase>
void CExtTMWI<TBase>::OnItemRemoved(int nIndex, int nCount, bool bBeforeRemoval)
{
    TBase::OnItemRemoved(nIndex, nCount, bBeforeRemoval);
    if (!bBeforeRemoval && !IsBusy() && !IsDraggingItem() && this->GetItemCount() == 0)
        UpdateVisibilityAndLayout();
}

template <class TBase>
void CExtTMWI<TBase>::OnAllItemsRemoved(bool bBefore)
{
    TBase::OnAllItemsRemoved(bBefore);
    if (!bBefore && !IsBusy() && !IsDraggingItem())
        UpdateVisibilityAndLayout();
}

// Selects the item under the point and shows the menu the frame fills for the strip; none
// in help mode or when it stays empty.
template <class TBase>
void CExtTMWI<TBase>::ShowContextMenu(CPoint ptScreen)
{
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, this->GetParent());
    if (pFrame == NULL || pFrame->m_bHelpMode)
        return;
    int nHit = this->ItemFromScreenPoint(ptScreen);
    if (nHit >= 0)
        this->SetSelection(nHit, true, true);
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->InitAsEmptyPopup(pFrame->m_hWnd))
    {
        delete pPopup;
        return;
    }
    CExtControlBar::POPUP_MENU_EVENT_DATA data(7, pPopup, this, ptScreen, WM_CONTEXTMENU, this);
    if (!data.NotifyTarget(false) || pPopup->GetItemCount() == 0)
    {
        CExtPopupMenuWnd::SafeDeletePopup(pPopup);
        return;
    }
    data.NotifyTarget(true);
    pFrame->SetFocus();
    pPopup->StartTracking(CExtPopupMenuWnd::TPMX_DO_MESSAGE_LOOP |
                              CExtPopupMenuWnd::TPMX_OWNERDRAW_FIXED,
                          ptScreen.x, ptScreen.y);
}

// The strip's own frame (a border on the three sides away from the MDI client), its
// right-click menu and the delayed sync with the children.
template <class TBase>
LRESULT CExtTMWI<TBase>::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_WINDOWPOSCHANGING:
        if (lParam != 0)
            ((WINDOWPOS*)lParam)->flags |= SWP_FRAMECHANGED;
        break;
    case WM_CONTEXTMENU:
    {
        CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        if (lParam == -1)
            ::GetCursorPos(&pt);
        ShowContextMenu(pt);
        return 0;
    }
    case WM_NCCALCSIZE:
        if (this->IsWindowVisible() && lParam != 0)
        {
            RECT* pRc = (RECT*)lParam;
            int nOrient = this->GetOrientation();
            // a border on the three sides away from the MDI client
            if (nOrient != 1) pRc->top += 2;
            if (nOrient != 0) pRc->bottom -= 2;
            if (nOrient != 3) pRc->left += 2;
            if (nOrient != 2) pRc->right -= 2;
            return 0;
        }
        break;
    case WM_NCPAINT:
    {
        CRect rcWnd, rcClient;
        this->GetWindowRect(&rcWnd);
        this->GetClientRect(&rcClient);
        this->ClientToScreen(&rcClient);
        if (rcWnd == rcClient)
            return 0;
        rcClient.OffsetRect(-rcWnd.left, -rcWnd.top);
        rcWnd.OffsetRect(-rcWnd.left, -rcWnd.top);
        CWindowDC dc(this);
        dc.ExcludeClipRect(&rcClient);
        dc.FillSolidRect(&rcWnd, g_CurrentPaintManager->GetColor(COLOR_3DFACE, this));
        CRect rcFrame(rcWnd);
        switch (this->GetOrientation())
        {
        case 0: rcFrame.bottom += 2; break;
        case 1: rcFrame.top -= 2; break;
        case 2: rcFrame.right += 2; break;
        default: rcFrame.left -= 2; break;
        }
        g_CurrentPaintManager->DrawMdiClientFrame(dc, rcFrame, this);
        return 0;
    }
    case WM_TIMER:
        if (wParam == TIMER_SYNC)
        {
            this->KillTimer(TIMER_SYNC);
            if (!IsBusy())
                SyncWithMdiChildren();
            return 0;
        }
        break;
    }
    return TBase::WindowProc(message, wParam, lParam);
}

// Watches the MDI client: fits and paints its frame for the strip's side and the margins,
// and follows children made, activated and destroyed.
template <class TBase>
bool CExtTMWI<TBase>::OnHookWndMsg(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam,
                                   LPARAM& lParam)
{
    if (this->m_hWnd == NULL || hWnd != GetMdiClientHwnd())
        return CExtHookSink::OnHookWndMsg(lResult, hWnd, nMessage, wParam, lParam);
    switch (nMessage)
    {
    case WM_WINDOWPOSCHANGING:
        if (lParam != 0)
            ((WINDOWPOS*)lParam)->flags |= SWP_FRAMECHANGED;
        break;
    case WM_NCCALCSIZE:
    {
        OnPreMdiClientNcCalcSize();
        RECT* pRc = (RECT*)lParam;
        if (pRc == NULL)
            break;
        bool bStrip = this->IsWindowVisible() != FALSE;
        int nOrient = this->GetOrientation();
        pRc->left += (bStrip && nOrient == 2) ? 0 : 2;
        pRc->top += (bStrip && nOrient == 0) ? 0 : 2;
        pRc->right -= (bStrip && nOrient == 3) ? 0 : 2;
        pRc->bottom -= (bStrip && nOrient == 1) ? 0 : 2;
        pRc->left += m_nOuterLeft + m_nInnerLeft;
        pRc->top += m_nOuterTop + m_nInnerTop;
        pRc->right -= m_nOuterRight + m_nInnerRight;
        pRc->bottom -= m_nOuterBottom + m_nInnerBottom;
        if (pRc->right < pRc->left)
            pRc->right = pRc->left;
        if (pRc->bottom < pRc->top)
            pRc->bottom = pRc->top;
        lResult = 0;
        return true;
    }
    case WM_NCPAINT:
    {
        CRect rcWnd, rcClient;
        ::GetWindowRect(hWnd, &rcWnd);
        ::GetClientRect(hWnd, &rcClient);
        ::ClientToScreen(hWnd, (POINT*)&rcClient.left);
        ::ClientToScreen(hWnd, (POINT*)&rcClient.right);
        if (rcWnd != rcClient)
        {
            rcClient.OffsetRect(-rcWnd.left, -rcWnd.top);
            rcWnd.OffsetRect(-rcWnd.left, -rcWnd.top);
            CDC dc;
            HDC hDC = ::GetWindowDC(hWnd);
            dc.Attach(hDC);
            dc.ExcludeClipRect(&rcClient);
            dc.FillSolidRect(&rcWnd, g_CurrentPaintManager->GetColor(COLOR_3DFACE, this));
            if (m_nOuterLeft + m_nInnerLeft + m_nOuterTop + m_nInnerTop + m_nOuterRight +
                    m_nInnerRight + m_nOuterBottom + m_nInnerBottom > 0)
                OnDrawMdiClientNcArea(&dc, rcWnd, rcClient);
            CRect rcFrame(rcWnd);
            if (this->IsWindowVisible())
            {
                switch (this->GetOrientation())
                {
                case 0: rcFrame.top -= 2; break;
                case 1: rcFrame.bottom += 2; break;
                case 2: rcFrame.left -= 2; break;
                default: rcFrame.right += 2; break;
                }
            }
            g_CurrentPaintManager->DrawMdiClientFrame(dc, rcFrame, this);
            dc.Detach();
            ::ReleaseDC(hWnd, hDC);
        }
        lResult = 0;
        return true;
    }
    case WM_MDIDESTROY:
    {
        int n = FindItemByHwnd((HWND)wParam);
        if (n >= 0)
        {
            m_nBusy |= 1;
            this->RemoveItems(n, 1, false);
            m_nBusy &= ~1;
            if (this->GetItemCount() == 0)
                UpdateVisibilityAndLayout();
            else
                this->UpdateTabWnd(true);
        }
        this->PostMessage(WM_TIMER, TIMER_SYNC, 0);
        break;
    }
    case WM_MDICREATE:
    case WM_MDIREFRESHMENU:
        this->PostMessage(WM_TIMER, TIMER_SYNC, 0);
        break;
    case WM_MDIACTIVATE:
    {
        int n = FindItemByHwnd((HWND)wParam);
        if (n >= 0)
        {
            m_nBusy |= 1;
            this->SetSelection(n, true, true);
            m_nBusy &= ~1;
        }
        this->PostMessage(WM_TIMER, TIMER_SYNC, 0);
        break;
    }
    }
    return CExtHookSink::OnHookWndMsg(lResult, hWnd, nMessage, wParam, lParam);
}

template class CExtTMWI<CExtTabWnd>;
