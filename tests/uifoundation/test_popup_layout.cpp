// Layout and painting of popup menus: sizes, hidden items and the expand button,
// scrolling, and the pixels of the painted content.

#include "test_popup_support.h"
#include "ExtPaintManager.h"
#include "ExtCmdIcon.h"

namespace
{

const DWORD kNoAnim = CExtPopupMenuWnd::TPMX_FORCE_NO_ANIMATION;
const DWORD kShowAll = CExtPopupMenuWnd::TPMX_NO_HIDE_RARELY;

// Waits until the tracked popup shows and nothing animates.
bool WaitShown(CExtPopupMenuWnd* pPopup)
{
    return PopupPumpUntil([pPopup] { return pPopup->GetSafeHwnd() != NULL
                                            && pPopup->IsWindowVisible()
                                            && g_TrackingSite.m_pWndAnimation == NULL; });
}

// The client area of a popup painted by PaintContent into a 32-bit bitmap.
class CPaintedPopup
{
public:
    explicit CPaintedPopup(CExtPopupMenuWnd* pPopup)
    {
        CRect rc;
        pPopup->GetClientRect(&rc);
        m_cx = rc.Width();
        m_cy = rc.Height();
        CClientDC dcScreen(NULL);
        m_dc.CreateCompatibleDC(&dcScreen);
        m_bmp.CreateCompatibleBitmap(&dcScreen, m_cx, m_cy);
        m_pOld = m_dc.SelectObject(&m_bmp);
        m_dc.FillSolidRect(0, 0, m_cx, m_cy, RGB(1, 2, 3));
        pPopup->PaintContent(m_dc, false);
        ::GdiFlush();
    }
    ~CPaintedPopup()
    {
        m_dc.SelectObject(m_pOld);
    }
    COLORREF Pixel(int x, int y) { return m_dc.GetPixel(x, y) & 0xFFFFFF; }

    int m_cx, m_cy;
    CDC m_dc;
    CBitmap m_bmp;
    CBitmap* m_pOld;
};

class PopupLayoutTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        CExtPopupMenuWnd::CancelTracking();
        EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    }
};

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Sizes

TEST_F(PopupLayoutTest, ItemHeightsWidthsAndCalcSize)
{
    CPopupTestReceiver receiver;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->InitAsEmptyPopup(receiver.GetSafeHwnd()));
    pPopup->InsertCommandItem(ID_POPUP_ALPHA, -1, _T("&Alpha"));
    pPopup->InsertCommandItem(0, -1);
    pPopup->InsertCommandItem(ID_POPUP_BETA, -1, _T("A much longer &Beta item\tCtrl+Shift+B"));
    pPopup->RecalcLayout();
    const CExtPopupMenuWnd::MENUITEMDATA& a = pPopup->GetItemAt(0);
    const CExtPopupMenuWnd::MENUITEMDATA& sep = pPopup->GetItemAt(1);
    const CExtPopupMenuWnd::MENUITEMDATA& b = pPopup->GetItemAt(2);
    EXPECT_GE(a.m_nHeight, 22);
    EXPECT_EQ(g_CurrentPaintManager->GetMenuSeparatorHeight(), sep.m_nHeight);
    EXPECT_GT(b.m_nWidth, a.m_nWidth);
    // every item has the common icon column, at least 22
    EXPECT_GE(a.m_nIconAreaWidth, 22);
    EXPECT_EQ(a.m_nIconAreaWidth, b.m_nIconAreaWidth);
    // content: the widest item with its insets; heights with top 0 and bottom 1 insets
    const CSize& content = pPopup->GetContentSize();
    EXPECT_EQ(b.m_nWidth + 2, content.cx);
    EXPECT_EQ(a.m_nHeight + sep.m_nHeight + b.m_nHeight + 3, content.cy);
    const int s = pPopup->GetShadowSize(), bd = pPopup->GetBorderSize();
    EXPECT_EQ(4, s);
    CSize size = pPopup->CalcSize();
    EXPECT_EQ(content.cx + s + 2 * bd, size.cx);
    EXPECT_EQ(content.cy + s + 2 * bd + 1, size.cy);
    // the left band widens the popup
    pPopup->SetLeftAreaWidth(20);
    EXPECT_EQ(size.cx + 20, pPopup->CalcSize().cx);
    delete pPopup;
}

