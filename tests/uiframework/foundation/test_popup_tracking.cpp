// Tracking of popup menus driven by injected keys and clicks: navigation, sub-menus,
// commands, cancelling, self-deletion and hook removal.

#include "test_popup_support.h"
#include "ExtPaintManager.h"
#include "sound_recorder.h"

namespace
{

// Answers of the bars in the test of the bar-side tracking.
struct CTestBarLinks
{
    static bool IsMenuTracking() { return true; }
    static bool OverButton(POINT pt) { return pt.x < 100 && pt.y < 100; }
    static void EndAll() { s_nEndAll++; }
    static int s_nEndAll;
};
int CTestBarLinks::s_nEndAll = 0;

const DWORD kNoAnim = CExtPopupMenuWnd::TPMX_FORCE_NO_ANIMATION;
const DWORD kShowAll = CExtPopupMenuWnd::TPMX_NO_HIDE_RARELY;

class PopupTrackingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_receiver.GetSafeHwnd() != NULL);
        m_pPopup = new CCountedPopupMenuWnd(&m_nDestroyed);
        ASSERT_TRUE(m_pPopup->LoadMenuResource(m_receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU,
                                               true));
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::CancelTracking();
        if (m_nDestroyed == 0 && !m_bTracked)
            delete m_pPopup;
        EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
        EXPECT_TRUE(g_TrackingSite.m_hHookMouse == NULL);
        EXPECT_TRUE(g_TrackingSite.m_hHookKeyboard == NULL);
    }

    // Starts a non-modal tracking at (200, 150) and waits for the popup to show.
    bool Track(DWORD dwFlags = kNoAnim | kShowAll, int x = 200, int y = 150)
    {
        if (!m_pPopup->StartTracking(dwFlags, x, y))
            return false;
        m_bTracked = true;
        return PopupPumpUntil([this] { return g_TrackingSite.m_pWndAnimation == NULL; })
            && m_pPopup->GetSafeHwnd() != NULL && m_pPopup->IsWindowVisible();
    }
    // Sub-menus animate; input waits meanwhile.
    static bool Opened(CExtPopupMenuWnd* pPopup)
    {
        return PopupPumpUntil([pPopup] { return pPopup->GetSafeHwnd() != NULL
                                                && pPopup->IsWindowVisible()
                                                && g_TrackingSite.m_pWndAnimation == NULL; },
                              2000);
    }
    bool Ended()
    {
        return PopupPumpUntil([this] { return m_nDestroyed == 1; })
            && !CExtPopupMenuWnd::IsTrackingActive();
    }

    CPopupTestReceiver m_receiver;
    int m_nDestroyed = 0;
    bool m_bTracked = false;
    CExtPopupMenuWnd* m_pPopup = NULL;
};

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Keyboard

TEST_F(PopupTrackingTest, ArrowsAndEnterDeliverTheCommand)
{
    POPUP_REQUIRE_KEYBOARD(m_receiver);
    ASSERT_TRUE(Track());
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_TRUE(g_TrackingSite.m_hHookMouse != NULL);
    EXPECT_TRUE(g_TrackingSite.m_hHookKeyboard != NULL);
    EXPECT_EQ(m_pPopup, g_TrackingSite.m_pWndRoot);
    EXPECT_EQ(m_pPopup, g_TrackingSite.m_pWndHookTarget);
    // the popup never takes the keyboard
    EXPECT_EQ(m_receiver.GetSafeHwnd(), ::GetFocus());

    PopupSendKey(VK_DOWN);
    EXPECT_EQ(0, m_pPopup->GetCurrentIndex());
    PopupSendKey(VK_DOWN);
    EXPECT_EQ(1, m_pPopup->GetCurrentIndex());
    PopupSendKey(VK_UP);
    EXPECT_EQ(0, m_pPopup->GetCurrentIndex());
    // Up from the first item wraps to the last one
    PopupSendKey(VK_UP);
    EXPECT_EQ(m_pPopup->GetItemCount() - 1, m_pPopup->GetCurrentIndex());
    PopupSendKey(VK_DOWN);
    PopupSendKey(VK_DOWN);
    ASSERT_EQ(1, m_pPopup->GetCurrentIndex());
    PopupSendKey(VK_RETURN);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(1, m_receiver.CountCommands(ID_POPUP_BETA));
    EXPECT_EQ(1, m_receiver.CountMessages(CExtPopupMenuWnd::g_nMsgNotifyMenuClosed));
    EXPECT_TRUE(g_TrackingSite.m_hHookMouse == NULL);
    EXPECT_TRUE(g_TrackingSite.m_hHookKeyboard == NULL);
    // keys reach the receiver again once the menu is gone
    EXPECT_EQ(m_receiver.GetSafeHwnd(), ::GetFocus());
}

