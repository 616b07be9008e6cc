// CSplitterWnd: the child frame's 2-by-3 static splitter, pane lookup, row and
// column sizes and the layout with thin and with standard bars.

#include "docdemo.h"
#include <gtest/gtest.h>

namespace
{

// The pane's rectangle in its splitter's client coordinates.
CRect PaneWindowRect(CSplitterWnd& splitter, int row, int col)
{
    CWnd* pPane = splitter.GetPane(row, col);
    CRect rc;
    pPane->GetWindowRect(&rc);
    splitter.ScreenToClient(&rc);
    return rc;
}

// A frame holding a plain splitter of 1 row and 2 columns.
class CTwoPaneFrame : public CFrameWnd
{
public:
    CSplitterWnd m_wndSplitter;
    virtual BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return m_wndSplitter.CreateStatic(this, 1, 2) &&
               m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CDemoPaneView), CSize(100, 0), pContext) &&
               m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CDemoPaneView), CSize(0, 0), pContext);
    }
};

} // namespace

TEST(Splitter, TheChildFramesGridHoldsSixPanesWithTheSheetViewActive)
{
    CDocDemoProgram program;
    program.Command(ID_FILE_NEW);
    CDemoChildFrame* pChild = (CDemoChildFrame*)program.ActiveChild();
    ASSERT_TRUE(pChild != NULL);
    CDemoThinSplitter& splitter = pChild->m_wndSplitter;
    EXPECT_EQ(2, splitter.GetRowCount());
    EXPECT_EQ(3, splitter.GetColumnCount());
    EXPECT_EQ(AFX_IDW_PANE_FIRST, splitter.GetDlgCtrlID());

    for (int row = 0; row < 2; row++)
    {
        for (int col = 0; col < 3; col++)
        {
            CWnd* pPane = splitter.GetPane(row, col);
            ASSERT_TRUE(pPane != NULL) << row << "," << col;
            EXPECT_EQ(AFX_IDW_PANE_FIRST + row * 16 + col, pPane->GetDlgCtrlID());
            EXPECT_EQ(splitter.IdFromRowCol(row, col), pPane->GetDlgCtrlID());
            int nRow = -1, nCol = -1;
            EXPECT_TRUE(splitter.IsChildPane(pPane, &nRow, &nCol));
            EXPECT_EQ(row, nRow);
            EXPECT_EQ(col, nCol);
            EXPECT_EQ(&splitter, CView::GetParentSplitter(pPane, FALSE));
            // every pane shows the document
            EXPECT_EQ(program.ActiveDoc(), ((CView*)pPane)->GetDocument());
        }
    }
    EXPECT_TRUE(splitter.GetPane(1, 2)->IsKindOf(RUNTIME_CLASS(CDemoSheetView)));
    EXPECT_TRUE(splitter.GetPane(0, 0)->IsKindOf(RUNTIME_CLASS(CDemoPaneView)));
    EXPECT_EQ(NULL, splitter.GetPane(2, 0));
    EXPECT_EQ(NULL, splitter.GetPane(0, 3));
    EXPECT_EQ(splitter.GetPane(1, 2), pChild->GetActiveView());
    int nRow = -1, nCol = -1;
    EXPECT_EQ(splitter.GetPane(1, 2), splitter.GetActivePane(&nRow, &nCol));
    EXPECT_EQ(1, nRow);
    EXPECT_EQ(2, nCol);
    EXPECT_FALSE(splitter.IsChildPane(pChild, NULL, NULL));
}

