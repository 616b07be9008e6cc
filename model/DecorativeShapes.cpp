// DecorativeShapes.cpp - construction and copying of the decorative shapes.

#include "DecorativeShapes.h"
#include "ElementImpl.h"

IMPLEMENT_SERIAL(CShapeParallelo, CElement, 0)
IMPLEMENT_SERIAL(CShapeStar, CElement, 0)
IMPLEMENT_SERIAL(CShapeExplosion, CElement, 0)
IMPLEMENT_SERIAL(CShapeMoon, CElement, 0)
IMPLEMENT_SERIAL(CShapeSun, CElement, 0)

IMPLEMENT_ELEMENT_BASICS(CShapeParallelo, KIND_PARALLELOGRAM)
IMPLEMENT_ELEMENT_BASICS(CShapeStar, KIND_STAR)
IMPLEMENT_ELEMENT_BASICS(CShapeExplosion, KIND_BURST)
IMPLEMENT_ELEMENT_BASICS(CShapeMoon, KIND_MOON)
IMPLEMENT_ELEMENT_BASICS(CShapeSun, KIND_SUN)

CShapeParallelo::CShapeParallelo(CPoint ptStart, CPoint ptEnd)
{
    m_nKind = KIND_PARALLELOGRAM;
    SetNormalizedRect(ptStart, ptEnd);
    SetShapeDefaults(28, 0xFFC0C0C0, 0xFFFFFFFF, 0xFF0000FF, FALSE);
}

CShapeStar::CShapeStar(CPoint ptStart, CPoint ptEnd)
{
    m_nKind = KIND_STAR;
    SetNormalizedRect(ptStart, ptEnd);
    SetShapeDefaults(35, 0xFFC0C0C0, 0xFFFFFFFF, 0xFF0000FF, FALSE);
}

CShapeExplosion::CShapeExplosion(CPoint ptStart, CPoint ptEnd)
{
    m_nKind = KIND_BURST;
    SetNormalizedRect(ptStart, ptEnd);
    SetShapeDefaults(32, 0xFF7F7F7F, 0xFFFFFFFF, 0xFF7F7F7F, TRUE);
}

CShapeMoon::CShapeMoon(CPoint ptStart, CPoint ptEnd)
{
    m_nKind = KIND_MOON;
    SetNormalizedRect(ptStart, ptEnd);
    SetShapeDefaults(36, 0xFF7F7F7F, 0xFFFFFFFF, 0xFF8080FF, FALSE);
}

CShapeSun::CShapeSun(CPoint ptStart, CPoint ptEnd)
{
    m_nKind = KIND_SUN;
    SetNormalizedRect(ptStart, ptEnd);
    SetShapeDefaults(33, 0xFFFF7F00, 0xFFFF7F00, 0xFFFFFF00, FALSE);
}
