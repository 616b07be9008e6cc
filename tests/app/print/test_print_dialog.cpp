// The print options dialog driven through its controls: proposed layouts, corrections of
// typed values, the sheet estimate, the start cell, the custom sheet and the picture.

#include "output/PrintDlg.h"
#include "app_program.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <gdiplus.h>

#include <stdio.h>

#include <string>
#include <vector>

namespace
{

std::string Text(CWnd* pDlg, int nID)
{
    char szText[512] = "";
    ::GetDlgItemTextA(pDlg->m_hWnd, nID, szText, sizeof(szText));
    return szText;
}

int ComboSel(CWnd* pDlg, int nID)
{
    return (int)::SendDlgItemMessageA(pDlg->m_hWnd, nID, CB_GETCURSEL, 0, 0);
}

// A dialog as the view fills it for a design of the type and size.
void Fill(CPrintDlg& dlg, int nPubType, int nWidth, int nHeight, int nRowCount = -1, int nSides = 1)
{
    dlg.m_nPubType = nPubType;
    dlg.m_nDesignWidth = nWidth;
    dlg.m_nDesignHeight = nHeight;
    dlg.m_nSheetWidth = 850;
    dlg.m_nSheetHeight = 1100;
    dlg.m_nRowCount = nRowCount;
    dlg.m_nSides = nSides;
    dlg.m_nPagesToPrint = nSides;
    dlg.m_nRows = 0;
    dlg.m_nColumns = 0;
}

std::string Note(int nRows, int nColumns, int nSheets, int nRecords)
{
    CString str;
    str.Format("NOTE: With current print options and %d rows and %d columns on one sheet, you need %d "
               "sheets to print all your records.[Total records = %d]",
               nRows, nColumns, nSheets, nRecords);
    return (LPCTSTR)str;
}

} // namespace

TEST(PrintDialog, AStockLabelProposesItsSheetLayout)
{
    CPrintDlg dlg;
    Fill(dlg, 0, 262, 100);
    CDialogScript script;
    script.OnDialog(IDD_PRINT_OPTIONS).Do([](CWnd* pDlg) {
        EXPECT_EQ("Your design size is:  2.62 x 1.00\" - Similar to Avery 5160", Text(pDlg, IDC_PO_DESIGNSIZE));
        EXPECT_EQ(9, ComboSel(pDlg, IDC_PO_ROWS));
        EXPECT_EQ(2, ComboSel(pDlg, IDC_PO_COLUMNS));
        EXPECT_EQ("0.00", Text(pDlg, IDC_PO_ROWGAP));
        EXPECT_EQ("0.14", Text(pDlg, IDC_PO_COLUMNGAP));
        EXPECT_EQ("0.50", Text(pDlg, IDC_PO_TOPMARGIN));
        EXPECT_EQ("0.19", Text(pDlg, IDC_PO_LEFTMARGIN));
        EXPECT_EQ("Note: There is no database-linked text in your design. So all printing will be identical.",
                  Text(pDlg, IDC_PO_NOTE));
        EXPECT_FALSE(pDlg->GetDlgItem(IDC_PO_ESTIMATE)->IsWindowEnabled());
        EXPECT_EQ("1", Text(pDlg, IDC_PO_PAGES));
        CListBox* pList = (CListBox*)pDlg->GetDlgItem(IDC_PO_SHEETLIST);
        EXPECT_EQ(9, pList->GetCount());
        EXPECT_EQ(0, pList->GetCurSel());
        EXPECT_EQ("8.50", Text(pDlg, IDC_PO_CUSTOMWIDTH));
    }).OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(9, dlg.m_nRows) << "the combo index";
    EXPECT_EQ(2, dlg.m_nColumns);
    EXPECT_FLOAT_EQ(0.14f, dlg.m_fColumnGap);
    EXPECT_FLOAT_EQ(0.50f, dlg.m_fTopMargin);
    EXPECT_FLOAT_EQ(0.19f, dlg.m_fLeftMargin);
    EXPECT_EQ(850, dlg.m_nSheetWidth);
    EXPECT_EQ(1100, dlg.m_nSheetHeight);
    EXPECT_TRUE(dlg.m_pCatalogue == NULL) << "released when the dialog closed";
}

