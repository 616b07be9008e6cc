// Label sheets on the printer's paper, printed through the Print command into PostScript
// files and read back: the orientation of the sheet whatever Print Setup says, layouts and
// publications larger than the paper, sheets the printer has no paper for, and merges
// without records.

#include "print_program.h"
#include "test_support.h"
#include "model/Elements.h"

#include <string>
#include <vector>

namespace
{

const int kWidth = 262;         // the 30-up address label
const int kHeight = 100;
const int kDpi = 300;           // the test printer
const int kOffset = 75;         // its unprintable margin, printer pixels

class PrintPaper : public CAddressLabelTest
{
protected:
    // The publication becomes an envelope of the size, printed on a sheet of its own.
    void MakeEnvelope(int nWidth, int nHeight)
    {
        CVarnelDoc* pDoc = m_pProgram->Doc();
        pDoc->m_nPublicationType = 2;
        pDoc->m_nDesignWidth = nWidth;
        pDoc->m_nDesignHeight = nHeight;
        m_pProgram->View()->m_nSheetIndex = -1;
    }

    // Print Setup: the user turns the paper.
    void SetUpPrinter(BOOL bLandscape)
    {
        CDialogScript script;
        script.OnCommonDialog([bLandscape](HWND hDlg) {
            ::SendDlgItemMessageA(hDlg, bLandscape ? 0x421 : 0x420, BM_CLICK, 0, 0);
            ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
        });
        m_pProgram->Command(ID_FILE_PRINT_SETUP);
        ASSERT_EQ(0, script.GetPendingCount());
    }

    // The Print command with the print options set by options, printed to a file when
    // bPrints (the Print dialog, then the file's name); the file's path.
    CString Print(LPCTSTR lpszName, std::function<void(CDialogScript::CSteps&)> options, BOOL bPrints = TRUE)
    {
        const CString strOutput = m_folder.File(lpszName);
        CDialogScript script;
        CDialogScript::CSteps& steps = ScriptPrintOptions(script);
        if (options)
            options(steps);
        steps.OK();
        ScriptPrintToFile(script, bPrints ? (LPCTSTR)strOutput : NULL);
        m_pProgram->Command(ID_FILE_PRINT);
        EXPECT_EQ(0, script.GetPendingCount()) << script.GetLog();
        return strOutput;
    }

};

std::string RecordNames(int nFirst, int nLast)
{
    std::string text;
    for (int k = nFirst; k <= nLast; k++)
        text += "Name " + std::to_string(k);
    return text;
}

} // namespace

// Print Setup's orientation does not cut the sheet: a portrait sheet prints portrait and a
// landscape sheet landscape, each label once, in order, within the paper.
TEST_F(PrintPaper, TheSheetDecidesTheOrientationWhateverPrintSetupSaid)
{
    m_pProgram->LoadRecords(45, m_folder);
    struct CCase
    {
        int nSheet;             // item of the sheet list: 1 letter, 5 letter landscape
        int nRows;
        BOOL bPrinterLandscape;
        int nPages;
    };
    const CCase cases[] = {
        { 1, 10, FALSE, 2 }, { 1, 10, TRUE, 2 }, { 5, 7, FALSE, 3 }, { 5, 7, TRUE, 3 },
    };
    for (const CCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "sheet " << c.nSheet << ", printer landscape " << c.bPrinterLandscape);
        SetUpPrinter(c.bPrinterLandscape);
        const CString strOutput = Print("sheet.ps", [&c](CDialogScript::CSteps& steps) {
            steps.Select(IDC_PO_SHEETLIST, c.nSheet)
                .Select(IDC_PO_ROWS, c.nRows - 1)
                .Select(IDC_PO_COLUMNS, 2)
                .SetText(IDC_PO_STARTROW, "2")
                .SetText(IDC_PO_STARTCOLUMN, "2");
        });
        EXPECT_EQ(0, m_boxes.GetCount());
        const std::vector<std::string> pages = PostScriptPageTexts(strOutput);
        ASSERT_EQ((size_t)c.nPages, pages.size());
        std::string all;
        for (const std::string& page : pages)
            all += page;
        EXPECT_EQ(RecordNames(1, 45), all);

        const BOOL bLandscape = c.nSheet == 5;
        const std::vector<CPostScriptPage> layout = PostScriptPages(strOutput, 3 * kWidth);
        ASSERT_EQ((size_t)c.nPages, layout.size());
        EXPECT_EQ(bLandscape, layout[0].nRotation != 0) << "rotation " << layout[0].nRotation;
        const int nPaperWidth = (bLandscape ? 11 : 8.5) * kDpi;
        const int nPaperHeight = (bLandscape ? 8.5 : 11) * kDpi;
        size_t nCells = 0;
        for (const CPostScriptPage& page : layout)
        {
            for (const CPoint& pt : page.cells)
            {
                EXPECT_GE(pt.x, -kOffset);
                EXPECT_GE(pt.y, -kOffset);
                EXPECT_LE(pt.x + 3 * kWidth, nPaperWidth - kOffset);
                EXPECT_LE(pt.y + 3 * kHeight, nPaperHeight - kOffset);
            }
            nCells += page.cells.size();
        }
        EXPECT_EQ(45u, nCells);
        ::DeleteFileA(strOutput);
        m_boxes.Reset();
    }
}

