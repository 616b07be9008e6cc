// ExtPopupMenuWnd.h - the framework's owner-drawn popup menu.
//
// Declares CExtPopupMenuWnd with its nested records (MENUITEMDATA, TrackingSite_t,
// ItemCoveringNotification_t, VisibleItemDefinition_t, ExpandEffectRects_t, the records of
// the registered messages, BarLinks_t), its in-place edit CExtPopupMenuWnd::CInPlaceEditWnd
// and its command-update object CExtPopupMenuWnd::CExtPopupMenuCmdUI, and the one tracking
// site g_TrackingSite.
//
// The class is split over several files:
// - ExtPopupMenuWnd.cpp: items, filling from menus, item operations (and the command-UI
//   object);
// - ExtPopupMenuWndTracking.cpp: the tracking site, hooks and StartTracking;
// - ExtPopupMenuWndInput.cpp: keyboard and mouse input of a tracked popup;
// - ExtPopupMenuWndLayout.cpp: measuring, layout, window creation, painting and frames;
// - ExtPopupMenuWndEdit.cpp: the in-place edit of items;
// - ExtPopupSupport.cpp: small shared routines.
//
// Notes
// - Callers create popups with new, fill them and call StartTracking. A popup that tracks
//   deletes itself when its tracking ends; when StartTracking answers FALSE the caller still
//   owns the popup and deletes it.
// - A root popup owns its sub-popups through its items; a popup given to InsertSubMenu
//   becomes owned the same way.
// - While a tracking runs, thread hooks (WH_MOUSE, WH_KEYBOARD) of the tracking thread pass
//   all input to the site's hook target; the popup windows never take the focus.
// - A popup never disappears under its own feet: while one of its operations runs (a
//   message, a hook call, a modal tracking), a deletion of the popup is deferred until that
//   operation has returned. Code that may have closed the popup checks GetSafeHwnd() before
//   it continues.
// - Questions that only the bars can answer go through g_BarLinks, which the bars fill when
//   they start; NULL entries give the neutral answers noted there.
// - UI thread only.

#pragma once

#include "afxwin.h"
#include "afxtempl.h"
#include "ExtStatics.h"
#include "ExtPopupBaseWnd.h"
#include "ExtPopupMenuTipWnd.h"
#include "ExtCmdIcon.h"

class CExtCmdItem;
class CExtCmdManager;
class CExtBarButton;

// CExtPopupMenuWnd is a popup menu drawn by the paint manager.
class CExtPopupMenuWnd : public CExtPopupBaseWnd, public CExtPopupMenuWndMessages
{
    DECLARE_DYNCREATE(CExtPopupMenuWnd)

public:
    class CInPlaceEditWnd;
    class CExtPopupMenuCmdUI;
    class MENUITEMDATA;
    struct TrackingSite_t;

    /////////////////////////////////////////////////////////////////////////
    // Constants

    // Track flags (StartTracking)
    enum e_TrackFlags_t
    {
        TPMX_ALIGN_MASK = 0x000F,
        TPMX_NO_ALIGN = 0,
        TPMX_RIGHTALIGN = 1,            // right of the exclude rectangle
        TPMX_CENTERALIGN = 2,           // centred on x
        TPMX_LEFTALIGN = 3,             // left of the exclude rectangle
        TPMX_BOTTOMALIGN = 4,           // below the exclude rectangle
        TPMX_VCENTERALIGN = 5,          // centred on y
        TPMX_TOPALIGN = 6,              // above the exclude rectangle
        TPMX_COMBINE_MASK = 0x0030,
        TPMX_COMBINE_ANY_SUITABLE = 0x0010, // join the popup to the exclude rectangle
        TPMX_COMBINE_DEFAULT = 0x0020,  // join it when the paint manager is flat
        TPMX_SELECTANY = 0x0040,        // select the first selectable item
        TPMX_DO_MESSAGE_LOOP = 0x0080,  // modal
        TPMX_NO_HIDE_RARELY = 0x0100,   // show all items
        TPMX_NO_WM_COMMAND = 0x0200,    // result only
        TPMX_NO_CMD_UI = 0x0400,        // no command-UI update of a top-level popup
        TPMX_OWNERDRAW_FIXED = 0x0800,  // items drawn by the receiver
        TPMX_NO_SHADOWS = 0x1000,
        TPMX_HELP_CTX_MODE = 0x2000,    // context-help tracking
        TPMX_CONTINUED_TRACKING = 0x4000, // joins a tracking that another popup owns
        TPMX_FORCE_NO_ANIMATION = 0x8000,
        TPMX_SUBMENU_INHERITED = 0x1600, // what a sub-menu takes from its parent
    };

    // Popup state bits
    enum e_State_t
    {
        STATE_TOP_LEVEL = 0x01,         // root of a menu tree; owns its sub-popups
        STATE_SCROLLING = 0x02,         // taller than the work area, scroll areas shown
        STATE_HAS_HIDDEN = 0x04,        // an expand button is shown
        STATE_EXPANDED = 0x08,          // hidden items shown
        STATE_KEPT_BY_RESET = 0xF0,
    };