TEST(PrintDialog, AChosenLayoutIsKeptButTheStockNameShown)
{
    CPrintDlg dlg;
    Fill(dlg, 0, 262, 100);
    dlg.m_nRows = 4;
    dlg.m_nColumns = 2;
    dlg.m_fColumnGap = 0.3f;
    CDialogScript script;
    script.OnDialog(IDD_PRINT_OPTIONS).Do([](CWnd* pDlg) {
        EXPECT_EQ(3, ComboSel(pDlg, IDC_PO_ROWS));
        EXPECT_EQ(1, ComboSel(pDlg, IDC_PO_COLUMNS));
        EXPECT_EQ("0.30", Text(pDlg, IDC_PO_COLUMNGAP));
        EXPECT_EQ("Your design size is:  2.62 x 1.00\" - Similar to Avery 5160", Text(pDlg, IDC_PO_DESIGNSIZE));
    }).Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST(PrintDialog, OtherSizesAndOneCopyPublications)
{
    {
        // no stock size: inches and one copy on the first print
        CPrintDlg dlg;
        Fill(dlg, 0, 300, 200);
        CDialogScript script;
        script.OnDialog(IDD_PRINT_OPTIONS).Do([](CWnd* pDlg) {
            EXPECT_EQ("Your design size is: 3.00 x 2.00 inch", Text(pDlg, IDC_PO_DESIGNSIZE));
            EXPECT_EQ(0, ComboSel(pDlg, IDC_PO_ROWS));
            EXPECT_EQ(0, ComboSel(pDlg, IDC_PO_COLUMNS));
        }).OK();
        ASSERT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(0, dlg.m_nRows);
        EXPECT_EQ(0, dlg.m_nColumns);
    }
    {
        // the two file-folder labels of 344 wide: 344 x 54 is the first, 344 x 67 the second
        CPrintDlg dlg;
        Fill(dlg, 0, 344, 67);
        CDialogScript script;
        script.OnDialog(IDD_PRINT_OPTIONS).Do([](CWnd* pDlg) {
            EXPECT_EQ("Your design size is:  3.44 x 0.67\" - Similar to Avery 6873", Text(pDlg, IDC_PO_DESIGNSIZE));
            EXPECT_EQ("0.51", Text(pDlg, IDC_PO_TOPMARGIN));
        }).OK();
        ASSERT_EQ(IDOK, dlg.DoModal());
    }
    {
        // an envelope: one copy, no gaps or margins, the sheet of the design's size
        CPrintDlg dlg;
        Fill(dlg, 2, 950, 413);
        dlg.m_nRows = 3;
        dlg.m_nColumns = 2;
        dlg.m_fTopMargin = 1.0f;
        CDialogScript script;
        script.OnDialog(IDD_PRINT_OPTIONS).Do([](CWnd* pDlg) {
            EXPECT_EQ("9.50", Text(pDlg, IDC_PO_CUSTOMWIDTH));
            EXPECT_EQ("4.13", Text(pDlg, IDC_PO_CUSTOMHEIGHT));
            EXPECT_TRUE(pDlg->GetDlgItem(IDC_PO_CUSTOMWIDTH)->IsWindowEnabled());
        }).OK();
        ASSERT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(0, dlg.m_nRows);
        EXPECT_EQ(0, dlg.m_nColumns);
        EXPECT_EQ(0.0f, dlg.m_fTopMargin);
        EXPECT_EQ(950, dlg.m_nSheetWidth);
        EXPECT_EQ(413, dlg.m_nSheetHeight);
    }
}

TEST(PrintDialog, OutOfRangeValuesAreReplacedInTheirFields)
{
    CPrintDlg dlg;
    Fill(dlg, 0, 300, 200, 11);
    CDialogScript script;
    script.OnDialog(IDD_PRINT_OPTIONS)
        .SetText(IDC_PO_ROWGAP, "-1")
        .SetText(IDC_PO_COLUMNGAP, "20")
        .SetText(IDC_PO_LEFTMARGIN, "16")
        .SetText(IDC_PO_TOPMARGIN, "-0.1")
        .Focus(IDC_PO_ROWS)
        .Do([](CWnd* pDlg) {
            EXPECT_EQ("0", Text(pDlg, IDC_PO_ROWGAP));
            EXPECT_EQ("15", Text(pDlg, IDC_PO_COLUMNGAP));
            EXPECT_EQ("0.25", Text(pDlg, IDC_PO_LEFTMARGIN));
            EXPECT_EQ("0.07", Text(pDlg, IDC_PO_TOPMARGIN));
        })
        .SetText(IDC_PO_PAGES, "0")
        .Do([](CWnd* pDlg) { EXPECT_EQ("1", Text(pDlg, IDC_PO_PAGES)); })
        .SetText(IDC_PO_PAGES, "99")
        .Do([](CWnd* pDlg) { EXPECT_EQ("10", Text(pDlg, IDC_PO_PAGES)) << "10 records, one a sheet"; })
        .SetText(IDC_PO_PAGES, "4")
        // typed without leaving the field: OK checks it too
        .SetText(IDC_PO_ROWGAP, "30")
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(15.0f, dlg.m_fRowGap);
    EXPECT_EQ(15.0f, dlg.m_fColumnGap);
    EXPECT_EQ(0.25f, dlg.m_fLeftMargin);
    EXPECT_EQ(0.07f, dlg.m_fTopMargin);
    EXPECT_EQ(4, dlg.m_nPagesToPrint);
}

// A number field emptied with Backspace takes the digits typed next, as an edit does (not
// "1" before them); OK refuses it while it stays empty.
TEST(PrintDialog, AnEmptiedNumberFieldTakesTheDigitsTypedNext)
{
    CPrintDlg dlg;
    Fill(dlg, 0, 300, 200);
    dlg.m_nRows = 3;
    dlg.m_nColumns = 2;
    CMessageBoxRecorder boxes;
    CDialogScript script;
    auto retype = [](WORD nKey) {
        return [nKey](CWnd*) { EXPECT_TRUE(SendKeys({}, { VK_END, VK_BACK, nKey })); };
    };
    script.OnDialog(IDD_PRINT_OPTIONS)
        .Focus(IDC_PO_PAGES)
        .Do(retype('3'))
        .Focus(IDC_PO_STARTROW)
        .Do(retype('2'))
        .Focus(IDC_PO_STARTCOLUMN)
        .Do(retype('2'))
        .Do([](CWnd* pDlg) {
            EXPECT_EQ("3", Text(pDlg, IDC_PO_PAGES));
            EXPECT_EQ("2", Text(pDlg, IDC_PO_STARTROW));
            EXPECT_EQ("2", Text(pDlg, IDC_PO_STARTCOLUMN));
        })
        .Focus(IDC_PO_PAGES)
        .Do([](CWnd*) { EXPECT_TRUE(SendKeys({}, { VK_END, VK_BACK })); })
        .OK()
        .Do([](CWnd* pDlg) { EXPECT_EQ("", Text(pDlg, IDC_PO_PAGES)) << "left empty"; })
        .Do(retype('4'))
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    ASSERT_EQ(1, boxes.GetCount()) << "OK with the field empty";
    EXPECT_STREQ("Please enter an integer.", boxes.GetCall(0).m_strText);
    EXPECT_EQ(4, dlg.m_nPagesToPrint);
    EXPECT_EQ(2, dlg.m_nStartRow);
    EXPECT_EQ(2, dlg.m_nStartColumn);
}

// Without database text the pages are bound only by the most one print job holds.
TEST(PrintDialog, PagesWithoutDatabaseTextAreBoundByOnePrintJob)
{
    CPrintDlg dlg;
    Fill(dlg, 0, 300, 200);
    CDialogScript script;
    script.OnDialog(IDD_PRINT_OPTIONS)
        .SetText(IDC_PO_PAGES, "99999999999")
        .Do([](CWnd* pDlg) { EXPECT_EQ("65534", Text(pDlg, IDC_PO_PAGES)); })
        .SetText(IDC_PO_PAGES, "99")
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(99, dlg.m_nPagesToPrint);
}

TEST(PrintDialog, TheEstimateCountsTheSkippedCellsAndTheSides)
{
    EXPECT_EQ(5, CPrintDlg::EstimateSheets(26, 3, 2, 1, 1, 1));
    EXPECT_EQ(5, CPrintDlg::EstimateSheets(26, 3, 2, 2, 1, 1));
    EXPECT_EQ(5, CPrintDlg::EstimateSheets(26, 3, 2, 3, 1, 1));
    EXPECT_EQ(5, CPrintDlg::EstimateSheets(26, 3, 2, 3, 2, 1));
    EXPECT_EQ(6, CPrintDlg::EstimateSheets(27, 3, 2, 3, 2, 1));
    EXPECT_EQ(12, CPrintDlg::EstimateSheets(27, 3, 2, 3, 2, 2));
    EXPECT_EQ(34, CPrintDlg::EstimateSheets(1001, 10, 3, 1, 1, 1));
    EXPECT_EQ(0, CPrintDlg::EstimateSheets(1, 10, 3, 1, 1, 1)) << "no records";
    EXPECT_EQ(0, CPrintDlg::EstimateSheets(0, 10, 3, 1, 1, 1));

    // in the dialog: 25 records on 3 x 2
    CPrintDlg dlg;
    Fill(dlg, 0, 300, 200, 26);
    dlg.m_nRows = 3;
    dlg.m_nColumns = 2;
    CMessageBoxRecorder boxes;
    CDialogScript script;
    script.OnDialog(IDD_PRINT_OPTIONS)
        .Do([](CWnd* pDlg) {
            EXPECT_EQ("5", Text(pDlg, IDC_PO_PAGES));
            EXPECT_EQ(Note(3, 2, 5, 25), Text(pDlg, IDC_PO_NOTE));
            EXPECT_TRUE(pDlg->GetDlgItem(IDC_PO_ESTIMATE)->IsWindowEnabled());
        })
        .SetText(IDC_PO_STARTROW, "3")
        .SetText(IDC_PO_STARTCOLUMN, "2")
        .Do([](CWnd* pDlg) { EXPECT_EQ(Note(3, 2, 5, 25), Text(pDlg, IDC_PO_NOTE)); })
        .Select(IDC_PO_ROWS, 1)
        .Select(IDC_PO_ROWS, 2)
        .Do([](CWnd* pDlg) { EXPECT_EQ("5", Text(pDlg, IDC_PO_PAGES)); })
        .Select(IDC_PO_COLUMNS, 0)
        .Do([](CWnd* pDlg) {
            // 25 records from row 3, column 2 of 3 x 1: 3 skipped cells, 28 cells, 10 sheets
            EXPECT_EQ(Note(3, 1, 10, 25), Text(pDlg, IDC_PO_NOTE));
            EXPECT_EQ("10", Text(pDlg, IDC_PO_PAGES));
        })
        .Click(IDC_PO_ESTIMATE)
        .Select(IDC_PO_COLUMNS, 1)
        .SetText(IDC_PO_STARTCOLUMN, "2")
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("You have a total of 25 records linked to this print job.\n\nWith the current print options you "
                 "selected you need \n10 sheets to print all your records!",
                 boxes.GetCall(0).m_strText);
    EXPECT_EQ(3, dlg.m_nStartRow);
    EXPECT_EQ(2, dlg.m_nStartColumn);
    EXPECT_EQ(5, dlg.m_nPagesToPrint);
    EXPECT_EQ(5, dlg.m_nSheetsNeeded);
}

TEST(PrintDialog, TwoSidedDesignsNeedTwiceTheSheets)
{
    CPrintDlg dlg;
    Fill(dlg, 3, 300, 200, 26, 2);
    dlg.m_nRows = 3;
    dlg.m_nColumns = 2;
    CDialogScript script;
    script.OnDialog(IDD_PRINT_OPTIONS).Do([](CWnd* pDlg) {
        EXPECT_EQ("10", Text(pDlg, IDC_PO_PAGES));
        EXPECT_EQ(Note(3, 2, 10, 25), Text(pDlg, IDC_PO_NOTE));
    }).OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(10, dlg.m_nPagesToPrint);
}

TEST(PrintDialog, ATableWithoutRecordsSettlesOnOnePagePerSide)
{
    for (int nSides = 1; nSides <= 2; nSides++)
    {
        CPrintDlg dlg;
        Fill(dlg, 3, 300, 200, 1, nSides);
        CDialogScript script;
        script.OnDialog(IDD_PRINT_OPTIONS)
            .Do([nSides](CWnd* pDlg) {
                EXPECT_EQ(std::to_string(nSides), Text(pDlg, IDC_PO_PAGES));
                EXPECT_EQ(Note(1, 1, 0, 0), Text(pDlg, IDC_PO_NOTE));
            })
            .SetText(IDC_PO_PAGES, "0")
            .SetText(IDC_PO_PAGES, "7")
            .SetText(IDC_PO_STARTROW, "2")
            .OK();
        ASSERT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(nSides, dlg.m_nPagesToPrint);
        EXPECT_EQ(1, dlg.m_nStartRow);
    }
}

TEST(PrintDialog, AStartCellBeyondTheLayoutIsCorrectedOrRefused)
{
    CPrintDlg dlg;
    Fill(dlg, 0, 300, 200, 26);
    dlg.m_nRows = 3;
    dlg.m_nColumns = 2;
    CMessageBoxRecorder boxes;
    CDialogScript script;
    script.OnDialog(IDD_PRINT_OPTIONS)
        .SetText(IDC_PO_STARTROW, "7")
        .SetText(IDC_PO_STARTCOLUMN, "0")
        .Do([](CWnd* pDlg) {
            EXPECT_EQ("3", Text(pDlg, IDC_PO_STARTROW));
            EXPECT_EQ("1", Text(pDlg, IDC_PO_STARTCOLUMN));
        })
        .Select(IDC_PO_ROWS, 1)
        .OK()
        .Do([](CWnd* pDlg) { EXPECT_TRUE(::IsWindowVisible(pDlg->m_hWnd)) << "stays open"; })
        .SetText(IDC_PO_STARTCOLUMN, "2")
        .Select(IDC_PO_COLUMNS, 0)
        .SetText(IDC_PO_STARTROW, "1")
        .OK()
        .Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_EQ(2, boxes.GetCount());
    EXPECT_STREQ("You have chosen:\n\tNo. Of Rows = 2\n\tStart Printing From Row = 3\n\nStart Printing From Row "
                 "number cannot exceed total No. Rows\non a sheet. Please correct Start Printing From Row number!",
                 boxes.GetCall(0).m_strText);
    EXPECT_STREQ("You have chosen:\n\tNo. Of Columns = 1\n\tStart Printing From Col = 2\n\nStart Printing From "
                 "Column number cannot exceed total No. Cloumns\non a sheet. Please correct Start Printing From "
                 "Column number!",
                 boxes.GetCall(1).m_strText);
}

TEST(PrintDialog, CustomSheetSizesRoundAndStayWithinLimits)
{
    CPrintDlg dlg;
    Fill(dlg, 0, 300, 200);
    CDialogScript script;
    script.OnDialog(IDD_PRINT_OPTIONS)
        .Select(IDC_PO_SHEETLIST, 5)
        .Do([](CWnd* pDlg) { EXPECT_FALSE(pDlg->GetDlgItem(IDC_PO_CUSTOMWIDTH)->IsWindowEnabled()); })
        .Select(IDC_PO_SHEETLIST, 0)
        .SetText(IDC_PO_CUSTOMWIDTH, "2.62")
        .SetText(IDC_PO_CUSTOMHEIGHT, "2.62")
        .Focus(IDC_PO_ROWS)
        .SetText(IDC_PO_CUSTOMWIDTH, "0.01")
        .SetText(IDC_PO_CUSTOMHEIGHT, "30")
        .Focus(IDC_PO_ROWS)
        .Do([](CWnd* pDlg) {
            EXPECT_EQ("2.62", Text(pDlg, IDC_PO_CUSTOMWIDTH)) << "the last good width";
            EXPECT_EQ("2.62", Text(pDlg, IDC_PO_CUSTOMHEIGHT));
        })
        .SetText(IDC_PO_CUSTOMWIDTH, "8.5")
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(850, dlg.m_nSheetWidth);
    EXPECT_EQ(262, dlg.m_nSheetHeight) << "rounded, not truncated";

    // a catalogue sheet
    CPrintDlg dlgA4;
    Fill(dlgA4, 0, 300, 200);
    CDialogScript scriptA4;
    scriptA4.OnDialog(IDD_PRINT_OPTIONS).Select(IDC_PO_SHEETLIST, 6).OK();
    ASSERT_EQ(IDOK, dlgA4.DoModal());
    EXPECT_EQ(1169, dlgA4.m_nSheetWidth);
    EXPECT_EQ(827, dlgA4.m_nSheetHeight);
}

TEST(PrintDialog, ThePictureFillsTheCellsFromTheStartCellOn)
{
    using namespace Gdiplus;
    CPrintDlg dlg;
    Fill(dlg, 0, 400, 300, 26);
    dlg.m_nRows = 3;
    dlg.m_nColumns = 2;
    dlg.m_nStartRow = 2;
    dlg.m_nStartColumn = 2;
    dlg.m_fLeftMargin = 0.25f;
    dlg.m_fTopMargin = 0.5f;
    dlg.m_nSheetWidth = 850;
    dlg.m_nSheetHeight = 1100;
    CDialogScript script;
    script.OnDialog(IDD_PRINT_OPTIONS).Do([&dlg](CWnd*) {
        // a sheet of 850 x 1100 in an area of 190 x 250 pixels: 0.2 pixels a hundredth
        CDC dc;
        dc.CreateCompatibleDC(NULL);
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = 190;
        bmi.bmiHeader.biHeight = -250;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* pBits = NULL;
        HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
        HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
        dc.FillSolidRect(0, 0, 190, 250, RGB(128, 128, 128));
        dlg.DrawLayout(&dc, CRect(0, 0, 190, 250));
        // the sheet at (10, 20); cells of 80 x 60 pixels from (15, 30)
        EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(12, 22)) << "sheet";
        EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(15 + 40, 30 + 30)) << "cell (1,1) is skipped";
        EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(15 + 40, 30 + 90)) << "cell (2,1) is skipped";
        EXPECT_EQ(RGB(255, 255, 192), dc.GetPixel(15 + 120, 30 + 90)) << "cell (2,2) is the first";
        EXPECT_EQ(RGB(255, 255, 192), dc.GetPixel(15 + 40, 30 + 150)) << "cell (3,1) follows";
        EXPECT_EQ(RGB(0, 0, 160), dc.GetPixel(15, 30 + 30)) << "cell outline";
        EXPECT_EQ(RGB(128, 128, 128), dc.GetPixel(5, 5)) << "outside the sheet";

        // a sheet without size draws nothing
        dc.FillSolidRect(0, 0, 190, 250, RGB(128, 128, 128));
        dlg.m_nSheetWidth = 0;
        dlg.DrawLayout(&dc, CRect(0, 0, 190, 250));
        dlg.m_nSheetWidth = 850;
        dlg.m_nSheetHeight = 0;
        dlg.DrawLayout(&dc, CRect(0, 0, 190, 250));
        EXPECT_EQ(RGB(128, 128, 128), dc.GetPixel(12, 22));
        dlg.m_nSheetHeight = 1100;
        ::SelectObject(dc.m_hDC, hOld);
        ::DeleteObject(hBitmap);
        // and painting the dialog with it does not fail
        dlg.Invalidate();
        dlg.UpdateWindow();
    }).OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
}

