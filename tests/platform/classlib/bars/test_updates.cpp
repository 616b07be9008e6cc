// Idle updates and commands: toolbar buttons take their states from the
// update handlers (disabled without a handler), also on a floating bar; the
// status bar's panes take texts and states, the indicators follow the keys;
// the message pane shows the frame's prompts; a click on a button runs its
// command.

#include "bartest.h"
#include "key_input.h"

namespace
{

BOOL IsButtonEnabled(CToolBar& bar, UINT nID)
{
    return (BOOL)bar.SendMessage(TB_ISBUTTONENABLED, nID);
}

BOOL IsButtonChecked(CToolBar& bar, UINT nID)
{
    return (BOOL)bar.SendMessage(TB_ISBUTTONCHECKED, nID);
}

CString ControlPaneText(CStatusBar& bar, int nIndex)
{
    char szText[256] = "";
    int nLength = LOWORD(bar.SendMessage(SB_GETTEXTLENGTHA, (WPARAM)nIndex));
    if (nLength < (int)sizeof(szText))
        bar.SendMessage(SB_GETTEXTA, (WPARAM)nIndex, (LPARAM)szText);
    return szText;
}

} // namespace

TEST_F(BarsTest, IdleUpdateSetsTheButtonStates)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    // before any update every button is enabled
    EXPECT_TRUE(IsButtonEnabled(bar, ID_TEST_DELTA));
    EXPECT_TRUE(IsButtonEnabled(bar, ID_TEST_BETA));

    RunIdle();
    EXPECT_TRUE(IsButtonEnabled(bar, ID_TEST_ALPHA));     // a command handler
    EXPECT_FALSE(IsButtonEnabled(bar, ID_TEST_BETA));     // disabled by its update handler
    EXPECT_TRUE(IsButtonEnabled(bar, ID_TEST_GAMMA));     // an update handler that checks
    EXPECT_TRUE(IsButtonChecked(bar, ID_TEST_GAMMA));
    EXPECT_FALSE(IsButtonEnabled(bar, ID_TEST_DELTA));    // nobody handles it
    int nGamma = bar.CommandToIndex(ID_TEST_GAMMA);
    EXPECT_EQ((UINT)(TBBS_CHECKBOX | TBBS_CHECKED), bar.GetButtonStyle(nGamma) & (TBBS_CHECKBOX | TBBS_CHECKED));
    EXPECT_EQ(TBBS_DISABLED, bar.GetButtonStyle(bar.CommandToIndex(ID_TEST_BETA)) & TBBS_DISABLED);

    m_pFrame->m_nGammaCheck = 2;
    RunIdle();
    EXPECT_FALSE(IsButtonChecked(bar, ID_TEST_GAMMA));
    EXPECT_TRUE(bar.GetButtonStyle(nGamma) & TBBS_INDETERMINATE);
    m_pFrame->m_nGammaCheck = 0;
    RunIdle();
    EXPECT_EQ(0u, bar.GetButtonStyle(nGamma) & (TBBS_CHECKED | TBBS_INDETERMINATE));
}

TEST_F(BarsTest, HiddenBarsAreNotUpdated)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    m_pFrame->ShowControlBar(&bar, FALSE, FALSE);
    RunIdle();
    EXPECT_TRUE(IsButtonEnabled(bar, ID_TEST_BETA));
    m_pFrame->ShowControlBar(&bar, TRUE, FALSE);
    RunIdle();
    EXPECT_FALSE(IsButtonEnabled(bar, ID_TEST_BETA));
}

TEST_F(BarsTest, FloatingBarsAreUpdatedAgainstTheirFrame)
{
    CToolBar& bar = m_pFrame->m_wndToolBar2;
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->FloatControlBar(&bar, CPoint(350, 300));
    ASSERT_TRUE(bar.IsFloating());
    EXPECT_TRUE(IsButtonEnabled(bar, ID_TEST_BETA));
    RunIdle();
    // the frame's handlers decide, not the mini frame's
    EXPECT_TRUE(IsButtonEnabled(bar, ID_TEST_ALPHA));
    EXPECT_FALSE(IsButtonEnabled(bar, ID_TEST_BETA));
    EXPECT_TRUE(IsButtonChecked(bar, ID_TEST_GAMMA));
}

