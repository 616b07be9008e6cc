// A toolbar dragged by its gripper to another edge of the frame: wherever its row or column
// has room it shows all its buttons; it gives buttons to its chevron only while the room
// lacks, and takes them back when the room returns.
#include "tools_support.h"
#include "afxpriv.h"

namespace
{

const std::vector<UINT> s_eightIds = { ID_TOOLS_NEW,  ID_TOOLS_OPEN,   ID_TOOLS_SAVE, 0,
                                       ID_TOOLS_CUT,  ID_TOOLS_COPY,   ID_TOOLS_PASTE,
                                       ID_TOOLS_BOLD, ID_TOOLS_ITALIC };

} // namespace

class RedockTest : public ToolsTest
{
protected:
    // Resizes the frame to the client size and lays it out.
    void ClientSize(int cx, int cy)
    {
        CRect rcFrame, rcClient;
        m_pFrame->GetWindowRect(&rcFrame);
        m_pFrame->GetClientRect(&rcClient);
        m_pFrame->SetWindowPos(NULL, 0, 0, cx + rcFrame.Width() - rcClient.Width(),
                               cy + rcFrame.Height() - rcClient.Height(),
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
    }
    // Drags the bar by its gripper to the point of the frame's client area and drops it.
    void DragTo(CExtToolControlBar* pBar, CPoint ptTarget)
    {
        m_pFrame->ClientToScreen(&ptTarget);
        DragGripperBy(pBar, { CPoint(6, 6), ptTarget - GripperPoint(pBar) });
        PumpPendingMessages();
    }
    // Every button that is not a separator shows whole, none is in the chevron's list.
    void ExpectAllButtonsShown(CExtToolControlBar* pBar)
    {
        EXPECT_EQ(HiddenButtonCount(pBar), 0);
        for (int i = 0; i < pBar->GetButtonCount(); i++)
        {
            CExtBarButton* pTBB = pBar->GetButton(i);
            if (pTBB == pBar->GetChevron() || pTBB->IsSeparator())
                continue;
            EXPECT_TRUE(pTBB->IsVisible()) << i;
            EXPECT_TRUE(FilledButtonShowsWhole(pBar, i));
        }
    }
};

TEST_F(RedockTest, DraggedToEveryEdgeAndBackTheToolbarShowsAllItsButtons)
{
    CFixedToolBar* pBar = new CFixedToolBar;
    m_toolbars.push_back(pBar);
    pBar->m_bFilledButtons = true;
    ASSERT_TRUE(pBar->Create("Tools", m_pFrame, 0xE930,
                             WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                 CBRS_FLYBY | CBRS_SIZE_DYNAMIC));
    ASSERT_TRUE(pBar->SetButtons(s_eightIds.data(), (int)s_eightIds.size()));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    ((CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP))->DockControlBar(pBar);
    // a short bar at the bottom, whose row the toolbar joins there
    CFixedToolBar* pOther = NewToolBar(0xE931, { ID_TOOLS_ZOOM, ID_TOOLS_GRID }, AFX_IDW_DOCKBAR_BOTTOM);
    ClientSize(700, 500);
    ExpectAllButtonsShown(pBar);
    // the buttons, the separator, the chevron and the frame: far less than each side
    CRect rcWhole = m_pFrame->ChildRect(pBar);
    ASSERT_LT(rcWhole.Width(), 300);

    struct
    {
        UINT nDockID;
        CPoint ptTarget;    // where the gripper is released, in frame client coordinates
    } steps[] = {
        { AFX_IDW_DOCKBAR_RIGHT, CPoint(696, 250) },
        { AFX_IDW_DOCKBAR_LEFT, CPoint(4, 250) },
        { AFX_IDW_DOCKBAR_BOTTOM, CPoint(350, -1) },    // in the other bar's row
        { AFX_IDW_DOCKBAR_TOP, CPoint(350, 4) },
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(step.nDockID);
        CPoint ptTarget = step.ptTarget;
        if (ptTarget.y < 0)
            ptTarget.y = m_pFrame->ChildRect(pOther).CenterPoint().y;
        DragTo(pBar, ptTarget);
        ASSERT_TRUE(pBar->m_pDockBar != NULL);
        ASSERT_EQ((UINT)pBar->m_pDockBar->GetDlgCtrlID(), step.nDockID);
        ExpectAllButtonsShown(pBar);
        // as long along its side as at the top, less its gripper's change of direction
        CRect rc = m_pFrame->ChildRect(pBar);
        bool bHorz = step.nDockID == AFX_IDW_DOCKBAR_TOP || step.nDockID == AFX_IDW_DOCKBAR_BOTTOM;
        EXPECT_EQ(bHorz, pBar->IsHorizontalLayout());
        EXPECT_GE(bHorz ? rc.Width() : rc.Height(), rcWhole.Width() - 20);
        if (step.nDockID == AFX_IDW_DOCKBAR_BOTTOM)
        {
            CRect rcOther = m_pFrame->ChildRect(pOther);
            EXPECT_EQ(rc.top, rcOther.top);
            EXPECT_TRUE(rc.left >= rcOther.right || rc.right <= rcOther.left);
            EXPECT_EQ(HiddenButtonCount(pOther), 0);
        }
    }

    // at the right edge of a frame too short for it: the last buttons go to the chevron,
    // the others stay whole; taller again, it shows them all
    DragTo(pBar, CPoint(696, 250));
    ASSERT_EQ((UINT)pBar->m_pDockBar->GetDlgCtrlID(), (UINT)AFX_IDW_DOCKBAR_RIGHT);
    ExpectAllButtonsShown(pBar);
    ClientSize(700, 120);
    EXPECT_GT(HiddenButtonCount(pBar), 0);
    EXPECT_LE(m_pFrame->ChildRect(pBar).bottom, 120);
    for (int i = 0; i < pBar->GetButtonCount(); i++)
    {
        CExtBarButton* pTBB = pBar->GetButton(i);
        if (pTBB != pBar->GetChevron() && !pTBB->IsSeparator() && pTBB->IsVisible())
        {
            EXPECT_TRUE(FilledButtonShowsWhole(pBar, i));
        }
    }
    ClientSize(700, 500);
    ExpectAllButtonsShown(pBar);
}
