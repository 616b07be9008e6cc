// VarnelDocElements.cpp - elements the user draws joining the document.

#include "VarnelDoc.h"
#include "Element.h"

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
