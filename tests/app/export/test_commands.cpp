// The view's Save As Image and Export As PDF commands in the running program, their
// dialogs, the remembered folder, and the program's state while an export runs.

#include "export_support.h"
#include "program_files.h"
#include "test_support.h"
#include "model/Elements.h"
#include "output/ExportDialogs.h"
#include "output/ExportProgress.h"
#include "output/PdfExport.h"
#include "resources/export_resource.h"

namespace
{

class ExportCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetPdfLibraryPath(NULL);
        CMessageBoxRecorder wizardBoxes;
        CDialogScript script;
        script.OnDialog(IDD_WIZ_NEWCARD).Cancel();
        m_program.Command(ID_FILE_NEW);
        m_pDoc = m_program.ActiveDoc();
        m_pView = m_program.ActiveView();
        ASSERT_TRUE(m_pDoc != NULL);
        ASSERT_TRUE(m_pView != NULL);
        BuildTestDesign(*m_pDoc, 3);
        m_program.m_pApp->m_strMyDocumentsFolder = m_folder.m_strPath;
    }

    CAppProgram m_program;
    CVarnelDoc* m_pDoc = NULL;
    CVarnelView* m_pView = NULL;
    CTempFolder m_folder;
};

TEST_F(ExportCommands, SaveAsImageWritesTheShownSideAtTheChosenResolution)
{
    CMessageBoxRecorder boxes;
    CDialogScript script;
    script.OnFileDialog(m_folder.File("card"), 4);
    int nInitialSelection = -1;
    script.OnDialog(IDD_RESOLUTION)
        .Do([&](CWnd* pDlg) {
            nInitialSelection = (int)pDlg->SendDlgItemMessage(IDC_RESOLUTION_DPI, CB_GETCURSEL, 0, 0);
        })
        .Select(IDC_RESOLUTION_DPI, 1)
        .OK();
    m_program.Command(ID_FILE_SAVE_AS_IMAGE);

    EXPECT_EQ(0, boxes.GetCount());
    ASSERT_EQ(2, script.GetRecordCount());
    const CDialogScript::CRecord& file = script.GetRecord(0);
    EXPECT_FALSE(file.m_bOpenFileDialog);
    EXPECT_EQ(1, file.m_nFilterIndex);
    EXPECT_STREQ(m_folder.m_strPath, file.m_strInitialDir);
    EXPECT_NE(0u, file.m_dwFlags & OFN_OVERWRITEPROMPT);
    EXPECT_NE(0u, file.m_dwFlags & OFN_HIDEREADONLY);
    // the list ends at the first double bar: four types, no TIFF
    EXPECT_STREQ("Bitmap image(*.bmp)|*.bmp|JPEG image(*.jpg)|*.jpg|GIF image(*.gif)|*.gif|PNG image(*.png)|*.png|",
                 file.m_strFilter);
    EXPECT_EQ(2, nInitialSelection);                     // 300 at start
    EXPECT_EQ(200, m_program.m_pApp->m_nImageDpi);
    // the folder is remembered, not the file
    EXPECT_STREQ(m_folder.m_strPath, m_program.m_pApp->m_strMyDocumentsFolder);

    CPicture picture;
    ASSERT_TRUE(picture.Load(m_folder.File("card.png")));
    EXPECT_EQ(800, picture.nWidth);
    EXPECT_EQ(400, picture.nHeight);
    EXPECT_EQ(0xFF0000u, picture.At(300, 200));
    EXPECT_EQ(0xFFFFFFu, picture.At(20, 20));
}

// Esc in the resolution dialog ends the command: no picture, the resolution kept.
TEST_F(ExportCommands, SaveAsImageOfTheBackAndEscInTheResolutionDialogWritesNothing)
{
    m_program.m_pApp->m_nImageDpi = 100;
    m_pView->SwitchSide(2);
    CMessageBoxRecorder boxes;
    {
        CDialogScript script;
        script.OnFileDialog(m_folder.File("back.jpeg"), 2);
        script.OnDialog(IDD_RESOLUTION).Select(IDC_RESOLUTION_DPI, 5).Key(VK_ESCAPE);
        m_program.Command(ID_FILE_SAVE_AS_IMAGE);
        EXPECT_EQ(IDCANCEL, script.GetRecord(1).m_nResult);
    }
    EXPECT_EQ(100, m_program.m_pApp->m_nImageDpi);
    EXPECT_TRUE(FilesStartingWith(m_folder.m_strPath, "back").empty());
    EXPECT_EQ(0, boxes.GetCount());

    CDialogScript script;
    script.OnFileDialog(m_folder.File("back.jpeg"), 2);
    script.OnDialog(IDD_RESOLUTION).OK();
    m_program.Command(ID_FILE_SAVE_AS_IMAGE);
    EXPECT_EQ(100, m_program.m_pApp->m_nImageDpi);
    CPicture picture;
    ASSERT_TRUE(picture.Load(m_folder.File("back.jpeg.jpg")));
    EXPECT_EQ(400, picture.nWidth);
    EXPECT_TRUE(NearColor(0x00FF00, picture.At(20, 20), 40)) << ColorText(picture.At(20, 20));
    EXPECT_TRUE(NearColor(0x0000FF, picture.At(300, 100), 40)) << ColorText(picture.At(300, 100));
}

