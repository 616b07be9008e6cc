// ExtControlBar.h - the dockable bars of the UI framework.
//
// Declares CExtControlBar (the base of every framework bar) with its nested records
// (POPUP_MENU_EVENT_DATA, InternalDraggingState_t), the caption buttons
// (CExtBarNcAreaButton and its Close, Auto Hide and Menu kinds), and through
// ExtDockBar.h the dock bars (CExtDockBar, CExtDockOuterBar, CExtDockDynBar) and the
// dynamic container CExtDynControlBar.
//
// CExtControlBar is split over these files:
// - ExtControlBar.cpp: the list of all bars, creation, sizes, row fitting, bar queries,
//   status texts and the bars menu;
// - ExtControlBarWnd.cpp: the window procedure, the non-client area, painting, mouse
//   input, showing and hiding;
// - ExtControlBarDocking.cpp: floating at a point, docking at a frame side and circle,
//   docking beside another bar in a new container;
// - ExtControlBarDrag.cpp: the modal drag loop, the drag decisions and the drop;
// - ExtControlBarResize.cpp: the row helpers and row and column resizing;
// - ExtBarNcAreaButton.cpp: the caption buttons;
// - ExtBarState.cpp: reading, checking and applying the stored layout of a frame's bars.
//
// Notes
// - Every constructed bar is in g_arrAllBars (under g_csAllBars) until its destructor.
// - A bar docks in rows of a dock bar (CDockBar::m_arrBars, see ExtBarLayout.h). Fixed-size
//   bars (toolbars) dock in circle 0, the frame-edge CExtDockOuterBar; resizable bars in
//   the circles 1, 2, ... inside it (see ExtDockBar.h).
// - Desired sizes: m_sizeDockedH (top or bottom), m_sizeDockedV (left or right),
//   m_sizeFloated. Docked, the length along the row comes from the row fitting
//   (CalcDynamicLayout), the thickness from row resizing.
// - The non-client area of a docked resizable bar holds its resizing strips, its caption
//   and the caption buttons; all rectangles kept by the bar are in window coordinates.
// - At most one modal state runs at a time: row resizing, column resizing or dragging.
// - UI thread only, apart from the lock around g_arrAllBars.

#pragma once

#include "afxwin.h"
#include "afxtempl.h"
#include "afxmt.h"
#include "uiframework/foundation/ExtCmdIcon.h"
#include "uiframework/foundation/ExtStatics.h"

class CExtControlBar;
class CExtDockBar;
class CExtDockOuterBar;
class CExtDockDynBar;
class CExtDynControlBar;
class CExtPopupMenuWnd;
class CExtBarNcAreaButton;

typedef CArray<CExtControlBar*, CExtControlBar*> ExtControlBarVector_t;

/////////////////////////////////////////////////////////////////////////////
// CExtControlBar

