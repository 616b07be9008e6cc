// Label sheets printed by the design view: the merge of one record per cell, on paper in
// memory (pixel probes against cells rendered with known records) and to Wine's
// PostScript printer; start cell, marks, pages with the records running on, two sides,
// the checks of the Print command and a failing page.

#include "print_program.h"
#include "test_support.h"
#include "model/Elements.h"

#include <objidl.h>
#include <gdiplus.h>

#include <stdio.h>

#include <string>
#include <vector>

namespace
{

const int kWidth = 262;                 // the 30-up address label
const int kHeight = 100;
const int kLeft = 19;                   // its sheet layout on paper without unprintable margins
const int kTop = 50;
const int kColumnStep = 262 + 14;
const COLORREF kCellColor = RGB(255, 240, 192);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// Files that match a pattern.
int CountFiles(const CString& strPattern)
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(strPattern, &data);
    int nFiles = 0;
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = ::FindNextFileA(hFind, &data))
        nFiles += (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
    return nFiles;
}

CString Str(LPCTSTR lpszFormat, int n)
{
    CString str;
    str.Format(lpszFormat, n);
    return str;
}

// An element whose drawing fails.
class CFailingElement : public CRectangle
{
public:
    CFailingElement() : CRectangle(CPoint(0, 0), CPoint(10, 10)) {}
    void DrawInCellDC(CDC*, int, int, float, float, float, float, int, int) override
    {
        ++s_nDraws;
        AfxThrowMemoryException();
    }
    static int s_nDraws;
};
int CFailingElement::s_nDraws = 0;

class PrintSheet : public CAddressLabelTest
{
protected:
    void SetUp() override
    {
        CAddressLabelTest::SetUp();
        if (!HasFatalFailure())
            m_pProgram->AddDbText(CRect(10, 52, 250, 92), "1-2");
    }

    // The cell (1-based) of the 30-up sheet on paper.
    static CPoint CellOrigin(int nRow, int nColumn, int nLeft = kLeft, int nTop = kTop)
    {
        return CPoint(nLeft + (nColumn - 1) * kColumnStep, nTop + (nRow - 1) * kHeight);
    }
    // The texts of record k (1-based) in the two database texts.
    static std::vector<CString> RecordTexts(int k)
    {
        return { Str("Name %d", k), Str("Town %d", k) + Str(" %d", k) };
    }
    // Pixels of the paper's cell that differ from the cell rendered with record k.
    int DifferencesFromRecord(const CPaper& paper, CPoint ptCell, int k)
    {
        CPaper cell(kWidth, kHeight);
        m_pProgram->RenderCell(cell, RecordTexts(k));
        return paper.CountDifferences(ptCell.x, ptCell.y, kWidth, kHeight, cell, 0, 0);
    }
    // Prints through the Print command into paper, with the print options proposed.
    void PrintToPaper(CPaper& paper, std::function<void(CDialogScript::CSteps&)> options = nullptr)
    {
        m_pProgram->View()->m_hPrintBitmap = paper.m_hBitmap;
        CDialogScript script;
        CDialogScript::CSteps& steps = ScriptPrintOptions(script);
        if (options)
            options(steps);
        steps.OK();
        m_pProgram->Command(ID_FILE_PRINT);
        m_pProgram->View()->m_hPrintBitmap = NULL;
        EXPECT_EQ(0, script.GetPendingCount());
    }

};

} // namespace

