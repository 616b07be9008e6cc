// ExtPopupMenuWndLayout.cpp - measuring, layout, window creation, painting and the frames
// of the open animation of the popup menu.

#include "stdafx.h"
#include <algorithm>
#include "ExtPopupMenuWnd.h"
#include "ExtPaintManager.h"
#include "ExtMemoryDC.h"
#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include <stdlib.h>
#include <math.h>

using std::max;
using std::min;

namespace
{

CExtPaintManager* PM()
{
    return g_CurrentPaintManager.GetPaintManager();
}

// A 32-bit top-down DIB section of cx x cy attached to bmp; NULL pixels on failure.
COLORREF* CreateDib32(CBitmap& bmp, int cx, int cy)
{
    bmp.DeleteObject();
    if (cx <= 0 || cy <= 0)
        return NULL;
    BITMAPINFOHEADER bih;
    ::ZeroMemory(&bih, sizeof(bih));
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biWidth = cx;
    bih.biHeight = -cy;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biCompression = BI_RGB;
    bih.biSizeImage = cx * cy;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits,
                                         NULL, 0);
    if (hBitmap == NULL || pBits == NULL)
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return NULL;
    }
    bmp.Attach(hBitmap);
    return (COLORREF*)pBits;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// State and metrics

void CExtPopupMenuWnd::ResetState()
{
    SetupAnimation();
    m_nPopupState &= STATE_KEPT_BY_RESET;
    m_bCombineWithEA = false;
    m_nDyScrollOffset = 0;
    m_dwTrackFlags = 0;
    m_nExpandHoverCounter = 0;
    m_nCurIndex = IDX_NOTHING;
    m_nDelayedFocusItemIndex = IDX_NOTHING;
    m_nLastMousePick = IDX_NOTHING;
    m_nScrollingDirection = 0;
    m_rcScrollTop.SetRectEmpty();
    m_rcScrollBottom.SetRectEmpty();
    m_rcExpandButton.SetRectEmpty();
    m_eCombineAlign = COMBINE_NONE;
    m_pCbPaintCombinedCookie = NULL;
    m_pCbPaintCombinedContent = NULL;
    m_bCbPaintCombinedCookieFlag = false;
}

int CExtPopupMenuWnd::GetBorderSize()
{
    return PM()->GetMenuBorderSize();
}

bool CExtPopupMenuWnd::IsShadowEnabled()
{
    if ((m_dwTrackFlags & TPMX_NO_SHADOWS) != 0)
        return false;
    return CExtPopupBaseWnd::IsShadowEnabled();
}

void CExtPopupMenuWnd::GetContentRect(RECT& rc)
{
    rc = m_rcContent;
}

/////////////////////////////////////////////////////////////////////////////
// Layout

void CExtPopupMenuWnd::ApplyCommonIconArea()
{
    int nIconArea = 22;
    for (int i = 0; i < GetItemCount(); i++)
    {
        const MENUITEMDATA& mi = m_items_all[i];
        if (!mi.IsSeparator())
            nIconArea = max(nIconArea, mi.m_nIconAreaWidth);
    }
    for (int i = 0; i < GetItemCount(); i++)
    {
        MENUITEMDATA& mi = m_items_all[i];
        if (mi.IsButtonStyle())
            continue;
        int nDiff = nIconArea - mi.m_nIconAreaWidth;
        mi.m_nIconAreaWidth = nIconArea;
        if (!mi.IsSeparator())
            mi.m_nWidth += nDiff;
    }
}

// Decides which items show (while collapsed: no rarely used commands, no leading, doubled or
// trailing separators) and sums their size; sub-popups are laid out first.
void CExtPopupMenuWnd::RecalcLayout()
{
    ApplyCommonIconArea();
    m_nPopupState &= ~STATE_HAS_HIDDEN;
    m_sizeFullItems = CSize(0, 0);
    const bool bShowAll = IsExpanded() || (m_dwTrackFlags & TPMX_NO_HIDE_RARELY) != 0;
    int nDisplayed = 0;
    int nPendingSeparator = -1;
    for (int i = 0; i < GetItemCount(); i++)
    {
        MENUITEMDATA& mi = m_items_all[i];
        mi.m_nItemIndex = i;
        bool bDisplayed;
        if (bShowAll)
        {
            if (mi.IsPopup() && mi.m_pWndChild != NULL)
                mi.m_pWndChild->RecalcLayout();
            bDisplayed = true;
        }
        else if (mi.IsPopup())
        {
            if (mi.m_pWndChild != NULL)
                mi.m_pWndChild->RecalcLayout();
            bDisplayed = mi.IsOwnIcon() || mi.m_pWndChild == NULL
                || !mi.m_pWndChild->HasNoSpecialItems();
        }
        else if (mi.IsSeparator())
        {
            bDisplayed = nPendingSeparator < 0 && nDisplayed > 0;
            if (bDisplayed)
                nPendingSeparator = i;
        }
        else if (mi.IsOwnIcon() || mi.m_pCbItemClick != NULL)
            bDisplayed = true;
        else
        {
            CExtCmdItem* pCmdItem = mi.GetCmd();
            bDisplayed = !(pCmdItem != NULL && pCmdItem->IsRarelyUsed());
        }
        mi.SetFlag(ITEM_DISPLAYED, bDisplayed);
        if (bDisplayed)
        {
            nDisplayed++;
            if (!mi.IsSeparator())
                nPendingSeparator = -1;
        }
        if (mi.IsDisplayed())
        {
            m_sizeFullItems.cy += mi.GetMarginTop() + mi.GetMarginBottom() + mi.m_nHeight;
            m_sizeFullItems.cx = max(m_sizeFullItems.cx, (LONG)mi.GetFullWidth());
        }
        else
            m_nPopupState |= STATE_HAS_HIDDEN;
    }
    if (!bShowAll && nPendingSeparator >= 0)
    {
        MENUITEMDATA& mi = m_items_all[nPendingSeparator];
        if (!mi.IsForceDisplayed())
        {
            mi.SetFlag(ITEM_DISPLAYED, false);
            m_sizeFullItems.cy -= mi.GetMarginTop() + mi.GetMarginBottom() + mi.m_nHeight;
            m_nPopupState |= STATE_HAS_HIDDEN;
        }
    }
    if (m_sizeFullItems.cx < 80)
        m_sizeFullItems.cx = 80;
}

CSize CExtPopupMenuWnd::CalcSize()
{
    const int s = GetShadowSize(), b = GetBorderSize();
    int cx = m_sizeFullItems.cx + s + 2 * b + m_nLeftAreaWidth;
    int cy = m_sizeFullItems.cy + s + 2 * b;
    if (HasHiddenItems())
        cy += PM()->GetMenuExpandButtonHeight();
    cx = max(cx, 2 * s + 10);
    cy = max(cy, 2 * s + 10);
    return CSize(cx, cy + 1);
}

// Places the expand button and the two scroll areas inside the content, as far as they show.
void CExtPopupMenuWnd::RecalcItemSizes()
{
    const CRect& C = m_rcContent;
    const int b = GetBorderSize(), e = PM()->GetMenuExpandButtonHeight();
    m_rcExpandButton.SetRectEmpty();
    m_rcScrollTop.SetRectEmpty();
    m_rcScrollBottom.SetRectEmpty();
    if (HasHiddenItems())
    {
        m_rcExpandButton.SetRect(C.left + b + m_nLeftAreaWidth, C.bottom - b - e, C.right - b,
                                 C.bottom - b);
        m_rcExpandButton.OffsetRect(0, -1);
    }
    if (IsScrolling())
    {
        const int nLeft = C.left + b + m_nLeftAreaWidth + 1, nRight = C.right - b - 1;
        m_rcScrollTop.SetRect(nLeft, C.top + b, nRight, C.top + b + e);
        m_rcScrollTop.OffsetRect(0, 1);
        int nBottom = C.bottom - b;
        if (HasHiddenItems())
            nBottom = m_rcExpandButton.top;
        m_rcScrollBottom.SetRect(nLeft, nBottom - e, nRight, nBottom);
        m_rcScrollBottom.OffsetRect(0, -1);
    }
}

