// ExtPopupControlMenuWnd.h - popup menus that host a child control.
//
// Declares CExtPopupControlMenuWnd (a popup menu that reserves a rectangle for one child
// window and passes the hooked input on to it), CExtPopupInplaceListBox (the list box
// hosted this way), and the undo/redo pair CExtPopupUndoRedoMenuWnd and
// CExtPopupUndoRedoListBox.
//
// Notes
// - The popup creates its control together with its own window and forgets the handle when
//   it is closed or destroyed; the control dies with the popup window.
// - The list boxes are created with new by their popup and delete themselves when their
//   window is destroyed.
// - A list box delivers exactly one final or cancel notification in its life; after it the
//   popup receives a posted WM_CANCELMODE, which ends the tracking.
// - Notifications of the list go to the command receiver of its popup, with m_lParamCookie
//   as LPARAM.

#pragma once

#include "ExtPopupMenuWnd.h"
#include "afxctrls.h"

/////////////////////////////////////////////////////////////////////////////
// CExtPopupControlMenuWnd

class CExtPopupControlMenuWnd : public CExtPopupMenuWnd, public CExtPopupControlMenuWndMessages
{
    DECLARE_DYNCREATE(CExtPopupControlMenuWnd)

public:
    // Kinds of retranslated input.
    enum e_InputType_t
    {
        INPUT_MOUSE_MOVE = 0,
        INPUT_MOUSE_BUTTON = 1,
        INPUT_MOUSE_WHEEL = 2,
        INPUT_KEY = 3,
    };

    // wParam of g_nMsgControlInputRetranslate (lParam 0).
    struct InputRetranslateInfo_t
    {
        int m_eType;                    // e_InputType_t
        UINT m_nFlags;                  // move: key flags, button: the message, key: flags
        CPoint m_point;                 // mouse events: client coordinates of the popup
        bool* m_pbNoEat;                // set to pass the message on to the control
        UINT m_nChar;
        UINT m_nRepCnt;
        WPARAM m_wParam;                // wheel: the hooked message's parameters
        LPARAM m_lParam;                // wheel: the MOUSEHOOKSTRUCTEX
        CExtPopupControlMenuWnd* m_pPopup;

        InputRetranslateInfo_t(CExtPopupControlMenuWnd* pPopup, int eType, bool* pbNoEat)
            : m_eType(eType), m_nFlags(0), m_point(0, 0), m_pbNoEat(pbNoEat), m_nChar(0),
              m_nRepCnt(0), m_wParam(0), m_lParam(0), m_pPopup(pPopup) {}
    };

    CExtPopupControlMenuWnd();
    virtual ~CExtPopupControlMenuWnd();

    // Overrides
    virtual CSize CalcSize() override;
    virtual bool CreatePopupWindow(CWnd* pWndParent) override;
    virtual void RecalcItemSizes() override;
    virtual void OverrideAnimationType(int& nType) override;
    virtual bool IsShadowEnabled() override;
    virtual bool IsItemTipAllowed() override;
    virtual bool OnHookMouseWheel(WPARAM wParam, LPARAM lParam, bool& bNoEat) override;
    virtual bool OnHookMouseMove(UINT nFlags, CPoint point, bool& bNoEat) override;
    virtual bool OnHookMouseClick(UINT nMessage, CPoint point, bool& bNoEat) override;
    virtual bool OnHookKey(UINT nChar, UINT nRepCnt, UINT nFlags, bool& bNoEat) override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Operations in slot order
    virtual CRect GetChildControlRect();
    // Creates the hosted window in rc; this class creates nothing.
    virtual HWND CreateChildControl(const RECT& rc);

    // Member variables
    CSize m_sizeChildControl;           // 150 x 100
    CRect m_rcChildControl;             // client coordinates, last placement
    HWND m_hWndChildControl;            // NULL until created, again after the close

    static bool g_bControlPopupShadows; // FALSE

protected:
    // Input checks shared by the four handlers.
    bool IsInputBlocked();
    bool IsWindowInControl(HWND hWnd);
    bool IsControlUnderInput(CPoint ptClient);
    LRESULT Retranslate(InputRetranslateInfo_t& info);
};

/////////////////////////////////////////////////////////////////////////////
// CExtPopupInplaceListBox

class CExtPopupInplaceListBox : public CListBox, public CExtPopupInplaceListBoxMessages
{
    DECLARE_DYNCREATE(CExtPopupInplaceListBox)

public:
    // Selection codes of m_pCbSelection
    enum { SEL_CHANGED = 0, SEL_FINAL = 1, SEL_CANCEL = 2 };

    typedef bool (*pCbSelection)(CExtPopupInplaceListBox& wndListBox, LPVOID pCookie,
                                 int nCode);
    typedef bool (*pCbInitContent)(CExtPopupInplaceListBox& wndListBox, LPVOID pCookie);
    typedef bool (*pCbDrawItem)(CExtPopupInplaceListBox& wndListBox, LPVOID pCookie,
                                LPDRAWITEMSTRUCT pDIS);
    typedef bool (*pCbMeasureItem)(CExtPopupInplaceListBox& wndListBox, LPVOID pCookie,
                                   LPMEASUREITEMSTRUCT pMIS);