TEST_F(ExportCommands, SaveAsImageAsksBeforeReplacingAFileItsExtensionLeadsTo)
{
    ASSERT_TRUE(WriteFileBytes(m_folder.File("mine.gif"), "keep"));
    CMessageBoxRecorder boxes;
    boxes.AddAnswer(IDNO);
    CDialogScript script;
    script.OnFileDialog(m_folder.File("mine"), 3);
    script.OnDialog(IDD_RESOLUTION).OK();
    m_program.Command(ID_FILE_SAVE_AS_IMAGE);
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_EQ(0, boxes.GetCall(0).m_strText.Find("The following file exists: \n"));
    EXPECT_EQ("keep", ReadFileBytes(m_folder.File("mine.gif")));
}

TEST_F(ExportCommands, SaveAsImageIntoAFolderThatCannotBeWrittenSaysSo)
{
    CMessageBoxRecorder boxes;
    CDialogScript script;
    script.OnFileDialog(m_folder.File("gone\\card.bmp"), 1);
    script.OnDialog(IDD_RESOLUTION).OK();
    m_program.Command(ID_FILE_SAVE_AS_IMAGE);
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("Failed to save.\n\n" + m_folder.File("gone\\card.bmp") + " contains an invalid path.",
                 boxes.GetCall(0).m_strText);
}

TEST_F(ExportCommands, SaveAsImageCancelledWritesNothing)
{
    CMessageBoxRecorder boxes;
    CDialogScript script;
    script.CancelFileDialog();
    m_program.Command(ID_FILE_SAVE_AS_IMAGE);
    EXPECT_EQ(1, script.GetRecordCount());
    EXPECT_EQ(0, boxes.GetCount());
    EXPECT_TRUE(FilesStartingWith(m_folder.m_strPath, "").empty());
}

TEST_F(ExportCommands, ExportPdfThroughTheOptionsAndBrowse)
{
    CMessageBoxRecorder boxes;
    CDialogScript script;
    BOOL bAllChecked = FALSE;
    int nQualityIndex = -1;
    script.OnDialog(IDD_PDFOPTIONS)
        .Do([&](CWnd* pDlg) {
            bAllChecked = pDlg->IsDlgButtonChecked(IDC_PDF_ALLPAGES) == BST_CHECKED;
            nQualityIndex = (int)pDlg->SendDlgItemMessage(IDC_PDF_QUALITY, CB_GETCURSEL, 0, 0);
        })
        .Click(IDC_PDF_BROWSE)
        .Select(IDC_PDF_QUALITY, 1)
        .OK();
    script.OnFileDialog(m_folder.File("report"), 1);
    m_program.Command(ID_FILE_EXPORT_PDF);

    EXPECT_TRUE(bAllChecked);
    EXPECT_EQ(2, nQualityIndex);
    ASSERT_EQ(2, script.GetRecordCount());
    EXPECT_STREQ("PDF file(*.pdf)|*.pdf|", script.GetRecord(1).m_strFilter);
    EXPECT_STREQ(m_folder.m_strPath, script.GetRecord(1).m_strInitialDir);
    const CString strPdf = m_folder.File("report.pdf");
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("PDF file has been successfully created at:\n" + strPdf, boxes.GetCall(0).m_strText);
    EXPECT_STREQ(m_folder.m_strPath, m_program.m_pApp->m_strMyDocumentsFolder);
    const std::string info = PdfInfo(strPdf);
    EXPECT_NE(std::string::npos, info.find("Pages:")) << info;
    EXPECT_TRUE(info.find("Pages:           2") != std::string::npos) << info;
    EXPECT_FALSE(CExportProgress::IsExporting(m_pDoc));
}