namespace
{

struct CLabelCheck
{
    HWND hDlg;
    std::vector<std::string> problems;
};

bool IsGroupBox(HWND hWnd)
{
    char szClass[32] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    return lstrcmpiA(szClass, "Button") == 0 && (::GetWindowLongA(hWnd, GWL_STYLE) & 0x0F) == BS_GROUPBOX;
}

// A label whose text does not fit its window at the dialog's font, or that covers another
// control.
BOOL CALLBACK CheckLabel(HWND hWnd, LPARAM lParam)
{
    CLabelCheck* pCheck = (CLabelCheck*)lParam;
    char szClass[32] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    char szText[512] = "";
    ::GetWindowTextA(hWnd, szText, sizeof(szText));
    if (lstrcmpiA(szClass, "Static") != 0 || !::IsWindowVisible(hWnd) || szText[0] == 0)
        return TRUE;

    RECT rcClient;
    ::GetClientRect(hWnd, &rcClient);
    HDC hDC = ::GetDC(hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, (HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0));
    TEXTMETRICA tm;
    ::GetTextMetricsA(hDC, &tm);
    RECT rcText = { 0, 0, rcClient.right, 0 };
    const BOOL bLines = rcClient.bottom >= 2 * tm.tmHeight;
    ::DrawTextA(hDC, szText, -1, &rcText,
                DT_CALCRECT | DT_NOPREFIX | (bLines ? DT_WORDBREAK : DT_SINGLELINE | DT_EXPANDTABS));
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(hWnd, hDC);
    if (rcText.right > rcClient.right || rcText.bottom > rcClient.bottom)
    {
        char szProblem[640];
        sprintf(szProblem, "\"%s\" needs %ld x %ld pixels, has %ld x %ld", szText, rcText.right, rcText.bottom,
                rcClient.right, rcClient.bottom);
        pCheck->problems.push_back(szProblem);
    }

    RECT rcLabel;
    ::GetWindowRect(hWnd, &rcLabel);
    for (HWND hOther = ::GetWindow(pCheck->hDlg, GW_CHILD); hOther != NULL; hOther = ::GetWindow(hOther, GW_HWNDNEXT))
    {
        RECT rcOther, rcBoth;
        if (hOther == hWnd || !::IsWindowVisible(hOther) || IsGroupBox(hOther))
            continue;
        ::GetWindowRect(hOther, &rcOther);
        if (::IntersectRect(&rcBoth, &rcLabel, &rcOther))
        {
            char szOther[128] = "";
            ::GetWindowTextA(hOther, szOther, sizeof(szOther));
            pCheck->problems.push_back(std::string("\"") + szText + "\" covers control " +
                                       std::to_string(::GetDlgCtrlID(hOther)) + " \"" + szOther + "\"");
        }
    }
    return TRUE;
}

} // namespace

