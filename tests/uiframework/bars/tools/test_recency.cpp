// Recency in a frame-edge toolbar row: the toolbars dragged by their grippers become the
// most recent of their row in turn, a narrowing frame takes buttons from the least recent
// first, and the order comes back with a stored bar state.
#include "tools_support.h"
#include "uiframework/bars/ExtBarLayout.h"
#include "uiframework/bars/ExtBarState.h"
#include "afxpriv.h"

namespace
{

int Rank(CExtToolControlBar* pBar)
{
    return pBar->GetOuterLayoutData()->m_nRank;
}

std::vector<BYTE> StoredState(CFrameWnd* pFrame, bool& bStored)
{
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store, 4096);
        bStored = CExtControlBar::SerializeFrameBarState(ar, pFrame, NULL);
        ar.Close();
    }
    std::vector<BYTE> v((size_t)file.GetLength());
    file.Seek(0, CFile::begin);
    if (!v.empty())
        file.Read(v.data(), (UINT)v.size());
    return v;
}

bool LoadState(CFrameWnd* pFrame, std::vector<BYTE>& bytes)
{
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load, 4096);
    bool bLoaded = CExtControlBar::SerializeFrameBarState(ar, pFrame, NULL);
    ar.Close();
    return bLoaded;
}

} // namespace

