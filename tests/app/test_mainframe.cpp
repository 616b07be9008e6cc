// The main window: its bars and their default layout, a new publication's child frame,
// the stored placement, the View toggles, status texts and progress, the guarded message
// pump, the Del key and the menus' commands.

#include "doc_program.h"
#include "app/ChildFrm.h"
#include "app/MainFrm.h"
#include "app/PropertiesBar.h"
#include "model/Elements.h"
#include "output/ExportProgress.h"
#include "uiframework/foundation/ExtCmdManager.h"
#include "afxpriv.h"

#include <set>

namespace
{

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE);
            continue;
        }
        if (!AfxPumpMessage())
            break;
    }
}

CRect ClientRectOf(CWnd* pFrame, CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    pFrame->ScreenToClient(&rect);
    return rect;
}

// Records what update handlers do with an item, without touching a menu.
class CRecordingCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck = 1) override { m_nCheck = nCheck; }
    void SetRadio(BOOL bOn = TRUE) override { m_nCheck = bOn ? 1 : 0; }
    void SetText(LPCTSTR) override {}

    BOOL m_bEnabled = TRUE;
    int m_nCheck = -1;
};

// Every command of a menu and its pop-ups.
void CollectCommands(HMENU hMenu, std::vector<UINT>& ids)
{
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (hSub != NULL)
        {
            CollectCommands(hSub, ids);
            continue;
        }
        const UINT nID = ::GetMenuItemID(hMenu, i);
        if (nID != 0 && nID != (UINT)-1)
            ids.push_back(nID);
    }
}

// Commands of the menu that an update pass leaves enabled although nothing handles them.
std::vector<UINT> EnabledWithoutHandler(CFrameWnd* pFrame, UINT nMenuID, int& nChecked)
{
    std::vector<UINT> ids;
    HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nMenuID));
    EXPECT_TRUE(hMenu != NULL) << nMenuID;
    if (hMenu == NULL)
        return ids;
    std::vector<UINT> commands;
    CollectCommands(hMenu, commands);
    ::DestroyMenu(hMenu);
    std::vector<UINT> missing;
    for (UINT nID : commands)
    {
        CRecordingCmdUI ui;
        ui.m_nID = nID;
        ui.DoUpdate(pFrame, TRUE);
        ++nChecked;
        AFX_CMDHANDLERINFO info;
        info.pTarget = NULL;
        if (ui.m_bEnabled && !pFrame->OnCmdMsg(nID, CN_COMMAND, NULL, &info))
            missing.push_back(nID);
    }
    return missing;
}

UINT DockSideOf(CControlBar& bar)
{
    CWnd* pParent = bar.GetParent();
    // a docked bar sits in a dock bar, which sits in a chain of dock bars of one side
    while (pParent != NULL && !pParent->IsFrameWnd())
    {
        const UINT nID = (UINT)pParent->GetDlgCtrlID();
        if (nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_BOTTOM)
            return nID;
        pParent = pParent->GetParent();
    }
    return 0;
}

} // namespace

class MainFrame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_program.m_bStarted);
        m_pFrame = DYNAMIC_DOWNCAST(CMainFrame, m_program.m_pApp->m_pMainWnd);
        ASSERT_TRUE(m_pFrame != NULL);
    }

    // A publication through the wizard (cancelled: the template's plain publication).
    CVarnelDoc* NewDoc()
    {
        CDialogScript script;
        script.OnDialog(IDD_WIZ_NEWCARD).Cancel();
        m_program.Command(ID_FILE_NEW);
        return m_program.ActiveDoc();
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CMainFrame* m_pFrame = NULL;
};

/////////////////////////////////////////////////////////////////////////////
// Bars

