// ctlcmn.cpp - common controls: CListCtrl, CHeaderCtrl, CSpinButtonCtrl,
// CSliderCtrl, CTabCtrl, CToolTipCtrl, CProgressCtrl.

#include "afxcmn.h"

static BOOL CreateCommonControl(CWnd* pWnd, DWORD dwExStyle, LPCTSTR lpszClass, DWORD dwStyle,
                                const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls();
    return pWnd->CreateEx(dwExStyle, lpszClass, NULL, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

/////////////////////////////////////////////////////////////////////////////
// CHeaderCtrl

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

CHeaderCtrl::~CHeaderCtrl()
{
}

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, WC_HEADERA, dwStyle, rect, pParentWnd, nID);
}

int CHeaderCtrl::GetItemCount() const { return (int)::SendMessageA(m_hWnd, HDM_GETITEMCOUNT, 0, 0); }
BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pHeaderItem) const
    { return (BOOL)::SendMessageA(m_hWnd, HDM_GETITEMA, (WPARAM)nPos, (LPARAM)pHeaderItem); }
BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pHeaderItem)
    { return (BOOL)::SendMessageA(m_hWnd, HDM_SETITEMA, (WPARAM)nPos, (LPARAM)pHeaderItem); }
BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
    { return (BOOL)::SendMessageA(m_hWnd, HDM_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect); }
int CHeaderCtrl::InsertItem(int nPos, HDITEM* phdi)
    { return (int)::SendMessageA(m_hWnd, HDM_INSERTITEMA, (WPARAM)nPos, (LPARAM)phdi); }
BOOL CHeaderCtrl::DeleteItem(int nPos) { return (BOOL)::SendMessageA(m_hWnd, HDM_DELETEITEM, (WPARAM)nPos, 0); }

/////////////////////////////////////////////////////////////////////////////
// CListCtrl

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

CListCtrl::~CListCtrl()
{
}

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, WC_LISTVIEWA, dwStyle, rect, pParentWnd, nID);
}

BOOL CListCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    // list view styles of the extended kind go through the control
    if (dwExStyle != 0)
        SetExtendedStyle(dwExStyle);
    return TRUE;
}

COLORREF CListCtrl::GetBkColor() const { return (COLORREF)::SendMessageA(m_hWnd, LVM_GETBKCOLOR, 0, 0); }
BOOL CListCtrl::SetBkColor(COLORREF cr) { return (BOOL)::SendMessageA(m_hWnd, LVM_SETBKCOLOR, 0, cr); }
COLORREF CListCtrl::GetTextColor() const { return (COLORREF)::SendMessageA(m_hWnd, LVM_GETTEXTCOLOR, 0, 0); }
BOOL CListCtrl::SetTextColor(COLORREF cr) { return (BOOL)::SendMessageA(m_hWnd, LVM_SETTEXTCOLOR, 0, cr); }
COLORREF CListCtrl::GetTextBkColor() const { return (COLORREF)::SendMessageA(m_hWnd, LVM_GETTEXTBKCOLOR, 0, 0); }
BOOL CListCtrl::SetTextBkColor(COLORREF cr) { return (BOOL)::SendMessageA(m_hWnd, LVM_SETTEXTBKCOLOR, 0, cr); }
CImageList* CListCtrl::GetImageList(int nImageList) const
    { return CImageList::FromHandle((HIMAGELIST)::SendMessageA(m_hWnd, LVM_GETIMAGELIST, (WPARAM)nImageList, 0)); }
CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessageA(m_hWnd, LVM_SETIMAGELIST, (WPARAM)nImageListType,
                                                             (LPARAM)pImageList->GetSafeHandle()));
}
int CListCtrl::GetItemCount() const { return (int)::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0); }
void CListCtrl::SetItemCount(int nItems) { ::SendMessageA(m_hWnd, LVM_SETITEMCOUNT, (WPARAM)nItems, 0); }
BOOL CListCtrl::GetItem(LVITEM* pItem) const { return (BOOL)::SendMessageA(m_hWnd, LVM_GETITEMA, 0, (LPARAM)pItem); }
BOOL CListCtrl::SetItem(const LVITEM* pItem) { return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMA, 0, (LPARAM)pItem); }

// Sets the fields of an item or subitem that nMask names.
BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage,
                        UINT nState, UINT nStateMask, LPARAM lParam)
{
    LVITEMA lvi;
    memset(&lvi, 0, sizeof(lvi));
    lvi.mask = nMask;
    lvi.iItem = nItem;
    lvi.iSubItem = nSubItem;
    lvi.stateMask = nStateMask;
    lvi.state = nState;
    lvi.pszText = (LPSTR)lpszItem;
    lvi.iImage = nImage;
    lvi.lParam = lParam;
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMA, 0, (LPARAM)&lvi);
}

