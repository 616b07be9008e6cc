// ExtTabWnd.h - the framework's tab strip.
//
// CExtTabWnd shows a row (or column) of items along one edge of its client area, with
// optional previous/next, help, close and item-list buttons at the far end. It lays its
// items out itself, draws through the paint manager and reports clicks and selection
// changes through virtual operations that the MDI tabs, the tab groups and the
// auto-hide strips override.
//
// Notes
// - Item rectangles are kept in band coordinates (0 = band start, before scrolling);
//   GetItemClientRect gives the client rectangle.
// - HitTest: an item index, or -1 outside the client, -2 outside the strip, -3 on the
//   strip but on no item, -4 previous, -5 next, -6 help, -7 close, -8 item list.
// - The strip never takes the focus: it hands it to its parent.
// - UI thread only.
//
// Files
// - ExtTabWnd.cpp: the items (TAB_ITEM_INFO), construction, the simple virtual operations,
//   painting, the mouse (clicks, tips, the item list, item dragging) and the messages.
// - ExtTabWndLayout.cpp: SetSelection, EnsureItemVisible, ScrollItems, UpdateTabWnd,
//   GetStripThickness, CalcStripRect, RecalcLayout and its steps, GetItemClientRect,
//   GetButtonRect, HitTest and ItemFromScreenPoint.

#pragma once

#include "afxwin.h"
#include "afxtempl.h"
#include "afxcmn.h"

#include <functional>
#include <vector>
#include "uiframework/foundation/ExtCmdIcon.h"

class CExtTabWnd;

// Tab style bits
#define __ETWS_ORIENT_TOP               0x00000000
#define __ETWS_ORIENT_BOTTOM            0x00000001
#define __ETWS_ORIENT_LEFT              0x00000002
#define __ETWS_ORIENT_RIGHT             0x00000003
#define __ETWS_ORIENT_MASK              0x00000003
#define __ETWS_EQUAL_WIDTHS             0x00000004
#define __ETWS_SHOW_BTN_HELP            0x00000008
#define __ETWS_SHOW_BTN_CLOSE           0x00000010
#define __ETWS_INVERT_VERT_FONT         0x00000020
#define __ETWS_BOLD_SELECTION           0x00000040
#define __ETWS_GROUPED                  0x00000080
#define __ETWS_ENABLED_BTN_HELP         0x00000100
#define __ETWS_ENABLED_BTN_CLOSE        0x00000200
#define __ETWS_ENABLED_BTN_UP           0x00000400
#define __ETWS_ENABLED_BTN_DOWN         0x00000800
#define __ETWS_CENTERED_TEXT            0x00001000
#define __ETWS_FULL_WIDTH               0x00002000
#define __ETWS_AUTOHIDE_SCROLL          0x00004000
#define __ETWS_HOVER_FOCUS              0x00008000
#define __ETWS_SCROLL_BY_PAGE           0x00010000
#define __ETWS_SHOW_BTN_TAB_LIST        0x00080000
#define __ETWS_ENABLED_BTN_TAB_LIST     0x00100000
#define __ETWS_GROUPED_EXPAND_ITEMS     0x00200000
#define __ETWS_ITEM_DRAGGING            0x00400000
#define __ETWS_NO_OUTER_MARGIN          0x80000000

// Item flags
#define __ETWI_HIDDEN                   0x00000001
#define __ETWI_GROUP_START              0x00000002
#define __ETWI_SELECTED                 0x00000004
#define __ETWI_IN_GROUP_ACTIVE          0x00000008
#define __ETWI_DETACHED                 0x80000000

class CExtTabWnd : public CWnd, public CExtMouseCaptureSink
{
    DECLARE_DYNCREATE(CExtTabWnd)

public:
    enum e_HitCode_t
    {
        HT_NOWHERE = -1,
        HT_CLIENT = -2,
        HT_STRIP = -3,
        HT_BTN_PREV = -4,
        HT_BTN_NEXT = -5,
        HT_BTN_HELP = -6,
        HT_BTN_CLOSE = -7,
        HT_BTN_LIST = -8,
    };
    enum { TIMER_SCROLL = 1, TIMER_HOVER = 2, GROUP_GAP = 20 };

    class TAB_ITEM_INFO : public CObject
    {
    public:
        TAB_ITEM_INFO(CExtTabWnd* pOwner, LPCTSTR sText, HICON hIcon, bool bCopyIcon,
                      DWORD dwFlags, LPARAM lParam);
        virtual ~TAB_ITEM_INFO();

        // Returns the old flags; keeps the owner's visible count and the group's
        // shown item in step.
        DWORD ModifyFlags(DWORD dwRemove, DWORD dwAdd);
        CSize Measure(CDC* pDC = NULL);
        bool IsVisible() const { return (m_dwFlags & __ETWI_HIDDEN) == 0; }
        bool IsSelected() const { return (m_dwFlags & __ETWI_SELECTED) != 0; }
        bool IsGroupStart() const { return (m_dwFlags & __ETWI_GROUP_START) != 0; }
        bool IsInGroupActive() const { return (m_dwFlags & __ETWI_IN_GROUP_ACTIVE) != 0; }
        bool IsDetached() const { return (m_dwFlags & __ETWI_DETACHED) != 0; }

