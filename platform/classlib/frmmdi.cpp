// frmmdi.cpp - CMDIFrameWnd, CMDIChildWnd and CMiniFrameWnd.

#include "afxwnd.h"

namespace
{
// A message box with one of the class library's prompts (its own text when the
// program's resources do not have the id).
int ShowPrompt(UINT nIDPrompt, UINT nType = MB_OK)
{
    CString strPrompt;
    AfxLoadString(nIDPrompt, strPrompt);
    return AfxMessageBox(strPrompt, nType, nIDPrompt);
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CMDIFrameWnd

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_MENUCHAR()
    ON_MESSAGE_VOID(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd()
{
    m_hWndMDIClient = NULL;
}

CMDIFrameWnd::~CMDIFrameWnd()
{
}

BOOL CMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxGetMDIFrameClassName();
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    // the menu shown while no document window is active
    m_hMenuDefault = ::GetMenu(m_hWnd);
    return TRUE;
}

// The popup of a menu bar that holds the Window commands; NULL if none.
HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    // the popup that holds the Window commands
    if (hMenuBar == NULL)
        return NULL;
    int iItem = ::GetMenuItemCount(hMenuBar);
    while (iItem--)
    {
        HMENU hMenuPop = ::GetSubMenu(hMenuBar, iItem);
        if (hMenuPop != NULL)
        {
            int iItemMax = ::GetMenuItemCount(hMenuPop);
            for (int iItemPop = 0; iItemPop < iItemMax; iItemPop++)
            {
                UINT nID = ::GetMenuItemID(hMenuPop, iItemPop);
                if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST)
                    return hMenuPop;
            }
        }
    }
    return NULL;
}

// Creates the MDI client, listing the children in the Window menu (or the one left of Help).
BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    CMenu* pMenu = NULL;
    HMENU hMenu = m_hMenuDefault != NULL ? m_hMenuDefault : ::GetMenu(m_hWnd);
    HMENU hWindowMenu = GetWindowMenuPopup(hMenu);
    if (hWindowMenu == NULL && hMenu != NULL)
    {
        // by convention the Window menu stands left of Help
        int iMenu = ::GetMenuItemCount(hMenu) - 2;
        if (iMenu >= 0)
            hWindowMenu = ::GetSubMenu(hMenu, iMenu);
    }
    if (hWindowMenu != NULL)
        pMenu = CMenu::FromHandle(hWindowMenu);
    return CreateClient(lpcs, pMenu);
}

// Creates the MDI client window, taking over the frame's scroll bars and client edge.
BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs;
    ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;

    DWORD dwStyle = WS_VISIBLE | WS_CHILD | WS_BORDER | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                    MDIS_ALLCHILDSTYLES;
    DWORD dwExStyle = 0;
    if (lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL))
    {
        dwStyle |= (lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL));
        ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0, SWP_NOREDRAW | SWP_FRAMECHANGED);
    }
    if (lpCreateStruct->dwExStyle & WS_EX_CLIENTEDGE)
    {
        // the client takes the edge from the frame
        dwStyle &= ~WS_BORDER;
        dwExStyle |= WS_EX_CLIENTEDGE;
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    }

    m_hWndMDIClient = ::CreateWindowExA(dwExStyle, "MDICLIENT", NULL, dwStyle, 0, 0, 0, 0, m_hWnd,
                                        (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST,
                                        AfxGetInstanceHandle(), (LPVOID)&ccs);
    if (m_hWndMDIClient == NULL)
        return FALSE;
    ::BringWindowToTop(m_hWndMDIClient);
    return TRUE;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, nMsg, wParam, lParam);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild == NULL)
        return this;
    return pActiveChild;
}

