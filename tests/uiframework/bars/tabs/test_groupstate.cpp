// The stored bar layout with tab groups and auto-hidden bars: captured, the bars moved
// elsewhere, loaded back; frames without auto-hide areas, old and damaged streams.
#include "../uibars_support.h"
#include "uiframework/bars/ExtBarState.h"
#include "uiframework/bars/ExtDynAutoHide.h"
#include "uiframework/bars/ExtDynTabControlBar.h"

#include <functional>

namespace
{

typedef CExtControlBar::InternalDockStateBar Rec;
typedef CExtControlBar::InternalDockStateSite Site;

// A group class of the frame's own.
class CTestGroup : public CExtDynTabControlBar
{
    DECLARE_DYNAMIC(CTestGroup)
};
IMPLEMENT_DYNAMIC(CTestGroup, CExtDynTabControlBar)

std::vector<BYTE> Capture(CFrameWnd* pFrame)
{
    return UiBarsArchiveBytes([&](CArchive& ar) {
        EXPECT_TRUE(CExtControlBar::SerializeFrameBarState(ar, pFrame, NULL));
    });
}

bool Restore(CFrameWnd* pFrame, const std::vector<BYTE>& bytes)
{
    CMemFile file(1024);
    if (!bytes.empty())
        file.Write(bytes.data(), (UINT)bytes.size());
    file.Seek(0, CFile::begin);
    CArchive ar(&file, CArchive::load, 4096);
    bool bResult = CExtControlBar::SerializeFrameBarState(ar, pFrame, NULL);
    ar.Abort();
    PumpPendingMessages();
    return bResult;
}

// Reads a stream into a site (no frame change), lets fn edit it, writes it again.
std::vector<BYTE> Edit(CFrameWnd* pFrame, const std::vector<BYTE>& bytes,
                       const std::function<void(Site&)>& fn)
{
    Site site(pFrame);
    CMemFile file((BYTE*)bytes.data(), (UINT)bytes.size());
    {
        CArchive ar(&file, CArchive::load);
        site.Serialize(ar);
        ar.Abort();
    }
    fn(site);
    return UiBarsArchiveBytes([&](CArchive& ar) { site.Serialize(ar); });
}

// The top-level record of a tab group (NULL when there is none).
Rec* FindGroupRecord(Site& site)
{
    for (INT_PTR i = 0; i < site.m_arrBarStates.GetSize(); i++)
        if ((site.m_arrBarStates[i]->m_dwFlags & Rec::KIND_MASK) == Rec::KIND_TABS)
            return site.m_arrBarStates[i];
    return NULL;
}

CExtDynTabControlBar* GroupOf(CExtControlBar* pBar)
{
    CExtControlBar* pOwner = pBar->GetTabbedContainer();
    return pOwner != pBar ? DYNAMIC_DOWNCAST(CExtDynTabControlBar, pOwner) : NULL;
}

CRect ScreenRect(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

// A stream written before groups and auto-hidden bars were kept: 0xE961 at the bottom
// (docked height 111), 0xE962 above 0xE963 in a container at the right.
const BYTE s_oldStream[] = {
    0x26, 0x42, 0x61, 0x79, 0x6D, 0x6F, 0x6F, 0x72, 0x20, 0x28, 0x76, 0x2E, 0x20, 0x32, 0x2E, 0x33,
    0x2E, 0x30, 0x2E, 0x30, 0x29, 0x20, 0x63, 0x6F, 0x6E, 0x74, 0x72, 0x6F, 0x6C, 0x20, 0x62, 0x61,
    0x72, 0x20, 0x73, 0x74, 0x61, 0x74, 0x65, 0x00, 0x00, 0x03, 0x02, 0x03, 0x02, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x11,
    0x31, 0x30, 0x2C, 0x31, 0x30, 0x2C, 0x38, 0x31, 0x30, 0x2C, 0x36, 0x31, 0x30, 0x2C, 0x31, 0x2C,
    0x30, 0x01, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x0C, 0x00, 0x00,
    0x00, 0x1B, 0xE8, 0x00, 0x00, 0x0D, 0x10, 0x00, 0x00, 0x00, 0x23, 0x00, 0x00, 0x00, 0xFF, 0x7F,
    0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1E, 0xE8, 0x00, 0x00, 0x0D, 0x10,
    0x00, 0x00, 0x00, 0x5C, 0x02, 0x00, 0x00, 0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x1C, 0xE8, 0x00, 0x00, 0x09, 0x10, 0x00, 0x00, 0x00, 0x23, 0x00, 0x00, 0x00,
    0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1D, 0xE8, 0x00, 0x00,
    0x09, 0x24, 0x03, 0x00, 0x00, 0x23, 0x00, 0x00, 0x00, 0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x61, 0xE9, 0x00, 0x00, 0x15, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0xFF, 0x7F, 0x00, 0x00, 0x1E, 0xE8, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x14, 0x03, 0x00, 0x00, 0x6F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x62, 0xE9, 0x00, 0x00, 0x11, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0xFF, 0x7F, 0x00, 0x00, 0x1D, 0xE8, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x96, 0x00, 0x00, 0x00, 0xA1, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x63, 0xE9, 0x00, 0x00, 0x11, 0x00, 0x00, 0x00, 0x00,
    0xE0, 0x00, 0x00, 0x00, 0xFF, 0x7F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1B, 0xE8, 0x00, 0x00, 0x0D, 0x10, 0x00, 0x00,
    0x00, 0x23, 0x00, 0x00, 0x00, 0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x1E, 0xE8, 0x00, 0x00, 0x0D, 0x10, 0x00, 0x00, 0x00, 0xEB, 0x01, 0x00, 0x00, 0xFF, 0x7F,
    0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x61, 0xE9, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x1C, 0xE8, 0x00, 0x00, 0x09, 0x10, 0x00, 0x00, 0x00, 0x23, 0x00, 0x00, 0x00, 0xFF,
    0x7F, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1D, 0xE8, 0x00, 0x00, 0x09,
    0x8C, 0x02, 0x00, 0x00, 0x23, 0x00, 0x00, 0x00, 0xFF, 0x7F, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x1C, 0xE8, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1C, 0xE8, 0x00, 0x00,
    0x11, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x7F, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x96, 0x00, 0x00, 0x00, 0xC8, 0x01, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x02, 0x00, 0x00, 0x00, 0x61, 0xE9, 0x00, 0x00, 0x1E, 0xE8, 0x00, 0x00, 0x01, 0x00, 0x00,
    0x00, 0xFF, 0x7F, 0x00, 0x00, 0x3C, 0x8F, 0x40, 0x00, 0x11, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x14, 0x03, 0x00, 0x00, 0x6F, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0xC8, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0x14, 0x03, 0x00, 0x00, 0x6F, 0x00, 0x00,
    0x00, 0x96, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x1C, 0xE8, 0x00, 0x00, 0x1D, 0xE8, 0x00, 0x00, 0x01, 0x00, 0x00,
    0x00, 0xFF, 0x7F, 0x00, 0x00, 0x10, 0x4F, 0x00, 0x00, 0x12, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x96, 0x00, 0x00, 0x00, 0xC8, 0x01, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0xC8, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0x96, 0x00, 0x00,
    0x00, 0x96, 0x00, 0x00, 0x00, 0xC8, 0x01, 0x00, 0x00, 0x96, 0x00, 0x00, 0x00, 0xA1, 0x01, 0x00,
    0x00, 0x02, 0x00, 0x00, 0x00, 0x62, 0xE9, 0x00, 0x00, 0x1C, 0xE8, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0xFF, 0x7F, 0x00, 0x00, 0x3C, 0x1F, 0x40, 0x00, 0x91, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x96, 0x00, 0x00, 0x00, 0xA1, 0x01, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0xC8, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0x96, 0x00, 0x00, 0x00, 0xD0, 0x00, 0x00,
    0x00, 0x8E, 0x00, 0x00, 0x00, 0xE0, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x63, 0xE9, 0x00, 0x00, 0x1C, 0xE8, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0xFF, 0x7F, 0x00, 0x00, 0x3C, 0x1F, 0x40, 0x00, 0x91, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0xC8, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0x96, 0x00, 0x00, 0x00, 0xD1, 0x00, 0x00,
    0x00, 0x8E, 0x00, 0x00, 0x00, 0xE0, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
};

} // namespace

class GroupStateTest : public UiBarsTest
{
protected:
    void SetUp() override
    {
        UiBarsTest::SetUp();
        m_pA = NewBar(0xE971, "Alpha");
        m_pB = NewBar(0xE972, "Beta");
        m_pC = NewBar(0xE973, "Gamma");
        ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
        ASSERT_TRUE(m_pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
        ASSERT_TRUE(m_pC->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
    }
    void TearDown() override
    {
        if (m_pFrame != NULL)
            m_pFrame->m_onCreateTabbedBar = nullptr;
        UiBarsTest::TearDown();
    }
    // Every bar on a side of its own, no group.
    void Scatter()
    {
        ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_BOTTOM));
        ASSERT_TRUE(m_pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
        ASSERT_TRUE(m_pC->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
        for (CExtControlBar* p : { (CExtControlBar*)m_pA, (CExtControlBar*)m_pB,
                                   (CExtControlBar*)m_pC })
            m_pFrame->ShowControlBar(p, TRUE, FALSE);
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
        ASSERT_EQ(GroupOf(m_pA), (CExtDynTabControlBar*)NULL);
        ASSERT_EQ(GroupOf(m_pB), (CExtDynTabControlBar*)NULL);
    }
    void ExpectScattered()
    {
        EXPECT_TRUE(m_pA->IsDockedAtBottom());
        EXPECT_TRUE(m_pB->IsDockedAtRight());
        EXPECT_TRUE(m_pC->IsDockedAtTop());
        EXPECT_EQ(GroupOf(m_pA), (CExtDynTabControlBar*)NULL);
        EXPECT_EQ(GroupOf(m_pB), (CExtDynTabControlBar*)NULL);
        EXPECT_TRUE(m_pA->IsWindowVisible() && m_pB->IsWindowVisible() && m_pC->IsWindowVisible());
        EXPECT_FALSE(m_pA->m_bAutoHidden || m_pB->m_bAutoHidden || m_pC->m_bAutoHidden);
        ExpectAllArraysSound();
    }
    // The live tab groups of the frame.
    int CountGroups()
    {
        CSingleLock lock(&CExtControlBar::g_csAllBars, TRUE);
        int n = 0;
        for (INT_PTR i = 0; i < CExtControlBar::g_arrAllBars.GetSize(); i++)
        {
            CExtDynTabControlBar* p = DYNAMIC_DOWNCAST(CExtDynTabControlBar,
                                                       CExtControlBar::g_arrAllBars[i]);
            if (p != NULL && p->m_hWnd != NULL && p->m_pDockSite == m_pFrame)
                n++;
        }
        return n;
    }
    // A group of A and B (in that order) at the left, the second tab selected.
    CExtDynTabControlBar* GroupAB()
    {
        EXPECT_TRUE(m_pA->DockAsTab(m_pB));
        CExtDynTabControlBar* pGroup = GroupOf(m_pA);
        EXPECT_TRUE(pGroup != NULL);
        if (pGroup == NULL)
            return NULL;
        pGroup->m_wndTabs.SetSelection(1, true, true);
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
        EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pB);
        return pGroup;
    }
    void ExpectTabs(CExtDynTabControlBar* pGroup, std::vector<CExtControlBar*> bars)
    {
        ASSERT_EQ(pGroup->m_wndTabs.GetItemCount(), (int)bars.size());
        for (size_t i = 0; i < bars.size(); i++)
            EXPECT_EQ(pGroup->m_wndTabs.GetItemData((int)i), (LPARAM)bars[i]) << i;
    }

    CTestResizableBar* m_pA = NULL;
    CTestResizableBar* m_pB = NULL;
    CTestResizableBar* m_pC = NULL;
};

TEST_F(GroupStateTest, TabGroupComesBackWithOrderAndSelection)
{
    CExtDynTabControlBar* pOld = GroupAB();
    ASSERT_TRUE(pOld != NULL);
    pOld->m_sizeDockedV.cx = 230;
    m_pFrame->RecalcLayout();
    std::vector<BYTE> bytes = Capture(m_pFrame);

    // the capture: one group record, its tabs in order, the second selected
    Edit(m_pFrame, bytes, [&](Site& site) {
        Rec* pGroup = FindGroupRecord(site);
        ASSERT_TRUE(pGroup != NULL);
        EXPECT_EQ(pGroup->m_nDockBarID, (UINT)AFX_IDW_DOCKBAR_LEFT);
        EXPECT_TRUE(pGroup->m_dwFlags & Rec::VISIBLE);
        ASSERT_EQ(pGroup->m_arrChildStates.GetSize(), 2);
        EXPECT_EQ(pGroup->m_arrChildStates[0]->m_nBarID, 0xE971u);
        EXPECT_EQ(pGroup->m_arrChildStates[1]->m_nBarID, 0xE972u);
        EXPECT_EQ(pGroup->m_arrChildStates[0]->m_dwFlags,
                  (DWORD)(Rec::KIND_PLAIN | Rec::VISIBLE | Rec::CHILD | Rec::TAB));
        EXPECT_EQ(pGroup->m_arrChildStates[1]->m_dwFlags,
                  (DWORD)(Rec::KIND_PLAIN | Rec::VISIBLE | Rec::CHILD | Rec::TAB |
                          Rec::SELECTED_TAB));
        EXPECT_EQ(site.m_arrAutoHideOrder.GetSize(), 0);
    });

    Scatter();
    int nAskedBefore = m_pFrame->m_nCreateTabbedBarAsked;
    ASSERT_TRUE(Restore(m_pFrame, bytes));
    CExtDynTabControlBar* pGroup = GroupOf(m_pA);
    ASSERT_TRUE(pGroup != NULL);
    EXPECT_EQ(GroupOf(m_pB), pGroup);
    // the frame was asked, left it to the framework
    EXPECT_EQ(m_pFrame->m_nCreateTabbedBarAsked, nAskedBefore + 1);
    EXPECT_TRUE(pGroup->GetRuntimeClass() == RUNTIME_CLASS(CExtDynTabControlBar));
    EXPECT_TRUE(pGroup->IsDockedAtLeft());
    EXPECT_TRUE(pGroup->IsWindowVisible());
    ExpectTabs(pGroup, { m_pA, m_pB });
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pB);
    EXPECT_EQ(::GetWindow(pGroup->GetTabDockBar()->m_hWnd, GW_CHILD), m_pB->m_hWnd);
    EXPECT_TRUE(pGroup->IsTabStripVisible());
    EXPECT_EQ(pGroup->m_sizeDockedV.cx, 230);
    EXPECT_EQ(m_pFrame->ChildRect(pGroup).Width(), 230);
    EXPECT_EQ(ScreenRect(m_pA), ScreenRect(m_pB));
    EXPECT_TRUE(m_pC->IsDockedAtTop());
    EXPECT_EQ(CountGroups(), 1);
    ExpectAllArraysSound();

