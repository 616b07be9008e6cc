// PictureLoad.cpp - picture file decoding and metafile playback.

#include "PictureLoad.h"
#include "ElementStream.h"
#include "FileLimits.h"

#include <string.h>

#include <vector>

using namespace Gdiplus;

namespace
{
// Picture files above this size are not read.
const ULONGLONG kMaxPictureFileBytes = MAX_PICTURE_FILE_BYTES;

const DWORD kPlaceableKey = 0x9AC6CDD7;
const size_t kPlaceableHeaderBytes = 22;
const WORD kMetaSetWindowExt = 0x020C;

inline WORD ReadWord(const BYTE* p)
{
    return (WORD)(p[0] | (p[1] << 8));
}

inline DWORD ReadDword(const BYTE* p)
{
    return (DWORD)ReadWord(p) | ((DWORD)ReadWord(p + 2) << 16);
}

bool FitsFileLimits(UINT w, UINT h)
{
    return w > 0 && h > 0 && w <= (UINT)MAX_PICTURE_DIMENSION && h <= (UINT)MAX_PICTURE_DIMENSION &&
           (LONGLONG)w * h <= MAX_PICTURE_PIXELS;
}

// A 32-bit ARGB copy of a decoded picture.
Bitmap* CopyToArgb(Bitmap* pSource)
{
    const UINT w = pSource->GetWidth();
    const UINT h = pSource->GetHeight();
    Bitmap* pCopy = new Bitmap((INT)w, (INT)h, PixelFormat32bppARGB);
    Rect rc(0, 0, (INT)w, (INT)h);
    BitmapData src, dst;
    bool bCopied = false;
    if (pCopy->GetLastStatus() == Ok &&
        pSource->LockBits(&rc, ImageLockModeRead, PixelFormat32bppARGB, &src) == Ok)
    {
        if (pCopy->LockBits(&rc, ImageLockModeWrite, PixelFormat32bppARGB, &dst) == Ok)
        {
            for (UINT y = 0; y < h; y++)
            {
                memcpy((BYTE*)dst.Scan0 + (INT_PTR)y * dst.Stride,
                       (const BYTE*)src.Scan0 + (INT_PTR)y * src.Stride, (size_t)w * 4);
            }
            pCopy->UnlockBits(&dst);
            bCopied = true;
        }
        pSource->UnlockBits(&src);
    }
    if (!bCopied)
    {
        delete pCopy;
        return NULL;
    }
    return pCopy;
}

// A white-filled or black-filled surface with the metafile played into it.
bool PlayOn(CDibSurface& surface, HENHMETAFILE hEmf, int w, int h, BYTE nBackground)
{
    if (!surface.Create(w, h))
        return false;
    memset(surface.m_pBits, nBackground, (size_t)w * h * 4);
    RECT rc = { 0, 0, w, h };
    PlayEnhMetaFile(surface.m_hDC, hEmf, &rc);
    GdiFlush();
    return true;
}

// Plays the metafile twice, on white and on black: what differs is (partly) transparent.
Bitmap* RenderEnhMetafile(HENHMETAFILE hEmf, int w, int h)
{
    CDibSurface onWhite, onBlack;
    if (!PlayOn(onWhite, hEmf, w, h, 0xFF) || !PlayOn(onBlack, hEmf, w, h, 0x00))
        return NULL;

    Bitmap* pBitmap = new Bitmap(w, h, PixelFormat32bppARGB);
    Rect rc(0, 0, w, h);
    BitmapData data;
    if (pBitmap->GetLastStatus() != Ok ||
        pBitmap->LockBits(&rc, ImageLockModeWrite, PixelFormat32bppARGB, &data) != Ok)
    {
        delete pBitmap;
        return NULL;
    }
    for (int y = 0; y < h; y++)
    {
        DWORD* pDst = (DWORD*)((BYTE*)data.Scan0 + (INT_PTR)y * data.Stride);
        const DWORD* pW = onWhite.m_pBits + (size_t)y * w;
        const DWORD* pB = onBlack.m_pBits + (size_t)y * w;
        for (int x = 0; x < w; x++)
        {
            int nDiff = 0;
            for (int shift = 0; shift < 24; shift += 8)
            {
                const int d = (int)((pW[x] >> shift) & 0xFF) - (int)((pB[x] >> shift) & 0xFF);
                if (d > nDiff)
                    nDiff = d;
            }
            const int a = 255 - nDiff;
            DWORD px = 0;
            if (a > 0)
            {
                px = (DWORD)a << 24;
                for (int shift = 0; shift < 24; shift += 8)
                {
                    int c = (int)((pB[x] >> shift) & 0xFF) * 255 / a;
                    px |= (DWORD)(c > 255 ? 255 : c) << shift;
                }
            }
            pDst[x] = px;
        }
    }
    pBitmap->UnlockBits(&data);
    return pBitmap;
}

// Pixel size of a picture of the given extent, kept within the playback limit.
void LimitSize(double fWidth, double fHeight, int& w, int& h)
{
    if (fWidth < 1)
        fWidth = 1;
    if (fHeight < 1)
        fHeight = 1;
    const double fLarger = fWidth > fHeight ? fWidth : fHeight;
    if (fLarger > MAX_METAFILE_PIXELS)
    {
        fWidth = fWidth * MAX_METAFILE_PIXELS / fLarger;
        fHeight = fHeight * MAX_METAFILE_PIXELS / fLarger;
    }
    w = fWidth < 1 ? 1 : (int)(fWidth + 0.5);
    h = fHeight < 1 ? 1 : (int)(fHeight + 0.5);
}

bool IsEnhMetafile(const BYTE* p, size_t n)
{
    return n >= sizeof(ENHMETAHEADER) && ReadDword(p) == EMR_HEADER &&
           ReadDword(p + offsetof(ENHMETAHEADER, dSignature)) == ENHMETA_SIGNATURE;
}

bool IsWindowsMetafile(const BYTE* p, size_t n)
{
    // METAHEADER: type 1 or 2, header size 9 words, version 0x100 or 0x300.
    return n >= 18 && (ReadWord(p) == 1 || ReadWord(p) == 2) && ReadWord(p + 2) == 9 &&
           (ReadWord(p + 4) == 0x100 || ReadWord(p + 4) == 0x300);
}

// Window extent set by a plain metafile's records (0 x 0 when none).
void FindWindowExtent(const BYTE* p, size_t n, int& cx, int& cy)
{
    cx = cy = 0;
    size_t pos = 18;
    while (pos + 6 <= n)
    {
        const DWORD nWords = ReadDword(p + pos);
        const WORD nFunction = ReadWord(p + pos + 4);
        if (nWords < 3 || nFunction == 0)
            break;
        if (nFunction == kMetaSetWindowExt && nWords >= 5 && pos + 10 <= n)
        {
            cy = abs((short)ReadWord(p + pos + 6));
            cx = abs((short)ReadWord(p + pos + 8));
            return;
        }
        if (nWords > (n - pos) / 2)
            break;
        pos += (size_t)nWords * 2;
    }
}

// Plays a plain WMF of w x h pixels.
Bitmap* RenderWindowsMetafile(const BYTE* p, size_t n, int w, int h)
{
    METAFILEPICT mfp;
    mfp.mm = MM_ANISOTROPIC;
    mfp.xExt = MulDiv(w, 2540, 96);
    mfp.yExt = MulDiv(h, 2540, 96);
    mfp.hMF = NULL;
    HENHMETAFILE hEmf = SetWinMetaFileBits((UINT)n, p, NULL, &mfp);
    if (hEmf == NULL)
        return NULL;
    Bitmap* pBitmap = RenderEnhMetafile(hEmf, w, h);
    DeleteEnhMetaFile(hEmf);
    return pBitmap;
}
}