// The active document window, or NULL (a hidden, pseudo-inactive child does not count).
CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    if (m_hWndMDIClient == NULL)
    {
        if (pbMaximized != NULL)
            *pbMaximized = FALSE;
        return NULL;
    }
    HWND hWnd = (HWND)::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)pbMaximized);
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    CMDIChildWnd* pChild = (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
                               ? (CMDIChildWnd*)pWnd : NULL;
    // a hidden child counted as inactive is not the active one
    if (pChild != NULL && pChild->m_bPseudoInactive && (pChild->GetStyle() & WS_VISIBLE) == 0)
    {
        pChild = NULL;
        if (pbMaximized != NULL)
            *pbMaximized = FALSE;
    }
    return pChild;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->GetSafeHwnd(), 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pWnd->GetSafeHwnd(), 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pWnd->GetSafeHwnd(), 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    return CMenu::FromHandle((HMENU)::SendMessageA(m_hWndMDIClient, WM_MDISETMENU,
        (WPARAM)pFrameMenu->GetSafeHmenu(), (LPARAM)pWindowMenu->GetSafeHmenu()));
}

void CMDIFrameWnd::MDITile()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDITILE, 0, 0);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDITILE, (WPARAM)nType, 0);
}

void CMDIFrameWnd::MDICascade(int nType)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, (WPARAM)nType, 0);
}

// Arranges, cascades or tiles the children for the Window commands; FALSE for other ids.
BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    UINT msg;
    WPARAM wParam = 0;
    switch (nID)
    {
    case ID_WINDOW_ARRANGE:
        msg = WM_MDIICONARRANGE;
        break;
    case ID_WINDOW_CASCADE:
        msg = WM_MDICASCADE;
        break;
    case ID_WINDOW_TILE_HORZ:
        wParam = MDITILE_HORIZONTAL;
        msg = WM_MDITILE;
        break;
    case ID_WINDOW_TILE_VERT:
        wParam = MDITILE_VERTICAL;
        msg = WM_MDITILE;
        break;
    default:
        return FALSE;
    }
    ::SendMessageA(m_hWndMDIClient, msg, wParam, 0);
    return TRUE;
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != NULL);
}

// Opens another frame on the active document.
void CMDIFrameWnd::OnWindowNew()
{
    // another frame on the active document, made by its template
    CMDIChildWnd* pActiveChild = MDIGetActive();
    CDocument* pDocument = pActiveChild != NULL ? pActiveChild->GetActiveDocument() : NULL;
    CDocTemplate* pTemplate = pDocument != NULL ? pDocument->GetDocTemplate() : NULL;
    if (pTemplate == NULL)
    {
        ShowPrompt(AFX_IDP_COMMAND_FAILURE);
        return;
    }
    CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDocument, pActiveChild);
    if (pFrame == NULL)
    {
        ShowPrompt(AFX_IDP_COMMAND_FAILURE);
        return;
    }
    pTemplate->InitialUpdateFrame(pFrame, pDocument);
}

// Routes a command to the active child (its view and document) before the frame and application.
BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // the active document window (its view, document and itself) first
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != NULL)
    {
        _AFX_THREAD_STATE* pState = AfxGetThreadState();
        CMDIFrameWnd* pOldRouting = pState->m_pRoutingMDIFrame;
        pState->m_pRoutingMDIFrame = this;
        BOOL bHandled = FALSE;
        try
        {
            bHandled = pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        }
        catch (...)
        {
            pState->m_pRoutingMDIFrame = pOldRouting;
            throw;
        }
        pState->m_pRoutingMDIFrame = pOldRouting;
        if (bHandled)
            return TRUE;
    }
    // then this frame and the application
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// Commands no one handles that belong to the MDI client (window list, system) go to it.
BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // routing (OnCmdMsg) offers the command to the active child first
    if (CFrameWnd::OnCommand(wParam, lParam))
        return TRUE;

    // window list entries and the like belong to the MDI machinery
    HWND hWndCtrl = (HWND)lParam;
    if (hWndCtrl == NULL && (LOWORD(wParam) & 0xF000) == 0xF000)
    {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

// Help mode, the frame's accelerators, then the MDI client's keys (Ctrl+F4, Ctrl+F6).
BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        if (m_bHelpMode && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE)
        {
            m_bHelpMode = FALSE;
            SetMessageText(AFX_IDS_IDLEMESSAGE);
            return TRUE;
        }
        // the frame's own accelerators (the child's were tried on the way up)
        if (m_hAccelTable != NULL && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
            return TRUE;
        // Ctrl+F4, Ctrl+F6 and the like of the MDI client
        if (GetActiveView() == NULL && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) &&
            m_hWndMDIClient != NULL && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
            return TRUE;
    }
    return FALSE;
}

