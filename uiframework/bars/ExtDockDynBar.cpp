// ExtDockDynBar.cpp - the dynamic container: CExtDynControlBar and its inner dock bar
// CExtDockDynBar (layout of the bars docked together, dissolving when one bar is left).

#include "ExtDockBar.h"
#include "ExtBarLayout.h"

#include <algorithm>

namespace
{

CControlBar* DynEntryBar(void* p)
{
    if (p == NULL || ExtBarLayout::IsPlaceholder(p))
        return NULL;
    CControlBar* pBar = (CControlBar*)p;
    return pBar->m_hWnd != NULL ? pBar : NULL;
}

// Thickness minimum across a row (the caption and strips of a bar).
int AcrossMinimum(CExtControlBar* pBar, bool bHorzRows)
{
    return bHorzRows ? pBar->CalcMinHeight() : pBar->CalcMinWidth();
}

int AlongMinimum(CExtControlBar* pBar, bool bHorzRows)
{
    return bHorzRows ? pBar->CalcMinWidth() : pBar->CalcMinHeight();
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CExtDockDynBar

IMPLEMENT_DYNCREATE(CExtDockDynBar, CExtDockBar)

CExtDockDynBar::CExtDockDynBar(int nCircleNo) : CExtDockBar(nCircleNo), m_nDynFlags(0)
{
    m_bAutoDelete = TRUE;
}

CExtDockDynBar::~CExtDockDynBar()
{
}

CExtDynControlBar* CExtDockDynBar::GetContainer() const
{
    if (m_hWnd == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CExtDynControlBar, GetParent());
}

CWnd* CExtDockDynBar::GetAutoHideArea()
{
    CExtDynControlBar* pContainer = GetContainer();
    CExtDockBar* pHolder = pContainer != NULL
        ? DYNAMIC_DOWNCAST(CExtDockBar, pContainer->m_pDockBar) : NULL;
    return pHolder != NULL ? pHolder->GetAutoHideArea() : NULL;
}

void CExtDockDynBar::SetSuspended(bool bSuspended)
{
    CExtDockBar::SetSuspended(bSuspended);
    CExtDynControlBar* pContainer = GetContainer();
    CExtDockBar* pHolder = pContainer != NULL
        ? DYNAMIC_DOWNCAST(CExtDockBar, pContainer->m_pDockBar) : NULL;
    if (pHolder != NULL)
        pHolder->SetSuspended(bSuspended);
}

// The visible bars of the container's rows, each row closed by NULL (rows without a
// visible bar left out).
void CExtDockDynBar::CollectVisibleBars(CPtrArray& arr)
{
    arr.RemoveAll();
    bool bRowHasBar = false;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        if (m_arrBars[i] == NULL)
        {
            if (bRowHasBar)
                arr.Add(NULL);
            bRowHasBar = false;
            continue;
        }
        CControlBar* pBar = DynEntryBar(m_arrBars[i]);
        if (pBar == NULL || !pBar->IsVisible())
            continue;
        arr.Add(pBar);
        bRowHasBar = true;
    }
    if (bRowHasBar)
        arr.Add(NULL);
}

LRESULT CExtDockDynBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE)
    {
        LRESULT lResult = CExtDockBar::WindowProc(message, wParam, lParam);
        LayoutInClient();
        return lResult;
    }
    if (message == WM_SIZEPARENT)
        return 0;   // only the container lays it out
    return CExtDockBar::WindowProc(message, wParam, lParam);
}

CSize CExtDockDynBar::CalcFixedLayout(BOOL, BOOL)
{
    CRect rc(0, 0, 0, 0);
    if (m_hWnd != NULL)
        GetWindowRect(&rc);
    if (!m_bLayoutQuery && rc.Width() > 0 && rc.Height() > 0)
        LayoutInClient();
    return rc.Size();
}

