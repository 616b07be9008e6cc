// The auto-hide slider: caption buttons, the mouse hook, resizing with the mouse, and the
// strip thickness the dock bars of an edge learn.
#include "../uibars_support.h"
#include "uiframework/bars/ExtDynAutoHide.h"
#include "uiframework/bars/ExtDockBar.h"

#include <cstring>

namespace
{

// Dispatches the messages of this thread for about nMs milliseconds.
void PumpFor(DWORD nMs)
{
    DWORD dwEnd = ::GetTickCount() + nMs;
    do
    {
        PumpPendingMessages();
        ::Sleep(5);
    } while ((LONG)(dwEnd - ::GetTickCount()) > 0);
    PumpPendingMessages();
}

void SendMouse(DWORD dwFlags)
{
    INPUT in;
    memset(&in, 0, sizeof(in));
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = dwFlags;
    ::SendInput(1, &in, sizeof(INPUT));
}

void MoveMouse(CPoint pt)
{
    ::SetCursorPos(pt.x, pt.y);
    SendMouse(MOUSEEVENTF_MOVE);
    PumpFor(30);
}

void PressLeft(CPoint pt)
{
    MoveMouse(pt);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    PumpFor(30);
}

void ReleaseLeft(CPoint pt)
{
    MoveMouse(pt);
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpFor(30);
}

class SliderTest : public UiBarsTest
{
protected:
    CTestResizableBar* m_pA = NULL;
    CExtDynAutoHideArea* m_pArea = NULL;
    CExtDynAutoHideSlider* m_pSlider = NULL;

    void TearDown() override
    {
        ::SetCursorPos(2000, 2000);
        UiBarsTest::TearDown();
    }

    // A bar docked at the left edge, auto-hidden and slid out 150 wide.
    void SlideOutLeftBar()
    {
        m_pA = NewBar(0xE820, "Alpha");
        ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
        m_pFrame->RecalcLayout();
        ASSERT_TRUE(CExtDynAutoHideArea::SetupFrame(m_pFrame));
        m_pA->m_sizeDockedV.cx = 150;
        ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pA, true, false, true, true));
        PumpPendingMessages();
        m_pArea = CExtDynAutoHideArea::FindAreaForSide(m_pFrame, AFX_IDW_DOCKBAR_LEFT);
        ASSERT_TRUE(m_pArea != NULL);
        m_pSlider = m_pArea->GetSlider();
        ASSERT_TRUE(m_pSlider != NULL);
        ASSERT_TRUE(m_pSlider->IsShown());
        ASSERT_EQ(m_pSlider->GetBar(), (CExtControlBar*)m_pA);
        ASSERT_EQ(m_pA->m_arrNcButtons.GetSize(), 3);
    }
    CExtBarNcAreaButton* Button(int n) { return m_pA->m_arrNcButtons[n]; }
    // The centre of a caption button of the slider in screen coordinates.
    CPoint ButtonCentre(int n)
    {
        CRect rcWnd;
        m_pSlider->GetWindowRect(&rcWnd);
        return Button(n)->m_rc.CenterPoint() + rcWnd.TopLeft();
    }
    CRect SliderScreenRect()
    {
        CRect rc;
        m_pSlider->GetWindowRect(&rc);
        return rc;
    }
};

} // namespace

