// The stored bar layout: streams written by a test writer into a private registry key
// through the chunked store, loaded into a frame; hostile streams.
#include "drag_support.h"
#include "uiframework/bars/ExtBarState.h"
#include "uiframework/foundation/ExtCmdManager.h"

#include <functional>

namespace
{

typedef CExtControlBar::InternalDockStateBar Rec;
const LPCTSTR s_company = "StickwellTests";
const LPCTSTR s_profile = "BarStateTests";

CString ProductName()
{
    CString str;
    str.Format("BarState%lu", ::GetCurrentProcessId());
    return str;
}

CString KeyPath()
{
    CString str;
    CExtCmdManager::MakeRegistryKeyPath(str, "ControlBar", s_profile, s_company, ProductName());
    return str;
}

// The parts of a stream the tests vary.
struct Stream_t
{
    CString strTitle = "Baymoor (v. 2.3.0.0) control bar state";
    DWORD dwVersion = 0x02030000;
    DWORD dwCompat = 0x203;
    CString strPlacement = "40,30,700,520,1,0";
    std::vector<Rec*> bars;                 // owned
    std::vector<CExtControlBar::OuterItemData_t> outer;
    std::vector<UINT> autoHidden;
    ~Stream_t()
    {
        for (Rec* p : bars)
            delete p;
    }
    Rec* AddBar(UINT nID, UINT nDockBarID, UINT nCircle, DWORD dwFlags)
    {
        Rec* p = new Rec;
        p->m_nBarID = nID;
        p->m_nDockBarID = nDockBarID;
        p->m_nCircleNo = nCircle;
        p->m_dwFlags = dwFlags;
        bars.push_back(p);
        return p;
    }
    void Write(CArchive& ar) const
    {
        ar << strTitle << dwVersion << dwCompat;
        for (int i = 0; i < 4; i++)
            ar << (DWORD)0;
        ar << strPlacement;
        CDockState state;
        state.Serialize(ar);
        ar << (DWORD)outer.size();
        for (auto item : outer)
            item.Serialize(ar);
        ar << (DWORD)bars.size();
        for (Rec* p : bars)
            p->Serialize(ar, 0);
        ar << (DWORD)autoHidden.size();
        for (UINT n : autoHidden)
            ar << (DWORD)n;
    }
};

bool Store(const std::vector<BYTE>& bytes)
{
    CMemFile file(1024);
    if (!bytes.empty())
        file.Write(bytes.data(), (UINT)bytes.size());
    file.Seek(0, CFile::begin);
    return CExtCmdManager::SaveStreamToRegistry(file, KeyPath(), HKEY_CURRENT_USER);
}

bool IsInFloatingContainer(CExtControlBar* pBar)
{
    CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, pBar->m_pDockBar);
    return pInner != NULL && pInner->GetContainer() != NULL && pInner->GetContainer()->IsFloating();
}

} // namespace

class BarStateTest : public UiBarsTest
{
protected:
    void SetUp() override
    {
        UiBarsTest::SetUp();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\StickwellTests");
        g_CmdManagerHolder->EnsureProfile(s_profile, m_pFrame->m_hWnd);
        m_pA = NewBar(0xE931, "A");
        m_pB = NewBar(0xE932, "B");
        ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
        ASSERT_TRUE(m_pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
    }
    void TearDown() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\StickwellTests");
        UiBarsTest::TearDown();
    }
    bool Load(WINDOWPLACEMENT* pwp = NULL)
    {
        return CExtControlBar::LoadFrameBarState(m_pFrame, s_company, ProductName(), s_profile, pwp);
    }
    // The default layout is untouched: A left, B right, both shown.
    void ExpectDefaultLayout()
    {
        EXPECT_TRUE(m_pA->IsDockedAtLeft());
        EXPECT_TRUE(m_pB->IsDockedAtRight());
        EXPECT_TRUE(m_pA->IsWindowVisible());
        EXPECT_TRUE(m_pB->IsWindowVisible());
        EXPECT_FALSE(CExtControlBar::IsFrameSerializing(m_pFrame));
        ExpectAllArraysSound();
    }
    CTestResizableBar* m_pA = NULL;
    CTestResizableBar* m_pB = NULL;
};