// Fills the container's client with its visible bars: the rows share the thickness and
// each row's bars the length, round robin and never below their minima.
void CExtDockDynBar::LayoutInClient()
{
    if (m_hWnd == NULL || m_bSuspended)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    UINT nID = (UINT)GetDlgCtrlID();
    bool bHorzRows = nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM;

    // rows of visible framework bars
    std::vector<std::vector<CExtControlBar*>> rows(1);
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        if (m_arrBars[i] == NULL)
        {
            if (!rows.back().empty())
                rows.emplace_back();
            continue;
        }
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, (CObject*)DynEntryBar(m_arrBars[i]));
        if (pBar != NULL && pBar->IsVisible())
            rows.back().push_back(pBar);
    }
    if (rows.back().empty())
        rows.pop_back();
    if (rows.empty())
        return;

    int nClientAcross = bHorzRows ? rcClient.Height() : rcClient.Width();
    int nClientAlong = bHorzRows ? rcClient.Width() : rcClient.Height();
    std::vector<int> thick, thickMin;
    for (auto& row : rows)
    {
        CExtControlBar* pFirst = row.front();
        thick.push_back(bHorzRows ? pFirst->m_sizeDockedH.cy : pFirst->m_sizeDockedV.cx);
        int nMin = INT_MAX;
        for (CExtControlBar* pBar : row)
            nMin = std::min(nMin, AcrossMinimum(pBar, bHorzRows));
        thickMin.push_back(nMin);
    }
    int nSumThick = 0;
    for (int t : thick)
        nSumThick += t;
    ExtBarLayout::DistributeRoundRobin(thick, thickMin, nClientAcross - nSumThick);

    HDWP hDWP = ::BeginDeferWindowPos((int)m_arrBars.GetSize());
    int nAcross = 0;
    for (size_t r = 0; r < rows.size(); r++)
    {
        auto& row = rows[r];
        std::vector<int> len, lenMin;
        int nSumLen = 0;
        for (CExtControlBar* pBar : row)
        {
            if (bHorzRows)
                pBar->m_sizeDockedH.cy = thick[r];
            else
                pBar->m_sizeDockedV.cx = thick[r];
            int n = bHorzRows ? pBar->m_sizeDockedH.cx : pBar->m_sizeDockedV.cy;
            len.push_back(n);
            lenMin.push_back(AlongMinimum(pBar, bHorzRows));
            nSumLen += n;
        }
        ExtBarLayout::DistributeRoundRobin(len, lenMin, nClientAlong - nSumLen);
        int nAlong = 0;
        for (size_t k = 0; k < row.size(); k++)
        {
            CExtControlBar* pBar = row[k];
            if (bHorzRows)
                pBar->m_sizeDockedH.cx = len[k];
            else
                pBar->m_sizeDockedV.cy = len[k];
            CRect rc = bHorzRows ? CRect(nAlong, nAcross, nAlong + len[k], nAcross + thick[r])
                                 : CRect(nAcross, nAlong, nAcross + thick[r], nAlong + len[k]);
            // without room for the minima the bars are cut at the container's edges
            if (!rc.IntersectRect(rc, rcClient))
                rc.SetRect(std::min((int)rc.left, (int)rcClient.right),
                           std::min((int)rc.top, (int)rcClient.bottom),
                           std::min((int)rc.left, (int)rcClient.right),
                           std::min((int)rc.top, (int)rcClient.bottom));
            CRect rcOld;
            pBar->GetWindowRect(&rcOld);
            ScreenToClient(&rcOld);
            if (rcOld != rc && hDWP != NULL)
                hDWP = ::DeferWindowPos(hDWP, pBar->m_hWnd, NULL, rc.left, rc.top, rc.Width(),
                                        rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE |
                                        SWP_FRAMECHANGED);
            nAlong += len[k];
        }
        nAcross += thick[r];
    }
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
}

void CExtDockDynBar::RelayoutContainers()
{
    if (m_bSuspended || m_bBusy)
        return;
    LayoutInClient();
    CExtDockBar::RelayoutContainers();
}