    // loading it over the group it made gives one group again, the old one gone
    pGroup->m_wndTabs.SetSelection(0, true, true);
    ASSERT_TRUE(Restore(m_pFrame, bytes));
    EXPECT_EQ(CountGroups(), 1);
    pGroup = GroupOf(m_pA);
    ASSERT_TRUE(pGroup != NULL);
    ExpectTabs(pGroup, { m_pA, m_pB });
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pB);
    ExpectAllArraysSound();
}

TEST_F(GroupStateTest, HiddenMembersAndAHiddenSelectedTab)
{
    ASSERT_TRUE(m_pC->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    CExtDynTabControlBar* pGroup = GroupAB();
    ASSERT_TRUE(pGroup != NULL);
    ASSERT_TRUE(m_pA->DockAsTab(m_pC));
    ExpectTabs(pGroup, { m_pA, m_pB, m_pC });
    pGroup->m_wndTabs.SetSelection(2, true, true);
    m_pFrame->ShowControlBar(m_pB, FALSE, FALSE);
    pGroup->OnMemberShowChanged(m_pB);
    ASSERT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pC);
    std::vector<BYTE> bytes = Capture(m_pFrame);
    Scatter();

    ASSERT_TRUE(Restore(m_pFrame, bytes));
    pGroup = GroupOf(m_pA);
    ASSERT_TRUE(pGroup != NULL);
    EXPECT_EQ(GroupOf(m_pC), pGroup);
    ExpectTabs(pGroup, { m_pA, m_pB, m_pC });
    EXPECT_FALSE(m_pB->IsWindowVisible());
    EXPECT_FALSE(pGroup->m_wndTabs.GetItem(1)->IsVisible());
    EXPECT_TRUE(pGroup->m_wndTabs.GetItem(0)->IsVisible());
    EXPECT_TRUE(pGroup->m_wndTabs.GetItem(2)->IsVisible());
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pC);
    EXPECT_TRUE(pGroup->IsTabStripVisible());
    ExpectAllArraysSound();

    // a stored selection on a hidden tab leaves a shown tab selected
    std::vector<BYTE> hiddenSel = Edit(m_pFrame, bytes, [&](Site& site) {
        Rec* pRec = FindGroupRecord(site);
        ASSERT_TRUE(pRec != NULL);
        ASSERT_EQ(pRec->m_arrChildStates.GetSize(), 3);
        pRec->m_arrChildStates[2]->m_dwFlags &= ~Rec::SELECTED_TAB;
        pRec->m_arrChildStates[1]->m_dwFlags |= Rec::SELECTED_TAB;
    });
    Scatter();
    ASSERT_TRUE(Restore(m_pFrame, hiddenSel));
    pGroup = GroupOf(m_pA);
    ASSERT_TRUE(pGroup != NULL);
    CExtControlBar* pSel = pGroup->GetSelectedBar();
    EXPECT_TRUE(pSel == m_pA || pSel == m_pC);
    EXPECT_FALSE(m_pB->IsWindowVisible());
    ExpectAllArraysSound();
}

