// test_paint_support.h - pixel canvases and paint managers for the drawing tests.

#pragma once

#include "stdafx.h"
#include "ExtPaintManager.h"
#include "ExtMemoryDC.h"

#include <gtest/gtest.h>

#include <memory>

// A DIB section (top-down) selected into a memory DC, filled with a background colour.
class CPixelCanvas
{
public:
    CPixelCanvas(int cx, int cy, COLORREF clrBack = RGB(255, 255, 255), int nBits = 32)
        : m_cx(cx), m_cy(cy), m_nBits(nBits), m_hBitmap(NULL), m_hOld(NULL), m_pBits(NULL)
    {
        struct
        {
            BITMAPINFOHEADER bih;
            RGBQUAD colors[256];
        } bi;
        ::ZeroMemory(&bi, sizeof(bi));
        bi.bih.biSize = sizeof(BITMAPINFOHEADER);
        bi.bih.biWidth = cx;
        bi.bih.biHeight = -cy;
        bi.bih.biPlanes = 1;
        bi.bih.biBitCount = (WORD)nBits;
        bi.bih.biCompression = BI_RGB;
        if (nBits <= 8)
        {
            // 6 x 6 x 6 colour cube plus greys and the system colours' exact values.
            int n = 0;
            for (int r = 0; r < 6; r++)
                for (int g = 0; g < 6; g++)
                    for (int b = 0; b < 6; b++, n++)
                    {
                        bi.colors[n].rgbRed = (BYTE)(r * 51);
                        bi.colors[n].rgbGreen = (BYTE)(g * 51);
                        bi.colors[n].rgbBlue = (BYTE)(b * 51);
                    }
            for (int i = 0; i < 31 && n < 256; i++, n++)
            {
                COLORREF clr = ::GetSysColor(i);
                bi.colors[n].rgbRed = GetRValue(clr);
                bi.colors[n].rgbGreen = GetGValue(clr);
                bi.colors[n].rgbBlue = GetBValue(clr);
            }
            bi.bih.biClrUsed = 256;
        }
        HDC hDC = ::CreateCompatibleDC(NULL);
        m_hBitmap = ::CreateDIBSection(hDC, (BITMAPINFO*)&bi, DIB_RGB_COLORS, (void**)&m_pBits,
                                       NULL, 0);
        m_dc.Attach(hDC);
        m_hOld = ::SelectObject(hDC, m_hBitmap);
        Fill(clrBack);
    }
    ~CPixelCanvas()
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_hOld);
        ::DeleteObject(m_hBitmap);
    }
    CPixelCanvas(const CPixelCanvas&) = delete;
    CPixelCanvas& operator=(const CPixelCanvas&) = delete;

    CDC& DC() { return m_dc; }
    HBITMAP Bitmap() const { return m_hBitmap; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

    void Fill(COLORREF clr)
    {
        m_dc.FillSolidRect(0, 0, m_cx, m_cy, clr);
    }

    COLORREF At(int x, int y)
    {
        ::GdiFlush();
        if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
            return CLR_INVALID;
        if (m_nBits == 32)
        {
            DWORD px = ((const DWORD*)m_pBits)[(size_t)y * m_cx + x];
            return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
        }
        return ::GetPixel(m_dc.GetSafeHdc(), x, y);
    }

    // Pixels of exactly that colour in the rectangle (right and bottom exclusive).
    int Count(const RECT& rc, COLORREF clr)
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; y++)
            for (int x = rc.left; x < rc.right; x++)
                if (At(x, y) == clr)
                    n++;
        return n;
    }
    int Count(COLORREF clr) { return Count(CRect(0, 0, m_cx, m_cy), clr); }

    // Pixels in the rectangle that differ from the colour.
    int CountOther(const RECT& rc, COLORREF clr)
    {
        CRect r(rc);
        return r.Width() * r.Height() - Count(rc, clr);
    }

    // Bounding box of the pixels that differ from clrBack (empty when none).
    CRect InkBounds(COLORREF clrBack)
    {
        CRect rc(m_cx, m_cy, 0, 0);
        for (int y = 0; y < m_cy; y++)
            for (int x = 0; x < m_cx; x++)
                if (At(x, y) != clrBack)
                {
                    rc.left = x < rc.left ? x : rc.left;
                    rc.top = y < rc.top ? y : rc.top;
                    rc.right = x + 1 > rc.right ? x + 1 : rc.right;
                    rc.bottom = y + 1 > rc.bottom ? y + 1 : rc.bottom;
                }
        if (rc.left > rc.right)
            rc.SetRectEmpty();
        return rc;
    }

    // Whether every pixel of the rectangle has the colour.
    bool AllOf(const RECT& rc, COLORREF clr)
    {
        return CountOther(rc, clr) == 0;
    }

private:
    CDC m_dc;
    int m_cx, m_cy, m_nBits;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    BYTE* m_pBits;
};

// A manager of either look, ready to draw (as the holder's install step leaves it).
inline std::unique_ptr<CExtPaintManager> MakePaintManager(bool bXP)
{
    std::unique_ptr<CExtPaintManager> pPM(bXP ? new CExtPaintManagerXP : new CExtPaintManager);
    pPM->SyncSysColorsAndFonts();
    pPM->InitLogicalColors();
    pPM->InitHalftoneBrushes();
    return pPM;
}

// Sets the screen depth the managers see for the lifetime of the object.
class CForcedScreenDepth
{
public:
    explicit CForcedScreenDepth(int nBits)
        : m_nOld(CExtPaintManager::g_nForcedScreenColorDepth)
    {
        CExtPaintManager::g_nForcedScreenColorDepth = nBits;
    }
    ~CForcedScreenDepth() { CExtPaintManager::g_nForcedScreenColorDepth = m_nOld; }

private:
    int m_nOld;
};

// Cells of a glyph with colour index n.
inline int GlyphCells(const CExtPaintManager::GlyphMatrix_t& glyph, UINT nIndex = 1)
{
    int n = 0;
    for (int y = 0; y < glyph.m_nHeight; y++)
        for (int x = 0; x < glyph.m_nWidth; x++)
            if (glyph.GetColorIndexAt(x, y) == nIndex)
                n++;
    return n;
}

// Installs a manager of the look for the lifetime of the object and then a fresh XP one.
class CInstalledLook
{
public:
    explicit CInstalledLook(bool bXP)
    {
        g_CurrentPaintManager.InstallPaintManager(bXP ? (CExtPaintManager*)new CExtPaintManagerXP
                                                      : new CExtPaintManager);
    }
    ~CInstalledLook() { g_CurrentPaintManager.InstallPaintManager(NULL); }
};