        CExtTabWnd* m_pOwner;
        DWORD m_dwFlags;
        CString m_sText;
        CExtCmdIcon m_icon;
        CSize m_size;
        CSize m_sizeText;
        CSize m_sizeIcon;
        CRect m_rc;                     // band coordinates
        LPARAM m_lParam;
        BYTE m_nItemFlags;              // bit 0: shortened
        TAB_ITEM_INFO* m_pPrev;
        TAB_ITEM_INFO* m_pNext;
    };

    CExtTabWnd();
    virtual ~CExtTabWnd();

    /////////////////////////////////////////////////////////////////////////
    // Virtual operations

    virtual bool IsMdiTabWindow() const;
    virtual CFont* GetTabFont(bool bSelected, int nOrientation = -1);
    virtual BOOL Create(CWnd* pParent, const RECT& rc, UINT nID,
                        DWORD dwWindowStyle = WS_CHILD | WS_VISIBLE, DWORD dwTabStyle = 0,
                        CCreateContext* pContext = NULL);
    virtual void MoveItem(int nFrom, int nTo);
    virtual void UpdateTabWndVisibility();
    virtual bool OnTabItemClick(int nMouseButton, int nHitCode);
    virtual void CancelTracking(bool bReleaseCapture);
    virtual void UpdateButtonTips(int nHitCode);
    virtual void ResetHoverItem(bool bReleaseCapture);
    virtual bool IsTabWndOptionEnabled() const;
    virtual bool IsItemDragAllowed(int nIndex);
    virtual bool TrackItemDrag(int nIndex);
    virtual bool OnStripButtonClick(int nHitCode, bool bPressed, int nMouseButton, UINT nFlags);
    virtual bool OnItemMouseClick(int nIndex, bool bPressed, int nMouseButton, UINT nFlags);
    virtual bool OnSelectionChange(int nOld, int nNew, bool bPreSelect);
    virtual CExtCmdIcon* GetItemIcon(TAB_ITEM_INFO* pItem);
    virtual CString GetItemText(TAB_ITEM_INFO* pItem);
    virtual void OnItemInserted(int nIndex, TAB_ITEM_INFO* pItem);
    virtual void OnItemRemoved(int nIndex, int nCount, bool bBeforeRemoval);
    virtual void OnAllItemsRemoved(bool bBefore);
    virtual void GetItemMargins(int& nBefore, int& nAfter, int& nOuter);
    virtual void PaintItems(CDC& dc, const RECT& rcClient);
    virtual void PaintStripBackground(CDC& dc, const RECT& rcClient);
    virtual void OnItemMeasured(TAB_ITEM_INFO* pItem, CDC* pDC, CSize& size);
    virtual void PaintItem(CDC& dc, int nIndex, TAB_ITEM_INFO* pItem, const RECT& rcItem);
    virtual void PaintStripButton(CDC& dc, int nHitCode, const RECT& rc, bool bEnabled,
                                  bool bPushed, bool bHover);
    virtual CSize GetButtonSize();
    virtual void ScrollItems(int nStep, bool bSmooth);
    virtual bool IsTooltipsEnabled() const;
    virtual bool OnQueryItemMove(int nFrom, int nTo);
    virtual void OnItemMoved(int nFrom, int nTo);

    /////////////////////////////////////////////////////////////////////////
    // Overrides

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void PreSubclassWindow() override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    /////////////////////////////////////////////////////////////////////////
    // Operations

    static bool RegisterTabWndClass();

