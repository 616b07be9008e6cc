// ExtControlBar.cpp - CExtControlBar: the list of all bars, creation, sizes, row fitting,
// frame docking set-up, bar queries, status texts, bar menus and context menus.

#include "ExtControlBar.h"
#include "ExtDynAutoHide.h"
#include "ExtDynTabControlBar.h"
#include "ExtBarLayout.h"
#include "uiframework/foundation/ExtCmdManager.h"
#include "uiframework/foundation/ExtResourceManager.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "uiframework/foundation/ExtMemoryDC.h"
#include "afxpriv.h"

#include <algorithm>

namespace
{

const char* const s_szBarClassName = "Baymoor-ControlBar";
bool s_bBarClassRegistered = false;

bool IsOfClassName(const CObject* pObj, LPCSTR lpszName)
{
    if (pObj == NULL)
        return false;
    for (CRuntimeClass* p = pObj->GetRuntimeClass(); p != NULL; p = p->m_pBaseClass)
    {
        if (lstrcmpA(p->m_lpszClassName, lpszName) == 0)
            return true;
    }
    return false;
}

// Links of the foundation's paint manager and popup menus to the bars.
bool LinkIsDockedVertically(CExtControlBar* pBar)
{
    return pBar != NULL && pBar->IsDockedVertically();
}

void LinkShowCommandStatusText(CWnd* pWnd, UINT nCmdID)
{
    CExtControlBar::ShowCommandStatusText(pWnd, nCmdID);
}

BOOL LinkIsFrameInHelpMode(CWnd* pWnd)
{
    return CExtControlBar::IsFrameInHelpMode(pWnd);
}

} // namespace

bool ExtBarsIsOfClassName(const CObject* pObj, LPCSTR lpszName)
{
    return IsOfClassName(pObj, lpszName);
}

/////////////////////////////////////////////////////////////////////////////
// Process-wide objects (made by the static initialisation, in this order)

ExtControlBarVector_t CExtControlBar::g_arrAllBars;
CCriticalSection CExtControlBar::g_csAllBars;
CMap<UINT, UINT, DWORD, DWORD> CExtControlBar::g_mapDockBarAlign(10);
int CExtControlBar::g_nDockingUIStyle = -1;
BOOL CExtControlBar::g_bCmdManagerStatusTips = TRUE;
CExtControlBar::InternalDraggingState_t CExtControlBar::g_DragStateCurrent(NULL);
CExtControlBar::InternalDraggingState_t CExtControlBar::g_DragStateCandidate(NULL);
CMap<CFrameWnd*, CFrameWnd*, WORD, WORD> CExtControlBar::g_mapSerializingFrames(10);
CPtrArray CExtControlBar::g_arrDockMarkersOuter;
CPtrArray CExtControlBar::g_arrDockMarkersInner;
HCURSOR CExtControlBar::g_hCursorArrow = ::LoadCursor(NULL, IDC_ARROW);
HCURSOR CExtControlBar::g_hCursorSizeAll = ::LoadCursor(NULL, IDC_SIZEALL);
HCURSOR CExtControlBar::g_hCursorSizeNS = ::LoadCursor(NULL, IDC_SIZENS);
HCURSOR CExtControlBar::g_hCursorSizeWE = ::LoadCursor(NULL, IDC_SIZEWE);

bool CExtControlBar::IsFrameSerializing(CFrameWnd* pFrame, bool* pbLoading)
{
    WORD nValue = 0;
    bool bIn = pFrame != NULL && g_mapSerializingFrames.Lookup(pFrame, nValue) != FALSE;
    if (pbLoading != NULL)
        *pbLoading = bIn && nValue != 0;
    return bIn;
}

void CExtControlBar::InitDockBarAlignMap()
{
    if (g_mapDockBarAlign.GetCount() != 0)
        return;
    g_mapDockBarAlign.InitHashTable(17);
    g_mapDockBarAlign.SetAt(AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM);
    g_mapDockBarAlign.SetAt(AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP);
    g_mapDockBarAlign.SetAt(AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT);
    g_mapDockBarAlign.SetAt(AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT);
}

namespace
{

struct BarStaticsInit
{
    BarStaticsInit()
    {
        CExtControlBar::InitDockBarAlignMap();
        CExtPaintManager::g_BarLinks.m_pfnIsDockedVertically = LinkIsDockedVertically;
        CExtPopupMenuWnd::g_BarLinks.m_pfnShowCommandStatusText = LinkShowCommandStatusText;
        CExtPopupMenuWnd::g_BarLinks.m_pfnIsFrameInHelpMode = LinkIsFrameInHelpMode;
    }
};
const BarStaticsInit s_barStaticsInit;

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Records

CExtControlBar::InternalDraggingState_t::InternalDraggingState_t(CExtControlBar* pBar)
    : m_bEmpty(true), m_bFlag2(false), m_eType(0), m_nCircle(0), m_rc(0, 0, 0, 0),
      m_pBarSource(pBar), m_pBarTarget(NULL), m_nTabIndex(0), m_nCursorKind(0)
{
}

bool CExtControlBar::InternalDraggingState_t::IsEqual(const InternalDraggingState_t& o) const
{
    return m_bEmpty == o.m_bEmpty && m_bFlag2 == o.m_bFlag2 && m_eType == o.m_eType &&
           m_nCircle == o.m_nCircle && m_rc == o.m_rc && m_pBarSource == o.m_pBarSource &&
           m_pBarTarget == o.m_pBarTarget && m_nTabIndex == o.m_nTabIndex;
}

CExtControlBar::POPUP_MENU_EVENT_DATA::POPUP_MENU_EVENT_DATA(
    int nEventKind, CExtPopupMenuWnd* pPopupMenuWnd, CWnd* pWndEventSrc,
    const POINT& ptScreen, UINT nMsgID, CObject* pObjectSrc)
    : m_nEventKind(nEventKind), m_pPopupMenuWnd(pPopupMenuWnd), m_pWndEventSrc(pWndEventSrc),
      m_nMsgID(nMsgID), m_pObjectSrc(pObjectSrc), m_pWndTarget(NULL), m_nFlags(0),
      m_ptScreen(ptScreen)
{
    if (m_ptScreen.x == -1 && m_ptScreen.y == -1)
    {
        if (!::GetCursorPos(&m_ptScreen))
            m_ptScreen = CPoint(0, 0);
    }
}

bool CExtControlBar::POPUP_MENU_EVENT_DATA::IsBarListEvent() const
{
    return (m_nEventKind >= 0 && m_nEventKind <= 6) || m_nEventKind == 11 ||
           m_nEventKind == 14;
}

// Sends the menu event to the frame the source belongs to (the dock site, past a mini
// frame) in the given phase; TRUE when that frame handled it.
bool CExtControlBar::POPUP_MENU_EVENT_DATA::NotifyTarget(bool bSecondPhase)
{
    if (bSecondPhase)
        m_nFlags |= 1;
    else
        m_nFlags &= ~1;
    m_pWndTarget = NULL;
    CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, m_pWndEventSrc);
    if (pBar != NULL && pBar->m_pDockSite != NULL)
        m_pWndTarget = pBar->m_pDockSite;
    if (m_pWndTarget == NULL && m_pWndEventSrc != NULL && m_pWndEventSrc->m_hWnd != NULL)
    {
        CFrameWnd* pFrame = m_pWndEventSrc->IsFrameWnd() ? (CFrameWnd*)m_pWndEventSrc
                                                          : m_pWndEventSrc->GetParentFrame();
        if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
            pFrame = pFrame->GetParentFrame();
        if (pFrame == NULL)
        {
            CWnd* pParent = m_pWndEventSrc->GetParent();
            if (pParent != NULL && pParent->IsFrameWnd())
                pFrame = (CFrameWnd*)pParent;
        }
        m_pWndTarget = pFrame;
    }
    if (m_pWndTarget == NULL || m_pWndTarget->m_hWnd == NULL)
        return false;
    return m_pWndTarget->SendMessage(CExtControlBar::g_nMsgConstructPopupMenu,
                                     (WPARAM)this) != 0;
}

