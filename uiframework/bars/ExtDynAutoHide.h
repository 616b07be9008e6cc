// ExtDynAutoHide.h - auto-hidden bars: the frame-edge tab strips and the slider.
//
// CExtDynAutoHideArea is a tab strip along one frame edge (one per edge, child of the
// frame with that edge's dock bar id); each item stands for an auto-hidden bar (item
// data = the bar), a former tab group comes as one item group. Selecting an item slides
// the bar's content out of that edge in the frame's CExtDynAutoHideSlider, which draws
// the bar's caption itself and slides back when the mouse has left it and the strip for
// half a second while it does not hold the focus.
//
// Notes
// - CExtDynAutoHideArea::SetupFrame makes the four areas and the slider of a frame;
//   CExtControlBar::AutoHideModeSet moves bars in and out through AppendBar/RemoveBar.
// - While the bar's content lives in the slider, the bar itself stays hidden; its caption
//   buttons are laid out in the slider's caption (CExtControlBar::GetCaptionInfo).
// - While a slider is out, a WH_MOUSE hook of the thread drives its caption buttons and
//   its resizing; the last slider slid out owns it, the hook goes with the last one back.
// - UI thread only.
//
// Files
// - ExtDynAutoHide.cpp: CExtDynAutoHideArea and its drop target, with the module settings.
// - ExtDynAutoHideSlider.cpp: CExtDynAutoHideSlider and the thread's mouse hook.

#pragma once

#include "ExtTabWnd.h"
#include "ExtTabDropTarget.h"
#include "ExtControlBar.h"

class CExtDynAutoHideSlider;

class CExtDynAutoHideArea : public CExtTabWnd
{
    DECLARE_DYNCREATE(CExtDynAutoHideArea)

public:
    // Data dragged over the strip selects the item under the pointer (its bar slides out).
    class CDynDropTarget : public CExtTabWndDropTarget
    {
    public:
        explicit CDynDropTarget(CExtDynAutoHideArea* pArea) : CExtTabWndDropTarget(pArea) {}
        virtual int SelectItemAt(CPoint ptClient) override;
    };
    CDynDropTarget m_dropTarget;

    CExtDynAutoHideArea();
    virtual ~CExtDynAutoHideArea();

    virtual bool CreateForFrame(CFrameWnd* pFrame, CExtDynAutoHideSlider* pSlider,
                                UINT nDockBarID);

    void AppendBar(CExtControlBar* pBar, bool bNoSlide);
    void RemoveBar(CExtControlBar* pBar, bool bQuiet);
    CFrameWnd* GetFrame() const;
    CExtDynAutoHideSlider* GetSlider() const { return m_pSlider; }
    UINT GetDockBarID() const;
    // Ctrl+Page Up / Ctrl+Page Down among the items; TRUE when consumed.
    bool HandleSwitchKey(MSG* pMsg);

    // Makes the four areas and the slider of the frame (once); FALSE on failure.
    static bool SetupFrame(CFrameWnd* pFrame);
    // The frame's areas by edge: top, bottom, left, right (NULL when missing).
    static void FindAreas(HWND hWndInFrame, CExtDynAutoHideArea* arrAreas[4]);
    static CExtDynAutoHideArea* FindBarArea(CExtControlBar* pBar, int* pnItem = NULL);
    static CExtDynAutoHideArea* FindAreaForSide(CFrameWnd* pFrame, UINT nDockBarID);
    // The area of the frame edge the bar docks at (through its containers).
    static CExtDynAutoHideArea* FindAreaForBar(CExtControlBar* pBar);

    // Overrides
    virtual void UpdateTabWndVisibility() override;
    virtual bool OnSelectionChange(int nOld, int nNew, bool bPreSelect) override;
    virtual CExtCmdIcon* GetItemIcon(TAB_ITEM_INFO* pItem) override;
    virtual CString GetItemText(TAB_ITEM_INFO* pItem) override;
    virtual void OnItemInserted(int nIndex, TAB_ITEM_INFO* pItem) override;
    virtual void GetItemMargins(int& nBefore, int& nAfter, int& nOuter) override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CExtDynAutoHideSlider* m_pSlider;
    BYTE m_nAreaFlags;          // bit 0: no sliding while the area selects; bit 1: pass focus test
    CRect m_rcLastWnd;
    BYTE m_nAnimFlags;          // bit 0: the next selection slides without animation

