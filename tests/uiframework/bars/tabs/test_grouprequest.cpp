// A frame may supply the group object a tabbing operation builds.
#include "../uibars_support.h"
#include "uiframework/bars/ExtDynTabControlBar.h"

namespace
{

class CFrameOwnGroup : public CExtDynTabControlBar
{
public:
    static int s_nMade;
    CFrameOwnGroup() { s_nMade++; }
};
int CFrameOwnGroup::s_nMade = 0;

class GroupRequestTest : public UiBarsTest
{
protected:
    void TearDown() override
    {
        if (m_pFrame != NULL)
            m_pFrame->m_onCreateTabbedBar = nullptr;
        UiBarsTest::TearDown();
    }
};

} // namespace

TEST_F(GroupRequestTest, TabbingAsksTheFrameForItsGroupFirst)
{
    CTestResizableBar* pA = NewBar(0xE850, "One");
    CTestResizableBar* pB = NewBar(0xE851, "Two");
    CTestResizableBar* pC = NewBar(0xE852, "Three");
    CTestResizableBar* pD = NewBar(0xE853, "Four");
    ASSERT_TRUE(pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    ASSERT_TRUE(pC->DockToFrameSide(AFX_IDW_DOCKBAR_BOTTOM));
    ASSERT_TRUE(pD->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    m_pFrame->RecalcLayout();

    // the frame answers with a group of its own class
    CExtControlBar* pAskedFor = NULL;
    m_pFrame->m_onCreateTabbedBar = [&](WPARAM wParam) {
        auto* pData = (CExtDynTabControlBar::CREATE_TABBED_BAR_DATA*)wParam;
        ASSERT_TRUE(pData != NULL);
        EXPECT_TRUE(pData->m_pGroup == NULL);
        pAskedFor = pData->m_pBar;
        pData->m_pGroup = new CFrameOwnGroup;
    };
    int nMade = CFrameOwnGroup::s_nMade;
    ASSERT_TRUE(pA->DockAsTab(pB));
    EXPECT_EQ(m_pFrame->m_nCreateTabbedBarAsked, 1);
    EXPECT_EQ(pAskedFor, (CExtControlBar*)pA);
    EXPECT_EQ(CFrameOwnGroup::s_nMade, nMade + 1);
    CExtControlBar* pGroup = pA->GetTabbedContainer();
    ASSERT_TRUE(pGroup != NULL);
    EXPECT_TRUE(dynamic_cast<CFrameOwnGroup*>(pGroup) != NULL);
    EXPECT_EQ(pB->GetTabbedContainer(), pGroup);
    EXPECT_EQ(((CExtDynTabControlBar*)pGroup)->m_wndTabs.GetItemCount(), 2);

    // a third bar joins the existing group: nothing is asked
    ASSERT_TRUE(pA->DockAsTab(pC));
    EXPECT_EQ(m_pFrame->m_nCreateTabbedBarAsked, 1);
    EXPECT_EQ(pC->GetTabbedContainer(), pGroup);

    // without an answer a plain group is made
    m_pFrame->m_onCreateTabbedBar = nullptr;
    nMade = CFrameOwnGroup::s_nMade;
    CTestResizableBar* pE = NewBar(0xE854, "Five");
    ASSERT_TRUE(pE->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    m_pFrame->RecalcLayout();
    ASSERT_TRUE(pD->DockAsTab(pE));
    EXPECT_EQ(m_pFrame->m_nCreateTabbedBarAsked, 2);
    EXPECT_EQ(CFrameOwnGroup::s_nMade, nMade);
    CExtControlBar* pPlain = pD->GetTabbedContainer();
    ASSERT_TRUE(pPlain != NULL);
    EXPECT_TRUE(pPlain->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar)));
    EXPECT_TRUE(dynamic_cast<CFrameOwnGroup*>(pPlain) == NULL);
    ExpectAllArraysSound();
}
