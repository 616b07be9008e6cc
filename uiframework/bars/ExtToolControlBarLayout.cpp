// ExtToolControlBarLayout.cpp - CExtToolControlBar: measuring, wrapping and placing the
// buttons, and the bar's size in each layout state.

#include "ExtToolControlBar.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"

#include <algorithm>
#include <vector>

namespace
{
int Along(const CSize& s, bool bHorz) { return bHorz ? s.cx : s.cy; }
int Across(const CSize& s, bool bHorz) { return bHorz ? s.cy : s.cx; }
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Layout

// Takes a docked bar's non-client frame (borders and gripper) out of rc; a floating one has none.
void CExtToolControlBar::AdjustInsideRect(RECT& rc, BOOL bHorz) const
{
    // the non-client frame of a docked bar: the paint manager's borders and the gripper
    if (m_pDockBar == NULL || IsFloating())
        return;
    if (bHorz)
        ::InflateRect(&rc, -3, -1);
    else
        ::InflateRect(&rc, -1, -3);
    if (m_dwStyle & CBRS_GRIPPER)
    {
        if (bHorz)
            rc.left += m_nCaptionWidth + 1;
        else
            rc.top += m_nCaptionHeight + 1;
    }
}

int CExtToolControlBar::AvailableDockedLength(bool bHorz) const
{
    if (m_pDockBar == NULL || IsFloating() || m_nStateAsked >= 0)
        return 0;
    CRect rc = m_pDockBar->m_rectLayout;
    if (rc.IsRectEmpty())
    {
        CWnd* pParent = m_pDockBar->GetParent();
        if (pParent == NULL)
            return 0;
        pParent->GetClientRect(&rc);
    }
    return bHorz ? rc.Width() : rc.Height();
}

// The size the buttons take as now wrapped, with the borders and a docked row's chevron room.
CSize CExtToolControlBar::MeasureButtons(BOOL bVertical)
{
    int nState = GetLayoutState();
    bool bOneLine = nState != 2 && !m_bFixedWrapping && !IsDockedMultiLine();
    bool bMulti = IsDockedMultiLine() != FALSE;
    int nSpacing = g_CurrentPaintManager->GetToolBarRowSpacing(this);
    CSize sizeDefault = GetDefaultButtonSize();
    CClientDC dc(m_hWnd != NULL ? this : NULL);
    CFont* pOldFont = dc.SelectObject(GetButtonFont(bVertical));
    bool bHorz = !bVertical;
    int nLongest = 0, nThickSum = 0, nLines = 0;
    int nLine = 0, nLineThick = 0;
    bool bLineHasButton = false;
    int nCount = GetButtonCount();
    for (int i = 0; i < nCount; i++)
    {
        CExtBarButton* pTBB = m_arrButtons[i];
        if (pTBB == m_pExpandButton)
            continue;
        if (pTBB->GetStyle() & CExtBarButton::BS_HIDDEN)
            continue;
        CExtBarButton* pNext = GetButton(i + 1);
        if (pTBB->IsSeparator() && pNext != NULL &&
            (pNext->GetStyle() & CExtBarButton::BS_HIDDEN))
            continue;
        CSize size = pTBB->CalcSize(dc, sizeDefault, bHorz);
        if (!(pTBB->IsSeparator() && !bLineHasButton))
            nLine += Along(size, bHorz);
        nLineThick = std::max(nLineThick, Across(size, bHorz));
        bLineHasButton = true;
        if (!bOneLine && pTBB->IsWrap(nState))
        {
            nLongest = std::max(nLongest, nLine);
            nThickSum += nLineThick;
            nLines++;
            nLine = nLineThick = 0;
            bLineHasButton = false;
        }
    }
    if (bLineHasButton || nLines == 0)
    {
        nLongest = std::max(nLongest, nLine);
        nThickSum += nLineThick;
        nLines++;
    }
    if (nLines > 1)
        nThickSum += (nLines - 1) * nSpacing;
    dc.SelectObject(pOldFont);
    if (nState != 2 && m_pExpandButton != NULL && (bMulti || !m_bFixedWrapping))
    {
        // the docked row keeps the chevron's room at its end
        CSize sizeExtent(0, 0);
        g_CurrentPaintManager->GetBarButtonExtent(&sizeExtent);
        nLongest += 11 + Along(sizeExtent, bHorz);
    }
    if (nState != 2 && nLines > 1)
        m_bWrappedInRow = true;
    CSize size = bHorz ? CSize(nLongest, nThickSum) : CSize(nThickSum, nLongest);
    // along the row: the borders at both ends and the row spacing (half of it horizontally)
    if (bVertical)
        size.cy += m_cyTopBorder + m_cyBottomBorder + nSpacing;
    else
        size.cx += m_cxLeftBorder + m_cxRightBorder + nSpacing / 2;
    if (bOneLine)
    {
        // a docked single line is centred in the whole thickness of the client area
        if (bVertical)
            size.cx += 1;
    }
    else
    {
        // lines start inside the near border and one pixel further in (fixed wrapping adds
        // 2 more); the far border follows the last line
        int nAcross = 1 + (m_bFixedWrapping ? 2 : 0);
        if (bHorz)
            size.cy += m_cyTopBorder + m_cyBottomBorder + nAcross;
        else
            size.cx += m_cxLeftBorder + m_cxRightBorder + nAcross;
        // a floating bar keeps one pixel more along its lines
        if (nState == 2 && IsFloating())
            size.cx += 1;
    }
    // the paint manager's offset of every button
    CSize sizeExtra(0, 0);
    g_CurrentPaintManager->GetToolBarExtraSize(&sizeExtra);
    size += sizeExtra;
    return size;
}

// Sets the wrap marks so no line runs past the limit (cx across, cy down); returns the lines.
int CExtToolControlBar::WrapButtons(int cx, int cy)
{
    int nState = GetLayoutState();
    bool bHorz = IsHorizontalLayout();
    int nLimit = bHorz ? cx : cy;
    bool bBreaks = nState == 2 || IsDockedMultiLine() || cy == 0x7FFF;
    CSize sizeDefault = GetDefaultButtonSize();
    CClientDC dc(m_hWnd != NULL ? this : NULL);
    CFont* pOldFont = dc.SelectObject(GetButtonFont(!bHorz));
    int nLines = 1, nLine = 0;
    CExtBarButton* pPrev = NULL;
    int nCount = GetButtonCount();
    for (int i = 0; i < nCount; i++)
    {
        CExtBarButton* pTBB = m_arrButtons[i];
        if (pTBB == m_pExpandButton || (pTBB->GetStyle() & CExtBarButton::BS_HIDDEN))
            continue;
        CExtBarButton* pNext = GetButton(i + 1);
        if (pTBB->IsSeparator() && pNext != NULL &&
            (pNext->GetStyle() & CExtBarButton::BS_HIDDEN))
            continue;
        if (m_bFixedWrapping)
        {
            if (pTBB->IsWrap(nState))
                nLines++;
            continue;
        }
        pTBB->SetWrap(nState, FALSE);
        CSize size = pTBB->CalcSize(dc, sizeDefault, bHorz);
        int nLen = Along(size, bHorz);
        if (pTBB->IsSeparator() && nLine == 0)
            nLen = 0;
        if (bBreaks && !pTBB->IsSeparator() && pPrev != NULL && nLine > 0 &&
            nLine + nLen > nLimit)
        {
            pPrev->SetWrap(nState, TRUE);
            nLines++;
            nLine = 0;
        }
        nLine += nLen;
        pPrev = pTBB;
    }
    dc.SelectObject(pOldFont);
    return nLines;
}

int CExtToolControlBar::FitButtonsToLength(int nLength)
{
    return IsHorizontalLayout() ? WrapButtons(nLength, 0x7FFF) : WrapButtons(0x7FFF, nLength);
}

// Wraps for a wanted length; a floating bar by width takes the narrowest width of as few lines.
void CExtToolControlBar::ApplyWrapping(int nLength, BOOL bByHeight)
{
    if (m_bFixedWrapping || GetButtonCount() == 0)
        return;
    int nState = GetLayoutState();
    if (nState != 2 && !IsDockedMultiLine())
    {
        if (bByHeight)
            WrapButtons(0x7FFF, nLength);
        else
            WrapButtons(nLength, 0x7FFF);
        return;
    }
    CSize sizeDefault = GetDefaultButtonSize();
    if (nState != 2)
    {
        // a multi-line docked bar
        if (bByHeight)
        {
            int n = std::max((int)sizeDefault.cy, nLength - (int)sizeDefault.cy);
            FitButtonsToLength(n);
            while (MeasureButtons(!IsHorizontalLayout()).cy > nLength && n > sizeDefault.cy)
            {
                n -= sizeDefault.cy / 2;
                FitButtonsToLength(n);
            }
        }
        else
            WrapButtons(nLength, 0x7FFF);
        return;
    }
    if (!bByHeight)
    {
        int nLo = sizeDefault.cx / 2;
        int nLinesHi = WrapButtons(nLength, 0x7FFF);
        int nLinesLo = WrapButtons(nLo, 0x7FFF);
        if (nLinesLo != nLinesHi && nLo < nLength)
        {
            int lo = nLo, hi = nLength;
            while (hi - lo > 1)
            {
                int mid = (lo + hi) / 2;
                if (WrapButtons(mid, 0x7FFF) <= nLinesHi)
                    hi = mid;
                else
                    lo = mid;
            }
            WrapButtons(hi, 0x7FFF);
        }
        CSize size = MeasureButtons(FALSE);
        WrapButtons(size.cx - m_cxLeftBorder - m_cxRightBorder -
                        g_CurrentPaintManager->GetToolBarRowSpacing(this) / 2,
                    0x7FFF);
        return;
    }
    int nStep = std::max(1, (int)sizeDefault.cx / 2);
    CRect rcWork(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    int n = nStep;
    for (;;)
    {
        WrapButtons(n, 0x7FFF);
        if (MeasureButtons(FALSE).cy <= nLength || n > rcWork.Width())
            break;
        n += nStep;
    }
}

// The size of the docked bar laid out for layout state nState (the other side); every size
// and mark the measuring touched is put back.
CSize CExtToolControlBar::CalcSizeOnOtherSide(int nState)
{
    const CSize sizeDockedH = m_sizeDockedH, sizeDockedV = m_sizeDockedV;
    const bool bWrappedInRow = m_bWrappedInRow;
    const bool bLaidOut = m_pExpandButton != NULL && m_pExpandButton->m_bLaidOut;
    m_nStateAsked = nState;
    CSize size = CalcLayoutSize(nState == 0 ? LM_HORZ : 0, -1);
    m_nStateAsked = -1;
    // the buttons measured again for the side the bar is on
    MeasureButtons(!IsHorizontalLayout());
    m_sizeDockedH = sizeDockedH;
    m_sizeDockedV = sizeDockedV;
    m_bWrappedInRow = bWrappedInRow;
    if (m_pExpandButton != NULL)
        m_pExpandButton->m_bLaidOut = bLaidOut;
    return size;
}

// Wraps and measures for the mode, keeps a docked row within its room and stores the size.
CSize CExtToolControlBar::CalcLayoutSize(DWORD dwMode, int nLength)
{
    int nState = GetLayoutState();
    const bool bEmpty = GetButtonCount() == 0 || (GetButtonCount() == 1 && m_pExpandButton != NULL);
    if (nState != 2 && m_nStateAsked < 0 && nLength < 0 && !bEmpty &&
        (dwMode & (LM_MRUWIDTH | LM_COMMIT)) == 0)
    {
        // a docked bar asked for its size on a side of the other orientation
        bool bHorzAsked = (dwMode & (LM_HORZ | LM_HORZDOCK)) != 0 && (dwMode & LM_VERTDOCK) == 0;
        if (bHorzAsked != (nState == 0))
            return CalcSizeOnOtherSide(bHorzAsked ? 0 : 1);
    }
    if (!m_bInNestedLayout)
        m_bWrappedInRow = false;
    CSize sizeDefault = GetDefaultButtonSize();
    if (bEmpty)
        return sizeDefault;
    if (m_pExpandButton != NULL)
        m_pExpandButton->m_bLaidOut = true;
    bool bHorzLayout = nState == 2 || nState == 0;
    int nWanted = 0;
    bool bByHeight = false;
    if (m_dwStyle & CBRS_SIZE_DYNAMIC)
    {
        if (dwMode & LM_MRUWIDTH)
            nWanted = (int)m_nMRUWidth;
        else if (dwMode & LM_HORZDOCK)
            nWanted = 0x7FFF;
        else if (dwMode & LM_VERTDOCK)
            nWanted = 0;
        else if (nLength >= 0)
        {
            CRect rcInside(0, 0, 0, 0);
            AdjustInsideRect(rcInside, (dwMode & LM_HORZ) != 0);
            bByHeight = (dwMode & LM_LENGTHY) != 0;
            // the length of the window less its non-client frame
            nWanted = nLength - (bByHeight ? rcInside.top - rcInside.bottom
                                           : rcInside.left - rcInside.right);
        }
        else if (m_dwStyle & CBRS_FLOATING)
            nWanted = (int)m_nMRUWidth;
        else
            nWanted = (dwMode & LM_HORZ) ? 0x7FFF : 0;
    }
    else
        nWanted = (dwMode & LM_HORZ) ? 0x7FFF : 0;
    if (!bHorzLayout && nState != 2 && !bByHeight)
    {
        // a vertical docked bar is wrapped by height: a multi-line one within the frame's
        // height less the reserve, its non-client frame and its borders
        bByHeight = TRUE;
        nWanted = 0x7FFF;
        int nAvail = IsDockedMultiLine() ? AvailableDockedLength(false) : 0;
        if (nAvail > 0)
        {
            CRect rcInside(0, 0, 0, 0);
            AdjustInsideRect(rcInside, FALSE);
            nWanted = std::max(1, nAvail - 6 - (int)(rcInside.top - rcInside.bottom) -
                                      m_cyTopBorder - m_cyBottomBorder);
        }
    }
    ApplyWrapping(nWanted, bByHeight);
    CSize size = MeasureButtons(!bHorzLayout);
    if (m_pExpandButton != NULL && m_pExpandButton->m_arrHiddenButtons.GetSize() == 0)
        m_pExpandButton->m_bLaidOut = false;
    if ((dwMode & LM_COMMIT) && ((m_dwStyle & CBRS_SIZE_DYNAMIC) || nState == 2))
        m_nMRUWidth = (UINT)size.cx;
    CRect rcInside(0, 0, 0, 0);
    AdjustInsideRect(rcInside, bHorzLayout);
    size.cx += rcInside.left - rcInside.right;
    size.cy += rcInside.top - rcInside.bottom;
    if (nState != 2 && !IsDockedMultiLine())
    {
        // a docked row gives no more than its room: the rest goes to the chevron
        int nAvail = AvailableDockedLength(bHorzLayout);
        if (nAvail > 0)
        {
            CSize sizeMin = GetMinDockedSize();
            int nMin = bHorzLayout ? sizeMin.cx : sizeMin.cy;
            if (bHorzLayout)
                size.cx = std::max(nMin, std::min((int)size.cx, nAvail));
            else
                size.cy = std::max(nMin, std::min((int)size.cy, nAvail));
        }
    }
    if (nState == 2)
    {
        size.cx = std::max((int)size.cx, 2 * (int)sizeDefault.cx);
        m_sizeFloated = size;
    }
    else if (bHorzLayout)
        m_sizeDockedH = size;
    else
        m_sizeDockedV = size;
    if (m_pDockSite == NULL && m_hWnd != NULL)
    {
        if (bHorzLayout)
            size.cy += 4;
        else
            size.cx += 4;
    }
    return size;
}

// The least a docked bar shrinks to: its smallest button, the chevron's room and the frame.
CSize CExtToolControlBar::GetMinDockedSize()
{
    bool bHorz = IsHorizontalLayout();
    CSize sizeDefault = GetDefaultButtonSize();
    int nSmallest = 0x7FFF;
    for (int i = 0; i < GetButtonCount(); i++)
    {
        CExtBarButton* pTBB = m_arrButtons[i];
        if (pTBB == m_pExpandButton || pTBB->IsSeparator() ||
            (pTBB->GetStyle() & CExtBarButton::BS_HIDDEN))
            continue;
        CSize size = pTBB->GetSize();
        if (size.cx == 0)
            size = sizeDefault;
        nSmallest = std::min(nSmallest, Along(size, bHorz));
    }
    if (nSmallest == 0x7FFF)
        nSmallest = Along(sizeDefault, bHorz);
    CRect rcInside(0, 0, 0, 0);
    AdjustInsideRect(rcInside, bHorz);
    int nAlong = 11 + nSmallest + m_cxLeftBorder + m_cxRightBorder +
                 (bHorz ? rcInside.left - rcInside.right : rcInside.top - rcInside.bottom);
    return bHorz ? CSize(nAlong, sizeDefault.cy) : CSize(sizeDefault.cx, nAlong);
}

bool CExtToolControlBar::IsWrappable() const
{
    return m_pExpandButton != NULL && !m_bFixedWrapping && !IsDockedMultiLine();
}

CSize CExtToolControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    DWORD dwMode = (bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0);
    return CalcLayoutSize(dwMode, -1);
}

CSize CExtToolControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (nLength == -1 && (dwMode & (LM_MRUWIDTH | LM_COMMIT)) == 0 &&
        (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0)
        return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
    return CalcLayoutSize(dwMode, nLength);
}

bool CExtToolControlBar::IsFullRowBar() const { return m_bWrappedInRow; }

CExtControlBar::OuterLayoutData_t* CExtToolControlBar::GetOuterLayoutData()
{
    return &m_outerLayout;
}

void CExtToolControlBar::SetOuterLayoutData(const OuterLayoutData_t& data)
{
    m_outerLayout = data;
}

// The refresh after a move records the bar's place and recency in its row. The length the
// bar has while it moves (often that of its old shape or a cramped row) is no length the
// user chose: the wanted lengths stay as they were, so a bar moved into a row with room
// shows all its buttons.
void CExtToolControlBar::SyncOuterLayoutData()
{
    const int nLengthHorz = m_outerLayout.m_nLengthHorz, nLengthVert = m_outerLayout.m_nLengthVert;
    CExtControlBar::SyncOuterLayoutData();
    m_outerLayout.m_nLengthHorz = nLengthHorz;
    m_outerLayout.m_nLengthVert = nLengthVert;
}

// What the steps of RecalcButtonLayout share: the bar's shape, the room along, and each
// button's size and place (along and line) as it is worked out.
struct CExtToolControlBar::ButtonLayout_t
{
    struct Item
    {
        CExtBarButton* p;
        bool bShown;
        CSize size;
        int nPos;   // along
        int nLine;
    };
    CRect rcClient, rcLayout;
    int nState;
    bool bHorz, bMulti, bSingle;
    int nStart, nEnd;
    std::vector<Item> items;
    std::vector<CExtBarButton*> arrHidden;   // in bar order, for the chevron
};

// Places the buttons; a docked row hides what does not fit and lists it in the chevron in order.
void CExtToolControlBar::RecalcButtonLayout()
{
    int nCount = GetButtonCount();
    if (m_hWnd == NULL || nCount == 0)
        return;
    ButtonLayout_t lay;
    GetClientRect(&lay.rcClient);
    lay.rcLayout = lay.rcClient;
    lay.rcLayout.DeflateRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
    lay.nState = GetLayoutState();
    lay.bHorz = IsHorizontalLayout();
    bool bFloatLike = lay.nState == 2 || m_bFixedWrapping;
    lay.bMulti = IsDockedMultiLine() != FALSE;
    lay.bSingle = !bFloatLike && !lay.bMulti;
    int nSpacing = g_CurrentPaintManager->GetToolBarRowSpacing(this);
    CSize sizeDefault = GetDefaultButtonSize();
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetButtonFont(!lay.bHorz));

