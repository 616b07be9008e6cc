// ChildFrm.h - the child frame of a publication: a thin 2-by-3 splitter holding the side
// label, the corner, the two rulers, the side tabs and the design view.
//
// Pane grid (row, column): (0,0) side label, (0,1) corner, (0,2) horizontal ruler,
// (1,0) side tabs, (1,1) vertical ruler, (1,2) design view. The panes find each other
// through the splitter's GetPane.

#pragma once

#include "afxwin.h"
#include "afxext.h"

// A static splitter with one-pixel bars and borders.
class CThinSplitterWnd : public CSplitterWnd
{
public:
    CThinSplitterWnd();

    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) override;
};

// The MDI child frame of a publication; it opens maximised.
class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)

public:
    CChildFrame();
    virtual ~CChildFrame();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // A value typed into the Properties bar counts before the question about changes.
    afx_msg void OnClose();

    CThinSplitterWnd m_wndSplitter;

protected:
    DECLARE_MESSAGE_MAP()
};

// The corner between the two rulers.
class CParentView : public CView
{
    DECLARE_DYNCREATE(CParentView)

protected:
    CParentView();

public:
    virtual void OnDraw(CDC* pDC) override;
};

// The label of the shown side above the side tabs.
class CParentView00 : public CView
{
    DECLARE_DYNCREATE(CParentView00)

protected:
    CParentView00();

public:
    // 1 "Front", 2 "Back", other values show nothing.
    void SetSide(int nSide);
    virtual void OnDraw(CDC* pDC) override;

    int m_nSide;
};

// The splitter pane (row, column) of a pane's frame, or NULL.
CWnd* GetSiblingPane(CWnd* pPane, int nRow, int nColumn);