UINT CListCtrl::GetCallbackMask() const { return (UINT)::SendMessageA(m_hWnd, LVM_GETCALLBACKMASK, 0, 0); }
BOOL CListCtrl::SetCallbackMask(UINT nMask) { return (BOOL)::SendMessageA(m_hWnd, LVM_SETCALLBACKMASK, nMask, 0); }
int CListCtrl::GetNextItem(int nItem, int nFlags) const
    { return (int)::SendMessageA(m_hWnd, LVM_GETNEXTITEM, (WPARAM)nItem, MAKELPARAM(nFlags, 0)); }

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    // position = index + 1, NULL at the end
    return (POSITION)(INT_PTR)(1 + GetNextItem(-1, LVNI_SELECTED));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int nItem = (int)(INT_PTR)pos - 1;
    pos = (POSITION)(INT_PTR)(1 + GetNextItem(nItem, LVNI_SELECTED));
    return nItem;
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    lpRect->left = (LONG)nCode;
    return (BOOL)::SendMessageA(m_hWnd, LVM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect);
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref)
{
    ref.top = iSubItem;
    ref.left = nArea;
    return (BOOL)::SendMessageA(m_hWnd, LVM_GETSUBITEMRECT, (WPARAM)iItem, (LPARAM)(LPRECT)&ref);
}

BOOL CListCtrl::SetItemPosition(int nItem, POINT pt)
    { return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMPOSITION, (WPARAM)nItem, MAKELPARAM(pt.x, pt.y)); }
BOOL CListCtrl::GetItemPosition(int nItem, LPPOINT lpPoint) const
    { return (BOOL)::SendMessageA(m_hWnd, LVM_GETITEMPOSITION, (WPARAM)nItem, (LPARAM)lpPoint); }
int CListCtrl::GetStringWidth(LPCTSTR lpsz) const
    { return (int)::SendMessageA(m_hWnd, LVM_GETSTRINGWIDTHA, 0, (LPARAM)lpsz); }
CEdit* CListCtrl::GetEditControl() const
    { return (CEdit*)CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, LVM_GETEDITCONTROL, 0, 0)); }
CHeaderCtrl* CListCtrl::GetHeaderCtrl()
    { return (CHeaderCtrl*)CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0)); }
BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const
    { return (BOOL)::SendMessageA(m_hWnd, LVM_GETCOLUMNA, (WPARAM)nCol, (LPARAM)pColumn); }
BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn)
    { return (BOOL)::SendMessageA(m_hWnd, LVM_SETCOLUMNA, (WPARAM)nCol, (LPARAM)pColumn); }
int CListCtrl::GetColumnWidth(int nCol) const
    { return (int)::SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, (WPARAM)nCol, 0); }
BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
    { return (BOOL)::SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, (WPARAM)nCol, MAKELPARAM(cx, 0)); }
BOOL CListCtrl::GetViewRect(LPRECT lpRect) const
    { return (BOOL)::SendMessageA(m_hWnd, LVM_GETVIEWRECT, 0, (LPARAM)lpRect); }
int CListCtrl::GetTopIndex() const { return (int)::SendMessageA(m_hWnd, LVM_GETTOPINDEX, 0, 0); }
int CListCtrl::GetCountPerPage() const { return (int)::SendMessageA(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0); }
BOOL CListCtrl::GetOrigin(LPPOINT lpPoint) const
    { return (BOOL)::SendMessageA(m_hWnd, LVM_GETORIGIN, 0, (LPARAM)lpPoint); }
BOOL CListCtrl::SetItemState(int nItem, LVITEM* pItem)
    { return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)pItem); }

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMA lvi;
    memset(&lvi, 0, sizeof(lvi));
    lvi.stateMask = nMask;
    lvi.state = nState;
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)&lvi);
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
    { return (UINT)::SendMessageA(m_hWnd, LVM_GETITEMSTATE, (WPARAM)nItem, nMask); }