// Draws an enhanced, placeable or plain Windows metafile into a bitmap at its own size (limited); NULL for
// anything else.
Bitmap* RenderMetafileData(const void* pData, size_t nSize)
{
    const BYTE* p = (const BYTE*)pData;
    if (p == NULL || nSize > 0x7FFFFFFF)
        return NULL;

    if (IsEnhMetafile(p, nSize))
    {
        HENHMETAFILE hEmf = SetEnhMetaFileBits((UINT)nSize, p);
        if (hEmf == NULL)
            return NULL;
        ENHMETAHEADER hdr;
        Bitmap* pBitmap = NULL;
        if (GetEnhMetaFileHeader(hEmf, sizeof(hdr), &hdr) != 0)
        {
            // The frame is in hundredths of a millimetre; the bounds serve when it is empty.
            double fWidth = (hdr.rclFrame.right - hdr.rclFrame.left) * 96.0 / 2540.0;
            double fHeight = (hdr.rclFrame.bottom - hdr.rclFrame.top) * 96.0 / 2540.0;
            if (fWidth < 1 || fHeight < 1)
            {
                fWidth = hdr.rclBounds.right - hdr.rclBounds.left + 1;
                fHeight = hdr.rclBounds.bottom - hdr.rclBounds.top + 1;
            }
            int w = 0, h = 0;
            LimitSize(fWidth, fHeight, w, h);
            pBitmap = RenderEnhMetafile(hEmf, w, h);
        }
        DeleteEnhMetaFile(hEmf);
        return pBitmap;
    }

    if (nSize >= kPlaceableHeaderBytes && ReadDword(p) == kPlaceableKey)
    {
        const int nLeft = (short)ReadWord(p + 6);
        const int nTop = (short)ReadWord(p + 8);
        const int nRight = (short)ReadWord(p + 10);
        const int nBottom = (short)ReadWord(p + 12);
        int nInch = ReadWord(p + 14);
        if (nInch == 0)
            nInch = 1440;
        const BYTE* pBody = p + kPlaceableHeaderBytes;
        const size_t nBody = nSize - kPlaceableHeaderBytes;
        if (!IsWindowsMetafile(pBody, nBody))
            return NULL;
        int w = 0, h = 0;
        LimitSize(abs(nRight - nLeft) * 96.0 / nInch, abs(nBottom - nTop) * 96.0 / nInch, w, h);
        return RenderWindowsMetafile(pBody, nBody, w, h);
    }

    if (IsWindowsMetafile(p, nSize))
    {
        // No physical size: the window extent counts as pixels.
        int cx = 0, cy = 0;
        FindWindowExtent(p, nSize, cx, cy);
        if (cx == 0 || cy == 0)
            cx = cy = 256;
        int w = 0, h = 0;
        LimitSize(cx, cy, w, h);
        return RenderWindowsMetafile(p, nSize, w, h);
    }
    return NULL;
}

