// wndcore.cpp - thread state, handle maps, the creation hook, AfxWndProc, window
// classes, and CWnd creation, destruction, subclassing and modal loops.

#include "afxwnd.h"
#include "afxcmn.h"
#include "afxole.h"
#include <unordered_map>
#include <set>
#include <string>
#include <deque>

/////////////////////////////////////////////////////////////////////////////
// Per-thread state and handle maps

namespace
{

struct CHandleMaps
{
    std::unordered_map<HWND, CWnd*> m_permWnd;      // attached objects
    std::unordered_map<HWND, CWnd*> m_tempWnd;      // made by FromHandle
    std::unordered_map<HMENU, CMenu*> m_permMenu;
    std::unordered_map<HMENU, CMenu*> m_tempMenu;
};

// The object a map holds for a handle, or NULL.
template <class TMap>
typename TMap::mapped_type FindMapped(const TMap& map, typename TMap::key_type h)
{
    auto it = map.find(h);
    return it != map.end() ? it->second : NULL;
}

// The permanent object of a handle, else its temporary one, else a new temporary one.
template <class T, class TMap>
T* FindOrMakeTemporary(TMap& permMap, TMap& tempMap, typename TMap::key_type h, typename TMap::key_type T::*pHandle)
{
    if (T* p = FindMapped(permMap, h))
        return p;
    if (T* p = FindMapped(tempMap, h))
        return p;
    T* p = new T;
    p->*pHandle = h;
    tempMap[h] = p;
    return p;
}

void DeleteTempWindows(CHandleMaps* pMaps)
{
    // the objects only borrow their handles
    std::unordered_map<HWND, CWnd*> temps;
    temps.swap(pMaps->m_tempWnd);
    for (auto& entry : temps)
    {
        entry.second->m_hWnd = NULL;
        delete entry.second;
    }
}

void DeleteTempMenus(CHandleMaps* pMaps)
{
    std::unordered_map<HMENU, CMenu*> temps;
    temps.swap(pMaps->m_tempMenu);
    for (auto& entry : temps)
    {
        entry.second->m_hMenu = NULL;
        delete entry.second;
    }
}

// The thread state lives on the heap. A TLS slot finds it; a fiber-local slot
// frees it when the thread ends (thread_local objects with destructors are not
// reliable in statically linked MinGW programs). Once freed, the TLS slot holds
// a marker, so that code running later on the same thread finds no state.
struct CThreadStateHolder
{
    _AFX_THREAD_STATE m_state;

    CThreadStateHolder()
    {
        memset(&m_state.m_lastSentMsg, 0, sizeof(MSG));
        memset(&m_state.m_msgCur, 0, sizeof(MSG));
        m_state.m_ptCursorLast = CPoint(-1, -1);
        m_state.m_nMsgLast = 0;
        m_state.m_hLockoutNotifyWindow = NULL;
        m_state.m_pWndInit = NULL;
        m_state.m_hHookOldCbtFilter = NULL;
        m_state.m_pRoutingView = NULL;
        m_state.m_pRoutingFrame = NULL;
        m_state.m_pRoutingMDIFrame = NULL;
        m_state.m_pCurrentWinThread = NULL;
        m_state.m_nTempMapLock = 0;
        m_state.m_pHandleMaps = new CHandleMaps;
    }

    ~CThreadStateHolder()
    {
        CHandleMaps* pMaps = (CHandleMaps*)m_state.m_pHandleMaps;
        DeleteTempWindows(pMaps);
        DeleteTempMenus(pMaps);
        if (m_state.m_hHookOldCbtFilter != NULL)
            ::UnhookWindowsHookEx(m_state.m_hHookOldCbtFilter);
        delete pMaps;
        m_state.m_pHandleMaps = NULL;
    }
};

CThreadStateHolder* const STATE_DESTROYED = (CThreadStateHolder*)(INT_PTR)-1;

DWORD ThreadStateTlsSlot()
{
    static const DWORD s_nSlot = ::TlsAlloc();
    return s_nSlot;
}

void NTAPI FreeThreadState(void* pData)
{
    CThreadStateHolder* pHolder = static_cast<CThreadStateHolder*>(pData);
    if (pHolder == NULL)
        return;
    ::TlsSetValue(ThreadStateTlsSlot(), STATE_DESTROYED);
    delete pHolder;
}

DWORD ThreadStateFlsSlot()
{
    static const DWORD s_nSlot = ::FlsAlloc(FreeThreadState);
    return s_nSlot;
}

// The holder of this thread, NULL when none was made, STATE_DESTROYED when gone.
CThreadStateHolder* PeekThreadState()
{
    return static_cast<CThreadStateHolder*>(::TlsGetValue(ThreadStateTlsSlot()));
}

CHandleMaps* GetHandleMaps()
{
    if (PeekThreadState() == STATE_DESTROYED)
    {
        // objects destroyed after the thread's state find empty maps
        static CHandleMaps* s_pEmpty = new CHandleMaps;
        return s_pEmpty;
    }
    return (CHandleMaps*)AfxGetThreadState()->m_pHandleMaps;
}

} // namespace

_AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    CThreadStateHolder* pHolder = PeekThreadState();
    if (pHolder == NULL || pHolder == STATE_DESTROYED)
    {
        pHolder = new CThreadStateHolder;
        ::TlsSetValue(ThreadStateTlsSlot(), pHolder);
        ::FlsSetValue(ThreadStateFlsSlot(), pHolder);
    }
    return &pHolder->m_state;
}

_AFX_THREAD_STATE* AFXAPI AfxGetThreadStateIfAlive()
{
    return PeekThreadState() == STATE_DESTROYED ? NULL : AfxGetThreadState();
}

int AFXAPI AfxGetPermanentWindowCount()
{
    return (int)GetHandleMaps()->m_permWnd.size();
}

int AFXAPI AfxGetTemporaryWindowCount()
{
    return (int)GetHandleMaps()->m_tempWnd.size();
}

void AFXAPI AfxLockTempMaps()
{
    ++AfxGetThreadState()->m_nTempMapLock;
}

// Ends one lock of the temporary maps, freeing the temporary objects when the last one ends.
BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_nTempMapLock != 0 && --pState->m_nTempMapLock == 0)
    {
        if (bDeleteTemps)
        {
            CWnd::DeleteTempMap();
            CMenu::DeleteTempMap();
            CDC::DeleteTempMap();
            CGdiObject::DeleteTempMap();
            CImageList::DeleteTempMap();
        }
        return TRUE;
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// CMenu handle map (the menu code lives in menucore.cpp)

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    if (hMenu == NULL)
        return NULL;
    CHandleMaps* pMaps = GetHandleMaps();
    return FindOrMakeTemporary<CMenu>(pMaps->m_permMenu, pMaps->m_tempMenu, hMenu, &CMenu::m_hMenu);
}

CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu)
{
    if (hMenu == NULL)
        return NULL;
    return FindMapped(GetHandleMaps()->m_permMenu, hMenu);
}

void PASCAL CMenu::DeleteTempMap()
{
    DeleteTempMenus(GetHandleMaps());
}

// Attaches a menu handle, replacing a temporary wrapper of it.
BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == NULL)
        return FALSE;
    m_hMenu = hMenu;
    CHandleMaps* pMaps = GetHandleMaps();
    // a temporary wrapper of the same handle gives way to this one
    auto temp = pMaps->m_tempMenu.find(hMenu);
    if (temp != pMaps->m_tempMenu.end())
    {
        temp->second->m_hMenu = NULL;
        delete temp->second;
        pMaps->m_tempMenu.erase(temp);
    }
    pMaps->m_permMenu[hMenu] = this;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != NULL)
    {
        CHandleMaps* pMaps = GetHandleMaps();
        auto perm = pMaps->m_permMenu.find(hMenu);
        if (perm != pMaps->m_permMenu.end() && perm->second == this)
            pMaps->m_permMenu.erase(perm);
    }
    m_hMenu = NULL;
    return hMenu;
}

/////////////////////////////////////////////////////////////////////////////
// CWnd handle map

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    CHandleMaps* pMaps = GetHandleMaps();
    return FindOrMakeTemporary<CWnd>(pMaps->m_permWnd, pMaps->m_tempWnd, hWnd, &CWnd::m_hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    return FindMapped(GetHandleMaps()->m_permWnd, hWnd);
}

void PASCAL CWnd::DeleteTempMap()
{
    DeleteTempWindows(GetHandleMaps());
}

