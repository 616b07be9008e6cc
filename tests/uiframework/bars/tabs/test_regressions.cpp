// Tests of faults once seen in tab groups and auto-hide, one test per fault with a note of it.
#include "group_fixture.h"
#include "uiframework/bars/ExtDockBar.h"
#include "uiframework/bars/ExtDynAutoHide.h"
#include "uiframework/bars/ExtDynTabControlBar.h"

// Fault: a cancelled drag of a group member left its tab where the drag had moved it.
TEST_F(GroupTest, CancelledMemberDragPutsTheTabBack)
{
    DockTwoBars(AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT);
    ASSERT_TRUE(m_pA->DockAsTab(m_pB));
    CExtDynTabControlBar* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar,
                                                    m_pA->GetTabbedContainer());
    ASSERT_TRUE(pGroup != NULL);
    CExtDynTabWnd& tabs = pGroup->m_wndTabs;
    m_pA->OnDraggingStarted();
    EXPECT_EQ(tabs.m_nDragStartTab, 0);
    // the dragged bar's tab is marked, and the strip shows it as the selected one
    tabs.GetItem(0)->ModifyFlags(0, __ETWI_DETACHED);
    tabs.SetSelection(1, false, false);
    tabs.UpdateWindow();
    // the tab was moved meanwhile: a cancelled drag restores it at its place
    tabs.MoveItem(0, 1);
    EXPECT_EQ(tabs.FindItemByData((LPARAM)m_pA), 1);
    m_pA->OnDraggingFinished(NULL, NULL, TRUE);
    ASSERT_EQ(tabs.GetItemCount(), 2);
    EXPECT_EQ(tabs.FindItemByData((LPARAM)m_pA), 0);
    EXPECT_EQ(tabs.FindItemByFlags(__ETWI_DETACHED, 0), -1);
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pA);
    EXPECT_EQ(tabs.m_nDragStartTab, -1);
    ExpectAllArraysSound();
}

// Fault: a floating group whose members all docked elsewhere left its frame on the screen empty.
TEST_F(GroupTest, AFloatingGroupThatLosesItsMembersLeavesNoEmptyFrame)
{
    DockTwoBars(AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT);
    m_pA->m_sizeFloated = CSize(220, 190);
    m_pA->FloatAtPosition(CPoint(300, 210));
    m_pFrame->RecalcLayout();
    ASSERT_TRUE(m_pA->DockAsTab(m_pB));
    PumpPendingMessages();
    CExtDynTabControlBar* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar,
                                                    m_pA->GetTabbedContainer());
    ASSERT_TRUE(pGroup != NULL);
    ASSERT_TRUE(pGroup->IsFloating());
    HWND hMini = pGroup->GetParentFrame()->m_hWnd;
    ASSERT_TRUE(::IsWindowVisible(hMini));

    // both members dock at the frame's edges, one after the other
    ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(m_pB->DockToFrameSide(AFX_IDW_DOCKBAR_BOTTOM));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    EXPECT_FALSE(m_pA->IsFloating());
    EXPECT_FALSE(m_pB->IsFloating());
    // the floating frame went with its group, not left on the screen empty
    EXPECT_TRUE(!::IsWindow(hMini) || !::IsWindowVisible(hMini));
    ExpectAllArraysSound();
}

// Fault: a slider made wider for a group member slid out at its old width next time.
TEST_F(GroupTest, ASliderResizedForAGroupMemberKeepsItsSizeForTheNextSlide)
{
    DockTwoBars(AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_LEFT);
    ASSERT_TRUE(CExtDynAutoHideArea::SetupFrame(m_pFrame));
    ASSERT_TRUE(m_pA->DockAsTab(m_pB));
    CExtDynTabControlBar* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar,
                                                    m_pA->GetTabbedContainer());
    ASSERT_TRUE(pGroup != NULL);
    pGroup->m_sizeDockedV.cx = 150;
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pA, true, false, true, true));
    CExtDynAutoHideArea* pRight = CExtDynAutoHideArea::FindAreaForSide(m_pFrame,
                                                                      AFX_IDW_DOCKBAR_RIGHT);
    ASSERT_TRUE(pRight != NULL);
    CExtDynAutoHideSlider* pSlider = pRight->GetSlider();
    CExtControlBar* pShown = pSlider->GetBar();
    ASSERT_TRUE(pShown == m_pA || pShown == m_pB);
    CRect rc = ScreenRect(pSlider);
    EXPECT_EQ(rc.Width(), 150);

    // the slider made wider keeps its width for the group's next slide-out
    m_pFrame->ScreenToClient(&rc);
    pSlider->SetWindowPos(NULL, rc.right - 190, rc.top, 190, rc.Height(),
                          SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(pGroup->m_sizeDockedV.cx, 190);
    pSlider->SlideBar(pShown, false, false);
    ASSERT_FALSE(pSlider->IsShown());
    CExtControlBar* pOther = pShown == m_pA ? (CExtControlBar*)m_pB : (CExtControlBar*)m_pA;
    pSlider->SlideBar(pOther, true, false);
    ASSERT_TRUE(pSlider->IsShown());
    EXPECT_EQ(ScreenRect(pSlider).Width(), 190);
    pSlider->SlideBar(pOther, false, false);
}
