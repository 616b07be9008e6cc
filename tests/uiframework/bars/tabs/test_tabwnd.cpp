// Tab strip: item measuring, layout, scrolling, equal sizes, groups, hit-testing,
// presses, hover selection and item dragging.
#include "../uibars_support.h"
#include "uiframework/bars/ExtTabWnd.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"

namespace
{

// Counts the context menu requests that default processing produces.
class CCountingTabWnd : public CExtTabWnd
{
public:
    int m_nContextMenus = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CONTEXTMENU)
            m_nContextMenus++;
        return CExtTabWnd::WindowProc(message, wParam, lParam);
    }
};

CSize TextExtent(CExtTabWnd& wnd, LPCTSTR s)
{
    CClientDC dc(&wnd);
    CFont* pOld = dc.SelectObject(wnd.GetTabFont(false, 0));
    CSize size = dc.GetTextExtent(s);
    dc.SelectObject(pOld);
    return size;
}

LPARAM PointParam(const CPoint& pt) { return MAKELPARAM(pt.x, pt.y); }

class TabWndTest : public UiBarsTest
{
protected:
    CCountingTabWnd m_tabs;
    void MakeStrip(DWORD dwStyle, int cx, int nItems, LPCTSTR pszText = "Item text")
    {
        ASSERT_TRUE(m_tabs.Create(m_pFrame, CRect(0, 0, cx, 40), 100, WS_CHILD | WS_VISIBLE,
                                  dwStyle));
        m_tabs.m_nState &= ~CExtTabWnd::STATE_SIZEPARENT;
        for (int i = 0; i < nItems; i++)
            m_tabs.InsertItem(pszText, NULL, false, 0, -1, 1000 + i);
        m_tabs.UpdateTabWnd(true);
        m_tabs.RecalcLayout();
    }
    void TearDown() override
    {
        if (m_tabs.m_hWnd != NULL)
            m_tabs.DestroyWindow();
        UiBarsTest::TearDown();
    }
};

} // namespace

TEST_F(TabWndTest, ItemsMeasureWithAndWithoutIcon)
{
    MakeStrip(0, 400, 0);
    HICON hIcon = (HICON)::LoadImage(NULL, IDI_APPLICATION, IMAGE_ICON, 16, 16, LR_SHARED);
    ASSERT_TRUE(hIcon != NULL);
    CExtTabWnd::TAB_ITEM_INFO* pWith = m_tabs.InsertItem("Sample", hIcon, true);
    CExtTabWnd::TAB_ITEM_INFO* pWithout = m_tabs.InsertItem("Sample");
    CSize text = TextExtent(m_tabs, "Sample");
    CSize sizeIcon = pWith->Measure();
    ASSERT_EQ(pWith->m_sizeIcon.cx, 16);
    EXPECT_EQ(sizeIcon.cx, 16 + 3 + text.cx + 7);
    EXPECT_EQ(sizeIcon.cy, std::max(std::max(text.cy, 16L) + 4, 20L));
    CSize sizePlain = pWithout->Measure();
    EXPECT_EQ(sizePlain.cx, text.cx + 7);
    EXPECT_EQ(sizePlain.cy, std::max(text.cy + 4, 20L));

    // a vertical strip turns the text: length along the strip from the text width
    m_tabs.ModifyTabStyle(__ETWS_ORIENT_MASK, __ETWS_ORIENT_LEFT);
    CSize sizeVert = pWithout->Measure();
    EXPECT_EQ(sizeVert.cy, text.cx + 10 + 7);
    EXPECT_EQ(sizeVert.cx, std::max(text.cy + 2 + 4, 20L));
}

