// TemplatePreview.cpp - the preview render of a design.

#include "TemplatePreview.h"
#include "Element.h"
#include "PictureLoad.h"
#include "FileLimits.h"
#include "VarnelDoc.h"

using namespace Gdiplus;

Bitmap* RenderDesignPreview(CElementList& list, int nSide, int nWidth, int nHeight,
                            LPCSTR pszBackgroundPath, BOOL bDrawElements)
{
    if (nWidth <= 0 || nHeight <= 0)
        return NULL;
    Bitmap* pPicture = new Bitmap(nWidth, nHeight, PixelFormat32bppARGB);
    if (pPicture->GetLastStatus() != Ok)
    {
        delete pPicture;
        return NULL;
    }

    Graphics graphics(pPicture);
    graphics.Clear(Color(0xFFFFFFFF));

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