// A cell's whole text, however long (the control copies only what fits).
CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // the control copies at most the buffer: grow until the text fits
    CString strText;
    LVITEMA lvi;
    memset(&lvi, 0, sizeof(lvi));
    lvi.iSubItem = nSubItem;
    int nLen = 128;
    int nCopied;
    do
    {
        nLen *= 2;
        lvi.cchTextMax = nLen;
        lvi.pszText = strText.GetBuffer(nLen);
        nCopied = (int)::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, (WPARAM)nItem, (LPARAM)&lvi);
        strText.ReleaseBuffer(nCopied >= 0 && nCopied < nLen ? nCopied : nLen - 1);
    } while (nCopied >= nLen - 1 && nLen < 0x100000);
    return strText;
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    LVITEMA lvi;
    memset(&lvi, 0, sizeof(lvi));
    lvi.iSubItem = nSubItem;
    lvi.cchTextMax = nLen;
    lvi.pszText = lpszText;
    return (int)::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, (WPARAM)nItem, (LPARAM)&lvi);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEMA lvi;
    memset(&lvi, 0, sizeof(lvi));
    lvi.iSubItem = nSubItem;
    lvi.pszText = (LPSTR)lpszText;
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, (WPARAM)nItem, (LPARAM)&lvi);
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
    { return SetItem(nItem, 0, LVIF_PARAM, NULL, 0, 0, 0, (LPARAM)dwData); }

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMA lvi;
    memset(&lvi, 0, sizeof(lvi));
    lvi.iItem = nItem;
    lvi.mask = LVIF_PARAM;
    ::SendMessageA(m_hWnd, LVM_GETITEMA, 0, (LPARAM)&lvi);
    return (DWORD_PTR)lvi.lParam;
}

UINT CListCtrl::GetSelectedCount() const { return (UINT)::SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0); }
int CListCtrl::GetSelectionMark() { return (int)::SendMessageA(m_hWnd, LVM_GETSELECTIONMARK, 0, 0); }
int CListCtrl::SetSelectionMark(int iIndex) { return (int)::SendMessageA(m_hWnd, LVM_SETSELECTIONMARK, 0, iIndex); }
DWORD CListCtrl::GetExtendedStyle() { return (DWORD)::SendMessageA(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0); }
DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
    { return (DWORD)::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle); }
int CListCtrl::GetHotItem() { return (int)::SendMessageA(m_hWnd, LVM_GETHOTITEM, 0, 0); }
int CListCtrl::SetHotItem(int iIndex) { return (int)::SendMessageA(m_hWnd, LVM_SETHOTITEM, (WPARAM)iIndex, 0); }

BOOL CListCtrl::GetColumnOrderArray(LPINT piArray, int iCount)
{
    if (iCount == -1)
    {
        CHeaderCtrl* pHeader = GetHeaderCtrl();
        if (pHeader == NULL)
            return FALSE;
        iCount = pHeader->GetItemCount();
    }
    return (BOOL)::SendMessageA(m_hWnd, LVM_GETCOLUMNORDERARRAY, (WPARAM)iCount, (LPARAM)piArray);
}

BOOL CListCtrl::SetColumnOrderArray(int iCount, LPINT piArray)
    { return (BOOL)::SendMessageA(m_hWnd, LVM_SETCOLUMNORDERARRAY, (WPARAM)iCount, (LPARAM)piArray); }

int CListCtrl::InsertItem(const LVITEM* pItem)
    { return (int)::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, (LPARAM)pItem); }
int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
    { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }
int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
    { return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0); }

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask,
                          int nImage, LPARAM lParam)
{
    LVITEMA lvi;
    memset(&lvi, 0, sizeof(lvi));
    lvi.mask = nMask;
    lvi.iItem = nItem;
    lvi.state = nState;
    lvi.stateMask = nStateMask;
    lvi.pszText = (LPSTR)lpszItem;
    lvi.iImage = nImage;
    lvi.lParam = lParam;
    return (int)::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, (LPARAM)&lvi);
}

BOOL CListCtrl::DeleteItem(int nItem) { return (BOOL)::SendMessageA(m_hWnd, LVM_DELETEITEM, (WPARAM)nItem, 0); }
BOOL CListCtrl::DeleteAllItems() { return (BOOL)::SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0); }
int CListCtrl::FindItem(LVFINDINFO* pFindInfo, int nStart) const
    { return (int)::SendMessageA(m_hWnd, LVM_FINDITEMA, (WPARAM)nStart, (LPARAM)pFindInfo); }
int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const
    { return (int)::SendMessageA(m_hWnd, LVM_HITTEST, 0, (LPARAM)pHitTestInfo); }

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO hti;
    memset(&hti, 0, sizeof(hti));
    hti.pt = pt;
    int nItem = (int)::SendMessageA(m_hWnd, LVM_HITTEST, 0, (LPARAM)&hti);
    if (pFlags != NULL)
        *pFlags = hti.flags;
    return nItem;
}

