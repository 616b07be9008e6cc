// The demonstration MDI program driven by messages: command routing, update
// handlers, accelerators, child activation and menus, prompts, idle processing.

#include <algorithm>
#include "demo.h"
#include "test_support.h"
#include "key_input.h"
#include <gtest/gtest.h>

namespace
{

class DemoProgramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_program.CreateMainFrame());
        PumpPendingMessages();
    }

    CDemoMainFrame* Main() { return m_program.m_pMainFrame; }

    // Runs the frame's update handlers on a popup of its current menu bar.
    CMenu* OpenPopup(int nIndex)
    {
        CMenu* pBar = Main()->GetMenu();
        CMenu* pPopup = pBar != NULL ? pBar->GetSubMenu(nIndex) : NULL;
        if (pPopup != NULL)
            Main()->SendMessage(WM_INITMENUPOPUP, (WPARAM)pPopup->m_hMenu, MAKELPARAM(nIndex, FALSE));
        return pPopup;
    }

    void Command(UINT nID)
    {
        Main()->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    }

    CDemoProgram m_program;
};

UINT StateOf(CMenu* pMenu, UINT nID)
{
    return pMenu->GetMenuState(nID, MF_BYCOMMAND);
}

} // namespace

TEST_F(DemoProgramTest, CommandsReachTheirTargetsThroughTheActiveChild)
{
    ASSERT_TRUE(m_program.OpenChild(IDR_DEMOTYPE, "Doc1") != NULL);

    Command(ID_DEMO_VIEWCMD);
    Command(ID_DEMO_DOCCMD);
    Command(ID_DEMO_CHILDCMD);
    Command(ID_DEMO_MAINCMD);
    Command(ID_DEMO_APPCMD);
    EXPECT_EQ("view,doc,child,main,app", DemoLogText());
}

TEST_F(DemoProgramTest, RoutingOrderIsViewDocumentChildMainApplication)
{
    ASSERT_TRUE(m_program.OpenChild(IDR_DEMOTYPE, "Doc1") != NULL);

    // every target passes the shared command on (ON_COMMAND_EX returning FALSE)
    Command(ID_DEMO_SHARED);
    EXPECT_EQ("view,doc,child,main,app", DemoLogText());
}

TEST_F(DemoProgramTest, WithoutChildOnlyMainFrameAndApplicationSeeCommands)
{
    Command(ID_DEMO_SHARED);
    Command(ID_DEMO_VIEWCMD);
    EXPECT_EQ("main,app", DemoLogText());
}

TEST_F(DemoProgramTest, CommandsGoToTheActiveChildOnly)
{
    CDemoDoc* pDoc1 = NULL;
    CDemoDoc* pDoc2 = NULL;
    CDemoChildFrame* pChild1 = m_program.OpenChild(IDR_DEMOTYPE, "Doc1", &pDoc1);
    CDemoChildFrame* pChild2 = m_program.OpenChild(IDR_DEMOTYPE, "Doc2", &pDoc2);
    ASSERT_TRUE(pChild1 != NULL && pChild2 != NULL);

    EXPECT_EQ(pChild2, Main()->MDIGetActive());
    EXPECT_EQ(pDoc2, Main()->GetActiveFrame()->GetActiveDocument());

    Main()->MDIActivate(pChild1);
    EXPECT_EQ(pChild1, Main()->MDIGetActive());
    EXPECT_EQ(pDoc1, Main()->GetActiveFrame()->GetActiveDocument());

    // the first document's check state decides the Checked item now
    pDoc1->m_bChecked = FALSE;
    pDoc2->m_bChecked = TRUE;
    CMenu* pEdit = OpenPopup(1);
    ASSERT_TRUE(pEdit != NULL);
    EXPECT_EQ(0u, StateOf(pEdit, ID_DEMO_CHECKED) & MF_CHECKED);
    Main()->MDIActivate(pChild2);
    pEdit = OpenPopup(1);
    EXPECT_NE(0u, StateOf(pEdit, ID_DEMO_CHECKED) & MF_CHECKED);
}

