// ExtHookSink.cpp - window subclassing shared by several observers.

#include "stdafx.h"
#include "ExtHookSink.h"
#include <map>

namespace
{

// Windows whose chain went away while another procedure was installed over the shared one:
// the shared procedure still gets their messages and hands them to the original procedure.
std::map<HWND, WNDPROC>& OrphanedWindows()
{
    static std::map<HWND, WNDPROC> s_map;
    return s_map;
}

// TRUE when some chain still holds the sink.
bool IsSinkInAnyChain(const CExtHookSink* pSink)
{
    POSITION pos = g_mapHookChains.GetStartPosition();
    while (pos != NULL)
    {
        HWND hWnd = NULL;
        CExtHookSink::HookChains_t* pChains = NULL;
        g_mapHookChains.GetNextAssoc(pos, hWnd, pChains);
        if (pChains != NULL && pChains->HasSink(pSink))
            return true;
    }
    return false;
}

// Deletes an auto-delete sink that has left its last chain.
void DeleteSinkIfReleased(CExtHookSink* pSink)
{
    if (pSink->IsAutoDelete() && !IsSinkInAnyChain(pSink))
        delete pSink;
}

// Window and message of the message being dispatched on this thread.
bool GetCurrentHookedMessage(MSG& msg)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadStateIfAlive();
    if (pState == NULL)
        return false;
    msg = pState->m_lastSentMsg;
    return msg.hwnd != NULL;
}

LRESULT CallPrevOfCurrentWindow(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    MSG msg;
    if (!GetCurrentHookedMessage(msg))
        return 0;
    CExtHookSink::HookChains_t* pChains = NULL;
    if (!g_mapHookChains.Lookup(msg.hwnd, pChains) || pChains == NULL
        || pChains->m_pfnPrevWndProc == NULL)
        return 0;
    return ::CallWindowProcA(pChains->m_pfnPrevWndProc, msg.hwnd, nMessage, wParam, lParam);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CExtHookSink

CExtHookSink::CExtHookSink(bool bEnableHookDispatch)
    : m_bHookSinkFlags(0)
{
    if (bEnableHookDispatch)
        m_bHookSinkFlags |= HOOK_SINK_DISPATCH;
}

// A sink destroyed while still in chains is taken out of them without notifications,
// so that no chain keeps a dangling pointer.
CExtHookSink::~CExtHookSink()
{
    POSITION pos = g_mapHookChains.GetStartPosition();
    while (pos != NULL)
    {
        HWND hWnd = NULL;
        HookChains_t* pChains = NULL;
        g_mapHookChains.GetNextAssoc(pos, hWnd, pChains);
        if (pChains == NULL)
            continue;
        INT_PTR nIndex;
        while ((nIndex = pChains->FindSink(this)) >= 0)
            pChains->m_arrSinks.RemoveAt(nIndex);
    }
}

bool CExtHookSink::IsAutoDelete()
{
    return false;
}

LRESULT CExtHookSink::CallPrevWndProc(WPARAM wParam, LPARAM lParam)
{
    MSG msg;
    if (!GetCurrentHookedMessage(msg))
        return 0;
    return CallPrevOfCurrentWindow(msg.message, wParam, lParam);
}

LRESULT CExtHookSink::CallPrevWndProcWithMsg(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return CallPrevOfCurrentWindow(nMessage, wParam, lParam);
}

LRESULT CExtHookSink::CallPrevWndProcCurrent()
{
    MSG msg;
    if (!GetCurrentHookedMessage(msg))
        return 0;
    return CallPrevOfCurrentWindow(msg.message, msg.wParam, msg.lParam);
}

// Splits six messages into their own operations.
bool CExtHookSink::OnHookWndMsg(LRESULT& lResult, HWND hWnd, UINT nMessage,
                                WPARAM& wParam, LPARAM& lParam)
{
    if ((m_bHookSinkFlags & HOOK_SINK_DISPATCH) == 0)
        return false;
    switch (nMessage)
    {
    case WM_COMMAND:
        return OnHookCmdMsg(lResult, hWnd, HIWORD(wParam), LOWORD(wParam), (HWND)lParam);
    case WM_NOTIFY:
        return OnHookNotifyMsg(lResult, hWnd, (INT)wParam, (LPNMHDR)lParam);
    case WM_PAINT:
        return OnHookPaintMsg(lResult, hWnd, (HDC)wParam);
    case WM_ERASEBKGND:
        return OnHookEraseBackgroundMsg(lResult, hWnd, (HDC)wParam);
    case WM_PRINT:
        return OnHookPrintMsg(lResult, hWnd, (HDC)wParam);
    case WM_NCPAINT:
        return OnHookNcPaintMsg(lResult, hWnd, (HRGN)wParam);
    default:
        return false;
    }
}

bool CExtHookSink::OnHookCmdMsg(LRESULT&, HWND, WORD, WORD, HWND)
{
    return false;
}

bool CExtHookSink::OnHookNotifyMsg(LRESULT&, HWND, INT, LPNMHDR)
{
    return false;
}

bool CExtHookSink::OnHookPaintMsg(LRESULT&, HWND, HDC)
{
    return false;
}

bool CExtHookSink::OnHookEraseBackgroundMsg(LRESULT&, HWND, HDC)
{
    return false;
}

bool CExtHookSink::OnHookPrintMsg(LRESULT&, HWND, HDC)
{
    return false;
}

bool CExtHookSink::OnHookNcPaintMsg(LRESULT&, HWND, HRGN)
{
    return false;
}

void CExtHookSink::OnHookDestroyWindow()
{
}

void CExtHookSink::OnHookAttached(HWND)
{
}

void CExtHookSink::OnHookDetached(HWND)
{
}

// Joins or leaves the chain of one window.
bool CExtHookSink::SetupHookWndSink(HWND hWnd, bool bRemove, bool bAddToHead)
{
    if (hWnd == NULL)
        return false;

    HookChains_t* pChains = NULL;
    if (!g_mapHookChains.Lookup(hWnd, pChains))
        pChains = NULL;

    if (bRemove)
    {
        if (pChains == NULL || !pChains->HasSink(this))
            return true;
        OnHookDetached(hWnd);
        INT_PTR nIndex = pChains->FindSink(this);
        if (nIndex >= 0)
            pChains->m_arrSinks.RemoveAt(nIndex);
        DeleteSinkIfReleased(this);
        return true;
    }

    if (!::IsWindow(hWnd))
        return false;

    if (pChains == NULL)
    {
        pChains = new HookChains_t(hWnd);
        ::SetLastError(0);
        LONG_PTR nPrev = ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC,
                                             (LONG_PTR)&CExtHookSink::HookChainsWindowProc);
        if (nPrev == 0 && ::GetLastError() != 0)
        {
            // not subclassable (a window of another process)
            delete pChains;
            return false;
        }
        pChains->m_pfnPrevWndProc = (WNDPROC)nPrev;
        g_mapHookChains.SetAt(hWnd, pChains);
    }
    else if (pChains->HasSink(this))
        return true;

    if (bAddToHead)
        pChains->m_arrSinks.InsertAt(0, this);
    else
        pChains->m_arrSinks.Add(this);
    OnHookAttached(hWnd);
    return true;
}

