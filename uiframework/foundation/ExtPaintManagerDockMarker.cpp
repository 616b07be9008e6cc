// ExtPaintManagerDockMarker.cpp - dock-marker pictures, regions and placement.
//
// The six marker pictures are 24-bit BMP files made once in memory: blue shapes on pure
// green (0x00FF00), which is the transparent colour that the window regions leave out.

#include "stdafx.h"
#include "ExtPaintManager.h"

#include <vector>

namespace
{

const COLORREF MARKER_KEY = RGB(0, 255, 0);

// Shape of a picture: 0 outside, 1 inside.
typedef bool (*InsideFn)(int x, int y);

// Up arrow, 43 x 30: a triangular head over a body that holds a window symbol.
bool InsideUp(int x, int y)
{
    if (x < 0 || y < 0 || x >= 43 || y >= 30)
        return false;
    if (y <= 14)
    {
        int nHalf = 21 * y / 14;
        return x >= 21 - nHalf && x <= 21 + nHalf;
    }
    return x >= 8 && x <= 34;
}

bool InsideDiamond(int x, int y)
{
    if (x < 0 || y < 0 || x >= 83 || y >= 83)
        return false;
    return abs(x - 41) + abs(y - 41) <= 41;
}

bool InsideCircle(int x, int y)
{
    if (x < 0 || y < 0 || x >= 33 || y >= 33)
        return false;
    return (x - 16) * (x - 16) + (y - 16) * (y - 16) <= 16 * 16;
}

struct Shape
{
    int cx, cy;
    InsideFn pfnInside;
    CRect rcWindow;     // the window symbol inside the shape (in the shape's coordinates)
};

// Pixel colour of a shape: a dark outline, a blue gradient and a window symbol.
COLORREF ShapePixel(const Shape& s, int x, int y)
{
    if (!s.pfnInside(x, y))
        return MARKER_KEY;
    if (!s.pfnInside(x - 1, y) || !s.pfnInside(x + 1, y) || !s.pfnInside(x, y - 1)
        || !s.pfnInside(x, y + 1))
        return RGB(0x10, 0x28, 0x60);
    if (s.rcWindow.PtInRect(CPoint(x, y)))
    {
        if (x == s.rcWindow.left || x == s.rcWindow.right - 1 || y == s.rcWindow.bottom - 1)
            return RGB(0x18, 0x30, 0x70);
        if (y < s.rcWindow.top + 3)
            return RGB(0x30, 0x58, 0xB0);
        return RGB(0xF0, 0xF4, 0xFC);
    }
    int r = 0x4A + (0x20 - 0x4A) * y / s.cy;
    int g = 0x7C + (0x48 - 0x7C) * y / s.cy;
    int b = 0xC8 + (0x98 - 0xC8) * y / s.cy;
    return RGB(r, g, b);
}

// A 24-bit BMP file image (bottom-up rows padded to 4 bytes) whose pixels come from a function,
// for the built-in marker pictures.
template <class PixelFn>
std::vector<BYTE> MakeBmpFile(int cx, int cy, PixelFn pixel)
{
    const DWORD dwStride = ((DWORD)cx * 3 + 3) & ~3u;
    const DWORD dwImage = dwStride * (DWORD)cy;
    std::vector<BYTE> file(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + dwImage, 0);
    BITMAPFILEHEADER* pFile = (BITMAPFILEHEADER*)file.data();
    pFile->bfType = 0x4D42;
    pFile->bfSize = (DWORD)file.size();
    pFile->bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPINFOHEADER* pInfo = (BITMAPINFOHEADER*)(file.data() + sizeof(BITMAPFILEHEADER));
    pInfo->biSize = sizeof(BITMAPINFOHEADER);
    pInfo->biWidth = cx;
    pInfo->biHeight = cy;
    pInfo->biPlanes = 1;
    pInfo->biBitCount = 24;
    pInfo->biCompression = BI_RGB;
    pInfo->biSizeImage = dwImage;
    pInfo->biXPelsPerMeter = pInfo->biYPelsPerMeter = 3780;
    BYTE* pBits = file.data() + pFile->bfOffBits;
    for (int y = 0; y < cy; y++)
    {
        BYTE* pRow = pBits + (size_t)(cy - 1 - y) * dwStride;
        for (int x = 0; x < cx; x++)
        {
            COLORREF clr = pixel(x, y);
            pRow[x * 3] = GetBValue(clr);
            pRow[x * 3 + 1] = GetGValue(clr);
            pRow[x * 3 + 2] = GetRValue(clr);
        }
    }
    return file;
}

// The BMP file image of a marker type's picture, made once.
const std::vector<BYTE>& PictureFile(int nMarkerType)
{
    static const Shape s_up = { 43, 30, InsideUp, CRect(13, 16, 30, 28) };
    static const Shape s_diamond = { 83, 83, InsideDiamond, CRect(29, 31, 54, 52) };
    static const Shape s_circle = { 33, 33, InsideCircle, CRect(9, 10, 24, 23) };
    static const std::vector<BYTE> s_files[6] = {
        MakeBmpFile(43, 30, [](int x, int y) { return ShapePixel(s_up, x, y); }),
        MakeBmpFile(43, 30, [](int x, int y) { return ShapePixel(s_up, x, 29 - y); }),
        MakeBmpFile(30, 43, [](int x, int y) { return ShapePixel(s_up, y, x); }),
        MakeBmpFile(30, 43, [](int x, int y) { return ShapePixel(s_up, y, 29 - x); }),
        MakeBmpFile(83, 83, [](int x, int y) { return ShapePixel(s_diamond, x, y); }),
        MakeBmpFile(33, 33, [](int x, int y) { return ShapePixel(s_circle, x, y); }),
    };
    return s_files[nMarkerType == 8 ? 5 : nMarkerType];
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CExtPaintManager::DockMarker

CExtPaintManager::DockMarker::DockMarker(int nMarkerType, const RECT* pRect)
    : m_eMarkerType(-1), m_size(0, 0), m_rcScreen(0, 0, 0, 0)
{
    if (nMarkerType != -1)
        Build(nMarkerType, pRect != NULL ? CRect(*pRect) : CRect(0, 0, 0, 0));
}

CExtPaintManager::DockMarker::~DockMarker()
{
    Clear();
}

const BYTE* CExtPaintManager::DockMarker::GetPictureData(int nMarkerType, UINT* pnSize)
{
    if (pnSize != NULL)
        *pnSize = 0;
    if (!((nMarkerType >= 0 && nMarkerType <= 4) || nMarkerType == 8))
        return NULL;
    const std::vector<BYTE>& file = PictureFile(nMarkerType);
    if (pnSize != NULL)
        *pnSize = (UINT)file.size();
    return file.data();
}

void CExtPaintManager::DockMarker::Clear()
{
    m_bmpNormal.DeleteObject();
    m_bmpHot.DeleteObject();
    m_rgn.DeleteObject();
    m_eMarkerType = -1;
    m_size = CSize(0, 0);
    m_rcScreen.SetRectEmpty();
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
        delete m_arrChildren[i];
    m_arrChildren.RemoveAll();
}

// The leaf's rectangle inside rc by its type.
void CExtPaintManager::DockMarker::PlaceLeaf(const RECT& rcIn)
{
    CRect rc(rcIn);
    const int w = m_size.cx, h = m_size.cy;
    int left = rc.left, top = rc.top;
    switch (m_eMarkerType)
    {
    case 0:
        left = rc.left + (rc.Width() - w) / 2;
        top = rc.top;
        break;
    case 1:
        left = rc.left + (rc.Width() - w) / 2;
        top = rc.bottom - h;
        break;
    case 2:
        left = rc.left;
        top = rc.top + (rc.Height() - h) / 2;
        break;
    case 3:
        left = rc.right - w;
        top = rc.top + (rc.Height() - h) / 2;
        break;
    default:
        left = rc.left + (rc.Width() - w) / 2;
        top = rc.top + (rc.Height() - h) / 2;
        break;
    }
    m_rcScreen.SetRect(left, top, left + w, top + h);
}

// Builds a single marker (arrow or centre) with its normal and hot pictures at a place.
bool CExtPaintManager::DockMarker::BuildLeaf(int nMarkerType, const RECT& rc)
{
    UINT nSize = 0;
    const BYTE* pData = GetPictureData(nMarkerType, &nSize);
    if (pData == NULL)
        return false;
    HBITMAP hNormal = LoadBitmapFromMemory(pData, nSize);
    if (hNormal == NULL)
        return false;
    HBITMAP hHot = LoadBitmapFromMemory(pData, nSize);
    if (hHot == NULL)
    {
        ::DeleteObject(hNormal);
        return false;
    }
    BITMAP bmNormal, bmHot;
    if (::GetObject(hNormal, sizeof(bmNormal), &bmNormal) != sizeof(bmNormal)
        || ::GetObject(hHot, sizeof(bmHot), &bmHot) != sizeof(bmHot)
        || bmNormal.bmWidth != bmHot.bmWidth || bmNormal.bmHeight != bmHot.bmHeight)
    {
        ::DeleteObject(hNormal);
        ::DeleteObject(hHot);
        return false;
    }
    HRGN hRgn = CreateRegionFromBitmap(hNormal, MARKER_KEY, 0);
    if (hRgn == NULL)
    {
        ::DeleteObject(hNormal);
        ::DeleteObject(hHot);
        return false;
    }
    m_size = CSize(bmNormal.bmWidth, bmNormal.bmHeight);
    m_bmpNormal.Attach(hNormal);
    m_bmpHot.Attach(hHot);
    m_rgn.Attach(hRgn);
    m_eMarkerType = nMarkerType;
    PlaceLeaf(rc);
    CExtPaintManager* pPM = g_CurrentPaintManager.GetPaintManager();
    if (pPM != NULL)
        pPM->AdjustIconLightness(nMarkerType, &m_bmpNormal, MARKER_KEY, &m_bmpHot, MARKER_KEY);
    return true;
}

// The four edge markers (types 0-3) as children.
bool CExtPaintManager::DockMarker::BuildEdges(const RECT& rc)
{
    for (int nType = 0; nType < 4; nType++)
    {
        DockMarker* pChild = new DockMarker;
        if (!pChild->Build(nType, rc))
        {
            delete pChild;
            return false;
        }
        m_arrChildren.Add(pChild);
    }
    return true;
}

// Builds a marker of a type: a single arrow, the outer edges, or the cross with or without centre.
bool CExtPaintManager::DockMarker::Build(int nMarkerType, const RECT& rcIn)
{
    Clear();
    CRect rc(rcIn);
    switch (nMarkerType)
    {
    case -1:
        return true;
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 8:
        return BuildLeaf(nMarkerType, rc);
    case 5:
        if (!BuildEdges(rc))
        {
            Clear();
            return false;
        }
        m_eMarkerType = 5;
        return true;
    case 6:
    case 7:
    {
        if (!BuildEdges(rc))
        {
            Clear();
            return false;
        }
        DockMarker* pCross = new DockMarker;
        if (!pCross->Build(4, rc))
        {
            delete pCross;
            Clear();
            return false;
        }
        const int cw = pCross->m_size.cx, ch = pCross->m_size.cy;
        CRect rcSmall(rc.left, rc.top, rc.left + cw + 12, rc.top + ch + 12);
        rcSmall.OffsetRect((rc.Width() - cw - 12) / 2, (rc.Height() - ch - 12) / 2);
        for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
            m_arrChildren[i]->PlaceLeaf(rcSmall);
        m_arrChildren.InsertAt(0, pCross);
        if (nMarkerType == 7)
        {
            DockMarker* pCentre = new DockMarker;
            if (!pCentre->Build(8, rc))
            {
                delete pCentre;
                Clear();
                return false;
            }
            m_arrChildren.Add(pCentre);
        }
        m_eMarkerType = nMarkerType;
        return true;
    }
    default:
        return false;
    }
}

// Hands every leaf's pictures and region to a new marker window, depth first.
bool CExtPaintManager::DockMarker::CreateWindows(HWND hWndValue, CPtrArray* pArrWindows)
{
    if (pArrWindows == NULL)
        return false;
    bool bResult = true;
    if (m_bmpNormal.GetSafeHandle() != NULL)
    {
        const int nType = m_eMarkerType;
        const CRect rcScreen(m_rcScreen);
        HBITMAP hNormal = (HBITMAP)m_bmpNormal.Detach();
        HBITMAP hHot = (HBITMAP)m_bmpHot.Detach();
        HRGN hRgn = (HRGN)m_rgn.Detach();
        Clear();
        CExtDynDockMarkerWnd* pWnd = NULL;
        if (g_BarLinks.m_pfnCreateDockMarkerWnd != NULL)
            pWnd = g_BarLinks.m_pfnCreateDockMarkerWnd(hWndValue, nType, hNormal, hHot, hRgn,
                                                       rcScreen);
        else
        {
            ::DeleteObject(hNormal);
            ::DeleteObject(hHot);
            ::DeleteObject(hRgn);
        }
        if (pWnd == NULL)
            return false;
        pArrWindows->Add(pWnd);
        return true;
    }
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
        if (!m_arrChildren[i]->CreateWindows(hWndValue, pArrWindows))
            bResult = false;
    return bResult;
}
