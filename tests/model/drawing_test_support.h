// drawing_test_support.h - canvases, pixel probes and element drawing of the drawing tests.

#pragma once

#include "afx.h"
#include "afxwin.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class CElement;

const DWORD WHITE = 0xFFFFFFFF;
const DWORD BLACK = 0xFF000000;
const DWORD RED = 0xFFFF0000;
const DWORD GREEN = 0xFF00FF00;
const DWORD BLUE = 0xFF0000FF;
const DWORD YELLOW = 0xFFFFFF00;
const DWORD GREY = 0xFF808080;

// Largest difference of the red, green, blue and alpha bytes of two ARGB values.
int ColorDistance(DWORD a, DWORD b);

// A 32-bit ARGB bitmap filled with a background colour, with a GDI+ graphics on it.
class CCanvas
{
public:
    CCanvas(int nWidth, int nHeight, DWORD clrBack = WHITE);
    ~CCanvas();

    Gdiplus::Graphics* G() { return m_pGraphics; }
    Gdiplus::Bitmap* Bitmap() { return m_pBitmap; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    // Pixel after the drawing so far.
    DWORD At(int x, int y);
    // Pixels within tolerance of a colour in the rectangle (right and bottom exclusive).
    int Count(int left, int top, int right, int bottom, DWORD clr, int nTolerance = 0);
    int Count(DWORD clr, int nTolerance = 0) { return Count(0, 0, m_nWidth, m_nHeight, clr, nTolerance); }
    // Pixels that differ from the background in the rectangle.
    int Ink(int left, int top, int right, int bottom);
    int Ink() { return Ink(0, 0, m_nWidth, m_nHeight); }
    // Bounding box of the pixels that differ from the background (empty when none).
    CRect InkBounds();
    void Clear();

private:
    void Snapshot();

    int m_nWidth;
    int m_nHeight;
    DWORD m_clrBack;
    Gdiplus::Bitmap* m_pBitmap;
    Gdiplus::Graphics* m_pGraphics;
    std::vector<DWORD> m_pixels;
    bool m_bSnapshot;
};

// A 32-bit DIB section selected into a memory DC attached to a CDC.
class CDibCanvas
{
public:
    CDibCanvas(int nWidth, int nHeight, DWORD clrBack = WHITE);
    ~CDibCanvas();

    CDC* DC() { return &m_dc; }
    // Pixel as ARGB with alpha forced to 255 (GDI leaves the alpha byte alone).
    DWORD At(int x, int y);
    int Ink();
    // Maps hundredths of an inch to pixels as the design view does at a zoom factor.
    void SetZoom(int nDesignWidth, int nDesignHeight, float fZoom);

private:
    int m_nWidth;
    int m_nHeight;
    DWORD m_clrBack;
    CDC m_dc;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    DWORD* m_pBits;
};

// The pixels of the bitmap selected into a device context, row by row (BGRA as GDI keeps them).
std::vector<DWORD> ReadSelectedPixels(HDC hDC, int nWidth, int nHeight);

// Draws an element where it lies (DrawGraphics).
void DrawElement(Gdiplus::Graphics* pGraphics, CElement* pElement);
// Draws an element into a cell (DrawInCell).
void DrawElementInCell(Gdiplus::Graphics* pGraphics, CElement* pElement, int nColumn, int nRow,
                       float fLeftMargin, float fTopMargin, float fRowGap, float fColumnGap,
                       int nCellWidth, int nCellHeight);

// A picture of w x h pixels, each pixel given by a function of (x, y).
std::shared_ptr<Gdiplus::Bitmap> MakePicture(int w, int h, DWORD (*pixel)(int x, int y));

// A temporary file path inside Wine, deleted by the destructor.
class CTempPath
{
public:
    explicit CTempPath(const char* pszExtension);
    ~CTempPath();
    const CString& Path() const { return m_strPath; }
    void Write(const void* pData, size_t nSize);

private:
    CString m_strPath;
};

// CLSID of the GDI+ encoder of a MIME type.
bool GetEncoderClsid(const WCHAR* pszMime, CLSID& clsid);
// Saves a bitmap with the encoder of a MIME type.
bool SaveBitmap(Gdiplus::Bitmap* pBitmap, const char* pszPath, const WCHAR* pszMime);
// Folder of the running test program, with a trailing backslash.
CString ProgramFolder();
