// frmcore.cpp - CFrameWnd: creation from resources, layout, active view and
// document, command routing, menu updates, status prompts, idle work, closing.

#include "afxwnd.h"
#include <dde.h>

#include <map>
#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

namespace
{

// Owned windows stay above their owner. Some display drivers raise an activated window
// by themselves, over its owned windows, and tell the window manager so only later
// (Wine's X11 driver, when the exposed frame reports the new stacking): a timer puts
// them back for a while after every activation of a top-level frame.
const UINT_PTR ID_TIMER_OWNED_ABOVE = 0xEF31;
const UINT OWNED_ABOVE_PERIOD = 20;
const int OWNED_ABOVE_QUIET_TICKS = 25;        // ticks without a fault before it stops
std::map<HWND, int> s_mapOwnedAboveQuiet;

// Visible windows owned by hWnd that lie below it, highest first.
std::vector<HWND> OwnedWindowsBelow(HWND hWnd)
{
    std::vector<HWND> arr;
    for (HWND h = ::GetWindow(hWnd, GW_HWNDNEXT); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        if (::GetWindow(h, GW_OWNER) == hWnd && ::IsWindowVisible(h))
            arr.push_back(h);
    }
    return arr;
}

bool VisibleTopmostAbove(HWND hWnd)
{
    for (HWND h = ::GetWindow(hWnd, GW_HWNDPREV); h != NULL; h = ::GetWindow(h, GW_HWNDPREV))
    {
        if (::IsWindowVisible(h) && (::GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST))
            return true;
    }
    return false;
}

// Answers TRUE when no owned window is (left) below hWnd. While a visible topmost window
// lies above, the owned windows wait: a driver that restacks only the first window
// would leave them below in its own stacking.
bool RaiseOwnedWindowsAbove(HWND hWnd)
{
    std::vector<HWND> arr = OwnedWindowsBelow(hWnd);
    if (arr.empty())
        return true;
    if (VisibleTopmostAbove(hWnd))
        return false;
    // the lowest first, so that they keep their order among themselves
    for (size_t i = arr.size(); i-- > 0;)
        ::SetWindowPos(arr[i], HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    return OwnedWindowsBelow(hWnd).empty();
}

void CALLBACK OwnedAboveTimerProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    int& nQuiet = s_mapOwnedAboveQuiet[hWnd];
    if (!OwnedWindowsBelow(hWnd).empty())
    {
        RaiseOwnedWindowsAbove(hWnd);
        nQuiet = 0;
    }
    else if (++nQuiet >= OWNED_ABOVE_QUIET_TICKS || ::GetActiveWindow() != hWnd)
    {
        ::KillTimer(hWnd, nIDEvent);
        s_mapOwnedAboveQuiet.erase(hWnd);
    }
}

BOOL CALLBACK FindVisibleOwned(HWND h, LPARAM lParam)
{
    HWND* pOwner = reinterpret_cast<HWND*>(lParam);
    if (::GetWindow(h, GW_OWNER) == *pOwner && ::IsWindowVisible(h))
    {
        *pOwner = NULL;
        return FALSE;
    }
    return TRUE;
}

bool HasVisibleOwnedWindow(HWND hWnd)
{
    HWND hOwner = hWnd;
    ::EnumThreadWindows(::GetWindowThreadProcessId(hWnd, NULL), FindVisibleOwned,
                        reinterpret_cast<LPARAM>(&hOwner));
    return hOwner == NULL;
}

// A frame without visible owned windows has nothing to keep above it and gets no timer,
// so its message loop stays idle.
void KeepOwnedWindowsAbove(HWND hWnd)
{
    if (!HasVisibleOwnedWindow(hWnd))
        return;
    RaiseOwnedWindowsAbove(hWnd);
    s_mapOwnedAboveQuiet[hWnd] = 0;
    ::SetTimer(hWnd, ID_TIMER_OWNED_ABOVE, OWNED_ABOVE_PERIOD, OwnedAboveTimerProc);
}

} // namespace