TEST(PrintDialog, EveryLabelShowsItsWholeText)
{
    CPrintDlg dlg;
    Fill(dlg, 0, 262, 100, 31);
    CDialogScript script;
    std::vector<std::string> problems;
    script.OnDialog(IDD_PRINT_OPTIONS).Do([&problems](CWnd* pDlg) {
        CLabelCheck check;
        check.hDlg = pDlg->m_hWnd;
        ::EnumChildWindows(pDlg->m_hWnd, CheckLabel, (LPARAM)&check);
        problems = check.problems;
    }).Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    for (const std::string& problem : problems)
        ADD_FAILURE() << problem;
}

TEST(PrintDialog, ASheetConfirmedBeforeComesBackForEveryKindOfPublication)
{
    // an envelope printed on legal paper last time opens on legal paper again
    CPrintDlg dlg;
    Fill(dlg, 2, 950, 412);
    dlg.m_nSheetIndex = 7;
    dlg.m_nSheetWidth = 1400;
    dlg.m_nSheetHeight = 850;
    int nShown = -1;
    CDialogScript script;
    script.OnDialog(IDD_PRINT_OPTIONS).Do([&nShown](CWnd* pDlg) {
        nShown = (int)::SendDlgItemMessageA(pDlg->m_hWnd, IDC_PO_SHEETLIST, LB_GETCURSEL, 0, 0);
    }).OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(7, nShown);
    EXPECT_EQ(7, dlg.m_nSheetIndex);
    EXPECT_EQ(1400, dlg.m_nSheetWidth);
    EXPECT_EQ(850, dlg.m_nSheetHeight);

    // a stock sheet whose size the document no longer has: the custom size as it is
    CPrintDlg dlgChanged;
    Fill(dlgChanged, 0, 262, 100);
    dlgChanged.m_nSheetIndex = 3;
    dlgChanged.m_nSheetWidth = 900;
    dlgChanged.m_nSheetHeight = 1200;
    CString strWidth;
    script.OnDialog(IDD_PRINT_OPTIONS).Do([&](CWnd* pDlg) {
        nShown = (int)::SendDlgItemMessageA(pDlg->m_hWnd, IDC_PO_SHEETLIST, LB_GETCURSEL, 0, 0);
        pDlg->GetDlgItemText(IDC_PO_CUSTOMWIDTH, strWidth);
    }).OK();
    ASSERT_EQ(IDOK, dlgChanged.DoModal());
    EXPECT_EQ(0, nShown);
    EXPECT_STREQ("9.00", strWidth);
    EXPECT_EQ(0, dlgChanged.m_nSheetIndex);
    EXPECT_EQ(900, dlgChanged.m_nSheetWidth);
}