    // Module settings
    static int g_nSlideSteps;
    static int g_nSlideStepTime;
    static bool g_bNoAnimationOut;
    static bool g_bNoAnimationBack;
    static int g_nTabStyle;
    static bool g_bKeyboardSwitching;
    static bool g_bRegisterDropTarget;  // the strips take OLE drags (when OLE is initialised)
};

class CExtDynAutoHideSlider : public CWnd
{
    DECLARE_DYNCREATE(CExtDynAutoHideSlider)

public:
    enum { TIMER_CHECK = 1, TIMER_CLOSE = 2 };
    enum
    {
        STATE_SHOWN = 0x01, STATE_FOCUS = 0x02, STATE_CLOSE_PENDING = 0x04,
        STATE_SLIDING = 0x08,
    };

    CExtDynAutoHideSlider();
    virtual ~CExtDynAutoHideSlider();

    BOOL Create(CFrameWnd* pFrame);
    void SlideBar(CExtControlBar* pBar, bool bShow, bool bAnimate);
    bool IsShown() const { return (m_nFlags & STATE_SHOWN) != 0; }
    CExtControlBar* GetBar() const { return m_pBar; }
    CExtDynAutoHideArea* GetArea() const { return m_pArea; }
    // The side of the slider that resizes it (HTTOP etc.), by the area's edge.
    int GetResizeHitCode() const;
    int GetCaptionHeight() const;
    // The caption rectangle in the slider's window coordinates (empty without a bar).
    CRect GetCaptionRect() const;
    bool IsActive() const { return (m_nFlags & STATE_FOCUS) != 0; }
    bool IsResizing() const { return m_nResizeState != 1; }
    // The frame's slider showing the bar, NULL when none does.
    static CExtDynAutoHideSlider* FindSliderShowing(CExtControlBar* pBar);
    // The slider the mouse hook works for (NULL while no slider is out).
    static CExtDynAutoHideSlider* GetHookedSlider();
    // The frame's client rectangle less the visible strips or dock bars of each edge.
    CRect CalcInnerRect() const;
    // Positions recorded during the last slide (the leading edge's distance).
    std::vector<int> m_arrSlideSteps;

    // Mouse hook handlers (screen point); TRUE swallows the message.
    virtual bool OnHookMouseMove(CPoint ptScreen);
    virtual bool OnHookMouseClick(UINT nMessage, CPoint ptScreen);

    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CExtDynAutoHideArea* m_pArea;
    CExtControlBar* m_pBar;
    int m_nContentWidth, m_nContentHeight;
    BYTE m_nFlags;
    int m_nResizeState;             // 1 idle, else HTLEFT/HTRIGHT/HTTOP/HTBOTTOM while resizing
    CPoint m_ptResizeStart;         // screen
    CRect m_rcResizeStart;          // the window at the start of a resize (frame client)
    CExtBarNcAreaButton* m_pBtnHover;
    CExtBarNcAreaButton* m_pBtnTooltip;
    CExtBarNcAreaButton* m_pBtnPressed;
    CToolTipCtrl m_wndToolTip;
    CRect m_rcInner;
    HWND m_hWndContent;

protected:
    static bool RegisterSliderClass();
    void PlaceStep(int nLead, int nDepth);
    void OnCheckTimer();
    void OnCloseTimer();
    bool IsCursorOutside() const;
    void PaintNc();
    CFrameWnd* GetFrame() const;
    // The displayed caption button at the point (window coordinates), NULL when none.
    CExtBarNcAreaButton* ButtonAt(CPoint ptWnd) const;
    // The 5-pixel band at the slider's inner edge (window coordinates).
    bool IsOnResizeBand(CPoint ptWnd) const;
    void StartResizing(CPoint ptScreen);
    void StopResizing();
    void TrackResizing(CPoint ptScreen);
    void SetHoverButton(CExtBarNcAreaButton* pBtn);
    void ClearPressedButton();
    void FocusContent();
    void ForgetButtons();
    void HookMouse(bool bHook);

private:
    // Message handlers of WindowProc
    void OnNcCalcSizeMsg(RECT* pRc);
    LRESULT OnNcHitTestMsg(LPARAM lParam);
    void OnPaintMsg();
    void OnWindowPosChangingMsg(WINDOWPOS* pPos);
    LRESULT OnSizeMsg(WPARAM wParam, LPARAM lParam);
    void OnCancelModeMsg();
    bool OnTimerMsg(WPARAM wParam);
    void OnContextMenuMsg(LPARAM lParam);
};