    // wParam of the notifications (but init content, whose wParam is the list itself).
    struct NotifyData_t
    {
        CExtPopupInplaceListBox* m_pListBox;
        INT_PTR m_nValue;               // selection index, or the DRAW/MEASUREITEMSTRUCT*

        NotifyData_t(CExtPopupInplaceListBox* pListBox, INT_PTR nValue)
            : m_pListBox(pListBox), m_nValue(nValue) {}
    };

    CExtPopupInplaceListBox();
    virtual ~CExtPopupInplaceListBox();

    // Overridables in slot order
    virtual void OnSelectionFinal();
    virtual void OnSelectionCancel(bool bQuiet);
    virtual void OnSelChange();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    virtual void PostNcDestroy() override;

    // The popup that hosts the list, NULL when the parent is none.
    CExtPopupControlMenuWnd* GetPopup() const;
    HWND GetCmdReceiverHWND() const;
    LRESULT SendNotification(UINT nMessage, INT_PTR nValue);

    // Member variables
    pCbSelection m_pCbSelection;
    LPVOID m_pSelectionCookie;
    pCbInitContent m_pCbInitContent;
    LPVOID m_pInitContentCookie;
    pCbDrawItem m_pCbDrawItem;
    pCbMeasureItem m_pCbMeasureItem;
    LPVOID m_pDrawMeasureCookie;
    LPARAM m_lParamCookie;
    bool m_bSelectionDelivered : 1;

protected:
    // Wheel (type 2) and key (type 3) input from the popup; answers the reply.
    virtual LRESULT OnRetranslatedInput(CExtPopupControlMenuWnd::InputRetranslateInfo_t& info);
    // Gives the keyboard back to the popup menu that owns the hosting popup.
    void ReturnFocusToParentMenu();
};

/////////////////////////////////////////////////////////////////////////////
// CExtPopupUndoRedoMenuWnd

class CExtPopupUndoRedoMenuWnd : public CExtPopupControlMenuWnd
{
    DECLARE_DYNCREATE(CExtPopupUndoRedoMenuWnd)

public:
    enum
    {
        DEFAULT_LIST_STYLE = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_MULTIPLESEL
            | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS,
    };

    explicit CExtPopupUndoRedoMenuWnd(LPARAM lParamListCookie = 0,
                                      DWORD dwListBoxStyle = DEFAULT_LIST_STYLE);
    virtual ~CExtPopupUndoRedoMenuWnd();

    // Overrides
    virtual CSize CalcSize() override;
    virtual CRect GetChildControlRect() override;
    virtual void RecalcItemSizes() override;
    virtual HWND CreateChildControl(const RECT& rc) override;
    virtual void PaintContent(CDC& dc, bool bUseMemDC) override;
    virtual bool OnHookMouseWheel(WPARAM wParam, LPARAM lParam, bool& bNoEat) override;

    // Operations in slot order
    virtual int GetCaptionHeight();
    virtual void UpdateActionCountText(CDC& dc, const RECT& rc);

    // Stores the count and redraws the caption at once.
    void SetSelectedCount(int nCount);

    // Member variables
    LPARAM m_lParamListCookie;
    DWORD m_dwListBoxStyle;
    CExtPopupInplaceListBox::pCbSelection m_pCbSelection;
    LPVOID m_pSelectionCookie;
    CExtPopupInplaceListBox::pCbInitContent m_pCbInitContent;
    LPVOID m_pInitContentCookie;
    CExtPopupInplaceListBox::pCbDrawItem m_pCbDrawItem;
    CExtPopupInplaceListBox::pCbMeasureItem m_pCbMeasureItem;
    LPVOID m_pDrawMeasureCookie;
    CRect m_rcCaption;                  // band under the list
    int m_nSelectedCount;

private:
    void CalcCaptionRect();
};

/////////////////////////////////////////////////////////////////////////////
// CExtPopupUndoRedoListBox: the selection always runs from row 0 to row n.

class CExtPopupUndoRedoListBox : public CExtPopupInplaceListBox
{
    DECLARE_DYNCREATE(CExtPopupUndoRedoListBox)

public:
    enum
    {
        ID_TIMER_SCROLL_UP = 2,
        ID_TIMER_SCROLL_DOWN = 3,
    };

    CExtPopupUndoRedoListBox();
    virtual ~CExtPopupUndoRedoListBox();

    virtual void OnSelChange() override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Operations
    // Selects rows 0 to n (deselects everything first) and reports the change.
    void SelectUpTo(int nRow);
    // The last visible row.
    int GetLastVisibleRow();
    // Period of the scroll timer for a distance in pixels outside the list.
    static UINT PeriodForDistance(int nDistance);

    // Member variables
    UINT m_nUpScrollPeriod;             // ms, 0: timer off
    UINT m_nDownScrollPeriod;
    bool m_bTracking : 1;               // left button pressed inside the list
    bool m_bUpTimerOn : 1;
    bool m_bDownTimerOn : 1;

protected:
    virtual LRESULT OnRetranslatedInput(
        CExtPopupControlMenuWnd::InputRetranslateInfo_t& info) override;
    void StopTimers();
    void ScrollRowIntoView(int nRow);

private:
    // Handlers of WindowProc, one per message
    void HandlePaint();
    void HandleMouseMove(CPoint pt);
    void HandleScrollTimer(bool bUp);
    void HandleButtonUp();
    LRESULT HandleVScroll(WPARAM wParam, LPARAM lParam);
};