    TAB_ITEM_INFO* InsertItem(LPCTSTR sText, HICON hIcon = NULL, bool bCopyIcon = true,
                              DWORD dwFlags = 0, int nIndex = -1, LPARAM lParam = 0,
                              bool bUpdate = false);
    int RemoveItems(int nIndex, int nCount = 1, bool bUpdate = false);
    void RemoveAllItems(bool bUpdate = false);
    int SetSelection(int nIndex, bool bEnsureVisible = false, bool bUpdate = false);
    bool EnsureItemVisible(int nIndex, bool bUpdate = false);
    int HitTest(CPoint ptClient);
    int ItemFromScreenPoint(CPoint ptScreen);
    int FindItemByData(LPARAM lParam, int nStartAfter = -1, bool bSkipHidden = false,
                       bool bSkipVisible = false);
    int FindItemByFlags(DWORD dwMustHave, DWORD dwMustNotHave, int nStartAfter = -1);
    int GetItemIndex(const TAB_ITEM_INFO* pItem) const;
    void GetGroupRange(int nIndex, int& nFirst, int& nLast);
    void UpdateTabWnd(bool bUpdate = false);
    CRect CalcStripRect(const RECT& rcArea);
    bool MoveItemIfAllowed(int nFrom, int nTo, bool bUpdate = false);
    void RemoveDetachedItems(bool bUpdate = false);
    LPARAM GetItemData(int nIndex, bool bNullIfDetached = false);
    TAB_ITEM_INFO* GetItem(int nIndex) const;
    int GetItemCount() const { return (int)m_arrItems.GetSize(); }
    int GetVisibleItemCount() const { return m_nVisibleCount; }
    int GetSelection() const { return m_nSelIndex; }
    DWORD GetTabStyle() const { return m_dwTabStyle; }
    DWORD ModifyTabStyle(DWORD dwRemove, DWORD dwAdd, bool bUpdate = false);
    int GetOrientation() const { return (int)(m_dwTabStyle & __ETWS_ORIENT_MASK); }
    bool IsHorizontal() const { return GetOrientation() < 2; }
    void RecalcLayout();
    CRect GetItemClientRect(int nIndex) const;
    CRect GetBandRect() const { return m_rcBand; }
    CRect GetButtonRect(int nHitCode) const;
    int GetScrollPos() const { return m_nScrollPos; }
    int GetScrollRange() const { return m_nScrollRange; }
    int GetFirstVisible() const { return m_nFirstVisible; }
    int GetLastVisible() const { return m_nLastVisible; }
    int GetHoverIndex() const { return m_nHoverIndex; }
    int GetStripThickness() const;
    void SetLayoutOverride(const RECT* pRect);

    /////////////////////////////////////////////////////////////////////////
    // Member variables

    UINT_PTR m_nPaintManagerSeen;
    CToolTipCtrl m_wndToolTip;
    BYTE m_nMdiFlags;               // bit 0: MDI tab class
    DWORD m_dwTabStyle;
    int m_nSelIndex;
    int m_nFirstVisible;
    int m_nLastVisible;
    int m_nHoverSelectIndex;
    int m_nHoverIndex;
    int m_nVisibleCount;
    int m_nBandTotal;
    int m_nScrollPos;
    int m_nScrollRange;
    int m_nSmoothScroll;
    int m_nThickness;
    CRect m_rcBand, m_rcRest, m_rcBtnPrev, m_rcBtnNext, m_rcBtnHelp, m_rcBtnClose, m_rcBtnList;
    CArray<TAB_ITEM_INFO*, TAB_ITEM_INFO*> m_arrItems;
    BYTE m_nState;                  // see the bits below
    BYTE m_nState2;                 // bit 0 help, bit 1 close, bit 2 list pressed
    int m_nTrackHitCode;
    int m_nTrackButton;
    CRect m_rcOverride;
    CPoint m_ptPress;
    CRect m_rcDragOver;
    BYTE m_nDragFlags;              // bit 0: an item is dragged

    enum
    {
        STATE_SIZEPARENT = 0x01, STATE_CREATED = 0x02, STATE_DIRTY = 0x04,
        STATE_TRACKING = 0x08, STATE_HOVER = 0x10, STATE_SHORTENED = 0x20,
        STATE_PREV_PRESSED = 0x40, STATE_NEXT_PRESSED = 0x80,
    };

    // For items that stand for windows (the item data): the frame's command icon for the
    // window's id, else the item's own icon.
    CExtCmdIcon* WindowItemIcon(TAB_ITEM_INFO* pItem, CFrameWnd* pFrame);
    // Ctrl+Page Down (bForward) or Ctrl+Page Up, Shift and Alt up: the keys that switch
    // between the items of derived strips.
    static bool IsSwitchKey(const MSG* pMsg, bool& bForward);
    // The next item after nFrom in that direction (wrapping, nFrom itself left out) that
    // is visible, not detached and accepted; -1 when none.
    int FindNextItem(int nFrom, bool bForward,
                     const std::function<bool(TAB_ITEM_INFO*)>& accept) const;

protected:
    void HandleMouseButton(UINT message, CPoint pt, UINT nFlags);
    void HandleMouseMove(CPoint pt, UINT nFlags);
    void TrackItemList();
    void OnPaintMsg();
    LRESULT OnSizeParentMsg(LPARAM lParam);
    bool InitToolTips();
    void AddTipRect(const CRect& rc, const CString& sText);

private:
    // The steps of RecalcLayout, in their order.
    int MeasureItemExtents(CDC& dc, std::vector<int>& extents, int& nCross);
    int CalcButtonsRoom(int nBtn, bool bEqual) const;
    CRect PlaceStripAndBand(const CRect& rcLayout, int nBefore, int nAfter, int nOuter,
                            int nReserved);
    void EqualizeItemExtents(std::vector<int>& extents, int nBand);
    void PlaceStripButtons(const CRect& rcStrip, int nAfter, const CSize& sizeBtn, bool bEqual);
    void PlaceItems(const std::vector<int>& extents, int nBand, bool bGrouped);
};