// A layout or a publication larger than the paper is told before printing; No prints nothing.
TEST_F(PrintPaper, WhatLiesBeyondThePaperIsToldBeforePrinting)
{
    // name badges 3 x 3 on letter landscape: the third column runs past the paper
    CVarnelDoc* pDoc = m_pProgram->Doc();
    pDoc->m_nPublicationType = 1;
    pDoc->m_nDesignWidth = 338;
    pDoc->m_nDesignHeight = 233;
    m_pProgram->LoadRecords(9, m_folder);
    m_boxes.AddAnswer(IDYES);   // the print options: keep the layout
    m_boxes.AddAnswer(IDNO);    // the printer: do not print
    const CString strOutput = Print("badges.ps", [](CDialogScript::CSteps& steps) {
        steps.Select(IDC_PO_SHEETLIST, 5).Select(IDC_PO_ROWS, 2).Select(IDC_PO_COLUMNS, 2);
    }, FALSE);
    ASSERT_EQ(2, m_boxes.GetCount());
    EXPECT_STREQ("3 of the 9 labels lie beyond the edge of the paper in the printer (11.00 x 8.50 inch) and would "
                 "not print.\nOnly 3 rows and 2 columns of the layout fit on the paper.\n\nDo you want to print "
                 "anyway?",
                 m_boxes.GetCall(1).m_strText);
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONWARNING), m_boxes.GetCall(1).m_nType);
    EXPECT_EQ(-1, CountPostScriptPages(strOutput)) << "nothing printed";

    // a one-up publication larger than the paper either way: a C4 envelope on its own sheet
    m_boxes.Reset();
    MakeEnvelope(1275, 900);
    m_boxes.AddAnswer(IDNO);
    Print("envelope.ps", nullptr, FALSE);
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_EQ(0, m_boxes.GetCall(0).m_strText.Find("9 of the 9 labels lie beyond the edge of the paper"))
        << "one envelope a record";
}

// A #10 envelope (9.5 inches) with the printer set up portrait prints whole on landscape paper.
TEST_F(PrintPaper, AnEnvelopeWiderThanThePortraitPaperPrintsLandscape)
{
    MakeEnvelope(950, 413);
    m_pProgram->LoadRecords(2, m_folder);
    SetUpPrinter(FALSE);
    const CString strOutput = Print("envelope.ps", nullptr);
    EXPECT_EQ(0, m_boxes.GetCount());
    const std::vector<CPostScriptPage> pages = PostScriptPages(strOutput, 3 * 950);
    ASSERT_EQ(2u, pages.size());
    for (const CPostScriptPage& page : pages)
    {
        EXPECT_NE(0, page.nRotation) << "landscape";
        ASSERT_EQ(1u, page.cells.size());
        EXPECT_EQ(-kOffset, page.cells[0].x);
        EXPECT_LE(page.cells[0].x + 3 * 950, 11 * kDpi - kOffset) << "the whole envelope on the paper";
    }
    EXPECT_EQ(RecordNames(1, 2), PostScriptPageTexts(strOutput)[0] + PostScriptPageTexts(strOutput)[1]);
}