void CExtHookSink::RemoveHookFromAll()
{
    CList<HWND, HWND> listWnds;
    GetHookedWindows(listWnds);
    // An auto-delete sink is deleted by its last removal, which is the last one here.
    POSITION pos = listWnds.GetHeadPosition();
    while (pos != NULL)
    {
        HWND hWnd = listWnds.GetNext(pos);
        SetupHookWndSink(hWnd, true, false);
    }
}

bool CExtHookSink::IsHookedTo(HWND hWnd) const
{
    HookChains_t* pChains = NULL;
    if (hWnd == NULL || !g_mapHookChains.Lookup(hWnd, pChains) || pChains == NULL)
        return false;
    return pChains->HasSink(this);
}

void CExtHookSink::GetHookedWindows(CList<HWND, HWND>& listWnds) const
{
    POSITION pos = g_mapHookChains.GetStartPosition();
    while (pos != NULL)
    {
        HWND hWnd = NULL;
        HookChains_t* pChains = NULL;
        g_mapHookChains.GetNextAssoc(pos, hWnd, pChains);
        if (pChains != NULL && pChains->HasSink(this))
            listWnds.AddTail(hWnd);
    }
}

// The one procedure of every hooked window.
LRESULT CALLBACK CExtHookSink::HookChainsWindowProc(HWND hWnd, UINT nMessage,
                                                    WPARAM wParam, LPARAM lParam)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadStateIfAlive();
    MSG msgSaved;
    memset(&msgSaved, 0, sizeof(msgSaved));
    if (pState != NULL)
    {
        msgSaved = pState->m_lastSentMsg;
        pState->m_lastSentMsg.hwnd = hWnd;
        pState->m_lastSentMsg.message = nMessage;
        pState->m_lastSentMsg.wParam = wParam;
        pState->m_lastSentMsg.lParam = lParam;
    }

    LRESULT lResult = 0;
    HookChains_t* pChains = NULL;
    if (g_mapHookChains.Lookup(hWnd, pChains) && pChains != NULL)
        lResult = pChains->Dispatch(nMessage, wParam, lParam);
    else
    {
        // no chain any more: the message still reaches the window's own procedure
        std::map<HWND, WNDPROC>& orphans = OrphanedWindows();
        std::map<HWND, WNDPROC>::iterator it = orphans.find(hWnd);
        if (it != orphans.end() && it->second != NULL)
            lResult = ::CallWindowProcA(it->second, hWnd, nMessage, wParam, lParam);
        else
            lResult = ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
    }

    if (nMessage == WM_NCDESTROY)
    {
        g_mapHookChains.RemoveKey(hWnd);
        OrphanedWindows().erase(hWnd);
    }

    pState = AfxGetThreadStateIfAlive();
    if (pState != NULL)
        pState->m_lastSentMsg = msgSaved;
    return lResult;
}