TEST_F(TabWndTest, LayoutScrollsWithButtonsAndSmoothScrollSteps)
{
    MakeStrip(0, 200, 8);
    EXPECT_GT(m_tabs.GetScrollRange(), 0);
    EXPECT_EQ(m_tabs.GetScrollPos(), 0);
    EXPECT_FALSE(m_tabs.GetTabStyle() & __ETWS_ENABLED_BTN_UP);
    EXPECT_TRUE(m_tabs.GetTabStyle() & __ETWS_ENABLED_BTN_DOWN);
    ASSERT_FALSE(m_tabs.GetButtonRect(CExtTabWnd::HT_BTN_PREV).IsRectEmpty());
    ASSERT_FALSE(m_tabs.GetButtonRect(CExtTabWnd::HT_BTN_NEXT).IsRectEmpty());
    EXPECT_EQ(m_tabs.HitTest(m_tabs.GetButtonRect(CExtTabWnd::HT_BTN_NEXT).CenterPoint()),
              CExtTabWnd::HT_BTN_NEXT);
    // items are end to end and the band total is their sum
    int nSum = 0;
    for (int i = 0; i < 8; i++)
        nSum += m_tabs.GetItem(i)->m_rc.Width();
    EXPECT_EQ(m_tabs.m_nBandTotal, nSum);
    EXPECT_EQ(m_tabs.GetScrollRange(), nSum - m_tabs.GetBandRect().Width());
    EXPECT_EQ(m_tabs.GetFirstVisible(), 0);
    EXPECT_LT(m_tabs.GetLastVisible(), 7);

    // a press on next runs the smooth scroll: 10 pixels a tick up to the range
    CPoint ptNext = m_tabs.GetButtonRect(CExtTabWnd::HT_BTN_NEXT).CenterPoint();
    m_tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(ptNext));
    EXPECT_EQ(m_tabs.m_nSmoothScroll, m_tabs.GetScrollRange());
    int nRange = m_tabs.GetScrollRange();
    m_tabs.SendMessage(WM_TIMER, CExtTabWnd::TIMER_SCROLL);
    EXPECT_EQ(m_tabs.GetScrollPos(), 10);
    EXPECT_TRUE(m_tabs.GetTabStyle() & __ETWS_ENABLED_BTN_UP);
    for (int i = 0; i < 200 && m_tabs.m_nSmoothScroll != 0; i++)
        m_tabs.SendMessage(WM_TIMER, CExtTabWnd::TIMER_SCROLL);
    EXPECT_EQ(m_tabs.GetScrollPos(), nRange);
    EXPECT_FALSE(m_tabs.GetTabStyle() & __ETWS_ENABLED_BTN_DOWN);
    EXPECT_EQ(m_tabs.GetLastVisible(), 7);
    m_tabs.SendMessage(WM_LBUTTONUP, 0, PointParam(ptNext));
    EXPECT_NE(::GetCapture(), m_tabs.m_hWnd);

    // selecting the first item scrolls it back into view
    m_tabs.SetSelection(0, true, true);
    EXPECT_EQ(m_tabs.GetScrollPos(), 0);
}

TEST_F(TabWndTest, EqualSizeModeSharesTheBand)
{
    MakeStrip(__ETWS_EQUAL_WIDTHS, 120, 4, "A rather long item text");
    int nBand = m_tabs.GetBandRect().Width();
    ASSERT_GT(nBand, 24);
    for (int i = 0; i < 4; i++)
    {
        EXPECT_EQ(m_tabs.GetItem(i)->m_rc.Width(), nBand / 4);
        EXPECT_TRUE(m_tabs.GetItem(i)->m_nItemFlags & 1);
    }
    EXPECT_TRUE(m_tabs.m_nState & CExtTabWnd::STATE_SHORTENED);
    EXPECT_TRUE(m_tabs.GetButtonRect(CExtTabWnd::HT_BTN_PREV).IsRectEmpty());

    // a band too narrow gives every item 6 pixels
    m_tabs.SetWindowPos(NULL, 0, 0, 20, 40, SWP_NOZORDER | SWP_NOMOVE);
    m_tabs.UpdateTabWnd(false);
    m_tabs.RecalcLayout();
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(m_tabs.GetItem(i)->m_rc.Width(), 6);

    // items that fit keep their sizes unless full width is asked for
    m_tabs.SetWindowPos(NULL, 0, 0, 2000, 40, SWP_NOZORDER | SWP_NOMOVE);
    m_tabs.UpdateTabWnd(false);
    m_tabs.RecalcLayout();
    int nMeasured = m_tabs.GetItem(0)->m_size.cx;
    EXPECT_EQ(m_tabs.GetItem(0)->m_rc.Width(), nMeasured);
    m_tabs.ModifyTabStyle(0, __ETWS_FULL_WIDTH);
    m_tabs.RecalcLayout();
    EXPECT_EQ(m_tabs.GetItem(0)->m_rc.Width(), m_tabs.GetBandRect().Width() / 4);
}

