// Bar buttons beyond the plain command: plain-click menus that adopt the chosen command,
// separated drop-downs that are disabled, insertion and removal around the chevron,
// mnemonics of hidden buttons, and the status bar's bars menu.
#include "tools_support.h"
#include "afxpriv.h"

namespace
{

UINT s_nChoose = 0;

// Chooses s_nChoose in the tracked popup, as a click on the item would.
void CALLBACK ChooseInPopup(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    CExtPopupMenuWnd* pRoot = g_TrackingSite.m_pWndRoot;
    if (pRoot == NULL || pRoot->GetSafeHwnd() == NULL)
        return;
    ::KillTimer(NULL, nTimer);
    pRoot->EndWithCommand(s_nChoose);
}

HMENU MakeMenu(std::initializer_list<UINT> ids)
{
    HMENU hMenu = ::CreatePopupMenu();
    for (UINT nID : ids)
    {
        CString s;
        s.Format("Item %u", nID);
        ::AppendMenuA(hMenu, MF_STRING, nID, s);
    }
    return hMenu;
}

} // namespace

TEST_F(ToolsTest, APlainClickMenuAdoptsTheChosenCommandAndDeliversItOnce)
{
    CFixedToolBar* pBar = NewToolBar(0xE930, { ID_TOOLS_NEW, ID_TOOLS_BOLD }, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(pBar->SetButtonMenu(1, MakeMenu({ ID_TOOLS_BOLD, ID_TOOLS_ITALIC }), FALSE, TRUE));
    CExtBarButton* pTBB = pBar->GetButton(1);
    pTBB->SetPlainClickMenu(TRUE);
    s_nChoose = ID_TOOLS_ITALIC;
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 20, ChooseInPopup);
    pTBB->TrackButtonPopup(Centre(pBar, 1), FALSE, TRUE);
    ::KillTimer(NULL, nTimer);
    PumpPendingMessages();
    EXPECT_EQ(pTBB->GetCmdID(TRUE), (UINT)ID_TOOLS_ITALIC);
    EXPECT_EQ(pTBB->GetCmdID(FALSE), (UINT)ID_TOOLS_BOLD);
    ASSERT_EQ(m_pFrame->m_commands.size(), 1u);
    EXPECT_EQ(m_pFrame->m_commands[0], (UINT)ID_TOOLS_ITALIC);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);
}

