// ExtTabWnd.cpp - items, painting, mouse handling and messages of the tab strip (selection,
// scrolling, layout and hit testing are in ExtTabWndLayout.cpp).

#include "ExtTabWnd.h"
#include "ExtControlBar.h"
#include "afxpriv.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"
#include "uiframework/foundation/ExtMemoryDC.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "uiframework/foundation/ExtCmdManager.h"
#include "uiframework/foundation/ExtResourceManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtTabWnd, CWnd)

static const TCHAR g_szTabWndClass[] = _T("Baymoor-TabWindow");

namespace
{

int LinkTabMarginValue(CExtTabWnd* pTabWnd)
{
    return pTabWnd != NULL ? (int)pTabWnd->GetTabStyle() : 0;
}

struct TabLinksInit
{
    TabLinksInit() { CExtPaintManager::g_BarLinks.m_pfnTabMarginValue = LinkTabMarginValue; }
};
const TabLinksInit s_tabLinksInit;

CString LoadTipText(UINT nID, LPCTSTR sDefault)
{
    CString s;
    if (!s.LoadString(nID))
        s = sDefault;
    return s;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// TAB_ITEM_INFO

CExtTabWnd::TAB_ITEM_INFO::TAB_ITEM_INFO(CExtTabWnd* pOwner, LPCTSTR sText, HICON hIcon,
                                         bool bCopyIcon, DWORD dwFlags, LPARAM lParam)
    : m_pOwner(pOwner), m_dwFlags(dwFlags), m_sText(sText != NULL ? sText : _T("")),
      m_size(6, 20), m_sizeText(0, 0), m_sizeIcon(0, 0), m_rc(0, 0, 0, 0), m_lParam(lParam),
      m_nItemFlags(0), m_pPrev(NULL), m_pNext(NULL)
{
    if (hIcon != NULL)
        m_icon.AssignHIcon(hIcon, bCopyIcon);
}

CExtTabWnd::TAB_ITEM_INFO::~TAB_ITEM_INFO() {}

// Changes the flags, keeping the visible count and the one shown item of a group in step.
DWORD CExtTabWnd::TAB_ITEM_INFO::ModifyFlags(DWORD dwRemove, DWORD dwAdd)
{
    DWORD dwOld = m_dwFlags;
    DWORD dwNew = (dwOld & ~dwRemove) | dwAdd;
    if (dwNew & __ETWI_SELECTED)
        dwNew |= __ETWI_IN_GROUP_ACTIVE;
    m_dwFlags = dwNew;
    if (m_pOwner != NULL && ((dwOld ^ dwNew) & __ETWI_HIDDEN))
        m_pOwner->m_nVisibleCount += (dwNew & __ETWI_HIDDEN) ? -1 : 1;
    if ((dwNew & __ETWI_IN_GROUP_ACTIVE) && !(dwOld & __ETWI_IN_GROUP_ACTIVE) &&
        (m_pPrev != NULL || m_pNext != NULL))
    {
        // one other item of the group gives up being the shown one
        if (!IsGroupStart())
        {
            for (TAB_ITEM_INFO* p = m_pPrev; p != NULL; p = p->m_pPrev)
            {
                if (p->m_dwFlags & __ETWI_IN_GROUP_ACTIVE)
                {
                    p->m_dwFlags &= ~__ETWI_IN_GROUP_ACTIVE;
                    return dwOld;
                }
                if (p->IsGroupStart())
                    break;
            }
        }
        for (TAB_ITEM_INFO* p = m_pNext; p != NULL && !p->IsGroupStart(); p = p->m_pNext)
        {
            if (p->m_dwFlags & __ETWI_IN_GROUP_ACTIVE)
            {
                p->m_dwFlags &= ~__ETWI_IN_GROUP_ACTIVE;
                break;
            }
        }
    }
    return dwOld;
}

// Measures text and icon in the owner's font and lets the owner adjust; a vertical item runs down.
CSize CExtTabWnd::TAB_ITEM_INFO::Measure(CDC* pDC)
{
    CExtTabWnd* pOwner = m_pOwner;
    CDC* pUseDC = pDC;
    CWindowDC* pWndDC = NULL;
    if (pUseDC == NULL)
    {
        pWndDC = new CWindowDC(pOwner != NULL && pOwner->m_hWnd != NULL ? pOwner : NULL);
        pUseDC = pWndDC;
    }
    CString sText = pOwner != NULL ? pOwner->GetItemText(this) : m_sText;
    CFont* pFont = pOwner != NULL ? pOwner->GetTabFont(IsSelected(), 0)
                                  : &g_CurrentPaintManager->m_FontNormal;
    CFont* pOldFont = pUseDC->SelectObject(pFont);
    m_sizeText = CSize(0, 0);
    if (!sText.IsEmpty())
        m_sizeText = pUseDC->GetTextExtent(sText);
    else
    {
        TEXTMETRIC tm;
        pUseDC->GetTextMetrics(&tm);
        m_sizeText.cy = tm.tmHeight;
    }
    pUseDC->SelectObject(pOldFont);
    CExtCmdIcon* pIcon = pOwner != NULL ? pOwner->GetItemIcon(this) : &m_icon;
    m_sizeIcon = CSize(0, 0);
    if (pIcon != NULL && !pIcon->IsEmpty())
        m_sizeIcon = pIcon->GetSize();
    CSize size;
    bool bHorz = pOwner == NULL || pOwner->IsHorizontal();
    if (bHorz)
    {
        size.cx = std::max(m_sizeIcon.cx + (m_sizeIcon.cx > 0 ? 3 : 0) + m_sizeText.cx + 7, 6L);
        size.cy = std::max(std::max(m_sizeText.cy, m_sizeIcon.cy) + 4, 20L);
    }
    else
    {
        m_sizeText = CSize(m_sizeText.cx + 10, m_sizeText.cy + 2);
        size.cx = std::max(std::max(m_sizeText.cy, m_sizeIcon.cx) + 4, 20L);
        size.cy = std::max(m_sizeIcon.cy + (m_sizeIcon.cy > 0 ? 3 : 0) + m_sizeText.cx + 7, 6L);
    }
    if (pOwner != NULL)
        pOwner->OnItemMeasured(this, pUseDC, size);
    m_size = size;
    delete pWndDC;
    return size;
}

/////////////////////////////////////////////////////////////////////////////
// Construction

CExtTabWnd::CExtTabWnd()
    : m_nPaintManagerSeen(0), m_nMdiFlags(0), m_dwTabStyle(0), m_nSelIndex(-1),
      m_nFirstVisible(-1), m_nLastVisible(-1), m_nHoverSelectIndex(-1), m_nHoverIndex(-1),
      m_nVisibleCount(0), m_nBandTotal(0), m_nScrollPos(0), m_nScrollRange(0),
      m_nSmoothScroll(0), m_nThickness(0), m_rcBand(0, 0, 0, 0), m_rcRest(0, 0, 0, 0),
      m_rcBtnPrev(0, 0, 0, 0), m_rcBtnNext(0, 0, 0, 0), m_rcBtnHelp(0, 0, 0, 0),
      m_rcBtnClose(0, 0, 0, 0), m_rcBtnList(0, 0, 0, 0), m_nState(STATE_SIZEPARENT | STATE_DIRTY),
      m_nState2(0), m_nTrackHitCode(-1), m_nTrackButton(-1), m_rcOverride(0, 0, 0, 0),
      m_ptPress(-1, -1), m_rcDragOver(0, 0, 0, 0), m_nDragFlags(0)
{
    RegisterTabWndClass();
}

CExtTabWnd::~CExtTabWnd()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
        delete m_arrItems[i];
    m_arrItems.RemoveAll();
}

// Registers the strip's window class once per process, or finds it registered.
bool CExtTabWnd::RegisterTabWndClass()
{
    static bool s_bRegistered = false;
    if (s_bRegistered)
        return true;
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASS wc;
    if (::GetClassInfo(hInst, g_szTabWndClass, &wc))
    {
        s_bRegistered = true;
        return true;
    }
    ::ZeroMemory(&wc, sizeof(wc));
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = hInst;
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = g_szTabWndClass;
    s_bRegistered = ::RegisterClass(&wc) != 0;
    return s_bRegistered;
}

BOOL CExtTabWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!RegisterTabWndClass())
        return FALSE;
    cs.lpszClass = g_szTabWndClass;
    return CWnd::PreCreateWindow(cs);
}

