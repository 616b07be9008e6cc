// TemplatePreview.cpp - the preview render of a design.

#include "TemplatePreview.h"
#include "Element.h"
#include "PictureLoad.h"
#include "FileLimits.h"
#include "VarnelDoc.h"

using namespace Gdiplus;

// Draws one side of a design over white and an optional background picture; a design above
// MAX_PREVIEW_SIDE is drawn scaled down. The caller owns the picture.
Bitmap* RenderDesignPreview(CElementList& list, int nSide, int nWidth, int nHeight,
                            LPCSTR pszBackgroundPath, BOOL bDrawElements)
{
    if (nWidth <= 0 || nHeight <= 0)
        return NULL;
    // A design larger than the largest the program makes is drawn scaled down.
    double fScale = 1.0;
    if (nWidth > MAX_PREVIEW_SIDE || nHeight > MAX_PREVIEW_SIDE)
        fScale = (double)MAX_PREVIEW_SIDE / (nWidth > nHeight ? nWidth : nHeight);
    const int nPictureWidth = fScale < 1.0 ? (int)(nWidth * fScale + 0.5) : nWidth;
    const int nPictureHeight = fScale < 1.0 ? (int)(nHeight * fScale + 0.5) : nHeight;
    Bitmap* pPicture = new Bitmap(nPictureWidth > 0 ? nPictureWidth : 1,
                                  nPictureHeight > 0 ? nPictureHeight : 1, PixelFormat32bppARGB);
    if (pPicture->GetLastStatus() != Ok)
    {
        delete pPicture;
        return NULL;
    }

    Graphics graphics(pPicture);
    graphics.Clear(Color(0xFFFFFFFF));
    if (fScale < 1.0)
    {
        // The page transform stays when each element resets the world transform.
        graphics.SetPageUnit(UnitPixel);
        graphics.SetPageScale((REAL)fScale);
    }

    if (pszBackgroundPath != NULL && *pszBackgroundPath != '\0')
    {
        Bitmap* pBackground = LoadPictureFileChecked(pszBackgroundPath);
        if (pBackground != NULL)
        {
            graphics.DrawImage(pBackground, RectF(0, 0, (REAL)nWidth, (REAL)nHeight));
            delete pBackground;
        }
    }

    if (bDrawElements)
    {
        POSITION pos = list.GetHeadPosition();
        while (pos != NULL)
        {
            CElement* pElement = list.GetNext(pos);
            if (pElement != NULL && pElement->m_nSide == nSide)
                pElement->DrawGraphics(&graphics);
        }
    }
    return pPicture;
}

Bitmap* RenderTemplatePreview(CVarnelDoc& doc, LPCSTR pszTemplatePath, LPCSTR pszBackgroundPath)
{
    const BOOL bTemplate = pszTemplatePath != NULL && *pszTemplatePath != '\0';
    if (bTemplate)
    {
        if (IsFileOverLimit(pszTemplatePath, MAX_TEMPLATE_FILE_BYTES))
            AfxThrowFileException(CFileException::genericException, -1, pszTemplatePath);
        CFile file(pszTemplatePath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
        CArchive ar(&file, CArchive::load);
        doc.Serialize(ar);
    }
    return RenderDesignPreview(doc.m_listElements, doc.m_nSide, doc.m_nDesignWidth,
                               doc.m_nDesignHeight, pszBackgroundPath, bTemplate);
}