TEST_F(SliderTest, CaptionCarriesTheBarsButtonsBesideTheText)
{
    CRecordingPaintManager* pPM = new CRecordingPaintManager;
    g_CurrentPaintManager.InstallPaintManager(pPM);
    SlideOutLeftBar();
    CExtBarNcAreaButton* pClose = Button(0);
    CExtBarNcAreaButton* pAutoHide = Button(1);
    EXPECT_TRUE(pClose->IsDisplayed());
    EXPECT_TRUE(pAutoHide->IsDisplayed());
    EXPECT_FALSE(Button(2)->IsDisplayed());
    // the buttons line up from the right end of the slider's caption
    CRect rcCaption = m_pSlider->GetCaptionRect();
    ASSERT_FALSE(rcCaption.IsRectEmpty());
    CRect rcExpected(rcCaption);
    rcExpected.DeflateRect(2, 3);
    rcExpected.left = rcExpected.right - rcExpected.Height();
    rcExpected.OffsetRect(-1, 0);
    EXPECT_EQ(pClose->m_rc, rcExpected);
    EXPECT_EQ(pAutoHide->m_rc.right, pClose->m_rc.left - 3);
    EXPECT_EQ(pAutoHide->m_rc.Height(), pClose->m_rc.Height());
    // the caption lies above the client area, inside the window
    CRect rcWnd = SliderScreenRect(), rcClient;
    m_pSlider->GetClientRect(&rcClient);
    m_pSlider->ClientToScreen(&rcClient);
    EXPECT_LE(rcWnd.top + pClose->m_rc.bottom, rcClient.top);
    EXPECT_LT(rcWnd.left + pClose->m_rc.right, rcWnd.right);

    // the bar's hit test finds them in the slider
    CExtBarNcAreaButton* pHit = NULL;
    EXPECT_EQ(m_pA->NcButtonsHitTest(ButtonCentre(0), &pHit), (UINT)HTMINBUTTON);
    EXPECT_EQ(pHit, pClose);
    EXPECT_EQ(m_pA->NcButtonsHitTest(ButtonCentre(1), &pHit), (UINT)HTMINBUTTON);
    EXPECT_EQ(pHit, pAutoHide);
    // the text stops before the buttons
    CRect rcText(rcCaption);
    m_pA->ExcludeNcButtonsFromCaption(rcText);
    EXPECT_EQ(rcText.right, pAutoHide->m_rc.left - 1);
    EXPECT_EQ(rcText.top, rcCaption.top);

    // painting: the caption, then the close glyph and the pinned auto-hide glyph
    pPM->m_buttons.clear();
    pPM->m_captions.clear();
    pPM->m_captionRects.clear();
    m_pSlider->SendMessage(WM_NCPAINT);
    ASSERT_EQ(pPM->m_captions.size(), 1u);
    EXPECT_STREQ(pPM->m_captions[0], "Alpha");
    EXPECT_EQ(pPM->m_captionRects[0], rcCaption);
    ASSERT_EQ(pPM->m_buttons.size(), 2u);
    EXPECT_EQ(pPM->m_buttons[0].nGlyph, 1);
    EXPECT_EQ(pPM->m_buttons[0].rc, pClose->m_rc);
    EXPECT_EQ(pPM->m_buttons[1].nGlyph, 11);
    EXPECT_EQ(pPM->m_buttons[1].rc, pAutoHide->m_rc);

    // tool tips come from the slider, in its client coordinates
    CPoint ptClient = ButtonCentre(0);
    m_pSlider->ScreenToClient(&ptClient);
    TOOLINFO ti;
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(m_pSlider->OnToolHitTest(ptClient, &ti), (INT_PTR)0xE820);
    EXPECT_EQ(m_pSlider->m_pBtnTooltip, pClose);
    EXPECT_EQ(ti.hwnd, m_pSlider->m_hWnd);
    EXPECT_STREQ(ti.lpszText, "Hide");
    CRect rcTip(pClose->m_rc);
    rcTip.OffsetRect(rcWnd.left - rcClient.left, rcWnd.top - rcClient.top);
    EXPECT_EQ(CRect(ti.rect), rcTip);
    free(ti.lpszText);
    EXPECT_EQ(m_pSlider->OnToolHitTest(CPoint(5, 5), &ti), (INT_PTR)-1);
    EXPECT_EQ(m_pSlider->m_pBtnTooltip, (CExtBarNcAreaButton*)NULL);

    // slid back, the buttons are gone from every caption
    m_pSlider->SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(pClose->IsDisplayed());
    EXPECT_EQ(m_pA->NcButtonsHitTest(ButtonCentre(0), &pHit), (UINT)HTCLIENT);
    g_CurrentPaintManager.InstallPaintManager(NULL);
}

