// drawing_test_support.cpp - GDI+ for the whole test program and the canvases.

#include "drawing_test_support.h"

#include "Elements.h"
#include "PictureLoad.h"

#include <stdlib.h>

#include <algorithm>

using namespace Gdiplus;

namespace
{
class CGdiplusEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        GdiplusStartupInput input;
        ASSERT_EQ(Ok, GdiplusStartup(&m_token, &input, NULL));
    }
    void TearDown() override { GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

::testing::Environment* const g_gdiplusEnvironment =
    ::testing::AddGlobalTestEnvironment(new CGdiplusEnvironment);
}

int ColorDistance(DWORD a, DWORD b)
{
    int nMax = 0;
    for (int shift = 0; shift < 32; shift += 8)
    {
        const int d = abs((int)((a >> shift) & 0xFF) - (int)((b >> shift) & 0xFF));
        if (d > nMax)
            nMax = d;
    }
    return nMax;
}

/////////////////////////////////////////////////////////////////////////////
// CCanvas

CCanvas::CCanvas(int nWidth, int nHeight, DWORD clrBack)
    : m_nWidth(nWidth), m_nHeight(nHeight), m_clrBack(clrBack), m_bSnapshot(false)
{
    m_pBitmap = new Gdiplus::Bitmap(nWidth, nHeight, PixelFormat32bppARGB);
    m_pGraphics = new Graphics(m_pBitmap);
    Clear();
}

CCanvas::~CCanvas()
{
    delete m_pGraphics;
    delete m_pBitmap;
}

void CCanvas::Clear()
{
    m_pGraphics->ResetTransform();
    m_pGraphics->Clear(Color(m_clrBack));
    m_bSnapshot = false;
}

void CCanvas::Snapshot()
{
    // Every read takes the pixels as they are now: the drawing may go on between reads.
    m_pGraphics->Flush(FlushIntentionSync);
    m_pixels.assign((size_t)m_nWidth * m_nHeight, 0);
    Rect rc(0, 0, m_nWidth, m_nHeight);
    BitmapData data;
    if (m_pBitmap->LockBits(&rc, ImageLockModeRead, PixelFormat32bppARGB, &data) == Ok)
    {
        for (int y = 0; y < m_nHeight; y++)
        {
            memcpy(&m_pixels[(size_t)y * m_nWidth], (BYTE*)data.Scan0 + y * data.Stride,
                   (size_t)m_nWidth * 4);
        }
        m_pBitmap->UnlockBits(&data);
    }
}

DWORD CCanvas::At(int x, int y)
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return 0;
    Snapshot();
    return m_pixels[(size_t)y * m_nWidth + x];
}

int CCanvas::Count(int left, int top, int right, int bottom, DWORD clr, int nTolerance)
{
    Snapshot();
    int n = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, m_nHeight); y++)
    {
        for (int x = std::max(left, 0); x < std::min(right, m_nWidth); x++)
        {
            if (ColorDistance(m_pixels[(size_t)y * m_nWidth + x], clr) <= nTolerance)
                n++;
        }
    }
    return n;
}

int CCanvas::Ink(int left, int top, int right, int bottom)
{
    const int nArea = (std::min(right, m_nWidth) - std::max(left, 0)) * (std::min(bottom, m_nHeight) - std::max(top, 0));
    return nArea - Count(left, top, right, bottom, m_clrBack);
}

CRect CCanvas::InkBounds()
{
    Snapshot();
    CRect rc(m_nWidth, m_nHeight, -1, -1);
    for (int y = 0; y < m_nHeight; y++)
    {
        for (int x = 0; x < m_nWidth; x++)
        {
            if (m_pixels[(size_t)y * m_nWidth + x] != m_clrBack)
            {
                rc.left = std::min(rc.left, (LONG)x);
                rc.top = std::min(rc.top, (LONG)y);
                rc.right = std::max(rc.right, (LONG)x + 1);
                rc.bottom = std::max(rc.bottom, (LONG)y + 1);
            }
        }
    }
    if (rc.right < 0)
        rc.SetRectEmpty();
    return rc;
}

/////////////////////////////////////////////////////////////////////////////
// CDibCanvas

CDibCanvas::CDibCanvas(int nWidth, int nHeight, DWORD clrBack)
    : m_nWidth(nWidth), m_nHeight(nHeight), m_clrBack(clrBack), m_hBitmap(NULL), m_hOld(NULL),
      m_pBits(NULL)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    BITMAPINFO bi = TopDownPixelsInfo(nWidth, nHeight);
    void* pBits = NULL;
    m_hBitmap = CreateDIBSection(hDC, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
    m_pBits = (DWORD*)pBits;
    m_hOld = ::SelectObject(hDC, m_hBitmap);
    for (int i = 0; i < nWidth * nHeight; i++)
        m_pBits[i] = clrBack;
    m_dc.Attach(hDC);
}

CDibCanvas::~CDibCanvas()
{
    HDC hDC = m_dc.Detach();
    ::SelectObject(hDC, m_hOld);
    ::DeleteDC(hDC);
    DeleteObject(m_hBitmap);
}

DWORD CDibCanvas::At(int x, int y)
{
    GdiFlush();
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return 0;
    return m_pBits[(size_t)y * m_nWidth + x] | 0xFF000000;
}

