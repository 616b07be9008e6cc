// ShapeDraw.cpp - drawing bodies of the shapes, lines and curves.

#include "ElementDraw.h"
#include "ClippedDraw.h"
#include "DeviceStrokes.h"
#include "ElementStream.h"
#include "FillPainter.h"
#include "LineElements.h"
#include "ShapeOutlines.h"

#include <math.h>

#include <vector>

using namespace Gdiplus;

namespace
{
// True when the pen's dashes are to be drawn here (COwnDashesScope).
bool HasOwnDashes(Pen* pPen)
{
    return pPen != NULL && COwnDashesScope::IsActive() && !GetDashPattern(pPen->GetDashStyle()).empty();
}

// Strokes a path, its curves flattened here to a tenth of a device pixel (the library's
// own flattening of a pen's path overflows its stack on small curves far out); with own
// dashes, dash by dash.
void StrokeElementPath(Graphics* pGraphics, Pen* pPen, const GraphicsPath& path)
{
    const double fTolerance = GetWorldTolerance(pGraphics);
    if (HasOwnDashes(pPen))
    {
        for (const CDFigure& figure : FlattenPathFigures(path, fTolerance))
            StrokeWorldPolyline(pGraphics, pPen, figure.points, figure.bClosed);
        return;
    }
    if (!HasCurves(path))
    {
        DrawPathOutline(pGraphics, pPen, path);
        return;
    }
    GraphicsPath flat(path.GetFillMode());
    AddFlattenedPath(flat, path, fTolerance);
    DrawPathOutline(pGraphics, pPen, flat);
}

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

// The outline filled in the shadow colour, moved down and right by the shadow length.
void FillShadow(Graphics* pGraphics, CElement* pElement, const RectF& r, const AreaOutline& outline)
{
    SolidBrush brush(Color(pElement->m_clrShadow));
    const float s = (float)pElement->m_nShadowLength;
    switch (outline.nForm)
    {
    case FORM_RECT:
        FillRectangleArea(pGraphics, &brush, RectF(r.X + s, r.Y + s, r.Width, r.Height));
        break;
    case FORM_ELLIPSE:
        FillEllipseArea(pGraphics, &brush, RectF(r.X + s, r.Y + s, r.Width, r.Height));
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
            FillPolygonArea(pGraphics, &brush, moved.data(), (INT)moved.size(), FillModeAlternate);
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
                FillPathArea(pGraphics, &brush, *pShadow);
                delete pShadow;
            }
        }
        break;
    }
}

void AddOutlineToPath(GraphicsPath& path, const RectF& r, const AreaOutline& outline);