int CExtPopupMenuWnd::GetLayoutOverhead()
{
    const int s = GetShadowSize(), b = GetBorderSize();
    int nOverhead = -(s + m_sizeFullItems.cy + 2 * b + m_rcContent.top - m_rcContent.bottom);
    if (HasHiddenItems())
        nOverhead -= PM()->GetMenuExpandButtonHeight();
    return min(nOverhead, 0);
}

// The rectangle of an item, scroll area or the expand button in client coordinates (the item's
// margins left out with bWithInsets); empty for one that is not shown.
void CExtPopupMenuWnd::GetItemRect(int nIndex, RECT& rcOut, bool bWithInsets)
{
    ::SetRectEmpty(&rcOut);
    if (nIndex == IDX_SCROLL_TOP)
    {
        if (IsScrolling())
            rcOut = m_rcScrollTop;
        return;
    }
    if (nIndex == IDX_SCROLL_BOTTOM)
    {
        if (IsScrolling())
            rcOut = m_rcScrollBottom;
        return;
    }
    if (nIndex == IDX_EXPAND)
    {
        if (!HasHiddenItems())
            return;
        CRect rc(m_rcExpandButton);
        if (bWithInsets)
            rc.DeflateRect(1, 0);
        rcOut = rc;
        return;
    }
    if (nIndex < 0 || nIndex >= GetItemCount() || !m_items_all[nIndex].IsDisplayed())
        return;
    const int b = GetBorderSize();
    int nLastDisplayed = -1;
    for (int i = GetItemCount() - 1; i >= 0; i--)
    {
        if (m_items_all[i].IsDisplayed())
        {
            nLastDisplayed = i;
            break;
        }
    }
    int y = b + m_nDyScrollOffset + 1;
    for (int i = 0; i < nIndex; i++)
    {
        const MENUITEMDATA& mi = m_items_all[i];
        if (mi.IsDisplayed())
            y += mi.GetMarginTop() + mi.m_nHeight + mi.GetMarginBottom();
    }
    const MENUITEMDATA& mi = m_items_all[nIndex];
    int nBottomInset = mi.GetMarginBottom();
    if (nIndex == nLastDisplayed && mi.m_nMarginBottom < 0)
        nBottomInset--;
    CRect rc(b, y, b + m_sizeFullItems.cx, y + mi.GetMarginTop() + mi.m_nHeight + nBottomInset);
    if (mi.IsButtonStyle())
        rc.right = rc.left + mi.GetFullWidth();
    if (bWithInsets)
    {
        rc.left += mi.GetMarginLeft();
        rc.right -= mi.GetMarginRight();
        rc.top += mi.GetMarginTop();
        rc.bottom = rc.top + mi.m_nHeight;
    }
    rc.OffsetRect(m_rcContent.left + m_nLeftAreaWidth, m_rcContent.top);
    rcOut = rc;
}

// The edit field of an in-place edit item, client coordinates.
CRect CExtPopupMenuWnd::GetEditRect(int nIndex)
{
    CRect rc(0, 0, 0, 0);
    if (nIndex < 0 || nIndex >= GetItemCount())
        return rc;
    MENUITEMDATA& mi = m_items_all[nIndex];
    if (!mi.IsInplaceEdit() || !mi.IsDisplayed())
        return rc;
    GetItemRect(nIndex, rc, true);
    int nSplit = mi.IsPopup() ? ::GetSystemMetrics(SM_CXHTHUMB) : 0;
    rc.right -= 2 + nSplit;
    rc.left = rc.right - mi.m_nInplaceEditWidth;
    rc.DeflateRect(0, 2);
    return rc;
}

// The item, scroll area or expand button under a client point (IDX_NOTHING for none), telling also
// whether the point is over an in-place edit or its sub-menu split.
int CExtPopupMenuWnd::HitTestItem(CPoint point, bool* pbOverEdit, bool* pbOverSplit)
{
    if (pbOverEdit != NULL)
        *pbOverEdit = false;
    if (pbOverSplit != NULL)
        *pbOverSplit = false;
    if (!m_rcContent.PtInRect(point))
        return IDX_NOTHING;
    if (IsScrolling())
    {
        if (m_nDyScrollOffset != 0 && m_rcScrollTop.PtInRect(point))
            return IDX_SCROLL_TOP;
        if (m_nDyScrollOffset > GetLayoutOverhead() && m_rcScrollBottom.PtInRect(point))
            return IDX_SCROLL_BOTTOM;
    }
    if (HasHiddenItems() && m_rcExpandButton.PtInRect(point))
        return IDX_EXPAND;
    for (int i = 0; i < GetItemCount(); i++)
    {
        if (!m_items_all[i].IsDisplayed())
            continue;
        CRect rc;
        GetItemRect(i, rc, false);
        if (!rc.PtInRect(point))
            continue;
        MENUITEMDATA& mi = m_items_all[i];
        if (mi.IsInplaceEdit())
        {
            CRect rcEdit = GetEditRect(i);
            if (pbOverEdit != NULL && rcEdit.PtInRect(point))
                *pbOverEdit = true;
            if (pbOverSplit != NULL && mi.IsPopup() && point.x >= rcEdit.right + 2)
                *pbOverSplit = true;
        }
        return i;
    }
    return IDX_NOTHING;
}

/////////////////////////////////////////////////////////////////////////////
// Position and window

// Places the popup on screen beside its button or parent item (above a low button, joined to
// it when asked) and sets the content rectangle and window region to match.
CRect CExtPopupMenuWnd::CalcPopupRect(CPoint point, const RECT* pRectExclude)
{
    CRect rcExclude = (pRectExclude != NULL) ? CRect(*pRectExclude)
                                             : CRect(point.x - 3, point.y - 3, point.x + 3,
                                                     point.y + 3);
    bool bFlipped = false;
    for (int nPass = 0; nPass < 8; nPass++)
    {
        m_eCombineAlign = COMBINE_NONE;
        const CRect rcArea = CalcPopupArea(point, rcExclude);

        const CSize size = CalcSize();
        const int s = GetShadowSize(), b = GetBorderSize();
        const int nReserve = m_bCombineWithEA ? 0 : (s + b);

        const int nAlign = ResolvePopupAlign(point, rcExclude, size, nPass);
        CRect rc = FitPopupInArea(point, size, nAlign, rcArea, rcExclude, s, nReserve);

        // a popup below a button at the bottom of the screen opens above it
        if ((m_bCombineWithEA || m_bExcludeAreaGiven) && !bFlipped
            && FlipPopupAbove(rc, rcExclude, rcArea, size, nAlign))
        {
            bFlipped = true;
            point = CPoint(rcExclude.left, rcExclude.top - size.cy);
            continue;
        }

        ClampPopupRect(rc, rcArea);

        if (!m_bCombineWithEA)
        {
            m_rcContent.SetRect(0, 0, rc.Width() - s, rc.Height() - s);
            m_rgnWnd.DeleteObject();
            return rc;
        }
        if (JoinPopupToExclude(rc, rcExclude, s))
            return rc;
    }
    // no suitable place was found: a plain rectangle at the point
    m_bCombineWithEA = false;
    m_eCombineAlign = COMBINE_NONE;
    m_rgnWnd.DeleteObject();
    CSize size = CalcSize();
    const int s = GetShadowSize();
    m_rcContent.SetRect(0, 0, size.cx - s, size.cy - s);
    return CRect(point, size);
}