// Decodes picture bytes in any format the imaging library knows, else as a metafile; a picture over the
// limits is refused with its size in *pRefusedSize.
Bitmap* DecodePictureData(const void* pData, size_t nSize, PictureSize* pRefusedSize)
{
    if (pRefusedSize != NULL)
        *pRefusedSize = PictureSize{ 0, 0 };
    if (pData == NULL || nSize == 0 || nSize > kMaxPictureFileBytes)
        return NULL;

    Bitmap* pResult = NULL;
    HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE, nSize);
    if (hMem == NULL)
        return NULL;
    void* pMem = GlobalLock(hMem);
    if (pMem == NULL)
    {
        GlobalFree(hMem);
        return NULL;
    }
    memcpy(pMem, pData, nSize);
    GlobalUnlock(hMem);

    IStream* pStream = NULL;
    if (CreateStreamOnHGlobal(hMem, TRUE, &pStream) != S_OK)
    {
        GlobalFree(hMem);
        return NULL;
    }
    Bitmap* pDecoded = Bitmap::FromStream(pStream);
    bool bTooLarge = false;
    if (pDecoded != NULL && pDecoded->GetLastStatus() == Ok)
    {
        if (FitsFileLimits(pDecoded->GetWidth(), pDecoded->GetHeight()))
            pResult = CopyToArgb(pDecoded);
        else if (pDecoded->GetWidth() > 0 && pDecoded->GetHeight() > 0)
        {
            bTooLarge = true;
            if (pRefusedSize != NULL)
                *pRefusedSize = PictureSize{ pDecoded->GetWidth(), pDecoded->GetHeight() };
        }
    }
    delete pDecoded;
    pStream->Release();

    if (pResult == NULL && !bTooLarge)
        pResult = RenderMetafileData(pData, nSize);
    if (pResult != NULL && !FitsFileLimits(pResult->GetWidth(), pResult->GetHeight()))
    {
        delete pResult;
        pResult = NULL;
    }
    return pResult;
}

