// Element.h - CElement, the base of every element of a publication.
//
// Notes
// - Elements are owned by exactly one list of the document (the element list or one undo
//   or redo level) and deleted through the virtual destructor.
// - Colours are held as ARGB (alpha in the high byte); files hold COLORREF.
// - Rectangles and points are in hundredths of an inch on the design.
// - Drawing: the base versions of DrawGraphics, DrawDC, DrawInCell and DrawInCellDC draw
//   nothing; the element classes override them in the model/*Draw*.cpp files.

#pragma once

#include "afx.h"
#include "afxgdi.h"

namespace Gdiplus
{
class Graphics;
}

// Element kind codes (also the document's tool codes).
enum ElementKind : short
{
    KIND_NONE = 99,
    KIND_POINTER = 100,
    KIND_LINE = 101,
    KIND_RECTANGLE = 102,
    KIND_CIRCLE = 103,
    KIND_RHOMBUS = 105,
    KIND_RECTROUND = 107,
    KIND_TRIANGLE = 108,
    KIND_FREEHAND = 114,
    KIND_TEXT = 115,
    KIND_CLIPART = 116,
    KIND_CLOSEDCURVE = 120,
    KIND_BACKGROUND = 121,
    KIND_CALLOUT_BL = 201,
    KIND_CALLOUT_BR = 202,
    KIND_PARALLELOGRAM = 205,
    KIND_ARROW_LEFT = 206,
    KIND_STAR = 207,
    KIND_BURST = 208,
    KIND_MOON = 209,
    KIND_ARROW_RIGHT = 210,
    KIND_SUN = 211,
    KIND_DBTEXT = 212
};

// Kind code of a run-time class name (exact, case-sensitive); KIND_NONE for any other.
short KindFromClassName(LPCSTR lpszClassName);

// Rectangle (l, t, r, b) rotated by nAngle degrees about its centre: the bounding box of the
// rotated corners, truncated toward zero. Multiples of 360 leave the rectangle unchanged.
CRect GetRotatedBounds(int left, int top, int right, int bottom, int nAngle);

// Offset of one cell of a printed sheet (margins and gaps in inches, cell sizes and the
// result in hundredths of an inch). Column and row count from 1.
CPoint GetCellOffset(int nColumn, int nRow, float fLeftMargin, float fTopMargin,
                     float fRowGap, float fColumnGap, int nCellWidth, int nCellHeight);

// Colour conversion between files (COLORREF 0x00BBGGRR) and elements (ARGB 0xAARRGGBB).
inline DWORD ColorRefToArgb(COLORREF cr)
{
    return 0xFF000000u | ((DWORD)GetRValue(cr) << 16) | ((DWORD)GetGValue(cr) << 8) | GetBValue(cr);
}
inline COLORREF ArgbToColorRef(DWORD argb)
{
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

// Declares the drawing overrides of an element class (defined in model/*Draw*.cpp).
#define DECLARE_ELEMENT_DRAWING() \
    virtual void DrawGraphics(Gdiplus::Graphics* pGraphics) override; \
    virtual void DrawDC(CDC* pDC) override; \
    virtual void DrawInCell(Gdiplus::Graphics* pGraphics, int nColumn, int nRow, \
                            float fLeftMargin, float fTopMargin, float fRowGap, float fColumnGap, \
                            int nCellWidth, int nCellHeight) override; \
    virtual void DrawInCellDC(CDC* pDC, int nColumn, int nRow, \
                              float fLeftMargin, float fTopMargin, float fRowGap, float fColumnGap, \
                              int nCellWidth, int nCellHeight) override;

/////////////////////////////////////////////////////////////////////////////
// CElement holds the attributes every element has, the common file record, the rotated
// bounds and the hit test.

class CElement : public CObject
{
    DECLARE_SERIAL(CElement)

public:
    CElement();
    virtual ~CElement();

    // Overrides and element operations, in slot order
    virtual void Serialize(CArchive& ar) override;
    virtual CElement* Clone();
    virtual void DrawGraphics(Gdiplus::Graphics* pGraphics);
    virtual void DrawDC(CDC* pDC);
    virtual void DrawInCell(Gdiplus::Graphics* pGraphics, int nColumn, int nRow,
                            float fLeftMargin, float fTopMargin, float fRowGap, float fColumnGap,
                            int nCellWidth, int nCellHeight);
    virtual void DrawInCellDC(CDC* pDC, int nColumn, int nRow,
                              float fLeftMargin, float fTopMargin, float fRowGap, float fColumnGap,
                              int nCellWidth, int nCellHeight);
    virtual BOOL HitTest(CPoint point);
    virtual CRect GetRect();
    virtual void SetRect(int left, int top, int right, int bottom);
    virtual void ResizeRect(int left, int top, int right, int bottom);
    virtual void AddPoint(const CPoint& point);

    // Operations
    // Copies the attributes that every clone takes over from pSource.
    static void CopyAttributes(CElement* pTarget, const CElement* pSource);
    // Number of element objects alive in the process.
    static long GetLiveCount();

protected:
    // Stores the rectangle spanned by two points, normalised.
    void SetNormalizedRect(CPoint ptStart, CPoint ptEnd);
    // Start of a shape constructor: the kind, the rectangle spanned by two points and the
    // kind's defaults from the table of kinds (line width 1, solid, alignments 1 and 1).
    void InitShape(short nKind, CPoint ptStart, CPoint ptEnd);
    // Block a kind writes and reads before the common record (texts: their text block).
    virtual void SerializeLeadBlock(CArchive& ar);

public:
    // Member variables
    int m_nSide;                // 1 front, 2 back
    short m_nKind;              // kind code
    CFont m_font;               // text font of CText and CDbText; empty for the others
    int m_nHAlign;              // text alignment along the line: 0 near, 1 centre, 2 far
    int m_nVAlign;              // line alignment: 0 near, 1 centre, 2 far
    CString m_strText;          // text of CText and CDbText
    BOOL m_bVertical;           // vertical text
    BOOL m_bLocked;             // not moved, resized or deleted by the view; not stored
    DWORD m_clrText;            // ARGB
    DWORD m_clrLine;            // ARGB
    DWORD m_clrFill;            // ARGB
    DWORD m_clrPattern;         // ARGB
    CRect m_rect;               // hundredths of an inch, normalised
    int m_nReserved;            // reserved word of the record, kept as read
    int m_nLineWidth;           // outline width; no outline when 0
    int m_nDashStyle;           // GDI+ dash style
    int m_nFillKind;            // 0 no fill, 1..42
    BOOL m_bTransparent;        // neither fill nor shadow
    BOOL m_bShadow;
    int m_nAngle;               // degrees, counter-clockwise on the page
    int m_nShadowLength;        // given by the document; not stored
    DWORD m_clrShadow;          // ARGB, given by the document; not stored
    int m_nLineDirection;       // CLine only: 0 horizontal, 1 vertical, 2 up, 3 down
    CString m_strColumn;        // CDbText only: column binding

private:
    static long s_nLiveCount;
};
