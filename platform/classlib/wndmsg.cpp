// wndmsg.cpp - CWnd message dispatch: message maps, commands, notifications,
// reflection to child controls, and the default handlers.

#include "afxwnd.h"

// Handlers are stored under one member pointer type and cast back to their own.
#pragma GCC diagnostic ignored "-Wcast-function-type"
#include <windowsx.h>

namespace
{

// Update check of a command before it runs: a disabled command is dropped.
class CTestCmdUI : public CCmdUI
{
public:
    CTestCmdUI() { m_bEnabled = TRUE; }
    virtual void Enable(BOOL bOn) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
    virtual void SetCheck(int) override {}
    virtual void SetRadio(BOOL) override {}
    virtual void SetText(LPCTSTR) override {}
    BOOL m_bEnabled;
};

// Data of a reflected WM_CTLCOLORxxx.
struct AFX_CTLCOLOR
{
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// The message map of CWnd: reflection and forwarding of system changes.

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_CTLCOLOR()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_PARENTNOTIFY()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

// Finds the entry of a window message in the maps of this class and its bases.
static const AFX_MSGMAP_ENTRY* FindWindowEntry(const AFX_MSGMAP* pMessageMap, UINT nMsg)
{
    for (; pMessageMap != NULL;
         pMessageMap = pMessageMap->pfnGetBaseMap != NULL ? (*pMessageMap->pfnGetBaseMap)() : NULL)
    {
        if (nMsg < 0xC000)
        {
            const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMessageMap->lpEntries, nMsg, 0, 0);
            if (lpEntry != NULL)
                return lpEntry;
        }
        else
        {
            // registered messages keep the address of their number in nSig
            for (const AFX_MSGMAP_ENTRY* lpEntry = pMessageMap->lpEntries;
                 lpEntry->nSig != AfxSig_end; ++lpEntry)
            {
                if (lpEntry->nMessage == 0xC000 && *(const UINT*)lpEntry->nSig == nMsg)
                    return lpEntry;
                if (lpEntry->nMessage == nMsg && lpEntry->nMessage != 0xC000)
                    return lpEntry;
            }
        }
    }
    return NULL;
}

namespace
{

// A window message as the dispatch hands it to a handler's signature.
struct MsgArgs
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nCtlType;      // the control type of a WM_CTLCOLORxxx
};

// Handlers are called through the one stored member pointer type.
#define AFX_CALL(type) (pWnd->*reinterpret_cast<type>(pfn))

// Handlers of plain values: numbers, flags, points, texts. FALSE for a signature of
// another family.
BOOL CallPlainHandler(CWnd* pWnd, AFX_PMSGW pfn, UINT_PTR nSig, const MsgArgs& m, LRESULT& lResult)
{
    switch (nSig)
    {
    case AfxSig_vv:
        AFX_CALL(void (CWnd::*)())();
        break;
    case AfxSig_bv:
        lResult = AFX_CALL(BOOL (CWnd::*)())();
        break;
    case AfxSig_uv:
        lResult = AFX_CALL(UINT (CWnd::*)())();
        break;
    case AfxSig_l_w_l:
        lResult = AFX_CALL(LRESULT (CWnd::*)(WPARAM, LPARAM))(m.wParam, m.lParam);
        break;
    case AfxSig_i_CREATE:
        lResult = AFX_CALL(int (CWnd::*)(LPCREATESTRUCT))((LPCREATESTRUCT)m.lParam);
        break;
    case AfxSig_b_CREATE:
        lResult = AFX_CALL(BOOL (CWnd::*)(LPCREATESTRUCT))((LPCREATESTRUCT)m.lParam);
        break;
    case AfxSig_v_u:
        AFX_CALL(void (CWnd::*)(UINT))((UINT)m.wParam);
        break;
    case AfxSig_v_b:
        AFX_CALL(void (CWnd::*)(BOOL))((BOOL)m.wParam);
        break;
    case AfxSig_v_uuu:
        AFX_CALL(void (CWnd::*)(UINT, UINT, UINT))((UINT)m.wParam, LOWORD(m.lParam),
                                                   HIWORD(m.lParam));
        break;
    case AfxSig_v_uii:
        AFX_CALL(void (CWnd::*)(UINT, int, int))((UINT)m.wParam, LOWORD(m.lParam),
                                                 HIWORD(m.lParam));
        break;
    case AfxSig_v_ii:
        AFX_CALL(void (CWnd::*)(int, int))((short)LOWORD(m.lParam), (short)HIWORD(m.lParam));
        break;
    case AfxSig_v_up:
        AFX_CALL(void (CWnd::*)(UINT, CPoint))((UINT)m.wParam, PointFromLParam(m.lParam));
        break;
    case AfxSig_u_p:
        lResult = AFX_CALL(UINT (CWnd::*)(CPoint))(PointFromLParam(m.lParam));
        break;
    case AfxSig_b_usp:
        lResult = AFX_CALL(BOOL (CWnd::*)(UINT, short, CPoint))(
            LOWORD(m.wParam), (short)HIWORD(m.wParam), PointFromLParam(m.lParam));
        break;
    case AfxSig_v_bh:
        AFX_CALL(void (CWnd::*)(BOOL, DWORD))((BOOL)m.wParam, (DWORD)m.lParam);
        break;
    case AfxSig_b_b:
        lResult = AFX_CALL(BOOL (CWnd::*)(BOOL))((BOOL)m.wParam);
        break;
    case AfxSig_v_bu:
        AFX_CALL(void (CWnd::*)(BOOL, UINT))((BOOL)m.wParam, (UINT)m.lParam);
        break;
    case AfxSig_v_ul:
        AFX_CALL(void (CWnd::*)(UINT, LPARAM))((UINT)m.wParam, m.lParam);
        break;
    case AfxSig_v_wl:
        AFX_CALL(void (CWnd::*)(WPARAM, LPARAM))(m.wParam, m.lParam);
        break;
    case AfxSig_v_uu:
        AFX_CALL(void (CWnd::*)(UINT, UINT))(LOWORD(m.wParam), HIWORD(m.wParam));
        break;
    case AfxSig_v_us:
        AFX_CALL(void (CWnd::*)(UINT, LPCTSTR))((UINT)m.wParam, (LPCTSTR)m.lParam);
        break;
    case AfxSig_v_s:
        AFX_CALL(void (CWnd::*)(LPCTSTR))((LPCTSTR)m.lParam);
        break;
    case AfxSig_v_t:
        AFX_CALL(void (CWnd::*)(LPTSTR))((LPTSTR)m.lParam);
        break;
    default:
        return FALSE;
    }
    return TRUE;
}

// Handlers given a system structure (positions, sizes, owner-draw items, help).
// FALSE for a signature of another family.
BOOL CallStructHandler(CWnd* pWnd, AFX_PMSGW pfn, UINT_PTR nSig, const MsgArgs& m, LRESULT& lResult)
{
    switch (nSig)
    {
    case AfxSig_v_POS:
        AFX_CALL(void (CWnd::*)(WINDOWPOS*))((WINDOWPOS*)m.lParam);
        break;
    case AfxSig_v_MINMAX:
        AFX_CALL(void (CWnd::*)(MINMAXINFO*))((MINMAXINFO*)m.lParam);
        break;
    case AfxSig_v_bNCCALC:
        AFX_CALL(void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*))((BOOL)m.wParam,
                                                           (NCCALCSIZE_PARAMS*)m.lParam);
        break;
    case AfxSig_v_DROP:
        AFX_CALL(void (CWnd::*)(HDROP))((HDROP)m.wParam);
        break;
    case AfxSig_v_uRECT:
        AFX_CALL(void (CWnd::*)(UINT, LPRECT))((UINT)m.wParam, (LPRECT)m.lParam);
        lResult = TRUE;
        break;
    case AfxSig_v_iSTYLE:
        AFX_CALL(void (CWnd::*)(int, LPSTYLESTRUCT))((int)m.wParam, (LPSTYLESTRUCT)m.lParam);
        break;
    case AfxSig_b_HELPINFO:
        lResult = AFX_CALL(BOOL (CWnd::*)(HELPINFO*))((HELPINFO*)m.lParam);
        break;
    case AfxSig_v_iDRAW:
        AFX_CALL(void (CWnd::*)(int, LPDRAWITEMSTRUCT))((int)m.wParam, (LPDRAWITEMSTRUCT)m.lParam);
        lResult = TRUE;
        break;
    case AfxSig_v_iMEASURE:
        AFX_CALL(void (CWnd::*)(int, LPMEASUREITEMSTRUCT))((int)m.wParam,
                                                           (LPMEASUREITEMSTRUCT)m.lParam);
        lResult = TRUE;
        break;
    case AfxSig_i_iCOMPARE:
        lResult = AFX_CALL(int (CWnd::*)(int, LPCOMPAREITEMSTRUCT))((int)m.wParam,
                                                                     (LPCOMPAREITEMSTRUCT)m.lParam);
        break;
    case AfxSig_v_iDELETE:
        AFX_CALL(void (CWnd::*)(int, LPDELETEITEMSTRUCT))((int)m.wParam,
                                                          (LPDELETEITEMSTRUCT)m.lParam);
        lResult = TRUE;
        break;
    case AfxSig_v_DRAW:
        AFX_CALL(void (CWnd::*)(LPDRAWITEMSTRUCT))((LPDRAWITEMSTRUCT)m.lParam);
        lResult = TRUE;
        break;
    case AfxSig_v_MEASURE:
        AFX_CALL(void (CWnd::*)(LPMEASUREITEMSTRUCT))((LPMEASUREITEMSTRUCT)m.lParam);
        lResult = TRUE;
        break;
    default:
        return FALSE;
    }
    return TRUE;
}