// The frame's caption with the active document's name, unless the child is maximized.
void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;

    CMDIChildWnd* pActiveChild = NULL;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && (pActiveChild = MDIGetActive()) != NULL &&
        (pActiveChild->GetStyle() & WS_MAXIMIZE) == 0 &&
        (pDocument != NULL || (pDocument = pActiveChild->GetActiveDocument()) != NULL))
    {
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    }
    else
    {
        // a maximized child's title is joined by the system
        LPCTSTR lpstrTitle = NULL;
        CString strTitle;
        if (pActiveChild != NULL && (pActiveChild->GetStyle() & WS_MAXIMIZE) == 0)
        {
            strTitle = pActiveChild->GetTitle();
            if (!strTitle.IsEmpty())
                lpstrTitle = strTitle;
        }
        UpdateFrameTitleForDocument(lpstrTitle);
    }
}

// The menu of the active child's document type, or the frame's own without a child.
void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (m_lpfnCloseProc != NULL)
        return;     // no menu while a print preview shows
    CMDIChildWnd* pActiveWnd = MDIGetActive();
    if (pActiveWnd != NULL)
    {
        // the active child chooses the menu
        pActiveWnd->OnUpdateFrameMenu(TRUE, pActiveWnd, hMenuAlt);
    }
    else
    {
        if (hMenuAlt == NULL)
            hMenuAlt = m_hMenuDefault;
        ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt,
                       (LPARAM)GetWindowMenuPopup(hMenuAlt));
    }
}

void CMDIFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt)
{
    OnUpdateFrameMenu(hMenuAlt);
    m_nIdleFlags |= idleMenu;
}

void CMDIFrameWnd::OnIdleUpdateCmdUI()
{
    if (m_nIdleFlags & idleMenu)
    {
        DrawMenuBar();
        m_nIdleFlags &= ~idleMenu;
    }
    CFrameWnd::OnIdleUpdateCmdUI();
}

void CMDIFrameWnd::OnDestroy()
{
    CFrameWnd::OnDestroy();
    // the MDI client goes with the frame
    m_hWndMDIClient = NULL;
}

void CMDIFrameWnd::OnSize(UINT nType, int, int)
{
    // layout only; DefFrameProc would size the MDI client over the bars
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

LRESULT CMDIFrameWnd::OnMenuChar(UINT nChar, UINT, CMenu*)
{
    // Alt+key for the maximized child's system menu
    const MSG* pMsg = &AfxGetThreadState()->m_lastSentMsg;
    LRESULT lResult = DefWindowProc(pMsg->message, pMsg->wParam, pMsg->lParam);
    if (HIWORD(lResult) != 0)
        return lResult;
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != NULL && LOWORD(lResult) == 0 && nChar == '-')
        ::PostMessageA(pActiveChild->m_hWnd, WM_SYSCOMMAND, SC_KEYMENU, '-');
    return lResult;
}

/////////////////////////////////////////////////////////////////////////////
// CMDIChildWnd

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_NCACTIVATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd()
{
    m_hMenuShared = NULL;
    m_bPseudoInactive = FALSE;
}

