// ExtPopupMenuWndTracking.cpp - the tracking site, the thread hooks, StartTracking, sub-menus,
// expansion, the end of a tracking and the popup's own messages; the keyboard and mouse
// handling is in ExtPopupMenuWndInput.cpp.

#include "stdafx.h"
#include <algorithm>
#include "ExtPopupMenuWnd.h"
#include "ExtPaintManager.h"
#include "ExtCmdManager.h"
#include "ExtCmdItem.h"
#include "ExtSoundPlayer.h"

// The one tracking site, zero at start; at exit it ends a tracking still under way.
CExtPopupMenuWnd::TrackingSite_t g_TrackingSite;

BEGIN_MESSAGE_MAP(CExtPopupMenuWnd, CExtPopupBaseWnd)
    ON_WM_TIMER()
    ON_WM_SHOWWINDOW()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEACTIVATE()
    ON_WM_CANCELMODE()
    ON_WM_ACTIVATEAPP()
    ON_WM_CLOSE()
    ON_WM_KEYDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

using std::max;
using std::min;

namespace
{

bool IsButtonMessage(UINT nMessage)
{
    switch (nMessage)
    {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP:
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONUP:
        return true;
    default:
        return false;
    }
}

bool IsClientButtonDown(UINT nMessage)
{
    return nMessage == WM_LBUTTONDOWN || nMessage == WM_RBUTTONDOWN
        || nMessage == WM_MBUTTONDOWN;
}

// Time stamp of the key message being handled by the keyboard hook: the message is still
// the first key message of the queue while its hook runs. The tick count when none is seen.
DWORD KeyEventTime()
{
    static bool s_bInPeek = false;
    MSG msg;
    if (!s_bInPeek)
    {
        s_bInPeek = true;
        const BOOL bFound = ::PeekMessage(&msg, NULL, WM_KEYFIRST, WM_KEYLAST,
                                          PM_NOREMOVE | PM_NOYIELD);
        s_bInPeek = false;
        if (bFound && msg.time != 0)
            return msg.time;
    }
    return ::GetTickCount();
}

bool IsKeyDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

// Keeps every popup from the hook target up to the root alive during a hook call.
class CChainLock
{
public:
    explicit CChainLock(CExtPopupMenuWnd* pPopup)
        : m_nCount(0)
    {
        for (CExtPopupMenuWnd* p = pPopup; p != NULL && m_nCount < 32; p = p->m_pWndParentMenu)
        {
            m_arrPopups[m_nCount++] = p;
            p->m_nSelfLock++;
        }
    }
    ~CChainLock()
    {
        for (int i = 0; i < m_nCount; i++)
        {
            CExtPopupMenuWnd* p = m_arrPopups[i];
            if (--p->m_nSelfLock == 0 && p->m_bDeletePending)
            {
                p->m_bDeletePending = false;
                delete p;
            }
        }
    }
    CChainLock(const CChainLock&) = delete;
    CChainLock& operator=(const CChainLock&) = delete;

private:
    CExtPopupMenuWnd* m_arrPopups[32];
    int m_nCount;
};

} // namespace

/////////////////////////////////////////////////////////////////////////////
// TrackingSite_t

CExtPopupMenuWnd::TrackingSite_t::TrackingSite_t()
    : m_nFlags(0), m_pWndRoot(NULL), m_pWndHookTarget(NULL), m_pWndAnimation(NULL),
      m_hHookMouse(NULL), m_hHookKeyboard(NULL), m_pResultCmdID(NULL)
{
}

CExtPopupMenuWnd::TrackingSite_t::~TrackingSite_t()
{
    if (m_pWndRoot != NULL && AfxGetThreadStateIfAlive() != NULL)
        Done();
    m_pWndRoot = NULL;
    m_pWndHookTarget = NULL;
    m_pWndAnimation = NULL;
    Unhook();
}

void CExtPopupMenuWnd::TrackingSite_t::Unhook()
{
    if (m_hHookMouse != NULL)
        ::UnhookWindowsHookEx(m_hHookMouse);
    if (m_hHookKeyboard != NULL)
        ::UnhookWindowsHookEx(m_hHookKeyboard);
    m_hHookMouse = NULL;
    m_hHookKeyboard = NULL;
}

// Makes the popup the root of the tracking, ending another one first, and hooks the thread's
// mouse and keyboard so that every input reaches the popups.
void CExtPopupMenuWnd::TrackingSite_t::SetTracking(CExtPopupMenuWnd* pWndRoot)
{
    if (m_pWndRoot != NULL)
    {
        if (m_pWndRoot == pWndRoot)
            return;
        Done();
    }
    if (pWndRoot == NULL)
        return;
    m_pWndRoot = pWndRoot;
    const DWORD dwThreadID = ::GetCurrentThreadId();
    if (m_hHookMouse == NULL)
        m_hHookMouse = ::SetWindowsHookExA(WH_MOUSE, HookMouseProc, NULL, dwThreadID);
    if (m_hHookKeyboard == NULL)
        m_hHookKeyboard = ::SetWindowsHookExA(WH_KEYBOARD, HookKeyboardProc, NULL, dwThreadID);
}

// Ends the tracking: the root is emptied, closed and deleted, the status bar shows its idle text
// and the hooks go.
void CExtPopupMenuWnd::TrackingSite_t::Done()
{
    m_nFlags |= SITE_ENDING;
    m_pWndHookTarget = NULL;
    m_pWndAnimation = NULL;
    m_pResultCmdID = NULL;
    CExtPopupMenuWnd* pRoot = m_pWndRoot;
    if (pRoot != NULL)
    {
        pRoot->RebuildFromHMENU(NULL, pRoot->IsTopLevel());
        if (pRoot->GetSafeHwnd() != NULL)
        {
            HWND hWndStatus = pRoot->m_hWndCmdReceiver;
            if (hWndStatus == NULL || !::IsWindow(hWndStatus))
                hWndStatus = ::GetWindow(pRoot->GetSafeHwnd(), GW_OWNER);
            if (hWndStatus != NULL && ::IsWindow(hWndStatus))
                ShowStatusText(CWnd::FromHandle(hWndStatus), AFX_IDS_IDLEMESSAGE);
            pRoot->DestroyWindow();
            PumpPendingMessages(false);
        }
        m_pWndRoot = NULL;
        SafeDeletePopup(pRoot);
    }
    m_pWndRoot = NULL;
    Unhook();
    m_nFlags &= ~SITE_ENDING;
}

void CExtPopupMenuWnd::TrackingSite_t::Detach(CExtPopupMenuWnd* pWndRoot)
{
    if (m_pWndRoot != pWndRoot)
        return;
    m_pWndRoot = NULL;
    m_pWndHookTarget = NULL;
    m_pWndAnimation = NULL;
    m_pResultCmdID = NULL;
    Unhook();
}

