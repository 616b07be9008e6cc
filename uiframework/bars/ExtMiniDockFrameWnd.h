// ExtMiniDockFrameWnd.h - the floating frame of the framework's bars.
//
// Notes
// - The frame draws its own border and caption (through the paint manager) and answers
//   the non-client hit test itself; the system caption and sizing frame are removed.
// - The caption moves the bar by the bar's own drag loop; the edges resize the frame in
//   the frame's own modal loop (fixed-size bars: the dock context's resize).
// - The caption is kept inside the monitor's work area.

#pragma once

#include "ExtControlBar.h"

class CExtMiniDockFrameWnd : public CMiniDockFrameWnd, public CExtMouseCaptureSink
{
    DECLARE_DYNCREATE(CExtMiniDockFrameWnd)

public:
    CExtMiniDockFrameWnd();
    virtual ~CExtMiniDockFrameWnd();

    using CMiniDockFrameWnd::Create;
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Tool tips of the bar's caption buttons (point in client coordinates).
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    // The first bar of the embedded dock bar, and that bar when it is a framework bar.
    CControlBar* GetBar();
    CExtControlBar* GetExtBar();
    // Hit code of a screen point (HTNOWHERE outside the window).
    UINT HitTestAt(CPoint ptScreen);
    // Widths of the visible border at the four sides (the margin a resizable bar leaves
    // about its content counts in; the top is the frame's own, above the caption).
    CRect BorderWidths();
    // The modal resizing loop by the edge or corner nHitTest, pressed at ptPress (screen):
    // the dragged edges keep their distance from the cursor.
    void StartResizing(UINT nHitTest, CPoint ptPress);
    void ResizeStep(CPoint ptScreen);
    void StopResizing();
    bool IsResizing() const { return m_nResizingHT != 0; }
    // Moves the frame so that its caption lies in the monitor's work area (across, enough
    // of it to be grabbed).
    void KeepCaptionOnScreen();

    CRect m_rcBtnClose;             // own close button (frames without a framework bar)
    bool m_bBtnHot;                 // the cursor is on it
    bool m_bBtnPressed;             // the left button went down on it
    // Follows the cursor over the own close button; repaints when that changes.
    void TrackCloseButtonHot();
    CRect m_rcCaption;              // window coordinates
    CPoint m_ptResizeLast;
    UINT m_nResizingHT;             // HTLEFT..HTBOTTOMRIGHT while resizing, else 0
    CRect m_rcResizeStart;
    CPoint m_ptResizePress;         // the press that started the resize (screen)

    // Window styles the frame never keeps.
    static const DWORD g_dwRemovedStyles;
    static const DWORD g_dwRemovedExStyles;

protected:
    void RecalcCaptionRects();
    void PaintNonClient();
    void RemoveSystemFrame(bool bRedraw);
    LRESULT OnNcLButtonDown(UINT nHit, CPoint pt);

private:
    // Message handlers of WindowProc; the bool ones return FALSE to leave the message to
    // the default processing.
    LRESULT OnNcCalcSizeMsg(LPARAM lParam);
    LRESULT OnNcHitTestMsg(LPARAM lParam);
    LRESULT OnNcActivateMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcLButtonDownMsg(WPARAM wParam, LPARAM lParam);
    bool OnNcLButtonUpMsg(WPARAM wParam, LPARAM lParam, LRESULT& lResult);
    bool OnNcLButtonDblClkMsg(WPARAM wParam);
    bool OnNcRButtonDownMsg(WPARAM wParam, LPARAM lParam);
    bool OnMouseMoveMsg(LPARAM lParam);
    void OnCancelModeMsg();
    LRESULT OnGetMinMaxInfoMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnWindowPosChangingMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnWindowPosChangedMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnSizeMsg(WPARAM wParam, LPARAM lParam);
    bool OnTimerMsg(WPARAM wParam);
};
