// ExtPopupMenuWndEdit.cpp - the in-place edit of popup menu items.

#include "stdafx.h"
#include "ExtPopupMenuWnd.h"
#include "ExtPaintManager.h"

/////////////////////////////////////////////////////////////////////////////
// The edits of a popup

void CExtPopupMenuWnd::CreateInplaceEdits()
{
    for (int i = 0; i < GetItemCount(); i++)
    {
        if (m_items_all[i].IsInplaceEdit() && m_items_all[i].m_pWndInplaceEdit == NULL)
            CreateInplaceEdit(i);
    }
}

// Creates an item's edit field: the receiver may supply its own, else an in-place edit on the
// item's value; false when the item went meanwhile or the edit cannot be made.
bool CExtPopupMenuWnd::CreateInplaceEdit(int nIndex)
{
    MENUITEMDATA& mi = m_items_all[nIndex];
    CRect rcEdit = GetEditRect(nIndex);
    INPLACEEDITREQUEST request;
    request.m_pPopup = this;
    request.m_pItemData = &mi;
    request.m_pStrValue = mi.m_pInplaceEditStr;
    request.m_pCbVerifyTextInput = mi.m_pCbVerifyTextInput;
    request.m_pCbPutTextInputResult = mi.m_pCbPutTextInputResult;
    request.m_pCbInplaceEditWndProc = mi.m_pCbInplaceEditWndProc;
    request.m_pCbCookie = mi.m_pInplaceEditCbCookie;
    request.m_rcEdit = rcEdit;
    request.m_pWndEdit = NULL;
    if (m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
        ::SendMessageA(m_hWndCmdReceiver, g_nMsgCreateInplaceEdit, (WPARAM)&request, 0);
    if (nIndex >= GetItemCount() || &m_items_all[nIndex] != &mi)
        return false;
    if (request.m_pWndEdit != NULL && request.m_pWndEdit->GetSafeHwnd() != NULL)
    {
        mi.m_pWndInplaceEdit = request.m_pWndEdit;
        return true;
    }
    CInPlaceEditWnd* pEdit = new CInPlaceEditWnd(this, nIndex, mi.m_pInplaceEditStr,
                                                 mi.m_pCbVerifyTextInput,
                                                 mi.m_pCbPutTextInputResult,
                                                 mi.m_pCbInplaceEditWndProc,
                                                 mi.m_pInplaceEditCbCookie);
    if (!pEdit->CreateInPlaceEdit(this, rcEdit))
    {
        delete pEdit;
        return false;
    }
    mi.m_pWndInplaceEdit = pEdit;
    return true;
}

void CExtPopupMenuWnd::DestroyInplaceEdits()
{
    for (int i = 0; i < GetItemCount(); i++)
    {
        CWnd* pEdit = m_items_all[i].m_pWndInplaceEdit;
        m_items_all[i].m_pWndInplaceEdit = NULL;
        if (pEdit != NULL && pEdit->GetSafeHwnd() != NULL)
            pEdit->DestroyWindow();     // a CInPlaceEditWnd deletes itself
    }
}

// Places the item's in-place edit at its field (made first if need be), shows and focuses it.
void CExtPopupMenuWnd::ShowInplaceEdit(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return;
    MENUITEMDATA& mi = m_items_all[nIndex];
    if (mi.m_pWndInplaceEdit == NULL && mi.IsInplaceEdit())
        CreateInplaceEdit(nIndex);
    CWnd* pEdit = mi.m_pWndInplaceEdit;
    if (pEdit == NULL || pEdit->GetSafeHwnd() == NULL)
        return;
    CRect rc = GetEditRect(nIndex);
    pEdit->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    pEdit->SetFocus();
}

// Whether the focus is in one of the items' edit fields (pnIndex gets its item).
bool CExtPopupMenuWnd::IsFocusInInplaceEdit(int* pnIndex)
{
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus == NULL)
        return false;
    for (int i = 0; i < GetItemCount(); i++)
    {
        CWnd* pEdit = m_items_all[i].m_pWndInplaceEdit;
        if (pEdit != NULL && pEdit->GetSafeHwnd() == hWndFocus)
        {
            if (pnIndex != NULL)
                *pnIndex = i;
            return true;
        }
    }
    return false;
}

/////////////////////////////////////////////////////////////////////////////
// CInPlaceEditWnd

CExtPopupMenuWnd::CInPlaceEditWnd::CInPlaceEditWnd(CExtPopupMenuWnd* pPopup, int nItemIndex,
                                                   CString* pStr,
                                                   pCbVerifyTextInput pCbVerifyTextInput,
                                                   pCbPutTextInputResult pCbPutTextInputResult,
                                                   pCbInplaceEditWndProc pCbWndProc,
                                                   LPVOID pCbCookie)
    : m_pPopup(pPopup), m_nItemIndex(nItemIndex), m_pStr(pStr),
      m_pCbVerifyTextInput(pCbVerifyTextInput), m_pCbPutTextInputResult(pCbPutTextInputResult),
      m_pCbWndProc(pCbWndProc), m_pCbCookie(pCbCookie), m_bCommitted(false)
{
}

CExtPopupMenuWnd::CInPlaceEditWnd::~CInPlaceEditWnd()
{
}

bool CExtPopupMenuWnd::CInPlaceEditWnd::CreateInPlaceEdit(CWnd* pWndParent, const RECT& rc)
{
    if (!CEdit::Create(WS_CHILD | ES_AUTOHSCROLL, rc, pWndParent, (UINT)-1))
        return false;
    CFont* pFont = &g_CurrentPaintManager->m_FontNormal;
    SetFont(pFont);
    m_strTextCopy = (m_pStr != NULL) ? *m_pStr : CString();
    SetWindowText(m_strTextCopy);
    SetSel(MAKELONG(0, -1));
    return true;
}