class CExtControlBar : public CControlBar, public CExtMouseCaptureSink,
                       public CExtControlBarMessages
{
    DECLARE_DYNCREATE(CExtControlBar)

public:
    // A bar-related popup menu offered to the frame (g_nMsgConstructPopupMenu).
    struct POPUP_MENU_EVENT_DATA
    {
        enum e_Kind_t
        {
            KIND_BAR_CONTEXT = 1,
            KIND_BAR_NC_CONTEXT = 2,
            KIND_NC_OPTIONS = 10,
            KIND_NC_OPTIONS_BARS_LIST = 11,
        };

        int m_nEventKind;
        CExtPopupMenuWnd* m_pPopupMenuWnd;
        CWnd* m_pWndEventSrc;
        UINT m_nMsgID;
        CObject* m_pObjectSrc;
        CFrameWnd* m_pWndTarget;        // found by NotifyTarget
        BYTE m_nFlags;                  // bit 0: second phase
        CPoint m_ptScreen;

        // Only the keyboard sentinel (-1, -1) means "at the cursor": negative
        // coordinates of monitors left of or above the primary are real positions.
        POPUP_MENU_EVENT_DATA(int nEventKind, CExtPopupMenuWnd* pPopupMenuWnd,
                              CWnd* pWndEventSrc, const POINT& ptScreen, UINT nMsgID,
                              CObject* pObjectSrc);
        bool IsBarListEvent() const;
        bool IsSecondPhase() const { return (m_nFlags & 1) != 0; }
        // Stores the phase, finds the target frame and sends it the event; TRUE when the
        // frame built the menu.
        bool NotifyTarget(bool bSecondPhase);
    };

    // One drag-and-dock decision (the drag itself comes with the drag code).
    struct InternalDraggingState_t
    {
        bool m_bEmpty;
        bool m_bFlag2;
        int m_eType;
        int m_nCircle;
        CRect m_rc;                     // screen coordinates
        CExtControlBar* m_pBarSource;
        CExtControlBar* m_pBarTarget;
        int m_nTabIndex;
        int m_nCursorKind;

        explicit InternalDraggingState_t(CExtControlBar* pBar = NULL);
        bool IsEqual(const InternalDraggingState_t& other) const;

        // Drag decisions (ExtControlBarDrag.cpp)
        void SetEmpty(bool bEmpty = true) { m_bEmpty = bEmpty; }
        bool IsEmpty() const { return m_bEmpty; }
        void SetTarget(CExtControlBar* pBar);
        void Reset();
        void CalcStateAtPoint(CPoint ptScreen, BOOL bForceFloat);
        void CalcFixedStateAtPoint(CPoint ptScreen, BOOL bForceFloat);
        bool CalcFixedStateInDockBar(CPoint ptScreen, CDockBar* pDockBar);
        void DrawTracker(BOOL bErase);

    private:
        // The steps of CalcStateAtPoint (resizable bars)
        bool CalcMarkerStateAtPoint(CPoint ptScreen, CFrameWnd* pFrame, BOOL& bForceFloat);
        void CalcDockedStateAtPoint(CPoint ptScreen, CFrameWnd* pFrame, int nMinW, int nMinH);
        void CalcStateBesideFloatingBar(CPoint ptScreen, CFrameWnd* pFrame, int nMinW, int nMinH);
        void CalcStateAtOuterEdges(CPoint ptScreen, const CRect& rcInner, DWORD dwDockStyle);
        void CalcStateAtInnerEdges(CPoint ptScreen, CFrameWnd* pFrame, const CRect& rcInner,
                                   CExtDockBar* const pEdges[4], DWORD dwDockStyle);
        int CalcInnerEdgeCircle(CFrameWnd* pFrame, CExtDockBar* pEdge, int nSide);
        void CalcStateBesideDockedBar(CPoint ptScreen, CFrameWnd* pFrame, int nMinW, int nMinH,
                                      DWORD dwDockStyle);
        void CalcStateAtTargetSides(CPoint ptScreen, CExtControlBar* pTarget, int nMinW,
                                    int nMinH);
        void CalcFloatStateAtPoint(CPoint ptScreen, CFrameWnd* pFrame, int nMinW, int nMinH);
        // The steps of CalcFixedStateInDockBar (fixed-size bars)
        struct FixedRowMove_t;
        bool DockFixedFromElsewhere(CDockBar* pDockBar, CFrameWnd* pFrame, CPoint ptTopLeft,
                                    bool bHorz);
    };

    // Stored dock state (ExtBarState.h)
    class InternalDockStateSite;
    class InternalDockStateBar;
    struct OuterItemData_t;

    // Record of g_nMsgDrawTackedArea.
    struct TrackedAreaData_t
    {
        CExtControlBar* m_pBar;
        CDC* m_pDC;
        int m_nAreaKind;                // 0: resizing trackers
        CRect m_rc;                     // frame window coordinates
        BYTE m_nFlags;                  // bit 0: erasing; bit 1: the frame drew it
    };

    // Where a fixed-size bar last stood in its row of the outer dock bar.
    struct OuterLayoutData_t
    {
        CExtControlBar* m_pBar;
        CRect m_rcRemembered;           // in the dock bar's client coordinates
        int m_nLengthHorz;              // desired length along a horizontal row, 0 unset
        int m_nLengthVert;              // desired length along a vertical row, 0 unset
        int m_nRank;                    // recency in the row, 1 most recent, 0 not in use
        bool m_bFlag;                   // set until a move along the row takes the record

        OuterLayoutData_t() { Reset(); }
        void Reset()
        {
            m_pBar = NULL;
            m_rcRemembered.SetRectEmpty();
            m_nLengthHorz = m_nLengthVert = 0;
            m_nRank = 0;
            m_bFlag = true;
        }
        bool IsInUse() const { return m_nRank != 0; }
    };

    // Record of g_nMsgQueryRepositionCalcEffect.
    struct QueryRepositionCalcEffect_t
    {
        int m_nQueryKind;
        DWORD m_dwFlags;                // 0x10: leave me out of the query pass
        UINT m_nIDFirst;
        UINT m_nIDLast;
        UINT m_nIDLeftOver;
        CRect m_rc;
    };

    CExtControlBar();
    virtual ~CExtControlBar();

    /////////////////////////////////////////////////////////////////////////
    // Process-wide state

    static ExtControlBarVector_t g_arrAllBars;
    static CCriticalSection g_csAllBars;
    static CMap<UINT, UINT, DWORD, DWORD> g_mapDockBarAlign;
    static int g_nDockingUIStyle;
    static BOOL g_bCmdManagerStatusTips;
    static InternalDraggingState_t g_DragStateCurrent;
    static InternalDraggingState_t g_DragStateCandidate;
    // Frames whose bar state is being serialized (value: non-zero while loading).
    static CMap<CFrameWnd*, CFrameWnd*, WORD, WORD> g_mapSerializingFrames;
    // Marker windows of a drag: around the frame edges and over the target.
    static CPtrArray g_arrDockMarkersOuter;
    static CPtrArray g_arrDockMarkersInner;
    // Cursors of the bars, loaded at start.
    static HCURSOR g_hCursorArrow;
    static HCURSOR g_hCursorSizeAll;
    static HCURSOR g_hCursorSizeNS;
    static HCURSOR g_hCursorSizeWE;
    static void InitDockBarAlignMap();
    static bool IsFrameSerializing(CFrameWnd* pFrame, bool* pbLoading = NULL);
    // The stored layout of the frame's bars (ExtBarState.cpp); FALSE leaves the
    // default layout standing with every bar shown.
    static bool LoadFrameBarState(CFrameWnd* pFrame, LPCTSTR pszCompany, LPCTSTR pszProduct,
                                  LPCTSTR pszProfile, WINDOWPLACEMENT* pPlacement = NULL);
    static bool SerializeFrameBarState(CArchive& ar, CFrameWnd* pFrame,
                                       WINDOWPLACEMENT* pPlacement = NULL);

    /////////////////////////////////////////////////////////////////////////
    // Overrides of the class library

    virtual void PreSubclassWindow() override;
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    virtual void DoPaint(CDC* pDC) override;

    /////////////////////////////////////////////////////////////////////////
    // Virtual operations

    virtual bool AppendToBarsMenu(CExtPopupMenuWnd* pPopup);
    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID = AFX_IDW_DIALOGBAR,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER |
                                        CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC |
                                        CBRS_HIDE_INPLACE);
    virtual bool IsFrameInPrintPreview();
    virtual bool IsBarShown();
    virtual bool IsFixedSize() const;
    virtual bool IsFixedDragMode() const;
    virtual bool QueryGripper(bool* pbHorizontalCaption, bool* pbHasCaption);
    virtual void PaintBarBackground(CDC& dc, const RECT& rc);
    virtual bool IsFullRowBar() const;
    virtual int CalcMinWidth();
    virtual int CalcMinHeight();
    virtual CSize GetMinFloatingSize();
    virtual CSize GetMinDockedSize();
    virtual OuterLayoutData_t* GetOuterLayoutData();
    virtual void SetOuterLayoutData(const OuterLayoutData_t& data);
    virtual void SyncOuterLayoutData();
    virtual void ResetOuterLayoutData();
    virtual bool IsWrappable() const;
    virtual void DelayFrameRecalcLayout();
    virtual void RecalcNcFrame();
    virtual bool IsLiveDragDocking() const;
    virtual bool IsRowResizingLive() const;
    virtual bool IsColumnResizingLive() const;
    virtual void RepositionChildWindow(int cx = -1, int cy = -1, bool bRedraw = true);

    // Row and column resizing
    virtual void StartRowResizing();
    virtual void StopRowResizing(BOOL bCancel);
    virtual void TrackRowResizing(CPoint ptScreen);
    virtual void StartColumnResizing();
    virtual void StopColumnResizing(BOOL bCancel);
    virtual void TrackColumnResizing(CPoint ptScreen);
    virtual bool IsRowResizable();
    virtual bool IsColumnResizable();
    virtual void DrawRowResizingTracker(BOOL bErasing);
    virtual void DrawColumnResizingTracker(BOOL bErasing);

    // Docking operations
    virtual bool InsertBarBeside(CExtControlBar* pBar, UINT nSide, int nPercent);
    // The drag loop (ExtControlBarDrag.cpp); it starts once the mouse leaves the
    // thresholds around the press point (0, 0: at once).
    virtual void StartDragging(CPoint ptScreen, CPoint ptOffset, int cxThreshold = 0,
                               int cyThreshold = 0);
    virtual void TrackDragging(CPoint ptScreen, BOOL bForceFloat);
    virtual void StopDragging(BOOL bCancel);
    virtual bool ApplyDraggingState(InternalDraggingState_t& state, BOOL bFinal);
    virtual void OnDraggingStarted();
    virtual void OnDraggingFinished(InternalDraggingState_t* pCurrent,
                                    InternalDraggingState_t* pCandidate, BOOL bCancel);
    virtual void UpdateBarCursor(CPoint ptClient);
    virtual bool IsButtonInputBlocked() const;
    virtual bool IsDynamicDockingAllowed() const;
    virtual bool IsTabbedDockingAllowed(CExtControlBar* pOther) const;
    virtual CExtControlBar* GetTabbedContainer();
    virtual void BringBarToFront(BOOL bToggle);
    virtual void OnUpdateShowHideCmdUI(CCmdUI* pCmdUI, BOOL bAlways);
    virtual CFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    virtual void ToggleDockedFloating();
    virtual void FloatAtPosition(CPoint ptScreen, DWORD dwStyle = CBRS_ALIGN_TOP);
    virtual bool DockToFrameSide(UINT nDockBarID, BOOL bNewInnerLevel = FALSE,
                                 CFrameWnd* pFrame = NULL, BOOL bRecalc = TRUE);
    virtual bool DockBesideBar(int nPercent, CExtControlBar* pTarget, UINT nSide,
                               BOOL bRecalc = TRUE);
    // Docks pBar beside this docked bar, in a container with it: along this bar's row
    // (bAcross FALSE: left or right of a bar docked at the top or bottom, above or below
    // a bar docked at the left or right) or across it, after this bar (bAfter) or before.
    virtual bool DockRelativeToOwnPlace(CExtControlBar* pBar, BOOL bAfter = TRUE,
                                        BOOL bAcross = FALSE, CFrameWnd* pFrame = NULL,
                                        BOOL bRecalc = TRUE);
    virtual bool DockToFrameSideLevel(UINT nDockBarID, UINT nLevel, CFrameWnd* pFrame = NULL,
                                      BOOL bRecalc = TRUE);
    virtual bool DockAsTab(CExtControlBar* pTarget, int nIndex = -1, CFrameWnd* pDockSite = NULL,
                           BOOL bRecalc = TRUE);
    virtual void GetBarCaptionText(CString& strText);

    // Caption buttons
    virtual void ExcludeNcButtonsFromCaption(RECT& rc);
    virtual void CreateNcAreaButtons();
    virtual int LayoutNcAreaButtons();
    virtual int HelpHitTest(CPoint pt);
    virtual BOOL HandleMouseMove(UINT nFlags, CPoint ptClient);

    /////////////////////////////////////////////////////////////////////////
    // Static operations

    static bool SetupFrameDocking(CFrameWnd* pFrame, DWORD dwDockStyle = CBRS_ALIGN_ANY,
                                  BOOL bExtMiniFrames = TRUE);
    static void ShowCommandStatusText(CWnd* pWnd, UINT nCmdID);
    static BOOL IsFrameInHelpMode(CWnd* pWnd);
    static void FindFrameBars(CExtControlBar* pExcludeBar, CFrameWnd* pFrame,
                              ExtControlBarVector_t& result, DWORD dwFilter = 0xFFF,
                              CPoint pt = CPoint(0, 0));
    static void RepositionBarsEx(CWnd* pWnd, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver,
                                 UINT nFlag = CWnd::reposDefault, LPRECT lpRectParam = NULL,
                                 LPCRECT lpRectClient = NULL, BOOL bStretch = TRUE);
    static CExtControlBar* GetDraggedBar();
    static bool BuildBarsMenu(CFrameWnd* pFrame, CExtPopupMenuWnd* pPopup, int nEventType,
                              CExtControlBar* pSourceBar, LPARAM lParam, CObject* pSource);
    // Shows or hides the bar nID of the frame; FALSE when the frame has no such bar.
    static bool DoFrameBarCheckCmd(CFrameWnd* pFrame, UINT nID);
    // Switches the bar into or out of its side's auto-hide area; FALSE when refused
    // (fixed-size or floating bars, or no auto-hide area on the side).
    static bool AutoHideModeSet(CExtControlBar* pBar, bool bAutoHide, bool bAnimate,
                                bool bRecalcLayout, bool bUpdateArea);

    /////////////////////////////////////////////////////////////////////////
    // Placement queries

    bool IsDockedHorizontally() const;
    bool IsDockedVertically() const;
    bool IsDockedAtTop() const;
    bool IsDockedAtBottom() const;
    bool IsDockedAtLeft() const;
    bool IsDockedAtRight() const;
    bool IsDocked() const;
    bool IsFloating() const;
    UINT GetSafeDockBarDlgCtrlID() const;
    CFrameWnd* GetDockingFrame() const;
    // The current size for the orientation (see CalcDynamicLayout).
    CSize GetCurrentSize();
    // The bar's length and thickness in its dock row (by orientation).
    int GetRowLength() const;
    void SetRowLength(int n);
    int GetRowThickness() const;
    void SetRowThickness(int n);
    int GetRowMinimum();
    // The smallest thickness that still shows the caption and the strips.
    int GetThicknessMinimum();

    // Row helpers (4.122)
    bool IsAtMinimum();
    bool IsFirstInRow(bool bResizableOnly);
    bool IsLastInRow(bool bResizableOnly);
    // A visible bar (a resizable one when asked) before or after this one in its row.
    bool HasRowNeighbour(bool bBefore, bool bResizableOnly);
    // The nearest visible bar before or after this one in its row, or NULL.
    CControlBar* FindRowNeighbour(bool bBefore, bool bResizableOnly);
    bool IsSingleInRow(bool bFixedOnly, bool bResizableOnly);
    void MaximizeInRow();
    void RestoreRowPlace();
    void MakeRoomInRow();
    void GetSplitterEdges(bool& bLeft, bool& bTop, bool& bRight, bool& bBottom);
    // The CExtControlBar entries of the bar's row (hidden ones too).
    void GetRowBars(ExtControlBarVector_t& arr, bool bResizableOnly, bool bVisibleOnly);
    // The rows of the dock bar as index ranges; the bar's row is nRow.
    void SyncRowAndContainers();

    // Caption buttons
    void PaintNcAreaButtons(CDC& dc);
    UINT NcButtonsHitTest(CPoint ptScreen, CExtBarNcAreaButton** ppButton = NULL);
    void NcButtonsDestroy();
    // The window that shows the caption (the bar, its mini frame) and the caption
    // rectangle in that window's coordinates; FALSE without a caption.
    bool GetCaptionInfo(CWnd*& pHost, CRect& rcCaption, bool& bHorizontal);

    /////////////////////////////////////////////////////////////////////////
    // Member variables

    bool m_bCaptionAlwaysHorizontal : 1;
    bool m_bEraseBackground : 1;
    bool m_bInPlainWindow : 1;
    bool m_bTakesPartInLayout : 1;
    bool m_bClosing : 1;
    bool m_bListedInBarsMenu : 1;
    bool m_bFixedSize : 1;
    bool m_bRowResizing : 1;
    bool m_bColumnResizing : 1;
    bool m_bDragging : 1;
    bool m_bChildFillsClient : 1;
    bool m_bUpdatingLayout : 1;
    bool m_bActive : 1;
    bool m_bResizingLeadingStrip : 1;
    bool m_bNcButtonHover : 1;
    bool m_bAutoHidden : 1;
    bool m_bSyncingRow : 1;
    int m_nCaptionHeight;
    int m_nCaptionWidth;
    int m_nSplitterCY;
    int m_nSplitterCX;
    int m_nNcExtraX;
    int m_nNcExtraY;
    int m_nTrackerPos;
    int m_nTrackerValue;
    CSize m_sizeDockedH;
    CSize m_sizeDockedV;
    CSize m_sizeFloated;
    CRect m_rcCaption;
    CRect m_rcRowResizer;
    CRect m_rcColumnResizerNext;
    CRect m_rcColumnResizerPrev;
    int m_nSavedRowExtent;
    CPoint m_ptFloatPos;
    int m_nDragOffsetX, m_nDragOffsetY, m_nDragOffsetFloatX, m_nDragOffsetFloatY;
    CPoint m_ptLastDragPos;
    CArray<CExtBarNcAreaButton*, CExtBarNcAreaButton*> m_arrNcButtons;
    HCURSOR m_hCursorLast;
    CPoint m_ptResizeStart;         // screen point of the press that started a resize