// Outline of an area shape, its curves flattened here (the library's own flattening of a
// pen's path overflows).
void DrawOutline(Graphics* pGraphics, Pen* pPen, const RectF& r, const AreaOutline& outline)
{
    // ellipses and paths may hold curves: StrokeElementPath flattens them
    if (HasOwnDashes(pPen) || outline.nForm == FORM_ELLIPSE || outline.nForm == FORM_PATH)
    {
        if (outline.nForm == FORM_POLYGON && outline.bOpenOutline)
        {
            CDRing line;
            for (int i = 0; i < outline.nCount; i++)
                line.push_back(CDPoint{ outline.pPoints[i].X, outline.pPoints[i].Y });
            StrokeWorldPolyline(pGraphics, pPen, line, false);
            return;
        }
        GraphicsPath path(FillModeAlternate);
        AddOutlineToPath(path, r, outline);
        StrokeElementPath(pGraphics, pPen, path);
        return;
    }
    switch (outline.nForm)
    {
    case FORM_RECT:
        DrawRectangleOutline(pGraphics, pPen, r);
        break;
    case FORM_POLYGON:
        if (outline.bOpenOutline)
            DrawLinesOutline(pGraphics, pPen, outline.pPoints, outline.nCount);
        else
            DrawPolygonOutline(pGraphics, pPen, outline.pPoints, outline.nCount);
        break;
    default:
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

void DrawClippedArea(Graphics* pGraphics, CElement* pElement, const RectF& r,
                     const AreaOutline& outline, float fAngle);

// The whole drawing of an area shape: rotation, shadow, fill, outline, reset (or its
// clipped drawing).
void DrawRotatedArea(Graphics* pGraphics, CElement* pElement, const RectF& r,
                     const AreaOutline& outline, bool bClipped, int nExtraAngle = 0)
{
    if (bClipped)
    {
        DrawClippedArea(pGraphics, pElement, r, outline, (float)(pElement->m_nAngle + nExtraAngle));
        pGraphics->ResetTransform();
        return;
    }
    PrependElementRotation(pGraphics, r, (float)(pElement->m_nAngle + nExtraAngle));
    DrawArea(pGraphics, pElement, r, outline);
    pGraphics->ResetTransform();
}

// The outline of an area shape as a path of the element's own coordinates.
void AddOutlineToPath(GraphicsPath& path, const RectF& r, const AreaOutline& outline)
{
    switch (outline.nForm)
    {
    case FORM_RECT:
        path.AddRectangle(r);
        break;
    case FORM_ELLIPSE:
        path.AddEllipse(r);
        break;
    case FORM_POLYGON:
        if (outline.nCount > 0)
        {
            path.AddLines(outline.pPoints, outline.nCount);
            path.CloseFigure();
        }
        break;
    case FORM_PATH:
        if (outline.pPath != NULL)
            path.AddPath(outline.pPath, FALSE);
        break;
    }
}

// The clipped polygons of figures, moved by (dx, dy) in own coordinates, as one path.
bool ClipFigures(const CClippedDrawing& clip, const std::vector<CDFigure>& figures, double dx,
                 double dy, GraphicsPath& path)
{
    bool bAny = false;
    for (const CDFigure& figure : figures)
    {
        CDRing ring = figure.points;
        for (CDPoint& p : ring)
        {
            p.x += dx;
            p.y += dy;
        }
        const std::vector<PointF> pts = clip.ClipFill(ring);
        if (pts.size() >= 3)
        {
            path.AddPolygon(pts.data(), (INT)pts.size());
            bAny = true;
        }
    }
    return bAny;
}

// Bounds of figures (own coordinates); rc as given when they have no area.
RectF FigureBounds(const RectF& rc, const std::vector<CDFigure>& figures)
{
    bool bFirst = true;
    double l = 0, t = 0, r = 0, b = 0;
    for (const CDFigure& figure : figures)
    {
        for (const CDPoint& p : figure.points)
        {
            l = bFirst ? p.x : fmin(l, p.x);
            t = bFirst ? p.y : fmin(t, p.y);
            r = bFirst ? p.x : fmax(r, p.x);
            b = bFirst ? p.y : fmax(b, p.y);
            bFirst = false;
        }
    }
    return r > l && b > t ? RectF((REAL)l, (REAL)t, (REAL)(r - l), (REAL)(b - t)) : rc;
}

// Shadow, fill and outline of an area shape too large for the device: only the part
// within the visible area, built by the clipped drawing.
void DrawClippedArea(Graphics* pGraphics, CElement* pElement, const RectF& r,
                     const AreaOutline& outline, float fAngle)
{
    CClippedDrawing clip(pGraphics, r, fAngle);
    if (!clip.IsReady())
        return;
    GraphicsPath source(FillModeAlternate);
    AddOutlineToPath(source, r, outline);
    const std::vector<CDFigure> figures = FlattenPathFigures(source, clip.Tolerance());

    const bool bFilled = pElement->m_nFillKind != 0 && !pElement->m_bTransparent;
    if (bFilled && pElement->m_bShadow)
    {
        const double s = pElement->m_nShadowLength;
        GraphicsPath shadow(FillModeAlternate);
        if (ClipFigures(clip, figures, s, s, shadow))
        {
            SolidBrush brush(Color(pElement->m_clrShadow));
            pGraphics->FillPath(&brush, &shadow);
        }
    }
    if (bFilled)
    {
        GraphicsPath area(FillModeAlternate);
        if (ClipFigures(clip, figures, 0, 0, area))
        {
            RectF rcRef = r;
            if (!(r.Width > 0 && r.Height > 0))
                rcRef = FigureBounds(r, figures);
            // the path gradient of the ellipse follows the ellipse flattened here
            std::vector<PointF> ellipse;
            if (pElement->m_nFillKind == 37)
            {
                GraphicsPath path;
                path.AddEllipse(RectF(rcRef.X, rcRef.Y, rcRef.Width >= 1 ? rcRef.Width : 1.0f,
                                      rcRef.Height >= 1 ? rcRef.Height : 1.0f));
                for (const CDFigure& figure : FlattenPathFigures(path, clip.Tolerance()))
                    for (const CDPoint& p : figure.points)
                        ellipse.push_back(PointF((REAL)p.x, (REAL)p.y));
            }
            Matrix turn;
            clip.GetTurnMatrix(turn);
            FillTurnedShape(pGraphics, rcRef, pElement->m_nFillKind, pElement->m_clrFill,
                            pElement->m_clrPattern, &area, &turn, ellipse.data(), (int)ellipse.size());
        }
    }
    if (pElement->m_nLineWidth > 0)
    {
        Pen* pPen = CreateOutlinePen(pElement->m_clrLine, (float)pElement->m_nLineWidth,
                                     pElement->m_nDashStyle);
        if (outline.nForm == FORM_POLYGON && outline.bOpenOutline)
        {
            CDRing line;
            for (int i = 0; i < outline.nCount; i++)
                line.push_back(CDPoint{ outline.pPoints[i].X, outline.pPoints[i].Y });
            clip.Stroke(pPen, line, false);
        }
        else
        {
            for (const CDFigure& figure : figures)
                clip.Stroke(pPen, figure.points, figure.bClosed);
        }
        delete pPen;
    }
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
                   int nCount, bool bClipped, int nExtraAngle = 0)
{
    GraphicsPath path(FillModeAlternate);
    path.AddLines(pPoints, nCount);
    path.CloseFigure();
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_PATH, 107, NULL, 0, &path), bClipped,
                    nExtraAngle);
}

