// Items of the popup menu: filling from menus, export, search, insertion and removal,
// the recent-file and window lists, the command-UI update.

#include "test_popup_support.h"
#include "ExtCmdIcon.h"

namespace
{

// A popup filled from IDR_POPUP_TEST_MENU for the receiver.
class PopupItemsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_receiver.GetSafeHwnd() != NULL);
        // the empty menu text of ID_POPUP_NOTEXT comes from the command manager
        CExtCmdItem cmd(ID_POPUP_NOTEXT);
        cmd.m_strMenuText = _T("&Zeta");
        g_CmdManagerHolder->SetCommand(m_receiver.m_strProfile, &cmd, true);
        m_pPopup = new CExtPopupMenuWnd;
    }
    void TearDown() override
    {
        delete m_pPopup;
    }

    bool Load()
    {
        return m_pPopup->LoadMenuResource(m_receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true);
    }

    CPopupTestReceiver m_receiver;
    CExtPopupMenuWnd* m_pPopup = NULL;
};

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Filling from a menu resource

TEST_F(PopupItemsTest, LoadMenuResourceBuildsItemsWithTextsAndSubMenus)
{
    ASSERT_TRUE(Load());
    // Alpha, Beta, separator (the second one dropped), More, Epsilon, Zeta
    ASSERT_EQ(6, m_pPopup->GetItemCount());
    EXPECT_EQ((UINT)ID_POPUP_ALPHA, m_pPopup->GetItemCmdID(0));
    EXPECT_STREQ("&Alpha", m_pPopup->GetItemText(0));
    EXPECT_STREQ("Ctrl+A", m_pPopup->GetItemAccelText(0));
    EXPECT_EQ(0u, m_pPopup->GetItemCmdID(2));
    EXPECT_STREQ("", m_pPopup->GetItemText(2));
    EXPECT_EQ((UINT)CExtPopupMenuWnd::ID_POPUP, m_pPopup->GetItemCmdID(3));
    EXPECT_STREQ("&More", m_pPopup->GetItemText(3));
    EXPECT_STREQ("&Zeta", m_pPopup->GetItemText(5));
    EXPECT_TRUE(m_pPopup->IsTopLevel());
    EXPECT_EQ(m_receiver.GetSafeHwnd(), m_pPopup->GetCmdReceiverHWND());

    CExtPopupMenuWnd* pMore = m_pPopup->GetItemPopup(3);
    ASSERT_TRUE(pMore != NULL);
    EXPECT_EQ(pMore, m_pPopup->GetItemSubMenu(3));
    EXPECT_EQ(m_pPopup, pMore->GetParentMenuWnd());
    EXPECT_FALSE(pMore->IsTopLevel());
    ASSERT_EQ(2, pMore->GetItemCount());
    CExtPopupMenuWnd* pDeep = pMore->GetItemPopup(1);
    ASSERT_TRUE(pDeep != NULL);
    EXPECT_EQ(pMore, pDeep->GetParentMenuWnd());
    EXPECT_EQ((UINT)ID_POPUP_DELTA, pDeep->GetItemCmdID(0));
    EXPECT_EQ('L', pDeep->GetItemAt(0).GetAccelChar());

    // the commands are registered in the receiver's profile
    CExtCmdItem* pCmd = g_CmdManagerHolder->FindCommand(m_receiver.m_strProfile, ID_POPUP_DELTA);
    ASSERT_TRUE(pCmd != NULL);
}

TEST_F(PopupItemsTest, BadPositionsAndMissingResources)
{
    EXPECT_FALSE(m_pPopup->LoadMenuResource(m_receiver.GetSafeHwnd(), 7299, true));
    EXPECT_FALSE(m_pPopup->UpdateFromHMENU(NULL, NULL, true, true));
    ASSERT_TRUE(Load());
    EXPECT_EQ(0u, m_pPopup->GetItemCmdID(99));
    EXPECT_EQ(0u, m_pPopup->GetItemCmdID(-1));
    EXPECT_STREQ("", m_pPopup->GetItemText(99));
    EXPECT_TRUE(m_pPopup->GetItemPopup(0) == NULL);
    EXPECT_FALSE(m_pPopup->DeleteItem(99));
    EXPECT_FALSE(m_pPopup->InsertCommandItem(47150, 99, _T("x")));
    EXPECT_THROW(m_pPopup->GetItemAt(99), CException*);
}

