// bench_print.cpp - 1,000 address records merged onto 30-up letter sheets (3 columns by
// 10 rows of 2.62 x 1 inch labels) and printed to a PostScript file by the program's own
// Print command: the print options, the system's Print dialog (print to file) and the
// print loop, with Wine's PostScript driver.
//
// Without arguments the program runs itself kRuns times, each run a whole process from
// start to exit, and prints the wall time and peak memory of every run and their medians.
// With "--once <result file>" it starts the application, prints once and writes the
// time of the Print command and the peak working set into the result file.

#include "app/VarnelApp.h"
#include "app/VarnelView.h"
#include "model/Elements.h"
#include "model/VarnelDoc.h"
#include "data/DataSourceLoader.h"
#include "afxdlgs.h"
#include "afxole.h"
#include "resources/resource.h"
#include "resources/print_resource.h"
#include "resources/wizard_resource.h"

#include <winspool.h>
#include <psapi.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

const int kRuns = 5;
const int kRecords = 1000;
const char kPrinterName[] = "Stickwell Bench Printer";

const char kPpdText[] =
    "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n*PCFileName: \"GENERIC.PPD\"\n*Manufacturer: \"Generic\"\n"
    "*Product: \"(Generic PostScript Printer)\"\n*PSVersion: \"(3010.000) 0\"\n"
    "*ModelName: \"Generic PostScript Printer\"\n*ShortNickName: \"Generic PostScript Printer\"\n"
    "*NickName: \"Generic PostScript Printer\"\n*LanguageLevel: \"3\"\n*ColorDevice: True\n"
    "*DefaultColorSpace: RGB\n*FileSystem: False\n*Throughput: \"1\"\n*LandscapeOrientation: Plus90\n"
    "*TTRasterizer: Type42\n*DefaultResolution: 300dpi\n*OpenUI *PageSize/Page Size: PickOne\n"
    "*OrderDependency: 10 AnySetup *PageSize\n*DefaultPageSize: Letter\n"
    "*PageSize Letter/US Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n"
    "*CloseUI: *PageSize\n*OpenUI *PageRegion: PickOne\n*OrderDependency: 10 AnySetup *PageRegion\n"
    "*DefaultPageRegion: Letter\n"
    "*PageRegion Letter/US Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n"
    "*CloseUI: *PageRegion\n*DefaultImageableArea: Letter\n*ImageableArea Letter/US Letter: \"18 18 594 774\"\n"
    "*DefaultPaperDimension: Letter\n*PaperDimension Letter/US Letter: \"612 792\"\n";

double Now()
{
    static LARGE_INTEGER freq = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart / (double)freq.QuadPart;
}

bool WriteText(const CString& strPath, const std::string& text)
{
    HANDLE h = ::CreateFileA(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD nWritten = 0;
    const BOOL bOk = ::WriteFile(h, text.data(), (DWORD)text.size(), &nWritten, NULL);
    ::CloseHandle(h);
    return bOk && nWritten == text.size();
}

std::string ReadText(const CString& strPath)
{
    std::string data;
    HANDLE h = ::CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return data;
    char buf[65536];
    DWORD nRead = 0;
    while (::ReadFile(h, buf, sizeof(buf), &nRead, NULL) && nRead > 0)
        data.append(buf, nRead);
    ::CloseHandle(h);
    return data;
}

bool InstallPrinter()
{
    HANDLE hPrinter = NULL;
    if (::OpenPrinterA((LPSTR)kPrinterName, &hPrinter, NULL))
    {
        ::ClosePrinter(hPrinter);
        return ::SetDefaultPrinterA(kPrinterName) != FALSE;
    }
    char szDriverDir[MAX_PATH] = "";
    DWORD cbNeeded = 0;
    if (!::GetPrinterDriverDirectoryA(NULL, NULL, 1, (LPBYTE)szDriverDir, sizeof(szDriverDir), &cbNeeded))
        return false;
    const CString strDir = szDriverDir;
    ::CreateDirectoryA(strDir, NULL);
    ::CreateDirectoryA(strDir + "\\3", NULL);
    WriteText(strDir + "\\generic.ppd", kPpdText);
    WriteText(strDir + "\\3\\generic.ppd", kPpdText);
    DRIVER_INFO_3A di;
    memset(&di, 0, sizeof(di));
    di.cVersion = 3;
    di.pName = (LPSTR) "Wine PostScript Driver";
    di.pDriverPath = (LPSTR) "wineps.drv";
    di.pDataFile = (LPSTR) "generic.ppd";
    di.pConfigFile = (LPSTR) "wineps.drv";
    ::AddPrinterDriverA(NULL, 3, (LPBYTE)&di);
    PRINTER_INFO_2A pi;
    memset(&pi, 0, sizeof(pi));
    pi.pPrinterName = (LPSTR)kPrinterName;
    pi.pPortName = (LPSTR) "FILE:";
    pi.pDriverName = (LPSTR) "Wine PostScript Driver";
    pi.pPrintProcessor = (LPSTR) "WinPrint";
    pi.pDatatype = (LPSTR) "RAW";
    pi.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    hPrinter = ::AddPrinterA(NULL, 2, (LPBYTE)&pi);
    if (hPrinter != NULL)
        ::ClosePrinter(hPrinter);
    return ::SetDefaultPrinterA(kPrinterName) != FALSE;
}

// Pages of a PostScript file ("%%Page:" lines) and its size, read in pieces: the check
// adds nothing to the peak memory of the run it checks.
int CountPages(const CString& strPath, unsigned long& nBytes)
{
    static const char kMark[] = "%%Page:";
    const int nMarkLength = (int)sizeof(kMark) - 1;
    int nPages = 0;
    nBytes = 0;
    HANDLE h = ::CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    char buf[65536];
    DWORD nRead = 0;
    bool bLineStart = true;
    int nMatched = -1;      // characters of the mark matched on this line; -1 none
    while (::ReadFile(h, buf, sizeof(buf), &nRead, NULL) && nRead > 0)
    {
        nBytes += nRead;
        for (DWORD i = 0; i < nRead; i++)
        {
            const char c = buf[i];
            if (bLineStart)
                nMatched = 0;
            bLineStart = c == '\n' || c == '\r';
            if (nMatched < 0)
                continue;
            if (c != kMark[nMatched])
                nMatched = -1;
            else if (++nMatched == nMarkLength)
            {
                ++nPages;
                nMatched = -1;
            }
        }
    }
    ::CloseHandle(h);
    return nPages;
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE);
            continue;
        }
        if (!AfxPumpMessage())
            break;
    }
}

