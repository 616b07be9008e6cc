// ctlstd.cpp - the standard controls: CStatic, CButton, CListBox, CComboBox,
// CEdit, CScrollBar.

#include "afxctrls.h"

/////////////////////////////////////////////////////////////////////////////
// Owner-drawn items arrive at the control through reflection.

namespace
{

// The four owner-draw messages go to the control's virtual functions.
template <class T>
BOOL OwnerDrawNotify(T* pCtrl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_DRAWITEM:
        pCtrl->DrawItem((LPDRAWITEMSTRUCT)lParam);
        break;
    case WM_MEASUREITEM:
        pCtrl->MeasureItem((LPMEASUREITEMSTRUCT)lParam);
        break;
    case WM_COMPAREITEM:
    {
        int nResult = pCtrl->CompareItem((LPCOMPAREITEMSTRUCT)lParam);
        if (pResult != NULL)
            *pResult = nResult;
        return TRUE;
    }
    case WM_DELETEITEM:
        pCtrl->DeleteItem((LPDELETEITEMSTRUCT)lParam);
        break;
    default:
        return FALSE;
    }
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}

CString GetItemText(HWND hWnd, UINT nGetLen, UINT nGetText, int nIndex)
{
    CString strText;
    int nLen = (int)::SendMessageA(hWnd, nGetLen, (WPARAM)nIndex, 0);
    if (nLen > 0)
    {
        ::SendMessageA(hWnd, nGetText, (WPARAM)nIndex, (LPARAM)strText.GetBuffer(nLen));
        strText.ReleaseBuffer();
    }
    return strText;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CStatic

IMPLEMENT_DYNAMIC(CStatic, CWnd)

CStatic::~CStatic()
{
}

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

HICON CStatic::SetIcon(HICON hIcon) { return (HICON)::SendMessageA(m_hWnd, STM_SETICON, (WPARAM)hIcon, 0); }
HICON CStatic::GetIcon() const { return (HICON)::SendMessageA(m_hWnd, STM_GETICON, 0, 0); }
HBITMAP CStatic::SetBitmap(HBITMAP hBitmap)
    { return (HBITMAP)::SendMessageA(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap); }
HBITMAP CStatic::GetBitmap() const { return (HBITMAP)::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0); }
HCURSOR CStatic::SetCursor(HCURSOR hCursor)
    { return (HCURSOR)::SendMessageA(m_hWnd, STM_SETIMAGE, IMAGE_CURSOR, (LPARAM)hCursor); }
HCURSOR CStatic::GetCursor() { return (HCURSOR)::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_CURSOR, 0); }
HENHMETAFILE CStatic::SetEnhMetaFile(HENHMETAFILE hMetaFile)
    { return (HENHMETAFILE)::SendMessageA(m_hWnd, STM_SETIMAGE, IMAGE_ENHMETAFILE, (LPARAM)hMetaFile); }
HENHMETAFILE CStatic::GetEnhMetaFile() const
    { return (HENHMETAFILE)::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_ENHMETAFILE, 0); }

void CStatic::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem((LPDRAWITEMSTRUCT)lParam);
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CButton

IMPLEMENT_DYNAMIC(CButton, CWnd)

CButton::~CButton()
{
}

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

UINT CButton::GetState() const { return (UINT)::SendMessageA(m_hWnd, BM_GETSTATE, 0, 0); }
void CButton::SetState(BOOL bHighlight) { ::SendMessageA(m_hWnd, BM_SETSTATE, bHighlight, 0); }
int CButton::GetCheck() const { return (int)::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0); }
void CButton::SetCheck(int nCheck) { ::SendMessageA(m_hWnd, BM_SETCHECK, (WPARAM)nCheck, 0); }
UINT CButton::GetButtonStyle() const { return (UINT)GetWindowLongPtrA(m_hWnd, GWL_STYLE) & 0xFFFF; }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw)
    { ::SendMessageA(m_hWnd, BM_SETSTYLE, nStyle, (LPARAM)bRedraw); }
HICON CButton::SetIcon(HICON hIcon) { return (HICON)::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_ICON, (LPARAM)hIcon); }
HICON CButton::GetIcon() const { return (HICON)::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_ICON, 0); }
HBITMAP CButton::SetBitmap(HBITMAP hBitmap)
    { return (HBITMAP)::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap); }