TEST_F(BarStateTest, NoStoredDataOrNoProfileAnswersFalse)
{
    EXPECT_FALSE(Load());
    ExpectDefaultLayout();
    // a stored size of 0 is an empty stream: the load fails
    ASSERT_TRUE(Store({}));
    EXPECT_FALSE(Load());
    ExpectDefaultLayout();
    // a good stream, but a frame with no command profile is never looked at
    Stream_t s;
    s.AddBar(0xE931, AFX_IDW_DOCKBAR_TOP, 1, Rec::KIND_PLAIN | Rec::VISIBLE);
    ASSERT_TRUE(Store(UiBarsArchiveBytes([&](CArchive& ar) { s.Write(ar); })));
    g_CmdManagerHolder->ForgetWindow(m_pFrame->m_hWnd);
    EXPECT_FALSE(Load());
    ExpectDefaultLayout();
    EXPECT_FALSE(CExtControlBar::LoadFrameBarState(NULL, s_company, ProductName(), s_profile, NULL));
}

TEST_F(BarStateTest, StoredPlacesSizesAndVisibilityApply)
{
    Stream_t s;
    s.strTitle = "any title at all";
    s.dwVersion = 0x01020304;       // only the compatibility value counts
    Rec* pA = s.AddBar(0xE931, AFX_IDW_DOCKBAR_BOTTOM, 1, Rec::KIND_PLAIN | Rec::VISIBLE);
    pA->m_sizeDockedH = CSize(300, 130);
    pA->m_ptFloatPos = CPoint(77, 66);
    pA->m_nRowExtent = 45;
    Rec* pB = s.AddBar(0xE932, AFX_IDW_DOCKBAR_TOP, 1, Rec::KIND_PLAIN | Rec::NEW_ROW);
    pB->m_sizeDockedH = CSize(250, 90);
    // a record of a bar the frame does not have (made later) is passed over
    s.AddBar(0xE999, AFX_IDW_DOCKBAR_LEFT, 1, Rec::KIND_PLAIN | Rec::VISIBLE);
    ASSERT_TRUE(Store(UiBarsArchiveBytes([&](CArchive& ar) { s.Write(ar); })));
    WINDOWPLACEMENT wp;
    memset(&wp, 0, sizeof(wp));
    ASSERT_TRUE(Load(&wp));
    EXPECT_TRUE(m_pA->IsDockedAtBottom());
    EXPECT_TRUE(m_pA->IsWindowVisible());
    EXPECT_EQ(m_pA->m_sizeDockedH, CSize(300, 130));
    EXPECT_EQ(m_pA->m_ptFloatPos, CPoint(77, 66));
    EXPECT_EQ(m_pA->m_nSavedRowExtent, 45);
    EXPECT_TRUE(m_pB->IsDockedAtTop());
    EXPECT_FALSE(m_pB->IsWindowVisible());
    EXPECT_EQ(m_pB->m_sizeDockedH, CSize(250, 90));
    // the placement came back and was applied
    EXPECT_EQ(CRect(wp.rcNormalPosition), CRect(40, 30, 700, 520));
    EXPECT_EQ(ScreenRect(m_pFrame), CRect(40, 30, 700, 520));
    EXPECT_FALSE(CExtControlBar::IsFrameSerializing(m_pFrame));
    ExpectAllArraysSound();
}

TEST_F(BarStateTest, CompatibilityValueAndPlacementText)
{
    Stream_t s;
    s.AddBar(0xE931, AFX_IDW_DOCKBAR_TOP, 1, Rec::KIND_PLAIN | Rec::VISIBLE);
    s.dwCompat = 0x204;
    ASSERT_TRUE(Store(UiBarsArchiveBytes([&](CArchive& ar) { s.Write(ar); })));
    EXPECT_FALSE(Load());
    ExpectDefaultLayout();
    s.dwCompat = 0x203;
    for (LPCTSTR psz : { "1,2,300,400,1", "1,2,300,400,1,0,9", "a,b,c,d,e,f", "1,2,300,99999,1,0",
                         "300,2,100,400,1,0", "1,2,300,400,77,0", "" })
    {
        s.strPlacement = psz;
        ASSERT_TRUE(Store(UiBarsArchiveBytes([&](CArchive& ar) { s.Write(ar); })));
        EXPECT_FALSE(Load()) << psz;
        ExpectDefaultLayout();
    }
    WINDOWPLACEMENT wp;
    memset(&wp, 0, sizeof(wp));
    EXPECT_TRUE(ExtBarStateParsePlacement("-10,-20,300,400,3,2", wp));
    EXPECT_EQ(CRect(wp.rcNormalPosition), CRect(-10, -20, 300, 400));
    EXPECT_EQ(wp.showCmd, 3u);
    EXPECT_EQ(wp.flags, 2u);
}