    lay.nStart = lay.bHorz ? lay.rcLayout.left : lay.rcLayout.top;
    lay.nEnd = lay.bHorz ? lay.rcLayout.right : lay.rcLayout.bottom;
    if (m_pExpandButton != NULL)
        PlaceExpandButton(dc, sizeDefault, bFloatLike, lay);
    MeasureLayoutButtons(dc, sizeDefault, lay);
    if (PlaceButtonsAlong(lay))
        TrimHiddenSeparators(lay);
    PlaceButtonsAcross(nSpacing, lay);
    if (m_pExpandButton != NULL)
        FillChevronList(lay);
    dc.SelectObject(pOldFont);
}

// Puts the chevron at the far end of a docked row and takes its room from the buttons';
// a floating or fixed-wrapped bar has no chevron.
void CExtToolControlBar::PlaceExpandButton(CDC& dc, const CSize& sizeDefault, bool bFloatLike,
                                           ButtonLayout_t& lay)
{
    const bool bHorz = lay.bHorz;
    const CRect& rcLayout = lay.rcLayout;
    CSize size = m_pExpandButton->CalcSize(dc, sizeDefault, bHorz);
    m_pExpandButton->m_arrHiddenButtons.RemoveAll();
    if (bFloatLike)
    {
        m_pExpandButton->SetVisible(FALSE);
        m_pExpandButton->SetRect(CRect(rcLayout.TopLeft(), rcLayout.TopLeft()));
    }
    else
    {
        m_pExpandButton->SetVisible(TRUE);
        m_pExpandButton->SetVertical(!bHorz);
        CRect rc = bHorz ? CRect(rcLayout.right - size.cx, rcLayout.top, rcLayout.right,
                                 rcLayout.bottom)
                         : CRect(rcLayout.left, rcLayout.bottom - size.cy, rcLayout.right,
                                 rcLayout.bottom);
        m_pExpandButton->SetRect(rc);
        CSize sizeExtent(0, 0);
        g_CurrentPaintManager->GetBarButtonExtent(&sizeExtent);
        lay.nEnd -= Along(size, bHorz) + Along(sizeExtent, bHorz);
    }
}

