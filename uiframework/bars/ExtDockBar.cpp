// ExtDockBar.cpp - the framework's dock bars: rows of resizable bars, the circles of a
// frame, docking a bar as a row, detaching, the outer dock bar of fixed-size bars.

#include "ExtDockBar.h"
#include "ExtBarLayout.h"
#include "uiframework/foundation/ExtCmdManager.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "uiframework/foundation/ExtMemoryDC.h"

#include <algorithm>
#include <vector>

namespace
{

const char* const s_szDockBarClassName = "Baymoor-DockBar";
bool s_bDockBarClassRegistered = false;
const UINT_PTR ID_TIMER_DELAYED_LAYOUT = 901;

const UINT s_arrSides[4] = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                             AFX_IDW_DOCKBAR_RIGHT };

bool RegisterDockBarClass()
{
    if (s_bDockBarClassRegistered)
        return true;
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASSA wc;
    if (!::GetClassInfoA(hInst, s_szDockBarClassName, &wc))
    {
        ::ZeroMemory(&wc, sizeof(wc));
        wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInst;
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.lpszClassName = s_szDockBarClassName;
        if (!::RegisterClassA(&wc))
            return false;
    }
    s_bDockBarClassRegistered = true;
    return true;
}

CControlBar* EntryBar(void* p)
{
    if (p == NULL || ExtBarLayout::IsPlaceholder(p))
        return NULL;
    return (CControlBar*)p;
}

// The frame-edge dock bar of a side.
CExtDockBar* GetOuterDockBar(CFrameWnd* pFrame, UINT nDockBarID)
{
    if (pFrame == NULL)
        return NULL;
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL)
    {
        CWnd* pWnd = (CWnd*)pFrame->m_listControlBars.GetNext(pos);
        CExtDockOuterBar* pOuter = DYNAMIC_DOWNCAST(CExtDockOuterBar, pWnd);
        if (pOuter != NULL && pOuter->m_hWnd != NULL &&
            (UINT)pOuter->GetDlgCtrlID() == nDockBarID)
            return pOuter;
    }
    return NULL;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CExtDockBar

IMPLEMENT_DYNCREATE(CExtDockBar, CDockBar)

CExtDockBar::CExtDockBar(int nCircleNo)
    : CDockBar(FALSE), m_bSuspended(false), m_nCircleNo(nCircleNo), m_pDockBarOuter(NULL),
      m_pDockBarInner(NULL), m_rcLastInner(0, 0, 0, 0), m_pAutoHideArea(NULL),
      m_nAutoHideAreaThickness(0), m_bBusy(false),
      m_bInLayoutPass(false), m_bSizingParent(false)
{
}

CExtDockBar::~CExtDockBar()
{
    UnlinkCircle();
}

DWORD CExtDockBar::GetSideStyle(UINT nDockBarID)
{
    CExtControlBar::InitDockBarAlignMap();
    DWORD dw = 0;
    CExtControlBar::g_mapDockBarAlign.Lookup(nDockBarID, dw);
    return dw;
}

bool CExtDockBar::IsHorizontal() const
{
    UINT nID = m_hWnd != NULL ? (UINT)GetDlgCtrlID() : 0;
    if (nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM)
        return true;
    if (nID == AFX_IDW_DOCKBAR_LEFT || nID == AFX_IDW_DOCKBAR_RIGHT)
        return false;
    return (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
}

bool CExtDockBar::IsEmpty() const
{
    return ExtBarLayout::CountBars(m_arrBars) == 0;
}

CFrameWnd* CExtDockBar::GetSiteFrame() const
{
    if (m_pDockSite != NULL)
        return m_pDockSite;
    return GetParentFrame();
}

BOOL CExtDockBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!RegisterDockBarClass())
        return FALSE;
    if (!CDockBar::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = s_szDockBarClassName;
    return TRUE;
}

BOOL CExtDockBar::DestroyWindow()
{
    DetachAllBars();
    return CDockBar::DestroyWindow();
}

void CExtDockBar::UnlinkCircle()
{
    if (m_pDockBarOuter != NULL && m_pDockBarOuter->m_pDockBarInner == this)
        m_pDockBarOuter->m_pDockBarInner = m_pDockBarInner;
    if (m_pDockBarInner != NULL && m_pDockBarInner->m_pDockBarOuter == this)
        m_pDockBarInner->m_pDockBarOuter = m_pDockBarOuter;
    m_pDockBarOuter = NULL;
    m_pDockBarInner = NULL;
}

// The dock bar's own messages: its bars are detached before it goes, the layout records
// its inner edge, and a right click on it shows the bars menu.
LRESULT CExtDockBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_CREATE:
        {
            LRESULT lResult = CDockBar::WindowProc(message, wParam, lParam);
            if (lResult != -1)
                EnableToolTips(TRUE);
            return lResult;
        }
    case WM_DESTROY:
        DetachAllBars();
        UnlinkCircle();
        break;
    case WM_NCDESTROY:
        UnlinkCircle();
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZEPARENT:
        {
            if (m_bSuspended)
                return 0;
            AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
            bool bWasSizing = m_bSizingParent;
            m_bSizingParent = true;
            LRESULT lResult = CDockBar::WindowProc(message, wParam, lParam);
            m_bSizingParent = bWasSizing;
            if (!m_bFloating)
            {
                if (lpLayout->hDWP != NULL)
                    Invalidate();
                // the inner edge of the dock bar as the layout left it (screen)
                CRect rc(lpLayout->rect);
                CWnd* pParent = GetParent();
                if (pParent != NULL)
                    pParent->ClientToScreen(&rc);
                switch (GetDlgCtrlID())
                {
                case AFX_IDW_DOCKBAR_TOP: m_rcLastInner.SetRect(rc.left, rc.top, rc.right, rc.top); break;
                case AFX_IDW_DOCKBAR_BOTTOM: m_rcLastInner.SetRect(rc.left, rc.bottom, rc.right, rc.bottom); break;
                case AFX_IDW_DOCKBAR_LEFT: m_rcLastInner.SetRect(rc.left, rc.top, rc.left, rc.bottom); break;
                case AFX_IDW_DOCKBAR_RIGHT: m_rcLastInner.SetRect(rc.right, rc.top, rc.right, rc.bottom); break;
                default: break;
                }
            }
            return lResult;
        }
    case WM_CANCELMODE:
        {
            LRESULT lResult = CDockBar::WindowProc(message, wParam, lParam);
            if (!CExtControlBar::IsFrameInHelpMode(this))
                CExtPopupMenuWnd::CancelTracking();
            CWnd::CancelToolTips();
            return lResult;
        }
    case WM_CONTEXTMENU:
        {
            CFrameWnd* pFrame = GetSiteFrame();
            if (pFrame == NULL || CExtControlBar::IsFrameInHelpMode(this) || IsEmpty())
                return 0;
            CControlBar* pFirst = NULL;
            for (INT_PTR i = 0; i < m_arrBars.GetSize() && pFirst == NULL; i++)
                pFirst = EntryBar(m_arrBars[i]);
            CWnd* pOwner = pFirst != NULL ? pFirst->GetOwner() : pFrame;
            if (pOwner == NULL)
                pOwner = pFrame;
            CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
            if (pt.x == -1 && pt.y == -1 && !::GetCursorPos(&pt))
                pt = CPoint(0, 0);
            CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
            if (!pPopup->InitAsEmptyPopup(pOwner->m_hWnd))
            {
                delete pPopup;
                return 0;
            }
            CExtControlBar::BuildBarsMenu(pFrame, pPopup, 0, NULL, 123, this);
            if (pPopup->GetItemCount() == 0)
            {
                delete pPopup;
                return 0;
            }
            pOwner->SetFocus();
            if (!pPopup->StartTracking(0x800, pt.x, pt.y))
                delete pPopup;
            return 0;
        }
    default:
        break;
    }
    return CDockBar::WindowProc(message, wParam, lParam);
}

