// Element.cpp - CElement: attributes, common file record, bounds and hit test.

#include "Element.h"
#include "ElementStream.h"
#include "ElementKinds.h"

#include <math.h>

IMPLEMENT_SERIAL(CElement, CObject, 0)

long CElement::s_nLiveCount = 0;

namespace
{
// Factor of the degree-to-radian conversion used by the rotated bounds.
const double kDegToRad = 0.017453292522222223;

// Writes a colour as COLORREF; reads it back as opaque ARGB.
void SerializeColor(CArchive& ar, DWORD& clr)
{
    if (ar.IsStoring())
    {
        ar << (DWORD)ArgbToColorRef(clr);
    }
    else
    {
        DWORD cr = 0;
        ar >> cr;
        clr = ColorRefToArgb(cr);
    }
}
}

short KindFromClassName(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return KIND_NONE;
    const ElementKindInfo* pInfo = FindElementKind(lpszClassName);
    return pInfo != NULL ? pInfo->nKind : KIND_NONE;
}

// The bounds of a rectangle turned by nAngle degrees about its centre, for hit tests and redraws.
CRect GetRotatedBounds(int left, int top, int right, int bottom, int nAngle)
{
    if (nAngle % 360 == 0)
        return CRect(left, top, right, bottom);

    const double rad = nAngle * kDegToRad;
    const double c = cos(rad);
    const double s = sin(rad);
    const int cx = (left + right) / 2;
    const int cy = (top + bottom) / 2;

    const double xs[4] = { (double)left, (double)right, (double)right, (double)left };
    const double ys[4] = { (double)top, (double)top, (double)bottom, (double)bottom };
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int i = 0; i < 4; i++)
    {
        const double dx = xs[i] - cx;
        const double dy = ys[i] - cy;
        const double x = cx + dx * c - dy * s;
        const double y = cy + dx * s + dy * c;
        if (i == 0 || x < minX) minX = x;
        if (i == 0 || x > maxX) maxX = x;
        if (i == 0 || y < minY) minY = y;
        if (i == 0 || y > maxY) maxY = y;
    }
    return CRect((int)minX, (int)minY, (int)maxX, (int)maxY);
}

CPoint GetCellOffset(int nColumn, int nRow, float fLeftMargin, float fTopMargin,
                     float fRowGap, float fColumnGap, int nCellWidth, int nCellHeight)
{
    const int dx = (int)(100 * fLeftMargin) + (nColumn - 1) * (nCellWidth + (int)(100 * fColumnGap));
    const int dy = (int)(100 * fTopMargin) + (nRow - 1) * (nCellHeight + (int)(100 * fRowGap));
    return CPoint(dx, dy);
}

/////////////////////////////////////////////////////////////////////////////
// CElement

// A front-side element of no kind, black, with the default shadow; counted while it lives.
CElement::CElement()
    : m_nSide(1),
      m_nKind(KIND_NONE),
      m_nHAlign(0),
      m_nVAlign(0),
      m_bVertical(FALSE),
      m_bLocked(FALSE),
      m_clrText(0xFF000000),
      m_clrLine(0xFF000000),
      m_clrFill(0xFF000000),
      m_clrPattern(0xFF000000),
      m_rect(0, 0, 0, 0),
      m_nReserved(0),
      m_nLineWidth(0),
      m_nDashStyle(0),
      m_nFillKind(0),
      m_bTransparent(FALSE),
      m_bShadow(FALSE),
      m_nAngle(0),
      m_nShadowLength(6),
      m_clrShadow(0xFF000000),
      m_nLineDirection(0)
{
    InterlockedIncrement(&s_nLiveCount);
}

CElement::~CElement()
{
    InterlockedDecrement(&s_nLiveCount);
}

long CElement::GetLiveCount()
{
    return InterlockedCompareExchange(&s_nLiveCount, 0, 0);
}

void CElement::SetNormalizedRect(CPoint ptStart, CPoint ptEnd)
{
    m_rect = CRect(ptStart, ptEnd);
    m_rect.NormalizeRect();
}

// Gives a new shape its kind, rectangle and the kind's default line, fill and shadow, with centred text.
void CElement::InitShape(short nKind, CPoint ptStart, CPoint ptEnd)
{
    m_nKind = nKind;
    SetNormalizedRect(ptStart, ptEnd);
    const ElementKindInfo* pInfo = FindElementKind(nKind);
    ASSERT(pInfo != NULL);
    if (pInfo == NULL)
        return;
    const ElementShapeDefaults& d = pInfo->defaults;
    m_nLineWidth = 1;
    m_nDashStyle = 0;
    m_nFillKind = d.nFillKind;
    m_clrLine = d.clrLine;
    m_clrFill = d.clrFill;
    m_clrPattern = d.clrPattern;
    m_bTransparent = d.bTransparent;
    m_bShadow = d.bShadow;
    m_nHAlign = 1;
    m_nVAlign = 1;
    m_bVertical = FALSE;
}