class ToolRecencyTest : public ToolsTest
{
protected:
    void ClientWidth(int cx)
    {
        CRect rcFrame, rcClient;
        m_pFrame->GetWindowRect(&rcFrame);
        m_pFrame->GetClientRect(&rcClient);
        m_pFrame->SetWindowPos(NULL, 0, 0, cx + rcFrame.Width() - rcClient.Width(),
                               rcFrame.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
    }
    // The three bars stand in one line of the top row, side by side in entry order.
    void ExpectOneLine(const char* pszWhen)
    {
        SCOPED_TRACE(pszWhen);
        CRect rcA = m_pFrame->ChildRect(m_pA), rcB = m_pFrame->ChildRect(m_pB);
        CRect rcC = m_pFrame->ChildRect(m_pC);
        EXPECT_EQ(rcB.top, rcA.top);
        EXPECT_EQ(rcC.top, rcA.top);
        EXPECT_GE(rcB.left, rcA.right);
        EXPECT_GE(rcC.left, rcB.right);
    }
    // Narrows the frame step by step: the bars must give up buttons least recent first.
    void ExpectGivingOrder(CExtToolControlBar* pFirst, CExtToolControlBar* pSecond,
                           CExtToolControlBar* pLast)
    {
        int nFull = m_pFrame->ChildRect(m_pA).Width();
        int nSpare = nFull - m_pA->GetMinDockedSize().cx;
        ASSERT_GT(nSpare, 30);
        int nEnd = m_pFrame->ChildRect(m_pC).right;
        int nGaps = nEnd - 3 * nFull;
        // the gaps close, then 15 pixels: the least recent bar gives them
        ClientWidth(nEnd - nGaps - 15);
        ExpectOneLine("15 short");
        EXPECT_GT(HiddenButtonCount(pFirst), 0);
        EXPECT_EQ(HiddenButtonCount(pSecond), 0);
        EXPECT_EQ(HiddenButtonCount(pLast), 0);
        EXPECT_EQ(m_pFrame->ChildRect(pFirst).Width(), nFull - 15);
        EXPECT_EQ(m_pFrame->ChildRect(pSecond).Width(), nFull);
        EXPECT_EQ(m_pFrame->ChildRect(pLast).Width(), nFull);
        // 15 more than it can give: the next least recent gives the rest
        ClientWidth(nEnd - nGaps - nSpare - 15);
        ExpectOneLine("past the first bar's minimum");
        EXPECT_GT(HiddenButtonCount(pFirst), 0);
        EXPECT_GT(HiddenButtonCount(pSecond), 0);
        EXPECT_EQ(HiddenButtonCount(pLast), 0);
        EXPECT_EQ(m_pFrame->ChildRect(pSecond).Width(), nFull - 15);
        EXPECT_EQ(m_pFrame->ChildRect(pLast).Width(), nFull);
        // the most recent one only once both others are at their minimum
        ClientWidth(nEnd - nGaps - 2 * nSpare - 15);
        ExpectOneLine("past both minimums");
        EXPECT_GT(HiddenButtonCount(pLast), 0);
        EXPECT_EQ(m_pFrame->ChildRect(pLast).Width(), nFull - 15);
    }

    void SetUp() override
    {
        ToolsTest::SetUp();
        m_pA = NewRowToolBar(m_pFrame, 0xE960, m_toolbars);
        m_pB = NewRowToolBar(m_pFrame, 0xE961, m_toolbars);
        m_pC = NewRowToolBar(m_pFrame, 0xE962, m_toolbars);
        ASSERT_TRUE(m_pA != NULL && m_pB != NULL && m_pC != NULL);
        m_pDock = m_pA->m_pDockBar;
        ASSERT_EQ(m_pB->m_pDockBar, m_pDock);
        ASSERT_EQ(m_pC->m_pDockBar, m_pDock);
        m_pDock->m_arrBars.RemoveAll();
        for (void* p : { (void*)NULL, (void*)m_pA, (void*)m_pB, (void*)m_pC, (void*)NULL })
            m_pDock->m_arrBars.Add(p);
    }

    CExtToolControlBar* m_pA = NULL;
    CExtToolControlBar* m_pB = NULL;
    CExtToolControlBar* m_pC = NULL;
    CDockBar* m_pDock = NULL;
};

TEST_F(ToolRecencyTest, ANarrowingFrameTakesButtonsFromTheLeastRecentlyDraggedToolbarFirst)
{
    m_pFrame->RecalcLayout();
    int nFull = m_pFrame->ChildRect(m_pA).Width();
    ASSERT_EQ(m_pFrame->ChildRect(m_pB).Width(), nFull);
    ClientWidth(3 * nFull + 60);
    ExpectOneLine("wide");
    ASSERT_EQ(m_pFrame->ChildRect(m_pC).right, 3 * nFull);

    // dragged 10 pixels on along the row each, in the order A, C, B
    DragGripper(m_pA, { 6, 10 });
    DragGripper(m_pC, { 6, 10 });
    DragGripper(m_pB, { 6, 10 });
    ExpectOneLine("dragged");
    CRect rcA = m_pFrame->ChildRect(m_pA), rcB = m_pFrame->ChildRect(m_pB);
    CRect rcC = m_pFrame->ChildRect(m_pC);
    EXPECT_EQ(rcA.left, 10);
    EXPECT_EQ(rcB.left, rcA.right + 10);
    EXPECT_EQ(rcC.left, rcB.right);
    EXPECT_EQ(HiddenButtonCount(m_pA) + HiddenButtonCount(m_pB) + HiddenButtonCount(m_pC), 0);
    // the last one dragged is the most recent of its row
    EXPECT_EQ(Rank(m_pB), 1);
    EXPECT_EQ(Rank(m_pC), 2);
    EXPECT_EQ(Rank(m_pA), 3);

    ExpectGivingOrder(m_pA, m_pC, m_pB);

    // wide again: every button back, the places the bars were dragged to kept
    ClientWidth(3 * nFull + 60);
    ExpectOneLine("wide again");
    EXPECT_EQ(HiddenButtonCount(m_pA) + HiddenButtonCount(m_pB) + HiddenButtonCount(m_pC), 0);
    EXPECT_EQ(m_pFrame->ChildRect(m_pA).left, 10);
    EXPECT_EQ(m_pFrame->ChildRect(m_pB).left, m_pFrame->ChildRect(m_pA).right + 10);
    EXPECT_EQ(m_pFrame->ChildRect(m_pC).Width(), nFull);
    EXPECT_TRUE(ExtBarLayout::IsBarArraySound(m_pDock->m_arrBars));
}

TEST_F(ToolRecencyTest, ToolbarsThatWereNeverDraggedGiveUpButtonsFromTheRowEnd)
{
    m_pFrame->RecalcLayout();
    int nFull = m_pFrame->ChildRect(m_pA).Width();
    ClientWidth(3 * nFull + 60);
    ExpectOneLine("wide");
    // ranked as they stand, in entry order
    EXPECT_LT(Rank(m_pA), Rank(m_pB));
    EXPECT_LT(Rank(m_pB), Rank(m_pC));
    ExpectGivingOrder(m_pC, m_pB, m_pA);
    ClientWidth(3 * nFull + 60);
    EXPECT_EQ(HiddenButtonCount(m_pA) + HiddenButtonCount(m_pB) + HiddenButtonCount(m_pC), 0);
    EXPECT_EQ(m_pFrame->ChildRect(m_pC).right, 3 * nFull);
}

TEST_F(ToolRecencyTest, TheRecencyOrderComesBackWithAStoredBarState)
{
    m_pFrame->RecalcLayout();
    int nFull = m_pFrame->ChildRect(m_pA).Width();
    ClientWidth(3 * nFull + 60);
    DragGripper(m_pB, { 6, 10 });
    DragGripper(m_pA, { 6, 10 });
    ASSERT_EQ(Rank(m_pA), 1);
    ASSERT_EQ(Rank(m_pB), 2);
    ASSERT_EQ(Rank(m_pC), 3);
    CExtControlBar::OuterLayoutData_t dataA = *m_pA->GetOuterLayoutData();
    bool bStored = false;
    std::vector<BYTE> bytes = StoredState(m_pFrame, bStored);
    ASSERT_TRUE(bStored);

    // the records forgotten: laid out again they rank as the bars stand
    for (CExtToolControlBar* p : { m_pA, m_pB, m_pC })
        p->ResetOuterLayoutData();
    m_pFrame->RecalcLayout();
    ASSERT_LT(Rank(m_pB), Rank(m_pC));
    ASSERT_GT(Rank(m_pA), 1);

    ASSERT_TRUE(LoadState(m_pFrame, bytes));
    PumpPendingMessages();
    EXPECT_EQ(Rank(m_pA), 1);
    EXPECT_EQ(Rank(m_pB), 2);
    EXPECT_EQ(Rank(m_pC), 3);
    const CExtControlBar::OuterLayoutData_t& back = *m_pA->GetOuterLayoutData();
    EXPECT_EQ(back.m_rcRemembered, dataA.m_rcRemembered);
    EXPECT_EQ(back.m_nLengthHorz, dataA.m_nLengthHorz);
    EXPECT_EQ(back.m_bFlag, dataA.m_bFlag);
    EXPECT_FALSE(back.m_bFlag);
    // the same row, and C, the least recent, gives up buttons first, then B
    ClientWidth(3 * nFull + 60);
    ExpectOneLine("loaded");
    ASSERT_EQ(ExtBarLayout::FindEntry(m_pDock->m_arrBars, m_pA) + 1,
              ExtBarLayout::FindEntry(m_pDock->m_arrBars, m_pB));
    ExpectGivingOrder(m_pC, m_pB, m_pA);
}

TEST_F(ToolRecencyTest, AMoveAlongTheRowRanksABarFirstWhenItsRecordGivesWay)
{
    m_pFrame->RecalcLayout();
    int nFull = m_pFrame->ChildRect(m_pA).Width();
    ClientWidth(3 * nFull + 80);
    // records the layout filled in give way to the first move
    DragGripper(m_pA, { 6, 10 });
    EXPECT_EQ(Rank(m_pA), 1);
    EXPECT_EQ(Rank(m_pB), 2);
    EXPECT_EQ(Rank(m_pC), 3);
    EXPECT_FALSE(m_pA->GetOuterLayoutData()->m_bFlag);
    DragGripper(m_pC, { 6, 10 });
    EXPECT_EQ(Rank(m_pC), 1);
    EXPECT_EQ(Rank(m_pA), 2);
    EXPECT_EQ(Rank(m_pB), 3);
    // a record the user's move made only follows a later move
    int nLeftA = m_pFrame->ChildRect(m_pA).left;
    DragGripper(m_pA, { 6, 10 });
    EXPECT_EQ(m_pFrame->ChildRect(m_pA).left, nLeftA + 10);
    EXPECT_EQ(m_pA->GetOuterLayoutData()->m_rcRemembered.left, nLeftA + 10);
    EXPECT_EQ(Rank(m_pA), 2);
    EXPECT_EQ(Rank(m_pC), 1);
    // one as long as the dock bar (a bar that had the row to itself) gives way too
    CExtControlBar::OuterLayoutData_t data = *m_pB->GetOuterLayoutData();
    CRect rcDock;
    m_pDock->GetClientRect(&rcDock);
    data.m_rcRemembered.right = data.m_rcRemembered.left + rcDock.Width();
    data.m_bFlag = false;
    m_pB->SetOuterLayoutData(data);
    DragGripper(m_pB, { 6, 10 });
    EXPECT_EQ(Rank(m_pB), 1);
    EXPECT_EQ(Rank(m_pC), 2);
    EXPECT_EQ(Rank(m_pA), 3);
    EXPECT_EQ(m_pB->GetOuterLayoutData()->m_rcRemembered.Width(), nFull);
    ExpectOneLine("after the moves");
}

TEST_F(ToolRecencyTest, ToolbarsDockedFromAFloatingFrameOrAnotherSideShowAllTheirButtons)
{
    m_pFrame->RecalcLayout();
    int nFull = m_pFrame->ChildRect(m_pA).Width();
    ClientWidth(3 * nFull + 60);
    // a toolbar that floats before it was ever docked: its frame goes when it docks
    CExtToolControlBar* pF = new CExtToolControlBar;
    m_toolbars.push_back(pF);
    ASSERT_TRUE(pF->Create("Floating tools", m_pFrame, 0xE970,
                           WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC));
    ASSERT_TRUE(pF->LoadButtonsFromResource(IDR_TOOLS_TOOLBAR));
    pF->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->FloatControlBar(pF, CPoint(300, 300));
    PumpPendingMessages();
    CFrameWnd* pMini = pF->GetParentFrame();
    ASSERT_TRUE(pMini != NULL && pMini != m_pFrame);
    HWND hWndMini = pMini->m_hWnd;
    CRect rcFloating;
    pF->GetWindowRect(&rcFloating);
    ASSERT_NE(rcFloating.Size(), m_pFrame->ChildRect(m_pA).Size());
    m_pFrame->DockControlBar(pF, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    EXPECT_EQ(pF->m_pDockBar, m_pDock);
    EXPECT_EQ(pF->GetParentFrame(), (CFrameWnd*)m_pFrame);
    EXPECT_FALSE(::IsWindow(hWndMini));
    EXPECT_EQ(m_pFrame->ChildRect(pF).Width(), nFull);
    EXPECT_EQ(HiddenButtonCount(pF), 0);
    EXPECT_GT(Rank(pF), 0);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(m_pFrame->ChildRect(pF).Width(), nFull);

    // one docked at the left first
    CExtToolControlBar* pV = new CExtToolControlBar;
    m_toolbars.push_back(pV);
    ASSERT_TRUE(pV->Create("Side tools", m_pFrame, 0xE971,
                           WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC));
    ASSERT_TRUE(pV->LoadButtonsFromResource(IDR_TOOLS_TOOLBAR));
    pV->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(pV, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->RecalcLayout();
    ASSERT_GT(m_pFrame->ChildRect(pV).Height(), m_pFrame->ChildRect(pV).Width());
    m_pFrame->DockControlBar(pV, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    EXPECT_EQ(pV->m_pDockBar, m_pDock);
    EXPECT_EQ(m_pFrame->ChildRect(pV).Width(), nFull);
    EXPECT_EQ(HiddenButtonCount(pV), 0);
    EXPECT_TRUE(ExtBarLayout::IsBarArraySound(m_pDock->m_arrBars));
}