// A name typed without folder or extension is written where Browse would have put it.
TEST_F(ExportCommands, ExportPdfToATypedNameWithoutFolderOrExtension)
{
    CMessageBoxRecorder boxes;
    CDialogScript script;
    // typed through the input queue over the name proposed, and Enter
    script.OnDialog(IDD_PDFOPTIONS).Focus(IDC_PDF_FILENAME).Do([](CWnd*) {
        EXPECT_TRUE(SendKeys({ VK_CONTROL }, { 'A' }));
        EXPECT_TRUE(SendKeys({}, { 'F', 'L', 'Y', 'E', 'R', VK_RETURN }));
    });
    m_program.Command(ID_FILE_EXPORT_PDF);
    const CString strPdf = m_folder.File("flyer.pdf");
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("PDF file has been successfully created at:\n" + strPdf, boxes.GetCall(0).m_strText);
    EXPECT_NE(std::string::npos, PdfInfo(strPdf).find("Pages:"));
}

// An existing PDF is replaced only when the user says so: the file dialog asks about the
// name it returns, the options about a name typed or completed with its extension.
TEST_F(ExportCommands, ExportPdfAsksBeforeReplacingAFileTheFileDialogDidNotAskAbout)
{
    const CString strPdf = m_folder.File("report.pdf");
    ASSERT_TRUE(WriteFileBytes(strPdf, "earlier report"));
    const CString strQuestion = "The following file exists: \n" + strPdf + "\n\nDo you want to overwrite this file?";
    {
        // Browse to "report", which gets the extension: No keeps the options open
        CMessageBoxRecorder boxes;
        boxes.AddAnswer(IDNO);
        CDialogScript script;
        script.OnDialog(IDD_PDFOPTIONS).Click(IDC_PDF_BROWSE).OK().Cancel();
        script.OnFileDialog(m_folder.File("report"), 1);
        m_program.Command(ID_FILE_EXPORT_PDF);
        ASSERT_EQ(1, boxes.GetCount());
        EXPECT_STREQ(strQuestion, boxes.GetCall(0).m_strText);
        EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), boxes.GetCall(0).m_nType);
        EXPECT_EQ(IDCANCEL, script.GetRecord(0).m_nResult);
        EXPECT_EQ("earlier report", ReadFileBytes(strPdf));
    }
    {
        // the name typed through the input queue, completed with the folder and extension,
        // and Enter: Yes replaces it
        CMessageBoxRecorder boxes;
        boxes.AddAnswer(IDYES);
        CDialogScript script;
        script.OnDialog(IDD_PDFOPTIONS).Focus(IDC_PDF_FILENAME).Do([](CWnd*) {
            EXPECT_TRUE(SendKeys({ VK_CONTROL }, { 'A' }));
            EXPECT_TRUE(SendKeys({}, { 'R', 'E', 'P', 'O', 'R', 'T', VK_RETURN }));
        });
        m_program.Command(ID_FILE_EXPORT_PDF);
        ASSERT_EQ(2, boxes.GetCount());
        EXPECT_STREQ(strQuestion, boxes.GetCall(0).m_strText);
        EXPECT_STREQ("PDF file has been successfully created at:\n" + strPdf, boxes.GetCall(1).m_strText);
        EXPECT_NE(std::string::npos, PdfInfo(strPdf).find("Pages:"));
    }
    {
        // Browse to the file itself: the file dialog asked, the options do not ask again
        CMessageBoxRecorder boxes;
        CDialogScript script;
        script.OnDialog(IDD_PDFOPTIONS).Click(IDC_PDF_BROWSE).OK();
        script.OnFileDialog(strPdf, 1);
        m_program.Command(ID_FILE_EXPORT_PDF);
        ASSERT_EQ(1, boxes.GetCount());
        EXPECT_STREQ("PDF file has been successfully created at:\n" + strPdf, boxes.GetCall(0).m_strText);
    }
}