void CElement::SerializeLeadBlock(CArchive&)
{
}

// Common element record; text elements write their text block first.
void CElement::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);

    SerializeLeadBlock(ar);

    SerializeColor(ar, m_clrLine);
    SerializeColor(ar, m_clrFill);
    SerializeColor(ar, m_clrPattern);
    if (ar.IsStoring())
    {
        ar << m_nDashStyle;
        ar << ClampToLimit(m_rect.left, MAX_FILE_COORDINATE) << ClampToLimit(m_rect.top, MAX_FILE_COORDINATE);
        ar << ClampToLimit(m_rect.right, MAX_FILE_COORDINATE) << ClampToLimit(m_rect.bottom, MAX_FILE_COORDINATE);
        ar << m_nReserved << ClampToLimit(m_nLineWidth, MAX_FILE_LINE_WIDTH) << m_nAngle << m_nFillKind;
        ar << (int)m_bTransparent << (int)m_bShadow << m_nSide;
    }
    else
    {
        // Coordinates and the line width beyond what any design can use are refused:
        // drawing them would take minutes and gigabytes.
        ar >> m_nDashStyle;
        const int l = ReadBoundedInt(ar, MAX_FILE_COORDINATE);
        const int t = ReadBoundedInt(ar, MAX_FILE_COORDINATE);
        const int r = ReadBoundedInt(ar, MAX_FILE_COORDINATE);
        const int b = ReadBoundedInt(ar, MAX_FILE_COORDINATE);
        m_rect.SetRect(l, t, r, b);
        ar >> m_nReserved;
        m_nLineWidth = ReadBoundedInt(ar, MAX_FILE_LINE_WIDTH);
        ar >> m_nAngle >> m_nFillKind;
        int nTransparent = 0, nShadow = 0;
        ar >> nTransparent >> nShadow >> m_nSide;
        m_bTransparent = nTransparent;
        m_bShadow = nShadow;
    }
}

CElement* CElement::Clone()
{
    return new CElement;
}

void CElement::DrawGraphics(Gdiplus::Graphics*)
{
}

void CElement::DrawDC(CDC*)
{
}

void CElement::DrawInCell(Gdiplus::Graphics*, int, int, float, float, float, float, int, int)
{
}

void CElement::DrawInCellDC(CDC*, int, int, float, float, float, float, int, int)
{
}

// Inside the rotated bounds grown by 3 on every side (right and bottom exclusive).
BOOL CElement::HitTest(CPoint point)
{
    CRect rc = GetRotatedBounds(m_rect.left, m_rect.top, m_rect.right, m_rect.bottom, m_nAngle);
    rc.InflateRect(3, 3);
    return point.x >= rc.left && point.x < rc.right && point.y >= rc.top && point.y < rc.bottom;
}

CRect CElement::GetRect()
{
    return m_rect;
}

void CElement::SetRect(int left, int top, int right, int bottom)
{
    m_rect.SetRect(left, top, right, bottom);
}

void CElement::ResizeRect(int left, int top, int right, int bottom)
{
    m_rect.SetRect(left, top, right, bottom);
}

void CElement::AddPoint(const CPoint&)
{
}

// What every clone takes over; the lock, the shadow length and a kind's own parts (points, font, column) are
// the caller's.
void CElement::CopyAttributes(CElement* pTarget, const CElement* pSource)
{
    pTarget->m_nKind = pSource->m_nKind;
    pTarget->m_nHAlign = pSource->m_nHAlign;
    pTarget->m_nVAlign = pSource->m_nVAlign;
    pTarget->m_strText = pSource->m_strText;
    pTarget->m_bVertical = pSource->m_bVertical;
    pTarget->m_clrText = pSource->m_clrText;
    pTarget->m_clrLine = pSource->m_clrLine;
    pTarget->m_clrFill = pSource->m_clrFill;
    pTarget->m_clrPattern = pSource->m_clrPattern;
    pTarget->m_clrShadow = pSource->m_clrShadow;
    pTarget->m_rect = pSource->m_rect;
    pTarget->m_nReserved = pSource->m_nReserved;
    pTarget->m_nLineWidth = pSource->m_nLineWidth;
    pTarget->m_nDashStyle = pSource->m_nDashStyle;
    pTarget->m_nFillKind = pSource->m_nFillKind;
    pTarget->m_bTransparent = pSource->m_bTransparent;
    pTarget->m_bShadow = pSource->m_bShadow;
    pTarget->m_nAngle = pSource->m_nAngle;
    pTarget->m_nSide = pSource->m_nSide;
}