TEST_F(PopupTrackingTest, SubMenusOpenWithRightAndCloseWithLeft)
{
    POPUP_REQUIRE_KEYBOARD(m_receiver);
    ASSERT_TRUE(Track());
    for (int i = 0; i < 3; i++)
        PopupSendKey(VK_DOWN);
    // the separator is skipped
    ASSERT_EQ(3, m_pPopup->GetCurrentIndex());
    CExtPopupMenuWnd* pMore = m_pPopup->GetItemPopup(3);
    PopupSendKey(VK_RIGHT);
    ASSERT_TRUE(Opened(pMore));
    EXPECT_EQ(pMore, g_TrackingSite.m_pWndHookTarget);
    EXPECT_EQ(0, pMore->GetCurrentIndex());
    // the sub-menu opens right of its item
    CRect rcParent, rcChild;
    m_pPopup->GetWindowRect(&rcParent);
    pMore->GetWindowRect(&rcChild);
    EXPECT_GE(rcChild.left, rcParent.right - 10);

    PopupSendKey(VK_LEFT);
    EXPECT_TRUE(pMore->GetSafeHwnd() == NULL || !pMore->IsWindowVisible());
    EXPECT_EQ(m_pPopup, g_TrackingSite.m_pWndHookTarget);
    EXPECT_EQ(3, m_pPopup->GetCurrentIndex());
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());

    // into the third level and choose there
    PopupSendKey(VK_RIGHT);
    ASSERT_TRUE(Opened(pMore));
    PopupSendKey(VK_DOWN);
    ASSERT_EQ(1, pMore->GetCurrentIndex());
    CExtPopupMenuWnd* pDeep = pMore->GetItemPopup(1);
    PopupSendKey(VK_RIGHT);
    ASSERT_TRUE(Opened(pDeep));
    EXPECT_EQ(pDeep, g_TrackingSite.m_pWndHookTarget);
    PopupSendKey(VK_RETURN);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(1, m_receiver.CountCommands(ID_POPUP_DELTA));
}

TEST_F(PopupTrackingTest, EscapeInTheThirdLevelEndsTheWholeTree)
{
    POPUP_REQUIRE_KEYBOARD(m_receiver);
    ASSERT_TRUE(Track());
    for (int i = 0; i < 3; i++)
        PopupSendKey(VK_DOWN);
    PopupSendKey(VK_RIGHT);
    ASSERT_TRUE(Opened(m_pPopup->GetItemPopup(3)));
    PopupSendKey(VK_DOWN);
    PopupSendKey(VK_RIGHT);
    CExtPopupMenuWnd* pDeep = m_pPopup->GetItemPopup(3)->GetItemPopup(1);
    ASSERT_TRUE(Opened(pDeep));
    CSoundRecorder sounds;
    PopupSendKey(VK_ESCAPE);
    ASSERT_TRUE(Ended());
    // a cancelled menu chose nothing: no WM_COMMAND (not even 0) and no command sound
    EXPECT_EQ(0u, m_receiver.m_arrCommands.size());
    EXPECT_TRUE(sounds.Requested().empty());
    EXPECT_TRUE(sounds.Aliases().empty());
}