TEST_F(BarStateTest, StoredPlacementIsKeptOnTheWorkArea)
{
    CRect rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    Stream_t s;
    s.strPlacement = "5000,4000,5600,4500,1,0";
    ASSERT_TRUE(Store(UiBarsArchiveBytes([&](CArchive& ar) { s.Write(ar); })));
    WINDOWPLACEMENT wp;
    ASSERT_TRUE(Load(&wp));
    CRect rc = ScreenRect(m_pFrame);
    EXPECT_EQ(rc.Size(), CSize(600, 500));
    CRect rcIn;
    EXPECT_TRUE(rcIn.IntersectRect(rc, rcWork));
    EXPECT_EQ(rcIn, rc);
    // a maximised placement takes the work area
    s.strPlacement = "10,10,300,200,3,0";
    ASSERT_TRUE(Store(UiBarsArchiveBytes([&](CArchive& ar) { s.Write(ar); })));
    ASSERT_TRUE(Load(&wp));
    EXPECT_EQ(ScreenRect(m_pFrame), rcWork);
}

TEST_F(BarStateTest, HostileStreamsFailCleanly)
{
    Stream_t s;
    s.AddBar(0xE931, AFX_IDW_DOCKBAR_TOP, 1, Rec::KIND_PLAIN | Rec::VISIBLE);
    s.AddBar(0xE932, AFX_IDW_DOCKBAR_BOTTOM, 1, Rec::KIND_PLAIN | Rec::VISIBLE);
    std::vector<BYTE> good = UiBarsArchiveBytes([&](CArchive& ar) { s.Write(ar); });
    // every truncation fails and changes nothing
    for (size_t n : { (size_t)1, (size_t)10, good.size() / 3, good.size() / 2, good.size() - 9,
                      good.size() - 1 })
    {
        std::vector<BYTE> cut(good.begin(), good.begin() + n);
        ASSERT_TRUE(Store(cut));
        EXPECT_FALSE(Load()) << n;
        ExpectDefaultLayout();
    }
    // a title that claims more characters than there are
    ASSERT_TRUE(Store(UiBarsArchiveBytes([&](CArchive& ar) {
        ar << (BYTE)0xFF << (WORD)0xFFFF << (DWORD)0x7FFFFFF0;
        ar << (DWORD)0x203;
    })));
    EXPECT_FALSE(Load());
    ExpectDefaultLayout();
    // counts that lie: bar records, outer records, hidden ids
    for (int nWhich = 0; nWhich < 3; nWhich++)
    {
        ASSERT_TRUE(Store(UiBarsArchiveBytes([&](CArchive& ar) {
            ar << s.strTitle << s.dwVersion << s.dwCompat;
            for (int i = 0; i < 4; i++)
                ar << (DWORD)0;
            ar << s.strPlacement;
            CDockState state;
            state.Serialize(ar);
            ar << (DWORD)(nWhich == 0 ? 0x7FFFFFFF : 0);
            if (nWhich >= 1)
                ar << (DWORD)(nWhich == 1 ? 0x10000000 : 0);
            if (nWhich == 2)
                ar << (DWORD)0x40000000;
            ar << (DWORD)0 << (DWORD)0;
        })));
        EXPECT_FALSE(Load()) << nWhich;
        ExpectDefaultLayout();
    }
    // nesting far deeper than any layout
    Stream_t deep;
    Rec* pTop = deep.AddBar(0xE800, AFX_IDW_DOCKBAR_LEFT, 1, Rec::KIND_CONTAINER | Rec::VISIBLE);
    Rec* p = pTop;
    for (int i = 0; i < 40; i++)
    {
        Rec* pChild = new Rec;
        pChild->m_dwFlags = Rec::KIND_CONTAINER | Rec::CHILD;
        p->m_arrChildStates.Add(pChild);
        p = pChild;
    }
    ASSERT_TRUE(Store(UiBarsArchiveBytes([&](CArchive& ar) { deep.Write(ar); })));
    EXPECT_FALSE(Load());
    ExpectDefaultLayout();
    // a tab group holding a container cannot be rebuilt: the load fails before anything moves
    Stream_t tabs;
    tabs.AddBar(0xE931, AFX_IDW_DOCKBAR_TOP, 1, Rec::KIND_PLAIN | Rec::VISIBLE);
    Rec* pGroup = tabs.AddBar(0xE940, AFX_IDW_DOCKBAR_TOP, 1, Rec::KIND_TABS | Rec::VISIBLE);
    Rec* pTab = new Rec;
    pTab->m_nBarID = 0xE932;
    pTab->m_dwFlags = Rec::KIND_CONTAINER | Rec::CHILD | Rec::TAB;
    pGroup->m_arrChildStates.Add(pTab);
    ASSERT_TRUE(Store(UiBarsArchiveBytes([&](CArchive& ar) { tabs.Write(ar); })));
    EXPECT_FALSE(Load());
    ExpectDefaultLayout();
    // absurd sizes and one bar named twice are refused as well
    Stream_t wild;
    wild.AddBar(0xE931, AFX_IDW_DOCKBAR_TOP, 1, Rec::KIND_PLAIN)->m_sizeDockedH = CSize(-5, 900000);
    ASSERT_TRUE(Store(UiBarsArchiveBytes([&](CArchive& ar) { wild.Write(ar); })));
    EXPECT_FALSE(Load());
    ExpectDefaultLayout();
    Stream_t twice;
    twice.AddBar(0xE931, AFX_IDW_DOCKBAR_TOP, 1, Rec::KIND_PLAIN);
    twice.AddBar(0xE931, AFX_IDW_DOCKBAR_BOTTOM, 1, Rec::KIND_PLAIN);
    ASSERT_TRUE(Store(UiBarsArchiveBytes([&](CArchive& ar) { twice.Write(ar); })));
    EXPECT_FALSE(Load());
    ExpectDefaultLayout();
}

