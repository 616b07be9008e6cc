// ExtPopupControlMenuWnd.cpp - popup menus that host a child control, the in-place list box
// and the undo/redo pair.

#include "stdafx.h"
#include <algorithm>
#include "ExtPopupControlMenuWnd.h"
#include "ExtPaintManager.h"
#include "ExtMemoryDC.h"

using std::max;
using std::min;

IMPLEMENT_DYNCREATE(CExtPopupControlMenuWnd, CExtPopupMenuWnd)
IMPLEMENT_DYNCREATE(CExtPopupInplaceListBox, CListBox)
IMPLEMENT_DYNCREATE(CExtPopupUndoRedoMenuWnd, CExtPopupControlMenuWnd)
IMPLEMENT_DYNCREATE(CExtPopupUndoRedoListBox, CExtPopupInplaceListBox)

bool CExtPopupControlMenuWnd::g_bControlPopupShadows = false;

namespace
{

bool IsKeyHeld(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CExtPopupControlMenuWnd

CExtPopupControlMenuWnd::CExtPopupControlMenuWnd()
    : m_sizeChildControl(150, 100), m_rcChildControl(0, 0, 0, 0), m_hWndChildControl(NULL)
{
}

CExtPopupControlMenuWnd::~CExtPopupControlMenuWnd()
{
}

CSize CExtPopupControlMenuWnd::CalcSize()
{
    const int s = GetShadowSize(), b = GetBorderSize();
    return CSize(m_sizeChildControl.cx + 2 * b + s + m_nLeftAreaWidth,
                 m_sizeChildControl.cy + 2 * b + s);
}

CRect CExtPopupControlMenuWnd::GetChildControlRect()
{
    const int b = GetBorderSize();
    CRect rc(0, 0, m_sizeChildControl.cx, m_sizeChildControl.cy);
    rc.OffsetRect(m_rcContent.left + m_nLeftAreaWidth + b, m_rcContent.top + b);
    return rc;
}

HWND CExtPopupControlMenuWnd::CreateChildControl(const RECT& /*rc*/)
{
    return NULL;
}

bool CExtPopupControlMenuWnd::CreatePopupWindow(CWnd* pWndParent)
{
    if (!CExtPopupMenuWnd::CreatePopupWindow(pWndParent))
        return false;
    m_rcChildControl = GetChildControlRect();
    m_hWndChildControl = CreateChildControl(m_rcChildControl);
    return true;
}

// Keeps the child control in step with the menu's item sizes.
void CExtPopupControlMenuWnd::RecalcItemSizes()
{
    CExtPopupMenuWnd::RecalcItemSizes();
    if (m_hWndChildControl == NULL || !::IsWindow(m_hWndChildControl))
        return;
    CRect rc = GetChildControlRect();
    if (rc == m_rcChildControl)
        return;
    m_rcChildControl = rc;
    ::SetWindowPos(m_hWndChildControl, NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (GetSafeHwnd() != NULL && IsWindowVisible())
    {
        CClientDC dc(this);
        PaintContent(dc, true);
    }
}

void CExtPopupControlMenuWnd::OverrideAnimationType(int& nType)
{
    nType = ANIM_ONE_TICK;
}

bool CExtPopupControlMenuWnd::IsShadowEnabled()
{
    if (!g_bControlPopupShadows)
        return false;
    return CExtPopupMenuWnd::IsShadowEnabled();
}

bool CExtPopupControlMenuWnd::IsItemTipAllowed()
{
    return !IsNotifySuppressed() && !IsContinuedTracking();
}

LRESULT CExtPopupControlMenuWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE || message == WM_DESTROY)
        m_hWndChildControl = NULL;
    return CExtPopupMenuWnd::WindowProc(message, wParam, lParam);
}

bool CExtPopupControlMenuWnd::IsInputBlocked()
{
    const TrackingSite_t& site = g_TrackingSite;
    return GetSafeHwnd() == NULL || site.IsEnding() || site.m_pWndRoot == NULL;
}

bool CExtPopupControlMenuWnd::IsWindowInControl(HWND hWnd)
{
    if (hWnd == NULL || m_hWndChildControl == NULL)
        return false;
    if ((::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) == 0)
        return false;
    return hWnd == m_hWndChildControl || ::IsChild(m_hWndChildControl, hWnd);
}

bool CExtPopupControlMenuWnd::IsControlUnderInput(CPoint ptClient)
{
    CPoint ptScreen(ptClient);
    ClientToScreen(&ptScreen);
    return IsWindowInControl(::WindowFromPoint(ptScreen)) || IsWindowInControl(::GetFocus())
        || IsWindowInControl(::GetCapture());
}

LRESULT CExtPopupControlMenuWnd::Retranslate(InputRetranslateInfo_t& info)
{
    if (m_hWndChildControl == NULL || !::IsWindow(m_hWndChildControl))
        return 0;
    return ::SendMessageA(m_hWndChildControl, g_nMsgControlInputRetranslate, (WPARAM)&info, 0);
}

// Hands the wheel to the child control, or scrolls the menu under the mouse.
bool CExtPopupControlMenuWnd::OnHookMouseWheel(WPARAM wParam, LPARAM lParam, bool& bNoEat)
{
    if (IsInputBlocked())
        return true;
    CSelfLock lock(this);
    if (m_hWndChildControl != NULL)
    {
        InputRetranslateInfo_t info(this, INPUT_MOUSE_WHEEL, &bNoEat);
        info.m_wParam = wParam;
        info.m_lParam = lParam;
        return Retranslate(info) != 0;
    }
    CPoint pt;
    ::GetCursorPos(&pt);
    if (IsWindowInControl(::WindowFromPoint(pt)) || IsWindowInControl(::GetFocus())
        || IsWindowInControl(::GetCapture()))
    {
        bNoEat = true;
        return false;
    }
    return true;
}

// Lets mouse moves reach the child control and passes those over the menus on to it.
bool CExtPopupControlMenuWnd::OnHookMouseMove(UINT nFlags, CPoint point, bool& bNoEat)
{
    if (IsInputBlocked())
        return true;
    CSelfLock lock(this);
    if (IsControlUnderInput(point))
    {
        bNoEat = true;
        return false;
    }
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    if (IsPointInMenus(ptScreen) && m_hWndChildControl != NULL)
    {
        InputRetranslateInfo_t info(this, INPUT_MOUSE_MOVE, &bNoEat);
        info.m_nFlags = nFlags;
        info.m_point = point;
        return Retranslate(info) != 0;
    }
    for (int i = 0; i < GetItemCount(); i++)
    {
        MENUITEMDATA& mi = m_items_all[i];
        if (!IsChildWindowOpen(mi))
            continue;
        CPoint ptChild(ptScreen);
        mi.m_pWndChild->ScreenToClient(&ptChild);
        bool bChildNoEat = false;
        if (mi.m_pWndChild->OnHookMouseMove(nFlags, ptChild, bChildNoEat) && !bChildNoEat)
        {
            if (GetSafeHwnd() != NULL)
                CloseMenuTree(false);
            return true;
        }
        break;
    }
    return false;
}

// Lets presses reach the child control; a press outside the menus closes them.
bool CExtPopupControlMenuWnd::OnHookMouseClick(UINT nMessage, CPoint point, bool& bNoEat)
{
    if (IsInputBlocked())
        return true;
    CSelfLock lock(this);
    if (IsControlUnderInput(point))
    {
        bNoEat = true;
        return false;
    }
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    if (IsPointInMenus(ptScreen))
    {
        if (m_hWndChildControl != NULL)
        {
            InputRetranslateInfo_t info(this, INPUT_MOUSE_BUTTON, &bNoEat);
            info.m_nFlags = nMessage;
            info.m_point = point;
            return Retranslate(info) != 0;
        }
        return false;
    }
    CExtPopupMenuWnd* pParent = m_pWndParentMenu;
    if (pParent != NULL && pParent->GetSafeHwnd() != NULL)
    {
        CPoint ptParent(ptScreen);
        pParent->ScreenToClient(&ptParent);
        const int nHit = pParent->HitTestItem(ptParent);
        if (nHit >= 0 && pParent->GetItemAt(nHit).m_pWndChild == this)
        {
            if (nMessage == WM_LBUTTONDOWN || nMessage == WM_RBUTTONDOWN
                || nMessage == WM_MBUTTONDOWN)
            {
                CSelfLock lockParent(pParent);
                pParent->DeselectCurrentItem(false);
                if (pParent->GetSafeHwnd() == NULL)
                    return true;
                pParent->ExpandSubMenu(nHit, false, true, false);
                pParent->SetAsHookTarget();
                MENUITEMDATA& mi = pParent->GetItemAt(nHit);
                if (mi.m_pWndInplaceEdit != NULL && mi.m_pWndInplaceEdit->GetSafeHwnd() != NULL)
                {
                    if (!mi.m_pWndInplaceEdit->IsWindowVisible())
                        pParent->ShowInplaceEdit(nHit);
                    else
                        mi.m_pWndInplaceEdit->SetFocus();
                }
            }
            return true;
        }
        bool bParentNoEat = false;
        bool bEaten = pParent->OnHookMouseClick(nMessage, ptParent, bParentNoEat);
        if (bEaten && !bParentNoEat && GetSafeHwnd() != NULL)
            CancelTracking();
        return true;
    }
    if (nMessage == WM_LBUTTONUP || nMessage == WM_RBUTTONUP)
        return true;
    CloseMenuTree(false);
    return false;
}

bool CExtPopupControlMenuWnd::OnHookKey(UINT nChar, UINT nRepCnt, UINT nFlags, bool& bNoEat)
{
    if (IsInputBlocked())
        return true;
    if (m_hWndChildControl == NULL)
        return false;
    CSelfLock lock(this);
    InputRetranslateInfo_t info(this, INPUT_KEY, &bNoEat);
    info.m_nFlags = nFlags;
    info.m_nChar = nChar;
    info.m_nRepCnt = nRepCnt;
    return Retranslate(info) != 0;
}

/////////////////////////////////////////////////////////////////////////////
// CExtPopupInplaceListBox

CExtPopupInplaceListBox::CExtPopupInplaceListBox()
    : m_pCbSelection(NULL), m_pSelectionCookie(NULL), m_pCbInitContent(NULL),
      m_pInitContentCookie(NULL), m_pCbDrawItem(NULL), m_pCbMeasureItem(NULL),
      m_pDrawMeasureCookie(NULL), m_lParamCookie(0), m_bSelectionDelivered(false)
{
}

CExtPopupInplaceListBox::~CExtPopupInplaceListBox()
{
}

void CExtPopupInplaceListBox::PostNcDestroy()
{
    delete this;
}

CExtPopupControlMenuWnd* CExtPopupInplaceListBox::GetPopup() const
{
    HWND hWndParent = ::GetParent(m_hWnd);
    CWnd* pWnd = (hWndParent != NULL) ? CWnd::FromHandlePermanent(hWndParent) : NULL;
    return DYNAMIC_DOWNCAST(CExtPopupControlMenuWnd, pWnd);
}

HWND CExtPopupInplaceListBox::GetCmdReceiverHWND() const
{
    CExtPopupControlMenuWnd* pPopup = GetPopup();
    return (pPopup != NULL) ? pPopup->GetCmdReceiverHWND() : NULL;
}

LRESULT CExtPopupInplaceListBox::SendNotification(UINT nMessage, INT_PTR nValue)
{
    HWND hWnd = GetCmdReceiverHWND();
    if (hWnd == NULL || !::IsWindow(hWnd))
        return 0;
    NotifyData_t data(this, nValue);
    return ::SendMessageA(hWnd, nMessage, (WPARAM)&data, m_lParamCookie);
}

// Delivers the chosen item once (callback or notification) and closes the popup.
void CExtPopupInplaceListBox::OnSelectionFinal()
{
    if (m_bSelectionDelivered)
        return;
    m_bSelectionDelivered = true;
    if (m_pCbSelection != NULL && m_pCbSelection(*this, m_pSelectionCookie, SEL_FINAL))
        return;
    if (GetSafeHwnd() == NULL)
        return;
    CExtPopupControlMenuWnd* pPopup = GetPopup();
    HWND hWndPopup = (pPopup != NULL) ? pPopup->GetSafeHwnd() : NULL;
    SendNotification(g_nMsgPopupListBoxSelEndOK, GetCurSel());
    if (hWndPopup != NULL && ::IsWindow(hWndPopup))
        ::PostMessageA(hWndPopup, WM_CANCELMODE, 0, 0);
}

// Reports the cancelled choice once (unless quiet) and closes the popup.
void CExtPopupInplaceListBox::OnSelectionCancel(bool bQuiet)
{
    if (m_bSelectionDelivered)
        return;
    m_bSelectionDelivered = true;
    if (m_pCbSelection != NULL && m_pCbSelection(*this, m_pSelectionCookie, SEL_CANCEL))
        return;
    if (bQuiet || GetSafeHwnd() == NULL)
        return;
    CExtPopupControlMenuWnd* pPopup = GetPopup();
    HWND hWndPopup = (pPopup != NULL) ? pPopup->GetSafeHwnd() : NULL;
    SendNotification(g_nMsgPopupListBoxSelEndCancel, GetCurSel());
    if (hWndPopup != NULL && ::IsWindow(hWndPopup))
        ::PostMessageA(hWndPopup, WM_CANCELMODE, 0, 0);
}

// Shows the item under the selection in the parent menu's item text.
void CExtPopupInplaceListBox::OnSelChange()
{
    if (m_pCbSelection != NULL && m_pCbSelection(*this, m_pSelectionCookie, SEL_CHANGED))
        return;
    CExtPopupControlMenuWnd* pPopup = GetPopup();
    CExtPopupMenuWnd* pParent = (pPopup != NULL) ? pPopup->GetParentMenuWnd() : NULL;
    if (pParent != NULL)
    {
        const int nItem = pParent->GetCurrentIndex();
        if (nItem >= 0 && nItem < pParent->GetItemCount())
        {
            CExtPopupMenuWnd::MENUITEMDATA& mi = pParent->GetItemAt(nItem);
            CString strText;
            const int nSel = GetCurSel();
            if ((GetStyle() & LBS_HASSTRINGS) != 0 && nSel >= 0)
                GetText(nSel, strText);
            if ((GetStyle() & LBS_HASSTRINGS) != 0 && !strText.IsEmpty())
            {
                mi.m_sInplaceEditTemporaryText = strText;
                mi.m_nInplaceEditFlags |= CExtPopupMenuWnd::MENUITEMDATA::EDIT_TEMPORARY_TEXT;
            }
            else
            {
                mi.m_sInplaceEditTemporaryText.Empty();
                mi.m_nInplaceEditFlags &= ~CExtPopupMenuWnd::MENUITEMDATA::EDIT_TEMPORARY_TEXT;
                if ((GetStyle() & LBS_HASSTRINGS) == 0)
                    mi.SetText(_T(""));
            }
        }
        if (pParent->GetSafeHwnd() != NULL)
        {
            pParent->Invalidate(FALSE);
            pParent->UpdateWindow();
        }
    }
    SendNotification(g_nMsgPopupListBoxSelChange, GetCurSel());
}

void CExtPopupInplaceListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (m_pCbDrawItem != NULL && m_pCbDrawItem(*this, m_pDrawMeasureCookie, lpDrawItemStruct))
        return;
    SendNotification(g_nMsgPopupListBoxItemDraw, (INT_PTR)lpDrawItemStruct);
}

void CExtPopupInplaceListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (m_pCbMeasureItem != NULL
        && m_pCbMeasureItem(*this, m_pDrawMeasureCookie, lpMeasureItemStruct))
        return;
    SendNotification(g_nMsgPopupListBoxItemMeasure, (INT_PTR)lpMeasureItemStruct);
}

// Gives the keyboard back to the parent menu, with the list's item open again.
void CExtPopupInplaceListBox::ReturnFocusToParentMenu()
{
    CExtPopupControlMenuWnd* pPopup = GetPopup();
    CExtPopupMenuWnd* pParent = (pPopup != NULL) ? pPopup->GetParentMenuWnd() : NULL;
    if (pParent == NULL || pParent->GetSafeHwnd() == NULL)
        return;
    const int nItem = pParent->GetCurrentIndex();
    CExtPopupMenuWnd::CSelfLock lock(pParent);
    pParent->DeselectCurrentItem(false);
    if (pParent->GetSafeHwnd() == NULL)
        return;
    if (nItem >= 0)
        pParent->ExpandSubMenu(nItem, false, true, false);
    pParent->SetAsHookTarget();
}

// Keys and wheel the menu hook hands on: arrows move the selection, Enter chooses, Esc cancels, Left goes back.
LRESULT CExtPopupInplaceListBox::OnRetranslatedInput(
    CExtPopupControlMenuWnd::InputRetranslateInfo_t& info)
{
    if (info.m_eType == CExtPopupControlMenuWnd::INPUT_MOUSE_WHEEL)
    {
        const int nCount = GetCount();
        short nDelta = 0;
        if (info.m_lParam != 0)
            nDelta = (short)HIWORD(((const MOUSEHOOKSTRUCTEX*)info.m_lParam)->mouseData);
        if (!g_CurrentPaintManager.m_bIsWin2000OrLater || (GetStyle() & WS_VSCROLL) == 0
            || nCount <= 0 || nDelta == 0)
            return 1;
        int nLines = (int)g_CurrentPaintManager.GetMouseWheelScrollLines();
        if (nLines > 2)
            nLines--;
        const int nTop = GetTopIndex();
        int nNewTop = (nDelta > 0) ? nTop - nLines : nTop + nLines;
        nNewTop = max(0, min(nNewTop, nCount - 1));
        if (nNewTop != nTop)
        {
            SetTopIndex(nNewTop);
            if (info.m_pbNoEat != NULL)
                *info.m_pbNoEat = true;
        }
        return 0;
    }
    if (info.m_eType != CExtPopupControlMenuWnd::INPUT_KEY)
        return 0;
    if (IsKeyHeld(VK_MENU))
    {
        OnSelectionCancel(false);
        return 1;
    }
    if (IsKeyHeld(VK_CONTROL) || IsKeyHeld(VK_SHIFT))
        return 0;
    switch (info.m_nChar)
    {
    case VK_RETURN:
        OnSelectionFinal();
        return 1;
    case VK_ESCAPE:
        OnSelectionCancel(false);
        return 1;
    case VK_LEFT:
        ReturnFocusToParentMenu();
        return 1;
    case VK_RIGHT:
        return 1;
    default:
    {
        const int nOld = GetCurSel();
        CListBox::WindowProc(WM_KEYDOWN, info.m_nChar,
                             MAKELPARAM(info.m_nRepCnt, info.m_nFlags));
        if (GetSafeHwnd() != NULL && GetCurSel() != nOld)
            OnSelChange();
        return 1;
    }
    }
}

