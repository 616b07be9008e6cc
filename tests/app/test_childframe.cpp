// The child frame of a publication: its pane grid, the rulers, the side tabs and the
// change of publication size.

#include "doc_program.h"
#include "test_support.h"
#include "app/ChildFrm.h"
#include "app/RulerView.h"
#include "app/TabView.h"
#include "model/Elements.h"
#include "output/PubSizeDlg.h"
#include "resources/pubsize_resource.h"

namespace
{

class ChildFrame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pDoc = m_program.NewPlainDoc();
        m_pView = m_program.ActiveView();
        ASSERT_TRUE(m_pDoc != NULL && m_pView != NULL);
        m_pFrame = DYNAMIC_DOWNCAST(CChildFrame, m_pView->GetParentFrame());
        ASSERT_TRUE(m_pFrame != NULL);
        m_pDoc->m_nDesignWidth = 400;
        m_pDoc->m_nDesignHeight = 200;
        m_pHRuler = DYNAMIC_DOWNCAST(CRulerView, m_pFrame->m_wndSplitter.GetPane(0, 2));
        m_pVRuler = DYNAMIC_DOWNCAST(CRulerView, m_pFrame->m_wndSplitter.GetPane(1, 1));
        m_pTabs = DYNAMIC_DOWNCAST(CTabView, m_pFrame->m_wndSplitter.GetPane(1, 0));
        m_pLabel = DYNAMIC_DOWNCAST(CParentView00, m_pFrame->m_wndSplitter.GetPane(0, 0));
        ASSERT_TRUE(m_pHRuler && m_pVRuler && m_pTabs && m_pLabel);
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CVarnelDoc* m_pDoc = NULL;
    CVarnelView* m_pView = NULL;
    CChildFrame* m_pFrame = NULL;
    CRulerView* m_pHRuler = NULL;
    CRulerView* m_pVRuler = NULL;
    CTabView* m_pTabs = NULL;
    CParentView00* m_pLabel = NULL;
};

// Draws a view's OnDraw into a white bitmap of the given size and reads it back.
class CPaintedPane
{
public:
    CPaintedPane(CView* pView, int cx, int cy)
    {
        CClientDC dcScreen(NULL);
        m_dc.CreateCompatibleDC(&dcScreen);
        m_bitmap.CreateCompatibleBitmap(&dcScreen, cx, cy);
        m_pOld = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, cx, cy, RGB(255, 255, 255));
        pView->OnDraw(&m_dc);
    }
    ~CPaintedPane() { m_dc.SelectObject(m_pOld); }
    bool IsInk(int x, int y) { return m_dc.GetPixel(x, y) != RGB(255, 255, 255); }
    COLORREF Pixel(int x, int y) { return m_dc.GetPixel(x, y); }
    // Whether any pixel of the rectangle is not white.
    bool AnyInk(int l, int t, int r, int b)
    {
        for (int y = t; y < b; y++)
            for (int x = l; x < r; x++)
                if (IsInk(x, y))
                    return true;
        return false;
    }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOld = NULL;
};

} // namespace

TEST_F(ChildFrame, OpensMaximisedWithTheSixPanesAndTheDesignViewActive)
{
    EXPECT_TRUE(m_pFrame->IsZoomed());
    EXPECT_EQ(2, m_pFrame->m_wndSplitter.GetRowCount());
    EXPECT_EQ(3, m_pFrame->m_wndSplitter.GetColumnCount());
    EXPECT_TRUE(m_pFrame->m_wndSplitter.GetPane(0, 1)->IsKindOf(RUNTIME_CLASS(CParentView)));
    EXPECT_EQ(m_pView, m_pFrame->m_wndSplitter.GetPane(1, 2));
    EXPECT_EQ(m_pView, m_pFrame->GetActiveView());
    EXPECT_EQ(1, m_pLabel->m_nSide);

    int cx = 0, cxMin = 0, cy = 0, cyMin = 0;
    m_pFrame->m_wndSplitter.GetColumnInfo(0, cx, cxMin);
    EXPECT_EQ(70, cx);
    m_pFrame->m_wndSplitter.GetColumnInfo(1, cx, cxMin);
    EXPECT_EQ(20, cx);
    m_pFrame->m_wndSplitter.GetRowInfo(0, cy, cyMin);
    EXPECT_EQ(20, cy);

    // the rulers show the view's zoom from the start, horizontal and vertical
    EXPECT_EQ(1, m_pHRuler->m_nType);
    EXPECT_EQ(0, m_pVRuler->m_nType);
    EXPECT_FLOAT_EQ(m_pView->GetZoom(), m_pHRuler->m_fZoom);
    EXPECT_FLOAT_EQ(m_pView->GetZoom(), m_pVRuler->m_fZoom);

    // zoom commands pass the view's zoom on
    ASSERT_TRUE(m_pView->OnCmdMsg(ID_VIEW_ZOOM_200, CN_COMMAND, NULL, NULL));
    EXPECT_FLOAT_EQ(2.0f, m_pHRuler->m_fZoom);
    EXPECT_FLOAT_EQ(2.0f, m_pVRuler->m_fZoom);
}

