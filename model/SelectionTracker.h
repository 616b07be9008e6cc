// SelectionTracker.h - CSelectionTracker, the document's selection.
//
// The tracker is the class library's rectangle tracker with the selected elements of the
// document's element list: which are selected and which was added last. The handles,
// mouse tracking and drawing of the selection come with the design view.

#pragma once

#include "afxext.h"
#include "afxtempl.h"

class CElement;

// CSelectionTracker holds the selected elements of the document's element list.
class CSelectionTracker : public CRectTracker
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
    CArray<CElement*, CElement*> m_arrSelected;     // not owned, in the order added
    CElement* m_pCurrent;                           // added last; not owned
};
