// ExtMenuControlBar.h - the menu bar: a frame's menu as a dockable bar of top-level menu
// buttons with keyboard access and the buttons of a maximised MDI child.
//
// Notes
// - The bar watches the frame, the frame's top-level parent, the MDI client and the
//   active MDI child through CExtHookSink.
// - Menus: m_menuDefault is the frame's own menu taken at creation (borrowed when the
//   frame keeps it as its default menu and destroys it, owned when only the frame's window
//   held it) or a menu loaded by LoadMenuBar (owned); m_menuMdiSet is the menu that the
//   MDI client was given last (borrowed from the document template). The bar destroys only
//   owned menus and detaches the others.
// - Keyboard mode: one top-level button is highlighted, the arrows move the highlight,
//   Enter, Up and Down open its menu, Escape leaves the mode.
// - UI thread only.
//
// Files
// - ExtMenuControlBar.cpp: the menus and the buttons built from them, keeping the MDI buttons
//   in step (SyncMdiButtons, GetActiveMdiChildInfo, CheckActiveMdiChild), the layout, the
//   frame, client and child hooks, and WindowProc.
// - ExtMenuControlBarMdiButtons.cpp: CExtBarMdiDocButton and CExtBarMdiRightButton.
// - ExtMenuControlBarTracking.cpp: TrackButtonMenu, the system menus (TrackSystemMenu,
//   TrackFrameSystemMenu, TrackMdiChildSystemMenu), MoveMenu, keyboard mode (Enter/Leave,
//   SyncKeyboardSelection) and the keys (PreTranslateFrameMessage and its
//   key handlers).

#pragma once

#include "ExtToolControlBar.h"
#include "uiframework/foundation/ExtHookSink.h"
#include "uiframework/foundation/ExtCmdIcon.h"

class CExtMenuControlBar;

// The active maximised child's system-menu button (index 0 of the menu bar).
class CExtBarMdiDocButton : public CExtBarButton
{
    DECLARE_DYNCREATE(CExtBarMdiDocButton)

public:
    explicit CExtBarMdiDocButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0,
                                 HWND hWndChild = NULL);

    virtual void SetStyle(UINT nStyle) override;
    virtual CExtCmdIcon* GetIcon() override;
    virtual CSize CalcSize(CDC& dc, CSize sizeDefault, BOOL bHorz) override;
    virtual void Paint(CDC& dc, BOOL bHorz) override;
    virtual int TrackButtonPopup(CPoint point, BOOL bSelectFirst, BOOL bNoAnimation) override;
    virtual BOOL PutToPopupMenu(CExtPopupMenuWnd* pPopup) override;
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler, int nIndex) override;
    virtual void GetDisplayText(CString& strText) const override;
    virtual BOOL IsMenuButton(BOOL bIncludeChevron = TRUE) const override;
    virtual void OnClick(CPoint point, BOOL bDown) override;

    void SetChild(HWND hWndChild);

    HWND m_hWndActiveMdiChild;
    CExtCmdIcon m_icon;
};

// The caption buttons (help, minimise, restore, close) of the active maximised child.
class CExtBarMdiRightButton : public CExtBarMdiDocButton
{
    DECLARE_DYNCREATE(CExtBarMdiRightButton)

public:
    explicit CExtBarMdiRightButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0,
                                   HWND hWndChild = NULL);

    virtual CSize CalcSize(CDC& dc, CSize sizeDefault, BOOL bHorz) override;
    virtual void Paint(CDC& dc, BOOL bHorz) override;
    virtual void OnClick(CPoint point, BOOL bDown) override;
    virtual int TrackButtonPopup(CPoint point, BOOL bSelectFirst, BOOL bNoAnimation) override;
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) override;
    virtual int OnHelpHitTest(CPoint point) override;
    virtual BOOL PutToPopupMenu(CExtPopupMenuWnd* pPopup) override;
    virtual BOOL IsMenuButton(BOOL bIncludeChevron = TRUE) const override;
    virtual CExtCmdIcon* GetIcon() override { return NULL; }

    // The system command of the glyph under the client point, 0 for none.
    UINT HitTestGlyph(CPoint point);
};

class CExtMenuControlBar : public CExtToolControlBar, public CExtHookSink
{
    DECLARE_DYNCREATE(CExtMenuControlBar)

public:
    // Caption buttons of the active child.
    struct MdiButtonsInfo_t
    {
        bool m_bValid, m_bClose, m_bMax, m_bMin, m_bHelp;
        int m_cxButton, m_cyButton;
        CSize m_size;
        CRect m_rcHelp, m_rcMin, m_rcRestore, m_rcMax, m_rcClose;    // in the bar
        HWND m_hWndChild;
        MdiButtonsInfo_t();
    };

    enum e_MenuBarFlags_t
    {
        MBF_MDI = 0x01,
        MBF_MULTILINE = 0x02,
        MBF_CHECK_POSTED = 0x04,
        MBF_REBUILD_POSTED = 0x08,
        MBF_KEYBOARD_NO_ANIMATION = 0x10,
        MBF_FRAME_SYSMENU = 0x20,
        MBF_CHILD_SYSMENU = 0x40,
    };

    enum
    {
        ID_TIMER_CHECK_CHILD = 13,
        ID_TIMER_REBUILD = 14,
        ID_TIMER_FIND_CLIENT = 15,
    };

    CExtMenuControlBar();
    virtual ~CExtMenuControlBar();