TEST_F(MainFrame, StartsWithFiveToolbarsStatusBarAndPropertiesBarInTheDefaultLayout)
{
    m_pFrame->RecalcLayout();
    struct
    {
        CExtToolControlBar* pBar;
        const char* pszName;
        UINT nID;
        UINT nFirstButton;
        UINT nSide;
    } bars[] = {
        {&m_pFrame->m_wndToolBar, "Standard", AFX_IDW_TOOLBAR, ID_FILE_NEW, AFX_IDW_DOCKBAR_TOP},
        {&m_pFrame->m_wndShapeBar, "Shapebar", 130, ID_TOOL_POINTER, AFX_IDW_DOCKBAR_LEFT},
        {&m_pFrame->m_wndMoreShapeBar, "More Shapebar", 302, ID_TOOL_CALLOUT_LEFT, AFX_IDW_DOCKBAR_LEFT},
        {&m_pFrame->m_wndActionsBar, "Actions", 248, ID_ARRANGE_TO_FRONT, AFX_IDW_DOCKBAR_BOTTOM},
        {&m_pFrame->m_wndFormatBar, "Formatting", 255, ID_TEXT_BOLD, AFX_IDW_DOCKBAR_TOP},
    };
    for (const auto& bar : bars)
    {
        ASSERT_TRUE(::IsWindow(bar.pBar->m_hWnd)) << bar.pszName;
        CString strName;
        bar.pBar->GetWindowText(strName);
        EXPECT_STREQ(bar.pszName, strName);
        EXPECT_EQ(bar.nID, (UINT)bar.pBar->GetDlgCtrlID());
        EXPECT_EQ(bar.pBar, m_pFrame->GetToolBar(bar.nID));
        EXPECT_TRUE(bar.pBar->IsWindowVisible()) << bar.pszName;
        ASSERT_GT(bar.pBar->GetButtonCount(), 5) << bar.pszName;
        EXPECT_EQ(bar.nFirstButton, bar.pBar->GetButtonID(0)) << bar.pszName;
        EXPECT_EQ(bar.nSide, DockSideOf(*bar.pBar)) << bar.pszName;
    }

    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    const CRect rectStandard = ClientRectOf(m_pFrame, &m_pFrame->m_wndToolBar);
    const CRect rectFormat = ClientRectOf(m_pFrame, &m_pFrame->m_wndFormatBar);
    const CRect rectShapes = ClientRectOf(m_pFrame, &m_pFrame->m_wndShapeBar);
    const CRect rectMore = ClientRectOf(m_pFrame, &m_pFrame->m_wndMoreShapeBar);
    const CRect rectActions = ClientRectOf(m_pFrame, &m_pFrame->m_wndActionsBar);
    const CRect rectStatus = ClientRectOf(m_pFrame, &m_pFrame->m_wndStatusBar);
    // Standard and Formatting share the top row, Formatting on the right
    EXPECT_EQ(rectStandard.top, rectFormat.top);
    EXPECT_GE(rectFormat.left, rectStandard.right);
    // the two shape bars stand side by side on the left, under the top row
    EXPECT_GE(rectShapes.top, rectStandard.bottom);
    EXPECT_GE(rectMore.left, rectShapes.right);
    EXPECT_GT(rectShapes.Height(), rectShapes.Width());
    // Actions lies along the bottom, right above the status bar
    EXPECT_EQ(rectStatus.top, rectActions.bottom);
    EXPECT_GT(rectActions.Width(), rectActions.Height());
    EXPECT_EQ(rectClient.bottom, rectStatus.bottom);

    // the status bar's panes: message, position, size, zoom, CAP, NUM
    CExtStatusControlBar& status = m_pFrame->m_wndStatusBar;
    ASSERT_EQ(6, status.GetCount());
    const UINT ids[] = {0, 130, 59141, 259, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
    const int widths[] = {-1, 110, 80, 80, -1, -1};
    for (int i = 0; i < 6; i++)
    {
        UINT nID = 0, nStyle = 0;
        int cxWidth = 0;
        status.GetPaneInfo(i, nID, nStyle, cxWidth);
        EXPECT_EQ(ids[i], nID) << i;
        if (widths[i] > 0)
            EXPECT_EQ(widths[i], cxWidth) << i;
    }
    EXPECT_STREQ("CAP", status.GetPaneText(4));
    EXPECT_STREQ("NUM", status.GetPaneText(5));

    // the Properties bar on the right edge, holding the element property sheet
    CPropertiesBar* pProperties = m_pFrame->m_pPropertiesBar;
    ASSERT_TRUE(pProperties != NULL);
    EXPECT_EQ(123, pProperties->GetDlgCtrlID());
    EXPECT_TRUE(pProperties->IsWindowVisible());
    const CRect rectProperties = ClientRectOf(m_pFrame, pProperties);
    EXPECT_EQ(rectClient.right, rectProperties.right);
    // at least the sizes asked for, more where the sheet needs it; the height follows the row
    EXPECT_GE(pProperties->m_sizeDockedV.cx, 235);
    EXPECT_GE(pProperties->m_sizeFloated.cx, 225);
    EXPECT_GE(pProperties->m_sizeFloated.cy, 355);
    EXPECT_TRUE(pProperties->m_pSheet != NULL);
    m_pFrame->HidePropertiesBar();
    EXPECT_FALSE(pProperties->IsWindowVisible());

    // the menu bar above them all, showing the menu of the main window
    CExtMenuControlBar& menuBar = m_pFrame->m_wndMenuBar;
    ASSERT_TRUE(::IsWindow(menuBar.m_hWnd));
    EXPECT_TRUE(menuBar.IsWindowVisible());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, DockSideOf(menuBar));
    EXPECT_LE(ClientRectOf(m_pFrame, &menuBar).bottom, rectStandard.top);
    ASSERT_TRUE(menuBar.GetCurrentMenu() != NULL);
    EXPECT_EQ(3, menuBar.GetCurrentMenu()->GetMenuItemCount());
}