// Attaches a window handle, replacing a temporary wrapper of it.
BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL)
        return FALSE;
    CHandleMaps* pMaps = GetHandleMaps();
    auto temp = pMaps->m_tempWnd.find(hWndNew);
    if (temp != pMaps->m_tempWnd.end())
    {
        temp->second->m_hWnd = NULL;
        delete temp->second;
        pMaps->m_tempWnd.erase(temp);
    }
    pMaps->m_permWnd[hWndNew] = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL)
    {
        CHandleMaps* pMaps = GetHandleMaps();
        auto perm = pMaps->m_permWnd.find(hWnd);
        if (perm != pMaps->m_permWnd.end() && perm->second == this)
            pMaps->m_permWnd.erase(perm);
    }
    m_hWnd = NULL;
    return hWnd;
}

/////////////////////////////////////////////////////////////////////////////
// Window procedure

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || pWnd->m_hWnd != hWnd)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

WNDPROC AFXAPI AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

// An exception escaping a handler: the thread decides what the user sees.
static LRESULT ProcessException(CException* e, const MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->ProcessWndProcException(e, pMsg);
    if (pMsg->message == WM_CREATE)
        return -1;
    if (pMsg->message == WM_PAINT)
        ::ValidateRect(pMsg->hwnd, NULL);
    return 0;
}

// Delivers a message to a window object, turning an escaping exception into a message box.
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    _AFX_THREAD_STATE* pThreadState = AfxGetThreadState();
    MSG oldState = pThreadState->m_lastSentMsg;     // nested messages restore it
    pThreadState->m_lastSentMsg.hwnd = hWnd;
    pThreadState->m_lastSentMsg.message = nMsg;
    pThreadState->m_lastSentMsg.wParam = wParam;
    pThreadState->m_lastSentMsg.lParam = lParam;

    // the window's drop target goes first, whatever the window's own handler does
    if (nMsg == WM_NCDESTROY && pWnd->m_pDropTarget != NULL)
        pWnd->m_pDropTarget->Revoke();

    LRESULT lResult = 0;
    try
    {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    }
    catch (CException* e)
    {
        lResult = ProcessException(e, &pThreadState->m_lastSentMsg);
        e->Delete();
    }
    catch (...)
    {
        // no C++ exception may unwind through the system's window code
        CException e(FALSE);
        lResult = ProcessException(&e, &pThreadState->m_lastSentMsg);
    }

    pThreadState->m_lastSentMsg = oldState;
    return lResult;
}

/////////////////////////////////////////////////////////////////////////////
// Creation hook: attaches the object before the window gets WM_NCCREATE.

static LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    _AFX_THREAD_STATE* pThreadState = AfxGetThreadState();
    if (code == HCBT_CREATEWND && pThreadState->m_pWndInit != NULL)
    {
        HWND hWnd = (HWND)wParam;
        CWnd* pWndInit = pThreadState->m_pWndInit;
        pThreadState->m_pWndInit = NULL;    // nested creations are not ours

        pWndInit->Attach(hWnd);
        pWndInit->PreSubclassWindow();
        WNDPROC* pOldWndProc = pWndInit->GetSuperWndProcAddr();
        WNDPROC oldWndProc = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC,
                                                          (LONG_PTR)&AfxWndProc);
        if (oldWndProc != &AfxWndProc)
            *pOldWndProc = oldWndProc;
    }
    return ::CallNextHookEx(pThreadState->m_hHookOldCbtFilter, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    _AFX_THREAD_STATE* pThreadState = AfxGetThreadState();
    if (pThreadState->m_pWndInit == pWnd)
        return;
    if (pThreadState->m_hHookOldCbtFilter == NULL)
    {
        pThreadState->m_hHookOldCbtFilter = ::SetWindowsHookExA(WH_CBT, AfxCbtFilterHook,
                                                                NULL, ::GetCurrentThreadId());
        if (pThreadState->m_hHookOldCbtFilter == NULL)
            AfxThrowMemoryException();
    }
    pThreadState->m_pWndInit = pWnd;
}