TEST_F(DemoProgramTest, UpdateHandlersEnableDisableCheckAndRename)
{
    ASSERT_TRUE(m_program.OpenChild(IDR_DEMOTYPE, "Doc1") != NULL);
    CMenu* pEdit = OpenPopup(1);
    ASSERT_TRUE(pEdit != NULL);

    // handled commands are enabled, ones without any handler are disabled
    EXPECT_EQ(0u, StateOf(pEdit, ID_DEMO_VIEWCMD) & (MF_GRAYED | MF_DISABLED));
    EXPECT_EQ(0u, StateOf(pEdit, ID_DEMO_APPCMD) & (MF_GRAYED | MF_DISABLED));
    EXPECT_NE(0u, StateOf(pEdit, ID_DEMO_NOHANDLER) & MF_GRAYED);
    // the view's update handler disables a command the main frame handles
    EXPECT_NE(0u, StateOf(pEdit, ID_DEMO_DISABLED) & MF_GRAYED);
    // the document checks
    EXPECT_NE(0u, StateOf(pEdit, ID_DEMO_CHECKED) & MF_CHECKED);

    // radio items carry the radio type
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(::GetMenuItemInfoA(pEdit->m_hMenu, ID_DEMO_RADIO, FALSE, &mii));
    EXPECT_NE(0u, mii.fType & MFT_RADIOCHECK);
    EXPECT_NE(0u, mii.fState & MFS_CHECKED);

    // the text handler renames its item and keeps its id
    CString strText;
    pEdit->GetMenuString(ID_DEMO_TEXT, strText, MF_BYCOMMAND);
    EXPECT_STREQ("Changed Text", strText);

    // a popup is never disabled for lack of a handler of its first item
    int nMore = (int)pEdit->GetMenuItemCount() - 1;
    EXPECT_EQ(0u, pEdit->GetMenuState(nMore, MF_BYPOSITION) & MF_GRAYED);
}

TEST_F(DemoProgramTest, DisabledCommandIsNotCarriedOut)
{
    ASSERT_TRUE(m_program.OpenChild(IDR_DEMOTYPE, "Doc1") != NULL);
    Command(ID_DEMO_DISABLED);
    EXPECT_EQ("", DemoLogText());

    // without the view that disables it the main frame runs it
    m_program.CloseAll();
    ASSERT_TRUE(m_program.CreateMainFrame());
    Command(ID_DEMO_DISABLED);
    EXPECT_EQ("disabled-ran", DemoLogText());
}

TEST_F(DemoProgramTest, AcceleratorsOfFrameAndDocumentTypeFireCommands)
{
    ASSERT_TRUE(m_program.OpenChild(IDR_DEMOTYPE, "Doc1") != NULL);
    CWnd* pFocus = CWnd::GetFocus();
    ASSERT_TRUE(pFocus != NULL);
    EXPECT_TRUE(pFocus->IsKindOf(RUNTIME_CLASS(CDemoView)));

    // keys go to the focus window and are translated on the way through the pump
    ::PostMessageA(pFocus->m_hWnd, WM_KEYDOWN, VK_F8, 0x00420001);
    ::PostMessageA(pFocus->m_hWnd, WM_KEYDOWN, VK_F7, 0x00410001);
    ::PostMessageA(pFocus->m_hWnd, WM_KEYDOWN, VK_F9, 0x00430001);   // disabled by the view
    PumpPendingMessages();
    EXPECT_EQ("doc,main", DemoLogText());
}

TEST_F(DemoProgramTest, MainFrameAcceleratorsWorkWithoutChild)
{
    ::SetFocus(Main()->m_hWnd);
    ::PostMessageA(Main()->m_hWnd, WM_KEYDOWN, VK_F7, 0x00410001);
    ::PostMessageA(Main()->m_hWnd, WM_KEYDOWN, VK_F8, 0x00420001);   // a document-type key
    PumpPendingMessages();
    EXPECT_EQ("main", DemoLogText());
}

