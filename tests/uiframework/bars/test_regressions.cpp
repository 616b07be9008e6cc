// Tests of faults once seen in the bars, one test per fault with a note of it.
#include "fixed_bar.h"
#include "resize_support.h"
#include "uibars_support.h"

// Fault: a bar that had never floated floated at the screen's corner.
TEST_F(UiBarsTest, ABarThatNeverFloatedFloatsWhereItStands)
{
    CTestResizableBar* pBar = NewBar(0xE861, "First float");
    ASSERT_TRUE(pBar->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    PumpPendingMessages();
    ASSERT_EQ(pBar->m_ptFloatPos, CPoint(0, 0));
    CRect rcDocked;
    pBar->GetWindowRect(&rcDocked);
    ASSERT_GT(rcDocked.left, 0);
    pBar->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(pBar->IsFloating());
    CRect rcMini;
    pBar->GetParentFrame()->GetWindowRect(&rcMini);
    EXPECT_EQ(rcMini.TopLeft(), rcDocked.TopLeft());
    EXPECT_EQ(pBar->m_ptFloatPos, rcDocked.TopLeft());
}

// Fault: a bar floated out of a container and docked elsewhere kept its place in the container.
TEST_F(UiBarsTest, FloatingOutOfAContainerKeepsItsPlaceUntilTheBarDocksElsewhere)
{
    CTestResizableBar* pA = NewBar(0xE878, "A");
    CTestResizableBar* pB = NewBar(0xE879, "B");
    ASSERT_TRUE(pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    ASSERT_TRUE(pB->DockBesideBar(50, pA, AFX_IDW_DOCKBAR_BOTTOM));
    CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, pA->m_pDockBar);
    ASSERT_TRUE(pInner != NULL);
    HWND hWndContainer = pInner->GetContainer()->m_hWnd;
    // floating leaves B's place behind: the container stays for its way back
    pB->FloatAtPosition(CPoint(500, 200));
    PumpPendingMessages();
    EXPECT_TRUE(pB->IsFloating());
    ASSERT_TRUE(::IsWindow(hWndContainer));
    EXPECT_EQ(pA->m_pDockBar, (CDockBar*)pInner);
    EXPECT_GT(ExtBarLayout::FindEntry(pInner->m_arrBars, (void*)(UINT_PTR)0xE879), 0);
    ExpectAllArraysSound();
    // docked elsewhere, the place is given up and the container dissolves
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    PumpPendingMessages();
    EXPECT_FALSE(::IsWindow(hWndContainer));
    CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pA->m_pDockBar);
    ASSERT_TRUE(pDock != NULL);
    EXPECT_FALSE(pDock->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)));
    EXPECT_EQ(pDock->GetDlgCtrlID(), AFX_IDW_DOCKBAR_LEFT);
    ExpectAllArraysSound();
}

// Fault: a container made beside a floating bar lost the floating frame's size.
TEST_F(UiBarsTest, BesideAFloatingBarMakesAFloatingContainer)
{
    CTestResizableBar* pA = NewBar(0xE87A, "A");
    CTestResizableBar* pB = NewBar(0xE87B, "B");
    pA->m_sizeFloated = CSize(300, 200);
    pA->FloatAtPosition(CPoint(200, 150));
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_BOTTOM));
    CRect rcOld;
    pA->GetWindowRect(&rcOld);
    ASSERT_TRUE(pB->DockBesideBar(50, pA, AFX_IDW_DOCKBAR_LEFT));
    PumpPendingMessages();
    CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, pA->m_pDockBar);
    ASSERT_TRUE(pInner != NULL);
    CExtDynControlBar* pContainer = pInner->GetContainer();
    ASSERT_TRUE(pContainer != NULL);
    EXPECT_TRUE(pContainer->IsFloating());
    EXPECT_EQ(pContainer->m_sizeFloated, rcOld.Size());
    CRect rcA, rcB;
    pA->GetWindowRect(&rcA);
    pB->GetWindowRect(&rcB);
    EXPECT_EQ(rcB.right, rcA.left);
    EXPECT_EQ(rcA.top, rcB.top);
    EXPECT_GT(rcA.Width(), 0);
    EXPECT_GT(rcB.Width(), 0);
    // the bottom circle lost its only bar and went
    EXPECT_EQ(CExtDockBar::GetMaxCircle(m_pFrame), 0);
    ExpectAllArraysSound();
}

namespace
{

class CTestFullRowBar : public CTestFixedBar
{
public:
    CTestFullRowBar() : CTestFixedBar(CSize(100, 22)) {}
    bool IsFullRowBar() const override { return true; }
};

} // namespace

// Fault: a bar dropped onto a full-row bar's row shared the row with it.
TEST_F(UiBarsTest, FullRowBarKeepsARowToItself)
{
    CExtDockOuterBar* pOuter = (CExtDockOuterBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    CTestFullRowBar* pMenu = new CTestFullRowBar;
    ASSERT_TRUE(pMenu->Create("Menu", m_pFrame, 0xE8F8,
                              WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
    pMenu->EnableDocking(CBRS_ALIGN_ANY);
    pOuter->DockControlBar(pMenu);
    m_pFrame->RecalcLayout();
    CRect rcMenu;
    pMenu->GetWindowRect(&rcMenu);
    CTestFixedBar* pTool = new CTestFixedBar(CSize(120, 26));
    ASSERT_TRUE(pTool->Create("Tool", m_pFrame, 0xE8F9,
                              WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
    pTool->EnableDocking(CBRS_ALIGN_ANY);
    // dropped onto the menu bar's row, right of its middle
    CRect rcDrop(rcMenu.right - 150, rcMenu.top, rcMenu.right - 30, rcMenu.top + 26);
    pOuter->DockControlBar(pTool, &rcDrop);
    int nMenu = ExtBarLayout::FindEntry(pOuter->m_arrBars, pMenu);
    ASSERT_GT(nMenu, 0);
    EXPECT_TRUE(pOuter->m_arrBars[nMenu - 1] == NULL);
    EXPECT_TRUE(pOuter->m_arrBars[nMenu + 1] == NULL);
    EXPECT_TRUE(ExtBarLayout::IsBarArraySound(pOuter->m_arrBars));
    m_pFrame->RecalcLayout();
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(m_pFrame->ChildRect(pMenu).Width(), rcClient.Width());
    CRect rcHit;
    EXPECT_FALSE(rcHit.IntersectRect(m_pFrame->ChildRect(pMenu), m_pFrame->ChildRect(pTool)));
    pTool->DestroyWindow();
    delete pTool;
    pMenu->DestroyWindow();
    delete pMenu;
}

// Fault: a row resize squeezed the neighbour row below its minimal thickness.
TEST_F(UiBarsResizeTest, NeighbourRowStopsAtItsMinimumAndTheViewKeepsRoom)
{
    int nInnerMin = m_pInner->CalcMinHeight();
    CRect rcWnd = WindowRect(m_pTop);
    CRect rcView;
    m_pFrame->m_wndPane.GetWindowRect(&rcView);
    // far below the frame
    PostMouseMoveToScreen(m_pTop, CPoint(rcWnd.left + 30, rcWnd.bottom + 2000));
    m_pTop->PostMessage(WM_LBUTTONUP, 0, 0);
    PressRowStrip(m_pTop);
    EXPECT_GE(m_pInner->m_sizeDockedH.cy, nInnerMin);
    m_pFrame->RecalcLayout();
    CRect rcViewAfter;
    m_pFrame->m_wndPane.GetWindowRect(&rcViewAfter);
    EXPECT_GT(rcViewAfter.Height(), 0);
}
