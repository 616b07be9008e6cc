// ExtPopupSupport.cpp - small routines of the popup menu shared with the bars, and the
// cursors of the bars and tab windows.

#include "stdafx.h"
#include "ExtPopupSupport.h"
#include "ExtPopupMenuWnd.h"

HCURSOR g_hCursorArrow = ::LoadCursor(NULL, IDC_ARROW);
HCURSOR g_hCursorDrag = ::LoadCursor(NULL, IDC_SIZEALL);
HCURSOR g_hCursorResizeV = ::LoadCursor(NULL, IDC_SIZENS);
HCURSOR g_hCursorResizeH = ::LoadCursor(NULL, IDC_SIZEWE);
HCURSOR g_hCursorTabArrow = ::LoadCursor(NULL, IDC_ARROW);

namespace
{

bool IsComparedAncestor(HWND hWnd)
{
    DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, GWL_STYLE);
    return (dwStyle & (WS_POPUP | WS_VISIBLE)) != 0;
}

} // namespace

// Whether an ancestor of hWnd (hWnd itself is never compared) is hWndOther or one of the
// popup or visible windows of hWndOther's parent chain.
bool CExtPopupMenuWnd::AreWindowsRelated(HWND hWnd, HWND hWndOther, bool bBothEnabled,
                                         bool bBothVisible, bool bFalseWhileTracking)
{
    if (bFalseWhileTracking && IsTrackingActive())
        return false;
    if (hWnd == NULL || hWndOther == NULL || !::IsWindow(hWnd) || !::IsWindow(hWndOther))
        return false;
    if (bBothEnabled && (!::IsWindowEnabled(hWnd) || !::IsWindowEnabled(hWndOther)))
        return false;
    if (bBothVisible
        && ((::GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE) == 0
            || (::GetWindowLongA(hWndOther, GWL_STYLE) & WS_VISIBLE) == 0))
        return false;
    for (HWND hAncestor = ::GetParent(hWnd); hAncestor != NULL;
         hAncestor = ::GetParent(hAncestor))
    {
        if (!IsComparedAncestor(hAncestor))
            continue;
        if (hAncestor == hWndOther)
            return true;
        for (HWND hOther = hWndOther; hOther != NULL; hOther = ::GetParent(hOther))
        {
            if (hOther == hAncestor && IsComparedAncestor(hOther))
                return true;
        }
    }
    return false;
}

bool CExtPopupMenuWnd::IsModifierKeyDown(LPARAM lParam)
{
    if ((lParam & (1 << 29)) != 0)
        return true;
    static const int s_arrKeys[] = { VK_MENU, VK_RMENU, VK_LMENU, VK_CONTROL, VK_RCONTROL,
                                     VK_LCONTROL, VK_SHIFT, VK_RSHIFT, VK_LSHIFT };
    for (int nKey : s_arrKeys)
    {
        if ((::GetKeyState(nKey) & 0x8000) != 0)
            return true;
    }
    return false;
}

void CExtPopupMenuWnd::BringChainToTop(CWnd* pWndInsertAfter)
{
    if (GetSafeHwnd() == NULL)
        return;
    SetWindowPos(pWndInsertAfter != NULL ? pWndInsertAfter : &CWnd::wndTopMost, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE);
    {
        CClientDC dc(this);
        PaintContent(dc, true);
    }
    if (m_pWndParentMenu != NULL)
        m_pWndParentMenu->BringChainToTop(this);
}

void CExtPopupMenuWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CExtPopupBaseWnd::OnShowWindow(bShow, nStatus);
    if (GetSafeHwnd() == NULL || !IsContinuedTracking() || !bShow)
        return;
    CClientDC dc(this);
    PaintContent(dc, true);
}