// Handlers given wrapper objects of windows, DCs and menus. FALSE for a signature of
// another family, or when a reflected colour handler leaves the colours to the parent.
BOOL CallObjectHandler(CWnd* pWnd, AFX_PMSGW pfn, UINT_PTR nSig, const MsgArgs& m, LRESULT& lResult)
{
    switch (nSig)
    {
    case AfxSig_b_Wuu:
        lResult = AFX_CALL(BOOL (CWnd::*)(CWnd*, UINT, UINT))(
            CWnd::FromHandle((HWND)m.wParam), LOWORD(m.lParam), HIWORD(m.lParam));
        break;
    case AfxSig_i_Wuu:
        lResult = AFX_CALL(int (CWnd::*)(CWnd*, UINT, UINT))(
            CWnd::FromHandle((HWND)m.wParam), LOWORD(m.lParam), HIWORD(m.lParam));
        break;
    case AfxSig_v_Wp:
        AFX_CALL(void (CWnd::*)(CWnd*, CPoint))(CWnd::FromHandle((HWND)m.wParam),
                                                 PointFromLParam(m.lParam));
        break;
    case AfxSig_v_W:
        // WM_CAPTURECHANGED names the new capture window in m.lParam
        AFX_CALL(void (CWnd::*)(CWnd*))(CWnd::FromHandle(
            m.message == WM_CAPTURECHANGED ? (HWND)m.lParam : (HWND)m.wParam));
        break;
    case AfxSig_b_D:
        lResult = AFX_CALL(BOOL (CWnd::*)(CDC*))(CDC::FromHandle((HDC)m.wParam));
        break;
    case AfxSig_h_DWu:
        lResult = (LRESULT)AFX_CALL(HBRUSH (CWnd::*)(CDC*, CWnd*, UINT))(
            CDC::FromHandle((HDC)m.wParam), CWnd::FromHandle((HWND)m.lParam), m.nCtlType);
        break;
    case AfxSig_h_Du:
    {
        // reflected colour request: m.lParam is the record made by ReflectChildNotify
        AFX_CTLCOLOR* pCtl = (AFX_CTLCOLOR*)m.lParam;
        HBRUSH hbr = AFX_CALL(HBRUSH (CWnd::*)(CDC*, UINT))(CDC::FromHandle(pCtl->hDC),
                                                             pCtl->nCtlType);
        if (hbr == NULL)
            return FALSE;   // the parent chooses the colours
        lResult = (LRESULT)hbr;
        break;
    }
    case AfxSig_v_uW:
        AFX_CALL(void (CWnd::*)(UINT, CWnd*))((UINT)m.wParam, CWnd::FromHandle((HWND)m.lParam));
        break;
    case AfxSig_v_uWb:
        AFX_CALL(void (CWnd::*)(UINT, CWnd*, BOOL))(LOWORD(m.wParam),
            CWnd::FromHandle((HWND)m.lParam), HIWORD(m.wParam));
        break;
    case AfxSig_v_bWW:
        AFX_CALL(void (CWnd::*)(BOOL, CWnd*, CWnd*))((HWND)m.lParam == pWnd->m_hWnd,
            CWnd::FromHandle((HWND)m.lParam), CWnd::FromHandle((HWND)m.wParam));
        break;
    case AfxSig_v_Mub:
        AFX_CALL(void (CWnd::*)(CMenu*, UINT, BOOL))(CMenu::FromHandle((HMENU)m.wParam),
            LOWORD(m.lParam), HIWORD(m.lParam));
        break;
    case AfxSig_v_M:
        AFX_CALL(void (CWnd::*)(CMenu*))(CMenu::FromHandle((HMENU)m.wParam));
        break;
    case AfxSig_v_uuM:
        AFX_CALL(void (CWnd::*)(UINT, UINT, HMENU))(LOWORD(m.wParam), HIWORD(m.wParam),
                                                    (HMENU)m.lParam);
        break;
    case AfxSig_l_uuM:
        lResult = AFX_CALL(LRESULT (CWnd::*)(UINT, UINT, CMenu*))(
            LOWORD(m.wParam), HIWORD(m.wParam), CMenu::FromHandle((HMENU)m.lParam));
        break;
    case AfxSig_v_uuSB:
        AFX_CALL(void (CWnd::*)(UINT, UINT, CScrollBar*))(LOWORD(m.wParam), HIWORD(m.wParam),
            (CScrollBar*)CWnd::FromHandle((HWND)m.lParam));
        break;
    case AfxSig_b_WCOPY:
        lResult = AFX_CALL(BOOL (CWnd::*)(CWnd*, COPYDATASTRUCT*))(CWnd::FromHandle((HWND)m.wParam),
                                                                   (COPYDATASTRUCT*)m.lParam);
        break;
    default:
        return FALSE;
    }
    return TRUE;
}

