// ElementClassesDraw.cpp - the drawing operations of the element classes.
//
// DrawGraphics draws the element where it lies (column 1, row 1, no margins, gaps or cell
// sizes); DrawDC and DrawInCellDC make a GDI+ graphics on the device context's output
// handle. Every shape and picture class draws in DrawInCell through its body in
// ShapeDraw.cpp or PictureDraw.cpp; the texts draw in DrawTextInCell. Elements beyond the
// bounds a file may hold, or larger on the device than any page, are left out; shapes and
// pictures too large on the device for the drawing library are drawn clipped to the
// visible area (ClippedDraw.h).

#include "Elements.h"
#include "ElementDraw.h"
#include "ElementStream.h"

#include <math.h>

using Gdiplus::Graphics;

namespace
{
// Largest device coordinate an element drawn by the drawing library alone may reach: it
// hangs on ellipses some 45000 pixels across, and it overflows its stack stroking any
// curve, even a small one, whose points lie some 12000 pixels out along both axes.
// Elements beyond it are drawn clipped.
const double kMaxDeviceCoordinate = 6000;
// Largest device coordinate of an element's own rectangle: a design of 25 inches is 30000
// pixels at 1200 dpi, a page at most a third more; a rectangle beyond it is left out.
const double kMaxRectangleCoordinate = 45000;

// How an element is drawn.
enum DrawingWay
{
    DRAW_NOTHING,   // beyond the bounds a file may hold
    DRAW_WHOLE,     // by the drawing library
    DRAW_CLIPPED    // its visible part, clipped here
};

// Pixels per page unit of the graphics.
double PixelsPerPageUnit(Graphics* pGraphics)
{
    const double fScale = pGraphics->GetPageScale();
    const double fDpi = pGraphics->GetDpiX();
    switch (pGraphics->GetPageUnit())
    {
    case Gdiplus::UnitInch:
        return fScale * fDpi;
    case Gdiplus::UnitPoint:
        return fScale * fDpi / 72;
    case Gdiplus::UnitDocument:
        return fScale * fDpi / 300;
    case Gdiplus::UnitMillimeter:
        return fScale * fDpi / 25.4;
    case Gdiplus::UnitDisplay:
        return fScale * (fDpi > 100 ? fDpi / 100 : 1.0);   // a hundredth of an inch on printers
    default:
        return fScale;
    }
}

// Bounds of a curve's points; false when it has none.
template <class TCurve>
bool GetPointBounds(const TCurve* pCurve, double& minX, double& minY, double& maxX, double& maxY)
{
    if (pCurve->m_pPoints == NULL || pCurve->m_nPointCount <= 0)
        return false;
    for (int i = 0; i < pCurve->m_nPointCount; i++)
    {
        const double x = pCurve->m_pPoints[i].X;
        const double y = pCurve->m_pPoints[i].Y;
        if (!IsFileCoordinate(x) || !IsFileCoordinate(y))
            return false;
        if (i == 0 || x < minX) minX = x;
        if (i == 0 || x > maxX) maxX = x;
        if (i == 0 || y < minY) minY = y;
        if (i == 0 || y > maxY) maxY = y;
    }
    return true;
}

// Bounds of the element's drawing in page units, with room for rotation, pen, shadow and
// rays; false when the element lies beyond the bounds a file may hold.
bool GetDrawnBounds(const CElement* pElement, CPoint ptOffset, double& minX, double& minY,
                    double& maxX, double& maxY)
{
    CElement* pMutable = const_cast<CElement*>(pElement);
    if (!IsElementWithinFileBounds(pElement))
        return false;
    minX = fmin(pElement->m_rect.left, pElement->m_rect.right);
    minY = fmin(pElement->m_rect.top, pElement->m_rect.bottom);
    maxX = fmax(pElement->m_rect.left, pElement->m_rect.right);
    maxY = fmax(pElement->m_rect.top, pElement->m_rect.bottom);
    double pMinX = 0, pMinY = 0, pMaxX = 0, pMaxY = 0;
    bool bPoints = false;
    if (pMutable->IsKindOf(RUNTIME_CLASS(CFreehandLine)))
        bPoints = GetPointBounds(static_cast<CFreehandLine*>(pMutable), pMinX, pMinY, pMaxX, pMaxY);
    else if (pMutable->IsKindOf(RUNTIME_CLASS(CClosedCurve)))
        bPoints = GetPointBounds(static_cast<CClosedCurve*>(pMutable), pMinX, pMinY, pMaxX, pMaxY);
    if (bPoints)
    {
        minX = fmin(minX, pMinX);
        minY = fmin(minY, pMinY);
        maxX = fmax(maxX, pMaxX);
        maxY = fmax(maxY, pMaxY);
    }
    // the turn about the centre reaches half the larger side further; the sun's rays
    // reach 0.8 of it from the centre
    const double fSide = fmax(maxX - minX, maxY - minY);
    double fMargin = 0;
    if (pMutable->IsKindOf(RUNTIME_CLASS(CShapeSun)))
        fMargin = fSide;
    else if (pElement->m_nAngle % 360 != 0)
        fMargin = fSide / 2;
    // pens: joins of sharp corners reach up to the miter limit of half widths
    fMargin += abs(pElement->m_nLineWidth) * 6.0 + abs(pElement->m_nShadowLength) + 2;
    minX += ptOffset.x - fMargin;
    minY += ptOffset.y - fMargin;
    maxX += ptOffset.x + fMargin;
    maxY += ptOffset.y + fMargin;
    return true;
}

// True when the corners of the box lie within fLimit device pixels of the origin.
bool IsBoxWithin(const Gdiplus::Matrix& matrix, double fPixels, double minX, double minY,
                 double maxX, double maxY, double fLimit)
{
    Gdiplus::PointF corners[4] = {
        Gdiplus::PointF((float)minX, (float)minY), Gdiplus::PointF((float)maxX, (float)minY),
        Gdiplus::PointF((float)maxX, (float)maxY), Gdiplus::PointF((float)minX, (float)maxY) };
    matrix.TransformPoints(corners, 4);
    for (const Gdiplus::PointF& pt : corners)
    {
        const double x = pt.X * fPixels;
        const double y = pt.Y * fPixels;
        if (!(fabs(x) <= fLimit) || !(fabs(y) <= fLimit))
            return false;
    }
    return true;
}

// How the element is drawn: whole when its drawn bounds stay within the device
// coordinates the drawing library handles.
DrawingWay GetDrawingWay(Graphics* pGraphics, CElement* pElement, CPoint ptOffset)
{
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    if (!GetDrawnBounds(pElement, ptOffset, minX, minY, maxX, maxY))
        return DRAW_NOTHING;
    Gdiplus::Matrix matrix;
    pGraphics->GetTransform(&matrix);
    const double fPixels = PixelsPerPageUnit(pGraphics);
    if (IsBoxWithin(matrix, fPixels, minX, minY, maxX, maxY, kMaxDeviceCoordinate))
        return DRAW_WHOLE;
    const CRect& rc = pElement->m_rect;
    if (!IsBoxWithin(matrix, fPixels, (double)rc.left + ptOffset.x, (double)rc.top + ptOffset.y,
                     (double)rc.right + ptOffset.x, (double)rc.bottom + ptOffset.y,
                     kMaxRectangleCoordinate))
        return DRAW_NOTHING;
    return DRAW_CLIPPED;
}
}

