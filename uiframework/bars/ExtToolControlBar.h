// ExtToolControlBar.h - the dockable toolbar of the UI framework.
//
// Notes
// - The buttons (CExtBarButton) are owned by the bar; the chevron, when the bar has one,
//   is the last element of m_arrButtons.
// - Layout states index the buttons' wrap marks: 0 docked top or bottom, 1 docked left
//   or right, 2 floating (or without a dock site).
// - A docked bar shows one line; the buttons that do not fit are hidden and listed by
//   the chevron. A floating bar wraps its buttons into lines.
// - Tracking: a pressed button holds the mouse capture; a drop-down that tracks sets
//   m_nTrackingIndex and g_bMenuTracking until EndAllButtonTracking or the popup's end.
// - UI thread only; EndAllButtonTracking and the destructor lock the list of all bars.
//
// Files
// - ExtToolControlBar.cpp: the buttons, tracking, painting, command updates, help and mouse.
// - ExtToolControlBarLayout.cpp: the layout (AdjustInsideRect, AvailableDockedLength,
//   MeasureButtons, WrapButtons, FitButtonsToLength, ApplyWrapping, CalcLayoutSize,
//   GetMinDockedSize, IsWrappable, CalcFixedLayout, CalcDynamicLayout, IsFullRowBar,
//   GetOuterLayoutData, SetOuterLayoutData, SyncOuterLayoutData, RecalcButtonLayout and
//   its steps).

#pragma once

#include "ExtControlBar.h"
#include "ExtBarButton.h"

class CExtToolControlBar : public CExtControlBar, public CExtToolControlBarMessages
{
    DECLARE_DYNCREATE(CExtToolControlBar)

public:
    // The command-update object of a bar button.
    class CExtToolControlBarCmdUI : public CCmdUI
    {
    public:
        virtual void Enable(BOOL bOn = TRUE) override;
        virtual void SetCheck(int nCheck = 1) override;
        virtual void SetRadio(BOOL bOn = TRUE) override;
        virtual void SetText(LPCTSTR lpszText) override;
    };

    CExtToolControlBar();
    virtual ~CExtToolControlBar();

    static BOOL g_bMenuTracking;
    static BOOL g_bMenuExpanded;
    static BOOL g_bLargeButtonIcons;
    static BOOL g_bButtonTooltips;
    static BOOL g_bAccelTextInTooltips;

    // Own virtual operations
    virtual void GetButtonRect(int nIndex, RECT* pRect) const;
    virtual BOOL QueryLargeIcons() const;
    virtual BOOL QueryShowTooltips() const;
    virtual BOOL QueryAccelInTooltips() const;
    virtual CExtBarButton* CreateButton(UINT nCmdID, UINT nStyle);
    virtual CExtBarContentExpandButton* CreateContentExpandButton();
    virtual BOOL TrackButtonMenu(int nIndex, BOOL bSelectFirst = FALSE, BOOL bPost = TRUE,
                                 BOOL bNoAnimation = FALSE);
    virtual void RecalcButtonLayout();
    virtual void AdjustInsideRect(RECT& rc, BOOL bHorz) const;
    virtual CSize CalcLayoutSize(DWORD dwMode, int nLength);
    virtual CSize MeasureButtons(BOOL bVertical);
    virtual void ApplyWrapping(int nLength, BOOL bByHeight);
    virtual int FitButtonsToLength(int nLength);
    virtual int WrapButtons(int cx, int cy);
    virtual CSize GetDefaultButtonSize() const;
    virtual BOOL IsDockedMultiLine() const;
    virtual CFont* GetButtonFont(BOOL bVertical) const;
    virtual int HitTestButton(CPoint point) const;