/////////////////////////////////////////////////////////////////////////////
// Construction

IMPLEMENT_DYNCREATE(CExtControlBar, CControlBar)

// A bar starts with caption and strip sizes from the system metrics and joins the list
// of all bars.
CExtControlBar::CExtControlBar()
    : m_bCaptionAlwaysHorizontal(true), m_bEraseBackground(false), m_bInPlainWindow(false),
      m_bTakesPartInLayout(true), m_bClosing(false), m_bListedInBarsMenu(true),
      m_bFixedSize(false), m_bRowResizing(false), m_bColumnResizing(false),
      m_bDragging(false), m_bChildFillsClient(true), m_bUpdatingLayout(false),
      m_bActive(false), m_bResizingLeadingStrip(false), m_bNcButtonHover(false),
      m_bAutoHidden(false), m_bSyncingRow(false)
{
    int nSmCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
    m_nCaptionHeight = nSmCaption + 1;
    m_nCaptionWidth = nSmCaption + 1;
    m_nSplitterCY = std::min(::GetSystemMetrics(SM_CYFRAME), 4);
    m_nSplitterCX = std::min(::GetSystemMetrics(SM_CXFRAME), 4);
    m_nNcExtraX = nSmCaption + m_nSplitterCY + 1;
    m_nNcExtraY = nSmCaption + m_nSplitterCY + 1;
    m_nTrackerPos = 0;
    m_nTrackerValue = 0;
    m_sizeDockedH = CSize(200, 150);
    m_sizeDockedV = CSize(150, 200);
    m_sizeFloated = CSize(200, 200);
    m_rcCaption.SetRectEmpty();
    m_rcRowResizer.SetRectEmpty();
    m_rcColumnResizerNext.SetRectEmpty();
    m_rcColumnResizerPrev.SetRectEmpty();
    m_nSavedRowExtent = 0;
    m_ptFloatPos = CPoint(0, 0);
    m_nDragOffsetX = m_nDragOffsetY = m_nDragOffsetFloatX = m_nDragOffsetFloatY = 0;
    m_ptLastDragPos = CPoint(-1, -1);
    m_hCursorLast = NULL;

    CSingleLock lock(&g_csAllBars, TRUE);
    g_arrAllBars.Add(this);
}

// The bar leaves the list of all bars and the drag states, and its window goes without
// deleting the object a second time.
CExtControlBar::~CExtControlBar()
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
    if (g_DragStateCurrent.m_pBarSource == this)
        g_DragStateCurrent = InternalDraggingState_t(NULL);
    if (g_DragStateCandidate.m_pBarSource == this)
        g_DragStateCandidate = InternalDraggingState_t(NULL);
    if (m_hWnd != NULL)
    {
        // the object is going already: the window must not delete it once more
        m_bAutoDelete = FALSE;
        DestroyWindow();
    }
    NcButtonsDestroy();
}

// The window class of every bar, registered once per process (or found already there).
bool CExtControlBar::RegisterBarClass()
{
    if (s_bBarClassRegistered)
        return true;
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASSA wc;
    if (::GetClassInfoA(hInst, s_szBarClassName, &wc))
    {
        s_bBarClassRegistered = true;
        return true;
    }
    ::ZeroMemory(&wc, sizeof(wc));
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInst;
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = s_szBarClassName;
    if (!::RegisterClassA(&wc))
        return false;
    s_bBarClassRegistered = true;
    return true;
}

BOOL CExtControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!RegisterBarClass())
        return FALSE;
    if (!CControlBar::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = s_szBarClassName;
    return TRUE;
}

// Creates the bar's window; without a name the caption comes from the command's menu text
// or the string of its id (up to the first line break).
BOOL CExtControlBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    if (!RegisterBarClass())
        return FALSE;
    m_dwStyle = dwStyle & 0x0040FFFF;

    CString strCaption;
    if (lpszWindowName != NULL)
    {
        strCaption = lpszWindowName;
    }
    else if (nID != 0 && nID != (UINT)-1)
    {
        LPCTSTR lpszProfile = pParentWnd != NULL
            ? g_CmdManagerHolder->FindProfileNameForWindow(pParentWnd->GetSafeHwnd()) : NULL;
        CExtCmdItem* pItem = lpszProfile != NULL ? g_CmdManagerHolder->FindCommand(lpszProfile, nID)
                                                 : NULL;
        if (pItem != NULL)
        {
            strCaption = pItem->m_strMenuText;
            strCaption.Remove('&');
        }
        else if (!g_ResourceManagerHolder->LoadString(strCaption, nID))
        {
            strCaption.Empty();
        }
    }
    int nLineFeed = strCaption.Find('\n');
    if (nLineFeed >= 0)
        strCaption = strCaption.Left(nLineFeed);

    CRect rc(0, 0, 0, 0);
    return CWnd::Create(s_szBarClassName, strCaption,
                        (dwStyle & 0xFFBF0000) | WS_CLIPCHILDREN, rc, pParentWnd, nID);
}

