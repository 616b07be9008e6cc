// The print loop of the demonstration's view: the Print dialog and its answer
// (pages, orientation), printing to a PostScript file, Quick Print, Print Setup,
// a memory DC in place of the printer, and jobs that are cancelled or fail.

#include "docdemo.h"
#include "test_support.h"
#include "test_printer.h"
#include <gtest/gtest.h>

namespace
{

typedef CDialogScript::CPrintAnswer CPrintAnswer;

class CPrintFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(InstallTestPrinter().IsEmpty()) << "the test printer is missing";
        m_pProgram = new CDocDemoProgram;
        m_pProgram->Command(ID_FILE_NEW);
        m_pView = m_pProgram->ActiveView();
        ASSERT_TRUE(m_pView != NULL);
    }
    void TearDown() override
    {
        delete m_pProgram;
    }
    std::vector<UINT> Pages(std::initializer_list<UINT> pages) { return std::vector<UINT>(pages); }

    CDocDemoProgram* m_pProgram = NULL;
    CDemoSheetView* m_pView = NULL;
    CDemoFolder m_folder;
};

} // namespace

TEST_F(CPrintFixture, PrintWritesEveryPageToThePostScriptFile)
{
    CDemoSheetView::s_bPrintToFile = TRUE;
    CString strOutput = m_folder.File("job.ps");
    CDialogScript script;
    script.OnPrintDialog(CPrintAnswer());
    script.OnFileDialog(strOutput);
    CMessageBoxRecorder boxes;
    m_pProgram->Command(ID_FILE_PRINT);

    ASSERT_EQ(2, script.GetRecordCount());
    EXPECT_EQ(CDialogScript::kindPrint, script.GetRecord(0).m_nKind);
    EXPECT_EQ(0u, script.GetRecord(0).m_dwFlags & PD_NOPAGENUMS) << "the pages can be chosen";
    EXPECT_EQ(CDialogScript::kindFile, script.GetRecord(1).m_nKind);
    EXPECT_STREQ("Print to File", script.GetRecord(1).m_strTitle);
    EXPECT_EQ(0, boxes.GetCount());

    EXPECT_EQ(Pages({ 1, 2, 3 }), m_pView->m_printedPages);
    EXPECT_EQ(1, m_pView->m_nBeginPrinting);
    EXPECT_EQ(1, m_pView->m_nEndPrinting);
    EXPECT_FALSE(m_pView->m_bLastPreview);
    EXPECT_EQ(3, CountPostScriptPages(strOutput));

    // the printable part of a Letter page with quarter-inch margins, in hundredths of an inch
    EXPECT_EQ(CRect(0, 0, 800, 1050), m_pView->m_rectLastDraw);
    EXPECT_TRUE(m_pProgram->m_pMainFrame->IsWindowEnabled()) << "enabled again after the job";
}

TEST_F(CPrintFixture, ThePageRangeChosenInTheDialogIsPrinted)
{
    CDemoSheetView::s_bPrintToFile = TRUE;
    CString strOutput = m_folder.File("range.ps");
    CDialogScript script;
    CPrintAnswer answer;
    answer.m_nFromPage = 2;
    answer.m_nToPage = 3;
    script.OnPrintDialog(answer);
    script.OnFileDialog(strOutput);
    m_pProgram->Command(ID_FILE_PRINT);
    EXPECT_EQ(Pages({ 2, 3 }), m_pView->m_printedPages);
    EXPECT_EQ(2, CountPostScriptPages(strOutput));
}

TEST_F(CPrintFixture, LandscapeChosenInTheDialogReachesTheView)
{
    CDemoSheetView::s_bPrintToFile = TRUE;
    CDialogScript script;
    script.OnPrintDialog(CPrintAnswer(NULL, DMORIENT_LANDSCAPE));
    script.OnFileDialog(m_folder.File("landscape.ps"));
    m_pProgram->Command(ID_FILE_PRINT);
    EXPECT_EQ(DMORIENT_LANDSCAPE, m_pView->m_nLastOrientation);
    EXPECT_EQ(CRect(0, 0, 1050, 800), m_pView->m_rectLastDraw);
    EXPECT_EQ(3, CountPostScriptPages(m_folder.File("landscape.ps")));
}

