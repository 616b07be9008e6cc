// ElementClassesDraw.cpp - the drawing operations of the element classes.
//
// DrawGraphics draws the element where it lies (column 1, row 1, no margins, gaps or cell
// sizes); DrawDC and DrawInCellDC make a GDI+ graphics on the device context's output
// handle. Every shape and picture class draws in DrawInCell through its body in
// ShapeDraw.cpp or PictureDraw.cpp; the texts draw in DrawTextInCell. Elements beyond the
// bounds a file may hold are left out; shapes and pictures too large on the device for the
// drawing library are drawn clipped to the visible area (ClippedDraw.h). Drawn into a
// cell of a sheet (cell sizes given), an element is clipped to its cell.

#include "Elements.h"
#include "ElementDraw.h"
#include "ElementStream.h"
#include "ShapeOutlines.h"

#include <math.h>

#include <vector>

using Gdiplus::Graphics;

namespace
{
// Largest device coordinate an element drawn by the drawing library alone may reach: it
// hangs on ellipses some 45000 pixels across, and it overflows its stack stroking any
// curve, even a small one, whose points lie some 12000 pixels out along both axes.
// Elements beyond it are drawn clipped.
const double kMaxDeviceCoordinate = 6000;

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

// Half the miter limit of the outline pens: how many line widths a sharp join reaches
// beyond its corner.
const double kJoinReachWidths = 5;
// How far glyphs may reach beyond a text's rectangle, in page units.
const double kTextReach = 3;

// The points whose hull holds an element's outline (arcs by their boxes) in its own
// coordinates, before its turn; false when it lies beyond the bounds a file may hold.
struct CDrawnExtent
{
    std::vector<Gdiplus::PointF> points;
    Gdiplus::RectF rcTurn;      // turned about its centre
    float fAngle;               // degrees counter-clockwise on the page
    bool bShadow;               // a copy moved by the shadow length is drawn too
    double fReach;              // how far the pen and the glyphs reach beyond the points
};

void AddRectCorners(std::vector<Gdiplus::PointF>& points, const Gdiplus::RectF& r)
{
    points.push_back(Gdiplus::PointF(r.X, r.Y));
    points.push_back(Gdiplus::PointF(r.X + r.Width, r.Y));
    points.push_back(Gdiplus::PointF(r.X + r.Width, r.Y + r.Height));
    points.push_back(Gdiplus::PointF(r.X, r.Y + r.Height));
}

// A curve's points moved by the offset; false when one lies beyond the bounds a file may
// hold (the curve is then not drawn).
template <class TCurve>
bool AddCurvePoints(std::vector<Gdiplus::PointF>& points, const TCurve* pCurve, CPoint ptOffset)
{
    for (int i = 0; pCurve->m_pPoints != NULL && i < pCurve->m_nPointCount; i++)
    {
        const Gdiplus::PointF& pt = pCurve->m_pPoints[i];
        if (!IsFileCoordinate(pt.X) || !IsFileCoordinate(pt.Y))
            return false;
        points.push_back(Gdiplus::PointF(pt.X + ptOffset.x, pt.Y + ptOffset.y));
    }
    return true;
}

// The points an element's drawing reaches before its turn, with its angle, pen reach and shadow, per kind;
// false for an element beyond the bounds a file may hold.
bool GetDrawnExtent(const CElement* pElement, CPoint ptOffset, CDrawnExtent& extent)
{
    if (!IsElementWithinFileBounds(pElement))
        return false;
    CElement* p = const_cast<CElement*>(pElement);
    const Gdiplus::RectF r = GetDrawnRect(p->m_rect, ptOffset.x, ptOffset.y);
    const bool bFilled = p->m_nFillKind != 0 && !p->m_bTransparent;
    const double fWidth = p->m_nLineWidth > 0 ? fmin(p->m_nLineWidth, MAX_FILE_LINE_WIDTH) : 0;
    // a pen of width 0 draws a hairline of one device pixel
    const double fPenReach = fWidth * kJoinReachWidths + 1;
    std::vector<Gdiplus::PointF>& pts = extent.points;
    pts.clear();
    extent.rcTurn = r;
    extent.fAngle = (float)p->m_nAngle;
    extent.bShadow = bFilled && p->m_bShadow;
    extent.fReach = fWidth > 0 ? fPenReach : 0;
    if (p->IsKindOf(RUNTIME_CLASS(CShapeSun)))
    {
        Gdiplus::PointF ptFrom[8], ptTo[8];
        GetSunRays(r, ptFrom, ptTo);
        AddRectCorners(pts, r);
        pts.insert(pts.end(), ptTo, ptTo + 8);
        extent.fReach = fPenReach;      // the rays are drawn also with a width of 0
    }
    else if (p->IsKindOf(RUNTIME_CLASS(CCalloutBL)) || p->IsKindOf(RUNTIME_CLASS(CCalloutBR)))
    {
        OutlineArc arcs[4];
        Gdiplus::PointF tail[2];
        GetCalloutOutline(r, p->IsKindOf(RUNTIME_CLASS(CCalloutBL)) != FALSE, arcs, tail);
        AddRectCorners(pts, r);
        pts.insert(pts.end(), tail, tail + 2);
    }
    else if (p->IsKindOf(RUNTIME_CLASS(CShapeStar)))
    {
        Gdiplus::PointF star[10];
        GetStarPoints(r, star);
        pts.assign(star, star + 10);
        extent.fAngle += STAR_EXTRA_ANGLE;
    }
    else if (p->IsKindOf(RUNTIME_CLASS(CShapeExplosion)))
    {
        Gdiplus::PointF burst[24];
        GetBurstPoints(r, burst);
        pts.assign(burst, burst + 24);
    }
    else if (p->IsKindOf(RUNTIME_CLASS(CLine)))
    {
        // never turned, never shadowed; drawn also with a width of 0
        Gdiplus::PointF ptFrom, ptTo;
        GetLineEndPoints(r, p->m_nLineDirection, ptFrom, ptTo);
        pts.push_back(ptFrom);
        pts.push_back(ptTo);
        extent.fAngle = 0;
        extent.bShadow = false;
        extent.fReach = fPenReach;
    }
    else if (p->IsKindOf(RUNTIME_CLASS(CFreehandLine)))
    {
        if (!AddCurvePoints(pts, static_cast<CFreehandLine*>(p), ptOffset))
            return false;
        extent.bShadow = false;
        extent.fReach = fPenReach;
    }
    else if (p->IsKindOf(RUNTIME_CLASS(CClosedCurve)))
    {
        if (!AddCurvePoints(pts, static_cast<CClosedCurve*>(p), ptOffset))
            return false;
    }
    else if (p->IsKindOf(RUNTIME_CLASS(CBtImage)))
    {
        // the frame is one unit wider than the line width
        AddRectCorners(pts, r);
        extent.bShadow = !p->m_bTransparent && p->m_bShadow;
        extent.fReach = fWidth > 0 ? (fWidth + 1) * kJoinReachWidths + 1 : 0;
    }
    else if (p->IsKindOf(RUNTIME_CLASS(CBkgImage)))
    {
        AddRectCorners(pts, Gdiplus::RectF((float)ptOffset.x, (float)ptOffset.y, r.Width, r.Height));
        extent.fAngle = 0;
        extent.bShadow = false;
        extent.fReach = 0;
    }
    else if (p->IsKindOf(RUNTIME_CLASS(CText)))
    {
        AddRectCorners(pts, r);
        extent.bShadow = false;
        extent.fReach = kTextReach;
    }
    else
    {
        // the other shapes lie within their rectangle
        AddRectCorners(pts, r);
    }
    return true;
}

// Bounds of the element's drawing in page units, with its turn, pen, shadow, tail, points
// and rays; false when the element lies beyond the bounds a file may hold.
bool GetDrawnBounds(const CElement* pElement, CPoint ptOffset, double& minX, double& minY,
                    double& maxX, double& maxY)
{
    CDrawnExtent extent;
    if (!GetDrawnExtent(pElement, ptOffset, extent))
        return false;
    std::vector<Gdiplus::PointF>& pts = extent.points;
    if (extent.bShadow)
    {
        const float s = (float)pElement->m_nShadowLength;
        const size_t n = pts.size();
        for (size_t i = 0; i < n; i++)
            pts.push_back(Gdiplus::PointF(pts[i].X + s, pts[i].Y + s));
    }
    if (pts.empty())
        AddRectCorners(pts, extent.rcTurn);
    const Gdiplus::RectF& r = extent.rcTurn;
    const double cx = r.X + r.Width / 2.0, cy = r.Y + r.Height / 2.0;
    const bool bTurned = fmodf(extent.fAngle, 360.0f) != 0.0f;
    // counter-clockwise on a page whose y axis points down
    const double t = -extent.fAngle * 3.14159265358979323846 / 180;
    const double cs = cos(t), sn = sin(t);
    for (size_t i = 0; i < pts.size(); i++)
    {
        double x = pts[i].X, y = pts[i].Y;
        if (bTurned)
        {
            const double dx = x - cx, dy = y - cy;
            x = cx + dx * cs - dy * sn;
            y = cy + dx * sn + dy * cs;
        }
        minX = i == 0 ? x : fmin(minX, x);
        minY = i == 0 ? y : fmin(minY, y);
        maxX = i == 0 ? x : fmax(maxX, x);
        maxY = i == 0 ? y : fmax(maxY, y);
    }
    // float rounding of the outline's points
    const double fReach = extent.fReach + 1;
    minX -= fReach;
    minY -= fReach;
    maxX += fReach;
    maxY += fReach;
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
// coordinates the drawing library handles, else clipped.
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
    return DRAW_CLIPPED;
}

// While it lives, the drawing of one element into a printed cell is clipped to the cell
// (nothing of it reaches the next label); no clip without cell sizes.
class CCellClip
{
public:
    CCellClip(Graphics* pGraphics, CPoint ptOffset, int nCellWidth, int nCellHeight)
        : m_pGraphics(NULL), m_state(0)
    {
        if (nCellWidth <= 0 || nCellHeight <= 0)
            return;
        m_pGraphics = pGraphics;
        m_state = pGraphics->Save();
        pGraphics->SetClip(Gdiplus::RectF((float)ptOffset.x, (float)ptOffset.y, (float)nCellWidth,
                                          (float)nCellHeight),
                           Gdiplus::CombineModeIntersect);
    }
    ~CCellClip()
    {
        if (m_pGraphics == NULL)
            return;
        m_pGraphics->Restore(m_state);
        m_pGraphics->ResetTransform();
    }
    CCellClip(const CCellClip&) = delete;
    CCellClip& operator=(const CCellClip&) = delete;

private:
    Graphics* m_pGraphics;
    Gdiplus::GraphicsState m_state;
};
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
        CCellClip cellClip(pGraphics, ptOffset, nCellWidth, nCellHeight); \
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

// Draws the text in one sheet cell, clipped to the cell, unless the drawing would be refused.
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
    CCellClip cellClip(pGraphics, ptOffset, nCellWidth, nCellHeight);
    DrawTextElement(pGraphics, this, ptOffset);
}