TEST_F(SliderTest, HookLivesWhileASliderIsOutAndFollowsTheLastOne)
{
    EXPECT_EQ(CExtDynAutoHideSlider::GetHookedSlider(), (CExtDynAutoHideSlider*)NULL);
    SlideOutLeftBar();
    EXPECT_EQ(CExtDynAutoHideSlider::GetHookedSlider(), m_pSlider);
    m_pSlider->SendMessage(WM_CANCELMODE);
    EXPECT_EQ(CExtDynAutoHideSlider::GetHookedSlider(), (CExtDynAutoHideSlider*)NULL);

    // a second frame's slider takes the hook over; when it goes back the first has it again
    m_pArea->m_nAreaFlags |= 2;
    m_pArea->SetSelection(0, false, true);
    m_pArea->m_nAreaFlags &= ~2;
    ASSERT_TRUE(m_pSlider->IsShown());
    CUiBarsFrame* pFrame2 = new CUiBarsFrame;
    ASSERT_TRUE(pFrame2->CreateTestFrame());
    CTestResizableBar* pC = new CTestResizableBar;
    m_bars.push_back(pC);
    ASSERT_TRUE(pC->CreateTestBar(pFrame2, 0xE821, "Gamma"));
    ASSERT_TRUE(pC->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    pFrame2->RecalcLayout();
    ASSERT_TRUE(CExtDynAutoHideArea::SetupFrame(pFrame2));
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(pC, true, false, true, true));
    CExtDynAutoHideSlider* pSlider2 =
        CExtDynAutoHideArea::FindAreaForSide(pFrame2, AFX_IDW_DOCKBAR_RIGHT)->GetSlider();
    ASSERT_TRUE(pSlider2->IsShown());
    EXPECT_EQ(CExtDynAutoHideSlider::GetHookedSlider(), pSlider2);
    pSlider2->SendMessage(WM_CANCELMODE);
    EXPECT_EQ(CExtDynAutoHideSlider::GetHookedSlider(), m_pSlider);
    // destroying a frame with its slider out takes the slider off the hook
    CExtDynAutoHideArea* pRight2 = CExtDynAutoHideArea::FindAreaForSide(pFrame2, AFX_IDW_DOCKBAR_RIGHT);
    pRight2->m_nAreaFlags |= 2;
    pRight2->SetSelection(0, false, true);
    pRight2->m_nAreaFlags &= ~2;
    ASSERT_TRUE(pSlider2->IsShown());
    EXPECT_EQ(CExtDynAutoHideSlider::GetHookedSlider(), pSlider2);
    pFrame2->DestroyWindow();
    PumpPendingMessages();
    EXPECT_EQ(CExtDynAutoHideSlider::GetHookedSlider(), m_pSlider);
    m_pSlider->SendMessage(WM_CANCELMODE);
    EXPECT_EQ(CExtDynAutoHideSlider::GetHookedSlider(), (CExtDynAutoHideSlider*)NULL);
}

TEST_F(SliderTest, ClickOnCloseSlidesBackAndHidesTheBar)
{
    SlideOutLeftBar();
    m_pA->m_wndChild.SetFocus();
    PressLeft(ButtonCentre(0));
    // pressed, still out: the click comes with the release
    EXPECT_TRUE(m_pSlider->IsShown());
    EXPECT_EQ(m_pSlider->m_pBtnPressed, Button(0));
    EXPECT_TRUE(Button(0)->m_bPushed);
    ReleaseLeft(ButtonCentre(0));
    EXPECT_FALSE(m_pSlider->IsShown());
    EXPECT_FALSE(m_pSlider->IsWindowVisible());
    EXPECT_EQ(CExtDynAutoHideSlider::GetHookedSlider(), (CExtDynAutoHideSlider*)NULL);
    EXPECT_FALSE(m_pA->m_bAutoHidden);
    EXPECT_EQ(m_pArea->GetItemCount(), 0);
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    EXPECT_FALSE(m_pA->IsWindowVisible());
    EXPECT_EQ(m_pA->m_wndChild.GetParent(), (CWnd*)m_pA);
    EXPECT_FALSE(Button(0)->m_bPushed);
    EXPECT_FALSE(Button(0)->m_bHover);
}