    // Item flags (MENUITEMDATA::m_wFlags)
    enum e_ItemFlags_t
    {
        ITEM_SELECTED = 0x0001,
        ITEM_DISPLAYED = 0x0002,
        ITEM_FORCE_DISPLAYED = 0x0004,
        ITEM_CHILD_COMBINE = 0x0008,    // join the sub-menu to this item
        ITEM_BUTTON_STYLE = 0x0010,
        ITEM_FORCE_ENABLED = 0x0020,
        ITEM_CHECK = 0x0080,
        ITEM_RADIO = 0x0100,
        ITEM_ENABLED = 0x0200,
        ITEM_INDETERMINATE = 0x0400,
        ITEM_CLICK_PRESSED = 0x0800,
        ITEM_OWN_ICON = 0x1000,         // icon and command from the item only
    };

    // Special command ids and indexes
    enum
    {
        // ID_SEPARATOR (0, afxres.h): a separator item
        ID_POPUP = 0xFFFFFFFF,          // -1: a sub-menu item
        IDX_NOTHING = -1,
        IDX_SCROLL_TOP = -2,
        IDX_SCROLL_BOTTOM = -3,
        IDX_EXPAND = -4,
    };

    // Connection sides of a joined popup (its edge that touches the exclude rectangle)
    enum e_CombineAlign_t
    {
        COMBINE_NONE = 0,
        COMBINE_TOP = 1,                // the popup lies below the exclude rectangle
        COMBINE_BOTTOM = 2,             // above it
        COMBINE_RIGHT = 3,              // left of it
        COMBINE_LEFT = 4,               // right of it
    };

    // Timers of the popup menu
    enum e_MenuTimer_t
    {
        ID_TIMER_DELAYED_OPEN = 667,    // 500 ms
        ID_TIMER_SCROLLING = 668,       // 15 ms
        ID_TIMER_EXPAND_HOVER = 670,    // 30 ms
        ID_PERIOD_DELAYED_OPEN = 500,
        ID_PERIOD_SCROLLING = 15,
        ID_PERIOD_EXPAND_HOVER = 30,
    };

    // Direction of FindNextSelectableItem
    enum { FIND_CURRENT = 1, FIND_NEXT = 2, FIND_PREV = 3 };

    /////////////////////////////////////////////////////////////////////////
    // Callbacks

    // Called before an item's command ends the menu; TRUE: handled, the menu stays open.
    typedef bool (*pCbItemCommand)(CExtPopupMenuWnd* pPopup, MENUITEMDATA* pItemData);
    // Makes the item a stay-open item; a click or Enter calls it.
    typedef void (*pCbItemClick)(CExtPopupMenuWnd* pPopup, MENUITEMDATA* pItemData);
    // In-place edit: accept the change from the old to the new text.
    typedef bool (*pCbVerifyTextInput)(CInPlaceEditWnd& edit, LPVOID pCookie, LPCTSTR sTextOld,
                                       LPCTSTR sTextNew);
    // In-place edit: the committed text.
    typedef void (*pCbPutTextInputResult)(CInPlaceEditWnd& edit, LPVOID pCookie,
                                          LPCTSTR sTextNew);
    // In-place edit: sees every message first; TRUE ends the processing with lResult.
    typedef bool (*pCbInplaceEditWndProc)(LRESULT& lResult, UINT message, WPARAM wParam,
                                          LPARAM lParam, CEdit& wndEdit, LPVOID pCookie);

    /////////////////////////////////////////////////////////////////////////
    // Records of the registered messages

    // wParam of g_nMsgPrepareMenu.
    struct MsgPrepareMenuData_t
    {
        bool m_bMenuChanged : 1;        // bit 0: update the command states again
        bool m_bMenuCanceled : 1;       // bit 1: do not open
        CExtPopupMenuWnd* m_pPopup;

        explicit MsgPrepareMenuData_t(CExtPopupMenuWnd* pPopup)
            : m_bMenuChanged(false), m_bMenuCanceled(false), m_pPopup(pPopup) {}
    };

    // lParam of g_nMsgPopupDrawItem.
    struct DRAWITEMDATA
    {
        enum
        {
            DIF_OWNERDRAW = 0x01,
            DIF_POPUP = 0x02,
            DIF_RARELY_USED = 0x04,
            DIF_RARELY_USED_PREV = 0x08,
            DIF_RARELY_USED_NEXT = 0x10,
        };

        CDC* m_pDC;
        const MENUITEMDATA* m_pItemData;
        CRect m_rcItem;                 // without insets
        CRect m_rcItemWithIndents;      // with insets
        CExtPopupMenuWnd* m_pPopup;
        UINT m_nDrawFlags;              // DIF_* bits

        DRAWITEMDATA(CDC* pDC, const MENUITEMDATA* pItemData, const RECT& rcItem,
                     const RECT& rcItemWithIndents, CExtPopupMenuWnd* pPopup, UINT nDrawFlags)
            : m_pDC(pDC), m_pItemData(pItemData), m_rcItem(rcItem),
              m_rcItemWithIndents(rcItemWithIndents), m_pPopup(pPopup),
              m_nDrawFlags(nDrawFlags) {}
        // The popup's default drawing of the item.
        void PaintDefault();
    };