TEST_F(GroupStateTest, FloatingGroupComesBackInItsFrame)
{
    m_pA->m_sizeFloated = CSize(220, 190);
    m_pA->FloatAtPosition(CPoint(300, 210));
    m_pFrame->RecalcLayout();
    ASSERT_TRUE(m_pA->DockAsTab(m_pB));
    PumpPendingMessages();
    CExtDynTabControlBar* pGroup = GroupOf(m_pA);
    ASSERT_TRUE(pGroup != NULL);
    ASSERT_TRUE(pGroup->IsFloating());
    pGroup->m_wndTabs.SetSelection(1, true, true);
    CRect rcMini = ScreenRect(pGroup->GetParentFrame());
    std::vector<BYTE> bytes = Capture(m_pFrame);
    Edit(m_pFrame, bytes, [&](Site& site) {
        Rec* pRec = FindGroupRecord(site);
        ASSERT_TRUE(pRec != NULL);
        EXPECT_TRUE(pRec->m_dwFlags & Rec::FLOATING_CONTAINER);
        EXPECT_EQ(pRec->m_nDockBarID, (UINT)AFX_IDW_DOCKBAR_FLOAT);
        EXPECT_EQ(pRec->m_rcFloatingFrame, rcMini);
    });
    Scatter();
    ASSERT_FALSE(m_pA->IsFloating());

    ASSERT_TRUE(Restore(m_pFrame, bytes));
    pGroup = GroupOf(m_pA);
    ASSERT_TRUE(pGroup != NULL);
    EXPECT_EQ(GroupOf(m_pB), pGroup);
    EXPECT_TRUE(pGroup->IsFloating());
    ExpectTabs(pGroup, { m_pA, m_pB });
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pB);
    CFrameWnd* pMini = pGroup->GetParentFrame();
    ASSERT_TRUE(pMini != NULL && pMini != m_pFrame);
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_EQ(ScreenRect(pMini).TopLeft(), rcMini.TopLeft());
    EXPECT_EQ(CountGroups(), 1);
    ExpectAllArraysSound();

    // loaded over itself: one group in one mini frame, the old frame gone
    HWND hOldMini = pMini->m_hWnd;
    ASSERT_TRUE(Restore(m_pFrame, bytes));
    pGroup = GroupOf(m_pA);
    ASSERT_TRUE(pGroup != NULL);
    EXPECT_TRUE(pGroup->IsFloating());
    EXPECT_EQ(CountGroups(), 1);
    ExpectTabs(pGroup, { m_pA, m_pB });
    EXPECT_EQ(ScreenRect(pGroup->GetParentFrame()).TopLeft(), rcMini.TopLeft());
    EXPECT_TRUE(pGroup->GetParentFrame()->m_hWnd == hOldMini || !::IsWindowVisible(hOldMini));
    ExpectAllArraysSound();
}

