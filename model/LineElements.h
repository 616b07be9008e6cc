// LineElements.h - the straight line and the two point-list elements.
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

// CFreehandLine is an open polyline through the recorded points (kind 114).
class CFreehandLine : public CElement
{
    DECLARE_SERIAL(CFreehandLine)

public:
    CFreehandLine();
    CFreehandLine(CPoint ptStart, CPoint ptEnd);
    virtual ~CFreehandLine();

    virtual void Serialize(CArchive& ar) override;
    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
    virtual void SetRect(int left, int top, int right, int bottom) override;
    virtual void ResizeRect(int left, int top, int right, int bottom) override;
    virtual void AddPoint(const CPoint& point) override;

    // Fits the rectangle to the points (unchanged without points).
    void RecalcRect();

    int m_nPointCount;              // points in use
    int m_nPointCapacity;           // slots allocated
    Gdiplus::PointF* m_pPoints;     // owned; NULL while the capacity is 0
};

// CClosedCurve is a filled polygon through the recorded points (kind 120).
class CClosedCurve : public CElement
{
    DECLARE_SERIAL(CClosedCurve)

public:
    CClosedCurve();
    CClosedCurve(CPoint ptStart, CPoint ptEnd);
    virtual ~CClosedCurve();

    virtual void Serialize(CArchive& ar) override;
    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
    virtual void SetRect(int left, int top, int right, int bottom) override;
    virtual void ResizeRect(int left, int top, int right, int bottom) override;
    virtual void AddPoint(const CPoint& point) override;

    // Fits the rectangle to the points (unchanged without points).
    void RecalcRect();

    int m_nPointCapacity;           // slots allocated
    int m_nPointCount;              // points in use
    Gdiplus::PointF* m_pPoints;     // owned; NULL while the capacity is 0
};
