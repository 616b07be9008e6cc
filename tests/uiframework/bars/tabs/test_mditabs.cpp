// The MDI tab strip following the child windows of an MDI frame.
#include "../uibars_support.h"
#include "uiframework/bars/ExtTabMdiWnd.h"

#include <vector>

namespace
{

class MdiTabsTest : public ::testing::Test
{
protected:
    CWinApp* m_pApp = NULL;
    CMDIFrameWnd* m_pFrame = NULL;
    CExtTabMdiWnd* m_pTabs = NULL;

    void SetUp() override
    {
        m_pApp = new CWinApp("MDI Tabs Tests");
        AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR)"", SW_SHOW);
        m_pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, "MDI tabs", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(20, 20, 720, 520)));
        m_pApp->m_pMainWnd = m_pFrame;
        m_pTabs = new CExtTabMdiWnd;
        ASSERT_TRUE(m_pTabs->Create(m_pFrame, CRect(0, 0, 0, 0), AFX_IDW_CONTROLBAR_FIRST + 40,
                                    WS_CHILD | WS_VISIBLE,
                                    __ETWS_SHOW_BTN_CLOSE | __ETWS_ENABLED_BTN_CLOSE |
                                        __ETWS_SHOW_BTN_HELP | __ETWS_ENABLED_BTN_HELP));
    }
    void TearDown() override
    {
        if (m_pTabs != NULL && m_pTabs->m_hWnd != NULL)
            m_pTabs->DestroyWindow();
        delete m_pTabs;
        m_pApp->m_pMainWnd = NULL;
        if (::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        PumpPendingMessages();
        delete m_pApp;
    }
    CMDIChildWnd* NewChild(LPCTSTR lpszTitle)
    {
        CMDIChildWnd* pChild = new CMDIChildWnd;
        EXPECT_TRUE(pChild->Create(NULL, lpszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                   CFrameWnd::rectDefault, m_pFrame));
        PumpPendingMessages();
        return pChild;
    }
    int ItemOf(CWnd* pWnd) { return m_pTabs->FindItemByHwnd(pWnd->m_hWnd); }
};

} // namespace

TEST_F(MdiTabsTest, StripFollowsTheChildWindows)
{
    // the first synchronisation runs on the 10-ms timer
    ::Sleep(40);
    PumpPendingMessages();
    EXPECT_TRUE(m_pTabs->IsMdiTabWindow());
    EXPECT_EQ(m_pTabs->GetMdiClientHwnd(), m_pFrame->m_hWndMDIClient);
    EXPECT_EQ(m_pTabs->GetItemCount(), 0);
    EXPECT_FALSE(m_pTabs->IsWindowVisible());

    CMDIChildWnd* pOne = NewChild("One");
    CMDIChildWnd* pTwo = NewChild("Two");
    CMDIChildWnd* pThree = NewChild("Three");
    ASSERT_EQ(m_pTabs->GetItemCount(), 3);
    EXPECT_TRUE(m_pTabs->IsWindowVisible());
    EXPECT_GE(ItemOf(pOne), 0);
    EXPECT_GE(ItemOf(pTwo), 0);
    EXPECT_EQ(m_pTabs->GetSelection(), ItemOf(pThree));
    EXPECT_EQ(m_pTabs->GetItemText(m_pTabs->GetItem(ItemOf(pTwo))), "Two");

    // activating a child selects its tab
    m_pFrame->MDIActivate(pOne);
    PumpPendingMessages();
    EXPECT_EQ(m_pTabs->GetSelection(), ItemOf(pOne));

    // a click on a tab activates its child
    m_pFrame->RecalcLayout();
    m_pTabs->UpdateTabWnd(false);
    m_pTabs->RecalcLayout();
    CPoint pt = m_pTabs->GetItemClientRect(ItemOf(pTwo)).CenterPoint();
    m_pTabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    m_pTabs->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpPendingMessages();
    EXPECT_EQ(m_pFrame->MDIGetActive(), pTwo);
    EXPECT_EQ(m_pTabs->GetSelection(), ItemOf(pTwo));

    // the strip sits above the MDI client
    CRect rcTabs, rcClient;
    m_pTabs->GetWindowRect(&rcTabs);
    ::GetWindowRect(m_pFrame->m_hWndMDIClient, &rcClient);
    EXPECT_LE(rcTabs.bottom, rcClient.top);
    EXPECT_GT(rcTabs.Height(), 20);
    // the MDI client has no border toward the strip, 2 pixels elsewhere
    CRect rcInside;
    ::GetClientRect(m_pFrame->m_hWndMDIClient, &rcInside);
    ::ClientToScreen(m_pFrame->m_hWndMDIClient, (POINT*)&rcInside.left);
    ::ClientToScreen(m_pFrame->m_hWndMDIClient, (POINT*)&rcInside.right);
    EXPECT_EQ(rcInside.top, rcClient.top);
    EXPECT_EQ(rcInside.left, rcClient.left + 2);
    EXPECT_EQ(rcInside.right, rcClient.right - 2);
    EXPECT_EQ(rcInside.bottom, rcClient.bottom - 2);

    // the close button closes the active child; its tab goes with it
    CRect rcClose = m_pTabs->GetButtonRect(CExtTabWnd::HT_BTN_CLOSE);
    ASSERT_FALSE(rcClose.IsRectEmpty());
    CPoint ptClose = rcClose.CenterPoint();
    m_pTabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptClose.x, ptClose.y));
    m_pTabs->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClose.x, ptClose.y));
    PumpPendingMessages();
    EXPECT_FALSE(::IsWindow(pTwo->m_hWnd) && pTwo->IsWindowVisible());
    EXPECT_EQ(m_pTabs->GetItemCount(), 2);
    EXPECT_LT(m_pTabs->FindItemByData((LPARAM)pOne->m_hWnd), 2);

    // destroying the last children empties and hides the strip
    ::SendMessage(m_pFrame->m_hWndMDIClient, WM_MDIDESTROY, (WPARAM)pOne->m_hWnd, 0);
    PumpPendingMessages();
    EXPECT_EQ(m_pTabs->GetItemCount(), 1);
    ::SendMessage(m_pFrame->m_hWndMDIClient, WM_MDIDESTROY, (WPARAM)pThree->m_hWnd, 0);
    PumpPendingMessages();
    EXPECT_EQ(m_pTabs->GetItemCount(), 0);
    EXPECT_FALSE(m_pTabs->IsWindowVisible());
}