TEST_F(GroupStateTest, AutoHiddenBarAndGroupComeBackAutoHidden)
{
    ASSERT_TRUE(CExtDynAutoHideArea::SetupFrame(m_pFrame));
    ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    ASSERT_TRUE(m_pC->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    CExtDynTabControlBar* pGroup = GroupAB();
    ASSERT_TRUE(pGroup != NULL);
    ASSERT_TRUE(pGroup->IsDockedAtRight());
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pB, true, false, true, true));
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pC, true, false, true, true));
    CExtDynAutoHideArea* pRight = CExtDynAutoHideArea::FindAreaForSide(m_pFrame,
                                                                      AFX_IDW_DOCKBAR_RIGHT);
    CExtDynAutoHideArea* pLeft = CExtDynAutoHideArea::FindAreaForSide(m_pFrame,
                                                                     AFX_IDW_DOCKBAR_LEFT);
    CExtDynAutoHideSlider* pSlider = pRight->GetSlider();
    pSlider->SendMessage(WM_CANCELMODE);
    ASSERT_FALSE(pSlider->IsShown());
    std::vector<BYTE> bytes = Capture(m_pFrame);
    // one id per item group: the left edge's bar, then the shown member of the group
    Edit(m_pFrame, bytes, [&](Site& site) {
        ASSERT_EQ(site.m_arrAutoHideOrder.GetSize(), 2);
        EXPECT_EQ(site.m_arrAutoHideOrder[0], 0xE973u);
        EXPECT_EQ(site.m_arrAutoHideOrder[1], 0xE972u);
        Rec* pRec = FindGroupRecord(site);
        ASSERT_TRUE(pRec != NULL);
        EXPECT_EQ(pRec->m_nDockBarID, (UINT)AFX_IDW_DOCKBAR_RIGHT);
        EXPECT_TRUE(pRec->m_dwFlags & Rec::AUTO_HIDDEN);
    });

    // out of auto-hide and elsewhere
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pA, false, false, true, true));
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pC, false, false, true, true));
    PumpPendingMessages();
    Scatter();
    ASSERT_EQ(pRight->GetItemCount(), 0);
    ASSERT_EQ(pLeft->GetItemCount(), 0);

    for (int nRound = 0; nRound < 2; nRound++)
    {
        // the second round loads over the auto-hidden bars of the first
        ASSERT_TRUE(Restore(m_pFrame, bytes)) << nRound;
        m_pFrame->RecalcLayout();
        pGroup = GroupOf(m_pA);
        ASSERT_TRUE(pGroup != NULL);
        EXPECT_EQ(GroupOf(m_pB), pGroup);
        EXPECT_EQ(CountGroups(), 1);
        ExpectTabs(pGroup, { m_pA, m_pB });
        EXPECT_TRUE(pGroup->m_bAutoHidden && m_pA->m_bAutoHidden && m_pB->m_bAutoHidden);
        EXPECT_FALSE(pGroup->IsWindowVisible());
        ASSERT_EQ(pRight->GetItemCount(), 2);
        EXPECT_EQ(pRight->GetItemData(0), (LPARAM)m_pA);
        EXPECT_EQ(pRight->GetItemData(1), (LPARAM)m_pB);
        EXPECT_TRUE(pRight->GetItem(0)->IsGroupStart());
        EXPECT_FALSE(pRight->GetItem(0)->IsInGroupActive());
        EXPECT_TRUE(pRight->GetItem(1)->m_dwFlags & __ETWI_IN_GROUP_ACTIVE);
        EXPECT_TRUE(pRight->IsWindowVisible());
        ASSERT_EQ(pLeft->GetItemCount(), 1);
        EXPECT_EQ(pLeft->GetItemData(0), (LPARAM)m_pC);
        EXPECT_TRUE(pLeft->GetItem(0)->m_dwFlags & __ETWI_IN_GROUP_ACTIVE);
        EXPECT_TRUE(m_pC->m_bAutoHidden);
        EXPECT_FALSE(m_pC->IsWindowVisible());
        // nothing slid out
        EXPECT_FALSE(pSlider->IsShown());
        EXPECT_FALSE(pSlider->IsWindowVisible());
        EXPECT_EQ(m_pC->m_wndChild.GetParent(), (CWnd*)m_pC);
        EXPECT_EQ(m_pB->m_wndChild.GetParent(), (CWnd*)m_pB);
        ExpectAllArraysSound();
    }

    // leaving auto-hide shows the bars at their stored places
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pC, false, false, true, true));
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pA, false, false, true, true));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    EXPECT_TRUE(m_pC->IsDockedAtLeft());
    EXPECT_TRUE(m_pC->IsWindowVisible());
    EXPECT_TRUE(pGroup->IsDockedAtRight());
    EXPECT_TRUE(pGroup->IsWindowVisible());
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pB);
    EXPECT_EQ(pRight->GetItemCount() + pLeft->GetItemCount(), 0);
    ExpectAllArraysSound();
}