const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_ENABLE()
    ON_WM_ERASEBKGND()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_WM_ENTERIDLE()
    ON_WM_SETCURSOR()
    ON_WM_DROPFILES()
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
    ON_WM_SYSCOMMAND()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE_VOID(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_RECALCPARENT, OnRecalcParent)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
    ON_MESSAGE(WM_DDE_INITIATE, OnDDEInitiate)
    ON_MESSAGE(WM_DDE_EXECUTE, OnDDEExecute)
    ON_MESSAGE(WM_DDE_TERMINATE, OnDDETerminate)
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    ON_UPDATE_COMMAND_UI(ID_CONTEXT_HELP, OnUpdateContextHelp)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_REBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_KANA, OnUpdateKeyIndicator)
END_MESSAGE_MAP()

// The frame that routes a command (read by bars and views while routing).
namespace
{
class CPushRoutingFrame
{
public:
    explicit CPushRoutingFrame(CFrameWnd* pNewFrame)
    {
        m_pState = AfxGetThreadState();
        m_pOldFrame = m_pState->m_pRoutingFrame;
        m_pState->m_pRoutingFrame = pNewFrame;
    }
    ~CPushRoutingFrame() { m_pState->m_pRoutingFrame = m_pOldFrame; }

private:
    _AFX_THREAD_STATE* m_pState;
    CFrameWnd* m_pOldFrame;
};
} // namespace

// A frame with no menu, view or help state yet; the window comes with Create or LoadFrame.
CFrameWnd::CFrameWnd()
{
    m_bAutoMenuEnable = TRUE;
    m_nWindow = -1;
    m_hMenuDefault = NULL;
    m_hAccelTable = NULL;
    m_nIDHelp = 0;
    m_nIDTracking = 0;
    m_nIDLastMessage = 0;
    m_pViewActive = NULL;
    m_bHelpMode = FALSE;
    m_nIdleFlags = 0;
    m_hMenuAlt = NULL;
    m_rectBorder.SetRectEmpty();
    m_bInRecalcLayout = FALSE;
    m_lpfnCloseProc = NULL;
    m_pFloatingFrameClass = NULL;
    m_nShowDelay = -1;
}

CFrameWnd::~CFrameWnd()
{
    // accelerator tables come from resources (or a template) and are not ours to free
}

BOOL CFrameWnd::IsFrameWnd() const
{
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;    // frames are always on the heap
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxGetFrameOrViewClassName();
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Creation

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable != NULL)
        return FALSE;   // only once
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, (LPCTSTR)RT_ACCELERATOR);
    m_hAccelTable = ::LoadAcceleratorsA(hInst, lpszResourceName);
    return m_hAccelTable != NULL;
}

// Creates the frame window with an optional menu resource; FALSE (the object deleted) on failure.
BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCTSTR lpszMenuName,
                       DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = NULL;
    if (lpszMenuName != NULL)
    {
        HINSTANCE hInst = AfxFindResourceHandle(lpszMenuName, (LPCTSTR)RT_MENU);
        if ((hMenu = ::LoadMenuA(hInst, lpszMenuName)) == NULL)
        {
            PostNcDestroy();
            return FALSE;
        }
    }

    m_strTitle = lpszWindowName;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                  hMenu, (LPVOID)pContext))
    {
        if (hMenu != NULL)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

// A window class with the resource's icon, registered when the icon differs from the default.
LPCTSTR CFrameWnd::GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEA(nIDResource), (LPCTSTR)RT_GROUP_ICON);
    HICON hIcon = ::LoadIconA(hInst, MAKEINTRESOURCEA(nIDResource));
    if (hIcon != NULL)
    {
        CREATESTRUCT cs;
        memset(&cs, 0, sizeof(cs));
        cs.style = dwDefaultStyle;
        PreCreateWindow(cs);
        WNDCLASSA wndcls;
        if (cs.lpszClass != NULL && ::GetClassInfoA(AfxGetInstanceHandle(), cs.lpszClass, &wndcls) &&
            wndcls.hIcon != hIcon)
            return AfxRegisterWndClass(wndcls.style, wndcls.hCursor, wndcls.hbrBackground, hIcon);
    }
    return NULL;
}

