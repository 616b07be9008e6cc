// The toolbar and its buttons: docked layouts on every side, shared rows, the chevron and
// its popup, the floating layout, hover, press and click, idle updates, tool tips and
// drop-downs whose popup could not open.
#include "tools_support.h"
#include "afxpriv.h"

#include <cstdlib>

namespace
{

const std::vector<UINT> s_fiveIds = { ID_TOOLS_NEW, ID_TOOLS_OPEN, 0, ID_TOOLS_SAVE, ID_TOOLS_CUT };

void SetOneRow(CDockBar* pDock, std::initializer_list<CControlBar*> bars)
{
    pDock->m_arrBars.RemoveAll();
    pDock->m_arrBars.Add(NULL);
    for (CControlBar* p : bars)
        pDock->m_arrBars.Add(p);
    pDock->m_arrBars.Add(NULL);
}

// Button rectangles follow each other along the row without gaps.
void ExpectButtonsInOneLine(CExtToolControlBar* pBar, bool bHorz)
{
    CRect rcPrev(0, 0, 0, 0);
    for (int i = 0; i < pBar->GetButtonCount(); i++)
    {
        CExtBarButton* pTBB = pBar->GetButton(i);
        if (pTBB == pBar->GetChevron() || !pTBB->IsVisible())
            continue;
        CRect rc;
        pBar->GetButtonRect(i, &rc);
        EXPECT_EQ(bHorz ? rc.Width() : rc.Height(), pTBB->IsSeparator() ? 6 : 24) << i;
        if (!rcPrev.IsRectEmpty())
        {
            if (bHorz)
                EXPECT_EQ(rc.left, rcPrev.right) << i;
            else
                EXPECT_EQ(rc.top, rcPrev.bottom) << i;
        }
        rcPrev = rc;
    }
}

} // namespace

TEST_F(ToolsTest, DockedLayoutOnEachSideOfTheFrame)
{
    CFixedToolBar* pBar = NewToolBar(0xE900, s_fiveIds, AFX_IDW_DOCKBAR_TOP);
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    const UINT sides[4] = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_BOTTOM,
                            AFX_IDW_DOCKBAR_RIGHT };
    for (UINT nSide : sides)
    {
        SCOPED_TRACE(nSide);
        CDockBar* pDock = (CDockBar*)m_pFrame->GetControlBar(nSide);
        ASSERT_TRUE(pDock != NULL);
        pDock->DockControlBar(pBar);
        m_pFrame->RecalcLayout();
        ASSERT_EQ(pBar->m_pDockBar, pDock);
        bool bHorz = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM;
        EXPECT_EQ(pBar->IsHorizontalLayout(), bHorz);
        EXPECT_EQ(pBar->GetLayoutState(), bHorz ? 0 : 1);
        ExpectButtonsInOneLine(pBar, bHorz);
        // four buttons, a separator, the borders and the chevron (the gripper is non-client)
        CRect rcBar = m_pFrame->ChildRect(pBar);
        CRect rcInside;
        pBar->GetClientRect(&rcInside);
        EXPECT_EQ(bHorz ? rcInside.Width() : rcInside.Height(), (bHorz ? 4 * 24 + 6 + 2 + 3 : 4 * 24 + 6 + 6 + 2) + 11)
            << rcInside.Width() << "x" << rcInside.Height();
        EXPECT_EQ(bHorz ? rcInside.Height() : rcInside.Width(), bHorz ? 22 : 25);
        // the bar sits on its side of the frame
        switch (nSide)
        {
        case AFX_IDW_DOCKBAR_TOP: EXPECT_EQ(rcBar.top, rcClient.top); break;
        case AFX_IDW_DOCKBAR_LEFT: EXPECT_EQ(rcBar.left, rcClient.left); break;
        case AFX_IDW_DOCKBAR_BOTTOM: EXPECT_EQ(rcBar.bottom, rcClient.bottom); break;
        default: EXPECT_EQ(rcBar.right, rcClient.right); break;
        }
        // nothing hidden: the chevron lists nothing but stays enabled for the panels menu
        ASSERT_TRUE(pBar->GetChevron() != NULL);
        EXPECT_EQ(pBar->GetChevron()->m_arrHiddenButtons.GetSize(), 0);
        EXPECT_FALSE(pBar->GetChevron()->IsDisabled());
        // the chevron is the far end of the row
        CRect rcChevron, rcLast;
        pBar->GetButtonRect(pBar->GetButtonCount() - 1, &rcChevron);
        pBar->GetButtonRect(4, &rcLast);
        if (bHorz)
            EXPECT_GE(rcChevron.left, rcLast.right);
        else
            EXPECT_GE(rcChevron.top, rcLast.bottom);
    }
}