// A bar subclassed in a plain window (neither frame nor bar as parent) works as a plain
// child window, its style taken from the window.
void CExtControlBar::PreSubclassWindow()
{
    CControlBar::PreSubclassWindow();
    m_bClosing = false;
    if (!m_bInPlainWindow)
    {
        CWnd* pParent = GetParent();
        if (pParent != NULL && !pParent->IsKindOf(RUNTIME_CLASS(CControlBar)) &&
            !pParent->IsFrameWnd())
        {
            m_dwStyle = GetStyle() & 0x0040FFFF;
            m_bInPlainWindow = true;
        }
    }
    if (m_dwStyle & CBRS_TOOLTIPS)
        EnableToolTips(TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// Simple virtual operations

namespace
{

// The frame whose bar a bars-menu item toggles: the receiver, or the frame around it.
CFrameWnd* BarsMenuFrame(HWND hWndReceiver)
{
    CWnd* pWnd = hWndReceiver != NULL ? CWnd::FromHandlePermanent(hWndReceiver) : NULL;
    if (pWnd == NULL)
        return NULL;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pWnd);
    if (pFrame == NULL || pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pFrame = pWnd->GetParentFrame();
    while (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    return pFrame;
}

// A bars-menu item: the frame's own command for the bar id when it has one, else the
// bar is shown or hidden here.
bool DeliverBarsMenuItem(CExtPopupMenuWnd* pPopup, CExtPopupMenuWnd::MENUITEMDATA* pItem)
{
    if (pPopup == NULL || pItem == NULL)
        return false;
    const UINT nID = pItem->m_nCmdID;
    CFrameWnd* pFrame = BarsMenuFrame(pItem->m_hWndSpecCmdReceiver != NULL
                                          ? pItem->m_hWndSpecCmdReceiver
                                          : pPopup->GetCmdReceiverHWND());
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return false;
    AFX_CMDHANDLERINFO info;
    info.pTarget = NULL;
    if (pFrame->OnCmdMsg(nID, CN_COMMAND, NULL, &info))
        return false;
    CControlBar* pBar = pFrame->GetControlBar(nID);
    if (pBar == NULL)
        return false;
    HWND hWndBar = pBar->m_hWnd;
    const BOOL bShow = (pBar->GetStyle() & WS_VISIBLE) == 0;
    pPopup->EndWithCommand(0);
    if (::IsWindow(hWndBar) && ::IsWindow(pFrame->m_hWnd))
        pFrame->ShowControlBar(pBar, bShow, FALSE);
    return true;
}

} // namespace

bool CExtControlBar::AppendToBarsMenu(CExtPopupMenuWnd* pPopup)
{
    if (!m_bListedInBarsMenu || pPopup == NULL)
        return false;
    CString strText;
    GetWindowText(strText);
    // the item carries its own text, so its check mark comes from the bar here
    const int nCheck = (GetStyle() & WS_VISIBLE) != 0 ? 1 : 0;
    if (!pPopup->InsertCommandItem((UINT)GetDlgCtrlID(), -1, strText, NULL, NULL, nCheck))
        return false;
    pPopup->GetItemAt(pPopup->GetItemCount() - 1).m_pCbCmdDeliver = DeliverBarsMenuItem;
    return true;
}

bool CExtControlBar::IsFrameInPrintPreview()
{
    if (m_pDockSite == NULL || m_bInPlainWindow || m_pDockSite->m_hWnd == NULL)
        return false;
    CView* pView = m_pDockSite->GetActiveView();
    return pView != NULL && pView->IsKindOf(RUNTIME_CLASS(CPreviewView));
}

bool CExtControlBar::IsFixedSize() const { return m_bFixedSize; }
bool CExtControlBar::IsFixedDragMode() const { return IsFixedSize(); }
bool CExtControlBar::IsFullRowBar() const { return false; }
bool CExtControlBar::IsButtonInputBlocked() const { return false; }
bool CExtControlBar::IsDynamicDockingAllowed() const { return true; }
bool CExtControlBar::IsTabbedDockingAllowed(CExtControlBar*) const { return true; }
CSize CExtControlBar::GetMinFloatingSize() { return CSize(80, 60); }
CSize CExtControlBar::GetMinDockedSize() { return CSize(CalcMinWidth(), CalcMinHeight()); }
int CExtControlBar::HelpHitTest(CPoint) { return -1; }
bool CExtControlBar::IsWrappable() const { return false; }
CExtControlBar::OuterLayoutData_t* CExtControlBar::GetOuterLayoutData() { return NULL; }
void CExtControlBar::SetOuterLayoutData(const OuterLayoutData_t&) {}

void CExtControlBar::ResetOuterLayoutData()
{
    OuterLayoutData_t* pData = GetOuterLayoutData();
    if (pData != NULL)
        pData->Reset();
}

void CExtControlBar::SyncOuterLayoutData()
{
    OuterLayoutData_t* pData = GetOuterLayoutData();
    CExtDockOuterBar* pOuter = DYNAMIC_DOWNCAST(CExtDockOuterBar, m_pDockBar);
    if (pData != NULL && pOuter != NULL)
        pOuter->RefreshOuterLayoutData(this);
}

// Moves a docked resizable bar (its whole group for a member) into the auto-hide area of
// its side or back; FALSE for fixed-size or floating bars or when no area is found.
bool CExtControlBar::AutoHideModeSet(CExtControlBar* pBar, bool bAutoHide, bool,
                                     bool bRecalcLayout, bool bUpdateArea)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return false;
    if ((bAutoHide || pBar->m_bAutoHidden) && (pBar->IsFixedSize() || pBar->IsFixedDragMode()))
        return false;
    if (pBar->IsFloating())
        return false;
    if (pBar->m_bAutoHidden == bAutoHide)
        return true;
    // a member of a tab group goes with its group
    CExtControlBar* pGroup = pBar->GetTabbedContainer();
    if (pGroup != NULL && pGroup != pBar)
    {
        pGroup->m_nSavedRowExtent = 0;
        pBar = pGroup;
        if (!bAutoHide)
            bUpdateArea = true;
    }
    CExtDynAutoHideArea* pArea = NULL;
    if (bAutoHide)
    {
        CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pBar->m_pDockBar);
        if (pDock != NULL)
            pArea = DYNAMIC_DOWNCAST(CExtDynAutoHideArea, pDock->GetAutoHideArea());
        if (pArea == NULL)
            pArea = CExtDynAutoHideArea::FindAreaForBar(pBar);
    }
    else
        pArea = CExtDynAutoHideArea::FindBarArea(pBar);
    if (pArea == NULL && !bAutoHide)
    {
        // a group's members are the items of its area
        CExtDynTabControlBar* pTabs = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar);
        for (int i = 0; pArea == NULL && pTabs != NULL && i < pTabs->m_wndTabs.GetItemCount(); i++)
            pArea = CExtDynAutoHideArea::FindBarArea(
                (CExtControlBar*)pTabs->m_wndTabs.GetItem(i)->m_lParam);
    }
    if (pArea == NULL || pArea->m_hWnd == NULL)
        return false;
    if (bAutoHide)
    {
        // without a layout now the bar only joins its strip (a restore, say)
        pArea->AppendBar(pBar, !bRecalcLayout);
    }
    else
    {
        if (bUpdateArea && pArea->GetSlider() != NULL && pArea->GetSlider()->m_hWnd != NULL)
            pArea->GetSlider()->SendMessage(WM_CANCELMODE);
        pArea->RemoveBar(pBar, false);
    }
    if (bRecalcLayout && pBar->m_pDockSite != NULL)
    {
        pBar->m_pDockSite->RecalcLayout();
        if (!pBar->m_bAutoHidden && pBar->m_hWnd != NULL)
        {
            pBar->LayoutNcAreaButtons();
            pBar->PostMessage(WM_NCPAINT);
            pBar->PostMessage(WM_TIMER, 0x1005);
        }
    }
    CExtPaintManager::PumpPaintMessages(true, true, true);
    return true;
}