TEST_F(ToolsTest, ADisabledSeparatedDropDownOpensFromItsArrowOnly)
{
    // the frame's update handler keeps the cut command disabled
    m_pFrame->m_bCutEnabled = false;
    CFixedToolBar* pBar = NewToolBar(0xE931, { ID_TOOLS_NEW, ID_TOOLS_CUT }, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(pBar->SetButtonMenu(1, MakeMenu({ ID_TOOLS_BOLD }), FALSE, TRUE));
    CExtBarButton* pTBB = pBar->GetButton(1);
    pTBB->SetSeparatedDropDown(TRUE);
    pTBB->ModifyStyle(CExtBarButton::BS_DISABLED);
    CRect rc;
    pBar->GetButtonRect(1, &rc);
    CRect rcArrow = pTBB->CalcDropDownRect();
    EXPECT_EQ(rcArrow.right, rc.right);
    EXPECT_EQ(rcArrow.Width(), 11);
    // the face does nothing
    CPoint ptFace(rc.left + 3, rc.CenterPoint().y);
    Mouse(pBar, WM_LBUTTONDOWN, ptFace);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    Mouse(pBar, WM_LBUTTONUP, ptFace);
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    // the arrow opens the menu
    Mouse(pBar, WM_LBUTTONDOWN, rcArrow.CenterPoint());
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(pBar->GetTrackingIndex(), 1);
    CExtToolControlBar::EndAllButtonTracking();
    PumpPendingMessages();
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    // nothing was delivered on the way
    EXPECT_TRUE(m_pFrame->m_commands.empty());
}

TEST_F(ToolsTest, InsertionAndRemovalKeepTheChevronLast)
{
    CFixedToolBar* pBar = NewToolBar(0xE932, { ID_TOOLS_NEW, ID_TOOLS_OPEN }, AFX_IDW_DOCKBAR_TOP);
    ASSERT_EQ(pBar->GetButtonCount(), 3);
    EXPECT_TRUE(pBar->InsertButton(-1, ID_TOOLS_SAVE, TRUE));
    ASSERT_EQ(pBar->GetButtonCount(), 4);
    EXPECT_EQ(pBar->GetButtonID(2), (UINT)ID_TOOLS_SAVE);
    EXPECT_EQ(pBar->GetButton(3), (CExtBarButton*)pBar->GetChevron());
    EXPECT_TRUE(pBar->InsertButton(0, 0, TRUE));
    EXPECT_TRUE(pBar->GetButton(0)->IsSeparator());
    EXPECT_FALSE(pBar->InsertButton(9, ID_TOOLS_CUT, TRUE));
    EXPECT_FALSE(pBar->RemoveButton(pBar->GetButtonCount() - 1, TRUE));
    EXPECT_TRUE(pBar->RemoveButton(0, TRUE));
    EXPECT_EQ(pBar->GetButtonID(0), (UINT)ID_TOOLS_NEW);
    EXPECT_TRUE(pBar->GetButton(7) == NULL);
    EXPECT_EQ(pBar->GetButtonID(-1), 0u);
    CRect rc(1, 1, 2, 2);
    pBar->GetButtonRect(42, &rc);
    EXPECT_TRUE(rc.IsRectEmpty());
    // a leading separator takes no room
    pBar->InsertButton(0, 0, TRUE);
    EXPECT_FALSE(pBar->GetButton(0)->IsVisible());
    // SetCmdID to 0 turns a button into a separator
    pBar->GetButton(2)->SetCmdID(0);
    EXPECT_TRUE(pBar->GetButton(2)->IsSeparator());
    // an empty bar measures as one default button
    EXPECT_TRUE(pBar->SetButtons(NULL, 0));
    EXPECT_EQ(pBar->GetButtonCount(), 0);
    EXPECT_EQ(pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK), pBar->GetDefaultButtonSize());
}

TEST_F(ToolsTest, AMnemonicOfAHiddenButtonFindsTheChevron)
{
    m_pFrame->SetWindowPos(NULL, 0, 0, 200, 300, SWP_NOMOVE | SWP_NOZORDER);
    std::vector<UINT> ids = { ID_TOOLS_NEW, ID_TOOLS_OPEN, ID_TOOLS_SAVE, ID_TOOLS_CUT,
                              ID_TOOLS_COPY, ID_TOOLS_PASTE, ID_TOOLS_BOLD, ID_TOOLS_ITALIC };
    // the commands are the process's: their texts are given back at the end, else the
    // buttons of later tests show them and grow
    struct AltTexts_t
    {
        std::vector<std::pair<CExtCmdItem*, CString>> saved;
        ~AltTexts_t()
        {
            for (auto& item : saved)
                item.first->m_strAltText = item.second;
        }
    } altTexts;
    for (UINT nID : ids)
    {
        CExtCmdItem* pItem = g_CmdManagerHolder->FindCommand("tools", nID);
        ASSERT_TRUE(pItem != NULL);
        altTexts.saved.emplace_back(pItem, pItem->m_strAltText);
        pItem->m_strAltText = pItem->m_strMenuText;
    }
    CFixedToolBar* pBar = NewToolBar(0xE933, ids, AFX_IDW_DOCKBAR_TOP);
    int nChevron = pBar->GetButtonCount() - 1;
    EXPECT_EQ(pBar->FindButtonByMnemonic('n'), 0);
    EXPECT_EQ(pBar->FindButtonByMnemonic('O'), 1);
    ASSERT_FALSE(pBar->GetButton(7)->IsVisible());
    EXPECT_EQ(pBar->FindButtonByMnemonic('i'), nChevron);
    EXPECT_EQ(pBar->FindButtonByMnemonic('x'), -1);
    // the menu walk over visible buttons wraps and skips disabled ones
    EXPECT_EQ(pBar->GetNextMenuButton(0, FALSE, FALSE), nChevron);
    pBar->GetButton(1)->ModifyStyle(CExtBarButton::BS_DISABLED);
    EXPECT_EQ(pBar->GetNextMenuButton(0, TRUE, TRUE), 2);
    EXPECT_EQ(pBar->GetNextMenuButton(0, TRUE, FALSE), 1);
}

