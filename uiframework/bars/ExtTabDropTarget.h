// ExtTabDropTarget.h - the OLE drop target of a tab strip.
//
// While data is dragged over the strip, the item under the pointer is selected (the
// strip's normal selection, with ensure-visible and update), so that a drag can reach
// what the item stands for; the strip itself accepts nothing (DROPEFFECT_NONE, a drop
// does nothing).
//
// Notes
// - The target holds its tab window (given at construction or with SetTabWnd) and is
//   usually a member of it: RegisterIfAllowed from the strip's WM_CREATE; the class
//   library revokes the registration when the window is destroyed.
// - Derived strips change what selecting means with SelectItemAt.

#pragma once

#include "afxole.h"

class CExtTabWnd;

class CExtTabWndDropTarget : public COleDropTarget
{
public:
    explicit CExtTabWndDropTarget(CExtTabWnd* pTabWnd = NULL);

    CExtTabWnd* GetTabWnd() const { return m_pTabWnd; }
    void SetTabWnd(CExtTabWnd* pTabWnd) { m_pTabWnd = pTabWnd; }

    // Registers with the tab window when bAllowed and OLE is initialised on this
    // thread; true when registered.
    bool RegisterIfAllowed(bool bAllowed);

    // Selects the item at the client point when it is a visible item that is not
    // selected yet and not being dragged away; answers the item, or -1 for none.
    virtual int SelectItemAt(CPoint ptClient);

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                   CPoint point) override;
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                  CPoint point) override;
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                        CPoint point) override;

protected:
    CExtTabWnd* m_pTabWnd;
};
