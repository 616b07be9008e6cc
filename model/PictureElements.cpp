// PictureElements.cpp - picture elements, their pixel data in files and picture loading.

#include "PictureElements.h"
#include "PictureLoad.h"
#include "ElementStream.h"

#include <objidl.h>
#include <gdiplus.h>

#include <vector>

using namespace Gdiplus;

IMPLEMENT_SERIAL(CBtImage, CElement, 0)
IMPLEMENT_SERIAL(CBkgImage, CElement, 0)

namespace
{
// A file pixel (alpha, red, green, blue in that byte order) and a 32-bit ARGB value in
// memory are the same four bytes reversed.
inline DWORD SwapPixel(DWORD v)
{
    return __builtin_bswap32(v);
}

// Rows of this many bytes at most are read or written in one call.
const UINT kChunkBytes = 1024 * 1024;

void SkipBytes(CArchive& ar, ULONGLONG nBytes)
{
    std::vector<BYTE> buf((size_t)(nBytes < kChunkBytes ? nBytes : kChunkBytes));
    while (nBytes > 0)
    {
        const UINT n = (UINT)(nBytes < buf.size() ? nBytes : buf.size());
        ar.EnsureRead(buf.data(), n);
        nBytes -= n;
    }
}

int PictureWidth(Bitmap* pBitmap)
{
    return pBitmap != NULL ? (int)pBitmap->GetWidth() : 0;
}

int PictureHeight(Bitmap* pBitmap)
{
    return pBitmap != NULL ? (int)pBitmap->GetHeight() : 0;
}

}

// Writes a picture's size and its pixels row by row, 4 bytes each; unreadable pixels are written opaque black.
void WritePictureData(CArchive& ar, Bitmap* pBitmap, int& nWidth, int& nHeight)
{
    nWidth = PictureWidth(pBitmap);
    nHeight = PictureHeight(pBitmap);
    ar << nWidth << nHeight;
    if (nWidth <= 0 || nHeight <= 0)
        return;

    std::vector<DWORD> row((size_t)nWidth);
    Rect rc(0, 0, nWidth, nHeight);
    BitmapData data;
    if (pBitmap->LockBits(&rc, ImageLockModeRead, PixelFormat32bppARGB, &data) != Ok)
    {
        // Unreadable pixels are written as opaque black.
        for (DWORD& px : row)
            px = SwapPixel(0xFF000000);
        for (int y = 0; y < nHeight; y++)
            ar.Write(row.data(), (UINT)nWidth * 4);
        return;
    }
    try
    {
        for (int y = 0; y < nHeight; y++)
        {
            const DWORD* pSrc = (const DWORD*)((const BYTE*)data.Scan0 + (INT_PTR)y * data.Stride);
            for (int x = 0; x < nWidth; x++)
                row[x] = SwapPixel(pSrc[x]);
            ar.Write(row.data(), (UINT)nWidth * 4);
        }
    }
    catch (...)
    {
        pBitmap->UnlockBits(&data);
        throw;
    }
    pBitmap->UnlockBits(&data);
}