TEST_F(PrintSheet, ThirtyRecordsFillTheCellsOfOneSheetInOrder)
{
    m_pProgram->LoadRecords(30, m_folder);
    CPaper paper(850, 1100);
    PrintToPaper(paper);
    EXPECT_EQ(0, m_boxes.GetCount());
    CVarnelView* pView = m_pProgram->View();
    EXPECT_EQ(10, pView->m_nRows);
    EXPECT_EQ(3, pView->m_nColumns);
    EXPECT_EQ(1, pView->m_nPagesToPrint);

    // a cell rendered with a record has text, and differs from the next record's
    CPaper first(kWidth, kHeight);
    m_pProgram->RenderCell(first, RecordTexts(1));
    ASSERT_GT(first.CountDark(10, 8, 240, 40), 100) << "the record's text is drawn";
    ASSERT_GT(DifferencesFromRecord(first, CPoint(0, 0), 2), 20);

    for (int i = 0; i < 30; i++)
    {
        const CPoint pt = CellOrigin(i / 3 + 1, i % 3 + 1);
        EXPECT_EQ(0, DifferencesFromRecord(paper, pt, i + 1)) << "cell " << i;
        EXPECT_EQ(kCellColor, paper.Pixel(pt.x + kWidth - 3, pt.y + kHeight / 2)) << "cell " << i;
    }
    EXPECT_EQ(kWhite, paper.Pixel(kLeft - 3, kTop + 5)) << "left margin";
    EXPECT_EQ(kWhite, paper.Pixel(kLeft + kWidth + 7, kTop + 5)) << "column gap";
    EXPECT_EQ(kWhite, paper.Pixel(kLeft + 5, kTop + 10 * kHeight + 3)) << "below the last row";

    // the document keeps its own texts
    EXPECT_STREQ("<<TextFromDB>>", m_pProgram->m_dbTexts[0]->m_strText);
    EXPECT_STREQ("<<TextFromDB>>", m_pProgram->m_dbTexts[1]->m_strText);
    EXPECT_FLOAT_EQ(1.0f, pView->m_fZoom);
}

TEST_F(PrintSheet, ThePostScriptPrinterGetsTheSheetsAndTheirTexts)
{
    m_pProgram->LoadRecords(70, m_folder);
    const CString strOutput = m_folder.File("labels.ps");
    CDialogScript script;
    ScriptPrintOptions(script).OK();
    ScriptPrintToFile(script, strOutput);
    m_pProgram->Command(ID_FILE_PRINT);
    EXPECT_EQ(0, script.GetPendingCount());
    EXPECT_EQ(0, m_boxes.GetCount());
    EXPECT_EQ(3, m_pProgram->View()->m_nPagesToPrint);
    EXPECT_EQ(3, CountPostScriptPages(strOutput)) << "70 records on 30-up sheets";

    // each sheet shows its records' texts cell by cell
    const std::vector<std::string> pages = PostScriptPageTexts(strOutput);
    ASSERT_EQ(3u, pages.size());
    for (int s = 0; s < 3; s++)
    {
        std::string expected;
        for (int k = 30 * s + 1; k <= 70 && k <= 30 * s + 30; k++)
        {
            for (const CString& str : RecordTexts(k))
                expected += (LPCTSTR)str;
        }
        EXPECT_EQ(expected, pages[s]) << "sheet " << s + 1;
    }

    // cells at three printer pixels a hundredth of an inch, from the page's printable corner:
    // (-6, 25) less the printer's quarter-inch margin, and on across the sheet
    CFile file(strOutput, CFile::modeRead);
    std::string data((size_t)file.GetLength(), '\0');
    file.Read(&data[0], (UINT)data.size());
    file.Close();
    const size_t nPage1 = data.find("\n%%Page: 1 ");
    const size_t nPage2 = data.find("\n%%Page: 2 ");
    ASSERT_NE(std::string::npos, nPage1);
    const std::string page1 = data.substr(nPage1, nPage2 - nPage1);
    EXPECT_NE(std::string::npos, page1.find("\n-18 75 moveto\n768 75 lineto\n768 375 lineto\n"));
    EXPECT_NE(std::string::npos, page1.find("\n810 75 moveto\n"));
    EXPECT_NE(std::string::npos, page1.find("\n1638 2775 moveto\n2424 2775 lineto\n"));

    // on the printer the offsets are the margins less the printer's quarter inch
    EXPECT_NEAR(0.19f - 0.25f, m_pProgram->View()->m_fPrintLeft, 0.001f);
    EXPECT_NEAR(0.50f - 0.25f, m_pProgram->View()->m_fPrintTop, 0.001f);
}

