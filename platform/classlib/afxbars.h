// afxbars.h - control bars and docking.
//
// Declares: CControlBar, CToolBar, CStatusBar, CDockBar, CMiniDockFrameWnd,
// CDockContext, CControlBarInfo, CDockState, the layout modes (LM_*), the toolbar
// button styles (TBBS_*) and the status pane styles (SBPS_*). The bar styles
// (CBRS_*) and window ids (AFX_IDW_*) are in afxres.h. Included by afxwnd.h.
//
// Notes
// - A control bar is a child window that takes its room in its frame's layout
//   through WM_SIZEPARENT (CFrameWnd::RecalcLayout). A bar created as a child of
//   a frame has that frame as dock site and is in its m_listControlBars until its
//   window is destroyed.
// - CFrameWnd::EnableDocking creates the dock bars of the sides (AFX_IDW_DOCKBAR_TOP,
//   _BOTTOM, _LEFT, _RIGHT, in that order). A docked bar is a child of its dock
//   bar. CDockBar::m_arrBars holds the rows: the first entry is always NULL and
//   each row ends with a NULL entry; an entry below 0x10000 is the id of a bar
//   that floated away (its place for the way back).
// - A floating bar sits in the dock bar (AFX_IDW_DOCKBAR_FLOAT, m_bFloating) of a
//   CMiniDockFrameWnd, a tool window owned by the dock site and sized to its bars
//   (FWS_SNAPTOBARS). The mini frame hides when none of its bars is visible and is
//   destroyed when its last bar leaves.
// - Sizes: CalcFixedLayout answers a bar's size for one orientation; bars with
//   CBRS_SIZE_DYNAMIC answer CalcDynamicLayout(nLength, LM_*), which may change
//   their shape (a toolbar wraps its buttons into rows).
// - Idle updates: WM_IDLEUPDATECMDUI reaches every bar of a visible frame (also of
//   the floating frames); a visible bar runs OnUpdateCmdUI with its owner frame as
//   the target. ShowControlBar with bDelay only marks the bar (delayShow,
//   delayHide); IsVisible answers the marked state and the next layout applies it.
//   The dock site's idle work also serves its hidden floating frames, so that a
//   delayed show of a bar in a hidden floating frame shows the frame.
// - Print preview hides the bars and marks them tempHide until it ends: such a
//   bar answers IsVisible FALSE, and show or hide requests made meanwhile wait
//   for the end of the preview.
// - Rows: a row that is longer than the dock bar wraps on the screen only; the
//   entries of m_arrBars stay as they are, so the row is one again when the room
//   comes back. A measuring layout (m_bLayoutQuery) changes nothing.
// - CDockContext moves a bar with the mouse: StartDrag captures the mouse and runs
//   a modal loop until the left button goes up (the bar docks at the side under
//   the outline, or floats there), Esc or the right button cancels.
// - The bar state (CDockState) goes to the profile of the application: section
//   "<name>-Summary" ("Bars", "ScreenCX", "ScreenCY") and one section
//   "<name>-Bar<n>" per bar.

#pragma once

#ifndef __AFXBARS_H__
#define __AFXBARS_H__

#include "afxwnd.h"

class CControlBar;
class CDockBar;
class CDockContext;
class CDockState;
class CControlBarInfo;
class CMiniDockFrameWnd;

/////////////////////////////////////////////////////////////////////////////
// Layout modes of CControlBar::CalcDynamicLayout

#define LM_STRETCH      0x01    // stretch to the full length of the frame
#define LM_HORZ         0x02    // horizontal layout
#define LM_MRUWIDTH     0x04    // the most recently used width (floating)
#define LM_HORZDOCK     0x08    // docked at the top or bottom
#define LM_VERTDOCK     0x10    // docked at the left or right
#define LM_LENGTHY      0x20    // nLength is the height, not the width
#define LM_COMMIT       0x40    // remember the result as the MRU width

