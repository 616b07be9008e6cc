// PictureBands.cpp - pictures of a side drawn in bands of rows within a fixed memory
// budget and written row by row: BMP and GIF by this file, PNG and JPEG through the
// platform's imaging components.

#include "PictureExport.h"
#include "ExportProgress.h"
#include "model/Element.h"
#include "model/ElementDraw.h"
#include "model/TextDraw.h"
#include "model/VarnelDoc.h"
#include "resources/export_resource.h"
#include "resources/resource.h"

#include <wincodec.h>

#include <math.h>

#include <memory>
#include <new>
#include <unordered_map>
#include <vector>

using namespace Gdiplus;

namespace
{
// Largest side of a JPEG picture (the coder's limit) and of a GIF picture (16 bits).
const LONGLONG kMaxJpegSide = 65500;
const LONGLONG kMaxGifSide = 65535;
// Largest side the PNG writer takes.
const LONGLONG kMaxPngSide = 1000000;
// A BMP file's size is a 32-bit number.
const LONGLONG kMaxBmpFileBytes = 0xFFFFFFFF;
const int kBmpHeaderBytes = 14 + 40;
LONGLONG Stride24(LONGLONG nWidth)
{
    return (nWidth * 3 + 3) & ~(LONGLONG)3;
}

CString FormatNumber(LONGLONG n)
{
    CString str;
    str.Format("%I64d", n);
    for (int i = str.GetLength() - 3; i > 0; i -= 3)
        str.Insert(i, ',');
    return str;
}

std::vector<WCHAR> ToWide(const CString& str)
{
    const int nChars = ::MultiByteToWideChar(CP_ACP, 0, str, -1, NULL, 0);
    std::vector<WCHAR> wide(nChars > 0 ? nChars : 1, L'\0');
    if (nChars > 0)
        ::MultiByteToWideChar(CP_ACP, 0, str, -1, wide.data(), nChars);
    return wide;
}

// Draws bands of a side: rows [y, y + n) of the picture at a scale, on the page colour.
class CBandPainter
{
public:
    CBandPainter(CVarnelDoc& doc, int nSide, float fScale, DWORD clrPage, int nWidth, int nBandRows)
        : m_doc(doc), m_nSide(nSide), m_fScale(fScale), m_clrPage(0xFF000000 | (clrPage & 0x00FFFFFF)),
          m_nWidth(nWidth), m_nBandRows(nBandRows)
    {
        m_pBand.reset(new Bitmap(nWidth, nBandRows, PixelFormat24bppRGB));
        if (m_pBand->GetLastStatus() != Ok)
            m_pBand.reset();
    }

    bool IsReady() const { return m_pBand != NULL; }

    // Draws rows [nTop, nTop + nRows) and hands out their pixels (B, G, R) until Release.
    bool Paint(int nTop, int nRows, BitmapData& data)
    {
        {
            Graphics graphics(m_pBand.get());
            if (graphics.GetLastStatus() != Ok)
                return false;
            SolidBrush brush((Color(m_clrPage)));
            graphics.FillRectangle(&brush, 0, 0, m_nWidth, m_nBandRows);
            const double fTop = nTop / m_fScale, fBottom = (nTop + nRows) / m_fScale;
            for (POSITION pos = m_doc.m_listElements.GetHeadPosition(); pos != NULL;)
            {
                CElement* pElement = m_doc.m_listElements.GetNext(pos);
                if (pElement == NULL || pElement->m_nSide != m_nSide)
                    continue;
                RectF rc;
                if (!GetElementDrawnBounds(pElement, CPoint(0, 0), rc))
                    continue;
                // a pixel of room for smoothing
                const double fRoom = 2 / m_fScale;
                if (rc.Y > fBottom + fRoom || rc.Y + rc.Height < fTop - fRoom)
                    continue;
                graphics.ResetTransform();
                graphics.TranslateTransform(0, (REAL)-nTop);
                graphics.ScaleTransform(m_fScale, m_fScale, MatrixOrderPrepend);
                pElement->DrawGraphics(&graphics);
                graphics.ResetTransform();
            }
        }
        Rect rect(0, 0, m_nWidth, nRows);
        return m_pBand->LockBits(&rect, ImageLockModeRead, PixelFormat24bppRGB, &data) == Ok;
    }

