// A printer for tests: Wine's PostScript driver writing to a file.

#include "test_printer.h"
#include <winspool.h>
#include <string>

const char TEST_PRINTER_NAME[] = "Stickwell Test Printer";
const char TEST_PRINTER_PORT_FILE[] = "stickwell_test_printer.ps";

namespace
{

const char PPD_TEXT[] =
    "*PPD-Adobe: \"4.3\"\n"
    "*FormatVersion: \"4.3\"\n"
    "*FileVersion: \"1.0\"\n"
    "*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n"
    "*PCFileName: \"GENERIC.PPD\"\n"
    "*Manufacturer: \"Generic\"\n"
    "*Product: \"(Generic PostScript Printer)\"\n"
    "*PSVersion: \"(3010.000) 0\"\n"
    "*ModelName: \"Generic PostScript Printer\"\n"
    "*ShortNickName: \"Generic PostScript Printer\"\n"
    "*NickName: \"Generic PostScript Printer\"\n"
    "*LanguageLevel: \"3\"\n"
    "*ColorDevice: True\n"
    "*DefaultColorSpace: RGB\n"
    "*FileSystem: False\n"
    "*Throughput: \"1\"\n"
    "*LandscapeOrientation: Plus90\n"
    "*TTRasterizer: Type42\n"
    "*OpenUI *Resolution/Resolution: PickOne\n"
    "*OrderDependency: 20 AnySetup *Resolution\n"
    "*DefaultResolution: 300dpi\n"
    "*Resolution 300dpi/300 dpi: \"<</HWResolution[300 300]>>setpagedevice\"\n"
    "*Resolution 600dpi/600 dpi: \"<</HWResolution[600 600]>>setpagedevice\"\n"
    "*Resolution 1200dpi/1200 dpi: \"<</HWResolution[1200 1200]>>setpagedevice\"\n"
    "*CloseUI: *Resolution\n"
    "*OpenUI *PageSize/Page Size: PickOne\n"
    "*OrderDependency: 10 AnySetup *PageSize\n"
    "*DefaultPageSize: Letter\n"
    "*PageSize Letter/US Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
    "*CloseUI: *PageSize\n"
    "*OpenUI *PageRegion: PickOne\n"
    "*OrderDependency: 10 AnySetup *PageRegion\n"
    "*DefaultPageRegion: Letter\n"
    "*PageRegion Letter/US Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n"
    "*PageRegion A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
    "*CloseUI: *PageRegion\n"
    "*DefaultImageableArea: Letter\n"
    "*ImageableArea Letter/US Letter: \"18 18 594 774\"\n"
    "*ImageableArea A4/A4: \"18 18 577 824\"\n"
    "*DefaultPaperDimension: Letter\n"
    "*PaperDimension Letter/US Letter: \"612 792\"\n"
    "*PaperDimension A4/A4: \"595 842\"\n";

BOOL WriteTextFile(LPCTSTR lpszPath, const char* pszText)
{
    HANDLE h = ::CreateFileA(lpszPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD nWritten = 0;
    BOOL bOk = ::WriteFile(h, pszText, (DWORD)strlen(pszText), &nWritten, NULL);
    ::CloseHandle(h);
    return bOk;
}

// The port: a file of the temp folder by its Unix name, where Wine writes a job that
// names no output file. (On port "FILE:" such a job waits for a file name that nobody
// gives, or goes to a file named "FILE:" in the current folder.)
CString PortFile()
{
    typedef char*(CDECL * PFN_UNIX_NAME)(LPCWSTR);
    PFN_UNIX_NAME pfnUnixName =
        (PFN_UNIX_NAME)::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    char szTemp[MAX_PATH] = "";
    if (pfnUnixName == NULL || ::GetTempPathA(MAX_PATH, szTemp) == 0)
        return "FILE:";
    WCHAR wszPath[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, CString(szTemp) + TEST_PRINTER_PORT_FILE, -1, wszPath, MAX_PATH);
    char* pszUnix = pfnUnixName(wszPath);
    if (pszUnix == NULL)
        return "FILE:";
    CString strPort = pszUnix;
    ::HeapFree(::GetProcessHeap(), 0, pszUnix);
    return strPort;
}

// A printer made with port "FILE:" before gets the port file.
void SetPort(LPCTSTR lpszName, const CString& strPort)
{
    HANDLE hPrinter = NULL;
    PRINTER_DEFAULTSA defaults = { NULL, NULL, PRINTER_ALL_ACCESS };
    if (!::OpenPrinterA((LPSTR)lpszName, &hPrinter, &defaults))
        return;
    DWORD cbNeeded = 0;
    ::GetPrinterA(hPrinter, 2, NULL, 0, &cbNeeded);
    std::string buffer(cbNeeded, '\0');
    PRINTER_INFO_2A* pInfo = (PRINTER_INFO_2A*)&buffer[0];
    if (cbNeeded > 0 && ::GetPrinterA(hPrinter, 2, (LPBYTE)pInfo, cbNeeded, &cbNeeded) &&
        strPort.CompareNoCase(pInfo->pPortName != NULL ? pInfo->pPortName : "") != 0)
    {
        pInfo->pPortName = (LPSTR)(LPCTSTR)strPort;
        pInfo->pSecurityDescriptor = NULL;
        ::SetPrinterA(hPrinter, 2, (LPBYTE)pInfo, 0);
    }
    ::ClosePrinter(hPrinter);
}

BOOL PrinterExists(LPCTSTR lpszName)
{
    HANDLE hPrinter = NULL;
    if (!::OpenPrinterA((LPSTR)lpszName, &hPrinter, NULL))
        return FALSE;
    ::ClosePrinter(hPrinter);
    return TRUE;
}

} // namespace

CString InstallTestPrinter()
{
    static BOOL s_bDone = FALSE;
    static CString s_strName;
    if (s_bDone)
        return s_strName;
    s_bDone = TRUE;

    const CString strPort = PortFile();
    // the PPD beside the driver files and in the driver version's folder (written anew: a
    // prefix may hold that of an older run)
    char szDriverDir[MAX_PATH] = "";
    DWORD cbNeeded = 0;
    if (!::GetPrinterDriverDirectoryA(NULL, NULL, 1, (LPBYTE)szDriverDir, sizeof(szDriverDir), &cbNeeded))
        return s_strName;
    const CString strDir = szDriverDir;
    ::CreateDirectoryA(strDir, NULL);
    ::CreateDirectoryA(strDir + "\\3", NULL);
    if (!WriteTextFile(strDir + "\\generic.ppd", PPD_TEXT) ||
        !WriteTextFile(strDir + "\\3\\generic.ppd", PPD_TEXT))
        return s_strName;
    if (!PrinterExists(TEST_PRINTER_NAME))
    {

        DRIVER_INFO_3A di;
        memset(&di, 0, sizeof(di));
        di.cVersion = 3;
        di.pName = (LPSTR)"Wine PostScript Driver";
        di.pDriverPath = (LPSTR)"wineps.drv";
        di.pDataFile = (LPSTR)"generic.ppd";
        di.pConfigFile = (LPSTR)"wineps.drv";
        // a driver installed before is fine: the printer check below decides
        ::AddPrinterDriverA(NULL, 3, (LPBYTE)&di);

        PRINTER_INFO_2A pi;
        memset(&pi, 0, sizeof(pi));
        pi.pPrinterName = (LPSTR)TEST_PRINTER_NAME;
        pi.pPortName = (LPSTR)(LPCTSTR)strPort;
        pi.pDriverName = (LPSTR)"Wine PostScript Driver";
        pi.pPrintProcessor = (LPSTR)"WinPrint";
        pi.pDatatype = (LPSTR)"RAW";
        pi.Attributes = PRINTER_ATTRIBUTE_LOCAL;
        HANDLE hPrinter = ::AddPrinterA(NULL, 2, (LPBYTE)&pi);
        if (hPrinter != NULL)
            ::ClosePrinter(hPrinter);
        if (!PrinterExists(TEST_PRINTER_NAME))
            return s_strName;
    }

    SetPort(TEST_PRINTER_NAME, strPort);
    ::SetDefaultPrinterA(TEST_PRINTER_NAME);
    s_strName = TEST_PRINTER_NAME;
    return s_strName;
}

int CountPostScriptPages(LPCTSTR lpszPath, unsigned long* pnBytes)
{
    // read in pieces: counting adds nothing to the peak memory of a large job
    static const char kMark[] = "%%Page:";      // "%%Pages:", the header's count, is no page
    const int nMarkLength = (int)sizeof(kMark) - 1;
    if (pnBytes != NULL)
        *pnBytes = 0;
    HANDLE h = ::CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    int nPages = 0;
    char buf[65536];
    DWORD nRead = 0;
    bool bLineStart = true;
    int nMatched = -1;      // characters of the mark matched on this line; -1 none
    while (::ReadFile(h, buf, sizeof(buf), &nRead, NULL) && nRead > 0)
    {
        if (pnBytes != NULL)
            *pnBytes += nRead;
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