// The screen area the popup must stay in: the monitor of the exclude rectangle, of the parent
// popup or of the point, its work area unless popups may cover the task bar.
CRect CExtPopupMenuWnd::CalcPopupArea(CPoint point, const CRect& rcExclude)
{
    CExtPaintManager::MonitorInfo_t mi;
    if (m_bExcludeAreaGiven)
        CExtPaintManager::GetMonitorInfoByRect(mi, rcExclude);
    else if (m_pWndParentMenu != NULL && m_pWndParentMenu->GetSafeHwnd() != NULL)
        CExtPaintManager::GetMonitorInfoByWindow(mi, m_pWndParentMenu);
    else
        CExtPaintManager::GetMonitorInfoByPoint(mi, point);
    return g_bPopupsUseWorkArea ? mi.m_rcWorkArea : mi.m_rcMonitor;
}

// The side the popup opens to: its own, else its parent's, else away from the grandparent so
// that a cascade keeps its direction; a sub-menu opening left starts left of its item.
int CExtPopupMenuWnd::ResolvePopupAlign(CPoint& point, const CRect& rcExclude, CSize size,
                                        int nPass)
{
    int nAlign = (int)(m_dwTrackFlags & TPMX_ALIGN_MASK);
    if (m_pWndParentMenu != NULL && nAlign == TPMX_NO_ALIGN && !m_bCombineWithEA)
    {
        int nParentAlign = (int)(m_pWndParentMenu->m_dwTrackFlags & TPMX_ALIGN_MASK);
        if (nParentAlign != TPMX_NO_ALIGN)
            nAlign = nParentAlign;
        else if (m_pWndParentMenu->m_pWndParentMenu != NULL
                 && m_pWndParentMenu->GetSafeHwnd() != NULL
                 && m_pWndParentMenu->m_pWndParentMenu->GetSafeHwnd() != NULL)
        {
            CRect rcParent, rcGrand;
            m_pWndParentMenu->GetWindowRect(&rcParent);
            m_pWndParentMenu->m_pWndParentMenu->GetWindowRect(&rcGrand);
            nAlign = (rcParent.CenterPoint().x < rcGrand.CenterPoint().x)
                ? TPMX_LEFTALIGN : TPMX_RIGHTALIGN;
            if (nAlign == TPMX_LEFTALIGN && m_bExcludeAreaGiven && nPass == 0)
                point.x = rcExclude.left - size.cx;
        }
        m_dwTrackFlags = (m_dwTrackFlags & ~TPMX_ALIGN_MASK) | (DWORD)nAlign;
    }
    return nAlign;
}

// Moves the popup at the point into the area: past the bottom it goes above the exclude
// rectangle (or up by its height), past a side a sub-menu opens on the parent's other side.
CRect CExtPopupMenuWnd::FitPopupInArea(CPoint point, CSize size, int nAlign, const CRect& rcArea,
                                       const CRect& rcExclude, int s, int nReserve)
{
    CRect rc(point, size);
    if (m_bCombineWithEA)
    {
        switch (nAlign)
        {
        case TPMX_BOTTOMALIGN: rc.OffsetRect(0, -1); break;
        case TPMX_RIGHTALIGN: rc.OffsetRect(-1, 0); break;
        case TPMX_TOPALIGN: rc.OffsetRect(0, s + 1); break;
        case TPMX_LEFTALIGN: rc.OffsetRect(s + 1, 0); break;
        default: break;
        }
    }

    // vertical room
    if (rc.bottom > rcArea.bottom)
    {
        if (m_bExcludeAreaGiven)
        {
            int nBottom = rc.top + rcExclude.Height() + nReserve + (m_bCombineWithEA ? s : 0);
            rc.OffsetRect(0, nBottom - rc.bottom);
        }
        if (rc.bottom > rcArea.bottom)
        {
            if (!m_bExcludeAreaGiven)
                rc.OffsetRect(0, -rc.Height());
            else
                rc.OffsetRect(0, rcArea.bottom - rc.bottom);
        }
    }
    if (rc.top < rcArea.top)
        rc.OffsetRect(0, rcArea.top - rc.top);

    // horizontal room
    const bool bSubMenuGiven = m_pWndParentMenu != NULL && m_bExcludeAreaGiven;
    if (rc.right > rcArea.right)
    {
        if (bSubMenuGiven)
            rc.OffsetRect(-(rcExclude.Width() + rc.Width()), 0);
        if (rc.right > rcArea.right)
        {
            if (!m_bExcludeAreaGiven)
                rc.OffsetRect(-rc.Width(), 0);
            else
                rc.OffsetRect(rcArea.right - rc.right, 0);
        }
    }
    if (rc.left < rcArea.left)
    {
        if (bSubMenuGiven)
            rc.OffsetRect(rcExclude.Width() + rc.Width(), 0);
        if (rc.left < rcArea.left)
            rc.OffsetRect(rcArea.left - rc.left, 0);
    }
    return rc;
}

// True when a popup opening down from a button has no room below it: it is switched to open
// upwards, and a popup already on screen is hidden (the root under it repainted) for the move.
bool CExtPopupMenuWnd::FlipPopupAbove(const CRect& rc, const CRect& rcExclude,
                                      const CRect& rcArea, CSize size, int nAlign)
{
    CRect rcTest;
    bool bOverlap = m_bCombineWithEA || rcTest.IntersectRect(&rc, &rcExclude);
    if (!(bOverlap && nAlign == TPMX_BOTTOMALIGN && size.cy >= rcArea.bottom - rcExclude.bottom))
        return false;
    m_dwTrackFlags = (m_dwTrackFlags & ~TPMX_ALIGN_MASK) | TPMX_TOPALIGN;
    if (GetSafeHwnd() != NULL && IsWindowVisible())
    {
        CRect rcWnd;
        GetWindowRect(&rcWnd);
        HideForMove(rcWnd);
        PumpPendingMessages(false);
    }
    else
        KillTrackingTimers();
    return true;
}

// Hides the popup before it moves and repaints the root where the popup lay over it, so that
// the root shows no hole meanwhile; the tracking timers stop.
void CExtPopupMenuWnd::HideForMove(const CRect& rcWnd)
{
    ShowWindow(SW_HIDE);
    CExtPopupMenuWnd* pRoot = GetRootMenu();
    if (pRoot != this && pRoot->GetSafeHwnd() != NULL)
    {
        CRect rcRoot, rcCommon;
        pRoot->GetWindowRect(&rcRoot);
        if (rcCommon.IntersectRect(&rcRoot, &rcWnd))
            pRoot->UpdateWindow();
    }
    KillTrackingTimers();
}

// Keeps the popup inside the area; a top-level popup pushed off its button no longer joins it,
// and one taller than the area scrolls.
void CExtPopupMenuWnd::ClampPopupRect(CRect& rc, const CRect& rcArea)
{
    bool bClamped = false;
    if (rc.right > rcArea.right)
        rc.OffsetRect(rcArea.right - rc.right, 0), bClamped = true;
    if (rc.left < rcArea.left)
        rc.OffsetRect(rcArea.left - rc.left, 0), bClamped = true;
    if (rc.bottom > rcArea.bottom)
        rc.OffsetRect(0, rcArea.bottom - rc.bottom), bClamped = true;
    if (rc.top < rcArea.top)
        rc.OffsetRect(0, rcArea.top - rc.top), bClamped = true;
    if (bClamped && IsTopLevel() && m_bCombineWithEA)
    {
        m_bCombineWithEA = false;
        m_bExcludeAreaGiven = false;
    }
    m_nPopupState &= ~STATE_SCROLLING;
    if (rc.Height() > rcArea.Height())
    {
        rc.top = rcArea.top;
        rc.bottom = rcArea.bottom;
        m_nPopupState |= STATE_SCROLLING;
    }
}

