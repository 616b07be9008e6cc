// ExtDockBar.h - the framework's dock bars and the dynamic container.
//
// Declares CExtDockBar (base of the framework's dock bars, the circles of resizable
// bars), CExtDockOuterBar (circle 0 at the frame edge, fixed-size bars),
// CExtDockDynBar (the dock bar inside a container) and CExtDynControlBar (a resizable
// bar whose client is a CExtDockDynBar).
//
// Notes
// - Circles: every side of a frame has a chain of dock bars, circle 0 the outer bar made
//   by CExtControlBar::SetupFrameDocking, circles 1, 2, ... inwards (m_pDockBarInner),
//   each created for all four sides at once. The frame lays them out in z-order, so an
//   inner circle takes its room inside the outer ones.
// - The bar arrays keep the shape of ExtBarLayout.h; every edit ends with
//   ExtBarLayout::NormalizeBarArray.
// - Row breaks that the row fitting asks for while a dock bar lays its rows out are
//   recorded (m_arrPendingBreaks) and applied after the pass, so the array never
//   changes under a running walk.
// - A resizable bar docked into the outer bar (by the frame's DockControlBar with a
//   side id) goes to circle 1 of that side.
// - Recency in the outer rows: every bar with an outer layout record holds a rank in its
//   row, 1 the most recent. A layout gives a bar whose record is not in use the next
//   rank after the row's count, its present place and its present length; a narrow row
//   takes the room of its wrappable bars least recent first.

#pragma once

#include "ExtControlBar.h"

class CExtDockBar : public CDockBar
{
    DECLARE_DYNCREATE(CExtDockBar)

public:
    explicit CExtDockBar(int nCircleNo = 1);
    virtual ~CExtDockBar();

    // The side style (CBRS_ALIGN_* with the border bit) of a dock bar id, 0 when none.
    static DWORD GetSideStyle(UINT nDockBarID);

    /////////////////////////////////////////////////////////////////////////
    // Overrides

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual BOOL DestroyWindow() override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    virtual void DoPaint(CDC* pDC) override;
    virtual void DrawBorders(CDC* pDC, CRect& rect) override;
    // Docking of any bar at a rectangle (screen).
    virtual void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL) override;
    virtual BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1,
                                  int nAddPlaceHolder = 0) override;

    /////////////////////////////////////////////////////////////////////////
    // Operations

    virtual CWnd* GetAutoHideArea();
    virtual void SetSuspended(bool bSuspended);
    virtual void RelayoutContainers();
    virtual void RecalcContainers();

    bool IsSuspended() const { return m_bSuspended; }
    int GetCircleNo() const { return m_nCircleNo; }
    CExtDockBar* GetOuter() const { return m_pDockBarOuter; }
    CExtDockBar* GetInner() const { return m_pDockBarInner; }
    bool IsEmpty() const;
    bool IsHorizontal() const;      // top or bottom

    CExtDockBar* GetCircleDockBar(UINT nDockBarID, bool bCreate);
    CExtDockBar* GetDockBarOfCircle(int nCircle, bool bCreate);
    CExtDockBar* GetInnermost();

    static CExtDockBar* FindCircleDockBar(CFrameWnd* pFrame, int nCircle, UINT nDockBarID,
                                          bool bCreate);
    static int CreateInnerCircle(CFrameWnd* pFrame);
    static void InsertCircle(CFrameWnd* pFrame, int nCircle);
    static void CompactCircles(CFrameWnd* pFrame);
    // The highest circle number of the frame (0 when only the outer bars exist).
    static int GetMaxCircle(CFrameWnd* pFrame);
    // The room a frame keeps for its centre window (the view, the MDI client): resizable
    // bars docked in its circles give up thickness, down to their own minimum, before the
    // centre gets less than this width (beside bars at the left and right) or height
    // (below and above bars at the top and bottom). (0, 0), the default: nothing kept.
    static void SetCentreMinimum(CFrameWnd* pFrame, CSize size);
    static CSize GetCentreMinimum(CWnd* pFrame);

    void InsertBarAsRow(CControlBar* pBar, bool bInnerEnd);
    // Removes the bar's entry with row upkeep; with bRemovePlaceholder also its
    // placeholders in all dock bars of the dock site.
    void RemoveBarEntry(CControlBar* pBar, bool bRemovePlaceholder);
    // Unhooks every docked bar (visits every entry).
    void DetachAllBars();
    // Removes the places a bar kept (its id) from every dock bar and container of the frame.
    static void RemovePlaceholdersOf(CFrameWnd* pFrame, CControlBar* pBar);
    // Records a row break before the bar, applied when the running layout pass ends.
    void RequestRowBreak(CControlBar* pBeforeBar);
    bool IsInLayoutPass() const { return m_bInLayoutPass; }
    CFrameWnd* GetSiteFrame() const;

    /////////////////////////////////////////////////////////////////////////
    // Member variables

    bool m_bSuspended;
    int m_nCircleNo;
    CExtDockBar* m_pDockBarOuter;
    CExtDockBar* m_pDockBarInner;
    CRect m_rcLastInner;            // inner edge as of the last layout (screen)
    CWnd* m_pAutoHideArea;
    int m_nAutoHideAreaThickness;   // the edge's auto-hide strip as last laid out (0: hidden)
    bool m_bBusy;
    bool m_bInLayoutPass;
    bool m_bSizingParent;           // inside the frame's layout (WM_SIZEPARENT)
    CPtrArray m_arrPendingBreaks;   // bars before which a row break was asked for

