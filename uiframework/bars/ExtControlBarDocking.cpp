// ExtControlBarDocking.cpp - docking operations of a bar: floating at a point, docking at
// a frame side and circle, docking beside another bar in a new container, toggling.

#include "ExtDockBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtBarLayout.h"
#include "ExtDynTabControlBar.h"

#include <algorithm>

bool ExtBarsIsOfClassName(const CObject* pObj, LPCSTR lpszName);

namespace
{

// The bar being floated by FloatAtPosition (its WM_SIZE handling stays quiet).
CExtControlBar* s_pBarFloating = NULL;

CFrameWnd* FrameOrSite(CExtControlBar* pBar, CFrameWnd* pFrame)
{
    if (pFrame != NULL)
        return pFrame;
    return pBar->m_pDockSite;
}

void HideExtMiniFrameOf(CExtControlBar* pBar)
{
    if (!pBar->IsFloating())
        return;
    CFrameWnd* pMini = pBar->GetParentFrame();
    if (pMini != NULL && ExtBarsIsOfClassName(pMini, "CExtMiniDockFrameWnd"))
        pMini->ShowWindow(SW_HIDE);
}

} // namespace

CFrameWnd* CExtControlBar::CreateFloatingFrame(DWORD dwStyle)
{
    if (m_pDockSite == NULL)
        AfxThrowResourceException();
    CFrameWnd* pFrame = m_pDockSite->CreateFloatingFrame(dwStyle);
    if (pFrame == NULL)
        AfxThrowResourceException();
    return pFrame;
}

// Floats the bar in a new mini frame at the screen point (a bar alone in its frame only
// moves it); the dock bar and frame it left lay out again.
void CExtControlBar::FloatAtPosition(CPoint ptScreen, DWORD dwStyle)
{
    if (m_hWnd == NULL || m_pDockSite == NULL)
        return;
    CExtControlBar* pPrevFloating = s_pBarFloating;
    s_pBarFloating = this;

    // alone in its floating frame: the frame only moves
    if (IsFloating() && m_pDockBar != NULL && m_pDockBar->GetDockedCount() == 1)
    {
        CFrameWnd* pMini = GetParentFrame();
        if (pMini != NULL && pMini != m_pDockSite)
            pMini->SetWindowPos(NULL, ptScreen.x, ptScreen.y, 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_ptFloatPos = ptScreen;
        s_pBarFloating = pPrevFloating;
        return;
    }

    if (m_dwStyle & CBRS_SIZE_DYNAMIC)
    {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT)
        {
            dwStyle &= ~CBRS_ALIGN_ANY;
            dwStyle |= CBRS_ALIGN_TOP;
        }
    }
    CDockBar* pOldDockBar = m_pDockBar;
    HWND hWndOldDockBar = pOldDockBar != NULL ? pOldDockBar->m_hWnd : NULL;
    CFrameWnd* pOldFrame = IsFloating() ? GetParentFrame() : NULL;
    HWND hWndOldFrame = pOldFrame != NULL ? pOldFrame->m_hWnd : NULL;

    CFrameWnd* pMini = CreateFloatingFrame(dwStyle);
    pMini->SetWindowPos(NULL, ptScreen.x, ptScreen.y, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pMini->m_hWndOwner == NULL)
        pMini->m_hWndOwner = m_pDockSite->m_hWnd;
    CMiniDockFrameWnd* pDockFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pMini);
    bool bVisible = (GetStyle() & WS_VISIBLE) != 0;
    m_bUpdatingLayout = true;
    if (pDockFrame != NULL)
        pDockFrame->m_wndDockBar.DockControlBar(this);
    m_bUpdatingLayout = false;
    pMini->RecalcLayout(TRUE);
    // the new frame held no bar when it was placed: its caption is put on the screen now
    CExtMiniDockFrameWnd* pExtMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pMini);
    if (pExtMini != NULL)
        pExtMini->KeepCaptionOnScreen();
    if (bVisible)
    {
        pMini->ShowWindow(SW_SHOWNA);
        pMini->UpdateWindow();
    }
    m_ptFloatPos = ptScreen;

    if (hWndOldDockBar != NULL && ::IsWindow(hWndOldDockBar))
    {
        CExtDockBar* pOldExt = DYNAMIC_DOWNCAST(CExtDockBar, CWnd::FromHandlePermanent(hWndOldDockBar));
        if (pOldExt != NULL)
        {
            ExtBarLayout::NormalizeBarArray(pOldExt->m_arrBars);
            pOldExt->RecalcContainers();
        }
    }
    if (hWndOldFrame != NULL && ::IsWindow(hWndOldFrame))
    {
        CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWndOldFrame));
        if (pFrame != NULL)
            pFrame->RecalcLayout();
    }
    CExtDockBar::CompactCircles(m_pDockSite);
    m_pDockSite->RecalcLayout();
    RepositionChildWindow();
    s_pBarFloating = pPrevFloating;
}