TEST_F(BarStateTest, ReentryAndDraggingDuringSerializationAreRefused)
{
    CExtControlBar::g_mapSerializingFrames.SetAt(m_pFrame, 1);
    Stream_t s;
    std::vector<BYTE> bytes = UiBarsArchiveBytes([&](CArchive& ar) { s.Write(ar); });
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    EXPECT_FALSE(CExtControlBar::SerializeFrameBarState(ar, m_pFrame, NULL));
    // a drag does not start while the frame's layout is being read
    CRect rcB = ScreenRect(m_pB);
    PostMouseAt(m_pB, WM_LBUTTONUP, rcB.CenterPoint(), 0);
    m_pB->StartDragging(rcB.CenterPoint(), CPoint(0, 0), 0, 0);
    EXPECT_FALSE(m_pB->m_bDragging);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    CExtControlBar::g_mapSerializingFrames.RemoveKey(m_pFrame);
    PumpPendingMessages();
    ar.Abort();
}

TEST_F(BarStateTest, EmptyOuterLayoutRecordReadsBackAsDefaults)
{
    CExtControlBar::OuterItemData_t item;
    item.m_nBarID = 0xE950;
    item.m_bFloating = true;
    item.m_ald.m_nRank = 0;
    item.m_ald.m_rcRemembered = CRect(1, 2, 3, 4);
    std::vector<BYTE> bytes = UiBarsArchiveBytes([&](CArchive& ar) { item.Serialize(ar); });
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    CExtControlBar::OuterItemData_t back;
    back.m_ald.m_nRank = 9;
    back.Serialize(ar);
    EXPECT_EQ(back.m_nBarID, 0xE950u);
    EXPECT_TRUE(back.m_bFloating);
    EXPECT_EQ(back.m_ald.m_nRank, 0);
    EXPECT_TRUE(back.m_ald.m_rcRemembered.IsRectEmpty());
    EXPECT_EQ(back.m_ald.m_nLengthHorz, 0);
    EXPECT_EQ(back.m_ald.m_nLengthVert, 0);
    EXPECT_TRUE(back.m_ald.m_bFlag);
    ar.Abort();
}