// Creates a frame from a resource id: title string, icon, menu and accelerators.
BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;

    // the first line of the resource's string is the frame's title
    CString strFullString;
    if (strFullString.LoadString(nIDResource))
        AfxExtractSubString(m_strTitle, strFullString, 0);

    LPCTSTR lpszClass = GetIconWndClass(dwDefaultStyle, nIDResource);
    CString strTitle = m_strTitle;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd,
                MAKEINTRESOURCEA(nIDResource), 0L, pContext))
        return FALSE;   // the frame has deleted itself

    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(MAKEINTRESOURCEA(nIDResource));
    if (pContext == NULL)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    return OnCreateHelper(lpcs, pContext);
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    // the idle prompt shows once the frame runs
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != NULL && pContext->m_pNewViewClass != NULL)
    {
        if (CreateView(pContext, AFX_IDW_PANE_FIRST) == NULL)
            return FALSE;
    }
    return TRUE;
}

// Creates the context's view as a child of the frame; NULL if it cannot be made.
CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CWnd* pView = (CWnd*)pContext->m_pNewViewClass->CreateObject();
    if (pView == NULL)
        return NULL;
    if (!pView->IsKindOf(RUNTIME_CLASS(CWnd)))
    {
        delete pView;
        return NULL;
    }
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return NULL;    // a view that fails deletes itself
    // the view draws the client edge: the frame drops its own
    if (pView->GetExStyle() & WS_EX_CLIENTEDGE)
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return pView;
}

/////////////////////////////////////////////////////////////////////////////
// Active view and document

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

CView* CFrameWnd::GetActiveView() const
{
    return m_pViewActive;
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != NULL ? pView->GetDocument() : NULL;
}

// Makes a view the active one, telling the old and new views.
void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = NULL;
    if (pViewOld != NULL)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    // the old view may have chosen another one meanwhile
    if (m_pViewActive != NULL)
        return;
    m_pViewActive = pViewNew;
    if (pViewNew != NULL && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

// Activates the first view, shows the frame and updates its views and title.
void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = NULL;
    if (GetActiveView() == NULL)
    {
        CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        {
            pView = (CView*)pWnd;
            SetActiveView(pView, FALSE);
        }
    }

    if (bMakeVisible)
    {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView != NULL)
            pView->OnActivateFrame(WA_INACTIVE, this);

        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL && pApp->m_pMainWnd == NULL)
        {
            nCmdShow = pApp->m_nCmdShow;    // the first frame takes the start-up show command
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != NULL)
            pView->OnActivateView(TRUE, pView, pView);
    }

    if (pDoc != NULL)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// Title

void CFrameWnd::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
}

CString CFrameWnd::GetTitle() const
{
    return m_strTitle;
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument != NULL)
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    else
        UpdateFrameTitleForDocument(NULL);
}

// Sets the caption from the program's and document's names, with the window number.
void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString strText;
    char szNumber[32];
    if (GetStyle() & FWS_PREFIXTITLE)
    {
        // "Document:2 - Program"
        if (lpszDocName != NULL)
        {
            strText += lpszDocName;
            if (m_nWindow > 0)
            {
                wsprintfA(szNumber, ":%d", m_nWindow);
                strText += szNumber;
            }
            strText += " - ";
        }
        strText += m_strTitle;
    }
    else
    {
        // "Program - Document:2"
        strText += m_strTitle;
        if (lpszDocName != NULL)
        {
            strText += " - ";
            strText += lpszDocName;
            if (m_nWindow > 0)
            {
                wsprintfA(szNumber, ":%d", m_nWindow);
                strText += szNumber;
            }
        }
    }
    AfxSetWindowText(m_hWnd, strText);
}

/////////////////////////////////////////////////////////////////////////////
// Layout and idle work

void CFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    (void)bNotify;
    if (GetStyle() & FWS_SNAPTOBARS)
    {
        // a floating frame takes the size its bars ask for
        CRect rect(0, 0, 32767, 32767);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
        CalcWindowRect(&rect);
        SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    }
    else
    {
        // bars take their room through WM_SIZEPARENT; the pane gets the rest
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    }
    m_bInRecalcLayout = FALSE;
}