TEST_F(BarsTest, ClickingAButtonRunsItsCommand)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    RunIdle();
    CRect rect;
    bar.GetItemRect(bar.CommandToIndex(ID_TEST_ALPHA), rect);
    ASSERT_FALSE(rect.IsRectEmpty());
    CPoint pt = rect.CenterPoint();
    EXPECT_EQ((INT_PTR)ID_TEST_ALPHA, bar.OnToolHitTest(pt, NULL));
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpPendingMessages();
    EXPECT_EQ(1, m_pFrame->m_nAlpha);

    // the same through the frame's command routing, as the control sends it
    m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_ALPHA, BN_CLICKED), (LPARAM)bar.m_hWnd);
    EXPECT_EQ(2, m_pFrame->m_nAlpha);

    // a disabled button does nothing
    bar.GetItemRect(bar.CommandToIndex(ID_TEST_BETA), rect);
    pt = rect.CenterPoint();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpPendingMessages();
    EXPECT_EQ(2, m_pFrame->m_nAlpha);
}

TEST_F(BarsTest, StatusPanesTakeTheirTextsFromTheIndicatorStrings)
{
    CStatusBar& bar = m_pFrame->m_wndStatusBar;
    EXPECT_EQ(0, bar.CommandToIndex(ID_SEPARATOR));
    EXPECT_EQ(1, bar.CommandToIndex(ID_INDICATOR_ZOOM));
    EXPECT_EQ(-1, bar.CommandToIndex(ID_INDICATOR_SCRL));
    EXPECT_EQ((UINT)ID_INDICATOR_NUM, bar.GetItemID(4));
    EXPECT_STREQ("Zoom 100%", bar.GetPaneText(1));
    EXPECT_STREQ("CAP", bar.GetPaneText(3));
    EXPECT_STREQ("Zoom 100%", ControlPaneText(bar, 1));

    // the message pane stretches without borders; the others are as wide as their texts
    UINT nID, nStyle;
    int cxWidth;
    bar.GetPaneInfo(0, nID, nStyle, cxWidth);
    EXPECT_EQ((UINT)ID_SEPARATOR, nID);
    EXPECT_EQ((UINT)(SBPS_STRETCH | SBPS_NOBORDERS), nStyle);
    bar.GetPaneInfo(2, nID, nStyle, cxWidth);
    EXPECT_GT(cxWidth, 0);
    int cxCap;
    bar.GetPaneInfo(3, nID, nStyle, cxCap);
    EXPECT_LT(cxCap, cxWidth * 2);

    // panes sit side by side, the first takes the rest of the width
    CRect rect0, rect1, rect4, rectClient;
    bar.GetItemRect(0, rect0);
    bar.GetItemRect(1, rect1);
    bar.GetItemRect(4, rect4);
    bar.GetClientRect(rectClient);
    EXPECT_LE(rect0.right, rect1.left);
    EXPECT_GT(rect0.Width(), rectClient.Width() / 3);
    EXPECT_LE(rect4.right, rectClient.right);

    // a missing string fails the indicators
    static const UINT badIDs[] = { ID_SEPARATOR, 32999 };
    EXPECT_FALSE(bar.SetIndicators(badIDs, 2));
}