bool GetElementDrawnBounds(const CElement* pElement, CPoint ptOffset, Gdiplus::RectF& rc)
{
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    if (pElement == NULL || !GetDrawnBounds(pElement, ptOffset, minX, minY, maxX, maxY))
        return false;
    rc = Gdiplus::RectF((float)minX, (float)minY, (float)(maxX - minX), (float)(maxY - minY));
    return true;
}

// The drawing operations of a class whose DrawInCell runs BODY with pGraphics, the cell
// offset ptOffset and bClipped.
#define IMPLEMENT_ELEMENT_DRAWING(class_name, BODY) \
    void class_name::DrawGraphics(Graphics* pGraphics) \
    { \
        DrawInCell(pGraphics, 1, 1, 0, 0, 0, 0, 0, 0); \
    } \
    void class_name::DrawDC(CDC* pDC) \
    { \
        DrawOnDC(pDC, [this](Graphics* pGraphics) { DrawInCell(pGraphics, 1, 1, 0, 0, 0, 0, 0, 0); }); \
    } \
    void class_name::DrawInCell(Graphics* pGraphics, int nColumn, int nRow, float fLeftMargin, \
                                float fTopMargin, float fRowGap, float fColumnGap, \
                                int nCellWidth, int nCellHeight) \
    { \
        if (pGraphics == NULL) \
            return; \
        const CPoint ptOffset = GetCellOffset(nColumn, nRow, fLeftMargin, fTopMargin, fRowGap, \
                                              fColumnGap, nCellWidth, nCellHeight); \
        const DrawingWay nWay = GetDrawingWay(pGraphics, this, ptOffset); \
        if (nWay == DRAW_NOTHING) \
            return; \
        const bool bClipped = nWay == DRAW_CLIPPED; \
        BODY; \
    } \
    void class_name::DrawInCellDC(CDC* pDC, int nColumn, int nRow, float fLeftMargin, \
                                  float fTopMargin, float fRowGap, float fColumnGap, \
                                  int nCellWidth, int nCellHeight) \
    { \
        DrawOnDC(pDC, [&](Graphics* pGraphics) { \
            DrawInCell(pGraphics, nColumn, nRow, fLeftMargin, fTopMargin, fRowGap, fColumnGap, \
                       nCellWidth, nCellHeight); \
        }); \
    }

