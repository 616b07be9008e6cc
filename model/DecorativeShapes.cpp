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
