// dockfrm.cpp - the docking side of CFrameWnd: dock bars, docking and floating
// bars, showing and hiding them, the bar commands and the key indicators.

#include "afxwnd.h"

namespace
{

// The sides in the order the frame tries them.
struct DockBarSide
{
    UINT nID;
    DWORD dwStyle;
};
const DockBarSide s_dockBarSides[4] =
{
    { AFX_IDW_DOCKBAR_TOP, CBRS_TOP },
    { AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM },
    { AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT },
    { AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT },
};

BOOL IsSideDockBar(CControlBar* pBar)
{
    return pBar->IsKindOf(RUNTIME_CLASS(CDockBar)) && !((CDockBar*)pBar)->m_bFloating;
}

} // namespace

// Creates the dock bars of the sides that dwDockStyle allows, so bars can dock to this frame.
void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    // a floating-frame class installed before stays
    if (m_pFloatingFrameClass == NULL)
        m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (const DockBarSide& side : s_dockBarSides)
    {
        if ((side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) == 0 || GetControlBar(side.nID) != NULL)
            continue;
        CDockBar* pDockBar = new CDockBar;
        if (!pDockBar->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE |
                              side.dwStyle, side.nID))
        {
            delete pDockBar;
            AfxThrowResourceException();
        }
        pDockBar->m_bAutoDelete = TRUE;
    }
}

// The bar with an id among the frame's bars; NULL if none.
CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return NULL;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != NULL)
    {
        CWnd* pWnd = (CWnd*)m_listControlBars.GetNext(pos);
        // the list may hold plain windows that take part in the layout
        if (pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) && pWnd->m_hWnd != NULL &&
            (UINT)pWnd->GetDlgCtrlID() == nID)
            return (CControlBar*)pWnd;
    }
    return NULL;
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (m_listControlBars.Find(pBar) == NULL)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != NULL)
        m_listControlBars.RemoveAt(pos);
}

// The side whose dock bar a rectangle touches, among those the style allows; 0 if none.
DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar)
{
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != NULL)
    {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (!IsSideDockBar(pBar) || pBar->m_hWnd == NULL)
            continue;
        CDockBar* pDockBar = (CDockBar*)pBar;
        if ((pDockBar->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY) == 0)
            continue;
        // an empty dock bar still has its edge line
        CRect rectBar;
        pDockBar->GetWindowRect(&rectBar);
        if (rectBar.Width() == 0)
            rectBar.right++;
        if (rectBar.Height() == 0)
            rectBar.bottom++;
        CRect rectHit;
        if (rectHit.IntersectRect(rectBar, rect))
        {
            if (ppDockBar != NULL)
                *ppDockBar = pDockBar;
            return pDockBar->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY;
        }
    }
    return 0;
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = NULL;
    if (nDockBarID != 0)
    {
        CControlBar* pFound = GetControlBar(nDockBarID);
        if (pFound != NULL && pFound->IsKindOf(RUNTIME_CLASS(CDockBar)))
            pDockBar = (CDockBar*)pFound;
        if (pDockBar == NULL)
            return;     // the frame has no such side
    }
    DockControlBar(pBar, pDockBar, lpRect);
}

// Docks a bar at a rectangle or to its side, else to the first side it allows.
void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    DWORD dwDockStyle = pBar->m_dwDockStyle & CBRS_ALIGN_ANY;
    if (pDockBar == NULL && lpRect != NULL)
        CanDock(CRect(lpRect), dwDockStyle, &pDockBar);
    if (pDockBar == NULL)
    {
        // the side the bar is aligned to, else the first side it may dock to
        for (const DockBarSide& side : s_dockBarSides)
        {
            if ((side.dwStyle & pBar->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY) != 0)
            {
                CControlBar* pFound = GetControlBar(side.nID);
                if (pFound != NULL && IsSideDockBar(pFound))
                {
                    pDockBar = (CDockBar*)pFound;
                    break;
                }
            }
        }
    }
    if (pDockBar == NULL)
    {
        for (const DockBarSide& side : s_dockBarSides)
        {
            if ((side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) != 0)
            {
                CControlBar* pFound = GetControlBar(side.nID);
                if (pFound != NULL && IsSideDockBar(pFound))
                {
                    pDockBar = (CDockBar*)pFound;
                    break;
                }
            }
        }
    }
    if (pDockBar == NULL)
        return;     // docking is not enabled for the bar's sides
    pDockBar->DockControlBar(pBar, lpRect);
}

// Docks a bar back where it was docked last, else as a new dock.
void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    if (pDockBar == NULL)
    {
        // the side dock bar that kept the bar's place
        void* pPlaceHolder = (void*)(UINT_PTR)(WORD)pBar->GetDlgCtrlID();
        POSITION pos = m_listControlBars.GetHeadPosition();
        while (pos != NULL && pDockBar == NULL && pPlaceHolder != NULL)
        {
            CControlBar* pCandidate = (CControlBar*)m_listControlBars.GetNext(pos);
            if (IsSideDockBar(pCandidate) &&
                ((CDockBar*)pCandidate)->FindBar((CControlBar*)pPlaceHolder) > 0)
                pDockBar = (CDockBar*)pCandidate;
        }
    }
    if (pDockBar == NULL)
    {
        DockControlBar(pBar, (CDockBar*)NULL, lpRect);
        return;
    }
    pDockBar->ReDockControlBar(pBar, lpRect);
}