TEST_F(GroupStateTest, AutoHideListWithoutAreasOrWithUnknownIds)
{
    // a stream naming auto-hidden bars: the group and C, and ids of no bar
    ASSERT_TRUE(m_pC->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    ASSERT_TRUE(GroupAB() != NULL);
    std::vector<BYTE> bytes = Edit(m_pFrame, Capture(m_pFrame), [&](Site& site) {
        site.m_arrAutoHideOrder.Add(0xEEEE);
        site.m_arrAutoHideOrder.Add(0xE971);
        site.m_arrAutoHideOrder.Add(0xE973);
        site.m_arrAutoHideOrder.Add(0);
    });
    Scatter();
    // no areas: the bars stay docked and shown
    ASSERT_TRUE(Restore(m_pFrame, bytes));
    CExtDynTabControlBar* pGroup = GroupOf(m_pA);
    ASSERT_TRUE(pGroup != NULL);
    EXPECT_TRUE(pGroup->IsDockedAtLeft());
    EXPECT_TRUE(pGroup->IsWindowVisible());
    EXPECT_FALSE(pGroup->m_bAutoHidden || m_pA->m_bAutoHidden || m_pC->m_bAutoHidden);
    EXPECT_TRUE(m_pC->IsDockedAtRight());
    EXPECT_TRUE(m_pC->IsWindowVisible());
    ExpectAllArraysSound();

    // with areas the known ones go to their edges; the unknown ones are passed over
    ASSERT_TRUE(CExtDynAutoHideArea::SetupFrame(m_pFrame));
    Scatter();
    ASSERT_TRUE(Restore(m_pFrame, bytes));
    pGroup = GroupOf(m_pA);
    ASSERT_TRUE(pGroup != NULL);
    EXPECT_TRUE(pGroup->m_bAutoHidden);
    EXPECT_TRUE(m_pC->m_bAutoHidden);
    CExtDynAutoHideArea* pLeft = CExtDynAutoHideArea::FindAreaForSide(m_pFrame,
                                                                     AFX_IDW_DOCKBAR_LEFT);
    CExtDynAutoHideArea* pRight = CExtDynAutoHideArea::FindAreaForSide(m_pFrame,
                                                                      AFX_IDW_DOCKBAR_RIGHT);
    ASSERT_EQ(pLeft->GetItemCount(), 2);
    // the stored id (A) is the group's shown item
    EXPECT_TRUE(pLeft->GetItem(0)->IsInGroupActive());
    EXPECT_FALSE(pLeft->GetItem(1)->IsInGroupActive());
    ASSERT_EQ(pRight->GetItemCount(), 1);
    EXPECT_EQ(pRight->GetItemData(0), (LPARAM)m_pC);
    EXPECT_FALSE(pRight->GetSlider()->IsShown());
    ExpectAllArraysSound();
}

TEST_F(GroupStateTest, OldStreamStillLoads)
{
    CTestResizableBar* pD = NewBar(0xE961, "D");
    CTestResizableBar* pE = NewBar(0xE962, "E");
    CTestResizableBar* pF = NewBar(0xE963, "F");
    ASSERT_TRUE(pD->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    ASSERT_TRUE(pE->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(pF->DockToFrameSide(AFX_IDW_DOCKBAR_BOTTOM));
    m_pFrame->RecalcLayout();
    std::vector<BYTE> bytes(s_oldStream, s_oldStream + sizeof(s_oldStream));
    ASSERT_TRUE(Restore(m_pFrame, bytes));
    EXPECT_TRUE(pD->IsDockedAtBottom());
    EXPECT_EQ(pD->m_sizeDockedH.cy, 111);
    CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, pE->m_pDockBar);
    ASSERT_TRUE(pInner != NULL);
    EXPECT_EQ(pF->m_pDockBar, pE->m_pDockBar);
    EXPECT_TRUE(pInner->GetContainer()->IsDockedAtRight());
    EXPECT_LT(ScreenRect(pE).top, ScreenRect(pF).top);
    EXPECT_TRUE(pD->IsWindowVisible() && pE->IsWindowVisible() && pF->IsWindowVisible());
    EXPECT_EQ(CountGroups(), 0);
    ExpectAllArraysSound();
}

TEST_F(GroupStateTest, DamagedStreamsWithGroupsChangeNothing)
{
    ASSERT_TRUE(CExtDynAutoHideArea::SetupFrame(m_pFrame));
    ASSERT_TRUE(GroupAB() != NULL);
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pC, true, false, true, true));
    CExtDynAutoHideArea::FindAreaForSide(m_pFrame, AFX_IDW_DOCKBAR_TOP)->GetSlider()->SendMessage(
        WM_CANCELMODE);
    std::vector<BYTE> good = Capture(m_pFrame);
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(m_pC, false, false, true, true));
    Scatter();
    // every cut of the stream fails and moves nothing
    for (size_t n = 0; n < good.size(); n += (n < 64 || n + 64 > good.size()) ? 1 : 7)
    {
        std::vector<BYTE> cut(good.begin(), good.begin() + n);
        ASSERT_FALSE(Restore(m_pFrame, cut)) << n;
        if (::testing::Test::HasFailure())
            break;
    }
    ExpectScattered();
    EXPECT_EQ(CountGroups(), 0);

    // records that cannot apply: a group inside a group, a container or a bar named
    // twice among the tabs, a tab of absurd size, a group at no side
    std::vector<std::function<void(Site&)>> damages = {
        [](Site& site) {
            Rec* pRec = FindGroupRecord(site);
            Rec* pInner = new Rec;
            pInner->m_dwFlags = Rec::KIND_TABS | Rec::CHILD | Rec::TAB;
            pRec->m_arrChildStates.Add(pInner);
        },
        [](Site& site) {
            FindGroupRecord(site)->m_arrChildStates[1]->m_dwFlags =
                Rec::KIND_CONTAINER | Rec::CHILD | Rec::TAB | Rec::VISIBLE;
        },
        [](Site& site) { FindGroupRecord(site)->m_arrChildStates[1]->m_nBarID = 0xE971; },
        [](Site& site) { FindGroupRecord(site)->m_arrChildStates[0]->m_sizeDockedV = CSize(-1, 5); },
        [](Site& site) { FindGroupRecord(site)->m_nDockBarID = 0xE900; },
        [](Site& site) {
            Rec* pRec = FindGroupRecord(site);
            pRec->m_dwFlags &= ~Rec::KIND_MASK;
        },
    };
    for (size_t i = 0; i < damages.size(); i++)
    {
        std::vector<BYTE> bad = Edit(m_pFrame, good, [&](Site& site) {
            ASSERT_TRUE(FindGroupRecord(site) != NULL);
            damages[i](site);
        });
        EXPECT_FALSE(Restore(m_pFrame, bad)) << i;
        ExpectScattered();
        EXPECT_EQ(CountGroups(), 0) << i;
    }
    // the undamaged stream still applies
    ASSERT_TRUE(Restore(m_pFrame, good));
    EXPECT_EQ(CountGroups(), 1);
    EXPECT_TRUE(m_pC->m_bAutoHidden);
}