void CExtDockBar::DoPaint(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    CExtPaintManager::ExcludeChildAreas(pDC->GetSafeHdc(), m_hWnd);
    {
        CExtMemoryDC dc(pDC, &rcClient, 3);
        g_CurrentPaintManager->DrawDockBarBackground(dc.IsMemDC() ? (CDC&)dc : *pDC, rcClient,
                                                     this);
    }
    g_CurrentPaintManager->OnPaintSessionComplete(this);
}

void CExtDockBar::DrawBorders(CDC* pDC, CRect& rect)
{
    CExtPaintManager::BarBordersArgs_t bba(this, 1, m_dwStyle, rect);
    g_CurrentPaintManager->DrawBarBorders(*pDC, bba);
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += 2;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= 2;
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += 2;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= 2;
}

CWnd* CExtDockBar::GetAutoHideArea()
{
    return m_pAutoHideArea;
}

void CExtDockBar::SetSuspended(bool bSuspended)
{
    m_bSuspended = bSuspended;
}

// Each visible container docked here lays out its own bars again (not while suspended or
// already at it).
void CExtDockBar::RelayoutContainers()
{
    if (m_bSuspended || m_bBusy)
        return;
    m_bBusy = true;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar,
                                                          (CObject*)EntryBar(m_arrBars[i]));
        if (pContainer != NULL && pContainer->m_hWnd != NULL && pContainer->IsVisible() &&
            pContainer->m_pWndDynDockBar != NULL)
            pContainer->m_pWndDynDockBar->RelayoutContainers();
    }
    m_bBusy = false;
}

// Each container docked here recalculates its bars; they are found by handle, since a
// container may dissolve on the way.
void CExtDockBar::RecalcContainers()
{
    if (m_bSuspended)
        return;
    // the list may change while containers dissolve
    CPtrArray arrContainers;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar,
                                                          (CObject*)EntryBar(m_arrBars[i]));
        if (pContainer != NULL && pContainer->m_hWnd != NULL)
            arrContainers.Add(pContainer->m_hWnd);
    }
    for (INT_PTR i = 0; i < arrContainers.GetSize(); i++)
    {
        CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar,
            CWnd::FromHandlePermanent((HWND)arrContainers[i]));
        if (pContainer != NULL && pContainer->m_pWndDynDockBar != NULL)
            pContainer->m_pWndDynDockBar->RecalcContainers();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Row breaks asked for during a layout pass

void CExtDockBar::RequestRowBreak(CControlBar* pBeforeBar)
{
    if (pBeforeBar == NULL)
        return;
    if (m_bInLayoutPass)
    {
        if (ExtBarLayout::FindEntry(m_arrPendingBreaks, pBeforeBar) < 0)
            m_arrPendingBreaks.Add(pBeforeBar);
        return;
    }
    ExtBarLayout::InsertRowBreakBefore(m_arrBars, ExtBarLayout::FindEntry(m_arrBars, pBeforeBar));
}

void CExtDockBar::ApplyPendingBreaks()
{
    if (m_arrPendingBreaks.GetSize() == 0)
        return;
    for (INT_PTR i = 0; i < m_arrPendingBreaks.GetSize(); i++)
        ExtBarLayout::InsertRowBreakBefore(m_arrBars,
                                           ExtBarLayout::FindEntry(m_arrBars, m_arrPendingBreaks[i]));
    m_arrPendingBreaks.RemoveAll();
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();
}

/////////////////////////////////////////////////////////////////////////////
// Row layout of the circles

// Ends a layout pass of the rows: moves the deferred windows, applies the row breaks asked
// for meanwhile and gives the dock bar's size (nLength along, nThick across the rows; the
// whole length of sizeMax when stretched, bStretchRows for a dock bar holding bars).
CSize CExtDockBar::EndLayoutPass(AFX_SIZEPARENTPARAMS& layout, bool bAny, bool bStretch, bool bStretchRows,
                                 BOOL bHorz, CSize sizeMax, int nLength, int nThick)
{
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
    m_bInLayoutPass = false;
    ApplyPendingBreaks();
    if (!bAny)
        return bStretch ? (bHorz ? CSize(sizeMax.cx, 0) : CSize(0, sizeMax.cy)) : CSize(0, 0);
    if (bHorz)
        return CSize(bStretchRows ? sizeMax.cx : nLength, nThick);
    return CSize(nThick, bStretchRows ? sizeMax.cy : nLength);
}

// Inside the frame's layout the room left is the limit, even when none is left;
// otherwise the parent's client area.
CSize CExtDockBar::LayoutRoom()
{
    if (m_bSizingParent || !m_rectLayout.IsRectEmpty())
        return CSize(std::max(0, (int)m_rectLayout.Width()), std::max(0, (int)m_rectLayout.Height()));
    CRect rcParent(0, 0, 0, 0);
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->GetClientRect(&rcParent);
    return rcParent.Size();
}

// Moves a bar to rc when it stands elsewhere (outside a layout query); a docked place
// becomes the bar's last docked place.
void CExtDockBar::PlaceBar(AFX_SIZEPARENTPARAMS& layout, CControlBar* pBar, const CRect& rc)
{
    if (m_bLayoutQuery)
        return;
    CRect rcOld;
    pBar->GetWindowRect(&rcOld);
    ScreenToClient(&rcOld);
    if (rcOld == rc)
        return;
    AfxRepositionWindow(&layout, pBar->m_hWnd, &rc);
    if (pBar->m_pDockContext != NULL && !m_bFloating)
        pBar->m_pDockContext->m_rectMRUDockPos = rc;
}

CSize CExtDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = LayoutRows(bStretch, bHorz);
    RelayoutContainers();
    return size;
}

