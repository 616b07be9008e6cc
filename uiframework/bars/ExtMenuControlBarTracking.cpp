// ExtMenuControlBarTracking.cpp - CExtMenuControlBar: tracking the top-level and system
// menus, keyboard mode, and the keys the frame passes to the bar.

#include "ExtMenuControlBar.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "afxpriv.h"

namespace
{

bool IsDroppedCombo(HWND hWnd)
{
    for (HWND h = hWnd; h != NULL; h = ::GetParent(h))
    {
        char szClass[32] = { 0 };
        ::GetClassNameA(h, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, "ComboBox") == 0)
            return ::SendMessageA(h, CB_GETDROPPEDSTATE, 0, 0) != 0;
        if ((::GetWindowLongA(h, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return false;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Tracking

BOOL CExtMenuControlBar::TrackButtonMenu(int nIndex, BOOL bSelectFirst, BOOL, BOOL bNoAnimation)
{
    if (g_bMenuTracking && m_nTrackingIndex == nIndex && nIndex >= 0)
        return TRUE;
    if (m_hWnd == NULL || !IsWindowVisible())
        return FALSE;
    LeaveKeyboardMode(false);
    PostMessage(g_nMsgTrackButtonMenu, (WPARAM)nIndex,
                (LPARAM)((bNoAnimation ? 1 : 0) | (bSelectFirst ? 2 : 0)));
    return TRUE;
}

// The posted open request: opens the menu when asked or while menus track, else keyboard mode.
void CExtMenuControlBar::OnTrackButtonMenuMsg(WPARAM wParam, LPARAM lParam)
{
    CFrameWnd* pFrame = GetParentFrame();
    if ((pFrame != NULL && !pFrame->IsWindowEnabled()) || GetButtonCount() == 0)
        return;
    int nIndex = (int)wParam;
    CExtBarButton* pTBB = GetButton(nIndex);
    if (pTBB == NULL)
    {
        LeaveKeyboardMode();
        EndAllButtonTracking();
        return;
    }
    bool bOpen = pTBB->IsMenuButton() && ((lParam & 2) != 0 || g_bMenuTracking ||
                                          CExtPopupMenuWnd::IsTrackingActive());
    if (bOpen)
    {
        CExtToolControlBar::TrackButtonMenu(nIndex, TRUE, FALSE, (lParam & 1) != 0);
        return;
    }
    EnterKeyboardMode(nIndex);
}

// Ends tracking, cancels the focus window's mode and highlights button nIndex for the arrows.
void CExtMenuControlBar::EnterKeyboardMode(int nIndex)
{
    EndAllButtonTracking();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (!m_bKeyboardMode)
    {
        HWND hWndFocus = ::GetFocus();
        if (hWndFocus != NULL)
            ::SendMessageA(hWndFocus, WM_CANCELMODE, 0, 0);
    }
    m_bKeyboardMode = true;
    m_nKeyboardIndex = nIndex;
    SyncKeyboardSelection(TRUE);
}

void CExtMenuControlBar::LeaveKeyboardMode(bool bRedraw)
{
    if (!m_bKeyboardMode && m_nKeyboardHighlight < 0)
        return;
    m_bKeyboardMode = false;
    SyncKeyboardSelection(bRedraw ? TRUE : FALSE);
}

// Moves the keyboard highlight to m_nKeyboardIndex or clears it; closes a dropped combo box first.
void CExtMenuControlBar::SyncKeyboardSelection(BOOL bRedraw)
{
    if (m_nKeyboardHighlight < 0 && m_nKeyboardIndex < 0)
        m_bKeyboardMode = false;
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus != NULL && IsDroppedCombo(hWndFocus))
    {
        for (HWND h = hWndFocus; h != NULL; h = ::GetParent(h))
        {
            char szClass[32] = { 0 };
            ::GetClassNameA(h, szClass, sizeof(szClass));
            if (lstrcmpiA(szClass, "ComboBox") == 0)
            {
                ::SendMessageA(h, CB_SHOWDROPDOWN, FALSE, 0);
                break;
            }
        }
    }
    if (m_bKeyboardMode)
    {
        CExtBarButton* pOld = GetButton(m_nKeyboardHighlight);
        if (pOld != NULL && m_nKeyboardHighlight != m_nKeyboardIndex)
        {
            pOld->ModifyStyle(0, CExtBarButton::BS_PRESSED | CExtBarButton::BS_CHECKED);
            if (bRedraw)
                pOld->RedrawButton();
        }
        CExtBarButton* pNew = GetButton(m_nKeyboardIndex);
        if (pNew != NULL)
        {
            pNew->ModifyStyle(CExtBarButton::BS_PRESSED, 0);
            if (bRedraw)
                pNew->RedrawButton();
        }
        m_nKeyboardHighlight = m_nKeyboardIndex;
    }
    else
    {
        CExtBarButton* pOld = GetButton(m_nKeyboardHighlight);
        if (pOld != NULL && m_nKeyboardHighlight != m_nTrackingIndex)
        {
            pOld->ModifyStyle(0, CExtBarButton::BS_PRESSED);
            if (bRedraw)
                pOld->RedrawButton();
        }
        m_nKeyboardHighlight = m_nKeyboardIndex = -1;
    }
    if (bRedraw && m_hWnd != NULL)
        UpdateWindow();
}

// Shows pWnd's system menu as a framework popup; a popup that cannot track is deleted here.
BOOL CExtMenuControlBar::TrackSystemMenu(CWnd* pWnd, POINT* pt, BOOL bSelectFirst,
                                         RECT* pExclude, int nAlign, BOOL bPaintButton)
{
    LeaveKeyboardMode();
    if (pWnd == NULL || pWnd->m_hWnd == NULL)
        return FALSE;
    HMENU hSysMenu = ::GetSystemMenu(pWnd->m_hWnd, FALSE);
    if (hSysMenu == NULL)
        return FALSE;
    if (nAlign == -1)
        nAlign = 6;
    bool bWasTracking = g_bMenuTracking != FALSE;
    int nTracking = m_nTrackingIndex;
    EndAllButtonTracking();
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->UpdateFromHMENU(pWnd->m_hWnd, hSysMenu, false, true))
    {
        delete pPopup;
        return FALSE;
    }
    CPoint ptTrack;
    if (pt != NULL)
        ptTrack = *pt;
    else
    {
        ptTrack = CPoint(0, 0);
        pWnd->ClientToScreen(&ptTrack);
        ptTrack.x += ::GetSystemMetrics(SM_CXFRAME);
    }
    DWORD dwFlags = (DWORD)nAlign | 0x820 | (bWasTracking ? 0x100 : 0);
    if (bSelectFirst)
        dwFlags |= 0x40;
    pWnd->SetFocus();
    if (nTracking >= 0 && bPaintButton)
        SetTrackingButton(nTracking);
    CExtBarButton* pTBB = bPaintButton ? GetButton(nTracking) : NULL;
    if (!pPopup->StartTracking(dwFlags, ptTrack.x, ptTrack.y, pExclude, pTBB,
                               pTBB != NULL ? CExtBarButton::stat_PaintButtonInPopup : NULL,
                               NULL, pTBB != NULL))
    {
        // the popup stays ours when it could not track
        delete pPopup;
        EndAllButtonTracking();
        return FALSE;
    }
    g_bMenuTracking = TRUE;
    m_bSystemMenuTracking = true;
    return TRUE;
}

// Opens the top-level frame's system menu (Alt+Space, the frame's caption icon).
BOOL CExtMenuControlBar::TrackFrameSystemMenu(POINT* pt, BOOL bSelectFirst)
{
    if ((m_dwMenuBarFlags & MBF_FRAME_SYSMENU) == 0)
        return FALSE;
    CFrameWnd* pFrame = GetHostFrame();
    CWnd* pTop = pFrame != NULL ? pFrame->GetTopLevelFrame() : GetTopLevelParent();
    if (pTop == NULL)
        return FALSE;
    g_bMenuTracking = TRUE;
    SetTrackingButton(-1);
    if (!TrackSystemMenu(pTop, pt, bSelectFirst, NULL, -1, FALSE))
        return FALSE;
    m_nSystemMenuKind = 1;
    return TRUE;
}

// Opens the active child's system menu, through the document button when the child is maximised.
BOOL CExtMenuControlBar::TrackMdiChildSystemMenu(POINT* pt, BOOL bSelectFirst)
{
    if ((m_dwMenuBarFlags & MBF_CHILD_SYSMENU) == 0 || !IsMdiMode())
        return FALSE;
    CExtBarButton* pFirst = GetButton(0);
    if (pFirst != NULL && pFirst->GetRuntimeClass() == RUNTIME_CLASS(CExtBarMdiDocButton))
    {
        HWND hWndFocus = ::GetFocus();
        if (hWndFocus != NULL)
            ::SendMessageA(hWndFocus, WM_CANCELMODE, 0, 0);
        CRect rc = pFirst->GetDisplayRect();
        pFirst->TrackButtonPopup(rc.CenterPoint(), bSelectFirst, TRUE);
        if (m_bSystemMenuTracking)
            m_nSystemMenuKind = 2;
        return m_bSystemMenuTracking ? TRUE : FALSE;
    }
    HWND hWndChild = GetActiveMdiChild();
    if (hWndChild == NULL)
        return FALSE;
    if (!TrackSystemMenu(CWnd::FromHandle(hWndChild), pt, bSelectFirst, NULL, -1, FALSE))
        return FALSE;
    m_nSystemMenuKind = 2;
    return TRUE;
}

// Left or Right past an open menu: the menus, the child's and the frame's system menu in a ring.
void CExtMenuControlBar::MoveMenu(bool bNext)
{
    int nSysKind = GetSystemMenuKind();
    int nCount = GetButtonCount();
    // the top-level menus in bar order (the document button counts as the child's menu)
    int nFirst = -1, nLast = -1;
    for (int i = 0; i < nCount; i++)
    {
        CExtBarButton* pTBB = m_arrButtons[i];
        if (!pTBB->IsMenuButton() || pTBB == m_pExpandButton || !pTBB->IsVisible() ||
            pTBB->GetRuntimeClass() == RUNTIME_CLASS(CExtBarMdiDocButton))
            continue;
        if (nFirst < 0)
            nFirst = i;
        nLast = i;
    }
    HWND hWndChild = IsMdiMode() ? GetActiveMdiChild() : NULL;
    if (nSysKind == 1)
    {
        if (bNext)
        {
            if (hWndChild != NULL)
                TrackMdiChildSystemMenu(NULL, TRUE);
            else if (nFirst >= 0)
                CExtToolControlBar::TrackButtonMenu(nFirst, TRUE, FALSE, TRUE);
        }
        else if (nLast >= 0)
            CExtToolControlBar::TrackButtonMenu(nLast, TRUE, FALSE, TRUE);
        return;
    }
    if (nSysKind == 2)
    {
        if (bNext && nFirst >= 0)
            CExtToolControlBar::TrackButtonMenu(nFirst, TRUE, FALSE, TRUE);
        else if (!bNext)
            TrackFrameSystemMenu(NULL, TRUE);
        return;
    }
    int nCur = m_nTrackingIndex;
    if (nCur < 0)
        return;
    if (bNext && nCur >= nLast)
    {
        TrackFrameSystemMenu(NULL, TRUE);
        return;
    }
    if (!bNext && nCur <= nFirst)
    {
        if (hWndChild != NULL)
            TrackMdiChildSystemMenu(NULL, TRUE);
        else
            TrackFrameSystemMenu(NULL, TRUE);
        return;
    }
    int nNew = nCur;
    for (int i = nCur + (bNext ? 1 : -1); i >= nFirst && i <= nLast; i += bNext ? 1 : -1)
    {
        CExtBarButton* pTBB = m_arrButtons[i];
        if (pTBB->IsMenuButton() && pTBB->IsVisible() && pTBB != m_pExpandButton &&
            pTBB->GetRuntimeClass() != RUNTIME_CLASS(CExtBarMdiDocButton))
        {
            nNew = i;
            break;
        }
    }
    if (nNew != nCur)
        CExtToolControlBar::TrackButtonMenu(nNew, TRUE, FALSE, TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// Keyboard

// What the key handlers of PreTranslateFrameMessage read of one key message.
struct CExtMenuControlBar::FrameKey_t
{
    MSG* pMsg;
    UINT nVK;
    bool bUp, bSysKey, bAlt, bCtrl, bShift;
    bool bBlocked;   // button input blocked
    bool bPreview;   // the frame shows a print preview
    bool bCombo;     // the focus is a dropped combo box
};

// The bar's keys: Alt alone, Alt+Space, Alt+minus, mnemonics and the keys of keyboard mode.
BOOL CExtMenuControlBar::PreTranslateFrameMessage(MSG* pMsg)
{
    if (m_hWnd == NULL || pMsg == NULL)
        return FALSE;
    UINT nMsg = pMsg->message;
    if (nMsg == WM_ACTIVATE || nMsg == WM_SETFOCUS || nMsg == WM_KILLFOCUS ||
        nMsg == WM_ACTIVATEAPP)
    {
        g_bIgnoreAltUp = TRUE;
        return FALSE;
    }
    bool bBlocked = IsButtonInputBlocked();
    if (IsMdiMode())
    {
        UINT nCmd = LOWORD(pMsg->wParam);
        if ((nMsg == WM_COMMAND &&
             ((nCmd >= ID_WINDOW_NEW && nCmd <= ID_WINDOW_SPLIT) || nCmd == ID_NEXT_PANE ||
              nCmd == ID_PREV_PANE)) ||
            (nMsg >= WM_MDIACTIVATE && nMsg <= WM_MDIICONARRANGE))
        {
            if (bBlocked)
                return TRUE;
        }
    }
    bool bPreview = IsFrameInPrintPreview();
    bool bCombo = IsDroppedCombo(::GetFocus());
    if (nMsg == WM_COMMAND)
    {
        if (HIWORD(pMsg->wParam) == 0 && pMsg->lParam == 0)
            g_bIgnoreAltUp = (::GetKeyState(VK_MENU) & 0x8000) != 0;
        return FALSE;
    }
    if (nMsg == WM_CONTEXTMENU)
        return (g_bMenuTracking || m_bKeyboardMode || bBlocked) ? TRUE : FALSE;
    bool bKeyMsg = nMsg == WM_KEYDOWN || nMsg == WM_KEYUP || nMsg == WM_SYSKEYDOWN ||
                   nMsg == WM_SYSKEYUP;
    if (!bKeyMsg)
    {
        bool bMouse = (nMsg >= WM_LBUTTONDOWN && nMsg <= WM_MOUSELAST && nMsg != WM_MOUSEMOVE) ||
                      (nMsg >= WM_NCLBUTTONDOWN && nMsg <= WM_NCMBUTTONDBLCLK);
        if (m_bKeyboardMode && bMouse)
            LeaveKeyboardMode();
        return FALSE;
    }
    FrameKey_t key;
    key.pMsg = pMsg;
    key.bUp = nMsg == WM_KEYUP || nMsg == WM_SYSKEYUP;
    key.bSysKey = nMsg == WM_SYSKEYDOWN || nMsg == WM_SYSKEYUP;
    key.nVK = (UINT)pMsg->wParam;
    key.bAlt = (pMsg->lParam & (1 << 29)) != 0 || (::GetKeyState(VK_MENU) & 0x8000) != 0;
    key.bCtrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    key.bShift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    key.bBlocked = bBlocked;
    key.bPreview = bPreview;
    key.bCombo = bCombo;
    return PreTranslateFrameKey(key);
}

// Sends a key message to the handler of its kind; TRUE eats it, FALSE lets it pass on.
BOOL CExtMenuControlBar::PreTranslateFrameKey(const FrameKey_t& key)
{
    const UINT nVK = key.nVK;
    if (nVK == VK_MENU && !key.bCtrl && !key.bShift)
        return OnFrameAltKey(key);
    if (nVK == VK_F10 && !key.bAlt && !key.bCtrl && !key.bShift)
        return OnFrameF10Key(key);
    if (key.bAlt && !key.bCtrl && !m_bHostedOutside &&
        (nVK == VK_SPACE ||
         (IsMdiMode() && key.bSysKey && (nVK == VK_OEM_MINUS || nVK == VK_SUBTRACT))))
        return OnFrameSystemMenuKey(key);
    if (key.bPreview || key.bCombo)
        return FALSE;
    bool bNavKey = nVK == VK_RETURN || nVK == VK_ESCAPE || nVK == VK_LEFT || nVK == VK_RIGHT ||
                   nVK == VK_UP || nVK == VK_DOWN;
    if (key.bAlt || (m_bKeyboardMode && !bNavKey))
        return OnFrameMnemonicKey(key);
    if (m_bKeyboardMode && !key.bBlocked)
        return OnKeyboardModeKey(key);
    return FALSE;
}

// Alt alone: its release opens the first menu, unless another key, a command or a menu
// came between its press and release; in keyboard mode it leaves the mode.
BOOL CExtMenuControlBar::OnFrameAltKey(const FrameKey_t& key)
{
    if (key.bBlocked)
        return TRUE;
    if (key.bPreview || key.bCombo)
        return FALSE;
    if (m_bKeyboardMode)
    {
        if (key.bUp)
            LeaveKeyboardMode();
        return TRUE;
    }
    if (!key.bUp)
    {
        g_bIgnoreAltUp = FALSE;
        return FALSE;
    }
    if (g_bIgnoreAltUp || g_bMenuTracking || CExtPopupMenuWnd::IsTrackingActive())
    {
        g_bIgnoreAltUp = FALSE;
        return FALSE;
    }
    CFrameWnd* pFrame = GetHostFrame();
    if (pFrame != NULL && (pFrame->GetStyle() & WS_CHILD))
    {
        HWND hWndFore = ::GetForegroundWindow();
        if (hWndFore != pFrame->m_hWnd && !::IsChild(pFrame->m_hWnd, hWndFore))
            return FALSE;
    }
    g_bMenuExpanded = FALSE;
    TrackButtonMenu(GetFirstMenuIndex());
    return TRUE;
}

// F10 alone does what Alt alone does, on its release; its press is eaten.
BOOL CExtMenuControlBar::OnFrameF10Key(const FrameKey_t& key)
{
    if (key.bBlocked)
        return TRUE;
    if (key.bPreview || key.bCombo)
        return FALSE;
    if (!key.bUp)
        return TRUE;
    if (m_bKeyboardMode)
    {
        LeaveKeyboardMode();
        return TRUE;
    }
    if (g_bMenuTracking || CExtPopupMenuWnd::IsTrackingActive())
        return TRUE;
    g_bMenuExpanded = FALSE;
    TrackButtonMenu(GetFirstMenuIndex());
    return TRUE;
}

// Alt+Space opens the frame's system menu, Alt+minus the active MDI child's; neither
// while a popup window of the program is active.
BOOL CExtMenuControlBar::OnFrameSystemMenuKey(const FrameKey_t& key)
{
    if (key.bUp || key.bBlocked)
        return TRUE;
    CFrameWnd* pFrame = GetHostFrame();
    HWND hWndActive = ::GetActiveWindow();
    if (pFrame != NULL && hWndActive != pFrame->m_hWnd &&
        (::GetWindowLongA(hWndActive, GWL_STYLE) & WS_POPUP) != 0)
        return FALSE;
    g_bMenuExpanded = FALSE;
    LeaveKeyboardMode();
    if (key.nVK == VK_SPACE)
    {
        TrackFrameSystemMenu(NULL, TRUE);
        return TRUE;
    }
    if (GetActiveMdiChild() == NULL)
    {
        g_bIgnoreAltUp = TRUE;
        return TRUE;
    }
    TrackMdiChildSystemMenu(NULL, TRUE);
    return TRUE;
}

// Alt+letter (or a letter in keyboard mode) opens the menu or runs the button of that
// mnemonic, on this bar or another menu bar of the same frame; an unknown letter passes on.
BOOL CExtMenuControlBar::OnFrameMnemonicKey(const FrameKey_t& key)
{
    if (key.bUp)
        return TRUE;
    const MSG* pMsg = key.pMsg;
    BYTE ks[256] = { 0 };
    WORD wChar = 0;
    UINT nScan = (UINT)((pMsg->lParam >> 16) & 0xFF);
    int nChars = ::ToAsciiEx(key.nVK, nScan, ks, &wChar, 0, ::GetKeyboardLayout(0));
    if (nChars <= 0)
    {
        g_bIgnoreAltUp = TRUE;
        return m_bKeyboardMode ? TRUE : FALSE;
    }
    TCHAR ch = (TCHAR)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)wChar);
    CExtMenuControlBar* pFound = NULL;
    int nFound = FindButtonByMnemonic(ch);
    if (nFound >= 0)
        pFound = this;
    else
    {
        CSingleLock lock(&g_csAllBars, TRUE);
        for (INT_PTR i = 0; i < g_arrAllBars.GetSize() && pFound == NULL; i++)
        {
            CExtMenuControlBar* pOther = DYNAMIC_DOWNCAST(CExtMenuControlBar, g_arrAllBars[i]);
            if (pOther == NULL || pOther == this || pOther->m_hWnd == NULL)
                continue;
            bool bSame = m_bHostedOutside
                             ? (pOther->GetParent() == GetParent() && pOther->IsWindowVisible())
                             : pOther->m_pDockSite == m_pDockSite;
            if (!bSame)
                continue;
            int n = pOther->FindButtonByMnemonic(ch);
            if (n >= 0)
            {
                pFound = pOther;
                nFound = n;
            }
        }
    }
    if (pFound == NULL)
    {
        g_bIgnoreAltUp = TRUE;
        return FALSE;
    }
    CExtBarButton* pTBB = pFound->GetButton(nFound);
    if (pTBB->IsMenuButton())
    {
        HWND hWndFocus = ::GetFocus();
        if (hWndFocus != NULL)
            ::SendMessageA(hWndFocus, WM_CANCELMODE, 0, 0);
        pFound->LeaveKeyboardMode();
        pFound->TrackButtonMenu(nFound, TRUE, FALSE,
                                (pFound->m_dwMenuBarFlags & MBF_KEYBOARD_NO_ANIMATION) != 0);
    }
    else
    {
        pFound->LeaveKeyboardMode();
        pTBB->DeliverCommand();
    }
    return TRUE;
}

// The navigation keys of keyboard mode: Enter or an arrow across opens the highlighted
// menu, Enter runs a command button, Esc leaves, left and right move; all are eaten.
BOOL CExtMenuControlBar::OnKeyboardModeKey(const FrameKey_t& key)
{
    if (key.bUp)
        return TRUE;
    const UINT nVK = key.nVK;
    CExtBarButton* pTBB = GetButton(m_nKeyboardIndex);
    switch (nVK)
    {
    case VK_RETURN:
    case VK_UP:
    case VK_DOWN:
        if (pTBB != NULL && pTBB->IsMenuButton())
        {
            int nIndex = m_nKeyboardIndex;
            LeaveKeyboardMode(false);
            CExtToolControlBar::TrackButtonMenu(
                nIndex, TRUE, FALSE, (m_dwMenuBarFlags & MBF_KEYBOARD_NO_ANIMATION) != 0);
        }
        else if (pTBB != NULL && nVK == VK_RETURN && pTBB->IsPlainCommandButton())
        {
            LeaveKeyboardMode();
            pTBB->DeliverCommand();
        }
        break;
    case VK_ESCAPE:
        LeaveKeyboardMode();
        break;
    case VK_LEFT:
    case VK_RIGHT:
    {
        int nNext = GetNextMenuButton(m_nKeyboardIndex, nVK == VK_RIGHT, TRUE);
        if (nNext >= 0)
        {
            m_nKeyboardIndex = nNext;
            SyncKeyboardSelection(TRUE);
        }
        break;
    }
    default:
        break;
    }
    return TRUE;
}