TEST_F(PopupTrackingTest, ACommandPlaysItsSoundAndRepaintsOnlyWhatTheMenuCovered)
{
    POPUP_REQUIRE_KEYBOARD(m_receiver);
    ASSERT_TRUE(Track());
    CRect rcMenu, rcClient;
    m_pPopup->GetWindowRect(&rcMenu);
    m_receiver.ScreenToClient(&rcMenu);
    m_receiver.GetClientRect(&rcClient);
    ASSERT_FALSE(rcMenu.EqualRect(&rcClient));
    PopupSendKey(VK_DOWN);
    PopupPumpFor(50);
    m_receiver.m_arrErased.clear();
    m_receiver.m_nNcPaints = 0;
    CSoundRecorder sounds;
    PopupSendKey(VK_RETURN);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(1, m_receiver.CountCommands(ID_POPUP_ALPHA));
    EXPECT_EQ(std::vector<int>{ CExtSoundPlayer::SOUND_MENU_COMMAND }, sounds.Requested());
    EXPECT_EQ(std::vector<std::string>{ "MenuCommand" }, sounds.Aliases());
    // the background under the menu is erased, the rest of the window is not
    // a menu inside the client area leaves the frame alone
    EXPECT_EQ(0, m_receiver.m_nNcPaints);
    ASSERT_FALSE(m_receiver.m_arrErased.empty());
    for (const CRect& rc : m_receiver.m_arrErased)
    {
        CRect rcOut;
        EXPECT_TRUE(rcOut.IntersectRect(&rc, &rcMenu));
        EXPECT_FALSE(rc.EqualRect(&rcClient));
        EXPECT_TRUE(rcOut.EqualRect(&rc)) << rc.left << "," << rc.top << " " << rc.right
                                          << "," << rc.bottom;
    }
}

TEST_F(PopupTrackingTest, MnemonicOfAUniqueItemActivatesIt)
{
    POPUP_REQUIRE_KEYBOARD(m_receiver);
    ASSERT_TRUE(Track());
    PopupSendKey('E');
    ASSERT_TRUE(Ended());
    EXPECT_EQ(1, m_receiver.CountCommands(ID_POPUP_EPSILON));
}

TEST_F(PopupTrackingTest, KeysFasterThanTheRepeatTimeAreDropped)
{
    POPUP_REQUIRE_KEYBOARD(m_receiver);
    ASSERT_TRUE(Track());
    // two presses stamped 5 ms apart: the second is a repeat however long the first one
    // takes to handle (a busy machine), since the stamps count, not the time of handling
    CCountedPopupMenuWnd::s_nDelay = 80;
    CCountedPopupMenuWnd::s_nKeys = 0;
    const DWORD nStamp = ::GetTickCount();
    INPUT in[4];
    memset(in, 0, sizeof(in));
    for (int i = 0; i < 4; i++)
    {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = VK_DOWN;
        in[i].ki.dwFlags = (i % 2) ? KEYEVENTF_KEYUP : 0;
        in[i].ki.time = nStamp + (i / 2) * 5;
    }
    ::SendInput(4, in, sizeof(INPUT));
    PopupPumpFor(60);
    EXPECT_EQ(0, m_pPopup->GetCurrentIndex());
    EXPECT_EQ(1, CCountedPopupMenuWnd::s_nKeys);
    // a press stamped 25 ms after the accepted one counts
    in[0].ki.time = in[1].ki.time = nStamp + 25;
    ::SendInput(2, in, sizeof(INPUT));
    PopupPumpFor(60);
    EXPECT_EQ(1, m_pPopup->GetCurrentIndex());
    EXPECT_EQ(2, CCountedPopupMenuWnd::s_nKeys);
    CCountedPopupMenuWnd::s_nDelay = 0;
}

TEST_F(PopupTrackingTest, ModalResultOnlyTracking)
{
    POPUP_REQUIRE_KEYBOARD(m_receiver);
    // the last step sends two keys at once, as a timer late after a stall runs two steps
    CPopupInputScript script({ [] {}, [] { PopupPostKey(VK_DOWN); },
                               [] { PopupPostKey(VK_DOWN); PopupPostKey(VK_RETURN); } });
    UINT nResult = 0xFFFF;
    m_bTracked = true;
    ASSERT_TRUE(m_pPopup->StartTracking(kNoAnim | kShowAll
                                            | CExtPopupMenuWnd::TPMX_DO_MESSAGE_LOOP
                                            | CExtPopupMenuWnd::TPMX_NO_WM_COMMAND,
                                        200, 150, NULL, NULL, NULL, &nResult));
    // the popup is gone when the modal tracking returns
    EXPECT_EQ(1, m_nDestroyed);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ((UINT)ID_POPUP_BETA, nResult);
    PopupPumpFor(50);
    EXPECT_EQ(0, m_receiver.CountCommands(ID_POPUP_BETA));
    EXPECT_TRUE(m_receiver.m_arrCommands.empty());
}