// Joins the popup to the side of the exclude rectangle it touches (rc becomes the bounds of
// both, shaped by the region); false when they do not touch or the region fails.
bool CExtPopupMenuWnd::JoinPopupToExclude(CRect& rc, const CRect& rcExclude, int s)
{
    // joined: the side of the exclude rectangle the popup touches
    if (rc.bottom - (s + 1) == rcExclude.top)
        m_eCombineAlign = COMBINE_BOTTOM;
    else if (rc.top + 1 == rcExclude.bottom)
        m_eCombineAlign = COMBINE_TOP;
    else if (rc.left + 1 == rcExclude.right)
        m_eCombineAlign = COMBINE_LEFT;
    else if (rc.right - (s + 1) == rcExclude.left)
        m_eCombineAlign = COMBINE_RIGHT;
    if (m_eCombineAlign == COMBINE_NONE)
    {
        m_bCombineWithEA = false;
        return false;
    }
    CRect rcExcludeShadow(rcExclude);
    rcExcludeShadow.right += s;
    rcExcludeShadow.bottom += s;
    CRect rcBounds;
    rcBounds.UnionRect(&rc, &rcExcludeShadow);
    CRgn rgnPopup, rgnExclude;
    m_rgnWnd.DeleteObject();
    CRect rcP(rc), rcE(rcExcludeShadow);
    rcP.OffsetRect(-rcBounds.TopLeft());
    rcE.OffsetRect(-rcBounds.TopLeft());
    if (!rgnPopup.CreateRectRgnIndirect(&rcP) || !rgnExclude.CreateRectRgnIndirect(&rcE)
        || !m_rgnWnd.CreateRectRgn(0, 0, 0, 0)
        || m_rgnWnd.CombineRgn(&rgnPopup, &rgnExclude, RGN_OR) == ERROR)
    {
        m_rgnWnd.DeleteObject();
        m_eCombineAlign = COMBINE_NONE;
        m_bCombineWithEA = false;
        return false;
    }
    m_rcContent.SetRect(rcP.left, rcP.top, rcP.right - s, rcP.bottom - s);
    rc = rcBounds;
    return true;
}

// Creates the popup's window where CalcPopupRect places it (topmost unless it continues a tracking)
// and its in-place edits; false when there is no room or no window.
bool CExtPopupMenuWnd::CreatePopupWindow(CWnd* pWndParent)
{
    bool bHadEdits = false;
    for (int i = 0; i < GetItemCount(); i++)
    {
        if (m_items_all[i].m_pWndInplaceEdit != NULL)
            bHadEdits = true;
    }
    DestroyInplaceEdits();
    if (bHadEdits)
        RecalcLayout();
    CRect rcWnd = CalcPopupRect(m_ptTrack, &m_rcExcludeArea);
    if (rcWnd.IsRectEmpty())
        return false;
    LPCTSTR sClass = ::AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(NULL, IDC_ARROW),
                                           (HBRUSH)(COLOR_BTNFACE + 1), NULL);
    DWORD dwExStyle = IsContinuedTracking() ? 0 : WS_EX_TOPMOST;
    HWND hWndOwner = (pWndParent != NULL) ? pWndParent->GetSafeHwnd() : NULL;
    if (!CWnd::CreateEx(dwExStyle, sClass, _T(""), WS_POPUP, rcWnd.left, rcWnd.top,
                        rcWnd.Width(), rcWnd.Height(), hWndOwner, NULL))
        return false;
    RecalcItemSizes();
    if (!IsNotifySuppressed())
        ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    CreateInplaceEdits();
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// Painting

void CExtPopupMenuWnd::PaintItems(HDC hDC, visible_items_t& vis)
{
    vis.RemoveAll();
    const bool bContinued = IsContinuedTracking();
    for (int i = 0; i < GetItemCount(); i++)
    {
        MENUITEMDATA& mi = m_items_all[i];
        if (!mi.IsDisplayed())
            continue;
        VisibleItemDefinition_t vi;
        GetItemRect(i, vi.m_rcItemWithIndents, true);
        GetItemRect(i, vi.m_rcItem, false);
        if (vi.m_rcItemWithIndents.IsRectEmpty() || vi.m_rcItem.IsRectEmpty())
            continue;
        if (hDC != NULL && !::RectVisible(hDC, &vi.m_rcItem))
            continue;
        vi.m_nIndex = i;
        vi.m_nCmdID = mi.m_nCmdID;
        if (mi.IsSeparator())
            vi.m_nFlags |= VisibleItemDefinition_t::VIF_SEPARATOR;
        else if (mi.IsPopup())
        {
            vi.m_nFlags |= VisibleItemDefinition_t::VIF_POPUP;
            if (!bContinued && !mi.IsForceDisplayed() && mi.m_pWndChild != NULL
                && mi.m_pWndChild->HasNoSpecialItems())
                vi.m_nFlags |= VisibleItemDefinition_t::VIF_RARELY_USED;
        }
        else if (mi.m_pCbItemClick == NULL && !bContinued && mi.IsRarelyUsed())
            vi.m_nFlags |= VisibleItemDefinition_t::VIF_RARELY_USED;
        vis.Add(vi);
    }
    const INT_PTR n = vis.GetSize();
    for (INT_PTR i = 0; i < n; i++)
    {
        if (i > 0 && (vis[i - 1].m_nFlags & VisibleItemDefinition_t::VIF_RARELY_USED) != 0)
            vis[i].m_nFlags |= VisibleItemDefinition_t::VIF_RARELY_USED_PREV;
        if (i + 1 < n && (vis[i + 1].m_nFlags & VisibleItemDefinition_t::VIF_RARELY_USED) != 0)
            vis[i].m_nFlags |= VisibleItemDefinition_t::VIF_RARELY_USED_NEXT;
    }
    if (bContinued)
        return;
    for (INT_PTR i = 0; i < n; i++)
    {
        VisibleItemDefinition_t& vi = vis[i];
        const UINT nBoth = VisibleItemDefinition_t::VIF_RARELY_USED_PREV
            | VisibleItemDefinition_t::VIF_RARELY_USED_NEXT;
        if ((vi.m_nFlags & VisibleItemDefinition_t::VIF_SEPARATOR) != 0
            && (vi.m_nFlags & nBoth) == nBoth)
        {
            vi.m_nFlags |= VisibleItemDefinition_t::VIF_RARELY_USED;
            if (i > 0)
                vis[i - 1].m_nFlags |= VisibleItemDefinition_t::VIF_RARELY_USED_NEXT;
            if (i + 1 < n)
                vis[i + 1].m_nFlags |= VisibleItemDefinition_t::VIF_RARELY_USED_PREV;
        }
    }
}

bool CExtPopupMenuWnd::IsChildWindowOpen(const MENUITEMDATA& mi) const
{
    return mi.IsPopup() && mi.m_pWndChild != NULL && mi.m_pWndChild->GetSafeHwnd() != NULL
        && mi.m_pWndChild->IsWindowVisible();
}