HBITMAP CButton::GetBitmap() const { return (HBITMAP)::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP, 0); }
HCURSOR CButton::SetCursor(HCURSOR hCursor)
    { return (HCURSOR)::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_CURSOR, (LPARAM)hCursor); }
HCURSOR CButton::GetCursor() { return (HCURSOR)::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_CURSOR, 0); }

void CButton::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem((LPDRAWITEMSTRUCT)lParam);
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CListBox

IMPLEMENT_DYNAMIC(CListBox, CWnd)

CListBox::~CListBox()
{
}

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("LISTBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

int CListBox::GetCount() const { return (int)::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0); }
int CListBox::GetHorizontalExtent() const { return (int)::SendMessageA(m_hWnd, LB_GETHORIZONTALEXTENT, 0, 0); }
void CListBox::SetHorizontalExtent(int cxExtent) { ::SendMessageA(m_hWnd, LB_SETHORIZONTALEXTENT, (WPARAM)cxExtent, 0); }
int CListBox::GetTopIndex() const { return (int)::SendMessageA(m_hWnd, LB_GETTOPINDEX, 0, 0); }
int CListBox::SetTopIndex(int nIndex) { return (int)::SendMessageA(m_hWnd, LB_SETTOPINDEX, (WPARAM)nIndex, 0); }
LCID CListBox::GetLocale() const { return (LCID)::SendMessageA(m_hWnd, LB_GETLOCALE, 0, 0); }
LCID CListBox::SetLocale(LCID nNewLocale) { return (LCID)::SendMessageA(m_hWnd, LB_SETLOCALE, (WPARAM)nNewLocale, 0); }
int CListBox::InitStorage(int nItems, UINT nBytes)
    { return (int)::SendMessageA(m_hWnd, LB_INITSTORAGE, (WPARAM)nItems, nBytes); }

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    DWORD dw = (DWORD)::SendMessageA(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(dw) != 0;
    return LOWORD(dw);
}

int CListBox::GetCurSel() const { return (int)::SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0); }
int CListBox::SetCurSel(int nSelect) { return (int)::SendMessageA(m_hWnd, LB_SETCURSEL, (WPARAM)nSelect, 0); }
int CListBox::GetSel(int nIndex) const { return (int)::SendMessageA(m_hWnd, LB_GETSEL, (WPARAM)nIndex, 0); }
int CListBox::SetSel(int nIndex, BOOL bSelect) { return (int)::SendMessageA(m_hWnd, LB_SETSEL, bSelect, nIndex); }
int CListBox::GetSelCount() const { return (int)::SendMessageA(m_hWnd, LB_GETSELCOUNT, 0, 0); }
int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const
    { return (int)::SendMessageA(m_hWnd, LB_GETSELITEMS, (WPARAM)nMaxItems, (LPARAM)rgIndex); }
void CListBox::SetAnchorIndex(int nIndex) { ::SendMessageA(m_hWnd, LB_SETANCHORINDEX, (WPARAM)nIndex, 0); }
int CListBox::GetAnchorIndex() const { return (int)::SendMessageA(m_hWnd, LB_GETANCHORINDEX, 0, 0); }
int CListBox::SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem)
{
    if (bSelect)
        return (int)::SendMessageA(m_hWnd, LB_SELITEMRANGEEX, (WPARAM)nFirstItem, (LPARAM)nLastItem);
    return (int)::SendMessageA(m_hWnd, LB_SELITEMRANGEEX, (WPARAM)nLastItem, (LPARAM)nFirstItem);
}
int CListBox::GetCaretIndex() const { return (int)::SendMessageA(m_hWnd, LB_GETCARETINDEX, 0, 0); }
int CListBox::SetCaretIndex(int nIndex, BOOL bScroll)
    { return (int)::SendMessageA(m_hWnd, LB_SETCARETINDEX, (WPARAM)nIndex, MAKELONG(bScroll, 0)); }

DWORD_PTR CListBox::GetItemData(int nIndex) const
    { return (DWORD_PTR)::SendMessageA(m_hWnd, LB_GETITEMDATA, (WPARAM)nIndex, 0); }