void CExtControlBar::PaintBarBackground(CDC& dc, const RECT& rc)
{
    g_CurrentPaintManager->DrawControlBarBackground(dc, rc, this);
}

int CExtControlBar::CalcMinWidth()
{
    int n = m_rcColumnResizerPrev.Width() + m_nNcExtraX;
    if (m_bCaptionAlwaysHorizontal)
        n = std::max(n, 10);
    return n;
}

int CExtControlBar::CalcMinHeight()
{
    return m_rcColumnResizerPrev.Height() + m_nNcExtraY;
}

bool CExtControlBar::IsLiveDragDocking() const
{
    // fixed-size bars always move live; the marker interface makes every bar live
    if (IsFixedSize())
        return true;
    int nStyle = g_nDockingUIStyle;
    if (nStyle == -1)
        nStyle = g_CurrentPaintManager->GetDockingMarkerStyle();
    return nStyle == 1;
}

bool CExtControlBar::IsRowResizingLive() const
{
    int nStyle = g_nDockingUIStyle;
    if (nStyle == -1)
        nStyle = g_CurrentPaintManager->GetDockingMarkerStyle();
    if (nStyle == 1)
        return false;
    return IsLiveDragDocking();
}

bool CExtControlBar::IsColumnResizingLive() const
{
    return IsRowResizingLive();
}

void CExtControlBar::RecalcNcFrame()
{
    if (m_hWnd != NULL && IsWindowVisible())
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER |
                     SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CExtControlBar::GetBarCaptionText(CString& strText)
{
    strText.Empty();
    if (m_hWnd != NULL)
        GetWindowText(strText);
}

CExtControlBar* CExtControlBar::GetTabbedContainer()
{
    CWnd* pParent = m_hWnd != NULL ? GetParent() : NULL;
    if (pParent == NULL || !IsOfClassName(pParent, "CExtDockDynTabBar"))
        return NULL;
    return DYNAMIC_DOWNCAST(CExtControlBar, pParent->GetParent());
}

CExtControlBar* CExtControlBar::GetDraggedBar()
{
    CSingleLock lock(&g_csAllBars, TRUE);
    for (INT_PTR i = 0; i < g_arrAllBars.GetSize(); i++)
    {
        if (g_arrAllBars[i]->m_bDragging)
            return g_arrAllBars[i];
    }
    return NULL;
}

void CExtControlBar::OnUpdateShowHideCmdUI(CCmdUI* pCmdUI, BOOL bAlways)
{
    pCmdUI->Enable(TRUE);
    if (bAlways || IsFixedDragMode())
        pCmdUI->SetCheck(m_hWnd != NULL && IsWindowVisible());
}

/////////////////////////////////////////////////////////////////////////////
// Placement queries

UINT CExtControlBar::GetSafeDockBarDlgCtrlID() const
{
    if (m_pDockBar == NULL || m_pDockBar->m_hWnd == NULL)
        return 0;
    return (UINT)m_pDockBar->GetDlgCtrlID();
}

bool CExtControlBar::IsFloating() const
{
    if (m_pDockBar == NULL)
        return false;
    if (m_pDockBar->m_bFloating)
        return true;
    UINT nID = GetSafeDockBarDlgCtrlID();
    return nID == AFX_IDW_DOCKBAR_FLOAT;
}

bool CExtControlBar::IsDocked() const
{
    UINT nID = GetSafeDockBarDlgCtrlID();
    return nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_BOTTOM && !IsFloating();
}

bool CExtControlBar::IsDockedHorizontally() const
{
    if (m_pDockBar == NULL || m_pDockBar->m_hWnd == NULL)
        return m_pDockSite == NULL && (m_dwStyle & 0xAA00) != 0;
    UINT nID = GetSafeDockBarDlgCtrlID();
    return !IsFloating() && (nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM);
}

bool CExtControlBar::IsDockedVertically() const
{
    if (m_pDockBar == NULL || m_pDockBar->m_hWnd == NULL)
        return m_pDockSite == NULL && (m_dwStyle & 0x5500) != 0;
    UINT nID = GetSafeDockBarDlgCtrlID();
    return !IsFloating() && (nID == AFX_IDW_DOCKBAR_LEFT || nID == AFX_IDW_DOCKBAR_RIGHT);
}

bool CExtControlBar::IsDockedAtTop() const
{
    return !IsFloating() && GetSafeDockBarDlgCtrlID() == AFX_IDW_DOCKBAR_TOP;
}

bool CExtControlBar::IsDockedAtBottom() const
{
    return !IsFloating() && GetSafeDockBarDlgCtrlID() == AFX_IDW_DOCKBAR_BOTTOM;
}

bool CExtControlBar::IsDockedAtLeft() const
{
    return !IsFloating() && GetSafeDockBarDlgCtrlID() == AFX_IDW_DOCKBAR_LEFT;
}

bool CExtControlBar::IsDockedAtRight() const
{
    return !IsFloating() && GetSafeDockBarDlgCtrlID() == AFX_IDW_DOCKBAR_RIGHT;
}

CFrameWnd* CExtControlBar::GetDockingFrame() const
{
    return CControlBar::GetDockingFrame();
}

int CExtControlBar::GetRowLength() const
{
    return IsDockedVertically() ? m_sizeDockedV.cy : m_sizeDockedH.cx;
}

void CExtControlBar::SetRowLength(int n)
{
    if (IsDockedVertically())
        m_sizeDockedV.cy = n;
    else
        m_sizeDockedH.cx = n;
}

int CExtControlBar::GetRowThickness() const
{
    return IsDockedVertically() ? m_sizeDockedV.cx : m_sizeDockedH.cy;
}

void CExtControlBar::SetRowThickness(int n)
{
    if (IsDockedVertically())
        m_sizeDockedV.cx = n;
    else
        m_sizeDockedH.cy = n;
}

int CExtControlBar::GetRowMinimum()
{
    return IsDockedVertically() ? CalcMinHeight() : CalcMinWidth();
}

int CExtControlBar::GetThicknessMinimum()
{
    return IsDockedVertically() ? CalcMinWidth() : CalcMinHeight();
}

CSize CExtControlBar::GetCurrentSize()
{
    if (IsFloating())
        return m_sizeFloated;
    if (IsDockedVertically())
    {
        m_sizeDockedV.cx = std::max((int)m_sizeDockedV.cx, CalcMinHeight());
        return m_sizeDockedV;
    }
    m_sizeDockedH.cy = std::max((int)m_sizeDockedH.cy, CalcMinWidth());
    return m_sizeDockedH;
}

/////////////////////////////////////////////////////////////////////////////
// Row fitting

CSize CExtControlBar::CalcFixedLayout(BOOL, BOOL)
{
    return GetCurrentSize();
}

// The bar's size for the mode; docked, the first visible resizable bar of a row fits the
// whole row (lengths, thickness and a wrap) so that the row's bars share its length.
CSize CExtControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    bool bDockedMode = (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0;
    if (!bDockedMode || IsFloating())
    {
        if (nLength > 0)
        {
            if (dwMode & LM_LENGTHY)
                m_sizeFloated.cy = nLength;
            else
                m_sizeFloated.cx = nLength;
        }
        if (dwMode & (LM_MRUWIDTH | LM_COMMIT))
            return m_sizeFloated;
        return GetCurrentSize();
    }
    if (nLength >= 0 || m_pDockBar == NULL || m_pDockBar->m_bLayoutQuery || IsFixedSize())
        return GetCurrentSize();

    bool bHorz = IsDockedHorizontally();
    int nAvail = 0;
    if (!m_pDockBar->m_rectLayout.IsRectEmpty())
        nAvail = bHorz ? m_pDockBar->m_rectLayout.Width() : m_pDockBar->m_rectLayout.Height();
    else
    {
        CRect rcClient;
        m_pDockBar->GetClientRect(&rcClient);
        nAvail = bHorz ? rcClient.Width() : rcClient.Height();
    }
    if (nAvail <= 0)
        nAvail = 3;

    CPtrArray& arr = m_pDockBar->m_arrBars;
    int nPos = ExtBarLayout::FindEntry(arr, this);
    int nFirst = 0, nLast = 0;
    if (!ExtBarLayout::GetRowBounds(arr, nPos, nFirst, nLast))
        return GetCurrentSize();

    // only the first visible resizable bar of the row fits it
    std::vector<ExtBarLayout::RowItem> items;
    std::vector<CControlBar*> bars;
    int nSelf = -1;
    bool bFirstFound = false;
    for (int i = nFirst; i <= nLast; i++)
    {
        void* p = arr[i];
        if (ExtBarLayout::IsPlaceholder(p))
            continue;
        CControlBar* pBar = (CControlBar*)p;
        if (pBar->m_hWnd == NULL)
            continue;
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        ExtBarLayout::RowItem it;
        it.bVisible = pBar->IsVisible() != FALSE;
        it.bResizable = pExt != NULL && !pExt->IsFixedSize();
        if (it.bResizable)
        {
            if (!bFirstFound && it.bVisible)
            {
                bFirstFound = true;
                if (pExt != this)
                    return GetCurrentSize();
            }
            it.nLength = pExt->GetRowLength();
            it.nMinLength = pExt->GetRowMinimum();
            it.nThickness = pExt->GetRowThickness();
        }
        else
        {
            CRect rc;
            pBar->GetWindowRect(&rc);
            it.nLength = bHorz ? rc.Width() : rc.Height();
            it.nMinLength = 0;
            it.nThickness = bHorz ? rc.Height() : rc.Width();
        }
        if (pBar == this)
            nSelf = (int)items.size();
        items.push_back(it);
        bars.push_back(pBar);
    }
    if (nSelf < 0)
        return GetCurrentSize();

    ExtBarLayout::RowFit fit = ExtBarLayout::FitRow(items, nAvail, nSelf);
    for (size_t i = 0; i < items.size(); i++)
    {
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, bars[i]);
        if (pExt == NULL || !items[i].bResizable)
            continue;
        pExt->SetRowLength(items[i].nLength);
        if (items[i].bVisible && fit.nRowThickness > 0)
            pExt->SetRowThickness(std::max(items[i].nThickness, pExt->GetRowMinimum()));
    }
    if (fit.nWrapBefore >= 0 && fit.nWrapBefore < (int)bars.size())
    {
        // the dock bar applies the break when its walk is over
        CExtDockBar* pExtDock = DYNAMIC_DOWNCAST(CExtDockBar, m_pDockBar);
        if (pExtDock != NULL)
            pExtDock->RequestRowBreak(bars[fit.nWrapBefore]);
    }
    return GetCurrentSize();
}