TEST_F(GroupStateTest, TheFramesOwnGroupClassIsUsed)
{
    ASSERT_TRUE(GroupAB() != NULL);
    std::vector<BYTE> bytes = Capture(m_pFrame);
    Scatter();
    CExtControlBar* pAskedFor = NULL;
    m_pFrame->m_onCreateTabbedBar = [&](WPARAM wParam) {
        auto* pData = (CExtDynTabControlBar::CREATE_TABBED_BAR_DATA*)wParam;
        ASSERT_TRUE(pData != NULL);
        EXPECT_TRUE(pData->m_pGroup == NULL);
        pAskedFor = pData->m_pBar;
        pData->m_pGroup = new CTestGroup;
    };
    int nAskedBefore = m_pFrame->m_nCreateTabbedBarAsked;
    ASSERT_TRUE(Restore(m_pFrame, bytes));
    EXPECT_EQ(m_pFrame->m_nCreateTabbedBarAsked, nAskedBefore + 1);
    // asked for the first tab, whose place the group takes
    EXPECT_EQ(pAskedFor, (CExtControlBar*)m_pA);
    CExtDynTabControlBar* pGroup = GroupOf(m_pA);
    ASSERT_TRUE(pGroup != NULL);
    EXPECT_TRUE(pGroup->IsKindOf(RUNTIME_CLASS(CTestGroup)));
    EXPECT_EQ(GroupOf(m_pB), pGroup);
    ExpectTabs(pGroup, { m_pA, m_pB });
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pB);
    EXPECT_TRUE(pGroup->IsDockedAtLeft());
    EXPECT_TRUE(pGroup->IsTabStripVisible());
    EXPECT_EQ(CountGroups(), 1);
    ExpectAllArraysSound();
}

