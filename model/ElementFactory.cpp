// ElementFactory.cpp - new elements by kind code, click sizes and initial texts.

#include "ElementFactory.h"
#include "ElementKinds.h"
#include "TextElements.h"

#include <stdlib.h>

namespace
{
const int kDefaultClickSide = 50;
}

CElement* CreateElementOfKind(short nKind, CPoint ptStart, CPoint ptEnd)
{
    const ElementKindInfo* pInfo = FindElementKind(nKind);
    return pInfo != NULL && pInfo->pfnCreate != NULL ? pInfo->pfnCreate(ptStart, ptEnd) : NULL;
}

CSize GetClickSize(short nKind)
{
    const ElementKindInfo* pInfo = FindElementKind(nKind);
    return pInfo != NULL ? CSize(pInfo->cxClick, pInfo->cyClick)
                         : CSize(kDefaultClickSide, kDefaultClickSide);
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
