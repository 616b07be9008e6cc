// CalloutArrowShapes.h - speech-balloon callouts and block arrows.

#pragma once

#include "Element.h"

// CCalloutBL is a callout with its tail at the bottom left (kind 201).
class CCalloutBL : public CElement
{
    DECLARE_SERIAL(CCalloutBL)

public:
    CCalloutBL();
    CCalloutBL(CPoint ptStart, CPoint ptEnd);

    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};

// CCalloutBR is a callout with its tail at the bottom right (kind 202).
class CCalloutBR : public CElement
{
    DECLARE_SERIAL(CCalloutBR)

public:
    CCalloutBR();
    CCalloutBR(CPoint ptStart, CPoint ptEnd);

    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};

// CShapeArrowL is a block arrow pointing left (kind 206).
class CShapeArrowL : public CElement
{
    DECLARE_SERIAL(CShapeArrowL)

public:
    CShapeArrowL();
    CShapeArrowL(CPoint ptStart, CPoint ptEnd);

    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};

// CShapeArrowR is a block arrow pointing right (kind 210).
class CShapeArrowR : public CElement
{
    DECLARE_SERIAL(CShapeArrowR)

public:
    CShapeArrowR();
    CShapeArrowR(CPoint ptStart, CPoint ptEnd);

    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()
};