// Shared body of the two curves: points moved by the offset, rotation about the drawn
// rectangle, then the rectangle refitted to the points.
template <class TCurve>
std::vector<PointF> BeginCurve(Graphics* pGraphics, TCurve* pCurve, CPoint ptOffset, RectF& r,
                               bool bClipped)
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
    if (!bClipped)
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

void DrawRectangleElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset, bool bClipped)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_RECT, 102), bClipped);
}

void DrawCircleElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset, bool bClipped)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_ELLIPSE, 103), bClipped);
}

void DrawRhombusElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset, bool bClipped)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    PointF pts[4];
    GetRhombusPoints(r, pts);
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_POLYGON, 105, pts, 4), bClipped);
}

void DrawTriangleElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset, bool bClipped)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    PointF pts[3];
    GetTrianglePoints(r, pts);
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_POLYGON, 108, pts, 3), bClipped);
}

void DrawRectRoundElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset, bool bClipped)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    OutlineArc arcs[4];
    GetRoundRectArcs(r, arcs);
    GraphicsPath path(FillModeAlternate);
    for (const OutlineArc& arc : arcs)
        AddArc(path, arc);
    path.CloseFigure();
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_PATH, 107, NULL, 0, &path), bClipped);
}

/////////////////////////////////////////////////////////////////////////////
// Callouts and arrows

// Rounded rectangle and tail as one closed path, shadowed, filled and outlined as one shape.
void DrawCalloutElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset, bool bTailLeft, bool bClipped)
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
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_PATH, 107, NULL, 0, &path), bClipped);
}

void DrawArrowElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset, bool bPointLeft, bool bClipped)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    PointF pts[7];
    if (bPointLeft)
        GetArrowLeftPoints(r, pts);
    else
        GetArrowRightPoints(r, pts);
    DrawPointPath(pGraphics, pElement, r, pts, 7, bClipped);
}

/////////////////////////////////////////////////////////////////////////////
// Decorative shapes

void DrawParalleloElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset, bool bClipped)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    PointF pts[4];
    GetParallelogramPoints(r, pts);
    DrawPointPath(pGraphics, pElement, r, pts, 4, bClipped);
}

void DrawStarElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset, bool bClipped)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    PointF pts[10];
    GetStarPoints(r, pts);
    DrawPointPath(pGraphics, pElement, r, pts, 10, bClipped, STAR_EXTRA_ANGLE);
}

void DrawBurstElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset, bool bClipped)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    PointF pts[24];
    GetBurstPoints(r, pts);
    DrawPointPath(pGraphics, pElement, r, pts, 24, bClipped);
}

void DrawMoonElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset, bool bClipped)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    OutlineArc arcs[2];
    GetCrescentArcs(r, arcs);
    GraphicsPath path(FillModeAlternate);
    AddArc(path, arcs[0]);
    AddArc(path, arcs[1]);
    path.CloseFigure();
    DrawRotatedArea(pGraphics, pElement, r, MakeOutline(FORM_PATH, 107, NULL, 0, &path), bClipped);
}

