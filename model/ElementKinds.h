// ElementKinds.h - the one table of element kinds: for each kind code its class name, the
// creator a drawing tool uses, the size a click gives it and the defaults of a new shape.
//
// Notes
// - Every kind of ElementKind (Element.h) but the pointer and nothing has one entry; a new
//   kind is added there and here, and nowhere else.
// - Kinds not drawn between two points (clip-art, background) have no creator; texts and
//   pictures have no shape defaults (their constructors set what they need).

#pragma once

#include "Element.h"

// Line, fill and shadow a new shape of a kind starts with.
struct ElementShapeDefaults
{
    int nFillKind;              // 0 for kinds whose constructors set their own attributes
    DWORD clrLine;
    DWORD clrFill;
    DWORD clrPattern;
    BOOL bShadow;
    BOOL bTransparent;
};

struct ElementKindInfo
{
    short nKind;
    LPCSTR lpszClassName;       // run-time class name, as stored in files
    CElement* (*pfnCreate)(CPoint ptStart, CPoint ptEnd);   // NULL: not drawn by a tool
    int cxClick;                // size of the element a click makes
    int cyClick;
    ElementShapeDefaults defaults;
};

// Entry of a kind code or of a run-time class name (exact, case-sensitive); NULL for any
// other.
const ElementKindInfo* FindElementKind(short nKind);
const ElementKindInfo* FindElementKind(LPCSTR lpszClassName);