void CExtTabWnd::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if ((m_nState & STATE_CREATED) == 0)
    {
        DWORD dwStyle = GetStyle();
        m_dwTabStyle = dwStyle & 0xFFFF;
        ::SetWindowLong(m_hWnd, GWL_STYLE, dwStyle & ~0xFFFF);
        if (!InitToolTips())
            AfxThrowResourceException();
    }
}

// Creates the strip with its tab style and tooltips; tooltips that cannot be made throw.
BOOL CExtTabWnd::Create(CWnd* pParent, const RECT& rc, UINT nID, DWORD dwWindowStyle,
                        DWORD dwTabStyle, CCreateContext* pContext)
{
    if (!RegisterTabWndClass())
        return FALSE;
    m_dwTabStyle = dwTabStyle;
    m_nState |= STATE_CREATED;
    if (!CWnd::Create(g_szTabWndClass, NULL, dwWindowStyle, rc, pParent, nID, pContext))
    {
        m_nState &= ~STATE_CREATED;
        return FALSE;
    }
    if (!InitToolTips())
        AfxThrowResourceException();
    UpdateTabWnd(false);
    return TRUE;
}

bool CExtTabWnd::InitToolTips()
{
    if (!IsTooltipsEnabled() || m_wndToolTip.m_hWnd != NULL)
        return true;
    return m_wndToolTip.Create(this) != FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Simple virtual operations

bool CExtTabWnd::IsMdiTabWindow() const { return false; }
void CExtTabWnd::UpdateTabWndVisibility() {}
bool CExtTabWnd::IsTabWndOptionEnabled() const { return false; }
bool CExtTabWnd::OnSelectionChange(int, int, bool) { return true; }
CExtCmdIcon* CExtTabWnd::GetItemIcon(TAB_ITEM_INFO* pItem) { return &pItem->m_icon; }
CString CExtTabWnd::GetItemText(TAB_ITEM_INFO* pItem) { return pItem->m_sText; }
void CExtTabWnd::OnItemInserted(int, TAB_ITEM_INFO*) {}
void CExtTabWnd::OnItemRemoved(int, int, bool) {}
void CExtTabWnd::OnAllItemsRemoved(bool) {}
void CExtTabWnd::OnItemMeasured(TAB_ITEM_INFO*, CDC*, CSize&) {}
bool CExtTabWnd::IsTooltipsEnabled() const { return true; }
bool CExtTabWnd::OnQueryItemMove(int, int) { return true; }
void CExtTabWnd::OnItemMoved(int, int) {}

bool CExtTabWnd::IsItemDragAllowed(int nIndex)
{
    return nIndex >= 0 && nIndex < GetItemCount() && (m_dwTabStyle & __ETWS_ITEM_DRAGGING) &&
           !(m_dwTabStyle & __ETWS_GROUPED);
}

CFont* CExtTabWnd::GetTabFont(bool bSelected, int nOrientation)
{
    if (nOrientation < 0)
        nOrientation = GetOrientation();
    bool bBold = bSelected && (m_dwTabStyle & __ETWS_BOLD_SELECTION) &&
                 !(m_dwTabStyle & __ETWS_GROUPED);
    CExtPaintManager* pPM = g_CurrentPaintManager.GetPaintManager();
    if (nOrientation < 2)
        return bBold ? &pPM->m_FontBold : &pPM->m_FontNormal;
    if (m_dwTabStyle & __ETWS_INVERT_VERT_FONT)
        return bBold ? &pPM->m_FontBoldVertX : &pPM->m_FontNormalVertX;
    return bBold ? &pPM->m_FontBoldVert : &pPM->m_FontNormalVert;
}

void CExtTabWnd::GetItemMargins(int& nBefore, int& nAfter, int& nOuter)
{
    nBefore = nAfter = nOuter = 0;
    g_CurrentPaintManager->GetTabItemMargins(this, nBefore, nAfter, nOuter);
}

CSize CExtTabWnd::GetButtonSize()
{
    int n = std::max(std::min(::GetSystemMetrics(SM_CXSMSIZE), ::GetSystemMetrics(SM_CYSMSIZE)) + 1,
                     12);
    return CSize(n, n);
}

DWORD CExtTabWnd::ModifyTabStyle(DWORD dwRemove, DWORD dwAdd, bool bUpdate)
{
    DWORD dwOld = m_dwTabStyle;
    m_dwTabStyle = (dwOld & ~dwRemove) | dwAdd;
    UpdateTabWnd(bUpdate);
    return dwOld;
}

void CExtTabWnd::SetLayoutOverride(const RECT* pRect)
{
    if (pRect == NULL)
        m_rcOverride.SetRectEmpty();
    else
        m_rcOverride = *pRect;
    m_nState |= STATE_DIRTY;
}

/////////////////////////////////////////////////////////////////////////////
// Items

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::GetItem(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_arrItems.GetSize())
        return NULL;
    return m_arrItems[nIndex];
}

