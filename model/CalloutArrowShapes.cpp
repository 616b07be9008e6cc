// CalloutArrowShapes.cpp - construction and copying of callouts and arrows.

#include "CalloutArrowShapes.h"
#include "ElementImpl.h"

IMPLEMENT_SERIAL(CCalloutBL, CElement, 0)
IMPLEMENT_SERIAL(CCalloutBR, CElement, 0)
IMPLEMENT_SERIAL(CShapeArrowL, CElement, 0)
IMPLEMENT_SERIAL(CShapeArrowR, CElement, 0)

IMPLEMENT_ELEMENT_BASICS(CCalloutBL, KIND_CALLOUT_BL)
IMPLEMENT_ELEMENT_BASICS(CCalloutBR, KIND_CALLOUT_BR)
IMPLEMENT_ELEMENT_BASICS(CShapeArrowL, KIND_ARROW_LEFT)
IMPLEMENT_ELEMENT_BASICS(CShapeArrowR, KIND_ARROW_RIGHT)
