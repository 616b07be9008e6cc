// ExtToolControlBar.cpp - CExtToolControlBar: buttons, layout, painting, mouse, tracking,
// command updates.

#include "ExtToolControlBar.h"
#include "uiframework/foundation/ExtCmdManager.h"
#include "uiframework/foundation/ExtCmdItem.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "uiframework/foundation/ExtMemoryDC.h"
#include "afxpriv.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CExtToolControlBar, CExtControlBar)

bool ExtBarsIsOfClassName(const CObject* pObj, LPCSTR lpszName);

BOOL CExtToolControlBar::g_bMenuTracking = FALSE;
BOOL CExtToolControlBar::g_bMenuExpanded = FALSE;
BOOL CExtToolControlBar::g_bLargeButtonIcons = FALSE;
BOOL CExtToolControlBar::g_bButtonTooltips = TRUE;
BOOL CExtToolControlBar::g_bAccelTextInTooltips = FALSE;

namespace
{
const UINT_PTR ID_TIMER_DELAYED_LAYOUT = 0x444;

// Links of the popup menus and the paint manager to the toolbars.
bool LinkIsMenuTracking()
{
    return CExtToolControlBar::g_bMenuTracking != FALSE;
}

void LinkEndAllButtonTracking()
{
    CExtToolControlBar::EndAllButtonTracking();
}

bool LinkIsPointOverTrackedButton(POINT ptScreen)
{
    CSingleLock lock(&CExtControlBar::g_csAllBars, TRUE);
    for (INT_PTR i = 0; i < CExtControlBar::g_arrAllBars.GetSize(); i++)
    {
        CExtToolControlBar* pBar =
            DYNAMIC_DOWNCAST(CExtToolControlBar, CExtControlBar::g_arrAllBars[i]);
        if (pBar == NULL || pBar->m_hWnd == NULL || pBar->GetTrackingIndex() < 0)
            continue;
        CRect rc;
        pBar->GetButtonRect(pBar->GetTrackingIndex(), &rc);
        pBar->ClientToScreen(&rc);
        if (rc.PtInRect(ptScreen))
            return true;
    }
    return false;
}

HWND LinkBarButtonNotifyTarget(CExtBarButton* pTBB)
{
    if (pTBB == NULL || pTBB->GetBar() == NULL)
        return NULL;
    CWnd* pTarget = pTBB->GetCmdTargetWnd();
    return pTarget != NULL ? pTarget->GetSafeHwnd() : NULL;
}

bool LinkIsMenuBar(CExtToolControlBar* pBar)
{
    return pBar != NULL && pBar->IsMenuBar();
}

struct ToolBarLinksInit
{
    ToolBarLinksInit()
    {
        CExtPopupMenuWnd::g_BarLinks.m_pfnIsMenuTracking = LinkIsMenuTracking;
        CExtPopupMenuWnd::g_BarLinks.m_pfnEndAllButtonTracking = LinkEndAllButtonTracking;
        CExtPopupMenuWnd::g_BarLinks.m_pfnIsPointOverTrackedButton = LinkIsPointOverTrackedButton;
        CExtPopupMenuWnd::g_BarLinks.m_pfnBarButtonNotifyTarget = LinkBarButtonNotifyTarget;
        CExtPaintManager::g_BarLinks.m_pfnIsMenuBar = LinkIsMenuBar;
    }
};
const ToolBarLinksInit s_toolBarLinksInit;

int Along(const CSize& s, bool bHorz) { return bHorz ? s.cx : s.cy; }
int Across(const CSize& s, bool bHorz) { return bHorz ? s.cy : s.cx; }
} // namespace

BEGIN_MESSAGE_MAP(CExtToolControlBar, CExtControlBar)
    ON_MESSAGE(WM_LBUTTONDOWN, OnTbLButtonDown)
    ON_MESSAGE(WM_LBUTTONUP, OnTbLButtonUp)
    ON_MESSAGE(WM_LBUTTONDBLCLK, OnTbLButtonDblClk)
    ON_MESSAGE(WM_MOUSEMOVE, OnTbMouseMove)
    ON_MESSAGE(WM_CANCELMODE, OnTbCancelMode)
    ON_MESSAGE(WM_CAPTURECHANGED, OnTbCaptureChanged)
    ON_MESSAGE(WM_SIZE, OnTbSize)
    ON_MESSAGE(WM_WINDOWPOSCHANGED, OnTbWindowPosChanged)
    ON_MESSAGE(WM_TIMER, OnTbTimer)
    ON_MESSAGE(WM_RBUTTONUP, OnTbRButtonUp)
    ON_REGISTERED_MESSAGE(CExtToolControlBar::g_nMsgTrackButtonMenu, OnTrackButtonMenu)
END_MESSAGE_MAP()

CExtToolControlBar::CExtToolControlBar()
    : m_pExpandButton(NULL), m_nTrackingIndex(-1), m_nPressedIndex(-1), m_nHoverIndex(-1),
      m_bPanelsMenuInChevron(true), m_bFixedWrapping(false), m_bWrappedInRow(false),
      m_bInNestedLayout(false)
{
    m_bFixedSize = true;
    m_bCaptionAlwaysHorizontal = false;
    m_bChildFillsClient = false;        // child windows are the buttons' hosted controls
    m_cxLeftBorder = 1;
    m_cxRightBorder = 1;
    m_cxDefaultGap = 10;
    m_cyDefaultGap = 8;
}

CExtToolControlBar::~CExtToolControlBar()
{
    {
        CSingleLock lock(&g_csAllBars, TRUE);
        for (INT_PTR i = 0; i < g_arrAllBars.GetSize(); i++)
        {
            if (g_arrAllBars[i] == this)
            {
                g_arrAllBars.RemoveAt(i);
                break;
            }
        }
    }
    RemoveAllButtons();
}