// A container left with one bar dissolves (the bar takes its place) and one left empty
// goes with its emptied floating frame; with more bars its inner containers are checked.
void CExtDockDynBar::RecalcContainers()
{
    if (m_bSuspended)
        return;
    int nBars = ExtBarLayout::CountBars(m_arrBars);
    int nHolders = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        if (ExtBarLayout::IsPlaceholder(m_arrBars[i]))
            nHolders++;
    }
    if (nBars >= 2 || (nBars == 1 && nHolders > 0))
    {
        CExtDockBar::RecalcContainers();
        return;
    }
    CExtDynControlBar* pContainer = GetContainer();
    if (pContainer == NULL || pContainer->m_hWnd == NULL)
        return;
    CDockBar* pHolder = pContainer->m_pDockBar;
    CFrameWnd* pSite = pContainer->m_pDockSite;
    m_bSuspended = true;
    if (nBars == 1 && pHolder != NULL)
    {
        // the last bar takes the container's place
        CControlBar* pBar = NULL;
        for (INT_PTR i = 0; i < m_arrBars.GetSize() && pBar == NULL; i++)
            pBar = DynEntryBar(m_arrBars[i]);
        CRect rcContainer;
        pContainer->GetWindowRect(&rcContainer);
        int nPos = ExtBarLayout::FindEntry(pHolder->m_arrBars, pContainer);
        if (nPos > 0)
            pHolder->m_arrBars[nPos] = pBar;
        else
            ExtBarLayout::InsertAsRow(pHolder->m_arrBars, pBar, false);
        pBar->SetParent(pHolder);
        pBar->m_pDockBar = pHolder;
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        UINT nHolderID = (UINT)pHolder->GetDlgCtrlID();
        if (pExt != NULL && !pExt->IsFixedSize())
        {
            if (nHolderID == AFX_IDW_DOCKBAR_TOP || nHolderID == AFX_IDW_DOCKBAR_BOTTOM)
                pExt->m_sizeDockedH = rcContainer.Size();
            else
                pExt->m_sizeDockedV = rcContainer.Size();
        }
        DWORD dwStyle = pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY);
        dwStyle |= (pContainer->m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
        pBar->m_dwStyle = dwStyle;
        pContainer->m_pDockBar = NULL;
    }
    HWND hEmptiedMini = NULL;
    if (nBars == 0 && pHolder != NULL)
    {
        int nPos = ExtBarLayout::FindEntry(pHolder->m_arrBars, pContainer);
        if (nPos > 0)
            ExtBarLayout::RemoveEntryAt(pHolder->m_arrBars, nPos);
        pContainer->m_pDockBar = NULL;
        // a floating frame left without bars goes with the container
        CWnd* pMini = pHolder->m_bFloating ? pHolder->GetParent() : NULL;
        if (pMini != NULL && pMini->IsFrameWnd() && pMini != pSite &&
            pHolder->GetDockedCount() == 0)
            hEmptiedMini = pMini->m_hWnd;
    }
    m_arrBars.RemoveAll();
    m_arrBars.Add(NULL);
    if (pSite != NULL)
        pSite->RemoveControlBar(pContainer);
    // the container and this dock bar go here; nothing of this object is used after it
    pContainer->DestroyWindow();
    if (hEmptiedMini != NULL)
    {
        CWnd* pMini = CWnd::FromHandlePermanent(hEmptiedMini);
        if (pMini != NULL)
            pMini->DestroyWindow();
        if (pSite != NULL && pSite->m_hWnd != NULL)
            pSite->DelayRecalcLayout();
        return;
    }
    if (pHolder != NULL && pHolder->m_hWnd != NULL)
    {
        CFrameWnd* pFrame = pHolder->GetDockingFrame();
        if (pFrame != NULL)
            pFrame->DelayRecalcLayout();
        CExtDockBar* pHolderExt = DYNAMIC_DOWNCAST(CExtDockBar, pHolder);
        if (pHolderExt != NULL)
            pHolderExt->RecalcContainers();
    }
}

/////////////////////////////////////////////////////////////////////////////
// CExtDynControlBar

IMPLEMENT_DYNCREATE(CExtDynControlBar, CExtControlBar)

CExtDynControlBar::CExtDynControlBar() : m_pWndDynDockBar(NULL)
{
    m_bListedInBarsMenu = false;
    m_bAutoDelete = TRUE;
}

CExtDynControlBar::~CExtDynControlBar()
{
}

CExtDockDynBar* CExtDynControlBar::OnCreateDynamicDockBarObject()
{
    return new CExtDockDynBar(0);
}