TEST_F(ToolsTest, TwoToolbarsShareARow)
{
    CFixedToolBar* pBar1 = NewToolBar(0xE901, s_fiveIds, AFX_IDW_DOCKBAR_TOP);
    CFixedToolBar* pBar2 = NewToolBar(0xE902, { ID_TOOLS_BOLD, ID_TOOLS_ITALIC }, AFX_IDW_DOCKBAR_TOP);
    CDockBar* pDock = pBar1->m_pDockBar;
    ASSERT_EQ(pBar2->m_pDockBar, pDock);
    SetOneRow(pDock, { pBar1, pBar2 });
    m_pFrame->RecalcLayout();
    CRect rc1 = m_pFrame->ChildRect(pBar1), rc2 = m_pFrame->ChildRect(pBar2);
    EXPECT_EQ(rc1.top, rc2.top);
    EXPECT_EQ(rc2.left, rc1.right);
    EXPECT_EQ(rc1.Height(), rc2.Height());
    // neither bar takes the whole row
    EXPECT_FALSE(pBar1->IsFullRowBar());
    CRect rcPane = m_pFrame->ChildRect(&m_pFrame->m_wndPane);
    EXPECT_GE(rcPane.top, rc1.bottom);
    EXPECT_LE(rcPane.top, rc1.bottom + 4);
}

TEST_F(ToolsTest, ARowTooShortHidesButtonsBehindTheChevron)
{
    m_pFrame->SetWindowPos(NULL, 0, 0, 250, 400, SWP_NOMOVE | SWP_NOZORDER);
    std::vector<UINT> ids = { ID_TOOLS_NEW, ID_TOOLS_OPEN, ID_TOOLS_SAVE, 0, ID_TOOLS_CUT,
                              ID_TOOLS_COPY, ID_TOOLS_PASTE, ID_TOOLS_BOLD, ID_TOOLS_ZOOM,
                              ID_TOOLS_ITALIC, 0, ID_TOOLS_GRID, ID_TOOLS_ALIGN };
    CFixedToolBar* pBar = NewToolBar(0xE903, ids, AFX_IDW_DOCKBAR_TOP);
    CRect rcClient, rcBar;
    m_pFrame->GetClientRect(&rcClient);
    rcBar = m_pFrame->ChildRect(pBar);
    EXPECT_LE(rcBar.Width(), rcClient.Width());
    CExtBarContentExpandButton* pChevron = pBar->GetChevron();
    ASSERT_TRUE(pChevron != NULL);
    EXPECT_TRUE(pChevron->IsVisible());
    EXPECT_FALSE(pChevron->IsDisabled());
    CRect rcInside;
    pBar->GetClientRect(&rcInside);
    // every shown button lies before the chevron
    CRect rcChevron;
    pBar->GetButtonRect(pBar->GetButtonCount() - 1, &rcChevron);
    int nShown = 0;
    for (int i = 0; i < pBar->GetButtonCount() - 1; i++)
    {
        CExtBarButton* pTBB = pBar->GetButton(i);
        if (!pTBB->IsVisible())
            continue;
        CRect rc;
        pBar->GetButtonRect(i, &rc);
        EXPECT_LE(rc.right, rcChevron.left) << i;
        nShown++;
    }
    EXPECT_GT(nShown, 3);
    // the long zoom button did not fit but the shorter italic button after it did
    int nZoom = 8, nItalic = 9;
    ASSERT_EQ(pBar->GetButtonID(nZoom), (UINT)ID_TOOLS_ZOOM);
    const CArray<CExtBarButton*, CExtBarButton*>& hidden = pChevron->m_arrHiddenButtons;
    ASSERT_GT(hidden.GetSize(), 0);
    bool bZoomListed = false;
    for (INT_PTR i = 0; i < hidden.GetSize(); i++)
        bZoomListed = bZoomListed || hidden[i] == pBar->GetButton(nZoom);
    EXPECT_TRUE(bZoomListed);
    EXPECT_FALSE(pBar->GetButton(nZoom)->IsVisible());
    EXPECT_TRUE(pBar->GetButton(nItalic)->IsVisible());
    // the list keeps bar order; a separator only between separated buttons, never first
    int nLastIndex = -1;
    for (INT_PTR i = 0; i < hidden.GetSize(); i++)
    {
        int n = pBar->GetButtonIndex(hidden[i]);
        EXPECT_GT(n, nLastIndex);
        nLastIndex = n;
    }
    EXPECT_FALSE(hidden[0]->IsSeparator());
    EXPECT_FALSE(hidden[hidden.GetSize() - 1]->IsSeparator());

    // the chevron's popup: the hidden buttons, a separator and "Show/hide panels"
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->InitAsEmptyPopup(m_pFrame->m_hWnd));
    ASSERT_TRUE(pChevron->FillChevronPopup(pPopup));
    int nItems = pPopup->GetItemCount();
    ASSERT_GE(nItems, 3);
    EXPECT_GE(pPopup->FindItemByCmdID(ID_TOOLS_ZOOM), 0);
    EXPECT_EQ(pPopup->GetItemCmdID(nItems - 2), 0u);
    EXPECT_EQ(pPopup->GetItemText(nItems - 1), CString("&Show/hide panels"));
    CExtPopupMenuWnd* pPanels = pPopup->GetItemPopup(nItems - 1);
    ASSERT_TRUE(pPanels != NULL);
    EXPECT_GT(pPanels->GetItemCount(), 0);
    delete pPopup;

    // clicking the chevron opens it as a tracked popup; a second click on it does nothing
    Mouse(pBar, WM_LBUTTONDOWN, rcChevron.CenterPoint());
    EXPECT_TRUE(CExtToolControlBar::g_bMenuTracking);
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(pBar->GetTrackingIndex(), pBar->GetButtonCount() - 1);
    CExtPopupMenuWnd* pRoot = g_TrackingSite.m_pWndRoot;
    ASSERT_TRUE(pRoot != NULL);
    EXPECT_GE(pRoot->FindItemByCmdID(ID_TOOLS_ZOOM), 0);
    EXPECT_EQ(pChevron->TrackButtonPopup(rcChevron.CenterPoint(), FALSE, TRUE), -1);
    EXPECT_EQ(g_TrackingSite.m_pWndRoot, pRoot);
    CExtToolControlBar::EndAllButtonTracking();
    PumpPendingMessages();
    EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);
    EXPECT_EQ(pBar->GetTrackingIndex(), -1);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());

    // a wide frame shows everything again
    m_pFrame->SetWindowPos(NULL, 0, 0, 900, 400, SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(pChevron->m_arrHiddenButtons.GetSize(), 0);
    EXPECT_TRUE(pBar->GetButton(nZoom)->IsVisible());
}

