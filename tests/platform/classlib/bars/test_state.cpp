// The bar state: SaveBarState writes the places, visibility and floating
// frames of the bars to the profile, LoadBarState puts them back; the state
// also goes through an archive, and damaged input is refused.

#include "bartest.h"
#include <shlwapi.h>
#include <vector>

namespace
{

const char s_szTestKey[] = "StickwellBarsTests";
const char s_szProfile[] = "BarState";

class BarStateTest : public BarsTest
{
protected:
    void SetUp() override
    {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, CString("Software\\") + s_szTestKey);
        BarsTest::SetUp();
        if (m_pFrame == NULL || m_pFrame->m_hWnd == NULL)
            return;
        m_pApp->SetRegistryKey(s_szTestKey);
        m_pFrame->m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->m_wndToolBar2.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(&m_pFrame->m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
        m_pFrame->DockControlBar(&m_pFrame->m_wndToolBar2, AFX_IDW_DOCKBAR_TOP);
        m_pFrame->RecalcLayout();
    }
    void TearDown() override
    {
        BarsTest::TearDown();
        ::SHDeleteKeyA(HKEY_CURRENT_USER, CString("Software\\") + s_szTestKey);
    }

    CDockBar* DockBar(UINT nID)
    {
        return (CDockBar*)m_pFrame->GetControlBar(nID);
    }

    int ReadInt(LPCTSTR lpszSection, LPCTSTR lpszEntry)
    {
        return (int)m_pApp->GetProfileInt(lpszSection, lpszEntry, -12345);
    }

    // The layout the tests store: bar 1 on the left, bar 2 floating, the status bar hidden.
    void ArrangeForSaving()
    {
        m_pFrame->DockControlBar(&m_pFrame->m_wndToolBar, AFX_IDW_DOCKBAR_LEFT);
        m_pFrame->FloatControlBar(&m_pFrame->m_wndToolBar2, CPoint(420, 330));
        m_pFrame->ShowControlBar(&m_pFrame->m_wndStatusBar, FALSE, FALSE);
        m_pFrame->RecalcLayout();
    }

    // Everything back to the start: both bars docked at the top, all visible.
    void Rearrange()
    {
        m_pFrame->DockControlBar(&m_pFrame->m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
        m_pFrame->DockControlBar(&m_pFrame->m_wndToolBar2, AFX_IDW_DOCKBAR_TOP);
        m_pFrame->ShowControlBar(&m_pFrame->m_wndStatusBar, TRUE, FALSE);
        m_pFrame->RecalcLayout();
        ASSERT_FALSE(m_pFrame->m_wndToolBar2.IsFloating());
        ASSERT_EQ(DockBar(AFX_IDW_DOCKBAR_TOP), m_pFrame->m_wndToolBar.m_pDockBar);
    }

    void ExpectArrangedState()
    {
        CToolBar& bar1 = m_pFrame->m_wndToolBar;
        CToolBar& bar2 = m_pFrame->m_wndToolBar2;
        EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT), bar1.m_pDockBar);
        EXPECT_EQ(CBRS_ALIGN_LEFT, bar1.GetBarStyle() & CBRS_ALIGN_ANY);
        EXPECT_TRUE(bar1.IsWindowVisible());
        EXPECT_EQ(m_pFrame->ChildRect(DockBar(AFX_IDW_DOCKBAR_LEFT)).right, m_pFrame->PaneRect().left);
        ASSERT_TRUE(bar2.IsFloating());
        CFrameWnd* pMini = bar2.GetDockingFrame();
        EXPECT_TRUE(pMini->IsWindowVisible());
        CRect rectMini;
        pMini->GetWindowRect(rectMini);
        EXPECT_EQ(CPoint(420, 330), rectMini.TopLeft());
        EXPECT_FALSE(m_pFrame->m_wndStatusBar.IsWindowVisible());
        CRect rectClient;
        m_pFrame->GetClientRect(rectClient);
        EXPECT_EQ(rectClient.bottom, m_pFrame->PaneRect().bottom);
    }
};

} // namespace

TEST_F(BarStateTest, SavedStateComesBackFromTheProfile)
{
    ArrangeForSaving();
    m_pFrame->SaveBarState(s_szProfile);
    Rearrange();
    m_pFrame->LoadBarState(s_szProfile);
    ExpectArrangedState();
    // only the floating frame of the state is left
    int nFloatFrames = 0;
    POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL)
    {
        CWnd* pWnd = (CWnd*)m_pFrame->m_listControlBars.GetNext(pos);
        if (pWnd->IsKindOf(RUNTIME_CLASS(CDockBar)) && ((CDockBar*)pWnd)->m_bFloating)
            nFloatFrames++;
    }
    EXPECT_EQ(1, nFloatFrames);
}