IMPLEMENT_ELEMENT_DRAWING(CRectangle, DrawRectangleElement(pGraphics, this, ptOffset, bClipped))
IMPLEMENT_ELEMENT_DRAWING(CCircle, DrawCircleElement(pGraphics, this, ptOffset, bClipped))
IMPLEMENT_ELEMENT_DRAWING(CRhombus, DrawRhombusElement(pGraphics, this, ptOffset, bClipped))
IMPLEMENT_ELEMENT_DRAWING(CRectRound, DrawRectRoundElement(pGraphics, this, ptOffset, bClipped))
IMPLEMENT_ELEMENT_DRAWING(CTriangle, DrawTriangleElement(pGraphics, this, ptOffset, bClipped))

IMPLEMENT_ELEMENT_DRAWING(CCalloutBL, DrawCalloutElement(pGraphics, this, ptOffset, true, bClipped))
IMPLEMENT_ELEMENT_DRAWING(CCalloutBR, DrawCalloutElement(pGraphics, this, ptOffset, false, bClipped))
IMPLEMENT_ELEMENT_DRAWING(CShapeArrowL, DrawArrowElement(pGraphics, this, ptOffset, true, bClipped))
IMPLEMENT_ELEMENT_DRAWING(CShapeArrowR, DrawArrowElement(pGraphics, this, ptOffset, false, bClipped))

IMPLEMENT_ELEMENT_DRAWING(CShapeParallelo, DrawParalleloElement(pGraphics, this, ptOffset, bClipped))
IMPLEMENT_ELEMENT_DRAWING(CShapeStar, DrawStarElement(pGraphics, this, ptOffset, bClipped))
IMPLEMENT_ELEMENT_DRAWING(CShapeExplosion, DrawBurstElement(pGraphics, this, ptOffset, bClipped))
IMPLEMENT_ELEMENT_DRAWING(CShapeMoon, DrawMoonElement(pGraphics, this, ptOffset, bClipped))
IMPLEMENT_ELEMENT_DRAWING(CShapeSun, DrawSunElement(pGraphics, this, ptOffset, bClipped))

IMPLEMENT_ELEMENT_DRAWING(CLine, DrawLineElement(pGraphics, this, ptOffset, bClipped))
IMPLEMENT_ELEMENT_DRAWING(CFreehandLine, DrawFreehandElement(pGraphics, this, ptOffset, bClipped))
IMPLEMENT_ELEMENT_DRAWING(CClosedCurve, DrawClosedCurveElement(pGraphics, this, ptOffset, bClipped))

IMPLEMENT_ELEMENT_DRAWING(CBtImage, DrawClipArtElement(pGraphics, this, ptOffset, bClipped))
IMPLEMENT_ELEMENT_DRAWING(CBkgImage, DrawBackgroundElement(pGraphics, this, ptOffset, bClipped))

/////////////////////////////////////////////////////////////////////////////
// Texts

void CText::DrawGraphics(Graphics* pGraphics)
{
    DrawTextInCell(pGraphics, 1, 1, 0, 0, 0, 0, 0, 0);
}

void CText::DrawDC(CDC* pDC)
{
    DrawOnDC(pDC, [this](Graphics* pGraphics) { DrawTextInCell(pGraphics, 1, 1, 0, 0, 0, 0, 0, 0); });
}

void CText::DrawInCell(Graphics*, int, int, float, float, float, float, int, int)
{
}

void CText::DrawInCellDC(CDC* pDC, int nColumn, int nRow, float fLeftMargin, float fTopMargin,
                         float fRowGap, float fColumnGap, int nCellWidth, int nCellHeight)
{
    DrawOnDC(pDC, [&](Graphics* pGraphics) {
        DrawTextInCell(pGraphics, nColumn, nRow, fLeftMargin, fTopMargin, fRowGap, fColumnGap,
                       nCellWidth, nCellHeight);
    });
}

void CText::DrawTextInCell(Graphics* pGraphics, int nColumn, int nRow, float fLeftMargin,
                           float fTopMargin, float fRowGap, float fColumnGap, int nCellWidth,
                           int nCellHeight)
{
    if (pGraphics == NULL)
        return;
    const CPoint ptOffset = GetCellOffset(nColumn, nRow, fLeftMargin, fTopMargin, fRowGap,
                                          fColumnGap, nCellWidth, nCellHeight);
    if (GetDrawingWay(pGraphics, this, ptOffset) == DRAW_NOTHING)
        return;
    // glyphs are drawn as pictures, not flattened outlines: the library draws a text of
    // any size within the bounds
    DrawTextElement(pGraphics, this, ptOffset);
}
