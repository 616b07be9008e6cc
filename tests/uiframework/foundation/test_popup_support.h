// test_popup_support.h - receiver window, input injection and pumping for the popup tests.

#pragma once

#include "afxwin.h"
#include <gtest/gtest.h>
#include <vector>
#include "ExtPopupMenuWnd.h"
#include "ExtCmdManager.h"
#include "ExtCmdItem.h"
#include "popup_resource.h"
#include "key_input.h"

// Dispatches the thread's messages for nMilliseconds (the menu hooks run meanwhile).
inline void PopupPumpFor(DWORD nMilliseconds)
{
    const DWORD nStart = ::GetTickCount();
    do
    {
        CExtPopupMenuWnd::PumpPendingMessages(false);
        ::Sleep(5);
    } while (::GetTickCount() - nStart < nMilliseconds);
    CExtPopupMenuWnd::PumpPendingMessages(false);
}

// Pumps until pred() holds or the time is up; answers pred().
template <class Pred>
bool PopupPumpUntil(Pred pred, DWORD nTimeout = 2000)
{
    const DWORD nStart = ::GetTickCount();
    while (!pred())
    {
        if (::GetTickCount() - nStart > nTimeout)
            return pred();
        CExtPopupMenuWnd::PumpPendingMessages(false);
        ::Sleep(5);
    }
    return true;
}

// A key press and release through the input queue, then a pause longer than the menu's
// key repeat time.
inline void PopupSendKey(WORD wVk, bool bWithCtrl = false)
{
    auto send = [](WORD vk, bool bUp)
    {
        INPUT in = KeyInput(vk, bUp);
        ::SendInput(1, &in, sizeof(INPUT));
    };
    if (bWithCtrl)
    {
        send(VK_CONTROL, false);
        PopupPumpFor(40);
    }
    send(wVk, false);
    send(wVk, true);
    PopupPumpFor(bWithCtrl ? 40 : 60);
    if (bWithCtrl)
    {
        send(VK_CONTROL, true);
        PopupPumpFor(30);
    }
}

// One mouse event (MOUSEEVENTF_*) through the input queue, then a pause for its handling.
inline void PopupMouseEvent(DWORD dwFlags)
{
    INPUT in;
    memset(&in, 0, sizeof(in));
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = dwFlags;
    ::SendInput(1, &in, sizeof(INPUT));
    PopupPumpFor(40);
}

// Moves the mouse to a screen point.
inline void PopupMoveMouse(int x, int y)
{
    ::SetCursorPos(x, y);
    PopupMouseEvent(MOUSEEVENTF_MOVE);
}

// Presses and releases a mouse button at a screen point.
inline void PopupClick(int x, int y, bool bRight = false)
{
    ::SetCursorPos(x, y);
    INPUT in[2];
    memset(in, 0, sizeof(in));
    in[0].type = INPUT_MOUSE;
    in[0].mi.dwFlags = bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    in[1].type = INPUT_MOUSE;
    in[1].mi.dwFlags = bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    ::SendInput(2, in, sizeof(INPUT));
    PopupPumpFor(60);
}

// The command receiver of the tests: a visible top-level window with a handler for the
// test commands; records the commands and registered messages it gets.
class CPopupTestReceiver : public CWnd
{
public:
    struct Message_t
    {
        UINT m_nMessage;
        WPARAM m_wParam;
        LPARAM m_lParam;
    };

    explicit CPopupTestReceiver(LPCTSTR sProfile = _T("popup-tests"))
    {
        LPCTSTR sClass = ::AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW),
                                               (HBRUSH)(COLOR_WINDOW + 1));
        CreateEx(0, sClass, _T("receiver"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 600, 500,
                 NULL, NULL);
        if (GetSafeHwnd() != NULL)
        {
            g_CmdManagerHolder->EnsureProfile(sProfile, GetSafeHwnd());
            m_strProfile = sProfile;
            SetForegroundWindow();
            SetFocus();
        }
        PopupPumpFor(30);
    }
    virtual ~CPopupTestReceiver()
    {
        CExtPopupMenuWnd::CancelTracking();
        if (GetSafeHwnd() != NULL)
            DestroyWindow();
    }

    // Whether this window has the keyboard (another process may take it meanwhile).
    bool HasKeyboard() const
    {
        return ::GetForegroundWindow() == m_hWnd && ::GetFocus() == m_hWnd;
    }

    int CountCommands(UINT nCmdID) const
    {
        int n = 0;
        for (UINT nID : m_arrCommands)
            n += (nID == nCmdID) ? 1 : 0;
        return n;
    }
    int CountMessages(UINT nMessage) const
    {
        int n = 0;
        for (const Message_t& m : m_arrMessages)
            n += (m.m_nMessage == nMessage) ? 1 : 0;
        return n;
    }
    const Message_t* LastMessage(UINT nMessage) const
    {
        for (size_t i = m_arrMessages.size(); i > 0; i--)
        {
            if (m_arrMessages[i - 1].m_nMessage == nMessage)
                return &m_arrMessages[i - 1];
        }
        return NULL;
    }

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && lParam == 0)
            m_arrCommands.push_back(LOWORD(wParam));
        if (message == WM_LBUTTONDOWN)
            m_nLButtonDowns++;
        if (message == WM_RBUTTONDOWN)
            m_nRButtonDowns++;
        if (message == WM_RBUTTONUP)
            m_nRButtonUps++;
        if (message == WM_NCPAINT)
            m_nNcPaints++;
        if (message == WM_ERASEBKGND)
        {
            CRect rcClip;
            ::GetClipBox((HDC)wParam, &rcClip);
            m_arrErased.push_back(rcClip);
        }
        if (message >= 0xC000)
        {
            Message_t m = { message, wParam, lParam };
            m_arrMessages.push_back(m);
            if (m_pfnRegistered != NULL)
                return m_pfnRegistered(this, message, wParam, lParam);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    afx_msg void OnTestCommand(UINT /*nID*/) {}

    std::vector<UINT> m_arrCommands;        // WM_COMMAND ids, 0 included
    std::vector<Message_t> m_arrMessages;   // registered messages
    std::vector<CRect> m_arrErased;         // clip boxes of the background erases
    int m_nNcPaints = 0;
    CString m_strProfile;
    int m_nLButtonDowns = 0;
    int m_nRButtonDowns = 0;
    int m_nRButtonUps = 0;
    // Answer to registered messages (NULL: 0).
    LRESULT (*m_pfnRegistered)(CPopupTestReceiver* pThis, UINT nMessage, WPARAM wParam,
                               LPARAM lParam) = NULL;

    DECLARE_MESSAGE_MAP()
};