int CListCtrl::SubItemHitTest(LPLVHITTESTINFO pInfo)
    { return (int)::SendMessageA(m_hWnd, LVM_SUBITEMHITTEST, 0, (LPARAM)pInfo); }
BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
    { return (BOOL)::SendMessageA(m_hWnd, LVM_ENSUREVISIBLE, (WPARAM)nItem, MAKELPARAM(bPartialOK, 0)); }
BOOL CListCtrl::Scroll(CSize size) { return (BOOL)::SendMessageA(m_hWnd, LVM_SCROLL, (WPARAM)size.cx, size.cy); }
BOOL CListCtrl::RedrawItems(int nFirst, int nLast)
    { return (BOOL)::SendMessageA(m_hWnd, LVM_REDRAWITEMS, (WPARAM)nFirst, nLast); }
BOOL CListCtrl::Arrange(UINT nCode) { return (BOOL)::SendMessageA(m_hWnd, LVM_ARRANGE, nCode, 0); }
CEdit* CListCtrl::EditLabel(int nItem)
    { return (CEdit*)CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, LVM_EDITLABELA, (WPARAM)nItem, 0)); }
BOOL CListCtrl::Update(int nItem) { return (BOOL)::SendMessageA(m_hWnd, LVM_UPDATE, (WPARAM)nItem, 0); }
BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
    { return (BOOL)::SendMessageA(m_hWnd, LVM_SORTITEMS, (WPARAM)dwData, (LPARAM)pfnCompare); }
int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn)
    { return (int)::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, (WPARAM)nCol, (LPARAM)pColumn); }

// Inserts a column; -1 leaves width or subitem to the control.
int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNA column;
    memset(&column, 0, sizeof(column));
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = (LPSTR)lpszColumnHeading;
    column.fmt = nFormat;
    if (nWidth != -1)
    {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1)
    {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol) { return (BOOL)::SendMessageA(m_hWnd, LVM_DELETECOLUMN, (WPARAM)nCol, 0); }

CImageList* CListCtrl::CreateDragImage(int nItem, LPPOINT lpPoint)
{
    HIMAGELIST hImageList = (HIMAGELIST)::SendMessageA(m_hWnd, LVM_CREATEDRAGIMAGE, (WPARAM)nItem,
                                                       (LPARAM)lpPoint);
    if (hImageList == NULL)
        return NULL;
    // the caller owns the new list
    CImageList* pImageList = new CImageList;
    pImageList->Attach(hImageList);
    return pImageList;
}

/////////////////////////////////////////////////////////////////////////////
// CSpinButtonCtrl

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

CSpinButtonCtrl::~CSpinButtonCtrl()
{
}

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, UPDOWN_CLASSA, dwStyle, rect, pParentWnd, nID);
}

BOOL CSpinButtonCtrl::SetAccel(int nAccel, UDACCEL* pAccel)
    { return (BOOL)::SendMessageA(m_hWnd, UDM_SETACCEL, (WPARAM)nAccel, (LPARAM)pAccel); }
UINT CSpinButtonCtrl::GetAccel(int nAccel, UDACCEL* pAccel) const
    { return (UINT)::SendMessageA(m_hWnd, UDM_GETACCEL, (WPARAM)nAccel, (LPARAM)pAccel); }
int CSpinButtonCtrl::SetBase(int nBase) { return (int)::SendMessageA(m_hWnd, UDM_SETBASE, (WPARAM)nBase, 0); }
UINT CSpinButtonCtrl::GetBase() const { return (UINT)::SendMessageA(m_hWnd, UDM_GETBASE, 0, 0); }
CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
    { return CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, UDM_SETBUDDY, (WPARAM)pWndBuddy->GetSafeHwnd(), 0)); }
CWnd* CSpinButtonCtrl::GetBuddy() const
    { return CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, UDM_GETBUDDY, 0, 0)); }
int CSpinButtonCtrl::SetPos(int nPos) { return (int)(short)::SendMessageA(m_hWnd, UDM_SETPOS, 0, MAKELPARAM(nPos, 0)); }
int CSpinButtonCtrl::GetPos() const { return (int)::SendMessageA(m_hWnd, UDM_GETPOS, 0, 0); }
int CSpinButtonCtrl::SetPos32(int nPos) { return (int)::SendMessageA(m_hWnd, UDM_SETPOS32, 0, nPos); }
int CSpinButtonCtrl::GetPos32(LPBOOL lpbError) const
    { return (int)::SendMessageA(m_hWnd, UDM_GETPOS32, 0, (LPARAM)lpbError); }