    // lParam of g_nMsgPopupDrawLeftArea.
    struct DRAWLEFTAREADATA
    {
        CDC* m_pDC;
        CRect m_rcLeftArea;
        CExtPopupBaseWnd* m_pPopup;

        DRAWLEFTAREADATA(CDC* pDC, const RECT& rcLeftArea, CExtPopupBaseWnd* pPopup)
            : m_pDC(pDC), m_rcLeftArea(rcLeftArea), m_pPopup(pPopup) {}
    };

    // wParam of g_nMsgCreateInplaceEdit; the receiver may store a window in m_pWndEdit.
    struct INPLACEEDITREQUEST
    {
        CExtPopupMenuWnd* m_pPopup;
        MENUITEMDATA* m_pItemData;
        CString* m_pStrValue;
        pCbVerifyTextInput m_pCbVerifyTextInput;
        pCbPutTextInputResult m_pCbPutTextInputResult;
        pCbInplaceEditWndProc m_pCbInplaceEditWndProc;
        LPVOID m_pCbCookie;
        CRect m_rcEdit;                 // client coordinates of the popup
        CWnd* m_pWndEdit;               // answer of the receiver, NULL: the popup makes one
    };

    // Sent with g_nMsgItemCoveringNotification.
    struct ItemCoveringNotification_t
    {
        enum e_Kind_t
        {
            ICN_ITEM_LEAVE = 0,         // the selection is removed from the item
            ICN_ITEM_ENTER = 1,         // the item becomes selected
            ICN_ITEM_DELAYED_OPEN = 2,  // a delayed open is armed
        };

        CExtPopupMenuWnd* m_pPopup;     // NULL for a bar button
        CExtBarButton* m_pTBB;          // the hovered bar button or NULL
        int m_eKind;
        int m_nItemIndex;
        bool m_bOpen;                   // ICN_ITEM_ENTER: the item opens its sub-menu
        bool m_bSelectFirst;            // ICN_ITEM_ENTER: the sub-menu selects its first item

        ItemCoveringNotification_t(CExtPopupMenuWnd* pPopup, CExtBarButton* pTBB, int eKind,
                                   int nItemIndex, bool bOpen = false,
                                   bool bSelectFirst = false);
        // Sends the notification to the popup's receiver (not while its notifications are
        // suppressed) or to the bar button's window; answers the reply.
        LRESULT Notify();
    };

    // One drawn item of a paint.
    struct VisibleItemDefinition_t
    {
        enum
        {
            VIF_RARELY_USED = 0x01,
            VIF_RARELY_USED_PREV = 0x02,
            VIF_RARELY_USED_NEXT = 0x04,
            VIF_SEPARATOR = 0x08,
            VIF_POPUP = 0x10,
        };

        int m_nIndex;
        UINT m_nFlags;                  // VIF_* bits
        UINT m_nCmdID;
        CRect m_rcItemWithIndents;
        CRect m_rcItem;                 // without insets; separators are drawn into it

        VisibleItemDefinition_t()
            : m_nIndex(-1), m_nFlags(0), m_nCmdID(0), m_rcItemWithIndents(0, 0, 0, 0),
              m_rcItem(0, 0, 0, 0) {}
    };
    typedef CArray<VisibleItemDefinition_t, VisibleItemDefinition_t&> visible_items_t;

    // One item of an expand-animation frame.
    struct ExpandEffectRects_t
    {
        CRect m_rcSrc;
        CRect m_rcDst;

        ExpandEffectRects_t() : m_rcSrc(0, 0, 0, 0), m_rcDst(0, 0, 0, 0) {}
        ExpandEffectRects_t(const RECT& rcSrc, const RECT& rcDst)
            : m_rcSrc(rcSrc), m_rcDst(rcDst) {}
    };
    typedef CArray<ExpandEffectRects_t, ExpandEffectRects_t&> expand_effect_rects_t;

    // Questions about bars that the bars code answers; it fills the pointers when it
    // starts. A NULL pointer gives the answer noted.
    struct BarLinks_t
    {
        // CExtToolControlBar::g_bMenuTracking; NULL: false.
        bool (*m_pfnIsMenuTracking)();
        // CExtToolControlBar::EndAllButtonTracking; NULL: nothing.
        void (*m_pfnEndAllButtonTracking)();
        // CExtControlBar::ShowCommandStatusText; NULL: WM_SETMESSAGESTRING to the window's
        // frame (the window itself when it is a frame).
        void (*m_pfnShowCommandStatusText)(CWnd* pWnd, UINT nCmdID);
        // CExtControlBar::IsFrameInHelpMode; NULL: the class library's help mode of the
        // window's frames.
        BOOL (*m_pfnIsFrameInHelpMode)(CWnd* pWnd);
        // The screen point lies over the toolbar button whose drop-down is tracked;
        // NULL: false.
        bool (*m_pfnIsPointOverTrackedButton)(POINT ptScreen);
        // The window that hears the item-covering notification of a bar button (the bar's
        // command target, else the bar's parent); NULL: none.
        HWND (*m_pfnBarButtonNotifyTarget)(CExtBarButton* pTBB);
    };
    static BarLinks_t g_BarLinks;