TEST_F(PopupItemsTest, ExportToHMENURoundTrip)
{
    ASSERT_TRUE(Load());
    HMENU hMenu = m_pPopup->ExportToHMENU(true);
    ASSERT_TRUE(hMenu != NULL);
    ASSERT_EQ(6, ::GetMenuItemCount(hMenu));
    char sz[64];
    ::GetMenuStringA(hMenu, 0, sz, sizeof(sz), MF_BYPOSITION);
    EXPECT_STREQ("&Alpha\tCtrl+A", sz);
    EXPECT_EQ((UINT)MF_SEPARATOR, ::GetMenuState(hMenu, 2, MF_BYPOSITION) & MF_SEPARATOR);
    HMENU hMore = ::GetSubMenu(hMenu, 3);
    ASSERT_TRUE(hMore != NULL);
    HMENU hDeep = ::GetSubMenu(hMore, 1);
    ASSERT_TRUE(hDeep != NULL);
    EXPECT_EQ((UINT)ID_POPUP_DELTA, ::GetMenuItemID(hDeep, 0));

    // the export fills a second popup with the same items
    CExtPopupMenuWnd* pCopy = new CExtPopupMenuWnd;
    ASSERT_TRUE(pCopy->UpdateFromHMENU(m_receiver.GetSafeHwnd(), hMenu, false, true));
    EXPECT_EQ(m_pPopup->GetItemCount(), pCopy->GetItemCount());
    for (int i = 0; i < m_pPopup->GetItemCount(); i++)
    {
        EXPECT_EQ(m_pPopup->GetItemCmdID(i), pCopy->GetItemCmdID(i)) << i;
        EXPECT_EQ(m_pPopup->GetItemText(i), pCopy->GetItemText(i)) << i;
    }
    delete pCopy;
    ::DestroyMenu(hMenu);

    // a shallow export has empty sub-menus
    hMenu = m_pPopup->ExportToHMENU(false);
    ASSERT_TRUE(hMenu != NULL);
    EXPECT_EQ(0, ::GetMenuItemCount(::GetSubMenu(hMenu, 3)));
    ::DestroyMenu(hMenu);
}

/////////////////////////////////////////////////////////////////////////////
// Searching

TEST_F(PopupItemsTest, FindItemByMnemonicWrapsAndSkipsTheStart)
{
    ASSERT_TRUE(m_pPopup->InitAsEmptyPopup(m_receiver.GetSafeHwnd()));
    m_pPopup->InsertCommandItem(47150, -1, _T("&Save"));
    m_pPopup->InsertCommandItem(47151, -1, _T("&Open"));
    m_pPopup->InsertCommandItem(47152, -1, _T("&save as"));
    m_pPopup->InsertCommandItem(47153, -1, _T("No mnemonic&"));
    m_pPopup->InsertCommandItem(47154, -1, _T("Item &0"));
    m_pPopup->RecalcLayout();
    EXPECT_EQ(0, m_pPopup->FindItemByMnemonic('s'));
    EXPECT_EQ(2, m_pPopup->FindItemByMnemonic('S', 0));
    // from the last match the search wraps to the first one
    EXPECT_EQ(0, m_pPopup->FindItemByMnemonic('s', 2));
    // an item that is the only one with the letter is not found from itself
    EXPECT_EQ(-1, m_pPopup->FindItemByMnemonic('o', 1));
    EXPECT_EQ(1, m_pPopup->FindItemByMnemonic('o', -1));
    // "0" never matches, a trailing "&" is no mnemonic
    EXPECT_EQ(-1, m_pPopup->FindItemByMnemonic('0'));
    EXPECT_EQ(0, m_pPopup->GetItemAt(3).GetAccelChar());
    // a disabled command is not found, and the start item never matches
    m_pPopup->GetItemAt(2).SetFlag(CExtPopupMenuWnd::ITEM_ENABLED, false);
    EXPECT_EQ(-1, m_pPopup->FindItemByMnemonic('s', 0));
    EXPECT_EQ(0, m_pPopup->FindItemByMnemonic('s', 1));
}

