// afxext.h - splitter windows and the rectangle tracker.
//
// Declares: CSplitterWnd, CRectTracker.
//
// Notes
// - CSplitterWnd here is a static splitter: a grid of panes made once with
//   CreateStatic and CreateView. Pane (row, col) is the child window with id
//   IdFromRowCol(row, col). Every column but the last gets its ideal width (or
//   what is left, or nothing below its minimum), the last one the rest; rows
//   likewise. The panes are separated by gaps of m_cxSplitterGap/m_cySplitterGap
//   pixels and the grid sits m_cxBorder/m_cyBorder inside the client area;
//   a derived class may change these before RecalcLayout.
// - CRectTracker keeps a rectangle in the client units of a window and draws it
//   with handles. Track and TrackRubberBand are modal loops that capture the
//   mouse: mouse moves change the rectangle, the left button's release ends the
//   loop, Esc or the right button restore the rectangle. Both return at once
//   (FALSE) when some window already holds the capture.

#pragma once

#ifndef __AFXEXT_H__
#define __AFXEXT_H__

#include "afxwin.h"

/////////////////////////////////////////////////////////////////////////////
// CSplitterWnd: a window that lays out its child panes in rows and columns.

class CSplitterWnd : public CWnd
{
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();
    virtual ~CSplitterWnd();

    // Creation: the grid, then one CreateView per pane.
    virtual BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols,
                              DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = AFX_IDW_PANE_FIRST);
    // The view of the class at (row, col); sizeInit gives the column's ideal
    // width and the row's ideal height.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                            CCreateContext* pContext);
    virtual void DeleteView(int row, int col);

    // Grid
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);

    // Panes
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const;
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
    virtual CWnd* GetActivePane(int* pRow = NULL, int* pCol = NULL);
    virtual void SetActivePane(int row, int col, CWnd* pWnd = NULL);

    // Places the panes; call after changing row or column info.
    virtual void RecalcLayout();

    // Drawing of the parts between and around the panes; pDC NULL asks for the
    // part to be invalidated only.
    enum ESplitType { splitBox, splitBar, splitIntersection, splitBorder };
    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);

    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    struct CRowColInfo
    {
        int nMinSize;               // below it the pane is not shown
        int nIdealSize;             // size asked for
        int nCurSize;               // size of the last layout
    };

    // Sizes of the splitter's parts, in pixels
    int m_cxSplitter, m_cySplitter;         // width of a splitter bar
    int m_cxBorderShare, m_cyBorderShare;   // share of a bar that overlaps each pane
    int m_cxSplitterGap, m_cySplitterGap;   // space between two panes
    int m_cxBorder, m_cyBorder;             // space between the client edge and the panes

    int m_nMaxRows, m_nMaxCols;
    int m_nRows, m_nCols;
    CRowColInfo* m_pRowInfo;
    CRowColInfo* m_pColInfo;

    // Rectangle of pane (row, col) in client coordinates after the last layout.
    CRect GetPaneRect(int row, int col) const;
    static void LayoutRowCol(CRowColInfo* pInfo, int nCount, int nSize, int nGap);

public:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CRectTracker: a rectangle with resize handles that the mouse moves and sizes.

class CRectTracker
{
public:
    CRectTracker();
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle);

    enum StyleFlags
    {
        solidLine = 1, dottedLine = 2, hatchedBorder = 4,
        resizeInside = 8, resizeOutside = 16, hatchInside = 32
    };
    enum TrackerHit
    {
        hitNothing = -1,
        hitTopLeft = 0, hitTopRight = 1, hitBottomRight = 2, hitBottomLeft = 3,
        hitTop = 4, hitRight = 5, hitBottom = 6, hitLeft = 7, hitMiddle = 8
    };

    // Attributes
    UINT m_nStyle;                  // StyleFlags
    CRect m_rect;                   // the rectangle, client units of its window
    CSize m_sizeMin;                // smallest size while sizing
    int m_nHandleSize;              // side of a resize handle

    // Operations
    void Draw(CDC* pDC) const;
    void GetTrueRect(LPRECT lpTrueRect) const;     // with outline and handles
    BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
    // Moves or sizes m_rect from point (a hit of the tracker); TRUE when it changed.
    BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = NULL);
    // Drags a new rectangle from point; TRUE when it has a size.
    BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);
    int HitTest(CPoint point) const;               // TrackerHit
    int NormalizeHit(int nHandle) const;           // handle as seen on an inverted rectangle

    // Overridables
    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    virtual void AdjustRect(int nHandle, LPRECT lpRect);
    virtual void OnChangedRect(const CRect& rectOld);
    virtual UINT GetHandleMask() const;            // bit n: handle n is shown
    virtual ~CRectTracker();

protected:
    virtual int GetHandleSize(LPCRECT lpRect = NULL) const;

    BOOL m_bAllowInvert;            // the rectangle may turn inside out while tracked
    CRect m_rectLast;               // outline drawn last by DrawTrackerRect
    CSize m_sizeLast;               // its thickness
    BOOL m_bErase;                  // DrawTrackerRect is erasing
    BOOL m_bFinalErase;             // ... for the last time

    int HitTestHandles(CPoint point) const;
    void GetHandleRect(int nHandle, CRect* pHandleRect) const;
    // The members of m_rect that handle nHandle moves (NULL when it moves none);
    // px and py receive their values. (RECT members are LONG.)
    void GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy, LONG* px, LONG* py);
    BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);
    void Construct();
};

#endif // __AFXEXT_H__