TEST_F(ExportCommands, PdfOptionsRefuseAnEmptyNameAndAskAboutLongExports)
{
    {
        CMessageBoxRecorder boxes;
        CDialogScript script;
        script.OnDialog(IDD_PDFOPTIONS).SetText(IDC_PDF_FILENAME, "   ").OK().Cancel();
        m_program.Command(ID_FILE_EXPORT_PDF);
        ASSERT_EQ(1, boxes.GetCount());
        EXPECT_STREQ("Please enter a PDF filename by clicking on the Browse button.", boxes.GetCall(0).m_strText);
        EXPECT_EQ((UINT)MB_ICONWARNING, boxes.GetCall(0).m_nType);
        EXPECT_EQ(IDCANCEL, script.GetRecord(0).m_nResult);
    }
    // quality above 3: asked; No keeps the dialog open
    {
        CPDFOptionsDlg dlg;
        dlg.m_nPages = 1;
        CMessageBoxRecorder boxes;
        boxes.AddAnswer(IDNO);
        CDialogScript script;
        script.OnDialog(IDD_PDFOPTIONS).SetText(IDC_PDF_FILENAME, " C:\\a.pdf ").Select(IDC_PDF_QUALITY, 3).OK().Cancel();
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        ASSERT_EQ(1, boxes.GetCount());
        EXPECT_STREQ("This may take a few minutes to process the PDF file.\nDo you want to continue?",
                     boxes.GetCall(0).m_strText);
    }
    // two sides at quality 3: 6 is not above 8, no question
    {
        CPDFOptionsDlg dlg;
        dlg.m_nPages = 2;
        dlg.m_strPath = "C:\\b.pdf";
        CMessageBoxRecorder boxes;
        CDialogScript script;
        script.OnDialog(IDD_PDFOPTIONS).Check(IDC_PDF_CURRENTPAGE).OK();
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(0, boxes.GetCount());
        EXPECT_STREQ("C:\\b.pdf", dlg.m_strPath);
        EXPECT_FALSE(dlg.m_bAllPages);
        EXPECT_EQ(3.0f, dlg.m_fQuality);
    }
    // two sides, all pages at quality 5: asked, Yes goes on
    {
        CPDFOptionsDlg dlg;
        dlg.m_nPages = 2;
        CMessageBoxRecorder boxes;
        boxes.AddAnswer(IDYES);
        CDialogScript script;
        script.OnDialog(IDD_PDFOPTIONS).SetText(IDC_PDF_FILENAME, " C:\\c.pdf").Select(IDC_PDF_QUALITY, 4).OK();
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(1, boxes.GetCount());
        EXPECT_STREQ("C:\\c.pdf", dlg.m_strPath);
        EXPECT_TRUE(dlg.m_bAllPages);
        EXPECT_EQ(5.0f, dlg.m_fQuality);
    }
    EXPECT_STREQ("C:\\r.pdf", CPDFOptionsDlg::WithPdfExtension("C:\\r"));
    EXPECT_STREQ("C:\\r.PDF", CPDFOptionsDlg::WithPdfExtension("C:\\r.PDF"));
    EXPECT_STREQ("C:\\r.txt.pdf", CPDFOptionsDlg::WithPdfExtension("C:\\r.txt"));
    EXPECT_STREQ("C:\\d.x\\r.pdf", CPDFOptionsDlg::WithPdfExtension("C:\\d.x\\r"));
}

TEST_F(ExportCommands, StartFolderIsTheRememberedFolderOrTheFolderOfARememberedFile)
{
    EXPECT_STREQ(m_folder.m_strPath, GetDialogStartFolder(m_folder.m_strPath));
    EXPECT_STREQ(m_folder.m_strPath, GetDialogStartFolder(m_folder.File("old.labf")));
    EXPECT_STREQ("", GetDialogStartFolder(m_folder.File("no\\such\\file.labf")));
    EXPECT_STREQ("C:\\", GetFolderOfFile("C:\\a.pdf"));
    EXPECT_STREQ("C:\\x", GetFolderOfFile("C:\\x\\a.pdf"));
}

// A window of the test that counts what reaches it while the export runs.
int g_nTicks = 0;
BOOL g_bExportingAtTick = FALSE;
CDocument* g_pTickDoc = NULL;
CStatusBar* g_pTickStatus = NULL;
CString g_strStatusAtTick;

LRESULT CALLBACK TickWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP + 7)
    {
        ++g_nTicks;
        g_bExportingAtTick = CExportProgress::IsExporting(g_pTickDoc);
        if (g_pTickStatus != NULL)
            g_strStatusAtTick = g_pTickStatus->GetPaneText(0);
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

HWND MakeTickWindow(CDocument* pDoc)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TickWndProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = "StickwellExportTick";
    ::RegisterClassA(&wc);
    g_nTicks = 0;
    g_pTickDoc = pDoc;
    g_pTickStatus = NULL;
    g_strStatusAtTick.Empty();
    return ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, wc.hInstance, NULL);
}

