// A frame with a tab group and an auto-hide strip; under Xvfb with STICKWELL_SCREENSHOT set
// it also saves a picture of the frame.
#include "../uibars_support.h"
#include "uiframework/bars/ExtDynTabControlBar.h"
#include "uiframework/bars/ExtDynAutoHide.h"
#include "window_picture.h"

#include <cstdlib>

TEST_F(UiBarsTest, FrameWithTabGroupAndAutoHideStrip)
{
    CTestResizableBar* pA = NewBar(0xE830, "Layers");
    CTestResizableBar* pB = NewBar(0xE831, "Properties");
    CTestResizableBar* pC = NewBar(0xE832, "Fields");
    CTestResizableBar* pD = NewBar(0xE833, "Records");
    pA->m_wndChild.SetWindowText("Layer list");
    pB->m_wndChild.SetWindowText("Property sheet");
    pC->m_wndChild.SetWindowText("Database fields");
    pD->m_wndChild.SetWindowText("Records");
    ASSERT_TRUE(CExtDynAutoHideArea::SetupFrame(m_pFrame));
    ASSERT_TRUE(pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_BOTTOM));
    ASSERT_TRUE(pC->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    ASSERT_TRUE(pD->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    m_pFrame->RecalcLayout();
    ASSERT_TRUE(pA->DockAsTab(pB));
    CExtDynTabControlBar* pFirstGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar,
                                                         pA->GetTabbedContainer());
    ASSERT_TRUE(pFirstGroup != NULL);
    EXPECT_EQ(::GetWindow(pFirstGroup->GetTabDockBar()->m_hWnd, GW_CHILD), pA->m_hWnd);
    pC->m_sizeDockedV.cx = 180;
    pD->m_sizeDockedV.cx = 180;
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(pC, true, false, true, true));
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(pD, true, false, true, true));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();

    CExtDynAutoHideArea* pRight = CExtDynAutoHideArea::FindAreaForSide(m_pFrame,
                                                                      AFX_IDW_DOCKBAR_RIGHT);
    ASSERT_TRUE(pRight != NULL);
    EXPECT_EQ(pRight->GetItemCount(), 2);
    EXPECT_TRUE(pRight->IsWindowVisible());
    EXPECT_TRUE(pRight->GetSlider()->IsShown());
    EXPECT_EQ(pRight->GetSlider()->GetBar(), (CExtControlBar*)pD);
    CExtDynTabControlBar* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar,
                                                    pA->GetTabbedContainer());
    ASSERT_TRUE(pGroup != NULL);
    EXPECT_TRUE(pGroup->IsTabStripVisible());
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)pA);
    EXPECT_EQ(::GetWindow(pGroup->GetTabDockBar()->m_hWnd, GW_CHILD), pA->m_hWnd);
    m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN |
                                           RDW_UPDATENOW);

    CRect rcSlider = m_pFrame->ChildRect(pRight->GetSlider());
    EXPECT_EQ(rcSlider.Width(), 180);
    EXPECT_TRUE(pRight->GetSlider()->IsWindowVisible());
    // under Xvfb a picture for people to look at
    const char* lpszPath = getenv("STICKWELL_SCREENSHOT");
    if (lpszPath != NULL && *lpszPath != 0)
    {
        m_pFrame->SetForegroundWindow();
        CRect rcShown;
        pRight->GetSlider()->GetWindowRect(&rcShown);
        ::SetCursorPos(rcShown.CenterPoint().x, rcShown.CenterPoint().y);
        for (int i = 0; i < 20; i++)
        {
            PumpPendingMessages();
            ::Sleep(50);
        }
        m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN |
                                               RDW_UPDATENOW);
        PumpPendingMessages();
        EXPECT_TRUE(pRight->GetSlider()->IsShown());
        EXPECT_TRUE(SaveWindowPicture(m_pFrame->m_hWnd, lpszPath));
    }
}