LRESULT CALLBACK CExtPopupMenuWnd::TrackingSite_t::HookMouseProc(int nCode, WPARAM wParam,
                                                                 LPARAM lParam)
{
    TrackingSite_t& site = g_TrackingSite;
    HHOOK hHook = site.m_hHookMouse;
    if (nCode == HC_ACTION && lParam != 0)
    {
        bool bPassOn = true;
        site.OnHookMouse((UINT)wParam, *(const MOUSEHOOKSTRUCT*)lParam, lParam, bPassOn);
        if (!bPassOn)
            return 1;
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

LRESULT CALLBACK CExtPopupMenuWnd::TrackingSite_t::HookKeyboardProc(int nCode, WPARAM wParam,
                                                                    LPARAM lParam)
{
    TrackingSite_t& site = g_TrackingSite;
    HHOOK hHook = site.m_hHookKeyboard;
    if (nCode == HC_ACTION)
    {
        bool bPassOn = true;
        site.OnHookKeyboard(wParam, lParam, bPassOn);
        if (!bPassOn)
            return 1;
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

// Hands a mouse message of the thread to the hook target: clicks outside every popup close the
// tree, and nothing passes on while an opening animation runs.
LRESULT CExtPopupMenuWnd::TrackingSite_t::OnHookMouse(UINT nMessage,
                                                      const MOUSEHOOKSTRUCT& mhs,
                                                      LPARAM lParam, bool& bPassOn)
{
    bPassOn = true;
    if (m_pWndRoot == NULL || IsEnding())
        return 0;
    CExtPopupMenuWnd* pTarget = (m_pWndHookTarget != NULL) ? m_pWndHookTarget : m_pWndRoot;
    if (pTarget->GetSafeHwnd() == NULL)
    {
        bPassOn = false;
        return 0;
    }
    if (m_pWndAnimation != NULL)
    {
        bPassOn = false;    // all input waits for the end of the animation
        return 0;
    }
    CChainLock lock(pTarget);
    CPoint ptScreen = mhs.pt;
    CPoint ptClient = ptScreen;
    pTarget->ScreenToClient(&ptClient);
    bool bNoEat = false;
    if (IsButtonMessage(nMessage))
    {
        bool bHandled = pTarget->OnHookMouseClick(nMessage, ptClient, bNoEat);
        if (bHandled || pTarget->GetSafeHwnd() == NULL)
        {
            bPassOn = false;
            return 0;
        }
        if (bNoEat)
            return 0;
        for (CExtPopupMenuWnd* p = pTarget; p != NULL; p = p->m_pWndParentMenu)
        {
            CRect rc;
            if (p->GetSafeHwnd() != NULL)
            {
                p->GetWindowRect(&rc);
                if (rc.PtInRect(ptScreen))
                {
                    bPassOn = false;
                    return 0;
                }
            }
            if (p->m_wndMenuTip.GetSafeHwnd() != NULL && p->m_wndMenuTip.IsWindowVisible())
            {
                p->m_wndMenuTip.GetWindowRect(&rc);
                if (rc.PtInRect(ptScreen))
                {
                    bPassOn = false;
                    return 0;
                }
            }
        }
        CExtPopupMenuWnd* pRoot = m_pWndRoot;
        if (pRoot != NULL)
        {
            CChainLock lockRoot(pRoot);
            pRoot->CloseMenuTree(false);
        }
        bPassOn = IsClientButtonDown(nMessage);
        return 0;
    }
    switch (nMessage)
    {
    case WM_MOUSEMOVE:
    {
        UINT nFlags = 0;
        if (IsKeyDown(VK_LBUTTON))
            nFlags |= MK_LBUTTON;
        if (IsKeyDown(VK_RBUTTON))
            nFlags |= MK_RBUTTON;
        if (pTarget->OnHookMouseMove(nFlags, ptClient, bNoEat))
            bPassOn = false;
        return 0;
    }
    case WM_MOUSEWHEEL:
    {
        bool bHandled = pTarget->OnHookMouseWheel((WPARAM)nMessage, lParam, bNoEat);
        if (bHandled || !bNoEat)
            bPassOn = false;
        return 0;
    }
    default:
        return 0;
    }
}

// Hands a key press of the thread to the hook target, dropping releases and repeats that come
// faster than the menu's repeat time (by the keys' own time stamps).
LRESULT CExtPopupMenuWnd::TrackingSite_t::OnHookKeyboard(WPARAM wParam, LPARAM lParam,
                                                         bool& bPassOn)
{
    bPassOn = true;
    if (m_pWndRoot == NULL || IsEnding())
        return 0;
    CExtPopupMenuWnd* pTarget = (m_pWndHookTarget != NULL) ? m_pWndHookTarget : m_pWndRoot;
    if (pTarget->GetSafeHwnd() == NULL)
    {
        bPassOn = false;
        if ((lParam & 0x80000000) != 0 && IsModifierKeyDown(lParam) && !IsMenuTrackingOfBars())
        {
            Done();
            bPassOn = true;
        }
        return 0;
    }
    if ((lParam & 0x80000000) != 0)
    {
        bPassOn = false;    // key releases
        return 0;
    }
    CChainLock lock(pTarget);
    bool bInEdit = false;
    for (CExtPopupMenuWnd* p = pTarget; p != NULL && !bInEdit; p = p->m_pWndParentMenu)
        bInEdit = p->IsFocusInInplaceEdit();
    // The key's own time stamp, not the time it is handled: a key that waited in the queue
    // while the one before it was handled still counts as a repeat.
    const DWORD nNow = KeyEventTime();
    if (!bInEdit && g_bLastKeyTimeValid
        && nNow - g_nLastKeyTime < (DWORD)g_nMenuKeyRepeatTime)
    {
        bPassOn = false;
        return 0;
    }
    g_nLastKeyTime = nNow;
    g_bLastKeyTimeValid = true;
    bool bNoEat = false;
    bool bHandled = pTarget->OnHookKey((UINT)wParam, LOWORD(lParam), HIWORD(lParam), bNoEat);
    bPassOn = !bHandled && bNoEat;
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Statics

CExtPopupMenuWnd::TrackingSite_t& CExtPopupMenuWnd::GetTrackingSite()
{
    return g_TrackingSite;
}

bool CExtPopupMenuWnd::IsTrackingActive()
{
    return g_TrackingSite.m_pWndRoot != NULL;
}

void CExtPopupMenuWnd::CancelTracking()
{
    if (g_TrackingSite.m_pWndRoot != NULL && !g_TrackingSite.IsEnding())
        g_TrackingSite.Done();
}

// Dispatches the messages waiting in the queue (and the idle work when asked), so that what the
// popups did shows at once; a WM_QUIT is put back for the main loop.
void CExtPopupMenuWnd::PumpPendingMessages(bool bRunIdle)
{
    MSG msg;
    CWinThread* pThread = AfxGetThread();
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage((int)msg.wParam);
            return;
        }
        bool bTranslated = (pThread != NULL) ? pThread->PreTranslateMessage(&msg) != FALSE
                                             : CWnd::WalkPreTranslateTree(NULL, &msg) != FALSE;
        if (!bTranslated)
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (bRunIdle && pThread != NULL)
    {
        LONG nCount = 0;
        while (pThread->OnIdle(nCount++))
            ;
    }
}

bool CExtPopupMenuWnd::IsMenuTrackingOfBars()
{
    return g_BarLinks.m_pfnIsMenuTracking != NULL && g_BarLinks.m_pfnIsMenuTracking();
}

// The string id of a command's status prompt: the class library's prompt for a system command,
// the idle message for none or a sub-menu.
UINT CExtPopupMenuWnd::StatusIdForCommand(UINT nCmdID)
{
    if (nCmdID == 0 || nCmdID == ID_POPUP)
        return AFX_IDS_IDLEMESSAGE;
    if (CExtCmdManager::IsSystemCommand(nCmdID))
    {
        switch (nCmdID & 0xFFF0)
        {
        case SC_SIZE: return 0xEF00;
        case SC_MOVE: return 0xEF01;
        case SC_MINIMIZE: return 0xEF02;
        case SC_MAXIMIZE: return 0xEF03;
        case SC_NEXTWINDOW: return 0xEF04;
        case SC_PREVWINDOW: return 0xEF05;
        case SC_CLOSE: return 0xEF06;
        case SC_RESTORE: return 0xEF12;
        case SC_TASKLIST: return 0xEF13;
        default: return AFX_IDS_IDLEMESSAGE;
        }
    }
    return nCmdID;
}

void CExtPopupMenuWnd::ShowStatusText(CWnd* pWnd, UINT nCmdID)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
        return;
    if (g_BarLinks.m_pfnShowCommandStatusText != NULL)
    {
        g_BarLinks.m_pfnShowCommandStatusText(pWnd, nCmdID);
        return;
    }
    CFrameWnd* pFrame = pWnd->IsFrameWnd() ? (CFrameWnd*)pWnd : pWnd->GetParentFrame();
    if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL)
        pFrame->SendMessage(WM_SETMESSAGESTRING, (WPARAM)nCmdID);
}

/////////////////////////////////////////////////////////////////////////////
// ItemCoveringNotification_t

CExtPopupMenuWnd::ItemCoveringNotification_t::ItemCoveringNotification_t(
    CExtPopupMenuWnd* pPopup, CExtBarButton* pTBB, int eKind, int nItemIndex, bool bOpen,
    bool bSelectFirst)
    : m_pPopup(pPopup), m_pTBB(pTBB), m_eKind(eKind), m_nItemIndex(nItemIndex),
      m_bOpen(bOpen), m_bSelectFirst(bSelectFirst)
{
}

// Asks the popup's (or button's) command receiver about the item being opened or covered;
// 0 when there is no receiver or notifications are suppressed.
LRESULT CExtPopupMenuWnd::ItemCoveringNotification_t::Notify()
{
    HWND hWnd = NULL;
    if (m_pPopup != NULL)
    {
        if (m_pPopup->IsNotifySuppressed())
            return 0;
        hWnd = m_pPopup->GetCmdReceiverHWND();
    }
    else if (m_pTBB != NULL && g_BarLinks.m_pfnBarButtonNotifyTarget != NULL)
        hWnd = g_BarLinks.m_pfnBarButtonNotifyTarget(m_pTBB);
    if (hWnd == NULL || !::IsWindow(hWnd))
        return 0;
    return ::SendMessageA(hWnd, g_nMsgItemCoveringNotification, (WPARAM)this, 0);
}

/////////////////////////////////////////////////////////////////////////////
// Window life

LRESULT CExtPopupMenuWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CSelfLock lock(this);
    return CExtPopupBaseWnd::WindowProc(message, wParam, lParam);
}

BOOL CExtPopupMenuWnd::DestroyWindow()
{
    DestroyInplaceEdits();
    return CExtPopupBaseWnd::DestroyWindow();
}

// Releases the window's shadows and surfaces and hands the hook to the parent; a root popup tells
// its receiver that the menu closed and ends the tracking.
void CExtPopupMenuWnd::PostNcDestroy()
{
    m_bWindowShown = false;
    m_shadowPopup.Destroy();
    m_shadowExcludeArea.Destroy();
    CExtPopupBaseWnd::ReleaseSurfaces();
    TrackingSite_t& site = g_TrackingSite;
    if (site.m_pWndAnimation == this)
        site.m_pWndAnimation = NULL;
    if (site.m_pWndHookTarget == this)
        site.m_pWndHookTarget = m_pWndParentMenu;
    if (IsContinuedTracking())
        return;
    if (!IsTopLevel() && site.m_pWndRoot != this)
        return;
    if (m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
        ::SendMessageA(m_hWndCmdReceiver, g_nMsgNotifyMenuClosed, 0, (LPARAM)this);
    if (site.m_pWndRoot == this && !site.IsEnding())
        site.Done();
}

bool CExtPopupMenuWnd::IsContinuedTracking()
{
    if ((m_dwTrackFlags & TPMX_CONTINUED_TRACKING) != 0)
        return true;
    return m_pWndParentMenu != NULL && m_pWndParentMenu->IsContinuedTracking();
}

bool CExtPopupMenuWnd::IsNotifySuppressed()
{
    if ((m_dwTrackFlags & TPMX_HELP_CTX_MODE) != 0)
        return true;
    return m_pWndParentMenu != NULL && m_pWndParentMenu->IsNotifySuppressed();
}

void CExtPopupMenuWnd::StartAnimation()
{
    if (IsContinuedTracking())
        return;
    CSelfLock lock(this);
    SelectItem(IDX_NOTHING);
    if (GetSafeHwnd() == NULL)
        return;
    ShowMenuTip(false);
    if (GetSafeHwnd() == NULL)
        return;
    CExtPopupBaseWnd::StartAnimation();
    g_TrackingSite.m_pWndAnimation = IsAnimationFinished() ? NULL : this;
}

/////////////////////////////////////////////////////////////////////////////
// Hook target

void CExtPopupMenuWnd::SetAsHookTarget()
{
    g_TrackingSite.m_pWndHookTarget = this;
}

CExtPopupMenuWnd* CExtPopupMenuWnd::GetHookTarget()
{
    return g_TrackingSite.m_pWndHookTarget;
}

void CExtPopupMenuWnd::ReleaseHookTarget()
{
    if (g_TrackingSite.m_pWndHookTarget == this)
        g_TrackingSite.m_pWndHookTarget = m_pWndParentMenu;
}

// Whether a screen point lies on this popup or on one of its open sub-menus.
bool CExtPopupMenuWnd::IsPointInMenus(CPoint ptScreen)
{
    if (GetSafeHwnd() != NULL && IsWindowVisible())
    {
        CRect rc;
        GetWindowRect(&rc);
        if (rc.PtInRect(ptScreen))
            return true;
    }
    for (int i = 0; i < GetItemCount(); i++)
    {
        MENUITEMDATA& mi = m_items_all[i];
        if (IsChildWindowOpen(mi) && mi.m_pWndChild->IsPointInMenus(ptScreen))
            return true;
    }
    return false;
}

/////////////////////////////////////////////////////////////////////////////
// StartTracking and TrackInternal

bool CExtPopupMenuWnd::StartTracking(DWORD dwTrackFlags, int x, int y, const RECT* pRectExclude,
                                     LPVOID pCbPaintCombinedCookie,
                                     pCbPaintCombinedContent pCbPaintCombinedContent,
                                     UINT* pResultCmdID, bool bCookieIsObject)
{
    CSelfLock lock(this);
    TrackingSite_t& site = g_TrackingSite;
    if (pResultCmdID != NULL)
        *pResultCmdID = 0;
    if (site.m_pWndRoot == this || GetSafeHwnd() != NULL)
        return false;   // already tracked

    CWnd* pWndReceiver = (m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
        ? CWnd::FromHandle(m_hWndCmdReceiver) : NULL;
    if (pWndReceiver != NULL)
    {
        BOOL bHelpMode;
        if (g_BarLinks.m_pfnIsFrameInHelpMode != NULL)
            bHelpMode = g_BarLinks.m_pfnIsFrameInHelpMode(pWndReceiver);
        else
        {
            bHelpMode = FALSE;
            CFrameWnd* pFrame = pWndReceiver->IsFrameWnd() ? (CFrameWnd*)pWndReceiver
                                                            : pWndReceiver->GetParentFrame();
            for (; pFrame != NULL && !bHelpMode; pFrame = pFrame->GetParentFrame())
            {
                if (!pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
                    bHelpMode = pFrame->m_bHelpMode;
            }
        }
        if (bHelpMode)
            dwTrackFlags |= TPMX_HELP_CTX_MODE;
    }
    if ((dwTrackFlags & TPMX_CONTINUED_TRACKING) != 0)
    {
        dwTrackFlags &= ~0x08F0;
        dwTrackFlags |= 0x1700;
    }
    if ((dwTrackFlags & TPMX_HELP_CTX_MODE) != 0)
        dwTrackFlags |= TPMX_NO_HIDE_RARELY;

    // a dropped combo box list closes first
    HWND hWndFocus = ::GetFocus();
    for (int nLevel = 0; hWndFocus != NULL && nLevel < 2; nLevel++)
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWndFocus);
        CWnd* pCombo = NULL;
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CComboBox)))
            pCombo = pWnd;
        else if (pWnd != NULL)
        {
            CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(hWndFocus));
            if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CComboBox)))
                pCombo = pParent;
        }
        if (pCombo != NULL && (pCombo->GetStyle() & 0x3) != 0
            && pCombo->SendMessage(CB_GETDROPPEDSTATE) != 0)
        {
            pCombo->SendMessage(CB_SHOWDROPDOWN, FALSE);
            break;
        }
        hWndFocus = ::GetParent(hWndFocus);
    }

    // a continued tracking joins the running one instead of ending it
    const bool bContinued = (dwTrackFlags & TPMX_CONTINUED_TRACKING) != 0;
    if (site.m_pWndRoot != NULL && !bContinued)
    {
        if (site.IsEnding())
            return false;
        site.Done();
    }
    HWND hWndCapture = ::GetCapture();
    if (hWndCapture != NULL && CWnd::FromHandlePermanent(hWndCapture) != NULL)
    {
        ::ReleaseCapture();
        ::SendMessageA(hWndCapture, WM_CANCELMODE, 0, 0);
    }
    if (!bContinued)
    {
        site.SetTracking(this);
        site.m_pResultCmdID = pResultCmdID;
    }
    m_dwTrackFlags = dwTrackFlags;
    if ((dwTrackFlags & (TPMX_HELP_CTX_MODE | TPMX_CONTINUED_TRACKING)) == 0)
        UpdateItemsCmdUI();
    if (!TrackInternal(dwTrackFlags, x, y, pRectExclude, pCbPaintCombinedCookie,
                       pCbPaintCombinedContent, bCookieIsObject))
    {
        // the caller keeps the popup and deletes it
        if (!bContinued)
            site.Detach(this);
        if (GetSafeHwnd() != NULL)
            DestroyWindow();
        return false;
    }
    if ((dwTrackFlags & TPMX_DO_MESSAGE_LOOP) == 0)
        return true;
    while (site.m_pWndRoot != NULL && GetSafeHwnd() != NULL)
    {
        ::WaitMessage();
        PumpPendingMessages(false);
    }
    if (!IsMenuTrackingOfBars() && (site.m_pWndRoot == this || site.m_pWndRoot == NULL))
        site.Done();
    return true;
}

