// DeviceStrokes.h - outlines, plain fills and hatches of a screen paint drawn straight on
// its device context.
//
// Notes
// - For every outline and fill the drawing library saves the device context, builds a clip
//   region, makes a pen or brush and goes through a GDI path: about 18 us an outline and
//   8 us a fill on the screen, most of a paint of many elements. Where its result is plain
//   GDI, drawing the same figure here with GDI sets the same pixels in a fraction of the
//   time: the points are mapped by the library's own single-precision matrices and rounded
//   as it rounds them.
// - Outlines: figures of straight lines with an opaque, solid, undashed pen with flat ends and
//   mitred corners. Closed figures that the library draws one device pixel wide take a cosmetic
//   pen (it sets the same pixels as the library's geometric pen of that width, ten times
//   faster); any others the library's own geometric pen, drawn point by point as it does.
// - Fills: figures, curves too (the device context flattens them as it does for the
//   library), filled with an opaque solid colour or an opaque hatch (the hatch's pattern
//   taken once from the library's own fill of a small square, at the device context's brush
//   origin as the library's).
// - Only while a CGradientFillScope is open on the device context that the graphics draws on,
//   with no clip of the graphics' own and its page in display units; anywhere else the
//   functions draw with the library as before.

#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

// The outlines of DrawLines, DrawPolygon, DrawRectangle and DrawPath.
void DrawLinesOutline(Gdiplus::Graphics* pGraphics, Gdiplus::Pen* pPen, const Gdiplus::PointF* pPoints, int nCount);
void DrawPolygonOutline(Gdiplus::Graphics* pGraphics, Gdiplus::Pen* pPen, const Gdiplus::PointF* pPoints, int nCount);
void DrawRectangleOutline(Gdiplus::Graphics* pGraphics, Gdiplus::Pen* pPen, const Gdiplus::RectF& rc);
void DrawPathOutline(Gdiplus::Graphics* pGraphics, Gdiplus::Pen* pPen, const Gdiplus::GraphicsPath& path);

// The fills of FillRectangle, FillEllipse, FillPolygon and FillPath.
Gdiplus::Status FillRectangleArea(Gdiplus::Graphics* pGraphics, Gdiplus::Brush* pBrush, const Gdiplus::RectF& rc);
Gdiplus::Status FillEllipseArea(Gdiplus::Graphics* pGraphics, Gdiplus::Brush* pBrush, const Gdiplus::RectF& rc);
Gdiplus::Status FillPolygonArea(Gdiplus::Graphics* pGraphics, Gdiplus::Brush* pBrush, const Gdiplus::PointF* pPoints,
                                int nCount, Gdiplus::FillMode nFillMode);
Gdiplus::Status FillPathArea(Gdiplus::Graphics* pGraphics, Gdiplus::Brush* pBrush, const Gdiplus::GraphicsPath& path);

// How many figures have been drawn on a device context here rather than by the library.
size_t GetFiguresDrawnOnDevice();
