// PictureExport.cpp - rendering of a side into a picture and writing it through the
// image encoders.

#include "PictureExport.h"
#include "ExportFailure.h"
#include "model/Element.h"
#include "model/VarnelDoc.h"
#include "resources/export_resource.h"
#include "resources/resource.h"

#include <new>
#include <unordered_map>
#include <vector>

using namespace Gdiplus;

namespace
{
// Levels of the colour cube used for GIF pictures of more than 256 colours.
const int kCubeRed = 6;
const int kCubeGreen = 7;
const int kCubeBlue = 6;

BOOL FileExists(const CString& strPath)
{
    return ::GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES;
}

// Nearest level of a colour channel on a cube axis of nLevels.
int CubeLevel(int nValue, int nLevels)
{
    return (nValue * (nLevels - 1) + 127) / 255;
}

int CubeValue(int nLevel, int nLevels)
{
    return nLevel * 255 / (nLevels - 1);
}
} // namespace

// Collects a row's colours while the picture still fits 256 of them.
bool CGifPalette::AddRow(const BYTE* pRow, int nWidth)
{
    for (int x = 0; x < nWidth && m_bExact; x++)
    {
        const DWORD clr = pRow[3 * x] | (pRow[3 * x + 1] << 8) | (pRow[3 * x + 2] << 16);
        if (m_mapColors.find(clr) != m_mapColors.end())
            continue;
        if (m_palette.size() == 256)
        {
            m_bExact = false;
            break;
        }
        m_mapColors[clr] = (BYTE)m_palette.size();
        m_palette.push_back(clr);
    }
    return m_bExact;
}

void CGifPalette::Finish()
{
    if (m_bExact)
        return;
    m_mapColors.clear();
    m_palette.clear();
    for (int r = 0; r < kCubeRed; r++)
        for (int g = 0; g < kCubeGreen; g++)
            for (int b = 0; b < kCubeBlue; b++)
                m_palette.push_back(CubeValue(b, kCubeBlue) | (CubeValue(g, kCubeGreen) << 8)
                                    | (CubeValue(r, kCubeRed) << 16));
}

BYTE CGifPalette::IndexOf(int b, int g, int r)
{
    if (m_bExact)
        return m_mapColors[(DWORD)(b | (g << 8) | (r << 16))];
    return (BYTE)((CubeLevel(r, kCubeRed) * kCubeGreen + CubeLevel(g, kCubeGreen)) * kCubeBlue
                  + CubeLevel(b, kCubeBlue));
}

// Finds the installed encoder whose MIME type matches, so a picture is written in the format asked for.
int GetEncoderClsid(const WCHAR* pszFormat, CLSID* pClsid)
{
    UINT nCount = 0;
    UINT nSize = 0;
    if (GetImageEncodersSize(&nCount, &nSize) != Ok || nSize == 0)
        return -1;
    std::vector<BYTE> buffer;
    try
    {
        buffer.resize(nSize);
    }
    catch (std::bad_alloc&)
    {
        return -1;
    }
    ImageCodecInfo* pCodecs = (ImageCodecInfo*)buffer.data();
    if (GetImageEncoders(nCount, nSize, pCodecs) != Ok)
        return -1;
    for (UINT i = 0; i < nCount; i++)
    {
        if (pCodecs[i].MimeType != NULL && wcscmp(pCodecs[i].MimeType, pszFormat) == 0)
        {
            *pClsid = pCodecs[i].Clsid;
            return (int)i;
        }
    }
    return -1;
}

const WCHAR* MimeTypeOfExtension(const CString& strExt)
{
    CString strLower = strExt;
    strLower.MakeLower();
    if (strLower == "jpg")
        return L"image/jpeg";
    if (strLower == "gif")
        return L"image/gif";
    if (strLower == "tif")
        return L"image/tiff";
    if (strLower == "png")
        return L"image/png";
    return L"image/bmp";
}

CString IndexedPictureName(const CString& strPath, int nIndex)
{
    if (strPath.GetLength() < 4)
        return strPath;
    CString strBase = strPath.Left(strPath.GetLength() - 4);
    const CString strExt = strPath.Right(3);
    if (nIndex >= 0)
    {
        CString strIndex;
        strIndex.Format("%d", nIndex);
        strBase += strIndex;
    }
    return strBase + "." + strExt;
}

DWORD GetSidePageColor(const CVarnelDoc& doc, int nSide)
{
    const DWORD clr = nSide == 2 ? doc.m_clrBackgroundBack : doc.m_clrBackgroundFront;
    return 0xFF000000 | (clr & 0x00FFFFFF);
}

CSize GetRenderSize(const CVarnelDoc& doc, float fScale)
{
    return CSize((int)(doc.m_nDesignWidth * fScale), (int)(doc.m_nDesignHeight * fScale));
}