// Draws an item through the paint manager, as a push button or a menu row with its edit field,
// toggle look and rarely-used bands.
void CExtPopupMenuWnd::PaintItemDefault(CDC& dc, const MENUITEMDATA& miConst,
                                        const RECT& rcItem, const RECT& rcItemWithIndents,
                                        UINT nVisFlags)
{
    MENUITEMDATA& mi = const_cast<MENUITEMDATA&>(miConst);
    CExtPaintManager* pPM = PM();
    const bool bChildOpen = IsChildWindowOpen(mi);
    if (mi.IsButtonStyle())
    {
        const bool bHot = mi.IsSelected() && !(mi.IsPopup() && bChildOpen);
        CExtPaintManager::PushButtonArgs_t pba(this, true, rcItemWithIndents, mi.GetText(),
                                               mi.GetIconPtr(), true, bHot, bHot, false,
                                               mi.IsEnabled(), true, false, false, 0,
                                               (HFONT)pPM->m_FontNormal.GetSafeHandle(),
                                               mi.IsPopup(), 0, false);
        pPM->DrawPushButton(dc, pba);
        return;
    }
    const bool bRarely = g_bMenuHighlightRarelyUsed
        && (nVisFlags & VisibleItemDefinition_t::VIF_RARELY_USED) != 0;
    const bool bRarelyPrev = g_bMenuHighlightRarelyUsed
        && (nVisFlags & VisibleItemDefinition_t::VIF_RARELY_USED_PREV) != 0;
    const bool bRarelyNext = g_bMenuHighlightRarelyUsed
        && (nVisFlags & VisibleItemDefinition_t::VIF_RARELY_USED_NEXT) != 0;
    CRect rcEdit(0, 0, 0, 0);
    CString strEdit;
    if (mi.IsInplaceEdit())
    {
        rcEdit = GetEditRect(mi.m_nItemIndex >= 0 ? mi.m_nItemIndex : 0);
        strEdit = ((mi.m_nInplaceEditFlags & MENUITEMDATA::EDIT_TEMPORARY_TEXT) != 0)
            ? mi.m_sInplaceEditTemporaryText : *mi.m_pInplaceEditStr;
    }
    CExtPaintManager::MenuItemArgs_t mia(this, rcItem, rcItemWithIndents, mi.m_nIconAreaWidth,
                                         mi.IsSeparator() ? _T("") : (LPCTSTR)mi.GetText(),
                                         mi.IsSeparator() ? _T("") : (LPCTSTR)mi.GetAccelText(),
                                         mi.GetIconPtr(), mi.m_nCmdID, mi.IsPopup(),
                                         mi.IsSelected(), mi.IsChecked(), mi.IsRadio(),
                                         mi.IsIndeterminate(), mi.IsEnabled(), bRarely,
                                         bRarelyPrev, bRarelyNext,
                                         mi.IsInplaceEdit() ? &rcEdit : NULL,
                                         mi.IsInplaceEdit() ? (LPCTSTR)strEdit : NULL,
                                         bChildOpen);
    if (mi.m_pCbItemClick != NULL && !IsNotifySuppressed())
    {
        mia.m_bToggleLook = true;
        mia.m_bTogglePressed = (mi.m_wFlags & ITEM_CLICK_PRESSED) != 0;
    }
    if (mi.IsInplaceEdit() && mi.IsPopup())
        mia.m_bSplitPopup = true;
    pPM->DrawMenuItem(dc, mia);
}

void CExtPopupMenuWnd::DRAWITEMDATA::PaintDefault()
{
    if (m_pPopup == NULL || m_pDC == NULL || m_pItemData == NULL)
        return;
    UINT nVisFlags = 0;
    if ((m_nDrawFlags & DIF_RARELY_USED) != 0)
        nVisFlags |= VisibleItemDefinition_t::VIF_RARELY_USED;
    if ((m_nDrawFlags & DIF_RARELY_USED_PREV) != 0)
        nVisFlags |= VisibleItemDefinition_t::VIF_RARELY_USED_PREV;
    if ((m_nDrawFlags & DIF_RARELY_USED_NEXT) != 0)
        nVisFlags |= VisibleItemDefinition_t::VIF_RARELY_USED_NEXT;
    m_pPopup->PaintItemDefault(*m_pDC, *m_pItemData, m_rcItem, m_rcItemWithIndents, nVisFlags);
}

