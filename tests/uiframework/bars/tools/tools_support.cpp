// Frames, toolbars and commands of the toolbar, menu bar and status bar tests.
#include "afxdlgs.h"
#include "tools_support.h"
#include "test_support.h"
#include "key_input.h"
#include "afxpriv.h"

CSize CFixedSizeButton::CalcSize(CDC& dc, CSize sizeDefault, BOOL bHorz)
{
    if (IsSeparator() || IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton)))
        return CExtBarButton::CalcSize(dc, sizeDefault, bHorz);
    m_size = bHorz ? CSize(m_nLength, 22) : CSize(24, m_nLength);
    return m_size;
}

void CFixedSizeButton::Paint(CDC& dc, BOOL bHorz)
{
    if (m_bFilled && !IsSeparator())
        dc.FillSolidRect(GetDisplayRect(), g_clrFilledButton);
    else
        CExtBarButton::Paint(dc, bHorz);
}

void CFilledButton::Paint(CDC& dc, BOOL)
{
    dc.FillSolidRect(GetDisplayRect(), g_clrFilledButton);
}

CExtBarButton* CFixedToolBar::CreateButton(UINT nCmdID, UINT)
{
    std::map<UINT, int>::const_iterator it = m_lengths.find(nCmdID);
    return new CFixedSizeButton(this, nCmdID, it != m_lengths.end() ? it->second : 24,
                                m_bFilledButtons);
}

::testing::AssertionResult FilledButtonShowsWhole(CExtToolControlBar* pBar, int nIndex)
{
    CRect rc, rcClient;
    pBar->GetButtonRect(nIndex, &rc);
    pBar->GetClientRect(&rcClient);
    CRect rcUnion;
    rcUnion.UnionRect(&rc, &rcClient);
    if (rc.IsRectEmpty() || rcUnion != rcClient)
        return ::testing::AssertionFailure()
               << "button " << nIndex << " (" << rc.left << "," << rc.top << ")-(" << rc.right
               << "," << rc.bottom << ") outside the client 0,0-" << rcClient.right << ","
               << rcClient.bottom;
    pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    CClientDC dc(pBar);
    // the far row across a horizontal bar, the far column across a vertical one
    const bool bHorz = pBar->IsHorizontalLayout();
    const int nFar = bHorz ? rc.bottom - 1 : rc.right - 1;
    const int nFrom = bHorz ? rc.left : rc.top, nTo = bHorz ? rc.right : rc.bottom;
    for (int n = nFrom; n < nTo; n++)
    {
        COLORREF clr = bHorz ? dc.GetPixel(n, nFar) : dc.GetPixel(nFar, n);
        if (clr != g_clrFilledButton)
            return ::testing::AssertionFailure()
                   << "button " << nIndex << ": pixel " << (bHorz ? n : nFar) << ","
                   << (bHorz ? nFar : n) << " is " << std::hex << clr;
    }
    return ::testing::AssertionSuccess();
}

BEGIN_MESSAGE_MAP(CToolsFrame, CFrameWnd)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageStringMsg)
    ON_REGISTERED_MESSAGE(CExtPopupMenuWnd::g_nMsgPrepareMenu, OnPrepareMenu)
END_MESSAGE_MAP()

LRESULT CToolsFrame::OnPrepareMenu(WPARAM wParam, LPARAM)
{
    m_nPrepareMenus++;
    if (m_bCancelMenus)
        ((CExtPopupMenuWnd::MsgPrepareMenuData_t*)wParam)->m_bMenuCanceled = true;
    return 0;
}

BOOL CToolsFrame::CreateToolsFrame(CRect rc)
{
    if (!Create(NULL, "Toolbar tests", WS_OVERLAPPEDWINDOW, rc))
        return FALSE;
    LPCTSTR lpszPaneClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW),
                                                (HBRUSH)(COLOR_WINDOW + 1));
    if (!m_wndPane.Create(lpszPaneClass, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
                          AFX_IDW_PANE_FIRST))
        return FALSE;
    if (!CExtControlBar::SetupFrameDocking(this, CBRS_ALIGN_ANY, TRUE))
        return FALSE;
    RegisterToolCommands(m_hWnd);
    ShowWindow(SW_SHOW);
    RecalcLayout();
    return TRUE;
}

CRect CToolsFrame::ChildRect(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    ScreenToClient(&rc);
    return rc;
}