/////////////////////////////////////////////////////////////////////////////
// Mouse

TEST_F(PopupTrackingTest, ClickOnAnItemDeliversItsCommand)
{
    ASSERT_TRUE(Track());
    CRect rc = PopupItemScreenRect(m_pPopup, 4);
    PopupMoveMouse(rc.CenterPoint().x, rc.CenterPoint().y);
    EXPECT_EQ(4, m_pPopup->GetCurrentIndex());
    PopupClick(rc.CenterPoint().x, rc.CenterPoint().y);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(1, m_receiver.CountCommands(ID_POPUP_EPSILON));
    // the clicks over the popup did not reach the receiver
    EXPECT_EQ(0, m_receiver.m_nLButtonDowns);
}

TEST_F(PopupTrackingTest, ClickOutsideClosesAndReachesTheWindowUnderTheMouse)
{
    ASSERT_TRUE(Track(kNoAnim | kShowAll, 300, 200));
    CRect rcPopup;
    m_pPopup->GetWindowRect(&rcPopup);
    CRect rcReceiver;
    m_receiver.GetWindowRect(&rcReceiver);
    CPoint pt(rcReceiver.left + 60, rcReceiver.bottom - 40);
    ASSERT_FALSE(rcPopup.PtInRect(pt));
    PopupClick(pt.x, pt.y);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(1, m_receiver.m_nLButtonDowns);
    EXPECT_TRUE(m_receiver.m_arrCommands.empty());
}

TEST_F(PopupTrackingTest, RightReleaseOutsideClosesAndIsSwallowed)
{
    ASSERT_TRUE(Track(kNoAnim | kShowAll, 300, 200));
    CRect rcReceiver;
    m_receiver.GetWindowRect(&rcReceiver);
    ::SetCursorPos(rcReceiver.left + 60, rcReceiver.bottom - 40);
    INPUT in;
    memset(&in, 0, sizeof(in));
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    ::SendInput(1, &in, sizeof(INPUT));
    ASSERT_TRUE(Ended());
    EXPECT_EQ(0, m_receiver.m_nRButtonUps);
}

TEST_F(PopupTrackingTest, HoverOpensASubMenuAfterTheDelay)
{
    ASSERT_TRUE(Track());
    CExtPopupMenuWnd* pMore = m_pPopup->GetItemPopup(3);
    CRect rc = PopupItemScreenRect(m_pPopup, 3);
    // the sub-menu never shows before the delay (500 ms): the time counts from before the
    // move and is read after the look, so a busy machine can make it look later, not sooner
    const DWORD nStart = ::GetTickCount();
    PopupMoveMouse(rc.CenterPoint().x, rc.CenterPoint().y);
    EXPECT_EQ(3, m_pPopup->GetCurrentIndex());
    bool bOpen = false;
    while (!bOpen && ::GetTickCount() - nStart < 450)
    {
        PopupPumpFor(10);
        bOpen = pMore->GetSafeHwnd() != NULL;
        if (bOpen)
            EXPECT_GE(::GetTickCount() - nStart, 450u) << "the sub-menu opened before the delay";
    }
    ASSERT_TRUE(Opened(pMore));
    // the item covering notifications told the receiver
    EXPECT_GE(m_receiver.CountMessages(CExtPopupMenuWnd::g_nMsgItemCoveringNotification), 2);
    // a click in the sub-menu chooses there
    CRect rcGamma = PopupItemScreenRect(pMore, 0);
    PopupMoveMouse(rcGamma.CenterPoint().x, rcGamma.CenterPoint().y);
    PopupClick(rcGamma.CenterPoint().x, rcGamma.CenterPoint().y);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(1, m_receiver.CountCommands(ID_POPUP_GAMMA));
}