// Places the bars row by row in the room the frame leaves (the view keeping its minimum);
// rows never change, a fixed-size bar that does not fit starts a new line of its row.
CSize CExtDockBar::LayoutRows(BOOL bStretch, BOOL bHorz)
{
    CSize sizeMax = LayoutRoom();
    if (m_bFloating)
        sizeMax = CSize(32767, 32767);
    int nLengthMax = bHorz ? sizeMax.cx : sizeMax.cy;
    int nAcrossMax = bHorz ? sizeMax.cy : sizeMax.cx;

    bool bAny = GetDockedVisibleCount() > 0;
    CRect rcInside(0, 0, 0, 0);
    if (bAny)
        CalcInsideRect(rcInside, bHorz);
    int nBorderAlong = bHorz ? rcInside.left - rcInside.right : rcInside.top - rcInside.bottom;
    int nBorderAcross = bHorz ? rcInside.top - rcInside.bottom : rcInside.left - rcInside.right;
    nLengthMax -= nBorderAlong;
    nAcrossMax -= nBorderAcross;

    const CSize sizeCentre = m_bFloating ? CSize(0, 0) : GetCentreMinimum(GetParent());
    const int nCentre = bHorz ? sizeCentre.cy : sizeCentre.cx;

    AFX_SIZEPARENTPARAMS layout;
    ::ZeroMemory(&layout, sizeof(layout));
    layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos((int)m_arrBars.GetSize() + 1);

    // rows never change here: a fixed-size bar that does not fit continues on a new line
    // of its row, below (or right of) the line before
    m_bInLayoutPass = true;
    int nAcross = 0, nRowThick = 0, nNext = 0, nLongest = 0;
    bool bRowHasBar = false;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        void* pEntry = m_arrBars[i];
        if (pEntry == NULL)
        {
            if (bRowHasBar)
                nAcross += nRowThick;
            nRowThick = 0;
            nNext = 0;
            bRowHasBar = false;
            continue;
        }
        CControlBar* pBar = EntryBar(pEntry);
        if (pBar == NULL || pBar->m_hWnd == NULL)
            continue;
        if ((pBar->RecalcDelayShow(&layout) & WS_VISIBLE) == 0)
            continue;
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        bool bResizable = pExt != NULL && !pExt->IsFixedSize();
        DWORD dwMode = m_bFloating ? (LM_HORZ | LM_MRUWIDTH)
                                   : (bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
        CSize size;
        if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) || pExt != NULL)
            size = pBar->CalcDynamicLayout(-1, dwMode);
        else
            size = pBar->CalcFixedLayout(FALSE, bHorz);
        int nLength = bHorz ? size.cx : size.cy;
        int nThick = bHorz ? size.cy : size.cx;
        if (pExt != NULL && pExt->IsFullRowBar() && !m_bFloating)
            nLength = std::max(0, nLengthMax);
        // the frame's centre keeps its minimum while the bar is thicker than its own
        if (bResizable && !m_bFloating && nCentre > 0 && nAcross + nThick > nAcrossMax - nCentre)
            nThick = std::min(nThick, std::max(nAcrossMax - nCentre - nAcross,
                                               pExt->GetThicknessMinimum()));
        // a bar never reaches past the room the frame has left across the rows
        if (bResizable && !m_bFloating && nAcross + nThick > nAcrossMax)
            nThick = std::max(0, nAcrossMax - nAcross);
        int nPos = nNext;
        CExtControlBar::OuterLayoutData_t* pData = pExt != NULL ? pExt->GetOuterLayoutData()
                                                               : NULL;
        if (!bResizable && pData != NULL && pData->IsInUse() &&
            !pData->m_rcRemembered.IsRectEmpty())
            nPos = std::max(nPos, bHorz ? (int)pData->m_rcRemembered.left
                                        : (int)pData->m_rcRemembered.top);
        if (!m_bFloating && nPos + nLength > nLengthMax)
        {
            if (!bResizable && bRowHasBar && nNext + nLength > nLengthMax)
            {
                // a new line of the same row
                nAcross += nRowThick;
                nRowThick = 0;
                nNext = 0;
                nPos = 0;
            }
            else if (!bResizable)
            {
                nPos = std::max(nNext, nLengthMax - nLength);
            }
            else
            {
                nLength = std::max(0, nLengthMax - nPos);
            }
        }
        CRect rc;
        if (bHorz)
            rc.SetRect(nPos, nAcross, nPos + nLength, nAcross + nThick);
        else
            rc.SetRect(nAcross, nPos, nAcross + nThick, nPos + nLength);
        PlaceBar(layout, pBar, rc);
        nNext = nPos + nLength;
        nRowThick = std::max(nRowThick, nThick);
        nLongest = std::max(nLongest, nNext);
        bRowHasBar = true;
    }
    if (bRowHasBar)
        nAcross += nRowThick;
    return EndLayoutPass(layout, bAny, bStretch != FALSE, bStretch && !m_bFloating, bHorz, sizeMax,
                         nLongest + nBorderAlong, nAcross + nBorderAcross);
}

/////////////////////////////////////////////////////////////////////////////
// Docking and removing

void CExtDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    if (pExt != NULL && !pExt->IsFixedSize() && lpRect == NULL && !m_bFloating)
    {
        InsertBarAsRow(pBar, false);
        return;
    }
    CDockBar* pOld = pBar->m_pDockBar;
    // a floating frame that the bar leaves empty goes, its dock bar with it
    CExtDockBar* pOldExt = DYNAMIC_DOWNCAST(CExtDockBar, pOld);
    HWND hWndOld = pOldExt != NULL ? pOldExt->m_hWnd : NULL;
    // the bar is hidden and shown on the way: no row upkeep meanwhile
    bool bWasUpdating = pExt != NULL && pExt->m_bUpdatingLayout;
    if (pExt != NULL)
        pExt->m_bUpdatingLayout = true;
    CDockBar::DockControlBar(pBar, lpRect);
    if (pExt != NULL)
    {
        pExt->m_bUpdatingLayout = bWasUpdating;
        if (!bWasUpdating)
            pExt->RepositionChildWindow();
    }
    // full-row bars keep a row to themselves
    int nPos = ExtBarLayout::FindEntry(m_arrBars, pBar);
    if (nPos > 0)
    {
        auto isFullRow = [this](int n) {
            if (n <= 0 || n >= m_arrBars.GetSize())
                return false;
            CExtControlBar* p = DYNAMIC_DOWNCAST(CExtControlBar, (CObject*)EntryBar(m_arrBars[n]));
            return p != NULL && p->IsFixedDragMode() && p->IsFullRowBar();
        };
        bool bSelfFull = isFullRow(nPos);
        if (bSelfFull || isFullRow(nPos + 1))
            m_arrBars.InsertAt(nPos + 1, (void*)NULL);
        if (bSelfFull || isFullRow(nPos - 1))
            m_arrBars.InsertAt(nPos, (void*)NULL);
    }
    ExtBarLayout::NormalizeBarArray(m_arrBars);
    if (pOldExt != NULL && pOldExt != this && !m_bSuspended && hWndOld != NULL &&
        CWnd::FromHandlePermanent(hWndOld) == pOldExt)
        pOldExt->RecalcContainers();
}