void CExtToolControlBar::RemoveAllButtons()
{
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++)
        delete m_arrButtons[i];
    m_arrButtons.RemoveAll();
    m_pExpandButton = NULL;
    m_nTrackingIndex = m_nPressedIndex = m_nHoverIndex = -1;
}

/////////////////////////////////////////////////////////////////////////////
// Queries

void CExtToolControlBar::GetButtonRect(int nIndex, RECT* pRect) const
{
    if (pRect == NULL)
        return;
    CExtBarButton* pTBB = GetButton(nIndex);
    if (pTBB == NULL)
    {
        ::SetRectEmpty(pRect);
        return;
    }
    *pRect = pTBB->GetDisplayRect();
}

BOOL CExtToolControlBar::QueryLargeIcons() const { return g_bLargeButtonIcons; }
BOOL CExtToolControlBar::QueryShowTooltips() const { return g_bButtonTooltips; }
BOOL CExtToolControlBar::QueryAccelInTooltips() const { return g_bAccelTextInTooltips; }

CExtBarButton* CExtToolControlBar::CreateButton(UINT nCmdID, UINT nStyle)
{
    return new CExtBarButton(this, nCmdID, nStyle);
}

CExtBarContentExpandButton* CExtToolControlBar::CreateContentExpandButton()
{
    if (m_bFixedWrapping)
        return NULL;
    return new CExtBarContentExpandButton(this);
}

CSize CExtToolControlBar::GetDefaultButtonSize() const { return CSize(23, 22); }

BOOL CExtToolControlBar::IsDockedMultiLine() const
{
    if (m_hWnd == NULL || m_pDockSite == NULL || m_pDockBar == NULL || IsFloating() ||
        m_bFixedWrapping)
        return FALSE;
    return IsButtonInputBlocked() ? TRUE : FALSE;
}

CFont* CExtToolControlBar::GetButtonFont(BOOL bVertical) const
{
    return bVertical ? &g_CurrentPaintManager->m_FontNormalVert
                     : &g_CurrentPaintManager->m_FontNormal;
}

int CExtToolControlBar::GetLayoutState() const
{
    if (m_hWnd == NULL || m_pDockSite == NULL || m_pDockBar == NULL || IsFloating())
        return 2;
    return IsDockedVertically() ? 1 : 0;
}

bool CExtToolControlBar::IsHorizontalLayout() const
{
    if (m_bFixedWrapping || IsFloating() || m_pDockBar == NULL)
        return true;
    return !IsDockedVertically();
}

int CExtToolControlBar::HitTestButton(CPoint point) const
{
    if (m_hWnd == NULL)
        return -1;
    if (::GetCapture() == m_hWnd)
    {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        if (::WindowFromPoint(ptScreen) != m_hWnd)
            return -1;
    }
    int nCount = GetButtonCount();
    for (int i = 0; i < nCount; i++)
    {
        CExtBarButton* pTBB = m_arrButtons[i];
        if (!pTBB->IsVisible() || (pTBB->GetStyle() & CExtBarButton::BS_HIDDEN) ||
            pTBB->IsSeparator())
            continue;
        if (pTBB->GetDisplayRect().PtInRect(point))
            return i;
    }
    return -1;
}

CExtBarButton* CExtToolControlBar::GetButton(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetButtonCount())
        return NULL;
    return m_arrButtons[nIndex];
}

int CExtToolControlBar::GetButtonIndex(const CExtBarButton* pTBB) const
{
    for (int i = 0; i < GetButtonCount(); i++)
    {
        if (m_arrButtons[i] == pTBB)
            return i;
    }
    return -1;
}

UINT CExtToolControlBar::GetButtonID(int nIndex) const
{
    CExtBarButton* pTBB = GetButton(nIndex);
    return pTBB != NULL ? pTBB->GetCmdID(FALSE) : 0;
}

UINT CExtToolControlBar::GetButtonStyle(int nIndex) const
{
    CExtBarButton* pTBB = GetButton(nIndex);
    return pTBB != NULL ? pTBB->GetStyle() : 0;
}

void CExtToolControlBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    CExtBarButton* pTBB = GetButton(nIndex);
    if (pTBB == NULL)
        AfxThrowInvalidArgException();
    if (pTBB->GetStyle() == nStyle)
        return;
    pTBB->SetStyle(nStyle);
    InvalidateButton(nIndex);
}

BOOL CExtToolControlBar::SetButtonMenu(int nIndex, HMENU hMenu, BOOL bSubPopup, BOOL bOwnMenu,
                                       BOOL bRecalc)
{
    CExtBarButton* pTBB = GetButton(nIndex);
    if (pTBB == NULL)
        return FALSE;
    pTBB->SetMenu(hMenu, bSubPopup, bOwnMenu);
    if (bRecalc && m_pDockSite != NULL)
        m_pDockSite->RecalcLayout();
    return TRUE;
}

BOOL CExtToolControlBar::SetButtonAppendMdiWindowsMenu(int nIndex, BOOL bAppend)
{
    CExtBarButton* pTBB = GetButton(nIndex);
    if (pTBB == NULL)
        return FALSE;
    pTBB->SetAppendMdiWindowsMenu(bAppend);
    return TRUE;
}

void CExtToolControlBar::InvalidateButton(int nIndex)
{
    CExtBarButton* pTBB = GetButton(nIndex);
    if (pTBB == NULL || m_hWnd == NULL)
        return;
    CRect rc = pTBB->GetDisplayRect();
    if (pTBB == m_pExpandButton)
    {
        CSize sizeExtent(0, 0);
        g_CurrentPaintManager->GetBarButtonExtent(&sizeExtent);
        rc.InflateRect(sizeExtent);
    }
    InvalidateRect(&rc);
}