TEST_F(PopupItemsTest, FindItemByTextAndCmdID)
{
    ASSERT_TRUE(Load());
    EXPECT_EQ(1, m_pPopup->FindItemByText(_T("&Beta")));
    EXPECT_EQ(-1, m_pPopup->FindItemByText(_T("Beta")));
    EXPECT_EQ(-1, m_pPopup->FindItemByText(_T("")));
    EXPECT_EQ(1, m_pPopup->FindItemByText(_T("&Beta"), 3));
    EXPECT_EQ(4, m_pPopup->FindItemByCmdID(ID_POPUP_EPSILON));
    EXPECT_EQ(-1, m_pPopup->FindItemByCmdID(ID_POPUP_EPSILON, 4));
}

/////////////////////////////////////////////////////////////////////////////
// Building by hand

TEST_F(PopupItemsTest, InsertionOperations)
{
    ASSERT_TRUE(m_pPopup->InitAsEmptyPopup(m_receiver.GetSafeHwnd()));
    EXPECT_FALSE(m_pPopup->InitAsEmptyPopup(m_receiver.GetSafeHwnd()));
    // a command the profile does not know is refused; a known one takes its texts
    EXPECT_FALSE(m_pPopup->InsertNewSubMenu(47199, -1));
    CExtCmdItem cmd(47160);
    cmd.m_strMenuText = _T("&Known");
    cmd.m_strAccelText = _T("F7");
    g_CmdManagerHolder->SetCommand(m_receiver.m_strProfile, &cmd, true);
    ASSERT_TRUE(m_pPopup->InsertNewSubMenu(47160, -1));
    EXPECT_STREQ("&Known", m_pPopup->GetItemText(0));
    EXPECT_STREQ("F7", m_pPopup->GetItemAccelText(0));
    ASSERT_TRUE(m_pPopup->InsertNewSubMenu(0, 0));
    EXPECT_EQ(0u, m_pPopup->GetItemCmdID(0));
    ASSERT_TRUE(m_pPopup->InsertNewSubMenu((UINT)-1, -1, _T("&Sub")));
    CExtPopupMenuWnd* pSub = m_pPopup->GetItemPopup(2);
    ASSERT_TRUE(pSub != NULL);
    EXPECT_EQ(m_pPopup, pSub->GetParentMenuWnd());

    // own items carry text, accelerator, icon and check state
    CExtCmdIcon icon(::LoadIcon(NULL, IDI_APPLICATION), true);
    ASSERT_TRUE(m_pPopup->InsertCommandItem(47161, 1, _T("&Own\tCtrl+O"), NULL, &icon, 1));
    const CExtPopupMenuWnd::MENUITEMDATA& mi = m_pPopup->GetItemAt(1);
    EXPECT_STREQ("&Own", mi.GetText());
    EXPECT_STREQ("Ctrl+O", mi.GetAccelText());
    EXPECT_TRUE(mi.IsOwnIcon());
    EXPECT_TRUE(mi.IsChecked());
    EXPECT_TRUE(m_pPopup->GetItemHIcon(1) != NULL);
    ASSERT_TRUE(m_pPopup->InsertCommandItem(47162, -1, _T("Radio"), NULL, NULL, 3));
    EXPECT_TRUE(m_pPopup->GetItemAt(4).IsRadio());
    ASSERT_TRUE(m_pPopup->InsertCommandItemWithHIcon(47163, -1, _T("HIcon"), NULL,
                                                     ::LoadIcon(NULL, IDI_WARNING), true, 2,
                                                     NULL));
    EXPECT_TRUE(m_pPopup->GetItemAt(5).IsIndeterminate());
    EXPECT_TRUE(m_pPopup->GetItemHIcon(5) != NULL);
    // icons of plain command items cannot be set, those of sub-menus can
    EXPECT_FALSE(m_pPopup->SetItemHIcon(2, ::LoadIcon(NULL, IDI_WARNING)));
    EXPECT_TRUE(m_pPopup->SetItemHIcon(3, ::LoadIcon(NULL, IDI_WARNING)));
    EXPECT_TRUE(m_pPopup->GetItemHIcon(3) != NULL);
    EXPECT_TRUE(m_pPopup->SetItemHIcon(3, NULL));
    EXPECT_TRUE(m_pPopup->GetItemHIcon(3) == NULL);

    // an existing popup as sub-menu loses its top-level bit and takes the receiver
    CExtPopupMenuWnd* pOther = new CExtPopupMenuWnd;
    ASSERT_TRUE(pOther->InitAsEmptyPopup(NULL));
    ASSERT_TRUE(m_pPopup->InsertSubMenu(pOther, -1, _T("Other")));
    EXPECT_FALSE(pOther->IsTopLevel());
    EXPECT_EQ(m_receiver.GetSafeHwnd(), pOther->GetCmdReceiverHWND());
    EXPECT_EQ(m_pPopup, pOther->GetParentMenuWnd());

    // the text setter splits at the TAB
    EXPECT_TRUE(m_pPopup->SetItemText(3, _T("New\tShift+N")));
    EXPECT_STREQ("New", m_pPopup->GetItemText(3));
    EXPECT_STREQ("Shift+N", m_pPopup->GetItemAccelText(3));

    const int nCount = m_pPopup->GetItemCount();
    EXPECT_TRUE(m_pPopup->DeleteItem(2));
    EXPECT_EQ(nCount - 1, m_pPopup->GetItemCount());
    EXPECT_TRUE(m_pPopup->DeleteItem(-1));
    EXPECT_EQ(0, m_pPopup->GetItemCount());
    // an empty popup still lays out
    CSize size = m_pPopup->CalcSize();
    EXPECT_GT(size.cx, 80);
    EXPECT_GT(size.cy, 0);
}