BOOL CExtDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    BOOL bResult = CDockBar::RemoveControlBar(pBar, nPosExclude, nAddPlaceHolder);
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
    {
        ExtBarLayout::NormalizeBarArray(m_arrBars);
        if (!m_bSuspended)
            RecalcContainers();
    }
    return bResult;
}

// Takes the bar out of this dock bar (and its placeholders out of every dock bar when
// asked); a floating frame goes when emptied, else hides; a docked frame lays out later.
void CExtDockBar::RemoveBarEntry(CControlBar* pBar, bool bRemovePlaceholder)
{
    if (pBar == NULL)
        return;
    int nPos = ExtBarLayout::FindEntry(m_arrBars, pBar);
    if (nPos > 0)
        ExtBarLayout::RemoveEntryAt(m_arrBars, nPos);
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = NULL;
    if (bRemovePlaceholder && pBar->m_hWnd != NULL)
    {
        void* pHolder = (void*)(UINT_PTR)(WORD)pBar->GetDlgCtrlID();
        CFrameWnd* pFrame = GetSiteFrame();
        if (pFrame != NULL && pHolder != NULL)
        {
            POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
            while (pos != NULL)
            {
                CDockBar* pDock = DYNAMIC_DOWNCAST(CDockBar,
                                                   (CObject*)pFrame->m_listControlBars.GetNext(pos));
                if (pDock == NULL)
                    continue;
                int n;
                while ((n = ExtBarLayout::FindEntry(pDock->m_arrBars, pHolder)) > 0)
                    ExtBarLayout::RemoveEntryAt(pDock->m_arrBars, n);
            }
        }
    }
    if (m_bFloating)
    {
        CWnd* pMini = GetParent();
        if (pMini != NULL && pMini->IsFrameWnd())
        {
            if (GetDockedCount() == 0)
                pMini->DestroyWindow();
            else
                pMini->ShowWindow(SW_HIDE);
        }
        return;
    }
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();
}

// Removes the places the bar kept in every dock bar of the frame, containers' included,
// once it has a place again.
void CExtDockBar::RemovePlaceholdersOf(CFrameWnd* pFrame, CControlBar* pBar)
{
    if (pFrame == NULL || pBar == NULL || pBar->m_hWnd == NULL)
        return;
    void* pHolder = (void*)(UINT_PTR)(WORD)pBar->GetDlgCtrlID();
    if (pHolder == NULL)
        return;
    CPtrArray arrDocks;
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL)
    {
        CDockBar* pDock = DYNAMIC_DOWNCAST(CDockBar, (CObject*)pFrame->m_listControlBars.GetNext(pos));
        if (pDock != NULL && pDock->m_hWnd != NULL)
            arrDocks.Add(pDock);
    }
    {
        CSingleLock lock(&CExtControlBar::g_csAllBars, TRUE);
        for (INT_PTR i = 0; i < CExtControlBar::g_arrAllBars.GetSize(); i++)
        {
            CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar,
                                                              CExtControlBar::g_arrAllBars[i]);
            if (pContainer != NULL && pContainer->m_pDockSite == pFrame &&
                pContainer->m_pWndDynDockBar != NULL && pContainer->m_pWndDynDockBar->m_hWnd != NULL)
                arrDocks.Add(pContainer->m_pWndDynDockBar);
        }
    }
    for (INT_PTR i = 0; i < arrDocks.GetSize(); i++)
    {
        CDockBar* pDock = (CDockBar*)arrDocks[i];
        int n;
        while ((n = ExtBarLayout::FindEntry(pDock->m_arrBars, pHolder)) > 0)
            ExtBarLayout::RemoveEntryAt(pDock->m_arrBars, n);
    }
}

// Every bar lets go of this dock bar before it is destroyed (hidden and given to the
// frame), so that none keeps a dangling pointer to it.
void CExtDockBar::DetachAllBars()
{
    bool bSuspended = m_bSuspended;
    m_bSuspended = true;
    CFrameWnd* pSite = m_pDockSite != NULL ? m_pDockSite : GetParentFrame();
    // every entry is visited, so no bar keeps a pointer to this dock bar
    for (INT_PTR i = m_arrBars.GetSize() - 1; i >= 0; i--)
    {
        CControlBar* pBar = EntryBar(m_arrBars[i]);
        if (pBar == NULL)
            continue;
        if (pBar->m_pDockBar == this)
            pBar->m_pDockBar = NULL;
        CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
        if (pContainer != NULL && pContainer->m_pWndDynDockBar != NULL)
            pContainer->m_pWndDynDockBar->DetachAllBars();
        if (pBar->m_hWnd != NULL && ::IsWindow(pBar->m_hWnd) && pSite != NULL &&
            pSite->m_hWnd != NULL && ::IsWindow(pSite->m_hWnd) && pBar->GetParent() != pSite)
        {
            pBar->ShowWindow(SW_HIDE);
            pBar->SetParent(pSite);
        }
    }
    m_arrBars.RemoveAll();
    m_arrBars.Add(NULL);
    m_arrPendingBreaks.RemoveAll();
    m_bSuspended = bSuspended;
}

// Docks the bar as a row of its own at the outer or inner end, taking it from its old
// dock bar; the places it kept elsewhere go and the circles are compacted.
void CExtDockBar::InsertBarAsRow(CControlBar* pBar, bool bInnerEnd)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    UINT nID = (UINT)GetDlgCtrlID();
    bool bAtStart = bInnerEnd && (nID == AFX_IDW_DOCKBAR_RIGHT || nID == AFX_IDW_DOCKBAR_BOTTOM);
    CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    bool bWasUpdating = pExtBar != NULL && pExtBar->m_bUpdatingLayout;
    if (pExtBar != NULL)
        pExtBar->m_bUpdatingLayout = true;
    int nOld = ExtBarLayout::FindEntry(m_arrBars, pBar);
    if (nOld > 0)
    {
        if (nOld == 1)
        {
            if (pExtBar != NULL)
                pExtBar->m_bUpdatingLayout = bWasUpdating;
            return;
        }
        ExtBarLayout::InsertAsRow(m_arrBars, pBar, bAtStart);
    }
    else
    {
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE |
                           SWP_NOZORDER | SWP_NOACTIVATE);
        CDockBar* pOld = pBar->m_pDockBar;
        if (pBar->GetParent() != this)
            pBar->SetParent(this);
        DWORD dwStyle = pBar->GetBarStyle();
        dwStyle &= ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING);
        dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
        if (m_bFloating)
            dwStyle |= CBRS_FLOATING;
        pBar->m_dwStyle = dwStyle;
        ExtBarLayout::InsertAsRow(m_arrBars, pBar, bAtStart);
        pBar->m_pDockBar = this;
        if (pOld != NULL && pOld != this)
        {
            CExtDockBar* pOldExt = DYNAMIC_DOWNCAST(CExtDockBar, pOld);
            if (pOldExt != NULL)
            {
                pOldExt->RemoveBarEntry(pBar, false);
                pOldExt->RecalcContainers();
            }
            else if (pOld->m_hWnd != NULL)
            {
                pOld->RemoveControlBar(pBar);
            }
        }
    }
    pBar->m_pDockBar = this;
    if (pBar->m_pDockContext != NULL)
        pBar->m_pDockContext->m_uMRUDockID = nID;
    pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOMOVE |
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pExtBar != NULL)
        pExtBar->m_bUpdatingLayout = bWasUpdating;
    CFrameWnd* pFrame = GetSiteFrame();
    // the bar has its place now: places it kept elsewhere go
    RemovePlaceholdersOf(pFrame, pBar);
    if (!m_bSuspended && pFrame != NULL && !m_bFloating)
        CompactCircles(pFrame);
}