TEST_F(SliderTest, ClickOnAutoHidePutsTheBarBackIntoItsRow)
{
    SlideOutLeftBar();
    m_pA->m_wndChild.SetFocus();
    PressLeft(ButtonCentre(1));
    ReleaseLeft(ButtonCentre(1));
    EXPECT_FALSE(m_pSlider->IsShown());
    EXPECT_FALSE(m_pA->m_bAutoHidden);
    EXPECT_EQ(m_pArea->GetItemCount(), 0);
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    EXPECT_FALSE(m_pArea->IsWindowVisible());
    EXPECT_TRUE(m_pA->IsWindowVisible());
    EXPECT_TRUE(m_pA->IsDockedAtLeft());
    EXPECT_EQ(m_pA->m_wndChild.GetParent(), (CWnd*)m_pA);
    // docked again, the same button auto-hides it once more
    EXPECT_TRUE(Button(1)->IsDisplayed());
    EXPECT_TRUE(Button(1)->OnClick(Button(1)->m_rc.CenterPoint()));
    EXPECT_TRUE(m_pA->m_bAutoHidden);
    EXPECT_EQ(m_pArea->GetItemCount(), 1);
    EXPECT_TRUE(m_pSlider->IsShown());
    m_pSlider->SendMessage(WM_CANCELMODE);
}

TEST_F(SliderTest, ReleaseAwayFromThePressedButtonDoesNothing)
{
    SlideOutLeftBar();
    m_pA->m_wndChild.SetFocus();
    PressLeft(ButtonCentre(0));
    ASSERT_EQ(m_pSlider->m_pBtnPressed, Button(0));
    // off the button the pressed look goes, back on it it returns
    CRect rcClient;
    m_pSlider->GetClientRect(&rcClient);
    m_pSlider->ClientToScreen(&rcClient);
    MoveMouse(rcClient.CenterPoint());
    EXPECT_FALSE(Button(0)->m_bPushed);
    MoveMouse(ButtonCentre(0));
    EXPECT_TRUE(Button(0)->m_bPushed);
    ReleaseLeft(rcClient.CenterPoint());
    EXPECT_TRUE(m_pSlider->IsShown());
    EXPECT_TRUE(m_pA->m_bAutoHidden);
    EXPECT_EQ(m_pSlider->m_pBtnPressed, (CExtBarNcAreaButton*)NULL);
    EXPECT_FALSE(Button(0)->m_bPushed);
    // a release on the other button clicks nothing either
    PressLeft(ButtonCentre(0));
    ReleaseLeft(ButtonCentre(1));
    EXPECT_TRUE(m_pSlider->IsShown());
    EXPECT_TRUE(m_pA->m_bAutoHidden);
    // a middle button forgets the pressed one
    PressLeft(ButtonCentre(0));
    ASSERT_EQ(m_pSlider->m_pBtnPressed, Button(0));
    SendMouse(MOUSEEVENTF_MIDDLEDOWN);
    SendMouse(MOUSEEVENTF_MIDDLEUP);
    PumpFor(30);
    EXPECT_EQ(m_pSlider->m_pBtnPressed, (CExtBarNcAreaButton*)NULL);
    ReleaseLeft(ButtonCentre(0));
    EXPECT_TRUE(m_pSlider->IsShown());
    EXPECT_TRUE(m_pA->m_bAutoHidden);
    m_pSlider->SendMessage(WM_CANCELMODE);
}