// Ends the creation hook; FALSE when the window never reached the object.
BOOL AFXAPI AfxUnhookWindowCreate()
{
    _AFX_THREAD_STATE* pThreadState = AfxGetThreadState();
    if (pThreadState->m_hHookOldCbtFilter != NULL)
    {
        ::UnhookWindowsHookEx(pThreadState->m_hHookOldCbtFilter);
        pThreadState->m_hHookOldCbtFilter = NULL;
    }
    if (pThreadState->m_pWndInit != NULL)
    {
        pThreadState->m_pWndInit = NULL;
        return FALSE;   // the window was never created
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Window classes

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASSA wndcls;
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE;    // already registered
    return ::RegisterClassA(lpWndClass) != 0;
}

// Stable storage for generated class names.
static LPCTSTR KeepClassName(const std::string& strName)
{
    static std::set<std::string>* pNames = new std::set<std::string>;
    return pNames->insert(strName).first->c_str();
}

// A window class of the given style, cursor, brush and icon, registered once per combination.
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    char szName[96];
    if (hCursor == NULL && hbrBackground == NULL && hIcon == NULL)
        wsprintfA(szName, "Afx:%p:%x", (void*)hInst, nClassStyle);
    else
        wsprintfA(szName, "Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor,
                  (void*)hbrBackground, (void*)hIcon);
    LPCTSTR lpszName = KeepClassName(szName);

    WNDCLASSA wndcls;
    memset(&wndcls, 0, sizeof(wndcls));
    wndcls.style = nClassStyle;
    wndcls.lpfnWndProc = ::DefWindowProcA;
    wndcls.hInstance = hInst;
    wndcls.hIcon = hIcon;
    wndcls.hCursor = hCursor;
    wndcls.hbrBackground = hbrBackground;
    wndcls.lpszClassName = lpszName;
    if (!AfxRegisterClass(&wndcls))
        AfxThrowResourceException();
    return lpszName;
}

// Registers one of the library's standard window classes.
static LPCTSTR RegisterStdClass(LPCTSTR lpszName, UINT nStyle, HBRUSH hbr, HICON hIcon)
{
    WNDCLASSA wndcls;
    memset(&wndcls, 0, sizeof(wndcls));
    wndcls.style = nStyle;
    wndcls.lpfnWndProc = ::DefWindowProcA;
    wndcls.hInstance = AfxGetInstanceHandle();
    wndcls.hIcon = hIcon;
    wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wndcls.hbrBackground = hbr;
    wndcls.lpszClassName = lpszName;
    if (!AfxRegisterClass(&wndcls))
        AfxThrowResourceException();
    return lpszName;
}

LPCTSTR AFXAPI AfxGetWndClassName()
{
    return RegisterStdClass("AfxWnd", CS_DBLCLKS, NULL, NULL);
}

LPCTSTR AFXAPI AfxGetFrameOrViewClassName()
{
    return RegisterStdClass("AfxFrameOrView", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                            (HBRUSH)(COLOR_WINDOW + 1), ::LoadIcon(NULL, IDI_APPLICATION));
}

LPCTSTR AFXAPI AfxGetMDIFrameClassName()
{
    return RegisterStdClass("AfxMDIFrame", CS_DBLCLKS, NULL, ::LoadIcon(NULL, IDI_APPLICATION));
}

LPCTSTR AFXAPI AfxGetControlBarClassName()
{
    return RegisterStdClass("AfxControlBar", 0, (HBRUSH)(COLOR_BTNFACE + 1), NULL);
}

/////////////////////////////////////////////////////////////////////////////
// CWnd construction, creation and destruction

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd()
{
    m_hWnd = NULL;
    m_hWndOwner = NULL;
    m_nFlags = 0;
    m_pfnSuper = NULL;
    m_nModalResult = 0;
    m_pDropTarget = NULL;
}

CWnd::CWnd(HWND hWnd)
{
    m_hWnd = hWnd;
    m_hWndOwner = NULL;
    m_nFlags = 0;
    m_pfnSuper = NULL;
    m_nModalResult = 0;
    m_pDropTarget = NULL;
}

// Destroys the window of a permanent object without calling back into the dying object.
CWnd::~CWnd()
{
    if (this == &wndTop || this == &wndBottom || this == &wndTopMost || this == &wndNoTopMost)
        return;
    if (m_pDropTarget != NULL)
        m_pDropTarget->Revoke();    // the target outlives the window object
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
    {
        // the object goes first: destroy the window without calling back into it
        HWND hWnd = m_hWnd;
        WNDPROC pfnSuper = m_pfnSuper;
        Detach();
        if (::IsWindow(hWnd))
        {
            if (pfnSuper != NULL)
                ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnSuper);
            ::DestroyWindow(hWnd);
        }
    }
}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxGetWndClassName();
    return TRUE;
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

void CWnd::OnFinalRelease()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    else
        PostNcDestroy();
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD,
                    rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID, (LPVOID)pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                    DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle,
                    rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID, lpParam);
}