protected:
    static bool RegisterBarClass();
    // The modal loop shared by row and column resizing; bRow selects which.
    void RunResizingLoop(bool bRow);
    // The dock bar's rectangle for the tracker drawing (frame window coordinates).
    void DrawTrackerRect(const CRect& rcScreen, BOOL bErasing);
    // The frame whose window DC draws the resizing trackers.
    CFrameWnd* GetTrackerFrame() const;
    void DoContextMenu(int nEventKind, UINT nMsg, CPoint ptScreen);
    void ApplyRowThickness(int nThickness);
    // The sizing code of the framework's floating frame at a screen point in the margin
    // about this resizable bar's content; HTNOWHERE elsewhere or when not floating there.
    UINT FloatingFrameBorderHit(CPoint ptScreen);

private:
    // The steps of StartDragging
    bool WaitForDragThreshold(HWND hWnd, CPoint& ptScreen, int cxThreshold, int cyThreshold,
                              bool& bQuit, int& nQuitCode);
    void SetDragGrabOffsets(CPoint ptOffset);
    void RunDragLoop(HWND hWnd, bool& bQuit, int& nQuitCode);
    // The steps of OnNcCalcSizeMsg
    void PlaceDockedResizers(CRect& rc, bool bLeft, bool bTop, bool bRight, bool bBottom);
    bool HasLeadingColumnResizer();
    void PlaceCaptionRect(const CRect& rc, bool bHorzCaption);

