// bench_print.cpp - address records merged onto 30-up letter sheets (3 columns by 10 rows
// of 2.62 x 1 inch labels) and printed by the program's own Print command: the print
// options, the system's Print dialog (print to file) and the print loop, with Wine's
// PostScript driver.
//
// Without arguments the program prints 1,000, 10,000 and 100,000 records, each run a whole
// process from start to exit, and reports for each count the time of the Print command,
// the time per label, the peak memory, and the same job printed into a picture in memory
// instead of the printer (the program's own part: records, fonts and drawing, without
// spooler and driver). Counts given as arguments replace the three; "ps" leaves out the runs into memory.
// With "--once <result file> <records> ps|paper" it starts the application, prints once
// and writes the time of the Print command and the memory figures into the result file.
//
// Memory: the peak working set of the process holds the loaded records (the document's
// table, some 0.3 KB a record of this file), so it rises with the count although the
// printing does not. The print's own figure is taken by an element of the design that
// samples the private memory and the GDI objects once a sheet: the growth from the end
// of the first sheets (a tenth of the job, at most 30 sheets) to the largest sample
// after, per label printed after them.

#include "app_program.h"
#include "test_printer.h"
#include "model/Elements.h"
#include "afxole.h"
#include "resources/print_resource.h"
#include "memory_watch.h"
#include "print_memory_probe.h"

