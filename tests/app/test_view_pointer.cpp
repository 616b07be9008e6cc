// The pointer on the design view as the system delivers it: presses and releases posted to
// the view window, the context menu that the window's default processing makes from a right
// release, and the popup that then really tracks; a selected level line dragged beside it.

#include "view_pointer.h"

#include <string>
#include <vector>

namespace
{

const char kElementMenu[] =
    "Cu&t\\tCtrl+X=57635 &Copy\\tCtrl+C=57634 Pa&ste\\tCtrl+V=57637 - &Delete=57632 - "
    "&Move To {&Front=143 &Back=144 - &One Step Front=145 O&ne Step Back=146} - "
    "&Lock=240 &Unlock=241 - &Properties...=137";
const char kPageMenu[] =
    "&Undo\\tCtrl+Z=57643 &Redo\\tCtrl+Y=57644 &Paste\\tCtrl+V=57637 - "
    "Select Background...=160 &Remove Background=260 - Zoom &In\\tCtrl+==250 "
    "Zoom &Out\\tCtrl+ -=251 - Select &All\\tCtrl+A=159 &Options...=219";

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Context menus

TEST_F(ViewPointer, RightClickOnAnElementTracksTheElementMenuSelectedOrNot)
{
    CRectangle* pRect = new CRectangle(CPoint(100, 50), CPoint(200, 150));
    m_pDoc->m_listElements.AddTail(pRect);

    // not selected: the right press selects it, the release opens the element menu
    ASSERT_TRUE(m_pDoc->m_listSelection.IsEmpty());
    Click(CPoint(150, 100), true);
    EXPECT_EQ(pRect, Selected());
    CExtPopupMenuWnd* pPopup = TrackedPopup();
    ASSERT_TRUE(pPopup != NULL);
    EXPECT_EQ(m_pView->m_hWnd, pPopup->GetCmdReceiverHWND());
    EXPECT_EQ(kElementMenu, Items(pPopup));
    CExtPopupMenuWnd::CancelTracking();
    PumpPendingMessages();
    EXPECT_TRUE(g_TrackingSite.m_pWndRoot == NULL);

    // selected, with a second selected element: both stay selected, the same menu opens
    CRectangle* pOther = new CRectangle(CPoint(250, 50), CPoint(300, 100));
    m_pDoc->m_listElements.AddTail(pOther);
    m_pDoc->m_tracker.Add(pOther);
    m_pDoc->m_listSelection.AddHead(pOther);
    Click(CPoint(120, 60), true);
    EXPECT_EQ(2, m_pDoc->m_listSelection.GetCount());
    pPopup = TrackedPopup();
    ASSERT_TRUE(pPopup != NULL);
    EXPECT_EQ(kElementMenu, Items(pPopup));
    EXPECT_EQ(CRect(100, 50, 200, 150), pRect->GetRect());     // nothing moved
    EXPECT_TRUE(m_pView->GetCapture() == NULL);
}

TEST_F(ViewPointer, RightClickOnTheDeskTracksThePageMenuWithSelectAllShown)
{
    CRectangle* pRect = new CRectangle(CPoint(100, 50), CPoint(200, 150));
    m_pDoc->m_listElements.AddTail(pRect);
    m_pDoc->m_tracker.Add(pRect);
    m_pDoc->m_listSelection.AddHead(pRect);

    Click(CPoint(300, 170), true);
    EXPECT_TRUE(m_pDoc->m_listSelection.IsEmpty());
    CExtPopupMenuWnd* pPopup = TrackedPopup();
    ASSERT_TRUE(pPopup != NULL);
    // every item is shown: none sits behind the expand button (the document names the
    // background item after the side's background)
    EXPECT_EQ(kPageMenu, Items(pPopup));

    // its Select All is the command of the view: every element is selected
    const int nSelectAll = pPopup->FindItemByCmdID(159);
    ASSERT_GE(nSelectAll, 0);
    CExtPopupMenuWnd::CancelTracking();
    PumpPendingMessages();
    m_pView->GetParentFrame()->SendMessage(WM_COMMAND, 159);
    EXPECT_EQ(1, m_pDoc->m_listSelection.GetCount());
}

// The menu key and Shift+F10 open the selection's menu over the selection, wherever the
// pointer is; with nothing selected, the page menu.
TEST_F(ViewPointer, MenuKeyTracksTheSelectionsMenuOverTheSelection)
{
    CRectangle* pRect = new CRectangle(CPoint(100, 50), CPoint(200, 150));
    m_pDoc->m_listElements.AddTail(pRect);
    Click(CPoint(150, 100));
    ASSERT_EQ(pRect, Selected());
    m_pView->SetFocus();

    ASSERT_TRUE(SendKeys({}, { VK_APPS }));
    CExtPopupMenuWnd* pPopup = TrackedPopup();
    ASSERT_TRUE(pPopup != NULL);
    EXPECT_EQ(kElementMenu, Items(pPopup));
    CPoint ptCentre = Pixel(CPoint(150, 100));
    m_pView->ClientToScreen(&ptCentre);
    CRect rectPopup;
    pPopup->GetWindowRect(&rectPopup);
    EXPECT_LE(abs(rectPopup.left - ptCentre.x), 4) << rectPopup.left << " " << ptCentre.x;
    EXPECT_LE(abs(rectPopup.top - ptCentre.y), 4) << rectPopup.top << " " << ptCentre.y;
    CExtPopupMenuWnd::CancelTracking();
    PumpPendingMessages();

    Click(CPoint(300, 170));
    ASSERT_TRUE(m_pDoc->m_listSelection.IsEmpty());
    ASSERT_TRUE(SendKeys({ VK_SHIFT }, { VK_F10 }));
    pPopup = TrackedPopup();
    ASSERT_TRUE(pPopup != NULL);
    EXPECT_EQ(kPageMenu, Items(pPopup));
}

/////////////////////////////////////////////////////////////////////////////
// Lines with an empty rectangle

TEST_F(ViewPointer, SelectedLevelLineMovesWhenDraggedBesideIt)
{
    CLine* pLevel = new CLine(CPoint(100, 100), CPoint(300, 100));
    pLevel->m_nLineDirection = 0;
    pLevel->m_nSide = 1;
    m_pDoc->m_listElements.AddTail(pLevel);

    Click(CPoint(200, 102));
    ASSERT_EQ(pLevel, Selected());
    // beside the line, between its handles
    Drag(CPoint(150, 98), CPoint(180, 118));
    EXPECT_EQ(CRect(130, 120, 330, 120), pLevel->GetRect());
    EXPECT_EQ(pLevel, Selected());
}