    void Release(BitmapData& data) { m_pBand->UnlockBits(&data); }

private:
    CVarnelDoc& m_doc;
    int m_nSide;
    float m_fScale;
    DWORD m_clrPage;
    int m_nWidth;
    int m_nBandRows;
    std::unique_ptr<Bitmap> m_pBand;
    CTextFontScope m_fonts;         // the texts of all bands share their fonts
};

// Writes bytes to a file; remembers a failure.
class COutFile
{
public:
    explicit COutFile(const CString& strPath)
    {
        m_hFile = ::CreateFileA(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        m_bOk = m_hFile != INVALID_HANDLE_VALUE;
    }
    ~COutFile() { Close(); }
    void Write(const void* pData, size_t nBytes)
    {
        if (m_bOk && !m_buffer.empty() && m_buffer.size() + nBytes > kBuffer)
            Flush();
        if (m_bOk && nBytes > kBuffer)
        {
            DWORD nWritten = 0;
            m_bOk = ::WriteFile(m_hFile, pData, (DWORD)nBytes, &nWritten, NULL) && nWritten == nBytes;
            return;
        }
        const BYTE* p = (const BYTE*)pData;
        m_buffer.insert(m_buffer.end(), p, p + nBytes);
    }
    void Byte(BYTE b) { Write(&b, 1); }
    void Word(WORD w) { Write(&w, 2); }
    bool Close()
    {
        if (m_hFile == INVALID_HANDLE_VALUE)
            return m_bOk;
        Flush();
        if (m_bOk)
            m_bOk = ::FlushFileBuffers(m_hFile) != FALSE;
        m_bOk = ::CloseHandle(m_hFile) && m_bOk;
        m_hFile = INVALID_HANDLE_VALUE;
        return m_bOk;
    }
    bool IsOk() const { return m_bOk; }

private:
    static const size_t kBuffer = 1 << 20;
    void Flush()
    {
        if (m_bOk && !m_buffer.empty())
        {
            DWORD nWritten = 0;
            m_bOk = ::WriteFile(m_hFile, m_buffer.data(), (DWORD)m_buffer.size(), &nWritten, NULL)
                    && nWritten == m_buffer.size();
        }
        m_buffer.clear();
    }
    HANDLE m_hFile;
    bool m_bOk;
    std::vector<BYTE> m_buffer;
};

// The band loop: calls sink(rows' pixels, first row, row count) for every band, from the
// top (or from the bottom with bBottomUp), and steps the progress.
template <class F>
bool ForEachBand(CBandPainter& painter, int nHeight, int nBandRows, bool bBottomUp,
                 CExportProgress* pProgress, int nPass, int nPasses, F sink)
{
    const int nBands = (nHeight + nBandRows - 1) / nBandRows;
    for (int i = 0; i < nBands; i++)
    {
        const int nBand = bBottomUp ? nBands - 1 - i : i;
        const int nTop = nBand * nBandRows;
        const int nRows = nTop + nBandRows <= nHeight ? nBandRows : nHeight - nTop;
        BitmapData data;
        if (!painter.Paint(nTop, nRows, data))
            return false;
        const bool bOk = sink(data, nTop, nRows);
        painter.Release(data);
        if (!bOk)
            return false;
        if (pProgress != NULL)
            pProgress->ShowPart(nPass * nBands + i + 1, nPasses * nBands);
    }
    return true;
}

// Writes a 24-bit BMP band by band from the bottom, the order the format stores its rows in.
bool WriteBmp(CBandPainter& painter, int nWidth, int nHeight, int nBandRows, int nDpi, const CString& strPath,
              CExportProgress* pProgress)
{
    const LONGLONG nStride = Stride24(nWidth);
    const LONGLONG nImage = nStride * nHeight;
    COutFile file(strPath);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfSize = (DWORD)(kBmpHeaderBytes + nImage);
    header.bfOffBits = kBmpHeaderBytes;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = nWidth;
    info.biHeight = nHeight;            // bottom row first
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = (DWORD)nImage;
    info.biXPelsPerMeter = info.biYPelsPerMeter = (LONG)(nDpi / 0.0254 + 0.5);
    file.Write(&header, sizeof(header));
    file.Write(&info, sizeof(info));
    std::vector<BYTE> pad(4, 0);
    const size_t nRowBytes = (size_t)nWidth * 3;
    const bool bOk = ForEachBand(painter, nHeight, nBandRows, true, pProgress, 0, 1,
                                 [&](BitmapData& data, int, int nRows) {
                                     for (int y = nRows - 1; y >= 0; y--)
                                     {
                                         file.Write((const BYTE*)data.Scan0 + (ptrdiff_t)y * data.Stride, nRowBytes);
                                         file.Write(pad.data(), (size_t)(nStride - (LONGLONG)nRowBytes));
                                     }
                                     return file.IsOk();
                                 });
    return file.Close() && bOk;
}

// PNG and JPEG through the imaging components, rows handed over band by band.
bool WriteWic(CBandPainter& painter, int nWidth, int nHeight, int nBandRows, int nDpi, const CString& strPath,
              const GUID& container, CExportProgress* pProgress)
{
    const HRESULT hrInit = ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    bool bOk = false;
    {
        IWICImagingFactory* pFactory = NULL;
        IWICStream* pStream = NULL;
        IWICBitmapEncoder* pEncoder = NULL;
        IWICBitmapFrameEncode* pFrame = NULL;
        IPropertyBag2* pOptions = NULL;
        const std::vector<WCHAR> wide = ToWide(strPath);
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        bOk = SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER,
                                           IID_IWICImagingFactory, (void**)&pFactory))
              && SUCCEEDED(pFactory->CreateStream(&pStream))
              && SUCCEEDED(pStream->InitializeFromFilename(wide.data(), GENERIC_WRITE))
              && SUCCEEDED(pFactory->CreateEncoder(container, NULL, &pEncoder))
              && SUCCEEDED(pEncoder->Initialize(pStream, WICBitmapEncoderNoCache))
              && SUCCEEDED(pEncoder->CreateNewFrame(&pFrame, &pOptions))
              && SUCCEEDED(pFrame->Initialize(pOptions))
              && SUCCEEDED(pFrame->SetSize(nWidth, nHeight))
              && SUCCEEDED(pFrame->SetResolution(nDpi, nDpi))
              && SUCCEEDED(pFrame->SetPixelFormat(&format))
              && IsEqualGUID(format, GUID_WICPixelFormat24bppBGR);
        if (bOk)
        {
            bOk = ForEachBand(painter, nHeight, nBandRows, false, pProgress, 0, 1,
                              [&](BitmapData& data, int, int nRows) {
                                  return SUCCEEDED(pFrame->WritePixels(nRows, (UINT)data.Stride,
                                                                       (UINT)data.Stride * nRows,
                                                                       (BYTE*)data.Scan0));
                              });
        }
        bOk = bOk && SUCCEEDED(pFrame->Commit()) && SUCCEEDED(pEncoder->Commit());
        if (pOptions != NULL)
            pOptions->Release();
        if (pFrame != NULL)
            pFrame->Release();
        if (pEncoder != NULL)
            pEncoder->Release();
        if (pStream != NULL)
        {
            if (bOk)
                bOk = SUCCEEDED(pStream->Commit(STGC_DEFAULT));
            pStream->Release();
        }
        if (pFactory != NULL)
            pFactory->Release();
    }
    if (SUCCEEDED(hrInit))
        ::CoUninitialize();
    return bOk;
}

