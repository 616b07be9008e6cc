// Command items: state bits, copying, usage statistics, delivery and command update.

#include "afxwin.h"
#include "ExtCmdManager.h"
#include "cmd_resource.h"
#include "cmd_test_support.h"

namespace
{

// A profile of its own with one item per id.
class CmdItemTest : public ::testing::Test
{
protected:
    CExtCmdItem* Add(UINT nID, UINT nUsage = 0)
    {
        CExtCmdItem item(nID);
        item.m_nUsageCount = nUsage;
        EXPECT_TRUE(m_profile.SetCommand(&item));
        return m_profile.FindCommand(nID);
    }

    CExtCmdProfile m_profile { "ItemTest" };
};

// Records the commands that reach a window.
struct CDeliveredMessage
{
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<CDeliveredMessage> g_delivered;

LRESULT CALLBACK RecordingWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_COMMAND || nMsg == WM_SYSCOMMAND)
    {
        g_delivered.push_back({ nMsg, wParam, lParam });
        return 1;
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

void PumpMessages(HWND hWnd)
{
    MSG msg;
    while (::PeekMessageA(&msg, hWnd, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

// A command target with one update handler and one command handler.
class CUpdateTarget : public CCmdTarget
{
public:
    int m_nUpdateCalls = 0;
    int m_nCheck = 1;

    void OnUpdateChecked(CCmdUI* pCmdUI)
    {
        m_nUpdateCalls++;
        pCmdUI->Enable(TRUE);
        pCmdUI->SetCheck(m_nCheck);
        pCmdUI->SetText("From handler");
    }
    void OnHandledOnly() {}

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateTarget, CCmdTarget)
    ON_UPDATE_COMMAND_UI(47101, OnUpdateChecked)
    ON_COMMAND(47102, OnHandledOnly)
END_MESSAGE_MAP()

} // namespace

/////////////////////////////////////////////////////////////////////////////
// State bits

TEST_F(CmdItemTest, MarksAreExclusive)
{
    CExtCmdItem item(1);
    item.SetRadio(true);
    item.SetCheck(true);
    EXPECT_EQ(item.m_dwStateFlags, 0x2u);
    item.SetIndeterminate(true);
    EXPECT_EQ(item.m_dwStateFlags, 0x8u);
    item.m_dwStateFlags |= 0x2 | 0x4 | 0x1;
    item.SetRadio(false);
    EXPECT_EQ(item.m_dwStateFlags, 0x1u);
    EXPECT_FALSE(item.IsEnabled());
    item.Enable(true);
    EXPECT_TRUE(item.IsEnabled());
    EXPECT_EQ(item.m_dwStateFlags, 0u);
}

TEST_F(CmdItemTest, GroupBitsHoldOneValueAtATime)
{
    CExtCmdItem item(1);
    item.SetStateBits10And28(true);
    EXPECT_EQ(item.m_dwStateFlags, 0x10000400u);
    EXPECT_TRUE(item.GetStateBit10());
    EXPECT_FALSE(item.GetStateBits10And12());
    item.SetStateBits10And12(true);
    EXPECT_EQ(item.m_dwStateFlags, 0x1400u);
    EXPECT_FALSE(item.GetStateBits10And28());
    item.SetStateBit10(false);
    EXPECT_EQ(item.m_dwStateFlags, 0u);
    item.SetStateBit29(true);
    item.SetStateBit7(true);
    EXPECT_EQ(item.m_dwStateFlags, 0x20000080u);
    item.SetStateBit29(false);
    EXPECT_EQ(item.m_dwStateFlags, 0x80u);
}

TEST_F(CmdItemTest, HostGeneratedIdsAreBasicAndNeverExcluded)
{
    CExtCmdItem* pRecent = Add(0xE110);
    pRecent->SetExcludedFromUsage(true);
    EXPECT_TRUE(pRecent->IsBasic());
    EXPECT_FALSE(pRecent->IsExcludedFromUsage());
    pRecent->RecordUsage();
    EXPECT_EQ(pRecent->GetUsageCount(), 0u);
    EXPECT_EQ(m_profile.m_nTotalUsage, 0u);
    EXPECT_FALSE(pRecent->IsRarelyUsed());

    CExtCmdItem* pPlain = Add(4000);
    EXPECT_FALSE(pPlain->IsBasic());
    pPlain->SetExcludedFromUsage(true);
    EXPECT_TRUE(pPlain->IsExcludedFromUsage());
    pPlain->RecordUsage();
    EXPECT_EQ(pPlain->GetUsageCount(), 0u);
}

/////////////////////////////////////////////////////////////////////////////
// Copying

TEST_F(CmdItemTest, MergeTakesNonEmptyTextsAndFillEmptyOnlyFillsGaps)
{
    CExtCmdItem target(5), source(5);
    target.m_strMenuText = "Menu";
    target.m_strAltText = "Alt";
    target.m_nIconIndex = 2;
    source.m_strTipText = "Tip";
    source.m_strAltText = "Other alt";
    source.m_strMenuText = "Other menu";
    source.m_nIconIndex = -1;

    CExtCmdItem filled(target);
    filled.FillEmptyFrom(source);
    EXPECT_STREQ(filled.m_strMenuText, "Menu");
    EXPECT_STREQ(filled.m_strAltText, "Alt");
    EXPECT_STREQ(filled.m_strTipText, "Tip");
    EXPECT_EQ(filled.m_nIconIndex, 2);

    CExtCmdItem merged(target);
    merged.MergeFrom(source);
    EXPECT_STREQ(merged.m_strMenuText, "Other menu");
    EXPECT_STREQ(merged.m_strAltText, "Other alt");
    EXPECT_EQ(merged.m_nIconIndex, 2);
    source.m_nIconIndex = 0;
    merged.MergeFrom(source);
    EXPECT_EQ(merged.m_nIconIndex, 0);

    // the toolbar text is never taken to fill a gap
    CExtCmdItem empty(5);
    empty.FillEmptyFrom(source);
    EXPECT_STREQ(empty.m_strAltText, "");
    EXPECT_EQ(empty.m_nIconIndex, 0);
}

TEST_F(CmdItemTest, CopyKeepsEveryField)
{
    CExtCmdItem* pItem = Add(77, 5);
    pItem->m_strAccelText = "F7";
    pItem->m_nReserved2 = 42;
    CExtCmdItem copy(*pItem);
    EXPECT_EQ(copy.m_pProfile, &m_profile);
    EXPECT_EQ(copy.m_nCmdID, 77u);
    EXPECT_EQ(copy.m_nUsageCount, 5u);
    EXPECT_STREQ(copy.m_strAccelText, "F7");
    EXPECT_EQ(copy.m_nReserved1, 100);
    EXPECT_EQ(copy.m_nReserved2, 42);
    EXPECT_EQ(copy.m_nReserved3, 250);
}

TEST_F(CmdItemTest, DisplayTextPrefersMenuThenTipThenToolbarText)
{
    CExtCmdItem item(1);
    item.m_strAltText = "Toolbar";
    EXPECT_STREQ(item.GetDisplayText(), "Toolbar");
    item.m_strTipText = "Tip";
    EXPECT_STREQ(item.GetDisplayText(), "Tip");
    item.m_strMenuText = "&Menu";
    CString str;
    item.BuildDisplayText(str);
    EXPECT_STREQ(str, "&Menu");
}

/////////////////////////////////////////////////////////////////////////////
// Usage

TEST_F(CmdItemTest, UsagePercentAndRarelyUsedThreshold)
{
    CExtCmdItem* pNine = Add(10, 9);
    CExtCmdItem* pTen = Add(11, 10);
    m_profile.m_nTotalUsage = 100;
    EXPECT_EQ(pNine->GetUsagePercent(), 9u);
    EXPECT_TRUE(pNine->IsRarelyUsed());
    EXPECT_FALSE(pTen->IsRarelyUsed());

    m_profile.m_nTotalUsage = 0;
    EXPECT_EQ(pTen->GetUsagePercent(), 0u);
    EXPECT_TRUE(pTen->IsRarelyUsed());
    pTen->SetProfileRarelyUsedPercent(0);
    EXPECT_FALSE(pTen->IsRarelyUsed());
    pTen->SetProfileRarelyUsedPercent(250);
    EXPECT_EQ(m_profile.m_nRarelyUsedPercent, 100u);
}

TEST_F(CmdItemTest, UsagePercentOfLargeCountsDoesNotWrap)
{
    CExtCmdItem* pItem = Add(12, 3000000000u);
    m_profile.m_nTotalUsage = 4000000000u;
    EXPECT_EQ(pItem->GetUsagePercent(), 75u);
    EXPECT_FALSE(pItem->IsRarelyUsed());
}

TEST_F(CmdItemTest, RecordUsageHalvesEveryCountAtTheLimit)
{
    CExtCmdItem* pBusy = Add(20, 1001);
    CExtCmdItem* pOther = Add(21, 7);
    m_profile.m_nTotalUsage = 0xFFFFFFFDu;
    pBusy->RecordUsage();
    EXPECT_EQ(m_profile.m_nTotalUsage, 0x7FFFFFFFu);
    EXPECT_EQ(pBusy->GetUsageCount(), 501u);
    EXPECT_EQ(pOther->GetUsageCount(), 3u);
}

TEST_F(CmdItemTest, ResetUsageLeavesTheTotalToTheProfile)
{
    CExtCmdItem* pItem = Add(30, 4);
    CExtCmdItem* pBasic = Add(31, 6);
    pBasic->SetBasic(true);
    m_profile.m_nTotalUsage = 10;
    pItem->ResetUsage();
    EXPECT_EQ(pItem->GetUsageCount(), 0u);
    EXPECT_EQ(m_profile.m_nTotalUsage, 10u);
    m_profile.ResetUsageStatistics();
    EXPECT_EQ(m_profile.m_nTotalUsage, 0u);
    EXPECT_EQ(pBasic->GetUsageCount(), 6u);
}

TEST_F(CmdItemTest, RecentlyUsedExcludesBasicPopupAndSystemCommands)
{
    EXPECT_TRUE(Add(40, 1)->IsRecentlyUsed());
    EXPECT_FALSE(Add(41, 0)->IsRecentlyUsed());
    CExtCmdItem* pPopup = Add(42, 3);
    pPopup->SetPopupCommand(true);
    EXPECT_FALSE(pPopup->IsRecentlyUsed());
    EXPECT_FALSE(Add(SC_CLOSE, 3)->IsRecentlyUsed());
}

/////////////////////////////////////////////////////////////////////////////
// Texts from resources

TEST_F(CmdItemTest, TipTextsFromStringResources)
{
    CExtCmdItem item(ID_CMD_TEST_OPEN);
    item.m_strTipText = "old";
    EXPECT_TRUE(item.LoadTextsFromResource());
    EXPECT_STREQ(item.m_strStatusTipText, "Open an existing document");
    EXPECT_STREQ(item.m_strTipText, "Open");

    CExtCmdItem blank(ID_CMD_TEST_BLANK);
    blank.m_strTipText = "old";
    EXPECT_FALSE(blank.LoadTextsFromResource());
    EXPECT_STREQ(blank.m_strTipText, "");
    EXPECT_STREQ(blank.m_strStatusTipText, "");

    CExtCmdItem missing(ID_CMD_TEST_CUT);
    EXPECT_FALSE(missing.LoadTextsFromResource());
    CExtCmdItem invalid((UINT)-3);
    EXPECT_FALSE(invalid.LoadTextsFromResource());
}

/////////////////////////////////////////////////////////////////////////////
// Delivery

TEST_F(CmdItemTest, DeliverSendsCommandsAndCountsUse)
{
    CTestWindow wnd(NULL, RecordingWndProc);
    g_delivered.clear();
    CExtCmdItem* pItem = Add(4711);
    EXPECT_TRUE(pItem->Deliver(wnd.m_hWnd, true));
    ASSERT_EQ(g_delivered.size(), 1u);
    EXPECT_EQ(g_delivered[0].nMessage, (UINT)WM_COMMAND);
    EXPECT_EQ(g_delivered[0].wParam, (WPARAM)4711);
    EXPECT_EQ(g_delivered[0].lParam, (LPARAM)0);
    EXPECT_EQ(pItem->GetUsageCount(), 1u);
    EXPECT_EQ(m_profile.m_nTotalUsage, 1u);
    EXPECT_FALSE(pItem->Deliver(NULL, true));
    EXPECT_EQ(pItem->GetUsageCount(), 1u);
}

TEST_F(CmdItemTest, DeliverPostsSystemCommandsWithTheCursorPosition)
{
    CTestWindow wnd(NULL, RecordingWndProc);
    g_delivered.clear();
    ::SetCursorPos(33, 44);
    POINT pt;
    ::GetCursorPos(&pt);
    CExtCmdItem* pClose = Add(SC_CLOSE);
    EXPECT_TRUE(pClose->Deliver(wnd.m_hWnd, false));
    EXPECT_TRUE(g_delivered.empty());       // posted, not sent
    PumpMessages(wnd.m_hWnd);
    ASSERT_EQ(g_delivered.size(), 1u);
    EXPECT_EQ(g_delivered[0].nMessage, (UINT)WM_SYSCOMMAND);
    EXPECT_EQ(g_delivered[0].wParam, (WPARAM)SC_CLOSE);
    EXPECT_EQ(g_delivered[0].lParam, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(pClose->GetUsageCount(), 0u);
}

TEST_F(CmdItemTest, DeliverToOwnerOfGoesToTheParent)
{
    CTestWindow frame(NULL, RecordingWndProc);
    CTestWindow child(frame.m_hWnd);
    g_delivered.clear();
    CExtCmdItem* pItem = Add(4712);
    EXPECT_TRUE(pItem->DeliverToOwnerOf(CWnd::FromHandle(child.m_hWnd), true));
    ASSERT_EQ(g_delivered.size(), 1u);
    EXPECT_EQ(g_delivered[0].wParam, (WPARAM)4712);
    EXPECT_FALSE(pItem->DeliverToOwnerOf(CWnd::FromHandle(frame.m_hWnd), true));
    EXPECT_FALSE(pItem->DeliverToOwnerOf(NULL, true));
}

/////////////////////////////////////////////////////////////////////////////
// Command update

TEST_F(CmdItemTest, UpdateCmdUIRunsTheTargetsHandlers)
{
    CUpdateTarget target;
    CExtCmdItem* pChecked = Add(47101);
    pChecked->Enable(false);
    EXPECT_TRUE(pChecked->UpdateCmdUI(&target, 0));
    EXPECT_EQ(target.m_nUpdateCalls, 1);
    EXPECT_TRUE(pChecked->IsEnabled());
    EXPECT_TRUE(pChecked->IsChecked());
    EXPECT_STREQ(pChecked->m_strMenuText, "From handler");

    target.m_nCheck = 2;
    pChecked->UpdateCmdUI(&target, 0);
    EXPECT_TRUE(pChecked->IsIndeterminate());
    EXPECT_FALSE(pChecked->IsChecked());

    // no handler at all: disabled; a command handler alone keeps it enabled
    CExtCmdItem* pNone = Add(47103);
    pNone->UpdateCmdUI(&target, 0);
    EXPECT_FALSE(pNone->IsEnabled());
    CExtCmdItem* pHandled = Add(47102);
    pHandled->Enable(false);
    pHandled->UpdateCmdUI(&target, 0);
    EXPECT_TRUE(pHandled->IsEnabled());
}

TEST_F(CmdItemTest, UpdateCmdUIEnablesSystemAndMdiCommandsWithoutHandlers)
{
    CUpdateTarget target;
    CExtCmdItem* pMdi = Add(0xFF03);
    pMdi->Enable(false);
    EXPECT_TRUE(pMdi->UpdateCmdUI(&target, 0));
    EXPECT_TRUE(pMdi->IsEnabled());
    EXPECT_EQ(target.m_nUpdateCalls, 0);
    CExtCmdItem* pSys = Add(SC_MOVE);
    pSys->Enable(false);
    EXPECT_TRUE(pSys->UpdateCmdUI(NULL, 0));
    EXPECT_TRUE(pSys->IsEnabled());
}

TEST_F(CmdItemTest, CmdItemUIWritesIntoTheItem)
{
    CExtCmdItem item(1);
    CExtCmdItemUI ui(&item);
    ui.SetCheck(2);
    EXPECT_TRUE(item.IsIndeterminate());
    ui.SetCheck(1);
    EXPECT_EQ(item.m_dwStateFlags, 0x2u);
    ui.SetRadio(TRUE);
    EXPECT_EQ(item.m_dwStateFlags, 0x4u);
    ui.Enable(FALSE);
    EXPECT_TRUE(ui.m_bEnableChanged);
    EXPECT_FALSE(item.IsEnabled());
    ui.SetText(NULL);
    EXPECT_STREQ(item.m_strMenuText, "");
}