    // Buttons
    BOOL SetButtons(const UINT* pIDs = NULL, int nCount = 0);
    BOOL LoadButtonsFromResource(UINT nToolbarResID, COLORREF clrTransparent = RGB(192, 192, 192));
    BOOL InsertButton(int nPos = -1, UINT nCmdID = 0, BOOL bRecalc = TRUE);
    BOOL RemoveButton(int nPos, BOOL bRecalc = TRUE);
    CExtBarButton* GetButton(int nIndex) const;
    int GetButtonIndex(const CExtBarButton* pTBB) const;
    int GetButtonCount() const { return (int)m_arrButtons.GetSize(); }
    UINT GetButtonID(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    UINT GetButtonStyle(int nIndex) const;
    BOOL SetButtonMenu(int nIndex, HMENU hMenu, BOOL bSubPopup = TRUE, BOOL bOwnMenu = TRUE,
                       BOOL bRecalc = TRUE);
    BOOL SetButtonAppendMdiWindowsMenu(int nIndex, BOOL bAppend = TRUE);
    void InvalidateButton(int nIndex);
    void SetTrackingButton(int nIndex);
    int GetTrackingIndex() const { return m_nTrackingIndex; }
    int GetHoverIndex() const { return m_nHoverIndex; }
    int GetPressedIndex() const { return m_nPressedIndex; }
    static void EndAllButtonTracking();
    // The context-help loop of the frame of pWnd: the command id the user points at with
    // the help cursor (a click on a toolbar, a menu command, a system command as
    // 0x1EF00 + ((id - 0xF000) >> 4)); -3 when help mode ends, the window dies, the thread
    // quits or the loop runs already.
    static int TrackHelpLoop(CWnd* pWnd);
    int FindButtonByMnemonic(TCHAR ch) const;
    int GetNextMenuButton(int nIndex, BOOL bNext, BOOL bSkipDisabled) const;
    // The layout state (0, 1, 2) of the bar now.
    int GetLayoutState() const;
    bool IsHorizontalLayout() const;
    bool IsHostedOutsideFrame() const { return m_pDockSite == NULL; }
    // The bar is a CExtMenuControlBar.
    virtual bool IsMenuBar() const { return false; }
    CExtBarContentExpandButton* GetChevron() const { return m_pExpandButton; }

    // Overrides
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    virtual void DoPaint(CDC* pDC) override;
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    virtual bool IsFullRowBar() const override;
    virtual OuterLayoutData_t* GetOuterLayoutData() override;
    virtual void SetOuterLayoutData(const OuterLayoutData_t& data) override;
    virtual void SyncOuterLayoutData() override;
    virtual CSize GetMinDockedSize() override;
    // A single-line bar with a chevron: in a full row it hides buttons instead of breaking it.
    virtual bool IsWrappable() const override;
    virtual int HelpHitTest(CPoint pt) override;

    CArray<CExtBarButton*, CExtBarButton*> m_arrButtons;
    CExtBarContentExpandButton* m_pExpandButton;
    int m_nTrackingIndex;
    int m_nPressedIndex;
    int m_nHoverIndex;
    bool m_bPanelsMenuInChevron;
    bool m_bFixedWrapping;
    bool m_bWrappedInRow;
    bool m_bInNestedLayout;
    int m_nStateAsked;          // layout state of a size asked for the other side, -1 none
    OuterLayoutData_t m_outerLayout;

protected:
    void RemoveAllButtons();
    void UpdateButtonCmdUI(int nIndex);
    bool IsCursorOverBar() const;
    // Asks for WM_MOUSELEAVE once the cursor leaves the bar.
    void TrackMouseLeave();
    // Clears the hover of a button the cursor is no longer over.
    void SyncHoverWithCursor();
    // The length a docked row gives the bar (the dock bar's room); 0 when unknown.
    int AvailableDockedLength(bool bHorz) const;
    // The whole size of a docked bar laid out in the other orientation (layout state
    // nState), as a bar about to change sides needs it; nothing of the bar changes.
    CSize CalcSizeOnOtherSide(int nState);

private:
    // The steps of RecalcButtonLayout, in their order, over the state they share.
    struct ButtonLayout_t;
    void PlaceExpandButton(CDC& dc, const CSize& sizeDefault, bool bFloatLike,
                           ButtonLayout_t& lay);
    void MeasureLayoutButtons(CDC& dc, const CSize& sizeDefault, ButtonLayout_t& lay);
    bool PlaceButtonsAlong(ButtonLayout_t& lay);
    void TrimHiddenSeparators(ButtonLayout_t& lay);
    void PlaceButtonsAcross(int nSpacing, ButtonLayout_t& lay);
    void FillChevronList(const ButtonLayout_t& lay);

public:
    afx_msg LRESULT OnTbLButtonDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTbLButtonUp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTbLButtonDblClk(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTbMouseMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTbMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTbCancelMode(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTbCaptureChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTbSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTbWindowPosChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTbTimer(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTbRButtonUp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTrackButtonMenu(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