TEST_F(TabWndTest, NoScrollButtonsWhileEverythingFits)
{
    MakeStrip(__ETWS_AUTOHIDE_SCROLL, 600, 2, "ab");
    EXPECT_EQ(m_tabs.GetScrollRange(), 0);
    EXPECT_TRUE(m_tabs.GetButtonRect(CExtTabWnd::HT_BTN_PREV).IsRectEmpty());
    EXPECT_TRUE(m_tabs.GetButtonRect(CExtTabWnd::HT_BTN_NEXT).IsRectEmpty());
    CRect rcClient;
    m_tabs.GetClientRect(&rcClient);
    for (int x = 0; x < rcClient.right; x += 2)
    {
        int nHit = m_tabs.HitTest(CPoint(x, m_tabs.GetBandRect().CenterPoint().y));
        ASSERT_NE(nHit, CExtTabWnd::HT_BTN_PREV);
        ASSERT_NE(nHit, CExtTabWnd::HT_BTN_NEXT);
    }
    // below the strip is the rest of the client
    EXPECT_EQ(m_tabs.HitTest(CPoint(5, 38)), CExtTabWnd::HT_CLIENT);
    EXPECT_EQ(m_tabs.HitTest(CPoint(-5, 5)), CExtTabWnd::HT_NOWHERE);
    EXPECT_EQ(m_tabs.HitTest(m_tabs.GetItemClientRect(1).CenterPoint()), 1);
    CPoint ptAfter(m_tabs.GetItemClientRect(1).right + 5, m_tabs.GetBandRect().CenterPoint().y);
    EXPECT_EQ(m_tabs.HitTest(ptAfter), CExtTabWnd::HT_STRIP);
}

TEST_F(TabWndTest, GroupModeBandAndShownItems)
{
    MakeStrip(__ETWS_GROUPED, 1200, 0);
    for (int g = 0; g < 2; g++)
        for (int i = 0; i < 3; i++)
            m_tabs.InsertItem(i == 1 ? "Longer middle text" : "x", NULL, false,
                              i == 0 ? __ETWI_GROUP_START : 0);
    m_tabs.GetItem(1)->ModifyFlags(0, __ETWI_IN_GROUP_ACTIVE);
    m_tabs.GetItem(3)->ModifyFlags(0, __ETWI_IN_GROUP_ACTIVE);
    m_tabs.UpdateTabWnd(false);
    m_tabs.RecalcLayout();
    int nFull = m_tabs.GetItem(1)->m_size.cx;
    int nShort = 7;   // no icon: only the fixed spacing
    EXPECT_EQ(m_tabs.GetItem(1)->m_rc.Width(), nFull);
    EXPECT_EQ(m_tabs.GetItem(0)->m_rc.Width(), nShort);
    EXPECT_EQ(m_tabs.GetItem(3)->m_rc.Width(), nFull);
    EXPECT_EQ(m_tabs.m_nBandTotal, 10 + (nFull + 2 * nShort) + 20 + (nFull + 2 * nShort));
    EXPECT_EQ(m_tabs.GetItem(3)->m_rc.left, m_tabs.GetItem(2)->m_rc.right + 20);

    // a new shown item takes the mark from the other item of its group only
    m_tabs.GetItem(5)->ModifyFlags(0, __ETWI_IN_GROUP_ACTIVE);
    EXPECT_FALSE(m_tabs.GetItem(3)->IsInGroupActive());
    EXPECT_TRUE(m_tabs.GetItem(1)->IsInGroupActive());
    // selecting an item makes it its group's shown item
    m_tabs.SetSelection(0);
    EXPECT_TRUE(m_tabs.GetItem(0)->IsInGroupActive());
    EXPECT_FALSE(m_tabs.GetItem(1)->IsInGroupActive());
    int nFirst = -1, nLast = -1;
    m_tabs.GetGroupRange(4, nFirst, nLast);
    EXPECT_EQ(nFirst, 3);
    EXPECT_EQ(nLast, 5);
}