    /////////////////////////////////////////////////////////////////////////
    // MENUITEMDATA: one item of a popup menu (a value type).

    class MENUITEMDATA
    {
    public:
        // Edit flags
        enum { EDIT_ENABLED = 0x01, EDIT_TEMPORARY_TEXT = 0x02 };

        MENUITEMDATA();

        // Kind
        bool IsSeparator() const { return m_nCmdID == ID_SEPARATOR; }
        bool IsPopup() const { return m_nCmdID == ID_POPUP; }
        bool IsCommand() const { return !IsSeparator() && !IsPopup(); }
        bool IsInplaceEdit() const { return m_pInplaceEditStr != NULL; }
        bool IsSystemCommand() const;
        bool IsOwnIcon() const { return (m_wFlags & ITEM_OWN_ICON) != 0; }
        bool IsButtonStyle() const { return (m_wFlags & ITEM_BUTTON_STYLE) != 0; }
        bool IsDisplayed() const
            { return (m_wFlags & (ITEM_DISPLAYED | ITEM_FORCE_DISPLAYED)) != 0; }
        bool IsForceDisplayed() const { return (m_wFlags & ITEM_FORCE_DISPLAYED) != 0; }
        bool IsSelected() const { return (m_wFlags & ITEM_SELECTED) != 0; }
        bool IsEnabled() const;
        bool IsSelectable() const { return IsDisplayed() && IsEnabled(); }
        bool IsChecked() const { return (m_wFlags & ITEM_CHECK) != 0; }
        bool IsRadio() const { return (m_wFlags & ITEM_RADIO) != 0; }
        bool IsIndeterminate() const { return (m_wFlags & ITEM_INDETERMINATE) != 0; }
        bool IsRarelyUsed() const;
        // The child is a colour or control-hosting popup (chosen like a command).
        bool IsChildSpecialPopup() const;
        void SetFlag(WORD wFlag, bool bOn)
            { m_wFlags = (WORD)(bOn ? (m_wFlags | wFlag) : (m_wFlags & ~wFlag)); }

        // Texts
        const CString& GetText() const { return m_sItemText; }
        const CString& GetAccelText() const { return m_sAccelText; }
        // Splits at the first TAB into text and accelerator text and measures again.
        void SetText(LPCTSTR sText);
        void SetAccelText(LPCTSTR sAccelText);
        TCHAR GetAccelChar() const { return m_cAccelChar; }
        // Upper-cased letter after the first "&", 0 when none.
        static TCHAR ExtractMnemonic(LPCTSTR sText);

        // Command manager
        LPCTSTR GetProfileName() const;
        // The command item; NULL for separators, sub-menus and own-icon items.
        CExtCmdItem* GetCmd() const;
        // The icon drawn for the item; NULL when none.
        CExtCmdIcon* GetIconPtr();
        // Takes the accelerator text of the command item, then measures again.
        void UpdateFromCmdTree();

        // Sizes
        void MeasureItem();
        int GetMarginLeft() const { return m_nMarginLeft < 0 ? 1 : m_nMarginLeft; }
        int GetMarginTop() const { return m_nMarginTop < 0 ? 0 : m_nMarginTop; }
        int GetMarginRight() const { return m_nMarginRight < 0 ? 1 : m_nMarginRight; }
        int GetMarginBottom() const { return m_nMarginBottom < 0 ? 1 : m_nMarginBottom; }
        int GetFullWidth() const { return GetMarginLeft() + m_nWidth + GetMarginRight(); }

        // Member variables
        CExtPopupMenuWnd* m_pWndChild;      // sub-menu, owned by the item
        int m_nItemIndex;                   // renumbered by every layout, -100 until set
        UINT m_nCmdID;                      // 0 separator, ID_POPUP sub-menu
        CString m_sItemText;                // with "&" mnemonics
        CString m_sAccelText;
        CExtCmdIcon m_iconPopup;            // the item's own icon
        int m_nTextWidth;                   // measured text
        int m_nWidth;                       // item width without insets
        int m_nHeight;
        int m_nIconAreaWidth;
        int m_nMarginLeft;                  // -1: default
        int m_nMarginTop;
        int m_nMarginRight;
        int m_nMarginBottom;
        WORD m_wFlags;                      // ITEM_* bits
        pCbItemCommand m_pCbCmdDeliver;
        pCbItemClick m_pCbItemClick;
        TCHAR m_cAccelChar;                 // mnemonic, 0 none
        HWND m_hWndSpecCmdReceiver;         // where the command goes, the profile's window
        CWnd* m_pWndInplaceEdit;            // made while the popup's window exists
        CString* m_pInplaceEditStr;         // non-NULL: an in-place edit item
        pCbVerifyTextInput m_pCbVerifyTextInput;
        pCbPutTextInputResult m_pCbPutTextInputResult;
        pCbInplaceEditWndProc m_pCbInplaceEditWndProc;
        LPVOID m_pInplaceEditCbCookie;
        int m_nInplaceEditWidth;
        BYTE m_nInplaceEditFlags;           // EDIT_* bits
        CString m_sInplaceEditTemporaryText;
    };
    typedef CArray<MENUITEMDATA, MENUITEMDATA&> items_container_t;