TEST_F(PopupItemsTest, DeletingAPopupDeletesItsSubPopups)
{
    int nDestroyed = 0;
    ASSERT_TRUE(m_pPopup->InitAsEmptyPopup(m_receiver.GetSafeHwnd()));
    CCountedPopupMenuWnd* pChild = new CCountedPopupMenuWnd(&nDestroyed);
    CCountedPopupMenuWnd* pGrandChild = new CCountedPopupMenuWnd(&nDestroyed);
    ASSERT_TRUE(pChild->InsertSubMenu(pGrandChild, -1, _T("Grand")));
    ASSERT_TRUE(m_pPopup->InsertSubMenu(pChild, -1, _T("Child")));
    EXPECT_TRUE(m_pPopup->DeleteItem(0));
    EXPECT_EQ(2, nDestroyed);

    // a popup that is not top-level owns its sub-popups too
    CExtPopupMenuWnd* pPlain = new CExtPopupMenuWnd;
    pPlain->InsertSubMenu(new CCountedPopupMenuWnd(&nDestroyed), -1, _T("Sub"));
    EXPECT_FALSE(pPlain->IsTopLevel());
    delete pPlain;
    EXPECT_EQ(3, nDestroyed);
}

/////////////////////////////////////////////////////////////////////////////
// Recent files and windows

TEST_F(PopupItemsTest, RecentFileListOfTwelveEntries)
{
    CWinApp app(_T("PopupTestApp"));
    app.m_pRecentFileList = new CRecentFileList(0, _T("Recent File List"), _T("File%d"), 12);
    for (int i = 0; i < 12; i++)
        app.m_pRecentFileList->m_arrNames[i].Format(_T("C:\\Labels\\Design%02d.labf"), i + 1);
    ASSERT_TRUE(m_pPopup->LoadMenuResource(m_receiver.GetSafeHwnd(), IDR_POPUP_TEST_RECENT,
                                           true));
    // Open, separator, 12 files, one separator after them, Exit: the menu's separator
    // behind the placeholder followed the first one and was dropped
    ASSERT_EQ(2 + 12 + 1 + 1, m_pPopup->GetItemCount());
    EXPECT_EQ(0xE110u, m_pPopup->GetItemCmdID(2));
    EXPECT_STREQ("&1 C:\\Labels\\Design01.labf", m_pPopup->GetItemText(2));
    EXPECT_STREQ("&9 C:\\Labels\\Design09.labf", m_pPopup->GetItemText(10));
    EXPECT_STREQ("1&0 C:\\Labels\\Design10.labf", m_pPopup->GetItemText(11));
    EXPECT_STREQ("1&2 C:\\Labels\\Design12.labf", m_pPopup->GetItemText(13));
    EXPECT_EQ(0u, m_pPopup->GetItemCmdID(14));
    EXPECT_EQ((UINT)ID_POPUP_EXIT, m_pPopup->GetItemCmdID(m_pPopup->GetItemCount() - 1));
    CExtCmdItem* pCmd = g_CmdManagerHolder->FindCommand(m_receiver.m_strProfile, 0xE110 + 11);
    ASSERT_TRUE(pCmd != NULL);
    EXPECT_STREQ("Recent file 12", pCmd->m_strTipText);
    EXPECT_STREQ("Recent file 12 (\"C:\\Labels\\Design12.labf\")", pCmd->m_strStatusTipText);
    delete m_pPopup;
    m_pPopup = NULL;
}