TEST(Splitter, ThinBarsGiveTheCornerColumnsTheirWidthsAndTheViewTheRest)
{
    CDocDemoProgram program;
    program.Command(ID_FILE_NEW);
    CDemoChildFrame* pChild = (CDemoChildFrame*)program.ActiveChild();
    CDemoThinSplitter& splitter = pChild->m_wndSplitter;
    pChild->SetWindowPos(NULL, 0, 0, 500, 400, SWP_NOZORDER | SWP_NOMOVE);

    CRect rcClient;
    splitter.GetClientRect(&rcClient);
    // border 1, column 70, gap 1, column 20, gap 1, the rest, border 1
    EXPECT_EQ(CRect(1, 1, 71, 21), PaneWindowRect(splitter, 0, 0));
    EXPECT_EQ(CRect(72, 1, 92, 21), PaneWindowRect(splitter, 0, 1));
    EXPECT_EQ(CRect(93, 1, rcClient.right - 1, 21), PaneWindowRect(splitter, 0, 2));
    EXPECT_EQ(CRect(1, 22, 71, rcClient.bottom - 1), PaneWindowRect(splitter, 1, 0));
    EXPECT_EQ(CRect(93, 22, rcClient.right - 1, rcClient.bottom - 1), PaneWindowRect(splitter, 1, 2));

    int cxCur = 0, cxMin = -1;
    splitter.GetColumnInfo(2, cxCur, cxMin);
    EXPECT_EQ(rcClient.Width() - 94, cxCur);
    EXPECT_EQ(0, cxMin);
    int cyCur = 0, cyMin = -1;
    splitter.GetRowInfo(0, cyCur, cyMin);
    EXPECT_EQ(20, cyCur);

    // a wider column after a new layout
    splitter.SetColumnInfo(0, 100, 0);
    splitter.RecalcLayout();
    EXPECT_EQ(CRect(1, 1, 101, 21), PaneWindowRect(splitter, 0, 0));
    EXPECT_EQ(CRect(123, 1, rcClient.right - 1, 21), PaneWindowRect(splitter, 0, 2));

    // the panes' edges are drawn by the splitter's (overridden) drawing
    splitter.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(splitter.m_nBorderDraws, 6);
}

TEST(Splitter, ColumnsBelowTheirMinimumOrWithoutRoomAreHidden)
{
    CDocDemoProgram program;
    program.Command(ID_FILE_NEW);
    CDemoChildFrame* pChild = (CDemoChildFrame*)program.ActiveChild();
    CDemoThinSplitter& splitter = pChild->m_wndSplitter;
    pChild->SetWindowPos(NULL, 0, 0, 500, 400, SWP_NOZORDER | SWP_NOMOVE);

    splitter.SetColumnInfo(1, 20, 30);     // ideal below the minimum
    splitter.RecalcLayout();
    int cxCur = -1, cxMin = 0;
    splitter.GetColumnInfo(1, cxCur, cxMin);
    EXPECT_EQ(0, cxCur);
    EXPECT_FALSE(splitter.GetPane(0, 1)->IsWindowVisible());
    EXPECT_TRUE(splitter.GetPane(0, 2)->IsWindowVisible());

    // a first column wider than the splitter leaves nothing for the others
    splitter.SetColumnInfo(1, 20, 0);
    splitter.SetColumnInfo(0, 5000, 0);
    splitter.RecalcLayout();
    EXPECT_TRUE(splitter.GetPane(0, 0)->IsWindowVisible());
    EXPECT_FALSE(splitter.GetPane(0, 2)->IsWindowVisible());
    EXPECT_FALSE(splitter.GetPane(1, 2)->IsWindowVisible());
}

TEST(Splitter, StandardBarsSeparateThePanes)
{
    CCreateContext context;
    CTwoPaneFrame* pFrame = new CTwoPaneFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "Split", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300), NULL, NULL,
                               0, &context));
    CSplitterWnd& splitter = pFrame->m_wndSplitter;
    splitter.RecalcLayout();
    CRect rcClient;
    splitter.GetClientRect(&rcClient);
    CRect rcLeft = PaneWindowRect(splitter, 0, 0);
    CRect rcRight = PaneWindowRect(splitter, 0, 1);
    EXPECT_EQ(100, rcLeft.Width());
    EXPECT_GT(rcRight.left, rcLeft.right) << "a bar lies between them";
    EXPECT_EQ(rcClient.right - rcLeft.left, rcRight.right) << "the same border on both sides";
    EXPECT_EQ(rcLeft.top, rcRight.top);
    EXPECT_EQ(NULL, CView::GetParentSplitter(pFrame, TRUE));
    pFrame->DestroyWindow();
}