// LZW codes of a GIF picture, packed into sub-blocks.
class CGifCoder
{
public:
    CGifCoder(COutFile& file, int nBits) : m_file(file), m_nMinBits(nBits)
    {
        m_nClear = 1 << nBits;
        Reset();
        Put(m_nClear);
    }
    void Add(BYTE b)
    {
        if (m_nPrefix < 0)
        {
            m_nPrefix = b;
            return;
        }
        const DWORD nKey = ((DWORD)m_nPrefix << 8) | b;
        auto it = m_table.find(nKey);
        if (it != m_table.end())
        {
            m_nPrefix = it->second;
            return;
        }
        Put(m_nPrefix);
        if (m_nNext < 4096)
        {
            m_table[nKey] = m_nNext++;
            if (m_nNext > (1 << m_nBits) && m_nBits < 12)
                m_nBits++;
        }
        else
        {
            Put(m_nClear);
            Reset();
        }
        m_nPrefix = b;
    }
    void Finish()
    {
        if (m_nPrefix >= 0)
            Put(m_nPrefix);
        Put(m_nClear + 1);
        if (m_nBitCount > 0)
            PutByte((BYTE)m_nBitBuffer);
        FlushBlock();
        m_file.Byte(0);
    }

private:
    void Reset()
    {
        m_table.clear();
        m_nNext = m_nClear + 2;
        m_nBits = m_nMinBits + 1;
    }
    void Put(int nCode)
    {
        m_nBitBuffer |= (DWORD)nCode << m_nBitCount;
        m_nBitCount += m_nBits;
        while (m_nBitCount >= 8)
        {
            PutByte((BYTE)m_nBitBuffer);
            m_nBitBuffer >>= 8;
            m_nBitCount -= 8;
        }
    }
    void PutByte(BYTE b)
    {
        m_block[m_nBlock++] = b;
        if (m_nBlock == 255)
            FlushBlock();
    }
    void FlushBlock()
    {
        if (m_nBlock == 0)
            return;
        m_file.Byte((BYTE)m_nBlock);
        m_file.Write(m_block, m_nBlock);
        m_nBlock = 0;
    }