BOOL CFrameWnd::IsTracking() const
{
    return m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_HELPMODEMESSAGE &&
           m_nIDTracking != AFX_IDS_IDLEMESSAGE;
}

void CFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt)
{
    m_hMenuAlt = hMenuAlt;
    m_nIdleFlags |= idleMenu;
}

void CFrameWnd::DelayUpdateFrameTitle()
{
    m_nIdleFlags |= idleTitle;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    m_nIdleFlags |= (idleLayout | (bNotify ? idleNotify : 0));
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (m_lpfnCloseProc != NULL)
        return;     // no menu while a print preview shows
    if (hMenuAlt == NULL)
    {
        CDocument* pDoc = GetActiveDocument();
        if (pDoc != NULL)
            hMenuAlt = pDoc->GetDefaultMenu();
        if (hMenuAlt == NULL)
            hMenuAlt = m_hMenuDefault;
    }
    ::SetMenu(m_hWnd, hMenuAlt);
}

// Idle work of a frame: delayed menu, title, layout and show, and the tracked prompt.
void CFrameWnd::OnIdleUpdateCmdUI()
{
    if (m_nIdleFlags & idleMenu)
    {
        m_nIdleFlags &= ~idleMenu;
        OnUpdateFrameMenu(m_hMenuAlt);
    }
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    // a floating frame of bars shows exactly while one of its bars does, whatever
    // was asked of it before the bars moved on
    if (m_nShowDelay != -1 && IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
    {
        CDockBar& dockBar = ((CMiniDockFrameWnd*)this)->m_wndDockBar;
        if (dockBar.m_hWnd != NULL)
            m_nShowDelay = dockBar.GetDockedVisibleCount() > 0 ? SW_SHOWNA : SW_HIDE;
    }
    // a delayed hide before the layout, a delayed show after it
    if (m_nShowDelay == SW_HIDE)
        ShowWindow(m_nShowDelay);
    if (m_nIdleFlags & idleLayout)
    {
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
        UpdateWindow();
    }
    if (m_nShowDelay > SW_HIDE)
        ShowWindow(m_nShowDelay);
    m_nShowDelay = -1;
    // the prompt of a menu item being tracked
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
    m_nIdleFlags = 0;
    UpdateHiddenFloatingFrames();
}

// Passes idle updates to hidden floating frames waiting for a delayed show or layout.
void CFrameWnd::UpdateHiddenFloatingFrames()
{
    // idle work reaches visible frames only: a hidden floating frame with a
    // delayed show or layout waiting gets it from its dock site
    CPtrList listFrames;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != NULL)
    {
        CWnd* pWnd = (CWnd*)m_listControlBars.GetNext(pos);
        if (pWnd->m_hWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CDockBar)) ||
            !((CDockBar*)pWnd)->m_bFloating)
            continue;
        CWnd* pParent = pWnd->GetParent();
        if (pParent == NULL || pParent == this || !pParent->IsFrameWnd() || pParent->IsWindowVisible())
            continue;
        CFrameWnd* pFloatFrame = (CFrameWnd*)pParent;
        if (pFloatFrame->m_nShowDelay > SW_HIDE || (pFloatFrame->m_nIdleFlags & idleLayout) != 0)
            listFrames.AddTail(pFloatFrame->m_hWnd);
    }
    while (!listFrames.IsEmpty())
    {
        HWND hWnd = (HWND)listFrames.RemoveHead();
        CWnd* pFloatFrame = CWnd::FromHandlePermanent(hWnd);
        if (pFloatFrame != NULL && ::IsWindow(hWnd))
            AfxCallWndProc(pFloatFrame, hWnd, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
    }
}

LRESULT CFrameWnd::OnRecalcParent(WPARAM, LPARAM)
{
    RecalcLayout();
    return 0;
}

// Shows and raises the frame; -1 restores an iconic frame or shows a hidden one.
void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
    {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    BringToTop(nCmdShow);
    if (nCmdShow != -1)
    {
        ShowWindow(nCmdShow);
        BringToTop(nCmdShow);
    }
}