// The disc as an area shape, then its eight rays, clipped as the disc is when too large.
void DrawSunElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset, bool bClipped)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    GraphicsPath path(FillModeAlternate);
    path.AddArc(r, 0, 360);
    path.CloseFigure();
    if (bClipped)
        DrawClippedArea(pGraphics, pElement, r, MakeOutline(FORM_PATH, 107, NULL, 0, &path),
                        (float)pElement->m_nAngle);
    else
    {
        PrependElementRotation(pGraphics, r, (float)pElement->m_nAngle);
        DrawArea(pGraphics, pElement, r, MakeOutline(FORM_PATH, 107, NULL, 0, &path));
    }

    // The rays: outline pen, also when the line width is 0 (a hairline). Each ray is a
    // figure of its own, so the eight are stroked as eight separate lines in one call.
    PointF ptFrom[8], ptTo[8];
    GetSunRays(r, ptFrom, ptTo);
    Pen* pPen = CreateOutlinePen(pElement->m_clrLine, (float)pElement->m_nLineWidth,
                                 pElement->m_nDashStyle);
    if (bClipped)
    {
        CClippedDrawing clip(pGraphics, r, (float)pElement->m_nAngle);
        for (int k = 0; k < 8; k++)
        {
            const CDRing ray = { CDPoint{ ptFrom[k].X, ptFrom[k].Y }, CDPoint{ ptTo[k].X, ptTo[k].Y } };
            clip.Stroke(pPen, ray, false);
        }
    }
    else
    {
        GraphicsPath rays;
        for (int k = 0; k < 8; k++)
        {
            rays.StartFigure();
            rays.AddLine(ptFrom[k], ptTo[k]);
        }
        StrokeElementPath(pGraphics, pPen, rays);
    }
    delete pPen;
    pGraphics->ResetTransform();
}

/////////////////////////////////////////////////////////////////////////////
// Lines and curves

// Straight line in the outline pen, clipped or dashed by hand where the device needs it.
void DrawLineElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset, bool bClipped)
{
    const RectF r = DrawnRect(pElement, ptOffset);
    PointF ptFrom, ptTo;
    GetLineEndPoints(r, pElement->m_nLineDirection, ptFrom, ptTo);
    Pen* pPen = CreateOutlinePen(pElement->m_clrLine, (float)pElement->m_nLineWidth,
                                 pElement->m_nDashStyle);
    if (bClipped)
    {
        const CDRing line = { CDPoint{ ptFrom.X, ptFrom.Y }, CDPoint{ ptTo.X, ptTo.Y } };
        CClippedDrawing(pGraphics, r, 0).Stroke(pPen, line, false);
    }
    else if (HasOwnDashes(pPen))
        StrokeWorldPolyline(pGraphics, pPen, CDRing{ CDPoint{ ptFrom.X, ptFrom.Y }, CDPoint{ ptTo.X, ptTo.Y } }, false);
    else
    {
        const PointF ends[2] = { ptFrom, ptTo };
        DrawLinesOutline(pGraphics, pPen, ends, 2);
    }
    delete pPen;
    pGraphics->ResetTransform();
}

// Freehand points as an open polyline in the outline pen; fewer than two draw nothing.
void DrawFreehandElement(Graphics* pGraphics, CFreehandLine* pElement, CPoint ptOffset, bool bClipped)
{
    RectF r;
    std::vector<PointF> pts = BeginCurve(pGraphics, pElement, ptOffset, r, bClipped);
    if (pts.size() >= 2)
    {
        Pen* pPen = CreateOutlinePen(pElement->m_clrLine, (float)pElement->m_nLineWidth,
                                     pElement->m_nDashStyle);
        if (bClipped)
        {
            CDRing line;
            for (const PointF& pt : pts)
                line.push_back(CDPoint{ pt.X, pt.Y });
            CClippedDrawing(pGraphics, r, (float)pElement->m_nAngle).Stroke(pPen, line, false);
        }
        else
        {
            CDRing line;
            for (const PointF& pt : pts)
                line.push_back(CDPoint{ pt.X, pt.Y });
            StrokeWorldPolyline(pGraphics, pPen, line, false);
        }
        delete pPen;
    }
    pGraphics->ResetTransform();
}

// Closed curve filled as a shape (code 120), its outline an open polyline through its points.
void DrawClosedCurveElement(Graphics* pGraphics, CClosedCurve* pElement, CPoint ptOffset, bool bClipped)
{
    RectF r;
    std::vector<PointF> pts = BeginCurve(pGraphics, pElement, ptOffset, r, bClipped);
    if (!pts.empty())
    {
        AreaOutline outline = MakeOutline(FORM_POLYGON, 120, pts.data(), (int)pts.size());
        outline.bOpenOutline = true;
        if (bClipped)
            DrawClippedArea(pGraphics, pElement, r, outline, (float)pElement->m_nAngle);
        else
            DrawArea(pGraphics, pElement, r, outline);
    }
    pGraphics->ResetTransform();
}