// One entry of the paint list: owner drawing first when the root asks for it.
void CExtPopupMenuWnd::PaintItem(CDC& dc, const VisibleItemDefinition_t& vi,
                                 const MENUITEMDATA& mi)
{
    CExtPopupMenuWnd* pRoot = GetRootMenu();
    const bool bOwnerDraw = (pRoot->m_dwTrackFlags & TPMX_OWNERDRAW_FIXED) != 0;
    UINT nFlags = bOwnerDraw ? DRAWITEMDATA::DIF_OWNERDRAW : 0;
    if (mi.IsPopup())
        nFlags |= DRAWITEMDATA::DIF_POPUP;
    if (g_bMenuHighlightRarelyUsed)
    {
        if ((vi.m_nFlags & VisibleItemDefinition_t::VIF_RARELY_USED) != 0)
            nFlags |= DRAWITEMDATA::DIF_RARELY_USED;
        if ((vi.m_nFlags & VisibleItemDefinition_t::VIF_RARELY_USED_PREV) != 0)
            nFlags |= DRAWITEMDATA::DIF_RARELY_USED_PREV;
        if ((vi.m_nFlags & VisibleItemDefinition_t::VIF_RARELY_USED_NEXT) != 0)
            nFlags |= DRAWITEMDATA::DIF_RARELY_USED_NEXT;
    }
    if (bOwnerDraw && m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
    {
        DRAWITEMDATA did(&dc, &mi, vi.m_rcItem, vi.m_rcItemWithIndents, this, nFlags);
        if (::SendMessageA(m_hWndCmdReceiver, g_nMsgPopupDrawItem, 0, (LPARAM)&did) != 0)
            return;
    }
    PaintItemDefault(dc, mi, vi.m_rcItem, vi.m_rcItemWithIndents, vi.m_nFlags);
}

// Paints the face, frame, items, expand button, scroll buttons, left area and the joined button,
// through a memory DC when asked; the shadows go straight to the window.
void CExtPopupMenuWnd::PaintContent(CDC& dcPaint, bool bUseMemDC)
{
    CExtPaintManager* pPM = PM();
    CPalette* pOldPalette = NULL;
    const bool bPalette = (dcPaint.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0
        && pPM->m_paletteHalftone.GetSafeHandle() != NULL;
    if (bPalette)
    {
        pOldPalette = dcPaint.SelectPalette(&pPM->m_paletteHalftone, FALSE);
        dcPaint.RealizePalette();
    }
    const CRect rcContent(m_rcContent);
    {
        CExtMemoryDC dcMem;
        CDC* pDC = &dcPaint;
        CPalette* pOldMemPalette = NULL;
        if (bUseMemDC)
        {
            dcMem.SetupSurface(&dcPaint, &rcContent, CExtMemoryDC::MDC_DEFAULT);
            pDC = &dcMem;
            if (bPalette && dcMem.IsMemDC())
            {
                pOldMemPalette = dcMem.SelectPalette(&pPM->m_paletteHalftone, FALSE);
                dcMem.RealizePalette();
            }
        }
        CDC& dc = *pDC;
        CFont* pOldFont = dc.SelectObject(&pPM->m_FontNormal);
        dc.FillSolidRect(&rcContent, pPM->GetMenuFaceColor(this));
        pPM->DrawMenuFrame(dc, rcContent, this);

        const int b = GetBorderSize();
        const int nSaved = dc.SaveDC();
        if (HasHiddenItems())
            dc.ExcludeClipRect(rcContent.left, m_rcExpandButton.top, rcContent.right,
                               m_rcExpandButton.bottom);
        if (IsScrolling())
        {
            if (m_nDyScrollOffset != 0)
                dc.ExcludeClipRect(&m_rcScrollTop);
            if (m_nDyScrollOffset > GetLayoutOverhead())
                dc.ExcludeClipRect(&m_rcScrollBottom);
        }
        dc.ExcludeClipRect(rcContent.left, rcContent.top, rcContent.right, rcContent.top + b);
        dc.ExcludeClipRect(rcContent.left, rcContent.bottom - b, rcContent.right,
                           rcContent.bottom);

        visible_items_t vis;
        PaintItems(dc.GetSafeHdc(), vis);
        int nPrevButtonStyled = -1;
        for (INT_PTR i = 0; i < vis.GetSize(); i++)
        {
            const VisibleItemDefinition_t& vi = vis[i];
            const MENUITEMDATA& mi = m_items_all[vi.m_nIndex];
            if (mi.IsSeparator())
            {
                if (nPrevButtonStyled >= 0)
                    pPM->DrawSeparator(dc, vi.m_rcItem, true, true, this);
                else
                {
                    bool bRarely = g_bMenuHighlightRarelyUsed
                        && (vi.m_nFlags & VisibleItemDefinition_t::VIF_RARELY_USED) != 0;
                    pPM->DrawMenuSeparatorItem(dc, vi.m_rcItem, mi.m_nIconAreaWidth, bRarely,
                                               this);
                }
            }
            else
                PaintItem(dc, vi, mi);
            nPrevButtonStyled = mi.IsButtonStyle() ? vi.m_nIndex : -1;
        }
        dc.RestoreDC(nSaved);

        CPoint ptCursor(-32000, -32000);
        if (GetSafeHwnd() != NULL && ::GetCursorPos(&ptCursor))
            ScreenToClient(&ptCursor);
        if (HasHiddenItems())
        {
            CRect rcExpand;
            GetItemRect(IDX_EXPAND, rcExpand, true);
            pPM->DrawMenuExpandButton(dc, rcExpand, rcExpand.PtInRect(ptCursor) != FALSE,
                                      false, this);
        }
        if (IsScrolling())
        {
            for (int nArea = 0; nArea < 2; nArea++)
            {
                const bool bTop = nArea == 0;
                if (bTop ? m_nDyScrollOffset == 0 : m_nDyScrollOffset <= GetLayoutOverhead())
                    continue;
                const CRect& rcArea = bTop ? m_rcScrollTop : m_rcScrollBottom;
                const bool bPushed = rcArea.PtInRect(ptCursor)
                    && (bTop ? m_nScrollingDirection > 0 : m_nScrollingDirection < 0);
                CExtPaintManager::PushButtonArgs_t pba(
                    this, true, rcArea, bTop ? _T("t") : _T("u"), NULL, true, bPushed, bPushed,
                    false, true, false, false, false, 1,
                    (HFONT)pPM->m_FontMarlett.GetSafeHandle(), false, 0, false);
                pPM->DrawPushButton(dc, pba);
            }
        }
        if (m_nLeftAreaWidth > 0 && m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
        {
            CRect rcLeft(rcContent.left + b, rcContent.top + b,
                         rcContent.left + b + m_nLeftAreaWidth, rcContent.bottom - b);
            DRAWLEFTAREADATA dla(&dc, rcLeft, this);
            ::SendMessageA(m_hWndCmdReceiver, g_nMsgPopupDrawLeftArea, 0, (LPARAM)&dla);
        }
        if (m_bCombineWithEA && m_eCombineAlign != COMBINE_NONE && GetSafeHwnd() != NULL)
        {
            CRect rcExcludeClient(m_rcExcludeArea);
            ScreenToClient(&rcExcludeClient);
            pPM->DrawMenuAttachment(dc, rcExcludeClient, rcContent, m_eCombineAlign, this);
            if (m_pCbPaintCombinedContent != NULL)
                m_pCbPaintCombinedContent(m_pCbPaintCombinedCookie, dc, *this, m_rcExcludeArea,
                                          m_eCombineAlign);
        }
        dc.SelectObject(pOldFont);
        if (pOldMemPalette != NULL)
            dcMem.SelectPalette(pOldMemPalette, FALSE);
    }
    PaintShadows(dcPaint);
    if (pOldPalette != NULL)
        dcPaint.SelectPalette(pOldPalette, FALSE);
}

// Paints the popup's shadow over what lay under it, and that of the joined button beside it.
void CExtPopupMenuWnd::PaintShadows(CDC& dc)
{
    const int s = GetShadowSize();
    if (s <= 0 || !IsShadowEnabled() || GetSafeHwnd() == NULL || !IsWindowVisible())
        return;
    CRect rcContent(m_rcContent);
    // the shadow darkens what lay on the screen before the popup showed
    CDC dcUnder;
    CDC* pDCUnder = SelectScreenUnder(dcUnder, dc) ? &dcUnder : NULL;
    if (m_bCombineWithEA && m_eCombineAlign != COMBINE_NONE)
    {
        CRect rcExclude(m_rcExcludeArea);
        ScreenToClient(&rcExclude);
        int nSaved = dc.SaveDC();
        dc.ExcludeClipRect(&rcContent);
        m_shadowExcludeArea.Paint(&dc, rcExclude, rcExclude, rcContent, s, 75, 100, true, true,
                                  pDCUnder);
        dc.RestoreDC(nSaved);
        nSaved = dc.SaveDC();
        dc.ExcludeClipRect(&rcExclude);
        m_shadowPopup.Paint(&dc, rcContent, rcContent, rcExclude, s, 75, 100, true, true,
                            pDCUnder);
        dc.RestoreDC(nSaved);
        return;
    }
    CRect rcEmpty(0, 0, 0, 0);
    m_shadowPopup.Paint(&dc, rcContent, rcEmpty, rcEmpty, s, 75, 100, true, true, pDCUnder);
}

// Draws the parent's opened item joined to its sub-menu (cookie = the item index).
void CExtPopupMenuWnd::stat_PaintParentItem(LPVOID pCookie, CDC& dc, const CWnd& refWndMenu,
                                            const CRect& rcExcludeArea, int /*eCombineAlign*/)
{
    CExtPopupMenuWnd* pChild = DYNAMIC_DOWNCAST(CExtPopupMenuWnd, (CObject*)&refWndMenu);
    if (pChild == NULL || pChild->m_pWndParentMenu == NULL)
        return;
    CExtPopupMenuWnd* pParent = pChild->m_pWndParentMenu;
    const int nIndex = (int)(INT_PTR)pCookie;
    if (nIndex < 0 || nIndex >= pParent->GetItemCount() || pChild->GetSafeHwnd() == NULL)
        return;
    const MENUITEMDATA& mi = pParent->m_items_all[nIndex];
    CRect rcItem, rcItemWithIndents;
    pParent->GetItemRect(nIndex, rcItem, false);
    pParent->GetItemRect(nIndex, rcItemWithIndents, true);
    CRect rcTarget(rcExcludeArea);
    pChild->ScreenToClient(&rcTarget);
    const CPoint ptShift = rcTarget.TopLeft() - rcItem.TopLeft();
    rcItem.OffsetRect(ptShift);
    rcItemWithIndents.OffsetRect(ptShift);
    const int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&pChild->m_rcContent);
    VisibleItemDefinition_t vi;
    vi.m_nIndex = nIndex;
    vi.m_nCmdID = mi.m_nCmdID;
    vi.m_rcItem = rcItem;
    vi.m_rcItemWithIndents = rcItemWithIndents;
    vi.m_nFlags = VisibleItemDefinition_t::VIF_POPUP;
    pParent->PaintItem(dc, vi, mi);
    dc.RestoreDC(nSaved);
}

bool CExtPopupMenuWnd::HasParentItemPainter()
{
    return m_pCbPaintCombinedContent == stat_PaintParentItem;
}

/////////////////////////////////////////////////////////////////////////////
// Animation frames

void CExtPopupMenuWnd::ReleaseSurfaces()
{
    CExtPopupBaseWnd::ReleaseSurfaces();
    if (GetSafeHwnd() == NULL)
        return;
    Invalidate(FALSE);
    UpdateWindow();
    if (GetSafeHwnd() != NULL && !IsContinuedTracking() && g_TrackingSite.m_pWndRoot != NULL
        && g_TrackingSite.m_pWndAnimation == this)
        SetAsHookTarget();
}

// Makes the frames' bitmaps (the screen under the popup before and after it is drawn); false,
// with the surfaces released, when one cannot be made.
bool CExtPopupMenuWnd::PrepareAnimationSurfaces(CDC& dc, int cx, int cy)
{
    m_pClrSrc = CreateDib32(m_bmpScreenSrc, cx, cy);
    m_pClrDst = CreateDib32(m_bmpScreenDst, cx, cy);
    m_pClrTmp = CreateDib32(m_bmpScreenTmp, cx, cy);
    if (m_pClrSrc == NULL || m_pClrDst == NULL || m_pClrTmp == NULL)
    {
        CExtPopupBaseWnd::ReleaseSurfaces();
        return false;
    }
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dc))
    {
        CExtPopupBaseWnd::ReleaseSurfaces();
        return false;
    }
    // the background of the frames: the screen as it was before the popup showed
    CBitmap* pOld = dcMem.SelectObject(&m_bmpScreenSrc);
    if (!DrawScreenUnder(dcMem, cx, cy))
        dcMem.BitBlt(0, 0, cx, cy, &dc, 0, 0, SRCCOPY);
    dcMem.SelectObject(&m_bmpScreenDst);
    if (!DrawScreenUnder(dcMem, cx, cy))
        dcMem.BitBlt(0, 0, cx, cy, &dc, 0, 0, SRCCOPY);
    PaintContent(dcMem, false);
    dcMem.SelectObject(pOld);
    ::GdiFlush();
    memcpy(m_pClrTmp, m_pClrSrc, sizeof(COLORREF) * cx * cy);
    return true;
}

