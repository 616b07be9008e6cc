// SelectionTracker.cpp - the data side of the selection tracker.

#include "SelectionTracker.h"

// Style 17 and handle size 5, as the library tracker starts; the document sets 16.
CSelectionTracker::CSelectionTracker()
    : m_rect(0, 0, 0, 0), m_nStyle(17), m_nHandleSize(5), m_pCurrent(NULL)
{
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