    /////////////////////////////////////////////////////////////////////////
    // CExtPopupMenuCmdUI: the command-update object of the items.

    class CExtPopupMenuCmdUI : public CCmdUI
    {
    public:
        CExtPopupMenuCmdUI(CExtPopupMenuWnd* pPopup);

        virtual void Enable(BOOL bOn = TRUE) override;
        virtual void SetCheck(int nCheck = 1) override;
        virtual void SetRadio(BOOL bOn = TRUE) override;
        virtual void SetText(LPCTSTR lpszText) override;

        CExtPopupMenuWnd* m_pPopup;     // not owned
        MENUITEMDATA* m_pItemData;      // the item being updated
    };

    /////////////////////////////////////////////////////////////////////////
    // CInPlaceEditWnd: the edit field of an in-place edit item (deletes itself).

    class CInPlaceEditWnd : public CEdit, public CExtInPlaceEditWndMessages
    {
    public:
        CInPlaceEditWnd(CExtPopupMenuWnd* pPopup, int nItemIndex, CString* pStr,
                        pCbVerifyTextInput pCbVerifyTextInput,
                        pCbPutTextInputResult pCbPutTextInputResult,
                        pCbInplaceEditWndProc pCbWndProc, LPVOID pCbCookie);
        virtual ~CInPlaceEditWnd();

        // Creates the child edit at rc of the popup with the value as text.
        bool CreateInPlaceEdit(CWnd* pWndParent, const RECT& rc);

        // Wrappers
        void SetRedraw(bool bRedraw);
        DWORD GetSel() const;
        void SetSel(DWORD dwSelection, bool bNoScroll = false);

        virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
        virtual void PostNcDestroy() override;

        // Member variables
        CExtPopupMenuWnd* m_pPopup;     // not owned
        int m_nItemIndex;
        CString* m_pStr;                // the edited value, not owned
        pCbVerifyTextInput m_pCbVerifyTextInput;
        pCbPutTextInputResult m_pCbPutTextInputResult;
        pCbInplaceEditWndProc m_pCbWndProc;
        LPVOID m_pCbCookie;
        CString m_strTextCopy;
        bool m_bCommitted;

    private:
        bool CheckText(LPCTSTR sTextOld, LPCTSTR sTextNew);
        void Commit();
        void FocusBackToPopup();
    };

    /////////////////////////////////////////////////////////////////////////
    // TrackingSite_t: the one process-wide tracking site.

    struct TrackingSite_t
    {
        enum { SITE_ENDING = 0x01 };

        BYTE m_nFlags;                      // SITE_ENDING
        CExtPopupMenuWnd* m_pWndRoot;       // non-NULL: a menu is tracked
        CExtPopupMenuWnd* m_pWndHookTarget; // receives hooked input
        CExtPopupMenuWnd* m_pWndAnimation;  // animating popup; input is swallowed meanwhile
        HHOOK m_hHookMouse;
        HHOOK m_hHookKeyboard;
        UINT* m_pResultCmdID;               // the caller's variable, not owned

        TrackingSite_t();
        ~TrackingSite_t();
        TrackingSite_t(const TrackingSite_t&) = delete;
        TrackingSite_t& operator=(const TrackingSite_t&) = delete;

        bool IsEnding() const { return (m_nFlags & SITE_ENDING) != 0; }
        bool IsTracking() const { return m_pWndRoot != NULL; }
        // Binds the site to a root popup and installs the hooks (ends another tracking first).
        void SetTracking(CExtPopupMenuWnd* pWndRoot);
        // Ends the tracking: the root's window is destroyed and the root deleted.
        void Done();
        // Forgets the root without deleting it and removes the hooks.
        void Detach(CExtPopupMenuWnd* pWndRoot);

        static LRESULT CALLBACK HookMouseProc(int nCode, WPARAM wParam, LPARAM lParam);
        static LRESULT CALLBACK HookKeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);

