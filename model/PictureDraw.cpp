// PictureDraw.cpp - drawing bodies of the clip-art and background pictures.

#include "ElementDraw.h"
#include "ClippedDraw.h"
#include "FillPainter.h"
#include "PictureElements.h"
#include "ShapeOutlines.h"

using namespace Gdiplus;

namespace
{
// The clip-art picture too large for the device: shadow, frame and picture within the
// visible area.
void DrawClippedClipArt(Graphics* pGraphics, CBtImage* pElement, const RectF& r)
{
    CClippedDrawing clip(pGraphics, r, (float)pElement->m_nAngle);
    if (!clip.IsReady())
        return;
    const CDRing frame = { CDPoint{ r.X, r.Y }, CDPoint{ r.X + r.Width, r.Y },
                           CDPoint{ r.X + r.Width, r.Y + r.Height }, CDPoint{ r.X, r.Y + r.Height } };
    if (!pElement->m_bTransparent && pElement->m_bShadow)
    {
        CDRing shadow = frame;
        for (CDPoint& p : shadow)
        {
            p.x += pElement->m_nShadowLength;
            p.y += pElement->m_nShadowLength;
        }
        const std::vector<PointF> pts = clip.ClipFill(shadow);
        if (pts.size() >= 3)
        {
            SolidBrush brush(Color(pElement->m_clrShadow));
            pGraphics->FillPolygon(&brush, pts.data(), (INT)pts.size());
        }
    }
    if (pElement->m_nLineWidth > 0)
    {
        Pen* pPen = CreateOutlinePen(pElement->m_clrLine, (float)(pElement->m_nLineWidth + 1),
                                     pElement->m_nDashStyle);
        clip.Stroke(pPen, frame, true);
        delete pPen;
    }
    if (pElement->m_pBitmap != NULL)
        clip.DrawPicture(pElement->m_pBitmap.get(), r);
}
}

// Draws a picture element with its turn, shadow and frame; a clipped drawing goes through the clip path.
void DrawClipArtElement(Graphics* pGraphics, CBtImage* pElement, CPoint ptOffset, bool bClipped)
{
    const RectF r = GetDrawnRect(pElement->m_rect, ptOffset.x, ptOffset.y);
    if (bClipped)
    {
        DrawClippedClipArt(pGraphics, pElement, r);
        pGraphics->ResetTransform();
        return;
    }
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
        if (COwnDashesScope::IsActive())
            StrokeWorldPolyline(pGraphics, pPen,
                                CDRing{ CDPoint{ r.X, r.Y }, CDPoint{ r.X + r.Width, r.Y },
                                        CDPoint{ r.X + r.Width, r.Y + r.Height }, CDPoint{ r.X, r.Y + r.Height } },
                                true);
        else
            pGraphics->DrawRectangle(pPen, r);
        delete pPen;
    }
    if (pElement->m_pBitmap != NULL)
        pGraphics->DrawImage(pElement->m_pBitmap.get(), r);
    pGraphics->ResetTransform();
}

void DrawBackgroundElement(Graphics* pGraphics, CBkgImage* pElement, CPoint ptOffset, bool bClipped)
{
    const CRect& rc = pElement->m_rect;
    if (pElement->m_pBitmap != NULL)
    {
        const RectF r((float)ptOffset.x, (float)ptOffset.y, (float)(rc.right - rc.left),
                      (float)(rc.bottom - rc.top));
        if (bClipped)
            CClippedDrawing(pGraphics, r, 0).DrawPicture(pElement->m_pBitmap.get(), r);
        else
            pGraphics->DrawImage(pElement->m_pBitmap.get(), r);
    }
    pGraphics->ResetTransform();
}