TEST_F(ToolsTest, ChevronWithoutHiddenButtonsOrPanelsNeitherOpensNorLooksPushed)
{
    CFixedToolBar* pBar = NewToolBar(0xE904, s_fiveIds, AFX_IDW_DOCKBAR_TOP);
    pBar->m_bPanelsMenuInChevron = false;
    m_pFrame->RecalcLayout();
    pBar->RecalcButtonLayout();
    CExtBarContentExpandButton* pChevron = pBar->GetChevron();
    EXPECT_TRUE(pChevron->IsDisabled());
    EXPECT_EQ(pChevron->TrackButtonPopup(CPoint(1, 1), FALSE, TRUE), -1);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);
}

TEST_F(ToolsTest, FloatingBarWrapsAtTheNarrowestWidthThatKeepsTheLineCount)
{
    std::vector<UINT> ids = { ID_TOOLS_NEW, ID_TOOLS_OPEN, ID_TOOLS_SAVE, ID_TOOLS_CUT,
                              ID_TOOLS_COPY, ID_TOOLS_PASTE };
    CFixedToolBar* pBar = NewToolBar(0xE905, ids, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->FloatControlBar(pBar, CPoint(200, 200));
    PumpPendingMessages();
    ASSERT_TRUE(pBar->IsFloating());
    EXPECT_EQ(pBar->GetLayoutState(), 2);
    // floating first as one line
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    EXPECT_GE(rcClient.Width(), 6 * 24);
    // 100 pixels give two lines; 72 is the narrowest width with two lines (3 + 3)
    CSize size = pBar->CalcDynamicLayout(100, LM_HORZ | LM_COMMIT);
    EXPECT_TRUE(pBar->GetButton(2)->IsWrap(2));
    for (int i : { 0, 1, 3, 4 })
        EXPECT_FALSE(pBar->GetButton(i)->IsWrap(2)) << i;
    // two lines with the row spacing between them, the top and bottom borders and the pixel
    // by which the lines of a floating bar start lower
    EXPECT_EQ(size.cy, 2 * 22 + 6 + 1 + 1 + 1);
    EXPECT_EQ(size.cx, 3 * 24 + 2 + 3 + 1);
    EXPECT_EQ(pBar->m_nMRUWidth, (UINT)size.cx);
    pBar->SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->RecalcButtonLayout();
    CRect rc0, rc3, rc5;
    pBar->GetButtonRect(0, &rc0);
    pBar->GetButtonRect(3, &rc3);
    pBar->GetButtonRect(5, &rc5);
    EXPECT_EQ(rc3.left, rc0.left);
    EXPECT_EQ(rc3.top, rc0.bottom + 6);
    EXPECT_EQ(rc5.left, rc0.left + 2 * 24);
    // the chevron is not shown while floating
    EXPECT_FALSE(pBar->GetChevron()->IsVisible());
    // by height: 3 lines fit into 81 pixels (2 per line)
    size = pBar->CalcDynamicLayout(81, LM_HORZ | LM_LENGTHY);
    EXPECT_EQ(size.cy, 3 * 22 + 2 * 6 + 3);
    EXPECT_TRUE(pBar->GetButton(1)->IsWrap(2));
    EXPECT_TRUE(pBar->GetButton(3)->IsWrap(2));
}

TEST_F(ToolsTest, HoverPressAndClickDeliverTheCommand)
{
    CFixedToolBar* pBar = NewToolBar(0xE906, s_fiveIds, AFX_IDW_DOCKBAR_TOP);
    PumpPendingMessages();
    CPoint ptOpen = Centre(pBar, 1);
    m_pFrame->m_messageStrings.clear();
    Mouse(pBar, WM_MOUSEMOVE, ptOpen);
    EXPECT_EQ(pBar->GetHoverIndex(), 1);
    EXPECT_TRUE(pBar->GetButton(1)->IsHover());
    EXPECT_EQ(::GetCapture(), pBar->m_hWnd);
    // the status bar is asked for the command's prompt
    ASSERT_FALSE(m_pFrame->m_messageStrings.empty());
    EXPECT_EQ(m_pFrame->m_messageStrings.back(), (WPARAM)ID_TOOLS_OPEN);
    // moving to the next button moves the hover
    Mouse(pBar, WM_MOUSEMOVE, Centre(pBar, 3));
    EXPECT_EQ(pBar->GetHoverIndex(), 3);
    EXPECT_FALSE(pBar->GetButton(1)->IsHover());

    Mouse(pBar, WM_LBUTTONDOWN, ptOpen);
    EXPECT_EQ(pBar->GetPressedIndex(), 1);
    EXPECT_TRUE(pBar->GetButton(1)->GetStyle() & CExtBarButton::BS_PRESSED);
    EXPECT_EQ(::GetCapture(), pBar->m_hWnd);
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    Mouse(pBar, WM_LBUTTONUP, ptOpen);
    ASSERT_EQ(m_pFrame->m_commands.size(), 1u);
    EXPECT_EQ(m_pFrame->m_commands[0], (UINT)ID_TOOLS_OPEN);
    EXPECT_FALSE(pBar->GetButton(1)->GetStyle() & CExtBarButton::BS_PRESSED);
    EXPECT_EQ(pBar->GetPressedIndex(), -1);

    // a press that leaves the button before the release delivers nothing
    Mouse(pBar, WM_LBUTTONDOWN, ptOpen);
    Mouse(pBar, WM_MOUSEMOVE, Centre(pBar, 4));
    EXPECT_FALSE(pBar->GetButton(1)->GetStyle() & CExtBarButton::BS_PRESSED);
    Mouse(pBar, WM_LBUTTONUP, Centre(pBar, 4));
    EXPECT_EQ(m_pFrame->m_commands.size(), 1u);
    // a separator is never hit
    CRect rcSep;
    pBar->GetButtonRect(2, &rcSep);
    EXPECT_EQ(pBar->HitTestButton(rcSep.CenterPoint()), -1);
}

TEST_F(ToolsTest, IdleUpdatesCheckAndDisableButtons)
{
    CFixedToolBar* pBar = NewToolBar(0xE907, { ID_TOOLS_BOLD, ID_TOOLS_CUT, ID_TOOLS_COPY },
                                     AFX_IDW_DOCKBAR_TOP);
    m_pFrame->m_bBoldChecked = true;
    m_pFrame->m_bCutEnabled = false;
    pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    UINT nBold = pBar->GetButtonStyle(0);
    EXPECT_TRUE(nBold & CExtBarButton::BS_CHECKSTYLE);
    EXPECT_TRUE(nBold & CExtBarButton::BS_CHECKED);
    EXPECT_TRUE(pBar->GetButton(1)->IsDisabled());
    EXPECT_FALSE(pBar->GetButton(2)->IsDisabled());
    // the command items follow
    CExtCmdItem* pCut = g_CmdManagerHolder->FindCommand("tools", ID_TOOLS_CUT);
    ASSERT_TRUE(pCut != NULL);
    EXPECT_FALSE(pCut->IsEnabled());
    // a disabled button delivers nothing
    CPoint pt = Centre(pBar, 1);
    Mouse(pBar, WM_LBUTTONDOWN, pt);
    Mouse(pBar, WM_LBUTTONUP, pt);
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    // the next update reverses both
    m_pFrame->m_bBoldChecked = false;
    m_pFrame->m_bCutEnabled = true;
    pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(pBar->GetButtonStyle(0) & CExtBarButton::BS_CHECKED);
    EXPECT_FALSE(pBar->GetButton(1)->IsDisabled());
    EXPECT_TRUE(pCut->IsEnabled());
    Mouse(pBar, WM_LBUTTONDOWN, pt);
    Mouse(pBar, WM_LBUTTONUP, pt);
    ASSERT_EQ(m_pFrame->m_commands.size(), 1u);
    EXPECT_EQ(m_pFrame->m_commands[0], (UINT)ID_TOOLS_CUT);
}

TEST_F(ToolsTest, ToolTipsComeFromTheCommandAndAreFreedByTheLibrary)
{
    CFixedToolBar* pBar = NewToolBar(0xE908, { ID_TOOLS_NEW, ID_TOOLS_COPY, ID_TOOLS_OPEN },
                                     AFX_IDW_DOCKBAR_TOP);
    TOOLINFO ti;
    ::ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(pBar->OnToolHitTest(Centre(pBar, 0), &ti), (INT_PTR)ID_TOOLS_NEW);
    ASSERT_TRUE(ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK);
    EXPECT_STREQ(ti.lpszText, "New publication");
    EXPECT_EQ(ti.hwnd, pBar->m_hWnd);
    CRect rc0;
    pBar->GetButtonRect(0, &rc0);
    EXPECT_EQ(CRect(ti.rect), rc0);
    free(ti.lpszText);  // the way the class library releases it

    CExtToolControlBar::g_bAccelTextInTooltips = TRUE;
    ::ZeroMemory(&ti, sizeof(ti));
    EXPECT_EQ(pBar->OnToolHitTest(Centre(pBar, 0), &ti), (INT_PTR)ID_TOOLS_NEW);
    EXPECT_STREQ(ti.lpszText, "New publication (Ctrl+N)");
    free(ti.lpszText);
    // a command without tip text shows none, even with accelerator text
    ::ZeroMemory(&ti, sizeof(ti));
    CExtBarButton* pCopy = pBar->GetButton(1);
    EXPECT_EQ(pCopy->OnToolHitTest(Centre(pBar, 1), &ti), -1);
    CExtToolControlBar::g_bAccelTextInTooltips = FALSE;
    // tips off: nothing from the bar
    CExtToolControlBar::g_bButtonTooltips = FALSE;
    EXPECT_EQ(pBar->GetButton(0)->OnToolHitTest(Centre(pBar, 0), NULL), -1);
    CExtToolControlBar::g_bButtonTooltips = TRUE;
    // the chevron's tip
    ::ZeroMemory(&ti, sizeof(ti));
    CExtBarContentExpandButton* pChevron = pBar->GetChevron();
    EXPECT_EQ(pChevron->OnToolHitTest(CPoint(0, 0), &ti), (INT_PTR)AFX_IDS_IDLEMESSAGE);
    EXPECT_STREQ(ti.lpszText, "Where are buttons?");
    free(ti.lpszText);
}

TEST_F(ToolsTest, DropDownWhosePopupIsRefusedIsDeletedByTheButtonAndTrackingEnds)
{
    CFixedToolBar* pBar = NewToolBar(0xE909, { ID_TOOLS_NEW, ID_TOOLS_ALIGN }, AFX_IDW_DOCKBAR_TOP);
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, ID_TOOLS_BOLD, "&Bold");
    ::AppendMenuA(hMenu, MF_STRING, ID_TOOLS_ITALIC, "&Italic");
    ASSERT_TRUE(pBar->SetButtonMenu(1, hMenu, FALSE, TRUE, TRUE));
    EXPECT_TRUE(pBar->GetButton(1)->IsDropDown());
    m_pFrame->m_bCancelMenus = true;
    CPoint pt = Centre(pBar, 1);
    Mouse(pBar, WM_LBUTTONDOWN, pt);
    EXPECT_EQ(m_pFrame->m_nPrepareMenus, 1);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);
    EXPECT_EQ(pBar->GetTrackingIndex(), -1);
    Mouse(pBar, WM_LBUTTONUP, pt);
    PumpPendingMessages();
    // the same drop-down opens once it is allowed, and a second click leaves it open
    m_pFrame->m_bCancelMenus = false;
    Mouse(pBar, WM_LBUTTONDOWN, pt);
    EXPECT_EQ(m_pFrame->m_nPrepareMenus, 2);
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_TRUE(CExtToolControlBar::g_bMenuTracking);
    EXPECT_EQ(pBar->GetTrackingIndex(), 1);
    EXPECT_TRUE(pBar->GetButton(1)->GetStyle() & CExtBarButton::BS_PRESSED);
    ASSERT_TRUE(g_TrackingSite.m_pWndRoot != NULL);
    EXPECT_EQ(g_TrackingSite.m_pWndRoot->GetItemCount(), 2);
    CExtToolControlBar::EndAllButtonTracking();
    PumpPendingMessages();
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    // a disabled drop-down opens from nothing but its arrow; this one has no separate arrow
    pBar->GetButton(1)->ModifyStyle(CExtBarButton::BS_DISABLED);
    EXPECT_EQ(pBar->TrackButtonMenu(1, FALSE, FALSE, TRUE), FALSE);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