// Shows the popup at the point or beside the exclude rectangle: lets the receiver prepare the
// menu, lays it out, creates the window and runs the opening animation; false when it cannot show.
bool CExtPopupMenuWnd::TrackInternal(DWORD dwTrackFlags, int x, int y, const RECT* pRectExclude,
                                     LPVOID pCbPaintCombinedCookie,
                                     pCbPaintCombinedContent pCbPaintCombinedContent,
                                     bool bCookieIsObject)
{
    CSelfLock lock(this);
    TrackingSite_t& site = g_TrackingSite;
    const bool bContinued = (dwTrackFlags & TPMX_CONTINUED_TRACKING) != 0
        || (m_pWndParentMenu != NULL && m_pWndParentMenu->IsContinuedTracking());
    bool bHideRarely = (dwTrackFlags & TPMX_NO_HIDE_RARELY) == 0 && g_bMenuHideRarelyUsed;

    if (site.m_pWndRoot == this && !bContinued)
    {
        MsgPrepareMenuData_t data(this);
        if (m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
            ::SendMessageA(m_hWndCmdReceiver, g_nMsgPrepareMenu, (WPARAM)&data, (LPARAM)this);
        if (data.m_bMenuCanceled || site.m_pWndRoot != this)
            return false;
        if (data.m_bMenuChanged)
            UpdateItemsCmdUI();
    }
    if (!bContinued)
        ApplySystemCommandStates();

    const BYTE nKeep = (BYTE)(m_nPopupState & (STATE_TOP_LEVEL | STATE_HAS_HIDDEN));
    ResetState();
    m_nPopupState = (BYTE)((m_nPopupState & ~(STATE_TOP_LEVEL | STATE_HAS_HIDDEN)) | nKeep);
    m_dwTrackFlags = dwTrackFlags;
    m_pCbPaintCombinedCookie = pCbPaintCombinedCookie;
    m_pCbPaintCombinedContent = pCbPaintCombinedContent;
    m_bCbPaintCombinedCookieFlag = bCookieIsObject;

    if (m_pWndParentMenu != NULL && m_pWndParentMenu->IsExpanded())
        bHideRarely = false;
    if (bHideRarely)
    {
        m_nPopupState &= ~STATE_EXPANDED;
        if (IsTopLevel() || m_pWndParentMenu == NULL)
            RecalcLayout();
    }
    else if (HasHiddenItems())
    {
        m_nPopupState &= ~STATE_HAS_HIDDEN;
        m_nPopupState |= STATE_EXPANDED;
        RecalcLayout();
    }
    else
        m_nPopupState |= STATE_EXPANDED;

    CPoint pt(x, y);
    if (x < 0 || y < 0)
    {
        if (!::GetCursorPos(&pt))
            return false;
    }
    m_ptTrackRaw = pt;
    m_bExcludeAreaGiven = pRectExclude != NULL;
    if (pRectExclude != NULL)
    {
        m_rcExcludeArea = *pRectExclude;
        m_rcExcludeArea.NormalizeRect();
        const DWORD dwCombine = dwTrackFlags & TPMX_COMBINE_MASK;
        m_bCombineWithEA = dwCombine == TPMX_COMBINE_ANY_SUITABLE
            || (dwCombine == TPMX_COMBINE_DEFAULT && g_CurrentPaintManager->IsFlatStyle());
    }
    else
    {
        m_rcExcludeArea.SetRect(pt.x - 3, pt.y - 3, pt.x + 3, pt.y + 3);
        m_bCombineWithEA = false;
    }
    m_ptTrack = AlignTrackPoint(m_ptTrackRaw);

    CWnd* pWndParent = m_pWndParentMenu;
    if (pWndParent == NULL && m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
        pWndParent = CWnd::FromHandle(m_hWndCmdReceiver);
    if (!CreatePopupWindow(pWndParent))
        return false;

    if ((dwTrackFlags & TPMX_SELECTANY) != 0)
    {
        int nIndex = FindNextSelectableItem(FIND_CURRENT);
        if (nIndex >= 0)
            ExpandSubMenu(nIndex, false, false, false);
        if (GetSafeHwnd() == NULL)
            return false;
    }

    int nAnimation = ANIM_NONE;
    if ((dwTrackFlags & TPMX_FORCE_NO_ANIMATION) == 0 && !bContinued && !IsMenuTrackingOfBars())
        nAnimation = g_nDefaultAnimationType;
    if (bContinued)
    {
        m_nAnimationType = ANIM_NONE;
        SetupAnimation();
    }
    else
    {
        m_nAnimationType = (nAnimation != ANIM_NONE) ? nAnimation : ANIM_ONE_TICK;
        m_nSoundOnAnimationEnd = (nAnimation != ANIM_NONE) ? CExtSoundPlayer::SOUND_MENU_POPUP : 0;
        StartAnimation();
        if (GetSafeHwnd() == NULL)
            return false;
    }

    if (m_rgnWnd.GetSafeHandle() != NULL)
    {
        CRgn rgnCopy;
        if (rgnCopy.CreateRectRgn(0, 0, 0, 0) && rgnCopy.CopyRgn(&m_rgnWnd) != ERROR)
            SetWindowRgn((HRGN)rgnCopy.Detach(), FALSE);
    }
    // what lies under the popup, for its shadow and its frames
    if (!IsWindowVisible())
        CaptureScreenUnder();
    SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_bWindowShown = true;
    if (!bContinued)
        SetAsHookTarget();
    return true;
}

// The tracking point moved by the alignment against a given exclude rectangle.
CPoint CExtPopupMenuWnd::AlignTrackPoint(CPoint pt)
{
    if (!m_bExcludeAreaGiven)
        return pt;
    const CSize size = CalcSize();
    const CRect& rc = m_rcExcludeArea;
    switch (m_dwTrackFlags & TPMX_ALIGN_MASK)
    {
    case TPMX_RIGHTALIGN: return CPoint(rc.right, rc.top);
    case TPMX_CENTERALIGN: return CPoint(pt.x - size.cx / 2, pt.y);
    case TPMX_LEFTALIGN: return CPoint(rc.left - size.cx, rc.top);
    case TPMX_BOTTOMALIGN: return CPoint(rc.left, rc.bottom);
    case TPMX_VCENTERALIGN: return CPoint(pt.x, pt.y - size.cy / 2);
    case TPMX_TOPALIGN: return CPoint(rc.left, rc.top - size.cy);
    default: return pt;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Selection and sub-menus

void CExtPopupMenuWnd::SelectItem(int nIndex)
{
    if (m_nDelayedFocusItemIndex != nIndex && GetSafeHwnd() != NULL)
        KillTimer(ID_TIMER_DELAYED_OPEN);
    if (nIndex < 0)
    {
        m_nDelayedFocusItemIndex = IDX_NOTHING;
        return;
    }
    m_nDelayedFocusItemIndex = nIndex;
    ItemCoveringNotification_t icn(this, NULL, ItemCoveringNotification_t::ICN_ITEM_DELAYED_OPEN,
                                   nIndex);
    icn.Notify();
    if (GetSafeHwnd() != NULL)
        SetTimer(ID_TIMER_DELAYED_OPEN, ID_PERIOD_DELAYED_OPEN);
}

// Deselects the current item, hiding its edit and tip and closing its sub-menu, and gives the
// status bar its idle text.
void CExtPopupMenuWnd::DeselectCurrentItem(bool bRepaint)
{
    CSelfLock lock(this);
    if (!IsContinuedTracking())
        m_wndMenuTip.Hide();
    const int nOld = m_nCurIndex;
    if (nOld >= 0 && nOld < GetItemCount())
    {
        MENUITEMDATA& mi = m_items_all[nOld];
        if (mi.m_pWndInplaceEdit != NULL && mi.m_pWndInplaceEdit->GetSafeHwnd() != NULL)
            mi.m_pWndInplaceEdit->ShowWindow(SW_HIDE);
        mi.m_nInplaceEditFlags &= ~MENUITEMDATA::EDIT_TEMPORARY_TEXT;
        mi.m_sInplaceEditTemporaryText.Empty();
        mi.SetFlag(ITEM_SELECTED, false);
    }
    m_nCurIndex = IDX_NOTHING;
    if (nOld >= 0)
    {
        ItemCoveringNotification_t icn(this, NULL, ItemCoveringNotification_t::ICN_ITEM_LEAVE,
                                       nOld);
        icn.Notify();
        if (nOld < GetItemCount())
        {
            MENUITEMDATA& mi = m_items_all[nOld];
            if (mi.IsPopup() && mi.m_pWndChild != NULL)
                mi.m_pWndChild->CloseMenuTree(false);
        }
    }
    ShowStatusText(CWnd::FromHandle(m_hWndCmdReceiver), AFX_IDS_IDLEMESSAGE);
    if (bRepaint && GetSafeHwnd() != NULL && IsWindowVisible())
    {
        Invalidate(FALSE);
        UpdateWindow();
    }
}

// Selects an item (scrolled into view, its prompt in the status bar) and opens its sub-menu when
// bOpen, selecting the sub-menu's first item when asked.
void CExtPopupMenuWnd::ExpandSubMenu(int nIndex, bool bOpen, bool bRepaint, bool bSelectFirst)
{
    CSelfLock lock(this);
    if (nIndex < 0 || nIndex >= GetItemCount())
        return;
    if (nIndex != m_nCurIndex)
    {
        DeselectCurrentItem(false);
        if (GetSafeHwnd() == NULL)
            return;
        m_nCurIndex = nIndex;
        ItemCoveringNotification_t icn(this, NULL, ItemCoveringNotification_t::ICN_ITEM_ENTER,
                                       nIndex, bOpen, bSelectFirst);
        icn.Notify();
        if (GetSafeHwnd() == NULL || nIndex >= GetItemCount())
            return;
    }
    MENUITEMDATA& mi = m_items_all[nIndex];
    if (mi.IsSelectable())
    {
        mi.SetFlag(ITEM_SELECTED, true);
        if (IsScrolling())
        {
            const int b = GetBorderSize();
            CRect rcItem;
            GetItemRect(nIndex, rcItem, true);
            int nBottom = m_rcContent.bottom;
            if (IsScrolling())
                nBottom -= m_rcScrollBottom.Height();
            if (HasHiddenItems())
                nBottom -= m_rcExpandButton.Height();
            if (rcItem.bottom >= nBottom)
                m_nDyScrollOffset += nBottom - 2 * b - rcItem.bottom;
            int nTop = m_rcContent.top;
            if (m_nDyScrollOffset != 0)
                nTop += m_rcScrollTop.Height();
            GetItemRect(nIndex, rcItem, true);
            if (nTop >= rcItem.top)
                m_nDyScrollOffset = m_nDyScrollOffset + 2 * b + nTop - rcItem.top;
            m_nDyScrollOffset = max(GetLayoutOverhead(), min(m_nDyScrollOffset, 0));
        }
    }
    ShowStatusText(CWnd::FromHandle(m_hWndCmdReceiver),
                   mi.IsCommand() ? StatusIdForCommand(mi.m_nCmdID) : AFX_IDS_IDLEMESSAGE);
    if (GetSafeHwnd() == NULL)
        return;
    if (bRepaint && IsWindowVisible())
    {
        Invalidate(FALSE);
        UpdateWindow();
    }
    if (!bOpen || !mi.IsPopup() || mi.m_pWndChild == NULL)
        return;
    if (mi.m_pWndInplaceEdit != NULL && mi.m_pWndInplaceEdit->GetSafeHwnd() != NULL
        && mi.m_pWndInplaceEdit->IsWindowVisible())
        return;
    CExtPopupMenuWnd* pChild = mi.m_pWndChild;
    if (!pChild->IsItemTipAllowed())
        return;
    const bool bContinued = IsContinuedTracking();
    if (!bContinued)
        ReleaseHookTarget();
    CRect rcItem;
    GetItemRect(nIndex, rcItem, true);
    ClientToScreen(&rcItem);
    CRect rcExclude(rcItem);
    rcExclude.left -= m_nLeftAreaWidth;
    if (pChild->GetSafeHwnd() != NULL)
    {
        pChild->ShowWindow(SW_SHOWNA);
        if (!bContinued)
            pChild->SetAsHookTarget();
    }
    else
    {
        DWORD dwFlags = (m_dwTrackFlags & TPMX_SUBMENU_INHERITED)
            | (((mi.m_wFlags & ITEM_CHILD_COMBINE) != 0) ? TPMX_COMBINE_DEFAULT : 0);
        CSelfLock lockChild(pChild);
        if (!pChild->TrackInternal(dwFlags, rcItem.right, rcItem.top, &rcExclude,
                                   (LPVOID)(INT_PTR)nIndex, stat_PaintParentItem, false))
        {
            if (!bContinued && GetSafeHwnd() != NULL)
                SetAsHookTarget();
            return;
        }
    }
    if (bSelectFirst && pChild->GetSafeHwnd() != NULL)
    {
        int nFirst = pChild->FindNextSelectableItem(FIND_CURRENT);
        if (nFirst >= 0)
            pChild->ExpandSubMenu(nFirst, false, true, false);
    }
}

// The item the arrow keys go to (current, next or previous, wrapping); the expand button takes
// part while items are hidden, and IDX_NOTHING means none.
int CExtPopupMenuWnd::FindNextSelectableItem(int nDirection)
{
    const bool bExpandTakesPart = HasHiddenItems() && !IsExpanded();
    const int nCount = GetItemCount();
    bool bAllHidden = true;
    for (int i = 0; i < nCount; i++)
    {
        if (m_items_all[i].IsDisplayed())
            bAllHidden = false;
    }
    if (bExpandTakesPart && bAllHidden)
        return IDX_EXPAND;
    const int nNone = bExpandTakesPart ? IDX_EXPAND : IDX_NOTHING;
    if (nCount == 0 || nDirection == 0)
        return nNone;
    auto selectable = [&](int i) { return m_items_all[i].IsSelectable(); };
    const int nCur = m_nCurIndex;
    switch (nDirection)
    {
    case FIND_CURRENT:
        if (nCur >= 0)
            return nCur;
        for (int i = 0; i < nCount; i++)
        {
            if (selectable(i))
                return i;
        }
        return nNone;
    case FIND_NEXT:
        for (int i = nCur + 1; i < nCount; i++)
        {
            if (i >= 0 && selectable(i))
                return i;
        }
        if (bExpandTakesPart)
            return IDX_EXPAND;
        for (int i = 0; i < nCur; i++)
        {
            if (selectable(i))
                return i;
        }
        return IDX_NOTHING;
    case FIND_PREV:
        if (nCount < 2 && nCur >= 0)
            return IDX_NOTHING;
        for (int i = (nCur >= 0 ? nCur : nCount) - 1; i >= 0; i--)
        {
            if (selectable(i))
                return i;
        }
        for (int i = nCount - 1; i > nCur && nCur >= 0; i--)
        {
            if (selectable(i))
                return i;
        }
        return IDX_NOTHING;
    default:
        return (nCur >= 0) ? (int)IDX_NOTHING : nNone;
    }
}

void CExtPopupMenuWnd::KillTrackingTimers()
{
    if (GetSafeHwnd() == NULL)
        return;
    KillTimer(ID_TIMER_DELAYED_OPEN);
    KillTimer(ID_TIMER_SCROLLING);
    KillTimer(ID_TIMER_EXPAND_HOVER);
    m_nExpandHoverCounter = 0;
    m_nScrollingDirection = 0;
}

// Deselects everything and closes the open sub-menus; the window is destroyed too unless kept or
// the tracking continues.
void CExtPopupMenuWnd::CloseMenuTree(bool bKeepWindow)
{
    CSelfLock lock(this);
    const bool bContinued = IsContinuedTracking();
    ShowStatusText(CWnd::FromHandle(m_hWndCmdReceiver), AFX_IDS_IDLEMESSAGE);
    if (!bContinued)
    {
        m_wndMenuTip.Hide();
        if (GetSafeHwnd() != NULL)
        {
            KillTimer(ID_TIMER_DELAYED_OPEN);
            KillTimer(ID_TIMER_SCROLLING);
            KillTimer(ID_TIMER_EXPAND_HOVER);
        }
        m_nExpandHoverCounter = 0;
        ReleaseHookTarget();
    }
    for (int i = 0; i < GetItemCount(); i++)
    {
        MENUITEMDATA& mi = m_items_all[i];
        mi.SetFlag(ITEM_SELECTED, false);
        if (mi.IsPopup() && mi.m_pWndChild != NULL && mi.m_pWndChild->GetSafeHwnd() != NULL)
            mi.m_pWndChild->CloseMenuTree(false);
    }
    m_nLastMousePick = IDX_NOTHING;
    m_nCurIndex = IDX_NOTHING;
    if (bKeepWindow || GetSafeHwnd() == NULL)
        return;
    ShowWindow(SW_HIDE);
    if (bContinued)
        return;
    m_nDelayedFocusItemIndex = IDX_NOTHING;
    const bool bTopLevel = IsTopLevel();
    DestroyWindow();
    if (bTopLevel && IsMenuTrackingOfBars() && g_BarLinks.m_pfnEndAllButtonTracking != NULL)
        g_BarLinks.m_pfnEndAllButtonTracking();
}

// Ends the menu with a command (0: cancelled): the chain hides and what it covered repaints at
// once, then the command is posted to its receiver unless only the result is asked for.
void CExtPopupMenuWnd::EndWithCommand(UINT nCmdID, HWND hWndReceiver)
{
    CSelfLock lock(this);
    TrackingSite_t& site = g_TrackingSite;
    if (hWndReceiver == NULL)
        hWndReceiver = m_hWndCmdReceiver;
    if (site.m_pResultCmdID != NULL)
        *site.m_pResultCmdID = nCmdID;
    const bool bResultOnly = (m_dwTrackFlags & TPMX_NO_WM_COMMAND) != 0
        || (GetRootMenu()->m_dwTrackFlags & TPMX_NO_WM_COMMAND) != 0;
    CExtCmdItem* pCmdItem = NULL;
    if (!bResultOnly && nCmdID != 0)
    {
        CExtCmdManager* pManager = g_CmdManagerHolder.GetManager();
        if (pManager != NULL)
            pCmdItem = pManager->FindCommand(
                pManager->FindProfileNameForWindow(m_hWndCmdReceiver), nCmdID);
    }
    const bool bContinued = IsContinuedTracking();

    // hide the chain and repaint what it covered at once
    CRect rcCovered(0, 0, 0, 0);
    CExtPopupMenuWnd* pRoot = this;
    for (CExtPopupMenuWnd* p = this; p != NULL; p = p->m_pWndParentMenu)
    {
        pRoot = p;
        CRect rc;
        if (p->GetSafeHwnd() != NULL)
        {
            p->GetWindowRect(&rc);
            rcCovered.UnionRect(&rcCovered, &rc);
            p->ShowWindow(SW_HIDE);
        }
        if (p->m_wndMenuTip.GetSafeHwnd() != NULL && p->m_wndMenuTip.IsWindowVisible())
        {
            p->m_wndMenuTip.GetWindowRect(&rc);
            rcCovered.UnionRect(&rcCovered, &rc);
            p->m_wndMenuTip.Hide();
        }
    }
    if (hWndReceiver != NULL && ::IsWindow(hWndReceiver) && !rcCovered.IsRectEmpty())
    {
        HWND hWndTop = ::GetAncestor(hWndReceiver, GA_ROOT);
        if (hWndTop != NULL)
        {
            CRect rc(rcCovered);
            ::ScreenToClient(hWndTop, (LPPOINT)&rc.left);
            ::ScreenToClient(hWndTop, (LPPOINT)&rc.right);
            if ((::GetWindowLongA(hWndTop, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0)
            {
                int nLeft = rc.left;
                rc.left = rc.right;
                rc.right = nLeft;
            }
            rc.NormalizeRect();
            // only what the menu covered; the frame too when the menu lay over it
            UINT nFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW
                | RDW_ERASENOW;
            CRect rcClient, rcInside;
            ::GetClientRect(hWndTop, &rcClient);
            if (!rcInside.IntersectRect(&rc, &rcClient) || !rcInside.EqualRect(&rc))
                nFlags |= RDW_FRAME;
            ::RedrawWindow(hWndTop, &rc, NULL, nFlags);
        }
    }
    CExtPopupMenuWnd* pSiteRoot = (site.m_pWndRoot != NULL) ? site.m_pWndRoot : pRoot;
    if (pSiteRoot->GetSafeHwnd() != NULL)
        pSiteRoot->PostMessage(WM_CLOSE);
    if (IsMenuTrackingOfBars() && g_BarLinks.m_pfnEndAllButtonTracking != NULL)
        g_BarLinks.m_pfnEndAllButtonTracking();
    if (hWndReceiver == NULL || !::IsWindow(hWndReceiver) || bContinued)
        return;
    // a cancelled menu chose nothing: no command, no command sound
    if (nCmdID == 0)
        return;
    if (!bResultOnly)
    {
        if (pCmdItem != NULL)
            pCmdItem->Deliver(hWndReceiver, false);
        else
            ::PostMessageA(hWndReceiver, WM_COMMAND, (WPARAM)nCmdID, 0);
    }
    g_SoundPlayerHolder.PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
}

void CExtPopupMenuWnd::EndWithItemCommand(const MENUITEMDATA& mi)
{
    EndWithCommand(mi.m_nCmdID, mi.m_hWndSpecCmdReceiver);
}

/////////////////////////////////////////////////////////////////////////////
// Tips and expansion

bool CExtPopupMenuWnd::IsItemTipAllowed()
{
    return true;
}

bool CExtPopupMenuWnd::IsMenuTipVisible()
{
    if (g_TrackingSite.m_pWndHookTarget != this || IsContinuedTracking())
        return false;
    return m_wndMenuTip.GetSafeHwnd() != NULL && m_wndMenuTip.IsWindowVisible();
}

void CExtPopupMenuWnd::ShowMenuTip(bool bRepaint)
{
    if (bRepaint && GetSafeHwnd() != NULL && m_wndMenuTip.GetSafeHwnd() != NULL
        && g_TrackingSite.m_pWndAnimation == NULL)
    {
        CSelfLock lock(this);
        m_nAnimationType = ANIM_ONE_TICK;
        StartAnimation();
        if (GetSafeHwnd() == NULL)
            return;
    }
    m_wndMenuTip.Hide();
}

// Shows the command's status tip beside its item (a system command's prompt without its tooltip
// part), while this popup has the hook.
void CExtPopupMenuWnd::ShowItemTip(int nIndex)
{
    if (!g_bPopupMenuTips || g_TrackingSite.m_pWndHookTarget != this)
        return;
    if (nIndex < 0 || nIndex >= GetItemCount())
        return;
    MENUITEMDATA& mi = m_items_all[nIndex];
    if (!mi.IsCommand())
        return;
    CString strTip;
    if (mi.IsSystemCommand())
    {
        UINT nPrompt = StatusIdForCommand(mi.m_nCmdID);
        if (nPrompt != AFX_IDS_IDLEMESSAGE && AfxLoadString(nPrompt, strTip))
        {
            int nBreak = strTip.ReverseFind(_T('\n'));
            if (nBreak >= 0)
                strTip = strTip.Left(nBreak);
        }
    }
    else
    {
        CExtCmdItem* pCmdItem = mi.GetCmd();
        if (pCmdItem != NULL)
            strTip = pCmdItem->m_strStatusTipText;
    }
    if (strTip.IsEmpty())
        return;
    CRect rcItem;
    GetItemRect(nIndex, rcItem, true);
    ClientToScreen(&rcItem);
    m_wndMenuTip.SetText(strTip);
    m_wndMenuTip.Show(this, rcItem);
}

void CExtPopupMenuWnd::ExpandHiddenItems()
{
    if (HasHiddenItems() && !IsExpanded())
        NotifyMenuExpanded();
}

// Shows the hidden items: a popup that grows is hidden, placed again and shown with the expand
// animation; the receiver is told afterwards.
void CExtPopupMenuWnd::NotifyMenuExpanded()
{
    CSelfLock lock(this);
    SelectItem(IDX_NOTHING);
    m_wndMenuTip.Hide();
    if (g_TrackingSite.m_pWndAnimation != NULL || IsMenuTipVisible())
        return;
    m_nPopupState |= STATE_EXPANDED;
    RecalcLayout();
    if (GetSafeHwnd() != NULL)
    {
        CRect rcOld;
        GetWindowRect(&rcOld);
        const CSize sizeNew = CalcSize();
        const CSize sizeOld(rcOld.Width(), rcOld.Height());
        const bool bWasScrolling = IsScrolling();
        if (sizeNew != sizeOld || bWasScrolling)
        {
            SetWindowRgn(NULL, FALSE);
            HideForMove(rcOld);
            m_bWindowShown = false;
            m_shadowPopup.Destroy();
            m_shadowExcludeArea.Destroy();
            m_ptTrack = AlignTrackPoint(m_ptTrackRaw);
            CRect rcNew = CalcPopupRect(m_ptTrack, &m_rcExcludeArea);
            if (m_rgnWnd.GetSafeHandle() != NULL)
            {
                CRgn rgnCopy;
                if (rgnCopy.CreateRectRgn(0, 0, 0, 0) && rgnCopy.CopyRgn(&m_rgnWnd) != ERROR)
                    SetWindowRgn((HRGN)rgnCopy.Detach(), FALSE);
            }
            m_bWindowShown = true;
            RecalcItemSizes();
            CaptureScreenUnder(&rcNew);
            SetWindowPos(NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            m_nAnimationType = g_bMenuExpandAnimation ? ANIM_EXPAND : ANIM_ONE_TICK;
            m_nSoundOnAnimationEnd = CExtSoundPlayer::SOUND_MENU_EXPANDED;
            if (!IsContinuedTracking())
                StartAnimation();
            if (GetSafeHwnd() == NULL)
                return;
            SetWindowPos(NULL, 0, 0, 0, 0,
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        }
        else
        {
            RecalcItemSizes();
            Invalidate(FALSE);
            UpdateWindow();
        }
    }
    if (GetSafeHwnd() != NULL && m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
        ::SendMessageA(m_hWndCmdReceiver, g_nMsgNotifyMenuExpanded, 0, (LPARAM)this);
}

void CExtPopupMenuWnd::StartAutoScroll()
{
    if (GetSafeHwnd() != NULL)
        SetTimer(ID_TIMER_SCROLLING, ID_PERIOD_SCROLLING);
}

/////////////////////////////////////////////////////////////////////////////
// Message handlers

void CExtPopupMenuWnd::OnTimer(UINT nIDEvent)
{
    TrackingSite_t& site = g_TrackingSite;
    switch (nIDEvent)
    {
    case ID_TIMER_DELAYED_OPEN:
    {
        KillTimer(ID_TIMER_DELAYED_OPEN);
        const int nIndex = m_nDelayedFocusItemIndex;
        m_nDelayedFocusItemIndex = IDX_NOTHING;
        if (site.m_pWndAnimation != NULL || site.IsEnding() || nIndex < 0
            || nIndex >= GetItemCount())
            return;
        CPoint pt;
        if (!::GetCursorPos(&pt))
            return;
        ScreenToClient(&pt);
        if (HitTestItem(pt) == nIndex)
            ExpandSubMenu(nIndex, true, true, false);
        return;
    }
    case ID_TIMER_SCROLLING:
    {
        SelectItem(IDX_NOTHING);
        if (m_nCurIndex >= 0)
            DeselectCurrentItem(false);
        if (GetSafeHwnd() == NULL)
            return;
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        int nStep = 0;
        if (m_nDyScrollOffset != 0 && m_rcScrollTop.PtInRect(pt))
            nStep = 5;
        else if (m_nDyScrollOffset > GetLayoutOverhead() && m_rcScrollBottom.PtInRect(pt))
            nStep = -5;
        m_nScrollingDirection = nStep;
        const int nLowest = GetLayoutOverhead();
        int nOffset = m_nDyScrollOffset + nStep;
        nOffset = max(nLowest, min(nOffset, 0));
        m_nDyScrollOffset = nOffset;
        if (nStep == 0 || nOffset == nLowest || nOffset == 0)
        {
            KillTimer(ID_TIMER_SCROLLING);
            m_nScrollingDirection = 0;
        }
        Invalidate(FALSE);
        UpdateWindow();
        return;
    }
    case ID_TIMER_EXPAND_HOVER:
    {
        if (m_nExpandHoverCounter <= 1)
            m_nExpandHoverCounter = 0;
        m_nExpandHoverCounter += 50;
        if (m_nExpandHoverCounter < 1500)
            return;
        KillTimer(ID_TIMER_EXPAND_HOVER);
        m_nExpandHoverCounter = 0;
        if (!HasHiddenItems() || IsExpanded() || site.m_pWndAnimation != NULL)
            return;
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (HitTestItem(pt) == IDX_EXPAND)
            NotifyMenuExpanded();
        return;
    }
    default:
        CExtPopupBaseWnd::OnTimer(nIDEvent);
        return;
    }
}

// A help cursor while notifications are suppressed, a text cursor over an enabled edit field.
BOOL CExtPopupMenuWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (IsNotifySuppressed())
    {
        ::SetCursor(::LoadCursor(NULL, IDC_HELP));
        return TRUE;
    }
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    bool bOverEdit = false;
    int nHit = HitTestItem(pt, &bOverEdit);
    if (nHit >= 0 && bOverEdit && m_items_all[nHit].IsEnabled()
        && m_items_all[nHit].m_pCbItemClick == NULL)
    {
        ::SetCursor(::LoadCursor(NULL, IDC_IBEAM));
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// A click on a popup of a continued tracking brings its whole open chain to the top, without
// taking the activation.
int CExtPopupMenuWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (IsContinuedTracking())
    {
        CExtPopupMenuWnd* pDeepest = this;
        for (bool bFound = true; bFound;)
        {
            bFound = false;
            for (int i = 0; i < pDeepest->GetItemCount(); i++)
            {
                MENUITEMDATA& mi = pDeepest->m_items_all[i];
                if (pDeepest->IsChildWindowOpen(mi))
                {
                    pDeepest = mi.m_pWndChild;
                    bFound = true;
                    break;
                }
            }
        }
        pDeepest->BringChainToTop(NULL);
        return MA_NOACTIVATE;
    }
    return CExtPopupBaseWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void CExtPopupMenuWnd::OnCancelMode()
{
    if (IsContinuedTracking())
        return;
    TrackingSite_t& site = g_TrackingSite;
    if (site.m_pWndRoot != NULL && !site.IsEnding())
        site.Done();
    if (IsMenuTrackingOfBars() && g_BarLinks.m_pfnEndAllButtonTracking != NULL)
        g_BarLinks.m_pfnEndAllButtonTracking();
}

void CExtPopupMenuWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CExtPopupBaseWnd::OnActivateApp(bActive, dwThreadID);
    CloseMenuTree(false);
}

void CExtPopupMenuWnd::OnClose()
{
    DestroyWindow();
}

// Input reaches the popup only through the hooks.
void CExtPopupMenuWnd::OnKeyDown(UINT, UINT, UINT)
{
}

void CExtPopupMenuWnd::OnMouseMove(UINT, CPoint)
{
}

void CExtPopupMenuWnd::OnLButtonDown(UINT, CPoint)
{
}

void CExtPopupMenuWnd::OnLButtonUp(UINT, CPoint)
{
}