// Shows the current frame of the opening animation; kinds without frames paint the content at
// once, without flicker.
void CExtPopupMenuWnd::PaintAnimationFrame(CDC& dc)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const int cx = rcClient.Width(), cy = rcClient.Height();
    if (cx <= 0 || cy <= 0)
        return;
    const int nType = m_nAnimationType;
    const bool bDibKind = nType == ANIM_SLIDE || nType == ANIM_SLIDE_DOWN
        || (nType >= ANIM_UNFOLD && nType <= ANIM_HOLES) || nType == ANIM_ONE_TICK
        || nType == ANIM_EXPAND
        || (nType == ANIM_FADE && CExtPaintManager::GetScreenColorDepth() > 8);
    if (!bDibKind)
    {
        // no frames: the content through a compatible bitmap
        CDC dcMem;
        CBitmap bmp;
        if (dcMem.CreateCompatibleDC(&dc) && bmp.CreateCompatibleBitmap(&dc, cx, cy))
        {
            CBitmap* pOld = dcMem.SelectObject(&bmp);
            if (!DrawScreenUnder(dcMem, cx, cy))
                dcMem.BitBlt(0, 0, cx, cy, &dc, 0, 0, SRCCOPY);
            PaintContent(dcMem, false);
            dc.BitBlt(0, 0, cx, cy, &dcMem, 0, 0, SRCCOPY);
            dcMem.SelectObject(pOld);
        }
        return;
    }
    if (m_bmpScreenDst.GetSafeHandle() == NULL && !PrepareAnimationSurfaces(dc, cx, cy))
        return;
    ComposeFrame(dc, cx, cy);
}

// Composes the frame of the current step into m_bmpScreenTmp and shows it.
void CExtPopupMenuWnd::ComposeFrame(CDC& dc, int cx, int cy)
{
    const int t = max(0, min(m_nAnimStep, 100)), p = max(0, min(m_nAnimStepPrev, 100));
    const int nType = m_nAnimationType;
    CDC dcTmp, dcSrc;
    if (!dcTmp.CreateCompatibleDC(&dc) || !dcSrc.CreateCompatibleDC(&dc))
        return;
    CBitmap* pOldTmp = dcTmp.SelectObject(&m_bmpScreenTmp);
    CBitmap* pOldSrc = dcSrc.SelectObject(&m_bmpScreenDst);
    const CRect rcContent(m_rcContent);
    const int s = GetShadowSize();
    CRect rcExclude(0, 0, 0, 0);
    const bool bJoined = m_bCombineWithEA && m_eCombineAlign != COMBINE_NONE;
    if (bJoined)
    {
        rcExclude = m_rcExcludeArea;
        ScreenToClient(&rcExclude);
    }
    const int nSaved = dcTmp.SaveDC();
    if (nType != ANIM_ONE_TICK && nType != ANIM_FADE && bJoined)
    {
        dcTmp.BitBlt(rcExclude.left, rcExclude.top, rcExclude.Width(), rcExclude.Height(),
                     &dcSrc, rcExclude.left, rcExclude.top, SRCCOPY);
        dcTmp.ExcludeClipRect(&rcExclude);
    }
    const int nStretchMode = g_CurrentPaintManager.m_bIsWinNT4OrLater ? HALFTONE : COLORONCOLOR;
    ::GdiFlush();
    AnimFrame_t f = { dcTmp, dcSrc, cx, cy, t, rcContent, nStretchMode };
    switch (nType)
    {
    case ANIM_ONE_TICK:
        memcpy(m_pClrTmp, m_pClrDst, sizeof(COLORREF) * cx * cy);
        break;
    case ANIM_SLIDE:
    case ANIM_SLIDE_DOWN:
        ComposeSlideFrame(f, nType == ANIM_SLIDE);
        break;
    case ANIM_FADE:
        ComposeFadeFrame(cx, cy, t);
        break;
    case ANIM_UNFOLD:
    case ANIM_ROLL:
        ComposeUnfoldFrame(f, nType == ANIM_ROLL);
        break;
    case ANIM_NOISE:
    case ANIM_BLINDS:
    case ANIM_CIRCLES:
    case ANIM_HOLES:
        if (t == p)
            break;
        ComposePatternFrame(nType, cx, cy, t, p, CRect(0, 0, cx - s, cy - s),
                            bJoined ? &rcExclude : NULL);
        break;
    case ANIM_EXPAND:
        ComposeExpandFrame(f);
        break;
    default:
        memcpy(m_pClrTmp, m_pClrDst, sizeof(COLORREF) * cx * cy);
        break;
    }
    dcTmp.RestoreDC(nSaved);
    // the button a joined popup opens from stays drawn in every frame (the kinds above start
    // from a full copy of the background)
    if (nType != ANIM_ONE_TICK && nType != ANIM_FADE && bJoined)
        dcTmp.BitBlt(rcExclude.left, rcExclude.top, rcExclude.Width(), rcExclude.Height(),
                     &dcSrc, rcExclude.left, rcExclude.top, SRCCOPY);
    ::GdiFlush();
    dc.BitBlt(0, 0, cx, cy, &dcTmp, 0, 0, SRCCOPY);
    dcSrc.SelectObject(pOldSrc);
    dcTmp.SelectObject(pOldTmp);
}

// Slides the content in from the side it opens to (bSideways) or from its top or bottom edge.
void CExtPopupMenuWnd::ComposeSlideFrame(AnimFrame_t& f, bool bSideways)
{
    const CRect& rcContent = f.rcContent;
    memcpy(m_pClrTmp, m_pClrSrc, sizeof(COLORREF) * f.cx * f.cy);
    int dx = bSideways ? (100 - f.t) * rcContent.Width() / 100 : 0;
    int dy = (100 - f.t) * rcContent.Height() / 100;
    if (m_eCombineAlign != COMBINE_RIGHT)
        dx = -dx;
    if (m_eCombineAlign != COMBINE_BOTTOM)
        dy = -dy;
    f.dcTmp.IntersectClipRect(&rcContent);
    f.dcTmp.BitBlt(rcContent.left + dx, rcContent.top + dy, rcContent.Width(),
                   rcContent.Height(), &f.dcSrc, rcContent.left, rcContent.top, SRCCOPY);
}

