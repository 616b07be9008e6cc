// A frame with the menu bar, two toolbars and the status bar. In the normal run it checks
// the toolbar loaded from its resource and the painted bars; under Xvfb with
// STICKWELL_SCREENSHOT set it also saves a picture of the frame for people to look at.
#include "tools_support.h"
#include "uiframework/bars/ExtMenuControlBar.h"
#include "uiframework/foundation/ExtCmdIcon.h"
#include "afxpriv.h"
#include "window_picture.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{

// An MDI frame that handles the test commands (the bars show them enabled).
class CShotFrame : public CMDIFrameWnd
{
public:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID >= ID_TOOLS_CMD_FIRST && nID <= ID_TOOLS_EDITB)
        {
            if (nCode == (int)CN_UPDATE_COMMAND_UI)
            {
                ((CCmdUI*)pExtra)->Enable(TRUE);
                if (nID == ID_TOOLS_BOLD)
                    ((CCmdUI*)pExtra)->SetCheck(1);
                return TRUE;
            }
            if (nCode == (int)CN_COMMAND)
                return TRUE;
        }
        return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};


// Clearly blue pixels inside the rectangle of the window's client area.
int CountBlue(CWnd* pWnd, const CRect& rc)
{
    CClientDC dc(pWnd);
    int n = 0;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
        {
            COLORREF clr = dc.GetPixel(x, y);
            int r = GetRValue(clr), g = GetGValue(clr), b = GetBValue(clr);
            if (b > r + 50 && b > g + 50)
                n++;
        }
    return n;
}

} // namespace