int CExtTabWnd::GetItemIndex(const TAB_ITEM_INFO* pItem) const
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
        if (m_arrItems[i] == pItem)
            return (int)i;
    return -1;
}

// Inserts an item linked to its neighbours; the selection stays on the same item.
CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::InsertItem(LPCTSTR sText, HICON hIcon, bool bCopyIcon,
                                                  DWORD dwFlags, int nIndex, LPARAM lParam,
                                                  bool bUpdate)
{
    int nCount = GetItemCount();
    if (nIndex < 0 || nIndex > nCount)
        nIndex = nCount;
    TAB_ITEM_INFO* pItem = new TAB_ITEM_INFO(this, sText, hIcon, bCopyIcon, dwFlags, lParam);
    TAB_ITEM_INFO* pPrev = nIndex > 0 ? m_arrItems[nIndex - 1] : NULL;
    TAB_ITEM_INFO* pNext = nIndex < nCount ? m_arrItems[nIndex] : NULL;
    pItem->m_pPrev = pPrev;
    pItem->m_pNext = pNext;
    if (pPrev != NULL)
        pPrev->m_pNext = pItem;
    if (pNext != NULL)
        pNext->m_pPrev = pItem;
    m_arrItems.InsertAt(nIndex, pItem);
    if (m_nSelIndex >= nIndex)
        m_nSelIndex++;
    if (pItem->IsVisible())
        m_nVisibleCount++;
    OnItemInserted(nIndex, pItem);
    UpdateTabWnd(bUpdate);
    return pItem;
}

// Deletes a run of items and relinks the neighbours; a selection inside the run is dropped.
int CExtTabWnd::RemoveItems(int nIndex, int nCount, bool bUpdate)
{
    int nTotal = GetItemCount();
    if (nIndex < 0 || nIndex >= nTotal || nCount <= 0)
        return 0;
    nCount = std::min(nCount, nTotal - nIndex);
    if (m_nSelIndex >= nIndex + nCount)
        m_nSelIndex -= nCount;
    else if (m_nSelIndex >= nIndex)
        m_nSelIndex = -1;
    for (int i = nIndex; i < nIndex + nCount; i++)
    {
        TAB_ITEM_INFO* pItem = m_arrItems[i];
        if (pItem->IsVisible())
            m_nVisibleCount--;
        delete pItem;
        m_arrItems[i] = NULL;
    }
    if (m_nHoverIndex >= 0)
        m_nHoverIndex = -1;
    m_nHoverSelectIndex = -1;
    OnItemRemoved(nIndex, nCount, true);
    m_arrItems.RemoveAt(nIndex, nCount);
    TAB_ITEM_INFO* pPrev = nIndex > 0 ? m_arrItems[nIndex - 1] : NULL;
    TAB_ITEM_INFO* pNext = nIndex < GetItemCount() ? m_arrItems[nIndex] : NULL;
    if (pPrev != NULL)
        pPrev->m_pNext = pNext;
    if (pNext != NULL)
        pNext->m_pPrev = pPrev;
    OnItemRemoved(nIndex, nCount, false);
    UpdateTabWnd(bUpdate);
    return nCount;
}

void CExtTabWnd::RemoveAllItems(bool bUpdate)
{
    OnAllItemsRemoved(true);
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
        delete m_arrItems[i];
    m_arrItems.RemoveAll();
    m_nState |= STATE_DIRTY;
    m_nVisibleCount = 0;
    m_nSelIndex = -1;
    m_nHoverIndex = m_nHoverSelectIndex = -1;
    OnAllItemsRemoved(false);
    UpdateTabWnd(bUpdate);
}

// Moves an item as a copy inserted at the target and the original removed; the copy is selected.
void CExtTabWnd::MoveItem(int nFrom, int nTo)
{
    TAB_ITEM_INFO* pOld = GetItem(nFrom);
    if (pOld == NULL || nTo < 0 || nTo >= GetItemCount())
        return;
    CString sText = GetItemText(pOld);
    CExtCmdIcon icon;
    CExtCmdIcon* pIcon = GetItemIcon(pOld);
    if (pIcon != NULL)
        icon.AssignFrom(*pIcon);
    DWORD dwFlags = pOld->m_dwFlags & ~__ETWI_SELECTED;
    LPARAM lParam = pOld->m_lParam;
    int nInsert = nTo > nFrom ? nTo + 1 : nTo;
    TAB_ITEM_INFO* pNew = InsertItem(sText, NULL, false, dwFlags, nInsert, lParam, false);
    pNew->m_icon.AssignFrom(icon);
    int nRemove = nTo > nFrom ? nFrom : nFrom + 1;
    RemoveItems(nRemove, 1, false);
    SetSelection(GetItemIndex(pNew), false, false);
}