// Creates a floating frame of the frame's floating class; throws if the class is no dock frame.
CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    CRuntimeClass* pClass = m_pFloatingFrameClass != NULL ? m_pFloatingFrameClass
                                                          : RUNTIME_CLASS(CMiniDockFrameWnd);
    CObject* pObject = pClass->CreateObject();
    if (pObject == NULL)
        AfxThrowMemoryException();
    if (!pObject->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
    {
        delete pObject;
        AfxThrowNotSupportedException();
    }
    CMiniDockFrameWnd* pFrame = (CMiniDockFrameWnd*)pObject;
    if (!pFrame->Create(this, dwStyle))
        AfxThrowResourceException();    // a frame that failed has deleted itself
    return pFrame;
}

// Floats a bar at a screen point in a new floating frame (or moves its own frame).
void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    // a bar alone in its floating frame only moves the frame
    if (pBar->IsFloating() && pBar->m_pDockBar->GetDockedCount() == 1 &&
        (pBar->m_pDockBar->m_dwStyle & CBRS_ALIGN_ANY) == (dwStyle & CBRS_ALIGN_ANY))
    {
        CFrameWnd* pOldFrame = pBar->GetDockingFrame();
        pOldFrame->SetWindowPos(NULL, point.x, point.y, 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pOldFrame->RecalcLayout(TRUE);
        return;
    }

    // a bar that changes its shape makes a frame sized by its edges
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
        dwStyle |= CBRS_SIZE_DYNAMIC;
    CMiniDockFrameWnd* pDockFrame = CreateFloatingFrame(dwStyle);
    pDockFrame->SetWindowPos(NULL, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pDockFrame->m_wndDockBar.DockControlBar(pBar);
    pDockFrame->RecalcLayout(TRUE);
    pDockFrame->m_nShowDelay = -1;
    if (pBar->GetStyle() & WS_VISIBLE)
    {
        pDockFrame->ShowWindow(SW_SHOWNA);
        pDockFrame->UpdateWindow();
    }
}

// Shows or hides a bar now or at the next layout, its floating frame with it.
void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    CFrameWnd* pParentFrame = pBar->GetDockingFrame();
    if (pParentFrame == NULL)
        pParentFrame = this;
    if (pBar->m_nStateFlags & CControlBar::tempHide)
    {
        // hidden by the print preview: the request waits for its end
        pBar->DelayShow(bShow);
        return;
    }
    if (bDelay)
    {
        pBar->DelayShow(bShow);
        pParentFrame->DelayRecalcLayout();
    }
    else
    {
        pBar->m_nStateFlags &= ~(CControlBar::delayHide | CControlBar::delayShow);
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE |
                           SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        if (bShow || !pBar->IsFloating())
            pParentFrame->RecalcLayout(FALSE);
    }

    // the floating frame shows while one of its bars does
    if (pBar->IsFloating() && pParentFrame != this)
    {
        int nVisible = pBar->m_pDockBar->GetDockedVisibleCount();
        if (nVisible > 0 && bShow)
        {
            pParentFrame->m_nShowDelay = -1;
            if (bDelay)
            {
                pParentFrame->m_nShowDelay = SW_SHOWNA;
                pParentFrame->RecalcLayout(FALSE);
            }
            else
            {
                pParentFrame->ShowWindow(SW_SHOWNA);
            }
        }
        else if (nVisible == 0)
        {
            pParentFrame->m_nShowDelay = -1;
            if (bDelay)
                pParentFrame->m_nShowDelay = SW_HIDE;
            else
                pParentFrame->ShowWindow(SW_HIDE);
        }
        else if (!bDelay)
        {
            pParentFrame->RecalcLayout(FALSE);
        }
    }
}

// Destroys the floating frames, then the side dock bars, before the frame goes.
void CFrameWnd::DestroyDockBars()
{
    // the floating frames first, then the dock bars of the sides (the list
    // changes while windows go)
    CPtrList listFrames;
    CPtrList listDockBars;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != NULL)
    {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (!pBar->IsKindOf(RUNTIME_CLASS(CDockBar)) || pBar->m_hWnd == NULL)
            continue;
        if (((CDockBar*)pBar)->m_bFloating)
        {
            CWnd* pFrame = pBar->GetParent();
            if (pFrame != NULL && pFrame != this)
                listFrames.AddTail(pFrame->m_hWnd);
        }
        else
        {
            listDockBars.AddTail(pBar->m_hWnd);
        }
    }
    while (!listFrames.IsEmpty())
    {
        HWND hWnd = (HWND)listFrames.RemoveHead();
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
    }
    while (!listDockBars.IsEmpty())
    {
        HWND hWnd = (HWND)listDockBars.RemoveHead();
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Commands of the bars and indicators

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == NULL)
        return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar != NULL)
    {
        pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
        return;
    }
    pCmdUI->ContinueRouting();
}

// Shows the Caps/Num/Scroll/Kana indicators while the key is toggled on.
void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int nVK;
    switch (pCmdUI->m_nID)
    {
    case ID_INDICATOR_CAPS:
        nVK = VK_CAPITAL;
        break;
    case ID_INDICATOR_NUM:
        nVK = VK_NUMLOCK;
        break;
    case ID_INDICATOR_SCRL:
        nVK = VK_SCROLL;
        break;
    case ID_INDICATOR_KANA:
        nVK = VK_KANA;
        break;
    default:
        pCmdUI->ContinueRouting();
        return;
    }
    // the indicator shows while the key is toggled on
    pCmdUI->Enable((::GetKeyState(nVK) & 1) != 0);
}