TEST_F(CPrintFixture, ACancelledPrintDialogPrintsNothing)
{
    CDialogScript script;
    script.CancelPrintDialog();
    CMessageBoxRecorder boxes;
    m_pProgram->Command(ID_FILE_PRINT);
    EXPECT_EQ(0, m_pView->m_nBeginPrinting);
    EXPECT_TRUE(m_pView->m_printedPages.empty());
    EXPECT_EQ(0, boxes.GetCount());
}

TEST_F(CPrintFixture, CancellingTheOutputFileNamePrintsNothing)
{
    CDemoSheetView::s_bPrintToFile = TRUE;
    CDialogScript script;
    script.OnPrintDialog(CPrintAnswer());
    script.CancelFileDialog();
    m_pProgram->Command(ID_FILE_PRINT);
    EXPECT_EQ(0, m_pView->m_nBeginPrinting);
    EXPECT_TRUE(m_pView->m_printedPages.empty());
    EXPECT_TRUE(m_folder.ListFiles().empty());
}

TEST_F(CPrintFixture, QuickPrintUsesTheDefaultPrinterWithoutTheDialog)
{
    CDemoSheetView::s_bPrintToFile = TRUE;
    CDialogScript script;
    script.OnFileDialog(m_folder.File("quick.ps"));
    m_pProgram->Command(ID_FILE_PRINT_DIRECT);
    ASSERT_EQ(1, script.GetRecordCount());
    EXPECT_EQ(CDialogScript::kindFile, script.GetRecord(0).m_nKind);
    EXPECT_EQ(3, CountPostScriptPages(m_folder.File("quick.ps")));
}

TEST_F(CPrintFixture, PrintSetupKeepsTheChoiceForLaterJobs)
{
    CDialogScript script;
    script.OnPrintDialog(CPrintAnswer(TEST_PRINTER_NAME, DMORIENT_LANDSCAPE));
    m_pProgram->Command(ID_FILE_PRINT_SETUP);
    ASSERT_EQ(1, script.GetRecordCount());
    EXPECT_NE(0u, script.GetRecord(0).m_dwFlags & PD_PRINTSETUP);
    ASSERT_TRUE(m_pProgram->m_pApp->m_hDevMode != NULL);
    LPDEVMODEA pDevMode = (LPDEVMODEA)::GlobalLock(m_pProgram->m_pApp->m_hDevMode);
    EXPECT_EQ(DMORIENT_LANDSCAPE, pDevMode->dmOrientation);
    ::GlobalUnlock(m_pProgram->m_pApp->m_hDevMode);

    // Quick Print takes it
    CDemoSheetView::s_bPrintToFile = TRUE;
    script.OnFileDialog(m_folder.File("setup.ps"));
    m_pProgram->Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(DMORIENT_LANDSCAPE, m_pView->m_nLastOrientation);
    EXPECT_EQ(CRect(0, 0, 1050, 800), m_pView->m_rectLastDraw);
}

TEST_F(CPrintFixture, AJobOfUnknownLengthPrintsOnePage)
{
    m_pProgram->ActiveDoc()->m_nPages = 0xFFFF;
    CDemoSheetView::s_bPrintToFile = TRUE;
    CDialogScript script;
    script.OnPrintDialog(CPrintAnswer());
    script.OnFileDialog(m_folder.File("one.ps"));
    m_pProgram->Command(ID_FILE_PRINT);
    EXPECT_EQ(Pages({ 1 }), m_pView->m_printedPages);
    EXPECT_EQ(1, CountPostScriptPages(m_folder.File("one.ps")));
}

