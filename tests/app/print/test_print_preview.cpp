// Print preview of label sheets: opening after the print options, the pages drawn at the
// printer's scale, paging, closing, and Cancel in the print options.

#include "print_program.h"
#include "test_support.h"
#include "model/Elements.h"
#include "window_picture.h"
#include "afxpriv.h"

#include <limits.h>
#include <stdio.h>
#include <string.h>

#include <string>

namespace
{

const COLORREF kCellColor = RGB(255, 240, 192);
const COLORREF kWhite = RGB(255, 255, 255);

std::string ReadFileText(LPCTSTR lpszPath)
{
    CFile file(lpszPath, CFile::modeRead);
    std::string data((size_t)file.GetLength(), '\0');
    if (!data.empty())
        file.Read(&data[0], (UINT)data.size());
    return data;
}

// Where the label cells of the first page of a PostScript file stand on the sheet: the
// left edge of the leftmost cell and the right edge of the rightmost one, as fractions of
// the sheet's width. Cells are the filled rectangles nCellWidth printer pixels wide.
bool PostScriptCellEdges(const std::string& data, int nCellWidth, double& fLeft, double& fRight)
{
    const size_t nPage = data.find("\n%%Page: 1 ");
    const size_t nNext = data.find("\n%%Page: 2 ");
    if (nPage == std::string::npos)
        return false;
    const std::string page = data.substr(nPage, nNext == std::string::npos ? std::string::npos : nNext - nPage);
    // the sheet's width in points, and the device origin on it (printer pixels)
    int nSheetPoints = 0, nDpi = 0, nDpiY = 0, nOriginX = 0, nOriginY = 0;
    const size_t nSize = data.find("/PageSize[");
    const size_t nScale = page.find("\n72 ");
    if (nSize == std::string::npos || nScale == std::string::npos ||
        sscanf(data.c_str() + nSize, "/PageSize[%d", &nSheetPoints) != 1 ||
        sscanf(page.c_str() + nScale, "\n72 %d div 72 %d div scale\n%d %d translate", &nDpi, &nDpiY, &nOriginX,
               &nOriginY) != 4 || nSheetPoints <= 0 || nDpi <= 0)
        return false;
    const double dSheet = nSheetPoints / 72.0 * nDpi;
    int nMin = INT_MAX, nMax = INT_MIN;
    for (size_t at = 0; (at = page.find(" moveto\n", at)) != std::string::npos; at++)
    {
        const size_t nLine = page.rfind('\n', at);
        int x0, y0, x1, y1, x2, y2;
        if (sscanf(page.c_str() + nLine + 1, "%d %d moveto\n%d %d lineto\n%d %d lineto", &x0, &y0, &x1, &y1, &x2,
                   &y2) != 6 || y1 != y0 || x2 != x1 || x1 - x0 != nCellWidth)
            continue;
        nMin = x0 < nMin ? x0 : nMin;
        nMax = x1 > nMax ? x1 : nMax;
    }
    if (nMin == INT_MAX)
        return false;
    fLeft = (nOriginX + nMin) / dSheet;
    fRight = (nOriginX + nMax) / dSheet;
    return true;
}

class PrintPreview : public CAddressLabelTest
{
protected:
    void SetUp() override
    {
        CAddressLabelTest::SetUp();
        if (!HasFatalFailure())
            m_pProgram->LoadRecords(70, m_folder);
        m_boxes.Reset();
    }