void CFrameWnd::BringToTop(int nCmdShow)
{
    if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE &&
        nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE)
    {
        HWND hWndLastPop = ::GetLastActivePopup(m_hWnd);
        ::BringWindowToTop(hWndLastPop);
    }
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    HACCEL hAccelTable = m_hAccelTable;
    CDocument* pDoc = GetActiveDocument();
    if (pDoc != NULL)
    {
        HACCEL hAccel = pDoc->GetDefaultAccelerator();
        if (hAccel != NULL)
            hAccelTable = hAccel;
    }
    return hAccelTable;
}

// Keeps the caption active while a floating window has the focus, and tells them of state changes.
void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    CFrameWnd* pParent = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
    if (pParent == NULL)
        return;
    if (dwFlags & (FS_DEACTIVATE | FS_ACTIVATE))
    {
        BOOL bActivate = !(dwFlags & FS_DEACTIVATE);
        BOOL bEnabled = pParent->IsWindowEnabled();
        if (bActivate && bEnabled && pParent != this)
        {
            m_nFlags |= WF_KEEPMINIACTIVE;
            pParent->SendMessage(WM_NCACTIVATE, TRUE);
            m_nFlags &= ~WF_KEEPMINIACTIVE;
        }
        else
        {
            pParent->SendMessage(WM_NCACTIVATE, FALSE);
        }
    }
    // the floating windows owned by the frame follow its state
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL;
         hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (hWnd != pParent->m_hWnd && AfxIsDescendant(pParent->m_hWnd, hWnd))
            ::SendMessageA(hWnd, WM_FLOATSTATUS, dwFlags, 0);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Commands

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CPushRoutingFrame push(this);

    // the active view (and through it its document) first
    CView* pView = GetActiveView();
    if (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;

    // then the frame itself
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;

    // last the application
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}

// In help mode a menu command shows its help instead of running.
BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND hWndCtrl = (HWND)lParam;
    UINT nID = LOWORD(wParam);
    CFrameWnd* pFrameWnd = GetTopLevelFrame();
    if (pFrameWnd != NULL && pFrameWnd->m_bHelpMode && hWndCtrl == NULL &&
        nID != ID_HELP && nID != ID_DEFAULT_HELP && nID != ID_CONTEXT_HELP)
    {
        // in help mode a command asks for its help instead of running
        if (!SendMessage(WM_COMMANDHELP, 0, HID_BASE_COMMAND + nID))
            SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
        pFrameWnd->m_bHelpMode = FALSE;
        pFrameWnd->SetMessageText(AFX_IDS_IDLEMESSAGE);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam)
{
    if (lParam == 0 && m_nIDHelp != 0)
        lParam = HID_BASE_RESOURCE + m_nIDHelp;
    if (lParam != 0)
    {
        if (CWinApp* pApp = AfxGetApp())
            pApp->WinHelp((DWORD_PTR)lParam);
        return TRUE;
    }
    return FALSE;
}

void CFrameWnd::OnContextHelp()
{
    // the help-mode flag: the next command asks for its help
    CFrameWnd* pFrameWnd = GetTopLevelFrame();
    if (pFrameWnd == NULL)
        return;
    pFrameWnd->m_bHelpMode = !pFrameWnd->m_bHelpMode;
    pFrameWnd->SetMessageText(pFrameWnd->m_bHelpMode ? AFX_IDS_HELPMODEMESSAGE : AFX_IDS_IDLEMESSAGE);
}

void CFrameWnd::OnUpdateContextHelp(CCmdUI* pCmdUI)
{
    CFrameWnd* pFrameWnd = GetTopLevelFrame();
    pCmdUI->SetCheck(pFrameWnd != NULL && pFrameWnd->m_bHelpMode);
}