public:
    // Message handlers (reached through the message map, so derived maps come first)
    afx_msg LRESULT OnSetFocusMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTextMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSizeMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSizeParentMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSysColorChangeMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSettingChangeMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCancelModeMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCaptureChangedMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseMoveMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonDownMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonUpMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonDblClkMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcLButtonDblClkMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcHitTestMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcLButtonDownMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcLButtonUpMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcCalcSizeMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcPaintMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowWindowMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRButtonUpMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnContextMenuMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcRButtonUpMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTestMsg(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    friend class CExtBarNcAreaButton;
    friend class CExtDockBar;
};

/////////////////////////////////////////////////////////////////////////////
// Caption buttons: plain objects in the caption of their bar (or of its mini frame).

class CExtBarNcAreaButton : public CObject
{
    DECLARE_DYNAMIC(CExtBarNcAreaButton)

public:
    explicit CExtBarNcAreaButton(CExtControlBar* pBar);
    virtual ~CExtBarNcAreaButton();

    virtual void Destroy();
    virtual void PlaceInCaption(CExtBarNcAreaButton* pPrev);
    virtual bool IsDisplayed();
    virtual void Paint(CDC& dc);
    virtual UINT OnNcHitTest(CPoint pt);
    virtual HCURSOR OnQueryCursor(CPoint pt);
    virtual bool OnClick(CPoint pt);
    virtual INT_PTR OnToolHitTest(CPoint pt, TOOLINFO* pTI);