TEST_F(BarsTest, IdleUpdateSetsPaneTextsAndStates)
{
    CStatusBar& bar = m_pFrame->m_wndStatusBar;
    RunIdle();
    EXPECT_STREQ("Zoom 250%", bar.GetPaneText(1));
    EXPECT_STREQ("Zoom 250%", ControlPaneText(bar, 1));
    // a disabled pane keeps its text but shows none
    EXPECT_TRUE(bar.GetPaneStyle(2) & SBPS_DISABLED);
    EXPECT_STREQ("LOCK", bar.GetPaneText(2));
    EXPECT_STREQ("", ControlPaneText(bar, 2));
    m_pFrame->m_bLockEnabled = TRUE;
    m_pFrame->m_strZoom = "Zoom 50%";
    RunIdle();
    EXPECT_FALSE(bar.GetPaneStyle(2) & SBPS_DISABLED);
    EXPECT_STREQ("LOCK", ControlPaneText(bar, 2));
    EXPECT_STREQ("Zoom 50%", ControlPaneText(bar, 1));

    // the key indicators show while their keys are on
    BOOL bCaps = (::GetKeyState(VK_CAPITAL) & 1) != 0;
    BOOL bNum = (::GetKeyState(VK_NUMLOCK) & 1) != 0;
    EXPECT_EQ(!bCaps, (bar.GetPaneStyle(3) & SBPS_DISABLED) != 0);
    EXPECT_STREQ(bCaps ? "CAP" : "", ControlPaneText(bar, 3));
    EXPECT_EQ(!bNum, (bar.GetPaneStyle(4) & SBPS_DISABLED) != 0);
}

TEST_F(BarsTest, KeyIndicatorFollowsTheToggledKey)
{
    CStatusBar& bar = m_pFrame->m_wndStatusBar;
    BOOL bCapsBefore = (::GetKeyState(VK_CAPITAL) & 1) != 0;
    // toggle caps lock through the input queue of this thread
    m_pFrame->SetForegroundWindow();
    m_pFrame->SetFocus();
    if (!SendKeyStrokes({}, { VK_CAPITAL }))
        GTEST_SKIP() << "no keyboard input here";
    PumpPendingMessages();
    BOOL bCapsAfter = (::GetKeyState(VK_CAPITAL) & 1) != 0;
    if (bCapsAfter == bCapsBefore)
        GTEST_SKIP() << "the key state did not toggle";
    RunIdle();
    EXPECT_STREQ(bCapsAfter ? "CAP" : "", ControlPaneText(bar, 3));
    SendKeyStrokes({}, { VK_CAPITAL });     // back as it was
    PumpPendingMessages();
    RunIdle();
    EXPECT_STREQ(bCapsBefore ? "CAP" : "", ControlPaneText(bar, 3));
}

TEST_F(BarsTest, MessagePaneShowsTheFramesPrompts)
{
    CStatusBar& bar = m_pFrame->m_wndStatusBar;
    EXPECT_EQ(&bar, m_pFrame->GetMessageBar());
    m_pFrame->SetMessageText(ID_TEST_ALPHA);
    EXPECT_STREQ("Runs alpha", bar.GetPaneText(0));
    EXPECT_STREQ("Runs alpha", ControlPaneText(bar, 0));
    m_pFrame->SetMessageText("Printing page 2");
    CString strText;
    bar.GetWindowText(strText);
    EXPECT_STREQ("Printing page 2", strText);
    EXPECT_EQ(15, bar.GetWindowTextLength());
    m_pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_STREQ("Ready", bar.GetPaneText(0));

    // a status bar without a message pane refuses the text
    static const UINT ids[] = { ID_INDICATOR_CAPS };
    ASSERT_TRUE(bar.SetIndicators(ids, 1));
    EXPECT_FALSE(::SetWindowTextA(bar.m_hWnd, "lost"));
    EXPECT_STREQ("CAP", bar.GetPaneText(0));
}