void CSpinButtonCtrl::SetRange(short nLower, short nUpper)
    { ::SendMessageA(m_hWnd, UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
DWORD CSpinButtonCtrl::GetRange() const { return (DWORD)::SendMessageA(m_hWnd, UDM_GETRANGE, 0, 0); }

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    DWORD dw = GetRange();
    lower = (short)HIWORD(dw);
    upper = (short)LOWORD(dw);
}

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper)
    { ::SendMessageA(m_hWnd, UDM_SETRANGE32, (WPARAM)nLower, nUpper); }
void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
    { ::SendMessageA(m_hWnd, UDM_GETRANGE32, (WPARAM)&lower, (LPARAM)&upper); }

/////////////////////////////////////////////////////////////////////////////
// CSliderCtrl

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

CSliderCtrl::~CSliderCtrl()
{
}

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, TRACKBAR_CLASSA, dwStyle, rect, pParentWnd, nID);
}

int CSliderCtrl::GetLineSize() const { return (int)::SendMessageA(m_hWnd, TBM_GETLINESIZE, 0, 0); }
int CSliderCtrl::SetLineSize(int nSize) { return (int)::SendMessageA(m_hWnd, TBM_SETLINESIZE, 0, nSize); }
int CSliderCtrl::GetPageSize() const { return (int)::SendMessageA(m_hWnd, TBM_GETPAGESIZE, 0, 0); }
int CSliderCtrl::SetPageSize(int nSize) { return (int)::SendMessageA(m_hWnd, TBM_SETPAGESIZE, 0, nSize); }
int CSliderCtrl::GetRangeMax() const { return (int)::SendMessageA(m_hWnd, TBM_GETRANGEMAX, 0, 0); }
int CSliderCtrl::GetRangeMin() const { return (int)::SendMessageA(m_hWnd, TBM_GETRANGEMIN, 0, 0); }
void CSliderCtrl::GetRange(int& nMin, int& nMax) const { nMin = GetRangeMin(); nMax = GetRangeMax(); }
void CSliderCtrl::SetRangeMin(int nMin, BOOL bRedraw) { ::SendMessageA(m_hWnd, TBM_SETRANGEMIN, bRedraw, nMin); }
void CSliderCtrl::SetRangeMax(int nMax, BOOL bRedraw) { ::SendMessageA(m_hWnd, TBM_SETRANGEMAX, bRedraw, nMax); }
void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw)
{
    SetRangeMin(nMin, FALSE);
    SetRangeMax(nMax, bRedraw);
}

void CSliderCtrl::GetSelection(int& nMin, int& nMax) const
{
    nMin = (int)::SendMessageA(m_hWnd, TBM_GETSELSTART, 0, 0);
    nMax = (int)::SendMessageA(m_hWnd, TBM_GETSELEND, 0, 0);
}

void CSliderCtrl::SetSelection(int nMin, int nMax)
{
    ::SendMessageA(m_hWnd, TBM_SETSELSTART, FALSE, nMin);
    ::SendMessageA(m_hWnd, TBM_SETSELEND, TRUE, nMax);
}

void CSliderCtrl::GetChannelRect(LPRECT lprc) const { ::SendMessageA(m_hWnd, TBM_GETCHANNELRECT, 0, (LPARAM)lprc); }
void CSliderCtrl::GetThumbRect(LPRECT lprc) const { ::SendMessageA(m_hWnd, TBM_GETTHUMBRECT, 0, (LPARAM)lprc); }
int CSliderCtrl::GetPos() const { return (int)::SendMessageA(m_hWnd, TBM_GETPOS, 0, 0); }
void CSliderCtrl::SetPos(int nPos) { ::SendMessageA(m_hWnd, TBM_SETPOS, TRUE, nPos); }
UINT CSliderCtrl::GetNumTics() const { return (UINT)::SendMessageA(m_hWnd, TBM_GETNUMTICS, 0, 0); }
DWORD* CSliderCtrl::GetTicArray() const { return (DWORD*)::SendMessageA(m_hWnd, TBM_GETPTICS, 0, 0); }
int CSliderCtrl::GetTic(int nTic) const { return (int)::SendMessageA(m_hWnd, TBM_GETTIC, (WPARAM)nTic, 0); }
int CSliderCtrl::GetTicPos(int nTic) const { return (int)::SendMessageA(m_hWnd, TBM_GETTICPOS, (WPARAM)nTic, 0); }
BOOL CSliderCtrl::SetTic(int nTic) { return (BOOL)::SendMessageA(m_hWnd, TBM_SETTIC, 0, nTic); }
void CSliderCtrl::SetTicFreq(int nFreq) { ::SendMessageA(m_hWnd, TBM_SETTICFREQ, (WPARAM)nFreq, 0); }
CWnd* CSliderCtrl::GetBuddy(BOOL fLocation) const
    { return CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, TBM_GETBUDDY, fLocation, 0)); }