int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
    { return (int)::SendMessageA(m_hWnd, LB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData); }
void* CListBox::GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
int CListBox::SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const
    { return (int)::SendMessageA(m_hWnd, LB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect); }
int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const
    { return (int)::SendMessageA(m_hWnd, LB_GETTEXT, (WPARAM)nIndex, (LPARAM)lpszBuffer); }
void CListBox::GetText(int nIndex, CString& rString) const
    { rString = GetItemText(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, nIndex); }
int CListBox::GetTextLen(int nIndex) const { return (int)::SendMessageA(m_hWnd, LB_GETTEXTLEN, (WPARAM)nIndex, 0); }
void CListBox::SetColumnWidth(int cxWidth) { ::SendMessageA(m_hWnd, LB_SETCOLUMNWIDTH, (WPARAM)cxWidth, 0); }
BOOL CListBox::SetTabStops(int nTabStops, LPINT rgTabStops)
    { return (BOOL)::SendMessageA(m_hWnd, LB_SETTABSTOPS, (WPARAM)nTabStops, (LPARAM)rgTabStops); }
void CListBox::SetTabStops() { ::SendMessageA(m_hWnd, LB_SETTABSTOPS, 0, 0); }
BOOL CListBox::SetTabStops(const int& cxEachStop)
    { return (BOOL)::SendMessageA(m_hWnd, LB_SETTABSTOPS, 1, (LPARAM)&cxEachStop); }
int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight)
    { return (int)::SendMessageA(m_hWnd, LB_SETITEMHEIGHT, (WPARAM)nIndex, MAKELONG(cyItemHeight, 0)); }
int CListBox::GetItemHeight(int nIndex) const
    { return (int)::SendMessageA(m_hWnd, LB_GETITEMHEIGHT, (WPARAM)nIndex, 0); }
int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const
    { return (int)::SendMessageA(m_hWnd, LB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszItem); }
int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
    { return (int)::SendMessageA(m_hWnd, LB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind); }
int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem)
    { return (int)::SendMessageA(m_hWnd, LB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszItem); }

int CListBox::AddString(LPCTSTR lpszItem) { return (int)::SendMessageA(m_hWnd, LB_ADDSTRING, 0, (LPARAM)lpszItem); }
int CListBox::DeleteString(UINT nIndex) { return (int)::SendMessageA(m_hWnd, LB_DELETESTRING, nIndex, 0); }
int CListBox::InsertString(int nIndex, LPCTSTR lpszItem)
    { return (int)::SendMessageA(m_hWnd, LB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszItem); }
void CListBox::ResetContent() { ::SendMessageA(m_hWnd, LB_RESETCONTENT, 0, 0); }
int CListBox::Dir(UINT attr, LPCTSTR lpszWildCard)
    { return (int)::SendMessageA(m_hWnd, LB_DIR, attr, (LPARAM)lpszWildCard); }

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}
int CListBox::VKeyToItem(UINT, UINT) { return -1; }     // default action
int CListBox::CharToItem(UINT, UINT) { return -1; }