BOOL CToolsFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID >= ID_TOOLS_CMD_FIRST && nID <= ID_TOOLS_EDITB)
    {
        if (nCode == (int)CN_UPDATE_COMMAND_UI)
        {
            CCmdUI* pCmdUI = (CCmdUI*)pExtra;
            if (nID == ID_TOOLS_BOLD)
                pCmdUI->SetCheck(m_bBoldChecked ? 1 : 0);
            if (nID == ID_TOOLS_CUT)
                pCmdUI->Enable(m_bCutEnabled);
            else
                pCmdUI->Enable(TRUE);
            return TRUE;
        }
        if (nCode == (int)CN_COMMAND)
        {
            if (pHandlerInfo == NULL)
                m_commands.push_back(nID);
            return TRUE;
        }
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CToolsFrame::OnSetMessageStringMsg(WPARAM wParam, LPARAM lParam)
{
    m_messageStrings.push_back(wParam);
    return CFrameWnd::OnSetMessageString(wParam, lParam);
}

void RegisterToolCommands(HWND hWnd)
{
    g_CmdManagerHolder->EnsureProfile("tools", hWnd);
    struct
    {
        UINT nID;
        LPCTSTR sText;
        LPCTSTR sTip;
        LPCTSTR sAccel;
    } cmds[] = {
        { ID_TOOLS_NEW, "&New", "New publication", "Ctrl+N" },
        { ID_TOOLS_OPEN, "&Open", "Open publication", "" },
        { ID_TOOLS_SAVE, "&Save", "Save publication", "Ctrl+S" },
        { ID_TOOLS_CUT, "Cu&t", "Cut", "" },
        { ID_TOOLS_COPY, "&Copy", "", "Ctrl+C" },
        { ID_TOOLS_PASTE, "&Paste", "Paste", "" },
        { ID_TOOLS_BOLD, "&Bold", "Bold", "" },
        { ID_TOOLS_ITALIC, "&Italic", "Italic", "" },
        { ID_TOOLS_ZOOM, "&Zoom", "Zoom", "" },
        { ID_TOOLS_GRID, "&Grid", "Grid", "" },
        { ID_TOOLS_ALIGN, "&Align", "Align", "" },
        { ID_TOOLS_EDITA, "Edit &A", "", "" },
        { ID_TOOLS_EDITB, "Edit &B", "", "" },
    };
    for (const auto& c : cmds)
    {
        CExtCmdItem item(c.nID);
        item.m_strMenuText = c.sText;
        item.m_strTipText = c.sTip;
        item.m_strStatusTipText = CString("Status of ") + c.sTip;
        item.m_strAccelText = c.sAccel;
        g_CmdManagerHolder->SetCommand("tools", &item, true);
    }
}

void ToolsTest::SetUp()
{
    m_pApp = new CWinApp("Toolbar Tests");
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR)"", SW_SHOW);
    m_pFrame = new CToolsFrame;
    ASSERT_TRUE(m_pFrame->CreateToolsFrame());
    m_pApp->m_pMainWnd = m_pFrame;
    m_pFrame->SetForegroundWindow();
    m_pFrame->SetActiveWindow();
    CExtToolControlBar::g_bMenuTracking = FALSE;
    CExtToolControlBar::g_bMenuExpanded = FALSE;
}

void ToolsTest::TearDown()
{
    CExtPopupMenuWnd::CancelTracking();
    PumpPendingMessages();
    if (m_pApp != NULL)
        m_pApp->m_pMainWnd = NULL;
    for (CExtToolControlBar* pBar : m_toolbars)
    {
        if (pBar->m_hWnd != NULL)
            pBar->DestroyWindow();
    }
    if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->DestroyWindow();
    m_pFrame = NULL;
    PumpPendingMessages();
    for (CExtToolControlBar* pBar : m_toolbars)
        delete pBar;
    m_toolbars.clear();
    delete m_pApp;
    m_pApp = NULL;
}

CFixedToolBar* ToolsTest::NewToolBar(UINT nBarID, const std::vector<UINT>& ids, UINT nDockID)
{
    CFixedToolBar* pBar = new CFixedToolBar;
    m_toolbars.push_back(pBar);
    pBar->m_lengths[ID_TOOLS_ZOOM] = 60;
    EXPECT_TRUE(pBar->Create("Tools", m_pFrame, nBarID,
                             WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                 CBRS_FLYBY | CBRS_SIZE_DYNAMIC));
    EXPECT_TRUE(pBar->SetButtons(ids.data(), (int)ids.size()));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    CDockBar* pDock = (CDockBar*)m_pFrame->GetControlBar(nDockID);
    EXPECT_TRUE(pDock != NULL);
    if (pDock != NULL)
        pDock->DockControlBar(pBar);
    m_pFrame->RecalcLayout();
    return pBar;
}

void ToolsTest::Mouse(CWnd* pWnd, UINT nMsg, CPoint pt)
{
    CPoint ptScreen = pt;
    pWnd->ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    pWnd->SendMessage(nMsg, nMsg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(pt.x, pt.y));
}

CPoint ToolsTest::Centre(CExtToolControlBar* pBar, int nIndex)
{
    CRect rc;
    pBar->GetButtonRect(nIndex, &rc);
    return rc.CenterPoint();
}

