// BasicShapes.h - the five basic shapes.

#pragma once

#include "Element.h"

// CRectangle is a rectangle (kind 102).
class CRectangle : public CElement
{
    DECLARE_SERIAL(CRectangle)

public:
    CRectangle();
    CRectangle(CPoint ptStart, CPoint ptEnd);

    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};

// CCircle is the ellipse inscribed in its rectangle (kind 103).
class CCircle : public CElement
{
    DECLARE_SERIAL(CCircle)

public:
    CCircle();
    CCircle(CPoint ptStart, CPoint ptEnd);

    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};

// CRhombus is a diamond touching the middles of its rectangle's sides (kind 105).
class CRhombus : public CElement
{
    DECLARE_SERIAL(CRhombus)

public:
    CRhombus();
    CRhombus(CPoint ptStart, CPoint ptEnd);

    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};

// CRectRound is a rectangle with quarter-ellipse corners (kind 107).
class CRectRound : public CElement
{
    DECLARE_SERIAL(CRectRound)

public:
    CRectRound();
    CRectRound(CPoint ptStart, CPoint ptEnd);

    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};

// CTriangle is a triangle with its apex at the middle of the top edge (kind 108).
class CTriangle : public CElement
{
    DECLARE_SERIAL(CTriangle)

public:
    CTriangle();
    CTriangle(CPoint ptStart, CPoint ptEnd);

    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};
