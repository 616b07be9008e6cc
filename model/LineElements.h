// LineElements.h - the straight line and the two curves, which share one point list.
//
// Notes
// - A curve's points are the truth: absolute page coordinates in hundredths of an inch.
//   Its rectangle is a cache refitted by RecalcRect (the drawing does this).
// - The point array is owned by the element; clones get their own copy.

#pragma once

#include "Element.h"

namespace Gdiplus
{
struct PointF;
}

// CLine is a straight line along one diagonal or edge of its rectangle (kind 101).
class CLine : public CElement
{
    DECLARE_SERIAL(CLine)

public:
    CLine();
    CLine(CPoint ptStart, CPoint ptEnd);

    virtual void Serialize(CArchive& ar) override;
    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};

// CPointListElement holds the recorded points of a curve and keeps them with its
// rectangle: moving the rectangle moves them, resizing it scales them.
class CPointListElement : public CElement
{
    DECLARE_DYNAMIC(CPointListElement)

public:
    virtual ~CPointListElement();

    virtual void SetRect(int left, int top, int right, int bottom) override;
    virtual void ResizeRect(int left, int top, int right, int bottom) override;
    // Appends the point unless it repeats the last one.
    virtual void AddPoint(const CPoint& point) override;

    // Fits the rectangle to the points (unchanged without points).
    void RecalcRect();

    int m_nPointCount;              // points in use
    int m_nPointCapacity;           // slots allocated
    Gdiplus::PointF* m_pPoints;     // owned; NULL while the capacity is 0

protected:
    CPointListElement();
    // The point count, then x and y of every point as float32. Reading replaces the
    // list by exactly the points read.
    void SerializePoints(CArchive& ar);
    // Gives pClone a copy of the points.
    void CopyPointsTo(CPointListElement* pClone) const;
};

// CFreehandLine is an open polyline through the recorded points (kind 114).
class CFreehandLine : public CPointListElement
{
    DECLARE_SERIAL(CFreehandLine)

public:
    CFreehandLine();
    CFreehandLine(CPoint ptStart, CPoint ptEnd);

    virtual void Serialize(CArchive& ar) override;
    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};

// CClosedCurve is a filled polygon through the recorded points (kind 120).
class CClosedCurve : public CPointListElement
{
    DECLARE_SERIAL(CClosedCurve)

public:
    CClosedCurve();
    CClosedCurve(CPoint ptStart, CPoint ptEnd);

    virtual void Serialize(CArchive& ar) override;
    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};