    private:
        void Unhook();
        LRESULT OnHookMouse(UINT nMessage, const MOUSEHOOKSTRUCT& mhs, LPARAM lParam,
                            bool& bPassOn);
        LRESULT OnHookKeyboard(WPARAM wParam, LPARAM lParam, bool& bPassOn);
    };

    /////////////////////////////////////////////////////////////////////////
    // Construction

    CExtPopupMenuWnd();
    virtual ~CExtPopupMenuWnd();

    /////////////////////////////////////////////////////////////////////////
    // Overrides of the base window

    virtual bool HasParentItemPainter() override;
    virtual bool IsContinuedTracking() override;
    virtual void StartAnimation() override;
    virtual void ReleaseSurfaces() override;
    virtual bool IsShadowEnabled() override;
    virtual void PaintAnimationFrame(CDC& dc) override;
    virtual void PaintContent(CDC& dc, bool bUseMemDC) override;
    virtual void GetContentRect(RECT& rc) override;
    virtual bool IsNotifySuppressed() override;
    virtual BOOL DestroyWindow() override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void PostNcDestroy() override;

    /////////////////////////////////////////////////////////////////////////
    // Operations in slot order

    virtual int GetCurrentIndex() const;
    virtual HWND GetCmdReceiverHWND();
    virtual bool LoadMenuResource(HWND hWndCmdReceiver, UINT nMenuID, bool bPopupMenu = true);
    virtual HMENU ExportToHMENU(bool bDeep = true);
    virtual bool UpdateFromHMENU(HWND hWndCmdReceiver, HMENU hMenu, bool bPopupMenu = true,
                                 bool bTopLevel = true);
    virtual bool AppendMdiWindowsList(CWnd* pWndStartSearchMdiFrame = NULL);
    virtual void SetItemsCmdReceiver(HWND hWndCmdReceiver, bool bThisLevelOnly = false);
    virtual int GetItemCount() const;
    virtual UINT GetItemCmdID(int nPos) const;
    virtual HICON GetItemHIcon(int nPos);
    virtual CString GetItemText(int nPos) const;
    virtual CString GetItemAccelText(int nPos) const;
    virtual int FindItemByCmdID(UINT nCmdID, int nStartAfter = -1) const;
    virtual bool SetItemHIcon(int nPos, HICON hIcon);
    virtual bool SetItemText(int nPos, LPCTSTR sText);
    virtual bool SetItemAccelText(int nPos, LPCTSTR sText);
    virtual CExtPopupMenuWnd* GetItemPopup(int nPos);
    virtual CExtPopupMenuWnd* GetItemSubMenu(int nPos);
    virtual bool IsItemForceDisplayed(int nPos) const;
    virtual bool SetItemForceDisplayed(int nPos, bool bForceDisplayed);
    virtual bool DeleteItem(int nPos);
    virtual bool InsertNewSubMenu(UINT nCmdID, int nPos = -1, LPCTSTR sText = NULL,
                                  HICON hIcon = NULL, HWND hWndCmdReceiver = NULL);
    virtual bool InsertCommandItem(UINT nCmdID, int nPos = -1, LPCTSTR sText = NULL,
                                   LPCTSTR sAccelText = NULL, const CExtCmdIcon* pIcon = NULL,
                                   int nCheckType = 0, HWND hWndCmdReceiver = NULL);
    virtual bool InsertSubMenu(CExtPopupMenuWnd* pWndChild, int nPos = -1, LPCTSTR sText = NULL,
                               HICON hIcon = NULL);
    virtual int FindItemByMnemonic(TCHAR ch, int nStartAfter = -1) const;
    virtual int FindItemByText(LPCTSTR sText, int nStartAfter = -1) const;
    virtual bool HasNoSpecialItems() const;
    virtual bool InitAsEmptyPopup(HWND hWndCmdReceiver);
    virtual bool StartTracking(DWORD dwTrackFlags, int x, int y, const RECT* pRectExclude = NULL,
                               LPVOID pCbPaintCombinedCookie = NULL,
                               pCbPaintCombinedContent pCbPaintCombinedContent = NULL,
                               UINT* pResultCmdID = NULL,
                               bool bCookieIsObject = false);
    virtual bool CreatePopupWindow(CWnd* pWndParent);
    virtual bool RebuildFromHMENU(HMENU hMenu, bool bTopLevel);
    virtual void UpdateItemsCmdUI();
    virtual void ResetState();
    virtual void RecalcItemSizes();
    virtual int GetBorderSize();
    virtual int HitTestItem(CPoint point, bool* pbOverEdit = NULL, bool* pbOverSplit = NULL);
    virtual void PaintItems(HDC hDC, visible_items_t& vis);
    virtual bool TrackInternal(DWORD dwTrackFlags, int x, int y, const RECT* pRectExclude,
                               LPVOID pCbPaintCombinedCookie,
                               pCbPaintCombinedContent pCbPaintCombinedContent,
                               bool bCookieIsObject);
    virtual void DeselectCurrentItem(bool bRepaint);
    virtual void SelectItem(int nIndex);
    virtual void ExpandSubMenu(int nIndex, bool bOpen, bool bRepaint, bool bSelectFirst);
    virtual void GetItemRect(int nIndex, RECT& rc, bool bWithInsets = true);
    virtual bool OnHookMouseWheel(WPARAM wParam, LPARAM lParam, bool& bNoEat);
    virtual bool OnHookMouseMove(UINT nFlags, CPoint point, bool& bNoEat);
    virtual bool OnHookMouseClick(UINT nMessage, CPoint point, bool& bNoEat);
    virtual bool OnHookKey(UINT nChar, UINT nRepCnt, UINT nFlags, bool& bNoEat);
    virtual bool IsItemTipAllowed();
    virtual void KillTrackingTimers();
    virtual void CloseMenuTree(bool bKeepWindow);
    virtual bool IsPointInMenus(CPoint ptScreen);
    virtual void SetAsHookTarget();
    virtual CExtPopupMenuWnd* GetHookTarget();
    virtual void ReleaseHookTarget();
    virtual int GetLayoutOverhead();
    virtual void StartAutoScroll();
    virtual void RecalcLayout();
    virtual void NotifyMenuExpanded();
    virtual bool IsMenuTipVisible();
    virtual void ShowMenuTip(bool bRepaint);
    virtual CRect CalcPopupRect(CPoint point, const RECT* pRectExclude);
    virtual CSize CalcSize();
    virtual int FindNextSelectableItem(int nDirection);
    virtual void EndWithCommand(UINT nCmdID, HWND hWndReceiver = NULL);
    virtual bool InsertItemData(int nPos, MENUITEMDATA& mi);
    virtual TrackingSite_t& GetTrackingSite();

    /////////////////////////////////////////////////////////////////////////
    // Further operations

    MENUITEMDATA& GetItemAt(int nPos);
    const MENUITEMDATA& GetItemAt(int nPos) const;
    void SetCmdReceiver(HWND hWndCmdReceiver) { m_hWndCmdReceiver = hWndCmdReceiver; }
    CExtPopupMenuWnd* GetParentMenuWnd() const { return m_pWndParentMenu; }
    bool IsTopLevel() const { return (m_nPopupState & STATE_TOP_LEVEL) != 0; }
    bool IsExpanded() const { return (m_nPopupState & STATE_EXPANDED) != 0; }
    bool HasHiddenItems() const { return (m_nPopupState & STATE_HAS_HIDDEN) != 0; }
    bool IsScrolling() const { return (m_nPopupState & STATE_SCROLLING) != 0; }
    DWORD GetTrackFlags() const { return m_dwTrackFlags; }
    const CSize& GetContentSize() const { return m_sizeFullItems; }
    int GetLeftAreaWidth() const { return m_nLeftAreaWidth; }
    void SetLeftAreaWidth(int nWidth) { m_nLeftAreaWidth = nWidth; }
    int GetCombineAlign() const { return m_eCombineAlign; }
    int GetScrollOffset() const { return m_nDyScrollOffset; }
    // The root popup of the tree this popup belongs to.
    CExtPopupMenuWnd* GetRootMenu();
    // Re-stacks this popup and its parents (the deepest child on top) and repaints them.
    void BringChainToTop(CWnd* pWndInsertAfter);
    bool InsertCommandItemWithHIcon(UINT nCmdID, int nPos, LPCTSTR sText, LPCTSTR sAccelText,
                                    HICON hIcon, bool bCopyIcon, int nCheckType,
                                    HWND hWndCmdReceiver);
    void EndWithItemCommand(const MENUITEMDATA& mi);
    // Places the item's in-place edit at its field, shows and focuses it.
    void ShowInplaceEdit(int nIndex);
    // Activates an item as Enter does; TRUE when the popup may be gone.
    bool ActivateItem(int nIndex);
    // The status text of a command through the bars (idle text for 0).
    static void ShowStatusText(CWnd* pWnd, UINT nCmdID);
    // The command's status prompt (system commands: the class library's prompt).
    static UINT StatusIdForCommand(UINT nCmdID);

    /////////////////////////////////////////////////////////////////////////
    // Static operations

    static bool IsTrackingActive();
    static void CancelTracking();
    static void PumpPendingMessages(bool bRunIdle = false);
    static bool AreWindowsRelated(HWND hWnd, HWND hWndOther, bool bBothEnabled = false,
                                  bool bBothVisible = false, bool bFalseWhileTracking = false);
    static bool IsModifierKeyDown(LPARAM lParam);
    static bool IsMenuTrackingOfBars();
    // Deletes a popup now, or when its running operations have returned.
    static void SafeDeletePopup(CExtPopupMenuWnd* pPopup);
    // The parent-item painter given to sub-menus (cookie = the parent's item index).
    static void stat_PaintParentItem(LPVOID pCookie, CDC& dc, const CWnd& refWndMenu,
                                     const CRect& rcExcludeArea, int eCombineAlign);

    // Process-wide switches
    static bool g_bMenuHideRarelyUsed;
    static bool g_bMenuExpandOnHover;
    static bool g_bMenuExpandAnimation;
    static bool g_bMenuHighlightRarelyUsed;
    static int g_nMenuKeyRepeatTime;        // ms between the time stamps of two keys
    static DWORD g_nLastKeyTime;            // time stamp of the last accepted key
    static bool g_bLastKeyTimeValid;

    /////////////////////////////////////////////////////////////////////////
    // Member variables

    CExtPopupMenuTipWnd m_wndMenuTip;
    int m_nCurIndex;                    // selected item, -1 none
    int m_nDelayedFocusItemIndex;       // sub-menu item of timer 667, -1 none
    int m_nLastMousePick;               // last item entered by the mouse, -1 none
    BYTE m_nPopupState;                 // STATE_* bits
    UINT m_nExpandHoverCounter;         // 0: timer 670 idle
    DWORD m_dwTrackFlags;               // TPMX_* bits
    HWND m_hWndCmdReceiver;
    int m_nDyScrollOffset;              // 0 or negative
    CExtPopupMenuWnd* m_pWndParentMenu; // NULL for the root
    CRect m_rcScrollTop;
    CRect m_rcScrollBottom;
    CRect m_rcExpandButton;
    int m_nScrollingDirection;          // +5 top area, -5 bottom area, 0 none
    int m_nLeftAreaWidth;               // band drawn by the receiver
    int m_eCombineAlign;                // COMBINE_* side
    CRgn m_rgnWnd;
    CRect m_rcContent;                  // client coordinates of the item area
    items_container_t m_items_all;

    CSize m_sizeFullItems;              // union of the displayed items
    bool m_bCombineWithEA : 1;          // joined to the exclude rectangle
    bool m_bExcludeAreaGiven : 1;       // the exclude rectangle came from the caller
    bool m_bWindowShown : 1;            // between CreatePopupWindow and the close
    CPoint m_ptTrack;                   // screen point of the popup, aligned
    CPoint m_ptTrackRaw;                // the tracking point as given
    int m_nSelfLock;                    // running operations that keep the object alive
    bool m_bDeletePending;              // delete once m_nSelfLock drops to 0

    // Keeps a popup alive while a piece of code runs on it.
    class CSelfLock
    {
    public:
        explicit CSelfLock(CExtPopupMenuWnd* pPopup);
        ~CSelfLock();
        CSelfLock(const CSelfLock&) = delete;
        CSelfLock& operator=(const CSelfLock&) = delete;

    private:
        CExtPopupMenuWnd* m_pPopup;
    };

