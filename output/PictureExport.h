// PictureExport.h - pictures of a publication's side: rendering at a resolution and
// writing through the platform's image encoders.
//
// Declares: GetEncoderClsid, MimeTypeOfExtension, IndexedPictureName, RenderSideBitmap,
// QuantizeTo8Bits, WriteBitmapFile, SaveBitmapFile, GetSidePageColor.
//
// Notes
// - Document sizes are hundredths of an inch; at scale s one hundredth is s pixels, so
//   a resolution of n dots per inch is scale n / 100.
// - Pictures are 24 bits RGB. GIF pictures are reduced to 8 bits with a palette before
//   encoding: the exact colours when there are at most 256, else a fixed colour cube.
// - A picture file is written beside its target under a temporary name and moved onto
//   the target only when the encoder succeeded, so a failed write leaves no partial file
//   and keeps what was there.

#pragma once

#include <unordered_map>
#include <vector>

#include "afxwin.h"

#include <objidl.h>
#include <gdiplus.h>

class CVarnelDoc;
class CExportProgress;

// Largest picture made: pixel rows of 24 bits must fit the platform's stride (int).
const LONGLONG MAX_PICTURE_BYTES = 0x7FFFFFFF;

// Index of the installed image encoder for a MIME type (exact, case-sensitive match),
// its class identifier in *pClsid; -1 when there is none.
int GetEncoderClsid(const WCHAR* pszFormat, CLSID* pClsid);

// MIME type of a picture extension without dot, any case: "jpg" image/jpeg, "gif"
// image/gif, "tif" image/tiff, "png" image/png, anything else image/bmp.
const WCHAR* MimeTypeOfExtension(const CString& strExt);

// The file name for a page: the path with nIndex (when 0 or more) inserted before its
// last four characters (".bmp"), e.g. "C:\t\x.bmp" and 2 give "C:\t\x2.bmp".
CString IndexedPictureName(const CString& strPath, int nIndex);

// The page colour of a side as opaque ARGB: front for side 1, back for side 2.
DWORD GetSidePageColor(const CVarnelDoc& doc, int nSide);

// Draws the elements of side nSide, bottom first, into a new 24-bit picture of
// (design width x fScale) by (design height x fScale) pixels filled with clrPage (ARGB,
// drawn opaque). The caller owns the result. NULL when the design has no size or the
// picture is too large to be made; *pbTooLarge is then set for the latter.
Gdiplus::Bitmap* RenderSideBitmap(CVarnelDoc& doc, int nSide, float fScale, DWORD clrPage,
                                  BOOL* pbTooLarge = NULL);

// The size in pixels of a side at a scale (truncated).
CSize GetRenderSize(const CVarnelDoc& doc, float fScale);
// TRUE when a 24-bit picture of the size can be asked for.
BOOL IsPictureSizeAllowed(int nWidth, int nHeight);

// An 8-bit copy of a picture with a palette; NULL when it cannot be made.
Gdiplus::Bitmap* QuantizeTo8Bits(Gdiplus::Bitmap* pBitmap);

// Writes the picture to strFileName with the encoder of its extension (GIF quantised
// first). FALSE when the encoder is missing or the write failed; the target is then
// as it was.
BOOL WriteBitmapFile(Gdiplus::Bitmap* pBitmap, const CString& strFileName);

// The palette of an 8-bit GIF picture: the picture's own colours while there are at
// most 256, else a fixed colour cube. Rows are 24-bit (blue, green, red).
class CGifPalette
{
public:
    // Adds the colours of one row; false once there are more than 256 (the cube is
    // then used and later rows are not needed).
    bool AddRow(const BYTE* pRow, int nWidth);
    // Ends the collection: the cube's colours when the picture had too many.
    void Finish();
    // Palette index of a pixel.
    BYTE IndexOf(int b, int g, int r);
    const std::vector<DWORD>& Colors() const { return m_palette; }     // 0x00RRGGBB
    bool IsExact() const { return m_bExact; }

private:
    std::unordered_map<DWORD, BYTE> m_mapColors;
    std::vector<DWORD> m_palette;
    bool m_bExact = true;
};

