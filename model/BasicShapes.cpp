// BasicShapes.cpp - construction and copying of the five basic shapes.

#include "BasicShapes.h"
#include "ElementImpl.h"

IMPLEMENT_SERIAL(CRectangle, CElement, 0)
IMPLEMENT_SERIAL(CCircle, CElement, 0)
IMPLEMENT_SERIAL(CRhombus, CElement, 0)
IMPLEMENT_SERIAL(CRectRound, CElement, 0)
IMPLEMENT_SERIAL(CTriangle, CElement, 0)

IMPLEMENT_ELEMENT_BASICS(CRectangle, KIND_RECTANGLE)
IMPLEMENT_ELEMENT_BASICS(CCircle, KIND_CIRCLE)
IMPLEMENT_ELEMENT_BASICS(CRhombus, KIND_RHOMBUS)
IMPLEMENT_ELEMENT_BASICS(CRectRound, KIND_RECTROUND)
IMPLEMENT_ELEMENT_BASICS(CTriangle, KIND_TRIANGLE)

