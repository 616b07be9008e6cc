// PictureLoad.h - decoding picture files into 32-bit ARGB bitmaps.
//
// Notes
// - The result owns its pixels (no stream or memory block stays behind it).
// - Metafiles (.wmf with or without a placeable header, .emf) that the platform's decoder
//   refuses are played back through GDI into a bitmap of their size at 96 dpi; what the
//   metafile does not paint stays transparent.
// - Anything that is not a picture, and pictures larger than the publication file can
//   hold, give NULL: callers never get an empty (0 x 0) picture.

#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

// Largest side of a metafile played back into a bitmap, in pixels.
const int MAX_METAFILE_PIXELS = 4096;

// Size in pixels of a picture refused as larger than a publication holds; 0 x 0 when the
// picture was not refused for its size.
struct PictureSize
{
    UINT nWidth;
    UINT nHeight;
};

// Decodes a picture file. NULL when the file cannot be opened or read, holds no picture
// or a picture larger than a publication holds (its size then in *pRefusedSize). The
// caller deletes the result.
Gdiplus::Bitmap* LoadPictureFileChecked(LPCSTR pszPath, PictureSize* pRefusedSize = NULL);

// Decodes picture file data held in memory; NULL when it holds no picture (or one too
// large, as above).
Gdiplus::Bitmap* DecodePictureData(const void* pData, size_t nSize, PictureSize* pRefusedSize = NULL);

// Plays metafile data (placeable or plain WMF, EMF) into a new bitmap; NULL when the data
// is no metafile or cannot be played.
Gdiplus::Bitmap* RenderMetafileData(const void* pData, size_t nSize);

// Size of a clip-art picture of nWidth x nHeight pixels fitted into a design of
// nFitWidth x nFitHeight: both sides multiplied by 0.8 and truncated until the picture
// lies within the design less 10 on each side; a picture within those limits keeps its
// size. A design under 10 units counts as a limit of 0, so the shrinking always ends.
void ComputePictureFitSize(int nWidth, int nHeight, int nFitWidth, int nFitHeight,
                           int& nResultWidth, int& nResultHeight);

// The header of 32-bit pixels, top row first, at nWidth x nHeight.
BITMAPINFO TopDownPixelsInfo(int nWidth, int nHeight);

// A 32-bit DIB section, top row first, selected into a memory DC of its own: pixels a
// program writes and GDI draws with.
class CDibSurface
{
public:
    CDibSurface() = default;
    CDibSurface(const CDibSurface&) = delete;
    CDibSurface& operator=(const CDibSurface&) = delete;
    ~CDibSurface() { Release(); }

    // Makes the surface anew at nWidth x nHeight; false (and nothing kept) when it cannot.
    bool Create(int nWidth, int nHeight);
    void Release();

    HDC m_hDC = NULL;
    HBITMAP m_hBitmap = NULL;
    DWORD* m_pBits = NULL;      // m_nWidth pixels a row
    int m_nWidth = 0;
    int m_nHeight = 0;

private:
    HGDIOBJ m_hOld = NULL;
};