TEST_F(SliderTest, HoverFollowsTheMouseOverTheButtons)
{
    CRecordingPaintManager* pPM = new CRecordingPaintManager;
    g_CurrentPaintManager.InstallPaintManager(pPM);
    SlideOutLeftBar();
    m_pA->m_wndChild.SetFocus();
    pPM->m_buttons.clear();
    MoveMouse(ButtonCentre(1));
    EXPECT_EQ(m_pSlider->m_pBtnHover, Button(1));
    EXPECT_TRUE(Button(1)->m_bHover);
    EXPECT_FALSE(Button(1)->m_bPushed);
    EXPECT_FALSE(Button(0)->m_bHover);
    // the caption was repainted with the hovered look
    bool bHoverPainted = false;
    for (const auto& rec : pPM->m_buttons)
        if (rec.nGlyph == 11 && rec.bHover)
            bHoverPainted = true;
    EXPECT_TRUE(bHoverPainted);
    MoveMouse(ButtonCentre(0));
    EXPECT_EQ(m_pSlider->m_pBtnHover, Button(0));
    EXPECT_TRUE(Button(0)->m_bHover);
    EXPECT_FALSE(Button(1)->m_bHover);
    // off the slider nothing is hovered
    CRect rcWnd = SliderScreenRect();
    MoveMouse(CPoint(rcWnd.right + 60, rcWnd.CenterPoint().y));
    EXPECT_EQ(m_pSlider->m_pBtnHover, (CExtBarNcAreaButton*)NULL);
    EXPECT_FALSE(Button(0)->m_bHover);
    m_pSlider->SendMessage(WM_CANCELMODE);
    g_CurrentPaintManager.InstallPaintManager(NULL);
}

TEST_F(SliderTest, PressOnTheCaptionGivesTheContentTheFocus)
{
    SlideOutLeftBar();
    m_pFrame->SetFocus();
    ASSERT_NE(::GetFocus(), m_pA->m_wndChild.m_hWnd);
    EXPECT_FALSE(m_pSlider->IsActive());
    CRect rcWnd = SliderScreenRect();
    CRect rcCaption = m_pSlider->GetCaptionRect() + rcWnd.TopLeft();
    CPoint ptText(rcCaption.left + 10, rcCaption.CenterPoint().y);
    PressLeft(ptText);
    EXPECT_EQ(::GetFocus(), m_pA->m_wndChild.m_hWnd);
    EXPECT_TRUE(m_pSlider->IsActive());
    EXPECT_EQ(m_pSlider->m_nResizeState, 1);
    ReleaseLeft(ptText);
    EXPECT_TRUE(m_pSlider->IsShown());
    // a right press inside gives the focus back to the slider's content too
    m_pFrame->SetFocus();
    MoveMouse(ptText);
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    PumpFor(30);
    EXPECT_EQ(::GetFocus(), m_pA->m_wndChild.m_hWnd);
    SendMouse(MOUSEEVENTF_RIGHTUP);
    PumpFor(30);
    ::SetCursorPos(2000, 2000);
    m_pSlider->SendMessage(WM_CANCELMODE);
    EXPECT_NE(::GetFocus(), m_pA->m_wndChild.m_hWnd);
}

