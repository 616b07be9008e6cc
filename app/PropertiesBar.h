// PropertiesBar.h - CPropertiesBar, the dockable "Properties" bar holding the element
// property sheet. Closing it hides it; it lives as long as its frame.
//
// Notes
// - The sizes the frame asks for (docked and floating) are minimums: docking raises them
//   so that the sheet, measured at the fonts in use, shows whole in the bar's client area.

#pragma once

#include "uiframework/bars/ExtControlBar.h"

class CModelessPropSheet;

class CPropertiesBar : public CExtControlBar
{
public:
    explicit CPropertiesBar(int nKind = 99);
    virtual ~CPropertiesBar();

    CModelessPropSheet* m_pSheet;       // owned; the same as m_pPropSheet
    CModelessPropSheet* m_pPropSheet;
    int m_nKind;
    CSize m_sizeSheet;                  // the sheet's own size, as created

    // Docks the bar with its sizes raised to hold the sheet whole.
    virtual bool DockToFrameSide(UINT nDockBarID, BOOL bNewInnerLevel = FALSE,
                                 CFrameWnd* pFrame = NULL, BOOL bRecalc = TRUE) override;
    // Raises the docked and floating sizes to the sheet's size and the bar's frame;
    // TRUE when one of them grew.
    BOOL FitSizesToSheet();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);

    DECLARE_MESSAGE_MAP()
};