/////////////////////////////////////////////////////////////////////////////
// Layout requests and the child window

void CExtControlBar::DelayFrameRecalcLayout()
{
    if (!m_bTakesPartInLayout || m_bInPlainWindow || m_hWnd == NULL)
        return;
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return;
    CWnd* pTop = pFrame->GetTopLevelParent();
    if (pTop != NULL && pTop->IsIconic())
        return;
    if (pFrame->m_bInRecalcLayout)
        return;
    if (IsFixedSize() && IsFloating() && pFrame->IsWindowVisible() &&
        !IsFrameSerializing(m_pDockSite))
    {
        pFrame->RecalcLayout();
        return;
    }
    pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
}

// The child window fills the client (inside the frame margin when floating); it moves
// only when its rectangle changes.
void CExtControlBar::RepositionChildWindow(int cx, int cy, bool bRedraw)
{
    if (!m_bChildFillsClient || m_hWnd == NULL)
        return;
    CWnd* pChild = GetWindow(GW_CHILD);
    if (pChild == NULL)
        return;
    CRect rc;
    if (cx >= 0 && cy >= 0)
        rc.SetRect(0, 0, cx, cy);
    else
        GetClientRect(&rc);
    if (IsFloating())
        rc.DeflateRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    CRect rcOld;
    pChild->GetWindowRect(&rcOld);
    ScreenToClient(&rcOld);
    if (rcOld == rc)
        return;
    pChild->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE | (bRedraw ? 0 : SWP_NOREDRAW));
}

/////////////////////////////////////////////////////////////////////////////
// Visibility

bool CExtControlBar::IsBarShown()
{
    if (m_hWnd == NULL)
        return false;
    if (m_bInPlainWindow)
        return (GetStyle() & WS_VISIBLE) != 0;
    // the temporary hide of print preview counts as hidden
    if (m_nStateFlags & tempHide)
        return false;
    if ((GetStyle() & WS_VISIBLE) != 0 && (m_nStateFlags & delayShow) == 0)
        return true;
    if (m_pDockSite != NULL && m_pDockSite->m_hWnd != NULL)
    {
        DoFrameBarCheckCmd(m_pDockSite, (UINT)GetDlgCtrlID());
        CExtPopupMenuWnd::PumpPendingMessages();
    }
    return m_hWnd != NULL && ::IsWindow(m_hWnd) && IsWindowVisible();
}

// The bars menu's command for nID: a framework bar comes to the front, a plain bar shows
// or hides (bars inside containers are found through the list of all bars).
bool CExtControlBar::DoFrameBarCheckCmd(CFrameWnd* pFrame, UINT nID)
{
    if (pFrame == NULL)
        return false;
    CControlBar* pBar = pFrame->GetControlBar(nID);
    if (pBar == NULL)
    {
        // bars inside containers are not in the frame's list: look at all bars
        CSingleLock lock(&g_csAllBars, TRUE);
        for (INT_PTR i = 0; i < g_arrAllBars.GetSize() && pBar == NULL; i++)
        {
            CExtControlBar* p = g_arrAllBars[i];
            if (p->m_hWnd != NULL && p->m_pDockSite == pFrame && (UINT)p->GetDlgCtrlID() == nID)
                pBar = p;
        }
    }
    if (pBar == NULL)
        return false;
    CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    if (pExt != NULL)
        pExt->BringBarToFront(FALSE);
    else
        pFrame->ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return true;
}