TEST_F(PrintSheet, LaterSheetsGoOnWithTheNextRecords)
{
    m_pProgram->LoadRecords(70, m_folder);
    CPaper paper(850, 1100);
    PrintToPaper(paper);
    ASSERT_EQ(3, m_pProgram->View()->m_nPagesToPrint);

    // sheet 2: records 31 to 60
    m_pProgram->RenderPage(paper, 2);
    EXPECT_EQ(0, DifferencesFromRecord(paper, CellOrigin(1, 1), 31));
    EXPECT_EQ(0, DifferencesFromRecord(paper, CellOrigin(10, 3), 60));
    // sheet 3: records 61 to 70 in three rows and one cell
    paper.Clear();
    m_pProgram->RenderPage(paper, 3);
    EXPECT_EQ(0, DifferencesFromRecord(paper, CellOrigin(1, 1), 61));
    EXPECT_EQ(0, DifferencesFromRecord(paper, CellOrigin(3, 3), 69));
    EXPECT_EQ(0, DifferencesFromRecord(paper, CellOrigin(4, 1), 70));
    EXPECT_EQ(kWhite, paper.Pixel(CellOrigin(4, 2).x + 50, CellOrigin(4, 2).y + 50)) << "no cell after the last record";
    EXPECT_EQ(0, paper.CountDark(CellOrigin(5, 1).x, CellOrigin(5, 1).y, 3 * kColumnStep, 5 * kHeight));
}

TEST_F(PrintSheet, PrintingStartsAtTheChosenCellAndLaterSheetsAtTheFirst)
{
    m_pProgram->LoadRecords(40, m_folder);
    CPaper paper(850, 1100);
    PrintToPaper(paper, [](CDialogScript::CSteps& steps) {
        steps.SetText(IDC_PO_STARTROW, "2").SetText(IDC_PO_STARTCOLUMN, "3");
    });
    CVarnelView* pView = m_pProgram->View();
    EXPECT_EQ(2, pView->m_nStartRow);
    EXPECT_EQ(3, pView->m_nStartColumn);
    EXPECT_EQ(2, pView->m_nPagesToPrint) << "25 cells on the first sheet, 15 on the second";

    // the first sheet was printed last: cells before (2,3) are empty paper
    m_pProgram->RenderPage(paper, 1);
    for (int c = 1; c <= 3; c++)
        EXPECT_EQ(kWhite, paper.Pixel(CellOrigin(1, c).x + 30, CellOrigin(1, c).y + 30)) << c;
    EXPECT_EQ(kWhite, paper.Pixel(CellOrigin(2, 1).x + 30, CellOrigin(2, 1).y + 30));
    EXPECT_EQ(kWhite, paper.Pixel(CellOrigin(2, 2).x + 30, CellOrigin(2, 2).y + 30));
    EXPECT_EQ(0, DifferencesFromRecord(paper, CellOrigin(2, 3), 1));
    EXPECT_EQ(0, DifferencesFromRecord(paper, CellOrigin(3, 1), 2));
    EXPECT_EQ(0, DifferencesFromRecord(paper, CellOrigin(10, 3), 25));

    paper.Clear();
    m_pProgram->RenderPage(paper, 2);
    EXPECT_EQ(0, DifferencesFromRecord(paper, CellOrigin(1, 1), 26));
    EXPECT_EQ(0, DifferencesFromRecord(paper, CellOrigin(5, 3), 40));
    EXPECT_EQ(kWhite, paper.Pixel(CellOrigin(6, 1).x + 30, CellOrigin(6, 1).y + 30));

    // a start cell that takes one sheet more; the options reopen on it, and OK as they
    // stand prints every record again
    PrintToPaper(paper, [](CDialogScript::CSteps& steps) {
        steps.SetText(IDC_PO_STARTROW, "10").SetText(IDC_PO_STARTCOLUMN, "3");
    });
    EXPECT_EQ(3, pView->m_nPagesToPrint) << "1 record on the first sheet, 30 on the second, 9 on the third";
    paper.Clear();
    PrintToPaper(paper);
    EXPECT_EQ(3, pView->m_nPagesToPrint) << "the skipped cells count from the first estimate on";
    EXPECT_EQ(0, DifferencesFromRecord(paper, CellOrigin(3, 3), 40)) << "the last record on the last sheet";
    EXPECT_EQ(kWhite, paper.Pixel(CellOrigin(4, 1).x + 30, CellOrigin(4, 1).y + 30));
}