TEST_F(TabWndTest, ItemsKeepTheirChainAndSelectionThroughInsertAndRemove)
{
    MakeStrip(0, 600, 4);
    m_tabs.SetSelection(2);
    m_tabs.InsertItem("new", NULL, false, 0, 1, 77);
    EXPECT_EQ(m_tabs.GetSelection(), 3);
    EXPECT_EQ(m_tabs.GetItem(1)->m_pPrev, m_tabs.GetItem(0));
    EXPECT_EQ(m_tabs.GetItem(1)->m_pNext, m_tabs.GetItem(2));
    EXPECT_EQ(m_tabs.FindItemByData(77), 1);
    EXPECT_EQ(m_tabs.RemoveItems(0, 2), 2);
    EXPECT_EQ(m_tabs.GetSelection(), 1);
    EXPECT_EQ(m_tabs.GetItem(0)->m_pPrev, (CExtTabWnd::TAB_ITEM_INFO*)NULL);
    EXPECT_EQ(m_tabs.RemoveItems(1, 10), 2);
    EXPECT_EQ(m_tabs.GetSelection(), -1);
    EXPECT_EQ(m_tabs.GetItemCount(), 1);
    EXPECT_EQ(m_tabs.GetItem(0)->m_pNext, (CExtTabWnd::TAB_ITEM_INFO*)NULL);
    m_tabs.GetItem(0)->ModifyFlags(0, __ETWI_HIDDEN);
    EXPECT_EQ(m_tabs.GetVisibleItemCount(), 0);
    EXPECT_FALSE(m_tabs.EnsureItemVisible(0));
    EXPECT_THROW(m_tabs.GetItemData(5), CInvalidArgException*);
}

TEST_F(TabWndTest, PressesSelectAndRightReleaseGivesTheContextMenu)
{
    MakeStrip(0, 600, 3, "abc");
    CPoint pt1 = m_tabs.GetItemClientRect(1).CenterPoint();
    m_tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(pt1));
    EXPECT_EQ(m_tabs.GetSelection(), 1);
    EXPECT_EQ(::GetCapture(), m_tabs.m_hWnd);
    m_tabs.SendMessage(WM_LBUTTONUP, 0, PointParam(pt1));
    EXPECT_NE(::GetCapture(), m_tabs.m_hWnd);

    CPoint pt2 = m_tabs.GetItemClientRect(2).CenterPoint();
    m_tabs.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, PointParam(pt2));
    EXPECT_EQ(m_tabs.GetSelection(), 2);
    m_tabs.SendMessage(WM_RBUTTONUP, 0, PointParam(pt2));
    EXPECT_EQ(m_tabs.m_nContextMenus, 1);

    // a second button while a press is tracked cancels it and selects nothing
    CPoint pt0 = m_tabs.GetItemClientRect(0).CenterPoint();
    m_tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(pt1));
    EXPECT_EQ(m_tabs.GetSelection(), 1);
    m_tabs.SendMessage(WM_MBUTTONDOWN, MK_MBUTTON, PointParam(pt0));
    EXPECT_EQ(m_tabs.GetSelection(), 1);
    EXPECT_FALSE(m_tabs.m_nState & CExtTabWnd::STATE_TRACKING);
}