TEST_F(ExportCommands, DuringTheExportMessagesFlowButCloseAndCommandsAreRefused)
{
    HWND hTick = MakeTickWindow(m_pDoc);
    ASSERT_TRUE(hTick != NULL);

    HWND hMain = m_program.m_pApp->m_pMainWnd->m_hWnd;
    HWND hChild = m_pView->GetParentFrame()->m_hWnd;
    ::PostMessageA(hTick, WM_APP + 7, 0, 0);
    ::PostMessageA(hMain, WM_COMMAND, ID_FILE_CLOSE, 0);
    ::PostMessageA(hChild, WM_CLOSE, 0, 0);
    ::PostMessageA(hMain, WM_SYSCOMMAND, SC_CLOSE, 0);
    ::PostMessageA(m_pView->m_hWnd, WM_KEYDOWN, VK_DELETE, 0);
    ::PostQuitMessage(3);

    const int nElements = (int)m_pDoc->m_listElements.GetCount();
    CMessageBoxRecorder boxes;
    const CString strPdf = m_folder.File("busy.pdf");
    EXPECT_TRUE(m_pView->ExportPdfPages(strPdf, MakeTempPicturePattern(), 2.0f, -1));

    EXPECT_EQ(1, g_nTicks);                 // dispatched while the export ran
    EXPECT_TRUE(g_bExportingAtTick);
    EXPECT_FALSE(CExportProgress::IsExporting(m_pDoc));
    // the quit request waits for the program's loop, once
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3, (int)msg.wParam);
    // the close requests and the command were refused, not deferred
    EXPECT_FALSE(::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE) && msg.message == WM_CLOSE);
    m_program.Command(0);
    EXPECT_EQ(1, m_program.CountDocs());
    EXPECT_TRUE(::IsWindow(hMain));
    EXPECT_TRUE(::IsWindow(hChild));
    EXPECT_EQ(nElements, (int)m_pDoc->m_listElements.GetCount());
    EXPECT_TRUE(FileExists(strPdf));
    ::DestroyWindow(hTick);
}

TEST_F(ExportCommands, ProgressShowsInTheStatusBar)
{
    // the main window's status bar
    CStatusBar* pStatus = DYNAMIC_DOWNCAST(
        CStatusBar, m_program.m_pApp->m_pMainWnd->GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE));
    ASSERT_TRUE(pStatus != NULL);
    CStatusBar& status = *pStatus;
    HWND hTick = MakeTickWindow(m_pDoc);
    g_pTickStatus = &status;
    ::PostMessageA(hTick, WM_APP + 7, 0, 0);
    CMessageBoxRecorder boxes;
    EXPECT_TRUE(m_pView->ExportPdfPages(m_folder.File("progress.pdf"), MakeTempPicturePattern(), 1.0f, -1));
    EXPECT_EQ(1, g_nTicks);
    // first of six steps: the first side is being drawn
    EXPECT_STREQ("Processing... 16%", g_strStatusAtTick);
    EXPECT_STREQ("Ready", status.GetPaneText(0));
    g_pTickStatus = NULL;
    ::DestroyWindow(hTick);
}

TEST_F(ExportCommands, ResolutionMustBeChosen)
{
    CResolutionDlg dlg;
    dlg.m_nDpi = 150;                       // not offered: 300 is selected
    CMessageBoxRecorder boxes;
    CDialogScript script;
    int nSelection = -1;
    script.OnDialog(IDD_RESOLUTION)
        .Do([&](CWnd* pDlg) {
            nSelection = (int)pDlg->SendDlgItemMessage(IDC_RESOLUTION_DPI, CB_GETCURSEL, 0, 0);
            pDlg->SendDlgItemMessage(IDC_RESOLUTION_DPI, CB_SETCURSEL, (WPARAM)-1, 0);
        })
        .OK()
        .Select(IDC_RESOLUTION_DPI, 5)
        .OK();
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(2, nSelection);
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("Please enter an integer.", boxes.GetCall(0).m_strText);
    EXPECT_EQ(600, dlg.m_nDpi);
}

TEST_F(ExportCommands, ExportCommandsAreRefusedWhileTheDocumentIsExported)
{
    CExportProgress progress(m_pDoc);
    CDialogScript script;
    m_program.Command(ID_FILE_EXPORT_PDF);
    m_program.Command(ID_FILE_SAVE_AS_IMAGE);
    EXPECT_EQ(0, script.GetRecordCount());
    EXPECT_FALSE(m_pView->ExportPdfPages(m_folder.File("x.pdf"), MakeTempPicturePattern(), 1.0f, -1));
}

} // namespace
