// ElementImpl.h - helpers shared by the element class implementations.

#pragma once

#include "Element.h"

// Constructors and Clone of a shape class: the default constructor (used when reading:
// kind only), the one between two points with the kind's defaults from the table of kinds,
// and a clone built from the rectangle's corners that then takes the source's attributes.
#define IMPLEMENT_ELEMENT_BASICS(class_name, kind) \
    class_name::class_name() { m_nKind = kind; } \
    class_name::class_name(CPoint ptStart, CPoint ptEnd) { InitShape(kind, ptStart, ptEnd); } \
    CElement* class_name::Clone() \
    { \
        class_name* pClone = new class_name(m_rect.TopLeft(), m_rect.BottomRight()); \
        CopyAttributes(pClone, this); \
        return pClone; \
    }