BOOL IsPictureSizeAllowed(int nWidth, int nHeight)
{
    if (nWidth <= 0 || nHeight <= 0)
        return FALSE;
    const LONGLONG nStride = ((LONGLONG)nWidth * 3 + 3) & ~(LONGLONG)3;
    return nStride * nHeight <= MAX_PICTURE_BYTES;
}

CString GetPictureTooLargeMessage(int nWidth, int nHeight)
{
    CString strWidth, strHeight, strText;
    strWidth.Format("%d", nWidth);
    strHeight.Format("%d", nHeight);
    AfxFormatString2(strText, IDS_PICTURE_NO_MEMORY, strWidth, strHeight);
    return strText;
}

// Draws one side's elements over the page colour into a new 24-bit picture at the scale.
Bitmap* RenderSideBitmap(CVarnelDoc& doc, int nSide, float fScale, DWORD clrPage, BOOL* pbTooLarge)
{
    if (pbTooLarge != NULL)
        *pbTooLarge = FALSE;
    // sizes checked in 64 bits: a large design at a high scale overflows int
    const double fWidth = (double)doc.m_nDesignWidth * fScale;
    const double fHeight = (double)doc.m_nDesignHeight * fScale;
    if (fWidth < 1.0 || fHeight < 1.0)
        return NULL;
    if (fWidth > 0x7FFFFFFF || fHeight > 0x7FFFFFFF
        || !IsPictureSizeAllowed((int)fWidth, (int)fHeight))
    {
        if (pbTooLarge != NULL)
            *pbTooLarge = TRUE;
        return NULL;
    }
    const CSize size = GetRenderSize(doc, fScale);

    Bitmap* pBitmap = new Bitmap(size.cx, size.cy, PixelFormat24bppRGB);
    if (pBitmap == NULL || pBitmap->GetLastStatus() != Ok)
    {
        delete pBitmap;
        if (pbTooLarge != NULL)
            *pbTooLarge = TRUE;
        return NULL;
    }

    {
        Graphics graphics(pBitmap);
        if (graphics.GetLastStatus() != Ok)
        {
            delete pBitmap;
            if (pbTooLarge != NULL)
                *pbTooLarge = TRUE;
            return NULL;
        }
        SolidBrush brush(Color(0xFF000000 | (clrPage & 0x00FFFFFF)));
        graphics.FillRectangle(&brush, 0, 0, size.cx, size.cy);

        for (POSITION pos = doc.m_listElements.GetHeadPosition(); pos != NULL;)
        {
            CElement* pElement = doc.m_listElements.GetNext(pos);
            if (pElement == NULL || pElement->m_nSide != nSide)
                continue;
            graphics.ResetTransform();
            graphics.ScaleTransform(fScale, fScale, MatrixOrderPrepend);
            pElement->DrawGraphics(&graphics);
            graphics.ResetTransform();
        }
    }
    return pBitmap;
}

// Reduces a picture to 8 bits for GIF: its own colours when they fit 256, else the colour cube.
Bitmap* QuantizeTo8Bits(Bitmap* pSource)
{
    if (pSource == NULL)
        return NULL;
    const int nWidth = (int)pSource->GetWidth();
    const int nHeight = (int)pSource->GetHeight();
    if (nWidth <= 0 || nHeight <= 0)
        return NULL;

    BitmapData dataIn;
    Rect rect(0, 0, nWidth, nHeight);
    if (pSource->LockBits(&rect, ImageLockModeRead, PixelFormat24bppRGB, &dataIn) != Ok)
        return NULL;

    // the picture's own colours when they fit a palette
    CGifPalette palette;
    for (int y = 0; y < nHeight; y++)
        if (!palette.AddRow((const BYTE*)dataIn.Scan0 + (ptrdiff_t)y * dataIn.Stride, nWidth))
            break;
    palette.Finish();
    const std::vector<DWORD>& colors = palette.Colors();

    Bitmap* pTarget = new Bitmap(nWidth, nHeight, PixelFormat8bppIndexed);
    if (pTarget == NULL || pTarget->GetLastStatus() != Ok)
    {
        delete pTarget;
        pSource->UnlockBits(&dataIn);
        return NULL;
    }
    std::vector<BYTE> paletteBuffer(sizeof(ColorPalette) + 256 * sizeof(ARGB));
    ColorPalette* pPalette = (ColorPalette*)paletteBuffer.data();
    pPalette->Flags = 0;
    pPalette->Count = (UINT)colors.size();
    for (size_t i = 0; i < colors.size(); i++)
        pPalette->Entries[i] = 0xFF000000 | colors[i];
    pTarget->SetPalette(pPalette);

    BitmapData dataOut;
    if (pTarget->LockBits(&rect, ImageLockModeWrite, PixelFormat8bppIndexed, &dataOut) != Ok)
    {
        delete pTarget;
        pSource->UnlockBits(&dataIn);
        return NULL;
    }
    for (int y = 0; y < nHeight; y++)
    {
        const BYTE* pIn = (const BYTE*)dataIn.Scan0 + (ptrdiff_t)y * dataIn.Stride;
        BYTE* pOut = (BYTE*)dataOut.Scan0 + (ptrdiff_t)y * dataOut.Stride;
        for (int x = 0; x < nWidth; x++)
        {
            pOut[x] = palette.IndexOf(pIn[3 * x], pIn[3 * x + 1], pIn[3 * x + 2]);
        }
    }
    pTarget->UnlockBits(&dataOut);
    pSource->UnlockBits(&dataIn);
    return pTarget;
}