TEST_F(BarsTest, PaneInfoAndTextsChangeTheControl)
{
    CStatusBar& bar = m_pFrame->m_wndStatusBar;
    CRect rectBefore;
    bar.GetItemRect(1, rectBefore);
    bar.SetPaneInfo(1, ID_INDICATOR_ZOOM, SBPS_POPOUT, 200);
    CRect rectAfter;
    bar.GetItemRect(1, rectAfter);
    EXPECT_GT(rectAfter.Width(), rectBefore.Width());
    EXPECT_GE(rectAfter.Width(), 200);
    UINT nID, nStyle;
    int cxWidth;
    bar.GetPaneInfo(1, nID, nStyle, cxWidth);
    EXPECT_EQ((UINT)SBPS_POPOUT, nStyle);
    EXPECT_EQ(200, cxWidth);

    EXPECT_TRUE(bar.SetPaneText(3, "XYZ"));
    EXPECT_STREQ("XYZ", ControlPaneText(bar, 3));
    EXPECT_TRUE(bar.SetPaneText(3, "later", FALSE));
    EXPECT_STREQ("later", bar.GetPaneText(3));
    bar.UpdateWindow();
    bar.UpdateAllPanes(FALSE, TRUE);
    EXPECT_STREQ("later", ControlPaneText(bar, 3));
    EXPECT_FALSE(bar.SetPaneText(9, "none"));
    BOOL bThrown = FALSE;
    try
    {
        bar.GetPaneText(9);
    }
    catch (CInvalidArgException* e)
    {
        bThrown = TRUE;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

namespace
{

// The thread's tool-tip control, NULL when there is none.
HWND FindToolTipWindow()
{
    struct CFind
    {
        HWND hWnd = NULL;
        static BOOL CALLBACK Enum(HWND hWnd, LPARAM lParam)
        {
            char szClass[64] = "";
            ::GetClassNameA(hWnd, szClass, (int)sizeof(szClass));
            if (lstrcmpiA(szClass, TOOLTIPS_CLASSA) == 0)
            {
                ((CFind*)lParam)->hWnd = hWnd;
                return FALSE;
            }
            return TRUE;
        }
    } find;
    ::EnumThreadWindows(::GetCurrentThreadId(), CFind::Enum, (LPARAM)&find);
    return find.hWnd;
}

// A mouse move over the bar's client point as the message loop sees it.
MSG MouseMove(CWnd* pWnd, CPoint pt)
{
    MSG msg;
    memset(&msg, 0, sizeof(msg));
    msg.hwnd = pWnd->m_hWnd;
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(pt.x, pt.y);
    msg.pt = pt;
    pWnd->ClientToScreen(&msg.pt);
    msg.time = ::GetTickCount();
    return msg;
}

} // namespace

TEST_F(BarsTest, ToolTipAndPromptFollowTheMouse)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    m_pFrame->BringWindowToTop();
    CRect rect;
    bar.GetItemRect(bar.CommandToIndex(ID_TEST_GAMMA), rect);
    MSG msg = MouseMove(&bar, rect.CenterPoint());
    ASSERT_EQ(bar.m_hWnd, ::WindowFromPoint(msg.pt)) << "the bar is not under the point";
    bar.PreTranslateMessage(&msg);

    // the tool of the button under the mouse, with the command's tip
    HWND hWndTip = FindToolTipWindow();
    ASSERT_TRUE(hWndTip != NULL);
    EXPECT_EQ(1, (int)::SendMessageA(hWndTip, TTM_GETTOOLCOUNT, 0, 0));
    char szText[80] = "";
    TOOLINFOA ti;
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.lpszText = szText;
    ASSERT_TRUE(::SendMessageA(hWndTip, TTM_ENUMTOOLSA, 0, (LPARAM)&ti));
    EXPECT_STREQ("Gamma", szText);
    EXPECT_EQ((UINT_PTR)ID_TEST_GAMMA, ti.uId);

    // CBRS_FLYBY: the status bar shows the command's prompt
    EXPECT_STREQ("Switches gamma", m_pFrame->m_wndStatusBar.GetPaneText(0));

    // another button: the tool changes; leaving: the prompt goes back to idle
    bar.GetItemRect(0, rect);
    msg = MouseMove(&bar, rect.CenterPoint());
    bar.PreTranslateMessage(&msg);
    EXPECT_EQ(1, (int)::SendMessageA(hWndTip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_STREQ("Runs alpha", m_pFrame->m_wndStatusBar.GetPaneText(0));
    CRect rectClient;
    bar.GetClientRect(rectClient);
    msg = MouseMove(&bar, CPoint(rectClient.right - 2, rectClient.bottom - 2));
    bar.PreTranslateMessage(&msg);
    EXPECT_EQ(0, (int)::SendMessageA(hWndTip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_STREQ("Ready", m_pFrame->m_wndStatusBar.GetPaneText(0));

    CWnd::CancelToolTips();
    EXPECT_EQ(0, (int)::SendMessageA(hWndTip, TTM_GETTOOLCOUNT, 0, 0));
}

TEST_F(BarsTest, NotificationsOfABarsControlsGoToItsOwner)
{
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    CWnd* pDockBar = m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(pDockBar != NULL);
    // a push button placed on a bar: its click reaches the frame's handler
    HWND hButton = ::CreateWindowExA(0, "BUTTON", "Alpha", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                     0, 0, 40, 20, pDockBar->m_hWnd, (HMENU)(UINT_PTR)ID_TEST_ALPHA,
                                     ::GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(hButton != NULL);
    ::SendMessageA(hButton, BM_CLICK, 0, 0);
    PumpPendingMessages();
    EXPECT_EQ(1, m_pFrame->m_nAlpha);

    // the update pass enables and disables the bar's controls too
    CWnd* pButton = CWnd::FromHandle(hButton);
    ::SetWindowLongPtrA(hButton, GWLP_ID, ID_TEST_BETA);
    pDockBar->UpdateDialogControls(m_pFrame, TRUE);
    EXPECT_FALSE(pButton->IsWindowEnabled());
    ::SetWindowLongPtrA(hButton, GWLP_ID, ID_TEST_DELTA);
    ::EnableWindow(hButton, TRUE);
    pDockBar->UpdateDialogControls(m_pFrame, TRUE);
    EXPECT_FALSE(pButton->IsWindowEnabled());      // a push button without a handler
    ::SetWindowLongPtrA(hButton, GWLP_ID, ID_TEST_ALPHA);
    pDockBar->UpdateDialogControls(m_pFrame, TRUE);
    EXPECT_TRUE(pButton->IsWindowEnabled());
    ::DestroyWindow(hButton);
}

namespace
{

// Two halves of the client area, both answering the same hit with texts of their own.
class CTwoHalvesWnd : public CWnd
{
public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
    {
        CRect rc;
        GetClientRect(&rc);
        bool bLeft = point.x < rc.CenterPoint().x;
        if (bLeft)
            rc.right = rc.CenterPoint().x;
        else
            rc.left = rc.CenterPoint().x;
        pTI->hwnd = m_hWnd;
        pTI->uId = 7;
        pTI->rect = rc;
        pTI->lpszText = _strdup(bLeft ? "Left half" : "Right half");
        return 7;
    }
};

CString RegisteredToolText(HWND hWndTip)
{
    char szText[80] = "";
    TOOLINFOA ti;
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.lpszText = szText;
    if (!::SendMessageA(hWndTip, TTM_ENUMTOOLSA, 0, (LPARAM)&ti))
        return CString();
    return CString(szText);
}

} // namespace

TEST_F(BarsTest, ToolsWithOneHitButOtherRectanglesEachShowTheirText)
{
    CTwoHalvesWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE,
                             CRect(100, 100, 300, 140), NULL, 0));
    CPoint ptLeft(50, 20), ptRight(150, 20);
    MSG msg = MouseMove(&wnd, ptLeft);
    ASSERT_EQ(wnd.m_hWnd, ::WindowFromPoint(msg.pt));
    wnd.FilterToolTipMessage(&msg);
    HWND hWndTip = FindToolTipWindow();
    ASSERT_TRUE(hWndTip != NULL);
    EXPECT_STREQ("Left half", RegisteredToolText(hWndTip));
    // the same half again keeps its tool; the other half brings its own text
    msg = MouseMove(&wnd, CPoint(60, 22));
    wnd.FilterToolTipMessage(&msg);
    EXPECT_EQ(1, (int)::SendMessageA(hWndTip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_STREQ("Left half", RegisteredToolText(hWndTip));
    msg = MouseMove(&wnd, ptRight);
    wnd.FilterToolTipMessage(&msg);
    EXPECT_EQ(1, (int)::SendMessageA(hWndTip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_STREQ("Right half", RegisteredToolText(hWndTip));
    CWnd::CancelToolTips();
    wnd.DestroyWindow();
}