// At idle time the caption repaints when the hover over its buttons or the focus inside
// the bar changed; nothing while a resize or a drag runs.
void CExtControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    if (m_bInPlainWindow || m_bRowResizing || m_bColumnResizing || m_bDragging)
        return;
    if (GetDraggedBar() != NULL || m_hWnd == NULL || !IsWindowVisible())
        return;
    CPoint pt;
    if (!::GetCursorPos(&pt))
        return;
    bool bHoverOld = m_bNcButtonHover;
    bool bActiveOld = m_bActive;
    CExtBarNcAreaButton* pBtn = NULL;
    m_bNcButtonHover = NcButtonsHitTest(pt, &pBtn) != HTCLIENT && pBtn != NULL;
    HWND hWndFocus = ::GetFocus();
    m_bActive = hWndFocus != NULL && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus));
    if (bHoverOld != m_bNcButtonHover || bActiveOld != m_bActive)
    {
        SendMessage(WM_NCPAINT);
        CWnd* pParent = GetParent();
        if (pParent != NULL)
            pParent->SendMessage(WM_NCPAINT);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Painting of the client area

void CExtControlBar::DoPaint(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (m_bChildFillsClient && !IsFixedSize())
    {
        CWnd* pChild = GetWindow(GW_CHILD);
        if (pChild != NULL && pChild->IsWindowVisible())
        {
            CRect rcChild;
            pChild->GetWindowRect(&rcChild);
            ScreenToClient(&rcChild);
            if (rcChild == rcClient)
                return;
        }
    }
    if (rcClient.IsRectEmpty() || !pDC->RectVisible(&rcClient))
        return;
    CExtPaintManager::ExcludeChildAreas(pDC->GetSafeHdc(), m_hWnd);
    {
        CExtMemoryDC dc(pDC, &rcClient, 3);
        PaintBarBackground(dc.IsMemDC() ? (CDC&)dc : *pDC, rcClient);
    }
    g_CurrentPaintManager->OnPaintSessionComplete(this);
}

/////////////////////////////////////////////////////////////////////////////
// Messages through the frames

BOOL CExtControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    CWnd* pParent = GetParent();
    if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)) &&
        pParent->PreTranslateMessage(pMsg))
        return TRUE;
    CFrameWnd* pTop = GetTopLevelFrame();
    if (pTop != NULL && pTop->m_bHelpMode)
        return FALSE;
    if (!m_bInPlainWindow)
    {
        for (CWnd* pOwner = GetOwner(); pOwner != NULL; pOwner = pOwner->GetParentFrame())
        {
            if (pOwner->m_hWnd == m_hWnd)
                break;
            if (pOwner->PreTranslateMessage(pMsg))
                return TRUE;
        }
    }
    return PreTranslateInput(pMsg);
}

// Tool tips of the caption buttons; none while a menu tracks.
INT_PTR CExtControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (CExtPopupMenuWnd::IsTrackingActive())
        return -1;
    CExtControlBar* pThis = const_cast<CExtControlBar*>(this);
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    CExtBarNcAreaButton* pBtn = NULL;
    pThis->NcButtonsHitTest(ptScreen, &pBtn);
    if (pBtn == NULL)
        return -1;
    CWnd* pHost = NULL;
    CRect rcCaption;
    bool bHorz = true;
    pThis->GetCaptionInfo(pHost, rcCaption, bHorz);
    CPoint ptWnd(ptScreen);
    if (pHost != NULL)
    {
        CRect rcWnd;
        pHost->GetWindowRect(&rcWnd);
        ptWnd.Offset(-rcWnd.left, -rcWnd.top);
    }
    return pBtn->OnToolHitTest(ptWnd, pTI);
}

/////////////////////////////////////////////////////////////////////////////
// Frame docking set-up

bool CExtControlBar::SetupFrameDocking(CFrameWnd* pFrame, DWORD dwDockStyle,
                                       BOOL bExtMiniFrames)
{
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return false;
    InitDockBarAlignMap();
    // the mini-frame class goes first: EnableDocking keeps an installed one
    if (bExtMiniFrames)
    {
        CRuntimeClass* pClass = CRuntimeClass::FromName("CExtMiniDockFrameWnd");
        if (pClass != NULL)
            pFrame->m_pFloatingFrameClass = pClass;
    }
    CRuntimeClass* pKeepClass = pFrame->m_pFloatingFrameClass;
    pFrame->EnableDocking(dwDockStyle);
    if (pKeepClass != NULL)
        pFrame->m_pFloatingFrameClass = pKeepClass;

    static const UINT s_ids[4] = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM,
                                   AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT };
    for (UINT nID : s_ids)
    {
        DWORD dwSideStyle = 0;
        g_mapDockBarAlign.Lookup(nID, dwSideStyle);
        if ((dwDockStyle & dwSideStyle & CBRS_ALIGN_ANY) == 0)
            return false;
        CControlBar* pOld = pFrame->GetControlBar(nID);
        if (pOld != NULL && pOld->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
            continue;

        CExtDockOuterBar* pNew = new CExtDockOuterBar;
        if (!pNew->Create(pFrame, dwSideStyle | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS |
                          WS_CLIPCHILDREN, nID))
        {
            delete pNew;
            AfxThrowResourceException();
        }
        pNew->m_bAutoDelete = TRUE;
        CDockBar* pOldDock = DYNAMIC_DOWNCAST(CDockBar, pOld);
        if (pOldDock != NULL)
        {
            // the new dock bar takes the old one's place in the layout order and its bars
            pNew->SetWindowPos(pOldDock, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE |
                               SWP_NOACTIVATE | SWP_NOREDRAW);
            pNew->m_arrBars.RemoveAll();
            for (INT_PTR i = 0; i < pOldDock->m_arrBars.GetSize(); i++)
            {
                void* p = pOldDock->m_arrBars[i];
                pNew->m_arrBars.Add(p);
                if (p == NULL || ExtBarLayout::IsPlaceholder(p))
                    continue;
                CControlBar* pBar = (CControlBar*)p;
                pBar->m_pDockBar = pNew;
                if (pBar->m_hWnd != NULL)
                    pBar->SetParent(pNew);
            }
            ExtBarLayout::NormalizeBarArray(pNew->m_arrBars);
            pOldDock->m_arrBars.RemoveAll();
            pOldDock->m_arrBars.Add(NULL);
            pFrame->RemoveControlBar(pOldDock);
            pOldDock->m_pDockSite = NULL;
            BOOL bAutoDelete = pOldDock->m_bAutoDelete;
            pOldDock->DestroyWindow();
            if (!bAutoDelete)
                delete pOldDock;
        }
    }
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// Help mode and status texts

BOOL CExtControlBar::IsFrameInHelpMode(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->m_hWnd == NULL)
        return FALSE;
    CFrameWnd* pFrame = pWnd->IsFrameWnd() ? (CFrameWnd*)pWnd : pWnd->GetParentFrame();
    while (pFrame != NULL)
    {
        if (!pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) && pFrame->m_bHelpMode)
            return TRUE;
        pFrame = pFrame->GetParentFrame();
    }
    return FALSE;
}