// Floats a docked bar at its last floating place (where it stands when it never
// floated); fixed-drag bars toggle through their dock context.
void CExtControlBar::ToggleDockedFloating()
{
    if (m_hWnd == NULL)
        return;
    if (IsFixedDragMode())
    {
        if (m_pDockContext != NULL)
            m_pDockContext->ToggleDocking();
        DelayFrameRecalcLayout();
        RecalcNcFrame();
        return;
    }
    CFrameWnd* pParentFrame = GetParentFrame();
    bool bInMini = pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd));
    if (IsFloating() || bInMini)
        return;
    // a bar that never floated floats where it stands, not at the screen's corner
    CPoint ptFloat = m_ptFloatPos;
    if (ptFloat == CPoint(0, 0))
    {
        CRect rcBar;
        GetWindowRect(&rcBar);
        ptFloat = rcBar.TopLeft();
    }
    FloatAtPosition(ptFloat, CBRS_ALIGN_TOP);
}

// Docks the bar at a frame side in circle 1, or in a new innermost circle when asked.
bool CExtControlBar::DockToFrameSide(UINT nDockBarID, BOOL bNewInnerLevel, CFrameWnd* pFrame,
                                     BOOL bRecalc)
{
    pFrame = FrameOrSite(this, pFrame);
    if (pFrame == NULL || m_hWnd == NULL)
        return false;
    HideExtMiniFrameOf(this);
    CExtDockBar::CompactCircles(pFrame);
    UINT nLevel = 1;
    if (bNewInnerLevel)
    {
        int nNew = CExtDockBar::CreateInnerCircle(pFrame);
        if (nNew < 1)
            return false;
        nLevel = (UINT)nNew;
    }
    return DockToFrameSideLevel(nDockBarID, nLevel, pFrame, bRecalc);
}

// Docks the bar as a row of its own in the circle's dock bar of the side (made when
// missing); the mini frame it left lays out again.
bool CExtControlBar::DockToFrameSideLevel(UINT nDockBarID, UINT nLevel, CFrameWnd* pFrame,
                                          BOOL bRecalc)
{
    pFrame = FrameOrSite(this, pFrame);
    if (pFrame == NULL || m_hWnd == NULL)
        return false;
    CExtDockBar* pDock = CExtDockBar::FindCircleDockBar(pFrame, (int)nLevel, nDockBarID, true);
    if (pDock == NULL)
        return false;
    CFrameWnd* pOldMini = IsFloating() ? GetParentFrame() : NULL;
    HWND hWndOldMini = pOldMini != NULL && pOldMini != pFrame ? pOldMini->m_hWnd : NULL;
    m_bUpdatingLayout = true;
    if (nLevel == 0)
        pDock->DockControlBar(this);
    else
        pDock->InsertBarAsRow(this, false);
    m_bUpdatingLayout = false;
    if (hWndOldMini != NULL && ::IsWindow(hWndOldMini))
    {
        CFrameWnd* pMini = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWndOldMini));
        if (pMini != NULL)
            pMini->RecalcLayout();
    }
    if (bRecalc)
        pFrame->RecalcLayout();
    else
        pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
    return true;
}