    COutFile& m_file;
    int m_nMinBits;
    int m_nClear = 0;
    int m_nNext = 0;
    int m_nBits = 0;
    int m_nPrefix = -1;
    std::unordered_map<DWORD, int> m_table;
    DWORD m_nBitBuffer = 0;
    int m_nBitCount = 0;
    BYTE m_block[255];
    int m_nBlock = 0;
};

// GIF: a first pass collects the colours (a palette of the exact colours when there are
// at most 256, else a fixed colour cube), the second codes the rows.
bool WriteGif(CBandPainter& painter, int nWidth, int nHeight, int nBandRows, const CString& strPath,
              CExportProgress* pProgress)
{
    CGifPalette gifPalette;
    if (!ForEachBand(painter, nHeight, nBandRows, false, pProgress, 0, 2, [&](BitmapData& data, int, int nRows) {
            for (int y = 0; y < nRows; y++)
                if (!gifPalette.AddRow((const BYTE*)data.Scan0 + (ptrdiff_t)y * data.Stride, nWidth))
                    break;
            return true;
        }))
        return false;
    gifPalette.Finish();
    const std::vector<DWORD>& palette = gifPalette.Colors();
    int nBits = 1;
    while ((1u << nBits) < palette.size())
        nBits++;
    if (nBits < 2)
        nBits = 2;

    COutFile file(strPath);
    file.Write("GIF89a", 6);
    file.Word((WORD)nWidth);
    file.Word((WORD)nHeight);
    file.Byte((BYTE)(0x80 | ((nBits - 1) << 4) | (nBits - 1)));
    file.Byte(0);
    file.Byte(0);
    for (int i = 0; i < (1 << nBits); i++)
    {
        const DWORD clr = i < (int)palette.size() ? palette[i] : 0;     // 0x00RRGGBB
        file.Byte((BYTE)(clr >> 16));
        file.Byte((BYTE)(clr >> 8));
        file.Byte((BYTE)clr);
    }
    file.Byte(0x2C);
    file.Word(0);
    file.Word(0);
    file.Word((WORD)nWidth);
    file.Word((WORD)nHeight);
    file.Byte(0);
    file.Byte((BYTE)nBits);
    bool bOk = true;
    {
        CGifCoder coder(file, nBits);
        bOk = ForEachBand(painter, nHeight, nBandRows, false, pProgress, 1, 2, [&](BitmapData& data, int, int nRows) {
            for (int y = 0; y < nRows; y++)
            {
                const BYTE* pIn = (const BYTE*)data.Scan0 + (ptrdiff_t)y * data.Stride;
                for (int x = 0; x < nWidth; x++)
                {
                    coder.Add(gifPalette.IndexOf(pIn[3 * x], pIn[3 * x + 1], pIn[3 * x + 2]));
                }
            }
            return file.IsOk();
        });
        coder.Finish();
    }
    file.Byte(0x3B);
    return file.Close() && bOk;
}
} // namespace