TEST_F(ToolsTest, ToggledToFloatingAndBackTheBarChangesItsLayout)
{
    CFixedToolBar* pBar = NewToolBar(0xE90A, s_fiveIds, AFX_IDW_DOCKBAR_TOP);
    ASSERT_EQ(pBar->GetLayoutState(), 0);
    pBar->ToggleDockedFloating();
    PumpPendingMessages();
    m_pFrame->RecalcLayout();
    ASSERT_TRUE(pBar->IsFloating());
    EXPECT_EQ(pBar->GetLayoutState(), 2);
    EXPECT_FALSE(pBar->GetChevron()->IsVisible());
    // one line while floating: the buttons share their top
    CRect rc0, rc4;
    pBar->GetButtonRect(0, &rc0);
    pBar->GetButtonRect(4, &rc4);
    EXPECT_EQ(rc0.top, rc4.top);
    EXPECT_GT(rc4.left, rc0.left);
    pBar->ToggleDockedFloating();
    PumpPendingMessages();
    m_pFrame->RecalcLayout();
    EXPECT_FALSE(pBar->IsFloating());
    EXPECT_EQ(pBar->GetSafeDockBarDlgCtrlID(), (UINT)AFX_IDW_DOCKBAR_TOP);
    EXPECT_TRUE(pBar->GetChevron()->IsVisible());
}