TEST_F(PopupTrackingTest, ItemTipShowsAfterOneSecond)
{
    ASSERT_TRUE(Track());
    CRect rc = PopupItemScreenRect(m_pPopup, 0);
    // not before the second is over: the time counts from before the move and is read
    // after the look, so a busy machine can make the tip look later, not sooner
    const DWORD nStart = ::GetTickCount();
    PopupMoveMouse(rc.CenterPoint().x, rc.CenterPoint().y);
    CExtPopupMenuTipWnd& tip = m_pPopup->m_wndMenuTip;
    ASSERT_TRUE(tip.GetSafeHwnd() != NULL);
    EXPECT_STREQ("Run the first test command", tip.GetText());
    PopupPumpFor(300);
    if (tip.IsWindowVisible())
        EXPECT_GE(::GetTickCount() - nStart, 950u) << "the tip showed before the second";
    ASSERT_TRUE(PopupPumpUntil([&tip] { return tip.IsWindowVisible() != FALSE; }, 2000));
    EXPECT_TRUE(m_pPopup->IsMenuTipVisible());
    // the balloon's pointer touches the item
    CRect rcTip;
    tip.GetWindowRect(&rcTip);
    EXPECT_TRUE(rcTip.PtInRect(CPoint(rc.left + 6, rc.top + 6))
                || rcTip.PtInRect(CPoint(rc.right - 6, rc.bottom - 6))
                || rcTip.bottom >= rc.top);
    // another item hides it
    CRect rc2 = PopupItemScreenRect(m_pPopup, 1);
    PopupMoveMouse(rc2.CenterPoint().x, rc2.CenterPoint().y);
    EXPECT_FALSE(tip.IsWindowVisible());
}

/////////////////////////////////////////////////////////////////////////////
// Life of the tracking

TEST_F(PopupTrackingTest, CancelTrackingDeletesTheTreeAndUnhooks)
{
    ASSERT_TRUE(Track());
    int nChildDestroyed = 0;
    ASSERT_TRUE(m_pPopup->InsertSubMenu(new CCountedPopupMenuWnd(&nChildDestroyed), -1,
                                        _T("Extra")));
    CExtPopupMenuWnd::CancelTracking();
    EXPECT_EQ(1, m_nDestroyed);
    EXPECT_EQ(1, nChildDestroyed);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_TRUE(g_TrackingSite.m_hHookMouse == NULL);
}

TEST_F(PopupTrackingTest, ANewTrackingEndsTheFirst)
{
    ASSERT_TRUE(Track());
    int nSecondDestroyed = 0;
    CExtPopupMenuWnd* pSecond = new CCountedPopupMenuWnd(&nSecondDestroyed);
    ASSERT_TRUE(pSecond->InitAsEmptyPopup(m_receiver.GetSafeHwnd()));
    pSecond->InsertCommandItem(ID_POPUP_ALPHA, -1, _T("Alpha"));
    ASSERT_TRUE(pSecond->StartTracking(kNoAnim, 250, 250));
    EXPECT_EQ(1, m_nDestroyed);
    EXPECT_EQ(pSecond, g_TrackingSite.m_pWndRoot);
    CExtPopupMenuWnd::CancelTracking();
    EXPECT_EQ(1, nSecondDestroyed);
}

TEST_F(PopupTrackingTest, CancelModeEndsTheTracking)
{
    ASSERT_TRUE(Track());
    m_pPopup->PostMessage(WM_CANCELMODE);
    ASSERT_TRUE(Ended());
    EXPECT_TRUE(m_receiver.m_arrCommands.empty());
}

TEST_F(PopupTrackingTest, StartingTwiceIsRefused)
{
    ASSERT_TRUE(Track());
    EXPECT_FALSE(m_pPopup->StartTracking(kNoAnim, 10, 10));
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(0, m_nDestroyed);
}

TEST_F(PopupTrackingTest, ReleaseOverTheTrackedBarButtonKeepsTheMenu)
{
    typedef CTestBarLinks Links;
    CExtPopupMenuWnd::BarLinks_t saved = CExtPopupMenuWnd::g_BarLinks;
    CExtPopupMenuWnd::g_BarLinks.m_pfnIsMenuTracking = Links::IsMenuTracking;
    CExtPopupMenuWnd::g_BarLinks.m_pfnIsPointOverTrackedButton = Links::OverButton;
    CExtPopupMenuWnd::g_BarLinks.m_pfnEndAllButtonTracking = Links::EndAll;
    const bool bTracked = Track(kShowAll, 300, 300);
    if (bTracked)
    {
        INPUT in;
        memset(&in, 0, sizeof(in));
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SetCursorPos(50, 50);
        ::SendInput(1, &in, sizeof(INPUT));
        PopupPumpFor(80);
        EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
        // elsewhere the release closes the tree
        CRect rcReceiver;
        m_receiver.GetWindowRect(&rcReceiver);
        ::SetCursorPos(rcReceiver.left + 60, rcReceiver.bottom - 30);
        ::SendInput(1, &in, sizeof(INPUT));
        PopupPumpFor(80);
        EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
        EXPECT_GE(Links::s_nEndAll, 1);
    }
    CExtPopupMenuWnd::CancelTracking();
    CExtPopupMenuWnd::g_BarLinks = saved;
    ASSERT_TRUE(bTracked);
}

