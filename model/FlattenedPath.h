// FlattenedPath.h - paths whose curves are flattened before the drawing library gets them.
//
// The library flattens curves in single precision and, for a small curve some thousands of
// device pixels out, recurses until its stack overflows (stroking with a pen it widens in
// software, filling with a path gradient). Curves are flattened here in double precision
// instead (ClippedDraw.cpp).

#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

// The flattening tolerance that keeps a path of world coordinates within a tenth of a
// device pixel of its curves under the graphics' transform (a hundredth of a world
// unit when the transform cannot be read).
double GetWorldTolerance(Gdiplus::Graphics* pGraphics);

// Adds the figures of source to target, its curves flattened within fTolerance.
void AddFlattenedPath(Gdiplus::GraphicsPath& target, const Gdiplus::GraphicsPath& source, double fTolerance);

// True when the path holds a curve.
bool HasCurves(const Gdiplus::GraphicsPath& path);
