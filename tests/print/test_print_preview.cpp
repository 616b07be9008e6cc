// Print preview of label sheets: opening after the print options, the pages drawn at the
// printer's scale, paging, closing, and Cancel in the print options.

#include "print_program.h"
#include "model/Elements.h"
#include "afxpriv.h"

namespace
{

const COLORREF kCellColor = RGB(255, 240, 192);
const COLORREF kWhite = RGB(255, 255, 255);

class PrintPreview : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(InstallTestPrinter().IsEmpty()) << "the test printer is missing";
        m_pProgram = new CPrintProgram;
        ASSERT_TRUE(m_pProgram->Doc() != NULL);
        CVarnelDoc* pDoc = m_pProgram->Doc();
        pDoc->m_nPublicationType = 0;
        pDoc->m_nDesignWidth = 262;
        pDoc->m_nDesignHeight = 100;
        pDoc->m_clrBackgroundFront = 0xFFFFF0C0;
        m_pProgram->AddDbText(CRect(10, 8, 250, 48), "0");
        m_pProgram->LoadRecords(70, m_folder);
        m_boxes.Reset();
    }
    void TearDown() override
    {
        delete m_pProgram;
    }

    CFrameWnd* MainFrame() { return (CFrameWnd*)m_pProgram->m_pApp->m_pMainWnd; }
    CPreviewView* Preview()
    {
        CWnd* pWnd = MainFrame()->GetDlgItem(AFX_IDW_PANE_FIRST);
        return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CPreviewView)) ? (CPreviewView*)pWnd : NULL;
    }
    // The preview's pixel at a point of the printed page in document units.
    COLORREF PagePixel(int x, int y)
    {
        CPreviewView* pPreview = Preview();
        pPreview->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        const CRect rcPage = pPreview->GetPageRect(0);
        // three printer pixels a document unit at 300 dpi
        const double dScaleX = (double)rcPage.Width() / pPreview->m_sizePage.cx;
        const double dScaleY = (double)rcPage.Height() / pPreview->m_sizePage.cy;
        const CPoint ptScroll = pPreview->GetDeviceScrollPosition();
        CClientDC dc(pPreview);
        return dc.GetPixel(rcPage.left + (int)(3 * x * dScaleX + 0.5) - ptScroll.x,
                           rcPage.top + (int)(3 * y * dScaleY + 0.5) - ptScroll.y);
    }

    CPrintProgram* m_pProgram = NULL;
    CPrintFolder m_folder;
    CMessageBoxRecorder m_boxes;
};

} // namespace

TEST_F(PrintPreview, OpensAtThePrintersScalePagesAndCloses)
{
    CVarnelView* pView = m_pProgram->View();
    CVarnelDoc* pDoc = m_pProgram->Doc();
    pView->SetZoom(0.75f);
    CElement* pSelected = m_pProgram->m_dbTexts[0];
    pDoc->m_listSelection.AddTail(pSelected);
    pDoc->m_tracker.Add(pSelected);

    CDialogScript script;
    ScriptPrintOptions(script).OK();
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(0, script.GetPendingCount());
    EXPECT_EQ(0, m_boxes.GetCount());
    CPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL);
    ASSERT_TRUE(pPreview->m_pPreviewInfo != NULL);
    EXPECT_EQ(3u, pPreview->m_pPreviewInfo->GetMaxPage());
    EXPECT_EQ(1u, pPreview->m_nCurrentPage);
    EXPECT_EQ(1u, pPreview->m_nPages) << "one page at a time";
    EXPECT_EQ(1, pDoc->m_listSelection.GetCount()) << "the preview keeps the selection";

    // cells of 262 x 100 from (-6, 25) with gaps of 14: the second column from 270 to 532
    EXPECT_EQ(kCellColor, PagePixel(520, 75));
    EXPECT_EQ(kWhite, PagePixel(539, 75)) << "the gap between columns 2 and 3";
    EXPECT_EQ(kCellColor, PagePixel(560, 75));
    EXPECT_EQ(kWhite, PagePixel(539, 1040)) << "below the last row";

    MainFrame()->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(2u, pPreview->m_nCurrentPage);
    MainFrame()->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(3u, pPreview->m_nCurrentPage);
    // the last sheet holds records 61 to 70: rows 1 to 4, the fourth with one cell
    EXPECT_EQ(kCellColor, PagePixel(200, 25 + 350));
    EXPECT_EQ(kWhite, PagePixel(400, 25 + 350));
    MainFrame()->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(3u, pPreview->m_nCurrentPage) << "no page after the last";
    MainFrame()->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_PREV);
    EXPECT_EQ(2u, pPreview->m_nCurrentPage);
    EXPECT_FLOAT_EQ(1.0f, pView->GetZoom()) << "printing zoom while the preview is open";

    MainFrame()->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    EXPECT_TRUE(Preview() == NULL);
    EXPECT_TRUE(::IsWindowVisible(pView->m_hWnd));
    EXPECT_FLOAT_EQ(0.75f, pView->GetZoom()) << "the zoom comes back";
    EXPECT_STREQ("<<TextFromDB>>", m_pProgram->m_dbTexts[0]->m_strText);
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(PrintPreview, CancelInThePrintOptionsOpensNoPreview)
{
    CDialogScript script;
    ScriptPrintOptions(script).Cancel();
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(1, script.GetRecordCount());
    EXPECT_TRUE(Preview() == NULL);
    EXPECT_EQ(0, m_pProgram->View()->m_nRows) << "nothing taken from the dialog";
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(PrintPreview, ThePreviewScaleIsThePrintersResolution)
{
    HDC hPrinter = ::CreateDCA(NULL, TEST_PRINTER_NAME, NULL, NULL);
    ASSERT_TRUE(hPrinter != NULL);
    CDC dc;
    dc.Attach(hPrinter);
    float fX = 0, fY = 0;
    CVarnelView::GetPreviewFactors(&dc, fX, fY);
    EXPECT_FLOAT_EQ(3.0f, fX);
    EXPECT_FLOAT_EQ(3.0f, fY);
    ::DeleteDC(dc.Detach());

    // a device that gives no resolution keeps a usable scale
    CVarnelView::GetPreviewFactors(NULL, fX, fY);
    EXPECT_GT(fX, 0.0f);
    EXPECT_GT(fY, 0.0f);
}
