// Toolbars sharing a frame-edge row: a narrowing frame compresses them (their chevrons
// take the buttons that no longer fit) before the row breaks into a second line; the last
// bar of a full line dragged by its gripper changes its length instead of moving.
#include "tools_support.h"
#include "uiframework/bars/ExtBarLayout.h"
#include "afxpriv.h"

namespace
{

void SetOneRow(CDockBar* pDock, std::initializer_list<CControlBar*> bars)
{
    pDock->m_arrBars.RemoveAll();
    pDock->m_arrBars.Add(NULL);
    for (CControlBar* p : bars)
        pDock->m_arrBars.Add(p);
    pDock->m_arrBars.Add(NULL);
}

} // namespace

class ToolRowsTest : public ToolsTest
{
protected:
    // Resizes the frame to the client width and lays it out.
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
};

TEST_F(ToolRowsTest, ToolbarsInANarrowingFrameGiveUpButtonsBeforeTheirRowBreaks)
{
    CExtToolControlBar* pA = NewRowToolBar(m_pFrame, 0xE940, m_toolbars);
    CExtToolControlBar* pB = NewRowToolBar(m_pFrame, 0xE941, m_toolbars);
    ASSERT_TRUE(pA != NULL && pB != NULL);
    CDockBar* pDock = pA->m_pDockBar;
    ASSERT_EQ(pB->m_pDockBar, pDock);
    SetOneRow(pDock, { pA, pB });
    EXPECT_TRUE(pA->IsWrappable());

    ClientWidth(700);
    CRect rcA = m_pFrame->ChildRect(pA), rcB = m_pFrame->ChildRect(pB);
    int nFullA = rcA.Width(), nFullB = rcB.Width();
    ASSERT_EQ(rcB.top, rcA.top);
    ASSERT_EQ(rcB.left, rcA.right);
    ASSERT_EQ(HiddenButtonCount(pA), 0);
    ASSERT_EQ(HiddenButtonCount(pB), 0);
    int nMinB = pB->GetMinDockedSize().cx;
    ASSERT_LT(nMinB, nFullB - 40);

    // 40 pixels short: the second bar gives them up, the row keeps one line
    ClientWidth(nFullA + nFullB - 40);
    rcA = m_pFrame->ChildRect(pA);
    rcB = m_pFrame->ChildRect(pB);
    EXPECT_EQ(rcB.top, rcA.top);
    EXPECT_EQ(rcB.left, rcA.right);
    EXPECT_EQ(rcA.Width(), nFullA);
    EXPECT_EQ(rcB.right, nFullA + nFullB - 40);
    EXPECT_EQ(HiddenButtonCount(pA), 0);
    EXPECT_GT(HiddenButtonCount(pB), 0);
    // what the bar still shows ends before its chevron
    CRect rcChevron;
    pB->GetButtonRect(pB->GetButtonCount() - 1, &rcChevron);
    EXPECT_TRUE(pB->GetChevron()->IsVisible());
    for (int i = 0; i < pB->GetButtonCount() - 1; i++)
    {
        CRect rc;
        pB->GetButtonRect(i, &rc);
        if (pB->GetButton(i)->IsVisible())
        {
            EXPECT_LE(rc.right, rcChevron.left) << i;
        }
    }
    // one row of toolbars above the pane
    CRect rcPane = m_pFrame->ChildRect(&m_pFrame->m_wndPane);
    EXPECT_GE(rcPane.top, rcA.bottom);
    EXPECT_LT(rcPane.top, rcA.bottom + rcA.Height());

    // shorter than both bars' minimums: the second bar starts a line of its own
    ClientWidth(nMinB + pA->GetMinDockedSize().cx - 10);
    ASSERT_LT(m_pFrame->ChildRect(pDock).Width(), nMinB + pA->GetMinDockedSize().cx);
    rcA = m_pFrame->ChildRect(pA);
    rcB = m_pFrame->ChildRect(pB);
    EXPECT_EQ(rcB.top, rcA.bottom);
    EXPECT_EQ(rcB.left, rcA.left);
    rcPane = m_pFrame->ChildRect(&m_pFrame->m_wndPane);
    EXPECT_GE(rcPane.top, rcB.bottom);

    // wide again: both whole, side by side, nothing hidden
    ClientWidth(700);
    rcA = m_pFrame->ChildRect(pA);
    rcB = m_pFrame->ChildRect(pB);
    EXPECT_EQ(rcB.top, rcA.top);
    EXPECT_EQ(rcA.Width(), nFullA);
    EXPECT_EQ(rcB.Width(), nFullB);
    EXPECT_EQ(HiddenButtonCount(pA), 0);
    EXPECT_EQ(HiddenButtonCount(pB), 0);
}

