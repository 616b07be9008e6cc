// print_queue.cpp - printing through a printer of the system: the program's Print
// command with a merged label sheet, and a plain print job without "Print to file".
//
// print_queue_test.sh runs it in a Wine prefix of its own, with a CUPS scheduler of its
// own: STICKWELL_PRINT_QUEUE names the queue, STICKWELL_PRINT_DOC the publication (a
// 30-up label bound to records.csv beside it). The shell script checks the PDF the
// queue made.

#include "app/VarnelApp.h"
#include "test_support.h"
#include "test_printer.h"
#include "resources/resource.h"
#include "resources/print_resource.h"

#include <gtest/gtest.h>

#include <winspool.h>

#include <stdlib.h>

namespace
{

::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new testsupport::CDrawingTestEnvironment(true));

const char* Env(const char* pszName)
{
    const char* psz = getenv(pszName);
    return psz != NULL && *psz != '\0' ? psz : NULL;
}

bool FileExists(LPCTSTR lpszPath)
{
    return ::GetFileAttributesA(lpszPath) != INVALID_FILE_ATTRIBUTES;
}

// One page with one line of text on the printer, without an output file.
bool PrintOnePage(LPCTSTR lpszPrinter)
{
    HDC hDC = ::CreateDCA(NULL, lpszPrinter, NULL, NULL);
    if (hDC == NULL)
        return false;
    DOCINFOA di;
    memset(&di, 0, sizeof(di));
    di.cbSize = sizeof(di);
    di.lpszDocName = "Stickwell queue test";
    bool bOk = ::StartDocA(hDC, &di) > 0;
    if (bOk)
    {
        ::StartPage(hDC);
        ::TextOutA(hDC, 300, 300, "One page", 8);
        ::EndPage(hDC);
        bOk = ::EndDoc(hDC) > 0;
    }
    ::DeleteDC(hDC);
    return bOk;
}

} // namespace

// The program's Print command: the Print Options dialog as it opens (30 labels a sheet),
// the system's Print dialog with the queue chosen and "Print to file" left off.
TEST(PrintQueue, MergedLabelSheetsGoToTheQueue)
{
    const char* pszQueue = Env("STICKWELL_PRINT_QUEUE");
    const char* pszDoc = Env("STICKWELL_PRINT_DOC");
    if (pszQueue == NULL || pszDoc == NULL)
        GTEST_SKIP() << "run by print_queue_test.sh, which starts the printer queue";

    HANDLE hPrinter = NULL;
    ASSERT_TRUE(::OpenPrinterA((LPSTR)pszQueue, &hPrinter, NULL)) << "Wine does not see the queue " << pszQueue;
    ::ClosePrinter(hPrinter);

    CString strCompany;
    strCompany.Format("QuorvaneQueueTest%lu", ::GetCurrentProcessId());
    CVarnelApp* pApp = new CVarnelApp(strCompany);
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR) "", SW_SHOW);
    ASSERT_TRUE(pApp->StartUp());
    ASSERT_NE(nullptr, pApp->m_pMainWnd);
    {
        CMessageBoxRecorder boxes;
        CDocument* pDoc = pApp->OpenDocumentFile(pszDoc);
        ASSERT_NE(nullptr, pDoc);
        PumpPendingMessages();
        {
            CDialogScript script;
            script.OnDialog(IDD_PRINT_OPTIONS).OK();
            script.OnPrintDialog(CDialogScript::CPrintAnswer(pszQueue));
            pApp->m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT);
            PumpPendingMessages();
            EXPECT_EQ(0, script.GetPendingCount());
            EXPECT_EQ(0, script.GetFailureCount()) << script.GetLog();
        }
        for (int i = 0; i < boxes.GetCount(); i++)
            ADD_FAILURE() << "message box: " << (LPCTSTR)boxes.GetCall(i).m_strText;
        pDoc->SetModifiedFlag(FALSE);
        pApp->CloseAllDocuments(TRUE);
        PumpPendingMessages();
    }
    if (pApp->m_pMainWnd != NULL && ::IsWindow(pApp->m_pMainWnd->m_hWnd))
        pApp->m_pMainWnd->DestroyWindow();
    pApp->m_pMainWnd = NULL;
    PumpPendingMessages();
    pApp->ExitInstance();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, CString("Software\\") + strCompany);
    delete pApp;
}

// A job on the test printer without an output file (as printing without "Print to
// file" makes it) goes to the printer's port file: it neither waits for a file name
// nor leaves a file named after the port in the current folder.
TEST(PrintQueue, TestPrinterWithoutPrintToFileWritesItsPortFile)
{
    const CString strPrinter = InstallTestPrinter();
    ASSERT_FALSE(strPrinter.IsEmpty());
    char szFolder[MAX_PATH] = "", szTemp[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, szFolder);
    ::GetTempPathA(MAX_PATH, szTemp);
    const CString strStray = CString(szFolder) + "\\FILE:";
    const CString strPortFile = CString(szTemp) + TEST_PRINTER_PORT_FILE;
    ::DeleteFileA(strStray);
    ::DeleteFileA(strPortFile);

    // on a thread: a job that waits for a file name must not hang the test
    struct CJob
    {
        CString strPrinter;
        bool bOk = false;
        static DWORD WINAPI Run(LPVOID pParam)
        {
            CJob* pJob = (CJob*)pParam;
            pJob->bOk = PrintOnePage(pJob->strPrinter);
            return 0;
        }
    };
    CJob* pJob = new CJob;      // left to a thread that may never end
    pJob->strPrinter = strPrinter;
    HANDLE hThread = ::CreateThread(NULL, 0, CJob::Run, pJob, 0, NULL);
    ASSERT_NE(nullptr, hThread);
    const DWORD dwWait = ::WaitForSingleObject(hThread, 20000);
    ::CloseHandle(hThread);
    ASSERT_EQ(WAIT_OBJECT_0, dwWait) << "the job waits for an output file name";
    EXPECT_TRUE(pJob->bOk);
    delete pJob;

    EXPECT_FALSE(FileExists(strStray)) << "the job wrote " << (LPCTSTR)strStray;
    // the spooler may copy the job a moment after EndDoc
    int nPages = -1;
    for (int i = 0; i < 50 && nPages != 1; i++, ::Sleep(100))
        nPages = CountPostScriptPages(strPortFile);
    EXPECT_EQ(1, nPages) << (LPCTSTR)strPortFile;
    ::DeleteFileA(strStray);
    ::DeleteFileA(strPortFile);
}