TEST_F(BarStateTest, CapturedLayoutLoadsBack)
{
    // A at the top, B floating; captured, then the frame goes back to its default layout
    ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    m_pA->m_sizeDockedH.cy = 140;
    m_pB->m_sizeFloated = CSize(210, 170);
    m_pB->FloatAtPosition(CPoint(420, 260));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    std::vector<BYTE> bytes = UiBarsArchiveBytes([&](CArchive& ar) {
        EXPECT_TRUE(CExtControlBar::SerializeFrameBarState(ar, m_pFrame, NULL));
    });
    ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(m_pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    ASSERT_TRUE(Store(bytes));
    ASSERT_TRUE(Load());
    PumpPendingMessages();
    EXPECT_TRUE(m_pA->IsDockedAtTop());
    EXPECT_EQ(m_pA->m_sizeDockedH.cy, 140);
    ASSERT_TRUE(m_pB->IsFloating());
    EXPECT_EQ(ScreenRect(m_pB->GetParentFrame()).TopLeft(), CPoint(420, 260));
    EXPECT_TRUE(m_pB->IsWindowVisible());
    ExpectAllArraysSound();
}

TEST_F(BarStateTest, RowFlagsAndContainersComeBack)
{
    // two bars at the top: the second without the new-row flag shares the first one's row
    Stream_t s;
    s.AddBar(0xE931, AFX_IDW_DOCKBAR_TOP, 1, Rec::KIND_PLAIN | Rec::VISIBLE | Rec::NEW_ROW);
    s.AddBar(0xE932, AFX_IDW_DOCKBAR_TOP, 1, Rec::KIND_PLAIN | Rec::VISIBLE);
    ASSERT_TRUE(Store(UiBarsArchiveBytes([&](CArchive& ar) { s.Write(ar); })));
    ASSERT_TRUE(Load());
    PumpPendingMessages();
    ASSERT_TRUE(m_pA->IsDockedAtTop());
    ASSERT_EQ(m_pA->m_pDockBar, m_pB->m_pDockBar);
    EXPECT_EQ(ScreenRect(m_pA).top, ScreenRect(m_pB).top);
    EXPECT_TRUE(m_pA->IsSingleInRow(false, false) == false);
    // with the flag: a row of its own
    s.bars[1]->m_dwFlags |= Rec::NEW_ROW;
    ASSERT_TRUE(Store(UiBarsArchiveBytes([&](CArchive& ar) { s.Write(ar); })));
    ASSERT_TRUE(Load());
    PumpPendingMessages();
    EXPECT_TRUE(m_pA->IsSingleInRow(false, false));
    EXPECT_NE(ScreenRect(m_pA).top, ScreenRect(m_pB).top);
    ExpectAllArraysSound();

    // a container captured at the left comes back as one
    ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(m_pB->DockBesideBar(50, m_pA, AFX_IDW_DOCKBAR_BOTTOM));
    m_pFrame->RecalcLayout();
    std::vector<BYTE> bytes = UiBarsArchiveBytes([&](CArchive& ar) {
        EXPECT_TRUE(CExtControlBar::SerializeFrameBarState(ar, m_pFrame, NULL));
    });
    ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    ASSERT_TRUE(m_pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    ASSERT_TRUE(Store(bytes));
    ASSERT_TRUE(Load());
    PumpPendingMessages();
    CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, m_pA->m_pDockBar);
    ASSERT_TRUE(pInner != NULL);
    EXPECT_TRUE(pInner->GetContainer()->IsDockedAtLeft());
    EXPECT_EQ(m_pA->m_pDockBar, m_pB->m_pDockBar);
    EXPECT_LT(ScreenRect(m_pA).top, ScreenRect(m_pB).top);
    EXPECT_TRUE(m_pA->IsWindowVisible());
    EXPECT_TRUE(m_pB->IsWindowVisible());
    ExpectAllArraysSound();
}

TEST_F(BarStateTest, FloatingContainerComesBackInAFrameOnTheScreen)
{
    m_pA->m_sizeFloated = CSize(240, 200);
    m_pA->FloatAtPosition(CPoint(260, 180));
    ASSERT_TRUE(m_pB->DockBesideBar(50, m_pA, AFX_IDW_DOCKBAR_LEFT));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    ASSERT_TRUE(IsInFloatingContainer(m_pA));
    ASSERT_EQ(m_pA->m_pDockBar, m_pB->m_pDockBar);
    std::vector<BYTE> bytes = UiBarsArchiveBytes([&](CArchive& ar) {
        EXPECT_TRUE(CExtControlBar::SerializeFrameBarState(ar, m_pFrame, NULL));
    });
    ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(m_pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    ASSERT_TRUE(Store(bytes));
    ASSERT_TRUE(Load());
    PumpPendingMessages();
    EXPECT_TRUE(IsInFloatingContainer(m_pA));
    EXPECT_EQ(m_pA->m_pDockBar, m_pB->m_pDockBar);
    EXPECT_LT(ScreenRect(m_pB).left, ScreenRect(m_pA).left);
    CFrameWnd* pMini = m_pA->GetParentFrame();
    ASSERT_TRUE(pMini != NULL);
    EXPECT_TRUE(pMini->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)));
    CRect rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    CRect rcIn;
    EXPECT_TRUE(rcIn.IntersectRect(ScreenRect(pMini), rcWork));
    ExpectAllArraysSound();
}