protected:
    // Layout helpers
    void ApplyCommonIconArea();
    CRect GetEditRect(int nIndex);
    void CreateInplaceEdits();
    void DestroyInplaceEdits();
    bool CreateInplaceEdit(int nIndex);
    bool IsFocusInInplaceEdit(int* pnIndex = NULL);
    // Paint helpers
    void PaintItem(CDC& dc, const VisibleItemDefinition_t& vi, const MENUITEMDATA& mi);
    void PaintItemDefault(CDC& dc, const MENUITEMDATA& mi, const RECT& rcItem,
                          const RECT& rcItemWithIndents, UINT nVisFlags);
    void PaintShadows(CDC& dc);
    bool PrepareAnimationSurfaces(CDC& dc, int cx, int cy);
    void ComposeFrame(CDC& dc, int cx, int cy);
    // Tracking helpers
    void ApplySystemCommandStates();
    bool DoKeyActivate(int nIndex, bool& bNoEat);
    bool OnHookKeyInEdit(UINT nChar, int nEditIndex, bool& bNoEat);
    bool HandleMnemonicKey(UINT nChar, bool& bNoEat);
    void MoveSelection(int nNewIndex);
    void ExpandHiddenItems();
    void ShowItemTip(int nIndex);
    CPoint AlignTrackPoint(CPoint pt);
    bool IsChildWindowOpen(const MENUITEMDATA& mi) const;

