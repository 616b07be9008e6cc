// VarnelDocElements.cpp - elements the user draws joining the document.

#include "VarnelDoc.h"
#include "Element.h"

// Adds an element the user drew to the shown side as the only selection, under one undo level; the document
// owns the element even when that fails.
BOOL CVarnelDoc::AddNewElement(CElement* pElement)
{
    if (pElement == NULL)
        return FALSE;
    try
    {
        PushUndo();
        pElement->m_nSide = m_nSide;
        m_listElements.AddTail(pElement);
    }
    catch (...)
    {
        delete pElement;
        throw;
    }
    ClearSelection();
    m_listSelection.AddTail(pElement);
    m_tracker.Add(pElement);
    SetModifiedFlag();
    UpdateAllViews(NULL);
    return TRUE;
}