// A sheet the printer has no paper for is told before printing; one it has is printed on it.
TEST_F(PrintPaper, ASheetThePrinterHasNoPaperForIsTold)
{
    m_pProgram->LoadRecords(20, m_folder);
    m_boxes.AddAnswer(IDNO);
    const CString strLegal = Print("legal.ps", [](CDialogScript::CSteps& steps) {
        steps.Select(IDC_PO_SHEETLIST, 3);
    }, FALSE);
    ASSERT_EQ(1, m_boxes.GetCount());
    CString strExpected;
    strExpected.Format("The printer \"%s\" has no paper of the sheet chosen in Print Options (Legal Size: 8.5 x 14\").\n"
                       "The sheet would print on the printer's own paper (8.50 x 11.00 inch).\n\nDo you want to print "
                       "anyway?",
                       TEST_PRINTER_NAME);
    EXPECT_STREQ(strExpected, m_boxes.GetCall(0).m_strText);
    EXPECT_EQ(-1, CountPostScriptPages(strLegal));

    // A4, two columns: printed on A4 paper without a word
    m_boxes.Reset();
    const CString strA4 = Print("a4.ps", [](CDialogScript::CSteps& steps) {
        steps.Select(IDC_PO_SHEETLIST, 2).Select(IDC_PO_COLUMNS, 1);
    });
    EXPECT_EQ(0, m_boxes.GetCount());
    EXPECT_NE(std::string::npos, ReadFileBytes(strA4).find("/PageSize[595 842]"));
    EXPECT_EQ(RecordNames(1, 20), PostScriptPageTexts(strA4)[0]);
}

// A merge that needs more pages than one print job holds is told before the job starts:
// the pages stop at the most a job holds, and No prints nothing.
TEST_F(PrintPaper, AMergeLargerThanOnePrintJobIsToldFirst)
{
    MakeEnvelope(950, 413);
    m_pProgram->LoadRecords(70000, m_folder);
    CString strPages;
    CDialogScript script;
    ScriptPrintOptions(script).Do([&](CWnd* pDlg) { pDlg->GetDlgItemText(IDC_PO_PAGES, strPages); }).OK();
    m_boxes.AddAnswer(IDNO);
    m_pProgram->Command(ID_FILE_PRINT);
    EXPECT_EQ(0, script.GetPendingCount());
    EXPECT_EQ(1, script.GetRecordCount()) << "no Print dialog after No";
    EXPECT_STREQ("65534", strPages);
    EXPECT_EQ(65534, m_pProgram->View()->m_nPagesToPrint);
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("The records need 70000 pages, but one print job holds at most 65534 pages:\n4466 of the 70000 "
                 "records would not print.\n\nDo you want to print anyway?",
                 m_boxes.GetCall(0).m_strText);
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONWARNING), m_boxes.GetCall(0).m_nType);
}

// A merge whose table has no records asks before printing placeholders.
TEST_F(PrintPaper, AMergeWithoutRecordsAsksFirst)
{
    m_pProgram->LoadRecords(0, m_folder);
    {
        CDialogScript script;
        m_boxes.AddAnswer(IDNO);
        m_pProgram->Command(ID_FILE_PRINT);
        EXPECT_EQ(0, script.GetRecordCount()) << "no print options";
    }
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("The data source of this publication has no records.\nEvery label would print the "
                 "database-linked texts as they stand in the design.\n\nDo you want to print anyway?",
                 m_boxes.GetCall(0).m_strText);

    // Yes goes on to the print options and prints the sheet as the design stands
    m_boxes.AddAnswer(IDYES);
    const CString strOutput = Print("placeholders.ps", nullptr);
    EXPECT_EQ(2, m_boxes.GetCount());
    EXPECT_EQ(1, CountPostScriptPages(strOutput));
}