TEST_F(PrintSheet, CropMarksOnTheOuterCellsCornerMarksOnEvery)
{
    m_pProgram->LoadRecords(30, m_folder);
    CPaper paper(850, 1100);
    PrintToPaper(paper, [](CDialogScript::CSteps& steps) { steps.Check(IDC_PO_CROPMARKS); });
    EXPECT_TRUE(m_pProgram->View()->m_bCropMarks);
    // crop ticks above the cells of row 1 and left of the cells of column 1
    const CPoint pt11 = CellOrigin(1, 1);
    const CPoint pt12 = CellOrigin(1, 2);
    const CPoint pt22 = CellOrigin(2, 2);
    const CPoint pt21 = CellOrigin(2, 1);
    EXPECT_EQ(kBlack, paper.Pixel(pt12.x, pt12.y - 5));
    EXPECT_EQ(kBlack, paper.Pixel(pt12.x + kWidth, pt12.y - 5));
    EXPECT_EQ(kBlack, paper.Pixel(pt21.x - 5, pt21.y));
    EXPECT_EQ(kBlack, paper.Pixel(pt21.x - 5, pt21.y + kHeight));
    EXPECT_EQ(kWhite, paper.Pixel(pt12.x - 5, pt12.y)) << "no corner mark";
    EXPECT_EQ(kWhite, paper.Pixel(pt22.x - 5, pt22.y)) << "an inner cell has no crop mark";
    EXPECT_EQ(kWhite, paper.Pixel(pt11.x + 5, pt11.y - 5));

    paper.Clear();
    PrintToPaper(paper, [](CDialogScript::CSteps& steps) {
        steps.Check(IDC_PO_CROPMARKS, BST_UNCHECKED).Check(IDC_PO_CORNERMARKS);
    });
    // the crosses at the top-left and bottom-right corners of every cell
    EXPECT_EQ(kBlack, paper.Pixel(pt22.x - 5, pt22.y));
    EXPECT_EQ(kBlack, paper.Pixel(pt22.x + kWidth + 5, pt22.y + kHeight));
    EXPECT_EQ(kBlack, paper.Pixel(pt11.x, pt11.y - 5));
    EXPECT_EQ(kWhite, paper.Pixel(pt12.x + kWidth, pt12.y - 5)) << "no crop mark";
    EXPECT_EQ(kWhite, paper.Pixel(pt12.x + kWidth, pt12.y - 5)) << "the other corners have none";
}