TEST_F(BarStateTest, ContainerKeepsItsSplitSizes)
{
    // A over B in one container at the left, A given much more of the column than B
    ASSERT_TRUE(m_pB->DockBesideBar(50, m_pA, AFX_IDW_DOCKBAR_BOTTOM));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    ASSERT_EQ(m_pA->m_pDockBar, m_pB->m_pDockBar);
    int nColumn = ScreenRect(m_pA).Height() + ScreenRect(m_pB).Height();
    CExtControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDockDynBar, m_pA->m_pDockBar)->GetContainer();
    pContainer->m_sizeDockedV.cx = 290;
    m_pA->m_sizeDockedV.cy = nColumn * 3 / 4;
    m_pB->m_sizeDockedV.cy = nColumn - nColumn * 3 / 4;
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    int nHeightA = ScreenRect(m_pA).Height(), nHeightB = ScreenRect(m_pB).Height();
    int nWidth = ScreenRect(pContainer).Width();
    ASSERT_GT(nHeightA, nHeightB * 2);
    ASSERT_GT(nWidth, 250);
    std::vector<BYTE> bytes = UiBarsArchiveBytes([&](CArchive& ar) {
        EXPECT_TRUE(CExtControlBar::SerializeFrameBarState(ar, m_pFrame, NULL));
    });
    // back to the default layout, where the bars get other sizes
    ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(m_pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    m_pA->m_sizeDockedV = m_pB->m_sizeDockedV = CSize(200, 200);
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    ASSERT_TRUE(Store(bytes));
    ASSERT_TRUE(Load());
    PumpPendingMessages();
    CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, m_pA->m_pDockBar);
    ASSERT_TRUE(pInner != NULL);
    ASSERT_EQ(m_pA->m_pDockBar, m_pB->m_pDockBar);
    EXPECT_LT(ScreenRect(m_pA).top, ScreenRect(m_pB).top);
    EXPECT_NEAR(ScreenRect(m_pA).Height(), nHeightA, 2);
    EXPECT_NEAR(ScreenRect(m_pB).Height(), nHeightB, 2);
    EXPECT_EQ(ScreenRect(pInner->GetContainer()).Width(), nWidth);
    EXPECT_EQ(m_pA->m_sizeDockedV.cy + m_pB->m_sizeDockedV.cy, nHeightA + nHeightB);
    ExpectAllArraysSound();
}