int PictureFormatOfPath(const CString& strPath)
{
    CString strExt = strPath.GetLength() >= 3 ? strPath.Right(3) : CString();
    strExt.MakeLower();
    if (strExt == "jpg")
        return PICTURE_JPEG;
    if (strExt == "gif")
        return PICTURE_GIF;
    if (strExt == "png")
        return PICTURE_PNG;
    if (strExt == "tif")
        return PICTURE_TIFF;
    return PICTURE_BMP;
}

// Whether a picture of the size stays inside the format's limits; TIFF is never written in bands.
BOOL DoesPictureFormatHold(int nFormat, LONGLONG nWidth, LONGLONG nHeight)
{
    if (nWidth <= 0 || nHeight <= 0 || nWidth > 0x7FFFFFFF || nHeight > 0x7FFFFFFF)
        return FALSE;
    switch (nFormat)
    {
    case PICTURE_JPEG:
        return nWidth <= kMaxJpegSide && nHeight <= kMaxJpegSide;
    case PICTURE_GIF:
        return nWidth <= kMaxGifSide && nHeight <= kMaxGifSide;
    case PICTURE_PNG:
        return nWidth <= kMaxPngSide && nHeight <= kMaxPngSide;
    case PICTURE_PDF_PAGE:
        return nWidth <= PDF_PAGE_MAX_SIDE && nHeight <= PDF_PAGE_MAX_SIDE
               && nWidth * nHeight <= PDF_PAGE_MAX_PIXELS;
    case PICTURE_TIFF:
        return FALSE;
    default:
        return kBmpHeaderBytes + Stride24(nWidth) * nHeight <= kMaxBmpFileBytes;
    }
}

int GetLargestFittingScale(const CVarnelDoc& doc, int nFormat, int nMaxScale)
{
    for (int n = nMaxScale; n >= 1; n--)
    {
        if (DoesPictureFormatHold(nFormat, (LONGLONG)doc.m_nDesignWidth * n, (LONGLONG)doc.m_nDesignHeight * n))
            return n;
    }
    return 0;
}

// Tells which limit of the format the design passes at the scale and the largest scale up to 6 that fits.
CString GetFormatLimitMessage(const CVarnelDoc& doc, int nFormat, int nScale)
{
    const LONGLONG nWidth = (LONGLONG)doc.m_nDesignWidth * nScale;
    const LONGLONG nHeight = (LONGLONG)doc.m_nDesignHeight * nScale;
    CString strLimit, strAt;
    switch (nFormat)
    {
    case PICTURE_JPEG:
        AfxFormatString1(strLimit, IDS_LIMIT_JPEG, FormatNumber(kMaxJpegSide));
        break;
    case PICTURE_GIF:
        AfxFormatString1(strLimit, IDS_LIMIT_GIF, FormatNumber(kMaxGifSide));
        break;
    case PICTURE_PNG:
        AfxFormatString1(strLimit, IDS_LIMIT_PNG, FormatNumber(kMaxPngSide));
        break;
    case PICTURE_PDF_PAGE:
        AfxFormatString2(strLimit, IDS_LIMIT_PDF_PAGE, FormatNumber(PDF_PAGE_MAX_SIDE),
                         FormatNumber(PDF_PAGE_MAX_PIXELS));
        break;
    default:
        strLimit.LoadString(IDS_LIMIT_BMP);
        break;
    }
    // the scales are written without thousands separators
    CString strNumber;
    strNumber.Format("%d", nFormat == PICTURE_PDF_PAGE ? nScale : nScale * 100);
    AfxFormatString1(strAt, nFormat == PICTURE_PDF_PAGE ? IDS_LIMIT_AT_QUALITY : IDS_LIMIT_AT_DPI, strNumber);
    const CString strWidth = FormatNumber(nWidth);
    const CString strHeight = FormatNumber(nHeight);
    LPCTSTR const rglpsz[] = { strLimit, strAt, strWidth, strHeight };
    CString strFormat, strText;
    strFormat.LoadString(IDS_LIMIT_DESIGN);
    AfxFormatStrings(strText, strFormat, rglpsz, 4);
    const int nMax = nFormat == PICTURE_PDF_PAGE ? 6 : 6;
    const int nFits = GetLargestFittingScale(doc, nFormat, nMax);
    CString strFits;
    strNumber.Format("%d", nFormat == PICTURE_PDF_PAGE ? nFits : nFits * 100);
    if (nFits > 0)
        AfxFormatString1(strFits, nFormat == PICTURE_PDF_PAGE ? IDS_FITS_QUALITY : IDS_FITS_DPI, strNumber);
    else if (nFormat == PICTURE_PDF_PAGE)
        strFits.LoadString(IDS_FITS_NO_QUALITY);
    else
        strFits.LoadString(IDS_FITS_NO_RESOLUTION);
    return strText + strFits;
}