// Reads a picture written by WritePictureData; sizes past the limits are a format error, and pixels that no
// bitmap can hold are skipped (NULL).
CPicturePtr ReadPictureData(CArchive& ar, int& nWidth, int& nHeight)
{
    int w = 0, h = 0;
    ar >> w >> h;
    if (w < 0 || h < 0 || w > MAX_PICTURE_DIMENSION || h > MAX_PICTURE_DIMENSION ||
        (LONGLONG)w * h > MAX_PICTURE_PIXELS)
        ThrowFileFormatError(ar);
    const ULONGLONG nBytes = (ULONGLONG)w * h * 4;
    ar.CheckAvailable(nBytes);
    nWidth = w;
    nHeight = h;

    CPicturePtr pBitmap;
    if (w > 0 && h > 0)
    {
        pBitmap.reset(new Bitmap(w, h, PixelFormat32bppARGB));
        if (pBitmap->GetLastStatus() != Ok)
            pBitmap.reset();
    }
    Rect rc(0, 0, w, h);
    BitmapData data;
    if (pBitmap == NULL || pBitmap->LockBits(&rc, ImageLockModeWrite, PixelFormat32bppARGB, &data) != Ok)
    {
        // No bitmap to hold the pixels: read past them.
        SkipBytes(ar, nBytes);
        return CPicturePtr();
    }
    try
    {
        for (int y = 0; y < h; y++)
        {
            DWORD* pDst = (DWORD*)((BYTE*)data.Scan0 + (INT_PTR)y * data.Stride);
            ar.EnsureRead(pDst, (UINT)w * 4);
            for (int x = 0; x < w; x++)
                pDst[x] = SwapPixel(pDst[x]);
        }
    }
    catch (...)
    {
        pBitmap->UnlockBits(&data);
        throw;
    }
    pBitmap->UnlockBits(&data);
    return pBitmap;
}

// A picture that cannot be opened, read or decoded gives NULL, never an empty picture.
Bitmap* LoadPictureFile(const CString& strPath)
{
    return LoadPictureFileChecked(strPath);
}

/////////////////////////////////////////////////////////////////////////////
// CBtImage

CBtImage::CBtImage()
    : m_nWidth(0), m_nHeight(0)
{
    m_nKind = KIND_CLIPART;
}

CBtImage::CBtImage(CPoint ptTopLeft, CPoint, CPicturePtr pBitmap, int nFitWidth, int nFitHeight)
    : m_nWidth(0), m_nHeight(0), m_pBitmap(pBitmap)
{
    m_nKind = KIND_CLIPART;
    int w = 0;
    int h = 0;
    ComputePictureFitSize(PictureWidth(m_pBitmap.get()), PictureHeight(m_pBitmap.get()),
                          nFitWidth, nFitHeight, w, h);
    SetNormalizedRect(ptTopLeft, CPoint(ptTopLeft.x + w, ptTopLeft.y + h));
    m_nLineWidth = 0;
    m_nDashStyle = 0;
    m_nAngle = 0;
    m_clrLine = 0xFF000000;
}

CBtImage::~CBtImage()
{
}

void CBtImage::Serialize(CArchive& ar)
{
    CElement::Serialize(ar);
    if (ar.IsStoring())
        WritePictureData(ar, m_pBitmap.get(), m_nWidth, m_nHeight);
    else
        m_pBitmap = ReadPictureData(ar, m_nWidth, m_nHeight);
}

CElement* CBtImage::Clone()
{
    CBtImage* pClone = new CBtImage(m_rect.TopLeft(), m_rect.BottomRight(), m_pBitmap, 850, 1100);
    CopyAttributes(pClone, this);
    pClone->m_nWidth = m_nWidth;
    pClone->m_nHeight = m_nHeight;
    return pClone;
}

/////////////////////////////////////////////////////////////////////////////
// CBkgImage

CBkgImage::CBkgImage()
{
    m_nKind = KIND_BACKGROUND;
}

CBkgImage::CBkgImage(CPicturePtr pBitmap, int nWidth, int nHeight)
    : m_pBitmap(pBitmap)
{
    m_nKind = KIND_BACKGROUND;
    m_rect.SetRect(0, 0, nWidth, nHeight);
}

CBkgImage::~CBkgImage()
{
}

void CBkgImage::Serialize(CArchive& ar)
{
    CElement::Serialize(ar);
    int nWidth = 0, nHeight = 0;
    if (ar.IsStoring())
        WritePictureData(ar, m_pBitmap.get(), nWidth, nHeight);
    else
        m_pBitmap = ReadPictureData(ar, nWidth, nHeight);
}

CElement* CBkgImage::Clone()
{
    CBkgImage* pClone = new CBkgImage(m_pBitmap, 850, 1100);
    CopyAttributes(pClone, this);
    return pClone;
}