// On creation the container makes its inner dock bar; creation fails without it.
LRESULT CExtDynControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_CREATE)
        return CExtControlBar::WindowProc(message, wParam, lParam);
    LRESULT lResult = CExtControlBar::WindowProc(message, wParam, lParam);
    if (lResult == -1)
        return lResult;
    UINT nID = (UINT)GetDlgCtrlID();
    if (nID == AFX_IDW_DOCKBAR_FLOAT)
        nID = AFX_IDW_DOCKBAR_TOP;
    m_pWndDynDockBar = OnCreateDynamicDockBarObject();
    if (!m_pWndDynDockBar->Create(this, 0x56002F00, nID))
    {
        delete m_pWndDynDockBar;
        m_pWndDynDockBar = NULL;
        return -1;
    }
    m_pWndDynDockBar->m_pDockSite = m_pDockSite;
    m_pWndDynDockBar->m_dwStyle = CBRS_ALIGN_TOP | CBRS_BORDER_ANY;
    EnableToolTips(TRUE);
    return lResult;
}

bool CExtDynControlBar::IsTabbedDockingAllowed(CExtControlBar* pOther) const
{
    if (m_pWndDynDockBar == NULL)
        return false;
    for (INT_PTR i = 0; i < m_pWndDynDockBar->m_arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar,
            (CObject*)DynEntryBar(m_pWndDynDockBar->m_arrBars[i]));
        if (pBar != NULL && !pBar->IsTabbedDockingAllowed(pOther))
            return false;
    }
    return true;
}

bool CExtDynControlBar::QueryGripper(bool* pbHorizontalCaption, bool* pbHasCaption)
{
    if (pbHorizontalCaption != NULL)
        *pbHorizontalCaption = false;
    if (pbHasCaption != NULL)
        *pbHasCaption = false;
    return false;
}

// The least width or height of the container's visible bars: minima add up along a row,
// the largest counts across it.
int CExtDynControlBar::CalcInnerMinExtent(bool bWidth)
{
    if (m_pWndDynDockBar == NULL || m_pWndDynDockBar->m_hWnd == NULL)
        return 0;
    // along a row the bars' minima add up, across it the largest counts; the rows stand
    // side by side the other way
    bool bHorzRows = m_pWndDynDockBar->GetDlgCtrlID() == AFX_IDW_DOCKBAR_TOP;
    bool bAlongRow = bWidth == bHorzRows;
    int nTotal = 0, nRow = 0;
    for (INT_PTR i = 0; i < m_pWndDynDockBar->m_arrBars.GetSize(); i++)
    {
        void* p = m_pWndDynDockBar->m_arrBars[i];
        if (p == NULL)
        {
            nTotal = bAlongRow ? std::max(nTotal, nRow) : nTotal + nRow;
            nRow = 0;
            continue;
        }
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, (CObject*)DynEntryBar(p));
        if (pBar == NULL || !pBar->IsVisible())
            continue;
        int nMin = bWidth ? pBar->CalcMinWidth() : pBar->CalcMinHeight();
        nRow = bAlongRow ? nRow + nMin : std::max(nRow, nMin);
    }
    return bAlongRow ? std::max(nTotal, nRow) : nTotal + nRow;
}

int CExtDynControlBar::CalcMinWidth()
{
    return std::max(CExtControlBar::CalcMinWidth(), CalcInnerMinExtent(true) + m_nNcExtraX);
}

int CExtDynControlBar::CalcMinHeight()
{
    return std::max(CExtControlBar::CalcMinHeight(), CalcInnerMinExtent(false) + m_nNcExtraY);
}

CSize CExtDynControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    CSize size = CExtControlBar::CalcDynamicLayout(nLength, dwMode);
    if (m_pWndDynDockBar != NULL && m_pWndDynDockBar->GetDockedVisibleCount() == 0)
    {
        if (m_hWnd != NULL && IsWindowVisible())
            DelayShow(FALSE);
        return CSize(0, 0);
    }
    if (IsFloating() && m_pWndDynDockBar != NULL)
        m_pWndDynDockBar->RelayoutContainers();
    return size;
}