TEST_F(CPrintFixture, AJobThatCannotBeWrittenIsReportedAndEndsCleanly)
{
    // the output "file" is a folder
    CString strFolder = m_folder.File("folder.ps");
    ASSERT_TRUE(::CreateDirectoryA(strFolder, NULL));
    CDemoSheetView::s_bPrintToFile = TRUE;
    CDialogScript script;
    script.OnPrintDialog(CPrintAnswer());
    script.OnFileDialog(strFolder);
    CMessageBoxRecorder boxes;
    m_pProgram->Command(ID_FILE_PRINT);
    ::RemoveDirectoryA(strFolder);

    // the spooler finds out at the start or at the end of the job; either way it is said
    ASSERT_EQ(1, boxes.GetCount());
    CString strText = boxes.GetCall(0).m_strText;
    EXPECT_TRUE(strText == "Could not start print job." || strText == "The document could not be printed completely.")
        << (LPCTSTR)strText;
    EXPECT_NE(0u, boxes.GetCall(0).m_nType & MB_ICONEXCLAMATION);
    EXPECT_EQ(1, m_pView->m_nBeginPrinting);
    EXPECT_EQ(1, m_pView->m_nEndPrinting);
    EXPECT_TRUE(m_pProgram->m_pMainFrame->IsWindowEnabled());
}

TEST_F(CPrintFixture, PagesCanBeDrawnIntoAMemoryDC)
{
    // a white bitmap at the screen's resolution stands in for the paper
    CClientDC dcScreen(NULL);
    int nDpi = dcScreen.GetDeviceCaps(LOGPIXELSX);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(dcScreen.m_hDC, 600, 600);
    {
        CDC dc;
        dc.CreateCompatibleDC(NULL);
        HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
        dc.FillSolidRect(0, 0, 600, 600, RGB(255, 255, 255));
        ::SelectObject(dc.m_hDC, hOld);
    }
    CDemoSheetView::s_hMemoryBitmap = hBitmap;
    CDialogScript script;       // no dialog at all
    m_pProgram->Command(ID_FILE_PRINT);
    CDemoSheetView::s_hMemoryBitmap = NULL;

    EXPECT_EQ(0, script.GetRecordCount());
    EXPECT_EQ(Pages({ 1, 2, 3 }), m_pView->m_printedPages);

    // the square of one inch at one inch
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(nDpi * 3 / 2, nDpi * 3 / 2));
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(nDpi + 2, nDpi + 2));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(nDpi - 3, nDpi - 3));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(nDpi * 2 + 3, nDpi * 3 / 2));
    ::SelectObject(dc.m_hDC, hOld);
    ::DeleteObject(hBitmap);
}

TEST_F(CPrintFixture, TheShellsPrintCommandsPrintTheFileWithoutTheDialog)
{
    CString strPath = m_folder.File("shell.dmo");
    ASSERT_TRUE(m_pProgram->ActiveDoc()->DoSave(strPath));
    m_pProgram->ActiveDoc()->OnCloseDocument();
    CDemoSheetView::s_bPrintToFile = TRUE;

    // "print": the default printer
    CDialogScript script;
    script.OnFileDialog(m_folder.File("shell.ps"));
    CCommandLineInfo cmdPrint;
    cmdPrint.m_nShellCommand = CCommandLineInfo::FilePrint;
    cmdPrint.m_strFileName = strPath;
    EXPECT_FALSE(m_pProgram->m_pApp->ProcessShellCommand(cmdPrint)) << "the program ends after printing";
    ASSERT_EQ(1, script.GetRecordCount());
    EXPECT_EQ(CDialogScript::kindFile, script.GetRecord(0).m_nKind);
    EXPECT_EQ(3, CountPostScriptPages(m_folder.File("shell.ps")));

    // "print to": the printer named on the command line
    script.OnFileDialog(m_folder.File("shellto.ps"));
    CCommandLineInfo cmdPrintTo;
    cmdPrintTo.m_nShellCommand = CCommandLineInfo::FilePrintTo;
    cmdPrintTo.m_strFileName = strPath;
    cmdPrintTo.m_strPrinterName = TEST_PRINTER_NAME;
    cmdPrintTo.m_strDriverName = "winspool";
    cmdPrintTo.m_strPortName = "FILE:";
    EXPECT_FALSE(m_pProgram->m_pApp->ProcessShellCommand(cmdPrintTo));
    EXPECT_EQ(2, script.GetRecordCount());
    EXPECT_EQ(3, CountPostScriptPages(m_folder.File("shellto.ps")));

    // an unknown printer is reported
    CMessageBoxRecorder boxes;
    cmdPrintTo.m_strPrinterName = "No Such Printer";
    EXPECT_FALSE(m_pProgram->m_pApp->ProcessShellCommand(cmdPrintTo));
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("Could not start print job.", boxes.GetCall(0).m_strText);
}