// The list inside a popup: selection follows the mouse, a release chooses, other buttons are eaten.
LRESULT CExtPopupInplaceListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CExtPopupControlMenuWndMessages::g_nMsgControlInputRetranslate)
    {
        if (wParam == 0)
            return 0;
        return OnRetranslatedInput(*(CExtPopupControlMenuWnd::InputRetranslateInfo_t*)wParam);
    }
    switch (message)
    {
    case WM_CREATE:
    {
        m_bSelectionDelivered = false;
        LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
        if (lResult == -1)
            return lResult;
        SendMessage(WM_SETFONT, (WPARAM)g_CurrentPaintManager->m_FontNormal.GetSafeHandle(),
                    TRUE);
        if (m_pCbInitContent == NULL || !m_pCbInitContent(*this, m_pInitContentCookie))
        {
            HWND hWnd = GetCmdReceiverHWND();
            if (hWnd != NULL && ::IsWindow(hWnd))
                ::SendMessageA(hWnd, g_nMsgPopupListBoxInitContent, (WPARAM)this,
                               m_lParamCookie);
        }
        return lResult;
    }
    case WM_DESTROY:
        OnSelectionCancel(true);
        break;
    case WM_CANCELMODE:
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        OnSelectionCancel(false);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
    {
        const int nCount = GetCount();
        if (nCount <= 0)
            return 0;
        CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        CRect rcClient;
        GetClientRect(&rcClient);
        const bool bOutside = !rcClient.PtInRect(pt);
        if (bOutside && ::GetCapture() != m_hWnd)
            return 0;
        BOOL bOutsideItem = FALSE;
        int nRow = (int)ItemFromPoint(pt, bOutsideItem);
        const int nTop = GetTopIndex();
        if (bOutside && pt.y < rcClient.top)
        {
            if (nTop > 0)
            {
                nRow = nTop - 1;
                SetTopIndex(nRow);
            }
            else
                nRow = 0;
        }
        else if (bOutside && pt.y >= rcClient.bottom)
        {
            // one row further down while rows remain below
            int nLast = nTop;
            for (int i = nTop; i < nCount; i++)
            {
                CRect rcItem;
                GetItemRect(i, &rcItem);
                nLast = i;
                if (rcItem.bottom >= rcClient.bottom)
                    break;
            }
            nRow = min(nLast + 1, nCount - 1);
            if (nRow > nLast)
                SetTopIndex(min(nTop + 1, nCount - 1));
        }
        nRow = max(0, min(nRow, nCount - 1));
        if (nRow != GetCurSel())
        {
            SetCurSel(nRow);
            OnSelChange();
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (GetCount() > 0)
            SetCapture();
        return 0;
    case WM_LBUTTONUP:
    {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        CRect rcClient;
        GetClientRect(&rcClient);
        if (GetCount() > 0 && rcClient.PtInRect(pt))
            OnSelectionFinal();
        return 0;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return 0;
    default:
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

/////////////////////////////////////////////////////////////////////////////
// CExtPopupUndoRedoMenuWnd

CExtPopupUndoRedoMenuWnd::CExtPopupUndoRedoMenuWnd(LPARAM lParamListCookie,
                                                   DWORD dwListBoxStyle)
    : m_lParamListCookie(lParamListCookie), m_dwListBoxStyle(dwListBoxStyle),
      m_pCbSelection(NULL), m_pSelectionCookie(NULL), m_pCbInitContent(NULL),
      m_pInitContentCookie(NULL), m_pCbDrawItem(NULL), m_pCbMeasureItem(NULL),
      m_pDrawMeasureCookie(NULL), m_rcCaption(0, 0, 0, 0), m_nSelectedCount(0)
{
}

CExtPopupUndoRedoMenuWnd::~CExtPopupUndoRedoMenuWnd()
{
}

int CExtPopupUndoRedoMenuWnd::GetCaptionHeight()
{
    return 24;
}

CSize CExtPopupUndoRedoMenuWnd::CalcSize()
{
    const int s = GetShadowSize(), b = GetBorderSize();
    return CSize(m_sizeChildControl.cx + 2 * b + s + m_nLeftAreaWidth + 2,
                 m_sizeChildControl.cy + 2 * b + s + GetCaptionHeight() + 2);
}

CRect CExtPopupUndoRedoMenuWnd::GetChildControlRect()
{
    CRect rc = CExtPopupControlMenuWnd::GetChildControlRect();
    rc.OffsetRect(1, 1);
    return rc;
}

void CExtPopupUndoRedoMenuWnd::CalcCaptionRect()
{
    CRect rc = GetChildControlRect();
    m_rcCaption.SetRect(rc.left, rc.bottom, rc.right, rc.bottom + GetCaptionHeight());
}

void CExtPopupUndoRedoMenuWnd::RecalcItemSizes()
{
    if (GetChildControlRect() != m_rcChildControl || m_rcCaption.IsRectEmpty())
        CalcCaptionRect();
    CExtPopupControlMenuWnd::RecalcItemSizes();
}

// Creates the undo/redo list with the menu's callbacks; NULL if it cannot be made.
HWND CExtPopupUndoRedoMenuWnd::CreateChildControl(const RECT& rc)
{
    CalcCaptionRect();
    CExtPopupUndoRedoListBox* pList = new CExtPopupUndoRedoListBox;
    pList->m_pCbSelection = m_pCbSelection;
    pList->m_pSelectionCookie = m_pSelectionCookie;
    pList->m_pCbInitContent = m_pCbInitContent;
    pList->m_pInitContentCookie = m_pInitContentCookie;
    pList->m_pCbDrawItem = m_pCbDrawItem;
    pList->m_pCbMeasureItem = m_pCbMeasureItem;
    pList->m_pDrawMeasureCookie = m_pDrawMeasureCookie;
    pList->m_lParamCookie = m_lParamListCookie;
    if (!pList->Create(m_dwListBoxStyle, rc, this, (UINT)-1))
    {
        delete pList;
        return NULL;
    }
    m_nSelectedCount = pList->GetSelCount();
    if (m_nSelectedCount < 0)
        m_nSelectedCount = 0;
    return pList->GetSafeHwnd();
}

void CExtPopupUndoRedoMenuWnd::PaintContent(CDC& dc, bool bUseMemDC)
{
    CExtPopupControlMenuWnd::PaintContent(dc, bUseMemDC);
    UpdateActionCountText(dc, m_rcCaption);
}

void CExtPopupUndoRedoMenuWnd::UpdateActionCountText(CDC& dc, const RECT& rc)
{
    if (::IsRectEmpty(&rc))
        return;
    CString strText;
    strText.Format(_T("Undo %d Actions"), m_nSelectedCount);
    g_CurrentPaintManager->DrawPopupListCaption(dc, rc, strText, this);
}

void CExtPopupUndoRedoMenuWnd::SetSelectedCount(int nCount)
{
    m_nSelectedCount = nCount;
    if (GetSafeHwnd() == NULL)
        return;
    CClientDC dc(this);
    UpdateActionCountText(dc, m_rcCaption);
}

bool CExtPopupUndoRedoMenuWnd::OnHookMouseWheel(WPARAM /*wParam*/, LPARAM /*lParam*/,
                                                bool& bNoEat)
{
    bNoEat = false;
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// CExtPopupUndoRedoListBox

CExtPopupUndoRedoListBox::CExtPopupUndoRedoListBox()
    : m_nUpScrollPeriod(0), m_nDownScrollPeriod(0), m_bTracking(false), m_bUpTimerOn(false),
      m_bDownTimerOn(false)
{
}

CExtPopupUndoRedoListBox::~CExtPopupUndoRedoListBox()
{
}

UINT CExtPopupUndoRedoListBox::PeriodForDistance(int nDistance)
{
    switch ((int)(nDistance * 0.1))
    {
    case 0: return 500;
    case 1: return 300;
    case 2: return 200;
    case 3: return 100;
    default: return 50;
    }
}

// The last row that shows, even partly; -1 for an empty list.
int CExtPopupUndoRedoListBox::GetLastVisibleRow()
{
    const int nCount = GetCount();
    if (nCount <= 0)
        return -1;
    CRect rcClient;
    GetClientRect(&rcClient);
    for (int i = GetTopIndex(); i < nCount; i++)
    {
        CRect rcItem;
        GetItemRect(i, &rcItem);
        if (rcItem.bottom >= rcClient.bottom)
            return i;
    }
    return nCount - 1;
}

void CExtPopupUndoRedoListBox::SelectUpTo(int nRow)
{
    const int nCount = GetCount();
    if (nCount <= 0)
        return;
    nRow = max(0, min(nRow, nCount - 1));
    SendMessage(LB_SELITEMRANGEEX, (WPARAM)(nCount - 1), 0);
    if (nRow == 0)
        SendMessage(LB_SETSEL, TRUE, 0);
    else
        SendMessage(LB_SELITEMRANGEEX, 0, (LPARAM)nRow);
    SetCaretIndex(nRow);
    OnSelChange();
}

void CExtPopupUndoRedoListBox::OnSelChange()
{
    if (m_pCbSelection != NULL && m_pCbSelection(*this, m_pSelectionCookie, SEL_CHANGED))
        return;
    CExtPopupUndoRedoMenuWnd* pPopup = DYNAMIC_DOWNCAST(CExtPopupUndoRedoMenuWnd, GetPopup());
    if (pPopup != NULL)
        pPopup->SetSelectedCount(GetSelCount());
    SendNotification(g_nMsgPopupListBoxSelChange, GetCurSel());
}

void CExtPopupUndoRedoListBox::StopTimers()
{
    if (m_bUpTimerOn)
        KillTimer(ID_TIMER_SCROLL_UP);
    if (m_bDownTimerOn)
        KillTimer(ID_TIMER_SCROLL_DOWN);
    m_bUpTimerOn = false;
    m_bDownTimerOn = false;
    m_nUpScrollPeriod = 0;
    m_nDownScrollPeriod = 0;
}

// Scrolls the list until a row shows.
void CExtPopupUndoRedoListBox::ScrollRowIntoView(int nRow)
{
    if (nRow < GetTopIndex())
        SetTopIndex(nRow);
    else
    {
        while (nRow > GetLastVisibleRow() && GetTopIndex() < nRow)
        {
            int nTop = GetTopIndex();
            SetTopIndex(nTop + 1);
            if (GetTopIndex() == nTop)
                break;
        }
    }
}

// Keys of the undo/redo list: they grow or shrink the selected run from the top.
LRESULT CExtPopupUndoRedoListBox::OnRetranslatedInput(
    CExtPopupControlMenuWnd::InputRetranslateInfo_t& info)
{
    if (info.m_eType != CExtPopupControlMenuWnd::INPUT_KEY || IsKeyHeld(VK_MENU)
        || IsKeyHeld(VK_CONTROL) || IsKeyHeld(VK_SHIFT))
        return CExtPopupInplaceListBox::OnRetranslatedInput(info);
    const int nCount = GetCount();
    const int s = GetSelCount(), t = GetTopIndex(), v = GetLastVisibleRow();
    switch (info.m_nChar)
    {
    case VK_PRIOR:
        if (s >= 2)
        {
            int nRow = s + t - v - 1;
            if (nRow < 0)
                nRow = 0;
            SelectUpTo(nRow);
            ScrollRowIntoView(nRow);
        }
        return 1;
    case VK_NEXT:
        if (s < nCount)
        {
            int nRow = min(nCount - 1, s + v - t - 1);
            SelectUpTo(nRow);
            if (nRow > v)
                SetTopIndex(t + (nRow - v));
        }
        return 1;
    case VK_END:
        if (s < nCount)
        {
            SelectUpTo(nCount - 1);
            SetTopIndex(nCount - 1);
        }
        return 1;
    case VK_HOME:
        SelectUpTo(0);
        SetTopIndex(0);
        return 1;
    case VK_UP:
        if (s - 2 >= 0)
        {
            SelectUpTo(s - 2);
            ScrollRowIntoView(s - 2);
        }
        return 1;
    case VK_DOWN:
        if (s < nCount)
        {
            SelectUpTo(s);
            if (s > v)
                SetTopIndex(t + 1);
        }
        return 1;
    default:
        return CExtPopupInplaceListBox::OnRetranslatedInput(info);
    }
}

// The undo/redo list: selects the first rows up to the mouse, scrolling while it is dragged above or below.
LRESULT CExtPopupUndoRedoListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        if (wParam != 0)
            break;      // a DC given by our own paint below
        HandlePaint();
        return 0;
    case WM_MOUSEMOVE:
        HandleMouseMove(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        return 0;
    case WM_TIMER:
        if (wParam == ID_TIMER_SCROLL_UP || wParam == ID_TIMER_SCROLL_DOWN)
        {
            HandleScrollTimer(wParam == ID_TIMER_SCROLL_UP);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        if (GetCount() > 0)
        {
            SetCapture();
            m_bTracking = true;
        }
        return 0;
    case WM_LBUTTONUP:
        HandleButtonUp();
        return 0;
    case WM_CANCELMODE:
        StopTimers();
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        OnSelectionCancel(false);
        return 0;
    case WM_DESTROY:
        StopTimers();
        OnSelectionCancel(true);
        break;
    case WM_VSCROLL:
        return HandleVScroll(wParam, lParam);
    default:
        break;
    }
    return CExtPopupInplaceListBox::WindowProc(message, wParam, lParam);
}

// Paints the list off screen on the window colour, so that the rows do not flicker while the
// selection follows the mouse.
void CExtPopupUndoRedoListBox::HandlePaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDC_OFFSCREEN);
    dc.FillSolidRect(&rcClient, g_CurrentPaintManager->GetColor(COLOR_WINDOW, this));
    CListBox::WindowProc(WM_PAINT, (WPARAM)dc.GetSafeHdc(), 0);
    g_CurrentPaintManager->OnPaintSessionComplete(this);
}

// Selects the rows up to the one under the mouse; while the button is held above or below the
// list, a scroll timer runs, faster the farther the mouse is.
void CExtPopupUndoRedoListBox::HandleMouseMove(CPoint pt)
{
    const int nCount = GetCount();
    if (nCount <= 0)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.PtInRect(pt))
    {
        BOOL bOutside = FALSE;
        int nRow = (int)ItemFromPoint(pt, bOutside);
        if (!bOutside && nRow >= 0 && nRow < nCount && GetSelCount() != nRow + 1)
            SelectUpTo(nRow);
    }
    if (!m_bTracking)
        return;
    if (pt.y >= rcClient.top && pt.y < rcClient.bottom)
        StopTimers();
    else if (pt.y < rcClient.top)
    {
        UINT nPeriod = PeriodForDistance(rcClient.top - pt.y);
        if (m_bDownTimerOn)
        {
            KillTimer(ID_TIMER_SCROLL_DOWN);
            m_bDownTimerOn = false;
            m_nDownScrollPeriod = 0;
        }
        if (!m_bUpTimerOn || m_nUpScrollPeriod != nPeriod)
        {
            SetTimer(ID_TIMER_SCROLL_UP, nPeriod);
            m_bUpTimerOn = true;
            m_nUpScrollPeriod = nPeriod;
        }
    }
    else
    {
        UINT nPeriod = PeriodForDistance(pt.y - rcClient.bottom);
        if (m_bUpTimerOn)
        {
            KillTimer(ID_TIMER_SCROLL_UP);
            m_bUpTimerOn = false;
            m_nUpScrollPeriod = 0;
        }
        if (!m_bDownTimerOn || m_nDownScrollPeriod != nPeriod)
        {
            SetTimer(ID_TIMER_SCROLL_DOWN, nPeriod);
            m_bDownTimerOn = true;
            m_nDownScrollPeriod = nPeriod;
        }
    }
}

// One step of the drag scroll: the list moves a row up (or down) and the selection with it.
void CExtPopupUndoRedoListBox::HandleScrollTimer(bool bUp)
{
    if (bUp)
    {
        const int nTop = GetTopIndex();
        if (nTop > 0)
        {
            SelectUpTo(nTop - 1);
            SetTopIndex(nTop - 1);
        }
        return;
    }
    const int v = GetLastVisibleRow();
    if (v >= 0 && v + 1 < GetCount())
    {
        SelectUpTo(v + 1);
        SetTopIndex(GetTopIndex() + 1);
    }
}

// Ends a drag: the rows selected so far are the choice (a release without a press is not).
void CExtPopupUndoRedoListBox::HandleButtonUp()
{
    StopTimers();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    const bool bTracking = m_bTracking;
    m_bTracking = false;
    if (GetCount() > 0 && bTracking)
        OnSelectionFinal();
}

// Scrolls as the list does, without flicker, and lets the selection follow the rows brought
// into view (the first for a scroll up, the last for a scroll down).
LRESULT CExtPopupUndoRedoListBox::HandleVScroll(WPARAM wParam, LPARAM lParam)
{
    const int nSelBefore = GetSelCount();
    const int nTopBefore = GetTopIndex();
    SetRedraw(FALSE);
    LRESULT lResult = CListBox::WindowProc(WM_VSCROLL, wParam, lParam);
    SetRedraw(TRUE);
    Invalidate();
    const int nTop = GetTopIndex();
    int nRow = -1;
    switch (LOWORD(wParam))
    {
    case SB_LINEUP:
    case SB_PAGEUP:
    case SB_TOP:
        nRow = nTop;
        break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
    case SB_BOTTOM:
        nRow = GetLastVisibleRow();
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        nRow = (nTop < nTopBefore) ? nTop : GetLastVisibleRow();
        break;
    default:
        break;
    }
    if (nRow >= 0 && nRow + 1 != nSelBefore)
        SelectUpTo(nRow);
    return lResult;
}
