// FillPainter.cpp - fill brushes, hatch textures, outline filling and outline pens.

#include "FillPainter.h"
#include "DeviceStrokes.h"
#include "Element.h"
#include "ElementStream.h"
#include "FlattenedPath.h"
#include "PictureLoad.h"

#include <math.h>
#include <string.h>

#include <algorithm>
#include <iterator>
#include <list>
#include <memory>
#include <unordered_map>
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

// The shape codes whose outline is the given path.
bool IsPathShape(int nShape)
{
    switch (nShape)
    {
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
        return true;
    default:
        return false;
    }
}

// The corners of the diamond or the triangle in rc; 0 for other kinds.
int GetShapeCorners(const RectF& rc, int nShape, PointF pts[4])
{
    const float x = rc.X, y = rc.Y, w = rc.Width, h = rc.Height;
    if (nShape == KIND_RHOMBUS)
    {
        pts[0] = PointF(x + w / 2, y);
        pts[1] = PointF(x, y + h / 2);
        pts[2] = PointF(x + w / 2, y + h);
        pts[3] = PointF(x + w, y + h / 2);
        return 4;
    }
    if (nShape == KIND_TRIANGLE)
    {
        pts[0] = PointF(x + w / 2, y);
        pts[1] = PointF(x, y + h);
        pts[2] = PointF(x + w, y + h);
        return 3;
    }
    return 0;
}

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

// Flatness (world units) of the ellipse of a path gradient brush: half a device pixel at
// 1000 dpi.
const double kBrushEllipseTolerance = 0.05;