// Writes a picture in the format of the name's extension through a temporary file, so a failed write leaves
// the target as it was.
BOOL WriteBitmapFile(Bitmap* pBitmap, const CString& strFileName)
{
    if (pBitmap == NULL || strFileName.GetLength() < 4)
        return FALSE;
    const CString strExt = strFileName.Right(3);
    const WCHAR* pszMime = MimeTypeOfExtension(strExt);
    CLSID clsid;
    if (GetEncoderClsid(pszMime, &clsid) < 0)
        return FALSE;

    // a read-only target stays (the move below would replace it on some systems)
    const DWORD dwAttributes = ::GetFileAttributesA(strFileName);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES
        && (dwAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return FALSE;

    Bitmap* pWritten = pBitmap;
    Bitmap* pQuantized = NULL;
    if (wcscmp(pszMime, L"image/gif") == 0)
    {
        pQuantized = QuantizeTo8Bits(pBitmap);
        if (pQuantized == NULL)
            return FALSE;
        pWritten = pQuantized;
    }

    const CString strTemp = strFileName + ".tmp~";
    WCHAR* pszWide = NULL;
    const int nChars = ::MultiByteToWideChar(CP_ACP, 0, strTemp, -1, NULL, 0);
    BOOL bOk = FALSE;
    if (nChars > 0)
    {
        std::vector<WCHAR> wide(nChars);
        pszWide = wide.data();
        ::MultiByteToWideChar(CP_ACP, 0, strTemp, -1, pszWide, nChars);
        bOk = pWritten->Save(pszWide, &clsid, NULL) == Ok;
    }
    delete pQuantized;

    if (bOk)
    {
        // the encoder may report success for a file it left empty
        WIN32_FILE_ATTRIBUTE_DATA data;
        bOk = ::GetFileAttributesExA(strTemp, GetFileExInfoStandard, &data)
              && (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0);
    }
    if (bOk)
        bOk = ::MoveFileExA(strTemp, strFileName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!bOk && FileExists(strTemp))
        ::DeleteFileA(strTemp);
    return bOk;
}

BOOL ConfirmPictureName(const CString& strPath, int nIndex, BOOL bAskOverwrite, CString& strName)
{
    strName = IndexedPictureName(strPath, nIndex);
    if (bAskOverwrite && FileExists(strName))
    {
        CString strQuestion;
        AfxFormatString1(strQuestion, IDS_EXPORT_FILE_EXISTS, strName);
        if (AfxMessageBox(strQuestion, MB_YESNO | MB_ICONQUESTION) == IDNO)
            return FALSE;
    }
    return TRUE;
}

void ReportPictureWriteFailure(const CString& strName, ULONGLONG nWidth, ULONGLONG nHeight)
{
    AfxMessageBox(GetWriteFailureMessage(IDS_FAILED_TO_SAVE, strName, nWidth * nHeight * 3), MB_OK);
}

// Writes one picture under its indexed name, asking before replacing and reporting a failure.
BOOL SaveBitmapFile(const CString& strPath, Bitmap* pBitmap, int nIndex, BOOL bAskOverwrite)
{
    CString strName;
    if (!ConfirmPictureName(strPath, nIndex, bAskOverwrite, strName))
        return FALSE;
    if (!WriteBitmapFile(pBitmap, strName))
    {
        if (pBitmap != NULL)
            ReportPictureWriteFailure(strName, pBitmap->GetWidth(), pBitmap->GetHeight());
        else
            ReportPictureWriteFailure(strName, 0, 0);
        return FALSE;
    }
    return TRUE;
}

// The name the picture export writes to: a typed picture extension stays, else the filter's is added.
CString AppendPictureExtension(const CString& strPath, int nFilterIndex)
{
    static const char* const s_aExtensions[] = {"bmp", "jpg", "gif", "png"};
    const int nIndex = (nFilterIndex >= 1 && nFilterIndex <= 4) ? nFilterIndex - 1 : 0;
    const int nDot = strPath.ReverseFind('.');
    const int nSlash = strPath.ReverseFind('\\');
    if (nDot > nSlash && nDot >= 0)
    {
        CString strTyped = strPath.Mid(nDot + 1);
        strTyped.MakeLower();
        for (const char* pszExt : s_aExtensions)
        {
            if (strTyped == pszExt)
                return strPath;
        }
    }
    return strPath + "." + s_aExtensions[nIndex];
}