TEST_F(MainFrame, NewPublicationOpensMaximisedWithTheSplitterAndTheTip)
{
    CProgramFiles files;
    files.WriteTips("A tip::Another tip");
    COptionsKey(m_program.OptionsKeyPath()).SetDword("ShowTip", 1);
    CDialogScript script;
    CWizardAnswer answer;
    answer.fWidth = 3.0;
    answer.fHeight = 1.5;
    ScriptWizard(script, answer);
    script.OnDialog(IDD_TIPOFTHEDAY).OK();
    m_program.Command(ID_FILE_NEW);
    EXPECT_EQ(2, script.GetRecordCount()) << (LPCTSTR)script.GetLog();
    EXPECT_EQ(0, script.GetPendingCount());

    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = m_pFrame->MDIGetActive(&bMaximized);
    ASSERT_TRUE(pChild != NULL);
    EXPECT_TRUE(bMaximized);
    CChildFrame* pChildFrame = DYNAMIC_DOWNCAST(CChildFrame, pChild);
    ASSERT_TRUE(pChildFrame != NULL);
    EXPECT_EQ(2, pChildFrame->m_wndSplitter.GetRowCount());
    EXPECT_EQ(3, pChildFrame->m_wndSplitter.GetColumnCount());
    EXPECT_EQ(pChildFrame->m_wndSplitter.GetPane(1, 2), pChildFrame->GetActiveView());
    ASSERT_TRUE(m_program.ActiveDoc() != NULL);
    EXPECT_EQ(300, m_program.ActiveDoc()->m_nDesignWidth);
    // the menu bar shows the publication's menu
    Pump();
    ASSERT_TRUE(m_pFrame->m_wndMenuBar.GetCurrentMenu() != NULL);
    EXPECT_EQ(8, m_pFrame->m_wndMenuBar.GetCurrentMenu()->GetMenuItemCount());
    // the child sits in the client area left between the bars
    const CRect rectClient = ClientRectOf(m_pFrame, CWnd::FromHandle(m_pFrame->m_hWndMDIClient));
    EXPECT_GE(rectClient.left, ClientRectOf(m_pFrame, &m_pFrame->m_wndMoreShapeBar).right);
    EXPECT_LE(rectClient.right, ClientRectOf(m_pFrame, m_pFrame->m_pPropertiesBar).left);
}