CMDIChildWnd::~CMDIChildWnd()
{
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame()
{
    // child -> MDI client -> MDI frame
    HWND hWndMDIClient = ::GetParent(m_hWnd);
    CWnd* pFrame = CWnd::FromHandlePermanent(::GetParent(hWndMDIClient));
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return (CMDIFrameWnd*)pFrame;
    return NULL;
}

void CMDIChildWnd::SetHandles(HMENU hMenu, HACCEL hAccel)
{
    m_hMenuShared = hMenu;
    m_hAccelTable = hAccel;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxGetFrameOrViewClassName();
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    return TRUE;
}

// Creates a document window in the MDI client of the main frame; FALSE without one.
BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == NULL)
    {
        CWinThread* pThread = AfxGetThread();
        CWnd* pMainWnd = pThread != NULL ? pThread->m_pMainWnd : NULL;
        if (pMainWnd == NULL || !pMainWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        {
            PostNcDestroy();
            return FALSE;
        }
        pParentWnd = (CMDIFrameWnd*)pMainWnd;
    }
    pParentWnd->RecalcLayout();

    CREATESTRUCT cs;
    cs.dwExStyle = 0L;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWnd;
    cs.hMenu = NULL;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = (LPVOID)pContext;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = cs.lpszName;

    // the MDI client creates the window; it is shown afterwards
    MDICREATESTRUCTA mcs;
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = (LPARAM)cs.lpCreateParams;

    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    if (hWnd == NULL)
        return FALSE;

    if (cs.style & WS_VISIBLE)
    {
        ::BringWindowToTop(hWnd);
        if (cs.style & WS_MINIMIZE)
            ShowWindow(SW_SHOWMINIMIZED);
        else if (cs.style & WS_MAXIMIZE)
            ShowWindow(SW_SHOWMAXIMIZED);
        else
            ShowWindow(SW_SHOWNORMAL);
        pParentWnd->MDIActivate(this);
        ::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
    return TRUE;
}

// Creates a document window from a resource, with its template's menu and accelerators.
BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    dwDefaultStyle |= WS_CHILD;
    dwDefaultStyle &= ~WS_POPUP;

    CString strFullString;
    CString strTitle;
    if (strFullString.LoadString(nIDResource))
        AfxExtractSubString(strTitle, strFullString, 0);

    // the menu and accelerators of the document type come from its template
    if (pContext != NULL && pContext->m_pNewDocTemplate != NULL &&
        pContext->m_pNewDocTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)))
    {
        CMultiDocTemplate* pTemplate = (CMultiDocTemplate*)pContext->m_pNewDocTemplate;
        if (pTemplate->m_hMenuShared != NULL)
            m_hMenuShared = pTemplate->m_hMenuShared;
        if (pTemplate->m_hAccelTable != NULL)
            m_hAccelTable = pTemplate->m_hAccelTable;
    }

    CMDIFrameWnd* pMDIFrame = NULL;
    if (pParentWnd != NULL && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        pMDIFrame = (CMDIFrameWnd*)pParentWnd;
    return Create(GetIconWndClass(dwDefaultStyle, nIDResource), strTitle, dwDefaultStyle,
                  rectDefault, pMDIFrame, pContext);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // the context came through the MDI creation record
    MDICREATESTRUCTA* pMCS = (MDICREATESTRUCTA*)lpCreateStruct->lpCreateParams;
    CCreateContext* pContext = pMCS != NULL ? (CCreateContext*)pMCS->lParam : NULL;
    return OnCreateHelper(lpCreateStruct, pContext);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, nMsg, wParam, lParam);
}

// Destroys the child without the frame's caption flickering through the intermediate titles.
BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    // no caption updates of the frame while the child goes
    CMDIFrameWnd* pFrameWnd = GetMDIFrame();
    if (pFrameWnd == NULL)
        return CFrameWnd::DestroyWindow();
    HWND hWndFrame = pFrameWnd->m_hWnd;
    DWORD dwStyle = (DWORD)::SetWindowLongPtrA(hWndFrame, GWL_STYLE,
        ::GetWindowLongPtrA(hWndFrame, GWL_STYLE) & ~FWS_ADDTOTITLE);
    MDIDestroy();
    if (::IsWindow(hWndFrame))
    {
        ::SetWindowLongPtrA(hWndFrame, GWL_STYLE, dwStyle);
        pFrameWnd->OnUpdateFrameTitle(TRUE);
    }
    return TRUE;
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0);
}

// Routes a command through the view and document, this frame, then the main frame and application.
BOOL CMDIChildWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMDIFrameWnd* pMDIFrame = GetMDIFrame();
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pMDIFrame == NULL)
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);

    // active view (and its document), then this frame
    {
        CView* pView = GetActiveView();
        CFrameWnd* pOldFrame = pState->m_pRoutingFrame;
        pState->m_pRoutingFrame = this;
        BOOL bHandled = FALSE;
        try
        {
            bHandled = (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) ||
                       CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        }
        catch (...)
        {
            pState->m_pRoutingFrame = pOldFrame;
            throw;
        }
        pState->m_pRoutingFrame = pOldFrame;
        if (bHandled)
            return TRUE;
    }

    // then the main frame and the application; when the main frame is routing
    // through this child it goes on by itself
    if (pState->m_pRoutingMDIFrame == pMDIFrame)
        return FALSE;
    return pMDIFrame->CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        // accelerators of the document type, in the context of the main frame
        HACCEL hAccel = GetDefaultAccelerator();
        CMDIFrameWnd* pFrame = GetMDIFrame();
        return hAccel != NULL && pFrame != NULL &&
               ::TranslateAcceleratorA(pFrame->m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

CWnd* CMDIChildWnd::GetMessageBar()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    return pFrame != NULL ? pFrame->GetMessageBar() : NULL;
}