TEST_F(PrintSheet, TwoSidedDesignsPrintFrontAndBackOfTheSameRecords)
{
    CVarnelDoc* pDoc = m_pProgram->Doc();
    pDoc->m_nPublicationType = 3;
    pDoc->m_clrBackgroundBack = 0xFFC0E0FF;
    m_pProgram->AddDbText(CRect(10, 30, 250, 70), "2", 2);
    m_pProgram->LoadRecords(8, m_folder);

    CPaper paper(850, 1100);
    m_pProgram->View()->m_hPrintBitmap = paper.m_hBitmap;
    CDialogScript script;
    ScriptPrintOptions(script, 3, 2).OK();
    m_boxes.AddAnswer(IDYES);
    m_pProgram->Command(ID_FILE_PRINT);
    m_pProgram->View()->m_hPrintBitmap = NULL;
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("Please make sure that \"Two sided printing with long side\" feature is selected in your print "
                 "setup.\nDo you want to continue with printing?",
                 m_boxes.GetCall(0).m_strText);
    EXPECT_EQ(4, m_pProgram->View()->m_nPagesToPrint) << "two sheets, two sides each";

    // page 3 is the front of sheet 2, page 4 its back: records 7 and 8
    auto back = [](int k) { return std::vector<CString>{ CString(), CString(), Str("%d", k) }; };
    paper.Clear();
    m_pProgram->RenderPage(paper, 3);
    CPaper cell(kWidth, kHeight);
    m_pProgram->RenderCell(cell, RecordTexts(8), 1);
    EXPECT_EQ(0, paper.CountDifferences(kWidth, 0, kWidth, kHeight, cell, 0, 0)) << "cell (1,2), no gaps or margins";
    paper.Clear();
    m_pProgram->RenderPage(paper, 4);
    m_pProgram->RenderCell(cell, back(7), 2);
    EXPECT_EQ(0, paper.CountDifferences(0, 0, kWidth, kHeight, cell, 0, 0));
    EXPECT_EQ(RGB(0xC0, 0xE0, 0xFF), paper.Pixel(kWidth - 3, kHeight / 2)) << "the back's colour";
    EXPECT_EQ(kWhite, paper.Pixel(30, kHeight + 30)) << "two records on the last sheet";
}

TEST_F(PrintSheet, ACommandThatCannotPrintSaysWhyAndStops)
{
    CVarnelView* pView = m_pProgram->View();
    // no data source
    CDialogScript script;
    m_pProgram->Command(ID_FILE_PRINT);
    m_pProgram->Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_EQ(2, m_boxes.GetCount());
    EXPECT_EQ(0, m_boxes.GetCall(0).m_strText.Find("Data Source not found!!"));
    EXPECT_EQ(0, m_boxes.GetCall(1).m_strText.Find("Data Source not found!!"));

    // a text without a column
    m_pProgram->LoadRecords(3, m_folder);
    m_pProgram->m_dbTexts[1]->m_strColumn.Empty();
    m_pProgram->Command(ID_FILE_PRINT);
    ASSERT_EQ(3, m_boxes.GetCount());
    EXPECT_EQ(0, m_boxes.GetCall(2).m_strText.Find("Data column not set!!"));
    EXPECT_EQ(0, script.GetRecordCount()) << "no dialog";
    EXPECT_EQ(0, pView->m_nRows);

    // Cancel in the print options ends the command: nothing printed, nothing taken
    m_pProgram->m_dbTexts[1]->m_strColumn = "1";
    CPaper paper(850, 1100);
    pView->m_hPrintBitmap = paper.m_hBitmap;
    ScriptPrintOptions(script).Cancel();
    m_pProgram->Command(ID_FILE_PRINT);
    pView->m_hPrintBitmap = NULL;
    EXPECT_EQ(1, script.GetRecordCount());
    EXPECT_EQ(0, pView->m_nRows);
    EXPECT_EQ(0, paper.CountDark(0, 0, 850, 1100));
    EXPECT_EQ(3, m_boxes.GetCount());
}

// A binding that names no column (damaged in the file) is not printed as some column.
TEST_F(PrintSheet, ADamagedBindingCountsAsNotSet)
{
    m_pProgram->LoadRecords(3, m_folder);
    CDialogScript script;
    const char* damaged[] = { "-1", "x", " 1" };
    for (const char* pszBinding : damaged)
    {
        m_pProgram->m_dbTexts[1]->m_strColumn = pszBinding;
        const int nBoxes = m_boxes.GetCount();
        m_pProgram->Command(ID_FILE_PRINT);
        ASSERT_EQ(nBoxes + 1, m_boxes.GetCount()) << pszBinding;
        EXPECT_EQ(0, m_boxes.GetCall(nBoxes).m_strText.Find("Data column not set!!")) << pszBinding;
    }
    EXPECT_EQ(0, script.GetRecordCount()) << "no dialog";
}