// Name badges 3 x 3 on letter landscape: the note under the picture says what fits, the
// picture keeps the cells within the sheet, and OK asks before keeping the layout.
TEST(PrintDialog, ALayoutLargerThanTheSheetIsToldAndDrawnWithinItsFrame)
{
    CPrintDlg dlg;
    Fill(dlg, 1, 338, 233);
    CMessageBoxRecorder boxes;
    boxes.AddAnswer(IDNO);
    boxes.AddAnswer(IDYES);
    int nInside = 0, nBeyond = 0;
    CDialogScript script;
    script.OnDialog(IDD_PRINT_OPTIONS)
        .Do([](CWnd* pDlg) { EXPECT_EQ("", Text(pDlg, IDC_PO_FIT)) << "the proposed layout fits"; })
        .Select(IDC_PO_SHEETLIST, 5)
        .Select(IDC_PO_ROWS, 2)
        .Select(IDC_PO_COLUMNS, 2)
        .Do([&](CWnd* pDlg) {
            EXPECT_EQ("The layout is larger than the sheet: 3 of its 3 rows and 2 of its 3 columns fit.",
                      Text(pDlg, IDC_PO_FIT));
            // the picture on the screen: cells left of the sheet's right edge only
            pDlg->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            CWnd* pBox = pDlg->GetDlgItem(IDC_PO_LAYOUT);
            CRect rcBox;
            pBox->GetClientRect(&rcBox);
            CClientDC dc(pBox);
            const int nSheetRight = rcBox.right - 10;      // a landscape sheet takes the width
            for (int y = rcBox.top; y < rcBox.bottom; y++)
            {
                for (int x = rcBox.left; x < rcBox.right; x++)
                {
                    if (dc.GetPixel(x, y) == RGB(255, 255, 192))
                        ++(x <= nSheetRight ? nInside : nBeyond);
                }
            }
        })
        .OK()
        .Do([](CWnd* pDlg) { EXPECT_TRUE(::IsWindowVisible(pDlg->m_hWnd)) << "No goes back"; })
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_GT(nInside, 100) << "the cells are drawn";
    EXPECT_EQ(0, nBeyond) << "no cell beyond the sheet";
    ASSERT_EQ(2, boxes.GetCount());
    EXPECT_STREQ("The layout is larger than the sheet (11.00 x 8.50 inch): only 3 rows and 2 columns fit on it, "
                 "and the labels beyond its edge would not print.\n\nDo you want to keep this layout? Choose No "
                 "to correct it.",
                 boxes.GetCall(0).m_strText);
    EXPECT_EQ(2, dlg.m_nColumns) << "three columns kept";
    EXPECT_EQ(1100, dlg.m_nSheetWidth);
}