TEST_F(MainFrame, ToolbarTogglesRedockTheDefaultLayoutAndCheckTheirItems)
{
    CExtToolControlBar& actions = m_pFrame->m_wndActionsBar;
    CExtToolControlBar& shapes = m_pFrame->m_wndShapeBar;
    // Shapebar moved to the right side
    m_pFrame->DockControlBar(&shapes, AFX_IDW_DOCKBAR_RIGHT);
    m_pFrame->RecalcLayout();
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, DockSideOf(shapes));

    CRecordingCmdUI ui;
    ui.m_nID = ID_VIEW_ACTIONS;
    ui.DoUpdate(m_pFrame, TRUE);
    EXPECT_EQ(1, ui.m_nCheck);

    m_program.Command(ID_VIEW_ACTIONS);
    EXPECT_FALSE(actions.IsWindowVisible());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, DockSideOf(shapes));      // back in the default place
    ui.DoUpdate(m_pFrame, TRUE);
    EXPECT_EQ(0, ui.m_nCheck);
    EXPECT_TRUE(ui.m_bEnabled);

    m_program.Command(ID_VIEW_ACTIONS_BAR);
    EXPECT_TRUE(actions.IsWindowVisible());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_BOTTOM, DockSideOf(actions));

    // the class library's toggles: Standard without re-docking, the status bar
    m_program.Command(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(m_pFrame->m_wndToolBar.IsWindowVisible());
    CRecordingCmdUI standard;
    standard.m_nID = ID_VIEW_STANDARD_BAR;
    standard.DoUpdate(m_pFrame, TRUE);
    EXPECT_EQ(0, standard.m_nCheck);
    m_program.Command(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(m_pFrame->m_wndStatusBar.IsWindowVisible());
    m_program.Command(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(m_pFrame->m_wndStatusBar.IsWindowVisible());

    // a status-bar pane with the id of a bar toggle keeps its look
    CRecordingCmdUI pane;
    pane.m_nID = ID_INDICATOR_POSITION;
    pane.m_pOther = &m_pFrame->m_wndStatusBar;
    pane.DoUpdate(m_pFrame, TRUE);
    EXPECT_EQ(-1, pane.m_nCheck);
    EXPECT_TRUE(pane.m_bEnabled);
}

TEST_F(MainFrame, StoredBarLayoutIsKeptAndPropertiesStillDockRight)
{
    // the layout with Actions on the right side, stored in the framework's registry store
    m_pFrame->DockControlBar(&m_pFrame->m_wndActionsBar, AFX_IDW_DOCKBAR_RIGHT);
    m_pFrame->RecalcLayout();
    ASSERT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, DockSideOf(m_pFrame->m_wndActionsBar));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ASSERT_TRUE(CExtControlBar::SerializeFrameBarState(ar, m_pFrame));
        ar.Close();
    }
    const CString strProfile = m_program.m_pApp->m_pszProfileName;
    CString strKeyPath;
    CExtCmdManager::MakeRegistryKeyPath(strKeyPath, "ControlBar", strProfile, m_program.m_strCompany, strProfile);
    file.Seek(0, CFile::begin);
    ASSERT_TRUE(CExtCmdManager::SaveStreamToRegistry(file, strKeyPath, HKEY_CURRENT_USER));

    // the next main window takes it; the Properties bar is docked right all the same
    CMainFrame* pSecond = new CMainFrame;
    ASSERT_TRUE(pSecond->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    pSecond->ShowWindow(SW_SHOW);
    pSecond->RecalcLayout();
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, DockSideOf(pSecond->m_wndActionsBar));
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, DockSideOf(pSecond->m_wndShapeBar));
    ASSERT_TRUE(pSecond->m_pPropertiesBar != NULL);
    CRect rectClient;
    pSecond->GetClientRect(&rectClient);
    EXPECT_TRUE(pSecond->m_pPropertiesBar->IsWindowVisible());
    // inside the toolbar at the frame's right edge
    const CRect rectActions = ClientRectOf(pSecond, &pSecond->m_wndActionsBar);
    EXPECT_EQ(rectClient.right, rectActions.right);
    const int nPropertiesRight = ClientRectOf(pSecond, pSecond->m_pPropertiesBar).right;
    EXPECT_LE(nPropertiesRight, rectActions.left);
    EXPECT_GE(nPropertiesRight, rectActions.left - 4);     // the dock bars' borders between
    pSecond->DestroyWindow();
    Pump();
}