TEST_F(PrintSheet, MergedColumnsBeyondTheTableAndLongValues)
{
    // a binding of the first and a missing column, and one with a value of 300 characters
    m_pProgram->LoadRecords(2, m_folder);
    CVarnelDoc* pDoc = m_pProgram->Doc();
    pDoc->m_pDataRows[2][1] = CString('x', 300);
    m_pProgram->m_dbTexts[0]->m_strColumn = "0-7";
    m_pProgram->m_dbTexts[1]->m_strColumn = "1";
    CPaper paper(850, 1100);
    PrintToPaper(paper);
    EXPECT_EQ(0, m_boxes.GetCount());
    CPaper cell(kWidth, kHeight);
    m_pProgram->RenderCell(cell, { "Name 1 ", "Town 1" });
    EXPECT_EQ(0, paper.CountDifferences(CellOrigin(1, 1).x, CellOrigin(1, 1).y, kWidth, kHeight, cell, 0, 0));
    m_pProgram->RenderCell(cell, { "Name 2 ", CString('x', 255) });
    EXPECT_EQ(0, paper.CountDifferences(CellOrigin(1, 2).x, CellOrigin(1, 2).y, kWidth, kHeight, cell, 0, 0));
}

TEST_F(PrintSheet, AFailingPageIsReportedOnceAndEndsTheJob)
{
    m_pProgram->LoadRecords(70, m_folder);
    CVarnelDoc* pDoc = m_pProgram->Doc();
    CFailingElement* pFailing = new CFailingElement;
    pDoc->m_listElements.AddTail(pFailing);
    CFailingElement::s_nDraws = 0;
    // printed to a file of an earlier job
    const CString strOutput = m_folder.File("failing.ps");
    ASSERT_TRUE(WriteFileBytes(strOutput, "earlier job"));
    CDialogScript script;
    ScriptPrintOptions(script).OK();
    ScriptPrintToFile(script, strOutput);
    m_pProgram->Command(ID_FILE_PRINT);
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("Unexpected Error occurred... \nPlease close and re-open the application and try again!",
                 m_boxes.GetCall(0).m_strText);
    EXPECT_NE(0u, m_boxes.GetCall(0).m_nType & MB_ICONERROR);
    EXPECT_EQ(1, CFailingElement::s_nDraws) << "no page after the failing one";
    EXPECT_EQ("earlier job", ReadFileBytes(strOutput)) << "no half-written job in its place";
    EXPECT_EQ(2, CountFiles(m_folder.File("*"))) << "the records and the earlier job, nothing left beside";
    EXPECT_STREQ("<<TextFromDB>>", m_pProgram->m_dbTexts[1]->m_strText) << "the text is given back";
    EXPECT_FLOAT_EQ(1.0f, m_pProgram->View()->m_fZoom);

    // the next job runs again
    pDoc->m_listElements.RemoveAt(pDoc->m_listElements.Find(pFailing));
    delete pFailing;
    CPaper paper(850, 1100);
    PrintToPaper(paper);
    EXPECT_EQ(1, m_boxes.GetCount());
    EXPECT_EQ(0, DifferencesFromRecord(paper, CellOrigin(1, 1), 61));
}

TEST_F(PrintSheet, GapsAndMarginsPlaceCellsToTheNearestHundredth)
{
    // 0.13 and 0.47 are just below themselves in single precision: still 13 and 47 units
    m_pProgram->LoadRecords(30, m_folder);
    CPaper paper(850, 1100);
    PrintToPaper(paper, [](CDialogScript::CSteps& steps) {
        steps.SetText(IDC_PO_COLUMNGAP, "0.13").SetText(IDC_PO_TOPMARGIN, "0.47").SetText(IDC_PO_ROWGAP, "0.03");
    });
    EXPECT_EQ(0, DifferencesFromRecord(paper, CPoint(kLeft, 47), 1));
    EXPECT_EQ(0, DifferencesFromRecord(paper, CPoint(kLeft + kWidth + 13, 47), 2));
    EXPECT_EQ(0, DifferencesFromRecord(paper, CPoint(kLeft + 2 * (kWidth + 13), 47 + 2 * (kHeight + 3)), 9));
    EXPECT_EQ(kWhite, paper.Pixel(kLeft + kWidth + 6, 60)) << "the gap";
}

