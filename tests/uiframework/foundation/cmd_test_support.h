// cmd_test_support.h - registry keys, windows and pixels for the command-manager tests.

#pragma once

#include "afxwin.h"
#include <gtest/gtest.h>
#include <vector>

// A unique key HKCU\Software\StickwellTest\<name>, deleted with everything below it
// when the object goes.
class CTestRegistryKey
{
public:
    CTestRegistryKey()
    {
        static LONG s_nCounter = 0;
        m_strProduct.Format("uifoundation-%lu-%lu-%ld", (unsigned long)::GetCurrentProcessId(),
                            (unsigned long)::GetTickCount(), ::InterlockedIncrement(&s_nCounter));
        m_strCompany = "StickwellTest";
        m_strRoot.Format("Software\\%s\\%s", (LPCTSTR)m_strCompany, (LPCTSTR)m_strProduct);
    }
    ~CTestRegistryKey()
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_strRoot);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, m_strRoot);
        // the shared parent goes only when it is empty
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\StickwellTest");
    }
    CTestRegistryKey(const CTestRegistryKey&) = delete;
    CTestRegistryKey& operator=(const CTestRegistryKey&) = delete;

    // A path below the unique key.
    CString Path(LPCTSTR lpszSub) const
    {
        CString str;
        str.Format("%s\\%s", (LPCTSTR)m_strRoot, lpszSub);
        return str;
    }

    CString m_strCompany;   // "StickwellTest"
    CString m_strProduct;   // the unique part
    CString m_strRoot;      // Software\StickwellTest\<unique>
};

// Reads a value of a key below HKEY_CURRENT_USER; FALSE when it is missing.
inline bool ReadRegistryValue(LPCTSTR lpszKey, LPCTSTR lpszValue, DWORD& dwType,
                              std::vector<BYTE>& data)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, lpszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD cb = 0;
    LONG nErr = ::RegQueryValueExA(hKey, lpszValue, NULL, &dwType, NULL, &cb);
    if (nErr == ERROR_SUCCESS)
    {
        data.resize(cb);
        nErr = ::RegQueryValueExA(hKey, lpszValue, NULL, &dwType, cb ? data.data() : NULL, &cb);
        data.resize(cb);
    }
    ::RegCloseKey(hKey);
    return nErr == ERROR_SUCCESS;
}

// Writes a value of a key below HKEY_CURRENT_USER (the key must exist).
inline bool WriteRegistryValue(LPCTSTR lpszKey, LPCTSTR lpszValue, DWORD dwType,
                               const void* pData, DWORD cb)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, lpszKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return false;
    LONG nErr = ::RegSetValueExA(hKey, lpszValue, 0, dwType, (const BYTE*)pData, cb);
    ::RegCloseKey(hKey);
    return nErr == ERROR_SUCCESS;
}

inline bool DeleteRegistryValue(LPCTSTR lpszKey, LPCTSTR lpszValue)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, lpszKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return false;
    LONG nErr = ::RegDeleteValueA(hKey, lpszValue);
    ::RegCloseKey(hKey);
    return nErr == ERROR_SUCCESS;
}

inline bool RegistryKeyExists(LPCTSTR lpszKey)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, lpszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

// A plain window of a test class with DefWindowProc; destroyed with the object.
class CTestWindow
{
public:
    explicit CTestWindow(HWND hWndParent = NULL, WNDPROC pfnWndProc = NULL)
    {
        LPCSTR lpszClass = RegisterClassFor(pfnWndProc != NULL ? pfnWndProc : ::DefWindowProcA);
        DWORD dwStyle = (hWndParent != NULL) ? (WS_CHILD | WS_VISIBLE) : WS_OVERLAPPEDWINDOW;
        m_hWnd = ::CreateWindowExA(0, lpszClass, "test", dwStyle, 0, 0, 200, 100, hWndParent,
                                   NULL, ::GetModuleHandleA(NULL), NULL);
    }
    ~CTestWindow()
    {
        if (m_hWnd != NULL && ::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;

    HWND m_hWnd;

private:
    static LPCSTR RegisterClassFor(WNDPROC pfnWndProc)
    {
        static int s_nClasses = 0;
        static WNDPROC s_procs[16];
        static char s_names[16][32];
        for (int i = 0; i < s_nClasses; i++)
        {
            if (s_procs[i] == pfnWndProc)
                return s_names[i];
        }
        int n = s_nClasses++;
        s_procs[n] = pfnWndProc;
        sprintf(s_names[n], "StickwellCmdTest%d", n);
        WNDCLASSA wc;
        memset(&wc, 0, sizeof(wc));
        wc.lpfnWndProc = pfnWndProc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.lpszClassName = s_names[n];
        ::RegisterClassA(&wc);
        return s_names[n];
    }
};

// A 32-bit memory surface filled with one colour, for painting icons and reading pixels.
class CTestSurface
{
public:
    CTestSurface(int cx, int cy, COLORREF clrFill)
        : m_cx(cx), m_cy(cy)
    {
        BITMAPINFO bmi;
        memset(&bmi, 0, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = NULL;
        m_hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
        m_hDC = ::CreateCompatibleDC(NULL);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        Fill(clrFill);
    }
    ~CTestSurface()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteDC(m_hDC);
        ::DeleteObject(m_hBitmap);
    }
    CTestSurface(const CTestSurface&) = delete;
    CTestSurface& operator=(const CTestSurface&) = delete;

    void Fill(COLORREF clr)
    {
        RECT rc = { 0, 0, m_cx, m_cy };
        HBRUSH hBrush = ::CreateSolidBrush(clr);
        ::FillRect(m_hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
    }
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        return ::GetPixel(m_hDC, x, y) & 0x00FFFFFF;
    }

    int m_cx, m_cy;
    HBITMAP m_hBitmap;
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// A device-dependent bitmap of cx x cy whose pixels come from a function of (x, y).
template <class PixelFn>
HBITMAP MakeTestBitmap(int cx, int cy, PixelFn fn)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(NULL, hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    for (int y = 0; y < cy; y++)
    {
        for (int x = 0; x < cx; x++)
            ::SetPixel(hDC, x, y, fn(x, y));
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

// The colour of one pixel of a bitmap.
inline COLORREF BitmapPixel(HBITMAP hBitmap, int x, int y)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    COLORREF clr = ::GetPixel(hDC, x, y) & 0x00FFFFFF;
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return clr;
}