// A popup menu that records its destruction.
class CCountedPopupMenuWnd : public CExtPopupMenuWnd
{
public:
    explicit CCountedPopupMenuWnd(int* pnDestroyed) : m_pnDestroyed(pnDestroyed) {}
    virtual ~CCountedPopupMenuWnd() { if (m_pnDestroyed != NULL) (*m_pnDestroyed)++; }
    // Counts the keys handed to the popup; s_nDelay makes each take that long (a busy machine).
    bool OnHookKey(UINT nChar, UINT nRepCnt, UINT nFlags, bool& bNoEat) override
    {
        s_nKeys++;
        if (s_nDelay > 0)
            ::Sleep(s_nDelay);
        return CExtPopupMenuWnd::OnHookKey(nChar, nRepCnt, nFlags, bNoEat);
    }

    int* m_pnDestroyed;
    static inline int s_nKeys = 0;
    static inline DWORD s_nDelay = 0;
};

// Input given to the thread by timer steps while a modal loop runs (steps every 80 ms).
// A stalled machine may run two steps a few ms apart: the keys carry their own stamps
// (PopupPostKey), so that never turns a key into a repeat. Once the steps are done, a
// tracking still running after two seconds is cancelled, so a failing test ends.
class CPopupInputScript
{
public:
    typedef void (*Step)();

    explicit CPopupInputScript(std::vector<Step> steps)
        : m_steps(std::move(steps))
    {
        s_pCurrent = this;
        m_nTimer = ::SetTimer(NULL, 0, 80, TimerProc);
    }
    ~CPopupInputScript()
    {
        ::KillTimer(NULL, m_nTimer);
        s_pCurrent = NULL;
    }
    CPopupInputScript(const CPopupInputScript&) = delete;
    CPopupInputScript& operator=(const CPopupInputScript&) = delete;

    size_t m_nNext = 0;

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD)
    {
        CPopupInputScript* p = s_pCurrent;
        if (p == NULL)
            return;
        if (p->m_nNext < p->m_steps.size())
        {
            p->m_steps[p->m_nNext++]();
            p->m_nDoneAt = ::GetTickCount();
        }
        else if (::GetTickCount() - p->m_nDoneAt > 2000)
            CExtPopupMenuWnd::CancelTracking();
    }

    std::vector<Step> m_steps;
    UINT_PTR m_nTimer;
    DWORD m_nDoneAt = 0;
    static inline CPopupInputScript* s_pCurrent = NULL;
};

// A key press without the pause (for steps inside a modal loop), stamped at least 30 ms
// after the press before it: the menu drops presses stamped closer than its repeat time.
inline void PopupPostKey(WORD wVk)
{
    static DWORD s_nLastStamp = 0;
    DWORD nStamp = ::GetTickCount();
    if ((int)(nStamp - s_nLastStamp) < 30)
        nStamp = s_nLastStamp + 30;
    s_nLastStamp = nStamp;
    INPUT in[2];
    memset(in, 0, sizeof(in));
    in[0].type = INPUT_KEYBOARD;
    in[0].ki.wVk = wVk;
    in[0].ki.time = nStamp;
    in[1] = in[0];
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
}

// Screen rectangle of an item of a tracked popup.
inline CRect PopupItemScreenRect(CExtPopupMenuWnd* pPopup, int nIndex)
{
    CRect rc;
    pPopup->GetItemRect(nIndex, rc, true);
    pPopup->ClientToScreen(&rc);
    return rc;
}

// Skips the rest of a test when the receiver lost the keyboard to another program.
#define POPUP_REQUIRE_KEYBOARD(receiver) \
    if (!(receiver).HasKeyboard()) \
        GTEST_SKIP() << "another program has the keyboard"