// Lists the buttons (the chevron left out) with their sizes; hidden buttons, a separator
// before a hidden button and separators before the first shown button are not shown.
void CExtToolControlBar::MeasureLayoutButtons(CDC& dc, const CSize& sizeDefault,
                                              ButtonLayout_t& lay)
{
    const int nCount = GetButtonCount();
    bool bAnyShownBefore = false;
    for (int i = 0; i < nCount; i++)
    {
        CExtBarButton* pTBB = m_arrButtons[i];
        if (pTBB == m_pExpandButton)
            continue;
        ButtonLayout_t::Item it = { pTBB, true, CSize(0, 0), 0, 0 };
        if (pTBB->GetStyle() & CExtBarButton::BS_HIDDEN)
            it.bShown = false;
        CExtBarButton* pNext = GetButton(i + 1);
        if (pTBB->IsSeparator() && pNext != NULL && pNext != m_pExpandButton &&
            (pNext->GetStyle() & CExtBarButton::BS_HIDDEN))
            it.bShown = false;
        if (pTBB->IsSeparator() && !bAnyShownBefore)
            it.bShown = false;
        if (it.bShown && !pTBB->IsSeparator())
            bAnyShownBefore = true;
        if (it.bShown)
        {
            pTBB->SetVertical(!lay.bHorz);
            it.size = pTBB->CalcSize(dc, sizeDefault, lay.bHorz);
        }
        lay.items.push_back(it);
    }
}