TEST_F(DemoProgramTest, ActiveChildChoosesTheMenuOfItsDocumentType)
{
    HMENU hDefault = ::GetMenu(Main()->m_hWnd);
    ASSERT_TRUE(hDefault != NULL);
    EXPECT_EQ(hDefault, Main()->m_hMenuDefault);

    CDemoChildFrame* pDemo = m_program.OpenChild(IDR_DEMOTYPE, "Doc1");
    ASSERT_TRUE(pDemo != NULL);
    EXPECT_EQ(m_program.m_hDemoMenu, ::GetMenu(Main()->m_hWnd));

    CDemoChildFrame* pOther = m_program.OpenChild(IDR_OTHERTYPE, "Other1");
    ASSERT_TRUE(pOther != NULL);
    EXPECT_EQ(m_program.m_hOtherMenu, ::GetMenu(Main()->m_hWnd));

    Main()->MDIActivate(pDemo);
    EXPECT_EQ(m_program.m_hDemoMenu, ::GetMenu(Main()->m_hWnd));

    // the last child going brings back the frame's own menu
    pDemo->DestroyWindow();
    EXPECT_EQ(m_program.m_hOtherMenu, ::GetMenu(Main()->m_hWnd));
    pOther->DestroyWindow();
    EXPECT_EQ(hDefault, ::GetMenu(Main()->m_hWnd));
    EXPECT_EQ(0, CDemoChildFrame::s_nLive);
    EXPECT_EQ(0, CDemoView::s_nLive);
    EXPECT_EQ(0, CDemoDoc::s_nLive);
}

TEST_F(DemoProgramTest, WindowMenuListsTheChildWindows)
{
    ASSERT_TRUE(m_program.OpenChild(IDR_DEMOTYPE, "First") != NULL);
    ASSERT_TRUE(m_program.OpenChild(IDR_DEMOTYPE, "Second") != NULL);
    HMENU hWindow = Main()->GetWindowMenuPopup(::GetMenu(Main()->m_hWnd));
    ASSERT_TRUE(hWindow != NULL);

    int nCount = ::GetMenuItemCount(hWindow);
    std::vector<std::string> entries;
    for (int i = 0; i < nCount; i++)
    {
        UINT nID = ::GetMenuItemID(hWindow, i);
        if (nID >= AFX_IDM_FIRST_MDICHILD && nID != (UINT)-1)
        {
            char szText[128] = "";
            ::GetMenuStringA(hWindow, i, szText, sizeof(szText), MF_BYPOSITION);
            entries.push_back(szText);
        }
    }
    ASSERT_EQ(2u, entries.size());
    EXPECT_NE(std::string::npos, entries[0].find("First"));
    EXPECT_NE(std::string::npos, entries[1].find("Second")) << entries[0] << "|" << entries[1];
}

TEST_F(DemoProgramTest, ChildTitlesAndMainCaptionFollowTheDocument)
{
    CDemoDoc* pDoc = NULL;
    CDemoChildFrame* pChild = m_program.OpenChild(IDR_DEMOTYPE, "Label1", &pDoc);
    ASSERT_TRUE(pChild != NULL);
    CString strChild;
    pChild->GetWindowText(strChild);
    EXPECT_STREQ("Label1", strChild);

    CString strMain;
    Main()->GetWindowText(strMain);
    EXPECT_STREQ("Label1 - Window Demo", strMain);

    pDoc->SetTitle("Renamed");
    pChild->GetWindowText(strChild);
    EXPECT_STREQ("Renamed", strChild);
}