namespace
{

// Pixels of the popup's client rectangle that differ from the colour at its first point.
int CountInk(CWnd* pWnd, const CRect& rc)
{
    CClientDC dc(pWnd);
    COLORREF clrBack = dc.GetPixel(rc.left, rc.top);
    int n = 0;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            if (dc.GetPixel(x, y) != clrBack)
                n++;
    return n;
}

} // namespace

TEST_F(ToolsTest, ChevronPopupShowsHiddenButtonsWithTextIconAndState)
{
    m_pFrame->SetWindowPos(NULL, 0, 0, 110, 300, SWP_NOMOVE | SWP_NOZORDER);
    CExtToolControlBar* pBar = new CExtToolControlBar;
    m_toolbars.push_back(pBar);
    ASSERT_TRUE(pBar->Create("Resource tools", m_pFrame, 0xE920,
                             WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                 CBRS_FLYBY | CBRS_SIZE_DYNAMIC));
    ASSERT_TRUE(pBar->LoadButtonsFromResource(IDR_TOOLS_TOOLBAR));
    ASSERT_TRUE(pBar->InsertButton(-1, ID_TOOLS_BOLD, FALSE));
    // commands without a menu text: one with a tool tip, one with only a status prompt
    ASSERT_TRUE(pBar->InsertButton(-1, ID_TOOLS_GRID, FALSE));
    ASSERT_TRUE(pBar->InsertButton(-1, ID_TOOLS_ALIGN, FALSE));
    CExtCmdItem* pGrid = g_CmdManagerHolder->FindCommand("tools", ID_TOOLS_GRID);
    CExtCmdItem* pAlign = g_CmdManagerHolder->FindCommand("tools", ID_TOOLS_ALIGN);
    ASSERT_TRUE(pGrid != NULL && pAlign != NULL);
    pGrid->m_strMenuText.Empty();
    pGrid->m_strTipText = "Show Grid";
    pAlign->m_strMenuText.Empty();
    pAlign->m_strTipText.Empty();
    pAlign->m_strStatusTipText = "Align Left && Right";
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    ((CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP))->DockControlBar(pBar);
    m_pFrame->m_bCutEnabled = false;
    m_pFrame->m_bBoldChecked = true;
    m_pFrame->RecalcLayout();
    pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    m_pFrame->RecalcLayout();
    PumpForMs(30);

    CExtBarContentExpandButton* pChevron = pBar->GetChevron();
    ASSERT_TRUE(pChevron != NULL);
    const int nCut = 4, nCopy = 5, nPaste = 6, nBold = 7, nGrid = 8, nAlign = 9;
    ASSERT_EQ(pBar->GetButtonID(nCut), (UINT)ID_TOOLS_CUT);
    ASSERT_EQ(pBar->GetButtonID(nBold), (UINT)ID_TOOLS_BOLD);
    ASSERT_EQ(pBar->GetButtonID(nAlign), (UINT)ID_TOOLS_ALIGN);
    for (int i : { nCut, nCopy, nPaste, nBold, nGrid, nAlign })
        ASSERT_FALSE(pBar->GetButton(i)->IsVisible()) << i;
    ASSERT_TRUE(pBar->GetButton(nCut)->IsDisabled());

    // a real click on the chevron opens its popup
    CRect rcChevron;
    pBar->GetButtonRect(pBar->GetButtonCount() - 1, &rcChevron);
    pBar->ClientToScreen(&rcChevron);
    ClickAt(rcChevron.CenterPoint());
    CExtPopupMenuWnd* pPopup = ShownRootPopup();
    ASSERT_TRUE(pPopup != NULL);

    struct
    {
        UINT nID;
        LPCTSTR sText;
        bool bIcon, bEnabled, bChecked;
    } expected[] = {
        { ID_TOOLS_CUT, "Cu&t", true, false, false },
        { ID_TOOLS_COPY, "&Copy", true, true, false },
        { ID_TOOLS_PASTE, "&Paste", true, true, false },
        { ID_TOOLS_BOLD, "&Bold", false, true, true },
        { ID_TOOLS_GRID, "Show Grid", false, true, false },
        { ID_TOOLS_ALIGN, "Align Left && Right", false, true, false },
    };
    int nPrev = -1;
    for (const auto& e : expected)
    {
        int n = pPopup->FindItemByCmdID(e.nID);
        ASSERT_GT(n, nPrev) << e.sText;
        nPrev = n;
        EXPECT_EQ(pPopup->GetItemText(n), CString(e.sText));
        EXPECT_EQ(pPopup->GetItemHIcon(n) != NULL, e.bIcon) << e.sText;
        EXPECT_EQ(pPopup->GetItemAt(n).IsEnabled(), e.bEnabled) << e.sText;
        EXPECT_EQ(pPopup->GetItemAt(n).IsChecked(), e.bChecked) << e.sText;
    }
    EXPECT_EQ(pPopup->GetItemAccelText(pPopup->FindItemByCmdID(ID_TOOLS_COPY)),
              CString("Ctrl+C"));

    // the drawn rows show an icon at the left and the text right of it
    for (const auto& e : expected)
    {
        int n = pPopup->FindItemByCmdID(e.nID);
        CRect rcItem;
        pPopup->GetItemRect(n, rcItem);
        ASSERT_GT(rcItem.Width(), 40);
        CRect rcIcon(rcItem.left + 1, rcItem.top + 1, rcItem.left + 24, rcItem.bottom - 1);
        CRect rcText(rcItem.left + 26, rcItem.top + 1, rcItem.right - 2, rcItem.bottom - 1);
        if (e.bIcon)
        {
            EXPECT_GT(CountInk(pPopup, rcIcon), 20) << e.sText;
        }
        if (e.bChecked)
        {
            EXPECT_GT(CountInk(pPopup, rcIcon), 5) << e.sText;
        }
        EXPECT_GT(CountInk(pPopup, rcText), 20) << e.sText;
    }

    // choosing an item delivers its command to the frame
    int nCopyItem = pPopup->FindItemByCmdID(ID_TOOLS_COPY);
    CRect rcCopy;
    pPopup->GetItemRect(nCopyItem, rcCopy);
    pPopup->ClientToScreen(&rcCopy);
    m_pFrame->m_commands.clear();
    ClickAt(rcCopy.CenterPoint());
    PumpForMs(60);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    ASSERT_EQ(m_pFrame->m_commands.size(), 1u);
    EXPECT_EQ(m_pFrame->m_commands[0], (UINT)ID_TOOLS_COPY);
}