bool CExtTabWnd::MoveItemIfAllowed(int nFrom, int nTo, bool bUpdate)
{
    int nCount = GetItemCount();
    if (nCount == 0 || nFrom < 0 || nFrom >= nCount || nTo < 0 || nTo >= nCount ||
        nFrom == nTo || !OnQueryItemMove(nFrom, nTo))
        return false;
    MoveItem(nFrom, nTo);
    UpdateTabWnd(bUpdate);
    OnItemMoved(nFrom, nTo);
    return true;
}

void CExtTabWnd::RemoveDetachedItems(bool bUpdate)
{
    for (int i = GetItemCount() - 1; i >= 0; i--)
        if (m_arrItems[i]->IsDetached())
            RemoveItems(i, 1, false);
    UpdateTabWnd(bUpdate);
}

LPARAM CExtTabWnd::GetItemData(int nIndex, bool bNullIfDetached)
{
    TAB_ITEM_INFO* pItem = GetItem(nIndex);
    if (pItem == NULL)
        AfxThrowInvalidArgException();
    if (bNullIfDetached && pItem->IsDetached())
        return 0;
    return pItem->m_lParam;
}

// The first item after nStartAfter with this data, skipping hidden or visible ones if asked.
int CExtTabWnd::FindItemByData(LPARAM lParam, int nStartAfter, bool bSkipHidden,
                               bool bSkipVisible)
{
    for (int i = std::max(nStartAfter + 1, 0); i < GetItemCount(); i++)
    {
        TAB_ITEM_INFO* pItem = m_arrItems[i];
        if (pItem->m_lParam != lParam)
            continue;
        if (bSkipHidden && !pItem->IsVisible())
            continue;
        if (bSkipVisible && pItem->IsVisible())
            continue;
        return i;
    }
    return -1;
}

int CExtTabWnd::FindItemByFlags(DWORD dwMustHave, DWORD dwMustNotHave, int nStartAfter)
{
    for (int i = std::max(nStartAfter + 1, 0); i < GetItemCount(); i++)
    {
        DWORD dw = m_arrItems[i]->m_dwFlags;
        if ((dw & dwMustHave) == dwMustHave && (dw & dwMustNotHave) == 0)
            return i;
    }
    return -1;
}

void CExtTabWnd::GetGroupRange(int nIndex, int& nFirst, int& nLast)
{
    nFirst = nLast = -1;
    if (GetItem(nIndex) == NULL)
        return;
    nFirst = nIndex;
    while (nFirst > 0 && !m_arrItems[nFirst]->IsGroupStart())
        nFirst--;
    nLast = nIndex;
    while (nLast + 1 < GetItemCount() && !m_arrItems[nLast + 1]->IsGroupStart())
        nLast++;
}

/////////////////////////////////////////////////////////////////////////////
// Painting

void CExtTabWnd::PaintStripBackground(CDC& dc, const RECT& rcClient)
{
    g_CurrentPaintManager->DrawTabStripBackground(dc, rcClient, m_rcRest, m_rcBand,
                                                  GetOrientation(),
                                                  (m_dwTabStyle & __ETWS_GROUPED) != 0, this);
}

void CExtTabWnd::PaintItem(CDC& dc, int nIndex, TAB_ITEM_INFO* pItem, const RECT& rcItem)
{
    int nOrient = GetOrientation();
    bool bSelected = pItem->IsSelected();
    CString sText = GetItemText(pItem);
    g_CurrentPaintManager->DrawTabItem(
        dc, false, nOrient == 0 || nOrient == 2, nOrient < 2, bSelected,
        (m_dwTabStyle & __ETWS_CENTERED_TEXT) != 0, (m_dwTabStyle & __ETWS_GROUPED) != 0,
        pItem->IsInGroupActive(), (m_dwTabStyle & __ETWS_INVERT_VERT_FONT) != 0, rcItem,
        pItem->m_sizeText, GetTabFont(bSelected), sText, GetItemIcon(pItem), this, nIndex);
}

void CExtTabWnd::PaintStripButton(CDC& dc, int nHitCode, const RECT& rc, bool bEnabled,
                                  bool bPushed, bool bHover)
{
    g_CurrentPaintManager->DrawTabStripButton(dc, rc, nHitCode, false, IsHorizontal(),
                                              bEnabled, bHover, bPushed, false, this);
}

// Paints the background, the items within the band (clipped to it) and the strip's buttons.
void CExtTabWnd::PaintItems(CDC& dc, const RECT& rcClient)
{
    PaintStripBackground(dc, rcClient);
    CRect rcClipBox;
    dc.GetClipBox(&rcClipBox);
    if (m_nFirstVisible >= 0)
    {
        CRect rcClip(m_rcBand);
        if (IsHorizontal())
            rcClip.InflateRect((m_dwTabStyle & __ETWS_GROUPED) ? 1 : 0, 1);
        else
            rcClip.InflateRect(1, (m_dwTabStyle & __ETWS_GROUPED) ? 1 : 0);
        CRgn rgn;
        rgn.CreateRectRgnIndirect(&rcClip);
        dc.SelectClipRgn(&rgn);
        for (int i = m_nFirstVisible; i <= m_nLastVisible; i++)
        {
            TAB_ITEM_INFO* pItem = m_arrItems[i];
            if (!pItem->IsVisible())
                continue;
            CRect rcItem = GetItemClientRect(i);
            CRect rcTest;
            if (!rcTest.IntersectRect(rcItem, rcClipBox))
                continue;
            PaintItem(dc, i, pItem, rcItem);
        }
        dc.SelectClipRgn(NULL);
    }
    struct { int nCode; DWORD dwEnabled; bool bPushed; } buttons[] = {
        {HT_BTN_PREV, __ETWS_ENABLED_BTN_UP, (m_nState & STATE_PREV_PRESSED) != 0},
        {HT_BTN_NEXT, __ETWS_ENABLED_BTN_DOWN, (m_nState & STATE_NEXT_PRESSED) != 0},
        {HT_BTN_HELP, __ETWS_ENABLED_BTN_HELP, (m_nState2 & 1) != 0},
        {HT_BTN_CLOSE, __ETWS_ENABLED_BTN_CLOSE, (m_nState2 & 2) != 0},
        {HT_BTN_LIST, __ETWS_ENABLED_BTN_TAB_LIST, (m_nState2 & 4) != 0},
    };
    for (auto& b : buttons)
    {
        CRect rc = GetButtonRect(b.nCode);
        if (rc.IsRectEmpty())
            continue;
        bool bEnabled = (m_dwTabStyle & b.dwEnabled) != 0;
        if (b.nCode == HT_BTN_LIST && GetItemCount() == 0)
            bEnabled = false;
        PaintStripButton(dc, b.nCode, rc, bEnabled, b.bPushed, m_nHoverIndex == b.nCode);
    }
}

