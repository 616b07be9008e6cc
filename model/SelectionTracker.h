// SelectionTracker.h - CSelectionTracker, the document's selection.
//
// This is the data side the document relies on: which elements are selected and which
// was added last. The handles, mouse tracking and drawing come with the design view.

#pragma once

#include "afx.h"
#include "afxtempl.h"

class CElement;

// CSelectionTracker holds the selected elements of the document's element list.
class CSelectionTracker
{
public:
    CSelectionTracker();
    virtual ~CSelectionTracker();

    // Operations
    // Appends the element to the selection; it becomes the current element.
    void Add(CElement* pElement);
    // Empties the selection (frees its storage) and the tracker rectangle.
    void RemoveAll();

    // Member variables
    CRect m_rect;                                   // tracker rectangle
    UINT m_nStyle;                                  // tracker style bits
    int m_nHandleSize;                              // pixels
    CArray<CElement*, CElement*> m_arrSelected;     // not owned, in the order added
    CElement* m_pCurrent;                           // added last; not owned
};
