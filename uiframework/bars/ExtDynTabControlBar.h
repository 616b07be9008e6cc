// ExtDynTabControlBar.h - resizable bars sharing one place as the tabs of a group.
//
// CExtDynTabControlBar is a dockable container whose inner dock bar (CExtDockDynTabBar)
// stacks every member bar on the same rectangle; its tab strip (CExtDynTabWnd) at the
// bottom chooses which member is on top (selection is a z-order change).
//
// Notes
// - Item data of the strip = the member CExtControlBar; item flag __ETWI_HIDDEN mirrors a
//   hidden member, __ETWI_DETACHED marks the tab of a member being dragged away.
// - The strip shows only with two or more visible members.
// - The strip is an OLE drop target (CExtDynTabWnd::CDynDropTarget) when the module
//   flag CExtDynTabWnd::g_bRegisterDropTarget allows and OLE is initialised: data
//   dragged over a tab selects it, so that the drag reaches that member bar.
// - The members are kept as one row of the inner dock bar; the tabs follow that row
//   (SyncTabs) whenever bars join or leave it. A group lives while it holds bars.

#pragma once

#include "ExtDockBar.h"
#include "ExtTabWnd.h"
#include "ExtTabDropTarget.h"

class CExtDynTabControlBar;

class CExtDynTabWnd : public CExtTabWnd
{
    DECLARE_DYNCREATE(CExtDynTabWnd)

public:
    // Selects the tab under dragged data.
    class CDynDropTarget : public CExtTabWndDropTarget
    {
    public:
        explicit CDynDropTarget(CExtDynTabWnd* pTabWnd) : CExtTabWndDropTarget(pTabWnd) {}
    };

    CExtDynTabWnd();

    CExtDynTabControlBar* GetGroup() const;
    void RestoreDraggedTab(CExtControlBar* pBar);

    virtual bool IsItemDragAllowed(int nIndex) override;
    virtual bool TrackItemDrag(int nIndex) override;
    virtual bool OnItemMouseClick(int nIndex, bool bPressed, int nMouseButton,
                                  UINT nFlags) override;
    virtual bool OnSelectionChange(int nOld, int nNew, bool bPreSelect) override;
    virtual CExtCmdIcon* GetItemIcon(TAB_ITEM_INFO* pItem) override;
    virtual CString GetItemText(TAB_ITEM_INFO* pItem) override;
    virtual void PaintItem(CDC& dc, int nIndex, TAB_ITEM_INFO* pItem,
                           const RECT& rcItem) override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Ctrl+Page Up / Ctrl+Page Down: TRUE when the key was consumed.
    bool HandleSwitchKey(MSG* pMsg);

    CDynDropTarget m_dropTarget;        // holds this strip
    int m_nDragStartTab;
    CExtCmdIcon m_iconCache;

    // Module flag: strips register their drop targets (when OLE is initialised).
    static bool g_bRegisterDropTarget;
};

class CExtDockDynTabBar : public CExtDockDynBar
{
    DECLARE_DYNCREATE(CExtDockDynTabBar)

public:
    CExtDockDynTabBar();

    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    virtual void LayoutInClient() override;
    virtual void RecalcContainers() override;

    CExtDynTabControlBar* GetGroup() const;
    // The member bars in the order of the dock bar's row.
    void GetMemberBars(ExtControlBarVector_t& arr) const;
    // Stacks every member bar on the whole client rectangle.
    void StackMembers(bool bRepositionChildren);
};

class CExtDynTabControlBar : public CExtDynControlBar
{
    DECLARE_DYNCREATE(CExtDynTabControlBar)

public:
    CExtDynTabControlBar();
    virtual ~CExtDynTabControlBar();

    // Overrides
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual bool QueryGripper(bool* pbHorizontalCaption, bool* pbHasCaption) override;
    virtual void RepositionChildWindow(int cx = -1, int cy = -1, bool bRedraw = true) override;
    virtual CExtControlBar* GetTabbedContainer() override;
    virtual void GetBarCaptionText(CString& strText) override;
    virtual int CalcMinWidth() override;
    virtual int CalcMinHeight() override;
    virtual CExtDockDynBar* OnCreateDynamicDockBarObject() override;

    // Group operations
    void InsertBar(CExtControlBar* pBar, int nIndex, bool bUpdate, bool bDetached = false);
    bool DockBarIntoGroup(CExtControlBar* pBar, int nIndex, bool bUpdate);
    void OnMemberShowChanged(CExtControlBar* pBar);
    void RemoveSelectedTab();
    int CalcStripHeight();
    void SelectBarTab(CExtControlBar* pBar);
    void SelectVisibleTab(int n, bool bEnsureVisible = true, bool bUpdate = true);
    bool IsTabStripVisible() const;
    // The tabs follow the members of the inner dock bar (joined, left, shown, hidden).
    void SyncTabs(bool bUpdate);
    CExtControlBar* GetSelectedBar();
    CExtDockDynTabBar* GetTabDockBar() const;

    // What a frame receives with CExtControlBar::g_nMsgCreateTabbedBar (wParam): it may
    // put a group object of its own (allocated with new, not yet created) into m_pGroup;
    // the group code owns it from then on.
    struct CREATE_TABBED_BAR_DATA
    {
        CExtDynTabControlBar* m_pGroup;
        CExtControlBar* m_pBar;     // the bar the group is made for
    };
    // A new group object for the frame: the frame's answer, else a plain one.
    static CExtDynTabControlBar* NewGroupForFrame(CFrameWnd* pFrame, CExtControlBar* pBar);

    // A new group in pThis's place in its dock bar, pThis its first tab; NULL on failure.
    static CExtDynTabControlBar* MakeGroupAround(CExtControlBar* pThis, CFrameWnd* pSite);
    // The remaining steps of CExtControlBar::DockAsTab once the refusals passed:
    // pThis gives its place to a group holding pThis and pTarget.
    static bool DockAsTabImpl(CExtControlBar* pThis, CExtControlBar* pTarget, int nIndex,
                              CFrameWnd* pDockSite, BOOL bRecalc);
    // The drag of a member bar: remembers its tab's place; at the end the marked tabs go
    // and a cancelled drag puts the bar's tab back where it was.
    static void OnMemberDraggingStarted(CExtControlBar* pBar);
    static void OnMemberDraggingFinished(CExtControlBar* pBar,
                                         CExtControlBar::InternalDraggingState_t* pCandidate,
                                         bool bCancel);
    // Takes the bar out of its current dock bar or mini frame (the array entry only).
    static void DetachFromDockBar(CExtControlBar* pBar, CDockBar* pExceptDockBar);

    CExtDynTabWnd m_wndTabs;
    bool m_bSyncing;
};
