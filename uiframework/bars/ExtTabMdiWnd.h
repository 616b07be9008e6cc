// ExtTabMdiWnd.h - a tab strip of the MDI child windows of a frame.
//
// CExtTMWI<> turns a tab strip into the strip of a frame's MDI children: one item per
// child (item data = the child's HWND, text and icon asked from the child each time),
// the active child selected, clicks activating children. It follows the children by
// hooking the frame's MDI client. CExtTabMdiWnd is the creatable class of that kind.
//
// Notes
// - While the strip changes its own items (busy bit) the item notifications are quiet.
// - Every creation, destruction, activation or menu refresh of a child posts timer 3,
//   so the strip resynchronises after the MDI message was processed.

#pragma once

#include "ExtTabWnd.h"
#include "uiframework/foundation/ExtHookSink.h"

template <class TBase>
class CExtTMWI : public TBase, public CExtHookSink
{
public:
    enum { TIMER_SYNC = 3 };

    CExtTMWI();
    virtual ~CExtTMWI();

    // Operations added to the tab strip
    virtual HWND GetFrameHwnd();
    virtual HWND GetMdiClientHwnd();
    virtual void SyncWithMdiChildren();
    virtual void UpdateVisibilityAndLayout();
    virtual int FindItemByHwnd(HWND hWnd);
    virtual void OnPreMdiClientNcCalcSize();
    virtual void OnDrawMdiClientNcArea(CDC* pDC, const RECT& rcOuter, const RECT& rcClient);

    // Overrides of the tab strip
    virtual bool IsMdiTabWindow() const override;
    virtual BOOL Create(CWnd* pParent, const RECT& rc, UINT nID,
                        DWORD dwWindowStyle = WS_CHILD | WS_VISIBLE, DWORD dwTabStyle = 0,
                        CCreateContext* pContext = NULL) override;
    virtual void UpdateTabWndVisibility() override;
    virtual bool OnStripButtonClick(int nHitCode, bool bPressed, int nMouseButton,
                                    UINT nFlags) override;
    virtual bool OnItemMouseClick(int nIndex, bool bPressed, int nMouseButton,
                                  UINT nFlags) override;
    virtual bool OnSelectionChange(int nOld, int nNew, bool bPreSelect) override;
    virtual CExtCmdIcon* GetItemIcon(CExtTabWnd::TAB_ITEM_INFO* pItem) override;
    virtual CString GetItemText(CExtTabWnd::TAB_ITEM_INFO* pItem) override;
    virtual void OnItemInserted(int nIndex, CExtTabWnd::TAB_ITEM_INFO* pItem) override;
    virtual void OnItemRemoved(int nIndex, int nCount, bool bBeforeRemoval) override;
    virtual void OnAllItemsRemoved(bool bBefore) override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual bool OnHookWndMsg(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam,
                              LPARAM& lParam) override;

    bool IsBusy() const { return (m_nBusy & 1) != 0; }

    CExtCmdIcon m_iconCache;
    BYTE m_nBusy;
    int m_nOuterLeft, m_nOuterTop, m_nOuterRight, m_nOuterBottom;
    int m_nInnerLeft, m_nInnerTop, m_nInnerRight, m_nInnerBottom;

protected:
    bool IsDraggingItem() const { return (this->m_nDragFlags & 1) != 0; }
    void ShowContextMenu(CPoint ptScreen);
};

class CExtTabMdiWnd : public CExtTMWI<CExtTabWnd>
{
    DECLARE_DYNCREATE(CExtTabMdiWnd)
};