namespace
{

// A right press and release at a screen point, through the input queue.
void RightClickAt(CPoint ptScreen)
{
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    SendMouseInput(MOUSEEVENTF_MOVE);
    PumpForMs(40);
    SendMouseInput(MOUSEEVENTF_RIGHTDOWN);
    PumpForMs(40);
    SendMouseInput(MOUSEEVENTF_RIGHTUP);
    PumpForMs(40);
}

// The item of the popup with the text, -1 when none.
int ItemByText(CExtPopupMenuWnd* pPopup, LPCTSTR lpszText)
{
    for (int i = 0; i < pPopup->GetItemCount(); i++)
        if (pPopup->GetItemText(i) == lpszText)
            return i;
    return -1;
}

// A resizable bar that the test deletes.
struct OwnedPanel_t
{
    CExtControlBar* m_pBar = new CExtControlBar;
    ~OwnedPanel_t()
    {
        if (m_pBar->m_hWnd != NULL)
            m_pBar->DestroyWindow();
        delete m_pBar;
    }
};

} // namespace

TEST_F(ToolsTest, BarsMenuOfAToolbarChecksVisibleBarsAndTogglesThem)
{
    CFixedToolBar* pTools = NewToolBar(AFX_IDW_TOOLBAR, s_fiveIds, AFX_IDW_DOCKBAR_TOP);
    CFixedToolBar* pOther = NewToolBar(0xE923, { ID_TOOLS_BOLD }, AFX_IDW_DOCKBAR_BOTTOM);
    OwnedPanel_t panel;
    CExtControlBar* pPanel = panel.m_pBar;
    ASSERT_TRUE(pPanel->Create("Panel", m_pFrame, 0xE924));
    pPanel->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(pPanel->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    m_pFrame->RecalcLayout();
    PumpForMs(30);

    // right-click on the toolbar, past its last button
    auto openMenu = [&]() -> CExtPopupMenuWnd*
    {
        CRect rc;
        pOther->GetWindowRect(&rc);
        RightClickAt(CPoint(rc.right - 4, rc.CenterPoint().y));
        return ShownRootPopup();
    };
    auto choose = [&](CExtPopupMenuWnd* pPopup, int nItem)
    {
        CRect rcItem;
        pPopup->GetItemRect(nItem, rcItem);
        pPopup->ClientToScreen(&rcItem);
        ClickAt(rcItem.CenterPoint());
        PumpForMs(60);
    };

    CExtPopupMenuWnd* pPopup = openMenu();
    ASSERT_TRUE(pPopup != NULL);
    int nPanel = ItemByText(pPopup, "Panel"), nTools = ItemByText(pPopup, "Tools");
    ASSERT_GE(nPanel, 0);
    ASSERT_GE(nTools, 0);
    EXPECT_TRUE(pPopup->GetItemAt(nPanel).IsChecked());
    EXPECT_TRUE(pPopup->GetItemAt(nTools).IsChecked());
    EXPECT_TRUE(pPopup->GetItemAt(nPanel).IsEnabled());
    // the check mark is drawn: the check area of the item is not blank
    {
        CRect rcItem;
        pPopup->GetItemRect(nPanel, rcItem);
        EXPECT_GT(CountInk(pPopup, CRect(rcItem.left + 1, rcItem.top + 1, rcItem.left + 24,
                                         rcItem.bottom - 1)), 5);
    }
    // a bar without a command of the frame is hidden by its item
    choose(pPopup, nPanel);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_FALSE(pPanel->GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(pTools->GetStyle() & WS_VISIBLE);

    pPopup = openMenu();
    ASSERT_TRUE(pPopup != NULL);
    nPanel = ItemByText(pPopup, "Panel");
    ASSERT_GE(nPanel, 0);
    EXPECT_FALSE(pPopup->GetItemAt(nPanel).IsChecked());
    choose(pPopup, nPanel);
    EXPECT_TRUE(pPanel->GetStyle() & WS_VISIBLE);

    // a bar whose id the frame handles goes through the frame's command
    pPopup = openMenu();
    ASSERT_TRUE(pPopup != NULL);
    nTools = ItemByText(pPopup, "Tools");
    ASSERT_GE(nTools, 0);
    choose(pPopup, nTools);
    EXPECT_FALSE(pTools->GetStyle() & WS_VISIBLE);
    pPopup = openMenu();
    ASSERT_TRUE(pPopup != NULL);
    nTools = ItemByText(pPopup, "Tools");
    ASSERT_GE(nTools, 0);
    EXPECT_FALSE(pPopup->GetItemAt(nTools).IsChecked());
    choose(pPopup, nTools);
    EXPECT_TRUE(pTools->GetStyle() & WS_VISIBLE);
}

TEST_F(ToolsTest, AnEarlierLongerButtonMakesRoomForAShorterOneThatOverflows)
{
    // 24, 60, 24, 40 pixels long
    std::vector<UINT> ids = { ID_TOOLS_NEW, ID_TOOLS_ZOOM, ID_TOOLS_OPEN, ID_TOOLS_CUT };
    CFixedToolBar* pBar = new CFixedToolBar;
    m_toolbars.push_back(pBar);
    pBar->m_lengths[ID_TOOLS_ZOOM] = 60;
    pBar->m_lengths[ID_TOOLS_CUT] = 40;
    ASSERT_TRUE(pBar->Create("Tools", m_pFrame, 0xE925,
                             WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC));
    ASSERT_TRUE(pBar->SetButtons(ids.data(), (int)ids.size()));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    ((CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP))->DockControlBar(pBar);
    const int nZoom = 1, nOpen = 2, nCut = 3;
    // narrow the frame a pixel at a time until the row first runs out of room
    int nWidth = 400;
    for (; nWidth > 60; nWidth--)
    {
        m_pFrame->SetWindowPos(NULL, 0, 0, nWidth, 300, SWP_NOMOVE | SWP_NOZORDER);
        m_pFrame->RecalcLayout();
        if (pBar->GetChevron()->m_arrHiddenButtons.GetSize() > 0)
            break;
    }
    ASSERT_GT(nWidth, 60);
    // the last button overflowed by less than the long one: the long one goes instead
    const CArray<CExtBarButton*, CExtBarButton*>& hidden = pBar->GetChevron()->m_arrHiddenButtons;
    ASSERT_EQ(hidden.GetSize(), 1);
    EXPECT_EQ(hidden[0], pBar->GetButton(nZoom));
    EXPECT_FALSE(pBar->GetButton(nZoom)->IsVisible());
    ASSERT_TRUE(pBar->GetButton(nCut)->IsVisible());
    CRect rcNew, rcOpen, rcCut, rcChevron;
    pBar->GetButtonRect(0, &rcNew);
    pBar->GetButtonRect(nOpen, &rcOpen);
    pBar->GetButtonRect(nCut, &rcCut);
    pBar->GetButtonRect(pBar->GetButtonCount() - 1, &rcChevron);
    // the later buttons moved back by its length and end before the chevron
    EXPECT_EQ(rcOpen.left, rcNew.right);
    EXPECT_EQ(rcCut.left, rcOpen.right);
    EXPECT_EQ(rcCut.Width(), 40);
    EXPECT_LE(rcCut.right, rcChevron.left);
    // narrower still: a row that cannot hold the short one either hides it
    for (; nWidth > 60; nWidth--)
    {
        m_pFrame->SetWindowPos(NULL, 0, 0, nWidth, 300, SWP_NOMOVE | SWP_NOZORDER);
        m_pFrame->RecalcLayout();
        if (!pBar->GetButton(nCut)->IsVisible())
            break;
    }
    ASSERT_GT(nWidth, 60);
    ASSERT_EQ(hidden.GetSize(), 2);
    EXPECT_EQ(hidden[0], pBar->GetButton(nZoom));
    EXPECT_EQ(hidden[1], pBar->GetButton(nCut));
    for (int i = 0; i < pBar->GetButtonCount() - 1; i++)
    {
        if (!pBar->GetButton(i)->IsVisible())
            continue;
        CRect rc;
        pBar->GetButtonRect(i, &rc);
        EXPECT_LE(rc.right, rcChevron.left) << i;
    }
}

TEST_F(ToolsTest, EveryButtonShowsWholeDockedAndFloating)
{
    const std::vector<UINT> ids = { ID_TOOLS_NEW, ID_TOOLS_OPEN, ID_TOOLS_SAVE, ID_TOOLS_CUT,
                                    ID_TOOLS_COPY, ID_TOOLS_PASTE };
    auto filledBar = [&](UINT nBarID, UINT nDockID) {
        CFixedToolBar* pBar = NewToolBar(nBarID, {}, nDockID);
        pBar->m_bFilledButtons = true;
        EXPECT_TRUE(pBar->SetButtons(ids.data(), (int)ids.size()));
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
        return pBar;
    };
    auto expectWhole = [](CFixedToolBar* pBar, const char* lpszWhere) {
        for (int i = 0; i < 6; i++)
        {
            EXPECT_TRUE(pBar->GetButton(i)->IsVisible()) << lpszWhere << " " << i;
            EXPECT_TRUE(FilledButtonShowsWhole(pBar, i)) << lpszWhere;
        }
    };
    CFixedToolBar* pTop = filledBar(0xE90C, AFX_IDW_DOCKBAR_TOP);
    ASSERT_EQ(pTop->GetLayoutState(), 0);
    expectWhole(pTop, "docked at the top");
    CFixedToolBar* pLeft = filledBar(0xE90D, AFX_IDW_DOCKBAR_LEFT);
    ASSERT_EQ(pLeft->GetLayoutState(), 1);
    expectWhole(pLeft, "docked at the left");

    m_pFrame->FloatControlBar(pTop, CPoint(200, 200));
    PumpPendingMessages();
    ASSERT_EQ(pTop->GetLayoutState(), 2);
    CFrameWnd* pMini = pTop->GetParentFrame();
    ASSERT_TRUE(pMini != NULL && pMini != (CFrameWnd*)m_pFrame);
    expectWhole(pTop, "floating in one line");
    // narrowed as the mini frame's resizing does: two lines of three
    pTop->CalcDynamicLayout(100, LM_HORZ | LM_COMMIT);
    pMini->RecalcLayout();
    PumpPendingMessages();
    CRect rc0, rc3;
    pTop->GetButtonRect(0, &rc0);
    pTop->GetButtonRect(3, &rc3);
    ASSERT_GT(rc3.top, rc0.top);
    expectWhole(pTop, "floating in two lines");
}