// Gives each shown button its place along and its line; in a single docked row a button
// that does not fit is hidden (or an earlier longer one makes room for it). True when any
// button was hidden for want of room.
bool CExtToolControlBar::PlaceButtonsAlong(ButtonLayout_t& lay)
{
    std::vector<ButtonLayout_t::Item>& items = lay.items;
    std::vector<CExtBarButton*>& arrHidden = lay.arrHidden;
    const bool bHorz = lay.bHorz, bSingle = lay.bSingle;
    const int nStart = lay.nStart, nEnd = lay.nEnd;
    bool bAnyHidden = false;
    int nPos = nStart, nLine = 0;
    for (size_t k = 0; k < items.size(); k++)
    {
        ButtonLayout_t::Item& it = items[k];
        if (!it.bShown)
            continue;
        int nLen = Along(it.size, bHorz);
        if (it.p->IsSeparator() && nPos == nStart)
            nLen = 0;
        if (bSingle && nPos + nLen > nEnd)
        {
            // an earlier, longer button that frees enough room goes instead (the longest,
            // the nearest of equal ones): this one stays; never for a separator
            const int nOverflow = nPos + nLen - nEnd;
            int nBest = -1, nBestLen = 0;
            for (size_t j = 0; j < k && !it.p->IsSeparator(); j++)
            {
                const ButtonLayout_t::Item& prev = items[j];
                if (!prev.bShown || prev.p->IsSeparator())
                    continue;
                int nPrevLen = Along(prev.size, bHorz);
                if (nPrevLen > nLen && nPrevLen >= nOverflow && nPrevLen >= nBestLen)
                {
                    nBest = (int)j;
                    nBestLen = nPrevLen;
                }
            }
            if (nBest >= 0)
            {
                items[nBest].bShown = false;
                bAnyHidden = true;
                for (size_t j = (size_t)nBest + 1; j < k; j++)
                    if (items[j].bShown)
                        items[j].nPos -= nBestLen;
                nPos -= nBestLen;
                it.nPos = nPos;
                it.nLine = nLine;
                nPos += nLen;
                // the chevron keeps the bar's order
                size_t nAt = 0;
                while (nAt < arrHidden.size() &&
                       GetButtonIndex(arrHidden[nAt]) < GetButtonIndex(items[nBest].p))
                    nAt++;
                arrHidden.insert(arrHidden.begin() + nAt, items[nBest].p);
                continue;
            }
            // no room: hidden and listed by the chevron; later shorter buttons may fit
            it.bShown = false;
            bAnyHidden = true;
            if (!it.p->IsSeparator())
                arrHidden.push_back(it.p);
            continue;
        }
        it.nPos = nPos;
        it.nLine = nLine;
        nPos += nLen;
        if (!bSingle && it.p->IsWrap(lay.nState))
        {
            nLine++;
            nPos = nStart;
        }
    }
    return bAnyHidden;
}

