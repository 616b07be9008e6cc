// The demonstration program shown on a real display for a screenshot.
//
// Disabled in ordinary runs. Under Xvfb with Wine's X11 driver:
//     window_tests.exe --gtest_also_run_disabled_tests --gtest_filter=DemoScreenshot.*
// STICKWELL_SCREENSHOT names the BMP file to write (default: window_demo.bmp in the
// temporary folder); STICKWELL_DEMO_SECONDS keeps the window up that long (default 2).

#include "demo.h"
#include <gtest/gtest.h>
#include <stdlib.h>

namespace
{

// Writes the screen area of the window as a 24-bit BMP file.
BOOL SaveWindowImage(CWnd* pWnd, LPCTSTR lpszPath)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, rc.Width(), rc.Height());
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, rc.Width(), rc.Height(), hScreen, rc.left, rc.top, SRCCOPY);
    ::SelectObject(hMem, hOld);

    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = rc.Width();
    bih.biHeight = rc.Height();
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    DWORD nStride = ((DWORD)rc.Width() * 3 + 3) & ~3u;
    std::vector<BYTE> pixels(nStride * rc.Height());
    ::GetDIBits(hMem, hBitmap, 0, rc.Height(), pixels.data(), (BITMAPINFO*)&bih, DIB_RGB_COLORS);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);

    BITMAPFILEHEADER bfh = {};
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
    bfh.bfSize = bfh.bfOffBits + (DWORD)pixels.size();
    CFile file;
    if (!file.Open(lpszPath, CFile::modeCreate | CFile::modeWrite))
        return FALSE;
    file.Write(&bfh, sizeof(bfh));
    file.Write(&bih, sizeof(bih));
    file.Write(pixels.data(), (UINT)pixels.size());
    file.Close();
    return TRUE;
}

} // namespace

TEST(DemoScreenshot, DISABLED_ShowTheDemonstrationProgram)
{
    CDemoProgram program;
    ASSERT_TRUE(program.CreateMainFrame(SW_SHOWNORMAL));
    program.m_pMainFrame->SetForegroundWindow();
    CDemoChildFrame* pFirst = program.OpenChild(IDR_DEMOTYPE, "Shipping Label");
    CDemoChildFrame* pSecond = program.OpenChild(IDR_OTHERTYPE, "Name Badge");
    ASSERT_TRUE(pFirst != NULL && pSecond != NULL);
    program.m_pMainFrame->MDITile(MDITILE_VERTICAL);
    program.m_pMainFrame->MDIActivate(pFirst);
    program.m_pMainFrame->SetMessageText(ID_DEMO_SHARED);

    const char* pszSeconds = getenv("STICKWELL_DEMO_SECONDS");
    int nSeconds = pszSeconds != NULL ? atoi(pszSeconds) : 2;
    PumpFor((DWORD)(nSeconds > 0 ? nSeconds : 1) * 1000);

    CString strPath;
    const char* pszPath = getenv("STICKWELL_SCREENSHOT");
    if (pszPath != NULL && *pszPath != '\0')
        strPath = pszPath;
    else
    {
        char szTemp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        strPath = CString(szTemp) + "window_demo.bmp";
    }
    EXPECT_TRUE(SaveWindowImage(program.m_pMainFrame, strPath));
    printf("screenshot: %s\n", (LPCTSTR)strPath);
}
