// VarnelView.h - CVarnelView, the design view of a publication.
//
// Notes
// - Document units are hundredths of an inch; the view maps them to pixels through its
//   zoom factor with MM_ANISOTROPIC (one unit per pixel at 1.0). Element rectangles and
//   every mouse position the view keeps are in document units.
// - The document's elements are borrowed; an element being drawn by an insert tool
//   belongs to the view until the document takes it.
// - Painting draws the whole client area through an off-screen bitmap.

#pragma once

#include "afxwin.h"

class CVarnelDoc;
class CElement;

// CVarnelView shows the page of the shown side of a publication at a zoom factor and
// turns mouse and keyboard input into elements and selections.
class CVarnelView : public CScrollView
{
    DECLARE_DYNCREATE(CVarnelView)

protected:
    CVarnelView();

public:
    virtual ~CVarnelView();

    CVarnelDoc* GetDocument() const;

    // Zoom
    // Stores the zoom factor; the next drawing and scroll sizing use it.
    void SetZoom(float fZoom) { m_fZoom = fZoom; }
    float GetZoom() const { return m_fZoom; }

    // Conversions between client pixels and document units.
    void DeviceToLogical(CPoint& point);
    void DeviceToLogicalRect(CRect& rect);
    void LogicalToDevice(CPoint& point);
    void LogicalToDeviceRect(CRect& rect);      // normalised

    // Invalidates (without erasing) the element's area in pixels with a margin for its
    // handles and outline.
    void InvalidateElement(CElement* pElement);
    // "Zoom:75%" in status pane 3.
    void ShowZoomInStatusBar(float fZoom);
    // Shows side 1 (front) or 2 (back) of a two-sided publication.
    void SwitchSide(int nSide);
    // Runs the change-of-size dialog and scales every element to the new design size.
    void ChangePublicationSize();
    // Redraws the rulers beside the view at its zoom.
    void RefreshRulers(BOOL bHorizontal = TRUE, BOOL bVertical = TRUE);
    // Moves the rulers' position markers to a client pixel.
    void ShowRulerPosition(CPoint point, BOOL bForget);
    // The element under a point (document units), topmost first; NULL when none.
    CElement* ElementAtPoint(CPoint point);
    // A new element of the document's current tool from m_ptStart to m_ptCurrent, or NULL.
    CElement* CreateElementForTool();
    // Moves the selection by 1 (10 with Ctrl) in the arrow key's direction.
    void NudgeSelection(UINT nKey, BOOL bCtrl);
    // Loads the Properties bar for the element (NULL: blank).
    void ShowElementProperties(CElement* pElement, BOOL bShowBar);

    // Drawing
    void DrawPageFrame(CDC* pDC);
    void DrawGrid(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom);

    // Overrides
    virtual void OnDraw(CDC* pDC) override;
    virtual void OnInitialUpdate() override;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Database commands
    // Runs the data-source dialog; OK gives the document the new table and description and
    // keeps the bindings of database texts whose columns the new source has (by name).
    void SetDatabase();
    // Asks before the data source of a document with database texts is replaced.
    void ConfirmAndSetDatabase();
    // Runs the data-entry dialog on a copy of the document's table; OK replaces the table.
    void EditDatabaseData();
    afx_msg void OnDatabaseSettings();
    afx_msg void OnViewDatabaseData();
    afx_msg void OnMergeDbTexts();

    // Zoom commands
    afx_msg void OnZoomPreset(UINT nID);
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);

    // Messages
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

    // Member variables (print layout in inches where floating point)
    BYTE m_bRightHit;               // the last right press hit an element
    int m_nPagesToPrint;
    int m_nRows;
    int m_nColumns;
    int m_nStartRow;
    int m_nStartColumn;
    float m_fRowGap;
    float m_fColumnGap;
    float m_fPrintLeft;
    float m_fPrintTop;
    float m_fLeftMargin;
    float m_fTopMargin;
    BOOL m_bCropMarks;
    BOOL m_bCornerMarks;
    CFont* m_fontStatus;            // printed annotations
    BYTE m_bLandscape;
    BYTE m_bHasDbText;
    CElement* m_pNewElement;        // element being drawn; owned until the document takes it
    CPoint m_ptStart;               // last left press, document units
    CPoint m_ptCurrent;             // last position while drawing, document units
    float m_fZoom;                  // 0.25 to 3.0
    float m_fSavedZoom;             // zoom kept across printing
    DWORD m_clrGrid;                // ARGB
    DWORD m_clrShadow;              // ARGB, given to new documents
    int m_nShadowLength;            // given to new documents
    int m_nGridType;                // 0 dotted, 1 solid
    BOOL m_bShowTip;
    BOOL m_bDisplayGrid;
    BOOL m_bInnerBorder;
    int m_nGridSize;                // document units
    BOOL m_bBold;
    BOOL m_bItalic;
    BOOL m_bUnderline;
    CPoint m_ptScroll;              // document position of the client's top-left corner
    BYTE m_bTwoSided;
    BOOL m_bMergeHintShown;         // the merge hint of the database texts was shown

protected:
    // Sets the scroll sizes of the zoom commands: the page with a margin around it.
    void SetZoomScrollSizes();
    void AfterZoomChange();
    // Status pane texts (1 position, 2 size, 3 zoom).
    void SetStatusText(int nPane, const CString& strText);
    // Rebuilds the document's selection list from the tracker (reverse order).
    void SyncSelectionList();
    // Forgets the element being drawn, erasing its preview.
    void DiscardNewElement(BOOL bErasePreview);

    DECLARE_MESSAGE_MAP()
};

// Free helpers of the view's module.
// The string as a newly allocated wide-character buffer (caller frees with delete[]).
WCHAR* AllocWideString(const CString& str);
CString IntToString(int nValue);
// The text before the first occurrence of strToken; the text after it stays in str.
// Empty (str unchanged, bFound FALSE) for an empty token, an empty string or no occurrence.
CString SplitAtToken(CString& str, const CString& strToken, BOOL& bFound);
// The text before the last backslash that is not the first character; empty when none.
CString GetFolderOfPath(const CString& strPath);