// Esc leaves help mode; other keys go through the frame's accelerators.
BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        // Esc leaves help mode
        if (m_bHelpMode && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE)
        {
            m_bHelpMode = FALSE;
            SetMessageText(AFX_IDS_IDLEMESSAGE);
            return TRUE;
        }
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel != NULL && ::TranslateAcceleratorA(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Menus: update handlers run when a popup opens

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu)
{
    AfxCancelModes(m_hWnd);
    if (bSysMenu)
        return;     // the system menu keeps its own states

    CCmdUI state;
    state.m_pMenu = pMenu;
    // the menu bar holding this popup, when there is one
    HMENU hParentMenu = ::GetMenu(m_hWnd);
    if (hParentMenu != NULL)
    {
        int nCount = ::GetMenuItemCount(hParentMenu);
        for (int i = 0; i < nCount; i++)
        {
            if (::GetSubMenu(hParentMenu, i) == pMenu->m_hMenu)
            {
                state.m_pParentMenu = CMenu::FromHandle(hParentMenu);
                break;
            }
        }
    }

    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = pMenu->GetMenuItemID(state.m_nIndex);
        if (state.m_nID == 0)
            continue;   // separator
        if (state.m_nID == (UINT)-1)
        {
            // a popup: routed through its first item, never disabled for lack of a handler
            state.m_pSubMenu = pMenu->GetSubMenu(state.m_nIndex);
            if (state.m_pSubMenu == NULL ||
                (state.m_nID = state.m_pSubMenu->GetMenuItemID(0)) == 0 ||
                state.m_nID == (UINT)-1)
                continue;
            state.DoUpdate(this, FALSE);
        }
        else
        {
            state.m_pSubMenu = NULL;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }

        // update handlers may have added or removed items
        UINT nCount = pMenu->GetMenuItemCount();
        if (nCount < state.m_nIndexMax)
        {
            state.m_nIndex -= (state.m_nIndexMax - nCount);
            while (state.m_nIndex < nCount && pMenu->GetMenuItemID(state.m_nIndex) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Status prompts

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    // the prompt is the first line of the command's string
    AfxLoadString(nID, rMessage);
    int nNewLine = rMessage.Find('\n');
    if (nNewLine >= 0)
        rMessage = rMessage.Left(nNewLine);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

// Shows a prompt (by id or text) in the status bar and remembers which one is shown.
LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    m_nFlags &= ~WF_NOPOPMSG;

    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != NULL)
    {
        CString strMessage;
        LPCTSTR lpsz = NULL;
        if (lParam != 0)
        {
            lpsz = (LPCTSTR)lParam;     // the text itself
        }
        else if (wParam != 0)
        {
            GetMessageString((UINT)wParam, strMessage);
            lpsz = strMessage;
        }
        pMessageBar->SetWindowText(lpsz);

        // the frame owning the bar tracks the prompt as well
        CFrameWnd* pFrameWnd = pMessageBar->GetParentFrame();
        if (pFrameWnd != NULL && pFrameWnd != this)
        {
            pFrameWnd->m_nIDLastMessage = (UINT)wParam;
            pFrameWnd->m_nIDTracking = (UINT)wParam;
        }
    }

    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

// Shows the prompt of the menu item under the mouse, or the idle text when the menu closes.
void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU)
{
    CFrameWnd* pFrameWnd = GetTopLevelFrame();
    if (pFrameWnd == NULL)
        pFrameWnd = this;

    if (nFlags == 0xFFFF)
    {
        // the menu closed: back to the idle prompt at once
        m_nFlags &= ~WF_NOPOPMSG;
        m_nIDTracking = pFrameWnd->m_bHelpMode ? AFX_IDS_HELPMODEMESSAGE : AFX_IDS_IDLEMESSAGE;
        SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
        CWnd* pWnd = GetMessageBar();
        if (pWnd != NULL)
            pWnd->UpdateWindow();
    }
    else
    {
        if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
            m_nIDTracking = 0;      // nothing to show
        else if (nItemID >= 0xF000 && nItemID < 0xF1F0)
            m_nIDTracking = ID_COMMAND_FROM_SC(nItemID);    // system commands
        else if (nItemID >= AFX_IDM_FIRST_MDICHILD)
            m_nIDTracking = AFX_IDS_MDICHILD;               // window list entries
        else
            m_nIDTracking = nItemID;
        pFrameWnd->m_nFlags |= WF_NOPOPMSG;
    }

    // the prompt shows on the next idle turn of the menu loop
    if (m_nIDTracking != m_nIDLastMessage && GetParent() != NULL)
        PostMessage(WM_KICKIDLE);
}

void CFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    CWnd::OnEnterIdle(nWhy, pWho);
    if (nWhy != MSGF_MENU || m_nIDTracking == m_nIDLastMessage)
        return;
    SetMessageText(m_nIDTracking);
}

