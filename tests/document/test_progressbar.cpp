// The status-bar progress control: placement in its pane after the label, stepping,
// and the pane's text coming back when the bar goes.

#include "doc_program.h"
#include "app/ProgressBar.h"
#include "afxbars.h"

namespace
{

class ProgressBar : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame.Create(NULL, "progress", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 300));
        static const UINT aIndicators[] = {ID_SEPARATOR, ID_SEPARATOR};
        ASSERT_TRUE(m_status.Create(&m_frame));
        ASSERT_TRUE(m_status.SetIndicators(aIndicators, 2));
        m_status.SetPaneInfo(1, ID_SEPARATOR, SBPS_NORMAL, 200);
        m_frame.RecalcLayout();
        m_pOldMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = &m_frame;
        m_status.SetPaneText(1, "Before");
    }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = m_pOldMain;
        m_frame.DestroyWindow();
    }

    CRect PaneRect(int nPane)
    {
        CRect rect;
        m_status.GetItemRect(nPane, &rect);
        return rect;
    }
    CRect BarRect(CProgressBar& bar)
    {
        CRect rect;
        bar.GetWindowRect(&rect);
        m_status.ScreenToClient(&rect);
        return rect;
    }

    CDocProgram m_program;      // the application object
    CFrameWnd m_frame;
    CStatusBar m_status;
    CWnd* m_pOldMain = NULL;
};

} // namespace

TEST_F(ProgressBar, FillsThePaneWithoutLabelAndHalfTheRestAfterOne)
{
    CProgressBar bar;
    ASSERT_EQ(&m_status, CProgressBar::GetStatusBar());
    ASSERT_TRUE(bar.Create("", 100, 10, FALSE, 1));
    const CRect rectPane = PaneRect(1);
    const CRect rectBar = BarRect(bar);
    const int nInset = rectPane.Height() / 10;
    EXPECT_EQ(rectPane.left, rectBar.left);
    EXPECT_EQ(rectPane.right, rectBar.right);
    EXPECT_EQ(rectPane.top + nInset, rectBar.top);
    EXPECT_EQ(rectPane.bottom - nInset, rectBar.bottom);
    EXPECT_EQ(CString("Before"), bar.m_strPrevText);

    bar.SetText("Processing");
    bar.m_nSize = 50;
    bar.Resize();
    const CRect rectHalf = BarRect(bar);
    EXPECT_GT(rectHalf.left, rectPane.left + 20);
    EXPECT_EQ(rectHalf.left + (rectPane.right - rectHalf.left) / 2, rectHalf.right);
    EXPECT_EQ(CString("Processing"), m_status.GetPaneText(1));
}

TEST_F(ProgressBar, StepsShowAHiddenBarAndClearGivesThePaneItsTextBack)
{
    CProgressBar bar;
    ASSERT_TRUE(bar.Create("Saving", 100, 10, TRUE, 1));
    bar.ModifyStyle(WS_VISIBLE, 0);
    bar.StepIt();
    EXPECT_TRUE(bar.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(1, (int)bar.SendMessage(PBM_GETPOS));
    bar.SetPos(7);
    EXPECT_EQ(7, (int)bar.SendMessage(PBM_GETPOS));

    bar.Clear();
    EXPECT_TRUE(bar.m_hWnd == NULL);
    EXPECT_EQ(CString("Before "), m_status.GetPaneText(1));
    EXPECT_EQ(0, bar.SetPos(3));        // nothing without a window

    // pane 0 gets the idle message back
    ASSERT_TRUE(bar.Create("Printing", 100, 10, FALSE, 0));
    bar.Clear();
    EXPECT_EQ(CString("Ready "), m_status.GetPaneText(0));

    // a second Create after Clear works
    ASSERT_TRUE(bar.Create("", 100, 5, FALSE, 1));
    EXPECT_TRUE(bar.m_hWnd != NULL);
}

TEST_F(ProgressBar, NoStatusBarNoBar)
{
    AfxGetApp()->m_pMainWnd = NULL;
    CProgressBar bar;
    EXPECT_FALSE(bar.Create("x", 100, 10, FALSE, 0));
    EXPECT_FALSE(bar.Resize());
    EXPECT_EQ(0, bar.StepIt());
}