TEST_F(ToolRowsTest, DraggingTheLastToolbarOfAFullLineChangesItsLengthInsteadOfMovingIt)
{
    CExtToolControlBar* pA = NewRowToolBar(m_pFrame, 0xE944, m_toolbars);
    CExtToolControlBar* pB = NewRowToolBar(m_pFrame, 0xE945, m_toolbars);
    ASSERT_TRUE(pA != NULL && pB != NULL);
    CDockBar* pDock = pA->m_pDockBar;
    SetOneRow(pDock, { pA, pB });
    ClientWidth(700);
    int nFullA = m_pFrame->ChildRect(pA).Width(), nFullB = m_pFrame->ChildRect(pB).Width();
    // the second bar 40 pixels short, at the end of its line
    int nAvail = nFullA + nFullB - 40;
    ClientWidth(nAvail);
    ASSERT_EQ(m_pFrame->ChildRect(pB).right, nAvail);
    ASSERT_EQ(m_pFrame->ChildRect(pB).Width(), nFullB - 40);
    int nHiddenB = HiddenButtonCount(pB);
    ASSERT_GT(nHiddenB, 0);

    // its gripper dragged on towards the end: its far end stays, it gets shorter
    DragGripper(pB, { 6, 30 });
    CRect rcA = m_pFrame->ChildRect(pA), rcB = m_pFrame->ChildRect(pB);
    EXPECT_EQ(rcB.top, rcA.top);
    EXPECT_EQ(rcB.right, nAvail);
    EXPECT_EQ(rcB.Width(), nFullB - 70);
    EXPECT_EQ(rcB.left, rcA.right + 30);
    EXPECT_EQ(rcA.Width(), nFullA);
    EXPECT_GT(HiddenButtonCount(pB), nHiddenB);
    EXPECT_EQ(HiddenButtonCount(pA), 0);
    // the length is the bar's wanted one now, and it is the most recent bar of its row
    EXPECT_EQ(pB->GetOuterLayoutData()->m_nLengthHorz, nFullB - 70);
    EXPECT_EQ(pB->GetOuterLayoutData()->m_nRank, 1);
    // ... and holds through a new layout of the frame
    m_pFrame->RecalcLayout();
    EXPECT_EQ(m_pFrame->ChildRect(pB).Width(), nFullB - 70);

    // dragged back and further: it grows, taking the room from the bar before it
    DragGripper(pB, { -6, -50 });
    rcA = m_pFrame->ChildRect(pA);
    rcB = m_pFrame->ChildRect(pB);
    EXPECT_EQ(rcB.top, rcA.top);
    EXPECT_EQ(rcB.right, nAvail);
    EXPECT_EQ(rcB.Width(), nFullB - 20);
    EXPECT_EQ(rcB.left, rcA.right);
    EXPECT_EQ(rcA.Width(), nFullA - 20);
    EXPECT_GT(HiddenButtonCount(pA), 0);
    EXPECT_LT(HiddenButtonCount(pB), nHiddenB);
    // never longer than all its buttons
    DragGripper(pB, { -6, -80 });
    EXPECT_EQ(m_pFrame->ChildRect(pB).Width(), nFullB);
    EXPECT_EQ(m_pFrame->ChildRect(pB).right, nAvail);
    EXPECT_EQ(HiddenButtonCount(pB), 0);
    EXPECT_EQ(m_pFrame->ChildRect(pA).Width(), nFullA - 40);
    EXPECT_TRUE(ExtBarLayout::IsBarArraySound(pDock->m_arrBars));
}