/////////////////////////////////////////////////////////////////////////////
// Buttons

BOOL CExtToolControlBar::SetButtons(const UINT* pIDs, int nCount)
{
    RemoveAllButtons();
    if (pIDs == NULL || nCount <= 0)
        return TRUE;
    try
    {
        for (int i = 0; i < nCount; i++)
        {
            CExtBarButton* pTBB = CreateButton(pIDs[i], 0);
            if (pTBB == NULL)
                return FALSE;
            m_arrButtons.Add(pTBB);
        }
        m_pExpandButton = CreateContentExpandButton();
        if (m_pExpandButton != NULL)
            m_arrButtons.Add(m_pExpandButton);
    }
    catch (...)
    {
        return FALSE;
    }
    return TRUE;
}

BOOL CExtToolControlBar::LoadButtonsFromResource(UINT nToolbarResID, COLORREF clrTransparent)
{
    LPCTSTR lpszProfile = g_CmdManagerHolder->FindProfileNameForWindow(GetSafeHwnd());
    UINT* pIDs = NULL;
    int nCount = 0;
    if (!g_CmdManagerHolder->UpdateFromToolBarResource(lpszProfile, nToolbarResID, &pIDs,
                                                        &nCount, false, true, clrTransparent))
        return FALSE;
    BOOL bResult = SetButtons(pIDs, nCount);
    delete[] pIDs;
    return bResult;
}

BOOL CExtToolControlBar::InsertButton(int nPos, UINT nCmdID, BOOL bRecalc)
{
    int nCount = GetButtonCount();
    int nLast = m_pExpandButton != NULL ? nCount - 1 : nCount;
    if (nPos < 0)
        nPos = nLast;
    if (nPos > nCount)
        return FALSE;
    if (nPos > nLast)
        nPos = nLast;
    try
    {
        CExtBarButton* pTBB = CreateButton(nCmdID, 0);
        if (pTBB == NULL)
            return FALSE;
        m_arrButtons.InsertAt(nPos, pTBB);
        if (m_pExpandButton == NULL && !m_bFixedWrapping && GetButtonCount() == 1)
        {
            m_pExpandButton = CreateContentExpandButton();
            if (m_pExpandButton != NULL)
                m_arrButtons.Add(m_pExpandButton);
        }
    }
    catch (...)
    {
        return FALSE;
    }
    if (bRecalc && m_hWnd != NULL)
    {
        if (m_pDockSite != NULL)
            m_pDockSite->RecalcLayout();
        // the bar's size may stay the same: its buttons move all the same
        RecalcButtonLayout();
        Invalidate();
    }
    return TRUE;
}

BOOL CExtToolControlBar::RemoveButton(int nPos, BOOL bRecalc)
{
    CExtBarButton* pTBB = GetButton(nPos);
    if (pTBB == NULL || pTBB == m_pExpandButton)
        return FALSE;
    if (m_pExpandButton != NULL)
    {
        CArray<CExtBarButton*, CExtBarButton*>& arr = m_pExpandButton->m_arrHiddenButtons;
        for (INT_PTR i = arr.GetSize() - 1; i >= 0; i--)
        {
            if (arr[i] == pTBB)
                arr.RemoveAt(i);
        }
    }
    m_arrButtons.RemoveAt(nPos);
    delete pTBB;
    m_nTrackingIndex = m_nPressedIndex = m_nHoverIndex = -1;
    if (bRecalc && m_hWnd != NULL)
    {
        if (m_pDockSite != NULL)
            m_pDockSite->RecalcLayout();
        // the bar's size may stay the same: its buttons move all the same
        RecalcButtonLayout();
        Invalidate();
    }
    return TRUE;
}

void CExtToolControlBar::SetTrackingButton(int nIndex)
{
    CExtBarButton* pOld = GetButton(m_nTrackingIndex);
    if (pOld != NULL)
    {
        pOld->ModifyStyle(0, CExtBarButton::BS_PRESSED | CExtBarButton::BS_CHECKED |
                                 CExtBarButton::BS_INDETERMINATE);
        pOld->UnmarkMenuTracking();
        InvalidateButton(m_nTrackingIndex);
    }
    m_nTrackingIndex = -1;
    CExtBarButton* pNew = GetButton(nIndex);
    if (pNew != NULL)
    {
        pNew->ModifyStyle(CExtBarButton::BS_PRESSED,
                          CExtBarButton::BS_CHECKED | CExtBarButton::BS_INDETERMINATE);
        pNew->MarkMenuTracking();
        m_nTrackingIndex = nIndex;
        InvalidateButton(nIndex);
    }
    if (m_hWnd != NULL)
        UpdateWindow();
}

void CExtToolControlBar::EndAllButtonTracking()
{
    g_bMenuTracking = FALSE;
    {
        CSingleLock lock(&g_csAllBars, TRUE);
        for (INT_PTR i = 0; i < g_arrAllBars.GetSize(); i++)
        {
            CExtToolControlBar* pBar = DYNAMIC_DOWNCAST(CExtToolControlBar, g_arrAllBars[i]);
            if (pBar != NULL && pBar->m_hWnd != NULL && ::IsWindow(pBar->m_hWnd))
                pBar->SetTrackingButton(-1);
        }
    }
    if (g_TrackingSite.m_pWndRoot != NULL && !g_TrackingSite.IsEnding() &&
        g_TrackingSite.m_pWndRoot->GetSafeHwnd() != NULL)
        g_TrackingSite.m_pWndRoot->PostMessage(WM_CANCELMODE);
    CWnd::CancelToolTips();
}