// Paints through a memory DC; a changed paint manager relays the strip out first.
void CExtTabWnd::OnPaintMsg()
{
    CPaintDC dcPaint(this);
    UINT_PTR nPM = (UINT_PTR)g_CurrentPaintManager.GetPaintManager();
    if (nPM != m_nPaintManagerSeen)
    {
        m_nPaintManagerSeen = nPM;
        m_nState |= STATE_DIRTY;
    }
    RecalcLayout();
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    CExtMemoryDC dc(&dcPaint, &rcClient);
    PaintItems(dc, rcClient);
    dc.FinishDrawing(true);
    g_CurrentPaintManager->OnPaintSessionComplete(this);
}

/////////////////////////////////////////////////////////////////////////////
// Mouse

// Starts tracking a press on an item or an enabled button, showing the button pressed; captures.
bool CExtTabWnd::OnTabItemClick(int nMouseButton, int nHitCode)
{
    if ((m_nState & STATE_TRACKING) &&
        (m_nTrackHitCode != nHitCode || m_nTrackButton != nMouseButton))
        return false;
    m_nState &= ~(STATE_PREV_PRESSED | STATE_NEXT_PRESSED);
    m_nState2 = 0;
    if (nHitCode <= HT_BTN_PREV)
    {
        if (nMouseButton != MK_LBUTTON)
            return false;
        DWORD dwEnabled = 0;
        switch (nHitCode)
        {
        case HT_BTN_PREV: dwEnabled = __ETWS_ENABLED_BTN_UP; break;
        case HT_BTN_NEXT: dwEnabled = __ETWS_ENABLED_BTN_DOWN; break;
        case HT_BTN_HELP: dwEnabled = __ETWS_ENABLED_BTN_HELP; break;
        case HT_BTN_CLOSE: dwEnabled = __ETWS_ENABLED_BTN_CLOSE; break;
        default: dwEnabled = __ETWS_ENABLED_BTN_TAB_LIST; break;
        }
        if ((m_dwTabStyle & dwEnabled) == 0)
            return false;
        if (nHitCode == HT_BTN_LIST && GetItemCount() == 0)
            return false;
        switch (nHitCode)
        {
        case HT_BTN_PREV: m_nState |= STATE_PREV_PRESSED; break;
        case HT_BTN_NEXT: m_nState |= STATE_NEXT_PRESSED; break;
        case HT_BTN_HELP: m_nState2 |= 1; break;
        case HT_BTN_CLOSE: m_nState2 |= 2; break;
        default: m_nState2 |= 4; break;
        }
        UpdateTabWnd(true);
    }
    m_nTrackHitCode = nHitCode;
    m_nTrackButton = nMouseButton;
    m_nState |= STATE_TRACKING;
    if (m_hWnd != NULL && ::GetCapture() != m_hWnd)
        SetMouseCapture(m_hWnd);
    return true;
}