// Shows the command's status tip in the status bar of the window's frame (past a mini
// frame), or lets the frame show its message string when the command has none.
void CExtControlBar::ShowCommandStatusText(CWnd* pWnd, UINT nCmdID)
{
    if (pWnd == NULL || pWnd->m_hWnd == NULL || !::IsWindow(pWnd->m_hWnd))
        return;
    CWnd* pTarget = NULL;
    if (pWnd->IsFrameWnd())
        pTarget = pWnd;
    else if (pWnd->GetStyle() & WS_CHILD)
        pTarget = pWnd->GetParentFrame();
    if (pTarget != NULL && pTarget->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    {
        CFrameWnd* pParentFrame = pTarget->GetParentFrame();
        if (pParentFrame != NULL)
            pTarget = pParentFrame;
    }
    if (pTarget == NULL)
        pTarget = pWnd;

    if (g_bCmdManagerStatusTips && nCmdID != AFX_IDS_IDLEMESSAGE)
    {
        LPCTSTR lpszProfile = g_CmdManagerHolder->FindProfileNameForWindow(pTarget->m_hWnd);
        CExtCmdItem* pItem = lpszProfile != NULL
            ? g_CmdManagerHolder->FindCommand(lpszProfile, nCmdID) : NULL;
        if (pItem != NULL)
        {
            CWnd* pStatus = NULL;
            if (pTarget->IsFrameWnd())
                pStatus = ((CFrameWnd*)pTarget)->GetControlBar(AFX_IDW_STATUS_BAR);
            else
                pStatus = CWnd::FromHandlePermanent(::GetDlgItem(pTarget->m_hWnd,
                                                                 AFX_IDW_STATUS_BAR));
            CStatusBar* pStatusBar = DYNAMIC_DOWNCAST(CStatusBar, pStatus);
            if (pStatusBar != NULL && pStatusBar->m_hWnd != NULL &&
                pStatusBar->CommandToIndex(0) >= 0)
            {
                pStatusBar->SetPaneText(pStatusBar->CommandToIndex(0),
                                        pItem->m_strStatusTipText, TRUE);
                pStatusBar->UpdateWindow();
                return;
            }
        }
    }
    pTarget->SendMessage(WM_SETMESSAGESTRING, (WPARAM)nCmdID);
}

/////////////////////////////////////////////////////////////////////////////
// Bars of a frame

void CExtControlBar::FindFrameBars(CExtControlBar* pExcludeBar, CFrameWnd* pFrame,
                                   ExtControlBarVector_t& result, DWORD dwFilter, CPoint pt)
{
    result.RemoveAll();
    if ((dwFilter & 0x7) == 0 || (dwFilter & 0x300) == 0 || (dwFilter & 0xC00) == 0)
        return;
    ExtControlBarVector_t arrCandidates;
    {
        CSingleLock lock(&g_csAllBars, TRUE);
        arrCandidates.Copy(g_arrAllBars);
    }
    for (INT_PTR i = 0; i < arrCandidates.GetSize(); i++)
    {
        CExtControlBar* pBar = arrCandidates[i];
        if (pBar->m_hWnd == NULL || !::IsWindow(pBar->m_hWnd) || pBar == pExcludeBar)
            continue;
        if (pExcludeBar != NULL && pExcludeBar->m_hWnd != NULL &&
            ::IsChild(pExcludeBar->m_hWnd, pBar->m_hWnd))
            continue;
        if (pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) &&
            !IsOfClassName(pBar, "CExtDynTabControlBar"))
            continue;
        if (pBar->m_bInPlainWindow || pBar->m_pDockSite != pFrame)
            continue;
        if (dwFilter != 0xFFF)
        {
            bool bFixed = pBar->IsFixedSize();
            bool bKind = ((dwFilter & 0x1) && bFixed) ||
                         ((dwFilter & 0x2) && !bFixed && pBar->IsAtMinimum()) ||
                         ((dwFilter & 0x4) && !bFixed && !pBar->IsAtMinimum());
            if (!bKind)
                continue;
            bool bVis = pBar->IsVisible() != FALSE;
            if (!(((dwFilter & 0x100) && bVis) || ((dwFilter & 0x200) && !bVis)))
                continue;
            bool bWndVis = pBar->IsWindowVisible() != FALSE;
            if (!(((dwFilter & 0x400) && bWndVis) || ((dwFilter & 0x800) && !bWndVis)))
                continue;
            DWORD dwPlace = dwFilter & 0xF8;
            if (dwPlace != 0 && dwPlace != 0xF8)
            {
                bool bPlace = ((dwFilter & 0x80) && pBar->IsFloating()) ||
                              ((dwFilter & 0x08) && pBar->IsDockedAtTop()) ||
                              ((dwFilter & 0x10) && pBar->IsDockedAtBottom()) ||
                              ((dwFilter & 0x20) && pBar->IsDockedAtLeft()) ||
                              ((dwFilter & 0x40) && pBar->IsDockedAtRight());
                if (!bPlace)
                    continue;
            }
            if (dwFilter & 0xF7FF8000)
            {
                CWnd* pWndTest = pBar;
                if (pBar->IsFloating() && pBar->GetParentFrame() != NULL)
                    pWndTest = pBar->GetParentFrame();
                CRect rcWnd;
                pWndTest->GetWindowRect(&rcWnd);
                if (!rcWnd.PtInRect(pt))
                    continue;
                if (dwFilter & 0x10000)
                {
                    CRect rcClient;
                    pBar->GetClientRect(&rcClient);
                    pBar->ClientToScreen(&rcClient);
                    if (!rcClient.PtInRect(pt))
                        continue;
                }
                if (dwFilter & 0x20000)
                {
                    CRect rcCap(pBar->m_rcCaption);
                    CRect rcBarWnd;
                    pBar->GetWindowRect(&rcBarWnd);
                    rcCap.OffsetRect(rcBarWnd.TopLeft());
                    if (!rcCap.PtInRect(pt))
                        continue;
                }
                static const struct { DWORD dwBit; UINT nHit; } s_hits[] =
                {
                    { 0x40000, HTLEFT }, { 0x80000, HTRIGHT }, { 0x100000, HTTOP },
                    { 0x200000, HTBOTTOM }, { 0x400000, HTTOPLEFT }, { 0x800000, HTTOPRIGHT },
                    { 0x1000000, HTBOTTOMLEFT }, { 0x10000000, HTGROWBOX },
                    { 0x20000000, HTMINBUTTON }, { 0x40000000, HTMAXBUTTON },
                    { 0x80000000, HTCLIENT },
                };
                bool bHitOk = true;
                for (const auto& h : s_hits)
                {
                    if ((dwFilter & h.dwBit) &&
                        (UINT)pWndTest->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) != h.nHit)
                        bHitOk = false;
                }
                if (!bHitOk)
                    continue;
            }
        }
        CExtControlBar* pAdd = pBar;
        CExtControlBar* pGroup = pBar->GetTabbedContainer();
        if (pGroup != NULL)
            pAdd = pGroup;
        bool bKnown = false;
        for (INT_PTR k = 0; k < result.GetSize() && !bKnown; k++)
            bKnown = result[k] == pAdd;
        if (!bKnown)
            result.Add(pAdd);
        if (dwFilter != 0xFFF && (dwFilter & 0x8000))
            break;
    }
}