TEST_F(PopupItemsTest, TheLayoutFollowsTheItemsOnEveryReturnOfARebuild)
{
    CExtPopupMenuWnd empty;
    ASSERT_TRUE(empty.InitAsEmptyPopup(m_receiver.GetSafeHwnd()));
    const CSize sizeEmpty = empty.CalcSize();
    ASSERT_TRUE(Load());
    ASSERT_GT(m_pPopup->CalcSize().cy, sizeEmpty.cy);
    // emptied: no size left from the items that are gone
    ASSERT_TRUE(m_pPopup->RebuildFromHMENU(NULL, true));
    EXPECT_EQ(0, m_pPopup->GetItemCount());
    EXPECT_EQ(sizeEmpty.cy, m_pPopup->CalcSize().cy);

    // a rebuild that fails half-way (no command for a recent file) lays out what it made
    CWinApp app(_T("PopupTestApp"));
    app.m_pRecentFileList = new CRecentFileList(0, _T("Recent File List"), _T("File%d"), 4);
    app.m_pRecentFileList->m_arrNames[0] = _T("C:\\Labels\\One.labf");
    CExtPopupMenuWnd* pFailing = new CExtPopupMenuWnd;
    pFailing->m_hWndCmdReceiver = m_receiver.GetSafeHwnd();
    HMENU hMenu = ::LoadMenuA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_POPUP_TEST_RECENT));
    ASSERT_TRUE(hMenu != NULL);
    CExtCmdManager* pManager = g_CmdManagerHolder.m_pManager;
    g_CmdManagerHolder.m_pManager = NULL;
    const bool bBuilt = pFailing->RebuildFromHMENU(::GetSubMenu(hMenu, 0), true);
    g_CmdManagerHolder.m_pManager = pManager;
    ::DestroyMenu(hMenu);
    EXPECT_FALSE(bBuilt);
    ASSERT_GT(pFailing->GetItemCount(), 0);
    EXPECT_GT(pFailing->CalcSize().cy, sizeEmpty.cy);
    delete pFailing;
}

TEST_F(PopupItemsTest, NoRecentFilesLeavesNoGap)
{
    CWinApp app(_T("PopupTestApp"));
    app.m_pRecentFileList = new CRecentFileList(0, _T("Recent File List"), _T("File%d"), 4);
    ASSERT_TRUE(m_pPopup->LoadMenuResource(m_receiver.GetSafeHwnd(), IDR_POPUP_TEST_RECENT,
                                           true));
    // Open, separator, Exit: the second separator of the menu follows the first and goes
    ASSERT_EQ(3, m_pPopup->GetItemCount());
    EXPECT_EQ((UINT)ID_POPUP_EXIT, m_pPopup->GetItemCmdID(2));
    delete m_pPopup;
    m_pPopup = NULL;
}

