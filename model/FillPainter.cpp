// FillPainter.cpp - fill brushes, hatch textures, outline filling and outline pens.

#include "FillPainter.h"
#include "Element.h"
#include "ElementStream.h"

#include <algorithm>
#include <vector>

using namespace Gdiplus;

namespace
{
// Hatch styles of fill kinds 2..24.
const int g_hatchOfFillKind[23] = {
    HatchStyleSmallCheckerBoard,   // 2
    HatchStyleSolidDiamond,        // 3
    HatchStyle05Percent,           // 4
    HatchStyle20Percent,           // 5
    HatchStyle30Percent,           // 6
    HatchStyleHorizontal,          // 7
    HatchStyleVertical,            // 8
    HatchStyleForwardDiagonal,     // 9
    HatchStyleBackwardDiagonal,    // 10
    HatchStyleCross,               // 11
    HatchStyleDiagonalCross,       // 12
    HatchStyleDashedHorizontal,    // 13
    HatchStyleDashedVertical,      // 14
    HatchStyleSmallConfetti,       // 15
    HatchStyleZigZag,              // 16
    HatchStyleHorizontalBrick,     // 17
    HatchStyleDiagonalBrick,       // 18
    HatchStyleWeave,               // 19
    HatchStylePlaid,               // 20
    HatchStyleDottedGrid,          // 21
    HatchStyleDottedDiamond,       // 22
    HatchStyleShingle,             // 23
    HatchStyleSphere,              // 24
};

const int kFirstPatternStyle = 30;
const int kLastPatternStyle = 52;

// Our own 8 x 8 patterns of hatch styles 30..52 (bit 7 leftmost, set = foreground).
const BYTE g_hatchPatterns[kLastPatternStyle - kFirstPatternStyle + 1][8] = {
    { 0x88, 0x44, 0x22, 0x11, 0x00, 0x00, 0x00, 0x00 },   // 30 dashed downward diagonal
    { 0x11, 0x22, 0x44, 0x88, 0x00, 0x00, 0x00, 0x00 },   // 31 dashed upward diagonal
    { 0xF0, 0x00, 0x00, 0x00, 0x0F, 0x00, 0x00, 0x00 },   // 32 dashed horizontal
    { 0x80, 0x80, 0x80, 0x80, 0x08, 0x08, 0x08, 0x08 },   // 33 dashed vertical
    { 0x80, 0x04, 0x20, 0x01, 0x08, 0x40, 0x02, 0x10 },   // 34 small confetti
    { 0xC0, 0xC6, 0x06, 0x30, 0x33, 0x03, 0x60, 0x6C },   // 35 large confetti
    { 0x81, 0x42, 0x24, 0x18, 0x81, 0x42, 0x24, 0x18 },   // 36 zigzag
    { 0x0C, 0x12, 0xE1, 0x00, 0x0C, 0x12, 0xE1, 0x00 },   // 37 wave
    { 0x01, 0x02, 0x04, 0x08, 0x18, 0x24, 0x42, 0x81 },   // 38 diagonal brick
    { 0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08 },   // 39 horizontal brick
    { 0x88, 0x54, 0x22, 0x45, 0x88, 0x14, 0x22, 0x51 },   // 40 weave
    { 0xAA, 0x55, 0xAA, 0x55, 0xF0, 0xF0, 0xF0, 0xF0 },   // 41 plaid
    { 0x00, 0x10, 0x08, 0x10, 0x00, 0x01, 0x80, 0x01 },   // 42 divot
    { 0xAA, 0x00, 0x80, 0x00, 0x80, 0x00, 0x80, 0x00 },   // 43 dotted grid
    { 0x80, 0x00, 0x22, 0x00, 0x08, 0x00, 0x22, 0x00 },   // 44 dotted diamond
    { 0x03, 0x84, 0x48, 0x30, 0x0C, 0x02, 0x01, 0x01 },   // 45 shingle
    { 0xFF, 0x66, 0xFF, 0x99, 0xFF, 0x66, 0xFF, 0x99 },   // 46 trellis
    { 0x77, 0x89, 0x8F, 0x8F, 0x77, 0x98, 0xF8, 0xF8 },   // 47 sphere
    { 0xFF, 0x88, 0x88, 0x88, 0xFF, 0x88, 0x88, 0x88 },   // 48 small grid
    { 0xCC, 0xCC, 0x33, 0x33, 0xCC, 0xCC, 0x33, 0x33 },   // 49 small checker board
    { 0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F },   // 50 large checker board
    { 0x41, 0x22, 0x14, 0x08, 0x14, 0x22, 0x41, 0x80 },   // 51 outlined diamond
    { 0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x38, 0x10, 0x00 },   // 52 solid diamond
};

// Probe results of IsHatchStyleDrawn: 0 not yet probed, 1 drawn, 2 not drawn.
volatile LONG g_hatchProbe[HatchStyleMax + 1];

// Gradient reference rectangle of at least one unit in each direction.
RectF GradientRect(const RectF& rc)
{
    RectF r = rc;
    if (!(r.Width >= 1.0f))
        r.Width = 1.0f;
    if (!(r.Height >= 1.0f))
        r.Height = 1.0f;
    return r;
}

Brush* CheckedBrush(Brush* pBrush)
{
    if (pBrush != NULL && pBrush->GetLastStatus() != Ok)
    {
        delete pBrush;
        return NULL;
    }
    return pBrush;
}

// Linear gradient from clrFrom at the start of the direction to clrTo at its end, tiled,
// optionally with the bell-shaped blend.
Brush* LinearBrush(const RectF& rc, DWORD clrFrom, DWORD clrTo, LinearGradientMode mode,
                   bool bBell)
{
    LinearGradientBrush* pBrush = new LinearGradientBrush(GradientRect(rc), Color(clrFrom),
                                                          Color(clrTo), mode);
    if (pBrush->GetLastStatus() == Ok)
    {
        pBrush->SetWrapMode(WrapModeTile);
        if (bBell)
            pBrush->SetBlendBellShape(0.5f, 1.0f);
    }
    return CheckedBrush(pBrush);
}

// Path gradient over the ellipse (bEllipse) or the rectangle, centre colour clrCentre at
// ptCentre, one surround colour for the whole boundary.
Brush* PathBrush(const RectF& rc, bool bEllipse, const PointF& ptCentre, DWORD clrCentre,
                 DWORD clrSurround)
{
    const RectF r = GradientRect(rc);
    GraphicsPath path;
    if (bEllipse)
        path.AddEllipse(r);
    else
        path.AddRectangle(r);
    PathGradientBrush* pBrush = new PathGradientBrush(&path);
    if (pBrush->GetLastStatus() == Ok)
    {
        pBrush->SetCenterPoint(ptCentre);
        pBrush->SetCenterColor(Color(clrCentre));
        Color surround(clrSurround);
        INT nColors = 1;
        pBrush->SetSurroundColors(&surround, &nColors);
    }
    return CheckedBrush(pBrush);
}

// Bounds of the outline when it has an area, else the rectangle as given.
RectF OutlineBounds(const RectF& rc, int nShape, const PointF* pPoints, int nCount,
                    GraphicsPath* pPath)
{
    RectF bounds;
    if (nShape == 120 && pPoints != NULL && nCount > 0)
    {
        float l = pPoints[0].X, t = pPoints[0].Y, r = l, b = t;
        for (int i = 1; i < nCount; i++)
        {
            l = std::min(l, pPoints[i].X);
            t = std::min(t, pPoints[i].Y);
            r = std::max(r, pPoints[i].X);
            b = std::max(b, pPoints[i].Y);
        }
        bounds = RectF(l, t, r - l, b - t);
    }
    else if (pPath != NULL && nShape != 102 && nShape != 103 && nShape != 105 && nShape != 108)
    {
        pPath->GetBounds(&bounds);
    }
    return bounds.Width > 0 && bounds.Height > 0 ? bounds : rc;
}

// Fill through the hatch brush, or through our texture when the platform cannot fill the
// hatch style.
Status FillHatch(Graphics* pGraphics, int nHatchStyle, DWORD clrFore, DWORD clrBack,
                 const RectF& rc, int nShape, const PointF* pPoints, int nCount,
                 GraphicsPath* pPath)
{
    Status status = GenericError;
    const bool bHaveTexture = GetHatchPatternRows(nHatchStyle) != NULL;
    if (!bHaveTexture || IsHatchStyleDrawn(nHatchStyle))
    {
        HatchBrush brush((HatchStyle)nHatchStyle, Color(clrFore), Color(clrBack));
        if (brush.GetLastStatus() == Ok)
            status = FillShapeOutline(pGraphics, &brush, rc, nShape, pPoints, nCount, pPath);
    }
    if (status != Ok && bHaveTexture)
    {
        TextureBrush* pTexture = CreateHatchTextureBrush(nHatchStyle, clrFore, clrBack, pGraphics);
        if (pTexture != NULL)
        {
            status = FillShapeOutline(pGraphics, pTexture, rc, nShape, pPoints, nCount, pPath);
            delete pTexture;
        }
    }
    return status;
}
}