TEST_F(BarStateTest, ProfileHoldsTheSummaryAndOneSectionPerBar)
{
    ArrangeForSaving();
    m_pFrame->SaveBarState(s_szProfile);
    CString strSummary = CString(s_szProfile) + "-Summary";
    int nBars = ReadInt(strSummary, "Bars");
    EXPECT_EQ((int)m_pFrame->m_listControlBars.GetCount(), nBars);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), ReadInt(strSummary, "ScreenCX"));

    // each bar by its id; the hidden status bar says so, the floating frame's dock bar
    // lists its bar
    BOOL bStatus = FALSE, bFloatDock = FALSE;
    for (int i = 0; i < nBars; i++)
    {
        CString strSection;
        strSection.Format("%s-Bar%d", s_szProfile, i);
        int nID = ReadInt(strSection, "BarID");
        if (nID == AFX_IDW_STATUS_BAR)
        {
            bStatus = TRUE;
            EXPECT_EQ(0, ReadInt(strSection, "Visible"));
        }
        if (nID == AFX_IDW_DOCKBAR_FLOAT)
        {
            bFloatDock = TRUE;
            EXPECT_EQ(1, ReadInt(strSection, "Floating"));
            EXPECT_EQ(3, ReadInt(strSection, "Bars"));  // NULL, the bar, NULL
            EXPECT_EQ(AFX_IDW_TOOLBAR + 10, ReadInt(strSection, "Bar#1"));
        }
        if (nID == AFX_IDW_TOOLBAR)
        {
            EXPECT_EQ(1, ReadInt(strSection, "Docking"));
            EXPECT_EQ(AFX_IDW_DOCKBAR_LEFT, ReadInt(strSection, "MRUDockID"));
            EXPECT_EQ(-12345, ReadInt(strSection, "Visible"));  // defaults are not written
        }
    }
    EXPECT_TRUE(bStatus);
    EXPECT_TRUE(bFloatDock);

    // a shorter state later removes the sections it no longer uses
    m_pFrame->DockControlBar(&m_pFrame->m_wndToolBar2, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->SaveBarState(s_szProfile);
    int nNewBars = ReadInt(strSummary, "Bars");
    EXPECT_EQ(nBars - 1, nNewBars);
    CString strGone;
    strGone.Format("%s-Bar%d", s_szProfile, nNewBars);
    EXPECT_EQ(-12345, ReadInt(strGone, "BarID"));
}

TEST_F(BarStateTest, RowsAndPlacesInARowComeBack)
{
    CToolBar& bar1 = m_pFrame->m_wndToolBar;
    CToolBar& bar2 = m_pFrame->m_wndToolBar2;
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    // both in one row, bar2 a bit to the right of bar1
    CRect rectDrop;
    bar1.GetWindowRect(rectDrop);
    rectDrop.OffsetRect(rectDrop.Width() + 30, 0);
    m_pFrame->DockControlBar(&bar2, pTop, rectDrop);
    m_pFrame->RecalcLayout();
    CRect rect1 = m_pFrame->ChildRect(&bar1);
    CRect rect2 = m_pFrame->ChildRect(&bar2);
    ASSERT_EQ(rect1.top, rect2.top);
    m_pFrame->SaveBarState(s_szProfile);

    m_pFrame->DockControlBar(&bar2, AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->DockControlBar(&bar1, AFX_IDW_DOCKBAR_RIGHT);
    m_pFrame->RecalcLayout();
    m_pFrame->LoadBarState(s_szProfile);
    EXPECT_EQ(pTop, bar1.m_pDockBar);
    EXPECT_EQ(pTop, bar2.m_pDockBar);
    EXPECT_EQ(rect1, m_pFrame->ChildRect(&bar1));
    EXPECT_EQ(rect2, m_pFrame->ChildRect(&bar2));
    EXPECT_EQ(0, DockBar(AFX_IDW_DOCKBAR_RIGHT)->GetDockedCount());
    EXPECT_EQ(0, DockBar(AFX_IDW_DOCKBAR_BOTTOM)->GetDockedCount());
}

TEST_F(BarStateTest, NothingStoredChangesNothing)
{
    CRect rect1 = m_pFrame->ChildRect(&m_pFrame->m_wndToolBar);
    CRect rectPane = m_pFrame->PaneRect();
    m_pFrame->LoadBarState("NeverSaved");
    EXPECT_EQ(rect1, m_pFrame->ChildRect(&m_pFrame->m_wndToolBar));
    EXPECT_EQ(rectPane, m_pFrame->PaneRect());
    EXPECT_TRUE(m_pFrame->m_wndStatusBar.IsWindowVisible());
}

TEST_F(BarStateTest, DockStateGoesThroughAnArchive)
{
    ArrangeForSaving();
    CDockState state;
    m_pFrame->GetDockState(state);
    ASSERT_EQ(m_pFrame->m_listControlBars.GetCount(), state.m_arrBarInfo.GetSize());

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
    }
    file.SeekToBegin();
    CDockState loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    ASSERT_EQ(state.m_arrBarInfo.GetSize(), loaded.m_arrBarInfo.GetSize());
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
    {
        CControlBarInfo* p1 = (CControlBarInfo*)state.m_arrBarInfo[i];
        CControlBarInfo* p2 = (CControlBarInfo*)loaded.m_arrBarInfo[i];
        EXPECT_EQ(p1->m_nBarID, p2->m_nBarID);
        EXPECT_EQ(p1->m_bVisible, p2->m_bVisible);
        EXPECT_EQ(p1->m_bFloating, p2->m_bFloating);
        EXPECT_EQ(p1->m_pointPos, p2->m_pointPos);
        EXPECT_EQ(p1->m_rectMRUDockPos, p2->m_rectMRUDockPos);
        EXPECT_EQ(p1->m_arrBarID.GetSize(), p2->m_arrBarID.GetSize());
    }

    Rearrange();
    m_pFrame->SetDockState(loaded);
    ExpectArrangedState();
}

