// ElementKinds.cpp - the table of element kinds.

#include "ElementKinds.h"
#include "Elements.h"

#include <string.h>

namespace
{
template <class T>
CElement* Create(CPoint ptStart, CPoint ptEnd)
{
    return new T(ptStart, ptEnd);
}

// Solid white fill, red pattern colour, black outline.
const ElementShapeDefaults kBasic = { 1, 0xFF000000, 0xFFFFFFFF, 0xFFFF0000, FALSE, FALSE };
// Grey outline, white and grey gradient, with a shadow.
const ElementShapeDefaults kGreyShadowed = { 32, 0xFF7F7F7F, 0xFFFFFFFF, 0xFF7F7F7F, TRUE, FALSE };
const ElementShapeDefaults kNone = { 0, 0, 0, 0, FALSE, FALSE };

const ElementKindInfo g_kinds[] = {
    { KIND_LINE, "CLine", Create<CLine>, 50, 50, kBasic },
    { KIND_RECTANGLE, "CRectangle", Create<CRectangle>, 50, 50, kBasic },
    { KIND_CIRCLE, "CCircle", Create<CCircle>, 50, 50, kBasic },
    { KIND_RHOMBUS, "CRhombus", Create<CRhombus>, 50, 50, kBasic },
    { KIND_RECTROUND, "CRectRound", Create<CRectRound>, 50, 50, kBasic },
    { KIND_TRIANGLE, "CTriangle", Create<CTriangle>, 50, 50, kBasic },
    { KIND_FREEHAND, "CFreehandLine", Create<CFreehandLine>, 50, 50,
      { 1, 0xFF000000, 0xFFFFFFFF, 0xFFFF0000, FALSE, TRUE } },
    { KIND_TEXT, "CText", Create<CText>, 80, 50, kNone },
    { KIND_CLIPART, "CBtImage", NULL, 50, 50, kNone },
    { KIND_CLOSEDCURVE, "CClosedCurve", Create<CClosedCurve>, 50, 50, kGreyShadowed },
    { KIND_BACKGROUND, "CBkgImage", NULL, 50, 50, kNone },
    { KIND_CALLOUT_BL, "CCalloutBL", Create<CCalloutBL>, 100, 50, kGreyShadowed },
    { KIND_CALLOUT_BR, "CCalloutBR", Create<CCalloutBR>, 100, 50,
      { 35, 0xFF7F7F7F, 0xFFFFFFFF, 0xFF7F7F7F, TRUE, FALSE } },
    { KIND_PARALLELOGRAM, "CShapeParallelo", Create<CShapeParallelo>, 100, 50,
      { 28, 0xFFC0C0C0, 0xFFFFFFFF, 0xFF0000FF, FALSE, FALSE } },
    { KIND_ARROW_LEFT, "CShapeArrowL", Create<CShapeArrowL>, 50, 50,
      { 37, 0xFF7F7F7F, 0xFFFFFFFF, 0xFFFFFF00, FALSE, FALSE } },
    { KIND_STAR, "CShapeStar", Create<CShapeStar>, 75, 75,
      { 35, 0xFFC0C0C0, 0xFFFFFFFF, 0xFF0000FF, FALSE, FALSE } },
    { KIND_BURST, "CShapeExplosion", Create<CShapeExplosion>, 150, 150, kGreyShadowed },
    { KIND_MOON, "CShapeMoon", Create<CShapeMoon>, 100, 75,
      { 36, 0xFF7F7F7F, 0xFFFFFFFF, 0xFF8080FF, FALSE, FALSE } },
    { KIND_ARROW_RIGHT, "CShapeArrowR", Create<CShapeArrowR>, 50, 50,
      { 35, 0xFF7F7F7F, 0xFFFFFFFF, 0xFFFFFF00, FALSE, FALSE } },
    { KIND_SUN, "CShapeSun", Create<CShapeSun>, 50, 50,
      { 33, 0xFFFF7F00, 0xFFFF7F00, 0xFFFFFF00, FALSE, FALSE } },
    { KIND_DBTEXT, "CDbText", Create<CDbText>, 150, 30, kNone },
};
}

const ElementKindInfo* FindElementKind(short nKind)
{
    for (const ElementKindInfo& entry : g_kinds)
    {
        if (entry.nKind == nKind)
            return &entry;
    }
    return NULL;
}

const ElementKindInfo* FindElementKind(LPCSTR lpszClassName)
{
    for (const ElementKindInfo& entry : g_kinds)
    {
        if (strcmp(entry.lpszClassName, lpszClassName) == 0)
            return &entry;
    }
    return NULL;
}
