// ShapeDraw.cpp - drawing bodies of the shapes, lines and curves.

#include "ElementDraw.h"
#include "ElementStream.h"
#include "FillPainter.h"
#include "LineElements.h"
#include "ShapeOutlines.h"

#include <math.h>

#include <vector>

using namespace Gdiplus;

namespace
{
enum OutlineForm
{
    FORM_RECT,      // the rectangle R
    FORM_ELLIPSE,   // the ellipse inscribed in R
    FORM_POLYGON,   // a closed polygon of points
    FORM_PATH       // a closed path
};

// The outline of an area shape and the shape code its fill passes to the painter.
struct AreaOutline
{
    OutlineForm nForm;
    int nShapeCode;
    const PointF* pPoints;
    int nCount;
    GraphicsPath* pPath;
    bool bOpenOutline;      // outline drawn as an open polyline through the points
};

AreaOutline MakeOutline(OutlineForm nForm, int nShapeCode, const PointF* pPoints = NULL,
                        int nCount = 0, GraphicsPath* pPath = NULL)
{
    AreaOutline outline = { nForm, nShapeCode, pPoints, nCount, pPath, false };
    return outline;
}

void FillShadow(Graphics* pGraphics, CElement* pElement, const RectF& r, const AreaOutline& outline)
{
    SolidBrush brush(Color(pElement->m_clrShadow));
    const float s = (float)pElement->m_nShadowLength;
    switch (outline.nForm)
    {
    case FORM_RECT:
        pGraphics->FillRectangle(&brush, r.X + s, r.Y + s, r.Width, r.Height);
        break;
    case FORM_ELLIPSE:
        pGraphics->FillEllipse(&brush, r.X + s, r.Y + s, r.Width, r.Height);
        break;
    case FORM_POLYGON:
        if (outline.nCount > 0)
        {
            std::vector<PointF> moved(outline.pPoints, outline.pPoints + outline.nCount);
            for (PointF& pt : moved)
            {
                pt.X += s;
                pt.Y += s;
            }
            pGraphics->FillPolygon(&brush, moved.data(), (INT)moved.size(), FillModeAlternate);
        }
        break;
    case FORM_PATH:
        if (outline.pPath != NULL)
        {
            GraphicsPath* pShadow = outline.pPath->Clone();
            if (pShadow != NULL)
            {
                Matrix m;
                m.Translate(s, s);
                pShadow->Transform(&m);
                pGraphics->FillPath(&brush, pShadow);
                delete pShadow;
            }
        }
        break;
    }
}

void DrawOutline(Graphics* pGraphics, Pen* pPen, const RectF& r, const AreaOutline& outline)
{
    switch (outline.nForm)
    {
    case FORM_RECT:
        pGraphics->DrawRectangle(pPen, r);
        break;
    case FORM_ELLIPSE:
        pGraphics->DrawEllipse(pPen, r);
        break;
    case FORM_POLYGON:
        if (outline.bOpenOutline)
            pGraphics->DrawLines(pPen, outline.pPoints, outline.nCount);
        else
            pGraphics->DrawPolygon(pPen, outline.pPoints, outline.nCount);
        break;
    case FORM_PATH:
        if (outline.pPath != NULL)
            pGraphics->DrawPath(pPen, outline.pPath);
        break;
    }
}

// Shadow, fill and outline of an area shape in the current (rotated) world transform.
void DrawArea(Graphics* pGraphics, CElement* pElement, const RectF& r, const AreaOutline& outline)
{
    const bool bFilled = pElement->m_nFillKind != 0 && !pElement->m_bTransparent;
    if (bFilled && pElement->m_bShadow)
        FillShadow(pGraphics, pElement, r, outline);
    if (bFilled)
    {
        FillElementShape(pGraphics, r.X, r.Y, r.Width, r.Height, pElement->m_nFillKind,
                         pElement->m_clrFill, pElement->m_clrPattern, outline.nShapeCode,
                         outline.pPoints, outline.nCount, outline.pPath);
    }
    if (pElement->m_nLineWidth > 0)
    {
        Pen* pPen = CreateOutlinePen(pElement->m_clrLine, (float)pElement->m_nLineWidth,
                                     pElement->m_nDashStyle);
        DrawOutline(pGraphics, pPen, r, outline);
        delete pPen;
    }
}

// The whole drawing of an area shape: rotation, shadow, fill, outline, reset.
void DrawRotatedArea(Graphics* pGraphics, CElement* pElement, const RectF& r,
                     const AreaOutline& outline, int nExtraAngle = 0)
{
    PrependElementRotation(pGraphics, r, (float)(pElement->m_nAngle + nExtraAngle));
    DrawArea(pGraphics, pElement, r, outline);
    pGraphics->ResetTransform();
}

RectF DrawnRect(CElement* pElement, CPoint ptOffset)
{
    return GetDrawnRect(pElement->m_rect, ptOffset.x, ptOffset.y);
}

void AddArc(GraphicsPath& path, const OutlineArc& arc)
{
    path.AddArc(arc.X, arc.Y, arc.Width, arc.Height, arc.StartAngle, arc.SweepAngle);
}

// Closed path of points, shadowed, filled (shape code 107) and outlined.
void DrawPointPath(Graphics* pGraphics, CElement* pElement, const RectF& r, const PointF* pPoints,
                   int nCount, int nExtraAngle = 0)
{
    GraphicsPath path(FillModeAlternate);
    path.AddLines(pPoints, nCount);
    path.CloseFigure();
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_PATH, 107, NULL, 0, &path), nExtraAngle);
}

