// Helpers of the drag and floating frame tests: posted mouse input and a fixed-size bar.
#pragma once

#include "../uibars/uibars_support.h"
#include "uiframework/bars/ExtMiniDockFrameWnd.h"

// Posts a mouse message to the window at a screen point (converted to client coordinates).
void PostMouseAt(CWnd* pWnd, UINT nMsg, CPoint ptScreen, WPARAM wParam = MK_LBUTTON);
// Holds or releases Ctrl in the thread's key state.
void SetCtrlHeld(bool bHeld);
// The screen rectangle of a window.
CRect ScreenRect(CWnd* pWnd);
// The area between the frame-edge dock bars (screen).
CRect InnerDockingArea(CFrameWnd* pFrame);

// A fixed-size bar of a given size that moves live when dragged.
class CTestFixedBar : public CExtControlBar
{
public:
    CTestFixedBar(int nLength = 120, int nThickness = 26);
    BOOL CreateTestBar(CFrameWnd* pFrame, UINT nID);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    CSize GetMinDockedSize() override;
    int m_nLength, m_nThickness;
};