void CExtPopupMenuWnd::CInPlaceEditWnd::SetRedraw(bool bRedraw)
{
    SendMessage(WM_SETREDRAW, bRedraw ? TRUE : FALSE);
}

DWORD CExtPopupMenuWnd::CInPlaceEditWnd::GetSel() const
{
    return (DWORD)::SendMessageA(m_hWnd, EM_GETSEL, 0, 0);
}

void CExtPopupMenuWnd::CInPlaceEditWnd::SetSel(DWORD dwSelection, bool bNoScroll)
{
    SendMessage(EM_SETSEL, (WPARAM)(int)(short)LOWORD(dwSelection),
                (LPARAM)(int)(short)HIWORD(dwSelection));
    if (!bNoScroll)
        SendMessage(EM_SCROLLCARET);
}

bool CExtPopupMenuWnd::CInPlaceEditWnd::CheckText(LPCTSTR sTextOld, LPCTSTR sTextNew)
{
    if (m_pCbVerifyTextInput == NULL)
        return true;
    return m_pCbVerifyTextInput(*this, m_pCbCookie, sTextOld, sTextNew);
}

// Stores the text through the result callback or into the value once it passes the check, and
// closes the menu.
void CExtPopupMenuWnd::CInPlaceEditWnd::Commit()
{
    m_bCommitted = true;
    CString strText;
    GetWindowText(strText);
    if (CheckText(strText, strText))
    {
        if (m_pCbPutTextInputResult != NULL)
            m_pCbPutTextInputResult(*this, m_pCbCookie, strText);
        else if (m_pStr != NULL)
            *m_pStr = strText;
    }
    if (m_pPopup != NULL && m_pPopup->GetSafeHwnd() != NULL)
        m_pPopup->PostMessage(WM_CANCELMODE);
}

void CExtPopupMenuWnd::CInPlaceEditWnd::FocusBackToPopup()
{
    if (m_pPopup == NULL || m_pPopup->GetSafeHwnd() == NULL)
        return;
    m_pPopup->SetFocus();
    if (m_nItemIndex >= 0 && m_nItemIndex < m_pPopup->GetItemCount())
        m_pPopup->ExpandSubMenu(m_nItemIndex, false, true, false);
}

// The edit field of a menu item: no visible border, Enter commits, Escape returns to the menu, and
// an edit the check refuses is undone; the owner's window procedure goes first.
LRESULT CExtPopupMenuWnd::CInPlaceEditWnd::WindowProc(UINT message, WPARAM wParam,
                                                      LPARAM lParam)
{
    if (m_pCbWndProc != NULL)
    {
        LRESULT lResult = 0;
        if (m_pCbWndProc(lResult, message, wParam, lParam, *this, m_pCbCookie))
            return lResult;
    }
    if (message == g_nMsgDeleteSelection)
    {
        DWORD dwSel = GetSel();
        if (LOWORD(dwSel) == HIWORD(dwSel))
            SetSel(MAKELONG(LOWORD(dwSel), LOWORD(dwSel) + 1), true);
        SendMessage(WM_CLEAR);
        return 0;
    }
    if (message == g_nMsgSelectAll)
    {
        SetSel(MAKELONG(0, -1));
        return 0;
    }
    switch (message)
    {
    case WM_NCCALCSIZE:
    {
        LPRECT pRect = (LPRECT)lParam;
        if (pRect != NULL)
        {
            pRect->left += 1;
            pRect->top += 1;
            pRect->bottom -= 2;
        }
        return 0;
    }
    case WM_NCPAINT:
    {
        CWindowDC dc(this);
        CRect rcWnd, rcClient;
        GetWindowRect(&rcWnd);
        GetClientRect(&rcClient);
        ClientToScreen(&rcClient);
        rcClient.OffsetRect(-rcWnd.TopLeft());
        rcWnd.OffsetRect(-rcWnd.TopLeft());
        dc.ExcludeClipRect(&rcClient);
        dc.FillSolidRect(&rcWnd, g_CurrentPaintManager->GetColor(COLOR_WINDOW));
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTTAB;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_CONTEXTMENU:
        return 0;
    case WM_SYSKEYDOWN:
        if (m_pPopup != NULL && m_pPopup->GetSafeHwnd() != NULL)
            m_pPopup->PostMessage(WM_CANCELMODE);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
        {
            FocusBackToPopup();
            return 0;
        }
        if (wParam == VK_RETURN)
        {
            Commit();
            return 0;
        }
        // other keys are applied, then undone when refused
        [[fallthrough]];
    case WM_CHAR:
    {
        if (message == WM_CHAR && (wParam == VK_RETURN || wParam == VK_ESCAPE))
            return 0;
        CString strOld;
        GetWindowText(strOld);
        DWORD dwSel = GetSel();
        SetRedraw(false);
        LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        CString strNew;
        GetWindowText(strNew);
        if (strNew != strOld && !CheckText(strOld, strNew))
        {
            SetWindowText(strOld);
            SetSel(dwSel, true);
        }
        SetRedraw(true);
        Invalidate();
        return lResult;
    }
    case WM_KILLFOCUS:
    {
        LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        ShowWindow(SW_HIDE);
        if (!m_bCommitted && m_pStr != NULL)
            SetWindowText(*m_pStr);
        return lResult;
    }
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

void CExtPopupMenuWnd::CInPlaceEditWnd::PostNcDestroy()
{
    if (m_pPopup != NULL)
    {
        for (int i = 0; i < m_pPopup->GetItemCount(); i++)
        {
            if (m_pPopup->m_items_all[i].m_pWndInplaceEdit == this)
                m_pPopup->m_items_all[i].m_pWndInplaceEdit = NULL;
        }
    }
    delete this;
}
