// SelectionTracker.cpp - the selection kept by the document's tracker.

#include "SelectionTracker.h"

// Style 17 (solid outline, handles outside) and handle size 5; the document sets 16.
CSelectionTracker::CSelectionTracker()
    : m_pCurrent(NULL)
{
    m_nStyle = solidLine | resizeOutside;
    m_nHandleSize = 5;
}

CSelectionTracker::~CSelectionTracker()
{
}

void CSelectionTracker::Add(CElement* pElement)
{
    m_arrSelected.Add(pElement);
    m_pCurrent = pElement;
}

void CSelectionTracker::RemoveAll()
{
    m_arrSelected.RemoveAll();
    m_arrSelected.FreeExtra();
    m_rect.SetRectEmpty();
}