int CDibCanvas::Ink()
{
    GdiFlush();
    int n = 0;
    for (int i = 0; i < m_nWidth * m_nHeight; i++)
    {
        if ((m_pBits[i] | 0xFF000000) != (m_clrBack | 0xFF000000))
            n++;
    }
    return n;
}

void CDibCanvas::SetZoom(int nDesignWidth, int nDesignHeight, float fZoom)
{
    HDC hDC = m_dc.m_hDC;
    SetMapMode(hDC, MM_ANISOTROPIC);
    SetWindowExtEx(hDC, nDesignWidth, nDesignHeight, NULL);
    SetViewportExtEx(hDC, (int)(nDesignWidth * fZoom), (int)(nDesignHeight * fZoom), NULL);
}

/////////////////////////////////////////////////////////////////////////////
// Element drawing

void DrawElement(Graphics* pGraphics, CElement* pElement)
{
    pElement->DrawGraphics(pGraphics);
}

void DrawElementInCell(Graphics* pGraphics, CElement* pElement, int nColumn, int nRow,
                       float fLeftMargin, float fTopMargin, float fRowGap, float fColumnGap,
                       int nCellWidth, int nCellHeight)
{
    // Texts draw into a cell through DrawTextInCell; their DrawInCell draws nothing.
    if (pElement->IsKindOf(RUNTIME_CLASS(CText)))
    {
        static_cast<CText*>(pElement)->DrawTextInCell(pGraphics, nColumn, nRow, fLeftMargin,
                                                      fTopMargin, fRowGap, fColumnGap,
                                                      nCellWidth, nCellHeight);
        return;
    }
    pElement->DrawInCell(pGraphics, nColumn, nRow, fLeftMargin, fTopMargin, fRowGap, fColumnGap,
                         nCellWidth, nCellHeight);
}

/////////////////////////////////////////////////////////////////////////////
// Pictures and files

std::shared_ptr<Gdiplus::Bitmap> MakePicture(int w, int h, DWORD (*pixel)(int x, int y))
{
    std::shared_ptr<Gdiplus::Bitmap> pBitmap(new Gdiplus::Bitmap(w, h, PixelFormat32bppARGB));
    Rect rc(0, 0, w, h);
    BitmapData data;
    if (pBitmap->LockBits(&rc, ImageLockModeWrite, PixelFormat32bppARGB, &data) == Ok)
    {
        for (int y = 0; y < h; y++)
        {
            DWORD* pRow = (DWORD*)((BYTE*)data.Scan0 + y * data.Stride);
            for (int x = 0; x < w; x++)
                pRow[x] = pixel(x, y);
        }
        pBitmap->UnlockBits(&data);
    }
    return pBitmap;
}

CTempPath::CTempPath(const char* pszExtension)
{
    char szDir[MAX_PATH], szFile[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    GetTempFileNameA(szDir, "drw", 0, szFile);
    DeleteFileA(szFile);
    m_strPath = szFile;
    m_strPath += pszExtension;
}

CTempPath::~CTempPath()
{
    DeleteFileA(m_strPath);
}

void CTempPath::Write(const void* pData, size_t nSize)
{
    HANDLE hFile = CreateFileA(m_strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    DWORD nWritten = 0;
    if (nSize > 0)
        WriteFile(hFile, pData, (DWORD)nSize, &nWritten, NULL);
    CloseHandle(hFile);
    ASSERT_EQ(nSize, (size_t)nWritten);
}

bool GetEncoderClsid(const WCHAR* pszMime, CLSID& clsid)
{
    UINT nCount = 0, nSize = 0;
    if (GetImageEncodersSize(&nCount, &nSize) != Ok || nSize == 0)
        return false;
    std::vector<BYTE> buf(nSize);
    ImageCodecInfo* pInfo = (ImageCodecInfo*)buf.data();
    if (GetImageEncoders(nCount, nSize, pInfo) != Ok)
        return false;
    for (UINT i = 0; i < nCount; i++)
    {
        if (wcscmp(pInfo[i].MimeType, pszMime) == 0)
        {
            clsid = pInfo[i].Clsid;
            return true;
        }
    }
    return false;
}

bool SaveBitmap(Gdiplus::Bitmap* pBitmap, const char* pszPath, const WCHAR* pszMime)
{
    CLSID clsid;
    if (!GetEncoderClsid(pszMime, clsid))
        return false;
    WCHAR szPath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, pszPath, -1, szPath, MAX_PATH);
    return pBitmap->Save(szPath, &clsid, NULL) == Ok;
}

CString ProgramFolder()
{
    char szPath[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strPath(szPath, (int)n);
    const int nSlash = strPath.ReverseFind('\\');
    return nSlash >= 0 ? strPath.Left(nSlash + 1) : CString(".\\");
}

std::vector<DWORD> ReadSelectedPixels(HDC hDC, int nWidth, int nHeight)
{
    ::GdiFlush();
    std::vector<DWORD> pixels((size_t)nWidth * nHeight);
    BITMAPINFO info = TopDownPixelsInfo(nWidth, nHeight);
    ::GetDIBits(hDC, (HBITMAP)::GetCurrentObject(hDC, OBJ_BITMAP), 0, nHeight, pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}