TEST_F(GroupStateTest, GroupBesideABarInAContainerComesBack)
{
    // the group of A and B at the left, C docked below it: one container of group and bar
    CExtDynTabControlBar* pOld = GroupAB();
    ASSERT_TRUE(pOld != NULL);
    ASSERT_TRUE(m_pC->DockBesideBar(50, m_pA, AFX_IDW_DOCKBAR_BOTTOM, TRUE));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, m_pC->m_pDockBar);
    ASSERT_TRUE(pInner != NULL);
    ASSERT_EQ(pOld->m_pDockBar, (CDockBar*)pInner);
    std::vector<BYTE> bytes = Capture(m_pFrame);
    Edit(m_pFrame, bytes, [&](Site& site) {
        ASSERT_EQ(site.m_arrBarStates.GetSize(), 1);
        Rec* pContainer = site.m_arrBarStates[0];
        EXPECT_EQ(pContainer->m_dwFlags & Rec::KIND_MASK, (DWORD)Rec::KIND_CONTAINER);
        ASSERT_EQ(pContainer->m_arrChildStates.GetSize(), 2);
        EXPECT_EQ(pContainer->m_arrChildStates[0]->m_dwFlags & Rec::KIND_MASK,
                  (DWORD)Rec::KIND_TABS);
        EXPECT_EQ(pContainer->m_arrChildStates[1]->m_nBarID, 0xE973u);
    });

    // the same layout, restored into scattered bars
    Scatter();
    ASSERT_TRUE(Restore(m_pFrame, bytes));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    CExtDynTabControlBar* pGroup = GroupOf(m_pA);
    ASSERT_TRUE(pGroup != NULL);
    EXPECT_EQ(GroupOf(m_pB), pGroup);
    ExpectTabs(pGroup, { m_pA, m_pB });
    EXPECT_EQ(pGroup->GetSelectedBar(), (CExtControlBar*)m_pB);
    CExtDockDynBar* pNewInner = DYNAMIC_DOWNCAST(CExtDockDynBar, m_pC->m_pDockBar);
    ASSERT_TRUE(pNewInner != NULL);
    EXPECT_EQ(pGroup->m_pDockBar, (CDockBar*)pNewInner);
    EXPECT_TRUE(pNewInner->GetContainer()->IsDockedAtLeft());
    // the group stands above C
    EXPECT_LT(ScreenRect(pGroup).top, ScreenRect(m_pC).top);
    EXPECT_EQ(CountGroups(), 1);
    ExpectAllArraysSound();

    // and the reverse order: the bar first, the group below it
    Scatter();
    ASSERT_TRUE(m_pC->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    m_pFrame->RecalcLayout();
    ASSERT_TRUE(m_pA->DockAsTab(m_pB));
    CExtDynTabControlBar* pSecond = GroupOf(m_pA);
    ASSERT_TRUE(pSecond != NULL);
    ASSERT_TRUE(pSecond->DockBesideBar(50, m_pC, AFX_IDW_DOCKBAR_BOTTOM, TRUE));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    std::vector<BYTE> reversed = Capture(m_pFrame);
    Scatter();
    ASSERT_TRUE(Restore(m_pFrame, reversed));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    pGroup = GroupOf(m_pA);
    ASSERT_TRUE(pGroup != NULL);
    ExpectTabs(pGroup, { m_pA, m_pB });
    pNewInner = DYNAMIC_DOWNCAST(CExtDockDynBar, m_pC->m_pDockBar);
    ASSERT_TRUE(pNewInner != NULL);
    EXPECT_EQ(pGroup->m_pDockBar, (CDockBar*)pNewInner);
    EXPECT_LT(ScreenRect(m_pC).top, ScreenRect(pGroup).top);
    EXPECT_EQ(CountGroups(), 1);
    ExpectAllArraysSound();
}