CDbText* AddText(CVarnelDoc* pDoc, int nTop, LPCTSTR lpszColumn, int nWeight)
{
    CDbText* pText = new CDbText(CPoint(12, nTop), CPoint(250, nTop + 28));
    pText->m_strText = "<<TextFromDB>>";
    pText->m_strColumn = lpszColumn;
    pText->m_font.DeleteObject();
    pText->m_font.CreateFont(20, 0, 0, 0, nWeight, 0, 0, 0, 0, 0, 0, 0, 32, "Arial");
    pDoc->m_listElements.AddTail(pText);
    pDoc->AssignElementKind(pText);
    return pText;
}

// One print job in this process; 0 when the file holds every sheet.
int PrintOnce(const CString& strResultFile)
{
    const double tStart = Now();
    if (!InstallPrinter())
    {
        fprintf(stderr, "no printer\n");
        return 2;
    }
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    CString strFolder;
    strFolder.Format("%sstickwell_bench_print_%lu", szTemp, ::GetCurrentProcessId());
    ::CreateDirectoryA(strFolder, NULL);
    const CString strCsv = strFolder + "\\addresses.csv";
    const CString strOutput = strFolder + "\\labels.ps";

    std::string csv = "Name,Street,Town,Zip\r\n";
    for (int k = 1; k <= kRecords; k++)
    {
        char szLine[160];
        sprintf(szLine, "Customer %d,%d Harbour Street,Town %d,%05d\r\n", k, 10 + k % 900, k % 97, 10000 + k);
        csv += szLine;
    }
    WriteText(strCsv, csv);

    CDialogScript::UsePrivateDesktop();
    CDialogScript::SetWatchdog(10000);
    CString strCompany;
    strCompany.Format("QuorvaneBench%lu", ::GetCurrentProcessId());
    CVarnelApp* pApp = new CVarnelApp(strCompany);
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR) "", SW_SHOW);
    int nResult = 3;
    double tPrint = 0;
    int nPages = 0;
    unsigned long nBytes = 0;
    if (pApp->StartUp() && pApp->m_pMainWnd != NULL)
    {
        CMessageBoxRecorder boxes;      // no message box waits for a user
        {
            CDialogScript script;
            script.OnDialog(IDD_WIZ_NEWCARD).Cancel();
            pApp->m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_NEW);
            PumpPending();
        }
        CMDIChildWnd* pChild = ((CMDIFrameWnd*)pApp->m_pMainWnd)->MDIGetActive();
        CVarnelView* pView = pChild != NULL ? DYNAMIC_DOWNCAST(CVarnelView, pChild->GetActiveView()) : NULL;
        if (pView != NULL)
        {
            CVarnelDoc* pDoc = pView->GetDocument();
            pDoc->m_nPublicationType = 0;
            pDoc->m_nDesignWidth = 262;
            pDoc->m_nDesignHeight = 100;
            AddText(pDoc, 8, "0", FW_BOLD);
            AddText(pDoc, 38, "1", FW_NORMAL);
            AddText(pDoc, 66, "2-3", FW_NORMAL);
            CDataSourceLoader loader;
            if (loader.LoadDelimitedText(strCsv, ",", TRUE))
            {
                pDoc->FreeDataTable();
                pDoc->m_pDataRows = loader.m_pRows;
                pDoc->m_nDataRows = loader.m_nRows;
                pDoc->m_nDataColumns = loader.m_nColumns;
                loader.m_pRows = NULL;
                loader.m_nRows = -1;
                loader.m_nColumns = 0;

                CDialogScript script;
                script.OnDialog(IDD_PRINT_OPTIONS).OK();
                script.OnCommonDialog([](HWND hDlg) {
                    ::CheckDlgButton(hDlg, 0x410, BST_CHECKED);     // "Print to file"
                    ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
                });
                script.OnFileDialog(strOutput);
                boxes.Reset();              // the wizard's notes on missing folders
                const double t0 = Now();
                pApp->m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT);
                PumpPending();
                tPrint = Now() - t0;
                nPages = CountPages(strOutput, nBytes);
                nResult = nPages == (kRecords + 29) / 30 && boxes.GetCount() == 0 ? 0 : 4;
            }
        }
        POSITION posTemplate = pApp->GetFirstDocTemplatePosition();
        while (posTemplate != NULL)
        {
            CDocTemplate* pTemplate = pApp->GetNextDocTemplate(posTemplate);
            POSITION pos = pTemplate->GetFirstDocPosition();
            while (pos != NULL)
                pTemplate->GetNextDoc(pos)->SetModifiedFlag(FALSE);
        }
        pApp->CloseAllDocuments(TRUE);
        PumpPending();
        if (pApp->m_pMainWnd != NULL && ::IsWindow(pApp->m_pMainWnd->m_hWnd))
            pApp->m_pMainWnd->DestroyWindow();
        pApp->m_pMainWnd = NULL;
        PumpPending();
        pApp->ExitInstance();
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, CString("Software\\") + strCompany);
    delete pApp;

    ::DeleteFileA(strOutput);
    ::DeleteFileA(strCsv);
    ::RemoveDirectoryA(strFolder);

    PROCESS_MEMORY_COUNTERS pmc;
    memset(&pmc, 0, sizeof(pmc));
    pmc.cb = sizeof(pmc);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
    char szResult[256];
    sprintf(szResult, "%d %.4f %.4f %lu %d %lu\n", nResult, tPrint, Now() - tStart,
            (unsigned long)(pmc.PeakWorkingSetSize / 1024), nPages, nBytes);
    WriteText(strResultFile, szResult);
    return nResult;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc >= 3 && strcmp(argv[1], "--once") == 0)
        return PrintOnce(argv[2]);

    char szProgram[MAX_PATH];
    ::GetModuleFileNameA(NULL, szProgram, MAX_PATH);
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    const CString strResult = CString(szTemp) + "stickwell_bench_print_result.txt";

    printf("%d records, 30-up letter sheets (3 x 10 labels of 2.62 x 1 inch), printed to a PostScript file\n",
           kRecords);
    std::vector<double> walls, prints, peaks;
    for (int i = 0; i < kRuns; i++)
    {
        ::DeleteFileA(strResult);
        std::string strCommand = std::string("\"") + szProgram + "\" --once \"" + (LPCTSTR)strResult + "\"";
        STARTUPINFOA si;
        memset(&si, 0, sizeof(si));
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi;
        memset(&pi, 0, sizeof(pi));
        const double t0 = Now();
        if (!::CreateProcessA(szProgram, &strCommand[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        {
            printf("run %d: cannot start\n", i + 1);
            return 1;
        }
        ::WaitForSingleObject(pi.hProcess, INFINITE);
        const double dWall = Now() - t0;
        DWORD nExit = 1;
        ::GetExitCodeProcess(pi.hProcess, &nExit);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);

        int nResult = -1, nPages = 0;
        double dPrint = 0, dInside = 0;
        unsigned long nPeakKb = 0, nBytes = 0;
        const std::string result = ReadText(strResult);
        sscanf(result.c_str(), "%d %lf %lf %lu %d %lu", &nResult, &dPrint, &dInside, &nPeakKb, &nPages, &nBytes);
        printf("run %d: exit %lu, whole process %.3f s, Print command %.3f s, peak working set %.1f MB, "
               "%d pages, %lu bytes\n",
               i + 1, nExit, dWall, dPrint, nPeakKb / 1024.0, nPages, nBytes);
        if (nExit != 0 || nResult != 0)
            return 1;
        walls.push_back(dWall);
        prints.push_back(dPrint);
        peaks.push_back(nPeakKb / 1024.0);
    }
    ::DeleteFileA(strResult);
    printf("median of %d: whole process %.3f s, Print command %.3f s, peak working set %.1f MB\n", kRuns,
           Median(walls), Median(prints), Median(peaks));
    return 0;
}
