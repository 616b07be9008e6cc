// PropertiesBar.h - CPropertiesBar, the dockable "Properties" bar holding the element
// property sheet. Closing it hides it; it lives as long as its frame.

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

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);

    DECLARE_MESSAGE_MAP()
};