TEST_F(DemoProgramTest, WindowCommandsNeedAChildAndTileTheChildren)
{
    CMenu* pWindow = OpenPopup(2);
    ASSERT_TRUE(pWindow != NULL);
    EXPECT_NE(0u, StateOf(pWindow, ID_WINDOW_CASCADE) & MF_GRAYED);

    CDemoChildFrame* pChild1 = m_program.OpenChild(IDR_DEMOTYPE, "A");
    CDemoChildFrame* pChild2 = m_program.OpenChild(IDR_DEMOTYPE, "B");
    ASSERT_TRUE(pChild1 != NULL && pChild2 != NULL);
    pWindow = OpenPopup(2);
    EXPECT_EQ(0u, StateOf(pWindow, ID_WINDOW_CASCADE) & MF_GRAYED);

    Command(ID_WINDOW_TILE_HORZ);
    CRect rc1, rc2;
    pChild1->GetWindowRect(&rc1);
    pChild2->GetWindowRect(&rc2);
    CRect rcOverlap;
    EXPECT_FALSE(rcOverlap.IntersectRect(&rc1, &rc2)) << "tiled windows do not overlap";
}

TEST_F(DemoProgramTest, MessageBarShowsPromptsOfCommands)
{
    // the frame posts the idle prompt when it is created
    EXPECT_STREQ("Ready", Main()->GetMessageBarText());

    Main()->SendMessage(WM_SETMESSAGESTRING, ID_DEMO_VIEWCMD);
    EXPECT_STREQ("Run the view's command", Main()->GetMessageBarText());

    Main()->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)"Plain text");
    EXPECT_STREQ("Plain text", Main()->GetMessageBarText());

    // a system command shows the class library's prompt
    Main()->SetMessageText(ID_COMMAND_FROM_SC(SC_CLOSE));
    EXPECT_STREQ("Close the active window and prompts to save the documents",
                 Main()->GetMessageBarText());
}

TEST_F(DemoProgramTest, MenuTrackingShowsTheSelectedItemsPrompt)
{
    CMenu* pTools = Main()->GetMenu()->GetSubMenu(1);
    Main()->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_DEMO_APPCMD, MF_STRING), (LPARAM)pTools->m_hMenu);
    Main()->SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
    EXPECT_STREQ("Run the application's command", Main()->GetMessageBarText());

    // the menu closes: back to the idle prompt
    Main()->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_STREQ("Ready", Main()->GetMessageBarText());
}

TEST_F(DemoProgramTest, LayoutGivesTheBarItsStripAndTheClientTheRest)
{
    CRect rcClient;
    Main()->GetClientRect(&rcClient);
    CRect rcMDI;
    ::GetWindowRect(Main()->m_hWndMDIClient, &rcMDI);
    Main()->ScreenToClient(&rcMDI);
    CRect rcBar;
    Main()->m_wndMessageBar.GetWindowRect(&rcBar);
    Main()->ScreenToClient(&rcBar);

    EXPECT_EQ(rcClient.bottom, rcBar.bottom);
    EXPECT_EQ(22, rcBar.Height());
    EXPECT_EQ(rcBar.top, rcMDI.bottom);
    EXPECT_EQ(rcClient.top, rcMDI.top);
}

TEST_F(DemoProgramTest, ExceptionInACommandIsReportedNotPropagated)
{
    CMessageBoxRecorder boxes;
    Command(ID_DEMO_THROW);
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_NE(0u, boxes.GetCall(0).m_nType & MB_ICONSTOP);
    // the program goes on
    Command(ID_DEMO_MAINCMD);
    EXPECT_EQ("main", DemoLogText());
}

namespace
{
const std::vector<LONG>* g_pIdleCounts = NULL;
DWORD g_nIdleStart = 0;
// Ends the pump once idle time reached its second step, or after five seconds.
struct QuitTimer
{
    static void CALLBACK Proc(HWND, UINT, UINT_PTR, DWORD)
    {
        const std::vector<LONG>& counts = *g_pIdleCounts;
        if (std::find(counts.begin(), counts.end(), 1) != counts.end()
            || ::GetTickCount() - g_nIdleStart > 5000)
            ::PostQuitMessage(0);
    }
};
} // namespace

