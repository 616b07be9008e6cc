// Frames, a toolbar of fixed button sizes and command set-up for the toolbar, menu bar and
// status bar tests.
#pragma once

#include "afxwin.h"
#include "window_test_environment.h"
#include "uiframework/bars/ExtControlBar.h"
#include "uiframework/bars/ExtToolControlBar.h"
#include "uiframework/bars/ExtStatusControlBar.h"
#include "uiframework/foundation/ExtCmdManager.h"
#include "uiframework/foundation/ExtCmdItem.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "tools_resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>


// The colour with which filled buttons paint their whole display rectangle.
const COLORREF g_clrFilledButton = RGB(0, 0, 255);

// A button whose size comes from the test, not from its icon and text; a filled one paints
// its whole display rectangle in g_clrFilledButton.
class CFixedSizeButton : public CExtBarButton
{
public:
    CFixedSizeButton(CExtToolControlBar* pBar, UINT nCmdID, int nLength, bool bFilled = false)
        : CExtBarButton(pBar, nCmdID, 0), m_nLength(nLength), m_bFilled(bFilled) {}
    CSize CalcSize(CDC& dc, CSize sizeDefault, BOOL bHorz) override;
    void Paint(CDC& dc, BOOL bHorz) override;
    int m_nLength;
    bool m_bFilled;
};

// A button of the bar's own measure that paints its whole display rectangle in
// g_clrFilledButton.
class CFilledButton : public CExtBarButton
{
public:
    CFilledButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
        : CExtBarButton(pBar, nCmdID, nStyle) {}
    void Paint(CDC& dc, BOOL bHorz) override;
};

// A toolbar whose buttons are 24 pixels long (a few longer ones by id).
class CFixedToolBar : public CExtToolControlBar
{
public:
    std::map<UINT, int> m_lengths;      // id -> length along the row (default 24)
    bool m_bFilledButtons = false;      // new buttons are filled ones
    CExtBarButton* CreateButton(UINT nCmdID, UINT nStyle) override;
};

// Whether the last pixel row (bHorz) or column of the button's rectangle shows the button's
// fill in the bar's window, and the rectangle lies inside the bar's client area.
::testing::AssertionResult FilledButtonShowsWhole(CExtToolControlBar* pBar, int nIndex);

// The frame of the toolbar and status bar tests: counts commands and status texts; its
// update handlers follow the members below.
class CToolsFrame : public CFrameWnd
{
public:
    std::vector<UINT> m_commands;
    std::vector<WPARAM> m_messageStrings;
    bool m_bBoldChecked = false;
    bool m_bCutEnabled = true;
    bool m_bCancelMenus = false;        // popups opening for this frame are refused
    int m_nPrepareMenus = 0;
    BOOL CreateToolsFrame(CRect rc = CRect(10, 10, 810, 610));
    CRect ChildRect(CWnd* pWnd);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    afx_msg LRESULT OnSetMessageStringMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrepareMenu(WPARAM wParam, LPARAM lParam);
    CWnd m_wndPane;
    DECLARE_MESSAGE_MAP()
};

// Registers the test commands (texts, tips, status texts) in the profile of the window.
void RegisterToolCommands(HWND hWnd);

class ToolsTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A fixed toolbar with the ids (0 = separator), docked at the dock bar nDockID.
    CFixedToolBar* NewToolBar(UINT nBarID, const std::vector<UINT>& ids, UINT nDockID);
    // Sends a mouse message to the bar at the client point.
    void Mouse(CWnd* pWnd, UINT nMsg, CPoint pt);
    // The centre of a button in its bar.
    CPoint Centre(CExtToolControlBar* pBar, int nIndex);

    CWinApp* m_pApp = NULL;
    CToolsFrame* m_pFrame = NULL;
    std::vector<CExtToolControlBar*> m_toolbars;
};

// Presses the bar's gripper, moves the mouse by the offsets from the press point (along
// the row, or in both directions) and releases, all as posted input that the bar's own
// drag loop takes.
void DragGripper(CExtToolControlBar* pBar, const std::vector<int>& offsets);
void DragGripperBy(CExtToolControlBar* pBar, const std::vector<CPoint>& offsets);
// The screen point where DragGripper presses the bar's gripper.
CPoint GripperPoint(CExtToolControlBar* pBar);

// A toolbar of the tools resource docked in the frame's top row (the bar is added to owned,
// which the test deletes); NULL when it cannot be made.
CExtToolControlBar* NewRowToolBar(CToolsFrame* pFrame, UINT nID, std::vector<CExtToolControlBar*>& owned);
// Buttons in the toolbar's chevron list; -1 without a chevron.
int HiddenButtonCount(CExtToolControlBar* pBar);

// Input through the system's queue, as a user gives it, and the pumping that handles it.
// Dispatches for nMs milliseconds; a message the popup's hooks take leaves no wait behind.
void PumpForMs(DWORD nMs);
// Dispatches until pred() holds (10 s at most); answers pred().
bool PumpUntil(const std::function<bool()>& pred);
void SendMouseInput(DWORD dwFlags);
// Moves the cursor to a screen point with a mouse move.
void MoveMouseTo(CPoint ptScreen);
// A left press and release at a screen point.
void ClickAt(CPoint ptScreen);
// A key press and release, with Shift held around them when asked.
void SendKey(WORD wVk, bool bShift = false);
// The tracked root popup once it is shown and its opening animation has ended.
CExtPopupMenuWnd* ShownRootPopup();
