// The item-list button of a tab strip: a popup with one command per item.
#include "../uibars_support.h"
#include "uiframework/bars/ExtTabWnd.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"

#include <functional>

namespace
{

struct ListSeen_t
{
    int nItems = -1;
    std::vector<CString> texts;
    std::vector<UINT> ids;
    std::vector<bool> checked;
    CRect rcPopup;
    int nClickIndex = -1;       // the popup item to click, -1: cancel
    bool bSeen = false;
    int nTicks = 0;
};
ListSeen_t* g_pSeen = NULL;

BOOL CALLBACK FindPopup(HWND hWnd, LPARAM lParam)
{
    CExtPopupMenuWnd* p = DYNAMIC_DOWNCAST(CExtPopupMenuWnd, CWnd::FromHandlePermanent(hWnd));
    if (p != NULL && ::IsWindowVisible(hWnd))
    {
        *(CExtPopupMenuWnd**)lParam = p;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK InspectList(HWND, UINT, UINT_PTR nID, DWORD)
{
    if (g_pSeen == NULL)
        return;
    ListSeen_t& seen = *g_pSeen;
    CExtPopupMenuWnd* pPopup = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindPopup, (LPARAM)&pPopup);
    if (pPopup == NULL)
    {
        // never wait for ever: a popup that does not show is cancelled
        if (++seen.nTicks > 40)
            CExtPopupMenuWnd::CancelTracking();
        return;
    }
    ::KillTimer(NULL, nID);
    seen.bSeen = true;
    seen.nItems = pPopup->GetItemCount();
    for (int i = 0; i < seen.nItems; i++)
    {
        seen.ids.push_back(pPopup->GetItemCmdID(i));
        seen.texts.push_back(pPopup->GetItemText(i));
        seen.checked.push_back(pPopup->GetItemAt(i).IsChecked());
    }
    pPopup->GetWindowRect(&seen.rcPopup);
    if (seen.nClickIndex < 0)
    {
        CExtPopupMenuWnd::CancelTracking();
        return;
    }
    pPopup->EndWithCommand(pPopup->GetItemCmdID(seen.nClickIndex));
}

class ItemListTest : public UiBarsTest
{
protected:
    CExtTabWnd m_tabs;
    void TearDown() override
    {
        g_pSeen = NULL;
        if (m_tabs.m_hWnd != NULL)
            m_tabs.DestroyWindow();
        UiBarsTest::TearDown();
    }
    // Presses and releases the list button; the popup is inspected (and a choice made)
    // from a timer inside its modal loop.
    void ClickListButton(ListSeen_t& seen)
    {
        g_pSeen = &seen;
        UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, InspectList);
        CPoint pt = m_tabs.m_rcBtnList.CenterPoint();
        m_tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        m_tabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        ::KillTimer(NULL, nTimer);
        PumpPendingMessages();
    }
};

} // namespace

TEST_F(ItemListTest, ListButtonOffersEveryItemAndSelectsTheChosenOne)
{
    ASSERT_TRUE(m_tabs.Create(m_pFrame, CRect(10, 10, 330, 40), 100, WS_CHILD | WS_VISIBLE,
                              __ETWS_SHOW_BTN_TAB_LIST | __ETWS_ENABLED_BTN_TAB_LIST |
                                  __ETWS_GROUPED));
    m_tabs.m_nState &= ~CExtTabWnd::STATE_SIZEPARENT;
    m_tabs.InsertItem("North", NULL, false, __ETWI_GROUP_START, -1, 1);
    m_tabs.InsertItem("East", NULL, false, 0, -1, 2);
    m_tabs.InsertItem("South", NULL, false, __ETWI_GROUP_START, -1, 3);
    m_tabs.SetSelection(1, true, true);
    m_tabs.UpdateTabWnd(true);
    m_tabs.RecalcLayout();
    ASSERT_FALSE(m_tabs.m_rcBtnList.IsRectEmpty());
    EXPECT_EQ(m_tabs.HitTest(m_tabs.m_rcBtnList.CenterPoint()), CExtTabWnd::HT_BTN_LIST);

    // the list: a separator before the second group, the selected item checked
    ListSeen_t seen;
    seen.nClickIndex = 3;       // "South"
    ClickListButton(seen);
    ASSERT_TRUE(seen.bSeen);
    ASSERT_EQ(seen.nItems, 4);
    EXPECT_EQ(seen.ids[0], 0xFFFFu);
    EXPECT_EQ(seen.ids[1], 0xFFFFu + 1);
    EXPECT_EQ(seen.ids[2], (UINT)ID_SEPARATOR);
    EXPECT_EQ(seen.ids[3], 0xFFFFu + 2);
    EXPECT_STREQ(seen.texts[0], "North");
    EXPECT_STREQ(seen.texts[3], "South");
    EXPECT_FALSE(seen.checked[0]);
    EXPECT_TRUE(seen.checked[1]);
    EXPECT_FALSE(seen.checked[3]);
    // a top strip opens its list below the button
    CRect rcBtn = m_tabs.m_rcBtnList;
    m_tabs.ClientToScreen(&rcBtn);
    EXPECT_GE(seen.rcPopup.top, rcBtn.bottom - 1);
    // the chosen item is selected, and the popup is gone
    EXPECT_EQ(m_tabs.GetSelection(), 2);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());

    // cancelling keeps the selection
    ListSeen_t cancelled;
    ClickListButton(cancelled);
    ASSERT_TRUE(cancelled.bSeen);
    EXPECT_TRUE(cancelled.checked[3]);
    EXPECT_EQ(m_tabs.GetSelection(), 2);
}

TEST_F(ItemListTest, DisabledListButtonOpensNothing)
{
    ASSERT_TRUE(m_tabs.Create(m_pFrame, CRect(10, 10, 330, 40), 100, WS_CHILD | WS_VISIBLE,
                              __ETWS_SHOW_BTN_TAB_LIST));
    m_tabs.m_nState &= ~CExtTabWnd::STATE_SIZEPARENT;
    m_tabs.InsertItem("One", NULL, false, 0, -1, 1);
    m_tabs.InsertItem("Two", NULL, false, 0, -1, 2);
    m_tabs.UpdateTabWnd(true);
    m_tabs.RecalcLayout();
    ASSERT_FALSE(m_tabs.m_rcBtnList.IsRectEmpty());
    ListSeen_t seen;
    g_pSeen = &seen;
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 20, InspectList);
    CPoint pt = m_tabs.m_rcBtnList.CenterPoint();
    m_tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    m_tabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    DWORD dwEnd = ::GetTickCount() + 150;
    while ((int)(dwEnd - ::GetTickCount()) > 0)
    {
        PumpPendingMessages();
        ::Sleep(10);
    }
    ::KillTimer(NULL, nTimer);
    EXPECT_FALSE(seen.bSeen);
    EXPECT_NE(::GetCapture(), m_tabs.m_hWnd);
}
