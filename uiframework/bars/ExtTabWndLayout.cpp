// ExtTabWndLayout.cpp - CExtTabWnd: selection and scrolling, the layout of the strip's items
// and buttons, and hit testing.

#include "ExtTabWnd.h"

#include <algorithm>
#include <vector>

/////////////////////////////////////////////////////////////////////////////
// Selection and scrolling

// Selects an item, asking OnSelectionChange before and after; returns the old selection.
int CExtTabWnd::SetSelection(int nIndex, bool bEnsureVisible, bool bUpdate)
{
    int nOld = m_nSelIndex;
    if (nIndex >= GetItemCount())
        nIndex = -1;
    if (!OnSelectionChange(nOld, nIndex, true))
        return nOld;
    m_nSelIndex = nIndex < 0 ? -1 : nIndex;
    TAB_ITEM_INFO* pOld = GetItem(nOld);
    if (pOld != NULL)
        pOld->ModifyFlags(__ETWI_SELECTED, 0);
    TAB_ITEM_INFO* pNew = GetItem(m_nSelIndex);
    if (pNew != NULL)
        pNew->ModifyFlags(0, __ETWI_SELECTED);
    m_nState |= STATE_DIRTY;
    if (!OnSelectionChange(nOld, m_nSelIndex, false))
        return nOld;
    if (bEnsureVisible && m_nSelIndex >= 0)
        EnsureItemVisible(m_nSelIndex, bUpdate);
    else
        UpdateTabWnd(bUpdate);
    return nOld;
}

// Scrolls so the item shows whole, with 6 pixels to spare at the ends of the band.
bool CExtTabWnd::EnsureItemVisible(int nIndex, bool bUpdate)
{
    TAB_ITEM_INFO* pItem = GetItem(nIndex);
    if (pItem == NULL || !pItem->IsVisible())
        return false;
    RecalcLayout();
    if (m_nScrollRange > 0)
    {
        bool bHorz = IsHorizontal();
        int nBand = bHorz ? m_rcBand.Width() : m_rcBand.Height();
        int nStart = bHorz ? pItem->m_rc.left : pItem->m_rc.top;
        int nEnd = bHorz ? pItem->m_rc.right : pItem->m_rc.bottom;
        if (nEnd - m_nScrollPos > nBand + 6)
        {
            m_nScrollPos = nEnd - nBand - 6;
            m_nScrollPos += std::min(6, std::max(m_nScrollRange - m_nScrollPos, 0));
        }
        if (nStart - m_nScrollPos < 0)
            m_nScrollPos = std::max(nStart - 6, 0);
        m_nScrollPos = std::max(0, std::min(m_nScrollPos, m_nScrollRange));
    }
    UpdateTabWnd(bUpdate);
    return true;
}

// Scrolls by nStep at once, or smoothly by timer to the end (or a page) in nStep's direction.
void CExtTabWnd::ScrollItems(int nStep, bool bSmooth)
{
    RecalcLayout();
    if (m_nScrollRange <= 0 || GetItemCount() == 0)
        return;
    if (!bSmooth)
    {
        m_nScrollPos = std::max(0, std::min(m_nScrollPos + nStep, m_nScrollRange));
        UpdateTabWnd(true);
        return;
    }
    int nDistance;
    if (m_dwTabStyle & __ETWS_SCROLL_BY_PAGE)
        nDistance = IsHorizontal() ? m_rcBand.Width() : m_rcBand.Height();
    else
        nDistance = nStep < 0 ? m_nScrollPos : m_nScrollRange - m_nScrollPos;
    m_nSmoothScroll = nStep < 0 ? -nDistance : nDistance;
    if (m_nSmoothScroll != 0 && m_hWnd != NULL)
        SetTimer(TIMER_SCROLL, 20, NULL);
}

