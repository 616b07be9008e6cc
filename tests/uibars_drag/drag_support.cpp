#include "drag_support.h"

void PostMouseAt(CWnd* pWnd, UINT nMsg, CPoint pt, WPARAM wParam)
{
    ::ScreenToClient(pWnd->m_hWnd, &pt);
    ::PostMessageA(pWnd->m_hWnd, nMsg, wParam, MAKELPARAM((short)pt.x, (short)pt.y));
}

void SetCtrlHeld(bool bHeld)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = bHeld ? 0x80 : 0;
    keys[VK_LCONTROL] = bHeld ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

CRect ScreenRect(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

CRect InnerDockingArea(CFrameWnd* pFrame)
{
    CRect rcT = ScreenRect(pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
    CRect rcB = ScreenRect(pFrame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM));
    CRect rcL = ScreenRect(pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    CRect rcR = ScreenRect(pFrame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT));
    return CRect(rcL.right, rcT.bottom, rcR.left, rcB.top);
}

CTestFixedBar::CTestFixedBar(int nLength, int nThickness)
    : m_nLength(nLength), m_nThickness(nThickness)
{
    m_bFixedSize = true;
}

BOOL CTestFixedBar::CreateTestBar(CFrameWnd* pFrame, UINT nID)
{
    if (!Create("Fixed", pFrame, nID, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER |
                                          CBRS_SIZE_DYNAMIC))
        return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

CSize CTestFixedBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return bHorz ? CSize(m_nLength, m_nThickness) : CSize(m_nThickness, m_nLength);
}

CSize CTestFixedBar::CalcDynamicLayout(int, DWORD dwMode)
{
    bool bVert = (dwMode & LM_VERTDOCK) != 0 ||
                 ((dwMode & (LM_HORZDOCK | LM_HORZ)) == 0 && (m_dwStyle & CBRS_ORIENT_VERT) != 0 &&
                  !IsFloating());
    return CalcFixedLayout(FALSE, !bVert);
}

CSize CTestFixedBar::GetMinDockedSize()
{
    return CSize(m_nLength, m_nThickness);
}
