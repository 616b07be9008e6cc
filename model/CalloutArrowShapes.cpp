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

CCalloutBL::CCalloutBL(CPoint ptStart, CPoint ptEnd)
{
    m_nKind = KIND_CALLOUT_BL;
    SetNormalizedRect(ptStart, ptEnd);
    SetShapeDefaults(32, 0xFF7F7F7F, 0xFFFFFFFF, 0xFF7F7F7F, TRUE);
}

CCalloutBR::CCalloutBR(CPoint ptStart, CPoint ptEnd)
{
    m_nKind = KIND_CALLOUT_BR;
    SetNormalizedRect(ptStart, ptEnd);
    SetShapeDefaults(35, 0xFF7F7F7F, 0xFFFFFFFF, 0xFF7F7F7F, TRUE);
}

CShapeArrowL::CShapeArrowL(CPoint ptStart, CPoint ptEnd)
{
    m_nKind = KIND_ARROW_LEFT;
    SetNormalizedRect(ptStart, ptEnd);
    SetShapeDefaults(37, 0xFF7F7F7F, 0xFFFFFFFF, 0xFFFFFF00, FALSE);
}

CShapeArrowR::CShapeArrowR(CPoint ptStart, CPoint ptEnd)
{
    m_nKind = KIND_ARROW_RIGHT;
    SetNormalizedRect(ptStart, ptEnd);
    SetShapeDefaults(35, 0xFF7F7F7F, 0xFFFFFFFF, 0xFFFFFF00, FALSE);
}