/////////////////////////////////////////////////////////////////////////////
// Circles

CExtDockBar* CExtDockBar::GetInnermost()
{
    CExtDockBar* p = this;
    while (p->m_pDockBarInner != NULL)
        p = p->m_pDockBarInner;
    return p;
}

// The dock bar of this side in the circle, making inner circles when asked; NULL when it
// does not exist (or cannot be made).
CExtDockBar* CExtDockBar::GetDockBarOfCircle(int nCircle, bool bCreate)
{
    CExtDockBar* p = this;
    while (p != NULL && p->m_nCircleNo < nCircle)
    {
        if (p->m_pDockBarInner == NULL)
        {
            if (!bCreate)
                return NULL;
            CFrameWnd* pFrame = GetSiteFrame();
            if (pFrame == NULL || CreateInnerCircle(pFrame) <= p->m_nCircleNo)
                return NULL;
            if (p->m_pDockBarInner == NULL)
                return NULL;
        }
        p = p->m_pDockBarInner;
    }
    while (p != NULL && p->m_nCircleNo > nCircle)
        p = p->m_pDockBarOuter;
    return p;
}

CExtDockBar* CExtDockBar::GetCircleDockBar(UINT nDockBarID, bool bCreate)
{
    if ((UINT)GetDlgCtrlID() == nDockBarID)
        return this;
    return FindCircleDockBar(GetSiteFrame(), m_nCircleNo, nDockBarID, bCreate);
}

CExtDockBar* CExtDockBar::FindCircleDockBar(CFrameWnd* pFrame, int nCircle, UINT nDockBarID,
                                            bool bCreate)
{
    CExtDockBar* pOuter = GetOuterDockBar(pFrame, nDockBarID);
    if (pOuter == NULL)
        return NULL;
    return pOuter->GetDockBarOfCircle(nCircle, bCreate);
}

int CExtDockBar::GetMaxCircle(CFrameWnd* pFrame)
{
    int nMax = 0;
    for (UINT nID : s_arrSides)
    {
        CExtDockBar* pOuter = GetOuterDockBar(pFrame, nID);
        if (pOuter != NULL)
            nMax = std::max(nMax, pOuter->GetInnermost()->m_nCircleNo);
    }
    return nMax;
}

namespace
{
// Window properties of a frame holding its centre minimum.
const char s_szCentreMinX[] = "ExtDockCentreMinX";
const char s_szCentreMinY[] = "ExtDockCentreMinY";
} // namespace

void CExtDockBar::SetCentreMinimum(CFrameWnd* pFrame, CSize size)
{
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return;
    ::SetPropA(pFrame->m_hWnd, s_szCentreMinX, (HANDLE)(INT_PTR)std::max(0, (int)size.cx));
    ::SetPropA(pFrame->m_hWnd, s_szCentreMinY, (HANDLE)(INT_PTR)std::max(0, (int)size.cy));
    pFrame->DelayRecalcLayout();
}

CSize CExtDockBar::GetCentreMinimum(CWnd* pFrame)
{
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return CSize(0, 0);
    return CSize((int)(INT_PTR)::GetPropA(pFrame->m_hWnd, s_szCentreMinX),
                 (int)(INT_PTR)::GetPropA(pFrame->m_hWnd, s_szCentreMinY));
}

// Adds a circle of four dock bars inside the innermost one, after it in the layout
// order; its number, or -1 when the frame has no outer dock bars.
int CExtDockBar::CreateInnerCircle(CFrameWnd* pFrame)
{
    CExtDockBar* arrOld[4] = { NULL, NULL, NULL, NULL };
    int nMax = -1;
    for (int k = 0; k < 4; k++)
    {
        CExtDockBar* pOuter = GetOuterDockBar(pFrame, s_arrSides[k]);
        if (pOuter == NULL)
            return -1;
        arrOld[k] = pOuter->GetInnermost();
        nMax = std::max(nMax, arrOld[k]->m_nCircleNo);
    }
    int nNew = nMax + 1;
    CExtDockBar* arrNew[4] = { NULL, NULL, NULL, NULL };
    for (int k = 0; k < 4; k++)
    {
        CExtDockBar* pOld = arrOld[k];
        CExtDockBar* pNew = new CExtDockBar(nNew);
        if (!pNew->Create(pFrame, GetSideStyle(s_arrSides[k]) | WS_CHILD | WS_VISIBLE |
                          WS_CLIPSIBLINGS | WS_CLIPCHILDREN, s_arrSides[k]))
        {
            delete pNew;
            AfxThrowResourceException();
        }
        pNew->m_bAutoDelete = TRUE;
        pNew->m_pDockBarOuter = pOld;
        pOld->m_pDockBarInner = pNew;
        pNew->m_dwStyle = pOld->m_dwStyle;
        pNew->m_pAutoHideArea = pOld->m_pAutoHideArea;
        if (pOld->IsWindowVisible() && !pOld->IsEmpty())
        {
            CRect rc;
            pOld->GetWindowRect(&rc);
            switch (s_arrSides[k])
            {
            case AFX_IDW_DOCKBAR_TOP: rc.bottom = rc.top; break;
            case AFX_IDW_DOCKBAR_BOTTOM: rc.top = rc.bottom; break;
            case AFX_IDW_DOCKBAR_LEFT: rc.right = rc.left; break;
            default: rc.left = rc.right; break;
            }
            pNew->m_rcLastInner = rc;
        }
        else
        {
            pNew->m_rcLastInner = pOld->m_rcLastInner;
        }
        arrNew[k] = pNew;
    }
    // layout order: the new circle follows the old circle's last side
    CWnd* pAfter = arrOld[3];
    for (int k = 0; k < 4; k++)
    {
        arrNew[k]->SetWindowPos(pAfter, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW |
                                SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING);
        pAfter = arrNew[k];
    }
    return nNew;
}

