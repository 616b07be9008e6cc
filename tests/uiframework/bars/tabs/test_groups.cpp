// Tab groups of two resizable bars and auto-hiding bars to the frame-edge strips.
#include "group_fixture.h"
#include "uiframework/bars/ExtDynTabControlBar.h"
#include "uiframework/bars/ExtDynAutoHide.h"
#include "uiframework/bars/ExtDockBar.h"

TEST_F(GroupTest, TwoBarsGroupAsTabsAndSeparateAgain)
{
    DockTwoBars(AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT);
    CRect rcAOld = m_pFrame->ChildRect(m_pA);
    ASSERT_TRUE(m_pA->DockAsTab(m_pB));
    PumpPendingMessages();

    CExtDynTabControlBar* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar,
                                                    m_pA->GetTabbedContainer());
    ASSERT_TRUE(pGroup != NULL);
    EXPECT_EQ(m_pB->GetTabbedContainer(), (CExtControlBar*)pGroup);
    EXPECT_EQ(pGroup->GetTabbedContainer(), (CExtControlBar*)pGroup);
    // the group stands where the first bar stood, at the left edge
    CRect rcGroup = m_pFrame->ChildRect(pGroup);
    EXPECT_EQ(rcGroup.left, rcAOld.left);
    EXPECT_TRUE(pGroup->IsDockedAtLeft());
    // both bars are tabs, the first selected; the strip shows at the bottom
    ASSERT_EQ(pGroup->m_wndTabs.GetItemCount(), 2);
    EXPECT_EQ(pGroup->m_wndTabs.GetItemData(0), (LPARAM)m_pA);
    EXPECT_EQ(pGroup->m_wndTabs.GetItemData(1), (LPARAM)m_pB);
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pA);
    EXPECT_EQ(::GetWindow(pGroup->GetTabDockBar()->m_hWnd, GW_CHILD), m_pA->m_hWnd);
    EXPECT_TRUE(pGroup->IsTabStripVisible());
    CRect rcStrip = ScreenRect(&pGroup->m_wndTabs);
    CRect rcClient;
    pGroup->GetClientRect(&rcClient);
    pGroup->ClientToScreen(&rcClient);
    EXPECT_EQ(rcStrip.bottom, rcClient.bottom);
    // the members are stacked on the same rectangle above the strip
    CRect rcA = ScreenRect(m_pA), rcB = ScreenRect(m_pB);
    EXPECT_EQ(rcA, rcB);
    EXPECT_LE(rcA.bottom, rcStrip.top);
    EXPECT_GT(rcA.Height(), 20);
    // the right dock bar has no bar any more
    EXPECT_EQ(m_pB->GetParent(), (CWnd*)pGroup->GetTabDockBar());
    ExpectAllArraysSound();

    // selecting a tab puts its bar on top and takes its caption
    pGroup->m_wndTabs.SetSelection(1, true, true);
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pB);
    CString sText;
    pGroup->GetWindowText(sText);
    EXPECT_EQ(sText, "Beta");
    EXPECT_EQ(::GetWindow(pGroup->GetTabDockBar()->m_hWnd, GW_CHILD), m_pB->m_hWnd);
    pGroup->GetBarCaptionText(sText);
    EXPECT_EQ(sText, "Beta");

    // a click on the first tab selects it again
    CPoint pt = pGroup->m_wndTabs.GetItemClientRect(0).CenterPoint();
    pGroup->m_wndTabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    pGroup->m_wndTabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pA);

    // separated: Beta docks at the right again, the group keeps Alpha without a strip
    ASSERT_TRUE(m_pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    EXPECT_EQ(m_pB->GetTabbedContainer(), (CExtControlBar*)NULL);
    EXPECT_TRUE(m_pB->IsDockedAtRight());
    ASSERT_TRUE(::IsWindow(pGroup->m_hWnd));
    EXPECT_EQ(pGroup->m_wndTabs.GetItemCount(), 1);
    EXPECT_FALSE(pGroup->IsTabStripVisible());
    // the hidden strip leaves its room to the member
    EXPECT_GT(ScreenRect(m_pA).bottom, rcStrip.top);
    ExpectAllArraysSound();

    // grouping again adds Beta as the last tab of the existing group
    ASSERT_TRUE(m_pA->DockAsTab(m_pB));
    EXPECT_EQ(m_pB->GetTabbedContainer(), (CExtControlBar*)pGroup);
    EXPECT_EQ(pGroup->m_wndTabs.GetItemCount(), 2);
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pB);
    ExpectAllArraysSound();
}