/////////////////////////////////////////////////////////////////////////////
// Placement

TEST_F(MainFrame, FirstStartStoresTheDefaultPlacement)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, m_program.OptionsKeyPath());
    CREATESTRUCT cs;
    memset(&cs, 0, sizeof(cs));
    CMainFrame::DefaultWindowRect(cs);
    const int W = ::GetSystemMetrics(SM_CXSCREEN), H = ::GetSystemMetrics(SM_CYSCREEN);
    if (W == 1024 && H == 768)
    {
        EXPECT_EQ(955, cs.cx);
        EXPECT_EQ(716, cs.cy);
        EXPECT_EQ(19, cs.x);
        EXPECT_EQ(14, cs.y);
    }
    CMainFrame::LoadWindowRect(cs);
    COptionsKey key(m_program.OptionsKeyPath());
    DWORD cx = 0, cy = 0, x = 0, y = 0;
    ASSERT_TRUE(key.GetDword("cs_cx", cx));
    ASSERT_TRUE(key.GetDword("cs_cy", cy));
    ASSERT_TRUE(key.GetDword("cs_x", x));
    ASSERT_TRUE(key.GetDword("cs_y", y));
    EXPECT_EQ((DWORD)cs.cx, cx);
    EXPECT_EQ((DWORD)cs.cy, cy);
    EXPECT_EQ((DWORD)cs.x, x);
    EXPECT_EQ((DWORD)cs.y, y);
}

TEST_F(MainFrame, StoredPlacementIsKeptOnTheScreen)
{
    COptionsKey key(m_program.OptionsKeyPath());
    CRect rectDesktop;
    ::GetWindowRect(::GetDesktopWindow(), &rectDesktop);
    const int W = rectDesktop.Width(), H = rectDesktop.Height();
    auto load = [&](int x, int y, int cx, int cy) {
        key.SetDword("cs_x", (DWORD)x);
        key.SetDword("cs_y", (DWORD)y);
        key.SetDword("cs_cx", (DWORD)cx);
        key.SetDword("cs_cy", (DWORD)cy);
        CREATESTRUCT cs;
        memset(&cs, 0, sizeof(cs));
        CMainFrame::DefaultWindowRect(cs);
        CMainFrame::LoadWindowRect(cs);
        return CRect(CPoint(cs.x, cs.y), CSize(cs.cx, cs.cy));
    };

    EXPECT_EQ(CRect(CPoint(30, 40), CSize(700, 500)), load(30, 40, 700, 500));
    // wider than the desktop: desktop width - 10 from left 5
    CRect rect = load(100, 20, W + 400, 500);
    EXPECT_EQ(W - 10, rect.Width());
    EXPECT_EQ(5, rect.left);
    // past the right edge: centred
    rect = load(W - 100, 20, 600, 400);
    EXPECT_EQ(W / 2 - 300, rect.left);
    // on a monitor that is gone (far left and above): moved onto the work area
    MONITORINFO mi;
    mi.cbSize = sizeof(mi);
    ASSERT_TRUE(::GetMonitorInfoA(::MonitorFromPoint(CPoint(0, 0), MONITOR_DEFAULTTOPRIMARY), &mi));
    rect = load(-3000, -2000, 640, 480);
    EXPECT_EQ(CSize(640, 480), rect.Size());
    EXPECT_EQ(mi.rcWork.left, rect.left);
    EXPECT_EQ(mi.rcWork.top, rect.top);
    // a value missing: the defaults stay
    key.Delete("cs_cy");
    CREATESTRUCT cs;
    memset(&cs, 0, sizeof(cs));
    CMainFrame::DefaultWindowRect(cs);
    const CREATESTRUCT defaults = cs;
    CMainFrame::LoadWindowRect(cs);
    EXPECT_EQ(defaults.cx, cs.cx);
    EXPECT_EQ(defaults.x, cs.x);
    (void)H;
}