// Blends the screen under the popup into the popup, channel by channel, by the step.
void CExtPopupMenuWnd::ComposeFadeFrame(int cx, int cy, int t)
{
    for (int i = 0; i < cx * cy; i++)
    {
        DWORD a = m_pClrDst[i], b = m_pClrSrc[i];
        DWORD r = 0;
        for (int k = 0; k < 3; k++)
        {
            int ca = (int)((a >> (8 * k)) & 0xFF), cb = (int)((b >> (8 * k)) & 0xFF);
            r |= (DWORD)((ca * t + cb * (100 - t)) / 100) << (8 * k);
        }
        m_pClrTmp[i] = r;
    }
}

// Stretches the content open from the corner at its button: in both directions, or only
// downwards when it rolls (bRoll).
void CExtPopupMenuWnd::ComposeUnfoldFrame(AnimFrame_t& f, bool bRoll)
{
    const CRect& rcContent = f.rcContent;
    memcpy(m_pClrTmp, m_pClrSrc, sizeof(COLORREF) * f.cx * f.cy);
    int w = bRoll ? rcContent.Width() : rcContent.Width() * f.t / 100;
    int h = rcContent.Height() * f.t / 100;
    if (w > 0 && h > 0)
    {
        int x = rcContent.left, y = rcContent.top;
        if (!bRoll && m_eCombineAlign == COMBINE_RIGHT)
            x = rcContent.right - w;
        if (m_eCombineAlign == COMBINE_BOTTOM)
            y = rcContent.bottom - h;
        f.dcTmp.IntersectClipRect(&rcContent);
        f.dcTmp.SetStretchBltMode(f.nStretchMode);
        f.dcTmp.StretchBlt(x, y, w, h, &f.dcSrc, rcContent.left, rcContent.top,
                           rcContent.Width(), rcContent.Height(), SRCCOPY);
    }
}

// Reveals the popup pixel by pixel in a pattern (noise, blinds, circles, holes) over the
// frame so far, leaving the shadow and a joined button alone.
void CExtPopupMenuWnd::ComposePatternFrame(int nType, int cx, int cy, int t, int p,
                                           const CRect& rcShadowFree, const CRect* pRcExclude)
{
    for (int y = 0; y < cy; y++)
    {
        for (int x = 0; x < cx; x++)
        {
            if (!rcShadowFree.PtInRect(CPoint(x, y)))
                continue;
            if (pRcExclude != NULL && pRcExclude->PtInRect(CPoint(x, y)))
                continue;
            const int i = y * cx + x;
            bool bContent;
            if (nType == ANIM_NOISE)
            {
                const int d = t - p;
                if (rand() % d > d / 2 + 1)
                    m_pClrTmp[i] = m_pClrDst[i];
                continue;
            }
            else if (nType == ANIM_BLINDS)
            {
                int yc = y % 32, xc = x % 32;
                bContent = (100 - yc * 100 / 32 < t) || (xc * 100 / 32 < t);
            }
            else
            {
                double dxc = (x % 32) - 16, dyc = (y % 32) - 16;
                double d = sqrt(dxc * dxc + dyc * dyc);
                double r = (nType == ANIM_CIRCLES) ? t * 0.16 : (100 - t) * 0.16;
                bContent = (nType == ANIM_CIRCLES) ? (d < r) : (d >= r);
            }
            m_pClrTmp[i] = bContent ? m_pClrDst[i] : m_pClrSrc[i];
        }
    }
}

// Shows the items stacked from the button's side with the rarely used ones growing by the
// step, as the menu expands to show them; without items the whole content is stretched.
void CExtPopupMenuWnd::ComposeExpandFrame(AnimFrame_t& f)
{
    const CRect& rcContent = f.rcContent;
    CDC& dcTmp = f.dcTmp;
    const int t = f.t;
    memcpy(m_pClrTmp, m_pClrSrc, sizeof(COLORREF) * f.cx * f.cy);
    dcTmp.IntersectClipRect(&rcContent);
    // frame and face first, then the items stacked from the top (or the bottom)
    visible_items_t vis;
    PaintItems(NULL, vis);
    expand_effect_rects_t rects;
    int nTotal = 0;
    for (INT_PTR i = 0; i < vis.GetSize(); i++)
    {
        const VisibleItemDefinition_t& vi = vis[i];
        int h = vi.m_rcItem.Height();
        if ((vi.m_nFlags & VisibleItemDefinition_t::VIF_RARELY_USED) != 0)
            h = h * t / 100;
        CRect rcDst(vi.m_rcItem.left, 0, vi.m_rcItem.right, h);
        ExpandEffectRects_t eer(vi.m_rcItem, rcDst);
        rects.Add(eer);
        nTotal += h;
    }
    if (rects.GetSize() == 0)
    {
        int h = rcContent.Height() * t / 100;
        if (h > 0)
        {
            dcTmp.SetStretchBltMode(f.nStretchMode);
            dcTmp.StretchBlt(rcContent.left, rcContent.top, rcContent.Width(), h, &f.dcSrc,
                             rcContent.left, rcContent.top, rcContent.Width(),
                             rcContent.Height(), SRCCOPY);
        }
        return;
    }
    dcTmp.BitBlt(rcContent.left, rcContent.top, rcContent.Width(), rcContent.Height(),
                 &f.dcSrc, rcContent.left, rcContent.top, SRCCOPY);
    const int yFirst = vis[0].m_rcItem.top;
    int y = (m_eCombineAlign == COMBINE_BOTTOM)
        ? vis[vis.GetSize() - 1].m_rcItem.bottom - nTotal : yFirst;
    const COLORREF clrFace = PM()->GetMenuFaceColor(this);
    CRect rcItems(rcContent.left, yFirst, rcContent.right,
                  vis[vis.GetSize() - 1].m_rcItem.bottom);
    dcTmp.FillSolidRect(&rcItems, clrFace);
    for (INT_PTR i = 0; i < rects.GetSize(); i++)
    {
        ExpandEffectRects_t& r = rects[i];
        const int h = r.m_rcDst.Height();
        r.m_rcDst.top = y;
        r.m_rcDst.bottom = y + h;
        if (h > 0)
        {
            if (h == r.m_rcSrc.Height())
                dcTmp.BitBlt(r.m_rcDst.left, r.m_rcDst.top, r.m_rcDst.Width(), h, &f.dcSrc,
                             r.m_rcSrc.left, r.m_rcSrc.top, SRCCOPY);
            else
            {
                dcTmp.SetStretchBltMode(f.nStretchMode);
                dcTmp.StretchBlt(r.m_rcDst.left, r.m_rcDst.top, r.m_rcDst.Width(), h,
                                 &f.dcSrc, r.m_rcSrc.left, r.m_rcSrc.top, r.m_rcSrc.Width(),
                                 r.m_rcSrc.Height(), SRCCOPY);
            }
        }
        y += h;
    }
}

/////////////////////////////////////////////////////////////////////////////
// The paint manager's question about popup menus

namespace
{

// Icon-area width of the last item of a popup menu; 0 when the source is not a popup, has
// no items or the item is button-styled.
int PopupLastItemIconAreaWidth(CObject* pSource)
{
    CExtPopupMenuWnd* pPopup = DYNAMIC_DOWNCAST(CExtPopupMenuWnd, pSource);
    if (pPopup == NULL || pPopup->GetItemCount() == 0)
        return 0;
    const CExtPopupMenuWnd::MENUITEMDATA& mi = pPopup->GetItemAt(pPopup->GetItemCount() - 1);
    return mi.IsButtonStyle() ? 0 : mi.m_nIconAreaWidth;
}

const bool g_bPopupLinked =
    (CExtPaintManager::g_BarLinks.m_pfnPopupLastItemIconAreaWidth = PopupLastItemIconAreaWidth,
     true);

} // namespace