TEST_F(GroupTest, HiddenMembersHideTheirTabsAndPassTheSelection)
{
    DockTwoBars(AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_LEFT);
    ASSERT_TRUE(m_pA->DockAsTab(m_pB));
    CExtDynTabControlBar* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar,
                                                    m_pA->GetTabbedContainer());
    ASSERT_TRUE(pGroup != NULL);
    pGroup->m_wndTabs.SetSelection(0, true, true);
    m_pA->ShowWindow(SW_HIDE);
    pGroup->OnMemberShowChanged(m_pA);
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pB);
    EXPECT_FALSE(pGroup->m_wndTabs.GetItem(0)->IsVisible());
    EXPECT_FALSE(pGroup->IsTabStripVisible());
    m_pA->ShowWindow(SW_SHOW);
    pGroup->OnMemberShowChanged(m_pA);
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pA);
    EXPECT_EQ(::GetWindow(pGroup->GetTabDockBar()->m_hWnd, GW_CHILD), m_pA->m_hWnd);
    EXPECT_TRUE(pGroup->IsTabStripVisible());
    // Ctrl+Page Up on the first tab wraps to the last visible one
    BYTE keys[256];
    ::GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    MSG msg = {};
    msg.hwnd = pGroup->m_wndTabs.m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_PRIOR;
    EXPECT_TRUE(pGroup->m_wndTabs.HandleSwitchKey(&msg));
    keys[VK_CONTROL] = saved;
    ::SetKeyboardState(keys);
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pB);
}

TEST_F(GroupTest, TabbingRefusesFixedSizeBarsAndItself)
{
    DockTwoBars(AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT);
    EXPECT_FALSE(m_pA->DockAsTab(m_pA));
    m_pB->m_bFixedSize = true;
    EXPECT_FALSE(m_pA->DockAsTab(m_pB));
    EXPECT_EQ(m_pA->GetTabbedContainer(), (CExtControlBar*)NULL);
    EXPECT_TRUE(m_pB->IsDockedAtRight());
    m_pB->m_bFixedSize = false;
}