// Path gradient over the ellipse (bEllipse) or the rectangle, centre colour clrCentre at
// ptCentre, one surround colour for the whole boundary.
Brush* PathBrush(const RectF& rc, bool bEllipse, const PointF& ptCentre, DWORD clrCentre,
                 DWORD clrSurround)
{
    const RectF r = GradientRect(rc);
    GraphicsPath path;
    if (bEllipse)
    {
        // flattened here: the library's own flattening of a brush's curves overflows its
        // stack on small ellipses far out
        GraphicsPath ellipse;
        ellipse.AddEllipse(r);
        AddFlattenedPath(path, ellipse, kBrushEllipseTolerance);
    }
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
    if (nShape == KIND_CLOSEDCURVE && pPoints != NULL && nCount > 0)
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
    else if (pPath != NULL && nShape != KIND_RECTANGLE && nShape != KIND_CIRCLE
             && nShape != KIND_RHOMBUS && nShape != KIND_TRIANGLE)
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

/////////////////////////////////////////////////////////////////////////////
// Gradient fills drawn directly

namespace
{
CGradientFillScope* g_pGradientScope = NULL;

// Entries of a colour ramp over the blend (0..1).
const int kRampSteps = 1024;
// Ramps kept for the next fills of the same colours.
const size_t kKeptRamps = 16;
// The most scratch pixels kept once the outermost scope closes.
const int kKeptScratchPixels = 1024 * 1024;
// Above this many edges a path gradient's pixel climbs to its edge instead of trying all.
const size_t kClimbEdges = 8;

// The blend factor at t in 0..1 of a piecewise linear curve (positions, factors).
double BlendFactor(const std::vector<REAL>& pos, const std::vector<REAL>& fac, double t)
{
    if (t <= pos[0])
        return fac[0];
    for (size_t i = 1; i < pos.size(); i++)
    {
        if (t <= pos[i])
        {
            const double range = pos[i] - pos[i - 1];
            return range > 0 ? fac[i - 1] + (fac[i] - fac[i - 1]) * (t - pos[i - 1]) / range : fac[i];
        }
    }
    return fac.back();
}

// The bell-shaped blend of the linear gradients, as the library makes it, at each ramp
// step; empty when the library gives none (the blend is then linear).
const std::vector<double>& BellFactors()
{
    static std::vector<double> s_factors;
    static bool s_bRead = false;
    if (!s_bRead)
    {
        s_bRead = true;
        LinearGradientBrush brush(RectF(0, 0, 1, 1), Color(0xFF000000), Color(0xFFFFFFFF),
                                  LinearGradientModeHorizontal);
        const INT nCount = brush.SetBlendBellShape(0.5f, 1.0f) == Ok ? brush.GetBlendCount() : 0;
        std::vector<REAL> factors(std::max(nCount, 0)), positions(std::max(nCount, 0));
        if (nCount >= 2 && brush.GetBlend(factors.data(), positions.data(), nCount) == Ok)
        {
            s_factors.resize(kRampSteps + 1);
            for (int i = 0; i <= kRampSteps; i++)
                s_factors[i] = BlendFactor(positions, factors, (double)i / kRampSteps);
        }
    }
    return s_factors;
}

// A colour ramp: kRampSteps + 1 opaque colours from clrFrom (t = 0) to clrTo (t = 1).
struct CRamp
{
    DWORD clrFrom = 0;
    DWORD clrTo = 0;
    bool bBell = false;
    std::vector<DWORD> colours;
};

// The ramp from clrFrom to clrTo along the linear or the bell blend, made once and kept
// among the last few used.
const DWORD* GetRamp(DWORD clrFrom, DWORD clrTo, bool bBell)
{
    static std::vector<CRamp> s_ramps;
    static size_t s_nNext = 0;
    for (const CRamp& ramp : s_ramps)
        if (ramp.clrFrom == clrFrom && ramp.clrTo == clrTo && ramp.bBell == bBell)
            return ramp.colours.data();
    CRamp* pRamp = NULL;
    if (s_ramps.size() < kKeptRamps)
    {
        s_ramps.emplace_back();
        pRamp = &s_ramps.back();
    }
    else
        pRamp = &s_ramps[s_nNext++ % kKeptRamps];
    CRamp& ramp = *pRamp;
    ramp.clrFrom = clrFrom;
    ramp.clrTo = clrTo;
    ramp.bBell = bBell;
    ramp.colours.resize(kRampSteps + 1);
    const std::vector<double>& bell = BellFactors();
    for (int i = 0; i <= kRampSteps; i++)
    {
        const double f = bBell && !bell.empty() ? bell[i] : (double)i / kRampSteps;
        DWORD clr = 0xFF000000;
        for (int shift = 0; shift < 24; shift += 8)
        {
            const double a = (clrFrom >> shift) & 0xFF, b = (clrTo >> shift) & 0xFF;
            const double v = a + (b - a) * f;
            clr |= (DWORD)std::min(255.0, std::max(0.0, floor(v + 1e-6))) << shift;
        }
        ramp.colours[i] = clr;
    }
    return ramp.colours.data();
}

// The world-to-device mapping of a graphics on hDC (x' = m0 x + m2 y + m4, y' = m1 x +
// m3 y + m5); false where the library's drawing would follow settings this drawing does
// not (a page unit or scale, a clip, smoothing, another compositing, a GDI world transform).
bool GetWorldToDevice(Graphics* pGraphics, HDC hDC, double m[6])
{
    const Unit unit = pGraphics->GetPageUnit();
    if ((unit != UnitDisplay && unit != UnitPixel) || pGraphics->GetPageScale() != 1.0f)
        return false;
    if (unit == UnitDisplay && ::GetDeviceCaps(hDC, TECHNOLOGY) != DT_RASDISPLAY)
        return false;
    const SmoothingMode smoothing = pGraphics->GetSmoothingMode();
    if ((smoothing != SmoothingModeDefault && smoothing != SmoothingModeNone && smoothing != SmoothingModeHighSpeed)
        || pGraphics->GetCompositingMode() != CompositingModeSourceOver)
        return false;
    Region clip;
    if (pGraphics->GetClip(&clip) != Ok || !clip.IsInfinite(pGraphics))
        return false;
    if (::GetGraphicsMode(hDC) == GM_ADVANCED)
    {
        XFORM xf;
        if (!::GetWorldTransform(hDC, &xf) || xf.eM11 != 1 || xf.eM12 != 0 || xf.eM21 != 0 || xf.eM22 != 1
            || xf.eDx != 0 || xf.eDy != 0)
            return false;
    }
    Matrix world;
    REAL w[6];
    POINT ptWindow, ptViewport;
    SIZE sizeWindow, sizeViewport;
    if (pGraphics->GetTransform(&world) != Ok || world.GetElements(w) != Ok || !::GetWindowOrgEx(hDC, &ptWindow)
        || !::GetViewportOrgEx(hDC, &ptViewport) || !::GetWindowExtEx(hDC, &sizeWindow)
        || !::GetViewportExtEx(hDC, &sizeViewport) || sizeWindow.cx == 0 || sizeWindow.cy == 0)
        return false;
    const double sx = (double)sizeViewport.cx / sizeWindow.cx, sy = (double)sizeViewport.cy / sizeWindow.cy;
    m[0] = w[0] * sx;
    m[1] = w[1] * sy;
    m[2] = w[2] * sx;
    m[3] = w[3] * sy;
    m[4] = (w[4] - ptWindow.x) * sx + ptViewport.x;
    m[5] = (w[5] - ptWindow.y) * sy + ptViewport.y;
    return true;
}

// The outline FillShapeOutline fills, as a path; false for a shape code that fills nothing
// (bValid false: the outline could not be made).
bool AddShapeOutline(GraphicsPath& path, const RectF& rc, int nShape, const PointF* pPoints, int nCount,
                     GraphicsPath* pPath, bool& bValid)
{
    PointF corners[4];
    const int nCorners = GetShapeCorners(rc, nShape, corners);
    if (nShape == KIND_RECTANGLE)
        bValid = path.AddRectangle(rc) == Ok;
    else if (nShape == KIND_CIRCLE)
        bValid = path.AddEllipse(rc) == Ok;
    else if (nCorners > 0)
        bValid = path.AddPolygon(corners, nCorners) == Ok;
    else if (nShape == KIND_CLOSEDCURVE)
        bValid = pPoints != NULL && nCount >= 3 && path.AddPolygon(pPoints, nCount) == Ok;
    else if (IsPathShape(nShape))
        bValid = pPath != NULL && path.AddPath(pPath, FALSE) == Ok && path.SetFillMode(pPath->GetFillMode()) == Ok;
    else
    {
        bValid = true;
        return false;
    }
    return bValid;
}

// The pixels of hDC a fill of the region covers: the region within the clip region and
// the selected bitmap. Deletes nothing; the caller owns hFill.
bool ClipFillRegion(HDC hDC, HRGN hFill, RECT& rcBox)
{
    HRGN hClip = ::CreateRectRgn(0, 0, 0, 0);
    if (hClip != NULL)
    {
        if (::GetClipRgn(hDC, hClip) == 1)
            ::CombineRgn(hFill, hFill, hClip, RGN_AND);
        ::DeleteObject(hClip);
    }
    BITMAP bm;
    HGDIOBJ hBitmap = ::GetCurrentObject(hDC, OBJ_BITMAP);
    if (hBitmap != NULL && ::GetObjectA(hBitmap, sizeof(bm), &bm) == sizeof(bm))
    {
        HRGN hBounds = ::CreateRectRgn(0, 0, bm.bmWidth, bm.bmHeight);
        if (hBounds != NULL)
        {
            ::CombineRgn(hFill, hFill, hBounds, RGN_AND);
            ::DeleteObject(hBounds);
        }
    }
    return ::GetRgnBox(hFill, &rcBox) != NULLREGION && rcBox.right > rcBox.left && rcBox.bottom > rcBox.top;
}

// A memory DC kept for making regions of paths (UI thread only).
HDC PathDC()
{
    static HDC s_hDC = NULL;
    if (s_hDC == NULL)
        s_hDC = ::CreateCompatibleDC(NULL);
    return s_hDC;
}

// The pixels a path of device coordinates covers, as the library makes the region of a
// path: its points rounded to whole pixels, its curves and fill mode handed to a device
// path. NULL when it cannot be made.
HRGN DevicePathRegion(const std::vector<PointF>& points, const std::vector<BYTE>& types, int nFillMode)
{
    const size_t n = std::min(points.size(), types.size());
    if (n == 0)
        return ::CreateRectRgn(0, 0, 0, 0);
    HDC hDC = PathDC();
    if (hDC == NULL)
        return NULL;
    std::vector<POINT> devicePoints(n);
    std::vector<BYTE> deviceTypes(n);
    for (size_t i = 0; i < n; i++)
    {
        devicePoints[i].x = (LONG)floorf(points[i].X + 0.5f);
        devicePoints[i].y = (LONG)floorf(points[i].Y + 0.5f);
        switch (types[i] & PathPointTypePathTypeMask)
        {
        case PathPointTypeStart: deviceTypes[i] = PT_MOVETO; break;
        case PathPointTypeLine: deviceTypes[i] = PT_LINETO; break;
        case PathPointTypeBezier: deviceTypes[i] = PT_BEZIERTO; break;
        default: return NULL;
        }
        if (types[i] & PathPointTypeCloseSubpath)
            deviceTypes[i] |= PT_CLOSEFIGURE;
    }
    ::SetPolyFillMode(hDC, nFillMode == FillModeAlternate ? ALTERNATE : WINDING);
    if (!::BeginPath(hDC))
        return NULL;
    const BOOL bTraced = ::PolyDraw(hDC, devicePoints.data(), deviceTypes.data(), (DWORD)n);
    ::EndPath(hDC);
    HRGN hRegion = ::PathToRegion(hDC);
    if (!bTraced && hRegion != NULL)
    {
        ::DeleteObject(hRegion);
        hRegion = NULL;
    }
    return hRegion;
}

// An affine function of device pixels: a x + b y + c.
struct CAffine
{
    double a = 0, b = 0, c = 0;
    double At(double x, double y) const { return a * x + b * y + c; }
};

// f(q) = ax qx + ay qy + a0 of element coordinates q, as a function of device pixels
// through the inverse of m.
CAffine ThroughInverse(const double inv[6], double ax, double ay, double a0)
{
    CAffine f;
    f.a = ax * inv[0] + ay * inv[1];
    f.b = ax * inv[2] + ay * inv[3];
    f.c = ax * inv[4] + ay * inv[5] + a0;
    return f;
}

bool Invert(const double m[6], double inv[6])
{
    const double det = m[0] * m[3] - m[1] * m[2];
    if (!(fabs(det) > 1e-12))
        return false;
    inv[0] = m[3] / det;
    inv[1] = -m[1] / det;
    inv[2] = -m[2] / det;
    inv[3] = m[0] / det;
    inv[4] = -(inv[0] * m[4] + inv[2] * m[5]);
    inv[5] = -(inv[1] * m[4] + inv[3] * m[5]);
    return true;
}

// Linear gradient kinds: the direction, whether the pattern colour starts, the bell blend.
bool LinearKind(int nFillKind, LinearGradientMode& mode, bool& bPatternFirst, bool& bBell)
{
    if (nFillKind < 25 || nFillKind > 36)
        return false;
    const int n = nFillKind - 25;
    static const LinearGradientMode modes[4] = { LinearGradientModeHorizontal, LinearGradientModeVertical,
                                                 LinearGradientModeForwardDiagonal,
                                                 LinearGradientModeBackwardDiagonal };
    mode = modes[n / 3];
    bPatternFirst = n % 3 != 2;
    bBell = n % 3 == 1;
    return true;
}

// The ramp entry of a tiled gradient value: its part above the whole number below it.
inline int TiledRampIndex(double v)
{
    if (!(fabs(v) < 1e15))
        return 0;
    double whole = (double)(long long)v;
    if (whole > v)
        whole -= 1;                     // toward minus infinity
    const int i = (int)((v - whole) * kRampSteps + 0.5);
    return std::min(kRampSteps, std::max(0, i));
}

// The pixels of a linear gradient kind over r, the box's top-left pixel first, rows
// nStride apart: t = 0 at the start of the direction, 1 at its end, tiled.
void FillLinearPixels(DWORD* pBits, int nStride, const RECT& rcBox, const double inv[6], const RectF& r,
                      int nFillKind, DWORD clrFill, DWORD clrPattern)
{
    LinearGradientMode mode = LinearGradientModeHorizontal;
    bool bPatternFirst = true, bBell = false;
    LinearKind(nFillKind, mode, bPatternFirst, bBell);
    const double rx = r.X, ry = r.Y, rw = r.Width, rh = r.Height;
    CAffine t;
    switch (mode)
    {
    case LinearGradientModeHorizontal:
        t = ThroughInverse(inv, 1 / rw, 0, -rx / rw);
        break;
    case LinearGradientModeVertical:
        t = ThroughInverse(inv, 0, 1 / rh, -ry / rh);
        break;
    case LinearGradientModeForwardDiagonal:
        t = ThroughInverse(inv, 0.5 / rw, 0.5 / rh, -0.5 * (rx / rw + ry / rh));
        break;
    default:
        t = ThroughInverse(inv, -0.5 / rw, 0.5 / rh, 0.5 * ((rx + rw) / rw - ry / rh));
        break;
    }
    const DWORD* ramp = GetRamp(bPatternFirst ? clrPattern : clrFill, bPatternFirst ? clrFill : clrPattern, bBell);
    const int nWidth = rcBox.right - rcBox.left, nHeight = rcBox.bottom - rcBox.top;
    for (int y = 0; y < nHeight; y++)
    {
        DWORD* pRow = pBits + (size_t)y * nStride;
        if (y > 0 && t.b == 0)
        {
            memcpy(pRow, pBits, nWidth * sizeof(DWORD));    // the same along every row
            continue;
        }
        double v = t.At(rcBox.left, rcBox.top + y);
        if (t.a == 0)
        {
            std::fill(pRow, pRow + nWidth, ramp[TiledRampIndex(v)]);
            continue;
        }
        for (int x = 0; x < nWidth; x++, v += t.a)
            pRow[x] = ramp[TiledRampIndex(v)];
    }
}

// The polygon of a path gradient kind over r in device pixels (the rectangle, or the
// ellipse flattened as the library flattens it) and its centre point in device pixels.
void PathGradientOutline(const double m[6], const RectF& rcRef, const RectF& r, int nFillKind,
                         std::vector<PointF>& polygon, double& cx, double& cy)
{
    auto ToDevice = [&](const PointF& pt) {
        return PointF((REAL)(m[0] * pt.X + m[2] * pt.Y + m[4]), (REAL)(m[1] * pt.X + m[3] * pt.Y + m[5]));
    };
    polygon.clear();
    if (nFillKind == 37)
    {
        // the polygon of the library's brush (PathBrush), on the device
        GraphicsPath ellipse, flat;
        ellipse.AddEllipse(r);
        AddFlattenedPath(flat, ellipse, kBrushEllipseTolerance);
        Matrix device((REAL)m[0], (REAL)m[1], (REAL)m[2], (REAL)m[3], (REAL)m[4], (REAL)m[5]);
        if (flat.Transform(&device) == Ok)
        {
            polygon.resize(flat.GetPointCount());
            if (polygon.empty() || flat.GetPathPoints(polygon.data(), (INT)polygon.size()) != Ok)
                polygon.clear();
        }
    }
    else
    {
        const PointF corners[4] = { PointF(r.X, r.Y), PointF(r.X + r.Width, r.Y),
                                    PointF(r.X + r.Width, r.Y + r.Height), PointF(r.X, r.Y + r.Height) };
        for (const PointF& pt : corners)
            polygon.push_back(ToDevice(pt));
    }
    PointF ptCentre(rcRef.X + rcRef.Width / 2, rcRef.Y + rcRef.Height / 2);
    switch (nFillKind)
    {
    case 38: ptCentre = PointF(r.X, r.Y); break;
    case 39: ptCentre = PointF(r.X + r.Width, r.Y); break;
    case 40: ptCentre = PointF(r.X + r.Width, r.Y + r.Height); break;
    case 41: ptCentre = PointF(r.X, r.Y + r.Height); break;
    }
    cx = m[0] * ptCentre.X + m[2] * ptCentre.Y + m[4];
    cy = m[1] * ptCentre.X + m[3] * ptCentre.Y + m[5];
}

// The affine shares of the polygon's edges around the centre, in the polygon's order:
// n.(p - c) / n.(a - c) for the normal n of the edge from a; edges of no length or
// through the centre are left out.
std::vector<CAffine> EdgeShares(const std::vector<PointF>& polygon, double cx, double cy)
{
    std::vector<CAffine> edges;
    for (size_t i = 0; i < polygon.size(); i++)
    {
        const PointF& a = polygon[i];
        const PointF& b = polygon[(i + 1) % polygon.size()];
        const double nx = b.Y - a.Y, ny = a.X - b.X;
        const double fLength = sqrt(nx * nx + ny * ny);
        const double den = nx * (a.X - cx) + ny * (a.Y - cy);
        if (!(fLength > 1e-3) || !(fabs(den) > 1e-3 * fLength))
            continue;
        CAffine e;
        e.a = nx / den;
        e.b = ny / den;
        e.c = -(nx * cx + ny * cy) / den;
        edges.push_back(e);
    }
    return edges;
}

// The span of the convex polygon on the row at y: from its left end up to, not
// including, its right end; false when the row misses it.
bool PolygonSpan(const std::vector<PointF>& polygon, double y, double& xl, double& xr)
{
    bool bSpan = false;
    for (size_t i = 0; i < polygon.size(); i++)
    {
        const PointF& a = polygon[i];
        const PointF& b = polygon[(i + 1) % polygon.size()];
        if (y < std::min(a.Y, b.Y) || y > std::max(a.Y, b.Y))
            continue;
        double xa = a.X, xb = b.X;
        if (a.Y != b.Y)
            xa = xb = a.X + (y - a.Y) * ((double)b.X - a.X) / ((double)b.Y - a.Y);
        xl = bSpan ? std::min(xl, std::min(xa, xb)) : std::min(xa, xb);
        xr = bSpan ? std::max(xr, std::max(xa, xb)) : std::max(xa, xb);
        bSpan = true;
    }
    return bSpan;
}

// The largest edge share at (x, y). Around a convex polygon the shares of the edges rise
// and fall once in the polygon's order, so from the edge nEdge of a pixel nearby a climb
// to the larger neighbour finds the largest; nEdge is left at it.
double LargestShare(const std::vector<CAffine>& edges, double x, double y, size_t& nEdge)
{
    const size_t n = edges.size();
    if (n <= kClimbEdges)
    {
        double l = 0;
        for (const CAffine& e : edges)
            l = std::max(l, e.At(x, y));
        return l;
    }
    double l = edges[nEdge].At(x, y);
    for (;;)
    {
        const size_t nNext = nEdge + 1 < n ? nEdge + 1 : 0, nPrev = nEdge > 0 ? nEdge - 1 : n - 1;
        const double fNext = edges[nNext].At(x, y), fPrev = edges[nPrev].At(x, y);
        if (fNext > l && fNext >= fPrev)
        {
            nEdge = nNext;
            l = fNext;
        }
        else if (fPrev > l)
        {
            nEdge = nPrev;
            l = fPrev;
        }
        else
            return std::max(0.0, l);
    }
}

// The pixels of a path gradient kind over r, as FillLinearPixels: a pixel takes the
// centre colour's share 1 - l, where l (0 at the centre, 1 on the boundary) is the
// largest edge share; pixels outside the gradient's outline are left transparent (false
// returned when there are any).
bool FillPathPixels(DWORD* pBits, int nStride, const RECT& rcBox, const double m[6], const RectF& rcRef,
                    const RectF& r, int nFillKind, DWORD clrFill, DWORD clrPattern)
{
    std::vector<PointF> polygon;
    double cx = 0, cy = 0;
    PathGradientOutline(m, rcRef, r, nFillKind, polygon, cx, cy);
    const std::vector<CAffine> edges = EdgeShares(polygon, cx, cy);
    const DWORD* ramp = GetRamp(clrFill, clrPattern, false);
    const int nWidth = rcBox.right - rcBox.left, nHeight = rcBox.bottom - rcBox.top;
    bool bOpaque = true;
    size_t nEdge = 0;
    for (int y = 0; y < nHeight; y++)
    {
        DWORD* pRow = pBits + (size_t)y * nStride;
        const double py = rcBox.top + y;
        double xl = 0, xr = 0;
        const bool bSpan = !edges.empty() && PolygonSpan(polygon, py, xl, xr);
        for (int x = 0; x < nWidth; x++)
        {
            const double px = rcBox.left + x;
            if (!bSpan || px < xl || px >= xr)
            {
                pRow[x] = 0;            // outside the gradient's outline: left as it is
                bOpaque = false;
                continue;
            }
            const double l = LargestShare(edges, px, py, nEdge);
            pRow[x] = ramp[(int)((1 - std::min(1.0, l)) * kRampSteps + 0.5)];
        }
    }
    return bOpaque;
}

// Pixels the fills are worked out in; kept between fills (UI thread only).
CDibSurface g_scratch;

void ReleaseScratch()
{
    g_scratch.Release();
}

// The scratch pixels, at least nWidth x nHeight (rows g_scratch.m_nWidth apart); false
// when they cannot be made.
bool EnsureScratch(int nWidth, int nHeight)
{
    if (g_scratch.m_hDC != NULL && nWidth <= g_scratch.m_nWidth && nHeight <= g_scratch.m_nHeight)
        return true;
    return g_scratch.Create(std::max(nWidth, g_scratch.m_nWidth), std::max(nHeight, g_scratch.m_nHeight));
}

// Copies the box of scratch pixels to hDC through the fill's region: opaque pixels as
// they are, else blended by their alpha.
BOOL CopyThroughRegion(HDC hDC, HRGN hFill, const RECT& rcBox, bool bOpaque)
{
    const int nWidth = rcBox.right - rcBox.left, nHeight = rcBox.bottom - rcBox.top;
    const int nSaved = ::SaveDC(hDC);
    ::SetMapMode(hDC, MM_TEXT);
    ::SetViewportOrgEx(hDC, 0, 0, NULL);
    ::SetWindowOrgEx(hDC, 0, 0, NULL);
    ::ExtSelectClipRgn(hDC, hFill, RGN_AND);
    BOOL bDrawn = FALSE;
    if (bOpaque)
    {
        bDrawn = ::BitBlt(hDC, rcBox.left, rcBox.top, nWidth, nHeight, g_scratch.m_hDC, 0, 0, SRCCOPY);
    }
    else
    {
        BLENDFUNCTION blend = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
        bDrawn = ::GdiAlphaBlend(hDC, rcBox.left, rcBox.top, nWidth, nHeight, g_scratch.m_hDC, 0, 0, nWidth, nHeight,
                                 blend);
    }
    ::RestoreDC(hDC, nSaved);
    return bDrawn;
}

// What the pixels of a direct fill depend on, in a frame of whole device pixels at the
// fill rectangle's corner: the fill, the outline in the frame's pixels, the mapping's
// linear part and where in its pixel the corner lies. Equal keys give equal pixels
// wherever the fill lands by whole pixels.
struct CFillKey
{
    int nFillKind = 0;
    DWORD clrFill = 0;
    DWORD clrPattern = 0;
    int nFillMode = FillModeAlternate;
    double m[6] = {};               // relative outline to local pixels; m[4], m[5] in [0, 1)
    REAL fWidth = 0;
    REAL fHeight = 0;
    std::vector<PointF> points;     // the outline in local pixels
    std::vector<BYTE> types;        // its point types
    size_t nHash = 0;

    bool operator==(const CFillKey& o) const
    {
        return nHash == o.nHash && nFillKind == o.nFillKind && clrFill == o.clrFill && clrPattern == o.clrPattern
               && nFillMode == o.nFillMode && memcmp(m, o.m, sizeof(m)) == 0
               && fWidth == o.fWidth && fHeight == o.fHeight && types == o.types && points.size() == o.points.size()
               && (points.empty() || memcmp(points.data(), o.points.data(), points.size() * sizeof(PointF)) == 0);
    }
};

// Adds the bytes of a value to a hash (FNV-1a).
void HashBytes(size_t& nHash, const void* p, size_t nBytes)
{
    const BYTE* pb = (const BYTE*)p;
    for (size_t i = 0; i < nBytes; i++)
        nHash = (nHash ^ pb[i]) * 1099511628211ULL;
}

// The key of a fill and the whole device pixel its frame starts at; false for a shape
// code that fills nothing (bValid true) or an outline that cannot be made or lies too far
// for whole pixels to move it exactly (bValid false).
bool MakeFillKey(const double m[6], const RectF& rcRef, int nFillKind, DWORD clrFill, DWORD clrPattern,
                 int nShape, const PointF* pPoints, int nCount, GraphicsPath* pPath, CFillKey& key,
                 POINT& ptWhole, bool& bValid)
{
    // the outline in device pixels, as the library maps it
    GraphicsPath outline(FillModeAlternate);
    bValid = true;
    if (!AddShapeOutline(outline, rcRef, nShape, pPoints, nCount, pPath, bValid))
        return false;
    Matrix device((REAL)m[0], (REAL)m[1], (REAL)m[2], (REAL)m[3], (REAL)m[4], (REAL)m[5]);
    const INT n = outline.Transform(&device) == Ok ? outline.GetPointCount() : -1;
    key.points.resize(std::max(n, 0));
    key.types.resize(std::max(n, 0));
    bValid = n == 0
             || (n > 0 && outline.GetPathPoints(key.points.data(), n) == Ok
                 && outline.GetPathTypes(key.types.data(), n) == Ok);
    const double ox = m[0] * rcRef.X + m[2] * rcRef.Y + m[4], oy = m[1] * rcRef.X + m[3] * rcRef.Y + m[5];
    const float kExact = 4e6f;          // whole pixels move floats of this size exactly
    bValid = bValid && fabs(ox) < kExact && fabs(oy) < kExact;
    for (const PointF& pt : key.points)
        bValid = bValid && fabsf(pt.X) < kExact && fabsf(pt.Y) < kExact;
    if (!bValid)
        return false;
    ptWhole.x = (LONG)floor(ox);
    ptWhole.y = (LONG)floor(oy);
    for (PointF& pt : key.points)
        pt = PointF(pt.X - (REAL)ptWhole.x, pt.Y - (REAL)ptWhole.y);
    key.nFillMode = outline.GetFillMode();
    key.nFillKind = nFillKind;
    key.clrFill = clrFill;
    key.clrPattern = clrPattern;
    const double local[6] = { m[0], m[1], m[2], m[3], ox - ptWhole.x, oy - ptWhole.y };
    memcpy(key.m, local, sizeof(local));
    key.fWidth = rcRef.Width;
    key.fHeight = rcRef.Height;
    size_t nHash = 14695981039346656037ULL;
    HashBytes(nHash, &key.nFillKind, sizeof(int));
    HashBytes(nHash, &key.clrFill, sizeof(DWORD));
    HashBytes(nHash, &key.clrPattern, sizeof(DWORD));
    HashBytes(nHash, key.m, sizeof(key.m));
    HashBytes(nHash, &key.fWidth, sizeof(REAL));
    HashBytes(nHash, &key.fHeight, sizeof(REAL));
    if (!key.points.empty())
        HashBytes(nHash, key.points.data(), key.points.size() * sizeof(PointF));
    key.nHash = nHash;
    return true;
}

// A fill worked out before: its region and, unless the fill is large, its pixels, in the
// frame of its key.
struct CFillEntry
{
    CFillKey key;
    HRGN hRegion = NULL;            // the region, owned
    RECT rcBox = {};                // its bounds
    size_t nRegionBytes = 0;        // the size of its data
    std::vector<DWORD> pixels;      // over rcBox, row by row; empty for a large fill
    bool bOpaque = true;

    CFillEntry() = default;
    CFillEntry(const CFillEntry&) = delete;
    CFillEntry& operator=(const CFillEntry&) = delete;
    ~CFillEntry()
    {
        if (hRegion != NULL)
            ::DeleteObject(hRegion);
    }
    size_t Bytes() const
    {
        return sizeof(*this) + nRegionBytes + pixels.size() * sizeof(DWORD) + key.points.size() * sizeof(PointF)
               + key.types.size();
    }
};

// Fills kept for later paints, the last used first (UI thread only).
const size_t kKeptFillBytes = 24 * 1024 * 1024;
const size_t kKeptFills = 1024;       // each holds a region handle
// The largest fill whose pixels are kept.
const LONG kKeptFillPixels = 256 * 256;
typedef std::list<CFillEntry> CFillList;
CFillList g_fills;
std::unordered_multimap<size_t, CFillList::iterator> g_fillIndex;
size_t g_nFillBytes = 0;

// The kept fill of a key, made the last used; NULL when none is kept.
CFillEntry* FindFill(const CFillKey& key)
{
    auto range = g_fillIndex.equal_range(key.nHash);
    for (auto it = range.first; it != range.second; ++it)
    {
        if (it->second->key == key)
        {
            g_fills.splice(g_fills.begin(), g_fills, it->second);
            return &g_fills.front();
        }
    }
    return NULL;
}

// Keeps the fill made in the first entry of g_fills, dropping the least used ones beyond
// the bounds.
CFillEntry& KeepNewFill()
{
    g_fillIndex.emplace(g_fills.front().key.nHash, g_fills.begin());
    g_nFillBytes += g_fills.front().Bytes();
    while (g_fills.size() > 1 && (g_nFillBytes > kKeptFillBytes || g_fills.size() > kKeptFills))
    {
        auto itLast = std::prev(g_fills.end());
        auto range = g_fillIndex.equal_range(itLast->key.nHash);
        for (auto it = range.first; it != range.second; ++it)
        {
            if (it->second == itLast)
            {
                g_fillIndex.erase(it);
                break;
            }
        }
        g_nFillBytes -= itLast->Bytes();
        g_fills.pop_back();
    }
    return g_fills.front();
}

// The pixels of a key's fill over rcBox of its frame, rows nStride apart; false when
// some are left transparent.
bool FillPixels(DWORD* pBits, int nStride, const RECT& rcBox, const CFillKey& key)
{
    const RectF rcRef(0, 0, key.fWidth, key.fHeight);
    const RectF r = GradientRect(rcRef);
    if (key.nFillKind > 36)
        return FillPathPixels(pBits, nStride, rcBox, key.m, rcRef, r, key.nFillKind, key.clrFill, key.clrPattern);
    double inv[6];
    if (Invert(key.m, inv))
    {
        FillLinearPixels(pBits, nStride, rcBox, inv, r, key.nFillKind, key.clrFill, key.clrPattern);
        return true;
    }
    for (LONG y = rcBox.top; y < rcBox.bottom; y++)
        memset(pBits + (size_t)(y - rcBox.top) * nStride, 0, (rcBox.right - rcBox.left) * sizeof(DWORD));
    return false;
}

// The region and the bounds of a key's outline in its frame, and its pixels when the
// fill is small enough to keep; false when the outline's region cannot be made.
bool MakeFillEntry(CFillEntry& entry)
{
    const CFillKey& key = entry.key;
    HRGN hRegion = DevicePathRegion(key.points, key.types, key.nFillMode);
    if (hRegion == NULL)
        return false;
    entry.hRegion = hRegion;
    entry.nRegionBytes = ::GetRegionData(hRegion, 0, NULL);
    const int nKind = ::GetRgnBox(hRegion, &entry.rcBox);
    const LONG nWidth = entry.rcBox.right - entry.rcBox.left, nHeight = entry.rcBox.bottom - entry.rcBox.top;
    if (nKind != NULLREGION && nWidth > 0 && nHeight > 0 && (LONGLONG)nWidth * nHeight <= kKeptFillPixels)
    {
        entry.pixels.resize((size_t)nWidth * nHeight);
        entry.bOpaque = FillPixels(entry.pixels.data(), nWidth, entry.rcBox, key);
    }
    return true;
}
}

CGradientFillScope::CGradientFillScope(HDC hDC)
    : m_hDC(hDC), m_bLibraryOnGdi(true), m_pOuter(g_pGradientScope)
{
    g_pGradientScope = this;
    // on a 32-bit section the library keeps the alpha channel by drawing the pixels itself
    DIBSECTION section;
    HGDIOBJ hBitmap = hDC != NULL ? ::GetCurrentObject(hDC, OBJ_BITMAP) : NULL;
    if (hBitmap != NULL && ::GetObject(hBitmap, sizeof(section), &section) == sizeof(section))
        m_bLibraryOnGdi = section.dsBmih.biBitCount != 32;
}

CGradientFillScope::~CGradientFillScope()
{
    g_pGradientScope = m_pOuter;
    if (g_pGradientScope == NULL && (size_t)g_scratch.m_nWidth * g_scratch.m_nHeight > (size_t)kKeptScratchPixels)
        ReleaseScratch();
}

HDC CGradientFillScope::GetDC()
{
    return g_pGradientScope != NULL ? g_pGradientScope->m_hDC : NULL;
}

HDC CGradientFillScope::GetDeviceOf(Graphics* pGraphics)
{
    if (g_pGradientScope == NULL || g_pGradientScope->m_hDC == NULL || pGraphics == NULL)
        return NULL;
    HDC hDC = pGraphics->GetHDC();
    if (hDC == NULL)
        return NULL;
    pGraphics->ReleaseHDC(hDC);
    return hDC == g_pGradientScope->m_hDC ? hDC : NULL;
}

bool CGradientFillScope::IsLibraryOnGdi()
{
    return g_pGradientScope != NULL && g_pGradientScope->m_bLibraryOnGdi;
}

// Draws a gradient fill by itself: the kept or newly made region and pixels of the fill,
// the part that shows copied to the device.
BOOL FillGradientDirect(Graphics* pGraphics, HDC hDC, const RectF& rcRef, int nFillKind, DWORD clrFill,
                        DWORD clrPattern, int nShape, const PointF* pPoints, int nCount, GraphicsPath* pPath)
{
    if (pGraphics == NULL || hDC == NULL || nFillKind < 25 || nFillKind > 42)
        return FALSE;
    if ((clrFill >> 24) != 0xFF || (clrPattern >> 24) != 0xFF)
        return FALSE;                   // translucent colours: the library's blending
    double m[6], inv[6];
    if (!GetWorldToDevice(pGraphics, hDC, m) || !Invert(m, inv))
        return FALSE;
    CFillKey key;
    POINT ptWhole;
    bool bValid = true;
    if (!MakeFillKey(m, rcRef, nFillKind, clrFill, clrPattern, nShape, pPoints, nCount, pPath, key, ptWhole, bValid))
        return bValid ? TRUE : FALSE;   // a shape that fills nothing
    CFillEntry* pEntry = FindFill(key);
    if (pEntry == NULL)
    {
        g_fills.emplace_front();
        g_fills.front().key = std::move(key);
        if (!MakeFillEntry(g_fills.front()))
        {
            g_fills.pop_front();
            return FALSE;
        }
        pEntry = &KeepNewFill();
    }

    // the pixels of the region that show, from the kept ones or worked out now
    HRGN hFill = ::CreateRectRgn(0, 0, 0, 0);
    if (hFill == NULL || ::CombineRgn(hFill, pEntry->hRegion, NULL, RGN_COPY) == ERROR)
    {
        if (hFill != NULL)
            ::DeleteObject(hFill);
        return FALSE;
    }
    ::OffsetRgn(hFill, ptWhole.x, ptWhole.y);
    RECT rcBox;
    BOOL bDrawn = TRUE;
    if (ClipFillRegion(hDC, hFill, rcBox))
    {
        RECT rcLocal = rcBox;
        ::OffsetRect(&rcLocal, -ptWhole.x, -ptWhole.y);
        const int nWidth = rcBox.right - rcBox.left, nHeight = rcBox.bottom - rcBox.top;
        bDrawn = EnsureScratch(nWidth, nHeight);
        if (bDrawn)
        {
            ::GdiFlush();
            bool bOpaque = pEntry->bOpaque;
            const int nKeptWidth = pEntry->rcBox.right - pEntry->rcBox.left;
            for (int y = 0; y < nHeight && !pEntry->pixels.empty(); y++)
            {
                memcpy(g_scratch.m_pBits + (size_t)y * g_scratch.m_nWidth,
                       pEntry->pixels.data() + (size_t)(rcLocal.top - pEntry->rcBox.top + y) * nKeptWidth
                           + (rcLocal.left - pEntry->rcBox.left),
                       nWidth * sizeof(DWORD));
            }
            if (pEntry->pixels.empty())
                bOpaque = FillPixels(g_scratch.m_pBits, g_scratch.m_nWidth, rcLocal, pEntry->key);
            bDrawn = CopyThroughRegion(hDC, hFill, rcBox, bOpaque);
        }
    }
    ::DeleteObject(hFill);
    return bDrawn;
}

void GetKeptGradientFills(size_t& nFills, size_t& nBytes)
{
    nFills = g_fills.size();
    nBytes = g_nFillBytes;
}

void ForgetGradientFills()
{
    g_fillIndex.clear();
    g_fills.clear();
    g_nFillBytes = 0;
}

int GetFillHatchStyle(int nFillKind)
{
    if (nFillKind < 2 || nFillKind > 24)
        return -1;
    return g_hatchOfFillKind[nFillKind - 2];
}

// The library brush of a fill kind over the reference rectangle, after the fill table.
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

// An 8 x 8 tile of our pattern in the two colours, tiled as a brush.
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

// Probes once whether the library fills a hatch style in both its colours.
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

// Fills the outline of a shape code with the brush.
Status FillShapeOutline(Graphics* pGraphics, Brush* pBrush, const RectF& rc, int nShape,
                        const PointF* pPoints, int nCount, GraphicsPath* pPath)
{
    PointF corners[4];
    const int nCorners = GetShapeCorners(rc, nShape, corners);
    if (nShape == KIND_RECTANGLE)
        return FillRectangleArea(pGraphics, pBrush, rc);
    if (nShape == KIND_CIRCLE)
        return FillEllipseArea(pGraphics, pBrush, rc);
    if (nCorners > 0)
        return FillPolygonArea(pGraphics, pBrush, corners, nCorners, FillModeAlternate);
    if (nShape == KIND_CLOSEDCURVE)
        return pPoints == NULL || nCount < 1 ? InvalidParameter
                                             : FillPolygonArea(pGraphics, pBrush, pPoints, nCount, FillModeAlternate);
    if (IsPathShape(nShape))
        return pPath == NULL ? InvalidParameter : FillPathArea(pGraphics, pBrush, *pPath);
    return Ok;
}

// Fills an element's outline: hatches, gradients drawn directly in a scope, else the
// library's brush of the fill kind.
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
    if (nFillKind >= 25 && nFillKind <= 42)
    {
        // in a paint that draws gradients itself, when pGraphics draws on its device
        HDC hDC = CGradientFillScope::GetDeviceOf(pGraphics);
        if (hDC != NULL && FillGradientDirect(pGraphics, hDC, rc, nFillKind, clrFill, clrPattern, nShape, pPoints,
                                              nCount, pPath))
            return;
    }
    Brush* pBrush = CreateFillBrush(nFillKind, rc, clrFill, clrPattern);
    if (pBrush == NULL)
        return;
    FillShapeOutline(pGraphics, pBrush, rc, nShape, pPoints, nCount, pPath);
    delete pBrush;
}

// Fills a clipped, turned outline with the fill kind's brush made in own coordinates.
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
        FillHatch(pGraphics, nHatchStyle, clrPattern, clrFill, rc, KIND_RECTROUND, NULL, 0, pPath);
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