    CFrameWnd* MainFrame() { return (CFrameWnd*)m_pProgram->m_pApp->m_pMainWnd; }
    // Print Preview with the print options proposed; the preview, NULL when none opened.
    CPreviewView* OpenPreview()
    {
        CDialogScript script;
        ScriptPrintOptions(script).OK();
        m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
        EXPECT_EQ(0, script.GetPendingCount());
        return Preview();
    }
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
        // three printer pixels a document unit at 300 dpi, from the printable area's corner
        const double dScaleX = (double)rcPage.Width() / pPreview->m_sizePaper.cx;
        const double dScaleY = (double)rcPage.Height() / pPreview->m_sizePaper.cy;
        const CPoint ptScroll = pPreview->GetDeviceScrollPosition();
        const CPoint ptOffset = pPreview->m_ptPrintOffset;
        CClientDC dc(pPreview);
        return dc.GetPixel(rcPage.left + (int)((3 * x + ptOffset.x) * dScaleX + 0.5) - ptScroll.x,
                           rcPage.top + (int)((3 * y + ptOffset.y) * dScaleY + 0.5) - ptScroll.y);
    }
    // The preview's pixel at fractions of the sheet's width and height.
    COLORREF SheetPixel(double fx, double fy)
    {
        CPreviewView* pPreview = Preview();
        const CRect rcPage = pPreview->GetPageRect(0);
        const CPoint ptScroll = pPreview->GetDeviceScrollPosition();
        CClientDC dc(pPreview);
        return dc.GetPixel(rcPage.left + (int)(fx * rcPage.Width()) - ptScroll.x,
                           rcPage.top + (int)(fy * rcPage.Height()) - ptScroll.y);
    }

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

TEST_F(PrintPreview, TheWholeSheetShowsWithCellsAndMarksWhereTheyPrint)
{
    // the printed sheet: cells and marks as the PostScript output places them on paper
    CDialogScript script;
    ScriptPrintOptions(script).Check(IDC_PO_CROPMARKS).Check(IDC_PO_CORNERMARKS).OK();
    const CString strOutput = m_folder.File("marks.ps");
    ScriptPrintToFile(script, strOutput);
    m_pProgram->Command(ID_FILE_PRINT);
    ASSERT_EQ(0, script.GetPendingCount());
    ASSERT_EQ(0, m_boxes.GetCount());
    double fPrintedLeft = 0, fPrintedRight = 0;
    ASSERT_TRUE(PostScriptCellEdges(ReadFileText(strOutput), 3 * 262, fPrintedLeft, fPrintedRight));
    // the sheet's layout: the first cell 0.19 inch from the left edge of 8.5, three columns of
    // 2.62 with gaps of 0.14 to the right edge of the last at 8.33
    EXPECT_NEAR(0.19 / 8.5, fPrintedLeft, 0.001);
    EXPECT_NEAR(8.33 / 8.5, fPrintedRight, 0.001);

    ScriptPrintOptions(script).OK();
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_EQ(0, script.GetPendingCount());
    CPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL);
    EXPECT_TRUE(m_pProgram->View()->m_bCropMarks && m_pProgram->View()->m_bCornerMarks);
    pPreview->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    const CRect rcPage = pPreview->GetPageRect(0);
    ASSERT_GT(rcPage.Width(), 300);
    // the page is the sheet of letter paper: 8.5 by 11
    EXPECT_NEAR(8.5 / 11, (double)rcPage.Width() / rcPage.Height(), 0.01);

    // the cells across the middle of the first row (0.25 + 0.25 + 0.5 inch from the top): the
    // first cell shows from the printer's quarter-inch margin on, as the page clips it
    CClientDC dc(pPreview);
    const CPoint ptScroll = pPreview->GetDeviceScrollPosition();
    const int y = rcPage.top + (int)(1.0 / 11 * rcPage.Height()) - ptScroll.y;
    int nFirst = -1, nLast = -1;
    for (int x = rcPage.left - 2; x <= rcPage.right + 2; x++)
    {
        if (dc.GetPixel(x - ptScroll.x, y) != kCellColor)
            continue;
        if (nFirst < 0)
            nFirst = x;
        nLast = x;
    }
    ASSERT_GE(nFirst, 0) << "no cell in the first row";
    const double fPixel = 1.0 / rcPage.Width();
    EXPECT_NEAR(0.25 / 8.5, (double)(nFirst - rcPage.left) / rcPage.Width(), 1.5 * fPixel);
    EXPECT_NEAR(8.25 / 8.5, (double)(nLast + 1 - rcPage.left) / rcPage.Width(), 1.5 * fPixel)
        << "the last cell up to the margin at the right";
    EXPECT_EQ(kWhite, SheetPixel(0.1 / 8.5, 1.0 / 11)) << "paper left of the first cell";
    EXPECT_EQ(kWhite, SheetPixel(8.4 / 8.5, 1.0 / 11)) << "paper right of the last cell";