    CExtControlBar* GetBar() const { return m_pBar; }

    CExtControlBar* m_pBar;
    CRect m_rc;
    bool m_bHover : 1;
    bool m_bPushed : 1;
    bool m_bDisabled : 1;
    bool m_bPaintingOutside : 1;

protected:
    // Fills the record of the paint manager and draws the glyph.
    void PaintGlyph(CDC& dc, int nGlyph);
    // TOOLINFO of the three kinds (string id, fallback text).
    INT_PTR FillToolInfo(TOOLINFO* pTI, UINT nStringID, LPCTSTR sFallback);
    // Clears the hover and pushed state on a click inside m_rc.
    bool BeginClick(CPoint pt);
};

class CExtBarNcAreaButtonClose : public CExtBarNcAreaButton
{
    DECLARE_DYNAMIC(CExtBarNcAreaButtonClose)
public:
    explicit CExtBarNcAreaButtonClose(CExtControlBar* pBar) : CExtBarNcAreaButton(pBar) {}
    virtual bool IsDisplayed() override;
    virtual void Paint(CDC& dc) override;
    virtual UINT OnNcHitTest(CPoint pt) override;
    virtual bool OnClick(CPoint pt) override;
    virtual INT_PTR OnToolHitTest(CPoint pt, TOOLINFO* pTI) override;
};