TEST_F(TabWndTest, HoverSelectsAfterTheMouseRests)
{
    MakeStrip(__ETWS_HOVER_FOCUS, 600, 3, "abc");
    m_pFrame->SetActiveWindow();
    m_pFrame->SetForegroundWindow();
    CPoint pt2 = m_tabs.GetItemClientRect(2).CenterPoint();
    m_tabs.SendMessage(WM_MOUSEMOVE, 0, PointParam(pt2));
    EXPECT_EQ(m_tabs.GetHoverIndex(), 2);
    EXPECT_EQ(m_tabs.m_nHoverSelectIndex, 2);
    EXPECT_EQ(m_tabs.GetSelection(), -1);
    // the timer fires while the pointer is still over the item
    CPoint ptScreen = pt2;
    m_tabs.ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    m_tabs.SendMessage(WM_TIMER, CExtTabWnd::TIMER_HOVER);
    EXPECT_EQ(m_tabs.GetSelection(), 2);

    // moved away before the timer: nothing is selected
    CPoint pt0 = m_tabs.GetItemClientRect(0).CenterPoint();
    m_tabs.SendMessage(WM_MOUSEMOVE, 0, PointParam(pt0));
    EXPECT_EQ(m_tabs.m_nHoverSelectIndex, 0);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    m_tabs.SendMessage(WM_TIMER, CExtTabWnd::TIMER_HOVER);
    EXPECT_EQ(m_tabs.GetSelection(), 2);
    // off the items the hover is reset and the capture released
    m_tabs.SendMessage(WM_MOUSEMOVE, 0, PointParam(CPoint(5, 38)));
    EXPECT_EQ(m_tabs.GetHoverIndex(), -1);
    EXPECT_NE(::GetCapture(), m_tabs.m_hWnd);
}

TEST_F(TabWndTest, DraggingAnItemReordersTheItems)
{
    MakeStrip(__ETWS_ITEM_DRAGGING, 600, 3, "abc");
    m_tabs.GetItem(0)->m_sText = "first";
    m_tabs.SetCapture();
    CPoint pt2 = m_tabs.GetItemClientRect(2).CenterPoint();
    m_tabs.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(pt2));
    m_tabs.PostMessage(WM_LBUTTONUP, 0, PointParam(pt2));
    EXPECT_TRUE(m_tabs.TrackItemDrag(0));
    EXPECT_EQ(m_tabs.GetItem(2)->m_sText, "first");
    EXPECT_EQ(m_tabs.GetItem(2)->m_lParam, 1000);
    EXPECT_EQ(m_tabs.GetSelection(), 2);
    EXPECT_NE(::GetCapture(), m_tabs.m_hWnd);
    EXPECT_FALSE(m_tabs.m_nDragFlags & 1);
}

TEST_F(TabWndTest, ItemDragLeavesOnTheQuitMessageAndKeepsIt)
{
    MakeStrip(__ETWS_ITEM_DRAGGING, 600, 3, "abc");
    m_tabs.SetCapture();
    ::PostQuitMessage(7);
    EXPECT_FALSE(m_tabs.TrackItemDrag(1));
    EXPECT_NE(::GetCapture(), m_tabs.m_hWnd);
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(m_tabs.GetItem(1)->m_lParam, 1001);
}

namespace
{

// Refuses every move onto index 0.
class CGuardedTabWnd : public CExtTabWnd
{
public:
    int m_nMoved = 0;
    bool OnQueryItemMove(int, int nTo) override { return nTo != 0; }
    void OnItemMoved(int, int) override { m_nMoved++; }
};

} // namespace

TEST_F(TabWndTest, VerticalStripLaysItemsDownward)
{
    ASSERT_TRUE(m_tabs.Create(m_pFrame, CRect(0, 0, 60, 500), 100, WS_CHILD | WS_VISIBLE,
                              __ETWS_ORIENT_LEFT | __ETWS_AUTOHIDE_SCROLL));
    for (int i = 0; i < 3; i++)
        m_tabs.InsertItem("Vertical", NULL, false, 0, -1, i);
    m_tabs.RecalcLayout();
    CRect rc0 = m_tabs.GetItemClientRect(0), rc1 = m_tabs.GetItemClientRect(1);
    EXPECT_EQ(rc0.left, rc1.left);
    EXPECT_EQ(rc1.top, rc0.bottom);
    EXPECT_EQ(rc0.Height(), m_tabs.GetItem(0)->m_size.cy);
    EXPECT_EQ(rc0.Width(), m_tabs.GetStripThickness());
    EXPECT_EQ(m_tabs.HitTest(rc1.CenterPoint()), 1);
    // the rest of the client lies right of a left strip
    EXPECT_EQ(m_tabs.HitTest(CPoint(58, 250)), CExtTabWnd::HT_CLIENT);
}