/////////////////////////////////////////////////////////////////////////////
// Placement

TEST_F(PopupTrackingTest, PopupBelowAButtonAtTheScreenBottomOpensAbove)
{
    CExtPaintManager::MonitorInfo_t mi;
    CExtPaintManager::GetMonitorInfoByPoint(mi, CPoint(200, 200));
    CRect rcButton(200, mi.m_rcWorkArea.bottom - 30, 260, mi.m_rcWorkArea.bottom - 8);
    ASSERT_TRUE(m_pPopup->StartTracking(kNoAnim | kShowAll | CExtPopupMenuWnd::TPMX_BOTTOMALIGN,
                                        rcButton.left, rcButton.bottom, &rcButton));
    m_bTracked = true;
    CRect rc;
    m_pPopup->GetWindowRect(&rc);
    EXPECT_EQ(rcButton.top, rc.bottom);
    EXPECT_EQ(rcButton.left, rc.left);
    EXPECT_EQ((DWORD)CExtPopupMenuWnd::TPMX_TOPALIGN,
              m_pPopup->GetTrackFlags() & CExtPopupMenuWnd::TPMX_ALIGN_MASK);
}

TEST_F(PopupTrackingTest, PopupStaysInsideTheWorkArea)
{
    CExtPaintManager::MonitorInfo_t mi;
    CExtPaintManager::GetMonitorInfoByPoint(mi, CPoint(200, 200));
    // at the bottom-right corner the popup opens up and to the left of the point
    const CPoint pt(mi.m_rcWorkArea.right - 5, mi.m_rcWorkArea.bottom - 5);
    ASSERT_TRUE(Track(kNoAnim | kShowAll, pt.x, pt.y));
    CRect rc;
    m_pPopup->GetWindowRect(&rc);
    EXPECT_LE(rc.right, mi.m_rcWorkArea.right);
    EXPECT_LE(rc.bottom, mi.m_rcWorkArea.bottom);
    EXPECT_GE(rc.left, mi.m_rcWorkArea.left);
    EXPECT_GE(rc.top, mi.m_rcWorkArea.top);
}

TEST_F(PopupTrackingTest, JoinedPopupTakesTheButtonIntoItsRegion)
{
    CRect rcButton(150, 100, 210, 122);
    ASSERT_TRUE(m_pPopup->StartTracking(kNoAnim | kShowAll | CExtPopupMenuWnd::TPMX_BOTTOMALIGN
                                            | CExtPopupMenuWnd::TPMX_COMBINE_ANY_SUITABLE,
                                        rcButton.left, rcButton.bottom, &rcButton));
    m_bTracked = true;
    EXPECT_EQ((int)CExtPopupMenuWnd::COMBINE_TOP, m_pPopup->GetCombineAlign());
    CRect rc;
    m_pPopup->GetWindowRect(&rc);
    // the window covers the button and the menu below it
    EXPECT_EQ(rcButton.top, rc.top);
    EXPECT_EQ(rcButton.left, rc.left);
    EXPECT_GT(rc.bottom, rcButton.bottom + 50);
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, m_pPopup->GetWindowRgn((HRGN)rgn.GetSafeHandle()));
    // the button part is in the region, the space right of the button above the menu not
    EXPECT_TRUE(rgn.PtInRegion(10, 10));
    EXPECT_FALSE(rgn.PtInRegion(rcButton.Width() + 20, 5));
    CRect rcContent;
    m_pPopup->GetContentRect(rcContent);
    EXPECT_EQ(rcButton.Height() - 1, rcContent.top);
}

