// ExtStatusControlBar.h - the frame's status bar drawn by the paint manager.
//
// Notes
// - Panes keep the class library's model (id, width, style, text); painting, colours,
//   tool tips, the size grip, the context menu and child controls placed in panes are
//   this class's.
// - Pane texts of SetPanesFromStringIds come from the resource manager.
// - A paint that arrives while the control itself paints or takes a text is dropped, but
//   its window is still validated so that no paint message repeats without end.
// - UI thread only.

#pragma once

#include "afxwin.h"
#include "afxtempl.h"

class CExtStatusControlBar : public CStatusBar
{
    DECLARE_DYNAMIC(CExtStatusControlBar)

public:
    // Extended data of one pane (by pane command id).
    struct _ED_
    {
        UINT m_nDrawTextFormat;
        CString m_strTipText;
        _ED_() : m_nDrawTextFormat(DT_SINGLELINE | DT_VCENTER) {}
    };

    // A control window shown inside a pane.
    struct _STATUSBAR_PANE_CTRL_
    {
        HWND m_hWnd;
        UINT m_nID;
        BOOL m_bDestroyOnRemove;
        _STATUSBAR_PANE_CTRL_() : m_hWnd(NULL), m_nID(0), m_bDestroyOnRemove(FALSE) {}
    };

    enum e_StatusStyle_t
    {
        STAT_DRAW_FIRST_BORDER = 0x01,
        STAT_PAINT_MANAGER = 0x02,
        STAT_SEPARATORS = 0x04,
        STAT_HIDE_DISABLED_TEXT = 0x08,
        STAT_NO_ICONS = 0x10,
    };

    // Process-wide: no status bar shows a size grip.
    static bool g_bHideSizeGrip;

    CExtStatusControlBar();
    virtual ~CExtStatusControlBar();

    BOOL SetPanesFromStringIds(const UINT* pIDs, int nCount);
    UINT GetPaneCommandId(int nIndex) const;
    void EnablePaneControl(int nIndex, BOOL bEnable);
    void SetPaneInfoAndEnable(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    void RedrawStatusBar();
    UINT GetPaneTextFormat(int nIndex);
    CString GetPaneTipText(int nIndex);
    // Extended data of the pane id (made when missing).
    _ED_& PaneData(UINT nID);
    // Places a control into the pane with the id; FALSE for an unknown id or window.
    BOOL AddPaneControl(HWND hWnd, UINT nID, BOOL bDestroyOnRemove);
    void SerializeExtData(CArchive& ar);
    // The item rectangle of a pane as painted (the last one reaching the right edge).
    CRect GetPanePaintRect(int nIndex);

    // Own virtual operations
    virtual int HitTestPane(CPoint point);
    virtual void DrawBackground(CDC& dc, const RECT& rcClient);
    virtual void OnPaintPane(CDC& dc, int nIndex, const RECT& rcPane);
    virtual void DrawPaneContent(CDC& dc, int nIndex, const RECT& rcPane, UINT nStyle,
                                 HICON hIcon, LPCTSTR sText, UINT nFormat);
    virtual COLORREF GetPaneTextColor(int nIndex);
    virtual bool IsSizeGripVisible();
    virtual void DrawSizeGrip(CDC& dc, const RECT& rcGrip);
    virtual void DrawPaneSeparator(CDC& dc, int nIndex, const RECT& rcPrev, const RECT& rcCur);

    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                          UINT nID = AFX_IDW_STATUS_BAR) override;

    DWORD m_dwStatusStyle;
    UINT m_nDefaultTextFormat;
    COLORREF m_clrFace;
    COLORREF m_clrText;
    COLORREF m_clrTextDisabled;
    bool m_bPaintingGuard;
    int m_nDroppedPaints;               // nested paints dropped (their windows validated)
    CMap<UINT, UINT, _ED_*, _ED_*> m_mapExtData;
    CArray<_STATUSBAR_PANE_CTRL_*, _STATUSBAR_PANE_CTRL_*> m_arrPaneControls;

protected:
    void SyncColors();
    void RepositionControls();
    void PaintAll(CDC& dcPaint);
    CRect GripRect();
    // The platform's processing of a message with the painting guard set.
    LRESULT GuardedDefault(UINT message, WPARAM wParam, LPARAM lParam);
};