/////////////////////////////////////////////////////////////////////////////
// Toolbar button styles: the button style in the low word, the state in the
// high word (TBBS_DISABLED is the inverted TBSTATE_ENABLED).

#define TBBS_BUTTON         MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR      MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX       MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP          MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP     MAKELONG(TBSTYLE_CHECKGROUP, 0)
#define TBBS_DROPDOWN       MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_AUTOSIZE       MAKELONG(TBSTYLE_AUTOSIZE, 0)
#define TBBS_NOPREFIX       MAKELONG(TBSTYLE_NOPREFIX, 0)
#define TBBS_CHECKED        MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED        MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED       MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE  MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN         MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED        MAKELONG(0, TBSTATE_WRAP)
#define TBBS_ELLIPSES       MAKELONG(0, TBSTATE_ELLIPSES)
#define TBBS_MARKED         MAKELONG(0, TBSTATE_MARKED)

/////////////////////////////////////////////////////////////////////////////
// Status bar pane styles and flags

#define SBPS_NORMAL     0x0000
#define SBPS_NOBORDERS  SBT_NOBORDERS
#define SBPS_POPOUT     SBT_POPOUT
#define SBPS_OWNERDRAW  SBT_OWNERDRAW
#define SBPS_DISABLED   0x04000000      // the pane shows no text
#define SBPS_STRETCH    0x08000000      // the pane takes the room the others leave

#define SBPF_UPDATE     0x0001          // the control has not got the pane's text yet

// Help context of a control bar without an item under the point
#ifndef HID_BASE_CONTROL
#define HID_BASE_CONTROL        0x00050000UL
#endif

// One pane of a status bar.
struct AFX_STATUSPANE
{
    UINT nID;           // indicator id, ID_SEPARATOR for the message pane
    UINT nStyle;        // SBPS_*
    int nFlags;         // SBPF_*
    int cxText;         // width of the text area
    CString strText;    // text (also kept while the pane is disabled)
};

/////////////////////////////////////////////////////////////////////////////
// CControlBar: base of the bars that take part in a frame's layout.

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
protected:
    CControlBar();
public:
    virtual ~CControlBar();

    // Attributes
    int GetCount() const { return m_nCount; }
    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() { return m_dwStyle; }
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect);
    CRect GetBorders() const;
    // The frame the bar lives in: the mini frame of a floating bar, else its dock site.
    CFrameWnd* GetDockingFrame() const;
    BOOL IsFloating() const;
    // Visible, or about to be shown by a delayed show (and not about to be hidden).
    BOOL IsVisible() const;
    virtual BOOL IsDockBar() const;
    // The sides (CBRS_ALIGN_*, CBRS_FLOAT_MULTI) the bar may dock to; makes the
    // dock context and makes the parent the bar's owner.
    void EnableDocking(DWORD dwDockStyle);

    // Layout
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Shrinks rect by the borders and the gripper of the bar in that orientation.
    void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    // Marks a show or hide for the next layout.
    virtual void DelayShow(BOOL bShow);
    // Applies a marked show or hide when lpLayout positions windows; answers the
    // bar style with WS_VISIBLE as the bar will be.
    DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

    // Overridables
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual void DoPaint(CDC* pDC);                         // client area
    virtual void DrawBorders(CDC* pDC, CRect& rect);        // shrinks rect by the borders
    virtual void DrawGripper(CDC* pDC, const CRect& rect);  // rect: window without borders
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);

    // Dock state
    virtual void GetBarInfo(CControlBarInfo* pInfo);
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    // Implementation state
    DWORD m_dwStyle;                // CBRS_* bits
    DWORD m_dwDockStyle;            // sides enabled by EnableDocking
    CFrameWnd* m_pDockSite;         // frame that lays the bar out
    CDockBar* m_pDockBar;           // dock bar holding the bar, NULL when not docked
    CDockContext* m_pDockContext;   // dragging and docking (owned), NULL without docking
    BOOL m_bAutoDelete;             // delete the object when its window is destroyed
    int m_cxLeftBorder, m_cxRightBorder;
    int m_cyTopBorder, m_cyBottomBorder;
    int m_cxDefaultGap;             // extra width of separators
    int m_cyDefaultGap;             // extra height between wrapped rows
    UINT m_nMRUWidth;               // width of the floating bar last chosen (32767 none)
    UINT m_nStateFlags;
    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };
    int m_nCount;                   // elements of m_pData
    void* m_pData;                  // element array of the derived bar (malloc)

    virtual BOOL DestroyWindow() override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    virtual void PostNcDestroy() override;
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    BOOL AllocElements(int nElements, int cbElement);
    // Shows the prompt of the item nHit in the frame's status bar (-1: the idle prompt).
    virtual BOOL SetStatusText(INT_PTR nHit);
    void EraseNonClient();
    void DetachFromSite();          // leaves the dock bar and the frame's bar list
    INT_PTR m_nFlyByHit;            // item whose prompt the status bar shows, -1 none

public:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CToolBar: a row of command buttons over the toolbar common control.

class CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    virtual ~CToolBar();

    using CControlBar::Create;
    using CControlBar::CreateEx;
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                        UINT nID = AFX_IDW_TOOLBAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                          CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);

    // Buttons and images
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetHeight(int cyHeight);
    // Buttons from a TOOLBAR resource and images from the bitmap of the same name.
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCEA(nIDResource)); }
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEA(nIDResource)); }
    // The strip of button images (owned from then on); RGB(192,192,192) is transparent.
    BOOL SetBitmap(HBITMAP hbmImageWell);
    // One button per id (0: separator); NULL makes nIDCount empty separators.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    int GetCount() const;
    int CommandToIndex(UINT nIDFind) const;     // -1 when no button has the id
    UINT GetItemID(int nIndex) const;
    virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;      // TBBS_*
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    BOOL SetButtonText(int nIndex, LPCTSTR lpszText);
    CString GetButtonText(int nIndex) const;
    void GetButtonText(int nIndex, CString& rString) const;

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;

    // Implementation state
    CSize m_sizeButton;             // button size (image + 7, 8)
    CSize m_sizeImage;              // image size
    HBITMAP m_hbmImageWell;         // image strip (owned)
    HIMAGELIST m_hImageList;        // images of the control (owned)

protected:
    BOOL GetButton(int nIndex, TBBUTTON* pButton) const;
    void SetButton(int nIndex, const TBBUTTON* pButton);
    CSize CalcLayout(DWORD dwMode, int nLength = -1);
    int SeparatorWidth() const;
    void RebuildImageList();

public:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CStatusBar: panes of text over the status bar common control. Pane 0 with id
// ID_SEPARATOR shows the frame's messages (WM_SETTEXT sets its text).

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    virtual ~CStatusBar();

    using CControlBar::Create;
    using CControlBar::CreateEx;
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                          UINT nID = AFX_IDW_STATUS_BAR);

    // One pane per id: ID_SEPARATOR makes a pane of a quarter of the screen width
    // (the first one stretches, without borders), any other id a pane with the
    // id's string as text and its width. FALSE when a string is missing.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneText(int nIndex, CString& rString) const;
    CString GetPaneText(int nIndex) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    // Part widths (bUpdateRects) and texts marked SBPF_UPDATE (bUpdateText) to the control.
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);

    AFX_STATUSPANE* _GetPanePtr(int nIndex) const;

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    int m_nMinHeight;               // lowest height of the bar

protected:
    // Pane array of m_nCount AFX_STATUSPANE (constructed, texts empty).
    BOOL AllocElements(int nElements, int cbElement);
    void FreePanes();
    HFONT GetBarFont() const;

public:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CDockBar: the rows of docked bars along one side of a frame, or the bars of a
// floating frame.

class CDockBar : public CControlBar
{
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    virtual ~CDockBar();