TEST_F(PopupItemsTest, WindowListOfElevenChildren)
{
    CMDIFrameWnd* pFrame = new CMDIFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, _T("frame"), WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    ASSERT_TRUE(pFrame->m_hWndMDIClient != NULL);
    g_CmdManagerHolder->EnsureProfile(_T("popup-mdi"), pFrame->GetSafeHwnd());
    std::vector<CMDIChildWnd*> children;
    for (int i = 0; i < 11; i++)
    {
        CMDIChildWnd* pChild = new CMDIChildWnd;
        CString strTitle;
        strTitle.Format(_T("Doc%d"), i + 1);
        ASSERT_TRUE(pChild->Create(NULL, strTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                   CFrameWnd::rectDefault, pFrame));
        children.push_back(pChild);
    }
    // the fourth window is active
    pFrame->MDIActivate(children[3]);
    ASSERT_TRUE(m_pPopup->InitAsEmptyPopup(pFrame->GetSafeHwnd()));
    m_pPopup->InsertCommandItem(47170, -1, _T("&Cascade"));
    ASSERT_TRUE(m_pPopup->AppendMdiWindowsList(pFrame));
    // Cascade, separator, nine windows, separator, More Windows
    ASSERT_EQ(1 + 1 + 9 + 2, m_pPopup->GetItemCount());
    EXPECT_EQ(0u, m_pPopup->GetItemCmdID(1));
    EXPECT_EQ(0xFF00u, m_pPopup->GetItemCmdID(2));
    EXPECT_EQ(0xFF08u, m_pPopup->GetItemCmdID(10));
    EXPECT_EQ(0u, m_pPopup->GetItemCmdID(11));
    EXPECT_EQ(0xFF09u, m_pPopup->GetItemCmdID(12));
    EXPECT_STREQ("More Windows", m_pPopup->GetItemText(12));
    CString strFirst = m_pPopup->GetItemText(2);
    EXPECT_EQ(0, strFirst.Find(_T("&1 Doc")));
    // the active child is the radio item
    int nRadio = 0;
    for (int i = 2; i <= 10; i++)
        nRadio += m_pPopup->GetItemAt(i).IsRadio() ? 1 : 0;
    EXPECT_EQ(1, nRadio);
    const int nActive = (int)::GetDlgCtrlID(children[3]->GetSafeHwnd()) - 0xFF00;
    ASSERT_TRUE(nActive >= 0 && nActive < 9);
    EXPECT_TRUE(m_pPopup->GetItemAt(2 + nActive).IsRadio());
    CExtCmdItem* pCmd = g_CmdManagerHolder->FindCommand(_T("popup-mdi"), 0xFF00 + nActive);
    ASSERT_TRUE(pCmd != NULL);
    EXPECT_STREQ("Document \"Doc4\"", pCmd->m_strStatusTipText);
    delete m_pPopup;
    m_pPopup = NULL;
    pFrame->DestroyWindow();
}

TEST_F(PopupItemsTest, WindowListNeedsAnMdiFrame)
{
    ASSERT_TRUE(m_pPopup->InitAsEmptyPopup(m_receiver.GetSafeHwnd()));
    EXPECT_FALSE(m_pPopup->AppendMdiWindowsList(&m_receiver));
    EXPECT_EQ(0, m_pPopup->GetItemCount());
}

/////////////////////////////////////////////////////////////////////////////
// Command-UI update