void CExtTabWnd::CancelTracking(bool bReleaseCapture)
{
    if (!(m_dwTabStyle & __ETWS_SCROLL_BY_PAGE) && m_nSmoothScroll != 0 && m_hWnd != NULL)
        SendMessage(WM_CANCELMODE);
    bool bChanged = (m_nState & (STATE_PREV_PRESSED | STATE_NEXT_PRESSED)) || m_nState2 != 0;
    m_nState &= ~(STATE_PREV_PRESSED | STATE_NEXT_PRESSED | STATE_TRACKING);
    m_nState2 = 0;
    if (bChanged)
        UpdateTabWnd(true);
    m_nTrackHitCode = m_nTrackButton = -1;
    m_ptPress = CPoint(-1, -1);
    if (bReleaseCapture && m_hWnd != NULL && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CExtTabWnd::AddTipRect(const CRect& rc, const CString& sText)
{
    if (m_wndToolTip.m_hWnd == NULL)
        return;
    m_wndToolTip.DelTool(this, 1);
    if (!sText.IsEmpty())
        m_wndToolTip.AddTool(this, sText, rc, 1);
}

// Hovers the item or button, captures the mouse and sets its tip (a shortened item: its text).
void CExtTabWnd::UpdateButtonTips(int nHitCode)
{
    m_nHoverIndex = nHitCode;
    m_nState |= STATE_HOVER;
    UpdateTabWnd(true);
    if (m_hWnd != NULL && ::GetCapture() != m_hWnd)
        SetMouseCapture(m_hWnd);
    if (!IsTooltipsEnabled())
        return;
    CString sText;
    switch (nHitCode)
    {
    case HT_BTN_PREV: sText = LoadTipText(30052, _T("Previous")); break;
    case HT_BTN_NEXT: sText = LoadTipText(30053, _T("Next")); break;
    case HT_BTN_HELP: sText = LoadTipText(30054, _T("Help")); break;
    case HT_BTN_CLOSE: sText = LoadTipText(30055, _T("")); break;
    case HT_BTN_LIST: sText = LoadTipText(30342, _T("")); break;
    default:
    {
        TAB_ITEM_INFO* pItem = GetItem(nHitCode);
        if (pItem != NULL && (m_nState & STATE_SHORTENED) && (pItem->m_nItemFlags & 1))
            sText = GetItemText(pItem);
        break;
    }
    }
    CRect rc = nHitCode >= 0 ? GetItemClientRect(nHitCode) : GetButtonRect(nHitCode);
    AddTipRect(rc, sText);
}

void CExtTabWnd::ResetHoverItem(bool bReleaseCapture)
{
    bool bHad = m_nHoverIndex != -1 || (m_nState & STATE_HOVER);
    m_nHoverIndex = -1;
    m_nState &= ~STATE_HOVER;
    if (m_wndToolTip.m_hWnd != NULL)
        m_wndToolTip.DelTool(this, 1);
    if (bHad)
        UpdateTabWnd(true);
    if (bReleaseCapture && m_hWnd != NULL && ::GetCapture() == m_hWnd &&
        !(m_nState & STATE_TRACKING))
        ::ReleaseCapture();
}

// A press on previous or next scrolls; the release on the list button opens the item list.
bool CExtTabWnd::OnStripButtonClick(int nHitCode, bool bPressed, int nMouseButton, UINT)
{
    if (bPressed)
    {
        if (OnTabItemClick(nMouseButton, nHitCode))
        {
            UpdateTabWnd(true);
            if (nHitCode == HT_BTN_PREV || nHitCode == HT_BTN_NEXT)
                ScrollItems(nHitCode == HT_BTN_PREV ? -1 : 1, true);
        }
        return true;
    }
    bool bWasList = m_nTrackHitCode == HT_BTN_LIST && nMouseButton == MK_LBUTTON;
    CancelTracking(true);
    if (bWasList && nHitCode == HT_BTN_LIST && (m_dwTabStyle & __ETWS_ENABLED_BTN_TAB_LIST))
        TrackItemList();
    return true;
}

bool CExtTabWnd::OnItemMouseClick(int nIndex, bool bPressed, int nMouseButton, UINT)
{
    if (bPressed && OnTabItemClick(nMouseButton, nIndex))
        SetSelection(nIndex, true, true);
    else
        CancelTracking(true);
    return nMouseButton != MK_RBUTTON;
}

// Lists the items in a popup at the list button and selects the one chosen.
void CExtTabWnd::TrackItemList()
{
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->InitAsEmptyPopup(m_hWnd))
    {
        delete pPopup;
        return;
    }
    for (int i = 0; i < GetItemCount(); i++)
    {
        TAB_ITEM_INFO* pItem = m_arrItems[i];
        if ((m_dwTabStyle & __ETWS_GROUPED) && pItem->IsGroupStart() && i > 0)
            pPopup->InsertCommandItem(ID_SEPARATOR);
        pPopup->InsertCommandItem(0xFFFF + i, -1, GetItemText(pItem), NULL, GetItemIcon(pItem),
                                  i == m_nSelIndex ? 1 : 0, m_hWnd);
    }
    CRect rcBtn = m_rcBtnList;
    ClientToScreen(&rcBtn);
    static const DWORD s_align[4] = {4, 6, 1, 3};
    UINT nResult = 0;
    pPopup->StartTracking(s_align[GetOrientation()] | CExtPopupMenuWnd::TPMX_DO_MESSAGE_LOOP |
                              CExtPopupMenuWnd::TPMX_NO_WM_COMMAND,
                          rcBtn.left, rcBtn.bottom, &rcBtn, NULL, NULL, &nResult);
    if (nResult >= 0xFFFF && (int)(nResult - 0xFFFF) < GetItemCount())
        SetSelection(nResult - 0xFFFF, true, true);
    UpdateTabWnd(true);
}

// Passes a press or release to the button or item under it; off the strip the default runs.
void CExtTabWnd::HandleMouseButton(UINT message, CPoint pt, UINT nFlags)
{
    bool bPressed = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN ||
                    message == WM_MBUTTONDOWN;
    int nButton = MK_LBUTTON;
    if (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP)
        nButton = MK_RBUTTON;
    else if (message == WM_MBUTTONDOWN || message == WM_MBUTTONUP)
        nButton = MK_MBUTTON;
    int nHit = HitTest(pt);
    if (nHit <= HT_BTN_PREV)
    {
        OnStripButtonClick(nHit, bPressed, nButton, nFlags);
        return;
    }
    if (nHit < 0)
    {
        CancelTracking(true);
        UpdateTabWnd(true);
        Default();
        return;
    }
    if (bPressed)
        m_ptPress = pt;
    if (!OnItemMouseClick(nHit, bPressed, nButton, nFlags))
        Default();
}

// Tracking: a button stays pressed or an item starts dragging; else hover, tips and hover select.
void CExtTabWnd::HandleMouseMove(CPoint pt, UINT)
{
    if (m_nState & STATE_TRACKING)
    {
        if (m_nTrackHitCode <= HT_BTN_PREV)
        {
            AddTipRect(CRect(0, 0, 0, 0), CString());
            bool bShownPressed = (m_nState & (STATE_PREV_PRESSED | STATE_NEXT_PRESSED)) ||
                                 m_nState2 != 0;
            if (!bShownPressed && m_nSmoothScroll == 0)
                SendMessage(WM_CANCELMODE);
            return;
        }
        if (m_nTrackHitCode >= 0 && m_ptPress.x >= 0 &&
            (abs(pt.x - m_ptPress.x) > 5 || abs(pt.y - m_ptPress.y) > 5) &&
            IsItemDragAllowed(m_nTrackHitCode))
        {
            AddTipRect(CRect(0, 0, 0, 0), CString());
            TrackItemDrag(m_nTrackHitCode);
        }
        return;
    }
    CWnd* pActive = CWnd::GetActiveWindow();
    if (pActive != NULL && !CExtPopupMenuWnd::AreWindowsRelated(m_hWnd, pActive->m_hWnd, true,
                                                                true, true))
    {
        if (m_nHoverIndex != -1)
            ResetHoverItem(true);
        return;
    }
    int nHit = HitTest(pt);
    if (nHit >= 0 || nHit <= HT_BTN_PREV)
    {
        if (nHit != m_nHoverIndex)
        {
            UpdateButtonTips(nHit);
            if (nHit >= 0 && (m_dwTabStyle & __ETWS_HOVER_FOCUS))
            {
                m_nHoverSelectIndex = nHit;
                SetTimer(TIMER_HOVER, 200, NULL);
            }
        }
    }
    else if (m_nHoverIndex != -1)
    {
        ResetHoverItem(true);
        m_nHoverSelectIndex = -1;
    }
}

// Its own loop moves the dragged item over the others, scrolling at the ends, until a release.
bool CExtTabWnd::TrackItemDrag(int nIndex)
{
    if (GetItem(nIndex) == NULL || m_hWnd == NULL)
        return false;
    HWND hWnd = m_hWnd;
    m_nDragFlags |= 1;
    SetMouseCapture(hWnd);
    m_rcDragOver.SetRectEmpty();
    int nDragged = nIndex;
    bool bQuit = false;
    for (;;)
    {
        if (!::IsWindow(hWnd) || ::GetCapture() != hWnd)
            break;
        MSG msg;
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            AfxGetThread()->OnIdle(0);
            ::WaitMessage();
            continue;
        }
        if (!::GetMessage(&msg, NULL, 0, 0))
        {
            // leave the loop and let the outer loop see the quit message
            ::PostQuitMessage((int)msg.wParam);
            bQuit = true;
            break;
        }
        bool bEnd = false;
        switch (msg.message)
        {
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_MBUTTONDOWN: case WM_MBUTTONUP:
        case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP: case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONUP: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONUP:
        case WM_CANCELMODE: case WM_ACTIVATEAPP: case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE: case WM_CONTEXTMENU:
            bEnd = true;
            break;
        case WM_MOUSEMOVE:
        {
            MSG next;
            while (::PeekMessage(&next, NULL, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE) &&
                   ::PeekMessage(&next, NULL, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
                msg = next;
            if (msg.hwnd != hWnd)
                break;
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            CRect rcClient;
            GetClientRect(&rcClient);
            bool bHorz = IsHorizontal();
            int nAlong = bHorz ? pt.x : pt.y;
            int nLow = bHorz ? rcClient.left : rcClient.top;
            int nHigh = bHorz ? rcClient.right : rcClient.bottom;
            if (nAlong < nLow || nAlong >= nHigh)
            {
                if (m_nSmoothScroll == 0)
                    ScrollItems(nAlong < nLow ? -1 : 1, true);
                break;
            }
            if (m_nSmoothScroll != 0)
            {
                KillTimer(TIMER_SCROLL);
                m_nSmoothScroll = 0;
            }
            int nOver = HitTest(pt);
            if (nOver < 0 || nOver == nDragged)
                break;
            if (m_rcDragOver.PtInRect(pt) && abs(nOver - nDragged) < 2)
                break;
            if (MoveItemIfAllowed(nDragged, nOver, true))
            {
                nDragged = nOver;
                m_rcDragOver = GetItemClientRect(nOver);
            }
            break;
        }
        default:
            break;
        }
        if (bEnd)
            break;
        if (msg.message != WM_MOUSEMOVE)
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    if (::IsWindow(hWnd))
    {
        m_nDragFlags &= ~1;
        if (::GetCapture() == hWnd)
            ::ReleaseCapture();
        KillTimer(TIMER_SCROLL);
        m_nSmoothScroll = 0;
        m_nState &= ~STATE_TRACKING;
        m_nTrackHitCode = m_nTrackButton = -1;
        m_ptPress = CPoint(-1, -1);
        UpdateTabWnd(true);
    }
    return !bQuit;
}

/////////////////////////////////////////////////////////////////////////////
// Messages

// Takes the strip's depth off the frame's layout rectangle and places the strip there.
LRESULT CExtTabWnd::OnSizeParentMsg(LPARAM lParam)
{
    if ((m_nState & STATE_SIZEPARENT) == 0)
        return 0;
    AFX_SIZEPARENTPARAMS* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    UpdateTabWndVisibility();
    if (!IsWindowVisible() || pLayout == NULL)
        return 0;
    CRect rcArea(pLayout->rect);
    if (rcArea.IsRectEmpty())
    {
        ShowWindow(SW_HIDE);
        return 0;
    }
    CRect rcSaved = m_rcOverride;
    m_rcOverride = rcArea;
    m_rcOverride.OffsetRect(-rcArea.left, -rcArea.top);
    m_nState |= STATE_DIRTY;
    RecalcLayout();
    m_rcOverride = rcSaved;
    m_nState |= STATE_DIRTY;
    int nOrient = GetOrientation();
    int nDepth = m_nThickness + ((nOrient == 0 || nOrient == 2) ? 9 : 8);
    CRect rcMe(rcArea);
    switch (nOrient)
    {
    case 0:
        rcMe.bottom = rcMe.top + nDepth;
        pLayout->rect.top += nDepth;
        break;
    case 1:
        rcMe.top = rcMe.bottom - nDepth;
        pLayout->rect.bottom -= nDepth;
        break;
    case 2:
        rcMe.right = rcMe.left + nDepth;
        pLayout->rect.left += nDepth;
        break;
    default:
        rcMe.left = rcMe.right - nDepth;
        pLayout->rect.right -= nDepth;
        break;
    }
    // without a position batch it is only a query
    if (pLayout->hDWP != NULL)
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, NULL, rcMe.left, rcMe.top,
                                         rcMe.Width(), rcMe.Height(),
                                         SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

BOOL CExtTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (IsTooltipsEnabled() && m_wndToolTip.m_hWnd != NULL)
        m_wndToolTip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

// Paint, size, mouse, handing the focus on, the scroll and hover timers, and colour changes.
LRESULT CExtTabWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
        OnPaintMsg();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
    {
        LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        m_nState |= STATE_DIRTY;
        if (m_wndToolTip.m_hWnd != NULL)
            m_wndToolTip.DelTool(this, 1);
        if (message != WM_SHOWWINDOW && IsWindowVisible())
        {
            RecalcLayout();
            Invalidate();
        }
        return lResult;
    }
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP:
        HandleMouseButton(message, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)),
                          (UINT)wParam);
        return 0;
    case WM_MOUSEMOVE:
        HandleMouseMove(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)), (UINT)wParam);
        return 0;
    case WM_MOUSEACTIVATE:
    {
        CWnd* pTop = GetTopLevelParent();
        HWND hFore = ::GetForegroundWindow();
        if (pTop == NULL || hFore != ::GetLastActivePopup(pTop->m_hWnd))
        {
            CWnd* pParent = GetParent();
            if (pParent != NULL)
                pParent->SetFocus();
        }
        return MA_NOACTIVATE;
    }
    case WM_SETFOCUS:
    {
        CWnd* pParent = GetParent();
        if (pParent != NULL)
            pParent->SetFocus();
        return 0;
    }
    case WM_CAPTURECHANGED:
        if ((HWND)lParam != m_hWnd)
        {
            if (m_nState & STATE_TRACKING)
                CancelTracking(false);
            ResetHoverItem(false);
        }
        return 0;
    case WM_CANCELMODE:
        KillTimer(TIMER_SCROLL);
        m_nSmoothScroll = 0;
        if (m_nState & STATE_TRACKING)
            CancelTracking(true);
        return 0;
    case WM_TIMER:
        if (wParam == TIMER_SCROLL)
        {
            if (m_nSmoothScroll == 0)
            {
                KillTimer(TIMER_SCROLL);
                return 0;
            }
            int nStep = m_nSmoothScroll > 0 ? std::min(m_nSmoothScroll, 10)
                                            : std::max(m_nSmoothScroll, -10);
            ScrollItems(nStep, false);
            m_nSmoothScroll -= nStep;
            if (m_nSmoothScroll == 0 || m_nScrollRange == 0)
            {
                m_nSmoothScroll = 0;
                KillTimer(TIMER_SCROLL);
            }
            return 0;
        }
        if (wParam == TIMER_HOVER)
        {
            KillTimer(TIMER_HOVER);
            int nIndex = m_nHoverSelectIndex;
            m_nHoverSelectIndex = -1;
            CPoint pt;
            ::GetCursorPos(&pt);
            if (nIndex >= 0 && ItemFromScreenPoint(pt) == nIndex)
            {
                TAB_ITEM_INFO* pItem = GetItem(nIndex);
                if (pItem != NULL && pItem->IsVisible() && nIndex != m_nSelIndex)
                    SetSelection(nIndex, true, true);
            }
            return 0;
        }
        break;
    case WM_SETCURSOR:
    {
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != NULL && pFrame->m_bHelpMode)
            return FALSE;
        ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
        return TRUE;
    }
    case WM_SIZEPARENT:
        return OnSizeParentMsg(lParam);
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
    {
        g_CurrentPaintManager->SyncSysColorsAndFonts();
        m_nState |= STATE_DIRTY;
        Invalidate();
        return 0;
    }
    default:
        if (message == CExtControlBar::g_nMsgQueryRepositionCalcEffect && (m_nMdiFlags & 1))
        {
            CExtControlBar::QueryRepositionCalcEffect_t* pQuery =
                (CExtControlBar::QueryRepositionCalcEffect_t*)wParam;
            if (pQuery != NULL)
                pQuery->m_dwFlags |= 0x10;
            return 0;
        }
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CExtTabWnd::IsSwitchKey(const MSG* pMsg, bool& bForward)
{
    if (pMsg->message != WM_KEYDOWN || (pMsg->wParam != VK_PRIOR && pMsg->wParam != VK_NEXT))
        return false;
    if ((::GetKeyState(VK_CONTROL) & 0x8000) == 0 || (::GetKeyState(VK_SHIFT) & 0x8000) ||
        (::GetKeyState(VK_MENU) & 0x8000))
        return false;
    bForward = pMsg->wParam == VK_NEXT;
    return true;
}