TEST_F(PopupLayoutTest, LargeIconWidensEveryIconColumn)
{
    CPopupTestReceiver receiver;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->InitAsEmptyPopup(receiver.GetSafeHwnd()));
    pPopup->InsertCommandItem(ID_POPUP_ALPHA, -1, _T("Plain"));
    CExtCmdIcon icon(::LoadIcon(NULL, IDI_APPLICATION), true);
    ASSERT_EQ(32, icon.GetSize().cx);
    pPopup->InsertCommandItem(ID_POPUP_BETA, -1, _T("Big icon"), NULL, &icon);
    pPopup->RecalcLayout();
    const CExtPopupMenuWnd::MENUITEMDATA& plain = pPopup->GetItemAt(0);
    const CExtPopupMenuWnd::MENUITEMDATA& big = pPopup->GetItemAt(1);
    EXPECT_GE(big.m_nHeight, 36);
    EXPECT_GE(big.m_nIconAreaWidth, 36);
    EXPECT_EQ(big.m_nIconAreaWidth, plain.m_nIconAreaWidth);
    EXPECT_LT(plain.m_nHeight, big.m_nHeight);
    delete pPopup;
}

TEST_F(PopupLayoutTest, ItemRectanglesFollowEachOther)
{
    CPopupTestReceiver receiver;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->LoadMenuResource(receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
    ASSERT_TRUE(pPopup->StartTracking(kNoAnim | kShowAll, 200, 150));
    ASSERT_TRUE(WaitShown(pPopup));
    CRect rcPrev(0, 0, 0, 0);
    for (int i = 0; i < pPopup->GetItemCount(); i++)
    {
        CRect rc, rcIns;
        pPopup->GetItemRect(i, rc, false);
        pPopup->GetItemRect(i, rcIns, true);
        ASSERT_FALSE(rc.IsRectEmpty()) << i;
        EXPECT_TRUE(rc.left <= rcIns.left && rc.right >= rcIns.right) << i;
        if (i > 0)
        {
            EXPECT_EQ(rcPrev.bottom, rc.top) << i;
        }
        EXPECT_EQ(i, pPopup->HitTestItem(rc.CenterPoint())) << i;
        rcPrev = rc;
    }
    CRect rcContent;
    pPopup->GetContentRect(rcContent);
    EXPECT_EQ(-1, pPopup->HitTestItem(CPoint(rcContent.right + 1, rcContent.top + 5)));
    // no expand button and no scroll areas in this menu
    CRect rc;
    pPopup->GetItemRect(CExtPopupMenuWnd::IDX_EXPAND, rc);
    EXPECT_TRUE(rc.IsRectEmpty());
    EXPECT_FALSE(pPopup->IsScrolling());
}

/////////////////////////////////////////////////////////////////////////////
// Rarely used items

namespace
{

// A receiver whose profile knows Alpha and Beta as basic commands; the rest are rarely used.
CString NextRareProfile()
{
    static int s_nRun = 0;
    CString str;
    str.Format(_T("popup-rare-%d"), ++s_nRun);
    return str;
}

class CRareReceiver : public CPopupTestReceiver
{
public:
    CRareReceiver() : CPopupTestReceiver(NextRareProfile())
    {
        // window handles may repeat: the window is bound to its fresh profile
        g_CmdManagerHolder->SetProfileForWindow(m_strProfile, GetSafeHwnd());
        CExtCmdItem cmd(ID_POPUP_NOTEXT);
        cmd.m_strMenuText = _T("&Zeta");
        g_CmdManagerHolder->SetCommand(m_strProfile, &cmd, true);
    }
};

} // namespace

TEST_F(PopupLayoutTest, RarelyUsedItemsHideBehindTheExpandButton)
{
    CRareReceiver receiver;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->LoadMenuResource(receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
    const UINT arrBasic[] = { ID_POPUP_ALPHA, ID_POPUP_BETA, 0 };
    ASSERT_TRUE(g_CmdManagerHolder->SetBasicCommands(receiver.m_strProfile, arrBasic));
    pPopup->RecalcLayout();
    // Alpha and Beta show; the separator would end the list and the sub-menu holds only
    // rarely used commands
    EXPECT_TRUE(pPopup->HasHiddenItems());
    EXPECT_TRUE(pPopup->GetItemAt(0).IsDisplayed());
    EXPECT_TRUE(pPopup->GetItemAt(1).IsDisplayed());
    EXPECT_FALSE(pPopup->GetItemAt(2).IsDisplayed());
    EXPECT_FALSE(pPopup->GetItemAt(3).IsDisplayed());
    EXPECT_FALSE(pPopup->GetItemAt(4).IsDisplayed());

    ASSERT_TRUE(pPopup->StartTracking(kNoAnim, 200, 150));
    ASSERT_TRUE(WaitShown(pPopup));
    CRect rcExpand;
    pPopup->GetItemRect(CExtPopupMenuWnd::IDX_EXPAND, rcExpand);
    EXPECT_FALSE(rcExpand.IsRectEmpty());
    EXPECT_EQ(CExtPopupMenuWnd::IDX_EXPAND, pPopup->HitTestItem(rcExpand.CenterPoint()));
    CRect rcBefore;
    pPopup->GetWindowRect(&rcBefore);

    POPUP_REQUIRE_KEYBOARD(receiver);
    PopupSendKey(VK_DOWN, true);
    ASSERT_TRUE(WaitShown(pPopup));
    EXPECT_TRUE(pPopup->IsExpanded());
    EXPECT_FALSE(pPopup->HasHiddenItems());
    EXPECT_TRUE(pPopup->GetItemAt(4).IsDisplayed());
    EXPECT_EQ(1, receiver.CountMessages(CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded));
    CRect rcAfter;
    pPopup->GetWindowRect(&rcAfter);
    EXPECT_GT(rcAfter.Height(), rcBefore.Height());
    pPopup->GetItemRect(CExtPopupMenuWnd::IDX_EXPAND, rcExpand);
    EXPECT_TRUE(rcExpand.IsRectEmpty());
}

TEST_F(PopupLayoutTest, HoveringOverTheExpandButtonExpands)
{
    CRareReceiver receiver;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->LoadMenuResource(receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
    const UINT arrBasic[] = { ID_POPUP_ALPHA, 0 };
    ASSERT_TRUE(g_CmdManagerHolder->SetBasicCommands(receiver.m_strProfile, arrBasic));
    ASSERT_TRUE(pPopup->StartTracking(kNoAnim, 200, 150));
    ASSERT_TRUE(WaitShown(pPopup));
    ASSERT_TRUE(pPopup->HasHiddenItems());
    CRect rcExpand = PopupItemScreenRect(pPopup, CExtPopupMenuWnd::IDX_EXPAND);
    PopupMoveMouse(rcExpand.CenterPoint().x, rcExpand.CenterPoint().y);
    PopupPumpFor(400);
    EXPECT_FALSE(pPopup->IsExpanded());
    ASSERT_TRUE(PopupPumpUntil([pPopup] { return pPopup->IsExpanded(); }, 2500));
    EXPECT_EQ(1, receiver.CountMessages(CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded));
}

TEST_F(PopupLayoutTest, MenuOfRarelyUsedItemsOnlyShowsTheExpandButton)
{
    CRareReceiver receiver;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->LoadMenuResource(receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
    pPopup->RecalcLayout();
    EXPECT_TRUE(pPopup->HasNoSpecialItems());
    for (int i = 0; i < pPopup->GetItemCount(); i++)
        EXPECT_FALSE(pPopup->GetItemAt(i).IsDisplayed()) << i;
    EXPECT_EQ(CExtPopupMenuWnd::IDX_EXPAND,
              pPopup->FindNextSelectableItem(CExtPopupMenuWnd::FIND_NEXT));
    ASSERT_TRUE(pPopup->StartTracking(kNoAnim, 200, 150));
    ASSERT_TRUE(WaitShown(pPopup));
    POPUP_REQUIRE_KEYBOARD(receiver);
    // Down reaches the expand button, which expands the items
    PopupSendKey(VK_DOWN);
    ASSERT_TRUE(WaitShown(pPopup));
    EXPECT_TRUE(pPopup->IsExpanded());
    EXPECT_EQ(0, pPopup->GetCurrentIndex());
}

/////////////////////////////////////////////////////////////////////////////
// Scrolling

TEST_F(PopupLayoutTest, TallMenuScrolls)
{
    CPopupTestReceiver receiver;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->InitAsEmptyPopup(receiver.GetSafeHwnd()));
    for (int i = 0; i < 60; i++)
    {
        CString str;
        str.Format(_T("Item %d"), i);
        pPopup->InsertCommandItem(ID_POPUP_LONG_FIRST + i, -1, str);
    }
    ASSERT_TRUE(pPopup->StartTracking(kNoAnim | kShowAll, 200, 10));
    ASSERT_TRUE(WaitShown(pPopup));
    ASSERT_TRUE(pPopup->IsScrolling());
    EXPECT_EQ(0, pPopup->GetScrollOffset());
    CRect rcTop, rcBottom;
    pPopup->GetItemRect(CExtPopupMenuWnd::IDX_SCROLL_TOP, rcTop);
    pPopup->GetItemRect(CExtPopupMenuWnd::IDX_SCROLL_BOTTOM, rcBottom);
    ASSERT_FALSE(rcTop.IsRectEmpty());
    ASSERT_FALSE(rcBottom.IsRectEmpty());
    // the top area does not count while the offset is 0
    EXPECT_NE(CExtPopupMenuWnd::IDX_SCROLL_TOP, pPopup->HitTestItem(rcTop.CenterPoint()));
    EXPECT_EQ(CExtPopupMenuWnd::IDX_SCROLL_BOTTOM, pPopup->HitTestItem(rcBottom.CenterPoint()));
    // the bottom area scrolls while the mouse stays there
    CRect rcBottomScreen(rcBottom);
    pPopup->ClientToScreen(&rcBottomScreen);
    PopupMoveMouse(rcBottomScreen.CenterPoint().x, rcBottomScreen.CenterPoint().y);
    ASSERT_TRUE(PopupPumpUntil([pPopup] { return pPopup->GetScrollOffset() <= -50; }));
    EXPECT_GE(pPopup->GetScrollOffset(), pPopup->GetLayoutOverhead());
    EXPECT_EQ(CExtPopupMenuWnd::IDX_SCROLL_TOP, pPopup->HitTestItem(rcTop.CenterPoint()));

    // the mouse leaves: the scrolling stops where it is
    PopupMoveMouse(5, 700);
    const int nStopped = pPopup->GetScrollOffset();
    PopupPumpFor(100);
    EXPECT_EQ(nStopped, pPopup->GetScrollOffset());

    // the painted top area shows at any offset but 0 and stays put while the items move
    auto same = [&rcTop](CPaintedPopup& a, CPaintedPopup& b, int nTop, int nBottom)
    {
        for (int y = nTop; y < nBottom; y++)
            for (int x = rcTop.left; x < rcTop.right; x++)
                if (a.Pixel(x, y) != b.Pixel(x, y))
                    return false;
        return true;
    };
    pPopup->m_nDyScrollOffset = 0;
    CPaintedPopup paintedTop(pPopup);
    pPopup->m_nDyScrollOffset = -50;
    CPaintedPopup painted50(pPopup);
    pPopup->m_nDyScrollOffset = -55;
    CPaintedPopup painted55(pPopup);
    pPopup->m_nDyScrollOffset = nStopped;
    EXPECT_TRUE(same(painted50, painted55, rcTop.top, rcTop.bottom));
    EXPECT_FALSE(same(paintedTop, painted50, rcTop.top, rcTop.bottom));
    EXPECT_FALSE(same(painted50, painted55, rcTop.bottom, rcTop.bottom + 40));
}

/////////////////////////////////////////////////////////////////////////////
// Painting

TEST_F(PopupLayoutTest, PaintedFrameFaceAndSelection)
{
    CPopupTestReceiver receiver;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->LoadMenuResource(receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
    ASSERT_TRUE(pPopup->StartTracking(kNoAnim | kShowAll, 200, 150));
    ASSERT_TRUE(WaitShown(pPopup));
    CExtPaintManager* pPM = g_CurrentPaintManager.GetPaintManager();
    CRect rcA, rcB;
    pPopup->GetItemRect(0, rcA, true);
    pPopup->GetItemRect(1, rcB, true);
    const CPoint ptA(rcA.right - 4, rcA.CenterPoint().y);
    const CPoint ptB(rcB.right - 4, rcB.CenterPoint().y);
    {
        CPaintedPopup painted(pPopup);
        // the frame's outer line and the unselected items' face
        EXPECT_EQ(pPM->GetColor(CExtPaintManager::LC_XP_MENU_BORDER) & 0xFFFFFF,
                  painted.Pixel(0, 0));
        EXPECT_EQ(pPM->GetMenuFaceColor(pPopup) & 0xFFFFFF, painted.Pixel(ptA.x, ptA.y));
        EXPECT_EQ(painted.Pixel(ptA.x, ptA.y), painted.Pixel(ptB.x, ptB.y));
    }
    pPopup->ExpandSubMenu(1, false, false, false);
    {
        CPaintedPopup painted(pPopup);
        EXPECT_NE(painted.Pixel(ptA.x, ptA.y), painted.Pixel(ptB.x, ptB.y));
    }
}

TEST_F(PopupLayoutTest, RarelyUsedItemsAreDrawnApart)
{
    CRareReceiver receiver;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->LoadMenuResource(receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
    const UINT arrBasic[] = { ID_POPUP_ALPHA, ID_POPUP_BETA, 0 };
    ASSERT_TRUE(g_CmdManagerHolder->SetBasicCommands(receiver.m_strProfile, arrBasic));
    ASSERT_TRUE(pPopup->StartTracking(kNoAnim | kShowAll, 200, 150));
    ASSERT_TRUE(WaitShown(pPopup));
    CExtPopupMenuWnd::visible_items_t vis;
    pPopup->PaintItems(NULL, vis);
    ASSERT_EQ(pPopup->GetItemCount(), (int)vis.GetSize());
    using VI = CExtPopupMenuWnd::VisibleItemDefinition_t;
    EXPECT_EQ(0u, vis[0].m_nFlags & VI::VIF_RARELY_USED);
    EXPECT_EQ(0u, vis[1].m_nFlags & VI::VIF_RARELY_USED_NEXT);
    // the separator between a basic item and a rarely used sub-menu stays normal
    EXPECT_NE(0u, vis[2].m_nFlags & VI::VIF_SEPARATOR);
    EXPECT_EQ(0u, vis[2].m_nFlags & VI::VIF_RARELY_USED);
    EXPECT_NE(0u, vis[2].m_nFlags & VI::VIF_RARELY_USED_NEXT);
    EXPECT_NE(0u, vis[3].m_nFlags & VI::VIF_RARELY_USED);
    EXPECT_NE(0u, vis[3].m_nFlags & VI::VIF_POPUP);
    EXPECT_NE(0u, vis[4].m_nFlags & VI::VIF_RARELY_USED);
    EXPECT_NE(0u, vis[4].m_nFlags & VI::VIF_RARELY_USED_PREV);
    // the icon band of a rarely used item has another colour
    CRect rcBasic, rcRare;
    pPopup->GetItemRect(0, rcBasic, true);
    pPopup->GetItemRect(4, rcRare, true);
    CPaintedPopup painted(pPopup);
    EXPECT_NE(painted.Pixel(rcBasic.left + 2, rcBasic.CenterPoint().y),
              painted.Pixel(rcRare.left + 2, rcRare.CenterPoint().y));
}

TEST_F(PopupLayoutTest, OwnerDrawnItemsAndLeftBand)
{
    CPopupTestReceiver receiver;
    receiver.m_pfnRegistered = [](CPopupTestReceiver*, UINT nMessage, WPARAM,
                                  LPARAM lParam) -> LRESULT
    {
        if (nMessage == CExtPopupMenuWnd::g_nMsgPopupDrawItem)
        {
            CExtPopupMenuWnd::DRAWITEMDATA* p = (CExtPopupMenuWnd::DRAWITEMDATA*)lParam;
            EXPECT_NE(0u, p->m_nDrawFlags & CExtPopupMenuWnd::DRAWITEMDATA::DIF_OWNERDRAW);
            p->m_pDC->FillSolidRect(&p->m_rcItem, RGB(255, 0, 0));
            return 1;
        }
        if (nMessage == CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea)
        {
            CExtPopupMenuWnd::DRAWLEFTAREADATA* p = (CExtPopupMenuWnd::DRAWLEFTAREADATA*)lParam;
            p->m_pDC->FillSolidRect(&p->m_rcLeftArea, RGB(0, 255, 0));
        }
        return 0;
    };
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->InitAsEmptyPopup(receiver.GetSafeHwnd()));
    pPopup->InsertCommandItem(ID_POPUP_ALPHA, -1, _T("Alpha"));
    pPopup->InsertCommandItem(ID_POPUP_BETA, -1, _T("Beta"));
    pPopup->SetLeftAreaWidth(12);
    ASSERT_TRUE(pPopup->StartTracking(kNoAnim | CExtPopupMenuWnd::TPMX_OWNERDRAW_FIXED,
                                      200, 150));
    ASSERT_TRUE(WaitShown(pPopup));
    CRect rcItem;
    pPopup->GetItemRect(1, rcItem, false);
    CRect rcContent;
    pPopup->GetContentRect(rcContent);
    CPaintedPopup painted(pPopup);
    EXPECT_EQ(RGB(255, 0, 0), painted.Pixel(rcItem.CenterPoint().x, rcItem.CenterPoint().y));
    EXPECT_EQ(RGB(255, 0, 0), painted.Pixel(rcItem.left + 1, rcItem.top + 1));
    // the band lies left of the items, inside the border
    const int b = pPopup->GetBorderSize();
    EXPECT_EQ(RGB(0, 255, 0), painted.Pixel(rcContent.left + b + 5, rcItem.CenterPoint().y));
    EXPECT_GE(rcItem.left, rcContent.left + b + 12);
}

TEST_F(PopupLayoutTest, LastItemIconWidthForThePaintManager)
{
    CExtPaintManager::BarLinks_t& links = CExtPaintManager::g_BarLinks;
    ASSERT_TRUE(links.m_pfnPopupLastItemIconAreaWidth != NULL);
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    EXPECT_EQ(0, links.m_pfnPopupLastItemIconAreaWidth(pPopup));
    pPopup->InsertCommandItem(ID_POPUP_ALPHA, -1, _T("Alpha"));
    pPopup->RecalcLayout();
    EXPECT_EQ(pPopup->GetItemAt(0).m_nIconAreaWidth,
              links.m_pfnPopupLastItemIconAreaWidth(pPopup));
    EXPECT_GE(links.m_pfnPopupLastItemIconAreaWidth(pPopup), 22);
    CMenu other;
    EXPECT_EQ(0, links.m_pfnPopupLastItemIconAreaWidth(&other));
    delete pPopup;
}

/////////////////////////////////////////////////////////////////////////////
// Animation frames

namespace
{

// A frame of the popup's animation composed over a black background.
COLORREF FramePixel(CExtPopupMenuWnd* pPopup, int nType, int nStep, CPoint pt)
{
    CRect rc;
    pPopup->GetClientRect(&rc);
    CClientDC dcScreen(NULL);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dcScreen, rc.Width(), rc.Height());
    CBitmap* pOld = dc.SelectObject(&bmp);
    dc.FillSolidRect(&rc, RGB(0, 0, 0));
    pPopup->CExtPopupBaseWnd::ReleaseSurfaces();
    pPopup->m_nAnimationType = nType;
    pPopup->m_nAnimStepPrev = nStep - 20;
    pPopup->m_nAnimStep = nStep;
    pPopup->PaintAnimationFrame(dc);
    pPopup->CExtPopupBaseWnd::ReleaseSurfaces();
    COLORREF clr = dc.GetPixel(pt) & 0xFFFFFF;
    dc.SelectObject(pOld);
    return clr;
}

} // namespace

TEST_F(PopupLayoutTest, FadeAndSlideFrames)
{
    CPopupTestReceiver receiver;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->LoadMenuResource(receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
    ASSERT_TRUE(pPopup->StartTracking(kNoAnim | kShowAll, 200, 150));
    ASSERT_TRUE(WaitShown(pPopup));
    CRect rcItem;
    pPopup->GetItemRect(1, rcItem, true);
    const CPoint pt(rcItem.right - 4, rcItem.CenterPoint().y);
    const COLORREF clrFace = g_CurrentPaintManager->GetMenuFaceColor(pPopup) & 0xFFFFFF;
    EXPECT_EQ(clrFace, FramePixel(pPopup, CExtPopupBaseWnd::ANIM_ONE_TICK, 20, pt));
    // fade: 40 per cent of the content over the black background
    const COLORREF clrFade = FramePixel(pPopup, CExtPopupBaseWnd::ANIM_FADE, 40, pt);
    EXPECT_NEAR(GetRValue(clrFace) * 40 / 100, GetRValue(clrFade), 1);
    EXPECT_NEAR(GetBValue(clrFace) * 40 / 100, GetBValue(clrFade), 1);
    // sliding down: early frames show the content's lower part at the top and the
    // background below it; the last frame has the content in place
    CRect rcContent;
    pPopup->GetContentRect(rcContent);
    const CPoint ptLow(pt.x, rcContent.bottom - 6);
    EXPECT_EQ(RGB(0, 0, 0), FramePixel(pPopup, CExtPopupBaseWnd::ANIM_SLIDE_DOWN, 20, ptLow));
    EXPECT_NE(RGB(0, 0, 0), FramePixel(pPopup, CExtPopupBaseWnd::ANIM_SLIDE_DOWN, 100, ptLow));
    // circles grow from the centres of 32-pixel cells, holes shrink there
    const CPoint ptCentre(48, 48);
    ASSERT_TRUE(rcContent.PtInRect(ptCentre));
    const COLORREF clrContent = FramePixel(pPopup, CExtPopupBaseWnd::ANIM_ONE_TICK, 20, ptCentre);
    EXPECT_EQ(clrContent, FramePixel(pPopup, CExtPopupBaseWnd::ANIM_CIRCLES, 20, ptCentre));
    EXPECT_EQ(RGB(0, 0, 0), FramePixel(pPopup, CExtPopupBaseWnd::ANIM_HOLES, 20, ptCentre));
    EXPECT_EQ(clrContent, FramePixel(pPopup, CExtPopupBaseWnd::ANIM_HOLES, 100, ptCentre));
}

TEST_F(PopupLayoutTest, EveryAnimationKindRunsToItsEnd)
{
    CPopupTestReceiver receiver;
    const int nDefault = g_nDefaultAnimationType;
    for (int nKind = CExtPopupBaseWnd::ANIM_SLIDE; nKind <= CExtPopupBaseWnd::ANIM_LAST; nKind++)
    {
        g_nDefaultAnimationType = nKind;
        CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
        ASSERT_TRUE(pPopup->LoadMenuResource(receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU,
                                             true));
        ASSERT_TRUE(pPopup->StartTracking(kShowAll, 200, 150)) << nKind;
        EXPECT_EQ(pPopup, g_TrackingSite.m_pWndAnimation) << nKind;
        EXPECT_EQ(nKind, pPopup->m_nAnimationType);
        EXPECT_TRUE(WaitShown(pPopup)) << nKind;
        EXPECT_TRUE(pPopup->IsAnimationFinished()) << nKind;
        EXPECT_TRUE(pPopup->m_bmpScreenDst.GetSafeHandle() == NULL) << nKind;
        CExtPopupMenuWnd::CancelTracking();
    }
    g_nDefaultAnimationType = nDefault;
}

TEST_F(PopupLayoutTest, NextAndPreviousMenuOfTheMenuBar)
{
    CPopupTestReceiver receiver;
    POPUP_REQUIRE_KEYBOARD(receiver);
    struct Links
    {
        static bool IsMenuTracking() { return true; }
    };
    // the links go back whatever the outcome
    struct CRestoreLinks
    {
        CExtPopupMenuWnd::BarLinks_t m_saved = CExtPopupMenuWnd::g_BarLinks;
        ~CRestoreLinks()
        {
            CExtPopupMenuWnd::CancelTracking();
            CExtPopupMenuWnd::g_BarLinks = m_saved;
        }
    } restore;
    CExtPopupMenuWnd::g_BarLinks.m_pfnIsMenuTracking = &Links::IsMenuTracking;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->LoadMenuResource(receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
    ASSERT_TRUE(pPopup->StartTracking(kShowAll, 200, 150));
    ASSERT_TRUE(WaitShown(pPopup));
    PopupSendKey(VK_DOWN);
    PopupSendKey(VK_RIGHT);     // a command item: the next menu of the bar
    PopupSendKey(VK_LEFT);      // the root: the previous one
    PopupPumpFor(30);
    const CPopupTestReceiver::Message_t* pNext =
        receiver.LastMessage(CExtPopupMenuWnd::g_nMsgPopupNext);
    ASSERT_TRUE(pNext != NULL);
    EXPECT_EQ((LPARAM)pPopup, pNext->m_lParam);
    EXPECT_EQ(1, receiver.CountMessages(CExtPopupMenuWnd::g_nMsgPopupPrev));
}