/////////////////////////////////////////////////////////////////////////////
// Window messages

void CFrameWnd::OnDestroy()
{
    // the default menu goes with the window; a shared document menu stays
    if (m_hMenuDefault != NULL && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    // floating frames and dock bars go while the frame is still whole
    DestroyDockBars();
    s_mapOwnedAboveQuiet.erase(m_hWnd);
    CWnd::OnDestroy();
}

// Closes the frame after the documents agree, closing a document with its last frame.
void CFrameWnd::OnClose()
{
    // closing a frame that shows a print preview ends the preview
    if (m_lpfnCloseProc != NULL)
    {
        (*m_lpfnCloseProc)(this);
        return;
    }

    CDocument* pDocument = GetActiveDocument();
    if (pDocument != NULL && !pDocument->CanCloseFrame(this))
        return;     // the user cancelled

    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
    {
        // the main window asks about every document first
        if (pDocument == NULL && !pApp->SaveAllModified())
            return;
        pApp->HideApplication();
        pApp->CloseAllDocuments(FALSE);
        // closing the documents may have destroyed the main window
        if (pApp->m_pMainWnd == NULL)
            return;
    }

    // the last frame of a document closes the document instead
    if (pDocument != NULL && pDocument->m_bAutoDelete)
    {
        BOOL bOtherFrame = FALSE;
        POSITION pos = pDocument->GetFirstViewPosition();
        while (pos != NULL)
        {
            CView* pView = pDocument->GetNextView(pos);
            if (pView->GetParentFrame() != this)
            {
                bOtherFrame = TRUE;
                break;
            }
        }
        if (!bOtherFrame)
        {
            pDocument->OnCloseDocument();
            return;
        }
        pDocument->PreCloseFrame(this);
    }

    DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != NULL)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    if (m_pViewActive != NULL)
        return TRUE;    // the view paints everything
    return CWnd::OnEraseBkgnd(pDC);
}

// Keeps floating windows' captions in step with the frame and activates or deactivates its view.
void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);

    // floating windows of the frame keep the frame's caption active
    CFrameWnd* pTopLevel = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
    if (pTopLevel == NULL)
        pTopLevel = this;
    CWnd* pActive = (nState == WA_INACTIVE ? pWndOther : this);
    BOOL bStayActive = FALSE;
    if (pActive != NULL)
    {
        bStayActive = pTopLevel == pActive ||
            (pTopLevel == pActive->GetTopLevelFrame() &&
             (pActive == pTopLevel || pActive->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE) != 0));
    }
    pTopLevel->NotifyFloatingWindows(bStayActive ? FS_ACTIVATE : FS_DEACTIVATE);
    if (nState != WA_INACTIVE && (GetStyle() & WS_CHILD) == 0)
        KeepOwnedWindowsAbove(m_hWnd);

    // the active view follows the frame's activation
    CView* pActiveView = GetActiveView();
    if (pActiveView == NULL)
    {
        CFrameWnd* pActiveFrame = GetActiveFrame();
        if (pActiveFrame != NULL)
            pActiveView = pActiveFrame->GetActiveView();
    }
    if (pActiveView != NULL)
    {
        if (nState != WA_INACTIVE && !bMinimized)
            pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
        pActiveView->OnActivateFrame(nState, this);
    }
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive)
{
    if (m_nFlags & WF_STAYACTIVE)
        bActive = TRUE;
    if (!IsWindowEnabled())
        bActive = FALSE;
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0L);
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    if (bEnable && (m_nFlags & WF_STAYDISABLED))
    {
        EnableWindow(FALSE);
        ::SetFocus(NULL);
        return;
    }
    CWnd::OnEnable(bEnable);
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