// Writes a picture as the Save As Image command and the PDF export do: the name from
// IndexedPictureName; with bAskOverwrite an existing file is confirmed first. Returns
// FALSE when the user declines or the write failed ("Failed to save." is shown).
BOOL SaveBitmapFile(const CString& strPath, Gdiplus::Bitmap* pBitmap, int nIndex,
                    BOOL bAskOverwrite);
// The file name of picture nIndex in strName; with bAskOverwrite an existing file is
// confirmed first. FALSE when the user keeps it.
BOOL ConfirmPictureName(const CString& strPath, int nIndex, BOOL bAskOverwrite, CString& strName);
// "Failed to save." with the file and the cause the system gives, for a picture of
// nWidth x nHeight pixels.
void ReportPictureWriteFailure(const CString& strName, ULONGLONG nWidth, ULONGLONG nHeight);

// The message shown when a picture of nWidth x nHeight pixels cannot be made.
CString GetPictureTooLargeMessage(int nWidth, int nHeight);

// The path of Save As Image for the chosen path and filter index (1 bmp, 2 jpg, 3 gif,
// 4 png): kept when its extension, in lower case, is one of the four, else the filter's
// extension is appended ("a.txt" with 1 gives "a.txt.bmp").
CString AppendPictureExtension(const CString& strPath, int nFilterIndex);

/////////////////////////////////////////////////////////////////////////////
// Pictures drawn in bands (PictureBands.cpp)
//
// A side is drawn band by band of whole rows into one band picture of at most
// PICTURE_BAND_BYTES and written row by row, so that the memory an export takes does not
// grow with the design's size or the resolution. BMP (bottom row first) and GIF (two
// passes: colours, then rows) are written here, PNG and JPEG through the platform's
// imaging components.

enum PictureFormat
{
    PICTURE_BMP,
    PICTURE_JPEG,
    PICTURE_GIF,
    PICTURE_PNG,
    PICTURE_TIFF,           // listed, never written
    PICTURE_PDF_PAGE        // the BMP picture of a PDF page, as the PDF library reads it
};

// Bytes of one band picture.
const int PICTURE_BAND_BYTES = 32 * 1024 * 1024;
// The largest page picture the PDF library reads.
const LONGLONG PDF_PAGE_MAX_SIDE = 32767;
const LONGLONG PDF_PAGE_MAX_PIXELS = (LONGLONG)1 << 27;

// The format of a path by its last three characters (bmp for anything unknown).
int PictureFormatOfPath(const CString& strPath);
// TRUE when a picture of nWidth x nHeight pixels fits the format.
BOOL DoesPictureFormatHold(int nFormat, LONGLONG nWidth, LONGLONG nHeight);
// The largest scale from nMaxScale down (dpi / 100, or the PDF quality) at which the
// design fits the format; 0 when none does.
int GetLargestFittingScale(const CVarnelDoc& doc, int nFormat, int nMaxScale);
// The message that refuses a design the format cannot hold at nScale, naming the largest
// resolution (or PDF quality) that fits.
CString GetFormatLimitMessage(const CVarnelDoc& doc, int nFormat, int nScale);

// Draws side nSide at nScale pixels per hundredth of an inch on clrPage (ARGB, drawn
// opaque) band by band and writes it as strFileName in the format of its extension,
// through a temporary file moved onto the target only when complete. Steps the progress
// band by band. FALSE when the format cannot hold it or the write failed (the target is
// then as it was). nBandBytes other than 0 sets the band size.
BOOL WriteSidePicture(CVarnelDoc& doc, int nSide, int nScale, DWORD clrPage, const CString& strFileName,
                      CExportProgress* pProgress = NULL, int nBandBytes = 0);
// WriteSidePicture as SaveBitmapFile writes: the name from IndexedPictureName, an
// existing file confirmed first with bAskOverwrite, the failure reported as SaveBitmapFile does.
BOOL SaveSidePicture(CVarnelDoc& doc, int nSide, int nScale, DWORD clrPage, const CString& strPath, int nIndex,
                     BOOL bAskOverwrite, CExportProgress* pProgress = NULL);
