// The fixture of the row and column resizing tests: two resizable bars docked at the top
// in rows of their own, and the input that drives the resizing loop.
#pragma once

#include "uibars_support.h"

inline CRect WindowRect(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

// Presses the bar's row strip; the loop runs until a queued message ends it.
inline void PressRowStrip(CExtControlBar* pBar)
{
    CRect rcWnd = WindowRect(pBar);
    CPoint pt = rcWnd.TopLeft() + pBar->m_rcRowResizer.CenterPoint();
    pBar->SendMessage(WM_NCLBUTTONDOWN, HTBOTTOM, MAKELPARAM(pt.x, pt.y));
}

inline void PostMouseMoveToScreen(CExtControlBar* pBar, CPoint ptScreen)
{
    CPoint pt(ptScreen);
    pBar->ScreenToClient(&pt);
    pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
}

class UiBarsResizeTest : public UiBarsTest
{
protected:
    void SetUp() override
    {
        UiBarsTest::SetUp();
        m_pTop = NewBar(0xE8A0, "Top");
        m_pInner = NewBar(0xE8A1, "Inner");
        ASSERT_TRUE(m_pTop->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
        ASSERT_TRUE(m_pInner->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
        ASSERT_FALSE(m_pTop->m_rcRowResizer.IsRectEmpty());
    }

    CTestResizableBar* m_pTop = NULL;
    CTestResizableBar* m_pInner = NULL;
};