    // crop ticks: the one left of the first cell's top edge (0.09 to 0.29 inch from the left,
    // 0.5 inch from the top) stays blank in the margin the printer does not print on; the one
    // above the second cell's left edge (0.40 to 0.60 inch from the top) shows
    auto darkAt = [&](double fx, double fy, bool bVertical) {
        int nDark = 0;
        const int x0 = rcPage.left + (int)(fx / 8.5 * rcPage.Width()) - ptScroll.x;
        const int y0 = rcPage.top + (int)(fy / 11 * rcPage.Height()) - ptScroll.y;
        for (int d = -2; d <= 2; d++)
        {
            const COLORREF clr = dc.GetPixel(x0 + (bVertical ? 0 : d), y0 + (bVertical ? d : 0));
            if (GetRValue(clr) + GetGValue(clr) + GetBValue(clr) < 3 * 128)
                ++nDark;
        }
        return nDark;
    };
    EXPECT_EQ(0, darkAt(0.14, 0.5, true)) << "the left crop tick lies in the unprintable margin";
    EXPECT_GT(darkAt(0.19 + 2.62 + 0.14, 0.45, false), 0) << "the crop tick above the second column";
    MainFrame()->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
}

// The preview shows the page as it prints: an element selected in the design has its
// handles in the view, none on the page.
TEST_F(PrintPreview, TheSelectionStaysInTheDesignAndOffThePage)
{
    CVarnelView* pView = m_pProgram->View();
    auto clickAt = [pView](CPoint pt) {
        CClientDC dc(pView);
        pView->OnPrepareDC(&dc);
        dc.LPtoDP(&pt);
        PostClick(pView->m_hWnd, pt);
    };
    auto previewPixels = [this]() {
        std::vector<COLORREF> pixels;
        CPreviewView* pPreview = OpenPreview();
        if (pPreview == NULL)
            return pixels;
        pPreview->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        int nWidth = 0;
        pixels = CaptureClientPixels(pPreview->m_hWnd, &nWidth);
        MainFrame()->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
        return pixels;
    };

    clickAt(CPoint(130, 28));     // the name's database text
    ASSERT_EQ(1, m_pProgram->Doc()->m_listSelection.GetCount());
    const std::vector<COLORREF> selected = previewPixels();
    EXPECT_EQ(1, m_pProgram->Doc()->m_listSelection.GetCount()) << "the preview keeps the selection";
    clickAt(CPoint(130, 150));    // the desk below the label
    ASSERT_EQ(0, m_pProgram->Doc()->m_listSelection.GetCount());
    const std::vector<COLORREF> plain = previewPixels();
    ASSERT_FALSE(plain.empty());
    ASSERT_EQ(plain.size(), selected.size());
    size_t nDifferent = 0;
    for (size_t i = 0; i < plain.size(); i++)
        nDifferent += plain[i] != selected[i];
    EXPECT_EQ(0u, nDifferent) << "pixels of handles on the previewed page";
    EXPECT_EQ(0, m_boxes.GetCount());
}

// The keys of a preview: Page Down and Page Up turn its pages, Esc closes it.
TEST_F(PrintPreview, PageKeysTurnThePagesAndEscCloses)
{
    CPreviewView* pPreview = OpenPreview();
    ASSERT_TRUE(pPreview != NULL);
    ASSERT_EQ(1u, pPreview->m_nCurrentPage);
    EXPECT_TRUE(SendKeys({}, { VK_NEXT }));
    EXPECT_EQ(2u, pPreview->m_nCurrentPage);
    EXPECT_TRUE(SendKeys({}, { VK_NEXT, VK_NEXT }));
    EXPECT_EQ(3u, pPreview->m_nCurrentPage) << "no page after the last";
    EXPECT_TRUE(SendKeys({}, { VK_PRIOR }));
    EXPECT_EQ(2u, pPreview->m_nCurrentPage);
    EXPECT_TRUE(SendKeys({}, { VK_ESCAPE }));
    EXPECT_TRUE(Preview() == NULL);
    EXPECT_TRUE(::IsWindowVisible(m_pProgram->View()->m_hWnd));
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

TEST_F(PrintPreview, PrintOptionsReopenOnTheSheetLastConfirmed)
{
    auto sheetShown = [](CWnd* pDlg) {
        return (int)::SendDlgItemMessageA(pDlg->m_hWnd, IDC_PO_SHEETLIST, LB_GETCURSEL, 0, 0);
    };
    // A4 chosen and confirmed, with the two columns that fit on it
    CDialogScript script;
    ScriptPrintOptions(script).Select(IDC_PO_SHEETLIST, 2).Select(IDC_PO_COLUMNS, 1).OK();
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_EQ(0, script.GetPendingCount());
    ASSERT_TRUE(Preview() != NULL);
    MainFrame()->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(827, m_pProgram->Doc()->m_nSheetWidth);
    EXPECT_EQ(1169, m_pProgram->Doc()->m_nSheetHeight);

    // the next time the list shows A4, the custom size fields are off; Cancel keeps it
    int nShown = -1;
    BOOL bCustomOn = TRUE;
    ScriptPrintOptions(script)
        .Do([&](CWnd* pDlg) {
            nShown = sheetShown(pDlg);
            bCustomOn = pDlg->GetDlgItem(IDC_PO_CUSTOMWIDTH)->IsWindowEnabled();
        })
        .Select(IDC_PO_SHEETLIST, 4)
        .Cancel();
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(2, nShown);
    EXPECT_FALSE(bCustomOn);
    EXPECT_TRUE(Preview() == NULL);
    ScriptPrintOptions(script).Do([&](CWnd* pDlg) { nShown = sheetShown(pDlg); }).Select(IDC_PO_SHEETLIST, 0)
        .SetText(IDC_PO_CUSTOMWIDTH, "8.40").OK();
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(2, nShown) << "Cancel changed nothing";
    ASSERT_TRUE(Preview() != NULL);
    MainFrame()->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);

    // a custom size confirmed reopens as the custom size
    CString strWidth;
    ScriptPrintOptions(script)
        .Do([&](CWnd* pDlg) {
            nShown = sheetShown(pDlg);
            pDlg->GetDlgItemText(IDC_PO_CUSTOMWIDTH, strWidth);
        })
        .Cancel();
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(0, nShown);
    EXPECT_STREQ("8.40", strWidth);
    EXPECT_EQ(840, m_pProgram->Doc()->m_nSheetWidth);
    EXPECT_EQ(0, m_boxes.GetCount());
}

