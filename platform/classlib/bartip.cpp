// bartip.cpp - tool tips of windows (bars in particular): one tool-tip control
// per thread shows the tool that the window under the mouse answers from
// OnToolHitTest.

#include "afxwnd.h"
#include <stdlib.h>

namespace
{

// The tool-tip state of a thread (fiber-local, freed with the thread).
struct CThreadToolTip
{
    HWND hWndTip = NULL;            // the tool-tip control
    HWND hWndLast = NULL;           // window whose tool is registered
    INT_PTR nLastHit = -1;          // its hit, -1 none
    TOOLINFOA tiLast;               // the registered tool (without text)
};

void WINAPI FreeThreadToolTip(void* pData)
{
    CThreadToolTip* pState = static_cast<CThreadToolTip*>(pData);
    if (pState != NULL && pState->hWndTip != NULL && ::IsWindow(pState->hWndTip))
        ::DestroyWindow(pState->hWndTip);
    delete pState;
}

CThreadToolTip* GetThreadToolTip()
{
    static const DWORD s_nSlot = ::FlsAlloc(FreeThreadToolTip);
    CThreadToolTip* pState = static_cast<CThreadToolTip*>(::FlsGetValue(s_nSlot));
    if (pState == NULL)
    {
        pState = new CThreadToolTip;
        memset(&pState->tiLast, 0, sizeof(pState->tiLast));
        ::FlsSetValue(s_nSlot, pState);
    }
    return pState;
}

// Takes the registered tool out of the control.
void RemoveLastTool(CThreadToolTip* pState)
{
    if (pState->hWndTip != NULL && pState->nLastHit != -1 && ::IsWindow(pState->hWndTip))
    {
        ::SendMessageA(pState->hWndTip, TTM_POP, 0, 0);
        ::SendMessageA(pState->hWndTip, TTM_DELTOOLA, 0, (LPARAM)&pState->tiLast);
    }
    pState->nLastHit = -1;
    pState->hWndLast = NULL;
    memset(&pState->tiLast, 0, sizeof(pState->tiLast));
}

BOOL IsMouseMessage(UINT nMsg)
{
    return (nMsg >= WM_MOUSEFIRST && nMsg <= WM_MOUSELAST) ||
           (nMsg >= WM_NCMOUSEMOVE && nMsg <= WM_NCMBUTTONDBLCLK);
}

} // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (bEnable)
    {
        m_nFlags |= WF_TOOLTIPS;
        return TRUE;
    }
    m_nFlags &= ~WF_TOOLTIPS;
    CThreadToolTip* pState = GetThreadToolTip();
    if (pState->hWndLast == m_hWnd)
        RemoveLastTool(pState);
    return TRUE;
}

void PASCAL CWnd::CancelToolTips(BOOL)
{
    CThreadToolTip* pState = GetThreadToolTip();
    RemoveLastTool(pState);
}

// Shows and hides the thread's tool tip for the tools of this window as the mouse moves over them.
void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    UINT nMsg = pMsg->message;
    CThreadToolTip* pState = GetThreadToolTip();

    // keys and presses hide the tip
    if ((nMsg >= WM_KEYFIRST && nMsg <= WM_KEYLAST) || nMsg == WM_LBUTTONDOWN ||
        nMsg == WM_RBUTTONDOWN || nMsg == WM_MBUTTONDOWN || nMsg == WM_NCLBUTTONDOWN ||
        nMsg == WM_NCRBUTTONDOWN || nMsg == WM_NCMBUTTONDOWN)
    {
        if (pState->hWndTip != NULL && ::IsWindow(pState->hWndTip))
            ::SendMessageA(pState->hWndTip, TTM_POP, 0, 0);
        if (nMsg >= WM_KEYFIRST && nMsg <= WM_KEYLAST)
            return;
    }
    if (!IsMouseMessage(nMsg) || m_hWnd == NULL)
        return;

    // the tool under the mouse, when the mouse is over this window
    TOOLINFOA ti;
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    INT_PTR nHit = -1;
    HWND hWndUnder = ::WindowFromPoint(pMsg->pt);
    if (hWndUnder == m_hWnd || ::IsChild(m_hWnd, hWndUnder))
    {
        CPoint point = pMsg->pt;
        ScreenToClient(&point);
        nHit = OnToolHitTest(point, &ti);
    }
    if (ti.hwnd == NULL)
        ti.hwnd = m_hWnd;

    // one answer may stand for several tools (caption buttons answer the bar's id): a
    // tool with another rectangle is another tool, with its own text
    bool bSameTool = nHit == pState->nLastHit && pState->hWndLast == m_hWnd &&
                     (nHit == -1 || (ti.hwnd == pState->tiLast.hwnd && ti.uId == pState->tiLast.uId &&
                                     ::EqualRect(&ti.rect, &pState->tiLast.rect)));
    if (!bSameTool)
    {
        RemoveLastTool(pState);
        if (nHit != -1)
        {
            if (pState->hWndTip == NULL || !::IsWindow(pState->hWndTip))
            {
                HWND hWndOwner = ::GetAncestor(m_hWnd, GA_ROOT);
                pState->hWndTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, NULL,
                                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                                    CW_USEDEFAULT, CW_USEDEFAULT,
                                                    CW_USEDEFAULT, CW_USEDEFAULT,
                                                    hWndOwner, NULL, AfxGetInstanceHandle(), NULL);
                if (pState->hWndTip != NULL)
                    ::SendMessageA(pState->hWndTip, TTM_SETMAXTIPWIDTH, 0, SHRT_MAX);
            }
            if (pState->hWndTip != NULL)
            {
                ::SendMessageA(pState->hWndTip, TTM_ADDTOOLA, 0, (LPARAM)&ti);
                ::SendMessageA(pState->hWndTip, TTM_ACTIVATE, TRUE, 0);
                pState->nLastHit = nHit;
                pState->hWndLast = m_hWnd;
                pState->tiLast = ti;
                pState->tiLast.lpszText = NULL;
            }
        }
    }
    // the control copied the text
    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACKA)
        free(ti.lpszText);

    if (pState->nLastHit != -1 && pState->hWndTip != NULL)
    {
        // the tool's window sees the mouse in its own coordinates
        MSG msg = *pMsg;
        msg.hwnd = pState->tiLast.hwnd;
        CPoint pt = pMsg->pt;
        ::ScreenToClient(msg.hwnd, &pt);
        msg.lParam = MAKELPARAM(pt.x, pt.y);
        ::SendMessageA(pState->hWndTip, TTM_RELAYEVENT, 0, (LPARAM)&msg);
    }
}