TEST_F(PopupTrackingTest, ContinuedTrackingJoinsTheRunningOne)
{
    ASSERT_TRUE(Track());
    HHOOK hMouse = g_TrackingSite.m_hHookMouse;
    int nJoinedDestroyed = 0;
    CExtPopupMenuWnd* pJoined = new CCountedPopupMenuWnd(&nJoinedDestroyed);
    ASSERT_TRUE(pJoined->InitAsEmptyPopup(m_receiver.GetSafeHwnd()));
    pJoined->InsertCommandItem(ID_POPUP_GAMMA, -1, _T("Gamma"));
    ASSERT_TRUE(pJoined->StartTracking(CExtPopupMenuWnd::TPMX_CONTINUED_TRACKING
                                           | CExtPopupMenuWnd::TPMX_SELECTANY,
                                       400, 300));
    // the first tracking goes on with its hooks; the joined popup is no root
    EXPECT_EQ(0, m_nDestroyed);
    EXPECT_EQ(m_pPopup, g_TrackingSite.m_pWndRoot);
    EXPECT_EQ(hMouse, g_TrackingSite.m_hHookMouse);
    EXPECT_TRUE(pJoined->IsContinuedTracking());
    const DWORD dwFlags = pJoined->GetTrackFlags();
    EXPECT_EQ(0x1700u, dwFlags & 0x1700u);
    EXPECT_EQ(0u, dwFlags & CExtPopupMenuWnd::TPMX_SELECTANY);
    EXPECT_TRUE(pJoined->IsAnimationFinished());
    // closing its window leaves the tracking alone; the owner deletes it
    pJoined->DestroyWindow();
    PopupPumpFor(30);
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(0, nJoinedDestroyed);
    delete pJoined;
    EXPECT_EQ(1, nJoinedDestroyed);
}

namespace
{

// A sub-menu whose window cannot be made (out of window handles, a refused class).
class CUncreatablePopupMenuWnd : public CExtPopupMenuWnd
{
public:
    bool CreatePopupWindow(CWnd*) override
    {
        m_nAttempts++;
        return false;
    }
    int m_nAttempts = 0;
};

} // namespace

TEST_F(PopupTrackingTest, ASubMenuThatCannotOpenLeavesTheParentTracking)
{
    POPUP_REQUIRE_KEYBOARD(m_receiver);
    // the "More" sub-menu's popup is replaced by one that fails to make its window
    CExtPopupMenuWnd::MENUITEMDATA& mi = m_pPopup->m_items_all[3];
    ASSERT_TRUE(mi.IsPopup());
    CUncreatablePopupMenuWnd* pFailing = new CUncreatablePopupMenuWnd;
    ASSERT_TRUE(pFailing->InitAsEmptyPopup(m_receiver.GetSafeHwnd()));
    pFailing->InsertCommandItem(ID_POPUP_GAMMA, -1, _T("Gamma"));
    pFailing->m_pWndParentMenu = m_pPopup;
    delete mi.m_pWndChild;
    mi.m_pWndChild = pFailing;
    ASSERT_TRUE(Track());
    for (int i = 0; i < 3; i++)
        PopupSendKey(VK_DOWN);
    ASSERT_EQ(3, m_pPopup->GetCurrentIndex());
    PopupSendKey(VK_RIGHT);
    EXPECT_GE(pFailing->m_nAttempts, 1);
    EXPECT_TRUE(pFailing->GetSafeHwnd() == NULL);
    // the parent still tracks and takes the keys
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(m_pPopup, g_TrackingSite.m_pWndHookTarget);
    EXPECT_TRUE(g_TrackingSite.m_hHookKeyboard != NULL);
    PopupSendKey(VK_UP);
    PopupSendKey(VK_UP);
    ASSERT_EQ(0, m_pPopup->GetCurrentIndex());
    // the mouse over the item tries once more and still leaves the parent in charge
    CRect rcItem;
    m_pPopup->GetItemRect(3, rcItem);
    m_pPopup->ClientToScreen(&rcItem);
    PopupMoveMouse(rcItem.CenterPoint().x, rcItem.CenterPoint().y);
    PopupPumpFor(600);
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(m_pPopup, g_TrackingSite.m_pWndHookTarget);
    PopupSendKey(VK_UP);
    PopupSendKey(VK_UP);
    ASSERT_EQ(0, m_pPopup->GetCurrentIndex());
    PopupSendKey(VK_RETURN);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(1, m_receiver.CountCommands(ID_POPUP_ALPHA));
}