CWnd* CSliderCtrl::SetBuddy(CWnd* pWndBuddy, BOOL fLocation)
{
    return CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, TBM_SETBUDDY, fLocation,
                                                 (LPARAM)pWndBuddy->GetSafeHwnd()));
}
void CSliderCtrl::ClearSel(BOOL bRedraw) { ::SendMessageA(m_hWnd, TBM_CLEARSEL, bRedraw, 0); }
void CSliderCtrl::ClearTics(BOOL bRedraw) { ::SendMessageA(m_hWnd, TBM_CLEARTICS, bRedraw, 0); }

/////////////////////////////////////////////////////////////////////////////
// CTabCtrl

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

CTabCtrl::~CTabCtrl()
{
}

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, WC_TABCONTROLA, dwStyle, rect, pParentWnd, nID);
}

CImageList* CTabCtrl::GetImageList() const
    { return CImageList::FromHandle((HIMAGELIST)::SendMessageA(m_hWnd, TCM_GETIMAGELIST, 0, 0)); }
CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessageA(m_hWnd, TCM_SETIMAGELIST, 0,
                                                             (LPARAM)pImageList->GetSafeHandle()));
}
int CTabCtrl::GetItemCount() const { return (int)::SendMessageA(m_hWnd, TCM_GETITEMCOUNT, 0, 0); }
BOOL CTabCtrl::GetItem(int nItem, TCITEM* pTabCtrlItem) const
    { return (BOOL)::SendMessageA(m_hWnd, TCM_GETITEMA, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
BOOL CTabCtrl::SetItem(int nItem, TCITEM* pTabCtrlItem)
    { return (BOOL)::SendMessageA(m_hWnd, TCM_SETITEMA, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
BOOL CTabCtrl::SetItemExtra(int nBytes) { return (BOOL)::SendMessageA(m_hWnd, TCM_SETITEMEXTRA, (WPARAM)nBytes, 0); }
BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const
    { return (BOOL)::SendMessageA(m_hWnd, TCM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect); }
int CTabCtrl::GetCurSel() const { return (int)::SendMessageA(m_hWnd, TCM_GETCURSEL, 0, 0); }
int CTabCtrl::SetCurSel(int nItem) { return (int)::SendMessageA(m_hWnd, TCM_SETCURSEL, (WPARAM)nItem, 0); }
void CTabCtrl::SetCurFocus(int nItem) { ::SendMessageA(m_hWnd, TCM_SETCURFOCUS, (WPARAM)nItem, 0); }
int CTabCtrl::GetCurFocus() const { return (int)::SendMessageA(m_hWnd, TCM_GETCURFOCUS, 0, 0); }

CSize CTabCtrl::SetItemSize(CSize size)
{
    DWORD dw = (DWORD)::SendMessageA(m_hWnd, TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
    return CSize(LOWORD(dw), HIWORD(dw));
}

void CTabCtrl::SetPadding(CSize size) { ::SendMessageA(m_hWnd, TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
int CTabCtrl::GetRowCount() const { return (int)::SendMessageA(m_hWnd, TCM_GETROWCOUNT, 0, 0); }
CToolTipCtrl* CTabCtrl::GetToolTips() const
    { return (CToolTipCtrl*)CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, TCM_GETTOOLTIPS, 0, 0)); }
void CTabCtrl::SetToolTips(CToolTipCtrl* pWndTip)
    { ::SendMessageA(m_hWnd, TCM_SETTOOLTIPS, (WPARAM)pWndTip->GetSafeHwnd(), 0); }
int CTabCtrl::SetMinTabWidth(int cx) { return (int)::SendMessageA(m_hWnd, TCM_SETMINTABWIDTH, 0, cx); }
DWORD CTabCtrl::GetExtendedStyle() const { return (DWORD)::SendMessageA(m_hWnd, TCM_GETEXTENDEDSTYLE, 0, 0); }
DWORD CTabCtrl::SetExtendedStyle(DWORD dwNewStyle, DWORD dwExMask)
    { return (DWORD)::SendMessageA(m_hWnd, TCM_SETEXTENDEDSTYLE, dwExMask, dwNewStyle); }

LONG CTabCtrl::InsertItem(int nItem, TCITEM* pTabCtrlItem)
    { return (LONG)::SendMessageA(m_hWnd, TCM_INSERTITEMA, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0); }
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
    { return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0); }

LONG CTabCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam)
{
    TCITEMA item;
    memset(&item, 0, sizeof(item));
    item.mask = nMask;
    item.pszText = (LPSTR)lpszItem;
    item.iImage = nImage;
    item.lParam = lParam;
    return (LONG)::SendMessageA(m_hWnd, TCM_INSERTITEMA, (WPARAM)nItem, (LPARAM)&item);
}

BOOL CTabCtrl::DeleteItem(int nItem) { return (BOOL)::SendMessageA(m_hWnd, TCM_DELETEITEM, (WPARAM)nItem, 0); }
BOOL CTabCtrl::DeleteAllItems() { return (BOOL)::SendMessageA(m_hWnd, TCM_DELETEALLITEMS, 0, 0); }
void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect) { ::SendMessageA(m_hWnd, TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect); }
void CTabCtrl::RemoveImage(int nImage) { ::SendMessageA(m_hWnd, TCM_REMOVEIMAGE, (WPARAM)nImage, 0); }
int CTabCtrl::HitTest(TCHITTESTINFO* pHitTestInfo) const
    { return (int)::SendMessageA(m_hWnd, TCM_HITTEST, 0, (LPARAM)pHitTestInfo); }
void CTabCtrl::DeselectAll(BOOL fExcludeFocus) { ::SendMessageA(m_hWnd, TCM_DESELECTALL, fExcludeFocus, 0); }
BOOL CTabCtrl::HighlightItem(int idItem, BOOL fHighlight)
    { return (BOOL)::SendMessageA(m_hWnd, TCM_HIGHLIGHTITEM, (WPARAM)idItem, MAKELPARAM(fHighlight, 0)); }

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem((LPDRAWITEMSTRUCT)lParam);
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CToolTipCtrl

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

CToolTipCtrl::~CToolTipCtrl()
{
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    return CreateEx(pParentWnd, dwStyle, 0);
}

BOOL CToolTipCtrl::CreateEx(CWnd* pParentWnd, DWORD dwStyle, DWORD dwStyleEx)
{
    AfxInitCommonControls();
    return CWnd::CreateEx(dwStyleEx, TOOLTIPS_CLASSA, NULL, WS_POPUP | dwStyle,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                          pParentWnd->GetSafeHwnd(), NULL, NULL);
}

// Tool records of the size every comctl32 version accepts.
void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    HWND hWnd = pWnd->GetSafeHwnd();
    if (nIDTool == 0)
    {
        // the window itself is the tool
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = (UINT_PTR)hWnd;
    }
    else
    {
        ti.hwnd = hWnd;
        ti.uFlags = 0;
        ti.uId = nIDTool;
    }
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    char szText[1024] = "";
    ti.lpszText = szText;
    ::SendMessageA(m_hWnd, TTM_GETTEXTA, sizeof(szText), (LPARAM)&ti);
    str = szText;
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFO& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    FillInToolInfo(ToolInfo, pWnd, nIDTool);
    return (BOOL)::SendMessageA(m_hWnd, TTM_GETTOOLINFOA, 0, (LPARAM)&ToolInfo);
}

void CToolTipCtrl::SetToolInfo(LPTOOLINFO lpToolInfo) { ::SendMessageA(m_hWnd, TTM_SETTOOLINFOA, 0, (LPARAM)lpToolInfo); }

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    ::SendMessageA(m_hWnd, TTM_NEWTOOLRECTA, 0, (LPARAM)&ti);
}

