// LineElements.cpp - geometry, copying and file data of lines and curves.

#include "LineElements.h"
#include "ElementImpl.h"
#include "ElementStream.h"

#include <gdiplus.h>

#include <new>

using Gdiplus::PointF;

static_assert(sizeof(PointF) == 8, "points are stored as two floats");

IMPLEMENT_SERIAL(CLine, CElement, 0)
IMPLEMENT_DYNAMIC(CPointListElement, CElement)
IMPLEMENT_SERIAL(CFreehandLine, CPointListElement, 0)
IMPLEMENT_SERIAL(CClosedCurve, CPointListElement, 0)

/////////////////////////////////////////////////////////////////////////////
// Point lists of the curves

namespace
{
// New zeroed array of nCount points; CMemoryException when it cannot be had.
PointF* AllocPoints(int nCount)
{
    PointF* pPoints = new (std::nothrow) PointF[nCount];
    if (pPoints == NULL)
        AfxThrowMemoryException();
    return pPoints;
}

// Appends pt unless it repeats the last point; grows the array by 10 slots when full.
void AppendPoint(int& nCount, int& nCapacity, PointF*& pPoints, const CPoint& pt)
{
    const PointF ptNew((float)pt.x, (float)pt.y);
    if (nCount > 0 && pPoints[nCount - 1].X == ptNew.X && pPoints[nCount - 1].Y == ptNew.Y)
        return;
    if (nCount == nCapacity)
    {
        PointF* pGrown = AllocPoints(nCapacity + 10);
        for (int i = 0; i < nCount; i++)
            pGrown[i] = pPoints[i];
        delete[] pPoints;
        pPoints = pGrown;
        nCapacity += 10;
    }
    pPoints[nCount++] = ptNew;
}

// Moves every point by the change of the rectangle's top-left corner.
void MovePoints(PointF* pPoints, int nCount, const CRect& rcOld, int left, int top)
{
    const float dx = (float)(left - rcOld.left);
    const float dy = (float)(top - rcOld.top);
    for (int i = 0; i < nCount; i++)
    {
        pPoints[i].X += dx;
        pPoints[i].Y += dy;
    }
}

// Maps one coordinate from [oldMin, oldMax] to [newMin, newMax]; an empty old range
// keeps the offset from its start.
float MapCoordinate(float v, int oldMin, int oldMax, int newMin, int newMax)
{
    if (oldMax == oldMin)
        return (float)(newMin + ((double)v - oldMin));
    return (float)(newMin + ((double)v - oldMin) * (newMax - newMin) / (oldMax - oldMin));
}

void ScalePoints(PointF* pPoints, int nCount, const CRect& rcOld,
                 int left, int top, int right, int bottom)
{
    for (int i = 0; i < nCount; i++)
    {
        pPoints[i].X = MapCoordinate(pPoints[i].X, rcOld.left, rcOld.right, left, right);
        pPoints[i].Y = MapCoordinate(pPoints[i].Y, rcOld.top, rcOld.bottom, top, bottom);
    }
}

// Bounding box of the points, each coordinate truncated toward zero.
void FitRectToPoints(CRect& rect, const PointF* pPoints, int nCount)
{
    if (nCount <= 0)
        return;
    float minX = pPoints[0].X, maxX = pPoints[0].X;
    float minY = pPoints[0].Y, maxY = pPoints[0].Y;
    for (int i = 1; i < nCount; i++)
    {
        if (pPoints[i].X < minX) minX = pPoints[i].X;
        if (pPoints[i].X > maxX) maxX = pPoints[i].X;
        if (pPoints[i].Y < minY) minY = pPoints[i].Y;
        if (pPoints[i].Y > maxY) maxY = pPoints[i].Y;
    }
    rect.SetRect((int)minX, (int)minY, (int)maxX, (int)maxY);
}

// A copy of the points with capacity equal to the count.
void CopyPoints(const PointF* pSource, int nSourceCount,
                int& nCount, int& nCapacity, PointF*& pPoints)
{
    PointF* pCopy = nSourceCount > 0 ? AllocPoints(nSourceCount) : NULL;
    for (int i = 0; i < nSourceCount; i++)
        pCopy[i] = pSource[i];
    delete[] pPoints;
    pPoints = pCopy;
    nCount = nCapacity = nSourceCount;
}

// Point count, then x and y of every point as float32. Reading replaces the list by
// exactly the points read.
void SerializePoints(CArchive& ar, int& nCount, int& nCapacity, PointF*& pPoints)
{
    if (ar.IsStoring())
    {
        ar << nCount;
        for (int i = 0; i < nCount; i++)
        {
            // points beyond what a file may hold are stored at the bound (no number: 0)
            PointF pt = pPoints[i];
            if (!IsFileCoordinate(pt.X))
                pt.X = pt.X > 0 ? (float)MAX_FILE_COORDINATE : (pt.X < 0 ? (float)-MAX_FILE_COORDINATE : 0.0f);
            if (!IsFileCoordinate(pt.Y))
                pt.Y = pt.Y > 0 ? (float)MAX_FILE_COORDINATE : (pt.Y < 0 ? (float)-MAX_FILE_COORDINATE : 0.0f);
            ar.Write(&pt, sizeof(PointF));
        }
        return;
    }

    int nRead = 0;
    ar >> nRead;
    if (nRead < 0 || nRead > MAX_FILE_POINT_COUNT)
        ThrowFileFormatError(ar);
    ar.CheckAvailable((ULONGLONG)nRead * sizeof(PointF));
    PointF* pRead = nRead > 0 ? AllocPoints(nRead) : NULL;
    try
    {
        if (nRead > 0)
            ar.EnsureRead(pRead, (UINT)nRead * sizeof(PointF));
    }
    catch (...)
    {
        delete[] pRead;
        throw;
    }
    // Points that are no number or lie far outside any design are refused.
    for (int i = 0; i < nRead; i++)
    {
        if (!IsFileCoordinate(pRead[i].X) || !IsFileCoordinate(pRead[i].Y))
        {
            delete[] pRead;
            ThrowFileFormatError(ar);
        }
    }
    delete[] pPoints;
    pPoints = pRead;
    nCount = nCapacity = nRead;
}
}