// After buttons were hidden for want of room: no separator at either end of the shown
// buttons, none next to another shown separator across hidden buttons.
void CExtToolControlBar::TrimHiddenSeparators(ButtonLayout_t& lay)
{
    std::vector<ButtonLayout_t::Item>& items = lay.items;
    // no separator at either end of the shown buttons
    int nShift = 0;
    for (size_t k = 0; k < items.size(); k++)
    {
        if (!items[k].bShown)
            continue;
        if (!items[k].p->IsSeparator())
            break;
        items[k].bShown = false;
        nShift += Along(items[k].size, lay.bHorz);
    }
    for (size_t k = items.size(); k-- > 0;)
    {
        if (!items[k].bShown)
            continue;
        if (!items[k].p->IsSeparator())
            break;
        items[k].bShown = false;
    }
    for (size_t k = 0; k < items.size(); k++)
    {
        if (items[k].bShown)
            items[k].nPos -= nShift;
    }
    // a separator between two hidden places is hidden too
    for (size_t k = 0; k < items.size(); k++)
    {
        if (!items[k].bShown || !items[k].p->IsSeparator())
            continue;
        size_t n = k + 1;
        while (n < items.size() && !items[n].bShown)
            n++;
        if (n < items.size() && items[n].p->IsSeparator())
            items[k].bShown = false;
    }
}