protected:
    void ApplyPendingBreaks();
    void UnlinkCircle();
    // Layout of resizable rows (circles and floating dock bars).
    CSize LayoutRows(BOOL bStretch, BOOL bHorz);
    // The length and thickness the rows may take.
    CSize LayoutRoom();
    void PlaceBar(AFX_SIZEPARENTPARAMS& layout, CControlBar* pBar, const CRect& rc);
    CSize EndLayoutPass(AFX_SIZEPARENTPARAMS& layout, bool bAny, bool bStretch, bool bStretchRows, BOOL bHorz,
                        CSize sizeMax, int nLength, int nThick);

    friend class CExtControlBar;
};

class CExtDockOuterBar : public CExtDockBar
{
    DECLARE_DYNCREATE(CExtDockOuterBar)

public:
    CExtDockOuterBar();
    virtual ~CExtDockOuterBar();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    virtual void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL) override;

    // The bar's record takes its present place and length, and the bar becomes the most
    // recent of its row.
    void RefreshOuterLayoutData(CExtControlBar* pBar);
    // The bar gets recency rank 1; the other framework bars of its row, hidden ones too,
    // move one rank back (see ExtBarLayout::RankMostRecent).
    void MakeMostRecent(CExtControlBar* pBar);
    // The rows of fixed-size bars along the frame edge (see ExtBarLayout::FitOuterRow).
    CSize LayoutOuterRows(BOOL bStretch, BOOL bHorz);

    BYTE m_nOuterFlags;             // bit 0: in the delayed layout; bit 1: timer pending

private:
    // The steps of LayoutOuterRows
    struct OuterRowPass_t;
    void AddOuterRowItem(OuterRowPass_t& row, CControlBar* pBar, CExtControlBar* pExt,
                         CSize size);
    void PlaceOuterRow(OuterRowPass_t& row);
};

class CExtDockDynBar : public CExtDockBar
{
    DECLARE_DYNCREATE(CExtDockDynBar)

public:
    explicit CExtDockDynBar(int nCircleNo = 0);
    virtual ~CExtDockDynBar();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    virtual CWnd* GetAutoHideArea() override;
    virtual void SetSuspended(bool bSuspended) override;
    virtual void RelayoutContainers() override;
    virtual void RecalcContainers() override;
    // The visible bars of the rows, rows separated by NULL.
    virtual void CollectVisibleBars(CPtrArray& arr);

    CExtDynControlBar* GetContainer() const;
    // Lays the bars out in the client rectangle.
    virtual void LayoutInClient();

    BYTE m_nDynFlags;
};

class CExtDynControlBar : public CExtControlBar
{
    DECLARE_DYNCREATE(CExtDynControlBar)

public:
    CExtDynControlBar();
    virtual ~CExtDynControlBar();

    virtual bool IsTabbedDockingAllowed(CExtControlBar* pOther) const override;
    virtual bool QueryGripper(bool* pbHorizontalCaption, bool* pbHasCaption) override;
    virtual int CalcMinWidth() override;
    virtual int CalcMinHeight() override;
    // The smallest width (or height) the visible bars of the inner dock bar need.
    int CalcInnerMinExtent(bool bWidth);
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual CExtDockDynBar* OnCreateDynamicDockBarObject();

    CExtDockDynBar* m_pWndDynDockBar;
};