// Reads and decodes a picture file whole; NULL when it cannot be read, is empty, too large or no picture.
Bitmap* LoadPictureFileChecked(LPCSTR pszPath, PictureSize* pRefusedSize)
{
    if (pRefusedSize != NULL)
        *pRefusedSize = PictureSize{ 0, 0 };
    if (pszPath == NULL || *pszPath == '\0')
        return NULL;
    HANDLE hFile = CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return NULL;

    std::vector<BYTE> data;
    LARGE_INTEGER size;
    bool bRead = false;
    if (GetFileSizeEx(hFile, &size) && size.QuadPart > 0 &&
        (ULONGLONG)size.QuadPart <= kMaxPictureFileBytes)
    {
        try
        {
            data.resize((size_t)size.QuadPart);
            DWORD nRead = 0;
            bRead = ReadFile(hFile, data.data(), (DWORD)data.size(), &nRead, NULL) &&
                    nRead == data.size();
        }
        catch (const std::bad_alloc&)
        {
            bRead = false;
        }
    }
    CloseHandle(hFile);
    if (!bRead)
        return NULL;
    return DecodePictureData(data.data(), data.size(), pRefusedSize);
}

// Shrinks a picture by fifths, proportions kept, until it fits 10 units inside the given size.
void ComputePictureFitSize(int nWidth, int nHeight, int nFitWidth, int nFitHeight,
                           int& nResultWidth, int& nResultHeight)
{
    int w = nWidth > 0 ? nWidth : 0;
    int h = nHeight > 0 ? nHeight : 0;
    const int nLimitW = nFitWidth - 10 > 0 ? nFitWidth - 10 : 0;
    const int nLimitH = nFitHeight - 10 > 0 ? nFitHeight - 10 : 0;
    // Every step shrinks a side above its limit (limits >= 0), so this ends.
    while (w > nLimitW || h > nLimitH)
    {
        w = (int)(w * 0.8);
        h = (int)(h * 0.8);
    }
    nResultWidth = w;
    nResultHeight = h;
}

BITMAPINFO TopDownPixelsInfo(int nWidth, int nHeight)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = -nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A fresh section at the size asked, selected into its own DC; the old one goes first.
bool CDibSurface::Create(int nWidth, int nHeight)
{
    Release();
    const BITMAPINFO info = TopDownPixelsInfo(nWidth, nHeight);
    void* pBits = NULL;
    m_hBitmap = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    m_hDC = m_hBitmap != NULL && pBits != NULL ? ::CreateCompatibleDC(NULL) : NULL;
    if (m_hDC == NULL)
    {
        Release();
        return false;
    }
    m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    m_pBits = (DWORD*)pBits;
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    return true;
}

// Frees the section and its DC; safe on a surface never made.
void CDibSurface::Release()
{
    if (m_hDC != NULL)
    {
        if (m_hOld != NULL)
            ::SelectObject(m_hDC, m_hOld);
        ::DeleteDC(m_hDC);
    }
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
    m_hDC = NULL;
    m_hBitmap = NULL;
    m_hOld = NULL;
    m_pBits = NULL;
    m_nWidth = m_nHeight = 0;
}