TEST_F(ChildFrame, RulerTicksAndNumbersFollowZoomAndScroll)
{
    m_pView->m_ptScroll = CPoint(0, 0);
    m_pHRuler->Refresh(1, 1.0f);
    {
        CPaintedPane pane(m_pHRuler, 400, 20);
        EXPECT_TRUE(pane.IsInk(20, 18));        // short tick every 20
        EXPECT_FALSE(pane.IsInk(20, 5));
        EXPECT_FALSE(pane.IsInk(10, 18));
        EXPECT_TRUE(pane.IsInk(100, 5));        // long tick at 100
        EXPECT_TRUE(pane.AnyInk(105, 0, 130, 15));     // its number
        EXPECT_FALSE(pane.AnyInk(25, 0, 95, 12));      // no number between
    }
    m_pView->SetZoom(0.5f);
    m_pHRuler->Refresh(1, 0.5f);
    {
        CPaintedPane pane(m_pHRuler, 400, 20);
        EXPECT_TRUE(pane.IsInk(10, 18));
        EXPECT_TRUE(pane.IsInk(50, 5));
        EXPECT_FALSE(pane.IsInk(5, 18));
    }
    // scrolled by 150 units at zoom 1: the tick of 160 at pixel 10, of 200 at pixel 50
    m_pView->SetZoom(1.0f);
    m_pView->m_ptScroll = CPoint(150, 0);
    m_pHRuler->Refresh(1, 1.0f);
    {
        CPaintedPane pane(m_pHRuler, 400, 20);
        EXPECT_TRUE(pane.IsInk(10, 18));
        EXPECT_FALSE(pane.IsInk(10, 5));
        EXPECT_TRUE(pane.IsInk(50, 5));
        EXPECT_FALSE(pane.IsInk(0, 5));
    }
    // vertical ruler
    m_pView->m_ptScroll = CPoint(0, 0);
    m_pVRuler->Refresh(0, 1.0f);
    {
        CPaintedPane pane(m_pVRuler, 20, 400);
        EXPECT_TRUE(pane.IsInk(18, 20));
        EXPECT_FALSE(pane.IsInk(5, 20));
        EXPECT_TRUE(pane.IsInk(5, 100));
    }
}

TEST_F(ChildFrame, RulerMarkerIsDrawnMovedAndForgotten)
{
    m_pHRuler->Invalidate();
    m_pHRuler->UpdateWindow();
    CClientDC dc(m_pHRuler);
    const COLORREF clrBefore = dc.GetPixel(50, 10);
    m_pHRuler->ShowPosition(50, 30, 1, FALSE);
    EXPECT_NE(clrBefore, dc.GetPixel(50, 10));
    EXPECT_EQ(50, m_pHRuler->m_nMarkX);
    m_pHRuler->ShowPosition(60, 30, 1, FALSE);
    EXPECT_EQ(clrBefore, dc.GetPixel(50, 10));       // the old marker is erased
    EXPECT_NE(clrBefore, dc.GetPixel(60, 10));
    m_pHRuler->ShowPosition(60, 30, 1, TRUE);
    EXPECT_NE(clrBefore, dc.GetPixel(60, 10));       // one marker stays
    EXPECT_EQ(-1, m_pHRuler->m_nMarkX);

    // a repaint wipes the marker, so the next one draws without erasing
    m_pHRuler->ShowPosition(80, 30, 1, FALSE);
    m_pHRuler->Invalidate();
    m_pHRuler->UpdateWindow();
    EXPECT_EQ(-1, m_pHRuler->m_nMarkX);
}

TEST_F(ChildFrame, SideTabsSwitchSidesOfTwoSidedPublicationsOnly)
{
    m_pDoc->m_nPublicationType = 0;     // label: no back side
    m_pTabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 70));
    EXPECT_EQ(1, m_pDoc->m_nSide);
    EXPECT_EQ(1, m_pTabs->m_nSide);
    {
        CPaintedPane pane(m_pTabs, 70, 360);
        EXPECT_EQ(RGB(192, 250, 250), pane.Pixel(12, 70));     // no Back tab drawn
    }

    m_pDoc->m_nPublicationType = 3;     // postcard
    m_pTabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 70));
    EXPECT_EQ(2, m_pDoc->m_nSide);
    EXPECT_EQ(2, m_pTabs->m_nSide);
    EXPECT_EQ(2, m_pLabel->m_nSide);
    EXPECT_EQ(m_pView, m_pFrame->GetActiveView());
    {
        CPaintedPane pane(m_pTabs, 70, 360);
        EXPECT_EQ(RGB(255, 128, 0), pane.Pixel(12, 72));       // orange outline on Back
        EXPECT_EQ(RGB(192, 192, 192), pane.Pixel(12, 20));     // grey on Front
    }
    m_pTabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    EXPECT_EQ(1, m_pDoc->m_nSide);
    EXPECT_EQ(1, m_pLabel->m_nSide);
}

