// ElementClassesDraw.cpp - the drawing operations of the element classes.
//
// DrawGraphics draws the element where it lies (column 1, row 1, no margins, gaps or cell
// sizes); DrawDC and DrawInCellDC make a GDI+ graphics on the device context's output
// handle. Every shape and picture class draws in DrawInCell through its body in
// ShapeDraw.cpp or PictureDraw.cpp; the texts draw in DrawTextInCell. Elements beyond the
// bounds a file may hold are left out.

#include "Elements.h"
#include "ElementDraw.h"
#include "ElementStream.h"

using Gdiplus::Graphics;

// The drawing operations of a class whose DrawInCell runs BODY with pGraphics and the
// cell offset ptOffset.
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
        if (pGraphics == NULL || !IsElementWithinFileBounds(this)) \
            return; \
        const CPoint ptOffset = GetCellOffset(nColumn, nRow, fLeftMargin, fTopMargin, fRowGap, \
                                              fColumnGap, nCellWidth, nCellHeight); \
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

IMPLEMENT_ELEMENT_DRAWING(CRectangle, DrawRectangleElement(pGraphics, this, ptOffset))
IMPLEMENT_ELEMENT_DRAWING(CCircle, DrawCircleElement(pGraphics, this, ptOffset))
IMPLEMENT_ELEMENT_DRAWING(CRhombus, DrawRhombusElement(pGraphics, this, ptOffset))
IMPLEMENT_ELEMENT_DRAWING(CRectRound, DrawRectRoundElement(pGraphics, this, ptOffset))
IMPLEMENT_ELEMENT_DRAWING(CTriangle, DrawTriangleElement(pGraphics, this, ptOffset))

IMPLEMENT_ELEMENT_DRAWING(CCalloutBL, DrawCalloutElement(pGraphics, this, ptOffset, true))
IMPLEMENT_ELEMENT_DRAWING(CCalloutBR, DrawCalloutElement(pGraphics, this, ptOffset, false))
IMPLEMENT_ELEMENT_DRAWING(CShapeArrowL, DrawArrowElement(pGraphics, this, ptOffset, true))
IMPLEMENT_ELEMENT_DRAWING(CShapeArrowR, DrawArrowElement(pGraphics, this, ptOffset, false))

IMPLEMENT_ELEMENT_DRAWING(CShapeParallelo, DrawParalleloElement(pGraphics, this, ptOffset))
IMPLEMENT_ELEMENT_DRAWING(CShapeStar, DrawStarElement(pGraphics, this, ptOffset))
IMPLEMENT_ELEMENT_DRAWING(CShapeExplosion, DrawBurstElement(pGraphics, this, ptOffset))
IMPLEMENT_ELEMENT_DRAWING(CShapeMoon, DrawMoonElement(pGraphics, this, ptOffset))
IMPLEMENT_ELEMENT_DRAWING(CShapeSun, DrawSunElement(pGraphics, this, ptOffset))

IMPLEMENT_ELEMENT_DRAWING(CLine, DrawLineElement(pGraphics, this, ptOffset))
IMPLEMENT_ELEMENT_DRAWING(CFreehandLine, DrawFreehandElement(pGraphics, this, ptOffset))
IMPLEMENT_ELEMENT_DRAWING(CClosedCurve, DrawClosedCurveElement(pGraphics, this, ptOffset))

IMPLEMENT_ELEMENT_DRAWING(CBtImage, DrawClipArtElement(pGraphics, this, ptOffset))
IMPLEMENT_ELEMENT_DRAWING(CBkgImage, DrawBackgroundElement(pGraphics, this, ptOffset))

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
    if (pGraphics == NULL || !IsElementWithinFileBounds(this))
        return;
    const CPoint ptOffset = GetCellOffset(nColumn, nRow, fLeftMargin, fTopMargin, fRowGap,
                                          fColumnGap, nCellWidth, nCellHeight);
    DrawTextElement(pGraphics, this, ptOffset);
}