TEST_F(TabWndTest, StripTakesItsBandFromTheFrameLayout)
{
    MakeStrip(__ETWS_ORIENT_BOTTOM, 300, 2, "ab");
    m_tabs.m_nState |= CExtTabWnd::STATE_SIZEPARENT;
    AFX_SIZEPARENTPARAMS layout;
    ::ZeroMemory(&layout, sizeof(layout));
    layout.rect = CRect(0, 0, 400, 300);
    layout.hDWP = ::BeginDeferWindowPos(1);
    m_tabs.SendMessage(WM_SIZEPARENT, 0, (LPARAM)&layout);
    ::EndDeferWindowPos(layout.hDWP);
    int nDepth = m_tabs.GetStripThickness() + 8;
    EXPECT_EQ(layout.rect.bottom, 300 - nDepth);
    EXPECT_EQ(m_pFrame->ChildRect(&m_tabs), CRect(0, 300 - nDepth, 400, 300));
    // a query (no position batch) shrinks the rectangle and leaves the window alone
    layout.rect = CRect(0, 0, 200, 100);
    layout.hDWP = NULL;
    m_tabs.SendMessage(WM_SIZEPARENT, 0, (LPARAM)&layout);
    EXPECT_EQ(layout.rect.bottom, 100 - nDepth);
    EXPECT_EQ(m_pFrame->ChildRect(&m_tabs).Width(), 400);
}

TEST_F(TabWndTest, MovesAreCheckedAndReported)
{
    CGuardedTabWnd tabs;
    ASSERT_TRUE(tabs.Create(m_pFrame, CRect(0, 0, 500, 30), 101, WS_CHILD | WS_VISIBLE, 0));
    for (int i = 0; i < 3; i++)
        tabs.InsertItem("x", NULL, false, i == 2 ? __ETWI_HIDDEN : 0, -1, 10 + i);
    EXPECT_EQ(tabs.GetVisibleItemCount(), 2);
    EXPECT_FALSE(tabs.MoveItemIfAllowed(1, 1));
    EXPECT_FALSE(tabs.MoveItemIfAllowed(-1, 1));
    EXPECT_FALSE(tabs.MoveItemIfAllowed(0, 3));
    EXPECT_FALSE(tabs.MoveItemIfAllowed(2, 0));
    EXPECT_EQ(tabs.m_nMoved, 0);
    ASSERT_TRUE(tabs.MoveItemIfAllowed(2, 1));
    EXPECT_EQ(tabs.m_nMoved, 1);
    EXPECT_EQ(tabs.GetItemData(1), 12);
    EXPECT_FALSE(tabs.GetItem(1)->IsVisible());
    EXPECT_EQ(tabs.GetVisibleItemCount(), 2);
    EXPECT_EQ(tabs.GetSelection(), 1);
    // the chain follows the array
    for (int i = 0; i < 3; i++)
    {
        EXPECT_EQ(tabs.GetItem(i)->m_pPrev, i > 0 ? tabs.GetItem(i - 1) : NULL);
        EXPECT_EQ(tabs.GetItem(i)->m_pNext, i < 2 ? tabs.GetItem(i + 1) : NULL);
    }
    tabs.GetItem(1)->ModifyFlags(__ETWI_HIDDEN, 0);
    EXPECT_EQ(tabs.GetVisibleItemCount(), 3);
    tabs.RemoveAllItems();
    EXPECT_EQ(tabs.GetVisibleItemCount(), 0);
    EXPECT_EQ(tabs.GetSelection(), -1);
    tabs.DestroyWindow();
}