#undef AFX_CALL

} // namespace

// Finds a message's handler in the message maps and calls it with the signature its entry names.
BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;

    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
        if (pResult != NULL)
            *pResult = lResult;
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR == NULL || pNMHDR->hwndFrom == NULL || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        if (pResult != NULL)
            *pResult = lResult;
        return TRUE;
    }

    UINT nFindMsg = message;
    UINT nCtlType = 0;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
    {
        nFindMsg = WM_CTLCOLOR;
        nCtlType = message - WM_CTLCOLORMSGBOX;
    }

    const AFX_MSGMAP_ENTRY* lpEntry = FindWindowEntry(GetMessageMap(), nFindMsg);
    if (lpEntry == NULL)
        return FALSE;

    AFX_PMSGW pfn = (AFX_PMSGW)lpEntry->pfn;
    // a registered message's handler takes wParam and lParam as they come
    UINT_PTR nSig = lpEntry->nMessage == 0xC000 ? (UINT_PTR)AfxSig_l_w_l : lpEntry->nSig;
    MsgArgs args = { message, wParam, lParam, nCtlType };
    if (!CallPlainHandler(this, pfn, nSig, args, lResult) &&
        !CallStructHandler(this, pfn, nSig, args, lResult) &&
        !CallObjectHandler(this, pfn, nSig, args, lResult))
        return FALSE;

    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Commands and notifications

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);

    if (hWndCtrl == NULL)
    {
        // menu item or accelerator: a command disabled by its update handler is dropped
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    else
    {
        // control notification: the control may handle it itself
        if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
            return TRUE;
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

// Sends a control's notification back to it when it handles it, else through the command maps.
BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = (UINT)::GetDlgCtrlID(hWndCtrl);
    int nCode = (int)pNMHDR->code;

    if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;

    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(nID, (int)MAKELONG(nCode, WM_NOTIFY), &notify, NULL);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
    if (pWnd == NULL)
        return FALSE;
    return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG* pMsg = &AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(pMsg->message, pMsg->wParam, pMsg->lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

// Gives a control the notifications its parent received about it (ON_*_REFLECT entries).
BOOL CWnd::ReflectChildNotify(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (uMsg)
    {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + uMsg, wParam, lParam, pResult);

    case WM_COMMAND:
    {
        int nCode = HIWORD(wParam);
        if (CCmdTarget::OnCmdMsg(0, (int)MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL))
        {
            if (pResult != NULL)
                *pResult = 1;
            return TRUE;
        }
        break;
    }

    case WM_NOTIFY:
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        LRESULT lDummy = 0;
        AFX_NOTIFY notify;
        notify.pResult = pResult != NULL ? pResult : &lDummy;
        notify.pNMHDR = pNMHDR;
        return CCmdTarget::OnCmdMsg(0, (int)MAKELONG((int)pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY),
                                    &notify, NULL);
    }

    default:
        if (uMsg >= WM_CTLCOLORMSGBOX && uMsg <= WM_CTLCOLORSTATIC)
        {
            AFX_CTLCOLOR ctl;
            ctl.hWnd = m_hWnd;
            ctl.hDC = (HDC)wParam;
            ctl.nCtlType = uMsg - WM_CTLCOLORMSGBOX;
            LRESULT lResult = 0;
            BOOL bResult = CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, &lResult);
            if (bResult && lResult != 0)
            {
                if (pResult != NULL)
                    *pResult = lResult;
                return TRUE;
            }
            return FALSE;
        }
        break;
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Default handlers

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnTimer(UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
UINT CWnd::OnNcHitTest(CPoint) { return (UINT)Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }
void CWnd::OnChildActivate() { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnEnterMenuLoop(BOOL) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnWinIniChange(LPCTSTR) { Default(); }
void CWnd::OnDevModeChange(LPTSTR) { Default(); }
void CWnd::OnFontChange() { Default(); }
void CWnd::OnTimeChange() { Default(); }
BOOL CWnd::OnQueryEndSession() { return (BOOL)Default(); }
void CWnd::OnEndSession(BOOL) { Default(); }
BOOL CWnd::OnQueryNewPalette() { return (BOOL)Default(); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return (BOOL)Default(); }
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*) { return (BOOL)Default(); }

// Owner-drawn items: menus draw themselves, controls through reflection.
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS->CtlType == ODT_MENU)
    {
        CMenu* pMenu = CMenu::FromHandlePermanent((HMENU)lpDIS->hwndItem);
        if (pMenu != NULL)
        {
            pMenu->DrawItem(lpDIS);
            return;
        }
    }
    else if (ReflectLastMsg(lpDIS->hwndItem))
        return;
    Default();
}

// Measures an owner-drawn menu item through its menu, or a control's through the control.
void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS->CtlType == ODT_MENU)
    {
        // the menu is found through the current menu of the window
        CMenu* pMenu = NULL;
        const MSG* pMsg = &AfxGetThreadState()->m_lastSentMsg;
        HMENU hMenu = ::GetMenu(pMsg->hwnd);
        if (hMenu != NULL)
            pMenu = CMenu::FromHandlePermanent(hMenu);
        if (pMenu != NULL)
        {
            pMenu->MeasureItem(lpMIS);
            return;
        }
    }
    else
    {
        CWnd* pChild = GetDescendantWindow(lpMIS->CtlID, TRUE);
        if (pChild != NULL && pChild->SendChildNotifyLastMsg())
            return;
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCIS)
{
    LRESULT lResult;
    if (ReflectLastMsg(lpCIS->hwndItem, &lResult))
        return (int)lResult;
    return (int)Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDIS)
{
    if (ReflectLastMsg(lpDIS->hwndItem))
        return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult;
    if (pWnd != NULL && pWnd->SendChildNotifyLastMsg(&lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && ReflectLastMsg(((CWnd*)pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && ReflectLastMsg(((CWnd*)pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY))
    {
        if (ReflectLastMsg((HWND)lParam))
            return;
    }
    Default();
}

// System changes reach the main window; it passes them to all its descendants.
void CWnd::OnSysColorChange()
{
    if (!(GetStyle() & WS_CHILD))
        SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0L, TRUE, TRUE);
    Default();
}

void CWnd::OnSettingChange(UINT, LPCTSTR)
{
    if (!(GetStyle() & WS_CHILD))
    {
        const MSG* pMsg = &AfxGetThreadState()->m_lastSentMsg;
        SendMessageToDescendants(pMsg->message, pMsg->wParam, pMsg->lParam, TRUE, TRUE);
    }
    Default();
}

LRESULT CWnd::OnDisplayChange(WPARAM wParam, LPARAM lParam)
{
    if (!(GetStyle() & WS_CHILD))
        SendMessageToDescendants(WM_DISPLAYCHANGE, wParam, lParam, TRUE, TRUE);
    return Default();
}

// The last message: unsubclass, detach and let the object clean up.
void CWnd::OnNcDestroy()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
    {
        if (pThread->m_pMainWnd == this)
        {
            AfxPostQuitMessage(0);
            pThread->m_pMainWnd = NULL;
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = NULL;
    }

    WNDPROC pfnWndProc = (WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
    Default();
    if ((WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == pfnWndProc)
    {
        WNDPROC pfnSuper = *GetSuperWndProcAddr();
        if (pfnSuper != NULL)
            ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)pfnSuper);
    }
    Detach();
    PostNcDestroy();
}