// Shared body of the two curves: points moved by the offset, rotation about the drawn
// rectangle, then the rectangle refitted to the points.
template <class TCurve>
std::vector<PointF> BeginCurve(Graphics* pGraphics, TCurve* pCurve, CPoint ptOffset, RectF& r)
{
    r = DrawnRect(pCurve, ptOffset);
    std::vector<PointF> pts;
    if (pCurve->m_pPoints != NULL && pCurve->m_nPointCount > 0)
        pts.assign(pCurve->m_pPoints, pCurve->m_pPoints + pCurve->m_nPointCount);
    for (PointF& pt : pts)
    {
        // a curve with a point far outside any design (or no number) is not drawn
        if (!IsFileCoordinate(pt.X) || !IsFileCoordinate(pt.Y))
        {
            pts.clear();
            break;
        }
        pt.X += (float)ptOffset.x;
        pt.Y += (float)ptOffset.y;
    }
    PrependElementRotation(pGraphics, r, (float)pCurve->m_nAngle);
    pCurve->RecalcRect();
    return pts;
}
}

void PrependElementRotation(Graphics* pGraphics, const RectF& rc, float fAngle)
{
    if (fmodf(fAngle, 360.0f) == 0.0f)
        return;
    const float cx = rc.X + rc.Width / 2;
    const float cy = rc.Y + rc.Height / 2;
    pGraphics->TranslateTransform(cx, cy, MatrixOrderPrepend);
    pGraphics->RotateTransform(-fAngle, MatrixOrderPrepend);
    pGraphics->TranslateTransform(-cx, -cy, MatrixOrderPrepend);
}

/////////////////////////////////////////////////////////////////////////////
// Basic shapes

void DrawRectangleElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_RECT, 102));
}

void DrawCircleElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_ELLIPSE, 103));
}

void DrawRhombusElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    PointF pts[4];
    GetRhombusPoints(r, pts);
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_POLYGON, 105, pts, 4));
}

void DrawTriangleElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    PointF pts[3];
    GetTrianglePoints(r, pts);
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_POLYGON, 108, pts, 3));
}

void DrawRectRoundElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    OutlineArc arcs[4];
    GetRoundRectArcs(r, arcs);
    GraphicsPath path(FillModeAlternate);
    for (const OutlineArc& arc : arcs)
        AddArc(path, arc);
    path.CloseFigure();
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_PATH, 107, NULL, 0, &path));
}

/////////////////////////////////////////////////////////////////////////////
// Callouts and arrows

void DrawCalloutElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset, bool bTailLeft)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    OutlineArc arcs[4];
    PointF tail[2];
    GetCalloutOutline(r, bTailLeft, arcs, tail);
    GraphicsPath path(FillModeAlternate);
    AddArc(path, arcs[0]);
    AddArc(path, arcs[1]);
    AddArc(path, arcs[2]);
    path.AddLine(tail[0], tail[1]);
    AddArc(path, arcs[3]);
    path.CloseFigure();
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_PATH, 107, NULL, 0, &path));
}

void DrawArrowElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset, bool bPointLeft)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    PointF pts[7];
    if (bPointLeft)
        GetArrowLeftPoints(r, pts);
    else
        GetArrowRightPoints(r, pts);
    DrawPointPath(pGraphics, pElement, r, pts, 7);
}

/////////////////////////////////////////////////////////////////////////////
// Decorative shapes

void DrawParalleloElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    PointF pts[4];
    GetParallelogramPoints(r, pts);
    DrawPointPath(pGraphics, pElement, r, pts, 4);
}

void DrawStarElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    PointF pts[10];
    GetStarPoints(r, pts);
    DrawPointPath(pGraphics, pElement, r, pts, 10, STAR_EXTRA_ANGLE);
}

void DrawBurstElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    PointF pts[24];
    GetBurstPoints(r, pts);
    DrawPointPath(pGraphics, pElement, r, pts, 24);
}

void DrawMoonElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    OutlineArc arcs[2];
    GetCrescentArcs(r, arcs);
    GraphicsPath path(FillModeAlternate);
    AddArc(path, arcs[0]);
    AddArc(path, arcs[1]);
    path.CloseFigure();
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_PATH, 107, NULL, 0, &path));
}

void DrawSunElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    GraphicsPath path(FillModeAlternate);
    path.AddArc(r, 0, 360);
    path.CloseFigure();
    PrependElementRotation(pGraphics, r, (float)pElement->m_nAngle);
    DrawArea(pGraphics, pElement, r, MakeOutline(FORM_PATH, 107, NULL, 0, &path));

    // The rays: outline pen, also when the line width is 0 (a hairline). Each ray is a
    // figure of its own, so the eight are stroked as eight separate lines in one call.
    PointF ptFrom[8], ptTo[8];
    GetSunRays(r, ptFrom, ptTo);
    GraphicsPath rays;
    for (int k = 0; k < 8; k++)
    {
        rays.StartFigure();
        rays.AddLine(ptFrom[k], ptTo[k]);
    }
    Pen* pPen = CreateOutlinePen(pElement->m_clrLine, (float)pElement->m_nLineWidth,
                                 pElement->m_nDashStyle);
    pGraphics->DrawPath(pPen, &rays);
    delete pPen;
    pGraphics->ResetTransform();
}

/////////////////////////////////////////////////////////////////////////////
// Lines and curves

void DrawLineElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    PointF ptFrom, ptTo;
    GetLineEndPoints(r, pElement->m_nLineDirection, ptFrom, ptTo);
    Pen* pPen = CreateOutlinePen(pElement->m_clrLine, (float)pElement->m_nLineWidth,
                                 pElement->m_nDashStyle);
    pGraphics->DrawLine(pPen, ptFrom, ptTo);
    delete pPen;
    pGraphics->ResetTransform();
}

void DrawFreehandElement(Graphics* pGraphics, CFreehandLine* pElement, CPoint ptOffset)
{
    RectF r;
    std::vector<PointF> pts = BeginCurve(pGraphics, pElement, ptOffset, r);
    if (pts.size() >= 2)
    {
        Pen* pPen = CreateOutlinePen(pElement->m_clrLine, (float)pElement->m_nLineWidth,
                                     pElement->m_nDashStyle);
        pGraphics->DrawLines(pPen, pts.data(), (INT)pts.size());
        delete pPen;
    }
    pGraphics->ResetTransform();
}

void DrawClosedCurveElement(Graphics* pGraphics, CClosedCurve* pElement, CPoint ptOffset)
{
    RectF r;
    std::vector<PointF> pts = BeginCurve(pGraphics, pElement, ptOffset, r);
    if (!pts.empty())
    {
        AreaOutline outline = MakeOutline(FORM_POLYGON, 120, pts.data(), (int)pts.size());
        outline.bOpenOutline = true;
        DrawArea(pGraphics, pElement, r, outline);
    }
    pGraphics->ResetTransform();
}
