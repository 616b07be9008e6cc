// FillPainter.h - the shared fill painter of filled elements and the fill-style samples.
//
// Notes
// - Fill kinds 0..42: 0 no fill, 1 solid, 2..24 hatches, 25..36 linear gradients,
//   37..42 path gradients; any other value fills solid with the fill colour.
// - Hatches are drawn with the platform's hatch brush. A hatch style the platform cannot
//   fill (it fills nothing, or the fill fails) is drawn with a texture brush made from our
//   own 8 x 8 pattern of that style in the same colours.
// - A reference rectangle of zero width or height is silent: the gradient then spans the
//   outline's own bounds (or at least one unit), so an outline with an area still fills.
// - Brushes and pens are made per drawing and released before the functions return.

#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

// Fill kinds of the painter: 0..FILL_KIND_COUNT - 1.
const int FILL_KIND_COUNT = 43;

// Fills the outline chosen by the shape code (an element kind) with the brush of the fill
// kind over the rectangle (x, y, width, height): 102 rectangle, 103 ellipse, 105 diamond,
// 108 triangle, 120 the polygon of pPoints, 107 and 201..211 the path; others nothing.
void FillElementShape(Gdiplus::Graphics* pGraphics, float x, float y, float width, float height,
                      int nFillKind, DWORD clrFill, DWORD clrPattern, int nShape,
                      const Gdiplus::PointF* pPoints, int nCount, Gdiplus::GraphicsPath* pPath);

// While a CGradientFillScope is open, FillElementShape draws the gradient fills (kinds
// 25..42) of graphics on its device context by itself: the region the library would fill,
// with colours worked out from the brush's definition (within a level or two of the
// library's), copied to the device in one transfer. Each fill's region and pixels are kept
// for later paints (keyed by everything they depend on, moved by whole pixels; the least
// used dropped beyond 24 MB or 1,024 fills). Elsewhere (printers, pictures) the library's
// brushes fill. Scopes nest; UI thread only.
class CGradientFillScope
{
public:
    explicit CGradientFillScope(HDC hDC);
    ~CGradientFillScope();
    CGradientFillScope(const CGradientFillScope&) = delete;
    CGradientFillScope& operator=(const CGradientFillScope&) = delete;

    // The device context of the innermost open scope; NULL when none is open.
    static HDC GetDC();
    // The same when pGraphics draws on it; else NULL.
    static HDC GetDeviceOf(Gdiplus::Graphics* pGraphics);
    // Whether the library draws on the innermost scope's device context with GDI (not on a
    // 32-bit section's pixels by itself), so that GDI calls set the pixels it sets.
    static bool IsLibraryOnGdi();

private:
    HDC m_hDC;
    bool m_bLibraryOnGdi;
    CGradientFillScope* m_pOuter;
};

// Draws a gradient fill of FillElementShape on hDC, which pGraphics draws on, by itself;
// FALSE (nothing drawn) where it cannot follow the graphics' settings or the fill kind is
// not a gradient.
BOOL FillGradientDirect(Gdiplus::Graphics* pGraphics, HDC hDC, const Gdiplus::RectF& rc, int nFillKind,
                        DWORD clrFill, DWORD clrPattern, int nShape, const Gdiplus::PointF* pPoints,
                        int nCount, Gdiplus::GraphicsPath* pPath);

// How many gradient fills are kept for later paints and the bytes they take.
void GetKeptGradientFills(size_t& nFills, size_t& nBytes);
// Drops the kept gradient fills.
void ForgetGradientFills();

// Fills pPath (world coordinates) with the brush of a fill kind made over rc in an
// element's own coordinates, which pTurn maps to world coordinates (the element's turn,
// or NULL for none). The path gradient of the ellipse (kind 37) follows the polygon of
// pEllipse (own coordinates), as the clipped drawing hands the library no curves; without
// points it fills nothing.
void FillTurnedShape(Gdiplus::Graphics* pGraphics, const Gdiplus::RectF& rc, int nFillKind,
                     DWORD clrFill, DWORD clrPattern, Gdiplus::GraphicsPath* pPath,
                     const Gdiplus::Matrix* pTurn, const Gdiplus::PointF* pEllipse, int nEllipse);

// Hatch style of a hatch fill kind (2..24); -1 for every other fill kind.
int GetFillHatchStyle(int nFillKind);

// Brush of a fill kind over the reference rectangle: hatches as the platform's hatch
// brush. NULL for fill kind 0 or when the brush cannot be made. The caller deletes it.
Gdiplus::Brush* CreateFillBrush(int nFillKind, const Gdiplus::RectF& rcRef, DWORD clrFill,
                                DWORD clrPattern);

// Our 8 x 8 pattern of a hatch style 30..52: eight rows, bit 7 the leftmost pixel, a set
// bit a foreground pixel. NULL for other styles.
const BYTE* GetHatchPatternRows(int nHatchStyle);

// Texture brush of our pattern of a hatch style 30..52 in the given colours, tiled from
// the device origin of pGraphics when given (so the pattern keeps its pixel size like a
// hatch), from the world origin otherwise. NULL for other styles. The caller deletes it.
Gdiplus::TextureBrush* CreateHatchTextureBrush(int nHatchStyle, DWORD clrFore, DWORD clrBack,
                                               Gdiplus::Graphics* pGraphics = NULL);

// TRUE when the platform's hatch brush of the style fills both of its colours (checked
// once per style and remembered).
BOOL IsHatchStyleDrawn(int nHatchStyle);
// Records whether the platform fills a hatch style, in place of the check (so that the
// texture fallback can be exercised where the platform fills every style).
void SetHatchStyleDrawn(int nHatchStyle, BOOL bDrawn);

// Fills the outline of a shape code with a brush; the status of the fill call.
Gdiplus::Status FillShapeOutline(Gdiplus::Graphics* pGraphics, Gdiplus::Brush* pBrush,
                                 const Gdiplus::RectF& rc, int nShape,
                                 const Gdiplus::PointF* pPoints, int nCount,
                                 Gdiplus::GraphicsPath* pPath);

// Pen of an element's outline: colour, width in world units (0 the thinnest line the
// device shows) and dash style 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot; other
// dash values draw solid. The caller deletes it.
Gdiplus::Pen* CreateOutlinePen(DWORD clrLine, float fWidth, int nDashStyle);