TEST_F(SliderTest, DraggingTheBandResizesWithinTheInnerRectangle)
{
    SlideOutLeftBar();
    m_pA->m_wndChild.SetFocus();
    CRect rcInner = m_pSlider->m_rcInner;
    CRect rcStart = m_pFrame->ChildRect(m_pSlider);
    ASSERT_EQ(rcStart.Width(), 150);
    CRect rcWnd = SliderScreenRect();
    CPoint ptBand(rcWnd.right - 2, rcWnd.CenterPoint().y);
    EXPECT_EQ(m_pSlider->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptBand.x, ptBand.y)),
              (LRESULT)HTRIGHT);
    EXPECT_EQ(m_pSlider->SendMessage(WM_NCHITTEST, 0,
                                     MAKELPARAM(rcWnd.CenterPoint().x, rcWnd.CenterPoint().y)),
              (LRESULT)HTCLIENT);
    PressLeft(ptBand);
    ASSERT_EQ(m_pSlider->m_nResizeState, HTRIGHT);
    // while resizing the hit test answers the edge everywhere
    EXPECT_EQ(m_pSlider->SendMessage(WM_NCHITTEST, 0,
                                     MAKELPARAM(rcWnd.CenterPoint().x, rcWnd.CenterPoint().y)),
              (LRESULT)HTRIGHT);
    MoveMouse(ptBand + CPoint(40, 7));
    EXPECT_EQ(m_pFrame->ChildRect(m_pSlider).Width(), 190);
    EXPECT_EQ(m_pFrame->ChildRect(m_pSlider).left, rcStart.left);
    // far beyond: the edge stops 20 short of the inner rectangle's far side
    MoveMouse(CPoint(rcWnd.left + 3000, ptBand.y));
    EXPECT_EQ(m_pFrame->ChildRect(m_pSlider).right, rcInner.right - 20);
    ReleaseLeft(CPoint(rcWnd.left + 3000, ptBand.y));
    EXPECT_EQ(m_pSlider->m_nResizeState, 1);
    EXPECT_NE(::GetCapture(), m_pSlider->m_hWnd);
    EXPECT_EQ(m_pA->m_sizeDockedV.cx, rcInner.right - 20 - rcStart.left);
    // the content fills the new client area
    CRect rcClient, rcContent;
    m_pSlider->GetClientRect(&rcClient);
    m_pA->m_wndChild.GetWindowRect(&rcContent);
    EXPECT_EQ(rcContent.Width(), rcClient.Width());
    // back inward: never under 20 pixels
    rcWnd = SliderScreenRect();
    ptBand = CPoint(rcWnd.right - 2, rcWnd.CenterPoint().y);
    PressLeft(ptBand);
    MoveMouse(CPoint(rcWnd.left - 500, ptBand.y));
    EXPECT_EQ(m_pFrame->ChildRect(m_pSlider).Width(), 20);
    ReleaseLeft(CPoint(rcWnd.left - 500, ptBand.y));
    EXPECT_EQ(m_pA->m_sizeDockedV.cx, 20);
    EXPECT_TRUE(m_pSlider->IsShown());
    // moves after the release resize nothing
    MoveMouse(CPoint(rcWnd.left + 100, ptBand.y));
    EXPECT_EQ(m_pFrame->ChildRect(m_pSlider).Width(), 20);
    m_pSlider->SendMessage(WM_CANCELMODE);
    // the next slide-out takes the stored width
    m_pArea->m_nAreaFlags |= 2;
    m_pArea->SetSelection(0, false, true);
    m_pArea->m_nAreaFlags &= ~2;
    EXPECT_EQ(m_pFrame->ChildRect(m_pSlider).Width(), 20);
    m_pSlider->SendMessage(WM_CANCELMODE);
}

