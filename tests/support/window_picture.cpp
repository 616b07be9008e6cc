// window_picture.cpp - a window's screen rectangle saved as a BMP file.
#include "window_picture.h"

#include <cstdio>

bool SaveWindowPicture(HWND hWnd, const char* lpszPath)
{
    RECT r;
    ::GetWindowRect(hWnd, &r);
    const int cx = r.right - r.left, cy = r.bottom - r.top;
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    BITMAPINFO bmi;
    ::ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* pBits = NULL;
    HBITMAP hBmp = ::CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    bool bOk = false;
    if (hBmp != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hMem, hBmp);
        ::BitBlt(hMem, 0, 0, cx, cy, hScreen, r.left, r.top, SRCCOPY);
        ::SelectObject(hMem, hOld);
        int nStride = ((cx * 3 + 3) / 4) * 4;
        DWORD cbImage = (DWORD)nStride * cy;
        BITMAPFILEHEADER bfh;
        ::ZeroMemory(&bfh, sizeof(bfh));
        bfh.bfType = 0x4D42;
        bfh.bfOffBits = sizeof(bfh) + sizeof(BITMAPINFOHEADER);
        bfh.bfSize = bfh.bfOffBits + cbImage;
        FILE* f = fopen(lpszPath, "wb");
        if (f != NULL)
        {
            bOk = fwrite(&bfh, sizeof(bfh), 1, f) == 1 &&
                  fwrite(&bmi.bmiHeader, sizeof(BITMAPINFOHEADER), 1, f) == 1 &&
                  fwrite(pBits, 1, cbImage, f) == cbImage;
            fclose(f);
        }
        ::DeleteObject(hBmp);
    }
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    return bOk;
}

std::vector<COLORREF> CaptureClientPixels(HWND hWnd, int* pnWidth)
{
    std::vector<COLORREF> pixels;
    RECT rect;
    if (!::GetClientRect(hWnd, &rect) || rect.right <= 0 || rect.bottom <= 0)
        return pixels;
    *pnWidth = rect.right;
    HDC hDC = ::GetDC(hWnd);
    HDC hMem = ::CreateCompatibleDC(hDC);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = rect.right;
    info.bmiHeader.biHeight = -rect.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(hDC, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        ::BitBlt(hMem, 0, 0, rect.right, rect.bottom, hDC, 0, 0, SRCCOPY);
        ::GdiFlush();
        const COLORREF* p = (const COLORREF*)pBits;
        pixels.assign(p, p + (size_t)rect.right * rect.bottom);
        ::SelectObject(hMem, hOld);
        ::DeleteObject(hBitmap);
    }
    ::DeleteDC(hMem);
    ::ReleaseDC(hWnd, hDC);
    return pixels;
}