// Makes circle nCircle free for a new row of bars: a new circle of four dock bars goes
// in there and the circles inside move one number in (an empty one is used as it is).
void CExtDockBar::InsertCircle(CFrameWnd* pFrame, int nCircle)
{
    if (nCircle < 1)
        return;
    CExtDockBar* arrOld[4] = { NULL, NULL, NULL, NULL };
    bool bAllEmpty = true;
    for (int k = 0; k < 4; k++)
    {
        arrOld[k] = FindCircleDockBar(pFrame, nCircle, s_arrSides[k], false);
        if (arrOld[k] != NULL && !arrOld[k]->IsEmpty())
            bAllEmpty = false;
    }
    if (bAllEmpty)
    {
        if (arrOld[0] == NULL)
            CreateInnerCircle(pFrame);
        return;
    }
    CExtDockBar* arrNew[4] = { NULL, NULL, NULL, NULL };
    for (int k = 0; k < 4; k++)
    {
        CExtDockBar* pOuter = FindCircleDockBar(pFrame, nCircle - 1, s_arrSides[k], false);
        CExtDockBar* pNew = new CExtDockBar(nCircle);
        if (!pNew->Create(pFrame, GetSideStyle(s_arrSides[k]) | WS_CHILD | WS_VISIBLE |
                          WS_CLIPSIBLINGS | WS_CLIPCHILDREN, s_arrSides[k]))
        {
            delete pNew;
            AfxThrowResourceException();
        }
        pNew->m_bAutoDelete = TRUE;
        if (pOuter != NULL)
        {
            pNew->m_dwStyle = pOuter->m_dwStyle;
            pNew->m_pAutoHideArea = pOuter->m_pAutoHideArea;
            pNew->m_rcLastInner = pOuter->m_rcLastInner;
        }
        // renumber the old circle and everything inside it
        for (CExtDockBar* p = arrOld[k]; p != NULL; p = p->m_pDockBarInner)
            p->m_nCircleNo++;
        pNew->m_pDockBarOuter = pOuter;
        pNew->m_pDockBarInner = arrOld[k];
        if (pOuter != NULL)
            pOuter->m_pDockBarInner = pNew;
        if (arrOld[k] != NULL)
            arrOld[k]->m_pDockBarOuter = pNew;
        arrNew[k] = pNew;
    }
    CWnd* pAfter = FindCircleDockBar(pFrame, nCircle - 1, AFX_IDW_DOCKBAR_RIGHT, false);
    for (int k = 0; k < 4; k++)
    {
        if (pAfter != NULL)
            arrNew[k]->SetWindowPos(pAfter, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW |
                                    SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING);
        pAfter = arrNew[k];
    }
}

// Removes the empty circles and numbers the others again from 1, then destroys the
// containers left without bars, so no empty dock bar takes room.
void CExtDockBar::CompactCircles(CFrameWnd* pFrame)
{
    if (pFrame == NULL)
        return;
    int nMax = GetMaxCircle(pFrame);
    std::vector<bool> arrEmpty((size_t)nMax + 1, false);
    for (int n = 1; n <= nMax; n++)
    {
        bool bEmpty = true;
        for (UINT nID : s_arrSides)
        {
            CExtDockBar* p = FindCircleDockBar(pFrame, n, nID, false);
            if (p != NULL && (!p->IsEmpty() || p->m_bSuspended))
                bEmpty = false;
        }
        arrEmpty[n] = bEmpty;
    }
    std::vector<int> arrNumbers = ExtBarLayout::CompactCircleNumbers(arrEmpty);
    // collect first: removing a circle changes the chains
    CPtrArray arrRemove;
    CPtrArray arrKeep;
    CArray<int, int> arrKeepNumbers;
    for (int n = 1; n <= nMax; n++)
    {
        for (UINT nID : s_arrSides)
        {
            CExtDockBar* p = FindCircleDockBar(pFrame, n, nID, false);
            if (p == NULL)
                continue;
            if (arrNumbers[n] < 0)
                arrRemove.Add(p);
            else
            {
                arrKeep.Add(p);
                arrKeepNumbers.Add(arrNumbers[n]);
            }
        }
    }
    for (INT_PTR i = 0; i < arrRemove.GetSize(); i++)
    {
        CExtDockBar* p = (CExtDockBar*)arrRemove[i];
        p->UnlinkCircle();
        pFrame->RemoveControlBar(p);
        p->DestroyWindow();
    }
    for (INT_PTR i = 0; i < arrKeep.GetSize(); i++)
        ((CExtDockBar*)arrKeep[i])->m_nCircleNo = arrKeepNumbers[i];
    for (INT_PTR i = 0; i < arrKeep.GetSize(); i++)
        ((CExtDockBar*)arrKeep[i])->RecalcContainers();

    // containers left without bars go
    CPtrArray arrEmptyContainers;
    {
        CSingleLock lock(&CExtControlBar::g_csAllBars, TRUE);
        for (INT_PTR i = 0; i < CExtControlBar::g_arrAllBars.GetSize(); i++)
        {
            CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar,
                                                              CExtControlBar::g_arrAllBars[i]);
            if (pContainer != NULL && pContainer->m_hWnd != NULL &&
                pContainer->m_pDockSite == pFrame && pContainer->m_pWndDynDockBar != NULL &&
                pContainer->m_pWndDynDockBar->GetDockedCount() == 0)
                arrEmptyContainers.Add(pContainer->m_hWnd);
        }
    }
    for (INT_PTR i = 0; i < arrEmptyContainers.GetSize(); i++)
    {
        CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar,
            CWnd::FromHandlePermanent((HWND)arrEmptyContainers[i]));
        if (pContainer == NULL)
            continue;
        CExtDockBar* pHolder = DYNAMIC_DOWNCAST(CExtDockBar, pContainer->m_pDockBar);
        if (pHolder != NULL)
            pHolder->RemoveBarEntry(pContainer, false);
        pFrame->RemoveControlBar(pContainer);
        pContainer->DestroyWindow();
    }
}

/////////////////////////////////////////////////////////////////////////////
// CExtDockOuterBar

IMPLEMENT_DYNCREATE(CExtDockOuterBar, CExtDockBar)

CExtDockOuterBar::CExtDockOuterBar() : CExtDockBar(0), m_nOuterFlags(0)
{
}

CExtDockOuterBar::~CExtDockOuterBar()
{
}

CSize CExtDockOuterBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (m_bFloating)
        return CExtDockBar::CalcFixedLayout(bStretch, bHorz);
    CSize size = LayoutOuterRows(bStretch, bHorz);
    RelayoutContainers();
    return size;
}

// The row being gathered by LayoutOuterRows and what the rows placed so far take.
struct CExtDockOuterBar::OuterRowPass_t
{
    OuterRowPass_t(AFX_SIZEPARENTPARAMS& l, bool bH, int nMax)
        : layout(l), bHorz(bH), nLengthMax(nMax)
    {
    }
    AFX_SIZEPARENTPARAMS& layout;
    bool bHorz;
    int nLengthMax;
    int nAcross = 0, nLongest = 0;
    std::vector<CControlBar*> arrRow;
    std::vector<int> arrThick;
    std::vector<ExtBarLayout::OuterItem> items;
    // the outer layout records of the row's items (NULL for a bar without one) and the
    // copies the layout works with
    std::vector<CExtControlBar::OuterLayoutData_t*> arrData;
    std::vector<CExtControlBar::OuterLayoutData_t> arrRecords;
    int nRowCount = -1;     // bars in the row, hidden ones too; -1 before the row's first
};

