// VarnelView.h - CVarnelView, the design view of a publication.
//
// Notes
// - Document units are hundredths of an inch; the view maps them to pixels through its
//   zoom factor with MM_ANISOTROPIC (one unit per pixel at 1.0). Element rectangles and
//   every mouse position the view keeps are in document units.
// - The document's elements are borrowed; an element being drawn by an insert tool
//   belongs to the view until the document takes it.
// - Painting draws the whole client area through an off-screen bitmap. On the screen the
//   desk, page and elements stay drawn in a kept frame; a paint draws anew only where an
//   element's drawn state changed (the whole frame when the zoom, size, side, page or the
//   list of elements changed; a scroll moves the frame and draws what comes into view),
//   then the selection over it. While idle the view scales the pieces of the background
//   the window would show after a zoom step in and out, and draws the frames of those
//   zooms in slices; a step takes the frame of its zoom and draws only what changed since.
//
// The class is split over these files:
// - VarnelView.cpp: construction, mapping, zoom, scrolling, status texts, side switch;
// - VarnelViewDraw.cpp: painting (desk, page, grid, elements, selection, kept frame);
// - VarnelViewMouse.cpp: mouse tools, selection, moving and resizing, context menus, keys;
// - VarnelViewEdit.cpp: clipboard, undo and redo, z-order, alignment and the other edits;
// - VarnelViewProperties.cpp: loading the property sheet and applying its pages;
// - VarnelViewOptions.cpp: the view options in the registry and the Options sheet;
// - VarnelViewPrint.cpp: Print, Print Preview and the rendering of one label sheet;
// - VarnelViewExport.cpp: Save As Image and Export As PDF;
// - VarnelViewTemplate.cpp: Save As Template;
// - VarnelViewDatabase.cpp: Database Settings, View Database Data, Merge Selected DB-Texts.

#pragma once

#include <functional>
#include <memory>

#include "afxwin.h"
#include "afxtempl.h"