int GetFillHatchStyle(int nFillKind)
{
    if (nFillKind < 2 || nFillKind > 24)
        return -1;
    return g_hatchOfFillKind[nFillKind - 2];
}

Brush* CreateFillBrush(int nFillKind, const RectF& rcRef, DWORD clrFill, DWORD clrPattern)
{
    const RectF& r = rcRef;
    const float right = r.X + r.Width;
    const float bottom = r.Y + r.Height;

    if (nFillKind == 0)
        return NULL;
    if (nFillKind >= 2 && nFillKind <= 24)
    {
        return CheckedBrush(new HatchBrush((HatchStyle)GetFillHatchStyle(nFillKind),
                                           Color(clrPattern), Color(clrFill)));
    }
    switch (nFillKind)
    {
    case 25: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeHorizontal, false);
    case 26: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeHorizontal, true);
    case 27: return LinearBrush(r, clrFill, clrPattern, LinearGradientModeHorizontal, false);
    case 28: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeVertical, false);
    case 29: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeVertical, true);
    case 30: return LinearBrush(r, clrFill, clrPattern, LinearGradientModeVertical, false);
    case 31: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeForwardDiagonal, false);
    case 32: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeForwardDiagonal, true);
    case 33: return LinearBrush(r, clrFill, clrPattern, LinearGradientModeForwardDiagonal, false);
    case 34: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeBackwardDiagonal, false);
    case 35: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeBackwardDiagonal, true);
    case 36: return LinearBrush(r, clrFill, clrPattern, LinearGradientModeBackwardDiagonal, false);
    case 37:
        return PathBrush(r, true, PointF(r.X + r.Width / 2, r.Y + r.Height / 2), clrPattern, clrFill);
    case 38: return PathBrush(r, false, PointF(r.X, r.Y), clrPattern, clrFill);
    case 39: return PathBrush(r, false, PointF(right, r.Y), clrPattern, clrFill);
    case 40: return PathBrush(r, false, PointF(right, bottom), clrPattern, clrFill);
    case 41: return PathBrush(r, false, PointF(r.X, bottom), clrPattern, clrFill);
    case 42:
        return PathBrush(r, false, PointF(r.X + r.Width / 2, r.Y + r.Height / 2), clrPattern, clrFill);
    default:
        return CheckedBrush(new SolidBrush(Color(clrFill)));
    }
}