TEST(BarsScreenshot, FrameWithMenuBarTwoToolbarsAndStatusBar)
{
    CWinApp* pApp = new CWinApp("Bars Screenshot");
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR)"", SW_SHOW);
    CShotFrame* pFrame = new CShotFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "Stickwell bars", WS_OVERLAPPEDWINDOW, CRect(20, 20, 660, 420),
                               NULL, MAKEINTRESOURCEA(IDR_TOOLS_MAIN)));
    pApp->m_pMainWnd = pFrame;
    ASSERT_TRUE(CExtControlBar::SetupFrameDocking(pFrame, CBRS_ALIGN_ANY, TRUE));
    RegisterToolCommands(pFrame->m_hWnd);
    struct
    {
        UINT nID;
        LPCTSTR sText;
    } texts[] = { { ID_TOOLS_BOLD, "Bold" }, { ID_TOOLS_ITALIC, "Italic" },
                  { ID_TOOLS_ZOOM, "Zoom" }, { ID_TOOLS_GRID, "Grid" } };
    for (const auto& t : texts)
        g_CmdManagerHolder->FindCommand("tools", t.nID)->m_strAltText = t.sText;

    CExtMenuControlBar* pMenuBar = new CExtMenuControlBar;
    pMenuBar->SetMdiWindowPopupName("Window");
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                          CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    ASSERT_TRUE(pMenuBar->Create("Menu bar", pFrame, 0xE8F1, dwStyle));
    pMenuBar->EnableDocking(CBRS_ALIGN_ANY);
    CExtToolControlBar* pStandard = new CExtToolControlBar;
    ASSERT_TRUE(pStandard->Create("Standard", pFrame, 0xE8F2, dwStyle));
    ASSERT_TRUE(pStandard->LoadButtonsFromResource(IDR_TOOLS_TOOLBAR));
    pStandard->EnableDocking(CBRS_ALIGN_ANY);
    CExtToolControlBar* pFormat = new CExtToolControlBar;
    ASSERT_TRUE(pFormat->Create("Format", pFrame, 0xE8F3, dwStyle));
    const UINT formatIds[] = { ID_TOOLS_BOLD, ID_TOOLS_ITALIC, 0, ID_TOOLS_ZOOM, ID_TOOLS_GRID };
    ASSERT_TRUE(pFormat->SetButtons(formatIds, 5));
    pFormat->EnableDocking(CBRS_ALIGN_ANY);
    CExtStatusControlBar* pStatus = new CExtStatusControlBar;
    ASSERT_TRUE(pStatus->Create(pFrame));
    const UINT panes[] = { 0, ID_PANE_POSITION, ID_PANE_SIZE, ID_PANE_ZOOM };
    ASSERT_TRUE(pStatus->SetPanesFromStringIds(panes, 4));

    CDockBar* pTop = (CDockBar*)pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    pTop->DockControlBar(pMenuBar);
    pTop->DockControlBar(pStandard);
    pTop->DockControlBar(pFormat);
    // the two toolbars share the second row
    pTop->m_arrBars.RemoveAll();
    pTop->m_arrBars.Add(NULL);
    pTop->m_arrBars.Add(pMenuBar);
    pTop->m_arrBars.Add(NULL);
    pTop->m_arrBars.Add(pStandard);
    pTop->m_arrBars.Add(pFormat);
    pTop->m_arrBars.Add(NULL);
    pFrame->ShowWindow(SW_SHOW);
    pFrame->RecalcLayout();
    pFrame->UpdateWindow();
    CMDIChildWnd* pChild = new CMDIChildWnd;
    ASSERT_TRUE(pChild->Create(NULL, "Label 1", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                               CRect(10, 10, 300, 200), pFrame));
    pFrame->MDIMaximize(pChild);
    PumpPendingMessages();
    pStatus->SetPaneText(0, "Ready");
    pStatus->SetPaneText(1, "Pos 120, 45");
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW |
                                         RDW_FRAME);
    PumpPendingMessages();

    // the toolbar resource gave six buttons, a separator and the chevron, with icons
    ASSERT_EQ(pStandard->GetButtonCount(), 8);
    EXPECT_TRUE(pStandard->GetButton(3)->IsSeparator());
    EXPECT_EQ(pStandard->GetButtonID(4), (UINT)ID_TOOLS_CUT);
    CExtCmdIcon* pIcon = pStandard->GetButton(2)->GetIcon();
    ASSERT_TRUE(pIcon != NULL);
    EXPECT_FALSE(pIcon->IsEmpty());
    // the update pass checked the bold button, which is drawn on a face of its own
    EXPECT_TRUE(pFormat->GetButtonStyle(0) & CExtBarButton::BS_CHECKED);
    {
        pFormat->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        CRect rcBold, rcItalic;
        pFormat->GetButtonRect(0, &rcBold);
        pFormat->GetButtonRect(1, &rcItalic);
        CClientDC dc(pFormat);
        COLORREF clrBack = dc.GetPixel(rcItalic.left + 2, rcItalic.top + 2);
        EXPECT_NE(dc.GetPixel(rcBold.left + 2, rcBold.top + 2), clrBack);
    }
    // the maximised document's buttons are on the menu bar
    EXPECT_EQ(pMenuBar->GetButton(0)->GetRuntimeClass(), RUNTIME_CLASS(CExtBarMdiDocButton));
    // rows: the menu bar alone, then both toolbars side by side, the status bar at the bottom
    CRect rcMenu, rcStd, rcFmt, rcStatus, rcClient;
    pMenuBar->GetWindowRect(&rcMenu);
    pStandard->GetWindowRect(&rcStd);
    pFormat->GetWindowRect(&rcFmt);
    pStatus->GetWindowRect(&rcStatus);
    pFrame->GetClientRect(&rcClient);
    pFrame->ClientToScreen(&rcClient);
    EXPECT_EQ(rcMenu.Width(), rcClient.Width());
    EXPECT_EQ(rcStd.top, rcMenu.bottom);
    EXPECT_EQ(rcFmt.top, rcStd.top);
    EXPECT_EQ(rcFmt.left, rcStd.right);
    EXPECT_EQ(rcStatus.bottom, rcClient.bottom);
    const char* lpszPath = getenv("STICKWELL_SCREENSHOT");
    if (lpszPath != NULL && *lpszPath != 0)
    {
        pFrame->SetForegroundWindow();
        for (int i = 0; i < 20; i++)
        {
            PumpPendingMessages();
            ::Sleep(50);
        }
        EXPECT_TRUE(SaveWindowPicture(pFrame->m_hWnd, lpszPath));
    }

    // the save icon's blue is on the painted toolbar
    CRect rcSave;
    pStandard->GetButtonRect(2, &rcSave);
    pStandard->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(CountBlue(pStandard, rcSave), 20);
    // and none on the cut button beside it
    CRect rcCut;
    pStandard->GetButtonRect(4, &rcCut);
    EXPECT_EQ(CountBlue(pStandard, rcCut), 0);

    pApp->m_pMainWnd = NULL;
    pFrame->DestroyWindow();
    PumpPendingMessages();
    delete pMenuBar;
    delete pStandard;
    delete pFormat;
    delete pStatus;
    delete pApp;
}