// The rows of fixed-size bars along the frame edge, each fitted to the length the dock
// bar has (lines wrap, recency decides who gives room up); the size it needs.
CSize CExtDockOuterBar::LayoutOuterRows(BOOL bStretch, BOOL bHorz)
{
    CSize sizeMax = LayoutRoom();
    bool bAny = GetDockedVisibleCount() > 0;
    CRect rcInside(0, 0, 0, 0);
    if (bAny)
        CalcInsideRect(rcInside, bHorz);
    int nBorderAlong = bHorz ? rcInside.left - rcInside.right : rcInside.top - rcInside.bottom;
    int nBorderAcross = bHorz ? rcInside.top - rcInside.bottom : rcInside.left - rcInside.right;
    int nLengthMax = (bHorz ? sizeMax.cx : sizeMax.cy) - nBorderAlong;

    AFX_SIZEPARENTPARAMS layout;
    ::ZeroMemory(&layout, sizeof(layout));
    layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos((int)m_arrBars.GetSize() + 1);
    m_bInLayoutPass = true;

    OuterRowPass_t row(layout, bHorz != FALSE, nLengthMax);
    DWORD dwMode = bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        void* pEntry = m_arrBars[i];
        if (pEntry == NULL)
        {
            PlaceOuterRow(row);
            continue;
        }
        if (row.nRowCount < 0)
        {
            row.nRowCount = 0;
            for (INT_PTR j = i; j < m_arrBars.GetSize() && m_arrBars[j] != NULL; j++)
            {
                CControlBar* p = EntryBar(m_arrBars[j]);
                if (p != NULL && p->m_hWnd != NULL)
                    row.nRowCount++;
            }
        }
        CControlBar* pBar = EntryBar(pEntry);
        if (pBar == NULL || pBar->m_hWnd == NULL)
            continue;
        if ((pBar->RecalcDelayShow(&layout) & WS_VISIBLE) == 0)
            continue;
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        CSize size = ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) || pExt != NULL)
                         ? pBar->CalcDynamicLayout(-1, dwMode)
                         : pBar->CalcFixedLayout(FALSE, bHorz);
        AddOuterRowItem(row, pBar, pExt, size);
    }
    PlaceOuterRow(row);
    return EndLayoutPass(layout, bAny, bStretch != FALSE, bStretch != FALSE, bHorz, sizeMax,
                         row.nLongest + nBorderAlong, row.nAcross + nBorderAcross);
}


// A visible bar of the row joins it: its full and least length, and where its record
// wants it (a record not in use yet takes the place and length the bar has now).
void CExtDockOuterBar::AddOuterRowItem(OuterRowPass_t& row, CControlBar* pBar,
                                       CExtControlBar* pExt, CSize size)
{
    bool bHorz = row.bHorz;
    int nLengthMax = row.nLengthMax;
    ExtBarLayout::OuterItem it;
    it.nLength = bHorz ? size.cx : size.cy;
    it.nMinLength = it.nLength;
    it.nEarliest = 0;
    CExtControlBar::OuterLayoutData_t* pData = pExt != NULL ? pExt->GetOuterLayoutData() : NULL;
    CExtControlBar::OuterLayoutData_t rec;
    if (pData != NULL)
    {
        rec = *pData;
        rec.m_pBar = pExt;
        if (!rec.IsInUse())
        {
            // no record yet: the bar is taken where it stands, at the length it has
            CRect rcNow;
            pBar->GetWindowRect(&rcNow);
            ScreenToClient(&rcNow);
            rec.m_rcRemembered = rcNow;
            // (a length it had in another shape, floating or across the other way,
            // is no length along this row)
            int& nWanted = bHorz ? rec.m_nLengthHorz : rec.m_nLengthVert;
            int nNow = bHorz ? rcNow.Width() : rcNow.Height();
            bool bRowShape = (bHorz ? rcNow.Height() : rcNow.Width()) ==
                             (bHorz ? size.cy : size.cx);
            if (nWanted == 0 && nNow > 0 && bRowShape && !pExt->IsFullRowBar())
                nWanted = std::min(nNow, bHorz ? (int)size.cx : (int)size.cy);
        }
    }
    if (pExt != NULL && pExt->IsFullRowBar())
        it.nLength = it.nMinLength = std::max(0, nLengthMax);
    else if (pData != NULL)
    {
        if (pExt->IsWrappable())
        {
            CSize sizeMin = pExt->GetMinDockedSize();
            it.nMinLength = std::min(it.nLength, (int)(bHorz ? sizeMin.cx : sizeMin.cy));
            // the length the user left it at, within what it can be
            int nWanted = bHorz ? rec.m_nLengthHorz : rec.m_nLengthVert;
            if (nWanted > 0)
                it.nLength = std::max(it.nMinLength, std::min(it.nLength, nWanted));
        }
        if (!rec.m_rcRemembered.IsRectEmpty())
            it.nEarliest = bHorz ? rec.m_rcRemembered.left : rec.m_rcRemembered.top;
    }
    else if (pExt != NULL && pExt->IsWrappable())
    {
        CSize sizeMin = pExt->GetMinDockedSize();
        it.nMinLength = std::min(it.nLength, (int)(bHorz ? sizeMin.cx : sizeMin.cy));
    }
    row.arrRow.push_back(pBar);
    row.arrThick.push_back(bHorz ? size.cy : size.cx);
    row.items.push_back(it);
    row.arrData.push_back(pData);
    row.arrRecords.push_back(rec);
}

