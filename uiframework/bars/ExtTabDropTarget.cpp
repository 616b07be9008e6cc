// ExtTabDropTarget.cpp - the OLE drop target of a tab strip.

#include "ExtTabDropTarget.h"
#include "ExtTabWnd.h"

CExtTabWndDropTarget::CExtTabWndDropTarget(CExtTabWnd* pTabWnd) : m_pTabWnd(pTabWnd) {}

bool CExtTabWndDropTarget::RegisterIfAllowed(bool bAllowed)
{
    if (!bAllowed || m_pTabWnd == NULL || m_pTabWnd->m_hWnd == NULL || IsRegistered())
        return false;
    if (!AfxOleGetInitialized())
        return false;
    return Register(m_pTabWnd) != FALSE;
}

int CExtTabWndDropTarget::SelectItemAt(CPoint ptClient)
{
    if (m_pTabWnd == NULL || m_pTabWnd->m_hWnd == NULL)
        return -1;
    int nIndex = m_pTabWnd->HitTest(ptClient);
    CExtTabWnd::TAB_ITEM_INFO* pItem = m_pTabWnd->GetItem(nIndex);
    if (pItem == NULL || !pItem->IsVisible() || pItem->IsDetached())
        return -1;
    if (m_pTabWnd->GetSelection() != nIndex)
        m_pTabWnd->SetSelection(nIndex, true, true);
    return nIndex;
}

DROPEFFECT CExtTabWndDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint point)
{
    SelectItemAt(point);
    return DROPEFFECT_NONE;
}

DROPEFFECT CExtTabWndDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point)
{
    SelectItemAt(point);
    return DROPEFFECT_NONE;
}

BOOL CExtTabWndDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}