TEST_F(BarStateTest, DamagedArchivesAreRefused)
{
    CDockState state;
    m_pFrame->GetDockState(state);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
    }
    UINT nLength = (UINT)file.GetLength();
    std::vector<BYTE> data(nLength);
    file.SeekToBegin();
    ASSERT_EQ(nLength, file.Read(data.data(), nLength));

    // cut short: an archive exception
    for (UINT nCut : { 2u, 9u, nLength - 3 })
    {
        CMemFile fileCut;
        fileCut.Write(data.data(), nCut);
        fileCut.SeekToBegin();
        CDockState loaded;
        BOOL bThrown = FALSE;
        try
        {
            CArchive ar(&fileCut, CArchive::load);
            loaded.Serialize(ar);
        }
        catch (CArchiveException* e)
        {
            bThrown = TRUE;
            e->Delete();
        }
        EXPECT_TRUE(bThrown) << nCut;
    }

    // another version
    CMemFile fileOther;
    {
        CArchive ar(&fileOther, CArchive::store);
        ar << (DWORD)7 << (LONG)1024 << (LONG)768 << (DWORD)0;
    }
    fileOther.SeekToBegin();
    CDockState other;
    BOOL bThrown = FALSE;
    try
    {
        CArchive ar(&fileOther, CArchive::load);
        other.Serialize(ar);
    }
    catch (CArchiveException* e)
    {
        bThrown = TRUE;
        EXPECT_EQ(CArchiveException::badSchema, e->m_cause);
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST_F(BarStateTest, StoredPositionsFollowAnotherScreenSize)
{
    ArrangeForSaving();
    m_pFrame->SaveBarState(s_szProfile);
    // the state was stored on a screen twice as large
    CString strSummary = CString(s_szProfile) + "-Summary";
    CSize sizeScreen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    m_pApp->WriteProfileInt(strSummary, "ScreenCX", sizeScreen.cx * 2);
    m_pApp->WriteProfileInt(strSummary, "ScreenCY", sizeScreen.cy * 2);
    CDockState state;
    state.LoadState(s_szProfile);
    BOOL bFound = FALSE;
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
    {
        CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
        if (pInfo->m_bFloating && pInfo->m_bDockBar)
        {
            // the client of the floating frame was stored; it is halved now
            CRect rectClient;
            m_pFrame->m_wndToolBar2.GetDockingFrame()->GetClientRect(rectClient);
            m_pFrame->m_wndToolBar2.GetDockingFrame()->ClientToScreen(rectClient);
            EXPECT_EQ(CPoint(rectClient.left / 2, rectClient.top / 2), pInfo->m_pointPos);
            bFound = TRUE;
        }
    }
    EXPECT_TRUE(bFound);
}