// Sizes each line to its thickest button and gives every button its rectangle: centred
// across a single row (separators span it), centred in its line otherwise.
void CExtToolControlBar::PlaceButtonsAcross(int nSpacing, ButtonLayout_t& lay)
{
    std::vector<ButtonLayout_t::Item>& items = lay.items;
    const bool bHorz = lay.bHorz;
    int nLines = 0;
    for (const ButtonLayout_t::Item& it : items)
        if (it.bShown)
            nLines = std::max(nLines, it.nLine + 1);
    std::vector<int> thick(std::max(1, nLines), 0);
    for (const ButtonLayout_t::Item& it : items)
        if (it.bShown)
            thick[it.nLine] = std::max(thick[it.nLine], Across(it.size, bHorz));
    std::vector<int> lineStart(thick.size(), 0);
    int nAcross = bHorz ? lay.rcLayout.top : lay.rcLayout.left;
    for (size_t l = 0; l < thick.size(); l++)
    {
        lineStart[l] = nAcross;
        nAcross += thick[l] + nSpacing;
    }
    int nFullAcross0 = bHorz ? lay.rcClient.top : lay.rcClient.left;
    int nFullAcross1 = bHorz ? lay.rcClient.bottom : lay.rcClient.right;
    CSize sizeExtra(0, 0);
    g_CurrentPaintManager->GetToolBarExtraSize(&sizeExtra);
    if (m_bFixedWrapping)
    {
        if (bHorz)
            sizeExtra.cy += 2;
        else
            sizeExtra.cx += 2;
    }
    for (ButtonLayout_t::Item& it : items)
    {
        it.p->SetVisible(it.bShown);
        if (!it.bShown)
            continue;
        int nLen = Along(it.size, bHorz);
        int nThickLine = thick[it.nLine];
        int a0, a1;
        if (lay.bSingle)
        {
            if (it.p->IsSeparator())
            {
                a0 = nFullAcross0;
                a1 = nFullAcross1;
            }
            else
            {
                int nSize = Across(it.size, bHorz);
                a0 = nFullAcross0 + (nFullAcross1 - nFullAcross0 - nSize) / 2;
                a1 = a0 + nSize;
            }
        }
        else
        {
            if (it.p->IsSeparator())
            {
                a0 = lineStart[it.nLine];
                a1 = a0 + nThickLine + (lay.bMulti ? 1 : 0);
            }
            else
            {
                int nSize = Across(it.size, bHorz);
                a0 = lineStart[it.nLine] + (nThickLine - nSize) / 2 + 1;
                a1 = a0 + nSize;
            }
        }
        CRect rc = bHorz ? CRect(it.nPos, a0, it.nPos + nLen, a1)
                         : CRect(a0, it.nPos, a1, it.nPos + nLen);
        rc.OffsetRect(sizeExtra);
        it.p->SetRect(rc);
    }
}