// The gathered row is fitted and its bars placed, in lines after the rows before it; the
// recency ranks go back to the records (not in a layout query).
void CExtDockOuterBar::PlaceOuterRow(OuterRowPass_t& row)
{
    AFX_SIZEPARENTPARAMS& layout = row.layout;
    bool bHorz = row.bHorz;
    int nLengthMax = row.nLengthMax;
    int& nAcross = row.nAcross;
    int& nLongest = row.nLongest;
    int& nRowCount = row.nRowCount;
    std::vector<CControlBar*>& arrRow = row.arrRow;
    std::vector<int>& arrThick = row.arrThick;
    std::vector<ExtBarLayout::OuterItem>& items = row.items;
    std::vector<CExtControlBar::OuterLayoutData_t*>& arrData = row.arrData;
    std::vector<CExtControlBar::OuterLayoutData_t>& arrRecords = row.arrRecords;
    int nCount = nRowCount;
    nRowCount = -1;
    if (arrRow.empty())
        return;
    // recency: a record not in use takes the next rank above the row's count; the
    // layout gives the row's room up in rank order
    std::vector<int> ranks(arrRow.size(), -1);
    for (size_t k = 0; k < arrRow.size(); k++)
    {
        if (arrData[k] != NULL)
            ranks[k] = std::max(arrRecords[k].m_nRank, 0);
    }
    ExtBarLayout::RankRowForLayout(ranks, nCount);
    for (size_t k = 0; k < arrRow.size(); k++)
    {
        if (arrData[k] == NULL)
            continue;
        items[k].nRank = ranks[k];
        arrRecords[k].m_nRank = ranks[k];
        if (!m_bLayoutQuery)
            *arrData[k] = arrRecords[k];
    }
    std::vector<ExtBarLayout::OuterPlace> places = ExtBarLayout::FitOuterRow(items, nLengthMax);
    std::vector<int> arrLineThick;
    for (size_t k = 0; k < places.size(); k++)
    {
        if ((int)arrLineThick.size() <= places[k].nLine)
            arrLineThick.resize(places[k].nLine + 1, 0);
        arrLineThick[places[k].nLine] = std::max(arrLineThick[places[k].nLine], arrThick[k]);
    }
    std::vector<int> arrLineStart(arrLineThick.size(), nAcross);
    for (size_t n = 1; n < arrLineThick.size(); n++)
        arrLineStart[n] = arrLineStart[n - 1] + arrLineThick[n - 1];
    for (size_t k = 0; k < places.size(); k++)
    {
        const ExtBarLayout::OuterPlace& pl = places[k];
        int nStart = arrLineStart[pl.nLine];
        CRect rc = bHorz ? CRect(pl.nPos, nStart, pl.nPos + pl.nLength, nStart + arrThick[k])
                         : CRect(nStart, pl.nPos, nStart + arrThick[k], pl.nPos + pl.nLength);
        CControlBar* pBar = arrRow[k];
        PlaceBar(layout, pBar, rc);
        nLongest = std::max(nLongest, pl.nPos + pl.nLength);
    }
    for (int nThick : arrLineThick)
        nAcross += nThick;
    arrRow.clear();
    arrThick.clear();
    items.clear();
    arrData.clear();
    arrRecords.clear();
}

// The bar's record takes the place and length the bar has now, and the bar becomes the
// most recent of its row.
void CExtDockOuterBar::RefreshOuterLayoutData(CExtControlBar* pBar)
{
    CExtControlBar::OuterLayoutData_t* pData = pBar != NULL ? pBar->GetOuterLayoutData() : NULL;
    if (pData == NULL || pBar->m_hWnd == NULL)
        return;
    pData->m_pBar = pBar;
    CRect rc;
    pBar->GetWindowRect(&rc);
    ScreenToClient(&rc);
    pData->m_rcRemembered = rc;
    if (IsHorizontal())
        pData->m_nLengthHorz = rc.Width();
    else
        pData->m_nLengthVert = rc.Height();
    MakeMostRecent(pBar);
}

// Gives the bar rank 1 of its row's recency, the others of the row moving one back, so
// that it is the last to give room up.
void CExtDockOuterBar::MakeMostRecent(CExtControlBar* pBar)
{
    CExtControlBar::OuterLayoutData_t* pData = pBar != NULL ? pBar->GetOuterLayoutData() : NULL;
    if (pData == NULL)
        return;
    pData->m_nRank = 1;
    int nPos = ExtBarLayout::FindEntry(m_arrBars, pBar);
    int nFirst = 0, nLast = 0;
    if (!ExtBarLayout::GetRowBounds(m_arrBars, nPos, nFirst, nLast))
        return;
    // the framework bars of the row, hidden ones too, in entry order
    std::vector<CExtControlBar::OuterLayoutData_t*> arrRow;
    std::vector<int> ranks;
    int nSelf = -1;
    for (int i = nFirst; i <= nLast; i++)
    {
        CExtControlBar* pOther = DYNAMIC_DOWNCAST(CExtControlBar, (CObject*)EntryBar(m_arrBars[i]));
        if (pOther == NULL)
            continue;
        CExtControlBar::OuterLayoutData_t* pOtherData = pOther->GetOuterLayoutData();
        if (pOther == pBar)
            nSelf = (int)arrRow.size();
        arrRow.push_back(pOtherData);
        ranks.push_back(pOtherData != NULL ? std::max(pOtherData->m_nRank, 0) : -1);
    }
    ExtBarLayout::RankMostRecent(ranks, nSelf, (int)m_arrBars.GetSize());
    for (size_t k = 0; k < arrRow.size(); k++)
    {
        if (arrRow[k] != NULL)
            arrRow[k]->m_nRank = ranks[k];
    }
}

// A resizable bar docked at a frame edge goes to circle 1 inside; fixed-size ones dock
// here.
void CExtDockOuterBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    if (pExt != NULL && !pExt->IsFixedSize())
    {
        // resizable bars live in the circles inside
        CExtDockBar* pInner = FindCircleDockBar(GetSiteFrame(), 1, (UINT)GetDlgCtrlID(), true);
        if (pInner != NULL)
        {
            pInner->DockControlBar(pBar, lpRect);
            return;
        }
    }
    CExtDockBar::DockControlBar(pBar, lpRect);
}

// The frame edge passes the system's colour, setting and display changes on to the paint
// and command managers, and runs the delayed frame layout on its timer.
LRESULT CExtDockOuterBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
        {
            LRESULT lResult = CExtDockBar::WindowProc(message, wParam, lParam);
            if (message == WM_SYSCOLORCHANGE)
            {
                g_CurrentPaintManager.OnSysColorChange(this);
                g_CmdManagerHolder->OnSysColorChange();
            }
            else if (message == WM_SETTINGCHANGE)
            {
                g_CurrentPaintManager.OnSettingChange(this, (UINT)wParam, (LPCTSTR)lParam);
                g_CmdManagerHolder->OnSettingChange((UINT)wParam, (LPCTSTR)lParam);
            }
            else
            {
                g_CurrentPaintManager->OnDisplayChange((int)wParam, LOWORD(lParam), HIWORD(lParam));
                g_CmdManagerHolder->OnDisplayChange((int)wParam, LOWORD(lParam), HIWORD(lParam));
            }
            return lResult;
        }
    case WM_LBUTTONDBLCLK:
        if (CExtControlBar::IsFrameInHelpMode(this))
            return 0;
        break;
    case WM_TIMER:
        if (wParam == ID_TIMER_DELAYED_LAYOUT)
        {
            CFrameWnd* pFrame = GetSiteFrame();
            if (pFrame != NULL && pFrame->IsWindowVisible() && !pFrame->m_bInRecalcLayout &&
                (m_nOuterFlags & 1) == 0 && !CExtControlBar::IsFrameSerializing(pFrame))
            {
                m_nOuterFlags |= 1;
                pFrame->RecalcLayout();
                m_nOuterFlags &= ~1;
            }
            KillTimer(ID_TIMER_DELAYED_LAYOUT);
            m_nOuterFlags &= ~2;
            return 0;
        }
        break;
    default:
        break;
    }
    return CExtDockBar::WindowProc(message, wParam, lParam);
}