// Key-to-item and owner-draw notifications reflected to the list box itself.
BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_VKEYTOITEM || message == WM_CHARTOITEM)
    {
        // only lists that asked for it (LBS_WANTKEYBOARDINPUT) get these
        int nResult = message == WM_VKEYTOITEM ? VKeyToItem(LOWORD(wParam), HIWORD(wParam))
                                               : CharToItem(LOWORD(wParam), HIWORD(wParam));
        if (pResult != NULL)
            *pResult = nResult;
        return TRUE;
    }
    if (OwnerDrawNotify(this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

/////////////////////////////////////////////////////////////////////////////
// CComboBox

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

CComboBox::~CComboBox()
{
}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::GetCount() const { return (int)::SendMessageA(m_hWnd, CB_GETCOUNT, 0, 0); }
int CComboBox::GetCurSel() const { return (int)::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0); }
int CComboBox::SetCurSel(int nSelect) { return (int)::SendMessageA(m_hWnd, CB_SETCURSEL, (WPARAM)nSelect, 0); }
LCID CComboBox::GetLocale() const { return (LCID)::SendMessageA(m_hWnd, CB_GETLOCALE, 0, 0); }
LCID CComboBox::SetLocale(LCID nNewLocale) { return (LCID)::SendMessageA(m_hWnd, CB_SETLOCALE, (WPARAM)nNewLocale, 0); }
int CComboBox::GetTopIndex() const { return (int)::SendMessageA(m_hWnd, CB_GETTOPINDEX, 0, 0); }
int CComboBox::SetTopIndex(int nIndex) { return (int)::SendMessageA(m_hWnd, CB_SETTOPINDEX, (WPARAM)nIndex, 0); }
int CComboBox::InitStorage(int nItems, UINT nBytes)
    { return (int)::SendMessageA(m_hWnd, CB_INITSTORAGE, (WPARAM)nItems, nBytes); }
void CComboBox::SetHorizontalExtent(UINT nExtent) { ::SendMessageA(m_hWnd, CB_SETHORIZONTALEXTENT, nExtent, 0); }
UINT CComboBox::GetHorizontalExtent() const { return (UINT)::SendMessageA(m_hWnd, CB_GETHORIZONTALEXTENT, 0, 0); }
int CComboBox::SetDroppedWidth(UINT nWidth) { return (int)::SendMessageA(m_hWnd, CB_SETDROPPEDWIDTH, nWidth, 0); }
int CComboBox::GetDroppedWidth() const { return (int)::SendMessageA(m_hWnd, CB_GETDROPPEDWIDTH, 0, 0); }

DWORD CComboBox::GetEditSel() const { return (DWORD)::SendMessageA(m_hWnd, CB_GETEDITSEL, 0, 0); }
BOOL CComboBox::LimitText(int nMaxChars) { return (BOOL)::SendMessageA(m_hWnd, CB_LIMITTEXT, (WPARAM)nMaxChars, 0); }
BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
    { return (BOOL)::SendMessageA(m_hWnd, CB_SETEDITSEL, 0, MAKELONG(nStartChar, nEndChar)); }

DWORD_PTR CComboBox::GetItemData(int nIndex) const
    { return (DWORD_PTR)::SendMessageA(m_hWnd, CB_GETITEMDATA, (WPARAM)nIndex, 0); }
int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
    { return (int)::SendMessageA(m_hWnd, CB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData); }
void* CComboBox::GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
int CComboBox::SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const
    { return (int)::SendMessageA(m_hWnd, CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)lpszText); }
void CComboBox::GetLBText(int nIndex, CString& rString) const
    { rString = GetItemText(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex); }
int CComboBox::GetLBTextLen(int nIndex) const { return (int)::SendMessageA(m_hWnd, CB_GETLBTEXTLEN, (WPARAM)nIndex, 0); }
int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight)
    { return (int)::SendMessageA(m_hWnd, CB_SETITEMHEIGHT, (WPARAM)nIndex, MAKELONG(cyItemHeight, 0)); }
int CComboBox::GetItemHeight(int nIndex) const
    { return (int)::SendMessageA(m_hWnd, CB_GETITEMHEIGHT, (WPARAM)nIndex, 0); }
int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const
    { return (int)::SendMessageA(m_hWnd, CB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString); }
int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
    { return (int)::SendMessageA(m_hWnd, CB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind); }
int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString)
    { return (int)::SendMessageA(m_hWnd, CB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString); }
int CComboBox::SetExtendedUI(BOOL bExtended) { return (int)::SendMessageA(m_hWnd, CB_SETEXTENDEDUI, bExtended, 0); }
BOOL CComboBox::GetExtendedUI() const { return (BOOL)::SendMessageA(m_hWnd, CB_GETEXTENDEDUI, 0, 0); }
void CComboBox::GetDroppedControlRect(LPRECT lprect) const
    { ::SendMessageA(m_hWnd, CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)lprect); }
BOOL CComboBox::GetDroppedState() const { return (BOOL)::SendMessageA(m_hWnd, CB_GETDROPPEDSTATE, 0, 0); }