/////////////////////////////////////////////////////////////////////////////
// CLine

CLine::CLine()
{
    m_nKind = KIND_LINE;
}

CLine::CLine(CPoint ptStart, CPoint ptEnd)
{
    InitShape(KIND_LINE, ptStart, ptEnd);
    m_nLineDirection = 3;
}

CElement* CLine::Clone()
{
    CLine* pClone = new CLine(m_rect.TopLeft(), m_rect.BottomRight());
    CopyAttributes(pClone, this);
    pClone->m_nLineDirection = m_nLineDirection;
    return pClone;
}

// Common record, then the line direction.
void CLine::Serialize(CArchive& ar)
{
    CElement::Serialize(ar);
    if (ar.IsStoring())
        ar << m_nLineDirection;
    else
        ar >> m_nLineDirection;
}

/////////////////////////////////////////////////////////////////////////////
// CPointListElement

CPointListElement::CPointListElement()
    : m_nPointCount(0), m_nPointCapacity(0), m_pPoints(NULL)
{
}

CPointListElement::~CPointListElement()
{
    delete[] m_pPoints;
}

void CPointListElement::SetRect(int left, int top, int right, int bottom)
{
    MovePoints(m_pPoints, m_nPointCount, m_rect, left, top);
    m_rect.SetRect(left, top, right, bottom);
}

void CPointListElement::ResizeRect(int left, int top, int right, int bottom)
{
    ScalePoints(m_pPoints, m_nPointCount, m_rect, left, top, right, bottom);
    m_rect.SetRect(left, top, right, bottom);
}

void CPointListElement::AddPoint(const CPoint& point)
{
    AppendPoint(m_nPointCount, m_nPointCapacity, m_pPoints, point);
}

void CPointListElement::RecalcRect()
{
    FitRectToPoints(m_rect, m_pPoints, m_nPointCount);
}

void CPointListElement::SerializePoints(CArchive& ar)
{
    ::SerializePoints(ar, m_nPointCount, m_nPointCapacity, m_pPoints);
}

void CPointListElement::CopyPointsTo(CPointListElement* pClone) const
{
    CopyPoints(m_pPoints, m_nPointCount, pClone->m_nPointCount, pClone->m_nPointCapacity,
               pClone->m_pPoints);
}

/////////////////////////////////////////////////////////////////////////////
// CFreehandLine

CFreehandLine::CFreehandLine()
{
    m_nKind = KIND_FREEHAND;
}

CFreehandLine::CFreehandLine(CPoint ptStart, CPoint ptEnd)
{
    InitShape(KIND_FREEHAND, ptStart, ptEnd);
}

CElement* CFreehandLine::Clone()
{
    CFreehandLine* pClone = new CFreehandLine(m_rect.TopLeft(), m_rect.BottomRight());
    CopyAttributes(pClone, this);
    CopyPointsTo(pClone);
    return pClone;
}

void CFreehandLine::Serialize(CArchive& ar)
{
    CElement::Serialize(ar);
    SerializePoints(ar);
}

/////////////////////////////////////////////////////////////////////////////
// CClosedCurve

CClosedCurve::CClosedCurve()
{
    m_nKind = KIND_CLOSEDCURVE;
}

CClosedCurve::CClosedCurve(CPoint ptStart, CPoint ptEnd)
{
    InitShape(KIND_CLOSEDCURVE, ptStart, ptEnd);
}

CElement* CClosedCurve::Clone()
{
    CClosedCurve* pClone = new CClosedCurve(m_rect.TopLeft(), m_rect.BottomRight());
    CopyAttributes(pClone, this);
    CopyPointsTo(pClone);
    return pClone;
}

void CClosedCurve::Serialize(CArchive& ar)
{
    CElement::Serialize(ar);
    SerializePoints(ar);
}
