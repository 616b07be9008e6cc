// Test environment of the export tests: GDI+ and OLE run and dialogs are driven by scripts.

#include "export_support.h"
#include "test_support.h"
#include "model/Elements.h"
#include "afxole.h"

#include <stdio.h>

#include <memory>

using namespace Gdiplus;

namespace
{

::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new testsupport::CDrawingTestEnvironment(true));

} // namespace

bool CPicture::Load(const CString& strPath)
{
    WCHAR szPath[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, strPath, -1, szPath, MAX_PATH);
    std::unique_ptr<Bitmap> pBitmap(Bitmap::FromFile(szPath));
    if (pBitmap == NULL || pBitmap->GetLastStatus() != Ok)
        return false;
    nWidth = (int)pBitmap->GetWidth();
    nHeight = (int)pBitmap->GetHeight();
    BitmapData data;
    Rect rect(0, 0, nWidth, nHeight);
    if (pBitmap->LockBits(&rect, ImageLockModeRead, PixelFormat24bppRGB, &data) != Ok)
        return false;
    rgb.resize((size_t)nWidth * nHeight * 3);
    for (int y = 0; y < nHeight; y++)
    {
        const BYTE* pRow = (const BYTE*)data.Scan0 + (ptrdiff_t)y * data.Stride;
        for (int x = 0; x < nWidth; x++)
        {
            BYTE* p = &rgb[((size_t)y * nWidth + x) * 3];
            p[0] = pRow[3 * x + 2];
            p[1] = pRow[3 * x + 1];
            p[2] = pRow[3 * x];
        }
    }
    pBitmap->UnlockBits(&data);
    return true;
}

DWORD CPicture::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= nWidth || y >= nHeight)
        return 0xFFFFFFFF;
    const BYTE* p = &rgb[((size_t)y * nWidth + x) * 3];
    return (p[0] << 16) | (p[1] << 8) | p[2];
}

bool NearColor(DWORD clrA, DWORD clrB, int nTolerance)
{
    for (int shift = 0; shift <= 16; shift += 8)
    {
        const int a = (clrA >> shift) & 0xFF;
        const int b = (clrB >> shift) & 0xFF;
        if (abs(a - b) > nTolerance)
            return false;
    }
    return (clrA >> 24) == (clrB >> 24);
}

std::string ColorText(DWORD clr)
{
    char sz[16];
    sprintf(sz, "%06lX", (unsigned long)clr);
    return sz;
}

std::string UnixPath(const CString& strPath)
{
    typedef char* (CDECL * PFN_UnixName)(LPCWSTR);
    static PFN_UnixName pfn = (PFN_UnixName)(void*)::GetProcAddress(::GetModuleHandleA("kernel32.dll"),
                                                             "wine_get_unix_file_name");
    if (pfn == NULL)
        return std::string();
    WCHAR szPath[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, strPath, -1, szPath, MAX_PATH);
    char* pszUnix = pfn(szPath);
    if (pszUnix == NULL)
        return std::string();
    std::string str = pszUnix;
    ::HeapFree(::GetProcessHeap(), 0, pszUnix);
    return str;
}

int RunUnixCommand(const std::string& strCommand)
{
    // a Unix process started by Wine gives no usable exit code or end: the shell
    // writes its status into a file when the command has ended
    static int s_nRun = 0;
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    CString strDone;
    strDone.Format("%sstwcmd%lu_%d.done", szTemp, ::GetCurrentProcessId(), ++s_nRun);
    ::DeleteFileA(strDone);
    const std::string strLine = "/bin/sh -c \"" + strCommand + "; echo $? > '" + UnixPath(strDone) + ".part' && mv '"
                                + UnixPath(strDone) + ".part' '" + UnixPath(strDone) + "'\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(strLine.begin(), strLine.end());
    line.push_back('\0');
    if (!::CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return -1;
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    for (int nWaited = 0; nWaited < 60000 && !FileExists(strDone); nWaited += 20)
        ::Sleep(20);
    const std::string status = ReadFileBytes(strDone);
    ::DeleteFileA(strDone);
    return status.empty() ? -1 : atoi(status.c_str());
}

std::string PdfInfo(const CString& strPdf)
{
    const CString strOut = strPdf + ".info.txt";
    const std::string strCommand = "pdfinfo '" + UnixPath(strPdf) + "' > '" + UnixPath(strOut) + "' 2>&1";
    const int nCode = RunUnixCommand(strCommand);
    std::string text = ReadFileBytes(strOut);
    ::DeleteFileA(strOut);
    return nCode == 0 ? text : std::string();
}

bool RenderPdfPage(const CString& strPdf, int nPage, int nDpi, CPicture& picture)
{
    const CString strBase = strPdf + ".page";
    char szArgs[64];
    sprintf(szArgs, "-r %d -f %d -l %d -singlefile -png ", nDpi, nPage, nPage);
    const std::string strCommand = std::string("pdftoppm ") + szArgs + "'" + UnixPath(strPdf) + "' '"
                                   + UnixPath(strBase) + "'";
    if (RunUnixCommand(strCommand) != 0)
        return false;
    const CString strPng = strBase + ".png";
    const bool bOk = picture.Load(strPng);
    ::DeleteFileA(strPng);
    return bOk;
}

std::vector<std::string> FilesStartingWith(const CString& strFolder, const CString& strPrefix)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(strFolder + "\\" + strPrefix + "*", &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if (strcmp(fd.cFileName, ".") != 0 && strcmp(fd.cFileName, "..") != 0)
            names.push_back(fd.cFileName);
    }
    while (::FindNextFileA(hFind, &fd));
    ::FindClose(hFind);
    return names;
}

void BuildTestDesign(CVarnelDoc& doc, int nPublicationType)
{
    doc.m_nPublicationType = nPublicationType;
    doc.m_nDesignWidth = 400;
    doc.m_nDesignHeight = 200;
    doc.m_clrBackgroundFront = 0xFFFFFFFF;
    doc.m_clrBackgroundBack = 0xFF00FF00;
    doc.m_nSide = 1;
    CElement* pFront = new CRectangle(CPoint(100, 50), CPoint(200, 150));
    pFront->m_nSide = 1;
    pFront->m_nFillKind = 1;
    pFront->m_clrFill = 0xFFFF0000;
    pFront->m_clrLine = 0xFFFF0000;
    pFront->m_bShadow = FALSE;
    doc.m_listElements.AddTail(pFront);
    CElement* pBack = new CRectangle(CPoint(250, 50), CPoint(350, 150));
    pBack->m_nSide = 2;
    pBack->m_nFillKind = 1;
    pBack->m_clrFill = 0xFF0000FF;
    pBack->m_clrLine = 0xFF0000FF;
    pBack->m_bShadow = FALSE;
    doc.m_listElements.AddTail(pBack);
}