// Writes a side band by band through a temporary file, so large pictures need no whole bitmap and a failed
// write leaves the target as it was.
BOOL WriteSidePicture(CVarnelDoc& doc, int nSide, int nScale, DWORD clrPage, const CString& strFileName,
                      CExportProgress* pProgress, int nBandBytes)
{
    const int nFormat = PictureFormatOfPath(strFileName);
    const LONGLONG nWidth = (LONGLONG)doc.m_nDesignWidth * nScale;
    const LONGLONG nHeight = (LONGLONG)doc.m_nDesignHeight * nScale;
    if (nScale <= 0 || !DoesPictureFormatHold(nFormat, nWidth, nHeight))
        return FALSE;
    const DWORD dwAttributes = ::GetFileAttributesA(strFileName);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES
        && (dwAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return FALSE;

    // bands of whole multiples of 8 rows, so that hatches meet across them
    if (nBandBytes <= 0)
        nBandBytes = PICTURE_BAND_BYTES;
    LONGLONG nBandRows = nBandBytes / Stride24(nWidth);
    nBandRows -= nBandRows % 8;
    if (nBandRows < 8)
        nBandRows = 8;
    if (nBandRows > nHeight)
        nBandRows = nHeight;
    BOOL bOk = FALSE;
    const CString strTemp = strFileName + ".tmp~";
    try
    {
        CBandPainter painter(doc, nSide, (float)nScale, clrPage, (int)nWidth, (int)nBandRows);
        if (!painter.IsReady())
            return FALSE;
        switch (nFormat)
        {
        case PICTURE_JPEG:
            bOk = WriteWic(painter, (int)nWidth, (int)nHeight, (int)nBandRows, nScale * 100, strTemp,
                           GUID_ContainerFormatJpeg, pProgress);
            break;
        case PICTURE_PNG:
            bOk = WriteWic(painter, (int)nWidth, (int)nHeight, (int)nBandRows, nScale * 100, strTemp,
                           GUID_ContainerFormatPng, pProgress);
            break;
        case PICTURE_GIF:
            bOk = WriteGif(painter, (int)nWidth, (int)nHeight, (int)nBandRows, strTemp, pProgress);
            break;
        default:
            bOk = WriteBmp(painter, (int)nWidth, (int)nHeight, (int)nBandRows, nScale * 100, strTemp, pProgress);
            break;
        }
    }
    catch (std::bad_alloc&)
    {
        bOk = FALSE;
    }
    if (bOk)
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        bOk = ::GetFileAttributesExA(strTemp, GetFileExInfoStandard, &data)
              && (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0);
    }
    if (bOk)
        bOk = ::MoveFileExA(strTemp, strFileName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!bOk && ::GetFileAttributesA(strTemp) != INVALID_FILE_ATTRIBUTES)
        ::DeleteFileA(strTemp);
    return bOk;
}

BOOL SaveSidePicture(CVarnelDoc& doc, int nSide, int nScale, DWORD clrPage, const CString& strPath, int nIndex,
                     BOOL bAskOverwrite, CExportProgress* pProgress)
{
    CString strName;
    if (!ConfirmPictureName(strPath, nIndex, bAskOverwrite, strName))
        return FALSE;
    if (!WriteSidePicture(doc, nSide, nScale, clrPage, strName, pProgress))
    {
        ReportPictureWriteFailure(strName, (ULONGLONG)doc.m_nDesignWidth * nScale,
                                  (ULONGLONG)doc.m_nDesignHeight * nScale);
        return FALSE;
    }
    return TRUE;
}