    using CControlBar::Create;
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // Attributes
    BOOL m_bFloating;               // the dock bar of a floating frame
    CPtrArray m_arrBars;            // rows of CControlBar* (see the notes above)
    BOOL m_bLayoutQuery;            // the layout only measures, no window moves
    CRect m_rectLayout;             // room of the running layout (empty: the parent's client)

    int GetDockedCount() const;             // bars, placeholders not counted
    int GetDockedVisibleCount() const;
    CControlBar* GetDockedControlBar(int nPos) const;   // NULL for row ends and placeholders
    int FindBar(CControlBar* pBar, int nPosExclude = -1);

    // Operations
    // Docks the bar in the row under the centre of lpRect (screen), or as a new last row.
    virtual void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
    // At the bar's placeholder when it has one, else as DockControlBar.
    void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
    // Takes the bar out of the rows; nAddPlaceHolder 1 leaves its id in its place.
    virtual BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    void RemovePlaceHolder(CControlBar* pBar);
    void ShowAll(BOOL bShow);

    virtual BOOL IsDockBar() const override;
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    virtual void DoPaint(CDC* pDC) override;
    virtual void DrawGripper(CDC* pDC, const CRect& rect) override;
    virtual void GetBarInfo(CControlBarInfo* pInfo) override;
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

protected:
    // Index at which the bar went into the rows for a rectangle with centre ptMid
    // (client coordinates).
    int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);
    void RemoveEntry(int nPos);     // keeps one NULL between rows
    void TidyRows();                // no empty rows, NULL first and last
    // After a bar left: the frame lays out again, a floating frame hides or goes.
    void OnBarRemoved();

public:
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);

    DECLARE_MESSAGE_MAP()

    friend class CControlBar;
};

/////////////////////////////////////////////////////////////////////////////
// CMiniDockFrameWnd: the floating frame of bars. Its window style keeps the
// MFS_* bits it was made with: MFS_MOVEFRAME makes the edges move the frame,
// MFS_4THICKFRAME sizes by the edges only (no corners), MFS_BLOCKSYSMENU keeps
// the system menu away. It is as small as its bars (no system minimum size).

class CMiniDockFrameWnd : public CMiniFrameWnd
{
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();
    virtual ~CMiniDockFrameWnd();

    using CMiniFrameWnd::Create;
    // A tool window owned by pParent with its dock bar (dwBarStyle: CBRS_ALIGN_TOP
    // for a horizontal bar, CBRS_ALIGN_LEFT for a vertical one).
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);

    CDockBar m_wndDockBar;          // AFX_IDW_DOCKBAR_FLOAT

    virtual void RecalcLayout(BOOL bNotify = TRUE) override;
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The first bar in the frame, NULL when there is none.
    CControlBar* GetFirstBar() const;

public:
    afx_msg void OnClose();
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CDockContext: dragging a bar to another side or to a floating frame, resizing
// a floating bar, and the places it was docked and floated last.

class CDockContext
{
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // Drag from pt (screen) until the button goes up; docks or floats the bar there.
    virtual void StartDrag(CPoint pt);
    void Move(CPoint pt);           // the outline follows the mouse
    void EndDrag();                 // docks or floats at the outline
    void OnKey(int nChar, BOOL bDown);  // Ctrl: no docking, Shift: other orientation

    // Resizes a floating bar by the edge nHitTest (HTLEFT...HTBOTTOMRIGHT).
    virtual void StartResize(int nHitTest, CPoint pt);
    void Stretch(CPoint pt);
    void EndResize();

    // Floats a docked bar at its last floating place, docks a floating one where it was.
    virtual void ToggleDocking();

    // Places of the last docking and floating
    CPoint m_ptMRUFloatPos;         // top-left of the floating frame (screen)
    CRect m_rectMRUDockPos;         // rectangle in the dock bar (client coordinates)
    DWORD m_dwMRUFloatStyle;        // CBRS_ALIGN_* (and CBRS_FLOAT_MULTI) of the floating frame, 0 none
    UINT m_uMRUDockID;              // dock bar id, 0 none

