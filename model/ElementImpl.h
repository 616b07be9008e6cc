// ElementImpl.h - helpers shared by the element class implementations.

#pragma once

#include "Element.h"

// Default constructor (used when reading: kind only) and Clone of a class whose clone is
// built from the rectangle's corners and then takes the source's attributes.
#define IMPLEMENT_ELEMENT_BASICS(class_name, kind) \
    class_name::class_name() { m_nKind = kind; } \
    CElement* class_name::Clone() \
    { \
        class_name* pClone = new class_name(m_rect.TopLeft(), m_rect.BottomRight()); \
        CopyAttributes(pClone, this); \
        return pClone; \
    }