TEST_F(DemoProgramTest, IdleProcessingUpdatesBarsAndFreesTemporaryObjects)
{
    // a temporary window object lives until idle time
    CWnd::FromHandle(::GetDesktopWindow());
    EXPECT_GE(AfxGetTemporaryWindowCount(), 1);

    // the pump runs until a timer ends it, once idle time reached its second step (on a
    // busy machine the timer may come first, or between two steps, and start idle anew)
    g_pIdleCounts = &m_program.m_pApp->m_idleCounts;
    g_nIdleStart = ::GetTickCount();
    UINT_PTR nTimer = Main()->SetTimer(1, 50, &QuitTimer::Proc);
    m_program.m_pApp->Run();
    Main()->KillTimer(nTimer);

    // idle time starts at step 0 and goes on step by step until a message comes
    const std::vector<LONG>& counts = m_program.m_pApp->m_idleCounts;
    ASSERT_FALSE(counts.empty());
    EXPECT_EQ(0, counts[0]);
    auto itSecond = std::find(counts.begin(), counts.end(), 1);
    ASSERT_TRUE(itSecond != counts.end());
    EXPECT_EQ(0, *(itSecond - 1));
    EXPECT_GE(Main()->m_wndMessageBar.m_nIdleUpdates, 1);
    EXPECT_EQ(0, AfxGetTemporaryWindowCount());
}

// Owned windows are kept above their frame by a timer after activation; a frame that
// owns none gets no timer, so idle processing is not cut short by it.
TEST_F(DemoProgramTest, ActivatingAFrameThatOwnsNoWindowsStartsNoTimer)
{
    HWND hOther = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                    NULL, NULL, NULL, NULL);
    ASSERT_TRUE(hOther != NULL);
    ::SetActiveWindow(hOther);
    ::SetActiveWindow(Main()->m_hWnd);
    ASSERT_EQ(Main()->m_hWnd, ::GetActiveWindow());
    ::Sleep(80);
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, Main()->m_hWnd, WM_TIMER, WM_TIMER, PM_REMOVE));
    ::DestroyWindow(hOther);
}

TEST_F(DemoProgramTest, ClosingTheMainWindowDestroysEverythingAndQuits)
{
    ASSERT_TRUE(m_program.OpenChild(IDR_DEMOTYPE, "Doc1") != NULL);
    ASSERT_TRUE(m_program.OpenChild(IDR_OTHERTYPE, "Doc2") != NULL);
    int nPermanent = AfxGetPermanentWindowCount();
    EXPECT_GE(nPermanent, 6);

    Main()->SendMessage(WM_CLOSE);
    m_program.m_pMainFrame = NULL;
    EXPECT_EQ(NULL, m_program.m_pApp->m_pMainWnd);
    EXPECT_EQ(0, CDemoMainFrame::s_nLive);
    EXPECT_EQ(0, CDemoChildFrame::s_nLive);
    EXPECT_EQ(0, CDemoView::s_nLive);
    EXPECT_EQ(0, CDemoDoc::s_nLive);
    EXPECT_EQ(0, AfxGetPermanentWindowCount());

    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(DemoProgramTest, RealKeyboardInputFiresAcceleratorWithModifier)
{
    ASSERT_TRUE(m_program.OpenChild(IDR_DEMOTYPE, "Keys") != NULL);
    Main()->SetForegroundWindow();
    Main()->SetActiveWindow();
    PumpPendingMessages();

    // Ctrl+N through the system's input queue
    ASSERT_TRUE(SendKeyStrokes({ VK_CONTROL }, { 'N' }));
    PumpFor(200);
    if (DemoLogText().empty() && ::GetForegroundWindow() != Main()->m_hWnd)
        GTEST_SKIP() << "another program took the foreground (tests run in parallel)";
    EXPECT_EQ("app-new", DemoLogText());
}