TEST_F(ToolsTest, TheStatusBarOffersTheBarsMenu)
{
    NewToolBar(0xE934, { ID_TOOLS_NEW }, AFX_IDW_DOCKBAR_TOP);
    CExtStatusControlBar* pStatus = new CExtStatusControlBar;
    ASSERT_TRUE(pStatus->Create(m_pFrame));
    const UINT panes[] = { 0, ID_PANE_ZOOM };
    ASSERT_TRUE(pStatus->SetPanesFromStringIds(panes, 2));
    m_pFrame->RecalcLayout();
    CRect rc;
    pStatus->GetWindowRect(&rc);
    pStatus->SendMessage(WM_CONTEXTMENU, (WPARAM)pStatus->m_hWnd,
                         MAKELPARAM(rc.left + 5, rc.top + 5));
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    ASSERT_TRUE(g_TrackingSite.m_pWndRoot != NULL);
    EXPECT_GT(g_TrackingSite.m_pWndRoot->GetItemCount(), 0);
    CExtPopupMenuWnd::CancelTracking();
    PumpPendingMessages();
    pStatus->DestroyWindow();
    delete pStatus;
}

TEST_F(ToolsTest, HelpHitsComeFromTheButtonUnderThePoint)
{
    CFixedToolBar* pBar = NewToolBar(0xE935, { ID_TOOLS_NEW, 0, 41999 }, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(pBar->HelpHitTest(Centre(pBar, 0)), (int)ID_TOOLS_NEW);
    // a command the command manager does not know has no help
    EXPECT_EQ(pBar->HelpHitTest(Centre(pBar, 2)), -2);
    EXPECT_EQ(pBar->GetButton(1)->OnHelpHitTest(Centre(pBar, 1)), -1);
    // a drop-down outside help mode answers -3
    ASSERT_TRUE(pBar->SetButtonMenu(0, MakeMenu({ ID_TOOLS_BOLD }), FALSE, TRUE));
    EXPECT_EQ(pBar->HelpHitTest(Centre(pBar, 0)), -3);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

TEST_F(ToolsTest, AShortLeftSideHidesTheLastButtonsBehindTheChevronAtTheBottom)
{
    m_pFrame->SetWindowPos(NULL, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER);
    std::vector<UINT> ids = { ID_TOOLS_NEW, ID_TOOLS_OPEN, ID_TOOLS_SAVE, ID_TOOLS_CUT,
                              ID_TOOLS_COPY, ID_TOOLS_PASTE, ID_TOOLS_BOLD, ID_TOOLS_ITALIC };
    CFixedToolBar* pBar = NewToolBar(0xE936, ids, AFX_IDW_DOCKBAR_LEFT);
    ASSERT_EQ(pBar->GetLayoutState(), 1);
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    CRect rcChevron;
    pBar->GetButtonRect(pBar->GetButtonCount() - 1, &rcChevron);
    EXPECT_EQ(rcChevron.Height(), 11);
    EXPECT_GE(rcChevron.bottom, rcClient.bottom - 2);
    CExtBarContentExpandButton* pChevron = pBar->GetChevron();
    ASSERT_GT(pChevron->m_arrHiddenButtons.GetSize(), 0);
    EXPECT_EQ(pChevron->m_arrHiddenButtons[pChevron->m_arrHiddenButtons.GetSize() - 1],
              pBar->GetButton(7));
    for (int i = 0; i < 8; i++)
    {
        CExtBarButton* pTBB = pBar->GetButton(i);
        if (!pTBB->IsVisible())
            continue;
        CRect rc;
        pBar->GetButtonRect(i, &rc);
        EXPECT_LE(rc.bottom, rcChevron.top) << i;
    }
    // a popup from a bar docked at the left opens to the right of the button
    EXPECT_EQ(pChevron->GetTrackAlignment(), (int)CExtPopupMenuWnd::TPMX_RIGHTALIGN);
}

TEST_F(ToolsTest, TheHelpLoopAnswersWhatTheHelpCursorPointsAt)
{
    CFixedToolBar* pBar = NewToolBar(0xE937, { ID_TOOLS_NEW, ID_TOOLS_OPEN }, AFX_IDW_DOCKBAR_TOP);
    PumpPendingMessages();
    // outside help mode the loop ends at once
    EXPECT_EQ(CExtToolControlBar::TrackHelpLoop(pBar), -3);
    m_pFrame->m_bHelpMode = TRUE;
    m_pFrame->PostMessage(WM_COMMAND, ID_TOOLS_BOLD, 0);
    EXPECT_EQ(CExtToolControlBar::TrackHelpLoop(pBar), (int)ID_TOOLS_BOLD);
    m_pFrame->PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(CExtToolControlBar::TrackHelpLoop(pBar), 0x1EF06);
    m_pFrame->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_EQ(CExtToolControlBar::TrackHelpLoop(pBar), (int)SC_KEYMENU);
    CPoint pt = Centre(pBar, 1);
    pBar->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(CExtToolControlBar::TrackHelpLoop(pBar), (int)ID_TOOLS_OPEN);
    // help mode ending ends the loop
    m_pFrame->PostMessage(WM_NULL);
    m_pFrame->m_bHelpMode = FALSE;
    EXPECT_EQ(CExtToolControlBar::TrackHelpLoop(pBar), -3);
    EXPECT_TRUE(m_pFrame->m_commands.empty());
}

TEST_F(ToolsTest, AHostedControlSitsInItsButtonAndHidesWithIt)
{
    CExtToolControlBar* pBar = new CExtToolControlBar;
    m_toolbars.push_back(pBar);
    ASSERT_TRUE(pBar->Create("Hosted", m_pFrame, 0xE938,
                             WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
    const UINT ids[] = { ID_TOOLS_NEW, ID_TOOLS_ZOOM, ID_TOOLS_OPEN };
    ASSERT_TRUE(pBar->SetButtons(ids, 3));
    CWnd* pEdit = new CWnd;
    ASSERT_TRUE(pEdit->Create("EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 80, 18),
                              pBar, 100));
    pBar->GetButton(1)->SetCtrl(pEdit, FALSE);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    ((CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP))->DockControlBar(pBar);
    m_pFrame->RecalcLayout();
    CRect rcButton, rcEdit;
    pBar->GetButtonRect(1, &rcButton);
    pEdit->GetWindowRect(&rcEdit);
    pBar->ScreenToClient(&rcEdit);
    EXPECT_EQ(rcButton.Width(), 80);
    EXPECT_EQ(rcEdit.left, rcButton.left);
    EXPECT_EQ(rcEdit.Width(), 80);
    EXPECT_EQ(rcEdit.top, rcButton.top + (rcButton.Height() - 18) / 2);
    EXPECT_TRUE(pEdit->IsWindowVisible());
    EXPECT_FALSE(pBar->GetButton(1)->IsPlainCommandButton());
    // the button disabled: the control is too
    pBar->GetButton(1)->ModifyStyle(CExtBarButton::BS_DISABLED);
    EXPECT_FALSE(pEdit->IsWindowEnabled());
    pBar->GetButton(1)->ModifyStyle(0, CExtBarButton::BS_DISABLED);
    EXPECT_TRUE(pEdit->IsWindowEnabled());
    // hidden with its button
    pBar->GetButton(1)->ModifyStyle(CExtBarButton::BS_HIDDEN);
    EXPECT_FALSE(pEdit->IsWindowVisible());
    pBar->GetButton(1)->ModifyStyle(0, CExtBarButton::BS_HIDDEN);
    EXPECT_TRUE(pEdit->IsWindowVisible());
    // docked at the side it is not shown in the column
    ((CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT))->DockControlBar(pBar);
    m_pFrame->RecalcLayout();
    EXPECT_FALSE(pEdit->IsWindowVisible());
    // replacing the control destroys and deletes the old one
    HWND hWndEdit = pEdit->m_hWnd;
    pBar->GetButton(1)->SetCtrl(NULL);
    EXPECT_FALSE(::IsWindow(hWndEdit));
}