int CExtToolControlBar::FindButtonByMnemonic(TCHAR ch) const
{
    TCHAR chUpper = (TCHAR)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)ch);
    for (int i = 0; i < GetButtonCount(); i++)
    {
        CExtBarButton* pTBB = m_arrButtons[i];
        if (pTBB->IsSeparator() || (pTBB->GetStyle() & CExtBarButton::BS_HIDDEN) ||
            pTBB == m_pExpandButton || !pTBB->IsPlainCommandButton() ||
            ExtBarsIsOfClassName(pTBB, "CExtBarMdiDocButton"))
            continue;
        CString strText;
        pTBB->GetDisplayText(strText);
        int nAmp = -1;
        for (int k = 0; k + 1 < strText.GetLength(); k++)
        {
            if (strText[k] == '&')
            {
                if (strText[k + 1] == '&')
                {
                    k++;
                    continue;
                }
                nAmp = k;
                break;
            }
        }
        if (nAmp < 0)
            continue;
        TCHAR chBtn = (TCHAR)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)strText[nAmp + 1]);
        if (chBtn != chUpper)
            continue;
        if (!pTBB->IsVisible())
            return m_pExpandButton != NULL ? GetButtonIndex(m_pExpandButton) : -1;
        return i;
    }
    return -1;
}

int CExtToolControlBar::GetNextMenuButton(int nIndex, BOOL bNext, BOOL bSkipDisabled) const
{
    int nCount = GetButtonCount();
    if (nCount == 0)
        return -1;
    if (nCount == 1)
        return 0;
    int i = nIndex;
    for (int nStep = 0; nStep < nCount; nStep++)
    {
        i = bNext ? (i + 1) % nCount : (i - 1 + nCount) % nCount;
        if (i == nIndex)
            break;
        CExtBarButton* pTBB = m_arrButtons[i];
        if (!pTBB->IsVisible() || (pTBB->GetStyle() & CExtBarButton::BS_HIDDEN) ||
            pTBB->IsSeparator() || ExtBarsIsOfClassName(pTBB, "CExtBarMdiRightButton"))
            continue;
        if (bSkipDisabled && pTBB->IsDisabled())
            continue;
        return i;
    }
    return nIndex;
}

BOOL CExtToolControlBar::TrackButtonMenu(int nIndex, BOOL bSelectFirst, BOOL bPost,
                                         BOOL bNoAnimation)
{
    if (IsButtonInputBlocked() || m_hWnd == NULL || !IsWindowVisible())
        return FALSE;
    CExtBarButton* pTBB = GetButton(nIndex);
    if (pTBB == NULL || (pTBB->GetStyle() & (CExtBarButton::BS_HIDDEN | CExtBarButton::BS_DISABLED)) ||
        !pTBB->IsMenuButton())
        return FALSE;
    if (g_bMenuTracking && m_nTrackingIndex == nIndex)
        return TRUE;
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (bPost)
        PostMessage(g_nMsgTrackButtonMenu, (WPARAM)nIndex, (LPARAM)bNoAnimation);
    else
        pTBB->TrackButtonPopup(pt, bSelectFirst, bNoAnimation);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Layout

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
    if (m_pDockBar == NULL || IsFloating())
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
    if (bVertical)
    {
        size.cx += 1;
        size.cy += m_cyTopBorder + m_cyBottomBorder + nSpacing;
    }
    else
    {
        size.cx += m_cxLeftBorder + m_cxRightBorder + nSpacing / 2;
    }
    if (nState == 2 && IsFloating())
        size += CSize(1, 1);
    else if (bMulti && nLines > 1)
    {
        // the lines of a wrapped docked bar start one pixel down
        if (bHorz)
            size.cy += 2;
        else
            size.cx += 2;
    }
    return size;
}

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
            while (MeasureButtons(FALSE).cy > nLength && n > sizeDefault.cy)
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