// The wait cursor while the program is busy, the help cursor in help mode.
BOOL CFrameWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_nWaitCursorCount > 0)
    {
        pApp->DoWaitCursor(0);  // keep the wait cursor while the program is busy
        return TRUE;
    }
    CFrameWnd* pFrameWnd = GetTopLevelFrame();
    if (pFrameWnd != NULL && pFrameWnd->m_bHelpMode && nHitTest == HTCLIENT)
    {
        ::SetCursor(::LoadCursor(NULL, IDC_HELP));
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo)
{
    SetActiveWindow();
    UINT nFiles = ::DragQueryFileA(hDropInfo, (UINT)-1, NULL, 0);
    CWinApp* pApp = AfxGetApp();
    for (UINT iFile = 0; iFile < nFiles; iFile++)
    {
        char szFileName[MAX_PATH];
        if (::DragQueryFileA(hDropInfo, iFile, szFileName, MAX_PATH) != 0 && pApp != NULL)
            pApp->OpenDocumentFile(szFileName);
    }
    ::DragFinish(hDropInfo);
}

BOOL CFrameWnd::OnQueryEndSession()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
        return pApp->SaveAllModified();
    return TRUE;
}

void CFrameWnd::OnEndSession(BOOL bEnding)
{
    if (!bEnding)
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
    {
        pApp->CloseAllDocuments(TRUE);
        pApp->ExitInstance();
    }
}

void CFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    (void)nID;
    (void)lParam;
    Default();
}

/////////////////////////////////////////////////////////////////////////////
// DDE of the shell: the program answers its own name with the "system" topic.

LRESULT CFrameWnd::OnDDEInitiate(WPARAM wParam, LPARAM lParam)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && LOWORD(lParam) != 0 && HIWORD(lParam) != 0 &&
        (ATOM)LOWORD(lParam) == pApp->m_atomApp && (ATOM)HIWORD(lParam) == pApp->m_atomSystemTopic)
    {
        // the receiver deletes the atoms of the answer: add a reference to each
        char szAtomName[MAX_PATH];
        if (::GlobalGetAtomNameA(pApp->m_atomApp, szAtomName, MAX_PATH - 1) != 0)
            ::GlobalAddAtomA(szAtomName);
        if (::GlobalGetAtomNameA(pApp->m_atomSystemTopic, szAtomName, MAX_PATH - 1) != 0)
            ::GlobalAddAtomA(szAtomName);
        ::SendMessageA((HWND)wParam, WM_DDE_ACK, (WPARAM)m_hWnd,
                       MAKELPARAM(pApp->m_atomApp, pApp->m_atomSystemTopic));
    }
    return 0;
}

// Acknowledges a shell DDE command and runs it, unless a modal window is up.
LRESULT CFrameWnd::OnDDEExecute(WPARAM wParam, LPARAM lParam)
{
    UINT_PTR uUnused = 0;
    UINT_PTR uData = 0;
    if (!::UnpackDDElParam(WM_DDE_EXECUTE, lParam, &uUnused, &uData))
        return 0;
    HGLOBAL hData = (HGLOBAL)uData;

    char szCommand[MAX_PATH * 2] = "";
    LPCSTR lpsz = (LPCSTR)::GlobalLock(hData);
    if (lpsz != NULL)
    {
        lstrcpynA(szCommand, lpsz, (int)sizeof(szCommand));
        ::GlobalUnlock(hData);
    }

    // acknowledge before running the command
    ::PostMessageA((HWND)wParam, WM_DDE_ACK, (WPARAM)m_hWnd,
                   ::ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK, 0x8000, (UINT_PTR)hData));
    if (!IsWindowEnabled())
        return 0;   // busy with a modal window
    if (CWinApp* pApp = AfxGetApp())
        pApp->OnDDECommand(szCommand);
    return 0;
}

LRESULT CFrameWnd::OnDDETerminate(WPARAM wParam, LPARAM lParam)
{
    ::PostMessageA((HWND)wParam, WM_DDE_TERMINATE, (WPARAM)m_hWnd, lParam);
    return 0;
}