    // State of a drag
    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    DWORD m_dwDockStyle;            // the bar's dock style when the drag began
    DWORD m_dwOverDockStyle;        // side under the outline, 0 for floating
    DWORD m_dwStyle;                // the bar's style when the drag began
    BOOL m_bFlip;                   // Shift: the other orientation
    BOOL m_bForceFrame;             // Ctrl: float
    BOOL m_bDragging;               // dragging (else resizing)
    int m_nHitTest;                 // edge being resized
    CPoint m_ptLast;                // last mouse position (screen)
    CRect m_rectLast;               // outline on the screen
    CSize m_sizeLast;               // its border thickness
    CRect m_rectDragHorz;           // docked outlines (screen)
    CRect m_rectDragVert;
    CRect m_rectFrameDragHorz;      // floating outlines (screen, frame rectangles)
    CRect m_rectFrameDragVert;
    CRect m_rectRequestedSize;      // resize: the size asked for
    CRect m_rectActualSize;         // resize: the bar's answer
    CRect m_rectActualFrameSize;    // resize: the frame around it
    CDC* m_pDC;                     // screen DC of the loop

protected:
    void InitLoop();
    void CancelLoop();
    BOOL Track();
    void DrawFocusRect(BOOL bRemoveRect = FALSE);
    DWORD CanDock();
    CDockBar* GetDockBar(DWORD dwOverDockStyle);
    CRect FrameRectFor(const CRect& rectBar) const;
};

/////////////////////////////////////////////////////////////////////////////
// CControlBarInfo: the stored state of one bar.

class CControlBarInfo
{
public:
    CControlBarInfo();
    virtual ~CControlBarInfo() {}

    UINT m_nBarID;                  // dialog id of the bar
    BOOL m_bVisible;
    BOOL m_bFloating;               // a floating frame's dock bar, or a bar in one
    BOOL m_bHorz;                   // horizontal orientation
    BOOL m_bDockBar;                // a dock bar: m_arrBarID holds its rows
    CPoint m_pointPos;              // top-left in the dock bar; a floating dock bar: its frame's client (screen)
    UINT m_nMRUWidth;
    BOOL m_bDocking;                // the bar has a dock context (the MRU values below)
    UINT m_uMRUDockID;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle;
    CPoint m_ptMRUFloatPos;
    CPtrArray m_arrBarID;           // bar ids in rows, 0 ends a row, id | 0x10000 a placeholder
    CControlBar* m_pBar;            // the bar while the state is applied

    virtual BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState);
    virtual BOOL SaveState(LPCTSTR lpszProfileName, int nIndex);
    void Serialize(CArchive& ar, CDockState* pDockState);
};

/////////////////////////////////////////////////////////////////////////////
// CDockState: the bar state of a frame (CFrameWnd::GetDockState, SetDockState).

class CDockState : public CObject
{
    DECLARE_SERIAL(CDockState)
public:
    CDockState();
    virtual ~CDockState();
    CDockState(const CDockState&) = delete;
    CDockState& operator=(const CDockState&) = delete;

    CPtrArray m_arrBarInfo;         // CControlBarInfo*, owned

    void LoadState(LPCTSTR lpszProfileName);
    void SaveState(LPCTSTR lpszProfileName);
    void Clear();
    DWORD GetVersion() const { return m_dwVersion; }
    virtual void Serialize(CArchive& ar) override;

    // Screen positions stored on another screen size are scaled to this one.
    CSize GetScreenSize();
    void SetScreenSize(CSize& size);
    void ScalePoint(CPoint& pt);
    void ScaleRectPos(CRect& rect);

    DWORD m_dwVersion;
    BOOL m_bScaling;                // the stored screen size differs from this one
    CSize m_sizeDevice;             // stored screen size
};

#endif // __AFXBARS_H__