TEST_F(SliderTest, StripThicknessReachesTheDockBarsAndTheirDropZone)
{
    SlideOutLeftBar();
    m_pSlider->SendMessage(WM_CANCELMODE);
    m_pFrame->RecalcLayout();
    CRect rcStrip = m_pFrame->ChildRect(m_pArea);
    ASSERT_GT(rcStrip.Width(), 10);
    int nLeftDocks = 0;
    POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL)
    {
        CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar,
                                              (CObject*)m_pFrame->m_listControlBars.GetNext(pos));
        if (pDock == NULL || pDock->m_hWnd == NULL)
            continue;
        if ((UINT)pDock->GetDlgCtrlID() == AFX_IDW_DOCKBAR_LEFT)
        {
            EXPECT_EQ(pDock->m_nAutoHideAreaThickness, rcStrip.Width());
            nLeftDocks++;
        }
        else
            EXPECT_EQ(pDock->m_nAutoHideAreaThickness, 0) << pDock->GetDlgCtrlID();
    }
    EXPECT_GE(nLeftDocks, 1);

    // a fixed-size bar dragged to just inside the strip docks at the hidden left dock bar
    class CFixedBar : public CExtControlBar
    {
    public:
        CFixedBar() { m_bFixedSize = true; }
        CSize CalcDynamicLayout(int, DWORD dwMode) override
        {
            return (dwMode & LM_VERTDOCK) ? CSize(28, 120) : CSize(120, 28);
        }
        CSize CalcFixedLayout(BOOL, BOOL bHorz) override
        {
            return bHorz ? CSize(120, 28) : CSize(28, 120);
        }
    };
    CFixedBar* pFixed = new CFixedBar;
    ASSERT_TRUE(pFixed->Create("Tools", m_pFrame, 0xE822, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    pFixed->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(pFixed, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    CExtDockBar* pLeftDock =
        DYNAMIC_DOWNCAST(CExtDockBar, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(pLeftDock != NULL);
    pLeftDock->ShowWindow(SW_HIDE);
    ASSERT_FALSE(pLeftDock->IsWindowVisible());
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    CRect rcStripScreen;
    m_pArea->GetWindowRect(&rcStripScreen);
    // past the old zone (client edge + 12 + 18) but within 30 of the strip's inner edge
    CPoint pt(rcStripScreen.right + 25, rcClient.CenterPoint().y);
    ASSERT_GT(pt.x, rcClient.left + 30);
    CExtControlBar::InternalDraggingState_t st(pFixed);
    st.CalcFixedStateAtPoint(pt, FALSE);
    EXPECT_EQ(pFixed->m_pDockBar, (CDockBar*)pLeftDock);
    EXPECT_EQ(st.m_eType, 7);
    pFixed->DestroyWindow();
    delete pFixed;

    // the strip gone, the thickness is 0 again
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pA, false, false, true, true));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    m_pFrame->RecalcLayout();
    EXPECT_FALSE(m_pArea->IsWindowVisible());
    EXPECT_EQ(pLeftDock->m_nAutoHideAreaThickness, 0);
}

TEST_F(SliderTest, BottomStripSliderGrowsUpwardsAndKeepsItsBottom)
{
    m_pA = NewBar(0xE823, "Delta");
    ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_BOTTOM));
    m_pFrame->RecalcLayout();
    ASSERT_TRUE(CExtDynAutoHideArea::SetupFrame(m_pFrame));
    m_pA->m_sizeDockedH.cy = 120;
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pA, true, false, true, true));
    PumpPendingMessages();
    m_pArea = CExtDynAutoHideArea::FindAreaForSide(m_pFrame, AFX_IDW_DOCKBAR_BOTTOM);
    ASSERT_TRUE(m_pArea != NULL);
    m_pSlider = m_pArea->GetSlider();
    ASSERT_TRUE(m_pSlider->IsShown());
    m_pA->m_wndChild.SetFocus();
    CRect rcInner = m_pSlider->m_rcInner;
    CRect rcStart = m_pFrame->ChildRect(m_pSlider);
    ASSERT_EQ(rcStart.Height(), 120);
    ASSERT_EQ(rcStart.bottom, rcInner.bottom);
    // the band is the top edge; the caption sits below it
    CRect rcWnd = SliderScreenRect();
    CPoint ptBand(rcWnd.CenterPoint().x, rcWnd.top + 1);
    EXPECT_EQ(m_pSlider->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptBand.x, ptBand.y)),
              (LRESULT)HTTOP);
    EXPECT_GE(m_pSlider->GetCaptionRect().top, 5);
    PressLeft(ptBand);
    ASSERT_EQ(m_pSlider->m_nResizeState, HTTOP);
    MoveMouse(ptBand - CPoint(0, 30));
    EXPECT_EQ(m_pFrame->ChildRect(m_pSlider).Height(), 150);
    EXPECT_EQ(m_pFrame->ChildRect(m_pSlider).bottom, rcInner.bottom);
    MoveMouse(CPoint(ptBand.x, rcWnd.top - 3000));
    EXPECT_EQ(m_pFrame->ChildRect(m_pSlider).top, rcInner.top + 20);
    EXPECT_EQ(m_pFrame->ChildRect(m_pSlider).bottom, rcInner.bottom);
    ReleaseLeft(CPoint(ptBand.x, rcWnd.top - 3000));
    EXPECT_EQ(m_pSlider->m_nResizeState, 1);
    EXPECT_EQ(m_pA->m_sizeDockedH.cy, rcInner.Height() - 20);
    // the buttons moved with the caption
    CRect rcCaption = m_pSlider->GetCaptionRect();
    EXPECT_TRUE(rcCaption.PtInRect(Button(0)->m_rc.CenterPoint()));
    m_pSlider->SendMessage(WM_CANCELMODE);
}
