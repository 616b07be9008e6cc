// ElementFactory.cpp - new elements by kind code, click sizes and initial texts.

#include "ElementFactory.h"
#include "Elements.h"

#include <stdlib.h>

namespace
{
typedef CElement* (*PFN_CREATE)(CPoint ptStart, CPoint ptEnd);

template <class T>
CElement* Create(CPoint ptStart, CPoint ptEnd)
{
    return new T(ptStart, ptEnd);
}

struct KindFactory
{
    short nKind;
    PFN_CREATE pfnCreate;
};

const KindFactory g_factories[] = {
    { KIND_LINE, Create<CLine> },
    { KIND_RECTANGLE, Create<CRectangle> },
    { KIND_CIRCLE, Create<CCircle> },
    { KIND_RHOMBUS, Create<CRhombus> },
    { KIND_RECTROUND, Create<CRectRound> },
    { KIND_TRIANGLE, Create<CTriangle> },
    { KIND_FREEHAND, Create<CFreehandLine> },
    { KIND_TEXT, Create<CText> },
    { KIND_CLOSEDCURVE, Create<CClosedCurve> },
    { KIND_CALLOUT_BL, Create<CCalloutBL> },
    { KIND_CALLOUT_BR, Create<CCalloutBR> },
    { KIND_PARALLELOGRAM, Create<CShapeParallelo> },
    { KIND_ARROW_LEFT, Create<CShapeArrowL> },
    { KIND_STAR, Create<CShapeStar> },
    { KIND_BURST, Create<CShapeExplosion> },
    { KIND_MOON, Create<CShapeMoon> },
    { KIND_ARROW_RIGHT, Create<CShapeArrowR> },
    { KIND_SUN, Create<CShapeSun> },
    { KIND_DBTEXT, Create<CDbText> },
};

// Click sizes that differ from 50 x 50.
struct ClickSize
{
    short nKind;
    int cx;
    int cy;
};

const ClickSize g_clickSizes[] = {
    { KIND_TEXT, 80, 50 },
    { KIND_DBTEXT, 150, 30 },
    { KIND_CALLOUT_BL, 100, 50 },
    { KIND_CALLOUT_BR, 100, 50 },
    { KIND_PARALLELOGRAM, 100, 50 },
    { KIND_BURST, 150, 150 },
    { KIND_MOON, 100, 75 },
    { KIND_STAR, 75, 75 },
};

const int kDefaultClickSide = 50;
}

CElement* CreateElementOfKind(short nKind, CPoint ptStart, CPoint ptEnd)
{
    for (const KindFactory& entry : g_factories)
    {
        if (entry.nKind == nKind)
            return entry.pfnCreate(ptStart, ptEnd);
    }
    return NULL;
}

CSize GetClickSize(short nKind)
{
    for (const ClickSize& entry : g_clickSizes)
    {
        if (entry.nKind == nKind)
            return CSize(entry.cx, entry.cy);
    }
    return CSize(kDefaultClickSide, kDefaultClickSide);
}

CPoint GetClickEndPoint(short nKind, CPoint ptStart, CPoint ptEnd)
{
    const CSize size = GetClickSize(nKind);
    CPoint ptResult = ptEnd;
    if (abs(ptEnd.y - ptStart.y) <= CLICK_SLOP)
        ptResult.y = ptStart.y + kDefaultClickSide;
    if (abs(ptEnd.x - ptStart.x) <= CLICK_SLOP)
    {
        ptResult.x = ptStart.x + size.cx;
        if (size.cy != kDefaultClickSide)
            ptResult.y = ptStart.y + size.cy;
    }
    return ptResult;
}

LPCSTR GetInitialText(short nKind)
{
    switch (nKind)
    {
    case KIND_TEXT: return "Text";
    case KIND_DBTEXT: return g_szUnboundDbText;
    default: return NULL;
    }
}