// Lays out the window's bars as the class library does, but asks each bar first whether
// it takes part in a query; the left-over window gets the rest.
void CExtControlBar::RepositionBarsEx(CWnd* pWnd, UINT nIDFirst, UINT nIDLast,
                                      UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                                      LPCRECT lpRectClient, BOOL bStretch)
{
    if (pWnd == NULL || pWnd->m_hWnd == NULL)
        return;
    AFX_SIZEPARENTPARAMS layout;
    ::ZeroMemory(&layout, sizeof(layout));
    layout.bStretch = bStretch;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        pWnd->GetClientRect(&layout.rect);
    UINT nMode = nFlag & ~CWnd::reposNoPosLeftOver;
    bool bQuery = nMode == CWnd::reposQuery;
    layout.hDWP = bQuery ? NULL : ::BeginDeferWindowPos(8);
    HWND hWndLeftOver = NULL;
    for (HWND hWndChild = ::GetTopWindow(pWnd->m_hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        UINT nIDC = (UINT)::GetDlgCtrlID(hWndChild);
        if (nIDC == nIDLeftOver)
        {
            hWndLeftOver = hWndChild;
            continue;
        }
        if (nIDC < nIDFirst || nIDC > nIDLast)
            continue;
        CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
        if (pChild != NULL)
        {
            QueryRepositionCalcEffect_t q;
            q.m_nQueryKind = bQuery ? 1 : 0;
            q.m_dwFlags = 0;
            q.m_nIDFirst = nIDFirst;
            q.m_nIDLast = nIDLast;
            q.m_nIDLeftOver = nIDLeftOver;
            q.m_rc = layout.rect;
            ::SendMessageA(hWndChild, g_nMsgQueryRepositionCalcEffect, (WPARAM)&q, 0);
            if (bQuery && (q.m_dwFlags & 0x10) != 0)
                continue;
        }
        ::SendMessageA(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }
    if (bQuery)
    {
        if (lpRectParam != NULL)
        {
            if (bStretch)
                ::CopyRect(lpRectParam, &layout.rect);
            else
                ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        }
        return;
    }
    if (nIDLeftOver != 0 && hWndLeftOver != NULL)
    {
        CRect rc(layout.rect);
        if (rc.right < rc.left)
            rc.right = rc.left;
        if (rc.bottom < rc.top)
            rc.bottom = rc.top;
        AfxRepositionWindow(&layout, hWndLeftOver, &rc);
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}

/////////////////////////////////////////////////////////////////////////////
// Bar menus

bool CExtControlBar::BuildBarsMenu(CFrameWnd* pFrame, CExtPopupMenuWnd* pPopup, int nEventType,
                                   CExtControlBar* pSourceBar, LPARAM lParam, CObject* pSource)
{
    (void)lParam;
    if (pFrame == NULL || pPopup == NULL)
        return false;
    CWnd* pEventWnd = pSourceBar != NULL ? (CWnd*)pSourceBar : (CWnd*)pFrame;
    POPUP_MENU_EVENT_DATA data(nEventType, pPopup, pEventWnd, CPoint(-1, -1), WM_RBUTTONUP,
                               pSource);
    if (data.NotifyTarget(false))
        return true;

    ExtControlBarVector_t arrBars;
    FindFrameBars(NULL, pFrame, arrBars, 0xFFF);
    // no in-place activation exists in this system: CBRS_HIDE_INPLACE never hides a bar
    const bool bInPlace = false;
    LPCTSTR lpszProfile = g_CmdManagerHolder->FindProfileNameForWindow(pFrame->m_hWnd);
    int nLastFixedDrag = -1;
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = arrBars[i];
        if (pBar->m_hWnd == NULL || !::IsWindow(pBar->m_hWnd))
            continue;
        if (pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
            continue;
        if (pBar->m_nStateFlags & CControlBar::tempHide)
            continue;
        if (bInPlace && (pBar->m_dwStyle & CBRS_HIDE_INPLACE))
            continue;
        CString strText;
        pBar->GetWindowText(strText);
        if (strText.IsEmpty())
            continue;
        int nFixedDrag = pBar->IsFixedDragMode() ? 1 : 0;
        if (nLastFixedDrag >= 0 && nLastFixedDrag != nFixedDrag)
            pPopup->InsertCommandItem(ID_SEPARATOR, -1);
        CExtCmdItem item((UINT)pBar->GetDlgCtrlID());
        item.m_strMenuText = strText;
        item.LoadTextsFromResource();
        if (lpszProfile != NULL)
            g_CmdManagerHolder->SetCommand(lpszProfile, &item);
        if (pBar->AppendToBarsMenu(pPopup))
            nLastFixedDrag = nFixedDrag;
    }
    // no doubled separators, none at the end
    for (int i = pPopup->GetItemCount() - 1; i > 0; i--)
    {
        if (pPopup->GetItemCmdID(i) == ID_SEPARATOR && pPopup->GetItemCmdID(i - 1) == ID_SEPARATOR)
            pPopup->DeleteItem(i);
    }
    data.NotifyTarget(true);
    int nCount = pPopup->GetItemCount();
    if (nCount > 0 && pPopup->GetItemCmdID(nCount - 1) == ID_SEPARATOR)
        pPopup->DeleteItem(nCount - 1);
    return true;
}

// The bars menu for the event at the point (the cursor for -1, -1); the focus stays in a
// floating bar so that the main window does not come over its frame.
void CExtControlBar::DoContextMenu(int nEventKind, UINT nMsg, CPoint ptScreen)
{
    if (m_bInPlainWindow || m_pDockSite == NULL || IsFrameInHelpMode(this))
        return;
    CWnd* pOwner = GetOwner();
    if (pOwner == NULL)
        pOwner = m_pDockSite;
    if (ptScreen.x == -1 && ptScreen.y == -1 && !::GetCursorPos(&ptScreen))
        ptScreen = CPoint(0, 0);
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->InitAsEmptyPopup(pOwner->m_hWnd))
    {
        delete pPopup;
        return;
    }
    (void)nMsg;
    BuildBarsMenu(m_pDockSite, pPopup, nEventKind, this, 0, this);
    if (pPopup->GetItemCount() == 0)
    {
        delete pPopup;
        return;
    }
    // a floating bar keeps the focus in its own frame: the owner's activation would put
    // the main window over the floating frame
    if (nEventKind == POPUP_MENU_EVENT_DATA::KIND_BAR_CONTEXT || IsFloating())
    {
        CWnd* pChild = GetWindow(GW_CHILD);
        if (pChild != NULL)
            pChild->SetFocus();
    }
    else
    {
        pOwner->SetFocus();
    }
    if (!pPopup->StartTracking(0x800, ptScreen.x, ptScreen.y))
        delete pPopup;
}