#include <psapi.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace
{

const int kRunsSmall = 3;               // runs of up to 10,000 records
const int kRunsLarge = 1;               // runs of more

double Now()
{
    static LARGE_INTEGER freq = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart / (double)freq.QuadPart;
}

// Watches the spooler's file of the running job from a thread of its own (the driver
// writes the pages into it as they are printed), so that the speed early and late in the
// job can be compared.
class CSpoolWatch
{
public:
    CSpoolWatch() : m_bStop(FALSE), m_hThread(NULL)
    {
        char szWindows[MAX_PATH] = "";
        ::GetSystemDirectoryA(szWindows, MAX_PATH);
        m_strPattern = CString(szWindows) + "\\spool\\printers\\*.SPL";
        m_hThread = ::CreateThread(NULL, 0, ThreadProc, this, 0, NULL);
    }
    ~CSpoolWatch() { Stop(); }
    void Stop()
    {
        if (m_hThread == NULL)
            return;
        ::InterlockedExchange(&m_bStop, TRUE);
        ::WaitForSingleObject(m_hThread, INFINITE);
        ::CloseHandle(m_hThread);
        m_hThread = NULL;
    }
    // Megabytes a second spooled in the first and in the last fifth of the job's bytes;
    // 0 when unknown.
    void GetRates(double& dEarly, double& dLate) const
    {
        dEarly = dLate = 0;
        if (m_samples.size() < 4)
            return;
        const double dLast = m_samples.back().second;
        auto rate = [this](double dFrom, double dTo) {
            const std::pair<double, double>* pFrom = NULL;
            const std::pair<double, double>* pTo = NULL;
            for (const auto& sample : m_samples)
            {
                if (pFrom == NULL && sample.second >= dFrom)
                    pFrom = &sample;
                if (sample.second <= dTo)
                    pTo = &sample;
            }
            if (pFrom == NULL || pTo == NULL || pTo->first <= pFrom->first)
                return 0.0;
            return (pTo->second - pFrom->second) / (pTo->first - pFrom->first) / (1024.0 * 1024.0);
        };
        dEarly = rate(0, dLast / 5);
        dLate = rate(dLast - dLast / 5, dLast);
    }

private:
    static DWORD WINAPI ThreadProc(LPVOID pParam)
    {
        CSpoolWatch* pThis = (CSpoolWatch*)pParam;
        while (!pThis->m_bStop)
        {
            ::Sleep(200);
            WIN32_FIND_DATAA fd;
            HANDLE hFind = ::FindFirstFileA(pThis->m_strPattern, &fd);
            if (hFind == INVALID_HANDLE_VALUE)
                continue;
            double dSize = 0;
            do
            {
                const double d = (double)fd.nFileSizeHigh * 4294967296.0 + fd.nFileSizeLow;
                dSize = d > dSize ? d : dSize;
            } while (::FindNextFileA(hFind, &fd));
            ::FindClose(hFind);
            if (dSize > 0 && (pThis->m_samples.empty() || dSize >= pThis->m_samples.back().second))
                pThis->m_samples.push_back(std::make_pair(Now(), dSize));
        }
        return 0;
    }

    CString m_strPattern;
    volatile LONG m_bStop;
    HANDLE m_hThread;
    std::vector<std::pair<double, double>> m_samples;     // time, bytes spooled
};

const int kCellsPerSheet = 30;

// Sheets printed before the print's growth is measured.
size_t WarmUpSheets(int nSheets)
{
    return (size_t)std::max(1, std::min(30, nSheets / 10));
}

// One print job in this process; 0 when the file holds every sheet.
int PrintOnce(const CString& strResultFile, int nRecords, bool bPaper)
{
    const double tStart = Now();
    if (InstallTestPrinter().IsEmpty())
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

    {
        std::string csv = "Name,Street,Town,Zip\r\n";
        for (int k = 1; k <= nRecords; k++)
        {
            char szLine[160];
            sprintf(szLine, "Customer %d,%d Harbour Street,Town %d,%05d\r\n", k, 10 + k % 900, k % 97, 10000 + k);
            csv += szLine;
        }
        WriteFileBytes(strCsv, csv);
    }

    CDialogScript::UsePrivateDesktop();
    CDialogScript::SetWatchdog(60000);
    int nResult = 3;
    double tPrint = 0;
    double dEarly = 0, dLate = 0;
    int nPages = 0;
    unsigned long nBytes = 0;
    double dRecordBytes = 0;            // private memory the loaded records take, per record
    double dLabelBytes = 0;             // growth of the print after its first sheets, per label
    long nGdiGrowth = -1;
    double dPrintPeakMb = 0;            // largest growth of the private memory during the Print command
    {
        CAppProgram program("QuorvaneBench");
        CMessageBoxRecorder boxes;      // no message box waits for a user
        CVarnelDoc* pDoc = program.m_bStarted && program.m_pApp->m_pMainWnd != NULL ? program.NewPlainDoc() : NULL;
        CVarnelView* pView = program.ActiveView();
        if (pDoc != NULL && pView != NULL)
        {
            pDoc->m_nPublicationType = 0;
            pDoc->m_nDesignWidth = 262;
            pDoc->m_nDesignHeight = 100;
            AddDbText(*pDoc, CRect(12, 8, 250, 36), "0", 20, FW_BOLD);
            AddDbText(*pDoc, CRect(12, 38, 250, 66), "1", 20, FW_NORMAL);
            AddDbText(*pDoc, CRect(12, 66, 250, 94), "2-3", 20, FW_NORMAL);
            printprobe::CSamplingElement* pSampler = new printprobe::CSamplingElement(kCellsPerSheet);
            pDoc->m_listElements.AddTail(pSampler);
            pDoc->AssignElementKind(pSampler);
            const SIZE_T nBeforeLoad = printprobe::PrivateBytes();
            if (LoadCommaSeparatedFile(*pDoc, strCsv) == nRecords + 1)
            {
                dRecordBytes = ((double)printprobe::PrivateBytes() - (double)nBeforeLoad) / nRecords;
                CDialogScript script;
                script.OnDialog(IDD_PRINT_OPTIONS).OK();
                HBITMAP hPaper = NULL;
                if (bPaper)
                {
                    // a letter sheet at 100 pixels an inch stands in for the printer
                    BITMAPINFO bmi;
                    memset(&bmi, 0, sizeof(bmi));
                    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
                    bmi.bmiHeader.biWidth = 850;
                    bmi.bmiHeader.biHeight = -1100;
                    bmi.bmiHeader.biPlanes = 1;
                    bmi.bmiHeader.biBitCount = 32;
                    void* pBits = NULL;
                    hPaper = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
                    pView->m_hPrintBitmap = hPaper;
                }
                else
                {
                    script.OnCommonDialog([](HWND hDlg) {
                        ::CheckDlgButton(hDlg, 0x410, BST_CHECKED);     // "Print to file"
                        ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
                    });
                    script.OnFileDialog(strOutput);
                }
                boxes.Reset();              // only what the Print command shows counts
                const double t0 = Now();
                CSpoolWatch watch;
                CMemoryWatch memory;
                program.Command(ID_FILE_PRINT);
                tPrint = Now() - t0;
                memory.Stop();
                watch.Stop();
                dPrintPeakMb = memory.PeakGrowthMB();
                const int nSheets = (nRecords + kCellsPerSheet - 1) / kCellsPerSheet;
                const size_t nWarmUp = WarmUpSheets(nSheets);
                const printprobe::CGrowth growth = printprobe::GetGrowth(pSampler->m_samples, nWarmUp);
                const int nLabelsAfter = nRecords - (int)nWarmUp * kCellsPerSheet;
                if (growth.bCounted && nLabelsAfter > 0)
                {
                    dLabelBytes = growth.dBytes / nLabelsAfter;
                    nGdiGrowth = growth.nGdiObjects;
                }
                watch.GetRates(dEarly, dLate);
                if (bPaper)
                {
                    pView->m_hPrintBitmap = NULL;
                    ::DeleteObject(hPaper);
                    nPages = pView->m_nPagesToPrint;
                }
                else
                {
                    nPages = CountPostScriptPages(strOutput, &nBytes);
                }
                const bool bSampled = pSampler->m_samples.size() == (size_t)nSheets;
                nResult = nPages == nSheets && boxes.GetCount() == 0 && bSampled ? 0 : 4;
            }
        }
    }

    ::DeleteFileA(strOutput);
    ::DeleteFileA(strCsv);
    ::RemoveDirectoryA(strFolder);

    PROCESS_MEMORY_COUNTERS pmc;
    memset(&pmc, 0, sizeof(pmc));
    pmc.cb = sizeof(pmc);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
    char szResult[384];
    sprintf(szResult, "%d %.4f %.4f %lu %d %lu %.3f %.3f %.1f %.2f %ld %.3f\n", nResult, tPrint, Now() - tStart,
            (unsigned long)(pmc.PeakWorkingSetSize / 1024), nPages, nBytes, dEarly, dLate, dRecordBytes,
            dLabelBytes, nGdiGrowth, dPrintPeakMb);
    WriteFileBytes(strResultFile, szResult);
    return nResult;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct CRunResult
{
    double dWall;
    double dPrint;
    double dPeakMb;
    double dRecordBytes;
    double dLabelBytes;
    long nGdiGrowth;
    double dPrintPeakMb;
};

// One whole process printing nRecords; false when it failed.
bool RunOnce(const char* pszProgram, const CString& strResult, int nRecords, bool bPaper, CRunResult& result)
{
    ::DeleteFileA(strResult);
    char szArgs[64];
    sprintf(szArgs, " %d %s", nRecords, bPaper ? "paper" : "ps");
    std::string strCommand = std::string("\"") + pszProgram + "\" --once \"" + (LPCTSTR)strResult + "\"" + szArgs;
    STARTUPINFOA si;
    memset(&si, 0, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    memset(&pi, 0, sizeof(pi));
    const double t0 = Now();
    if (!::CreateProcessA(pszProgram, &strCommand[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
    {
        printf("cannot start\n");
        return false;
    }
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    result.dWall = Now() - t0;
    DWORD nExit = 1;
    ::GetExitCodeProcess(pi.hProcess, &nExit);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);

    int nResult = -1, nPages = 0;
    double dInside = 0;
    unsigned long nPeakKb = 0, nBytes = 0;
    const std::string text = ReadFileBytes(strResult);
    ::DeleteFileA(strResult);
    double dEarly = 0, dLate = 0;
    result.dRecordBytes = result.dLabelBytes = result.dPrintPeakMb = 0;
    result.nGdiGrowth = -1;
    sscanf(text.c_str(), "%d %lf %lf %lu %d %lu %lf %lf %lf %lf %ld %lf", &nResult, &result.dPrint, &dInside,
           &nPeakKb, &nPages, &nBytes, &dEarly, &dLate, &result.dRecordBytes, &result.dLabelBytes,
           &result.nGdiGrowth, &result.dPrintPeakMb);
    result.dPeakMb = nPeakKb / 1024.0;
    printf("  %-5s %6d records: exit %lu, whole process %.3f s, Print command %.3f s (%.3f ms a label), "
           "peak working set %.1f MB, %d pages, %lu bytes; spooled %.2f MB/s in the first fifth of the bytes, "
           "%.2f in the last\n",
           bPaper ? "paper" : "ps", nRecords, nExit, result.dWall, result.dPrint, 1000.0 * result.dPrint / nRecords,
           result.dPeakMb, nPages, nBytes, dEarly, dLate);
    const int nWarmUp = (int)WarmUpSheets((nRecords + kCellsPerSheet - 1) / kCellsPerSheet);
    const int nLabelsAfter = nRecords - nWarmUp * kCellsPerSheet;
    printf("        memory: %.0f bytes a record loaded; during the Print command at most %+.2f MB; after the "
           "first %d sheets %+.0f KB and %+ld GDI objects over %d labels (%.2f bytes a label)\n",
           result.dRecordBytes, result.dPrintPeakMb, nWarmUp, result.dLabelBytes * nLabelsAfter / 1024,
           result.nGdiGrowth, nLabelsAfter, result.dLabelBytes);
    fflush(stdout);
    return nExit == 0 && nResult == 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc >= 5 && strcmp(argv[1], "--once") == 0)
        return PrintOnce(argv[2], atoi(argv[3]), strcmp(argv[4], "paper") == 0);

    std::vector<int> counts;
    bool bPaperToo = true;
    for (int i = 1; i < argc; i++)
    {
        if (atoi(argv[i]) > 0)
            counts.push_back(atoi(argv[i]));
        else if (strcmp(argv[i], "ps") == 0)
            bPaperToo = false;          // the printer only
    }
    if (counts.empty())
        counts = { 1000, 10000, 100000 };

    char szProgram[MAX_PATH];
    ::GetModuleFileNameA(NULL, szProgram, MAX_PATH);
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    const CString strResult = CString(szTemp) + "stickwell_bench_print_result.txt";

    printf("records on 30-up letter sheets (3 x 10 labels of 2.62 x 1 inch), printed to a PostScript file (ps) "
           "and into a picture in memory (paper)\n");
    std::vector<double> perLabel(counts.size(), 0.0);
    std::vector<double> peakMb(counts.size(), 0.0);
    for (size_t c = 0; c < counts.size(); c++)
    {
        const int nRecords = counts[c];
        const int nRuns = nRecords <= 10000 ? kRunsSmall : kRunsLarge;
        std::vector<double> prints, papers, peaks, records, labels;
        for (int i = 0; i < nRuns; i++)
        {
            CRunResult result;
            if (!RunOnce(szProgram, strResult, nRecords, false, result))
                return 1;
            prints.push_back(result.dPrint);
            peaks.push_back(result.dPeakMb);
            records.push_back(result.dRecordBytes);
            labels.push_back(result.dLabelBytes);
            if (!bPaperToo)
                continue;
            if (!RunOnce(szProgram, strResult, nRecords, true, result))
                return 1;
            papers.push_back(result.dPrint);
            labels.push_back(result.dLabelBytes);
        }
        const double dPrint = Median(prints);
        const double dPaper = Median(papers);
        perLabel[c] = dPrint;
        printf("%d records, median of %d: Print command %.3f s (%.3f ms a label), peak working set %.1f MB",
               nRecords, nRuns, dPrint, 1000.0 * dPrint / nRecords, Median(peaks));
        if (bPaperToo)
            printf("; into memory %.3f s (%.3f ms a label)", dPaper, 1000.0 * dPaper / nRecords);
        printf("\n");
        peakMb[c] = Median(peaks);
        printf("  memory: %.0f bytes a record loaded; the print after its first sheets %+.2f bytes a label "
               "(median of every run)\n", Median(records), Median(labels));
        if (c > 0 && perLabel[c - 1] > 0)
            printf("  %.2f times the time of %d records for %.2f times the records\n", dPrint / perLabel[c - 1],
                   counts[c - 1], (double)nRecords / counts[c - 1]);
        if (c > 0 && nRecords != counts[c - 1])
            printf("  peak working set %+.2f KB a record more than at %d records (the records loaded)\n",
                   (peakMb[c] - peakMb[c - 1]) * 1024.0 / (nRecords - counts[c - 1]), counts[c - 1]);
        fflush(stdout);
    }
    return 0;
}