const BYTE* GetHatchPatternRows(int nHatchStyle)
{
    if (nHatchStyle < kFirstPatternStyle || nHatchStyle > kLastPatternStyle)
        return NULL;
    return g_hatchPatterns[nHatchStyle - kFirstPatternStyle];
}

TextureBrush* CreateHatchTextureBrush(int nHatchStyle, DWORD clrFore, DWORD clrBack,
                                      Graphics* pGraphics)
{
    const BYTE* pRows = GetHatchPatternRows(nHatchStyle);
    if (pRows == NULL)
        return NULL;

    Bitmap tile(8, 8, PixelFormat32bppARGB);
    Rect rc(0, 0, 8, 8);
    BitmapData data;
    if (tile.GetLastStatus() != Ok ||
        tile.LockBits(&rc, ImageLockModeWrite, PixelFormat32bppARGB, &data) != Ok)
        return NULL;
    for (int y = 0; y < 8; y++)
    {
        DWORD* pRow = (DWORD*)((BYTE*)data.Scan0 + y * data.Stride);
        for (int x = 0; x < 8; x++)
            pRow[x] = (pRows[y] & (0x80 >> x)) ? clrFore : clrBack;
    }
    tile.UnlockBits(&data);

    TextureBrush* pBrush = new TextureBrush(&tile, WrapModeTile);
    if (pBrush->GetLastStatus() != Ok)
    {
        delete pBrush;
        return NULL;
    }
    if (pGraphics != NULL)
    {
        // Texture pixel (u, v) lands on device pixel (u, v): the brush transform is the
        // inverse of the graphics' world-to-device mapping.
        PointF pts[3] = { PointF(0, 0), PointF(1, 0), PointF(0, 1) };
        if (pGraphics->TransformPoints(CoordinateSpaceDevice, CoordinateSpaceWorld, pts, 3) == Ok)
        {
            Matrix m(pts[1].X - pts[0].X, pts[1].Y - pts[0].Y, pts[2].X - pts[0].X,
                     pts[2].Y - pts[0].Y, pts[0].X, pts[0].Y);
            if (m.IsInvertible() && m.Invert() == Ok)
                pBrush->SetTransform(&m);
        }
    }
    return pBrush;
}