namespace
{

// Each run on a desktop of its own: hover and activation follow the active window, which
// the other test programs running at the same time would otherwise take.
class CToolsEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        CDialogScript::UsePrivateDesktop();
    }
};

::testing::Environment* const g_pToolsEnvironment =
    ::testing::AddGlobalTestEnvironment(new CToolsEnvironment);

} // namespace

void DragGripper(CExtToolControlBar* pBar, const std::vector<int>& offsets)
{
    std::vector<CPoint> moves;
    for (int n : offsets)
        moves.push_back(pBar->IsHorizontalLayout() ? CPoint(n, 0) : CPoint(0, n));
    DragGripperBy(pBar, moves);
}

CPoint GripperPoint(CExtToolControlBar* pBar)
{
    // the left end of a horizontal bar, the top end of a vertical one
    CRect rcWnd;
    pBar->GetWindowRect(&rcWnd);
    return pBar->IsHorizontalLayout() ? CPoint(rcWnd.left + 5, rcWnd.CenterPoint().y)
                                      : CPoint(rcWnd.CenterPoint().x, rcWnd.top + 5);
}

void DragGripperBy(CExtToolControlBar* pBar, const std::vector<CPoint>& offsets)
{
    CPoint ptPress = GripperPoint(pBar);
    auto post = [&](UINT nMsg, CPoint ptScreen, WPARAM wParam)
    {
        CPoint pt(ptScreen);
        pBar->ScreenToClient(&pt);
        ::PostMessageA(pBar->m_hWnd, nMsg, wParam, MAKELPARAM((short)pt.x, (short)pt.y));
    };
    CPoint ptLast = ptPress;
    ::SetCursorPos(ptPress.x, ptPress.y);
    post(WM_LBUTTONDOWN, ptPress, MK_LBUTTON);
    for (CPoint d : offsets)
    {
        ptLast = ptPress + d;
        post(WM_MOUSEMOVE, ptLast, MK_LBUTTON);
    }
    post(WM_LBUTTONUP, ptLast, 0);
    ::SetCursorPos(ptLast.x, ptLast.y);
    PumpPendingMessages();
}

CExtToolControlBar* NewRowToolBar(CToolsFrame* pFrame, UINT nID, std::vector<CExtToolControlBar*>& owned)
{
    CExtToolControlBar* pBar = new CExtToolControlBar;
    owned.push_back(pBar);
    if (!pBar->Create("Row tools", pFrame, nID,
                      WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                          CBRS_FLYBY | CBRS_SIZE_DYNAMIC) ||
        !pBar->LoadButtonsFromResource(IDR_TOOLS_TOOLBAR))
        return NULL;
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    ((CDockBar*)pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP))->DockControlBar(pBar);
    return pBar;
}

int HiddenButtonCount(CExtToolControlBar* pBar)
{
    return pBar->GetChevron() != NULL ? (int)pBar->GetChevron()->m_arrHiddenButtons.GetSize() : -1;
}

void PumpForMs(DWORD nMs)
{
    const DWORD nStart = ::GetTickCount();
    do
    {
        CExtPopupMenuWnd::PumpPendingMessages(false);
        ::Sleep(5);
    } while (::GetTickCount() - nStart < nMs);
    CExtPopupMenuWnd::PumpPendingMessages(false);
}

bool PumpUntil(const std::function<bool()>& pred)
{
    const DWORD nStart = ::GetTickCount();
    while (!pred())
    {
        if (::GetTickCount() - nStart > 10000)
            return pred();
        PumpForMs(5);
    }
    return true;
}

void SendMouseInput(DWORD dwFlags)
{
    INPUT in;
    memset(&in, 0, sizeof(in));
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = dwFlags;
    ::SendInput(1, &in, sizeof(INPUT));
}

void MoveMouseTo(CPoint ptScreen)
{
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    SendMouseInput(MOUSEEVENTF_MOVE);
    PumpForMs(40);
}

void ClickAt(CPoint ptScreen)
{
    MoveMouseTo(ptScreen);
    SendMouseInput(MOUSEEVENTF_LEFTDOWN);
    PumpForMs(40);
    SendMouseInput(MOUSEEVENTF_LEFTUP);
    PumpForMs(40);
}

void SendKey(WORD wVk, bool bShift)
{
    if (bShift)
        SendKeyStrokes({ VK_SHIFT }, { wVk });
    else
        SendKeyStrokes({}, { wVk });
    PumpForMs(40);
}

CExtPopupMenuWnd* ShownRootPopup()
{
    for (int i = 0; i < 200; i++)
    {
        CExtPopupMenuWnd* pRoot = g_TrackingSite.m_pWndRoot;
        if (pRoot != NULL && g_TrackingSite.m_pWndAnimation == NULL &&
            pRoot->GetSafeHwnd() != NULL && pRoot->IsWindowVisible())
        {
            PumpForMs(30);
            return pRoot;
        }
        PumpForMs(5);
    }
    return NULL;
}