void CExtTabWnd::UpdateTabWnd(bool bUpdate)
{
    m_nState |= STATE_DIRTY;
    if (bUpdate && m_hWnd != NULL && IsWindowVisible())
    {
        RecalcLayout();
        Invalidate();
        UpdateWindow();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Layout

int CExtTabWnd::GetStripThickness() const { return m_nThickness; }

CRect CExtTabWnd::CalcStripRect(const RECT& rcArea)
{
    CRect rcSaved = m_rcOverride;
    m_rcOverride = rcArea;
    m_nState |= STATE_DIRTY;
    RecalcLayout();
    CRect rcBand = m_rcBand;
    m_rcOverride = rcSaved;
    m_nState |= STATE_DIRTY;
    if (rcBand.IsRectEmpty() && m_hWnd != NULL)
        GetWindowRect(&rcBand);
    return rcBand;
}

// Measures the items, places strip, band, buttons and items, and sets the scroll range and buttons.
void CExtTabWnd::RecalcLayout()
{
    if ((m_nState & STATE_DIRTY) == 0 || m_hWnd == NULL)
        return;
    m_nState &= ~(STATE_DIRTY | STATE_SHORTENED);
    m_rcBand.SetRectEmpty();
    m_rcRest.SetRectEmpty();
    m_rcBtnPrev.SetRectEmpty();
    m_rcBtnNext.SetRectEmpty();
    m_rcBtnHelp.SetRectEmpty();
    m_rcBtnClose.SetRectEmpty();
    m_rcBtnList.SetRectEmpty();
    m_nFirstVisible = m_nLastVisible = -1;
    CRect rcLayout = m_rcOverride;
    if (rcLayout.IsRectEmpty())
        GetClientRect(&rcLayout);
    if (rcLayout.IsRectEmpty())
        return;

    const bool bHorz = IsHorizontal();
    const bool bGrouped = (m_dwTabStyle & __ETWS_GROUPED) != 0;
    CClientDC dc(this);
    int nCross = 0;
    std::vector<int> extents;
    m_nBandTotal = MeasureItemExtents(dc, extents, nCross);

    int nBefore = 0, nAfter = 0, nOuter = 0;
    GetItemMargins(nBefore, nAfter, nOuter);
    CSize sizeBtn = GetButtonSize();
    const bool bEqual = (m_dwTabStyle & __ETWS_EQUAL_WIDTHS) != 0;
    const int nReserved = CalcButtonsRoom(bHorz ? sizeBtn.cx : sizeBtn.cy, bEqual);

    m_nThickness = std::max(nCross, 20);
    const CRect rcStrip = PlaceStripAndBand(rcLayout, nBefore, nAfter, nOuter, nReserved);
    const int nBand = bHorz ? m_rcBand.Width() : m_rcBand.Height();
    m_nScrollRange = std::max(m_nBandTotal - nBand, 0);
    m_nScrollPos = std::max(0, std::min(m_nScrollPos, m_nScrollRange));

    if (bEqual && (m_nScrollRange > 0 || (m_dwTabStyle & __ETWS_FULL_WIDTH)) && m_nVisibleCount > 0)
        EqualizeItemExtents(extents, nBand);
    PlaceStripButtons(rcStrip, nAfter, sizeBtn, bEqual);
    PlaceItems(extents, nBand, bGrouped);

    m_dwTabStyle &= ~(__ETWS_ENABLED_BTN_UP | __ETWS_ENABLED_BTN_DOWN);
    if (m_nScrollRange > 0 && m_nScrollPos > 0)
        m_dwTabStyle |= __ETWS_ENABLED_BTN_UP;
    if (m_nScrollPos < m_nScrollRange)
        m_dwTabStyle |= __ETWS_ENABLED_BTN_DOWN;
}

// The length along the strip of each item (0 for hidden ones) and the thickest item across;
// in a collapsed group only the active item has its full length. Returns the band's total.
int CExtTabWnd::MeasureItemExtents(CDC& dc, std::vector<int>& extents, int& nCross)
{
    const bool bHorz = IsHorizontal();
    const bool bGrouped = (m_dwTabStyle & __ETWS_GROUPED) != 0;
    const int nCount = GetItemCount();
    int nTotal = bGrouped ? 10 : 0;
    extents.assign(nCount, 0);
    bool bFirstGroup = true;
    for (int i = 0; i < nCount; i++)
    {
        TAB_ITEM_INFO* pItem = m_arrItems[i];
        if (!pItem->IsVisible())
            continue;
        if (!bGrouped || (m_dwTabStyle & __ETWS_GROUPED_EXPAND_ITEMS))
        {
            CSize size = pItem->Measure(&dc);
            int nExt = bHorz ? size.cx : size.cy;
            if (bGrouped && pItem->IsGroupStart() && !bFirstGroup)
                nTotal += GROUP_GAP;
            if (bGrouped && pItem->IsGroupStart())
                bFirstGroup = false;
            extents[i] = nExt;
            nTotal += nExt;
            nCross = std::max(nCross, (int)(bHorz ? size.cy : size.cx));
            continue;
        }
        // a whole group: the shown item at full size, the others short
        int nLast = i;
        while (nLast + 1 < nCount && !m_arrItems[nLast + 1]->IsGroupStart())
            nLast++;
        int nFull = 0, nShort = 0, nMembers = 0;
        for (int j = i; j <= nLast; j++)
        {
            TAB_ITEM_INFO* p = m_arrItems[j];
            if (!p->IsVisible())
                continue;
            CSize size = p->Measure(&dc);
            nFull = std::max(nFull, (int)(bHorz ? size.cx : size.cy));
            int nShortOne = bHorz
                ? std::max(p->m_sizeIcon.cx + (p->m_sizeIcon.cx > 0 ? 3 : 0) + 7, 6L)
                : std::max(p->m_sizeIcon.cy + (p->m_sizeIcon.cy > 0 ? 3 : 0) + 17, 6L);
            nShort = std::max(nShort, nShortOne);
            nCross = std::max(nCross, (int)(bHorz ? size.cy : size.cx));
            nMembers++;
        }
        if (!bFirstGroup)
            nTotal += GROUP_GAP;
        bFirstGroup = false;
        nTotal += nFull + (nMembers - 1) * nShort;
        for (int j = i; j <= nLast; j++)
            if (m_arrItems[j]->IsVisible())
                extents[j] = m_arrItems[j]->IsInGroupActive() ? nFull : nShort;
        i = nLast;
    }
    return nTotal;
}

// The room the strip's buttons take from the band, nBtn being a button's length: close,
// help and item list when shown, the scroll pair unless items share the band equally.
int CExtTabWnd::CalcButtonsRoom(int nBtn, bool bEqual) const
{
    const int B = nBtn;
    int nReserved = 0;
    bool bAnyBtn = false;
    if (m_dwTabStyle & __ETWS_SHOW_BTN_CLOSE)
    {
        nReserved += B + 4;
        bAnyBtn = true;
    }
    if (m_dwTabStyle & __ETWS_SHOW_BTN_HELP)
    {
        nReserved += B + 4 - (bAnyBtn ? 2 : 0);
        bAnyBtn = true;
    }
    if (m_dwTabStyle & __ETWS_SHOW_BTN_TAB_LIST)
    {
        nReserved += B + 4 - (bAnyBtn ? 2 : 0);
        bAnyBtn = true;
    }
    if (!bEqual)
        nReserved += 2 * B + 6 - (bAnyBtn ? 2 : 0);
    return nReserved;
}

// Puts the strip along its edge of rcLayout (the rest of the area is left to the page) and
// the band inside it, between the margins and the buttons' room; returns the strip.
CRect CExtTabWnd::PlaceStripAndBand(const CRect& rcLayout, int nBefore, int nAfter, int nOuter,
                                    int nReserved)
{
    CRect rcStrip(rcLayout);
    switch (GetOrientation())
    {
    case 0:
        rcStrip.top += nOuter;
        rcStrip.bottom = rcStrip.top + m_nThickness;
        m_rcRest.SetRect(rcLayout.left, rcStrip.bottom, rcLayout.right, rcLayout.bottom);
        break;
    case 1:
        rcStrip.bottom -= nOuter;
        rcStrip.top = rcStrip.bottom - m_nThickness;
        m_rcRest.SetRect(rcLayout.left, rcLayout.top, rcLayout.right, rcStrip.top);
        break;
    case 2:
        rcStrip.left += nOuter;
        rcStrip.right = rcStrip.left + m_nThickness;
        m_rcRest.SetRect(rcStrip.right, rcLayout.top, rcLayout.right, rcLayout.bottom);
        break;
    default:
        rcStrip.right -= nOuter;
        rcStrip.left = rcStrip.right - m_nThickness;
        m_rcRest.SetRect(rcLayout.left, rcLayout.top, rcStrip.left, rcLayout.bottom);
        break;
    }
    m_rcBand = rcStrip;
    if (IsHorizontal())
    {
        m_rcBand.left += nBefore;
        m_rcBand.right -= nAfter + nReserved;
        if (m_rcBand.right < m_rcBand.left)
            m_rcBand.right = m_rcBand.left;
    }
    else
    {
        m_rcBand.top += nBefore;
        m_rcBand.bottom -= nAfter + nReserved;
        if (m_rcBand.bottom < m_rcBand.top)
            m_rcBand.bottom = m_rcBand.top;
    }
    return rcStrip;
}

// Gives every shown item an equal share of the band (6 at least), marks the items that
// lose length as shortened, and sets the scroll range anew.
void CExtTabWnd::EqualizeItemExtents(std::vector<int>& extents, int nBand)
{
    const int nCount = GetItemCount();
    int nEach = nBand / m_nVisibleCount;
    if (nEach <= 6)
        nEach = 6;
    for (int i = 0; i < nCount; i++)
    {
        TAB_ITEM_INFO* pItem = m_arrItems[i];
        pItem->m_nItemFlags &= ~1;
        if (!pItem->IsVisible())
            continue;
        if (extents[i] > nEach)
        {
            pItem->m_nItemFlags |= 1;
            m_nState |= STATE_SHORTENED;
        }
        extents[i] = nEach;
    }
    m_nBandTotal = nEach * m_nVisibleCount;
    m_nScrollRange = std::max(m_nBandTotal - nBand, 0);
    m_nScrollPos = std::max(0, std::min(m_nScrollPos, m_nScrollRange));
}

// Places the strip's buttons from the far end inward: close, item list, help, then next and
// previous unless the items share the band or auto-hidden scroll buttons have nothing to do.
void CExtTabWnd::PlaceStripButtons(const CRect& rcStrip, int nAfter, const CSize& sizeBtn,
                                   bool bEqual)
{
    const bool bHorz = IsHorizontal();
    const int B = bHorz ? sizeBtn.cx : sizeBtn.cy;
    // buttons from the far end inward
    int nFar = bHorz ? rcStrip.right - nAfter : rcStrip.bottom - nAfter;
    auto placeButton = [&](CRect& rcBtn) {
        if (bHorz)
        {
            int nTop = rcStrip.top + (rcStrip.Height() - sizeBtn.cy) / 2 - 2;
            rcBtn.SetRect(nFar - sizeBtn.cx, nTop, nFar, nTop + sizeBtn.cy);
        }
        else
        {
            int nLeft = rcStrip.left + (rcStrip.Width() - sizeBtn.cx) / 2 - 2;
            rcBtn.SetRect(nLeft, nFar - sizeBtn.cy, nLeft + sizeBtn.cx, nFar);
        }
        nFar -= B + 2;
    };
    if (m_dwTabStyle & __ETWS_SHOW_BTN_CLOSE)
        placeButton(m_rcBtnClose);
    if (m_dwTabStyle & __ETWS_SHOW_BTN_TAB_LIST)
        placeButton(m_rcBtnList);
    if (m_dwTabStyle & __ETWS_SHOW_BTN_HELP)
        placeButton(m_rcBtnHelp);
    if (!bEqual && !((m_dwTabStyle & __ETWS_AUTOHIDE_SCROLL) && m_nScrollRange == 0))
    {
        placeButton(m_rcBtnNext);
        placeButton(m_rcBtnPrev);
    }
}

// Lays the items end to end in band coordinates (a gap before each group but the first)
// and notes the first and last item that show at the scroll position.
void CExtTabWnd::PlaceItems(const std::vector<int>& extents, int nBand, bool bGrouped)
{
    const bool bHorz = IsHorizontal();
    const int nCount = GetItemCount();
    int nPos = 0;
    bool bFirst = true;
    for (int i = 0; i < nCount; i++)
    {
        TAB_ITEM_INFO* pItem = m_arrItems[i];
        if (!pItem->IsVisible())
        {
            pItem->m_rc.SetRectEmpty();
            continue;
        }
        if (bGrouped && pItem->IsGroupStart() && !bFirst)
            nPos += GROUP_GAP;
        bFirst = false;
        if (bHorz)
            pItem->m_rc.SetRect(nPos, 0, nPos + extents[i], m_nThickness);
        else
            pItem->m_rc.SetRect(0, nPos, m_nThickness, nPos + extents[i]);
        nPos += extents[i];
        int nStart = (bHorz ? pItem->m_rc.left : pItem->m_rc.top) - m_nScrollPos;
        int nEnd = (bHorz ? pItem->m_rc.right : pItem->m_rc.bottom) - m_nScrollPos;
        if (m_nFirstVisible < 0 && nEnd >= 0)
            m_nFirstVisible = i;
        if (nStart <= nBand + 8)
            m_nLastVisible = i;
    }
    if (m_nFirstVisible < 0 || m_nLastVisible < 0)
        m_nFirstVisible = m_nLastVisible = -1;
    else if (m_nLastVisible < m_nFirstVisible)
        m_nLastVisible = m_nFirstVisible;
}

CRect CExtTabWnd::GetItemClientRect(int nIndex) const
{
    TAB_ITEM_INFO* pItem = GetItem(nIndex);
    if (pItem == NULL || !pItem->IsVisible())
        return CRect(0, 0, 0, 0);
    CRect rc = pItem->m_rc;
    if (IsHorizontal())
        rc.OffsetRect(m_rcBand.left - m_nScrollPos, m_rcBand.top);
    else
        rc.OffsetRect(m_rcBand.left, m_rcBand.top - m_nScrollPos);
    return rc;
}

CRect CExtTabWnd::GetButtonRect(int nHitCode) const
{
    switch (nHitCode)
    {
    case HT_BTN_PREV: return m_rcBtnPrev;
    case HT_BTN_NEXT: return m_rcBtnNext;
    case HT_BTN_HELP: return m_rcBtnHelp;
    case HT_BTN_CLOSE: return m_rcBtnClose;
    case HT_BTN_LIST: return m_rcBtnList;
    }
    return CRect(0, 0, 0, 0);
}

// The item or button under the client point, else one of the negative codes of the header.
int CExtTabWnd::HitTest(CPoint pt)
{
    if (m_hWnd == NULL)
        return HT_NOWHERE;
    RecalcLayout();
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(pt))
        return HT_NOWHERE;
    if (m_rcRest.PtInRect(pt))
        return HT_CLIENT;
    for (int nCode = HT_BTN_PREV; nCode >= HT_BTN_LIST; nCode--)
        if (GetButtonRect(nCode).PtInRect(pt))
            return nCode;
    if (!m_rcBand.PtInRect(pt))
        return HT_NOWHERE;
    if (m_nVisibleCount == 0 || m_nFirstVisible < 0)
        return HT_STRIP;
    for (int i = m_nFirstVisible; i <= m_nLastVisible; i++)
    {
        if (!m_arrItems[i]->IsVisible())
            continue;
        if (GetItemClientRect(i).PtInRect(pt))
            return i;
    }
    return HT_STRIP;
}

int CExtTabWnd::ItemFromScreenPoint(CPoint ptScreen)
{
    if (m_hWnd == NULL)
        return -1;
    ScreenToClient(&ptScreen);
    int n = HitTest(ptScreen);
    return n >= 0 ? n : -1;
}