// Hands the hidden buttons to the chevron in bar order (in a single row a separator of the
// bar stands for a separated gap) and enables the chevron when it has anything to show.
void CExtToolControlBar::FillChevronList(const ButtonLayout_t& lay)
{
    // the chevron's list keeps bar order; separators only between separated buttons
    CArray<CExtBarButton*, CExtBarButton*>& arr = m_pExpandButton->m_arrHiddenButtons;
    for (size_t h = 0; h < lay.arrHidden.size(); h++)
    {
        CExtBarButton* pTBB = lay.arrHidden[h];
        if ((pTBB->GetStyle() & CExtBarButton::BS_HIDDEN) != 0)
            continue;
        if (arr.GetSize() > 0 && lay.bSingle)
        {
            int nPrev = GetButtonIndex(arr[arr.GetSize() - 1]);
            int nCur = GetButtonIndex(pTBB);
            bool bSeparated = false;
            for (int n = nPrev + 1; n < nCur; n++)
            {
                if (m_arrButtons[n]->IsSeparator())
                    bSeparated = true;
            }
            if (nCur != nPrev + 1 && bSeparated)
            {
                // a separator of the bar stands for the gap
                for (int n = nPrev + 1; n < nCur; n++)
                {
                    if (m_arrButtons[n]->IsSeparator())
                    {
                        arr.Add(m_arrButtons[n]);
                        break;
                    }
                }
            }
        }
        arr.Add(pTBB);
    }
    bool bDisable = arr.GetSize() == 0 && (!m_bPanelsMenuInChevron || IsHostedOutsideFrame());
    if (bDisable)
        m_pExpandButton->ModifyStyle(CExtBarButton::BS_DISABLED, 0);
    else
        m_pExpandButton->ModifyStyle(0, CExtBarButton::BS_DISABLED);
}