class CExtBarNcAreaButtonAutoHide : public CExtBarNcAreaButton
{
    DECLARE_DYNAMIC(CExtBarNcAreaButtonAutoHide)
public:
    explicit CExtBarNcAreaButtonAutoHide(CExtControlBar* pBar) : CExtBarNcAreaButton(pBar) {}
    virtual void PlaceInCaption(CExtBarNcAreaButton* pPrev) override;
    virtual bool IsDisplayed() override;
    virtual void Paint(CDC& dc) override;
    virtual UINT OnNcHitTest(CPoint pt) override;
    virtual bool OnClick(CPoint pt) override;
    virtual INT_PTR OnToolHitTest(CPoint pt, TOOLINFO* pTI) override;
};

class CExtBarNcAreaButtonMenu : public CExtBarNcAreaButton
{
    DECLARE_DYNAMIC(CExtBarNcAreaButtonMenu)
public:
    explicit CExtBarNcAreaButtonMenu(CExtControlBar* pBar) : CExtBarNcAreaButton(pBar) {}
    virtual bool IsDisplayed() override;
    virtual void Paint(CDC& dc) override;
    virtual UINT OnNcHitTest(CPoint pt) override;
    virtual bool OnClick(CPoint pt) override;
    virtual INT_PTR OnToolHitTest(CPoint pt, TOOLINFO* pTI) override;

    // Repaints the button pushed in its caption host while the options menu is open.
    static void stat_PaintPushed(LPVOID pCookie, CDC& dc, const CWnd& wndMenu,
                                 const CRect& rcExclude, int eCombineAlign);
};

#include "ExtDockBar.h"
