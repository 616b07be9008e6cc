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

// All five: solid white fill, red pattern colour, black outline of width 1.
#define BASIC_SHAPE_CONSTRUCTOR(class_name, kind) \
    class_name::class_name(CPoint ptStart, CPoint ptEnd) \
    { \
        m_nKind = kind; \
        SetNormalizedRect(ptStart, ptEnd); \
        SetShapeDefaults(1, 0xFF000000, 0xFFFFFFFF, 0xFFFF0000, FALSE); \
    }

BASIC_SHAPE_CONSTRUCTOR(CRectangle, KIND_RECTANGLE)
BASIC_SHAPE_CONSTRUCTOR(CCircle, KIND_CIRCLE)
BASIC_SHAPE_CONSTRUCTOR(CRhombus, KIND_RHOMBUS)
BASIC_SHAPE_CONSTRUCTOR(CRectRound, KIND_RECTROUND)
BASIC_SHAPE_CONSTRUCTOR(CTriangle, KIND_TRIANGLE)