TEST_F(ChildFrame, ChangeOfSizeScalesElementsAndCurvesWithUndo)
{
    m_pDoc->m_nDesignWidth = 400;
    m_pDoc->m_nDesignHeight = 200;
    CRectangle* pRect = new CRectangle(CPoint(100, 20), CPoint(300, 180));
    m_pDoc->m_listElements.AddTail(pRect);
    CFreehandLine* pLine = new CFreehandLine(CPoint(0, 0), CPoint(0, 0));
    pLine->AddPoint(CPoint(100, 50));
    pLine->AddPoint(CPoint(300, 150));
    pLine->RecalcRect();
    m_pDoc->m_listElements.AddTail(pLine);
    const int nLevels = m_pDoc->GetUndoLevels();

    {
        CDialogScript script;
        script.OnDialog(IDD_PUBSIZE).Click(IDC_PUBSIZE_APPLY_NEW).SetText(IDC_PUBSIZE_WIDTH, "2")
            .SetText(IDC_PUBSIZE_HEIGHT, "2").OK();
        m_pTabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 150));
    }
    EXPECT_EQ(200, m_pDoc->m_nDesignWidth);
    EXPECT_EQ(200, m_pDoc->m_nDesignHeight);
    EXPECT_EQ(CRect(50, 20, 150, 180), pRect->GetRect());
    EXPECT_FLOAT_EQ(50.0f, pLine->m_pPoints[0].X);
    EXPECT_FLOAT_EQ(150.0f, pLine->m_pPoints[1].X);
    EXPECT_FLOAT_EQ(150.0f, pLine->m_pPoints[1].Y);
    EXPECT_EQ(nLevels + 1, m_pDoc->GetUndoLevels());
    EXPECT_TRUE(m_pDoc->IsModified());

    // interchange
    {
        CDialogScript script;
        script.OnDialog(IDD_PUBSIZE).OK();
        m_pView->ChangePublicationSize();
    }
    EXPECT_EQ(200, m_pDoc->m_nDesignWidth);

    // cancel changes nothing
    {
        CDialogScript script;
        script.OnDialog(IDD_PUBSIZE).Cancel();
        m_pView->ChangePublicationSize();
    }
    EXPECT_EQ(nLevels + 1, m_pDoc->GetUndoLevels());
}

TEST_F(ChildFrame, SizeDialogRoundsToTheNearestHundredthAndRefusesOutOfRange)
{
    EXPECT_EQ(100, CPubSizeDlg::ToDesignUnits(2.54, 1));
    EXPECT_EQ(262, CPubSizeDlg::ToDesignUnits(2.62, 0));
    EXPECT_EQ(394, CPubSizeDlg::ToDesignUnits(10.0, 1));
    EXPECT_EQ(591, CPubSizeDlg::ToDesignUnits(15.0, 1));
    EXPECT_EQ(2500, CPubSizeDlg::ToDesignUnits(63.5, 1));
    EXPECT_EQ(5, CPubSizeDlg::ToDesignUnits(0.05, 0));
    EXPECT_TRUE(CPubSizeDlg::IsInRange(25.0, 0));
    EXPECT_FALSE(CPubSizeDlg::IsInRange(25.01, 0));
    EXPECT_FALSE(CPubSizeDlg::IsInRange(0.049, 0));
    EXPECT_TRUE(CPubSizeDlg::IsInRange(0.13, 1));
    EXPECT_FALSE(CPubSizeDlg::IsInRange(63.6, 1));

    // an out-of-range value keeps the dialog open with the message; then cm is accepted
    CPubSizeDlg dlg;
    dlg.m_nOldWidth = 400;
    dlg.m_nOldHeight = 200;
    CMessageBoxRecorder boxes;
    CDialogScript script;
    script.OnDialog(IDD_PUBSIZE).Click(IDC_PUBSIZE_APPLY_NEW).SetText(IDC_PUBSIZE_WIDTH, "30").OK()
        .Select(IDC_PUBSIZE_UNIT, 1).SetText(IDC_PUBSIZE_WIDTH, "10").SetText(IDC_PUBSIZE_HEIGHT, "15").OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("Please enter a width between 0.05 inch(0.13 cm) and 25 inch(63.5 cm).",
                 boxes.GetCall(0).m_strText);
    EXPECT_EQ(394, dlg.m_nNewWidth);
    EXPECT_EQ(591, dlg.m_nNewHeight);
}