// Puts pBar beside this docked bar on the side: a new container takes this bar's place
// and holds both in one row, pBar getting nPercent of this bar's extent.
bool CExtControlBar::InsertBarBeside(CExtControlBar* pBar, UINT nSide, int nPercent)
{
    if (pBar == NULL || pBar == this || m_hWnd == NULL || pBar->m_hWnd == NULL ||
        m_pDockBar == NULL || m_pDockSite == NULL)
        return false;
    CRect rcThis;
    GetWindowRect(&rcThis);
    CDockBar* pDockBar = m_pDockBar;
    pDockBar->ScreenToClient(&rcThis);
    bool bVertSplit = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM;
    int nExtent = bVertSplit ? rcThis.Height() : rcThis.Width();
    int n = ::MulDiv(nExtent, nPercent, 100);
    CRect rcNew(0, 0, rcThis.Width(), rcThis.Height());   // pBar's part (container client)
    CRect rcOwn(rcNew);
    switch (nSide)
    {
    case AFX_IDW_DOCKBAR_TOP:
        rcNew.bottom = n;
        rcOwn.top = n;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        rcNew.top = rcNew.bottom - n;
        rcOwn.bottom = rcNew.top;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        rcNew.right = n;
        rcOwn.left = n;
        break;
    default:
        rcNew.left = rcNew.right - n;
        rcOwn.right = rcNew.left;
        break;
    }
    UINT nContainerID = bVertSplit ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP;

    CExtDynControlBar* pContainer = new CExtDynControlBar;
    pContainer->m_sizeDockedH = m_sizeDockedH;
    pContainer->m_sizeDockedV = m_sizeDockedV;
    pContainer->m_sizeFloated = rcThis.Size();    // a floating target keeps its frame's size
    DWORD dwStyle = (GetStyle() & 0xFFFF0000) | (m_dwStyle & CBRS_ALIGN_ANY);
    dwStyle &= ~(CBRS_GRIPPER | CBRS_FLOATING);
    dwStyle |= CBRS_BORDER_ANY | CBRS_TOOLTIPS;
    dwStyle &= ~WS_VISIBLE;
    if (!pContainer->Create(NULL, m_pDockSite, nContainerID, dwStyle | WS_CHILD))
    {
        delete pContainer;
        return false;
    }
    pContainer->m_pDockSite = m_pDockSite;
    pContainer->m_pDockBar = pDockBar;
    pContainer->EnableDocking(CBRS_ALIGN_ANY);
    bool bFloating = pDockBar->m_bFloating != FALSE;
    if (bFloating)
        pContainer->m_dwStyle |= CBRS_FLOATING;
    else
        pContainer->m_dwStyle &= ~CBRS_FLOATING;
    m_dwStyle &= ~CBRS_FLOATING;
    pBar->m_dwStyle &= ~CBRS_FLOATING;

    // the container takes this bar's entry
    int nPos = ExtBarLayout::FindEntry(pDockBar->m_arrBars, this);
    if (nPos > 0)
        pDockBar->m_arrBars[nPos] = pContainer;
    pContainer->SetParent(pDockBar);
    CExtDockDynBar* pInner = pContainer->m_pWndDynDockBar;

    // pBar leaves its old dock bar
    CDockBar* pOldOfNew = pBar->m_pDockBar;
    m_bUpdatingLayout = true;
    pBar->m_bUpdatingLayout = true;
    SetParent(pInner);
    pBar->SetParent(pInner);
    if (pOldOfNew != NULL && pOldOfNew != pInner)
    {
        CExtDockBar* pOldExt = DYNAMIC_DOWNCAST(CExtDockBar, pOldOfNew);
        if (pOldExt != NULL && !pOldOfNew->m_bFloating)
        {
            pOldExt->RemoveBarEntry(pBar, false);
        }
        else
        {
            int nOld = ExtBarLayout::FindEntry(pOldOfNew->m_arrBars, pBar);
            if (nOld > 0)
                ExtBarLayout::RemoveEntryAt(pOldOfNew->m_arrBars, nOld);
            if (pOldOfNew->m_bFloating && pOldOfNew->GetDockedCount() == 0)
            {
                CWnd* pMini = pOldOfNew->GetParent();
                pBar->m_pDockBar = pInner;
                if (pMini != NULL && pMini->IsFrameWnd())
                    pMini->DestroyWindow();
            }
        }
    }

    // one row in the container
    pInner->m_arrBars.RemoveAll();
    pInner->m_arrBars.Add(NULL);
    if (nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_LEFT)
    {
        pInner->m_arrBars.Add(pBar);
        pInner->m_arrBars.Add(this);
    }
    else
    {
        pInner->m_arrBars.Add(this);
        pInner->m_arrBars.Add(pBar);
    }
    pInner->m_arrBars.Add(NULL);
    m_pDockBar = pInner;
    pBar->m_pDockBar = pInner;
    DWORD dwInnerAlign = bVertSplit ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    m_dwStyle = (m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | dwInnerAlign | CBRS_BORDER_ANY;
    pBar->m_dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | dwInnerAlign |
                      CBRS_BORDER_ANY;

    m_sizeDockedH = m_sizeDockedV = rcOwn.Size();
    pBar->m_sizeDockedH = pBar->m_sizeDockedV = rcNew.Size();
    pBar->SetWindowPos(NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    SetWindowPos(NULL, rcOwn.left, rcOwn.top, rcOwn.Width(), rcOwn.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    pContainer->SetWindowPos(NULL, rcThis.left, rcThis.top, rcThis.Width(), rcThis.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_bUpdatingLayout = false;
    pBar->m_bUpdatingLayout = false;
    RepositionChildWindow();
    pBar->RepositionChildWindow();

    CExtDockBar::CompactCircles(m_pDockSite);
    m_pDockSite->RecalcLayout();
    pContainer->RepositionChildWindow(-1, -1, true);
    pContainer->CreateNcAreaButtons();
    pContainer->LayoutNcAreaButtons();
    pInner->LayoutInClient();
    return true;
}

// Docks this bar beside the target (its tab group for a member) in a container with it;
// the frames involved lay out again when asked.
bool CExtControlBar::DockBesideBar(int nPercent, CExtControlBar* pTarget, UINT nSide,
                                   BOOL bRecalc)
{
    if (pTarget == NULL || pTarget == this)
        return false;
    CFrameWnd* pOldMini = IsFloating() ? GetParentFrame() : NULL;
    HWND hWndOldMini = pOldMini != NULL ? pOldMini->m_hWnd : NULL;
    if (IsFloating() && m_bDragging && IsLiveDragDocking())
        HideExtMiniFrameOf(this);
    CExtControlBar* pGroup = pTarget->GetTabbedContainer();
    if (pGroup != NULL)
        pTarget = pGroup;
    if (!pTarget->InsertBarBeside(this, nSide, nPercent))
        return false;
    if (bRecalc)
    {
        CFrameWnd* pFrame = pTarget->GetParentFrame();
        if (pFrame != NULL)
            pFrame->RecalcLayout();
        if (hWndOldMini != NULL && ::IsWindow(hWndOldMini) &&
            (pFrame == NULL || hWndOldMini != pFrame->m_hWnd))
        {
            CFrameWnd* pMini = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWndOldMini));
            if (pMini != NULL)
                pMini->RecalcLayout();
        }
        if (pTarget->m_pDockSite != NULL)
            pTarget->m_pDockSite->RecalcLayout();
    }
    return true;
}

// Docks pBar beside this bar as a drop beside it would, along or across its row, after
// or before it; FALSE for fixed-size, floating or foreign bars.
bool CExtControlBar::DockRelativeToOwnPlace(CExtControlBar* pBar, BOOL bAfter, BOOL bAcross,
                                            CFrameWnd* pFrame, BOOL bRecalc)
{
    if (pBar == NULL || pBar == this || m_hWnd == NULL || pBar->m_hWnd == NULL)
        return false;
    // a bar in a tab group: the group's place
    CExtControlBar* pGroup = GetTabbedContainer();
    if (pGroup != NULL && pGroup != this)
        return pGroup->DockRelativeToOwnPlace(pBar, bAfter, bAcross, pFrame, bRecalc);
    if (m_pDockBar == NULL || IsFloating() || IsFixedSize() || IsFixedDragMode() ||
        pBar->IsFixedSize() || pBar->IsFixedDragMode() || pBar->m_pDockSite != m_pDockSite)
        return false;
    // rows run across the frame for top and bottom bars, down it for left and right ones
    const bool bHorzRow = IsDockedHorizontally();
    const bool bVertSplit = bHorzRow == (bAcross != FALSE);
    InternalDraggingState_t state(pBar);
    state.m_bEmpty = false;
    state.m_eType = bVertSplit ? (bAfter ? 2 : 1) : (bAfter ? 4 : 3);
    GetWindowRect(&state.m_rc);
    state.m_pBarTarget = this;
    if (!pBar->ApplyDraggingState(state, TRUE))
        return false;
    CFrameWnd* pSite = pFrame != NULL ? pFrame : m_pDockSite;
    if (pSite != NULL && pSite->m_hWnd != NULL)
    {
        if (bRecalc)
            pSite->RecalcLayout();
        else
            pSite->DelayRecalcLayout();
    }
    return true;
}

bool CExtControlBar::DockAsTab(CExtControlBar* pTarget, int nIndex, CFrameWnd* pDockSite,
                               BOOL bRecalc)
{
    if (pTarget == NULL || pTarget == this)
        return false;
    if (!IsTabbedDockingAllowed(pTarget) || !pTarget->IsTabbedDockingAllowed(this))
        return false;
    if (IsFixedSize() || IsFixedDragMode() || pTarget->IsFixedSize() || pTarget->IsFixedDragMode())
        return false;
    return CExtDynTabControlBar::DockAsTabImpl(this, pTarget, nIndex, pDockSite, bRecalc);
}