TEST_F(MdiTabsTest, ItemTextUsesTheFrameTitleAndWindowNumber)
{
    CMDIChildWnd* pChild = NewChild("Plain");
    ASSERT_GE(ItemOf(pChild), 0);
    CExtTabWnd::TAB_ITEM_INFO* pItem = m_pTabs->GetItem(ItemOf(pChild));
    pChild->SetTitle("Letter");
    pChild->m_nWindow = 2;
    EXPECT_EQ(m_pTabs->GetItemText(pItem), "Letter:2");
    pChild->m_nWindow = 0;
    EXPECT_EQ(m_pTabs->GetItemText(pItem), "Letter");

    // the same title from a window class without and with an icon: the first tab shows
    // its text only, the second a 16 x 16 icon and 3 pixels more before the text
    CMDIChildWnd* pBare = new CMDIChildWnd;
    LPCTSTR lpszBare = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1), NULL);
    ASSERT_TRUE(pBare->Create(lpszBare, "Letter", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                              CFrameWnd::rectDefault, m_pFrame));
    ASSERT_EQ(::SendMessage(pBare->m_hWnd, WM_GETICON, ICON_SMALL, 0), 0);
    ASSERT_EQ(::SendMessage(pBare->m_hWnd, WM_GETICON, ICON_BIG, 0), 0);
    CMDIChildWnd* pIconic = new CMDIChildWnd;
    LPCTSTR lpszIconic = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                             (HBRUSH)(COLOR_WINDOW + 1),
                                             ::LoadIcon(NULL, IDI_APPLICATION));
    ASSERT_TRUE(pIconic->Create(lpszIconic, "Letter", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                CFrameWnd::rectDefault, m_pFrame));
    PumpPendingMessages();
    int nBare = ItemOf(pBare), nIconic = ItemOf(pIconic);
    ASSERT_GE(nBare, 0);
    ASSERT_GE(nIconic, 0);
    m_pFrame->RecalcLayout();
    m_pTabs->UpdateTabWnd(false);
    m_pTabs->RecalcLayout();
    CExtTabWnd::TAB_ITEM_INFO* pBareItem = m_pTabs->GetItem(nBare);
    CExtTabWnd::TAB_ITEM_INFO* pIconicItem = m_pTabs->GetItem(nIconic);
    EXPECT_EQ(m_pTabs->GetItemText(pBareItem), "Letter");
    EXPECT_EQ(m_pTabs->GetItemText(pIconicItem), "Letter");
    EXPECT_TRUE(m_pTabs->GetItemIcon(pBareItem) == NULL);
    EXPECT_EQ(pBareItem->m_sizeIcon, CSize(0, 0));
    CExtCmdIcon* pIcon = m_pTabs->GetItemIcon(pIconicItem);
    ASSERT_TRUE(pIcon != NULL);
    EXPECT_EQ(CSize(pIcon->GetSize()), CSize(16, 16));
    EXPECT_EQ(pIconicItem->m_sizeIcon, CSize(16, 16));
    EXPECT_EQ(pIconicItem->m_sizeText, pBareItem->m_sizeText);
    EXPECT_EQ(pIconicItem->m_size.cx, pBareItem->m_size.cx + 16 + 3);
}
