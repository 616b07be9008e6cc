// ElementDraw.h - the drawing bodies of the element classes.
//
// Notes
// - Each function draws one element with its rectangle moved by the cell offset
//   (ptOffset, from GetCellOffset); the element classes' DrawInCell and DrawTextInCell
//   call them, and DrawGraphics, DrawDC and DrawInCellDC reach those.
// - Rotation: a translation and a rotation about the centre of the drawn rectangle are
//   prepended to the graphics' world transform (a scale set by the caller still applies).
//   Every drawing ends with the world transform reset to identity.
// - Order of an area shape: shadow (fill kind not 0, not transparent, shadow set), fill
//   (fill kind not 0, not transparent), outline (line width above 0).
// - Drawing reports nothing: a failed call leaves its part undrawn.
// - bClipped: the element is too large on the device for the drawing library; only its
//   part within the visible area is drawn, its outline built and clipped in double
//   precision (ClippedDraw.h); the turn is then not put in the world transform.

#pragma once

#include <memory>
#include <string>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "Element.h"

class CFreehandLine;
class CClosedCurve;
class CBtImage;
class CBkgImage;

// Bounds of everything an element draws (line width, shadow, rotation and rays included)
// in page units, its rectangle moved by ptOffset; false when the element draws nothing
// (it lies beyond the bounds a file may hold).
bool GetElementDrawnBounds(const CElement* pElement, CPoint ptOffset, Gdiplus::RectF& rc);

// The state the element's drawing depends on, as bytes: equal states draw the same
// pixels. A picture counts by its object (pictures are replaced, never changed in place);
// pPicture, when given, receives it, so that a caller keeping the state can keep the
// object alive and its address its own.
void GetElementDrawnState(CElement* pElement, std::string& state,
                          std::shared_ptr<Gdiplus::Bitmap>* pPicture = NULL);

// Prepends the turn of an element by fAngle degrees, counter-clockwise on the page, about
// the centre of rc.
void PrependElementRotation(Gdiplus::Graphics* pGraphics, const Gdiplus::RectF& rc, float fAngle);

// Basic shapes.
void DrawRectangleElement(Gdiplus::Graphics* pGraphics, CElement* pElement, CPoint ptOffset,
        bool bClipped = false);
void DrawCircleElement(Gdiplus::Graphics* pGraphics, CElement* pElement, CPoint ptOffset,
        bool bClipped = false);
void DrawRhombusElement(Gdiplus::Graphics* pGraphics, CElement* pElement, CPoint ptOffset,
        bool bClipped = false);
void DrawTriangleElement(Gdiplus::Graphics* pGraphics, CElement* pElement, CPoint ptOffset,
        bool bClipped = false);
void DrawRectRoundElement(Gdiplus::Graphics* pGraphics, CElement* pElement, CPoint ptOffset,
        bool bClipped = false);

// Callouts and arrows.
void DrawCalloutElement(Gdiplus::Graphics* pGraphics, CElement* pElement, CPoint ptOffset,
                        bool bTailLeft,
        bool bClipped = false);
void DrawArrowElement(Gdiplus::Graphics* pGraphics, CElement* pElement, CPoint ptOffset,
                      bool bPointLeft,
        bool bClipped = false);

// Decorative shapes.
void DrawParalleloElement(Gdiplus::Graphics* pGraphics, CElement* pElement, CPoint ptOffset,
        bool bClipped = false);
void DrawStarElement(Gdiplus::Graphics* pGraphics, CElement* pElement, CPoint ptOffset,
        bool bClipped = false);
void DrawBurstElement(Gdiplus::Graphics* pGraphics, CElement* pElement, CPoint ptOffset,
        bool bClipped = false);
void DrawMoonElement(Gdiplus::Graphics* pGraphics, CElement* pElement, CPoint ptOffset,
        bool bClipped = false);
void DrawSunElement(Gdiplus::Graphics* pGraphics, CElement* pElement, CPoint ptOffset,
        bool bClipped = false);

// Lines and curves. Drawing a curve refits its rectangle to its points.
void DrawLineElement(Gdiplus::Graphics* pGraphics, CElement* pElement, CPoint ptOffset,
        bool bClipped = false);
void DrawFreehandElement(Gdiplus::Graphics* pGraphics, CFreehandLine* pElement, CPoint ptOffset,
        bool bClipped = false);
void DrawClosedCurveElement(Gdiplus::Graphics* pGraphics, CClosedCurve* pElement, CPoint ptOffset,
        bool bClipped = false);

// Pictures: the clip-art picture stretched into its (rotated, framed, shadowed) rectangle;
// the background stretched from the cell offset alone over its rectangle's size.
void DrawClipArtElement(Gdiplus::Graphics* pGraphics, CBtImage* pElement, CPoint ptOffset,
        bool bClipped = false);
void DrawBackgroundElement(Gdiplus::Graphics* pGraphics, CBkgImage* pElement, CPoint ptOffset,
        bool bClipped = false);

// Texts (TextDraw.cpp).
void DrawTextElement(Gdiplus::Graphics* pGraphics, CElement* pElement, CPoint ptOffset);

// True for a printer's device context, whose driver strokes every pen solid: the
// drawing dashes outlines itself there.
bool IsSolidPenDevice(HDC hDC);

// While it lives, outlines drawn on the calling thread are dashed by the element drawing
// itself, each dash stroked solid (ClippedDraw.h). Scopes nest.
class COwnDashesScope
{
public:
    explicit COwnDashesScope(bool bOwnDashes);
    ~COwnDashesScope();
    COwnDashesScope(const COwnDashesScope&) = delete;
    COwnDashesScope& operator=(const COwnDashesScope&) = delete;
    static bool IsActive();

private:
    bool m_bOuter;
    bool m_bInstalled;
};

// Runs a drawing on a GDI+ graphics made on the device context's output handle.
template <class F>
void DrawOnDC(CDC* pDC, F draw)
{
    HDC hDC = pDC != NULL ? pDC->m_hDC : NULL;
    if (hDC == NULL)
        return;
    Gdiplus::Graphics graphics(hDC);
    COwnDashesScope dashes(IsSolidPenDevice(hDC));
    if (graphics.GetLastStatus() == Gdiplus::Ok)
        draw(&graphics);
}