TEST_F(GroupTest, AutoHideMovesABarToItsStripAndSlidesItInAndOut)
{
    DockTwoBars(AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT);
    // without the areas the mode switch refuses
    EXPECT_FALSE(CExtControlBar::AutoHideModeSet(m_pA, true, false, true, true));
    ASSERT_TRUE(CExtDynAutoHideArea::SetupFrame(m_pFrame));
    CExtDynAutoHideArea* arr[4];
    CExtDynAutoHideArea::FindAreas(m_pFrame->m_hWnd, arr);
    for (int i = 0; i < 4; i++)
    {
        ASSERT_TRUE(arr[i] != NULL);
        EXPECT_FALSE(arr[i]->IsWindowVisible());
    }
    CExtDynAutoHideArea* pLeft = arr[2];
    CExtDynAutoHideSlider* pSlider = pLeft->GetSlider();
    ASSERT_TRUE(pSlider != NULL);
    m_pA->m_sizeDockedV.cx = 150;

    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pA, true, false, true, true));
    PumpPendingMessages();
    EXPECT_TRUE(m_pA->m_bAutoHidden);
    EXPECT_FALSE(m_pA->IsWindowVisible());
    ASSERT_EQ(pLeft->GetItemCount(), 1);
    EXPECT_EQ(pLeft->GetItemData(0), (LPARAM)m_pA);
    EXPECT_TRUE(pLeft->IsWindowVisible());
    // the strip takes the frame's left edge
    CRect rcStrip = m_pFrame->ChildRect(pLeft);
    EXPECT_EQ(rcStrip.left, 0);
    EXPECT_GT(rcStrip.Width(), 20);
    CRect rcPane = m_pFrame->ChildRect(&m_pFrame->m_wndPane);
    EXPECT_GE(rcPane.left, rcStrip.right);
    // appending slid the bar out at once: its edit window lives in the slider
    EXPECT_TRUE(pSlider->IsShown());
    EXPECT_EQ(pSlider->GetBar(), (CExtControlBar*)m_pA);
    EXPECT_EQ(m_pA->m_wndChild.GetParent(), (CWnd*)pSlider);
    CRect rcSlider = m_pFrame->ChildRect(pSlider);
    EXPECT_EQ(rcSlider.left, rcStrip.right);
    EXPECT_EQ(rcSlider.Width(), 150);

    // a cancel slides it back: the edit window returns to the bar
    pSlider->SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(pSlider->IsShown());
    EXPECT_FALSE(pSlider->IsWindowVisible());
    EXPECT_EQ(m_pA->m_wndChild.GetParent(), (CWnd*)m_pA);
    EXPECT_EQ(pLeft->GetSelection(), -1);

    // selecting the tab slides it out with five steps 1/6 apart
    m_pFrame->SetFocus();
    pLeft->m_nAreaFlags |= 2;
    DWORD dwStart = ::GetTickCount();
    pLeft->SetSelection(0, true, true);
    DWORD dwSpent = ::GetTickCount() - dwStart;
    pLeft->m_nAreaFlags &= ~2;
    EXPECT_TRUE(pSlider->IsShown());
    ASSERT_EQ(pSlider->m_arrSlideSteps.size(), 5u);
    for (int k = 0; k < 5; k++)
        EXPECT_EQ(pSlider->m_arrSlideSteps[k], ::MulDiv(k, 150, 6));
    EXPECT_GE(dwSpent, 49u);

    // the mouse away for the close check: the slider goes back animated
    ::SetCursorPos(2000, 2000);
    pSlider->SendMessage(WM_TIMER, CExtDynAutoHideSlider::TIMER_CHECK);
    EXPECT_TRUE(pSlider->m_nFlags & CExtDynAutoHideSlider::STATE_CLOSE_PENDING);
    pSlider->SendMessage(WM_TIMER, CExtDynAutoHideSlider::TIMER_CLOSE);
    EXPECT_FALSE(pSlider->IsShown());
    ASSERT_EQ(pSlider->m_arrSlideSteps.size(), 5u);
    EXPECT_EQ(pSlider->m_arrSlideSteps[0], ::MulDiv(4, 150, 6));
    EXPECT_EQ(pSlider->m_arrSlideSteps[4], 0);

    // the slider holding the focus stays open while the pointer is elsewhere
    pLeft->m_nAreaFlags |= 2;
    pLeft->SetSelection(0, false, true);
    pLeft->m_nAreaFlags &= ~2;
    ASSERT_TRUE(pSlider->IsShown());
    m_pA->m_wndChild.SetFocus();
    EXPECT_EQ(::GetFocus(), m_pA->m_wndChild.m_hWnd);
    {
        ::SetCursorPos(2000, 2000);
        pSlider->SendMessage(WM_TIMER, CExtDynAutoHideSlider::TIMER_CHECK);
        EXPECT_TRUE(pSlider->m_nFlags & CExtDynAutoHideSlider::STATE_FOCUS);
        EXPECT_FALSE(pSlider->m_nFlags & CExtDynAutoHideSlider::STATE_CLOSE_PENDING);
        EXPECT_TRUE(pSlider->IsShown());
    }
    pSlider->SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(pSlider->IsShown());
    EXPECT_NE(::GetFocus(), m_pA->m_wndChild.m_hWnd);

    // the mouse over the strip keeps it open
    pLeft->m_nAreaFlags |= 2;
    pLeft->SetSelection(0, false, true);
    pLeft->m_nAreaFlags &= ~2;
    ASSERT_TRUE(pSlider->IsShown());
    CRect rcStripScreen;
    pLeft->GetWindowRect(&rcStripScreen);
    ::SetCursorPos(rcStripScreen.CenterPoint().x, rcStripScreen.CenterPoint().y);
    pSlider->SendMessage(WM_TIMER, CExtDynAutoHideSlider::TIMER_CHECK);
    EXPECT_FALSE(pSlider->m_nFlags & CExtDynAutoHideSlider::STATE_CLOSE_PENDING);

    // leaving auto-hide puts the bar back into its dock row
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pA, false, false, true, true));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    EXPECT_FALSE(m_pA->m_bAutoHidden);
    EXPECT_FALSE(pSlider->IsShown());
    EXPECT_EQ(pLeft->GetItemCount(), 0);
    EXPECT_FALSE(pLeft->IsWindowVisible());
    EXPECT_TRUE(m_pA->IsWindowVisible());
    EXPECT_TRUE(m_pA->IsDockedAtLeft());
    EXPECT_EQ(m_pA->m_wndChild.GetParent(), (CWnd*)m_pA);
}