private:
    // Steps of RebuildFromHMENU (ExtPopupMenuWnd.cpp)
    void RemoveAllItems();
    void AddItemFromHMENU(HMENU hMenu, int nPos, CExtCmdManager* pManager, LPCTSTR sProfile,
                          int& nRecentPos);
    bool InsertRecentFileItems(int nRecentPos);
    // Steps of CalcPopupRect (ExtPopupMenuWndLayout.cpp)
    CRect CalcPopupArea(CPoint point, const CRect& rcExclude);
    int ResolvePopupAlign(CPoint& point, const CRect& rcExclude, CSize size, int nPass);
    CRect FitPopupInArea(CPoint point, CSize size, int nAlign, const CRect& rcArea,
                         const CRect& rcExclude, int s, int nReserve);
    bool FlipPopupAbove(const CRect& rc, const CRect& rcExclude, const CRect& rcArea, CSize size,
                        int nAlign);
    void ClampPopupRect(CRect& rc, const CRect& rcArea);
    // Hides the popup for a move (ExtPopupMenuWndLayout.cpp)
    void HideForMove(const CRect& rcWnd);
    bool JoinPopupToExclude(CRect& rc, const CRect& rcExclude, int s);
    // The frame kinds of ComposeFrame (ExtPopupMenuWndLayout.cpp)
    struct AnimFrame_t
    {
        CDC& dcTmp;                     // the frame being composed
        CDC& dcSrc;                     // the popup as painted
        int cx, cy;
        int t;                          // step, 0..100
        CRect rcContent;
        int nStretchMode;
    };
    void ComposeSlideFrame(AnimFrame_t& f, bool bSideways);
    void ComposeFadeFrame(int cx, int cy, int t);
    void ComposeUnfoldFrame(AnimFrame_t& f, bool bRoll);
    void ComposePatternFrame(int nType, int cx, int cy, int t, int p, const CRect& rcShadowFree,
                             const CRect* pRcExclude);
    void ComposeExpandFrame(AnimFrame_t& f);

public:
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnCancelMode();
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnClose();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()
};

// The one tracking site of the process.
extern CExtPopupMenuWnd::TrackingSite_t g_TrackingSite;
