// ExtPopupMenuTipWnd.h - the balloon tip of popup menu items.
//
// Declares CExtPopupMenuTipWnd.
//
// Notes
// - Each popup menu embeds one tip. Show creates the window on first use, shapes and places
//   it; the balloon appears one second later (timer 669) without taking the focus.
// - The tip never animates. It owns the icon it shows.

#pragma once

#include "ExtPopupBaseWnd.h"

// CExtPopupMenuTipWnd is a rounded box with an icon, a text and a pointer at the item.
class CExtPopupMenuTipWnd : public CExtPopupBaseWnd
{
    DECLARE_DYNCREATE(CExtPopupMenuTipWnd)

public:
    // Placement bits
    enum
    {
        TIP_POINTER_LEFT = 0x01,        // the balloon lies right of the item
        TIP_BELOW_TARGET = 0x02,        // the balloon lies below the item, pointer on top
    };
    enum { ID_DELAY_SHOW = 1000 };      // ms until the balloon shows

    CExtPopupMenuTipWnd();
    virtual ~CExtPopupMenuTipWnd();

    // Operations
    void SetText(LPCTSTR sText);
    const CString& GetText() const { return m_strText; }
    // Creates the window on first use, shapes and places it and arms the delayed show.
    bool Show(CWnd* pWndParent, const RECT& rcItem);
    void Hide();
    // Window region and size of the balloon for the current text and target.
    void CalcRegion(CDC* pDC, HRGN& hRgn, SIZE& size);

    // Overrides
    virtual void PaintContent(CDC& dc, bool bUseMemDC) override;

    // Member variables
    CSize m_sizeIcon;                   // 16 x 16
    HICON m_hIcon;                      // the information icon
    CString m_strText;
    BYTE m_nPlacement;                  // TIP_* bits
    CPoint m_ptTarget;                  // screen point the pointer touches

private:
    CWnd* m_pWndParentForMonitor;       // the owner during Show, for the monitor lookup
};