TEST_F(MainFrame, ClosingStoresThePlacementEvenWhenCancelledAndTheNextStartRestoresIt)
{
    CVarnelDoc* pDoc = NewDoc();
    ASSERT_TRUE(pDoc != NULL);
    pDoc->SetModifiedFlag(TRUE);
    COptionsKey key(m_program.OptionsKeyPath());
    DWORD cx = 0, cy = 0, x = 0, y = 0;

    // small and dragged off to the left: 770 x 530 at left 10
    m_pFrame->SetWindowPos(NULL, -50, 20, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    m_boxes.AddAnswer(IDCANCEL);        // the save question
    m_pFrame->SendMessage(WM_CLOSE);
    ASSERT_TRUE(::IsWindow(m_pFrame->m_hWnd));
    EXPECT_EQ(1, m_program.CountDocs());
    ASSERT_TRUE(key.GetDword("cs_cx", cx) && key.GetDword("cs_cy", cy) && key.GetDword("cs_x", x) &&
                key.GetDword("cs_y", y));
    EXPECT_EQ(770u, cx);
    EXPECT_EQ(530u, cy);
    EXPECT_EQ(10, (int)x);
    EXPECT_EQ(20, (int)y);

    // left -10 is kept
    m_pFrame->SetWindowPos(NULL, -10, 30, 900, 650, SWP_NOZORDER | SWP_NOACTIVATE);
    m_boxes.AddAnswer(IDCANCEL);
    m_pFrame->SendMessage(WM_CLOSE);
    ASSERT_TRUE(key.GetDword("cs_x", x) && key.GetDword("cs_cx", cx));
    EXPECT_EQ(-10, (int)x);
    EXPECT_EQ(900u, cx);

    // the next main window opens where the last one closed (moved onto the screen)
    m_pFrame->SetWindowPos(NULL, 40, 30, 900, 650, SWP_NOZORDER | SWP_NOACTIVATE);
    m_boxes.AddAnswer(IDCANCEL);
    m_pFrame->SendMessage(WM_CLOSE);
    CMainFrame* pSecond = new CMainFrame;
    ASSERT_TRUE(pSecond->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    CRect rect;
    pSecond->GetWindowRect(&rect);
    EXPECT_EQ(CRect(40, 30, 940, 680), rect);
    pSecond->DestroyWindow();
    Pump();
    pDoc->SetModifiedFlag(FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// Status texts, progress and the guarded pump

namespace
{
int g_nTimerCalls = 0;
BOOL g_bBusyInTimer = FALSE;
CDocument* g_pTimerDoc = NULL;

void CALLBACK CountTimer(HWND, UINT, UINT_PTR nID, DWORD)
{
    ::KillTimer(NULL, nID);
    ++g_nTimerCalls;
    g_bBusyInTimer = CExportProgress::IsExporting(g_pTimerDoc);
}
}

TEST_F(MainFrame, StatusTextsAndProgressInTheStatusBar)
{
    m_pFrame->SetStatusText(1, "x,y:12, 34");
    EXPECT_STREQ("x,y:12, 34", m_pFrame->m_wndStatusBar.GetPaneText(1));
    m_pFrame->SetStatusText(9, "no such pane");         // ignored

    ASSERT_TRUE(m_pFrame->BeginProgress(4));
    CProgressBar& progress = m_pFrame->m_wndProgressBar;
    ASSERT_TRUE(::IsWindow(progress.m_hWnd));
    EXPECT_EQ(&m_pFrame->m_wndStatusBar, progress.GetParent());
    EXPECT_TRUE(m_pFrame->StepProgress());
    EXPECT_TRUE(m_pFrame->StepProgress());
    EXPECT_EQ(2, (int)progress.SendMessage(PBM_GETPOS));
    progress.Clear();
    EXPECT_FALSE(::IsWindow(progress.m_hWnd));
}

TEST_F(MainFrame, EnableAndCheckDisablesOrSetsTheCheck)
{
    CRecordingCmdUI off, on, unchecked;
    EnableAndCheck(&off, FALSE, TRUE);
    EXPECT_FALSE(off.m_bEnabled);
    EXPECT_EQ(-1, off.m_nCheck);
    EnableAndCheck(&on, TRUE, TRUE);
    EXPECT_TRUE(on.m_bEnabled);
    EXPECT_EQ(1, on.m_nCheck);
    EnableAndCheck(&unchecked, TRUE, FALSE);
    EXPECT_EQ(0, unchecked.m_nCheck);
}

TEST_F(MainFrame, PumpingRefusesCommandsThatCloseTheDocumentButRunsTheRest)
{
    CVarnelDoc* pDoc = NewDoc();
    ASSERT_TRUE(pDoc != NULL);
    g_nTimerCalls = 0;
    g_bBusyInTimer = FALSE;
    g_pTimerDoc = pDoc;
    ::SetTimer(NULL, 0, 1, CountTimer);
    ::Sleep(30);
    ::PostMessageA(m_pFrame->m_hWnd, WM_COMMAND, ID_FILE_CLOSE, 0);
    ::PostMessageA(m_pFrame->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(m_pFrame->PumpMessages());
    EXPECT_EQ(1, m_program.CountDocs());
    EXPECT_TRUE(::IsWindow(m_pFrame->m_hWnd));
    EXPECT_EQ(1, g_nTimerCalls);
    EXPECT_TRUE(g_bBusyInTimer);        // the document counted as busy meanwhile
    EXPECT_FALSE(CExportProgress::IsExporting(pDoc));

    // a quit request ends the pumping and stays queued
    ::PostQuitMessage(7);
    EXPECT_FALSE(m_pFrame->PumpMessages());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7, (int)msg.wParam);
}

/////////////////////////////////////////////////////////////////////////////
// Keys and commands

TEST_F(MainFrame, DelDeletesTheSelectionButNotInAnEditField)
{
    CVarnelDoc* pDoc = NewDoc();
    ASSERT_TRUE(pDoc != NULL);
    CVarnelView* pView = m_program.ActiveView();
    ASSERT_TRUE(pView != NULL);
    CRectangle* pRect = new CRectangle(CPoint(10, 10), CPoint(60, 40));
    pDoc->m_listElements.AddTail(pRect);
    pDoc->m_listSelection.AddTail(pRect);

    // an edit field of the main window (as in the Properties bar) keeps the key: the
    // publication's Del accelerator works inside its own window only
    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, "Edit", "abc", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), m_pFrame, 4711));
    edit.SetFocus();
    ::PostMessageA(edit.m_hWnd, WM_KEYDOWN, VK_DELETE, 1);
    Pump();
    EXPECT_EQ(1, (int)pDoc->m_listElements.GetCount());
    edit.DestroyWindow();

    pView->SetFocus();
    ::PostMessageA(pView->m_hWnd, WM_KEYDOWN, VK_DELETE, 1);
    Pump();
    EXPECT_EQ(0, (int)pDoc->m_listElements.GetCount());
}

TEST_F(MainFrame, AltInThePublicationWindowReachesTheMenuBar)
{
    ASSERT_TRUE(NewDoc() != NULL);
    CVarnelView* pView = m_program.ActiveView();
    ASSERT_TRUE(pView != NULL);
    CFrameWnd* pChild = pView->GetParentFrame();
    ASSERT_TRUE(pChild != NULL);
    pView->SetFocus();
    auto key = [&](UINT nMsg, UINT nVK, bool bAlt) {
        MSG msg;
        ::ZeroMemory(&msg, sizeof(msg));
        msg.hwnd = pView->m_hWnd;
        msg.message = nMsg;
        msg.wParam = nVK;
        msg.lParam = 1 | (::MapVirtualKeyA(nVK, 0) << 16) | (bAlt ? (1 << 29) : 0) |
                     ((nMsg == WM_KEYUP || nMsg == WM_SYSKEYUP) ? (3u << 30) : 0);
        const BOOL bTaken = pChild->PreTranslateMessage(&msg);
        Pump();
        return bTaken;
    };
    CExtMenuControlBar& menuBar = m_pFrame->m_wndMenuBar;
    key(WM_SYSKEYDOWN, VK_MENU, true);
    key(WM_SYSKEYUP, VK_MENU, false);
    ASSERT_TRUE(menuBar.IsKeyboardMode());
    EXPECT_TRUE(key(WM_KEYDOWN, VK_ESCAPE, false));
    EXPECT_FALSE(menuBar.IsKeyboardMode());
}

TEST_F(MainFrame, EveryMenuCommandIsHandledOrDisabled)
{
    int nChecked = 0;
    std::vector<UINT> missing = EnabledWithoutHandler(m_pFrame, IDR_MAINFRAME, nChecked);
    for (UINT nID : missing)
        ADD_FAILURE() << "menu 128: command " << nID << " is enabled but has no handler";

    CVarnelDoc* pDoc = NewDoc();
    ASSERT_TRUE(pDoc != NULL);
    missing = EnabledWithoutHandler(m_pFrame, IDR_LABELTYPE, nChecked);
    for (UINT nID : missing)
        ADD_FAILURE() << "menu 129: command " << nID << " is enabled but has no handler";

    // again with two selected elements, which enables the arrangement commands
    CRectangle* pA = new CRectangle(CPoint(10, 10), CPoint(60, 40));
    CText* pB = new CText(CPoint(70, 10), CPoint(160, 40));
    pDoc->m_listElements.AddTail(pA);
    pDoc->m_listElements.AddTail(pB);
    pDoc->m_listSelection.AddTail(pA);
    pDoc->m_listSelection.AddTail(pB);
    missing = EnabledWithoutHandler(m_pFrame, IDR_LABELTYPE, nChecked);
    for (UINT nID : missing)
        ADD_FAILURE() << "menu 129 with a selection: command " << nID << " is enabled but has no handler";
    EXPECT_GT(nChecked, 100);

    // the check is real: a command nobody handles is reported when something enables it
    CRecordingCmdUI ui;
    ui.m_nID = 0x7F01;
    ui.DoUpdate(m_pFrame, TRUE);
    EXPECT_FALSE(ui.m_bEnabled);
}

TEST(FileChoices, TheFolderOfTheChosenFileIsRemembered)
{
    EXPECT_STREQ("C:\\Labels", CVarnelApp::FolderOfFile("C:\\Labels\\a.labf"));
    EXPECT_STREQ("C:\\", CVarnelApp::FolderOfFile("C:\\a.labf"));
    EXPECT_STREQ("\\\\server\\share", CVarnelApp::FolderOfFile("\\\\server\\share\\a.labf"));
    EXPECT_STREQ("", CVarnelApp::FolderOfFile("a.labf"));
}