class CVarnelDoc;
class CElement;
namespace Gdiplus { class Bitmap; }
class COleDataObject;
struct CKeptFrame;
struct CFramesAhead;
struct CSheetJob;

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
    // Redraws the rulers beside the view at its zoom (bNow: before this returns).
    void RefreshRulers(BOOL bHorizontal = TRUE, BOOL bVertical = TRUE, BOOL bNow = FALSE);
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
    // Writes the property pages to the element they were loaded from.
    afx_msg LRESULT OnApplyProperties(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    // A size change that moves the scroll position moves the rulers with it.
    afx_msg void OnSize(UINT nType, int cx, int cy);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    // After a change made anywhere but in the sheet: the sheet shows the current values
    // of the selection, the Size pane its size (bActive: this view is being activated).
    void RefreshSelectionDisplay(BOOL bActive = FALSE);
    // The status panes of this publication: position name, selection size and zoom.
    void ShowStatusPanes();

    // Drawing
    void DrawPageFrame(CDC* pDC);
    void DrawGrid(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom);
    // Draws a background picture on the paint's memory DC from pieces scaled to the zoom,
    // kept for the next paints with bKeep; FALSE when it is drawn the ordinary way.
    BOOL DrawScaledBackground(CDC* pDC, CElement* pElement, BOOL bKeep);
    // Paints the window from the kept frame, drawing anew only what changed since the
    // frame was drawn; FALSE when the frame cannot be kept (the paint then draws it all).
    BOOL PaintFromKeptFrame(CDC* pDC);
    // Scales one piece of a background picture the window would show after a zoom step in
    // or out; FALSE when none is left to scale.
    BOOL ScaleAheadPiece();
    // Draws the next elements of the frames a zoom step in and out would show, until the
    // tick count nDeadline; FALSE when they are drawn.
    BOOL DrawAheadSlice(DWORD nDeadline);
    // Has the view scale those pieces and draw those frames while idle (a timer), until
    // none is left.
    void StartScalingAhead();
    // TRUE while the view has pieces or frames for the next zooms left to scale or draw.
    BOOL IsScalingAhead() const { return m_bScalingAhead; }
    // The zoom a step in (bIn) or out leads to from the current zoom.
    float GetZoomStep(BOOL bIn) const;
    afx_msg void OnTimer(UINT nIDEvent);

    // Overrides
    virtual void OnDraw(CDC* pDC) override;
    virtual void OnInitialUpdate() override;
    // HINT_FIT_ZOOM takes the zoom that shows the design whole; every hint redraws.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
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

    // Printing (VarnelViewPrint.cpp)
    // Renders page pInfo->m_nCurPage: copies of the design in the cells of a sheet, the
    // database texts of each cell filled from the next record.
    void PrintPage(CDC* pDC, CPrintInfo* pInfo);
    // Runs the print options dialog; on OK takes its settings and answers TRUE.
    BOOL RunPrintDialog();
    // Prints the publication on the application's printer without a dialog or a question,
    // with the layout the print options propose; TRUE when every page printed. A failure
    // has been told in one message.
    BOOL PrintUnattended();
    // The sheets, records and sides of the current print settings.
    CSheetJob GetSheetJob() const;
    // Gives the job the printer settings of its sheet (orientation, paper) and, before a
    // print, tells what the paper loses; FALSE when the job is not to run.
    BOOL PrepareJobPrinter(CPrintInfo* pInfo);
    // Asks whether to print although of the message; unattended it is told and answered no.
    BOOL AskToPrintAnyway(const CString& strMessage);
    // Sets m_bTwoSided and m_bHasDbText from the design; TRUE when a database text has
    // no column.
    BOOL ScanDesignForPrint();
    // The class library's print or preview command; a failure gives the error message.
    void RunPrintCommand(void (CView::*pfnCommand)());
    // Screen pixels per document unit of the preview: the printer's pixels per inch / 100.
    static void GetPreviewFactors(CDC* pDC, float& fFactorX, float& fFactorY);
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();

    // Export commands (VarnelViewExport.cpp)
    // Writes the page of side nSide (-1 all sides) as the PDF strPdfPath through pictures
    // named after strPattern; TRUE when the PDF was written.
    BOOL ExportPdfPages(const CString& strPdfPath, const CString& strPattern, float fQuality, int nSide);
    // Runs the PDF options with a proposed file name and exports.
    void OnFileExportPdf(CString strProposedName);
    // Writes a picture file (index inserted before the extension when 0 or more); FALSE
    // when the user declines to overwrite or the write failed.
    BOOL SaveBitmapFile(const CString& strPath, Gdiplus::Bitmap* pBitmap, int nIndex, BOOL bAskOverwrite);
    afx_msg void OnFileSaveAsImage();
    afx_msg void OnExportPdf();
    // Options (VarnelViewOptions.cpp)
    // Reads the options under the Options key; missing values are written with the
    // current ones, values out of range are refused.
    void LoadOptions();
    // Writes the seven option values, creating the key when needed.
    void SaveOptions();
    // The stored "ShowTip" value; m_bShowTip when there is none.
    BOOL ReadStoredShowTip();
    afx_msg void OnOptions();

    // Editing and arrangement (VarnelViewEdit.cpp)
    // TRUE while some selected element is a plain text.
    BOOL HasTextInSelection();
    // Every selected element takes the width (1), height (2) or both (3) of the element
    // selected first.
    void MakeSameSize(int nMode);
    // Gives every selected element the rectangle target answers for it (through apply),
    // with one undo level, and only when one of them changes.
    void ChangeSelectedRects(const std::function<CRect(const CRect&)>& target,
                             const std::function<void(CElement*, const CRect&)>& apply);
    // Serializes the selection list to the clipboard; FALSE (after a message) on failure.
    BOOL CopySelectionToClipboard();
    afx_msg void OnEditCopy();
    afx_msg void OnEditCut();
    afx_msg void OnEditPaste();
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnEditClear();
    afx_msg void OnEditDuplicate();
    afx_msg void OnSelectAll();
    afx_msg void OnEditUndo();
    afx_msg void OnEditRedo();
    afx_msg void OnProperties();
    afx_msg void OnArrange(UINT nID);
    afx_msg void OnAlign(UINT nID);
    afx_msg void OnSameSize(UINT nID);
    afx_msg void OnCenter(UINT nID);
    afx_msg void OnRotate(UINT nID);
    afx_msg void OnLock(UINT nID);
    afx_msg void OnTextStyle(UINT nID);
    afx_msg void OnUpdateTextStyle(CCmdUI* pCmdUI);
    afx_msg void OnViewGrid();
    afx_msg void OnUpdateViewGrid(CCmdUI* pCmdUI);

    // Save as template
    // Writes the design as a template of its category into the Templates folder.
    afx_msg void OnFileSaveAsTemplate();
    // The template extension (".lbft", ...) and Save filter of a publication type.
    static LPCSTR GetTemplateExtension(int nPublicationType);
    static LPCSTR GetTemplateFilter(int nPublicationType);
    // The path with the type's template extension appended, unless its own extension,
    // compared in lower case, is that one.
    static CString AddTemplateExtension(const CString& strPath, int nPublicationType);

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
    int m_nSheetIndex;              // print options' sheet list item last confirmed; -1 none yet
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
    HBITMAP m_hPrintBitmap;         // takes printed pages in place of a printer when set; not owned
    BOOL m_bPrintFailed;            // a page of the current job failed (reported once)
    BOOL m_bUnattendedPrint = FALSE;    // printing without dialogs or questions
    BOOL m_bJobPrinted = FALSE;         // the last job ended with every page printed
    std::shared_ptr<void> m_pJobDevMode;   // HGLOBAL DEVMODE of the running job
    CElement* m_pTypingElement;     // element the Text page's typing took its undo level for
    int m_nTypingUndoLevels;        // the undo levels right after that level
    BOOL m_bApplyingProperties;     // the sheet is being written to the element
    std::shared_ptr<CKeptFrame> m_pKeptFrame;   // desk, page and elements as last drawn
    std::shared_ptr<CFramesAhead> m_pFramesAhead;   // frames of the next zooms, drawn while idle
    BOOL m_bScalingAhead = FALSE;   // backgrounds of the next zooms are being scaled while idle

protected:
    // Sets the scroll sizes of the zoom commands: the page with a margin around it.
    void SetZoomScrollSizes();
    void AfterZoomChange();
    // Status pane texts (1 position, 2 size, 3 zoom), written while this is the active view.
    void SetStatusText(int nPane, const CString& strText);
    void WriteStatusPane(int nPane, const CString& strText);
    BOOL IsActiveDesignView();
    // The panes' names, as with no publication open.
    void ClearStatusPanes();
    // m_ptScroll takes the position the window shows now, and the rulers follow a change:
    // for moves of the scroll position that pass no OnScrollBy (new scroll sizes, zoom,
    // window size).
    void FollowScrollPosition();
    // Rebuilds the document's selection list from the tracker (reverse order).
    void SyncSelectionList();
    // Forgets the element being drawn, erasing its preview.
    void DiscardNewElement(BOOL bErasePreview);
    // Selection by a press of the left or the right button (VarnelViewMouse.cpp).
    void PressAt(UINT nFlags, CPoint point, BOOL bRightButton);
    // Editing helpers (VarnelViewEdit.cpp)
    void ClearSelectionAndTracker();
    // After undo or redo: the bar blanked, the view sized anew when the design size changed.
    void AfterUndoOrRedo(CSize sizeBefore);
    // Loads the Properties bar for the single selected element, or blanks it.
    void ReloadSingleSelection(BOOL bShowBar);
    void PasteElements(COleDataObject& dataObject);
    void PasteText(COleDataObject& dataObject);
    void PasteBitmap();
    void KeepBackgroundsLowest();
    void SetLocked(CTypedPtrList<CObList, CElement*>& list, BOOL bLocked);

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