CSize CExtToolControlBar::CalcLayoutSize(DWORD dwMode, int nLength)
{
    if (!m_bInNestedLayout)
        m_bWrappedInRow = false;
    CSize sizeDefault = GetDefaultButtonSize();
    if (GetButtonCount() == 0 || (GetButtonCount() == 1 && m_pExpandButton != NULL))
        return sizeDefault;
    if (m_pExpandButton != NULL)
        m_pExpandButton->m_bLaidOut = true;
    int nState = GetLayoutState();
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
        // a vertical docked bar is wrapped by height
        bByHeight = TRUE;
        nWanted = 0x7FFF;
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

void CExtToolControlBar::RecalcButtonLayout()
{
    int nCount = GetButtonCount();
    if (m_hWnd == NULL || nCount == 0)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcLayout = rcClient;
    rcLayout.DeflateRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
    int nState = GetLayoutState();
    bool bHorz = IsHorizontalLayout();
    bool bFloatLike = nState == 2 || m_bFixedWrapping;
    bool bMulti = IsDockedMultiLine() != FALSE;
    bool bSingle = !bFloatLike && !bMulti;
    int nSpacing = g_CurrentPaintManager->GetToolBarRowSpacing(this);
    CSize sizeDefault = GetDefaultButtonSize();
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetButtonFont(!bHorz));

    int nStart = bHorz ? rcLayout.left : rcLayout.top;
    int nEnd = bHorz ? rcLayout.right : rcLayout.bottom;
    if (m_pExpandButton != NULL)
    {
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
            nEnd -= Along(size, bHorz) + Along(sizeExtent, bHorz);
        }
    }

    struct Item
    {
        CExtBarButton* p;
        bool bShown;
        CSize size;
        int nPos;   // along
        int nLine;
    };
    std::vector<Item> items;
    bool bAnyShownBefore = false;
    for (int i = 0; i < nCount; i++)
    {
        CExtBarButton* pTBB = m_arrButtons[i];
        if (pTBB == m_pExpandButton)
            continue;
        Item it = { pTBB, true, CSize(0, 0), 0, 0 };
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
            pTBB->SetVertical(!bHorz);
            it.size = pTBB->CalcSize(dc, sizeDefault, bHorz);
        }
        items.push_back(it);
    }

    // placing
    std::vector<CExtBarButton*> arrHidden;
    bool bAnyHidden = false;
    int nPos = nStart, nLine = 0;
    for (size_t k = 0; k < items.size(); k++)
    {
        Item& it = items[k];
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
                const Item& prev = items[j];
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
        if (!bSingle && it.p->IsWrap(nState))
        {
            nLine++;
            nPos = nStart;
        }
    }
    if (bAnyHidden)
    {
        // no separator at either end of the shown buttons
        int nShift = 0;
        for (size_t k = 0; k < items.size(); k++)
        {
            if (!items[k].bShown)
                continue;
            if (!items[k].p->IsSeparator())
                break;
            items[k].bShown = false;
            nShift += Along(items[k].size, bHorz);
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

    // line thickness and across positions
    int nLines = 0;
    for (const Item& it : items)
        if (it.bShown)
            nLines = std::max(nLines, it.nLine + 1);
    std::vector<int> thick(std::max(1, nLines), 0);
    for (const Item& it : items)
        if (it.bShown)
            thick[it.nLine] = std::max(thick[it.nLine], Across(it.size, bHorz));
    std::vector<int> lineStart(thick.size(), 0);
    int nAcross = bHorz ? rcLayout.top : rcLayout.left;
    for (size_t l = 0; l < thick.size(); l++)
    {
        lineStart[l] = nAcross;
        nAcross += thick[l] + nSpacing;
    }
    int nFullAcross0 = bHorz ? rcClient.top : rcClient.left;
    int nFullAcross1 = bHorz ? rcClient.bottom : rcClient.right;
    CSize sizeExtra(0, 0);
    g_CurrentPaintManager->GetToolBarExtraSize(&sizeExtra);
    if (m_bFixedWrapping)
    {
        if (bHorz)
            sizeExtra.cy += 2;
        else
            sizeExtra.cx += 2;
    }
    for (Item& it : items)
    {
        it.p->SetVisible(it.bShown);
        if (!it.bShown)
            continue;
        int nLen = Along(it.size, bHorz);
        int nThickLine = thick[it.nLine];
        int a0, a1;
        if (bSingle)
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
                a1 = a0 + nThickLine + (bMulti ? 1 : 0);
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

    // the chevron's list keeps bar order; separators only between separated buttons
    if (m_pExpandButton != NULL)
    {
        CArray<CExtBarButton*, CExtBarButton*>& arr = m_pExpandButton->m_arrHiddenButtons;
        for (size_t h = 0; h < arrHidden.size(); h++)
        {
            CExtBarButton* pTBB = arrHidden[h];
            if ((pTBB->GetStyle() & CExtBarButton::BS_HIDDEN) != 0)
                continue;
            if (arr.GetSize() > 0 && bSingle)
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
    dc.SelectObject(pOldFont);
}

/////////////////////////////////////////////////////////////////////////////
// Painting

void CExtToolControlBar::DoPaint(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CExtMemoryDC dc(pDC, &rcClient, 3);
    PaintBarBackground(dc, rcClient);
    dc.SetTextColor(g_CurrentPaintManager->GetColor(1010, this));
    dc.SetBkMode(TRANSPARENT);
    bool bHorz = IsHorizontalLayout();
    CFont* pOldFont = dc.SelectObject(GetButtonFont(!bHorz));
    int nSpacing = g_CurrentPaintManager->GetToolBarRowSpacing(this);
    bool bSingle = GetLayoutState() != 2 && !m_bFixedWrapping && !IsDockedMultiLine();
    int nState = GetLayoutState();
    CRect rcClip;
    dc.GetClipBox(&rcClip);
    for (int i = 0; i < GetButtonCount(); i++)
    {
        CExtBarButton* pTBB = m_arrButtons[i];
        if (!pTBB->IsVisible() || (pTBB->GetStyle() & CExtBarButton::BS_HIDDEN))
            continue;
        CRect rc = pTBB->GetDisplayRect();
        if (pTBB->IsSeparator())
        {
            if (!bSingle && pTBB->IsWrap(nState))
            {
                if (nSpacing == 0)
                    continue;
                CRect rcLine = rcClient;
                if (bHorz)
                {
                    rcLine.top = rc.bottom;
                    rcLine.bottom = rc.bottom + nSpacing;
                }
                else
                {
                    rcLine.left = rc.right;
                    rcLine.right = rc.right + nSpacing;
                }
                g_CurrentPaintManager->DrawSeparator(dc, rcLine, !bHorz, true, this);
                continue;
            }
            if (bHorz)
                rc.DeflateRect(0, 2);
            else
                rc.DeflateRect(2, 0);
            g_CurrentPaintManager->DrawSeparator(dc, rc, bHorz, true, this);
            continue;
        }
        CRect rcTest;
        if (!rcTest.IntersectRect(&rcClip, &rc))
            continue;
        pTBB->Paint(dc, bHorz);
    }
    g_CurrentPaintManager->OnToolBarPainted(this);
    dc.SelectObject(pOldFont);
}

/////////////////////////////////////////////////////////////////////////////
// Command updates and tips

void CExtToolControlBar::CExtToolControlBarCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    CExtToolControlBar* pBar = (CExtToolControlBar*)m_pOther;
    CExtBarButton* pTBB = pBar != NULL ? pBar->GetButton((int)m_nIndex) : NULL;
    if (pTBB == NULL || pTBB == pBar->m_pExpandButton)
        return;
    UINT nOld = pTBB->GetStyle();
    if (bOn)
        pTBB->ModifyStyle(0, CExtBarButton::BS_DISABLED);
    else
        pTBB->ModifyStyle(CExtBarButton::BS_DISABLED, 0);
    CExtCmdItem* pItem = g_CmdManagerHolder->FindCommand(pTBB->GetProfileName(), m_nID);
    if (pItem != NULL)
        pItem->Enable(bOn != FALSE);
    if (nOld != pTBB->GetStyle())
        pTBB->RedrawButton();
}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetCheck(int nCheck)
{
    CExtToolControlBar* pBar = (CExtToolControlBar*)m_pOther;
    CExtBarButton* pTBB = pBar != NULL ? pBar->GetButton((int)m_nIndex) : NULL;
    if (pTBB == NULL || pTBB == pBar->m_pExpandButton)
        return;
    UINT nOld = pTBB->GetStyle();
    UINT nStyle = nOld & ~(CExtBarButton::BS_CHECKED | CExtBarButton::BS_INDETERMINATE);
    nStyle |= CExtBarButton::BS_CHECKSTYLE;
    if (nCheck == 1)
        nStyle |= CExtBarButton::BS_CHECKED;
    else if (nCheck == 2)
        nStyle |= CExtBarButton::BS_INDETERMINATE;
    if (nStyle != nOld)
    {
        pTBB->SetStyle(nStyle);
        pTBB->RedrawButton();
    }
    CExtCmdItem* pItem = g_CmdManagerHolder->FindCommand(pTBB->GetProfileName(), m_nID);
    if (pItem != NULL)
        pItem->SetCheck(nCheck == 1);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetRadio(BOOL bOn)
{
    SetCheck(bOn ? 1 : 0);
    CExtToolControlBar* pBar = (CExtToolControlBar*)m_pOther;
    CExtBarButton* pTBB = pBar != NULL ? pBar->GetButton((int)m_nIndex) : NULL;
    if (pTBB == NULL)
        return;
    CExtCmdItem* pItem = g_CmdManagerHolder->FindCommand(pTBB->GetProfileName(), m_nID);
    if (pItem != NULL)
        pItem->SetRadio(bOn != FALSE);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetText(LPCTSTR) {}

void CExtToolControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    if (IsHostedOutsideFrame())
    {
        CWnd* pOwner = GetOwner();
        if (pOwner == NULL)
            pOwner = GetParent();
        if (pOwner == NULL || pOwner == pTarget)
            return;
        pTarget = (CFrameWnd*)pOwner;
    }
    else
    {
        CExtControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
        if (GetDraggedBar() != NULL || pTarget == NULL)
            return;
    }
    if (m_hWnd == NULL || !IsWindowVisible())
        return;
    for (int i = 0; i < GetButtonCount(); i++)
        m_arrButtons[i]->OnUpdateCmdUI(pTarget, bDisableIfNoHndler, i);
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CExtToolControlBar::UpdateButtonCmdUI(int nIndex)
{
    CExtBarButton* pTBB = GetButton(nIndex);
    if (pTBB == NULL)
        return;
    CFrameWnd* pTarget = IsHostedOutsideFrame() ? NULL : (CFrameWnd*)GetOwner();
    if (pTarget == NULL)
        pTarget = GetParentFrame();
    if (pTarget != NULL)
        pTBB->OnUpdateCmdUI(pTarget, TRUE, nIndex);
}

INT_PTR CExtToolControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (!QueryShowTooltips() || g_bMenuTracking || CExtPopupMenuWnd::IsTrackingActive())
        return -1;
    int nIndex = HitTestButton(point);
    if (nIndex >= 0)
    {
        INT_PTR nHit = m_arrButtons[nIndex]->OnToolHitTest(point, pTI);
        if (nHit != -1)
            return nHit;
    }
    return CExtControlBar::OnToolHitTest(point, pTI);
}

int CExtToolControlBar::TrackHelpLoop(CWnd* pWnd)
{
    static bool s_bInLoop = false;
    if (s_bInLoop || pWnd == NULL)
        return -3;
    s_bInLoop = true;
    HWND hWnd = pWnd->GetSafeHwnd();
    int nResult = -3;
    for (;;)
    {
        if (hWnd == NULL || !::IsWindow(hWnd) || !IsFrameInHelpMode(CWnd::FromHandle(hWnd)))
            break;
        MSG msg;
        if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            CWinThread* pThread = AfxGetThread();
            if (pThread != NULL && !pThread->OnIdle(0))
                ::WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_LBUTTONDOWN || msg.message == WM_MOUSEMOVE)
        {
            CExtToolControlBar* pBar =
                DYNAMIC_DOWNCAST(CExtToolControlBar, CWnd::FromHandlePermanent(msg.hwnd));
            if (pBar != NULL)
            {
                CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
                if (msg.message == WM_MOUSEMOVE)
                {
                    pBar->SendMessage(WM_MOUSEMOVE, msg.wParam, msg.lParam);
                    continue;
                }
                int nHit = pBar->HelpHitTest(pt);
                if (nHit > 0)
                {
                    nResult = nHit;
                    break;
                }
                continue;
            }
        }
        if (msg.message == WM_COMMAND && msg.lParam == 0 && HIWORD(msg.wParam) <= 1)
        {
            nResult = (int)LOWORD(msg.wParam);
            break;
        }
        if (msg.message == WM_SYSCOMMAND)
        {
            UINT nCmd = (UINT)msg.wParam & 0xFFF0;
            switch (nCmd)
            {
            case SC_SIZE:
            case SC_MOVE:
            case SC_MINIMIZE:
            case SC_MAXIMIZE:
            case SC_NEXTWINDOW:
            case SC_PREVWINDOW:
            case SC_CLOSE:
            case SC_RESTORE:
            case SC_TASKLIST:
                nResult = (int)(0x1EF00 + ((nCmd - 0xF000) >> 4));
                break;
            default:
                nResult = (int)nCmd;
                break;
            }
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    s_bInLoop = false;
    return nResult;
}

int CExtToolControlBar::HelpHitTest(CPoint pt)
{
    int nIndex = HitTestButton(pt);
    if (nIndex >= 0)
    {
        int nHit = m_arrButtons[nIndex]->OnHelpHitTest(pt);
        return (nHit == -1 || nHit == -2) ? -2 : nHit;
    }
    return CExtControlBar::HelpHitTest(pt);
}

/////////////////////////////////////////////////////////////////////////////
// Mouse

bool CExtToolControlBar::IsCursorOverBar() const
{
    CPoint pt;
    ::GetCursorPos(&pt);
    return ::WindowFromPoint(pt) == m_hWnd;
}

LRESULT CExtToolControlBar::OnTbLButtonDown(WPARAM wParam, LPARAM lParam)
{
    if (m_bRowResizing || m_bColumnResizing || m_bDragging)
        return CExtControlBar::OnLButtonDownMsg(wParam, lParam);
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    CWnd* pFocusOwner = IsHostedOutsideFrame() ? GetParent() : (CWnd*)GetParentFrame();
    HWND hWndFocus = ::GetFocus();
    if (pFocusOwner != NULL && hWndFocus != m_hWnd &&
        (hWndFocus == NULL ||
         (!::IsChild(pFocusOwner->m_hWnd, hWndFocus) && hWndFocus != pFocusOwner->m_hWnd)))
        pFocusOwner->SetFocus();
    m_nPressedIndex = HitTestButton(point);
    if (m_nPressedIndex >= 0)
    {
        UpdateButtonCmdUI(m_nPressedIndex);
        CExtBarButton* pTBB = GetButton(m_nPressedIndex);
        if (pTBB != NULL && m_nPressedIndex != m_nTrackingIndex &&
            (!pTBB->IsDisabled() || pTBB->IsDropDown()))
        {
            HWND hWndBar = m_hWnd;
            pTBB->ModifyStyle(CExtBarButton::BS_PRESSED, 0);
            pTBB->MarkMenuTracking();
            pTBB->RedrawButton();
            pTBB->OnClick(point, TRUE);
            if (::IsWindow(hWndBar) && !g_bMenuTracking && !CExtPopupMenuWnd::IsTrackingActive() &&
                GetButton(m_nPressedIndex) == pTBB &&
                (pTBB->GetCtrl() == NULL || !pTBB->GetCtrl()->IsWindowVisible()))
                SetCapture();
            return 0;
        }
    }
    m_nPressedIndex = -1;
    return CExtControlBar::OnLButtonDownMsg(wParam, lParam);
}

LRESULT CExtToolControlBar::OnTbLButtonUp(WPARAM wParam, LPARAM lParam)
{
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    CExtBarButton* pHover = GetButton(m_nHoverIndex);
    if (pHover != NULL)
        pHover->SetHover(FALSE);
    CExtBarButton* pTBB = GetButton(m_nPressedIndex);
    if (pTBB == NULL)
    {
        m_nPressedIndex = -1;
        return CExtControlBar::OnLButtonUpMsg(wParam, lParam);
    }
    int nIndex = m_nPressedIndex;
    m_nPressedIndex = -1;
    pTBB->UnmarkMenuTracking();
    bool bOver = HitTestButton(point) == nIndex;
    if (nIndex != m_nTrackingIndex)
        pTBB->ModifyStyle(0, CExtBarButton::BS_PRESSED);
    if (bOver && !pTBB->IsDisabled() && (pTBB->GetStyle() & CExtBarButton::BS_CHECKSTYLE))
    {
        UINT nStyle = pTBB->GetStyle() ^ CExtBarButton::BS_CHECKED;
        if (nStyle & CExtBarButton::BS_INDETERMINATE)
            nStyle &= ~CExtBarButton::BS_INDETERMINATE;
        pTBB->SetStyle(nStyle);
    }
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    HWND hWndBar = m_hWnd;
    pTBB->RedrawButton();
    if (bOver)
        pTBB->OnClick(point, FALSE);
    else
        CExtControlBar::ShowCommandStatusText(this, AFX_IDS_IDLEMESSAGE);
    if (::IsWindow(hWndBar) && !g_bMenuTracking && GetButton(nIndex) == pTBB)
        UpdateButtonCmdUI(nIndex);
    return 0;
}

LRESULT CExtToolControlBar::OnTbLButtonDblClk(WPARAM wParam, LPARAM lParam)
{
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    if (HitTestButton(point) >= 0)
    {
        SendMessage(WM_LBUTTONUP, wParam, lParam);
        SendMessage(WM_LBUTTONDOWN, wParam, lParam);
        return 0;
    }
    return CExtControlBar::OnLButtonDblClkMsg(wParam, lParam);
}

LRESULT CExtToolControlBar::OnTbMouseMove(WPARAM wParam, LPARAM lParam)
{
    if (m_bRowResizing || m_bColumnResizing || m_bDragging)
        return CExtControlBar::OnMouseMoveMsg(wParam, lParam);
    if (CExtPopupMenuWnd::IsTrackingActive() && !g_bMenuTracking)
        return 0;
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    if (m_nPressedIndex >= 0)
    {
        CExtBarButton* pTBB = GetButton(m_nPressedIndex);
        if (pTBB != NULL)
        {
            bool bOver = HitTestButton(point) == m_nPressedIndex;
            UINT nOld = pTBB->GetStyle();
            if (bOver)
                pTBB->ModifyStyle(CExtBarButton::BS_PRESSED, 0);
            else
                pTBB->ModifyStyle(0, CExtBarButton::BS_PRESSED);
            if (nOld != pTBB->GetStyle())
                pTBB->RedrawButton();
        }
        return 0;
    }
    int nHit = HitTestButton(point);
    if (nHit != m_nHoverIndex)
    {
        HWND hWndBar = m_hWnd;
        CExtBarButton* pOld = GetButton(m_nHoverIndex);
        m_nHoverIndex = -1;
        if (pOld != NULL)
        {
            pOld->SetHover(FALSE);
            pOld->RedrawButton();
            pOld->OnHover(point, FALSE, FALSE);
            if (!::IsWindow(hWndBar))
                return 0;
        }
        CExtBarButton* pNew = GetButton(nHit);
        CWnd* pTop = GetTopLevelParent();
        bool bActive = pTop != NULL && (::GetActiveWindow() == pTop->m_hWnd ||
                                        ::GetForegroundWindow() == pTop->m_hWnd);
        if (pNew != NULL && (bActive || g_bMenuTracking))
        {
            bool bHelp = IsFrameInHelpMode(this) != FALSE;
            if (!bHelp || (pNew->IsMenuButton() && pNew->OnHelpHitTest(point) == -3))
            {
                m_nHoverIndex = nHit;
                bool bNoHot = g_bMenuTracking &&
                              (pNew->IsDisabled() ||
                               ExtBarsIsOfClassName(pNew, "CExtBarMdiRightButton"));
                if (!bNoHot)
                    pNew->SetHover(TRUE);
                pNew->RedrawButton();
                pNew->OnHover(point, TRUE, TRUE);
            }
        }
    }
    if (::GetCapture() == m_hWnd && m_nHoverIndex < 0 && m_nPressedIndex < 0 &&
        m_nTrackingIndex < 0)
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        if (!rcClient.PtInRect(point))
            ::ReleaseCapture();
    }
    return 0;
}

LRESULT CExtToolControlBar::OnTbCancelMode(WPARAM wParam, LPARAM lParam)
{
    CExtBarButton* pPressed = GetButton(m_nPressedIndex);
    if (pPressed != NULL && m_nPressedIndex != m_nTrackingIndex)
    {
        pPressed->ModifyStyle(0, CExtBarButton::BS_PRESSED);
        pPressed->UnmarkMenuTracking();
    }
    CExtBarButton* pHover = GetButton(m_nHoverIndex);
    if (pHover != NULL)
        pHover->SetHover(FALSE);
    m_nPressedIndex = m_nHoverIndex = -1;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Invalidate();
    return CExtControlBar::OnCancelModeMsg(wParam, lParam);
}

LRESULT CExtToolControlBar::OnTbCaptureChanged(WPARAM wParam, LPARAM lParam)
{
    if ((HWND)lParam != m_hWnd && m_nPressedIndex >= 0)
    {
        CExtBarButton* pPressed = GetButton(m_nPressedIndex);
        if (pPressed != NULL && m_nPressedIndex != m_nTrackingIndex)
        {
            pPressed->ModifyStyle(0, CExtBarButton::BS_PRESSED);
            pPressed->UnmarkMenuTracking();
            pPressed->RedrawButton();
        }
        m_nPressedIndex = -1;
    }
    return CExtControlBar::OnCaptureChangedMsg(wParam, lParam);
}

LRESULT CExtToolControlBar::OnTbSize(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CExtControlBar::OnSizeMsg(wParam, lParam);
    RecalcButtonLayout();
    Invalidate();
    return lResult;
}

LRESULT CExtToolControlBar::OnTbWindowPosChanged(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    RecalcButtonLayout();
    Invalidate();
    return lResult;
}

LRESULT CExtToolControlBar::OnTbTimer(WPARAM wParam, LPARAM)
{
    if (wParam != ID_TIMER_DELAYED_LAYOUT)
        return Default();
    if (g_bMenuTracking || GetDraggedBar() != NULL)
        return 0;
    KillTimer(ID_TIMER_DELAYED_LAYOUT);
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
    {
        pFrame->RecalcLayout();
        if (IsFloating())
            pFrame->SendMessage(WM_NCPAINT);
    }
    return 0;
}

LRESULT CExtToolControlBar::OnTbRButtonUp(WPARAM wParam, LPARAM lParam)
{
    if (g_bMenuTracking || m_nPressedIndex >= 0)
        return 0;
    return CExtControlBar::OnRButtonUpMsg(wParam, lParam);
}

LRESULT CExtToolControlBar::OnTrackButtonMenu(WPARAM wParam, LPARAM lParam)
{
    CFrameWnd* pFrame = GetParentFrame();
    if ((pFrame != NULL && !pFrame->IsWindowEnabled()) || GetButtonCount() == 0)
        return 0;
    int nIndex = (int)wParam;
    CExtBarButton* pTBB = GetButton(nIndex);
    if (pTBB == NULL)
    {
        EndAllButtonTracking();
        return 0;
    }
    if (pTBB->IsMenuButton() && (CExtPopupMenuWnd::IsTrackingActive() || g_bMenuTracking ||
                                 !IsMenuBar()))
    {
        TrackButtonMenu(nIndex, TRUE, FALSE, (BOOL)lParam);
        return 0;
    }
    EndAllButtonTracking();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return 0;
}
