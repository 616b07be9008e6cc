// DecorativeShapes.h - parallelogram, star, burst, crescent and sun.

#pragma once

#include "Element.h"

// CShapeParallelo is a parallelogram leaning to the right (kind 205).
class CShapeParallelo : public CElement
{
    DECLARE_SERIAL(CShapeParallelo)

public:
    CShapeParallelo();
    CShapeParallelo(CPoint ptStart, CPoint ptEnd);

    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};

// CShapeStar is a five-pointed star sized by its width (kind 207).
class CShapeStar : public CElement
{
    DECLARE_SERIAL(CShapeStar)

public:
    CShapeStar();
    CShapeStar(CPoint ptStart, CPoint ptEnd);

    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};

// CShapeExplosion is a 24-point burst (kind 208).
class CShapeExplosion : public CElement
{
    DECLARE_SERIAL(CShapeExplosion)

public:
    CShapeExplosion();
    CShapeExplosion(CPoint ptStart, CPoint ptEnd);

    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};

// CShapeMoon is a crescent in the left half of its rectangle (kind 209).
class CShapeMoon : public CElement
{
    DECLARE_SERIAL(CShapeMoon)

public:
    CShapeMoon();
    CShapeMoon(CPoint ptStart, CPoint ptEnd);

    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};

// CShapeSun is a disc with eight rays (kind 211).
class CShapeSun : public CElement
{
    DECLARE_SERIAL(CShapeSun)

public:
    CShapeSun();
    CShapeSun(CPoint ptStart, CPoint ptEnd);

    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};