// Creates the window, attached to this object from its first message; FALSE if refused.
BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight,
                    HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style,
                                  cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu,
                                  cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();    // never attached: clean up like a destroyed window
    return hWnd != NULL;
}

// Destroys the window; an object in no map forgets the handle here.
BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    HWND hWnd = m_hWnd;
    BOOL bPermanent = FromHandlePermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    // a permanent object has been detached by WM_NCDESTROY (and may be gone);
    // an object in no map forgets the handle here (temporary ones go at idle time)
    if (!bPermanent && bResult)
    {
        CHandleMaps* pMaps = GetHandleMaps();
        auto temp = pMaps->m_tempWnd.find(hWnd);
        if (temp == pMaps->m_tempWnd.end() || temp->second != this)
            m_hWnd = NULL;
    }
    return bResult;
}

/////////////////////////////////////////////////////////////////////////////
// Subclassing

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC* lplpfn = GetSuperWndProcAddr();
    WNDPROC oldWndProc = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    if (oldWndProc != &AfxWndProc)
        *lplpfn = oldWndProc;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, nID);
    if (hWndControl != NULL)
        return SubclassWindow(hWndControl);
    return FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    WNDPROC* lplpfn = GetSuperWndProcAddr();
    if (*lplpfn != NULL)
    {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)*lplpfn);
        *lplpfn = NULL;
    }
    return Detach();
}

LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, nMsg, wParam, lParam);
    WNDPROC pfnWndProc = *GetSuperWndProcAddr();
    if (pfnWndProc == NULL)
        return ::DefWindowProcA(m_hWnd, nMsg, wParam, lParam);
    return ::CallWindowProcA(pfnWndProc, m_hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG* pMsg = &AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(pMsg->message, pMsg->wParam, pMsg->lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    pState->m_lastSentMsg.time = ::GetMessageTime();
    DWORD dwPos = ::GetMessagePos();
    pState->m_lastSentMsg.pt.x = (short)LOWORD(dwPos);
    pState->m_lastSentMsg.pt.y = (short)HIWORD(dwPos);
    return &pState->m_lastSentMsg;
}

/////////////////////////////////////////////////////////////////////////////
// Pre-translation

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    // the tool tips of the window follow the mouse
    if (m_nFlags & WF_TOOLTIPS)
        FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Modal loops

namespace
{
// Called when a modal loop waits for input (tests).
AFX_MODAL_IDLE_HOOK g_pfnModalIdleHook = NULL;
} // namespace

AFX_MODAL_IDLE_HOOK AFXAPI AfxSetModalIdleHook(AFX_MODAL_IDLE_HOOK pfnHook)
{
    AFX_MODAL_IDLE_HOOK pfnPrevious = g_pfnModalIdleHook;
    g_pfnModalIdleHook = pfnHook;
    return pfnPrevious;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);
    }
}

// The modal loop of dialogs and sheets: idle work, messages, until EndModalLoop.
int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    HWND hWndSelf = m_hWnd;
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    MSG* pMsg = AfxGetCurrentMessage();

    for (;;)
    {
        // idle work while the queue is empty
        while (bIdle && !::PeekMessageA(pMsg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (bShowIdle)
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != NULL && lIdleCount == 0)
                ::SendMessageA(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            if ((dwFlags & MLF_NOKICKIDLE) ||
                !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }

        // a test script acts when the loop waits for input
        if (!::PeekMessageA(pMsg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (g_pfnModalIdleHook != NULL)
                g_pfnModalIdleHook(this);
            if (!::IsWindow(hWndSelf) || !ContinueModal())
                goto ExitModal;
        }

        do
        {
            if (!AfxPumpMessage())
            {
                AfxPostQuitMessage(0);
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN))
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal())
                goto ExitModal;
            if (AfxIsIdleMessage(pMsg))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(pMsg, NULL, 0, 0, PM_NOREMOVE));
    }

ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

/////////////////////////////////////////////////////////////////////////////
// Window-bound device contexts

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CPaintDC::CPaintDC(CWnd* pWnd)
{
    m_hWnd = pWnd->m_hWnd;
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd)
{
    m_hWnd = pWnd->GetSafeHwnd();
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd)
{
    m_hWnd = pWnd->GetSafeHwnd();
    if (!Attach(::GetWindowDC(m_hWnd)))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