// Sets the child's caption to its document's title and window number.
void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL)
        pFrame->OnUpdateFrameTitle(bAddToTitle);

    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    if (bAddToTitle)
    {
        CDocument* pDocument = GetActiveDocument();
        CString strText = pDocument != NULL ? pDocument->GetTitle() : m_strTitle;
        if (m_nWindow > 0)
        {
            char szNumber[32];
            wsprintfA(szNumber, ":%d", m_nWindow);
            strText += szNumber;
        }
        CString strOld;
        GetWindowText(strOld);
        if (strOld != strText)
        {
            AfxSetWindowText(m_hWnd, strText);
            // the Window menu lists the new title too
            ::SendMessageA(::GetParent(m_hWnd), WM_MDIREFRESHMENU, 0, 0);
            if (pFrame != NULL)
                pFrame->DrawMenuBar();
        }
    }
}

// Puts the document type's menu up when the child activates, the frame's when the last one goes.
void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL || pFrame->m_lpfnCloseProc != NULL)
        return;     // (no menu while a print preview shows)

    if (hMenuAlt == NULL && bActivate)
    {
        CDocument* pDoc = GetActiveDocument();
        if (pDoc != NULL)
            hMenuAlt = pDoc->GetDefaultMenu();
    }
    if (hMenuAlt == NULL)
        hMenuAlt = m_hMenuShared;

    if (hMenuAlt != NULL && bActivate)
    {
        // this document type's menu
        ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt,
                       (LPARAM)pFrame->GetWindowMenuPopup(hMenuAlt));
    }
    else if (hMenuAlt != NULL && !bActivate && pActivateWnd == NULL)
    {
        // the last child goes: the frame's own menu
        ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)pFrame->m_hMenuDefault,
                       (LPARAM)pFrame->GetWindowMenuPopup(pFrame->m_hMenuDefault));
    }
    else
    {
        ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
}

// Moves the view's activation, caption and menu with the child's MDI activation.
void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
    m_bPseudoInactive = FALSE;

    CView* pActiveView = GetActiveView();
    if (!bActivate && pActiveView != NULL)
        pActiveView->OnActivateView(FALSE, pActiveView, pActiveView);

    OnUpdateFrameTitle(bActivate || (pActivateWnd != NULL));

    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (bActivate && pActiveView != NULL && pFrame != NULL &&
        pFrame->m_hWnd == ::GetActiveWindow())
        pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);

    OnUpdateFrameMenu(bActivate, pActivateWnd, NULL);
    if (pFrame != NULL)
        pFrame->DrawMenuBar();
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    // a click into an inactive child activates it
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && pFrame->MDIGetActive() != this)
        MDIActivate();
    return nResult;
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    // maximizing and restoring change the main frame's caption
    if (nType == SIZE_MAXIMIZED || nType == SIZE_RESTORED)
    {
        CMDIFrameWnd* pFrame = GetMDIFrame();
        if (pFrame != NULL)
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CMDIChildWnd::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    CFrameWnd::OnWindowPosChanging(lpWndPos);
}

BOOL CMDIChildWnd::OnNcActivate(BOOL bActive)
{
    // the system chooses the caption state of MDI children
    (void)bActive;
    return (BOOL)Default();
}

void CMDIChildWnd::OnDestroy()
{
    CFrameWnd::OnDestroy();
}

