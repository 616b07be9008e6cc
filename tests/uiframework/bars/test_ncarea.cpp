// Non-client area of docked resizable bars: strips, caption, hit tests, caption buttons
// placed and drawn through the paint manager, tool tips; bar queries and menus.
#include "uibars_support.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "uiframework/foundation/ExtCmdManager.h"

namespace
{

CRect WindowRect(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

// Client rectangle in the window's own coordinates.
CRect ClientInWindow(CWnd* pWnd)
{
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    pWnd->ClientToScreen(&rcClient);
    rcClient.OffsetRect(-WindowRect(pWnd).TopLeft());
    return rcClient;
}

UINT HitTestAt(CWnd* pWnd, CPoint ptWnd)
{
    CPoint pt = WindowRect(pWnd).TopLeft() + ptWnd;
    return (UINT)pWnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
}

} // namespace

TEST_F(UiBarsTest, LeftDockedBarCarvesRowStripAndCaption)
{
    CTestResizableBar* pBar = NewBar(0xE880, "Left bar");
    ASSERT_TRUE(pBar->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    m_pFrame->RecalcLayout();
    CRect rcWnd = WindowRect(pBar);
    CRect rcClient = ClientInWindow(pBar);
    const int cx = pBar->m_nSplitterCX, cy = pBar->m_nSplitterCY;
    // alone in its dock bar: the row strip on the right, a trailing strip at the bottom
    EXPECT_EQ(pBar->m_rcRowResizer, CRect(rcWnd.Width() - cx, 0, rcWnd.Width(), rcWnd.Height()));
    EXPECT_EQ(pBar->m_rcColumnResizerNext,
              CRect(0, rcWnd.Height() - cy, rcWnd.Width() - cx, rcWnd.Height()));
    EXPECT_TRUE(pBar->m_rcColumnResizerPrev.IsRectEmpty());
    EXPECT_EQ(pBar->m_rcCaption, CRect(0, 0, rcWnd.Width() - cx, pBar->m_nCaptionHeight));
    EXPECT_EQ(rcClient, CRect(0, pBar->m_nCaptionHeight + 1, rcWnd.Width() - cx,
                              rcWnd.Height() - cy));
    EXPECT_EQ(pBar->CalcMinHeight(), cy + pBar->m_nCaptionHeight);
    // the edit window fills the client area
    CRect rcChild = WindowRect(&pBar->m_wndChild);
    EXPECT_EQ(rcChild.Size(), rcClient.Size());

    EXPECT_EQ(HitTestAt(pBar, CPoint(rcWnd.Width() - 1, rcWnd.Height() / 2)), (UINT)HTRIGHT);
    // the only bar of its row: the trailing strip does not resize
    EXPECT_EQ(HitTestAt(pBar, CPoint(10, rcWnd.Height() - 1)), (UINT)HTCLIENT);
    EXPECT_EQ(HitTestAt(pBar, CPoint(10, rcClient.top + 5)), (UINT)HTCLIENT);
}

TEST_F(UiBarsTest, TwoBarsInARowGetAColumnStripBetweenThem)
{
    CTestResizableBar* pA = NewBar(0xE881, "A");
    CTestResizableBar* pB = NewBar(0xE882, "B");
    ASSERT_TRUE(pA->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    CExtDockBar* pDock = (CExtDockBar*)pA->m_pDockBar;
    pDock->m_arrBars.RemoveAll();
    pDock->m_arrBars.Add(NULL);
    pDock->m_arrBars.Add(pA);
    pDock->m_arrBars.Add(pB);
    pDock->m_arrBars.Add(NULL);
    m_pFrame->RecalcLayout();
    pA->RecalcNcFrame();
    pB->RecalcNcFrame();
    CRect rcA = WindowRect(pA);
    // a circle-1 top dock bar: no top strip, the row strip at the bottom
    EXPECT_FALSE(pA->m_rcColumnResizerNext.IsRectEmpty());
    EXPECT_TRUE(pB->m_rcColumnResizerNext.IsRectEmpty());
    EXPECT_EQ(HitTestAt(pA, CPoint(rcA.Width() - 1, rcA.Height() / 2)), (UINT)HTRIGHT);
    EXPECT_EQ(HitTestAt(pA, CPoint(rcA.Width() / 2, rcA.Height() - 1)), (UINT)HTBOTTOM);
    EXPECT_TRUE(pA->IsFirstInRow(true));
    EXPECT_TRUE(pB->IsLastInRow(true));
    EXPECT_FALSE(pA->IsSingleInRow(false, true));
}

TEST_F(UiBarsTest, CloseButtonIsPlacedHitAndDrawnThroughThePaintManager)
{
    CRecordingPaintManager* pPM = new CRecordingPaintManager;
    g_CurrentPaintManager.InstallPaintManager(pPM);
    CTestResizableBar* pBar = NewBar(0xE883, "Captioned");
    ASSERT_TRUE(pBar->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    m_pFrame->RecalcLayout();
    ASSERT_EQ(pBar->m_arrNcButtons.GetSize(), 3);
    CExtBarNcAreaButton* pClose = pBar->m_arrNcButtons[0];
    EXPECT_TRUE(pClose->IsKindOf(RUNTIME_CLASS(CExtBarNcAreaButtonClose)));
    EXPECT_TRUE(pClose->IsDisplayed());
    EXPECT_FALSE(pBar->m_arrNcButtons[1]->IsDisplayed());  // no auto-hide area
    EXPECT_FALSE(pBar->m_arrNcButtons[2]->IsDisplayed());  // resizable: no menu button
    CRect rcCap = pBar->m_rcCaption;
    CRect rcExpected(rcCap);
    rcExpected.DeflateRect(2, 3);
    rcExpected.left = rcExpected.right - rcExpected.Height();
    rcExpected.OffsetRect(-1, 0);
    EXPECT_EQ(pClose->m_rc, rcExpected);

    // hover: hit test answers the button code and the state is kept
    CPoint ptBtn = pClose->m_rc.CenterPoint();
    EXPECT_EQ(HitTestAt(pBar, ptBtn), (UINT)HTMINBUTTON);
    EXPECT_TRUE(pBar->m_bNcButtonHover);
    EXPECT_TRUE(pClose->m_bHover);
    // the caption text stops before the button
    CRect rcText(rcCap);
    pBar->ExcludeNcButtonsFromCaption(rcText);
    EXPECT_EQ(rcText.right, pClose->m_rc.left - 1);

    pPM->m_buttons.clear();
    pPM->m_captions.clear();
    pBar->SendMessage(WM_NCPAINT);
    ASSERT_EQ(pPM->m_buttons.size(), 1u);
    EXPECT_EQ(pPM->m_buttons[0].nGlyph, 1);
    EXPECT_EQ(pPM->m_buttons[0].rc, pClose->m_rc);
    EXPECT_TRUE(pPM->m_buttons[0].bHover);
    EXPECT_TRUE(pPM->m_buttons[0].bEnabled);
    ASSERT_EQ(pPM->m_captions.size(), 1u);
    EXPECT_STREQ(pPM->m_captions[0], "Captioned");
    EXPECT_EQ(pPM->m_captionRects[0], rcCap);

    // tool tip: the fallback text, the rectangle in client coordinates
    TOOLINFO ti;
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(pClose->OnToolHitTest(ptBtn, &ti), (INT_PTR)0xE883);
    EXPECT_EQ(ti.hwnd, pBar->m_hWnd);
    EXPECT_STREQ(ti.lpszText, "Hide");
    CRect rcClientInWnd = ClientInWindow(pBar);
    EXPECT_EQ(CRect(ti.rect), CRect(pClose->m_rc) - rcClientInWnd.TopLeft());
    free(ti.lpszText);

    // a click on the button hides the bar, and only on the button
    EXPECT_FALSE(pClose->OnClick(CPoint(-5, -5)));
    EXPECT_TRUE(pBar->IsWindowVisible());
    CPoint ptScreen = WindowRect(pBar).TopLeft() + ptBtn;
    pBar->SendMessage(WM_NCLBUTTONUP, HTMINBUTTON, MAKELPARAM(ptScreen.x, ptScreen.y));
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_TRUE(::IsWindow(pBar->m_hWnd));
    g_CurrentPaintManager.InstallPaintManager(NULL);
}

TEST_F(UiBarsTest, VerticalCaptionButtonsLineUpDownwards)
{
    CTestResizableBar* pBar = NewBar(0xE884, "Vertical");
    pBar->m_bCaptionAlwaysHorizontal = false;
    ASSERT_TRUE(pBar->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    m_pFrame->RecalcLayout();
    bool bHorz = true, bCaption = false;
    EXPECT_TRUE(pBar->QueryGripper(&bHorz, &bCaption));
    EXPECT_FALSE(bHorz);
    EXPECT_EQ(pBar->m_rcCaption.Width(), pBar->m_nCaptionWidth);
    EXPECT_EQ(ClientInWindow(pBar).left, pBar->m_nCaptionWidth + 1);
    CExtBarNcAreaButton first(pBar), second(pBar), third(pBar);
    first.PlaceInCaption(NULL);
    second.PlaceInCaption(&first);
    third.PlaceInCaption(&second);
    CRect rcExpected(pBar->m_rcCaption);
    rcExpected.DeflateRect(3, 2);
    rcExpected.bottom = rcExpected.top + rcExpected.Width();
    rcExpected.OffsetRect(0, 1);
    EXPECT_EQ(first.m_rc, rcExpected);
    EXPECT_EQ(second.m_rc.top, first.m_rc.bottom + 3);
    EXPECT_EQ(third.m_rc.top, second.m_rc.bottom + 3);
    EXPECT_EQ(second.m_rc.Size(), first.m_rc.Size());
    // the base button draws nothing and answers no tool tip
    EXPECT_EQ(first.OnToolHitTest(first.m_rc.CenterPoint(), NULL), -1);
}

TEST_F(UiBarsTest, FloatingResizableBarHasNoCaptionOfItsOwn)
{
    CTestResizableBar* pBar = NewBar(0xE885, "Floater");
    pBar->FloatAtPosition(CPoint(200, 200));
    ASSERT_TRUE(pBar->IsFloating());
    bool bHorz = true, bCaption = true;
    EXPECT_FALSE(pBar->QueryGripper(&bHorz, &bCaption));
    EXPECT_FALSE(bCaption);
    CRect rcClient = ClientInWindow(pBar);
    EXPECT_EQ(rcClient.TopLeft(), CPoint(1, 1));
    EXPECT_EQ(HitTestAt(pBar, CPoint(5, 5)), (UINT)HTCLIENT);
}

TEST_F(UiBarsTest, CloseMessageLeavesTheBarAliveAndReachesDerivedMaps)
{
    CExtControlBar* pPlain = new CExtControlBar;
    ASSERT_TRUE(pPlain->Create("Plain", m_pFrame, 0xE886));
    pPlain->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(pPlain->m_hWnd));
    EXPECT_FALSE(pPlain->m_bClosing);
    CTestResizableBar* pBar = NewBar(0xE887, "Derived");
    ASSERT_TRUE(pBar->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    pBar->SendMessage(WM_CLOSE);
    EXPECT_EQ(pBar->m_nCloseSeen, 1);
    EXPECT_TRUE(::IsWindow(pBar->m_hWnd));
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_FALSE(pBar->m_bClosing);
    pPlain->DestroyWindow();
    delete pPlain;
}

TEST_F(UiBarsTest, ShownStateReadsTheTemporaryHideOfPreview)
{
    CTestResizableBar* pBar = NewBar(0xE888, "Shown");
    ASSERT_TRUE(pBar->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_TRUE(pBar->IsBarShown());
    pBar->m_nStateFlags |= CControlBar::tempHide;
    EXPECT_FALSE(pBar->IsBarShown());
    pBar->m_nStateFlags &= ~CControlBar::tempHide;
    // a hidden bar is shown by the question
    m_pFrame->ShowControlBar(pBar, FALSE, FALSE);
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_TRUE(pBar->IsBarShown());
    EXPECT_TRUE(pBar->IsWindowVisible());
}

TEST_F(UiBarsTest, BarsMenuListsNamedBarsOutsideTheTemporaryHide)
{
    CTestResizableBar* pA = NewBar(0xE889, "Alpha panel");
    CTestResizableBar* pB = NewBar(0xE88A, "Beta panel");
    CTestResizableBar* pC = NewBar(0xE88B, "");
    ASSERT_TRUE(pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    ASSERT_TRUE(pC->DockToFrameSide(AFX_IDW_DOCKBAR_BOTTOM));
    pB->m_nStateFlags |= CControlBar::tempHide;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->InitAsEmptyPopup(m_pFrame->m_hWnd));
    EXPECT_TRUE(CExtControlBar::BuildBarsMenu(m_pFrame, pPopup, 1, pA, 0, pA));
    ASSERT_EQ(pPopup->GetItemCount(), 1);
    EXPECT_EQ(pPopup->GetItemCmdID(0), 0xE889u);
    pB->m_nStateFlags &= ~CControlBar::tempHide;
    delete pPopup;

    ExtControlBarVector_t arr;
    CExtControlBar::FindFrameBars(pA, m_pFrame, arr, 0xFFF);
    EXPECT_EQ(arr.GetSize(), 2);
    CExtControlBar::FindFrameBars(NULL, m_pFrame, arr, 0x7 | 0x100 | 0x400 | 0x20);
    ASSERT_EQ(arr.GetSize(), 1);
    EXPECT_EQ(arr[0], (CExtControlBar*)pA);
    CExtControlBar::FindFrameBars(NULL, m_pFrame, arr, 0x7);   // no visibility bits
    EXPECT_EQ(arr.GetSize(), 0);
}

TEST_F(UiBarsTest, StatusTextAndTheContextMenuPoint)
{
    m_pFrame->m_nMessageStrings = 0;
    CExtControlBar::ShowCommandStatusText(&m_pFrame->m_wndPane, AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(m_pFrame->m_nMessageStrings, 1);
    EXPECT_EQ(m_pFrame->m_nLastMessageString, (WPARAM)AFX_IDS_IDLEMESSAGE);
    CExtControlBar::ShowCommandStatusText(NULL, 0xE001);
    EXPECT_EQ(m_pFrame->m_nMessageStrings, 1);
    // through the popup menus' link
    CExtPopupMenuWnd::g_BarLinks.m_pfnShowCommandStatusText(m_pFrame, 0xE123);
    EXPECT_EQ(m_pFrame->m_nLastMessageString, (WPARAM)0xE123);

    // a point left of the primary monitor is a real point; only (-1, -1) asks the cursor
    CExtControlBar::POPUP_MENU_EVENT_DATA left(1, NULL, NULL, CPoint(-500, 20), 0, NULL);
    EXPECT_EQ(left.m_ptScreen, CPoint(-500, 20));
    CExtControlBar::POPUP_MENU_EVENT_DATA above(1, NULL, NULL, CPoint(30, -1), 0, NULL);
    EXPECT_EQ(above.m_ptScreen, CPoint(30, -1));
    ::SetCursorPos(77, 88);
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CExtControlBar::POPUP_MENU_EVENT_DATA keyboard(1, NULL, NULL, CPoint(-1, -1), 0, NULL);
    EXPECT_EQ(keyboard.m_ptScreen, ptCursor);
    EXPECT_TRUE(keyboard.IsBarListEvent());
    CExtControlBar::POPUP_MENU_EVENT_DATA options(10, NULL, NULL, CPoint(0, 0), 0, NULL);
    EXPECT_FALSE(options.IsBarListEvent());
}

TEST_F(UiBarsTest, PaintManagerAsksTheBarForItsOrientation)
{
    CTestResizableBar* pBar = NewBar(0xE88C, "Orientation");
    ASSERT_TRUE(pBar->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_TRUE(CExtPaintManager::g_BarLinks.m_pfnIsDockedVertically(pBar));
    ASSERT_TRUE(pBar->DockToFrameSide(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_FALSE(CExtPaintManager::g_BarLinks.m_pfnIsDockedVertically(pBar));
}

TEST_F(UiBarsTest, BarInAPlainWindowHasNoCaptionAndNoContextMenu)
{
    CWnd* pHost = new CWnd;
    LPCTSTR lpszClass = AfxRegisterWndClass(0);
    ASSERT_TRUE(pHost->CreateEx(0, lpszClass, "host", WS_POPUP | WS_VISIBLE,
                                CRect(50, 50, 350, 250), NULL, 0));
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | CBRS_GRIPPER,
                                  0, 0, 100, 80, pHost->m_hWnd, (HMENU)1234,
                                  ::GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(hWnd != NULL);
    CExtControlBar* pBar = new CExtControlBar;
    ASSERT_TRUE(pBar->SubclassWindow(hWnd));
    EXPECT_TRUE(pBar->m_bInPlainWindow);
    EXPECT_TRUE(pBar->IsBarShown());
    pBar->ShowWindow(SW_HIDE);
    EXPECT_FALSE(pBar->IsBarShown());
    EXPECT_TRUE(pBar->m_rcCaption.IsRectEmpty());
    pBar->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    pBar->UnsubclassWindow();
    delete pBar;
    pHost->DestroyWindow();
    delete pHost;
}

TEST_F(UiBarsTest, RightClickOffersTheBarsMenu)
{
    CTestResizableBar* pA = NewBar(0xE8F0, "Alpha panel");
    CTestResizableBar* pB = NewBar(0xE8F1, "Beta panel");
    ASSERT_TRUE(pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    m_pFrame->RecalcLayout();
    pA->SendMessage(WM_CONTEXTMENU, (WPARAM)pA->m_hWnd, MAKELPARAM(200, 200));
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    CExtPopupMenuWnd::CancelTracking();
    PumpPendingMessages();
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

TEST_F(UiBarsTest, CaptionFromTheCommandOfTheBarId)
{
    ASSERT_TRUE(g_CmdManagerHolder->EnsureProfile("uibars-caption", m_pFrame->m_hWnd));
    CExtCmdItem item(0xE7E0);
    item.m_strMenuText = "&Properties\nof the element";
    ASSERT_TRUE(g_CmdManagerHolder->SetCommand("uibars-caption", &item));
    CExtControlBar* pBar = new CExtControlBar;
    ASSERT_TRUE(pBar->Create(NULL, m_pFrame, 0xE7E0));
    CString strText;
    pBar->GetWindowText(strText);
    EXPECT_STREQ(strText, "Properties");
    pBar->DestroyWindow();
    delete pBar;
}

TEST_F(UiBarsTest, CursorOverTheCaptionAndOverItsButton)
{
    CTestResizableBar* pBar = NewBar(0xE8FA, "Cursor");
    ASSERT_TRUE(pBar->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    m_pFrame->RecalcLayout();
    CRect rcClientInWnd = ClientInWindow(pBar);
    CExtBarNcAreaButton* pClose = pBar->m_arrNcButtons[0];
    // over the caption text: the four-way cursor
    CPoint ptText(pBar->m_rcCaption.left + 5, pBar->m_rcCaption.CenterPoint().y);
    CPoint ptClient = ptText - rcClientInWnd.TopLeft();
    pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x, ptClient.y));
    EXPECT_EQ(::GetCursor(), CExtControlBar::g_hCursorSizeAll);
    // over the button: the arrow
    ptClient = pClose->m_rc.CenterPoint() - rcClientInWnd.TopLeft();
    pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x, ptClient.y));
    EXPECT_EQ(::GetCursor(), CExtControlBar::g_hCursorArrow);
}

TEST_F(UiBarsTest, HoverEndsWhenAResizeStarts)
{
    CTestResizableBar* pBar = NewBar(0xE8FB, "Hover");
    ASSERT_TRUE(pBar->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    m_pFrame->RecalcLayout();
    CExtBarNcAreaButton* pClose = pBar->m_arrNcButtons[0];
    pClose->m_bHover = true;
    pBar->PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    CRect rcWnd = WindowRect(pBar);
    CPoint pt = rcWnd.TopLeft() + pBar->m_rcRowResizer.CenterPoint();
    pBar->SendMessage(WM_NCLBUTTONDOWN, HTBOTTOM, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(pClose->m_bHover);
    EXPECT_FALSE(pClose->m_bPushed);
    PumpPendingMessages();
}

TEST_F(UiBarsTest, MenuButtonTipFallsBackToOptionsAndFixedBarsShowNoClose)
{
    class CFixedGripBar : public CExtControlBar
    {
    public:
        CFixedGripBar() { m_bFixedSize = true; }
        CSize CalcDynamicLayout(int, DWORD) override { return CSize(120, 28); }
        CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(120, 28); }
    };
    CFixedGripBar* pBar = new CFixedGripBar;
    ASSERT_TRUE(pBar->Create("Tools", m_pFrame, 0xE8FC,
                             WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(pBar->m_pDockBar, (CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
    ASSERT_EQ(pBar->m_arrNcButtons.GetSize(), 3);
    for (INT_PTR i = 0; i < 3; i++)
        EXPECT_FALSE(pBar->m_arrNcButtons[i]->IsDisplayed()) << i;
    CExtBarNcAreaButtonMenu btn(pBar);
    TOOLINFO ti;
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(btn.OnToolHitTest(CPoint(0, 0), &ti), (INT_PTR)0xE8FC);
    EXPECT_STREQ(ti.lpszText, "Options");
    free(ti.lpszText);
    EXPECT_EQ(btn.OnToolHitTest(CPoint(0, 0), NULL), -1);
    pBar->DestroyWindow();
    delete pBar;
}