BOOL IsHatchStyleDrawn(int nHatchStyle)
{
    if (nHatchStyle < HatchStyleMin || nHatchStyle > HatchStyleMax)
        return FALSE;
    LONG nProbe = g_hatchProbe[nHatchStyle];
    if (nProbe == 0)
    {
        // Fill an 8 x 8 transparent tile: every pixel must be covered, in both colours.
        const DWORD clrFore = 0xFF000000, clrBack = 0xFFFFFFFF;
        bool bDrawn = false;
        Bitmap tile(8, 8, PixelFormat32bppARGB);
        if (tile.GetLastStatus() == Ok)
        {
            Status status = GenericError;
            {
                Graphics g(&tile);
                g.Clear(Color(0, 0, 0, 0));
                HatchBrush brush((HatchStyle)nHatchStyle, Color(clrFore), Color(clrBack));
                if (brush.GetLastStatus() == Ok)
                    status = g.FillRectangle(&brush, 0, 0, 8, 8);
            }
            if (status == Ok)
            {
                // Every pixel covered; dark and light ones both present (edges may blend).
                int nDark = 0, nLight = 0, nCovered = 0;
                for (int y = 0; y < 8; y++)
                {
                    for (int x = 0; x < 8; x++)
                    {
                        Color c;
                        tile.GetPixel(x, y, &c);
                        if (c.GetA() == 255)
                            nCovered++;
                        if (c.GetG() < 128)
                            nDark++;
                        else
                            nLight++;
                    }
                }
                bDrawn = nCovered == 64 && nDark > 0 && nLight > 0;
            }
        }
        nProbe = bDrawn ? 1 : 2;
        InterlockedExchange(&g_hatchProbe[nHatchStyle], nProbe);
    }
    return nProbe == 1;
}

void SetHatchStyleDrawn(int nHatchStyle, BOOL bDrawn)
{
    if (nHatchStyle >= HatchStyleMin && nHatchStyle <= HatchStyleMax)
        InterlockedExchange(&g_hatchProbe[nHatchStyle], bDrawn ? 1 : 2);
}

Status FillShapeOutline(Graphics* pGraphics, Brush* pBrush, const RectF& rc, int nShape,
                        const PointF* pPoints, int nCount, GraphicsPath* pPath)
{
    const float x = rc.X, y = rc.Y, w = rc.Width, h = rc.Height;
    switch (nShape)
    {
    case KIND_RECTANGLE:
        return pGraphics->FillRectangle(pBrush, rc);
    case KIND_CIRCLE:
        return pGraphics->FillEllipse(pBrush, rc);
    case KIND_RHOMBUS:
    {
        PointF pts[4] = { PointF(x + w / 2, y), PointF(x, y + h / 2), PointF(x + w / 2, y + h),
                          PointF(x + w, y + h / 2) };
        return pGraphics->FillPolygon(pBrush, pts, 4, FillModeAlternate);
    }
    case KIND_TRIANGLE:
    {
        PointF pts[3] = { PointF(x + w / 2, y), PointF(x, y + h), PointF(x + w, y + h) };
        return pGraphics->FillPolygon(pBrush, pts, 3, FillModeAlternate);
    }
    case KIND_CLOSEDCURVE:
        if (pPoints == NULL || nCount < 1)
            return InvalidParameter;
        return pGraphics->FillPolygon(pBrush, pPoints, nCount, FillModeAlternate);
    case KIND_RECTROUND:
    case KIND_CALLOUT_BL:
    case KIND_CALLOUT_BR:
    case KIND_PARALLELOGRAM:
    case KIND_ARROW_LEFT:
    case KIND_STAR:
    case KIND_BURST:
    case KIND_MOON:
    case KIND_ARROW_RIGHT:
    case KIND_SUN:
        if (pPath == NULL)
            return InvalidParameter;
        return pGraphics->FillPath(pBrush, pPath);
    default:
        return Ok;
    }
}