void CComboBox::ShowDropDown(BOOL bShowIt) { ::SendMessageA(m_hWnd, CB_SHOWDROPDOWN, bShowIt, 0); }
int CComboBox::AddString(LPCTSTR lpszString) { return (int)::SendMessageA(m_hWnd, CB_ADDSTRING, 0, (LPARAM)lpszString); }
int CComboBox::DeleteString(UINT nIndex) { return (int)::SendMessageA(m_hWnd, CB_DELETESTRING, nIndex, 0); }
int CComboBox::InsertString(int nIndex, LPCTSTR lpszString)
    { return (int)::SendMessageA(m_hWnd, CB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszString); }
void CComboBox::ResetContent() { ::SendMessageA(m_hWnd, CB_RESETCONTENT, 0, 0); }
int CComboBox::Dir(UINT attr, LPCTSTR lpszWildCard)
    { return (int)::SendMessageA(m_hWnd, CB_DIR, attr, (LPARAM)lpszWildCard); }
void CComboBox::Clear() { ::SendMessageA(m_hWnd, WM_CLEAR, 0, 0); }
void CComboBox::Copy() { ::SendMessageA(m_hWnd, WM_COPY, 0, 0); }
void CComboBox::Cut() { ::SendMessageA(m_hWnd, WM_CUT, 0, 0); }
void CComboBox::Paste() { ::SendMessageA(m_hWnd, WM_PASTE, 0, 0); }

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (OwnerDrawNotify(this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

/////////////////////////////////////////////////////////////////////////////
// CEdit

IMPLEMENT_DYNAMIC(CEdit, CWnd)

CEdit::~CEdit()
{
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("EDIT", NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CEdit::CanUndo() const { return (BOOL)::SendMessageA(m_hWnd, EM_CANUNDO, 0, 0); }
int CEdit::GetLineCount() const { return (int)::SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0); }
BOOL CEdit::GetModify() const { return (BOOL)::SendMessageA(m_hWnd, EM_GETMODIFY, 0, 0); }
void CEdit::SetModify(BOOL bModified) { ::SendMessageA(m_hWnd, EM_SETMODIFY, bModified, 0); }
void CEdit::GetRect(LPRECT lpRect) const { ::SendMessageA(m_hWnd, EM_GETRECT, 0, (LPARAM)lpRect); }
DWORD CEdit::GetSel() const { return (DWORD)::SendMessageA(m_hWnd, EM_GETSEL, 0, 0); }
void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD dwStart = 0, dwEnd = 0;
    ::SendMessageA(m_hWnd, EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    nStartChar = (int)dwStart;
    nEndChar = (int)dwEnd;
}
HLOCAL CEdit::GetHandle() const { return (HLOCAL)::SendMessageA(m_hWnd, EM_GETHANDLE, 0, 0); }
void CEdit::SetHandle(HLOCAL hBuffer) { ::SendMessageA(m_hWnd, EM_SETHANDLE, (WPARAM)hBuffer, 0); }
void CEdit::SetMargins(UINT nLeft, UINT nRight)
    { ::SendMessageA(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight)); }
DWORD CEdit::GetMargins() const { return (DWORD)::SendMessageA(m_hWnd, EM_GETMARGINS, 0, 0); }
void CEdit::SetLimitText(UINT nMax) { ::SendMessageA(m_hWnd, EM_SETLIMITTEXT, nMax, 0); }
UINT CEdit::GetLimitText() const { return (UINT)::SendMessageA(m_hWnd, EM_GETLIMITTEXT, 0, 0); }
CPoint CEdit::PosFromChar(UINT nChar) const
{
    DWORD dw = (DWORD)::SendMessageA(m_hWnd, EM_POSFROMCHAR, nChar, 0);
    return CPoint((short)LOWORD(dw), (short)HIWORD(dw));
}
int CEdit::CharFromPos(CPoint pt) const
    { return (int)::SendMessageA(m_hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y)); }
int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer) const
    { return (int)::SendMessageA(m_hWnd, EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer); }
int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    if (nMaxLength < (int)sizeof(WORD))
        return 0;
    *(LPWORD)lpszBuffer = (WORD)nMaxLength;
    return (int)::SendMessageA(m_hWnd, EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer);
}
int CEdit::GetFirstVisibleLine() const { return (int)::SendMessageA(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0); }
TCHAR CEdit::GetPasswordChar() const { return (TCHAR)::SendMessageA(m_hWnd, EM_GETPASSWORDCHAR, 0, 0); }