    static BOOL g_bIgnoreAltUp;

    // Own virtual operations
    virtual BOOL GetActiveMdiChildInfo(MdiButtonsInfo_t& info, CExtBarButton* pTBB, BOOL bHorz);
    virtual void SyncKeyboardSelection(BOOL bRedraw);
    virtual BOOL IsMdiMode() const;
    virtual BOOL RebuildMenuButtons(BOOL bRecalc = TRUE);
    virtual CMenu* GetCurrentMenu();
    virtual HWND GetActiveMdiChild(BOOL* pbMaximized = NULL);
    virtual BOOL SyncMdiButtons(BOOL bRecalc);
    virtual void CheckActiveMdiChild();
    virtual BOOL TrackSystemMenu(CWnd* pWnd, POINT* pt, BOOL bSelectFirst, RECT* pExclude,
                                 int nAlign, BOOL bPaintButton);
    virtual void HookMdiClient(HWND hWndMdiClient);
    virtual void PostActiveChildCheck();
    virtual void PostRebuildMenuButtons();
    virtual void SetMdiWindowPopupName(LPCTSTR lpszName);
    virtual BOOL LoadMenuBar(UINT nMenuResID);
    virtual BOOL PreTranslateFrameMessage(MSG* pMsg);
    virtual BOOL TrackFrameSystemMenu(POINT* pt, BOOL bSelectFirst);
    virtual BOOL TrackMdiChildSystemMenu(POINT* pt, BOOL bSelectFirst);
    virtual void CaptureFrameMenu();
    virtual BOOL IsMdiButtonsEnabled() const;

    // Overrides
    virtual bool IsMenuBar() const override { return true; }
    virtual CSize GetDefaultButtonSize() const override;
    virtual BOOL IsDockedMultiLine() const override;
    virtual bool IsFullRowBar() const override;
    virtual bool IsDynamicDockingAllowed() const override;
    virtual BOOL TrackButtonMenu(int nIndex, BOOL bSelectFirst = FALSE, BOOL bPost = TRUE,
                                 BOOL bNoAnimation = FALSE) override;
    virtual void RecalcButtonLayout() override;
    virtual CSize CalcLayoutSize(DWORD dwMode, int nLength) override;
    virtual void DelayFrameRecalcLayout() override;
    virtual void OnDraggingStarted() override;
    virtual void OnDraggingFinished(InternalDraggingState_t* pCurrent,
                                    InternalDraggingState_t* pCandidate, BOOL bCancel) override;
    virtual bool OnHookWndMsg(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam,
                              LPARAM& lParam) override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Keyboard mode
    bool IsKeyboardMode() const { return m_bKeyboardMode; }
    int GetKeyboardIndex() const { return m_nKeyboardIndex; }
    void EnterKeyboardMode(int nIndex);
    void LeaveKeyboardMode(bool bRedraw = true);
    bool IsSystemMenuTracking() const { return m_bSystemMenuTracking; }
    // 1: the frame's system menu is tracked, 2: the MDI child's, 0: none.
    int GetSystemMenuKind() const { return m_bSystemMenuTracking ? m_nSystemMenuKind : 0; }
    bool IsHostedOutside() const { return m_bHostedOutside; }
    HWND GetMdiClient() const { return m_hWndMdiClient; }
    bool IsDefaultMenuOwned() const { return m_bDefaultMenuOwned; }

    CMenu m_menuDefault;
    CMenu m_menuMdiSet;
    CString m_strMdiWindowPopupName;
    UINT m_nMdiButtonsCmdID;
    HWND m_hWndHooked;
    bool m_bKeyboardMode;
    bool m_bSystemMenuTracking;
    int m_nKeyboardIndex;
    int m_nKeyboardHighlight;
    DWORD m_dwMenuBarFlags;

protected:
    bool m_bDefaultMenuOwned;
    bool m_bHostedOutside;
    bool m_bFrameDestroying;
    int m_nSystemMenuKind;
    HWND m_hWndMdiClient;
    HWND m_hWndFrameHooked;
    HWND m_hWndTopHooked;

    CFrameWnd* GetHostFrame() const;
    void ReleaseMenus();
    bool FindMdiClient();
    void OnCreateMenuBar();
    void OnDestroyMenuBar();
    void MoveMenu(bool bNext);
    bool OnFrameHookMsg(LRESULT& lResult, UINT nMessage, WPARAM wParam, LPARAM lParam);
    bool OnClientHookMsg(LRESULT& lResult, UINT nMessage, WPARAM wParam, LPARAM lParam);
    bool OnChildHookMsg(LRESULT& lResult, UINT nMessage, WPARAM wParam, LPARAM lParam);
    void OnTrackButtonMenuMsg(WPARAM wParam, LPARAM lParam);
    int FindMdiButton(CRuntimeClass* pClass) const;
    // The button Alt and F10 highlight: the first menu, after a maximised document's icon.
    int GetFirstMenuIndex() const;

private:
    // The key handlers of PreTranslateFrameMessage, one per kind of key.
    struct FrameKey_t;
    BOOL PreTranslateFrameKey(const FrameKey_t& key);
    BOOL OnFrameAltKey(const FrameKey_t& key);
    BOOL OnFrameF10Key(const FrameKey_t& key);
    BOOL OnFrameSystemMenuKey(const FrameKey_t& key);
    BOOL OnFrameMnemonicKey(const FrameKey_t& key);
    BOOL OnKeyboardModeKey(const FrameKey_t& key);
};
