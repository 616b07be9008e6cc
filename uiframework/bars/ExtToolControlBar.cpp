// ExtToolControlBar.cpp - CExtToolControlBar: buttons, painting, mouse, tracking, command
// updates and help (the layout is in ExtToolControlBarLayout.cpp).

#include "ExtToolControlBar.h"
#include "uiframework/foundation/ExtCmdManager.h"
#include "uiframework/foundation/ExtCmdItem.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "uiframework/foundation/ExtMemoryDC.h"
#include "afxpriv.h"

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

// Whether ptScreen is on the tracked drop-down button of any toolbar (asked by the popups).
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
} // namespace

BEGIN_MESSAGE_MAP(CExtToolControlBar, CExtControlBar)
    ON_MESSAGE(WM_LBUTTONDOWN, OnTbLButtonDown)
    ON_MESSAGE(WM_LBUTTONUP, OnTbLButtonUp)
    ON_MESSAGE(WM_LBUTTONDBLCLK, OnTbLButtonDblClk)
    ON_MESSAGE(WM_MOUSEMOVE, OnTbMouseMove)
    ON_MESSAGE(WM_MOUSELEAVE, OnTbMouseLeave)
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
      m_bInNestedLayout(false), m_nStateAsked(-1)
{
    m_bFixedSize = true;
    m_bCaptionAlwaysHorizontal = false;
    m_bChildFillsClient = false;        // child windows are the buttons' hosted controls
    m_cxLeftBorder = 1;
    m_cxRightBorder = 1;
    m_cxDefaultGap = 10;
    m_cyDefaultGap = 8;
}

// Leaves the list of all bars first, so no pass over that list meets a bar being destroyed.
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
    if (m_nStateAsked >= 0)
        return m_nStateAsked;
    if (m_hWnd == NULL || m_pDockSite == NULL || m_pDockBar == NULL || IsFloating())
        return 2;
    return IsDockedVertically() ? 1 : 0;
}

bool CExtToolControlBar::IsHorizontalLayout() const
{
    if (m_nStateAsked >= 0)
        return m_nStateAsked != 1;
    if (m_bFixedWrapping || IsFloating() || m_pDockBar == NULL)
        return true;
    return !IsDockedVertically();
}

// The shown button under the point, -1 if none; under capture only while the cursor is on the bar.
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

// Replaces all buttons by one per command id and the chevron; FALSE when one cannot be made.
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

// Inserts a button before the chevron (-1: last), the chevron comes with the first; relays out.
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

// Deletes a button (never the chevron), takes it off the chevron's list and forgets the indexes.
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

// Moves the pressed menu-tracking look to button nIndex (-1: none) and repaints at once.
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

// Ends menu tracking on every toolbar and cancels the tracking site, so no button stays pressed.
void CExtToolControlBar::EndAllButtonTracking()
{
    g_bMenuTracking = FALSE;
    {
        CSingleLock lock(&g_csAllBars, TRUE);
        for (INT_PTR i = 0; i < g_arrAllBars.GetSize(); i++)
        {
            CExtToolControlBar* pBar = DYNAMIC_DOWNCAST(CExtToolControlBar, g_arrAllBars[i]);
            if (pBar != NULL && pBar->m_hWnd != NULL && ::IsWindow(pBar->m_hWnd))
            {
                pBar->SetTrackingButton(-1);
                pBar->SyncHoverWithCursor();
            }
        }
    }
    if (g_TrackingSite.m_pWndRoot != NULL && !g_TrackingSite.IsEnding() &&
        g_TrackingSite.m_pWndRoot->GetSafeHwnd() != NULL)
        g_TrackingSite.m_pWndRoot->PostMessage(WM_CANCELMODE);
    CWnd::CancelToolTips();
}

// The command button whose & letter is ch, in any case; a hidden one answers with the chevron.
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

// The next or previous shown button, round the ends, past separators and the MDI caption buttons.
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

// Opens a menu button's popup now, or posted so that it opens after the current message.
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
// Painting

// Paints the background, the separators (a wrap's one as a gap line) and the buttons in the clip.
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

// Enables the button and its command item; repaints only when the button's style changed.
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

// Makes the button a check button, checked (1) or indeterminate (2), and checks its command item.
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

// Updates each button from the command handlers; a bar outside a frame asks its owner instead.
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

// Pumps the messages itself while help mode lasts and stops at the first thing pointed at.
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

// Focuses the frame, presses the button under the mouse and captures unless a menu opened.
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

// Releases the pressed button; over it still, a check button toggles and the button clicks.
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

// A pressed button follows the mouse; else the hover moves (active frame or menu tracking only).
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
                TrackMouseLeave();
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

// The hover button of a bar the cursor left; while a menu tracks the end of tracking decides.
LRESULT CExtToolControlBar::OnTbMouseLeave(WPARAM, LPARAM)
{
    if (!g_bMenuTracking)
        SyncHoverWithCursor();
    return 0;
}

void CExtToolControlBar::TrackMouseLeave()
{
    TRACKMOUSEEVENT tme;
    ::ZeroMemory(&tme, sizeof(tme));
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = m_hWnd;
    ::TrackMouseEvent(&tme);
}

// A hover button the cursor is no longer over loses its hot look; one it is still over
// keeps it until the cursor leaves the bar.
void CExtToolControlBar::SyncHoverWithCursor()
{
    if (m_hWnd == NULL || m_nHoverIndex < 0 || m_nPressedIndex >= 0)
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    bool bOverBar = ::WindowFromPoint(pt) == m_hWnd;
    ScreenToClient(&pt);
    if (bOverBar && HitTestButton(pt) == m_nHoverIndex)
    {
        TrackMouseLeave();
        return;
    }
    // a capture taken for the hover goes with the next mouse move outside the bar
    CExtBarButton* pOld = GetButton(m_nHoverIndex);
    m_nHoverIndex = -1;
    if (pOld != NULL)
    {
        pOld->SetHover(FALSE);
        pOld->RedrawButton();
    }
}

// Drops the press and the hover and gives up the capture when the system cancels the mode.
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

// Unpresses the pressed button when another window takes the capture from the bar.
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

// The delayed layout: relays the frame out once no menu tracks and no bar is being dragged.
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

// The posted open request: a menu button opens while menus track (on a toolbar always), else ends.
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
