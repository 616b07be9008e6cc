// PictureElements.h - clip-art and background pictures.
//
// Notes
// - A picture (a GDI+ bitmap) is shared by an element and its clones: it lives as long as
//   any element refers to it.
// - The pixels are stored in the publication file (32-bit ARGB, rows top to bottom).

#pragma once

#include "Element.h"

#include <memory>

namespace Gdiplus
{
class Bitmap;
}

typedef std::shared_ptr<Gdiplus::Bitmap> CPicturePtr;

// CBtImage is a clip-art picture placed, framed and rotated like a shape (kind 116).
class CBtImage : public CElement
{
    DECLARE_SERIAL(CBtImage)

public:
    CBtImage();
    // Placed with its top-left corner at ptTopLeft, at the picture's size shrunk by 0.8
    // until it fits 10 units inside nFitWidth x nFitHeight. ptUnused is not used.
    CBtImage(CPoint ptTopLeft, CPoint ptUnused, CPicturePtr pBitmap, int nFitWidth, int nFitHeight);
    virtual ~CBtImage();

    virtual void Serialize(CArchive& ar) override;
    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()

    int m_nWidth;           // picture width in pixels as last written or read
    int m_nHeight;          // picture height in pixels as last written or read
    CPicturePtr m_pBitmap;  // shared; NULL when there is no usable picture
};

// CBkgImage is the background picture of one side, covering the whole design (kind 121).
class CBkgImage : public CElement
{
    DECLARE_SERIAL(CBkgImage)

public:
    CBkgImage();
    CBkgImage(CPicturePtr pBitmap, int nWidth, int nHeight);
    virtual ~CBkgImage();

    virtual void Serialize(CArchive& ar) override;
    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()

    CPicturePtr m_pBitmap;  // shared; NULL when there is no usable picture
};

// Decodes a picture file into a new 32-bit ARGB bitmap owned by the caller. NULL when the
// file cannot be opened; a picture whose width and height read 0 when it cannot be decoded.
Gdiplus::Bitmap* LoadPictureFile(const CString& strPath);

// Picture data of the file: width, height, then the pixels as alpha, red, green, blue.
void WritePictureData(CArchive& ar, Gdiplus::Bitmap* pBitmap, int& nWidth, int& nHeight);
// Reads picture data; the result is NULL (the data read past) when no bitmap can be made.
CPicturePtr ReadPictureData(CArchive& ar, int& nWidth, int& nHeight);
