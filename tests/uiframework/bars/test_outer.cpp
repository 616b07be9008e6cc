// Fixed-size bars in the outer dock bars, row breaks asked for during a layout pass,
// detaching, outer layout records, status texts through the status bar, auto-hide refusal.
#include "fixed_bar.h"
#include "uibars_support.h"
#include "uiframework/foundation/ExtCmdManager.h"

namespace
{

// A resizable bar whose minimal length is forced.
class CWideMinBar : public CTestResizableBar
{
public:
    int CalcMinWidth() override { return 300; }
};

void SetOneRow(CDockBar* pDock, std::initializer_list<CControlBar*> bars)
{
    pDock->m_arrBars.RemoveAll();
    pDock->m_arrBars.Add(NULL);
    for (CControlBar* p : bars)
        pDock->m_arrBars.Add(p);
    pDock->m_arrBars.Add(NULL);
}

} // namespace

TEST_F(UiBarsTest, FixedBarsThatDoNotFitContinueOnANewLineOfTheirRow)
{
    CTestFixedBar* arr[3];
    CExtDockOuterBar* pOuter = (CExtDockOuterBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    for (int i = 0; i < 3; i++)
    {
        arr[i] = new CTestFixedBar(CSize(300, 26));
        ASSERT_TRUE(arr[i]->Create("Fixed", m_pFrame, 0xE8C0 + i,
                                   WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
        arr[i]->EnableDocking(CBRS_ALIGN_ANY);
        pOuter->DockControlBar(arr[i]);
        EXPECT_EQ(arr[i]->m_pDockBar, (CDockBar*)pOuter);
        EXPECT_TRUE(arr[i]->IsLiveDragDocking());
    }
    SetOneRow(pOuter, { arr[0], arr[1], arr[2] });
    m_pFrame->RecalcLayout();
    // the array keeps its one row
    EXPECT_EQ(pOuter->m_arrBars.GetSize(), 5);
    CRect rc0 = m_pFrame->ChildRect(arr[0]), rc1 = m_pFrame->ChildRect(arr[1]);
    CRect rc2 = m_pFrame->ChildRect(arr[2]);
    EXPECT_EQ(rc0.right, rc1.left);
    EXPECT_EQ(rc2.left, rc0.left);
    EXPECT_EQ(rc2.top, rc0.bottom);
    CRect rcOuter = m_pFrame->ChildRect(pOuter);
    EXPECT_GE(rcOuter.Height(), 52);
    CRect rcPane = m_pFrame->ChildRect(&m_pFrame->m_wndPane);
    EXPECT_GE(rcPane.top, rc2.bottom);

    // the bar that moved last is the most recent of its row
    pOuter->RefreshOuterLayoutData(arr[1]);
    EXPECT_EQ(arr[1]->m_data.m_nRank, 1);
    EXPECT_EQ(arr[1]->m_data.m_rcRemembered.left, rc1.left - rcOuter.left);
    EXPECT_EQ(arr[1]->m_data.m_nLengthHorz, 300);
    pOuter->RefreshOuterLayoutData(arr[2]);
    EXPECT_EQ(arr[2]->m_data.m_nRank, 1);
    EXPECT_EQ(arr[1]->m_data.m_nRank, 2);
    EXPECT_EQ(arr[0]->m_data.m_nRank, 3);
    arr[0]->SyncOuterLayoutData();
    EXPECT_EQ(arr[0]->m_data.m_nRank, 1);
    EXPECT_EQ(arr[2]->m_data.m_nRank, 2);
    EXPECT_EQ(arr[1]->m_data.m_nRank, 3);
    arr[0]->ResetOuterLayoutData();
    EXPECT_FALSE(arr[0]->m_data.IsInUse());
    EXPECT_TRUE(arr[0]->m_data.m_rcRemembered.IsRectEmpty());
    ExpectAllArraysSound();
    for (CTestFixedBar* p : arr)
    {
        p->DestroyWindow();
        delete p;
    }
}

TEST_F(UiBarsTest, RowBreaksAskedForDuringTheLayoutAreAppliedAfterIt)
{
    CWideMinBar* arr[3];
    for (int i = 0; i < 3; i++)
    {
        arr[i] = new CWideMinBar;
        m_bars.push_back(arr[i]);
        ASSERT_TRUE(arr[i]->CreateTestBar(m_pFrame, 0xE8C8 + i, "Wide"));
        ASSERT_TRUE(arr[i]->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    }
    CExtDockBar* pDock = (CExtDockBar*)arr[0]->m_pDockBar;
    SetOneRow(pDock, { arr[0], arr[1], arr[2] });
    m_pFrame->RecalcLayout();
    // 3 x 300 does not fit into the frame's width: the third bar got a row of its own
    int nRow0 = ExtBarLayout::FindEntry(pDock->m_arrBars, arr[0]);
    int nRow2 = ExtBarLayout::FindEntry(pDock->m_arrBars, arr[2]);
    ASSERT_GT(nRow2, 0);
    int nFirst = 0, nLast = 0;
    ASSERT_TRUE(ExtBarLayout::GetRowBounds(pDock->m_arrBars, nRow0, nFirst, nLast));
    EXPECT_LT(nLast, nRow2);
    EXPECT_EQ(pDock->m_arrPendingBreaks.GetSize(), 0);
    PumpPendingMessages();
    m_pFrame->RecalcLayout();
    CRect rc0 = m_pFrame->ChildRect(arr[0]), rc1 = m_pFrame->ChildRect(arr[1]);
    CRect rc2 = m_pFrame->ChildRect(arr[2]);
    CRect rcHit;
    EXPECT_FALSE(rcHit.IntersectRect(rc0, rc1));
    EXPECT_FALSE(rcHit.IntersectRect(rc0, rc2));
    EXPECT_FALSE(rcHit.IntersectRect(rc1, rc2));
    EXPECT_GE(rc2.top, rc0.bottom);
    EXPECT_GE(rc0.Width(), 300);
    ExpectAllArraysSound();
}

TEST_F(UiBarsTest, DestroyingADockBarDetachesEveryBar)
{
    CTestResizableBar* pA = NewBar(0xE8D0, "A");
    CTestResizableBar* pB = NewBar(0xE8D1, "B");
    ASSERT_TRUE(pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    CExtDockBar* pDock = (CExtDockBar*)pA->m_pDockBar;
    ASSERT_EQ(pDock, (CExtDockBar*)pB->m_pDockBar);
    // both bars, the last entry too, lose their dock bar and stay alive
    m_pFrame->RemoveControlBar(pDock);
    pDock->DestroyWindow();
    EXPECT_TRUE(pA->m_pDockBar == NULL);
    EXPECT_TRUE(pB->m_pDockBar == NULL);
    EXPECT_TRUE(::IsWindow(pA->m_hWnd));
    EXPECT_TRUE(::IsWindow(pB->m_hWnd));
    EXPECT_EQ(pB->GetParent(), (CWnd*)m_pFrame);
    // a later docking finds a fresh circle
    ASSERT_TRUE(pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_TRUE(pA->m_pDockBar != NULL && ::IsWindow(pA->m_pDockBar->m_hWnd));
}

TEST_F(UiBarsTest, StatusTipGoesIntoTheStatusBarPane)
{
    CStatusBar* pStatus = new CStatusBar;
    static const UINT s_ids[] = { ID_SEPARATOR };
    ASSERT_TRUE(pStatus->Create(m_pFrame));
    ASSERT_TRUE(pStatus->SetIndicators(s_ids, 1));
    ASSERT_TRUE(g_CmdManagerHolder->EnsureProfile("uibars-status", m_pFrame->m_hWnd));
    CExtCmdItem item(0xE7F0);
    item.m_strMenuText = "&Status";
    item.m_strStatusTipText = "Shows the status";
    ASSERT_TRUE(g_CmdManagerHolder->SetCommand("uibars-status", &item));
    m_pFrame->m_nMessageStrings = 0;
    CExtControlBar::ShowCommandStatusText(m_pFrame, 0xE7F0);
    EXPECT_STREQ(pStatus->GetPaneText(0), "Shows the status");
    EXPECT_EQ(m_pFrame->m_nMessageStrings, 0);
    // an unknown command goes to the frame
    CExtControlBar::ShowCommandStatusText(m_pFrame, 0xE7F1);
    EXPECT_EQ(m_pFrame->m_nMessageStrings, 1);
    pStatus->DestroyWindow();
    delete pStatus;
}

TEST_F(UiBarsTest, AutoHideIsRefusedWithoutAnAreaAndForFloatingBars)
{
    CTestResizableBar* pBar = NewBar(0xE8D8, "Pinned");
    ASSERT_TRUE(pBar->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    EXPECT_TRUE(CExtControlBar::AutoHideModeSet(pBar, false, false, true, true));
    EXPECT_FALSE(CExtControlBar::AutoHideModeSet(pBar, true, false, true, true));
    EXPECT_FALSE(pBar->m_bAutoHidden);
    pBar->FloatAtPosition(CPoint(100, 100));
    EXPECT_FALSE(CExtControlBar::AutoHideModeSet(pBar, true, false, true, true));
    EXPECT_FALSE(pBar->m_bAutoHidden);
    EXPECT_FALSE(pBar->IsLiveDragDocking());
}

TEST_F(UiBarsTest, InsertCircleMakesRoomBetweenTwoCircles)
{
    CTestResizableBar* pA = NewBar(0xE8E0, "A");
    CTestResizableBar* pB = NewBar(0xE8E1, "B");
    ASSERT_TRUE(pA->DockToFrameSideLevel(AFX_IDW_DOCKBAR_LEFT, 1));
    ASSERT_TRUE(pB->DockToFrameSideLevel(AFX_IDW_DOCKBAR_RIGHT, 2));
    CExtDockBar::InsertCircle(m_pFrame, 2);
    EXPECT_EQ(CExtDockBar::GetMaxCircle(m_pFrame), 3);
    EXPECT_EQ(((CExtDockBar*)pA->m_pDockBar)->GetCircleNo(), 1);
    EXPECT_EQ(((CExtDockBar*)pB->m_pDockBar)->GetCircleNo(), 3);
    CExtDockBar* pNew = CExtDockBar::FindCircleDockBar(m_pFrame, 2, AFX_IDW_DOCKBAR_TOP, false);
    ASSERT_TRUE(pNew != NULL);
    EXPECT_TRUE(pNew->IsEmpty());
    EXPECT_EQ(pNew->GetOuter()->GetCircleNo(), 1);
    EXPECT_EQ(pNew->GetInner()->GetCircleNo(), 3);
    // an empty circle in between goes at the next compaction
    CExtDockBar::CompactCircles(m_pFrame);
    EXPECT_EQ(CExtDockBar::GetMaxCircle(m_pFrame), 2);
    EXPECT_EQ(((CExtDockBar*)pB->m_pDockBar)->GetCircleNo(), 2);
    ExpectAllArraysSound();
}

TEST_F(UiBarsTest, HiddenBarGetsItsRowPlaceBackAndFocusExpandsAMinimalBar)
{
    CTestResizableBar* pA = NewBar(0xE8E8, "A");
    CTestResizableBar* pB = NewBar(0xE8E9, "B");
    ASSERT_TRUE(pA->DockToFrameSide(AFX_IDW_DOCKBAR_BOTTOM));
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_BOTTOM));
    CExtDockBar* pDock = (CExtDockBar*)pA->m_pDockBar;
    SetOneRow(pDock, { pA, pB });
    pA->m_sizeDockedH.cx = 300;
    pB->m_sizeDockedH.cx = 488;
    m_pFrame->RecalcLayout();
    int nA = pA->m_sizeDockedH.cx, nB = pB->m_sizeDockedH.cx;
    m_pFrame->ShowControlBar(pA, FALSE, FALSE);
    EXPECT_EQ(pA->m_nSavedRowExtent, nA);
    m_pFrame->RecalcLayout();
    EXPECT_GT(pB->m_sizeDockedH.cx, nB);
    m_pFrame->ShowControlBar(pA, TRUE, FALSE);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(pA->m_nSavedRowExtent, 0);
    EXPECT_LE(abs(pA->m_sizeDockedH.cx - nA), 2);
    EXPECT_LE(abs(pB->m_sizeDockedH.cx - nB), 2);

    // a bar at its minimum takes the row's spare length when it gets the focus
    pA->m_sizeDockedH.cx = pA->CalcMinWidth();
    pB->m_sizeDockedH.cx = nA + nB - pA->CalcMinWidth();
    m_pFrame->RecalcLayout();
    ASSERT_TRUE(pA->IsAtMinimum());
    pA->SendMessage(WM_SETFOCUS);
    EXPECT_EQ(pB->m_sizeDockedH.cx, pB->CalcMinWidth());
    EXPECT_GT(pA->m_sizeDockedH.cx, nA);
    ExpectAllArraysSound();
}

namespace
{

// A toolbar-like bar that hides what does not fit, down to a minimal length.
class CTestWrappableBar : public CTestFixedBar
{
public:
    CTestWrappableBar(CSize size, int nMin) : CTestFixedBar(size), m_nMin(nMin) {}
    bool IsWrappable() const override { return true; }
    CSize GetMinDockedSize() override { return CSize(m_nMin, m_size.cy); }
    int m_nMin;
};

} // namespace

TEST_F(UiBarsTest, WrappableBarsGiveUpRoomBeforeTheRowBreaksAndKeepTheirWantedLength)
{
    CExtDockOuterBar* pOuter = (CExtDockOuterBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    CTestWrappableBar* arr[2] = { new CTestWrappableBar(CSize(300, 26), 60),
                                  new CTestWrappableBar(CSize(300, 26), 60) };
    for (int i = 0; i < 2; i++)
    {
        ASSERT_TRUE(arr[i]->Create("Wrap", m_pFrame, 0xE8D0 + i,
                                   WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
        arr[i]->EnableDocking(CBRS_ALIGN_ANY);
        pOuter->DockControlBar(arr[i]);
    }
    SetOneRow(pOuter, { arr[0], arr[1] });
    auto resizeTo = [&](int nWidth)
    {
        CRect rc;
        m_pFrame->GetWindowRect(&rc);
        m_pFrame->SetWindowPos(NULL, 0, 0, nWidth, rc.Height(),
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->RecalcLayout();
        return m_pFrame->ChildRect(pOuter).Width();
    };

    // room for both: full lengths side by side
    resizeTo(800);
    CRect rc0 = m_pFrame->ChildRect(arr[0]), rc1 = m_pFrame->ChildRect(arr[1]);
    EXPECT_EQ(rc0.Width(), 300);
    EXPECT_EQ(rc1.Width(), 300);
    EXPECT_EQ(rc1.left, rc0.right);

    // too short: the last bar gives up room first, and the row keeps one line
    int nAvail = resizeTo(500);
    rc0 = m_pFrame->ChildRect(arr[0]);
    rc1 = m_pFrame->ChildRect(arr[1]);
    EXPECT_EQ(rc1.top, rc0.top);
    EXPECT_EQ(rc1.left, rc0.right);
    EXPECT_EQ(rc0.Width(), 300);
    EXPECT_LE(rc1.right - m_pFrame->ChildRect(pOuter).left, nAvail);
    EXPECT_GE(rc1.Width(), 60);
    EXPECT_LT(rc1.Width(), 300);
    CRect rcPane = m_pFrame->ChildRect(&m_pFrame->m_wndPane);
    EXPECT_GE(rcPane.top, rc0.bottom);
    EXPECT_LT(rcPane.top, rc0.bottom + 26);

    // shorter still: both shrink, never below their minimum
    nAvail = resizeTo(260);
    rc0 = m_pFrame->ChildRect(arr[0]);
    rc1 = m_pFrame->ChildRect(arr[1]);
    EXPECT_EQ(rc1.top, rc0.top);
    EXPECT_EQ(rc1.Width(), 60);
    EXPECT_GE(rc0.Width(), 60);
    EXPECT_LT(rc0.Width(), 300);

    // when their minimums do not fit the second bar starts the next line
    resizeTo(100);
    rc0 = m_pFrame->ChildRect(arr[0]);
    rc1 = m_pFrame->ChildRect(arr[1]);
    EXPECT_EQ(rc1.top, rc0.bottom);
    EXPECT_EQ(rc1.left, rc0.left);
    CRect rcHit;
    EXPECT_FALSE(rcHit.IntersectRect(rc0, rc1));

    // a wanted length the user left a bar at holds while the row has room
    arr[1]->m_data.m_nRank = 1;
    arr[1]->m_data.m_nLengthHorz = 150;
    resizeTo(800);
    rc0 = m_pFrame->ChildRect(arr[0]);
    rc1 = m_pFrame->ChildRect(arr[1]);
    EXPECT_EQ(rc0.Width(), 300);
    EXPECT_EQ(rc1.Width(), 150);
    EXPECT_EQ(rc1.top, rc0.top);
    // ... and never takes it below its minimum or beyond its length
    arr[1]->m_data.m_nLengthHorz = 20;
    resizeTo(801);
    EXPECT_EQ(m_pFrame->ChildRect(arr[1]).Width(), 60);
    arr[1]->m_data.m_nLengthHorz = 5000;
    resizeTo(800);
    EXPECT_EQ(m_pFrame->ChildRect(arr[1]).Width(), 300);
    ExpectAllArraysSound();
    for (CTestWrappableBar* p : arr)
    {
        p->DestroyWindow();
        delete p;
    }
}

namespace
{

// A fixed-size bar without an outer layout record.
class CTestRecordlessBar : public CTestFixedBar
{
public:
    explicit CTestRecordlessBar(CSize size) : CTestFixedBar(size) {}
    OuterLayoutData_t* GetOuterLayoutData() override { return NULL; }
};

CTestFixedBar* DockFixed(CFrameWnd* pFrame, CTestFixedBar* pBar, UINT nID)
{
    if (!pBar->Create("Fixed", pFrame, nID, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC))
        return NULL;
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    ((CDockBar*)pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP))->DockControlBar(pBar);
    return pBar;
}

} // namespace

TEST_F(UiBarsTest, BecomingTheMostRecentRanksTheWholeRowHiddenBarsToo)
{
    CExtDockOuterBar* pOuter = (CExtDockOuterBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    std::vector<CTestFixedBar*> owned{ new CTestFixedBar(CSize(120, 26)),
                                       new CTestFixedBar(CSize(120, 26)),
                                       new CTestRecordlessBar(CSize(120, 26)),
                                       new CTestFixedBar(CSize(120, 26)) };
    for (size_t i = 0; i < owned.size(); i++)
        ASSERT_TRUE(DockFixed(m_pFrame, owned[i], 0xE980 + (UINT)i) != NULL);
    CTestFixedBar *pA = owned[0], *pB = owned[1], *pC = owned[2], *pD = owned[3];
    SetOneRow(pOuter, { pA, pB, pC, pD });
    m_pFrame->ShowControlBar(pB, FALSE, FALSE);
    for (CTestFixedBar* p : owned)
        p->ResetOuterLayoutData();
    m_pFrame->RecalcLayout();
    // laid out: the visible bars rank after the row's four bars, the hidden one has no rank
    EXPECT_EQ(pA->m_data.m_nRank, 5);
    EXPECT_EQ(pD->m_data.m_nRank, 6);
    EXPECT_EQ(pB->m_data.m_nRank, 0);

    // D the most recent: A moves back, hidden B takes a free rank, after A
    pD->SyncOuterLayoutData();
    EXPECT_EQ(pD->m_data.m_nRank, 1);
    EXPECT_EQ(pA->m_data.m_nRank, 2);
    EXPECT_EQ(pB->m_data.m_nRank, 3);
    EXPECT_EQ(pC->m_data.m_nRank, 0);      // its own member, never a record of the row
    pOuter->MakeMostRecent(pB);
    EXPECT_EQ(pB->m_data.m_nRank, 1);
    EXPECT_EQ(pD->m_data.m_nRank, 2);
    EXPECT_EQ(pA->m_data.m_nRank, 3);
    // shown again it keeps its rank and its row
    m_pFrame->ShowControlBar(pB, TRUE, FALSE);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(pB->m_data.m_nRank, 1);
    EXPECT_EQ(pD->m_data.m_nRank, 2);
    EXPECT_EQ(pA->m_data.m_nRank, 3);
    EXPECT_EQ(m_pFrame->ChildRect(pB).top, m_pFrame->ChildRect(pA).top);
    // a bar of another row is left alone
    CTestFixedBar* pE = DockFixed(m_pFrame, new CTestFixedBar(CSize(120, 26)), 0xE988);
    owned.push_back(pE);
    ASSERT_TRUE(pE != NULL);
    pE->SyncOuterLayoutData();
    EXPECT_EQ(pE->m_data.m_nRank, 1);
    EXPECT_EQ(pB->m_data.m_nRank, 1);
    EXPECT_EQ(pA->m_data.m_nRank, 3);
    ExpectAllArraysSound();
    for (CTestFixedBar* p : owned)
    {
        p->DestroyWindow();
        delete p;
    }
}

TEST_F(UiBarsTest, ABarWithoutARecordInUseIsLaidOutWhereItStandsAtTheLengthItHas)
{
    CExtDockOuterBar* pOuter = (CExtDockOuterBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    std::vector<CTestWrappableBar*> owned;
    for (UINT i = 0; i < 3; i++)
    {
        owned.push_back(new CTestWrappableBar(CSize(200, 26), 60));
        ASSERT_TRUE(DockFixed(m_pFrame, owned.back(), 0xE990 + i) != NULL);
    }
    CTestWrappableBar *pX = owned[0], *pY = owned[1], *pZ = owned[2];
    SetOneRow(pOuter, { pX, pY, pZ });
    m_pFrame->RecalcLayout();
    // X was placed by the user at the row start; Y and Z stand where they stand
    pX->m_data.Reset();
    pX->m_data.m_nRank = 1;
    pX->m_data.m_rcRemembered = CRect(0, 0, 200, 26);
    pY->ResetOuterLayoutData();
    pZ->ResetOuterLayoutData();
    pY->MoveWindow(CRect(220, 0, 370, 26));
    pZ->MoveWindow(CRect(400, 0, 700, 26));
    m_pFrame->RecalcLayout();
    EXPECT_EQ(pX->m_data.m_nRank, 1);
    EXPECT_EQ(pX->m_data.m_nLengthHorz, 0);
    EXPECT_EQ(pY->m_data.m_nRank, 4);
    EXPECT_EQ(pZ->m_data.m_nRank, 5);
    EXPECT_EQ(pY->m_data.m_rcRemembered, CRect(220, 0, 370, 26));
    EXPECT_EQ(pZ->m_data.m_rcRemembered, CRect(400, 0, 700, 26));
    // the length it had, never more than its whole length
    EXPECT_EQ(pY->m_data.m_nLengthHorz, 150);
    EXPECT_EQ(pZ->m_data.m_nLengthHorz, 200);
    EXPECT_EQ(pZ->m_data.m_nLengthVert, 0);
    CRect rcOuter = m_pFrame->ChildRect(pOuter);
    CRect rcX = m_pFrame->ChildRect(pX), rcY = m_pFrame->ChildRect(pY), rcZ = m_pFrame->ChildRect(pZ);
    EXPECT_EQ(rcX.left - rcOuter.left, 0);
    EXPECT_EQ(rcX.Width(), 200);
    EXPECT_EQ(rcY.left - rcOuter.left, 220);
    EXPECT_EQ(rcY.Width(), 150);
    EXPECT_EQ(rcZ.left - rcOuter.left, 400);
    EXPECT_EQ(rcZ.Width(), 200);

    // 80 short of the row's end: the gaps close, then Z, the least recent, gives 30
    CRect rcFrame, rcClient;
    m_pFrame->GetWindowRect(&rcFrame);
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->SetWindowPos(NULL, 0, 0, 520 + rcFrame.Width() - rcClient.Width(), rcFrame.Height(),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pFrame->RecalcLayout();
    rcOuter = m_pFrame->ChildRect(pOuter);
    ASSERT_EQ(rcOuter.Width(), 520);
    rcX = m_pFrame->ChildRect(pX);
    rcY = m_pFrame->ChildRect(pY);
    rcZ = m_pFrame->ChildRect(pZ);
    EXPECT_EQ(rcX.Width(), 200);
    EXPECT_EQ(rcY.left, rcX.right);
    EXPECT_EQ(rcY.Width(), 150);
    EXPECT_EQ(rcZ.left, rcY.right);
    EXPECT_EQ(rcZ.Width(), 170);
    EXPECT_EQ(rcZ.top, rcX.top);
    // the records keep what the user and the first layout gave them
    EXPECT_EQ(pY->m_data.m_rcRemembered, CRect(220, 0, 370, 26));
    EXPECT_EQ(pZ->m_data.m_nLengthHorz, 200);
    ExpectAllArraysSound();
    for (CTestWrappableBar* p : owned)
    {
        p->DestroyWindow();
        delete p;
    }
}