void FillElementShape(Graphics* pGraphics, float x, float y, float width, float height,
                      int nFillKind, DWORD clrFill, DWORD clrPattern, int nShape,
                      const PointF* pPoints, int nCount, GraphicsPath* pPath)
{
    if (pGraphics == NULL || nFillKind == 0)
        return;
    RectF rc(x, y, width, height);
    if (!(width > 0 && height > 0))
        rc = OutlineBounds(rc, nShape, pPoints, nCount, pPath);
    const int nHatchStyle = GetFillHatchStyle(nFillKind);
    if (nHatchStyle >= 0)
    {
        FillHatch(pGraphics, nHatchStyle, clrPattern, clrFill, rc, nShape, pPoints, nCount, pPath);
        return;
    }
    Brush* pBrush = CreateFillBrush(nFillKind, rc, clrFill, clrPattern);
    if (pBrush == NULL)
        return;
    FillShapeOutline(pGraphics, pBrush, rc, nShape, pPoints, nCount, pPath);
    delete pBrush;
}

void FillTurnedShape(Graphics* pGraphics, const RectF& rc, int nFillKind, DWORD clrFill,
                     DWORD clrPattern, GraphicsPath* pPath, const Matrix* pTurn,
                     const PointF* pEllipse, int nEllipse)
{
    if (pGraphics == NULL || pPath == NULL || nFillKind == 0)
        return;
    const int nHatchStyle = GetFillHatchStyle(nFillKind);
    if (nHatchStyle >= 0)
    {
        // hatches keep to the device's pixels, turned or not
        FillHatch(pGraphics, nHatchStyle, clrPattern, clrFill, rc, 107, NULL, 0, pPath);
        return;
    }
    Brush* pBrush = NULL;
    if (nFillKind >= 37 && nFillKind <= 42)
    {
        // path gradients are made of turned points: their own transform is not followed
        // everywhere
        const RectF r = GradientRect(rc);
        const float right = r.X + r.Width, bottom = r.Y + r.Height;
        std::vector<PointF> outline;
        if (nFillKind == 37 && pEllipse != NULL && nEllipse >= 3)
            outline.assign(pEllipse, pEllipse + nEllipse);
        else if (nFillKind != 37)
            outline = { PointF(r.X, r.Y), PointF(right, r.Y), PointF(right, bottom), PointF(r.X, bottom) };
        if (outline.empty())
            return;
        PointF ptCentre(r.X + r.Width / 2, r.Y + r.Height / 2);
        switch (nFillKind)
        {
        case 38: ptCentre = PointF(r.X, r.Y); break;
        case 39: ptCentre = PointF(right, r.Y); break;
        case 40: ptCentre = PointF(right, bottom); break;
        case 41: ptCentre = PointF(r.X, bottom); break;
        }
        if (pTurn != NULL)
        {
            pTurn->TransformPoints(outline.data(), (INT)outline.size());
            pTurn->TransformPoints(&ptCentre, 1);
        }
        PathGradientBrush* pPathBrush = new PathGradientBrush(outline.data(), (INT)outline.size());
        if (pPathBrush->GetLastStatus() == Ok)
        {
            pPathBrush->SetCenterPoint(ptCentre);
            pPathBrush->SetCenterColor(Color(clrPattern));
            Color surround(clrFill);
            INT nColors = 1;
            pPathBrush->SetSurroundColors(&surround, &nColors);
        }
        pBrush = CheckedBrush(pPathBrush);
    }
    else
    {
        pBrush = CreateFillBrush(nFillKind, rc, clrFill, clrPattern);
        if (pBrush != NULL && pTurn != NULL && pBrush->GetType() == BrushTypeLinearGradient)
            static_cast<LinearGradientBrush*>(pBrush)->MultiplyTransform(pTurn, MatrixOrderAppend);
    }
    if (pBrush == NULL)
        return;
    pGraphics->FillPath(pBrush, pPath);
    delete pBrush;
}

Pen* CreateOutlinePen(DWORD clrLine, float fWidth, int nDashStyle)
{
    // A wider pen takes minutes and gigabytes to draw.
    if (!(fWidth <= MAX_FILE_LINE_WIDTH))
        fWidth = MAX_FILE_LINE_WIDTH;
    Pen* pPen = new Pen(Color(clrLine), fWidth);
    if (nDashStyle >= DashStyleSolid && nDashStyle <= DashStyleDashDotDot)
        pPen->SetDashStyle((DashStyle)nDashStyle);
    return pPen;
}
