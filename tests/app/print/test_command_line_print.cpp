// The program's print forms of the command line, run as the shell runs them: /p prints a
// publication on the default printer and /pt on a named one, as the Print command does and
// without dialogs; a failure ends with a message and an exit code that is not 0.

#include "print_program.h"
#include "test_support.h"
#include "model/Elements.h"
#include "model/VarnelDoc.h"

#include <winspool.h>

#include <string>
#include <vector>

namespace
{

const int kRecords = 45;

// The program file the build made.
CString ProgramPath()
{
    return STICKWELL_EXE;
}

// What a run of the program did: its exit code and the texts of the message boxes it
// showed (each answered with OK).
struct CRun
{
    DWORD nExitCode = (DWORD)-1;
    std::vector<std::string> messages;
};

struct CFindBoxes
{
    DWORD nProcess;
    std::vector<HWND> boxes;
};

// Message boxes of the process: dialogs with an OK button (the printing status has none).
BOOL CALLBACK FindBox(HWND hWnd, LPARAM lParam)
{
    CFindBoxes* pFind = (CFindBoxes*)lParam;
    DWORD nProcess = 0;
    ::GetWindowThreadProcessId(hWnd, &nProcess);
    char szClass[16] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (nProcess == pFind->nProcess && strcmp(szClass, "#32770") == 0 && ::IsWindowVisible(hWnd) &&
        ::GetDlgItem(hWnd, IDOK) != NULL)
        pFind->boxes.push_back(hWnd);
    return TRUE;
}

CRun RunProgram(const CString& strArguments)
{
    CRun run;
    CString strCommand = "\"" + ProgramPath() + "\" " + strArguments;
    STARTUPINFOA si;
    memset(&si, 0, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    if (!::CreateProcessA(NULL, strCommand.GetBuffer(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
    {
        ADD_FAILURE() << "cannot start " << (LPCTSTR)strCommand;
        return run;
    }
    strCommand.ReleaseBuffer();
    // each message box is read and answered as it shows; the run ends with the process
    const DWORD dwStart = ::GetTickCount();
    while (::WaitForSingleObject(pi.hProcess, 100) == WAIT_TIMEOUT)
    {
        CFindBoxes find = { pi.dwProcessId, {} };
        ::EnumWindows(FindBox, (LPARAM)&find);
        for (HWND hBox : find.boxes)
        {
            char szText[1024] = "";
            ::GetDlgItemTextA(hBox, 0xFFFF, szText, sizeof(szText));
            run.messages.push_back(szText);
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            ::Sleep(200);
        }
        if (::GetTickCount() - dwStart > 90000)
        {
            ADD_FAILURE() << "the program does not end: " << (LPCTSTR)strArguments;
            ::TerminateProcess(pi.hProcess, 99);
        }
    }
    ::GetExitCodeProcess(pi.hProcess, &run.nExitCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return run;
}

// While it lives, the test printer prints at nDpi unless a job asks otherwise; its own
// and the user's settings as they were afterwards.
class CDefaultResolution
{
public:
    explicit CDefaultResolution(int nDpi) : m_bSet(false)
    {
        m_global = ReadMode(2);
        m_user = ReadMode(9);
        if (m_global.empty())
            return;
        std::vector<BYTE> mode = m_global;
        DEVMODEA* pMode = (DEVMODEA*)mode.data();
        pMode->dmPrintQuality = (short)nDpi;
        pMode->dmYResolution = (short)nDpi;
        pMode->dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
        m_bSet = WriteMode(2, mode) && WriteMode(9, mode);
    }
    ~CDefaultResolution()
    {
        if (m_global.empty())
            return;
        WriteMode(2, m_global);
        WriteMode(9, m_user.empty() ? m_global : m_user);
    }
    bool IsSet() const { return m_bSet; }

private:
    // The settings of level 2 (the printer's) or 9 (the user's); empty when none.
    static std::vector<BYTE> ReadMode(DWORD nLevel)
    {
        std::vector<BYTE> info, mode;
        HANDLE hPrinter = NULL;
        if (!::OpenPrinterA((LPSTR)TEST_PRINTER_NAME, &hPrinter, NULL))
            return mode;
        DWORD nNeeded = 0;
        ::GetPrinterA(hPrinter, nLevel, NULL, 0, &nNeeded);
        info.resize(nNeeded);
        if (nNeeded > 0 && ::GetPrinterA(hPrinter, nLevel, info.data(), nNeeded, &nNeeded))
        {
            const DEVMODEA* pMode = nLevel == 2 ? ((PRINTER_INFO_2A*)info.data())->pDevMode
                                                : ((PRINTER_INFO_9A*)info.data())->pDevMode;
            if (pMode != NULL)
                mode.assign((const BYTE*)pMode, (const BYTE*)pMode + pMode->dmSize + pMode->dmDriverExtra);
        }
        ::ClosePrinter(hPrinter);
        return mode;
    }
    static bool WriteMode(DWORD nLevel, std::vector<BYTE> mode)
    {
        PRINTER_DEFAULTSA access = { NULL, NULL, PRINTER_ALL_ACCESS };
        HANDLE hPrinter = NULL;
        if (!::OpenPrinterA((LPSTR)TEST_PRINTER_NAME, &hPrinter, &access))
            return false;
        bool bWritten = false;
        PRINTER_INFO_9A user = { (DEVMODEA*)mode.data() };
        DWORD nNeeded = 0;
        ::GetPrinterA(hPrinter, 2, NULL, 0, &nNeeded);
        std::vector<BYTE> info(nNeeded);
        if (nLevel == 9)
            bWritten = ::SetPrinterA(hPrinter, 9, (LPBYTE)&user, 0) != FALSE;
        else if (nNeeded > 0 && ::GetPrinterA(hPrinter, 2, info.data(), nNeeded, &nNeeded))
        {
            PRINTER_INFO_2A* pInfo = (PRINTER_INFO_2A*)info.data();
            pInfo->pDevMode = (DEVMODEA*)mode.data();
            pInfo->pSecurityDescriptor = NULL;
            bWritten = ::SetPrinterA(hPrinter, 2, info.data(), 0) != FALSE;
        }
        ::ClosePrinter(hPrinter);
        return bWritten;
    }

    std::vector<BYTE> m_global;
    std::vector<BYTE> m_user;
    bool m_bSet;
};

class CommandLinePrint : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(InstallTestPrinter().IsEmpty()) << "the test printer is missing";
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(ProgramPath())) << (LPCTSTR)ProgramPath();
        // a 30-up address label bound to records.csv beside it
        m_strDoc = m_folder.File("Merge Labels.labf");
        ASSERT_TRUE(::CopyFileA(TESTSRC_DIR "\\printing\\merge_labels.labf", m_strDoc, FALSE));
        std::string records = "Name,Street,Town\r\n";
        for (int k = 1; k <= kRecords; k++)
            records += "Customer " + std::to_string(k) + "," + std::to_string(k) + " Harbour Street,Town " +
                       std::to_string(k) + "\r\n";
        ASSERT_TRUE(WriteFileBytes(m_folder.File("records.csv"), records));
        char szTemp[MAX_PATH] = "";
        ::GetTempPathA(MAX_PATH, szTemp);
        m_strPortFile = CString(szTemp) + TEST_PRINTER_PORT_FILE;
        ::DeleteFileA(m_strPortFile);
    }
    void TearDown() override
    {
        ::DeleteFileA(m_strPortFile);
    }

    // The pages the printer's port got (the spooler may copy the job a moment after it ends).
    std::vector<std::string> PrintedPages()
    {
        for (int i = 0; i < 50 && CountPostScriptPages(m_strPortFile) < 0; i++)
            ::Sleep(100);
        return PostScriptPageTexts(m_strPortFile);
    }

    CPrintFolder m_folder;
    CString m_strDoc;
    CString m_strPortFile;
};

// The records of the 30-up sheets, glyph by glyph as the pages show them.
std::string Sheet(int nFirst, int nLast)
{
    std::string text;
    for (int k = nFirst; k <= nLast; k++)
        text += "Customer " + std::to_string(k) + std::to_string(k) + " Harbour Street" + "Town " + std::to_string(k);
    return text;
}

} // namespace

TEST_F(CommandLinePrint, BothFormsPrintEveryRecordAsThePrintCommandDoes)
{
    const CRun run = RunProgram("/p \"" + m_strDoc + "\"");
    EXPECT_EQ(0u, run.nExitCode);
    EXPECT_TRUE(run.messages.empty()) << run.messages.front();
    const std::vector<std::string> pages = PrintedPages();
    ASSERT_EQ(2u, pages.size()) << "45 labels, 30 a sheet";
    EXPECT_EQ(Sheet(1, 30), pages[0]);
    EXPECT_EQ(Sheet(31, 45), pages[1]);

    ::DeleteFileA(m_strPortFile);
    const CRun runTo = RunProgram("/pt \"" + m_strDoc + "\" \"" + TEST_PRINTER_NAME + "\" winspool \"" +
                                  m_strPortFile + "\"");
    EXPECT_EQ(0u, runTo.nExitCode);
    EXPECT_TRUE(runTo.messages.empty()) << runTo.messages.front();
    const std::vector<std::string> pagesTo = PrintedPages();
    ASSERT_EQ(2u, pagesTo.size());
    EXPECT_EQ(Sheet(31, 45), pagesTo[1]);
}

TEST_F(CommandLinePrint, AFailureIsToldAndEndsWithAnExitCode)
{
    // a printer that does not exist
    CRun run = RunProgram("/pt \"" + m_strDoc + "\" \"No Such Printer\" winspool LPT9:");
    EXPECT_EQ(1u, run.nExitCode);
    ASSERT_EQ(1u, run.messages.size());
    EXPECT_EQ("The printer \"No Such Printer\" was not found. Nothing was printed.", run.messages[0]);

    // no publication named
    run = RunProgram("/p");
    EXPECT_EQ(1u, run.nExitCode);
    ASSERT_EQ(1u, run.messages.size());
    EXPECT_EQ("No publication was named to print. Nothing was printed.", run.messages[0]);

    // a publication whose records are gone: its data source is not found
    ::DeleteFileA(m_folder.File("records.csv"));
    run = RunProgram("/p \"" + m_strDoc + "\"");
    EXPECT_EQ(1u, run.nExitCode);
    ASSERT_FALSE(run.messages.empty());
    EXPECT_EQ(0u, run.messages.back().find("Data Source not found!!")) << run.messages.back();
    EXPECT_EQ(-1, CountPostScriptPages(m_strPortFile)) << "nothing printed";

    // a file that is no publication
    ASSERT_TRUE(WriteFileBytes(m_strDoc, "no publication"));
    run = RunProgram("/p \"" + m_strDoc + "\"");
    EXPECT_NE(0u, run.nExitCode);
    EXPECT_EQ(1u, run.messages.size());
}

TEST_F(CommandLinePrint, SmallCurvesFarOutPrintAtTwelveHundredDpi)
{
    // Small ellipses, crescents and callouts with an elliptic gradient some five inches out
    // of a letter design: the library's own flattening of the gradient's ellipse overflowed
    // its stack, and the program ended with exit code 0 and nothing printed.
    CDefaultResolution resolution(1200);
    ASSERT_TRUE(resolution.IsSet());
    const CString strDoc = m_folder.File("Small Curves.labf");
    {
        CVarnelDoc doc;
        doc.m_nDesignWidth = 850;
        doc.m_nDesignHeight = 1100;
        for (int nSize = 1; nSize <= 3; nSize++)
        {
            const CPoint pt(480, 440 + 20 * nSize);
            for (CElement* p : { (CElement*)new CShapeMoon(pt, pt + CSize(nSize, nSize)),
                                 (CElement*)new CCircle(pt + CSize(10, 0), pt + CSize(10 + nSize, nSize)),
                                 (CElement*)new CCalloutBR(pt + CSize(20, 0), pt + CSize(20 + nSize, nSize)) })
            {
                p->m_nSide = 1;
                p->m_nLineWidth = 1;
                p->m_nFillKind = 37;
                doc.m_listElements.AddTail(p);
            }
        }
        ASSERT_TRUE(doc.DoSave(strDoc, FALSE));
    }
    const CRun run = RunProgram("/p \"" + strDoc + "\"");
    EXPECT_EQ(0u, run.nExitCode);
    EXPECT_TRUE(run.messages.empty()) << run.messages.front();
    EXPECT_EQ(1u, PrintedPages().size());
}