// The next or previous shown, attached item after nFrom, round the ends, that accept takes.
int CExtTabWnd::FindNextItem(int nFrom, bool bForward,
                             const std::function<bool(TAB_ITEM_INFO*)>& accept) const
{
    int nCount = (int)m_arrItems.GetSize();
    if (nFrom < 0 || nCount == 0)
        return -1;
    for (int k = 1; k < nCount; k++)
    {
        int i = (nFrom + (bForward ? k : nCount - k)) % nCount;
        TAB_ITEM_INFO* pItem = m_arrItems[i];
        if (pItem->IsVisible() && !pItem->IsDetached() && accept(pItem))
            return i;
    }
    return -1;
}

CExtCmdIcon* CExtTabWnd::WindowItemIcon(TAB_ITEM_INFO* pItem, CFrameWnd* pFrame)
{
    CWnd* pWnd = (CWnd*)pItem->m_lParam;
    if (pWnd == NULL || pWnd->m_hWnd == NULL || pFrame == NULL || pFrame->m_hWnd == NULL)
        return &pItem->m_icon;
    CExtCmdIcon* pIcon = g_CmdManagerHolder->FindCommandIcon(
        g_CmdManagerHolder->FindProfileNameForWindow(pFrame->m_hWnd), (UINT)pWnd->GetDlgCtrlID());
    return pIcon != NULL ? pIcon : &pItem->m_icon;
}