// Shows the child like the one active before (maximized stays maximized) and fixes the activation.
void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    BOOL bVisibleThen = (GetStyle() & WS_VISIBLE) != 0;
    CMDIFrameWnd* pFrameWnd = GetMDIFrame();
    if (pFrameWnd == NULL)
    {
        CFrameWnd::ActivateFrame(nCmdShow);
        return;
    }

    if (nCmdShow == -1)
    {
        // like the child active before: maximized children stay maximized
        BOOL bMaximized = FALSE;
        pFrameWnd->MDIGetActive(&bMaximized);
        DWORD dwStyle = GetStyle();
        if (bMaximized || (dwStyle & WS_MAXIMIZE))
            nCmdShow = SW_SHOWMAXIMIZED;
        else if (dwStyle & WS_MINIMIZE)
            nCmdShow = SW_SHOWMINIMIZED;
    }

    CFrameWnd::ActivateFrame(nCmdShow);
    ::SendMessageA(pFrameWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);

    BOOL bVisibleNow = (GetStyle() & WS_VISIBLE) != 0;
    if (bVisibleNow == bVisibleThen)
        return;

    if (!bVisibleNow)
    {
        // a hidden child must not stay the active one
        HWND hWnd = (HWND)::SendMessageA(pFrameWnd->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0);
        if (hWnd != m_hWnd)
            return;
        pFrameWnd->MDINext();
        hWnd = (HWND)::SendMessageA(pFrameWnd->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0);
        if (hWnd == m_hWnd)
        {
            // the only child: counted as inactive from now on
            OnMDIActivate(FALSE, NULL, this);
            m_bPseudoInactive = TRUE;
        }
    }
    else if (m_bPseudoInactive)
    {
        OnMDIActivate(TRUE, this, NULL);
    }
}

/////////////////////////////////////////////////////////////////////////////
// CMiniFrameWnd

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_WM_NCACTIVATE()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd()
{
    m_bSyncActive = FALSE;
}

CMiniFrameWnd::~CMiniFrameWnd()
{
}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                           const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

// Creates a small-caption tool window, mapping the mini frame styles to window styles.
BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName,
                             DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName;
    m_bSyncActive = (dwStyle & MFS_SYNCACTIVE) != 0;

    if (lpClassName == NULL)
        lpClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                          (HBRUSH)(COLOR_BTNFACE + 1));

    // the small caption is the system's tool window caption
    dwExStyle |= WS_EX_TOOLWINDOW;
    DWORD dwWindowStyle = dwStyle & ~(MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_THICKFRAME |
                                      MFS_MOVEFRAME | MFS_BLOCKSYSMENU);
    if (dwStyle & MFS_THICKFRAME)
        dwWindowStyle |= WS_THICKFRAME;
    if (dwStyle & MFS_4THICKFRAME)
        dwWindowStyle |= WS_THICKFRAME;
    if ((dwWindowStyle & WS_CHILD) == 0 && nID != 0)
        nID = 0;    // a top-level window has a menu there, not an id

    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwWindowStyle,
                          rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                          pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID, NULL);
}

// Follows the owning frame's activation, visibility and enabling when MFS_SYNCACTIVE is set.
LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    // a floating window with MFS_SYNCACTIVE shows its caption like its frame's
    if (!m_bSyncActive)
        return 0;
    if (wParam & FS_SYNCACTIVE)
        return 1;
    if (wParam & (FS_ACTIVATE | FS_DEACTIVATE))
    {
        BOOL bActive = (wParam & FS_ACTIVATE) != 0;
        if (bActive)
            m_nFlags |= WF_STAYACTIVE;
        else
            m_nFlags &= ~WF_STAYACTIVE;
        SendMessage(WM_NCACTIVATE, bActive);
    }
    if (wParam & (FS_SHOW | FS_HIDE))
        SetWindowPos(NULL, 0, 0, 0, 0, ((wParam & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) |
                     SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    return 0;
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    if (m_bSyncActive && (m_nFlags & WF_STAYACTIVE))
        bActive = TRUE;
    if (!IsWindowEnabled())
        bActive = FALSE;
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0L);
}

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    // the close box hides a synchronised tool window's parts through the owner
    if ((nID & 0xFFF0) == SC_CLOSE)
    {
        SendMessage(WM_CLOSE);
        return;
    }
    DefWindowProc(WM_SYSCOMMAND, nID, lParam);
}
