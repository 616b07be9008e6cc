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
    ToolsPumpPending();
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
    ToolsPumpPending();
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
    for (UINT nID : ids)
    {
        CExtCmdItem* pItem = g_CmdManagerHolder->FindCommand("tools", nID);
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
    ToolsPumpPending();
    pStatus->DestroyWindow();
    delete pStatus;
}