TEST_F(GroupTest, SliderKeepsItsLimits)
{
    DockTwoBars(AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_RIGHT);
    ASSERT_TRUE(CExtDynAutoHideArea::SetupFrame(m_pFrame));
    m_pA->m_sizeDockedH.cy = 10;
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pA, true, false, true, true));
    CExtDynAutoHideArea* pTop = CExtDynAutoHideArea::FindAreaForSide(m_pFrame, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(pTop != NULL);
    CExtDynAutoHideSlider* pSlider = pTop->GetSlider();
    ASSERT_TRUE(pSlider->IsShown());
    // a bar 10 pixels high slides out 20 deep
    EXPECT_EQ(m_pFrame->ChildRect(pSlider).Height(), 20);
    // resizing stops 20 pixels short of the inner rectangle's far side
    CRect rcInner = pSlider->m_rcInner;
    CRect rc = m_pFrame->ChildRect(pSlider);
    pSlider->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), 5000, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(m_pFrame->ChildRect(pSlider).bottom, rcInner.bottom - 20);
    // the new size is the bar's docked height
    EXPECT_EQ(m_pA->m_sizeDockedH.cy, rcInner.Height() - 20);
    pSlider->SendMessage(WM_CANCELMODE);
    // a frame too low for the slider shows nothing
    m_pFrame->SetWindowPos(NULL, 0, 0, 500, 120, SWP_NOZORDER | SWP_NOMOVE);
    m_pFrame->RecalcLayout();
    CRect rcNow = pSlider->CalcInnerRect();
    if (rcNow.Height() < 20)
    {
        pTop->m_nAreaFlags |= 2;
        pTop->SetSelection(0, false, true);
        pTop->m_nAreaFlags &= ~2;
        EXPECT_FALSE(pSlider->IsShown());
    }
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pA, false, false, true, true));
}

TEST_F(GroupTest, AutoHidingATabGroupGivesOneItemGroup)
{
    DockTwoBars(AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_LEFT);
    ASSERT_TRUE(CExtDynAutoHideArea::SetupFrame(m_pFrame));
    ASSERT_TRUE(m_pA->DockAsTab(m_pB));
    CExtDynTabControlBar* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar,
                                                    m_pA->GetTabbedContainer());
    ASSERT_TRUE(pGroup != NULL);
    pGroup->SelectBarTab(m_pB);
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pB, true, false, true, true));
    CExtDynAutoHideArea* pRight = CExtDynAutoHideArea::FindAreaForSide(m_pFrame,
                                                                      AFX_IDW_DOCKBAR_RIGHT);
    ASSERT_EQ(pRight->GetItemCount(), 2);
    EXPECT_TRUE(pRight->GetItem(0)->IsGroupStart());
    EXPECT_FALSE(pRight->GetItem(1)->IsGroupStart());
    EXPECT_TRUE(pRight->GetItem(1)->IsInGroupActive());
    EXPECT_TRUE(m_pA->m_bAutoHidden && m_pB->m_bAutoHidden && pGroup->m_bAutoHidden);
    EXPECT_FALSE(pGroup->IsWindowVisible());
    // the selected member is the one that slid out
    EXPECT_EQ(pRight->GetSlider()->GetBar(), (CExtControlBar*)m_pB);

    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pA, false, false, true, true));
    m_pFrame->RecalcLayout();
    EXPECT_EQ(pRight->GetItemCount(), 0);
    EXPECT_FALSE(m_pA->m_bAutoHidden || m_pB->m_bAutoHidden || pGroup->m_bAutoHidden);
    EXPECT_TRUE(pGroup->IsWindowVisible());
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pB);
}

TEST_F(GroupTest, CtrlPageDownSwitchesToTheNextHiddenBarAndWraps)
{
    DockTwoBars(AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_LEFT);
    ASSERT_TRUE(CExtDynAutoHideArea::SetupFrame(m_pFrame));
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pA, true, false, true, true));
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pB, true, false, true, true));
    CExtDynAutoHideArea* pLeft = CExtDynAutoHideArea::FindAreaForSide(m_pFrame,
                                                                     AFX_IDW_DOCKBAR_LEFT);
    ASSERT_EQ(pLeft->GetItemCount(), 2);
    CExtDynAutoHideSlider* pSlider = pLeft->GetSlider();
    pLeft->m_nAreaFlags |= 2;
    pLeft->SetSelection(1, false, true);
    pLeft->m_nAreaFlags &= ~2;
    ASSERT_EQ(pSlider->GetBar(), (CExtControlBar*)m_pB);

    BYTE keys[256];
    ::GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    MSG msg = {};
    msg.hwnd = pLeft->m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_NEXT;
    bool bConsumed = pLeft->HandleSwitchKey(&msg);
    keys[VK_CONTROL] = saved;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(bConsumed);
    // from the last item it wraps to the first, sliding without animation
    EXPECT_EQ(pLeft->GetSelection(), 0);
    EXPECT_EQ(pSlider->GetBar(), (CExtControlBar*)m_pA);
    EXPECT_TRUE(pSlider->m_arrSlideSteps.empty());
    EXPECT_EQ(m_pB->m_wndChild.GetParent(), (CWnd*)m_pB);
    // without Ctrl the key is left alone
    msg.wParam = VK_NEXT;
    EXPECT_FALSE(pLeft->HandleSwitchKey(&msg));
    pSlider->SendMessage(WM_CANCELMODE);
}