// A background over the whole sheet of a flyer: the preview leaves the printer's
// unprintable margins blank, as wide as the printed page leaves them.
TEST_F(PrintPreview, TheUnprintableMarginsStayBlankAsOnPaper)
{
    CVarnelDoc* pDoc = m_pProgram->Doc();
    pDoc->m_nPublicationType = 5;
    pDoc->m_nDesignWidth = 850;
    pDoc->m_nDesignHeight = 1100;
    pDoc->m_clrBackgroundFront = 0xFF4080C0;
    const COLORREF kBackground = RGB(0x40, 0x80, 0xC0);

    // the printed page: the background's rectangle and the area the page is clipped to
    CDialogScript script;
    const CString strOutput = m_folder.File("flyer.ps");
    ScriptPrintOptions(script).SetText(IDC_PO_PAGES, "1").OK();
    ScriptPrintToFile(script, strOutput);
    m_pProgram->Command(ID_FILE_PRINT);
    ASSERT_EQ(0, script.GetPendingCount());
    double fPrintedLeft = 0, fPrintedTop = 0;
    ASSERT_TRUE(PostScriptBlankStrips(strOutput, 3 * 850, fPrintedLeft, fPrintedTop));
    EXPECT_NEAR(0.25, fPrintedLeft, 0.01) << "the printer's margin";
    EXPECT_NEAR(0.25, fPrintedTop, 0.01);

    // the preview at its largest scale
    ScriptPrintOptions(script).OK();
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_EQ(0, script.GetPendingCount());
    CPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL);
    MainFrame()->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
    MainFrame()->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
    pPreview->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    const CRect rcPage = pPreview->GetPageRect(0);
    const CPoint ptScroll = pPreview->GetDeviceScrollPosition();
    ASSERT_EQ(CPoint(0, 0), ptScroll);
    CRect rcClient;
    pPreview->GetClientRect(&rcClient);
    CClientDC dc(pPreview);
    // the blank paper from the sheet's left edge along a row, and from its top down a column
    const int y = rcPage.top + 100;
    const int x = rcPage.left + 100;
    ASSERT_LT(y, rcClient.bottom);
    ASSERT_LT(x, rcClient.right);
    int nLeft = 0, nTop = 0;
    while (rcPage.left + nLeft < rcClient.right && dc.GetPixel(rcPage.left + nLeft, y) != kBackground)
        ++nLeft;
    while (rcPage.top + nTop < rcClient.bottom && dc.GetPixel(x, rcPage.top + nTop) != kBackground)
        ++nTop;
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(rcPage.left + 2, y)) << "blank paper";
    const double fPreviewLeft = 8.5 * nLeft / rcPage.Width();
    const double fPreviewTop = 11.0 * nTop / rcPage.Height();
    EXPECT_NEAR(fPrintedLeft, fPreviewLeft, 0.02);
    EXPECT_NEAR(fPrintedTop, fPreviewTop, 0.02);
    MainFrame()->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
}