TEST_F(PrintSheet, LandscapeSheetsTakeTheOrientationAndOffsetsOfTheLandscapePage)
{
    m_pProgram->LoadRecords(6, m_folder);
    // Print Setup: the user turns the paper
    CDialogScript script;
    script.OnCommonDialog([](HWND hDlg) {
        ::SendDlgItemMessageA(hDlg, 0x421, BM_CLICK, 0, 0);    // "Landscape"
        ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
    });
    m_pProgram->Command(ID_FILE_PRINT_SETUP);
    ASSERT_EQ(0, script.GetPendingCount());

    // two rows of three labels on a landscape sheet, printed to a file
    const CString strOutput = m_folder.File("landscape.ps");
    ScriptPrintOptions(script, 2, 3).Select(IDC_PO_SHEETLIST, 5).OK();
    ScriptPrintToFile(script, strOutput);
    m_pProgram->Command(ID_FILE_PRINT);
    ASSERT_EQ(0, script.GetPendingCount());
    EXPECT_EQ(0, m_boxes.GetCount());
    CVarnelView* pView = m_pProgram->View();
    EXPECT_EQ(1, pView->m_bLandscape) << "the orientation of the printer's DEVMODE";
    ASSERT_EQ(1, CountPostScriptPages(strOutput));

    // the landscape page's own unprintable margins (a quarter inch on this printer)
    CDC dcPrinter;
    ASSERT_TRUE(m_pProgram->m_pApp->CreatePrinterDC(dcPrinter));
    const HDC hDC = dcPrinter.Detach();
    EXPECT_GT(::GetDeviceCaps(hDC, HORZRES), ::GetDeviceCaps(hDC, VERTRES)) << "a landscape page";
    const int nOffsetX = ::GetDeviceCaps(hDC, PHYSICALOFFSETX);
    const int nOffsetY = ::GetDeviceCaps(hDC, PHYSICALOFFSETY);
    ::DeleteDC(hDC);
    EXPECT_NEAR(0.19f - nOffsetX / 300.0f, pView->m_fPrintLeft, 0.006f);
    EXPECT_NEAR(0.50f - nOffsetY / 300.0f, pView->m_fPrintTop, 0.006f);

    // the cells row by row from the margins on paper, three printer pixels a hundredth
    const std::vector<CPostScriptPage> layout = PostScriptPages(strOutput, 3 * kWidth);
    ASSERT_EQ(1u, layout.size());
    const int nRotation = layout[0].nRotation;
    EXPECT_TRUE(nRotation == 90 || nRotation == -90) << "the page turned: " << nRotation;
    const int x0 = 3 * (19 - nOffsetX / 3);
    const int y0 = 3 * (50 - nOffsetY / 3);
    const std::vector<CPoint>& origins = layout[0].cells;
    ASSERT_EQ(6u, origins.size());
    for (int i = 0; i < 6; i++)
    {
        EXPECT_EQ(x0 + 3 * (i % 3) * kColumnStep, origins[i].x) << "cell " << i;
        EXPECT_EQ(y0 + 3 * (i / 3) * kHeight, origins[i].y) << "cell " << i;
    }
    const std::vector<std::string> pages = PostScriptPageTexts(strOutput);
    ASSERT_EQ(1u, pages.size());
    std::string expected;
    for (int k = 1; k <= 6; k++)
        for (const CString& str : RecordTexts(k))
            expected += (LPCTSTR)str;
    EXPECT_EQ(expected, pages[0]);
}