int CToolTipCtrl::GetToolCount() const { return (int)::SendMessageA(m_hWnd, TTM_GETTOOLCOUNT, 0, 0); }
int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const
    { return (int)::SendMessageA(m_hWnd, TTM_GETDELAYTIME, dwDuration, 0); }
void CToolTipCtrl::SetDelayTime(UINT nDelay) { ::SendMessageA(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime)
    { ::SendMessageA(m_hWnd, TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
COLORREF CToolTipCtrl::GetTipBkColor() const { return (COLORREF)::SendMessageA(m_hWnd, TTM_GETTIPBKCOLOR, 0, 0); }
void CToolTipCtrl::SetTipBkColor(COLORREF clr) { ::SendMessageA(m_hWnd, TTM_SETTIPBKCOLOR, clr, 0); }
COLORREF CToolTipCtrl::GetTipTextColor() const { return (COLORREF)::SendMessageA(m_hWnd, TTM_GETTIPTEXTCOLOR, 0, 0); }
void CToolTipCtrl::SetTipTextColor(COLORREF clr) { ::SendMessageA(m_hWnd, TTM_SETTIPTEXTCOLOR, clr, 0); }
int CToolTipCtrl::GetMaxTipWidth() const { return (int)::SendMessageA(m_hWnd, TTM_GETMAXTIPWIDTH, 0, 0); }
int CToolTipCtrl::SetMaxTipWidth(int iWidth) { return (int)::SendMessageA(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth); }
void CToolTipCtrl::GetMargin(LPRECT lprc) const { ::SendMessageA(m_hWnd, TTM_GETMARGIN, 0, (LPARAM)lprc); }
void CToolTipCtrl::SetMargin(LPRECT lprc) { ::SendMessageA(m_hWnd, TTM_SETMARGIN, 0, (LPARAM)lprc); }

void CToolTipCtrl::Activate(BOOL bActivate) { ::SendMessageA(m_hWnd, TTM_ACTIVATE, bActivate, 0); }

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != NULL)
        ti.rect = *lpRectTool;
    ti.hinst = AfxFindResourceHandle(MAKEINTRESOURCE((nIDText >> 4) + 1), RT_STRING);
    ti.lpszText = (LPSTR)MAKEINTRESOURCE(nIDText);
    if (nIDTool != 0 && lpRectTool == NULL)
        ::GetClientRect(pWnd->GetSafeHwnd(), &ti.rect);
    return (BOOL)::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != NULL)
        ti.rect = *lpRectTool;
    else if (nIDTool != 0)
        ::GetClientRect(pWnd->GetSafeHwnd(), &ti.rect);
    ti.lpszText = (LPSTR)lpszText;
    return (BOOL)::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ::SendMessageA(m_hWnd, TTM_DELTOOLA, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const
{
    TTHITTESTINFOA hti;
    memset(&hti, 0, sizeof(hti));
    hti.ti.cbSize = TTTOOLINFOA_V2_SIZE;
    hti.hwnd = pWnd->GetSafeHwnd();
    hti.pt = pt;
    if (!::SendMessageA(m_hWnd, TTM_HITTESTA, 0, (LPARAM)&hti))
        return FALSE;
    memcpy(lpToolInfo, &hti.ti, TTTOOLINFOA_V2_SIZE);
    return TRUE;
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg) { ::SendMessageA(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = (LPSTR)lpszText;
    ::SendMessageA(m_hWnd, TTM_UPDATETIPTEXTA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool)
{
    CString strText;
    strText.LoadString(nIDText);
    UpdateTipText(strText, pWnd, nIDTool);
}

void CToolTipCtrl::Update() { ::SendMessageA(m_hWnd, TTM_UPDATE, 0, 0); }
void CToolTipCtrl::Pop() { ::SendMessageA(m_hWnd, TTM_POP, 0, 0); }

/////////////////////////////////////////////////////////////////////////////
// CProgressCtrl

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

CProgressCtrl::~CProgressCtrl()
{
}

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, PROGRESS_CLASSA, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::SetRange(short nLower, short nUpper)
    { ::SendMessageA(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
void CProgressCtrl::SetRange32(int nLower, int nUpper)
    { ::SendMessageA(m_hWnd, PBM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper); }

void CProgressCtrl::GetRange(int& nLower, int& nUpper)
{
    PBRANGE range;
    ::SendMessageA(m_hWnd, PBM_GETRANGE, FALSE, (LPARAM)&range);
    nLower = range.iLow;
    nUpper = range.iHigh;
}

int CProgressCtrl::GetPos() { return (int)::SendMessageA(m_hWnd, PBM_GETPOS, 0, 0); }
int CProgressCtrl::OffsetPos(int nPos) { return (int)::SendMessageA(m_hWnd, PBM_DELTAPOS, (WPARAM)nPos, 0); }
int CProgressCtrl::SetPos(int nPos) { return (int)::SendMessageA(m_hWnd, PBM_SETPOS, (WPARAM)nPos, 0); }
int CProgressCtrl::SetStep(int nStep) { return (int)::SendMessageA(m_hWnd, PBM_SETSTEP, (WPARAM)nStep, 0); }
int CProgressCtrl::StepIt() { return (int)::SendMessageA(m_hWnd, PBM_STEPIT, 0, 0); }
COLORREF CProgressCtrl::SetBkColor(COLORREF clrNew) { return (COLORREF)::SendMessageA(m_hWnd, PBM_SETBKCOLOR, 0, clrNew); }
COLORREF CProgressCtrl::SetBarColor(COLORREF clrBar) { return (COLORREF)::SendMessageA(m_hWnd, PBM_SETBARCOLOR, 0, clrBar); }
