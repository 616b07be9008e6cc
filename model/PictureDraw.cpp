// PictureDraw.cpp - drawing bodies of the clip-art and background pictures.

#include "ElementDraw.h"
#include "FillPainter.h"
#include "PictureElements.h"
#include "ShapeOutlines.h"

using namespace Gdiplus;

void DrawClipArtElement(Graphics* pGraphics, CBtImage* pElement, CPoint ptOffset)
{
    const RectF r = GetDrawnRect(pElement->m_rect, ptOffset.x, ptOffset.y);
    PrependElementRotation(pGraphics, r, (float)pElement->m_nAngle);
    if (!pElement->m_bTransparent && pElement->m_bShadow)
    {
        SolidBrush brush(Color(pElement->m_clrShadow));
        const float s = (float)pElement->m_nShadowLength;
        pGraphics->FillRectangle(&brush, r.X + s, r.Y + s, r.Width, r.Height);
    }
    if (pElement->m_nLineWidth > 0)
    {
        // The frame is one unit wider than the line width; the picture covers its inner half.
        Pen* pPen = CreateOutlinePen(pElement->m_clrLine, (float)(pElement->m_nLineWidth + 1),
                                     pElement->m_nDashStyle);
        pGraphics->DrawRectangle(pPen, r);
        delete pPen;
    }
    if (pElement->m_pBitmap != NULL)
        pGraphics->DrawImage(pElement->m_pBitmap.get(), r);
    pGraphics->ResetTransform();
}

void DrawBackgroundElement(Graphics* pGraphics, CBkgImage* pElement, CPoint ptOffset)
{
    const CRect& rc = pElement->m_rect;
    if (pElement->m_pBitmap != NULL)
    {
        pGraphics->DrawImage(pElement->m_pBitmap.get(),
                             RectF((float)ptOffset.x, (float)ptOffset.y,
                                   (float)(rc.right - rc.left), (float)(rc.bottom - rc.top)));
    }
    pGraphics->ResetTransform();
}