void CEdit::EmptyUndoBuffer() { ::SendMessageA(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0); }
BOOL CEdit::FmtLines(BOOL bAddEOL) { return (BOOL)::SendMessageA(m_hWnd, EM_FMTLINES, bAddEOL, 0); }
void CEdit::LimitText(int nChars) { ::SendMessageA(m_hWnd, EM_LIMITTEXT, (WPARAM)nChars, 0); }
int CEdit::LineFromChar(int nIndex) const { return (int)::SendMessageA(m_hWnd, EM_LINEFROMCHAR, (WPARAM)nIndex, 0); }
int CEdit::LineIndex(int nLine) const { return (int)::SendMessageA(m_hWnd, EM_LINEINDEX, (WPARAM)nLine, 0); }
int CEdit::LineLength(int nLine) const { return (int)::SendMessageA(m_hWnd, EM_LINELENGTH, (WPARAM)nLine, 0); }
void CEdit::LineScroll(int nLines, int nChars) { ::SendMessageA(m_hWnd, EM_LINESCROLL, (WPARAM)nChars, nLines); }
void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
    { ::SendMessageA(m_hWnd, EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText); }
void CEdit::SetPasswordChar(TCHAR ch) { ::SendMessageA(m_hWnd, EM_SETPASSWORDCHAR, (BYTE)ch, 0); }
void CEdit::SetRect(LPCRECT lpRect) { ::SendMessageA(m_hWnd, EM_SETRECT, 0, (LPARAM)lpRect); }
void CEdit::SetRectNP(LPCRECT lpRect) { ::SendMessageA(m_hWnd, EM_SETRECTNP, 0, (LPARAM)lpRect); }
void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    ::SendMessageA(m_hWnd, EM_SETSEL, LOWORD(dwSelection), (LPARAM)(short)HIWORD(dwSelection));
    if (!bNoScroll)
        ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
}
void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    ::SendMessageA(m_hWnd, EM_SETSEL, (WPARAM)nStartChar, (LPARAM)nEndChar);
    if (!bNoScroll)
        ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
}
BOOL CEdit::SetTabStops(int nTabStops, LPINT rgTabStops)
    { return (BOOL)::SendMessageA(m_hWnd, EM_SETTABSTOPS, (WPARAM)nTabStops, (LPARAM)rgTabStops); }
void CEdit::SetTabStops() { ::SendMessageA(m_hWnd, EM_SETTABSTOPS, 0, 0); }
BOOL CEdit::SetTabStops(const int& cxEachStop)
    { return (BOOL)::SendMessageA(m_hWnd, EM_SETTABSTOPS, 1, (LPARAM)&cxEachStop); }
BOOL CEdit::Undo() { return (BOOL)::SendMessageA(m_hWnd, EM_UNDO, 0, 0); }
void CEdit::Clear() { ::SendMessageA(m_hWnd, WM_CLEAR, 0, 0); }
void CEdit::Copy() { ::SendMessageA(m_hWnd, WM_COPY, 0, 0); }
void CEdit::Cut() { ::SendMessageA(m_hWnd, WM_CUT, 0, 0); }
void CEdit::Paste() { ::SendMessageA(m_hWnd, WM_PASTE, 0, 0); }
BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return (BOOL)::SendMessageA(m_hWnd, EM_SETREADONLY, bReadOnly, 0); }

/////////////////////////////////////////////////////////////////////////////
// CScrollBar

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

CScrollBar::~CScrollBar()
{
}

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("SCROLLBAR", NULL, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw) { return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw); }
void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const
    { ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos); }
void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw)
    { ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw); }
void CScrollBar::ShowScrollBar(BOOL bShow) { ::ShowScrollBar(m_hWnd, SB_CTL, bShow); }
BOOL CScrollBar::EnableScrollBar(UINT nArrowFlags) { return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags); }
BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
    return TRUE;
}
BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
}
int CScrollBar::GetScrollLimit()
{
    SCROLLINFO info;
    if (!GetScrollInfo(&info, SIF_RANGE | SIF_PAGE))
        return 0;
    int nLimit = info.nMax;
    if (info.nPage > 1)
        nLimit -= (int)info.nPage - 1;
    return nLimit;
}