/////////////////////////////////////////////////////////////////////////////
// CExtHookSink::HookChains_t

CExtHookSink::HookChains_t::HookChains_t(HWND hWnd)
    : m_bFlags(0), m_hWndHooked(hWnd), m_pfnPrevWndProc(NULL),
      m_nDispatchDepth(0), m_bDestroyed(false), m_bDeletePending(false)
{
}

CExtHookSink::HookChains_t::~HookChains_t()
{
    if (!m_bDestroyed)
        DestroyChains(false);
}

INT_PTR CExtHookSink::HookChains_t::FindSink(const CExtHookSink* pSink) const
{
    for (INT_PTR i = 0; i < m_arrSinks.GetSize(); i++)
    {
        if (m_arrSinks[i] == pSink)
            return i;
    }
    return -1;
}

bool CExtHookSink::HookChains_t::HasSink(const CExtHookSink* pSink) const
{
    return FindSink(pSink) >= 0;
}

// Offers the message to the sinks in order, then to the previous procedure.
LRESULT CExtHookSink::HookChains_t::Dispatch(UINT nMessage, WPARAM& wParam, LPARAM& lParam)
{
    HWND hWnd = m_hWndHooked;
    WNDPROC pfnPrev = m_pfnPrevWndProc;
    m_nDispatchDepth++;

    // Sinks that join meanwhile hear the next message; sinks that leave are skipped.
    HookSinkArray_t arrSinks;
    arrSinks.Copy(m_arrSinks);

    LRESULT lResult = 0;
    if (nMessage != WM_NCDESTROY)
    {
        bool bHandled = false;
        for (INT_PTR i = 0; i < arrSinks.GetSize() && !m_bDestroyed; i++)
        {
            CExtHookSink* pSink = arrSinks[i];
            if (!HasSink(pSink))
                continue;
            lResult = 0;
            if (pSink->OnHookWndMsg(lResult, hWnd, nMessage, wParam, lParam))
            {
                bHandled = true;
                break;
            }
        }
        if (!bHandled)
        {
            // A window destroyed by a sink gets nothing more.
            lResult = (m_bDestroyed || pfnPrev == NULL)
                ? 0 : ::CallWindowProcA(pfnPrev, hWnd, nMessage, wParam, lParam);
        }
    }
    else
    {
        bool bKeepNcDestroy = (m_bFlags & 0x01) != 0;
        for (INT_PTR i = 0; i < arrSinks.GetSize() && !m_bDestroyed; i++)
        {
            CExtHookSink* pSink = arrSinks[i];
            if (!HasSink(pSink))
                continue;
            if ((pSink->m_bHookSinkFlags & HOOK_SINK_KEEP_NCDESTROY) != 0)
                bKeepNcDestroy = true;
            pSink->OnHookDestroyWindow();
        }
        if (!m_bDestroyed)
            DestroyChains(true);
        if (!bKeepNcDestroy && pfnPrev != NULL)
            lResult = ::CallWindowProcA(pfnPrev, hWnd, nMessage, wParam, lParam);
    }

    m_nDispatchDepth--;
    if (m_nDispatchDepth == 0 && m_bDeletePending)
        delete this;
    return lResult;
}

// Releases the sinks of a hooked window and gives it back its original window procedure.
void CExtHookSink::HookChains_t::DestroyChains(bool bDelete)
{
    m_bDestroyed = true;

    HookSinkArray_t arrSinks;
    arrSinks.Copy(m_arrSinks);
    m_arrSinks.RemoveAll();
    for (INT_PTR i = 0; i < arrSinks.GetSize(); i++)
        DeleteSinkIfReleased(arrSinks[i]);

    // The original procedure goes back only while the shared one is installed: a procedure
    // put over it later stays, and the shared one keeps forwarding to the original.
    if (m_hWndHooked != NULL && m_pfnPrevWndProc != NULL && ::IsWindow(m_hWndHooked))
    {
        if ((WNDPROC)::GetWindowLongPtrA(m_hWndHooked, GWLP_WNDPROC)
            == &CExtHookSink::HookChainsWindowProc)
            ::SetWindowLongPtrA(m_hWndHooked, GWLP_WNDPROC, (LONG_PTR)m_pfnPrevWndProc);
        else
            OrphanedWindows()[m_hWndHooked] = m_pfnPrevWndProc;
    }

    if (bDelete)
    {
        if (m_nDispatchDepth > 0)
            m_bDeletePending = true;
        else
            delete this;
    }
}