namespace
{

class CUpdatingReceiver : public CPopupTestReceiver
{
public:
    CUpdatingReceiver() : CPopupTestReceiver(_T("popup-cmdui")) {}
    afx_msg void OnUpdateBeta(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateEpsilon(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateGamma(CCmdUI* pCmdUI) { pCmdUI->SetRadio(TRUE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdatingReceiver, CPopupTestReceiver)
    ON_UPDATE_COMMAND_UI(ID_POPUP_BETA, OnUpdateBeta)
    ON_UPDATE_COMMAND_UI(ID_POPUP_EPSILON, OnUpdateEpsilon)
    ON_UPDATE_COMMAND_UI(ID_POPUP_GAMMA, OnUpdateGamma)
END_MESSAGE_MAP()

} // namespace

TEST(PopupCmdUI, UpdateHandlersWriteTheItemStates)
{
    CUpdatingReceiver receiver;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->LoadMenuResource(receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
    // a command without a handler is disabled
    CExtCmdItem cmd(47290);
    cmd.m_strMenuText = _T("Unhandled");
    g_CmdManagerHolder->SetCommand(receiver.m_strProfile, &cmd, true);
    ASSERT_TRUE(pPopup->InsertNewSubMenu(47290, -1));
    pPopup->UpdateItemsCmdUI();
    EXPECT_TRUE(pPopup->GetItemAt(0).IsEnabled());
    EXPECT_FALSE(pPopup->GetItemAt(1).IsEnabled());
    EXPECT_TRUE(pPopup->GetItemAt(4).IsChecked());
    EXPECT_FALSE(pPopup->GetItemAt(6).IsEnabled());
    // the update reaches the sub-menus
    EXPECT_TRUE(pPopup->GetItemPopup(3)->GetItemAt(0).IsRadio());
    // always-enabled items stay enabled
    pPopup->GetItemAt(1).SetFlag(CExtPopupMenuWnd::ITEM_FORCE_ENABLED, true);
    pPopup->UpdateItemsCmdUI();
    EXPECT_TRUE(pPopup->GetItemAt(1).IsEnabled());
    delete pPopup;
}

TEST(PopupCmdUI, SystemCommandStatesFollowTheWindow)
{
    CPopupTestReceiver receiver(_T("popup-syscmd"));
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->InitAsEmptyPopup(receiver.GetSafeHwnd()));
    for (UINT nCmd : { (UINT)SC_RESTORE, (UINT)SC_MAXIMIZE, (UINT)SC_MINIMIZE,
                       (UINT)SC_CONTEXTHELP })
    {
        CExtCmdItem cmd(nCmd);
        cmd.m_strMenuText = _T("sys");
        g_CmdManagerHolder->SetCommand(receiver.m_strProfile, &cmd, true);
        ASSERT_TRUE(pPopup->InsertNewSubMenu(nCmd, -1));
    }
    // the states are applied when a tracking starts
    ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TPMX_FORCE_NO_ANIMATION, 100, 100));
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_FALSE(pPopup->GetItemAt(0).IsEnabled());   // restore: not minimized or maximized
    EXPECT_TRUE(pPopup->GetItemAt(1).IsEnabled());    // maximize box, not maximized
    EXPECT_TRUE(pPopup->GetItemAt(2).IsEnabled());
    EXPECT_FALSE(pPopup->GetItemAt(3).IsEnabled());   // no context-help style
    CExtPopupMenuWnd::CancelTracking();               // deletes the popup
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

TEST(PopupCmdUI, PrepareMessageCanCancelTheTracking)
{
    CPopupTestReceiver receiver;
    int nDestroyed = 0;
    CExtPopupMenuWnd* pPopup = new CCountedPopupMenuWnd(&nDestroyed);
    ASSERT_TRUE(pPopup->InitAsEmptyPopup(receiver.GetSafeHwnd()));
    pPopup->InsertCommandItem(ID_POPUP_ALPHA, -1, _T("Alpha"));
    receiver.m_pfnRegistered = [](CPopupTestReceiver*, UINT nMessage, WPARAM wParam,
                                  LPARAM lParam) -> LRESULT
    {
        if (nMessage == CExtPopupMenuWnd::g_nMsgPrepareMenu)
        {
            CExtPopupMenuWnd::MsgPrepareMenuData_t* pData =
                (CExtPopupMenuWnd::MsgPrepareMenuData_t*)wParam;
            EXPECT_EQ((LPARAM)pData->m_pPopup, lParam);
            pData->m_bMenuCanceled = true;
        }
        return 0;
    };
    EXPECT_FALSE(pPopup->StartTracking(CExtPopupMenuWnd::TPMX_FORCE_NO_ANIMATION, 100, 100));
    EXPECT_EQ(1, receiver.CountMessages(CExtPopupMenuWnd::g_nMsgPrepareMenu));
    // the refused popup still belongs to the caller, and nothing is tracked or hooked
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_TRUE(g_TrackingSite.m_hHookMouse == NULL);
    EXPECT_TRUE(g_TrackingSite.m_hHookKeyboard == NULL);
    EXPECT_TRUE(pPopup->GetSafeHwnd() == NULL);
    EXPECT_EQ(0, nDestroyed);
    delete pPopup;
    EXPECT_EQ(1, nDestroyed);
}
